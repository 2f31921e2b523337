// The split layout of docked panes: docking at a side, inserting beside a pane,
// the share rules when the layout grows or shrinks, hiding and showing,
// removing, the nodes' references and collapse, and a scripted run of random
// changes that must always tile the layout.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/ui/docking/DockingPaneTest.h"

namespace {

using tw::test::DockingPaneTest;
using tw::test::TestPane;

class BarContainerTest : public DockingPaneTest {
protected:
    CKtvPBarContainerManager* Manager(TestPane* pPane) { return pPane->GetDefaultSlider()->GetContainerManager(); }
};

TEST_F(BarContainerTest, DockingAtASideGivesThePaneTheSideAndASliderAtItsInnerEdge)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 150, 100);
    CKtvPSlider* pSlider = pPane->GetDefaultSlider();
    ASSERT_NE(nullptr, pSlider);
    const CRect rectPane = ClientRectOf(pPane);
    const CRect rectSlider = ClientRectOf(pSlider);
    EXPECT_EQ(CRect(0, 0, 150, 400), rectPane);
    EXPECT_EQ(CRect(150, 0, 154, 400), rectSlider);
    EXPECT_EQ(154, manager->GetClientAreaBounds().left);
    EXPECT_TRUE(pPane->IsDocked());
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, pPane->GetCurrentAlignment());
}

TEST_F(BarContainerTest, DockingAtAnEdgeIsLimitedToHalfTheClientArea)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 450, 100);
    EXPECT_EQ(300, ClientRectOf(pPane).Width());
    TestPane* pBottom = DockedPane(2, CBRS_ALIGN_BOTTOM, 100, 350);
    EXPECT_EQ(200, ClientRectOf(pBottom).Height());
}

TEST_F(BarContainerTest, InsertingBesideAPaneSplitsItsRectangle)
{
    TestPane* pTarget = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
    TestPane* pNew = AddPane(2, 300, 100);
    ASSERT_TRUE(pNew->DockNextToBar(pTarget, CBRS_ALIGN_LEFT, nullptr));
    Pump();
    // Half the target's width at most: 100 for the new pane, a 4-pixel slider, 96 left to the target.
    EXPECT_EQ(CRect(0, 0, 100, 400), ClientRectOf(pNew));
    EXPECT_EQ(CRect(104, 0, 200, 400), ClientRectOf(pTarget));
    EXPECT_EQ(pTarget->GetDefaultSlider(), pNew->GetDefaultSlider());

    TestPane* pBelow = AddPane(3, 200, 60);
    ASSERT_TRUE(pBelow->DockNextToBar(pTarget, CBRS_ALIGN_BOTTOM, nullptr));
    Pump();
    EXPECT_EQ(CRect(104, 340, 200, 400), ClientRectOf(pBelow));
    EXPECT_EQ(CRect(104, 0, 200, 336), ClientRectOf(pTarget));
    EXPECT_EQ(3, Manager(pTarget)->GetNodeCount());
    EXPECT_EQ(2, Manager(pTarget)->GetSliders().GetCount());
    // Any other side is refused and changes nothing.
    TestPane* pOther = AddPane(4, 50, 50);
    EXPECT_FALSE(Manager(pTarget)->InsertControlBar(pOther, pTarget, 0));
    EXPECT_FALSE(Manager(pTarget)->InsertControlBar(pOther, pOther, CBRS_ALIGN_TOP));
}

// Growing or shrinking a node shares the change by the complementary rule.
TEST_F(BarContainerTest, GrowthAndShrinkageAreSharedByTheComplementaryShare)
{
    TestPane* pLeft = DockedPane(1, CBRS_ALIGN_TOP, 100, 200);
    TestPane* pRight = AddPane(2, 100, 200);
    ASSERT_TRUE(pRight->DockNextToBar(pLeft, CBRS_ALIGN_RIGHT, nullptr));
    Pump();
    CKtvPBarContainer* pRoot = Manager(pLeft)->GetRootContainer();
    CKtvPBarContainer* pNode = pRoot->m_pLeftContainer;
    ASSERT_NE(nullptr, pNode);
    struct Case {
        int nNewWidth;
        int nLeft;
    };
    // The split at 30 % of a 400-pixel node (120 | 4 | 276): 100 more gives the
    // left part 70 of them; 100 less takes 30 from it.
    for (const Case& c : {Case{500, 190}, Case{300, 90}}) {
        HDWP hdwp = nullptr;
        pNode->ResizeContainer(CRect(0, 0, 400, 200), hdwp);
        pNode->MoveInnerSlider(120 - ClientRectOf(pLeft).Width());
        ASSERT_EQ(120, ClientRectOf(pLeft).Width());
        pNode->ResizeContainer(CRect(0, 0, c.nNewWidth, 200), hdwp);
        EXPECT_EQ(c.nLeft, ClientRectOf(pLeft).Width()) << c.nNewWidth;
        EXPECT_EQ(c.nNewWidth, ClientRectOf(pRight).right) << c.nNewWidth;
        EXPECT_EQ(ClientRectOf(pLeft).right + 4, ClientRectOf(pRight).left) << c.nNewWidth;
    }
}

