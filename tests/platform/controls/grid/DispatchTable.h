// The checked-in table of the grid's dispatch and event ids.
#pragma once

#include <string>
#include <vector>

#include "platform/com/ComSupport.h"

namespace tw::grid::testing {

struct DispatchEntry {
    std::string object;
    DISPID dispid = 0;
    std::string kind;
    std::string name;
    std::string arguments;
    std::string sample;
    std::string result;
    std::string setup;
    std::string effect;
};

std::vector<DispatchEntry> LoadDispatchTable();

}  // namespace tw::grid::testing
