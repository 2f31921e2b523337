// The query window's other roads: text mode, the console, transaction mode,
// the settings it clamps, the elapsed time, and the result grid's commands.
#include "tests/session/querywindow/QueryWindowFixture.h"

#include "platform/mfc/CCmdUI.h"
#include "session/GoToDlg.h"

namespace querytest {
namespace {

using Lines = std::vector<std::string>;

// The enabled and checked states a command's update handler gives.
struct CommandState {
    BOOL enabled = FALSE;
    int checked = 0;
};

class StateProbe : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override { state.enabled = bOn; }
    void SetCheck(int nCheck = 1) override { state.checked = nCheck; }
    void SetText(LPCTSTR) override {}
    CommandState state;
};

CommandState StateOf(CCmdTarget* pTarget, UINT nID)
{
    StateProbe probe;
    probe.m_nID = nID;
    probe.DoUpdate(pTarget, FALSE);
    return probe.state;
}

class QueryWindowCommands : public QueryWindowTest {};

TEST_F(QueryWindowCommands, SettingsOutOfRangeFallBackToTheirDefaults)
{
    struct Case {
        int value;
        int timeout;
        int cache;
    } cases[] = {{100000, 0, 100000}, {-1, 0, 100}, {99999, 99999, 99999}, {0, 0, 100},
                 {-5, 0, 100},     {1000000, 0, 100}, {999999, 0, 999999}, {1, 1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(CChildFrame::ClampQueryTimeOut(c.value), c.timeout) << c.value;
        EXPECT_EQ(CChildFrame::ClampCacheSize(c.value), c.cache) << c.value;
    }
}

TEST_F(QueryWindowCommands, ElapsedTimeDropsWholeDays)
{
    struct Case {
        DWORD ms;
        const char* text;
    } cases[] = {{0, "Exec time: 00:00:00"},
                 {999, "Exec time: 00:00:00"},
                 {61000, "Exec time: 00:01:01"},
                 {25u * 3600u * 1000u, "Exec time: 01:00:00"},
                 {(23u * 3600u + 59u * 60u + 59u) * 1000u, "Exec time: 23:59:59"}};
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CChildFrame::FormatExecTime(c.ms)), c.text) << c.ms;
}

TEST_F(QueryWindowCommands, HelpTextRunsInTextModeAndShowsTheTextReadOnly)
{
    RunOnServer("create procedure ShowMe as select 1");
    RunBatch(window, "sp_helptext ShowMe");
    EXPECT_FALSE(window->m_bTextMode);
    EXPECT_EQ(std::string(window->m_strStatus), "Query batch completed");
    const CString text = window->GetTextResult();
    EXPECT_NE(text.Find("create procedure ShowMe"), -1) << static_cast<const char*>(text);
    CKtvPTabWnd& tabs = window->m_pResultView->GetTabControl();
    ASSERT_EQ(tabs.GetTabsNum(), 1);
    auto* pView = dynamic_cast<CVelQryTextResultView*>(tabs.GetTabWnd(0));
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetEditCtrl()->GetText(), text);
    EXPECT_TRUE(pView->GetEditCtrl()->m_bReadOnly);
    // In capitals it is an ordinary batch, shown in a grid.
    RunBatchAsIs(window, "SP_HELPTEXT ShowMe");
    EXPECT_EQ(ResultGrids(window).size(), 1u);
}

TEST_F(QueryWindowCommands, TransactionModeBeginsOnlyWhenNoneIsOpenAndCommitReportsInOutput)
{
    RunOnServer("create table Kept (n int)");
    EXPECT_TRUE(StateOf(window, ID_TRANSACTION_BEGIN).enabled);
    EXPECT_FALSE(StateOf(window, ID_TRANSACTION_COMMIT).enabled);
    window->SendMessage(WM_COMMAND, ID_TRANSACTION_BEGIN);
    EXPECT_FALSE(StateOf(window, ID_TRANSACTION_BEGIN).enabled);
    EXPECT_TRUE(StateOf(window, ID_TRANSACTION_COMMIT).enabled);
    EXPECT_TRUE(StateOf(window, ID_TRANSACTION_ROLLBACK).enabled);

    RunBatch(window, "insert into Kept values (1)");
    RunBatch(window, "insert into Kept values (2)");
    ClearOutput();
    RunBatch(window, "select @@TRANCOUNT as t");
    ASSERT_EQ(ResultGrids(window).size(), 1u);
    // One transaction, though three batches ran in transaction mode.
    EXPECT_EQ(Cells(ResultGrids(window)[0]), (std::vector<Lines>{{"1"}}));

    ClearOutput();
    window->SendMessage(WM_COMMAND, ID_TRANSACTION_ROLLBACK);
    EXPECT_EQ(OutputLines(), (Lines{"The command(s) completed successfully."}));
    EXPECT_TRUE(StateOf(window, ID_TRANSACTION_BEGIN).enabled);
    RunBatch(window, "select count(*) as c from Kept");
    EXPECT_EQ(Cells(ResultGrids(window)[0]), (std::vector<Lines>{{"0"}}));
    // Commit keeps what the transaction did.
    window->SendMessage(WM_COMMAND, ID_TRANSACTION_BEGIN);
    RunBatch(window, "insert into Kept values (3)");
    ClearOutput();
    window->SendMessage(WM_COMMAND, ID_TRANSACTION_COMMIT);
    EXPECT_EQ(OutputLines(), (Lines{"The command(s) completed successfully."}));
    RunBatch(window, "select count(*) as c from Kept");
    EXPECT_EQ(Cells(ResultGrids(window)[0]), (std::vector<Lines>{{"1"}}));
}

