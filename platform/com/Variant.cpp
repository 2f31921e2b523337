#include "platform/com/Variant.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "platform/com/Bstr.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Unknown.h"
#include "platform/com/VariantDate.h"
#include "platform/com/VariantNumber.h"

namespace {

using tw::varnum::Int128;
using tw::varnum::Number;

bool IsKnownBaseType(VARTYPE base)
{
    return base <= VT_DECIMAL || (base >= VT_I1 && base <= VT_UINT);
}

bool IsValidVariantType(VARTYPE vt)
{
    const VARTYPE base = vt & VT_TYPEMASK;
    const VARTYPE flags = vt & ~VT_TYPEMASK;
    if (flags & ~(VT_ARRAY | VT_BYREF))
        return false;
    if (!IsKnownBaseType(base))
        return false;
    if ((flags & VT_ARRAY) && (base == VT_EMPTY || base == VT_NULL))
        return false;
    if (flags == VT_BYREF && (base == VT_EMPTY || base == VT_NULL))
        return false;
    // A variant never holds a variant directly, only by reference or in arrays.
    return !(base == VT_VARIANT && flags == 0);
}

size_t ValueSize(VARTYPE base)
{
    switch (base) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    default:
        return 8;
    }
}

// A shallow view of the value a by-reference variant points at.
HRESULT Dereference(const VARIANT& in, VARIANT& view)
{
    if (!(in.vt & VT_BYREF)) {
        view = in;
        return S_OK;
    }
    if (!in.byref)
        return E_INVALIDARG;
    const VARTYPE base = in.vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        if (in.pvarVal->vt & VT_BYREF)
            return E_INVALIDARG;
        view = *in.pvarVal;
        return S_OK;
    }
    std::memset(&view, 0, sizeof view);
    if (base == VT_DECIMAL) {
        view.decVal = *in.pdecVal;
    } else if (base & VT_ARRAY) {
        view.parray = *in.pparray;
    } else {
        std::memcpy(&view.llVal, in.byref, ValueSize(base));
    }
    view.vt = base;
    return S_OK;
}

HRESULT ToNumber(const VARIANT& v, Number& out)
{
    using namespace tw::varnum;
    switch (v.vt) {
    case VT_EMPTY: out = FromInteger(0); return S_OK;
    case VT_I1: out = FromInteger(v.cVal); return S_OK;
    case VT_UI1: out = FromInteger(v.bVal); return S_OK;
    case VT_I2: out = FromInteger(v.iVal); return S_OK;
    case VT_UI2: out = FromInteger(v.uiVal); return S_OK;
    case VT_I4: out = FromInteger(v.lVal); return S_OK;
    case VT_UI4: out = FromInteger(v.ulVal); return S_OK;
    case VT_INT: out = FromInteger(v.intVal); return S_OK;
    case VT_UINT: out = FromInteger(v.uintVal); return S_OK;
    case VT_I8: out = FromInteger(v.llVal); return S_OK;
    case VT_UI8: out = FromUnsigned(v.ullVal); return S_OK;
    case VT_BOOL: out = FromInteger(v.boolVal); return S_OK;
    case VT_R4: out = FromReal(v.fltVal); return S_OK;
    case VT_R8: out = FromReal(v.dblVal); return S_OK;
    case VT_DATE: out = FromReal(v.date); return S_OK;
    case VT_CY: out = FromCurrency(v.cyVal.int64); return S_OK;
    case VT_DECIMAL:
        if (v.decVal.scale > 28)
            return E_INVALIDARG;
        out = FromDecimal(v.decVal);
        return S_OK;
    case VT_BSTR: return ParseText(tw::BstrToUtf8(v.bstrVal), out);
    default: return DISP_E_TYPEMISMATCH;
    }
}

template <class T>
HRESULT StoreInteger(const Number& n, T& field)
{
    Int128 value = 0;
    HRESULT hr = tw::varnum::ToInteger(n, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), value);
    if (SUCCEEDED(hr))
        field = static_cast<T>(value);
    return hr;
}

HRESULT StoreReal(const Number& n, VARTYPE target, VARIANT& out)
{
    double value = 0;
    tw::varnum::ToDouble(n, value);
    if (target == VT_R4) {
        if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
            return DISP_E_OVERFLOW;
        out.fltVal = static_cast<float>(value);
    } else if (target == VT_DATE) {
        if (!(value >= tw::vardate::kMinimumDate && value < tw::vardate::kMaximumDate + 1e-8))
            return DISP_E_OVERFLOW;
        out.date = value;
    } else {
        out.dblVal = value;
    }
    return S_OK;
}

