#include "platform/win32/user/ScrollBars.h"

#include <algorithm>

#include "platform/win32/user/NonClientLayout.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace scroll_bars_detail {

constexpr int kMinThumb = 8;

ScrollBarState* StateOf(Window* w, int bar)
{
    if (bar == SB_HORZ)
        return &w->hScroll;
    if (bar == SB_VERT)
        return &w->vScroll;
    return nullptr;
}

DWORD StyleOf(int bar)
{
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

// The largest position the thumb can reach: max - page + 1 with a page.
int MaxPos(const ScrollBarState& s)
{
    if (s.page == 0)
        return s.max;
    return std::max(s.min, s.max - static_cast<int>(s.page) + 1);
}

void Redraw(HWND hwnd)
{
    UserGuard guard(UserMutex());
    if (Window* w = Tree().Find(hwnd)) {
        w->ncPaintNeeded = true;
        WakeOwnerOf(hwnd);
    }
}

// Shows or hides a bar by its style bit and lets the client area follow.
void ShowBar(HWND hwnd, int bar, bool show)
{
    bool changed = false;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        const DWORD bit = StyleOf(bar);
        const DWORD next = show ? (w->style | bit) : (w->style & ~bit);
        changed = next != w->style;
        w->style = next;
    }
    if (changed)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace scroll_bars_detail

ScrollBarGeometry ScrollBars::Geometry(HWND hwnd, int bar)
{
    namespace d = scroll_bars_detail;
    ScrollBarGeometry g;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return g;
    const NonClientLayout layout(w->style, w->exStyle, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top,
                                 (w->style & WS_HSCROLL) != 0, (w->style & WS_VSCROLL) != 0, w->menuBarHeight);
    g.vertical = bar == SB_VERT;
    g.bar = g.vertical ? layout.vScroll : layout.hScroll;
    g.present = g.bar.right > g.bar.left && g.bar.bottom > g.bar.top;
    if (!g.present)
        return g;
    const ScrollBarState& s = *d::StateOf(w, bar);
    const int thickness = g.vertical ? g.bar.right - g.bar.left : g.bar.bottom - g.bar.top;
    const int length = g.vertical ? g.bar.bottom - g.bar.top : g.bar.right - g.bar.left;
    const int arrow = std::min(thickness, length / 2);
    const int track = std::max(0, length - 2 * arrow);
    const int range = s.max - s.min + 1;
    int thumbLength = s.page ? std::max(d::kMinThumb, static_cast<int>(static_cast<long long>(track) * s.page / std::max(range, 1)))
                             : thickness;
    thumbLength = std::min(thumbLength, track);
    const int span = d::MaxPos(s) - s.min;
    const int offset = span > 0 ? static_cast<int>(static_cast<long long>(track - thumbLength) * (s.pos - s.min) / span) : 0;
    if (g.vertical) {
        g.upArrow = RECT{g.bar.left, g.bar.top, g.bar.right, g.bar.top + arrow};
        g.downArrow = RECT{g.bar.left, g.bar.bottom - arrow, g.bar.right, g.bar.bottom};
        g.thumb = RECT{g.bar.left, g.upArrow.bottom + offset, g.bar.right, g.upArrow.bottom + offset + thumbLength};
    } else {
        g.upArrow = RECT{g.bar.left, g.bar.top, g.bar.left + arrow, g.bar.bottom};
        g.downArrow = RECT{g.bar.right - arrow, g.bar.top, g.bar.right, g.bar.bottom};
        g.thumb = RECT{g.upArrow.right + offset, g.bar.top, g.upArrow.right + offset + thumbLength, g.bar.bottom};
    }
    if (range <= 1 || s.disabledArrows == ESB_DISABLE_BOTH)
        g.thumb = RECT{};
    return g;
}

ScrollBarPart ScrollBars::PartAt(HWND hwnd, int bar, POINT screenPt)
{
    const ScrollBarGeometry g = Geometry(hwnd, bar);
    RECT window;
    GetWindowRect(hwnd, &window);
    const POINT p{screenPt.x - window.left, screenPt.y - window.top};
    const auto in = [&](const RECT& r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; };
    if (!g.present || !in(g.bar))
        return ScrollBarPart::None;
    if (in(g.upArrow))
        return ScrollBarPart::LineUp;
    if (in(g.downArrow))
        return ScrollBarPart::LineDown;
    if (in(g.thumb))
        return ScrollBarPart::Thumb;
    const bool before = g.vertical ? p.y < g.thumb.top : p.x < g.thumb.left;
    return before ? ScrollBarPart::PageUp : ScrollBarPart::PageDown;
}

int ScrollBars::Position(HWND hwnd, int bar)
{
    return GetScrollPos(hwnd, bar);
}

int ScrollBars::PositionAt(HWND hwnd, int bar, POINT screenPt)
{
    namespace d = scroll_bars_detail;
    const ScrollBarGeometry g = Geometry(hwnd, bar);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd, bar, &si);
    RECT window;
    GetWindowRect(hwnd, &window);
    const int thumbLength = g.vertical ? g.thumb.bottom - g.thumb.top : g.thumb.right - g.thumb.left;
    const int trackStart = g.vertical ? g.upArrow.bottom : g.upArrow.right;
    const int trackEnd = g.vertical ? g.downArrow.top : g.downArrow.left;
    const int room = trackEnd - trackStart - thumbLength;
    if (room <= 0)
        return si.nMin;
    const int at = (g.vertical ? screenPt.y - window.top : screenPt.x - window.left) - trackStart - thumbLength / 2;
    ScrollBarState s;
    s.min = si.nMin;
    s.max = si.nMax;
    s.page = si.nPage;
    const int span = d::MaxPos(s) - s.min;
    const int pos = s.min + static_cast<int>((static_cast<long long>(std::clamp(at, 0, room)) * span + room / 2) / room);
    return std::clamp(pos, s.min, d::MaxPos(s));
}

