#include "platform/win32/user/WindowPosition.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/user/NonClientLayout.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

// Internal WINDOWPOS flags the platform sets for DefWindowProc's benefit:
// WM_MOVE and WM_SIZE follow the client area, not the window rectangle.
#define TW_SWP_NOCLIENTSIZE 0x0800
#define TW_SWP_NOCLIENTMOVE 0x1000

namespace tw::user {

namespace window_position_detail {

// Minimised top-level windows go where the platform parks them when a
// task bar shows them: off the screen.
constexpr int kHiddenIconPos = -32000;

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::mutex g_deferMutex;
std::map<uintptr_t, std::vector<WindowPosition::Change>> g_deferred;
uintptr_t g_nextDefer = 0x5000;

// A moved window's pixels go with it, as the platform copies them; only
// what could not be copied (it was hidden before) is painted again.
void CarryPixels(HWND hwnd, const RectRegion& oldVisible, const RECT& oldScreenRect)
{
    RECT now;
    GetWindowRect(hwnd, &now);
    const int dx = now.left - oldScreenRect.left;
    const int dy = now.top - oldScreenRect.top;
    const RectRegion newVisible = Painting::VisibleRegion(hwnd, false, 0);
    RectRegion copied;
    for (const RECT& from : oldVisible.Rects()) {
        const RECT to{from.left + dx, from.top + dy, from.right + dx, from.bottom + dy};
        for (const RECT& visible : newVisible.Rects())
            copied.Add(RectRegion::Intersection(to, visible));
    }
    if (!copied.IsEmpty() && !oldVisible.IsEmpty()) {
        // Through a bitmap, so that source and destination may overlap.
        const RECT source = oldVisible.Bounds();
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bits = CreateCompatibleBitmap(screen, source.right - source.left, source.bottom - source.top);
        HGDIOBJ old = SelectObject(memory, bits);
        BitBlt(memory, 0, 0, source.right - source.left, source.bottom - source.top, screen, source.left, source.top,
               SRCCOPY);
        for (const RECT& r : copied.Rects())
            BitBlt(screen, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, r.left - dx - source.left,
                   r.top - dy - source.top, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bits);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    RectRegion missing = newVisible;
    for (const RECT& r : copied.Rects())
        missing.Subtract(r);
    for (const RECT& r : missing.Rects())
        InvalidateScreenAreaOf(hwnd, r);
}

}  // namespace window_position_detail

MINMAXINFO WindowPosition::DefaultMinMax(HWND hwnd)
{
    namespace d = window_position_detail;
    UserGuard guard(UserMutex());
    MINMAXINFO mmi{};
    Window* w = Tree().Find(hwnd);
    const RECT work = tw::gdi::WorkArea();
    const int frame = w ? NonClientLayout::OuterFrame(w->style, w->exStyle) : 0;
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    mmi.ptMaxSize = POINT{workWidth + 2 * frame, workHeight + 2 * frame};
    mmi.ptMaxPosition = POINT{work.left - frame, work.top - frame};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    return mmi;
}

MINMAXINFO WindowPosition::QueryMinMax(HWND hwnd)
{
    MINMAXINFO mmi = DefaultMinMax(hwnd);
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

void WindowPosition::RecalcClient(HWND hwnd, WINDOWPOS* pos, const RECT* previousRect, const RECT* previousClient)
{
    RECT windowRect;
    RECT oldWindowRect;
    RECT oldClient;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        windowRect = w->rect;
        oldWindowRect = previousRect ? *previousRect : w->rect;
        const RECT client = previousClient ? *previousClient : w->clientRect;
        oldClient = RECT{oldWindowRect.left + client.left, oldWindowRect.top + client.top,
                         oldWindowRect.left + client.right, oldWindowRect.top + client.bottom};
    }
    RECT client = windowRect;
    if (!pos) {
        SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    } else {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = windowRect;
        params.rgrc[1] = oldWindowRect;
        params.rgrc[2] = oldClient;
        params.lppos = pos;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        client = params.rgrc[0];
    }
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return;
    w->clientRect = RECT{client.left - w->rect.left, client.top - w->rect.top, client.right - w->rect.left,
                         client.bottom - w->rect.top};
    w->clientRect.right = std::max(w->clientRect.right, w->clientRect.left);
    w->clientRect.bottom = std::max(w->clientRect.bottom, w->clientRect.top);
}

POINT WindowPosition::ClientOriginInParent(HWND hwnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return POINT{0, 0};
    return POINT{w->rect.left + w->clientRect.left, w->rect.top + w->clientRect.top};
}

RECT WindowPosition::MinimizedRect(HWND hwnd)
{
    namespace d = window_position_detail;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return RECT{};
    if (w->minPosition.x != -1 || w->minPosition.y != -1)
        return RECT{w->minPosition.x, w->minPosition.y, w->minPosition.x + GetSystemMetrics(SM_CXMINIMIZED),
                    w->minPosition.y + GetSystemMetrics(SM_CYMINIMIZED)};
    if (Tree().IsTopLevel(w))
        return RECT{d::kHiddenIconPos, d::kHiddenIconPos, d::kHiddenIconPos + GetSystemMetrics(SM_CXMINIMIZED),
                    d::kHiddenIconPos + GetSystemMetrics(SM_CYMINIMIZED)};
    // Minimised child windows line up along the bottom of their parent.
    const int parentHeight = w->parent->clientRect.bottom - w->parent->clientRect.top;
    return RECT{0, parentHeight - GetSystemMetrics(SM_CYMINIMIZED), GetSystemMetrics(SM_CXMINIMIZED), parentHeight};
}

RECT WindowPosition::MaximizedRect(HWND hwnd)
{
    bool topLevel;
    RECT parentClient{};
    DWORD style = 0;
    DWORD exStyle = 0;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return RECT{};
        topLevel = Tree().IsTopLevel(w);
        parentClient = RECT{0, 0, w->parent->clientRect.right - w->parent->clientRect.left,
                            w->parent->clientRect.bottom - w->parent->clientRect.top};
        style = w->style;
        exStyle = w->exStyle;
    }
    if (!topLevel) {
        const int frame = NonClientLayout::OuterFrame(style, exStyle) + NonClientLayout::EdgeWidth(exStyle);
        return RECT{-frame, -frame, parentClient.right + frame, parentClient.bottom + frame};
    }
    const MINMAXINFO mmi = QueryMinMax(hwnd);
    return RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
}

bool WindowPosition::Prepare(Change& change)
{
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(change.pos.hwnd);
        if (!w || w == Tree().Desktop()) {
            change.skip = true;
            return false;
        }
        change.wasVisible = Tree().IsVisible(w);
        change.oldScreenRect = Tree().ScreenRect(w);
        UINT& flags = change.pos.flags;
        if ((flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE))
            flags &= ~SWP_SHOWWINDOW;
        if ((flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE))
            flags &= ~SWP_HIDEWINDOW;
        if (change.pos.hwndInsertAfter == change.pos.hwnd)
            flags |= SWP_NOZORDER;
        if (!Tree().IsTopLevel(w))
            flags |= SWP_NOACTIVATE;
    }
    if (!(change.pos.flags & SWP_NOSENDCHANGING))
        SendMessage(change.pos.hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&change.pos));
    return true;
}

