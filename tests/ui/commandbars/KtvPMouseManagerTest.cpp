// The views a double-click command can be set for, the assignments and their
// stored value "Mouse".
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/ui/KtvStoredValue.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPMouseManager.h"

namespace {

constexpr char kMouseProfile[] = "Software\\TwTests\\Mouse\\";
constexpr char kMouseKey[] = "Software\\TwTests\\Mouse";

class MouseManagerTest : public ktvtest::StoredStateTest {
protected:
    const char* StateKey() const override { return kMouseKey; }
};

std::vector<std::string> NamesOf(const CKtvPMouseManager& manager)
{
    CStringList names;
    names.AddTail("stale");  // emptied first
    manager.GetViewNames(names);
    std::vector<std::string> result;
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
        result.emplace_back(names.GetNext(pos).GetString());
    return result;
}

TEST_F(MouseManagerTest, ViewsAreRegisteredOnceByNameAndListedInBucketOrder)
{
    CKtvPMouseManager manager;
    EXPECT_TRUE(manager.AddView(130, "Results", 130));
    EXPECT_TRUE(manager.AddView(131, "Grid"));
    EXPECT_TRUE(manager.AddView(132, "My view", 7));
    EXPECT_TRUE(manager.AddView(133, "Query"));
    EXPECT_TRUE(manager.AddView(130, "Tree"));  // a known id under a new name
    EXPECT_FALSE(manager.AddView(999, "Grid", 5));

    EXPECT_EQ(manager.GetViewIdByName("Grid"), 131);
    EXPECT_EQ(manager.GetViewIdByName("grid"), -1);
    EXPECT_EQ(manager.GetViewIdByName("Nothing"), -1);
    EXPECT_EQ(manager.GetViewIconId(132), 7u);
    EXPECT_EQ(manager.GetViewIconId(131), 0u);
    EXPECT_EQ(manager.GetViewIconId(999), 0u);
    EXPECT_EQ(NamesOf(manager), (std::vector<std::string>{"My view", "Query", "Grid", "Results", "Tree"}));
}

TEST_F(MouseManagerTest, ACommandIsAssignedReplacedAndRemoved)
{
    CKtvPMouseManager manager;
    manager.SetCommandForDblClick(130, 0);  // nothing to remove
    EXPECT_EQ(manager.m_ViewsToCommands.GetCount(), 0);
    manager.SetCommandForDblClick(130, 32771);
    manager.SetCommandForDblClick(130, 32772);
    EXPECT_EQ(manager.GetViewDblClickCommand(130), 32772u);
    manager.SetCommandForDblClick(130, 0);
    EXPECT_EQ(manager.GetViewDblClickCommand(130), 0u);
}

struct MouseImageCase {
    const char* name;
    std::vector<std::pair<int, UINT>> assignments;
    const char* bytes;
};

TEST_F(MouseManagerTest, AssignmentsAreStoredAsAPlainCountAndPairsInBucketOrder)
{
    const MouseImageCase cases[] = {
        {"none", {}, "00 00 00 00"},
        {"one", {{130, 32771}}, "01 00 00 00 82 00 00 00 03 80 00 00"},
        // Views 16 and 289 share bucket 1, the newest first; 130 is in bucket 8.
        {"several buckets",
         {{130, 1}, {16, 2}, {289, 3}},
         "03 00 00 00 21 01 00 00 03 00 00 00 10 00 00 00 02 00 00 00 82 00 00 00 01 00 00 00"},
    };
    for (const auto& c : cases) {
        {
            CKtvPMouseManager manager;
            for (const auto& [view, cmd] : c.assignments)
                manager.SetCommandForDblClick(view, cmd);
            ASSERT_TRUE(manager.SaveState(kMouseProfile)) << c.name;
        }
        EXPECT_EQ(ktvtest::StoredHex(kMouseKey, "Mouse"), std::string(c.bytes)) << c.name;

        CKtvPMouseManager loaded;
        loaded.SetCommandForDblClick(555, 1);  // replaced by what is stored
        ASSERT_TRUE(loaded.LoadState(kMouseProfile)) << c.name;
        EXPECT_EQ(loaded.m_ViewsToCommands.GetCount(), static_cast<INT_PTR>(c.assignments.size())) << c.name;
        for (const auto& [view, cmd] : c.assignments)
            EXPECT_EQ(loaded.GetViewDblClickCommand(view), cmd) << c.name;
    }
}

TEST_F(MouseManagerTest, AnAssignmentForAViewNoLongerRegisteredIsKept)
{
    {
        CKtvPMouseManager manager;
        manager.SetCommandForDblClick(400, 32780);
        ASSERT_TRUE(manager.SaveState(kMouseProfile));
    }
    CKtvPMouseManager manager;
    manager.AddView(130, "My view");
    ASSERT_TRUE(manager.LoadState(kMouseProfile));
    EXPECT_EQ(manager.GetViewDblClickCommand(400), 32780u);
}

TEST_F(MouseManagerTest, ADamagedValueKeepsThePairsReadAndStaysStoredUntilAnAssignmentChanges)
{
    struct Case {
        const char* bytes;
        std::vector<std::pair<int, UINT>> kept;
    };
    const Case cases[] = {
        {"02 00 00 00 82 00 00 00 03 80 00 00", {{130, 32771}}},  // two pairs promised, one stored
        {"01 00 00 00 82 00 00 00", {}},                          // a pair cut short
        {"ff ff ff ff", {}},                                      // a negative count
        {"01 00", {}},                                            // the count cut short
    };
    for (const auto& c : cases) {
        ktvtest::StoreHex(kMouseKey, "Mouse", c.bytes);
        CKtvPMouseManager manager;
        EXPECT_FALSE(manager.LoadState(kMouseProfile)) << c.bytes;
        EXPECT_EQ(manager.m_ViewsToCommands.GetCount(), static_cast<INT_PTR>(c.kept.size())) << c.bytes;
        for (const auto& [view, cmd] : c.kept)
            EXPECT_EQ(manager.GetViewDblClickCommand(view), cmd) << c.bytes;
        EXPECT_TRUE(manager.SaveState(kMouseProfile));
        EXPECT_EQ(ktvtest::StoredHex(kMouseKey, "Mouse"), std::string(c.bytes));

        manager.SetCommandForDblClick(130, 0);
        manager.SetCommandForDblClick(131, 7);
        ASSERT_TRUE(manager.SaveState(kMouseProfile));
        EXPECT_EQ(ktvtest::StoredHex(kMouseKey, "Mouse"), std::string("01 00 00 00 83 00 00 00 07 00 00 00"));
    }
}

TEST_F(MouseManagerTest, NothingStoredLeavesTheAssignmentsAlone)
{
    CKtvPMouseManager manager;
    manager.SetCommandForDblClick(130, 5);
    EXPECT_FALSE(manager.LoadState(kMouseProfile));
    EXPECT_EQ(manager.GetViewDblClickCommand(130), 5u);
}

}  // namespace