void ScrollBars::SetTrackPos(HWND hwnd, int bar, int pos)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return;
    if (ScrollBarState* s = scroll_bars_detail::StateOf(w, bar))
        s->trackPos = pos;
}

}  // namespace tw::user

using tw::user::Tree;
using tw::user::UserGuard;
using tw::user::UserMutex;
using tw::user::Window;

// SB_CTL: the window is a scroll-bar control, which keeps its own state.
int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw)
{
    namespace d = tw::user::scroll_bars_detail;
    if (lpsi && nBar == SB_CTL)
        return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(lpsi)));
    if (!lpsi || (nBar != SB_HORZ && nBar != SB_VERT))
        return 0;
    int pos;
    bool hide = false;
    bool show = false;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return 0;
        tw::user::ScrollBarState& s = *d::StateOf(w, nBar);
        if (lpsi->fMask & SIF_RANGE) {
            s.min = lpsi->nMin;
            s.max = std::max(lpsi->nMin, lpsi->nMax);
        }
        if (lpsi->fMask & SIF_PAGE)
            s.page = std::min<UINT>(lpsi->nPage, static_cast<UINT>(s.max - s.min + 1));
        if (lpsi->fMask & SIF_POS)
            s.pos = lpsi->nPos;
        s.pos = std::clamp(s.pos, s.min, d::MaxPos(s));
        pos = s.pos;
        // A bar with nothing to scroll goes away unless it was asked to stay disabled.
        const bool needed = s.max > s.min && (s.page == 0 || static_cast<int>(s.page) <= s.max - s.min);
        if (lpsi->fMask & (SIF_RANGE | SIF_PAGE)) {
            if (!needed && !(lpsi->fMask & SIF_DISABLENOSCROLL))
                hide = (w->style & d::StyleOf(nBar)) != 0;
            else if (needed)
                show = !(w->style & d::StyleOf(nBar)) && s.shown;
            s.disabledArrows = (!needed && (lpsi->fMask & SIF_DISABLENOSCROLL)) ? ESB_DISABLE_BOTH : 0;
        }
    }
    if (hide || show)
        d::ShowBar(hwnd, nBar, show);
    else if (redraw)
        d::Redraw(hwnd);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi)
{
    namespace d = tw::user::scroll_bars_detail;
    if (lpsi && nBar == SB_CTL)
        return static_cast<BOOL>(SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpsi)));
    if (!lpsi || (nBar != SB_HORZ && nBar != SB_VERT))
        return FALSE;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return FALSE;
    const tw::user::ScrollBarState& s = *d::StateOf(w, nBar);
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = s.min;
        lpsi->nMax = s.max;
    }
    if (lpsi->fMask & SIF_PAGE)
        lpsi->nPage = s.page;
    if (lpsi->fMask & SIF_POS)
        lpsi->nPos = s.pos;
    if (lpsi->fMask & SIF_TRACKPOS)
        lpsi->nTrackPos = s.trackPos;
    return TRUE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw)
{
    const int previous = GetScrollPos(hWnd, nBar);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return previous;
}

int GetScrollPos(HWND hWnd, int nBar)
{
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(hWnd, nBar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO si{sizeof si, SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    return IsWindow(hWnd) && (SetScrollInfo(hWnd, nBar, &si, bRedraw), TRUE);
}

BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos)
{
    SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(hWnd, nBar, &si))
        return FALSE;
    if (lpMinPos)
        *lpMinPos = si.nMin;
    if (lpMaxPos)
        *lpMaxPos = si.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow)
{
    namespace d = tw::user::scroll_bars_detail;
    if (!IsWindow(hWnd))
        return FALSE;
    if (wBar == SB_CTL) {
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (wBar == SB_HORZ || wBar == SB_BOTH)
            w->hScroll.shown = bShow != FALSE;
        if (wBar == SB_VERT || wBar == SB_BOTH)
            w->vScroll.shown = bShow != FALSE;
    }
    if (wBar == SB_HORZ || wBar == SB_BOTH)
        d::ShowBar(hWnd, SB_HORZ, bShow != FALSE);
    if (wBar == SB_VERT || wBar == SB_BOTH)
        d::ShowBar(hWnd, SB_VERT, bShow != FALSE);
    return TRUE;
}

// FALSE when the arrows were already in the asked state, as on the platform.
BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows)
{
    namespace d = tw::user::scroll_bars_detail;
    if (wSBflags == SB_CTL) {
        // A control with both arrows disabled is a disabled window.
        if (!IsWindow(hWnd))
            return FALSE;
        const bool wholeBar = (wArrows & ESB_DISABLE_BOTH) == ESB_DISABLE_BOTH || wArrows == ESB_ENABLE_BOTH;
        if (wholeBar)
            EnableWindow(hWnd, wArrows == ESB_ENABLE_BOTH);
        return static_cast<BOOL>(SendMessage(hWnd, SBM_ENABLE_ARROWS, wArrows, 0));
    }
    bool changed = false;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return FALSE;
        const auto apply = [&](tw::user::ScrollBarState& s) {
            changed |= s.disabledArrows != wArrows;
            s.disabledArrows = wArrows;
        };
        if (wSBflags == SB_HORZ || wSBflags == SB_BOTH)
            apply(w->hScroll);
        if (wSBflags == SB_VERT || wSBflags == SB_BOTH)
            apply(w->vScroll);
    }
    if (changed)
        d::Redraw(hWnd);
    return changed ? TRUE : FALSE;
}
