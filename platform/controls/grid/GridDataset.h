// The rows a grid shows: field definitions and records held compactly. Every
// cell is text (the grid shows and copies text); the cells of all rows are
// packed end to end in blocks, so a row costs its text plus one offset per field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls/grid/GridTextStore.h"

namespace tw::grid {

// Field kinds by the codes callers pass: 1 and 3 hold text (3 also holds the
// numbers some grids keep), 4 and 5 a yes/no flag. Cells are kept as text
// whatever the kind; a flag's cells read "True" or "False".
enum class FieldType : int {
    Unknown = 0,
    Text = 1,
    String = 3,
    Boolean = 4,
    Flag = 5,
};
bool IsYesNo(FieldType type);
// A flag as its cell reads: "True" for -1, 1 and any case of true, "False"
// for 0 and false; other text is kept as it is.
std::string FlagText(std::string_view value);

struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int size = 0;
};

class GridDataset {
public:
    // Field definitions can change only while the dataset holds no rows.
    bool AddField(FieldDef field);
    void ClearFields();
    int FieldCount() const { return int(fields_.size()); }
    const FieldDef& Field(int index) const { return fields_[size_t(index)]; }
    // -1 when no field has that name (compared without regard to ASCII case).
    int FieldIndex(std::string_view name) const;

    // A record of FieldCount() cells: fewer leave the rest null, more are refused.
    bool Append(const std::vector<std::optional<std::string_view>>& cells);
    void Reserve(size_t rows, size_t textBytes);
    // After a bulk load: gives back the room that growing left unused.
    void Compact();
    bool Delete(int row);
    // Rows given in ascending order; answers how many were deleted.
    int DeleteRows(const std::vector<int>& ascendingRows);
    void Clear();

    int RowCount() const { return inStoredOrder_ ? int(StoredRows()) : int(order_.size()); }
    std::string_view Text(int row, int field) const;
    bool IsNull(int row, int field) const;
    bool SetText(int row, int field, std::optional<std::string_view> text);

    // Memory held by the rows, for measuring.
    size_t BytesUsed() const;

private:
    bool InRange(int row, int field) const;
    size_t CellIndex(int row, int field) const
    {
        const size_t stored = inStoredOrder_ ? size_t(row) : size_t(order_[size_t(row)]);
        return stored * fields_.size() + size_t(field);
    }
    size_t StoredRows() const { return fields_.empty() ? 0 : cellEnd_.size() / fields_.size(); }
    // The first deletion makes the row order a list of its own.
    void KeepOwnOrder();

    std::vector<FieldDef> fields_;
    // Cell i occupies [cellEnd_[i-1], cellEnd_[i]) of the text; the top bit marks null.
    SegmentedArray<uint64_t> cellEnd_;
    GridTextStore text_;
    // Cells changed after they were appended: the arena only grows at its end.
    std::unordered_map<size_t, std::optional<std::string>> edited_;
    // Stored record numbers in the order the rows are shown, once a row was
    // deleted; until then rows show in the order they were stored and no list
    // is kept (a long result would otherwise grow and copy one as it arrives).
    std::vector<uint32_t> order_;
    bool inStoredOrder_ = true;
};

}  // namespace tw::grid
