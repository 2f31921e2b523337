#include "platform/com/Utf16.h"

namespace tw::com {

namespace utf16detail {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at text[pos], advancing pos past it. Overlong
// forms, surrogates and truncated sequences yield U+FFFD and consume one byte.
char32_t DecodeUtf8(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace utf16detail

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = utf16detail::DecodeUtf8(utf8, pos);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
            continue;
        }
        const char32_t v = cp - 0x10000;
        out += static_cast<char16_t>(0xD800 + (v >> 10));
        out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char32_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            const char32_t low = utf16[++i];
            utf16detail::AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            continue;
        }
        const bool loneSurrogate = unit >= 0xD800 && unit <= 0xDFFF;
        utf16detail::AppendUtf8(out, loneSurrogate ? utf16detail::kReplacement : unit);
    }
    return out;
}

size_t Utf16Length(const WCHAR* text)
{
    if (!text)
        return 0;
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

} // namespace tw::com
