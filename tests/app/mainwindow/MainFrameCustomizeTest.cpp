// Tools/Customize in the program: the library's customise sheet opened over
// the main window from its menu and from the toolbars' context menu, with the
// program's command catalogue, and customise mode ending when it closes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CListBox.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/commandbars/KtvPCustomizePage.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPCalendarMenuButton.h"

namespace tw::test {
namespace {

// Whether an item of the interface showing the command would be enabled.
class CustomizeStateProbe : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL enabled = TRUE;
};

template <typename List>
std::vector<std::string> CustomizeListTexts(List& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); i++) {
        CString strText;
        if constexpr (std::is_same_v<List, CComboBox>)
            list.GetLBText(i, strText);
        else
            list.GetText(i, strText);
        texts.push_back(static_cast<LPCTSTR>(strText));
    }
    return texts;
}

// The catalogue's button for the command in the category, or null.
CKtvPToolbarButton* CatalogueButton(CKtvPToolbarCustomize& sheet, LPCTSTR lpszCategory, UINT nID)
{
    void* pValue = nullptr;
    if (!sheet.m_ButtonsByCategory.Lookup(lpszCategory, pValue))
        return nullptr;
    const CObList* pButtons = static_cast<const CObList*>(pValue);
    for (POSITION pos = pButtons->GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKtvPToolbarButton*>(pButtons->GetNext(pos));
        if (pButton->m_nID == nID)
            return pButton;
    }
    return nullptr;
}

class MainFrameCustomizeTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        if (CKtvPToolbarCustomize* pSheet = CKtvPToolbarCustomize::m_pCustomizeSheet)
            pSheet->DestroyWindow();
        Pump();
        MainWindowTest::TearDown();
    }

    BOOL Enabled(UINT nID)
    {
        CustomizeStateProbe probe;
        probe.m_nID = nID;
        probe.DoUpdate(frame, TRUE);
        return probe.enabled;
    }

    // Right-clicks the empty MDI area and picks the item of the toolbars' context menu.
    void PickFromToolbarContextMenu(UINT nID)
    {
        CRect rectClient;
        ::GetClientRect(frame->m_hWndMDIClient, &rectClient);
        const POINT at = ScreenPointOf(frame->m_hWndMDIClient, rectClient.CenterPoint().x, rectClient.CenterPoint().y);
        frame->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame->m_hWndMDIClient), MAKELPARAM(at.x, at.y));
        Pump();
        CKtvPPopupMenu* pPopup = CKtvPPopupMenu::m_pActivePopupMenu;
        ASSERT_NE(pPopup, nullptr);
        CKtvPPopupMenuBar* pItems = pPopup->GetMenuBar();
        const int iItem = pItems->CommandToIndex(nID);
        ASSERT_GE(iItem, 0);
        const CPoint center = pItems->GetButton(iItem)->m_rect.CenterPoint();
        Click(pItems->GetSafeHwnd(), center.x, center.y);
        Pump();
        App().OnIdle(0);
        Pump();
    }

    void ClickItem(CListBox& list, int iItem)
    {
        CRect rect;
        list.GetItemRect(iItem, &rect);
        Click(list.GetSafeHwnd(), rect.right - 4, rect.CenterPoint().y);
        Pump();
    }
};

