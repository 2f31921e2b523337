#include "platform/win32/user/Caret.h"

#include <mutex>

#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/user/MessageQueue.h"
#include "platform/win32/user/UserInternal.h"

namespace tw::user {

namespace caret_detail {

struct CaretState {
    HWND hwnd = nullptr;
    DWORD threadId = 0;
    HBITMAP bitmap = nullptr;  // NULL solid, (HBITMAP)1 grey, else the shape
    int width = 1;
    int height = 1;
    POINT pos{};
    int hideCount = 1;  // a new caret starts hidden
    int paintHides = 0;
    bool drawn = false;
    uint64_t nextToggle = 0;
};

std::recursive_mutex g_mutex;
CaretState g_caret;
UINT g_blinkTime = 530;

const HBITMAP kGreyCaret = reinterpret_cast<HBITMAP>(1);

// Inverting twice restores the screen exactly, so drawing and erasing are one.
void Invert()
{
    CaretState& c = g_caret;
    HDC hdc = GetDC(c.hwnd);
    if (!hdc)
        return;
    if (!c.bitmap) {
        PatBlt(hdc, c.pos.x, c.pos.y, c.width, c.height, DSTINVERT);
    } else if (c.bitmap == kGreyCaret) {
        HBRUSH grey = GetSysColorBrush(COLOR_GRAYTEXT);
        HGDIOBJ old = SelectObject(hdc, grey);
        PatBlt(hdc, c.pos.x, c.pos.y, c.width, c.height, PATINVERT);
        SelectObject(hdc, old);
    } else {
        HDC memory = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(memory, c.bitmap);
        BitBlt(hdc, c.pos.x, c.pos.y, c.width, c.height, memory, 0, 0, SRCINVERT);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    ReleaseDC(c.hwnd, hdc);
    c.drawn = !c.drawn;
}

void EraseIfDrawn()
{
    if (g_caret.drawn)
        Invert();
}

void RestartBlink()
{
    g_caret.nextToggle = tw::ProcessClock::NowMs() + g_blinkTime;
}

bool VisibleNow()
{
    return g_caret.hwnd && g_caret.hideCount == 0 && g_caret.paintHides == 0;
}

}  // namespace caret_detail

bool Caret::Create(HWND hwnd, HBITMAP bitmap, int width, int height)
{
    namespace d = caret_detail;
    if (!IsWindow(hwnd))
        return false;
    std::lock_guard lock(d::g_mutex);
    d::EraseIfDrawn();
    d::g_caret = d::CaretState{};
    d::g_caret.hwnd = hwnd;
    d::g_caret.threadId = GetWindowThreadProcessId(hwnd, nullptr);
    d::g_caret.bitmap = bitmap;
    if (bitmap && bitmap != d::kGreyCaret) {
        BITMAP info{};
        if (GetObject(bitmap, sizeof info, &info)) {
            width = info.bmWidth;
            height = info.bmHeight;
        }
    }
    d::g_caret.width = width > 0 ? width : 1;
    d::g_caret.height = height > 0 ? height : 1;
    return true;
}

bool Caret::Destroy()
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!d::g_caret.hwnd)
        return false;
    d::EraseIfDrawn();
    d::g_caret = d::CaretState{};
    return true;
}

void Caret::Forget(HWND hwnd)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (d::g_caret.hwnd == hwnd)
        d::g_caret = d::CaretState{};  // the window is going: nothing left to erase
}

bool Caret::Show(HWND hwnd)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!d::g_caret.hwnd || (hwnd && hwnd != d::g_caret.hwnd))
        return false;
    if (d::g_caret.hideCount > 0)
        --d::g_caret.hideCount;
    if (d::VisibleNow() && !d::g_caret.drawn) {
        d::Invert();
        d::RestartBlink();
    }
    return true;
}

bool Caret::Hide(HWND hwnd)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!d::g_caret.hwnd || (hwnd && hwnd != d::g_caret.hwnd))
        return false;
    ++d::g_caret.hideCount;
    d::EraseIfDrawn();
    return true;
}

bool Caret::SetPos(int x, int y)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!d::g_caret.hwnd)
        return false;
    if (d::g_caret.pos.x == x && d::g_caret.pos.y == y)
        return true;
    const bool wasDrawn = d::g_caret.drawn;
    d::EraseIfDrawn();
    d::g_caret.pos = POINT{x, y};
    if (wasDrawn || d::VisibleNow()) {
        if (d::VisibleNow())
            d::Invert();
        d::RestartBlink();
    }
    return true;
}

bool Caret::GetPos(POINT* pt)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!pt || !d::g_caret.hwnd)
        return false;
    *pt = d::g_caret.pos;
    return true;
}

void Caret::SetBlinkTime(UINT ms)
{
    std::lock_guard lock(caret_detail::g_mutex);
    caret_detail::g_blinkTime = ms ? ms : 530;
}

UINT Caret::BlinkTime()
{
    std::lock_guard lock(caret_detail::g_mutex);
    return caret_detail::g_blinkTime;
}

void Caret::HideFor(HWND hwnd)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!d::g_caret.hwnd || d::g_caret.hwnd != hwnd)
        return;
    ++d::g_caret.paintHides;
    d::EraseIfDrawn();
}

void Caret::ShowAfterPaint(HWND hwnd)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (!d::g_caret.hwnd || d::g_caret.hwnd != hwnd || d::g_caret.paintHides == 0)
        return;
    --d::g_caret.paintHides;
    if (d::VisibleNow() && !d::g_caret.drawn)
        d::Invert();
}

void Caret::Tick(DWORD threadId)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (d::g_caret.threadId != threadId || !d::VisibleNow())
        return;
    const uint64_t now = tw::ProcessClock::NowMs();
    if (now < d::g_caret.nextToggle)
        return;
    d::Invert();
    d::g_caret.nextToggle = now + d::g_blinkTime;
}

uint64_t Caret::NextBlink(DWORD threadId)
{
    namespace d = caret_detail;
    std::lock_guard lock(d::g_mutex);
    if (d::g_caret.threadId != threadId || !d::VisibleNow())
        return UINT64_MAX;
    return d::g_caret.nextToggle;
}

bool Caret::IsDrawn()
{
    std::lock_guard lock(caret_detail::g_mutex);
    return caret_detail::g_caret.drawn;
}

}  // namespace tw::user

BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight)
{
    return tw::user::Caret::Create(hWnd, hBitmap, nWidth, nHeight) ? TRUE : FALSE;
}

BOOL DestroyCaret()
{
    return tw::user::Caret::Destroy() ? TRUE : FALSE;
}

BOOL ShowCaret(HWND hWnd)
{
    return tw::user::Caret::Show(hWnd) ? TRUE : FALSE;
}

BOOL HideCaret(HWND hWnd)
{
    return tw::user::Caret::Hide(hWnd) ? TRUE : FALSE;
}

BOOL SetCaretPos(int X, int Y)
{
    return tw::user::Caret::SetPos(X, Y) ? TRUE : FALSE;
}

BOOL GetCaretPos(LPPOINT lpPoint)
{
    return tw::user::Caret::GetPos(lpPoint) ? TRUE : FALSE;
}

UINT GetCaretBlinkTime()
{
    return tw::user::Caret::BlinkTime();
}

BOOL SetCaretBlinkTime(UINT uMSeconds)
{
    tw::user::Caret::SetBlinkTime(uMSeconds);
    return TRUE;
}
