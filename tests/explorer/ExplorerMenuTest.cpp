// The context menu a right click on each kind of node shows, with the
// commands that remain.
#include "tests/explorer/ExplorerFixture.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarButton.h"

namespace explorertest {
namespace {

std::vector<std::string> ExplorerMenuItems(CKtvPPopupMenu* pPopup)
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

class ExplorerMenuTest : public ExplorerTest {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        frame->FillDatabaseTree();
        Pump();
    }

    void TearDown() override
    {
        CloseMenu();
        ExplorerTest::TearDown();
    }

    // A right click on the node's label: the menu it opens, or null.
    CKtvPPopupMenu* RightClick(HTREEITEM hItem)
    {
        CloseMenu();
        CObjectBrowseTreeCtrl& tree = Tree();
        tree.EnsureVisible(hItem);
        Pump();
        CRect rect;
        EXPECT_TRUE(tree.GetItemRect(hItem, rect, TRUE));
        const POINT pt = ScreenPointOf(tree.GetSafeHwnd(), rect.left + 3, rect.CenterPoint().y);
        input.Click(tw::display::MouseButton::Right, pt.x, pt.y);
        Pump();
        return CKtvPPopupMenu::m_pActivePopupMenu;
    }

    void CloseMenu()
    {
        if (CKtvPPopupMenu::m_pActivePopupMenu != nullptr) {
            CKtvPPopupMenu::m_pActivePopupMenu->CloseMenu();
            Pump();
        }
    }
};

struct MenuCase {
    const char* name;
    std::vector<const char*> path;
    std::vector<std::string> items;  // empty: no menu
};

void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }

class ExplorerMenuTableTest : public ExplorerMenuTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(ExplorerMenuTableTest, ARightClickShowsThePopupOfTheNodesKind)
{
    const MenuCase& c = GetParam();
    HTREEITEM hItem = Tree().GetRootItem();
    // Every folder on the way is opened, as a user reaches the node.
    for (const char* text : c.path) {
        Tree().OnExpandItem(hItem);
        Tree().Expand(hItem, TVE_EXPAND);
        HTREEITEM hChild = Tree().GetChildItem(hItem);
        while (hChild != nullptr && Tree().GetItemText(hChild) != text)
            hChild = Tree().GetNextSiblingItem(hChild);
        hItem = hChild;
        ASSERT_NE(hItem, nullptr) << text;
    }
    CKtvPPopupMenu* pPopup = RightClick(hItem);
    EXPECT_EQ(Tree().GetSelectedItem(), hItem) << "the right click selects the node";
    if (c.items.empty()) {
        EXPECT_EQ(pPopup, nullptr);
        return;
    }
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(ExplorerMenuItems(pPopup), c.items);
}

const std::vector<std::string> kRefreshMenu = {"40008 Refresh"};

