// The columns page as the user edits it: rows typed into the column grid are
// checked and stored in the column set, rows are added and deleted, and the
// property view follows the row.
#include <gtest/gtest.h>

#include "platform/controls/grid/GridView.h"
#include "tests/tabledesign/TableDesignFixture.h"

namespace tw::test {
namespace {

std::string SetText(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return {};
    return static_cast<const char*>(_bstr_t(value));
}

class TableDesignColumnsTest : public TableDesignTest {
protected:
    void OpenOn(const char* table)
    {
        view = Open(table);
        ASSERT_NE(view, nullptr);
        page = ColumnsPage(view);
        ASSERT_NE(page, nullptr);
        grid = dynamic_cast<CTableDesignColGridView*>(page->m_pListView);
        props = dynamic_cast<CTableDesignColPropertyView*>(page->m_pDetailView);
        ASSERT_NE(grid, nullptr);
        ASSERT_NE(props, nullptr);
        gridWindow = tw::grid::GridView::FromHandle(grid->m_wndGrid.GetSafeHwnd());
        ASSERT_NE(gridWindow, nullptr);
        boxes.clear();
    }

    // Types the text into a cell as the user does: the cell is chosen, the
    // text typed over it and Enter pressed.
    void TypeCell(int row, int column, const std::string& text)
    {
        ::SetFocus(grid->m_wndGrid.GetSafeHwnd());
        gridWindow->FocusRow(row);
        gridWindow->SetFocusedColumn(column);
        Pump();
        if (text.empty()) {
            Key(VK_F2);
            Pump();
            // Clears the editor's text.
            input.KeyDown(VK_CONTROL);
            input.KeyStroke('A');
            input.KeyUp(VK_CONTROL);
            Key(VK_DELETE);
        } else {
            TypeKeys(text);
        }
        Pump();
        Key(VK_RETURN);
        Pump();
    }

    // Leaving the row stores it.
    void LeaveRow(int row)
    {
        gridWindow->FocusRow(row == 0 ? 1 : 0);
        Pump();
    }

    std::string Cell(int row, int column)
    {
        return (LPCTSTR)grid->m_wndGrid.GetNode(row).GetCellText(column);
    }

    // The set's NewColumnName values in record order.
    std::vector<std::string> EditedNames()
    {
        std::vector<std::string> names;
        ADODB::_RecordsetPtr set = page->m_pColumnSet;
        if (set->GetRecordCount() > 0)
            for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext())
                names.push_back(SetText(set->GetCollect(17L)));
        return names;
    }

    std::vector<std::string> List(CStringList& list)
    {
        std::vector<std::string> items;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            items.push_back((LPCTSTR)list.GetNext(pos));
        return items;
    }

    void Command(UINT id)
    {
        page->SendMessage(WM_COMMAND, id, 0);
        Pump();
    }

    CTableView* view = nullptr;
    CTableDesignColumn* page = nullptr;
    CTableDesignColGridView* grid = nullptr;
    CTableDesignColPropertyView* props = nullptr;
    tw::grid::GridView* gridWindow = nullptr;
};

TEST_F(TableDesignColumnsTest, ADuplicateNameIsRefusedAndGetsADigit)
{
    OpenOn("dbo.Products");
    const std::string first = Cell(0, 1);
    const std::vector<std::string> before = EditedNames();
    TypeCell(1, 1, first);
    LeaveRow(1);
    ASSERT_EQ(boxes, std::vector<std::string>{"Column '" + first + "' has existed."});
    EXPECT_EQ(Cell(1, 1), first + "1");
    EXPECT_EQ(EditedNames(), before) << "the refused row is not stored";

    // The renamed row's name counts too: a third row taking it is refused again.
    boxes.clear();
    TypeCell(2, 1, first + "1");
    LeaveRow(2);
    ASSERT_EQ(boxes, std::vector<std::string>{"Column '" + first + "1' has existed."});
    EXPECT_EQ(Cell(2, 1), first + "11");
    EXPECT_EQ(EditedNames(), before);

    // A name differing in case only is another name.
    boxes.clear();
    std::string lower = first;
    for (char& c : lower)
        c = (char)tolower((unsigned char)c);
    TypeCell(3, 1, lower);
    LeaveRow(3);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(EditedNames()[3], lower);
}

TEST_F(TableDesignColumnsTest, TypesMustBeListedExactly)
{
    struct Case {
        const char* type;
        bool accepted;
    };
    const Case cases[] = {{"INT", false}, {"integer", false}, {"Varchar", false}, {"varchar", true},
                          {"uniqueidentifier", true}};
    OpenOn("dbo.Products");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        boxes.clear();
        TypeCell(1, 2, c.type);
        LeaveRow(1);
        ADODB::_RecordsetPtr set = page->m_pColumnSet;
        set->MoveFirst();
        set->MoveNext();
        if (c.accepted) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_EQ(SetText(set->GetCollect("NewDataType")), c.type);
        } else {
            EXPECT_EQ(boxes, std::vector<std::string>{"Your input must match values in the list."});
            EXPECT_NE(SetText(set->GetCollect("NewDataType")), c.type);
        }
    }
}

