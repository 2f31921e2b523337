// Moving, sizing, showing and stacking windows: SetWindowPos in three
// phases (WM_WINDOWPOSCHANGING, the change, WM_WINDOWPOSCHANGED) so that
// EndDeferWindowPos moves every window in one pass, and the minimised,
// maximised and normal states with their placement.
#pragma once

#include <vector>

#include "platform/win32/user/winuser.h"

namespace tw::user {

class WindowPosition {
public:
    struct Change {
        WINDOWPOS pos{};
        RECT oldScreenRect{};
        bool wasVisible = false;
        bool nowVisible = false;
        bool skip = false;
    };

    static bool Prepare(Change& change);
    static void Apply(Change& change);
    static void Finish(Change& change);
    static bool Run(std::vector<Change>& changes);

    static MINMAXINFO DefaultMinMax(HWND hwnd);
    static MINMAXINFO QueryMinMax(HWND hwnd);
    // Asks the window for its client area (WM_NCCALCSIZE); params is null at creation.
    static void RecalcClient(HWND hwnd, WINDOWPOS* pos, const RECT* previousRect = nullptr,
                             const RECT* previousClient = nullptr);
    static POINT ClientOriginInParent(HWND hwnd);
    static RECT MinimizedRect(HWND hwnd);
    static RECT MaximizedRect(HWND hwnd);
};

}  // namespace tw::user
