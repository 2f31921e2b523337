// The default processing of messages: what a window does with a message its
// own procedure passes on.
#include <cstring>

#include "platform/win32/user/Caret.h"
#include "platform/win32/user/Cursors.h"
#include "platform/win32/user/MenuBarHook.h"
#include "platform/win32/user/ModalLoops.h"
#include "platform/win32/user/NonClientLayout.h"
#include "platform/win32/user/NonClientPainter.h"
#include "platform/win32/user/Painting.h"
#include "platform/win32/user/UserInternal.h"
#include "platform/win32/user/WindowPosition.h"
#include "platform/win32/user/WindowTree.h"

#define TW_SWP_NOCLIENTSIZE_FLAG 0x0800
#define TW_SWP_NOCLIENTMOVE_FLAG 0x1000

namespace tw::user::def_window_proc_detail {

// The Alt key alone, pressed and released, opens the menu bar; another key
// in between makes it a shortcut instead.
thread_local bool t_altAlone = false;

const LPARAM kKeyboardContextMenu = static_cast<LPARAM>(-1);

HWND ParentOf(HWND hwnd)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w || !(w->style & WS_CHILD) || !w->parent || w->parent == Tree().Desktop())
        return nullptr;
    return w->parent->handle;
}

LRESULT CalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    DWORD style;
    DWORD exStyle;
    bool hShown;
    bool vShown;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return 0;
        style = w->style;
        exStyle = w->exStyle;
        hShown = (style & WS_HSCROLL) != 0;
        vShown = (style & WS_VSCROLL) != 0;
    }
    const int width = rect->right - rect->left;
    const int barHeight = MenuBarHook::Height(hwnd, style, exStyle, width);
    {
        UserGuard guard(UserMutex());
        if (Window* w = Tree().Find(hwnd))
            w->menuBarHeight = barHeight;
    }
    if (style & WS_MINIMIZE) {
        rect->right = rect->left;
        rect->bottom = rect->top;
        return 0;
    }
    const NonClientLayout layout(style, exStyle, width, rect->bottom - rect->top, hShown, vShown, barHeight);
    const RECT outer = *rect;
    *rect = RECT{outer.left + layout.client.left, outer.top + layout.client.top, outer.left + layout.client.right,
                 outer.top + layout.client.bottom};
    return 0;
}

LRESULT HitTest(HWND hwnd, LPARAM lParam)
{
    const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return HTNOWHERE;
    const RECT r = Tree().ScreenRect(w);
    if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom)
        return HTNOWHERE;
    if (w->style & WS_MINIMIZE)
        return HTCAPTION;
    const NonClientLayout layout(w->style, w->exStyle, r.right - r.left, r.bottom - r.top,
                                 (w->style & WS_HSCROLL) != 0, (w->style & WS_VSCROLL) != 0, w->menuBarHeight);
    int hit = layout.HitTest(POINT{screen.x - r.left, screen.y - r.top});
    // A maximised window cannot be sized by its borders.
    if ((w->style & WS_MAXIMIZE) && hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
        hit = HTBORDER;
    return hit;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    std::string text;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return 0;
        text = w->text;
    }
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    // Never cut a character in two: back off to the start of a UTF-8 sequence.
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT SetText(HWND hwnd, LPARAM text)
{
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return FALSE;
        w->text = text ? reinterpret_cast<const char*>(text) : "";
    }
    NonClientPainter::RedrawCaption(hwnd);
    return TRUE;
}

