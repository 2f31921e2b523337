// Tools/Customize in the program: the library's customise sheet opened over
// the main window from its menu and from the toolbars' context menu, with the
// program's command catalogue, and customise mode ending when it closes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
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

// Answers every message box of the thread with the chosen button.
class CustomizeBoxAnswerer {
public:
    explicit CustomizeBoxAnswerer(int nAnswer) : m_nAnswer(nAnswer)
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CustomizeBoxAnswerer()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    int boxes = 0;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if ((create->style & WS_CHILD) == 0 && create->lpszClass != nullptr && !IS_INTRESOURCE(create->lpszClass) &&
                std::string(create->lpszClass) == WC_DIALOG) {
                s_self->boxes++;
                ::PostMessage(reinterpret_cast<HWND>(wParam), WM_COMMAND, s_self->m_nAnswer, 0);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static CustomizeBoxAnswerer* s_self;
    int m_nAnswer;
    HHOOK m_hook = nullptr;
};
CustomizeBoxAnswerer* CustomizeBoxAnswerer::s_self = nullptr;

// The commands of a popup's items, in order.
std::vector<UINT> PopupCommands(CKtvPPopupMenu* pPopup)
{
    std::vector<UINT> ids;
    CKtvPPopupMenuBar* pItems = pPopup->GetMenuBar();
    for (int i = 0; i < pItems->GetCount(); i++) {
        if (pItems->GetButton(i)->m_nID != 0)
            ids.push_back(pItems->GetButton(i)->m_nID);
    }
    return ids;
}

// "My menu", the program's context menu: Cut, Copy, Paste.
constexpr UINT kCutCommand = 57635;
constexpr UINT kCopyCommand = 57634;
constexpr UINT kPasteCommand = 57637;
constexpr UINT kPrintCommand = 57607;
const std::vector<UINT> kMyMenuCommands{kCutCommand, kCopyCommand, kPasteCommand};

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

