#include "platform/com/GuidText.h"

#include <cstdio>
#include <cstring>

#include "platform/com/TaskMemory.h"
#include "platform/win32/kernel/Utf8Text.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ReadHex(std::string_view text, size_t pos, int digits, unsigned long long& out)
{
    out = 0;
    for (int i = 0; i < digits; ++i) {
        const int value = HexValue(text[pos + i]);
        if (value < 0)
            return false;
        out = (out << 4) | static_cast<unsigned>(value);
    }
    return true;
}

HRESULT GiveTaskString(const std::string& text, LPOLESTR* out)
{
    if (!out)
        return E_INVALIDARG;
    const std::u16string wide = tw::Utf8ToUtf16(text);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(OLECHAR));
    *out = copy;
    return S_OK;
}

} // namespace

namespace tw::com {

std::string GuidToString(REFGUID guid)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return buffer;
}

bool GuidFromString(std::string_view text, GUID& out)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return false;
    if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-')
        return false;
    unsigned long long value = 0;
    GUID guid{};
    if (!ReadHex(text, 1, 8, value))
        return false;
    guid.Data1 = static_cast<DWORD>(value);
    if (!ReadHex(text, 10, 4, value))
        return false;
    guid.Data2 = static_cast<WORD>(value);
    if (!ReadHex(text, 15, 4, value))
        return false;
    guid.Data3 = static_cast<WORD>(value);
    static const size_t kBytePositions[] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(text, kBytePositions[i], 2, value))
            return false;
        guid.Data4[i] = static_cast<BYTE>(value);
    }
    out = guid;
    return true;
}

} // namespace tw::com

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    const std::u16string text = tw::Utf8ToUtf16(tw::com::GuidToString(rguid));
    const int needed = static_cast<int>(text.size()) + 1;
    if (!lpsz || cchMax < needed)
        return 0;
    std::memcpy(lpsz, text.c_str(), needed * sizeof(OLECHAR));
    return needed;
}

HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz)
{
    return GiveTaskString(tw::com::GuidToString(rclsid), lplpsz);
}

HRESULT StringFromIID(REFIID rclsid, LPOLESTR* lplpsz)
{
    return GiveTaskString(tw::com::GuidToString(rclsid), lplpsz);
}

HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid)
{
    if (!lpsz || !lpiid)
        return E_INVALIDARG;
    return tw::com::GuidFromString(tw::Utf16ToUtf8(lpsz), *lpiid) ? S_OK : E_INVALIDARG;
}
