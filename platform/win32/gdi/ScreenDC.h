// Device contexts on the virtual screen, made by the window layer: the DC's
// device origin sits at `origin` (screen coordinates) and it draws only inside
// `visible` (screen coordinates; NULL: the whole screen). The region is copied.
#pragma once

#include "platform/win32/gdi/wingdi.h"

namespace tw::gdi {

HDC CreateScreenDC(POINT origin, HRGN visible);
// Moves a screen DC or changes what it may touch (its window moved or was
// uncovered); the rest of its state stays.
BOOL SetScreenDCArea(HDC hdc, POINT origin, HRGN visible);
// Back to a fresh DC's state (stock objects, colours, modes, no clip region,
// no saved states), keeping its place on the screen.
BOOL ResetDCState(HDC hdc);
bool IsScreenDC(HDC hdc);

}  // namespace tw::gdi
