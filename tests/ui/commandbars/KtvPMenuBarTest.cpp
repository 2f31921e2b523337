// The frame's menu bar (labels without mnemonics: the key table belongs to the
// keyboard manager): one button per item of the frame's menu, a
// maximised child's icon and caption buttons at its ends, and the keys that
// open its menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

using menutest::Cmd;
using menutest::Sep;
using menutest::Sub;

class MenuBarTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;

        frame = new CKtvPMDIFrameWnd;
        CRect rect(20, 20, 620, 420);
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        ::SetMenu(frame->GetSafeHwnd(),
                  menutest::Build({Sub("File", {Cmd(100, "&New"), Cmd(101, "&Open")}),
                                   Sub("Edit", {Cmd(200, "&Copy")}), Cmd(300, "Run")}));
        ASSERT_TRUE(menuBar.Create(frame));
        menuBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&menuBar);
        frame->RecalcLayout();
        Pump();
    }
    void TearDown() override
    {
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        // Menus play their sounds on a worker; it ends with the test, not at exit.
        CKtvPMenuSound::Terminate();
        HeadlessWindowTest::TearDown();
    }

    CKtvPMDIChildWnd* AddChild(DWORD dwStyle)
    {
        auto* child = new CKtvPMDIChildWnd;
        EXPECT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | dwStyle, CFrameWnd::rectDefault, frame));
        child->InitialUpdateFrame(nullptr, TRUE);
        Pump();
        return child;
    }

    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> kinds;
        for (int i = 0; i < menuBar.GetCount(); i++) {
            CKtvPToolbarButton* pButton = menuBar.GetButton(i);
            if (auto* pCaption = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButtonsButton, pButton))
                kinds.push_back(std::string(pCaption->m_nStyle & TBBS_DISABLED ? "x" : "") +
                                std::to_string(pCaption->m_uiSystemCommand));
            else if (pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarSystemMenuButton)))
                kinds.push_back("icon");
            else if (pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButton)))
                kinds.push_back("menu:" + std::string(pButton->m_strText));
            else
                kinds.push_back("cmd:" + std::string(pButton->m_strText));
        }
        return kinds;
    }

    CKtvPMDIFrameWnd* frame = nullptr;
    CKtvPMenuBar menuBar;
};

TEST_F(MenuBarTest, FollowsTheFramesMenu)
{
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:File", "menu:Edit", "cmd:Run"}));
    for (int i = 0; i < menuBar.GetCount(); i++) {
        EXPECT_TRUE(menuBar.GetButton(i)->m_bTextShown);
        EXPECT_FALSE(menuBar.GetButton(i)->m_bImageShown);
    }
    EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);

    // Another menu replaces the buttons; the first one comes back as it was.
    HMENU hFirst = menuBar.m_hMenu;
    HMENU hOther = menutest::Build({Sub("Query", {Cmd(400, "E&xecute")})});
    menuBar.CreateFromMenu(hOther);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:Query"}));
    menuBar.CreateFromMenu(hFirst);
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:File", "menu:Edit", "cmd:Run"}));
    ::DestroyMenu(hOther);
}

