#include "platform/mfc/COleDispatchDriver.h"

#include <cstring>
#include <vector>

#include "platform/com/ClassRegistry.h"

namespace tw::mfc {

namespace dispatch_driver_detail {

// The arguments of one call in DISPPARAMS order, with what must be undone
// or written back afterwards.
class CallArguments {
public:
    CallArguments(const BYTE* pbParamInfo, va_list argList)
    {
        const size_t count = pbParamInfo ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
        variants_.resize(count);
        owned_.assign(count, false);
        // Reserved so that pointers into it stay valid while filling.
        bools_.reserve(count);
        va_list walk;
        va_copy(walk, argList);
        try {
            for (size_t i = 0; i < count; ++i) {
                // The first argument goes last: DISPPARAMS holds them right to left.
                VARIANT& v = variants_[count - 1 - i];
                VariantInit(&v);
                Take(pbParamInfo[i], v, count - 1 - i, walk);
            }
        } catch (...) {
            va_end(walk);
            Clear();
            throw;
        }
        va_end(walk);
    }

    ~CallArguments() { Clear(); }

    CallArguments(const CallArguments&) = delete;
    CallArguments& operator=(const CallArguments&) = delete;

    VARIANT* Data() { return variants_.empty() ? nullptr : variants_.data(); }
    UINT Count() const { return static_cast<UINT>(variants_.size()); }

    void WriteBack()
    {
        for (const BoolOut& out : bools_)
            *out.target = out.value != VARIANT_FALSE ? TRUE : FALSE;
    }

private:
    struct BoolOut {
        VARIANT_BOOL value;
        BOOL* target;
    };

    void Clear()
    {
        for (size_t i = 0; i < variants_.size(); ++i) {
            if (owned_[i])
                VariantClear(&variants_[i]);
            owned_[i] = false;
        }
    }

    void Take(BYTE code, VARIANT& v, size_t index, va_list& argList)
    {
        if (code & VT_MFCBYREF) {
            TakeByRef(static_cast<VARTYPE>(code & ~VT_MFCBYREF), v, argList);
            return;
        }
        v.vt = code;
        switch (code) {
        case VT_UI1:
            v.bVal = static_cast<BYTE>(va_arg(argList, int));
            break;
        case VT_I2:
            v.iVal = static_cast<SHORT>(va_arg(argList, int));
            break;
        case VT_I4:
            v.lVal = va_arg(argList, LONG);
            break;
        case VT_R4:
            v.fltVal = static_cast<FLOAT>(va_arg(argList, double));
            break;
        case VT_R8:
            v.dblVal = va_arg(argList, double);
            break;
        case VT_DATE:
            v.date = va_arg(argList, double);
            break;
        case VT_CY:
            v.cyVal = va_arg(argList, CY);
            break;
        case VT_BSTR: {
            LPCOLESTR text = va_arg(argList, LPCOLESTR);
            v.bstrVal = SysAllocString(text);
            owned_[index] = true;
            break;
        }
        case VT_BSTRA: {
            LPCSTR text = va_arg(argList, LPCSTR);
            v.vt = VT_BSTR;
            v.bstrVal = tw::SysAllocStringUtf8(text ? text : "");
            owned_[index] = true;
            break;
        }
        case VT_DISPATCH:
            v.pdispVal = va_arg(argList, LPDISPATCH);
            break;
        case VT_ERROR:
            v.scode = va_arg(argList, SCODE);
            break;
        case VT_BOOL:
            v.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_VARIANT: {
            // The caller keeps its value; the call only reads it.
            const VARIANT* value = va_arg(argList, const VARIANT*);
            if (value)
                v = *value;
            else
                v.vt = VT_EMPTY;
            break;
        }
        case VT_UNKNOWN:
            v.punkVal = va_arg(argList, LPUNKNOWN);
            break;
        default:
            AfxThrowOleException(DISP_E_BADVARTYPE);
        }
    }

    void TakeByRef(VARTYPE type, VARIANT& v, va_list& argList)
    {
        v.vt = static_cast<VARTYPE>(type | VT_BYREF);
        switch (type) {
        case VT_UI1:
            v.pbVal = va_arg(argList, BYTE*);
            break;
        case VT_I2:
            v.piVal = va_arg(argList, SHORT*);
            break;
        case VT_I4:
            v.plVal = va_arg(argList, LONG*);
            break;
        case VT_R4:
            v.pfltVal = va_arg(argList, FLOAT*);
            break;
        case VT_R8:
            v.pdblVal = va_arg(argList, double*);
            break;
        case VT_DATE:
            v.pdate = va_arg(argList, DATE*);
            break;
        case VT_CY:
            v.pcyVal = va_arg(argList, CY*);
            break;
        case VT_BSTR:
            v.pbstrVal = va_arg(argList, BSTR*);
            break;
        case VT_DISPATCH:
            v.ppdispVal = va_arg(argList, LPDISPATCH*);
            break;
        case VT_ERROR:
            v.pscode = va_arg(argList, SCODE*);
            break;
        case VT_BOOL: {
            // The caller's BOOL is wider than the object's VARIANT_BOOL: the
            // object writes a copy of the right size, copied back afterwards.
            BOOL* target = va_arg(argList, BOOL*);
            bools_.push_back(BoolOut{target && *target ? VARIANT_TRUE : VARIANT_FALSE, target});
            v.pboolVal = target ? &bools_.back().value : nullptr;
            if (!target)
                bools_.pop_back();
            break;
        }
        case VT_VARIANT:
            v.pvarVal = va_arg(argList, VARIANT*);
            break;
        case VT_UNKNOWN:
            v.ppunkVal = va_arg(argList, LPUNKNOWN*);
            break;
        default:
            AfxThrowOleException(DISP_E_BADVARTYPE);
        }
    }

