// TrackPopupMenu driven by injected keys and clicks: navigation, mnemonics,
// submenus, WM_MENUCHAR answers, notifications, placement and EndMenu.
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/menu/MenuLayout.h"
#include "platform/win32/menu/MenuTracker.h"
#include "tests/platform/win32/menu/MenuTestFixture.h"

namespace tw::menu::test {
namespace {

constexpr POINT kAt{200, 150};

class PopupMenus : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        MakeFrame(RECT{50, 50, 450, 350});
        more = CreatePopupMenu();
        AppendMenu(more, MF_STRING, 21, "&First");
        AppendMenu(more, MF_STRING, 22, "&Second");
        popup = CreatePopupMenu();
        AppendMenu(popup, MF_STRING, 11, "&Open\tCtrl+O");
        AppendMenu(popup, MF_STRING | MF_GRAYED, 12, "&Save");
        AppendMenu(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenu(popup, MF_STRING, 13, "&Close");
        AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
        Name(popup, "popup");
        Name(more, "more");
    }
    void TearDown() override
    {
        DestroyMenu(popup);
        MenuTest::TearDown();
    }
    int Track(UINT flags = TPM_RETURNCMD) { return TrackPopupMenu(popup, flags, kAt.x, kAt.y, 0, frame, nullptr); }

    // The centre of an item on the screen, for a popup opened at origin.
    POINT ItemCentre(HMENU menu, int index, POINT origin)
    {
        const MenuLayout layout = MenuPainter::MeasurePopup(frame, menu);
        const RECT& r = layout.rects[static_cast<size_t>(index)];
        return POINT{origin.x + (r.left + r.right) / 2, origin.y + (r.top + r.bottom) / 2};
    }
    POINT SubmenuOrigin()
    {
        const MenuLayout layout = MenuPainter::MeasurePopup(frame, popup);
        return POINT{kAt.x + layout.size.cx - 3, kAt.y + layout.rects[4].top - 3};
    }
    HMENU popup = nullptr;
    HMENU more = nullptr;
};

struct PopupKeyCase {
    const char* name;
    const char* keys;
    int command;
    LRESULT menuChar = 0;
};

class PopupKeys : public PopupMenus, public ::testing::WithParamInterface<PopupKeyCase> {};

TEST_P(PopupKeys, ReturnTheChosenCommand)
{
    const PopupKeyCase& c = GetParam();
    menuCharAnswer = c.menuChar;
    Keys(c.keys);
    EXPECT_EQ(Track(), c.command);
    EXPECT_TRUE(MenuTracker::OpenPopups().empty());
    EXPECT_EQ(FindWindow(MenuTracker::kPopupClassName, nullptr), nullptr) << "popup windows are gone";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Log("WM_COMMAND").empty()) << "TPM_RETURNCMD sends no command";
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, PopupKeys,
    ::testing::Values(PopupKeyCase{"DownSelectsTheFirstItem", "ve", 11}, PopupKeyCase{"EscapeCancels", "x", 0},
                      PopupKeyCase{"GrayedItemIsSelectableButDoesNothing", "vvex", 0},
                      PopupKeyCase{"SeparatorIsSkipped", "vvve", 13}, PopupKeyCase{"UpWrapsToTheLast", "^ee", 21},
                      PopupKeyCase{"RightOpensTheSubmenu", "^>ve", 22}, PopupKeyCase{"EscapeClosesOneLevel", "^>xve", 11},
                      PopupKeyCase{"LeftClosesTheSubmenu", "^><^e", 13}, PopupKeyCase{"HomeAndEnd", "vnhe", 11},
                      PopupKeyCase{"MnemonicChooses", "C", 13}, PopupKeyCase{"MnemonicIntoSubmenu", "MS", 22},
                      PopupKeyCase{"MnemonicOfAGrayedItemDoesNothing", "Sx", 0},
                      PopupKeyCase{"MenuCharExecutes", "Z", 13, MAKELRESULT(3, MNC_EXECUTE)},
                      PopupKeyCase{"MenuCharSelects", "Ze", 11, MAKELRESULT(0, MNC_SELECT)},
                      PopupKeyCase{"MenuCharCloses", "Z", 0, MAKELRESULT(0, MNC_CLOSE)},
                      PopupKeyCase{"MenuCharIgnoredKeepsTheMenu", "Zx", 0, MAKELRESULT(0, MNC_IGNORE)}),
    [](const auto& info) { return info.param.name; });

TEST_F(PopupMenus, MenuCharIsAskedWithTheTypedCharacterAndTheMenu)
{
    Keys("Zx");
    Track();
    EXPECT_EQ(Log("WM_MENUCHAR"), std::vector<std::string>{"WM_MENUCHAR 0x10007A popup"});
}

