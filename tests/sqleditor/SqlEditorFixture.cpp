#include "tests/sqleditor/SqlEditorFixture.h"

#include "platform/comctl/commctrl.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/user/BeepTrace.h"
#include "resources/TarnwickResources.h"

namespace sqled_test {

MessageBoxRecorder* MessageBoxRecorder::s_self = nullptr;

MessageBoxRecorder::MessageBoxRecorder()
{
    s_self = this;
    m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    ::UnhookWindowsHookEx(m_hook);
    s_self = nullptr;
}

LRESULT CALLBACK MessageBoxRecorder::Hook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && s_self != nullptr) {
        const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
        const HWND hwnd = reinterpret_cast<HWND>(wParam);
        if ((create->style & WS_CHILD) == 0) {
            ++s_self->boxes;
            ::PostMessage(hwnd, WM_COMMAND, IDOK, 0);
        } else if (create->lpszName != nullptr && create->lpszName[0] != 0) {
            s_self->texts.push_back(create->lpszName);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void SqlEditorTest::SetUp()
{
    HeadlessWindowTest::SetUp();
    static const bool registered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
    (void)registered;
    tw::InitCommonControls();  // the editor's tooltip window, as the program has it
    ASSERT_TRUE(Editor().Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 300}, CWnd::FromHandle(parent), 100));
    Editor().SetFocus();
    Pump();
    tw::user::ResetBeepTrace();
}

void SqlEditorTest::TearDown()
{
    if (Editor().m_hWnd != nullptr)
        Editor().DestroyWindow();
    HeadlessWindowTest::TearDown();
}

std::string SqlEditorTest::Text() const
{
    CKtvPEditCtrl& e = const_cast<SqlEditorTest*>(this)->Editor();
    const int length = static_cast<int>(::SendMessage(e.m_hWnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied =
        static_cast<int>(::SendMessage(e.m_hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(copied));
    return text;
}

void SqlEditorTest::SetText(const std::string& text)
{
    ::SendMessage(Editor().m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SqlEditorTest::Type(const std::string& text)
{
    for (unsigned char ch : text)
        ::SendMessage(Editor().m_hWnd, WM_CHAR, ch, 0);
}

void SqlEditorTest::KeyDown(UINT vk)
{
    ::SendMessage(Editor().m_hWnd, WM_KEYDOWN, vk, 0);
}

std::pair<int, int> SqlEditorTest::Selection() const
{
    CKtvPEditCtrl& e = const_cast<SqlEditorTest*>(this)->Editor();
    return {e.m_nSelStart, e.m_nSelEnd};
}

size_t SqlEditorTest::TakeBeeps()
{
    const size_t n = tw::user::BeepTrace().size();
    tw::user::ResetBeepTrace();
    return n;
}

}  // namespace sqled_test
