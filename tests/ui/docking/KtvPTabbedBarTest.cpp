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
#include "tests/support/ScopedAppNames.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvRegPath.h"

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

    // A third pane added as a tab beside the pair's.
    TestPane* ThirdTab(TestPane* pFirst, UINT nID = 3)
    {
        TestPane* pThird = AddPane(nID, 200, 100, RGB(0, 200, 0), tw::test::kPaneStyle, "Third");
        EXPECT_EQ(pThird, pThird->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
        return pThird;
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

    static CPoint CaptionButtonCentre(CKtvPDockingControlBar* pBar, UINT nHit)
    {
        CRect rect = pBar->FindButtonByHit(nHit)->GetRect();
        rect.OffsetRect(Rect(pBar).TopLeft());
        return rect.CenterPoint();
    }

    static CPoint CloseButtonCentre(CKtvPDockingControlBar* pBar) { return CaptionButtonCentre(pBar, KTVP_HTCLOSE_BAR); }

    // A 16 x 16 icon of one colour.
    static HICON SmallIcon()
    {
        HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
        HBITMAP hImage = ::CreateBitmap(16, 16, 1, 32, nullptr);
        ICONINFO info{TRUE, 0, 0, hMask, hImage};
        HICON hIcon = ::CreateIconIndirect(&info);
        ::DeleteObject(hMask);
        ::DeleteObject(hImage);
        return hIcon;
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
        int nDockMode;
        UINT nFirstID;
    };
    for (const Case& c : {Case{"drag", false, KTVP_DT_IMMEDIATE, 1}, Case{"outline drag", false, KTVP_DT_STANDARD, 11},
                          Case{"double click", true, KTVP_DT_IMMEDIATE, 21}}) {
        SCOPED_TRACE(c.name);
        TestPane* pFirst = nullptr;
        TestPane* pSecond = nullptr;
        CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond, c.nFirstID, c.nFirstID + 1);
        ASSERT_NE(nullptr, pTabbed);
        pSecond->SetDockMode(c.nDockMode);
        const CRect rectTabbed = Rect(pTabbed);
        const HWND hTabbed = pTabbed->GetSafeHwnd();
        CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
        ASSERT_EQ(1, pTabs->GetActiveTab());
        const CPoint ptTab = TabCentre(pTabs, 1);
        if (c.bDoubleClick) {
            DoubleClick(ptTab);
        } else {
            // Released over the free middle of the frame, away from every edge.
            Drag(ptTab, {CPoint(0, -4), CPoint(250, -120), CPoint(10, 0)});
        }

        EXPECT_TRUE(pSecond->IsFloating());
        EXPECT_FALSE(pSecond->IsTabbed());
        ASSERT_NE(nullptr, pSecond->GetParentMiniFrame());
        EXPECT_TRUE(pSecond->GetParentMiniFrame()->IsWindowVisible());
        if (!c.bDoubleClick) {
            const CPoint ptRelease = ptTab + CPoint(260, -124);
            EXPECT_TRUE(Rect(pSecond->GetParentMiniFrame()).PtInRect(ptRelease)) << "the frame is where it was let go";
        }
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
    TestPane* pThird = ThirdTab(pFirst);
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

TEST_F(TabbedBarTest, TheCloseButtonHidesTheActiveTabAndWithTheLastOneTheBar)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
    ASSERT_EQ(pSecond, pTabs->GetActiveWnd());

    Drag(CloseButtonCentre(pTabbed), {});
    EXPECT_TRUE(pTabbed->IsWindowVisible());
    EXPECT_FALSE(pTabs->IsTabVisible(1));
    EXPECT_TRUE(pTabs->IsTabVisible(0));
    EXPECT_EQ(pFirst, pTabs->GetActiveWnd());
    EXPECT_EQ("First", Text(pTabbed));
    EXPECT_EQ(2, pTabbed->GetTabsNum()) << "a closed tab stays in the bar, hidden";

    Drag(CloseButtonCentre(pTabbed), {});
    EXPECT_FALSE(pTabbed->IsWindowVisible());
    EXPECT_EQ(0, pTabbed->GetVisibleTabsNum());
    EXPECT_EQ(0, manager->GetClientAreaBounds().left) << "the closed bar gives its side back";

    // Showing a tab's pane brings the bar back.
    pFirst->ShowControlBar(TRUE, FALSE, TRUE);
    Pump();
    EXPECT_TRUE(pTabbed->IsWindowVisible());
    EXPECT_TRUE(pTabs->IsTabVisible(0));
}

// The tabs of a tabbed bar dropped on another move over with their visibility;
// the dropped bar goes after the call, which answers FALSE for it.
TEST_F(TabbedBarTest, ATabbedBarDroppedOnAnotherHandsOverItsTabs)
{
    TestPane* pA = nullptr;
    TestPane* pB = nullptr;
    CKtvPBaseTabbedBar* pTarget = TabbedPair(pA, pB, 1, 2);
    TestPane* pC = DockedPane(3, CBRS_ALIGN_RIGHT, 150, 100);
    pC->SetWindowText("C");
    TestPane* pD = AddPane(4, 150, 100, RGB(0, 0, 0), tw::test::kPaneStyle, "D");
    ASSERT_EQ(pD, pD->AttachToTabbedBar(pC, KTVP_DM_STANDARD, TRUE));
    Pump();
    CKtvPBaseTabbedBar* pDropped = pC->GetParentTabbedBar();
    ASSERT_NE(nullptr, pDropped);
    ASSERT_NE(pTarget, pDropped);
    Tabs(pDropped)->ShowTab(1, FALSE);
    const HWND hDropped = pDropped->GetSafeHwnd();

    pDropped->UndockControlBar(FALSE);
    EXPECT_EQ(pTarget, pDropped->AttachToTabbedBar(pTarget, KTVP_DM_STANDARD, TRUE));
    ASSERT_EQ(4, pTarget->GetTabsNum());
    EXPECT_EQ(pC, pTarget->FindBarByTabNumber(2));
    EXPECT_EQ(pD, pTarget->FindBarByTabNumber(3));
    EXPECT_TRUE(Tabs(pTarget)->IsTabVisible(2));
    EXPECT_FALSE(Tabs(pTarget)->IsTabVisible(3));
    EXPECT_EQ(2, Tabs(pTarget)->GetActiveTab()) << "the last visible moved tab is active";
    EXPECT_EQ(pTarget, pC->GetParentTabbedBar());
    EXPECT_EQ(pTarget, pD->GetParentTabbedBar());
    EXPECT_EQ(0, pDropped->GetTabsNum());
    EXPECT_FALSE(::IsWindowVisible(hDropped));
    Pump();
    EXPECT_FALSE(::IsWindow(hDropped));
    CRect rectClient;
    frame->GetClientRect(rectClient);
    EXPECT_EQ(rectClient.right, manager->GetClientAreaBounds().right) << "the right side is free again";
}

// The bar's caption follows the label of the active tab, unless told not to.
TEST_F(TabbedBarTest, TheCaptionFollowsTheActiveTabsLabel)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
    EXPECT_EQ("Second", Text(pTabbed));
    input.MouseMove(TabCentre(pTabs, 0).x, TabCentre(pTabs, 0).y);
    Drag(TabCentre(pTabs, 0), {});
    EXPECT_EQ(0, pTabs->GetActiveTab());
    EXPECT_EQ("First", Text(pTabbed));

    // Renaming the active tab renames the bar; another tab's label does not.
    pFirst->SetWindowText("Renamed");
    EXPECT_EQ("Renamed", Text(pTabbed));
    CString strLabel;
    pTabs->GetTabLabel(0, strLabel);
    EXPECT_EQ("Renamed", strLabel);
    pTabs->SetTabLabel(1, "Other");
    EXPECT_EQ("Renamed", Text(pTabbed));
    EXPECT_EQ("Other", Text(pSecond));

    pTabbed->SetCaptionFromTab(FALSE);
    pTabs->SetActiveTab(1);
    EXPECT_EQ("Renamed", Text(pTabbed));
}