TEST_F(QueryWindowCommands, PauseIsEnabledOnlyWhileABatchRuns)
{
    EXPECT_FALSE(StateOf(window, ID_QUERY_PAUSE).enabled);
    EXPECT_TRUE(StateOf(window, ID_QUERY_EXECUTE).enabled);
    EXPECT_TRUE(StateOf(window, ID_QUERY_NEW_WINDOW).enabled);
    EXPECT_TRUE(StateOf(window, ID_QUERY_SELECT_DATABASE).enabled);
}

TEST_F(QueryWindowCommands, ConsoleStatementRunsAsTypedAndTheConsoleShowsTheStatus)
{
    window->m_pQueryView->SetActiveView(window->m_pQueryView->m_nCommandTab);
    CVelQryCommandView* pConsole = window->m_pQueryView->GetCommandView();
    ASSERT_NE(pConsole, nullptr);
    CKtvPEditCtrl* pEdit = pConsole->GetEditCtrl();
    EXPECT_EQ(std::string(pEdit->GetText()), "SQL> ");
    pEdit->SetFocus();
    Pump();
    TypeKeys("select 'MiXed' as v;");
    input.KeyStroke(VK_RETURN);
    PumpApp();
    ASSERT_TRUE(WaitForCompletion(window));
    PumpApp();
    ASSERT_EQ(ResultGrids(window).size(), 1u);
    // Literals keep their case.
    EXPECT_EQ(Cells(ResultGrids(window)[0]), (std::vector<Lines>{{"MiXed"}}));
    EXPECT_EQ(std::string(pEdit->GetText()), "SQL> select 'MiXed' as v;\n--Query batch completed\nSQL> ");
}

TEST_F(QueryWindowCommands, GoToTakesAnyRowNumberAndIsCappedAtTheRowCount)
{
    CGoToDlg dlg;
    EXPECT_EQ(dlg.m_nLine, 0);
    EXPECT_EQ(CGoToDlg::kMaxLine, 2147483647);
    RunBatch(window, "select 1 as n union all select 2 union all select 3");
    CVelQryResultGridView* pGrid = ResultGrids(window).at(0);
    for (UINT nID : {ID_RESULT_FIRST, ID_RESULT_GOTO, ID_RESULT_SAVE_HTML, ID_RESULT_SAVE_EXCEL})
        EXPECT_TRUE(StateOf(pGrid, nID).enabled) << nID;
    RunBatch(window, "select 1 as n");
    pGrid = ResultGrids(window).at(0);
    EXPECT_FALSE(StateOf(pGrid, ID_RESULT_NEXT).enabled);
    EXPECT_FALSE(StateOf(pGrid, ID_RESULT_GOTO).enabled);
    EXPECT_TRUE(StateOf(pGrid, ID_RESULT_SAVE_TEXT).enabled);
}

TEST_F(QueryWindowCommands, ExportDialogsAddTheirExtensionAndOfferTheWorkbookFirst)
{
    EXPECT_STREQ(CVelQryResultGridView::ExportExtension(ID_RESULT_SAVE_EXCEL), "xlsx");
    EXPECT_EQ(std::string(CVelQryResultGridView::ExportFilter(ID_RESULT_SAVE_EXCEL)).rfind("Excel Workbook (*.xlsx)", 0),
              0u);
    EXPECT_STREQ(CVelQryResultGridView::ExportExtension(ID_RESULT_SAVE_HTML), "html");
    EXPECT_STREQ(CVelQryResultGridView::ExportExtension(ID_RESULT_SAVE_TEXT), "txt");
    EXPECT_STREQ(CVelQryResultGridView::ExportExtension(ID_RESULT_SAVE_XML), "xml");
}

}  // namespace
}  // namespace querytest
