// Opening the table designer on a table of the sample database: the window,
// its tab strip and the columns page with the column set loaded from the server.
#include <gtest/gtest.h>

#include "platform/mfc/CMDIChildWnd.h"
#include "tests/tabledesign/TableDesignFixture.h"

namespace tw::test {
namespace {

std::string Text(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return {};
    return static_cast<const char*>(_bstr_t(value));
}

long Number(const _variant_t& value) { return (long)_variant_t(value); }

std::string WindowText(CWnd* wnd)
{
    CString text;
    wnd->GetWindowText(text);
    return (LPCTSTR)text;
}

TEST_F(TableDesignTest, OpeningShowsTheDesignerOnTheChosenTable)
{
    CTableView* view = Open("dbo.Products");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDocument()->GetTitle(), CString("Table Designer"));
    EXPECT_EQ(std::string((LPCTSTR)view->m_strDatabase), "TarnSample");
    EXPECT_EQ(std::string((LPCTSTR)view->m_strTable), "dbo.Products");

    CKtvPTabWnd& tabs = view->GetTabControl();
    ASSERT_GE(tabs.GetTabsNum(), 1);
    CString label;
    tabs.GetTabLabel(0, label);
    EXPECT_EQ(std::string((LPCTSTR)label), "Columns");
    EXPECT_EQ(tabs.GetActiveTab(), 0);
    EXPECT_FALSE(tabs.m_bEnableTabSwap) << "the tabs of this window are never reordered";
    EXPECT_FALSE(tabs.m_bAutoDestroyWindow) << "the frame destroys the pages, once";

    // The columns page bound the main frame's objects to the table.
    EXPECT_EQ(std::string(static_cast<const char*>(frame->m_Database->GetName())), "TarnSample");
    EXPECT_EQ(std::string(static_cast<const char*>(frame->m_Table->GetName())), "Products");
    CTableDesignColumn* page = ColumnsPage(view);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->m_bPanesCreated);
    EXPECT_NE(page->m_pListView, nullptr);
    EXPECT_NE(page->m_pDetailView, nullptr);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(TableDesignTest, EveryTableDesignOpensAFurtherWindow)
{
    CTableView* first = Open("dbo.Products");
    CTableView* second = Open("dbo.Products");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->GetParentFrame(), second->GetParentFrame());
    EXPECT_EQ(WindowText(first->GetParentFrame()), WindowText(second->GetParentFrame()));
    EXPECT_NE(WindowText(first->GetParentFrame()).find("Table Designer"), std::string::npos);
}

TEST_F(TableDesignTest, TheColumnSetHoldsARecordPerServerColumn)
{
    CTableView* view = Open("dbo.Order Details");
    CTableDesignColumn* page = ColumnsPage(view);
    ASSERT_NE(page, nullptr);
    ADODB::_RecordsetPtr set = page->m_pColumnSet;
    ASSERT_EQ(set->GetFields()->GetCount(), 35);
    EXPECT_EQ(std::string(static_cast<const char*>(set->GetFields()->GetItem(17L)->GetName())), "NewColumnName");
    EXPECT_EQ(std::string(static_cast<const char*>(set->GetFields()->GetItem(33L)->GetName())), "NewPrimary");
    EXPECT_EQ(std::string(static_cast<const char*>(set->GetFields()->GetItem(34L)->GetName())), "ColumnID");

    const long serverColumns =
        std::stol(Scalar("select count(*) from syscolumns where id = object_id('dbo.[Order Details]')"));
    ASSERT_EQ(set->GetRecordCount(), serverColumns);

    // Each record as the server defines the column, as loaded and as edited alike.
    SQLDMO::ColumnsPtr columns = frame->m_Table->GetColumns();
    set->MoveFirst();
    for (long i = 1; i <= serverColumns; ++i, set->MoveNext()) {
        SQLDMO::_ColumnPtr column = columns->Item(i);
        const std::string name = static_cast<const char*>(column->GetName());
        SCOPED_TRACE(name);
        EXPECT_EQ(Text(set->GetCollect("ColumnName")), name);
        EXPECT_EQ(Text(set->GetCollect("NewColumnName")), name);
        EXPECT_EQ(Text(set->GetCollect("NewDataType")), static_cast<const char*>(column->GetDatatype()));
        EXPECT_EQ(Text(set->GetCollect("NewLength")), std::to_string(column->GetLength()));
        EXPECT_EQ(Number(set->GetCollect("NewIsNull")), column->GetAllowNulls() ? 0 : -1);
        EXPECT_EQ(Number(set->GetCollect("NewPrecision")), column->GetNumericPrecision());
        EXPECT_EQ(Text(set->GetCollect("ColumnID")), std::to_string(i));
    }
    // The two-column primary key marks both of its columns.
    set->MoveFirst();
    long primary = 0;
    for (; !set->GetadoEOF(); set->MoveNext())
        primary += Number(set->GetCollect("NewPrimary")) == -1 ? 1 : 0;
    EXPECT_EQ(primary, 2);
}

