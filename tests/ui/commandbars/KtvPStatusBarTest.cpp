// The status bar: its panes laid out from their widths with one stretching
// pane and a size grip, texts reaching the message pane as window text,
// icons and animations, tooltips, the command update, and the frame sized
// by dragging the grip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using namespace tw::test;

const UINT kMainIndicators[] = {0, IDS_INDICATOR_CONNECTIONS, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                ID_INDICATOR_SCRL};
const UINT kQueryIndicators[] = {IDS_INDICATOR_STATUS, IDS_INDICATOR_EXEC_TIME, IDS_INDICATOR_RESULT_INFO,
                                 IDS_INDICATOR_POSITION};

// Records what each paint covered and which panes it drew.
class ProbeStatusBar : public CKtvPStatusBar {
public:
    void DoPaint(CDC* pDC) override
    {
        CRect clip;
        pDC->GetClipBox(clip);
        paints.push_back(clip);
        CKtvPStatusBar::DoPaint(pDC);
    }
    void OnDrawPane(CDC* pDC, CKtvPStatusBarPaneInfo* pPane) override
    {
        drawn.push_back(pPane->nID);
        CKtvPStatusBar::OnDrawPane(pDC, pPane);
    }
    CRect PaneRect(int i) const { return CRect(GetPaneByIndex(i)->rect); }
    int TextWidth(int i) const { return GetPaneByIndex(i)->cxText; }
    void Forget()
    {
        paints.clear();
        drawn.clear();
    }

    std::vector<CRect> paints;
    std::vector<UINT> drawn;
};

int TextExtent(HFONT hFont, const char* text)
{
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, hFont);
    SIZE size{};
    ::GetTextExtentPoint32(hdc, text, (int)strlen(text), &size);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    return size.cx;
}

// A 16 x 16 icon of one colour, released with the test.
class TestIcon {
public:
    TestIcon()
    {
        HDC hdcScreen = ::GetDC(nullptr);
        HBITMAP hbmColor = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
        HBITMAP hbmMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
        ::ReleaseDC(nullptr, hdcScreen);
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmColor = hbmColor;
        info.hbmMask = hbmMask;
        hIcon_ = ::CreateIconIndirect(&info);
        ::DeleteObject(hbmColor);
        ::DeleteObject(hbmMask);
    }
    ~TestIcon() { ::DestroyIcon(hIcon_); }
    HICON get() const { return hIcon_; }

private:
    HICON hIcon_;
};

class StatusBarTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        tw::InitCommonControls();  // the tooltip's class
    }
    void TearDown() override
    {
        if (bar.GetSafeHwnd() != nullptr) {
            bar.DestroyWindow();
        }
        KtvControlTest::TearDown();
    }

    // A bar on the test's parent at (0, 0), cx x cy, with the given panes;
    // the grip only when asked for.
    void MakeBar(const std::vector<UINT>& ids, int cx, int cy, BOOL bGrip = FALSE)
    {
        ASSERT_TRUE(bar.Create(&host));
        if (!bGrip) {
            bar.ModifyStyle(SBARS_SIZEGRIP, 0);
        }
        ASSERT_TRUE(bar.SetIndicators(ids.data(), (int)ids.size()));
        bar.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        bar.Forget();
    }

    ProbeStatusBar bar;
    TestIcon icon;
};

// --- layout --------------------------------------------------------------------------------------

TEST_F(StatusBarTest, MainIndicatorsGiveTheMessagePaneAQuarterScreenAndTheOthersTheirStrings)
{
    ASSERT_TRUE(bar.Create(&host));
    ASSERT_TRUE(bar.SetIndicators(kMainIndicators, 5));

    EXPECT_EQ(bar.GetPaneStyle(0), (UINT)(SBPS_NOBORDERS | SBPS_STRETCH));
    EXPECT_EQ(bar.TextWidth(0), ::GetSystemMetrics(SM_CXSCREEN) / 4);
    const HFONT hFont = bar.GetBarFont();
    const char* texts[] = {"Total # of connections: 000", "CAP", "NUM", "SCRL"};
    for (int i = 1; i < 5; i++) {
        EXPECT_EQ(bar.GetPaneStyle(i), 0u) << i;
        EXPECT_EQ(bar.TextWidth(i), TextExtent(hFont, texts[i - 1])) << texts[i - 1];
        EXPECT_STREQ(bar.GetPaneByIndex(i)->lpszText, texts[i - 1]);
    }
    EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_NUM), 3);
    EXPECT_EQ(bar.CommandToIndex(4242), -1);
}

