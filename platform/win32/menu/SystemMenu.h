// The system menus of windows: each window's own copy, made by its first
// GetSystemMenu, with the standard commands.
#pragma once

#include "platform/win32/menu/winmenu.h"

namespace tw::menu {

// The window's copy if GetSystemMenu made one; never makes one.
HMENU ExistingSystemMenu(HWND hwnd);
// Brings the standard items' states in line with the window: Restore only
// when minimised or maximised, Move and Size not while maximised, and so on.
void UpdateSystemMenuStates(HWND hwnd, HMENU menu);
// Destroys the window's copy, if any: its window is gone.
void DropSystemMenu(HWND hwnd);

}  // namespace tw::menu
