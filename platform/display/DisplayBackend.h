// Where the virtual screen is shown and where native input comes from.
#pragma once

#include <string>

#include "platform/display/InputQueue.h"
#include "platform/display/Screen.h"

namespace tw::display {

class DisplayBackend {
public:
    virtual ~DisplayBackend() = default;
    virtual const char* Name() const = 0;
    virtual bool IsHeadless() const = 0;
    // Shows what changed on the screen and turns pending native events into
    // InputEvents. The desktop backend must be pumped on the thread that
    // opened it.
    virtual void Pump(Screen& screen, InputQueue& input) = 0;
    // Blocks for native events up to timeoutMs; false when there is no native
    // event source (the caller then waits on the input queue alone).
    virtual bool WaitNative(int timeoutMs) = 0;
    // Interrupts WaitNative from another thread.
    virtual void Wake() = 0;
    // The size the screen should take at start, when the backend has one.
    virtual bool NativeSize(int& width, int& height)
    {
        (void)width;
        (void)height;
        return false;
    }
    virtual bool SetClipboardText(const std::string& text) = 0;
    virtual bool GetClipboardText(std::string& text) = 0;
};

}  // namespace tw::display