TEST_F(BarContainerTest, HidingAPaneGivesItsPlaceToTheOtherAndShowingSplitsAgain)
{
    TestPane* pTop = DockedPane(1, CBRS_ALIGN_LEFT, 160, 100);
    TestPane* pBottom = AddPane(2, 160, 100);
    ASSERT_TRUE(pBottom->DockNextToBar(pTop, CBRS_ALIGN_BOTTOM, nullptr));
    Pump();
    CKtvPBarContainer* pNode = Manager(pTop)->GetRootContainer()->m_pLeftContainer;
    ASSERT_NE(nullptr, pNode);
    CKtvPSlider* pInner = pNode->m_pSlider;
    ASSERT_NE(nullptr, pInner);
    pTop->ShowControlBar(FALSE, FALSE, FALSE);
    Pump();
    EXPECT_FALSE(pInner->IsWindowVisible());
    EXPECT_EQ(CRect(0, 0, 160, 400), ClientRectOf(pBottom));

    pTop->ShowControlBar(TRUE, FALSE, FALSE);
    Pump();
    EXPECT_TRUE(pInner->IsWindowVisible());
    EXPECT_EQ(0, ClientRectOf(pTop).top);
    EXPECT_EQ(400, ClientRectOf(pBottom).bottom);
    EXPECT_EQ(ClientRectOf(pTop).bottom + 4, ClientRectOf(pBottom).top);
    // A pane shown again takes half its node when it held half or more before.
    EXPECT_EQ(200, ClientRectOf(pTop).Height());

    // The last visible pane of the side hides the default slider with it.
    pTop->ShowControlBar(FALSE, FALSE, FALSE);
    pBottom->ShowControlBar(FALSE, FALSE, FALSE);
    Pump();
    EXPECT_FALSE(pTop->GetDefaultSlider()->IsWindowVisible());
    EXPECT_EQ(0, manager->GetClientAreaBounds().left);
    pBottom->ShowControlBar(TRUE, FALSE, FALSE);
    Pump();
    EXPECT_TRUE(pTop->GetDefaultSlider()->IsWindowVisible());
}

TEST_F(BarContainerTest, AStoredShareOfNothingOrAllCountsAsHalf)
{
    TestPane* pTop = DockedPane(1, CBRS_ALIGN_LEFT, 160, 100);
    TestPane* pBottom = AddPane(2, 160, 100);
    ASSERT_TRUE(pBottom->DockNextToBar(pTop, CBRS_ALIGN_BOTTOM, nullptr));
    Pump();
    CKtvPBarContainer* pNode = Manager(pTop)->GetRootContainer()->m_pLeftContainer;
    pTop->ShowControlBar(FALSE, FALSE, FALSE);
    Pump();
    for (int nPercent : {0, 100}) {
        pBottom->ShowControlBar(TRUE, FALSE, FALSE);
        pTop->m_nLastPercent = nPercent;
        pBottom->m_nLastPercent = nPercent;
        pTop->ShowWindow(SW_SHOW);
        HDWP hdwp = nullptr;
        pNode->ResizeContainer(CRect(0, 0, 160, 400), hdwp);
        EXPECT_EQ(200, ClientRectOf(pTop).Height()) << nPercent;
        pTop->ShowWindow(SW_HIDE);
        pNode->ResizeContainer(CRect(0, 0, 160, 400), hdwp);
    }
}

