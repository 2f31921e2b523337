// The SDI frame and the MDI child laid out through their dock managers: bars
// on four sides with the view in what is left, a full layout on maximise and
// restore but none while a border is dragged or while minimised, the View
// commands showing and hiding their bars, and a child whose toolbar cannot
// be dragged out into a floating frame.
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/afxwin.h"
#include "tests/support/ui/KtvTestFrameBars.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/frames/KtvPFrameWnd.h"
#include "ui/frames/KtvPMDIChildWnd.h"

namespace {

using namespace tw::test;

// Records the check the frame gives a View command.
class CheckRecorder : public CCmdUI {
public:
    void SetCheck(int nCheck) override { check = nCheck; }
    int check = -1;
};

class KtvPFrameLayoutTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
    }
    void TearDown() override
    {
        BOOL bFullDrag = TRUE;
        ::SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, bFullDrag, nullptr, 0);
        HeadlessWindowTest::TearDown();
        delete view;
    }

    // An SDI frame with a 600 x 400 client area, docking on every side.
    CKtvPFrameWnd* CreateSdiFrame()
    {
        auto* frame = new CKtvPFrameWnd;
        CRect rect(20, 20, 620, 420);
        ::AdjustWindowRectEx(rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
        EXPECT_TRUE(frame->Create(nullptr, "SDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect));
        EXPECT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        return frame;
    }


    CWnd* view = nullptr;
};

TEST_F(KtvPFrameLayoutTest, SdiFrameBindsItsDockManagerBeforeItsWindowExists)
{
    struct ProbingFrame : CKtvPFrameWnd {
        CFrameWnd* boundBeforeCreate = nullptr;
        CKtvPDockManager* implManager = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_NCCREATE) {
                boundBeforeCreate = m_dockManager.GetDockSiteFrameWnd();
                implManager = m_Impl.m_pDockManager;
            }
            return CKtvPFrameWnd::WindowProc(message, wParam, lParam);
        }
    };
    auto* frame = new ProbingFrame;
    ASSERT_TRUE(frame->Create(nullptr, "SDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    EXPECT_EQ(frame->boundBeforeCreate, frame);
    EXPECT_EQ(frame->implManager, &frame->m_dockManager);
}

TEST_F(KtvPFrameLayoutTest, SdiFrameGivesTheViewWhatTheBarsOnFourSidesLeave)
{
    CKtvPFrameWnd* frame = CreateSdiFrame();
    view = KtvCreateTestView(frame);
    KtvDockBarAt(frame, frame, 1, AFX_IDW_DOCKBAR_TOP, 200, 24, 0, 0);
    KtvDockBarAt(frame, frame, 2, AFX_IDW_DOCKBAR_BOTTOM, 150, 20, 0, 380);
    KtvDockBarAt(frame, frame, 3, AFX_IDW_DOCKBAR_LEFT, 120, 30, 0, 40);
    KtvDockBarAt(frame, frame, 4, AFX_IDW_DOCKBAR_RIGHT, 100, 26, 570, 40);
    frame->RecalcLayout();
    Pump();

    EXPECT_EQ(KtvRectIn(frame, view), CRect(30, 24, 574, 380));
    EXPECT_EQ(::GetWindow(view->m_hWnd, GW_HWNDNEXT), nullptr) << "the view lies behind the bars";
    EXPECT_TRUE(view->GetStyle() & WS_CLIPSIBLINGS);
    EXPECT_TRUE(view->GetStyle() & WS_CLIPCHILDREN);
}

TEST_F(KtvPFrameLayoutTest, SdiFrameLaysOutFullyOnMaximiseAndRestoreButNotWhileABorderIsDragged)
{
    CKtvPFrameWnd* frame = CreateSdiFrame();
    view = KtvCreateTestView(frame);
    KtvCountingBar* top = KtvDockBarAt(frame, frame, 1, AFX_IDW_DOCKBAR_TOP, 200, 24, 0, 0);
    KtvDockBarAt(frame, frame, 3, AFX_IDW_DOCKBAR_LEFT, 120, 30, 0, 40);
    frame->RecalcLayout();

    top->layouts = 0;
    frame->ShowWindow(SW_MAXIMIZE);
    EXPECT_GT(top->layouts, 0) << "maximising lays the bars out again";
    CRect client;
    frame->GetClientRect(client);
    EXPECT_EQ(KtvRectIn(frame, view), CRect(30, 24, client.right, client.bottom));

    top->layouts = 0;
    frame->ShowWindow(SW_RESTORE);
    EXPECT_GT(top->layouts, 0) << "leaving the maximised state lays them out again";
    frame->GetClientRect(client);
    EXPECT_EQ(KtvRectIn(frame, view), CRect(30, 24, client.right, client.bottom));

    // A border drag only adjusts the docking layout, on every step of it.
    top->layouts = 0;
    CRect window;
    frame->GetWindowRect(window);
    KtvDragBorderTo(frame, window.Width() + 60, window.Height() + 40);
    KtvDragBorderTo(frame, window.Width() - 50, window.Height() - 30);
    EXPECT_EQ(top->layouts, 0);
    frame->GetClientRect(client);
    EXPECT_EQ(KtvRectIn(frame, view), CRect(30, 24, client.right, client.bottom));
}

TEST_F(KtvPFrameLayoutTest, MinimisedSdiFrameIgnoresLayoutUntilItIsRestored)
{
    CKtvPFrameWnd* frame = CreateSdiFrame();
    view = KtvCreateTestView(frame);
    KtvCountingBar* top = KtvDockBarAt(frame, frame, 1, AFX_IDW_DOCKBAR_TOP, 200, 24, 0, 0);
    frame->RecalcLayout();
    const CRect rectView = KtvRectIn(frame, view);

    frame->ShowWindow(SW_MINIMIZE);
    top->layouts = 0;
    frame->RecalcLayout(TRUE);
    EXPECT_EQ(top->layouts, 0);
    EXPECT_EQ(KtvRectIn(frame, view).Size(), rectView.Size());

    frame->ShowWindow(SW_RESTORE);
    frame->RecalcLayout(TRUE);
    EXPECT_GT(top->layouts, 0);
    EXPECT_EQ(KtvRectIn(frame, view), rectView);
}

TEST_F(KtvPFrameLayoutTest, ViewCommandsHideAndShowTheirBarAndCheckItsState)
{
    CKtvPFrameWnd* frame = CreateSdiFrame();
    view = KtvCreateTestView(frame);
    KtvCountingBar* toolbar = KtvDockBarAt(frame, frame, AFX_IDW_TOOLBAR, AFX_IDW_DOCKBAR_TOP, 200, 24, 0, 0);
    frame->RecalcLayout();
    ASSERT_EQ(KtvRectIn(frame, view).top, 24);

    auto check = [&]() {
        CheckRecorder cmdUI;
        cmdUI.m_nID = ID_VIEW_TOOLBAR;
        EXPECT_TRUE(frame->OnCmdMsg(ID_VIEW_TOOLBAR, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr));
        return cmdUI.check;
    };
    EXPECT_EQ(check(), 1);

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    Pump();
    EXPECT_FALSE(toolbar->IsWindowVisible());
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(KtvRectIn(frame, view).top, 0) << "the view takes the hidden bar's place";

    frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    Pump();
    EXPECT_TRUE(toolbar->IsWindowVisible());
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(KtvRectIn(frame, view).top, 24);

    // Without a status bar the command and its update are left to the rest of the routing.
    CheckRecorder statusUI;
    statusUI.m_nID = ID_VIEW_STATUS_BAR;
    frame->OnCmdMsg(ID_VIEW_STATUS_BAR, CN_UPDATE_COMMAND_UI, &statusUI, nullptr);
    EXPECT_EQ(statusUI.check, -1);
    EXPECT_FALSE(frame->OnCmdMsg(ID_VIEW_STATUS_BAR, CN_COMMAND, nullptr, nullptr));
}

// --- the MDI child in a framework MDI frame ------------------------------------------------------

class KtvPMDIChildLayoutTest : public KtvPFrameLayoutTest {
protected:
    void SetUp() override
    {
        KtvPFrameLayoutTest::SetUp();
        main = new CMDIFrameWnd;
        ASSERT_TRUE(main->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)));
        child = new CKtvPMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 510, 410),
                                  main));
        ASSERT_TRUE(child->m_dockManager.EnableDocking(CBRS_ALIGN_ANY));
        view = KtvCreateTestView(child);
    }

    CMDIFrameWnd* main = nullptr;
    CKtvPMDIChildWnd* child = nullptr;
};

