#include "platform/com/Bstr.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32/kernel/Utf8Text.h"

namespace {

constexpr size_t kBstrPrefix = sizeof(DWORD);

// One block: byte count, the bytes, then two NUL bytes (three when the byte
// count is odd, so the string is NUL-terminated as UTF-16 as well).
BSTR AllocateBstrBytes(const void* bytes, UINT byteLength)
{
    const size_t total = kBstrPrefix + size_t(byteLength) + sizeof(OLECHAR) + 1;
    auto* block = static_cast<unsigned char*>(std::malloc(total));
    if (!block)
        return nullptr;
    const DWORD prefix = byteLength;
    std::memcpy(block, &prefix, kBstrPrefix);
    unsigned char* data = block + kBstrPrefix;
    if (bytes)
        std::memcpy(data, bytes, byteLength);
    else
        std::memset(data, 0, byteLength);
    std::memset(data + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(data);
}

unsigned char* BstrBlock(BSTR text)
{
    return reinterpret_cast<unsigned char*>(text) - kBstrPrefix;
}

} // namespace

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text)
        return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(tw::Utf16Length(text)));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length > (0x7FFFFFFFu - 16) / sizeof(OLECHAR))
        return nullptr;
    return AllocateBstrBytes(text, length * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT byteLength)
{
    if (byteLength > 0x7FFFFFFFu - 16)
        return nullptr;
    return AllocateBstrBytes(bytes, byteLength);
}

INT SysReAllocString(BSTR* target, const OLECHAR* text)
{
    return SysReAllocStringLen(target, text, static_cast<UINT>(tw::Utf16Length(text)));
}

// The source may lie inside the old string, so the new one is built first.
INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length)
{
    if (!target)
        return FALSE;
    BSTR fresh = SysAllocStringLen(text, length);
    if (!fresh)
        return FALSE;
    SysFreeString(*target);
    *target = fresh;
    return TRUE;
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(BstrBlock(text));
}

UINT SysStringByteLen(BSTR text)
{
    if (!text)
        return 0;
    DWORD prefix = 0;
    std::memcpy(&prefix, BstrBlock(text), kBstrPrefix);
    return prefix;
}

UINT SysStringLen(BSTR text)
{
    return SysStringByteLen(text) / sizeof(OLECHAR);
}

namespace tw {

BSTR SysAllocStringUtf8(const char* utf8)
{
    if (!utf8)
        return nullptr;
    // Most text is ASCII: widened straight into the string, with no copy between.
    size_t length = 0;
    while (utf8[length] && static_cast<unsigned char>(utf8[length]) < 0x80)
        ++length;
    if (!utf8[length] && length <= (0x7FFFFFFFu - 16) / sizeof(OLECHAR)) {
        BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        for (size_t i = 0; text && i < length; ++i)
            text[i] = static_cast<OLECHAR>(utf8[i]);
        return text;
    }
    const std::u16string wide = tw::Utf8ToUtf16(utf8);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string BstrToUtf8(BSTR text)
{
    return tw::Utf16ToUtf8(std::u16string_view(text ? text : u"", SysStringLen(text)));
}

} // namespace tw
