// Conversions other than to text: what text the platform accepts, how it
// rounds, where it overflows, and the lifetime rules of VariantCopy/Clear.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "TestObjects.h"
#include "platform/com/OleAuto.h"

namespace {

struct VariantHolder {
    VARIANT v;
    VariantHolder() { VariantInit(&v); }
    ~VariantHolder() { VariantClear(&v); }
};

VARIANT Text(const char16_t* text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

struct TextCase {
    const char16_t* text;
    VARTYPE target;
    HRESULT hr;
    double value; // compared as the target's value
};

class TextToValue : public testing::TestWithParam<TextCase> {};

double ValueOf(const VARIANT& v)
{
    switch (v.vt) {
    case VT_I2: return v.iVal;
    case VT_I4: return v.lVal;
    case VT_UI1: return v.bVal;
    case VT_R8: return v.dblVal;
    case VT_DATE: return v.date;
    case VT_BOOL: return v.boolVal;
    case VT_CY: return static_cast<double>(v.cyVal.int64) / 10000.0;
    default: return NAN;
    }
}

TEST_P(TextToValue, ParsesAsEnUs)
{
    const TextCase& c = GetParam();
    VARIANT source = Text(c.text);
    VariantHolder out;
    EXPECT_EQ(VariantChangeType(&out.v, &source, 0, c.target), c.hr);
    if (SUCCEEDED(c.hr)) {
        EXPECT_EQ(out.v.vt, c.target);
        EXPECT_DOUBLE_EQ(ValueOf(out.v), c.value);
    } else {
        EXPECT_EQ(out.v.vt, VT_EMPTY);
    }
    VariantClear(&source);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToValue,
    testing::Values(TextCase{u" 42 ", VT_I4, S_OK, 42}, TextCase{u"-1,234", VT_I4, S_OK, -1234},
                    TextCase{u"2.5", VT_I4, S_OK, 2}, TextCase{u"3.5", VT_I4, S_OK, 4},
                    TextCase{u"-2.5", VT_I2, S_OK, -2}, TextCase{u"1e3", VT_I4, S_OK, 1000},
                    TextCase{u"&HFF", VT_I4, S_OK, 255}, TextCase{u"(5)", VT_I4, S_OK, -5},
                    TextCase{u"$12.50", VT_CY, S_OK, 12.5}, TextCase{u"1.23456", VT_CY, S_OK, 1.2346},
                    TextCase{u"0.00005", VT_CY, S_OK, 0}, TextCase{u"0.00015", VT_CY, S_OK, 0.0002},
                    TextCase{u"32768", VT_I2, DISP_E_OVERFLOW, 0}, TextCase{u"256", VT_UI1, DISP_E_OVERFLOW, 0},
                    TextCase{u"-1", VT_UI1, DISP_E_OVERFLOW, 0},
                    TextCase{u"99999999999999999999", VT_I4, DISP_E_OVERFLOW, 0},
                    TextCase{u"abc", VT_I4, DISP_E_TYPEMISMATCH, 0}, TextCase{u"", VT_R8, DISP_E_TYPEMISMATCH, 0},
                    TextCase{u"1.5.2", VT_R8, DISP_E_TYPEMISMATCH, 0}, TextCase{u"0.1", VT_R8, S_OK, 0.1},
                    TextCase{u"-1.5E-3", VT_R8, S_OK, -0.0015}, TextCase{u"True", VT_BOOL, S_OK, -1},
                    TextCase{u"false", VT_BOOL, S_OK, 0}, TextCase{u"2", VT_BOOL, S_OK, -1},
                    TextCase{u"yes", VT_BOOL, DISP_E_TYPEMISMATCH, 0},
                    TextCase{u"12/31/1999", VT_DATE, S_OK, 36525},
                    TextCase{u"1999-12-31 18:00", VT_DATE, S_OK, 36525.75},
                    TextCase{u"Dec 31, 1999 6:00:00 PM", VT_DATE, S_OK, 36525.75},
                    TextCase{u"12:00:00 AM", VT_DATE, S_OK, 0}, TextCase{u"6 AM", VT_DATE, S_OK, 0.25},
                    TextCase{u"1/1/49", VT_DATE, S_OK, 17899}, TextCase{u"2/30/2000", VT_DATE, DISP_E_TYPEMISMATCH, 0},
                    TextCase{u"13:00 PM", VT_DATE, DISP_E_TYPEMISMATCH, 0},
                    TextCase{u"soon", VT_DATE, DISP_E_TYPEMISMATCH, 0}));

TEST(VariantConvert, DecimalTextKeepsEveryDigit)
{
    DECIMAL dec;
    ASSERT_EQ(VarDecFromStr(u"-79228162514264337593543950335", LOCALE_USER_DEFAULT, 0, &dec), S_OK);
    EXPECT_EQ(dec.sign, DECIMAL_NEG);
    EXPECT_EQ(dec.Hi32, 0xFFFFFFFFu);
    EXPECT_EQ(dec.Lo64, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(VarDecFromStr(u"79228162514264337593543950336", LOCALE_USER_DEFAULT, 0, &dec), DISP_E_OVERFLOW);

    ASSERT_EQ(VarDecFromStr(u"0.1234567890123456789012345678", LOCALE_USER_DEFAULT, 0, &dec), S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(VarBstrFromDec(&dec, LOCALE_USER_DEFAULT, 0, &text), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(text), "0.1234567890123456789012345678");
    SysFreeString(text);
}

TEST(VariantConvert, NumbersRoundHalfToEven)
{
    LONG value = 0;
    EXPECT_EQ(VarI4FromR8(0.5, &value), S_OK);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(VarI4FromR8(1.5, &value), S_OK);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(VarI4FromR8(-1.5, &value), S_OK);
    EXPECT_EQ(value, -2);
    EXPECT_EQ(VarI4FromR8(2147483647.4, &value), S_OK);
    EXPECT_EQ(VarI4FromR8(2147483647.5, &value), DISP_E_OVERFLOW);
    EXPECT_EQ(VarI4FromR8(NAN, &value), DISP_E_OVERFLOW);

    VARIANT twoToThe63;
    VariantInit(&twoToThe63);
    twoToThe63.vt = VT_R8;
    twoToThe63.dblVal = 9223372036854775808.0;
    VariantHolder i8;
    EXPECT_EQ(VariantChangeType(&i8.v, &twoToThe63, 0, VT_I8), DISP_E_OVERFLOW) << "one past the largest I8";
    twoToThe63.dblVal = -9223372036854775808.0;
    ASSERT_EQ(VariantChangeType(&i8.v, &twoToThe63, 0, VT_I8), S_OK);
    EXPECT_EQ(i8.v.llVal, INT64_MIN);

    CY cy;
    cy.int64 = 25000; // 2.5
    EXPECT_EQ(VarI4FromCy(cy, &value), S_OK);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(VarCyFromR8(1e16, &cy), DISP_E_OVERFLOW);
}

TEST(VariantConvert, TextRoundTripsThroughTheVarFunctions)
{
    BSTR text = nullptr;
    CY cy;
    ASSERT_EQ(VarCyFromStr(u"-922337203685477.5808", LOCALE_USER_DEFAULT, 0, &cy), S_OK);
    ASSERT_EQ(VarBstrFromCy(cy, LOCALE_USER_DEFAULT, 0, &text), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(text), "-922337203685477.5808");
    SysFreeString(text);

    DATE date = 0;
    ASSERT_EQ(VarDateFromStr(u"7/4/2021 1:02:03 PM", LOCALE_USER_DEFAULT, 0, &date), S_OK);
    ASSERT_EQ(VarBstrFromDate(date, LOCALE_USER_DEFAULT, 0, &text), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(text), "7/4/2021 1:02:03 PM");
    SysFreeString(text);
    ASSERT_EQ(VarBstrFromDate(date, LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &text), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(text), "7/4/2021");
    SysFreeString(text);

    ASSERT_EQ(VarBstrFromBool(VARIANT_TRUE, LOCALE_USER_DEFAULT, 0, &text), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(text), "True");
    SysFreeString(text);
}

TEST(VariantConvert, SystemTimeRoundTripAndRange)
{
    SYSTEMTIME t{2024, 2, 0, 29, 23, 59, 58, 999};
    DATE date = 0;
    ASSERT_TRUE(SystemTimeToVariantTime(&t, &date));
    SYSTEMTIME back{};
    ASSERT_TRUE(VariantTimeToSystemTime(date, &back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wDayOfWeek, 4) << "29 February 2024 was a Thursday";
    EXPECT_EQ(back.wHour, 23);
    EXPECT_EQ(back.wMinute, 59);
    EXPECT_EQ(back.wSecond, 58);
    EXPECT_EQ(back.wMilliseconds, 0) << "milliseconds are dropped";

    SYSTEMTIME badDay{2023, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToVariantTime(&badDay, &date));
    EXPECT_FALSE(VariantTimeToSystemTime(3000000.0, &back));
}

TEST(VariantConvert, ChangeTypeInPlaceFreesTheOldString)
{
    VARIANT v = Text(u"123");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 123);
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(v.bstrVal), "123");
    VariantClear(&v);
}

TEST(VariantConvert, ByReferenceSourcesAreFollowed)
{
    LONG target = 99;
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_I4;
    ref.plVal = &target;
    VariantHolder out;
    ASSERT_EQ(VariantChangeType(&out.v, &ref, 0, VT_R8), S_OK);
    EXPECT_EQ(out.v.dblVal, 99.0);

    VariantHolder copy;
    ASSERT_EQ(VariantCopyInd(&copy.v, &ref), S_OK);
    EXPECT_EQ(copy.v.vt, VT_I4);
    EXPECT_EQ(copy.v.lVal, 99);
}

TEST(VariantConvert, EmptyAndNull)
{
    VARIANT empty;
    VariantInit(&empty);
    VariantHolder out;
    ASSERT_EQ(VariantChangeType(&out.v, &empty, 0, VT_I4), S_OK);
    EXPECT_EQ(out.v.lVal, 0);

    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    EXPECT_EQ(VariantChangeType(&out.v, &null, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantChangeType(&out.v, &null, 0, VT_NULL), S_OK);
    EXPECT_EQ(out.v.vt, VT_NULL);
}

TEST(VariantConvert, BadTypesAreRefused)
{
    VariantHolder out;
    for (VARTYPE vt : {VARTYPE(15), VARTYPE(VT_VARIANT), VARTYPE(VT_ARRAY | VT_EMPTY), VARTYPE(VT_BYREF | VT_NULL),
                       VARTYPE(VT_VECTOR | VT_I4)}) {
        VARIANT odd;
        VariantInit(&odd);
        odd.vt = vt;
        EXPECT_EQ(VariantChangeType(&out.v, &odd, 0, VT_I4), DISP_E_BADVARTYPE) << vt;
        EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE) << vt;
    }
    VARIANT i4;
    VariantInit(&i4);
    i4.vt = VT_I4;
    EXPECT_EQ(VariantChangeType(&out.v, &i4, 0, VT_BYREF | VT_I4), DISP_E_BADVARTYPE);
}

TEST(VariantLifetime, CopyAndClearKeepInterfaceCountsBalanced)
{
    auto* thing = new TestThing;
    const int live = TestThing::s_live;
    VARIANT a;
    VariantInit(&a);
    a.vt = VT_UNKNOWN;
    a.punkVal = thing->GetUnknown(); // takes the creator's reference
    VARIANT b;
    VariantInit(&b);
    ASSERT_EQ(VariantCopy(&b, &a), S_OK);
    EXPECT_EQ(thing->RefCount(), 2u);
    ASSERT_EQ(VariantCopy(&b, &b), S_OK) << "copy onto itself changes nothing";
    EXPECT_EQ(thing->RefCount(), 2u);
    VariantClear(&b);
    EXPECT_EQ(thing->RefCount(), 1u);
    VariantClear(&a);
    EXPECT_EQ(TestThing::s_live, live - 1);
}

TEST(VariantLifetime, CopyDuplicatesStringsWithEmbeddedNuls)
{
    VARIANT a;
    VariantInit(&a);
    a.vt = VT_BSTR;
    a.bstrVal = SysAllocStringLen(u"x\0y", 3);
    VariantHolder b;
    ASSERT_EQ(VariantCopy(&b.v, &a), S_OK);
    EXPECT_NE(b.v.bstrVal, a.bstrVal);
    EXPECT_EQ(SysStringLen(b.v.bstrVal), 3u);
    VariantClear(&a);
    EXPECT_EQ(b.v.bstrVal[2], u'y');
}

TEST(VariantConvert, ObjectsConvertThroughTheirValueProperty)
{
    struct Valued : tw::ComObject<IDispatch> {
        HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
        HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                       UINT*) override
        {
            if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET) || !result)
                return DISP_E_MEMBERNOTFOUND;
            result->vt = VT_I4;
            result->lVal = 31;
            return S_OK;
        }
    };
    auto* object = new Valued;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    VariantHolder out;
    ASSERT_EQ(VariantChangeType(&out.v, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(tw::BstrToUtf8(out.v.bstrVal), "31");
    EXPECT_EQ(VariantChangeType(&out.v, &v, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
    VariantClear(&v);
}

} // namespace
