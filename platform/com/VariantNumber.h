// The exact numeric core behind the variant conversions: every numeric value
// (integers, currency, decimals, parsed text) is held as a sign, a 128-bit
// magnitude and a power-of-ten scale, so rounding to integers, currency and
// decimals is exact and round-half-even, as the platform rounds. Doubles stay
// doubles. Not part of the public surface.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/OleTypes.h"

namespace tw::varnum {

using Int128 = __int128;
using UInt128 = unsigned __int128;

struct Number {
    bool isReal = false;
    double real = 0.0;
    bool negative = false;
    UInt128 magnitude = 0;
    int scale = 0; // value = (negative ? -1 : 1) * magnitude / 10^scale
};

Number FromInteger(Int128 value);
Number FromUnsigned(ULONGLONG value);
Number FromReal(double value);
Number FromCurrency(LONGLONG value);
Number FromDecimal(const DECIMAL& value);

bool IsZero(const Number& value);

// en-US number text: blanks around, a sign or parentheses, "$", thousands
// commas, a decimal point, an exponent, or "&H"/"&O" radix prefixes.
// DISP_E_TYPEMISMATCH when it is not a number.
HRESULT ParseText(std::string_view text, Number& out);

// Round-half-even conversions; DISP_E_OVERFLOW when out of range.
HRESULT ToInteger(const Number& value, Int128 minimum, Int128 maximum, Int128& out);
HRESULT ToDouble(const Number& value, double& out);
HRESULT ToCurrency(const Number& value, LONGLONG& out);
HRESULT ToDecimal(const Number& value, DECIMAL& out);

// The platform's texts: doubles with the given significant digits ("%G"
// style), currency with up to four decimals, decimals without trailing zeros.
std::string FormatReal(double value, int significantDigits);
std::string FormatCurrency(LONGLONG value);
std::string FormatDecimal(const DECIMAL& value);

} // namespace tw::varnum
