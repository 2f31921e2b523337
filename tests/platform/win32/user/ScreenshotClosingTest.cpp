// After the first-idle screenshot the program is closed as its user would
// close it: a modal dialog up at that moment is closed first and then the
// main window, so the program really ends; a modeless popup is left to its
// main window.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <cstdlib>
#include <filesystem>

#include "platform/display/Display.h"
#include "tests/support/Instance.h"

namespace tw::user::test {
namespace {

using ScreenshotClosing = UserTest;

// A program of its own: the screenshot is taken once per process. The
// popup is modal (its owner disabled) when TW_SCREENSHOT_CLOSING is "modal".
TEST_F(ScreenshotClosing, ClosesTheModalDialogFirstThenTheMainWindow)
{
    const char* mode = getenv("TW_SCREENSHOT_CLOSING");
    if (!mode)
        GTEST_SKIP() << "run by ScreenshotClosingRun";
    const bool modal = std::string(mode) == "modal";
    setenv("TARNWICK_SCREENSHOT", (std::filesystem::current_path() / "closing.png").c_str(), 1);
    HWND main = MakeFrame("main", RECT{100, 100, 500, 400});
    HWND popup = trace.Create("popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, RECT{150, 150, 350, 300}, main);
    ASSERT_EQ(GetWindow(popup, GW_OWNER), main);
    if (modal)
        EnableWindow(main, FALSE);
    SetActiveWindow(popup);
    trace.OnMessage(popup, WM_CLOSE, [main](HWND hwnd, UINT, WPARAM, LPARAM, LRESULT* r) {
        EnableWindow(main, TRUE);
        DestroyWindow(hwnd);
        *r = 0;
        return true;
    });
    trace.OnMessage(main, WM_DESTROY, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        PostQuitMessage(7);
        *r = 0;
        return true;
    });
    trace.Start();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    unsetenv("TARNWICK_SCREENSHOT");
    EXPECT_EQ(msg.wParam, 7u) << "the program ended";
    EXPECT_FALSE(IsWindow(main));
    const auto popupGot = trace.Messages(popup);
    const bool popupClosed = std::find(popupGot.begin(), popupGot.end(), "WM_CLOSE") != popupGot.end();
    EXPECT_EQ(popupClosed, modal) << "only a modal dialog is closed on its own";
    const auto lines = trace.Lines();
    const auto mainClose = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("main") != std::string::npos && line.find("WM_CLOSE") != std::string::npos;
    });
    EXPECT_NE(mainClose, lines.end()) << trace.Text();
    tw::display::Display::Reset();
}

TEST(ScreenshotClosingRun, ModalAndModelessPopups)
{
    for (const char* mode : {"modal", "modeless"}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(tw::test::RunInstance("ScreenshotClosing.ClosesTheModalDialogFirstThenTheMainWindow",
                                        {{"TW_SCREENSHOT_CLOSING", mode}}),
                  0);
    }
}

}  // namespace
}  // namespace tw::user::test
