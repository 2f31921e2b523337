// The caption of a docked pane: its height from the text height, its buttons
// laid out from the right with their margins, inapplicable buttons hidden, the
// title's room, the tooltips of the buttons, and a press on a button that only
// acts when released on it.
#include <gtest/gtest.h>

#include "platform/comctl/commctrl.h"
#include "tests/ui/docking/DockingPaneTest.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using tw::display::MouseButton;
using tw::test::DockingPaneTest;
using tw::test::TestPane;

class DockingCaptionTest : public DockingPaneTest {
protected:
    static CKtvPCaptionButton* Button(CKtvPDockingControlBar* pPane, UINT nHit)
    {
        const CObArray& buttons = pPane->GetCaptionButtonList();
        for (INT_PTR i = 0; i < buttons.GetSize(); i++) {
            auto* pBtn = static_cast<CKtvPCaptionButton*>(buttons[i]);
            if (pBtn->GetHit() == nHit) {
                return pBtn;
            }
        }
        return nullptr;
    }

    static CPoint ButtonCentre(CKtvPDockingControlBar* pPane, UINT nHit)
    {
        CRect rect = Button(pPane, nHit)->GetRect();
        rect.OffsetRect(Rect(pPane).TopLeft());
        return rect.CenterPoint();
    }

    CString TipText(CKtvPDockingControlBar* pPane, UINT nTool)
    {
        TOOLTIPTEXTA info{};
        info.hdr.hwndFrom = pPane->GetCaptionToolTip().GetSafeHwnd();
        info.hdr.idFrom = nTool;
        info.hdr.code = TTN_NEEDTEXTA;
        pPane->SendMessage(WM_NOTIFY, nTool, (LPARAM)&info);
        return info.lpszText != nullptr ? CString(info.lpszText) : CString();
    }
};

TEST_F(DockingCaptionTest, CaptionHeightAndButtonPlacesFollowTheTextHeightAndMargins)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 180, 100);
    ASSERT_GT(globalData.m_nTextHeight, 0);
    EXPECT_EQ(globalData.m_nTextHeight + 5, pPane->GetCaptionHeightSetting());
    const CSize B = CKtvPCaptionButton::GetSize();
    EXPECT_EQ(CKtvPMenuImages::Size() + CSize(4, 4), B);

    CKtvPCaptionButton* pClose = Button(pPane, KTVP_HTCLOSE_BAR);
    CKtvPCaptionButton* pPin = Button(pPane, KTVP_HTPIN);
    ASSERT_NE(nullptr, pClose);
    ASSERT_NE(nullptr, pPin);
    EXPECT_FALSE(pClose->m_bHidden);
    EXPECT_EQ(CPoint(180 - 2 - B.cx, (pPane->GetCaptionHeightSetting() - B.cy) / 2), pClose->m_ptOrigin);
    // No auto-hide strip on this side: the pin does not apply and is hidden.
    EXPECT_TRUE(pPin->m_bHidden);
    // The title ends four pixels before the close button.
    EXPECT_EQ(pClose->m_ptOrigin.x - 4, pPane->GetCaptionTextRect().right);
    // The client area starts under the caption.
    CRect rectClient;
    pPane->GetClientRect(rectClient);
    EXPECT_EQ(400 - pPane->GetCaptionHeightSetting(), rectClient.Height());
}

TEST_F(DockingCaptionTest, APaneThatCannotCloseShowsNoButtonsAndItsTitleRunsToTheEnd)
{
    TestPane* pPane = AddPane(1, 180, 100, RGB(255, 255, 255), KTVP_CBRS_FLOAT | KTVP_CBRS_RESIZE);
    ASSERT_TRUE(pPane->DockToFrameWindow(CBRS_ALIGN_LEFT));
    Pump();
    EXPECT_TRUE(Button(pPane, KTVP_HTCLOSE_BAR)->m_bHidden);
    EXPECT_TRUE(Button(pPane, KTVP_HTPIN)->m_bHidden);
    EXPECT_EQ(180 - 4, pPane->GetCaptionTextRect().right);
}

TEST_F(DockingCaptionTest, AFloatingPaneHasNoCaptionOfItsOwn)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 180, 100);
    ASSERT_TRUE(pPane->FloatControlBar(CRect(200, 150, 400, 300), KTVP_DM_DBL_CLICK, TRUE));
    Pump();
    EXPECT_TRUE(pPane->IsFloating());
    EXPECT_EQ(0, pPane->GetCaptionHeight());
    EXPECT_TRUE(Button(pPane, KTVP_HTCLOSE_BAR)->m_bHidden);
}

TEST_F(DockingCaptionTest, TooltipsNameTheButtonsAndCtrlAsksForAllPanes)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 180, 100);
    EXPECT_EQ("Close", TipText(pPane, 1));
    EXPECT_EQ("Auto Hide", TipText(pPane, 2));
    pPane->EnableAutoHideAll(TRUE);
    input.KeyDown(VK_CONTROL);
    Pump();
    EXPECT_EQ("Auto Hide All", TipText(pPane, 2));
    EXPECT_EQ("Close", TipText(pPane, 1));
    input.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ("Auto Hide", TipText(pPane, 2));
}

TEST_F(DockingCaptionTest, ACloseButtonActsOnlyWhenReleasedOnIt)
{
    TestPane* pPane = DockedPane(1, CBRS_ALIGN_LEFT, 180, 100);
    const CPoint ptClose = ButtonCentre(pPane, KTVP_HTCLOSE_BAR);

    // Pressed, moved off and released: nothing happens.
    Drag(ptClose, {CPoint(-60, 0)});
    EXPECT_TRUE(pPane->IsWindowVisible());
    EXPECT_EQ(0u, pPane->GetPressedButton());
    EXPECT_TRUE(pPane->IsDocked());

    // Pressed and released on it: the pane closes and gives its side back.
    Drag(ptClose, {});
    EXPECT_FALSE(pPane->IsWindowVisible());
    EXPECT_EQ(0, manager->GetClientAreaBounds().left);
}

}  // namespace
