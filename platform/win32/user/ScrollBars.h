// The standard scroll bars of a window (WS_HSCROLL, WS_VSCROLL): their
// range, page and position, and where their arrows and thumb lie.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

enum class ScrollBarPart { None, LineUp, LineDown, PageUp, PageDown, Thumb };

struct ScrollBarGeometry {
    RECT bar{};  // window coordinates
    RECT upArrow{};
    RECT downArrow{};
    RECT thumb{};
    bool vertical = true;
    bool present = false;
};

class ScrollBars {
public:
    static ScrollBarGeometry Geometry(HWND hwnd, int bar);
    static ScrollBarPart PartAt(HWND hwnd, int bar, POINT screenPt);
    static int Position(HWND hwnd, int bar);
    // The position the thumb would stand for under a screen point.
    static int PositionAt(HWND hwnd, int bar, POINT screenPt);
    static void SetTrackPos(HWND hwnd, int bar, int pos);
};

}  // namespace tw::user
