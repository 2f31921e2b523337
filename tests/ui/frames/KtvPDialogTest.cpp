// The library dialog over a modal loop of its own: the focus comes back on
// re-activation, the caption stays active while a floating library window
// has the activation, and keys, Alt and accelerators go to an open library
// menu instead of the dialog.
#include <vector>

#include "platform/mfc/afxwin.h"
#include "resources/resource.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "platform/mfc/CDockBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPDialog.h"

namespace {

// Records what the dialog finally asks the default processing to show.
class RecordingDialog : public CKtvPDialog {
public:
    RecordingDialog() : CKtvPDialog(IDD_KTVP_WINDOWS) {}
    std::vector<WPARAM> ncActivate;
    std::vector<std::pair<WPARAM, LPARAM>> toolbarMenus;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KTVM_TOOLBARMENU)
            toolbarMenus.emplace_back(wParam, lParam);
        return CKtvPDialog::WindowProc(message, wParam, lParam);
    }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCACTIVATE)
            ncActivate.push_back(wParam);
        return CKtvPDialog::DefWindowProc(message, wParam, lParam);
    }
};

// A top-level window that answers WM_FLOATSTATUS as a floating library window does, or not.
class FloatingWindow : public CWnd {
public:
    explicit FloatingWindow(LRESULT answer) : answer_(answer) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FLOATSTATUS)
            return answer_;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT answer_;
};

// Stands in for an open library popup menu: the object is a popup, its window
// a plain one that records what it is sent.
class RecordingPopupWindow : public CWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN || message == WM_CLOSE)
            received.emplace_back(message, wParam);
        if (message == WM_CLOSE)
            return 0;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class KtvPDialogTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        ASSERT_TRUE(dlg.Create(IDD_KTVP_WINDOWS, CWnd::FromHandle(parent)));
        dlg.ShowWindow(SW_SHOW);
        dlg.SetActiveWindow();
        Pump();
    }
    void TearDown() override
    {
        dlg.SetActiveMenu(nullptr);
        popupObject.m_hWnd = nullptr;
        if (popupWindow.GetSafeHwnd() != nullptr)
            popupWindow.DestroyWindow();
        if (dlg.GetSafeHwnd() != nullptr)
            dlg.DestroyWindow();
        HeadlessWindowTest::TearDown();
    }

    // A popup whose window is the recording one, opened over the dialog.
    void OpenPopup()
    {
        ASSERT_TRUE(popupWindow.CreateEx(0, nullptr, "Menu", WS_POPUP | WS_VISIBLE, CRect(500, 500, 600, 600),
                                         nullptr, 0));
        popupObject.m_hWnd = popupWindow.GetSafeHwnd();
        dlg.SetActiveMenu(&popupObject);
    }

    MSG MessageTo(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        MSG msg{};
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        return msg;
    }

    RecordingDialog dlg;
    RecordingPopupWindow popupWindow;
    CKtvPPopupMenu popupObject;
};

TEST_F(KtvPDialogTest, ReactivationGivesTheFocusBackToTheControlThatHadIt)
{
    HWND save = ::GetDlgItem(dlg.GetSafeHwnd(), IDOK);
    ::SetFocus(save);
    ASSERT_EQ(::GetFocus(), save);

    FloatingWindow other(0);
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(900, 700, 1000, 800),
                               nullptr, 0));
    other.SetActiveWindow();
    Pump();
    ASSERT_NE(::GetFocus(), save);

    dlg.SetActiveWindow();
    Pump();
    EXPECT_EQ(::GetFocus(), save);

    // The same when the user clicks on the dialog's caption.
    other.SetActiveWindow();
    Pump();
    ASSERT_NE(::GetFocus(), save);
    CRect window;
    dlg.GetWindowRect(window);
    input.Click(tw::display::MouseButton::Left, window.left + 40, window.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2);
    Pump();
    EXPECT_EQ(::GetActiveWindow(), dlg.GetSafeHwnd());
    EXPECT_EQ(::GetFocus(), save);
    other.DestroyWindow();
}

