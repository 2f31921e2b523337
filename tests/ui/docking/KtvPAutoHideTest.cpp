// Panes pinned to the frame edge: pinning leaves a button on the strip of the
// pane's side and slides the pane away once the mouse has left it; resting on
// the button for the hover time slides it out, leaving button and pane slides
// it back, a click gives it the focus; button sizes follow the side, the icon
// and whether the button is the active one of its group; unpinning through the
// strip docks the panes back.
#include <gtest/gtest.h>

#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/docking/KtvPAutoHideDockBar.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::display::MouseButton;
using tw::test::DockingPaneTest;
using tw::test::TestPane;

// A small icon of one colour.
HICON SmallIcon()
{
    const int cx = globalData.m_sizeSmallIcon.cx;
    const int cy = globalData.m_sizeSmallIcon.cy;
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    HBITMAP hImage = ::CreateBitmap(cx, cy, 1, 32, nullptr);
    ICONINFO info{TRUE, 0, 0, hMask, hImage};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hImage);
    return hIcon;
}

class AutoHideTest : public DockingPaneTest {
protected:
    void SetUp() override
    {
        DockingPaneTest::SetUp();
        ASSERT_TRUE(manager->EnableAutoHideBars(CBRS_ALIGN_ANY));
    }

    CKtvPAutoHideDockBar* Strip(DWORD dwSide)
    {
        return dynamic_cast<CKtvPAutoHideDockBar*>(manager->FindDockBar(dwSide, FALSE));
    }

    void ClickPin(TestPane* pPane) { ClickCaptionButton(pPane, KTVP_HTPIN); }

    // Pinned, then left alone with the mouse far away until it has slid away.
    TestPane* PinnedPane(UINT nID, DWORD dwSide, LPCTSTR lpszCaption = "Pane")
    {
        TestPane* pPane = AddPane(nID, 150, 120, RGB(0, 128, 0), tw::test::kPaneStyle, lpszCaption);
        EXPECT_TRUE(pPane->DockToFrameWindow(dwSide));
        Pump();
        ClickPin(pPane);
        EXPECT_TRUE(pPane->IsAutoHideMode());
        // The user works elsewhere: the pane is no longer the active one.
        frame->SetFocus();
        MoveAway();
        Advance(CKtvPDockingControlBar::m_nAutoHideConditionDelay + 10);
        for (int i = 0; i < 400 && pPane->IsWindowVisible(); i++) {
            Advance(1);
        }
        return pPane;
    }

    void MoveAway()
    {
        CRect rectClient;
        frame->GetClientRect(rectClient);
        frame->ClientToScreen(rectClient);
        input.MouseMove(rectClient.CenterPoint().x, rectClient.CenterPoint().y);
        Pump();
    }

    static CPoint ButtonCentre(CKtvPAutoHideButton* pButton)
    {
        CRect rect = pButton->GetRect();
        pButton->GetParentToolBar()->ClientToScreen(rect);
        return rect.CenterPoint();
    }

    // Slides run on 1 ms steps of the process clock.
    void FinishSlide(TestPane* pPane)
    {
        for (int i = 0; i < 400 && pPane->IsSliding(); i++) {
            Advance(1);
        }
    }
};

TEST_F(AutoHideTest, PinningLeavesAButtonOnTheStripOfThePanesSide)
{
    TestPane* pPane = PinnedPane(1, CBRS_ALIGN_LEFT, "Objects");
    CKtvPAutoHideDockBar* pStrip = Strip(CBRS_ALIGN_LEFT);
    ASSERT_NE(nullptr, pStrip);
    EXPECT_TRUE(pStrip->IsWindowVisible());
    ASSERT_EQ(1, pStrip->GetControlBarList().GetCount());
    auto* pToolBar = dynamic_cast<CKtvPAutoHideToolBar*>(pStrip->GetControlBarList().GetHead());
    ASSERT_NE(nullptr, pToolBar);
    EXPECT_EQ(pToolBar, pPane->GetAutoHideToolBar());
    ASSERT_EQ(1, pToolBar->GetButtons().GetCount());
    CKtvPAutoHideButton* pButton = pToolBar->FindButton(pPane);
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(pButton, pPane->GetAutoHideButton());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pButton->GetAlignment());
    EXPECT_FALSE(pButton->IsHorizontal());
    // The pane slid away; its button's toolbar sits on the strip, as long as the button.
    EXPECT_FALSE(pPane->IsWindowVisible());
    CSize size;
    pButton->GetSize(size);
    EXPECT_EQ(size, Rect(pToolBar).Size());
    EXPECT_TRUE(CRect().IntersectRect(Rect(pToolBar), Rect(pStrip)));
}