    std::vector<VARIANT> variants_;
    std::vector<bool> owned_;
    std::vector<BoolOut> bools_;
};

[[noreturn]] void ThrowDispatchException(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    auto* e = new COleDispatchException(info.bstrDescription ? tw::BstrToUtf8(info.bstrDescription).c_str() : "",
                                        info.dwHelpContext, info.wCode);
    e->m_strSource = info.bstrSource ? tw::BstrToUtf8(info.bstrSource).c_str() : "";
    e->m_strHelpFile = info.bstrHelpFile ? tw::BstrToUtf8(info.bstrHelpFile).c_str() : "";
    e->m_scError = info.scode ? info.scode : _com_error::WCodeToHRESULT(info.wCode);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    throw e;
}

void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;
        return;
    }
    const HRESULT hr = VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hr)) {
        VariantClear(&result);
        AfxThrowOleException(hr);
    }
    switch (vtRet) {
    case VT_UI1:
        *static_cast<BYTE*>(pvRet) = result.bVal;
        break;
    case VT_I2:
        *static_cast<SHORT*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<LONG*>(pvRet) = result.lVal;
        break;
    case VT_R4:
        *static_cast<FLOAT*>(pvRet) = result.fltVal;
        break;
    case VT_R8:
        *static_cast<double*>(pvRet) = result.dblVal;
        break;
    case VT_DATE:
        *static_cast<DATE*>(pvRet) = result.date;
        break;
    case VT_CY:
        *static_cast<CY*>(pvRet) = result.cyVal;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = tw::BstrToUtf8(result.bstrVal).c_str();
        VariantClear(&result);
        break;
    case VT_DISPATCH:
        // The reference the result held passes to the caller.
        *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal;
        break;
    case VT_UNKNOWN:
        *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal;
        break;
    case VT_ERROR:
        *static_cast<SCODE*>(pvRet) = result.scode;
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        break;
    default:
        VariantClear(&result);
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

}  // namespace dispatch_driver_detail

void InvokeHelperV(IDispatch* pDispatch, DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                   const BYTE* pbParamInfo, va_list argList)
{
    namespace d = dispatch_driver_detail;
    if (!pDispatch)
        AfxThrowOleException(E_UNEXPECTED);
    d::CallArguments args(pbParamInfo, argList);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{args.Data(), nullptr, args.Count(), 0};
    if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && params.cArgs > 0) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT argErr = 0;
    const HRESULT hr = pDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params,
                                         vtRet == VT_EMPTY ? nullptr : &result, &info, &argErr);
    if (hr == DISP_E_EXCEPTION)
        d::ThrowDispatchException(info);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    args.WriteBack();
    if (vtRet != VT_EMPTY && pvRet)
        d::StoreResult(result, vtRet, pvRet);
    else
        VariantClear(&result);
}

void SetPropertyV(IDispatch* pDispatch, DISPID dwDispID, VARTYPE vtProp, va_list argList)
{
    // A string property takes the program's text, as the wrappers pass it.
    const BYTE code = static_cast<BYTE>(vtProp == VT_BSTR ? VT_BSTRA : vtProp);
    const BYTE paramInfo[2] = {code, 0};
    const WORD flags =
        (vtProp == VT_DISPATCH || vtProp == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    InvokeHelperV(pDispatch, dwDispID, flags, VT_EMPTY, nullptr, paramInfo, argList);
}

}  // namespace tw::mfc

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch)
        m_lpDispatch->AddRef();
}

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this == &dispatchSrc)
        return *this;
    LPDISPATCH other = dispatchSrc.m_lpDispatch;
    if (other)
        other->AddRef();
    ReleaseDispatch();
    m_lpDispatch = other;
    m_bAutoRelease = TRUE;
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    IUnknown* unknown = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(&unknown));
    if (SUCCEEDED(hr)) {
        hr = OleRun(unknown);
        if (SUCCEEDED(hr))
            hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
        unknown->Release();
    }
    if (FAILED(hr)) {
        m_lpDispatch = nullptr;
        if (pError)
            pError->m_sc = hr;
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid{};
    BSTR name = tw::SysAllocStringUtf8(lpszProgID ? lpszProgID : "");
    const HRESULT hr = CLSIDFromString(name, &clsid);
    SysFreeString(name);
    if (FAILED(hr)) {
        if (pError)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    if (lpDispatch == m_lpDispatch) {
        m_bAutoRelease = bAutoRelease;
        return;
    }
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH detached = m_lpDispatch;
    m_lpDispatch = nullptr;
    return detached;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        tw::mfc::InvokeHelperV(m_lpDispatch, dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    va_list argList;
    va_start(argList, vtProp);
    try {
        tw::mfc::SetPropertyV(m_lpDispatch, dwDispID, vtProp, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}
