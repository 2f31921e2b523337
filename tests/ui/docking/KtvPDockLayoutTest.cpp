// The frame layout of the dock manager and the rows of its dock bars, in a test
// frame with dock bars on four sides: where bars, dock bars and the view area
// go, how rows are made, left, swapped and removed, and what hiding all bars
// or print preview hides and brings back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::KtvTestBar;
using tw::test::KtvTestDockFrame;

// The frame's client coordinates of a window.
CRect InFrame(CWnd* pFrame, CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    pFrame->ScreenToClient(rect);
    return rect;
}

using DockLayoutTest = tw::test::DockFrameTest;

TEST_F(DockLayoutTest, EnableDockingMakesOneDockBarPerSideInPeelingOrder)
{
    const CObList& list = manager->GetControlBars();
    ASSERT_EQ(4, list.GetCount());
    const DWORD order[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    const UINT ids[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    int i = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr; ++i) {
        auto* pDockBar = static_cast<CKtvPDockBar*>(list.GetNext(pos));
        EXPECT_EQ(order[i], pDockBar->GetCurrentAlignment());
        EXPECT_EQ(ids[i], pDockBar->GetDockBarID());
        EXPECT_EQ((int)ids[i], pDockBar->GetDlgCtrlID());
    }
    EXPECT_EQ((DWORD)CBRS_ALIGN_ANY, manager->GetEnabledDockingAlignment());
    // Enabling a side again adds nothing.
    EXPECT_TRUE(manager->EnableDocking(CBRS_ALIGN_TOP));
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(CRect(0, 0, 600, 400), manager->GetClientAreaBounds());
}

TEST_F(DockLayoutTest, FourSidesPeelTopBottomThenLeftRight)
{
    DockAt(AddBar(1, 200, 24), AFX_IDW_DOCKBAR_TOP, 0, 0);
    DockAt(AddBar(2, 150, 20), AFX_IDW_DOCKBAR_BOTTOM, 0, 380);
    DockAt(AddBar(3, 120, 30), AFX_IDW_DOCKBAR_LEFT, 0, 40);
    DockAt(AddBar(4, 100, 26), AFX_IDW_DOCKBAR_RIGHT, 570, 40);
    Pump();

    EXPECT_EQ(CRect(0, 0, 600, 24), InFrame(frame, DockBar(CBRS_ALIGN_TOP)));
    EXPECT_EQ(CRect(0, 380, 600, 400), InFrame(frame, DockBar(CBRS_ALIGN_BOTTOM)));
    EXPECT_EQ(CRect(0, 24, 30, 380), InFrame(frame, DockBar(CBRS_ALIGN_LEFT)));
    EXPECT_EQ(CRect(574, 24, 600, 380), InFrame(frame, DockBar(CBRS_ALIGN_RIGHT)));
    EXPECT_EQ(CRect(30, 24, 574, 380), manager->GetClientAreaBounds());
    EXPECT_EQ(CRect(30, 24, 574, 380), manager->GetOuterEdgeBounds());

    // Each bar lies in its row, along its dock bar's edge.
    EXPECT_EQ(CRect(0, 0, 200, 24), InFrame(frame, manager->FindBarByID(1)));
    CRect rectLeftBar = InFrame(frame, manager->FindBarByID(3));
    EXPECT_EQ(0, rectLeftBar.left);
    EXPECT_EQ(30, rectLeftBar.Width());
    EXPECT_EQ(120, rectLeftBar.Height());
    EXPECT_GE(rectLeftBar.top, 24);

    // A resize of the frame keeps the peeling.
    CRect rectWindow;
    frame->GetWindowRect(rectWindow);
    frame->SetWindowPos(nullptr, 0, 0, rectWindow.Width() + 100, rectWindow.Height() + 50,
                        SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(CRect(0, 0, 700, 24), InFrame(frame, DockBar(CBRS_ALIGN_TOP)));
    EXPECT_EQ(CRect(674, 24, 700, 430), InFrame(frame, DockBar(CBRS_ALIGN_RIGHT)));
    EXPECT_EQ(CRect(30, 24, 674, 430), manager->GetClientAreaBounds());
}

TEST_F(DockLayoutTest, OneSidedFrameStillGetsItsOuterDockArea)
{
    // Only the top side docks: the dock bar is the head of the list and must mark the outer edge.
    auto* pFrame = new KtvTestDockFrame;
    ASSERT_TRUE(pFrame->CreateFrame(40, 40, 300, 200));
    ASSERT_TRUE(pFrame->m_dockManager.EnableDocking(CBRS_ALIGN_TOP));
    auto* pBar = new KtvTestBar(100, 22);
    ASSERT_TRUE(pBar->CreateBar(pFrame, 7));
    pFrame->m_dockManager.DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
    EXPECT_EQ(CRect(0, 22, 300, 200), pFrame->m_dockManager.GetOuterEdgeBounds());
    EXPECT_EQ(CRect(0, 22, 300, 200), pFrame->m_dockManager.GetClientAreaBounds());
}

TEST_F(DockLayoutTest, RowsGrowTheDockBarByTheirThickness)
{
    KtvTestBar* pFirst = AddBar(1, 200, 24);
    DockAt(pFirst, AFX_IDW_DOCKBAR_TOP, 0, 0);
    CKtvPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    ASSERT_EQ(1, pTop->GetDockBarRows().GetCount());
    EXPECT_EQ(24, InFrame(frame, pTop).Height());

    // Below the dock bar (the cursor lies under it): a second row.
    KtvTestBar* pSecond = AddBar(2, 100, 30);
    DockAt(pSecond, AFX_IDW_DOCKBAR_TOP, 10, 60);
    EXPECT_EQ(2, pTop->GetDockBarRows().GetCount());
    EXPECT_EQ(54, InFrame(frame, pTop).Height());
    EXPECT_EQ(CRect(10, 24, 110, 54), InFrame(frame, pSecond));
    EXPECT_EQ(54, manager->GetClientAreaBounds().top);

    // Into the first row, beside the first bar.
    KtvTestBar* pThird = AddBar(3, 80, 24);
    DockAt(pThird, AFX_IDW_DOCKBAR_TOP, 300, 5);
    EXPECT_EQ(2, pTop->GetDockBarRows().GetCount());
    EXPECT_EQ(pFirst->GetDockBarRow(), pThird->GetDockBarRow());
    EXPECT_EQ(CRect(300, 0, 380, 24), InFrame(frame, pThird));

    // The last bar leaving a row removes the row, and the rows after it move towards the edge.
    pFirst->UndockControlBar(TRUE);
    pThird->UndockControlBar(FALSE);
    EXPECT_EQ(1, pTop->GetDockBarRows().GetCount());
    EXPECT_EQ(30, InFrame(frame, pTop).Height());
    EXPECT_EQ(0, InFrame(frame, pSecond).top);
    EXPECT_EQ(30, manager->GetClientAreaBounds().top);
}

TEST_F(DockLayoutTest, BarsInARowNeverOverlapAndShrinkWhenTheRowIsShort)
{
    KtvTestBar* pA = AddBar(1, 250, 24);
    KtvTestBar* pB = AddBar(2, 250, 24);
    pB->SetMinSize(CSize(40, 24));
    pA->SetMinSize(CSize(40, 24));
    DockAt(pA, AFX_IDW_DOCKBAR_TOP, 0, 0);
    DockAt(pB, AFX_IDW_DOCKBAR_TOP, 100, 0);  // overlaps A: pushed on
    EXPECT_EQ(CRect(0, 0, 250, 24), InFrame(frame, pA));
    EXPECT_EQ(CRect(250, 0, 500, 24), InFrame(frame, pB));

    // The frame narrows to 400: the last bar shrinks first.
    CRect rectWindow;
    frame->GetWindowRect(rectWindow);
    frame->SetWindowPos(nullptr, 0, 0, rectWindow.Width() - 200, rectWindow.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    const CRect a = InFrame(frame, pA);
    const CRect b = InFrame(frame, pB);
    EXPECT_EQ(CRect(0, 0, 250, 24), a);
    EXPECT_EQ(CRect(250, 0, 400, 24), b);

    // Wide again: the bars return to their preferred places and lengths.
    frame->SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(CRect(250, 0, 500, 24), InFrame(frame, pB));
}

TEST_F(DockLayoutTest, RestoringAddsAtMostOneRowForABarsRowIndex)
{
    CKtvPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    KtvTestBar* pFirst = AddBar(1, 100, 20);
    DockAt(pFirst, AFX_IDW_DOCKBAR_TOP, 0, 0);
    KtvTestBar* pBar = AddBar(2, 100, 20);
    pBar->GetRecentDockInfo().m_nLastRowIndex = 3;
    g_bKtvRestoringDockState = TRUE;
    DockAt(pBar, AFX_IDW_DOCKBAR_TOP, 0, 0);
    g_bKtvRestoringDockState = FALSE;
    EXPECT_EQ(2, pTop->GetDockBarRows().GetCount()) << "a damaged index may not grow the bar without end";
    EXPECT_EQ(1, pTop->FindRowIndex(pBar->GetDockBarRow()));

    KtvTestBar* pNegative = AddBar(3, 100, 20);
    pNegative->GetRecentDockInfo().m_nLastRowIndex = -5;
    g_bKtvRestoringDockState = TRUE;
    DockAt(pNegative, AFX_IDW_DOCKBAR_TOP, 300, 0);
    g_bKtvRestoringDockState = FALSE;
    EXPECT_EQ(0, pTop->FindRowIndex(pNegative->GetDockBarRow()));
}

TEST_F(DockLayoutTest, DockControlBarLeftOfLeavesATenPixelGap)
{
    // Only toolbars may be placed left of one another.
    KtvTestBar* pTarget = AddBar(1, 100, 24);
    KtvTestBar* pBar = AddBar(2, 60, 24);
    DockAt(pTarget, AFX_IDW_DOCKBAR_TOP, 200, 0);
    EXPECT_FALSE(manager->DockControlBarLeftOf(pBar, pTarget));

    CKtvPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    pBar->AttachToDockBar(pTop, KTVP_DM_RECT);
    ASSERT_TRUE(pTop->DockControlBarLeftOf(pBar, pTarget));
    EXPECT_EQ(pTarget->GetDockBarRow(), pBar->GetDockBarRow());
    EXPECT_EQ(InFrame(frame, pTarget).left - 10, InFrame(frame, pBar).right);
    EXPECT_EQ(pBar, pTop->GetControlBarList().GetHead());
}

TEST_F(DockLayoutTest, ShowControlBarsHidesAndRestoresExactlyWhatWasVisible)
{
    KtvTestBar* pShown = AddBar(1, 100, 24);
    KtvTestBar* pHidden = AddBar(2, 100, 24);
    DockAt(pShown, AFX_IDW_DOCKBAR_TOP, 0, 0);
    DockAt(pHidden, AFX_IDW_DOCKBAR_LEFT, 0, 30);
    pHidden->ShowControlBar(FALSE, FALSE, FALSE);
    EXPECT_EQ(0, InFrame(frame, DockBar(CBRS_ALIGN_LEFT)).Width()) << "a hidden row takes no room";

    EXPECT_TRUE(manager->ShowControlBars(FALSE));
    EXPECT_FALSE(manager->ShowControlBars(FALSE));
    EXPECT_FALSE(pShown->IsWindowVisible());
    EXPECT_EQ(CRect(0, 0, 600, 400), manager->GetClientAreaBounds());

    EXPECT_TRUE(manager->ShowControlBars(TRUE));
    EXPECT_FALSE(manager->ShowControlBars(TRUE));
    EXPECT_TRUE((pShown->GetStyle() & WS_VISIBLE) != 0);
    EXPECT_FALSE((pHidden->GetStyle() & WS_VISIBLE) != 0) << "a bar hidden before stays hidden";
    EXPECT_EQ(24, manager->GetClientAreaBounds().top);
}

TEST_F(DockLayoutTest, PrintPreviewHidesAndRestoresTheSameBars)
{
    KtvTestBar* pShown = AddBar(1, 100, 24);
    KtvTestBar* pHidden = AddBar(2, 100, 24);
    DockAt(pShown, AFX_IDW_DOCKBAR_TOP, 0, 0);
    DockAt(pHidden, AFX_IDW_DOCKBAR_BOTTOM, 0, 380);
    pHidden->ShowControlBar(FALSE, FALSE, FALSE);

    manager->SetPrintPreviewMode(TRUE, nullptr);
    EXPECT_TRUE(manager->IsPrintPreviewValid());
    EXPECT_FALSE(pShown->IsWindowVisible()) << "its dock bar is hidden";
    EXPECT_FALSE(DockBar(CBRS_ALIGN_TOP)->IsWindowVisible());
    manager->SetPrintPreviewMode(FALSE, nullptr);
    EXPECT_FALSE(manager->IsPrintPreviewValid());
    EXPECT_TRUE(pShown->IsWindowVisible());
    EXPECT_TRUE(DockBar(CBRS_ALIGN_TOP)->IsWindowVisible());
    EXPECT_FALSE((pHidden->GetStyle() & WS_VISIBLE) != 0);
}

TEST_F(DockLayoutTest, AdjustRectToClientAreaCutsAtHalfTheClientArea)
{
    auto* pFrame = new KtvTestDockFrame;
    ASSERT_TRUE(pFrame->CreateFrame(40, 40, 400, 301));
    CKtvPDockManager& m = pFrame->m_dockManager;
    m.AdjustDockingLayout();  // no bars: the bounds are the client area
    struct {
        CRect rect;
        DWORD dwAlignment;
        BOOL bResult;
        CRect expected;
    } cases[] = {
        {CRect(0, 0, 100, 200), CBRS_ALIGN_TOP, TRUE, CRect(0, 0, 100, 150)},
        {CRect(0, 0, 100, 150), CBRS_ALIGN_TOP, TRUE, CRect(0, 0, 100, 150)},
        {CRect(0, 0, 100, 149), CBRS_ALIGN_TOP, FALSE, CRect(0, 0, 100, 149)},
        {CRect(0, 100, 100, 300), CBRS_ALIGN_BOTTOM, TRUE, CRect(0, 150, 100, 300)},
        {CRect(0, 0, 300, 50), CBRS_ALIGN_LEFT, TRUE, CRect(0, 0, 200, 50)},
        {CRect(0, 0, 300, 50), CBRS_ALIGN_RIGHT, TRUE, CRect(100, 0, 300, 50)},
        {CRect(0, 0, 300, 50), 0, FALSE, CRect(0, 0, 300, 50)},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        EXPECT_EQ(c.bResult, m.AdjustRectToClientArea(rect, c.dwAlignment));
        EXPECT_EQ(c.expected, rect);
    }
}

TEST_F(DockLayoutTest, ListsRefuseDuplicatesAndFindBarByIdPrefersOwnIds)
{
    KtvTestBar* pDocked = AddBar(42, 100, 24);
    DockAt(pDocked, AFX_IDW_DOCKBAR_TOP, 0, 0);
    EXPECT_EQ(pDocked, manager->FindBarByID(42));
    EXPECT_EQ(nullptr, manager->FindBarByID(43));

    // A bar listed with its own id is found before a docked toolbar of the same id.
    KtvTestBar* pListed = AddBar(42, 100, 24);
    EXPECT_TRUE(manager->AddControlBar(pListed, TRUE));
    EXPECT_FALSE(manager->AddControlBar(pListed, TRUE));
    EXPECT_EQ(pListed, manager->FindBarByID(42));
    EXPECT_EQ(DockBar(CBRS_ALIGN_TOP), manager->FindDockBarByControlBar(pDocked));

    EXPECT_FALSE(manager->InsertControlBar(pListed, DockBar(CBRS_ALIGN_TOP), TRUE)) << "already listed";
    manager->RemoveControlBarFromDockManager(pListed, FALSE, FALSE, FALSE);
    EXPECT_TRUE(manager->InsertControlBar(pListed, DockBar(CBRS_ALIGN_TOP), FALSE));
    EXPECT_EQ(pListed, manager->GetControlBars().GetHead());
    EXPECT_EQ(frame, pListed->GetDockSiteFrameWnd());
}

TEST_F(DockLayoutTest, ControlBarFromPointUsesSensitivityUnlessExact)
{
    KtvTestBar* pBar = AddBar(1, 100, 24);
    DockAt(pBar, AFX_IDW_DOCKBAR_TOP, 0, 0);
    CRect rect;
    pBar->GetWindowRect(rect);
    const CPoint ptNear(rect.right + 5, rect.top + 5);
    EXPECT_EQ(DockBar(CBRS_ALIGN_TOP), manager->ControlBarFromPoint(ptNear, 15, TRUE));
    CRect rectTop;
    DockBar(CBRS_ALIGN_TOP)->GetWindowRect(rectTop);
    const CPoint ptBelow(rectTop.left + 10, rectTop.bottom + 10);
    EXPECT_EQ(nullptr, manager->ControlBarFromPoint(ptBelow, 15, TRUE, RUNTIME_CLASS(CKtvPDockBar)));
    EXPECT_EQ(DockBar(CBRS_ALIGN_TOP),
              manager->ControlBarFromPoint(ptBelow, 15, FALSE, RUNTIME_CLASS(CKtvPDockBar)));

    DWORD dwAlignment = 0;
    BOOL bOuter = FALSE;
    CPoint ptInner(300, 24 + 5);
    frame->ClientToScreen(&ptInner);
    EXPECT_TRUE(manager->IsPointNearDockBar(ptInner, dwAlignment, bOuter));
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, dwAlignment);
}

// Every bar of the dock bar lies wholly in its row, no two bars of a row
// overlap, no row is left empty, and the dock bar is as thick as its rows.
void ExpectRowsHoldTheirBars(CKtvPDockBar* pDockBar, int nStep)
{
    int nRowsThickness = 0;
    for (POSITION pos = pDockBar->GetDockBarRows().GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKtvPDockBarRow*>(pDockBar->GetDockBarRows().GetNext(pos));
        EXPECT_FALSE(pRow->IsEmpty()) << "step " << nStep;
        if (pRow->IsVisible()) {
            nRowsThickness += pRow->GetRowHeight();
        }
        CRect rectRow;
        pRow->GetWindowRect(rectRow);
        std::vector<CRect> rects;
        for (POSITION posBar = pRow->GetControlBarList().GetHeadPosition(); posBar != nullptr;) {
            auto* pRowBar = static_cast<CKtvPControlBar*>(pRow->GetControlBarList().GetNext(posBar));
            EXPECT_EQ(pRow, pRowBar->GetDockBarRow());
            CRect rect;
            pRowBar->GetWindowRect(rect);
            EXPECT_TRUE(rect.left >= rectRow.left && rect.right <= rectRow.right && rect.top >= rectRow.top &&
                        rect.bottom <= rectRow.bottom)
                << "step " << nStep;
            rects.push_back(rect);
        }
        for (size_t i = 0; i < rects.size(); ++i) {
            for (size_t j = i + 1; j < rects.size(); ++j) {
                CRect common;
                EXPECT_FALSE(common.IntersectRect(rects[i], rects[j])) << "step " << nStep;
            }
        }
    }
    CRect rectDockBar;
    pDockBar->GetWindowRect(rectDockBar);
    EXPECT_EQ(nRowsThickness, pDockBar->IsHorizontal() ? rectDockBar.Height() : rectDockBar.Width())
        << "step " << nStep;
}

// A scripted run of random dockings and moves.
TEST_F(DockLayoutTest, RandomMovesKeepBarsInTheirRowsWithoutOverlap)
{
    std::mt19937 random(25);
    std::vector<KtvTestBar*> bars;
    for (UINT i = 0; i < 8; ++i) {
        bars.push_back(AddBar(100 + i, 60 + 20 * (int)(i % 4), 20 + 2 * (int)(i % 3)));
        bars.back()->SetMinSize(CSize(30, 20));
    }
    CKtvPDockBar* pTop = DockBar(CBRS_ALIGN_TOP);
    for (int step = 0; step < 300 && !HasFailure(); ++step) {
        KtvTestBar* pBar = bars[random() % bars.size()];
        const int nChoice = (int)(random() % 3);
        if (nChoice == 0 || pBar->GetDockBarRow() == nullptr) {
            DockAt(pBar, AFX_IDW_DOCKBAR_TOP, (int)(random() % 560), (int)(random() % 90));
        } else {
            pBar->GetDockBarRow()->MoveBarInRow(pBar, (int)(random() % 121) - 60, 0, TRUE);
        }
        ExpectRowsHoldTheirBars(pTop, step);
    }
}

// A scripted run of random mouse drags of bars that follow the mouse, along
// their rows and across them, on the top dock bar and the left one. Each bar
// stays partly over its dock bar, so none floats.
TEST_F(DockLayoutTest, RandomDragsKeepBarsInTheirRowsWithoutOverlap)
{
    std::mt19937 random(21);
    struct Side {
        UINT nDockBarID;
        DWORD dwAlignment;
    };
    const Side sides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP}, {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT}};
    for (const Side& side : sides) {
        CKtvPDockBar* pDockBar = DockBar(side.dwAlignment);
        const BOOL bHorz = pDockBar->IsHorizontal();
        std::vector<KtvTestBar*> bars;
        INT_PTR nMostRows = 0;
        for (int i = 0; i < 5; ++i) {
            KtvTestBar* pBar = AddBar(200 + side.dwAlignment + (UINT)i, 60 + 10 * (i % 3), 22 + 2 * (i % 2),
                                      side.dwAlignment);
            pBar->SetDockMode(KTVP_DT_IMMEDIATE);
            DockAt(pBar, side.nDockBarID, bHorz ? 70 * i : 0, bHorz ? 0 : 70 * i);
            bars.push_back(pBar);
        }
        for (int step = 0; step < 100 && !HasFailure(); ++step) {
            KtvTestBar* pBar = bars[random() % bars.size()];
            const int nHalf = pBar->m_nThickness / 2;
            POINT pt = ScreenPointOf(pBar->GetSafeHwnd(), bHorz ? 5 : nHalf, bHorz ? nHalf : 5);
            tw::ProcessClock::Advance(GetDoubleClickTime() + 1);  // a pause: no double click that floats the bar
            input.MouseMove(pt.x, pt.y);
            input.ButtonDown(tw::display::MouseButton::Left, pt.x, pt.y);
            Pump();
            for (int move = 0; move < 3; ++move) {
                // The bar may go anywhere along the dock bar and into a new row
                // past its inner edge, but not wholly off it.
                CRect rectDockBar;
                pDockBar->GetWindowRect(rectDockBar);
                CRect rectVirtual;
                pBar->GetVirtualRect(rectVirtual);
                const int nAlongMin = bHorz ? rectDockBar.left - rectVirtual.left : rectDockBar.top - rectVirtual.top;
                const int nAlongMax =
                    bHorz ? rectDockBar.right - rectVirtual.right : rectDockBar.bottom - rectVirtual.bottom;
                const int nAcrossMin =
                    bHorz ? rectDockBar.top - rectVirtual.bottom + 2 : rectDockBar.left - rectVirtual.right + 2;
                const int nAcrossMax =
                    bHorz ? rectDockBar.bottom - rectVirtual.top - 2 : rectDockBar.right - rectVirtual.left - 2;
                (bHorz ? pt.x : pt.y) += std::min(std::max((int)(random() % 121) - 60, nAlongMin), nAlongMax);
                (bHorz ? pt.y : pt.x) += std::min(std::max((int)(random() % 41) - 20, nAcrossMin), nAcrossMax);
                input.MouseMove(pt.x, pt.y);
                Pump();
            }
            input.ButtonUp(tw::display::MouseButton::Left, pt.x, pt.y);
            Pump();
            EXPECT_FALSE(pBar->IsDragMode());
            for (KtvTestBar* pEach : bars) {
                EXPECT_EQ(pDockBar, pEach->GetParentDockBar()) << "step " << step;
            }
            ExpectRowsHoldTheirBars(pDockBar, step);
            nMostRows = std::max(nMostRows, pDockBar->GetDockBarRows().GetCount());
        }
        EXPECT_LE(3, nMostRows) << "the drags made rows";
    }
    // The view area starts where the dock bars end.
    const CRect rectView = manager->GetClientAreaBounds();
    EXPECT_EQ(InFrame(frame, DockBar(CBRS_ALIGN_TOP)).bottom, rectView.top);
    EXPECT_EQ(InFrame(frame, DockBar(CBRS_ALIGN_LEFT)).right, rectView.left);
}

}  // namespace
