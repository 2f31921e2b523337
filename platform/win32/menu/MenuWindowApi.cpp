// The menu calls that involve windows: the bar of a window, the system
// menu, popup menus and the positions of items on the screen.
#include <map>
#include <mutex>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/menu/MenuBar.h"
#include "platform/win32/menu/MenuLayout.h"
#include "platform/win32/menu/MenuTracker.h"
#include "platform/win32/menu/SystemMenu.h"

using tw::menu::MenuBar;
using tw::menu::MenuStore;
using tw::menu::MenuTracker;

namespace tw::menu {

namespace menu_window_detail {

std::mutex& SystemMenusMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<HWND, HMENU>& SystemMenus()
{
    static auto* menus = new std::map<HWND, HMENU>;
    return *menus;
}

HMENU BuildSystemMenu(HWND hwnd)
{
    // A document window inside a frame closes and moves on with Ctrl keys.
    const bool documentWindow = (GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, SC_RESTORE, "&Restore");
    AppendMenu(menu, MF_STRING, SC_MOVE, "&Move");
    AppendMenu(menu, MF_STRING, SC_SIZE, "&Size");
    AppendMenu(menu, MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenu(menu, MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(menu, MF_STRING, SC_CLOSE, documentWindow ? "&Close\tCtrl+F4" : "&Close\tAlt+F4");
    if (documentWindow) {
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING, SC_NEXTWINDOW, "Nex&t\tCtrl+F6");
    }
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
    if (Menu* found = MenuStore::Instance().Find(menu))
        found->systemMenu = true;
    return menu;
}

// The rectangle of an item on the screen, for a bar or an open popup.
bool ItemScreenRect(HWND hwnd, HMENU menu, UINT item, RECT* rect)
{
    if (MenuBar::BarMenuOf(hwnd) == menu) {
        const RECT bar = MenuBar::BarRect(hwnd);
        const MenuLayout layout = MenuPainter::MeasureBar(hwnd, menu, bar.right - bar.left);
        if (item >= layout.rects.size())
            return false;
        RECT window{};
        GetWindowRect(hwnd, &window);
        *rect = layout.rects[item];
        OffsetRect(rect, window.left + bar.left, window.top + bar.top);
        return true;
    }
    return MenuTracker::OpenItemRect(menu, item, rect);
}

}  // namespace menu_window_detail

HMENU ExistingSystemMenu(HWND hwnd)
{
    std::lock_guard<std::mutex> lock(menu_window_detail::SystemMenusMutex());
    auto found = menu_window_detail::SystemMenus().find(hwnd);
    if (found == menu_window_detail::SystemMenus().end())
        return nullptr;
    return IsMenu(found->second) ? found->second : nullptr;
}

void DropSystemMenu(HWND hwnd)
{
    HMENU copy = nullptr;
    {
        std::lock_guard<std::mutex> lock(menu_window_detail::SystemMenusMutex());
        auto found = menu_window_detail::SystemMenus().find(hwnd);
        if (found == menu_window_detail::SystemMenus().end())
            return;
        copy = found->second;
        menu_window_detail::SystemMenus().erase(found);
    }
    if (IsMenu(copy))
        DestroyMenu(copy);
}

void UpdateSystemMenuStates(HWND hwnd, HMENU menu)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    const bool zoomed = IsZoomed(hwnd);
    const bool iconic = IsIconic(hwnd);
    auto enable = [menu](UINT command, bool on) { EnableMenuItem(menu, command, on ? MF_ENABLED : MF_GRAYED); };
    enable(SC_RESTORE, zoomed || iconic);
    enable(SC_MOVE, !zoomed);
    enable(SC_SIZE, !zoomed && !iconic && (style & WS_THICKFRAME));
    enable(SC_MINIMIZE, !iconic && (style & WS_MINIMIZEBOX));
    enable(SC_MAXIMIZE, !zoomed && (style & WS_MAXIMIZEBOX));
}

}  // namespace tw::menu

namespace mwd = tw::menu::menu_window_detail;

HMENU GetMenu(HWND hWnd)
{
    if (!IsWindow(hWnd) || (GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD))
        return nullptr;
    return reinterpret_cast<HMENU>(GetWindowLongPtr(hWnd, GWLP_ID));
}

BOOL SetMenu(HWND hWnd, HMENU hMenu)
{
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (GetWindowLongPtr(hWnd, GWL_STYLE) & WS_CHILD) {
        SetLastError(ERROR_CHILD_WINDOW_MENU);
        return FALSE;
    }
    if (hMenu && !IsMenu(hMenu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    SetWindowLongPtr(hWnd, GWLP_ID, reinterpret_cast<LONG_PTR>(hMenu));
    if (hMenu) {
        std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
        if (tw::menu::Menu* menu = MenuStore::Instance().Find(hMenu))
            menu->barWindow = hWnd;
    }
    // The client area moves to make room for the bar, or takes its place.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL DrawMenuBar(HWND hWnd)
{
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!MenuBar::BarMenuOf(hWnd))
        return FALSE;
    // The bar's height may have changed with its items.
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    MenuBar::Redraw(hWnd);
    return TRUE;
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HMENU stale = nullptr;
    HMENU result = nullptr;
    {
        std::lock_guard<std::mutex> lock(mwd::SystemMenusMutex());
        auto& menus = mwd::SystemMenus();
        auto found = menus.find(hWnd);
        if (bRevert) {
            if (found != menus.end()) {
                stale = found->second;
                menus.erase(found);
            }
        } else if (found != menus.end() && IsMenu(found->second)) {
            result = found->second;
        } else {
            result = mwd::BuildSystemMenu(hWnd);
            menus[hWnd] = result;
        }
    }
    if (stale)
        DestroyMenu(stale);
    return result;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect)
{
    (void)nReserved;
    (void)prcRect;
    return MenuTracker::TrackPopup(hMenu, uFlags, POINT{x, y}, hWnd, tw::menu::ExistingSystemMenu(hWnd) == hMenu);
}

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm)
{
    (void)lptpm;
    return TrackPopupMenu(hMenu, uFlags, x, y, 0, hwnd, nullptr);
}

BOOL EndMenu() { return MenuTracker::EndActive(); }

BOOL HiliteMenuItem(HWND hWnd, HMENU hMenu, UINT uIDHiliteItem, UINT uHilite)
{
    {
        std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
        tw::menu::ItemRef ref = tw::menu::FindItem(hMenu, uIDHiliteItem, uHilite);
        if (!ref)
            return FALSE;
        tw::menu::MenuItem& item = *ref.item();
        item.state = (uHilite & MF_HILITE) ? (item.state | MFS_HILITE) : (item.state & ~MFS_HILITE);
    }
    MenuBar::Redraw(hWnd);
    return TRUE;
}

BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem)
{
    if (!lprcItem)
        return FALSE;
    return mwd::ItemScreenRect(hWnd, hMenu, uItem, lprcItem);
}

int MenuItemFromPoint(HWND hWnd, HMENU hMenu, POINT ptScreen)
{
    const int count = GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        RECT rect;
        if (mwd::ItemScreenRect(hWnd, hMenu, static_cast<UINT>(i), &rect) && PtInRect(&rect, ptScreen))
            return i;
    }
    return -1;
}
