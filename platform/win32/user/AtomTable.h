// Names registered for the process: window messages and clipboard formats
// share one table, as on the platform, so the same name gives the same
// number (0xC000 and up) to both, compared without case.
#pragma once

#include <string>

#include "platform/win32/windef.h"

namespace tw::user {

class AtomTable {
public:
    static AtomTable& Instance();
    UINT Register(const char* name);  // 0 for an empty or missing name
    std::string NameOf(UINT atom) const;

private:
    AtomTable() = default;
};

}  // namespace tw::user
