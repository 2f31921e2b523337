// _bstr_t and _variant_t as the program's code uses them.
#include <gtest/gtest.h>

#include <string>

#include "TestObjects.h"

namespace {

TEST(BstrT, CopiesShareOneStringAndConvertBothWays)
{
    _bstr_t a("na\xC3\xAFve");
    _bstr_t b = a;
    EXPECT_EQ(static_cast<const WCHAR*>(a), static_cast<const WCHAR*>(b)) << "shared, not copied";
    EXPECT_EQ(a.length(), 5u);
    EXPECT_STREQ(static_cast<const char*>(b), "na\xC3\xAFve");
    EXPECT_EQ(std::u16string(static_cast<const WCHAR*>(a)), u"na\u00EFve");
}

TEST(BstrT, NullActsAsEmptyExceptForNot)
{
    _bstr_t none;
    _bstr_t empty("");
    EXPECT_TRUE(!none);
    EXPECT_FALSE(!empty);
    EXPECT_TRUE(none == empty);
    EXPECT_EQ(none.length(), 0u);
    EXPECT_EQ(static_cast<const char*>(none), nullptr);
    EXPECT_TRUE(none == "");
}

TEST(BstrT, ConcatenationAndOrdering)
{
    _bstr_t joined = _bstr_t("HRESULT: ") + "0x80004005" + _bstr_t(u"; Error");
    EXPECT_TRUE(joined == "HRESULT: 0x80004005; Error");
    joined += " and more";
    EXPECT_EQ(joined.length(), 35u);
    EXPECT_TRUE(_bstr_t("abc") < _bstr_t("abd"));
    EXPECT_TRUE(_bstr_t("ab") < _bstr_t("abc"));
    EXPECT_TRUE(_bstr_t("B") < _bstr_t("a")) << "compared by code unit, case matters";
    EXPECT_TRUE(_bstr_t("x") != "y");
}

TEST(BstrT, EmbeddedNulsCompareByFullLength)
{
    _bstr_t withNul(SysAllocStringLen(u"a\0b", 3), false);
    _bstr_t plain("a");
    EXPECT_FALSE(withNul == plain);
    EXPECT_EQ(withNul.length(), 3u);
}

TEST(BstrT, AttachDetachAndOutAddress)
{
    _bstr_t owner;
    owner.Attach(SysAllocString(u"mine"));
    _bstr_t shared = owner;
    BSTR detached = owner.Detach();
    EXPECT_EQ(std::u16string(detached), u"mine");
    EXPECT_TRUE(shared == "mine") << "a shared string stays with the other copy";
    SysFreeString(detached);

    _bstr_t out("old");
    BSTR* slot = out.GetAddress();
    EXPECT_EQ(*slot, nullptr);
    *slot = SysAllocString(u"filled");
    EXPECT_TRUE(out == "filled");
    EXPECT_STREQ(static_cast<const char*>(out), "filled");
}

TEST(VariantT, ConstructorsPickThePlatformTypes)
{
    struct Case {
        _variant_t value;
        VARTYPE vt;
    };
    const LONG longValue = 5;
    Case cases[] = {
        {_variant_t(short(1)), VT_I2},
        {_variant_t(longValue), VT_I4},
        {_variant_t(5L), VT_I4},
        {_variant_t(5000000000L), VT_I8},
        {_variant_t(5LL), VT_I8},
        {_variant_t(1.5f), VT_R4},
        {_variant_t(1.5), VT_R8},
        {_variant_t(36526.0, VT_DATE), VT_DATE},
        {_variant_t(true), VT_BOOL},
        {_variant_t(short(-1), VT_BOOL), VT_BOOL},
        {_variant_t(BYTE(9)), VT_UI1},
        {_variant_t("text"), VT_BSTR},
        {_variant_t(u"text"), VT_BSTR},
        {_variant_t(_bstr_t("text")), VT_BSTR},
        {_variant_t(DISP_E_PARAMNOTFOUND, VT_ERROR), VT_ERROR},
        {_variant_t(7u), VT_UI4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.vt, c.vt);
    EXPECT_EQ(vtMissing.vt, VT_ERROR);
    EXPECT_EQ(vtMissing.scode, DISP_E_PARAMNOTFOUND);
}

TEST(VariantT, ExtractorsConvert)
{
    EXPECT_EQ(static_cast<int>(_variant_t("42")), 42);
    EXPECT_DOUBLE_EQ(static_cast<double>(_variant_t(3)), 3.0);
    EXPECT_TRUE(static_cast<bool>(_variant_t("True")));
    EXPECT_FALSE(static_cast<bool>(_variant_t(0)));
    EXPECT_TRUE(static_cast<_bstr_t>(_variant_t(2.5)) == "2.5");
    EXPECT_TRUE(_bstr_t(_variant_t(true)) == "-1");
    CY cy = _variant_t("1.5");
    EXPECT_EQ(cy.int64, 15000);
    long wide = _variant_t(5000000000LL);
    EXPECT_EQ(wide, 5000000000L);
}

TEST(VariantT, ExtractorsRaiseTheConversionError)
{
    struct Case {
        _variant_t value;
        HRESULT expected;
    };
    _variant_t null;
    null.vt = VT_NULL;
    Case cases[] = {{null, DISP_E_TYPEMISMATCH},
                    {_variant_t("not a number"), DISP_E_TYPEMISMATCH},
                    {_variant_t(100000), DISP_E_OVERFLOW}};
    for (const Case& c : cases) {
        try {
            short value = c.value;
            ADD_FAILURE() << "converted to " << value;
        } catch (const _com_error& error) {
            EXPECT_EQ(error.Error(), c.expected);
        }
    }
    EXPECT_THROW((void)static_cast<_bstr_t>(null), _com_error);
}

TEST(VariantT, ObjectsAreCountedAcrossCopiesAndExtraction)
{
    auto* thing = new TestThing;
    {
        _variant_t holder(static_cast<IUnknown*>(thing->GetUnknown()));
        EXPECT_EQ(thing->RefCount(), 2u);
        _variant_t copy = holder;
        EXPECT_EQ(thing->RefCount(), 3u);
        IUnknown* extracted = copy;
        EXPECT_EQ(thing->RefCount(), 4u) << "the extractor hands out its own reference";
        extracted->Release();
        EXPECT_TRUE(copy == holder);
    }
    EXPECT_EQ(thing->RefCount(), 1u);
    thing->Release();
}

TEST(VariantT, ChangeTypeAttachDetach)
{
    _variant_t value("12.75");
    value.ChangeType(VT_CY);
    EXPECT_EQ(value.vt, VT_CY);
    EXPECT_EQ(value.cyVal.int64, 127500);
    EXPECT_THROW(value.ChangeType(VT_DISPATCH), _com_error);
    EXPECT_EQ(value.vt, VT_CY) << "a failed change leaves the value";

    VARIANT raw = value.Detach();
    EXPECT_EQ(value.vt, VT_EMPTY);
    _variant_t again;
    again.Attach(raw);
    EXPECT_EQ(again.vt, VT_CY);
    EXPECT_EQ(raw.vt, VT_EMPTY);
}

TEST(VariantT, EqualityNeedsTypeAndValue)
{
    EXPECT_TRUE(_variant_t("a") == _variant_t("a"));
    EXPECT_FALSE(_variant_t(1) == _variant_t(short(1)));
    EXPECT_FALSE(_variant_t(1) == _variant_t(2));
    EXPECT_TRUE(_variant_t() == _variant_t());
}

} // namespace
