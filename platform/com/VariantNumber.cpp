#include "platform/com/VariantNumber.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tw::varnum {

namespace {

constexpr int kMaxDigits = 38;

UInt128 PowerOfTen(int exponent)
{
    UInt128 result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

std::string MagnitudeDigits(UInt128 magnitude)
{
    if (magnitude == 0)
        return "0";
    std::string digits;
    while (magnitude != 0) {
        digits.insert(digits.begin(), static_cast<char>('0' + int(magnitude % 10)));
        magnitude /= 10;
    }
    return digits;
}

// magnitude / 10^places, rounded half to even.
UInt128 DivideRounded(UInt128 magnitude, int places)
{
    if (places <= 0)
        return magnitude;
    if (places > kMaxDigits)
        return 0;
    const UInt128 divisor = PowerOfTen(places);
    UInt128 quotient = magnitude / divisor;
    const UInt128 remainder = magnitude % divisor;
    const UInt128 twice = remainder * 2; // remainder < 10^38, so no overflow
    if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
        ++quotient;
    return quotient;
}

bool MultiplyChecked(UInt128 value, int places, UInt128& out)
{
    const UInt128 limit = std::numeric_limits<UInt128>::max();
    for (int i = 0; i < places; ++i) {
        if (value > limit / 10)
            return false;
        value *= 10;
    }
    out = value;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

HRESULT ParseRadix(std::string_view digits, int radix, Number& out)
{
    if (digits.empty())
        return DISP_E_TYPEMISMATCH;
    UInt128 value = 0;
    for (char c : digits) {
        const int lower = std::tolower(static_cast<unsigned char>(c));
        int digit = -1;
        if (lower >= '0' && lower <= '9')
            digit = lower - '0';
        else if (lower >= 'a' && lower <= 'f')
            digit = lower - 'a' + 10;
        if (digit < 0 || digit >= radix)
            return DISP_E_TYPEMISMATCH;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFFFFFFFFFull)
            return DISP_E_OVERFLOW;
    }
    out = Number{};
    out.magnitude = value;
    return S_OK;
}

// Strips the sign, parentheses and currency symbol around the digits.
bool TakeSignAndSymbols(std::string_view& text, bool& negative)
{
    negative = false;
    bool signSeen = false;
    bool dollarSeen = false;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        signSeen = true;
        text = TrimBlanks(text.substr(1, text.size() - 2));
    }
    for (;;) {
        if (!text.empty() && (text.front() == '-' || text.front() == '+') && !signSeen) {
            negative = text.front() == '-';
            signSeen = true;
        } else if (!text.empty() && text.front() == '$' && !dollarSeen) {
            dollarSeen = true;
        } else {
            break;
        }
        text = TrimBlanks(text.substr(1));
    }
    if (!signSeen && !text.empty() && (text.back() == '-' || text.back() == '+')) {
        negative = text.back() == '-';
        text = TrimBlanks(text.substr(0, text.size() - 1));
    }
    if (!dollarSeen && !text.empty() && text.back() == '$')
        text = TrimBlanks(text.substr(0, text.size() - 1));
    return !text.empty();
}

struct DecimalDigits {
    std::string digits; // significant digits, no leading zeros
    long exponent = 0;  // value = digits * 10^exponent
};

bool ScanDecimal(std::string_view text, DecimalDigits& out)
{
    size_t pos = 0;
    bool anyDigit = false;
    bool pointSeen = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!(out.digits.empty() && c == '0'))
                out.digits += c;
            if (pointSeen)
                --out.exponent;
        } else if (c == ',' && !pointSeen && anyDigit) {
            continue;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    if (pos < text.size()) {
        const char marker = static_cast<char>(std::tolower(static_cast<unsigned char>(text[pos])));
        if (marker != 'e' && marker != 'd')
            return false;
        ++pos;
        bool exponentNegative = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            exponentNegative = text[pos++] == '-';
        if (pos >= text.size())
            return false;
        long exponent = 0;
        for (; pos < text.size(); ++pos) {
            if (text[pos] < '0' || text[pos] > '9')
                return false;
            exponent = std::min(exponent * 10 + (text[pos] - '0'), 100000L);
        }
        out.exponent += exponentNegative ? -exponent : exponent;
    }
    return true;
}

