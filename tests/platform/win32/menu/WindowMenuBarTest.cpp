// The menu bar as the window system itself lays it out, hit tests it and
// keeps it: for windows whose procedure only calls DefWindowProc.
#include <gtest/gtest.h>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/menu/MenuBar.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/resource/MenuTemplate.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTable.h"
#include "tests/platform/win32/menu/MenuBarProbe.h"

namespace tw::menu::test {
namespace {

constexpr const char* kPlainClass = "WindowMenuBarPlain";
constexpr UINT kClassMenuId = 710;

HINSTANCE ClassMenuModule() { return reinterpret_cast<HINSTANCE>(0x7E58); }

class WindowMenuBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool registered = [] {
            WNDCLASS wc{};
            wc.lpfnWndProc = DefWindowProc;
            wc.lpszClassName = kPlainClass;
            return RegisterClass(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        bar = CreateMenu();
        AppendMenu(bar, MF_STRING, 100, "&File");
        AppendMenu(bar, MF_STRING, 101, "&Help");
    }
    void TearDown() override
    {
        for (HWND hwnd : windows)
            if (IsWindow(hwnd))
                DestroyWindow(hwnd);
        if (IsMenu(bar))
            DestroyMenu(bar);
    }
    HWND Make(DWORD style, DWORD exStyle, RECT r, HMENU menu, HWND parent = nullptr, LPCSTR cls = kPlainClass)
    {
        HWND hwnd = CreateWindowEx(exStyle, cls, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   parent, menu, ClassMenuModule(), nullptr);
        windows.push_back(hwnd);
        return hwnd;
    }
    static POINT ClientOrigin(HWND hwnd)
    {
        POINT p{0, 0};
        ClientToScreen(hwnd, &p);
        return p;
    }

    HMENU bar = nullptr;
    std::vector<HWND> windows;
};

TEST_F(WindowMenuBar, TheWindowSystemGivesTheBarItsRowWithoutHelpFromTheProcedure)
{
    EXPECT_TRUE(WindowSystemDrawsMenuBars()) << "test frames must stop doing the bar's share themselves";
    HWND with = Make(WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, RECT{20, 20, 320, 220}, bar);
    HWND without = Make(WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, RECT{20, 20, 320, 220}, nullptr);
    const int row = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(ClientOrigin(with).y - ClientOrigin(without).y, row);

    const POINT origin = ClientOrigin(with);
    RECT window;
    GetWindowRect(with, &window);
    struct HitCase {
        int dy;  // from the client area's top
        LRESULT hit;
    };
    for (const HitCase c : {HitCase{-1, HTMENU}, HitCase{-row, HTMENU}, HitCase{-row - 2, HTCAPTION},
                            HitCase{0, HTCLIENT}}) {
        EXPECT_EQ(SendMessage(with, WM_NCHITTEST, 0, MAKELPARAM(origin.x + 30, origin.y + c.dy)), c.hit)
            << "dy " << c.dy;
    }
    // The scroll bar starts under the bar, level with the client area.
    const int scrollX = window.right - GetSystemMetrics(SM_CXFRAME) - 2;
    EXPECT_EQ(SendMessage(with, WM_NCHITTEST, 0, MAKELPARAM(scrollX, origin.y - 2)), HTMENU);
    EXPECT_EQ(SendMessage(with, WM_NCHITTEST, 0, MAKELPARAM(scrollX, origin.y + 2)), HTVSCROLL);

    const RECT barRect = MenuBar::BarRect(with);
    EXPECT_EQ(barRect.bottom - barRect.top, row);
}

TEST_F(WindowMenuBar, ThePaintedFrameIncludesTheBar)
{
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, RECT{30, 30, 330, 230}, bar);
    UpdateWindow(hwnd);
    const RECT barRect = MenuBar::BarRect(hwnd);
    HDC dc = GetWindowDC(hwnd);
    const COLORREF empty = GetPixel(dc, barRect.right - 3, (barRect.top + barRect.bottom) / 2);
    ReleaseDC(hwnd, dc);
    EXPECT_EQ(empty, GetSysColor(COLOR_MENU));
}

struct AdjustCase {
    const char* name;
    DWORD style;
    DWORD exStyle;
};

class AdjustWithMenu : public WindowMenuBar, public ::testing::WithParamInterface<AdjustCase> {};

TEST_P(AdjustWithMenu, GivesTheClientAreaAskedFor)
{
    const AdjustCase& c = GetParam();
    RECT r{50, 60, 50 + 240, 60 + 130};
    ASSERT_TRUE(AdjustWindowRectEx(&r, c.style, TRUE, c.exStyle));
    HWND hwnd = Make(c.style, c.exStyle, r, bar);
    ASSERT_NE(hwnd, nullptr);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 130);
    const POINT origin = ClientOrigin(hwnd);
    EXPECT_EQ(origin.x, 50);
    EXPECT_EQ(origin.y, 60);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, AdjustWithMenu,
    ::testing::Values(AdjustCase{"Overlapped", WS_OVERLAPPEDWINDOW, 0},
                      AdjustCase{"OverlappedClientEdge", WS_OVERLAPPEDWINDOW, WS_EX_CLIENTEDGE},
                      AdjustCase{"Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME},
                      AdjustCase{"BorderedPopup", WS_POPUP | WS_BORDER, 0},
                      AdjustCase{"BarePopup", WS_POPUP, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(WindowMenuBar, ATopLevelWindowsMenuGoesWithIt)
{
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 150}, bar);
    HMENU file = CreatePopupMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&Edit");
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(file));
}

TEST_F(WindowMenuBar, AMenuTakenOffBeforeDestructionSurvives)
{
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 150}, bar);
    ASSERT_TRUE(SetMenu(hwnd, nullptr));
    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_TRUE(IsMenu(bar));
}

