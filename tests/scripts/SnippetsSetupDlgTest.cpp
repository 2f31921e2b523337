// The snippets setup dialog run modally against the registry and the snippet
// file: adding, editing, renaming, dropping and saving, as a user clicks.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/RegistryXml.h"
#include "scripts/SnippetNameDlg.h"
#include "scripts/SnippetStore.h"
#include "scripts/SnippetsSetupDlg.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "tests/session/LogonTestSupport.h"
#include "ui/frames/KtvPRegistry.h"

namespace scriptstest {
namespace {

using logontest::MessageBoxes;
using SetupScripted = logontest::Scripted<CSnippetsSetupDlg>;

class SnippetsSetupDlgTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CKtvPRegistry(FALSE, FALSE).DeleteKey(snippets::kRootKey);
    }

    static HTREEITEM Find(SetupScripted& d, const char* label)
    {
        std::vector<HTREEITEM> pending{d.m_wndTree.GetRootItem()};
        while (!pending.empty()) {
            HTREEITEM h = pending.back();
            pending.pop_back();
            if (h == nullptr)
                continue;
            if (d.m_wndTree.GetItemText(h) == label)
                return h;
            for (HTREEITEM c = d.m_wndTree.GetChildItem(h); c != nullptr; c = d.m_wndTree.GetNextSiblingItem(c))
                pending.push_back(c);
        }
        return nullptr;
    }
    static void Select(SetupScripted& d, const char* label) { d.m_wndTree.SelectItem(Find(d, label)); }

    static std::string ItemValue(const char* page, const char* item, const char* suffix)
    {
        CKtvPRegistry registry(FALSE, TRUE);
        CString text;
        if (!registry.Open(snippets::ItemKey(page, item)) || !registry.Read(CString(item) + suffix, text))
            return "<missing>";
        return static_cast<LPCTSTR>(text);
    }
};

TEST_F(SnippetsSetupDlgTest, AMissingFileOpensWithOnlyTheRootNode)
{
    std::filesystem::remove(kTwSnippetsFile);
    SetupScripted dlg;
    int nodes = -1;
    std::string caption;
    dlg.steps = {[&](SetupScripted& d) {
                     nodes = static_cast<int>(d.m_wndTree.GetCount());
                     char text[128] = {};
                     d.GetWindowText(text, sizeof text);
                     caption = text;
                     d.Press(IDCANCEL);
                 }};
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(nodes, 1);
    EXPECT_EQ(caption, "Snippets Setup Editor");
    EXPECT_TRUE(CKtvPRegistry(FALSE, TRUE).VerifyKey(snippets::kRootKey));
}

