#include "platform/comctl/ListView.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <strings.h>

#include "platform/comctl/ControlClasses.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comctl {

namespace detail_listview {
constexpr const char* kListProp = "tw.comctl.listview";
constexpr int kListLabelPadding = 2;
constexpr int kListCellMargin = 6;
constexpr int kListCheckSize = 16;
constexpr int kListTextBuffer = 260;
constexpr unsigned kListSearchResetMs = 1000;
constexpr UINT kListHeaderId = 0;
constexpr UINT_PTR kListEditTimer = 1;

void CopyOut(const std::string& text, LPSTR buffer, int size)
{
    if (!buffer || buffer == LPSTR_TEXTCALLBACK || size <= 0)
        return;
    const size_t count = std::min(text.size(), size_t(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}
}  // namespace detail_listview

using namespace detail_listview;

ListView::ListView(HWND hwnd)
    : hwnd_(hwnd),
      background_(GetSysColor(COLOR_WINDOW)),
      textColor_(GetSysColor(COLOR_WINDOWTEXT)),
      textBackground_(GetSysColor(COLOR_WINDOW))
{
}

ListView::~ListView()
{
    editor_.End(false);
    if (labelTip_)
        DestroyWindow(labelTip_);
    if (!(Style() & LVS_SHAREIMAGELISTS)) {
        // Lists handed to an unshared list view are its to destroy.
        for (HIMAGELIST list : {normalImages_, smallImages_, stateImages_}) {
            if (list)
                ImageList_Destroy(list);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Items and columns

LRESULT ListView::InsertItem(const LVITEM* item)
{
    if (!item || item->iItem < 0 || item->iSubItem != 0)
        return -1;
    const int index = std::min(item->iItem, Count());
    Row row;
    row.cells.resize(std::max<size_t>(1, columns_.size()));
    if (exStyle_ & LVS_EX_CHECKBOXES)
        row.state = INDEXTOSTATEIMAGEMASK(1);
    rows_.insert(rows_.begin() + index, row);
    if (focused_ >= index)
        ++focused_;
    if (selectionMark_ >= index)
        ++selectionMark_;
    LVITEM copy = *item;
    copy.iItem = index;
    // Insertion sets states without asking.
    if (copy.mask & LVIF_STATE) {
        Row& stored = rows_[size_t(index)];
        stored.state = (stored.state & ~copy.stateMask) | (copy.state & copy.stateMask);
        if (stored.state & LVIS_FOCUSED) {
            if (Valid(focused_) && focused_ != index)
                rows_[size_t(focused_)].state &= ~LVIS_FOCUSED;
            focused_ = index;
        }
        copy.mask &= ~LVIF_STATE;
    }
    SetItem(&copy);
    NotifyItem(LVN_INSERTITEM, index);
    Layout();
    return index;
}

bool ListView::DeleteItem(int index)
{
    if (!Valid(index))
        return false;
    if (editing_ == index)
        editor_.End(false);
    NotifyItem(LVN_DELETEITEM, index);
    if (!Valid(index))
        return false;
    rows_.erase(rows_.begin() + index);
    if (focused_ == index)
        focused_ = -1;
    else if (focused_ > index)
        --focused_;
    if (selectionMark_ == index)
        selectionMark_ = -1;
    else if (selectionMark_ > index)
        --selectionMark_;
    if (editing_ > index)
        --editing_;
    Layout();
    return true;
}

bool ListView::DeleteAllItems()
{
    editor_.End(false);
    // Returning TRUE to LVN_DELETEALLITEMS spares the per-item notifications.
    const bool quiet = NotifyItem(LVN_DELETEALLITEMS, -1) != 0;
    while (!rows_.empty()) {
        if (!quiet)
            NotifyItem(LVN_DELETEITEM, Count() - 1);
        rows_.pop_back();
    }
    focused_ = selectionMark_ = -1;
    top_ = 0;
    Layout();
    return true;
}

bool ListView::SetItem(const LVITEM* item)
{
    if (!item || !Valid(item->iItem) || item->iSubItem < 0)
        return false;
    Row& row = rows_[size_t(item->iItem)];
    if (item->mask & LVIF_TEXT) {
        if (!SetItemText(item->iItem, item->iSubItem, item->pszText))
            return false;
    }
    if (item->iSubItem != 0)
        return true;
    if (item->mask & LVIF_IMAGE)
        row.image = item->iImage;
    if (item->mask & LVIF_PARAM)
        row.lParam = item->lParam;
    if (item->mask & LVIF_INDENT)
        row.indent = item->iIndent;
    if (item->mask & LVIF_STATE)
        SetState(item->iItem, item->state, item->stateMask);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool ListView::SetItemText(int index, int subItem, LPCSTR text)
{
    if (!Valid(index) || subItem < 0)
        return false;
    Row& row = rows_[size_t(index)];
    if (size_t(subItem) >= row.cells.size())
        row.cells.resize(size_t(subItem) + 1);
    Cell& cell = row.cells[size_t(subItem)];
    cell.callback = text == LPSTR_TEXTCALLBACK;
    cell.text = text && !cell.callback ? text : "";
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

std::string ListView::TextOf(int index, int subItem)
{
    if (!Valid(index))
        return {};
    Row& row = rows_[size_t(index)];
    if (size_t(subItem) >= row.cells.size())
        return {};
    Cell& cell = row.cells[size_t(subItem)];
    if (!cell.callback)
        return cell.text;
    char buffer[kListTextBuffer] = {};
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = index;
    info.item.iSubItem = subItem;
    info.item.pszText = buffer;
    info.item.cchTextMax = kListTextBuffer;
    info.item.lParam = row.lParam;
    Notify(LVN_GETDISPINFO, &info.hdr);
    std::string text = info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK ? info.item.pszText : "";
    if ((info.item.mask & LVIF_DI_SETITEM) && Valid(index) && size_t(subItem) < rows_[size_t(index)].cells.size())
        rows_[size_t(index)].cells[size_t(subItem)] = Cell{text, false};
    return text;
}

int ListView::ImageOf(int index)
{
    if (!Valid(index))
        return -1;
    if (rows_[size_t(index)].image != I_IMAGECALLBACK)
        return rows_[size_t(index)].image;
    NMLVDISPINFO info{};
    info.item.mask = LVIF_IMAGE;
    info.item.iItem = index;
    info.item.lParam = rows_[size_t(index)].lParam;
    Notify(LVN_GETDISPINFO, &info.hdr);
    if ((info.item.mask & LVIF_DI_SETITEM) && Valid(index))
        rows_[size_t(index)].image = info.item.iImage;
    return info.item.iImage;
}

bool ListView::GetItem(LVITEM* item)
{
    if (!item || !Valid(item->iItem))
        return false;
    const Row& row = rows_[size_t(item->iItem)];
    if (item->mask & LVIF_TEXT)
        CopyOut(TextOf(item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
    if (item->iSubItem != 0)
        return true;
    if (item->mask & LVIF_IMAGE)
        item->iImage = ImageOf(item->iItem);
    if (item->mask & LVIF_PARAM)
        item->lParam = row.lParam;
    if (item->mask & LVIF_INDENT)
        item->iIndent = row.indent;
    if (item->mask & LVIF_STATE)
        item->state = row.state & item->stateMask;
    return true;
}

LRESULT ListView::InsertColumn(int index, const LVCOLUMN* column)
{
    if (!column || index < 0)
        return -1;
    index = std::min(index, ColumnCount());
    Column stored;
    if (column->mask & LVCF_FMT)
        stored.format = column->fmt;
    if (column->mask & LVCF_TEXT)
        stored.text = column->pszText && column->pszText != LPSTR_TEXTCALLBACK ? column->pszText : "";
    stored.subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : index;
    if (column->mask & LVCF_IMAGE)
        stored.image = column->iImage;
    columns_.insert(columns_.begin() + index, stored);
    HDITEM hd{};
    hd.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    hd.pszText = stored.text.data();
    hd.cxy = (column->mask & LVCF_WIDTH) ? column->cx : 50;
    hd.fmt = HDF_STRING | (stored.format & LVCFMT_JUSTIFYMASK);
    if (column->mask & LVCF_ORDER) {
        hd.mask |= HDI_ORDER;
        hd.iOrder = column->iOrder;
    }
    SendMessage(header_, HDM_INSERTITEM, WPARAM(index), reinterpret_cast<LPARAM>(&hd));
    for (Row& row : rows_) {
        if (row.cells.size() < columns_.size())
            row.cells.resize(columns_.size());
    }
    Layout();
    return index;
}

bool ListView::DeleteColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return false;
    columns_.erase(columns_.begin() + index);
    SendMessage(header_, HDM_DELETEITEM, WPARAM(index), 0);
    Layout();
    return true;
}

bool ListView::SetColumn(int index, const LVCOLUMN* column)
{
    if (!column || index < 0 || index >= ColumnCount())
        return false;
    Column& stored = columns_[size_t(index)];
    HDITEM hd{};
    if (column->mask & LVCF_FMT) {
        stored.format = column->fmt;
        // Keep the sort arrows and images the header has of its own.
        HDITEM current{};
        current.mask = HDI_FORMAT;
        SendMessage(header_, HDM_GETITEM, WPARAM(index), reinterpret_cast<LPARAM>(&current));
        hd.mask |= HDI_FORMAT;
        hd.fmt = (current.fmt & ~HDF_JUSTIFYMASK) | (column->fmt & LVCFMT_JUSTIFYMASK);
    }
    if (column->mask & LVCF_TEXT) {
        stored.text = column->pszText && column->pszText != LPSTR_TEXTCALLBACK ? column->pszText : "";
        hd.mask |= HDI_TEXT;
        hd.pszText = stored.text.data();
    }
    if (column->mask & LVCF_WIDTH) {
        hd.mask |= HDI_WIDTH;
        hd.cxy = column->cx;
    }
    if (column->mask & LVCF_SUBITEM)
        stored.subItem = column->iSubItem;
    if (column->mask & LVCF_IMAGE)
        stored.image = column->iImage;
    if (column->mask & LVCF_ORDER) {
        hd.mask |= HDI_ORDER;
        hd.iOrder = column->iOrder;
    }
    if (hd.mask)
        SendMessage(header_, HDM_SETITEM, WPARAM(index), reinterpret_cast<LPARAM>(&hd));
    Layout();
    return true;
}

bool ListView::GetColumn(int index, LVCOLUMN* column)
{
    if (!column || index < 0 || index >= ColumnCount())
        return false;
    const Column& stored = columns_[size_t(index)];
    if (column->mask & LVCF_FMT)
        column->fmt = stored.format;
    if (column->mask & LVCF_WIDTH)
        column->cx = ColumnWidth(index);
    if (column->mask & LVCF_TEXT)
        CopyOut(stored.text, column->pszText, column->cchTextMax);
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = stored.subItem;
    if (column->mask & LVCF_IMAGE)
        column->iImage = stored.image;
    if (column->mask & LVCF_ORDER) {
        HDITEM hd{};
        hd.mask = HDI_ORDER;
        SendMessage(header_, HDM_GETITEM, WPARAM(index), reinterpret_cast<LPARAM>(&hd));
        column->iOrder = hd.iOrder;
    }
    return true;
}

int ListView::ColumnWidth(int index) const
{
    if (!Report()) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        return client.right;
    }
    HDITEM hd{};
    hd.mask = HDI_WIDTH;
    if (!SendMessage(header_, HDM_GETITEM, WPARAM(index), reinterpret_cast<LPARAM>(&hd)))
        return 0;
    return hd.cxy;
}

bool ListView::SetColumnWidth(int index, int width)
{
    if (!Report())
        return false;
    if (index < 0 || index >= ColumnCount())
        return false;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int widest = 0;
        for (int i = 0; i < Count(); ++i)
            widest = std::max(widest, StringWidth(TextOf(i, columns_[size_t(index)].subItem)));
        widest += 2 * kListCellMargin;
        if (index == 0)
            widest += LabelLeft(0);
        if (width == LVSCW_AUTOSIZE_USEHEADER)
            widest = std::max(widest, StringWidth(columns_[size_t(index)].text) + 2 * kListCellMargin + 12);
        width = widest;
    }
    HDITEM hd{};
    hd.mask = HDI_WIDTH;
    hd.cxy = std::max(0, width);
    SendMessage(header_, HDM_SETITEM, WPARAM(index), reinterpret_cast<LPARAM>(&hd));
    Layout();
    return true;
}

int ListView::ColumnLeft(int index) const
{
    RECT rect{};
    SendMessage(header_, HDM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&rect));
    return rect.left - scrollX_;
}

int ListView::ColumnAt(int x) const
{
    for (int i = 0; i < ColumnCount(); ++i) {
        const int left = ColumnLeft(i);
        if (x >= left && x < left + ColumnWidth(i))
            return i;
    }
    return -1;
}

bool ListView::SortItems(PFNLVCOMPARE compare, LPARAM lParamSort)
{
    if (!compare)
        return false;
    editor_.End(false);
    // The rows stay where they are while the callback runs: it may read the
    // list (find an item by its data, get its text), as callbacks commonly do.
    std::vector<size_t> order(rows_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return compare(rows_[a].lParam, rows_[b].lParam, lParamSort) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows_[i]));
    rows_ = std::move(sorted);
    // Focus and the selection mark follow their items.
    focused_ = -1;
    for (int i = 0; i < Count(); ++i) {
        if (rows_[size_t(i)].state & LVIS_FOCUSED)
            focused_ = i;
    }
    selectionMark_ = focused_;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

int ListView::FindItem(int start, const LVFINDINFO* find)
{
    if (!find || Count() == 0)
        return -1;
    const int first = start + 1;
    const int limit = (find->flags & LVFI_WRAP) ? Count() : Count() - std::max(0, first);
    for (int n = 0; n < limit; ++n) {
        const int index = (std::max(0, first) + n) % Count();
        if (find->flags & LVFI_PARAM) {
            if (rows_[size_t(index)].lParam == find->lParam)
                return index;
            continue;
        }
        if (!find->psz)
            return -1;
        const std::string text = TextOf(index, 0);
        const size_t length = std::strlen(find->psz);
        const bool partial = (find->flags & LVFI_PARTIAL) != 0;
        if (partial ? strncasecmp(text.c_str(), find->psz, length) == 0 : strcasecmp(text.c_str(), find->psz) == 0)
            return index;
    }
    return -1;
}

int ListView::NextItem(int start, UINT flags)
{
    const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int index) { return (rows_[size_t(index)].state & wanted) == wanted; };
    if (flags & LVNI_ABOVE) {
        for (int i = start - 1; i >= 0; --i) {
            if (matches(i))
                return i;
        }
        return -1;
    }
    // LVNI_BELOW and LVNI_ALL both search forward in a one-column layout.
    for (int i = std::max(start + 1, 0); i < Count(); ++i) {
        if (matches(i))
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------
// States

bool ListView::ChangeState(int index, UINT state, UINT mask)
{
    Row& row = rows_[size_t(index)];
    const UINT oldState = row.state;
    const UINT newState = (oldState & ~mask) | (state & mask);
    if (newState == oldState)
        return true;
    if (NotifyItem(LVN_ITEMCHANGING, index, 0, newState, oldState, LVIF_STATE))
        return false;
    if (!Valid(index))
        return false;
    rows_[size_t(index)].state = newState;
    if (newState & LVIS_FOCUSED)
        focused_ = index;
    else if (focused_ == index)
        focused_ = -1;
    RECT rect{};
    if (ItemRect(index, LVIR_BOUNDS, rect))
        InvalidateRect(hwnd_, &rect, TRUE);
    NotifyItem(LVN_ITEMCHANGED, index, 0, newState, oldState, LVIF_STATE);
    return true;
}

bool ListView::SetState(int index, UINT state, UINT mask)
{
    if (index == -1) {
        bool all = true;
        for (int i = 0; i < Count(); ++i)
            all = ChangeState(i, state, mask & ~LVIS_FOCUSED) && all;
        return all;
    }
    if (!Valid(index))
        return false;
    // One item has the focus; with LVS_SINGLESEL one is selected.
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED) && Valid(focused_) && focused_ != index)
        ChangeState(focused_, 0, LVIS_FOCUSED);
    if ((Style() & LVS_SINGLESEL) && (mask & LVIS_SELECTED) && (state & LVIS_SELECTED)) {
        for (int i = 0; i < Count(); ++i) {
            if (i != index && (rows_[size_t(i)].state & LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }
    return ChangeState(index, state, mask);
}

void ListView::SelectOnly(int index)
{
    for (int i = 0; i < Count(); ++i) {
        if (i != index && (rows_[size_t(i)].state & LVIS_SELECTED))
            ChangeState(i, 0, LVIS_SELECTED);
    }
    if (Valid(index))
        SetState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ListView::MoveFocus(int index, bool extend, bool keepSelection)
{
    if (Count() == 0)
        return;
    index = std::clamp(index, 0, Count() - 1);
    const bool single = (Style() & LVS_SINGLESEL) != 0;
    if (keepSelection && !single) {
        SetState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (extend && !single && Valid(selectionMark_)) {
        const int from = std::min(selectionMark_, index);
        const int to = std::max(selectionMark_, index);
        for (int i = 0; i < Count(); ++i)
            ChangeState(i, (i >= from && i <= to) ? LVIS_SELECTED : 0, LVIS_SELECTED);
        SetState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        SelectOnly(index);
        selectionMark_ = index;
    }
    EnsureVisible(index);
}

// ---------------------------------------------------------------------------------------------
// Geometry

int ListView::RowHeight() const
{
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    int height = tm.tmHeight + 1;
    int cx = 0, cy = 0;
    if (smallImages_ && ImageList_GetIconSize(smallImages_, &cx, &cy))
        height = std::max(height, cy + 1);
    if (stateImages_ && ImageList_GetIconSize(stateImages_, &cx, &cy))
        height = std::max(height, cy + 1);
    if (exStyle_ & LVS_EX_CHECKBOXES)
        height = std::max(height, kListCheckSize + 1);
    if (exStyle_ & LVS_EX_GRIDLINES)
        height += 1;
    return height;
}

int ListView::HeaderHeight() const
{
    if (!Report() || (Style() & LVS_NOCOLUMNHEADER) || !IsWindowVisible(header_))
        return 0;
    RECT rect{};
    GetWindowRect(header_, &rect);
    return rect.bottom - rect.top;
}

RECT ListView::ListArea() const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    client.top += HeaderHeight();
    return client;
}

int ListView::PageRows() const
{
    const RECT area = ListArea();
    return std::max(1, int((area.bottom - area.top) / RowHeight()));
}

int ListView::TotalWidth() const
{
    if (!Report())
        return 0;
    int total = 0;
    for (int i = 0; i < ColumnCount(); ++i)
        total += ColumnWidth(i);
    return total;
}

int ListView::StringWidth(const std::string& text) const
{
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size.cx;
}

// Where the label of column 0 starts within its cell: after indent, check box or state image, and icon.
int ListView::LabelLeft(int index) const
{
    int x = kListLabelPadding;
    int cx = 0, cy = 0;
    if (Valid(index) && smallImages_ && ImageList_GetIconSize(smallImages_, &cx, &cy))
        x += rows_[size_t(index)].indent * cx;
    if (exStyle_ & LVS_EX_CHECKBOXES)
        x += kListCheckSize;
    else if (stateImages_ && Valid(index) && (rows_[size_t(index)].state & LVIS_STATEIMAGEMASK) &&
             ImageList_GetIconSize(stateImages_, &cx, &cy))
        x += cx;
    if (smallImages_ && ImageList_GetIconSize(smallImages_, &cx, &cy))
        x += cx + kListLabelPadding;
    return x;
}

bool ListView::ItemRect(int index, int code, RECT& rect)
{
    if (!Valid(index))
        return false;
    const RECT area = ListArea();
    const int top = area.top + (index - top_) * RowHeight();
    const int left = Report() ? ColumnLeft(0) : -scrollX_;
    const int firstWidth = Report() ? ColumnWidth(0) : area.right;
    RECT row{Report() ? -scrollX_ : left, top, Report() ? TotalWidth() - scrollX_ : area.right, top + RowHeight()};
    const int labelLeft = left + LabelLeft(index);
    switch (code) {
    case LVIR_BOUNDS:
        rect = row;
        return true;
    case LVIR_ICON: {
        int cx = 0, cy = 0;
        const int iconWidth = smallImages_ && ImageList_GetIconSize(smallImages_, &cx, &cy) ? cx : 0;
        rect = RECT{labelLeft - iconWidth - (iconWidth ? kListLabelPadding : 0), top, labelLeft, row.bottom};
        return true;
    }
    case LVIR_LABEL:
        rect = RECT{labelLeft, top, left + firstWidth, row.bottom};
        if (!Report())
            rect.right = std::min(int(area.right), labelLeft + StringWidth(TextOf(index, 0)) + 2 * kListLabelPadding);
        return true;
    case LVIR_SELECTBOUNDS:
        rect = (exStyle_ & LVS_EX_FULLROWSELECT) ? row : RECT{left, top, left + firstWidth, row.bottom};
        return true;
    default:
        return false;
    }
}

bool ListView::SubItemRect(int index, int subItem, int code, RECT& rect)
{
    if (!Valid(index) || subItem < 0 || (Report() && subItem >= std::max(1, ColumnCount())))
        return false;
    if (subItem == 0)
        return ItemRect(index, code, rect);
    RECT row{};
    ItemRect(index, LVIR_BOUNDS, row);
    const int left = ColumnLeft(subItem);
    rect = RECT{left, row.top, left + ColumnWidth(subItem), row.bottom};
    return true;
}

int ListView::HitTest(POINT point, UINT& flags, int* subItem)
{
    if (subItem)
        *subItem = -1;
    const RECT area = ListArea();
    flags = 0;
    if (point.y < area.top)
        flags |= LVHT_ABOVE;
    else if (point.y >= area.bottom)
        flags |= LVHT_BELOW;
    if (point.x < area.left)
        flags |= LVHT_TOLEFT;
    else if (point.x >= area.right)
        flags |= LVHT_TORIGHT;
    if (flags)
        return -1;
    const int index = top_ + (point.y - area.top) / RowHeight();
    if (!Valid(index)) {
        flags = LVHT_NOWHERE;
        return -1;
    }
    const int column = Report() ? ColumnAt(point.x) : 0;
    if (subItem)
        *subItem = column;
    if (column > 0) {
        flags = LVHT_ONITEMLABEL;  // a sub-item counts as the label
        return index;
    }
    RECT label{}, icon{};
    ItemRect(index, LVIR_LABEL, label);
    ItemRect(index, LVIR_ICON, icon);
    if (point.x >= label.left && point.x < label.right)
        flags = LVHT_ONITEMLABEL;
    else if (point.x >= icon.left && point.x < icon.right && icon.right > icon.left)
        flags = LVHT_ONITEMICON;
    else if (point.x < icon.left && point.x >= (Report() ? ColumnLeft(0) : 0))
        flags = LVHT_ONITEMSTATEICON;
    else
        flags = LVHT_NOWHERE;
    return flags == LVHT_NOWHERE && !(exStyle_ & LVS_EX_FULLROWSELECT) ? -1 : index;
}

void ListView::SetTop(int index)
{
    const int maxTop = std::max(0, Count() - PageRows());
    index = std::clamp(index, 0, maxTop);
    if (index == top_)
        return;
    editor_.End(true);
    top_ = index;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBars();
}

void ListView::SetScrollX(int x)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    x = std::clamp(x, 0, std::max(0, TotalWidth() - int(client.right)));
    if (x == scrollX_)
        return;
    scrollX_ = x;
    Layout();
}

void ListView::EnsureVisible(int index)
{
    if (!Valid(index))
        return;
    if (index < top_)
        SetTop(index);
    else if (index >= top_ + PageRows())
        SetTop(index - PageRows() + 1);
}

void ListView::Layout()
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const bool showHeader = Report() && !(Style() & LVS_NOCOLUMNHEADER);
    if (showHeader) {
        RECT area = client;
        WINDOWPOS pos{};
        HDLAYOUT layout{&area, &pos};
        SendMessage(header_, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
        SetWindowPos(header_, nullptr, pos.x - scrollX_, pos.y, std::max(pos.cx + scrollX_, TotalWidth()), pos.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(header_, SW_HIDE);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBars();
}

void ListView::UpdateScrollBars()
{
    if (Style() & LVS_NOSCROLL)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = Count() - 1;
    info.nPage = UINT(PageRows());
    info.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
    if (Report()) {
        RECT client{};
        GetClientRect(hwnd_, &client);
        info.nMax = TotalWidth() - 1;
        info.nPage = UINT(std::max(0, int(client.right)));
        info.nPos = scrollX_;
        SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
    }
}

void ListView::OnScroll(int bar, UINT code)
{
    const bool vertical = bar == SB_VERT;
    const int line = vertical ? 1 : 16;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int page = vertical ? PageRows() : int(client.right);
    const int current = vertical ? top_ : scrollX_;
    int target = current;
    switch (code) {
    case SB_LINEUP:
        target -= line;
        break;
    case SB_LINEDOWN:
        target += line;
        break;
    case SB_PAGEUP:
        target -= page;
        break;
    case SB_PAGEDOWN:
        target += page;
        break;
    case SB_TOP:
        target = 0;
        break;
    case SB_BOTTOM:
        target = vertical ? Count() : TotalWidth();
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, bar, &info);
        target = info.nTrackPos;
        break;
    }
    default:
        return;
    }
    if (vertical)
        SetTop(target);
    else
        SetScrollX(target);
}

// ---------------------------------------------------------------------------------------------
// Input

void ListView::OnKeyDown(UINT vk)
{
    NMLVKEYDOWN key{};
    key.wVKey = WORD(vk);
    Notify(LVN_KEYDOWN, &key.hdr);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const int from = Valid(focused_) ? focused_ : -1;
    switch (vk) {
    case VK_UP:
        MoveFocus(from < 0 ? 0 : from - 1, shift, control);
        break;
    case VK_DOWN:
        MoveFocus(from + 1, shift, control);
        break;
    case VK_HOME:
        MoveFocus(0, shift, control);
        break;
    case VK_END:
        MoveFocus(Count() - 1, shift, control);
        break;
    case VK_PRIOR:
        MoveFocus(from - (PageRows() - 1), shift, control);
        break;
    case VK_NEXT:
        MoveFocus(from + (PageRows() - 1), shift, control);
        break;
    case VK_SPACE:
        if (!Valid(focused_))
            break;
        if (exStyle_ & LVS_EX_CHECKBOXES) {
            const UINT checked = (rows_[size_t(focused_)].state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
            SetState(focused_, INDEXTOSTATEIMAGEMASK(checked ? 1 : 2), LVIS_STATEIMAGEMASK);
        } else if (control) {
            SetState(focused_, (rows_[size_t(focused_)].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        } else {
            SetState(focused_, LVIS_SELECTED, LVIS_SELECTED);
        }
        break;
    case VK_F2:
        if (Valid(focused_) && (Style() & LVS_EDITLABELS))
            EditLabel(focused_);
        break;
    case VK_RETURN: {
        NMHDR header{};
        Notify(NM_RETURN, &header);
        if (Valid(focused_))
            NotifyActivate(LVN_ITEMACTIVATE, focused_, 0, POINT{});
        break;
    }
    default:
        break;
    }
}

void ListView::OnChar(UINT ch)
{
    if (ch <= ' ' || Count() == 0)
        return;
    const unsigned long long now = tw::ProcessClock::NowMs();
    if (now - lastChar_ > kListSearchResetMs)
        search_.clear();
    lastChar_ = now;
    search_ += char(ch);
    LVFINDINFO find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    find.psz = search_.c_str();
    const int start = search_.size() == 1 ? focused_ : focused_ - 1;
    const int found = FindItem(start, &find);
    if (found >= 0)
        MoveFocus(found, false, false);
}

void ListView::OnButtonDown(POINT point, WPARAM keys, bool right, bool doubleClick)
{
    editor_.End(true);
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    UINT flags = 0;
    int subItem = -1;
    int index = HitTest(point, flags, &subItem);
    if (Valid(index) && !Report() && !(flags & LVHT_ONITEM))
        index = -1;
    KillTimer(hwnd_, kListEditTimer);
    pendingEdit_ = -1;
    if (doubleClick) {
        NotifyActivate(right ? NM_RDBLCLK : NM_DBLCLK, index, subItem, point);
        if (!right && Valid(index))
            NotifyActivate(LVN_ITEMACTIVATE, index, subItem, point);
        return;
    }
    armed_ = true;
    const bool single = (Style() & LVS_SINGLESEL) != 0;
    // Without full-row select only the first column selects.
    if (!Valid(index) || (subItem > 0 && !(exStyle_ & LVS_EX_FULLROWSELECT))) {
        if (!(keys & (MK_CONTROL | MK_SHIFT)) || single)
            SetState(-1, 0, LVIS_SELECTED);
        return;
    }
    if ((exStyle_ & LVS_EX_CHECKBOXES) && !right && (flags & LVHT_ONITEMSTATEICON)) {
        const UINT checked = (rows_[size_t(index)].state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        SetState(index, INDEXTOSTATEIMAGEMASK(checked ? 1 : 2), LVIS_STATEIMAGEMASK);
        return;
    }
    pressedWasSelected_ = (rows_[size_t(index)].state & LVIS_SELECTED) && index == focused_;
    if ((keys & MK_CONTROL) && !single) {
        SetState(index, ((rows_[size_t(index)].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED) | LVIS_FOCUSED,
                 LVIS_SELECTED | LVIS_FOCUSED);
        selectionMark_ = index;
    } else if ((keys & MK_SHIFT) && !single) {
        MoveFocus(index, true, false);
    } else if (!right || !(rows_[size_t(index)].state & LVIS_SELECTED)) {
        SelectOnly(index);
        selectionMark_ = index;
    }
    pressed_ = index;
    pressPoint_ = point;
    pressRight_ = right;
    SetCapture(hwnd_);
}

void ListView::UpdateLabelTip(POINT point, WPARAM wParam, LPARAM lParam)
{
    if (!(exStyle_ & LVS_EX_LABELTIP))
        return;
    if (!labelTip_) {
        labelTip_ = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                   hwnd_, nullptr, nullptr, nullptr);
        TOOLINFO tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = hwnd_;
        tool.uId = 1;
        tool.lpszText = LPSTR_TEXTCALLBACK;
        SendMessage(labelTip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // The tool covers the cell under the mouse only while its text does not fit.
    RECT cell{};
    std::string text;
    UINT flags = 0;
    int subItem = -1;
    const int index = HitTest(point, flags, &subItem);
    if (Valid(index) && subItem >= 0 && editing_ < 0) {
        const int column = Report() ? subItem : 0;
        SubItemRect(index, column, column == 0 ? LVIR_LABEL : LVIR_BOUNDS, cell);
        text = TextOf(index, column < ColumnCount() ? columns_[size_t(column)].subItem : 0);
        const int margin = column == 0 ? 2 * kListLabelPadding : 2 * kListCellMargin;
        if (StringWidth(text) + margin <= cell.right - cell.left)
            cell = RECT{};
    }
    TOOLINFO tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = 1;
    tool.rect = cell;
    SendMessage(labelTip_, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&tool));
    labelTipText_ = IsRectEmpty(&cell) ? std::string() : text;
    MSG msg{hwnd_, WM_MOUSEMOVE, wParam, lParam, DWORD(GetMessageTime()), {}};
    SendMessage(labelTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void ListView::OnMouseMove(POINT point, WPARAM keys)
{
    if (!Valid(pressed_) || !(keys & (MK_LBUTTON | MK_RBUTTON)))
        return;
    if (std::abs(point.x - pressPoint_.x) < GetSystemMetrics(SM_CXDRAG) &&
        std::abs(point.y - pressPoint_.y) < GetSystemMetrics(SM_CYDRAG))
        return;
    const int index = pressed_;
    pressed_ = -1;
    ReleaseCapture();
    NotifyItem(pressRight_ ? LVN_BEGINRDRAG : LVN_BEGINDRAG, index, 0, 0, 0, 0, pressPoint_);
}

void ListView::OnButtonUp(POINT point, bool right)
{
    const int index = pressed_;
    const bool wasSelected = pressedWasSelected_;
    pressed_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    UINT flags = 0;
    int subItem = -1;
    const int hit = HitTest(point, flags, &subItem);
    NotifyActivate(right ? NM_RCLICK : NM_CLICK, hit, subItem, point);
    // A second click on the focused label edits it, unless it becomes a double click.
    if (!right && Valid(index) && hit == index && wasSelected && subItem <= 0 && (flags & LVHT_ONITEMLABEL) &&
        (Style() & LVS_EDITLABELS)) {
        pendingEdit_ = index;
        SetTimer(hwnd_, kListEditTimer, GetDoubleClickTime(), nullptr);
    }
}

HWND ListView::EditLabel(int index)
{
    if (!Valid(index) || editor_.Active())
        return nullptr;
    EnsureVisible(index);
    std::string text = TextOf(index, 0);
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    info.item.iItem = index;
    info.item.pszText = text.data();
    info.item.cchTextMax = int(text.size()) + 1;
    info.item.lParam = rows_[size_t(index)].lParam;
    info.item.state = rows_[size_t(index)].state;
    if (Notify(LVN_BEGINLABELEDIT, &info.hdr) || !Valid(index))
        return nullptr;
    RECT label{};
    ItemRect(index, LVIR_LABEL, label);
    label.right = std::max(label.right, label.left + StringWidth(text) + 24);
    editing_ = index;
    return editor_.Begin(hwnd_, label, text, font_, [this](const char* edited) { EndEdit(editing_, edited); });
}

void ListView::EndEdit(int index, const char* text)
{
    editing_ = -1;
    if (!Valid(index))
        return;
    std::string edited = text ? text : "";
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT | LVIF_PARAM;
    info.item.iItem = index;
    info.item.pszText = text ? edited.data() : nullptr;
    info.item.cchTextMax = text ? int(edited.size()) + 1 : 0;
    info.item.lParam = rows_[size_t(index)].lParam;
    if (Notify(LVN_ENDLABELEDIT, &info.hdr) && text && Valid(index))
        SetItemText(index, 0, edited.c_str());
}

LRESULT ListView::OnHeaderNotify(NMHDR* header)
{
    // The parent sees the header's notifications too, and may refuse a change.
    const LRESULT answer = SendMessage(GetParent(hwnd_), WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
    auto* nm = reinterpret_cast<NMHEADER*>(header);
    switch (header->code) {
    case HDN_ITEMCLICK:
        if (!(Style() & LVS_NOSORTHEADER))
            NotifyItem(LVN_COLUMNCLICK, -1, nm->iItem);
        break;
    case HDN_DIVIDERDBLCLICK:
        SetColumnWidth(nm->iItem, LVSCW_AUTOSIZE);
        break;
    case HDN_ITEMCHANGED:
    case HDN_TRACK:
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateScrollBars();
        break;
    default:
        break;
    }
    return answer;
}

// ---------------------------------------------------------------------------------------------
// Notifications and painting

LRESULT ListView::Notify(UINT code, NMHDR* header)
{
    return SendNotify(hwnd_, code, header);
}

LRESULT ListView::NotifyItem(UINT code, int index, int subItem, UINT newState, UINT oldState, UINT changed, POINT pt)
{
    NMLISTVIEW nm{};
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = pt;
    nm.lParam = Valid(index) ? rows_[size_t(index)].lParam : 0;
    return Notify(code, &nm.hdr);
}

LRESULT ListView::NotifyActivate(UINT code, int index, int subItem, POINT pt)
{
    NMITEMACTIVATE nm{};
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    nm.lParam = Valid(index) ? rows_[size_t(index)].lParam : 0;
    if (GetKeyState(VK_SHIFT) < 0)
        nm.uKeyFlags |= 0x0004;  // LVKF_SHIFT
    if (GetKeyState(VK_CONTROL) < 0)
        nm.uKeyFlags |= 0x0002;  // LVKF_CONTROL
    return Notify(code, &nm.hdr);
}

DWORD ListView::CustomDraw(HDC dc, DWORD stage, int index, int subItem, const RECT& rect, NMLVCUSTOMDRAW& info)
{
    info.nmcd.dwDrawStage = stage;
    info.nmcd.hdc = dc;
    info.nmcd.rc = rect;
    info.nmcd.dwItemSpec = DWORD_PTR(index < 0 ? 0 : index);
    info.nmcd.lItemlParam = Valid(index) ? rows_[size_t(index)].lParam : 0;
    info.iSubItem = subItem;
    return DWORD(Notify(NM_CUSTOMDRAW, &info.nmcd.hdr));
}

void ListView::PaintCell(HDC dc, int index, int column, const RECT& cell, COLORREF text, COLORREF back, bool selected)
{
    const Row& row = rows_[size_t(index)];
    const bool fullRow = (exStyle_ & LVS_EX_FULLROWSELECT) != 0;
    RECT textRect = cell;
    if (column == 0) {
        int x = cell.left + kListLabelPadding;
        int cx = 0, cy = 0;
        if (smallImages_ && ImageList_GetIconSize(smallImages_, &cx, &cy))
            x += row.indent * cx;
        const UINT stateIndex = (row.state & LVIS_STATEIMAGEMASK) >> 12;
        if (exStyle_ & LVS_EX_CHECKBOXES) {
            RECT box{x + 1, cell.top + (cell.bottom - cell.top - 13) / 2, x + 14, 0};
            box.bottom = box.top + 13;
            DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (stateIndex == 2 ? DFCS_CHECKED : 0));
            x += kListCheckSize;
        } else if (stateImages_ && stateIndex && ImageList_GetIconSize(stateImages_, &cx, &cy)) {
            ImageList_Draw(stateImages_, int(stateIndex), dc, x, cell.top + (cell.bottom - cell.top - cy) / 2,
                           ILD_TRANSPARENT);
            x += cx;
        }
        if (smallImages_ && ImageList_GetIconSize(smallImages_, &cx, &cy)) {
            const UINT style = ILD_TRANSPARENT | (row.state & LVIS_OVERLAYMASK) |
                               (selected && hasFocus_ ? ILD_SELECTED : 0) | ((row.state & LVIS_CUT) ? ILD_BLEND50 : 0);
            ImageList_Draw(smallImages_, ImageOf(index), dc, x, cell.top + (cell.bottom - cell.top - cy) / 2, style);
            x += cx + kListLabelPadding;
        }
        textRect.left = x;
    }
    const bool highlight = selected && (fullRow || column == 0);
    const std::string value = TextOf(index, column < ColumnCount() ? columns_[size_t(column)].subItem : 0);
    RECT fill = textRect;
    if (highlight && column == 0 && !fullRow)
        fill.right = std::min(fill.right, LONG(fill.left + StringWidth(value) + 2 * kListLabelPadding));
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &fill, brush);
    DeleteObject(brush);
    SetTextColor(dc, text);
    SetBkMode(dc, TRANSPARENT);
    UINT align = DT_LEFT;
    const int format = column < ColumnCount() ? columns_[size_t(column)].format & LVCFMT_JUSTIFYMASK : LVCFMT_LEFT;
    if (format == LVCFMT_RIGHT && column > 0)
        align = DT_RIGHT;
    else if (format == LVCFMT_CENTER && column > 0)
        align = DT_CENTER;
    RECT inner = textRect;
    inner.left += column == 0 ? kListLabelPadding : kListCellMargin;
    inner.right -= column == 0 ? kListLabelPadding : kListCellMargin;
    DrawText(dc, value.c_str(), int(value.size()), &inner,
             align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void ListView::PaintRow(HDC dc, int index, DWORD customDraw)
{
    RECT bounds{};
    ItemRect(index, LVIR_BOUNDS, bounds);
    const UINT rowState = rows_[size_t(index)].state;
    const bool selected = (rowState & LVIS_SELECTED) && (hasFocus_ || (Style() & LVS_SHOWSELALWAYS));
    NMLVCUSTOMDRAW info{};
    info.clrText = textColor_;
    info.clrTextBk = textBackground_ == CLR_NONE ? background_ : textBackground_;
    info.nmcd.uItemState = ((rowState & LVIS_SELECTED) ? CDIS_SELECTED : 0) |
                           (index == focused_ && hasFocus_ ? CDIS_FOCUS : 0);
    DWORD answer = CDRF_DODEFAULT;
    if (customDraw & CDRF_NOTIFYITEMDRAW) {
        answer = CustomDraw(dc, CDDS_ITEMPREPAINT, index, 0, bounds, info);
        if ((answer & CDRF_SKIPDEFAULT) || !Valid(index))
            return;  // also when the parent removed the item while asked
    }
    const COLORREF itemText = info.clrText;
    const COLORREF itemBack = info.clrTextBk;
    const int columns = Report() ? std::max(1, ColumnCount()) : 1;
    for (int column = 0; column < columns; ++column) {
        RECT cell{};
        SubItemRect(index, column, LVIR_BOUNDS, cell);
        if (column == 0 && Report())
            cell = RECT{ColumnLeft(0), bounds.top, ColumnLeft(0) + ColumnWidth(0), bounds.bottom};
        else if (!Report())
            cell = bounds;
        COLORREF text = itemText;
        COLORREF back = itemBack;
        if (answer & CDRF_NOTIFYSUBITEMDRAW) {
            info.clrText = itemText;
            info.clrTextBk = itemBack;
            const DWORD sub = CustomDraw(dc, CDDS_ITEMPREPAINT | CDDS_SUBITEM, index, column, cell, info);
            if (!Valid(index))
                return;
            if (sub & CDRF_SKIPDEFAULT)
                continue;
            text = info.clrText;
            back = info.clrTextBk;
        }
        const bool highlightCell = selected && ((exStyle_ & LVS_EX_FULLROWSELECT) || column == 0);
        if (highlightCell) {
            text = GetSysColor(hasFocus_ ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
            back = GetSysColor(hasFocus_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        }
        PaintCell(dc, index, column, cell, text, back, highlightCell);
    }
    if (index == focused_ && hasFocus_) {
        RECT focus{};
        ItemRect(index, (exStyle_ & LVS_EX_FULLROWSELECT) ? LVIR_BOUNDS : LVIR_LABEL, focus);
        if (!(exStyle_ & LVS_EX_FULLROWSELECT))
            focus.right = std::min(focus.right, LONG(focus.left + StringWidth(TextOf(index, 0)) + 2 * kListLabelPadding));
        DrawFocusRect(dc, &focus);
    }
    if (answer & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(dc, CDDS_ITEMPOSTPAINT, index, 0, bounds, info);
}

void ListView::Paint(HDC dc, const RECT& update)
{
    // The header paints itself; the rows stay below it.
    const RECT area = ListArea();
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    HBRUSH back = CreateSolidBrush(background_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : background_);
    FillRect(dc, &update, back);
    DeleteObject(back);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    NMLVCUSTOMDRAW info{};
    const DWORD customDraw = CustomDraw(dc, CDDS_PREPAINT, -1, 0, area, info);
    if (!(customDraw & CDRF_SKIPDEFAULT)) {
        for (int index = top_; index < Count() && (index - top_) * RowHeight() < area.bottom - area.top; ++index)
            PaintRow(dc, index, customDraw);
    }
    if ((exStyle_ & LVS_EX_GRIDLINES) && Report()) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const int right = std::min(TotalWidth() - scrollX_, int(area.right));
        for (int y = area.top + RowHeight() - 1; y < area.bottom; y += RowHeight()) {
            MoveToEx(dc, area.left, y, nullptr);
            LineTo(dc, right, y);
        }
        for (int i = 0; i < ColumnCount(); ++i) {
            const int x = ColumnLeft(i) + ColumnWidth(i) - 1;
            MoveToEx(dc, x, area.top, nullptr);
            LineTo(dc, x, area.bottom);
        }
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    if (customDraw & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(dc, CDDS_POSTPAINT, -1, 0, area, info);
    SelectObject(dc, oldFont);
}

LRESULT ListView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
    switch (message) {
    case WM_CREATE:
        header_ = CreateWindowEx(0, WC_HEADER, "",
                                 WS_CHILD | HDS_HORZ | ((Style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS), 0, 0, 0, 0,
                                 hwnd_, reinterpret_cast<HMENU>(UINT_PTR(kListHeaderId)), nullptr, nullptr);
        Layout();
        return header_ ? 0 : -1;
    case LVM_GETBKCOLOR:
        return background_;
    case LVM_SETBKCOLOR:
        background_ = COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return TRUE;
    case LVM_GETTEXTCOLOR:
        return textColor_;
    case LVM_SETTEXTCOLOR:
        textColor_ = COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return TRUE;
    case LVM_GETTEXTBKCOLOR:
        return textBackground_;
    case LVM_SETTEXTBKCOLOR:
        textBackground_ = COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return TRUE;
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == LVSIL_NORMAL ? normalImages_
                                         : wParam == LVSIL_SMALL ? smallImages_
                                                                 : stateImages_);
    case LVM_SETIMAGELIST: {
        HIMAGELIST* slot = wParam == LVSIL_NORMAL ? &normalImages_ : wParam == LVSIL_SMALL ? &smallImages_
                                                                                           : &stateImages_;
        HIMAGELIST old = *slot;
        *slot = reinterpret_cast<HIMAGELIST>(lParam);
        Layout();
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_GETITEMCOUNT:
        return Count();
    case LVM_GETITEM:
        return GetItem(reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEM:
        return SetItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_INSERTITEM:
        return InsertItem(reinterpret_cast<const LVITEM*>(lParam));
    case LVM_DELETEITEM:
        return DeleteItem(int(wParam));
    case LVM_DELETEALLITEMS:
        return DeleteAllItems();
    case LVM_GETNEXTITEM:
        return NextItem(int(wParam), UINT(LOWORD(lParam)));
    case LVM_FINDITEM:
        return FindItem(int(wParam), reinterpret_cast<const LVFINDINFO*>(lParam));
    case LVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        return rect && ItemRect(int(wParam), rect->left, *rect);
    }
    case LVM_GETSUBITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        return rect && SubItemRect(int(wParam), rect->top, rect->left, *rect);
    }
    case LVM_GETSTRINGWIDTH:
        return lParam ? StringWidth(reinterpret_cast<LPCSTR>(lParam)) : 0;
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        int subItem = -1;
        info->iItem = HitTest(info->pt, info->flags, &subItem);
        if (message == LVM_SUBITEMHITTEST)
            info->iSubItem = info->iItem >= 0 ? subItem : -1;
        return info->iItem;
    }
    case LVM_ENSUREVISIBLE:
        if (!Valid(int(wParam)))
            return FALSE;
        EnsureVisible(int(wParam));
        return TRUE;
    case LVM_SCROLL:
        SetScrollX(scrollX_ + int(wParam));
        SetTop(top_ + int(lParam) / RowHeight());
        return TRUE;
    case LVM_REDRAWITEMS:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return TRUE;
    case LVM_EDITLABEL:
        if (int(wParam) == -1) {
            editor_.End(false);
            return 0;
        }
        SetFocus(hwnd_);
        return reinterpret_cast<LRESULT>(EditLabel(int(wParam)));
    case LVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(editor_.Edit());
    case LVM_GETCOLUMN:
        return GetColumn(int(wParam), reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN:
        return SetColumn(int(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_INSERTCOLUMN:
        return InsertColumn(int(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN:
        return DeleteColumn(int(wParam));
    case LVM_GETCOLUMNWIDTH:
        return ColumnWidth(int(wParam));
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(int(wParam), short(LOWORD(lParam)));
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(header_);
    case LVM_GETTOPINDEX:
        return top_;
    case LVM_GETCOUNTPERPAGE:
        return PageRows();
    case LVM_SETITEMSTATE: {
        const auto* item = reinterpret_cast<const LVITEM*>(lParam);
        return item && SetState(int(wParam), item->state, item->stateMask);
    }
    case LVM_GETITEMSTATE:
        return Valid(int(wParam)) ? LRESULT(rows_[wParam].state & UINT(lParam)) : 0;
    case LVM_GETITEMTEXT: {
        auto* item = reinterpret_cast<LVITEM*>(lParam);
        if (!item || !Valid(int(wParam)))
            return 0;
        const std::string text = TextOf(int(wParam), item->iSubItem);
        CopyOut(text, item->pszText, item->cchTextMax);
        return item->pszText ? LRESULT(std::strlen(item->pszText)) : 0;
    }
    case LVM_SETITEMTEXT: {
        const auto* item = reinterpret_cast<const LVITEM*>(lParam);
        return item && SetItemText(int(wParam), item->iSubItem, item->pszText);
    }
    case LVM_SETITEMCOUNT:
        rows_.reserve(wParam);
        return TRUE;
    case LVM_SORTITEMS:
        return SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), LPARAM(wParam));
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.state & LVIS_SELECTED; });
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = exStyle_;
        const DWORD mask = wParam ? DWORD(wParam) : 0xFFFFFFFF;
        exStyle_ = (exStyle_ & ~mask) | (DWORD(lParam) & mask);
        if ((exStyle_ & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES)) {
            for (Row& row : rows_) {
                if (!(row.state & LVIS_STATEIMAGEMASK))
                    row.state |= INDEXTOSTATEIMAGEMASK(1);
            }
        }
        Layout();
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return exStyle_;
    case LVM_GETSELECTIONMARK:
        return selectionMark_;
    case LVM_SETSELECTIONMARK: {
        const int old = selectionMark_;
        selectionMark_ = int(lParam);
        return old;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->hwndFrom == header_)
            return OnHeaderNotify(header);
        if (header && header->hwndFrom == labelTip_ && header->code == TTN_GETDISPINFO)
            reinterpret_cast<NMTTDISPINFO*>(header)->lpszText = labelTipText_.data();
        return 0;
    }
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam));
        return 0;
    case WM_CHAR:
        OnChar(UINT(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        OnButtonDown(point, wParam, message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK,
                     message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        UpdateLabelTip(point, wParam, lParam);
        OnMouseMove(point, wParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (armed_)
            OnButtonUp(point, message == WM_RBUTTONUP);
        armed_ = false;
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = -1;
        return 0;
    case WM_TIMER:
        if (wParam == kListEditTimer) {
            KillTimer(hwnd_, kListEditTimer);
            const int index = pendingEdit_;
            pendingEdit_ = -1;
            if (Valid(index) && index == focused_ && GetFocus() == hwnd_)
                EditLabel(index);
        }
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        SetTop(top_ - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        hasFocus_ = message == WM_SETFOCUS;
        InvalidateRect(hwnd_, nullptr, TRUE);
        NMHDR header{};
        Notify(hasFocus_ ? NM_SETFOCUS : NM_KILLFOCUS, &header);
        return 0;
    }
    case WM_SIZE:
    case WM_STYLECHANGED:
        Layout();
        SetTop(top_);
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        SendMessage(header_, WM_SETFONT, wParam, lParam);
        Layout();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc, ps.rcPaint);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hwnd_, message, wParam, lParam);
    }
}

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<ListView>(kListProp, hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
