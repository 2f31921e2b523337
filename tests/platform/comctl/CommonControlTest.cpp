#include "tests/platform/comctl/CommonControlTest.h"

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comctl::test {

CommonControlTest* CommonControlTest::current_ = nullptr;

namespace {
constexpr const char* kParentClass = "CommonControlTestParent";
}

void CommonControlTest::SetUp()
{
    tw::RegisterStandardControlClasses();
    tw::InitCommonControls();
    static bool registered = false;
    if (!registered) {
        WNDCLASS wc{};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = kParentClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.style = CS_DBLCLKS;
        RegisterClass(&wc);
        registered = true;
    }
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    current_ = this;
    parent = CreateWindowEx(0, kParentClass, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50,
                            500, 400, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(parent);
    Pump();
    Clear();
}

void CommonControlTest::TearDown()
{
    ReleaseCapture();
    std::vector<HWND> tops;
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    for (HWND hwnd : tops)
        DestroyWindow(hwnd);
    tw::display::Display::Instance().Input().Clear();
    Pump();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    current_ = nullptr;
    tw::ProcessClock::Resume();
}

HWND CommonControlTest::Make(const char* className, DWORD style, RECT rect, int id, DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    Pump();
    return hwnd;
}

void CommonControlTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void CommonControlTest::Advance(unsigned ms)
{
    tw::ProcessClock::Advance(ms);
    Pump();
}

POINT CommonControlTest::ScreenPointOf(HWND hwnd, int clientX, int clientY)
{
    POINT pt{clientX, clientY};
    ClientToScreen(hwnd, &pt);
    return pt;
}

COLORREF CommonControlTest::ScreenPixel(HWND hwnd, int clientX, int clientY)
{
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y);
}

void CommonControlTest::MoveTo(HWND hwnd, int clientX, int clientY)
{
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.MouseMove(pt.x, pt.y);
    Pump();
}

void CommonControlTest::Click(HWND hwnd, int clientX, int clientY)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
}

void CommonControlTest::DoubleClick(HWND hwnd, int clientX, int clientY)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
}

void CommonControlTest::Key(UINT vk)
{
    input.KeyStroke(vk);
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

LRESULT CALLBACK CommonControlTest::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CommonControlTest* self = current_;
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (self->onMessage && self->onMessage(message, wParam, lParam, &result))
        return result;
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        self->codes.push_back(header->code);
        return self->onNotify ? self->onNotify(header) : 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl::test
