// Popup menus on the headless screen, opened as context menus for a window:
// where they land, how the keys move through them and what they run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <map>
#include <string>
#include <vector>

#include "platform/display/Display.h"

#include "platform/mfc/CRecentFileList.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ScopedAppNames.h"
#include "tests/support/window/RecordingSpawner.h"
#include "platform/shell/ShellLauncher.h"
#include "tests/support/ui/KtvControlTest.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/controls/KtvPMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvRegPath.h"

namespace {

using menutest::Cmd;
using menutest::Item;
using menutest::Sep;
using menutest::Sub;

// The window a menu works for: a frame that handles the commands of the
// test menus (so they are enabled) and notes each one it runs.
class CommandFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;

protected:
    void OnCommandRange(UINT nID) { commands.push_back(nID); }
    void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, CFrameWnd)
    ON_COMMAND_RANGE(100, 999, OnCommandRange)
    ON_UPDATE_COMMAND_UI_RANGE(100, 999, OnUpdateRange)
END_MESSAGE_MAP()

class PopupMenuTest : public tw::test::KtvControlTest {
protected:
    void SetUp() override
    {
        KtvPrepareUiTest();
        KtvControlTest::SetUp();
        CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
        CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
        CKtvPPopupMenu::m_bForceShadow = TRUE;   // as the program's main frame sets it
        frame = new CommandFrame;  // a frame deletes itself with its window
        ASSERT_TRUE(frame->Create(nullptr, _T("Owner"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 400, 300)));
    }
    void TearDown() override
    {
        if (CKtvPPopupMenu::m_pActivePopupMenu != nullptr &&
            ::IsWindow(CKtvPPopupMenu::m_pActivePopupMenu->GetSafeHwnd()))
            CKtvPPopupMenu::m_pActivePopupMenu->SendMessage(WM_CLOSE);
        PumpFiltered();
        for (HMENU hMenu : menus)
            ::DestroyMenu(hMenu);
        CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
        CKtvPPopupMenu::m_bForceShadow = FALSE;
        // Menus play their sounds on a worker; it ends with the test, not at exit.
        CKtvPMenuSound::Terminate();
        if (::IsWindow(hwndFrame()))
            frame->DestroyWindow();
        KtvControlTest::TearDown();
    }

    HMENU Menu(const std::vector<Item>& items)
    {
        menus.push_back(menutest::Build(items));
        return menus.back();
    }

    CKtvPPopupMenu* Show(HMENU hMenu, int x, int y)
    {
        CKtvPPopupMenu* pPopup = manager.ShowPopupMenu(hMenu, x, y, frame);
        PumpFiltered();
        return pPopup;
    }

    static CRect WindowRect(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect;
    }

    static void Press(CKtvPPopupMenu* pPopup, UINT vk) { pPopup->SendMessage(WM_KEYDOWN, vk, 0); }

    std::vector<UINT> Commands() const { return frame->commands; }
    HWND hwndFrame() const { return frame != nullptr ? frame->GetSafeHwnd() : nullptr; }

    CommandFrame* frame = nullptr;
    CKtvPContextMenuManager manager;
    std::vector<HMENU> menus;
};

TEST_F(PopupMenuTest, OpensAtThePointWithItsItemsAndShadow)
{
    const HWND hwndActive = ::GetActiveWindow();
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "&Open"), Sep(), Cmd(101, "&Save")}), 100, 120);
    ASSERT_NE(pPopup, nullptr);
    ASSERT_TRUE(::IsWindow(pPopup->GetSafeHwnd()));

    EXPECT_EQ(WindowRect(pPopup).TopLeft(), CPoint(100, 120));
    EXPECT_EQ(pPopup->GetMenuItemCount(), 3);
    EXPECT_TRUE(pPopup->GetExStyle() & WS_EX_TOPMOST);
    // The window is the menu plus its shadow on the right and at the bottom.
    EXPECT_EQ(WindowRect(pPopup).Width(), pPopup->m_sizeFinal.cx + pPopup->m_nShadowDepth);
    EXPECT_EQ(WindowRect(pPopup).Height(), pPopup->m_sizeFinal.cy + pPopup->m_nShadowDepth);
    EXPECT_EQ(::GetActiveWindow(), hwndActive);
}

TEST_F(PopupMenuTest, KeysMoveAndEnterRunsTheCommandOnTheOwner)
{
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "A"), Sep(), Cmd(101, "B"), Cmd(102, "C")}), 100, 100);
    ASSERT_NE(pPopup, nullptr);
    CKtvPPopupMenuBar* pBar = pPopup->GetMenuBar();
    const HWND hwndPopup = pPopup->GetSafeHwnd();

    // Down from nothing is the first item; the separator is stepped over; Up wraps.
    Press(pPopup, VK_DOWN);
    EXPECT_EQ(pBar->m_iHighlighted, 0);
    Press(pPopup, VK_DOWN);
    EXPECT_EQ(pBar->m_iHighlighted, 2);
    Press(pPopup, VK_END);
    EXPECT_EQ(pBar->m_iHighlighted, 3);
    Press(pPopup, VK_DOWN);
    EXPECT_EQ(pBar->m_iHighlighted, 0);
    Press(pPopup, VK_UP);
    EXPECT_EQ(pBar->m_iHighlighted, 3);

    Press(pPopup, VK_RETURN);
    PumpFiltered();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(Commands(), std::vector<UINT>{102});
}

