// The screen as one monitor, the system beep, and telling every top-level
// window that a system setting changed.
#include <mutex>

#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/user/BeepTrace.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user::system_data_detail {

// The one monitor's handle: any fixed, non-null value callers can compare.
const HMONITOR kMonitor = reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(0x00010001));

bool OnScreen(POINT pt)
{
    UserGuard guard(UserMutex());
    const RECT r = Tree().Desktop()->rect;
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

}  // namespace tw::user::system_data_detail

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags)
{
    namespace d = tw::user::system_data_detail;
    if (d::OnScreen(pt) || dwFlags != MONITOR_DEFAULTTONULL)
        return d::kMonitor;
    return nullptr;
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags)
{
    namespace d = tw::user::system_data_detail;
    if (!lprc)
        return dwFlags == MONITOR_DEFAULTTONULL ? nullptr : d::kMonitor;
    RECT screen;
    {
        tw::user::UserGuard guard(tw::user::UserMutex());
        screen = tw::user::Tree().Desktop()->rect;
    }
    const bool overlaps = lprc->left < screen.right && lprc->right > screen.left && lprc->top < screen.bottom &&
                          lprc->bottom > screen.top;
    if (overlaps || dwFlags != MONITOR_DEFAULTTONULL)
        return d::kMonitor;
    return nullptr;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return dwFlags == MONITOR_DEFAULTTONULL ? nullptr : tw::user::system_data_detail::kMonitor;
    return MonitorFromRect(&r, dwFlags);
}

BOOL GetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    if (hMonitor != tw::user::system_data_detail::kMonitor || !lpmi || lpmi->cbSize < sizeof(MONITORINFO))
        return FALSE;
    {
        tw::user::UserGuard guard(tw::user::UserMutex());
        lpmi->rcMonitor = tw::user::Tree().Desktop()->rect;
    }
    lpmi->rcWork = tw::gdi::WorkArea();
    lpmi->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

namespace {
std::mutex g_beepMutex;
std::vector<UINT> g_beeps;
}  // namespace

std::vector<UINT> tw::user::BeepTrace()
{
    std::lock_guard<std::mutex> lock(g_beepMutex);
    return g_beeps;
}

void tw::user::ResetBeepTrace()
{
    std::lock_guard<std::mutex> lock(g_beepMutex);
    g_beeps.clear();
}

// There is no sound device: the beep is a success that makes no sound, and is recorded.
BOOL MessageBeep(UINT uType)
{
    std::lock_guard<std::mutex> lock(g_beepMutex);
    g_beeps.push_back(uType);
    return TRUE;
}
