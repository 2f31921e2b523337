// Window classes, creating and destroying windows, their longs, properties
// and text, and finding windows in the tree.
#include <algorithm>
#include <cstring>
#include <string>
#include <strings.h>
#include <unistd.h>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/user/Hooks.h"
#include "platform/win32/user/MenuBarHook.h"
#include "platform/win32/user/MessageQueue.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowPosition.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace window_api_detail {

// Where the next window with CW_USEDEFAULT goes: a cascade from the top-left.
int g_cascade = 0;

std::string PropKey(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(LOWORD(name));
    return name;
}

bool IsExtraIndexValid(const Window* w, int index, size_t size)
{
    return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

void NotifyParents(HWND hwnd, UINT event)
{
    HWND child = hwnd;
    for (;;) {
        HWND parent;
        UINT_PTR id;
        {
            UserGuard guard(UserMutex());
            Window* w = Tree().Find(child);
            if (!w || !(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY) || !w->parent ||
                w->parent == Tree().Desktop())
                return;
            parent = w->parent->handle;
            id = Tree().Find(hwnd)->id;
        }
        SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(hwnd));
        child = parent;
    }
}

// WM_DESTROY goes to a window before its children.
void SendDestroyMessages(HWND hwnd)
{
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w || w->destroySent)
            return;
        w->destroySent = true;
    }
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        for (Window* c : w->children)
            children.push_back(c->handle);
    }
    for (HWND child : children)
        SendDestroyMessages(child);
}

void ReleaseWindow(Window* w)
{
    if (w->cls)
        --w->cls->windowCount;
    if (w->queue)
        w->queue->DropPostedFor(w->handle);
    Tree().Unlink(w);
    Tree().Free(w);
}

// WM_NCDESTROY goes to the children first and to the window last; then the handle dies.
void SendNcDestroyMessages(HWND hwnd)
{
    std::vector<HWND> children;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return;
        for (Window* c : w->children)
            children.push_back(c->handle);
    }
    for (HWND child : children)
        SendNcDestroyMessages(child);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    ForgetWindowInput(hwnd);
    HMENU barMenu = nullptr;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (w && w->destroying && !(w->style & WS_CHILD))
            barMenu = reinterpret_cast<HMENU>(w->id);
    }
    // A top-level window's menu goes with it, as on the platform.
    tw::user::MenuBarHook::WindowDestroyed(hwnd, barMenu);
    UserGuard guard(UserMutex());
    if (Window* w = Tree().Find(hwnd)) {
        // Children the window's handlers re-created meanwhile go with it.
        for (Window* c : std::vector<Window*>(w->children))
            ReleaseWindow(c);
        ReleaseWindow(w);
    }
}

Window* FindAt(Window* parent, POINT pt, const std::vector<HWND>& skip)
{
    for (Window* child : parent->children) {
        if (!(child->style & WS_VISIBLE) || std::find(skip.begin(), skip.end(), child->handle) != skip.end())
            continue;
        const RECT r = Tree().ScreenRect(child);
        if (pt.x < r.left || pt.x >= r.right || pt.y < r.top || pt.y >= r.bottom)
            continue;
        if (child->style & WS_DISABLED) {
            // The parent takes the input of a disabled child; a disabled
            // top-level window keeps it, to refuse it.
            return (child->style & WS_CHILD) ? nullptr : child;
        }
        const RECT c = Tree().ScreenClientRect(child);
        Window* deeper = nullptr;
        if (pt.x >= c.left && pt.x < c.right && pt.y >= c.top && pt.y < c.bottom)
            deeper = FindAt(child, pt, skip);
        return deeper ? deeper : child;
    }
    return nullptr;
}

