#include "tests/platform/controls/grid/DispatchTable.h"

#include <fstream>
#include <sstream>

namespace tw::grid::testing {

std::vector<DispatchEntry> LoadDispatchTable()
{
    std::ifstream file(std::string(TW_SOURCE_DIR) + "/tests/platform/controls/grid/data/dispatch_ids.tsv");
    std::vector<DispatchEntry> entries;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::stringstream stream(line);
        for (std::string cell; std::getline(stream, cell, '\t');)
            cells.push_back(cell);
        if (cells.size() != 9)
            continue;
        entries.push_back({cells[0], DISPID(std::stol(cells[1])), cells[2], cells[3], cells[4], cells[5], cells[6],
                           cells[7], cells[8]});
    }
    return entries;
}

}  // namespace tw::grid::testing