INSTANTIATE_TEST_SUITE_P(
    Table, ExplorerMenuTableTest,
    ::testing::Values(
        MenuCase{"Server", {}, kRefreshMenu},
        MenuCase{"Database", {"ExplorerFix"}, {"40004 Refresh"}},
        MenuCase{"Folder", {"ExplorerFix", "View"}, kRefreshMenu},
        MenuCase{"UserTable",
                 {"ExplorerFix", "User Table", "dbo.Parts"},
                 {"40023 Return All Rows", "40024 Return Top...", "-", "40020 Design", "40021 Drop",
                  "40031 Check Table", "40030 Rename Table", "40029 Option...", "-", "40022 Refresh"}},
        MenuCase{"SystemTable",
                 {"master", "System Table", "dbo.sysobjects"},
                 {"40023 Return All Rows", "40024 Return Top...", "-", "40021 Drop", "40031 Check Table",
                  "40030 Rename Table", "40029 Option...", "-", "40022 Refresh"}},
        MenuCase{"Procedure",
                 {"ExplorerFix", "Procedure", "dbo.usp_Parts"},
                 {"40086 Execute", "40083 Edit", "40085 Drop", "-", "40087 Rename", "40084 Rebuild", "-",
                  "40081 Auto Run", "40088 Properties", "-", "40080 Refresh"}},
        MenuCase{"ExtendedProcedure",
                 {"master", "Extend Procedure", "dbo.xp_cmdshell"},
                 {"40086 Execute", "40083 Edit", "40085 Drop", "-", "40087 Rename", "40084 Rebuild", "-",
                  "40081 Auto Run", "40082 Unload", "40088 Properties", "-", "40080 Refresh"}},
        MenuCase{"View",
                 {"ExplorerFix", "View", "dbo.PartList"},
                 {"40053 Return All Rows", "40057 Return Top...", "-", "40050 Design", "40056 Drop", "-",
                  "40058 Rebuild", "40054 Rename", "40051 Properties", "-", "40052 Refresh"}},
        MenuCase{"Function",
                 {"ExplorerFix", "Function", "dbo.fn_Weight"},
                 {"40100 Edit", "40101 Drop", "40102 Refresh"}},
        MenuCase{"TriggerEntry",
                 {"ExplorerFix", "User Table", "dbo.Orders", "Trigger", "trg_Orders"},
                 {"40095 Edit", "40096 Drop", "40097 Refresh"}},
        MenuCase{"IndexEntry",
                 {"ExplorerFix", "User Table", "dbo.Orders", "Index", "IX_Orders_PartID"},
                 {"40071 Edit", "40070 Drop", "40072 Rebuild Index", "40073 Refresh"}},
        MenuCase{"SubFolder", {"ExplorerFix", "User Table", "dbo.Orders", "Columns"}, {}},
        MenuCase{"ColumnEntry", {"ExplorerFix", "User Table", "dbo.Orders", "Columns", "Qty (int, Not NULL)"}, {}},
        MenuCase{"RestrictionEntry",
                 {"ExplorerFix", "User Table", "dbo.Orders", "Restriction", "CK_Orders_Qty"},
                 {}},
        MenuCase{"ForeignKeyEntry",
                 {"ExplorerFix", "User Table", "dbo.Orders", "Foreign Key", "FK_Orders_Parts"},
                 {}},
        MenuCase{"DependEntry", {"ExplorerFix", "View", "dbo.PartList", "Depend", "Parts"}, {}},
        MenuCase{"ParameterEntry",
                 {"ExplorerFix", "Function", "dbo.fn_Weight", "Parameter", "@w (float (53.0), Null, In)"},
                 {}},
        MenuCase{"DllEntry", {"master", "Extend Procedure", "dbo.xp_cmdshell", "DLL Name", "xplog70.dll"}, {}}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

// A right click on empty space leaves the selection and shows nothing.
TEST_F(ExplorerMenuTest, EmptySpaceShowsNothingAndKeepsTheSelection)
{
    CObjectBrowseTreeCtrl& tree = Tree();
    HTREEITEM hDatabase = Find({"TarnSample"});
    tree.SelectItem(hDatabase);
    Pump();
    CRect client;
    tree.GetClientRect(client);
    const POINT pt = ScreenPointOf(tree.GetSafeHwnd(), client.Width() / 2, client.bottom - 4);
    input.Click(tw::display::MouseButton::Right, pt.x, pt.y);
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
    EXPECT_EQ(tree.GetSelectedItem(), hDatabase);
}

// The Project pane's tree is empty and offers no menu.
TEST_F(ExplorerMenuTest, TheProjectTreeIsEmptyAndShowsNoMenu)
{
    CTreeCtrl& project = frame->m_wndProjectBar.m_wndTree;
    ASSERT_NE(project.GetSafeHwnd(), nullptr);
    EXPECT_EQ(project.GetCount(), 0u);
    EXPECT_EQ(project.GetDlgCtrlID(), 2);
    EXPECT_EQ(frame->m_wndProjectBar.GetDlgCtrlID(), 40267);
    EXPECT_NE(frame->m_wndSnippets.GetDlgCtrlID(), 40267);
    frame->m_wndProjectBar.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(project.GetSafeHwnd()),
                                       MAKELPARAM(100, 100));
    Pump();
    EXPECT_EQ(CKtvPPopupMenu::m_pActivePopupMenu, nullptr);
}

}  // namespace
}  // namespace explorertest
