// Focus, activation and mouse capture. The screen has one active top-level
// window, one focus window and one capture holder.
#include "platform/win32/user/Caret.h"
#include "platform/win32/user/Clipboard.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace focus_detail {

std::vector<HWND> TopLevelHandles()
{
    UserGuard guard(UserMutex());
    std::vector<HWND> result;
    for (Window* w : Tree().Desktop()->children)
        result.push_back(w->handle);
    return result;
}

void SetAppActive(bool active)
{
    {
        UserGuard guard(UserMutex());
        if (Tree().appActive == active)
            return;
        Tree().appActive = active;
    }
    for (HWND top : TopLevelHandles())
        SendMessage(top, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

bool IsFrontOfBand(HWND hwnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return true;
    for (Window* sibling : w->parent->children) {
        if (sibling == w)
            return true;
        if ((sibling->exStyle & WS_EX_TOPMOST) == (w->exStyle & WS_EX_TOPMOST))
            return false;
    }
    return true;
}

// Where activation goes when a window leaves: its owner if it can take it,
// else the frontmost visible, enabled, normal top-level window.
HWND NextActivationCandidate(HWND leaving)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(leaving);
    const auto usable = [&](Window* c) {
        return c && c->handle != leaving && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED) &&
               !(c->style & WS_MINIMIZE) && !(c->exStyle & WS_EX_NOACTIVATE) && !c->destroying;
    };
    if (w && w->owner) {
        Window* owner = Tree().Find(w->owner);
        if (usable(owner))
            return owner->handle;
    }
    for (Window* c : Tree().Desktop()->children) {
        if (usable(c) && !(c->exStyle & WS_EX_TOOLWINDOW))
            return c->handle;
    }
    return nullptr;
}

}  // namespace focus_detail

bool ActivateWindow(HWND topLevel, WORD how)
{
    namespace d = focus_detail;
    HWND old;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(topLevel);
        if (!w || w == Tree().Desktop())
            return false;
        topLevel = Tree().TopLevelOf(w)->handle;
        old = Tree().active;
        if (old == topLevel)
            return true;
    }
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                    reinterpret_cast<LPARAM>(topLevel));
    }
    if (!IsWindow(topLevel))
        return false;
    {
        UserGuard guard(UserMutex());
        Tree().active = topLevel;
    }
    d::SetAppActive(true);
    if (!d::IsFrontOfBand(topLevel))
        SetWindowPos(topLevel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessage(topLevel, WM_NCACTIVATE, TRUE, 0);
    SendMessage(topLevel, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(topLevel) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    return true;
}

void ActivateNextWindow(HWND leaving)
{
    HWND next = focus_detail::NextActivationCandidate(leaving);
    if (next) {
        ActivateWindow(next, WA_ACTIVE);
        return;
    }
    {
        UserGuard guard(UserMutex());
        if (Tree().active != leaving)
            return;
        Tree().active = nullptr;
    }
    if (IsWindow(leaving)) {
        SendMessage(leaving, WM_NCACTIVATE, FALSE, 0);
        SendMessage(leaving, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(leaving) ? 1 : 0), 0);
    }
    focus_detail::SetAppActive(false);
    HWND focus = GetFocus();
    if (focus && (focus == leaving || IsChild(leaving, focus)))
        SetFocus(nullptr);
}

void ForgetWindowInput(HWND hwnd)
{
    Caret::Forget(hwnd);
    Clipboard::Instance().ForgetWindow(hwnd);
    UserGuard guard(UserMutex());
    if (Tree().focus == hwnd)
        Tree().focus = nullptr;
    if (Tree().active == hwnd)
        Tree().active = nullptr;
    if (Tree().capture == hwnd)
        Tree().capture = nullptr;
}

}  // namespace tw::user

using tw::user::Tree;
using tw::user::UserGuard;
using tw::user::UserMutex;

// Returns the focus as the caller saw it, even when activating the new
// window's frame moved the focus on the way.
HWND SetFocus(HWND hWnd)
{
    HWND before;
    {
        UserGuard guard(UserMutex());
        before = Tree().focus;
        if (hWnd && !Tree().Find(hWnd))
            return nullptr;
        if (hWnd == before)
            return before;
    }
    HWND old = before;
    if (hWnd) {
        HWND top = GetAncestor(hWnd, GA_ROOT);
        if (IsIconic(top))
            return nullptr;
        if (GetActiveWindow() != top)
            tw::user::ActivateWindow(top, WA_ACTIVE);
        UserGuard guard(UserMutex());
        old = Tree().focus;
        if (old == hWnd)
            return before;
    }
    if (old && IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    {
        UserGuard guard(UserMutex());
        if (hWnd && !Tree().Find(hWnd))
            return nullptr;
        Tree().focus = hWnd;
    }
    if (hWnd)
        SendMessage(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return before;
}

HWND GetFocus()
{
    UserGuard guard(UserMutex());
    return Tree().focus;
}

HWND SetActiveWindow(HWND hWnd)
{
    HWND old = GetActiveWindow();
    if (!hWnd) {
        if (old)
            tw::user::ActivateNextWindow(old);
        return old;
    }
    if (!IsWindow(hWnd))
        return nullptr;
    tw::user::ActivateWindow(GetAncestor(hWnd, GA_ROOT), WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    UserGuard guard(UserMutex());
    return Tree().active;
}

BOOL SetForegroundWindow(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    return tw::user::ActivateWindow(GetAncestor(hWnd, GA_ROOT), WA_ACTIVE) ? TRUE : FALSE;
}

HWND GetForegroundWindow()
{
    return GetActiveWindow();
}

HWND SetCapture(HWND hWnd)
{
    HWND old;
    {
        UserGuard guard(UserMutex());
        if (!Tree().Find(hWnd))
            return nullptr;
        old = Tree().capture;
        Tree().capture = hWnd;
    }
    if (old && old != hWnd && IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old;
}

BOOL ReleaseCapture()
{
    HWND old;
    {
        UserGuard guard(UserMutex());
        old = Tree().capture;
        Tree().capture = nullptr;
    }
    if (old && IsWindow(old))
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    UserGuard guard(UserMutex());
    return Tree().capture;
}
