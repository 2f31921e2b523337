// Item-id lists over the local file system: one item per path component
// below "/", holding the component's name in UTF-8 (no terminator, the
// item's size bounds it); "/" itself is the single item "/".
#pragma once

#include <optional>
#include <string>

#include "platform/shell/shlobj.h"

namespace tw::shell {

// A list from the shell allocator for an absolute path (not checked against
// the disk); null when the allocation fails or a name is too long for an item.
LPITEMIDLIST ItemIdListFromPath(const std::string& absolutePath);

// "/a/b" for the items a, b; nothing for the empty list (the desktop).
std::optional<std::string> PathFromItemIdList(LPCITEMIDLIST pidl);

// The 16-bit size at the start of an item (unaligned read).
USHORT ItemCount(const BYTE* item);

// The process's shell allocator (not counted: it lives as long as the process).
IMalloc* ShellAllocator();

}  // namespace tw::shell
