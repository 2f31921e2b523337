// Exact decimal arithmetic: 38 digits, results rounded half away from zero to
// the result's scale, overflow past the result's precision.
#include <gtest/gtest.h>

#include <string>

#include "platform/server/Decimal.h"

namespace tw::server::test {

namespace decimal_test_detail {

Decimal D(const char* text)
{
    auto d = Decimal::Parse(text);
    EXPECT_TRUE(d.has_value()) << text;
    return d.value_or(Decimal{});
}

std::string Apply(char op, const char* a, const char* b, int precision, int scale)
{
    Decimal r;
    Decimal::Status status = Decimal::Status::Ok;
    switch (op) {
    case '+': status = Decimal::Add(D(a), D(b), precision, scale, &r); break;
    case '-': status = Decimal::Subtract(D(a), D(b), precision, scale, &r); break;
    case '*': status = Decimal::Multiply(D(a), D(b), precision, scale, &r); break;
    case '/': status = Decimal::Divide(D(a), D(b), precision, scale, &r); break;
    default: status = Decimal::Modulo(D(a), D(b), precision, scale, &r); break;
    }
    if (status == Decimal::Status::Overflow)
        return "overflow";
    if (status == Decimal::Status::DivideByZero)
        return "divide by zero";
    return r.ToText();
}

} // namespace decimal_test_detail

using decimal_test_detail::Apply;
using decimal_test_detail::D;

struct ArithmeticCase {
    char op;
    const char* a;
    const char* b;
    int precision;
    int scale;
    const char* expected;
};

class DecimalArithmeticTest : public ::testing::TestWithParam<ArithmeticCase> {};

TEST_P(DecimalArithmeticTest, GivesTheExactRoundedResult)
{
    const ArithmeticCase& c = GetParam();
    EXPECT_EQ(Apply(c.op, c.a, c.b, c.precision, c.scale), c.expected)
        << c.a << ' ' << c.op << ' ' << c.b << " as (" << c.precision << ',' << c.scale << ')';
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalArithmeticTest,
    ::testing::Values(
        // 38-digit sums and products, past any double's 17 digits.
        ArithmeticCase{'+', "12345678901234567890123456789012345678", "1", 38, 0,
                       "12345678901234567890123456789012345679"},
        ArithmeticCase{'+', "0.1", "0.2", 2, 1, "0.3"},
        ArithmeticCase{'-', "0.10000000000000000001", "0.1", 38, 20, "0.00000000000000000001"},
        ArithmeticCase{'-', "1.5", "2.75", 4, 2, "-1.25"},
        ArithmeticCase{'*', "9999999999999999999", "9999999999999999999", 38, 0,
                       "99999999999999999980000000000000000001"},
        ArithmeticCase{'*', "1.25", "-1.25", 6, 4, "-1.5625"},
        // A product rounded to a smaller result scale: half away from zero.
        ArithmeticCase{'*', "1.25", "1.25", 38, 3, "1.563"},
        ArithmeticCase{'*', "-1.25", "1.25", 38, 3, "-1.563"},
        ArithmeticCase{'*', "123456789012345678.123456", "1000", 38, 6, "123456789012345678123.456000"},
        // Division at the result's scale (1/3 as decimal(38,6) and (13,11)).
        ArithmeticCase{'/', "1", "3", 38, 6, "0.333333"},
        ArithmeticCase{'/', "2", "3", 38, 6, "0.666667"},
        ArithmeticCase{'/', "-2", "3", 38, 6, "-0.666667"},
        ArithmeticCase{'/', "1.00", "3.0", 13, 11, "0.33333333333"},
        ArithmeticCase{'/', "12345678901234567890123456789", "0.001", 38, 6,
                       "12345678901234567890123456789000.000000"},
        ArithmeticCase{'/', "1", "0.000", 38, 6, "divide by zero"},
        ArithmeticCase{'%', "10.5", "3", 4, 1, "1.5"},
        ArithmeticCase{'%', "-10.5", "3", 4, 1, "-1.5"},
        ArithmeticCase{'%', "1", "0", 1, 0, "divide by zero"},
        // Overflow past the result's precision, also when rounding carries a digit.
        ArithmeticCase{'+', "99999999999999999999999999999999999999", "1", 38, 0, "overflow"},
        ArithmeticCase{'*', "99999999999999999999", "99999999999999999999", 38, 0, "overflow"},
        ArithmeticCase{'+', "9.99", "0.005", 3, 2, "overflow"},
        ArithmeticCase{'+', "9.99", "0.004", 3, 2, "9.99"}));

struct TextCase {
    const char* input;
    int scale;
    const char* expected; // "none" when the text is no decimal or does not fit
};

class DecimalTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DecimalTextTest, ParsesAndRoundsToTheScale)
{
    const TextCase& c = GetParam();
    auto d = Decimal::Parse(c.input);
    std::string text = "none";
    if (d) {
        auto r = d->Rescaled(c.scale);
        text = r ? r->ToText() : "none";
    }
    EXPECT_EQ(text, c.expected) << '"' << c.input << "\" to scale " << c.scale;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalTextTest,
    ::testing::Values(TextCase{"0.1", 20, "0.10000000000000000000"}, TextCase{" -12.345 ", 2, "-12.35"},
                      TextCase{"2.675", 2, "2.68"}, TextCase{"-2.675", 2, "-2.68"}, TextCase{"2.674999", 2, "2.67"},
                      TextCase{"-0.004", 2, "0.00"}, TextCase{".5", 0, "1"}, TextCase{"7.", 1, "7.0"},
                      TextCase{"+3", 0, "3"}, TextCase{"000123.4500", 4, "123.4500"},
                      TextCase{"99999999999999999999999999999999999999", 0, "99999999999999999999999999999999999999"},
                      TextCase{"999999999999999999999999999999999999999", 0, "none"},
                      TextCase{"99999999999999999999999999999999999999", 1, "none"},
                      TextCase{"0.123456789012345678901234567890123456789", 38,
                               "0.12345678901234567890123456789012345679"},
                      TextCase{"1e5", 0, "none"}, TextCase{"12a", 0, "none"}, TextCase{"", 0, "none"},
                      TextCase{"-", 0, "none"}, TextCase{"1.2.3", 0, "none"}));

