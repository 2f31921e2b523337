#include "platform/shell/ItemIdList.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/winerror.h"

namespace tw::shell {

namespace {

constexpr size_t kItemCountBytes = sizeof(USHORT);

std::vector<std::string> PathComponents(const std::string& absolutePath)
{
    std::vector<std::string> names;
    for (const auto& part : std::filesystem::path(absolutePath).lexically_normal()) {
        const std::string name = part.string();
        if (name.empty() || name == "/")
            continue;
        names.push_back(name);
    }
    return names;
}

}  // namespace

USHORT ItemCount(const BYTE* item)
{
    USHORT count = 0;
    std::memcpy(&count, item, sizeof count);
    return count;
}

IMalloc* ShellAllocator()
{
    IMalloc* malloc = nullptr;
    SHGetMalloc(&malloc);
    return malloc;
}

LPITEMIDLIST ItemIdListFromPath(const std::string& absolutePath)
{
    auto names = PathComponents(absolutePath);
    // The empty list is the desktop, so the root folder is an item of its own.
    if (names.empty())
        names.push_back("/");
    size_t bytes = kItemCountBytes;
    for (const auto& name : names) {
        if (name.size() + kItemCountBytes > 0xFFFF)
            return nullptr;
        bytes += kItemCountBytes + name.size();
    }
    auto* list = static_cast<BYTE*>(ShellAllocator()->Alloc(bytes));
    if (!list)
        return nullptr;
    BYTE* out = list;
    for (const auto& name : names) {
        const USHORT count = USHORT(kItemCountBytes + name.size());
        std::memcpy(out, &count, sizeof count);
        std::memcpy(out + kItemCountBytes, name.data(), name.size());
        out += count;
    }
    const USHORT terminator = 0;
    std::memcpy(out, &terminator, sizeof terminator);
    return reinterpret_cast<LPITEMIDLIST>(list);
}

std::optional<std::string> PathFromItemIdList(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return std::nullopt;
    std::string path;
    for (auto* item = reinterpret_cast<const BYTE*>(pidl); ItemCount(item) != 0; item += ItemCount(item)) {
        const USHORT count = ItemCount(item);
        if (count <= kItemCountBytes)
            return std::nullopt;
        const std::string name(reinterpret_cast<const char*>(item + kItemCountBytes), count - kItemCountBytes);
        if (name == "/") {
            path = name;
            continue;
        }
        if (path.empty() || path.back() != '/')
            path += '/';
        path += name;
    }
    if (path.empty())
        return std::nullopt;
    return path;
}

}  // namespace tw::shell

HRESULT SHGetMalloc(IMalloc** ppMalloc)
{
    return CoGetMalloc(MEMCTX_TASK, ppMalloc);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    pszPath[0] = '\0';
    const auto path = tw::shell::PathFromItemIdList(pidl);
    if (!path || path->size() >= MAX_PATH)
        return FALSE;
    std::memcpy(pszPath, path->c_str(), path->size() + 1);
    return TRUE;
}

LPITEMIDLIST ILCreateFromPath(LPCSTR pszPath)
{
    if (!pszPath || !*pszPath)
        return nullptr;
    std::string path(pszPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    if (ec || !std::filesystem::exists(absolute, ec)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return tw::shell::ItemIdListFromPath(absolute.string());
}

UINT ILGetSize(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return 0;
    auto* item = reinterpret_cast<const BYTE*>(pidl);
    size_t size = sizeof(USHORT);
    while (USHORT count = tw::shell::ItemCount(item)) {
        size += count;
        item += count;
    }
    return UINT(size);
}

void ILFree(LPITEMIDLIST pidl)
{
    if (pidl)
        tw::shell::ShellAllocator()->Free(pidl);
}
