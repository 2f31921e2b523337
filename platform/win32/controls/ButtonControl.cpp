#include "platform/win32/controls/ButtonControl.h"

#include <vector>

#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::controls {

namespace button_detail {

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool mouseTracking = false;
    bool spaceDown = false;
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
    int labelHeight = 0;  // of a group box's label as last painted
};

UINT TypeOf(HWND hwnd)
{
    return StyleOf(hwnd) & BS_TYPEMASK;
}

bool IsCheckBox(UINT type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadio(UINT type)
{
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool IsPushType(UINT type)
{
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_PUSHBOX || type == BS_USERBUTTON;
}

bool CanBePushed(UINT type)
{
    return type != BS_GROUPBOX;
}

// Push-like check boxes and radios draw as push buttons that stay in when checked.
bool DrawsAsPushButton(HWND hwnd)
{
    const UINT type = TypeOf(hwnd);
    return IsPushType(type) || ((StyleOf(hwnd) & BS_PUSHLIKE) && (IsCheckBox(type) || IsRadio(type)));
}

// --- drawing ---------------------------------------------------------------------

UINT TextFormat(HWND hwnd, UINT defaultHorizontal)
{
    const DWORD style = StyleOf(hwnd);
    UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    case BS_CENTER: format |= DT_CENTER; break;
    default: format |= defaultHorizontal; break;
    }
    if (!(style & BS_MULTILINE)) {
        switch (style & BS_VCENTER) {
        case BS_TOP: break;
        case BS_BOTTOM: format |= DT_BOTTOM; break;
        default: format |= DT_VCENTER; break;
        }
    }
    return format;
}

// Draws the label (text or image) inside a rectangle; returns where the text went.
RECT DrawLabel(HWND hwnd, HDC hdc, const ButtonState& s, RECT area, UINT format)
{
    const DWORD style = StyleOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd) != FALSE;
    if ((style & (BS_BITMAP | BS_ICON)) && s.image) {
        int width = 0;
        int height = 0;
        if (s.imageType == IMAGE_ICON) {
            width = GetSystemMetrics(SM_CXICON);
            height = GetSystemMetrics(SM_CYICON);
        } else {
            BITMAP bm{};
            GetObject(s.image, sizeof bm, &bm);
            width = bm.bmWidth;
            height = bm.bmHeight;
        }
        const int x = area.left + (area.right - area.left - width) / 2;
        const int y = area.top + (area.bottom - area.top - height) / 2;
        const UINT flags = (s.imageType == IMAGE_ICON ? DST_ICON : DST_BITMAP) | (enabled ? DSS_NORMAL : DSS_DISABLED);
        DrawState(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(s.image), 0, x, y, width, height, flags);
        return RECT{x, y, x + width, y + height};
    }
    const std::string text = WindowTextOf(hwnd);
    if (text.empty())
        return RECT{area.left, area.top, area.left, area.top};
    FontScope font(hdc, s.font);
    SetBkMode(hdc, TRANSPARENT);
    RECT measured = area;
    DrawText(hdc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    // Centre the measured box the way the text will be drawn, for the focus rectangle.
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    RECT placed = area;
    if (format & DT_CENTER)
        placed.left = area.left + (area.right - area.left - textWidth) / 2;
    else if (format & DT_RIGHT)
        placed.left = area.right - textWidth;
    placed.right = placed.left + textWidth;
    if (format & DT_VCENTER)
        placed.top = area.top + (area.bottom - area.top - textHeight) / 2;
    else if (format & DT_BOTTOM)
        placed.top = area.bottom - textHeight;
    placed.bottom = placed.top + textHeight;
    if (enabled) {
        SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
        DrawText(hdc, text.c_str(), -1, &area, format);
    } else {
        // The classic disabled look: a highlight copy one pixel down-right under a shadow copy.
        RECT shifted = area;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
        DrawText(hdc, text.c_str(), -1, &shifted, format);
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        DrawText(hdc, text.c_str(), -1, &area, format);
    }
    return placed;
}

void PaintPushButton(HWND hwnd, HDC hdc, const ButtonState& s)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    ControlBrush(hwnd, hdc, WM_CTLCOLORBTN);
    const UINT type = TypeOf(hwnd);
    const bool isDefault = type == BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(hdc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    const bool in = s.pushed || (s.check == BST_CHECKED && !IsPushType(type));
    UINT frameState = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (s.pushed)
        frameState |= DFCS_PUSHED;
    else if (in)
        frameState |= DFCS_CHECKED;
    if (StyleOf(hwnd) & BS_FLAT)
        frameState |= DFCS_FLAT;
    if (s.pushed && isDefault) {
        // A pressed default button shows a flat shadow frame rather than a sunken edge.
        FrameRect(hdc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&rect, -1, -1);
        FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawFrameControl(hdc, &rect, DFC_BUTTON, frameState);
    }
    RECT label = rect;
    if (in)
        OffsetRect(&label, 1, 1);
    DrawLabel(hwnd, hdc, s, label, TextFormat(hwnd, DT_CENTER));
    if (s.focused) {
        RECT focus{};
        GetClientRect(hwnd, &focus);
        InflateRect(&focus, isDefault ? -4 : -3, isDefault ? -4 : -3);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintCheckOrRadio(HWND hwnd, HDC hdc, const ButtonState& s)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    HBRUSH background = ControlBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
    FillRect(hdc, &rect, background);
    const UINT type = TypeOf(hwnd);
    const int boxSize = 13;
    const bool boxOnRight = (StyleOf(hwnd) & BS_LEFTTEXT) != 0;
    RECT box{};
    box.top = rect.top + (rect.bottom - rect.top - boxSize) / 2;
    box.bottom = box.top + boxSize;
    box.left = boxOnRight ? rect.right - boxSize : rect.left;
    box.right = box.left + boxSize;
    UINT state = IsRadio(type) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (s.check == BST_CHECKED)
        state |= DFCS_CHECKED;
    if (s.check == BST_INDETERMINATE)
        state = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (s.pushed)
        state |= DFCS_PUSHED;
    if (!IsWindowEnabled(hwnd))
        state |= DFCS_INACTIVE;
    if (StyleOf(hwnd) & BS_FLAT)
        state |= DFCS_FLAT;
    DrawFrameControl(hdc, &box, DFC_BUTTON, state);

    RECT label = rect;
    if (boxOnRight)
        label.right = box.left - 4;
    else
        label.left = box.right + 4;
    const RECT text = DrawLabel(hwnd, hdc, s, label, TextFormat(hwnd, DT_LEFT));
    if (s.focused && text.right > text.left) {
        RECT focus = text;
        InflateRect(&focus, 1, 1);
        IntersectRect(&focus, &focus, &rect);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintGroupBox(HWND hwnd, HDC hdc, ButtonState& s)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    HBRUSH background = ControlBrush(hwnd, hdc, WM_CTLCOLORSTATIC);
    const std::string text = WindowTextOf(hwnd);
    FontScope font(hdc, s.font);
    SIZE extent{0, FontHeight(s.font)};
    if (!text.empty()) {
        RECT measure{0, 0, 0, 0};
        DrawText(hdc, text.c_str(), -1, &measure, DT_SINGLELINE | DT_CALCRECT);
        extent.cx = measure.right - measure.left;
        extent.cy = measure.bottom - measure.top;
    }
    // The label's row is ours to clear (an older, larger label may be there);
    // the inside belongs to the controls the box groups.
    RECT band{rect.left, rect.top, rect.right, rect.top + std::max<LONG>(extent.cy, s.labelHeight)};
    FillRect(hdc, &band, background);
    s.labelHeight = extent.cy;
    RECT frame = rect;
    frame.top += extent.cy / 2;
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty())
        return;
    RECT label{rect.left + 8, rect.top, rect.left + 8 + extent.cx + 4, rect.top + extent.cy};
    FillRect(hdc, &label, background);
    label.left += 2;
    const UINT format = DT_SINGLELINE | DT_LEFT | DT_TOP;
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawText(hdc, text.c_str(), -1, &label, format);
}

void PaintOwnerDraw(HWND hwnd, HDC hdc, const ButtonState& s, UINT action)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(ControlId(hwnd));
    dis.itemID = 0;
    dis.itemAction = action;
    if (s.pushed)
        dis.itemState |= ODS_SELECTED;
    if (s.focused)
        dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled(hwnd))
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = hwnd;
    dis.hDC = hdc;
    GetClientRect(hwnd, &dis.rcItem);
    FontScope font(hdc, s.font);
    // Owners expect the button face behind them, as the parent's colour message chooses it.
    ControlBrush(hwnd, hdc, WM_CTLCOLORBTN);
    SendMessage(GetParent(hwnd), WM_DRAWITEM, static_cast<WPARAM>(dis.CtlID), reinterpret_cast<LPARAM>(&dis));
}

