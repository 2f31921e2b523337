// The desktop folder, file-system folders, their enumerators and context
// menus over the local file system.
#include "platform/shell/ShellNamespace.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "platform/com/Unknown.h"
#include "platform/shell/ItemIdList.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/winerror.h"

namespace tw::shell {

namespace {

constexpr size_t kNamespaceCountBytes = sizeof(USHORT);

std::string NamespaceJoin(const std::string& folder, const std::string& name)
{
    if (folder.empty() || name == "/")
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string NamespaceLastName(const std::string& path)
{
    if (path == "/")
        return path;
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool NamespaceIsDirectory(const std::string& path)
{
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A one-item list for a name (from the shell allocator).
LPITEMIDLIST NamespaceSingleItem(const std::string& name)
{
    if (name.size() + kNamespaceCountBytes > 0xFFFF)
        return nullptr;
    const size_t bytes = kNamespaceCountBytes + name.size() + kNamespaceCountBytes;
    auto* list = static_cast<BYTE*>(ShellAllocator()->Alloc(bytes));
    if (!list)
        return nullptr;
    const USHORT count = USHORT(kNamespaceCountBytes + name.size());
    std::memcpy(list, &count, sizeof count);
    std::memcpy(list + kNamespaceCountBytes, name.data(), name.size());
    std::memset(list + count, 0, kNamespaceCountBytes);
    return reinterpret_cast<LPITEMIDLIST>(list);
}

// Folders first, then the name without case, then with case.
int NamespaceCompareLastNames(const std::string& left, bool leftFolder, const std::string& right, bool rightFolder)
{
    if (leftFolder != rightFolder)
        return leftFolder ? -1 : 1;
    const size_t common = std::min(left.size(), right.size());
    for (size_t i = 0; i < common; ++i) {
        const int a = std::tolower(static_cast<unsigned char>(left[i]));
        const int b = std::tolower(static_cast<unsigned char>(right[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (left.size() != right.size())
        return left.size() < right.size() ? -1 : 1;
    const int exact = left.compare(right);
    return exact < 0 ? -1 : exact > 0 ? 1 : 0;
}

int NamespaceCompareNames(const std::string& leftPath, bool leftFolder, const std::string& rightPath,
                          bool rightFolder)
{
    return NamespaceCompareLastNames(NamespaceLastName(leftPath), leftFolder, NamespaceLastName(rightPath),
                                     rightFolder);
}

std::vector<std::string> NamespaceItemNames(LPCITEMIDLIST pidl)
{
    std::vector<std::string> names;
    if (!pidl)
        return names;
    for (auto* item = reinterpret_cast<const BYTE*>(pidl); ItemCount(item) > kNamespaceCountBytes;
         item += ItemCount(item))
        names.emplace_back(reinterpret_cast<const char*>(item + kNamespaceCountBytes),
                           ItemCount(item) - kNamespaceCountBytes);
    return names;
}

// Whether a folder shows at least one subfolder; the scan stops at the first.
// The folder's entries are read in blocks straight from the kernel, and an
// entry of unknown kind is looked up beside them, so the scan costs no more
// calls than the entries it reads.
bool NamespaceHasSubfolder(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    alignas(8) char buffer[16384];
    bool found = false;
    for (long bytes; !found && (bytes = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0;) {
        for (long offset = 0; offset < bytes && !found;) {
            // The kernel's record: inode, offset, record length, type, name.
            unsigned short length = 0;
            std::memcpy(&length, buffer + offset + 16, sizeof length);
            const unsigned char type = static_cast<unsigned char>(buffer[offset + 18]);
            const char* name = buffer + offset + 19;
            offset += length;
            if (length == 0)
                break;
            if (name[0] == '.')
                continue;
            struct stat info{};
            found = type == DT_DIR || ((type == DT_UNKNOWN || type == DT_LNK) &&
                                       ::fstatat(fd, name, &info, 0) == 0 && S_ISDIR(info.st_mode));
        }
    }
    ::close(fd);
    return found;
}

// parentWritable: whether the folder holding the item may be written (items
// of the desktop are never renamed). knownType: the entry's kind as its
// folder's listing gave it (DT_DIR or DT_REG spare the look-up), DT_UNKNOWN
// when the folder did not list it.
SFGAOF NamespaceAttributesOf(const std::string& path, bool parentWritable, SFGAOF asked,
                             unsigned char knownType = DT_UNKNOWN)
{
    bool folder = knownType == DT_DIR;
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (knownType != DT_DIR && knownType != DT_REG) {
        struct stat linkInfo{};
        if (::lstat(path.c_str(), &linkInfo) != 0)
            return 0;
        folder = S_ISDIR(linkInfo.st_mode);
        if (S_ISLNK(linkInfo.st_mode)) {
            attributes |= SFGAO_LINK;
            folder = NamespaceIsDirectory(path);
        }
    }
    if (folder) {
        attributes |= SFGAO_FOLDER;
        if ((asked & SFGAO_HASSUBFOLDER) && NamespaceHasSubfolder(path))
            attributes |= SFGAO_HASSUBFOLDER;
    }
    if ((asked & SFGAO_READONLY) && ::access(path.c_str(), W_OK) != 0)
        attributes |= SFGAO_READONLY;
    const std::string name = NamespaceLastName(path);
    if (!name.empty() && name[0] == '.')
        attributes |= SFGAO_GHOSTED;
    if (parentWritable && path != "/")
        attributes |= SFGAO_CANRENAME;
    return attributes;
}

class NamespaceEnumerator final : public ComObject<IEnumIDList> {
public:
    explicit NamespaceEnumerator(std::vector<std::string> itemNames, bool wholePaths)
        : m_names(std::move(itemNames)), m_wholePaths(wholePaths)
    {
    }

    HRESULT Next(ULONG celt, LPITEMIDLIST* rgelt, ULONG* pceltFetched) override
    {
        if (!rgelt || (celt > 1 && !pceltFetched))
            return E_POINTER;
        ULONG fetched = 0;
        while (fetched < celt && m_next < m_names.size()) {
            const std::string& name = m_names[m_next];
            LPITEMIDLIST item = m_wholePaths ? ItemIdListFromPath(name) : NamespaceSingleItem(name);
            if (!item)
                break;
            rgelt[fetched++] = item;
            ++m_next;
        }
        if (pceltFetched)
            *pceltFetched = fetched;
        return fetched == celt ? S_OK : S_FALSE;
    }

    HRESULT Skip(ULONG celt) override
    {
        const size_t left = m_names.size() - m_next;
        m_next += std::min<size_t>(celt, left);
        return celt <= left ? S_OK : S_FALSE;
    }

    HRESULT Reset() override
    {
        m_next = 0;
        return S_OK;
    }

    HRESULT Clone(IEnumIDList** ppenum) override
    {
        if (!ppenum)
            return E_POINTER;
        auto* copy = new NamespaceEnumerator(m_names, m_wholePaths);
        copy->m_next = m_next;
        *ppenum = copy;
        return S_OK;
    }

private:
    std::vector<std::string> m_names;
    bool m_wholePaths;
    size_t m_next = 0;
};

class NamespaceContextMenu final : public ComObject<IContextMenu2> {
public:
    explicit NamespaceContextMenu(std::vector<std::string> paths) : m_paths(std::move(paths)) {}

    HRESULT QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT) override
    {
        if (!hmenu)
            return E_INVALIDARG;
        if (idCmdLast < idCmdFirst + kCommandCount - 1)
            return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
        if (!InsertMenu(hmenu, indexMenu, MF_BYPOSITION | MF_STRING, idCmdFirst + kOpen, "&Open") ||
            !InsertMenu(hmenu, indexMenu + 1, MF_BYPOSITION | MF_STRING, idCmdFirst + kCopyPath, "Copy &Path"))
            return E_FAIL;
        SetMenuDefaultItem(hmenu, idCmdFirst + kOpen, FALSE);
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, kCommandCount);
    }

    HRESULT InvokeCommand(LPCMINVOKECOMMANDINFO pici) override
    {
        if (!pici || pici->cbSize < sizeof(CMINVOKECOMMANDINFO))
            return E_INVALIDARG;
        const auto command = CommandOf(pici->lpVerb);
        if (!command)
            return E_INVALIDARG;
        return *command == kOpen ? OpenItems(pici->hwnd) : CopyPaths(pici->hwnd);
    }

    HRESULT GetCommandString(UINT_PTR idCmd, UINT uType, UINT*, LPSTR pszName, UINT cchMax) override
    {
        if (idCmd >= kCommandCount)
            return E_INVALIDARG;
        if (uType == GCS_VALIDATEA)
            return S_OK;
        if (!pszName || cchMax == 0)
            return E_POINTER;
        const char* text = uType == GCS_VERBA ? (idCmd == kOpen ? "open" : "copypath")
                                              : (idCmd == kOpen ? "Opens the item." : "Copies the item's path.");
        const size_t length = std::min<size_t>(std::strlen(text), cchMax - 1);
        std::memcpy(pszName, text, length);
        pszName[length] = '\0';
        return S_OK;
    }

    HRESULT HandleMenuMsg(UINT, WPARAM, LPARAM) override { return S_OK; }

protected:
    void* FindInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, IID_IContextMenu))
            return static_cast<IContextMenu*>(this);
        return ComObject<IContextMenu2>::FindInterface(riid);
    }

private:
    static constexpr UINT kOpen = 0;
    static constexpr UINT kCopyPath = 1;
    static constexpr UINT kCommandCount = 2;

    static std::optional<UINT> CommandOf(LPCSTR verb)
    {
        if (IS_INTRESOURCE(verb)) {
            const UINT offset = UINT(reinterpret_cast<ULONG_PTR>(verb));
            return offset < kCommandCount ? std::optional<UINT>(offset) : std::nullopt;
        }
        if (std::strcmp(verb, "open") == 0)
            return kOpen;
        if (std::strcmp(verb, "copypath") == 0)
            return kCopyPath;
        return std::nullopt;
    }

    HRESULT OpenItems(HWND hwnd)
    {
        for (const auto& path : m_paths) {
            const auto answer = reinterpret_cast<INT_PTR>(ShellExecute(hwnd, "open", path.c_str(), nullptr, nullptr,
                                                                       SW_SHOWNORMAL));
            if (answer <= 32)
                return HRESULT_FROM_WIN32(GetLastError());
        }
        return S_OK;
    }

    HRESULT CopyPaths(HWND hwnd)
    {
        std::string text;
        for (const auto& path : m_paths) {
            if (!text.empty())
                text += '\n';
            text += path;
        }
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (!memory)
            return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!OpenClipboard(hwnd)) {
            GlobalFree(memory);
            return HRESULT_FROM_WIN32(GetLastError());
        }
        EmptyClipboard();
        const bool placed = SetClipboardData(CF_TEXT, memory) != nullptr;
        CloseClipboard();
        if (!placed) {
            GlobalFree(memory);
            return E_FAIL;
        }
        return S_OK;
    }

    std::vector<std::string> m_paths;
};

int NamespaceDesktopRank(const std::string& path)
{
    if (path == HomeFolderPath())
        return 0;
    return path == "/" ? 1 : 2;
}

class NamespaceFolder final : public ComObject<IShellFolder> {
public:
    // An empty path is the desktop.
    explicit NamespaceFolder(std::string path) : m_path(std::move(path)) {}

    HRESULT BindToObject(LPCITEMIDLIST pidl, IBindCtx*, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!pidl)
            return E_INVALIDARG;
        if (!IsEqualIID(riid, IID_IShellFolder))
            return E_NOINTERFACE;
        const std::string path = NamespaceChildPath(m_path, pidl);
        if (path.empty()) {
            *ppv = static_cast<IShellFolder*>(new NamespaceFolder(m_path));
            return S_OK;
        }
        if (!NamespaceIsDirectory(path))
            return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        *ppv = static_cast<IShellFolder*>(new NamespaceFolder(path));
        return S_OK;
    }

    HRESULT EnumObjects(HWND, DWORD grfFlags, IEnumIDList** ppenumIDList) override
    {
        if (!ppenumIDList)
            return E_POINTER;
        std::vector<std::string> names;
        if (m_path.empty()) {
            if (grfFlags & SHCONTF_FOLDERS)
                names = {HomeFolderPath(), "/"};
            *ppenumIDList = new NamespaceEnumerator(std::move(names), true);
            return S_OK;
        }
        // The entries shown, each with its kind, sorted as CompareIDs orders them.
        std::vector<std::pair<std::string, bool>> shown;
        if (DIR* dir = ::opendir(m_path.c_str())) {
            while (dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name == "." || name == "..")
                    continue;
                if (name[0] == '.' && !(grfFlags & SHCONTF_INCLUDEHIDDEN))
                    continue;
                const bool folder = entry->d_type == DT_DIR ||
                                    ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) &&
                                     NamespaceIsDirectory(NamespaceJoin(m_path, name)));
                const std::string path = NamespaceJoin(m_path, name);
                m_isFolder[path] = folder;
                m_listedType[path] = entry->d_type;
                m_listedFolder[name] = folder;
                if (folder ? (grfFlags & SHCONTF_FOLDERS) : (grfFlags & SHCONTF_NONFOLDERS))
                    shown.emplace_back(name, folder);
            }
            ::closedir(dir);
        }
        std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
            return NamespaceCompareLastNames(a.first, a.second, b.first, b.second) < 0;
        });
        names.reserve(shown.size());
        for (auto& entry : shown)
            names.push_back(std::move(entry.first));
        *ppenumIDList = new NamespaceEnumerator(std::move(names), false);
        return S_OK;
    }

    HRESULT CompareIDs(LPARAM lParam, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) override
    {
        if (!pidl1 || !pidl2)
            return E_INVALIDARG;
        if ((lParam & SHCIDS_COLUMNMASK) != 0)
            return E_INVALIDARG;
        if (m_path.empty()) {
            // The desktop keeps its own order: Home, then the file system.
            const int leftRank = NamespaceDesktopRank(NamespaceChildPath(m_path, pidl1));
            const int rightRank = NamespaceDesktopRank(NamespaceChildPath(m_path, pidl2));
            if (leftRank != rightRank)
                return MAKE_HRESULT(SEVERITY_SUCCESS, 0, USHORT(short(leftRank < rightRank ? -1 : 1)));
        }
        const auto left = NamespaceItemNames(pidl1);
        const auto right = NamespaceItemNames(pidl2);
        // Two entries of this folder's own listing compare by what the listing said.
        if (!m_path.empty() && left.size() == 1 && right.size() == 1) {
            const auto leftKind = m_listedFolder.find(left[0]);
            const auto rightKind = m_listedFolder.find(right[0]);
            if (leftKind != m_listedFolder.end() && rightKind != m_listedFolder.end()) {
                const int result = NamespaceCompareLastNames(left[0], leftKind->second, right[0], rightKind->second);
                return MAKE_HRESULT(SEVERITY_SUCCESS, 0, USHORT(short(result)));
            }
        }
        std::string leftPath = m_path;
        std::string rightPath = m_path;
        int result = 0;
        for (size_t i = 0; i < std::min(left.size(), right.size()) && result == 0; ++i) {
            leftPath = NamespaceJoin(leftPath, left[i]);
            rightPath = NamespaceJoin(rightPath, right[i]);
            if (left[i] != right[i])
                result = CompareNames(leftPath, rightPath);
        }
        if (result == 0 && left.size() != right.size())
            result = left.size() < right.size() ? -1 : 1;
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, USHORT(short(result)));
    }

    HRESULT GetAttributesOf(UINT cidl, LPCITEMIDLIST* apidl, SFGAOF* rgfInOut) override
    {
        if (!rgfInOut || (cidl && !apidl))
            return E_POINTER;
        const SFGAOF asked = *rgfInOut;
        SFGAOF common = ~SFGAOF(0);
        const bool writable = !m_path.empty() && (asked & SFGAO_CANRENAME) && IsWritable();
        for (UINT i = 0; i < cidl; ++i) {
            // A list of several items may reach below this folder.
            const std::string path = NamespaceChildPath(m_path, apidl[i]);
            const auto slash = path.find_last_of('/');
            const std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
            const bool parentWritable =
                parent == m_path ? writable
                                 : !m_path.empty() && (asked & SFGAO_CANRENAME) && ::access(parent.c_str(), W_OK) == 0;
            const auto listed = parent == m_path ? m_listedType.find(path) : m_listedType.end();
            common &= NamespaceAttributesOf(path, parentWritable, asked,
                                            listed != m_listedType.end() ? listed->second : DT_UNKNOWN);
        }
        *rgfInOut = cidl ? (common & asked) : 0;
        return S_OK;
    }

    HRESULT GetUIObjectOf(HWND, UINT cidl, LPCITEMIDLIST* apidl, REFIID riid, UINT*, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (cidl == 0 || !apidl)
            return E_INVALIDARG;
        if (!IsEqualIID(riid, IID_IContextMenu) && !IsEqualIID(riid, IID_IContextMenu2))
            return E_NOINTERFACE;
        std::vector<std::string> paths;
        for (UINT i = 0; i < cidl; ++i) {
            std::string path = NamespaceChildPath(m_path, apidl[i]);
            if (path.empty())
                return E_INVALIDARG;
            paths.push_back(std::move(path));
        }
        auto* menu = new NamespaceContextMenu(std::move(paths));
        const HRESULT hr = menu->QueryInterface(riid, ppv);
        menu->Release();
        return hr;
    }