TEST_F(TabbedBarTest, AutomaticTabColoursSwitchForEveryTabbedBar)
{
    TestPane* pA = nullptr;
    TestPane* pB = nullptr;
    CKtvPBaseTabbedBar* pFirst = TabbedPair(pA, pB, 1, 2);
    TestPane* pC = nullptr;
    TestPane* pD = nullptr;
    CKtvPBaseTabbedBar* pGone = TabbedPair(pC, pD, 3, 4);
    pGone->DestroyWindow();
    Pump();

    // A destroyed bar's handle is passed over.
    CKtvPTabbedControlBar::EnableTabAutoColor(TRUE);
    EXPECT_TRUE(Tabs(pFirst)->IsAutoColor());
    EXPECT_NE((COLORREF)-1, Tabs(pFirst)->GetTabBkColor(0));

    TestPane* pE = nullptr;
    TestPane* pF = nullptr;
    CKtvPBaseTabbedBar* pLater = TabbedPair(pE, pF, 5, 6);
    EXPECT_TRUE(Tabs(pLater)->IsAutoColor()) << "a tabbed bar made afterwards starts with automatic colours";

    CKtvPTabbedControlBar::EnableTabAutoColor(FALSE);
    EXPECT_FALSE(Tabs(pFirst)->IsAutoColor());
    EXPECT_FALSE(Tabs(pLater)->IsAutoColor());
    EXPECT_EQ((COLORREF)-1, Tabs(pFirst)->GetTabBkColor(0));
}

