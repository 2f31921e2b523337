// Floating frames that hold several panes: panes that float together join one
// frame beside or into another pane, the frame's caption follows a single
// visible pane, a double click on its caption sends every pane home and the
// emptied frame goes away, closing and showing panes hides and shows the
// frame with the panes' places kept, and a frame dropped on a frame side gives
// its whole layout to that side.
#include <gtest/gtest.h>

#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"

namespace {

using tw::display::MouseButton;
using tw::test::DockingPaneTest;
using tw::test::TestPane;

class MultiMiniFrameTest : public DockingPaneTest {
protected:
    // A pane that floats in a frame of several panes, docked at a side first.
    TestPane* MultiPane(UINT nID, DWORD dwSide, LPCTSTR lpszCaption, COLORREF clr = RGB(255, 255, 255))
    {
        auto* pPane = new TestPane(clr);
        EXPECT_TRUE(pPane->Create(lpszCaption, frame, CRect(0, 0, 160, 120), TRUE, nID,
                                  WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_FLOAT_MULTI, 0x20, tw::test::kPaneStyle));
        pPane->EnableDocking(CBRS_ALIGN_ANY);
        EXPECT_TRUE(pPane->DockToFrameWindow(dwSide));
        Pump();
        return pPane;
    }

    CKtvPMultiMiniFrameWnd* Float(TestPane* pPane, CRect rectFloat, int nDockMode = KTVP_DT_IMMEDIATE)
    {
        pPane->SetDockMode(nDockMode);
        EXPECT_TRUE(pPane->FloatControlBar(rectFloat, KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        return dynamic_cast<CKtvPMultiMiniFrameWnd*>(pPane->GetParentMiniFrame());
    }

    static CPoint FrameCaptionPoint(CKtvPMiniFrameWnd* pFrame)
    {
        CRect rectCaption;
        pFrame->GetCaptionRect(rectCaption);
        rectCaption.OffsetRect(Rect(pFrame).TopLeft());
        return CPoint(rectCaption.left + 8, rectCaption.CenterPoint().y);
    }

    void DoubleClick(CPoint pt)
    {
        Advance(1000);
        input.Click(MouseButton::Left, pt.x, pt.y);
        input.Click(MouseButton::Left, pt.x, pt.y);
        Pump();
    }

    // Two panes floating in one frame, the second below the first.
    CKtvPMultiMiniFrameWnd* FrameOfTwo(TestPane*& pFirst, TestPane*& pSecond)
    {
        pFirst = MultiPane(1, CBRS_ALIGN_LEFT, "First", RGB(255, 0, 0));
        pSecond = MultiPane(2, CBRS_ALIGN_RIGHT, "Second", RGB(0, 0, 255));
        CKtvPMultiMiniFrameWnd* pFrame = Float(pFirst, CRect(200, 100, 400, 260));
        EXPECT_NE(nullptr, pFrame);
        Float(pSecond, CRect(250, 300, 410, 380));
        // The second frame's caption dragged over the lower part of the first pane.
        const CRect rectFirst = Rect(pFirst);
        const CPoint ptTarget(rectFirst.CenterPoint().x, rectFirst.bottom - 6);
        CKtvPMiniFrameWnd* pOther = pSecond->GetParentMiniFrame();
        const CPoint ptStart = FrameCaptionPoint(pOther);
        Drag(ptStart, {CPoint(3, 3), ptTarget - ptStart - CPoint(3, 3)}, false);
        Advance(CKtvPDockManager::m_nDockingBarDockDelay + 20);
        input.MouseMove(ptTarget.x + 1, ptTarget.y);
        Pump();
        input.ButtonUp(MouseButton::Left, ptTarget.x + 1, ptTarget.y);
        Pump();
        return pFrame;
    }

    int FrameCount() const { return (int)manager->GetMiniFrames().GetCount(); }

    void ClickClose(TestPane* pPane) { ClickCaptionButton(pPane, KTVP_HTCLOSE_BAR); }
};

TEST_F(MultiMiniFrameTest, APaneThatFloatsTogetherGetsAFrameThatTakesItsCaption)
{
    TestPane* pPane = MultiPane(1, CBRS_ALIGN_LEFT, "Objects");
    CKtvPMultiMiniFrameWnd* pFrame = Float(pPane, CRect(200, 100, 400, 260));
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(1, pFrame->GetControlBarCount());
    EXPECT_EQ(pPane, pFrame->GetControlBar());
    EXPECT_EQ(CString("Objects"), pFrame->GetCaptionText());
    EXPECT_EQ(0, pPane->GetCaptionHeightSetting()) << "the frame's caption serves the single pane";
    // The pane fills the frame's client area.
    CRect rectClient;
    pFrame->GetClientRect(rectClient);
    pFrame->ClientToScreen(rectClient);
    EXPECT_EQ(rectClient, Rect(pPane));
}

TEST_F(MultiMiniFrameTest, AFrameHeldOverAnotherFramesPaneJoinsItAfterTheDelay)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPMultiMiniFrameWnd* pFrame = FrameOfTwo(pFirst, pSecond);
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(pFrame, pSecond->GetParentMiniFrame());
    EXPECT_EQ(2, pFrame->GetControlBarCount());
    EXPECT_EQ(2, pFrame->GetVisibleBarCount());
    // Split one above the other.
    EXPECT_LT(Rect(pFirst).bottom, Rect(pSecond).top + 1);
    EXPECT_EQ(Rect(pFirst).left, Rect(pSecond).left);
    // Two visible panes: no frame caption text, each pane shows its own caption.
    EXPECT_EQ(CString(), pFrame->GetCaptionText());
    EXPECT_GT(pFirst->GetCaptionHeightSetting(), 0);
    EXPECT_GT(pSecond->GetCaptionHeightSetting(), 0);
    // The frame that was left empty is gone.
    int nFrames = 0;
    for (POSITION pos = manager->GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        manager->GetMiniFrames().GetNext(pos);
        nFrames++;
    }
    EXPECT_EQ(1, nFrames);
}

TEST_F(MultiMiniFrameTest, WithAnOutlineTheFrameJoinsAtRelease)
{
    TestPane* pFirst = MultiPane(1, CBRS_ALIGN_LEFT, "First");
    TestPane* pSecond = MultiPane(2, CBRS_ALIGN_RIGHT, "Second");
    CKtvPMultiMiniFrameWnd* pFrame = Float(pFirst, CRect(200, 100, 400, 260), KTVP_DT_STANDARD);
    CKtvPMultiMiniFrameWnd* pOther = Float(pSecond, CRect(250, 300, 410, 380), KTVP_DT_STANDARD);
    ASSERT_NE(nullptr, pFrame);
    ASSERT_NE(nullptr, pOther);
    const CRect rectFirst = Rect(pFirst);
    const CPoint ptTarget(rectFirst.right - 6, rectFirst.CenterPoint().y);
    const CPoint ptStart = FrameCaptionPoint(pOther);
    Drag(ptStart, {CPoint(10, 10), ptTarget - ptStart - CPoint(10, 10)}, false);
    Advance(1000);
    EXPECT_EQ(pOther, pSecond->GetParentMiniFrame()) << "nothing joins before the release";
    input.ButtonUp(MouseButton::Left, ptTarget.x, ptTarget.y);
    Pump();
    EXPECT_EQ(pFrame, pSecond->GetParentMiniFrame());
    EXPECT_EQ(2, pFrame->GetControlBarCount());
    EXPECT_LE(Rect(pFirst).right, Rect(pSecond).left) << "split in beside the right edge";
    EXPECT_EQ(1, FrameCount());
    EXPECT_EQ(nullptr, ::GetCapture());
}

// The emptied frame leaves the screen; it keeps the nodes the panes remember,
// so that a double click on a docked pane floats it back to its place there.
TEST_F(MultiMiniFrameTest, ADoubleClickOnTheCaptionDocksEveryPaneBackAndAnotherFloatsOneBack)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPMultiMiniFrameWnd* pFrame = FrameOfTwo(pFirst, pSecond);
    ASSERT_EQ(pFrame, pSecond->GetParentMiniFrame());
    const CRect rectFrame = Rect(pFrame);
    DoubleClick(FrameCaptionPoint(pFrame));
    EXPECT_TRUE(pFirst->IsDocked());
    EXPECT_TRUE(pSecond->IsDocked());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pFirst->GetCurrentAlignment());
    EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, pSecond->GetCurrentAlignment());
    EXPECT_EQ(0, pFrame->GetControlBarCount());
    EXPECT_FALSE(pFrame->IsWindowVisible());
    EXPECT_EQ(nullptr, CKtvPMiniFrameWnd::FindFloatingBarByID(1));
    EXPECT_EQ(nullptr, CKtvPMiniFrameWnd::FindFloatingBarByID(2));

    DoubleClick(CaptionPoint(pFirst));
    EXPECT_EQ(pFrame, pFirst->GetParentMiniFrame());
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(rectFrame, Rect(pFrame));
    EXPECT_EQ(CString("First"), pFrame->GetCaptionText());
    EXPECT_TRUE(pSecond->IsDocked());
}

