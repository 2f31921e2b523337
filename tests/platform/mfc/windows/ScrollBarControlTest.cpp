// A window may stand a scroll-bar control in for one of its own bars: the
// framework's scroll calls then act on the control, the other bar stays the
// window's. And the window rectangle for a client rectangle follows the styles.
#include "tests/platform/mfc/windows/WindowTestFixture.h"

#include <string>

namespace tw::mfc::test {
namespace {

class OwnBarWnd : public CWnd {
public:
    CScrollBar vertical;
    CScrollBar* GetScrollBarCtrl(int nBar) const override
    {
        return nBar == SB_VERT && vertical.m_hWnd ? const_cast<CScrollBar*>(&vertical) : nullptr;
    }
};

TEST_F(WindowTest, ScrollCallsReachTheStandInBarAndLeaveTheOtherTheWindows)
{
    OwnBarWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "bars", WS_POPUP | WS_VISIBLE | WS_HSCROLL, 10, 10, 300, 200, nullptr,
                             nullptr));
    ASSERT_TRUE(wnd.vertical.Create(SBS_VERT | WS_CHILD | WS_VISIBLE, CRect(280, 0, 296, 180), &wnd, 9));

    wnd.SetScrollRange(SB_VERT, 0, 50, FALSE);
    wnd.SetScrollPos(SB_VERT, 30);
    wnd.SetScrollRange(SB_HORZ, 0, 10, FALSE);
    wnd.SetScrollPos(SB_HORZ, 4);
    EXPECT_EQ(wnd.vertical.SendMessage(SBM_GETPOS), 30);
    EXPECT_EQ(::GetScrollPos(wnd.m_hWnd, SB_VERT), 0) << "the window's own vertical bar is not touched";
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 30);
    EXPECT_EQ(wnd.GetScrollPos(SB_HORZ), 4);
    SCROLLINFO info{};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &info, SIF_RANGE));
    EXPECT_EQ(info.nMax, 50);

    wnd.EnableScrollBarCtrl(SB_VERT, FALSE);
    EXPECT_FALSE(wnd.vertical.IsWindowEnabled());
    wnd.EnableScrollBarCtrl(SB_HORZ, FALSE);
    EXPECT_FALSE(wnd.GetStyle() & WS_HSCROLL);
}

TEST_F(WindowTest, TheScrollBarWrapperKeepsTheControlsPositionAndRange)
{
    HWND parent = MakePlainWindow();
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(SBS_HORZ | WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 16), CWnd::FromHandle(parent), 9));
    bar.SetScrollRange(0, 40);
    bar.SetScrollPos(25);
    EXPECT_EQ(bar.GetScrollPos(), 25);
    int min = -1;
    int max = -1;
    bar.GetScrollRange(&min, &max);
    EXPECT_EQ(max, 40);
    bar.EnableScrollBar(ESB_DISABLE_BOTH);
    EXPECT_FALSE(bar.IsWindowEnabled());
}

struct WindowRectCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
    UINT adjust;
    RECT expected;  // for the client rectangle (10, 10, 110, 60)
};

class CalcWindowRectCases : public WindowTest, public ::testing::WithParamInterface<WindowRectCase> {};

TEST_P(CalcWindowRectCases, GrowsByTheStylesFrame)
{
    const WindowRectCase& c = GetParam();
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(c.exStyle, nullptr, "calc", WS_POPUP | c.style, 0, 0, 50, 50, nullptr, nullptr));
    CRect rect(10, 10, 110, 60);
    wnd.CalcWindowRect(&rect, c.adjust);
    EXPECT_EQ(rect, CRect(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Styles, CalcWindowRectCases,
    ::testing::Values(WindowRectCase{"Plain", 0, 0, CWnd::adjustBorder, {10, 10, 110, 60}},
                      WindowRectCase{"Border", WS_BORDER, 0, CWnd::adjustBorder, {9, 9, 111, 61}},
                      // A client edge stays inside the given rectangle unless asked for.
                      WindowRectCase{"ClientEdgeLeftOut", 0, WS_EX_CLIENTEDGE, CWnd::adjustBorder, {10, 10, 110, 60}},
                      WindowRectCase{"ClientEdgeOutside", 0, WS_EX_CLIENTEDGE, CWnd::adjustOutside, {8, 8, 112, 62}},
                      WindowRectCase{"ScrollBarsOutside", WS_VSCROLL | WS_HSCROLL, 0, CWnd::adjustOutside,
                                     {10, 10, 110 + 16, 60 + 16}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tw::mfc::test