TEST_F(TableDesignColumnsTest, AnEmptyNameIsRefused)
{
    OpenOn("dbo.Products");
    const std::vector<std::string> before = EditedNames();
    TypeCell(1, 1, "");
    LeaveRow(1);
    EXPECT_EQ(boxes, std::vector<std::string>{"Input the name in the edit,please"});
    EXPECT_EQ(EditedNames(), before);
}

TEST_F(TableDesignColumnsTest, AddedRowsTakeTheIdAfterTheLargest)
{
    OpenOn("dbo.Products");
    const long columns = page->m_pColumnSet->GetRecordCount();
    ASSERT_GE(columns, 3);
    // A server column in the middle goes: the count no longer gives a free id.
    gridWindow->FocusRow(1);
    Pump();
    const std::string deleted = Cell(1, 1);
    Command(32781);
    EXPECT_EQ(List(page->m_DeletedColumns), (std::vector<std::string>{"DeleteColumn", deleted}));
    EXPECT_EQ(page->m_pColumnSet->GetRecordCount(), columns - 1);
    EXPECT_EQ(grid->m_wndGrid.GetCount(), columns - 1);

    Command(32782);
    const int row = (int)grid->m_wndGrid.GetCount() - 1;
    TypeCell(row, 1, "Notes");
    TypeCell(row, 2, "varchar");
    TypeCell(row, 3, "40");
    LeaveRow(row);
    ASSERT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(Cell(row, 5), std::to_string(columns + 1));
    EXPECT_EQ(List(page->m_AddedColumns), (std::vector<std::string>{"AddColumn", "Notes"}));
    ADODB::_RecordsetPtr set = page->m_pColumnSet;
    set->MoveLast();
    EXPECT_EQ(SetText(set->GetCollect("ColumnName")), "");
    EXPECT_EQ(SetText(set->GetCollect("NewColumnName")), "Notes");
    EXPECT_EQ(SetText(set->GetCollect("NewLength")), "40");
    EXPECT_EQ((long)set->GetCollect("NewIsNull"), 0) << "a new column takes nulls";
    EXPECT_EQ(SetText(set->GetCollect("ColumnID")), std::to_string(columns + 1));

    // Deleting the added column forgets it; deleting a listed name again does nothing.
    gridWindow->FocusRow(row);
    Pump();
    Command(32781);
    EXPECT_EQ(List(page->m_AddedColumns), std::vector<std::string>{"AddColumn"});
    EXPECT_EQ(List(page->m_DeletedColumns), (std::vector<std::string>{"DeleteColumn", deleted}));
    EXPECT_EQ(page->m_pColumnSet->GetRecordCount(), columns - 1);
}

TEST_F(TableDesignColumnsTest, ThePropertyViewFindsAColumnInAnyCase)
{
    OpenOn("dbo.Products");
    const std::string name = Cell(1, 1);
    std::string shouted = "  " + name + " ";
    for (char& c : shouted)
        c = (char)toupper((unsigned char)c);
    props->ShowColumn(shouted.c_str());
    EXPECT_EQ(std::string((LPCTSTR)props->m_strShown), name);
    EXPECT_TRUE(props->m_wndOwner.IsWindowEnabled());
    props->ShowColumn("NoSuchColumn");
    EXPECT_TRUE(props->m_strShown.IsEmpty());
    EXPECT_FALSE(props->m_wndOwner.IsWindowEnabled());
    EXPECT_FALSE(props->m_wndRule.IsWindowEnabled());
}

