// Accelerator tables: shared resource tables, copies, and the commands that
// TranslateAccelerator sends for the keys it matches.
#include "platform/win32/menu/AcceleratorStore.h"
#include "platform/win32/resource/AcceleratorResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"
#include "tests/platform/win32/menu/MenuTestFixture.h"

namespace tw::menu::test {
namespace {

HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(0xACC1); }

class Accelerators : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        bytes = tw::res::WriteAcceleratorTable({
            {tw::res::kAccelVirtKey | tw::res::kAccelControl, 'N', 101},
            {tw::res::kAccelVirtKey | tw::res::kAccelControl | tw::res::kAccelShift, 'S', 102},
            {tw::res::kAccelVirtKey, VK_F5, 103},
            {tw::res::kAccelVirtKey | tw::res::kAccelAlt, VK_F4, SC_CLOSE},
            {0, '?', 104},
        });
        entry = ResourceEntry{9, nullptr, 130, nullptr, 0, bytes.data(), static_cast<DWORD>(bytes.size())};
        table = ResourceTable{&entry, 1};
        ASSERT_TRUE(tw::RegisterResources(Module(), table));
    }
    void TearDown() override
    {
        tw::UnregisterResources(Module());
        MenuTest::TearDown();
    }
    // The key as the frame's queue delivers it, run through the table.
    int Translate(HACCEL accel, UINT message, WPARAM key, LPARAM lParam = 0)
    {
        MSG msg{frame, message, key, lParam, 0, {0, 0}};
        return TranslateAccelerator(frame, accel, &msg);
    }
    void Hold(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }

    std::vector<BYTE> bytes;
    ResourceEntry entry{};
    ResourceTable table{};
};

TEST_F(Accelerators, TwoLoadsShareAHandleAndOneHoldersDestroyLeavesTheOtherWorking)
{
    MakeFrame(RECT{50, 50, 400, 300});
    HACCEL first = LoadAccelerators(Module(), MAKEINTRESOURCE(130));
    HACCEL second = LoadAccelerators(Module(), "#130");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);

    ASSERT_TRUE(DestroyAcceleratorTable(first));
    Hold({VK_CONTROL});
    EXPECT_TRUE(Translate(second, WM_KEYDOWN, 'N'));
    EXPECT_EQ(Log("WM_COMMAND"), std::vector<std::string>{"WM_COMMAND 0x10065 0x0"});
    EXPECT_EQ(CopyAcceleratorTable(second, nullptr, 0), 5);

    // The last holder ends the table; a later load makes a new one.
    ASSERT_TRUE(DestroyAcceleratorTable(second));
    EXPECT_FALSE(DestroyAcceleratorTable(second));
    EXPECT_EQ(CopyAcceleratorTable(second, nullptr, 0), 0);
    HACCEL third = LoadAccelerators(Module(), MAKEINTRESOURCE(130));
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third, first) << "a handle value is never given out twice";
    DestroyAcceleratorTable(third);
}

TEST_F(Accelerators, CreatedTablesAreOwnedAndCopiedEntryForEntry)
{
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'C', 1}, {0, 'a', 2}};
    HACCEL one = CreateAcceleratorTable(entries, 2);
    HACCEL two = CreateAcceleratorTable(entries, 2);
    ASSERT_NE(one, nullptr);
    EXPECT_NE(one, two) << "created tables are never shared";
    ACCEL copy[3] = {};
    EXPECT_EQ(CopyAcceleratorTable(one, copy, 1), 1);
    EXPECT_EQ(copy[0].key, 'C');
    EXPECT_EQ(copy[1].key, 0);
    EXPECT_EQ(CopyAcceleratorTable(one, copy, 3), 2);
    EXPECT_EQ(copy[1].cmd, 2);
    EXPECT_TRUE(DestroyAcceleratorTable(one));
    EXPECT_FALSE(DestroyAcceleratorTable(one));
    EXPECT_EQ(CreateAcceleratorTable(entries, 0), nullptr);
    DestroyAcceleratorTable(two);
    EXPECT_EQ(LoadAccelerators(Module(), MAKEINTRESOURCE(131)), nullptr);
}

TEST_F(Accelerators, ATableHeldTwiceLivesUntilBothHoldersLetGo)
{
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'C', 1}};
    HACCEL table = CreateAcceleratorTable(entries, 1);
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(AcceleratorStore::Instance().Hold(table));
    EXPECT_EQ(AcceleratorStore::Instance().Holders(table), 2);
    ASSERT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_EQ(CopyAcceleratorTable(table, nullptr, 0), 1) << "the second holder still uses it";
    ASSERT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_EQ(CopyAcceleratorTable(table, nullptr, 0), 0);
    EXPECT_FALSE(AcceleratorStore::Instance().Hold(table)) << "an ended table cannot be held again";
}

