// The grid's columns: what each shows (a field, by name) and how (caption, width).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::grid {

struct GridColumn {
    std::string name;
    std::string caption;
    std::string fieldName;
    int width = 100;
    // The choices a pick-list editor offers in this column's cells.
    std::vector<std::string> pickList;
};

class GridColumns {
public:
    static constexpr int kMinWidth = 4;

    // Appends a column named "ColumnN" (N one past the count) and returns its index.
    int Add();
    void Destroy() { columns_.clear(); }
    int Count() const { return int(columns_.size()); }
    GridColumn* Item(int index);
    const GridColumn* Item(int index) const;
    // -1 when none matches (ASCII case ignored).
    int IndexByName(std::string_view name) const;
    int IndexByFieldName(std::string_view fieldName) const;
    bool SetWidth(int index, int width);
    int TotalWidth() const;
    // The left edge of a column in grid coordinates (before horizontal scrolling).
    int Left(int index) const;

private:
    std::vector<GridColumn> columns_;
};

}  // namespace tw::grid
