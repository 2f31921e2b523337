// Filling folders and sub-folders by clicks and keys, on the sample database
// and the fixture database.
#include "tests/explorer/ExplorerFixture.h"

namespace explorertest {
namespace {

class ExplorerExpandTest : public ExplorerTest {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        frame->FillDatabaseTree();
        Pump();
    }

    // Clicks every node on the path from the database down, as a user opens them.
    HTREEITEM Open(std::initializer_list<const char*> path)
    {
        std::vector<const char*> steps;
        HTREEITEM hItem = nullptr;
        for (const char* text : path) {
            steps.push_back(text);
            hItem = FindPath(steps);
            if (hItem == nullptr)
                return nullptr;
            ClickNode(hItem);
        }
        return hItem;
    }

    HTREEITEM FindPath(const std::vector<const char*>& steps)
    {
        CObjectBrowseTreeCtrl& tree = Tree();
        HTREEITEM hItem = tree.GetRootItem();
        for (const char* text : steps) {
            HTREEITEM hChild = hItem != nullptr ? tree.GetChildItem(hItem) : nullptr;
            while (hChild != nullptr && tree.GetItemText(hChild) != text)
                hChild = tree.GetNextSiblingItem(hChild);
            hItem = hChild;
        }
        return hItem;
    }
};

struct ExpandCase {
    const char* name;
    std::vector<const char*> path;  // from the database down to the node clicked last
    std::vector<std::string> entries;
    int image;  // of the entries; -1 when there are none
};

void PrintTo(const ExpandCase& c, std::ostream* os) { *os << c.name; }

class ExpansionTableTest : public ExplorerExpandTest, public ::testing::WithParamInterface<ExpandCase> {};

TEST_P(ExpansionTableTest, AClickFillsTheNodeWithItsEntries)
{
    const ExpandCase& c = GetParam();
    HTREEITEM hItem = nullptr;
    {
        std::vector<const char*> steps;
        for (const char* text : c.path) {
            steps.push_back(text);
            hItem = FindPath(steps);
            ASSERT_NE(hItem, nullptr) << "no node " << text;
            ClickNode(hItem);
        }
    }
    EXPECT_EQ(Children(hItem), c.entries);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    if (c.image >= 0)
        for (HTREEITEM hChild = Tree().GetChildItem(hItem); hChild != nullptr;
             hChild = Tree().GetNextSiblingItem(hChild))
            EXPECT_EQ(ImageOf(hChild), c.image) << Tree().GetItemText(hChild);
    // A second click changes nothing.
    ClickNode(hItem);
    EXPECT_EQ(Children(hItem), c.entries);
}

const std::vector<std::string> kTableSubFolders = {"Columns", "Index", "Restriction", "Depend", "Trigger", "Foreign Key"};

INSTANTIATE_TEST_SUITE_P(
    Fixture, ExpansionTableTest,
    ::testing::Values(
        ExpandCase{"UserTables", {"ExplorerFix", "User Table"},
                   {"dbo.Odd ]'Name", "dbo.Orders", "dbo.Parts", "mara.Parts"}, OBJTREE_IMG_TABLE},
        ExpandCase{"TableSubFolders", {"ExplorerFix", "User Table", "mara.Parts"}, kTableSubFolders,
                   OBJTREE_IMG_FOLDER},
        ExpandCase{"Views", {"ExplorerFix", "View"}, {"dbo.Odd ]'View", "dbo.PartList"}, OBJTREE_IMG_VIEW},
        ExpandCase{"Procedures", {"ExplorerFix", "Procedure"}, {"dbo.usp_Parts", "mara.usp_Parts"},
                   OBJTREE_IMG_PROCEDURE},
        ExpandCase{"Functions", {"ExplorerFix", "Function"}, {"dbo.fn_Weight"}, OBJTREE_IMG_FUNCTION},
        ExpandCase{"ExtendedProcedures", {"master", "Extend Procedure"}, {"dbo.xp_cmdshell"},
                   OBJTREE_IMG_XPROCEDURE},
        ExpandCase{"StandardProceduresLeaveTheExtendedOut", {"master", "Procedure"}, {}, -1},
        ExpandCase{"Columns", {"ExplorerFix", "User Table", "dbo.Parts", "Columns"},
                   {"PartID (int, Not NULL)", "Code (nvarchar(40), Not NULL)", "Weight (float(53.0), NULL)",
                    "Price (decimal(10.2), NULL)", "Note (varchar(50), NULL)"},
                   OBJTREE_IMG_COLUMN},
        ExpandCase{"ColumnsOfTheOtherOwner", {"ExplorerFix", "User Table", "mara.Parts", "Columns"},
                   {"Label (nvarchar(100), NULL)", "Shelf (int, Not NULL)"}, OBJTREE_IMG_COLUMN},
        ExpandCase{"OddNameColumns", {"ExplorerFix", "User Table", "dbo.Odd ]'Name", "Columns"},
                   {"a col (int, NULL)"}, OBJTREE_IMG_COLUMN},
        ExpandCase{"ForeignKeysOnly", {"ExplorerFix", "User Table", "dbo.Orders", "Foreign Key"},
                   {"FK_Orders_Parts"}, OBJTREE_IMG_FOREIGNKEY},
        ExpandCase{"PrimaryAndUniqueKeysAreNoForeignKeys", {"ExplorerFix", "User Table", "dbo.Parts", "Foreign Key"},
                   {}, -1},
        ExpandCase{"Restrictions", {"ExplorerFix", "User Table", "dbo.Orders", "Restriction"},
                   {"DF_Orders_State", "CK_Orders_Qty"}, OBJTREE_IMG_CONSTRAINT},
        ExpandCase{"RestrictionsOfTheOtherOwner", {"ExplorerFix", "User Table", "mara.Parts", "Restriction"}, {},
                   -1},
        ExpandCase{"Triggers", {"ExplorerFix", "User Table", "dbo.Orders", "Trigger"}, {"trg_Orders"},
                   OBJTREE_IMG_TRIGGER},
        ExpandCase{"NoTriggers", {"ExplorerFix", "User Table", "dbo.Parts", "Trigger"}, {}, -1},
        ExpandCase{"Indexes", {"ExplorerFix", "User Table", "dbo.Orders", "Index"},
                   {"PK_Orders", "IX_Orders_PartID"}, OBJTREE_IMG_INDEX},
        ExpandCase{"NoIndexesOfTheOtherOwner", {"ExplorerFix", "User Table", "mara.Parts", "Index"}, {}, -1},
        ExpandCase{"ViewIndexStaysEmpty", {"ExplorerFix", "View", "dbo.PartList", "Index"}, {}, -1},
        ExpandCase{"TableDependents", {"ExplorerFix", "User Table", "dbo.Parts", "Depend"},
                   {"PartList", "usp_Parts"}, OBJTREE_IMG_DEPEND},
        ExpandCase{"ViewDependsOn", {"ExplorerFix", "View", "dbo.PartList", "Depend"}, {"Parts"},
                   OBJTREE_IMG_DEPEND},
        ExpandCase{"OddViewDependsOn", {"ExplorerFix", "View", "dbo.Odd ]'View", "Depend"}, {"Odd ]'Name"},
                   OBJTREE_IMG_DEPEND},
        ExpandCase{"Parameters", {"ExplorerFix", "Procedure", "dbo.usp_Parts", "Parameter"},
                   {"@RETURN_VALUE (int, Not Null, Return Value)", "@Code (nvarchar (20), Null, In)",
                    "@Weight (float (53.0), Null, In)", "@Limit (decimal (10.2), Null, InOut)",
                    "@Who (nvarchar (128), Null, In)"},
                   OBJTREE_IMG_COLUMN},
        ExpandCase{"ParametersOfTheOtherOwner", {"ExplorerFix", "Procedure", "mara.usp_Parts", "Parameter"},
                   {"@RETURN_VALUE (int, Not Null, Return Value)", "@Shelf (int, Null, In)"}, OBJTREE_IMG_COLUMN},
        ExpandCase{"FunctionParameters", {"ExplorerFix", "Function", "dbo.fn_Weight", "Parameter"},
                   {"@RETURN_VALUE (float (53.0), Null, Return Value)", "@w (float (53.0), Null, In)"},
                   OBJTREE_IMG_COLUMN},
        ExpandCase{"DllName", {"master", "Extend Procedure", "dbo.xp_cmdshell", "DLL Name"}, {"xplog70.dll"},
                   OBJTREE_IMG_COLUMN},
        ExpandCase{"SampleColumns", {"TarnSample", "User Table", "dbo.Order Details", "Columns"},
                   {"OrderID (int, Not NULL)", "ProductID (int, Not NULL)", "UnitPrice (money, Not NULL)",
                    "Quantity (smallint, Not NULL)", "Discount (real(24.0), Not NULL)"},
                   OBJTREE_IMG_COLUMN}),
    [](const ::testing::TestParamInfo<ExpandCase>& info) { return std::string(info.param.name); });

// Clicking a database, an object or an entry fills nothing.
TEST_F(ExplorerExpandTest, ClicksOnDatabasesObjectsAndEntriesFillNothing)
{
    HTREEITEM hTable = Open({"ExplorerFix", "User Table", "dbo.Orders"});
    ASSERT_NE(hTable, nullptr);
    EXPECT_EQ(Children({"ExplorerFix"}).size(), 5u);
    EXPECT_EQ(Children(Find({"ExplorerFix", "User Table", "dbo.Orders", "Columns"})),
              std::vector<std::string>{OBJTREE_DUMMY_ITEM});
    HTREEITEM hColumns = Open({"ExplorerFix", "User Table", "dbo.Orders", "Columns"});
    HTREEITEM hEntry = Tree().GetChildItem(hColumns);
    ASSERT_NE(hEntry, nullptr);
    ClickNode(hEntry);
    EXPECT_FALSE(Tree().ItemHasChildren(hEntry));
}

// The expand button of an unfilled folder fills it before it opens; the
// keyboard opens a node as a click does: the placeholder never shows.
TEST_F(ExplorerExpandTest, TheButtonAndTheKeyboardFillBeforeOpening)
{
    CObjectBrowseTreeCtrl& tree = Tree();
    HTREEITEM hFolder = Find({"ExplorerFix", "Function"});
    ASSERT_NE(hFolder, nullptr);
    tree.Expand(Find({"ExplorerFix"}), TVE_EXPAND);
    Pump();
    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(hFolder, rect, TRUE));
    // The button sits one indent to the left of the label's picture.
    Click(tree.GetSafeHwnd(), rect.left - 16 - tree.GetIndent() / 2, rect.CenterPoint().y);
    EXPECT_TRUE(tree.GetItemState(hFolder, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Children(hFolder), std::vector<std::string>{"dbo.fn_Weight"});

    HTREEITEM hViews = Find({"ExplorerFix", "View"});
    tree.SelectItem(hViews);
    tree.SetFocus();
    Pump();
    Key(VK_RIGHT);
    Pump();
    EXPECT_TRUE(tree.GetItemState(hViews, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Children(hViews), (std::vector<std::string>{"dbo.Odd ]'View", "dbo.PartList"}));

    HTREEITEM hDepend = Find({"ExplorerFix", "View", "dbo.PartList", "Depend"});
    tree.Expand(Find({"ExplorerFix", "View", "dbo.PartList"}), TVE_EXPAND);
    tree.SelectItem(hDepend);
    Pump();
    Key(VK_ADD);
    Pump();
    EXPECT_EQ(Children(hDepend), std::vector<std::string>{"Parts"});
    EXPECT_TRUE(boxes.empty());
}

// A folder whose database went away shows the server's error once and keeps
// the folder empty; nothing else is asked of the server.
TEST_F(ExplorerExpandTest, AFailingFillShowsTheErrorOnce)
{
    RunOnServer("ALTER DATABASE ExplorerFix SET OFFLINE");
    ClickNode(Find({"ExplorerFix", "User Table"}));
    RunOnServer("ALTER DATABASE ExplorerFix SET ONLINE");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(boxes.front().empty());
    EXPECT_TRUE(Children({"ExplorerFix", "User Table"}).empty());
    // Filled (if empty) it stays so until it is refreshed.
    ClickNode(Find({"ExplorerFix", "User Table"}));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Children({"ExplorerFix", "User Table"}).empty());
}

}  // namespace
}  // namespace explorertest
