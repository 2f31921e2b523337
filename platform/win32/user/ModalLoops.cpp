#include "platform/win32/user/ModalLoops.h"

#include <algorithm>

#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/user/NonClientLayout.h"
#include "platform/win32/user/ScrollBars.h"
#include "platform/win32/user/WindowPosition.h"
#include "platform/win32/user/WindowTree.h"

namespace tw::user {

namespace modal_loops_detail {

constexpr int kKeyboardStep = 8;
// The window system's own timer while a scroll bar is held; the id is out of
// the range programs use for theirs.
constexpr UINT_PTR kScrollRepeatTimer = 0xFFF0;
constexpr UINT kScrollFirstRepeatMs = 250;
constexpr UINT kScrollRepeatMs = 50;

RECT ParentToScreen(HWND hwnd, RECT r)
{
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    POINT pts[2] = {{r.left, r.top}, {r.right, r.bottom}};
    if (parent && parent != GetDesktopWindow())
        MapWindowPoints(parent, nullptr, pts, 2);
    return RECT{pts[0].x, pts[0].y, pts[1].x, pts[1].y};
}

RECT ScreenToParent(HWND hwnd, RECT r)
{
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    POINT pts[2] = {{r.left, r.top}, {r.right, r.bottom}};
    if (parent && parent != GetDesktopWindow())
        MapWindowPoints(nullptr, parent, pts, 2);
    return RECT{pts[0].x, pts[0].y, pts[1].x, pts[1].y};
}

// The new rectangle (screen coordinates) for a move or a size by (dx, dy).
RECT Track(RECT start, bool move, int edge, int dx, int dy, const MINMAXINFO& mmi)
{
    if (move) {
        OffsetRect(&start, dx, dy);
        return start;
    }
    const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
    const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
    RECT r = start;
    if (left)
        r.left = std::clamp<LONG>(start.left + dx, start.right - mmi.ptMaxTrackSize.x, start.right - mmi.ptMinTrackSize.x);
    if (right)
        r.right = std::clamp<LONG>(start.right + dx, start.left + mmi.ptMinTrackSize.x, start.left + mmi.ptMaxTrackSize.x);
    if (top)
        r.top = std::clamp<LONG>(start.top + dy, start.bottom - mmi.ptMaxTrackSize.y, start.bottom - mmi.ptMinTrackSize.y);
    if (bottom)
        r.bottom = std::clamp<LONG>(start.bottom + dy, start.top + mmi.ptMinTrackSize.y, start.top + mmi.ptMaxTrackSize.y);
    return r;
}

}  // namespace modal_loops_detail

// A mouse gesture needs the button held; without it (a command sent by a
// program, or a press already released) there is nothing to track.
bool ModalLoops::ButtonHeld()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

bool ModalLoops::Next(MSG* msg)
{
    if (!GetMessage(msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg->wParam));
        return false;
    }
    return true;
}

