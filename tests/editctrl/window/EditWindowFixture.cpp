#include "tests/editctrl/window/EditWindowFixture.h"

#include <cstring>

#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace ktvp_window_test {

void EditWindowTest::SetUp()
{
    tw::ProcessClock::Freeze();
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                480, nullptr, nullptr));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 400, 200}, &parent, 100));
    edit.SetFocus();
    Pump();
}

void EditWindowTest::TearDown()
{
    // The clipboard owns what a test left on it; empty it so nothing outlives the test.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    if (edit.m_hWnd != nullptr)
        edit.DestroyWindow();
    if (parent.m_hWnd != nullptr)
        parent.DestroyWindow();
    Pump();
    tw::ProcessClock::Resume();
}

void EditWindowTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

std::string EditWindowTest::Text() const
{
    const int length = static_cast<int>(::SendMessage(edit.m_hWnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied =
        static_cast<int>(::SendMessage(edit.m_hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(copied));
    return text;
}

POINT EditWindowTest::PointOf(int offset) const
{
    POINT pt{};
    edit.OffsetToPoint(offset, pt);
    pt.x += 1;  // just right of the boundary before the character
    pt.y += edit.m_nRowHeight / 2;
    return pt;
}

void EditWindowTest::Key(UINT vk)
{
    ::SendMessage(edit.m_hWnd, WM_KEYDOWN, vk, 0);
}

void EditWindowTest::Type(const std::string& text)
{
    for (unsigned char ch : text)
        ::SendMessage(edit.m_hWnd, WM_CHAR, ch, 0);
}

void EditWindowTest::Click(POINT pt, bool shift)
{
    const WPARAM flags = MK_LBUTTON | (shift ? MK_SHIFT : 0);
    ::SendMessage(edit.m_hWnd, WM_LBUTTONDOWN, flags, MAKELONG(pt.x, pt.y));
    ::SendMessage(edit.m_hWnd, WM_LBUTTONUP, flags & ~MK_LBUTTON, MAKELONG(pt.x, pt.y));
}

void EditWindowTest::SetClipboard(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

std::string EditWindowTest::ClipboardText() const
{
    if (!OpenClipboard(nullptr))
        return "<not open>";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace ktvp_window_test