// What a tabbed bar answers itself, without the mouse.
TEST_F(TabbedBarTest, ALoneTabStaysAndTheLastTabRemovedTakesTheBarAwayLater)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    EXPECT_EQ(pSecond, pTabbed->FindBarByID(2));
    EXPECT_EQ(nullptr, pTabbed->FindBarByID(99));
    EXPECT_EQ(nullptr, pTabbed->FindBarByTabNumber(2));
    EXPECT_EQ(nullptr, pTabbed->FindBarByTabNumber(-1));
    EXPECT_FALSE(pTabbed->RemoveControlBar(frame));

    // Callers move a bar out of the tab window before they remove its tab.
    pSecond->SetParent(frame);
    EXPECT_TRUE(pTabbed->RemoveControlBar(pSecond));
    EXPECT_EQ(1, pTabbed->GetTabsNum());
    // A lone tab does not float by itself.
    EXPECT_FALSE(pTabbed->FloatTab(pFirst, 0, KTVP_DM_DBL_CLICK));
    EXPECT_EQ(pTabbed, pFirst->GetParentTabbedBar());

    const HWND hTabbed = pTabbed->GetSafeHwnd();
    pFirst->SetParent(frame);
    EXPECT_TRUE(pTabbed->RemoveControlBar(pFirst));
    // The caller may still use the bar; it goes once the messages are handled.
    EXPECT_TRUE(::IsWindow(hTabbed));
    EXPECT_EQ(0, pTabbed->GetTabsNum());
    EXPECT_FALSE(pTabbed->IsWindowVisible());
    Pump();
    EXPECT_FALSE(::IsWindow(hTabbed));
    pFirst->DestroyWindow();
    pSecond->DestroyWindow();
    Pump();
}

// The ids of the tabs for the layout: nothing for a bar without tabs, else the
// count and the ids in tab order; the archive record ends with the auto-destroy flag.
TEST_F(TabbedBarTest, SiblingIdsAndTheArchiveRecord)
{
    CKtvPTabbedControlBar empty;
    {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        empty.SaveSiblingBarIDs(ar);
        ar.Close();
        EXPECT_EQ(0u, file.GetLength());
    }
    TestPane* pFirst = DockedPane(5, CBRS_ALIGN_LEFT, 200, 100);
    TestPane* pSecond = AddPane(7, 200, 100);
    ASSERT_EQ(pSecond, pSecond->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
    CKtvPBaseTabbedBar* pTabbed = pFirst->GetParentTabbedBar();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pTabbed->SaveSiblingBarIDs(ar);
        ar.Close();
    }
    const std::vector<BYTE> expected = {2, 0, 0, 0, 5, 0, 0, 0, 7, 0, 0, 0};
    ASSERT_EQ(expected.size(), (size_t)file.GetLength());
    file.SeekToBegin();
    CList<UINT, UINT> ids;
    {
        CArchive ar(&file, CArchive::load);
        CKtvPBaseTabbedBar::LoadSiblingBarIDs(ar, ids);
    }
    ASSERT_EQ(2, ids.GetCount());
    EXPECT_EQ(5u, ids.GetHead());
    EXPECT_EQ(7u, ids.GetTail());

    const std::vector<BYTE> record = tw::test::StoreObject(*pTabbed);
    ASSERT_GE(record.size(), 4u);
    EXPECT_EQ(std::vector<BYTE>({1, 0, 0, 0}), std::vector<BYTE>(record.end() - 4, record.end()));
    CKtvPTabbedControlBar loaded;
    tw::test::LoadObject(loaded, record);
    EXPECT_TRUE(loaded.IsAutoDestroy());
}

