#include "platform/comctl/HeaderControl.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/comctl/ControlClasses.h"

namespace tw::comctl {

namespace detail_header {
constexpr const char* kHeaderProp = "tw.comctl.header";
constexpr int kTextMargin = 6;
constexpr int kArrowSize = 4;

void CopyText(const std::string& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0 || buffer == LPSTR_TEXTCALLBACK)
        return;
    const size_t count = std::min(text.size(), size_t(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

void DrawSortArrow(HDC dc, const RECT& rect, bool up)
{
    const int cx = rect.right - kTextMargin - kArrowSize;
    const int cy = (rect.top + rect.bottom) / 2;
    const POINT upPoints[3] = {{cx - kArrowSize, cy + kArrowSize / 2}, {cx + kArrowSize, cy + kArrowSize / 2},
                               {cx, cy - kArrowSize / 2 - 1}};
    const POINT downPoints[3] = {{cx - kArrowSize, cy - kArrowSize / 2}, {cx + kArrowSize, cy - kArrowSize / 2},
                                 {cx, cy + kArrowSize / 2 + 1}};
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, up ? upPoints : downPoints, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}
}  // namespace detail_header

using namespace detail_header;

HeaderControl::HeaderControl(HWND hwnd) : hwnd_(hwnd) {}

int HeaderControl::Height() const
{
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return tm.tmHeight + 6;
}

RECT HeaderControl::ItemRect(int index) const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    int left = 0;
    for (int position : order_) {
        if (position == index)
            return RECT{left, 0, left + items_[size_t(index)].width, client.bottom};
        left += items_[size_t(position)].width;
    }
    return RECT{};
}

int HeaderControl::HitTest(POINT point, UINT& flags) const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    flags = 0;
    if (point.y < client.top)
        flags |= HHT_ABOVE;
    if (point.y >= client.bottom)
        flags |= HHT_BELOW;
    if (point.x < client.left)
        flags |= HHT_TOLEFT;
    if (point.x >= client.right)
        flags |= HHT_TORIGHT;
    if (flags)
        return -1;
    // Dividers first, from the right, so a zero-width column's divider is found.
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const RECT rect = ItemRect(*it);
        if (point.x >= rect.right - kDividerGrip && point.x < rect.right + kDividerGrip) {
            flags = items_[size_t(*it)].width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
            return *it;
        }
    }
    for (int index : order_) {
        const RECT rect = ItemRect(index);
        if (point.x >= rect.left && point.x < rect.right) {
            flags = HHT_ONHEADER;
            return index;
        }
    }
    flags = HHT_NOWHERE;
    return -1;
}

LRESULT HeaderControl::Notify(UINT code, int index, HDITEM* item, int button)
{
    NMHEADER nm{};
    nm.iItem = index;
    nm.iButton = button;
    nm.pitem = item;
    return SendNotify(hwnd_, code, &nm.hdr);
}

LRESULT HeaderControl::Insert(int index, const HDITEM* item)
{
    if (!item || index < 0)
        return -1;
    index = std::min(index, Count());
    items_.insert(items_.begin() + index, Item{});
    for (int& position : order_) {
        if (position >= index)
            ++position;
    }
    int orderAt = (item->mask & HDI_ORDER) ? std::clamp(item->iOrder, 0, int(order_.size())) : int(order_.size());
    if (!(item->mask & HDI_ORDER)) {
        // A new column goes where its index falls in the display order.
        orderAt = 0;
        while (orderAt < int(order_.size()) && order_[size_t(orderAt)] < index)
            ++orderAt;
    }
    order_.insert(order_.begin() + orderAt, index);
    HDITEM copy = *item;
    copy.mask &= ~HDI_ORDER;
    Item& stored = items_[size_t(index)];
    if (copy.mask & HDI_WIDTH)
        stored.width = std::max(0, copy.cxy);
    if (copy.mask & HDI_TEXT)
        stored.text = copy.pszText && copy.pszText != LPSTR_TEXTCALLBACK ? copy.pszText : "";
    if (copy.mask & HDI_FORMAT)
        stored.format = copy.fmt;
    if (copy.mask & HDI_LPARAM)
        stored.lParam = copy.lParam;
    if (copy.mask & HDI_IMAGE)
        stored.image = copy.iImage;
    if (copy.mask & HDI_BITMAP)
        stored.bitmap = copy.hbm;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return index;
}

