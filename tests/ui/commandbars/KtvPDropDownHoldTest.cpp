// A drop-down button pressed with the mouse: a quick click runs the command it
// shows, holding the button opens its palette under it, and releasing over a
// palette button runs that command and makes it the button's own.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/kernel/ProcessClock.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/commandbars/KtvPDropDownToolBar.h"

namespace dropdownholdtest {

using tw::display::MouseButton;
using tw::test::ToolBarTest;

class DropDownHoldTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        // The palette is a bar of its own that stays hidden.
        ASSERT_TRUE(palette.Create(frame, WS_CHILD | CBRS_TOP, 0xE840));
        palette.InsertButton(new CKtvPToolbarButton(301, 0, "A", FALSE, TRUE));
        palette.InsertSeparator();
        palette.InsertButton(new CKtvPToolbarButton(302, 1, "B", FALSE, TRUE));
        palette.InsertButton(new CKtvPToolbarButton(303, 2, "C", FALSE, TRUE));

        bar = MakeBar({101, 102});
        auto* pButton = new CKtvPDropDownToolbarButton;
        pButton->m_pToolBar = &palette;
        pButton->m_strName = "Shapes";
        pButton->SetDefaultCommand(301);
        ASSERT_GE(bar->InsertButton(pButton), 0);
        bar->AdjustLayout();
        Pump();
        button = pButton;
    }
    void TearDown() override
    {
        if (::IsWindow(palette.GetSafeHwnd()))
            palette.DestroyWindow();
        ToolBarTest::TearDown();
    }

    POINT ButtonCentre()
    {
        const CPoint c = button->m_rect.CenterPoint();
        return ScreenPointOf(bar->GetSafeHwnd(), c.x, c.y);
    }
    void QuickClick()
    {
        const POINT at = ButtonCentre();
        input.MouseMove(at.x, at.y);
        input.ButtonDown(MouseButton::Left, at.x, at.y);
        input.ButtonUp(MouseButton::Left, at.x, at.y);
        Pump();
    }
    // Presses the button and holds it past the hold delay.
    CKtvPDropDownFrame* Hold()
    {
        const POINT at = ButtonCentre();
        input.MouseMove(at.x, at.y);
        input.ButtonDown(MouseButton::Left, at.x, at.y);
        Pump();
        tw::ProcessClock::Advance(500);
        Pump();
        return button->m_pPopupMenu;
    }

    CKtvPDropDownToolBar palette;
    CKtvPToolBar* bar = nullptr;
    CKtvPDropDownToolbarButton* button = nullptr;
};

TEST_F(DropDownHoldTest, AQuickClickRunsTheShownCommandAndOpensNothing)
{
    const POINT at = ButtonCentre();
    input.MouseMove(at.x, at.y);
    input.ButtonDown(MouseButton::Left, at.x, at.y);
    Pump();
    tw::ProcessClock::Advance(400);
    Pump();
    input.ButtonUp(MouseButton::Left, at.x, at.y);
    Pump();
    tw::ProcessClock::Advance(500);
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{301});
    EXPECT_EQ(button->m_pPopupMenu, nullptr);
}

TEST_F(DropDownHoldTest, HoldingOpensThePaletteAndReleasingOverAButtonChoosesIt)
{
    const INT_PTR nLiveBars = CKtvPToolBar::GetAllToolbars().GetCount();
    CKtvPDropDownFrame* pFrame = Hold();
    ASSERT_NE(pFrame, nullptr);
    const HWND hwndFrame = pFrame->GetSafeHwnd();
    ASSERT_TRUE(::IsWindowVisible(hwndFrame));
    EXPECT_TRUE(frame->commands.empty()) << "holding runs nothing";

    // The frame opens under the button, one pixel to its left.
    CRect rectButton = button->m_rect;
    bar->ClientToScreen(rectButton);
    CRect rectFrame;
    pFrame->GetWindowRect(rectFrame);
    EXPECT_EQ(rectFrame.TopLeft(), CPoint(rectButton.left - 1, rectButton.bottom));

    // The mouse, still down, goes to C and comes up there.
    CKtvPToolBar& shown = pFrame->m_wndToolBar;
    const int iC = shown.CommandToIndex(303);
    ASSERT_GE(iC, 0);
    const CPoint c = shown.GetButton(iC)->m_rect.CenterPoint();
    const POINT over = ScreenPointOf(shown.GetSafeHwnd(), c.x, c.y);
    input.MouseMove(over.x, over.y);
    Pump();
    EXPECT_EQ(shown.m_iHighlighted, iC);
    input.ButtonUp(MouseButton::Left, over.x, over.y);
    Pump();

    EXPECT_FALSE(::IsWindow(hwndFrame));
    EXPECT_EQ(button->m_pPopupMenu, nullptr);
    EXPECT_EQ(frame->commands, std::vector<UINT>{303});
    EXPECT_EQ(button->m_nID, 303u);
    EXPECT_EQ(button->m_iSelectedImage, 2) << "the button shows C's image";
    EXPECT_EQ(bar->GetButtonStyle(bar->CommandToIndex(303)) & TBBS_PRESSED, 0u);
    EXPECT_EQ(palette.GetCount(), 4) << "the palette keeps its buttons";
    EXPECT_EQ(CKtvPToolBar::GetAllToolbars().GetCount(), nLiveBars) << "the frame's bar left the list of live bars";

    frame->commands.clear();
    QuickClick();
    EXPECT_EQ(frame->commands, std::vector<UINT>{303}) << "the next quick click runs the chosen command";
}

TEST_F(DropDownHoldTest, ReleasingOutsideThePaletteClosesItWithoutACommand)
{
    CKtvPDropDownFrame* pFrame = Hold();
    ASSERT_NE(pFrame, nullptr);
    const HWND hwndFrame = pFrame->GetSafeHwnd();
    const POINT away = ScreenPointOf(frame->GetSafeHwnd(), 400, 300);
    input.MouseMove(away.x, away.y);
    input.ButtonUp(MouseButton::Left, away.x, away.y);
    Pump();
    EXPECT_FALSE(::IsWindow(hwndFrame));
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_EQ(button->m_nID, 301u);
}

}  // namespace dropdownholdtest

namespace dropdownholdtest {

// With its bar at the bottom of the screen the palette opens above the button.
TEST_F(DropDownHoldTest, NearTheBottomEdgeThePaletteOpensAboveTheButton)
{
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rectMain;
    frame->GetWindowRect(rectMain);
    frame->MoveWindow(rectMain.left, rectWork.bottom - 120, rectMain.Width(), 120);
    frame->RecalcLayout();
    Pump();

    CKtvPDropDownFrame* pFrame = Hold();
    ASSERT_NE(pFrame, nullptr);
    CRect rectButton = button->m_rect;
    bar->ClientToScreen(rectButton);
    CRect rectFrame;
    pFrame->GetWindowRect(rectFrame);
    ASSERT_GT(rectButton.bottom + rectFrame.Height(), rectWork.bottom) << "below the button it would not fit";
    EXPECT_EQ(rectFrame.bottom, rectButton.top);
    EXPECT_EQ(rectFrame.left, rectButton.left - 1);

    const POINT away = ScreenPointOf(frame->GetSafeHwnd(), 5, 5);
    input.ButtonUp(MouseButton::Left, away.x, away.y);
    Pump();
}

}  // namespace dropdownholdtest