TEST_F(AutoHideTest, RestingOnTheButtonSlidesThePaneOutAfterTheHoverTime)
{
    TestPane* pPane = PinnedPane(1, CBRS_ALIGN_LEFT);
    ASSERT_FALSE(pPane->IsWindowVisible());
    const CPoint ptButton = ButtonCentre(pPane->GetAutoHideButton());

    // Leaving the button before the hover time slides nothing out.
    input.MouseMove(ptButton.x, ptButton.y);
    Pump();
    Advance(CKtvPAutoHideToolBar::m_nHoverDelay - 100);
    MoveAway();
    Advance(200);
    EXPECT_FALSE(pPane->IsWindowVisible());

    // Staying on it: out after the hover time, in the slide's steps.
    input.MouseMove(ptButton.x, ptButton.y);
    Pump();
    Advance(CKtvPAutoHideToolBar::m_nHoverDelay - 2);
    EXPECT_FALSE(pPane->IsWindowVisible());
    Advance(4);
    EXPECT_TRUE(pPane->IsWindowVisible());
    EXPECT_TRUE(pPane->IsSliding());
    FinishSlide(pPane);
    EXPECT_FALSE(pPane->IsSliding());
    EXPECT_TRUE(pPane->IsWindowVisible());
    // Further moves over the button of a pane that is out start no new slide.
    input.MouseMove(ptButton.x, ptButton.y + 1);
    Pump();
    Advance(CKtvPAutoHideToolBar::m_nHoverDelay + 10);
    EXPECT_FALSE(pPane->IsSliding());

    // Away from pane and button: it slides back at the next check.
    MoveAway();
    Advance(CKtvPDockingControlBar::m_nAutoHideConditionDelay + 5);
    FinishSlide(pPane);
    EXPECT_FALSE(pPane->IsWindowVisible());
}

TEST_F(AutoHideTest, AClickOnTheButtonGivesThePaneTheFocus)
{
    TestPane* pPane = PinnedPane(1, CBRS_ALIGN_BOTTOM);
    const CPoint ptButton = ButtonCentre(pPane->GetAutoHideButton());
    Advance(1000);
    input.Click(MouseButton::Left, ptButton.x, ptButton.y);
    Pump();
    EXPECT_EQ(pPane->GetSafeHwnd(), ::GetFocus());
}

TEST_F(AutoHideTest, ButtonSizesFollowTheSideTheIconAndTheGroupState)
{
    struct Case {
        DWORD dwSide;
        bool bIcon;
    };
    const Case cases[] = {{CBRS_ALIGN_TOP, false}, {CBRS_ALIGN_BOTTOM, true}, {CBRS_ALIGN_LEFT, false},
                          {CBRS_ALIGN_RIGHT, true}};
    UINT nID = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.dwSide << " icon " << c.bIcon);
        TestPane* pPane = AddPane(nID++, 150, 120, RGB(0, 128, 0), tw::test::kPaneStyle, "abc");
        if (c.bIcon) {
            pPane->SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)SmallIcon());
        }
        ASSERT_TRUE(pPane->DockToFrameWindow(c.dwSide));
        Pump();
        CKtvPAutoHideToolBar* pToolBar = pPane->SetAutoHideMode(TRUE, c.dwSide, nullptr, FALSE);
        ASSERT_NE(nullptr, pToolBar);
        CKtvPAutoHideButton* pButton = pPane->GetAutoHideButton();
        ASSERT_NE(nullptr, pButton);

        CSize sizeText;
        {
            CWindowDC dc(pToolBar);
            CFont* pOld = dc.SelectObject(&globalData.fontRegular);
            ::GetTextExtentPoint32(dc.GetSafeHdc(), "abc", 3, &sizeText);
            dc.SelectObject(pOld);
        }
        const bool bHorz = c.dwSide == CBRS_ALIGN_TOP || c.dwSide == CBRS_ALIGN_BOTTOM;
        const CSize sizeIcon = c.bIcon ? globalData.m_sizeSmallIcon : CSize(0, 0);
        const int nAlong = sizeText.cx + 2;
        const int nAcross = std::max((int)sizeText.cy + 2, (int)(bHorz ? sizeIcon.cy : sizeIcon.cx));
        const int nIconAlong = bHorz ? sizeIcon.cx : sizeIcon.cy;
        const int nLength = c.bIcon ? 4 + nAlong + 10 + 2 * nIconAlong : 4 + nAlong + 22;
        CSize size;
        pButton->GetSize(size);
        EXPECT_EQ(bHorz ? CSize(nLength, 4 + nAcross) : CSize(4 + nAcross, nLength), size);

        // Not the active one of its group: the caption's share goes.
        pToolBar->m_bActiveInGroup = FALSE;
        pButton->GetSize(size);
        const int nShort = c.bIcon ? 4 + 3 + nIconAlong : 4 + 22;
        EXPECT_EQ(nShort, bHorz ? size.cx : size.cy);
        pToolBar->m_bActiveInGroup = TRUE;
    }
}

