// Exact decimal numbers of up to 38 digits, as decimal, numeric and money hold them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw::server {

class Decimal {
public:
    static constexpr int kMaxPrecision = 38;

    enum class Status { Ok, Overflow, DivideByZero };

    Decimal() = default;
    static Decimal FromInt(int64_t v);
    // sign, coefficient (below 10^38) and scale.
    static Decimal FromParts(bool negative, unsigned __int128 magnitude, int scale);
    // The shortest decimal digits that read back as the same double: 0.1 is 0.1,
    // not its binary tail. Nothing for infinities, NaN and values past 38 digits.
    static std::optional<Decimal> FromDouble(double v);
    // Plain decimal text: optional blanks, sign, digits with at most one point
    // ("-12.50", ".5", "7."). Fraction digits past 38 significant digits are
    // rounded off; nothing when the text is not such a number or too large.
    static std::optional<Decimal> Parse(std::string_view text);
    // As Parse, and also the exponent form SQLite gives a double it keeps as
    // text ("1.23456789012346e+19"), by that double's digits.
    static std::optional<Decimal> ParseStored(std::string_view text);

    bool IsNegative() const { return negative_; }
    bool IsZero() const { return magnitude_ == 0; }
    int Scale() const { return scale_; }
    // Digits left of the point (0 for 0.5).
    int WholeDigits() const;
    // The digits of the whole coefficient, at least 1.
    int Digits() const;

    // The value with `scale` decimals, rounded half away from zero; nothing
    // when that needs more than 38 digits.
    std::optional<Decimal> Rescaled(int scale) const;
    // Whether the value rounded to `scale` fits decimal(precision, scale).
    bool Fits(int precision, int scale) const;

    std::string ToText() const;
    // The whole part (truncated toward zero) when it fits 64 bits.
    std::optional<int64_t> ToInt64() const;
    double ToDouble() const;
    // Whether a double carries the value exactly enough to read back as the
    // same digits (at most 15 significant digits).
    bool FitsDouble() const;

    static int Compare(const Decimal& a, const Decimal& b);
    Decimal Negated() const;
    Decimal Abs() const;

    // Arithmetic rounded half away from zero to `scale` decimals; Overflow when
    // the result needs more than `precision` digits.
    static Status Add(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out);
    static Status Subtract(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out);
    static Status Multiply(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out);
    static Status Divide(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out);
    static Status Modulo(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out);

    // Rounding to `places` decimals (negative: left of the point) as ROUND does,
    // or truncating when `truncate`; the scale stays. Overflow when a digit is carried past 38.
    Status Round(int places, bool truncate, Decimal* out) const;
    // The nearest whole numbers at or below / at or above the value (scale 0).
    Decimal Floor() const;
    Decimal Ceiling() const;

private:
    bool negative_ = false;
    unsigned __int128 magnitude_ = 0;
    int scale_ = 0;
};

} // namespace tw::server
