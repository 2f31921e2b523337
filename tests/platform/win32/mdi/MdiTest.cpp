// The MDI client: activation order, the Window menu's list of children, the
// maximised child in the frame's bar and title, cascade, tile and icons, and
// the MDI system keys.
#include <gtest/gtest.h>

#include <map>

#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/mdi/MdiArrange.h"
#include "platform/win32/mdi/winmdi.h"
#include "platform/win32/menu/MenuBarProvider.h"
#include "tests/platform/win32/menu/MenuBarProbe.h"
#include "platform/display/InputInjector.h"

namespace tw::mdi::test {
namespace {

std::vector<std::string> g_mdiLog;
std::map<HWND, std::string> g_mdiNames;
HWND g_mdiClient = nullptr;
HMENU g_windowMenu = nullptr;
// Extra styles of the client the next frame makes (its scroll bars).
DWORD g_mdiClientStyle = 0;

// Children are named by their titles, which they have from creation on.
std::string NameOf(HWND hwnd)
{
    if (!hwnd)
        return "0";
    char text[64] = {};
    GetWindowText(hwnd, text, sizeof text);
    return text;
}

LRESULT CALLBACK MdiFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        CLIENTCREATESTRUCT ccs{g_windowMenu, 65280};
        RECT client;
        GetClientRect(hwnd, &client);
        g_mdiClient = CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | g_mdiClientStyle, 0, 0, client.right,
                                     client.bottom, hwnd,
                                     reinterpret_cast<HMENU>(0xCAC), nullptr, &ccs);
        return g_mdiClient ? 0 : -1;
    }
    // Until the window system's default processing drives menu bars, the
    // frame hands the keyboard's menu command to the provider itself.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam != '-' &&
        !tw::menu::test::WindowSystemDrawsMenuBars()) {
        if (tw::menu::MenuBarProvider* provider = tw::menu::InstalledMenuBarProvider())
            return provider->SysCommand(hwnd, wParam, lParam), 0;
    }
    return DefFrameProc(hwnd, g_mdiClient, message, wParam, lParam);
}

LRESULT CALLBACK MdiChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MDIACTIVATE) {
        g_mdiLog.push_back(NameOf(hwnd) + ": " + NameOf(reinterpret_cast<HWND>(wParam)) + " -> " +
                           NameOf(reinterpret_cast<HWND>(lParam)));
    }
    return DefMDIChildProc(hwnd, message, wParam, lParam);
}

class Mdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        static bool registered = [] {
            WNDCLASS frameClass{};
            frameClass.lpfnWndProc = MdiFrameProc;
            frameClass.lpszClassName = "MdiTestFrame";
            WNDCLASS childClass{};
            childClass.lpfnWndProc = MdiChildProc;
            childClass.lpszClassName = "MdiTestChild";
            return tw::mdi::RegisterMdiClientClass() && RegisterClass(&frameClass) && RegisterClass(&childClass);
        }();
        ASSERT_TRUE(registered);
        tw::display::Display::Instance().Input().Clear();
        tw::ProcessClock::Freeze();
        g_mdiLog.clear();
        g_mdiNames.clear();
        bar = CreateMenu();
        g_windowMenu = CreatePopupMenu();
        AppendMenu(g_windowMenu, MF_STRING, 57650, "&Cascade");
        AppendMenu(g_windowMenu, MF_STRING, 57651, "&Tile");
        AppendMenu(bar, MF_STRING, 100, "&File");
        AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(g_windowMenu), "&Window");
        frame = CreateWindowEx(0, "MdiTestFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 600, 450, nullptr,
                               bar, nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
        client = g_mdiClient;
        ASSERT_NE(client, nullptr);
        Pump();
    }
    void TearDown() override
    {
        DestroyWindow(frame);
        Pump();
        DestroyMenu(bar);
        BYTE keys[256] = {};
        SetKeyboardState(keys);
        tw::ProcessClock::Resume();
    }
    static void Pump()
    {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    HWND NewChild(const std::string& name, DWORD style = WS_VISIBLE)
    {
        MDICREATESTRUCT mcs{"MdiTestChild", name.c_str(), nullptr, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, style, 0};
        HWND child = reinterpret_cast<HWND>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
        g_mdiNames[child] = name;
        return child;
    }
    HWND Active(BOOL* maximized = nullptr)
    {
        return reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    }
    // The Window menu's items after its own two.
    std::vector<std::string> WindowList()
    {
        std::vector<std::string> items;
        for (int i = 2; i < GetMenuItemCount(g_windowMenu); ++i) {
            char text[64] = {};
            GetMenuString(g_windowMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            const UINT state = GetMenuState(g_windowMenu, static_cast<UINT>(i), MF_BYPOSITION);
            std::string line = (state & MF_SEPARATOR) ? "-" : std::to_string(GetMenuItemID(g_windowMenu, i)) + " " + text;
            if (state & MF_CHECKED)
                line += " *";
            items.push_back(line);
        }
        return items;
    }
    RECT RectInClient(HWND child)
    {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::string Title(HWND hwnd)
    {
        char text[128] = {};
        GetWindowText(hwnd, text, sizeof text);
        return text;
    }

    HMENU bar = nullptr;
    HWND frame = nullptr;
    HWND client = nullptr;
};

TEST_F(Mdi, ANewChildIsActivatedAndTheOldOneToldFirst)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    EXPECT_EQ(Active(), b);
    EXPECT_EQ(g_mdiLog, (std::vector<std::string>{"A: 0 -> A", "A: A -> B", "B: A -> B"}));
    EXPECT_EQ(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_MDICHILD, WS_EX_MDICHILD);
    EXPECT_EQ(GetWindowLongPtr(a, GWLP_ID), 65280);
    EXPECT_EQ(GetWindowLongPtr(b, GWLP_ID), 65281);
    EXPECT_EQ(GetFocus(), b);

    g_mdiLog.clear();
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(g_mdiLog, (std::vector<std::string>{"B: B -> A", "A: B -> A"}));
    BOOL maximized = TRUE;
    EXPECT_EQ(Active(&maximized), a);
    EXPECT_FALSE(maximized);
    EXPECT_EQ(GetWindow(client, GW_CHILD), a) << "the active child is on top";
}

TEST_F(Mdi, AChildMadeHiddenIsListedAndActivatedWhenShown)
{
    HWND hidden = NewChild("Hidden", 0);
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(WindowList().empty());
    ShowWindow(hidden, SW_SHOW);
    EXPECT_EQ(Active(), hidden);
    EXPECT_EQ(WindowList(), (std::vector<std::string>{"-", "65280 &1 Hidden *"}));
    HWND other = NewChild("Other");
    ShowWindow(other, SW_HIDE);
    EXPECT_EQ(Active(), hidden) << "hiding the active child activates the next";
    EXPECT_EQ(WindowList(), (std::vector<std::string>{"-", "65280 &1 Hidden *"}));
}

TEST_F(Mdi, NextVisitsEveryChildAndPreviousTakesTheBackOne)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    HWND c = NewChild("C");
    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        SendMessage(client, WM_MDINEXT, 0, 0);
        visited.push_back(NameOf(Active()));
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"B", "A", "C", "B"}));
    SendMessage(client, WM_MDINEXT, 0, 1);
    EXPECT_EQ(NameOf(Active()), "C") << "previous brings up the window at the back";
    (void)a;
    (void)b;
    (void)c;
}

TEST_F(Mdi, TheWindowMenuListsTheChildrenWithTheActiveOneChecked)
{
    NewChild("A");
    HWND b = NewChild("B");
    NewChild("C");
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b), 0);
    EXPECT_EQ(WindowList(), (std::vector<std::string>{"-", "65280 &1 A", "65281 &2 B *", "65282 &3 C"}));
    SetWindowText(b, "Renamed");
    EXPECT_EQ(WindowList()[2], "65281 &2 Renamed *");
    // Choosing an entry activates its child.
    SendMessage(frame, WM_COMMAND, 65282, 0);
    EXPECT_EQ(NameOf(Active()), "C");
}