void Paint(HWND hwnd, HDC hdc, ButtonState& s, UINT ownerDrawAction = ODA_DRAWENTIRE)
{
    const UINT type = TypeOf(hwnd);
    if (type == BS_OWNERDRAW)
        PaintOwnerDraw(hwnd, hdc, s, ownerDrawAction);
    else if (type == BS_GROUPBOX)
        PaintGroupBox(hwnd, hdc, s);
    else if (DrawsAsPushButton(hwnd))
        PaintPushButton(hwnd, hdc, s);
    else
        PaintCheckOrRadio(hwnd, hdc, s);
}

// Redraws at once, so a press shows while the mouse is still down.
void Redraw(HWND hwnd, UINT ownerDrawAction)
{
    ButtonState* s = StateOf<ButtonState>(hwnd);
    if (!s || !IsWindowVisible(hwnd))
        return;
    if (TypeOf(hwnd) != BS_OWNERDRAW) {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        return;
    }
    HDC hdc = GetDC(hwnd);
    Paint(hwnd, hdc, *s, ownerDrawAction);
    ReleaseDC(hwnd, hdc);
}

// --- behaviour ---------------------------------------------------------------------

void SetPushed(HWND hwnd, ButtonState& s, bool pushed)
{
    if (s.pushed == pushed)
        return;
    s.pushed = pushed;
    Redraw(hwnd, ODA_SELECT);
}