// An item's letter runs it. Letters that share their key code with a keypad
// key (A to I) are letters here, and a keypad digit is its digit.
TEST_F(PopupMenuTest, ItemLettersRunTheirItems)
{
    struct Case {
        UINT vk;
        UINT expected;
    };
    const Case cases[] = {{'A', 100}, {'D', 101}, {'S', 102}, {VK_NUMPAD2, 103}, {'3', 104}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        frame->commands.clear();
        CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "&About"), Cmd(101, "&Delete"), Cmd(102, "&Save"),
                                            Cmd(103, "&2 Second"), Cmd(104, "&3 Third")}),
                                      100, 100);
        ASSERT_NE(pPopup, nullptr);
        const HWND hwndPopup = pPopup->GetSafeHwnd();
        Press(pPopup, c.vk);
        PumpFiltered();
        EXPECT_FALSE(::IsWindow(hwndPopup));
        EXPECT_EQ(Commands(), std::vector<UINT>{c.expected});
    }
}

TEST_F(PopupMenuTest, EscapeClosesWithoutCommand)
{
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "&Alpha"), Cmd(101, "&Beta")}), 100, 100);
    ASSERT_NE(pPopup, nullptr);
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    Press(pPopup, VK_ESCAPE);
    PumpFiltered();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PopupMenuTest, SecondContextMenuClosesTheFirst)
{
    CKtvPPopupMenu* pFirst = Show(Menu({Cmd(100, "A")}), 100, 100);
    ASSERT_NE(pFirst, nullptr);
    const HWND hwndFirst = pFirst->GetSafeHwnd();
    CKtvPPopupMenu::m_pActivePopupMenu = pFirst;
    CKtvPPopupMenu* pSecond = Show(Menu({Cmd(200, "B")}), 150, 150);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_FALSE(::IsWindow(hwndFirst));
    EXPECT_TRUE(::IsWindow(pSecond->GetSafeHwnd()));
}

// Sub-menus open to the right of their item; at the screen's right edge to
// the left of the parent menu; a menu that fits on neither side is pushed
// against the work area's left edge.
TEST_F(PopupMenuTest, SubMenuOpensLeftOfItsParentAtTheRightEdge)
{
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);

    struct Case {
        int x;
        int expectedDirection;
    };
    for (const Case& c : {Case{100, CKtvPPopupMenu::DROP_DIRECTION_NONE},
                          Case{(int)rectWork.right - 60, CKtvPPopupMenu::DROP_DIRECTION_LEFT}}) {
        SCOPED_TRACE(c.x);
        CKtvPPopupMenu* pPopup =
            Show(Menu({Cmd(100, "A"), Sub("&More", {Cmd(200, "Something longer"), Cmd(201, "B")})}), c.x, 100);
        ASSERT_NE(pPopup, nullptr);
        Press(pPopup, VK_DOWN);
        Press(pPopup, VK_DOWN);
        Press(pPopup, VK_RIGHT);
        PumpFiltered();

        auto* pItem = pPopup->GetSelItem();
        ASSERT_NE(pItem, nullptr);
        ASSERT_NE(pItem->m_pPopupMenu, nullptr);
        CKtvPPopupMenu* pSub = pItem->m_pPopupMenu;
        const CRect rectParent = WindowRect(pPopup);
        const CRect rectSub = WindowRect(pSub);
        EXPECT_EQ(pSub->m_nDropDirection, c.expectedDirection);
        if (c.expectedDirection == CKtvPPopupMenu::DROP_DIRECTION_LEFT)
            EXPECT_EQ(rectSub.left, rectParent.left - pSub->m_sizeFinal.cx);
        else
            EXPECT_GT(rectSub.left, rectParent.left + pPopup->m_sizeFinal.cx - 10);
        EXPECT_LE(rectSub.left + pSub->m_sizeFinal.cx, rectWork.right);
        if (c.expectedDirection == CKtvPPopupMenu::DROP_DIRECTION_LEFT) {
            pPopup->UpdateWindow();
            pSub->UpdateWindow();
            EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(
                std::string(TW_COMMANDBARS_TEST_BINARY_DIR) + "/menu-chain-right-edge.png"));
        }

        // Esc closes only the sub-menu.
        const HWND hwndSub = pSub->GetSafeHwnd();
        Press(pSub, VK_ESCAPE);
        PumpFiltered();
        EXPECT_FALSE(::IsWindow(hwndSub));
        EXPECT_TRUE(::IsWindow(pPopup->GetSafeHwnd()));
        Press(pPopup, VK_ESCAPE);
        PumpFiltered();
    }
}