// A maximised child puts its icon first and its caption buttons last, one
// per box of its style; a greyed close item gives a disabled close button.
TEST_F(MenuBarTest, MaximisedChildButtons)
{
    const std::string kMin = std::to_string(SC_MINIMIZE), kRestore = std::to_string(SC_RESTORE),
                      kClose = std::to_string(SC_CLOSE);
    struct Case {
        DWORD style;
        bool greyClose;
        std::vector<std::string> ends;
    };
    for (const Case& c : {Case{WS_OVERLAPPEDWINDOW, false, {kMin, kRestore, kClose}},
                          Case{WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, false, {kRestore, kClose}},
                          Case{WS_OVERLAPPEDWINDOW, true, {kMin, kRestore, "x" + kClose}}}) {
        CKtvPMDIChildWnd* pChild = AddChild(c.style);
        if (c.greyClose)
            ::EnableMenuItem(::GetSystemMenu(pChild->GetSafeHwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        menuBar.SetMaximizeMode(TRUE, pChild);

        std::vector<std::string> expected = {"icon", "menu:File", "menu:Edit", "cmd:Run"};
        expected.insert(expected.end(), c.ends.begin(), c.ends.end());
        EXPECT_EQ(Kinds(), expected);

        // Caption buttons are flush right, one pixel apart.
        CRect rectClient;
        menuBar.GetClientRect(rectClient);
        const int nLast = menuBar.GetCount() - 1;
        EXPECT_EQ(menuBar.GetButton(nLast)->m_rect.right, rectClient.right);
        if (c.ends.size() > 1)
            EXPECT_EQ(menuBar.GetButton(nLast - 1)->m_rect.right + 1, menuBar.GetButton(nLast)->m_rect.left);

        menuBar.SetMaximizeMode(FALSE);
        EXPECT_EQ(Kinds(), (std::vector<std::string>{"menu:File", "menu:Edit", "cmd:Run"}));
        pChild->DestroyWindow();
        Pump();
    }
}

// With personalised menus, a menu opened from the bar shows only the basic
// commands and the show-all item; Ctrl+Down expands it in place.
TEST_F(MenuBarTest, PersonalisedMenuExpands)
{
    ::ShowWindow(parent, SW_HIDE);
    CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
    CList<UINT, UINT> basic;
    basic.AddTail(100);
    CKtvPToolBar::SetBasicCommands(basic);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    auto* pFile = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, menuBar.GetButton(0));
    ASSERT_NE(pFile, nullptr);
    const CPoint ptFile = pFile->m_rect.CenterPoint();
    Click(menuBar.GetSafeHwnd(), ptFile.x, ptFile.y);
    Pump();
    ASSERT_NE(pFile->m_pPopupMenu, nullptr);
    CKtvPPopupMenu* pPopup = pFile->m_pPopupMenu;
    ASSERT_EQ(pPopup->GetMenuItemCount(), 2);
    EXPECT_EQ(pPopup->GetMenuItem(0)->m_nID, 100u);
    EXPECT_TRUE(pPopup->GetMenuItem(1)->IsKindOf(RUNTIME_CLASS(CKtvPShowAllButton)));
    EXPECT_FALSE(pPopup->GetMenuBar()->m_bAllCommandsShown);
    const CRect rectBefore = [&] { CRect r; pPopup->GetWindowRect(r); return r; }();
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(
        std::string(TW_COMMANDBARS_TEST_BINARY_DIR) + "/menu-personalised.png"));

    input.KeyDown(VK_CONTROL);
    Pump();
    pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
    input.KeyUp(VK_CONTROL);
    Pump();
    ASSERT_EQ(pFile->m_pPopupMenu, pPopup);
    EXPECT_EQ(pPopup->GetMenuItemCount(), 2);
    EXPECT_EQ(pPopup->GetMenuItem(1)->m_nID, 101u);
    EXPECT_TRUE(pPopup->GetMenuBar()->m_bAllCommandsShown);
    CRect rectAfter;
    pPopup->GetWindowRect(rectAfter);
    EXPECT_EQ(rectAfter.TopLeft(), rectBefore.TopLeft()) << "it expands where it opened";
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(
        std::string(TW_COMMANDBARS_TEST_BINARY_DIR) + "/menu-expanded.png"));

    pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    EXPECT_EQ(pFile->m_pPopupMenu, nullptr);
    CKtvPToolBar::m_BasicCommands.RemoveAll();
}

TEST_F(MenuBarTest, ScreenshotOfAMaximisedChildsButtons)
{
    ::ShowWindow(parent, SW_HIDE);
    CKtvPMDIChildWnd* pChild = AddChild(WS_OVERLAPPEDWINDOW);
    pChild->MDIMaximize();
    Pump();
    if (!menuBar.m_bMaximizeMode)
        menuBar.SetMaximizeMode(TRUE, pChild);
    frame->RecalcLayout();
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(Kinds().front(), "icon");
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(
        std::string(TW_COMMANDBARS_TEST_BINARY_DIR) + "/menubar-maximised-child.png"));
}

}  // namespace