HRESULT FromNumber(const Number& n, VARTYPE target, VARIANT& out)
{
    HRESULT hr = DISP_E_TYPEMISMATCH;
    switch (target) {
    case VT_I1: hr = StoreInteger(n, out.cVal); break;
    case VT_UI1: hr = StoreInteger(n, out.bVal); break;
    case VT_I2: hr = StoreInteger(n, out.iVal); break;
    case VT_UI2: hr = StoreInteger(n, out.uiVal); break;
    case VT_I4: hr = StoreInteger(n, out.lVal); break;
    case VT_UI4: hr = StoreInteger(n, out.ulVal); break;
    case VT_INT: hr = StoreInteger(n, out.intVal); break;
    case VT_UINT: hr = StoreInteger(n, out.uintVal); break;
    case VT_I8: hr = StoreInteger(n, out.llVal); break;
    case VT_UI8: hr = StoreInteger(n, out.ullVal); break;
    case VT_R4:
    case VT_R8:
    case VT_DATE: hr = StoreReal(n, target, out); break;
    case VT_CY: hr = tw::varnum::ToCurrency(n, out.cyVal.int64); break;
    case VT_BOOL:
        out.boolVal = tw::varnum::IsZero(n) ? VARIANT_FALSE : VARIANT_TRUE;
        hr = S_OK;
        break;
    case VT_DECIMAL: {
        DECIMAL value;
        hr = tw::varnum::ToDecimal(n, value);
        if (SUCCEEDED(hr))
            out.decVal = value;
        break;
    }
    default: break;
    }
    if (SUCCEEDED(hr))
        out.vt = target;
    return hr;
}

HRESULT FormatAsText(const VARIANT& v, USHORT flags, std::string& out)
{
    using namespace tw::varnum;
    switch (v.vt) {
    case VT_EMPTY: out.clear(); return S_OK;
    case VT_I1: out = std::to_string(v.cVal); return S_OK;
    case VT_UI1: out = std::to_string(v.bVal); return S_OK;
    case VT_I2: out = std::to_string(v.iVal); return S_OK;
    case VT_UI2: out = std::to_string(v.uiVal); return S_OK;
    case VT_I4: out = std::to_string(v.lVal); return S_OK;
    case VT_UI4: out = std::to_string(v.ulVal); return S_OK;
    case VT_INT: out = std::to_string(v.intVal); return S_OK;
    case VT_UINT: out = std::to_string(v.uintVal); return S_OK;
    case VT_I8: out = std::to_string(v.llVal); return S_OK;
    case VT_UI8: out = std::to_string(v.ullVal); return S_OK;
    case VT_BOOL:
        if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
            out = v.boolVal ? "True" : "False";
        else
            out = std::to_string(v.boolVal);
        return S_OK;
    case VT_R4: out = FormatReal(v.fltVal, 7); return S_OK;
    case VT_R8: out = FormatReal(v.dblVal, 15); return S_OK;
    case VT_CY: out = FormatCurrency(v.cyVal.int64); return S_OK;
    case VT_DECIMAL: out = FormatDecimal(v.decVal); return S_OK;
    case VT_DATE: return tw::vardate::Format(v.date, 0, out);
    default: return DISP_E_TYPEMISMATCH;
    }
}

std::string TrimmedLower(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    size_t first = 0;
    while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    text.erase(0, first);
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

HRESULT ConvertText(const VARIANT& source, VARTYPE target, VARIANT& result)
{
    const std::string text = tw::BstrToUtf8(source.bstrVal);
    if (target == VT_DATE) {
        HRESULT hr = tw::vardate::Parse(text, result.date);
        if (SUCCEEDED(hr))
            result.vt = VT_DATE;
        return hr;
    }
    if (target == VT_BOOL) {
        const std::string word = TrimmedLower(text);
        if (word == "true" || word == "false") {
            result.boolVal = word == "true" ? VARIANT_TRUE : VARIANT_FALSE;
            result.vt = VT_BOOL;
            return S_OK;
        }
    }
    Number number;
    HRESULT hr = ToNumber(source, number);
    if (FAILED(hr))
        return hr;
    return FromNumber(number, target, result);
}

HRESULT ConvertValue(const VARIANT& source, USHORT flags, VARTYPE target, VARIANT& result);

HRESULT ConvertObject(const VARIANT& source, USHORT flags, VARTYPE target, VARIANT& result)
{
    if (target == VT_DISPATCH || target == VT_UNKNOWN) {
        if (!source.punkVal) {
            result.punkVal = nullptr;
            result.vt = target;
            return S_OK;
        }
        const IID& iid = target == VT_DISPATCH ? IID_IDispatch : IID_IUnknown;
        void* found = nullptr;
        if (FAILED(source.punkVal->QueryInterface(iid, &found)))
            return DISP_E_TYPEMISMATCH;
        result.punkVal = static_cast<IUnknown*>(found);
        result.vt = target;
        return S_OK;
    }
    if (source.vt != VT_DISPATCH || (flags & VARIANT_NOVALUEPROP) || !source.pdispVal)
        return DISP_E_TYPEMISMATCH;
    VARIANT value;
    VariantInit(&value);
    DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
    HRESULT hr = source.pdispVal->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                         &noArguments, &value, nullptr, nullptr);
    if (FAILED(hr))
        return DISP_E_TYPEMISMATCH;
    // An object whose value is an object again would loop.
    hr = value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN ? DISP_E_TYPEMISMATCH
                                                           : ConvertValue(value, flags, target, result);
    VariantClear(&value);
    return hr;
}

