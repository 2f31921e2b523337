// The display text of provider values and the search that ignores case.
#include <gtest/gtest.h>

#include "session/VariantText.h"

namespace {

struct TextCase {
    const char* name;
    _variant_t value;
    VARTYPE forcedType;  // 0: the value's own type
    const char* expected;
};

_variant_t Typed(VARTYPE vt)
{
    _variant_t value;
    value.vt = vt;
    value.llVal = 0;
    return value;
}

TEST(VariantToText, FormatsEachKindOfValueOrNamesItsType)
{
    _variant_t byte;
    byte.vt = VT_UI1;
    byte.bVal = 10;
    _variant_t shortValue;
    shortValue.vt = VT_I2;
    shortValue.iVal = -5;
    const TextCase cases[] = {
        {"null", Typed(VT_NULL), 0, "NULL"},
        {"empty", _variant_t(), 0, "NULL"},
        {"bool true", _variant_t(true), 0, "TRUE"},
        {"bool false", _variant_t(false), 0, "FALSE"},
        {"short", shortValue, 0, "-5"},
        {"long", _variant_t(42L), 0, "42"},
        {"double", _variant_t(1.5), 0, "1.500000e+000"},
        {"byte", byte, 0, "0x0A"},
        {"string", _variant_t("My Db"), 0, "My Db"},
        {"decimal", Typed(VT_DECIMAL), 0, "<Unknown>"},
        {"signed byte", Typed(VT_I1), 0, "VT_I1"},
        {"unknown type 15", Typed(15), 0, "<Unknown>"},
        {"64-bit integer", Typed(VT_I8), 0, "VT_I8"},
        {"clsid", Typed(VT_CLSID), 0, "VT_CLSID"},
        {"array of bytes", Typed(VT_ARRAY | VT_UI1), 0, "Array of VT_UI1"},
        {"pointer to long", Typed(VT_BYREF | VT_I4), 0, "Pointer to VT_I4"},
        {"array of pointers", Typed(VT_ARRAY | VT_BYREF | VT_BSTR), 0, "Array of Pointer to VT_BSTR"},
        {"vector flag", Typed(0x1000 | VT_I4), 0, "<Unknown>"},
    };
    for (const TextCase& c : cases) {
        VARIANT raw = c.value;
        EXPECT_EQ(std::string(VariantToText(raw)), c.expected) << c.name;
    }
    // Typed() leaves nothing to free for the flagged kinds.
    for (const TextCase& c : cases)
        if (c.value.vt & (VT_ARRAY | VT_BYREF))
            const_cast<_variant_t&>(c.value).vt = VT_EMPTY;
}

TEST(FindNoCase, FindsThePieceInAnyCaseFromTheStart)
{
    struct Case {
        const char* text;
        const char* piece;
        int start;
        int expected;
    } cases[] = {
        {"select 1 use pubs", "USE ", 0, 9},
        {"select 1", "USE ", 0, -1},
        {"USE master", "use ", 0, 0},
        {"use a; Use b", "USE ", 1, 7},
        {"sp_helptext x", "SP_HELPTEXT ", 0, 0},
        {"", "USE ", 0, -1},
        {"abc", "b", 4, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindNoCase(c.text, c.piece, c.start), c.expected) << c.text << " / " << c.piece;
}

}  // namespace
