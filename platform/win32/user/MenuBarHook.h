// The window system's side of menu bars: it asks the installed menu bar
// provider, if any, and answers "no bar" without one. Never call these with
// the window tree's lock held: the provider calls back into the window system.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

class MenuBarHook {
public:
    // The bar's height for a window of this outer width; 0 for a child or
    // a minimised window, a window without a menu, or without a provider.
    static int Height(HWND hwnd, DWORD style, DWORD exStyle, int outerWidth);
    static void Paint(HWND hwnd, HDC windowDc, const RECT& barRect);
    // SC_KEYMENU and SC_MOUSEMENU; false when no provider took it.
    static bool SysCommand(HWND hwnd, WPARAM command, LPARAM lParam);
    static HMENU LoadClassMenu(HINSTANCE instance, LPCSTR menuName);
    static void WindowDestroyed(HWND hwnd, HMENU barMenu);
};

}  // namespace tw::user