// Moving to another row shows its column in the property view.
TEST_F(TableDesignColumnsTest, ThePropertyViewFollowsTheRow)
{
    OpenOn("dbo.Products");
    gridWindow->FocusRow(2);
    Pump();
    EXPECT_EQ(std::string((LPCTSTR)props->m_strShown), Cell(2, 1));
}

// Each type enables the boxes that apply to it and shows its fixed values.
// States in box order: Rule, Default, Scale, Precision, Collation, Identity,
// Seed, Increment, IsRowGuid, Description, Owner, Formula.
TEST_F(TableDesignColumnsTest, ThePropertyBoxesFollowTheColumnsType)
{
    SQLDMO::_DatabasePtr db = frame->m_SQLServer->GetDatabases()->Item("TarnSample");
    db->ExecuteImmediate("if object_id('dbo.TdTypes') is not null drop table dbo.TdTypes");
    db->ExecuteImmediate(
        "create table dbo.TdTypes (c_int int null, c_small smallint null, c_bit bit null, c_dec decimal(9,2) null, "
        "c_money money null, c_float float null, c_real real null, c_date datetime null, c_vc varchar(5) null, "
        "c_text text null, c_ntext ntext null, c_image image null, c_ts timestamp null, "
        "c_guid uniqueidentifier null)");
    OpenOn("dbo.TdTypes");
    struct Case {
        const char* column;
        const char* states;
        int precision;
        int scale;
        const char* collation;
    };
    const Case cases[] = {
        {"c_int", "EE---E---EEE", 10, 0, ""},
        {"c_small", "EE---E---EEE", 5, 0, ""},
        {"c_bit", "EE-------EEE", 0, 0, ""},
        {"c_dec", "EEEE-E---EEE", 9, 2, ""},
        {"c_money", "EE-------EEE", 19, 4, ""},
        {"c_float", "EE-------EEE", 53, 0, ""},
        {"c_real", "EE-------EEE", 24, 0, ""},
        {"c_date", "EE-------EEE", 0, 0, ""},
        {"c_vc", "EE--E----EEE", 0, 0, "<database default>"},
        {"c_text", "-E--E----EEE", 0, 0, "<database default>"},
        {"c_ntext", "EE--E----EEE", 0, 0, "<database default>"},
        {"c_image", "-E-------EEE", 0, 0, ""},
        {"c_ts", "---------EEE", 0, 0, ""},
        {"c_guid", "EE------EEEE", 0, 0, ""},
    };
    CWnd* controls[12] = {&props->m_wndRule,      &props->m_wndDefault,   &props->m_wndScale,
                       &props->m_wndPrecision, &props->m_wndCollation, &props->m_wndIdentity,
                       &props->m_wndSeed,      &props->m_wndIncrement, &props->m_wndRowGuid,
                       &props->m_wndDescription, &props->m_wndOwner,   &props->m_wndFormula};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        // The row is chosen in the grid, as the user does.
        int row = 0;
        while (row < (int)grid->m_wndGrid.GetCount() && Cell(row, 1) != c.column)
            ++row;
        ASSERT_LT(row, (int)grid->m_wndGrid.GetCount());
        gridWindow->FocusRow(row);
        Pump();
        ASSERT_EQ(std::string((LPCTSTR)props->m_strShown), c.column);
        std::string states;
        for (CWnd* box : controls)
            states += box->IsWindowEnabled() ? 'E' : '-';
        EXPECT_EQ(states, c.states);
        EXPECT_EQ(props->m_nPrecision, c.precision);
        EXPECT_EQ(props->m_nScale, c.scale);
        EXPECT_EQ(std::string((LPCTSTR)props->m_strCollation), c.collation);
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

}  // namespace
}  // namespace tw::test
