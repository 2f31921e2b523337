// Draws the frame of a window in the classic look: borders and edges, the
// caption with its gradient, icon, title and buttons, and the window scroll
// bars, from the same layout that hit testing uses.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

class NonClientPainter {
public:
    static void Paint(HWND hwnd);
    static void SetActiveCaption(HWND hwnd, bool active);
    static void RedrawCaption(HWND hwnd);
    static void PressCaptionButton(HWND hwnd, int hit, bool pressed);
};

}  // namespace tw::user