void SetCheck(HWND hwnd, ButtonState& s, UINT check)
{
    const UINT type = TypeOf(hwnd);
    if (!IsCheckBox(type) && !IsRadio(type))
        return;
    if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
        check = BST_CHECKED;
    if (check > BST_INDETERMINATE)
        check = BST_CHECKED;
    if (IsRadio(type)) {
        // Tab reaches a radio group at its checked button.
        const DWORD style = StyleOf(hwnd);
        const DWORD wanted = check == BST_CHECKED ? (style | WS_TABSTOP) : (style & ~static_cast<DWORD>(WS_TABSTOP));
        if (wanted != style)
            SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
    }
    if (s.check == check)
        return;
    s.check = check;
    Redraw(hwnd, ODA_SELECT);
}

// The siblings from the group's first control (WS_GROUP) to the next group.
std::vector<HWND> GroupOf(HWND hwnd)
{
    HWND parent = GetParent(hwnd);
    std::vector<HWND> siblings;
    for (HWND child = GetWindow(parent ? parent : hwnd, GW_CHILD); parent && child;
         child = GetWindow(child, GW_HWNDNEXT))
        siblings.push_back(child);
    size_t self = 0;
    while (self < siblings.size() && siblings[self] != hwnd)
        ++self;
    if (self == siblings.size())
        return {hwnd};
    size_t first = self;
    while (first > 0 && !(StyleOf(siblings[first]) & WS_GROUP))
        --first;
    size_t end = self + 1;
    while (end < siblings.size() && !(StyleOf(siblings[end]) & WS_GROUP))
        ++end;
    return std::vector<HWND>(siblings.begin() + static_cast<long>(first), siblings.begin() + static_cast<long>(end));
}

