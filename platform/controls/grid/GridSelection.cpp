#include "platform/controls/grid/GridSelection.h"

#include <algorithm>

namespace tw::grid {

void GridSelection::Select(int row)
{
    if (row < 0 || !members_.insert(row).second)
        return;
    order_.push_back(row);
}

void GridSelection::Deselect(int row)
{
    if (members_.erase(row) == 0)
        return;
    order_.erase(std::find(order_.begin(), order_.end(), row));
}

void GridSelection::Toggle(int row)
{
    if (IsSelected(row))
        Deselect(row);
    else
        Select(row);
}

void GridSelection::Clear()
{
    order_.clear();
    members_.clear();
}

void GridSelection::SelectRange(int first, int last)
{
    const int step = first <= last ? 1 : -1;
    for (int row = first;; row += step) {
        Select(row);
        if (row == last)
            break;
    }
}

void GridSelection::Truncate(int rowCount)
{
    std::erase_if(order_, [&](int row) { return row >= rowCount; });
    std::erase_if(members_, [&](int row) { return row >= rowCount; });
    if (focused_ >= rowCount)
        focused_ = rowCount - 1;
}

}  // namespace tw::grid
