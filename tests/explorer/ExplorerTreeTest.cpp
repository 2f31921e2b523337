// The tree's two upper levels, its context menus and the clicks that fill it.
#include <algorithm>
#include <filesystem>

#include "platform/display/Display.h"

#include "tests/explorer/ExplorerFixture.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPWorkspace.h"

namespace explorertest {
namespace {

std::vector<std::string> ListTexts(const CStringList& list)
{
    std::vector<std::string> texts;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        texts.emplace_back(static_cast<LPCTSTR>(list.GetNext(pos)));
    return texts;
}

const std::vector<std::string> kMasterFolders = {"User Table", "System Table", "View",
                                                 "Procedure",  "Extend Procedure", "Function"};
const std::vector<std::string> kFolders = {"User Table", "System Table", "View", "Procedure", "Function"};
const std::vector<std::string> kFoldersHidden = {"User Table", "View", "Procedure", "Function"};

struct FillCase {
    const char* name;
    int hideSysObj;
    bool fixtureOffline;
    std::vector<std::string> databases;      // the root's children
    std::vector<std::string> fixtureFolders; // the children of the fixture database's node
    std::vector<std::string> databaseList;   // m_DatabaseList
};

void PrintTo(const FillCase& c, std::ostream* os) { *os << c.name; }

class FillDatabaseTreeTest : public ExplorerTest, public ::testing::WithParamInterface<FillCase> {
protected:
    void TearDown() override
    {
        if (GetParam().fixtureOffline)
            RunOnServer("ALTER DATABASE ExplorerFix SET ONLINE");
        ExplorerTest::TearDown();
    }
};

TEST_P(FillDatabaseTreeTest, FillsTheServerAndItsDatabasesWithUnfilledFolders)
{
    const FillCase& c = GetParam();
    dynamic_cast<CKtvPWorkspace*>(AfxGetApp())->WriteSectionInt("HideSysObj", "EnvironmentGeneral", c.hideSysObj);
    if (c.fixtureOffline)
        RunOnServer("ALTER DATABASE ExplorerFix SET OFFLINE");
    frame->m_DatabaseList.RemoveAll();
    frame->m_DatabaseList.AddTail("left from before");
    frame->FillDatabaseTree();
    Pump();

    CObjectBrowseTreeCtrl& tree = Tree();
    HTREEITEM hRoot = tree.GetRootItem();
    ASSERT_NE(hRoot, nullptr);
    EXPECT_EQ(tree.GetNextSiblingItem(hRoot), nullptr) << "one root";
    EXPECT_EQ(tree.GetItemText(hRoot), CString(static_cast<LPCTSTR>(frame->m_SQLServer->GetName())));
    EXPECT_EQ(ImageOf(hRoot), OBJTREE_IMG_SERVER);
    EXPECT_TRUE(tree.GetItemState(hRoot, TVIS_EXPANDED) & TVIS_EXPANDED) << "the databases show";
    EXPECT_EQ(Children(hRoot), c.databases);
    EXPECT_EQ(Children({c.databases.back().c_str()}), c.fixtureFolders);
    EXPECT_EQ(ListTexts(frame->m_DatabaseList), c.databaseList);

    for (HTREEITEM hDb = tree.GetChildItem(hRoot); hDb != nullptr; hDb = tree.GetNextSiblingItem(hDb)) {
        EXPECT_EQ(ImageOf(hDb), OBJTREE_IMG_DATABASE);
        EXPECT_FALSE(tree.GetItemState(hDb, TVIS_EXPANDED) & TVIS_EXPANDED);
        for (HTREEITEM hFolder = tree.GetChildItem(hDb); hFolder != nullptr;
             hFolder = tree.GetNextSiblingItem(hFolder)) {
            EXPECT_EQ(ImageOf(hFolder), OBJTREE_IMG_FOLDER);
            EXPECT_EQ(Children(hFolder), std::vector<std::string>{OBJTREE_DUMMY_ITEM});
            EXPECT_EQ(ImageOf(tree.GetChildItem(hFolder)), OBJTREE_IMG_SERVER);
        }
    }
    if (c.hideSysObj == 0)
        EXPECT_EQ(Children({"master"}), kMasterFolders);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FillDatabaseTreeTest,
    ::testing::Values(
        FillCase{"AllShown", 0, false, {"master", "tempdb", "TarnSample", "ExplorerFix"}, kFolders,
                 {"master", "tempdb", "TarnSample", "ExplorerFix"}},
        FillCase{"SystemHidden", 1, false, {"TarnSample", "ExplorerFix"}, kFoldersHidden,
                 {"master", "tempdb", "TarnSample", "ExplorerFix"}},
        FillCase{"Offline", 0, true, {"master", "tempdb", "TarnSample", "ExplorerFix(OFFLINE)"}, {},
                 {"master", "tempdb", "TarnSample"}},
        FillCase{"OfflineAndHidden", 1, true, {"TarnSample", "ExplorerFix(OFFLINE)"}, {},
                 {"master", "tempdb", "TarnSample"}}),
    [](const ::testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

// The Object pane after a logon, with the sample database's tables and the
// columns of one of them open (object-tree.png beside the test program). The
// pane keeps a one-pixel frame in the button-shadow colour around the tree.
TEST_F(ExplorerTest, ObjectPaneShowsTheSampleDatabaseTree)
{
    frame->FillDatabaseTree();
    CObjectBrowseTreeCtrl& tree = Tree();
    HTREEITEM hTables = Find({"TarnSample", "User Table"});
    ASSERT_NE(hTables, nullptr);
    tree.OnExpandItem(hTables);
    tree.Expand(Find({"TarnSample"}), TVE_EXPAND);
    tree.Expand(hTables, TVE_EXPAND);
    HTREEITEM hTable = Find({"TarnSample", "User Table", "dbo.Customers"});
    ASSERT_NE(hTable, nullptr);
    tree.Expand(hTable, TVE_EXPAND);
    HTREEITEM hColumns = Find({"TarnSample", "User Table", "dbo.Customers", "Columns"});
    tree.OnExpandItem(hColumns);
    tree.Expand(hColumns, TVE_EXPAND);
    tree.SelectItem(hColumns);
    tree.SelectSetFirstVisible(tree.GetRootItem());
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(Children({"TarnSample", "User Table"}),
              (std::vector<std::string>{"dbo.Customers", "dbo.Order Details", "dbo.Orders", "dbo.Products"}));
    EXPECT_TRUE(boxes.empty());

    CRect treeRect;
    tree.GetWindowRect(treeRect);
    CObjectBrowseBar& bar = frame->m_wndObjectBar;
    bar.ScreenToClient(treeRect);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(ScreenPixel(bar.GetSafeHwnd(), treeRect.left - 1, treeRect.CenterPoint().y), shadow);
    EXPECT_EQ(ScreenPixel(bar.GetSafeHwnd(), treeRect.right, treeRect.CenterPoint().y), shadow);
    EXPECT_EQ(ScreenPixel(bar.GetSafeHwnd(), treeRect.CenterPoint().x, treeRect.top - 1), shadow);
    EXPECT_EQ(ScreenPixel(bar.GetSafeHwnd(), treeRect.CenterPoint().x, treeRect.bottom), shadow);

    CRect pane;
    bar.GetWindowRect(pane);
    const auto path = std::filesystem::canonical("/proc/self/exe").parent_path() / "object-tree.png";
    EXPECT_TRUE(tw::display::Display::Instance().GetScreen().SavePng(path.string(), &pane)) << path;
}

}  // namespace
}  // namespace explorertest
