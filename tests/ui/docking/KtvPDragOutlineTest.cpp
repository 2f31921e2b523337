// Outline drags of a docked bar with injected mouse input: the outline appears
// only beyond the drag threshold, is drawn by inverting the screen, and Escape
// or WM_CANCELMODE takes it off leaving the screen as it was and the bar in place.
// Then the whole test frame: bars on four sides in several rows after a drag,
// on the screen where the dock manager's rectangles say.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/CDC.h"
#include "tests/support/ui/KtvTestDockFrame.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::display::MouseButton;
using tw::test::KtvTestBar;
using tw::test::KtvTestDockFrame;

std::vector<uint32_t> Snapshot()
{
    const auto& screen = tw::display::Display::Instance().GetScreen();
    auto lock = screen.Lock();
    return std::vector<uint32_t>(screen.Data(), screen.Data() + screen.Width() * screen.Height());
}

uint32_t ScreenAt(int x, int y) { return tw::display::Display::Instance().GetScreen().Pixel(x, y); }

// A bar that paints itself in one colour, so the screen shows where it is.
class ColouredBar : public KtvTestBar {
public:
    ColouredBar(int nLength, int nThickness, COLORREF clr) : KtvTestBar(nLength, nThickness), m_clr(clr) {}
    void DoPaint(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(rect);
        pDC->FillSolidRect(rect, m_clr);
    }
    COLORREF m_clr;
};

class DragOutlineTest : public tw::test::DockFrameTest {
protected:
    void SetUp() override
    {
        DockFrameTest::SetUp();
        bar = AddBar(1, 150, 24);
        bar->SetDockMode(KTVP_DT_STANDARD);
        DockAt(bar, AFX_IDW_DOCKBAR_TOP, 0, 0);
        Pump();
    }

    // Presses on the bar and moves by (dx, dy).
    CPoint PressAndMove(int dx, int dy)
    {
        const CPoint ptStart = ScreenPointOf(bar->GetSafeHwnd(), 20, 12);
        input.MouseMove(ptStart.x, ptStart.y);
        input.ButtonDown(MouseButton::Left, ptStart.x, ptStart.y);
        Pump();
        input.MouseMove(ptStart.x + dx, ptStart.y + dy);
        Pump();
        return ptStart;
    }

    KtvTestBar* bar = nullptr;
};

TEST_F(DragOutlineTest, NoOutlineWithinTheDragThreshold)
{
    const CPoint ptStart = PressAndMove(1, 1);
    EXPECT_TRUE(bar->IsDragMode());
    EXPECT_TRUE(bar->GetDragFrameImpl().m_rectOutline.IsRectEmpty());
    EXPECT_FALSE(bar->GetDragFrameImpl().IsShown());
    input.ButtonUp(MouseButton::Left, ptStart.x + 1, ptStart.y + 1);
    Pump();
    EXPECT_FALSE(bar->IsDragMode());
}

TEST_F(DragOutlineTest, OutlineInvertsTheScreenAndEscapeRestoresIt)
{
    CRect rectBarBefore;
    bar->GetWindowRect(rectBarBefore);
    const std::vector<uint32_t> before = Snapshot();

    const CPoint ptStart = PressAndMove(0, 120);
    CKtvPDragFrameImpl& drag = bar->GetDragFrameImpl();
    ASSERT_TRUE(drag.IsShown());
    const CRect rectOutline = drag.m_rectOutline;
    ASSERT_FALSE(rectOutline.IsRectEmpty());
    // The outline takes the bar's float size and follows the cursor.
    EXPECT_EQ(bar->GetRecentDockInfo().m_rectLastFloat.Size(), rectOutline.Size());
    EXPECT_TRUE(rectOutline.PtInRect(CPoint(ptStart.x, ptStart.y + 120)));
    // Its edge is the screen inverted through the halftone; inside the outline nothing changed.
    const CPoint ptEdge(rectOutline.left + 1, rectOutline.top + rectOutline.Height() / 2);
    const int nWidth = tw::display::Display::Instance().GetScreen().Width();
    EXPECT_NE(before[ptEdge.y * nWidth + ptEdge.x], ScreenAt(ptEdge.x, ptEdge.y));
    const CPoint ptInside = rectOutline.CenterPoint();
    EXPECT_EQ(before[ptInside.y * nWidth + ptInside.x], ScreenAt(ptInside.x, ptInside.y));

    bar->SendMessage(WM_CHAR, VK_ESCAPE, 0);
    Pump();
    EXPECT_FALSE(drag.IsShown());
    EXPECT_FALSE(bar->IsDragMode());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(Snapshot() == before) << "the screen is as before the drag";
    CRect rectBarAfter;
    bar->GetWindowRect(rectBarAfter);
    EXPECT_EQ(rectBarBefore, rectBarAfter);
    input.ButtonUp(MouseButton::Left, ptStart.x, ptStart.y + 120);
    Pump();
}