TEST_F(PopupMenuTest, MenuTallerThanTheScreenScrollsEvery80Ms)
{
    std::vector<Item> items;
    for (UINT i = 0; i < 80; i++)
        items.push_back(Cmd(100 + i, "Item"));
    CKtvPPopupMenu* pPopup = Show(Menu(items), 100, 100);
    ASSERT_NE(pPopup, nullptr);
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    EXPECT_TRUE(pPopup->m_bScrollable);
    EXPECT_LE(WindowRect(pPopup).bottom, rectWork.bottom + pPopup->m_nShadowDepth);
    ASSERT_TRUE(pPopup->CanScrollDown());
    ASSERT_FALSE(pPopup->m_rectScrollDown.IsRectEmpty());

    // Resting on the down button scrolls one item per 80 ms.
    const CRect rectDown = pPopup->m_rectScrollDown;
    const CPoint ptDown = rectDown.CenterPoint();
    POINT pt = ScreenPointOf(pPopup->GetSafeHwnd(), ptDown.x, ptDown.y);
    input.MouseMove(pt.x, pt.y);
    PumpFiltered();
    pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptDown.x, ptDown.y));
    EXPECT_EQ(pPopup->GetMenuBar()->m_iScrollOffset, 0);
    for (int step = 1; step <= 3; step++) {
        tw::ProcessClock::Advance(80);
        PumpFiltered();
        EXPECT_EQ(pPopup->GetMenuBar()->m_iScrollOffset, step);
    }
    EXPECT_TRUE(pPopup->CanScrollUp());
}

TEST_F(PopupMenuTest, TrackReturnsTheChosenIdAndPostsNothing)
{
    HMENU hMenu = Menu({Cmd(100, "A"), Cmd(101, "B")});
    answer = [](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message != WM_APP)
            return false;
        CKtvPPopupMenu* pActive = CKtvPPopupMenu::m_pActivePopupMenu;
        if (pActive != nullptr) {
            pActive->SendMessage(WM_KEYDOWN, VK_DOWN);
            pActive->SendMessage(WM_KEYDOWN, VK_DOWN);
            pActive->SendMessage(WM_KEYDOWN, VK_RETURN);
        }
        return true;
    };
    host.PostMessage(WM_APP);
    EXPECT_EQ(manager.TrackPopupMenu(hMenu, 100, 100, frame), 101u);
    PumpFiltered();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
}

TEST_F(PopupMenuTest, QuitDuringTrackClosesTheMenuAndIsPostedAgain)
{
    HMENU hMenu = Menu({Cmd(100, "A")});
    ::PostQuitMessage(3);
    EXPECT_EQ(manager.TrackPopupMenu(hMenu, 100, 100, frame), 0u);
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);

    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace

namespace {

// Registered context menus: names, lookups, where a menu opens for a window
// and what the manager stores of them.
class ContextMenuRegistryTest : public PopupMenuTest {
protected:
    // The program's registry root, under which the stored menus go.
    tw::test::ScopedAppNames names{_T("Tarnwick"), _T("Corvane")};

    // The popup menu window on the screen, if any.
    static CKtvPPopupMenu* OpenPopup()
    {
        for (HWND hwnd : tw::test::TopLevelWindows(true)) {
            if (auto* pPopup = DYNAMIC_DOWNCAST(CKtvPPopupMenu, CWnd::FromHandlePermanent(hwnd)))
                return pPopup;
        }
        return nullptr;
    }

