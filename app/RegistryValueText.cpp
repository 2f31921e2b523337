#include "app/RegistryValueText.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32/kernel/PlatformPrintf.h"

namespace regtext_detail {

struct TypeNameEntry {
    DWORD type;
    const char* name;
};

// Reading looks names up in this order, so REG_DWORD reads as type 4.
constexpr TypeNameEntry kTypeNames[] = {
    {REG_SZ, "REG_SZ"},
    {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
    {REG_BINARY, "REG_BINARY"},
    {REG_DWORD, "REG_DWORD"},
    {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
    {REG_MULTI_SZ, "REG_MULTI_SZ"},
    {REG_RESOURCE_LIST, "REG_RESOURCE_LIST"},
    {REG_FULL_RESOURCE_DESCRIPTOR, "REG_FULL_RESOURCE_DESCRIPTOR"},
    {REG_RESOURCE_REQUIREMENTS_LIST, "REG_RESOURCE_REQUIREMENTS_LIST"},
    {REG_QWORD, "REG_QWORD"},
};

bool IsHexKind(DWORD dwType)
{
    return dwType == REG_BINARY || dwType == REG_RESOURCE_LIST || dwType == REG_FULL_RESOURCE_DESCRIPTOR ||
           dwType == REG_RESOURCE_REQUIREMENTS_LIST;
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

std::string Hex2(BYTE by)
{
    char pair[3];
    snprintf(pair, sizeof pair, "%02x", by);
    return pair;
}

// The data's bytes, padded with zeros to nWidth.
std::vector<BYTE> Padded(const BYTE* pData, DWORD nBytes, DWORD nWidth)
{
    std::vector<BYTE> bytes(nWidth, 0);
    memcpy(bytes.data(), pData, std::min(nBytes, nWidth));
    return bytes;
}

CString NumberText(DWORD dwType, const BYTE* pData, DWORD nBytes)
{
    const DWORD nWidth = dwType == REG_QWORD ? 8 : 4;
    const std::vector<BYTE> bytes = Padded(pData, nBytes, nWidth);
    std::string text = "0x";
    if (dwType == REG_DWORD_BIG_ENDIAN) {
        for (BYTE by : bytes)
            text += Hex2(by);
        const int32_t value = static_cast<int32_t>((uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) |
                                                   (uint32_t{bytes[2]} << 8) | bytes[3]);
        text += " (" + std::to_string(value) + ")";
        return text.c_str();
    }
    for (DWORD i = nWidth; i-- > 0;)
        text += Hex2(bytes[i]);
    if (dwType == REG_DWORD) {
        int32_t value = 0;
        memcpy(&value, bytes.data(), 4);
        text += " (" + std::to_string(value) + ")";
    }
    return text.c_str();
}

CString MultiStringText(const BYTE* pData, DWORD nBytes)
{
    std::string text;
    const char* pChars = reinterpret_cast<const char*>(pData);
    size_t pos = 0;
    bool bFirst = true;
    while (pos < nBytes) {
        const size_t nLength = strnlen(pChars + pos, nBytes - pos);
        if (nLength == 0)
            break;  // the closing NUL
        if (!bFirst)
            text += "\r\n";
        text.append(pChars + pos, nLength);
        bFirst = false;
        pos += nLength + 1;
    }
    return text.c_str();
}

BOOL HexPairsToData(const CString& strText, std::vector<BYTE>& data)
{
    const int nBytes = (strText.GetLength() + 1) / 3;
    for (int i = 0; i < nBytes; ++i) {
        const int nHigh = HexDigit(strText[3 * i]);
        const int nLow = 3 * i + 1 < strText.GetLength() ? HexDigit(strText[3 * i + 1]) : -1;
        if (nHigh < 0 || nLow < 0)
            return FALSE;
        data.push_back(static_cast<BYTE>(nHigh * 16 + nLow));
    }
    return TRUE;
}

// The hex digits after "0x", most significant first; the " (%d)" part and
// anything else after the digits is ignored.
BOOL HexNumber(const CString& strText, size_t nMaxDigits, uint64_t& value)
{
    value = 0;
    if (strText.IsEmpty())
        return TRUE;
    const char* p = strText.GetString();
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
        p += 2;
    size_t nDigits = 0;
    for (; nDigits < nMaxDigits && HexDigit(p[nDigits]) >= 0; ++nDigits)
        value = value * 16 + static_cast<uint64_t>(HexDigit(p[nDigits]));
    return nDigits > 0;
}

}  // namespace regtext_detail

CString CRegistryValueText::TypeName(DWORD dwType)
{
    if (dwType > REG_QWORD)
        return "";
    for (const auto& entry : regtext_detail::kTypeNames) {
        if (entry.type == dwType)
            return entry.name;
    }
    return "REG_SZ";
}

DWORD CRegistryValueText::TypeFromName(LPCTSTR lpszName)
{
    const CString strName(lpszName);
    for (const auto& entry : regtext_detail::kTypeNames) {
        if (strName.CompareNoCase(entry.name) == 0)
            return entry.type;
    }
    return REG_SZ;
}

CString CRegistryValueText::DataToText(DWORD dwType, const BYTE* pData, DWORD nBytes)
{
    if (regtext_detail::IsHexKind(dwType)) {
        std::string text;
        for (DWORD i = 0; i < nBytes; ++i) {
            if (i > 0)
                text += ' ';
            text += regtext_detail::Hex2(pData[i]);
        }
        return text.c_str();
    }
    switch (dwType) {
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
    case REG_QWORD:
        return regtext_detail::NumberText(dwType, pData, nBytes);
    case REG_MULTI_SZ:
        return regtext_detail::MultiStringText(pData, nBytes);
    case REG_LINK: {
        std::u16string wide(nBytes / 2, u'\0');
        memcpy(wide.data(), pData, wide.size() * 2);
        const size_t nul = wide.find(u'\0');
        if (nul != std::u16string::npos)
            wide.resize(nul);
        return tw::Utf16ToUtf8(wide).c_str();
    }
    default:
        return CString(reinterpret_cast<const char*>(pData),
                       static_cast<int>(strnlen(reinterpret_cast<const char*>(pData), nBytes)));
    }
}

BOOL CRegistryValueText::TextToData(DWORD dwType, const CString& strText, std::vector<BYTE>& data)
{
    data.clear();
    if (regtext_detail::IsHexKind(dwType))
        return regtext_detail::HexPairsToData(strText, data);
    switch (dwType) {
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
    case REG_QWORD: {
        const size_t nWidth = dwType == REG_QWORD ? 8 : 4;
        uint64_t value = 0;
        if (!regtext_detail::HexNumber(strText, nWidth * 2, value))
            return FALSE;
        data.resize(nWidth);
        for (size_t i = 0; i < nWidth; ++i) {
            const BYTE by = static_cast<BYTE>(value >> (8 * i));
            data[dwType == REG_DWORD_BIG_ENDIAN ? nWidth - 1 - i : i] = by;
        }
        return TRUE;
    }
    case REG_MULTI_SZ: {
        if (strText.IsEmpty())
            return TRUE;
        CString strList(strText);
        strList.Remove('\r');
        for (int i = 0; i < strList.GetLength(); ++i)
            data.push_back(strList[i] == '\n' ? BYTE{0} : static_cast<BYTE>(strList[i]));
        data.push_back(0);
        data.push_back(0);
        return TRUE;
    }
    default:
        data.assign(strText.GetString(), strText.GetString() + strText.GetLength());
        data.push_back(0);
        return TRUE;
    }
}

CString CRegistryValueText::Escape(const CString& strText)
{
    CString strEscaped(strText);
    strEscaped.Replace("&", "&amp;");
    strEscaped.Replace("\"", "&quot;");
    strEscaped.Replace("<", "&lt;");
    return strEscaped;
}

CString CRegistryValueText::Unescape(const CString& strText)
{
    static const std::pair<const char*, char> kEntities[] = {{"&lt;", '<'}, {"&quot;", '"'}, {"&amp;", '&'}};
    std::string result;
    const char* p = strText.GetString();
    const char* pEnd = p + strText.GetLength();
    while (p < pEnd) {
        bool bReplaced = false;
        for (const auto& [entity, ch] : kEntities) {
            const size_t nLength = strlen(entity);
            if (static_cast<size_t>(pEnd - p) >= nLength && strncmp(p, entity, nLength) == 0) {
                result += ch;
                p += nLength;
                bReplaced = true;
                break;
            }
        }
        if (!bReplaced)
            result += *p++;
    }
    return CString(result.data(), static_cast<int>(result.size()));
}
