// Painting management: update regions, the order of the painting messages,
// WM_SETREDRAW, clipping between windows on the one screen, scrolling and
// the screen's own device context.
#include "tests/platform/win32/user/UserTestFixture.h"

#include "platform/display/Display.h"
#include "platform/win32/gdi/windraw.h"

namespace tw::user::test {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

COLORREF ScreenPixel(POINT pt)
{
    return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y);
}

// A WM_PAINT handler that fills the window's client area with one colour.
MessageTrace::Handler PaintWith(COLORREF colour)
{
    return [colour](HWND hwnd, UINT, WPARAM, LPARAM, LRESULT* result) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(hdc, &client, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        *result = 0;
        return true;
    };
}

class PaintingTest : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        main = MakeFrame("main", RECT{100, 100, 400, 300});
        Pump();
    }
    HWND main = nullptr;
};

TEST_F(PaintingTest, RedrawNowSendsFrameEraseAndPaintInThatOrder)
{
    trace.Start();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"main WM_NCPAINT", "main WM_ERASEBKGND", "main WM_PAINT"}));
}

TEST_F(PaintingTest, QueuedPaintErasesInsideBeginPaint)
{
    trace.Start();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    EXPECT_TRUE(trace.Lines().empty()) << "nothing is sent before the queue is read";
    Pump();
    EXPECT_EQ(trace.Lines(),
              (std::vector<std::string>{"main WM_PAINT", "  main WM_NCPAINT", "  main WM_ERASEBKGND"}));
}

TEST_F(PaintingTest, UpdateRegionCollectsInvalidationsInClientCoordinates)
{
    RECT a{10, 10, 20, 20};
    RECT b{50, 40, 60, 70};
    InvalidateRect(main, &a, FALSE);
    InvalidateRect(main, &b, FALSE);
    RECT bounds;
    ASSERT_TRUE(GetUpdateRect(main, &bounds, FALSE));
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(bounds.right, 60);
    EXPECT_EQ(bounds.bottom, 70);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(main, rgn, FALSE), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(rgn, 30, 30));
    DeleteObject(rgn);
    ValidateRect(main, &a);
    ASSERT_TRUE(GetUpdateRect(main, &bounds, FALSE));
    EXPECT_EQ(bounds.left, 50);
    PAINTSTRUCT ps;
    BeginPaint(main, &ps);
    EXPECT_EQ(ps.rcPaint.left, 50);
    EXPECT_EQ(ps.rcPaint.bottom, 70);
    EXPECT_FALSE(ps.fErase);
    EndPaint(main, &ps);
    EXPECT_FALSE(GetUpdateRect(main, &bounds, FALSE));
    RECT outside{-50, -50, -10, -10};
    InvalidateRect(main, &outside, TRUE);
    EXPECT_FALSE(GetUpdateRect(main, &bounds, FALSE)) << "clipped to the client area";
}

TEST_F(PaintingTest, SetRedrawOffStopsPaintingAndInvalidationUntilTurnedBackOn)
{
    SendMessage(main, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(main, nullptr, TRUE);
    trace.Start();
    Pump();
    EXPECT_TRUE(trace.Lines().empty());
    RECT bounds;
    EXPECT_FALSE(GetUpdateRect(main, &bounds, FALSE));
    // Drawing through a DC meanwhile reaches nothing.
    const POINT probe = ScreenPointOf(main, 5, 5);
    const COLORREF before = ScreenPixel(probe);
    HDC hdc = GetDC(main);
    RECT all{0, 0, 50, 50};
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(hdc, &all, red);
    ReleaseDC(main, hdc);
    EXPECT_EQ(ScreenPixel(probe), before);
    SendMessage(main, WM_SETREDRAW, TRUE, 0);
    trace.Start();
    Pump();
    EXPECT_TRUE(trace.Lines().empty()) << "what was invalidated while off is not remembered";
    InvalidateRect(main, nullptr, TRUE);
    Pump();
    EXPECT_EQ(trace.Messages(main).front(), "WM_PAINT");
    hdc = GetDC(main);
    FillRect(hdc, &all, red);
    ReleaseDC(main, hdc);
    DeleteObject(red);
    EXPECT_EQ(ScreenPixel(probe), kRed);
}

struct ClipCase {
    const char* name;
    DWORD parentStyle;
    COLORREF childAreaAfterParentRepaint;
};

class ClipChildren : public UserTest, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(ClipChildren, DecidesWhetherTheParentPaintsOverItsChild)
{
    HWND parent = trace.Create("parent", WS_POPUP | WS_VISIBLE | GetParam().parentStyle, 0, RECT{100, 100, 300, 300});
    HWND child = trace.Create("child", WS_CHILD | WS_VISIBLE, 0, RECT{50, 50, 100, 100}, parent, 1);
    trace.OnMessage(parent, WM_PAINT, PaintWith(kRed));
    trace.OnMessage(child, WM_PAINT, PaintWith(kBlue));
    Pump();
    const POINT inChild = ScreenPointOf(child, 10, 10);
    EXPECT_EQ(ScreenPixel(inChild), kBlue);
    EXPECT_EQ(ScreenPixel(ScreenPointOf(parent, 10, 10)), kRed);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(inChild), GetParam().childAreaAfterParentRepaint);
}