// Panes of fixed widths: 0 is the message pane (a quarter of the screen,
// stretching), the others are set to 100, 30 and 60.
struct LayoutCase {
    const char* name;
    int cx, cy;
    BOOL bGrip;
    int nPanes;
    std::vector<CRect> expected;  // pane rectangles; the grip's last when there is one
};

class StatusBarLayoutTest : public StatusBarTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(StatusBarLayoutTest, PanesFollowTheirWidths)
{
    const LayoutCase& c = GetParam();
    const std::vector<UINT> ids = {0, IDS_INDICATOR_EXEC_TIME, IDS_INDICATOR_RESULT_INFO, IDS_INDICATOR_POSITION};
    MakeBar(std::vector<UINT>(ids.begin(), ids.begin() + c.nPanes), c.cx, c.cy, c.bGrip);
    const int widths[] = {0, 100, 30, 60};
    for (int i = 1; i < c.nPanes; i++) {
        bar.SetPaneInfo(i, ids[i], 0, widths[i]);
    }
    ASSERT_EQ(bar.TextWidth(0), 256) << "a 1024-pixel screen";

    for (int i = 0; i < c.nPanes; i++) {
        EXPECT_EQ(bar.PaneRect(i), c.expected[i]) << "pane " << i;
    }
    const CRect grip = c.bGrip ? c.expected.back() : CRect(0, 0, 0, 0);
    EXPECT_EQ(bar.m_rectSizeBox, grip);
}

const int kGrip = 17;  // the scroll bar's width and one