TEST_F(DragOutlineTest, CancelModeEndsTheDragLikeEscape)
{
    const std::vector<uint32_t> before = Snapshot();
    const CPoint ptStart = PressAndMove(60, 150);
    ASSERT_TRUE(bar->GetDragFrameImpl().IsShown());
    bar->SendMessage(WM_CANCELMODE, 0, 0);
    Pump();
    EXPECT_FALSE(bar->GetDragFrameImpl().IsShown());
    EXPECT_TRUE(Snapshot() == before);
    EXPECT_EQ(manager->FindDockBar(CBRS_ALIGN_TOP, TRUE), bar->GetParentDockBar());
    input.ButtonUp(MouseButton::Left, ptStart.x + 60, ptStart.y + 150);
    Pump();
}

TEST_F(DragOutlineTest, NearAnEdgeTheOutlineShowsTheDockedPlaceThinner)
{
    PressAndMove(0, 60);
    CKtvPDragFrameImpl& drag = bar->GetDragFrameImpl();
    ASSERT_TRUE(drag.IsShown());
    EXPECT_TRUE(drag.m_rectDockPreview.IsRectEmpty());
    EXPECT_EQ(globalData.m_nDragFrameWidthFloating, drag.m_nOutlineWidth);

    // Near the left edge of the view area: the predicted docked rectangle, 3 pixels wide.
    CPoint ptLeft(5, 200);
    frame->ClientToScreen(&ptLeft);
    input.MouseMove(ptLeft.x, ptLeft.y);
    Pump();
    EXPECT_FALSE(drag.m_rectDockPreview.IsRectEmpty());
    EXPECT_EQ(globalData.m_nDragFrameWidthDocked, drag.m_nOutlineWidth);
    CRect rectView = manager->GetClientAreaBounds();
    frame->ClientToScreen(rectView);
    EXPECT_EQ(rectView.left, drag.m_rectDockPreview.left);

    // Released: a toolbar does not dock at the cursor, so it stays where it was; the outline goes.
    input.ButtonUp(MouseButton::Left, ptLeft.x, ptLeft.y);
    Pump();
    EXPECT_FALSE(drag.IsShown());
    EXPECT_EQ(manager->FindDockBar(CBRS_ALIGN_TOP, TRUE), bar->GetParentDockBar());
}

TEST_F(DragOutlineTest, ANewDragClearsTheDroppedOnTabFlag)
{
    bar->GetDragFrameImpl().m_bDroppedOnTab = TRUE;
    const CPoint ptStart = PressAndMove(0, 100);
    EXPECT_FALSE(bar->GetDragFrameImpl().m_bDroppedOnTab);
    bar->SendMessage(WM_CANCELMODE, 0, 0);
    input.ButtonUp(MouseButton::Left, ptStart.x, ptStart.y + 100);
    Pump();
}