void WindowPosition::Apply(Change& change)
{
    namespace d = window_position_detail;
    if (change.skip)
        return;
    HWND hwnd = change.pos.hwnd;
    UINT& flags = change.pos.flags;
    bool geometryChanged = false;
    RECT oldRect{};
    RECT oldClient{};
    // What the window showed, so that a plain move can carry its pixels along.
    const RectRegion oldVisible = change.wasVisible ? Painting::VisibleRegion(hwnd, false, 0) : RectRegion{};
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w) {
            change.skip = true;
            return;
        }
        RECT next = w->rect;
        if (!(flags & SWP_NOMOVE)) {
            next = RECT{change.pos.x, change.pos.y, change.pos.x + (next.right - next.left),
                        change.pos.y + (next.bottom - next.top)};
        }
        if (!(flags & SWP_NOSIZE)) {
            next.right = next.left + std::max(change.pos.cx, 0);
            next.bottom = next.top + std::max(change.pos.cy, 0);
        }
        if (next.left == w->rect.left && next.top == w->rect.top)
            flags |= SWP_NOMOVE;
        if (next.right - next.left == w->rect.right - w->rect.left &&
            next.bottom - next.top == w->rect.bottom - w->rect.top)
            flags |= SWP_NOSIZE;
        geometryChanged = !d::SameRect(next, w->rect);
        oldRect = w->rect;
        oldClient = w->clientRect;
        w->rect = next;
    }
    if (geometryChanged || (flags & SWP_FRAMECHANGED))
        RecalcClient(hwnd, &change.pos, &oldRect, &oldClient);
    bool zChanged = false;
    std::vector<RECT> uncovered;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w) {
            change.skip = true;
            return;
        }
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            w->normalRect = w->rect;
        if (w->rect.left + w->clientRect.left == oldRect.left + oldClient.left &&
            w->rect.top + w->clientRect.top == oldRect.top + oldClient.top)
            flags |= TW_SWP_NOCLIENTMOVE;
        if (w->clientRect.right - w->clientRect.left == oldClient.right - oldClient.left &&
            w->clientRect.bottom - w->clientRect.top == oldClient.bottom - oldClient.top)
            flags |= TW_SWP_NOCLIENTSIZE;
        if (!(flags & SWP_NOZORDER)) {
            HWND after = change.pos.hwndInsertAfter;
            if (after == HWND_TOPMOST)
                w->exStyle |= WS_EX_TOPMOST;
            else if (after == HWND_NOTOPMOST)
                w->exStyle &= ~WS_EX_TOPMOST;
            const auto& siblings = w->parent->children;
            const std::vector<Window*> above(siblings.begin(), std::find(siblings.begin(), siblings.end(), w));
            Tree().Restack(w, after);
            // What the siblings that were in front used to hide is now to be shown.
            const auto nowAt = std::find(siblings.begin(), siblings.end(), w);
            for (Window* sibling : above) {
                if (std::find(siblings.begin(), nowAt, sibling) == nowAt && (sibling->style & WS_VISIBLE)) {
                    zChanged = true;
                    uncovered.push_back(Tree().ScreenRect(sibling));
                }
            }
        }
        if (flags & SWP_SHOWWINDOW)
            w->style |= WS_VISIBLE;
        if (flags & SWP_HIDEWINDOW)
            w->style &= ~WS_VISIBLE;
        change.nowVisible = Tree().IsVisible(w);
        change.pos.x = w->rect.left;
        change.pos.y = w->rect.top;
        change.pos.cx = w->rect.right - w->rect.left;
        change.pos.cy = w->rect.bottom - w->rect.top;
    }
    if (flags & SWP_NOREDRAW)
        return;
    const bool plainMove = geometryChanged && (flags & SWP_NOSIZE) &&
                           !(flags & (SWP_FRAMECHANGED | SWP_NOCOPYBITS)) && change.wasVisible && change.nowVisible;
    if (change.wasVisible && (!change.nowVisible || geometryChanged))
        InvalidateScreenArea(change.oldScreenRect, hwnd);
    if (plainMove) {
        d::CarryPixels(hwnd, oldVisible, change.oldScreenRect);
    } else if (change.nowVisible && (!change.wasVisible || geometryChanged || (flags & SWP_FRAMECHANGED))) {
        InvalidateWholeWindow(hwnd);
    } else if (change.nowVisible && zChanged) {
        for (const RECT& area : uncovered)
            InvalidateScreenAreaOf(hwnd, area);
    }
}

