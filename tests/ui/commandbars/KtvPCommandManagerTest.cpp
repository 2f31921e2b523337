// Command images, the commands shown without images and their stored list,
// and the usage counts behind personalised menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPRegistry.h"

namespace {

constexpr char kProfile[] = "Software\\TwTests\\CommandState\\";
constexpr char kManagerKey[] = "Software\\TwTests\\CommandState\\KtvCommandManager";

class CommandStateTest : public ktvtest::StoredStateTest {
protected:
    const char* StateKey() const override { return "Software\\TwTests\\CommandState"; }
};

std::vector<UINT> ListOf(const CKtvPCommandManager& manager)
{
    std::vector<UINT> ids;
    for (POSITION pos = manager.m_lstCommandsWithoutImages.GetHeadPosition(); pos != nullptr;)
        ids.push_back(manager.m_lstCommandsWithoutImages.GetNext(pos));
    return ids;
}

// --- images --------------------------------------------------------------------

struct ImageStep {
    UINT cmd;
    int image;
    BOOL user;
};

struct ImageCase {
    const char* name;
    std::vector<ImageStep> steps;
    int standard;  // GetCmdImage(cmd, FALSE) of the first step's command afterwards
    int user;
};

TEST(CommandImages, TheFirstKindOfImageACommandGetsKeepsIt)
{
    const ImageCase cases[] = {
        {"standard only", {{100, 3, FALSE}}, 3, -1},
        {"user only", {{100, 7, TRUE}}, -1, 7},
        {"a user image never hides a standard one", {{100, 3, FALSE}, {100, 7, TRUE}}, 3, -1},
        {"a standard image never replaces a user one", {{100, 7, TRUE}, {100, 3, FALSE}}, -1, 7},
        {"the same kind is replaced", {{100, 3, FALSE}, {100, 4, FALSE}}, 4, -1},
        {"id 0 gets nothing", {{0, 3, FALSE}}, -1, -1},
        {"id -1 gets nothing", {{static_cast<UINT>(-1), 7, TRUE}}, -1, -1},
    };
    for (const auto& c : cases) {
        CKtvPCommandManager manager;
        for (const auto& step : c.steps)
            manager.SetCmdImage(step.cmd, step.image, step.user);
        const UINT cmd = c.steps.front().cmd;
        EXPECT_EQ(manager.GetCmdImage(cmd, FALSE), c.standard) << c.name;
        EXPECT_EQ(manager.GetCmdImage(cmd, TRUE), c.user) << c.name;
    }
}

TEST(CommandImages, ClearingForgetsOnlyTheUserImage)
{
    CKtvPCommandManager manager;
    manager.SetCmdImage(100, 3, FALSE);
    manager.SetCmdImage(200, 9, TRUE);
    manager.ClearCmdImage(100);
    manager.ClearCmdImage(200);
    EXPECT_EQ(manager.GetCmdImage(100, FALSE), 3);
    EXPECT_EQ(manager.GetCmdImage(200, TRUE), -1);
    // Once cleared, the other kind may come.
    manager.SetCmdImage(200, 4, FALSE);
    EXPECT_EQ(manager.GetCmdImage(200), 4);

    manager.EnableMenuItemImage(300, FALSE);
    manager.ClearAllCmdImages();
    EXPECT_EQ(manager.GetCmdImage(100), -1);
    EXPECT_EQ(manager.GetCmdImage(200), -1);
    EXPECT_FALSE(manager.IsMenuItemWithoutImage(300));
}

TEST(CommandImages, TheFreeFunctionAsksTheProcessWideManager)
{
    GetCmdMgr()->SetCmdImage(41234, 12, FALSE);
    EXPECT_EQ(GetCmdImage(41234), 12);
    EXPECT_EQ(GetCmdImage(41234, TRUE), -1);
    GetCmdMgr()->ClearAllCmdImages();
}

// --- commands without images ------------------------------------------------------

struct StoredListCase {
    const char* name;
    std::vector<UINT> disabled;
    const char* bytes;
};

TEST_F(CommandStateTest, TheListWithoutImagesIsStoredAsItsCountAndIds)
{
    const StoredListCase cases[] = {
        {"empty", {}, "00 00"},
        {"one", {40001}, "01 00 41 9c 00 00"},
        {"a command disabled twice is stored once", {40001, 40002, 40001}, "02 00 41 9c 00 00 42 9c 00 00"},
    };
    for (const auto& c : cases) {
        CKtvPCommandManager manager;
        for (UINT cmd : c.disabled)
            manager.EnableMenuItemImage(cmd, FALSE);
        ASSERT_TRUE(manager.SaveState(kProfile)) << c.name;
        EXPECT_EQ(ktvtest::StoredHex(kManagerKey, "CommandsWithoutImages"), std::string(c.bytes)) << c.name;

        CKtvPCommandManager loaded;
        loaded.EnableMenuItemImage(555, FALSE);  // replaced by the stored list
        ASSERT_TRUE(loaded.LoadState(kProfile)) << c.name;
        EXPECT_EQ(ListOf(loaded), ListOf(manager)) << c.name;
    }
}

TEST_F(CommandStateTest, EnablingTakesACommandOffTheList)
{
    CKtvPCommandManager manager;
    manager.EnableMenuItemImage(1, FALSE);
    manager.EnableMenuItemImage(2, FALSE);
    manager.EnableMenuItemImage(3, FALSE);
    manager.EnableMenuItemImage(2, TRUE);
    manager.EnableMenuItemImage(9, TRUE);  // not on the list: nothing
    EXPECT_EQ(ListOf(manager), (std::vector<UINT>{1, 3}));
    EXPECT_TRUE(manager.IsMenuItemWithoutImage(3));
    EXPECT_FALSE(manager.IsMenuItemWithoutImage(2));
}

TEST_F(CommandStateTest, RepeatedIdsLoadOnceAndLoadingAgainDoesNotGrowTheList)
{
    ktvtest::StoreHex(kManagerKey, "CommandsWithoutImages", "03 00 41 9c 00 00 41 9c 00 00 42 9c 00 00");
    CKtvPCommandManager manager;
    ASSERT_TRUE(manager.LoadState(kProfile));
    ASSERT_TRUE(manager.LoadState(kProfile));
    EXPECT_EQ(ListOf(manager), (std::vector<UINT>{40001, 40002}));
}

TEST_F(CommandStateTest, AMissingKeyLeavesTheListAsItWas)
{
    CKtvPCommandManager manager;
    manager.EnableMenuItemImage(7, FALSE);
    EXPECT_FALSE(manager.LoadState(kProfile));
    EXPECT_EQ(ListOf(manager), (std::vector<UINT>{7}));
}

TEST_F(CommandStateTest, ADamagedListIsRefusedAndKeptUntilTheUserChangesTheList)
{
    const char* damaged[] = {
        "02 00 41 9c 00 00",  // a count larger than the ids that follow
        "01 00 41 9c",        // an id cut short
        "ff",                 // a count cut short
    };
    for (const char* bytes : damaged) {
        ktvtest::StoreHex(kManagerKey, "CommandsWithoutImages", bytes);
        CKtvPCommandManager manager;
        manager.EnableMenuItemImage(7, FALSE);
        EXPECT_FALSE(manager.LoadState(kProfile)) << bytes;
        EXPECT_EQ(ListOf(manager), (std::vector<UINT>{7})) << bytes;
        EXPECT_TRUE(manager.SaveState(kProfile)) << bytes;
        EXPECT_EQ(ktvtest::StoredHex(kManagerKey, "CommandsWithoutImages"), std::string(bytes));

        manager.EnableMenuItemImage(8, FALSE);
        ASSERT_TRUE(manager.SaveState(kProfile));
        EXPECT_EQ(ktvtest::StoredHex(kManagerKey, "CommandsWithoutImages"),
                  std::string("02 00 07 00 00 00 08 00 00 00"));
    }
}

// --- usage counts -----------------------------------------------------------------

TEST(CommandUsage, CommandsThatSayNothingAboutTheUserAreNeverCounted)
{
    KtvPrepareUiTest();
    struct Case {
        UINT cmd;
        bool counted;
    };
    const Case cases[] = {
        {0, false},      {static_cast<UINT>(-1), false},
        {0xE10F, true},  {0xE110, false}, {0xE11F, false}, {0xE120, true},   // recent files
        {0xEFFF, true},  {0xF000, false}, {0xF1EF, false}, {0xF1F0, true},   // system commands
        {0xFEFF, true},  {0xFF00, false}, {0xFFFF, false},                   // MDI child entries
        {0xE20F, true},  {0xE210, false}, {0xE21F, false}, {0xE220, true},   // object verbs
        {32805, false},  {32806, true},                                      // the tools placeholder, a tool
    };
    CKtvPUserToolsManager tools(32805, 32806, 32815, RUNTIME_CLASS(CKtvPUserTool));
    for (const auto& c : cases) {
        CKtvPCommandUsage usage;
        usage.AddCmd(c.cmd);
        EXPECT_EQ(usage.GetCount(c.cmd), c.counted ? 1u : 0u) << std::hex << c.cmd;
        EXPECT_EQ(usage.m_nTotalUsage, c.counted ? 1u : 0u) << std::hex << c.cmd;
    }
}

TEST(CommandUsage, ThePlaceholderCountsWhenThereAreNoTools)
{
    ASSERT_EQ(g_pUserToolsManager, nullptr);
    CKtvPCommandUsage usage;
    usage.AddCmd(32805);
    EXPECT_EQ(usage.GetCount(32805), 1u);
}

TEST(CommandUsage, ACommandIsFrequentAboveFivePercentOfAllUses)
{
    struct Case {
        UINT uses;   // of command 100
        UINT total;  // all counted uses
        BOOL frequent;
    };
    const Case cases[] = {
        {0, 0, FALSE}, {2, 40, FALSE}, {3, 40, TRUE}, {1, 20, FALSE}, {2, 20, TRUE}, {1, 1, TRUE}, {0, 10, FALSE},
    };
    for (const auto& c : cases) {
        CKtvPCommandUsage usage;
        for (UINT i = 0; i < c.uses; i++)
            usage.AddCmd(100);
        for (UINT i = c.uses; i < c.total; i++)
            usage.AddCmd(200);
        EXPECT_EQ(usage.IsFrequentlyUsedCmd(100), c.frequent) << c.uses << " of " << c.total;
        EXPECT_TRUE(usage.HasEnoughInformation());
    }
}

TEST(CommandUsage, ResetForgetsEveryCount)
{
    CKtvPCommandUsage usage;
    usage.AddCmd(100);
    usage.AddCmd(100);
    usage.Reset();
    EXPECT_EQ(usage.GetCount(100), 0u);
    EXPECT_EQ(usage.m_nTotalUsage, 0u);
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(100));
}