// Pinned, every visible detachable tab becomes an auto-hidden pane; their
// buttons form one group on the strip, the active tab's marked active, and the
// emptied tabbed bar stays hidden. Unpinned, they come back as tabs.
TEST_F(TabbedBarTest, PinningATabbedBarHidesEachTabAsOneGroupOfButtons)
{
    ASSERT_TRUE(manager->EnableAutoHideBars(CBRS_ALIGN_ANY));
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    TestPane* pThird = ThirdTab(pFirst);
    Tabs(pTabbed)->SetActiveTab(1);
    Pump();

    Drag(CaptionButtonCentre(pTabbed, KTVP_HTPIN), {});
    const std::vector<TestPane*> panes = {pFirst, pSecond, pThird};
    for (size_t i = 0; i < panes.size(); i++) {
        SCOPED_TRACE(i);
        TestPane* pPane = panes[i];
        ASSERT_TRUE(pPane->IsAutoHideMode());
        EXPECT_FALSE(pPane->IsTabbed());
        CKtvPAutoHideToolBar* pToolBar = pPane->GetAutoHideToolBar();
        ASSERT_NE(nullptr, pToolBar);
        EXPECT_EQ(i == 0, (bool)pToolBar->IsFirstInGroup());
        EXPECT_EQ(i == 2, (bool)pToolBar->IsLastInGroup());
        EXPECT_EQ(i == 1, (bool)pToolBar->IsActiveInGroup());
        EXPECT_EQ(panes[0]->GetAutoHideToolBar()->GetParentDockBar(), pToolBar->GetParentDockBar());
    }
    EXPECT_FALSE(pTabbed->IsWindowVisible());
    EXPECT_EQ(0, pTabbed->GetTabsNum());
    // Only the active tab's pane waits to slide back in.
    EXPECT_FALSE(pFirst->IsWindowVisible());
    EXPECT_FALSE(pThird->IsWindowVisible());

    // The pin of the slid-out pane brings the whole group back as tabs.
    pSecond->ShowControlBar(TRUE, FALSE, TRUE);
    Advance(2000);
    ASSERT_TRUE(pSecond->IsWindowVisible());
    Drag(CaptionButtonCentre(pSecond, KTVP_HTPIN), {});
    Pump();
    for (TestPane* pPane : panes) {
        EXPECT_FALSE(pPane->IsAutoHideMode());
        EXPECT_TRUE(pPane->IsTabbed());
    }
    CKtvPBaseTabbedBar* pBack = pFirst->GetParentTabbedBar();
    ASSERT_NE(nullptr, pBack);
    EXPECT_EQ(pBack, pSecond->GetParentTabbedBar());
    EXPECT_EQ(pBack, pThird->GetParentTabbedBar());
    EXPECT_EQ(3, pBack->GetTabsNum());
    EXPECT_TRUE(pBack->IsWindowVisible());
}

// A tab that cannot leave keeps the tabbed bar, which is pinned with it.
TEST_F(TabbedBarTest, PinningKeepsTabsThatCannotLeaveInTheBar)
{
    ASSERT_TRUE(manager->EnableAutoHideBars(CBRS_ALIGN_ANY));
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    TestPane* pThird = ThirdTab(pFirst);
    Tabs(pTabbed)->SetTabDetachable(0, FALSE);
    Pump();

    Drag(CaptionButtonCentre(pTabbed, KTVP_HTPIN), {});
    EXPECT_TRUE(pSecond->IsAutoHideMode());
    EXPECT_TRUE(pThird->IsAutoHideMode());
    EXPECT_TRUE(pFirst->IsTabbed());
    ASSERT_EQ(1, pTabbed->GetTabsNum());
    EXPECT_EQ(0, Tabs(pTabbed)->GetActiveTab());
    EXPECT_TRUE(pTabbed->IsAutoHideMode());
}

