// The menu bar from the keyboard, typed as a user types: Alt with a letter
// opens a menu or runs a command, Alt alone moves the focus to the bar, where
// the arrows walk its items, Down opens one and Escape gives the focus back;
// and with the mouse: a drag from the bar into a menu, a click outside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/mfc/afxwin.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/controls/KtvPButton.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/frames/KtvPFrameWnd.h"

namespace {

using menutest::Cmd;
using menutest::Sub;

// A frame that records the commands that reach it, and offers them so that
// their menu items are enabled.
class CommandFrame : public CKtvPFrameWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= 100 && LOWORD(wParam) < 1000) {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CKtvPFrameWnd::OnCommand(wParam, lParam);
    }
    std::vector<UINT> commands;

protected:
    void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, CKtvPFrameWnd)
    ON_UPDATE_COMMAND_UI_RANGE(100, 999, OnUpdateRange)
END_MESSAGE_MAP()

class MenuKeysTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;

        frame = new CommandFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(frame->EnableDocking(CBRS_ALIGN_ANY));
        ::SetMenu(frame->GetSafeHwnd(),
                  menutest::Build({Sub("&File", {Cmd(100, "&New\tCtrl+N"), Cmd(101, "&Open")}),
                                   Sub("&Edit", {Cmd(200, "&Copy")}), Cmd(300, "Ru&n")}));
        ASSERT_TRUE(menuBar.Create(frame));
        menuBar.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(&menuBar);
        frame->RecalcLayout();
        frame->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        if (CKtvPPopupMenu* pOpen = Dropped())
            pOpen->SendMessage(WM_CLOSE);
        Pump();
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPMenuSound::Terminate();
        HeadlessWindowTest::TearDown();
    }

    // The program's message loop: the windows from the target up to the frame
    // see each message before it is dispatched.
    void Pump()
    {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (frame != nullptr && CWnd::WalkPreTranslateTree(frame->GetSafeHwnd(), &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    void AltWith(UINT vk)
    {
        input.KeyDown(VK_MENU);
        input.KeyStroke(vk);
        input.KeyUp(VK_MENU);
        Pump();
    }
    CKtvPPopupMenu* Dropped() const
    {
        CKtvPToolbarMenuButton* pButton = menuBar.GetDroppedDownMenu();
        return pButton != nullptr ? pButton->m_pPopupMenu : nullptr;
    }
    std::string DroppedLabel() const
    {
        CKtvPToolbarMenuButton* pButton = menuBar.GetDroppedDownMenu();
        return pButton != nullptr ? std::string(pButton->m_strText) : std::string("none");
    }

    CommandFrame* frame = nullptr;
    CKtvPMenuBar menuBar;
};

TEST_F(MenuKeysTest, AltWithALetterOpensItsMenuOrRunsItsCommand)
{
    struct Case {
        UINT vk;
        const char* dropped;
        std::vector<UINT> commands;
    } const cases[] = {
        {'F', "&File", {}},
        {'E', "&Edit", {}},
        {'N', "none", {300}},
        {'Q', "none", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, (char)c.vk));
        frame->commands.clear();
        AltWith(c.vk);
        EXPECT_EQ(DroppedLabel(), c.dropped);
        EXPECT_EQ(frame->commands, c.commands);
        if (CKtvPPopupMenu* pOpen = Dropped()) {
            pOpen->SendMessage(WM_CLOSE);
            Pump();
        }
        frame->SetFocus();
        Pump();
    }
}

// An item's shortcut text, after its tab, is kept for the right-hand column.
TEST_F(MenuKeysTest, OpenedMenuShowsTheShortcutTextOfItsItems)
{
    AltWith('F');
    CKtvPPopupMenu* pPopup = Dropped();
    ASSERT_NE(pPopup, nullptr);
    ASSERT_GE(pPopup->GetMenuItemCount(), 1);
    const std::string text = (LPCTSTR)pPopup->GetMenuItem(0)->m_strText;
    EXPECT_EQ(text.substr(text.find('\t') + 1), "Ctrl+N");
    EXPECT_EQ(text.substr(0, text.find('\t')), "&New");
}

TEST_F(MenuKeysTest, AltAloneFocusesTheBarWhoseArrowsWalkItsItems)
{
    input.KeyStroke(VK_MENU);
    Pump();
    ASSERT_EQ(::GetFocus(), menuBar.GetSafeHwnd());
    ASSERT_EQ(menuBar.m_iHighlighted, 0);

    struct Step {
        UINT vk;
        int highlighted;
    } const steps[] = {{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 0}, {VK_LEFT, 2}, {VK_LEFT, 1}};
    for (const Step& s : steps) {
        input.KeyStroke(s.vk);
        Pump();
        EXPECT_EQ(menuBar.m_iHighlighted, s.highlighted) << s.vk;
    }

    input.KeyStroke(VK_DOWN);
    Pump();
    EXPECT_EQ(DroppedLabel(), "&Edit");
    Dropped()->SendMessage(WM_CLOSE);
    Pump();

    // Alt again gives the focus back to the frame.
    menuBar.SetFocus();
    Pump();
    input.KeyStroke(VK_MENU);
    Pump();
    EXPECT_NE(::GetFocus(), menuBar.GetSafeHwnd());
}

// With personalised menus a rarely used item is left out of its menu, yet its
// letter still runs it.
TEST_F(MenuKeysTest, HiddenItemsLetterStillRunsItsCommand)
{
    CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
    CList<UINT, UINT> basic;
    basic.AddTail(100);
    CKtvPToolBar::SetBasicCommands(basic);

    AltWith('F');
    CKtvPPopupMenu* pPopup = Dropped();
    ASSERT_NE(pPopup, nullptr);
    bool bOpenShown = false;
    for (int i = 0; i < pPopup->GetMenuItemCount(); i++)
        bOpenShown = bOpenShown || pPopup->GetMenuItem(i)->m_nID == 101;
    EXPECT_FALSE(bOpenShown) << "Open is rarely used";

    input.KeyStroke('O');
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{101});
    EXPECT_EQ(Dropped(), nullptr);
    CKtvPToolBar::m_BasicCommands.RemoveAll();
}

