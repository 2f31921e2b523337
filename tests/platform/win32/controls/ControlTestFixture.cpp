#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <vector>

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls::test {

void ControlTest::SetUp()
{
    tw::RegisterStandardControlClasses();
    HeadlessWindowTest::SetUp();
    Clear();
}

HWND ControlTest::Make(const char* className, const char* text, DWORD style, RECT rect, int id, DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    Pump();
    return hwnd;
}

void ControlTest::KeyWith(UINT modifierVk, UINT vk)
{
    input.KeyDown(modifierVk);
    input.KeyStroke(vk);
    input.KeyUp(modifierVk);
    Pump();
}

void ControlTest::Type(const std::string& text)
{
    // Characters arrive as WM_CHAR, as typing does after TranslateMessage.
    HWND focus = GetFocus();
    for (unsigned char c : text)
        SendMessage(focus, WM_CHAR, c, 1);
    Pump();
}

std::vector<std::string> ControlTest::Commands() const
{
    std::vector<std::string> commands;
    for (const std::string& line : log_) {
        if (line.rfind("COMMAND", 0) == 0)
            commands.push_back(line);
    }
    return commands;
}

std::string ControlTest::TextOf(HWND hwnd)
{
    char buffer[1024] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string CommandLine(int id, int code)
{
    return "COMMAND " + std::to_string(id) + " " + std::to_string(code);
}

LRESULT ControlTest::HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (answer_) {
        LRESULT result = 0;
        if (answer_(message, wParam, lParam, &result))
            return result;
    }
    switch (message) {
    case WM_COMMAND:
        log_.push_back(CommandLine(LOWORD(wParam), static_cast<short>(HIWORD(wParam))));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        log_.push_back(std::string(message == WM_HSCROLL ? "HSCROLL " : "VSCROLL ") +
                             std::to_string(LOWORD(wParam)) + " " + std::to_string(static_cast<short>(HIWORD(wParam))));
        return 0;
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        log_.push_back("DRAWITEM " + std::to_string(dis->CtlType) + " " + std::to_string(dis->CtlID) + " item=" +
                             std::to_string(static_cast<int>(dis->itemID)) + " action=" +
                             std::to_string(dis->itemAction) + " state=" + std::to_string(dis->itemState));
        return TRUE;
    }
    case WM_DELETEITEM: {
        const auto* dis = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        log_.push_back("DELETEITEM " + std::to_string(dis->CtlID) + " item=" + std::to_string(dis->itemID) +
                             " data=" + std::to_string(dis->itemData));
        return TRUE;
    }
    default:
        return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
    }
}

}  // namespace tw::controls::test
