// Event sink maps: a container window (a dialog, a form view) names, per
// hosted control id and event dispatch id, the member that handles it:
//
//     BEGIN_EVENTSINK_MAP(CLockDlg, CDialog)
//         ON_EVENT(CLockDlg, IDC_GRID, 12, OnGridClick, VTS_I4 VTS_PBOOL)
//     END_EVENTSINK_MAP()
//
// The handler's parameters receive the event's arguments in order, converted
// to their types; a pointer parameter (long*, BOOL*, BSTR*, VARIANT*, ...)
// takes a by-reference argument, and what the handler writes there goes back
// to the control that fired the event. The VTS_ string says what the
// control sends; BOOL receives TRUE as 1, VARIANT_BOOL as VARIANT_TRUE.
#pragma once

#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/com/ComSupport.h"
#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/CWnd.h"

struct AFX_EVENTSINKMAP_ENTRY {
    UINT nCtrlID;
    DISPID dispid;
    const BYTE* pbParamInfo;
    // FALSE when the arguments do not fit the handler.
    BOOL (*pfnCall)(CWnd* pTarget, DISPPARAMS* pParams, const BYTE* pbParamInfo);
};

struct AFX_EVENTSINKMAP {
    const AFX_EVENTSINKMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_EVENTSINKMAP_ENTRY* lpEntries;
};

#define DECLARE_EVENTSINK_MAP()                                   \
public:                                                           \
    static const AFX_EVENTSINKMAP* PASCAL GetThisEventSinkMap(); \
                                                                  \
protected:                                                        \
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override;

#define BEGIN_EVENTSINK_MAP(theClass, baseClass)                                              \
    const AFX_EVENTSINKMAP* theClass::GetEventSinkMap() const { return GetThisEventSinkMap(); } \
    const AFX_EVENTSINKMAP* PASCAL theClass::GetThisEventSinkMap()                            \
    {                                                                                         \
        typedef baseClass TheBaseClass;                                                       \
        static const AFX_EVENTSINKMAP_ENTRY _eventsinkEntries[] = {

#define ON_EVENT(theClass, id, dispid, pfnHandler, vtsParams)                                   \
    {static_cast<UINT>(id), static_cast<DISPID>(dispid), reinterpret_cast<const BYTE*>(vtsParams), \
     &tw::mfc::CallEventHandler<theClass, &theClass::pfnHandler>},

#define END_EVENTSINK_MAP()                                                                              \
    {0, 0, nullptr, nullptr}};                                                                           \
    static const AFX_EVENTSINKMAP eventsinkMap = {&TheBaseClass::GetThisEventSinkMap, _eventsinkEntries}; \
    return &eventsinkMap;                                                                                \
    }

namespace tw::mfc {

// Hands a control's event to the handler its parent's sink map names; FALSE when none took it.
BOOL RouteControlEvent(HWND hWndControl, DISPID dispid, DISPPARAMS* pParams);
// Lets the control's parent handle its events (called for every hosted control made).
void ConnectControlEvents(HWND hWndControl, IUnknown* pControl);

namespace eventsink_detail {

template <class Pm>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
    using Args = std::tuple<A...>;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> {
    using Args = std::tuple<A...>;
};

// The argument itself, or what a VARIANT by reference points at.
VARIANT* Target(VARIANT& v);
// The argument's value as a number (VT_R8 or VT_I4 after conversion); false when it has none.
bool ReadNumber(const VARIANT& v, bool wantReal, double& real, LONG& integer, bool& isBool);
// Stores a number in the argument (by reference: where it points), in its own type.
void WriteNumber(VARIANT& v, double value);
std::string ReadText(const VARIANT& v);

// IDispatch* and IUnknown* parameters; other interfaces would need a query.
template <class T>
constexpr bool kIsInterfacePointer = std::is_same_v<T, IDispatch*> || std::is_same_v<T, IUnknown*>;

// One handler parameter of type P made from one event argument.
template <class P>
class EventArg {
    using D = std::remove_cv_t<std::remove_reference_t<P>>;
    using Pointee = std::remove_cv_t<std::remove_pointer_t<D>>;
    static constexpr bool kVariantRef = std::is_same_v<D, VARIANT> && std::is_reference_v<P>;
    static constexpr bool kVariantPtr = std::is_pointer_v<D> && std::is_same_v<Pointee, VARIANT>;
    static constexpr bool kText = std::is_same_v<D, const char*> || std::is_same_v<D, char*> ||
                                  std::is_same_v<D, CString>;
    static constexpr bool kBstr = std::is_same_v<D, BSTR>;
    static constexpr bool kBstrOut = std::is_same_v<D, BSTR*>;
    static constexpr bool kNumberOut = std::is_pointer_v<D> && std::is_arithmetic_v<Pointee> && !kText;
    static constexpr bool kNumber = std::is_arithmetic_v<D>;
    static_assert(kVariantRef || kVariantPtr || kText || kBstr || kBstrOut || kNumberOut || kNumber ||
                      kIsInterfacePointer<D>,
                  "an event handler parameter of a type the sink cannot convert");

public:
    EventArg(VARIANT& v, BYTE code) : v_(v), isBoolCode_((code & ~VT_MFCBYREF) == VT_BOOL)
    {
        if constexpr (kText)
            text_ = ReadText(v_);
        else if constexpr (kNumberOut)
            number_ = Number<Pointee>();
    }

