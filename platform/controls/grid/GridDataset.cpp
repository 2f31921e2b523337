#include "platform/controls/grid/GridDataset.h"

#include <algorithm>
#include <climits>

namespace tw::grid {

bool IsYesNo(FieldType type)
{
    return type == FieldType::Boolean || type == FieldType::Flag;
}

std::string FlagText(std::string_view value)
{
    auto equalsNoCase = [value](std::string_view word) {
        if (value.size() != word.size())
            return false;
        for (size_t i = 0; i < value.size(); ++i) {
            const char c = value[i] >= 'A' && value[i] <= 'Z' ? char(value[i] - 'A' + 'a') : value[i];
            if (c != word[i])
                return false;
        }
        return true;
    };
    if (value == "-1" || value == "1" || equalsNoCase("true"))
        return "True";
    if (value == "0" || equalsNoCase("false"))
        return "False";
    return std::string(value);
}


namespace {

constexpr uint64_t kNullBit = uint64_t(1) << 63;

bool SameNameAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

bool GridDataset::AddField(FieldDef field)
{
    if (!cellEnd_.empty() || field.name.empty() || FieldIndex(field.name) >= 0)
        return false;
    fields_.push_back(std::move(field));
    return true;
}

void GridDataset::ClearFields()
{
    Clear();
    fields_.clear();
}

int GridDataset::FieldIndex(std::string_view name) const
{
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (SameNameAscii(fields_[i].name, name))
            return int(i);
    }
    return -1;
}

bool GridDataset::Append(const std::vector<std::optional<std::string_view>>& cells)
{
    const size_t stored = cellEnd_.size() / std::max<size_t>(fields_.size(), 1);
    if (fields_.empty() || cells.size() > fields_.size() || stored >= size_t(INT_MAX))
        return false;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const bool present = i < cells.size() && cells[i].has_value();
        const uint64_t end = present ? text_.Append(*cells[i]) : text_.End();
        cellEnd_.push_back(end | (present ? 0 : kNullBit));
    }
    if (!inStoredOrder_)
        order_.push_back(uint32_t(stored));
    return true;
}

void GridDataset::KeepOwnOrder()
{
    if (!inStoredOrder_)
        return;
    order_.resize(StoredRows());
    for (size_t row = 0; row < order_.size(); ++row)
        order_[row] = uint32_t(row);
    inStoredOrder_ = false;
}

bool GridDataset::Delete(int row)
{
    if (row < 0 || row >= RowCount())
        return false;
    KeepOwnOrder();
    order_.erase(order_.begin() + row);
    return true;
}

int GridDataset::DeleteRows(const std::vector<int>& ascendingRows)
{
    // One pass over the row order, however many rows go.
    if (ascendingRows.empty())
        return 0;
    KeepOwnOrder();
    size_t next = 0, kept = 0;
    int deleted = 0;
    for (size_t row = 0; row < order_.size(); ++row) {
        while (next < ascendingRows.size() && ascendingRows[next] < int(row))
            ++next;
        if (next < ascendingRows.size() && ascendingRows[next] == int(row)) {
            ++deleted;
            continue;
        }
        order_[kept++] = order_[row];
    }
    order_.resize(kept);
    return deleted;
}

namespace {

// Gives back a buffer's unused capacity when it is more than a quarter of its size.
template <class Buffer>
void ShrinkLoose(Buffer& buffer)
{
    if (buffer.capacity() - buffer.size() > buffer.size() / 4)
        buffer.shrink_to_fit();
}

}  // namespace

void GridDataset::Compact()
{
    cellEnd_.ShrinkLoose();
    ShrinkLoose(order_);
}

void GridDataset::Reserve(size_t rows, size_t textBytes)
{
    cellEnd_.reserve(rows * fields_.size());
    if (!inStoredOrder_)
        order_.reserve(rows);
    text_.Reserve(textBytes);
}

void GridDataset::Clear()
{
    cellEnd_.clear();
    text_.Clear();
    edited_.clear();
    order_.clear();
    order_.shrink_to_fit();
    inStoredOrder_ = true;
}

bool GridDataset::InRange(int row, int field) const
{
    return row >= 0 && row < RowCount() && field >= 0 && field < FieldCount();
}

std::string_view GridDataset::Text(int row, int field) const
{
    if (!InRange(row, field))
        return {};
    const size_t cell = CellIndex(row, field);
    if (!edited_.empty()) {
        auto it = edited_.find(cell);
        if (it != edited_.end())
            return it->second ? std::string_view(*it->second) : std::string_view();
    }
    const uint64_t end = cellEnd_[cell] & ~kNullBit;
    const uint64_t begin = cell == 0 ? 0 : cellEnd_[cell - 1] & ~kNullBit;
    return text_.View(begin, end);
}

bool GridDataset::IsNull(int row, int field) const
{
    if (!InRange(row, field))
        return true;
    const size_t cell = CellIndex(row, field);
    if (!edited_.empty()) {
        auto it = edited_.find(cell);
        if (it != edited_.end())
            return !it->second.has_value();
    }
    return (cellEnd_[cell] & kNullBit) != 0;
}

bool GridDataset::SetText(int row, int field, std::optional<std::string_view> text)
{
    if (!InRange(row, field))
        return false;
    edited_[CellIndex(row, field)] = text ? std::optional<std::string>(std::string(*text)) : std::nullopt;
    return true;
}

size_t GridDataset::BytesUsed() const
{
    size_t edits = 0;
    for (const auto& [cell, text] : edited_)
        edits += sizeof(cell) + sizeof(text) + (text ? text->capacity() : 0) + 2 * sizeof(void*);
    return cellEnd_.capacity() * sizeof(uint64_t) + order_.capacity() * sizeof(uint32_t) + text_.BytesAllocated() + edits;
}

}  // namespace tw::grid
