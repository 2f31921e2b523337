// The menu bar of a frame: its room in the non-client area, hit testing, and
// its menus opened with Alt, F10, Alt and a mnemonic, arrows and the mouse.
#include <algorithm>
#include <string>

#include "platform/win32/kernel/Threads.h"

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/menu/MenuBar.h"
#include "platform/win32/menu/MenuLayout.h"
#include "platform/win32/menu/MenuTracker.h"
#include "tests/platform/win32/menu/MenuTestFixture.h"

namespace tw::menu::test {
namespace {

class MenuBars : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        bar = CreateMenu();
        file = CreatePopupMenu();
        edit = CreatePopupMenu();
        AppendMenu(file, MF_STRING, 101, "&New");
        AppendMenu(file, MF_STRING, 102, "E&xit");
        AppendMenu(edit, MF_STRING | MF_GRAYED, 201, "&Undo");
        AppendMenu(edit, MF_STRING, 202, "&Paste");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
        AppendMenu(bar, MF_STRING, 300, "&Help");
        Name(bar, "bar");
        Name(file, "file");
        Name(edit, "edit");
        MakeFrame(RECT{50, 50, 450, 350}, bar);
        ASSERT_EQ(GetFocus(), frame);
    }
    // The centre of a bar item on the screen.
    POINT BarItem(int index)
    {
        RECT rect{};
        EXPECT_TRUE(GetMenuItemRect(frame, bar, static_cast<UINT>(index), &rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    std::vector<std::string> Commands()
    {
        Pump();
        return Log("WM_COMMAND");
    }

    HMENU bar = nullptr;
    HMENU file = nullptr;
    HMENU edit = nullptr;
};

TEST_F(MenuBars, TheBarTakesItsRowFromTheClientAreaAndAnswersHtMenu)
{
    RECT withBar;
    GetClientRect(frame, &withBar);
    POINT client{0, 0};
    ClientToScreen(frame, &client);
    const LRESULT hit = SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(client.x + 5, client.y - 5));
    EXPECT_EQ(hit, HTMENU);
    const RECT barRect = MenuBar::BarRect(frame);
    EXPECT_EQ(barRect.bottom - barRect.top, GetSystemMetrics(SM_CYMENU));

    ASSERT_TRUE(SetMenu(frame, nullptr));
    RECT without;
    GetClientRect(frame, &without);
    EXPECT_EQ(without.bottom - withBar.bottom, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(GetMenu(frame), nullptr);
    EXPECT_TRUE(IsMenu(bar)) << "taking a menu off a window does not destroy it";
    ASSERT_TRUE(SetMenu(frame, bar));
    EXPECT_EQ(GetMenu(frame), bar);
    DestroyWindow(frame);
    DestroyMenu(bar);
}

TEST_F(MenuBars, ABarTooLongForTheFrameWrapsIntoRowsAfterDrawMenuBar)
{
    RECT oneRow;
    GetClientRect(frame, &oneRow);
    for (int i = 0; i < 12; ++i)
        AppendMenu(bar, MF_STRING, 400 + i, "&Window");
    ASSERT_TRUE(DrawMenuBar(frame));
    const RECT wrapped = MenuBar::BarRect(frame);
    const int rows = (wrapped.bottom - wrapped.top) / GetSystemMetrics(SM_CYMENU);
    EXPECT_GE(rows, 2);
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(oneRow.bottom - client.bottom, (rows - 1) * GetSystemMetrics(SM_CYMENU));
}

TEST_F(MenuBars, ChildWindowsHaveNoMenu)
{
    HWND child = CreateWindowEx(0, "MenuTestFrame", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame,
                                reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetMenu(child), nullptr) << "a child's id is no menu";
    EXPECT_FALSE(SetMenu(child, bar));
}

TEST_F(MenuBars, TheBarIsPaintedWithTheMenuColour)
{
    const RECT barRect = MenuBar::BarRect(frame);
    HDC dc = GetWindowDC(frame);
    const COLORREF empty = GetPixel(dc, barRect.right - 3, (barRect.top + barRect.bottom) / 2);
    ReleaseDC(frame, dc);
    EXPECT_EQ(empty, GetSysColor(COLOR_MENU));
}

struct BarKeyCase {
    const char* name;
    const char* keys;      // after Alt alone (when altFirst)
    bool altFirst;
    UINT altWith;          // a key typed with Alt held, 0 for none
    const char* command;   // nullptr: none
};

class BarKeys : public MenuBars, public ::testing::WithParamInterface<BarKeyCase> {};

TEST_P(BarKeys, ReachTheCommand)
{
    const BarKeyCase& c = GetParam();
    if (c.altFirst)
        Keys("a");
    if (c.altWith)
        AltKey(c.altWith);
    Keys(c.keys);
    Keys("xxx");  // whatever is left open closes
    Pump();
    if (c.command)
        EXPECT_EQ(Commands(), std::vector<std::string>{c.command});
    else
        EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, BarKeys,
    ::testing::Values(BarKeyCase{"AltDownEnter", "ve", true, 0, "WM_COMMAND 0x65 0x0"},
                      BarKeyCase{"RightMovesToTheNextMenu", ">vve", true, 0, "WM_COMMAND 0xCA 0x0"},
                      BarKeyCase{"LeftWrapsToTheLastItem", "<e", true, 0, "WM_COMMAND 0x12C 0x0"},
                      BarKeyCase{"RightInAnOpenMenuOpensTheNext", "v>ve", true, 0, "WM_COMMAND 0xCA 0x0"},
                      BarKeyCase{"EscapeClosesThePopupKeepsTheBar", "vxve", true, 0, "WM_COMMAND 0x65 0x0"},
                      BarKeyCase{"MnemonicAfterAlt", "EP", true, 0, "WM_COMMAND 0xCA 0x0"},
                      BarKeyCase{"AltAgainCloses", "ave", true, 0, nullptr},
                      BarKeyCase{"AltWithMnemonicOpensItsMenu", "X", false, 'F', "WM_COMMAND 0x66 0x0"},
                      BarKeyCase{"AltWithABarCommandRunsIt", "", false, 'H', "WM_COMMAND 0x12C 0x0"},
                      BarKeyCase{"GrayedItemDoesNothing", "U", false, 'E', nullptr}),
    [](const auto& info) { return info.param.name; });

TEST_F(MenuBars, AltLettersNoItemAnswersAskTheWindowAndOpenNothing)
{
    AltKey('Q');
    Pump();
    EXPECT_EQ(Log("WM_"), std::vector<std::string>{"WM_MENUCHAR 0x71 bar"});
}

TEST_F(MenuBars, F10OpensTheBarLikeAlt)
{
    input.KeyStroke(VK_F10);
    Keys("ve");
    Pump();
    EXPECT_EQ(Commands(), std::vector<std::string>{"WM_COMMAND 0x65 0x0"});
}

TEST_F(MenuBars, NotificationsOfTheBarsLoop)
{
    Keys("ave");
    Pump();
    EXPECT_EQ(Log("WM_"), (std::vector<std::string>{
                              "WM_ENTERMENULOOP 0x0",
                              "WM_INITMENU bar",
                              "WM_MENUSELECT 0x0 0x90 bar",
                              "WM_MENUSELECT 0x0 0x90 bar",
                              "WM_INITMENUPOPUP file 0x0",
                              "WM_MENUSELECT 0x65 0x80 file",
                              "WM_MENUSELECT 0x0 0xFFFF 0x0",
                              "WM_EXITMENULOOP 0x0",
                              "WM_COMMAND 0x65 0x0",
                          }));
}

TEST_F(MenuBars, AClickOpensTheMenuAndAClickInItChooses)
{
    const POINT editItem = BarItem(1);
    input.Click(tw::display::MouseButton::Left, editItem.x, editItem.y);
    // Paste is the second row of the popup under the bar item.
    RECT itemRect{};
    GetMenuItemRect(frame, bar, 1, &itemRect);
    const MenuLayout layout = MenuPainter::MeasurePopup(frame, edit);
    const POINT paste{itemRect.left + (layout.rects[1].left + layout.rects[1].right) / 2,
                      itemRect.bottom + (layout.rects[1].top + layout.rects[1].bottom) / 2};
    input.Click(tw::display::MouseButton::Left, paste.x, paste.y);
    Pump();
    EXPECT_EQ(Commands(), std::vector<std::string>{"WM_COMMAND 0xCA 0x0"});
}

TEST_F(MenuBars, ASecondClickOnTheOpenItemCloses)
{
    const POINT fileItem = BarItem(0);
    input.Click(tw::display::MouseButton::Left, fileItem.x, fileItem.y);
    input.Click(tw::display::MouseButton::Left, fileItem.x, fileItem.y);
    Pump();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Log("WM_EXITMENULOOP").size(), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuBars, AClickOutsideCloses)
{
    const POINT fileItem = BarItem(0);
    input.Click(tw::display::MouseButton::Left, fileItem.x, fileItem.y);
    input.Click(tw::display::MouseButton::Left, 5, 600);
    Pump();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Log("WM_EXITMENULOOP").size(), 1u);
}

// The centre of the frame's close box on the screen.
POINT CloseBox(HWND frame)
{
    RECT window;
    GetWindowRect(frame, &window);
    for (LONG y = window.top; y < window.top + 40; ++y) {
        for (LONG x = window.right - 1; x > window.right - 60; --x) {
            if (SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return POINT{x - 3, y + 3};
        }
    }
    ADD_FAILURE() << "no close box";
    return POINT{0, 0};
}

TEST_F(MenuBars, EscapeInAMenuOpenedByClickLeavesMenuModeAndTheNextClickActs)
{
    const POINT fileItem = BarItem(0);
    input.Click(tw::display::MouseButton::Left, fileItem.x, fileItem.y);
    Keys("x");
    Pump();  // a person pauses between the key and the click
    const POINT close = CloseBox(frame);
    input.Click(tw::display::MouseButton::Left, close.x, close.y);
    Pump();
    const std::vector<std::string> log = Log("WM_");
    const auto exit = std::find(log.begin(), log.end(), "WM_EXITMENULOOP 0x0");
    const auto closed = std::find(log.begin(), log.end(), "WM_SYSCOMMAND 0xF060");
    EXPECT_NE(exit, log.end());
    EXPECT_NE(closed, log.end()) << "the click on the close box was swallowed";
    EXPECT_LT(exit, closed);
    EXPECT_EQ(MenuTracker::BarSelection(frame, nullptr), -1) << "the item stays highlighted";
    EXPECT_EQ(GetCapture(), nullptr);
}

std::vector<std::string> g_pressed;

TEST_F(MenuBars, AClickOutsideTheBarSelectedFromTheKeyboardEndsMenuModeAndReachesItsTarget)
{
    g_pressed.clear();
    HHOOK hook = SetWindowsHookEx(
        WH_MOUSE,
        [](int code, WPARAM message, LPARAM info) -> LRESULT {
            const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(info);
            if (code == HC_ACTION && (message == WM_NCLBUTTONDOWN || message == WM_LBUTTONDOWN))
                g_pressed.push_back((message == WM_NCLBUTTONDOWN ? "nc " : "client ") +
                                    std::to_string(mouse->wHitTestCode));
            return CallNextHookEx(nullptr, code, message, info);
        },
        nullptr, ::GetCurrentThreadId());
    Keys("a");  // the bar selected, no menu open
    const POINT close = CloseBox(frame);
    input.Click(tw::display::MouseButton::Left, close.x, close.y);
    Pump();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(Log("WM_EXITMENULOOP").size(), 1u);
    EXPECT_EQ(g_pressed, std::vector<std::string>{"nc " + std::to_string(HTCLOSE)}) << "swallowed by the menu loop";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuBars, AltSpaceOpensTheSystemMenuWhoseCommandsAreSystemCommands)
{
    AltKey(VK_SPACE);
    Keys("C");
    Pump();
    EXPECT_EQ(Log("WM_SYSCOMMAND"), std::vector<std::string>{"WM_SYSCOMMAND 0xF060"});
    HMENU system = GetSystemMenu(frame, FALSE);
    EXPECT_EQ(GetMenuState(system, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED))
        << "a window that is neither minimised nor maximised cannot be restored";
    EXPECT_EQ(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MenuBars, AltMinusOpensADocumentWindowsSystemMenuInTheBar)
{
    // What a maximised document window puts first in its frame's bar; its
    // commands go to the frame, which hands them on to the document window.
    HMENU documentMenu = CreatePopupMenu();
    AppendMenu(documentMenu, MF_STRING, SC_CLOSE, "&Close\tCtrl+F4");
    MENUITEMINFO icon{};
    icon.cbSize = sizeof icon;
    icon.fMask = MIIM_TYPE | MIIM_SUBMENU;
    icon.fType = MFT_BITMAP;
    icon.dwTypeData = reinterpret_cast<LPSTR>(HBMMENU_SYSTEM);
    icon.hSubMenu = documentMenu;
    ASSERT_TRUE(InsertMenuItem(bar, 0, TRUE, &icon));
    DrawMenuBar(frame);
    AltKey(VK_OEM_MINUS);
    Keys("C");
    Pump();
    EXPECT_EQ(Commands(), std::vector<std::string>{"WM_COMMAND 0xF060 0x0"});
    EXPECT_TRUE(Log("WM_SYSCOMMAND").empty());
}

TEST_F(MenuBars, SystemMenuIsTheWindowsOwnCopyUntilReverted)
{
    HMENU system = GetSystemMenu(frame, FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(GetSystemMenu(frame, FALSE), system);
    EXPECT_EQ(GetMenuItemCount(system), 7);
    EXPECT_EQ(GetMenuDefaultItem(system, FALSE, 0), static_cast<UINT>(SC_CLOSE));
    DeleteMenu(system, SC_SIZE, MF_BYCOMMAND);
    EXPECT_EQ(GetSystemMenu(frame, TRUE), nullptr);
    EXPECT_FALSE(IsMenu(system));
    HMENU fresh = GetSystemMenu(frame, FALSE);
    EXPECT_NE(fresh, system);
    EXPECT_EQ(GetMenuItemCount(fresh), 7);
}

}  // namespace
}  // namespace tw::menu::test