    static CString StoredKey(UINT uiResId)
    {
        CString strKey;
        strKey.Format(_T("%sKtvToolBar-%d%x"), static_cast<LPCTSTR>(KtvGetRegPath(_T("KtvContextMenuManager"))), 0,
                      uiResId);
        return strKey;
    }
    static BOOL KeyExists(const CString& strKey)
    {
        CKtvPRegistry reg(FALSE, TRUE);
        return reg.Open(strKey);
    }
};

TEST_F(ContextMenuRegistryTest, NamesLookupsAndPlacement)
{
    menutest::RegisterMenuResource(9301, {Cmd(100, "Cu&t"), Cmd(101, "&Copy")});
    menutest::RegisterMenuResource(9302, {Cmd(200, "&Paste")});

    EXPECT_TRUE(manager.AddMenu(_T("Edit menu"), 9301));
    EXPECT_TRUE(manager.AddMenu(_T("Paste menu"), 9302));
    EXPECT_FALSE(manager.AddMenu(_T("Second name"), 9301)) << "a resource registers once";
    EXPECT_FALSE(manager.AddMenu(_T("Missing"), 9399));

    CStringList names;
    manager.GetMenuNames(names);
    EXPECT_EQ(names.GetCount(), 2);
    EXPECT_EQ(names.Find(_T("Second name")), nullptr);

    UINT uiResId = 0;
    EXPECT_NE(manager.GetMenuByName(_T("Paste menu"), &uiResId), nullptr);
    EXPECT_EQ(uiResId, 9302u);
    EXPECT_EQ(manager.GetMenuByName(_T("paste menu")), nullptr) << "names compare exactly";
    EXPECT_FALSE(manager.ShowPopupMenu(9399u, 10, 10, frame));

    // At (-1, -1) the menu opens 5 pixels inside the owner's client corner.
    ASSERT_TRUE(manager.ShowPopupMenu(9301u, -1, -1, frame));
    PumpFiltered();
    CPoint ptCorner(0, 0);
    frame->ClientToScreen(&ptCorner);
    CKtvPPopupMenu* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(WindowRect(pPopup).TopLeft(), ptCorner + CPoint(5, 5));
}

// Only customised menus are stored; a reset removes the stored layout too,
// so the next start does not bring the old one back.
TEST_F(ContextMenuRegistryTest, StoresCustomisedMenusAndResetForgetsThem)
{
    menutest::RegisterMenuResource(9311, {Cmd(100, "Cu&t"), Cmd(101, "&Copy")});
    ASSERT_TRUE(manager.AddMenu(_T("Edit menu"), 9311));
    HMENU hSub = ::GetSubMenu(manager.GetMenuByName(_T("Edit menu")), 0);

    EXPECT_TRUE(manager.SaveState());
    EXPECT_FALSE(KeyExists(StoredKey(9311))) << "nothing customised, nothing stored";

    // The Menu page's edit: the menu keeps only its first item.
    CKtvPPopupMenuBar bar;
    ASSERT_TRUE(bar.Create(CWnd::FromHandle(::GetDesktopWindow()), 0x50402808, 0xE800));
    ASSERT_TRUE(bar.ImportFromMenu(hSub, TRUE));
    bar.RemoveButton(1);
    ASSERT_TRUE(g_SnapshotStore.SaveMenuBar(hSub, &bar));
    bar.DestroyWindow();

    EXPECT_TRUE(manager.SaveState());
    EXPECT_TRUE(KeyExists(StoredKey(9311)));

    // A new session loads the stored layout back into a snapshot.
    g_SnapshotStore.RemoveMenu(hSub);
    EXPECT_TRUE(manager.LoadState());
    CKtvPPopupMenuBar loaded;
    EXPECT_TRUE(g_SnapshotStore.LoadMenuBar(hSub, &loaded));
    EXPECT_EQ(loaded.GetCount(), 1);

    EXPECT_TRUE(manager.ResetState());
    EXPECT_FALSE(g_SnapshotStore.LoadMenuBar(hSub, &loaded));
    EXPECT_FALSE(KeyExists(StoredKey(9311)));
}

}  // namespace

namespace {

// The pointer resting on a sub-menu item opens it after the menu delay;
// moving to a sibling closes it a millisecond before the delay ends, and
// coming back in time keeps it open.
TEST_F(PopupMenuTest, SubMenusFollowThePointerOnTheMenuDelay)
{
    CKtvPPopupMenuBar::m_nMenuShowDelay = 400;
    CKtvPPopupMenu* pPopup =
        Show(Menu({Cmd(100, "Plain item"), Sub("Sub-menu", {Cmd(200, "Inner")}), Cmd(101, "Other")}), 100, 100);
    ASSERT_NE(pPopup, nullptr);
    CKtvPPopupMenuBar* pBar = pPopup->GetMenuBar();
    auto* pSubItem = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pBar->GetButton(1));
    ASSERT_NE(pSubItem, nullptr);

    const auto moveTo = [&](int iItem) {
        const CPoint pt = pBar->GetButton(iItem)->m_rect.CenterPoint();
        const POINT ptScreen = ScreenPointOf(pBar->GetSafeHwnd(), pt.x, pt.y);
        input.MouseMove(ptScreen.x, ptScreen.y);
        PumpFiltered();
    };
    moveTo(0);   // the first move after the menu appeared only arms the bar
    moveTo(1);
    tw::ProcessClock::Advance(399);
    PumpFiltered();
    EXPECT_EQ(pSubItem->m_pPopupMenu, nullptr);
    tw::ProcessClock::Advance(1);
    PumpFiltered();
    ASSERT_NE(pSubItem->m_pPopupMenu, nullptr);

    // To a sibling and back within the delay: the sub-menu stays.
    moveTo(2);
    EXPECT_TRUE(pSubItem->m_bToBeClosed);
    tw::ProcessClock::Advance(200);
    moveTo(1);
    tw::ProcessClock::Advance(400);
    PumpFiltered();
    EXPECT_NE(pSubItem->m_pPopupMenu, nullptr);
    EXPECT_FALSE(pSubItem->m_bToBeClosed);

    // To a sibling for good: closed after the delay less one millisecond.
    moveTo(2);
    tw::ProcessClock::Advance(398);
    PumpFiltered();
    EXPECT_NE(pSubItem->m_pPopupMenu, nullptr);
    tw::ProcessClock::Advance(1);
    PumpFiltered();
    EXPECT_EQ(pSubItem->m_pPopupMenu, nullptr);
    CKtvPPopupMenuBar::m_nMenuShowDelay = -1;
}

}  // namespace

