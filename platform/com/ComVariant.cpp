#include "platform/com/ComVariant.h"

#include <cstring>
#include <limits>
#include <utility>

namespace {

void CheckResult(HRESULT hr)
{
    if (FAILED(hr))
        _com_issue_error(hr);
}

void ResetVariant(VARIANT& v)
{
    std::memset(&v, 0, sizeof v);
}

bool SameValue(const VARIANT& a, const VARIANT& b)
{
    if (a.vt != b.vt)
        return false;
    if (a.vt & VT_BYREF)
        return a.byref == b.byref;
    if (a.vt & VT_ARRAY)
        return a.parray == b.parray;
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_I1:
    case VT_UI1: return a.bVal == b.bVal;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: return a.iVal == b.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR: return a.lVal == b.lVal;
    case VT_R4: return a.fltVal == b.fltVal;
    case VT_R8: return a.dblVal == b.dblVal;
    case VT_DATE: return a.date == b.date;
    case VT_I8:
    case VT_UI8:
    case VT_CY: return a.llVal == b.llVal;
    case VT_DECIMAL:
        return a.decVal.signscale == b.decVal.signscale && a.decVal.Hi32 == b.decVal.Hi32 &&
               a.decVal.Lo64 == b.decVal.Lo64;
    case VT_BSTR: {
        const UINT bytes = SysStringByteLen(a.bstrVal);
        return bytes == SysStringByteLen(b.bstrVal) && (bytes == 0 || std::memcmp(a.bstrVal, b.bstrVal, bytes) == 0);
    }
    case VT_DISPATCH:
    case VT_UNKNOWN: return a.punkVal == b.punkVal;
    default: return false;
    }
}

} // namespace

_variant_t::_variant_t() noexcept
{
    ResetVariant(*this);
}

_variant_t::_variant_t(const VARIANT& source)
{
    ResetVariant(*this);
    CheckResult(VariantCopy(this, &source));
}

_variant_t::_variant_t(const VARIANT* source)
{
    ResetVariant(*this);
    if (!source)
        _com_issue_error(E_POINTER);
    CheckResult(VariantCopy(this, source));
}

_variant_t::_variant_t(const _variant_t& source) : _variant_t(static_cast<const VARIANT&>(source)) {}

_variant_t::_variant_t(_variant_t&& source) noexcept
{
    *static_cast<VARIANT*>(this) = source;
    ResetVariant(source);
}

_variant_t::_variant_t(VARIANT& source, bool fCopy)
{
    ResetVariant(*this);
    if (fCopy) {
        CheckResult(VariantCopy(this, &source));
        return;
    }
    *static_cast<VARIANT*>(this) = source;
    ResetVariant(source);
}

