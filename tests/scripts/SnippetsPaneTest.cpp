// The Snippets pane after start-up from the snippet file, and a double-click
// on a row putting the snippet into the editor active in the main window.
#include <filesystem>
#include <fstream>
#include <string>

#include "editctrl/KtvPEditCtrl.h"
#include "scripts/SnippetListBox.h"
#include "scripts/SnippetStore.h"
#include "tests/session/querywindow/QueryWindowFixture.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/frames/KtvPRegistry.h"

namespace scriptstest {
namespace {

// A page "Queries" with a content item, a file item (its content value kept
// but unused) and an item with no values; a page "Empty" without items.
constexpr const char* kSnippetFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    " <registry>\r\n"
    "  <k name=\"HKEY_CURRENT_USER\">\r\n"
    "   <k name=\"Software\">\r\n"
    "    <k name=\"Corvane\">\r\n"
    "     <k name=\"Tarnwick\">\r\n"
    "      <k name=\"Snippets\">\r\n"
    "       <k name=\"Empty\">\r\n"
    "       </k>\r\n"
    "       <k name=\"Queries\">\r\n"
    "        <k name=\"Count rows\">\r\n"
    "         <v name=\"Count rows---Item---Opt\" value=\"0x00000000 (0)\" type=\"REG_DWORD\"/>\r\n"
    "         <v name=\"Count rows---Item---Content\" value=\"SELECT COUNT(*) FROM t\"/>\r\n"
    "         <v name=\"Count rows---Item---Comment\" value=\"how many\"/>\r\n"
    "        </k>\r\n"
    "        <k name=\"Header\">\r\n"
    "         <v name=\"Header---Item---Opt\" value=\"0x00000001 (1)\" type=\"REG_DWORD\"/>\r\n"
    "         <v name=\"Header---Item---Content\" value=\"not this\"/>\r\n"
    "         <v name=\"Header---Item---File\" value=\"/tmp/header.sql\"/>\r\n"
    "        </k>\r\n"
    "        <k name=\"Bare\">\r\n"
    "        </k>\r\n"
    "       </k>\r\n"
    "      </k>\r\n"
    "     </k>\r\n"
    "    </k>\r\n"
    "   </k>\r\n"
    "  </k>\r\n"
    " </registry>\r\n";

class SnippetsPaneTest : public querytest::QueryWindowTest {
protected:
    void BeforeStart() override
    {
        std::filesystem::create_directories("data");
        std::ofstream(kTwSnippetsFile, std::ios::binary) << kSnippetFile;
    }

    CSnippetListBox* List(const char* page)
    {
        for (auto& pList : frame->m_SnippetLists) {
            CString name;
            pList->GetWindowText(name);
            if (name == page)
                return pList.get();
        }
        return nullptr;
    }

    // Shows the page in the pane and double-clicks the item's row.
    void DoubleClickItem(const char* page, const char* item)
    {
        CSnippetListBox* pList = List(page);
        ASSERT_NE(pList, nullptr) << page;
        CKtvPBaseTabWnd* pPages = frame->m_wndSnippets.GetUnderlinedWindow();
        for (int i = 0; i < pPages->GetTabsNum(); i++)
            if (pPages->GetTabWnd(i) == pList || pList->GetParent() == pPages->GetTabWnd(i))
                pPages->SetActiveTab(i);
        Pump();
        const int nRow = pList->FindStringExact(-1, item);
        ASSERT_GE(nRow, 0) << item;
        CRect row;
        pList->GetItemRect(nRow, row);
        DoubleClick(pList->GetSafeHwnd(), row.CenterPoint().x, row.CenterPoint().y);
        Pump();
    }