// Tools/Customize and the toolbars' Customize both open the one sheet;
// while it is open the frame is in customise mode, and Close ends it.
TEST_F(MainFrameCustomizeTest, MenuAndToolbarContextMenuOpenOneSheetThatCloseEnds)
{
    EXPECT_TRUE(Enabled(ID_TW_CUSTOMIZE));
    EXPECT_TRUE(Enabled(ID_TW_CUSTOMIZE_FROM_BARS));

    struct Way {
        const char* name;
        bool contextMenu;
    } const ways[] = {{"Tools/Customize", false}, {"the toolbars' context menu", true}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (way.contextMenu) {
            PickFromToolbarContextMenu(ID_TW_CUSTOMIZE_FROM_BARS);
        } else {
            frame->SendMessage(WM_COMMAND, ID_TW_CUSTOMIZE);
            Pump();
        }
        CKtvPToolbarCustomize* pSheet = CKtvPToolbarCustomize::m_pCustomizeSheet;
        ASSERT_NE(pSheet, nullptr);
        EXPECT_TRUE(pSheet->IsWindowVisible());
        EXPECT_TRUE(CKtvPToolBar::m_bCustomizeMode);
        EXPECT_FALSE(::IsWindowEnabled(frame->m_hWndMDIClient));

        // Asked again while open: still one sheet.
        frame->SendMessage(WM_COMMAND, ID_TW_CUSTOMIZE);
        Pump();
        EXPECT_EQ(CKtvPToolbarCustomize::m_pCustomizeSheet, pSheet);

        HWND hClose = ::GetDlgItem(pSheet->GetSafeHwnd(), IDCANCEL);
        ASSERT_NE(hClose, nullptr);
        CRect rectClose;
        ::GetClientRect(hClose, &rectClose);
        Click(hClose, rectClose.CenterPoint().x, rectClose.CenterPoint().y);
        Pump();
        EXPECT_EQ(CKtvPToolbarCustomize::m_pCustomizeSheet, nullptr);
        EXPECT_FALSE(CKtvPToolBar::m_bCustomizeMode);
        EXPECT_TRUE(::IsWindowEnabled(frame->m_hWndMDIClient));
    }
}

// The sheet lists the program's menus as categories, offers the database
// box, the calendar and the description menu as the controls they are on
// the toolbars, and its Menu page edits the frame's one menu and "My menu".
TEST_F(MainFrameCustomizeTest, TheSheetOffersTheProgramsCommandsAndMenus)
{
    frame->SendMessage(WM_COMMAND, ID_TW_CUSTOMIZE);
    Pump();
    CKtvPToolbarCustomize* pSheet = CKtvPToolbarCustomize::m_pCustomizeSheet;
    ASSERT_NE(pSheet, nullptr);

    CKtvPCustomizePage* pCommands = pSheet->m_pCustomizePage;
    ASSERT_TRUE(::IsWindow(pCommands->GetSafeHwnd()));
    const std::vector<std::string> categories = CustomizeListTexts(pCommands->m_wndCategory);
    for (const char* expected : {"File", "Edit", "View", "Session", "Query", "Result", "Tools", "Window", "Help",
                                 "New Menu", "All Commands"}) {
        EXPECT_NE(std::find(categories.begin(), categories.end(), expected), categories.end()) << expected;
    }

    EXPECT_TRUE(dynamic_cast<CKtvPToolbarComboBoxButton*>(CatalogueButton(*pSheet, "Query", ID_TW_DATABASE_BOX)));
    EXPECT_TRUE(dynamic_cast<CKtvPCalendarMenuButton*>(CatalogueButton(*pSheet, "Edit", ID_TW_DATE)));
    auto* pDescription =
        dynamic_cast<CKtvPToolbarMenuButton*>(CatalogueButton(*pSheet, "Edit", ID_TW_INSERT_DESCRIPTION));
    ASSERT_NE(pDescription, nullptr);
    EXPECT_STREQ(pDescription->m_strText, "Insert description...");

    // Picking the Query category by mouse lists its commands, the database box first.
    const auto query = std::find(categories.begin(), categories.end(), "Query");
    ASSERT_NE(query, categories.end());
    ClickItem(pCommands->m_wndCategory, static_cast<int>(query - categories.begin()));
    const std::vector<std::string> commands = CustomizeListTexts(pCommands->m_wndTools);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), "Select Database");

    // The Menu page: only the frame's menu, and the registered context menu after the dash line.
    CKtvPMenuPage* pMenus = pSheet->m_pMenuPage;
    ASSERT_NE(pMenus, nullptr);
    pSheet->SetActivePage(pMenus);
    Pump();
    EXPECT_EQ(CustomizeListTexts(pMenus->m_wndMenuesList), std::vector<std::string>{"Default Menu"});
    const std::vector<std::string> contextMenus = CustomizeListTexts(pMenus->m_wndContextMenus);
    ASSERT_EQ(contextMenus.size(), 2u);
    EXPECT_EQ(contextMenus[1], "My menu");
    EXPECT_FALSE(pMenus->m_wndMenuAnimations.IsWindowVisible());
    EXPECT_FALSE(pMenus->m_wndMenuShadows.IsWindowVisible());
}

}  // namespace
}  // namespace tw::test