INSTANTIATE_TEST_SUITE_P(Styles, ClipChildren,
                         ::testing::Values(ClipCase{"Clipped", WS_CLIPCHILDREN, kBlue}, ClipCase{"NotClipped", 0, kRed}),
                         [](const auto& info) { return info.param.name; });

TEST_F(PaintingTest, WindowsBehindNeverPaintOverWindowsInFront)
{
    HWND front = trace.Create("front", WS_POPUP | WS_VISIBLE, 0, RECT{150, 150, 250, 250});
    trace.OnMessage(main, WM_PAINT, PaintWith(kRed));
    trace.OnMessage(front, WM_PAINT, PaintWith(kGreen));
    Pump();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(POINT{200, 200}), kGreen);
    EXPECT_EQ(ScreenPixel(ScreenPointOf(main, 5, 5)), kRed);
    // Hiding the front window uncovers the one behind, which repaints there.
    ShowWindow(front, SW_HIDE);
    Pump();
    EXPECT_EQ(ScreenPixel(POINT{200, 200}), kRed);
}

TEST_F(PaintingTest, ScrollWindowMovesPixelsAndInvalidatesWhatItUncovers)
{
    HWND pane = trace.Create("pane", WS_POPUP | WS_VISIBLE, 0, RECT{500, 100, 600, 200});
    Pump();
    HDC hdc = GetDC(pane);
    HBRUSH red = CreateSolidBrush(kRed);
    HBRUSH green = CreateSolidBrush(kGreen);
    RECT top{0, 0, 100, 50};
    RECT bottom{0, 50, 100, 100};
    FillRect(hdc, &top, red);
    FillRect(hdc, &bottom, green);
    ReleaseDC(pane, hdc);
    DeleteObject(red);
    DeleteObject(green);
    RECT uncovered;
    EXPECT_EQ(ScrollWindowEx(pane, 0, -20, nullptr, nullptr, nullptr, &uncovered, SW_INVALIDATE), SIMPLEREGION);
    EXPECT_EQ(uncovered.top, 80);
    EXPECT_EQ(uncovered.bottom, 100);
    EXPECT_EQ(ScreenPixel(ScreenPointOf(pane, 5, 35)), kGreen) << "row 55 moved up to row 35";
    EXPECT_EQ(ScreenPixel(ScreenPointOf(pane, 5, 25)), kRed);
    RECT pending;
    ASSERT_TRUE(GetUpdateRect(pane, &pending, FALSE));
    EXPECT_EQ(pending.top, 80);
}

TEST_F(PaintingTest, ScreenDcDrawsOverEverythingAndInvertingTwiceRestoresIt)
{
    trace.OnMessage(main, WM_PAINT, PaintWith(kBlue));
    InvalidateRect(main, nullptr, TRUE);
    Pump();
    const POINT probe = ScreenPointOf(main, 20, 20);
    ASSERT_EQ(ScreenPixel(probe), kBlue);
    HDC screen = GetDC(nullptr);
    PatBlt(screen, probe.x - 10, probe.y - 10, 40, 40, DSTINVERT);
    EXPECT_EQ(ScreenPixel(probe), RGB(255, 255, 0));
    // The screen is also readable as a blit source.
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 4, 4, screen, probe.x, probe.y, SRCCOPY);
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 255, 0));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    PatBlt(screen, probe.x - 10, probe.y - 10, 40, 40, DSTINVERT);
    EXPECT_EQ(ScreenPixel(probe), kBlue);
    EXPECT_EQ(WindowFromDC(screen), nullptr);
    ReleaseDC(nullptr, screen);
}