void ModalLoops::SizeMove(HWND hwnd, WPARAM command, LPARAM startPos)
{
    namespace d = modal_loops_detail;
    const bool move = (command & 0xFFF0) == SC_MOVE;
    const int origin = static_cast<int>(command & 0x0F);
    const bool byMouse = origin != 0;
    if ((IsZoomed(hwnd) && move) || (byMouse && !ButtonHeld()))
        return;
    int edge = move ? 0 : (byMouse ? origin : WMSZ_BOTTOMRIGHT);
    RECT windowRect;
    GetWindowRect(hwnd, &windowRect);
    const RECT start = windowRect;
    // Where the gesture began: the press that started it, not where the mouse is by now.
    const DWORD messagePos = GetMessagePos();
    POINT startPt = startPos ? POINT{GET_X_LPARAM(startPos), GET_Y_LPARAM(startPos)}
                             : POINT{GET_X_LPARAM(messagePos), GET_Y_LPARAM(messagePos)};
    POINT keyboardOffset{0, 0};
    const bool topLevel = GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow();
    const MINMAXINFO mmi = topLevel ? WindowPosition::QueryMinMax(hwnd) : WindowPosition::DefaultMinMax(hwnd);

    SendMessage(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    bool cancelled = false;
    const auto apply = [&](int dx, int dy) {
        RECT r = d::Track(start, move, edge, dx, dy, mmi);
        SendMessage(hwnd, move ? WM_MOVING : WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
        const RECT inParent = d::ScreenToParent(hwnd, r);
        SetWindowPos(hwnd, nullptr, inParent.left, inParent.top, inParent.right - inParent.left,
                     inParent.bottom - inParent.top, SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : 0));
    };
    MSG msg;
    while (GetCapture() == hwnd && IsWindow(hwnd)) {
        if (!Next(&msg))
            break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            if (byMouse)
                apply(msg.pt.x - startPt.x, msg.pt.y - startPt.y);
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            if (byMouse)
                break;
            continue;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            switch (msg.wParam) {
            case VK_RETURN:
                goto done;
            case VK_ESCAPE:
                cancelled = true;
                goto done;
            case VK_LEFT:
                keyboardOffset.x -= d::kKeyboardStep;
                break;
            case VK_RIGHT:
                keyboardOffset.x += d::kKeyboardStep;
                break;
            case VK_UP:
                keyboardOffset.y -= d::kKeyboardStep;
                break;
            case VK_DOWN:
                keyboardOffset.y += d::kKeyboardStep;
                break;
            default:
                continue;
            }
            apply(keyboardOffset.x, keyboardOffset.y);
            continue;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
            continue;  // other keys are swallowed while the gesture lasts
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
done:
    if (cancelled && IsWindow(hwnd)) {
        const RECT inParent = d::ScreenToParent(hwnd, start);
        SetWindowPos(hwnd, nullptr, inParent.left, inParent.top, inParent.right - inParent.left,
                     inParent.bottom - inParent.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        SendMessage(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool ModalLoops::TrackCaptionButton(HWND hwnd, int hit)
{
    if (!ButtonHeld())
        return false;
    SetCapture(hwnd);
    bool released = false;
    MSG msg;
    while (GetCapture() == hwnd && IsWindow(hwnd)) {
        if (!Next(&msg))
            break;
        if (msg.message == WM_LBUTTONUP) {
            released = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y)) == hit;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
            continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return released;
}

void ModalLoops::TrackScrollBar(HWND hwnd, int bar, POINT screenPt)
{
    namespace d = modal_loops_detail;
    const UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    const ScrollBarPart part = ScrollBars::PartAt(hwnd, bar, screenPt);
    if (part == ScrollBarPart::None || !ButtonHeld())
        return;
    SetCapture(hwnd);
    int trackPos = ScrollBars::Position(hwnd, bar);
    static const int kCodes[] = {0, SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, 0};
    const bool repeats = part != ScrollBarPart::Thumb;
    POINT mouse = screenPt;
    if (repeats) {
        // Holding an arrow or the track scrolls on, first after a pause. The
        // pause counts from the press, so the timer is armed before the window
        // hears of the first step, however long it takes over it.
        SetTimer(hwnd, d::kScrollRepeatTimer, d::kScrollFirstRepeatMs, nullptr);
        SendMessage(hwnd, message, MAKEWPARAM(kCodes[static_cast<int>(part)], 0), 0);
    }
    MSG msg;
    while (GetCapture() == hwnd && IsWindow(hwnd)) {
        if (!Next(&msg))
            break;
        if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == d::kScrollRepeatTimer) {
            SetTimer(hwnd, d::kScrollRepeatTimer, d::kScrollRepeatMs, nullptr);
            if (ScrollBars::PartAt(hwnd, bar, mouse) == part)
                SendMessage(hwnd, message, MAKEWPARAM(kCodes[static_cast<int>(part)], 0), 0);
            continue;
        }
        if (msg.message == WM_MOUSEMOVE) {
            mouse = msg.pt;
            if (part == ScrollBarPart::Thumb) {
                trackPos = ScrollBars::PositionAt(hwnd, bar, msg.pt);
                ScrollBars::SetTrackPos(hwnd, bar, trackPos);
                SendMessage(hwnd, message, MAKEWPARAM(SB_THUMBTRACK, static_cast<WORD>(trackPos)), 0);
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            if (part == ScrollBarPart::Thumb)
                SendMessage(hwnd, message, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(trackPos)), 0);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (repeats)
        KillTimer(hwnd, d::kScrollRepeatTimer);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        SendMessage(hwnd, message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

}  // namespace tw::user
