#include "tests/ui/commandbars/CustomizeTestSupport.h"

#include <strings.h>

#include "platform/display/Display.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Threads.h"

namespace tw::test::custtest {

MessageBoxAnswerer* MessageBoxAnswerer::s_self = nullptr;

MessageBoxAnswerer::MessageBoxAnswerer(int nAnswer) : m_nAnswer(nAnswer)
{
    s_self = this;
    m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    ::UnhookWindowsHookEx(m_hook);
    s_self = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && s_self != nullptr) {
        const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
        const HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (create->hwndParent == nullptr || (create->style & WS_CHILD) == 0) {
            s_self->boxes++;
            ::PostMessage(hwnd, WM_COMMAND, s_self->m_nAnswer, 0);
        } else if (create->lpszName != nullptr && create->lpszName[0] != 0) {
            // The box's text is a static child; its buttons are children too.
            const bool bNamedClass = create->lpszClass != nullptr &&
                                     (reinterpret_cast<ULONG_PTR>(create->lpszClass) >> 16) != 0;
            if (!bNamedClass || ::strcasecmp(create->lpszClass, "Button") != 0)
                s_self->texts.push_back(create->lpszName);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void PumpTranslated()
{
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < 3; i++) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (pApp != nullptr && pApp->PreTranslateMessage(&msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

void ClickTranslated(tw::display::InputInjector& input, HWND hwnd, int x, int y)
{
    tw::ProcessClock::Advance(::GetDoubleClickTime() + 1);
    POINT pt{x, y};
    ::ClientToScreen(hwnd, &pt);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    PumpTranslated();
}

void ClickCentre(tw::display::InputInjector& input, HWND hwnd)
{
    RECT rect{};
    ::GetClientRect(hwnd, &rect);
    ClickTranslated(input, hwnd, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void ShowPage(CPropertySheet* pSheet, CPropertyPage* pPage)
{
    pSheet->SetActivePage(pPage);
    PumpTranslated();
    CRect rectPage;
    pPage->GetWindowRect(&rectPage);
    if (!rectPage.IsRectEmpty())
        return;
    CRect rectClient;
    pSheet->GetClientRect(&rectClient);
    int nBottom = rectClient.bottom;
    if (CWnd* pClose = pSheet->GetDlgItem(IDCANCEL)) {
        CRect rectClose;
        pClose->GetWindowRect(&rectClose);
        pSheet->ScreenToClient(&rectClose);
        nBottom = rectClose.top;
    }
    pPage->SetWindowPos(nullptr, 7, 7, rectClient.Width() - 14, nBottom - 14, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpTranslated();
}

bool SaveWindowShot(CWnd* pWnd, const std::string& name)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->UpdateWindow();
    return tw::display::Display::Instance().GetScreen().SavePng(std::string(TW_COMMANDBARS_TEST_BINARY_DIR) + "/" +
                                                                name);
}

}  // namespace tw::test::custtest
