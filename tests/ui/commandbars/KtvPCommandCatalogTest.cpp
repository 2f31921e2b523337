// The customise sheet's command catalogue, filled from menus built the way a
// menu resource loads: categories per top-level menu, display and path names,
// duplicates, commands that may not be offered, user tools, replacement and
// the category fillers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CMenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "tests/ui/commandbars/KtvPToolBarTestSupport.h"
#include "tests/support/window/HeadlessWindowTest.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"

namespace {

constexpr UINT kCmdOpen = 100;
constexpr UINT kCmdNewQuery = 101;
constexpr UINT kCmdFindNext = 102;
constexpr UINT kCmdCopy = 103;
constexpr UINT kCmdRecentFile = 0xE110;
constexpr UINT kCmdSysClose = 0xF060;
constexpr UINT kCmdWindowList = 0xFF00;
constexpr UINT kToolsEntry = 32805;
constexpr UINT kToolFirst = 32806;

// A button kind of the application's own, to see ReplaceButton put it in place.
class CatalogDateButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CatalogDateButton)
public:
    CatalogDateButton() = default;
    CatalogDateButton(UINT uiID, LPCTSTR lpszText) : CKtvPToolbarButton(uiID, -1, lpszText) {}
};
IMPLEMENT_SERIAL(CatalogDateButton, CKtvPToolbarButton, 1)

class CommandCatalogTest : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override
    {
        HeadlessWindowTest::SetUp();
        KtvPrepareUiTest();
        tw::test::tbres::Register();
    }
    void TearDown() override
    {
        for (CMenu* pMenu : menus) {
            pMenu->DestroyMenu();
            delete pMenu;
        }
        HeadlessWindowTest::TearDown();
    }

    CMenu* NewPopup()
    {
        auto* pMenu = new CMenu;
        pMenu->CreatePopupMenu();
        menus.push_back(pMenu);
        return pMenu;
    }

    // The program's kind of menu: File, Edit (with a sub-menu) and a menu of special entries.
    CMenu* BuildMenu()
    {
        CMenu* pFile = NewPopup();
        pFile->AppendMenu(MF_STRING, kCmdOpen, "&Open...\tCtrl+O");
        pFile->AppendMenu(MF_STRING, kCmdNewQuery, "&New Query Window\tCtrl+N");
        pFile->AppendMenu(MF_SEPARATOR);
        pFile->AppendMenu(MF_STRING, kCmdRecentFile, "1 recent.sql");
        CMenu* pFind = NewPopup();
        pFind->AppendMenu(MF_STRING, kCmdFindNext, "Find &Next");
        CMenu* pEdit = NewPopup();
        pEdit->AppendMenu(MF_STRING, kCmdCopy, "&Copy");
        pEdit->AppendMenu(MF_STRING, kCmdOpen, "&Open...");
        pEdit->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pFind->GetSafeHmenu()), "&Find");
        CMenu* pSpecial = NewPopup();
        pSpecial->AppendMenu(MF_STRING, kCmdSysClose, "Close");
        pSpecial->AppendMenu(MF_STRING, kCmdWindowList, "1 Query1");
        CMenu* pBar = NewPopup();
        pBar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pFile->GetSafeHmenu()), "&File");
        pBar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pEdit->GetSafeHmenu()), "&Edit");
        pBar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pSpecial->GetSafeHmenu()), "Special");
        return pBar;
    }

    static const CObList* Category(const CKtvPToolbarCustomize& sheet, LPCTSTR lpszName)
    {
        void* pValue = nullptr;
        return sheet.m_ButtonsByCategory.Lookup(lpszName, pValue) ? static_cast<CObList*>(pValue) : nullptr;
    }

    // "id:text[:path]" for every button of a category, in order.
    static std::vector<std::string> Entries(const CKtvPToolbarCustomize& sheet, LPCTSTR lpszName)
    {
        std::vector<std::string> entries;
        const CObList* pList = Category(sheet, lpszName);
        if (pList == nullptr)
            return entries;
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pList->GetNext(pos));
            std::string entry = std::to_string(static_cast<int>(pButton->m_nID)) + ":" +
                                static_cast<LPCTSTR>(pButton->m_strText);
            if (!pButton->m_strSecondText.IsEmpty())
                entry += std::string(":") + static_cast<LPCTSTR>(pButton->m_strSecondText);
            entries.push_back(entry);
        }
        return entries;
    }

    static std::vector<std::string> Categories(const CKtvPToolbarCustomize& sheet)
    {
        std::vector<std::string> names;
        for (POSITION pos = sheet.m_strCategoriesList.GetHeadPosition(); pos != nullptr;)
            names.push_back(static_cast<LPCTSTR>(sheet.m_strCategoriesList.GetNext(pos)));
        return names;
    }

    std::vector<CMenu*> menus;
};

