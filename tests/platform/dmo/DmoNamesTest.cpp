#include <gtest/gtest.h>

#include "platform/dmo/ObjectCollection.h"
#include "platform/dmo/SqlQuoting.h"
#include "platform/dmo/SqlServerObject.h"

namespace dmonames {

using namespace tw::dmo;

struct QuoteCase {
    const char* raw;
    const char* name;
    const char* literal;
};

class DmoQuoting : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(DmoQuoting, DoublesTheClosingCharacter)
{
    EXPECT_EQ(QuoteName(GetParam().raw), GetParam().name);
    EXPECT_EQ(QuoteLiteral(GetParam().raw), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(Names, DmoQuoting,
                         ::testing::Values(QuoteCase{"plain", "[plain]", "N'plain'"},
                                           QuoteCase{"a]b", "[a]]b]", "N'a]b'"},
                                           QuoteCase{"it's", "[it's]", "N'it''s'"},
                                           QuoteCase{"with blank", "[with blank]", "N'with blank'"},
                                           QuoteCase{"x');DROP TABLE t--", "[x');DROP TABLE t--]",
                                                     "N'x'');DROP TABLE t--'"}));

TEST(DmoOwnerNames, SplitsAtTheFirstStopOutsideBrackets)
{
    EXPECT_EQ(SplitOwnerName("dbo.Orders").owner, "dbo");
    EXPECT_EQ(SplitOwnerName("dbo.Orders").name, "Orders");
    EXPECT_EQ(SplitOwnerName("[own.er].[na]]me]").owner, "own.er");
    EXPECT_EQ(SplitOwnerName("[own.er].[na]]me]").name, "na]me");
    EXPECT_EQ(SplitOwnerName("Orders").owner, "");
    EXPECT_EQ(SplitOwnerName("Orders").name, "Orders");
}

// Two tables named x under owners a and b, and one under dbo named "a.x".
class DmoNameLookup : public ::testing::Test {
protected:
    std::vector<NameEntry> entries{{"x", "a"}, {"x", "b"}, {"y", "b"}, {"a.x", "dbo"}};
};

TEST_F(DmoNameLookup, OwnerQualifiedNamesKeepTheOwner)
{
    EXPECT_EQ(FindNameEntry(entries, "b.x", ""), 1);
    EXPECT_EQ(FindNameEntry(entries, "[b].[x]", ""), 1);
    EXPECT_EQ(FindNameEntry(entries, "x", "b"), 1);
    EXPECT_EQ(FindNameEntry(entries, "X", "A"), 0);
}

TEST_F(DmoNameLookup, AWholeNameWithAStopWinsOverASplit)
{
    EXPECT_EQ(FindNameEntry(entries, "a.x", ""), 3);
    EXPECT_EQ(FindNameEntry(entries, "[a].[x]", ""), 0);
}

TEST_F(DmoNameLookup, BareNamesAndMisses)
{
    EXPECT_EQ(FindNameEntry(entries, "y", ""), 2);
    EXPECT_EQ(FindNameEntry(entries, "x", ""), 0);
    EXPECT_EQ(FindNameEntry(entries, "z", ""), -1);
    EXPECT_EQ(FindNameEntry(entries, "c.x", ""), -1);
    EXPECT_EQ(FindNameEntry(entries, "y", "a"), -1);
}

TEST(DmoServerList, ReadsSectionsOtherThanGlobalOnce)
{
    const char* text = "[global]\n tds version = 7.3\n# [commented]\n[Prod Server]\n host = 10.0.0.1\n"
                       "  [backup]  \n[prod server]\n";
    EXPECT_EQ(ServerSectionsOf(text), (std::vector<std::string>{"Prod Server", "backup"}));
}

} // namespace dmonames
