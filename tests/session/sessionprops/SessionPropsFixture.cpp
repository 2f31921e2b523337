#include "tests/session/sessionprops/SessionPropsFixture.h"

#include "platform/mfc/CWinApp.h"
#include "platform/win32/dialog/windlg.h"

namespace sessionprops {

namespace {

constexpr UINT kDialogOpened = WM_APP + 45;
constexpr UINT kMessageBoxOpened = WM_APP + 46;

bool IsMessageBoxCaption(LPCSTR caption)
{
    const CWinApp* app = AfxGetApp();
    const char* expected = app != nullptr && app->m_pszAppName != nullptr ? app->m_pszAppName : "Error";
    return caption != nullptr && std::string(caption) == expected;
}

}  // namespace

SessionWindowTest* SessionWindowTest::s_self = nullptr;

void SessionWindowTest::SetUp()
{
    s_self = this;
    hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    querytest::QueryWindowTest::SetUp();
}

void SessionWindowTest::TearDown()
{
    querytest::QueryWindowTest::TearDown();
    ::UnhookWindowsHookEx(hook);
    s_self = nullptr;
}

LRESULT CALLBACK SessionWindowTest::Hook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && s_self != nullptr) {
        const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
        const bool topLevel = (create->style & WS_CHILD) == 0;
        const std::string cls =
            create->lpszClass != nullptr && !IS_INTRESOURCE(create->lpszClass) ? create->lpszClass : "";
        if (topLevel && IsMessageBoxCaption(create->lpszName))
            ::PostMessage(s_self->parent, kMessageBoxOpened, wParam, 0);
        else if (topLevel && cls == WC_DIALOG)
            ::PostMessage(s_self->parent, kDialogOpened, wParam, 0);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT SessionWindowTest::HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND hDialog = reinterpret_cast<HWND>(wParam);
    if (message == kMessageBoxOpened) {
        if (!::IsWindow(hDialog))
            return 0;
        std::string text;
        for (HWND h = ::GetWindow(hDialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            char className[64] = {};
            ::GetClassName(h, className, sizeof className);
            if (std::string(className) == "Button")
                continue;
            char part[2048] = {};
            ::GetWindowText(h, part, sizeof part);
            text += part;
        }
        messages.push_back(text);
        // No, else Cancel, else OK: whichever the box offers first.
        for (int answer : {IDNO, IDCANCEL, IDOK}) {
            if (::GetDlgItem(hDialog, answer) != nullptr) {
                PressButton(hDialog, answer);
                break;
            }
        }
        return 0;
    }
    if (message != kDialogOpened)
        return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
    if (!::IsWindow(hDialog))
        return 0;
    ++dialogsRun;
    // The modal loop shows the dialog when it first goes idle, which is after this message.
    ::ShowWindow(hDialog, SW_SHOWNORMAL);
    ::UpdateWindow(hDialog);
    Pump();
    if (!steps.empty()) {
        std::function<void(HWND)> step = std::move(steps.front());
        steps.pop_front();
        step(hDialog);
    }
    dialogClosedByItself = !StillOpen(hDialog);
    if (StillOpen(hDialog))
        PressButton(hDialog, IDCANCEL);
    return 0;
}

bool SessionWindowTest::StillOpen(HWND hDialog)
{
    const CWnd* pDialog = ::IsWindow(hDialog) ? CWnd::FromHandlePermanent(hDialog) : nullptr;
    return pDialog != nullptr && (pDialog->m_nFlags & WF_CONTINUEMODAL) != 0;
}

void SessionWindowTest::PressButton(HWND hDialog, int nID)
{
    ::SendMessage(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, nID)));
}

void SessionWindowTest::Command(CWnd* pTarget, UINT nID)
{
    pTarget->SendMessage(WM_COMMAND, nID);
    Pump();
}

std::map<std::string, std::string> SessionWindowTest::SessionOptionsOf(CChildFrame* pWindow)
{
    std::map<std::string, std::string> options;
    ADODB::_RecordsetPtr rs = pWindow->m_pConnection->Execute("DBCC USEROPTIONS", nullptr, ADODB::adCmdText);
    for (; rs != nullptr && !rs->GetEOF(); rs->MoveNext())
        options[static_cast<const char*>(_bstr_t(rs->GetFields()->GetItem(0L)->GetValue()))] =
            static_cast<const char*>(_bstr_t(rs->GetFields()->GetItem(1L)->GetValue()));
    return options;
}

std::string SessionWindowTest::ScalarOn(CChildFrame* pWindow, const std::string& query)
{
    ADODB::_RecordsetPtr rs = pWindow->m_pConnection->Execute(query.c_str(), nullptr, ADODB::adCmdText);
    if (rs == nullptr || rs->GetEOF())
        return "<no row>";
    return static_cast<const char*>(_bstr_t(rs->GetFields()->GetItem(0L)->GetValue()));
}

}  // namespace sessionprops
