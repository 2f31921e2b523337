// Whether the window system's default processing already gives a window
// with a menu its bar (through MenuBarProvider). Until it does, test frames
// do that share of default processing themselves; afterwards they must not,
// or the bar would be counted twice.
#pragma once

#include "platform/win32/menu/winmenu.h"

namespace tw::menu::test {

inline bool WindowSystemDrawsMenuBars()
{
    static const bool draws = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "MenuBarProbe";
        RegisterClass(&wc);
        HMENU menu = CreateMenu();
        AppendMenu(menu, MF_STRING, 1, "&Probe");
        HWND with = CreateWindowEx(0, "MenuBarProbe", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, menu, nullptr,
                                   nullptr);
        HWND without = CreateWindowEx(0, "MenuBarProbe", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr,
                                      nullptr, nullptr);
        RECT a{};
        RECT b{};
        GetClientRect(with, &a);
        GetClientRect(without, &b);
        DestroyWindow(with);
        DestroyWindow(without);
        DestroyMenu(menu);
        return a.bottom != b.bottom;
    }();
    return draws;
}

}  // namespace tw::menu::test
