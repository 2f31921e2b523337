// The grid's rows written out for other programs: tab-separated text, an HTML
// table and XML, each with the columns' captions and the rows in order. Null
// cells are written empty (XML marks them null).
#pragma once

#include <string>

#include "platform/controls/grid/GridModel.h"

namespace tw::grid {

class GridExport {
public:
    static std::string Text(const GridModel& model);
    static std::string Html(const GridModel& model);
    static std::string Xml(const GridModel& model);
    // Replaces the file; false when it cannot be written whole.
    static bool WriteFile(const std::string& path, const std::string& contents);
};

}  // namespace tw::grid
