// The memory-only backend: nothing is shown, input comes only from injection,
// and the clipboard's text stays in the process.
#pragma once

#include <mutex>

#include "platform/display/DisplayBackend.h"

namespace tw::display {

class HeadlessBackend : public DisplayBackend {
public:
    const char* Name() const override { return "headless"; }
    bool IsHeadless() const override { return true; }
    void Pump(Screen& screen, InputQueue& input) override;
    bool WaitNative(int) override { return false; }
    void Wake() override {}
    bool SetClipboardText(const std::string& text) override;
    bool GetClipboardText(std::string& text) override;

private:
    std::mutex mutex_;
    std::string clipboard_;
    bool hasClipboard_ = false;
};

}  // namespace tw::display
