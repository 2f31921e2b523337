// The grid window ("TwDataGrid"): a header of column captions over the rows of
// its dataset, painting only the rows in view. Keyboard and mouse move the
// focused row and cell and select rows; dragging a header divider resizes a
// column; Ctrl+C puts the selected rows on the clipboard as tab-separated
// text. F2, typing, or a click on the focused cell opens the cell's editor; Enter
// stores its value (when the editor and the container accept it), Esc drops it.
#pragma once

#include <memory>
#include <string>

#include "platform/controls/grid/GridEditors.h"
#include "platform/controls/grid/GridModel.h"
#include "platform/win32/user/ObjectWindow.h"
#include "platform/win32/user/winuser.h"

namespace tw::grid {

class GridView final : private GridEditorHost {
public:
    static constexpr const char* kClassName = "TwDataGrid";
    // Pixels either side of a header divider that grab it.
    static constexpr int kDividerGrip = 3;

    // Registers the window class; later calls do nothing.
    static void RegisterWindowClass();
    // The grid behind a "TwDataGrid" window, or null.
    static GridView* FromHandle(HWND hwnd);

    HWND Handle() const { return hwnd_; }
    GridModel& Model() { return *model_; }
    GridDataset& Dataset() { return model_->Dataset(); }
    GridColumns& Columns() { return model_->Columns(); }
    GridSelection& Selection() { return model_->Selection(); }
    // Shows another model (one the grid's automation object holds).
    void SetModel(std::shared_ptr<GridModel> model);

    // While controls are disabled, changes to the data do not repaint.
    void DisableControls() { model_->DisableControls(); }
    void EnableControls() { model_->EnableControls(); }
    bool ControlsDisabled() const { return model_->ControlsDisabled(); }
    // After the rows or columns change: scroll ranges, focus and painting.
    void Refresh() { model_->Changed(); }

    int RowHeight() const { return rowHeight_; }
    int HeaderHeight() const { return headerHeight_; }
    int TopRow() const { return topRow_; }
    int ScrollX() const { return scrollX_; }
    // Rows wholly in view (at least one).
    int PageRows() const;

    // Moves the focus as a click or arrow key does (without modifiers the row
    // becomes the only selected one) and scrolls it into view.
    void FocusRow(int row, bool extend = false, bool keepSelection = false);
    void SetTopRow(int row);
    void SetScrollX(int x);
    // -1 over the header, below the last row or outside the window.
    int RowAtPoint(int y) const;
    // The text Ctrl+C copies: the selected rows (or the focused one) in row order.
    std::string SelectionText() const;
    bool CopySelection();
    // Widens or narrows each column to fit its caption and its text in the
    // first sampleRows rows (measuring every row of a large set would stall).
    void BestFitColumns(int sampleRows = kBestFitSample);
    static constexpr int kBestFitSample = 1000;

    // The column of the focused cell (a visible one), or -1 without columns.
    int FocusedColumn() const;
    void SetFocusedColumn(int column);
    // A cell's rectangle in client coordinates (it may lie outside the client).
    RECT CellRect(int row, int column) const;

    // Opens the editor of the focused cell, as F2 (byMouse false) or a click
    // does; false when the cell cannot be edited or the container refuses.
    bool OpenEditor(bool byMouse);
    GridEditor* Editor() const { return editor_.get(); }
    int EditedRow() const { return editRow_; }
    int EditedColumn() const { return editColumn_; }
    // Stores the editor's value and closes it; false (the editor stays open)
    // when the value does not fit, the container refuses it or the record
    // cannot take it.
    bool CommitEditor();
    void CancelEditor();

private:
    explicit GridView(HWND hwnd);
    ~GridView() override;
    void EditorCommit() override { CommitEditor(); }
    void EditorCancel() override { CancelEditor(); }
    void EditorButton() override;
    void CloseEditor();
    // Ends an open editor before the user works elsewhere: false when its
    // value was refused and it stays open.
    bool FinishEditing();
    // The cell's editor, lent by the lender column.
    GridEditorSetup EditorSetup(int row, int column, int lender) const;
    // A lookup without a list offers the column's distinct values, this many at most.
    static constexpr size_t kLookupValueLimit = 1000;
    std::vector<std::string> ColumnValues(int column, size_t limit) const;
    int ShiftState() const;
    void MoveFocusedColumn(int step);
    void OnModelChanged();
    static constexpr const char* kObjectProp = "tw.datagrid";
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend LRESULT tw::ObjectWindowProc<GridView>(const char*, HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void MeasureFont();
    void UpdateScrollBars();
    void ShowArrivedRows(int rowsBefore);
    void ClampScroll();
    void Invalidate();
    void ScrollIntoView(int row);
    void OnPaint();
    void PaintHeader(HDC dc, const RECT& client);
    void PaintRows(HDC dc, const RECT& client);
    void PaintCell(HDC dc, int row, int column, const RECT& cell, bool selected, int field);
    // A check-box column's cells show a box, ticked when the cell holds the ticked text.
    static void PaintCheckBox(HDC dc, const RECT& cell, bool checked);
    static constexpr int kCheckBoxSize = 13;
    bool OnKeyDown(UINT vk);
    void OnChar(WPARAM character, LPARAM lParam);
    void OnButtonDown(int x, int y, WPARAM keys);
    void OnMouseMove(int x, int y, WPARAM keys);
    void OnScroll(int bar, int code);
    // The column whose right divider is under x in the header, or -1.
    int DividerAt(int x, int y) const;

    HWND hwnd_;
    std::shared_ptr<GridModel> model_;
    HFONT font_ = nullptr;
    int rowHeight_ = 18;
    int headerHeight_ = 20;
    int topRow_ = 0;
    int shownRows_ = 0; // rows the scroll bar counted while a load runs
    int scrollX_ = 0;
    int anchor_ = -1;
    // The column being resized by its divider, and where the drag started.
    int trackColumn_ = -1;
    int trackStartX_ = 0;
    int trackStartWidth_ = 0;
    // A plain or Shift press on a row extends the selection while the button is held.
    bool dragSelecting_ = false;
    int focusedColumn_ = -1;
    std::unique_ptr<GridEditor> editor_;
    // The cell being edited: its value goes to this column even when another
    // column lends the editor.
    int editRow_ = -1;
    int editColumn_ = -1;
};

}  // namespace tw::grid
