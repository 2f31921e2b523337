#include "platform/win32/controls/ScrollBarControl.h"

#include <algorithm>

#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::controls {

namespace scroll_bar_detail {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kMinThumb = 8;

enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct ScrollState {
    HWND hwnd = nullptr;
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    UINT disabledArrows = ESB_ENABLE_BOTH;
    Part pressed = Part::None;
    bool pressedShown = false;  // the mouse is over the pressed part
    bool dragging = false;
    int dragOffset = 0;  // from the thumb's start to the mouse, along the bar
    bool focused = false;

    DWORD Style() const { return StyleOf(hwnd); }
    bool Vertical() const { return (Style() & SBS_VERT) != 0; }
    bool IsSizeBox() const { return (Style() & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }
    int MaxPos() const { return page == 0 ? max : std::max(min, max - static_cast<int>(page) + 1); }
    bool Scrollable() const { return max > min && (page == 0 || static_cast<int>(page) <= max - min); }
};

// Lengths along the bar.
struct Layout {
    int length = 0;
    int arrow = 0;
    int thumbStart = 0;
    int thumbLength = 0;  // 0: no thumb
};

RECT Client(const ScrollState& s)
{
    RECT rect{};
    GetClientRect(s.hwnd, &rect);
    return rect;
}

Layout LayoutOf(const ScrollState& s, int position)
{
    const RECT rect = Client(s);
    Layout l;
    l.length = s.Vertical() ? rect.bottom : rect.right;
    const int thickness = s.Vertical() ? rect.right : rect.bottom;
    l.arrow = std::min(thickness, l.length / 2);
    const int track = l.length - 2 * l.arrow;
    if (!s.Scrollable() || !IsWindowEnabled(s.hwnd))
        return l;
    int thumb = l.arrow;
    if (s.page > 0)
        thumb = std::max(kMinThumb, static_cast<int>(static_cast<long long>(track) * s.page / (s.max - s.min + 1)));
    if (thumb > track)
        return l;
    l.thumbLength = thumb;
    const int span = s.MaxPos() - s.min;
    l.thumbStart = l.arrow + (span > 0 ? static_cast<int>(static_cast<long long>(track - thumb) *
                                                          (std::clamp(position, s.min, s.MaxPos()) - s.min) / span)
                                       : 0);
    return l;
}

int Along(const ScrollState& s, POINT pt)
{
    return s.Vertical() ? pt.y : pt.x;
}

Part PartAt(const ScrollState& s, POINT pt)
{
    if (!ClientContains(s.hwnd, pt))
        return Part::None;
    const Layout l = LayoutOf(s, s.dragging ? s.trackPos : s.pos);
    const int at = Along(s, pt);
    if (at < l.arrow)
        return Part::LineUp;
    if (at >= l.length - l.arrow)
        return Part::LineDown;
    if (l.thumbLength == 0)
        return Part::None;
    if (at < l.thumbStart)
        return Part::PageUp;
    if (at >= l.thumbStart + l.thumbLength)
        return Part::PageDown;
    return Part::Thumb;
}

// The position the thumb stands for when its start is at a point along the bar.
int PositionForThumbStart(const ScrollState& s, int thumbStart)
{
    const Layout l = LayoutOf(s, s.pos);
    const int travel = l.length - 2 * l.arrow - l.thumbLength;
    if (travel <= 0)
        return s.min;
    const int offset = std::clamp(thumbStart - l.arrow, 0, travel);
    const int span = s.MaxPos() - s.min;
    return s.min + static_cast<int>((static_cast<long long>(offset) * span + travel / 2) / travel);
}

RECT PartRect(const ScrollState& s, int from, int to)
{
    const RECT rect = Client(s);
    if (s.Vertical())
        return RECT{0, from, rect.right, to};
    return RECT{from, 0, to, rect.bottom};
}

// --- telling the parent -------------------------------------------------------------------

void SendScroll(ScrollState& s, int code, int position = 0)
{
    HWND parent = GetParent(s.hwnd);
    if (!parent)
        return;
    const UINT message = s.Vertical() ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(parent, message, MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(s.hwnd));
}

bool ArrowDisabled(const ScrollState& s, Part part)
{
    if (part == Part::LineUp)
        return (s.disabledArrows & ESB_DISABLE_LTUP) != 0;
    if (part == Part::LineDown)
        return (s.disabledArrows & ESB_DISABLE_RTDN) != 0;
    return false;
}

int CodeFor(Part part)
{
    switch (part) {
    case Part::LineUp: return SB_LINEUP;
    case Part::LineDown: return SB_LINEDOWN;
    case Part::PageUp: return SB_PAGEUP;
    case Part::PageDown: return SB_PAGEDOWN;
    default: return -1;
    }
}

void Redraw(ScrollState& s)
{
    InvalidateRect(s.hwnd, nullptr, FALSE);
}

// --- painting --------------------------------------------------------------------------------

void PaintSizeBox(const ScrollState& s, HDC hdc)
{
    RECT rect = Client(s);
    FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    if (!(s.Style() & SBS_SIZEGRIP))
        return;
    const int side = std::min<LONG>(std::min(rect.right, rect.bottom), GetSystemMetrics(SM_CXVSCROLL));
    RECT grip{rect.right - side, rect.bottom - side, rect.right, rect.bottom};
    DrawFrameControl(hdc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void PaintArrow(const ScrollState& s, HDC hdc, Part part, RECT rect)
{
    UINT state = 0;
    if (part == Part::LineUp)
        state = s.Vertical() ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
    else
        state = s.Vertical() ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT;
    if (s.pressed == part && s.pressedShown)
        state |= DFCS_PUSHED | DFCS_FLAT;
    if (!IsWindowEnabled(s.hwnd) || !s.Scrollable() || ArrowDisabled(s, part))
        state |= DFCS_INACTIVE;
    DrawFrameControl(hdc, &rect, DFC_SCROLL, state);
}

void Paint(ScrollState& s, HDC hdc)
{
    if (s.IsSizeBox()) {
        PaintSizeBox(s, hdc);
        return;
    }
    const Layout l = LayoutOf(s, s.dragging ? s.trackPos : s.pos);
    PaintArrow(s, hdc, Part::LineUp, PartRect(s, 0, l.arrow));
    PaintArrow(s, hdc, Part::LineDown, PartRect(s, l.length - l.arrow, l.length));
    HBRUSH track = ControlBrush(s.hwnd, hdc, WM_CTLCOLORSCROLLBAR);
    const bool hasThumb = l.thumbLength > 0;
    const int thumbEnd = l.thumbStart + l.thumbLength;
    RECT before = PartRect(s, l.arrow, hasThumb ? l.thumbStart : l.length - l.arrow);
    FillRect(hdc, &before, s.pressed == Part::PageUp && s.pressedShown ? GetSysColorBrush(COLOR_3DDKSHADOW) : track);
    if (!hasThumb)
        return;
    RECT after = PartRect(s, thumbEnd, l.length - l.arrow);
    FillRect(hdc, &after, s.pressed == Part::PageDown && s.pressedShown ? GetSysColorBrush(COLOR_3DDKSHADOW) : track);
    RECT thumb = PartRect(s, l.thumbStart, thumbEnd);
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    if (s.focused) {
        InflateRect(&thumb, -2, -2);
        DrawFocusRect(hdc, &thumb);
    }
}

// --- mouse --------------------------------------------------------------------------------------

void StartSizing(ScrollState& s, POINT pt)
{
    HWND top = GetAncestor(s.hwnd, GA_ROOT);
    if (!top || top == s.hwnd)
        return;
    ClientToScreen(s.hwnd, &pt);
    // The grip sizes the window it sits in, from its bottom-right corner.
    SendMessage(top, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, MAKELPARAM(pt.x, pt.y));
}

void OnButtonDown(ScrollState& s, POINT pt)
{
    if (s.IsSizeBox()) {
        StartSizing(s, pt);
        return;
    }
    if ((s.Style() & WS_TABSTOP) && GetFocus() != s.hwnd)
        SetFocus(s.hwnd);
    const Part part = PartAt(s, pt);
    if (part == Part::None || ArrowDisabled(s, part))
        return;
    SetCapture(s.hwnd);
    s.pressed = part;
    s.pressedShown = true;
    if (part == Part::Thumb) {
        const Layout l = LayoutOf(s, s.pos);
        s.dragging = true;
        s.trackPos = s.pos;
        s.dragOffset = Along(s, pt) - l.thumbStart;
        Redraw(s);
        return;
    }
    Redraw(s);
    // The repeat is armed first: the parent may destroy the bar when it hears of the scroll.
    SetTimer(s.hwnd, kRepeatTimer, ScrollBarControl::kFirstRepeatMs, nullptr);
    SendScroll(s, CodeFor(part));
}

void OnMouseMove(ScrollState& s, POINT pt)
{
    if (s.pressed == Part::None)
        return;
    if (s.dragging) {
        const int position = PositionForThumbStart(s, Along(s, pt) - s.dragOffset);
        if (position == s.trackPos)
            return;
        s.trackPos = position;
        Redraw(s);
        SendScroll(s, SB_THUMBTRACK, position);
        return;
    }
    const bool over = PartAt(s, pt) == s.pressed;
    if (over != s.pressedShown) {
        s.pressedShown = over;
        Redraw(s);
    }
}

void EndPress(ScrollState& s, bool notify)
{
    if (s.pressed == Part::None)
        return;
    KillTimer(s.hwnd, kRepeatTimer);
    const bool wasDragging = s.dragging;
    s.pressed = Part::None;
    s.dragging = false;
    if (GetCapture() == s.hwnd)
        ReleaseCapture();
    Redraw(s);
    if (!notify)
        return;
    HWND hwnd = s.hwnd;
    if (wasDragging)
        SendScroll(s, SB_THUMBPOSITION, s.trackPos);
    if (IsWindow(hwnd))
        SendScroll(s, SB_ENDSCROLL);
}

void OnRepeat(ScrollState& s)
{
    if (s.pressed == Part::None || s.dragging) {
        KillTimer(s.hwnd, kRepeatTimer);
        return;
    }
    SetTimer(s.hwnd, kRepeatTimer, ScrollBarControl::kRepeatMs, nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(s.hwnd, &cursor);
    // Page repeats stop once the thumb reaches the mouse.
    if (PartAt(s, cursor) != s.pressed)
        return;
    SendScroll(s, CodeFor(s.pressed));
}

// --- keys ---------------------------------------------------------------------------------------

int CodeForKey(WPARAM vk)
{
    switch (vk) {
    case VK_UP:
    case VK_LEFT: return SB_LINEUP;
    case VK_DOWN:
    case VK_RIGHT: return SB_LINEDOWN;
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    default: return -1;
    }
}

// --- the SBM_ messages ------------------------------------------------------------------------------

int SetPos(ScrollState& s, int position, bool redraw)
{
    const int previous = s.pos;
    s.pos = std::clamp(position, s.min, s.MaxPos());
    if (redraw)
        Redraw(s);
    return previous;
}

int SetRange(ScrollState& s, int min, int max, bool redraw)
{
    const int previous = s.pos;
    s.min = min;
    s.max = std::max(min, max);
    s.page = std::min<UINT>(s.page, static_cast<UINT>(s.max - s.min + 1));
    s.pos = std::clamp(s.pos, s.min, s.MaxPos());
    if (redraw)
        Redraw(s);
    return previous;
}

LRESULT SetScrollInfoMessage(ScrollState& s, BOOL redraw, const SCROLLINFO* si)
{
    if (!si)
        return s.pos;
    if (si->fMask & SIF_RANGE) {
        s.min = si->nMin;
        s.max = std::max(si->nMin, si->nMax);
    }
    if (si->fMask & SIF_PAGE)
        s.page = std::min<UINT>(si->nPage, static_cast<UINT>(s.max - s.min + 1));
    if (si->fMask & SIF_POS)
        s.pos = si->nPos;
    s.pos = std::clamp(s.pos, s.min, s.MaxPos());
    if (si->fMask & (SIF_RANGE | SIF_PAGE))
        s.disabledArrows = s.Scrollable() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
    if (redraw)
        Redraw(s);
    return s.pos;
}

LRESULT GetScrollInfoMessage(const ScrollState& s, SCROLLINFO* si)
{
    if (!si)
        return FALSE;
    if (si->fMask & SIF_RANGE) {
        si->nMin = s.min;
        si->nMax = s.max;
    }
    if (si->fMask & SIF_PAGE)
        si->nPage = s.page;
    if (si->fMask & SIF_POS)
        si->nPos = s.pos;
    if (si->fMask & SIF_TRACKPOS)
        si->nTrackPos = s.dragging ? s.trackPos : s.pos;
    return TRUE;
}

LRESULT Dispatch(ScrollState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = s.hwnd;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        Paint(s, paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(s, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
    case WM_ENABLE:
        Redraw(s);
        return 0;
    case WM_SETCURSOR:
        if (s.IsSizeBox() && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
            return TRUE;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s.focused = message == WM_SETFOCUS;
        Redraw(s);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(s, PointFromLParam(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(s, PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        EndPress(s, true);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            EndPress(s, true);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer)
            OnRepeat(s);
        return 0;
    case WM_KEYDOWN: {
        const int code = CodeForKey(wParam);
        if (code >= 0 && !s.IsSizeBox())
            SendScroll(s, code);
        return 0;
    }
    case WM_KEYUP:
        if (CodeForKey(wParam) >= 0 && !s.IsSizeBox())
            SendScroll(s, SB_ENDSCROLL);
        return 0;
    case SBM_SETPOS:
        return SetPos(s, static_cast<int>(wParam), lParam != 0);
    case SBM_GETPOS:
        return s.pos;
    case SBM_SETRANGE:
        return SetRange(s, static_cast<int>(wParam), static_cast<int>(lParam), false);
    case SBM_SETRANGEREDRAW:
        return SetRange(s, static_cast<int>(wParam), static_cast<int>(lParam), true);
    case SBM_GETRANGE:
        if (auto* min = reinterpret_cast<LPINT>(wParam))
            *min = s.min;
        if (auto* max = reinterpret_cast<LPINT>(lParam))
            *max = s.max;
        return 0;
    case SBM_ENABLE_ARROWS:
        s.disabledArrows = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
        Redraw(s);
        return TRUE;
    case SBM_SETSCROLLINFO:
        return SetScrollInfoMessage(s, static_cast<BOOL>(wParam), reinterpret_cast<const SCROLLINFO*>(lParam));
    case SBM_GETSCROLLINFO:
        return GetScrollInfoMessage(s, reinterpret_cast<SCROLLINFO*>(lParam));
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace scroll_bar_detail

LRESULT CALLBACK ScrollBarControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace scroll_bar_detail;
    if (message == WM_NCCREATE) {
        auto* state = new ScrollState;
        state->hwnd = hwnd;
        AttachState(hwnd, state);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ScrollState* s = StateOf<ScrollState>(hwnd);
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        KillTimer(hwnd, kRepeatTimer);
        DestroyState<ScrollState>(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return Dispatch(*s, message, wParam, lParam);
}

}  // namespace tw::controls