HRESULT ConvertValue(const VARIANT& source, USHORT flags, VARTYPE target, VARIANT& result)
{
    if (source.vt == target)
        return VariantCopy(&result, &source);
    if ((source.vt | target) & VT_ARRAY)
        return DISP_E_TYPEMISMATCH;
    if (source.vt == VT_NULL || target == VT_NULL || target == VT_EMPTY)
        return DISP_E_TYPEMISMATCH;
    if (source.vt == VT_EMPTY && (target == VT_DISPATCH || target == VT_UNKNOWN)) {
        result.punkVal = nullptr;
        result.vt = target;
        return S_OK;
    }
    if (source.vt == VT_DISPATCH || source.vt == VT_UNKNOWN)
        return ConvertObject(source, flags, target, result);
    if (target == VT_BSTR) {
        std::string text;
        HRESULT hr = FormatAsText(source, flags, text);
        if (FAILED(hr))
            return hr;
        result.bstrVal = tw::SysAllocStringUtf8(text.c_str());
        if (!result.bstrVal)
            return E_OUTOFMEMORY;
        result.vt = VT_BSTR;
        return S_OK;
    }
    if (source.vt == VT_ERROR || target == VT_ERROR || target == VT_DISPATCH || target == VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    if (source.vt == VT_BSTR)
        return ConvertText(source, target, result);
    Number number;
    HRESULT hr = ToNumber(source, number);
    if (FAILED(hr))
        return hr;
    return FromNumber(number, target, result);
}

} // namespace

void VariantInit(VARIANTARG* pvarg)
{
    if (!pvarg)
        return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg)
{
    if (!pvarg)
        return E_INVALIDARG;
    if (!IsValidVariantType(pvarg->vt))
        return DISP_E_BADVARTYPE;
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt & VT_ARRAY) {
            HRESULT hr = SafeArrayDestroy(pvarg->parray);
            if (FAILED(hr))
                return hr;
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if (pvarg->vt == VT_DISPATCH || pvarg->vt == VT_UNKNOWN) {
            if (pvarg->punkVal)
                pvarg->punkVal->Release();
        }
    }
    VariantInit(pvarg);
    pvarg->llVal = 0;
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc)
{
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    if (!IsValidVariantType(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr))
        return hr;
    *pvargDest = *pvargSrc;
    if (pvargSrc->vt & VT_BYREF)
        return S_OK;
    if (pvargSrc->vt & VT_ARRAY) {
        hr = SafeArrayCopy(pvargSrc->parray, &pvargDest->parray);
        if (FAILED(hr))
            VariantInit(pvargDest);
        return hr;
    }
    if (pvargSrc->vt == VT_BSTR && pvargSrc->bstrVal) {
        pvargDest->bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(pvargSrc->bstrVal),
                                                   SysStringByteLen(pvargSrc->bstrVal));
        if (!pvargDest->bstrVal) {
            VariantInit(pvargDest);
            return E_OUTOFMEMORY;
        }
    } else if ((pvargSrc->vt == VT_DISPATCH || pvargSrc->vt == VT_UNKNOWN) && pvargSrc->punkVal) {
        pvargSrc->punkVal->AddRef();
    }
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc)
{
    if (!pvarDest || !pvargSrc)
        return E_INVALIDARG;
    if (!(pvargSrc->vt & VT_BYREF))
        return VariantCopy(pvarDest, pvargSrc);
    if (!IsValidVariantType(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    VARIANT view;
    HRESULT hr = Dereference(*pvargSrc, view);
    if (FAILED(hr))
        return hr;
    VARIANT copy;
    VariantInit(&copy);
    hr = VariantCopy(&copy, &view);
    if (FAILED(hr))
        return hr;
    hr = VariantClear(pvarDest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *pvarDest = copy;
    return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID /*lcid*/, USHORT wFlags,
                            VARTYPE vt)
{
    if (!pvargDest || !pvarSrc)
        return E_INVALIDARG;
    if ((vt & VT_BYREF) || !IsValidVariantType(vt) || !IsValidVariantType(pvarSrc->vt))
        return DISP_E_BADVARTYPE;
    VARIANT view;
    HRESULT hr = Dereference(*pvarSrc, view);
    if (FAILED(hr))
        return hr;
    VARIANT result;
    VariantInit(&result);
    hr = ConvertValue(view, wFlags, vt, result);
    if (FAILED(hr))
        return hr;
    hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    *pvargDest = result;
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt)
{
    return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}
