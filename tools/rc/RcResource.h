// One compiled resource: its type, name and language, and its bytes in the
// platform's layout.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/windef.h"
#include "tools/rc/RcError.h"

namespace tw::rc {

struct RcResource {
    WORD typeId = 0;
    std::string typeName;  // upper case; empty for a numbered type
    WORD nameId = 0;
    std::string nameText;  // upper case; empty for a numbered resource
    WORD language = 0x0409;
    std::vector<BYTE> data;
    RcLocation where;

    bool SameKey(const RcResource& other) const
    {
        return typeId == other.typeId && typeName == other.typeName && nameId == other.nameId &&
               nameText == other.nameText && language == other.language;
    }
};

}  // namespace tw::rc
