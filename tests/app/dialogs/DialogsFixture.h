// The program started headless, with a hook that hands each modal dialog to
// the test once its loop runs, then closes it with the button the test chose.
#pragma once

#include <functional>

#include "tests/app/mainwindow/MainWindowFixture.h"

namespace tw::test {

class ProgramDialogTest : public MainWindowTest {
protected:
    static constexpr UINT kDialogSeen = WM_APP + 46;

    void SetUp() override
    {
        s_self = this;
        hook = ::SetWindowsHookEx(WH_CBT, &DialogHook, nullptr, ::GetCurrentThreadId());
        MainWindowTest::SetUp();
    }

    void TearDown() override
    {
        ::UnhookWindowsHookEx(hook);
        s_self = nullptr;
        MainWindowTest::TearDown();
    }

    // Runs a command of the main window; onDialog sees its dialog, which then
    // ends with closeWith.
    void RunCommand(UINT nID)
    {
        frame->SendMessage(WM_COMMAND, nID, 0);
        Pump();
    }

    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kDialogSeen)
            return MainWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
        const HWND hwndDialog = reinterpret_cast<HWND>(wParam);
        if (!::IsWindow(hwndDialog))
            return 0;
        ++dialogsSeen;
        if (onDialog)
            onDialog(hwndDialog);
        if (::IsWindow(hwndDialog) && closeWith != 0)
            ::PostMessage(hwndDialog, WM_COMMAND, closeWith, 0);
        return 0;
    }

    // A button of a dialog or page clicked as the user clicks it.
    static void ClickButton(HWND hwndButton) { ::SendMessage(hwndButton, BM_CLICK, 0, 0); }
    static bool IsChecked(HWND hwndButton) { return ::SendMessage(hwndButton, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::function<void(HWND)> onDialog;
    UINT closeWith = IDCANCEL;
    int dialogsSeen = 0;

private:
    static LRESULT CALLBACK DialogHook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if ((create->style & WS_CHILD) == 0 && create->lpszClass != nullptr &&
                !IS_INTRESOURCE(create->lpszClass) && std::string(create->lpszClass) == WC_DIALOG)
                ::PostMessage(s_self->parent, kDialogSeen, wParam, 0);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline ProgramDialogTest* s_self = nullptr;
    HHOOK hook = nullptr;
};

}  // namespace tw::test
