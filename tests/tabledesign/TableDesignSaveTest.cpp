// Save changes on the columns page: the statements built from the user's
// edits, the question, the change on the server, and a refused change that
// leaves the server and the designer as they were.
#include <gtest/gtest.h>

#include "platform/controls/grid/GridView.h"
#include "tabledesign/TableDesignPages.h"
#include "tests/tabledesign/TableDesignFixture.h"

namespace tw::test {
namespace {

constexpr const char* kOddTable = "dbo.Td Odd]'s";
constexpr const char* kOddTableSql = "dbo.[Td Odd]]'s]";

class TableDesignSaveTest : public TableDesignTest {
protected:
    void SetUp() override
    {
        TableDesignTest::SetUp();
        Run(std::string("if object_id('") + "dbo.[Td Odd]]''s]" + "') is not null drop table " + kOddTableSql);
        Run(std::string("create table ") + kOddTableSql +
            " ([Col One] int null, [Q]]x] int null, [it's] varchar(10) null, Other int null)");
        Run(std::string("insert into ") + kOddTableSql + " values (1, 2, 'three', 4)");
    }

    void TearDown() override
    {
        if (other)
            other->DisConnect();
        other = nullptr;
        TableDesignTest::TearDown();
    }

    void Run(const std::string& batch)
    {
        SQLDMO::_DatabasePtr db = frame->m_SQLServer->GetDatabases()->Item("TarnSample");
        db->ExecuteImmediate(batch.c_str());
    }

    // The table's columns as another connection sees them: only what the
    // designer committed shows there.
    std::vector<std::string> ServerColumns()
    {
        if (!other) {
            other.CreateInstance(SQLDMO::CLSID_SQLServer);
            other->Connect("(embedded)", "sa", "");
        }
        SQLDMO::_DatabasePtr db = other->GetDatabases()->Item("TarnSample");
        SQLDMO::_QueryResultsPtr rows = db->ExecuteWithResults(
            "select c.name + ' ' + t.name from syscolumns c join systypes t on t.xusertype = c.xusertype "
            "where c.id = object_id('dbo.[Td Odd]]''s]') order by c.colid");
        std::vector<std::string> names;
        for (long r = 1; r <= rows->GetRows(); ++r)
            names.push_back(static_cast<const char*>(rows->GetColumnString(r, 1)));
        return names;
    }

    void OpenOdd()
    {
        view = Open(kOddTable);
        ASSERT_NE(view, nullptr);
        page = ColumnsPage(view);
        ASSERT_NE(page, nullptr);
        grid = dynamic_cast<CTableDesignColGridView*>(page->m_pListView);
        ASSERT_NE(grid, nullptr);
        gridWindow = tw::grid::GridView::FromHandle(grid->m_wndGrid.GetSafeHwnd());
        ASSERT_TRUE(boxes.empty()) << boxes.front();
    }

    int RowOf(const std::string& name)
    {
        for (int i = 0; i < (int)grid->m_wndGrid.GetCount(); ++i)
            if (std::string((LPCTSTR)grid->m_wndGrid.GetNode(i).GetCellText(1)) == name)
                return i;
        return -1;
    }

    void TypeCell(int row, int column, const std::string& text)
    {
        ::SetFocus(grid->m_wndGrid.GetSafeHwnd());
        gridWindow->FocusRow(row);
        gridWindow->SetFocusedColumn(column);
        Pump();
        TypeKeys(text);
        Pump();
        Key(VK_RETURN);
        Pump();
        gridWindow->FocusRow(row == 0 ? 1 : 0);
        Pump();
    }

    void DeleteRow(int row)
    {
        gridWindow->FocusRow(row);
        Pump();
        page->SendMessage(WM_COMMAND, 32781, 0);
        Pump();
    }

    void AddRow(const std::string& name, const std::string& type, const std::string& length)
    {
        page->SendMessage(WM_COMMAND, 32782, 0);
        Pump();
        const int row = (int)grid->m_wndGrid.GetCount() - 1;
        ::SetFocus(grid->m_wndGrid.GetSafeHwnd());
        for (int column : {1, 2, 3}) {
            gridWindow->SetFocusedColumn(column);
            Pump();
            TypeKeys(column == 1 ? name : column == 2 ? type : length);
            Pump();
            Key(VK_RETURN);
            Pump();
        }
        gridWindow->FocusRow(0);
        Pump();
        (void)row;
    }

    std::string SqlText()
    {
        auto* text = dynamic_cast<CTableDesignSQLText*>(view->GetTabControl().GetTabWnd(view->m_nSQLTextTab));
        if (text == nullptr)
            return {};
        CString shown;
        text->m_wndEditor.GetWindowText(shown);
        return (LPCTSTR)shown;
    }

