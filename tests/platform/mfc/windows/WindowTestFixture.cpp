#include "tests/platform/mfc/windows/WindowTestFixture.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <mutex>
#include <vector>

#include "platform/display/Display.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::mfc::test {

TestApp& App()
{
    static TestApp app;
    return app;
}

void WindowTest::SetUp()
{
    static std::once_flag once;
    std::call_once(once, [] { RegisterStandardControlClasses(); });
    App().m_pMainWnd = nullptr;
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    Pump();
}

void WindowTest::TearDown()
{
    App().m_pMainWnd = nullptr;
    tw::test::DestroyTopLevelWindows(true);
    Pump();
    MSG quit;
    while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    AfxDeleteTempMaps();
    tw::ProcessClock::Resume();
}

void WindowTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

HWND WindowTest::MakePlainWindow(RECT rect)
{
    LPCTSTR cls = AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW));
    return CreateWindowEx(0, cls, "Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace tw::mfc::test
