#include <gtest/gtest.h>

#include "platform/ado/ValueMapping.h"
#include "platform/com/Bstr.h"

namespace {

// Decimal cells become exact decimals where one holds their digits, and stay
// as their text where it cannot, never a rounded or failed value.
TEST(AdoDecimalCell, ExactWhereADecimalHoldsItTextOtherwise)
{
    tw::ado::FieldInfo numeric;
    numeric.type = ADODB::adNumeric;
    const struct {
        const char* text;
        VARTYPE vt;
        const char* literal;
    } cases[] = {
        {"24999.75", VT_DECIMAL, "24999.75"},
        {"0.00", VT_DECIMAL, "0"},
        {"-7.50", VT_DECIMAL, "-7.5"},
        {"79228162514264337593543950335", VT_DECIMAL, "79228162514264337593543950335"},
        {"12345678901234567890123456789012345678", VT_BSTR, "N'12345678901234567890123456789012345678'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        _variant_t value = tw::ado::VariantFromValue(tw::server::Value::Decimal(c.text), numeric);
        EXPECT_EQ(value.vt, c.vt);
        EXPECT_EQ(tw::ado::SqlLiteral(value), c.literal);
    }
}

}  // namespace
