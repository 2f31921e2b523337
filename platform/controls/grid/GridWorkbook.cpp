#include "platform/controls/grid/GridWorkbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

namespace tw::grid {

namespace gridworkbook_detail {

class WorkbookWriter {
public:
    WorkbookWriter(const GridModel& model, const std::string& path) : model_(model)
    {
        // Rows are written in order, so the sheet streams through a temporary
        // file instead of holding a million rows in memory.
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        workbook_ = workbook_new_opt(path.c_str(), &options);
    }
    ~WorkbookWriter()
    {
        // A workbook abandoned on an error is still closed to free it.
        if (workbook_)
            workbook_close(workbook_);
    }
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    bool Write(std::string& error)
    {
        if (!workbook_) {
            error = "The workbook cannot be created.";
            return false;
        }
        bold_ = workbook_add_format(workbook_);
        format_set_bold(bold_);
        shown_ = model_.Columns().VisibleIndexes();
        for (int c : shown_)
            fields_.push_back(model_.FieldOfColumn(c));
        const int rowsPerSheet = GridWorkbook::kSheetRows - 1;
        const int rowCount = model_.Dataset().RowCount();
        for (int first = 0; first == 0 || first < rowCount; first += rowsPerSheet) {
            if (!WriteSheet(first, std::min(rowCount, first + rowsPerSheet), error))
                return false;
        }
        const lxw_error closed = workbook_close(workbook_);
        workbook_ = nullptr;
        if (closed != LXW_NO_ERROR) {
            error = lxw_strerror(closed);
            return false;
        }
        return true;
    }

private:
    bool WriteSheet(int first, int end, std::string& error)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook_, nullptr);
        if (!sheet) {
            error = "The workbook cannot take another sheet.";
            return false;
        }
        for (int c = 0; c < int(shown_.size()); ++c) {
            const GridColumn& column = *model_.Columns().Item(shown_[size_t(c)]);
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), column.width / 7.0, nullptr);
            if (!Check(worksheet_write_string(sheet, 0, lxw_col_t(c), column.caption.c_str(), bold_), error))
                return false;
        }
        std::string text;
        for (int row = first; row < end; ++row) {
            const auto sheetRow = lxw_row_t(row - first + 1);
            for (size_t c = 0; c < fields_.size(); ++c) {
                if (model_.Dataset().IsNull(row, fields_[c]))
                    continue;
                text.assign(model_.Dataset().Text(row, fields_[c]));
                if (!Check(worksheet_write_string(sheet, sheetRow, lxw_col_t(c), text.c_str(), nullptr), error))
                    return false;
            }
        }
        return true;
    }

    static bool Check(lxw_error result, std::string& error)
    {
        if (result == LXW_NO_ERROR)
            return true;
        error = lxw_strerror(result);
        return false;
    }

    const GridModel& model_;
    lxw_workbook* workbook_ = nullptr;
    lxw_format* bold_ = nullptr;
    // The visible columns and the field each shows.
    std::vector<int> shown_;
    std::vector<int> fields_;
};

}  // namespace gridworkbook_detail

bool GridWorkbook::Write(const GridModel& model, const std::string& path, std::string& error)
{
    gridworkbook_detail::WorkbookWriter writer(model, path);
    return writer.Write(error);
}

}  // namespace tw::grid