LONG_PTR GetLongLocked(Window* w, int index, size_t size, bool* ok)
{
    *ok = true;
    switch (index) {
    case GWL_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>((w->style & WS_CHILD) && w->parent ? w->parent->handle : w->owner);
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWL_ID:
        return static_cast<LONG_PTR>(w->id);
    case GWL_USERDATA:
        return w->userData;
    default:
        break;
    }
    if (!IsExtraIndexValid(w, index, size)) {
        *ok = false;
        return 0;
    }
    if (size == sizeof(LONG)) {
        LONG value;
        std::memcpy(&value, &w->extra[static_cast<size_t>(index)], sizeof value);
        return value;
    }
    LONG_PTR value;
    std::memcpy(&value, &w->extra[static_cast<size_t>(index)], sizeof value);
    return value;
}

LONG_PTR SetStyleLong(HWND hwnd, int index, LONG_PTR value)
{
    STYLESTRUCT change{};
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return 0;
        change.styleOld = index == GWL_STYLE ? w->style : w->exStyle;
    }
    change.styleNew = static_cast<DWORD>(value);
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return 0;
        (index == GWL_STYLE ? w->style : w->exStyle) = change.styleNew;
    }
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG>(change.styleOld);
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, size_t size)
{
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        if (!IsWindow(hwnd))
            return 0;
        return SetStyleLong(hwnd, index, value);
    }
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWL_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWL_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWL_HWNDPARENT:
        old = reinterpret_cast<LONG_PTR>(w->owner);
        if (!(w->style & WS_CHILD))
            w->owner = reinterpret_cast<HWND>(value);
        return old;
    case GWL_ID:
        old = static_cast<LONG_PTR>(w->id);
        w->id = static_cast<UINT_PTR>(value);
        return old;
    case GWL_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    default:
        break;
    }
    if (!IsExtraIndexValid(w, index, size))
        return 0;
    BYTE* at = &w->extra[static_cast<size_t>(index)];
    if (size == sizeof(LONG)) {
        LONG previous;
        std::memcpy(&previous, at, sizeof previous);
        const LONG next = static_cast<LONG>(value);
        std::memcpy(at, &next, sizeof next);
        return previous;
    }
    std::memcpy(&old, at, sizeof old);
    std::memcpy(at, &value, sizeof value);
    return old;
}

bool TextMatches(const std::string& text, LPCSTR wanted)
{
    return !wanted || strcasecmp(text.c_str(), wanted) == 0;
}

bool ClassMatches(const Window* w, LPCSTR wanted)
{
    if (!wanted)
        return true;
    if (IS_INTRESOURCE(wanted))
        return w->cls && w->cls->atom == LOWORD(wanted);
    return w->cls && strcasecmp(w->cls->name.c_str(), wanted) == 0;
}

}  // namespace window_api_detail

void ForgetThreadWindows(DWORD threadId)
{
    UserGuard guard(UserMutex());
    std::vector<Window*> doomed;
    Tree().ForEach(Tree().Desktop(), [&](Window* w) {
        if (w != Tree().Desktop() && w->threadId == threadId)
            doomed.push_back(w);
    });
    for (Window* w : doomed) {
        // Whatever lies inside goes too, whichever thread made it.
        HWND handle = w->handle;
        if (!Tree().Find(handle))
            continue;
        std::vector<Window*> subtree;
        Tree().ForEach(w, [&](Window* x) { subtree.push_back(x); });
        for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) {
            Window* x = *it;
            if (Tree().focus == x->handle)
                Tree().focus = nullptr;
            if (Tree().active == x->handle)
                Tree().active = nullptr;
            if (Tree().capture == x->handle)
                Tree().capture = nullptr;
            window_api_detail::ReleaseWindow(x);
        }
    }
}

HWND WindowUnderPoint(POINT screenPt, HWND skip)
{
    return WindowUnderPoint(screenPt, skip ? std::vector<HWND>{skip} : std::vector<HWND>{});
}

HWND WindowUnderPoint(POINT screenPt, const std::vector<HWND>& skip)
{
    UserGuard guard(UserMutex());
    Window* w = window_api_detail::FindAt(Tree().Desktop(), screenPt, skip);
    return w ? w->handle : nullptr;
}

}  // namespace tw::user