struct UsageImageCase {
    const char* name;
    std::vector<UINT> uses;  // in order
    const char* bytes;
};

TEST_F(CommandStateTest, CountsAreStoredAsTheTotalThenPairsInBucketOrder)
{
    const UsageImageCase cases[] = {
        {"empty", {}, "00 00 00 00 00 00"},
        {"one", {32771, 32771}, "02 00 00 00 01 00 03 80 00 00 02 00 00 00"},
        // 16 and 289 share bucket 1, the newest first; 272 is in bucket 0.
        {"several buckets",
         {16, 16, 289, 272},
         "04 00 00 00 03 00 10 01 00 00 01 00 00 00 21 01 00 00 01 00 00 00 10 00 00 00 02 00 00 00"},
    };
    for (const auto& c : cases) {
        CKtvPCommandUsage usage;
        for (UINT cmd : c.uses)
            usage.AddCmd(cmd);
        {
            CKtvPRegistry reg(FALSE, FALSE);
            ASSERT_TRUE(reg.CreateKey(kManagerKey));
            ASSERT_TRUE(reg.Write("CommandsUsage", usage));
        }
        EXPECT_EQ(ktvtest::StoredHex(kManagerKey, "CommandsUsage"), std::string(c.bytes)) << c.name;

        CKtvPCommandUsage loaded;
        CKtvPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(kManagerKey));
        ASSERT_TRUE(reg.Read("CommandsUsage", loaded)) << c.name;
        EXPECT_EQ(loaded.m_nTotalUsage, usage.m_nTotalUsage) << c.name;
        for (UINT cmd : c.uses)
            EXPECT_EQ(loaded.GetCount(cmd), usage.GetCount(cmd)) << c.name;
    }
}

TEST_F(CommandStateTest, DamagedCountsLeaveTheCounterAsItWas)
{
    const char* damaged[] = {
        "05 00 00 00 02 00 10 00 00 00 05 00 00 00",  // two pairs promised, one stored
        "05 00 00 00 01 00 10 00 00 00",              // a pair cut short
        "05 00",                                      // the total cut short
    };
    for (const char* bytes : damaged) {
        ktvtest::StoreHex(kManagerKey, "CommandsUsage", bytes);
        CKtvPCommandUsage usage;
        usage.AddCmd(300);
        CKtvPRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(kManagerKey));
        EXPECT_FALSE(reg.Read("CommandsUsage", usage)) << bytes;
        EXPECT_EQ(usage.GetCount(300), 1u) << bytes;
        EXPECT_EQ(usage.GetCount(16), 0u) << bytes;
        EXPECT_EQ(usage.m_nTotalUsage, 1u) << bytes;
    }
}

}  // namespace
