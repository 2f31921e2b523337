// Positions, z-order, placement, deferred positioning and the frame's
// layout: client areas for each border style and hit testing of its parts.
#include "tests/platform/win32/user/UserTestFixture.h"

namespace tw::user::test {
namespace {

using WindowPositionTest = UserTest;

TEST_F(WindowPositionTest, DeferredPositionsMoveEveryWindowInOnePass)
{
    HWND main = MakeFrame("main", RECT{100, 100, 500, 400});
    HWND a = trace.Create("a", WS_CHILD | WS_VISIBLE, 0, RECT{0, 0, 50, 50}, main, 1);
    HWND b = trace.Create("b", WS_CHILD | WS_VISIBLE, 0, RECT{60, 0, 110, 50}, main, 2);
    Pump();
    RECT bWhenAMoved{};
    trace.OnMessage(a, WM_WINDOWPOSCHANGED, [&](HWND hwnd, UINT m, WPARAM w, LPARAM l, LRESULT* r) {
        GetWindowRect(b, &bWhenAMoved);
        *r = DefWindowProc(hwnd, m, w, l);
        return true;
    });
    HDWP dwp = BeginDeferWindowPos(2);
    dwp = DeferWindowPos(dwp, a, nullptr, 10, 100, 80, 40, SWP_NOZORDER);
    dwp = DeferWindowPos(dwp, b, nullptr, 100, 100, 80, 40, SWP_NOZORDER);
    ASSERT_NE(dwp, nullptr);
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(r.right - r.left, 50) << "nothing moves before EndDeferWindowPos";
    trace.Start();
    EXPECT_TRUE(EndDeferWindowPos(dwp));
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    EXPECT_EQ(bWhenAMoved.left, origin.x + 100) << "b had moved before a heard of its own move";
    std::vector<std::string> positions;
    for (const std::string& line : trace.Lines()) {
        if (line.find("WM_WINDOWPOS") != std::string::npos)
            positions.push_back(line.substr(0, line.find(' ', line.find("WM_"))));
    }
    EXPECT_EQ(positions, (std::vector<std::string>{"a WM_WINDOWPOSCHANGING", "b WM_WINDOWPOSCHANGING",
                                                   "a WM_WINDOWPOSCHANGED", "b WM_WINDOWPOSCHANGED"}));
    EXPECT_FALSE(EndDeferWindowPos(dwp)) << "a handle is used once";
}

TEST_F(WindowPositionTest, TopmostWindowsStayInFrontOfTheOthers)
{
    HWND low = MakeFrame("low", RECT{0, 0, 100, 100});
    HWND tool = trace.Create("tool", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 50, 50});
    SetWindowPos(tool, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND high = MakeFrame("high", RECT{0, 0, 100, 100});
    EXPECT_EQ(GetWindow(tool, GW_HWNDNEXT), high) << "a new window goes below the topmost band";
    EXPECT_EQ(GetWindowLongPtr(tool, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), tool);
    SetWindowPos(high, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(tool, GW_HWNDNEXT), low);
    SetWindowPos(tool, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindowLongPtr(tool, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    BringWindowToTop(high);
    EXPECT_EQ(GetTopWindow(nullptr), high);
}

TEST_F(WindowPositionTest, PlacementKeepsTheNormalRectangleWhileMaximisedOrMinimised)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    ShowWindow(main, SW_SHOWMAXIMIZED);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ASSERT_TRUE(GetWindowPlacement(main, &wp));
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 100);
    EXPECT_EQ(wp.rcNormalPosition.bottom, 300);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, -4) << "the frame lies outside the screen";
    ShowWindow(main, SW_MINIMIZE);
    GetWindowPlacement(main, &wp);
    EXPECT_EQ(wp.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(wp.flags & WPF_RESTORETOMAXIMIZED, static_cast<UINT>(WPF_RESTORETOMAXIMIZED));
    ShowWindow(main, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(main)) << "restoring goes back to maximised";
    wp.showCmd = SW_SHOWNORMAL;
    wp.flags = 0;
    wp.rcNormalPosition = RECT{50, 60, 250, 260};
    ASSERT_TRUE(SetWindowPlacement(main, &wp));
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.bottom, 260);
}

TEST_F(WindowPositionTest, MinimumTrackSizeLimitsSizing)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    trace.OnMessage(main, WM_GETMINMAXINFO, [](HWND, UINT, WPARAM, LPARAM l, LRESULT* r) {
        reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = POINT{200, 150};
        *r = 0;
        return true;
    });
    SetWindowPos(main, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 150);
}

