// The focused row and the selected rows, kept in the order they were selected
// (callers walk them in that order).
#pragma once

#include <unordered_set>
#include <vector>

namespace tw::grid {

class GridSelection {
public:
    // -1 while the grid has no rows.
    int Focused() const { return focused_; }
    void SetFocused(int row) { focused_ = row; }

    const std::vector<int>& Rows() const { return order_; }
    int Count() const { return int(order_.size()); }
    bool IsSelected(int row) const { return members_.count(row) != 0; }
    void Select(int row);
    void Deselect(int row);
    void Toggle(int row);
    void Clear();
    // Selects first..last (either order) after whatever is selected, walking from first.
    void SelectRange(int first, int last);
    // Forgets rows at or past the count, as after rows are removed.
    void Truncate(int rowCount);

private:
    int focused_ = -1;
    std::vector<int> order_;
    std::unordered_set<int> members_;
};

}  // namespace tw::grid
