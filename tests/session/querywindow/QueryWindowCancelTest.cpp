// Cancel, pause and closing while a query window's batch runs.
#include "tests/session/querywindow/QueryWindowFixture.h"

#include "platform/controls/grid/GridAutomation.h"

namespace querytest {
namespace {

using Lines = std::vector<std::string>;

class QueryWindowCancel : public QueryWindowTest {
protected:
    void SetUp() override
    {
        QueryWindowTest::SetUp();
        // Ten rows joined six times over: a million rows that stream for a while.
        // The server keeps its databases for the whole process.
        static bool made = false;
        if (made)
            return;
        made = true;
        RunOnServer("create table Digits (d int)\n"
                    "insert into Digits values (0)\ninsert into Digits values (1)\ninsert into Digits values (2)\n"
                    "insert into Digits values (3)\ninsert into Digits values (4)\ninsert into Digits values (5)\n"
                    "insert into Digits values (6)\ninsert into Digits values (7)\ninsert into Digits values (8)\n"
                    "insert into Digits values (9)\n");
    }

    static constexpr const char* kLongSelect =
        "select a.d, b.d, c.d, e.d, f.d, g.d from Digits a, Digits b, Digits c, Digits e, Digits f, Digits g";

    // F5 on the long select, pumped until its first rows are in a grid.
    void StartLongSelect()
    {
        TypeBatch(window, kLongSelect);
        PressKey(VK_F5);
        ASSERT_TRUE(window->m_bExecuting);
        ASSERT_TRUE(PumpUntil([&] { return GridRows() > 0; }));
    }

    int GridRows()
    {
        const auto grids = ResultGrids(window);
        if (grids.empty())
            return 0;
        auto* control = dynamic_cast<tw::grid::GridControlObject*>(grids[0]->m_Grid.GetControlUnknown());
        return control ? control->Model()->Dataset().RowCount() : 0;
    }

    void Command(UINT nID) { window->SendMessage(WM_COMMAND, nID); }
};

TEST_F(QueryWindowCancel, CancelWhileRowsArriveEndsTheBatchAsCanceled)
{
    StartLongSelect();
    Command(ID_QUERY_CANCEL);
    EXPECT_EQ(std::string(window->m_strStatus), "Attempting to cancel query batch...");
    // A second cancel changes nothing.
    Command(ID_QUERY_CANCEL);
    ASSERT_TRUE(WaitForCompletion(window));
    PumpApp();
    EXPECT_EQ(std::string(window->m_strStatus), "Query batch canceled");
    EXPECT_EQ(OutputLines(), (Lines{"Query canceled by user."}));
    EXPECT_LT(GridRows(), 1000000);
    // The window runs the next batch as usual.
    ClearOutput();
    RunBatch(window, "select 7 as x");
    EXPECT_EQ(OutputLines(), (Lines{"[1 row(s) affected (application specific)]"}));
}

TEST_F(QueryWindowCancel, CancelBeforeTheServerAnswersCompletesFromTheCancel)
{
    TypeBatch(window, "waitfor delay '00:00:20'\nselect 1");
    PressKey(VK_F5);
    ASSERT_TRUE(window->m_bExecuting);
    Command(ID_QUERY_CANCEL);
    ASSERT_TRUE(WaitForCompletion(window));
    PumpApp();
    EXPECT_EQ(std::string(window->m_strStatus), "Query batch canceled");
    EXPECT_TRUE(ResultGrids(window).empty());
    EXPECT_EQ(OutputLines(), (Lines{"Query canceled by user."}));
}

TEST_F(QueryWindowCancel, CancelWhenIdleRunsNothing)
{
    Command(ID_QUERY_CANCEL);
    PumpApp();
    EXPECT_EQ(std::string(window->m_strStatus), "Ready");
    EXPECT_TRUE(OutputLines().empty());
}

TEST_F(QueryWindowCancel, PauseHoldsTheRowsAndResumeLetsThemFinish)
{
    StartLongSelect();
    Command(ID_QUERY_PAUSE);
    EXPECT_TRUE(window->m_bPaused);
    // The worker stops at its next block: the count settles.
    int settled = -1;
    ASSERT_TRUE(PumpUntil([&] {
        const int before = GridRows();
        Sleep(50);
        PumpApp();
        const bool same = GridRows() == before;
        settled = before;
        return same;
    }));
    EXPECT_LT(settled, 1000000);
    Command(ID_QUERY_PAUSE);
    EXPECT_FALSE(window->m_bPaused);
    ASSERT_TRUE(PumpUntil([&] { return !window->m_bExecuting; }, 120));
    PumpApp();
    EXPECT_EQ(GridRows(), 1000000);
    EXPECT_EQ(OutputLines(), (Lines{"[1000000 row(s) affected (application specific)]"}));
}

TEST_F(QueryWindowCancel, ClosingWhileFetchingOrPausedEndsTheWorkerAndTheWindow)
{
    for (bool paused : {false, true}) {
        CChildFrame* second = OpenQueryWindow();
        ASSERT_NE(second, nullptr);
        CChildFrame* first = window;
        window = second;
        StartLongSelect();
        if (paused)
            Command(ID_QUERY_PAUSE);
        const int before = frame->GetQueryWindowCount();
        // As after a save: nothing to ask about.
        window->GetActiveDocument()->SetModifiedFlag(FALSE);
        window->SendMessage(WM_CLOSE);
        PumpApp();
        EXPECT_EQ(frame->GetQueryWindowCount(), before - 1) << paused;
        window = first;
    }
}

TEST_F(QueryWindowCancel, ClosingWhileCancellingWaitsForTheCancelThenCloses)
{
    StartLongSelect();
    Command(ID_QUERY_CANCEL);
    window->GetActiveDocument()->SetModifiedFlag(FALSE);
    const HWND hWnd = window->GetSafeHwnd();
    window->SendMessage(WM_CLOSE);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hWnd); }));
    window = nullptr;
}


TEST_F(QueryWindowCancel, DisconnectAllMeetingACancellingWindowGoesOnWhenTheCancelHasRun)
{
    window->m_pQueryView->GetDocument()->SetModifiedFlag(FALSE);
    CChildFrame* idle = window;
    window = OpenQueryWindow();
    ASSERT_NE(window, nullptr);
    StartLongSelect();
    window->m_pQueryView->GetDocument()->SetModifiedFlag(FALSE);
    window->MDIActivate();
    Command(ID_QUERY_CANCEL);
    frame->SendMessage(WM_COMMAND, ID_TW_DISCONNECT_ALL);
    // Every query window goes once the cancel has been carried out.
    ASSERT_TRUE(PumpUntil([&] { return frame->GetQueryWindowCount() == 0; }));
    (void)idle;
    window = nullptr;
}

}  // namespace
}  // namespace querytest
