// The caret (drawn by inversion, blinking on the process clock) and the
// window scroll bars (their state and the messages dragging them sends).
#include "tests/platform/win32/user/UserTestFixture.h"

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace tw::user::test {
namespace {

COLORREF PixelAt(HWND hwnd, int x, int y)
{
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y);
}

class CaretTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        edit = trace.Create("edit", WS_POPUP | WS_VISIBLE, 0, RECT{100, 100, 200, 150});
        Pump();
        ASSERT_EQ(PixelAt(edit, 6, 6), RGB(255, 255, 255));
    }
    void TearDown() override
    {
        DestroyCaret();
        UserTest::TearDown();
    }
    HWND edit = nullptr;
};

TEST_F(CaretTest, BlinksByInversionAtTheBlinkTime)
{
    ASSERT_TRUE(CreateCaret(edit, nullptr, 2, 12));
    SetCaretPos(5, 5);
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(255, 255, 255)) << "a new caret is hidden";
    ShowCaret(edit);
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(edit, 7, 6), RGB(255, 255, 255)) << "two pixels wide";
    EXPECT_EQ(GetCaretBlinkTime(), 530u);
    tw::ProcessClock::Advance(529);
    Pump();
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(0, 0, 0));
    tw::ProcessClock::Advance(1);
    Pump();
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(255, 255, 255));
    tw::ProcessClock::Advance(530);
    Pump();
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(0, 0, 0));
    POINT pos;
    GetCaretPos(&pos);
    EXPECT_EQ(pos.x, 5);
}

TEST_F(CaretTest, HidingNestsAndPaintingNeverLeavesATrace)
{
    CreateCaret(edit, nullptr, 2, 12);
    SetCaretPos(5, 5);
    ShowCaret(edit);
    HideCaret(edit);
    HideCaret(edit);
    ShowCaret(edit);
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(255, 255, 255)) << "one show for two hides";
    ShowCaret(edit);
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(0, 0, 0));
    InvalidateRect(edit, nullptr, TRUE);
    Pump();
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(0, 0, 0)) << "put back after the repaint";
    SetCaretPos(20, 5);
    EXPECT_EQ(PixelAt(edit, 6, 6), RGB(255, 255, 255));
    EXPECT_EQ(PixelAt(edit, 21, 6), RGB(0, 0, 0));
    DestroyCaret();
    EXPECT_EQ(PixelAt(edit, 21, 6), RGB(255, 255, 255));
}

class ScrollBarTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        main = MakeFrame("main", RECT{100, 100, 400, 400});
        view = trace.Create("view", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, RECT{0, 0, 200, 200}, main, 1);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 0, 0};
        SetScrollInfo(view, SB_VERT, &si, TRUE);
        Pump();
    }
    std::vector<std::string> Scrolls() const
    {
        std::vector<std::string> out;
        for (const std::string& line : trace.Lines()) {
            if (line.find("WM_VSCROLL") != std::string::npos)
                out.push_back(line);
        }
        return out;
    }
    HWND main = nullptr;
    HWND view = nullptr;
};

TEST_F(ScrollBarTest, PositionStaysWithinTheRangeLessThePage)
{
    EXPECT_EQ(SetScrollPos(view, SB_VERT, 500, TRUE), 0);
    EXPECT_EQ(GetScrollPos(view, SB_VERT), 80);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(view, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 99);
    EXPECT_EQ(si.nPage, 20u);
}

TEST_F(ScrollBarTest, ABarWithNothingToScrollGoesAwayUnlessKeptDisabled)
{
    RECT client;
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, 184);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 10, 50, 0, 0};
    SetScrollInfo(view, SB_VERT, &si, TRUE);
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_FALSE(GetWindowLongPtr(view, GWL_STYLE) & WS_VSCROLL);
    si.fMask |= SIF_DISABLENOSCROLL;
    ShowScrollBar(view, SB_VERT, TRUE);
    SetScrollInfo(view, SB_VERT, &si, TRUE);
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, 184);
}

TEST_F(ScrollBarTest, ClickingTheArrowAndDraggingTheThumbSendScrollCodes)
{
    RECT window;
    GetWindowRect(view, &window);
    const int barX = window.right - 8;
    trace.Start();
    input.Click(tw::display::MouseButton::Left, barX, window.bottom - 8);  // the down arrow
    Pump();
    EXPECT_EQ(Scrolls().size(), 2u) << trace.Text();
    std::vector<WPARAM> codes;
    trace.OnMessage(view, WM_VSCROLL, [&codes](HWND, UINT, WPARAM w, LPARAM, LRESULT* r) {
        codes.push_back(w);
        *r = 0;
        return true;
    });
    input.Click(tw::display::MouseButton::Left, barX, window.bottom - 8);
    Pump();
    EXPECT_EQ(codes, (std::vector<WPARAM>{SB_LINEDOWN, SB_ENDSCROLL}));
    codes.clear();
    // The thumb sits just under the up arrow at position 0: drag it to the bottom.
    input.Drag(tw::display::MouseButton::Left, POINT{barX, window.top + 20}, POINT{barX, window.bottom - 20}, 3);
    Pump();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(LOWORD(codes.front()), SB_THUMBTRACK);
    EXPECT_EQ(LOWORD(codes[codes.size() - 2]), SB_THUMBPOSITION);
    EXPECT_EQ(HIWORD(codes[codes.size() - 2]), 80) << "dragged all the way: the last position";
    EXPECT_EQ(codes.back(), static_cast<WPARAM>(SB_ENDSCROLL));
    SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_VERT, &si);
    EXPECT_EQ(si.nTrackPos, 80);
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(ScrollBarTest, HoldingTheArrowRepeatsOnTheProcessClock)
{
    std::atomic<int> lines{0};
    std::vector<WPARAM> codes;
    trace.OnMessage(view, WM_VSCROLL, [&](HWND, UINT, WPARAM w, LPARAM, LRESULT* r) {
        codes.push_back(w);
        if (w == SB_LINEDOWN)
            ++lines;
        *r = 0;
        return true;
    });
    RECT window;
    GetWindowRect(view, &window);
    // The person holds the button while the clock moves on, then lets go;
    // each step waits for the window to have seen the previous one.
    std::thread person([&] {
        const auto waitFor = [&](int count) {
            while (lines < count)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        };
        waitFor(1);
        tw::ProcessClock::Advance(249);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        tw::ProcessClock::Advance(1);
        waitFor(2);
        tw::ProcessClock::Advance(50);
        waitFor(3);
        input.ButtonUp(tw::display::MouseButton::Left, window.right - 8, window.bottom - 8);
    });
    input.ButtonDown(tw::display::MouseButton::Left, window.right - 8, window.bottom - 8);
    Pump();
    person.join();
    EXPECT_EQ(codes, (std::vector<WPARAM>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
}

}  // namespace
}  // namespace tw::user::test
