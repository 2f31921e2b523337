// SHGetFileInfo: icons, names and attributes of files and folders.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/SystemImageList.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/Files.h"

namespace {

struct ShellFileFacts {
    std::string path;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    bool executable = false;
    bool desktop = false;
};

bool IsDesktopList(LPCSTR pszPath, UINT flags)
{
    return (flags & SHGFI_PIDL) && pszPath && tw::shell::ItemCount(reinterpret_cast<const BYTE*>(pszPath)) == 0;
}

std::optional<std::string> RequestedPath(LPCSTR pszPath, UINT flags)
{
    if (flags & SHGFI_PIDL)
        return tw::shell::PathFromItemIdList(reinterpret_cast<LPCITEMIDLIST>(pszPath));
    if (!pszPath)
        return std::nullopt;
    std::string path(pszPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// Without SHGFI_USEFILEATTRIBUTES the file must exist and tells its own kind.
std::optional<ShellFileFacts> GatherFacts(LPCSTR pszPath, DWORD attributes, UINT flags)
{
    if (IsDesktopList(pszPath, flags)) {
        ShellFileFacts desktop;
        desktop.attributes = FILE_ATTRIBUTE_DIRECTORY;
        desktop.desktop = true;
        return desktop;
    }
    auto path = RequestedPath(pszPath, flags);
    if (!path)
        return std::nullopt;
    ShellFileFacts facts;
    facts.path = *path;
    if ((flags & SHGFI_USEFILEATTRIBUTES) && !(flags & SHGFI_PIDL)) {
        facts.attributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
        return facts;
    }
    struct stat info{};
    if (facts.path.empty() || ::stat(facts.path.c_str(), &info) != 0)
        return std::nullopt;
    facts.attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    facts.executable = S_ISREG(info.st_mode) && ::access(facts.path.c_str(), X_OK) == 0;
    return facts;
}

void CopyBounded(char* out, size_t capacity, const std::string& text)
{
    const size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

}  // namespace

DWORD_PTR SHGetFileInfo(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo, UINT uFlags)
{
    if (psfi && cbFileInfo < sizeof(SHFILEINFO))
        return 0;
    const auto facts = GatherFacts(pszPath, dwFileAttributes, uFlags);
    if (!facts)
        return 0;
    const bool small = (uFlags & SHGFI_SMALLICON) != 0;
    const int icon = tw::shell::SystemIconFor(facts->path, facts->attributes, (uFlags & SHGFI_OPENICON) != 0,
                                              facts->executable);
    HIMAGELIST list = tw::shell::SystemImageList(small);
    if ((uFlags & (SHGFI_SYSICONINDEX | SHGFI_ICON)) && !list)
        return 0;
    if (psfi) {
        psfi->hIcon = nullptr;
        psfi->iIcon = icon;
        psfi->dwAttributes = 0;
        if (uFlags & SHGFI_ICON)
            psfi->hIcon = ImageList_GetIcon(list, icon, ILD_NORMAL);
        if (uFlags & SHGFI_DISPLAYNAME)
            CopyBounded(psfi->szDisplayName, sizeof psfi->szDisplayName, tw::shell::NamespaceDisplayName(facts->path, facts->desktop));
        if (uFlags & SHGFI_TYPENAME)
            CopyBounded(psfi->szTypeName, sizeof psfi->szTypeName,
                        (facts->attributes & FILE_ATTRIBUTE_DIRECTORY) ? "File Folder" : "File");
    }
    if (uFlags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<DWORD_PTR>(list);
    return TRUE;
}
