// Test input: pushes the same InputEvents the desktop backend produces, so
// injected input travels the window layer's real path. Virtual keys are the
// platform's (VK_RETURN is 0x0D, letters are 'A'..'Z').
#pragma once

#include <string>
#include <vector>

#include "platform/display/InputEvent.h"
#include "platform/display/InputQueue.h"

namespace tw::display {

class InputInjector {
public:
    // Injects into the process display's queue.
    InputInjector();
    explicit InputInjector(InputQueue& queue) : queue_(&queue) {}

    void MouseMove(int x, int y);
    void ButtonDown(MouseButton button, int x, int y);
    void ButtonUp(MouseButton button, int x, int y);
    // A move to (x, y), then down and up there.
    void Click(MouseButton button, int x, int y);
    // Down at the start, moves in steps to the end, up there.
    void Drag(MouseButton button, POINT from, POINT to, int steps = 4);
    void Wheel(int delta, bool horizontal = false);
    void KeyDown(UINT vk, bool repeat = false);
    void KeyUp(UINT vk);
    // Down and up.
    void KeyStroke(UINT vk);
    void Text(const std::string& utf8);
    // Files dropped at (x, y), as a file manager drops them on the desktop window.
    void DropFiles(int x, int y, std::vector<std::string> paths);
    // Text dropped at (x, y), as another program drops it on the desktop window.
    void DropText(int x, int y, std::string utf8);

    void SetModifiers(unsigned modifiers) { modifiers_ = modifiers; }
    POINT Pointer() const { return pointer_; }

private:
    void Send(InputEvent event);

    InputQueue* queue_;
    POINT pointer_{0, 0};
    unsigned modifiers_ = 0;
};

}  // namespace tw::display
