// The refresh commands: the whole tree, a folder at once, or a node's
// folders and sub-folders put back unfilled.
#include "tests/explorer/ExplorerFixture.h"
#include "ui/frames/KtvPWorkspace.h"

namespace explorertest {
namespace {

class ExplorerRefreshTest : public ExplorerTest {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        frame->FillDatabaseTree();
        Pump();
    }

    // Fills every node on the path, as clicks would.
    HTREEITEM Filled(const std::vector<const char*>& path)
    {
        CObjectBrowseTreeCtrl& tree = Tree();
        HTREEITEM hItem = tree.GetRootItem();
        for (const char* text : path) {
            HTREEITEM hChild = tree.GetChildItem(hItem);
            while (hChild != nullptr && tree.GetItemText(hChild) != text)
                hChild = tree.GetNextSiblingItem(hChild);
            hItem = hChild;
            if (hItem == nullptr)
                return nullptr;
            tree.OnExpandItem(hItem);
        }
        return hItem;
    }
};

struct RefreshCase {
    const char* name;
    std::vector<const char*> path;
    UINT command;
    std::vector<std::string> children;
    int placeholderImage;  // of the children's placeholders; -1: the children are filled
};

void PrintTo(const RefreshCase& c, std::ostream* os) { *os << c.name; }

class RefreshTableTest : public ExplorerRefreshTest, public ::testing::WithParamInterface<RefreshCase> {};

TEST_P(RefreshTableTest, TheCommandPutsBackTheNodesChildren)
{
    const RefreshCase& c = GetParam();
    HTREEITEM hItem = Filled(c.path);
    ASSERT_NE(hItem, nullptr);
    // Something below is filled first, so the refresh has something to undo.
    if (HTREEITEM hChild = Tree().GetChildItem(hItem))
        Tree().OnExpandItem(hChild);
    RunCommand(hItem, c.command);
    EXPECT_EQ(Children(hItem), c.children);
    EXPECT_TRUE(boxes.empty());
    for (HTREEITEM hChild = Tree().GetChildItem(hItem); hChild != nullptr; hChild = Tree().GetNextSiblingItem(hChild)) {
        if (c.placeholderImage < 0)
            continue;
        EXPECT_EQ(ImageOf(hChild), OBJTREE_IMG_FOLDER);
        EXPECT_EQ(Children(hChild), std::vector<std::string>{OBJTREE_DUMMY_ITEM});
        EXPECT_EQ(ImageOf(Tree().GetChildItem(hChild)), c.placeholderImage);
    }
}

const std::vector<std::string> kDatabaseFolders = {"User Table", "System Table", "View", "Procedure", "Function"};

INSTANTIATE_TEST_SUITE_P(
    Table, RefreshTableTest,
    ::testing::Values(
        RefreshCase{"DatabaseMaster", {"master"}, 40004,
                    {"User Table", "System Table", "View", "Procedure", "Extend Procedure", "Function"},
                    OBJTREE_IMG_SERVER},
        RefreshCase{"Database", {"ExplorerFix"}, 40004, kDatabaseFolders, OBJTREE_IMG_SERVER},
        RefreshCase{"DatabaseOnAFolderDoesNothing", {"ExplorerFix", "Function"}, 40004, {"dbo.fn_Weight"}, -1},
        RefreshCase{"Table", {"ExplorerFix", "User Table", "dbo.Orders"}, 40022,
                    {"Columns", "Index", "Restriction", "Depend", "Trigger", "Foreign Key"}, OBJTREE_IMG_FOLDER},
        RefreshCase{"View", {"ExplorerFix", "View", "dbo.PartList"}, 40052, {"Columns", "Index", "Depend"},
                    OBJTREE_IMG_FOLDER},
        RefreshCase{"Procedure", {"ExplorerFix", "Procedure", "mara.usp_Parts"}, 40080, {"Parameter", "Depend"},
                    OBJTREE_IMG_FOLDER},
        RefreshCase{"ExtendedProcedure", {"master", "Extend Procedure", "dbo.xp_cmdshell"}, 40080, {"DLL Name"},
                    OBJTREE_IMG_FOLDER},
        RefreshCase{"Function", {"ExplorerFix", "Function", "dbo.fn_Weight"}, 40102, {"Parameter", "Depend"},
                    OBJTREE_IMG_FOLDER},
        RefreshCase{"FolderRefilledAtOnce", {"ExplorerFix", "Function"}, 40008, {"dbo.fn_Weight"}, -1}),
    [](const ::testing::TestParamInfo<RefreshCase>& info) { return std::string(info.param.name); });

// After a table is dropped from the side, Refresh on its folder shows the
// folder without it; its sub-folders come back unfilled.
TEST_F(ExplorerRefreshTest, FolderRefreshShowsADroppedTableGone)
{
    RunOnServer("CREATE TABLE dbo.Scratch (x int)", kFixtureDatabase);
    HTREEITEM hFolder = Filled({"ExplorerFix", "User Table"});
    ASSERT_NE(Find({"ExplorerFix", "User Table", "dbo.Scratch"}), nullptr);
    RunOnServer("DROP TABLE dbo.Scratch", kFixtureDatabase);
    RunCommand(hFolder, 40008);
    EXPECT_EQ(Children(hFolder), (std::vector<std::string>{"dbo.Odd ]'Name", "dbo.Orders", "dbo.Parts", "mara.Parts"}));
    EXPECT_EQ(Children({"ExplorerFix", "User Table", "dbo.Parts", "Columns"}),
              std::vector<std::string>{OBJTREE_DUMMY_ITEM});
}

// Refresh on the server removes every node, filled or not, and rebuilds the
// databases and the list of their names; the folders stay unfilled.
TEST_F(ExplorerRefreshTest, ServerRefreshRebuildsTheUpperLevels)
{
    Filled({"ExplorerFix", "User Table", "dbo.Parts", "Columns"});
    RunOnServer("CREATE DATABASE Arrived");
    frame->m_DatabaseList.RemoveAll();
    RunCommand(Tree().GetRootItem(), 40008);
    EXPECT_NE(Find({"Arrived"}), nullptr);
    EXPECT_EQ(Children({"ExplorerFix", "User Table"}), std::vector<std::string>{OBJTREE_DUMMY_ITEM});
    EXPECT_NE(frame->m_DatabaseList.Find("Arrived"), nullptr);
    EXPECT_EQ(frame->m_DatabaseList.GetHead(), CString("master"));
    RunOnServer("DROP DATABASE Arrived");
}

// Database/Refresh puts "System Table" back even while system objects are
// hidden, and leaves a database that is not online alone.
TEST_F(ExplorerRefreshTest, DatabaseRefreshIgnoresTheHidingAndOfflineDatabases)
{
    dynamic_cast<CKtvPWorkspace*>(AfxGetApp())->WriteSectionInt("HideSysObj", "EnvironmentGeneral", 1);
    RunOnServer("ALTER DATABASE ExplorerFix SET OFFLINE");
    frame->FillDatabaseTree();
    RunOnServer("ALTER DATABASE ExplorerFix SET ONLINE");
    HTREEITEM hSample = Find({"TarnSample"});
    EXPECT_EQ(Children(hSample), (std::vector<std::string>{"User Table", "View", "Procedure", "Function"}));
    RunCommand(hSample, 40004);
    EXPECT_EQ(Children(hSample), kDatabaseFolders);
    HTREEITEM hOffline = Find({"ExplorerFix(OFFLINE)"});
    ASSERT_NE(hOffline, nullptr);
    RunCommand(hOffline, 40004);
    EXPECT_TRUE(Children(hOffline).empty());
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace explorertest
