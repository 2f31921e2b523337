// A screenshot that cannot be written: the program still closes as its user
// would close it, and its exit code tells the caller that something failed.
#include "tests/platform/win32/user/UserTestFixture.h"

#include <cstdlib>

#include "platform/display/Display.h"
#include "tests/support/Instance.h"

namespace tw::user::test {
namespace {

using ScreenshotFailure = UserTest;

// A program of its own: the screenshot is taken once per process.
TEST_F(ScreenshotFailure, AnUnwritablePathClosesTheProgramWithANonZeroCode)
{
    if (!getenv("TW_SCREENSHOT_INSTANCE"))
        GTEST_SKIP() << "run by ScreenshotFailureRun";
    setenv("TARNWICK_SCREENSHOT", "/no/such/folder/shot.png", 1);
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    trace.OnMessage(main, WM_DESTROY, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        PostQuitMessage(0);
        *r = 0;
        return true;
    });
    trace.Start();
    testing::internal::CaptureStderr();
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0))
        DispatchMessage(&msg);
    const std::string said = testing::internal::GetCapturedStderr();
    unsetenv("TARNWICK_SCREENSHOT");
    EXPECT_NE(msg.wParam, 0u);
    EXPECT_FALSE(IsWindow(main)) << "closed as its user would";
    EXPECT_NE(said.find("/no/such/folder/shot.png"), std::string::npos) << said;
    tw::display::Display::Reset();
}

TEST(ScreenshotFailureRun, InAProgramOfItsOwn)
{
    EXPECT_EQ(tw::test::RunInstance("ScreenshotFailure.AnUnwritablePathClosesTheProgramWithANonZeroCode",
                                    {{"TW_SCREENSHOT_INSTANCE", "1"}}),
              0);
}

}  // namespace
}  // namespace tw::user::test
