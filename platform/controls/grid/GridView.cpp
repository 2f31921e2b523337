#include "platform/controls/grid/GridView.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "platform/comctl/commctrl.h"
#include "platform/controls/grid/GridDispatchObject.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/user/ObjectWindow.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace tw::grid {

namespace gridview_detail {

bool KeyDown(int vk)
{
    return (GetKeyState(vk) & 0x8000) != 0;
}

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace gridview_detail

using gridview_detail::KeyDown;
using gridview_detail::SelectedObject;

void GridView::RegisterWindowClass()
{
    static const bool registered = [] {
        // The in-place editors are standard and common controls.
        RegisterStandardControlClasses();
        InitCommonControls();
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = kClassName;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

GridView* GridView::FromHandle(HWND hwnd)
{
    return tw::WindowObject<GridView>(kObjectProp, hwnd);
}

GridView::GridView(HWND hwnd) : hwnd_(hwnd)
{
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    MeasureFont();
    SetModel(std::make_shared<GridModel>());
}

GridView::~GridView()
{
    editor_.reset();
    model_->SetWindow(nullptr);
    model_->SetChangeListener(nullptr);
    model_->SetBestFitHandler(nullptr);
}

void GridView::SetModel(std::shared_ptr<GridModel> model)
{
    if (!model)
        return;
    if (model_) {
        model_->SetChangeListener(nullptr);
        model_->SetBestFitHandler(nullptr);
        model_->SetWindow(nullptr);
    }
    model_ = std::move(model);
    model_->SetWindow(hwnd_);
    // A wake-up posted to a window the model had before went with that window.
    model_->Intake().WakeHandled();
    model_->SetChangeListener([this] { OnModelChanged(); });
    model_->SetBestFitHandler([this] { BestFitColumns(); });
    anchor_ = model_->Selection().Focused();
    model_->Changed();
}

LRESULT CALLBACK GridView::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<GridView>(kObjectProp, hwnd, message, wParam, lParam);
}

LRESULT GridView::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Rows a worker appended meanwhile come before anything else the window does.
    if (model_ && message == GridThreadCall::Message() && lParam == 0)
        model_->Intake().WakeHandled();
    if (model_) {
        const int before = model_->Dataset().RowCount();
        if (model_->TakeIntake() > 0 && model_->ControlsDisabled())
            ShowArrivedRows(before);
    }
    if (message == GridThreadCall::Message()) {
        auto* call = reinterpret_cast<GridThreadCall*>(lParam);
        if (call)
            call->result = call->run();
        return 1;
    }
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting covers the whole client
    case WM_SIZE:
        UpdateScrollBars();
        Invalidate();
        return 0;
    case WM_SETFONT:
        font_ = wParam ? reinterpret_cast<HFONT>(wParam) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        MeasureFont();
        Refresh();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE:
        return 0x0001 | 0x0004;  // arrows and every other key
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        return 0;
    case WM_KEYDOWN:
        if (OnKeyDown(UINT(wParam)))
            return 0;
        break;
    case WM_CHAR:
        OnChar(wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        if (!editor_ && RowAtPoint(GET_Y_LPARAM(lParam)) >= 0)
            OpenEditor(true);
        return 0;
    case WM_RBUTTONUP:
        model_->Events().Mouse(2, ShiftState(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_COMMAND:
        if (editor_)
            editor_->OnCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        if (trackColumn_ >= 0 || dragSelecting_)
            ReleaseCapture();
        model_->Events().Mouse(1, ShiftState(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        trackColumn_ = -1;
        dragSelecting_ = false;
        return 0;
    case WM_SETCURSOR: {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(hwnd_, &pt);
        if (LOWORD(lParam) == HTCLIENT && (trackColumn_ >= 0 || DividerAt(pt.x, pt.y) >= 0)) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    }
    case WM_VSCROLL:
        if (FinishEditing())
            OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        if (FinishEditing())
            OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (FinishEditing())
            SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
        return 0;
    default:
        break;
    }
    return DefWindowProc(hwnd_, message, wParam, lParam);
}

void GridView::MeasureFont()
{
    HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    TEXTMETRIC metrics{};
    {
        SelectedObject font(dc, font_);
        GetTextMetrics(dc, &metrics);
    }
    ReleaseDC(hwnd_, dc);
    if (metrics.tmHeight <= 0)
        return;
    rowHeight_ = int(metrics.tmHeight) + 4;
    headerHeight_ = int(metrics.tmHeight) + 6;
}

// A bulk load announces nothing until it ends, but the rows that have arrived
// are shown as they come, from the top: the user sees the first ones at once.
void GridView::ShowArrivedRows(int rowsBefore)
{
    const int rows = model_->Dataset().RowCount();
    if (rows < shownRows_)
        shownRows_ = 0;
    // Rows below the page change nothing that shows but the scroll bar, which
    // follows the count in steps of a quarter: a million rows cost a few dozen updates.
    const bool onPage = rowsBefore <= topRow_ + PageRows();
    if (!onPage && rows < shownRows_ + shownRows_ / 4)
        return;
    shownRows_ = rows;
    UpdateScrollBars();
    if (onPage)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void GridView::OnModelChanged()
{
    // The edited cell went away under the editor (rows deleted, dataset closed).
    if (editor_ && (editRow_ >= model_->Dataset().RowCount() || !model_->Active()))
        CloseEditor();
    if (anchor_ >= model_->Dataset().RowCount())
        anchor_ = model_->Selection().Focused();
    UpdateScrollBars();
    if (model_->Selection().Focused() >= 0)
        ScrollIntoView(model_->Selection().Focused());
    Invalidate();
}

int GridView::PageRows() const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int height = client.bottom - headerHeight_;
    return std::max(1, height / rowHeight_);
}

void GridView::ClampScroll()
{
    const int maxTop = std::max(0, model_->Dataset().RowCount() - PageRows());
    topRow_ = std::clamp(topRow_, 0, maxTop);
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int maxX = std::max(0, model_->Columns().TotalWidth() - int(client.right));
    scrollX_ = std::clamp(scrollX_, 0, maxX);
}

void GridView::UpdateScrollBars()
{
    ClampScroll();
    RECT client{};
    GetClientRect(hwnd_, &client);

    SCROLLINFO vertical{};
    vertical.cbSize = sizeof vertical;
    vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    vertical.nMax = std::max(0, model_->Dataset().RowCount() - 1);
    vertical.nPage = UINT(PageRows());
    vertical.nPos = topRow_;
    SetScrollInfo(hwnd_, SB_VERT, &vertical, TRUE);

    SCROLLINFO horizontal{};
    horizontal.cbSize = sizeof horizontal;
    horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    horizontal.nMax = std::max(0, model_->Columns().TotalWidth() - 1);
    horizontal.nPage = UINT(std::max<LONG>(0, client.right));
    horizontal.nPos = scrollX_;
    SetScrollInfo(hwnd_, SB_HORZ, &horizontal, TRUE);
}

void GridView::Invalidate()
{
    if (!ControlsDisabled())
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void GridView::SetTopRow(int row)
{
    const int before = topRow_;
    topRow_ = row;
    ClampScroll();
    if (topRow_ == before)
        return;
    SetScrollPos(hwnd_, SB_VERT, topRow_, TRUE);
    Invalidate();
}

void GridView::SetScrollX(int x)
{
    const int before = scrollX_;
    scrollX_ = x;
    ClampScroll();
    if (scrollX_ == before)
        return;
    SetScrollPos(hwnd_, SB_HORZ, scrollX_, TRUE);
    Invalidate();
}

void GridView::ScrollIntoView(int row)
{
    if (row < topRow_)
        SetTopRow(row);
    else if (row >= topRow_ + PageRows())
        SetTopRow(row - PageRows() + 1);
}

void GridView::FocusRow(int row, bool extend, bool keepSelection)
{
    if (model_->Dataset().RowCount() == 0)
        return;
    row = std::clamp(row, 0, model_->Dataset().RowCount() - 1);
    model_->SetFocusedRow(row);
    if (extend) {
        if (anchor_ < 0)
            anchor_ = row;
        model_->Selection().Clear();
        model_->Selection().SelectRange(anchor_, row);
    } else if (!keepSelection) {
        model_->Selection().Clear();
        model_->Selection().Select(row);
        anchor_ = row;
    }
    ScrollIntoView(row);
    Invalidate();
}

int GridView::RowAtPoint(int y) const
{
    if (y < headerHeight_)
        return -1;
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (y >= client.bottom)
        return -1;
    const int row = topRow_ + (y - headerHeight_) / rowHeight_;
    return row < model_->Dataset().RowCount() ? row : -1;
}

int GridView::DividerAt(int x, int y) const
{
    if (y < 0 || y >= headerHeight_)
        return -1;
    // The rightmost match wins, so a column narrowed to nothing can still be widened.
    int right = -scrollX_;
    int found = -1;
    for (int i : model_->Columns().VisibleIndexes()) {
        right += model_->Columns().Item(i)->width;
        if (x >= right - kDividerGrip && x <= right + kDividerGrip)
            found = i;
    }
    return found;
}

int GridView::ShiftState() const
{
    return (KeyDown(VK_SHIFT) ? 1 : 0) | (KeyDown(VK_CONTROL) ? 2 : 0) | (KeyDown(VK_MENU) ? 4 : 0);
}

bool GridView::OnKeyDown(UINT key)
{
    int reported = int(key);
    model_->Events().Key(reported, ShiftState());
    if (reported == 0)
        return true;  // the container took the key
    const UINT vk = UINT(reported);
    if (editor_ && !editor_->FocusWindow() && editor_->OnKey(vk)) {
        Invalidate();
        return true;
    }
    if (editor_ && !FinishEditing())
        return true;
    const bool shift = KeyDown(VK_SHIFT);
    const bool ctrl = KeyDown(VK_CONTROL);
    const int focused = model_->Selection().Focused();
    const int last = model_->Dataset().RowCount() - 1;
    auto move = [&](int row) { FocusRow(row, shift, ctrl && !shift); };
    switch (vk) {
    case VK_UP: move(focused - 1); return true;
    case VK_DOWN: move(focused + 1); return true;
    case VK_PRIOR: move(focused - PageRows()); return true;
    case VK_NEXT: move(focused + PageRows()); return true;
    case VK_HOME:
        if (ctrl)
            FocusRow(0, shift);
        else
            SetScrollX(0);
        return true;
    case VK_END:
        if (ctrl)
            FocusRow(last, shift);
        else
            SetScrollX(model_->Columns().TotalWidth());
        return true;
    case VK_LEFT: MoveFocusedColumn(-1); return true;
    case VK_RIGHT: MoveFocusedColumn(1); return true;
    case VK_F2: OpenEditor(false); return true;
    case VK_SPACE:
        if (ctrl && focused >= 0) {
            model_->Selection().Toggle(focused);
            anchor_ = focused;
            Invalidate();
        }
        return true;
    case 'A':
        if (ctrl && last >= 0) {
            model_->Selection().Clear();
            model_->Selection().SelectRange(0, last);
            Invalidate();
            return true;
        }
        return false;
    case 'C':
    case VK_INSERT:
        if (ctrl) {
            CopySelection();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void GridView::OnChar(WPARAM character, LPARAM lParam)
{
    // Typing on a cell starts editing it with what was typed; a blank selects rows instead.
    if (editor_ || character <= ' ' || character == 0x7F || KeyDown(VK_CONTROL))
        return;
    if (OpenEditor(false) && editor_->FocusWindow()) {
        SendMessage(editor_->FocusWindow(), WM_CHAR, character, lParam);
    }
}

void GridView::OnButtonDown(int x, int y, WPARAM keys)
{
    const int row = RowAtPoint(y);
    const int column = y >= headerHeight_ ? model_->Columns().AtX(x + scrollX_) : -1;
    if (editor_) {
        if (row == editRow_ && column == editColumn_ && !editor_->FocusWindow()) {
            editor_->OnClick();
            Invalidate();
            return;
        }
        if (!FinishEditing())
            return;
    }
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    const int divider = DividerAt(x, y);
    if (divider >= 0) {
        trackColumn_ = divider;
        trackStartX_ = x;
        trackStartWidth_ = model_->Columns().Item(divider)->width;
        SetCapture(hwnd_);
        return;
    }
    if (row < 0)
        return;
    const bool onFocusedCell = row == model_->Selection().Focused() && column >= 0 && column == FocusedColumn();
    if (column >= 0)
        focusedColumn_ = column;
    if (onFocusedCell && !(keys & (MK_CONTROL | MK_SHIFT))) {
        if (OpenEditor(true)) {
            if (!editor_->FocusWindow())
                editor_->OnClick();  // a click ticks a check box at once
            Invalidate();
            return;
        }
    }
    if (keys & MK_CONTROL) {
        model_->Selection().Toggle(row);
        anchor_ = row;
        FocusRow(row, false, true);
        return;
    }
    FocusRow(row, (keys & MK_SHIFT) != 0);
    dragSelecting_ = true;
    SetCapture(hwnd_);
}

void GridView::OnMouseMove(int x, int y, WPARAM keys)
{
    if (!(keys & MK_LBUTTON))
        return;
    if (dragSelecting_) {
        // Above or below the rows the drag reaches on, a row per move, scrolling as it goes.
        const int focused = model_->Selection().Focused();
        int row = RowAtPoint(y);
        if (y < headerHeight_)
            row = focused - 1;
        else if (row < 0)
            row = std::min(focused + 1, topRow_ + PageRows());
        if (row != focused)
            FocusRow(row, true);
        return;
    }
    if (trackColumn_ < 0)
        return;
    model_->Columns().SetWidth(trackColumn_, trackStartWidth_ + (x - trackStartX_));
    UpdateScrollBars();
    Invalidate();
}

void GridView::OnScroll(int bar, int code)
{
    const bool vertical = bar == SB_VERT;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int line = vertical ? 1 : 20;
    const int page = vertical ? PageRows() : std::max<int>(1, client.right);
    const int position = vertical ? topRow_ : scrollX_;
    int target = position;
    switch (code) {
    case SB_LINEUP: target -= line; break;
    case SB_LINEDOWN: target += line; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = vertical ? model_->Dataset().RowCount() : model_->Columns().TotalWidth(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(hwnd_, bar, &info))
            target = info.nTrackPos;
        break;
    }
    default: return;
    }
    if (vertical)
        SetTopRow(target);
    else
        SetScrollX(target);
}

void GridView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!dc)
        return;
    // Only the frame needed painting (a scroll bar that grew while rows arrive).
    if (IsRectEmpty(&ps.rcPaint)) {
        EndPaint(hwnd_, &ps);
        return;
    }
    RECT client{};
    GetClientRect(hwnd_, &client);
    {
        SelectedObject font(dc, font_);
        PaintRows(dc, client);
        PaintHeader(dc, client);
    }
    EndPaint(hwnd_, &ps);
}

void GridView::PaintHeader(HDC dc, const RECT& client)
{
    RECT band{0, 0, client.right, headerHeight_};
    FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int left = -scrollX_;
    for (int i : model_->Columns().VisibleIndexes()) {
        if (left >= client.right)
            break;
        const GridColumn& column = *model_->Columns().Item(i);
        RECT cell{left, 0, left + column.width, headerHeight_};
        left = cell.right;
        if (cell.right <= 0)
            continue;
        DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
        RECT text{cell.left + 4, cell.top, cell.right - 4, cell.bottom};
        DrawText(dc, column.caption.c_str(), int(column.caption.size()), &text,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void GridView::PaintRows(HDC dc, const RECT& client)
{
    RECT body{0, headerHeight_, client.right, client.bottom};
    FillRect(dc, &body, GetSysColorBrush(COLOR_WINDOW));
    const HBRUSH lineBrush = GetSysColorBrush(COLOR_BTNFACE);
    const bool hasFocus = GetFocus() == hwnd_;
    const int totalWidth = model_->Columns().TotalWidth() - scrollX_;
    const std::vector<int> shown = model_->Columns().VisibleIndexes();
    std::vector<int> fieldOf;
    for (int c : shown)
        fieldOf.push_back(model_->FieldOfColumn(c));
    const int focusedColumn = FocusedColumn();

    for (int row = topRow_, y = headerHeight_; row < model_->Dataset().RowCount() && y < client.bottom; ++row, y += rowHeight_) {
        const bool selected = model_->Selection().IsSelected(row);
        RECT line{0, y, std::min<int>(totalWidth, client.right), y + rowHeight_};
        if (selected)
            FillRect(dc, &line, GetSysColorBrush(COLOR_HIGHLIGHT));
        int left = -scrollX_;
        for (size_t i = 0; i < shown.size() && left < client.right; ++i) {
            const int width = model_->Columns().Item(shown[i])->width;
            RECT cell{left, y, left + width - 1, y + rowHeight_ - 1};
            left += width;
            if (cell.right < 0)
                continue;
            PaintCell(dc, row, shown[i], cell, selected, fieldOf[i]);
            RECT vertical{cell.right, y, cell.right + 1, y + rowHeight_};
            FillRect(dc, &vertical, lineBrush);
            if (hasFocus && row == model_->Selection().Focused() && shown[i] == focusedColumn) {
                RECT focus = cell;
                DrawFocusRect(dc, &focus);
            }
        }
        RECT horizontal{0, y + rowHeight_ - 1, line.right, y + rowHeight_};
        FillRect(dc, &horizontal, lineBrush);
    }
}

void GridView::PaintCheckBox(HDC dc, const RECT& cell, bool checked)
{
    const int size = std::min<int>(kCheckBoxSize, cell.bottom - cell.top);
    const int top = cell.top + (cell.bottom - cell.top - size) / 2;
    RECT box{cell.left + 2, top, cell.left + 2 + size, top + size};
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
}

void GridView::PaintCell(HDC dc, int row, int column, const RECT& cell, bool selected, int field)
{
    GridCellDraw draw;
    draw.row = row;
    draw.column = column;
    draw.rect = cell;
    draw.selected = selected;
    draw.focused = row == model_->Selection().Focused();
    draw.background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    draw.textColor = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const bool drawnEditor = editor_ && !editor_->FocusWindow() && row == editRow_ && column == editColumn_;
    draw.text = drawnEditor ? editor_->Text() : std::string(model_->Dataset().Text(row, field));
    if (model_->Events().WantsCustomDraw())
        model_->Events().CustomDrawCell(draw);
    if (draw.done) {
        HBRUSH brush = CreateSolidBrush(draw.background);
        FillRect(dc, &cell, brush);
        DeleteObject(brush);
    }
    const GridColumn& shown = *model_->Columns().Item(column);
    if (shown.editor == EditorKind::Check && !draw.done) {
        PaintCheckBox(dc, cell, draw.text == shown.checkedText);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, draw.textColor);
    RECT textRect{cell.left + 2, cell.top, cell.right - 2, cell.bottom};
    const UINT align = draw.alignment == 1 ? DT_RIGHT : draw.alignment == 2 ? DT_CENTER : DT_LEFT;
    DrawText(dc, draw.text.data(), int(draw.text.size()), &textRect,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align);
}

void GridView::BestFitColumns(int sampleRows)
{
    HDC dc = GetDC(hwnd_);
    if (!dc)
        return;
    {
        SelectedObject font(dc, font_);
        auto extent = [&](std::string_view text) {
            SIZE size{};
            GetTextExtentPoint32(dc, text.data(), int(text.size()), &size);
            return int(size.cx);
        };
        GridColumns& columns = model_->Columns();
        const GridDataset& dataset = model_->Dataset();
        const int rows = std::min(sampleRows, dataset.RowCount());
        for (int c = 0; c < columns.Count(); ++c) {
            GridColumn& column = *columns.Item(c);
            const int field = dataset.FieldIndex(column.fieldName);
            // Room for the header's raised edge and the cell's text margins.
            int widest = extent(column.caption) + 8;
            for (int row = 0; row < rows; ++row)
                widest = std::max(widest, extent(dataset.Text(row, field)) + 5);
            columns.SetWidth(c, widest);
        }
    }
    ReleaseDC(hwnd_, dc);
    UpdateScrollBars();
    Invalidate();
}

std::string GridView::SelectionText() const
{
    std::vector<int> rows = model_->Selection().Rows();
    if (rows.empty() && model_->Selection().Focused() >= 0)
        rows.push_back(model_->Selection().Focused());
    std::sort(rows.begin(), rows.end());
    return model_->TabSeparated(rows, false);
}

bool GridView::CopySelection()
{
    const std::string text = SelectionText();
    if (text.empty() || !OpenClipboard(hwnd_))
        return false;
    EmptyClipboard();
    bool placed = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        if (!placed)
            GlobalFree(memory);
    }
    CloseClipboard();
    return placed;
}

int GridView::FocusedColumn() const
{
    const GridColumn* column = model_->Columns().Item(focusedColumn_);
    if (column && column->visible)
        return focusedColumn_;
    const std::vector<int> shown = model_->Columns().VisibleIndexes();
    return shown.empty() ? -1 : shown.front();
}

void GridView::SetFocusedColumn(int column)
{
    const GridColumn* item = model_->Columns().Item(column);
    if (!item || !item->visible)
        return;
    focusedColumn_ = column;
    Invalidate();
}

void GridView::MoveFocusedColumn(int step)
{
    const std::vector<int> shown = model_->Columns().VisibleIndexes();
    auto at = std::find(shown.begin(), shown.end(), FocusedColumn());
    if (at == shown.end())
        return;
    const int index = std::clamp(int(at - shown.begin()) + step, 0, int(shown.size()) - 1);
    focusedColumn_ = shown[size_t(index)];
    // Keep the focused cell in view horizontally.
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int left = model_->Columns().Left(focusedColumn_);
    const int right = left + model_->Columns().Item(focusedColumn_)->width;
    if (left < scrollX_)
        SetScrollX(left);
    else if (right > scrollX_ + client.right)
        SetScrollX(right - client.right);
    Invalidate();
}

RECT GridView::CellRect(int row, int column) const
{
    const GridColumn* item = model_->Columns().Item(column);
    const int left = model_->Columns().Left(column) - scrollX_;
    const int top = headerHeight_ + (row - topRow_) * rowHeight_;
    return RECT{left, top, left + (item ? item->width : 0) - 1, top + rowHeight_ - 1};
}

std::vector<std::string> GridView::ColumnValues(int column, size_t limit) const
{
    const int field = model_->FieldOfColumn(column);
    std::set<std::string> values;
    for (int row = 0; field >= 0 && row < model_->Dataset().RowCount() && values.size() < limit; ++row) {
        if (!model_->Dataset().IsNull(row, field))
            values.emplace(model_->Dataset().Text(row, field));
    }
    return std::vector<std::string>(values.begin(), values.end());
}

GridEditorSetup GridView::EditorSetup(int row, int column, int lender) const
{
    GridEditorSetup setup;
    setup.parent = hwnd_;
    setup.rect = CellRect(row, column);
    setup.font = font_;
    setup.text = std::string(model_->Dataset().Text(row, model_->FieldOfColumn(column)));
    setup.column = *model_->Columns().Item(lender);
    if (setup.column.editor == EditorKind::Lookup && setup.column.pickList.empty())
        setup.lookupValues = ColumnValues(column, kLookupValueLimit);
    return setup;
}

bool GridView::OpenEditor(bool byMouse)
{
    if (editor_)
        return true;
    const int row = model_->Selection().Focused();
    const int column = FocusedColumn();
    const GridColumn* own = model_->Columns().Item(column);
    if (!model_->Active() || row < 0 || row >= model_->Dataset().RowCount() || !own || !own->editable)
        return false;
    int lender = column;
    model_->Events().EditColumn(row, lender, byMouse);
    if (!model_->Columns().Item(lender))
        lender = column;
    if (!model_->Events().Editing(row))
        return false;
    // The handlers may have changed the columns (made this one read-only).
    own = model_->Columns().Item(column);
    if (!own || !own->editable || !model_->Columns().Item(lender) || row >= model_->Dataset().RowCount())
        return false;
    ScrollIntoView(row);
    editRow_ = row;
    editColumn_ = column;
    editor_ = GridEditor::Create(*this, EditorSetup(row, column, lender));
    if (!editor_) {
        editRow_ = editColumn_ = -1;
        return false;
    }
    // A pick list's arrow is its cell's button: opening one is pressing it.
    if (editor_->Kind() == EditorKind::PickList)
        EditorButton();
    Invalidate();
    return true;
}

bool GridView::CommitEditor()
{
    if (!editor_)
        return true;
    std::string text = editor_->Text();
    if (!editor_->Accepts(text))
        return false;
    if (!model_->Events().Validate(editColumn_, editRow_, text))
        return false;
    if (!model_->StoreCell(editRow_, editColumn_, text))
        return false;
    CloseEditor();
    return true;
}

void GridView::CancelEditor()
{
    CloseEditor();
}

void GridView::CloseEditor()
{
    if (!editor_)
        return;
    const bool hadFocus = editor_->FocusWindow() && GetFocus() == editor_->FocusWindow();
    if (hadFocus)
        SetFocus(hwnd_);
    editor_.reset();
    editRow_ = editColumn_ = -1;
    Invalidate();
}

bool GridView::FinishEditing()
{
    return !editor_ || CommitEditor();
}

void GridView::EditorButton()
{
    if (editor_)
        model_->Events().CellButton(editColumn_, editRow_);
}

}  // namespace tw::grid
