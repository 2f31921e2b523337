#include "platform/comctl/TreeView.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/comctl/ControlClasses.h"
#include "platform/win32/kernel/ProcessClock.h"

namespace tw::comctl {

namespace detail_tree {
constexpr const char* kTreeProp = "tw.comctl.treeview";
constexpr int kTreeLabelPadding = 2;
constexpr int kTreeButtonSize = 9;
constexpr unsigned kTreeSearchResetMs = 1000;
constexpr int kTreeTextBuffer = 260;
constexpr UINT_PTR kTreeEditTimer = 1;

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

void DottedLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    if (x1 == x2) {
        for (int y = std::min(y1, y2); y < std::max(y1, y2); y += 2)
            SetPixelV(dc, x1, y, colour);
    } else {
        for (int x = std::min(x1, x2); x < std::max(x1, x2); x += 2)
            SetPixelV(dc, x, y1, colour);
    }
}
}  // namespace detail_tree

using namespace detail_tree;

TreeView::TreeView(HWND hwnd) : hwnd_(hwnd)
{
    root_.state = TVIS_EXPANDED;
}

TreeView::~TreeView()
{
    editor_.End(false);
    for (Item* child : std::vector<Item*>(root_.children))
        DeleteItem(child, false);
}

// ---------------------------------------------------------------------------------------------
// The item tree

TreeView::Item* TreeView::FromHandle(HTREEITEM handle) const
{
    auto* item = reinterpret_cast<Item*>(handle);
    return live_.count(item) ? item : nullptr;
}

std::vector<TreeView::Item*>& TreeView::Siblings(Item* item)
{
    return item->parent->children;
}

size_t TreeView::Position(Item* item)
{
    auto& siblings = Siblings(item);
    if (item->positionHint < siblings.size() && siblings[item->positionHint] == item)
        return item->positionHint;
    const auto it = std::find(siblings.begin(), siblings.end(), item);
    item->positionHint = static_cast<size_t>(it - siblings.begin());
    return item->positionHint;
}

TreeView::Item* TreeView::NextSibling(Item* item)
{
    auto& siblings = Siblings(item);
    const size_t position = Position(item);
    if (position + 1 >= siblings.size())
        return nullptr;
    Item* next = siblings[position + 1];
    next->positionHint = position + 1;
    return next;
}

TreeView::Item* TreeView::PrevSibling(Item* item)
{
    auto& siblings = Siblings(item);
    const size_t position = Position(item);
    if (position == 0 || position >= siblings.size())
        return nullptr;
    Item* previous = siblings[position - 1];
    previous->positionHint = position - 1;
    return previous;
}

int TreeView::Level(const Item* item) const
{
    int level = 0;
    for (const Item* p = item->parent; p && p != &root_; p = p->parent)
        ++level;
    return level;
}

TreeView::Item* TreeView::Insert(const TVINSERTSTRUCT& insert)
{
    Item* parent = insert.hParent == TVI_ROOT || !insert.hParent ? &root_ : FromHandle(insert.hParent);
    if (!parent)
        return nullptr;
    auto item = std::make_unique<Item>();
    item->parent = parent;
    Store(item.get(), insert.item);
    Item* raw = item.release();
    auto& children = parent->children;
    auto where = children.end();
    if (insert.hInsertAfter == TVI_FIRST) {
        where = children.begin();
    } else if (insert.hInsertAfter == TVI_SORT) {
        const std::string text = raw->text;
        where = std::find_if(children.begin(), children.end(),
                             [&](Item* other) { return strcasecmp(TextOf(other).c_str(), text.c_str()) > 0; });
    } else if (insert.hInsertAfter != TVI_LAST) {
        Item* after = FromHandle(insert.hInsertAfter);
        auto it = std::find(children.begin(), children.end(), after);
        if (it != children.end())
            where = it + 1;  // an item that is no sibling puts the new one last
    }
    raw->positionHint = static_cast<size_t>(where - children.begin());
    children.insert(where, raw);
    live_.insert(raw);
    InvalidateLayout();
    return raw;
}

void TreeView::DeleteItem(Item* item, bool notify, bool bDetach)
{
    // The children go in order; none is taken out of the list one by one,
    // which would move the rest of a long list for each.
    const std::vector<Item*> children = std::move(item->children);
    item->children.clear();
    for (Item* child : children)
        DeleteItem(child, notify, false);
    if (notify)
        NotifyTree(TVN_DELETEITEM, 0, item, nullptr);
    if (bDetach) {
        auto& siblings = Siblings(item);
        const size_t position = Position(item);
        if (position < siblings.size())
            siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(position));
    }
    live_.erase(item);
    if (dropHighlight_ == item)
        dropHighlight_ = nullptr;
    if (selected_ == item)
        selected_ = nullptr;
    if (pressed_ == item)
        pressed_ = nullptr;
    if (pendingEdit_ == item)
        pendingEdit_ = nullptr;
    if (editing_ == item) {
        editing_ = nullptr;
        editor_.End(false);
    }
    delete item;
}

