#include "platform/com/VariantConvert.h"

#include <cstring>

#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

namespace {

// Converts through VariantChangeType; `store` takes the converted variant.
template <class Store>
HRESULT ConvertVariant(VARIANT& source, ULONG flags, VARTYPE target, Store store)
{
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = VariantChangeTypeEx(&result, &source, LOCALE_USER_DEFAULT, static_cast<USHORT>(flags), target);
    if (SUCCEEDED(hr))
        store(result);
    VariantClear(&result);
    return hr;
}

template <class Store>
HRESULT FromText(LPCOLESTR text, ULONG flags, VARTYPE target, Store store)
{
    if (!text)
        return E_INVALIDARG;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(text);
    if (!source.bstrVal)
        return E_OUTOFMEMORY;
    HRESULT hr = ConvertVariant(source, flags, target, store);
    VariantClear(&source);
    return hr;
}

HRESULT ToText(VARIANT& source, ULONG flags, BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    return ConvertVariant(source, flags, VT_BSTR, [out](VARIANT& result) {
        *out = result.bstrVal;
        result.vt = VT_EMPTY; // ownership passes to the caller
    });
}

VARIANT Make(VARTYPE vt)
{
    VARIANT v;
    std::memset(&v, 0, sizeof v);
    v.vt = vt;
    return v;
}

VARIANT MakeDecimal(const DECIMAL& value)
{
    VARIANT v;
    v.decVal = value;
    v.vt = VT_DECIMAL;
    return v;
}

} // namespace

HRESULT VarUI1FromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, BYTE* pbOut)
{
    return FromText(strIn, dwFlags, VT_UI1, [pbOut](VARIANT& r) { *pbOut = r.bVal; });
}

HRESULT VarI2FromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, SHORT* psOut)
{
    return FromText(strIn, dwFlags, VT_I2, [psOut](VARIANT& r) { *psOut = r.iVal; });
}

HRESULT VarI4FromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, LONG* plOut)
{
    return FromText(strIn, dwFlags, VT_I4, [plOut](VARIANT& r) { *plOut = r.lVal; });
}

HRESULT VarI8FromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, LONGLONG* pi64Out)
{
    return FromText(strIn, dwFlags, VT_I8, [pi64Out](VARIANT& r) { *pi64Out = r.llVal; });
}

HRESULT VarR4FromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, FLOAT* pfltOut)
{
    return FromText(strIn, dwFlags, VT_R4, [pfltOut](VARIANT& r) { *pfltOut = r.fltVal; });
}

HRESULT VarR8FromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, DOUBLE* pdblOut)
{
    return FromText(strIn, dwFlags, VT_R8, [pdblOut](VARIANT& r) { *pdblOut = r.dblVal; });
}

HRESULT VarCyFromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, CY* pcyOut)
{
    return FromText(strIn, dwFlags, VT_CY, [pcyOut](VARIANT& r) { *pcyOut = r.cyVal; });
}

HRESULT VarDecFromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, DECIMAL* pdecOut)
{
    return FromText(strIn, dwFlags, VT_DECIMAL, [pdecOut](VARIANT& r) {
        *pdecOut = r.decVal;
        pdecOut->wReserved = 0;
    });
}

HRESULT VarDateFromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, DATE* pdateOut)
{
    return FromText(strIn, dwFlags, VT_DATE, [pdateOut](VARIANT& r) { *pdateOut = r.date; });
}

HRESULT VarBoolFromStr(LPCOLESTR strIn, LCID, ULONG dwFlags, VARIANT_BOOL* pboolOut)
{
    return FromText(strIn, dwFlags, VT_BOOL, [pboolOut](VARIANT& r) { *pboolOut = r.boolVal; });
}