LRESULT SetCursorFor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    const int hit = static_cast<short>(LOWORD(lParam));
    if (HWND parent = ParentOf(hwnd)) {
        if (SendMessage(parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
    }
    switch (hit) {
    case HTCLIENT: {
        HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtr(hwnd, GCL_HCURSOR));
        if (!cursor)
            return FALSE;
        SetCursor(cursor);
        return TRUE;
    }
    case HTLEFT:
    case HTRIGHT:
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    case HTTOP:
    case HTBOTTOM:
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
        return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        SetCursor(LoadCursor(nullptr, IDC_SIZENESW));
        return TRUE;
    case HTERROR:
        if (HIWORD(lParam) == WM_LBUTTONDOWN)
            MessageBeep(MB_OK);
        [[fallthrough]];
    default:
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
}

HWND TopLevelOf(HWND hwnd)
{
    return GetAncestor(hwnd, GA_ROOT);
}

LRESULT SysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        if (GetClassLongPtr(hwnd, GCL_STYLE) & CS_NOCLOSE)
            return 0;
        SendMessage(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        return 0;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        return 0;
    case SC_MOVE:
    case SC_SIZE:
        ModalLoops::SizeMove(hwnd, wParam, (wParam & 0x0F) ? lParam : 0);
        return 0;
    case SC_KEYMENU:
    case SC_MOUSEMENU:
        MenuBarHook::SysCommand(hwnd, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT NonClientButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool zoomed = IsZoomed(hwnd);
    switch (hit) {
    case HTCAPTION:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        return 0;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        // WMSZ_ edges follow the HT_ codes in the same order.
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), lParam);
        return 0;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON: {
        NonClientPainter::PressCaptionButton(hwnd, static_cast<int>(hit), true);
        const bool clicked = ModalLoops::TrackCaptionButton(hwnd, static_cast<int>(hit));
        NonClientPainter::PressCaptionButton(hwnd, static_cast<int>(hit), false);
        if (!clicked)
            return 0;
        WPARAM command = SC_CLOSE;
        if (hit == HTMINBUTTON)
            command = SC_MINIMIZE;
        else if (hit == HTMAXBUTTON)
            command = zoomed ? SC_RESTORE : SC_MAXIMIZE;
        SendMessage(hwnd, WM_SYSCOMMAND, command, lParam);
        return 0;
    }
    case HTVSCROLL:
        ModalLoops::TrackScrollBar(hwnd, SB_VERT, pt);
        return 0;
    case HTHSCROLL:
        ModalLoops::TrackScrollBar(hwnd, SB_HORZ, pt);
        return 0;
    case HTSYSMENU:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, lParam);
        return 0;
    case HTMENU:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT NonClientDoubleClick(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    // A quick second press on a scroll bar scrolls again, like the first;
    // on the menu bar it opens the bar again.
    if (hit == HTVSCROLL || hit == HTHSCROLL || hit == HTMENU)
        return NonClientButtonDown(hwnd, hit, lParam);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    if (hit == HTCAPTION && (style & WS_MAXIMIZEBOX))
        SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) || IsIconic(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
    else if (hit == HTSYSMENU)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
    return 0;
}

LRESULT SysKeyDown(HWND hwnd, WPARAM vk, LPARAM lParam)
{
    const bool alt = (lParam >> 29) & 1;
    if (vk == VK_MENU) {
        // Auto-repeat of Alt keeps it alone; a first press starts a new gesture.
        if (!((lParam >> 30) & 1))
            t_altAlone = true;
        return 0;
    }
    t_altAlone = false;
    if (vk == VK_F4 && alt) {
        SendMessage(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (vk == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), kKeyboardContextMenu);
        return 0;
    }
    return 0;
}

LRESULT SysKeyUp(HWND hwnd, WPARAM vk)
{
    const bool menuKey = (vk == VK_MENU && t_altAlone) || (vk == VK_F10 && !(GetKeyState(VK_SHIFT) & 0x8000));
    t_altAlone = false;
    if (menuKey)
        SendMessage(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    else if (vk == VK_APPS)
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), kKeyboardContextMenu);
    return 0;
}

LRESULT GetIcon(HWND hwnd, WPARAM which)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return 0;
    switch (which) {
    case ICON_BIG:
        return reinterpret_cast<LRESULT>(w->iconBig);
    case ICON_SMALL:
        return reinterpret_cast<LRESULT>(w->iconSmall);
    case ICON_SMALL2:
        // The small icon the caption shows: the window's, else the class's, else the big one.
        if (w->iconSmall)
            return reinterpret_cast<LRESULT>(w->iconSmall);
        if (w->cls && w->cls->iconSmall)
            return reinterpret_cast<LRESULT>(w->cls->iconSmall);
        return reinterpret_cast<LRESULT>(w->iconBig ? w->iconBig : (w->cls ? w->cls->icon : nullptr));
    default:
        return 0;
    }
}