bool TreeView::Delete(HTREEITEM handle)
{
    if (!handle || handle == TVI_ROOT) {
        selected_ = nullptr;
        const std::vector<Item*> children = std::move(root_.children);
        root_.children.clear();
        for (Item* child : children)
            DeleteItem(child, true, false);
        top_ = 0;
        InvalidateLayout();
        return true;
    }
    Item* item = FromHandle(handle);
    if (!item)
        return false;
    // A selection inside the deleted branch moves to a neighbour first.
    bool selectionInside = false;
    for (Item* p = selected_; p; p = p->parent)
        selectionInside = selectionInside || p == item;
    if (selectionInside) {
        Item* next = NextSibling(item);
        if (!next)
            next = PrevSibling(item);
        if (!next && item->parent != &root_)
            next = item->parent;
        selected_ = nullptr;
        if (next)
            Select(next, TVC_UNKNOWN);
        else
            selected_ = nullptr;
    }
    DeleteItem(item, true);
    InvalidateLayout();
    return true;
}

bool TreeView::HasChildren(Item& item)
{
    if (!item.children.empty())
        return true;
    if (item.childrenFlag == I_CHILDRENCALLBACK) {
        NMTVDISPINFO info{};
        FillNotifyItem(&item, info.item, TVIF_CHILDREN);
        Notify(TVN_GETDISPINFO, &info.hdr);
        if (info.item.mask & TVIF_DI_SETITEM)
            item.childrenFlag = info.item.cChildren ? 1 : 0;
        return info.item.cChildren != 0;
    }
    return item.childrenFlag > 0;
}

void TreeView::SortChildren(Item* parent, PFNTVCOMPARE compare, LPARAM lParamSort, bool recurse)
{
    auto& children = parent->children;
    if (compare) {
        std::stable_sort(children.begin(), children.end(),
                         [&](Item* a, Item* b) { return compare(a->lParam, b->lParam, lParamSort) < 0; });
    } else {
        std::stable_sort(children.begin(), children.end(),
                         [&](Item* a, Item* b) { return strcasecmp(TextOf(a).c_str(), TextOf(b).c_str()) < 0; });
    }
    if (recurse) {
        for (Item* child : children)
            SortChildren(child, compare, lParamSort, true);
    }
    InvalidateLayout();
}