INSTANTIATE_TEST_SUITE_P(
    Widths, StatusBarLayoutTest,
    ::testing::Values(
        // The spare 94 pixels go to the message pane; the last pane ends at the inside's right.
        LayoutCase{"StretchTakesTheSpare", 500, 20, FALSE, 3,
                   {CRect(4, 2, 358, 20), CRect(360, 2, 464, 20), CRect(466, 2, 500, 20)}},
        // Without a grip the limit is one pixel past the inside; what does not fit is cut,
        // and a pane that starts beyond it is empty.
        LayoutCase{"CutAtTheLimit", 400, 20, FALSE, 4,
                   {CRect(4, 2, 264, 20), CRect(266, 2, 370, 20), CRect(372, 2, 401, 20), CRect(0, 0, 0, 0)}},
        LayoutCase{"GripTakesTheCorner", 500, 20, TRUE, 3,
                   {CRect(4, 2, 358 - kGrip, 20), CRect(360 - kGrip, 2, 464 - kGrip, 20),
                    CRect(466 - kGrip, 2, 500 - kGrip, 20), CRect(500 - kGrip, 2, 500, 20)}},
        LayoutCase{"GripOnALowBarIsAsWideAsTheBarIsHigh", 500, 12, TRUE, 1,
                   {CRect(4, 2, 490, 12), CRect(490, 2, 500, 12)}},
        LayoutCase{"NothingOnAnEmptyBar", 0, 0, TRUE, 4,
                   {CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST_F(StatusBarTest, PaneInfoGoesBackUnchangedAlsoBeforeLayout)
{
    // A query window's panes, read and written back while the bar is still 0 x 0.
    ASSERT_TRUE(bar.Create(&host));
    ASSERT_TRUE(bar.SetIndicators(kQueryIndicators, 4));
    UINT nID = 0, nStyle = 0;
    int cx = -1;
    bar.GetPaneInfo(0, nID, nStyle, cx);
    EXPECT_EQ(nID, (UINT)IDS_INDICATOR_STATUS);
    EXPECT_EQ(cx, TextExtent(bar.GetBarFont(), "Ready"));
    bar.SetPaneInfo(0, nID, SBPS_STRETCH, cx);
    bar.SetPaneInfo(1, IDS_INDICATOR_EXEC_TIME, 0, 100);
    bar.SetPaneInfo(2, IDS_INDICATOR_RESULT_INFO, 0, 30);
    bar.SetPaneInfo(3, IDS_INDICATOR_POSITION, 0, 60);
    EXPECT_EQ(bar.TextWidth(0), cx);

    // Laid out, the round trip still changes nothing, with or without an image.
    bar.SetWindowPos(nullptr, 0, 0, 600, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 4; i++) {
        int before = 0;
        bar.GetPaneInfo(i, nID, nStyle, before);
        bar.SetPaneInfo(i, nID, nStyle, before);
        int after = 0;
        bar.GetPaneInfo(i, nID, nStyle, after);
        EXPECT_EQ(after, before) << i;
    }
    EXPECT_EQ(bar.PaneRect(3).Width(), 64);

    HICON hIcon = icon.get();
    bar.SetPaneIcon(3, hIcon, FALSE);
    bar.GetPaneInfo(3, nID, nStyle, cx);
    EXPECT_EQ(cx, 60 + 16 + 4);
    bar.SetPaneInfo(3, nID, nStyle, cx);
    EXPECT_EQ(bar.TextWidth(3), 60);
}

TEST_F(StatusBarTest, Index255NamesTheFirstStretchingPane)
{
    const std::vector<UINT> ids = {IDS_INDICATOR_STATUS, IDS_INDICATOR_EXEC_TIME, IDS_INDICATOR_RESULT_INFO};
    MakeBar(ids, 400, 20);
    EXPECT_EQ(bar.GetPaneByIndex(255), nullptr) << "no pane stretches yet";
    EXPECT_FALSE(bar.SetPaneText(255, "x"));

    bar.SetPaneStyle(1, SBPS_STRETCH);
    bar.SetPaneStyle(2, SBPS_STRETCH);
    EXPECT_EQ(bar.GetPaneByIndex(255), bar.GetPaneByIndex(1));
    EXPECT_TRUE(bar.SetPaneText(255, "busy"));
    EXPECT_STREQ(bar.GetPaneByIndex(1)->lpszText, "busy");
    EXPECT_EQ(bar.PaneRect(2).Width(), bar.TextWidth(2) + 4) << "only the first stretches";

    for (int index : {-1, 3, 1000}) {
        EXPECT_EQ(bar.GetPaneByIndex(index), nullptr) << index;
        EXPECT_FALSE(bar.SetPaneText(index, "x")) << index;
        EXPECT_EQ(bar.GetPaneStyle(index), 0u) << index;
    }
}

TEST_F(StatusBarTest, ThePaneArrayHoldsMoreThan255Panes)
{
    std::vector<UINT> ids(300, IDS_INDICATOR_EXEC_TIME);
    ids[0] = 0;  // stretching
    MakeBar(ids, 400, 20);
    EXPECT_EQ(bar.GetPaneByIndex(255), bar.GetPaneByIndex(0) + 255) << "a position on a bar this long";
    EXPECT_EQ(bar.GetPaneByIndex(300), nullptr);
}

TEST_F(StatusBarTest, AMissingIndicatorStringFailsAndKeepsThePanesBuilt)
{
    ASSERT_TRUE(bar.Create(&host));
    const UINT ids[] = {IDS_INDICATOR_STATUS, 4711, IDS_INDICATOR_POSITION};
    EXPECT_FALSE(bar.SetIndicators(ids, 3));
    EXPECT_STREQ(bar.GetPaneByIndex(0)->lpszText, "Ready");
    EXPECT_EQ(bar.GetPaneByIndex(2)->lpszText, nullptr);
}

// --- the size grip -------------------------------------------------------------------------------

class StatusBarFrameTest : public HeadlessWindowTest {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        HeadlessWindowTest::SetUp();
        frame = new CKtvPFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(bar.Create(frame));
        ASSERT_TRUE(bar.SetIndicators(kMainIndicators, 5));
        frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        if (::IsWindow(frame->GetSafeHwnd())) {
            frame->DestroyWindow();
        }
        HeadlessWindowTest::TearDown();
    }
    LRESULT HitAt(int x, int y)
    {
        CPoint pt(x, y);
        bar.ClientToScreen(&pt);
        return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }

    CKtvPFrameWnd* frame = nullptr;
    ProbeStatusBar bar;
};

TEST_F(StatusBarFrameTest, SitsAtTheFrameBottomWithAGrip)
{
    CRect client, rect;
    frame->GetClientRect(client);
    bar.GetWindowRect(rect);
    frame->ScreenToClient(rect);
    EXPECT_EQ(rect.bottom, client.bottom);
    EXPECT_EQ(rect.Width(), client.Width());
    EXPECT_EQ(rect.Height(), bar.CalcFixedLayout(FALSE, TRUE).cy);
    EXPECT_TRUE(bar.GetStyle() & SBARS_SIZEGRIP);

    CRect barClient;
    bar.GetClientRect(barClient);
    EXPECT_EQ(HitAt(barClient.right - 1, barClient.bottom - 1), HTBOTTOMRIGHT);
    // The grip answers over its width less one pixel.
    EXPECT_EQ(HitAt(barClient.right - (kGrip - 1), barClient.bottom - 1), HTBOTTOMRIGHT);
    EXPECT_NE(HitAt(barClient.right - kGrip, barClient.bottom - 1), HTBOTTOMRIGHT);
    EXPECT_NE(HitAt(10, 5), HTBOTTOMRIGHT);
}

TEST_F(StatusBarFrameTest, NoGripWhileTheFrameIsMaximisedOrWithoutTheStyle)
{
    frame->ShowWindow(SW_MAXIMIZE);
    Pump();
    CRect barClient;
    bar.GetClientRect(barClient);
    EXPECT_TRUE(bar.m_rectSizeBox.IsRectEmpty());
    EXPECT_NE(HitAt(barClient.right - 1, barClient.bottom - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(bar.PaneRect(4).right, barClient.right) << "the panes take the grip's place";

    frame->ShowWindow(SW_RESTORE);
    Pump();
    bar.GetClientRect(barClient);
    EXPECT_FALSE(bar.m_rectSizeBox.IsRectEmpty());

    bar.ModifyStyle(SBARS_SIZEGRIP, 0);
    bar.SetWindowPos(nullptr, 0, 0, barClient.Width() - 1, barClient.Height(), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(bar.m_rectSizeBox.IsRectEmpty());
    EXPECT_NE(HitAt(barClient.Width() - 2, barClient.bottom - 1), HTBOTTOMRIGHT);

    // Given back, the style brings the grip back at once.
    bar.ModifyStyle(0, SBARS_SIZEGRIP);
    EXPECT_FALSE(bar.m_rectSizeBox.IsRectEmpty());
}

TEST_F(StatusBarFrameTest, DraggingTheGripSizesTheFrame)
{
    CRect before;
    frame->GetWindowRect(before);
    CRect barClient;
    bar.GetClientRect(barClient);
    const POINT start = ScreenPointOf(bar.m_hWnd, barClient.right - 3, barClient.bottom - 3);
    // Queued whole: the frame's sizing loop reads the rest of the drag itself.
    input.MouseMove(start.x, start.y);
    input.ButtonDown(tw::display::MouseButton::Left, start.x, start.y);
    input.MouseMove(start.x + 40, start.y + 30);
    input.ButtonUp(tw::display::MouseButton::Left, start.x + 40, start.y + 30);
    Pump();

    CRect after;
    frame->GetWindowRect(after);
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    EXPECT_EQ(after.Width(), before.Width() + 40);
    EXPECT_EQ(after.Height(), before.Height() + 30);
}

// --- texts ---------------------------------------------------------------------------------------

TEST_F(StatusBarTest, TheSameTextRepaintsOnceAndNullOnAnEmptyPaneNothing)
{
    MakeBar({0, IDS_INDICATOR_EXEC_TIME}, 400, 20);
    EXPECT_TRUE(bar.SetPaneText(1, "Exec time: 00:00:01"));
    ASSERT_EQ(bar.paints.size(), 1u);
    CRect content = bar.PaneRect(1);
    content.DeflateRect(1, 1);
    EXPECT_EQ(bar.paints[0], content) << "only the pane's content";
    EXPECT_TRUE(bar.SetPaneText(1, "Exec time: 00:00:01"));
    EXPECT_EQ(bar.paints.size(), 1u) << "an equal text repaints nothing";

    bar.Forget();
    EXPECT_TRUE(bar.SetPaneText(0, nullptr));
    EXPECT_TRUE(bar.SetPaneText(0, ""));
    EXPECT_TRUE(bar.paints.empty());

    EXPECT_TRUE(bar.SetPaneText(1, nullptr));
    EXPECT_EQ(bar.GetPaneByIndex(1)->lpszText, nullptr);
    EXPECT_EQ(bar.paints.size(), 1u);
}

TEST_F(StatusBarTest, WindowTextIsTheMessagePane)
{
    MakeBar({0, IDS_INDICATOR_EXEC_TIME}, 400, 20);
    EXPECT_EQ(bar.SendMessage(WM_SETTEXT, 0, (LPARAM) "Ready"), TRUE);
    EXPECT_STREQ(bar.GetPaneByIndex(0)->lpszText, "Ready");
    CString text;
    bar.GetWindowText(text);
    EXPECT_EQ(text, "Ready");
    EXPECT_EQ(bar.GetWindowTextLength(), 5);

    struct Case {
        const char* paneText;
        int buffer;
        const char* copied;
    };
    const Case cases[] = {
        {"Ready", 6, "Ready"},
        {"Ready", 5, "Read"},         // as long as the text: all but the last character
        {"Ready", 1, ""},
        {"Caf\xC3\xA9", 5, "Caf"},    // never half a character
        {"Caf\xC3\xA9", 6, "Caf\xC3\xA9"},
    };
    for (const Case& c : cases) {
        bar.SetWindowText(c.paneText);
        char buffer[16];
        memset(buffer, 'x', sizeof buffer);
        const LRESULT n = bar.SendMessage(WM_GETTEXT, c.buffer, (LPARAM)buffer);
        EXPECT_STREQ(buffer, c.copied) << c.paneText << " in " << c.buffer;
        EXPECT_EQ(n, (LRESULT)strlen(c.copied));
        EXPECT_EQ(buffer[c.buffer], 'x') << "nothing past the buffer";
    }
    char untouched = 'x';
    EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 0, (LPARAM)&untouched), 0);
    EXPECT_EQ(untouched, 'x');
}

TEST_F(StatusBarTest, WithoutAMessagePaneTheWindowTextIsEmpty)
{
    MakeBar({IDS_INDICATOR_EXEC_TIME}, 400, 20);
    EXPECT_EQ(bar.SendMessage(WM_SETTEXT, 0, (LPARAM) "Ready"), FALSE);
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof buffer, (LPARAM)buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(bar.GetWindowTextLength(), 0);
}

// --- icons and animation -------------------------------------------------------------------------

// A list of `count` 16 x 16 frames, each filled with its own colour.
HIMAGELIST MakeFrames(int count)
{
    HIMAGELIST hList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, count, 0);
    HDC hdcScreen = ::GetDC(nullptr);
    for (int i = 0; i < count; i++) {
        HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
        HDC hdc = ::CreateCompatibleDC(hdcScreen);
        HGDIOBJ old = ::SelectObject(hdc, hbm);
        HBRUSH brush = ::CreateSolidBrush(RGB(40 * i, 200, 0));
        RECT rect{0, 0, 16, 16};
        ::FillRect(hdc, &rect, brush);
        ::DeleteObject(brush);
        ::SelectObject(hdc, old);
        ::DeleteDC(hdc);
        ImageList_Add(hList, hbm, nullptr);
        ::DeleteObject(hbm);
    }
    ::ReleaseDC(nullptr, hdcScreen);
    return hList;
}

TEST_F(StatusBarTest, AnIconShiftsTheTextAndKeepsItsPlaceWhenRemoved)
{
    MakeBar({0, IDS_INDICATOR_EXEC_TIME}, 500, 24);
    const int cxBefore = bar.PaneRect(1).Width();
    bar.SetPaneIcon(1, icon.get(), TRUE);
    const CKtvPStatusBarPaneInfo* pPane = bar.GetPaneByIndex(1);
    EXPECT_EQ(pPane->cxIcon, 16);
    EXPECT_EQ(pPane->cyIcon, 16);
    EXPECT_NE(pPane->hImage, nullptr);
    EXPECT_EQ(bar.PaneRect(1).Width(), cxBefore + 16 + 4);

    bar.SetPaneIcon(1, nullptr, TRUE);
    EXPECT_EQ(pPane->hImage, nullptr);
    EXPECT_EQ(pPane->cxIcon, 16) << "the place stays reserved";
    EXPECT_EQ(bar.PaneRect(1).Width(), cxBefore + 16 + 4);
}

TEST_F(StatusBarTest, AnimationStepsOnTheClockAndRepaintsOnlyTheImage)
{
    // The message pane's id 0 serves as the timer id as well as any other.
    for (int index : {0, 1}) {
        SCOPED_TRACE(index);
        bar.DestroyWindow();
        MakeBar({0, IDS_INDICATOR_EXEC_TIME}, 500, 24);
        HIMAGELIST hFrames = MakeFrames(3);
        bar.SetPaneAnimation(index, hFrames, 200, FALSE);
        ImageList_Destroy(hFrames);  // the bar keeps copies
        const CKtvPStatusBarPaneInfo* pPane = bar.GetPaneByIndex(index);
        ASSERT_EQ(pPane->nFrameCount, 3);
        Pump();
        bar.Forget();

        std::vector<int> frames;
        for (int step = 0; step < 4; step++) {
            tw::ProcessClock::Advance(200);
            Pump();
            frames.push_back(pPane->nCurrFrame);
        }
        EXPECT_EQ(frames, (std::vector<int>{1, 2, 0, 1}));
        ASSERT_FALSE(bar.paints.empty());
        CRect image(pPane->rect);
        if (pPane->nStyle & SBPS_NOBORDERS) {
            image.top -= 1;
        } else {
            image.DeflateRect(1, 1);
        }
        image.right = image.left + 16;
        image.IntersectRect(image, CRect(0, 0, 500, 24));
        for (const CRect& paint : bar.paints) {
            EXPECT_EQ(paint, image);
        }

        // An icon ends the animation and its timer.
        bar.SetPaneIcon(index, icon.get(), FALSE);
        EXPECT_EQ(pPane->nFrameCount, 0);
        bar.Forget();
        tw::ProcessClock::Advance(1000);
        Pump();
        EXPECT_TRUE(bar.paints.empty());
    }
}

// --- tooltips, double-clicks and the command update -----------------------------------------------

TEST_F(StatusBarTest, RestingOnAPaneShowsItsTip)
{
    MakeBar({0, IDS_INDICATOR_EXEC_TIME, IDS_INDICATOR_RESULT_INFO}, 500, 24);
    bar.SetPaneTipText(1, "Time the batch has run");
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_TOOLTIPS);

    const CRect pane = bar.PaneRect(1);
    const POINT over = ScreenPointOf(bar.m_hWnd, pane.left + 5, pane.top + 5);
    input.MouseMove(over.x, over.y);
    PumpFiltered();
    tw::ProcessClock::Advance(::GetDoubleClickTime());
    PumpFiltered();

    HWND hTip = tw::mfc::CurrentThreadState().hToolTip;
    ASSERT_TRUE(hTip != nullptr && ::IsWindowVisible(hTip));
    TOOLINFO ti{};
    ti.cbSize = sizeof ti;
    ASSERT_TRUE(::SendMessage(hTip, TTM_GETCURRENTTOOL, 0, (LPARAM)&ti));
    char text[64] = {};
    ti.lpszText = text;
    ::SendMessage(hTip, TTM_GETTEXT, sizeof text, (LPARAM)&ti);
    EXPECT_STREQ(text, "Time the batch has run");
    EXPECT_EQ(ti.hwnd, bar.m_hWnd);
    EXPECT_EQ(CRect(ti.rect), pane);

    // A pane without a tip has nothing to show.
    TOOLINFO none{};
    const CRect other = bar.PaneRect(2);
    EXPECT_EQ(bar.OnToolHitTest(CPoint(other.left + 2, other.top + 2), &none), -1);
    ::DestroyWindow(hTip);
}

TEST_F(StatusBarTest, ADoubleClickPostsThePaneCommandOnlyWhenAskedTo)
{
    MakeBar({0, IDS_INDICATOR_EXEC_TIME}, 500, 24);
    const CRect pane = bar.PaneRect(1);
    DoubleClick(bar.m_hWnd, pane.left + 4, pane.top + 4);
    PumpFiltered();
    EXPECT_TRUE(Received(WM_COMMAND).empty());

    bar.m_bPaneDoubleClick = TRUE;
    DoubleClick(bar.m_hWnd, pane.left + 4, pane.top + 4);
    PumpFiltered();
    const auto commands = Received(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, (WPARAM)IDS_INDICATOR_EXEC_TIME);
    EXPECT_EQ(commands[0].lParam, 0);
}

// A frame whose handlers drive three panes.
class UpdatingFrame : public CFrameWnd {
public:
    void OnUpdateStatus(CCmdUI* pCmdUI) { pCmdUI->SetText("Executing query batch..."); }
    void OnUpdateTime(CCmdUI* pCmdUI) { pCmdUI->Enable(bTimeOn); }
    void OnUpdateResult(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable();
        pCmdUI->SetCheck(nResultCheck);
    }
    BOOL bTimeOn = FALSE;
    int nResultCheck = 1;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdatingFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(IDS_INDICATOR_STATUS, OnUpdateStatus)
    ON_UPDATE_COMMAND_UI(IDS_INDICATOR_EXEC_TIME, OnUpdateTime)
    ON_UPDATE_COMMAND_UI(IDS_INDICATOR_RESULT_INFO, OnUpdateResult)
END_MESSAGE_MAP()

TEST_F(StatusBarTest, TheCommandUpdateSetsTextsEnablingAndChecks)
{
    MakeBar({IDS_INDICATOR_STATUS, IDS_INDICATOR_EXEC_TIME, IDS_INDICATOR_RESULT_INFO, IDS_INDICATOR_POSITION},
            600, 24);
    UpdatingFrame target;
    bar.OnUpdateCmdUI(&target, TRUE);
    EXPECT_STREQ(bar.GetPaneByIndex(0)->lpszText, "Executing query batch...");
    EXPECT_EQ(bar.GetPaneStyle(1), (UINT)SBPS_DISABLED);
    EXPECT_EQ(bar.GetPaneStyle(2), (UINT)SBPS_POPOUT);
    EXPECT_EQ(bar.GetPaneStyle(3), (UINT)SBPS_DISABLED) << "no handler, and the frame asks to disable";

    target.bTimeOn = TRUE;
    target.nResultCheck = 0;
    bar.OnUpdateCmdUI(&target, FALSE);
    EXPECT_EQ(bar.GetPaneStyle(1), 0u);
    EXPECT_EQ(bar.GetPaneStyle(2), 0u);
}

}  // namespace