TEST_F(Mdi, PastNineChildrenTheMenuEndsWithMoreWindowsAndTheActiveIsListed)
{
    std::vector<HWND> children;
    for (char name = 'A'; name <= 'K'; ++name)
        children.push_back(NewChild(std::string(1, name)));
    std::vector<std::string> list = WindowList();
    ASSERT_EQ(list.size(), 11u);
    EXPECT_EQ(list[1], "65280 &1 A");
    EXPECT_EQ(list[9], "65288 &9 K *") << "the active eleventh took the ninth place";
    EXPECT_EQ(list[10], "65289 &More Windows...");
    // "More Windows" names no child, not even the tenth.
    SendMessage(frame, WM_COMMAND, 65289, 0);
    EXPECT_EQ(NameOf(Active()), "K");
    // Each newly active child past the ninth swapped places with the ninth.
    EXPECT_EQ(GetWindowLongPtr(children[8], GWLP_ID), 65289);
    EXPECT_EQ(GetWindowLongPtr(children[9], GWLP_ID), 65290);
}

TEST_F(Mdi, DestroyingTheActiveChildActivatesTheNextAndRenumbers)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    HWND c = NewChild("C");
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(Active(), c) << "the next in z-order";
    EXPECT_EQ(GetWindowLongPtr(b, GWLP_ID), 65280);
    EXPECT_EQ(WindowList(), (std::vector<std::string>{"-", "65280 &1 B", "65281 &2 C *"}));
    SendMessage(b, WM_CLOSE, 0, 0);
    SendMessage(c, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_TRUE(WindowList().empty()) << "the separator goes with the last child";
}

TEST_F(Mdi, AMaximisedChildJoinsTheFramesTitleAndPutsItsButtonsInTheBar)
{
    NewChild("A");
    HWND b = NewChild("B");
    const int barItems = GetMenuItemCount(bar);
    SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    BOOL maximized = FALSE;
    EXPECT_EQ(Active(&maximized), b);
    EXPECT_TRUE(maximized);
    EXPECT_EQ(Title(frame), "Frame - [B]");
    ASSERT_EQ(GetMenuItemCount(bar), barItems + 4);
    EXPECT_EQ(GetSubMenu(bar, 0), GetSystemMenu(b, FALSE));
    EXPECT_EQ(GetMenuItemID(bar, barItems + 1), static_cast<UINT>(SC_MINIMIZE));
    EXPECT_EQ(GetMenuItemID(bar, barItems + 2), static_cast<UINT>(SC_RESTORE));
    EXPECT_EQ(GetMenuItemID(bar, barItems + 3), static_cast<UINT>(SC_CLOSE));
    // Only the child's client area shows, filling the MDI client.
    RECT inner;
    RECT area;
    GetClientRect(b, &inner);
    GetClientRect(client, &area);
    EXPECT_EQ(inner.right, area.right);
    EXPECT_EQ(inner.bottom, area.bottom);

    SetWindowText(frame, "Renamed");
    EXPECT_EQ(Title(frame), "Renamed - [B]");

    SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(b), 0);
    EXPECT_EQ(Title(frame), "Renamed");
    EXPECT_EQ(GetMenuItemCount(bar), barItems);
    EXPECT_TRUE(IsMenu(GetSystemMenu(b, FALSE))) << "the child keeps its system menu";
    char close[32] = {};
    GetMenuString(GetSystemMenu(b, FALSE), SC_CLOSE, close, sizeof close, MF_BYCOMMAND);
    EXPECT_STREQ(close, "&Close\tCtrl+F4");
    EXPECT_NE(GetMenuState(GetSystemMenu(b, FALSE), SC_NEXTWINDOW, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST_F(Mdi, ActivatingAnotherChildCarriesTheMaximisedState)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_TRUE(IsZoomed(a));
    EXPECT_FALSE(IsZoomed(b));
    EXPECT_EQ(Title(frame), "Frame - [A]");
    EXPECT_EQ(GetSubMenu(bar, 0), GetSystemMenu(a, FALSE));
    // The bar's close button reaches the child through the frame.
    SendMessage(frame, WM_COMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(Active(), b);
}

TEST_F(Mdi, TheBarsCloseButtonOfAMaximisedChildClosesIt)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b), 0);
    tw::display::InputInjector input;
    // Alt, then Left wraps to the last bar item: the close button.
    input.KeyStroke(VK_MENU);
    input.KeyStroke(VK_LEFT);
    input.KeyStroke(VK_RETURN);
    Pump();
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(Active(), a);
    BOOL maximized = FALSE;
    Active(&maximized);
    EXPECT_TRUE(maximized) << "the next child takes the maximised place";
}

