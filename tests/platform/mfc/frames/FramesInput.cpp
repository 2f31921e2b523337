#include "tests/platform/mfc/frames/FramesInput.h"

#include "platform/display/Display.h"
#include "platform/mfc/afxwin.h"
#include "platform/win32/kernel/Files.h"

namespace tw::mfc::frames_test {

void PumpThroughApp()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (AfxGetApp()->PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void TypeKeys(tw::display::InputInjector& input, const std::string& text)
{
    for (char c : text) {
        const SHORT scan = VkKeyScan(c);
        const bool shift = (scan >> 8) & 1;
        if (shift)
            input.KeyDown(VK_SHIFT);
        input.KeyStroke(static_cast<UINT>(scan & 0xFF));
        if (shift)
            input.KeyUp(VK_SHIFT);
    }
}

void ClearInput()
{
    tw::display::Display::Instance().Input().Clear();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
}

std::string CurrentFolder()
{
    char dir[MAX_PATH] = {};
    GetCurrentDirectory(MAX_PATH, dir);
    return dir;
}

}  // namespace tw::mfc::frames_test
