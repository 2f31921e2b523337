#include "session/VariantText.h"

#include <cstdio>

#include "platform/mfc/COleCurrency.h"
#include "platform/mfc/COleDateTime.h"

namespace {

// Names of the types 0 to 31 and 64 to 72; null where a type has none.
const char* VariantTypeName(VARTYPE vt)
{
    static const char* const kLow[] = {
        "VT_EMPTY", "VT_NULL", "VT_I2", "VT_I4", "VT_R4", "VT_R8", "VT_CY", "VT_DATE", "VT_BSTR",
        "VT_DISPATCH", "VT_ERROR", "VT_BOOL", "VT_VARIANT", "VT_UNKNOWN", nullptr, nullptr, "VT_I1", "VT_UI1",
        "VT_UI2", "VT_UI4", "VT_I8", "VT_UI8", "VT_INT", "VT_UINT", "VT_VOID", "VT_HRESULT", "VT_PTR",
        "VT_SAFEARRAY", "VT_CARRAY", "VT_USERDEFINED", "VT_LPSTR", "VT_LPWSTR"};
    static const char* const kHigh[] = {"VT_FILETIME",        "VT_BLOB",          "VT_STREAM",
                                        "VT_STORAGE",         "VT_STREAMED_OBJECT", "VT_STORED_OBJECT",
                                        "VT_BLOB_OBJECT",     "VT_CF",            "VT_CLSID"};
    if (vt < 32)
        return kLow[vt];
    if (vt >= 64 && vt <= 72)
        return kHigh[vt - 64];
    return nullptr;
}

CString FormatScalar(const VARIANT& value)
{
    CString text;
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return "NULL";
    case VT_I2:
        text.Format("%hd", value.iVal);
        return text;
    case VT_I4:
        text.Format("%d", static_cast<int>(value.lVal));
        return text;
    case VT_R4:
        text.Format("%e", static_cast<double>(value.fltVal));
        return text;
    case VT_R8:
        text.Format("%e", value.dblVal);
        return text;
    case VT_CY:
        return COleCurrency(value.cyVal).Format(0, LOCALE_USER_DEFAULT);
    case VT_DATE:
        return COleDateTime(value.date).Format("%c");
    case VT_BSTR:
        return value.bstrVal ? CString(static_cast<const char*>(_bstr_t(value.bstrVal, true))) : CString();
    case VT_BOOL:
        return value.boolVal ? "TRUE" : "FALSE";
    case VT_UI1:
        text.Format("0x%02hX", static_cast<unsigned short>(value.bVal));
        return text;
    case VT_I1:
        return "VT_I1";
    default:
        break;
    }
    const char* name = VariantTypeName(value.vt);
    return name ? CString(name) : CString("<Unknown>");
}

}  // namespace

CString VariantToText(const VARIANT& value)
{
    const VARTYPE flags = value.vt & (VT_ARRAY | VT_BYREF);
    if ((value.vt & ~(VT_ARRAY | VT_BYREF | VT_TYPEMASK)) != 0)
        return "<Unknown>";
    if (flags == 0)
        return FormatScalar(value);
    CString text;
    if (flags & VT_ARRAY)
        text += "Array of ";
    if (flags & VT_BYREF)
        text += "Pointer to ";
    if (const char* name = VariantTypeName(value.vt & VT_TYPEMASK))
        text += name;
    return text;
}

int FindNoCase(const CString& text, LPCTSTR piece, int start)
{
    if (piece == nullptr || start < 0 || start > text.GetLength())
        return -1;
    CString lowerText(text);
    CString lowerPiece(piece);
    lowerText.MakeLower();
    lowerPiece.MakeLower();
    return lowerText.Find(lowerPiece, start);
}
