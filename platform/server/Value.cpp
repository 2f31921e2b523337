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

std::string DecimalText(double v, int scale)
{
    scale = std::max(0, scale);
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
