// Icon and cursor groups (RT_GROUP_ICON, RT_GROUP_CURSOR): a header and one
// 14-byte directory entry per image, naming the RT_ICON or RT_CURSOR resource
// that holds it. A cursor image starts with its hot spot (two WORDs) before
// the bitmap.
#pragma once

#include <optional>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

enum : WORD {
    kGroupTypeIcon = 1,
    kGroupTypeCursor = 2,
};

struct IconGroupEntry {
    WORD width = 0;   // an icon entry holds width and height in a byte (256 as 0)
    WORD height = 0;  // a cursor entry's height counts the mask too (twice the image)
    BYTE colorCount = 0;  // icons only
    WORD planes = 1;
    WORD bitCount = 0;
    DWORD bytesInRes = 0;
    WORD id = 0;
    bool operator==(const IconGroupEntry&) const = default;
};

struct IconGroup {
    WORD type = kGroupTypeIcon;
    std::vector<IconGroupEntry> entries;
    bool operator==(const IconGroup&) const = default;
};

std::vector<BYTE> WriteIconGroup(const IconGroup& group);
std::optional<IconGroup> ParseIconGroup(const void* data, size_t size);

}  // namespace tw::res