TEST_F(AutoHideTest, TheButtonBorderLeavesOutTheSideFacingTheFrameEdge)
{
    // Drawn on a white surface with the classic look: the border is the only dark line.
    struct Case {
        DWORD dwSide;
        CRect rectBorder;  // left, top, right, bottom thickness
    };
    const Case cases[] = {{CBRS_ALIGN_TOP, CRect(1, 0, 1, 1)},
                          {CBRS_ALIGN_BOTTOM, CRect(1, 1, 1, 0)},
                          {CBRS_ALIGN_LEFT, CRect(0, 1, 1, 1)},
                          {CBRS_ALIGN_RIGHT, CRect(1, 1, 0, 1)}};
    UINT nID = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dwSide);
        TestPane* pPane = AddPane(nID++, 150, 120, RGB(0, 128, 0), tw::test::kPaneStyle, "abc");
        ASSERT_TRUE(pPane->DockToFrameWindow(c.dwSide));
        Pump();
        ASSERT_NE(nullptr, pPane->SetAutoHideMode(TRUE, c.dwSide, nullptr, FALSE));
        struct Recorder : CKtvPAutoHideButton {
            CRect m_rectSeen;
            void OnDrawBorder(CDC*, CRect, CRect rectBorderSize) override { m_rectSeen = rectBorderSize; }
        } recorder;
        recorder.Create(pPane->GetAutoHideToolBar(), nullptr, c.dwSide);
        CClientDC dc(frame);
        recorder.OnDraw(&dc);
        EXPECT_EQ(c.rectBorder, recorder.m_rectSeen);
    }
}

TEST_F(AutoHideTest, TheStripTakesOnlyAutoHideToolbarsInOneRow)
{
    TestPane* pFirst = PinnedPane(1, CBRS_ALIGN_TOP, "First");
    TestPane* pSecond = PinnedPane(2, CBRS_ALIGN_TOP, "Second");
    CKtvPAutoHideDockBar* pStrip = Strip(CBRS_ALIGN_TOP);
    ASSERT_NE(nullptr, pStrip);
    ASSERT_EQ(1, pStrip->GetDockBarRows().GetCount());
    EXPECT_EQ(2, pStrip->GetControlBarList().GetCount());
    auto* pRow = static_cast<CKtvPDockBarRow*>(pStrip->GetDockBarRows().GetHead());
    const CRect rectToolBar = Rect(pFirst->GetAutoHideToolBar());
    EXPECT_EQ(rectToolBar.Height() + CKtvPAutoHideDockBar::m_nRowExtraSpace, pRow->GetRowHeight());
    // Laid out from the strip's start with the margin, then the gap.
    const CRect rectSecond = Rect(pSecond->GetAutoHideToolBar());
    EXPECT_EQ(globalData.m_nAutoHideStripGap, rectSecond.left - rectToolBar.right);
    EXPECT_EQ(globalData.m_nAutoHideStripMargin + pStrip->m_nOffsetStart, rectToolBar.left - Rect(pStrip).left);

    tw::test::TestPane* pPlain = AddPane(3, 100, 100);
    EXPECT_FALSE(pStrip->CanAcceptBar(pPlain));
    EXPECT_FALSE(pStrip->CanAcceptBar(AddBar(4, 80, 20)));
    EXPECT_TRUE(pStrip->CanAcceptBar(pFirst->GetAutoHideToolBar()));
}

