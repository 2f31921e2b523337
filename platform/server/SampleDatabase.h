// The sample database a fresh server creates: related tables with keys and
// indexes, a view, a procedure with an OUTPUT parameter and a RETURN value, a
// function, a trigger, extended properties and a few hundred rows.
#pragma once

#include <string>
#include <vector>

namespace tw::server {

class SampleDatabase {
public:
    // The batches that build it, run in the sample database in order.
    static std::vector<std::string> Batches();
};

} // namespace tw::server
