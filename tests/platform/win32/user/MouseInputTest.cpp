// Mouse input as windows see it: hit testing, the capture rule, context
// menus, double clicks, the wheel, the mouse hook and mouse tracking.
#include "tests/platform/win32/user/UserTestFixture.h"

#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Threads.h"

namespace tw::user::test {
namespace {

using tw::display::MouseButton;

class MouseInputTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        main = MakeFrame("main", RECT{100, 100, 400, 300});
        child = trace.Create("child", WS_CHILD | WS_VISIBLE, 0, RECT{10, 10, 110, 60}, main, 1);
        other = MakeFrame("other", RECT{500, 100, 700, 300});
        SetActiveWindow(main);
        Pump();
    }
    HWND main = nullptr;
    HWND child = nullptr;
    HWND other = nullptr;
};

TEST_F(MouseInputTest, WithoutCaptureTheCaptionGetsNonClientMessages)
{
    trace.Start();
    input.MouseMove(200, 110);
    Pump();
    EXPECT_EQ(trace.Messages(main), (std::vector<std::string>{"WM_NCHITTEST", "WM_SETCURSOR", "WM_NCMOUSEMOVE"}));
}

TEST_F(MouseInputTest, CaptureHolderGetsClientMessagesOverItsFrameAndOverOtherWindows)
{
    SetCapture(main);
    trace.Start();
    input.MouseMove(200, 110);  // main's own caption
    Pump();
    input.Click(MouseButton::Left, 600, 200);  // over another window
    Pump();
    EXPECT_EQ(trace.Messages(other), std::vector<std::string>{});
    const auto got = trace.Messages(main);
    EXPECT_EQ(got, (std::vector<std::string>{"WM_MOUSEMOVE", "WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}));
    // Coordinates stay relative to the capture holder's client area.
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    const std::string expectedMove = "main WM_MOUSEMOVE " + std::to_string(200 - origin.x) + "," +
                                     std::to_string(110 - origin.y) + " keys=0";
    EXPECT_EQ(trace.Lines().front(), expectedMove);
}

TEST_F(MouseInputTest, RightButtonReleaseGivesContextMenuPassedToParent)
{
    trace.Start();
    const POINT at = ScreenPointOf(child, 5, 5);
    input.Click(MouseButton::Right, at.x, at.y);
    Pump();
    const std::string where = " " + std::to_string(at.x) + "," + std::to_string(at.y);
    std::vector<std::string> menus;
    for (const std::string& line : trace.Lines()) {
        if (line.find("WM_CONTEXTMENU") != std::string::npos)
            menus.push_back(line);
    }
    // Sent by the default processing of WM_RBUTTONUP, then passed on to the parent.
    EXPECT_EQ(menus, (std::vector<std::string>{"  child WM_CONTEXTMENU from=child" + where,
                                               "    main WM_CONTEXTMENU from=child" + where}));
}

TEST_F(MouseInputTest, HandledContextMenuStopsAtTheChild)
{
    trace.OnMessage(child, WM_CONTEXTMENU, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        *r = 0;
        return true;
    });
    trace.Start();
    const POINT at = ScreenPointOf(child, 5, 5);
    input.Click(MouseButton::Right, at.x, at.y);
    Pump();
    const auto got = trace.Messages(main);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_CONTEXTMENU"), 0);
}

TEST_F(MouseInputTest, KeyboardContextMenuComesFromShiftF10AndTheApplicationKey)
{
    SetFocus(child);
    Pump();
    trace.Start();
    input.KeyDown(VK_SHIFT);
    input.KeyStroke(VK_F10);
    input.KeyUp(VK_SHIFT);
    input.KeyStroke(VK_APPS);
    Pump();
    int fromChild = 0;
    for (const std::string& line : trace.Lines())
        fromChild += line.find("child WM_CONTEXTMENU from=child -1,-1") != std::string::npos;
    EXPECT_EQ(fromChild, 2);
}

struct DoubleClickCase {
    const char* name;
    const char* className;
    uint64_t gapMs;
    int dx;
    const char* secondMessage;
};

class DoubleClick : public UserTest, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClick, SecondPressIsADoubleClickOnlyForTheClassStyleInTimeAndPlace)
{
    const DoubleClickCase& c = GetParam();
    HWND frame = MakeFrame("frame", RECT{100, 100, 400, 300});
    HWND target = trace.Create("target", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 200, 100}, frame, 1, c.className);
    Pump();
    const POINT at = ScreenPointOf(target, 20, 20);
    input.Click(MouseButton::Left, at.x, at.y);
    Pump();
    tw::ProcessClock::Advance(c.gapMs);
    trace.Start();
    input.Click(MouseButton::Left, at.x + c.dx, at.y);
    Pump();
    const auto got = trace.Messages(target);
    EXPECT_NE(std::find(got.begin(), got.end(), c.secondMessage), got.end()) << trace.Text();
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, DoubleClick,
    ::testing::Values(DoubleClickCase{"QuickWithStyle", MessageTrace::kDoubleClickClassName, 100, 0, "WM_LBUTTONDBLCLK"},
                      DoubleClickCase{"QuickWithoutStyle", MessageTrace::kClassName, 100, 0, "WM_LBUTTONDOWN"},
                      DoubleClickCase{"TooSlow", MessageTrace::kDoubleClickClassName, 501, 0, "WM_LBUTTONDOWN"},
                      DoubleClickCase{"TooFar", MessageTrace::kDoubleClickClassName, 100, 5, "WM_LBUTTONDOWN"}),
    [](const auto& info) { return info.param.name; });

