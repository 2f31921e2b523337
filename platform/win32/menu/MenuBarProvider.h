// The hook through which the window system's default processing draws and
// drives menu bars without depending on the menu library: the library
// installs its provider when the first menu is made. Header only, so the
// window system needs no link to the menu library.
//
// What DefWindowProc does with it, for a window that is not a child and whose
// GetMenu (its id field) is not null:
//   WM_NCCALCSIZE  the bar lies under the caption, inside the frame, above
//                  the client edge: client top += BarHeight(hwnd, barWidth).
//   WM_NCPAINT     PaintBar(hwnd, windowDC, barRect in window coordinates).
//   WM_NCHITTEST   HTMENU inside the bar's rectangle.
//   WM_NCLBUTTONDOWN and WM_NCLBUTTONDBLCLK on HTMENU: WM_SYSCOMMAND
//                  SC_MOUSEMENU + HTMENU with the point, as for HTSYSMENU
//                  (a quick second click on the bar opens it again).
//   WM_SYSCOMMAND  SC_KEYMENU and SC_MOUSEMENU: SysCommand(hwnd, wParam,
//                  lParam); it runs the menu loop and answers true.
#pragma once

#include <atomic>

#include "platform/win32/user/winuser.h"

namespace tw::menu {

class MenuBarProvider {
public:
    virtual ~MenuBarProvider() = default;
    // The bar's height for a bar this wide (it wraps into rows); 0 without a menu.
    virtual int BarHeight(HWND hwnd, int barWidth) = 0;
    virtual void PaintBar(HWND hwnd, HDC windowDc, const RECT& barRect) = 0;
    // SC_KEYMENU (lParam: the character typed with Alt, 0 for Alt or F10
    // alone, ' ' for the system menu) and SC_MOUSEMENU (low four bits of
    // wParam: HTMENU or HTSYSMENU; lParam: the screen point).
    virtual bool SysCommand(HWND hwnd, WPARAM command, LPARAM lParam) = 0;
    // The class's menu by resource name or id; null when there is none.
    virtual HMENU LoadClassMenu(HINSTANCE instance, LPCSTR menuName) = 0;
    // After WM_NCDESTROY: drops the window's system menu copy and destroys
    // barMenu (null for a child window).
    virtual void WindowDestroyed(HWND hwnd, HMENU barMenu) = 0;
};

inline std::atomic<MenuBarProvider*> g_menuBarProvider{nullptr};

inline MenuBarProvider* InstalledMenuBarProvider() { return g_menuBarProvider.load(std::memory_order_acquire); }

}  // namespace tw::menu
