// Where the parts of a window's frame lie: borders, caption, caption
// buttons, scroll bars, all in window coordinates (0,0 is the window's
// top-left corner). DefWindowProc's WM_NCCALCSIZE, WM_NCHITTEST and
// WM_NCPAINT share this one layout, so drawing and hit testing agree.
#pragma once

#include "platform/win32/user/winuser.h"

namespace tw::user {

struct NonClientLayout {
    // menuBarHeight: the menu bar's rows under the caption (0 without one).
    NonClientLayout(DWORD style, DWORD exStyle, int width, int height, bool hScrollShown, bool vScrollShown,
                    int menuBarHeight = 0);

    int outerWidth = 0;
    int outerHeight = 0;
    int frame = 0;         // outer border thickness on each side
    int captionHeight = 0; // 0 without a caption; includes the line under it
    RECT caption{};
    RECT sysMenuIcon{};
    RECT closeButton{};
    RECT maxButton{};
    RECT minButton{};
    RECT vScroll{};
    RECT hScroll{};
    RECT sizeBox{};  // the corner between two scroll bars
    RECT menuBar{};  // inside the frame, above the client edge
    RECT client{};

    bool hasSysMenu = false;
    bool hasMinMax = false;
    bool thickFrame = false;

    int HitTest(POINT windowPt) const;

    // Outer frame thickness only (no edges, no caption), for maximised placement.
    static int OuterFrame(DWORD style, DWORD exStyle);
    static int EdgeWidth(DWORD exStyle);
    // How wide a window's menu bar is: the frame's inside.
    static int MenuBarWidth(DWORD style, DWORD exStyle, int width);
};

}  // namespace tw::user
