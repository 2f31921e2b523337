// The quoting of names and literals every statement of the program uses.
#include <gtest/gtest.h>

#include "sqleditor/SqlNames.h"

namespace {

struct SqlNamesQuoteCase {
    const char* input;
    const char* name;     // SqlQuoteName
    const char* literal;  // SqlQuoteLiteral
};

const SqlNamesQuoteCase kSqlNamesQuoteCases[] = {
    {"authors", "authors", "'authors'"},
    {"sp_help", "sp_help", "'sp_help'"},
    {"@p1", "@p1", "'@p1'"},
    {"#temp$1", "#temp$1", "'#temp$1'"},
    {"", "[]", "''"},
    {"1abc", "[1abc]", "'1abc'"},
    {"order details", "[order details]", "'order details'"},
    {"a]b", "[a]]b]", "'a]b'"},
    {"o'neil", "[o'neil]", "'o''neil'"},
    {"table", "[table]", "'table'"},
    {"Select", "[Select]", "'Select'"},
    {"my-db", "[my-db]", "'my-db'"},
    {"a.b", "[a.b]", "'a.b'"},
    {"caf\xC3\xA9", "[caf\xC3\xA9]", "N'caf\xC3\xA9'"},
    {"it's caf\xC3\xA9", "[it's caf\xC3\xA9]", "N'it''s caf\xC3\xA9'"},
};

TEST(SqlNames, NamesAreBracketedOnlyWhenNeededAndLiteralsAlwaysDoubleQuotes)
{
    for (const auto& c : kSqlNamesQuoteCases) {
        SCOPED_TRACE(c.input);
        EXPECT_STREQ(SqlQuoteName(c.input), c.name);
        EXPECT_STREQ(SqlQuoteLiteral(c.input), c.literal);
    }
}

TEST(SqlNames, AlwaysBracketingKeepsBracketsOnPlainNames)
{
    EXPECT_STREQ(SqlQuoteName("master", TRUE), "[master]");
    EXPECT_STREQ(SqlQuoteName("x]]", TRUE), "[x]]]]]");
}

TEST(SqlNames, RoutineArgumentsTakeTheDottedPartsFromTheRight)
{
    const struct {
        const char* input;
        const char* expected;
    } cases[] = {
        {"sp_who", "sp_who"},
        {"dbo.byroyalty", "byroyalty, dbo"},
        {"pubs.dbo.byroyalty", "byroyalty, dbo, pubs"},
        {"pubs..byroyalty", "byroyalty, NULL, pubs"},
        {"dbo.my proc", "'my proc', dbo"},
        {"o'wner.p]x", "'p]x', 'o''wner'"},
        {"select", "'select'"},
        {"a.b.c.d", "'a.b.c.d'"},
        {"dbo.", "'dbo.'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_STREQ(SqlRoutineArguments(c.input), c.expected);
    }
}

} // namespace
