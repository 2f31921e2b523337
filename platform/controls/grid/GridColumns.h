// The grid's columns: what each shows (a field, by name) and how (caption, width).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tw::grid {

// How a column's cells are edited, by the kind numbers callers set (column
// property 46) and stored layouts carry.
enum class EditorKind : int {
    Text = 1,
    Mask = 2,
    Button = 3,
    Date = 4,
    Check = 5,
    Spin = 6,
    PickList = 7,
    Image = 8,
    Memo = 9,
    Time = 10,
    Lookup = 11,
    Currency = 12,
    Hyperlink = 13,
};
bool IsEditorKind(int kind);

struct GridColumn {
    std::string name;
    std::string caption;
    std::string fieldName;
    int width = 100;
    bool visible = true;
    // Column property 24: whether the user may edit the column's cells.
    bool editable = true;
    EditorKind editor = EditorKind::Text;
    // The choices a pick-list or lookup editor offers in this column's cells.
    std::vector<std::string> pickList;
    // A mask editor's pattern: 0 a digit, 9 a digit or blank, L a letter,
    // A a letter or digit, anything else itself. Empty accepts any text.
    std::string mask;
    // What a check-box cell holds ticked and clear.
    std::string checkedText = "True";
    std::string uncheckedText = "False";
    int spinIncrement = 1;
    // Rows a pick list or lookup shows when it drops down.
    int dropDownRows = 7;
    // Numbered properties with no behaviour of their own, kept and read back.
    std::map<int, int> numbered;
};

class GridColumns {
public:
    static constexpr int kMinWidth = 4;

    // Appends a column named "ColumnN" (N one past the count) and returns its index.
    int Add();
    int Add(GridColumn column);
    void Destroy() { columns_.clear(); }
    int Count() const { return int(columns_.size()); }
    GridColumn* Item(int index);
    const GridColumn* Item(int index) const;
    // -1 when none matches (ASCII case ignored).
    int IndexByName(std::string_view name) const;
    int IndexByFieldName(std::string_view fieldName) const;
    // The lookups callers make by text: by field, else by name; and by name,
    // else by field (template columns have no field).
    int FindByFieldThenName(std::string_view text) const;
    int FindByNameThenField(std::string_view text) const;
    // The columns shown, in order.
    std::vector<int> VisibleIndexes() const;
    bool SetWidth(int index, int width);
    // Widths of the visible columns only.
    int TotalWidth() const;
    // The left edge of a column in grid coordinates (before horizontal scrolling).
    int Left(int index) const;
    // The visible column under x (grid coordinates), or -1.
    int AtX(int x) const;

private:
    std::vector<GridColumn> columns_;
};

}  // namespace tw::grid