    CTableView* view = nullptr;
    CTableDesignColumn* page = nullptr;
    CTableDesignColGridView* grid = nullptr;
    tw::grid::GridView* gridWindow = nullptr;
    SQLDMO::_SQLServerPtr other;
};

TEST_F(TableDesignSaveTest, TheEditsBecomeStatementsAndYesChangesTheTable)
{
    OpenOdd();
    TypeCell(RowOf("Col One"), 1, "Col 1");
    TypeCell(RowOf("Q]x"), 2, "bigint");
    DeleteRow(RowOf("it's"));
    AddRow("New ]'col", "varchar", "20");
    ASSERT_TRUE(boxes.empty()) << boxes.front();

    const std::string expected = std::string("Alter table ") + kOddTableSql + " drop column [it's];\r\n" +
                                 "EXEC sp_rename '[Td Odd]]''s].[Col One]', 'Col 1', 'COLUMN';\r\n" +
                                 "Alter table " + kOddTableSql + " alter column [Q]]x] bigint null;\r\n" +
                                 "Alter table " + kOddTableSql + " add [New ]]'col] varchar(20) null;\r\n";
    EXPECT_EQ(std::string((LPCTSTR)page->BuildChangeScript()), expected);

    answer = IDYES;
    page->SendMessage(WM_COMMAND, 32783, 0);
    Pump();
    ASSERT_EQ(boxes.size(), 1u) << boxes.back();
    EXPECT_EQ(boxes[0], std::string("Apply these changes to ") + kOddTable + "?");
    EXPECT_EQ(ServerColumns(),
              (std::vector<std::string>{"Col 1 int", "Q]x bigint", "Other int", "New ]'col varchar"}));
    // The designer starts again from the table as it now is.
    EXPECT_EQ(page->m_AddedColumns.GetCount(), 1);
    EXPECT_EQ(page->m_DeletedColumns.GetCount(), 1);
    EXPECT_EQ(grid->m_wndGrid.GetCount(), 4);
    EXPECT_TRUE(page->BuildChangeScript().IsEmpty());
    boxes.clear();
    page->SendMessage(WM_COMMAND, 32783, 0);
    Pump();
    EXPECT_EQ(boxes, std::vector<std::string>{"No change to save."});
}

TEST_F(TableDesignSaveTest, NoLeavesTheTableAndShowsTheChangesOnTheSqlText)
{
    OpenOdd();
    AddRow("Extra", "decimal", "9");
    answer = IDNO;
    page->SendMessage(WM_COMMAND, 32783, 0);
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ServerColumns().size(), 4u);
    EXPECT_NE(SqlText().find(std::string("Alter table ") + kOddTableSql + " add Extra decimal("), std::string::npos)
        << SqlText();
}

TEST_F(TableDesignSaveTest, ARefusedScriptIsRolledBackAndKeepsEveryEdit)
{
    OpenOdd();
    DeleteRow(RowOf("Q]x"));
    // The server's names ignore case: this rename is refused there.
    TypeCell(RowOf("Other"), 1, "col one");
    const CString script = page->BuildChangeScript();
    ASSERT_FALSE(script.IsEmpty());
    answer = IDYES;
    page->SendMessage(WM_COMMAND, 32783, 0);
    Pump();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(boxes[1].empty());
    EXPECT_EQ(ServerColumns(), (std::vector<std::string>{"Col One int", "Q]x int", "it's varchar", "Other int"}))
        << "the drop before the failing rename is rolled back";
    EXPECT_EQ(page->BuildChangeScript(), script);
    EXPECT_EQ(page->m_DeletedColumns.GetCount(), 2);
    EXPECT_EQ(RowOf("col one"), 2);
    SQLDMO::_DatabasePtr db = frame->m_SQLServer->GetDatabases()->Item("TarnSample");
    EXPECT_EQ(db->ExecuteWithResults("select @@trancount")->GetColumnLong(1, 1), 0);
}

// Precision and scale typed in the property view reach the statement when the
// box loses focus, and the server gets the column so.
TEST_F(TableDesignSaveTest, PrecisionAndScaleTypedBelowTheGridGoIntoTheStatement)
{
    OpenOdd();
    AddRow("Amount", "decimal", "9");
    auto* props = dynamic_cast<CTableDesignColPropertyView*>(page->m_pDetailView);
    ASSERT_NE(props, nullptr);
    gridWindow->FocusRow(RowOf("Amount"));
    Pump();
    ASSERT_EQ(std::string((LPCTSTR)props->m_strShown), "Amount");
    for (CEdit* box : {&props->m_wndPrecision, &props->m_wndScale}) {
        ::SetFocus(box->GetSafeHwnd());
        box->SetSel(0, -1);
        TypeKeys(box == &props->m_wndPrecision ? "12" : "3");
        Pump();
    }
    ::SetFocus(grid->m_wndGrid.GetSafeHwnd());
    Pump();
    ASSERT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(std::string((LPCTSTR)page->BuildChangeScript()),
              std::string("Alter table ") + kOddTableSql + " add Amount decimal(12,3) null;\r\n");
    answer = IDYES;
    page->SendMessage(WM_COMMAND, 32783, 0);
    Pump();
    EXPECT_EQ(ServerColumns(), (std::vector<std::string>{"Col One int", "Q]x int", "it's varchar", "Other int",
                                                         "Amount decimal"}));
    SQLDMO::_QueryResultsPtr shape = other->GetDatabases()->Item("TarnSample")->ExecuteWithResults(
        "select xprec, xscale from syscolumns where id = object_id('dbo.[Td Odd]]''s]') and name = 'Amount'");
    ASSERT_EQ(shape->GetRows(), 1);
    EXPECT_EQ(shape->GetColumnLong(1, 1), 12);
    EXPECT_EQ(shape->GetColumnLong(1, 2), 3);
}

}  // namespace
}  // namespace tw::test