TEST_F(KtvPMDIChildLayoutTest, AToolbarDockedInAChildCannotBeDraggedOutToFloat)
{
    auto* toolbar = new KtvCountingBar(200, 24);
    ASSERT_TRUE(toolbar->CreateBar(child, 1));
    ASSERT_TRUE(toolbar->CanFloat());
    child->DockControlBar(toolbar);
    child->RecalcLayout();
    Pump();

    EXPECT_FALSE(toolbar->CanFloat());
    EXPECT_EQ(KtvRectIn(child, toolbar).top, 0);
    EXPECT_EQ(KtvRectIn(child, view).top, 24) << "the view starts below the bar";

    // Press on the bar and drag it far outside the child and the main frame.
    const size_t nTopLevel = tw::test::TopLevelWindows().size();
    const POINT from = ScreenPointOf(toolbar->m_hWnd, 5, 10);
    input.Drag(tw::display::MouseButton::Left, from, POINT{from.x + 700, from.y + 600});
    Pump();

    EXPECT_EQ(toolbar->GetParent(), child);
    EXPECT_EQ(tw::test::TopLevelWindows().size(), nTopLevel) << "no floating frame was made";
    EXPECT_EQ(KtvRectIn(child, toolbar).top, 0);
}

TEST_F(KtvPMDIChildLayoutTest, ChildLaysOutFullyOnMaximiseAndRestoreButNotWhenResized)
{
    auto* top = new KtvCountingBar(200, 24);
    ASSERT_TRUE(top->CreateBar(child, 1));
    child->DockControlBar(top);
    child->RecalcLayout();
    ASSERT_EQ(KtvRectIn(child, view).top, 24);

    top->layouts = 0;
    child->ShowWindow(SW_MAXIMIZE);
    EXPECT_GT(top->layouts, 0);
    top->layouts = 0;
    child->ShowWindow(SW_RESTORE);
    EXPECT_GT(top->layouts, 0);

    top->layouts = 0;
    KtvDragBorderTo(child, 420, 300);
    EXPECT_EQ(top->layouts, 0);
    CRect client;
    child->GetClientRect(client);
    EXPECT_EQ(KtvRectIn(child, view), CRect(0, 24, client.right, client.bottom));
}

}  // namespace