using tw::user::Tree;
using tw::user::UserGuard;
using tw::user::UserMutex;
using tw::user::Window;

// --- classes --------------------------------------------------------------------

ATOM RegisterClass(const WNDCLASS* lpWndClass)
{
    if (!lpWndClass)
        return 0;
    WNDCLASSEX ex{};
    ex.cbSize = sizeof ex;
    ex.style = lpWndClass->style;
    ex.lpfnWndProc = lpWndClass->lpfnWndProc;
    ex.cbClsExtra = lpWndClass->cbClsExtra;
    ex.cbWndExtra = lpWndClass->cbWndExtra;
    ex.hInstance = lpWndClass->hInstance;
    ex.hIcon = lpWndClass->hIcon;
    ex.hCursor = lpWndClass->hCursor;
    ex.hbrBackground = lpWndClass->hbrBackground;
    ex.lpszMenuName = lpWndClass->lpszMenuName;
    ex.lpszClassName = lpWndClass->lpszClassName;
    return RegisterClassEx(&ex);
}

ATOM RegisterClassEx(const WNDCLASSEX* lpWndClass)
{
    if (!lpWndClass || lpWndClass->cbSize != sizeof(WNDCLASSEX)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    UserGuard guard(UserMutex());
    auto& table = tw::user::WindowClassTable::Instance();
    const ATOM atom = table.Register(*lpWndClass);
    if (!atom)
        SetLastError(table.Find(lpWndClass->lpszClassName) ? ERROR_CLASS_ALREADY_EXISTS : ERROR_INVALID_PARAMETER);
    return atom;
}

BOOL UnregisterClass(LPCSTR lpClassName, HINSTANCE)
{
    UserGuard guard(UserMutex());
    DWORD error = 0;
    if (tw::user::WindowClassTable::Instance().Unregister(lpClassName, &error))
        return TRUE;
    SetLastError(error);
    return FALSE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSEX lpWndClass)
{
    if (!lpWndClass)
        return FALSE;
    UserGuard guard(UserMutex());
    auto cls = tw::user::WindowClassTable::Instance().Find(lpClassName);
    if (!cls)
        return FALSE;
    lpWndClass->cbSize = sizeof(WNDCLASSEX);
    lpWndClass->style = cls->style;
    lpWndClass->lpfnWndProc = cls->proc;
    lpWndClass->cbClsExtra = cls->cbClsExtra;
    lpWndClass->cbWndExtra = cls->cbWndExtra;
    lpWndClass->hInstance = cls->instance;
    lpWndClass->hIcon = cls->icon;
    lpWndClass->hCursor = cls->cursor;
    lpWndClass->hbrBackground = cls->background;
    lpWndClass->lpszMenuName = cls->menuName;
    lpWndClass->lpszClassName = cls->name.c_str();
    lpWndClass->hIconSm = cls->iconSmall;
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASS lpWndClass)
{
    WNDCLASSEX ex{};
    if (!lpWndClass || !GetClassInfoEx(hInstance, lpClassName, &ex))
        return FALSE;
    *lpWndClass = WNDCLASS{ex.style,         ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                           ex.hIcon,         ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
    return TRUE;
}

ULONG_PTR GetClassLongPtr(HWND hWnd, int nIndex)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w || !w->cls)
        return 0;
    const auto& cls = *w->cls;
    switch (nIndex) {
    case GCL_MENUNAME:
        return reinterpret_cast<ULONG_PTR>(cls.menuName);
    case GCL_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(cls.background);
    case GCL_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(cls.cursor);
    case GCL_HICON:
        return reinterpret_cast<ULONG_PTR>(cls.icon);
    case GCL_HICONSM:
        return reinterpret_cast<ULONG_PTR>(cls.iconSmall);
    case GCL_HMODULE:
        return reinterpret_cast<ULONG_PTR>(cls.instance);
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(cls.cbWndExtra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(cls.cbClsExtra);
    case GCL_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(cls.proc);
    case GCL_STYLE:
        return cls.style;
    case GCW_ATOM:
        return cls.atom;
    default:
        break;
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(ULONG_PTR) > cls.extra.size())
        return 0;
    ULONG_PTR value;
    std::memcpy(&value, &cls.extra[static_cast<size_t>(nIndex)], sizeof value);
    return value;
}

ULONG_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w || !w->cls)
        return 0;
    auto& cls = *w->cls;
    const ULONG_PTR old = GetClassLongPtr(hWnd, nIndex);
    switch (nIndex) {
    case GCL_HBRBACKGROUND:
        cls.background = reinterpret_cast<HBRUSH>(dwNewLong);
        return old;
    case GCL_HCURSOR:
        cls.cursor = reinterpret_cast<HCURSOR>(dwNewLong);
        return old;
    case GCL_HICON:
        cls.icon = reinterpret_cast<HICON>(dwNewLong);
        return old;
    case GCL_HICONSM:
        cls.iconSmall = reinterpret_cast<HICON>(dwNewLong);
        return old;
    case GCL_WNDPROC:
        cls.proc = reinterpret_cast<WNDPROC>(dwNewLong);
        return old;
    case GCL_STYLE:
        cls.style = static_cast<UINT>(dwNewLong);
        return old;
    case GCL_HMODULE:
        cls.instance = reinterpret_cast<HINSTANCE>(dwNewLong);
        return old;
    default:
        break;
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > cls.extra.size())
        return 0;
    std::memcpy(&cls.extra[static_cast<size_t>(nIndex)], &dwNewLong, sizeof dwNewLong);
    return old;
}