namespace {

// A dialog's menu button opens a library menu when the program has context
// menus, and reports the command chosen in it.
TEST_F(PopupMenuTest, MenuButtonTracksThroughTheContextMenus)
{
    HMENU hMenu = Menu({Cmd(501, "Profiles..."), Cmd(502, "Servers...")});
    auto* pButton = new CKtvPMenuButton;
    ASSERT_TRUE(pButton->Create(_T("Options"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 120, 44), &host, 60));
    pButton->m_Menu = hMenu;

    answer = [](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message != WM_APP)
            return false;
        if (CKtvPPopupMenu* pActive = CKtvPPopupMenu::m_pActivePopupMenu) {
            pActive->SendMessage(WM_KEYDOWN, VK_END);
            pActive->SendMessage(WM_KEYDOWN, VK_RETURN);
        }
        return true;
    };
    host.PostMessage(WM_APP);
    pButton->OnShowMenu();
    EXPECT_EQ(pButton->m_MenuResult, 502);
    EXPECT_FALSE(pButton->m_MenuActive);
    EXPECT_TRUE(Commands().empty()) << "the choice is the button's, not a command of the frame";
    pButton->DestroyWindow();
    delete pButton;
}

}  // namespace

namespace {

COLORREF ScreenColour(int x, int y) { return tw::display::Display::Instance().GetScreen().PixelColor(x, y); }

// Each channel of a fade frame: what was behind times (100 - p) percent plus
// the menu times p percent, give or take the rounding of one division.
bool IsBlend(COLORREF got, COLORREF back, COLORREF menu, int nPercent)
{
    const auto channel = [&](int b, int m, int g) {
        const int expected = (b * (100 - nPercent) + m * nPercent) / 100;
        return std::abs(g - expected) <= 1;
    };
    return channel(GetRValue(back), GetRValue(menu), GetRValue(got)) &&
           channel(GetGValue(back), GetGValue(menu), GetGValue(got)) &&
           channel(GetBValue(back), GetBValue(menu), GetBValue(got));
}

// Slide uncovers one more row per 30 ms step and unfold a column and a row;
// a late tick makes up the steps it missed; unfold is done as soon as one
// direction is complete.
TEST_F(PopupMenuTest, OpeningAnimationsGrowOneStepPer30Ms)
{
    std::vector<Item> items;
    for (UINT i = 0; i < 8; i++)
        items.push_back(Cmd(100 + i, "Item"));

    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::SLIDE;
    CKtvPPopupMenu* pSlide = Show(Menu(items), 100, 100);
    ASSERT_NE(pSlide, nullptr);
    const int nRow = pSlide->GetMenuBar()->GetRowHeight();
    const int nShadow = pSlide->m_nShadowDepth;
    const CSize sizeFull(pSlide->m_sizeFinal.cx + nShadow, pSlide->m_sizeFinal.cy + nShadow);
    const CRect rectWindow = WindowRect(pSlide);
    EXPECT_FALSE(pSlide->m_bAnimationDone);
    EXPECT_FALSE(pSlide->GetMenuBar()->IsWindowVisible()) << "the popup paints the bar's picture meanwhile";
    EXPECT_EQ(pSlide->m_sizeAnim, CSize(sizeFull.cx, nRow));

    struct Tick {
        int ms;
        int rows;
    };
    for (const Tick& t : {Tick{30, 2}, Tick{95, 5}, Tick{30, 6}}) {
        tw::ProcessClock::Advance(t.ms);
        PumpFiltered();
        EXPECT_EQ(pSlide->m_sizeAnim, CSize(sizeFull.cx, t.rows * nRow)) << "after " << t.ms << " ms";
        EXPECT_FALSE(pSlide->m_bAnimationDone);
    }
    for (int n = 0; n < 10 && !pSlide->m_bAnimationDone; n++) {
        tw::ProcessClock::Advance(30);
        PumpFiltered();
    }
    EXPECT_TRUE(pSlide->m_bAnimationDone);
    EXPECT_EQ(pSlide->m_sizeAnim, sizeFull);
    EXPECT_TRUE(pSlide->GetMenuBar()->IsWindowVisible());
    EXPECT_EQ(WindowRect(pSlide), rectWindow) << "the window keeps its size throughout";
    Press(pSlide, VK_ESCAPE);
    PumpFiltered();

    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::UNFOLD;
    CKtvPPopupMenu* pUnfold = Show(Menu(items), 100, 100);
    ASSERT_NE(pUnfold, nullptr);
    const int nColumn = pUnfold->GetMenuBar()->GetColumnWidth();
    EXPECT_EQ(pUnfold->m_sizeAnim, CSize(nColumn, nRow));
    int nSteps = 0;
    while (!pUnfold->m_bAnimationDone && nSteps < 20) {
        tw::ProcessClock::Advance(30);
        PumpFiltered();
        nSteps++;
        const CSize sizeStep(nColumn * (nSteps + 1), nRow * (nSteps + 1));
        const bool bComplete =
            sizeStep.cx - nShadow >= pUnfold->m_sizeFinal.cx || sizeStep.cy - nShadow >= pUnfold->m_sizeFinal.cy;
        EXPECT_EQ(pUnfold->m_bAnimationDone, bComplete ? TRUE : FALSE) << "step " << nSteps;
        EXPECT_EQ(pUnfold->m_sizeAnim, bComplete ? sizeFull : sizeStep) << "step " << nSteps;
    }
    EXPECT_LT(nRow * (nSteps + 1) - nShadow, pUnfold->m_sizeFinal.cy) << "the width finished it, not the height";
    Press(pUnfold, VK_ESCAPE);
    PumpFiltered();
    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
}

// A fade shows the menu over what was behind it, ten percent more per tick,
// and is done on the eleventh.
TEST_F(PopupMenuTest, FadeBlendsTheMenuOverWhatWasBehindIt)
{
    const CPoint at(100, 100);
    std::vector<CPoint> probes;   // screen points inside the menu
    for (int d = 0; d < 6; d++)
        probes.emplace_back(at.x + d, at.y + d);
    std::vector<COLORREF> before;
    for (const CPoint& p : probes)
        before.push_back(ScreenColour(p.x, p.y));

    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::FADE;
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "&Open"), Cmd(101, "&Save")}), at.x, at.y);
    ASSERT_NE(pPopup, nullptr);
    const CRect rectWindow = WindowRect(pPopup);

    std::vector<std::vector<COLORREF>> frames;   // per tick, per probe
    int nTicks = 0;
    while (!pPopup->m_bAnimationDone && nTicks < 20) {
        tw::ProcessClock::Advance(30);
        PumpFiltered();
        nTicks++;
        std::vector<COLORREF> frame;
        for (const CPoint& p : probes)
            frame.push_back(ScreenColour(p.x, p.y));
        frames.push_back(frame);
        EXPECT_EQ(WindowRect(pPopup), rectWindow) << "a fade never changes the window's size";
    }
    EXPECT_EQ(nTicks, 11);
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFiltered();

    int nDiffering = 0;
    for (size_t i = 0; i < probes.size(); i++) {
        const COLORREF menu = ScreenColour(probes[i].x, probes[i].y);
        if (menu == before[i])
            continue;
        nDiffering++;
        for (int k = 1; k <= 9 && k <= (int)frames.size(); k++) {
            SCOPED_TRACE("probe " + std::to_string(i) + " at " + std::to_string(10 * k) + "%");
            EXPECT_TRUE(IsBlend(frames[k - 1][i], before[i], menu, 10 * k))
                << std::hex << frames[k - 1][i] << " between " << before[i] << " and " << menu;
        }
    }
    EXPECT_GT(nDiffering, 0) << "some probe must lie where the menu differs from its background";
    Press(pPopup, VK_ESCAPE);
    PumpFiltered();
    CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
}

