// Panes grouped as tabs: a pane dropped on another pane's caption becomes its
// tab in a tabbed bar that takes the other pane's place; a tab dragged off the
// strip or double-clicked floats, and the last tab left takes the tabbed bar's
// place while the emptied bar goes away after the call that emptied it; a
// tabbed bar dropped on another hands its tabs over; the close button hides the
// active tab, or the whole bar with its last visible tab; the caption follows
// the active tab; automatic tab colours switch for every tabbed bar.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display/Display.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPTabbedControlBar.h"

namespace {

using tw::display::MouseButton;
using tw::test::DockingPaneTest;
using tw::test::TestPane;

class TabbedBarTest : public DockingPaneTest {
protected:
    void TearDown() override
    {
        CKtvPTabbedControlBar::EnableTabAutoColor(FALSE);
        DockingPaneTest::TearDown();
    }

    // A pane docked at the left and another made its tab by the library's own call.
    CKtvPBaseTabbedBar* TabbedPair(TestPane*& pFirst, TestPane*& pSecond, UINT nFirstID = 1, UINT nSecondID = 2)
    {
        pFirst = DockedPane(nFirstID, CBRS_ALIGN_LEFT, 200, 100, RGB(200, 0, 0));
        pFirst->SetWindowText("First");
        pSecond = AddPane(nSecondID, 200, 100, RGB(0, 0, 200), tw::test::kPaneStyle, "Second");
        EXPECT_EQ(pSecond, pSecond->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
        Pump();
        return pFirst->GetParentTabbedBar();
    }

    static CKtvPBaseTabWnd* Tabs(CKtvPBaseTabbedBar* pTabbed) { return pTabbed->GetUnderlinedWindow(); }

    static CString Text(const CWnd* pWnd)
    {
        CString str;
        pWnd->GetWindowText(str);
        return str;
    }

    // The centre of a tab on the strip, in screen coordinates.
    static CPoint TabCentre(CKtvPBaseTabWnd* pTabs, int iTab)
    {
        CRect rect;
        pTabs->GetTabRect(iTab, rect);
        pTabs->ClientToScreen(rect);
        return rect.CenterPoint();
    }

    static CPoint FrameCaptionPoint(CKtvPMiniFrameWnd* pFrame)
    {
        CRect rectCaption;
        pFrame->GetCaptionRect(rectCaption);
        rectCaption.OffsetRect(Rect(pFrame).TopLeft());
        return CPoint(rectCaption.left + 8, rectCaption.CenterPoint().y);
    }

    static CPoint CloseButtonCentre(CKtvPDockingControlBar* pBar)
    {
        CRect rect = pBar->FindButtonByHit(KTVP_HTCLOSE_BAR)->GetRect();
        rect.OffsetRect(Rect(pBar).TopLeft());
        return rect.CenterPoint();
    }

    void DoubleClick(CPoint pt)
    {
        Advance(1000);
        for (int i = 0; i < 2; i++) {
            input.MouseMove(pt.x, pt.y);
            input.ButtonDown(MouseButton::Left, pt.x, pt.y);
            input.ButtonUp(MouseButton::Left, pt.x, pt.y);
            Pump();
        }
    }
};

// The pane dropped on the caption of a docked pane, by either docking mode.
TEST_F(TabbedBarTest, APaneDroppedOnAnotherPanesCaptionBecomesItsTab)
{
    for (int nMode : {KTVP_DT_IMMEDIATE, KTVP_DT_STANDARD}) {
        SCOPED_TRACE(nMode);
        TestPane* pTarget = DockedPane(10 * nMode + 1, CBRS_ALIGN_LEFT, 200, 100);
        pTarget->SetWindowText("Target");
        const CRect rectTarget = Rect(pTarget);
        TestPane* pPane = AddPane(10 * nMode + 2, 160, 120, RGB(0, 0, 200), tw::test::kPaneStyle, "Dropped");
        pPane->SetDockMode(nMode);
        ASSERT_TRUE(pPane->DockToFrameWindow(CBRS_ALIGN_RIGHT));
        ASSERT_TRUE(pPane->FloatControlBar(CRect(300, 200, 460, 320), KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        CKtvPMiniFrameWnd* pFrame = pPane->GetParentMiniFrame();
        ASSERT_NE(nullptr, pFrame);
        const HWND hFrame = pFrame->GetSafeHwnd();

        const CPoint ptStart = FrameCaptionPoint(pFrame);
        const CPoint ptOnCaption = CaptionPoint(pTarget) + CPoint(20, 0);
        Drag(ptStart, {CPoint(10, 10), ptOnCaption - ptStart - CPoint(10, 10)}, false);
        Advance(CKtvPDockManager::m_nDockingBarDockDelay + 50);
        input.ButtonUp(MouseButton::Left, ptOnCaption.x, ptOnCaption.y);
        Pump();

        CKtvPBaseTabbedBar* pTabbed = pTarget->GetParentTabbedBar();
        ASSERT_NE(nullptr, pTabbed);
        EXPECT_EQ(pTabbed, pPane->GetParentTabbedBar());
        EXPECT_TRUE(pTabbed->IsDocked());
        EXPECT_TRUE(pTabbed->IsAutoDestroy());
        EXPECT_EQ(rectTarget, Rect(pTabbed));
        ASSERT_EQ(2, pTabbed->GetTabsNum());
        EXPECT_EQ(pTarget, pTabbed->FindBarByTabNumber(0));
        EXPECT_EQ(pPane, pTabbed->FindBarByTabNumber(1));
        EXPECT_EQ(1, Tabs(pTabbed)->GetActiveTab());
        EXPECT_EQ("Dropped", Text(pTabbed));
        EXPECT_EQ(0, pPane->GetCaptionHeight());
        EXPECT_FALSE(::IsWindow(hFrame)) << "the emptied floating frame goes";
        EXPECT_EQ(nullptr, ::GetCapture());

        pTabbed->DestroyWindow();
        Pump();
    }
}

// Dragged off the strip, or double-clicked, a tab floats in a frame of its own;
// the one tab left takes the tabbed bar's place and the emptied bar goes.
TEST_F(TabbedBarTest, ATabLeavingByMouseFloatsAndTheLastTabTakesTheBarsPlace)
{
    struct Case {
        const char* name;
        bool bDoubleClick;
    };
    for (const Case& c : {Case{"drag", false}, Case{"double click", true}}) {
        SCOPED_TRACE(c.name);
        TestPane* pFirst = nullptr;
        TestPane* pSecond = nullptr;
        CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond, c.bDoubleClick ? 11 : 1, c.bDoubleClick ? 12 : 2);
        ASSERT_NE(nullptr, pTabbed);
        pSecond->SetDockMode(KTVP_DT_IMMEDIATE);
        const CRect rectTabbed = Rect(pTabbed);
        const HWND hTabbed = pTabbed->GetSafeHwnd();
        CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
        ASSERT_EQ(1, pTabs->GetActiveTab());
        const CPoint ptTab = TabCentre(pTabs, 1);
        if (c.bDoubleClick) {
            DoubleClick(ptTab);
        } else {
            Drag(ptTab, {CPoint(0, -4), CPoint(150, -60)});
        }

        EXPECT_TRUE(pSecond->IsFloating());
        EXPECT_FALSE(pSecond->IsTabbed());
        EXPECT_TRUE(pSecond->GetParentMiniFrame()->IsWindowVisible());
        // The tabbed bar is hidden at once and destroyed once the call returned.
        EXPECT_FALSE(pFirst->IsTabbed());
        EXPECT_TRUE(pFirst->IsDocked());
        EXPECT_TRUE(pFirst->IsWindowVisible());
        EXPECT_EQ(rectTabbed, Rect(pFirst));
        EXPECT_GT(pFirst->GetCaptionHeight(), 0);
        Pump();
        EXPECT_FALSE(::IsWindow(hTabbed));
        EXPECT_EQ(nullptr, ::GetCapture());

        pSecond->GetParentMiniFrame()->DestroyWindow();
        pFirst->DestroyWindow();
        Pump();
    }
}

// With three tabs the bar stays and keeps the others.
TEST_F(TabbedBarTest, ATabDraggedOffAThreeTabBarLeavesTheOthersInIt)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    TestPane* pThird = AddPane(3, 200, 100, RGB(0, 200, 0), tw::test::kPaneStyle, "Third");
    ASSERT_EQ(pThird, pThird->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
    Pump();
    ASSERT_EQ(3, pTabbed->GetTabsNum());
    const CPoint ptTab = TabCentre(Tabs(pTabbed), 2);
    Drag(ptTab, {CPoint(0, -4), CPoint(150, -60)});
    Pump();
    EXPECT_TRUE(pThird->IsFloating());
    ASSERT_TRUE(::IsWindow(pTabbed->GetSafeHwnd()));
    EXPECT_EQ(2, pTabbed->GetTabsNum());
    EXPECT_TRUE(pTabbed->IsWindowVisible());
    EXPECT_EQ(pSecond, pTabbed->FindBarByTabNumber(Tabs(pTabbed)->GetActiveTab()));
    EXPECT_EQ("Second", Text(pTabbed));
}

// A tab dragged along the strip over another changes places with it; the
// tabbed bar and the frame hear of the move.
TEST_F(TabbedBarTest, ATabDraggedAlongTheStripMovesAndTheBarsFrameIsTold)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
    struct Moved {
        int nCount = 0;
        WPARAM wOld = 0;
        LPARAM lNew = 0;
    } moved;
    frame->m_onMessage = [&moved](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == KTVM_ON_MOVE_TAB) {
            moved.nCount++;
            moved.wOld = wParam;
            moved.lNew = lParam;
        }
    };
    const CPoint ptFrom = TabCentre(pTabs, 1);
    const CPoint ptTo = TabCentre(pTabs, 0);
    Drag(ptFrom, {CPoint(-2, 0), ptTo - ptFrom + CPoint(2, 0)});
    EXPECT_EQ(pSecond, pTabbed->FindBarByTabNumber(0));
    EXPECT_EQ(0, pTabs->GetActiveTab());
    frame->m_onMessage = nullptr;
    EXPECT_EQ(1, moved.nCount);
    EXPECT_EQ(1u, moved.wOld);
    EXPECT_EQ(0, moved.lNew);
    EXPECT_TRUE(pSecond->IsTabbed());
}

}  // namespace