// The 32-bit forms cannot carry a pointer on this 64-bit platform: those
// indexes are refused rather than truncated.
DWORD GetClassLong(HWND hWnd, int nIndex)
{
    if (nIndex == GCL_WNDPROC || nIndex == GCL_MENUNAME || nIndex == GCL_HMODULE)
        return 0;
    return static_cast<DWORD>(GetClassLongPtr(hWnd, nIndex));
}

DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    if (nIndex == GCL_WNDPROC || nIndex == GCL_MENUNAME || nIndex == GCL_HMODULE)
        return 0;
    return static_cast<DWORD>(SetClassLongPtr(hWnd, nIndex, dwNewLong));
}

int GetClassName(HWND hWnd, LPSTR lpClassName, int nMaxCount)
{
    if (!lpClassName || nMaxCount <= 0)
        return 0;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return 0;
    const std::string name = w->cls ? w->cls->name : "#32769";
    const size_t n = std::min(name.size(), static_cast<size_t>(nMaxCount - 1));
    std::memcpy(lpClassName, name.data(), n);
    lpClassName[n] = '\0';
    return static_cast<int>(n);
}

// --- creation and destruction -------------------------------------------------------

HWND CreateWindow(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                  HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    return CreateWindowEx(0, lpClassName, lpWindowName, dwStyle, X, Y, nWidth, nHeight, hWndParent, hMenu,
                          hInstance, lpParam);
}

