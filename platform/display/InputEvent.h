// One unit of user input, independent of where it came from: the desktop
// backend translates native events into these, and tests inject the same
// events, so both go through one path into the window layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::display {

enum class InputKind {
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,
    KeyDown,
    KeyUp,
    Text,
    // The person closed the desktop window.
    Quit,
    // Files dropped on the desktop window at pos.
    DropFiles,
    // Text dragged from another program and dropped on the desktop window at pos.
    DropText,
};

enum class MouseButton { None, Left, Right, Middle, X1, X2 };

// Modifier state at the time of the event.
enum InputModifier : unsigned {
    ModShift = 1u << 0,
    ModControl = 1u << 1,
    ModAlt = 1u << 2,
};

struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    // Screen coordinates of the pointer (every kind carries the latest).
    POINT pos{0, 0};
    MouseButton button = MouseButton::None;
    // Wheel: multiples of 120 (WHEEL_DELTA); positive is away from the user or right.
    int wheelDelta = 0;
    bool wheelHorizontal = false;
    // Keys: the virtual-key code, the set-1 scan code, whether it is an
    // extended key (right Ctrl, arrows on the grey block...), auto-repeat.
    UINT vk = 0;
    UINT scanCode = 0;
    bool extendedKey = false;
    bool repeat = false;
    unsigned modifiers = 0;
    // Text: UTF-8 of what the key strokes produced. The backend sends it
    // besides the key events; the window layer makes characters of its
    // non-ASCII part only (ASCII comes from the keys), so nothing doubles.
    // DropText: the dropped text, UTF-8, line ends as they came.
    std::string text;
    // DropFiles: the dropped files' paths, in the order they came.
    std::vector<std::string> files;
    // Process-clock milliseconds when the event happened.
    uint64_t timeMs = 0;
};

}  // namespace tw::display
