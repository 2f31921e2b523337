// The "Button" class: push and default push buttons, check boxes (two and
// three states, automatic or not), radio buttons, group boxes and owner-drawn
// buttons, with text, bitmap or icon faces.
#pragma once

#include "platform/win32/controls/stdctrl.h"

namespace tw::controls {

class ButtonControl {
public:
    static constexpr const char* kClassName = "Button";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tw::controls