HWND CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    namespace d = tw::user::window_api_detail;
    HWND hwnd = nullptr;
    const DWORD requestedStyle = dwStyle;
    LPCSTR classMenuName = nullptr;
    std::string classMenuText;
    {
        UserGuard guard(UserMutex());
        auto cls = tw::user::WindowClassTable::Instance().Find(lpClassName);
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        if (!(dwStyle & WS_CHILD) && !hMenu && cls->menuName) {
            // Copied: the class may be unregistered while the menu loads.
            classMenuName = cls->menuName;
            if (!IS_INTRESOURCE(classMenuName)) {
                classMenuText = classMenuName;
                classMenuName = classMenuText.c_str();
            }
        }
        Tree().SyncScreenSize();
        Window* parent = Tree().Desktop();
        HWND owner = nullptr;
        if (dwStyle & WS_CHILD) {
            parent = Tree().Find(hWndParent);
            if (!parent) {
                SetLastError(hWndParent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
                return nullptr;
            }
        } else if (hWndParent && hWndParent != HWND_MESSAGE) {
            Window* ownerWindow = Tree().Find(hWndParent);
            if (!ownerWindow) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return nullptr;
            }
            owner = Tree().TopLevelOf(ownerWindow)->handle;
        }
        const bool overlapped = !(dwStyle & (WS_CHILD | WS_POPUP));
        if (overlapped)
            dwStyle |= WS_CAPTION | WS_CLIPSIBLINGS;
        if ((dwStyle & (WS_DLGFRAME | WS_THICKFRAME)) || (dwExStyle & WS_EX_DLGMODALFRAME))
            dwExStyle |= WS_EX_WINDOWEDGE;
        const RECT screen = Tree().Desktop()->rect;
        if (X == CW_USEDEFAULT) {
            if (overlapped) {
                const int step = 26 * (d::g_cascade++ % 8);
                X = screen.left + step;
                Y = screen.top + step;
            } else {
                X = Y = 0;
            }
        }
        if (nWidth == CW_USEDEFAULT) {
            if (overlapped) {
                nWidth = (screen.right - screen.left) * 3 / 4;
                nHeight = (screen.bottom - screen.top) * 3 / 4;
            } else {
                nWidth = nHeight = 0;
            }
        }
        nWidth = std::max(nWidth, 0);
        nHeight = std::max(nHeight, 0);

        Window* w = Tree().Allocate();
        hwnd = w->handle;
        w->cls = cls;
        ++cls->windowCount;
        w->queue = tw::user::MessageQueue::Current();
        w->threadId = w->queue->ThreadId();
        w->style = dwStyle & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
        w->exStyle = dwExStyle;
        w->proc = cls->proc;
        w->instance = hInstance;
        w->id = reinterpret_cast<UINT_PTR>(hMenu);
        w->owner = owner;
        w->extra.assign(static_cast<size_t>(cls->cbWndExtra), 0);
        w->rect = RECT{X, Y, X + nWidth, Y + nHeight};
        w->clientRect = RECT{0, 0, nWidth, nHeight};
        w->normalRect = w->rect;
        Tree().Link(w, parent, (dwStyle & WS_CHILD) ? HWND_BOTTOM : HWND_TOP);
    }

    HMENU classMenu = classMenuName ? tw::user::MenuBarHook::LoadClassMenu(hInstance, classMenuName) : nullptr;
    if (classMenu) {
        hMenu = classMenu;
        UserGuard guard(UserMutex());
        if (Window* w = Tree().Find(hwnd))
            w->id = reinterpret_cast<UINT_PTR>(classMenu);
    }
    CREATESTRUCT cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                    static_cast<LONG>(requestedStyle), lpWindowName, lpClassName, dwExStyle};
    CBT_CREATEWND cbt{&cs, HWND_TOP};
    if (tw::user::Hooks::Instance().CallCreateWindowChain(hwnd, &cbt) != 0) {
        d::SendNcDestroyMessages(hwnd);
        tw::user::MenuBarHook::WindowDestroyed(hwnd, classMenu);
        return nullptr;
    }
    if (!(dwStyle & WS_CHILD)) {
        MINMAXINFO mmi = tw::user::WindowPosition::DefaultMinMax(hwnd);
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (dwStyle & (WS_THICKFRAME | WS_CAPTION)) {
            UserGuard guard(UserMutex());
            if (Window* w = Tree().Find(hwnd)) {
                const int cx = std::clamp<int>(nWidth, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
                const int cy = std::clamp<int>(nHeight, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
                w->rect.right = w->rect.left + cx;
                w->rect.bottom = w->rect.top + cy;
                w->normalRect = w->rect;
                cs.cx = cx;
                cs.cy = cy;
            }
        }
    }
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        d::SendNcDestroyMessages(hwnd);
        // The caller's menu stays the caller's; the class's was ours.
        tw::user::MenuBarHook::WindowDestroyed(hwnd, classMenu);
        return nullptr;
    }
    tw::user::WindowPosition::RecalcClient(hwnd, nullptr);
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    {
        RECT client;
        GetClientRect(hwnd, &client);
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        const POINT origin = tw::user::WindowPosition::ClientOriginInParent(hwnd);
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    d::NotifyParents(hwnd, WM_CREATE);
    if (IsWindow(hwnd) && (requestedStyle & WS_VISIBLE)) {
        int show = SW_SHOW;
        if (requestedStyle & WS_MAXIMIZE)
            show = SW_SHOWMAXIMIZED;
        else if (requestedStyle & WS_MINIMIZE)
            show = SW_SHOWMINIMIZED;
        ShowWindow(hwnd, show);
    }
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return nullptr;
    w->creating = false;
    return hwnd;
}

BOOL DestroyWindow(HWND hWnd)
{
    namespace d = tw::user::window_api_detail;
    std::vector<HWND> owned;
    bool visible;
    bool isChild;
    bool waitingForAncestor = false;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w || w == Tree().Desktop()) {
            SetLastError(w ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        // Only the window's own thread may destroy it, as on the platform.
        if (w->threadId != tw::user::MessageQueue::CurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying) {
            // An ancestor is being destroyed and has not reached this window yet:
            // it goes now, with its own messages, while its ancestor's handler runs.
            waitingForAncestor = !w->destroySent;
            if (!waitingForAncestor)
                return TRUE;
        }
        visible = (w->style & WS_VISIBLE) != 0;
        isChild = (w->style & WS_CHILD) != 0;
        for (Window* top : Tree().Desktop()->children) {
            if (top->owner == hWnd)
                owned.push_back(top->handle);
        }
    }
    if (waitingForAncestor) {
        d::SendDestroyMessages(hWnd);
        d::SendNcDestroyMessages(hWnd);
        return TRUE;
    }
    if (isChild)
        d::NotifyParents(hWnd, WM_DESTROY);
    for (HWND popup : owned)
        DestroyWindow(popup);
    if (visible && IsWindow(hWnd))
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (!IsWindow(hWnd))
        return TRUE;
    if (GetActiveWindow() == hWnd)
        tw::user::ActivateNextWindow(hWnd);
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return TRUE;
        Tree().ForEach(w, [](Window* x) { x->destroying = true; });
    }
    HWND capture = GetCapture();
    if (capture && (capture == hWnd || IsChild(hWnd, capture)))
        ReleaseCapture();
    {
        UserGuard guard(UserMutex());
        HWND focus = Tree().focus;
        if (focus && (focus == hWnd || IsChild(hWnd, focus)))
            Tree().focus = nullptr;
    }
    d::SendDestroyMessages(hWnd);
    d::SendNcDestroyMessages(hWnd);
    return TRUE;
}

