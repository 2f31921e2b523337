// Panes moved with the mouse: a drag on a docked pane's caption floats it only
// past the system drag distance; a floating frame held over a pane or a frame
// edge docks after the dock manager's delay on the process clock, the wait
// starting again on a new target and never ending in a dock while Ctrl is held;
// with a drag outline the pane docks at release where the outline showed, and
// Escape leaves everything and the screen as they were; a double click floats
// a pane and docks it back.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display/Display.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/docking/KtvPDockManager.h"

namespace {

using tw::display::MouseButton;
using tw::test::DockingPaneTest;
using tw::test::TestPane;


class DockingFloatTest : public DockingPaneTest {
protected:
    // A point on the floating frame's caption, left of its buttons.
    static CPoint FrameCaptionPoint(CKtvPMiniFrameWnd* pFrame)
    {
        CRect rectCaption;
        pFrame->GetCaptionRect(rectCaption);
        rectCaption.OffsetRect(Rect(pFrame).TopLeft());
        return CPoint(rectCaption.left + 8, rectCaption.CenterPoint().y);
    }

    TestPane* FloatingPane(UINT nID, int nDockMode, CRect rectFloat = CRect(300, 200, 460, 320))
    {
        TestPane* pPane = DockedPane(nID, CBRS_ALIGN_RIGHT, 120, 100);
        pPane->SetDockMode(nDockMode);
        EXPECT_TRUE(pPane->FloatControlBar(rectFloat, KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        EXPECT_TRUE(pPane->IsFloating());
        return pPane;
    }
};

TEST_F(DockingFloatTest, ACaptionDragFloatsThePaneOnlyPastTheDragDistance)
{
    for (int nMode : {KTVP_DT_IMMEDIATE, KTVP_DT_STANDARD}) {
        SCOPED_TRACE(nMode);
        TestPane* pPane = DockedPane(10 + nMode, CBRS_ALIGN_LEFT, 180, 100);
        pPane->SetDockMode(nMode);
        const CRect rectDocked = Rect(pPane);
        // Within the drag distance nothing floats: in immediate mode the
        // distance counts from the pane's edge, with an outline from the press.
        const CPoint ptStart = CaptionPoint(pPane);
        if (nMode == KTVP_DT_IMMEDIATE) {
            Drag(ptStart, {CPoint(1, 0), CPoint(rectDocked.right - ptStart.x + 2, 0)});
        } else {
            Drag(ptStart, {CPoint(2, 2)});
        }
        EXPECT_TRUE(pPane->IsDocked());
        EXPECT_TRUE(rectDocked == Rect(pPane));
        // Past it the pane floats in its own frame.
        Drag(ptStart, {CPoint(1, 0), CPoint(rectDocked.right - ptStart.x + 60, 40)});
        EXPECT_TRUE(pPane->IsFloating());
        CKtvPMiniFrameWnd* pFrame = pPane->GetParentMiniFrame();
        ASSERT_NE(nullptr, pFrame);
        EXPECT_TRUE(pFrame->IsWindowVisible());
        EXPECT_FALSE(pFrame->IsCaptured());
        EXPECT_EQ(0, manager->GetClientAreaBounds().left);
        pFrame->DestroyWindow();
        Pump();
    }
}

// A floating frame held over the lower edge of a docked pane, in immediate mode.
class ImmediateDockTest : public DockingFloatTest {
protected:
    void SetUp() override
    {
        DockingFloatTest::SetUp();
        target = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
        pane = FloatingPane(2, KTVP_DT_IMMEDIATE);
        frameOfPane = pane->GetParentMiniFrame();
        const CRect rectTarget = Rect(target);
        ptOverEdge = CPoint(rectTarget.CenterPoint().x, rectTarget.bottom - 6);
    }

    // Presses on the frame's caption and moves the cursor to pt, holding the button.
    void HoldAt(CPoint pt)
    {
        const CPoint ptStart = FrameCaptionPoint(frameOfPane);
        Drag(ptStart, {CPoint(3, 3), pt - ptStart - CPoint(3, 3)}, false);
    }

    TestPane* target = nullptr;
    TestPane* pane = nullptr;
    CKtvPMiniFrameWnd* frameOfPane = nullptr;
    CPoint ptOverEdge;
};

TEST_F(ImmediateDockTest, DocksBesideThePaneAfterTheDelay)
{
    HoldAt(ptOverEdge);
    ASSERT_TRUE(frameOfPane->IsCaptured());
    Advance(CKtvPDockManager::m_nDockingBarDockDelay - 20);
    EXPECT_TRUE(pane->IsFloating());
    Advance(40);
    EXPECT_FALSE(pane->IsFloating());
    EXPECT_EQ(target->GetDefaultSlider(), pane->GetDefaultSlider());
    EXPECT_GT(Rect(pane).top, Rect(target).top);
    EXPECT_EQ(Rect(target).left, Rect(pane).left);
    input.ButtonUp(MouseButton::Left, ptOverEdge.x, ptOverEdge.y);
    Pump();
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ImmediateDockTest, ANewTargetStartsTheWaitAgain)
{
    HoldAt(ptOverEdge);
    Advance(150);
    // Over the frame's right edge now: another target.
    CRect rectClient;
    frame->GetClientRect(rectClient);
    frame->ClientToScreen(rectClient);
    const CPoint ptRightEdge(rectClient.right - 4, rectClient.CenterPoint().y);
    input.MouseMove(ptRightEdge.x, ptRightEdge.y);
    Pump();
    Advance(150);
    EXPECT_TRUE(pane->IsFloating());
    Advance(100);
    EXPECT_FALSE(pane->IsFloating());
    EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, pane->GetCurrentAlignment());
    input.ButtonUp(MouseButton::Left, ptRightEdge.x, ptRightEdge.y);
    Pump();
}

TEST_F(ImmediateDockTest, NeverDocksWhileCtrlIsHeld)
{
    input.KeyDown(VK_CONTROL);
    HoldAt(ptOverEdge);
    Advance(1000);
    EXPECT_TRUE(pane->IsFloating());
    input.ButtonUp(MouseButton::Left, ptOverEdge.x, ptOverEdge.y);
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_TRUE(pane->IsFloating());
}

TEST_F(DockingFloatTest, WithAnOutlineTheFrameDocksAtReleaseWhereTheOutlineShowed)
{
    TestPane* pTarget = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
    TestPane* pPane = FloatingPane(2, KTVP_DT_STANDARD);
    CKtvPMiniFrameWnd* pFrame = pPane->GetParentMiniFrame();
    const CRect rectTarget = Rect(pTarget);
    const CPoint ptStart = FrameCaptionPoint(pFrame);
    const CPoint ptOverEdge(rectTarget.CenterPoint().x, rectTarget.bottom - 6);
    Drag(ptStart, {CPoint(10, 10), ptOverEdge - ptStart - CPoint(10, 10)}, false);
    const CRect rectOutline = pFrame->GetDragFrameImpl().m_rectDockPreview;
    ASSERT_FALSE(rectOutline.IsRectEmpty());
    input.ButtonUp(MouseButton::Left, ptOverEdge.x, ptOverEdge.y);
    Pump();
    EXPECT_FALSE(pPane->IsFloating());
    EXPECT_EQ(pTarget->GetDefaultSlider(), pPane->GetDefaultSlider());
    const CRect rectDocked = Rect(pPane);
    EXPECT_TRUE(rectOutline == rectDocked) << rectOutline.left << "," << rectOutline.top << "," << rectOutline.right
                                           << "," << rectOutline.bottom << " docked " << rectDocked.left << ","
                                           << rectDocked.top << "," << rectDocked.right << "," << rectDocked.bottom;
}

TEST_F(DockingFloatTest, EscapeInAnOutlineDragLeavesEverythingAsItWas)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
    pPane->SetDockMode(KTVP_DT_STANDARD);
    const CRect rectBefore = Rect(pPane);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();
    const std::vector<uint32_t> before = tw::test::ScreenPixels();
    Drag(CaptionPoint(pPane), {CPoint(10, 0), CPoint(250, 100)}, false);
    ASSERT_TRUE(pPane->GetDragFrameImpl().IsShown());
    EXPECT_FALSE(tw::test::ScreenPixels() == before);
    pPane->SendMessage(WM_CANCELMODE);
    Pump();
    EXPECT_FALSE(pPane->GetDragFrameImpl().IsShown());
    EXPECT_TRUE(tw::test::ScreenPixels() == before) << "the screen is as before the drag";
    const CPoint ptEnd = CaptionPoint(pPane) + CPoint(260, 100);
    input.ButtonUp(MouseButton::Left, ptEnd.x, ptEnd.y);
    Pump();
    EXPECT_TRUE(pPane->IsDocked());
    EXPECT_EQ(rectBefore, Rect(pPane));
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DockingFloatTest, ADoubleClickFloatsAPaneAndAnotherDocksItBack)
{
    TestPane* pTop = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
    TestPane* pPane = AddPane(2, 200, 150);
    ASSERT_TRUE(pPane->DockNextToBar(pTop, CBRS_ALIGN_BOTTOM, nullptr));
    Pump();
    const CRect rectDocked = Rect(pPane);
    const CPoint ptCaption = CaptionPoint(pPane);
    Advance(1000);
    input.Click(MouseButton::Left, ptCaption.x, ptCaption.y);
    input.Click(MouseButton::Left, ptCaption.x, ptCaption.y);
    Pump();
    ASSERT_TRUE(pPane->IsFloating());
    EXPECT_EQ(400, ClientRectOf(pTop).bottom);

    CKtvPMiniFrameWnd* pFrame = pPane->GetParentMiniFrame();
    const CPoint ptFrame = FrameCaptionPoint(pFrame);
    Advance(1000);
    input.Click(MouseButton::Left, ptFrame.x, ptFrame.y);
    input.Click(MouseButton::Left, ptFrame.x, ptFrame.y);
    Pump();
    EXPECT_FALSE(pPane->IsFloating());
    const CRect rectBack = Rect(pPane);
    // Back at its side of the node, with its share of it (kept in whole percent).
    EXPECT_EQ(rectDocked.left, rectBack.left);
    EXPECT_EQ(rectDocked.right, rectBack.right);
    EXPECT_EQ(rectDocked.bottom, rectBack.bottom);
    EXPECT_NEAR(rectDocked.top, rectBack.top, 4);
    EXPECT_EQ(pTop->GetDefaultSlider(), pPane->GetDefaultSlider());
}

}  // namespace
