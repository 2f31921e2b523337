#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/win32/kernel/PlatformPrintf.h"

namespace {

struct DoubleCase {
    const char* format;
    double value;
    const char* expected;
};

class PrintfDoubleForms : public testing::TestWithParam<DoubleCase> {};

TEST_P(PrintfDoubleForms, MatchPlatformText)
{
    const DoubleCase& c = GetParam();
    EXPECT_EQ(tw::FormatPrintf(c.format, c.value), c.expected) << c.format;
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    ThreeDigitExponentsAndNonFinite, PrintfDoubleForms,
    testing::Values(DoubleCase{"%le", 10.0, "1.000000e+001"}, DoubleCase{"%e", 1e-5, "1.000000e-005"},
                    DoubleCase{"%E", 1.5e300, "1.500000E+300"}, DoubleCase{"%.2e", -12345.0, "-1.23e+004"},
                    DoubleCase{"%12.1e", 5.0, "    5.0e+000"}, DoubleCase{"%-12.1e|", 5.0, "5.0e+000    |"},
                    DoubleCase{"%012.1e", -5.0, "-0005.0e+000"}, DoubleCase{"%g", 1e20, "1e+020"},
                    DoubleCase{"%g", 0.5, "0.5"}, DoubleCase{"%G", 2.5e-7, "2.5E-007"},
                    DoubleCase{"%f", 1.25, "1.250000"}, DoubleCase{"%.16lf", 0.1, "0.1000000000000000"},
                    DoubleCase{"%f", kInf, "1.#INF00"}, DoubleCase{"%f", -kInf, "-1.#INF00"},
                    DoubleCase{"%.16lf", kInf, "1.#INF000000000000"}, DoubleCase{"%le", kInf, "1.#INF00e+000"},
                    DoubleCase{"%g", kInf, "1.#INF"},
                    DoubleCase{"%g", std::numeric_limits<double>::quiet_NaN(), "1.#QNAN"},
                    DoubleCase{"%8g|", kInf, "  1.#INF|"}, DoubleCase{"%+g", kInf, "+1.#INF"}));

TEST(PlatformPrintf, DefaultNaNOfAFailedOperationIsIndefinite)
{
    volatile double zero = 0.0;
    EXPECT_EQ(tw::FormatPrintf("%g", zero / zero), "-1.#IND");
    EXPECT_EQ(tw::FormatPrintf("%f", std::sqrt(-1.0 - zero)), "-1.#IND00");
}

TEST(PlatformPrintf, IntegerSizesFollowThePlatform)
{
    // %ld takes a 32-bit LONG; %I64d a 64-bit integer; the rest stay in step.
    EXPECT_EQ(tw::FormatPrintf("%ld %lu %lx|%d", LONG(-5), DWORD(0xFFFFFFFFu), DWORD(0xABCu), 7), "-5 4294967295 abc|7");
    EXPECT_EQ(tw::FormatPrintf("%I64d %I64u %I64X|%d", INT64(-9000000000), UINT64(18446744073709551615u),
                               UINT64(0x1234567890ABull), 8),
              "-9000000000 18446744073709551615 1234567890AB|8");
    EXPECT_EQ(tw::FormatPrintf("%lld %hd %hhu %zu", -1ll, 70000, 300, size_t(12)), "-1 4464 44 12");
    EXPECT_EQ(tw::FormatPrintf("[%5d|%-5d|%05d|%+d|%#x|%.3d]", 42, 42, 42, 42, 255, 7), "[   42|42   |00042|+42|0xff|007]");
    EXPECT_EQ(tw::FormatPrintf("[%*d|%-*d|%.*f]", 4, 1, 3, 2, 1, 2.26), "[   1|2  |2.3]");
    EXPECT_EQ(tw::FormatPrintf("[%*d]", -4, 1), "[1   ]");
}

TEST(PlatformPrintf, StringsAndCharacters)
{
    const char16_t wide[] = u"Gr\u00fc\u00dfe \U0001F600";
    EXPECT_EQ(tw::FormatPrintf("%s|%S|%ls", "abc", wide, u"x"), "abc|Gr\u00fc\u00dfe \U0001F600|x");
    EXPECT_EQ(tw::FormatPrintf("%s|%S", static_cast<const char*>(nullptr), static_cast<const char16_t*>(nullptr)),
              "(null)|(null)");
    EXPECT_EQ(tw::FormatPrintf("%c%c|%C|%lc", 'o', 'k', u'\u00e9', u'\u20ac'), "ok|\u00e9|\u20ac");
    EXPECT_EQ(tw::FormatPrintf("[%6s|%-6s|%.2s]", "ab", "ab", "abcdef"), "[    ab|ab    |ab]");
    EXPECT_EQ(tw::FormatPrintf("100%% %y"), "100% y");
}

TEST(PlatformPrintf, PrecisionNeverSplitsAUtf8Sequence)
{
    // "é" is two bytes: cutting at 2 would leave half of it.
    EXPECT_EQ(tw::FormatPrintf("%.2s", "a\u00e9b"), "a");
    EXPECT_EQ(tw::FormatPrintf("%.3s", "a\u00e9b"), "a\u00e9");
}

TEST(PlatformPrintf, PercentNWritesNothing)
{
    int target = 1234;
    EXPECT_EQ(tw::FormatPrintf("ab%ncd%d", &target, 5), "abcd5");
    EXPECT_EQ(target, 1234);
}

TEST(PlatformPrintf, BufferFormsReportWhatDidNotFit)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(tw_snprintf(buffer, sizeof buffer, "%s", "0123456789"), 10);
    EXPECT_STREQ(buffer, "0123456");

    // The platform's names answer -1 when the text does not fit, and still terminate it.
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%d", 12345678), -1);
    EXPECT_EQ(buffer[7], '\0');
    EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%d", 1234567), 7);
    EXPECT_STREQ(buffer, "1234567");
}

TEST(PlatformPrintf, GrowingBufferLoopTerminates)
{
    // The retry pattern callers use: double the buffer while the result is negative.
    std::string buffer(4, '\0');
    int written;
    while ((written = _snprintf(buffer.data(), buffer.size(), "%s-%le", "value", 1234.5)) < 0)
        buffer.resize(buffer.size() * 2);
    EXPECT_EQ(std::string(buffer.c_str()), "value-1.234500e+003");
    EXPECT_EQ(written, 19);
}

TEST(Utf16Conversion, RoundTripsAndReplacesBrokenInput)
{
    const std::u16string text = u"a\u00e9\u20ac\U0001F600";
    EXPECT_EQ(tw::Utf8ToUtf16(tw::Utf16ToUtf8(text)), text);
    EXPECT_EQ(tw::Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\uFFFDx");
    EXPECT_EQ(tw::Utf8ToUtf16("\xC3(\xE2\x82"), u"\uFFFD(\uFFFD\uFFFD");
    EXPECT_EQ(tw::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong '/'
}

} // namespace
