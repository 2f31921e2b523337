#include "platform/win32/controls/ListBoxControl.h"

#include <cstring>

#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::controls {

namespace list_box_detail {

constexpr int kWheelItems = 3;
constexpr int kTextIndent = 2;
constexpr uint64_t kTypeAheadPauseMs = 1000;
constexpr int kDefaultTabDialogUnits = 32;
constexpr int kMaxItemHeight = 255;
// While a drag holds the mouse above or below the list, it scrolls on this timer.
constexpr UINT_PTR kDragScrollTimer = 1;
constexpr UINT kDragScrollMs = 100;

struct Item {
    std::string text;
    ULONG_PTR data = 0;
    bool selected = false;
    int height = 0;
};

struct ListState {
    HWND hwnd = nullptr;
    std::vector<Item> items;
    HFONT font = nullptr;
    int textHeight = 16;  // of the font, for centring text in taller items
    int itemHeight = 16;
    int topIndex = 0;
    int caret = -1;
    int anchor = -1;
    int curSel = -1;  // single selection
    int horizontalExtent = 0;
    int xOffset = 0;
    std::vector<int> tabStops;
    bool focused = false;
    bool mouseTracking = false;
    bool adjustingHeight = false;
    bool redraw = true;
    // Scroll bars the list was created with: they hide while not needed, which clears their style bits.
    bool vScroll = false;
    bool hScroll = false;
    LCID locale = LOCALE_USER_DEFAULT;
    std::string typed;
    uint64_t typedAtMs = 0;
    // As a combo box's list.
    HWND combo = nullptr;
    ListBoxControl::ComboListener comboListener;
    bool dropped = false;
    bool comboButtonHeld = false;

    DWORD Style() const { return StyleOf(hwnd); }
    int Count() const { return static_cast<int>(items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS); }
    bool Multiple() const { return (Style() & LBS_MULTIPLESEL) != 0; }
    bool Extended() const { return (Style() & LBS_EXTENDEDSEL) != 0; }
    bool MultiSelect() const { return Multiple() || Extended(); }
    bool Notifies() const { return (Style() & LBS_NOTIFY) != 0 || combo != nullptr; }
    int HeightOf(int index) const
    {
        return Variable() && Valid(index) ? items[static_cast<size_t>(index)].height : itemHeight;
    }
    bool IsSelected(int index) const
    {
        if (!Valid(index))
            return false;
        return MultiSelect() ? items[static_cast<size_t>(index)].selected : index == curSel;
    }
};

// Who hears from the list: its parent, or the combo box it serves (a dropped
// list is a popup owned by the top-level window, not by the combo box).
HWND Owner(const ListState& s)
{
    return s.combo ? s.combo : GetParent(s.hwnd);
}

// --- geometry -------------------------------------------------------------------------

int ClientHeight(const ListState& s)
{
    RECT client{};
    GetClientRect(s.hwnd, &client);
    return client.bottom - client.top;
}

int ClientWidth(const ListState& s)
{
    RECT client{};
    GetClientRect(s.hwnd, &client);
    return client.right - client.left;
}

// The top of an item relative to the client area (negative above the view).
int ItemTop(const ListState& s, int index)
{
    int y = 0;
    if (index >= s.topIndex) {
        for (int i = s.topIndex; i < index; ++i)
            y += s.HeightOf(i);
    } else {
        for (int i = index; i < s.topIndex; ++i)
            y -= s.HeightOf(i);
    }
    return y;
}

RECT ItemRect(const ListState& s, int index)
{
    const int top = ItemTop(s, index);
    return RECT{0, top, std::max(ClientWidth(s), s.horizontalExtent), top + s.HeightOf(index)};
}

// Items wholly in view from the top one (at least one).
int FullyVisibleCount(const ListState& s)
{
    const int height = ClientHeight(s);
    int used = 0;
    int count = 0;
    for (int i = s.topIndex; i < s.Count(); ++i) {
        used += s.HeightOf(i);
        if (used > height)
            break;
        ++count;
    }
    if (s.topIndex + count >= s.Count())
        count += std::max(0, (height - used) / std::max(1, s.itemHeight));
    return std::max(1, count);
}

// The largest top index that still fills the view.
int MaxTopIndex(const ListState& s)
{
    const int height = ClientHeight(s);
    int used = 0;
    int top = s.Count();
    while (top > 0 && used + s.HeightOf(top - 1) <= height) {
        used += s.HeightOf(top - 1);
        --top;
    }
    return std::min(top, std::max(0, s.Count() - 1));
}

// The item under a client point; outside is set when the point is past the items or outside the client area.
int ItemFromPoint(const ListState& s, POINT pt, bool* outside)
{
    *outside = !ClientContains(s.hwnd, pt);
    if (s.Count() == 0) {
        *outside = true;
        return 0;
    }
    int y = 0;
    int index = s.topIndex;
    if (pt.y < 0) {
        *outside = true;
        return std::max(0, s.topIndex - 1);
    }
    while (index < s.Count()) {
        y += s.HeightOf(index);
        if (pt.y < y)
            return index;
        ++index;
    }
    *outside = true;
    return s.Count() - 1;
}

// --- drawing -----------------------------------------------------------------------------

void Invalidate(ListState& s)
{
    if (s.redraw)
        InvalidateRect(s.hwnd, nullptr, TRUE);
}

void UpdateScrollBars(ListState& s)
{
    const UINT keep = (s.Style() & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
    if (s.vScroll) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | keep, 0, std::max(0, s.Count() - 1),
                      static_cast<UINT>(FullyVisibleCount(s)), s.topIndex, 0};
        SetScrollInfo(s.hwnd, SB_VERT, &si, s.redraw);
    }
    if (s.hScroll) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | keep, 0, std::max(0, s.horizontalExtent - 1),
                      static_cast<UINT>(ClientWidth(s)), s.xOffset, 0};
        SetScrollInfo(s.hwnd, SB_HORZ, &si, s.redraw);
    }
}