struct AccelKeyCase {
    const char* name;
    std::vector<int> held;
    UINT message;
    WPARAM key;
    LPARAM lParam;
    const char* command;  // nullptr: no match
};

class AcceleratorKeys : public Accelerators, public ::testing::WithParamInterface<AccelKeyCase> {};

TEST_P(AcceleratorKeys, MatchExactlyTheModifiersOfTheEntry)
{
    const AccelKeyCase& c = GetParam();
    MakeFrame(RECT{50, 50, 400, 300});
    HACCEL accel = LoadAccelerators(Module(), MAKEINTRESOURCE(130));
    BYTE state[256] = {};
    for (int key : c.held)
        state[key] = 0x80;
    SetKeyboardState(state);
    const int matched = Translate(accel, c.message, c.key, c.lParam);
    if (!c.command) {
        EXPECT_FALSE(matched);
        EXPECT_TRUE(Log("WM_COMMAND").empty());
    } else {
        EXPECT_TRUE(matched);
        EXPECT_EQ(Log("WM_"), std::vector<std::string>{c.command});
    }
    DestroyAcceleratorTable(accel);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AcceleratorKeys,
    ::testing::Values(AccelKeyCase{"CtrlN", {VK_CONTROL}, WM_KEYDOWN, 'N', 0, "WM_COMMAND 0x10065 0x0"},
                      AccelKeyCase{"PlainNIsNotCtrlN", {}, WM_KEYDOWN, 'N', 0, nullptr},
                      AccelKeyCase{"CtrlShiftNIsNotCtrlN", {VK_CONTROL, VK_SHIFT}, WM_KEYDOWN, 'N', 0, nullptr},
                      AccelKeyCase{"CtrlShiftS", {VK_CONTROL, VK_SHIFT}, WM_KEYDOWN, 'S', 0, "WM_COMMAND 0x10066 0x0"},
                      AccelKeyCase{"F5", {}, WM_KEYDOWN, VK_F5, 0, "WM_COMMAND 0x10067 0x0"},
                      AccelKeyCase{"KeyUpNeverMatches", {}, WM_KEYUP, VK_F5, 0, nullptr},
                      AccelKeyCase{"AltF4", {VK_MENU}, WM_SYSKEYDOWN, VK_F4, 1 << 29, "WM_COMMAND 0x1F060 0x0"},
                      AccelKeyCase{"Character", {}, WM_CHAR, '?', 0, "WM_COMMAND 0x10068 0x0"},
                      AccelKeyCase{"CharacterWithAltIsNot", {VK_MENU}, WM_SYSCHAR, '?', 1 << 29, nullptr}),
    [](const auto& info) { return info.param.name; });

TEST_F(Accelerators, DisabledMenuItemEatsItsShortcutAfterTheMenusAreInitialised)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 101, "&New");
    AppendMenu(file, MF_STRING | MF_GRAYED, 102, "&Save");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    Name(bar, "bar");
    Name(file, "file");
    MakeFrame(RECT{50, 50, 400, 300}, bar);
    HACCEL accel = LoadAccelerators(Module(), MAKEINTRESOURCE(130));

    Hold({VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(Translate(accel, WM_KEYDOWN, 'S')) << "the key is used up";
    EXPECT_EQ(Log("WM_"), (std::vector<std::string>{"WM_INITMENU bar", "WM_INITMENUPOPUP file 0x0"}));

    ClearLog();
    Hold({VK_CONTROL});
    EXPECT_TRUE(Translate(accel, WM_KEYDOWN, 'N'));
    EXPECT_EQ(Log("WM_"), (std::vector<std::string>{"WM_INITMENU bar", "WM_INITMENUPOPUP file 0x0",
                                                    "WM_COMMAND 0x10065 0x0"}));
    DestroyAcceleratorTable(accel);
}

TEST_F(Accelerators, ACommandOfTheSystemMenuIsASystemCommand)
{
    MakeFrame(RECT{50, 50, 400, 300});
    ASSERT_NE(GetSystemMenu(frame, FALSE), nullptr);
    HACCEL accel = LoadAccelerators(Module(), MAKEINTRESOURCE(130));
    Hold({VK_MENU});
    EXPECT_TRUE(Translate(accel, WM_SYSKEYDOWN, VK_F4, 1 << 29));
    EXPECT_EQ(Log("WM_SYSCOMMAND"), std::vector<std::string>{"WM_SYSCOMMAND 0xF060"});
    EXPECT_TRUE(Log("WM_COMMAND").empty());
    DestroyAcceleratorTable(accel);
}

}  // namespace
}  // namespace tw::menu::test
