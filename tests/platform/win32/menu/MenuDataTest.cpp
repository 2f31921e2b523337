// Menus as data: handles, items by position and by command, states, item
// information and menus loaded from templates.
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/menu/MenuLayout.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/resource/MenuTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"

namespace tw::menu::test {
namespace {

std::string TextOf(HMENU menu, UINT item, UINT flags)
{
    char buffer[64] = {};
    GetMenuString(menu, item, buffer, sizeof buffer, flags);
    return buffer;
}

TEST(MenuHandles, TenThousandMenusNeverRepeatAHandle)
{
    std::set<HMENU> seen;
    for (int i = 0; i < 10000; ++i) {
        HMENU menu = (i % 2) ? CreatePopupMenu() : CreateMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(seen.insert(menu).second) << "handle repeated at cycle " << i;
        ASSERT_TRUE(DestroyMenu(menu));
        ASSERT_FALSE(IsMenu(menu));
    }
}

TEST(MenuHandles, ThreadsMakingMenusAtOnceNeverShareAHandle)
{
    std::mutex mutex;
    std::set<HMENU> seen;
    bool repeated = false;
    auto work = [&] {
        std::vector<HMENU> mine;
        for (int i = 0; i < 2000; ++i) {
            HMENU menu = CreatePopupMenu();
            AppendMenu(menu, MF_STRING, static_cast<UINT_PTR>(i), "item");
            mine.push_back(menu);
            DestroyMenu(menu);
        }
        std::lock_guard<std::mutex> lock(mutex);
        for (HMENU menu : mine)
            repeated |= !seen.insert(menu).second;
    };
    std::thread first(work);
    std::thread second(work);
    first.join();
    second.join();
    EXPECT_FALSE(repeated);
    EXPECT_EQ(seen.size(), 4000u);
}

TEST(MenuHandles, DestroyedOrUnknownHandlesFailAsThePlatformReports)
{
    HMENU menu = CreateMenu();
    ASSERT_TRUE(DestroyMenu(menu));
    SetLastError(0);
    EXPECT_FALSE(DestroyMenu(menu));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_FALSE(AppendMenu(menu, MF_STRING, 1, "x"));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), 0xFFFFFFFFu);
}

class MenuItems : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar = CreateMenu();
        file = CreatePopupMenu();
        recent = CreatePopupMenu();
        AppendMenu(recent, MF_STRING, 201, "one.sql");
        AppendMenu(recent, MF_STRING, 202, "two.sql");
        AppendMenu(file, MF_STRING, 101, "&New\tCtrl+N");
        AppendMenu(file, MF_STRING | MF_GRAYED, 102, "&Save");
        AppendMenu(file, MF_SEPARATOR, 0, nullptr);
        AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
        AppendMenu(file, MF_STRING | MF_CHECKED, 103, "E&xit");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(bar, MF_STRING, 300, "&Help");
    }
    void TearDown() override { DestroyMenu(bar); }
    HMENU bar = nullptr;
    HMENU file = nullptr;
    HMENU recent = nullptr;
};

TEST_F(MenuItems, QueriesByPositionAndByCommandReachIntoSubmenus)
{
    EXPECT_EQ(GetMenuItemCount(file), 5);
    EXPECT_EQ(GetMenuItemID(file, 0), 101u);
    EXPECT_EQ(GetMenuItemID(file, 3), 0xFFFFFFFFu) << "a popup item has no command";
    EXPECT_EQ(GetMenuItemID(file, 9), 0xFFFFFFFFu);
    EXPECT_EQ(GetSubMenu(file, 3), recent);
    EXPECT_EQ(GetSubMenu(file, 0), nullptr);
    // By command from the bar, through two levels.
    EXPECT_EQ(TextOf(bar, 202, MF_BYCOMMAND), "two.sql");
    EXPECT_EQ(TextOf(file, 0, MF_BYPOSITION), "&New\tCtrl+N");
    EXPECT_EQ(GetMenuString(file, 0, nullptr, 0, MF_BYPOSITION), 11);
    char small[4];
    EXPECT_EQ(GetMenuString(file, 0, small, sizeof small, MF_BYPOSITION), 3);
    EXPECT_STREQ(small, "&Ne");
    EXPECT_EQ(GetMenuString(file, 999, small, sizeof small, MF_BYCOMMAND), 0);
}

