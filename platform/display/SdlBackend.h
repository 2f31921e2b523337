// The desktop backend: the screen shown in one native window of its size.
// Native mouse, wheel, keyboard and text input become InputEvents; resizing
// the window resizes the screen; the desktop clipboard carries text.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/display/DisplayBackend.h"

namespace tw::display {

class SdlBackend : public DisplayBackend {
public:
    // Null (with the reason in error) when no display can be opened. A zero
    // width or height sizes the window to the desktop's usable area.
    static std::unique_ptr<SdlBackend> Open(int width, int height, std::string& error);
    ~SdlBackend() override;

    const char* Name() const override { return "sdl"; }
    bool IsHeadless() const override { return false; }
    void Pump(Screen& screen, InputQueue& input) override;
    bool WaitNative(int timeoutMs) override;
    void Wake() override;
    bool NativeSize(int& width, int& height) override;
    bool SetClipboardText(const std::string& text) override;
    bool GetClipboardText(std::string& text) override;

    // What the window shows (0x00RRGGBB rows), for checks that the desktop
    // shows exactly the screen's pixels.
    bool ReadShownPixels(std::vector<uint32_t>& pixels, int& width, int& height);

    struct Native;

private:
    explicit SdlBackend(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

// Translation of a native key (an SDL scan code) to the virtual-key code,
// set-1 scan code and extended flag; false for keys we do not know.
struct NativeKey {
    UINT vk;
    UINT scanCode;
    bool extended;
};
bool TranslateSdlScancode(int sdlScancode, NativeKey& out);

}  // namespace tw::display
