// The "ListBox" class: single, multiple and extended selection, sorted
// lists, owner-drawn items of fixed or variable height, tab stops, type-ahead
// and the keyboard hooks for owners (WM_VKEYTOITEM, WM_CHARTOITEM). The
// "ComboLBox" class is the same procedure in the role of a combo box's list.
#pragma once

#include <functional>

#include "platform/win32/controls/stdctrl.h"

namespace tw::controls {

class ListBoxControl {
public:
    static constexpr const char* kClassName = "ListBox";
    static constexpr const char* kComboClassName = "ComboLBox";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // What a dropped combo list tells its combo box.
    enum class ComboEvent {
        Commit,        // the person picked the item under the mouse
        Cancel,        // clicked elsewhere, or the mouse was taken away
        ButtonToggle,  // clicked the combo's own field or button: it closes the list itself
    };
    using ComboListener = std::function<void(ComboEvent)>;
    // The combo box owning a list; its field and button are where ButtonToggle applies.
    static void AttachToCombo(HWND list, HWND combo, ComboListener listener);
    // The list is shown: it takes the mouse. buttonHeld when the press that opened it is still down.
    static void StartDroppedTracking(HWND list, bool buttonHeld);
    static void StopDroppedTracking(HWND list);
};

}  // namespace tw::controls
