// Message order compared with checked-in traces of what the platform sends.
#include "tests/platform/win32/user/UserTestFixture.h"

namespace tw::user::test {
namespace {

using MessageOrderTest = UserTest;

TEST_F(MessageOrderTest, CreatingCaptionedWindowWithTwoChildren)
{
    trace.Start();
    HWND main = MakeFrame("main", RECT{100, 100, 500, 400});
    trace.Create("childA", WS_CHILD | WS_VISIBLE, 0, RECT{10, 10, 110, 60}, main, 1);
    trace.Create("childB", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, RECT{10, 70, 110, 120}, main, 2);
    Pump();
    ExpectTrace("create_captioned_with_children", trace.Text());
}

TEST_F(MessageOrderTest, ShowWindowShowsAndActivates)
{
    HWND main = trace.Create("main", WS_OVERLAPPEDWINDOW, 0, RECT{50, 50, 350, 250});
    Pump();
    trace.Start();
    EXPECT_FALSE(ShowWindow(main, SW_SHOW));
    Pump();
    ExpectTrace("show_window", trace.Text());
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
}

TEST_F(MessageOrderTest, ActivationBetweenTwoWindowsAndNoActivatePopup)
{
    HWND first = MakeFrame("first", RECT{0, 0, 300, 200});
    HWND second = MakeFrame("second", RECT{400, 0, 700, 200});
    HWND popup = trace.Create("popup", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, RECT{100, 300, 200, 400}, first);
    trace.OnMessage(popup, WM_MOUSEACTIVATE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
        *result = MA_NOACTIVATE;
        return true;
    });
    ShowWindow(popup, SW_SHOWNA);
    Pump();
    ASSERT_EQ(GetActiveWindow(), second);

    trace.Start();
    input.Click(tw::display::MouseButton::Left, 150, 100);  // into first's client area
    Pump();
    input.Click(tw::display::MouseButton::Left, 150, 350);  // the popup keeps first active
    Pump();
    input.Click(tw::display::MouseButton::Left, 550, 100);  // back to second
    Pump();
    ExpectTrace("activation_two_windows_and_popup", trace.Text());
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(MessageOrderTest, MinimiseMaximiseRestore)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    Pump();
    trace.Start();
    ShowWindow(main, SW_MINIMIZE);
    Pump();
    EXPECT_TRUE(IsIconic(main));
    ShowWindow(main, SW_SHOWMAXIMIZED);
    Pump();
    EXPECT_TRUE(IsZoomed(main));
    ShowWindow(main, SW_RESTORE);
    Pump();
    EXPECT_FALSE(IsZoomed(main));
    ExpectTrace("minimise_maximise_restore", trace.Text());
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 400);
}

TEST_F(MessageOrderTest, MoveAndSizeBySysCommand)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    Pump();
    trace.Start();
    // Dragging the caption starts SC_MOVE from WM_NCLBUTTONDOWN.
    input.Drag(tw::display::MouseButton::Left, POINT{200, 110}, POINT{230, 150}, 2);
    Pump();
    // The keyboard form of SC_SIZE: arrows size, Enter ends.
    input.KeyStroke(VK_RIGHT);
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_RETURN);
    SendMessage(main, WM_SYSCOMMAND, SC_SIZE, 0);
    Pump();
    ExpectTrace("move_and_size_by_syscommand", trace.Text());
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 130);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(r.right - r.left, 308);
    EXPECT_EQ(r.bottom - r.top, 208);
}

TEST_F(MessageOrderTest, DestroyingParent)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    HWND child = trace.Create("child", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 50, 50}, main, 1);
    trace.Create("grandchild", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 20, 20}, child, 2);
    trace.Create("sibling", WS_CHILD | WS_VISIBLE, 0, RECT{60, 0, 110, 50}, main, 3);
    Pump();
    trace.Start();
    EXPECT_TRUE(DestroyWindow(main));
    ExpectTrace("destroy_parent", trace.Text());
    EXPECT_FALSE(IsWindow(child));
}

TEST_F(MessageOrderTest, CaptureLostToAnotherWindow)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    HWND a = trace.Create("a", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 50, 50}, main, 1);
    HWND b = trace.Create("b", WS_CHILD | WS_VISIBLE, 0, RECT{60, 0, 110, 50}, main, 2);
    Pump();
    trace.Start();
    SetCapture(a);
    SetCapture(b);
    ReleaseCapture();
    ExpectTrace("capture_lost", trace.Text());
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace tw::user::test