HTREEITEM TreeView::GetNext(UINT code, Item* item)
{
    const std::vector<Item*>& visible = Visible();
    switch (code) {
    case TVGN_ROOT:
        return root_.children.empty() ? nullptr : HandleOf(root_.children.front());
    case TVGN_CARET:
        return HandleOf(selected_);
    case TVGN_DROPHILITE:
        return HandleOf(dropHighlight_);
    case TVGN_FIRSTVISIBLE:
        return top_ < int(visible.size()) ? HandleOf(visible[size_t(top_)]) : nullptr;
    case TVGN_LASTVISIBLE:
        return visible.empty() ? nullptr : HandleOf(visible.back());
    default:
        break;
    }
    if (!item)
        return nullptr;
    switch (code) {
    case TVGN_NEXT:
        return HandleOf(NextSibling(item));
    case TVGN_PREVIOUS:
        return HandleOf(PrevSibling(item));
    case TVGN_PARENT:
        return item->parent == &root_ ? nullptr : HandleOf(item->parent);
    case TVGN_CHILD:
        return item->children.empty() ? nullptr : HandleOf(item->children.front());
    case TVGN_NEXTVISIBLE: {
        const int index = VisibleIndex(item);
        return index >= 0 && index + 1 < int(visible.size()) ? HandleOf(visible[size_t(index + 1)]) : nullptr;
    }
    case TVGN_PREVIOUSVISIBLE: {
        const int index = VisibleIndex(item);
        return index > 0 ? HandleOf(visible[size_t(index - 1)]) : nullptr;
    }
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------------
// Item data

void TreeView::Store(Item* item, const TVITEM& from)
{
    if (from.mask & TVIF_TEXT) {
        item->textCallback = from.pszText == LPSTR_TEXTCALLBACK;
        item->text = !item->textCallback && from.pszText ? from.pszText : "";
    }
    if (from.mask & TVIF_IMAGE)
        item->image = from.iImage;
    if (from.mask & TVIF_SELECTEDIMAGE)
        item->selectedImage = from.iSelectedImage;
    if (from.mask & TVIF_CHILDREN)
        item->childrenFlag = from.cChildren;
    if (from.mask & TVIF_PARAM)
        item->lParam = from.lParam;
    if (from.mask & TVIF_STATE) {
        // Selection and expansion are the control's to change.
        const UINT mask = from.stateMask & ~(TVIS_SELECTED | TVIS_EXPANDED | TVIS_DROPHILITED);
        item->state = (item->state & ~mask) | (from.state & mask);
        if (from.stateMask & TVIS_EXPANDED) {
            item->state = (item->state & ~TVIS_EXPANDED) | (from.state & TVIS_EXPANDED);
            InvalidateLayout();
        }
        if ((from.stateMask & TVIS_DROPHILITED) && live_.count(item))
            SetDropHighlight((from.state & TVIS_DROPHILITED) ? item : (dropHighlight_ == item ? nullptr
                                                                                              : dropHighlight_));
    }
}

void TreeView::FillNotifyItem(Item* item, TVITEM& out, UINT mask)
{
    out.mask = mask;
    out.hItem = HandleOf(item);
    out.state = item ? item->state : 0;
    out.stateMask = 0xFFFF;
    out.lParam = item ? item->lParam : 0;
    out.iImage = item ? item->image : 0;
    out.iSelectedImage = item ? item->selectedImage : 0;
    out.cChildren = item ? item->childrenFlag : 0;
}

std::string TreeView::TextOf(Item* item)
{
    if (!item->textCallback)
        return item->text;
    char buffer[kTreeTextBuffer] = {};
    NMTVDISPINFO info{};
    FillNotifyItem(item, info.item, TVIF_TEXT);
    info.item.pszText = buffer;
    info.item.cchTextMax = kTreeTextBuffer;
    Notify(TVN_GETDISPINFO, &info.hdr);
    std::string text = info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK ? info.item.pszText : "";
    if (info.item.mask & TVIF_DI_SETITEM) {
        item->textCallback = false;
        item->text = text;
    }
    return text;
}

int TreeView::ImageOf(Item* item, bool selected)
{
    const int image = selected ? item->selectedImage : item->image;
    if (image != I_IMAGECALLBACK)
        return image;
    NMTVDISPINFO info{};
    FillNotifyItem(item, info.item, selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE);
    Notify(TVN_GETDISPINFO, &info.hdr);
    const int answer = selected ? info.item.iSelectedImage : info.item.iImage;
    if (info.item.mask & TVIF_DI_SETITEM)
        (selected ? item->selectedImage : item->image) = answer;
    return answer;
}

bool TreeView::GetItem(TVITEM* out)
{
    Item* item = out ? FromHandle(out->hItem) : nullptr;
    if (!item)
        return false;
    if ((out->mask & TVIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        const std::string text = TextOf(item);
        const size_t count = std::min(text.size(), size_t(out->cchTextMax - 1));
        std::memcpy(out->pszText, text.data(), count);
        out->pszText[count] = '\0';
    }
    if (out->mask & TVIF_IMAGE)
        out->iImage = ImageOf(item, false);
    if (out->mask & TVIF_SELECTEDIMAGE)
        out->iSelectedImage = ImageOf(item, true);
    if (out->mask & TVIF_CHILDREN)
        out->cChildren = item->childrenFlag == I_CHILDRENCALLBACK ? (HasChildren(*item) ? 1 : 0)
                                                                 : (item->children.empty() ? item->childrenFlag : 1);
    if (out->mask & TVIF_PARAM)
        out->lParam = item->lParam;
    if (out->mask & TVIF_STATE)
        out->state = item->state & out->stateMask;
    return true;
}

bool TreeView::SetItem(const TVITEM* in)
{
    Item* item = in ? FromHandle(in->hItem) : nullptr;
    if (!item)
        return false;
    Store(item, *in);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Expansion and selection

bool TreeView::Expand(Item* item, UINT action, bool byUser)
{
    if (!item)
        return false;
    const UINT kind = action & TVE_ACTIONMASK;
    const bool expanded = (item->state & TVIS_EXPANDED) != 0;
    const bool wantExpanded = kind == TVE_EXPAND || (kind == TVE_TOGGLE && !expanded);
    if (kind == 0 || !HasChildren(*item))
        return false;
    if (wantExpanded == expanded && !(action & TVE_COLLAPSERESET))
        return false;
    // Messages notify only until the item has once been expanded; the user always.
    const bool notify = byUser || !(item->state & TVIS_EXPANDEDONCE) || (action & TVE_COLLAPSERESET);
    const UINT notifyAction = wantExpanded ? TVE_EXPAND : TVE_COLLAPSE;
    if (notify && NotifyTree(TVN_ITEMEXPANDING, notifyAction, nullptr, item))
        return false;
    if (!live_.count(item))
        return false;  // the parent deleted it while asked
    if (wantExpanded) {
        item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    } else {
        item->state &= ~TVIS_EXPANDED;
        // A selection that the collapse hides moves up to the collapsed item.
        bool selectionInside = false;
        for (Item* p = selected_ ? selected_->parent : nullptr; p; p = p->parent)
            selectionInside = selectionInside || p == item;
        if (action & TVE_COLLAPSERESET) {
            item->state &= ~TVIS_EXPANDEDONCE;
            for (Item* child : std::vector<Item*>(item->children))
                DeleteItem(child, true);
        }
        if (selectionInside)
            Select(item, byUser ? TVC_BYKEYBOARD : TVC_UNKNOWN);
    }
    InvalidateLayout();
    if (notify)
        NotifyTree(TVN_ITEMEXPANDED, notifyAction, nullptr, item);
    return true;
}

bool TreeView::Select(Item* item, UINT cause)
{
    if (item == selected_)
        return true;
    if (NotifyTree(TVN_SELCHANGING, cause, selected_, item))
        return false;
    if (item && !live_.count(item))
        return false;  // the parent deleted it while asked
    Item* old = selected_;
    if (old && live_.count(old))
        old->state &= ~TVIS_SELECTED;
    selected_ = item;
    if (item)
        item->state |= TVIS_SELECTED;
    if (item)
        EnsureVisible(item);
    InvalidateRect(hwnd_, nullptr, TRUE);
    NotifyTree(TVN_SELCHANGED, cause, old && live_.count(old) ? old : nullptr, item);
    return true;
}

bool TreeView::SetDropHighlight(Item* item)
{
    if (dropHighlight_ && live_.count(dropHighlight_))
        dropHighlight_->state &= ~TVIS_DROPHILITED;
    dropHighlight_ = item;
    if (item)
        item->state |= TVIS_DROPHILITED;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

void TreeView::EnsureVisible(Item* item)
{
    for (Item* p = item->parent; p && p != &root_; p = p->parent) {
        if (!(p->state & TVIS_EXPANDED))
            Expand(p, TVE_EXPAND, false);
    }
    const int index = VisibleIndex(item);
    if (index < 0)
        return;
    if (index < top_)
        SetTop(index);
    else if (index >= top_ + PageRows())
        SetTop(index - PageRows() + 1);
}

// ---------------------------------------------------------------------------------------------
// Layout

void TreeView::InvalidateLayout()
{
    visibleDirty_ = true;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBar();
}

const std::vector<TreeView::Item*>& TreeView::Visible()
{
    if (!visibleDirty_)
        return visible_;
    visible_.clear();
    std::vector<Item*> stack(root_.children.rbegin(), root_.children.rend());
    while (!stack.empty()) {
        Item* item = stack.back();
        stack.pop_back();
        visible_.push_back(item);
        if (item->state & TVIS_EXPANDED)
            stack.insert(stack.end(), item->children.rbegin(), item->children.rend());
    }
    visibleDirty_ = false;
    return visible_;
}

int TreeView::VisibleIndex(Item* item)
{
    const auto& visible = Visible();
    auto it = std::find(visible.begin(), visible.end(), item);
    return it == visible.end() ? -1 : int(it - visible.begin());
}

int TreeView::RowHeight() const
{
    if (itemHeight_ > 0)
        return itemHeight_;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    int height = tm.tmHeight + 3;
    int cx = 0, cy = 0;
    if (images_ && ImageList_GetIconSize(images_, &cx, &cy))
        height = std::max(height, cy + 1);
    if (stateImages_ && ImageList_GetIconSize(stateImages_, &cx, &cy))
        height = std::max(height, cy + 1);
    return height;
}

int TreeView::PageRows() const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    return std::max(1, int(client.bottom / RowHeight()));
}

int TreeView::ItemLeft(Item* item) const
{
    const bool rootColumn = (Style() & TVS_LINESATROOT) && (Style() & (TVS_HASLINES | TVS_HASBUTTONS));
    return indent_ * (Level(item) + (rootColumn ? 1 : 0));
}

int TreeView::LabelWidth(Item* item)
{
    const std::string text = TextOf(item);
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return size.cx + 2 * kTreeLabelPadding;
}

bool TreeView::ItemRect(Item* item, bool textOnly, RECT& rect)
{
    const int index = VisibleIndex(item);
    if (index < 0)
        return false;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int top = (index - top_) * RowHeight();
    rect = RECT{0, top, client.right, top + RowHeight()};
    if (!textOnly)
        return true;
    int x = ItemLeft(item);
    int cx = 0, cy = 0;
    if (stateImages_ && (item->state & TVIS_STATEIMAGEMASK) && ImageList_GetIconSize(stateImages_, &cx, &cy))
        x += cx;
    if (images_ && ImageList_GetIconSize(images_, &cx, &cy))
        x += cx + 1;
    rect.left = x;
    rect.right = x + LabelWidth(item);
    return true;
}

TreeView::Item* TreeView::HitTest(POINT point, UINT& flags)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    flags = 0;
    if (point.x < 0)
        flags |= TVHT_TOLEFT;
    else if (point.x >= client.right)
        flags |= TVHT_TORIGHT;
    if (point.y < 0)
        flags |= TVHT_ABOVE;
    else if (point.y >= client.bottom)
        flags |= TVHT_BELOW;
    if (flags)
        return nullptr;
    const int index = top_ + point.y / RowHeight();
    const auto& visible = Visible();
    if (index >= int(visible.size())) {
        flags = TVHT_NOWHERE;
        return nullptr;
    }
    Item* item = visible[size_t(index)];
    const int left = ItemLeft(item);
    int x = left;
    int cx = 0, cy = 0;
    if (point.x < left) {
        const bool onButton = (Style() & TVS_HASBUTTONS) && point.x >= left - indent_ && HasChildren(*item) &&
                              (item->parent != &root_ || (Style() & TVS_LINESATROOT));
        flags = onButton ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
        return item;
    }
    if (stateImages_ && (item->state & TVIS_STATEIMAGEMASK) && ImageList_GetIconSize(stateImages_, &cx, &cy)) {
        if (point.x < x + cx) {
            flags = TVHT_ONITEMSTATEICON;
            return item;
        }
        x += cx;
    }
    if (images_ && ImageList_GetIconSize(images_, &cx, &cy)) {
        if (point.x < x + cx + 1) {
            flags = TVHT_ONITEMICON;
            return item;
        }
        x += cx + 1;
    }
    flags = point.x < x + LabelWidth(item) ? TVHT_ONITEMLABEL : TVHT_ONITEMRIGHT;
    return item;
}

void TreeView::SetTop(int index)
{
    const int maxTop = std::max(0, int(Visible().size()) - PageRows());
    index = std::clamp(index, 0, maxTop);
    if (index == top_)
        return;
    top_ = index;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateScrollBar();
}

void TreeView::UpdateScrollBar()
{
    if (Style() & TVS_NOSCROLL)
        return;
    scrollBarStale_ = redrawOff_;
    if (redrawOff_)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = int(Visible().size()) - 1;
    info.nPage = UINT(PageRows());
    info.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

void TreeView::OnVScroll(UINT code)
{
    switch (code) {
    case SB_LINEUP:
        SetTop(top_ - 1);
        break;
    case SB_LINEDOWN:
        SetTop(top_ + 1);
        break;
    case SB_PAGEUP:
        SetTop(top_ - PageRows());
        break;
    case SB_PAGEDOWN:
        SetTop(top_ + PageRows());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_VERT, &info);
        SetTop(info.nTrackPos);
        break;
    }
    case SB_TOP:
        SetTop(0);
        break;
    case SB_BOTTOM:
        SetTop(int(Visible().size()));
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Input

void TreeView::OnKeyDown(UINT vk)
{
    NMTVKEYDOWN key{};
    key.wVKey = WORD(vk);
    if (Notify(TVN_KEYDOWN, &key.hdr))
        return;
    const auto& visible = Visible();
    if (visible.empty())
        return;
    const int index = selected_ ? VisibleIndex(selected_) : -1;
    auto selectAt = [&](int at) {
        at = std::clamp(at, 0, int(Visible().size()) - 1);
        Select(Visible()[size_t(at)], TVC_BYKEYBOARD);
    };
    switch (vk) {
    case VK_UP:
        selectAt(index < 0 ? 0 : index - 1);
        break;
    case VK_DOWN:
        selectAt(index + 1);
        break;
    case VK_HOME:
        selectAt(0);
        break;
    case VK_END:
        selectAt(int(visible.size()) - 1);
        break;
    case VK_PRIOR:
        selectAt(index - (PageRows() - 1));
        break;
    case VK_NEXT:
        selectAt(index + (PageRows() - 1));
        break;
    case VK_LEFT:
        if (!selected_)
            break;
        if ((selected_->state & TVIS_EXPANDED) && HasChildren(*selected_))
            Expand(selected_, TVE_COLLAPSE, true);
        else if (selected_->parent != &root_)
            Select(selected_->parent, TVC_BYKEYBOARD);
        break;
    case VK_RIGHT:
        if (!selected_)
            break;
        if (!(selected_->state & TVIS_EXPANDED) && HasChildren(*selected_))
            Expand(selected_, TVE_EXPAND, true);
        else if (!selected_->children.empty())
            Select(selected_->children.front(), TVC_BYKEYBOARD);
        break;
    case VK_ADD:
    case VK_OEM_PLUS:
        if (selected_)
            Expand(selected_, TVE_EXPAND, true);
        break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        if (selected_)
            Expand(selected_, TVE_COLLAPSE, true);
        break;
    case VK_MULTIPLY:
        if (selected_) {
            std::vector<Item*> stack{selected_};
            while (!stack.empty()) {
                Item* item = stack.back();
                stack.pop_back();
                Expand(item, TVE_EXPAND, true);
                if (live_.count(item))
                    stack.insert(stack.end(), item->children.begin(), item->children.end());
            }
        }
        break;
    case VK_F2:
        if (selected_ && (Style() & TVS_EDITLABELS))
            EditLabel(selected_);
        break;
    case VK_RETURN:
        NotifySimple(NM_RETURN);
        break;
    default:
        break;
    }
}

void TreeView::OnChar(UINT ch)
{
    // "+", "-" and "*" were keys already; control characters search nothing.
    if (ch < ' ' || ch == '+' || ch == '-' || ch == '*')
        return;
    const unsigned long long now = tw::ProcessClock::NowMs();
    if (now - lastChar_ > kTreeSearchResetMs)
        search_.clear();
    lastChar_ = now;
    search_ += char(ch);
    const auto& visible = Visible();
    if (visible.empty())
        return;
    const int start = selected_ ? VisibleIndex(selected_) : -1;
    // A new search starts after the selection; a longer prefix may stay on it.
    const int first = search_.size() == 1 ? start + 1 : std::max(start, 0);
    for (size_t n = 0; n < visible.size(); ++n) {
        Item* item = Visible()[(size_t(first) + n) % Visible().size()];
        if (StartsWithNoCase(TextOf(item), search_)) {
            Select(item, TVC_BYKEYBOARD);
            return;
        }
    }
}

void TreeView::OnButtonDown(POINT point, bool right)
{
    editor_.End(true);
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    UINT flags = 0;
    Item* item = HitTest(point, flags);
    if (!item)
        return;
    if (!right && (flags & TVHT_ONITEMBUTTON)) {
        Expand(item, TVE_TOGGLE, true);
        return;
    }
    const bool onItem = (flags & TVHT_ONITEM) || ((Style() & TVS_FULLROWSELECT) && (flags & TVHT_ONITEMRIGHT));
    if (!onItem)
        return;
    pressed_ = item;
    pressPoint_ = point;
    pressRight_ = right;
    pressedWasSelected_ = item == selected_;
    SetCapture(hwnd_);
    if (!right)
        Select(item, TVC_BYMOUSE);
}

void TreeView::OnMouseMove(POINT point, WPARAM keys)
{
    if (!pressed_ || !(keys & (MK_LBUTTON | MK_RBUTTON)))
        return;
    if (std::abs(point.x - pressPoint_.x) < GetSystemMetrics(SM_CXDRAG) &&
        std::abs(point.y - pressPoint_.y) < GetSystemMetrics(SM_CYDRAG))
        return;
    Item* item = pressed_;
    pressed_ = nullptr;
    ReleaseCapture();
    if (!(Style() & TVS_DISABLEDRAGDROP))
        NotifyTree(pressRight_ ? TVN_BEGINRDRAG : TVN_BEGINDRAG, 0, nullptr, item, pressPoint_);
}

void TreeView::OnButtonUp(POINT point, bool right)
{
    Item* item = pressed_;
    const bool wasSelected = pressedWasSelected_;
    pressed_ = nullptr;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (right) {
        // As the system's tree does: a right click the parent leaves unhandled
        // asks for a context menu at the click, which goes up to the parent
        // unless the tree's own window procedure answers it.
        if (NotifySimple(NM_RCLICK) == 0 && IsWindow(hwnd_)) {
            POINT screen = point;
            ClientToScreen(hwnd_, &screen);
            SendMessage(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(screen.x, screen.y));
        }
        return;
    }
    if (NotifySimple(NM_CLICK) || !item || !live_.count(item))
        return;
    // A second click on the selected label starts editing it.
    UINT flags = 0;
    if (wasSelected && (Style() & TVS_EDITLABELS) && HitTest(point, flags) == item && (flags & TVHT_ONITEMLABEL)) {
        pendingEdit_ = item;
        SetTimer(hwnd_, kTreeEditTimer, GetDoubleClickTime(), nullptr);
    }
}

void TreeView::OnDoubleClick(POINT point)
{
    KillTimer(hwnd_, kTreeEditTimer);
    pendingEdit_ = nullptr;
    editor_.End(true);
    if (NotifySimple(NM_DBLCLK))
        return;
    UINT flags = 0;
    Item* item = HitTest(point, flags);
    if (item && (flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)))
        Expand(item, TVE_TOGGLE, true);
}

HWND TreeView::EditLabel(Item* item)
{
    if (!item || editor_.Active())
        return nullptr;
    if (item != selected_)
        Select(item, TVC_UNKNOWN);
    EnsureVisible(item);
    NMTVDISPINFO info{};
    FillNotifyItem(item, info.item, TVIF_HANDLE | TVIF_PARAM | TVIF_STATE | TVIF_TEXT);
    std::string text = TextOf(item);
    info.item.pszText = text.data();
    info.item.cchTextMax = int(text.size()) + 1;
    if (Notify(TVN_BEGINLABELEDIT, &info.hdr) || !live_.count(item))
        return nullptr;
    RECT rect{};
    ItemRect(item, true, rect);
    RECT client{};
    GetClientRect(hwnd_, &client);
    rect.right = std::max(rect.right + 20, std::min(int(client.right), int(rect.left + 120)));
    editing_ = item;
    return editor_.Begin(hwnd_, rect, text, font_, [this, item](const char* edited) { EndEdit(item, edited); });
}

void TreeView::EndEdit(Item* item, const char* text)
{
    editing_ = nullptr;
    if (!live_.count(item))
        return;
    std::string edited = text ? text : "";
    NMTVDISPINFO info{};
    FillNotifyItem(item, info.item, TVIF_HANDLE | TVIF_PARAM | TVIF_TEXT);
    info.item.pszText = text ? edited.data() : nullptr;
    info.item.cchTextMax = text ? int(edited.size()) + 1 : 0;
    const LRESULT accepted = Notify(TVN_ENDLABELEDIT, &info.hdr);
    if (text && accepted && live_.count(item)) {
        item->textCallback = false;
        item->text = edited;
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

// ---------------------------------------------------------------------------------------------
// Notifications and painting

LRESULT TreeView::Notify(UINT code, NMHDR* header)
{
    return SendNotify(hwnd_, code, header);
}

LRESULT TreeView::NotifySimple(UINT code)
{
    NMHDR header{};
    return Notify(code, &header);
}

LRESULT TreeView::NotifyTree(UINT code, UINT action, Item* oldItem, Item* newItem, POINT pt)
{
    NMTREEVIEW nm{};
    nm.action = action;
    const UINT mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
    if (oldItem)
        FillNotifyItem(oldItem, nm.itemOld, mask);
    if (newItem)
        FillNotifyItem(newItem, nm.itemNew, mask);
    nm.ptDrag = pt;
    return Notify(code, &nm.hdr);
}

DWORD TreeView::CustomDraw(HDC dc, DWORD stage, Item* item, const RECT& rect, NMTVCUSTOMDRAW& info)
{
    info.nmcd.dwDrawStage = stage;
    info.nmcd.hdc = dc;
    info.nmcd.rc = rect;
    info.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(HandleOf(item));
    info.nmcd.lItemlParam = item ? item->lParam : 0;
    info.iLevel = item ? Level(item) : 0;
    return DWORD(Notify(NM_CUSTOMDRAW, &info.nmcd.hdr));
}

void TreeView::PaintLinesAndButton(HDC dc, Item* item, const RECT& row)
{
    const DWORD style = Style();
    const bool atRoot = item->parent == &root_;
    if (atRoot && !(style & TVS_LINESATROOT))
        return;
    const int centreX = ItemLeft(item) - indent_ / 2;
    const int centreY = (row.top + row.bottom) / 2;
    const COLORREF lineColour = GetSysColor(COLOR_GRAYTEXT);
    if (style & TVS_HASLINES) {
        const bool first = !PrevSibling(item) && atRoot;
        DottedLine(dc, centreX, first ? centreY : row.top, centreX, NextSibling(item) ? row.bottom : centreY + 1,
                   lineColour);
        DottedLine(dc, centreX, centreY, centreX + indent_ / 2, centreY, lineColour);
        // The lines of ancestors that have later siblings pass through this row.
        int x = centreX - indent_;
        for (Item* p = item->parent; p && p != &root_; p = p->parent, x -= indent_) {
            if (NextSibling(p))
                DottedLine(dc, x, row.top, x, row.bottom, lineColour);
        }
    }
    if ((style & TVS_HASBUTTONS) && HasChildren(*item)) {
        RECT box{centreX - kTreeButtonSize / 2, centreY - kTreeButtonSize / 2, centreX + kTreeButtonSize / 2 + 1,
                 centreY + kTreeButtonSize / 2 + 1};
        FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT bar{centreX - 2, centreY, centreX + 3, centreY + 1};
        FillRect(dc, &bar, GetSysColorBrush(COLOR_WINDOWTEXT));
        if (!(item->state & TVIS_EXPANDED)) {
            RECT stem{centreX, centreY - 2, centreX + 1, centreY + 3};
            FillRect(dc, &stem, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    }
}

void TreeView::PaintItem(HDC dc, Item* item, int row, DWORD customDraw)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const RECT rowRect{0, row * RowHeight(), client.right, (row + 1) * RowHeight()};
    const bool selected = item == selected_;
    const bool showSelection = selected && (hasFocus_ || (Style() & TVS_SHOWSELALWAYS));
    const bool highlighted = item == dropHighlight_ || (showSelection && !dropHighlight_);

    NMTVCUSTOMDRAW info{};
    info.clrText = highlighted ? GetSysColor(hasFocus_ || item == dropHighlight_ ? COLOR_HIGHLIGHTTEXT
                                                                                   : COLOR_BTNTEXT)
                               : (textColor_ == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : textColor_);
    info.clrTextBk = highlighted ? GetSysColor(hasFocus_ || item == dropHighlight_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE)
                                 : (background_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : background_);
    info.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) | (selected && hasFocus_ ? CDIS_FOCUS : 0);
    DWORD answer = CDRF_DODEFAULT;
    if (customDraw & CDRF_NOTIFYITEMDRAW) {
        answer = CustomDraw(dc, CDDS_ITEMPREPAINT, item, rowRect, info);
        if (answer & CDRF_SKIPDEFAULT)
            return;
    }
    PaintLinesAndButton(dc, item, rowRect);
    int x = ItemLeft(item);
    int cx = 0, cy = 0;
    const UINT stateImage = (item->state & TVIS_STATEIMAGEMASK) >> 12;
    if (stateImages_ && stateImage && ImageList_GetIconSize(stateImages_, &cx, &cy)) {
        ImageList_Draw(stateImages_, int(stateImage), dc, x, rowRect.top + (RowHeight() - cy) / 2, ILD_TRANSPARENT);
        x += cx;
    }
    if (images_ && ImageList_GetIconSize(images_, &cx, &cy)) {
        const UINT overlay = item->state & TVIS_OVERLAYMASK;
        ImageList_Draw(images_, ImageOf(item, selected), dc, x, rowRect.top + (RowHeight() - cy) / 2,
                       ILD_TRANSPARENT | overlay | (item->state & TVIS_CUT ? ILD_BLEND50 : 0));
        x += cx + 1;
    }
    const std::string text = TextOf(item);
    RECT label{x, rowRect.top, x + LabelWidth(item), rowRect.bottom};
    if (Style() & TVS_FULLROWSELECT)
        label.right = client.right;
    HBRUSH back = CreateSolidBrush(info.clrTextBk);
    FillRect(dc, &label, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, info.clrText);
    HGDIOBJ oldFont = nullptr;
    if (item->state & TVIS_BOLD) {
        LOGFONT lf{};
        GetObject(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
        lf.lfWeight = FW_BOLD;
        oldFont = SelectObject(dc, CreateFontIndirect(&lf));
    }
    RECT textRect{label.left + kTreeLabelPadding, label.top, label.right - kTreeLabelPadding, label.bottom};
    DrawText(dc, text.c_str(), int(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (oldFont)
        DeleteObject(SelectObject(dc, oldFont));
    if (selected && hasFocus_)
        DrawFocusRect(dc, &label);
    if (answer & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(dc, CDDS_ITEMPOSTPAINT, item, rowRect, info);
}

void TreeView::Paint(HDC dc, const RECT& update)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    HBRUSH back = CreateSolidBrush(background_ == CLR_NONE ? GetSysColor(COLOR_WINDOW) : background_);
    FillRect(dc, &update, back);
    DeleteObject(back);
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    NMTVCUSTOMDRAW info{};
    const DWORD customDraw = CustomDraw(dc, CDDS_PREPAINT, nullptr, client, info);
    if (!(customDraw & CDRF_SKIPDEFAULT)) {
        const auto visible = Visible();
        for (int row = 0; top_ + row < int(visible.size()) && row * RowHeight() < client.bottom; ++row)
            PaintItem(dc, visible[size_t(top_ + row)], row, customDraw);
    }
    if (customDraw & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(dc, CDDS_POSTPAINT, nullptr, client, info);
    SelectObject(dc, oldFont);
}

LRESULT TreeView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
    switch (message) {
    case TVM_INSERTITEM: {
        const auto* insert = reinterpret_cast<const TVINSERTSTRUCT*>(lParam);
        return insert ? reinterpret_cast<LRESULT>(HandleOf(Insert(*insert))) : 0;
    }
    case TVM_DELETEITEM:
        return Delete(reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND:
        return Expand(FromHandle(reinterpret_cast<HTREEITEM>(lParam)), UINT(wParam), false);
    case TVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        Item* item = rect ? FromHandle(*reinterpret_cast<HTREEITEM*>(rect)) : nullptr;
        return item && ItemRect(item, wParam != 0, *rect);
    }
    case TVM_GETCOUNT:
        return LRESULT(live_.size());
    case TVM_GETINDENT:
        return indent_;
    case TVM_SETINDENT:
        indent_ = std::max(int(wParam), 4);
        InvalidateLayout();
        return 0;
    case TVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == TVSIL_STATE ? stateImages_ : images_);
    case TVM_SETIMAGELIST: {
        HIMAGELIST& slot = wParam == TVSIL_STATE ? stateImages_ : images_;
        HIMAGELIST old = slot;
        slot = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateLayout();
        return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM:
        return reinterpret_cast<LRESULT>(GetNext(UINT(wParam), FromHandle(reinterpret_cast<HTREEITEM>(lParam))));
    case TVM_SELECTITEM: {
        auto handle = reinterpret_cast<HTREEITEM>(lParam);
        Item* item = FromHandle(handle);
        if (handle && !item)
            return FALSE;
        switch (wParam) {
        case TVGN_CARET:
            return Select(item, TVC_UNKNOWN);
        case TVGN_DROPHILITE:
            return SetDropHighlight(item);
        case TVGN_FIRSTVISIBLE:
            if (item) {
                EnsureVisible(item);
                SetTop(VisibleIndex(item));
            }
            return item != nullptr;
        default:
            return FALSE;
        }
    }
    case TVM_GETITEM:
        return GetItem(reinterpret_cast<TVITEM*>(lParam));
    case TVM_SETITEM:
        return SetItem(reinterpret_cast<const TVITEM*>(lParam));
    case TVM_GETITEMSTATE: {
        Item* item = FromHandle(reinterpret_cast<HTREEITEM>(wParam));
        return item ? LRESULT(item->state & UINT(lParam)) : 0;
    }
    case TVM_EDITLABEL:
        return reinterpret_cast<LRESULT>(EditLabel(FromHandle(reinterpret_cast<HTREEITEM>(lParam))));
    case TVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(editor_.Edit());
    case TVM_ENDEDITLABELNOW:
        editor_.End(wParam == 0);
        return TRUE;
    case TVM_GETVISIBLECOUNT:
        return PageRows();
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        if (!info)
            return 0;
        info->hItem = HandleOf(HitTest(info->pt, info->flags));
        return reinterpret_cast<LRESULT>(info->hItem);
    }
    case TVM_SORTCHILDREN: {
        auto handle = reinterpret_cast<HTREEITEM>(lParam);
        Item* parent = !handle || handle == TVI_ROOT ? &root_ : FromHandle(handle);
        if (!parent)
            return FALSE;
        SortChildren(parent, nullptr, 0, wParam != 0);
        return TRUE;
    }
    case TVM_SORTCHILDRENCB: {
        const auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
        if (!sort || !sort->lpfnCompare)
            return FALSE;
        Item* parent = !sort->hParent || sort->hParent == TVI_ROOT ? &root_ : FromHandle(sort->hParent);
        if (!parent)
            return FALSE;
        SortChildren(parent, sort->lpfnCompare, sort->lParam, false);
        return TRUE;
    }
    case TVM_ENSUREVISIBLE: {
        Item* item = FromHandle(reinterpret_cast<HTREEITEM>(lParam));
        if (item)
            EnsureVisible(item);
        return item != nullptr;
    }
    case TVM_SETITEMHEIGHT: {
        const int old = RowHeight();
        itemHeight_ = short(wParam) > 0 ? int(short(wParam)) : -1;
        InvalidateLayout();
        return old;
    }
    case TVM_GETITEMHEIGHT:
        return RowHeight();
    case TVM_SETBKCOLOR: {
        const COLORREF old = background_;
        background_ = COLORREF(lParam) == CLR_DEFAULT ? CLR_NONE : COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return old == CLR_NONE ? LRESULT(-1) : LRESULT(old);
    }
    case TVM_GETBKCOLOR:
        return background_ == CLR_NONE ? LRESULT(-1) : LRESULT(background_);
    case TVM_SETTEXTCOLOR: {
        const COLORREF old = textColor_;
        textColor_ = COLORREF(lParam) == CLR_DEFAULT ? CLR_NONE : COLORREF(lParam);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return old == CLR_NONE ? LRESULT(-1) : LRESULT(old);
    }
    case TVM_GETTEXTCOLOR:
        return textColor_ == CLR_NONE ? LRESULT(-1) : LRESULT(textColor_);
    case TVM_SETSCROLLTIME: {
        const UINT old = scrollTime_;
        scrollTime_ = std::max<UINT>(UINT(wParam), 100);
        return old;
    }
    case TVM_GETSCROLLTIME:
        return scrollTime_;
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
        OnButtonDown(point, message == WM_RBUTTONDOWN);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(point, wParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(point, message == WM_RBUTTONUP);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(point);
        return 0;
    case WM_RBUTTONDBLCLK:
        NotifySimple(NM_RDBLCLK);
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = nullptr;
        return 0;
    case WM_TIMER:
        if (wParam == kTreeEditTimer) {
            KillTimer(hwnd_, kTreeEditTimer);
            Item* item = pendingEdit_;
            pendingEdit_ = nullptr;
            if (item && live_.count(item) && item == selected_ && GetFocus() == hwnd_)
                EditLabel(item);
        }
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        SetTop(top_ - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        hasFocus_ = message == WM_SETFOCUS;
        InvalidateRect(hwnd_, nullptr, TRUE);
        NotifySimple(hasFocus_ ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    case WM_SIZE:
        UpdateScrollBar();
        SetTop(top_);
        return 0;
    case WM_SETREDRAW: {
        // While drawing is off, items come and go without the scroll bar
        // following each one; it catches up when drawing is back.
        redrawOff_ = wParam == FALSE;
        const LRESULT result = DefWindowProc(hwnd_, message, wParam, lParam);
        if (!redrawOff_ && scrollBarStale_)
            UpdateScrollBar();
        return result;
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        InvalidateLayout();
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

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<TreeView>(kTreeProp, hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
