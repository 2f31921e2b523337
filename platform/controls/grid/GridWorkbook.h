// The grid's rows as a spreadsheet workbook (.xlsx): a caption row in bold,
// then the rows in order. Rows beyond what one sheet holds go on to further
// sheets, each with its caption row, so no row is left out.
#pragma once

#include <string>

#include "platform/controls/grid/GridModel.h"

namespace tw::grid {

class GridWorkbook {
public:
    // Rows of one sheet, the caption row included.
    static constexpr int kSheetRows = 1048576;

    // False, with the reason, when the workbook cannot be written whole.
    static bool Write(const GridModel& model, const std::string& path, std::string& error);
};

}  // namespace tw::grid
