// The members an object of ours exposes through IDispatch: each dispatch id
// has a name (matched without case by GetIDsOfNames) and handlers for the
// kinds of call it takes. Handlers are plain callables with typed
// parameters; arguments are converted as VariantChangeType converts them.
//
//     members.Method(1012, "Open", [this] { Open(); });
//     members.Method(1201, "Add", [this](_bstr_t name, int type, int size) { ... });
//     members.Get(9, "Count", [this] { return Count(); });
//     members.Put(4, "Caption", [this](_bstr_t caption) { ... });    // value last
//     members.Put(1064, "FieldValue", [this](_bstr_t field, _variant_t value) { ... });
//
// A parameter of type _variant_t takes the argument's value (a missing one
// is vtMissing); VARIANT* takes the argument itself, so an event handler can
// write through a by-reference argument (NULL when absent);
// std::optional<T> makes it optional; any other type is required
// (DISP_E_PARAMNOTOPTIONAL when missing). A handler reports failure
// by raising _com_error: Invoke then answers DISP_E_EXCEPTION with the error
// in EXCEPINFO. A handler's result becomes a _variant_t: an interface pointer
// returned raw is lent (the result takes its own reference), so a handler
// returns a new object as a smart pointer.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/com/ComSupport.h"

namespace tw::com {

// The arguments of one call, left to right, with the put value apart.
class DispatchArgs {
public:
    DispatchArgs(const DISPPARAMS& params, bool isPut);

    UINT Count() const { return m_positional; }
    // Absent, or VT_ERROR holding DISP_E_PARAMNOTFOUND.
    bool IsMissing(UINT index) const;
    // The argument as passed (by-reference ones not followed).
    const VARIANT& At(UINT index) const;
    const VARIANT& PutValue() const;
    // The rgvarg index of a left-to-right argument, for puArgErr.
    UINT RawIndex(UINT index) const;

private:
    const DISPPARAMS& m_params;
    bool m_isPut;
    UINT m_positional;
};

// Raised inside argument conversion: the failing argument (left-to-right
// index, or kPutValueIndex) and its HRESULT.
struct DispatchArgumentError {
    static constexpr UINT kPutValueIndex = 0xFFFFFFFFu;
    HRESULT hr;
    UINT index;
};

namespace dispatchdetail {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class Pointer>
Pointer BorrowInterface(const _variant_t& value, UINT index)
{
    using Pointee = std::remove_pointer_t<Pointer>;
    static_assert(std::is_base_of_v<IUnknown, Pointee>, "pointer parameters are interfaces");
    if (value.vt == VT_EMPTY)
        return nullptr;
    if (value.vt != VT_DISPATCH && value.vt != VT_UNKNOWN)
        throw DispatchArgumentError{DISP_E_TYPEMISMATCH, index};
    IUnknown* object = value.punkVal;
    if (!object || std::is_same_v<Pointee, IUnknown>)
        return static_cast<Pointer>(object);
    void* found = nullptr;
    if (FAILED(object->QueryInterface(tw::uuidof<Pointee>(), &found)))
        throw DispatchArgumentError{DISP_E_TYPEMISMATCH, index};
    // Borrowed for the call: the caller's argument keeps the object alive.
    static_cast<Pointer>(found)->Release();
    return static_cast<Pointer>(found);
}

template <class T>
T ConvertPresent(const VARIANT& value, UINT index)
{
    try {
        _variant_t copy;
        HRESULT hr = VariantCopyInd(&copy, &value);
        if (FAILED(hr))
            throw DispatchArgumentError{hr, index};
        if constexpr (std::is_same_v<T, _variant_t>) {
            return copy;
        } else if constexpr (std::is_same_v<T, std::string>) {
            const _bstr_t text = static_cast<_bstr_t>(copy);
            const char* utf8 = text;
            return std::string(utf8 ? utf8 : "");
        } else if constexpr (std::is_pointer_v<T>) {
            return BorrowInterface<T>(copy, index);
        } else {
            return static_cast<T>(copy);
        }
    } catch (const _com_error& error) {
        throw DispatchArgumentError{error.Error(), index};
    }
}

template <class T>
T Argument(const DispatchArgs& args, UINT index)
{
    if constexpr (std::is_same_v<T, VARIANT*>) {
        return index < args.Count() ? const_cast<VARIANT*>(&args.At(index)) : nullptr;
    } else if constexpr (std::is_same_v<T, _variant_t>) {
        return args.IsMissing(index) && index >= args.Count() ? vtMissing : ConvertPresent<T>(args.At(index), index);
    } else if constexpr (IsOptional<T>::value) {
        if (args.IsMissing(index))
            return std::nullopt;
        return ConvertPresent<typename T::value_type>(args.At(index), index);
    } else {
        if (args.IsMissing(index))
            throw DispatchArgumentError{DISP_E_PARAMNOTOPTIONAL, index};
        return ConvertPresent<T>(args.At(index), index);
    }
}

template <class F>
struct CallableTraits : CallableTraits<decltype(&F::operator())> {};
template <class C, class R, class... A>
struct CallableTraits<R (C::*)(A...) const> {
    using Result = R;
    using Params = std::tuple<std::decay_t<A>...>;
};
template <class C, class R, class... A>
struct CallableTraits<R (C::*)(A...)> : CallableTraits<R (C::*)(A...) const> {};
template <class R, class... A>
struct CallableTraits<R (*)(A...)> {
    using Result = R;
    using Params = std::tuple<std::decay_t<A>...>;
};

// Calls f with the call's arguments converted to its parameter types; the
// put value of a put handler is its last parameter.
template <bool IsPut, class F, size_t... I>
_variant_t CallTyped(F& f, const DispatchArgs& args, std::index_sequence<I...>)
{
    using Traits = CallableTraits<F>;
    using Params = typename Traits::Params;
    constexpr size_t count = sizeof...(I);
    auto argumentAt = [&](auto indexConstant) {
        constexpr size_t i = decltype(indexConstant)::value;
        using T = std::tuple_element_t<i, Params>;
        if constexpr (IsPut && i == count - 1 && std::is_same_v<T, VARIANT*>)
            return const_cast<VARIANT*>(&args.PutValue());
        else if constexpr (IsPut && i == count - 1)
            return ConvertPresent<T>(args.PutValue(), DispatchArgumentError::kPutValueIndex);
        else
            return Argument<T>(args, static_cast<UINT>(i));
    };
    if constexpr (std::is_void_v<typename Traits::Result>) {
        f(argumentAt(std::integral_constant<size_t, I>{})...);
        return _variant_t();
    } else if constexpr (std::is_same_v<std::decay_t<typename Traits::Result>, std::string>) {
        return _variant_t(f(argumentAt(std::integral_constant<size_t, I>{})...).c_str());
    } else {
        return _variant_t(f(argumentAt(std::integral_constant<size_t, I>{})...));
    }
}

} // namespace dispatchdetail

class DispatchMembers {
public:
    using Handler = std::function<_variant_t(const DispatchArgs&)>;