// Enter that reaches a library button while a library menu is open is not the
// button's: it does not click.
TEST_F(MenuKeysTest, EnterGoesToTheOpenMenuNotToTheFocusedButton)
{
    CKtvPButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(200, 200, 280, 224), frame, 700));
    button.SetFocus();
    Pump();
    input.KeyStroke(VK_RETURN);
    Pump();
    ASSERT_EQ(frame->commands, std::vector<UINT>{700}) << "with no menu open Enter clicks the button";

    frame->commands.clear();
    ASSERT_TRUE(menuBar.TranslateChar('F'));   // File opens with its first item chosen
    Pump();
    ASSERT_NE(Dropped(), nullptr);
    // The key as it reaches a button that kept the keyboard.
    button.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    Pump();
    EXPECT_EQ(std::count(frame->commands.begin(), frame->commands.end(), 700u), 0) << "the button stays quiet";
    EXPECT_EQ(frame->commands, std::vector<UINT>{100}) << "the open menu runs its chosen item";
    EXPECT_EQ(Dropped(), nullptr);
    button.DestroyWindow();
}

// Typed as a user types: the arrows choose an item of the open menu and Enter
// runs it and closes the menu.
TEST_F(MenuKeysTest, EnterRunsTheItemChosenInTheOpenMenu)
{
    AltWith('F');
    ASSERT_NE(Dropped(), nullptr);
    input.KeyStroke(VK_DOWN);
    Pump();
    input.KeyStroke(VK_RETURN);
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{101});
    EXPECT_EQ(Dropped(), nullptr);
}

}  // namespace

namespace {

// The mouse on the same bar: a press on a menu that is dragged into it runs
// the item it is released on; a click outside closes the menu and runs nothing.
TEST_F(MenuKeysTest, DragFromTheBarIntoTheMenuRunsTheItemReleasedOn)
{
    const CPoint ptFile = menuBar.GetButton(0)->m_rect.CenterPoint();
    const POINT from = ScreenPointOf(menuBar.GetSafeHwnd(), ptFile.x, ptFile.y);
    input.MouseMove(from.x, from.y);
    input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
    Pump();
    CKtvPPopupMenu* pPopup = Dropped();
    ASSERT_NE(pPopup, nullptr);
    CKtvPPopupMenuBar* pItems = pPopup->GetMenuBar();
    const CPoint ptOpen = pItems->GetButton(1)->m_rect.CenterPoint();
    const POINT on = ScreenPointOf(pItems->GetSafeHwnd(), ptOpen.x, ptOpen.y);
    input.MouseMove(on.x, on.y - 3);
    Pump();
    input.MouseMove(on.x, on.y);
    Pump();
    EXPECT_TRUE(frame->commands.empty()) << "nothing runs before the release";
    input.ButtonUp(tw::display::MouseButton::Left, on.x, on.y);
    Pump();
    EXPECT_EQ(frame->commands, std::vector<UINT>{101});
    EXPECT_EQ(Dropped(), nullptr);
}

TEST_F(MenuKeysTest, ClickOutsideClosesTheMenuAndRunsNothing)
{
    AltWith('F');
    CKtvPPopupMenu* pPopup = Dropped();
    ASSERT_NE(pPopup, nullptr);
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    const POINT away = ScreenPointOf(frame->GetSafeHwnd(), 450, 300);
    input.Click(tw::display::MouseButton::Left, away.x, away.y);
    Pump();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(Dropped(), nullptr);
    EXPECT_TRUE(frame->commands.empty());
}

}  // namespace