namespace {

// A menu with a tear-off strip is dragged off by its strip: its bar floats in
// a mini frame that follows the mouse until the button comes up; Esc on the
// way gives the menu back instead.
TEST_F(MenuBarTest, TearingOffAMenuFloatsItsBarWhereTheMouseLetsGo)
{
    CKtvPTearOffManager manager;
    manager.Initialize(5000, 5009);
    g_pTearOffMenuManager = &manager;
    CString strTools = "&Tools";
    CKtvPTearOffManager::Build(5003, strTools);
    HMENU hMenu = menutest::Build({Sub(std::string(strTools), {Cmd(400, "&Query"), Cmd(401, "&Plan")})});
    menuBar.CreateFromMenu(hMenu, FALSE, TRUE);
    auto* pTools = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, menuBar.GetButton(0));
    ASSERT_NE(pTools, nullptr);
    ASSERT_EQ(pTools->m_uiTearOffId, 5003u);
    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(frame);
    ASSERT_NE(pHooks, nullptr);

    struct Case {
        const char* name;
        bool bCancel;
    };
    for (const Case& c : {Case{"Esc keeps the menu", true}, Case{"release floats the bar", false}}) {
        SCOPED_TRACE(c.name);
        const CPoint ptTools = pTools->m_rect.CenterPoint();
        Click(menuBar.GetSafeHwnd(), ptTools.x, ptTools.y);
        Pump();
        CKtvPPopupMenu* pPopup = pTools->m_pPopupMenu;
        ASSERT_NE(pPopup, nullptr);
        const HWND hwndPopup = pPopup->GetSafeHwnd();
        ASSERT_FALSE(pPopup->m_rectTearOff.IsRectEmpty());

        const CPoint ptStrip = pPopup->m_rectTearOff.CenterPoint();
        const POINT down = ScreenPointOf(hwndPopup, ptStrip.x, ptStrip.y);
        input.MouseMove(down.x, down.y);
        input.ButtonDown(tw::display::MouseButton::Left, down.x, down.y);
        Pump();
        ASSERT_TRUE(pPopup->m_bTearOffTracking);

        // Out of the strip, then on to where the bar should land.
        const POINT drop = ScreenPointOf(frame->GetSafeHwnd(), 350, 260);
        input.MouseMove(down.x, down.y + 40);
        input.MouseMove(drop.x, drop.y);
        if (c.bCancel)
            input.KeyStroke(VK_ESCAPE);
        input.ButtonUp(tw::display::MouseButton::Left, drop.x, drop.y);
        Pump();

        auto* pBar = DYNAMIC_DOWNCAST(CKtvPToolBar, pHooks->GetControlBar(5003));
        if (c.bCancel) {
            EXPECT_TRUE(pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd()));
            ASSERT_TRUE(::IsWindow(hwndPopup)) << "the menu comes back";
            EXPECT_TRUE(::IsWindowVisible(hwndPopup));
            pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
            Pump();
            continue;
        }
        EXPECT_FALSE(::IsWindow(hwndPopup)) << "the torn-off menu closes";
        ASSERT_NE(pBar, nullptr);
        ASSERT_TRUE(::IsWindow(pBar->GetSafeHwnd()));
        ASSERT_EQ(pBar->GetCount(), 2);
        EXPECT_EQ(pBar->GetButton(0)->m_nID, 400u);
        EXPECT_EQ(pBar->GetButton(1)->m_nID, 401u);
        CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE);
        ASSERT_NE(pMiniFrame, nullptr);
        CRect rectMini;
        pMiniFrame->GetWindowRect(rectMini);
        // The mini frame was taken by its top centre, five pixels down.
        EXPECT_EQ(rectMini.top, drop.y - 5);
        EXPECT_NEAR(rectMini.left, drop.x - rectMini.Width() / 2, 1);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
    g_pTearOffMenuManager = nullptr;
}

}  // namespace

