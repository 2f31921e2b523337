// The frame implementation on its own: the stored placement brought onto the
// work area and saved back in screen coordinates, keys while the frame is
// minimised, customised or under an open menu, and the help key.
#include <optional>

#include "platform/mfc/afxwin.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "platform/mfc/CDockBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

// A workspace whose stored placement is a field of the test.
class PlacementWorkspace : public CKtvPWorkspace {
public:
    std::optional<CRect> stored;
    int storedFlags = 0;
    int storedShowCmd = SW_SHOWNORMAL;
    int closings = 0;

    BOOL LoadWindowPlacement(CRect& rect, int& nFlags, int& nShowCmd) override
    {
        if (!stored)
            return FALSE;
        rect = *stored;
        nFlags = storedFlags;
        nShowCmd = storedShowCmd;
        return TRUE;
    }
    BOOL StoreWindowPlacement(const CRect& rect, int nFlags, int nShowCmd) override
    {
        stored = rect;
        storedFlags = nFlags;
        storedShowCmd = nShowCmd;
        return TRUE;
    }
    BOOL OnClosingMainFrame(CKtvPFrameImpl*) override
    {
        closings++;
        return TRUE;
    }
};

class KtvPFrameImplTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        ::SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
        AfxGetApp()->m_nCmdShow = SW_SHOWNORMAL;
    }
    void TearDown() override
    {
        ::SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);
        if (::IsWindow(frameHwnd))
            frame->DestroyWindow();  // the frame deletes itself
        HeadlessWindowTest::TearDown();
    }

    CREATESTRUCT Requested() const
    {
        CREATESTRUCT cs{};
        cs.hInstance = AfxGetInstanceHandle();
        cs.x = 10;
        cs.y = 20;
        cs.cx = 300;
        cs.cy = 200;
        return cs;
    }

    // A framework frame window, deleted by its own destruction.
    void CreateFrame()
    {
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 60, 450, 360)));
        frameHwnd = frame->GetSafeHwnd();
    }

    RECT work{0, 40, 1000, 700};
    CFrameWnd* frame = nullptr;
    HWND frameHwnd = nullptr;
};

TEST_F(KtvPFrameImplTest, StoredPlacementIsBroughtOntoTheWorkArea)
{
    struct Case {
        const char* name;
        std::optional<CRect> stored;
        int showCmd;
        CRect expected;  // x, y, cx, cy as a rectangle
    };
    const Case cases[] = {
        {"maximised fills the work area", CRect(100, 100, 500, 400), SW_SHOWMAXIMIZED, CRect(0, 40, 1000, 700)},
        {"inside keeps its place", CRect(100, 100, 500, 400), SW_SHOWNORMAL, CRect(100, 100, 500, 400)},
        {"minimised comes back normal", CRect(100, 100, 500, 400), SW_SHOWMINIMIZED, CRect(100, 100, 500, 400)},
        {"partly off moves to the visible corner", CRect(-50, 10, 350, 310), SW_SHOWNORMAL,
         CRect(0, 40, 400, 340)},
        {"entirely off is ignored", CRect(5000, 5000, 5400, 5300), SW_SHOWNORMAL, CRect(10, 20, 310, 220)},
        {"nothing stored changes nothing", std::nullopt, SW_SHOWMAXIMIZED, CRect(10, 20, 310, 220)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlacementWorkspace workspace;
        workspace.stored = c.stored;
        workspace.storedShowCmd = c.showCmd;
        CKtvPFrameImpl impl(frame);
        CREATESTRUCT cs = Requested();
        impl.RestorePosition(cs);
        EXPECT_EQ(CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy), c.expected);
    }
}

