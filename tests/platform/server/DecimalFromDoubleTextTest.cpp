// Decimal and money columns held as doubles come out as text with the
// column's scale; the quick route for ordinary values must give what the
// exact route through the shortest digits gives.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "platform/server/Decimal.h"
#include "platform/server/Value.h"

namespace tw::server::test {
namespace {

std::string ThroughShortestDigits(double v, int scale)
{
    const auto d = Decimal::FromDouble(v);
    const auto r = d ? d->Rescaled(scale) : std::nullopt;
    return r ? r->ToText() : "?";
}

TEST(DecimalFromDoubleTextTest, ValuesShowWithTheColumnScale)
{
    const struct {
        double value;
        int scale;
        const char* text;
    } cases[] = {
        {0.25, 2, "0.25"},        {24999.75, 2, "24999.75"}, {-0.5, 4, "-0.5000"}, {0.1, 4, "0.1000"},
        {0.001, 4, "0.0010"},     {-0.0001, 4, "-0.0001"},   {12, 0, "12"},        {-12.5, 0, "-13"},
        {0.0, 2, "0.00"},         {-0.0, 2, "0.00"},         {1e15, 2, "1000000000000000.00"},
        {0.125, 2, "0.13"},       {-2.675, 2, "-2.68"},      {123456789.123, 3, "123456789.123"},
        {1.0 / 3.0, 6, "0.333333"}, {9999999999999.99, 2, "9999999999999.99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " scale " + std::to_string(c.scale));
        EXPECT_EQ(DecimalText(c.value, c.scale), c.text);
    }
}

TEST(DecimalFromDoubleTextTest, AgreesWithTheShortestDigitsForManyValues)
{
    std::mt19937_64 random(19);
    for (int scale = 0; scale <= 10; ++scale) {
        for (int i = 0; i < 20000; ++i) {
            double v = 0;
            switch (i % 3) {
            case 0: v = double(int64_t(random() % 2000000001) - 1000000000) / std::pow(10.0, double(random() % 8)); break;
            case 1: v = std::ldexp(double(random() >> 11), -int(random() % 80)) * (random() & 1 ? -1 : 1); break;
            default: v = double(random() % 100000) * 0.25; break;
            }
            ASSERT_EQ(DecimalText(v, scale), ThroughShortestDigits(v, scale)) << v << " scale " << scale;
            // Into a buffer that held a longer text before.
            std::string reused(40, '#');
            DecimalTextInto(v, scale, reused);
            ASSERT_EQ(reused, ThroughShortestDigits(v, scale)) << v << " scale " << scale;
        }
    }
}

}  // namespace
}  // namespace tw::server::test
