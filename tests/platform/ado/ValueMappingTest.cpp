#include <gtest/gtest.h>

#include "platform/ado/ValueMapping.h"

using tw::ado::DateFromIsoText;

struct DateTextCase {
    const char* text;
    bool valid;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
};

class AdoDateText : public testing::TestWithParam<DateTextCase> {};

TEST_P(AdoDateText, ReadsTheServersAndTheFilesDateTexts)
{
    const DateTextCase& c = GetParam();
    DATE date = 0;
    ASSERT_EQ(c.valid, DateFromIsoText(c.text, date)) << c.text;
    if (!c.valid)
        return;
    DATE expected = 0;
    ASSERT_TRUE(tw::vardate::FromParts(c.year, c.month, c.day, c.hour, c.minute, c.second, expected));
    expected += c.millis / 86400000.0;
    EXPECT_NEAR(expected, date, 1e-9) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdoDateText,
    testing::Values(DateTextCase{"2003-04-05 10:20:30.123", true, 2003, 4, 5, 10, 20, 30, 123},
                    DateTextCase{"2003-04-05T10:20:30", true, 2003, 4, 5, 10, 20, 30, 0},
                    DateTextCase{"2003-04-05T10:20:30.5", true, 2003, 4, 5, 10, 20, 30, 500},
                    DateTextCase{"2003-04-05", true, 2003, 4, 5, 0, 0, 0, 0},
                    DateTextCase{"1899-12-30 00:00:00.000", true, 1899, 12, 30, 0, 0, 0, 0},
                    DateTextCase{"2003-02-30", false}, DateTextCase{"2003-04-05 10", false},
                    DateTextCase{"not a date", false}, DateTextCase{"2003-04-05 10:20:30x", false}));

struct MoneyCase {
    const char* text;
    long long scaled; // the value times 10,000
};

class AdoMoneyText : public testing::TestWithParam<MoneyCase> {};

TEST_P(AdoMoneyText, BecomesExactCurrency)
{
    tw::ado::FieldInfo money;
    money.type = ADODB::adCurrency;
    _variant_t value = tw::ado::VariantFromValue(tw::server::Value::Decimal(GetParam().text), money);
    ASSERT_EQ(VT_CY, value.vt);
    EXPECT_EQ(GetParam().scaled, value.cyVal.int64);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdoMoneyText,
                         testing::Values(MoneyCase{"12.3400", 123400}, MoneyCase{"-0.0001", -1},
                                         MoneyCase{"922337203685477.5807", 9223372036854775807LL},
                                         MoneyCase{"7", 70000}, MoneyCase{".5", 5000},
                                         MoneyCase{"1.23456", 12346}));

TEST(AdoSqlLiteral, QuotesTextAndWritesBinaryAndNull)
{
    _variant_t text("it's");
    EXPECT_EQ("N'it''s'", tw::ado::SqlLiteral(text));
    _variant_t null;
    null.vt = VT_NULL;
    EXPECT_EQ("NULL", tw::ado::SqlLiteral(null));
    EXPECT_EQ("0x0AFF", tw::ado::SqlLiteral(tw::ado::BinaryVariant(std::string("\x0a\xff", 2))));
    EXPECT_EQ("[a]]b]", tw::ado::QuoteName("a]b"));
}

TEST(AdoDecimalText, KeepsDigitsPastADouble)
{
    tw::ado::FieldInfo numeric;
    numeric.type = ADODB::adNumeric;
    for (const char* text : {"12345678901234567890.12", "-0.10000000000000000001", "9007199254740993"}) {
        _variant_t value = tw::ado::VariantFromValue(tw::server::Value::Decimal(text), numeric);
        ASSERT_EQ(VT_DECIMAL, value.vt) << text;
        EXPECT_EQ(text, tw::ado::SqlLiteral(value));
    }
}
