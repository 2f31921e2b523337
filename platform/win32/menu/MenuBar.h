// The menu bar of a top-level window with a menu: its height, drawing and
// the start of its menu loop, offered to the window system's default
// processing through MenuBarProvider.
#pragma once

#include "platform/win32/menu/MenuBarProvider.h"
#include "platform/win32/menu/winmenu.h"

namespace tw::menu {

class MenuBar final : public MenuBarProvider {
public:
    // Installs the provider once; called when the first menu is made.
    static void Install();

    // The bar's menu: GetMenu of a window that is not a child.
    static HMENU BarMenuOf(HWND hwnd);
    // Where the bar lies, in window coordinates: right above the client
    // area (and its edge), as wide as the frame's inside. Empty without one.
    static RECT BarRect(HWND hwnd);
    // Draws the bar again at once, with the menu loop's highlight.
    static void Redraw(HWND hwnd);

    int BarHeight(HWND hwnd, int barWidth) override;
    void PaintBar(HWND hwnd, HDC windowDc, const RECT& barRect) override;
    bool SysCommand(HWND hwnd, WPARAM command, LPARAM lParam) override;
    HMENU LoadClassMenu(HINSTANCE instance, LPCSTR menuName) override;
    void WindowDestroyed(HWND hwnd, HMENU barMenu) override;
};

}  // namespace tw::menu
