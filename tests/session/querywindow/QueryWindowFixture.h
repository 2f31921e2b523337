// The program started in this process with a query window opened through its
// document template on the embedded server, typed into and run by keys.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session/ChildFrame.h"
#include "session/VelQryViews.h"
#include "tests/app/mainwindow/MainWindowFixture.h"

namespace querytest {

constexpr const char* kSampleConnection =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";

class QueryWindowTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A connected query window, shown and active; null when it did not connect.
    CChildFrame* OpenQueryWindow(LPCTSTR lpszConnection = kSampleConnection);
    // The Batch editor's text replaced by typing it.
    void TypeBatch(CChildFrame* pWindow, const std::string& text);
    // F5 and the message loop until the batch has completed.
    void RunBatch(CChildFrame* pWindow, const std::string& text);
    // The Batch editor's text set as it is (the completion list would change
    // typed capitals), then F5 and the loop until the batch has completed.
    void RunBatchAsIs(CChildFrame* pWindow, const std::string& text);
    // The program's own message loop: keys go through its accelerators.
    void PumpApp();
    // A key pressed and the program's loop run.
    void PressKey(UINT vk, bool control = false);
    // Pumps until `done` holds or a generous bound passes; false on the bound.
    bool PumpUntil(const std::function<bool()>& done, int seconds = 30);
    bool WaitForCompletion(CChildFrame* pWindow) { return PumpUntil([&] { return !pWindow->m_bExecuting; }); }

    std::vector<std::string> OutputLines();
    void ClearOutput();
    // The result-grid views of the window's lower pane, in tab order.
    std::vector<CVelQryResultGridView*> ResultGrids(CChildFrame* pWindow);
    // A grid's cells, row by row, as the dataset holds them.
    static std::vector<std::vector<std::string>> Cells(CVelQryResultGridView* pView);
    static std::vector<std::string> Captions(CVelQryResultGridView* pView);
    // Runs statements, one a line, on the window's server from the side (table set-up).
    void RunOnServer(const std::string& batch);

    CChildFrame* window = nullptr;
};

}  // namespace querytest
