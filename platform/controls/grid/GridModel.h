// What a grid shows, apart from any window: the dataset, the columns and the
// selection. The grid's automation objects and its window share one model;
// the window listens for changes so that calls made before or without a
// window still land.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/grid/GridColumns.h"
#include "platform/controls/grid/GridDataset.h"
#include "platform/controls/grid/GridEvents.h"
#include "platform/controls/grid/GridRowIntake.h"
#include "platform/controls/grid/GridSelection.h"

namespace tw::grid {

// Where the records live besides the grid (a bound recordset): told of each
// change first, and a change it refuses is not made in the grid either.
class GridRecordWriter {
public:
    virtual ~GridRecordWriter() = default;
    virtual bool StoreValue(int row, int field, std::optional<std::string_view> value) = 0;
    // An empty record was appended as the last row.
    virtual bool AppendRecord() = 0;
    virtual bool DeleteRecord(int row) = 0;
};

class GridModel {
public:
    GridDataset& Dataset() { return dataset_; }
    const GridDataset& Dataset() const { return dataset_; }
    GridColumns& Columns() { return columns_; }
    const GridColumns& Columns() const { return columns_; }
    GridSelection& Selection() { return selection_; }
    const GridSelection& Selection() const { return selection_; }

    // While controls are disabled no change is announced; the count nests,
    // and the last Enable announces one.
    void DisableControls() { ++disableCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Tells the listener (the window) that rows, columns or the focus changed.
    void Changed();
    void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // Asks the window to size each column to its caption and the text of the
    // first rows; without a window there is nothing to measure with.
    void BestFitColumns();
    void SetBestFitHandler(std::function<void()> handler) { bestFit_ = std::move(handler); }

    // The window showing the model, whose thread owns it; null without one.
    // Read from any thread.
    void SetWindow(HWND window) { window_.store(window); }
    HWND Window() const { return window_.load(); }

    // The container that hears of the user's work; null for none. Not owned.
    void SetEvents(GridEvents* events) { events_ = events; }
    GridEvents& Events();

    // Null while the grid's own rows are the only copy. Not owned.
    void SetRecordWriter(GridRecordWriter* writer) { writer_ = writer; }
    bool Bound() const { return writer_ != nullptr; }
    // Changes to the rows that go through the writer when one is set.
    bool SetValue(int row, int field, std::optional<std::string_view> value);
    bool DeleteRow(int row);

    // The dataset's state: Open makes it browsable, Close empties it.
    DataState State() const { return state_; }
    bool Active() const { return state_ != DataState::Inactive; }
    bool Open();
    void Close();
    // Puts the current record into edit state; false without one.
    bool Edit();
    // Appends an empty record, makes it current and puts it into insert state.
    bool Insert();
    bool Editing() const { return state_ == DataState::Edit || state_ == DataState::Insert; }
    // Stores the record being edited: a record the user changed is reported
    // as posted. Back to browsing either way.
    void Post();
    // A value the user typed into a cell: the record goes into edit state if
    // it was browsing, takes the value and is reported modified.
    bool StoreCell(int row, int column, std::string_view text);
    // The dataset field a column shows, or -1.
    int FieldOfColumn(int column) const;

    // Appends a record as the dataset's AppendRecord does: flags read "True" or
    // "False", and the new row becomes current. False when the dataset refuses it.
    bool AppendRow(const std::vector<std::optional<std::string_view>>& cells);
    // Rows other threads appended meanwhile; only the window's thread moves
    // them into the dataset (TakeIntake, which answers how many), and it
    // states the grid's shape for the next ones (PublishShape).
    GridRowIntake& Intake() { return intake_; }
    size_t TakeIntake();
    void PublishShape();

    // The current record of the dataset is the focused row; moving it selects it alone.
    void MoveTo(int row);
    // Moves the focus alone (the selection is the caller's), storing an edit
    // of the row left and telling the container.
    void SetFocusedRow(int row);
    // Deletes the selected rows; the row after the last of them becomes current.
    int DeleteSelectedRows();

    // The given rows' cells under the columns, tab-separated, each line ended
    // by CR LF, optionally after a line of captions. A cell holding a tab, a
    // line break or a quote is quoted, as spreadsheets read such text back.
    std::string TabSeparated(const std::vector<int>& rows, bool withCaptions) const;

private:
    GridDataset dataset_;
    GridColumns columns_;
    GridSelection selection_;
    int disableCount_ = 0;
    GridEvents* events_ = nullptr;
    GridRecordWriter* writer_ = nullptr;
    std::atomic<HWND> window_{nullptr};
    DataState state_ = DataState::Inactive;
    // The record being edited was changed by the user since Edit or Insert.
    bool recordModified_ = false;
    bool AppendCells(const std::vector<std::optional<std::string_view>>& cells);

    std::function<void()> listener_;
    std::function<void()> bestFit_;
    GridRowIntake intake_;
    bool takingIntake_ = false;
};

}  // namespace tw::grid