void WindowPosition::Finish(Change& change)
{
    if (change.skip)
        return;
    HWND hwnd = change.pos.hwnd;
    const UINT flags = change.pos.flags;
    const bool refusesActivation = GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE;
    if (!(flags & SWP_NOACTIVATE) && change.nowVisible && IsWindowEnabled(hwnd) && !refusesActivation)
        ActivateWindow(hwnd, WA_ACTIVE);
    if (change.nowVisible && !(flags & SWP_NOREDRAW) &&
        (!change.wasVisible || !(flags & SWP_NOSIZE) || (flags & SWP_FRAMECHANGED)))
        PaintFrameAndEraseNow(hwnd);
    if (IsWindow(hwnd))
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&change.pos));
    if (change.wasVisible && !change.nowVisible && GetActiveWindow() == hwnd)
        ActivateNextWindow(hwnd);
}

bool WindowPosition::Run(std::vector<Change>& changes)
{
    bool any = false;
    for (Change& change : changes)
        any |= Prepare(change);
    for (Change& change : changes)
        Apply(change);
    for (Change& change : changes)
        Finish(change);
    return any;
}

}  // namespace tw::user

using tw::user::Tree;
using tw::user::UserGuard;
using tw::user::UserMutex;
using tw::user::Window;
using tw::user::WindowPosition;

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    std::vector<WindowPosition::Change> changes(1);
    changes[0].pos = WINDOWPOS{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    return WindowPosition::Run(changes) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hWnd)
{
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HDWP BeginDeferWindowPos(int nNumWindows)
{
    namespace d = tw::user::window_position_detail;
    if (nNumWindows < 0)
        return nullptr;
    std::lock_guard lock(d::g_deferMutex);
    const uintptr_t handle = d::g_nextDefer;
    d::g_nextDefer += 4;
    d::g_deferred[handle].reserve(static_cast<size_t>(nNumWindows));
    return reinterpret_cast<HDWP>(handle);
}

HDWP DeferWindowPos(HDWP hWinPosInfo, HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
{
    namespace d = tw::user::window_position_detail;
    if (!IsWindow(hWnd))
        return nullptr;
    std::lock_guard lock(d::g_deferMutex);
    const auto it = d::g_deferred.find(reinterpret_cast<uintptr_t>(hWinPosInfo));
    if (it == d::g_deferred.end())
        return nullptr;
    WindowPosition::Change change;
    change.pos = WINDOWPOS{hWnd, hWndInsertAfter, x, y, cx, cy, uFlags};
    auto existing = std::find_if(it->second.begin(), it->second.end(),
                                 [&](const WindowPosition::Change& c) { return c.pos.hwnd == hWnd; });
    if (existing != it->second.end())
        *existing = change;
    else
        it->second.push_back(change);
    return hWinPosInfo;
}

BOOL EndDeferWindowPos(HDWP hWinPosInfo)
{
    namespace d = tw::user::window_position_detail;
    std::vector<WindowPosition::Change> changes;
    {
        std::lock_guard lock(d::g_deferMutex);
        const auto it = d::g_deferred.find(reinterpret_cast<uintptr_t>(hWinPosInfo));
        if (it == d::g_deferred.end())
            return FALSE;
        changes = std::move(it->second);
        d::g_deferred.erase(it);
    }
    WindowPosition::Run(changes);
    return TRUE;
}

namespace tw::user::window_position_detail {

// Sets the minimised/maximised style bits and says where the window goes.
RECT EnterState(HWND hwnd, DWORD stateStyle)
{
    RECT target{};
    bool wasNormal;
    bool wasMaximized;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return target;
        wasNormal = !(w->style & (WS_MINIMIZE | WS_MAXIMIZE));
        wasMaximized = (w->style & WS_MAXIMIZE) != 0;
        if (wasNormal)
            w->normalRect = w->rect;
    }
    if (stateStyle == WS_MINIMIZE)
        target = WindowPosition::MinimizedRect(hwnd);
    else if (stateStyle == WS_MAXIMIZE)
        target = WindowPosition::MaximizedRect(hwnd);
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return target;
    if (stateStyle == WS_MINIMIZE)
        w->restoreToMaximized = wasMaximized;
    if (stateStyle == WS_MAXIMIZE)
        w->maxPosition = POINT{target.left, target.top};
    if (stateStyle == 0)
        target = w->normalRect;
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | stateStyle;
    return target;
}

}  // namespace tw::user::window_position_detail

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    namespace d = tw::user::window_position_detail;
    bool wasVisible;
    bool isChild;
    bool minimized;
    bool maximized;
    bool restoreToMaximized;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w || w == Tree().Desktop())
            return FALSE;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        isChild = !Tree().IsTopLevel(w);
        minimized = (w->style & WS_MINIMIZE) != 0;
        maximized = (w->style & WS_MAXIMIZE) != 0;
        restoreToMaximized = w->restoreToMaximized;
    }
    UINT flags = SWP_NOSIZE | SWP_NOMOVE;
    bool show = true;
    DWORD newState = minimized ? WS_MINIMIZE : (maximized ? WS_MAXIMIZE : 0);
    bool stateChange = false;
    switch (nCmdShow) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        show = false;
        flags |= SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE;
        break;
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
        flags |= SWP_NOACTIVATE;
        [[fallthrough]];
    case SW_SHOWMINIMIZED:
        newState = WS_MINIMIZE;
        stateChange = !minimized;
        break;
    case SW_SHOWMAXIMIZED:
        newState = WS_MAXIMIZE;
        stateChange = !maximized;
        break;
    case SW_SHOWNOACTIVATE:
        flags |= SWP_NOACTIVATE;
        break;
    case SW_SHOWNA:
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_SHOW:
        break;
    case SW_RESTORE:
        if (minimized) {
            newState = restoreToMaximized ? WS_MAXIMIZE : 0;
            stateChange = true;
        } else if (maximized) {
            newState = 0;
            stateChange = true;
        }
        break;
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        newState = 0;
        stateChange = minimized || maximized;
        break;
    default:
        return FALSE;
    }
    if (isChild)
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    if (show)
        flags |= SWP_SHOWWINDOW;
    if (show != wasVisible)
        SendMessage(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (!IsWindow(hWnd))
        return wasVisible ? TRUE : FALSE;
    RECT target{};
    if (stateChange) {
        target = d::EnterState(hWnd, newState);
        flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
        flags |= SWP_FRAMECHANGED | SWP_STATECHANGED;
    }
    const bool wasActive = GetActiveWindow() == hWnd;
    SetWindowPos(hWnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 flags);
    // Minimising hands activation to the next window, as hiding does.
    if (newState == WS_MINIMIZE && wasActive && (flags & SWP_NOACTIVATE))
        tw::user::ActivateNextWindow(hWnd);
    return wasVisible ? TRUE : FALSE;
}

