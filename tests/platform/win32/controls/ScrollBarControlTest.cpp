// Scroll bar controls: what arrows, page areas, the thumb and keys tell the
// parent, auto-repeat on the process clock, the SBM_ state messages and the
// size grip.
#include "tests/platform/win32/controls/ControlTestFixture.h"

#include "platform/win32/controls/ScrollBarControl.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls::test {
namespace {

using tw::display::MouseButton;

// A vertical bar 17 wide and 200 long: arrows of 17, a track of 166.
class ScrollBarTest : public ControlTest {
protected:
    HWND MakeBar(DWORD style = SBS_VERT, RECT rect = RECT{20, 20, 37, 220})
    {
        HWND bar = Make("ScrollBar", "", style, rect, 80);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
        SendMessage(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
        Pump();
        Clear();
        return bar;
    }
    // A parent that moves the bar as a real owner would.
    void FollowScrolls(HWND bar)
    {
        OnParentMessage([bar](UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
            if ((message != WM_VSCROLL && message != WM_HSCROLL) || reinterpret_cast<HWND>(lParam) != bar)
                return false;
            const int pos = static_cast<int>(SendMessage(bar, SBM_GETPOS, 0, 0));
            switch (LOWORD(wParam)) {
            case SB_LINEDOWN: SendMessage(bar, SBM_SETPOS, pos + 1, TRUE); break;
            case SB_LINEUP: SendMessage(bar, SBM_SETPOS, pos - 1, TRUE); break;
            case SB_PAGEDOWN: SendMessage(bar, SBM_SETPOS, pos + 10, TRUE); break;
            case SB_PAGEUP: SendMessage(bar, SBM_SETPOS, pos - 10, TRUE); break;
            default: break;
            }
            return false;  // still logged by the fixture
        });
    }
    void Press(HWND bar, int x, int y)
    {
        const POINT pt = ScreenPointOf(bar, x, y);
        input.MouseMove(pt.x, pt.y);
        input.ButtonDown(MouseButton::Left, pt.x, pt.y);
        Pump();
    }
    void Release(HWND bar, int x, int y)
    {
        const POINT pt = ScreenPointOf(bar, x, y);
        input.ButtonUp(MouseButton::Left, pt.x, pt.y);
        Pump();
    }
    void Wait(uint64_t ms)
    {
        tw::ProcessClock::Advance(ms);
        Pump();
    }
};

TEST_F(ScrollBarTest, ArrowClickTellsTheParentWithTheBarsHandle)
{
    HWND bar = MakeBar();
    HWND from = nullptr;
    OnParentMessage([&](UINT message, WPARAM, LPARAM lParam, LRESULT*) {
        if (message == WM_VSCROLL)
            from = reinterpret_cast<HWND>(lParam);
        return false;
    });
    Click(bar, 8, 195);
    EXPECT_EQ(Log(), (std::vector<std::string>{"VSCROLL 1 0", "VSCROLL 8 0"}));
    EXPECT_EQ(from, bar);
    Clear();
    Click(bar, 8, 3);
    EXPECT_EQ(Log(), (std::vector<std::string>{"VSCROLL 0 0", "VSCROLL 8 0"}));
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 0) << "the bar does not move itself";
    OnParentMessage(nullptr);
}

TEST_F(ScrollBarTest, HeldArrowRepeatsOnTheProcessClock)
{
    HWND bar = MakeBar();
    Press(bar, 8, 195);
    EXPECT_EQ(Log().size(), 1u);
    Wait(tw::controls::ScrollBarControl::kFirstRepeatMs - 1);
    EXPECT_EQ(Log().size(), 1u) << "no repeat before the first delay";
    Wait(1);
    EXPECT_EQ(Log().size(), 2u);
    Wait(50);
    Wait(50);
    Wait(50);
    EXPECT_EQ(Log().size(), 5u);
    Release(bar, 8, 195);
    EXPECT_EQ(Log().back(), "VSCROLL 8 0");
    Wait(500);
    EXPECT_EQ(Log().size(), 6u) << "no repeats after the release";
}

TEST_F(ScrollBarTest, PageAreaRepeatsUntilTheThumbReachesTheMouse)
{
    HWND bar = MakeBar();
    FollowScrolls(bar);
    // The thumb is 16 long at the top; press near the bottom of the track.
    Press(bar, 8, 150);
    for (int i = 0; i < 20; ++i)
        Wait(100);
    Release(bar, 8, 150);
    int pages = 0;
    for (const std::string& line : Log())
        pages += line == "VSCROLL 3 0";
    const int pos = static_cast<int>(SendMessage(bar, SBM_GETPOS, 0, 0));
    EXPECT_GE(pages, 5);
    EXPECT_LE(pages, 9) << "stopped when the thumb got under the mouse, before the end";
    EXPECT_LT(pos, 90);
    OnParentMessage(nullptr);
}

TEST_F(ScrollBarTest, ThumbDragTracksThenSetsThePosition)
{
    HWND bar = MakeBar();
    Press(bar, 8, 25);  // on the thumb
    const POINT to = ScreenPointOf(bar, 8, 25 + 75);
    input.MouseMove(to.x, to.y);
    Pump();
    SCROLLINFO si{sizeof si, SIF_TRACKPOS | SIF_POS, 0, 0, 0, 0, 0};
    SendMessage(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
    EXPECT_EQ(si.nPos, 0);
    EXPECT_GT(si.nTrackPos, 40);
    EXPECT_LT(si.nTrackPos, 50) << "75 of 150 pixels of travel, of 90 positions";
    Release(bar, 8, 100);
    ASSERT_EQ(Log().size(), 3u);
    EXPECT_EQ(Log()[0], "VSCROLL 5 " + std::to_string(si.nTrackPos));
    EXPECT_EQ(Log()[1], "VSCROLL 4 " + std::to_string(si.nTrackPos));
    EXPECT_EQ(Log()[2], "VSCROLL 8 0");
}

TEST_F(ScrollBarTest, StateMessagesClampLikeTheWindowsOwnBars)
{
    HWND bar = MakeBar();
    EXPECT_EQ(SendMessage(bar, SBM_SETPOS, 500, TRUE), 0) << "answers the previous position";
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 90) << "max - page + 1";
    SCROLLINFO si{sizeof si, SIF_PAGE, 0, 0, 500, 0, 0};
    SendMessage(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
    si.fMask = SIF_ALL;
    SendMessage(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
    EXPECT_EQ(si.nPage, 100u) << "a page never exceeds the range";
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(SendMessage(bar, SBM_SETRANGE, 10, 20), 0);
    int min = 0;
    int max = 0;
    SendMessage(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
    EXPECT_EQ(min, 10);
    EXPECT_EQ(max, 20);
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 10);
}

TEST_F(ScrollBarTest, DisabledArrowSendsNothing)
{
    HWND bar = MakeBar();
    SendMessage(bar, SBM_ENABLE_ARROWS, ESB_DISABLE_DOWN, 0);
    Click(bar, 8, 195);
    EXPECT_TRUE(Log().empty());
    Click(bar, 8, 3);
    EXPECT_FALSE(Log().empty());
}

TEST_F(ScrollBarTest, HorizontalBarSendsHScrollAndKeysWork)
{
    HWND bar = MakeBar(SBS_HORZ | WS_TABSTOP, RECT{20, 20, 220, 37});
    Click(bar, 195, 8);
    EXPECT_EQ(Log(), (std::vector<std::string>{"HSCROLL 1 0", "HSCROLL 8 0"}));
    EXPECT_EQ(GetFocus(), bar);
    Clear();
    Key(VK_NEXT);
    Key(VK_HOME);
    EXPECT_EQ(Log(), (std::vector<std::string>{"HSCROLL 3 0", "HSCROLL 8 0", "HSCROLL 6 0", "HSCROLL 8 0"}));
}

TEST_F(ScrollBarTest, SizeGripIsDrawnAndSizesTheTopLevelWindow)
{
    HWND grip = Make("ScrollBar", "", SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, RECT{200, 200, 217, 217}, 81);
    int differing = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            differing += ScreenPixel(grip, x, y) != GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(differing, 10) << "the grip's diagonal lines";
    WPARAM command = 0;
    OnParentMessage([&](UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message != WM_SYSCOMMAND)
            return false;
        command = wParam;
        *result = 0;
        return true;
    });
    Click(grip, 8, 8);
    EXPECT_EQ(command, static_cast<WPARAM>(SC_SIZE + WMSZ_BOTTOMRIGHT));
    OnParentMessage(nullptr);
}

// The scroll-bar calls with SB_CTL act on the control itself.
TEST_F(ScrollBarTest, BarCallsOnTheControlReachItsOwnState)
{
    HWND bar = MakeBar();
    EXPECT_TRUE(SetScrollRange(bar, SB_CTL, 0, 50, FALSE));
    int min = -1;
    int max = -1;
    ASSERT_TRUE(GetScrollRange(bar, SB_CTL, &min, &max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 50);

    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 20, TRUE), 0) << "the previous position";
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 20);
    EXPECT_EQ(SendMessage(bar, SBM_GETPOS, 0, 0), 20);

    SCROLLINFO set{sizeof set, SIF_PAGE | SIF_POS, 0, 0, 10, 99, 0};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &set, TRUE), 41) << "clamped to the last page";
    SCROLLINFO got{sizeof got, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &got));
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 41);
    EXPECT_EQ(got.nMax, 50);

    EnableScrollBar(bar, SB_CTL, ESB_DISABLE_BOTH);
    EXPECT_FALSE(IsWindowEnabled(bar));
    EnableScrollBar(bar, SB_CTL, ESB_ENABLE_BOTH);
    EXPECT_TRUE(IsWindowEnabled(bar));

    ASSERT_TRUE(IsWindowVisible(bar));
    EXPECT_TRUE(ShowScrollBar(bar, SB_CTL, FALSE));
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_FALSE(GetWindowLong(bar, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) << "no bars of its own";
}

}  // namespace
}  // namespace tw::controls::test
