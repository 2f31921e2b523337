// The table of one module's compiled resources, as the resource compiler
// generates it. Entries are constant data; the loader hands out pointers into
// them, so they live as long as the program. The table itself is only a view
// of them and is copied when registered.
#pragma once

#include <cstddef>

#include "platform/win32/windef.h"

namespace tw {

struct ResourceEntry {
    WORD typeId;           // used when typeName is null
    const char* typeName;  // upper case, or null for a numbered type
    WORD nameId;           // used when nameText is null
    const char* nameText;  // upper case, or null for a numbered resource
    WORD language;
    const BYTE* data;
    DWORD size;
};

struct ResourceTable {
    const ResourceEntry* entries;
    size_t count;
};

}  // namespace tw
