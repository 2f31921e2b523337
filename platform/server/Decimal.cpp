#include "platform/server/Decimal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tw::server {

namespace decimal_detail {

using u128 = unsigned __int128;

// A 256-bit unsigned integer: room for the product of two 38-digit numbers and
// for a dividend scaled up by 38 more digits.
struct Wide {
    uint64_t w[4] = {0, 0, 0, 0}; // least significant first

    static Wide From(u128 v)
    {
        Wide x;
        x.w[0] = static_cast<uint64_t>(v);
        x.w[1] = static_cast<uint64_t>(v >> 64);
        return x;
    }
    bool IsZero() const { return !(w[0] | w[1] | w[2] | w[3]); }
    bool FitsU128() const { return !(w[2] | w[3]); }
    u128 Low() const { return (static_cast<u128>(w[1]) << 64) | w[0]; }

    // Multiplies by m in place; false when the result passes 256 bits.
    bool MulSmall(uint64_t m)
    {
        u128 carry = 0;
        for (uint64_t& limb : w) {
            const u128 p = static_cast<u128>(limb) * m + carry;
            limb = static_cast<uint64_t>(p);
            carry = p >> 64;
        }
        return carry == 0;
    }
    // Divides by d in place and returns the remainder.
    uint64_t DivSmall(uint64_t d)
    {
        u128 rem = 0;
        for (int i = 3; i >= 0; --i) {
            const u128 cur = (rem << 64) | w[i];
            w[i] = static_cast<uint64_t>(cur / d);
            rem = cur % d;
        }
        return static_cast<uint64_t>(rem);
    }
    void AddSmall(uint64_t v)
    {
        for (uint64_t& limb : w) {
            const uint64_t before = limb;
            limb += v;
            if (limb >= before)
                return;
            v = 1;
        }
    }
};

int Compare(const Wide& a, const Wide& b)
{
    for (int i = 3; i >= 0; --i)
        if (a.w[i] != b.w[i])
            return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
}

Wide Add(const Wide& a, const Wide& b)
{
    Wide r;
    u128 carry = 0;
    for (int i = 0; i < 4; ++i) {
        const u128 s = static_cast<u128>(a.w[i]) + b.w[i] + carry;
        r.w[i] = static_cast<uint64_t>(s);
        carry = s >> 64;
    }
    return r;
}

// a - b for a >= b.
Wide Sub(const Wide& a, const Wide& b)
{
    Wide r;
    uint64_t borrow = 0;
    for (int i = 0; i < 4; ++i) {
        const uint64_t d = a.w[i] - b.w[i] - borrow;
        borrow = (a.w[i] < b.w[i] || (a.w[i] == b.w[i] && borrow)) ? 1 : 0;
        r.w[i] = d;
    }
    return r;
}

Wide Mul(u128 a, u128 b)
{
    const uint64_t a0 = static_cast<uint64_t>(a), a1 = static_cast<uint64_t>(a >> 64);
    const uint64_t b0 = static_cast<uint64_t>(b), b1 = static_cast<uint64_t>(b >> 64);
    Wide r;
    const uint64_t parts[2][2] = {{a0, a1}, {b0, b1}};
    for (int i = 0; i < 2; ++i) {
        u128 carry = 0;
        for (int j = 0; j < 2; ++j) {
            const u128 p = static_cast<u128>(parts[0][i]) * parts[1][j] + r.w[i + j] + carry;
            r.w[i + j] = static_cast<uint64_t>(p);
            carry = p >> 64;
        }
        r.w[i + 2] = static_cast<uint64_t>(carry);
    }
    return r;
}

// Quotient and remainder of a / d, bit by bit (d is at most 128 bits).
Wide DivMod(const Wide& a, u128 d, u128* remainder)
{
    Wide q;
    u128 rem = 0;
    for (int bit = 255; bit >= 0; --bit) {
        const bool top = (rem >> 127) != 0;
        rem = (rem << 1) | ((a.w[bit / 64] >> (bit % 64)) & 1);
        if (top || rem >= d) {
            rem -= d;
            q.w[bit / 64] |= uint64_t{1} << (bit % 64);
        }
    }
    *remainder = rem;
    return q;
}

// Multiplies by 10^k; false when that passes 256 bits.
bool ScaleUp(Wide& x, int k)
{
    for (; k > 0; k -= 19) {
        uint64_t m = 1;
        for (int i = 0; i < std::min(k, 19); ++i)
            m *= 10;
        if (!x.MulSmall(m))
            return false;
    }
    return true;
}

// Divides by 10^k rounding half away from zero (the magnitude's side).
void ScaleDown(Wide& x, int k, bool truncate = false)
{
    // Only the highest dropped digits decide: half away from zero rounds up
    // exactly when they are at least half of their block.
    bool roundUp = false;
    while (k > 0) {
        const int step = std::min(k, 19);
        uint64_t m = 1;
        for (int i = 0; i < step; ++i)
            m *= 10;
        const uint64_t rem = x.DivSmall(m);
        k -= step;
        roundUp = rem >= m / 2;
    }
    if (roundUp && !truncate)
        x.AddSmall(1);
}

u128 Pow10(int k)
{
    u128 r = 1;
    for (int i = 0; i < k; ++i)
        r *= 10;
    return r;
}

int DigitCount(u128 v)
{
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

std::string Digits(u128 v)
{
    std::string s;
    do {
        s += static_cast<char>('0' + static_cast<int>(v % 10));
        v /= 10;
    } while (v);
    std::reverse(s.begin(), s.end());
    return s;
}

} // namespace decimal_detail

using namespace decimal_detail;

Decimal Decimal::FromInt(int64_t v)
{
    Decimal d;
    d.negative_ = v < 0;
    d.magnitude_ = v < 0 ? static_cast<u128>(-(v + 1)) + 1 : static_cast<u128>(v);
    return d;
}

std::optional<Decimal> Decimal::FromDouble(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    char shortest[48];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(shortest, sizeof shortest, "%.*e", digits - 1, v);
        if (std::strtod(shortest, nullptr) == v)
            break;
    }
    // [-]d.ddde[+-]x: the digits, then the exponent moves the point.
    const std::string text = shortest;
    const size_t e = text.find('e');
    const long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const long point = exponent + 1; // digits before the point
    if (point > kMaxPrecision)
        return std::nullopt;
    std::string plain;
    if (point <= 0)
        plain = "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    else if (static_cast<size_t>(point) >= digits.size())
        plain = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    else
        plain = digits.substr(0, static_cast<size_t>(point)) + "." + digits.substr(static_cast<size_t>(point));
    auto d = Parse(plain);
    if (d && v < 0 && !d->IsZero())
        d->negative_ = true;
    return d;
}