// A menu opened near the bottom of the screen opens upward from its point;
// one dropped from a bar button there opens above the button.
TEST_F(PopupMenuTest, NearTheBottomEdgeMenusOpenUpward)
{
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    const int y = rectWork.bottom - 10;
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "A"), Cmd(101, "B"), Cmd(102, "C")}), 100, y);
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(WindowRect(pPopup).top, y - pPopup->m_sizeFinal.cy);
    EXPECT_EQ(WindowRect(pPopup).left, 100);
    EXPECT_FALSE(pPopup->m_bScrollable);
    Press(pPopup, VK_ESCAPE);
    PumpFiltered();
}

}  // namespace

namespace {

// Items as a menu paints them: the chosen one on the highlight colour to its
// right edge, its label in the highlight text colour; the others on the menu's
// face in the button text colour; a greyed one in the grey text colour. Text
// is smoothed, so each label is judged by its inkiest pixel.
TEST_F(PopupMenuTest, ItemsPaintTheirStates)
{
    // 1500 has no handler in the frame, so the greyed item stays greyed.
    CKtvPPopupMenu* pPopup =
        Show(Menu({Cmd(100, "Alpha"), Cmd(101, "Beta"), Cmd(1500, "Gamma", MF_GRAYED)}), 100, 100);
    ASSERT_NE(pPopup, nullptr);
    Press(pPopup, VK_DOWN);
    CKtvPPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(pBar->m_iHighlighted, 0);
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFiltered();

    const HWND hwndBar = pBar->GetSafeHwnd();
    const auto distance = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b));
    };
    // The most common colour of an item's label half, and the pixel farthest from it.
    const auto backgroundAndInk = [&](int iItem) {
        const CRect rect = pPopup->GetMenuItem(iItem)->m_rect;
        std::map<COLORREF, int> histogram;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left + rect.Width() / 4; x < rect.right - 1; x++)
                histogram[ScreenPixel(hwndBar, x, y)]++;
        COLORREF background = 0;
        int nMost = 0;
        for (const auto& [clr, n] : histogram) {
            if (n > nMost) {
                nMost = n;
                background = clr;
            }
        }
        COLORREF ink = background;
        for (const auto& entry : histogram) {
            if (distance(entry.first, background) > distance(ink, background))
                ink = entry.first;
        }
        return std::make_pair(background, ink);
    };
    const CRect rectAlpha = pPopup->GetMenuItem(0)->m_rect;
    EXPECT_EQ(ScreenPixel(hwndBar, rectAlpha.right - 2, rectAlpha.CenterPoint().y), globalData.clrHilite);

    struct Case {
        int item;
        COLORREF background;
        COLORREF text;
        COLORREF notText;
    } const cases[] = {
        {0, globalData.clrHilite, globalData.clrTextHilite, globalData.clrBtnText},
        {1, globalData.clrBtnFace, globalData.clrBtnText, globalData.clrGrayedText},
        {2, globalData.clrBtnFace, globalData.clrGrayedText, globalData.clrBtnText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        const auto [background, ink] = backgroundAndInk(c.item);
        EXPECT_EQ(background, c.background);
        EXPECT_LT(distance(ink, c.text), distance(ink, c.notText)) << std::hex << ink;
    }
}

}  // namespace