private:
    // Sorting asks the same entries many times: their kind is looked up once
    // for the life of this folder object.
    bool IsFolder(const std::string& path)
    {
        const auto known = m_isFolder.find(path);
        if (known != m_isFolder.end())
            return known->second;
        const bool folder = NamespaceIsDirectory(path);
        m_isFolder.emplace(path, folder);
        return folder;
    }

    int CompareNames(const std::string& leftPath, const std::string& rightPath)
    {
        return NamespaceCompareNames(leftPath, IsFolder(leftPath), rightPath, IsFolder(rightPath));
    }

    // Whether this folder may be written, looked up once for the life of this
    // folder object like the kinds of its entries: asking for the attributes of
    // each of its items asks the same question.
    bool IsWritable()
    {
        if (!m_writable)
            m_writable = ::access(m_path.c_str(), W_OK) == 0;
        return *m_writable;
    }

    std::string m_path;
    std::unordered_map<std::string, bool> m_isFolder;
    // The kind each entry had in this folder's last listing (DT_ values).
    std::unordered_map<std::string, unsigned char> m_listedType;
    // The kind of each entry of the last listing, by its name.
    std::unordered_map<std::string, bool> m_listedFolder;
    std::optional<bool> m_writable;
};

}  // namespace

std::string HomeFolderPath()
{
    std::string home;
    if (const char* variable = ::getenv("HOME"); variable && *variable)
        home = variable;
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home.empty() ? std::string("/") : home;
}

