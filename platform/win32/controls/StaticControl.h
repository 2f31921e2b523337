// The "Static" class: labels with their alignments, icons and bitmaps,
// rectangles, frames and etched lines; clicks reach the parent only with
// SS_NOTIFY.
#pragma once

#include "platform/win32/controls/stdctrl.h"

namespace tw::controls {

class StaticControl {
public:
    static constexpr const char* kClassName = "Static";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::controls