TEST_F(PopupMenus, AClickOnAnItemChoosesItAndAClickOutsideCancels)
{
    const POINT close = ItemCentre(popup, 3, kAt);
    input.Click(tw::display::MouseButton::Left, close.x, close.y);
    EXPECT_EQ(Track(), 13);

    input.Click(tw::display::MouseButton::Left, 20, 20);
    EXPECT_EQ(Track(), 0);

    // A click on a grayed item keeps the menu open.
    const POINT save = ItemCentre(popup, 1, kAt);
    input.Click(tw::display::MouseButton::Left, save.x, save.y);
    input.Click(tw::display::MouseButton::Left, close.x, close.y);
    EXPECT_EQ(Track(), 13);
}

TEST_F(PopupMenus, HoveringOpensTheSubmenuAndAClickThereChooses)
{
    const POINT moreItem = ItemCentre(popup, 4, kAt);
    const POINT second = ItemCentre(more, 1, SubmenuOrigin());
    input.MouseMove(moreItem.x, moreItem.y);
    // A key between the moves keeps the queue from merging them into one.
    input.KeyStroke(VK_SHIFT);
    input.Click(tw::display::MouseButton::Left, second.x, second.y);
    EXPECT_EQ(Track(), 22);
    EXPECT_EQ(Log("WM_INITMENUPOPUP"),
              (std::vector<std::string>{"WM_INITMENUPOPUP popup 0x0", "WM_INITMENUPOPUP more 0x4"}));
}

TEST_F(PopupMenus, TheRightButtonChoosesOnlyWithTpmRightButton)
{
    const POINT close = ItemCentre(popup, 3, kAt);
    input.Click(tw::display::MouseButton::Right, close.x, close.y);
    input.KeyStroke(VK_ESCAPE);
    EXPECT_EQ(Track(), 0);
    input.Click(tw::display::MouseButton::Right, close.x, close.y);
    EXPECT_EQ(Track(TPM_RETURNCMD | TPM_RIGHTBUTTON), 13);
}

TEST_F(PopupMenus, WithoutReturnCmdTheCommandIsPostedAfterTheNotifications)
{
    Keys("ve");
    EXPECT_EQ(Track(0), TRUE);
    Pump();
    EXPECT_EQ(Log("WM_"), (std::vector<std::string>{
                              "WM_ENTERMENULOOP 0x1",
                              "WM_INITMENU popup",
                              "WM_INITMENUPOPUP popup 0x0",
                              "WM_MENUSELECT 0xB 0x80 popup",
                              "WM_MENUSELECT 0x0 0xFFFF 0x0",
                              "WM_EXITMENULOOP 0x1",
                              "WM_COMMAND 0xB 0x0",
                          }));
}

TEST_F(PopupMenus, NoNotifyLeavesOnlyTheCommand)
{
    Keys("ve");
    Track(TPM_NONOTIFY);
    Pump();
    EXPECT_EQ(Log("WM_"), std::vector<std::string>{"WM_COMMAND 0xB 0x0"});
}

TEST_F(PopupMenus, ThePopupNeverTakesActivationOrFocus)
{
    HWND activeDuring = nullptr;
    HWND focusDuring = nullptr;
    size_t popupsDuring = 0;
    onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message != WM_MENUSELECT || popupsDuring)
            return;
        activeDuring = GetActiveWindow();
        focusDuring = GetFocus();
        popupsDuring = MenuTracker::OpenPopups().size();
        const HWND window = MenuTracker::OpenPopups().front();
        EXPECT_TRUE(IsWindowVisible(window));
    };
    Keys("vx");
    Track();
    EXPECT_EQ(popupsDuring, 1u);
    EXPECT_EQ(activeDuring, frame);
    EXPECT_EQ(focusDuring, frame);
}

struct AlignCase {
    const char* name;
    UINT flags;
    POINT at;
    bool rightEdgeAtX;
    bool bottomEdgeAtY;
};