TEST_F(WindowMenuBar, AChildsIdIsNeverDestroyedAsAMenu)
{
    HWND parent = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 150}, nullptr);
    // A child id that happens to equal a live menu handle's value.
    HWND child = Make(WS_CHILD, 0, RECT{0, 0, 20, 20}, bar, parent);
    ASSERT_NE(child, nullptr);
    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_TRUE(IsMenu(bar));
}

TEST_F(WindowMenuBar, SystemMenuCopiesGoWithTheirWindowsChildrenToo)
{
    HWND parent = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 300, 200}, nullptr);
    HWND child = Make(WS_CHILD | WS_CAPTION | WS_SYSMENU, 0, RECT{0, 0, 100, 80}, reinterpret_cast<HMENU>(3), parent);
    HMENU parentCopy = GetSystemMenu(parent, FALSE);
    HMENU childCopy = GetSystemMenu(child, FALSE);
    ASSERT_TRUE(IsMenu(parentCopy));
    ASSERT_TRUE(IsMenu(childCopy));
    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_FALSE(IsMenu(parentCopy));
    EXPECT_FALSE(IsMenu(childCopy));
}

class ClassMenus : public WindowMenuBar {
protected:
    void SetUp() override
    {
        WindowMenuBar::SetUp();
        tw::res::MenuTemplate menu;
        menu.items.push_back({0, 0, 0, 0, 40, "&Open", false, {}});
        menu.items.push_back({0, 0, 0, 0, 41, "E&xit", false, {}});
        bytes = tw::res::WriteMenuTemplate(menu);
        entry = ResourceEntry{4, nullptr, kClassMenuId, nullptr, 0, bytes.data(), static_cast<DWORD>(bytes.size())};
        table = ResourceTable{&entry, 1};
        ASSERT_TRUE(tw::RegisterResources(ClassMenuModule(), table));
    }
    void TearDown() override
    {
        WindowMenuBar::TearDown();
        tw::UnregisterResources(ClassMenuModule());
    }
    static void Register(const char* name, LPCSTR menuName)
    {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.hInstance = ClassMenuModule();
        wc.lpszMenuName = menuName;
        wc.lpszClassName = name;
        RegisterClass(&wc);
    }

    std::vector<BYTE> bytes;
    ResourceEntry entry{};
    ResourceTable table{};
};

TEST_F(ClassMenus, ATopLevelWindowWithoutAMenuGetsItsClasssMenuAndDestroysIt)
{
    Register("WindowMenuBarWithClassMenu", MAKEINTRESOURCE(kClassMenuId));
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 150}, nullptr, nullptr, "WindowMenuBarWithClassMenu");
    ASSERT_NE(hwnd, nullptr);
    const HMENU loaded = GetMenu(hwnd);
    ASSERT_TRUE(IsMenu(loaded));
    EXPECT_EQ(GetMenuItemID(loaded, 1), 41u);
    EXPECT_EQ(MenuBar::BarRect(hwnd).bottom - MenuBar::BarRect(hwnd).top, GetSystemMetrics(SM_CYMENU));

    HWND given = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 150}, bar, nullptr, "WindowMenuBarWithClassMenu");
    EXPECT_EQ(GetMenu(given), bar) << "a menu passed in wins over the class's";
    HWND child = Make(WS_CHILD, 0, RECT{0, 0, 10, 10}, reinterpret_cast<HMENU>(9), hwnd, "WindowMenuBarWithClassMenu");
    EXPECT_EQ(GetDlgCtrlID(child), 9) << "children never take the class menu";

    DestroyWindow(hwnd);
    EXPECT_FALSE(IsMenu(loaded));
}

TEST_F(ClassMenus, AClassMenuThatCannotBeFoundLeavesTheWindowWithout)
{
    Register("WindowMenuBarMissingMenu", MAKEINTRESOURCE(999));
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 150}, nullptr, nullptr, "WindowMenuBarMissingMenu");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetMenu(hwnd), nullptr);
}

}  // namespace
}  // namespace tw::menu::test
