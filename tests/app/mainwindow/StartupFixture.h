// The program's start-up with an empty command line, as a user meets it: the
// first query window's logon dialog, then the Tutorial. Each modal dialog is
// handed to the test once its own loop runs and is answered there with keys
// or its buttons, as a user would answer it; any other box (an error) is
// recorded and cancelled, so a fault never leaves a test waiting.
#pragma once

#include <string>
#include <vector>

#include "app/TutorialDlg.h"
#include "platform/mfc/CDocument.h"
#include "session/ChildFrame.h"
#include "session/LogonDlg.h"
#include "session/LogonIds.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/frames/KtvPRegistry.h"

namespace tw::test {

// Base: MainWindowTest or a fixture made on it (its own SetUp is passed over:
// the start-up makes the windows here).
template <class Base = MainWindowTest>
class StartupTestOn : public Base {
protected:
    using Base::frame;
    using Base::input;
    using Base::parent;
    using Base::Pump;
    using Base::startupWindows;

    static constexpr UINT kModalSeen = WM_APP + 44;
    static constexpr LPARAM kShown = 1;

    // What the logon dialog showed when it came up.
    struct LogonSeen {
        std::string server;
        std::string database;
        std::string nickname;
        bool windowsAuthentication = false;
        bool focusInside = false;
    };

    void SetUp() override
    {
        s_self = this;
        hook = ::SetWindowsHookEx(WH_CBT, &ModalHook, nullptr, ::GetCurrentThreadId());
        this->MainWindowTest::SetUp();  // not Base's: the start-up opens the windows
    }

    void TearDown() override
    {
        ::UnhookWindowsHookEx(hook);
        s_self = nullptr;
        CloseQueryWindows();
        Base::TearDown();
    }

    void BeforeStart() override
    {
        startupWindows = true;
        StoreTutorialChoice(tutorialChoice);
    }

    // The query windows closed as Disconnect All closes them, nothing asked.
    void CloseQueryWindows()
    {
        if (frame == nullptr || !frame->GetSafeHwnd())
            return;
        for (POSITION pos = frame->m_QueryFrames.GetHeadPosition(); pos != nullptr;) {
            auto* pWindow = static_cast<CChildFrame*>(frame->m_QueryFrames.GetNext(pos));
            if (CDocument* pDoc = pWindow->GetActiveDocument())
                pDoc->SetModifiedFlag(FALSE);
        }
        frame->SendMessage(WM_COMMAND, 32842);
        Pump();
    }

    CChildFrame* ActiveQueryWindow() { return dynamic_cast<CChildFrame*>(frame->MDIGetActive()); }

    // "StartupDispHow" as the Tutorial keeps it; nullptr when there is none.
    static void StoreTutorialChoice(const char* value)
    {
        CKtvPRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(CTutorialDlg::kConfigureKey));
        if (value == nullptr)
            reg.DeleteValue(CTutorialDlg::kStartupValue);
        else
            ASSERT_TRUE(reg.Write(CTutorialDlg::kStartupValue, value));
    }
    static std::string StoredTutorialChoice()
    {
        CKtvPRegistry reg(FALSE, TRUE);
        CString value = "(none)";
        if (reg.Open(CTutorialDlg::kConfigureKey))
            reg.Read(CTutorialDlg::kStartupValue, value);
        return std::string(value);
    }

