#include "platform/comctl/TabControl.h"

#include <algorithm>
#include <cstring>

#include "platform/comctl/ControlClasses.h"

namespace tw::comctl {

namespace detail_tab {
constexpr const char* kTabProp = "tw.comctl.tab";
constexpr int kTabPadding = 6;
constexpr int kSelectedLift = 2;  // the selected tab stands out by this much
constexpr int kFirstTabLeft = 2;
}  // namespace detail_tab

using namespace detail_tab;

TabControl::TabControl(HWND hwnd) : hwnd_(hwnd) {}

int TabControl::RowHeight() const
{
    if (fixedSize_.cy > 0)
        return fixedSize_.cy;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    int height = tm.tmHeight + 2 * 3;
    if (images_) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images_, &cx, &cy);
        height = std::max(height, cy + 4);
    }
    return height;
}

int TabControl::TabWidth(const Item& item) const
{
    if ((GetWindowLong(hwnd_, GWL_STYLE) & TCS_FIXEDWIDTH) && fixedSize_.cx > 0)
        return fixedSize_.cx;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32(dc, item.text.c_str(), int(item.text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    int width = size.cx + 2 * kTabPadding;
    if (images_ && item.image >= 0) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images_, &cx, &cy);
        width += cx + kTabPadding / 2;
    }
    return width;
}