LRESULT SetIcon(HWND hwnd, WPARAM which, LPARAM icon)
{
    HICON old = nullptr;
    {
        UserGuard guard(UserMutex());
        Window* w = Tree().Find(hwnd);
        if (!w)
            return 0;
        HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
        old = slot;
        slot = reinterpret_cast<HICON>(icon);
    }
    NonClientPainter::RedrawCaption(hwnd);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT SetRedraw(HWND hwnd, bool on)
{
    UserGuard guard(UserMutex());
    Window* w = Tree().Find(hwnd);
    if (!w)
        return 0;
    w->redrawDisabled = !on;
    if (!on) {
        // What was pending is dropped too: painting resumes only when asked for.
        Tree().ForEach(w, [](Window* x) {
            x->update.Clear();
            x->eraseNeeded = false;
            x->ncPaintNeeded = false;
            x->internalPaint = false;
        });
    }
    return 0;
}

LRESULT WindowPosChanged(HWND hwnd, LPARAM lParam)
{
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!pos)
        return 0;
    if (!(pos->flags & TW_SWP_NOCLIENTMOVE_FLAG)) {
        const POINT origin = WindowPosition::ClientOriginInParent(hwnd);
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    if (!(pos->flags & TW_SWP_NOCLIENTSIZE_FLAG) || (pos->flags & SWP_STATECHANGED)) {
        RECT client;
        GetClientRect(hwnd, &client);
        WPARAM type = SIZE_RESTORED;
        if (IsIconic(hwnd))
            type = SIZE_MINIMIZED;
        else if (IsZoomed(hwnd))
            type = SIZE_MAXIMIZED;
        SendMessage(hwnd, WM_SIZE, type, MAKELPARAM(client.right, client.bottom));
    }
    return 0;
}

LRESULT WindowPosChanging(HWND hwnd, LPARAM lParam)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!pos || (pos->flags & SWP_NOSIZE))
        return 0;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    if ((style & (WS_MINIMIZE | WS_MAXIMIZE | WS_CHILD)) || !(style & (WS_THICKFRAME | WS_CAPTION)))
        return 0;
    const MINMAXINFO mmi = WindowPosition::QueryMinMax(hwnd);
    pos->cx = std::clamp<int>(pos->cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
    pos->cy = std::clamp<int>(pos->cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    return 0;
}

}  // namespace tw::user::def_window_proc_detail

LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    namespace d = tw::user::def_window_proc_detail;
    using tw::user::NonClientPainter;
    switch (Msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
            tw::user::UserGuard guard(tw::user::UserMutex());
            if (tw::user::Window* w = tw::user::Tree().Find(hWnd))
                w->text = cs->lpszName;
        }
        return TRUE;
    }
    case WM_NCCALCSIZE:
        return d::CalcSize(hWnd, wParam, lParam);
    case WM_NCHITTEST:
        return d::HitTest(hWnd, lParam);
    case WM_NCPAINT:
        NonClientPainter::Paint(hWnd);
        return 0;
    case WM_NCACTIVATE:
        NonClientPainter::SetActiveCaption(hWnd, wParam != FALSE);
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hWnd);
        return 0;
    case WM_MOUSEACTIVATE:
        if (HWND parent = d::ParentOf(hWnd)) {
            if (const LRESULT answer = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
                return answer;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        return d::SetCursorFor(hWnd, wParam, lParam);
    case WM_SETTEXT:
        return d::SetText(hWnd, lParam);
    case WM_GETTEXT:
        return d::GetText(hWnd, wParam, lParam);
    case WM_GETTEXTLENGTH: {
        tw::user::UserGuard guard(tw::user::UserMutex());
        tw::user::Window* w = tw::user::Tree().Find(hWnd);
        return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        return d::SysCommand(hWnd, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        return d::WindowPosChanging(hWnd, lParam);
    case WM_WINDOWPOSCHANGED:
        return d::WindowPosChanged(hWnd, lParam);
    case WM_ERASEBKGND:
        return tw::user::Painting::EraseWithClassBrush(hWnd, reinterpret_cast<HDC>(wParam)) ? TRUE : FALSE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hWnd, &ps))
            EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_NCLBUTTONDOWN:
        return d::NonClientButtonDown(hWnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        return d::NonClientDoubleClick(hWnd, wParam, lParam);
    case WM_RBUTTONUP: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hWnd, &pt);
        SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_NCRBUTTONUP:
        if (wParam == HTCAPTION || wParam == HTSYSMENU)
            SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), lParam);
        return 0;
    case WM_CONTEXTMENU:
        if (HWND parent = d::ParentOf(hWnd))
            SendMessage(parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (HWND parent = d::ParentOf(hWnd))
            return SendMessage(parent, WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        d::t_altAlone = false;
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS)
            SendMessage(hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hWnd), d::kKeyboardContextMenu);
        return 0;
    case WM_SYSKEYDOWN:
        return d::SysKeyDown(hWnd, wParam, lParam);
    case WM_SYSKEYUP:
        return d::SysKeyUp(hWnd, wParam);
    case WM_SYSCHAR:
        if (wParam != VK_RETURN && wParam != VK_ESCAPE && wParam != VK_TAB)
            SendMessage(d::TopLevelOf(hWnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
        return 0;
    case WM_GETICON:
        return d::GetIcon(hWnd, wParam);
    case WM_SETICON:
        return d::SetIcon(hWnd, wParam, lParam);
    case WM_SETREDRAW:
        return d::SetRedraw(hWnd, wParam != FALSE);
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_SHOWWINDOW:
    case WM_GETMINMAXINFO:
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_DESTROY:
    case WM_NCDESTROY:
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return tw::user::Painting::DefaultControlColor(Msg, reinterpret_cast<HDC>(wParam));
    default:
        return 0;
    }
}
