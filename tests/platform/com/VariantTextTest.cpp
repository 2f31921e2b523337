// The texts a user reads in result-grid cells: every value type converted to
// text as the fetch worker converts it (VariantChangeType to BSTR, flags 0).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/com/OleAuto.h"

namespace {

VARIANT MakeVariant(VARTYPE vt)
{
    VARIANT v;
    std::memset(&v, 0, sizeof v);
    v.vt = vt;
    return v;
}

VARIANT I2(SHORT value) { VARIANT v = MakeVariant(VT_I2); v.iVal = value; return v; }
VARIANT I4(LONG value) { VARIANT v = MakeVariant(VT_I4); v.lVal = value; return v; }
VARIANT I8(LONGLONG value) { VARIANT v = MakeVariant(VT_I8); v.llVal = value; return v; }
VARIANT UI1(BYTE value) { VARIANT v = MakeVariant(VT_UI1); v.bVal = value; return v; }
VARIANT R4(float value) { VARIANT v = MakeVariant(VT_R4); v.fltVal = value; return v; }
VARIANT R8(double value) { VARIANT v = MakeVariant(VT_R8); v.dblVal = value; return v; }
VARIANT Date(double value) { VARIANT v = MakeVariant(VT_DATE); v.date = value; return v; }
VARIANT Bool(VARIANT_BOOL value) { VARIANT v = MakeVariant(VT_BOOL); v.boolVal = value; return v; }
VARIANT Currency(LONGLONG scaled) { VARIANT v = MakeVariant(VT_CY); v.cyVal.int64 = scaled; return v; }

VARIANT Decimal(ULONGLONG magnitude, BYTE scale, bool negative)
{
    VARIANT v = MakeVariant(VT_EMPTY);
    v.decVal.Lo64 = magnitude;
    v.decVal.scale = scale;
    v.decVal.sign = negative ? DECIMAL_NEG : 0;
    v.vt = VT_DECIMAL;
    return v;
}

struct CellCase {
    const char* what;
    VARIANT value;
    USHORT flags;
    const char* text;
};

class GridCellText : public testing::TestWithParam<CellCase> {};

TEST_P(GridCellText, ConvertsToTheUsersText)
{
    const CellCase& c = GetParam();
    VARIANT out;
    VariantInit(&out);
    ASSERT_EQ(VariantChangeType(&out, &c.value, c.flags, VT_BSTR), S_OK) << c.what;
    ASSERT_EQ(out.vt, VT_BSTR);
    EXPECT_EQ(tw::BstrToUtf8(out.bstrVal), c.text) << c.what;
    VariantClear(&out);
}

INSTANTIATE_TEST_SUITE_P(
    EnUs, GridCellText,
    testing::Values(
        CellCase{"empty", MakeVariant(VT_EMPTY), 0, ""},
        CellCase{"smallint", I2(-5), 0, "-5"},
        CellCase{"int", I4(2147483647), 0, "2147483647"},
        CellCase{"bigint", I8(-9223372036854775807LL - 1), 0, "-9223372036854775808"},
        CellCase{"tinyint", UI1(10), 0, "10"},
        CellCase{"real keeps 7 digits", R4(3.14159265f), 0, "3.141593"},
        CellCase{"float keeps 15 digits", R8(1.0 / 3.0), 0, "0.333333333333333"},
        CellCase{"float whole", R8(42.0), 0, "42"},
        CellCase{"float negative", R8(-2.5), 0, "-2.5"},
        CellCase{"float large uses exponent", R8(1e20), 0, "1E+20"},
        CellCase{"float small uses exponent", R8(1.5e-7), 0, "1.5E-07"},
        CellCase{"float 15 digits no exponent", R8(123456789012345.0), 0, "123456789012345"},
        CellCase{"float zero", R8(0.0), 0, "0"},
        CellCase{"money four decimals", Currency(123456789), 0, "12345.6789"},
        CellCase{"money trims zeros", Currency(125000), 0, "12.5"},
        CellCase{"money whole", Currency(10000000000LL), 0, "1000000"},
        CellCase{"money negative small", Currency(-1), 0, "-0.0001"},
        CellCase{"decimal", Decimal(12345, 2, false), 0, "123.45"},
        CellCase{"decimal trailing zeros", Decimal(150, 2, false), 0, "1.5"},
        CellCase{"decimal below one", Decimal(5, 3, true), 0, "-0.005"},
        CellCase{"date at midnight", Date(36526.0), 0, "1/1/2000"},
        CellCase{"date with time", Date(36526.75), 0, "1/1/2000 6:00:00 PM"},
        CellCase{"date at noon", Date(2.5), 0, "1/1/1900 12:00:00 PM"},
        CellCase{"zero date is midnight", Date(0.0), 0, "12:00:00 AM"},
        CellCase{"time only", Date(0.25), 0, "6:00:00 AM"},
        CellCase{"before the epoch", Date(-1.25), 0, "12/29/1899 6:00:00 AM"},
        CellCase{"date rounds to the second", Date(36526.0 + 0.4999 / 86400.0 + 1.0 / 86400.0), 0,
                 "1/1/2000 12:00:01 AM"},
        CellCase{"bit true numeric", Bool(VARIANT_TRUE), 0, "-1"},
        CellCase{"bit false numeric", Bool(VARIANT_FALSE), 0, "0"},
        CellCase{"bit true alpha", Bool(VARIANT_TRUE), VARIANT_ALPHABOOL, "True"},
        CellCase{"bit false alpha", Bool(VARIANT_FALSE), VARIANT_ALPHABOOL, "False"},
        CellCase{"bit true local", Bool(VARIANT_TRUE), VARIANT_LOCALBOOL, "True"}),
    [](const testing::TestParamInfo<CellCase>& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

TEST(GridCellTextFailures, NullHasNoTextAndLeavesTheTargetAlone)
{
    VARIANT null = MakeVariant(VT_NULL);
    VARIANT out = I4(7);
    EXPECT_EQ(VariantChangeType(&out, &null, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(out.vt, VT_I4);
    EXPECT_EQ(out.lVal, 7);
}

TEST(GridCellTextFailures, DateOutOfRangeIsRefused)
{
    VARIANT huge = Date(1e9);
    VARIANT out;
    VariantInit(&out);
    EXPECT_TRUE(FAILED(VariantChangeType(&out, &huge, 0, VT_BSTR)));
    EXPECT_EQ(out.vt, VT_EMPTY);
}

} // namespace