// A floating tabbed bar double-clicked on its caption: its tabs go back to the
// places they had, and the emptied bar goes.
TEST_F(TabbedBarTest, ADoubleClickOnAFloatingTabbedBarSendsTheTabsBack)
{
    TestPane* pLeft = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
    pLeft->SetWindowText("Left");
    TestPane* pRight = DockedPane(2, CBRS_ALIGN_RIGHT, 150, 100);
    pRight->SetWindowText("Right");
    const CRect rectLeft = Rect(pLeft);
    const CRect rectRight = Rect(pRight);
    // Both float together in one frame, the right pane a tab of the left one.
    ASSERT_TRUE(pLeft->FloatControlBar(CRect(250, 150, 450, 300), KTVP_DM_DBL_CLICK, TRUE));
    ASSERT_TRUE(pRight->FloatControlBar(CRect(260, 160, 400, 280), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CKtvPMiniFrameWnd* pRightFrame = pRight->GetParentMiniFrame();
    pRight->UndockControlBar(FALSE);
    ASSERT_EQ(pRight, pRight->AttachToTabbedBar(pLeft, KTVP_DM_STANDARD, TRUE));
    Pump();
    if (::IsWindow(pRightFrame->GetSafeHwnd())) {
        pRightFrame->DestroyWindow();
        Pump();
    }
    CKtvPBaseTabbedBar* pTabbed = pLeft->GetParentTabbedBar();
    ASSERT_NE(nullptr, pTabbed);
    CKtvPMiniFrameWnd* pFrame = pTabbed->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    const HWND hTabbed = pTabbed->GetSafeHwnd();

    DoubleClick(FrameCaptionPoint(pFrame));
    Pump();
    EXPECT_TRUE(pLeft->IsDocked());
    EXPECT_TRUE(pRight->IsDocked());
    EXPECT_FALSE(pLeft->IsTabbed());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pLeft->GetCurrentAlignment());
    EXPECT_EQ((DWORD)CBRS_ALIGN_RIGHT, pRight->GetCurrentAlignment());
    EXPECT_EQ(rectLeft.left, Rect(pLeft).left);
    EXPECT_EQ(rectRight.right, Rect(pRight).right);
    EXPECT_FALSE(::IsWindow(hTabbed));
}

// A tabbed bar floated whole goes back whole to the place it had.
TEST_F(TabbedBarTest, AFloatingTabbedBarWithADockedPlaceDocksWhole)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    const CRect rectDocked = Rect(pTabbed);
    ASSERT_TRUE(pTabbed->FloatControlBar(CRect(250, 150, 450, 300), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CKtvPMiniFrameWnd* pFrame = pTabbed->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(0, manager->GetClientAreaBounds().left);

    DoubleClick(FrameCaptionPoint(pFrame));
    Pump();
    ASSERT_TRUE(::IsWindow(pTabbed->GetSafeHwnd()));
    EXPECT_TRUE(pTabbed->IsDocked());
    EXPECT_EQ(2, pTabbed->GetTabsNum());
    EXPECT_EQ(pTabbed, pFirst->GetParentTabbedBar());
    EXPECT_EQ(pTabbed, pSecond->GetParentTabbedBar());
    EXPECT_EQ(rectDocked.left, Rect(pTabbed).left);
    EXPECT_GT(manager->GetClientAreaBounds().left, 0);
}

// A stored tab state names a pane that is elsewhere now: applying it brings
// the pane back as a tab, wherever it was.
TEST_F(TabbedBarTest, ApplyingAStoredTabStateGathersItsPanes)
{
    ASSERT_TRUE(manager->EnableAutoHideBars(CBRS_ALIGN_ANY));
    enum Source { Floating, DockedElsewhere, OtherTabbedBar, AutoHidden };
    for (Source source : {Floating, DockedElsewhere, OtherTabbedBar, AutoHidden}) {
        SCOPED_TRACE(source);
        const UINT nBase = 10 * (source + 1);
        TestPane* pFirst = nullptr;
        TestPane* pSecond = nullptr;
        CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond, nBase + 1, nBase + 2);
        TestPane* pThird = ThirdTab(pFirst, nBase + 3);
        CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
        pTabs->SetTabLabel(2, "Stored label");
        pTabs->SetActiveTab(0);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            pTabbed->SerializeTabWindow(ar);
            ar.Close();
        }

        // The third pane goes elsewhere.
        pThird->SetParent(frame);
        ASSERT_TRUE(pTabbed->RemoveControlBar(pThird));
        pThird->ShowCaption(TRUE);
        TestPane* pHost = nullptr;
        switch (source) {
        case Floating:
            ASSERT_TRUE(pThird->DockToFrameWindow(CBRS_ALIGN_RIGHT));
            ASSERT_TRUE(pThird->FloatControlBar(CRect(300, 200, 460, 320), KTVP_DM_DBL_CLICK, TRUE));
            break;
        case DockedElsewhere:
            ASSERT_TRUE(pThird->DockToFrameWindow(CBRS_ALIGN_RIGHT));
            break;
        case OtherTabbedBar:
            pHost = DockedPane(nBase + 4, CBRS_ALIGN_RIGHT, 150, 100);
            ASSERT_EQ(pThird, pThird->AttachToTabbedBar(pHost, KTVP_DM_STANDARD, TRUE));
            break;
        case AutoHidden:
            ASSERT_TRUE(pThird->DockToFrameWindow(CBRS_ALIGN_RIGHT));
            ASSERT_NE(nullptr, pThird->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE));
            break;
        }
        Pump();
        ASSERT_EQ(pTabbed, pFirst->GetParentTabbedBar());
        ASSERT_NE(pTabbed, pThird->GetParentTabbedBar());

        file.SeekToBegin();
        {
            CArchive ar(&file, CArchive::load);
            pTabbed->SerializeTabWindow(ar);
        }
        pTabbed->ApplyRestoredTabInfo();
        Pump();
        EXPECT_EQ(pTabbed, pThird->GetParentTabbedBar());
        EXPECT_FALSE(pThird->IsAutoHideMode());
        ASSERT_EQ(3, pTabbed->GetTabsNum());
        const int iThird = pTabs->GetTabFromHwnd(pThird->GetSafeHwnd());
        CString strLabel;
        pTabs->GetTabLabel(iThird, strLabel);
        EXPECT_EQ("Stored label", strLabel);
        EXPECT_EQ(pFirst, pTabs->GetActiveWnd());
        EXPECT_TRUE(pTabbed->IsWindowVisible());
        CRect rectClient;
        frame->GetClientRect(rectClient);
        if (source != OtherTabbedBar) {
            EXPECT_EQ(rectClient.right, manager->GetClientAreaBounds().right) << "nothing is left at the right side";
        }

        pTabbed->DestroyWindow();
        if (pHost != nullptr && ::IsWindow(pHost->GetSafeHwnd())) {
            pHost->DestroyWindow();
        }
        Pump();
    }
}

