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

bool IsEditorKind(int kind)
{
    return kind >= int(EditorKind::Text) && kind <= int(EditorKind::Hyperlink);
}

int GridColumns::Add()
{
    GridColumn column;
    column.name = "Column" + std::to_string(columns_.size() + 1);
    return Add(std::move(column));
}

int GridColumns::Add(GridColumn column)
{
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

int GridColumns::FindByFieldThenName(std::string_view text) const
{
    const int byField = IndexByFieldName(text);
    return byField >= 0 ? byField : IndexByName(text);
}

int GridColumns::FindByNameThenField(std::string_view text) const
{
    const int byName = IndexByName(text);
    return byName >= 0 ? byName : IndexByFieldName(text);
}

std::vector<int> GridColumns::VisibleIndexes() const
{
    std::vector<int> shown;
    for (int i = 0; i < Count(); ++i) {
        if (columns_[size_t(i)].visible)
            shown.push_back(i);
    }
    return shown;
}

int GridColumns::AtX(int x) const
{
    int left = 0;
    for (int i = 0; i < Count(); ++i) {
        if (!columns_[size_t(i)].visible)
            continue;
        const int right = left + columns_[size_t(i)].width;
        if (x >= left && x < right)
            return i;
        left = right;
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
    for (int i = 0; i < index && i < Count(); ++i) {
        if (columns_[size_t(i)].visible)
            left += columns_[size_t(i)].width;
    }
    return left;
}

}  // namespace tw::grid