    template <class F>
    void Method(DISPID id, std::string name, F handler)
    {
        Add(id, std::move(name), DISPATCH_METHOD, Typed<false>(std::move(handler)));
    }
    template <class F>
    void Get(DISPID id, std::string name, F handler)
    {
        Add(id, std::move(name), DISPATCH_PROPERTYGET, Typed<false>(std::move(handler)));
    }
    template <class F>
    void Put(DISPID id, std::string name, F handler)
    {
        Add(id, std::move(name), DISPATCH_PROPERTYPUT, Typed<true>(std::move(handler)));
    }
    template <class F>
    void PutRef(DISPID id, std::string name, F handler)
    {
        Add(id, std::move(name), DISPATCH_PROPERTYPUTREF, Typed<true>(std::move(handler)));
    }

    // An untyped handler for any kinds (DISPATCH_ flags).
    void Add(DISPID id, std::string name, WORD kinds, Handler handler);

    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
    HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                   UINT* argErr) const;

private:
    struct Member {
        DISPID id;
        std::string name;
        WORD kinds;
        Handler handler;
    };

    template <bool IsPut, class F>
    static Handler Typed(F handler)
    {
        using Params = typename dispatchdetail::CallableTraits<F>::Params;
        constexpr size_t arity = std::tuple_size_v<Params>;
        static_assert(!IsPut || arity > 0, "a put handler takes the value");
        constexpr size_t positional = IsPut ? arity - 1 : arity;
        return [handler](const DispatchArgs& args) mutable -> _variant_t {
            if (args.Count() > positional)
                throw DispatchArgumentError{DISP_E_BADPARAMCOUNT, 0};
            return dispatchdetail::CallTyped<IsPut>(handler, args, std::make_index_sequence<arity>{});
        };
    }

    const Member* Find(DISPID id, WORD flags) const;

    std::vector<Member> m_members;
};

} // namespace tw::com