// --- state ----------------------------------------------------------------------

BOOL IsWindow(HWND hWnd)
{
    UserGuard guard(UserMutex());
    return Tree().Find(hWnd) ? TRUE : FALSE;
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* parent = Tree().Find(hWndParent);
    Window* w = Tree().Find(hWnd);
    if (!parent || !w)
        return FALSE;
    // Only a chain of child windows counts: an owned popup is not a child.
    for (Window* p = w; p && (p->style & WS_CHILD); p = p->parent) {
        if (p->parent == parent)
            return TRUE;
    }
    return FALSE;
}

BOOL IsWindowVisible(HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    return w && Tree().IsVisible(w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    bool wasDisabled;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return FALSE;
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !bEnable)
            return wasDisabled ? TRUE : FALSE;
    }
    if (!bEnable)
        SendMessage(hWnd, WM_CANCELMODE, 0, 0);
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWnd);
        if (!w)
            return FALSE;
        if (bEnable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
    }
    if (!bEnable) {
        HWND focus = GetFocus();
        if (focus && (focus == hWnd || IsChild(hWnd, focus)))
            SetFocus(nullptr);
        HWND capture = GetCapture();
        if (capture && (capture == hWnd || IsChild(hWnd, capture)))
            ReleaseCapture();
    }
    SendMessage(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

// --- the tree ---------------------------------------------------------------------

HWND GetDesktopWindow()
{
    UserGuard guard(UserMutex());
    return Tree().Desktop()->handle;
}

HWND GetParent(HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return nullptr;
    if (w->style & WS_CHILD)
        return w->parent && w->parent != Tree().Desktop() ? w->parent->handle : nullptr;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent)
{
    HWND oldParent;
    bool visible;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWndChild);
        Window* parent = hWndNewParent ? Tree().Find(hWndNewParent) : Tree().Desktop();
        if (!w || !parent || w == Tree().Desktop())
            return nullptr;
        // A window cannot become a descendant of itself.
        if (parent == w || Tree().IsDescendant(w, parent))
            return nullptr;
        oldParent = w->parent->handle;
        visible = (w->style & WS_VISIBLE) != 0;
    }
    // The window keeps its coordinates, now in the new parent's client area.
    if (visible)
        ShowWindow(hWndChild, SW_HIDE);
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hWndChild);
        Window* parent = hWndNewParent ? Tree().Find(hWndNewParent) : Tree().Desktop();
        if (!w || !parent)
            return nullptr;
        Tree().Unlink(w);
        Tree().Link(w, parent, HWND_TOP);
    }
    if (visible)
        ShowWindow(hWndChild, SW_SHOWNA);
    return oldParent;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w || w == Tree().Desktop())
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT:
        return Tree().TopLevelOf(w)->handle;
    case GA_ROOTOWNER: {
        Window* root = Tree().TopLevelOf(w);
        while (root->owner) {
            Window* owner = Tree().Find(root->owner);
            if (!owner)
                break;
            root = Tree().TopLevelOf(owner);
        }
        return root->handle;
    }
    default:
        return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->handle;
    if (uCmd == GW_OWNER)
        return w->owner;
    if (uCmd == GW_ENABLEDPOPUP) {
        // The frontmost visible, enabled window it owns: a modal dialog.
        for (Window* top : Tree().Desktop()->children) {
            if (top->owner == hWnd && (top->style & WS_VISIBLE) && !(top->style & WS_DISABLED))
                return top->handle;
        }
        return nullptr;
    }
    if (!w->parent)
        return nullptr;
    const auto& siblings = w->parent->children;
    const auto it = std::find(siblings.begin(), siblings.end(), w);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings.front()->handle;
    case GW_HWNDLAST:
        return siblings.back()->handle;
    case GW_HWNDNEXT:
        return it + 1 == siblings.end() ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV:
        return it == siblings.begin() ? nullptr : (*(it - 1))->handle;
    default:
        return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd)
{
    return GetWindow(hWnd ? hWnd : GetDesktopWindow(), GW_CHILD);
}

