// Menu items as buttons: a menu handle becomes a tree of menu buttons and
// back, keeping sub-menus, separators, the default item, column breaks and
// tear-off tags; a maximised child's system-menu button shows the states of
// the real system menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/menu/winmenu.h"
#include "tests/ui/commandbars/MenuTestSupport.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"

namespace {

using menutest::Cmd;
using menutest::Item;
using menutest::kDefault;
using menutest::Sep;
using menutest::Sub;

// The menu a button builds from a menu, read back as items.
std::vector<Item> RoundTrip(const std::vector<Item>& items)
{
    HMENU hMenu = menutest::Build(items);
    CKtvPToolbarMenuButton button;
    button.CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);

    HMENU hCopy = button.CreateMenu();
    EXPECT_NE(hCopy, nullptr);
    std::vector<Item> result = hCopy != nullptr ? menutest::Read(hCopy) : std::vector<Item>{};
    ::DestroyMenu(hCopy);
    return result;
}

struct RoundTripCase {
    const char* name;
    std::vector<Item> menu;
    std::vector<Item> expected;   // empty: the menu itself
};

class MenuRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(MenuRoundTrip, KeepsTheMenuItCameFrom)
{
    const RoundTripCase& c = GetParam();
    const std::vector<Item>& expected = c.expected.empty() ? c.menu : c.expected;
    EXPECT_EQ(menutest::Describe(RoundTrip(c.menu)), menutest::Describe(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, MenuRoundTrip,
    ::testing::Values(
        RoundTripCase{"Commands", {Cmd(100, "&Open"), Cmd(101, "&Save\tCtrl+S")}, {}},
        // The button keeps every separator; only the popup's bar drops the surplus ones.
        RoundTripCase{"Separators", {Sep(), Cmd(100, "A"), Sep(), Sep(), Cmd(101, "B"), Sep()}, {}},
        RoundTripCase{"NestedSubMenus",
                      {Cmd(100, "A"), Sub("&More", {Cmd(200, "B"), Sub("Deeper", {Cmd(300, "C")})}), Cmd(101, "D")},
                      {}},
        RoundTripCase{"DefaultItem", {Cmd(100, "A"), Cmd(101, "B", kDefault)}, {}},
        RoundTripCase{"ColumnBreaks",
                      {Cmd(100, "A"), Cmd(101, "B", MF_MENUBREAK), Sub("C", {Cmd(200, "D")}, MF_MENUBREAK)}, {}},
        // Check marks and greying are the command state's, not the menu's: they are not carried.
        RoundTripCase{"StatesAreNotCarried",
                      {Cmd(100, "A", MF_CHECKED), Cmd(101, "B", MF_GRAYED)},
                      {Cmd(100, "A"), Cmd(101, "B")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MenuButtonMenu, ChildrenMirrorTheMenu)
{
    HMENU hMenu = menutest::Build({Cmd(100, "A", kDefault), Sep(), Sub("S", {Cmd(200, "B")}), Cmd(101, "C", MF_MENUBREAK)});
    CKtvPToolbarMenuButton button;
    button.CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);

    ASSERT_EQ(button.m_listChildren.GetCount(), 4);
    std::vector<CKtvPToolbarMenuButton*> children;
    for (POSITION pos = button.m_listChildren.GetHeadPosition(); pos != nullptr;)
        children.push_back(static_cast<CKtvPToolbarMenuButton*>(button.m_listChildren.GetNext(pos)));

    EXPECT_TRUE(children[0]->m_bDefault);
    EXPECT_EQ(children[1]->m_nID, 0u);
    EXPECT_EQ(children[2]->m_nID, (UINT)-1);
    EXPECT_EQ(children[2]->m_listChildren.GetCount(), 1);
    EXPECT_FALSE(children[2]->m_bDefault);
    EXPECT_EQ(children[3]->m_nStyle & KTVP_TBBS_BREAK, (UINT)KTVP_TBBS_BREAK);

    // Rebuilding from another menu replaces the children, and no menu leaves none.
    button.CreateFromMenu(nullptr);
    EXPECT_TRUE(button.m_listChildren.IsEmpty());
}

TEST(MenuButtonMenu, CommandButtonWithoutChildrenBuildsNoMenu)
{
    CKtvPToolbarMenuButton command;
    command.m_nID = 100;
    EXPECT_EQ(command.CreateMenu(), nullptr);

    // A menu-only button and a button that is only a sub-menu build an empty popup.
    CKtvPToolbarMenuButton menuOnly;
    menuOnly.m_nID = 100;
    menuOnly.m_bMenuOnly = TRUE;
    CKtvPToolbarMenuButton subMenu;
    subMenu.m_nID = (UINT)-1;
    for (CKtvPToolbarMenuButton* pButton : {&menuOnly, &subMenu}) {
        HMENU hMenu = pButton->CreateMenu();
        ASSERT_NE(hMenu, nullptr);
        EXPECT_EQ(::GetMenuItemCount(hMenu), 0);
        ::DestroyMenu(hMenu);
    }
}

// With a tear-off manager, a sub-menu's label tag becomes the child's
// tear-off id (counted as in use) and is written back into the label.
class TearOffMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager.Initialize(5000, 5009);
        g_pTearOffMenuManager = &manager;
    }
    void TearDown() override { g_pTearOffMenuManager = nullptr; }
    CKtvPTearOffManager manager;
};

TEST_F(TearOffMenus, TagBecomesIdAndComesBack)
{
    CString strTagged = _T("&Tools");
    CKtvPTearOffManager::Build(5003, strTagged);
    HMENU hMenu = menutest::Build({Sub(std::string(strTagged), {Cmd(200, "B")})});

    {
        CKtvPToolbarMenuButton button;
        button.CreateFromMenu(hMenu);
        auto* pChild = static_cast<CKtvPToolbarMenuButton*>(button.m_listChildren.GetHead());
        EXPECT_EQ(pChild->m_uiTearOffId, 5003u);
        EXPECT_EQ(pChild->m_strText, CString(_T("&Tools")));
        EXPECT_EQ(manager.m_arTearOffIDsUsage[3], 1);

        HMENU hCopy = button.CreateMenu();
        char text[64] = {};
        ::GetMenuString(hCopy, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(CString(text), strTagged);
        EXPECT_EQ(::GetMenuState(hCopy, 0, MF_BYPOSITION) & MF_MENUBARBREAK, (UINT)MF_MENUBARBREAK);
        ::DestroyMenu(hCopy);
    }
    // The button is gone: so is its use of the id.
    EXPECT_EQ(manager.m_arTearOffIDsUsage[3], 0);
    ::DestroyMenu(hMenu);
}

TEST(SystemMenuButton, PopupShowsTheSystemMenuStates)
{
    HMENU hSysMenu = menutest::Build({Cmd(SC_RESTORE, "&Restore", MF_GRAYED), Cmd(SC_MINIMIZE, "Mi&nimize"),
                                      Cmd(SC_MAXIMIZE, "Ma&ximize", MF_CHECKED), Sep(), Cmd(SC_CLOSE, "&Close")});
    CKtvPToolbarSystemMenuButton button(hSysMenu, nullptr);
    EXPECT_EQ(button.m_hSysMenu, hSysMenu);

    HMENU hPopup = button.CreateMenu();
    ASSERT_NE(hPopup, nullptr);
    EXPECT_EQ(menutest::Describe(menutest::Read(hPopup)), menutest::Describe(menutest::Read(hSysMenu)));

    // A later change of the real menu shows in the next popup; the buttons are not rebuilt.
    ::EnableMenuItem(hSysMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    button.CreateFromMenu(hSysMenu);
    HMENU hAgain = button.CreateMenu();
    EXPECT_EQ(::GetMenuState(hAgain, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED, (UINT)MF_GRAYED);

    ::DestroyMenu(hAgain);
    ::DestroyMenu(hPopup);
    ::DestroyMenu(hSysMenu);
}

}  // namespace