// Typing into an item's edits writes them to its key when the focus leaves;
// choosing "Associate file:" keeps the content; Save writes the file back and
// the next opening imports it.
TEST_F(SnippetsSetupDlgTest, EditsGoToTheSelectedItemAndSaveWritesTheFile)
{
    {
        CKtvPRegistry(FALSE, FALSE).CreateKey(snippets::ItemKey("Tables", "Drop"));
        CKtvPRegistry(FALSE, FALSE).CreateKey(snippets::ItemKey("Tables", "Create"));
    }
    std::filesystem::create_directories("data");
    MessageBoxes boxes({IDOK});
    SetupScripted dlg;
    dlg.steps = {
        [](SetupScripted& d) {
            d.m_wndTree.Expand(d.m_wndTree.GetRootItem(), TVE_EXPAND);
            Select(d, "Drop");
        },
        [](SetupScripted& d) {
            EXPECT_EQ(d.Text(CSnippetsSetupDlg::IDC_NAME), "Drop");
            EXPECT_TRUE(d.Checked(CSnippetsSetupDlg::IDC_CONTENT_CHOICE));
            EXPECT_TRUE(d.Enabled(CSnippetsSetupDlg::IDC_CONTENT));
            EXPECT_FALSE(d.Enabled(CSnippetsSetupDlg::IDC_FILE));
            d.m_wndContent.SetFocus();
            d.m_wndContent.SetWindowText("DROP TABLE t");
            d.m_wndComment.SetFocus();
            d.m_wndComment.SetWindowText("removes t");
            // Another item clicked: the comment is written for "Drop".
            d.m_wndTree.SetFocus();
            Select(d, "Create");
        },
        [](SetupScripted& d) {
            EXPECT_EQ(d.Text(CSnippetsSetupDlg::IDC_CONTENT), "");
            Select(d, "Drop");
        },
        [](SetupScripted& d) {
            ::SendMessage(d.Item(CSnippetsSetupDlg::IDC_FILE_CHOICE), BM_CLICK, 0, 0);
        },
        [](SetupScripted& d) {
            EXPECT_TRUE(d.Enabled(CSnippetsSetupDlg::IDC_FILE));
            EXPECT_FALSE(d.Enabled(CSnippetsSetupDlg::IDC_CONTENT));
            d.m_wndFile.SetFocus();
            d.m_wndFile.SetWindowText("/tmp/drop.sql");
            d.m_wndComment.SetFocus();
            d.Press(CSnippetsSetupDlg::IDC_SAVE);
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Save success."});
    EXPECT_EQ(ItemValue("Tables", "Drop", snippets::kContentSuffix), "DROP TABLE t");
    EXPECT_EQ(ItemValue("Tables", "Drop", snippets::kCommentSuffix), "removes t");
    EXPECT_EQ(ItemValue("Tables", "Drop", snippets::kFileSuffix), "/tmp/drop.sql");
    EXPECT_EQ(ItemValue("Tables", "Create", snippets::kContentSuffix), "<missing>")
        << "nothing written for an item whose edits were not touched";
    EXPECT_STREQ(snippets::TextToInsert("Tables", "Drop"), "/tmp/drop.sql");

    // The file parses back and restores the tree into an emptied registry.
    CKtvPRegistry(FALSE, FALSE).DeleteKey(snippets::kRootKey);
    CXmlReader reader;
    ASSERT_TRUE(ImportRegistryFromXml(reader, kTwSnippetsFile));
    EXPECT_EQ(ItemValue("Tables", "Drop", snippets::kContentSuffix), "DROP TABLE t");
    EXPECT_EQ(ItemValue("Tables", "Create", snippets::kCommentSuffix), "<missing>");
}

TEST_F(SnippetsSetupDlgTest, DropAsksForAPageWithItemsAndOnlyThen)
{
    for (const char* key : {"Tables\\Drop", "Tables\\Create", "Empty"})
        CKtvPRegistry(FALSE, FALSE).CreateKey(CString(snippets::kRootKey) + "\\" + key);
    struct Case {
        const char* node;
        int answer;
        std::vector<std::string> asked;
        bool keyLeft;
        CString key;
    } cases[] = {
        {"Tables", IDNO, {"The selected item has child items,do you want to delete all items?"}, true,
         snippets::PageKey("Tables")},
        {"Drop", IDOK, {}, false, snippets::ItemKey("Tables", "Drop")},
        {"Empty", IDOK, {}, false, snippets::PageKey("Empty")},
        {"Tables", IDYES, {"The selected item has child items,do you want to delete all items?"}, false,
         snippets::PageKey("Tables")},
    };
    for (const Case& c : cases) {
        MessageBoxes boxes({c.answer});
        SetupScripted dlg;
        dlg.steps = {[&](SetupScripted& d) {
                         Select(d, c.node);
                         d.Press(CSnippetsSetupDlg::IDC_DROP);
                         EXPECT_EQ(Find(d, c.node) != nullptr, c.keyLeft) << c.node;
                         d.Press(IDCANCEL);
                     }};
        dlg.DoModal();
        EXPECT_EQ(boxes.texts, c.asked) << c.node;
        EXPECT_EQ(CKtvPRegistry(FALSE, TRUE).VerifyKey(c.key) != FALSE, c.keyLeft) << c.node;
    }
}

}  // namespace
}  // namespace scriptstest