TEST_F(CommandCatalogTest, MenusGiveOneCategoryPerTopLevelMenuWithNamesAndPaths)
{
    CKtvPToolbarCustomize sheet(nullptr, TRUE);
    sheet.AddMenuCommands(BuildMenu(), FALSE);

    // The sheet's own "New Menu" category comes first; the menus follow in their order.
    EXPECT_EQ(Categories(sheet), (std::vector<std::string>{"New Menu", "File", "Edit"}));
    EXPECT_EQ(Entries(sheet, "File"),
              (std::vector<std::string>{"100:Open...:FileOpen...", "101:New Query Window:FileNewQueryWindow"}));
    // A command met again in another menu is listed there too, once; sub-menus join their top menu.
    EXPECT_EQ(Entries(sheet, "Edit"), (std::vector<std::string>{"103:Copy:EditCopy", "100:Open...:EditOpen...",
                                                                "102:Find Next:EditFindFindNext"}));
    // Every command once in All Commands, where it was first met; special ids never.
    EXPECT_EQ(Entries(sheet, "All Commands"),
              (std::vector<std::string>{"0:New Menu", "100:Open...:FileOpen...", "101:New Query Window:FileNewQueryWindow",
                                        "103:Copy:EditCopy", "102:Find Next:EditFindFindNext"}));
    EXPECT_STREQ(sheet.GetCommandName(kCmdNewQuery), "New Query Window");
    EXPECT_EQ(sheet.GetCommandName(kCmdRecentFile), nullptr);
    EXPECT_EQ(sheet.GetCommandName(kCmdSysClose), nullptr);
}

TEST_F(CommandCatalogTest, NamesKeepAmpersandsOnlyWhenAskedAndPathsKeepMultiByteCharacters)
{
    const struct {
        UINT uiFlags;
        const char* text;
        const char* name;
        const char* path;
    } cases[] = {
        {0, "&Open...\tCtrl+O", "Open...", "MenuOpen..."},
        {KTVCUSTOMIZE_SAVE_MENU_AMPS, "&Open...\tCtrl+O", "&Open...", "Menu&Open..."},
        {0, "\xc3\xa9tat du serveur", "\xc3\xa9tat du serveur", "Menu\xc3\xa9tatDuServeur"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CMenu* pSub = NewPopup();
        pSub->AppendMenu(MF_STRING, kCmdOpen, c.text);
        CMenu* pBar = NewPopup();
        pBar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pSub->GetSafeHmenu()), "Menu");
        CKtvPToolbarCustomize sheet(nullptr, TRUE, c.uiFlags);
        sheet.AddMenuCommands(pBar, FALSE);
        EXPECT_EQ(Entries(sheet, "Menu"), (std::vector<std::string>{std::string("100:") + c.name + ":" + c.path}));
    }
}

TEST_F(CommandCatalogTest, WithoutAutomaticCategoriesEverythingGoesToAllCommandsWithoutPaths)
{
    CKtvPToolbarCustomize sheet(nullptr, FALSE);
    sheet.AddMenuCommands(BuildMenu(), FALSE);
    EXPECT_EQ(Categories(sheet), (std::vector<std::string>{"New Menu"}));
    EXPECT_EQ(Entries(sheet, "All Commands"), (std::vector<std::string>{"0:New Menu", "100:Open...", "101:New Query Window",
                                                                        "103:Copy", "102:Find Next"}));
}

TEST_F(CommandCatalogTest, NamesComeFromTheTextOrThePromptsTipElseTheButtonIsLeftOut)
{
    CKtvPToolbarCustomize sheet(nullptr, FALSE);
    // No string resource at all: nothing to call it by.
    sheet.AddButton("Files", CKtvPToolbarButton(4711, -1, "   "));
    // A non-permitted command is never offered.
    CKtvPToolBar::m_NonPermittedCommands.AddTail(kCmdCopy);
    sheet.AddButton("Files", CKtvPToolbarButton(kCmdCopy, -1, "Copy"));
    CKtvPToolBar::m_NonPermittedCommands.RemoveAll();

    sheet.AddButton("Files", CKtvPToolbarButton(kCmdOpen, -1, " &Open\tCtrl+O "));
    // Without a text the tip of the command's prompt string ("prompt\ntip") names it.
    sheet.AddButton("Files", CKtvPToolbarButton(tw::test::tbres::kOpenCommand, -1, ""));
    EXPECT_EQ(Entries(sheet, "Files"), (std::vector<std::string>{"100:Open", "30000:Open"}));
}

