// Renaming snippet pages and items in the registry: the whole subtree moves,
// a case-only rename keeps the content, a taken name leaves both keys alone,
// and an item's values follow its new name.
#include <algorithm>
#include <string>
#include <vector>

#include "scripts/RegistryKeyMove.h"
#include "scripts/SnippetStore.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/frames/KtvPRegistry.h"

namespace scriptstest {
namespace {

class RegistryKeyMoveTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CKtvPRegistry(FALSE, FALSE).DeleteKey(snippets::kRootKey);
        WriteItem("Tables", "Create", "CREATE TABLE t (id int)");
        WriteItem("Tables", "Drop", "DROP TABLE t");
        ASSERT_TRUE(CKtvPRegistry(FALSE, FALSE).CreateKey(snippets::ItemKey("Tables", "Drop") + "\\Deeper"));
        WriteItem("Views", "Create", "CREATE VIEW v AS SELECT 1");
    }

    static void WriteItem(const char* page, const char* item, const char* content)
    {
        CKtvPRegistry registry(FALSE, FALSE);
        ASSERT_TRUE(registry.CreateKey(snippets::ItemKey(page, item)));
        ASSERT_TRUE(registry.Write(CString(item) + snippets::kOptSuffix, DWORD(0)));
        ASSERT_TRUE(registry.Write(CString(item) + snippets::kContentSuffix, content));
        ASSERT_TRUE(registry.Write(CString(item) + snippets::kCommentSuffix, "note"));
    }

    static std::vector<std::string> SubKeys(const CString& key)
    {
        CStringArray names;
        CKtvPRegistry registry(FALSE, TRUE);
        if (registry.Open(key))
            registry.ReadSubKeys(names);
        std::vector<std::string> out;
        for (INT_PTR i = 0; i < names.GetSize(); i++)
            out.emplace_back(static_cast<LPCTSTR>(names[i]));
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(RegistryKeyMoveTest, APageMovesWithEveryItemAndValue)
{
    struct Case {
        const char* from;
        const char* to;
        BOOL moved;
        std::vector<std::string> pages;
    } cases[] = {
        {"Tables", "Tabs", TRUE, {"Tabs", "Views"}},
        {"Tabs", "TABS", TRUE, {"TABS", "Views"}},
        {"TABS", "Views", FALSE, {"TABS", "Views"}},
        {"Missing", "Other", FALSE, {"TABS", "Views"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scripts::MoveRegistryKey(snippets::PageKey(c.from), snippets::PageKey(c.to)), c.moved) << c.from;
        EXPECT_EQ(SubKeys(snippets::kRootKey), c.pages) << c.from << " -> " << c.to;
    }
    EXPECT_EQ(SubKeys(snippets::PageKey("TABS")), (std::vector<std::string>{"Create", "Drop"}));
    EXPECT_EQ(SubKeys(snippets::ItemKey("TABS", "Drop")), std::vector<std::string>{"Deeper"});
    EXPECT_STREQ(snippets::TextToInsert("TABS", "Drop"), "DROP TABLE t");
    EXPECT_STREQ(snippets::TextToInsert("Views", "Create"), "CREATE VIEW v AS SELECT 1");
}

TEST_F(RegistryKeyMoveTest, AnItemsValuesFollowItsNewName)
{
    ASSERT_TRUE(scripts::RenameSnippetItem("Tables", "Create", "Make"));
    EXPECT_EQ(SubKeys(snippets::PageKey("Tables")), (std::vector<std::string>{"Drop", "Make"}));
    EXPECT_STREQ(snippets::TextToInsert("Tables", "Make"), "CREATE TABLE t (id int)");
    CKtvPRegistry registry(FALSE, TRUE);
    ASSERT_TRUE(registry.Open(snippets::ItemKey("Tables", "Make")));
    CStringArray values;
    registry.ReadValues(values);
    std::vector<std::string> names;
    for (INT_PTR i = 0; i < values.GetSize(); i++)
        names.emplace_back(static_cast<LPCTSTR>(values[i]));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Make---Item---Comment", "Make---Item---Content", "Make---Item---Opt"}));

    // Only the case changes: the content stays.
    ASSERT_TRUE(scripts::RenameSnippetItem("Tables", "Make", "MAKE"));
    EXPECT_STREQ(snippets::TextToInsert("Tables", "MAKE"), "CREATE TABLE t (id int)");
    // A name taken in the page is refused and nothing moves.
    EXPECT_FALSE(scripts::RenameSnippetItem("Tables", "MAKE", "Drop"));
    EXPECT_STREQ(snippets::TextToInsert("Tables", "MAKE"), "CREATE TABLE t (id int)");
    EXPECT_STREQ(snippets::TextToInsert("Tables", "Drop"), "DROP TABLE t");
}

}  // namespace
}  // namespace scriptstest