// A stored state in which no tab is visible leaves the tabbed bar hidden.
TEST_F(TabbedBarTest, AStoredStateWithoutVisibleTabsHidesTheBar)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    CKtvPBaseTabWnd* pTabs = Tabs(pTabbed);
    pTabs->ShowTab(0, FALSE);
    pTabs->ShowTab(1, FALSE);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pTabbed->SerializeTabWindow(ar);
        ar.Close();
    }
    pTabs->ShowTab(0, TRUE);
    pTabs->ShowTab(1, TRUE);
    ASSERT_TRUE(pTabbed->IsWindowVisible());
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        pTabbed->SerializeTabWindow(ar);
    }
    pTabbed->ApplyRestoredTabInfo();
    Pump();
    EXPECT_FALSE(pTabbed->IsWindowVisible());
    EXPECT_EQ(0, pTabbed->GetVisibleTabsNum());
    EXPECT_EQ(0, manager->GetClientAreaBounds().left);
}

// A tab dragged off one tabbed bar and let go on another pane's caption
// becomes that pane's tab, in one drag.
TEST_F(TabbedBarTest, ATabDraggedOntoAnotherPanesCaptionBecomesItsTab)
{
    for (int nMode : {KTVP_DT_IMMEDIATE, KTVP_DT_STANDARD}) {
        SCOPED_TRACE(nMode);
        const UINT nBase = 10 * nMode;
        TestPane* pFirst = nullptr;
        TestPane* pSecond = nullptr;
        CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond, nBase + 1, nBase + 2);
        pSecond->SetDockMode(nMode);
        TestPane* pOther = DockedPane(nBase + 3, CBRS_ALIGN_RIGHT, 150, 100);
        pOther->SetWindowText("Other");
        const CPoint ptTab = TabCentre(Tabs(pTabbed), 1);
        const CPoint ptOnCaption = CaptionPoint(pOther) + CPoint(20, 0);
        Drag(ptTab, {CPoint(0, -4), CPoint(100, -60), ptOnCaption - ptTab - CPoint(100, -56)}, false);
        Advance(CKtvPDockManager::m_nDockingBarDockDelay + 50);
        input.ButtonUp(MouseButton::Left, ptOnCaption.x, ptOnCaption.y);
        Pump();

        CKtvPBaseTabbedBar* pOtherTabbed = pOther->GetParentTabbedBar();
        ASSERT_NE(nullptr, pOtherTabbed);
        EXPECT_EQ(pOtherTabbed, pSecond->GetParentTabbedBar());
        EXPECT_EQ(2, pOtherTabbed->GetTabsNum());
        EXPECT_TRUE(pFirst->IsDocked());
        EXPECT_FALSE(pFirst->IsTabbed());
        EXPECT_EQ(nullptr, ::GetCapture());

        pOtherTabbed->DestroyWindow();
        pFirst->DestroyWindow();
        Pump();
    }
}

