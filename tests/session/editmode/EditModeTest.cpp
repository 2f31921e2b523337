// The Edit-Mode tab of a query window: Execute opens the rows in an editable
// grid on a connection of its own; edits, appends and deletes reach the
// server only when saved.
#include <random>

#include "platform/controls/grid/GridAutomation.h"
#include "platform/controls/grid/GridView.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CWinApp.h"
#include "session/QueryWindowMessages.h"
#include "session/VelQryEditModeView.h"
#include "tests/session/querywindow/QueryWindowFixture.h"

namespace querytest {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class EditModeEnabledProbe : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override { enabled = bOn; }
    void SetCheck(int) override {}
    void SetText(LPCTSTR) override {}
    BOOL enabled = FALSE;
};

class EditModeTest : public QueryWindowTest {
protected:
    void SetUp() override
    {
        QueryWindowTest::SetUp();
        // The server's files outlive a test: each test has its own table.
        static int tables = 0;
        table = "EditStock" + std::to_string(++tables) + "_" + std::to_string(std::random_device{}() % 1000000);
        RunOnServer("create table " + table + " (id int, name varchar(20), qty int)\n" + "insert into " + table +
                    " values (1, 'a', 10)\ninsert into " + table + " values (2, 'b', 20)\ninsert into " + table +
                    " values (3, 'c', 30)");
    }

    // The Edit-Mode editor's text set, its tab active, then F5.
    CVelQryEditModeView* ExecuteEditMode(const std::string& text)
    {
        CVelQryView* pQuery = window->m_pQueryView;
        pQuery->SetActiveView(pQuery->m_nEditModeTab);
        CKtvPEditCtrl* pEdit = pQuery->GetEditModeView()->GetEditCtrl();
        pEdit->SetText(text.c_str());
        pEdit->SetFocus();
        Pump();
        PressKey(VK_F5);
        Pump();
        return window->GetEditModeGrid();
    }

    CVelQryEditModeView* OpenTable() { return ExecuteEditMode("select * from " + table + " order by id"); }

    static tw::grid::GridControlObject* Control(CVelQryEditModeView* pView)
    {
        return dynamic_cast<tw::grid::GridControlObject*>(pView->m_wndGrid.GetControlUnknown());
    }

    static Rows GridRows(CVelQryEditModeView* pView)
    {
        Rows rows;
        const tw::grid::GridDataset& dataset = Control(pView)->Model()->Dataset();
        for (int r = 0; r < dataset.RowCount(); ++r) {
            std::vector<std::string> row;
            for (int f = 0; f < dataset.FieldCount(); ++f)
                row.emplace_back(dataset.Text(r, f));
            rows.push_back(row);
        }
        return rows;
    }

    // The table as a fresh connection reads it.
    Rows SeenByAnotherConnection()
    {
        ADODB::_ConnectionPtr reader("ADODB.Connection");
        reader->Open(kSampleConnection, "", "", -1);
        ADODB::_RecordsetPtr rows =
            reader->Execute(("select id, name, qty from " + table + " order by id").c_str(), nullptr, ADODB::adCmdText);
        Rows seen;
        for (; !rows->GetEOF(); rows->MoveNext()) {
            std::vector<std::string> row;
            for (long i = 0; i < 3; ++i) {
                const _variant_t value = rows->GetCollect(i);
                row.emplace_back(value.vt == VT_NULL ? "NULL" : static_cast<const char*>(_bstr_t(value)));
            }
            seen.push_back(row);
        }
        reader->Close();
        return seen;
    }

    // A key pressed in the grid window.
    void GridKey(CVelQryEditModeView* pView, UINT vk)
    {
        ::SetFocus(Control(pView)->GridWindow());
        input.KeyStroke(vk);
        Pump();
    }

    void EditCell(CVelQryEditModeView* pView, int row, const char* field, const std::string& text)
    {
        tw::grid::GridModel& model = *Control(pView)->Model();
        model.MoveTo(row);
        tw::grid::GridView::FromHandle(Control(pView)->GridWindow())
            ->SetFocusedColumn(model.Columns().IndexByFieldName(field));
        GridKey(pView, VK_F2);
        TypeKeys(text);
        GridKey(pView, VK_RETURN);
    }

    void Command(CVelQryEditModeView* pView, UINT nID)
    {
        pView->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        Pump();
    }