TEST_F(MultiMiniFrameTest, ClosingPanesHidesTheFrameAndShowingOneBringsItBackInPlace)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPMultiMiniFrameWnd* pFrame = FrameOfTwo(pFirst, pSecond);
    ASSERT_EQ(pFrame, pSecond->GetParentMiniFrame());
    const CRect rectSecond = Rect(pSecond);

    ClickClose(pFirst);
    EXPECT_FALSE(pFirst->IsWindowVisible());
    EXPECT_TRUE(pFrame->IsWindowVisible()) << "one pane is left";
    EXPECT_EQ(CString("Second"), pFrame->GetCaptionText());
    EXPECT_EQ(0, pSecond->GetCaptionHeightSetting());

    pSecond->ShowControlBar(FALSE, FALSE, FALSE);
    Pump();
    EXPECT_FALSE(pFrame->IsWindowVisible());
    EXPECT_EQ(1, FrameCount()) << "the frame keeps the places of its closed panes";

    pSecond->ShowControlBar(TRUE, FALSE, FALSE);
    Pump();
    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_EQ(pFrame, pSecond->GetParentMiniFrame());
    pFirst->ShowControlBar(TRUE, FALSE, FALSE);
    Pump();
    // Back at their places; the split is kept in whole percent.
    const CRect rectBack = Rect(pSecond);
    EXPECT_EQ(rectSecond.left, rectBack.left);
    EXPECT_EQ(rectSecond.right, rectBack.right);
    EXPECT_EQ(rectSecond.bottom, rectBack.bottom);
    EXPECT_NEAR(rectSecond.top, rectBack.top, 4);
    EXPECT_LT(Rect(pFirst).top, Rect(pSecond).top);
}