TEST_F(MouseInputTest, WheelGoesToTheFocusAndUpToItsParent)
{
    SetFocus(child);
    Pump();
    trace.Start();
    input.MouseMove(600, 200);  // the wheel follows the focus, not the mouse
    Pump();
    trace.Start();
    input.Wheel(-WHEEL_DELTA);
    Pump();
    ASSERT_EQ(trace.Lines().size(), 2u) << trace.Text();
    EXPECT_EQ(trace.Lines()[0].rfind("child WM_MOUSEWHEEL", 0), 0u);
    EXPECT_EQ(trace.Lines()[1].rfind("  main WM_MOUSEWHEEL", 0), 0u);
}

MOUSEHOOKSTRUCT g_hooked{};
LRESULT CALLBACK EatButtonDown(int code, WPARAM message, LPARAM info)
{
    if (code == HC_ACTION && message == WM_LBUTTONDOWN) {
        g_hooked = *reinterpret_cast<MOUSEHOOKSTRUCT*>(info);
        return 1;
    }
    return CallNextHookEx(nullptr, code, message, info);
}

TEST_F(MouseInputTest, ThreadMouseHookSeesAndCanEatMessages)
{
    HHOOK hook = SetWindowsHookEx(WH_MOUSE, EatButtonDown, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    trace.Start();
    const POINT at = ScreenPointOf(child, 5, 5);
    input.Click(MouseButton::Left, at.x, at.y);
    Pump();
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    const auto got = trace.Messages(child);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_LBUTTONDOWN"), 0);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_LBUTTONUP"), 1);
    EXPECT_EQ(g_hooked.hwnd, child);
    EXPECT_EQ(g_hooked.wHitTestCode, static_cast<UINT>(HTCLIENT));
    EXPECT_EQ(g_hooked.pt.x, at.x);
    EXPECT_EQ(SetWindowsHookEx(WH_MOUSE, EatButtonDown, nullptr, 0), nullptr) << "global hooks are refused";
}

TEST_F(MouseInputTest, HoverFiresOnTheProcessClockAndLeaveWhenTheMouseGoes)
{
    const POINT inside = ScreenPointOf(child, 5, 5);
    input.MouseMove(inside.x, inside.y);
    Pump();
    TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, child, 400};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    trace.Start();
    tw::ProcessClock::Advance(399);
    Pump();
    EXPECT_TRUE(trace.Messages(child).empty());
    tw::ProcessClock::Advance(1);
    Pump();
    EXPECT_EQ(trace.Messages(child), std::vector<std::string>{"WM_MOUSEHOVER"});
    trace.Start();
    input.MouseMove(600, 200);
    Pump();
    const auto got = trace.Messages(child);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_MOUSELEAVE"), 1);
}

