// A compile error with the place it was found; what() reads
// "file:line: error: message", the form editors and the build jump to.
#pragma once

#include <stdexcept>
#include <string>

namespace tw::rc {

struct RcLocation {
    std::string file;
    int line = 0;
};

class RcError : public std::runtime_error {
public:
    RcError(const RcLocation& where, const std::string& message)
        : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": error: " + message), m_where(where)
    {
    }
    const RcLocation& Where() const { return m_where; }

private:
    RcLocation m_where;
};

}  // namespace tw::rc