_variant_t::_variant_t(short value, VARTYPE vtSrc)
{
    ResetVariant(*this);
    if (vtSrc != VT_I2 && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else
        iVal = value;
}

_variant_t::_variant_t(int value, VARTYPE vtSrc)
{
    ResetVariant(*this);
    if (vtSrc != VT_I4 && vtSrc != VT_INT && vtSrc != VT_ERROR && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else
        lVal = value;
}

_variant_t::_variant_t(long value)
{
    ResetVariant(*this);
    if (value >= std::numeric_limits<LONG>::min() && value <= std::numeric_limits<LONG>::max()) {
        vt = VT_I4;
        lVal = static_cast<LONG>(value);
    } else {
        vt = VT_I8;
        llVal = value;
    }
}

_variant_t::_variant_t(long long value)
{
    ResetVariant(*this);
    vt = VT_I8;
    llVal = value;
}

_variant_t::_variant_t(float value)
{
    ResetVariant(*this);
    vt = VT_R4;
    fltVal = value;
}

_variant_t::_variant_t(double value, VARTYPE vtSrc)
{
    ResetVariant(*this);
    if (vtSrc != VT_R8 && vtSrc != VT_DATE)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    dblVal = value;
}

_variant_t::_variant_t(const CY& value)
{
    ResetVariant(*this);
    vt = VT_CY;
    cyVal = value;
}

_variant_t::_variant_t(const _bstr_t& value)
{
    ResetVariant(*this);
    bstrVal = value.copy();
    vt = VT_BSTR;
}

_variant_t::_variant_t(const WCHAR* value)
{
    ResetVariant(*this);
    bstrVal = SysAllocString(value);
    if (value && !bstrVal)
        _com_issue_error(E_OUTOFMEMORY);
    vt = VT_BSTR;
}

_variant_t::_variant_t(const char* value)
{
    ResetVariant(*this);
    SetString(value);
}

_variant_t::_variant_t(IDispatch* value, bool fAddRef)
{
    ResetVariant(*this);
    vt = VT_DISPATCH;
    pdispVal = value;
    if (value && fAddRef)
        value->AddRef();
}

_variant_t::_variant_t(IUnknown* value, bool fAddRef)
{
    ResetVariant(*this);
    vt = VT_UNKNOWN;
    punkVal = value;
    if (value && fAddRef)
        value->AddRef();
}

_variant_t::_variant_t(bool value)
{
    ResetVariant(*this);
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(const DECIMAL& value)
{
    ResetVariant(*this);
    decVal = value;
    vt = VT_DECIMAL;
}

_variant_t::_variant_t(BYTE value)
{
    ResetVariant(*this);
    vt = VT_UI1;
    bVal = value;
}

_variant_t::_variant_t(char value)
{
    ResetVariant(*this);
    vt = VT_I1;
    cVal = value;
}

_variant_t::_variant_t(unsigned short value)
{
    ResetVariant(*this);
    vt = VT_UI2;
    uiVal = value;
}

_variant_t::_variant_t(unsigned int value)
{
    ResetVariant(*this);
    vt = VT_UI4;
    ulVal = value;
}

_variant_t::_variant_t(unsigned long value)
{
    ResetVariant(*this);
    if (value <= std::numeric_limits<ULONG>::max()) {
        vt = VT_UI4;
        ulVal = static_cast<ULONG>(value);
    } else {
        vt = VT_UI8;
        ullVal = value;
    }
}

_variant_t::_variant_t(unsigned long long value)
{
    ResetVariant(*this);
    vt = VT_UI8;
    ullVal = value;
}

_variant_t::~_variant_t()
{
    VariantClear(this);
}

_variant_t& _variant_t::operator=(const _variant_t& source)
{
    return *this = static_cast<const VARIANT&>(source);
}

_variant_t& _variant_t::operator=(_variant_t&& source) noexcept
{
    if (this != &source) {
        VariantClear(this);
        *static_cast<VARIANT*>(this) = source;
        ResetVariant(source);
    }
    return *this;
}

_variant_t& _variant_t::operator=(const VARIANT& source)
{
    CheckResult(VariantCopy(this, &source));
    return *this;
}

_variant_t& _variant_t::operator=(const VARIANT* source)
{
    if (!source)
        _com_issue_error(E_POINTER);
    return *this = *source;
}

_variant_t _variant_t::Converted(VARTYPE target) const
{
    _variant_t result;
    CheckResult(VariantChangeType(&result, this, 0, target));
    return result;
}

_variant_t::operator short() const { return vt == VT_I2 ? iVal : Converted(VT_I2).iVal; }
_variant_t::operator int() const { return vt == VT_I4 ? lVal : Converted(VT_I4).lVal; }
_variant_t::operator long() const { return vt == VT_I4 ? lVal : Converted(VT_I8).llVal; }
_variant_t::operator long long() const { return vt == VT_I8 ? llVal : Converted(VT_I8).llVal; }
_variant_t::operator unsigned short() const { return vt == VT_UI2 ? uiVal : Converted(VT_UI2).uiVal; }
_variant_t::operator unsigned int() const { return vt == VT_UI4 ? ulVal : Converted(VT_UI4).ulVal; }
_variant_t::operator unsigned long() const { return vt == VT_UI4 ? ulVal : Converted(VT_UI8).ullVal; }
_variant_t::operator unsigned long long() const { return vt == VT_UI8 ? ullVal : Converted(VT_UI8).ullVal; }
_variant_t::operator float() const { return vt == VT_R4 ? fltVal : Converted(VT_R4).fltVal; }
_variant_t::operator double() const { return vt == VT_R8 ? dblVal : Converted(VT_R8).dblVal; }
_variant_t::operator CY() const { return vt == VT_CY ? cyVal : Converted(VT_CY).cyVal; }
_variant_t::operator bool() const { return (vt == VT_BOOL ? boolVal : Converted(VT_BOOL).boolVal) != 0; }
_variant_t::operator BYTE() const { return vt == VT_UI1 ? bVal : Converted(VT_UI1).bVal; }
_variant_t::operator char() const { return vt == VT_I1 ? cVal : Converted(VT_I1).cVal; }

_variant_t::operator DECIMAL() const
{
    DECIMAL value = vt == VT_DECIMAL ? decVal : Converted(VT_DECIMAL).decVal;
    value.wReserved = 0;
    return value;
}

_variant_t::operator _bstr_t() const
{
    if (vt == VT_BSTR)
        return _bstr_t(bstrVal, true);
    _variant_t text = Converted(VT_BSTR);
    BSTR owned = text.bstrVal;
    text.vt = VT_EMPTY;
    return _bstr_t(owned, false);
}

_variant_t::operator IDispatch*() const
{
    if (vt == VT_DISPATCH) {
        if (pdispVal)
            pdispVal->AddRef();
        return pdispVal;
    }
    _variant_t object = Converted(VT_DISPATCH);
    IDispatch* result = object.pdispVal;
    object.vt = VT_EMPTY;
    return result;
}

_variant_t::operator IUnknown*() const
{
    if (vt == VT_UNKNOWN) {
        if (punkVal)
            punkVal->AddRef();
        return punkVal;
    }
    _variant_t object = Converted(VT_UNKNOWN);
    IUnknown* result = object.punkVal;
    object.vt = VT_EMPTY;
    return result;
}

bool _variant_t::operator==(const VARIANT& other) const { return SameValue(*this, other); }
bool _variant_t::operator==(const VARIANT* other) const { return other && SameValue(*this, *other); }
bool _variant_t::operator!=(const VARIANT& other) const { return !(*this == other); }
bool _variant_t::operator!=(const VARIANT* other) const { return !(*this == other); }

void _variant_t::Clear()
{
    CheckResult(VariantClear(this));
}

void _variant_t::Attach(VARIANT& source)
{
    Clear();
    *static_cast<VARIANT*>(this) = source;
    ResetVariant(source);
}

VARIANT _variant_t::Detach() noexcept
{
    VARIANT value = *this;
    ResetVariant(*this);
    return value;
}

VARIANT& _variant_t::GetVARIANT() noexcept
{
    return *this;
}

VARIANT* _variant_t::GetAddress()
{
    Clear();
    return this;
}

void _variant_t::ChangeType(VARTYPE vartype, const _variant_t* pSrc)
{
    const VARIANT* source = pSrc ? pSrc : this;
    if (source->vt == vartype && source == this)
        return;
    CheckResult(VariantChangeType(this, source, 0, vartype));
}

void _variant_t::SetString(const char* utf8)
{
    BSTR text = tw::SysAllocStringUtf8(utf8);
    if (utf8 && !text)
        _com_issue_error(E_OUTOFMEMORY);
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = text;
}

// _bstr_t's conversions from a variant live here, beside the variant.
_bstr_t::_bstr_t(const _variant_t& value) : _bstr_t(value.operator _bstr_t()) {}

_bstr_t& _bstr_t::operator=(const _variant_t& value)
{
    return *this = value.operator _bstr_t();
}
