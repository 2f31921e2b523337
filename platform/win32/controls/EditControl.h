// The "Edit" class: single- and multi-line text entry with the platform's
// selection, one-step undo, clipboard commands, scrolling, password, number,
// case and read-only styles, and its EM_ messages and EN_ notifications.
#pragma once

#include "platform/win32/controls/stdctrl.h"

namespace tw::controls {

class EditControl {
public:
    static constexpr const char* kClassName = "Edit";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::controls