TEST(DecimalTest, ComparesPastTheSixteenthDigit)
{
    EXPECT_LT(Decimal::Compare(D("1234567890123456789.01"), D("1234567890123456789.02")), 0);
    EXPECT_GT(Decimal::Compare(D("-1234567890123456789.01"), D("-1234567890123456789.02")), 0);
    EXPECT_EQ(Decimal::Compare(D("12.50"), D("12.5")), 0);
    EXPECT_EQ(Decimal::Compare(D("-0.00"), D("0")), 0);
    EXPECT_LT(Decimal::Compare(D("-1"), D("0.5")), 0);
}

TEST(DecimalTest, DoublesTakeTheirShortestDigits)
{
    EXPECT_EQ(Decimal::FromDouble(0.1)->ToText(), "0.1");
    EXPECT_EQ(Decimal::FromDouble(-1234567.891)->ToText(), "-1234567.891");
    EXPECT_EQ(Decimal::FromDouble(1e20)->ToText(), "100000000000000000000");
    EXPECT_EQ(Decimal::FromDouble(2.5e-7)->ToText(), "0.00000025");
    EXPECT_FALSE(Decimal::FromDouble(1e39).has_value());
    EXPECT_TRUE(D("123456789012345").FitsDouble());
    EXPECT_FALSE(D("12345678901234567").FitsDouble());
    EXPECT_TRUE(D("0.1000").FitsDouble());
}

TEST(DecimalTest, RoundsFloorsAndCeilsLikeTheFunctions)
{
    Decimal r;
    ASSERT_EQ(D("123.4567").Round(2, false, &r), Decimal::Status::Ok);
    EXPECT_EQ(r.ToText(), "123.4600");
    ASSERT_EQ(D("-123.4567").Round(2, true, &r), Decimal::Status::Ok);
    EXPECT_EQ(r.ToText(), "-123.4500");
    ASSERT_EQ(D("150.75").Round(-2, false, &r), Decimal::Status::Ok);
    EXPECT_EQ(r.ToText(), "200.00");
    ASSERT_EQ(D("-0.4").Round(0, false, &r), Decimal::Status::Ok);
    EXPECT_EQ(r.ToText(), "0.0");
    EXPECT_EQ(D("99999999999999999999999999999999999999").Round(-1, false, &r), Decimal::Status::Overflow);
    EXPECT_EQ(D("-2.5").Floor().ToText(), "-3");
    EXPECT_EQ(D("-2.0").Floor().ToText(), "-2");
    EXPECT_EQ(D("2.1").Ceiling().ToText(), "3");
    EXPECT_EQ(D("-2.9").Ceiling().ToText(), "-2");
}

} // namespace tw::server::test