TEST_F(CommandCatalogTest, UserToolsAreListedUnderTheirMenuByLabel)
{
    CKtvPUserToolsManager manager(kToolsEntry, kToolFirst, kToolFirst + 9, RUNTIME_CLASS(CKtvPUserTool));
    manager.CreateNewTool()->m_strLabel = "Run &Profiler";
    manager.CreateNewTool()->m_strLabel = "Notepad";
    CMenu* pTools = NewPopup();
    pTools->AppendMenu(MF_STRING, kToolsEntry, "User tools");
    pTools->AppendMenu(MF_STRING, kToolFirst + 5, "Stale tool");
    CMenu* pBar = NewPopup();
    pBar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pTools->GetSafeHmenu()), "&Tools");

    CKtvPToolbarCustomize sheet(nullptr, TRUE);
    sheet.AddMenuCommands(pBar, FALSE);
    // The placeholder becomes the tools; an id of the range without a tool is left out.
    EXPECT_EQ(Entries(sheet, "Tools"), (std::vector<std::string>{"32806:Run Profiler", "32807:Notepad"}));
    const CObList* pList = Category(sheet, "Tools");
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(static_cast<CKtvPToolbarButton*>(pList->GetHead())->GetImage(), 0);
}

TEST_F(CommandCatalogTest, ReplaceButtonPutsTheNewKindInEveryCategoryAndKeepsNames)
{
    CKtvPToolbarCustomize sheet(nullptr, TRUE);
    sheet.AddMenuCommands(BuildMenu(), FALSE);
    sheet.ReplaceButton(kCmdOpen, CatalogDateButton(kCmdOpen, ""));
    for (LPCTSTR lpszCategory : {"File", "Edit", "All Commands"}) {
        SCOPED_TRACE(lpszCategory);
        const CObList* pList = Category(sheet, lpszCategory);
        ASSERT_NE(pList, nullptr);
        int nFound = 0;
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKtvPToolbarButton*>(pList->GetNext(pos));
            if (pButton->m_nID != kCmdOpen)
                continue;
            nFound++;
            EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(CatalogDateButton)));
            EXPECT_STREQ(pButton->m_strText, "Open...");
        }
        EXPECT_EQ(nFound, 1);
    }
    // A replacement with a name of its own keeps it.
    sheet.ReplaceButton(kCmdCopy, CatalogDateButton(kCmdCopy, "Date"));
    EXPECT_STREQ(sheet.GetCommandName(kCmdCopy), "Date");
}

TEST_F(CommandCatalogTest, FillersListCategoriesWithAllCommandsLastAndSkipEmptyOnesOnRequest)
{
    CKtvPToolbarCustomize sheet(nullptr, TRUE);
    // In a popup menu the sub-menus are offered as menu buttons too.
    CMenu* pEmpty = NewPopup();
    CMenu* pOnlySub = NewPopup();
    pOnlySub->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pEmpty->GetSafeHmenu()), "Inner");
    CMenu* pBar = NewPopup();
    pBar->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(pOnlySub->GetSafeHmenu()), "Outer");
    sheet.AddMenuCommands(pBar, TRUE);
    sheet.AddMenuCommands(BuildMenu(), FALSE);

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 100, 100), CWnd::FromHandle(parent), 1));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, CRect(0, 0, 100, 100),
                             CWnd::FromHandle(parent), 2));
    const auto listed = [](auto& box) {
        std::vector<std::string> names;
        for (int i = 0; i < box.GetCount(); i++) {
            CString strName;
            box.GetLBText(i, strName);
            names.push_back(static_cast<LPCTSTR>(strName));
        }
        return names;
    };
    sheet.FillCategoriesComboBox(combo, TRUE);
    EXPECT_EQ(listed(combo), (std::vector<std::string>{"New Menu", "Outer", "File", "Edit", "All Commands"}));
    combo.ResetContent();
    // "New Menu" holds the id-0 button and "Outer" only a sub-menu button.
    sheet.FillCategoriesComboBox(combo, FALSE);
    EXPECT_EQ(listed(combo), (std::vector<std::string>{"File", "Edit", "All Commands"}));

    sheet.FillCategoriesListBox(list, FALSE);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetItemDataPtr(2), Category(sheet, "All Commands"));

    // The all-commands list shows paths where there are any and carries the ids.
    sheet.FillAllCommandsList(list);
    ASSERT_GE(list.GetCount(), 2);
    CString strSecond;
    list.GetText(1, strSecond);
    EXPECT_STREQ(strSecond, "Outer");
    EXPECT_EQ(list.GetItemData(1), static_cast<DWORD_PTR>(static_cast<UINT>(-1)));
}

}  // namespace
