#include "tests/platform/win32/user/UserTestFixture.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <vector>

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::user::test {

void UserTest::SetUp()
{
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    Pump();
}

void UserTest::TearDown()
{
    trace.Stop();
    ReleaseCapture();
    tw::test::DestroyTopLevelWindows();
    tw::display::Display::Instance().Input().Clear();
    Pump();
    // Leave the keyboard as it was: no key or button held.
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    tw::ProcessClock::Resume();
}

HWND UserTest::MakeFrame(const std::string& name, RECT rect, DWORD extraStyle)
{
    return trace.Create(name, WS_OVERLAPPEDWINDOW | WS_VISIBLE | extraStyle, 0, rect);
}

POINT UserTest::ScreenPointOf(HWND hwnd, int clientX, int clientY)
{
    POINT pt{clientX, clientY};
    ClientToScreen(hwnd, &pt);
    return pt;
}

}  // namespace tw::user::test
