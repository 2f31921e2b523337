#include "platform/win32/kernel/Utf8Text.h"

#include <clocale>
#include <cstring>
#include <cwctype>
#include <locale.h>

namespace tw::utf8 {
namespace utf8_detail {

// Case mapping follows the C library's UTF-8 locale, which knows the whole
// of Unicode; when it is missing, ASCII mapping stands in.
locale_t Utf8Locale()
{
    static locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        return l;
    }();
    return loc;
}

}  // namespace utf8_detail

size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

char32_t Decode(const char* p, const char* end, size_t& length)
{
    const auto* s = reinterpret_cast<const unsigned char*>(p);
    length = 1;
    if (p >= end)
        return 0;
    if (s[0] < 0x80)
        return s[0];
    if (!IsValidSequence(p, end))
        return 0xFFFD;
    const size_t n = SequenceLength(s[0]);
    char32_t c = s[0] & (n == 2 ? 0x1F : (n == 3 ? 0x0F : 0x07));
    for (size_t i = 1; i < n; ++i)
        c = (c << 6) | (s[i] & 0x3F);
    length = n;
    return c;
}

bool IsValidSequence(const char* p, const char* end)
{
    const auto* s = reinterpret_cast<const unsigned char*>(p);
    if (p >= end)
        return false;
    if (s[0] < 0x80)
        return true;
    const size_t n = SequenceLength(s[0]);
    if (n == 1 || static_cast<size_t>(end - p) < n)
        return false;
    for (size_t i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return false;
    }
    // Overlong forms, surrogates and values past U+10FFFF.
    if (s[0] == 0xE0 && s[1] < 0xA0)
        return false;
    if (s[0] == 0xED && s[1] >= 0xA0)
        return false;
    if (s[0] == 0xF0 && s[1] < 0x90)
        return false;
    if (s[0] == 0xF4 && s[1] >= 0x90)
        return false;
    return true;
}

void Append(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t ToUpper(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - 32 : c;
    locale_t loc = utf8_detail::Utf8Locale();
    return loc ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), loc)) : c;
}

char32_t ToLower(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    locale_t loc = utf8_detail::Utf8Locale();
    return loc ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), loc)) : c;
}

bool IsUpper(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z';
    locale_t loc = utf8_detail::Utf8Locale();
    return loc && iswupper_l(static_cast<wint_t>(c), loc);
}

bool IsLower(char32_t c)
{
    if (c < 0x80)
        return c >= 'a' && c <= 'z';
    locale_t loc = utf8_detail::Utf8Locale();
    return loc && iswlower_l(static_cast<wint_t>(c), loc);
}

bool IsAlpha(char32_t c)
{
    if (c < 0x80)
        return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    locale_t loc = utf8_detail::Utf8Locale();
    return loc && iswalpha_l(static_cast<wint_t>(c), loc);
}

bool IsAlnum(char32_t c)
{
    return IsAlpha(c) || (c >= '0' && c <= '9');
}

namespace utf8_detail {

template <class Map>
void MapInPlace(char* p, size_t length, Map map)
{
    char* end = p + length;
    while (p < end) {
        size_t n;
        const char32_t c = Decode(p, end, n);
        if (n == 1 && static_cast<unsigned char>(*p) >= 0x80) {
            ++p;
            continue;
        }
        const char32_t mapped = map(c);
        if (mapped != c) {
            std::string encoded;
            Append(mapped, encoded);
            if (encoded.size() == n)
                memcpy(p, encoded.data(), n);
        }
        p += n;
    }
}

}  // namespace utf8_detail

void UpperInPlace(char* p, size_t length)
{
    utf8_detail::MapInPlace(p, length, ToUpper);
}

void LowerInPlace(char* p, size_t length)
{
    utf8_detail::MapInPlace(p, length, ToLower);
}

const char* PreviousCharacter(const char* start, const char* p)
{
    if (p <= start)
        return start;
    const char* q = p - 1;
    // Back over at most three continuation bytes to a lead byte whose
    // sequence ends exactly at p.
    for (int back = 0; back < 3 && q > start && (static_cast<unsigned char>(*q) & 0xC0) == 0x80; ++back)
        --q;
    if (IsValidSequence(q, p) && q + SequenceLength(static_cast<unsigned char>(*q)) == p)
        return q;
    return p - 1;
}

}  // namespace tw::utf8

namespace tw {

size_t DecodeUtf8(std::string_view text, size_t at, char32_t& codePoint)
{
    if (at >= text.size())
        return 0;
    const char* p = text.data() + at;
    const char* end = text.data() + text.size();
    if (!utf8::IsValidSequence(p, end))
        return 0;
    size_t length = 0;
    codePoint = utf8::Decode(p, end, length);
    return length;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    utf8::Append(codePoint, out);
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    AppendUtf16AsUtf8(out, text);
    return out;
}

void AppendUtf16AsUtf8(std::string& out, std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp < 0x80) {
            out.push_back(char(cp));
            continue;
        }
        const bool high = cp >= 0xD800 && cp <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        utf8::Append(cp, out);
    }
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += static_cast<char16_t>(text[i++]);
            continue;
        }
        char32_t cp;
        const size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) {
            out += u'\xFFFD';
            ++i;
            continue;
        }
        i += length;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

size_t Utf16Length(const char16_t* text)
{
    size_t n = 0;
    if (text) {
        while (text[n])
            ++n;
    }
    return n;
}

}  // namespace tw
