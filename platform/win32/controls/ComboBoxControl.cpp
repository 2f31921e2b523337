#include "platform/win32/controls/ComboBoxControl.h"

#include <cstring>

#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/controls/EditControl.h"
#include "platform/win32/controls/ListBoxControl.h"
#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::controls {

namespace combo_detail {

constexpr int kEdge = 2;
constexpr int kFieldPadding = 1;

struct ComboState {
    HWND hwnd = nullptr;
    HWND edit = nullptr;
    HWND list = nullptr;
    HFONT font = nullptr;
    int fieldHeight = 18;
    int droppedHeight = 100;
    int droppedWidth = 0;
    bool dropped = false;
    bool focused = false;
    bool extendedUi = false;
    DWORD listScrollBars = 0;  // WS_VSCROLL / WS_HSCROLL asked of the combo box are its list's
    bool settingText = false;
    int lastNotifiedSel = -1;
    HWND focusGoingTo = nullptr;

    DWORD Style() const { return StyleOf(hwnd); }
    DWORD Type() const { return Style() & 3; }
    bool Simple() const { return Type() == CBS_SIMPLE; }
    bool DropList() const { return Type() == CBS_DROPDOWNLIST; }
    bool OwnerDraw() const { return (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (Style() & CBS_HASSTRINGS); }
    int ComboHeight() const { return fieldHeight + 2 * (kEdge + kFieldPadding); }
};

ComboState* StateFor(HWND combo)
{
    return StateOf<ComboState>(combo);
}

// --- geometry ---------------------------------------------------------------------------

RECT InnerRect(const ComboState& s)
{
    RECT client{};
    GetClientRect(s.hwnd, &client);
    client.bottom = std::min<LONG>(client.bottom, s.ComboHeight());
    InflateRect(&client, -kEdge, -kEdge);
    return client;
}

RECT ButtonRect(const ComboState& s)
{
    RECT inner = InnerRect(s);
    if (s.Simple())
        return RECT{inner.right, inner.top, inner.right, inner.bottom};
    inner.left = std::max(inner.left, inner.right - GetSystemMetrics(SM_CXVSCROLL));
    return inner;
}

RECT FieldRect(const ComboState& s)
{
    RECT field = InnerRect(s);
    field.right = ButtonRect(s).left;
    return field;
}

void LayoutChildren(ComboState& s)
{
    if (s.edit) {
        RECT field = FieldRect(s);
        InflateRect(&field, -kFieldPadding, -kFieldPadding);
        MoveWindow(s.edit, field.left, field.top, field.right - field.left, field.bottom - field.top, TRUE);
    }
    if (s.Simple() && s.list) {
        RECT client{};
        GetClientRect(s.hwnd, &client);
        const int top = s.ComboHeight();
        MoveWindow(s.list, 0, top, client.right, std::max<LONG>(0, client.bottom - top), TRUE);
    }
}

// --- the field ---------------------------------------------------------------------------

LRESULT ListMessage(const ComboState& s, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return s.list ? SendMessage(s.list, message, wParam, lParam) : CB_ERR;
}

int CurrentSelection(const ComboState& s)
{
    return static_cast<int>(ListMessage(s, LB_GETCURSEL));
}

std::string ItemText(const ComboState& s, int index)
{
    const LRESULT length = ListMessage(s, LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0 || !s.HasStrings())
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ListMessage(s, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void SetEditText(ComboState& s, const std::string& text)
{
    if (!s.edit)
        return;
    s.settingText = true;
    SetWindowText(s.edit, text.c_str());
    SendMessage(s.edit, EM_SETSEL, 0, -1);
    s.settingText = false;
}

// Shows the selected item in the field.
void ShowSelectionInField(ComboState& s)
{
    const int sel = CurrentSelection(s);
    if (s.edit)
        SetEditText(s, sel >= 0 ? ItemText(s, sel) : std::string());
    InvalidateRect(s.hwnd, nullptr, FALSE);
}

void Notify(ComboState& s, int code)
{
    NotifyParent(s.hwnd, code);
}

// --- dropping down --------------------------------------------------------------------------

int ListHeightFor(const ComboState& s)
{
    const int count = static_cast<int>(ListMessage(s, LB_GETCOUNT));
    int itemsHeight = 0;
    for (int i = 0; i < std::max(count, 1); ++i)
        itemsHeight += static_cast<int>(ListMessage(s, LB_GETITEMHEIGHT, static_cast<WPARAM>(count > 0 ? i : 0)));
    itemsHeight += 2;  // the list's border
    const int oneItem = static_cast<int>(ListMessage(s, LB_GETITEMHEIGHT)) + 2;
    const int allowed = std::max(s.droppedHeight - s.ComboHeight(), oneItem);
    return std::min(itemsHeight, allowed);
}

RECT DroppedListRect(const ComboState& s)
{
    RECT combo{};
    GetWindowRect(s.hwnd, &combo);
    const int width = std::max<int>(combo.right - combo.left, s.droppedWidth);
    const int height = ListHeightFor(s);
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    RECT rect{combo.left, combo.bottom, combo.left + width, combo.bottom + height};
    // Open upwards when there is no room below.
    if (rect.bottom > screen.bottom && combo.top - height >= screen.top)
        rect = RECT{combo.left, combo.top - height, combo.left + width, combo.top};
    return rect;
}

void CloseDropDown(ComboState& s, bool commit);

void OnListEvent(HWND combo, ListBoxControl::ComboEvent event)
{
    ComboState* s = StateFor(combo);
    if (!s)
        return;
    CloseDropDown(*s, event == ListBoxControl::ComboEvent::Commit);
}

void ShowDropDown(ComboState& s, bool buttonHeld)
{
    if (s.dropped || s.Simple() || !s.list)
        return;
    // The parent may fill the list, or destroy the combo box, when it hears of the drop.
    HWND hwnd = s.hwnd;
    Notify(s, CBN_DROPDOWN);
    if (!IsWindow(hwnd))
        return;
    s.lastNotifiedSel = CurrentSelection(s);
    const RECT rect = DroppedListRect(s);
    SetWindowPos(s.list, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (s.lastNotifiedSel >= 0)
        ListMessage(s, LB_SETTOPINDEX, static_cast<WPARAM>(s.lastNotifiedSel));
    s.dropped = true;
    ListBoxControl::StartDroppedTracking(s.list, buttonHeld);
    InvalidateRect(s.hwnd, nullptr, FALSE);
}

// Commit keeps the list's choice (SELENDOK); otherwise the choice the parent
// last heard of comes back (SELENDCANCEL).
void CloseDropDown(ComboState& s, bool commit)
{
    if (!s.dropped)
        return;
    s.dropped = false;
    ListBoxControl::StopDroppedTracking(s.list);
    // Every notification may end the combo box: after each, only the handle is trusted.
    HWND hwnd = s.hwnd;
    HWND list = s.list;
    const int sel = CurrentSelection(s);
    const bool changed = commit && sel != s.lastNotifiedSel;
    if (commit) {
        if (changed) {
            ShowSelectionInField(s);
            s.lastNotifiedSel = sel;
        }
        Notify(s, CBN_SELENDOK);
    } else {
        ListMessage(s, LB_SETCURSEL, static_cast<WPARAM>(s.lastNotifiedSel));
        Notify(s, CBN_SELENDCANCEL);
    }
    if (!IsWindow(hwnd))
        return;
    ShowWindow(list, SW_HIDE);
    NotifyParent(hwnd, CBN_CLOSEUP);
    if (changed && IsWindow(hwnd))
        NotifyParent(hwnd, CBN_SELCHANGE);
    if (IsWindow(hwnd))
        InvalidateRect(hwnd, nullptr, FALSE);
}

// Program-driven closing: the list's state stays as it is.
void HideDropDown(ComboState& s)
{
    if (!s.dropped)
        return;
    s.dropped = false;
    ListBoxControl::StopDroppedTracking(s.list);
    ShowWindow(s.list, SW_HIDE);
    Notify(s, CBN_CLOSEUP);
    InvalidateRect(s.hwnd, nullptr, FALSE);
}

void ToggleDropDown(ComboState& s)
{
    if (s.dropped)
        CloseDropDown(s, true);
    else
        ShowDropDown(s, false);
}

// The list's selection moved by keys or typing.
void OnListSelectionChange(ComboState& s)
{
    ShowSelectionInField(s);
    s.lastNotifiedSel = CurrentSelection(s);
    HWND hwnd = s.hwnd;
    if (!s.dropped)
        Notify(s, CBN_SELENDOK);
    if (IsWindow(hwnd))
        NotifyParent(hwnd, CBN_SELCHANGE);
}

// --- focus ------------------------------------------------------------------------------------

bool IsOwnWindow(const ComboState& s, HWND hwnd)
{
    return hwnd && (hwnd == s.hwnd || hwnd == s.edit || hwnd == s.list);
}

void OnFocusIn(ComboState& s)
{
    if (s.focused)
        return;
    s.focused = true;
    if (s.edit)
        SendMessage(s.edit, EM_SETSEL, 0, -1);
    InvalidateRect(s.hwnd, nullptr, FALSE);
    Notify(s, CBN_SETFOCUS);
}

void OnFocusOut(ComboState& s, HWND newFocus)
{
    if (IsOwnWindow(s, newFocus) || !s.focused)
        return;
    HWND hwnd = s.hwnd;
    CloseDropDown(s, false);
    if (!IsWindow(hwnd))
        return;
    s.focused = false;
    if (s.edit)
        SendMessage(s.edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    InvalidateRect(s.hwnd, nullptr, FALSE);
    Notify(s, CBN_KILLFOCUS);
}

// --- keys ------------------------------------------------------------------------------------

bool IsNavigationKey(WPARAM vk)
{
    return vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT || vk == VK_HOME || vk == VK_END;
}

// Keys the combo box takes whether its field is an edit or not; false leaves the key to the field.
bool OnComboKey(ComboState& s, WPARAM vk, bool fromEdit)
{
    if (vk == VK_F4) {
        ToggleDropDown(s);
        return true;
    }
    if (s.dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
        CloseDropDown(s, vk == VK_RETURN);
        return true;
    }
    if (!IsNavigationKey(vk))
        return false;
    // An edit keeps Home and End for its own text.
    if (fromEdit && (vk == VK_HOME || vk == VK_END) && !s.dropped)
        return false;
    if (s.extendedUi && !s.dropped && vk == VK_DOWN) {
        ShowDropDown(s, false);
        return true;
    }
    ListMessage(s, WM_KEYDOWN, vk, 0);
    return true;
}

bool OnAltKey(ComboState& s, WPARAM vk)
{
    if (vk != VK_DOWN && vk != VK_UP)
        return false;
    ToggleDropDown(s);
    return true;
}

// The entry field is subclassed so the combo box hears of its keys and of
// where the focus goes when it leaves.
LRESULT CALLBACK EditSubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    ComboState* s = StateFor(GetParent(edit));
    if (s) {
        switch (message) {
        case WM_KILLFOCUS:
            s->focusGoingTo = reinterpret_cast<HWND>(wParam);
            break;
        case WM_KEYDOWN:
            if (OnComboKey(*s, wParam, true))
                return 0;
            break;
        case WM_SYSKEYDOWN:
            if (OnAltKey(*s, wParam))
                return 0;
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 0x1B || wParam == '\t')
                return 0;  // Enter and Esc belong to the list or the dialog, never to the text
            break;
        case WM_GETDLGCODE: {
            LRESULT code = CallWindowProc(EditControl::Proc, edit, message, wParam, lParam);
            if (s->dropped)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        default:
            break;
        }
    }
    return CallWindowProc(EditControl::Proc, edit, message, wParam, lParam);
}

// --- painting ----------------------------------------------------------------------------------

void PaintOwnerDrawField(ComboState& s, HDC hdc, RECT field)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
    const int sel = CurrentSelection(s);
    dis.itemID = static_cast<UINT>(sel);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ODS_COMBOBOXEDIT;
    if (s.focused && !s.dropped)
        dis.itemState |= ODS_SELECTED | ODS_FOCUS;
    if (!IsWindowEnabled(s.hwnd))
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = s.hwnd;
    dis.hDC = hdc;
    dis.rcItem = field;
    dis.itemData = sel >= 0 ? static_cast<ULONG_PTR>(ListMessage(s, LB_GETITEMDATA, static_cast<WPARAM>(sel))) : 0;
    SendMessage(GetParent(s.hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void PaintTextField(ComboState& s, HDC hdc, RECT field, HBRUSH background)
{
    const bool highlighted = s.focused && !s.dropped;
    FillRect(hdc, &field, background);
    RECT item = field;
    InflateRect(&item, -kFieldPadding, -kFieldPadding);
    if (highlighted)
        FillRect(hdc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
    const int sel = CurrentSelection(s);
    if (sel >= 0) {
        FontScope font(hdc, s.font);
        SetBkMode(hdc, TRANSPARENT);
        COLORREF colour = highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetTextColor(hdc);
        if (!IsWindowEnabled(s.hwnd))
            colour = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(hdc, colour);
        const std::string text = ItemText(s, sel);
        RECT textRect = item;
        textRect.left += 2;
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS;
        DrawText(hdc, text.c_str(), -1, &textRect, format);
    }
    if (highlighted)
        DrawFocusRect(hdc, &item);
}

void Paint(ComboState& s, HDC hdc)
{
    RECT client{};
    GetClientRect(s.hwnd, &client);
    const bool greyed = !IsWindowEnabled(s.hwnd);
    HBRUSH background = ControlBrush(s.hwnd, hdc, s.DropList() && !greyed ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT);
    RECT frame{0, 0, client.right, std::min<LONG>(client.bottom, s.ComboHeight())};
    if (s.Simple() && client.bottom > frame.bottom) {
        RECT rest{0, frame.bottom, client.right, client.bottom};
        FillRect(hdc, &rest, GetSysColorBrush(COLOR_BTNFACE));
    }
    DrawEdge(hdc, &frame, EDGE_SUNKEN, BF_RECT);
    const RECT field = FieldRect(s);
    if (s.DropList()) {
        if (s.OwnerDraw()) {
            FillRect(hdc, &field, background);
            PaintOwnerDrawField(s, hdc, field);
        } else {
            PaintTextField(s, hdc, field, background);
        }
    } else {
        FillRect(hdc, &field, background);
    }
    if (!s.Simple()) {
        RECT button = ButtonRect(s);
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (s.dropped)
            state |= DFCS_PUSHED | DFCS_FLAT;
        if (greyed)
            state |= DFCS_INACTIVE;
        DrawFrameControl(hdc, &button, DFC_SCROLL, state);
    }
}

// --- messages from the children -----------------------------------------------------------------

void OnEditCommand(ComboState& s, int code)
{
    switch (code) {
    case EN_SETFOCUS:
        OnFocusIn(s);
        break;
    case EN_KILLFOCUS:
        OnFocusOut(s, s.focusGoingTo);
        break;
    case EN_UPDATE:
        if (!s.settingText)
            Notify(s, CBN_EDITUPDATE);
        break;
    case EN_CHANGE:
        if (s.settingText)
            break;
        // The list follows what is typed, without taking over the text.
        if (s.HasStrings()) {
            const std::string typed = WindowTextOf(s.edit);
            const LRESULT found = typed.empty() ? LB_ERR
                                                : ListMessage(s, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                                              reinterpret_cast<LPARAM>(typed.c_str()));
            ListMessage(s, LB_SETCURSEL, static_cast<WPARAM>(found));
            if (found != LB_ERR && s.dropped)
                ListMessage(s, LB_SETTOPINDEX, static_cast<WPARAM>(found));
        }
        Notify(s, CBN_EDITCHANGE);
        break;
    case EN_MAXTEXT:
    default:
        break;
    }
}

void OnListCommand(ComboState& s, int code)
{
    switch (code) {
    case LBN_SELCHANGE:
        OnListSelectionChange(s);
        break;
    case LBN_DBLCLK:
        Notify(s, CBN_DBLCLK);
        break;
    default:
        break;
    }
}

// Owner-draw messages from the list reach the combo box's parent as the combo box's own.
LRESULT ForwardOwnerMessage(ComboState& s, UINT message, LPARAM lParam)
{
    const UINT id = static_cast<UINT>(ControlId(s.hwnd));
    HWND parent = GetParent(s.hwnd);
    switch (message) {
    case WM_DRAWITEM: {
        DRAWITEMSTRUCT dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = id;
        dis.hwndItem = s.hwnd;
        return SendMessage(parent, message, id, reinterpret_cast<LPARAM>(&dis));
    }
    case WM_MEASUREITEM: {
        auto* original = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        MEASUREITEMSTRUCT mis = *original;
        mis.CtlType = ODT_COMBOBOX;
        mis.CtlID = id;
        const LRESULT result = SendMessage(parent, message, id, reinterpret_cast<LPARAM>(&mis));
        original->itemHeight = mis.itemHeight;
        original->itemWidth = mis.itemWidth;
        return result;
    }
    case WM_COMPAREITEM: {
        COMPAREITEMSTRUCT cis = *reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
        cis.CtlType = ODT_COMBOBOX;
        cis.CtlID = id;
        cis.hwndItem = s.hwnd;
        return SendMessage(parent, message, id, reinterpret_cast<LPARAM>(&cis));
    }
    case WM_DELETEITEM: {
        DELETEITEMSTRUCT dis = *reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = id;
        dis.hwndItem = s.hwnd;
        return SendMessage(parent, message, id, reinterpret_cast<LPARAM>(&dis));
    }
    default:
        return 0;
    }
}

// --- creation -------------------------------------------------------------------------------

int MeasureField(ComboState& s)
{
    const int fromFont = FontHeight(s.font) + 2;
    if (!s.OwnerDraw())
        return fromFont;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_COMBOBOX;
    mis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
    mis.itemID = static_cast<UINT>(-1);
    mis.itemHeight = static_cast<UINT>(fromFont);
    SendMessage(GetParent(s.hwnd), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    return std::max(1, static_cast<int>(mis.itemHeight));
}

DWORD ListStyleFor(const ComboState& s)
{
    const DWORD style = s.Style();
    DWORD list = WS_BORDER | s.listScrollBars | LBS_NOTIFY | LBS_COMBOBOX;
    if (style & CBS_OWNERDRAWFIXED)
        list |= LBS_OWNERDRAWFIXED;
    if (style & CBS_OWNERDRAWVARIABLE)
        list |= LBS_OWNERDRAWVARIABLE;
    if (style & CBS_SORT)
        list |= LBS_SORT;
    if (style & CBS_HASSTRINGS)
        list |= LBS_HASSTRINGS;
    if (style & CBS_NOINTEGRALHEIGHT)
        list |= LBS_NOINTEGRALHEIGHT;
    if (style & CBS_DISABLENOSCROLL)
        list |= LBS_DISABLENOSCROLL;
    return list;
}

DWORD EditStyleFor(const ComboState& s)
{
    const DWORD style = s.Style();
    DWORD edit = WS_CHILD | WS_VISIBLE;
    if (style & CBS_AUTOHSCROLL)
        edit |= ES_AUTOHSCROLL;
    if (style & CBS_UPPERCASE)
        edit |= ES_UPPERCASE;
    if (style & CBS_LOWERCASE)
        edit |= ES_LOWERCASE;
    if (style & CBS_OEMCONVERT)
        edit |= ES_OEMCONVERT;
    return edit;
}

LRESULT OnCreate(ComboState& s, const CREATESTRUCT* cs)
{
    s.fieldHeight = MeasureField(s);
    s.droppedHeight = cs ? cs->cy : s.ComboHeight();
    HINSTANCE instance = cs ? cs->hInstance : nullptr;
    RECT client{};
    GetClientRect(s.hwnd, &client);
    if (s.Simple()) {
        s.list = CreateWindowEx(0, ListBoxControl::kComboClassName, "",
                                WS_CHILD | WS_VISIBLE | ListStyleFor(s) | LBS_NOINTEGRALHEIGHT, 0, s.ComboHeight(),
                                client.right, std::max<int>(0, client.bottom - s.ComboHeight()), s.hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboListId)), instance, s.hwnd);
    } else {
        s.list = CreateWindowEx(WS_EX_TOOLWINDOW, ListBoxControl::kComboClassName, "", WS_POPUP | ListStyleFor(s), 0,
                                0, client.right, s.droppedHeight, s.hwnd, nullptr, instance, s.hwnd);
    }
    if (!s.list)
        return -1;
    ListBoxControl::AttachToCombo(s.list, s.hwnd, [combo = s.hwnd](ListBoxControl::ComboEvent event) {
        OnListEvent(combo, event);
    });
    if (!s.DropList()) {
        s.edit = CreateWindowEx(0, EditControl::kClassName, "", EditStyleFor(s), 0, 0, 10, 10, s.hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboEditId)), instance, nullptr);
        if (!s.edit)
            return -1;
        SetWindowLongPtr(s.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclassProc));
    }
    if (!s.Simple()) {
        SetWindowPos(s.hwnd, nullptr, 0, 0, cs ? cs->cx : client.right, s.ComboHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutChildren(s);
    return 0;
}

void SetFont(ComboState& s, HFONT font, bool redraw)
{
    s.font = font;
    if (s.edit)
        SendMessage(s.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    ListMessage(s, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    if (!s.OwnerDraw()) {
        s.fieldHeight = FontHeight(font) + 2;
        if (!s.Simple()) {
            RECT window{};
            GetWindowRect(s.hwnd, &window);
            SetWindowPos(s.hwnd, nullptr, 0, 0, window.right - window.left, s.ComboHeight(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    LayoutChildren(s);
    if (redraw)
        InvalidateRect(s.hwnd, nullptr, TRUE);
}

// A drop-down combo box keeps the height of its field; the height asked for is the dropped height.
void KeepFieldHeight(ComboState& s, WINDOWPOS* pos)
{
    if (s.Simple() || !pos || (pos->flags & SWP_NOSIZE))
        return;
    if (pos->cy != s.ComboHeight())
        s.droppedHeight = pos->cy;
    pos->cy = s.ComboHeight();
}

// --- the CB_ messages --------------------------------------------------------------------------

LRESULT SetCurSel(ComboState& s, WPARAM index)
{
    const LRESULT result = ListMessage(s, LB_SETCURSEL, index);
    s.lastNotifiedSel = CurrentSelection(s);
    ShowSelectionInField(s);
    return result;
}

LRESULT SelectString(ComboState& s, WPARAM start, LPARAM text)
{
    const LRESULT found = ListMessage(s, LB_FINDSTRING, start, text);
    if (found == LB_ERR)
        return CB_ERR;
    return SetCurSel(s, static_cast<WPARAM>(found));
}

LRESULT DeleteString(ComboState& s, WPARAM index)
{
    const bool wasSelected = static_cast<int>(index) == CurrentSelection(s);
    const LRESULT result = ListMessage(s, LB_DELETESTRING, index);
    if (wasSelected && result != LB_ERR)
        ShowSelectionInField(s);
    s.lastNotifiedSel = CurrentSelection(s);
    return result;
}

LRESULT ResetContent(ComboState& s)
{
    ListMessage(s, LB_RESETCONTENT);
    s.lastNotifiedSel = -1;
    if (s.edit)
        SetEditText(s, "");
    InvalidateRect(s.hwnd, nullptr, FALSE);
    return CB_OKAY;
}

LRESULT SetText(ComboState& s, LPARAM lParam)
{
    const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    const LRESULT exact = s.HasStrings() ? ListMessage(s, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam) : LB_ERR;
    if (s.DropList()) {
        if (exact == LB_ERR)
            return CB_ERR;
        SetCurSel(s, static_cast<WPARAM>(exact));
        return TRUE;
    }
    ListMessage(s, LB_SETCURSEL, static_cast<WPARAM>(exact));
    s.lastNotifiedSel = CurrentSelection(s);
    SetEditText(s, text);
    return TRUE;
}

LRESULT GetText(const ComboState& s, WPARAM capacity, LPARAM buffer)
{
    if (s.edit)
        return SendMessage(s.edit, WM_GETTEXT, capacity, buffer);
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || capacity == 0)
        return 0;
    const int sel = CurrentSelection(s);
    const std::string text = sel >= 0 ? ItemText(s, sel) : std::string();
    const size_t count = std::min<size_t>(SnapToCharStart(text, capacity - 1), text.size());
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT GetTextLength(const ComboState& s)
{
    if (s.edit)
        return SendMessage(s.edit, WM_GETTEXTLENGTH, 0, 0);
    const int sel = CurrentSelection(s);
    return sel >= 0 ? static_cast<LRESULT>(ItemText(s, sel).size()) : 0;
}

LRESULT GetDroppedControlRect(const ComboState& s, LPARAM out)
{
    auto* rect = reinterpret_cast<RECT*>(out);
    if (!rect)
        return CB_ERR;
    RECT combo{};
    GetWindowRect(s.hwnd, &combo);
    *rect = RECT{combo.left, combo.top, combo.left + std::max<int>(combo.right - combo.left, s.droppedWidth),
                 combo.top + std::max(s.droppedHeight, s.ComboHeight())};
    return CB_OKAY;
}

LRESULT SetItemHeight(ComboState& s, WPARAM index, LPARAM height)
{
    if (static_cast<int>(index) != -1)
        return ListMessage(s, LB_SETITEMHEIGHT, index, height);
    const int h = static_cast<int>(LOWORD(height));
    if (h <= 0 || h > 255)
        return CB_ERR;
    s.fieldHeight = h;
    if (!s.Simple()) {
        RECT window{};
        GetWindowRect(s.hwnd, &window);
        SetWindowPos(s.hwnd, nullptr, 0, 0, window.right - window.left, s.ComboHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutChildren(s);
    InvalidateRect(s.hwnd, nullptr, TRUE);
    return CB_OKAY;
}

LRESULT EditSelection(ComboState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!s.edit)
        return CB_ERR;
    if (message == CB_GETEDITSEL)
        return SendMessage(s.edit, EM_GETSEL, wParam, lParam);
    // Each end comes as a 16-bit value; -1 is the end of the text.
    const int start = static_cast<short>(LOWORD(lParam));
    const int end = static_cast<short>(HIWORD(lParam));
    SendMessage(s.edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    return TRUE;
}

LRESULT DialogCode(const ComboState& s, LPARAM lParam)
{
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (s.dropped && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

void OnButtonDown(ComboState& s, POINT pt)
{
    if (!s.focused) {
        HWND hwnd = s.hwnd;
        SetFocus(s.edit ? s.edit : s.hwnd);
        if (!IsWindow(hwnd))
            return;
    }
    if (s.Simple())
        return;
    RECT button = ButtonRect(s);
    if (s.DropList() || PtInRect(&button, pt))
        ShowDropDown(s, true);
}

LRESULT Dispatch(ComboState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = s.hwnd;
    switch (message) {
    case WM_CREATE:
        return OnCreate(s, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_DESTROY:
        if (s.list && IsWindow(s.list) && !s.Simple())
            DestroyWindow(s.list);
        return 0;
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
    case WM_WINDOWPOSCHANGING:
        KeepFieldHeight(s, reinterpret_cast<WINDOWPOS*>(lParam));
        return 0;
    case WM_SIZE:
        LayoutChildren(s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        SetFont(s, reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_SETTEXT:
        return SetText(s, lParam);
    case WM_GETTEXT:
        return GetText(s, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return GetTextLength(s);
    case WM_ENABLE:
        if (s.edit)
            EnableWindow(s.edit, static_cast<BOOL>(wParam));
        if (s.list)
            EnableWindow(s.list, static_cast<BOOL>(wParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(s, lParam);
    case WM_SETFOCUS:
        if (s.edit)
            SetFocus(s.edit);
        else
            OnFocusIn(s);
        return 0;
    case WM_KILLFOCUS:
        OnFocusOut(s, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KEYDOWN:
        OnComboKey(s, wParam, false);
        return 0;
    case WM_SYSKEYDOWN:
        if (OnAltKey(s, wParam))
            return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CHAR:
        // Typing in a drop-down list selects by the items' first letters.
        if (s.DropList() && wParam >= 0x20)
            ListMessage(s, WM_CHAR, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(s, PointFromLParam(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (!s.dropped && !s.Simple()) {
            ListMessage(s, WM_KEYDOWN, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? VK_UP : VK_DOWN, 0);
            return 0;
        }
        return ListMessage(s, message, wParam, lParam);
    case WM_COMMAND: {
        const HWND from = reinterpret_cast<HWND>(lParam);
        if (from && from == s.edit)
            OnEditCommand(s, HIWORD(wParam));
        else if (from && from == s.list)
            OnListCommand(s, HIWORD(wParam));
        return 0;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
        return ForwardOwnerMessage(s, message, lParam);
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return -1;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // The parent sees which child asks (the list or the edit), as with its own controls.
        HWND parent = GetParent(hwnd);
        const LRESULT brush = parent ? SendMessage(parent, message, wParam, lParam) : 0;
        return brush ? brush : DefWindowProc(hwnd, message, wParam, lParam);
    }
    case CB_ADDSTRING:
        return ListMessage(s, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING:
        return ListMessage(s, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING:
        return DeleteString(s, wParam);
    case CB_RESETCONTENT:
        return ResetContent(s);
    case CB_GETCOUNT:
        return ListMessage(s, LB_GETCOUNT);
    case CB_GETCURSEL:
        return ListMessage(s, LB_GETCURSEL);
    case CB_SETCURSEL:
        return SetCurSel(s, wParam);
    case CB_GETLBTEXT:
        return ListMessage(s, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return ListMessage(s, LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRING:
        return ListMessage(s, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return ListMessage(s, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING:
        return SelectString(s, wParam, lParam);
    case CB_GETITEMDATA:
        return ListMessage(s, LB_GETITEMDATA, wParam, lParam);
    case CB_SETITEMDATA:
        return ListMessage(s, LB_SETITEMDATA, wParam, lParam);
    case CB_SETITEMHEIGHT:
        return SetItemHeight(s, wParam, lParam);
    case CB_GETITEMHEIGHT:
        if (static_cast<int>(wParam) == -1)
            return s.fieldHeight;
        return ListMessage(s, LB_GETITEMHEIGHT, wParam);
    case CB_SHOWDROPDOWN:
        if (wParam)
            ShowDropDown(s, false);
        else
            HideDropDown(s);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return s.dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
        return GetDroppedControlRect(s, lParam);
    case CB_SETDROPPEDWIDTH: {
        RECT window{};
        GetWindowRect(hwnd, &window);
        s.droppedWidth = static_cast<int>(wParam);
        return std::max<LRESULT>(s.droppedWidth, window.right - window.left);
    }
    case CB_GETDROPPEDWIDTH: {
        RECT window{};
        GetWindowRect(hwnd, &window);
        return std::max<LRESULT>(s.droppedWidth, window.right - window.left);
    }
    case CB_SETEXTENDEDUI:
        s.extendedUi = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return s.extendedUi ? TRUE : FALSE;
    case CB_LIMITTEXT:
        if (!s.edit)
            return CB_ERR;
        SendMessage(s.edit, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
    case CB_SETEDITSEL:
        return EditSelection(s, message, wParam, lParam);
    case CB_GETTOPINDEX:
        return ListMessage(s, LB_GETTOPINDEX);
    case CB_SETTOPINDEX:
        return ListMessage(s, LB_SETTOPINDEX, wParam) == LB_ERR ? CB_ERR : CB_OKAY;
    case CB_GETHORIZONTALEXTENT:
        return ListMessage(s, LB_GETHORIZONTALEXTENT);
    case CB_SETHORIZONTALEXTENT:
        ListMessage(s, LB_SETHORIZONTALEXTENT, wParam);
        return 0;
    case CB_SETLOCALE:
        return ListMessage(s, LB_SETLOCALE, wParam);
    case CB_GETLOCALE:
        return ListMessage(s, LB_GETLOCALE);
    case CB_INITSTORAGE:
        return ListMessage(s, LB_INITSTORAGE, wParam, lParam);
    case CB_DIR:
        return CB_ERR;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace combo_detail

LRESULT CALLBACK ComboBoxControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace combo_detail;
    if (message == WM_NCCREATE) {
        auto* state = new ComboState;
        state->hwnd = hwnd;
        AttachState(hwnd, state);
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        const DWORD scrollBars = WS_VSCROLL | WS_HSCROLL;
        if (cs && (cs->style & scrollBars)) {
            state->listScrollBars = static_cast<DWORD>(cs->style) & scrollBars;
            SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(static_cast<DWORD>(cs->style) & ~scrollBars));
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ComboState* s = StateFor(hwnd);
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        DestroyState<ComboState>(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return Dispatch(*s, message, wParam, lParam);
}

}  // namespace tw::controls