    // The sheet on its Menu page, with "My menu" chosen: the menu opens as a popup to edit.
    CKtvPMenuPage* OpenMyMenu()
    {
        if (CKtvPToolbarCustomize::m_pCustomizeSheet == nullptr) {
            frame->SendMessage(WM_COMMAND, ID_TW_CUSTOMIZE);
            Pump();
        }
        CKtvPToolbarCustomize* pSheet = CKtvPToolbarCustomize::m_pCustomizeSheet;
        EXPECT_NE(pSheet, nullptr);
        if (pSheet == nullptr)
            return nullptr;
        // Low in the screen, clear of the toolbars the buttons come from.
        pSheet->SetWindowPos(nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CKtvPMenuPage* pPage = pSheet->m_pMenuPage;
        pSheet->SetActivePage(pPage);
        Pump();
        ChooseContextMenu(pPage, 1);
        return pPage;
    }
    void ChooseContextMenu(CKtvPMenuPage* pPage, int iItem)
    {
        pPage->m_wndContextMenus.SetCurSel(iItem);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(pPage->m_wndContextMenus.GetDlgCtrlID(), CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(pPage->m_wndContextMenus.GetSafeHwnd()));
        Pump();
    }
    // On the Commands page, drags the command of the category from its list
    // and drops it on the first item of the popup.
    void DragCommandIntoPopup(const char* category, UINT nID, CKtvPPopupMenu* pPopup)
    {
        CKtvPToolbarCustomize* pSheet = CKtvPToolbarCustomize::m_pCustomizeSheet;
        pSheet->SetActivePage(0);
        Pump();
        CKtvPCustomizePage* pCommands = pSheet->m_pCustomizePage;
        const std::vector<std::string> categories = CustomizeListTexts(pCommands->m_wndCategory);
        const auto found = std::find(categories.begin(), categories.end(), category);
        ASSERT_NE(found, categories.end());
        ClickItem(pCommands->m_wndCategory, static_cast<int>(found - categories.begin()));
        int iItem = -1;
        for (int i = 0; i < pCommands->m_wndTools.GetCount(); i++) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pCommands->m_wndTools.GetItemDataPtr(i));
            if (pButton != nullptr && pButton->m_nID == nID)
                iItem = i;
        }
        ASSERT_GE(iItem, 0);
        CRect rectItem;
        pCommands->m_wndTools.GetItemRect(iItem, &rectItem);
        const POINT from =
            ScreenPointOf(pCommands->m_wndTools.GetSafeHwnd(), rectItem.left + 10, rectItem.CenterPoint().y);
        CKtvPPopupMenuBar* pItems = pPopup->GetMenuBar();
        const CRect& target = pItems->GetButton(0)->m_rect;
        const POINT to = ScreenPointOf(pItems->GetSafeHwnd(), target.CenterPoint().x, target.top + 3);
        input.MouseMove(from.x, from.y);
        input.ButtonDown(tw::display::MouseButton::Left, from.x, from.y);
        for (int step = 1; step <= 6; step++)
            input.MouseMove(from.x + (to.x - from.x) * step / 6, from.y + (to.y - from.y) * step / 6);
        input.ButtonUp(tw::display::MouseButton::Left, to.x, to.y);
        Pump();
        Pump();
        pSheet->SetActivePage(pSheet->m_pMenuPage);
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

// A context menu is edited as a popup: a command dragged from the Commands
// page onto it becomes an item, kept when the popup closes; Reset brings back the menu
// as its resource has it, only after Yes.
TEST_F(MainFrameCustomizeTest, AContextMenuTakesADroppedButtonAndResetsAfterYes)
{
    CKtvPMenuPage* pPage = OpenMyMenu();
    ASSERT_NE(pPage, nullptr);
    ASSERT_NE(pPage->m_pContextMenu, nullptr);
    EXPECT_EQ(PopupCommands(pPage->m_pContextMenu), kMyMenuCommands);

    DragCommandIntoPopup("File", kPrintCommand, pPage->m_pContextMenu);
    const std::vector<UINT> edited{kPrintCommand, kCutCommand, kCopyCommand, kPasteCommand};
    ASSERT_NE(pPage->m_pContextMenu, nullptr);
    EXPECT_EQ(PopupCommands(pPage->m_pContextMenu), edited);

    // Closed by choosing the dash line and opened again: the edit was kept.
    ChooseContextMenu(pPage, 0);
    EXPECT_EQ(pPage->m_pContextMenu, nullptr);
    ChooseContextMenu(pPage, 1);
    ASSERT_NE(pPage->m_pContextMenu, nullptr);
    EXPECT_EQ(PopupCommands(pPage->m_pContextMenu), edited);

    struct Answer {
        int button;
        std::vector<UINT> after;
    } const answers[] = {{IDNO, edited}, {IDYES, kMyMenuCommands}};
    for (const Answer& answer : answers) {
        SCOPED_TRACE(answer.button);
        CustomizeBoxAnswerer box(answer.button);
        ASSERT_TRUE(pPage->m_wndResetMenuButton.IsWindowEnabled());
        CRect rect;
        pPage->m_wndResetMenuButton.GetClientRect(&rect);
        Click(pPage->m_wndResetMenuButton.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
        Pump();
        EXPECT_EQ(box.boxes, 1);
        ASSERT_NE(pPage->m_pContextMenu, nullptr);
        EXPECT_EQ(PopupCommands(pPage->m_pContextMenu), answer.after);
    }
}

// Closing the main window saves the workspace into the settings: the menu
// bar's layout and the edited context menu are among its keys.
TEST_F(MainFrameCustomizeTest, TheWorkspaceKeepsTheMenuLayoutsAndTheContextMenus)
{
    CKtvPMenuPage* pPage = OpenMyMenu();
    ASSERT_NE(pPage, nullptr);
    ASSERT_NE(pPage->m_pContextMenu, nullptr);
    DragCommandIntoPopup("File", kPrintCommand, pPage->m_pContextMenu);
    ChooseContextMenu(pPage, 0);
    CKtvPToolbarCustomize::m_pCustomizeSheet->SendMessage(WM_COMMAND, IDCANCEL);
    Pump();

    frame->SendMessage(WM_CLOSE);
    Pump();
    std::filesystem::create_directories("data");
    ASSERT_TRUE(CXMLSettings::SaveToFile(FALSE, CTarnwickApp::kSettingsFile));
    std::ifstream in(CTarnwickApp::kSettingsFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A bar's layout key ends with its id (and the menu's resource, in hexadecimal).
    EXPECT_NE(text.find("KtvToolBar-593980"), std::string::npos) << "the menu bar's default menu";
    EXPECT_NE(text.find("KtvToolBar-085"), std::string::npos) << "the context menu, resource 133";
}

}  // namespace
}  // namespace tw::test