std::optional<Decimal> Decimal::Parse(std::string_view text)
{
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < text.size() && blank(text[i]))
        ++i;
    size_t end = text.size();
    while (end > i && blank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::string whole, fraction;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c == '.' && !point)
            point = true;
        else if (c >= '0' && c <= '9')
            (point ? fraction : whole) += c;
        else
            return std::nullopt;
    }
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (static_cast<int>(whole.size()) > kMaxPrecision)
        return std::nullopt;
    // Keep as many fraction digits as 38 significant digits allow; round the rest.
    size_t keep = fraction.size();
    if (whole.empty()) {
        const size_t lead = std::min(fraction.find_first_not_of('0'), fraction.size());
        keep = std::min(keep, lead + kMaxPrecision);
        keep = std::min<size_t>(keep, kMaxPrecision);
    } else {
        keep = std::min(keep, static_cast<size_t>(kMaxPrecision) - whole.size());
    }
    const bool roundUp = keep < fraction.size() && fraction[keep] >= '5';
    fraction.resize(keep);
    Wide w;
    for (char c : whole + fraction) {
        w.MulSmall(10);
        w.AddSmall(static_cast<uint64_t>(c - '0'));
    }
    if (roundUp)
        w.AddSmall(1);
    Decimal d;
    d.scale_ = static_cast<int>(keep);
    if (!w.FitsU128() || w.Low() >= Pow10(kMaxPrecision)) {
        // A carry made a 39th digit: give up one decimal.
        if (d.scale_ == 0)
            return std::nullopt;
        ScaleDown(w, 1);
        --d.scale_;
    }
    d.magnitude_ = w.Low();
    d.negative_ = negative && d.magnitude_ != 0;
    return d;
}

Decimal Decimal::FromParts(bool negative, unsigned __int128 magnitude, int scale)
{
    Decimal d;
    d.magnitude_ = magnitude;
    d.scale_ = scale;
    d.negative_ = negative && magnitude != 0;
    return d;
}

