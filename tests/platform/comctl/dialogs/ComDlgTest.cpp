#include "tests/platform/comctl/dialogs/ComDlgTest.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comdlg::test {

ComDlgTest* ComDlgTest::current_ = nullptr;

void ComDlgTest::SetUp()
{
    tw::RegisterStandardControlClasses();
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    current_ = this;
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "ComDlgTestOwner";
        RegisterClass(&wc);
    });
    owner = CreateWindowEx(0, "ComDlgTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 700, 500, nullptr,
                           nullptr, nullptr, nullptr);
    Pump(nullptr);
}

void ComDlgTest::TearDown()
{
    tw::test::DestroyTopLevelWindows();
    tw::display::Display::Instance().Input().Clear();
    Pump(nullptr);
    MSG quit;
    while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    current_ = nullptr;
    tw::ProcessClock::Resume();
}

void ComDlgTest::Pump(HWND dialog)
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsWindow(dialog) && IsDialogMessage(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void ComDlgTest::Key(UINT vk, bool alt)
{
    if (alt)
        input.KeyDown(VK_MENU);
    input.KeyStroke(vk);
    if (alt)
        input.KeyUp(VK_MENU);
}

void ComDlgTest::Type(const std::string& text)
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

std::string ComDlgTest::TextOf(HWND hwnd)
{
    char buffer[1024] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

POINT ComDlgTest::CentreOf(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ComDlgTest::OnIdle(std::function<void(HWND, int)> step)
{
    idleCount_ = 0;
    ownerHandler = [this, step](UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_ENTERIDLE)
            step(reinterpret_cast<HWND>(lParam), ++idleCount_);
    };
}

LRESULT CALLBACK ComDlgTest::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (current_ && current_->ownerHandler)
        current_->ownerHandler(message, wParam, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace tw::comdlg::test
