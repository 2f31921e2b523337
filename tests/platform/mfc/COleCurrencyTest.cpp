#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"
#include "platform/com/VariantConvert.h"
#include "platform/mfc/COleCurrency.h"

namespace {

COleCurrency Amount(LONGLONG tenThousandths)
{
    CY value;
    value.int64 = tenThousandths;
    return COleCurrency(value);
}

struct TextCase {
    LONGLONG tenThousandths;
    const char* text;
};

class COleCurrencyText : public testing::TestWithParam<TextCase> {};

TEST_P(COleCurrencyText, FormatsAndParsesBack)
{
    const TextCase& c = GetParam();
    const COleCurrency amount = Amount(c.tenThousandths);
    EXPECT_STREQ(amount.Format(), c.text);
    COleCurrency parsed;
    ASSERT_TRUE(parsed.ParseCurrency(c.text));
    EXPECT_EQ(parsed, amount);
}

INSTANTIATE_TEST_SUITE_P(Cases, COleCurrencyText,
                         testing::Values(TextCase{0, "0"}, TextCase{12345000, "1234.5"}, TextCase{-15000, "-1.5"},
                                         TextCase{1, "0.0001"}, TextCase{INT64_MAX, "922337203685477.5807"},
                                         TextCase{INT64_MIN, "-922337203685477.5808"}));

TEST(COleCurrencyValue, UnitsAndFractionsAdd)
{
    EXPECT_EQ(COleCurrency(12, 3400).m_cur.int64, 123400);
    EXPECT_EQ(COleCurrency(-1, -5000).m_cur.int64, -15000);
    COleCurrency amount;
    amount.SetCurrency(2, 50);
    EXPECT_STREQ(amount.Format(), "2.005");
    amount.SetCurrency(LONG_MAX, 0); // beyond what 64 bits of ten-thousandths hold
    EXPECT_EQ(amount.GetStatus(), COleCurrency::invalid);
    EXPECT_STREQ(amount.Format(), "Invalid Currency");
}

TEST(COleCurrencyValue, ParsingFailuresMarkInvalid)
{
    COleCurrency amount(5, 0);
    EXPECT_FALSE(amount.ParseCurrency("five dollars"));
    EXPECT_EQ(amount.GetStatus(), COleCurrency::invalid);
    EXPECT_FALSE(amount.ParseCurrency(nullptr));
    ASSERT_TRUE(amount.ParseCurrency("$1,234.56"));
    EXPECT_EQ(amount.m_cur.int64, 12345600);
    EXPECT_EQ(amount.GetStatus(), COleCurrency::valid);
    EXPECT_FALSE(amount.ParseCurrency("1e30"));

    COleCurrency empty;
    empty.SetStatus(COleCurrency::null);
    EXPECT_STREQ(empty.Format(), "");
}

TEST(COleCurrencyArithmetic, ExactAndOverflowChecked)
{
    const COleCurrency price(19, 9900);
    EXPECT_EQ((price * 3).m_cur.int64, 599700);
    EXPECT_EQ((price + price - COleCurrency(0, 9800)).m_cur.int64, 390000);
    EXPECT_EQ((-price).m_cur.int64, -199900);
    EXPECT_EQ((price / 4).m_cur.int64, 49975);
    COleCurrency total;
    total += price;
    total *= 2;
    total -= COleCurrency(1, 0);
    total /= 2;
    EXPECT_STREQ(total.Format(), "19.49");
    EXPECT_TRUE(COleCurrency(1, 0) < price && price > COleCurrency(1, 0) && price != total);

    EXPECT_EQ((Amount(INT64_MAX) + Amount(1)).GetStatus(), COleCurrency::invalid);
    EXPECT_EQ((Amount(INT64_MIN) - Amount(1)).GetStatus(), COleCurrency::invalid);
    EXPECT_EQ((-Amount(INT64_MIN)).GetStatus(), COleCurrency::invalid);
    EXPECT_EQ((Amount(INT64_MAX / 2 + 1) * 2).GetStatus(), COleCurrency::invalid);
    EXPECT_EQ((price / 0).GetStatus(), COleCurrency::invalid);
    EXPECT_EQ((Amount(INT64_MIN) / -1).GetStatus(), COleCurrency::invalid);

    COleCurrency bad;
    bad.SetStatus(COleCurrency::invalid);
    EXPECT_EQ((bad + price).GetStatus(), COleCurrency::invalid);
    EXPECT_EQ((price - bad).GetStatus(), COleCurrency::invalid);
}

TEST(COleCurrencyVariant, ConvertsThroughTheVariantRules)
{
    VARIANT number;
    VariantInit(&number);
    number.vt = VT_R8;
    number.dblVal = 2.00005; // rounds half to even at the fourth decimal
    EXPECT_EQ(COleCurrency(number).m_cur.int64, 20000);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = tw::SysAllocStringUtf8("12.34");
    EXPECT_EQ(COleCurrency(text).m_cur.int64, 123400);
    VariantClear(&text);

    VARIANT nothing;
    VariantInit(&nothing);
    nothing.vt = VT_NULL;
    EXPECT_EQ(COleCurrency(nothing).GetStatus(), COleCurrency::null);

    // The default text is the one a converted variant shows.
    BSTR viaVariant = nullptr;
    ASSERT_EQ(VarBstrFromCy(Amount(-12345), LOCALE_USER_DEFAULT, 0, &viaVariant), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(viaVariant), std::string(Amount(-12345).Format()));
    SysFreeString(viaVariant);
}

} // namespace
