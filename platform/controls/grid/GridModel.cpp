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

GridEvents& GridModel::Events()
{
    static GridEvents nobody;
    return events_ ? *events_ : nobody;
}

bool GridModel::Open()
{
    if (dataset_.FieldCount() == 0)
        return false;
    if (state_ == DataState::Inactive) {
        state_ = DataState::Browse;
        Events().DataStateChanged(state_);
    }
    return true;
}

void GridModel::Close()
{
    state_ = DataState::Inactive;
    recordModified_ = false;
    dataset_.Clear();
    selection_.Clear();
    selection_.SetFocused(-1);
    Changed();
    Events().DataStateChanged(state_);
}

bool GridModel::Edit()
{
    const int row = selection_.Focused();
    if (!Active() || row < 0 || row >= dataset_.RowCount())
        return false;
    if (Editing())
        return true;
    state_ = DataState::Edit;
    recordModified_ = false;
    Events().DataStateChanged(state_);
    return true;
}

bool GridModel::Insert()
{
    if (!Active())
        return false;
    Post();
    if (!dataset_.Append({}))
        return false;
    if (writer_ && !writer_->AppendRecord()) {
        dataset_.Delete(dataset_.RowCount() - 1);
        return false;
    }
    MoveTo(dataset_.RowCount() - 1);
    state_ = DataState::Insert;
    recordModified_ = false;
    Events().DataStateChanged(state_);
    return true;
}

void GridModel::Post()
{
    if (!Editing())
        return;
    // The container hears of the stored row while it is still the record in
    // edit, so it can still set its fields; a Post of its own ends the edit.
    if (recordModified_) {
        recordModified_ = false;
        Events().RowPosted(selection_.Focused());
        if (!Editing())
            return;
    }
    state_ = DataState::Browse;
    Changed();
    Events().DataStateChanged(state_);
}

bool GridModel::SetValue(int row, int field, std::optional<std::string_view> value)
{
    if (row < 0 || row >= dataset_.RowCount() || field < 0 || field >= dataset_.FieldCount())
        return false;
    std::string flag;
    if (value && IsYesNo(dataset_.Field(field).type)) {
        flag = FlagText(*value);
        value = flag;
    }
    if (writer_ && !writer_->StoreValue(row, field, value))
        return false;
    return dataset_.SetText(row, field, value);
}

bool GridModel::DeleteRow(int row)
{
    if (row < 0 || row >= dataset_.RowCount())
        return false;
    if (writer_ && !writer_->DeleteRecord(row))
        return false;
    dataset_.Delete(row);
    selection_.Deselect(row);
    return true;
}

int GridModel::FieldOfColumn(int column) const
{
    const GridColumn* item = columns_.Item(column);
    return item ? dataset_.FieldIndex(item->fieldName) : -1;
}

bool GridModel::StoreCell(int row, int column, std::string_view text)
{
    if (!Active() || row < 0 || row >= dataset_.RowCount())
        return false;
    if (row != selection_.Focused())
        SetFocusedRow(row);
    if (!Editing() && !Edit())
        return false;
    const int field = FieldOfColumn(column);
    if (field < 0 || !SetValue(row, field, text))
        return false;
    recordModified_ = true;
    Changed();
    Events().DataStateChanged(DataState::Modified);
    return true;
}

void GridModel::SetFocusedRow(int row)
{
    const int previous = selection_.Focused();
    if (row == previous)
        return;
    Post();
    selection_.SetFocused(row);
    if (!ControlsDisabled())
        Events().FocusedRowChanged(previous, row);
}

bool GridModel::AppendRow(const std::vector<std::optional<std::string_view>>& cells)
{
    if (!AppendCells(cells))
        return false;
    MoveTo(dataset_.RowCount() - 1);
    return true;
}

// Flags read "True" or "False" whatever form the caller gave them in.
bool GridModel::AppendCells(const std::vector<std::optional<std::string_view>>& cells)
{
    bool anyFlag = false;
    for (size_t f = 0; f < cells.size() && f < size_t(dataset_.FieldCount()); ++f)
        anyFlag |= cells[f] && IsYesNo(dataset_.Field(int(f)).type);
    if (!anyFlag)
        return dataset_.Append(cells);
    std::vector<std::string> flags(cells.size());
    std::vector<std::optional<std::string_view>> views(cells);
    for (size_t f = 0; f < cells.size() && f < size_t(dataset_.FieldCount()); ++f) {
        if (cells[f] && IsYesNo(dataset_.Field(int(f)).type)) {
            flags[f] = FlagText(*cells[f]);
            views[f] = flags[f];
        }
    }
    return dataset_.Append(views);
}

size_t GridModel::TakeIntake()
{
    // A container that hears of the rows (focus events) may call back into
    // the grid meanwhile: the rows it has not seen yet come with the next take.
    if (takingIntake_ || !intake_.Pending())
        return 0;
    takingIntake_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{takingIntake_};
    // A row taken while the dataset was open is kept as if appended then; a
    // dataset closed since drops it as Close drops every row. During a bulk
    // load nothing is announced, so only the last row needs to become current.
    const bool quiet = ControlsDisabled();
    bool appended = false;
    const size_t rows = intake_.Drain([&](const auto& cells) {
        if (!Active())
            return;
        if (quiet)
            appended |= AppendCells(cells);
        else
            AppendRow(cells);
    });
    if (appended)
        MoveTo(dataset_.RowCount() - 1);
    PublishShape();
    return rows;
}

void GridModel::PublishShape()
{
    intake_.Publish({Active(), Bound(), dataset_.FieldCount()});
}

void GridModel::MoveTo(int row)
{
    if (dataset_.RowCount() == 0)
        return;
    row = std::clamp(row, 0, dataset_.RowCount() - 1);
    SetFocusedRow(row);
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
    int deleted = 0;
    if (writer_) {
        // Each row goes through the writer, last first so the indexes hold.
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            deleted += DeleteRow(*it) ? 1 : 0;
    } else {
        deleted = dataset_.DeleteRows(rows);
    }
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
    const std::vector<int> shown = columns_.VisibleIndexes();
    auto line = [&](auto cellText) {
        for (int c = 0; c < int(shown.size()); ++c) {
            if (c > 0)
                out.push_back('\t');
            gridmodel_detail::AppendTabCell(out, cellText(c));
        }
        out.append("\r\n");
    };
    if (withCaptions)
        line([&](int c) { return std::string_view(columns_.Item(shown[size_t(c)])->caption); });
    std::vector<int> fieldOf;
    for (int c : shown)
        fieldOf.push_back(dataset_.FieldIndex(columns_.Item(c)->fieldName));
    for (int row : rows)
        line([&](int c) { return dataset_.Text(row, fieldOf[size_t(c)]); });
    return out;
}

}  // namespace tw::grid
