// The word finders: which dotted name ends at an offset, which one stands
// before it, and which characters join a name to what follows.
#include <gtest/gtest.h>

#include <string>

#include "sqleditor/CustomerEditCtrl.h"

namespace {

struct QualifiedRow {
    const char* text;
    int offset;       // -1: the text's end
    const char* name; // nullptr: none found
};

int OffsetIn(const QualifiedRow& row)
{
    return row.offset < 0 ? static_cast<int>(std::string(row.text).size()) : row.offset;
}

} // namespace

TEST(CompletionWordNames, TheDottedNameEndingAtAnOffset)
{
    const QualifiedRow rows[] = {
        {"select dbo.orders", -1, "dbo.orders"},
        {"select tarnsample.dbo.orders", -1, "tarnsample.dbo.orders"},
        {"select tarnsample..orders", -1, "tarnsample..orders"},
        {"from orders o", -1, "o"},
        {"select [odd ]]name].col", -1, "odd ]name.col"},
        {"select [odd name]", -1, "odd name"},
        {"exec fn(", 7, "fn("},
        {"exec sp_who [", 12, "sp_who["},
        {"select orders.", 13, "orders."},
        {"select '[a]'", -1, nullptr},
        {"", 0, nullptr},
    };
    CCustomerEditCtrl edit;
    for (const QualifiedRow& row : rows) {
        CString name = "unchanged";
        const BOOL found = edit.GetQualifiedNameAt(row.text, OffsetIn(row), name);
        if (row.name == nullptr) {
            EXPECT_FALSE(found) << row.text;
            EXPECT_EQ(name, "unchanged") << row.text;
        } else {
            EXPECT_TRUE(found) << row.text;
            EXPECT_EQ(std::string(static_cast<const char*>(name)), row.name) << row.text;
        }
    }
}

TEST(CompletionWordNames, TheDottedNameBeforeIt)
{
    const QualifiedRow rows[] = {
        {"from orders o", 12, "orders"},
        {"from dbo.orders o", 16, "dbo.orders"},
        {"orders", 5, "orders"},  // off the text's start: its first word
    };
    CCustomerEditCtrl edit;
    for (const QualifiedRow& row : rows) {
        CString name;
        ASSERT_TRUE(edit.GetPrevQualifiedName(row.text, OffsetIn(row), name)) << row.text;
        EXPECT_EQ(std::string(static_cast<const char*>(name)), row.name) << row.text;
    }
}

TEST(CompletionWordNames, TriggerCharactersStepBackOverThemselves)
{
    CCustomerEditCtrl edit;
    const char* text = "a.b(c d[e";
    const std::pair<int, char> triggers[] = {{1, '.'}, {3, '('}, {5, ' '}, {7, '['}};
    for (const auto& [offset, ch] : triggers) {
        int at = offset;
        TCHAR found = 0;
        EXPECT_TRUE(edit.FindTipTrigger(text, at, found)) << offset;
        EXPECT_EQ(found, ch);
        EXPECT_EQ(at, offset - 1);
    }
    for (int offset : {0, 2, 9, 40}) {
        int at = offset;
        TCHAR found = 0;
        EXPECT_FALSE(edit.FindTipTrigger(text, at, found)) << offset;
        EXPECT_EQ(at, offset);
    }
    // A negative offset looks at the first character.
    int at = -1;
    TCHAR found = 0;
    EXPECT_TRUE(edit.FindTipTrigger(".x", at, found));
    EXPECT_EQ(at, -2);
}
