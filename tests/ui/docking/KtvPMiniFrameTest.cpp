// The floating frame of a pane: its caption buttons by their bits and their
// order, the caption text's room, roll-up and roll-down on the timer (never
// while pinned), the minimum track size, hit codes and sizing cursors, its
// stored record, applying a record whose pane is gone, and a creation that
// cannot register with a dock manager.
#include <gtest/gtest.h>

#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CMemFile.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockManager.h"

namespace {

using tw::test::DockingPaneTest;
using tw::test::kPaneStyle;
using tw::test::TestPane;

class MiniFrameTest : public DockingPaneTest {
protected:
    CKtvPMiniFrameWnd* FloatPane(TestPane* pPane, CRect rect = CRect(250, 150, 450, 330))
    {
        EXPECT_TRUE(pPane->FloatControlBar(rect, KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        return pPane->GetParentMiniFrame();
    }

    static CKtvPCaptionButton* Button(CKtvPMiniFrameWnd* pFrame, UINT nHit)
    {
        const CObList& buttons = pFrame->GetCaptionButtonList();
        for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pBtn = static_cast<CKtvPCaptionButton*>(buttons.GetNext(pos));
            if (pBtn->GetHit() == nHit) {
                return pBtn;
            }
        }
        return nullptr;
    }

    void MoveCursorTo(CPoint pt)
    {
        input.MouseMove(pt.x, pt.y);
        Pump();
    }
};

TEST_F(MiniFrameTest, CaptionButtonsFollowTheirBitsRightToLeft)
{
    CKtvPMiniFrameWnd* pFrame = FloatPane(DockedPane(1, CBRS_ALIGN_LEFT, 150, 100));
    ASSERT_NE(nullptr, pFrame);
    // A pane that may close gets the close button.
    EXPECT_EQ((DWORD)KTVP_CAPTION_BTN_CLOSE, pFrame->GetCaptionButtons());
    ASSERT_NE(nullptr, Button(pFrame, KTVP_HTCLOSE_FRAME));

    pFrame->SetCaptionButtons(KTVP_CAPTION_BTN_CLOSE | KTVP_CAPTION_BTN_PIN | KTVP_CAPTION_BTN_AUTOHIDE |
                              KTVP_CAPTION_BTN_MENU);
    CRect rectCaption;
    pFrame->GetCaptionRect(rectCaption);
    const int cx = CKtvPCaptionButton::GetSize().cx;
    int x = rectCaption.right - cx;
    for (UINT nHit : {KTVP_HTCLOSE_FRAME, KTVP_HTPIN, KTVP_HTAUTOHIDE_SECOND, KTVP_HTMENU}) {
        CKtvPCaptionButton* pBtn = Button(pFrame, nHit);
        ASSERT_NE(nullptr, pBtn) << nHit;
        EXPECT_EQ(x, pBtn->m_ptOrigin.x) << nHit;
        x -= cx + 4;
    }

    // Close and menu: the menu sits four pixels left of close, the text ends two before the menu.
    pFrame->SetCaptionButtons(KTVP_CAPTION_BTN_CLOSE | KTVP_CAPTION_BTN_MENU);
    CKtvPCaptionButton* pMenu = Button(pFrame, KTVP_HTMENU);
    EXPECT_EQ(Button(pFrame, KTVP_HTCLOSE_FRAME)->m_ptOrigin.x - 4 - cx, pMenu->m_ptOrigin.x);
    EXPECT_EQ(pMenu->m_ptOrigin.x - 2, pFrame->GetCaptionTextRect().right);

    pFrame->SetCaptionButtons(0);
    CRect rectText = rectCaption;
    rectText.DeflateRect(2, 0);
    EXPECT_EQ(rectText, pFrame->GetCaptionTextRect());
}

TEST_F(MiniFrameTest, RollsUpWhenTheCursorLeavesAndDownWhenItReturnsButNotWhilePinned)
{
    TestPane* pPane = AddPane(1, 150, 100, RGB(255, 255, 255), kPaneStyle | KTVP_CBRS_AUTO_ROLLUP);
    ASSERT_TRUE(pPane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    CKtvPMiniFrameWnd* pFrame = FloatPane(pPane);
    ASSERT_NE(nullptr, pFrame);
    // The roll-up timer brings the pin with it.
    EXPECT_NE(nullptr, Button(pFrame, KTVP_HTPIN));
    const CRect rectFull = Rect(pFrame);
    CRect rectClient;
    pFrame->GetClientRect(rectClient);

    MoveCursorTo(CPoint(rectFull.right + 40, rectFull.bottom + 40));
    Advance(CKtvPMiniFrameWnd::m_nRollTimeOut);
    ASSERT_TRUE(pFrame->IsRolledUp());
    EXPECT_EQ(rectFull.Height() - rectClient.Height(), Rect(pFrame).Height());
    EXPECT_EQ(rectFull.TopLeft(), Rect(pFrame).TopLeft());

    // The record keeps the unrolled height.
    std::vector<BYTE> bytes = tw::test::StoreObject(*pFrame);
    const auto* pLongs = reinterpret_cast<const int32_t*>(bytes.data());
    EXPECT_EQ(rectFull.bottom, pLongs[4]);

    MoveCursorTo(CPoint(rectFull.left + 20, rectFull.top + 8));
    Advance(CKtvPMiniFrameWnd::m_nRollTimeOut);
    EXPECT_FALSE(pFrame->IsRolledUp());
    EXPECT_EQ(rectFull, Rect(pFrame));

    pFrame->SetPinned(TRUE);
    MoveCursorTo(CPoint(rectFull.right + 40, rectFull.bottom + 40));
    Advance(3 * CKtvPMiniFrameWnd::m_nRollTimeOut);
    EXPECT_FALSE(pFrame->IsRolledUp());
}

TEST_F(MiniFrameTest, MinimumTrackSizeCoversCaptionButtonsAndThePane)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 150, 100);
    CKtvPMiniFrameWnd* pFrame = FloatPane(pPane);
    for (CSize sizeMin : {CSize(1, 1), CSize(90, 60)}) {
        pPane->SetMinSize(sizeMin);
        MINMAXINFO info{};
        pFrame->SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
        const int nCaption = pFrame->GetCaptionHeight();
        const int nFrame = ::GetSystemMetrics(SM_CXFRAME);
        EXPECT_EQ(std::max(nCaption + 15, (int)sizeMin.cx + CKtvPCaptionButton::GetSize().cx + 2 * nFrame),
                  info.ptMinTrackSize.x);
        EXPECT_EQ(std::max(nCaption + 15, nCaption + (int)sizeMin.cy + 2 * ::GetSystemMetrics(SM_CYFRAME)),
                  info.ptMinTrackSize.y);
    }
}

TEST_F(MiniFrameTest, HitCodesAndSizingCursors)
{
    CKtvPMiniFrameWnd* pFrame = FloatPane(DockedPane(1, CBRS_ALIGN_LEFT, 150, 100));
    const CRect W = Rect(pFrame);
    CRect rectCaption;
    pFrame->GetCaptionRect(rectCaption);
    rectCaption.OffsetRect(W.TopLeft());
    struct Case {
        CPoint pt;
        UINT nHit;
        LPCTSTR lpszCursor;
    };
    const CPoint ptInCaption(rectCaption.left + 6, rectCaption.CenterPoint().y);
    const Case cases[] = {
        {CPoint(W.left + 1, W.top + 1), HTTOPLEFT, IDC_SIZENWSE},
        {CPoint(W.CenterPoint().x, W.top + 1), HTTOP, IDC_SIZENS},
        {CPoint(W.right - 2, W.top + 1), HTTOPRIGHT, IDC_SIZENESW},
        {CPoint(W.right - 2, W.CenterPoint().y), HTRIGHT, IDC_SIZEWE},
        {CPoint(W.right - 2, W.bottom - 2), HTBOTTOMRIGHT, IDC_SIZENWSE},
        {CPoint(W.CenterPoint().x, W.bottom - 2), HTBOTTOM, IDC_SIZENS},
        {CPoint(W.left + 1, W.bottom - 2), HTBOTTOMLEFT, IDC_SIZENESW},
        {CPoint(W.left + 1, W.CenterPoint().y), HTLEFT, IDC_SIZEWE},
        {W.CenterPoint() + CPoint(0, 10), HTCLIENT, nullptr},
        {ptInCaption, HTCLIENT, nullptr},
        {CPoint(W.right + 5, W.top), HTNOWHERE, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.nHit, pFrame->HitTest(c.pt, FALSE)) << c.pt.x << "," << c.pt.y;
        if (c.lpszCursor != nullptr) {
            pFrame->SendMessage(WM_SETCURSOR, (WPARAM)pFrame->GetSafeHwnd(), MAKELPARAM(c.nHit, WM_MOUSEMOVE));
            EXPECT_EQ(::LoadCursor(nullptr, c.lpszCursor), ::GetCursor()) << c.nHit;
        }
    }
    // The caption is a caption only when asked; a button answers its id.
    EXPECT_EQ((UINT)HTCAPTION, pFrame->HitTest(ptInCaption, TRUE));
    CRect rectClose = Button(pFrame, KTVP_HTCLOSE_FRAME)->GetRect();
    rectClose.OffsetRect(W.TopLeft());
    EXPECT_EQ((UINT)KTVP_HTCLOSE_FRAME, pFrame->HitTest(rectClose.CenterPoint(), FALSE));
}

TEST_F(MiniFrameTest, ARecordRoundTripsByteForByteWithItsStyleKeptToAFrame)
{
    TestPane* pPane = DockedPane(7, CBRS_ALIGN_LEFT, 150, 100);
    CKtvPMiniFrameWnd* pFrame = FloatPane(pPane);
    pFrame->SetPinned(TRUE);
    const std::vector<BYTE> bytes = tw::test::StoreObject(*pFrame);
    ASSERT_EQ(9u * 4u, bytes.size());
    const auto* pLongs = reinterpret_cast<const int32_t*>(bytes.data());
    EXPECT_EQ(7, pLongs[6]);
    EXPECT_EQ((int32_t)KTVP_CAPTION_BTN_CLOSE, pLongs[7]);
    EXPECT_EQ(1, pLongs[8]);

    CKtvPMiniFrameWnd::m_pParentForLoad = frame;
    auto* pLoaded = new CKtvPMiniFrameWnd;
    tw::test::LoadObject(*pLoaded, bytes);
    EXPECT_EQ(7u, pLoaded->GetRestoredBarID());
    EXPECT_TRUE(pLoaded->IsPinned());
    EXPECT_EQ(Rect(pFrame), Rect(pLoaded));

    // A stored style may not make the frame a child or anything but a frame.
    std::vector<BYTE> forged = bytes;
    reinterpret_cast<int32_t*>(forged.data())[0] = (int32_t)(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_DISABLED);
    auto* pForged = new CKtvPMiniFrameWnd;
    tw::test::LoadObject(*pForged, forged);
    EXPECT_EQ(0u, pForged->GetStyle() & (WS_CHILD | WS_CAPTION | WS_DISABLED));
    EXPECT_NE(0u, pForged->GetStyle() & WS_POPUP);
    CKtvPMiniFrameWnd::m_pParentForLoad = nullptr;

    pForged->DestroyWindow();

    // Applying the record takes the pane into the loaded frame; the old one goes.
    // The pane's own record, loaded with the layout, says it was visible.
    tw::test::LoadObject(*pPane, tw::test::StoreObject(*pPane));
    const HWND hOld = pFrame->GetSafeHwnd();
    pLoaded->SetDockState(manager);
    Pump();
    EXPECT_EQ(pPane, pLoaded->GetControlBar());
    EXPECT_EQ(pLoaded, pPane->GetParentMiniFrame());
    EXPECT_FALSE(::IsWindow(hOld));
    EXPECT_TRUE(tw::test::StoreObject(*pLoaded) == bytes) << "stored again, the same bytes";

    // A record whose pane is gone: the frame goes quietly.
    pPane->DestroyWindow();
    Pump();
    CKtvPMiniFrameWnd::m_pParentForLoad = frame;
    auto* pOrphan = new CKtvPMiniFrameWnd;
    tw::test::LoadObject(*pOrphan, bytes);
    CKtvPMiniFrameWnd::m_pParentForLoad = nullptr;
    const HWND hOrphan = pOrphan->GetSafeHwnd();
    pOrphan->SetDockState(manager);
    EXPECT_FALSE(::IsWindow(hOrphan));
}

TEST_F(MiniFrameTest, AFrameWithoutADockManagerTakesItsWindowWithIt)
{
    auto* pPlain = new CFrameWnd;
    ASSERT_TRUE(pPlain->Create(nullptr, "A frame without docking", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 200)));
    const size_t nBefore = tw::test::TopLevelWindows().size();
    CKtvPMiniFrameWnd miniFrame;
    EXPECT_FALSE(miniFrame.Create(nullptr, WS_POPUP, CRect(10, 10, 100, 100), pPlain, nullptr));
    EXPECT_EQ(nullptr, miniFrame.GetSafeHwnd());
    EXPECT_EQ(nBefore, tw::test::TopLevelWindows().size());
    pPlain->DestroyWindow();
}

}  // namespace

