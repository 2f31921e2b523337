#include "platform/display/HeadlessBackend.h"

namespace tw::display {

void HeadlessBackend::Pump(Screen& screen, InputQueue&)
{
    // Nobody looks at the pixels, so the changes are simply forgotten.
    screen.TakeDirtyRects();
}

bool HeadlessBackend::SetClipboardText(const std::string& text)
{
    std::lock_guard lock(mutex_);
    clipboard_ = text;
    hasClipboard_ = true;
    return true;
}

bool HeadlessBackend::GetClipboardText(std::string& text)
{
    std::lock_guard lock(mutex_);
    if (!hasClipboard_)
        return false;
    text = clipboard_;
    return true;
}

}  // namespace tw::display
