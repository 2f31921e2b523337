// Focus and activation: which window gets the keys, and the messages that
// say so.
#include "tests/platform/win32/user/UserTestFixture.h"

namespace tw::user::test {
namespace {

class FocusTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        first = MakeFrame("first", RECT{0, 0, 300, 200});
        edit = trace.Create("edit", WS_CHILD | WS_VISIBLE, 0, RECT{10, 10, 100, 30}, first, 1);
        second = MakeFrame("second", RECT{400, 0, 700, 200});
        Pump();
    }
    HWND first = nullptr;
    HWND edit = nullptr;
    HWND second = nullptr;
};

TEST_F(FocusTest, FocusingAChildOfAnInactiveWindowActivatesItFirst)
{
    ASSERT_EQ(GetActiveWindow(), second);
    trace.Start();
    EXPECT_EQ(SetFocus(edit), second) << "the previous focus";
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(trace.Text(), "second WM_NCACTIVATE 0\n"
                            "second WM_ACTIVATE state=0 minimized=0 other=first\n"
                            "first WM_WINDOWPOSCHANGING NOSIZE|NOMOVE|NOACTIVATE 0,0 0x0\n"
                            "first WM_WINDOWPOSCHANGED NOSIZE|NOMOVE|NOACTIVATE 0,0 300x200\n"
                            "first WM_NCACTIVATE 1\n"
                            "first WM_ACTIVATE state=1 minimized=0 other=second\n"
                            "  second WM_KILLFOCUS other=first\n"
                            "  first WM_SETFOCUS other=second\n"
                            "first WM_KILLFOCUS other=edit\n"
                            "edit WM_SETFOCUS other=first\n");
}

TEST_F(FocusTest, HidingTheActiveWindowActivatesTheNextOne)
{
    SetFocus(edit);
    ShowWindow(first, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetFocus(), second);
}

TEST_F(FocusTest, DestroyingTheFocusLeavesNoFocusAndActivatingAgainRestoresTheFrame)
{
    SetFocus(edit);
    DestroyWindow(edit);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), first);
    SetActiveWindow(second);
    SetActiveWindow(first);
    EXPECT_EQ(GetFocus(), first);
}

TEST_F(FocusTest, DisablingTheFocusWindowTakesTheFocusAway)
{
    SetFocus(edit);
    EnableWindow(edit, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(FocusTest, ShowWindowWithoutActivationKeepsTheActiveWindow)
{
    HWND third = trace.Create("third", WS_OVERLAPPEDWINDOW, 0, RECT{0, 300, 200, 400});
    ShowWindow(third, SW_SHOWNOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetTopWindow(nullptr), third) << "shown on top all the same";
    ShowWindow(third, SW_HIDE);
    ShowWindow(third, SW_SHOWNA);
    EXPECT_EQ(GetActiveWindow(), second);
    SetForegroundWindow(third);
    EXPECT_EQ(GetForegroundWindow(), third);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(FocusTest, ClickingADisabledOwnerBringsItsModalPopupForward)
{
    HWND dialog = trace.Create("dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, RECT{50, 250, 250, 350}, first);
    EnableWindow(first, FALSE);
    SetActiveWindow(second);
    Pump();
    EXPECT_EQ(GetWindow(first, GW_ENABLEDPOPUP), dialog);
    trace.Start();
    const POINT overChild = ScreenPointOf(edit, 5, 5);
    input.Click(tw::display::MouseButton::Left, overChild.x, overChild.y);
    Pump();
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_TRUE(trace.Messages(edit).empty()) << "its children take nothing either";
    const auto got = trace.Messages(first);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_LBUTTONDOWN"), 0);
    EXPECT_NE(std::find(got.begin(), got.end(), "WM_SETCURSOR"), got.end()) << "told it cannot take the click";
}

}  // namespace
}  // namespace tw::user::test
