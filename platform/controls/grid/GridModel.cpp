#include "platform/controls/grid/GridModel.h"

#include <algorithm>
#include <string_view>

namespace tw::grid {

void GridModel::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ > 0)
        return;
    // Controls are disabled around bulk loads, so the rows are complete here.
    dataset_.Compact();
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

void GridModel::BestFitColumns()
{
    if (bestFit_)
        bestFit_();
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

int GridModel::DeleteSelectedRows()
{
    std::vector<int> rows = selection_.Rows();
    if (rows.empty())
        return 0;
    std::sort(rows.begin(), rows.end());
    const int deleted = dataset_.DeleteRows(rows);
    const int next = rows.back() + 1 - deleted;
    selection_.Clear();
    selection_.SetFocused(-1);
    if (dataset_.RowCount() > 0)
        MoveTo(std::min(next, dataset_.RowCount() - 1));
    else
        Changed();
    return deleted;
}

namespace gridmodel_detail {

void AppendTabCell(std::string& out, std::string_view text)
{
    if (text.find_first_of("\t\r\n\"") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace gridmodel_detail

std::string GridModel::TabSeparated(const std::vector<int>& rows, bool withCaptions) const
{
    std::string out;
    auto line = [&](auto cellText) {
        for (int c = 0; c < columns_.Count(); ++c) {
            if (c > 0)
                out.push_back('\t');
            gridmodel_detail::AppendTabCell(out, cellText(c));
        }
        out.append("\r\n");
    };
    if (withCaptions)
        line([&](int c) { return std::string_view(columns_.Item(c)->caption); });
    std::vector<int> fieldOf;
    for (int c = 0; c < columns_.Count(); ++c)
        fieldOf.push_back(dataset_.FieldIndex(columns_.Item(c)->fieldName));
    for (int row : rows)
        line([&](int c) { return dataset_.Text(row, fieldOf[size_t(c)]); });
    return out;
}

}  // namespace tw::grid