TEST_F(MultiMiniFrameTest, AFrameDroppedAtAFrameSideGivesItsWholeLayoutToThatSide)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPMultiMiniFrameWnd* pFrame = FrameOfTwo(pFirst, pSecond);
    ASSERT_EQ(pFrame, pSecond->GetParentMiniFrame());
    const int nHeightFirst = Rect(pFirst).Height();
    const int nHeightSecond = Rect(pSecond).Height();
    CRect rectClient;
    frame->GetClientRect(rectClient);
    frame->ClientToScreen(rectClient);
    const CPoint ptBottom(rectClient.CenterPoint().x, rectClient.bottom - 4);
    ::SetCursorPos(ptBottom.x, ptBottom.y);
    EXPECT_FALSE(pFrame->DockWithStatus(1, nullptr, KTVP_DM_STANDARD));
    Pump();
    EXPECT_TRUE(pFirst->IsDocked());
    EXPECT_TRUE(pSecond->IsDocked());
    EXPECT_EQ(0, pFrame->GetControlBarCount());
    EXPECT_FALSE(pFrame->IsWindowVisible());
    // One default slider for the side holds both, still one above the other.
    ASSERT_NE(nullptr, pFirst->GetDefaultSlider());
    EXPECT_EQ(pFirst->GetDefaultSlider(), pSecond->GetDefaultSlider());
    EXPECT_EQ((DWORD)CBRS_ALIGN_BOTTOM, pFirst->GetDefaultSlider()->GetCurrentAlignment());
    EXPECT_LT(Rect(pFirst).top, Rect(pSecond).top);
    EXPECT_EQ(Rect(pFirst).left, Rect(pSecond).left);
    EXPECT_NEAR(nHeightFirst, Rect(pFirst).Height(), nHeightFirst / 2 + 1);
    EXPECT_GT(nHeightSecond, 0);
}

