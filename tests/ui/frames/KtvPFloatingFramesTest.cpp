// Floating frames follow the activation of the window that owns them: the main
// frames hide their floating toolbars while the application is inactive or the
// frame is minimised, an MDI child hides all its floating frames while another
// child is active, and each comes back when the owner does.
#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvTestFrameBars.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPBaseToolBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

using namespace tw::test;

// A toolbar of a fixed size: the frames treat floating toolbars apart from other floating bars.
class FloatingTestToolBar : public CKtvPBaseToolBar {
public:
    BOOL CreateBar(CWnd* pFrame, UINT nID)
    {
        if (!Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 120, 24), pFrame, nID, KTVP_CBRS_FLOAT))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(120, 24) : CSize(24, 120); }
    void GetMinSize(CSize& size) const override { size = CSize(24, 24); }
    void OnAfterStretch(int) override {}

protected:
    void PostNcDestroy() override { delete this; }
};

class KtvPFloatingFramesTest : public HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
    }

    // Floats the bar in a frame of its own at (x, y) of the screen and returns that frame.
    CKtvPMiniFrameWnd* Float(CKtvPControlBar* pBar, int x, int y)
    {
        EXPECT_TRUE(pBar->FloatControlBar(CRect(x, y, x + 140, y + 60), KTVP_DM_DBL_CLICK, TRUE));
        Pump();
        CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame();
        EXPECT_NE(pMiniFrame, nullptr);
        if (pMiniFrame != nullptr)
            EXPECT_TRUE(pMiniFrame->IsWindowVisible());
        return pMiniFrame;
    }
    CKtvPMiniFrameWnd* FloatToolBar(CFrameWnd* pFrame, UINT nID, int x, int y)
    {
        auto* pBar = new FloatingTestToolBar;
        EXPECT_TRUE(pBar->CreateBar(pFrame, nID));
        return Float(pBar, x, y);
    }
    CKtvPMiniFrameWnd* FloatPlainBar(CFrameWnd* pFrame, UINT nID, int x, int y)
    {
        auto* pBar = new KtvTestBar(150, 30);
        EXPECT_TRUE(pBar->CreateBar(pFrame, nID));
        return Float(pBar, x, y);
    }

    template <class Frame>
    Frame* CreateMainFrame()
    {
        auto* pFrame = new Frame;
        EXPECT_TRUE(pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        EXPECT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
        Pump();
        return pFrame;
    }
};

// Each main frame kind: the application losing and regaining the activation, and minimise and restore.
template <class Frame>
void CheckMainFrameHidesFloatingToolbars(Frame* pFrame, CKtvPMiniFrameWnd* pToolBarFrame,
                                         CKtvPMiniFrameWnd* pPlainFrame)
{
    ASSERT_NE(pToolBarFrame, nullptr);
    ASSERT_NE(pPlainFrame, nullptr);

    pFrame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(pToolBarFrame->IsWindowVisible()) << "a floating toolbar hides while the application is inactive";
    EXPECT_TRUE(pPlainFrame->IsWindowVisible()) << "other floating bars stay";
    pFrame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(pToolBarFrame->IsWindowVisible());

    pFrame->ShowWindow(SW_MINIMIZE);
    EXPECT_FALSE(pToolBarFrame->IsWindowVisible()) << "and while the frame is minimised";
    EXPECT_TRUE(pPlainFrame->IsWindowVisible());
    pFrame->ShowWindow(SW_RESTORE);
    EXPECT_TRUE(pToolBarFrame->IsWindowVisible());
}

TEST_F(KtvPFloatingFramesTest, MDIFrameHidesFloatingToolbarsWhileInactiveOrMinimised)
{
    auto* pFrame = CreateMainFrame<CKtvPMDIFrameWnd>();
    CKtvPMiniFrameWnd* pToolBarFrame = FloatToolBar(pFrame, 101, 300, 200);
    CKtvPMiniFrameWnd* pPlainFrame = FloatPlainBar(pFrame, 102, 100, 300);
    CheckMainFrameHidesFloatingToolbars(pFrame, pToolBarFrame, pPlainFrame);
}

TEST_F(KtvPFloatingFramesTest, SDIFrameHidesFloatingToolbarsWhileInactiveOrMinimised)
{
    auto* pFrame = CreateMainFrame<CKtvPFrameWnd>();
    CKtvPMiniFrameWnd* pToolBarFrame = FloatToolBar(pFrame, 101, 300, 200);
    CKtvPMiniFrameWnd* pPlainFrame = FloatPlainBar(pFrame, 102, 100, 300);
    CheckMainFrameHidesFloatingToolbars(pFrame, pToolBarFrame, pPlainFrame);
}

TEST_F(KtvPFloatingFramesTest, ToolbarTheUserClosedStaysClosedWhenTheApplicationComesBack)
{
    auto* pFrame = CreateMainFrame<CKtvPMDIFrameWnd>();
    CKtvPMiniFrameWnd* pToolBarFrame = FloatToolBar(pFrame, 101, 300, 200);
    ASSERT_NE(pToolBarFrame, nullptr);
    pToolBarFrame->ShowWindow(SW_HIDE);

    pFrame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    pFrame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_FALSE(pToolBarFrame->IsWindowVisible());
}

TEST_F(KtvPFloatingFramesTest, MDIChildHidesItsFloatingFramesWhileAnotherChildIsActive)
{
    auto* pFrame = CreateMainFrame<CKtvPMDIFrameWnd>();
    auto addChild = [&](const char* title) {
        auto* pChild = new CKtvPMDIChildWnd;
        EXPECT_TRUE(pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CRect(10, 10, 310, 210), pFrame));
        EXPECT_TRUE(pChild->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
        Pump();
        return pChild;
    };
    CKtvPMDIChildWnd* pFirst = addChild("First");
    CKtvPMiniFrameWnd* pToolBarFrame = FloatToolBar(pFirst, 101, 300, 200);
    CKtvPMiniFrameWnd* pPlainFrame = FloatPlainBar(pFirst, 102, 100, 300);
    ASSERT_NE(pToolBarFrame, nullptr);
    ASSERT_NE(pPlainFrame, nullptr);
    CKtvPMDIChildWnd* pSecond = addChild("Second");
    Pump();

    EXPECT_EQ(pFrame->MDIGetActive(), pSecond);
    EXPECT_FALSE(pToolBarFrame->IsWindowVisible()) << "a child's floating frames leave with it";
    EXPECT_FALSE(pPlainFrame->IsWindowVisible()) << "toolbars or not";

    pFrame->MDIActivate(pFirst);
    Pump();
    EXPECT_TRUE(pToolBarFrame->IsWindowVisible());
    EXPECT_TRUE(pPlainFrame->IsWindowVisible());
}

}  // namespace