TEST_F(KtvPFrameImplTest, StartUpShowCommandFollowsTheStoredOneUnlessTheCallerChoseAState)
{
    struct Case {
        int appShow;
        int expected;
    };
    const Case cases[] = {
        {SW_HIDE, SW_SHOWMAXIMIZED},          {SW_SHOWNORMAL, SW_SHOWMAXIMIZED},
        {SW_SHOWMINIMIZED, SW_SHOWMINIMIZED}, {SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
        {SW_SHOWNOACTIVATE, SW_SHOWMAXIMIZED}, {SW_SHOW, SW_SHOWMAXIMIZED},
        {SW_MINIMIZE, SW_MINIMIZE},           {SW_SHOWMINNOACTIVE, SW_SHOWMINNOACTIVE},
        {SW_SHOWNA, SW_SHOWMAXIMIZED},        {SW_RESTORE, SW_SHOWMAXIMIZED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.appShow);
        PlacementWorkspace workspace;
        workspace.stored = CRect(100, 100, 500, 400);
        workspace.storedShowCmd = SW_SHOWMAXIMIZED;
        AfxGetApp()->m_nCmdShow = c.appShow;
        CKtvPFrameImpl impl(frame);
        CREATESTRUCT cs = Requested();
        impl.RestorePosition(cs);
        EXPECT_EQ(AfxGetApp()->m_nCmdShow, c.expected);
    }
}

TEST_F(KtvPFrameImplTest, WithoutWorkspaceOrInstanceNothingIsRestoredOrSaved)
{
    CKtvPFrameImpl impl(frame);
    CREATESTRUCT cs = Requested();
    impl.RestorePosition(cs);
    EXPECT_EQ(cs.x, 10);
    impl.OnCloseFrame();  // no workspace: nothing to save into

    PlacementWorkspace workspace;
    workspace.stored = CRect(100, 100, 500, 400);
    cs.hInstance = nullptr;
    impl.RestorePosition(cs);
    EXPECT_EQ(cs.x, 10);
}

TEST_F(KtvPFrameImplTest, ClosingSavesTheStateThenThePlacementInScreenCoordinates)
{
    PlacementWorkspace workspace;
    CreateFrame();
    CKtvPFrameImpl impl(frame);

    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    ASSERT_TRUE(frame->GetWindowPlacement(&wp));
    impl.OnCloseFrame();
    EXPECT_EQ(workspace.closings, 1);
    ASSERT_TRUE(workspace.stored.has_value());
    CRect expected(wp.rcNormalPosition);
    expected.OffsetRect(work.left, work.top);
    EXPECT_EQ(*workspace.stored, expected);
    EXPECT_EQ(workspace.storedShowCmd, SW_SHOWNORMAL);

    frame->ShowWindow(SW_MAXIMIZE);
    impl.OnCloseFrame();
    EXPECT_EQ(workspace.storedShowCmd, SW_SHOWMAXIMIZED);
    frame->ShowWindow(SW_MINIMIZE);
    impl.OnCloseFrame();
    EXPECT_EQ(workspace.storedShowCmd, SW_SHOWNORMAL);
}

TEST_F(KtvPFrameImplTest, KeysUnderAnOpenMenuOrAMinimisedFrameAreSwallowed)
{
    CreateFrame();
    CKtvPFrameImpl impl(frame);
    BOOL bProcessAccel = FALSE;

    frame->ShowWindow(SW_MINIMIZE);
    EXPECT_TRUE(impl.ProcessKeyboard('N', &bProcessAccel));
    EXPECT_TRUE(bProcessAccel);
    frame->ShowWindow(SW_RESTORE);

    // Customise mode lets every key through to the customisation.
    CKtvPToolBar::m_bCustomizeMode = TRUE;
    EXPECT_FALSE(impl.ProcessKeyboard('N', &bProcessAccel));
    CKtvPToolBar::m_bCustomizeMode = FALSE;

    // An open menu gets the key.
    struct RecordingWindow : CWnd {
        std::vector<WPARAM> keys;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_KEYDOWN)
                keys.push_back(wParam);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } menuWindow;
    ASSERT_TRUE(menuWindow.CreateEx(0, nullptr, "Menu", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    CKtvPPopupMenu popup;
    popup.m_hWnd = menuWindow.GetSafeHwnd();
    CKtvPPopupMenu::m_pActivePopupMenu = &popup;
    EXPECT_TRUE(impl.ProcessKeyboard(VK_DOWN));
    EXPECT_EQ(menuWindow.keys, std::vector<WPARAM>{VK_DOWN});
    CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
    popup.m_hWnd = nullptr;
    menuWindow.DestroyWindow();
}

TEST_F(KtvPFrameImplTest, OnlyAFreshUnmodifiedF1IsTheHelpKey)
{
    struct Case {
        UINT message;
        WPARAM key;
        LPARAM lParam;
        UINT modifier;
        BOOL help;
    };
    const Case cases[] = {
        {WM_KEYDOWN, VK_F1, 0, 0, TRUE},
        {WM_KEYDOWN, VK_F1, 0x40000000, 0, FALSE},
        {WM_KEYDOWN, VK_F2, 0, 0, FALSE},
        {WM_KEYUP, VK_F1, 0, 0, FALSE},
        {WM_KEYDOWN, VK_F1, 0, VK_SHIFT, FALSE},
        {WM_KEYDOWN, VK_F1, 0, VK_CONTROL, FALSE},
        {WM_KEYDOWN, VK_F1, 0, VK_MENU, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " " << c.modifier);
        BYTE keys[256] = {};
        if (c.modifier != 0)
            keys[c.modifier] = 0x80;
        ::SetKeyboardState(keys);
        MSG msg{};
        msg.message = c.message;
        msg.wParam = c.key;
        msg.lParam = c.lParam;
        EXPECT_EQ(CKtvPFrameImpl::IsHelpKey(&msg), c.help);
    }
    BYTE none[256] = {};
    ::SetKeyboardState(none);
}

TEST_F(KtvPFrameImplTest, MinimisedFrameSwallowsKeysButLeavesF1ToTheHelp)
{
    CreateFrame();
    CKtvPFrameImpl impl(frame);
    frame->ShowWindow(SW_MINIMIZE);

    auto keyDown = [&](WPARAM key) {
        MSG msg{};
        msg.hwnd = frameHwnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        return impl.FilterFrameMessage(&msg, CKtvPFrameImpl::FILTER_SDI);
    };
    EXPECT_EQ(keyDown('N'), CKtvPFrameImpl::FILTER_CONSUMED);
    EXPECT_EQ(keyDown(VK_F1), CKtvPFrameImpl::FILTER_PASS);
    frame->ShowWindow(SW_RESTORE);
}

TEST_F(KtvPFrameImplTest, WithoutAnOpenMenuEveryClickAndMoveReachesItsWindow)
{
    CreateFrame();
    CKtvPFrameImpl impl(frame);
    CWnd target;
    ASSERT_TRUE(target.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), frame, 5));

    for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MOUSEMOVE,
                         WM_NCLBUTTONDOWN, WM_NCRBUTTONUP, WM_LBUTTONDBLCLK}) {
        SCOPED_TRACE(message);
        MSG msg{};
        msg.hwnd = target.GetSafeHwnd();
        msg.message = message;
        msg.lParam = MAKELPARAM(20, 30);
        for (auto kind : {CKtvPFrameImpl::FILTER_MDI, CKtvPFrameImpl::FILTER_SDI, CKtvPFrameImpl::FILTER_INPLACE})
            EXPECT_EQ(impl.FilterFrameMessage(&msg, kind), CKtvPFrameImpl::FILTER_PASS);
    }
}