namespace {

// With the frame at the bottom of the screen a menu opens above its button.
TEST_F(MenuBarTest, NearTheBottomEdgeAMenuOpensAboveItsButton)
{
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    frame->MoveWindow(20, rectWork.bottom - 60, 600, 60);
    frame->RecalcLayout();
    Pump();
    auto* pFile = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, menuBar.GetButton(0));
    ASSERT_NE(pFile, nullptr);
    const CPoint ptFile = pFile->m_rect.CenterPoint();
    Click(menuBar.GetSafeHwnd(), ptFile.x, ptFile.y);
    Pump();
    CKtvPPopupMenu* pPopup = pFile->m_pPopupMenu;
    ASSERT_NE(pPopup, nullptr);

    CRect rectButton = pFile->m_rect;
    menuBar.ClientToScreen(rectButton);
    CRect rectPopup;
    pPopup->GetWindowRect(rectPopup);
    ASSERT_GT(rectButton.bottom + pPopup->m_sizeFinal.cy, rectWork.bottom) << "below the button it would not fit";
    EXPECT_EQ(pPopup->m_nDropDirection, CKtvPPopupMenu::DROP_DIRECTION_TOP);
    EXPECT_EQ(rectPopup.top + pPopup->m_sizeFinal.cy, rectButton.top);
    EXPECT_FALSE(pPopup->m_bScrollable);
    pPopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
}

// A double click on a maximised child's icon closes the child.
TEST_F(MenuBarTest, DoubleClickOnAMaximisedChildsIconClosesIt)
{
    CKtvPMDIChildWnd* pChild = AddChild(WS_OVERLAPPEDWINDOW);
    const HWND hwndChild = pChild->GetSafeHwnd();
    menuBar.SetMaximizeMode(TRUE, pChild);
    ASSERT_EQ(Kinds().front(), "icon");
    const CPoint ptIcon = menuBar.GetButton(0)->m_rect.CenterPoint();
    const POINT at = ScreenPointOf(menuBar.GetSafeHwnd(), ptIcon.x, ptIcon.y);
    input.MouseMove(at.x, at.y);
    input.Click(tw::display::MouseButton::Left, at.x, at.y);
    input.Click(tw::display::MouseButton::Left, at.x, at.y);
    Pump();
    if (CKtvPPopupMenu::m_pActivePopupMenu != nullptr)
        CKtvPPopupMenu::m_pActivePopupMenu->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_FALSE(::IsWindow(hwndChild));
}

}  // namespace

namespace {

// A menu-bar button under the pointer is raised, one whose menu is open is
// sunken: its top-left corner and its right edge take the bar's light and
// dark colours (the open menu covers the button's bottom row).
TEST_F(MenuBarTest, ButtonsAreRaisedWhenHotAndSunkenWhileTheirMenuIsOpen)
{
    auto* pFile = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, menuBar.GetButton(0));
    ASSERT_NE(pFile, nullptr);
    const CRect rect = pFile->m_rect;
    const POINT centre = ScreenPointOf(menuBar.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    const auto corners = [&] {
        menuBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return std::make_pair(ScreenPixel(menuBar.GetSafeHwnd(), rect.left, rect.top),
                              ScreenPixel(menuBar.GetSafeHwnd(), rect.right - 1, rect.top + 2));
    };

    input.MouseMove(centre.x - 1, centre.y);
    input.MouseMove(centre.x, centre.y);
    Pump();
    ASSERT_EQ(menuBar.m_iHighlighted, 0);
    EXPECT_EQ(corners(), std::make_pair(globalData.clrBarHilite, globalData.clrBarShadow)) << "hot: raised";

    input.Click(tw::display::MouseButton::Left, centre.x, centre.y);
    Pump();
    ASSERT_NE(pFile->m_pPopupMenu, nullptr);
    EXPECT_EQ(corners(), std::make_pair(globalData.clrBarShadow, globalData.clrBarHilite)) << "open: sunken";
    pFile->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
}

}  // namespace