TEST_F(BarContainerTest, SliderLimitsKeepBothPartsAtTheirMinimum)
{
    TestPane* pTop = DockedPane(1, CBRS_ALIGN_LEFT, 160, 100);
    TestPane* pBottom = AddPane(2, 160, 100);
    ASSERT_TRUE(pBottom->DockNextToBar(pTop, CBRS_ALIGN_BOTTOM, nullptr));
    pTop->SetMinSize(CSize(20, 50));
    pBottom->SetMinSize(CSize(20, 70));
    Pump();
    CKtvPBarContainerManager* pManager = Manager(pTop);
    CKtvPSlider* pInner = pManager->GetRootContainer()->m_pLeftContainer->m_pSlider;
    int nMin = 0;
    int nMax = 0;
    int nStep = 0;
    pManager->GetMinMaxOffset(pInner, nMin, nMax, nStep);
    const CRect S = ClientRectOf(pInner);
    // A horizontal slider stops one pixel inside either minimum.
    EXPECT_EQ(50 - S.top + 1, nMin);
    EXPECT_EQ(400 - 70 - S.bottom - 1, nMax);
    EXPECT_EQ(-1, nStep);
    // Moving past the limit never takes a part below its minimum.
    pInner->MoveSlider(CSize(0, -1000));
    EXPECT_EQ(50, ClientRectOf(pTop).Height());
    pInner->MoveSlider(CSize(0, 1000));
    EXPECT_EQ(70, ClientRectOf(pBottom).Height());
}

TEST_F(BarContainerTest, ARemovedPaneLeavesItsPlaceToTheRestAndItsNodeCollapsesWithoutReferences)
{
    TestPane* pA = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100);
    TestPane* pB = AddPane(2, 200, 100);
    ASSERT_TRUE(pB->DockNextToBar(pA, CBRS_ALIGN_BOTTOM, nullptr));
    TestPane* pC = AddPane(3, 200, 100);
    ASSERT_TRUE(pC->DockNextToBar(pB, CBRS_ALIGN_RIGHT, nullptr));
    Pump();
    CKtvPBarContainerManager* pManager = Manager(pA);
    EXPECT_EQ(3, pManager->GetNodeCount());
    CKtvPBarContainer* pBNode = pManager->GetRootContainer()->FindContainer(pB, CKtvPBarContainer::BC_FIND_BY_LEFT_BAR);
    ASSERT_NE(nullptr, pBNode);

    // With a reference from the pane's recent place the node survives its removal.
    pB->StoreRecentDockInfo();
    EXPECT_EQ(1, pBNode->m_dwRefCount);
    pB->UndockControlBar(FALSE);
    Pump();
    EXPECT_EQ(3, pManager->GetNodeCount());
    EXPECT_EQ(0, ClientRectOf(pC).left);
    EXPECT_EQ(200, ClientRectOf(pC).right);
    // Releasing the reference collapses it into its parent.
    pB->GetRecentDockInfo().GetRecord(TRUE).Store(nullptr, nullptr, nullptr);
    EXPECT_EQ(2, pManager->GetNodeCount());
    EXPECT_EQ(pC, pManager->GetRootContainer()->m_pLeftContainer->m_pBarRight);

    // A node right under the root stays; the remaining pane fills it.
    pC->UndockControlBar(FALSE);
    Pump();
    EXPECT_EQ(2, pManager->GetNodeCount());
    EXPECT_EQ(CRect(0, 0, 200, 400), ClientRectOf(pA));
    EXPECT_EQ(1, pManager->GetControlBars().GetCount());
}

// The layout under random changes: parts tile their node without gap or
// overlap and never fall below their minimum size.
class RandomLayoutTest : public BarContainerTest {
protected:
    void CheckNode(CKtvPBarContainer* pNode)
    {
        if (pNode == nullptr) {
            return;
        }
        CheckNode(pNode->m_pLeftContainer);
        CheckNode(pNode->m_pRightContainer);
        const CRect rectLeft = PartRect(pNode, TRUE);
        const CRect rectRight = PartRect(pNode, FALSE);
        if (rectLeft.IsRectEmpty() || rectRight.IsRectEmpty()) {
            return;
        }
        ASSERT_NE(nullptr, pNode->m_pSlider);
        const CRect rectSlider = ClientRectOf(pNode->m_pSlider);
        ASSERT_TRUE(pNode->m_pSlider->IsWindowVisible());
        if (pNode->IsSliderHorz()) {
            EXPECT_EQ(rectLeft.bottom, rectSlider.top);
            EXPECT_EQ(rectSlider.bottom, rectRight.top);
            EXPECT_EQ(rectLeft.left, rectRight.left);
            EXPECT_EQ(rectLeft.right, rectRight.right);
        } else {
            EXPECT_EQ(rectLeft.right, rectSlider.left);
            EXPECT_EQ(rectSlider.right, rectRight.left);
            EXPECT_EQ(rectLeft.top, rectRight.top);
            EXPECT_EQ(rectLeft.bottom, rectRight.bottom);
        }
    }

