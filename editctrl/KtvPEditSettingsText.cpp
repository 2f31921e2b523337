#include "editctrl/KtvPEditSettingsText.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

namespace ktvp_settings_text {

bool IsTrimmed(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

std::string Trim(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsTrimmed(text[first]))
        ++first;
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool IsWordByte(char ch)
{
    return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
}

// LT, GT and AMP stand for their characters only as words of their own:
// "DEFAULT" keeps its letters.
std::string ReplaceNamedEscapes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        if (!IsWordByte(text[at])) {
            out += text[at++];
            continue;
        }
        size_t end = at;
        while (end < text.size() && IsWordByte(text[end]))
            ++end;
        const std::string_view word(text.data() + at, end - at);
        if (word == "LT")
            out += '<';
        else if (word == "GT")
            out += '>';
        else if (word == "AMP")
            out += '&';
        else
            out += word;
        at = end;
    }
    return out;
}

std::string Unescape(std::string value)
{
    if (value.size() > 1 && value.front() == '"')
        value = value.substr(1, value.size() - 2);
    std::string out;
    out.reserve(value.size());
    for (size_t at = 0; at < value.size(); ++at) {
        if (value[at] == '\\' && at + 1 < value.size()) {
            const char next = value[at + 1];
            const char replaced = next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next == 'b' ? '\b' : 0;
            if (replaced != 0) {
                out += replaced;
                ++at;
                continue;
            }
        }
        out += value[at];
    }
    return ReplaceNamedEscapes(out);
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

struct NamedColor {
    const char* name;
    COLORREF color;
};

constexpr NamedColor kNamedColors[] = {
    {"black", RGB(0, 0, 0)},          {"darkred", RGB(128, 0, 0)},     {"darkgreen", RGB(0, 128, 0)},
    {"brown", RGB(128, 128, 0)},      {"darkblue", RGB(0, 0, 128)},    {"darkmagenta", RGB(128, 0, 128)},
    {"darkcyan", RGB(0, 128, 128)},   {"gray", RGB(192, 192, 192)},    {"darkgray", RGB(128, 128, 128)},
    {"red", RGB(255, 0, 0)},          {"green", RGB(0, 255, 0)},       {"yellow", RGB(255, 255, 0)},
    {"blue", RGB(0, 0, 255)},         {"magenta", RGB(255, 0, 255)},   {"cyan", RGB(0, 255, 255)},
    {"white", RGB(255, 255, 255)},
};

}  // namespace ktvp_settings_text

BOOL ExtractXMLTagValue(CString& strSource, LPCTSTR lpszName, CString& strValue, BOOL bUnescape)
{
    namespace st = ktvp_settings_text;
    const std::string source(static_cast<LPCTSTR>(strSource), static_cast<size_t>(strSource.GetLength()));
    const std::string open = std::string("<") + lpszName + ">";
    const std::string close = std::string("</") + lpszName + ">";
    const size_t begin = source.find(open);
    if (begin == std::string::npos)
        return FALSE;
    const size_t contentStart = begin + open.size();
    int depth = 1;
    size_t at = contentStart;
    size_t contentEnd = std::string::npos;
    while (at + close.size() <= source.size()) {
        if (source[at] != '<') {
            ++at;
            continue;
        }
        if (source.compare(at, open.size(), open) == 0) {
            ++depth;
            at += open.size();
        } else if (source.compare(at, close.size(), close) == 0) {
            if (--depth == 0) {
                contentEnd = at;
                break;
            }
            at += close.size();
        } else {
            ++at;
        }
    }
    if (contentEnd == std::string::npos)
        return FALSE;
    std::string value = st::Trim(std::string_view(source).substr(contentStart, contentEnd - contentStart));
    if (bUnescape)
        value = st::Unescape(value);
    strValue = CString(value.c_str(), static_cast<int>(value.size()));
    const std::string rest = source.substr(0, begin) + source.substr(contentEnd + close.size());
    strSource = CString(rest.c_str(), static_cast<int>(rest.size()));
    return TRUE;
}

COLORREF ParseXMLColor(const CString& strValue)
{
    namespace st = ktvp_settings_text;
    const std::string value(static_cast<LPCTSTR>(strValue), static_cast<size_t>(strValue.GetLength()));
    if (value.empty())
        return 0;
    if (value.front() == '"') {
        std::string name = value.size() > 1 ? value.substr(1, value.size() - 2) : std::string();
        for (char& ch : name)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        for (const auto& entry : st::kNamedColors) {
            if (name == entry.name)
                return entry.color;
        }
        return 0;
    }
    if (value.size() != 6)
        return 0;
    int channels[3] = {0, 0, 0};
    for (int channel = 0; channel < 3; ++channel) {
        const int high = st::HexDigit(value[channel * 2]);
        const int low = st::HexDigit(value[channel * 2 + 1]);
        // A value that is not hexadecimal is as malformed as any other: black.
        if (high < 0 || low < 0)
            return 0;
        channels[channel] = high * 16 + low;
    }
    return RGB(channels[0], channels[1], channels[2]);
}

BOOL ParseXMLBool(const CString& strValue)
{
    std::string value = ktvp_settings_text::Trim(std::string_view(strValue, strValue.GetLength()));
    for (char& ch : value)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return value == "true";
}
