// The screen as a whole: the first-idle screenshot, resizing, the monitor.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::user::test {
namespace {

using ScreenTest = UserTest;

TEST_F(ScreenTest, ScreenshotIsWrittenWhenFirstIdleAndTheProgramThenCloses)
{
    const std::filesystem::path shot = std::filesystem::current_path() / "first-idle.png";
    setenv("TARNWICK_SCREENSHOT", shot.c_str(), 1);
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    trace.OnMessage(main, WM_DESTROY, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        PostQuitMessage(3);
        *r = 0;
        return true;
    });
    trace.Start();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    unsetenv("TARNWICK_SCREENSHOT");
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(IsWindow(main));
    const auto got = trace.Messages(main);
    EXPECT_NE(std::find(got.begin(), got.end(), "WM_CLOSE"), got.end()) << "closed as its user would";
    std::ifstream png(shot, std::ios::binary);
    char signature[8] = {};
    png.read(signature, sizeof signature);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

TEST_F(ScreenTest, MaximisedWindowsFollowTheScreenSize)
{
    auto& screen = tw::display::Display::Instance().GetScreen();
    const int width = screen.Width();
    const int height = screen.Height();
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    ShowWindow(main, SW_SHOWMAXIMIZED);
    Pump();
    screen.Resize(800, 600);
    Pump();
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right, 804);
    EXPECT_EQ(r.bottom, 604);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcMonitor.right, 800);
    EXPECT_EQ(mi.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));
    EXPECT_EQ(MonitorFromPoint(POINT{900, 10}, MONITOR_DEFAULTTONULL), nullptr);
    screen.Resize(width, height);
    Pump();
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(ScreenTest, ChangedSystemColoursAreAnnouncedToEveryTopLevelWindow)
{
    HWND a = MakeFrame("a", RECT{0, 0, 100, 100});
    HWND b = trace.Create("b", WS_POPUP, 0, RECT{0, 0, 100, 100});
    Pump();
    const COLORREF old = GetSysColor(COLOR_BTNFACE);
    const INT index = COLOR_BTNFACE;
    const COLORREF next = RGB(1, 2, 3);
    trace.Start();
    ASSERT_TRUE(SetSysColors(1, &index, &next));
    Pump();
    const auto gotA = trace.Messages(a);
    EXPECT_EQ(std::count(gotA.begin(), gotA.end(), "WM_SYSCOLORCHANGE"), 1);
    EXPECT_EQ(trace.Messages(b), std::vector<std::string>{"WM_SYSCOLORCHANGE"});
    SetSysColors(1, &index, &old);
    Pump();
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(ScreenTest, ANewWorkAreaIsAnnouncedAndMaximisedWindowsFitIt)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    ShowWindow(main, SW_SHOWMAXIMIZED);
    Pump();
    RECT old;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &old, 0));
    RECT smaller = old;
    smaller.bottom -= 30;  // room for a bar along the bottom
    trace.Start();
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &smaller, 0));
    Pump();
    const auto got = trace.Messages(main);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_SETTINGCHANGE"), 1);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.bottom, smaller.bottom + 4);
    SystemParametersInfo(SPI_SETWORKAREA, 0, &old, 0);
    Pump();
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

// The tables' changes reach the windows while the call is still running,
// not at some later idle moment: nothing is pumped in between.
TEST_F(ScreenTest, SystemChangesAreAnnouncedBeforeTheSettingCallReturns)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    ShowWindow(main, SW_SHOWMAXIMIZED);
    Pump();
    const INT index = COLOR_WINDOW;
    const COLORREF old = GetSysColor(index);
    const COLORREF next = RGB(9, 8, 7);
    RECT oldArea;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &oldArea, 0));
    RECT smaller = oldArea;
    smaller.bottom -= 40;

    trace.Start();
    ASSERT_TRUE(SetSysColors(1, &index, &next));
    EXPECT_EQ(trace.Messages(main), std::vector<std::string>{"WM_SYSCOLORCHANGE"});
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &smaller, 0));
    const auto got = trace.Messages(main);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_SETTINGCHANGE"), 1);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.bottom, smaller.bottom + 4) << "the maximised window fits the new area at once";

    // The same area again is no change; the next idle moment adds nothing.
    trace.Start();
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &smaller, 0));
    Pump();
    const auto again = trace.Messages(main);
    EXPECT_EQ(std::count(again.begin(), again.end(), "WM_SETTINGCHANGE"), 0);
    EXPECT_EQ(std::count(again.begin(), again.end(), "WM_SYSCOLORCHANGE"), 0);

    SetSysColors(1, &index, &old);
    SystemParametersInfo(SPI_SETWORKAREA, 0, &oldArea, 0);
    Pump();
}

}  // namespace
}  // namespace tw::user::test
