#include "platform/controls/grid/GridModel.h"

#include <algorithm>

namespace tw::grid {

void GridModel::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ == 0)
        Changed();
}

void GridModel::Changed()
{
    if (ControlsDisabled())
        return;
    selection_.Truncate(dataset_.RowCount());
    if (selection_.Focused() < 0 && dataset_.RowCount() > 0)
        selection_.SetFocused(0);
    if (listener_)
        listener_();
}

void GridModel::MoveTo(int row)
{
    if (dataset_.RowCount() == 0)
        return;
    row = std::clamp(row, 0, dataset_.RowCount() - 1);
    selection_.SetFocused(row);
    selection_.Clear();
    selection_.Select(row);
    Changed();
}

}  // namespace tw::grid
