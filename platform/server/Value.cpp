#include "platform/server/Value.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tw::server {

std::string Value::ToText() const
{
    switch (kind) {
    case ValueKind::Null: return "NULL";
    case ValueKind::Int: return std::to_string(integer);
    case ValueKind::Float: {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", real);
        return buffer;
    }
    case ValueKind::Binary: {
        static const char digits[] = "0123456789ABCDEF";
        std::string out = "0x";
        for (unsigned char c : text) {
            out += digits[c >> 4];
            out += digits[c & 15];
        }
        return out;
    }
    default: return text;
    }
}

namespace value_detail {

// Adds one to the last digit of a string of decimal digits.
void Increment(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace value_detail

std::string DecimalText(double v, int scale)
{
    scale = std::max(0, scale);
    if (!std::isfinite(v)) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", scale, v);
        return buffer;
    }
    char shortest[48];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(shortest, sizeof shortest, "%.*e", digits - 1, v);
        if (std::strtod(shortest, nullptr) == v)
            break;
    }
    // shortest is [-]d.ddde[+-]x: its digits, and where the point falls among them.
    const std::string text = shortest;
    const bool negative = text[0] == '-';
    const size_t e = text.find('e');
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < e; ++i)
        if (text[i] != '.')
            digits += text[i];
    const long point = std::strtol(text.c_str() + e + 1, nullptr, 10) + 1;
    std::string whole, fraction;
    if (point <= 0) {
        whole = "0";
        fraction = std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (static_cast<size_t>(point) >= digits.size()) {
        whole = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<size_t>(point));
        fraction = digits.substr(static_cast<size_t>(point));
    }
    const size_t places = static_cast<size_t>(scale);
    std::string all = whole + fraction.substr(0, std::min(places, fraction.size()));
    all.append(places - std::min(places, fraction.size()), '0');
    if (fraction.size() > places && fraction[places] >= '5')
        value_detail::Increment(all);
    whole = all.substr(0, all.size() - places);
    fraction = all.substr(all.size() - places);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    const bool zero = all.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + whole + (places ? "." + fraction : "");
}

} // namespace tw::server
