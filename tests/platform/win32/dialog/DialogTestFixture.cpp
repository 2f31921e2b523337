#include "tests/platform/win32/dialog/DialogTestFixture.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "tests/platform/win32/dialog/TestControls.h"

namespace tw::dlg::test {

DialogTest* DialogTest::current_ = nullptr;

TemplateBuilder::TemplateBuilder(DWORD style, short cx, short cy, const std::string& title)
{
    template_.style = style;
    template_.cx = cx;
    template_.cy = cy;
    template_.title = title;
}

TemplateBuilder& TemplateBuilder::Font(WORD pointSize, const std::string& face)
{
    template_.style |= DS_SETFONT;
    template_.pointSize = pointSize;
    template_.typeface = face;
    return *this;
}

TemplateBuilder& TemplateBuilder::Item(const std::string& className, const std::string& text, int id, DWORD style,
                                       short x, short y, short cx, short cy, DWORD exStyle)
{
    tw::res::DialogItemTemplate item;
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.exStyle = exStyle;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = static_cast<DWORD>(id);
    const WORD atom = tw::res::AtomOfClassName(className);
    item.windowClass = atom ? tw::res::NameOrOrdinal::FromOrdinal(atom) : tw::res::NameOrOrdinal::FromText(className);
    item.title = tw::res::NameOrOrdinal::FromText(text);
    template_.items.push_back(item);
    return *this;
}

LPCDLGTEMPLATE TemplateBuilder::Bytes()
{
    bytes_ = tw::res::WriteDialogTemplate(template_);
    return reinterpret_cast<LPCDLGTEMPLATE>(bytes_.data());
}

void DialogTest::SetUp()
{
    static std::once_flag once;
    std::call_once(once, [] { tw::RegisterResources(tw::ProgramInstance(), TarnwickResources()); });
    TestControls::Register();
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    current_ = this;
    Pump(nullptr);
}

void DialogTest::TearDown()
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

void DialogTest::Pump(HWND dialog)
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (dialog && IsWindow(dialog) && IsDialogMessage(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

LRESULT CALLBACK DialogTest::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (current_ && current_->ownerHandler)
        current_->ownerHandler(hwnd, message, wParam, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND DialogTest::MakeOwner(RECT rect)
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "DialogTestOwner";
        RegisterClass(&wc);
    });
    HWND owner = CreateWindowEx(0, "DialogTestOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    Pump(nullptr);
    return owner;
}

POINT DialogTest::CentreOf(HWND control) const
{
    RECT r;
    GetWindowRect(control, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string DialogTest::TextOf(HWND hwnd) const
{
    char buffer[512] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

INT_PTR CALLBACK DialogTest::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!current_)
        return FALSE;
    // Presses only: the controls' focus and change notifications are not counted.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        current_->commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    INT_PTR answer = FALSE;
    if (current_->handler && current_->handler(dialog, message, wParam, lParam, &answer))
        return answer;
    if (message == WM_INITDIALOG)
        return TRUE;
    return FALSE;
}

}  // namespace tw::dlg::test