HRESULT VarBstrFromUI1(BYTE bVal, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_UI1);
    v.bVal = bVal;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromI2(SHORT iVal, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_I2);
    v.iVal = iVal;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromI4(LONG lIn, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_I4);
    v.lVal = lIn;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromI8(LONGLONG i64In, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_I8);
    v.llVal = i64In;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromR4(FLOAT fltIn, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_R4);
    v.fltVal = fltIn;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromR8(DOUBLE dblIn, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_R8);
    v.dblVal = dblIn;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromCy(CY cyIn, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    VARIANT v = Make(VT_CY);
    v.cyVal = cyIn;
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromDec(const DECIMAL* pdecIn, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    if (!pdecIn)
        return E_INVALIDARG;
    VARIANT v = MakeDecimal(*pdecIn);
    return ToText(v, dwFlags, pbstrOut);
}

HRESULT VarBstrFromDate(DATE dateIn, LCID, ULONG dwFlags, BSTR* pbstrOut)
{
    if (!pbstrOut)
        return E_INVALIDARG;
    std::string text;
    HRESULT hr = tw::vardate::Format(dateIn, dwFlags, text);
    if (FAILED(hr))
        return hr;
    *pbstrOut = tw::SysAllocStringUtf8(text.c_str());
    return *pbstrOut ? S_OK : E_OUTOFMEMORY;
}

HRESULT VarBstrFromBool(VARIANT_BOOL boolIn, LCID, ULONG, BSTR* pbstrOut)
{
    if (!pbstrOut)
        return E_INVALIDARG;
    *pbstrOut = tw::SysAllocStringUtf8(boolIn ? "True" : "False");
    return *pbstrOut ? S_OK : E_OUTOFMEMORY;
}

HRESULT VarI4FromR8(DOUBLE dblIn, LONG* plOut)
{
    VARIANT v = Make(VT_R8);
    v.dblVal = dblIn;
    return ConvertVariant(v, 0, VT_I4, [plOut](VARIANT& r) { *plOut = r.lVal; });
}

HRESULT VarI4FromCy(CY cyIn, LONG* plOut)
{
    VARIANT v = Make(VT_CY);
    v.cyVal = cyIn;
    return ConvertVariant(v, 0, VT_I4, [plOut](VARIANT& r) { *plOut = r.lVal; });
}

HRESULT VarI4FromDec(const DECIMAL* pdecIn, LONG* plOut)
{
    if (!pdecIn)
        return E_INVALIDARG;
    VARIANT v = MakeDecimal(*pdecIn);
    return ConvertVariant(v, 0, VT_I4, [plOut](VARIANT& r) { *plOut = r.lVal; });
}

HRESULT VarR8FromCy(CY cyIn, DOUBLE* pdblOut)
{
    VARIANT v = Make(VT_CY);
    v.cyVal = cyIn;
    return ConvertVariant(v, 0, VT_R8, [pdblOut](VARIANT& r) { *pdblOut = r.dblVal; });
}

HRESULT VarR8FromDec(const DECIMAL* pdecIn, DOUBLE* pdblOut)
{
    if (!pdecIn)
        return E_INVALIDARG;
    VARIANT v = MakeDecimal(*pdecIn);
    return ConvertVariant(v, 0, VT_R8, [pdblOut](VARIANT& r) { *pdblOut = r.dblVal; });
}

HRESULT VarCyFromR8(DOUBLE dblIn, CY* pcyOut)
{
    VARIANT v = Make(VT_R8);
    v.dblVal = dblIn;
    return ConvertVariant(v, 0, VT_CY, [pcyOut](VARIANT& r) { *pcyOut = r.cyVal; });
}

HRESULT VarCyFromI4(LONG lIn, CY* pcyOut)
{
    VARIANT v = Make(VT_I4);
    v.lVal = lIn;
    return ConvertVariant(v, 0, VT_CY, [pcyOut](VARIANT& r) { *pcyOut = r.cyVal; });
}

HRESULT VarCyFromDec(const DECIMAL* pdecIn, CY* pcyOut)
{
    if (!pdecIn)
        return E_INVALIDARG;
    VARIANT v = MakeDecimal(*pdecIn);
    return ConvertVariant(v, 0, VT_CY, [pcyOut](VARIANT& r) { *pcyOut = r.cyVal; });
}

HRESULT VarDecFromR8(DOUBLE dblIn, DECIMAL* pdecOut)
{
    VARIANT v = Make(VT_R8);
    v.dblVal = dblIn;
    return ConvertVariant(v, 0, VT_DECIMAL, [pdecOut](VARIANT& r) {
        *pdecOut = r.decVal;
        pdecOut->wReserved = 0;
    });
}

HRESULT VarDecFromI4(LONG lIn, DECIMAL* pdecOut)
{
    VARIANT v = Make(VT_I4);
    v.lVal = lIn;
    return ConvertVariant(v, 0, VT_DECIMAL, [pdecOut](VARIANT& r) {
        *pdecOut = r.decVal;
        pdecOut->wReserved = 0;
    });
}

HRESULT VarDecFromCy(CY cyIn, DECIMAL* pdecOut)
{
    VARIANT v = Make(VT_CY);
    v.cyVal = cyIn;
    return ConvertVariant(v, 0, VT_DECIMAL, [pdecOut](VARIANT& r) {
        *pdecOut = r.decVal;
        pdecOut->wReserved = 0;
    });
}

HRESULT VarDateFromR8(DOUBLE dblIn, DATE* pdateOut)
{
    VARIANT v = Make(VT_R8);
    v.dblVal = dblIn;
    return ConvertVariant(v, 0, VT_DATE, [pdateOut](VARIANT& r) { *pdateOut = r.date; });
}