HWND GetNextWindow(HWND hWnd, UINT wCmd)
{
    return GetWindow(hWnd, wCmd);
}

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (!lpEnumFunc)
        return FALSE;
    std::vector<HWND> all;
    {
        UserGuard guard(UserMutex());
        Window* parent = hWndParent ? Tree().Find(hWndParent) : Tree().Desktop();
        if (!parent)
            return FALSE;
        Tree().ForEach(parent, [&](Window* w) {
            if (w != parent)
                all.push_back(w->handle);
        });
    }
    for (HWND hwnd : all) {
        if (IsWindow(hwnd) && !lpEnumFunc(hwnd, lParam))
            return FALSE;
    }
    return TRUE;
}

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    return EnumThreadWindows(0, lpEnumFunc, lParam);
}

// Thread 0 stands for every thread (EnumWindows).
BOOL EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam)
{
    if (!lpfn)
        return FALSE;
    std::vector<HWND> tops;
    {
        UserGuard guard(UserMutex());
        for (Window* w : Tree().Desktop()->children) {
            if (dwThreadId == 0 || w->threadId == dwThreadId)
                tops.push_back(w->handle);
        }
    }
    for (HWND hwnd : tops) {
        if (IsWindow(hwnd) && !lpfn(hwnd, lParam))
            return FALSE;
    }
    return TRUE;
}

