// Helpers of the shell namespace shared by its folders, menus and file info.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/shlobj.h"

namespace tw::shell {

// The user's home folder ($HOME, else the password entry), without a
// trailing slash.
std::string HomeFolderPath();

// "Desktop" for the desktop, "Home" for the home folder, "File System" for
// "/", else the last component of the path.
std::string NamespaceDisplayName(const std::string& path, bool isDesktop);

// The path an item list names below a folder's path (empty: the desktop,
// whose items are whole paths).
std::string NamespaceChildPath(const std::string& folderPath, LPCITEMIDLIST pidl);

}  // namespace tw::shell
