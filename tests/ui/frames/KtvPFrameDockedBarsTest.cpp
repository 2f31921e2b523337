// Toolbars docked in a library frame: the frame finds every docked bar by its
// id (so View/Toolbar toggles them) and its rows keep their height while the
// frame is resized.
#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

constexpr UINT kFirstBar = ID_VIEW_TOOLBAR;
constexpr UINT kSecondBar = kFirstBar + 1;
constexpr UINT kThirdBar = kFirstBar + 2;

class KtvPFrameDockedBarsTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvControlTest::SetUp();
        KtvPrepareUiTest();
        frame = new CKtvPMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 740, 540)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        for (UINT i = 0; i < 3; i++) {
            CKtvPToolBar& bar = bars[i];
            ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT,
                                     WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS,
                                     CRect(1, 1, 1, 1), kFirstBar + i));
            const UINT ids[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE};
            ASSERT_TRUE(bar.SetButtons(ids, 3));
            bar.SetControlBarStyle(bar.GetControlBarStyle() | KTVP_CBRS_FLOAT);
            bar.EnableDocking(CBRS_ALIGN_ANY);
        }
        Pump();
    }
    void TearDown() override
    {
        if (::IsWindow(frame->GetSafeHwnd()))
            frame->DestroyWindow();
        tw::test::DestroyTopLevelWindows();
        KtvControlTest::TearDown();
    }

    CKtvPMDIFrameWnd* frame = nullptr;
    CKtvPToolBar bars[3];
};

TEST_F(KtvPFrameDockedBarsTest, BarsDockedLeftOfAnotherAreFoundAndToggledByTheirIds)
{
    frame->DockControlBar(&bars[2]);
    ASSERT_TRUE(frame->DockControlBarLeftOf(&bars[1], &bars[2]));
    ASSERT_TRUE(frame->DockControlBarLeftOf(&bars[0], &bars[1]));
    frame->RecalcLayout();
    Pump();

    for (UINT i = 0; i < 3; i++)
        EXPECT_EQ(frame->GetControlBar(kFirstBar + i), &bars[i]) << "bar " << i;
    EXPECT_EQ(bars[0].GetDockBarRow(), bars[2].GetDockBarRow()) << "one row";

    // The framework's View command of a bar hides it and shows it again.
    frame->SendMessage(WM_COMMAND, kFirstBar);
    Pump();
    EXPECT_FALSE(bars[0].IsVisible());
    frame->SendMessage(WM_COMMAND, kFirstBar);
    Pump();
    EXPECT_TRUE(bars[0].IsVisible());
}

TEST_F(KtvPFrameDockedBarsTest, ResizingTheFrameKeepsTheHeightOfItsToolbarRows)
{
    frame->DockControlBar(&bars[0]);
    frame->DockControlBar(&bars[1]);
    frame->RecalcLayout();
    Pump();
    CKtvPDockBarRow* pRow = bars[0].GetDockBarRow();
    ASSERT_NE(pRow, nullptr);
    const int nHeight = pRow->GetRowHeight();
    CRect rectBar;
    bars[0].GetWindowRect(rectBar);

    const CSize sizes[] = {{600, 400}, {800, 600}, {500, 450}, {700, 500}, {900, 700}};
    for (const CSize& size : sizes) {
        frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        Pump();
        ASSERT_EQ(bars[0].GetDockBarRow(), pRow);
        EXPECT_EQ(pRow->GetRowHeight(), nHeight) << size.cx << "x" << size.cy;
        CRect rectNow;
        bars[0].GetWindowRect(rectNow);
        EXPECT_EQ(rectNow.Height(), rectBar.Height()) << size.cx << "x" << size.cy;
    }
}

} // namespace