void TabControl::Relayout()
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const bool multiLine = (GetWindowLong(hwnd_, GWL_STYLE) & TCS_MULTILINE) != 0;
    const int height = RowHeight();
    rects_.assign(items_.size(), RECT{});
    int row = 0;
    int x = kFirstTabLeft;
    for (size_t i = 0; i < items_.size(); ++i) {
        const int width = TabWidth(items_[i]);
        if (multiLine && x > kFirstTabLeft && x + width > client.right - kFirstTabLeft) {
            ++row;
            x = kFirstTabLeft;
        }
        rects_[i] = RECT{x, 0, x + width, 0};
        rects_[i].top = kSelectedLift + row * height;
        x += width;
    }
    rows_ = items_.empty() ? 1 : row + 1;
    // Rows are numbered from the top but the first row sits next to the display area.
    for (RECT& rect : rects_) {
        const int itsRow = (rect.top - kSelectedLift) / height;
        rect.top = kSelectedLift + (rows_ - 1 - itsRow) * height;
        rect.bottom = rect.top + height;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT TabControl::ItemRect(int index) const
{
    return Valid(index) && size_t(index) < rects_.size() ? rects_[size_t(index)] : RECT{};
}

int TabControl::HitTest(POINT point, UINT* flags) const
{
    for (int i = 0; i < Count(); ++i) {
        RECT rect = ItemRect(i);
        if (i == selected_)
            InflateRect(&rect, kSelectedLift, kSelectedLift);
        if (PtInRect(&rect, point)) {
            if (flags)
                *flags = TCHT_ONITEM;
            return i;
        }
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    return -1;
}

void TabControl::AdjustRect(bool larger, RECT* rect) const
{
    if (!rect)
        return;
    const int tabs = kSelectedLift + rows_ * RowHeight();
    const int border = 2;
    if (larger) {
        rect->left -= border + 2;
        rect->right += border + 2;
        rect->top -= tabs + border;
        rect->bottom += border + 2;
    } else {
        rect->left += border + 2;
        rect->right -= border + 2;
        rect->top += tabs + border;
        rect->bottom -= border + 2;
    }
}

LRESULT TabControl::Insert(int index, const TCITEM* item)
{
    if (!item || index < 0)
        return -1;
    index = std::min(index, Count());
    Item stored;
    if ((item->mask & TCIF_TEXT) && item->pszText && item->pszText != LPSTR_TEXTCALLBACK)
        stored.text = item->pszText;
    if (item->mask & TCIF_IMAGE)
        stored.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        stored.lParam = item->lParam;
    if (item->mask & TCIF_STATE)
        stored.state = item->dwState & item->dwStateMask;
    items_.insert(items_.begin() + index, stored);
    if (selected_ >= index)
        ++selected_;
    if (focused_ >= index)
        ++focused_;
    if (selected_ < 0)
        selected_ = focused_ = 0;  // the first tab is selected as it arrives
    Relayout();
    return index;
}

bool TabControl::Delete(int index)
{
    if (!Valid(index))
        return false;
    items_.erase(items_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    if (focused_ == index)
        focused_ = selected_;
    else if (focused_ > index)
        --focused_;
    Relayout();
    return true;
}

bool TabControl::GetItem(int index, TCITEM* item) const
{
    if (!Valid(index) || !item)
        return false;
    const Item& stored = items_[size_t(index)];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const size_t count = std::min(stored.text.size(), size_t(item->cchTextMax - 1));
        std::memcpy(item->pszText, stored.text.data(), count);
        item->pszText[count] = '\0';
    }
    if (item->mask & TCIF_IMAGE)
        item->iImage = stored.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = stored.lParam;
    if (item->mask & TCIF_STATE)
        item->dwState = stored.state & item->dwStateMask;
    return true;
}

bool TabControl::SetItem(int index, const TCITEM* item)
{
    if (!Valid(index) || !item)
        return false;
    Item& stored = items_[size_t(index)];
    if (item->mask & TCIF_TEXT)
        stored.text = item->pszText && item->pszText != LPSTR_TEXTCALLBACK ? item->pszText : "";
    if (item->mask & TCIF_IMAGE)
        stored.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        stored.lParam = item->lParam;
    if (item->mask & TCIF_STATE)
        stored.state = (stored.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    Relayout();
    return true;
}

int TabControl::SetCurSel(int index)
{
    if (!Valid(index))
        return -1;
    const int old = selected_;
    selected_ = focused_ = index;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return old;
}

LRESULT TabControl::Notify(UINT code)
{
    NMHDR header{};
    return SendNotify(hwnd_, code, &header);
}

void TabControl::SelectByUser(int index)
{
    if (!Valid(index) || index == selected_)
        return;
    if (Notify(TCN_SELCHANGING))
        return;  // the parent keeps the current page
    SetCurSel(index);
    Notify(TCN_SELCHANGE);
}

void TabControl::OnKeyDown(UINT vk)
{
    NMTCKEYDOWN key{};
    key.wVKey = WORD(vk);
    SendNotify(hwnd_, TCN_KEYDOWN, &key.hdr);
    switch (vk) {
    case VK_LEFT:
    case VK_UP:
        SelectByUser(selected_ - 1);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SelectByUser(selected_ + 1);
        break;
    case VK_HOME:
        SelectByUser(0);
        break;
    case VK_END:
        SelectByUser(Count() - 1);
        break;
    default:
        break;
    }
}

void TabControl::Paint(HDC dc)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT body = client;
    body.top = kSelectedLift + rows_ * RowHeight();
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT | BF_SOFT);

    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < Count(); ++i) {
        RECT rect = ItemRect(i);
        if (i == selected_) {
            InflateRect(&rect, kSelectedLift, kSelectedLift);
            rect.bottom += 1;  // joins the display area
            FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
        }
        DrawEdge(dc, &rect, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
        RECT text = rect;
        const Item& item = items_[size_t(i)];
        if (images_ && item.image >= 0) {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(images_, &cx, &cy);
            ImageList_Draw(images_, item.image, dc, text.left + kTabPadding, (text.top + text.bottom - cy) / 2,
                           ILD_TRANSPARENT);
            text.left += cx + kTabPadding / 2;
        }
        DrawText(dc, item.text.c_str(), int(item.text.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (i == focused_ && GetFocus() == hwnd_) {
            RECT focus = rect;
            InflateRect(&focus, -3, -3);
            DrawFocusRect(dc, &focus);
        }
    }
    SelectObject(dc, oldFont);
}

LRESULT TabControl::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TCM_GETITEMCOUNT:
        return Count();
    case TCM_INSERTITEM:
        return Insert(int(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_DELETEITEM:
        return Delete(int(wParam));
    case TCM_DELETEALLITEMS:
        items_.clear();
        selected_ = focused_ = -1;
        Relayout();
        return TRUE;
    case TCM_GETITEM:
        return GetItem(int(wParam), reinterpret_cast<TCITEM*>(lParam));
    case TCM_SETITEM:
        return SetItem(int(wParam), reinterpret_cast<const TCITEM*>(lParam));
    case TCM_GETCURSEL:
        return selected_;
    case TCM_SETCURSEL:
        return SetCurSel(int(wParam));
    case TCM_GETCURFOCUS:
        return focused_;
    case TCM_SETCURFOCUS:
        if (Valid(int(wParam))) {
            focused_ = int(wParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
        return 0;
    case TCM_GETITEMRECT:
        if (!Valid(int(wParam)) || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = ItemRect(int(wParam));
        return TRUE;
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        return info ? HitTest(info->pt, &info->flags) : -1;
    }
    case TCM_ADJUSTRECT:
        AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
        return 0;
    case TCM_SETITEMSIZE: {
        const LRESULT old = MAKELONG(fixedSize_.cx, fixedSize_.cy);
        fixedSize_ = SIZE{short(LOWORD(lParam)), short(HIWORD(lParam))};
        Relayout();
        return old;
    }
    case TCM_GETROWCOUNT:
        return rows_;
    case TCM_SETIMAGELIST: {
        HIMAGELIST old = images_;
        images_ = reinterpret_cast<HIMAGELIST>(lParam);
        Relayout();
        return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(images_);
    case WM_LBUTTONDOWN: {
        const POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
        const int index = HitTest(point, nullptr);
        if (index >= 0 && !(GetWindowLong(hwnd_, GWL_STYLE) & TCS_FOCUSNEVER))
            SetFocus(hwnd_);
        SelectByUser(index);
        return 0;
    }
    case WM_LBUTTONUP: {
        NMHDR header{};
        SendNotify(hwnd_, NM_CLICK, &header);
        return 0;
    }
    case WM_RBUTTONUP: {
        NMHDR header{};
        SendNotify(hwnd_, NM_RCLICK, &header);
        return 0;
    }
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_NCHITTEST: {
        // Only the tabs are the control's; the mouse elsewhere is for what lies
        // beneath, such as the page a property sheet shows in the display area.
        POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
        ScreenToClient(hwnd_, &point);
        return HitTest(point, nullptr) >= 0 ? HTCLIENT : HTTRANSPARENT;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_SIZE:
        Relayout();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        Relayout();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK TabControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<TabControl>(kTabProp, hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