TEST_F(Mdi, AltMinusOpensTheActiveChildsSystemMenu)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    tw::display::InputInjector input;
    input.KeyDown(VK_MENU);
    input.KeyStroke(VK_OEM_MINUS);
    input.KeyUp(VK_MENU);
    input.KeyStroke('C');
    Pump();
    EXPECT_FALSE(IsWindow(b)) << "Close of the child's menu closes the child, not the frame";
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_EQ(Active(), a);
}

TEST_F(Mdi, CascadeOffsetsEachWindowWithTheActiveOnTop)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    HWND c = NewChild("C");
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b), 0);
    SendMessage(client, WM_MDICASCADE, 0, 0);
    RECT area;
    GetClientRect(client, &area);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const RECT rc = RectInClient(c);
    const RECT ra = RectInClient(a);
    const RECT rb = RectInClient(b);
    // Back to front: A, C, then the active B.
    EXPECT_EQ(ra.left, 0);
    EXPECT_EQ(ra.top, 0);
    EXPECT_EQ(rc.left, step);
    EXPECT_EQ(rb.left, 2 * step) << "the active window last, on top";
    EXPECT_EQ(rb.top, 2 * step);
    EXPECT_EQ(rb.right - rb.left, area.right - 2 * step);
    EXPECT_EQ(rb.bottom, area.bottom);
    EXPECT_EQ(GetWindow(client, GW_CHILD), b);
}

struct TileCase {
    const char* name;
    int count;
    UINT flags;
    std::vector<RECT> expected;  // in fractions of 12: left, top, right, bottom
};

class MdiTile : public Mdi, public ::testing::WithParamInterface<TileCase> {};

