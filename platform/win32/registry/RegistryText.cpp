#include "platform/win32/registry/RegistryText.h"

#include <cstdio>
#include <cstring>

#include "platform/win32/kernel/Utf8Text.h"

namespace tw::reg {
namespace text_detail {

constexpr std::string_view kHeader = "Tarnwick Registry 1";

void AppendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// Text values are written readably when they are valid UTF-8 with one
// closing NUL and no other.
bool IsPlainText(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    const char* p = reinterpret_cast<const char*>(data.data());
    const char* end = p + data.size() - 1;
    if (memchr(p, 0, data.size() - 1))
        return false;
    while (p < end) {
        if (!utf8::IsValidSequence(p, end))
            return false;
        p += utf8::SequenceLength(static_cast<unsigned char>(*p));
    }
    return true;
}

void AppendHexBytes(std::string& out, const std::vector<BYTE>& data)
{
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i) {
        snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", data[i]);
        out += byte;
    }
}

template <class T>
T LittleEndian(const std::vector<BYTE>& data)
{
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<T>(data[i]) << (8 * i);
    return value;
}

void AppendValue(std::string& out, const RegValue& value)
{
    if (value.name.empty())
        out += '@';
    else
        AppendQuoted(out, value.name);
    out += '=';
    char number[40];
    const std::string_view text(reinterpret_cast<const char*>(value.data.data()),
                                value.data.empty() ? 0 : value.data.size() - 1);
    if ((value.type == 1 || value.type == 2) && IsPlainText(value.data)) {
        if (value.type == 2)
            out += "str(2):";
        AppendQuoted(out, text);
    } else if (value.type == 4 && value.data.size() == 4) {
        snprintf(number, sizeof number, "dword:%08x", LittleEndian<uint32_t>(value.data));
        out += number;
    } else if (value.type == 11 && value.data.size() == 8) {
        snprintf(number, sizeof number, "qword:%016llx",
                 static_cast<unsigned long long>(LittleEndian<uint64_t>(value.data)));
        out += number;
    } else {
        if (value.type == 3) {
            out += "hex:";
        } else {
            snprintf(number, sizeof number, "hex(%x):", value.type);
            out += number;
        }
        AppendHexBytes(out, value.data);
    }
    out += '\n';
}

void AppendKey(std::string& out, const RegKey& key, const std::string& path, bool withHeader)
{
    if (key.isVolatile)
        return;
    if (withHeader) {
        out += "\n[" + path + "]\n";
        for (const auto& value : key.values)
            AppendValue(out, value);
    }
    for (const auto& child : key.subkeys)
        AppendKey(out, *child, path.empty() ? child->name : path + "\\" + child->name, true);
}

// --- reading -------------------------------------------------------------

// Reads a quoted string at p; returns false on a malformed one.
bool ParseQuoted(std::string_view line, size_t& pos, std::string& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    ++pos;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"')
            return true;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        const char e = line[pos++];
        switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (pos + 2 > line.size())
                return false;
            unsigned byte = 0;
            if (sscanf(std::string(line.substr(pos, 2)).c_str(), "%2x", &byte) != 1)
                return false;
            out += static_cast<char>(byte);
            pos += 2;
            break;
        }
        default: return false;
        }
    }
    return false;
}

bool ParseHexBytes(std::string_view text, std::vector<BYTE>& out)
{
    size_t pos = 0;
    while (pos < text.size()) {
        if (pos + 2 > text.size() || !isxdigit(static_cast<unsigned char>(text[pos])) ||
            !isxdigit(static_cast<unsigned char>(text[pos + 1])))
            return false;
        out.push_back(static_cast<BYTE>(std::stoul(std::string(text.substr(pos, 2)), nullptr, 16)));
        pos += 2;
        if (pos < text.size()) {
            if (text[pos] != ',')
                return false;
            ++pos;
            if (pos == text.size())
                return false;
        }
    }
    return true;
}

