// The whole picture: a frame with three docked panes split by sliders and one
// pane floating in its frame, each on the screen where the layout says; the
// screen is written as a PNG next to the test program.
#include <gtest/gtest.h>

#include <string>

#include "platform/display/Display.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::test::DockingPaneTest;
using tw::test::TestPane;

COLORREF ScreenColour(CPoint pt) { return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y); }

class DockingScreenshotTest : public DockingPaneTest {};

TEST_F(DockingScreenshotTest, DockedAndFloatingPanesAreWhereTheLayoutSays)
{
    TestPane* pLeft = DockedPane(1, CBRS_ALIGN_LEFT, 200, 100, RGB(200, 60, 60));
    pLeft->SetWindowText("Object");
    TestPane* pBelow = AddPane(2, 200, 150, RGB(60, 160, 60), tw::test::kPaneStyle, "Project");
    ASSERT_TRUE(pBelow->DockNextToBar(pLeft, CBRS_ALIGN_BOTTOM, nullptr));
    TestPane* pOutput = DockedPane(3, CBRS_ALIGN_BOTTOM, 100, 110, RGB(60, 90, 200));
    pOutput->SetWindowText("Output");
    TestPane* pFloating = AddPane(4, 180, 120, RGB(220, 200, 60), tw::test::kPaneStyle, "Depot");
    ASSERT_TRUE(pFloating->DockToFrameWindow(CBRS_ALIGN_RIGHT));
    ASSERT_TRUE(pFloating->FloatControlBar(CRect(380, 120, 580, 280), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    CKtvPMiniFrameWnd* pMiniFrame = pFloating->GetParentMiniFrame();
    ASSERT_NE(nullptr, pMiniFrame);
    pMiniFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump();

    const std::string strPath = std::string(TW_DOCKING_SCREENSHOT_DIR) + "/docking-panes.png";
    ASSERT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(strPath));

    for (TestPane* pPane : {pLeft, pBelow, pOutput, pFloating}) {
        CRect rectClient;
        pPane->GetClientRect(rectClient);
        pPane->ClientToScreen(rectClient);
        EXPECT_EQ(pPane->m_clr, ScreenColour(rectClient.CenterPoint())) << pPane->GetDlgCtrlID();
        EXPECT_EQ(pPane->m_clr, ScreenColour(rectClient.TopLeft())) << pPane->GetDlgCtrlID();
        EXPECT_EQ(pPane->m_clr, ScreenColour(rectClient.BottomRight() - CSize(1, 1))) << pPane->GetDlgCtrlID();
    }
    // The docked panes have active or inactive captions above their clients.
    for (TestPane* pPane : {pLeft, pBelow, pOutput}) {
        const CRect rect = Rect(pPane);
        const COLORREF clr = ScreenColour(CPoint(rect.left + 2, rect.top + 3));
        EXPECT_TRUE(clr == globalData.clrActiveCaption || clr == globalData.clrInactiveCaption)
            << pPane->GetDlgCtrlID();
    }
    // The sliders between them are bar face.
    BOOL bLeft = FALSE;
    CKtvPSlider* pInner = pLeft->GetDefaultSlider()->FindContainer(pLeft, bLeft)->m_pSlider;
    ASSERT_NE(nullptr, pInner);
    for (CKtvPSlider* pSlider : {pInner, pLeft->GetDefaultSlider(), pOutput->GetDefaultSlider()}) {
        EXPECT_EQ(globalData.clrBarFace, ScreenColour(Rect(pSlider).CenterPoint()));
    }
    // The floating pane's frame draws its caption where its caption rectangle is.
    CRect rectCaption;
    pMiniFrame->GetCaptionRect(rectCaption);
    rectCaption.OffsetRect(Rect(pMiniFrame).TopLeft());
    const COLORREF clrCaption = ScreenColour(CPoint(rectCaption.right - 30, rectCaption.top + 1));
    EXPECT_TRUE(clrCaption == globalData.clrActiveCaption || clrCaption == globalData.clrInactiveCaption);
    // The layout's places: the left group, docked first, takes the whole height;
    // the bottom pane takes the rest of the width, 110 high.
    EXPECT_EQ(400, ClientRectOf(pBelow).bottom);
    EXPECT_TRUE(CRect(ClientRectOf(pLeft->GetDefaultSlider()).right, 290, 600, 400) == ClientRectOf(pOutput));
    EXPECT_EQ(ClientRectOf(pOutput->GetDefaultSlider()).bottom, ClientRectOf(pOutput).top);
}

}  // namespace