Number NumberFromDigits(const DecimalDigits& scanned, bool negative)
{
    Number out;
    out.negative = negative;
    if (scanned.digits.empty())
        return out;
    const long count = static_cast<long>(scanned.digits.size());
    const bool fitsExactly = count + std::max(scanned.exponent, 0L) <= kMaxDigits && -scanned.exponent <= kMaxDigits;
    if (!fitsExactly) {
        const std::string text = scanned.digits + "e" + std::to_string(scanned.exponent);
        out.isReal = true;
        out.real = std::strtod(text.c_str(), nullptr);
        if (negative)
            out.real = -out.real;
        return out;
    }
    UInt128 magnitude = 0;
    for (char c : scanned.digits)
        magnitude = magnitude * 10 + (c - '0');
    if (scanned.exponent > 0) {
        magnitude *= PowerOfTen(static_cast<int>(scanned.exponent));
    } else {
        out.scale = static_cast<int>(-scanned.exponent);
    }
    out.magnitude = magnitude;
    return out;
}

Int128 SignedValue(bool negative, UInt128 magnitude)
{
    return negative ? -static_cast<Int128>(magnitude) : static_cast<Int128>(magnitude);
}

} // namespace

Number FromInteger(Int128 value)
{
    Number out;
    out.negative = value < 0;
    out.magnitude = value < 0 ? static_cast<UInt128>(-value) : static_cast<UInt128>(value);
    return out;
}

Number FromUnsigned(ULONGLONG value)
{
    Number out;
    out.magnitude = value;
    return out;
}

Number FromReal(double value)
{
    Number out;
    out.isReal = true;
    out.real = value;
    return out;
}

Number FromCurrency(LONGLONG value)
{
    Number out = FromInteger(value);
    out.scale = 4;
    return out;
}

Number FromDecimal(const DECIMAL& value)
{
    Number out;
    out.negative = (value.sign & DECIMAL_NEG) != 0;
    out.magnitude = (static_cast<UInt128>(value.Hi32) << 64) | value.Lo64;
    out.scale = value.scale;
    return out;
}

bool IsZero(const Number& value)
{
    return value.isReal ? value.real == 0.0 : value.magnitude == 0;
}

HRESULT ParseText(std::string_view text, Number& out)
{
    text = TrimBlanks(text);
    if (StartsWithNoCase(text, "&h"))
        return ParseRadix(text.substr(2), 16, out);
    if (StartsWithNoCase(text, "&o"))
        return ParseRadix(text.substr(2), 8, out);
    bool negative = false;
    if (!TakeSignAndSymbols(text, negative))
        return DISP_E_TYPEMISMATCH;
    DecimalDigits scanned;
    if (!ScanDecimal(text, scanned))
        return DISP_E_TYPEMISMATCH;
    out = NumberFromDigits(scanned, negative);
    return S_OK;
}

HRESULT ToInteger(const Number& value, Int128 minimum, Int128 maximum, Int128& out)
{
    if (value.isReal) {
        if (!std::isfinite(value.real))
            return DISP_E_OVERFLOW;
        // Compared in long double, which holds every 64-bit limit exactly.
        const long double rounded = std::nearbyint(value.real);
        if (rounded < static_cast<long double>(minimum) || rounded > static_cast<long double>(maximum))
            return DISP_E_OVERFLOW;
        out = static_cast<Int128>(rounded);
        return S_OK;
    }
    const UInt128 magnitude = DivideRounded(value.magnitude, value.scale);
    if (magnitude > static_cast<UInt128>(std::numeric_limits<Int128>::max()))
        return DISP_E_OVERFLOW;
    const Int128 result = SignedValue(value.negative, magnitude);
    if (result < minimum || result > maximum)
        return DISP_E_OVERFLOW;
    out = result;
    return S_OK;
}