    LRESULT HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kModalSeen)
            return Base::HandleParentMessage(hwnd, message, wParam, lParam);
        const HWND hwndDialog = reinterpret_cast<HWND>(wParam);
        // A dialog ended before its loop ran (the Tutorial switched off) is
        // gone by now: it never appeared.
        if (!::IsWindow(hwndDialog))
            return 0;
        CWnd* pWnd = CWnd::FromHandlePermanent(hwndDialog);
        if (auto* pLogon = dynamic_cast<CConnectDlg*>(pWnd)) {
            // Answered as it stands on the screen, once its loop has shown it.
            if (lParam == kShown)
                AnswerLogon(*pLogon);
            else
                SeeWhenShown(hwndDialog);
        }
        else if (auto* pTutorial = dynamic_cast<CTutorialDlg*>(pWnd))
            AnswerTutorial(*pTutorial);
        else
            CancelOtherBox(hwndDialog);
        return 0;
    }

    // The dialog's loop shows it when it first goes idle, then asks for idle
    // work (WM_KICKIDLE): from there on the dialog is on the screen.
    void SeeWhenShown(HWND hwndDialog)
    {
        waitingProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hwndDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UntilShownProc)));
    }
    static LRESULT CALLBACK UntilShownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const WNDPROC previous = s_self->waitingProc;
        if (message == WM_KICKIDLE) {
            ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            ::PostMessage(s_self->parent, kModalSeen, reinterpret_cast<WPARAM>(hwnd), kShown);
        }
        return ::CallWindowProc(previous, hwnd, message, wParam, lParam);
    }

    // The logon answered with Enter (Connect) or Esc (Cancel), keys the
    // dialog's own loop reads.
    virtual void AnswerLogon(CConnectDlg& dlg)
    {
        LogonSeen shown;
        shown.server = ItemText(dlg, IDC_TW_LOGON_SERVER);
        shown.database = ItemText(dlg, IDC_TW_LOGON_DATABASE);
        shown.nickname = ItemText(dlg, IDC_TW_LOGON_NICKNAME);
        shown.windowsAuthentication =
            ::SendMessage(::GetDlgItem(dlg.GetSafeHwnd(), IDC_TW_LOGON_WINDOWS_AUTH), BM_GETCHECK, 0, 0) == BST_CHECKED;
        shown.focusInside = ::IsChild(dlg.GetSafeHwnd(), ::GetFocus()) != FALSE;
        logons.push_back(shown);
        input.KeyStroke(logonAnswer == IDOK ? VK_RETURN : VK_ESCAPE);
    }

    // The Tutorial closed with its Close button, the check box as it came up.
    virtual void AnswerTutorial(CTutorialDlg& dlg)
    {
        tutorialsShown++;
        tutorialBoxChecked = dlg.m_wndShowAtStartup.GetCheck() == BST_CHECKED;
        ::SendMessage(::GetDlgItem(dlg.GetSafeHwnd(), IDCANCEL), BM_CLICK, 0, 0);
    }

    void CancelOtherBox(HWND hwndDialog)
    {
        std::string text;
        for (HWND child = ::GetWindow(hwndDialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char className[32] = {};
            ::GetClassName(child, className, sizeof className);
            char childText[1024] = {};
            ::GetWindowText(child, childText, sizeof childText);
            if (std::string(className) == "Static" && *childText)
                text += childText;
        }
        otherBoxes.push_back(text);
        ::PostMessage(hwndDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ::PostMessage(hwndDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    static std::string ItemText(CWnd& dlg, int nID)
    {
        char text[512] = {};
        ::GetDlgItemText(dlg.GetSafeHwnd(), nID, text, sizeof text);
        return text;
    }

    // How the test answers: IDOK connects with what the dialog shows.
    UINT logonAnswer = IDOK;
    // "StartupDispHow" before the start; nullptr for none.
    const char* tutorialChoice = "NSD";

    std::vector<LogonSeen> logons;
    int tutorialsShown = 0;
    bool tutorialBoxChecked = false;
    std::vector<std::string> otherBoxes;

private:
    static LRESULT CALLBACK ModalHook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if ((create->style & WS_CHILD) == 0 && create->lpszClass != nullptr &&
                !IS_INTRESOURCE(create->lpszClass) && std::string(create->lpszClass) == WC_DIALOG)
                ::PostMessage(s_self->parent, kModalSeen, wParam, 0);
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static inline StartupTestOn* s_self = nullptr;
    HHOOK hook = nullptr;
    WNDPROC waitingProc = nullptr;
};

using StartupTest = StartupTestOn<>;

}  // namespace tw::test
