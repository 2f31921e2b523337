// IUnknown and IDispatch with the platform's calling shape, the interface-id
// trait that stands in for __uuidof, and the reference-counting base of our
// own objects.
#pragma once

#include <atomic>
#include <tuple>
#include <type_traits>

#include "platform/com/OleTypes.h"

#define STDMETHODCALLTYPE
#define STDMETHOD(method) virtual HRESULT method
#define STDMETHOD_(type, method) virtual type method
#define STDMETHODIMP HRESULT
#define STDMETHODIMP_(type) type
#define PURE = 0

DEFINE_GUID(IID_IUnknown, 0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

DEFINE_GUID(IID_IDispatch, 0x00020400, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8

#define DISPID_UNKNOWN (-1)
#define DISPID_VALUE 0
#define DISPID_PROPERTYPUT (-3)
#define DISPID_NEWENUM (-4)
#define DISPID_EVALUATE (-5)
#define DISPID_CONSTRUCTOR (-6)
#define DISPID_DESTRUCTOR (-7)
#define DISPID_COLLECT (-8)

// Arguments travel right to left: rgvarg[0] is the last argument. A property
// put names its value DISPID_PROPERTYPUT in rgdispidNamedArgs.
typedef struct tagDISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
} DISPPARAMS;

typedef struct tagEXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    PVOID pvReserved;
    HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(struct tagEXCEPINFO*);
    SCODE scode;
} EXCEPINFO, *LPEXCEPINFO;

struct ITypeInfo;

struct IDispatch : public IUnknown {
    virtual HRESULT GetTypeInfoCount(UINT* pctinfo) = 0;
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) = 0;
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                           VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) = 0;

protected:
    ~IDispatch() = default;
};
typedef IDispatch* LPDISPATCH;

namespace tw {

template <class Interface>
struct InterfaceTag {};

// The IID of an interface type, named with TW_INTERFACE_ID.
template <class Interface>
const IID& uuidof()
{
    return TwInterfaceId(InterfaceTag<Interface>{});
}

} // namespace tw

// Names the IID of an interface; use it in the interface's own namespace.
// The tag keeps an interface from taking its base interface's IID.
#define TW_INTERFACE_ID(Interface, iid) \
    inline const IID& TwInterfaceId(::tw::InterfaceTag<Interface>) { return iid; }

TW_INTERFACE_ID(IUnknown, IID_IUnknown);
TW_INTERFACE_ID(IDispatch, IID_IDispatch);

namespace tw {

// Base of our COM objects: one atomic reference count shared by every
// interface the object implements. An object is born with one reference,
// owned by its creator; the last Release deletes it.
// QueryInterface answers the IIDs of the listed interfaces, IUnknown (as the
// first listed), and IDispatch when a listed interface derives from it.
template <class... Interfaces>
class ComObject : public Interfaces... {
    static_assert(sizeof...(Interfaces) > 0, "a COM object implements at least one interface");

public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = FindInterface(riid);
        if (!*ppvObject)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    ULONG AddRef() override { return ++m_refCount; }

    ULONG Release() override
    {
        const ULONG remaining = --m_refCount;
        if (remaining == 0)
            delete this;
        return remaining;
    }

    ULONG RefCount() const { return m_refCount.load(); }

    // The object's identity: the IUnknown of its first interface.
    IUnknown* GetUnknown() { return static_cast<FirstInterface*>(this); }

protected:
    virtual ~ComObject() = default;

    // Derived classes extend this to answer further IIDs (without AddRef).
    virtual void* FindInterface(REFIID riid)
    {
        void* found = nullptr;
        ((found = found ? found : MatchInterface<Interfaces>(riid)), ...);
        if (found)
            return found;
        if (IsEqualIID(riid, IID_IUnknown))
            return GetUnknown();
        return FindDispatch(riid);
    }

private:
    using FirstInterface = std::tuple_element_t<0, std::tuple<Interfaces...>>;

    template <class Interface>
    void* MatchInterface(REFIID riid)
    {
        if (IsEqualIID(riid, uuidof<Interface>()))
            return static_cast<Interface*>(this);
        return nullptr;
    }

    void* FindDispatch(REFIID riid)
    {
        if (!IsEqualIID(riid, IID_IDispatch))
            return nullptr;
        void* found = nullptr;
        ((found = found ? found : DispatchOf<Interfaces>()), ...);
        return found;
    }

    template <class Interface>
    void* DispatchOf()
    {
        if constexpr (std::is_base_of_v<IDispatch, Interface>)
            return static_cast<IDispatch*>(static_cast<Interface*>(this));
        else
            return nullptr;
    }

    std::atomic<ULONG> m_refCount{1};
};

} // namespace tw