    CKtvPEditCtrl* Editor(CView* pView) { return dynamic_cast<CKtvPEditView*>(pView)->GetEditCtrl(); }
};

TEST_F(SnippetsPaneTest, StartUpShowsEveryPageWithItsItemsInSixteenPixelRows)
{
    CKtvPBaseTabWnd* pPages = frame->m_wndSnippets.GetUnderlinedWindow();
    ASSERT_NE(pPages, nullptr);
    ASSERT_EQ(pPages->GetTabsNum(), 2);
    CString label;
    pPages->GetTabLabel(1, label);
    EXPECT_STREQ(label, "Queries");
    CSnippetListBox* pList = List("Queries");
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetCount(), 3);
    EXPECT_EQ(pList->GetItemHeight(0), 16);
    for (int i = 0; i < pList->GetCount(); i++)
        EXPECT_EQ(pList->GetItemData(i), 0u) << "the pane's one image";
    EXPECT_EQ(List("Empty")->GetCount(), 0);
}

// What an item inserts, and into which editor of the active query window:
// the active upper tab decides, whichever pane has the focus.
TEST_F(SnippetsPaneTest, DoubleClickInsertsTheItemIntoTheActiveUpperTab)
{
    struct Case {
        const char* item;
        int (CVelQryView::*tab);
        const char* inserted;
    } cases[] = {
        {"Count rows", &CVelQryView::m_nBatchTab, "SELECT COUNT(*) FROM t"},
        {"Header", &CVelQryView::m_nBatchTab, "/tmp/header.sql"},
        {"Bare", &CVelQryView::m_nEditModeTab, "Bare"},
        {"Count rows", &CVelQryView::m_nEditModeTab, "SELECT COUNT(*) FROM t"},
        {"Header", &CVelQryView::m_nCommandTab, "/tmp/header.sql"},
    };
    for (const Case& c : cases) {
        CVelQryView* pUpper = window->m_pQueryView;
        pUpper->SetActiveView(pUpper->*c.tab);
        Pump();
        CKtvPEditCtrl* pEdit = Editor(pUpper->GetActiveView());
        const CString before = pEdit->GetText();
        const int nCaret = pEdit->GetCaretOffset();
        DoubleClickItem("Queries", c.item);
        CString expected = before.Left(nCaret) + c.inserted + before.Mid(nCaret);
        CString after = pEdit->GetText();
        after.Replace("\r\n", "\n");
        expected.Replace("\r\n", "\n");
        EXPECT_EQ(std::string(after), std::string(expected)) << c.item << " tab " << (pUpper->*c.tab);
        for (CView* pOther : {static_cast<CView*>(pUpper->GetBatchView()), static_cast<CView*>(pUpper->GetEditModeView()),
                              static_cast<CView*>(pUpper->GetCommandView())})
            if (pOther != pUpper->GetActiveView())
                EXPECT_EQ(Editor(pOther)->GetText().Find(c.inserted), -1) << "only the active tab receives it";
        pEdit->SetText(before);
    }
}

// The insertion is one step: a single undo takes the whole snippet out again.
TEST_F(SnippetsPaneTest, OneUndoTakesTheWholeSnippetOut)
{
    TypeBatch(window, "select 1");
    CKtvPEditCtrl* pEdit = window->m_pQueryView->GetBatchView()->GetEditCtrl();
    DoubleClickItem("Queries", "Count rows");
    EXPECT_NE(pEdit->GetText().Find("FROM t"), -1);
    ASSERT_TRUE(pEdit->CanUndo());
    pEdit->Undo();
    EXPECT_STREQ(pEdit->GetText(), "select 1");
}

// The value is read at the moment of the click; with no window active, or
// when the item's key is gone, nothing breaks.
TEST_F(SnippetsPaneTest, ReadsTheRegistryAtTheClickAndNeedsAnEditor)
{
    {
        CKtvPRegistry registry(FALSE, FALSE);
        ASSERT_TRUE(registry.Open(snippets::ItemKey("Queries", "Bare")));
        ASSERT_TRUE(registry.Write("Bare---Item---Content", "changed since start-up"));
    }
    EXPECT_STREQ(snippets::TextToInsert("Queries", "Bare"), "changed since start-up");
    EXPECT_STREQ(snippets::TextToInsert("Queries", "No such item"), "No such item");
    EXPECT_EQ(snippets::InsertionTarget(frame), window->m_pQueryView->GetBatchView()->GetEditCtrl());

    window->DestroyWindow();
    window = nullptr;
    Pump();
    EXPECT_EQ(snippets::InsertionTarget(frame), nullptr);
    DoubleClickItem("Queries", "Count rows");
}

}  // namespace
}  // namespace scriptstest
