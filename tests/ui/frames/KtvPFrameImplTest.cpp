// The frame implementation on its own: the stored placement brought onto the
// work area and saved back in screen coordinates, keys while the frame is
// minimised, customised or under an open menu, and the help key.
#include <optional>

#include "platform/mfc/afxwin.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBar.h"
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

}  // namespace
