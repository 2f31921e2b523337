#include "platform/server/Value.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/server/Decimal.h"

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

namespace {

// The common case of DecimalText without going through digit strings: when
// v * 10^scale is an integer n of at most 15 digits whose quotient n / 10^scale
// reads back as v, n with `scale` decimals is exactly what the shortest
// digits of v, rescaled, come to. False when that does not hold.
bool ShortDecimalText(double v, int scale, std::string& out)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (scale > 15 || !std::isfinite(v))
        return false;
    const double scaled = v * kPowers[scale];
    if (!(std::fabs(scaled) < 1e15))
        return false;
    const long long n = std::llround(scaled);
    if (n == 0 || static_cast<double>(n) / kPowers[scale] != v)
        return false;
    char digits[24];
    const int length = std::snprintf(digits, sizeof digits, "%lld", n < 0 ? -n : n);
    const int whole = std::max(1, length - scale);
    out.clear();
    if (n < 0)
        out += '-';
    if (length <= scale)
        out += '0';
    else
        out.append(digits, static_cast<size_t>(whole));
    if (scale > 0) {
        out += '.';
        if (length < scale)
            out.append(static_cast<size_t>(scale - length), '0');
        out.append(digits + std::max(0, length - scale), static_cast<size_t>(std::min(length, scale)));
    }
    return true;
}

} // namespace

void DecimalTextInto(double v, int scale, std::string& out)
{
    if (!ShortDecimalText(v, std::max(0, scale), out))
        out = DecimalText(v, scale);
}

std::string DecimalText(double v, int scale)
{
    scale = std::max(0, scale);
    std::string fast;
    if (ShortDecimalText(v, scale, fast))
        return fast;
    const auto d = Decimal::FromDouble(v);
    const auto r = d ? d->Rescaled(scale) : std::nullopt;
    if (r)
        return r->ToText();
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::min(scale, 38), v);
    return buffer;
}

bool NeedsDecimalText(const std::string& text)
{
    const auto d = Decimal::Parse(text);
    return d && !d->FitsDouble();
}

} // namespace tw::server