TEST_P(MdiTile, SplitsTheClientArea)
{
    const TileCase& c = GetParam();
    SetWindowPos(frame, nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    // A client area of 480 x 360 divides evenly.
    MoveWindow(client, 0, 0, 484, 364, TRUE);
    RECT area;
    GetClientRect(client, &area);
    ASSERT_EQ(area.right, 480);
    ASSERT_EQ(area.bottom, 360);
    std::vector<HWND> children;
    for (int i = 0; i < c.count; ++i)
        children.push_back(NewChild(std::string(1, static_cast<char>('A' + i))));
    SendMessage(client, WM_MDITILE, c.flags, 0);
    // Tiling goes down the z-order: the active (last made) child first.
    std::vector<RECT> actual;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r = RectInClient(child);
        actual.push_back(RECT{r.left * 12 / 480, r.top * 12 / 360, r.right * 12 / 480, r.bottom * 12 / 360});
    }
    ASSERT_EQ(actual.size(), c.expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(EqualRect(&actual[i], &c.expected[i]))
            << "window " << i << ": " << actual[i].left << "," << actual[i].top << "," << actual[i].right << ","
            << actual[i].bottom;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, MdiTile,
    ::testing::Values(TileCase{"HorizontalStacksTwo", 2, MDITILE_HORIZONTAL, {{0, 0, 12, 6}, {0, 6, 12, 12}}},
                      TileCase{"VerticalSideBySide", 2, MDITILE_VERTICAL, {{0, 0, 6, 12}, {6, 0, 12, 12}}},
                      TileCase{"HorizontalGridOfFour",
                               4,
                               MDITILE_HORIZONTAL,
                               {{0, 0, 6, 6}, {0, 6, 6, 12}, {6, 0, 12, 6}, {6, 6, 12, 12}}},
                      TileCase{"VerticalFiveLeavesTheExtraInTheLastRow",
                               5,
                               MDITILE_VERTICAL,
                               {{0, 0, 6, 6}, {6, 0, 12, 6}, {0, 6, 4, 12}, {4, 6, 8, 12}, {8, 6, 12, 12}}}),
    [](const auto& info) { return info.param.name; });

TEST_F(Mdi, SkipDisabledLeavesADisabledChildWhereItIs)
{
    HWND a = NewChild("A");
    NewChild("B");
    NewChild("C");
    MoveWindow(a, 7, 9, 120, 90, TRUE);
    EnableWindow(a, FALSE);
    SendMessage(client, WM_MDITILE, MDITILE_VERTICAL | MDITILE_SKIPDISABLED, 0);
    const RECT ra = RectInClient(a);
    EXPECT_EQ(ra.left, 7);
    EXPECT_EQ(ra.top, 9);
    RECT area;
    GetClientRect(client, &area);
    EXPECT_EQ(RectInClient(Active()).right - RectInClient(Active()).left, area.right / 2) << "two windows share the row";
    SendMessage(client, WM_MDITILE, MDITILE_VERTICAL, 0);
    EXPECT_EQ(RectInClient(a).top, 0) << "without the flag every window takes part";
}

TEST_F(Mdi, MinimisedChildrenLineUpAlongTheBottomAndTilingLeavesTheirRow)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    HWND c = NewChild("C");
    SendMessage(a, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessage(b, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(a));
    RECT area;
    GetClientRect(client, &area);
    const RECT ra = RectInClient(a);
    const RECT rb = RectInClient(b);
    EXPECT_EQ(ra.left, 0);
    EXPECT_EQ(ra.bottom, area.bottom);
    EXPECT_EQ(rb.left, GetSystemMetrics(SM_CXMINIMIZED));
    EXPECT_EQ(rb.bottom, area.bottom);
    SendMessage(client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
    const RECT rc = RectInClient(c);
    EXPECT_EQ(rc.bottom, area.bottom - GetSystemMetrics(SM_CYMINIMIZED));
    // Restoring from the Window menu.
    SendMessage(frame, WM_COMMAND, static_cast<WPARAM>(GetWindowLongPtr(a, GWLP_ID)), 0);
    EXPECT_FALSE(IsIconic(a));
    EXPECT_EQ(Active(), a);
}

TEST_F(Mdi, ResizingTheClientLeavesMinimisedChildrenWhereTheyAre)
{
    HWND a = NewChild("A");
    SendMessage(a, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    const RECT before = RectInClient(a);
    RECT area;
    GetClientRect(client, &area);
    SetWindowPos(client, nullptr, 0, 0, area.right, area.bottom - 50, SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = RectInClient(a);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.left, before.left);
}

// A client made with scroll bars shows each only while a child lies partly
// outside it on that side; the bar scrolls the children.
class MdiScrollBars : public Mdi {
protected:
    void SetUp() override
    {
        g_mdiClientStyle = WS_HSCROLL | WS_VSCROLL;
        Mdi::SetUp();
    }
    void TearDown() override
    {
        g_mdiClientStyle = 0;
        Mdi::TearDown();
    }
    std::string Bars()
    {
        const LONG_PTR style = GetWindowLongPtr(client, GWL_STYLE);
        std::string bars;
        if (style & WS_HSCROLL)
            bars += "h";
        if (style & WS_VSCROLL)
            bars += "v";
        return bars.empty() ? "none" : bars;
    }
    void MoveTo(HWND child, int x, int y)
    {
        SetWindowPos(child, nullptr, x, y, 200, 120, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
};

TEST_F(MdiScrollBars, ShownOnlyWhileAChildLiesOutsideOnThatSide)
{
    EXPECT_EQ(Bars(), "none") << "nothing to scroll in an empty client";
    HWND a = NewChild("A");
    MoveTo(a, 10, 10);
    EXPECT_EQ(Bars(), "none");
    RECT area;
    GetClientRect(client, &area);

    struct Case {
        const char* name;
        int x;
        int y;
        const char* bars;
    } const cases[] = {
        {"past the right edge", 400, 10, "h"},
        {"past the bottom edge", 10, 300, "v"},
        {"past both", 400, 300, "hv"},
        {"above and left of the view", -50, -40, "hv"},
        {"back inside", 10, 10, "none"},
    };
    for (const Case& c : cases) {
        MoveTo(a, c.x, c.y);
        EXPECT_EQ(Bars(), c.bars) << c.name;
    }

    // Maximised, the child fills the client: no bars; restored, they come back.
    MoveTo(a, 400, 10);
    SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(Bars(), "none");
    SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(Bars(), "h");
    // Closed, nothing is left to scroll.
    SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(Bars(), "none");
}

TEST_F(MdiScrollBars, TheBarMovesTheChildrenIntoView)
{
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    MoveTo(a, 10, 10);
    RECT area;
    GetClientRect(client, &area);
    MoveTo(b, area.right - 50, 10);
    ASSERT_EQ(Bars(), "h");

    SendMessage(client, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(RectInClient(a).left, 10 - 16);
    EXPECT_EQ(RectInClient(b).left, area.right - 50 - 16);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(client, SB_HORZ, &info));
    EXPECT_EQ(info.nMin, 10 - 16) << "the range starts at the leftmost child";
    EXPECT_EQ(info.nPos, 0) << "the view is the origin";

    // To the end: the farthest child's right edge meets the client's.
    SendMessage(client, WM_HSCROLL, SB_BOTTOM, 0);
    GetClientRect(client, &area);
    EXPECT_EQ(RectInClient(b).right, area.right);
    EXPECT_EQ(RectInClient(b).left - RectInClient(a).left, (area.right - 50) - 10 + 0) << "moved together";
    // And back to the start.
    SendMessage(client, WM_HSCROLL, SB_TOP, 0);
    EXPECT_EQ(RectInClient(a).left, 0);
}

TEST_F(Mdi, CtrlF6AndCtrlF4AreTheMdiSystemKeys)
{
    NewChild("A");
    NewChild("B");
    HWND c = NewChild("C");
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG f6{c, WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_TRUE(TranslateMDISysAccel(client, &f6));
    EXPECT_EQ(NameOf(Active()), "B");
    MSG f4{Active(), WM_KEYDOWN, VK_F4, 0, 0, {0, 0}};
    EXPECT_TRUE(TranslateMDISysAccel(client, &f4));
    EXPECT_EQ(g_mdiNames.size(), 3u);
    EXPECT_EQ(NameOf(Active()), "A");
    MSG plain{Active(), WM_KEYDOWN, 'X', 0, 0, {0, 0}};
    EXPECT_FALSE(TranslateMDISysAccel(client, &plain));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(TranslateMDISysAccel(client, &f6)) << "without Ctrl";
}

TEST_F(Mdi, SetMenuMovesTheListAndAnswersTheOldFrameMenu)
{
    NewChild("A");
    HMENU other = CreateMenu();
    HMENU otherWindow = CreatePopupMenu();
    AppendMenu(otherWindow, MF_STRING, 57650, "&Cascade");
    AppendMenu(other, MF_POPUP, reinterpret_cast<UINT_PTR>(otherWindow), "&Window");
    const HMENU old = reinterpret_cast<HMENU>(
        SendMessage(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(other), reinterpret_cast<LPARAM>(otherWindow)));
    EXPECT_EQ(old, bar);
    EXPECT_EQ(GetMenu(frame), other);
    EXPECT_EQ(GetMenuItemCount(g_windowMenu), 2) << "the list left the old Window menu";
    EXPECT_EQ(GetMenuItemCount(otherWindow), 3);
    EXPECT_EQ(SendMessage(client, WM_MDIREFRESHMENU, 0, 0), reinterpret_cast<LRESULT>(other));
    SetMenu(frame, bar);
    DestroyMenu(other);
}

TEST(MdiArrangeGeometry, LongCascadesStartOverAtTheTopLeft)
{
    const RECT area{0, 0, 400, 200};
    const std::vector<RECT> rects = MdiArrange::Cascade(area, 12);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const int perSeries = 100 / step + 1;
    EXPECT_EQ(rects[static_cast<size_t>(perSeries)].left, 0);
    for (const RECT& r : rects) {
        EXPECT_LE(r.bottom, area.bottom);
        EXPECT_LE(r.right, area.right);
        EXPECT_GE(r.bottom - r.top, area.bottom / 2);
    }
}

}  // namespace
}  // namespace tw::mdi::test