HWND FindWindowEx(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow)
{
    namespace d = tw::user::window_api_detail;
    UserGuard guard(UserMutex());
    Window* parent = hWndParent ? Tree().Find(hWndParent) : Tree().Desktop();
    if (!parent)
        return nullptr;
    bool started = hWndChildAfter == nullptr;
    for (Window* child : parent->children) {
        if (!started) {
            started = child->handle == hWndChildAfter;
            continue;
        }
        if (d::ClassMatches(child, lpszClass) && d::TextMatches(child->text, lpszWindow))
            return child->handle;
    }
    return nullptr;
}

HWND FindWindow(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    return FindWindowEx(nullptr, nullptr, lpClassName, lpWindowName);
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hDlg);
    if (!w)
        return nullptr;
    for (Window* child : w->children) {
        if (static_cast<int>(child->id) == nIDDlgItem)
            return child->handle;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return 0;
    if (lpdwProcessId)
        *lpdwProcessId = static_cast<DWORD>(getpid());
    return w->threadId;
}

// --- longs ---------------------------------------------------------------------------

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return 0;
    bool ok;
    return tw::user::window_api_detail::GetLongLocked(w, nIndex, sizeof(LONG_PTR), &ok);
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    return tw::user::window_api_detail::SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

// The 32-bit forms cannot carry a procedure or instance pointer here.
LONG GetWindowLong(HWND hWnd, int nIndex)
{
    if (nIndex == GWL_WNDPROC || nIndex == GWL_HINSTANCE)
        return 0;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return 0;
    bool ok;
    return static_cast<LONG>(tw::user::window_api_detail::GetLongLocked(w, nIndex, sizeof(LONG), &ok));
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    if (nIndex == GWL_WNDPROC || nIndex == GWL_HINSTANCE)
        return 0;
    return static_cast<LONG>(tw::user::window_api_detail::SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

WORD GetWindowWord(HWND hWnd, int nIndex)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w || !tw::user::window_api_detail::IsExtraIndexValid(w, nIndex, sizeof(WORD)))
        return 0;
    WORD value;
    std::memcpy(&value, &w->extra[static_cast<size_t>(nIndex)], sizeof value);
    return value;
}

WORD SetWindowWord(HWND hWnd, int nIndex, WORD wNewWord)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w || !tw::user::window_api_detail::IsExtraIndexValid(w, nIndex, sizeof(WORD)))
        return 0;
    WORD old;
    std::memcpy(&old, &w->extra[static_cast<size_t>(nIndex)], sizeof old);
    std::memcpy(&w->extra[static_cast<size_t>(nIndex)], &wNewWord, sizeof wNewWord);
    return old;
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

// --- properties and text -----------------------------------------------------------------

BOOL SetProp(HWND hWnd, LPCSTR lpString, HANDLE hData)
{
    if (!lpString)
        return FALSE;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return FALSE;
    w->props[tw::user::window_api_detail::PropKey(lpString)] = hData;
    return TRUE;
}

HANDLE GetProp(HWND hWnd, LPCSTR lpString)
{
    if (!lpString)
        return nullptr;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return nullptr;
    const auto it = w->props.find(tw::user::window_api_detail::PropKey(lpString));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hWnd, LPCSTR lpString)
{
    if (!lpString)
        return nullptr;
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hWnd);
    if (!w)
        return nullptr;
    const auto it = w->props.find(tw::user::window_api_detail::PropKey(lpString));
    if (it == w->props.end())
        return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

BOOL SetWindowText(HWND hWnd, LPCSTR lpString)
{
    if (!IsWindow(hWnd))
        return FALSE;
    return SendMessage(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = '\0';
    return static_cast<int>(SendMessage(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLength(HWND hWnd)
{
    return static_cast<int>(SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0));
}
