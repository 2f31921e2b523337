// The framework's toolbar resource (RT_TOOLBAR): little-endian WORDs for the
// version (1), image width, image height, item count, then one command id per
// item, 0 standing for a separator.
#pragma once

#include <optional>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

struct ToolbarResource {
    WORD version = 1;
    WORD imageWidth = 0;
    WORD imageHeight = 0;
    std::vector<WORD> items;
    bool operator==(const ToolbarResource&) const = default;
};

std::vector<BYTE> WriteToolbarResource(const ToolbarResource& toolbar);
// nullopt for another version or a count beyond the data.
std::optional<ToolbarResource> ParseToolbarResource(const void* data, size_t size);

}  // namespace tw::res
