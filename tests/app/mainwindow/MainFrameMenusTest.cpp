// The menus and special toolbar buttons the main window fills in itself: the
// current-database box and the date and description buttons (also after a
// toolbar reset), the View/Toolbars list and the toolbar context menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CMenu.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/frames/KtvPCodes.h"

namespace tw::test {
namespace {

using MainFrameMenusTest = MainWindowTest;

// The popup's items as "id text", separators as "-".
std::vector<std::string> MenuItems(CKtvPPopupMenu* pPopup)
{
    std::vector<std::string> items;
    for (int i = 0; i < pPopup->GetMenuItemCount(); i++) {
        const CKtvPToolbarButton* pItem = pPopup->GetMenuItem(i);
        if (pItem->m_nStyle & TBBS_SEPARATOR)
            items.emplace_back("-");
        else
            items.push_back(std::to_string(pItem->m_nID) + " " + static_cast<LPCTSTR>(pItem->m_strText));
    }
    return items;
}

struct ButtonKinds {
    bool databaseBox;
    bool calendar;
    bool description;
};

ButtonKinds KindsOf(CMainFrame* frame)
{
    auto kindAt = [](CKtvPToolBar& bar, UINT nID, CRuntimeClass* pClass) {
        const int i = bar.CommandToIndex(nID);
        return i >= 0 && bar.GetButton(i)->IsKindOf(pClass);
    };
    return {kindAt(frame->m_wndQueryBar, 32854, RUNTIME_CLASS(CKtvPToolbarComboBoxButton)),
            kindAt(frame->m_wndEditBar, 40280, RUNTIME_CLASS(CKtvPCalendarMenuButton)),
            kindAt(frame->m_wndEditBar, 40296, RUNTIME_CLASS(CKtvPToolbarMenuButton))};
}

// The user turned the special buttons into plain ones; resetting a toolbar
// brings them back: the Query toolbar all three, the Edit toolbar its own two,
// any other toolbar none.
TEST_F(MainFrameMenusTest, ResettingAToolbarBringsBackItsSpecialButtons)
{
    const ButtonKinds atStart = KindsOf(frame);
    EXPECT_TRUE(atStart.databaseBox && atStart.calendar && atStart.description);
    EXPECT_EQ(CMainFrame::GetDatabaseCombo(),
              frame->m_wndQueryBar.GetButton(frame->m_wndQueryBar.CommandToIndex(32854)));

    struct Case {
        UINT nResource;
        ButtonKinds after;
    };
    const Case cases[] = {{137, {true, true, true}}, {136, {false, true, true}}, {618, {false, false, false}}};
    for (const Case& c : cases) {
        frame->m_wndQueryBar.ReplaceButton(32854, CKtvPToolbarButton(32854, -1));
        frame->m_wndEditBar.ReplaceButton(40280, CKtvPToolbarButton(40280, -1));
        frame->m_wndEditBar.ReplaceButton(40296, CKtvPToolbarButton(40296, -1));
        ASSERT_EQ(CMainFrame::GetDatabaseCombo(), nullptr);
        frame->SendMessage(KTVM_RESETTOOLBAR, c.nResource, 0);
        const ButtonKinds after = KindsOf(frame);
        EXPECT_EQ(after.databaseBox, c.after.databaseBox) << c.nResource;
        EXPECT_EQ(after.calendar, c.after.calendar) << c.nResource;
        EXPECT_EQ(after.description, c.after.description) << c.nResource;
    }
}

// View/Toolbars lists the five toolbars and Customize, and stays as it is
// while the toolbars are being customised.
TEST_F(MainFrameMenusTest, TheToolbarsMenuListsTheToolbarsExceptWhileCustomising)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 32771, "<toolbars>");

    auto* pPopup = new CKtvPPopupMenu;
    pPopup->m_bOwnsMenu = FALSE;
    ASSERT_TRUE(pPopup->Create(frame, 100, 100, menu.GetSafeHmenu()));
    Pump();
    const std::vector<std::string> expected = {"59392 Standard Toolbar", "32776 Editor Toolbar",
                                               "32777 Session Toolbar",  "32779 Result Toolbar",
                                               "32778 Query Toolbar",    "-",
                                               "32770 &Customize..."};
    EXPECT_EQ(MenuItems(pPopup), expected);
    pPopup->CloseMenu();
    Pump();

    CKtvPToolBar::m_bCustomizeMode = TRUE;
    auto* pRefused = new CKtvPPopupMenu;
    pRefused->m_bOwnsMenu = FALSE;
    const BOOL bShown = pRefused->Create(frame, 100, 100, menu.GetSafeHmenu());
    CKtvPToolBar::m_bCustomizeMode = FALSE;
    EXPECT_FALSE(bShown && pRefused->GetMenuItemCount() > 1) << "the list is not filled while customising";
    if (bShown)
        pRefused->CloseMenu();
    Pump();
}

// A right click on the empty MDI area offers the toolbars, Tab MDI, the Object
// and Output panes and Customize; the user toolbar places are left out.
TEST_F(MainFrameMenusTest, ARightClickOnTheMdiAreaOffersTheToolbarMenu)
{
    CRect client;
    ::GetWindowRect(frame->m_hWndMDIClient, client);
    const CPoint point = client.CenterPoint();
    frame->SetFocus();
    const HWND hwndFocus = ::GetFocus();
    frame->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame->m_hWndMDIClient),
                       MAKELPARAM(point.x, point.y));
    Pump();
    CKtvPPopupMenu* pPopup = CKtvPPopupMenu::m_pActivePopupMenu;
    ASSERT_NE(pPopup, nullptr);
    // The open menu leaves the focus and the active window where they were.
    EXPECT_EQ(::GetFocus(), hwndFocus);
    EXPECT_EQ(::GetActiveWindow(), frame->GetSafeHwnd());
    const std::vector<std::string> expected = {
        "59392 Standard Toolbar", "32776 Edit Toolbar",   "32777 Session ToolBar", "32779 Result Toolbar",
        "32778 Execute ToolBar",  "-",                    "32773 Tab MDI\tF9",     "-",
        "32772 Object Tree\tF8",  "32775 &Output\tAlt+2",        "20001 &Customize..."};
    EXPECT_EQ(MenuItems(pPopup), expected);
    pPopup->CloseMenu();
    Pump();
}

}  // namespace
}  // namespace tw::test
