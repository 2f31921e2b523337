// How registry values read as text in the XML copies of registry trees: type
// names, the text of each type's data and the data made from such text, and
// the escaping of names and values in attributes.
#pragma once

#include <vector>

#include "platform/mfc/CString.h"
#include "platform/win32/registry/Registry.h"

class CRegistryValueText {
public:
    // "REG_SZ" for 0, 1 and 6; the empty string for types above 11.
    static CString TypeName(DWORD dwType);
    // Case-insensitive; unknown names are REG_SZ.
    static DWORD TypeFromName(LPCTSTR lpszName);

    // Strings as they are (up to their NUL), multi-strings joined by CR LF,
    // binary kinds as blank-separated hex pairs, DWORD as "0x0000002a (42)",
    // QWORD as "0x" and sixteen digits.
    static CString DataToText(DWORD dwType, const BYTE* pData, DWORD nBytes);
    // The inverse. Empty binary and multi-string text is empty data. FALSE
    // when the text cannot be data of that type.
    static BOOL TextToData(DWORD dwType, const CString& strText, std::vector<BYTE>& data);

    // "&" "&amp;", '"' "&quot;", "<" "&lt;".
    static CString Escape(const CString& strText);
    // Those three back, in one left-to-right pass.
    static CString Unescape(const CString& strText);
};