TEST_F(WindowPositionTest, CoordinatesMapBetweenWindowsAndTheScreen)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    HWND a = trace.Create("a", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, RECT{10, 20, 60, 70}, main, 1);
    POINT pt{0, 0};
    ClientToScreen(a, &pt);
    EXPECT_EQ(pt.x, 100 + 4 + 10 + 1);
    EXPECT_EQ(pt.y, 100 + 23 + 20 + 1);
    POINT pts[2] = {{0, 0}, {5, 5}};
    EXPECT_EQ(MapWindowPoints(a, main, pts, 2), MAKELONG(11, 21));
    EXPECT_EQ(pts[1].x, 16);
    ScreenToClient(main, &pt);
    EXPECT_EQ(pt.x, 11);
    RECT client;
    GetClientRect(a, &client);
    EXPECT_EQ(client.right, 48);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT{15, 25}), a);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT{200, 150}), main);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT{-5, 150}), nullptr);
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(ChildWindowFromPointEx(main, POINT{15, 25}, CWP_SKIPINVISIBLE), main);
    EXPECT_EQ(WindowFromPoint(POINT{126, 146}), main);
}

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    RECT client;  // in a 200x100 window
};

class FrameLayout : public UserTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameLayout, ClientAreaFollowsTheBorderStyles)
{
    const FrameCase& c = GetParam();
    HWND parent = trace.Create("parent", WS_POPUP | WS_VISIBLE, 0, RECT{0, 0, 500, 500});
    const bool child = (c.style & WS_CHILD) != 0;
    HWND hwnd = trace.Create("w", c.style, c.exStyle, RECT{10, 10, 210, 110}, child ? parent : nullptr);
    ASSERT_NE(hwnd, nullptr);
    RECT window;
    RECT client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client.left - window.left, c.client.left);
    EXPECT_EQ(client.top - window.top, c.client.top);
    EXPECT_EQ(client.right - window.left, c.client.right);
    EXPECT_EQ(client.bottom - window.top, c.client.bottom);
    RECT adjusted{0, 0, 100, 100};
    if (!(c.style & (WS_HSCROLL | WS_VSCROLL))) {
        AdjustWindowRectEx(&adjusted, c.style, FALSE, c.exStyle);
        EXPECT_EQ(-adjusted.left, c.client.left) << "AdjustWindowRectEx agrees";
        EXPECT_EQ(-adjusted.top, c.client.top);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FrameLayout,
    ::testing::Values(FrameCase{"Overlapped", WS_OVERLAPPEDWINDOW, 0, RECT{4, 23, 196, 96}},
                      FrameCase{"Border", WS_POPUP | WS_BORDER, 0, RECT{1, 1, 199, 99}},
                      FrameCase{"DialogFrame", WS_POPUP | WS_DLGFRAME, 0, RECT{3, 3, 197, 97}},
                      FrameCase{"Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, RECT{3, 22, 197, 97}},
                      FrameCase{"ToolWindow", WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW, RECT{4, 20, 196, 96}},
                      FrameCase{"ClientEdge", WS_CHILD, WS_EX_CLIENTEDGE, RECT{2, 2, 198, 98}},
                      FrameCase{"StaticEdge", WS_CHILD, WS_EX_STATICEDGE, RECT{1, 1, 199, 99}},
                      FrameCase{"BorderAndClientEdge", WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE, RECT{3, 3, 197, 97}},
                      FrameCase{"ScrollBars", WS_CHILD | WS_HSCROLL | WS_VSCROLL, 0, RECT{0, 0, 184, 84}}),
    [](const auto& info) { return info.param.name; });

struct HitCase {
    const char* name;
    POINT screen;
    LRESULT hit;
};

class HitTest : public UserTest, public ::testing::WithParamInterface<HitCase> {};

// The window is (100,100)-(400,300): 4-pixel sizing frame, caption rows 104-122.
TEST_P(HitTest, NamesThePartOfTheFrameUnderThePoint)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    const POINT pt = GetParam().screen;
    EXPECT_EQ(SendMessage(main, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)), GetParam().hit);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, HitTest,
    ::testing::Values(HitCase{"Caption", {250, 110}, HTCAPTION}, HitCase{"Client", {250, 200}, HTCLIENT},
                      HitCase{"TopLeft", {101, 101}, HTTOPLEFT}, HitCase{"Top", {250, 101}, HTTOP},
                      HitCase{"Left", {101, 200}, HTLEFT}, HitCase{"Right", {398, 200}, HTRIGHT},
                      HitCase{"Bottom", {250, 298}, HTBOTTOM}, HitCase{"BottomRight", {398, 298}, HTBOTTOMRIGHT},
                      HitCase{"TopRightAlongTheEdge", {398, 110}, HTTOPRIGHT},
                      HitCase{"Close", {386, 113}, HTCLOSE}, HitCase{"Maximise", {368, 113}, HTMAXBUTTON},
                      HitCase{"Minimise", {352, 113}, HTMINBUTTON}, HitCase{"SystemMenu", {110, 112}, HTSYSMENU},
                      HitCase{"Outside", {50, 50}, HTNOWHERE}),
    [](const auto& info) { return info.param.name; });