TEST_F(MultiMiniFrameTest, APaneIsInsertedOnlyWhereTheFrameHasAPlaceForIt)
{
    TestPane* pFirst = MultiPane(1, CBRS_ALIGN_LEFT, "First");
    TestPane* pDocked = MultiPane(2, CBRS_ALIGN_RIGHT, "Docked");
    CKtvPMultiMiniFrameWnd* pFrame = Float(pFirst, CRect(200, 100, 400, 260));
    ASSERT_NE(nullptr, pFrame);
    const CRect rectDocked = Rect(pDocked);

    // Far from the frame's pane: refused before the pane leaves its place.
    ::SetCursorPos(20, 380);
    EXPECT_TRUE(pFrame->DockBarIntoFrame(pDocked));
    Pump();
    EXPECT_TRUE(pDocked->IsDocked());
    EXPECT_EQ(rectDocked, Rect(pDocked));
    EXPECT_TRUE(pDocked->IsWindowVisible());

    // Near the pane's left edge: it goes in on that side and gets the focus.
    const CRect rectFirst = Rect(pFirst);
    ::SetCursorPos(rectFirst.left + 5, rectFirst.CenterPoint().y);
    EXPECT_FALSE(pFrame->DockBarIntoFrame(pDocked));
    Pump();
    EXPECT_EQ(pFrame, pDocked->GetParentMiniFrame());
    EXPECT_LE(Rect(pDocked).right, Rect(pFirst).left);
    EXPECT_EQ(pDocked, CKtvPMiniFrameWnd::FindFloatingBarByID(2));
    EXPECT_EQ(2, pFrame->GetVisibleBarCount());
}

TEST_F(MultiMiniFrameTest, AFrameDroppedOnAPanesCaptionInAnotherFrameBecomesItsTabs)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPMultiMiniFrameWnd* pFrame = FrameOfTwo(pFirst, pSecond);
    ASSERT_EQ(pFrame, pSecond->GetParentMiniFrame());
    TestPane* pThird = MultiPane(3, CBRS_ALIGN_BOTTOM, "Third");
    CKtvPMultiMiniFrameWnd* pOther = Float(pThird, CRect(420, 60, 560, 160));
    ASSERT_NE(nullptr, pOther);

    const HWND hOther = pOther->GetSafeHwnd();
    ::SetCursorPos(CaptionPoint(pFirst).x, CaptionPoint(pFirst).y);
    EXPECT_FALSE(pFrame->DockMiniFrame(pOther, KTVP_DM_STANDARD));
    Pump();
    CKtvPBaseTabbedBar* pTabbed = pThird->GetParentTabbedBar();
    ASSERT_NE(nullptr, pTabbed);
    EXPECT_EQ(pTabbed, pFirst->GetParentTabbedBar());
    EXPECT_EQ(pFrame, pTabbed->GetParentMiniFrame());
    EXPECT_EQ(2, pTabbed->GetTabsNum());
    EXPECT_EQ(pFrame, pSecond->GetParentMiniFrame());
    EXPECT_FALSE(::IsWindow(hOther) && ::IsWindowVisible(hOther)) << "the emptied frame left the screen";
}

}  // namespace