std::optional<Decimal> Decimal::ParseStored(std::string_view text)
{
    if (auto d = Parse(text))
        return d;
    const std::string copy(text);
    if (copy.find_first_of("eE") == std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str() || *end != '\0')
        return std::nullopt;
    return FromDouble(v);
}

int Decimal::Digits() const { return DigitCount(magnitude_); }

int Decimal::WholeDigits() const
{
    const int digits = Digits();
    return magnitude_ == 0 || digits <= scale_ ? 0 : digits - scale_;
}

std::optional<Decimal> Decimal::Rescaled(int scale) const
{
    scale = std::clamp(scale, 0, kMaxPrecision);
    Wide w = Wide::From(magnitude_);
    if (scale >= scale_)
        ScaleUp(w, scale - scale_);
    else
        ScaleDown(w, scale_ - scale);
    if (!w.FitsU128() || w.Low() >= Pow10(kMaxPrecision))
        return std::nullopt;
    Decimal d;
    d.magnitude_ = w.Low();
    d.scale_ = scale;
    d.negative_ = negative_ && d.magnitude_ != 0;
    return d;
}

bool Decimal::Fits(int precision, int scale) const
{
    const auto r = Rescaled(scale);
    return r && r->magnitude_ < Pow10(std::clamp(precision, 1, kMaxPrecision));
}

std::string Decimal::ToText() const
{
    std::string digits = decimal_detail::Digits(magnitude_);
    if (static_cast<int>(digits.size()) <= scale_)
        digits.insert(0, static_cast<size_t>(scale_ + 1) - digits.size(), '0');
    if (scale_ > 0)
        digits.insert(digits.size() - static_cast<size_t>(scale_), ".");
    return (negative_ ? "-" : "") + digits;
}

std::optional<int64_t> Decimal::ToInt64() const
{
    const u128 whole = magnitude_ / Pow10(scale_);
    const u128 limit = static_cast<u128>(INT64_MAX) + (negative_ ? 1 : 0);
    if (whole > limit)
        return std::nullopt;
    if (negative_)
        return whole == limit ? INT64_MIN : -static_cast<int64_t>(whole);
    return static_cast<int64_t>(whole);
}

double Decimal::ToDouble() const { return std::strtod(ToText().c_str(), nullptr); }

bool Decimal::FitsDouble() const
{
    u128 m = magnitude_;
    while (m != 0 && m % 10 == 0)
        m /= 10;
    return m < Pow10(15);
}

int Decimal::Compare(const Decimal& a, const Decimal& b)
{
    if (a.negative_ != b.negative_)
        return a.negative_ ? -1 : 1;
    Wide x = Wide::From(a.magnitude_), y = Wide::From(b.magnitude_);
    const int scale = std::max(a.scale_, b.scale_);
    ScaleUp(x, scale - a.scale_);
    ScaleUp(y, scale - b.scale_);
    const int c = decimal_detail::Compare(x, y);
    return a.negative_ ? -c : c;
}

Decimal Decimal::Negated() const
{
    Decimal d = *this;
    d.negative_ = !negative_ && magnitude_ != 0;
    return d;
}

Decimal Decimal::Abs() const
{
    Decimal d = *this;
    d.negative_ = false;
    return d;
}

namespace decimal_detail {

// Builds a result from a signed 256-bit magnitude at `fromScale`, rounded to
// `scale` and checked against `precision` digits.
Decimal::Status Finish(bool negative, Wide w, int fromScale, int precision, int scale, Decimal* out,
                       Decimal (*make)(bool, u128, int))
{
    if (scale >= fromScale) {
        if (!ScaleUp(w, scale - fromScale))
            return Decimal::Status::Overflow;
    } else {
        ScaleDown(w, fromScale - scale);
    }
    precision = std::clamp(precision, 1, Decimal::kMaxPrecision);
    if (!w.FitsU128() || w.Low() >= Pow10(precision))
        return Decimal::Status::Overflow;
    *out = make(negative, w.Low(), scale);
    return Decimal::Status::Ok;
}

} // namespace decimal_detail

namespace {

Decimal Make(bool negative, unsigned __int128 magnitude, int scale)
{
    return Decimal::FromParts(negative, magnitude, scale);
}

} // namespace

