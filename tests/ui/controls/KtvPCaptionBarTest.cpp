// The caption bar: its height, the layout of image, text and button, its
// copy of the caller's bitmap, and what its clicks send.
#include <gtest/gtest.h>

#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDialog.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvEmptyDialog.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPCaptionBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameWnd.h"

namespace {

using tw::test::KtvControlTest;
constexpr int kGap = 4;
constexpr int kMargin = 4;

// A solid bitmap of one colour.
HBITMAP SolidBitmap(int cx, int cy, COLORREF clr)
{
    std::vector<DWORD> bits((size_t)cx * cy, (DWORD)(GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr)));
    return ::CreateBitmap(cx, cy, 1, 32, bits.data());
}

class CaptionBarTest : public KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, &host, 9201, -1));
        Place(400);
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        KtvControlTest::TearDown();
    }
    // Gives the bar the height it asks for over a width, as its frame does.
    void Place(int cx)
    {
        const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
        bar.SetWindowPos(nullptr, 0, 0, cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        bar.RecalcLayout();
        Pump();
    }
    CRect Client() const
    {
        CRect rc;
        bar.GetClientRect(rc);
        return rc;
    }
    int TextHeight()
    {
        CWindowDC dc(nullptr);
        HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), (HFONT)bar.SendMessage(WM_GETFONT) != nullptr
                                                           ? (HFONT)bar.SendMessage(WM_GETFONT)
                                                           : (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        ::SelectObject(dc.GetSafeHdc(), old);
        return tm.tmHeight;
    }
    CKtvPCaptionBar bar;
};

TEST_F(CaptionBarTest, AnEmptyBarCountsItsBorderOnce)
{
    const int h = bar.GetCurrentHeight();
    EXPECT_GE(h, 4 + 2 * kMargin + 2);
    // The client is what is left between the two border bands.
    EXPECT_EQ(h - 2 * 4, Client().Height());
}

TEST_F(CaptionBarTest, AFixedHeightHoldsWhateverTheImage)
{
    CKtvPCaptionBar fixed;
    ASSERT_TRUE(fixed.Create(WS_CHILD | WS_VISIBLE, &host, 9202, 30));
    HBITMAP hbmp = SolidBitmap(16, 60, RGB(255, 0, 0));
    fixed.SetBitmap(hbmp, (COLORREF)-1, FALSE, CKtvPCaptionBar::ALIGN_LEFT);
    ::DeleteObject(hbmp);
    EXPECT_EQ(30, fixed.CalcFixedLayout(FALSE, TRUE).cy);
    EXPECT_EQ(32767, fixed.CalcFixedLayout(FALSE, TRUE).cx);
    fixed.DestroyWindow();
}

struct LayoutCase {
    const char* name;
    int image;   // alignment, 0 none
    int text;    // alignment, 0 none
    int button;  // alignment, 0 none
};

