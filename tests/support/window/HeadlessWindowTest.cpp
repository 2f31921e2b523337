#include "tests/support/window/HeadlessWindowTest.h"

#include <vector>

#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/kernel/kernel.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::test {

std::vector<HWND> TopLevelWindows(bool callingThreadOnly)
{
    std::vector<HWND> tops;
    const WNDENUMPROC collect = [](HWND hwnd, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    };
    if (callingThreadOnly)
        EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&tops));
    else
        EnumWindows(collect, reinterpret_cast<LPARAM>(&tops));
    return tops;
}

void DestroyTopLevelWindows(bool callingThreadOnly)
{
    for (HWND hwnd : TopLevelWindows(callingThreadOnly)) {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
}

HeadlessWindowTest* HeadlessWindowTest::current_ = nullptr;

namespace {
constexpr const char* kHeadlessParentClass = "HeadlessTestParent";
}

void HeadlessWindowTest::SetUp()
{
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = kHeadlessParentClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.style = CS_DBLCLKS;
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    current_ = this;
    parent = CreateWindowEx(0, kHeadlessParentClass, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                            50, 50, 500, 400, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(parent);
    Pump();
}

void HeadlessWindowTest::TearDown()
{
    ReleaseCapture();
    // Nothing is left on the clipboard for the next test (or the end of the process).
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    tw::test::DestroyTopLevelWindows();
    tw::display::Display::Instance().Input().Clear();
    Pump();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    current_ = nullptr;
    tw::ProcessClock::Resume();
}

LRESULT HeadlessWindowTest::HandleParentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HeadlessWindowTest::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return current_ ? current_->HandleParentMessage(hwnd, message, wParam, lParam)
                    : DefWindowProc(hwnd, message, wParam, lParam);
}

void HeadlessWindowTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

POINT HeadlessWindowTest::ScreenPointOf(HWND hwnd, int clientX, int clientY)
{
    POINT pt{clientX, clientY};
    ClientToScreen(hwnd, &pt);
    return pt;
}

COLORREF HeadlessWindowTest::ScreenPixel(HWND hwnd, int clientX, int clientY)
{
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y);
}

void HeadlessWindowTest::Click(HWND hwnd, int clientX, int clientY)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
}

void HeadlessWindowTest::DoubleClick(HWND hwnd, int clientX, int clientY)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
}

void HeadlessWindowTest::Key(UINT vk)
{
    input.KeyStroke(vk);
    Pump();
}

void HeadlessWindowTest::TypeKeys(const std::string& text)
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

}  // namespace tw::test
