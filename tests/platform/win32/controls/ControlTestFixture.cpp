#include "tests/platform/win32/controls/ControlTestFixture.h"

#include <vector>

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls::test {

ControlTest* ControlTest::current_ = nullptr;

namespace {
constexpr const char* kParentClass = "ControlTestParent";
}

void ControlTest::SetUp()
{
    tw::RegisterStandardControlClasses();
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

void ControlTest::TearDown()
{
    ReleaseCapture();
    // Tests leave nothing on the clipboard for the next one (or for the end of the process).
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
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

HWND ControlTest::Make(const char* className, const char* text, DWORD style, RECT rect, int id, DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    Pump();
    return hwnd;
}

void ControlTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

POINT ControlTest::ScreenPointOf(HWND hwnd, int clientX, int clientY)
{
    POINT pt{clientX, clientY};
    ClientToScreen(hwnd, &pt);
    return pt;
}

COLORREF ControlTest::ScreenPixel(HWND hwnd, int clientX, int clientY)
{
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    return tw::display::Display::Instance().GetScreen().PixelColor(pt.x, pt.y);
}

void ControlTest::Click(HWND hwnd, int clientX, int clientY)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
}

void ControlTest::DoubleClick(HWND hwnd, int clientX, int clientY)
{
    // Far enough from any earlier click that the first of these two is a single click.
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    const POINT pt = ScreenPointOf(hwnd, clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    Pump();
}

void ControlTest::Key(UINT vk)
{
    input.KeyStroke(vk);
    Pump();
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

LRESULT CALLBACK ControlTest::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlTest* self = current_;
    if (self && self->answer_) {
        LRESULT result = 0;
        if (self->answer_(message, wParam, lParam, &result))
            return result;
    }
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        self->log_.push_back(CommandLine(LOWORD(wParam), static_cast<short>(HIWORD(wParam))));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        self->log_.push_back(std::string(message == WM_HSCROLL ? "HSCROLL " : "VSCROLL ") +
                             std::to_string(LOWORD(wParam)) + " " + std::to_string(static_cast<short>(HIWORD(wParam))));
        return 0;
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        self->log_.push_back("DRAWITEM " + std::to_string(dis->CtlType) + " " + std::to_string(dis->CtlID) + " item=" +
                             std::to_string(static_cast<int>(dis->itemID)) + " action=" +
                             std::to_string(dis->itemAction) + " state=" + std::to_string(dis->itemState));
        return TRUE;
    }
    case WM_DELETEITEM: {
        const auto* dis = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        self->log_.push_back("DELETEITEM " + std::to_string(dis->CtlID) + " item=" + std::to_string(dis->itemID) +
                             " data=" + std::to_string(dis->itemData));
        return TRUE;
    }
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace tw::controls::test
