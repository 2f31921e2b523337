// Painting management: update regions per window (client coordinates), the
// visible region each window may draw in on the one screen surface, and the
// device contexts handed to windows. Windows draw straight onto the screen,
// clipped to what of them is visible; nothing is kept per window, so what
// is uncovered is repainted by its owner, as on the platform.
#pragma once

#include "platform/win32/user/RectRegion.h"
#include "platform/win32/user/winuser.h"

namespace tw::user {

struct Window;

class Painting {
public:
    // What of a window can be drawn on, in screen coordinates; empty while it
    // or an ancestor is hidden, has redraw off or is locked.
    static RectRegion VisibleRegion(HWND hwnd, bool clientOnly, DWORD dcxFlags);
    static HRGN ToRegion(const RectRegion& region);
    static RectRegion FromRegion(HRGN region);

    static HDC WindowDC(HWND hwnd, bool wholeWindow, DWORD dcxFlags, const RectRegion* limit);
    static bool EraseWithClassBrush(HWND hwnd, HDC hdc);
    static LRESULT DefaultControlColor(UINT message, HDC hdc);

    // The desktop's own painting: its background where no window covers it.
    static void PaintDesktop();

    // Adds to a window's update region (client coordinates), honouring redraw-off.
    static void AddUpdate(Window* w, const RECT& clientArea, bool erase);
    static bool CanPaint(const Window* w);
};

}  // namespace tw::user