std::string NamespaceDisplayName(const std::string& path, bool isDesktop)
{
    if (isDesktop)
        return "Desktop";
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed == "/")
        return "File System";
    if (trimmed == HomeFolderPath())
        return "Home";
    return NamespaceLastName(trimmed);
}

std::string NamespaceChildPath(const std::string& folderPath, LPCITEMIDLIST pidl)
{
    if (folderPath.empty())
        return PathFromItemIdList(pidl).value_or(std::string());
    std::string path = folderPath;
    for (const auto& name : NamespaceItemNames(pidl))
        path = NamespaceJoin(path, name);
    return path;
}

}  // namespace tw::shell

HRESULT SHGetDesktopFolder(IShellFolder** ppshf)
{
    if (!ppshf)
        return E_POINTER;
    *ppshf = new tw::shell::NamespaceFolder(std::string());
    return S_OK;
}

HRESULT SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* ppidl)
{
    if (!ppidl)
        return E_POINTER;
    *ppidl = nullptr;
    switch (csidl) {
    case CSIDL_DESKTOP: {
        auto* list = static_cast<BYTE*>(tw::shell::ShellAllocator()->Alloc(sizeof(USHORT)));
        if (!list)
            return E_OUTOFMEMORY;
        std::memset(list, 0, sizeof(USHORT));
        *ppidl = reinterpret_cast<LPITEMIDLIST>(list);
        return S_OK;
    }
    case CSIDL_PERSONAL:
    case CSIDL_PROFILE:
        *ppidl = tw::shell::ItemIdListFromPath(tw::shell::HomeFolderPath());
        return *ppidl ? S_OK : E_OUTOFMEMORY;
    default:
        return E_INVALIDARG;
    }
}
