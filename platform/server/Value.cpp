#include "platform/server/Value.h"

#include <cmath>
#include <cstdio>

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

} // namespace tw::server
