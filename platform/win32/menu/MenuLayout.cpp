#include "platform/win32/menu/MenuLayout.h"

#include <algorithm>

#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/RectFunctions.h"

namespace tw::menu {

namespace menu_layout_detail {

constexpr int kPopupBorder = 3;
constexpr int kSeparatorHeight = 9;
constexpr int kBarItemPadding = 6;
constexpr int kShortcutGap = 12;
constexpr int kMdiButtonWidth = 16;

int CheckColumn() { return GetSystemMetrics(SM_CXMENUCHECK) + 4; }

bool IsMdiButton(const MenuItem& item)
{
    const ULONG_PTR bitmap = reinterpret_cast<ULONG_PTR>(item.bitmap);
    return (item.type & MFT_BITMAP) && bitmap >= 2 && bitmap <= 11;
}

bool IsSystemIcon(const MenuItem& item)
{
    return (item.type & MFT_BITMAP) && item.bitmap == HBMMENU_SYSTEM;
}

// A scratch DC with the menu font, for measuring text.
class MeasureDc {
public:
    MeasureDc() : dc_(CreateCompatibleDC(nullptr)) { old_ = SelectObject(dc_, MenuPainter::MenuFont()); }
    ~MeasureDc()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;
    SIZE Text(const std::string& text) const
    {
        RECT r{0, 0, 0, 0};
        if (text.empty()) {
            DrawText(dc_, "X", 1, &r, DT_CALCRECT | DT_SINGLELINE);
            return SIZE{0, r.bottom - r.top};
        }
        DrawText(dc_, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

std::string Label(const MenuItem& item)
{
    const size_t tab = item.text.find('\t');
    return tab == std::string::npos ? item.text : item.text.substr(0, tab);
}

std::string Shortcut(const MenuItem& item)
{
    const size_t tab = item.text.find('\t');
    return tab == std::string::npos ? std::string() : item.text.substr(tab + 1);
}

SIZE MeasureOwnerDrawn(HWND owner, const MenuItem& item)
{
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = item.id;
    mis.itemData = item.data;
    mis.itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
    if (owner)
        SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (reinterpret_cast<ULONG_PTR>(bitmap) > 64 && GetObject(bitmap, sizeof info, &info))
        return SIZE{info.bmWidth, info.bmHeight};
    return SIZE{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
}

void DrawOwnerItem(HDC hdc, HWND owner, const MenuLayout& layout, size_t index, bool selected, const RECT& rect)
{
    const MenuItem& item = layout.items[index];
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = item.id;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (selected ? ODS_SELECTED : 0) | ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
                    ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) | ((item.state & MFS_CHECKED) ? ODS_CHECKED : 0) |
                    ((item.state & MFS_DEFAULT) ? ODS_DEFAULT : 0);
    dis.hwndItem = reinterpret_cast<HWND>(layout.menu);
    dis.hDC = hdc;
    dis.rcItem = rect;
    dis.itemData = item.data;
    if (owner)
        SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

void DrawLabel(HDC hdc, const std::string& text, RECT rect, UINT format, bool disabled, bool selected)
{
    SetBkMode(hdc, TRANSPARENT);
    if (disabled && !selected) {
        // Embossed, as classic menus show unavailable commands.
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
        DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
        SetTextColor(hdc, GetSysColor(COLOR_3DSHADOW));
    } else if (disabled) {
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(hdc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void DrawCheck(HDC hdc, const RECT& column, bool radio, COLORREF color)
{
    const int cx = (column.left + column.right) / 2;
    const int cy = (column.top + column.bottom) / 2;
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    if (radio) {
        Ellipse(hdc, cx - 3, cy - 3, cx + 3, cy + 3);
    } else {
        for (int row = 0; row < 3; ++row) {
            const POINT stroke[3] = {{cx - 3, cy - 1 + row}, {cx - 1, cy + 1 + row}, {cx + 4, cy - 4 + row}};
            Polyline(hdc, stroke, 3);
        }
    }
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawArrow(HDC hdc, const RECT& rect, COLORREF color)
{
    const int cx = rect.right - GetSystemMetrics(SM_CXMENUCHECK) / 2 - 2;
    const int cy = (rect.top + rect.bottom) / 2;
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(hdc, brush);
    HGDIOBJ oldPen = SelectObject(hdc, pen);
    const POINT triangle[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
    Polygon(hdc, triangle, 3);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawBitmap(HDC hdc, HBITMAP bitmap, const RECT& rect)
{
    if (reinterpret_cast<ULONG_PTR>(bitmap) <= 64)
        return;
    const SIZE size = BitmapSize(bitmap);
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, bitmap);
    const int x = rect.left + (rect.right - rect.left - size.cx) / 2;
    const int y = rect.top + (rect.bottom - rect.top - size.cy) / 2;
    BitBlt(hdc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawMdiItem(HDC hdc, HWND owner, const MenuItem& item, RECT rect, bool pressed)
{
    if (IsSystemIcon(item)) {
        // The maximised child's icon stands for its system menu.
        HWND child = reinterpret_cast<HWND>(item.data);
        HICON icon = child ? reinterpret_cast<HICON>(SendMessage(child, WM_GETICON, ICON_SMALL2, 0)) : nullptr;
        if (icon)
            DrawIconEx(hdc, rect.left + 1, rect.top + (rect.bottom - rect.top - 16) / 2, icon, 16, 16, 0, nullptr,
                       DI_NORMAL);
        return;
    }
    (void)owner;
    UINT glyph = DFCS_CAPTIONCLOSE;
    const ULONG_PTR kind = reinterpret_cast<ULONG_PTR>(item.bitmap);
    if (kind == 2 || kind == 9)
        glyph = DFCS_CAPTIONRESTORE;
    else if (kind == 3 || kind == 7 || kind == 11)
        glyph = DFCS_CAPTIONMIN;
    else if (kind == 10)
        glyph = DFCS_CAPTIONMAX;
    if (kind == 6 || kind == 7 || item.IsDisabled())
        glyph |= DFCS_INACTIVE;
    if (pressed)
        glyph |= DFCS_PUSHED;
    InflateRect(&rect, 0, -2);
    DrawFrameControl(hdc, &rect, DFC_CAPTION, glyph);
}

}  // namespace menu_layout_detail

int MenuLayout::ItemAt(POINT pt) const
{
    for (size_t i = 0; i < rects.size(); ++i) {
        if (PtInRect(&rects[i], pt))
            return static_cast<int>(i);
    }
    return -1;
}

HFONT MenuPainter::MenuFont()
{
    static HFONT font = [] {
        NONCLIENTMETRICS metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return CreateFontIndirect(&metrics.lfMenuFont);
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

int MenuPainter::BarRowHeight() { return GetSystemMetrics(SM_CYMENU); }

MenuLayout MenuPainter::MeasurePopup(HWND owner, HMENU menu)
{
    namespace d = menu_layout_detail;
    MenuLayout layout;
    layout.menu = menu;
    {
        std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
        if (const Menu* found = MenuStore::Instance().Find(menu))
            layout.items = found->items;
    }
    const d::MeasureDc dc;
    const int textHeight = dc.Text("").cy;
    const int itemHeight = std::max(GetSystemMetrics(SM_CYMENU) - 2, textHeight + 4);
    const int check = d::CheckColumn();
    const int arrow = GetSystemMetrics(SM_CXMENUCHECK) + 4;

    // Widths of labels and shortcuts, per column.
    int labelWidth = 0;
    int shortcutWidth = 0;
    for (const MenuItem& item : layout.items) {
        if (item.IsSeparator() || (item.type & (MFT_OWNERDRAW | MFT_BITMAP)))
            continue;
        labelWidth = std::max<int>(labelWidth, dc.Text(d::Label(item)).cx);
        shortcutWidth = std::max<int>(shortcutWidth, dc.Text(d::Shortcut(item)).cx);
    }
    const int textWidth = check + labelWidth + (shortcutWidth ? d::kShortcutGap + shortcutWidth : 0) + arrow;
    layout.shortcutColumn = check + labelWidth + d::kShortcutGap;

    int x = d::kPopupBorder;
    int y = d::kPopupBorder;
    int columnWidth = 0;
    int bottom = y;
    std::vector<size_t> column;
    auto closeColumn = [&](int width) {
        for (size_t index : column)
            layout.rects[index].right = layout.rects[index].left + width;
        column.clear();
    };
    layout.rects.resize(layout.items.size());
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const MenuItem& item = layout.items[i];
        if (i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
            closeColumn(columnWidth);
            x += columnWidth + ((item.type & MFT_MENUBARBREAK) ? 4 : 0);
            y = d::kPopupBorder;
            columnWidth = 0;
        }
        SIZE size{textWidth, itemHeight};
        if (item.IsSeparator())
            size.cy = d::kSeparatorHeight;
        else if (item.type & MFT_OWNERDRAW) {
            const SIZE measured = d::MeasureOwnerDrawn(owner, item);
            size = SIZE{measured.cx + check, measured.cy};
        } else if (item.type & MFT_BITMAP) {
            const SIZE bitmap = d::BitmapSize(item.bitmap);
            size = SIZE{bitmap.cx + check, std::max<LONG>(bitmap.cy, itemHeight)};
        }
        layout.rects[i] = RECT{x, y, x + size.cx, y + size.cy};
        columnWidth = std::max<int>(columnWidth, size.cx);
        column.push_back(i);
        y += size.cy;
        bottom = std::max(bottom, y);
    }
    closeColumn(columnWidth);
    layout.size = SIZE{x + columnWidth + d::kPopupBorder, bottom + d::kPopupBorder};
    if (layout.items.empty())
        layout.size = SIZE{2 * d::kPopupBorder + textWidth, 2 * d::kPopupBorder + d::kSeparatorHeight};
    return layout;
}

MenuLayout MenuPainter::MeasureBar(HWND owner, HMENU menu, int width)
{
    namespace d = menu_layout_detail;
    MenuLayout layout;
    layout.menu = menu;
    layout.bar = true;
    {
        std::lock_guard<std::mutex> lock(MenuStore::Instance().Mutex());
        if (const Menu* found = MenuStore::Instance().Find(menu))
            layout.items = found->items;
    }
    const int row = BarRowHeight();
    const d::MeasureDc dc;
    layout.rects.resize(layout.items.size());
    int x = 0;
    int y = 0;
    size_t rowStart = 0;
    int rightJustifyFrom = -1;
    auto finishRow = [&](size_t end) {
        // Items from the first right-justified one sit against the right edge.
        if (rightJustifyFrom < 0 || static_cast<size_t>(rightJustifyFrom) >= end)
            return;
        const int shift = width - x;
        if (shift > 0) {
            for (size_t i = static_cast<size_t>(rightJustifyFrom); i < end; ++i)
                OffsetRect(&layout.rects[i], shift, 0);
        }
        rightJustifyFrom = -1;
    };
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const MenuItem& item = layout.items[i];
        int itemWidth;
        if (d::IsSystemIcon(item))
            itemWidth = 20;
        else if (d::IsMdiButton(item))
            itemWidth = d::kMdiButtonWidth;
        else if (item.type & MFT_OWNERDRAW)
            itemWidth = d::MeasureOwnerDrawn(owner, item).cx;
        else if (item.type & MFT_BITMAP)
            itemWidth = d::BitmapSize(item.bitmap).cx + 2 * d::kBarItemPadding;
        else if (item.IsSeparator())
            itemWidth = 0;
        else
            itemWidth = dc.Text(d::Label(item)).cx + 2 * d::kBarItemPadding;
        const bool breakHere = i > rowStart && ((item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) ||
                                                (x + itemWidth > width && x > 0));
        if (breakHere) {
            finishRow(i);
            x = 0;
            y += row;
            rowStart = i;
        }
        if ((item.type & MFT_RIGHTJUSTIFY) && rightJustifyFrom < 0)
            rightJustifyFrom = static_cast<int>(i);
        layout.rects[i] = RECT{x, y, x + itemWidth, y + row};
        x += itemWidth;
    }
    finishRow(layout.items.size());
    layout.size = SIZE{width, layout.items.empty() ? row : y + row};
    return layout;
}

void MenuPainter::PaintPopup(HDC hdc, HWND owner, const MenuLayout& layout, int selected)
{
    namespace d = menu_layout_detail;
    RECT frame{0, 0, layout.size.cx, layout.size.cy};
    FillRect(hdc, &frame, GetSysColorBrush(COLOR_MENU));
    DrawEdge(hdc, &frame, EDGE_RAISED, BF_RECT);
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    const int check = d::CheckColumn();
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const MenuItem& item = layout.items[i];
        RECT rect = layout.rects[i];
        const bool isSelected = static_cast<int>(i) == selected && !item.IsSeparator();
        if (i > 0 && (item.type & MFT_MENUBARBREAK)) {
            RECT line{rect.left - 3, d::kPopupBorder, rect.left - 1, layout.size.cy - d::kPopupBorder};
            DrawEdge(hdc, &line, EDGE_ETCHED, BF_LEFT);
        }
        if (item.IsSeparator()) {
            RECT line{rect.left + 1, (rect.top + rect.bottom) / 2 - 1, rect.right - 1, rect.bottom};
            DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        if (item.type & MFT_OWNERDRAW) {
            d::DrawOwnerItem(hdc, owner, layout, i, isSelected, rect);
            continue;
        }
        if (isSelected)
            FillRect(hdc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        const COLORREF ink = GetSysColor(isSelected ? COLOR_HIGHLIGHTTEXT
                                                    : (item.IsDisabled() ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        const RECT checkColumn{rect.left, rect.top, rect.left + check, rect.bottom};
        if (item.state & MFS_CHECKED) {
            if (item.checkedBitmap)
                d::DrawBitmap(hdc, item.checkedBitmap, checkColumn);
            else
                d::DrawCheck(hdc, checkColumn, (item.type & MFT_RADIOCHECK) != 0, ink);
        } else if (item.uncheckedBitmap) {
            d::DrawBitmap(hdc, item.uncheckedBitmap, checkColumn);
        } else if (item.bitmap && !(item.type & MFT_BITMAP)) {
            d::DrawBitmap(hdc, item.bitmap, checkColumn);
        }
        if (item.type & MFT_BITMAP) {
            d::DrawBitmap(hdc, item.bitmap, RECT{rect.left + check, rect.top, rect.right, rect.bottom});
        } else {
            RECT text{rect.left + check, rect.top, rect.right, rect.bottom};
            const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
            HFONT bold = nullptr;
            HGDIOBJ before = nullptr;
            if (item.state & MFS_DEFAULT) {
                LOGFONTA lf{};
                GetObject(MenuFont(), sizeof lf, &lf);
                lf.lfWeight = FW_BOLD;
                bold = CreateFontIndirect(&lf);
                before = SelectObject(hdc, bold);
            }
            d::DrawLabel(hdc, d::Label(item), text, format, item.IsDisabled(), isSelected);
            const std::string shortcut = d::Shortcut(item);
            if (!shortcut.empty()) {
                RECT keys{rect.left + layout.shortcutColumn, rect.top, rect.right, rect.bottom};
                d::DrawLabel(hdc, shortcut, keys, format | DT_NOPREFIX, item.IsDisabled(), isSelected);
            }
            if (bold) {
                SelectObject(hdc, before);
                DeleteObject(bold);
            }
        }
        if (item.subMenu)
            d::DrawArrow(hdc, rect, ink);
    }
    SelectObject(hdc, oldFont);
}

void MenuPainter::PaintBar(HDC hdc, HWND owner, const MenuLayout& layout, const RECT& barRect, int selected,
                           bool pressed)
{
    namespace d = menu_layout_detail;
    FillRect(hdc, &barRect, GetSysColorBrush(COLOR_MENU));
    HGDIOBJ oldFont = SelectObject(hdc, MenuFont());
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const MenuItem& item = layout.items[i];
        RECT rect = layout.rects[i];
        OffsetRect(&rect, barRect.left, barRect.top);
        if (rect.right > barRect.right)
            rect.right = barRect.right;
        const bool isSelected = static_cast<int>(i) == selected;
        if (item.IsSeparator() || rect.right <= rect.left)
            continue;
        if (item.type & MFT_OWNERDRAW) {
            d::DrawOwnerItem(hdc, owner, layout, i, isSelected, rect);
            continue;
        }
        if (d::IsSystemIcon(item) || d::IsMdiButton(item)) {
            d::DrawMdiItem(hdc, owner, item, rect, isSelected && pressed);
            continue;
        }
        if (isSelected)
            DrawEdge(hdc, &rect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        RECT text = rect;
        if (isSelected && pressed)
            OffsetRect(&text, 1, 1);
        if (item.type & MFT_BITMAP) {
            d::DrawBitmap(hdc, item.bitmap, text);
            continue;
        }
        d::DrawLabel(hdc, d::Label(item), text, DT_SINGLELINE | DT_VCENTER | DT_CENTER, item.IsDisabled(), false);
    }
    SelectObject(hdc, oldFont);
}

}  // namespace tw::menu