UINT ItemState(const ListState& s, int index)
{
    UINT state = 0;
    if (s.IsSelected(index) && !(s.Style() & LBS_NOSEL))
        state |= ODS_SELECTED;
    if (s.focused && index == s.caret)
        state |= ODS_FOCUS;
    if (!IsWindowEnabled(s.hwnd))
        state |= ODS_DISABLED;
    return state;
}

void DrawOwnerItem(const ListState& s, HDC hdc, int index, RECT rect)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = ItemState(s, index);
    dis.hwndItem = s.hwnd;
    dis.hDC = hdc;
    dis.rcItem = rect;
    dis.itemData = s.items[static_cast<size_t>(index)].data;
    SendMessage(Owner(s), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void DrawTextItem(const ListState& s, HDC hdc, int index, RECT rect, HBRUSH background)
{
    const UINT state = ItemState(s, index);
    const bool selected = (state & ODS_SELECTED) != 0;
    FillRect(hdc, &rect, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
    COLORREF colour = GetTextColor(hdc);
    if (selected)
        colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    else if (state & ODS_DISABLED)
        colour = GetSysColor(COLOR_GRAYTEXT);
    const COLORREF previous = SetTextColor(hdc, colour);
    const std::string& text = s.items[static_cast<size_t>(index)].text;
    const int x = rect.left + kTextIndent;
    const int y = rect.top + std::max(0, (rect.bottom - rect.top - s.textHeight) / 2);
    if (s.Style() & LBS_USETABSTOPS) {
        TabbedTextOut(hdc, x, y, text.c_str(), static_cast<int>(text.size()), static_cast<int>(s.tabStops.size()),
                      s.tabStops.empty() ? nullptr : s.tabStops.data(), x);
    } else {
        TextOut(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
    }
    SetTextColor(hdc, previous);
    if (state & ODS_FOCUS)
        DrawFocusRect(hdc, &rect);
}

void Paint(ListState& s, HDC hdc)
{
    HBRUSH background = ControlBrush(s.hwnd, hdc, WM_CTLCOLORLISTBOX, Owner(s));
    RECT client{};
    GetClientRect(s.hwnd, &client);
    FontScope font(hdc, s.font);
    SetBkMode(hdc, TRANSPARENT);
    int y = 0;
    for (int i = s.topIndex; i < s.Count() && y < client.bottom; ++i) {
        RECT rect = ItemRect(s, i);
        OffsetRect(&rect, -s.xOffset, 0);
        if (s.OwnerDraw()) {
            FillRect(hdc, &rect, background);
            DrawOwnerItem(s, hdc, i, rect);
        } else {
            DrawTextItem(s, hdc, i, rect, background);
        }
        y = rect.bottom;
    }
    if (y < client.bottom) {
        RECT rest{client.left, y, client.right, client.bottom};
        FillRect(hdc, &rest, background);
    }
    // An empty focused list still shows where the focus is; an owner hears of
    // it as item -1.
    if (s.Count() == 0 && s.focused) {
        RECT focus{0, 0, client.right, s.itemHeight};
        if (!s.OwnerDraw()) {
            DrawFocusRect(hdc, &focus);
            return;
        }
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
        dis.itemID = static_cast<UINT>(-1);
        dis.itemAction = ODA_FOCUS;
        dis.itemState = ODS_FOCUS;
        dis.hwndItem = s.hwnd;
        dis.hDC = hdc;
        dis.rcItem = focus;
        SendMessage(Owner(s), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }
}

// --- items -------------------------------------------------------------------------------

void SendDeleteItem(const ListState& s, int index)
{
    // Owners hear of items that carry data: only those can hold something to free.
    const Item& item = s.items[static_cast<size_t>(index)];
    if (item.data == 0)
        return;
    DELETEITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
    dis.itemID = static_cast<UINT>(index);
    dis.hwndItem = s.hwnd;
    dis.itemData = item.data;
    SendMessage(Owner(s), WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

int MeasureItem(const ListState& s, int index, ULONG_PTR data)
{
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    mis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
    mis.itemID = static_cast<UINT>(index);
    mis.itemWidth = static_cast<UINT>(ClientWidth(s));
    mis.itemHeight = static_cast<UINT>(s.itemHeight);
    mis.itemData = data;
    SendMessage(Owner(s), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    return std::clamp(static_cast<int>(mis.itemHeight), 1, kMaxItemHeight);
}

// Owner-drawn items without strings are ordered by their owner.
int CompareByOwner(const ListState& s, ULONG_PTR data, int index)
{
    COMPAREITEMSTRUCT cis{};
    cis.CtlType = ODT_LISTBOX;
    cis.CtlID = static_cast<UINT>(ControlId(s.hwnd));
    cis.hwndItem = s.hwnd;
    cis.itemID1 = static_cast<UINT>(-1);
    cis.itemData1 = data;
    cis.itemID2 = static_cast<UINT>(index);
    cis.itemData2 = s.items[static_cast<size_t>(index)].data;
    cis.dwLocaleId = s.locale;
    return static_cast<int>(SendMessage(Owner(s), WM_COMPAREITEM, cis.CtlID, reinterpret_cast<LPARAM>(&cis)));
}

// After items that compare equal, so equal items keep the order they came in.
int SortedPosition(const ListState& s, const std::string& text, ULONG_PTR data)
{
    int low = 0;
    int high = s.Count();
    while (low < high) {
        const int middle = (low + high) / 2;
        const int order = s.HasStrings() ? CompareNoCase(text, s.items[static_cast<size_t>(middle)].text)
                                         : CompareByOwner(s, data, middle);
        if (order < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void ShiftIndex(int& index, int from, int delta)
{
    if (index >= from)
        index += delta;
}

LRESULT InsertItem(ListState& s, int index, LPARAM lParam, bool sorted)
{
    Item item;
    if (s.HasStrings())
        item.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    else
        item.data = static_cast<ULONG_PTR>(lParam);
    if (sorted && (s.Style() & LBS_SORT))
        index = SortedPosition(s, item.text, item.data);
    else if (index == -1)
        index = s.Count();
    if (index < 0 || index > s.Count())
        return LB_ERR;
    item.height = s.itemHeight;
    if (s.Variable())
        item.height = MeasureItem(s, index, s.HasStrings() ? static_cast<ULONG_PTR>(lParam) : item.data);
    s.items.insert(s.items.begin() + index, std::move(item));
    ShiftIndex(s.curSel, index, 1);
    ShiftIndex(s.caret, index, 1);
    ShiftIndex(s.anchor, index, 1);
    UpdateScrollBars(s);
    Invalidate(s);
    return index;
}

void DropIndex(int& index, int removed)
{
    if (index == removed)
        index = -1;
    else if (index > removed)
        --index;
}

LRESULT DeleteItem(ListState& s, int index)
{
    if (!s.Valid(index))
        return LB_ERR;
    SendDeleteItem(s, index);
    s.items.erase(s.items.begin() + index);
    DropIndex(s.curSel, index);
    DropIndex(s.anchor, index);
    if (s.caret == index)
        s.caret = std::min(index, s.Count() - 1);
    else if (s.caret > index)
        --s.caret;
    s.topIndex = std::clamp(s.topIndex, 0, MaxTopIndex(s));
    UpdateScrollBars(s);
    Invalidate(s);
    return s.Count();
}

void ResetContent(ListState& s)
{
    for (int i = 0; i < s.Count(); ++i)
        SendDeleteItem(s, i);
    s.items.clear();
    s.curSel = s.caret = s.anchor = -1;
    s.topIndex = 0;
    s.xOffset = 0;
    UpdateScrollBars(s);
    Invalidate(s);
}

// --- searching --------------------------------------------------------------------------------

LRESULT Find(const ListState& s, WPARAM start, LPARAM lParam, bool exact)
{
    if (s.Count() == 0)
        return LB_ERR;
    int from = static_cast<int>(start);
    if (from < -1 || from >= s.Count())
        from = -1;
    const std::string wanted = s.HasStrings() && lParam ? reinterpret_cast<const char*>(lParam) : "";
    // From the item after start to the end, then from the top up to start.
    for (int step = 1; step <= s.Count(); ++step) {
        const int i = (from + step) % s.Count();
        const Item& item = s.items[static_cast<size_t>(i)];
        if (!s.HasStrings()) {
            if (item.data == static_cast<ULONG_PTR>(lParam))
                return i;
            continue;
        }
        if (exact ? CompareNoCase(item.text, wanted) == 0 : StartsWithNoCase(item.text, wanted))
            return i;
    }
    return LB_ERR;
}

// --- selection ---------------------------------------------------------------------------------

void Notify(ListState& s, int code)
{
    if (!s.Notifies())
        return;
    SendMessage(Owner(s), WM_COMMAND, MAKEWPARAM(ControlId(s.hwnd), code), reinterpret_cast<LPARAM>(s.hwnd));
}

// Scrolls so an item is wholly in view.
void EnsureVisible(ListState& s, int index)
{
    if (!s.Valid(index))
        return;
    int top = s.topIndex;
    if (index < top) {
        top = index;
    } else {
        // Move the top down until the item's bottom is in view.
        const int height = ClientHeight(s);
        while (top < index) {
            int bottom = 0;
            for (int i = top; i <= index; ++i)
                bottom += s.HeightOf(i);
            if (bottom <= height)
                break;
            ++top;
        }
    }
    if (top != s.topIndex) {
        s.topIndex = top;
        UpdateScrollBars(s);
        Invalidate(s);
    }
}

LRESULT SetCurSel(ListState& s, int index)
{
    if (s.MultiSelect())
        return LB_ERR;
    if (!s.Valid(index)) {
        s.curSel = -1;
        Invalidate(s);
        return LB_ERR;
    }
    s.curSel = index;
    s.caret = index;
    s.anchor = index;
    EnsureVisible(s, index);
    Invalidate(s);
    return index;
}

void SelectRange(ListState& s, int first, int last, bool select)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, s.Count() - 1);
    for (int i = first; i <= last; ++i)
        s.items[static_cast<size_t>(i)].selected = select;
    Invalidate(s);
}

// Whether any selection state differs between two snapshots.
std::vector<bool> SelectionSnapshot(const ListState& s)
{
    std::vector<bool> snapshot;
    snapshot.reserve(s.items.size() + 1);
    for (int i = 0; i < s.Count(); ++i)
        snapshot.push_back(s.IsSelected(i));
    return snapshot;
}

// The person moved to an item: select it as the list's kind of selection does.
void SelectByUser(ListState& s, int index, bool shift, bool control, bool toggle)
{
    if (!s.Valid(index) || (s.Style() & LBS_NOSEL))
        return;
    const std::vector<bool> before = SelectionSnapshot(s);
    if (!s.MultiSelect()) {
        s.curSel = index;
        s.anchor = index;
    } else if (s.Multiple()) {
        if (toggle)
            s.items[static_cast<size_t>(index)].selected = !s.items[static_cast<size_t>(index)].selected;
    } else if (shift) {
        if (!s.Valid(s.anchor))
            s.anchor = index;
        if (!control)
            SelectRange(s, 0, s.Count() - 1, false);
        SelectRange(s, s.anchor, index, true);
    } else if (control) {
        if (toggle) {
            s.items[static_cast<size_t>(index)].selected = !s.items[static_cast<size_t>(index)].selected;
            s.anchor = index;
        }
    } else {
        SelectRange(s, 0, s.Count() - 1, false);
        s.items[static_cast<size_t>(index)].selected = true;
        s.anchor = index;
    }
    s.caret = index;
    EnsureVisible(s, index);
    Invalidate(s);
    if (SelectionSnapshot(s) != before)
        Notify(s, LBN_SELCHANGE);
}

// --- keyboard -------------------------------------------------------------------------------

int TargetForKey(const ListState& s, WPARAM vk)
{
    const int caret = std::max(s.caret, 0);
    const int page = std::max(1, FullyVisibleCount(s) - 1);
    switch (vk) {
    case VK_UP:
    case VK_LEFT: return s.caret < 0 ? 0 : caret - 1;
    case VK_DOWN:
    case VK_RIGHT: return s.caret < 0 ? 0 : caret + 1;
    case VK_PRIOR: return caret - page;
    case VK_NEXT: return caret + page;
    case VK_HOME: return 0;
    case VK_END: return s.Count() - 1;
    default: return -1;
    }
}

void MoveCaretOnly(ListState& s, int index)
{
    s.caret = index;
    EnsureVisible(s, index);
    Invalidate(s);
}

void OnKeyDown(ListState& s, WPARAM vk)
{
    if (s.Style() & LBS_WANTKEYBOARDINPUT) {
        HWND hwnd = s.hwnd;
        const LRESULT answer = SendMessage(Owner(s), WM_VKEYTOITEM, MAKEWPARAM(vk, s.caret),
                                           reinterpret_cast<LPARAM>(hwnd));
        if (answer == -2 || !IsWindow(hwnd))
            return;
        if (answer >= 0 && s.Valid(static_cast<int>(answer))) {
            SelectByUser(s, static_cast<int>(answer), false, false, false);
            return;
        }
    }
    if (s.Count() == 0)
        return;
    const bool shift = IsKeyDown(VK_SHIFT);
    const bool control = IsKeyDown(VK_CONTROL);
    if (vk == VK_SPACE) {
        if (s.Multiple() || (s.Extended() && control))
            SelectByUser(s, std::max(s.caret, 0), false, control, true);
        else if (s.Extended())
            SelectByUser(s, std::max(s.caret, 0), shift, false, false);
        return;
    }
    const int target = TargetForKey(s, vk);
    if (target == -1 && vk != VK_UP && vk != VK_LEFT && vk != VK_PRIOR)
        return;
    const int index = std::clamp(target, 0, s.Count() - 1);
    if (s.Multiple() || (s.Extended() && control && !shift))
        MoveCaretOnly(s, index);
    else
        SelectByUser(s, index, shift, control, false);
}

// Typing selects the next item that starts with what was typed; a pause starts over.
void OnChar(ListState& s, WPARAM ch)
{
    if ((s.Style() & LBS_WANTKEYBOARDINPUT) && !s.HasStrings()) {
        HWND hwnd = s.hwnd;
        const LRESULT answer = SendMessage(Owner(s), WM_CHARTOITEM, MAKEWPARAM(ch, s.caret),
                                           reinterpret_cast<LPARAM>(hwnd));
        if (IsWindow(hwnd) && answer >= 0 && s.Valid(static_cast<int>(answer)))
            SelectByUser(s, static_cast<int>(answer), false, false, false);
        return;
    }
    if (!s.HasStrings() || ch < 0x20 || ch == 0x7F || s.Count() == 0)
        return;
    const uint64_t now = tw::ProcessClock::NowMs();
    if (now - s.typedAtMs > kTypeAheadPauseMs)
        s.typed.clear();
    s.typedAtMs = now;
    const std::string character =
        ch > 0xFF ? EncodeUtf8(static_cast<unsigned>(ch)) : std::string(1, static_cast<char>(ch));
    // Repeating one letter steps through the items that start with it.
    const bool repeat = s.typed.size() == character.size() && s.typed == character;
    if (!repeat)
        s.typed += character;
    const int start = s.typed.size() == character.size() ? s.caret : s.caret - 1;
    const LRESULT found = Find(s, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s.typed.c_str()), false);
    if (found == LB_ERR)
        return;
    if (s.Multiple())
        MoveCaretOnly(s, static_cast<int>(found));
    else
        SelectByUser(s, static_cast<int>(found), false, false, false);
}

// --- mouse ----------------------------------------------------------------------------------

bool InComboField(const ListState& s, POINT clientPt)
{
    if (!s.combo)
        return false;
    POINT screen = clientPt;
    ClientToScreen(s.hwnd, &screen);
    RECT comboRect{};
    GetWindowRect(s.combo, &comboRect);
    return PtInRect(&comboRect, screen) != FALSE;
}

void TellCombo(ListState& s, ListBoxControl::ComboEvent event)
{
    if (s.comboListener)
        s.comboListener(event);
}

void OnDroppedButtonDown(ListState& s, POINT pt)
{
    bool outside = false;
    const int index = ItemFromPoint(s, pt, &outside);
    if (!outside) {
        s.mouseTracking = true;
        s.curSel = index;
        s.caret = index;
        Invalidate(s);
        return;
    }
    TellCombo(s, InComboField(s, pt) ? ListBoxControl::ComboEvent::ButtonToggle : ListBoxControl::ComboEvent::Cancel);
}

void OnDroppedButtonUp(ListState& s, POINT pt)
{
    const bool wasTracking = s.mouseTracking || s.comboButtonHeld;
    s.mouseTracking = false;
    s.comboButtonHeld = false;
    bool outside = false;
    ItemFromPoint(s, pt, &outside);
    if (wasTracking && !outside)
        TellCombo(s, ListBoxControl::ComboEvent::Commit);
}

void OnDroppedMouseMove(ListState& s, POINT pt)
{
    bool outside = false;
    const int index = ItemFromPoint(s, pt, &outside);
    if (outside || index == s.curSel)
        return;
    // The item under the mouse is the one a click would pick.
    s.curSel = index;
    s.caret = index;
    Invalidate(s);
}

void OnButtonDown(ListState& s, POINT pt)
{
    if (s.dropped) {
        OnDroppedButtonDown(s, pt);
        return;
    }
    if (!s.combo && GetFocus() != s.hwnd)
        SetFocus(s.hwnd);
    else if (s.combo && GetFocus() != s.combo && !IsChild(s.combo, GetFocus()))
        SetFocus(s.combo);
    bool outside = false;
    const int index = ItemFromPoint(s, pt, &outside);
    if (outside && pt.y >= 0 && s.Count() > 0 && ItemTop(s, s.Count() - 1) + s.HeightOf(s.Count() - 1) <= pt.y)
        return;  // below the last item
    if (s.Count() == 0)
        return;
    // Tracking starts first: the owner may close the list when it hears of the selection.
    s.mouseTracking = true;
    SetCapture(s.hwnd);
    SelectByUser(s, index, IsKeyDown(VK_SHIFT), IsKeyDown(VK_CONTROL), true);
}

void OnMouseMove(ListState& s, POINT pt)
{
    if (s.dropped) {
        OnDroppedMouseMove(s, pt);
        return;
    }
    if (!s.mouseTracking || s.Multiple())
        return;
    bool outside = false;
    int index = ItemFromPoint(s, pt, &outside);
    const bool above = pt.y < 0;
    const bool below = pt.y >= ClientHeight(s);
    if (above)
        index = std::max(0, s.topIndex - 1);
    else if (below)
        index = std::min(s.Count() - 1, s.topIndex + FullyVisibleCount(s));
    if (above || below)
        SetTimer(s.hwnd, kDragScrollTimer, kDragScrollMs, nullptr);
    else
        KillTimer(s.hwnd, kDragScrollTimer);
    if (index == s.caret)
        return;
    SelectByUser(s, index, s.Extended(), false, false);
}

// The mouse held outside keeps the drag going, one item a tick.
void OnDragScrollTimer(ListState& s)
{
    if (!s.mouseTracking || s.dropped) {
        KillTimer(s.hwnd, kDragScrollTimer);
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(s.hwnd, &cursor);
    OnMouseMove(s, cursor);
}

void OnButtonUp(ListState& s, POINT pt)
{
    if (s.dropped) {
        OnDroppedButtonUp(s, pt);
        return;
    }
    if (!s.mouseTracking)
        return;
    s.mouseTracking = false;
    KillTimer(s.hwnd, kDragScrollTimer);
    if (GetCapture() == s.hwnd)
        ReleaseCapture();
}

// --- scrolling --------------------------------------------------------------------------------

void ScrollTo(ListState& s, int top)
{
    top = std::clamp(top, 0, MaxTopIndex(s));
    if (top == s.topIndex)
        return;
    s.topIndex = top;
    UpdateScrollBars(s);
    Invalidate(s);
}

void OnVScroll(ListState& s, WPARAM wParam)
{
    const int page = std::max(1, FullyVisibleCount(s) - 1);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollTo(s, s.topIndex - 1); break;
    case SB_LINEDOWN: ScrollTo(s, s.topIndex + 1); break;
    case SB_PAGEUP: ScrollTo(s, s.topIndex - page); break;
    case SB_PAGEDOWN: ScrollTo(s, s.topIndex + page); break;
    case SB_TOP: ScrollTo(s, 0); break;
    case SB_BOTTOM: ScrollTo(s, s.Count()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(s, HIWORD(wParam)); break;
    default: break;
    }
}

void ScrollHorizontally(ListState& s, int x)
{
    x = std::clamp(x, 0, std::max(0, s.horizontalExtent - ClientWidth(s)));
    if (x == s.xOffset)
        return;
    s.xOffset = x;
    UpdateScrollBars(s);
    Invalidate(s);
}

void OnHScroll(ListState& s, WPARAM wParam)
{
    const int step = FontAverageWidth(s.font);
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: ScrollHorizontally(s, s.xOffset - step); break;
    case SB_LINERIGHT: ScrollHorizontally(s, s.xOffset + step); break;
    case SB_PAGELEFT: ScrollHorizontally(s, s.xOffset - ClientWidth(s)); break;
    case SB_PAGERIGHT: ScrollHorizontally(s, s.xOffset + ClientWidth(s)); break;
    case SB_LEFT: ScrollHorizontally(s, 0); break;
    case SB_RIGHT: ScrollHorizontally(s, s.horizontalExtent); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollHorizontally(s, HIWORD(wParam)); break;
    default: break;
    }
}

// --- sizes --------------------------------------------------------------------------------------

// Without LBS_NOINTEGRALHEIGHT the list shows only whole items: it trims its height.
void KeepIntegralHeight(ListState& s)
{
    if ((s.Style() & LBS_NOINTEGRALHEIGHT) || s.Variable() || s.adjustingHeight || s.itemHeight <= 0)
        return;
    const int height = ClientHeight(s);
    const int extra = height % s.itemHeight;
    if (extra == 0 || height < s.itemHeight)
        return;
    RECT window{};
    GetWindowRect(s.hwnd, &window);
    s.adjustingHeight = true;
    SetWindowPos(s.hwnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - extra,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    s.adjustingHeight = false;
}

void SetTabStops(ListState& s, WPARAM count, LPARAM stops)
{
    s.tabStops.clear();
    const int average = FontAverageWidth(s.font);
    const int* dialogUnits = reinterpret_cast<const int*>(stops);
    if (count == 0 || !dialogUnits) {
        s.tabStops.push_back(kDefaultTabDialogUnits * average / 4);
    } else {
        for (WPARAM i = 0; i < count; ++i)
            s.tabStops.push_back(dialogUnits[i] * average / 4);
    }
    Invalidate(s);
}

void OnCreate(ListState& s)
{
    s.textHeight = FontHeight(s.font);
    s.itemHeight = s.textHeight;
    if (s.Style() & LBS_OWNERDRAWFIXED)
        s.itemHeight = MeasureItem(s, 0, 0);
    SetTabStops(s, 0, 0);
    KeepIntegralHeight(s);
    UpdateScrollBars(s);
}

// --- messages ---------------------------------------------------------------------------------

LRESULT GetText(const ListState& s, WPARAM index, LPARAM buffer)
{
    const int i = static_cast<int>(index);
    if (!s.Valid(i) || !buffer)
        return LB_ERR;
    const Item& item = s.items[static_cast<size_t>(i)];
    if (!s.HasStrings()) {
        std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
        return sizeof item.data;
    }
    std::memcpy(reinterpret_cast<char*>(buffer), item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT GetTextLength(const ListState& s, WPARAM index)
{
    const int i = static_cast<int>(index);
    if (!s.Valid(i))
        return LB_ERR;
    return s.HasStrings() ? static_cast<LRESULT>(s.items[static_cast<size_t>(i)].text.size())
                          : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

LRESULT GetSelItems(const ListState& s, WPARAM max, LPARAM out)
{
    if (!s.MultiSelect())
        return LB_ERR;
    int* indices = reinterpret_cast<int*>(out);
    int count = 0;
    for (int i = 0; i < s.Count() && count < static_cast<int>(max); ++i) {
        if (s.items[static_cast<size_t>(i)].selected && indices)
            indices[count++] = i;
    }
    return count;
}

LRESULT GetSelCount(const ListState& s)
{
    if (!s.MultiSelect())
        return LB_ERR;
    int count = 0;
    for (const Item& item : s.items)
        count += item.selected ? 1 : 0;
    return count;
}

LRESULT SetSel(ListState& s, WPARAM select, LPARAM index)
{
    if (!s.MultiSelect())
        return LB_ERR;
    const int i = static_cast<int>(index);
    if (i == -1) {
        SelectRange(s, 0, s.Count() - 1, select != 0);
        return LB_OKAY;
    }
    if (!s.Valid(i))
        return LB_ERR;
    s.items[static_cast<size_t>(i)].selected = select != 0;
    Invalidate(s);
    return LB_OKAY;
}

LRESULT SelectString(ListState& s, WPARAM start, LPARAM text)
{
    if (s.MultiSelect())
        return LB_ERR;
    const LRESULT found = Find(s, start, text, false);
    if (found == LB_ERR)
        return LB_ERR;
    SetCurSel(s, static_cast<int>(found));
    return found;
}

LRESULT GetItemRect(const ListState& s, WPARAM index, LPARAM out)
{
    const int i = static_cast<int>(index);
    auto* rect = reinterpret_cast<RECT*>(out);
    if (!rect || (!s.Valid(i) && !(i == 0 && s.Count() == 0)))
        return LB_ERR;
    *rect = ItemRect(s, i);
    return LB_OKAY;
}

LRESULT SetItemHeight(ListState& s, WPARAM index, LPARAM height)
{
    const int h = static_cast<int>(LOWORD(height));
    if (h <= 0 || h > kMaxItemHeight)
        return LB_ERR;
    if (s.Variable()) {
        const int i = static_cast<int>(index);
        if (!s.Valid(i))
            return LB_ERR;
        s.items[static_cast<size_t>(i)].height = h;
    } else {
        s.itemHeight = h;
        KeepIntegralHeight(s);
    }
    UpdateScrollBars(s);
    Invalidate(s);
    return LB_OKAY;
}

LRESULT ItemFromPointMessage(const ListState& s, LPARAM lParam)
{
    bool outside = false;
    const int index = ItemFromPoint(s, PointFromLParam(lParam), &outside);
    return MAKELONG(index, outside ? 1 : 0);
}

LRESULT Dispatch(ListState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = s.hwnd;
    switch (message) {
    case WM_CREATE:
        OnCreate(s);
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
    case WM_SIZE:
        KeepIntegralHeight(s);
        s.topIndex = std::clamp(s.topIndex, 0, MaxTopIndex(s));
        UpdateScrollBars(s);
        Invalidate(s);
        return 0;
    case WM_SETREDRAW:
        s.redraw = wParam != 0;
        if (s.redraw) {
            UpdateScrollBars(s);
            Invalidate(s);
        }
        return 0;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        s.textHeight = FontHeight(s.font);
        if (!s.OwnerDraw())
            s.itemHeight = s.textHeight;
        KeepIntegralHeight(s);
        UpdateScrollBars(s);
        if (LOWORD(lParam))
            Invalidate(s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_ENABLE:
        Invalidate(s);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        s.focused = true;
        Invalidate(s);
        Notify(s, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.focused = false;
        s.typed.clear();
        Invalidate(s);
        Notify(s, LBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(s, wParam);
        return 0;
    case WM_CHAR:
        OnChar(s, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(s, PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        if (s.dropped) {
            OnDroppedButtonDown(s, PointFromLParam(lParam));
            return 0;
        }
        OnButtonDown(s, PointFromLParam(lParam));
        if (IsWindow(hwnd))
            Notify(s, LBN_DBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(s, PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(s, PointFromLParam(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDragScrollTimer)
            OnDragScrollTimer(s);
        return 0;
    case WM_CAPTURECHANGED:
        s.mouseTracking = false;
        KillTimer(hwnd, kDragScrollTimer);
        if (s.dropped && reinterpret_cast<HWND>(lParam) != hwnd)
            TellCombo(s, ListBoxControl::ComboEvent::Cancel);
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(s, s.topIndex - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelItems);
        return 0;
    case WM_VSCROLL:
        OnVScroll(s, wParam);
        return 0;
    case WM_HSCROLL:
        OnHScroll(s, wParam);
        return 0;
    case WM_WINDOWPOSCHANGING:
        // A dropped list has a border but no caption: no minimum tracking size applies to it.
        if (s.Style() & WS_POPUP)
            return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_MOUSEACTIVATE:
        // A combo box's dropped list never takes activation from the window it serves.
        if (s.combo && (s.Style() & WS_POPUP))
            return MA_NOACTIVATE;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case LB_ADDSTRING:
        return InsertItem(s, -1, lParam, true);
    case LB_INSERTSTRING:
        return InsertItem(s, static_cast<int>(wParam), lParam, false);
    case LB_DELETESTRING:
        return DeleteItem(s, static_cast<int>(wParam));
    case LB_RESETCONTENT:
        ResetContent(s);
        return 0;
    case LB_GETCOUNT:
        return s.Count();
    case LB_GETTEXT:
        return GetText(s, wParam, lParam);
    case LB_GETTEXTLEN:
        return GetTextLength(s, wParam);
    case LB_FINDSTRING:
        return Find(s, wParam, lParam, false);
    case LB_FINDSTRINGEXACT:
        return Find(s, wParam, lParam, true);
    case LB_SELECTSTRING:
        return SelectString(s, wParam, lParam);
    case LB_SETCURSEL:
        return SetCurSel(s, static_cast<int>(wParam));
    case LB_GETCURSEL:
        if (s.MultiSelect())
            return s.Valid(s.caret) ? s.caret : LB_ERR;
        return s.Valid(s.curSel) ? s.curSel : LB_ERR;
    case LB_SETSEL:
        return SetSel(s, wParam, lParam);
    case LB_GETSEL:
        if (!s.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        return s.IsSelected(static_cast<int>(wParam)) ? 1 : 0;
    case LB_GETSELCOUNT:
        return GetSelCount(s);
    case LB_GETSELITEMS:
        return GetSelItems(s, wParam, lParam);
    case LB_SELITEMRANGE:
        if (!s.MultiSelect())
            return LB_ERR;
        SelectRange(s, LOWORD(lParam), HIWORD(lParam), wParam != 0);
        return LB_OKAY;
    case LB_SELITEMRANGEEX: {
        if (!s.MultiSelect())
            return LB_ERR;
        const int first = static_cast<int>(wParam);
        const int last = static_cast<int>(lParam);
        SelectRange(s, first, last, first <= last);
        return LB_OKAY;
    }
    case LB_SETITEMDATA:
        if (!s.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        s.items[wParam].data = static_cast<ULONG_PTR>(lParam);
        return LB_OKAY;
    case LB_GETITEMDATA:
        if (!s.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        return static_cast<LRESULT>(s.items[wParam].data);
    case LB_SETITEMHEIGHT:
        return SetItemHeight(s, wParam, lParam);
    case LB_GETITEMHEIGHT:
        if (s.Variable() && !s.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        return s.HeightOf(static_cast<int>(wParam));
    case LB_GETITEMRECT:
        return GetItemRect(s, wParam, lParam);
    case LB_ITEMFROMPOINT:
        return ItemFromPointMessage(s, lParam);
    case LB_SETTOPINDEX:
        if (!s.Valid(static_cast<int>(wParam)) && !(wParam == 0 && s.Count() == 0))
            return LB_ERR;
        ScrollTo(s, static_cast<int>(wParam));
        return LB_OKAY;
    case LB_GETTOPINDEX:
        return s.topIndex;
    case LB_SETCARETINDEX:
        if (!s.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        MoveCaretOnly(s, static_cast<int>(wParam));
        return LB_OKAY;
    case LB_GETCARETINDEX:
        return s.Valid(s.caret) ? s.caret : (s.Count() > 0 ? 0 : LB_ERR);
    case LB_SETANCHORINDEX:
        if (!s.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        s.anchor = static_cast<int>(wParam);
        return LB_OKAY;
    case LB_GETANCHORINDEX:
        return s.Valid(s.anchor) ? s.anchor : LB_ERR;
    case LB_SETTABSTOPS:
        if (!(s.Style() & LBS_USETABSTOPS))
            return FALSE;
        SetTabStops(s, wParam, lParam);
        return TRUE;
    case LB_SETHORIZONTALEXTENT:
        s.horizontalExtent = static_cast<int>(wParam);
        s.xOffset = std::clamp(s.xOffset, 0, std::max(0, s.horizontalExtent - ClientWidth(s)));
        UpdateScrollBars(s);
        Invalidate(s);
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return s.horizontalExtent;
    case LB_SETLOCALE: {
        const LCID previous = s.locale;
        s.locale = static_cast<LCID>(wParam);
        return static_cast<LRESULT>(previous);
    }
    case LB_GETLOCALE:
        return static_cast<LRESULT>(s.locale);
    case LB_INITSTORAGE:
        s.items.reserve(s.items.size() + wParam);
        return static_cast<LRESULT>(s.items.capacity());
    case LB_DIR:
    case LB_ADDFILE:
    case LB_SETCOUNT:
        return LB_ERR;  // file listings and data-less lists are not kept
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace list_box_detail

void ListBoxControl::AttachToCombo(HWND list, HWND combo, ComboListener listener)
{
    if (auto* s = StateOf<list_box_detail::ListState>(list)) {
        s->combo = combo;
        s->comboListener = std::move(listener);
    }
}

void ListBoxControl::StartDroppedTracking(HWND list, bool buttonHeld)
{
    auto* s = StateOf<list_box_detail::ListState>(list);
    if (!s)
        return;
    s->dropped = true;
    s->comboButtonHeld = buttonHeld;
    s->mouseTracking = false;
    SetCapture(list);
}

void ListBoxControl::StopDroppedTracking(HWND list)
{
    auto* s = StateOf<list_box_detail::ListState>(list);
    if (!s)
        return;
    s->dropped = false;
    s->comboButtonHeld = false;
    s->mouseTracking = false;
    if (GetCapture() == list)
        ReleaseCapture();
}

LRESULT CALLBACK ListBoxControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace list_box_detail;
    if (message == WM_NCCREATE) {
        auto* state = new ListState;
        state->hwnd = hwnd;
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        state->vScroll = cs && (cs->style & WS_VSCROLL);
        state->hScroll = cs && (cs->style & WS_HSCROLL);
        state->redraw = !(cs && (cs->style & LBS_NOREDRAW));
        // A combo box passes itself when it creates its list.
        if (cs && (cs->style & LBS_COMBOBOX))
            state->combo = static_cast<HWND>(cs->lpCreateParams);
        AttachState(hwnd, state);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ListState* s = StateOf<ListState>(hwnd);
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_DESTROY) {
        // The owner hears of every item while it can still answer.
        ResetContent(*s);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        DestroyState<ListState>(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return Dispatch(*s, message, wParam, lParam);
}

}  // namespace tw::controls