class CaptionLayoutTest : public CaptionBarTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(CaptionLayoutTest, ElementsKeepApartAndInsideTheMargins)
{
    const LayoutCase& c = GetParam();
    if (c.image != 0) {
        HBITMAP hbmp = SolidBitmap(16, 16, RGB(0, 0, 255));
        bar.SetBitmap(hbmp, (COLORREF)-1, FALSE, c.image);
        ::DeleteObject(hbmp);
    }
    if (c.text != 0) bar.SetText(_T("A caption text that is rather long for the bar"), c.text);
    if (c.button != 0) bar.SetButton(_T("Options"), 500, c.button);
    Place(300);
    const CRect client = Client();
    const CRect image = bar.GetImageRect();
    const CRect text = bar.GetTextRect();
    const CRect button = bar.GetButtonRect();
    if (c.image != 0) {
        EXPECT_EQ(16, image.Width());
        EXPECT_GE(image.left, client.left + kMargin);
        EXPECT_LE(image.right, client.right - kMargin);
    }
    if (c.text != 0 && !text.IsRectEmpty()) {
        EXPECT_GE(text.left, client.left + kMargin);
        EXPECT_LE(text.right, client.right - kMargin);
        if (c.image != 0) EXPECT_TRUE(text.right <= image.left - kGap || text.left >= image.right + kGap);
    }
    if (c.button == CKtvPCaptionBar::ALIGN_LEFT && c.image != CKtvPCaptionBar::ALIGN_LEFT)
        EXPECT_EQ(client.left, button.left);  // nothing on the left yet: flush at the edge
    if (c.button == CKtvPCaptionBar::ALIGN_RIGHT && c.image != CKtvPCaptionBar::ALIGN_RIGHT)
        EXPECT_EQ(client.right, button.right);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, CaptionLayoutTest,
    ::testing::Values(LayoutCase{"ImageLeftTextLeft", 1, 1, 0}, LayoutCase{"ImageRightTextLeft", 2, 1, 0},
                      LayoutCase{"ImageCenterTextCenter", 3, 3, 0}, LayoutCase{"ImageLeftTextRight", 1, 2, 0},
                      LayoutCase{"ButtonLeftAlone", 0, 0, 1}, LayoutCase{"ButtonRightTextLeft", 0, 1, 2},
                      LayoutCase{"ImageLeftButtonLeftTextLeft", 1, 1, 1},
                      LayoutCase{"AllCentred", 3, 3, 3}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST_F(CaptionBarTest, TextFollowsTheImageAndMovesBackWhenItGoes)
{
    HBITMAP hbmp = SolidBitmap(20, 12, RGB(0, 255, 0));
    bar.SetBitmap(hbmp, (COLORREF)-1, FALSE, CKtvPCaptionBar::ALIGN_LEFT);
    ::DeleteObject(hbmp);
    bar.SetText(_T("Hint"), CKtvPCaptionBar::ALIGN_LEFT);
    Place(300);
    EXPECT_EQ(bar.GetImageRect().right + kGap, bar.GetTextRect().left);
    bar.RemoveBitmap();
    Place(300);
    EXPECT_EQ(Client().left + kMargin, bar.GetTextRect().left);
}

TEST_F(CaptionBarTest, TallAndStretchedBitmaps)
{
    HBITMAP tall = SolidBitmap(10, 200, RGB(0, 255, 0));
    bar.SetBitmap(tall, (COLORREF)-1, FALSE, CKtvPCaptionBar::ALIGN_LEFT);
    Place(300);
    bar.SetWindowPos(nullptr, 0, 0, 300, 40, SWP_NOZORDER | SWP_NOMOVE);  // lower than the bitmap
    bar.RecalcLayout();
    EXPECT_EQ(Client().top + kMargin, bar.GetImageRect().top);
    EXPECT_EQ(200, bar.GetImageRect().Height());

    HBITMAP small = SolidBitmap(10, 4, RGB(0, 255, 0));
    bar.SetBitmap(small, (COLORREF)-1, TRUE, CKtvPCaptionBar::ALIGN_LEFT);
    bar.SetWindowPos(nullptr, 0, 0, 300, 60, SWP_NOZORDER | SWP_NOMOVE);
    bar.RecalcLayout();
    EXPECT_EQ(10, bar.GetImageRect().Width());
    EXPECT_EQ(Client().bottom - kMargin, bar.GetImageRect().bottom);
    ::DeleteObject(tall);
    ::DeleteObject(small);
}

TEST_F(CaptionBarTest, ABitmapDeletedByItsCallerStillDraws)
{
    bar.m_clrBarBackground = RGB(255, 255, 255);
    HBITMAP hbmp = SolidBitmap(16, 16, RGB(255, 0, 0));
    bar.SetBitmap(hbmp, (COLORREF)-1, FALSE, CKtvPCaptionBar::ALIGN_LEFT);
    ::DeleteObject(hbmp);
    Place(300);
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    const CPoint center = bar.GetImageRect().CenterPoint();
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(bar.GetSafeHwnd(), center.x, center.y));
}

TEST_F(CaptionBarTest, RightClickAsksForTheBarMenuExceptWhileCustomising)
{
    ClearReceived();
    Click(bar.GetSafeHwnd(), 5, 5);  // a left click first: nothing is asked
    bar.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 5));
    ASSERT_EQ(1u, Received(KTVM_TOOLBARMENU).size());
    EXPECT_EQ((WPARAM)bar.GetSafeHwnd(), Received(KTVM_TOOLBARMENU)[0].wParam);
    CKtvPToolBar::m_bCustomizeMode = TRUE;
    bar.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(10, 5));
    CKtvPToolBar::m_bCustomizeMode = FALSE;
    EXPECT_EQ(1u, Received(KTVM_TOOLBARMENU).size());
}

TEST_F(CaptionBarTest, TheButtonSendsItsCommandOnlyWhenItHasOne)
{
    bar.SetButton(_T("Go"), 4711, CKtvPCaptionBar::ALIGN_LEFT);
    Place(300);
    const CPoint pt = bar.GetButtonRect().CenterPoint();
    ClearReceived();
    const POINT screen = ScreenPointOf(bar.GetSafeHwnd(), pt.x, pt.y);
    input.MouseMove(screen.x, screen.y);
    Pump();
    EXPECT_TRUE(bar.IsButtonHighlighted());
    Click(bar.GetSafeHwnd(), pt.x, pt.y);
    std::vector<tw::test::KtvParentMessage> commands = Received(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(4711u, LOWORD(commands[0].wParam));

    bar.SetButton(_T("Label only"), 0, CKtvPCaptionBar::ALIGN_LEFT);
    Place(300);
    ClearReceived();
    const CPoint pt2 = bar.GetButtonRect().CenterPoint();
    Click(bar.GetSafeHwnd(), pt2.x, pt2.y);
    EXPECT_TRUE(Received(WM_COMMAND).empty());
}

TEST_F(CaptionBarTest, ABarInADialogMarksThatBarsLiveInDialogs)
{
    CKtvPControlBar::m_bBarsInDialog = FALSE;
    CKtvPCaptionBar inHost;  // a parent that is neither frame nor dialog changes nothing
    ASSERT_TRUE(inHost.Create(WS_CHILD | WS_VISIBLE, &host, 9203, -1));
    EXPECT_FALSE(CKtvPControlBar::m_bBarsInDialog);

    const std::vector<BYTE> bytes = KtvEmptyDialogTemplate();
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), &host));
    CKtvPCaptionBar inDialog;
    ASSERT_TRUE(inDialog.Create(WS_CHILD | WS_VISIBLE, &dlg, 9201, -1));
    EXPECT_TRUE(CKtvPControlBar::m_bBarsInDialog);
    inDialog.DestroyWindow();
    dlg.DestroyWindow();
    inHost.DestroyWindow();
    CKtvPControlBar::m_bBarsInDialog = FALSE;
}

}  // namespace