class PopupAlignment : public PopupMenus, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(PopupAlignment, PlacesThePopupAgainstThePoint)
{
    const AlignCase& c = GetParam();
    RECT placed{};
    onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_INITMENUPOPUP)
            return;
        if (!MenuTracker::OpenPopups().empty() && IsRectEmpty(&placed)) {
            GetWindowRect(MenuTracker::OpenPopups().front(), &placed);
        }
    };
    input.KeyStroke(VK_DOWN);
    input.KeyStroke(VK_ESCAPE);
    TrackPopupMenu(popup, TPM_RETURNCMD | c.flags, c.at.x, c.at.y, 0, frame, nullptr);
    ASSERT_FALSE(IsRectEmpty(&placed));
    EXPECT_EQ(c.rightEdgeAtX ? placed.right : placed.left, c.at.x);
    EXPECT_EQ(c.bottomEdgeAtY ? placed.bottom : placed.top, c.at.y);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PopupAlignment,
    ::testing::Values(AlignCase{"TopLeft", TPM_LEFTALIGN | TPM_TOPALIGN, {300, 200}, false, false},
                      AlignCase{"RightBottom", TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {300, 200}, true, true},
                      AlignCase{"FlipsAtTheScreensRightEdge", 0, {GetSystemMetrics(SM_CXSCREEN) - 5, 100}, true, false},
                      AlignCase{"FlipsAtTheScreensBottom", 0, {100, GetSystemMetrics(SM_CYSCREEN) - 5}, false, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(PopupMenus, EndMenuFromAHandlerEndsTheLoop)
{
    onMessage = [](UINT message, WPARAM, LPARAM) {
        if (message == WM_INITMENUPOPUP) {
            EXPECT_TRUE(EndMenu());
        }
    };
    EXPECT_EQ(Track(), 0);
    EXPECT_FALSE(EndMenu()) << "no menu is open any more";
}

TEST_F(PopupMenus, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner)
{
    HMENU drawn = CreatePopupMenu();
    AppendMenu(drawn, MF_OWNERDRAW, 31, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(0x5151)));
    AppendMenu(drawn, MF_OWNERDRAW | MF_CHECKED, 32, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(0x5252)));
    Keys("vex");
    EXPECT_EQ(TrackPopupMenu(drawn, TPM_RETURNCMD, kAt.x, kAt.y, 0, frame, nullptr), 31);
    const auto measured = Log("WM_MEASUREITEM");
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0], "WM_MEASUREITEM 0x1F 0x5151");
    const auto drawnItems = Log("WM_DRAWITEM");
    // First painted plain, then the first item selected.
    EXPECT_NE(std::find(drawnItems.begin(), drawnItems.end(), "WM_DRAWITEM 0x20 0x5252 0x8 30"), drawnItems.end());
    EXPECT_NE(std::find(drawnItems.begin(), drawnItems.end(), "WM_DRAWITEM 0x1F 0x5151 0x1 30"), drawnItems.end());
    DestroyMenu(drawn);
}

TEST_F(PopupMenus, OpenItemsAnswerTheirScreenRectangleAndPoint)
{
    RECT closeRect{};
    int fromPoint = -2;
    onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message != WM_MENUSELECT || !IsRectEmpty(&closeRect))
            return;
        GetMenuItemRect(frame, popup, 3, &closeRect);
        fromPoint = MenuItemFromPoint(frame, popup, ItemCentre(popup, 3, kAt));
    };
    Keys("vx");
    Track();
    const MenuLayout layout = MenuPainter::MeasurePopup(frame, popup);
    RECT expected = layout.rects[3];
    OffsetRect(&expected, kAt.x, kAt.y);
    EXPECT_TRUE(EqualRect(&closeRect, &expected));
    EXPECT_EQ(fromPoint, 3);
    RECT after{};
    EXPECT_FALSE(GetMenuItemRect(frame, popup, 3, &after)) << "a closed popup has no items on the screen";
}

TEST_F(PopupMenus, TheSelectedItemIsPaintedInTheHighlightColour)
{
    COLORREF selected = CLR_INVALID;
    COLORREF plain = CLR_INVALID;
    onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message != WM_MENUSELECT || selected != CLR_INVALID)
            return;
        const MenuLayout layout = MenuPainter::MeasurePopup(frame, popup);
        HWND window = MenuTracker::OpenPopups().front();
        HDC dc = GetDC(window);
        // Right of the text, where only the item's background shows.
        selected = GetPixel(dc, layout.rects[0].right - 2, (layout.rects[0].top + layout.rects[0].bottom) / 2);
        plain = GetPixel(dc, layout.rects[3].right - 2, (layout.rects[3].top + layout.rects[3].bottom) / 2);
        ReleaseDC(window, dc);
    };
    Keys("vx");
    Track();
    EXPECT_EQ(selected, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(plain, GetSysColor(COLOR_MENU));
}

TEST_F(PopupMenus, InvalidMenuOrOwnerFails)
{
    HMENU gone = CreatePopupMenu();
    DestroyMenu(gone);
    EXPECT_FALSE(TrackPopupMenu(gone, TPM_RETURNCMD, 0, 0, 0, frame, nullptr));
    EXPECT_FALSE(TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, nullptr, nullptr));
}

}  // namespace
}  // namespace tw::menu::test