TEST_F(AutoHideTest, UnpinningThroughTheStripDocksEveryPaneBack)
{
    TestPane* pFirst = PinnedPane(1, CBRS_ALIGN_RIGHT, "First");
    TestPane* pSecond = PinnedPane(2, CBRS_ALIGN_RIGHT, "Second");
    CKtvPAutoHideDockBar* pStrip = Strip(CBRS_ALIGN_RIGHT);
    ASSERT_NE(nullptr, pStrip);
    pStrip->UnSetAutoHideMode(nullptr);
    Pump();
    for (TestPane* pPane : {pFirst, pSecond}) {
        EXPECT_FALSE(pPane->IsAutoHideMode());
        EXPECT_TRUE(pPane->IsDocked());
        EXPECT_TRUE(pPane->IsWindowVisible());
        EXPECT_EQ(nullptr, pPane->GetAutoHideToolBar());
        EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, pPane->GetCurrentAlignment());
    }
    EXPECT_EQ(0, pStrip->GetControlBarList().GetCount());
}

TEST_F(AutoHideTest, APinClickOnAnAutoHiddenPaneDocksItBack)
{
    TestPane* pPane = PinnedPane(1, CBRS_ALIGN_LEFT);
    const CPoint ptButton = ButtonCentre(pPane->GetAutoHideButton());
    input.MouseMove(ptButton.x, ptButton.y);
    Pump();
    Advance(CKtvPAutoHideToolBar::m_nHoverDelay + 5);
    FinishSlide(pPane);
    ASSERT_TRUE(pPane->IsWindowVisible());
    ClickPin(pPane);
    EXPECT_FALSE(pPane->IsAutoHideMode());
    EXPECT_TRUE(pPane->IsDocked());
    EXPECT_EQ(0, Strip(CBRS_ALIGN_LEFT)->GetControlBarList().GetCount());
}

TEST_F(AutoHideTest, APinClickWithCtrlPinsAndUnpinsEveryPaneOfTheSide)
{
    TestPane* pFirst = AddPane(1, 150, 120, RGB(0, 128, 0), tw::test::kPaneStyle, "First");
    ASSERT_TRUE(pFirst->DockToFrameWindow(CBRS_ALIGN_LEFT));
    TestPane* pSecond = AddPane(2, 150, 120, RGB(0, 0, 128), tw::test::kPaneStyle, "Second");
    ASSERT_TRUE(pSecond->DockNextToBar(pFirst, CBRS_ALIGN_BOTTOM, nullptr));
    TestPane* pOther = DockedPane(3, CBRS_ALIGN_RIGHT, 150, 120);
    for (TestPane* pPane : {pFirst, pSecond, pOther}) {
        pPane->EnableAutoHideAll(TRUE);
    }
    Pump();

    input.KeyDown(VK_CONTROL);
    ClickPin(pFirst);
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_TRUE(pFirst->IsAutoHideMode());
    EXPECT_TRUE(pSecond->IsAutoHideMode());
    EXPECT_FALSE(pOther->IsAutoHideMode()) << "only the panes of the side";
    EXPECT_EQ(2, Strip(CBRS_ALIGN_LEFT)->GetControlBarList().GetCount());

    // Out again by its button, then Ctrl and its pin bring the whole side back.
    frame->SetFocus();
    const CPoint ptButton = ButtonCentre(pSecond->GetAutoHideButton());
    input.MouseMove(ptButton.x, ptButton.y);
    Pump();
    Advance(CKtvPAutoHideToolBar::m_nHoverDelay + 5);
    FinishSlide(pSecond);
    ASSERT_TRUE(pSecond->IsWindowVisible());
    input.KeyDown(VK_CONTROL);
    ClickPin(pSecond);
    input.KeyUp(VK_CONTROL);
    Pump();
    for (TestPane* pPane : {pFirst, pSecond}) {
        EXPECT_FALSE(pPane->IsAutoHideMode());
        EXPECT_TRUE(pPane->IsDocked());
        EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pPane->GetCurrentAlignment());
    }
    EXPECT_EQ(0, Strip(CBRS_ALIGN_LEFT)->GetControlBarList().GetCount());
}

}  // namespace
