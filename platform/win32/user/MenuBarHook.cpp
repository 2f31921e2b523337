#include "platform/win32/user/MenuBarHook.h"

#include "platform/win32/menu/MenuBarProvider.h"
#include "platform/win32/user/NonClientLayout.h"

namespace tw::user {

int MenuBarHook::Height(HWND hwnd, DWORD style, DWORD exStyle, int outerWidth)
{
    if (style & (WS_CHILD | WS_MINIMIZE))
        return 0;
    menu::MenuBarProvider* provider = menu::InstalledMenuBarProvider();
    if (!provider)
        return 0;
    return provider->BarHeight(hwnd, NonClientLayout::MenuBarWidth(style, exStyle, outerWidth));
}

void MenuBarHook::Paint(HWND hwnd, HDC windowDc, const RECT& barRect)
{
    if (menu::MenuBarProvider* provider = menu::InstalledMenuBarProvider())
        provider->PaintBar(hwnd, windowDc, barRect);
}

bool MenuBarHook::SysCommand(HWND hwnd, WPARAM command, LPARAM lParam)
{
    menu::MenuBarProvider* provider = menu::InstalledMenuBarProvider();
    return provider && provider->SysCommand(hwnd, command, lParam);
}

HMENU MenuBarHook::LoadClassMenu(HINSTANCE instance, LPCSTR menuName)
{
    menu::MenuBarProvider* provider = menu::InstalledMenuBarProvider();
    return provider && menuName ? provider->LoadClassMenu(instance, menuName) : nullptr;
}

void MenuBarHook::WindowDestroyed(HWND hwnd, HMENU barMenu)
{
    if (menu::MenuBarProvider* provider = menu::InstalledMenuBarProvider())
        provider->WindowDestroyed(hwnd, barMenu);
}

}  // namespace tw::user
