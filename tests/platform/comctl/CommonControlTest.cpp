#include "tests/platform/comctl/CommonControlTest.h"

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comctl::test {

void CommonControlTest::SetUp()
{
    tw::RegisterStandardControlClasses();
    tw::InitCommonControls();
    HeadlessWindowTest::SetUp();
    Clear();
}

HWND CommonControlTest::Make(const char* className, DWORD style, RECT rect, int id, DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    Pump();
    return hwnd;
}

void CommonControlTest::Advance(unsigned ms)
{
    tw::ProcessClock::Advance(ms);
    Pump();
}

void CommonControlTest::MoveTo(HWND hwnd, int clientX, int clientY)
{
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.MouseMove(pt.x, pt.y);
    Pump();
}

void CommonControlTest::Type(const std::string& text)
{
    // As keys, which TranslateMessage turns into characters on the US layout.
    for (char c : text) {
        const bool upper = c >= 'A' && c <= 'Z';
        const UINT vk = UINT(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (upper)
            input.KeyDown(VK_SHIFT);
        input.KeyStroke(vk);
        if (upper)
            input.KeyUp(VK_SHIFT);
        Pump();
    }
}

LRESULT CommonControlTest::HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (onMessage && onMessage(message, wParam, lParam, &result))
        return result;
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        codes.push_back(header->code);
        return onNotify ? onNotify(header) : 0;
    }
    return HeadlessWindowTest::HandleParentMessage(hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl::test
