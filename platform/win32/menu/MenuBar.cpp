#include "platform/win32/menu/MenuBar.h"

#include <algorithm>

#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/menu/MenuLayout.h"
#include "platform/win32/menu/MenuTracker.h"
#include "platform/win32/menu/SystemMenu.h"

namespace tw::menu {

namespace menu_bar_detail {

int ClientEdge(DWORD exStyle)
{
    int edge = 0;
    if (exStyle & WS_EX_CLIENTEDGE)
        edge += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE)
        edge += GetSystemMetrics(SM_CXBORDER);
    return edge;
}

// Installed with the library itself, so a class menu loads even before the
// program makes a menu of its own.
[[maybe_unused]] const bool g_menuBarInstalledAtStart = (MenuBar::Install(), true);

}  // namespace menu_bar_detail

void MenuBar::Install()
{
    static MenuBar* provider = new MenuBar;
    MenuBarProvider* expected = nullptr;
    g_menuBarProvider.compare_exchange_strong(expected, provider);
}

HMENU MenuBar::BarMenuOf(HWND hwnd)
{
    if (!IsWindow(hwnd) || (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD))
        return nullptr;
    const HMENU menu = reinterpret_cast<HMENU>(GetWindowLongPtr(hwnd, GWLP_ID));
    return IsMenu(menu) ? menu : nullptr;
}

RECT MenuBar::BarRect(HWND hwnd)
{
    if (!BarMenuOf(hwnd) || IsIconic(hwnd))
        return RECT{0, 0, 0, 0};
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT client{0, 0};
    ClientToScreen(hwnd, &client);
    const int edge = menu_bar_detail::ClientEdge(static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_EXSTYLE)));
    const int left = client.x - window.left - edge;
    const int width = (window.right - window.left) - 2 * left;
    const int bottom = client.y - window.top - edge;
    const int height = MenuPainter::MeasureBar(hwnd, BarMenuOf(hwnd), std::max(width, 1)).size.cy;
    return RECT{left, bottom - height, left + width, bottom};
}

void MenuBar::Redraw(HWND hwnd)
{
    const RECT bar = BarRect(hwnd);
    if (IsRectEmpty(&bar))
        return;
    HDC hdc = GetWindowDC(hwnd);
    if (!hdc)
        return;
    MenuBar provider;
    provider.PaintBar(hwnd, hdc, bar);
    ReleaseDC(hwnd, hdc);
}

int MenuBar::BarHeight(HWND hwnd, int barWidth)
{
    const HMENU menu = BarMenuOf(hwnd);
    if (!menu)
        return 0;
    return MenuPainter::MeasureBar(hwnd, menu, std::max(barWidth, 1)).size.cy;
}

void MenuBar::PaintBar(HWND hwnd, HDC windowDc, const RECT& barRect)
{
    const HMENU menu = BarMenuOf(hwnd);
    if (!menu)
        return;
    const MenuLayout layout = MenuPainter::MeasureBar(hwnd, menu, std::max<int>(barRect.right - barRect.left, 1));
    bool pressed = false;
    const int selected = MenuTracker::BarSelection(hwnd, &pressed);
    MenuPainter::PaintBar(windowDc, hwnd, layout, barRect, selected, pressed);
}

bool MenuBar::SysCommand(HWND hwnd, WPARAM command, LPARAM lParam)
{
    const WPARAM kind = command & 0xFFF0;
    if (kind != SC_KEYMENU && kind != SC_MOUSEMENU)
        return false;
    const HWND top = GetAncestor(hwnd, GA_ROOT) ? GetAncestor(hwnd, GA_ROOT) : hwnd;
    const HMENU bar = BarMenuOf(top);
    const bool wantsSystemMenu = (kind == SC_KEYMENU && lParam == ' ') ||
                                 (kind == SC_MOUSEMENU && (command & 0x0F) == HTSYSMENU);
    if (wantsSystemMenu) {
        if (!(GetWindowLongPtr(top, GWL_STYLE) & WS_SYSMENU))
            return true;
        RECT window{};
        GetWindowRect(top, &window);
        POINT client{0, 0};
        ClientToScreen(top, &client);
        const RECT bar = BarRect(top);
        // Under the caption's icon.
        const int y = IsRectEmpty(&bar) ? client.y : window.top + bar.top;
        MenuTracker::TrackPopup(GetSystemMenu(top, FALSE), TPM_LEFTBUTTON, POINT{client.x, y}, top, true);
        return true;
    }
    if (!bar)
        return true;
    if (kind == SC_KEYMENU)
        MenuTracker::TrackBarByKey(top, bar, static_cast<WPARAM>(lParam));
    else
        MenuTracker::TrackBarByMouse(top, bar, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return true;
}

HMENU MenuBar::LoadClassMenu(HINSTANCE instance, LPCSTR menuName)
{
    if (!menuName)
        return nullptr;
    return LoadMenu(instance, menuName);
}

void MenuBar::WindowDestroyed(HWND hwnd, HMENU barMenu)
{
    DropSystemMenu(hwnd);
    if (barMenu && IsMenu(barMenu))
        DestroyMenu(barMenu);
}

}  // namespace tw::menu