TEST_F(MenuItems, MenuStateAnswersFlagsAndAPopupsItemCount)
{
    EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(file, 103, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(file, 3, MF_BYPOSITION), (2u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(file, 999, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(MenuItems, EnableAndCheckAnswerThePreviousState)
{
    EXPECT_EQ(EnableMenuItem(bar, 102, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(bar, 102, MF_BYCOMMAND | MF_DISABLED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(EnableMenuItem(bar, 999, MF_BYCOMMAND), -1);
    EXPECT_EQ(CheckMenuItem(file, 4, MF_BYPOSITION | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(file, 4, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(file, 999, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(MenuItems, RadioCheckMarksOneItemOfTheRangeOnly)
{
    HMENU view = CreatePopupMenu();
    for (UINT id = 400; id < 404; ++id)
        AppendMenu(view, MF_STRING | MF_CHECKED, id, "mode");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "&View");
    ASSERT_TRUE(CheckMenuRadioItem(view, 400, 402, 401, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(view, 400, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(view, 402, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(view, 403, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED)) << "outside the range";
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfo(view, 401, FALSE, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
    EXPECT_FALSE(CheckMenuRadioItem(view, 400, 402, 777, MF_BYCOMMAND));
}

TEST_F(MenuItems, InsertGoesBeforeTheItemOrAtThePosition)
{
    ASSERT_TRUE(InsertMenu(bar, 202, MF_BYCOMMAND | MF_STRING, 203, "between.sql"));
    EXPECT_EQ(GetMenuItemID(recent, 1), 203u);
    ASSERT_TRUE(InsertMenu(file, 0, MF_BYPOSITION | MF_STRING, 100, "&Open"));
    EXPECT_EQ(GetMenuItemID(file, 0), 100u);
    ASSERT_TRUE(InsertMenu(file, 0xFFFFFFFF, MF_BYPOSITION | MF_STRING, 104, "last"));
    EXPECT_EQ(GetMenuItemID(file, GetMenuItemCount(file) - 1), 104u);
    SetLastError(0);
    EXPECT_FALSE(InsertMenu(file, 999, MF_BYCOMMAND | MF_STRING, 105, "nowhere"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
}

TEST_F(MenuItems, DeleteDestroysTheSubmenuAndRemoveKeepsIt)
{
    ASSERT_TRUE(RemoveMenu(file, 3, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(recent));
    EXPECT_EQ(GetMenuItemCount(file), 4);
    AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
    ASSERT_TRUE(DeleteMenu(file, 4, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_FALSE(DeleteMenu(file, 999, MF_BYCOMMAND));
    // Destroying the bar takes the whole tree with it.
    DestroyMenu(bar);
    EXPECT_FALSE(IsMenu(file));
    bar = CreateMenu();
}

TEST_F(MenuItems, ModifyReplacesTheItemAndDestroysAReplacedSubmenu)
{
    ASSERT_TRUE(ModifyMenu(file, 3, MF_BYPOSITION | MF_STRING, 150, "&Plain"));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_EQ(GetMenuItemID(file, 3), 150u);
    EXPECT_EQ(TextOf(file, 150, MF_BYCOMMAND), "&Plain");
    ASSERT_TRUE(ModifyMenu(bar, 101, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 151, "&Renamed"));
    EXPECT_EQ(GetMenuItemID(file, 0), 151u);
    EXPECT_EQ(GetMenuState(file, 151, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
}

TEST_F(MenuItems, ItemInfoReadsAndWritesEachMaskAlone)
{
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_DATA;
    info.wID = 111;
    info.fState = MFS_CHECKED | MFS_DEFAULT;
    info.dwItemData = 0xBEEF;
    ASSERT_TRUE(SetMenuItemInfo(file, 0, TRUE, &info));
    EXPECT_EQ(TextOf(file, 111, MF_BYCOMMAND), "&New\tCtrl+N") << "text untouched without MIIM_STRING";

    MENUITEMINFO read{};
    read.cbSize = sizeof read;
    char text[32];
    read.fMask = MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU;
    read.dwTypeData = text;
    read.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfo(file, 111, FALSE, &read));
    EXPECT_EQ(read.wID, 111u);
    EXPECT_EQ(read.fState, static_cast<UINT>(MFS_CHECKED | MFS_DEFAULT));
    EXPECT_EQ(read.dwItemData, 0xBEEFu);
    EXPECT_STREQ(text, "&New\tCtrl+N");
    EXPECT_EQ(read.cch, 11u);
    EXPECT_EQ(read.fType, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(read.hSubMenu, nullptr);

    // MIIM_TYPE with a null buffer answers the length only.
    MENUITEMINFO length{};
    length.cbSize = sizeof length;
    length.fMask = MIIM_TYPE;
    ASSERT_TRUE(GetMenuItemInfo(file, 3, TRUE, &length));
    EXPECT_EQ(length.cch, 7u);

    MENUITEMINFO bad{};
    bad.cbSize = 3;
    bad.fMask = MIIM_ID;
    EXPECT_FALSE(GetMenuItemInfo(file, 0, TRUE, &bad));
    EXPECT_FALSE(SetMenuItemInfo(file, 77, FALSE, &info));
}

TEST_F(MenuItems, InsertMenuItemMakesSeparatorsBreaksAndSubmenus)
{
    HMENU more = CreatePopupMenu();
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
    info.fType = MFT_STRING | MFT_MENUBREAK;
    info.dwTypeData = const_cast<char*>("&More");
    info.wID = 500;
    info.hSubMenu = more;
    ASSERT_TRUE(InsertMenuItem(file, 1, TRUE, &info));
    EXPECT_EQ(GetSubMenu(file, 1), more);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & 0xFF, static_cast<UINT>(MF_POPUP | MF_MENUBREAK));
    AppendMenu(file, MF_STRING, 0, nullptr);
    EXPECT_EQ(GetMenuState(file, static_cast<UINT>(GetMenuItemCount(file) - 1), MF_BYPOSITION),
              static_cast<UINT>(MF_SEPARATOR))
        << "a string item without a string is a separator";
}

TEST_F(MenuItems, DefaultItemByCommandOrPositionAndDisabledOnesOnlyOnRequest)
{
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), 0xFFFFFFFFu);
    ASSERT_TRUE(SetMenuDefaultItem(file, 4, TRUE));
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), 103u);
    EXPECT_EQ(GetMenuDefaultItem(file, TRUE, 0), 4u);
    ASSERT_TRUE(SetMenuDefaultItem(file, 102, FALSE));
    EXPECT_EQ(GetMenuState(file, 103, MF_BYCOMMAND) & MF_DEFAULT, 0u) << "one default at a time";
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, 0), 0xFFFFFFFFu) << "the grayed default";
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, GMDI_USEDISABLED), 102u);
    ASSERT_TRUE(SetMenuDefaultItem(file, 0xFFFFFFFF, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(file, FALSE, GMDI_USEDISABLED), 0xFFFFFFFFu);
}

// --- templates --------------------------------------------------------------------

class MenuTemplates : public ::testing::Test {
protected:
    static HINSTANCE Module() { return reinterpret_cast<HINSTANCE>(0x7E57); }
    void SetUp() override
    {
        tw::res::MenuTemplate plain;
        tw::res::MenuItemTemplate edit;
        edit.popup = true;
        edit.text = "&Edit";
        edit.children.push_back({tw::res::kMenuFlagGrayed, 0, 0, 0, 10, "&Undo\tCtrl+Z", false, {}});
        edit.children.push_back({0, 0, 0, 0, 0, "", false, {}});
        edit.children.push_back({tw::res::kMenuFlagChecked | tw::res::kMenuFlagMenuBreak, 0, 0, 0, 11, "&Wrap",
                                 false, {}});
        plain.items.push_back(edit);
        plain.items.push_back({0, 0, 0, 0, 12, "&Go", false, {}});
        plainBytes = tw::res::WriteMenuTemplate(plain);

        tw::res::MenuTemplate extended;
        extended.extended = true;
        tw::res::MenuItemTemplate tools;
        tools.popup = true;
        tools.text = "&Tools";
        tools.id = 20;
        tools.children.push_back({0, MFT_STRING | MFT_RADIOCHECK, MFS_CHECKED | MFS_DEFAULT, 0, 21, "&Options", false,
                                  {}});
        tools.children.push_back({0, MFT_SEPARATOR, 0, 0, 0, "", false, {}});
        extended.items.push_back(tools);
        extendedBytes = tw::res::WriteMenuTemplate(extended);

        entries[0] = ResourceEntry{4, nullptr, 700, nullptr, 0, plainBytes.data(), static_cast<DWORD>(plainBytes.size())};
        entries[1] = ResourceEntry{4, nullptr, 701, nullptr, 0, extendedBytes.data(),
                                   static_cast<DWORD>(extendedBytes.size())};
        // The loader keeps the table itself, not a copy.
        table = ResourceTable{entries, 2};
        ASSERT_TRUE(tw::RegisterResources(Module(), table));
    }
    void TearDown() override { tw::UnregisterResources(Module()); }

    std::vector<BYTE> plainBytes;
    std::vector<BYTE> extendedBytes;
    ResourceEntry entries[2];
    ResourceTable table{};
};

TEST_F(MenuTemplates, PlainTemplateGivesABarWithPopupsFlagsAndSeparators)
{
    HMENU menu = LoadMenu(Module(), MAKEINTRESOURCE(700));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    HMENU edit = GetSubMenu(menu, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(menu, 0, MF_BYPOSITION), "&Edit");
    EXPECT_EQ(GetMenuItemID(menu, 1), 12u);
    ASSERT_EQ(GetMenuItemCount(edit), 3);
    EXPECT_EQ(GetMenuState(edit, 10, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(edit, 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(edit, 11, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED | MF_MENUBREAK));
    EXPECT_EQ(TextOf(edit, 10, MF_BYCOMMAND), "&Undo\tCtrl+Z");
    DestroyMenu(menu);
    EXPECT_FALSE(IsMenu(edit));
}

TEST_F(MenuTemplates, ExtendedTemplateKeepsTypesStatesAndPopupIds)
{
    HMENU menu = LoadMenu(Module(), MAKEINTRESOURCE(701));
    ASSERT_NE(menu, nullptr);
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &info));
    EXPECT_EQ(info.wID, 20u);
    ASSERT_NE(info.hSubMenu, nullptr);
    EXPECT_EQ(GetMenuDefaultItem(info.hSubMenu, FALSE, 0), 21u);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfo(info.hSubMenu, 21, FALSE, &info));
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_RADIOCHECK));
    EXPECT_EQ(info.fState, static_cast<UINT>(MFS_CHECKED | MFS_DEFAULT));
    EXPECT_EQ(GetMenuState(info.hSubMenu, 1, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    DestroyMenu(menu);
}

TEST_F(MenuTemplates, IndirectLoadAndMissingOrMalformedTemplates)
{
    HMENU menu = LoadMenuIndirect(plainBytes.data());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    DestroyMenu(menu);
    EXPECT_EQ(LoadMenu(Module(), MAKEINTRESOURCE(799)), nullptr);
    const WORD badVersion[] = {7, 0, 0, 0};
    EXPECT_EQ(LoadMenuIndirect(badVersion), nullptr);
}

}  // namespace
}  // namespace tw::menu::test

namespace tw::menu::test {
namespace {

// Layout of popups and bars: columns, breaks and right-justified items.
TEST(MenuLayoutTest, MenuBreakStartsANewColumnAndBarBreakANewRow)
{
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, 1, "One");
    AppendMenu(popup, MF_STRING, 2, "Two");
    AppendMenu(popup, MF_STRING | MF_MENUBARBREAK, 3, "Three");
    const MenuLayout columns = MenuPainter::MeasurePopup(nullptr, popup);
    EXPECT_EQ(columns.rects[1].left, columns.rects[0].left);
    EXPECT_GT(columns.rects[1].top, columns.rects[0].top);
    EXPECT_GT(columns.rects[2].left, columns.rects[0].right - 1) << "a second column";
    EXPECT_EQ(columns.rects[2].top, columns.rects[0].top);
    EXPECT_GE(columns.size.cx, columns.rects[2].right);

    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_STRING, 1, "&File");
    AppendMenu(bar, MF_STRING | MF_MENUBREAK, 2, "&Edit");
    AppendMenu(bar, MF_STRING | MF_RIGHTJUSTIFY, 3, "&Help");
    const MenuLayout rows = MenuPainter::MeasureBar(nullptr, bar, 500);
    EXPECT_EQ(rows.rects[1].left, 0);
    EXPECT_EQ(rows.rects[1].top, rows.rects[0].bottom) << "a second row";
    EXPECT_EQ(rows.rects[2].right, 500) << "right-justified to the bar's edge";
    EXPECT_EQ(rows.size.cy, 2 * MenuPainter::BarRowHeight());
    DestroyMenu(popup);
    DestroyMenu(bar);
}

}  // namespace
}  // namespace tw::menu::test