BOOL ShowOwnedPopups(HWND hWnd, BOOL fShow)
{
    std::vector<HWND> popups;
    {
        UserGuard guard(UserMutex());
        for (Window* top : Tree().Desktop()->children) {
            if (top->owner == hWnd)
                popups.push_back(top->handle);
        }
    }
    for (HWND popup : popups)
        ShowWindow(popup, fShow ? SW_SHOWNA : SW_HIDE);
    return TRUE;
}

BOOL CloseWindow(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    ShowWindow(hWnd, SW_MINIMIZE);
    return TRUE;
}

BOOL OpenIcon(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    ShowWindow(hWnd, SW_RESTORE);
    return TRUE;
}

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* lpwndpl)
{
    if (!lpwndpl)
        return FALSE;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return FALSE;
    lpwndpl->length = sizeof(WINDOWPLACEMENT);
    lpwndpl->flags = w->restoreToMaximized ? WPF_RESTORETOMAXIMIZED : 0;
    if (w->style & WS_MINIMIZE)
        lpwndpl->showCmd = SW_SHOWMINIMIZED;
    else if (w->style & WS_MAXIMIZE)
        lpwndpl->showCmd = SW_SHOWMAXIMIZED;
    else
        lpwndpl->showCmd = SW_SHOWNORMAL;
    lpwndpl->ptMinPosition = w->minPosition;
    lpwndpl->ptMaxPosition = w->maxPosition;
    lpwndpl->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* lpwndpl)
{
    if (!lpwndpl || lpwndpl->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    bool normal;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return FALSE;
        w->normalRect = lpwndpl->rcNormalPosition;
        w->restoreToMaximized = (lpwndpl->flags & WPF_RESTORETOMAXIMIZED) != 0;
        if (lpwndpl->flags & WPF_SETMINPOSITION)
            w->minPosition = lpwndpl->ptMinPosition;
        w->maxPosition = lpwndpl->ptMaxPosition;
        normal = !(w->style & (WS_MINIMIZE | WS_MAXIMIZE));
    }
    const RECT& r = lpwndpl->rcNormalPosition;
    if (normal)
        SetWindowPos(hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hWnd, static_cast<int>(lpwndpl->showCmd));
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle)
{
    if (!lpRect)
        return FALSE;
    // One row of the bar, as the layout places it under the caption.
    const int menuHeight = bMenu && !(dwStyle & WS_CHILD) ? GetSystemMetrics(SM_CYMENU) : 0;
    const tw::user::NonClientLayout layout(dwStyle, dwExStyle, 1000, 1000, false, false, menuHeight);
    lpRect->left -= layout.client.left;
    lpRect->top -= layout.client.top;
    lpRect->right += 1000 - layout.client.right;
    lpRect->bottom += 1000 - layout.client.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu)
{
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

// --- rectangles and coordinates -------------------------------------------------------

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return FALSE;
    *lpRect = Tree().ScreenRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return FALSE;
    *lpRect = RECT{0, 0, w->clientRect.right - w->clientRect.left, w->clientRect.bottom - w->clientRect.top};
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    UserGuard guard(UserMutex());
    Window* from = hWndFrom ? Tree().Find(hWndFrom) : Tree().Desktop();
    Window* to = hWndTo ? Tree().Find(hWndTo) : Tree().Desktop();
    if (!from || !to)
        return 0;
    const POINT a = Tree().ClientOrigin(from);
    const POINT b = Tree().ClientOrigin(to);
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    if (!lpPoint || !IsWindow(hWnd))
        return FALSE;
    MapWindowPoints(hWnd, nullptr, lpPoint, 1);
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    if (!lpPoint || !IsWindow(hWnd))
        return FALSE;
    MapWindowPoints(nullptr, hWnd, lpPoint, 1);
    return TRUE;
}

HWND WindowFromPoint(POINT Point)
{
    return tw::user::WindowUnderPoint(Point, nullptr);
}

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags)
{
    UserGuard guard(UserMutex());
    Window* parent = Tree().Find(hwnd);
    if (!parent)
        return nullptr;
    const RECT client{0, 0, parent->clientRect.right - parent->clientRect.left,
                      parent->clientRect.bottom - parent->clientRect.top};
    if (pt.x < client.left || pt.x >= client.right || pt.y < client.top || pt.y >= client.bottom)
        return nullptr;
    for (Window* child : parent->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(child->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT))
            continue;
        const RECT& r = child->rect;
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom)
            return child->handle;
    }
    return hwnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point)
{
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND hwndParent, POINT ptParentClientCoords)
{
    return ChildWindowFromPointEx(hwndParent, ptParentClientCoords, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}