TEST_F(PaintingTest, UncoveredDesktopIsPaintedInTheDesktopColour)
{
    ShowWindow(main, SW_HIDE);
    Pump();
    EXPECT_EQ(ScreenPixel(POINT{150, 150}), GetSysColor(COLOR_BACKGROUND));
}

TEST_F(PaintingTest, FramePaintingShowsTheActiveCaptionColour)
{
    Pump();
    // The caption's left end (inside the 4-pixel frame) is the first gradient colour.
    EXPECT_EQ(ScreenPixel(POINT{104, 106}), GetSysColor(COLOR_ACTIVECAPTION));
    HWND other = MakeFrame("other", RECT{500, 100, 700, 300});
    Pump();
    ASSERT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(ScreenPixel(POINT{104, 106}), GetSysColor(COLOR_INACTIVECAPTION));
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(PaintingTest, ClipSiblingsKeepsALowerSiblingOffAnUpperOne)
{
    HWND parent = trace.Create("parent", WS_POPUP | WS_VISIBLE, 0, RECT{500, 100, 700, 300});
    HWND upper = trace.Create("upper", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, RECT{0, 0, 100, 100}, parent, 1);
    HWND lower = trace.Create("lower", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, RECT{50, 50, 150, 150}, parent, 2);
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    trace.OnMessage(upper, WM_PAINT, PaintWith(kGreen));
    trace.OnMessage(lower, WM_PAINT, PaintWith(kRed));
    Pump();
    RedrawWindow(lower, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(ScreenPointOf(upper, 75, 75)), kGreen) << "the overlap belongs to the upper sibling";
    EXPECT_EQ(ScreenPixel(ScreenPointOf(lower, 75, 75)), kRed);
}

TEST_F(PaintingTest, LockedWindowDrawsNothingUntilUnlockedAndIsThenRepainted)
{
    trace.OnMessage(main, WM_PAINT, PaintWith(kBlue));
    InvalidateRect(main, nullptr, TRUE);
    Pump();
    const POINT probe = ScreenPointOf(main, 10, 10);
    ASSERT_TRUE(LockWindowUpdate(main));
    EXPECT_FALSE(LockWindowUpdate(main)) << "one window at a time";
    HDC hdc = GetDC(main);
    RECT all{0, 0, 50, 50};
    HBRUSH red = CreateSolidBrush(kRed);
    FillRect(hdc, &all, red);
    DeleteObject(red);
    ReleaseDC(main, hdc);
    EXPECT_EQ(ScreenPixel(probe), kBlue);
    trace.Start();
    ASSERT_TRUE(LockWindowUpdate(nullptr));
    Pump();
    const auto got = trace.Messages(main);
    EXPECT_NE(std::find(got.begin(), got.end(), "WM_PAINT"), got.end());
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(PaintingTest, MovedWindowCarriesItsPixelsAndPaintsOnlyWhatWasHidden)
{
    HWND pane = trace.Create("pane", WS_POPUP | WS_VISIBLE, 0, RECT{500, 100, 600, 200});
    HWND cover = trace.Create("cover", WS_POPUP | WS_VISIBLE, 0, RECT{580, 180, 640, 240});
    trace.OnMessage(pane, WM_PAINT, PaintWith(kRed));
    trace.OnMessage(cover, WM_PAINT, PaintWith(kGreen));
    Pump();
    trace.Start();
    SetWindowPos(pane, nullptr, 700, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(ScreenPixel(POINT{710, 310}), kRed) << "copied at once, before any painting";
    Pump();
    const auto got = trace.Messages(pane);
    EXPECT_EQ(std::count(got.begin(), got.end(), "WM_PAINT"), 1) << "the corner that was under the cover";
    EXPECT_EQ(ScreenPixel(POINT{795, 395}), kRed);
    SetWindowPos(pane, nullptr, 720, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    trace.Start();
    Pump();
    EXPECT_TRUE(trace.Messages(pane).empty()) << "fully visible before and after: nothing to repaint";
}

}  // namespace
}  // namespace tw::user::test

namespace tw::user::test {
namespace {

TEST_F(PaintingTest, UpdateNowReachesTheChildrenTheInvalidationReached)
{
    HWND child = trace.Create("child", WS_CHILD | WS_VISIBLE, 0, RECT{10, 10, 60, 60}, main, 1);
    Pump();
    trace.Start();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(trace.Messages(child), (std::vector<std::string>{"WM_NCPAINT", "WM_PAINT"}))
        << "its frame and client painted before RedrawWindow returned";
    trace.Start();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_TRUE(trace.Messages(child).empty());
}

}  // namespace
}  // namespace tw::user::test