Decimal::Status Decimal::Add(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out)
{
    const int common = std::max(a.scale_, b.scale_);
    Wide x = Wide::From(a.magnitude_), y = Wide::From(b.magnitude_);
    ScaleUp(x, common - a.scale_);
    ScaleUp(y, common - b.scale_);
    if (a.negative_ == b.negative_)
        return Finish(a.negative_, decimal_detail::Add(x, y), common, precision, scale, out, Make);
    const int c = decimal_detail::Compare(x, y);
    if (c >= 0)
        return Finish(a.negative_ && c != 0, Sub(x, y), common, precision, scale, out, Make);
    return Finish(b.negative_, Sub(y, x), common, precision, scale, out, Make);
}

Decimal::Status Decimal::Subtract(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out)
{
    return Add(a, b.Negated(), precision, scale, out);
}

Decimal::Status Decimal::Multiply(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out)
{
    const bool negative = a.negative_ != b.negative_ && a.magnitude_ && b.magnitude_;
    return Finish(negative, Mul(a.magnitude_, b.magnitude_), a.scale_ + b.scale_, precision, scale, out, Make);
}

Decimal::Status Decimal::Divide(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out)
{
    if (b.magnitude_ == 0)
        return Status::DivideByZero;
    // a / b at scale `scale` plus one digit to round on: a * 10^k / b with
    // k = scale + 1 - a.scale + b.scale; when k < 0 the divisor takes the zeros.
    int k = scale + 1 - a.scale_ + b.scale_;
    Wide n = Wide::From(a.magnitude_);
    u128 d = b.magnitude_;
    if (k >= 0) {
        ScaleUp(n, k);
    } else {
        // Dividing the dividend down would lose digits; a divisor too large
        // for 128 bits leaves a quotient of zero.
        Wide dw = Wide::From(d);
        ScaleUp(dw, -k);
        if (!dw.FitsU128())
            return Finish(false, Wide{}, 0, precision, scale, out, Make);
        d = dw.Low();
    }
    u128 rem = 0;
    Wide q = DivMod(n, d, &rem);
    const bool negative = a.negative_ != b.negative_ && !q.IsZero();
    return Finish(negative, q, scale + 1, precision, scale, out, Make);
}

Decimal::Status Decimal::Modulo(const Decimal& a, const Decimal& b, int precision, int scale, Decimal* out)
{
    if (b.magnitude_ == 0)
        return Status::DivideByZero;
    const int common = std::max(a.scale_, b.scale_);
    Wide x = Wide::From(a.magnitude_), y = Wide::From(b.magnitude_);
    ScaleUp(x, common - a.scale_);
    ScaleUp(y, common - b.scale_);
    if (!y.FitsU128()) {
        // |b| beyond 128 bits after alignment means |a| < |b|... compare and keep a.
        if (decimal_detail::Compare(x, y) < 0)
            return Finish(a.negative_, x, common, precision, scale, out, Make);
        return Status::Overflow;
    }
    u128 rem = 0;
    DivMod(x, y.Low(), &rem);
    // The remainder takes the dividend's sign.
    return Finish(a.negative_ && rem != 0, Wide::From(rem), common, precision, scale, out, Make);
}

Decimal::Status Decimal::Round(int places, bool truncate, Decimal* out) const
{
    if (places >= scale_) {
        *out = *this;
        return Status::Ok;
    }
    const int drop = scale_ - places; // digits to clear
    if (drop > kMaxPrecision) {
        *out = Make(false, 0, scale_);
        return Status::Ok;
    }
    Wide w = Wide::From(magnitude_);
    ScaleDown(w, drop, truncate);
    if (!ScaleUp(w, drop) || !w.FitsU128() || w.Low() >= Pow10(kMaxPrecision))
        return Status::Overflow;
    *out = Make(negative_ && w.Low() != 0, w.Low(), scale_);
    return Status::Ok;
}

Decimal Decimal::Floor() const
{
    Wide w = Wide::From(magnitude_);
    Wide down = w;
    ScaleDown(down, scale_, true);
    Wide back = down;
    ScaleUp(back, scale_);
    const bool exact = decimal_detail::Compare(back, w) == 0;
    if (negative_ && !exact)
        down.AddSmall(1);
    return Make(negative_ && !down.IsZero(), down.Low(), 0);
}

Decimal Decimal::Ceiling() const { return Negated().Floor().Negated(); }

} // namespace tw::server