    CRect PartRect(CKtvPBarContainer* pNode, BOOL bLeft)
    {
        CKtvPDockingControlBar* pBar = bLeft ? pNode->m_pBarLeft : pNode->m_pBarRight;
        CKtvPBarContainer* pChild = bLeft ? pNode->m_pLeftContainer : pNode->m_pRightContainer;
        if (pBar != nullptr && pBar->IsWindowVisible()) {
            return ClientRectOf(pBar);
        }
        if (pChild != nullptr && pChild->IsVisible()) {
            CRect rect;
            pChild->GetWindowRect(rect);
            frame->ScreenToClient(rect);
            return rect;
        }
        return CRect(0, 0, 0, 0);
    }

    void CheckLayout(const std::vector<TestPane*>& panes, CKtvPBarContainerManager* pManager, int nStep)
    {
        SCOPED_TRACE(nStep);
        CheckNode(pManager->GetRootContainer());
        CRect rectAll(0, 0, 0, 0);
        for (TestPane* pPane : panes) {
            if (!pPane->IsWindowVisible() || pPane->GetDefaultSlider() == nullptr) {
                continue;
            }
            const CRect rect = ClientRectOf(pPane);
            EXPECT_GE(rect.Width(), 20);
            EXPECT_GE(rect.Height(), 20);
            for (TestPane* pOther : panes) {
                if (pOther == pPane || !pOther->IsWindowVisible() || pOther->GetDefaultSlider() == nullptr) {
                    continue;
                }
                CRect rectCommon;
                EXPECT_FALSE(rectCommon.IntersectRect(rect, ClientRectOf(pOther)))
                    << pPane->GetDlgCtrlID() << " overlaps " << pOther->GetDlgCtrlID();
            }
        }
    }
};

TEST_F(RandomLayoutTest, RandomChangesKeepTheLayoutTiled)
{
    std::mt19937 random(27);
    std::vector<TestPane*> panes;
    panes.push_back(DockedPane(1, CBRS_ALIGN_LEFT, 250, 100));
    CKtvPBarContainerManager* pManager = Manager(panes[0]);
    CKtvPSlider* pDefault = panes[0]->GetDefaultSlider();
    for (int nStep = 0; nStep < 120; nStep++) {
        const int nAction = (int)(random() % 5);
        TestPane* pPane = panes[random() % panes.size()];
        const BOOL bDocked = pPane->GetDefaultSlider() != nullptr;
        if (nAction == 0 && panes.size() < 6 && bDocked && pPane->IsWindowVisible()) {
            static const DWORD sides[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM};
            TestPane* pNew = AddPane(10 + nStep, 120, 120);
            if (!pNew->DockNextToBar(pPane, sides[random() % 4], nullptr)) {
                pNew->DestroyWindow();
            } else {
                panes.push_back(pNew);
            }
        } else if (nAction == 1 && bDocked && pManager->GetControlBars().GetCount() > 1) {
            pPane->UndockControlBar(FALSE);
            pPane->DestroyWindow();
            panes.erase(std::find(panes.begin(), panes.end(), pPane));
        } else if (nAction == 2 && bDocked && pManager->GetVisibleBarCount() > 1) {
            pPane->ShowControlBar(FALSE, FALSE, FALSE);
        } else if (nAction == 3 && bDocked) {
            pPane->ShowControlBar(TRUE, FALSE, FALSE);
        } else if (nAction == 4 && pManager->GetSliders().GetCount() > 0) {
            const CObList& sliders = pManager->GetSliders();
            POSITION pos = sliders.FindIndex((INT_PTR)(random() % sliders.GetCount()));
            auto* pSlider = static_cast<CKtvPSlider*>(sliders.GetAt(pos));
            if (pSlider->IsWindowVisible()) {
                const int nOffset = (int)(random() % 161) - 80;
                pSlider->MoveSlider(CSize(nOffset, nOffset));
            }
        }
        Pump();
        ASSERT_NO_FATAL_FAILURE(CheckLayout(panes, pManager, nStep));
        if (pDefault->IsWindowVisible()) {
            CRect rectLayout;
            pManager->GetWindowRect(rectLayout);
            frame->ScreenToClient(rectLayout);
            EXPECT_EQ(0, rectLayout.left) << nStep;
            EXPECT_EQ(ClientRectOf(pDefault).left, rectLayout.right) << nStep;
        }
    }
}

}  // namespace