namespace {

class MiniFrameCancelTest : public MiniFrameTest {};

// A hidden frame made for a drag out of a dock: a lost capture always ends
// the move, and the pane goes back to its place.
TEST_F(MiniFrameCancelTest, CancelModeOnAHiddenFrameEndsTheMoveAndDocksThePaneBack)
{
    TestPane* pTop = DockedPane(1, CBRS_ALIGN_LEFT, 180, 100);
    TestPane* pPane = AddPane(2, 180, 150);
    ASSERT_TRUE(pPane->DockNextToBar(pTop, CBRS_ALIGN_BOTTOM, nullptr));
    Pump();
    CKtvPMiniFrameWnd* pFrame = FloatPane(pPane);
    ASSERT_NE(nullptr, pFrame);
    pFrame->ShowWindow(SW_HIDE);
    pFrame->EnterDragMode(nullptr);
    ASSERT_TRUE(pFrame->IsCaptured());
    const HWND hFrame = pFrame->GetSafeHwnd();
    pFrame->SendMessage(WM_CANCELMODE);
    Pump();
    EXPECT_FALSE(pPane->IsFloating());
    EXPECT_TRUE(pPane->IsWindowVisible());
    EXPECT_EQ(pTop->GetDefaultSlider(), pPane->GetDefaultSlider());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(pPane->IsDragMode() && ::GetCapture() != pPane->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hFrame));
}

}  // namespace
