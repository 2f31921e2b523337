#include "platform/dmo/SqlQuoting.h"

#include <cctype>

namespace tw::dmo {

namespace quoting_detail {

std::string Doubled(const std::string& text, char quote)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == quote)
            out += c;
    }
    return out;
}

// One part of a dotted name starting at pos; pos ends past the part.
std::string ReadPart(const std::string& text, size_t& pos)
{
    std::string part;
    if (pos < text.size() && text[pos] == '[') {
        ++pos;
        while (pos < text.size()) {
            if (text[pos] == ']') {
                if (pos + 1 < text.size() && text[pos + 1] == ']') {
                    part += ']';
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            part += text[pos++];
        }
        return part;
    }
    while (pos < text.size() && text[pos] != '.')
        part += text[pos++];
    return part;
}

} // namespace quoting_detail

std::string QuoteName(const std::string& name) { return "[" + quoting_detail::Doubled(name, ']') + "]"; }

std::string QuoteLiteral(const std::string& text) { return "N'" + quoting_detail::Doubled(text, '\'') + "'"; }

std::string QualifiedName(const std::string& owner, const std::string& name)
{
    if (owner.empty())
        return QuoteName(name);
    return QuoteName(owner) + "." + QuoteName(name);
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

OwnerAndName SplitOwnerName(const std::string& text)
{
    size_t pos = 0;
    std::string first = quoting_detail::ReadPart(text, pos);
    if (pos >= text.size() || text[pos] != '.')
        return {"", first};
    ++pos;
    std::string rest = quoting_detail::ReadPart(text, pos);
    if (pos < text.size()) // more than two parts: keep the remainder as the name
        rest += text.substr(pos);
    return {first, rest};
}

} // namespace tw::dmo