void CheckRadioInGroup(HWND hwnd, ButtonState& s)
{
    for (HWND other : GroupOf(hwnd)) {
        if (other == hwnd)
            continue;
        if (SendMessage(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SetCheck(hwnd, s, BST_CHECKED);
}

void Click(HWND hwnd, ButtonState& s)
{
    switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX:
        SetCheck(hwnd, s, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        SetCheck(hwnd, s, (s.check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        CheckRadioInGroup(hwnd, s);
        break;
    default:
        break;
    }
    NotifyParent(hwnd, BN_CLICKED);
}

bool NotifiesFocus(HWND hwnd)
{
    return (StyleOf(hwnd) & BS_NOTIFY) != 0;
}

LRESULT DialogCode(HWND hwnd)
{
    const UINT type = TypeOf(hwnd);
    if (type == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (type == BS_PUSHBUTTON || type == BS_PUSHBOX || type == BS_USERBUTTON)
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (IsRadio(type))
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (type == BS_GROUPBOX)
        return DLGC_STATIC;
    return DLGC_BUTTON;
}

void OnButtonDown(HWND hwnd, ButtonState& s)
{
    if (!CanBePushed(TypeOf(hwnd)))
        return;
    SetCapture(hwnd);
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    s.mouseTracking = true;
    SetPushed(hwnd, s, true);
}

void OnButtonUp(HWND hwnd, ButtonState& s, POINT pt)
{
    if (!s.mouseTracking)
        return;
    s.mouseTracking = false;
    const bool clicked = s.pushed && ClientContains(hwnd, pt);
    SetPushed(hwnd, s, false);
    ReleaseCapture();
    if (clicked)
        Click(hwnd, s);
}

void OnDoubleClick(HWND hwnd, ButtonState& s, LPARAM lParam)
{
    const UINT type = TypeOf(hwnd);
    if (IsRadio(type) || type == BS_OWNERDRAW || (StyleOf(hwnd) & BS_NOTIFY)) {
        NotifyParent(hwnd, BN_DOUBLECLICKED);
        return;
    }
    // Without double-click notifications the second click is a click of its own.
    (void)lParam;
    OnButtonDown(hwnd, s);
}

LRESULT SetImage(HWND hwnd, ButtonState& s, WPARAM type, LPARAM image)
{
    if (type != IMAGE_BITMAP && type != IMAGE_ICON)
        return 0;
    HANDLE previous = s.imageType == type ? s.image : nullptr;
    s.image = reinterpret_cast<HANDLE>(image);
    s.imageType = static_cast<UINT>(type);
    InvalidateRect(hwnd, nullptr, TRUE);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT State(const ButtonState& s)
{
    LRESULT state = s.check;
    if (s.pushed)
        state |= BST_PUSHED;
    if (s.focused)
        state |= BST_FOCUS;
    return state;
}

}  // namespace button_detail

LRESULT CALLBACK ButtonControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace button_detail;
    if (message == WM_NCCREATE) {
        AttachState(hwnd, new ButtonState);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ButtonState* s = StateOf<ButtonState>(hwnd);
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_NCDESTROY:
        DestroyState<ButtonState>(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;  // painting covers the whole client area
    case WM_PAINT: {
        PaintScope paint(hwnd);
        Paint(hwnd, paint.Dc(), *s);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(hwnd, reinterpret_cast<HDC>(wParam), *s);
        return 0;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_NCHITTEST:
        // A group box only frames other controls: the mouse goes to what lies within it.
        if (TypeOf(hwnd) == BS_GROUPBOX)
            return HTTRANSPARENT;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DialogCode(hwnd);
    case WM_SETFOCUS:
        s->focused = true;
        Redraw(hwnd, ODA_FOCUS);
        if (NotifiesFocus(hwnd))
            NotifyParent(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        s->spaceDown = false;
        if (s->mouseTracking) {
            s->mouseTracking = false;
            if (GetCapture() == hwnd)
                ReleaseCapture();
        }
        SetPushed(hwnd, *s, false);
        Redraw(hwnd, ODA_FOCUS);
        if (NotifiesFocus(hwnd))
            NotifyParent(hwnd, BN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(hwnd, *s);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(hwnd, *s, lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (s->mouseTracking)
            SetPushed(hwnd, *s, ClientContains(hwnd, PointFromLParam(lParam)));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(hwnd, *s, PointFromLParam(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (s->mouseTracking && reinterpret_cast<HWND>(lParam) != hwnd) {
            s->mouseTracking = false;
            SetPushed(hwnd, *s, false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && CanBePushed(TypeOf(hwnd)) && !(lParam & 0x40000000)) {
            s->spaceDown = true;
            SetPushed(hwnd, *s, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && s->spaceDown) {
            s->spaceDown = false;
            const bool clicked = s->pushed;
            SetPushed(hwnd, *s, false);
            if (clicked)
                Click(hwnd, *s);
        }
        return 0;
    case WM_CHAR:
        // Space is handled as a key; other characters must not reach the parent as typing.
        return 0;
    case BM_GETCHECK:
        return s->check;
    case BM_SETCHECK:
        SetCheck(hwnd, *s, static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return State(*s);
    case BM_SETSTATE:
        SetPushed(hwnd, *s, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        const DWORD style = (StyleOf(hwnd) & ~static_cast<DWORD>(BS_TYPEMASK)) | (wParam & BS_TYPEMASK);
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        if (IsWindowEnabled(hwnd) && CanBePushed(TypeOf(hwnd)))
            Click(hwnd, *s);
        return 0;
    case BM_GETIMAGE:
        return wParam == s->imageType ? reinterpret_cast<LRESULT>(s->image) : 0;
    case BM_SETIMAGE:
        return SetImage(hwnd, *s, wParam, lParam);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace tw::controls