    P Get()
    {
        if constexpr (kVariantRef)
            return *Target(v_);
        else if constexpr (kVariantPtr)
            return Target(v_);
        else if constexpr (std::is_same_v<D, CString>)
            return CString(text_.c_str());
        else if constexpr (kText)
            return const_cast<D>(text_.c_str());
        else if constexpr (kBstr)
            return Target(v_)->vt == VT_BSTR ? Target(v_)->bstrVal : nullptr;
        else if constexpr (kBstrOut)
            return BstrSlot();
        else if constexpr (kNumberOut)
            return &number_;
        else if constexpr (kIsInterfacePointer<D>)
            return Interface();
        else
            return Number<D>();
    }

    void WriteBack()
    {
        if constexpr (kNumberOut)
            WriteNumber(v_, static_cast<double>(number_));
    }

private:
    // Lent for the call: the event's argument keeps the object alive.
    D Interface() const
    {
        const VARIANT* target = Target(v_);
        if (target->vt != VT_DISPATCH && target->vt != VT_UNKNOWN)
            return nullptr;
        if constexpr (std::is_same_v<std::remove_cv_t<std::remove_pointer_t<D>>, IUnknown>)
            return target->punkVal;
        else
            return target->vt == VT_DISPATCH ? target->pdispVal : nullptr;
    }

    template <class N>
    N Number() const
    {
        double real = 0;
        LONG integer = 0;
        bool isBool = false;
        if (!ReadNumber(v_, std::is_floating_point_v<N>, real, integer, isBool))
            return N{};
        if constexpr (std::is_floating_point_v<N>) {
            return static_cast<N>(real);
        } else {
            if (isBool || isBoolCode_) {
                // A two-byte flag is a VARIANT_BOOL: true is all bits set.
                if (!integer)
                    return N{};
                return sizeof(N) == 2 ? static_cast<N>(-1) : static_cast<N>(1);
            }
            return static_cast<N>(integer);
        }
    }

    BSTR* BstrSlot()
    {
        VARIANT* target = Target(v_);
        if (v_.vt == (VT_BSTR | VT_BYREF))
            return v_.pbstrVal;
        if (target->vt != VT_BSTR) {
            VariantClear(target);
            target->vt = VT_BSTR;
            target->bstrVal = nullptr;
        }
        return &target->bstrVal;
    }

    VARIANT& v_;
    bool isBoolCode_;
    std::string text_;
    std::conditional_t<kNumberOut, Pointee, char> number_{};
};

template <class T, auto Pmf, size_t... I>
BOOL CallWith(T* target, DISPPARAMS* params, const BYTE* codes, std::index_sequence<I...>)
{
    using Args = typename MemberTraits<decltype(Pmf)>::Args;
    constexpr size_t count = sizeof...(I);
    if (params->cArgs < count)
        return FALSE;
    const size_t codeCount = codes ? std::strlen(reinterpret_cast<const char*>(codes)) : 0;
    // Argument i (left to right) is the (count - 1 - i)th from the end of rgvarg.
    std::tuple<EventArg<std::tuple_element_t<I, Args>>...> args(
        EventArg<std::tuple_element_t<I, Args>>(params->rgvarg[params->cArgs - 1 - I],
                                                I < codeCount ? codes[I] : BYTE{0})...);
    (target->*Pmf)(std::get<I>(args).Get()...);
    (std::get<I>(args).WriteBack(), ...);
    static_cast<void>(args);  // a handler without parameters uses none
    return TRUE;
}

}  // namespace eventsink_detail

template <class T, auto Pmf>
BOOL CallEventHandler(CWnd* pTarget, DISPPARAMS* pParams, const BYTE* pbParamInfo)
{
    using Args = typename eventsink_detail::MemberTraits<decltype(Pmf)>::Args;
    return eventsink_detail::CallWith<T, Pmf>(static_cast<T*>(pTarget), pParams, pbParamInfo,
                                              std::make_index_sequence<std::tuple_size_v<Args>>{});
}

}  // namespace tw::mfc