// Every tab saves its own state; one that fails makes the whole save fail
// without keeping the others from being saved.
TEST_F(TabbedBarTest, SavingTellsWhenATabCouldNotBeSaved)
{
    class UnsavablePane : public TestPane {
    public:
        BOOL SaveState(LPCTSTR, int, UINT) override { return FALSE; }
    };
    tw::test::ScopedAppNames names("Tarnwick", "TarnwickTabbedTest");
    TestPane* pFirst = DockedPane(41, CBRS_ALIGN_LEFT, 200, 100);
    auto* pUnsavable = new UnsavablePane;
    ASSERT_TRUE(pUnsavable->Create("Unsavable", frame, CRect(0, 0, 200, 100), TRUE, 42,
                                   WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0x20, tw::test::kPaneStyle));
    ASSERT_EQ(pUnsavable, pUnsavable->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
    CKtvPBaseTabbedBar* pTabbed = pFirst->GetParentTabbedBar();
    EXPECT_FALSE(pTabbed->SaveState(nullptr, -1, (UINT)-1));
    CKtvPRegistry reg(FALSE, TRUE);
    EXPECT_TRUE(reg.Open(KtvGetRegPath(CKtvPControlBar::m_szSection, nullptr) + "KtvPControlBar-41"));

    pTabbed->RemoveControlBar(pUnsavable);
    pUnsavable->SetParent(frame);
    pUnsavable->DestroyWindow();
    EXPECT_TRUE(pTabbed->SaveState(nullptr, -1, (UINT)-1));
}

// A tab floated by a double click goes back into its tabbed bar by another
// on its frame's caption.
TEST_F(TabbedBarTest, ADoubleClickSendsAFloatedTabBackIntoItsBar)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    TestPane* pThird = ThirdTab(pFirst);
    Pump();
    DoubleClick(TabCentre(Tabs(pTabbed), 2));
    ASSERT_TRUE(pThird->IsFloating());
    ASSERT_EQ(2, pTabbed->GetTabsNum());

    DoubleClick(FrameCaptionPoint(pThird->GetParentMiniFrame()));
    Pump();
    EXPECT_EQ(pTabbed, pThird->GetParentTabbedBar());
    EXPECT_EQ(3, pTabbed->GetTabsNum());
    EXPECT_EQ(pThird, Tabs(pTabbed)->GetActiveWnd());
}