TEST_F(WindowPositionTest, ClickingTheCloseButtonClosesTheWindow)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    Pump();
    input.Click(tw::display::MouseButton::Left, 386, 113);
    Pump();
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(WindowPositionTest, DoubleClickOnTheCaptionMaximisesAndRestores)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    Pump();
    input.Click(tw::display::MouseButton::Left, 250, 110);
    input.Click(tw::display::MouseButton::Left, 250, 110);
    Pump();
    EXPECT_TRUE(IsZoomed(main));
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(WindowPositionTest, OwnedWindowsStayInFrontOfTheirOwner)
{
    HWND frame = MakeFrame("frame", RECT{0, 0, 400, 300});
    HWND floating = trace.Create("floating", WS_POPUP | WS_VISIBLE, 0, RECT{50, 50, 150, 150}, frame);
    HWND other = MakeFrame("other", RECT{100, 100, 500, 400});
    ASSERT_EQ(GetTopWindow(nullptr), other);
    SetActiveWindow(frame);
    EXPECT_EQ(GetTopWindow(nullptr), floating) << "raising the owner brings its popups along, in front";
    EXPECT_EQ(GetWindow(floating, GW_HWNDNEXT), frame);
    EXPECT_EQ(WindowFromPoint(POINT{120, 120}), floating);
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(frame, GW_HWNDNEXT), nullptr) << "the owner went to the bottom";
    EXPECT_EQ(GetWindow(floating, GW_HWNDNEXT), frame) << "its popup went with it";
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(WindowPositionTest, DraggingABorderSizesTheWindowFromThatEdge)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    Pump();
    std::vector<WPARAM> edges;
    trace.OnMessage(main, WM_SIZING, [&edges](HWND, UINT, WPARAM edge, LPARAM, LRESULT* r) {
        edges.push_back(edge);
        *r = TRUE;
        return true;
    });
    input.Drag(tw::display::MouseButton::Left, POINT{101, 101}, POINT{81, 91}, 2);  // the top-left corner
    Pump();
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 80);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right, 400) << "the opposite edges stay";
    ASSERT_FALSE(edges.empty());
    EXPECT_EQ(edges.front(), static_cast<WPARAM>(WMSZ_TOPLEFT));
}

TEST_F(WindowPositionTest, ScrollingWithChildrenMovesThem)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    HWND child = trace.Create("child", WS_CHILD | WS_VISIBLE, 0, RECT{10, 50, 60, 80}, main, 1);
    ScrollWindowEx(main, 0, -20, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE);
    POINT pt{0, 0};
    MapWindowPoints(child, main, &pt, 1);
    EXPECT_EQ(pt.y, 30);
    EXPECT_TRUE(ScrollWindow(main, 5, 0, nullptr, nullptr)) << "without a rectangle children move too";
    pt = POINT{0, 0};
    MapWindowPoints(child, main, &pt, 1);
    EXPECT_EQ(pt.x, 15);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(WindowPositionTest, MouseMoveCommandWithoutAHeldButtonReturnsAtOnce)
{
    HWND main = MakeFrame("main", RECT{100, 100, 400, 300});
    Pump();
    trace.Start();
    SendMessage(main, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(200, 110));
    EXPECT_EQ(trace.Messages(main), std::vector<std::string>{"WM_SYSCOMMAND"});
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
}  // namespace tw::user::test
