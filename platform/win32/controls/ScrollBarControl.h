// The "ScrollBar" class: horizontal and vertical bars that tell their parent
// of arrow, page and thumb actions (WM_HSCROLL / WM_VSCROLL with their own
// handle), with auto-repeat on the process clock, and the size box and grip.
#pragma once

#include "platform/win32/controls/stdctrl.h"

namespace tw::controls {

class ScrollBarControl {
public:
    static constexpr const char* kClassName = "ScrollBar";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Auto-repeat: the first repeat after this long, then at this interval.
    static constexpr UINT kFirstRepeatMs = 350;
    static constexpr UINT kRepeatMs = 50;
};

}  // namespace tw::controls