namespace {

// A menu that opens with an item under the pointer does not take the release
// of the click that opened it; once the pointer has moved, a click runs it.
TEST_F(PopupMenuTest, ReleaseOverAnItemThatAppearedUnderThePointerRunsNothing)
{
    const POINT at = ScreenPointOf(hwndFrame(), 150, 120);
    input.MouseMove(at.x, at.y);
    input.ButtonDown(tw::display::MouseButton::Left, at.x, at.y);
    PumpFiltered();
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "Alpha"), Cmd(101, "Beta")}), at.x - 10, at.y - 8);
    ASSERT_NE(pPopup, nullptr);
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    input.ButtonUp(tw::display::MouseButton::Left, at.x, at.y);
    PumpFiltered();
    EXPECT_TRUE(::IsWindow(hwndPopup));
    EXPECT_TRUE(Commands().empty());

    input.MouseMove(at.x + 2, at.y);
    PumpFiltered();
    input.MouseMove(at.x, at.y);
    PumpFiltered();
    input.Click(tw::display::MouseButton::Left, at.x, at.y);
    PumpFiltered();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(Commands(), std::vector<UINT>{100});
}

}  // namespace

namespace {

// A menu given a width limit is no wider than it; only the items that would
// pass it may be shortened.
TEST_F(PopupMenuTest, AWidthLimitNarrowsTheMenuAndLetsOnlyLongItemsBeShortened)
{
    const int nLimit = 90;
    auto* pPopup = new CKtvPPopupMenu;   // deletes itself with its window
    pPopup->m_nMaxMenuWidth = nLimit;
    ASSERT_TRUE(pPopup->Create(frame, 100, 100,
                               Menu({Cmd(100, "Go"), Cmd(101, "A label far too long for the narrow menu")})));
    PumpFiltered();
    const HWND hwndPopup = pPopup->GetSafeHwnd();
    CKtvPPopupMenuBar* pBar = pPopup->GetMenuBar();
    EXPECT_EQ(pBar->CalcMaxButtonSize(TRUE).cx, nLimit);
    EXPECT_TRUE(pPopup->GetMenuItem(0)->m_bWholeText);
    EXPECT_FALSE(pPopup->GetMenuItem(1)->m_bWholeText);
    EXPECT_LE(pPopup->GetMenuItem(1)->m_rect.Width(), nLimit);
    if (::IsWindow(hwndPopup))
        ::SendMessage(hwndPopup, WM_CLOSE, 0, 0);
    PumpFiltered();
}

}  // namespace

namespace {

// Tab walks a menu down like the Down arrow, Shift+Tab up like the Up arrow.
TEST_F(PopupMenuTest, TabAndShiftTabWalkTheItems)
{
    CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "A"), Sep(), Cmd(101, "B"), Cmd(102, "C")}), 100, 100);
    ASSERT_NE(pPopup, nullptr);
    CKtvPPopupMenuBar* pBar = pPopup->GetMenuBar();
    struct Step {
        bool shift;
        int expected;
    } const steps[] = {{false, 0}, {false, 2}, {false, 3}, {false, 0}, {true, 3}, {true, 2}, {true, 0}};
    for (const Step& s : steps) {
        if (s.shift) {
            input.KeyDown(VK_SHIFT);
            PumpFiltered();
        }
        Press(pPopup, VK_TAB);
        if (s.shift) {
            input.KeyUp(VK_SHIFT);
            PumpFiltered();
        }
        EXPECT_EQ(pBar->m_iHighlighted, s.expected) << (s.shift ? "Shift+Tab" : "Tab");
    }
}

}  // namespace

