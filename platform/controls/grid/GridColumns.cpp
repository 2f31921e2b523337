#include "platform/controls/grid/GridColumns.h"

#include <algorithm>

namespace tw::grid {

namespace {

bool SameColumnName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace

int GridColumns::Add()
{
    GridColumn column;
    column.name = "Column" + std::to_string(columns_.size() + 1);
    columns_.push_back(std::move(column));
    return Count() - 1;
}

GridColumn* GridColumns::Item(int index)
{
    return index >= 0 && index < Count() ? &columns_[size_t(index)] : nullptr;
}

const GridColumn* GridColumns::Item(int index) const
{
    return index >= 0 && index < Count() ? &columns_[size_t(index)] : nullptr;
}

int GridColumns::IndexByName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        if (SameColumnName(columns_[size_t(i)].name, name))
            return i;
    }
    return -1;
}

int GridColumns::IndexByFieldName(std::string_view fieldName) const
{
    for (int i = 0; i < Count(); ++i) {
        if (SameColumnName(columns_[size_t(i)].fieldName, fieldName))
            return i;
    }
    return -1;
}

bool GridColumns::SetWidth(int index, int width)
{
    GridColumn* column = Item(index);
    if (!column)
        return false;
    column->width = std::max(width, kMinWidth);
    return true;
}

int GridColumns::TotalWidth() const
{
    return Left(Count());
}

int GridColumns::Left(int index) const
{
    int left = 0;
    for (int i = 0; i < index && i < Count(); ++i)
        left += columns_[size_t(i)].width;
    return left;
}

}  // namespace tw::grid