bool ParseHexNumber(std::string_view text, size_t digits, uint64_t& value)
{
    if (text.size() != digits)
        return false;
    value = 0;
    for (const char c : text) {
        if (!isxdigit(static_cast<unsigned char>(c)))
            return false;
        value = value * 16 + static_cast<uint64_t>(isdigit(static_cast<unsigned char>(c)) ? c - '0' : (tolower(c) - 'a' + 10));
    }
    return true;
}

bool ParseData(std::string_view text, DWORD& type, std::vector<BYTE>& data)
{
    auto fromText = [&](std::string_view quoted, DWORD t) {
        size_t pos = 0;
        std::string s;
        if (!ParseQuoted(quoted, pos, s) || pos != quoted.size())
            return false;
        type = t;
        data.assign(s.begin(), s.end());
        data.push_back(0);
        return true;
    };
    if (!text.empty() && text[0] == '"')
        return fromText(text, 1);
    if (text.rfind("str(2):", 0) == 0)
        return fromText(text.substr(7), 2);
    uint64_t number = 0;
    if (text.rfind("dword:", 0) == 0) {
        if (!ParseHexNumber(text.substr(6), 8, number))
            return false;
        type = 4;
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<BYTE>(number >> (8 * i)));
        return true;
    }
    if (text.rfind("qword:", 0) == 0) {
        if (!ParseHexNumber(text.substr(6), 16, number))
            return false;
        type = 11;
        for (int i = 0; i < 8; ++i)
            data.push_back(static_cast<BYTE>(number >> (8 * i)));
        return true;
    }
    if (text.rfind("hex:", 0) == 0) {
        type = 3;
        return ParseHexBytes(text.substr(4), data);
    }
    if (text.rfind("hex(", 0) == 0) {
        const size_t close = text.find("):");
        if (close == std::string_view::npos || close == 4 || close > 12)
            return false;
        uint64_t t = 0;
        if (!ParseHexNumber(text.substr(4, close - 4), close - 4, t) || t > 0xFFFFFFFFu)
            return false;
        type = static_cast<DWORD>(t);
        return ParseHexBytes(text.substr(close + 2), data);
    }
    return false;
}

RegKey* OpenPath(RegKey& top, std::string_view path)
{
    RegKey* key = &top;
    size_t pos = 0;
    while (pos < path.size()) {
        size_t end = path.find('\\', pos);
        if (end == std::string_view::npos)
            end = path.size();
        if (end == pos)
            return nullptr;
        bool created = false;
        key = key->AddSubkey(path.substr(pos, end - pos), created).get();
        pos = end + 1;
    }
    return key;
}

bool ParseValueLine(std::string_view line, RegKey& key)
{
    std::string name;
    size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else if (!ParseQuoted(line, pos, name) || name.empty()) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ParseData(line.substr(pos + 1), type, data))
        return false;
    key.SetValue(name, type, std::move(data));
    return true;
}

}  // namespace text_detail

std::string WriteRegistryText(const RegKey& top, bool withTop)
{
    std::string out(text_detail::kHeader);
    out += '\n';
    text_detail::AppendKey(out, top, "", withTop);
    return out;
}

int ReadRegistryText(std::string_view text, RegKey& top)
{
    if (text.empty())
        return 0;  // a hive that was never written holds nothing
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        pos = end + 1;
    }
    if (lines.empty() || lines[0] != text_detail::kHeader)
        return -1;
    int bad = 0;
    RegKey* current = nullptr;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            current = nullptr;
            if (line.back() != ']') {
                ++bad;
                continue;
            }
            current = text_detail::OpenPath(top, line.substr(1, line.size() - 2));
            if (!current)
                ++bad;
            continue;
        }
        if (!current || !text_detail::ParseValueLine(line, *current))
            ++bad;
    }
    return bad;
}

}  // namespace tw::reg