TEST_F(TableDesignTest, AnIdentityColumnKeepsItsSeedAndStep)
{
    CTableView* view = Open("dbo.Products");
    ADODB::_RecordsetPtr set = ColumnsPage(view)->m_pColumnSet;
    SQLDMO::ColumnsPtr columns = frame->m_Table->GetColumns();
    long identities = 0;
    set->MoveFirst();
    for (long i = 1; !set->GetadoEOF(); ++i, set->MoveNext()) {
        SQLDMO::_ColumnPtr column = columns->Item(i);
        if (!column->GetIdentity()) {
            EXPECT_EQ(Number(set->GetCollect("NewIdentity")), 0);
            continue;
        }
        ++identities;
        EXPECT_EQ(Number(set->GetCollect("NewIdentity")), -1);
        EXPECT_EQ(Number(set->GetCollect("NewIdentitySeed")),
                  std::stol(Scalar("select ident_seed('dbo.Products')")));
        EXPECT_EQ(Number(set->GetCollect("NewIdentityIncre")),
                  std::stol(Scalar("select ident_incr('dbo.Products')")));
    }
    EXPECT_EQ(identities, 1);
}

TEST_F(TableDesignTest, TheNameListsCarryTheirMarkerOnce)
{
    CTableView* view = Open("dbo.Products");
    CTableDesignColumn* page = ColumnsPage(view);
    page->SendMessage(WM_INITIALUPDATE);
    ASSERT_EQ(page->m_AddedColumns.GetCount(), 1);
    ASSERT_EQ(page->m_DeletedColumns.GetCount(), 1);
    EXPECT_EQ(page->m_AddedColumns.GetHead(), CString("AddColumn"));
    EXPECT_EQ(page->m_DeletedColumns.GetHead(), CString("DeleteColumn"));
    // A second update loads the set again instead of adding to it.
    EXPECT_EQ(page->m_pColumnSet->GetRecordCount(),
              std::stol(Scalar("select count(*) from syscolumns where id = object_id('dbo.Products')")));
}

TEST_F(TableDesignTest, AMissingTableIsReportedOnceAndTheWindowStays)
{
    CTableView* view = Open("dbo.NoSuchTable");
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes.front().empty());
    CTableDesignColumn* page = ColumnsPage(view);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->m_pColumnSet->GetRecordCount(), 0);
}

}  // namespace
}  // namespace tw::test

namespace tw::test {
namespace {

TEST_F(TableDesignTest, TheColumnGridShowsARowPerColumn)
{
    CTableView* view = Open("dbo.Order Details");
    CTableDesignColumn* page = ColumnsPage(view);
    ASSERT_NE(page, nullptr);
    auto* grid = dynamic_cast<CTableDesignColGridView*>(page->m_pListView);
    ASSERT_NE(grid, nullptr);
    SQLDMO::ColumnsPtr columns = frame->m_Table->GetColumns();
    ASSERT_EQ(grid->m_wndGrid.GetCount(), columns->GetCount());
    for (long i = 0; i < columns->GetCount(); ++i) {
        SQLDMO::_ColumnPtr column = columns->Item(i + 1);
        CdxDBGridNode node = grid->m_wndGrid.GetNode(i);
        const std::string name = static_cast<const char*>(column->GetName());
        SCOPED_TRACE(name);
        EXPECT_EQ(std::string((LPCTSTR)node.GetCellText(1)), name);
        EXPECT_EQ(std::string((LPCTSTR)node.GetCellText(2)), static_cast<const char*>(column->GetDatatype()));
        EXPECT_EQ(std::string((LPCTSTR)node.GetCellText(3)), std::to_string(column->GetLength()));
        EXPECT_EQ(std::string((LPCTSTR)node.GetCellText(4)), column->GetAllowNulls() ? "False" : "True");
        EXPECT_EQ(std::string((LPCTSTR)node.GetCellText(5)), std::to_string(i + 1));
    }
    EXPECT_EQ(std::string((LPCTSTR)grid->m_wndGrid.GetNode(0).GetCellText(0)), "True") << "OrderID is keyed";
}

// The grid keeps its top-left corner and reaches the view's bottom-right.
TEST_F(TableDesignTest, TheGridStretchesWithItsView)
{
    CTableDesignColumn* page = ColumnsPage(Open("dbo.Products"));
    auto* grid = dynamic_cast<CTableDesignColGridView*>(page->m_pListView);
    ASSERT_NE(grid, nullptr);
    grid->m_wndGrid.MoveWindow(10, 20, 50, 50);
    grid->MoveWindow(0, 0, 300, 200);
    CRect rect;
    grid->m_wndGrid.GetWindowRect(rect);
    grid->ScreenToClient(rect);
    CRect view;
    grid->GetWindowRect(view);
    grid->ScreenToClient(view);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, view.right);
    EXPECT_EQ(rect.bottom, view.bottom);
}

}  // namespace
}  // namespace tw::test
