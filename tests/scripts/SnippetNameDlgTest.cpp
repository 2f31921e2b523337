// The name dialog run modally: what OK refuses in each mode, with the message
// shown, and the name handed back as typed.
#include <string>

#include "scripts/SnippetNameDlg.h"
#include "scripts/SnippetStore.h"
#include "tests/session/LogonTestSupport.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/frames/KtvPRegistry.h"

namespace scriptstest {
namespace {

using logontest::MessageBoxes;
using NameScripted = logontest::Scripted<CSnippetNameDlg>;

class SnippetNameDlgTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CKtvPRegistry(FALSE, FALSE).DeleteKey(snippets::kRootKey);
        for (const CString& key : {snippets::ItemKey("Tables", "Create"), snippets::ItemKey("Tables", "Drop"),
                                   snippets::PageKey("Views")})
            ASSERT_TRUE(CKtvPRegistry(FALSE, FALSE).CreateKey(key)) << static_cast<LPCTSTR>(key);
    }
};

TEST_F(SnippetNameDlgTest, TheCheckRefusesEmptyBlankBackslashedAndDuplicateNames)
{
    const std::string empty = "Input the name in the edit,please";
    const std::string blank = "The name is space or tab,this is invalid,please";
    const std::string slash = "The name can not include \\,please";
    const std::string dup = "This name has been existed!";
    struct Case {
        const char* name;
        int mode;
        const char* context;
        const char* page;
        std::string refused;
    } cases[] = {
        {"", CSnippetNameDlg::kNewPage, "", "", empty},
        {"   ", CSnippetNameDlg::kNewPage, "", "", blank},
        {"\t\t", CSnippetNameDlg::kNewPage, "", "", blank},
        {"  \t", CSnippetNameDlg::kNewPage, "", "", blank},
        {"\t  ", CSnippetNameDlg::kNewPage, "", "", blank},
        {"\t \t", CSnippetNameDlg::kNewPage, "", "", ""},  // spaces go before tabs: one space stays
        {" Reports ", CSnippetNameDlg::kNewPage, "", "", ""},
        {"Tables", CSnippetNameDlg::kNewPage, "", "", dup},
        {"tables", CSnippetNameDlg::kNewPage, "", "", ""},
        {"a\\b", CSnippetNameDlg::kFolder, "", "", slash},
        {"a\\b", CSnippetNameDlg::kNewItem, "Tables", "", slash},
        {"Tables", CSnippetNameDlg::kFolder, "", "", ""},
        {"Drop", CSnippetNameDlg::kNewItem, "Tables", "", dup},
        {"Drop", CSnippetNameDlg::kNewItem, "Views", "", ""},
        {"Drop", CSnippetNameDlg::kRenameItem, "Drop", "Tables", ""},
        {"Drop", CSnippetNameDlg::kRenameItem, "Create", "Tables", dup},
        {"Views", CSnippetNameDlg::kRenamePage, "Views", "", ""},
        {"Views", CSnippetNameDlg::kRenamePage, "Tables", "", dup},
        {"Views", 7, "", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CSnippetNameDlg::CheckName(c.name, c.mode, c.context, c.page)), c.refused)
            << "'" << c.name << "' mode " << c.mode;
}

// A refused name keeps the dialog open with its message; the next OK with
// a good name closes it and hands the name back with its blanks.
TEST_F(SnippetNameDlgTest, ARefusedNameKeepsTheDialogOpen)
{
    MessageBoxes boxes({IDOK});
    NameScripted dlg;
    dlg.m_nMode = CSnippetNameDlg::kNewItem;
    dlg.m_strContext = "Tables";
    dlg.m_strCaption = "Insert new item in the [Tables]";
    dlg.m_strLabel = "New snippet item name:";
    std::string caption;
    std::string label;
    dlg.steps = {
        [&](NameScripted& d) {
            char text[256] = {};
            d.GetWindowText(text, sizeof text);
            caption = text;
            label = d.Text(CSnippetNameDlg::IDC_LABEL);
            ::SetWindowText(d.Item(CSnippetNameDlg::IDC_NAME), "Drop");
            d.Press(IDOK);
        },
        [](NameScripted& d) {
            ::SetWindowText(d.Item(CSnippetNameDlg::IDC_NAME), " Truncate ");
            d.Press(IDOK);
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "Insert new item in the [Tables]");
    EXPECT_EQ(label, "New snippet item name:");
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"This name has been existed!"});
    EXPECT_STREQ(dlg.m_strName, " Truncate ");
}

}  // namespace
}  // namespace scriptstest