TEST_F(KtvPFrameImplTest, AltAloneMovesTheFocusToTheMenuBarAndBack)
{
    CreateFrame();
    CKtvPFrameImpl impl(frame);

    // The menu bar's window is a plain child standing in for the bar.
    CWnd barWindow;
    ASSERT_TRUE(barWindow.CreateEx(0, nullptr, "Menu bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 20), frame, 1));
    CKtvPMenuBar menuBar;
    menuBar.m_hWnd = barWindow.GetSafeHwnd();
    impl.m_pMenuBar = &menuBar;
    frame->SetFocus();

    MSG altUp{};
    altUp.hwnd = frameHwnd;
    altUp.message = WM_SYSKEYUP;
    altUp.wParam = VK_MENU;
    EXPECT_EQ(impl.FilterFrameMessage(&altUp, CKtvPFrameImpl::FILTER_MDI), CKtvPFrameImpl::FILTER_CONSUMED);
    EXPECT_EQ(::GetFocus(), barWindow.GetSafeHwnd());
    EXPECT_EQ(impl.FilterFrameMessage(&altUp, CKtvPFrameImpl::FILTER_MDI), CKtvPFrameImpl::FILTER_CONSUMED);
    EXPECT_EQ(::GetFocus(), frameHwnd);

    // An in-place frame leaves Alt to the framework.
    EXPECT_EQ(impl.FilterFrameMessage(&altUp, CKtvPFrameImpl::FILTER_INPLACE), CKtvPFrameImpl::FILTER_PASS);
    EXPECT_EQ(::GetFocus(), frameHwnd);

    impl.m_pMenuBar = nullptr;
    menuBar.m_hWnd = nullptr;
}

TEST_F(KtvPFrameImplTest, RightClickOnAFrameworkDockBarAsksTheFrameForTheToolbarMenu)
{
    struct RecordingFrame : CFrameWnd {
        std::vector<std::pair<WPARAM, LPARAM>> toolbarMenus;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == KTVM_TOOLBARMENU && message != 0)
                toolbarMenus.emplace_back(wParam, lParam);
            return CFrameWnd::WindowProc(message, wParam, lParam);
        }
    };
    auto* recording = new RecordingFrame;
    ASSERT_TRUE(recording->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 60, 450, 360)));
    frame = recording;
    frameHwnd = recording->GetSafeHwnd();
    CKtvPFrameImpl impl(frame);

    CDockBar dockBar;
    ASSERT_TRUE(dockBar.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), frame, 2));
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 40, 300, 80), frame, 3));

    auto rightUp = [](HWND hwnd) {
        MSG msg{};
        msg.hwnd = hwnd;
        msg.message = WM_RBUTTONUP;
        msg.lParam = MAKELPARAM(7, 9);
        return msg;
    };
    MSG onDockBar = rightUp(dockBar.GetSafeHwnd());
    EXPECT_EQ(impl.FilterFrameMessage(&onDockBar, CKtvPFrameImpl::FILTER_MDI), CKtvPFrameImpl::FILTER_PASS);
    MSG onOther = rightUp(other.GetSafeHwnd());
    impl.FilterFrameMessage(&onOther, CKtvPFrameImpl::FILTER_SDI);
    CKtvPToolBar::m_bCustomizeMode = TRUE;
    impl.FilterFrameMessage(&onDockBar, CKtvPFrameImpl::FILTER_MDI);
    CKtvPToolBar::m_bCustomizeMode = FALSE;

    CPoint screen(7, 9);
    dockBar.ClientToScreen(&screen);
    ASSERT_EQ(recording->toolbarMenus.size(), 1u);
    EXPECT_EQ(recording->toolbarMenus[0].first, reinterpret_cast<WPARAM>(frameHwnd));
    EXPECT_EQ(recording->toolbarMenus[0].second, MAKELPARAM(screen.x, screen.y));

    // A click on a window that is gone is swallowed.
    MSG onGone = rightUp(other.GetSafeHwnd());
    other.DestroyWindow();
    EXPECT_EQ(impl.FilterFrameMessage(&onGone, CKtvPFrameImpl::FILTER_MDI), CKtvPFrameImpl::FILTER_CONSUMED);
}

}  // namespace
