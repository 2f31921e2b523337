// The designer's other pages filled from the sample database, and the notice
// shown on coming to the SQL text tab.
#include <gtest/gtest.h>

#include "tabledesign/TableDesignPages.h"
#include "tests/tabledesign/TableDesignFixture.h"

namespace tw::test {
namespace {

template <class T>
T* PageAt(CTableView* view, int index)
{
    return dynamic_cast<T*>(view->GetTabControl().GetTabWnd(index));
}

TEST_F(TableDesignTest, EightTabsInOrderFilledFromTheTable)
{
    CTableView* view = Open("dbo.Order Details");
    ASSERT_NE(view, nullptr);
    CKtvPTabWnd& tabs = view->GetTabControl();
    const char* const labels[] = {"Columns",  "Check Constraints", "Foreign Keys", "Permissions",
                                  "Triggers", "Statistics",        "Properties",   "SQL Text"};
    ASSERT_EQ(tabs.GetTabsNum(), 8);
    for (int i = 0; i < 8; ++i) {
        CString label;
        tabs.GetTabLabel(i, label);
        EXPECT_EQ(std::string((LPCTSTR)label), labels[i]);
    }
    EXPECT_EQ(view->m_nSQLTextTab, 7);
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    auto* checks = PageAt<CTableDesignCheck>(view, 1);
    ASSERT_NE(checks, nullptr);
    auto* checkGrid = dynamic_cast<CTableDesignChkGridView*>(checks->m_pListView);
    EXPECT_EQ(checkGrid->m_wndGrid.GetCount(), frame->m_Table->GetChecks()->GetCount());

    auto* keys = PageAt<CTableDesignForeign>(view, 2);
    auto* keyGrid = dynamic_cast<CTableDesignForeignGridView*>(keys->m_pListView);
    ASSERT_EQ(keyGrid->m_wndGrid.GetCount(), 2) << "the two foreign keys, not the primary key";
    auto* keyDetail = dynamic_cast<CTableDesignForeignPropertyView*>(keys->m_pDetailView);
    keyDetail->ShowForeignKey(keyGrid->m_wndGrid.GetNode(0).GetCellText(0));
    EXPECT_EQ(keyDetail->m_wndGrid.GetCount(), 1);
    EXPECT_TRUE(keyDetail->m_bEnforceInsertUpdate);
    EXPECT_FALSE(keyDetail->m_bCascadeDelete);
    EXPECT_GT(keyDetail->m_wndParentTable.GetCount(), 0);
    EXPECT_EQ(keyDetail->m_wndParentTable.GetCurSel(), 0);

    auto* properties = PageAt<CTableDesignProperty>(view, 6);
    CString name;
    properties->GetDlgItemText(1328, name);
    EXPECT_EQ(std::string((LPCTSTR)name), "Order Details");
    auto* group = static_cast<CComboBox*>(properties->GetDlgItem(1351));
    CString chosen;
    group->GetWindowText(chosen);
    EXPECT_EQ(std::string((LPCTSTR)chosen), "PRIMARY");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(TableDesignTest, TriggersShowTheirWholeText)
{
    CTableView* view = Open("dbo.Products");
    auto* triggers = PageAt<CTableDesignTrigger>(view, 4);
    ASSERT_NE(triggers, nullptr);
    auto* grid = dynamic_cast<CTableDesignTriggerGridView*>(triggers->m_pListView);
    ASSERT_EQ(grid->m_wndGrid.GetCount(), frame->m_Table->GetTriggers()->GetCount());
    ASSERT_GT(grid->m_wndGrid.GetCount(), 0);
    auto* script = dynamic_cast<CTableDesignTriggerScriptView*>(triggers->m_pDetailView);
    const CString name = grid->m_wndGrid.GetNode(0).GetCellText(0);
    script->ShowTrigger(name);
    const std::string text = static_cast<const char*>(frame->m_Table->GetTriggers()->Item((LPCTSTR)name)->GetText());
    CString shown;
    script->m_wndScript.GetWindowText(shown);
    EXPECT_EQ(std::string((LPCTSTR)shown), text);
    EXPECT_NE(text.find('\n'), std::string::npos);
    // A name the table does not have leaves the text shown.
    script->ShowTrigger("NoSuchTrigger");
    script->m_wndScript.GetWindowText(shown);
    EXPECT_EQ(std::string((LPCTSTR)shown), text);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TableDesignTest, TheSqlTextNoticeShowsOnceEachTimeTheTabIsEntered)
{
    CTableView* view = Open("dbo.Products");
    ASSERT_NE(view, nullptr);
    boxes.clear();
    const int sql = view->m_nSQLTextTab;
    const struct {
        int tab;
        size_t notices;
    } steps[] = {{sql, 1}, {sql, 1}, {1, 1}, {sql, 2}, {0, 2}, {sql, 3}};
    for (const auto& step : steps) {
        view->GetTabControl().SetActiveTab(step.tab);
        Pump();
        EXPECT_EQ(boxes.size(), step.notices) << "tab " << step.tab;
    }
    for (const std::string& box : boxes)
        EXPECT_EQ(box, CTableView::kSqlTextNotice);
}

TEST_F(TableDesignTest, TheStatisticsStatementAndItsSampleLimit)
{
    CTableView* view = Open("dbo.Products");
    auto* statistics = PageAt<CTableDesignStatistics>(view, 5);
    ASSERT_NE(statistics, nullptr);
    auto* detail = dynamic_cast<CTableDesignStatisticsPropertyView*>(statistics->m_pDetailView);
    ASSERT_NE(detail, nullptr);
    boxes.clear();
    detail->m_wndSample.SetCheck(BST_CHECKED);
    detail->m_wndNoRecompute.SetCheck(BST_CHECKED);
    detail->m_wndSampleValue.SetWindowText("32567");
    detail->m_wndSampleCombo.SetCurSel(detail->m_wndSampleCombo.FindStringExact(-1, "ROWS"));
    EXPECT_EQ(std::string((LPCTSTR)detail->BuildStatement("dbo.Products", "PK x")),
              "UPDATE STATISTICS dbo.Products [PK x] WITH SAMPLE 32567 ROWS, NORECOMPUTE");
    detail->m_wndSampleValue.SetWindowText("32568");
    EXPECT_TRUE(detail->BuildStatement("dbo.Products", "PK").IsEmpty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Please enter an integer between 0 and 32567.");
    detail->m_wndSample.SetCheck(BST_UNCHECKED);
    detail->m_wndSampleValue.SetWindowText("0");
    detail->m_wndFullScan.SetCheck(BST_CHECKED);
    detail->m_wndNoRecompute.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(std::string((LPCTSTR)detail->BuildStatement("dbo.Products", "PK")),
              "UPDATE STATISTICS dbo.Products PK WITH FULLSCAN");
}

}  // namespace
}  // namespace tw::test
