// What a grid shows, apart from any window: the dataset, the columns and the
// selection. The grid's automation objects and its window share one model;
// the window listens for changes so that calls made before or without a
// window still land.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/grid/GridColumns.h"
#include "platform/controls/grid/GridDataset.h"
#include "platform/controls/grid/GridSelection.h"

namespace tw::grid {

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

    // The current record of the dataset is the focused row; moving it selects it alone.
    void MoveTo(int row);
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
    std::function<void()> listener_;
    std::function<void()> bestFit_;
};

}  // namespace tw::grid