// The done-when picture: bars on four sides, a drag moves one into a new row,
// and each bar's colour is on the screen where the dock manager put it.
TEST_F(DragOutlineTest, ScreenShowsBarsOnFourSidesWhereTheLayoutSays)
{
    struct Spec {
        UINT nID;
        int nLength;
        int nThickness;
        COLORREF clr;
        UINT nDockBarID;
        CPoint pt;
    };
    const Spec specs[] = {
        {11, 160, 24, RGB(200, 0, 0), AFX_IDW_DOCKBAR_TOP, CPoint(200, 0)},
        {12, 120, 24, RGB(0, 160, 0), AFX_IDW_DOCKBAR_TOP, CPoint(400, 0)},
        {13, 140, 22, RGB(0, 0, 200), AFX_IDW_DOCKBAR_BOTTOM, CPoint(0, 378)},
        {14, 100, 28, RGB(200, 200, 0), AFX_IDW_DOCKBAR_LEFT, CPoint(0, 80)},
        {15, 90, 26, RGB(0, 200, 200), AFX_IDW_DOCKBAR_RIGHT, CPoint(574, 80)},
        {16, 110, 26, RGB(200, 0, 200), AFX_IDW_DOCKBAR_RIGHT, CPoint(574, 250)},
    };
    std::vector<ColouredBar*> bars;
    for (const Spec& spec : specs) {
        auto* pBar = new ColouredBar(spec.nLength, spec.nThickness, spec.clr);
        ASSERT_TRUE(pBar->CreateBar(frame, spec.nID));
        pBar->SetDockMode(KTVP_DT_IMMEDIATE);
        CRect rect(spec.pt, CSize(spec.nLength, spec.nThickness));
        frame->ClientToScreen(rect);
        manager->DockControlBar(pBar, spec.nDockBarID, rect);
        bars.push_back(pBar);
    }
    Pump();

    // Drag the green bar down out of the first top row into a second one.
    const CPoint ptStart = ScreenPointOf(bars[1]->GetSafeHwnd(), 10, 12);
    input.MouseMove(ptStart.x, ptStart.y);
    input.ButtonDown(MouseButton::Left, ptStart.x, ptStart.y);
    Pump();
    input.MouseMove(ptStart.x, ptStart.y + 20);
    Pump();
    input.ButtonUp(MouseButton::Left, ptStart.x, ptStart.y + 20);
    Pump();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    CKtvPDockBar* pTop = manager->FindDockBar(CBRS_ALIGN_TOP, TRUE);
    EXPECT_EQ(2, pTop->GetDockBarRows().GetCount());
    EXPECT_EQ(1, manager->FindDockBar(CBRS_ALIGN_RIGHT, TRUE)->GetDockBarRows().GetCount());
    EXPECT_EQ(48, manager->GetClientAreaBounds().top);

    if (const char* pszPath = std::getenv("TW_DOCKING_SCREENSHOT")) {
        tw::display::Display::Instance().GetScreen().SavePng(pszPath);
    }
    for (ColouredBar* pBar : bars) {
        CRect rect;
        pBar->GetWindowRect(rect);
        const CPoint ptCentre = rect.CenterPoint();
        EXPECT_EQ(pBar->m_clr, tw::display::Display::Instance().GetScreen().PixelColor(ptCentre.x, ptCentre.y))
            << pBar->GetDlgCtrlID();
        // And the bar lies inside its dock bar, which the manager placed at its side.
        CRect rectDockBar;
        pBar->GetParentDockBar()->GetWindowRect(rectDockBar);
        CRect rectCommon;
        rectCommon.IntersectRect(rect, rectDockBar);
        EXPECT_EQ(rect, rectCommon) << pBar->GetDlgCtrlID();
    }
    CRect rectView = manager->GetClientAreaBounds();
    CRect rectTop;
    pTop->GetWindowRect(rectTop);
    frame->ScreenToClient(rectTop);
    EXPECT_EQ(rectTop.bottom, rectView.top);
}

}  // namespace