bool HeaderControl::Delete(int index)
{
    if (!Valid(index))
        return false;
    items_.erase(items_.begin() + index);
    order_.erase(std::find(order_.begin(), order_.end(), index));
    for (int& position : order_) {
        if (position > index)
            --position;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool HeaderControl::GetItem(int index, HDITEM* item) const
{
    if (!Valid(index) || !item)
        return false;
    const Item& stored = items_[size_t(index)];
    if (item->mask & HDI_WIDTH)
        item->cxy = stored.width;
    if (item->mask & HDI_TEXT)
        CopyText(stored.text, item->pszText, item->cchTextMax);
    if (item->mask & HDI_FORMAT)
        item->fmt = stored.format;
    if (item->mask & HDI_LPARAM)
        item->lParam = stored.lParam;
    if (item->mask & HDI_IMAGE)
        item->iImage = stored.image;
    if (item->mask & HDI_BITMAP)
        item->hbm = stored.bitmap;
    if (item->mask & HDI_ORDER)
        item->iOrder = int(std::find(order_.begin(), order_.end(), index) - order_.begin());
    return true;
}

bool HeaderControl::SetItem(int index, const HDITEM* item)
{
    if (!Valid(index) || !item)
        return false;
    HDITEM copy = *item;
    if (Notify(HDN_ITEMCHANGING, index, &copy))
        return false;
    Item& stored = items_[size_t(index)];
    if (copy.mask & HDI_WIDTH)
        stored.width = std::max(0, copy.cxy);
    if (copy.mask & HDI_TEXT)
        stored.text = copy.pszText && copy.pszText != LPSTR_TEXTCALLBACK ? copy.pszText : "";
    if (copy.mask & HDI_FORMAT)
        stored.format = copy.fmt;
    if (copy.mask & HDI_LPARAM)
        stored.lParam = copy.lParam;
    if (copy.mask & HDI_IMAGE)
        stored.image = copy.iImage;
    if (copy.mask & HDI_BITMAP)
        stored.bitmap = copy.hbm;
    if (copy.mask & HDI_ORDER) {
        order_.erase(std::find(order_.begin(), order_.end(), index));
        order_.insert(order_.begin() + std::clamp(copy.iOrder, 0, int(order_.size())), index);
    }
    Notify(HDN_ITEMCHANGED, index, &copy);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool HeaderControl::ChangeWidth(int index, int width)
{
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    return SetItem(index, &item);
}

bool HeaderControl::Layout(HDLAYOUT* layout)
{
    if (!layout || !layout->prc || !layout->pwpos)
        return false;
    RECT& area = *layout->prc;
    const int height = (GetWindowLong(hwnd_, GWL_STYLE) & HDS_HIDDEN) ? 0 : Height();
    WINDOWPOS& pos = *layout->pwpos;
    pos.hwnd = hwnd_;
    pos.hwndInsertAfter = nullptr;
    pos.x = area.left;
    pos.y = area.top;
    pos.cx = area.right - area.left;
    pos.cy = height;
    pos.flags = SWP_NOZORDER | SWP_NOACTIVATE;
    area.top += height;
    return true;
}

void HeaderControl::OnButtonDown(POINT point, bool doubleClick)
{
    UINT flags = 0;
    const int index = HitTest(point, flags);
    if (index < 0)
        return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (doubleClick) {
            Notify(HDN_DIVIDERDBLCLICK, index, nullptr);
            return;
        }
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = items_[size_t(index)].width;
        if (Notify(HDN_BEGINTRACK, index, &item))
            return;  // the parent refused the drag
        tracking_ = index;
        trackWidth_ = item.cxy;
        SetCapture(hwnd_);
        return;
    }
    if (doubleClick) {
        Notify(HDN_ITEMDBLCLICK, index, nullptr);
        return;
    }
    if (GetWindowLong(hwnd_, GWL_STYLE) & HDS_BUTTONS) {
        pressed_ = index;
        pressedInside_ = true;
        SetCapture(hwnd_);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

void HeaderControl::OnMouseMove(POINT point)
{
    if (tracking_ >= 0) {
        const RECT rect = ItemRect(tracking_);
        trackWidth_ = std::max(0, int(point.x - rect.left));
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = trackWidth_;
        if (Notify(HDN_TRACK, tracking_, &item)) {
            EndTrack(false);
            return;
        }
        if (GetWindowLong(hwnd_, GWL_STYLE) & HDS_FULLDRAG)
            ChangeWidth(tracking_, trackWidth_);
        return;
    }
    if (pressed_ >= 0) {
        UINT flags = 0;
        const bool inside = HitTest(point, flags) == pressed_ && (flags & HHT_ONHEADER);
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            InvalidateRect(hwnd_, nullptr, TRUE);
        }
    }
}

void HeaderControl::EndTrack(bool apply)
{
    const int index = tracking_;
    tracking_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (index < 0)
        return;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = trackWidth_;
    Notify(HDN_ENDTRACK, index, &item);
    if (apply && items_[size_t(index)].width != trackWidth_)
        ChangeWidth(index, trackWidth_);
}

void HeaderControl::OnButtonUp(POINT)
{
    if (tracking_ >= 0) {
        EndTrack(true);
        return;
    }
    if (pressed_ < 0)
        return;
    const int index = pressed_;
    const bool inside = pressedInside_;
    pressed_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (inside)
        Notify(HDN_ITEMCLICK, index, nullptr, 0);
}

void HeaderControl::PaintItem(HDC dc, int index)
{
    const Item& item = items_[size_t(index)];
    RECT rect = ItemRect(index);
    if (rect.right <= rect.left)
        return;
    const bool pressed = index == pressed_ && pressedInside_;
    if (item.format & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_HEADER;
        dis.CtlID = UINT(GetDlgCtrlID(hwnd_));
        dis.itemID = UINT(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = pressed ? ODS_SELECTED : 0;
        dis.hwndItem = hwnd_;
        dis.hDC = dc;
        dis.rcItem = rect;
        dis.itemData = ULONG_PTR(item.lParam);
        SendMessage(GetParent(hwnd_), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    RECT frame = rect;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    RECT text{rect.left + kTextMargin, rect.top, rect.right - kTextMargin, rect.bottom};
    if (pressed)
        OffsetRect(&text, 1, 1);
    if ((item.format & HDF_IMAGE) && images_) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images_, &cx, &cy);
        ImageList_Draw(images_, item.image, dc, text.left, (rect.top + rect.bottom - cy) / 2, ILD_TRANSPARENT);
        text.left += cx + kTextMargin / 2;
    }
    if (item.format & (HDF_SORTUP | HDF_SORTDOWN)) {
        DrawSortArrow(dc, rect, (item.format & HDF_SORTUP) != 0);
        text.right -= 2 * kArrowSize + kTextMargin;
    }
    UINT align = DT_LEFT;
    if ((item.format & HDF_JUSTIFYMASK) == HDF_RIGHT)
        align = DT_RIGHT;
    else if ((item.format & HDF_JUSTIFYMASK) == HDF_CENTER)
        align = DT_CENTER;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawText(dc, item.text.c_str(), int(item.text.size()), &text,
             align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void HeaderControl::Paint(HDC dc)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    int right = 0;
    for (int index : order_) {
        PaintItem(dc, index);
        right = std::max(right, int(ItemRect(index).right));
    }
    if (right < client.right) {
        RECT rest{right, client.top, client.right, client.bottom};
        FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &rest, EDGE_RAISED, BF_TOP | BF_BOTTOM | BF_SOFT);
    }
    SelectObject(dc, oldFont);
}

LRESULT HeaderControl::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
    switch (message) {
    case HDM_GETITEMCOUNT:
        return Count();
    case HDM_INSERTITEM:
        return Insert(int(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM:
        return Delete(int(wParam));
    case HDM_GETITEM:
        return GetItem(int(wParam), reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM:
        return SetItem(int(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_LAYOUT:
        return Layout(reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: {
        auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        info->iItem = HitTest(info->pt, info->flags);
        return info->iItem;
    }
    case HDM_GETITEMRECT:
        if (!Valid(int(wParam)) || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = ItemRect(int(wParam));
        return TRUE;
    case HDM_SETIMAGELIST: {
        HIMAGELIST old = images_;
        images_ = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(images_);
    case HDM_ORDERTOINDEX:
        return wParam < order_.size() ? order_[wParam] : int(wParam);
    case HDM_GETORDERARRAY:
        if (!lParam || int(wParam) != Count())
            return FALSE;
        std::copy(order_.begin(), order_.end(), reinterpret_cast<int*>(lParam));
        return TRUE;
    case HDM_SETORDERARRAY: {
        if (!lParam || int(wParam) != Count())
            return FALSE;
        const int* given = reinterpret_cast<const int*>(lParam);
        std::vector<int> order(given, given + wParam);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> expected(items_.size());
        std::iota(expected.begin(), expected.end(), 0);
        if (sorted != expected)
            return FALSE;  // not a permutation of the columns
        order_ = order;
        InvalidateRect(hwnd_, nullptr, TRUE);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(point, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(point);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(point);
        return 0;
    case WM_RBUTTONUP: {
        NMHDR header{};
        SendNotify(hwnd_, NM_RCLICK, &header);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd_) {
            if (tracking_ >= 0)
                EndTrack(false);
            if (pressed_ >= 0) {
                pressed_ = -1;
                InvalidateRect(hwnd_, nullptr, TRUE);
            }
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && tracking_ >= 0)
            EndTrack(false);
        return 0;
    case WM_SETCURSOR: {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(hwnd_, &cursor);
        UINT flags = 0;
        if (tracking_ >= 0 || (HitTest(cursor, flags) >= 0 && (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        return DefWindowProc(hwnd_, message, wParam, lParam);
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        if (message == WM_PRINTCLIENT) {
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        }
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

LRESULT CALLBACK HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<HeaderControl>(kHeaderProp, hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