TEST_F(KtvPDialogTest, CaptionStaysActiveOnlyForAFloatingLibraryWindow)
{
    struct Case {
        LRESULT floatStatusAnswer;
        BOOL stayActive;
    };
    for (const Case& c : {Case{1, TRUE}, Case{0, FALSE}}) {
        SCOPED_TRACE(c.floatStatusAnswer);
        dlg.SetActiveWindow();
        Pump();
        ASSERT_EQ(::GetActiveWindow(), dlg.GetSafeHwnd());
        ASSERT_NE(dlg.m_nFlags & WF_STAYACTIVE, 0u);
        dlg.ncActivate.clear();
        FloatingWindow floating(c.floatStatusAnswer);
        ASSERT_TRUE(floating.CreateEx(0, nullptr, "Floating", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr,
                                      0));
        floating.SetActiveWindow();
        Pump();
        EXPECT_EQ((dlg.m_nFlags & WF_STAYACTIVE) != 0, c.stayActive != FALSE);
        ASSERT_FALSE(dlg.ncActivate.empty());
        EXPECT_EQ(dlg.ncActivate.back(), static_cast<WPARAM>(c.stayActive));
        floating.DestroyWindow();
    }
}

TEST_F(KtvPDialogTest, DisabledDialogShowsAnInactiveCaptionEvenWhenKeptActive)
{
    dlg.m_nFlags |= WF_STAYACTIVE;
    dlg.ncActivate.clear();
    dlg.SendMessage(WM_NCACTIVATE, FALSE);
    dlg.EnableWindow(FALSE);
    dlg.SendMessage(WM_NCACTIVATE, TRUE);
    EXPECT_EQ(dlg.ncActivate, (std::vector<WPARAM>{TRUE, FALSE}));
    dlg.EnableWindow(TRUE);
}

TEST_F(KtvPDialogTest, OpenMenuInstallsOneMouseHookAndClosingItRemovesIt)
{
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, nullptr);
    OpenPopup();
    HHOOK hook = CKtvPDlgImpl::m_hookMouse;
    EXPECT_NE(hook, nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_pMenuDlgImpl, &dlg.m_Impl);
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, &popupObject);

    dlg.SetActiveMenu(&popupObject);
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, hook);

    dlg.SetActiveMenu(nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_pMenuDlgImpl, nullptr);
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
}

TEST_F(KtvPDialogTest, DestroyedDialogForgetsTheMenuButKeepsTheHookUntilTheMenuCloses)
{
    OpenPopup();
    dlg.DestroyWindow();
    EXPECT_EQ(CKtvPDlgImpl::m_pMenuDlgImpl, nullptr);
    EXPECT_NE(CKtvPDlgImpl::m_hookMouse, nullptr);
    // A click anywhere while the hook has no owner is left alone.
    Click(parent, 5, 5);
    EXPECT_TRUE(popupWindow.received.empty());
    dlg.m_Impl.SetActiveMenu(nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, nullptr);
}

TEST_F(KtvPDialogTest, KeysAltAndAcceleratorsGoToTheOpenMenu)
{
    HWND list = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_KTVP_WINDOWS_LIST);

    // Without a menu nothing is taken from the dialog.
    MSG down = MessageTo(list, WM_KEYDOWN, VK_DOWN);
    EXPECT_FALSE(dlg.m_Impl.PreTranslateMessage(&down));
    MSG syskeyUp = MessageTo(list, WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(dlg.m_Impl.PreTranslateMessage(&syskeyUp));
    EXPECT_FALSE(dlg.m_Impl.OnCommand(MAKEWPARAM(IDOK, 0), 0));

    OpenPopup();
    EXPECT_TRUE(dlg.PreTranslateMessage(&down));
    EXPECT_TRUE(dlg.m_Impl.PreTranslateMessage(&syskeyUp));
    MSG altF = MessageTo(list, WM_SYSKEYDOWN, 'F');
    EXPECT_FALSE(dlg.m_Impl.PreTranslateMessage(&altF));
    MSG alt = MessageTo(list, WM_SYSKEYDOWN, VK_MENU);
    EXPECT_TRUE(dlg.m_Impl.PreTranslateMessage(&alt));
    // A menu's or button's command is not examined.
    EXPECT_FALSE(dlg.m_Impl.OnCommand(MAKEWPARAM(IDC_KTVP_WINDOWS_SAVE, 0), 0));

    using Received = std::vector<std::pair<UINT, WPARAM>>;
    EXPECT_EQ(popupWindow.received, (Received{{WM_KEYDOWN, VK_DOWN}, {WM_CLOSE, 0}}));
}