TEST_F(MouseInputTest, NoActivatePopupAnswerLeavesActivationAlone)
{
    ASSERT_EQ(GetActiveWindow(), main);
    trace.OnMessage(other, WM_MOUSEACTIVATE, [](HWND, UINT, WPARAM, LPARAM, LRESULT* r) {
        *r = MA_NOACTIVATEANDEAT;
        return true;
    });
    trace.Start();
    input.Click(MouseButton::Left, 600, 200);
    Pump();
    EXPECT_EQ(GetActiveWindow(), main);
    const auto got = trace.Messages(other);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_LBUTTONDOWN"), 0) << "the press was eaten";
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_LBUTTONUP"), 1);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(MouseInputTest, DefaultCursorIsTheClassCursorOrTheSizingArrowOfTheBorder)
{
    SetClassLongPtr(child, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_IBEAM)));
    const POINT inChild = ScreenPointOf(child, 5, 5);
    input.MouseMove(inChild.x, inChild.y);
    Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_IBEAM));
    input.MouseMove(101, 200);  // main's left sizing border
    Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    EXPECT_NE(LoadCursor(nullptr, IDC_SIZEWE), LoadCursor(nullptr, IDC_SIZENS));
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(12345)), nullptr) << "not a standard cursor";
    SetClassLongPtr(child, GCLP_HCURSOR, 0);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(MouseInputTest, PressInAChildIsAnnouncedToItsParentFirst)
{
    trace.Start();
    const POINT at = ScreenPointOf(child, 5, 5);
    input.Click(MouseButton::Left, at.x, at.y);
    Pump();
    std::vector<std::string> order;
    for (const std::string& line : trace.Lines()) {
        if (line.find("WM_MOUSEACTIVATE") != std::string::npos)
            continue;
        if (line.find("WM_PARENTNOTIFY") != std::string::npos || line.find("WM_LBUTTONDOWN") != std::string::npos)
            order.push_back(line);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"main WM_PARENTNOTIFY WM_LBUTTONDOWN", "child WM_LBUTTONDOWN 5,5 keys=1"}));
}

// A child is never the active window: a press in it is offered to it and its
// parents even while its top-level window is active, and activation stays.
TEST_F(MouseInputTest, PressInAChildOfTheActiveWindowAsksForMouseActivation)
{
    ASSERT_EQ(GetActiveWindow(), main);
    trace.Start();
    const POINT at = ScreenPointOf(child, 5, 5);
    input.Click(MouseButton::Left, at.x, at.y);
    Pump();
    const auto got = trace.Lines();
    EXPECT_EQ(std::count(got.begin(), got.end(), "child WM_MOUSEACTIVATE hit=1 WM_LBUTTONDOWN"), 1);
    EXPECT_EQ(GetActiveWindow(), main);

    // A press in the active window's own client area asks nothing.
    trace.Start();
    const POINT own = ScreenPointOf(main, 2, 2);
    input.Click(MouseButton::Left, own.x, own.y);
    Pump();
    const auto mainGot = trace.Lines();
    EXPECT_EQ(std::count_if(mainGot.begin(), mainGot.end(),
                            [](const std::string& m) { return m.find("WM_MOUSEACTIVATE") != std::string::npos; }),
              0);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(MouseInputTest, SetCursorPosMovesTheMouseWithinTheClipRectangle)
{
    const POINT inChild = ScreenPointOf(child, 5, 5);
    trace.Start();
    ASSERT_TRUE(SetCursorPos(inChild.x, inChild.y));
    Pump();
    const auto got = trace.Messages(child);
    EXPECT_NE(std::find(got.begin(), got.end(), "WM_MOUSEMOVE"), got.end());
    RECT box{100, 100, 200, 200};
    ClipCursor(&box);
    SetCursorPos(500, 20);
    POINT pt;
    GetCursorPos(&pt);
    EXPECT_EQ(pt.x, 199);
    EXPECT_EQ(pt.y, 100);
    ClipCursor(nullptr);
    SetCursorPos(500, 20);
    GetCursorPos(&pt);
    EXPECT_EQ(pt.x, 500);
    Pump();
    EXPECT_EQ(HIWORD(GetQueueStatus(QS_ALLINPUT)), 0) << "nothing left to read";
}

}  // namespace
}  // namespace tw::user::test