namespace {

// The recent-file item of a menu stands for the application's recent files,
// numbered, files of the current folder by their bare names; with none, the
// item goes and the separators around it do not double.
TEST_F(PopupMenuTest, TheRecentFileItemBecomesTheRecentFiles)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT_NE(pApp, nullptr);
    CRecentFileList* pSaved = pApp->m_pRecentFileList;
    char szDir[MAX_PATH] = {};
    ::GetCurrentDirectory(MAX_PATH, szDir);

    struct Case {
        std::vector<std::string> added;   // oldest first
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {{std::string(szDir) + "/one.sql", "/elsewhere/two.sql"},
         {"&Open", "", "&1 /elsewhere/two.sql", "&2 one.sql", "", "E&xit"}},
        {{}, {"&Open", "", "E&xit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added.size());
        CRecentFileList list(0, _T("Recent File List"), _T("File%d"), 4);
        for (const std::string& path : c.added)
            list.Add(path.c_str());
        pApp->m_pRecentFileList = &list;
        CKtvPPopupMenu* pPopup =
            Show(Menu({Cmd(100, "&Open"), Sep(), Cmd(0xE110, "Recent File"), Sep(), Cmd(0xE141, "E&xit")}), 100, 100);
        ASSERT_NE(pPopup, nullptr);
        std::vector<std::string> labels;
        for (int i = 0; i < pPopup->GetMenuItemCount(); i++)
            labels.emplace_back(pPopup->GetMenuItem(i)->m_strText);
        EXPECT_EQ(labels, c.labels);
        if (!c.added.empty()) {
            EXPECT_EQ(pPopup->GetMenuItem(2)->m_nID, 0xE110u);
            EXPECT_EQ(pPopup->GetMenuItem(3)->m_nID, 0xE111u);
        }
        Press(pPopup, VK_ESCAPE);
        PumpFiltered();
        pApp->m_pRecentFileList = pSaved;
    }
}

}  // namespace

namespace {

// The user-tools item of a menu stands for the user's tools, set apart by
// separators; with no tools it goes without leaving a doubled separator.
TEST_F(PopupMenuTest, TheUserToolsItemBecomesTheTools)
{
    struct Case {
        std::vector<std::string> tools;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {{"Format SQL", "Compare"}, {"&Customize...", "", "Format SQL", "Compare", "", "&Options"}},
        {{}, {"&Customize...", "", "&Options"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tools.size());
        CKtvPUserToolsManager tools(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
        for (const std::string& label : c.tools) {
            CKtvPUserTool* pTool = tools.CreateNewTool();
            ASSERT_NE(pTool, nullptr);
            pTool->m_strLabel = label.c_str();
        }
        CKtvPPopupMenu* pPopup =
            Show(Menu({Cmd(100, "&Customize..."), Cmd(32805, "User Tools"), Sep(), Cmd(101, "&Options")}), 100, 100);
        ASSERT_NE(pPopup, nullptr);
        std::vector<std::string> labels;
        for (int i = 0; i < pPopup->GetMenuItemCount(); i++)
            labels.emplace_back(pPopup->GetMenuItem(i)->m_strText);
        EXPECT_EQ(labels, c.labels);
        Press(pPopup, VK_ESCAPE);
        PumpFiltered();
    }
}

}  // namespace

namespace {

// A chosen item is posted to the window the menu works for and counted as a
// use of its command; a tool's item starts the tool and posts nothing.
TEST_F(PopupMenuTest, AChosenItemIsCountedAndAToolsItemStartsTheTool)
{
    CKtvPUserToolsManager tools(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
    CKtvPUserTool* pTool = tools.CreateNewTool();
    ASSERT_NE(pTool, nullptr);
    pTool->m_strLabel = "Notes";
    std::ofstream("notes.txt") << "a document the shell opens";
    pTool->SetCommand("notes.txt");
    auto spawner = std::make_shared<tw::test::RecordingSpawner>();
    tw::shell::SetProcessSpawner(spawner);
    const UINT nUsesBefore = CKtvPToolBar::m_UsageCount.GetCount(100);

    struct Case {
        UINT key;   // the last key before Enter
        std::vector<UINT> commands;
        size_t runs;
    } const cases[] = {{VK_HOME, {100}, 0}, {VK_END, {100}, 1}};
    for (const Case& c : cases) {
        CKtvPPopupMenu* pPopup = Show(Menu({Cmd(100, "A"), Cmd(101, "B"), Cmd(32805, "User Tools")}), 100, 100);
        ASSERT_NE(pPopup, nullptr);
        Press(pPopup, c.key);
        Press(pPopup, VK_RETURN);
        PumpFiltered();
        EXPECT_EQ(Commands(), c.commands);
        EXPECT_EQ(spawner->runs.size(), c.runs);
    }
    EXPECT_EQ(CKtvPToolBar::m_UsageCount.GetCount(100), nUsesBefore + 1);
    tw::shell::SetProcessSpawner(nullptr);
}

}  // namespace