// Inside a frame of several panes, a double-clicked tab docks back to the
// main frame instead of floating on its own.
TEST_F(TabbedBarTest, ADoubleClickedTabOfAFloatingTabbedBarDocksToTheMainFrame)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    ThirdTab(pFirst);
    ASSERT_TRUE(pTabbed->FloatControlBar(CRect(250, 150, 450, 300), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    ASSERT_NE(nullptr, pTabbed->GetParentMiniFrame());
    ASSERT_EQ(0, manager->GetClientAreaBounds().left);

    DoubleClick(TabCentre(Tabs(pTabbed), 1));
    Pump();
    EXPECT_FALSE(pSecond->IsTabbed());
    EXPECT_FALSE(pSecond->IsFloating());
    EXPECT_TRUE(pSecond->IsDocked());
    EXPECT_EQ(2, pTabbed->GetTabsNum());
    EXPECT_TRUE(pTabbed->IsFloating());
}

// In a floating frame too, the tab left behind takes the tabbed bar's place.
TEST_F(TabbedBarTest, TheLastTabTakesAFloatingTabbedBarsPlaceInItsFrame)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    ASSERT_TRUE(pTabbed->FloatControlBar(CRect(250, 150, 450, 300), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CKtvPMiniFrameWnd* pFrame = pTabbed->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    const HWND hTabbed = pTabbed->GetSafeHwnd();

    pSecond->SetDockMode(KTVP_DT_IMMEDIATE);
    const CPoint ptTab = TabCentre(Tabs(pTabbed), 1);
    Drag(ptTab, {CPoint(0, 4), CPoint(-150, 120)});
    Pump();

    EXPECT_TRUE(pSecond->IsFloating());
    EXPECT_NE(pFrame, pSecond->GetParentMiniFrame());
    EXPECT_FALSE(::IsWindow(hTabbed));
    ASSERT_TRUE(::IsWindow(pFrame->GetSafeHwnd()));
    EXPECT_EQ(pFrame, pFirst->GetParentMiniFrame());
    EXPECT_FALSE(pFirst->IsTabbed());
    EXPECT_TRUE(pFirst->IsWindowVisible());
    EXPECT_EQ(pFirst, pFrame->GetFirstVisibleBar());
}

// Detaching a tab by call floats it as a drag would, and the bar with a lone
// tab keeps it.
TEST_F(TabbedBarTest, DetachingATabByCallFloatsIt)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    TestPane* pThird = ThirdTab(pFirst);
    EXPECT_FALSE(pTabbed->DetachControlBar(frame));
    EXPECT_TRUE(pTabbed->DetachControlBar(pThird));
    Pump();
    EXPECT_TRUE(pThird->IsFloating());
    EXPECT_TRUE(pThird->GetParentMiniFrame()->IsWindowVisible());
    EXPECT_EQ(2, pTabbed->GetTabsNum());
    EXPECT_EQ(pTabbed, pSecond->GetParentTabbedBar());
}

// Without an icon of its own the bar shows its active tab's, and a floating
// tabbed bar's frame takes that icon.
TEST_F(TabbedBarTest, TheBarShowsItsActiveTabsIcon)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    EXPECT_EQ(nullptr, pTabbed->GetIcon(FALSE));
    const HICON hIcon = SmallIcon();
    ASSERT_NE(nullptr, hIcon);
    pSecond->SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    EXPECT_EQ(hIcon, pTabbed->GetIcon(FALSE));

    // A tab added with an icon shows it on the strip.
    TestPane* pThird = AddPane(3, 200, 100, RGB(0, 200, 0), tw::test::kPaneStyle, "Third");
    pThird->SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    ASSERT_EQ(pThird, pThird->AttachToTabbedBar(pFirst, KTVP_DM_STANDARD, TRUE));
    EXPECT_NE(nullptr, Tabs(pTabbed)->GetTabIconHandle(2));
    EXPECT_EQ(nullptr, Tabs(pTabbed)->GetTabIconHandle(0));

    ASSERT_TRUE(pTabbed->FloatControlBar(CRect(250, 150, 450, 300), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CKtvPMiniFrameWnd* pFrame = pTabbed->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ((LRESULT)Tabs(pTabbed)->GetTabIconHandle(2), pFrame->SendMessage(WM_GETICON, ICON_SMALL));
    ::DestroyIcon(hIcon);
}

// Let go over a tabbed bar's strip, a floating pane becomes one more tab.
TEST_F(TabbedBarTest, APaneDroppedOnATabStripJoinsTheTabs)
{
    TestPane* pFirst = nullptr;
    TestPane* pSecond = nullptr;
    CKtvPBaseTabbedBar* pTabbed = TabbedPair(pFirst, pSecond);
    TestPane* pPane = AddPane(3, 160, 120, RGB(0, 200, 0), tw::test::kPaneStyle, "Dropped");
    pPane->SetDockMode(KTVP_DT_STANDARD);
    ASSERT_TRUE(pPane->DockToFrameWindow(CBRS_ALIGN_RIGHT));
    ASSERT_TRUE(pPane->FloatControlBar(CRect(300, 200, 460, 320), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CRect rectStrip;
    Tabs(pTabbed)->GetTabsRect(rectStrip);
    Tabs(pTabbed)->ClientToScreen(rectStrip);
    const CPoint ptOnStrip(rectStrip.right - 10, rectStrip.CenterPoint().y);
    const CPoint ptStart = FrameCaptionPoint(pPane->GetParentMiniFrame());
    Drag(ptStart, {CPoint(10, 10), ptOnStrip - ptStart - CPoint(10, 10)});
    EXPECT_EQ(pTabbed, pPane->GetParentTabbedBar());
    EXPECT_EQ(3, pTabbed->GetTabsNum());
    EXPECT_EQ(pPane, Tabs(pTabbed)->GetActiveWnd());
}

// A floating tabbed bar let go on another's caption hands over all its tabs.
TEST_F(TabbedBarTest, ATabbedBarDraggedOntoAnotherMergesIntoIt)
{
    TestPane* pA = nullptr;
    TestPane* pB = nullptr;
    CKtvPBaseTabbedBar* pTarget = TabbedPair(pA, pB, 1, 2);
    TestPane* pC = nullptr;
    TestPane* pD = nullptr;
    CKtvPBaseTabbedBar* pDropped = TabbedPair(pC, pD, 3, 4);
    pDropped->SetDockMode(KTVP_DT_STANDARD);
    ASSERT_TRUE(pDropped->FloatControlBar(CRect(300, 200, 500, 340), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    CKtvPMiniFrameWnd* pFrame = pDropped->GetParentMiniFrame();
    ASSERT_NE(nullptr, pFrame);
    const HWND hDropped = pDropped->GetSafeHwnd();
    const HWND hFrame = pFrame->GetSafeHwnd();
    const CPoint ptStart = FrameCaptionPoint(pFrame);
    const CPoint ptOnCaption = CaptionPoint(pTarget) + CPoint(20, 0);
    Drag(ptStart, {CPoint(10, 10), ptOnCaption - ptStart - CPoint(10, 10)});
    Pump();
    EXPECT_EQ(4, pTarget->GetTabsNum());
    for (TestPane* pPane : {pA, pB, pC, pD}) {
        EXPECT_EQ(pTarget, pPane->GetParentTabbedBar());
    }
    EXPECT_FALSE(::IsWindow(hDropped));
    // The frame may stay, hidden, as the place the tabs came from.
    EXPECT_FALSE(::IsWindow(hFrame) && ::IsWindowVisible(hFrame));
    if (::IsWindow(hFrame)) {
        EXPECT_EQ(nullptr, pFrame->GetFirstVisibleBar());
        EXPECT_EQ(nullptr, pFrame->GetControlBar()) << "the frame holds nothing of the dropped bar";
    }
    EXPECT_EQ(nullptr, ::GetCapture());
}

}  // namespace
