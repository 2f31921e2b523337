// Mouse-leave tracking for the library's controls: a short timer watches the
// cursor and posts WM_MOUSELEAVE once it has left the window's client area or
// another window lies over the point.
#include "ui/commandbars/KtvPDropDownToolBar.h"

namespace {

const UINT kTrackMouseInterval = 100;

void CALLBACK TrackMouseTimerProc(HWND hWnd, UINT, UINT_PTR idEvent, DWORD)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);

    POINT pt;
    ::GetCursorPos(&pt);
    if (!rect.PtInRect(pt) || ::WindowFromPoint(pt) != hWnd) {
        ::KillTimer(hWnd, idEvent);
        ::PostMessage(hWnd, WM_MOUSELEAVE, 0, 0);
    }
}

}  // namespace

BOOL EmulateTrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (lpEventTrack == nullptr || lpEventTrack->cbSize < 16)
        return FALSE;
    if (!::IsWindow(lpEventTrack->hwndTrack))
        return FALSE;
    if ((lpEventTrack->dwFlags & TME_LEAVE) == 0)
        return FALSE;
    return ::SetTimer(lpEventTrack->hwndTrack, lpEventTrack->dwFlags, kTrackMouseInterval, TrackMouseTimerProc) != 0;
}