HRESULT ToDouble(const Number& value, double& out)
{
    if (value.isReal) {
        out = value.real;
        return S_OK;
    }
    const std::string text = MagnitudeDigits(value.magnitude) + "e-" + std::to_string(value.scale);
    out = std::strtod(text.c_str(), nullptr);
    if (value.negative)
        out = -out;
    return S_OK;
}

HRESULT ToCurrency(const Number& value, LONGLONG& out)
{
    const Int128 minimum = std::numeric_limits<LONGLONG>::min();
    const Int128 maximum = std::numeric_limits<LONGLONG>::max();
    Int128 scaled = 0;
    if (value.isReal) {
        HRESULT hr = ToInteger(FromReal(value.real * 10000.0), minimum, maximum, scaled);
        if (FAILED(hr))
            return hr;
        out = static_cast<LONGLONG>(scaled);
        return S_OK;
    }
    Number rescaled = value;
    if (value.scale <= 4) {
        if (!MultiplyChecked(value.magnitude, 4 - value.scale, rescaled.magnitude))
            return DISP_E_OVERFLOW;
        rescaled.scale = 0;
    } else {
        rescaled.scale = value.scale - 4;
    }
    HRESULT hr = ToInteger(rescaled, minimum, maximum, scaled);
    if (FAILED(hr))
        return hr;
    out = static_cast<LONGLONG>(scaled);
    return S_OK;
}

HRESULT ToDecimal(const Number& value, DECIMAL& out)
{
    Number exact = value;
    if (value.isReal) {
        if (!std::isfinite(value.real))
            return DISP_E_OVERFLOW;
        // The platform keeps a double's 15 significant digits, no more.
        HRESULT hr = ParseText(FormatReal(value.real, 15), exact);
        if (FAILED(hr))
            return hr;
        if (exact.isReal)
            return DISP_E_OVERFLOW;
    }
    const UInt128 limit = static_cast<UInt128>(1) << 96;
    while (exact.scale > 28 || (exact.magnitude >= limit && exact.scale > 0)) {
        exact.magnitude = DivideRounded(exact.magnitude, 1);
        --exact.scale;
    }
    if (exact.magnitude >= limit)
        return DISP_E_OVERFLOW;
    DECIMAL_SETZERO(out);
    out.Lo64 = static_cast<ULONGLONG>(exact.magnitude);
    out.Hi32 = static_cast<ULONG>(exact.magnitude >> 64);
    out.scale = static_cast<BYTE>(exact.scale);
    out.sign = exact.negative && exact.magnitude != 0 ? DECIMAL_NEG : 0;
    return S_OK;
}

std::string FormatReal(double value, int significantDigits)
{
    if (value == 0.0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    return buffer;
}

std::string FormatCurrency(LONGLONG value)
{
    const Int128 wide = value;
    const UInt128 magnitude = static_cast<UInt128>(wide < 0 ? -wide : wide);
    std::string text = wide < 0 ? "-" : "";
    text += MagnitudeDigits(magnitude / 10000);
    unsigned fraction = static_cast<unsigned>(magnitude % 10000);
    if (fraction == 0)
        return text;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04u", fraction);
    std::string decimals = digits;
    while (decimals.back() == '0')
        decimals.pop_back();
    return text + "." + decimals;
}

std::string FormatDecimal(const DECIMAL& value)
{
    const Number number = FromDecimal(value);
    std::string digits = MagnitudeDigits(number.magnitude);
    if (number.scale > 0) {
        if (static_cast<int>(digits.size()) <= number.scale)
            digits.insert(0, number.scale - digits.size() + 1, '0');
        digits.insert(digits.size() - number.scale, ".");
        while (digits.back() == '0')
            digits.pop_back();
        if (digits.back() == '.')
            digits.pop_back();
    }
    if (number.negative && number.magnitude != 0)
        digits.insert(0, "-");
    return digits;
}

} // namespace tw::varnum
