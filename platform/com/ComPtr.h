// _com_ptr_t: the smart interface pointer. It owns one reference, takes
// another interface by QueryInterface when assigned from a pointer of another
// type (NULL when the object lacks the interface), creates objects by CLSID
// or ProgID through our class registry, and raises _com_error(E_POINTER)
// when dereferenced while NULL.
//
//     _COM_SMARTPTR_TYPEDEF(IFoo, IID_IFoo);   // IFooPtr
#pragma once

#include <memory>
#include <cstddef>
#include <string>
#include <type_traits>

#include "platform/com/ClassRegistry.h"
#include "platform/com/ComError.h"
#include "platform/com/ComVariant.h"
#include "platform/win32/kernel/Utf8Text.h"

// Binds an interface to its IID for _com_ptr_t.
template <class TInterface, const IID* piid>
class _com_IIID {
public:
    typedef TInterface Interface;
    static const IID& GetIID() noexcept { return *piid; }
};

template <class IIID>
class _com_ptr_t {
    template <class Int>
    using EnableIfInteger = std::enable_if_t<std::is_integral_v<Int> && !std::is_same_v<Int, bool>>;

public:
    typedef typename IIID::Interface Interface;

    static const IID& GetIID() noexcept { return IIID::GetIID(); }

    _com_ptr_t() noexcept = default;
    _com_ptr_t(std::nullptr_t) noexcept {}
    // NULL and 0: only a zero integer may stand for a pointer.
    template <class Int, class = EnableIfInteger<Int>>
    _com_ptr_t(Int null)
    {
        RaiseUnlessZero(null);
    }
    _com_ptr_t(Interface* pointer) noexcept : m_pInterface(pointer) { AddRefIfAny(); }
    _com_ptr_t(Interface* pointer, bool fAddRef) noexcept : m_pInterface(pointer)
    {
        if (fAddRef)
            AddRefIfAny();
    }
    _com_ptr_t(const _com_ptr_t& other) noexcept : m_pInterface(other.m_pInterface) { AddRefIfAny(); }
    _com_ptr_t(_com_ptr_t&& other) noexcept : m_pInterface(other.m_pInterface) { other.m_pInterface = nullptr; }

    template <class OtherIIID>
    _com_ptr_t(const _com_ptr_t<OtherIIID>& other)
    {
        QueryFrom(other.GetInterfacePtr());
    }

    template <class Other, class = std::enable_if_t<!std::is_same_v<Other, Interface> &&
                                                    std::is_base_of_v<IUnknown, Other>>>
    _com_ptr_t(Other* other)
    {
        QueryFrom(other);
    }

    _com_ptr_t(const _variant_t& value) { QueryFromVariant(value); }

    explicit _com_ptr_t(const CLSID& clsid, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        RaiseUnlessCreated(CreateInstance(clsid, outer, context));
    }
    explicit _com_ptr_t(const WCHAR* clsidOrProgId, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        RaiseUnlessCreated(CreateInstance(clsidOrProgId, outer, context));
    }
    explicit _com_ptr_t(const char* clsidOrProgId, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        RaiseUnlessCreated(CreateInstance(clsidOrProgId, outer, context));
    }

    ~_com_ptr_t() { ReleaseIfAny(); }

    _com_ptr_t& operator=(Interface* pointer) noexcept
    {
        if (pointer != m_pInterface) {
            if (pointer)
                pointer->AddRef();
            ReleaseIfAny();
            m_pInterface = pointer;
        }
        return *this;
    }
    _com_ptr_t& operator=(const _com_ptr_t& other) noexcept { return *this = other.m_pInterface; }
    _com_ptr_t& operator=(_com_ptr_t&& other) noexcept
    {
        // operator& is the platform's address-of-the-interface; compare objects.
        if (this != std::addressof(other)) {
            ReleaseIfAny();
            m_pInterface = other.m_pInterface;
            other.m_pInterface = nullptr;
        }
        return *this;
    }
    _com_ptr_t& operator=(std::nullptr_t) noexcept
    {
        ReleaseIfAny();
        return *this;
    }
    template <class Int, class = EnableIfInteger<Int>>
    _com_ptr_t& operator=(Int null)
    {
        RaiseUnlessZero(null);
        ReleaseIfAny();
        return *this;
    }
    template <class OtherIIID>
    _com_ptr_t& operator=(const _com_ptr_t<OtherIIID>& other)
    {
        _com_ptr_t fresh(other);
        return *this = std::move(fresh);
    }
    template <class Other, class = std::enable_if_t<!std::is_same_v<Other, Interface> &&
                                                    std::is_base_of_v<IUnknown, Other>>>
    _com_ptr_t& operator=(Other* other)
    {
        _com_ptr_t fresh(other);
        return *this = std::move(fresh);
    }
    _com_ptr_t& operator=(const _variant_t& value)
    {
        _com_ptr_t fresh(value);
        return *this = std::move(fresh);
    }

