// A query window on the embedded server, with the modal dialogs it opens
// driven from their own message loop: each dialog that opens runs the next
// queued step and is cancelled if the step leaves it open; message boxes are
// answered with OK and their texts kept.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/session/querywindow/QueryWindowFixture.h"

namespace sessionprops {

class SessionWindowTest : public querytest::QueryWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;
    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The step for the next dialog that opens (message boxes not counted).
    void WhenDialogOpens(std::function<void(HWND)> step) { steps.push_back(std::move(step)); }
    // The command sent to the main frame as the menu sends it; the dialog it
    // opens runs the step. Fails the test when no dialog opened.
    template <class TDialog>
    void RunDialogOf(UINT nCommand, std::function<void(TDialog*)> step)
    {
        WhenDialogOpens([step](HWND hDialog) {
            auto* pDialog = dynamic_cast<TDialog*>(CWnd::FromHandlePermanent(hDialog));
            ASSERT_NE(pDialog, nullptr);
            step(pDialog);
        });
        Command(frame, nCommand);
        ASSERT_EQ(1, dialogsRun) << "command " << nCommand << " opened no dialog";
        dialogsRun = 0;
    }
    // Sends the command to the main frame or the window, as a menu does.
    void Command(CWnd* pTarget, UINT nID);
    // The options the window's session runs with, as DBCC USEROPTIONS lists them.
    static std::map<std::string, std::string> SessionOptionsOf(CChildFrame* pWindow);
    static std::string ScalarOn(CChildFrame* pWindow, const std::string& query);

    static void PressButton(HWND hDialog, int nID);
    // Whether the modal dialog is still running (not ended by its own buttons).
    static bool StillOpen(HWND hDialog);

    std::vector<std::string> messages;  // the texts of the message boxes shown
    int dialogsRun = 0;
    bool dialogClosedByItself = false;  // whether the last dialog ended without the fallback cancel

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam);
    static SessionWindowTest* s_self;
    HHOOK hook = nullptr;
    std::deque<std::function<void(HWND)>> steps;
};

}  // namespace sessionprops