    static bool Enabled(CVelQryEditModeView* pView, UINT nID)
    {
        EditModeEnabledProbe probe;
        probe.m_nID = nID;
        probe.DoUpdate(pView, FALSE);
        return probe.enabled != FALSE;
    }

    std::string table;
};

const Rows kStartRows = {{"1", "a", "10"}, {"2", "b", "20"}, {"3", "c", "30"}};

TEST_F(EditModeTest, ExecuteOnTheEditModeTabShowsTheRowsInOneEditGridTab)
{
    RunBatch(window, "select 1 as n");
    ASSERT_EQ(ResultGrids(window).size(), 1u);
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(ResultGrids(window).empty());
    EXPECT_EQ(window->m_pResultView->GetTabControl().GetTabsNum(), 1);
    EXPECT_EQ(GridRows(pView), kStartRows);
    // The toolbar keeps twelve buttons: Go To is the Result menu's only.
    EXPECT_EQ(pView->m_wndToolBar.GetCount(), 12);
}

TEST_F(EditModeTest, AnEditedCellReachesTheServerOnlyOnSave)
{
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    EditCell(pView, 1, "qty", "25");
    EXPECT_EQ(GridRows(pView)[1][2], "25");
    EXPECT_EQ(SeenByAnotherConnection(), kStartRows);
    Command(pView, CVelQryEditModeView::ID_EDIT_SAVE);
    EXPECT_EQ(SeenByAnotherConnection(), (Rows{{"1", "a", "10"}, {"2", "b", "25"}, {"3", "c", "30"}}));
}

TEST_F(EditModeTest, RefreshDropsUnsavedDeletesAndShowsOtherConnectionsChanges)
{
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    Control(pView)->Model()->MoveTo(0);
    Command(pView, CVelQryEditModeView::ID_EDIT_DELETE);
    ASSERT_EQ(GridRows(pView).size(), 2u);
    RunOnServer("update " + table + " set qty = 99 where id = 3");
    Command(pView, CVelQryEditModeView::ID_EDIT_REFRESH);
    EXPECT_EQ(GridRows(pView), (Rows{{"1", "a", "10"}, {"2", "b", "20"}, {"3", "c", "99"}}));
    Command(pView, CVelQryEditModeView::ID_EDIT_SAVE);
    EXPECT_EQ(SeenByAnotherConnection().size(), 3u);
}

TEST_F(EditModeTest, NavigationNeedsTwoRowsAndExportsOne)
{
    struct Case {
        const char* where;
        bool moves;
        bool exports;
    } cases[] = {{"id > 0", true, true}, {"id = 1", false, true}, {"id = 0", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        CVelQryEditModeView* pView = ExecuteEditMode("select * from " + table + " where " + c.where);
        ASSERT_NE(pView, nullptr);
        for (UINT nID : {ID_RESULT_FIRST, ID_RESULT_NEXT, ID_RESULT_PREVIOUS, ID_RESULT_LAST, ID_RESULT_GOTO})
            EXPECT_EQ(Enabled(pView, nID), c.moves) << nID;
        for (UINT nID : {ID_RESULT_SAVE_HTML, ID_RESULT_SAVE_TEXT, ID_RESULT_SAVE_EXCEL, ID_RESULT_SAVE_XML})
            EXPECT_EQ(Enabled(pView, nID), c.exports) << nID;
    }
}

TEST_F(EditModeTest, TheMovesWalkTheRows)
{
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    tw::grid::GridModel& model = *Control(pView)->Model();
    const std::pair<UINT, int> steps[] = {{ID_RESULT_LAST, 2}, {ID_RESULT_PREVIOUS, 1}, {ID_RESULT_FIRST, 0},
                                          {ID_RESULT_NEXT, 1}};
    for (auto [nID, row] : steps) {
        Command(pView, nID);
        EXPECT_EQ(model.Selection().Focused(), row) << nID;
    }
}

TEST_F(EditModeTest, TheSecondConnectionClosesWhenTheGridGoes)
{
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    ADODB::_ConnectionPtr held = pView->m_pConnection;
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->GetState(), ADODB::adStateOpen);
    RunBatch(window, "select 1 as n");
    EXPECT_EQ(window->GetEditModeGrid(), nullptr);
    EXPECT_EQ(held->GetState(), ADODB::adStateClosed);
}

}  // namespace
}  // namespace querytest