    HRESULT CreateInstance(const CLSID& clsid, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        ReleaseIfAny();
        if (!outer)
            return CoCreateInstance(clsid, nullptr, context, GetIID(), reinterpret_cast<void**>(&m_pInterface));
        IUnknown* inner = nullptr;
        HRESULT hr = CoCreateInstance(clsid, outer, context, IID_IUnknown, reinterpret_cast<void**>(&inner));
        if (FAILED(hr))
            return hr;
        hr = inner->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_pInterface));
        inner->Release();
        return hr;
    }
    HRESULT CreateInstance(const WCHAR* clsidOrProgId, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        if (!clsidOrProgId)
            return E_INVALIDARG;
        CLSID clsid;
        HRESULT hr = clsidOrProgId[0] == u'{' ? CLSIDFromString(clsidOrProgId, &clsid)
                                             : CLSIDFromProgID(clsidOrProgId, &clsid);
        if (FAILED(hr))
            return hr;
        return CreateInstance(clsid, outer, context);
    }
    HRESULT CreateInstance(const char* clsidOrProgId, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL)
    {
        if (!clsidOrProgId)
            return E_INVALIDARG;
        const std::u16string wide = tw::Utf8ToUtf16(clsidOrProgId);
        return CreateInstance(wide.c_str(), outer, context);
    }

    void Attach(Interface* pointer) noexcept
    {
        ReleaseIfAny();
        m_pInterface = pointer;
    }
    void Attach(Interface* pointer, bool fAddRef) noexcept
    {
        Attach(pointer);
        if (fAddRef)
            AddRefIfAny();
    }
    Interface* Detach() noexcept
    {
        Interface* pointer = m_pInterface;
        m_pInterface = nullptr;
        return pointer;
    }

    void AddRef()
    {
        if (!m_pInterface)
            _com_issue_error(E_POINTER);
        m_pInterface->AddRef();
    }
    void Release()
    {
        if (!m_pInterface)
            _com_issue_error(E_POINTER);
        m_pInterface->Release();
        m_pInterface = nullptr;
    }

    Interface* GetInterfacePtr() const noexcept { return m_pInterface; }
    Interface*& GetInterfacePtr() noexcept { return m_pInterface; }
    operator Interface*() const noexcept { return m_pInterface; }
    explicit operator bool() const noexcept { return m_pInterface != nullptr; }
    bool operator!() const noexcept { return m_pInterface == nullptr; }

    Interface& operator*() const
    {
        if (!m_pInterface)
            _com_issue_error(E_POINTER);
        return *m_pInterface;
    }
    Interface* operator->() const
    {
        if (!m_pInterface)
            _com_issue_error(E_POINTER);
        return m_pInterface;
    }
    // For an [out] pointer: the old reference is released first.
    Interface** operator&() noexcept
    {
        ReleaseIfAny();
        return &m_pInterface;
    }

    HRESULT QueryInterface(const IID& iid, void** pointer) const
    {
        if (!m_pInterface)
            return E_POINTER;
        return m_pInterface->QueryInterface(iid, pointer);
    }
    template <class T>
    HRESULT QueryInterface(const IID& iid, T*& pointer) const
    {
        return QueryInterface(iid, reinterpret_cast<void**>(&pointer));
    }

    bool operator==(const Interface* other) const noexcept { return m_pInterface == other; }
    bool operator!=(const Interface* other) const noexcept { return m_pInterface != other; }
    bool operator==(const _com_ptr_t& other) const noexcept { return m_pInterface == other.m_pInterface; }
    bool operator!=(const _com_ptr_t& other) const noexcept { return m_pInterface != other.m_pInterface; }
    bool operator==(std::nullptr_t) const noexcept { return m_pInterface == nullptr; }
    bool operator!=(std::nullptr_t) const noexcept { return m_pInterface != nullptr; }
    template <class Int, class = EnableIfInteger<Int>>
    bool operator==(Int null) const
    {
        RaiseUnlessZero(null);
        return m_pInterface == nullptr;
    }
    template <class Int, class = EnableIfInteger<Int>>
    bool operator!=(Int null) const
    {
        return !(*this == null);
    }

private:
    template <class Int>
    static void RaiseUnlessZero(Int null)
    {
        if (null != 0)
            _com_issue_error(E_POINTER);
    }

    void AddRefIfAny() noexcept
    {
        if (m_pInterface)
            m_pInterface->AddRef();
    }
    void ReleaseIfAny() noexcept
    {
        if (m_pInterface) {
            Interface* old = m_pInterface;
            m_pInterface = nullptr;
            old->Release();
        }
    }
    template <class Other>
    void QueryFrom(Other* other)
    {
        if (!other)
            return;
        const HRESULT hr = other->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_pInterface));
        if (FAILED(hr)) {
            m_pInterface = nullptr;
            if (hr != E_NOINTERFACE)
                _com_issue_error(hr);
        }
    }
    void QueryFromVariant(const _variant_t& value)
    {
        if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) {
            QueryFrom(value.punkVal);
            return;
        }
        IUnknown* unknown = static_cast<IUnknown*>(value); // raises when no object
        QueryFrom(unknown);
        if (unknown)
            unknown->Release();
    }
    static void RaiseUnlessCreated(HRESULT hr)
    {
        if (FAILED(hr) && hr != E_NOINTERFACE)
            _com_issue_error(hr);
    }

    Interface* m_pInterface = nullptr;
};

#define _COM_SMARTPTR_TYPEDEF(Interface, iid) typedef _com_ptr_t<_com_IIID<Interface, &iid>> Interface##Ptr

_COM_SMARTPTR_TYPEDEF(IUnknown, IID_IUnknown);
_COM_SMARTPTR_TYPEDEF(IDispatch, IID_IDispatch);
_COM_SMARTPTR_TYPEDEF(IErrorInfo, IID_IErrorInfo);
_COM_SMARTPTR_TYPEDEF(ICreateErrorInfo, IID_ICreateErrorInfo);
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, IID_ISupportErrorInfo);