TEST_F(KtvPDialogTest, RightClickOnAFrameworkDockBarAsksTheDialogForTheToolbarMenu)
{
    CDockBar dockBar;
    ASSERT_TRUE(dockBar.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &dlg, 5));
    MSG msg = MessageTo(dockBar.GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_FALSE(dlg.m_Impl.PreTranslateMessage(&msg)) << "the click itself still reaches the bar";

    MSG onList = MessageTo(::GetDlgItem(dlg.GetSafeHwnd(), IDC_KTVP_WINDOWS_LIST), WM_RBUTTONUP, 0, MAKELPARAM(3, 4));
    dlg.m_Impl.PreTranslateMessage(&onList);

    CPoint screen(3, 4);
    dockBar.ClientToScreen(&screen);
    ASSERT_EQ(dlg.toolbarMenus.size(), 1u);
    EXPECT_EQ(dlg.toolbarMenus[0].first, reinterpret_cast<WPARAM>(dlg.GetSafeHwnd()));
    EXPECT_EQ(dlg.toolbarMenus[0].second, MAKELPARAM(screen.x, screen.y));
}

}  // namespace

namespace {

// A real library popup whose messages go to the dialog: opening it makes the
// dialog its keeper (one mouse hook, the dialog's filter), closing it ends that.
class KtvPDialogPopupTest : public KtvPDialogTest {
protected:
    void SetUp() override
    {
        KtvPDialogTest::SetUp();
        animationBefore = CKtvPPopupMenu::m_nAnimationType;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
    }
    void TearDown() override
    {
        KtvPDialogTest::TearDown();
        CKtvPMenuSound::Terminate();
        CKtvPPopupMenu::m_nAnimationType = animationBefore;
    }

    // The popup of a two-item menu, opened over the dialog's list.
    CKtvPPopupMenu* OpenRealPopup()
    {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenu(hMenu, MF_STRING, 0x8001, "&Run");
        ::AppendMenu(hMenu, MF_STRING, 0x8002, "&Stop");
        CRect rectDlg;
        dlg.GetWindowRect(rectDlg);
        auto* pPopup = new CKtvPPopupMenu;
        EXPECT_TRUE(pPopup->Create(&dlg, rectDlg.left + 30, rectDlg.top + 60, hMenu, FALSE, TRUE));
        ::DestroyMenu(hMenu);
        Pump();
        return pPopup;
    }

    decltype(CKtvPPopupMenu::m_nAnimationType) animationBefore{};
};

TEST_F(KtvPDialogPopupTest, APopupOverTheDialogIsKeptByItUntilEscClosesIt)
{
    CKtvPPopupMenu* pPopup = OpenRealPopup();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, pPopup);
    EXPECT_EQ(CKtvPDlgImpl::m_pMenuDlgImpl, &dlg.m_Impl);
    EXPECT_NE(CKtvPDlgImpl::m_hookMouse, nullptr);

    // Moves over the dialog outside the menu are swallowed; over the menu they are not.
    HWND list = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_KTVP_WINDOWS_LIST);
    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    CPoint ptOutside(rectPopup.right + 5, rectPopup.bottom + 5);
    ::ScreenToClient(list, &ptOutside);
    MSG moveOutside = MessageTo(list, WM_MOUSEMOVE, 0, MAKELPARAM(ptOutside.x, ptOutside.y));
    EXPECT_TRUE(dlg.PreTranslateMessage(&moveOutside));
    MSG moveInside = MessageTo(pPopup->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(dlg.PreTranslateMessage(&moveInside));

    MSG esc = MessageTo(list, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(dlg.PreTranslateMessage(&esc));
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_pMenuDlgImpl, nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, nullptr);
}

// A click in another window of the program closes the dialog's menu through the
// mouse hook, and that window still gets its click.
TEST_F(KtvPDialogPopupTest, AClickInAnotherWindowClosesTheMenuAndStillArrives)
{
    struct ClickedWindow : CWnd {
        int clicks = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_LBUTTONDOWN)
                clicks++;
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } other;
    CRect rectDlg;
    dlg.GetWindowRect(rectDlg);
    const CRect rectOther(rectDlg.right + 20, rectDlg.top, rectDlg.right + 120, rectDlg.top + 60);
    ASSERT_TRUE(other.CreateEx(0, nullptr, "Other", WS_POPUP | WS_VISIBLE, rectOther, nullptr, 0));
    OpenRealPopup();
    ASSERT_NE(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);

    Click(other.GetSafeHwnd(), 10, 10);
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    EXPECT_EQ(CKtvPDlgImpl::m_hookMouse, nullptr);
    EXPECT_EQ(other.clicks, 1);
    other.DestroyWindow();
}

}  // namespace
