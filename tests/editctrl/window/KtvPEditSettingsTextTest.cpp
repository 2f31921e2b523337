// The settings text scanner and colour values.
#include <gtest/gtest.h>

#include "editctrl/KtvPEditSettingsText.h"

namespace {

TEST(EditSettingsScanner, TakesElementsOutInDocumentOrderAndMatchesNestedNamesPairwise)
{
    CString source = "<A> one </A><B><B>inner</B></B><A>two</A>";
    CString value;
    ASSERT_TRUE(ExtractXMLTagValue(source, "A", value, FALSE));
    EXPECT_STREQ(value, "one");
    ASSERT_TRUE(ExtractXMLTagValue(source, "B", value, FALSE));
    EXPECT_STREQ(value, "<B>inner</B>");
    ASSERT_TRUE(ExtractXMLTagValue(source, "A", value, FALSE));
    EXPECT_STREQ(value, "two");
    EXPECT_STREQ(source, "");
    EXPECT_FALSE(ExtractXMLTagValue(source, "A", value, FALSE));
}

TEST(EditSettingsScanner, MissingOrDifferingTagsAreNotFoundAndTheSourceStays)
{
    const char* const sources[] = {"<A>open only", "<A x=\"1\">v</A>", "<a>v</A>"};
    for (const char* text : sources) {
        CString source = text;
        CString value = "unchanged";
        EXPECT_FALSE(ExtractXMLTagValue(source, "A", value, FALSE)) << text;
        EXPECT_STREQ(source, text);
    }
}

TEST(EditSettingsScanner, UnescapingDropsQuotesAndReplacesEscapesAndWholeWordEntities)
{
    struct Case {
        const char* raw;
        const char* expected;
    };
    const Case cases[] = {
        {"\" \\t\"", " \t"},        // quotes keep the blank
        {"\\t", "\t"},
        {"\\x\\n", "\\x\n"},        // no other escapes
        {"DEFAULT", "DEFAULT"},     // letters inside a word stay
        {"a LT b GT c AMP", "a < b > c &"},
        {"LT", "<"},
    };
    for (const Case& c : cases) {
        CString source = CString("<V>") + c.raw + "</V>";
        CString value;
        ASSERT_TRUE(ExtractXMLTagValue(source, "V", value, TRUE)) << c.raw;
        EXPECT_STREQ(value, c.expected) << c.raw;
    }
}

TEST(EditSettingsColors, HexNamesAndMalformedValues)
{
    struct Case {
        const char* text;
        COLORREF expected;
    };
    const Case cases[] = {
        {"0000ff", RGB(0, 0, 255)}, {"0000FF", RGB(0, 0, 255)},   {"ff8000", RGB(255, 128, 0)},
        {"\"DarkRed\"", RGB(128, 0, 0)}, {"DarkRed", 0},          {"\"nosuch\"", 0},
        {"", 0},                    {"12345g", 0},                {"\"gray\"", RGB(192, 192, 192)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseXMLColor(c.text), c.expected) << c.text;
}

}  // namespace
