// Toolbars made on a frame the way an application makes its standard bars
// (free to float): they dock into the frame's dock bars, several side by side
// in one row at their own widths, and float off and dock back.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/ui/KtvTestFrameBars.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "ui/frames/KtvPCodes.h"

namespace tw::test {
namespace {

class ToolBarRowDockTest : public ToolBarTest {
protected:
    // A toolbar with one button per id (0 a separator), made and not docked yet.
    CKtvPToolBar* FrameBar(CWnd* pParent, const std::vector<UINT>& ids, UINT nID)
    {
        auto owned = std::make_unique<CKtvPToolBar>();
        CKtvPToolBar* pBar = owned.get();
        bars.push_back(std::move(owned));
        EXPECT_TRUE(pBar->CreateEx(pParent, TBSTYLE_FLAT,
                                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                       CBRS_SIZE_DYNAMIC,
                                   CRect(1, 1, 1, 1), nID));
        int iImage = 0;
        for (UINT id : ids) {
            auto* pButton = new CKtvPToolbarButton(id, id == 0 ? -1 : iImage++, nullptr, FALSE, TRUE);
            if (id == 0)
                pButton->m_nStyle = TBBS_SEPARATOR;
            EXPECT_GE(pBar->InsertButton(pButton), 0);
        }
        pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }
    CRect RectOf(CWnd* pBar) { return KtvRectIn(frame, pBar); }
};

// Docking the last bar, then each one left of the one after it, gives one row
// in the asked order; a bar docked on its own starts the next row. None of them
// is stretched over the frame's width nor left at no width.
TEST_F(ToolBarRowDockTest, BarsDockedLeftOfAnotherShareItsRowAtTheirOwnWidths)
{
    CKtvPToolBar* pLast = FrameBar(frame, {101, 102}, 0xE821);
    CKtvPToolBar* pMiddle = FrameBar(frame, {101, 0, 102, 103}, 0xE822);
    CKtvPToolBar* pFirst = FrameBar(frame, {101}, 0xE823);
    CKtvPToolBar* pAlone = FrameBar(frame, {101, 102, 103}, 0xE824);
    frame->DockControlBar(pLast);
    ASSERT_TRUE(frame->m_dockManager.DockControlBarLeftOf(pMiddle, pLast));
    ASSERT_TRUE(frame->m_dockManager.DockControlBarLeftOf(pFirst, pMiddle));
    frame->DockControlBar(pAlone);
    frame->RecalcLayout();
    Pump();

    CKtvPToolBar* row[] = {pFirst, pMiddle, pLast};
    int right = 0;
    for (CKtvPToolBar* pBar : row) {
        EXPECT_TRUE(pBar->IsDocked());
        EXPECT_EQ(pBar->GetDockBarRow(), pFirst->GetDockBarRow());
        const CRect rect = RectOf(pBar);
        EXPECT_EQ(rect.top, RectOf(pFirst).top);
        EXPECT_GE(rect.left, right);
        EXPECT_EQ(rect.Width(), pBar->CalcFixedLayout(FALSE, TRUE).cx);
        right = rect.right;
    }
    EXPECT_LT(right, 600);
    const CRect alone = RectOf(pAlone);
    EXPECT_NE(pAlone->GetDockBarRow(), pFirst->GetDockBarRow());
    EXPECT_GE(alone.top, RectOf(pFirst).bottom);
    EXPECT_EQ(alone.Width(), pAlone->CalcFixedLayout(FALSE, TRUE).cx);
}

TEST_F(ToolBarRowDockTest, AFloatedBarDocksBackIntoARowOfItsOwn)
{
    CKtvPToolBar* pBar = FrameBar(frame, {101, 102}, 0xE821);
    CKtvPToolBar* pOther = FrameBar(frame, {101, 102, 103}, 0xE822);
    frame->DockControlBar(pBar);
    frame->DockControlBar(pOther);
    Pump();
    ASSERT_TRUE(pBar->FloatControlBar(CRect(200, 200, 300, 240), KTVP_DM_RECT, TRUE));
    Pump();
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_FALSE(pBar->IsDocked());
    frame->DockControlBar(pBar);
    frame->RecalcLayout();
    Pump();
    EXPECT_TRUE(pBar->IsDocked());
    EXPECT_EQ(RectOf(pBar).Width(), pBar->CalcFixedLayout(FALSE, TRUE).cx);
}

}  // namespace
}  // namespace tw::test
