// The "ComboBox" class: simple, drop-down and drop-down-list combo boxes.
// The list is a "ComboLBox" window (a popup that never takes activation
// when it drops down) and the entry field a real "Edit" child, id 1001, that
// others may subclass.
#pragma once

#include "platform/win32/controls/stdctrl.h"

namespace tw::controls {

class ComboBoxControl {
public:
    static constexpr const char* kClassName = "ComboBox";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::controls
