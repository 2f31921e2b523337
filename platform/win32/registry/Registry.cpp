#include "platform/win32/registry/Registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/win32/kernel/Files.h"
#include "platform/win32/registry/RegistryKey.h"
#include "platform/win32/registry/RegistryText.h"

namespace tw {
namespace registry_detail {

using reg::RegKey;

struct OpenKey {
    std::shared_ptr<RegKey> key;
    REGSAM access;
};

const struct {
    HKEY handle;
    const char* name;
} kRoots[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},   {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"}, {HKEY_USERS, "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
};

bool ReadWholeFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

void MakeParentFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
}

// One change this process made to the hive. Saving replays the changes made
// since the last save on the file as it is then, so that another instance's
// changes to other keys and values survive.
struct Change {
    enum Kind { SetValue, DeleteValue, CreateKey, DeleteKey, ReplaceTree };
    Change(Kind kind, std::vector<std::string> path, std::string valueName = {}, DWORD type = 0,
           std::vector<BYTE> data = {}, std::string tree = {})
        : kind(kind), path(std::move(path)), valueName(std::move(valueName)), type(type), data(std::move(data)),
          tree(std::move(tree))
    {
    }
    Kind kind;
    std::vector<std::string> path;  // key names below the hive's top
    std::string valueName;
    DWORD type;
    std::vector<BYTE> data;
    std::string tree;  // ReplaceTree: the key's new content in the hive's text form
};

std::vector<std::string> PathOf(const RegKey& key)
{
    std::vector<std::string> path;
    for (const RegKey* k = &key; k->parent; k = k->parent)
        path.push_back(k->name);
    return {path.rbegin(), path.rend()};
}

std::shared_ptr<RegKey> MakePath(RegKey& top, const std::vector<std::string>& path)
{
    std::shared_ptr<RegKey> key;
    RegKey* at = &top;
    for (const auto& name : path) {
        bool created = false;
        key = at->AddSubkey(name, created);
        at = key.get();
    }
    return key;
}

RegKey* FindPath(RegKey& top, const std::vector<std::string>& path)
{
    RegKey* at = &top;
    for (const auto& name : path) {
        auto next = at->FindSubkey(name);
        if (!next)
            return nullptr;
        at = next.get();
    }
    return at;
}

// Gives key the values and sub-keys of a tree read from text.
void ReplaceContent(RegKey& key, RegKey& from)
{
    for (auto& child : key.subkeys)
        child->MarkDeleted();
    key.values = std::move(from.values);
    key.subkeys = std::move(from.subkeys);
    for (auto& child : key.subkeys)
        child->parent = &key;
    key.Touch();
}

void Replay(const Change& change, RegKey& top)
{
    switch (change.kind) {
    case Change::SetValue:
        MakePath(top, change.path)->SetValue(change.valueName, change.type, change.data);
        break;
    case Change::DeleteValue:
        if (RegKey* key = FindPath(top, change.path))
            key->RemoveValue(change.valueName);
        break;
    case Change::CreateKey:
        MakePath(top, change.path);
        break;
    case Change::DeleteKey:
        if (RegKey* key = FindPath(top, change.path); key && key->parent)
            key->parent->RemoveSubkey(key);
        break;
    case Change::ReplaceTree: {
        std::shared_ptr<RegKey> key = MakePath(top, change.path);
        RegKey restored(key->name, key->parent);
        reg::ReadRegistryText(change.tree, restored);
        ReplaceContent(*key, restored);
        break;
    }
    }
}

// Makes the tree in memory equal to the saved one while keeping the key
// objects that open handles refer to. Volatile keys are not in the file and
// stay as they are.
void Adopt(RegKey& mine, RegKey& saved)
{
    mine.values = std::move(saved.values);
    std::vector<std::shared_ptr<RegKey>> merged;
    for (auto& theirs : saved.subkeys) {
        auto existing = mine.FindSubkey(theirs->name);
        if (existing && existing->isVolatile)
            continue;
        if (existing) {
            Adopt(*existing, *theirs);
            merged.push_back(existing);
        } else {
            theirs->parent = &mine;
            merged.push_back(theirs);
        }
    }
    for (auto& child : mine.subkeys) {
        if (child->isVolatile)
            merged.push_back(child);
        else if (std::find(merged.begin(), merged.end(), child) == merged.end())
            child->MarkDeleted();
    }
    std::sort(merged.begin(), merged.end(), [](const auto& a, const auto& b) {
        return reg::FoldName(a->name) < reg::FoldName(b->name);
    });
    mine.subkeys = std::move(merged);
}

// Holds the hive file's lock (an flock on a file beside it) while in scope.
class FileLock {
public:
    explicit FileLock(const std::string& path)
    {
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return;
        while (flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int err = errno;
                close(fd);
                fd = -1;
                errno = err;
                return;
            }
        }
    }
    ~FileLock()
    {
        if (fd >= 0)
            close(fd);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd >= 0; }

private:
    int fd = -1;
};

class Hive {
public:
    ~Hive()
    {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        if (writer.joinable())
            writer.join();
        std::lock_guard lock(mutex);
        SaveIfDirty();
    }

    std::recursive_mutex mutex;

    // Everything below is used with the mutex held.
    void EnsureLoaded()
    {
        if (top)
            return;
        top = std::make_shared<RegKey>("");
        path = RegistryFilePath();
        const size_t slash = path.find_last_of('/');
        RemoveDeadWritersFiles(slash == std::string::npos ? "." : path.substr(0, std::max<size_t>(slash, 1)));
        std::string text;
        if (!ReadWholeFile(path, text))
            return;
        if (ReadDamaged(text, *top)) {
            // What could be read is all there is: write it whole.
            rewriteWhole = true;
            dirty = true;
            SaveIfDirty();
        }
    }

    // Reads the file's text into key; a damaged file is kept aside for
    // inspection (true) and what could be read of it is in key.
    bool ReadDamaged(const std::string& text, RegKey& key)
    {
        const int bad = reg::ReadRegistryText(text, key);
        if (bad == 0)
            return false;
        const std::string aside = path + ".bad";
        rename(path.c_str(), aside.c_str());
        if (bad < 0)
            fprintf(stderr, "tarnwick: the registry file %s is not readable; it was kept as %s\n", path.c_str(),
                    aside.c_str());
        else
            fprintf(stderr, "tarnwick: the registry file %s had %d unreadable lines; it was kept as %s\n",
                    path.c_str(), bad, aside.c_str());
        return true;
    }

    void Record(Change change) { changes.push_back(std::move(change)); }

    // Under the file's lock: reads the file as another instance may have left
    // it, replays this process's changes on it and writes the result. On
    // failure the changes stay for the next attempt.
    void SaveIfDirty()
    {
        if (!dirty || !top)
            return;
        MakeParentFolders(path);
        FileLock fileLock(path + ".lock");
        if (!fileLock.Held()) {
            SaveFailed(errno);
            return;
        }
        RegKey saved("");
        std::string text;
        bool whole = rewriteWhole;
        if (!whole && ReadWholeFile(path, text) && ReadDamaged(text, saved))
            whole = true;
        if (whole) {
            saved = RegKey("");
            reg::ReadRegistryText(reg::WriteRegistryText(*top, false), saved);
        } else {
            for (const Change& change : changes)
                Replay(change, saved);
        }
        if (!WriteFileAtomically(path, reg::WriteRegistryText(saved, false), 0600)) {
            SaveFailed(errno);
            return;
        }
        changes.clear();
        dirty = false;
        rewriteWhole = false;
        failing = false;
        Adopt(*top, saved);
    }

    // Told once (on stderr, and to the application to tell its user) until a
    // save works again; the writer keeps trying every second meanwhile.
    void SaveFailed(int err)
    {
        if (failing)
            return;
        const std::string reason = strerror(err);
        fprintf(stderr, "tarnwick: the registry file %s could not be written: %s\n", path.c_str(), reason.c_str());
        untoldFailure = "settings could not be saved: " + reason;
        failing = true;
    }

    // Changes are written by a writer thread once they pause for a moment, so
    // a burst of changes (an import of many keys) costs one write, not one each.
    void Changed()
    {
        const auto now = std::chrono::steady_clock::now();
        if (!dirty)
            firstChange = now;
        dirty = true;
        lastChange = now;
        if (!writer.joinable())
            writer = std::thread([this] { WriteLoop(); });
        wake.notify_all();
    }

    void WriteLoop()
    {
        using namespace std::chrono_literals;
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (!dirty) {
                wake.wait(lock);
                continue;
            }
            const auto due = std::min(lastChange + 100ms, firstChange + 1000ms);
            if (std::chrono::steady_clock::now() < due) {
                wake.wait_until(lock, due);
                continue;
            }
            SaveIfDirty();
            if (dirty)
                wake.wait_for(lock, 1000ms);  // the disk refused: try again later
        }
    }

    std::shared_ptr<RegKey> Root(HKEY handle)
    {
        EnsureLoaded();
        for (const auto& root : kRoots) {
            if (root.handle == handle) {
                bool created = false;
                return top->AddSubkey(root.name, created);
            }
        }
        return nullptr;
    }

    static bool IsPredefined(HKEY h)
    {
        for (const auto& root : kRoots) {
            if (root.handle == h)
                return true;
        }
        return false;
    }

    // The key behind a handle; sets error to the reason when there is none.
    std::shared_ptr<RegKey> Resolve(HKEY h, REGSAM& access, LONG& error)
    {
        if (IsPredefined(h)) {
            access = KEY_ALL_ACCESS;
            return Root(h);
        }
        EnsureLoaded();
        auto it = handles.find(reinterpret_cast<uintptr_t>(h));
        if (it == handles.end()) {
            error = ERROR_INVALID_HANDLE;
            return nullptr;
        }
        if (it->second.key->deleted) {
            error = ERROR_KEY_DELETED;
            return nullptr;
        }
        access = it->second.access;
        return it->second.key;
    }

    // The key behind a handle opened with at least the `needed` rights;
    // ERROR_ACCESS_DENIED when the handle lacks them.
    std::shared_ptr<RegKey> ResolveWith(HKEY h, REGSAM needed, LONG& error)
    {
        REGSAM access = 0;
        auto key = Resolve(h, access, error);
        if (key && (access & needed) != needed) {
            error = ERROR_ACCESS_DENIED;
            return nullptr;
        }
        return key;
    }

    HKEY NewHandle(std::shared_ptr<RegKey> key, REGSAM access)
    {
        const uintptr_t value = nextHandle;
        nextHandle += 4;
        handles[value] = OpenKey{std::move(key), access};
        return reinterpret_cast<HKEY>(value);
    }

    bool HasOpenHandleBelow(const RegKey* key) const
    {
        for (const auto& [value, open] : handles) {
            for (const RegKey* k = open.key->parent; k; k = k->parent) {
                if (k == key)
                    return true;
            }
        }
        return false;
    }

    void Reset()
    {
        SaveIfDirty();
        changes.clear();
        dirty = false;
        rewriteWhole = false;
        for (auto& [value, open] : handles)
            open.key->deleted = true;
        handles.clear();
        top.reset();
    }

    std::shared_ptr<RegKey> top;
    std::string path;
    std::vector<Change> changes;  // made since the last save
    bool dirty = false;
    bool rewriteWhole = false;
    bool failing = false;
    std::string untoldFailure;
    bool stopping = false;
    std::chrono::steady_clock::time_point firstChange, lastChange;
    std::condition_variable_any wake;
    std::thread writer;
    std::unordered_map<uintptr_t, OpenKey> handles;
    uintptr_t nextHandle = 0x200;
};

Hive& TheHive()
{
    static Hive hive;
    return hive;
}

// Splits a sub-key path at backslashes; one trailing backslash is allowed.
bool SplitPath(LPCSTR subKey, std::vector<std::string>& parts)
{
    if (!subKey)
        return true;
    std::string_view path(subKey);
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    size_t pos = 0;
    while (pos < path.size()) {
        size_t end = path.find('\\', pos);
        if (end == std::string_view::npos)
            end = path.size();
        if (end == pos)
            return false;
        parts.emplace_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return true;
}

bool HasControlCharacters(const std::string& name)
{
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    }
    return false;
}

std::shared_ptr<RegKey> Walk(std::shared_ptr<RegKey> key, const std::vector<std::string>& parts)
{
    for (const auto& part : parts) {
        key = key->FindSubkey(part);
        if (!key)
            return nullptr;
    }
    return key;
}

// Copies a name into a caller's character buffer: ERROR_MORE_DATA when it
// does not fit with its NUL.
LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD chars)
{
    if (!chars)
        return ERROR_INVALID_PARAMETER;
    if (!buffer || *chars < name.size() + 1)
        return ERROR_MORE_DATA;
    memcpy(buffer, name.c_str(), name.size() + 1);
    *chars = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

LONG CopyData(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD size)
{
    if (!size)
        return buffer ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD needed = static_cast<DWORD>(data.size());
    if (buffer && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (buffer && needed)
        memcpy(buffer, data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

}  // namespace registry_detail

std::string RegistryFilePath()
{
    if (const char* explicitPath = getenv("TARNWICK_REGISTRY"); explicitPath && *explicitPath)
        return explicitPath;
    std::string config;
    if (const char* xdg = getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = getenv("HOME"); home && *home)
        config = std::string(home) + "/.config";
    else
        config = ".";
    return config + "/tarnwick/registry.reg";
}

std::string TakeRegistrySaveFailure()
{
    auto& hive = registry_detail::TheHive();
    std::lock_guard lock(hive.mutex);
    return std::exchange(hive.untoldFailure, std::string());
}

void ReloadRegistry()
{
    auto& hive = registry_detail::TheHive();
    std::lock_guard lock(hive.mutex);
    hive.Reset();
}

}  // namespace tw

namespace rd_ = tw::registry_detail;
using tw::reg::RegKey;

LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    auto key = hive.Resolve(hKey, access, error);
    if (!key)
        return error;
    std::vector<std::string> parts;
    if (!rd_::SplitPath(lpSubKey, parts))
        return ERROR_FILE_NOT_FOUND;
    auto target = rd_::Walk(key, parts);
    if (!target)
        return ERROR_FILE_NOT_FOUND;
    const REGSAM granted = (samDesired & MAXIMUM_ALLOWED) ? KEY_ALL_ACCESS : samDesired;
    *phkResult = hive.NewHandle(target, granted);
    return ERROR_SUCCESS;
}

LSTATUS RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    return RegOpenKeyEx(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD dwOptions, REGSAM samDesired,
                       const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    auto key = hive.Resolve(hKey, access, error);
    if (!key)
        return error;
    std::vector<std::string> parts;
    if (!rd_::SplitPath(lpSubKey, parts))
        return ERROR_BADKEY;
    for (const auto& part : parts) {
        if (rd_::HasControlCharacters(part) || part.size() > 255)
            return ERROR_INVALID_PARAMETER;
    }
    auto existing = rd_::Walk(key, parts);
    if (!existing && !(access & KEY_CREATE_SUB_KEY))
        return ERROR_ACCESS_DENIED;
    bool createdAny = false;
    for (const auto& part : parts) {
        bool created = false;
        key = key->AddSubkey(part, created);
        if (created && (dwOptions & REG_OPTION_VOLATILE))
            key->isVolatile = true;
        createdAny = createdAny || created;
    }
    if (createdAny && !key->isVolatile) {
        hive.Record({rd_::Change::CreateKey, rd_::PathOf(*key)});
        hive.Changed();
    }
    if (lpdwDisposition)
        *lpdwDisposition = createdAny ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    const REGSAM granted = (samDesired & MAXIMUM_ALLOWED) ? KEY_ALL_ACCESS : samDesired;
    *phkResult = hive.NewHandle(key, granted);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    return RegCreateKeyEx(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr, phkResult,
                          nullptr);
}

LSTATUS RegCloseKey(HKEY hKey)
{
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    if (rd_::Hive::IsPredefined(hKey))
        return ERROR_SUCCESS;
    if (hive.handles.erase(reinterpret_cast<uintptr_t>(hKey)) == 0)
        return ERROR_INVALID_HANDLE;
    return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY hKey)
{
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    if (!hive.Resolve(hKey, access, error))
        return error;
    hive.SaveIfDirty();
    return hive.dirty ? ERROR_REGISTRY_IO_FAILED : ERROR_SUCCESS;
}

LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    LONG error = ERROR_SUCCESS;
    auto key = hive.ResolveWith(hKey, KEY_QUERY_VALUE, error);
    if (!key)
        return error;
    const auto* value = key->FindValue(lpValueName ? lpValueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (lpType)
        *lpType = value->type;
    return rd_::CopyData(value->data, lpData, lpcbData);
}

LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    if (!lpData && cbData)
        return ERROR_NOACCESS;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    LONG error = ERROR_SUCCESS;
    auto key = hive.ResolveWith(hKey, KEY_SET_VALUE, error);
    if (!key)
        return error;
    key->SetValue(lpValueName ? lpValueName : "", dwType, std::vector<BYTE>(lpData, lpData + cbData));
    if (!key->isVolatile) {
        hive.Record({rd_::Change::SetValue, rd_::PathOf(*key), lpValueName ? lpValueName : "", dwType,
                     std::vector<BYTE>(lpData, lpData + cbData)});
        hive.Changed();
    }
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValue(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData)
{
    HKEY sub = nullptr;
    LONG rc = RegOpenKeyEx(hKey, lpSubKey, 0, KEY_QUERY_VALUE, &sub);
    if (rc != ERROR_SUCCESS)
        return rc;
    DWORD type = 0;
    DWORD size = lpcbData ? static_cast<DWORD>(*lpcbData) : 0;
    rc = RegQueryValueEx(sub, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(lpData), lpcbData ? &size : nullptr);
    RegCloseKey(sub);
    if (rc == ERROR_FILE_NOT_FOUND) {
        // A key without a default value reads as an empty text.
        if (lpcbData && lpData && *lpcbData >= 1)
            lpData[0] = '\0';
        if (lpcbData)
            *lpcbData = 1;
        return ERROR_SUCCESS;
    }
    if (rc == ERROR_SUCCESS && type != REG_SZ)
        return ERROR_INVALID_DATA;
    if (lpcbData)
        *lpcbData = static_cast<LONG>(size);
    return rc;
}

LSTATUS RegSetValue(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD)
{
    if (dwType != REG_SZ || !lpData)
        return ERROR_INVALID_PARAMETER;
    HKEY sub = nullptr;
    LONG rc = RegCreateKeyEx(hKey, lpSubKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &sub, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueEx(sub, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpData),
                       static_cast<DWORD>(strlen(lpData) + 1));
    RegCloseKey(sub);
    return rc;
}

LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName)
{
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    LONG error = ERROR_SUCCESS;
    auto key = hive.ResolveWith(hKey, KEY_SET_VALUE, error);
    if (!key)
        return error;
    if (!key->RemoveValue(lpValueName ? lpValueName : ""))
        return ERROR_FILE_NOT_FOUND;
    if (!key->isVolatile) {
        hive.Record({rd_::Change::DeleteValue, rd_::PathOf(*key), lpValueName ? lpValueName : ""});
        hive.Changed();
    }
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey)
{
    if (!lpSubKey || !*lpSubKey)
        return ERROR_INVALID_PARAMETER;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    auto key = hive.Resolve(hKey, access, error);
    if (!key)
        return error;
    std::vector<std::string> parts;
    if (!rd_::SplitPath(lpSubKey, parts))
        return ERROR_FILE_NOT_FOUND;
    auto target = rd_::Walk(key, parts);
    if (!target)
        return ERROR_FILE_NOT_FOUND;
    if (!target->subkeys.empty() || !target->parent)
        return ERROR_ACCESS_DENIED;
    if (!target->isVolatile) {
        hive.Record({rd_::Change::DeleteKey, rd_::PathOf(*target)});
        hive.Changed();
    }
    target->parent->RemoveSubkey(target.get());
    return ERROR_SUCCESS;
}

LSTATUS RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass,
                     LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    LONG error = ERROR_SUCCESS;
    auto key = hive.ResolveWith(hKey, KEY_ENUMERATE_SUB_KEYS, error);
    if (!key)
        return error;
    if (dwIndex >= key->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const auto& child = key->subkeys[dwIndex];
    const LONG rc = rd_::CopyName(child->name, lpName, lpcchName);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (lpClass && lpcchClass && *lpcchClass > 0)
        lpClass[0] = '\0';
    if (lpcchClass)
        *lpcchClass = 0;
    if (lpftLastWriteTime)
        *lpftLastWriteTime = child->lastWrite;
    return ERROR_SUCCESS;
}

LSTATUS RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName)
{
    return RegEnumKeyEx(hKey, dwIndex, lpName, &cchName, nullptr, nullptr, nullptr, nullptr);
}

LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD, LPDWORD lpType,
                     LPBYTE lpData, LPDWORD lpcbData)
{
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    LONG error = ERROR_SUCCESS;
    auto key = hive.ResolveWith(hKey, KEY_QUERY_VALUE, error);
    if (!key)
        return error;
    if (dwIndex >= key->values.size())
        return ERROR_NO_MORE_ITEMS;
    const auto& value = key->values[dwIndex];
    const LONG rc = rd_::CopyName(value.name, lpValueName, lpcchValueName);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (lpType)
        *lpType = value.type;
    return rd_::CopyData(value.data, lpData, lpcbData);
}

LSTATUS RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                        LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                        LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                        PFILETIME lpftLastWriteTime)
{
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    auto key = hive.Resolve(hKey, access, error);
    if (!key)
        return error;
    if (lpClass && lpcchClass && *lpcchClass > 0)
        lpClass[0] = '\0';
    if (lpcchClass)
        *lpcchClass = 0;
    DWORD maxSubKey = 0, maxName = 0, maxData = 0;
    for (const auto& child : key->subkeys)
        maxSubKey = std::max(maxSubKey, static_cast<DWORD>(child->name.size()));
    for (const auto& value : key->values) {
        maxName = std::max(maxName, static_cast<DWORD>(value.name.size()));
        maxData = std::max(maxData, static_cast<DWORD>(value.data.size()));
    }
    if (lpcSubKeys)
        *lpcSubKeys = static_cast<DWORD>(key->subkeys.size());
    if (lpcbMaxSubKeyLen)
        *lpcbMaxSubKeyLen = maxSubKey;
    if (lpcbMaxClassLen)
        *lpcbMaxClassLen = 0;
    if (lpcValues)
        *lpcValues = static_cast<DWORD>(key->values.size());
    if (lpcbMaxValueNameLen)
        *lpcbMaxValueNameLen = maxName;
    if (lpcbMaxValueLen)
        *lpcbMaxValueLen = maxData;
    if (lpcbSecurityDescriptor)
        *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime)
        *lpftLastWriteTime = key->lastWrite;
    return ERROR_SUCCESS;
}

LSTATUS RegSaveKey(HKEY hKey, LPCSTR lpFile, const LPSECURITY_ATTRIBUTES)
{
    if (!lpFile || !*lpFile)
        return ERROR_INVALID_PARAMETER;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    auto key = hive.Resolve(hKey, access, error);
    if (!key)
        return error;
    const std::string path = tw::MapPath(lpFile);
    struct stat st {};
    if (stat(path.c_str(), &st) == 0)
        return ERROR_ALREADY_EXISTS;
    if (!tw::WriteFileAtomically(path, tw::reg::WriteRegistryText(*key, true), 0600))
        return static_cast<LONG>(GetLastError());
    return ERROR_SUCCESS;
}

LSTATUS RegRestoreKey(HKEY hKey, LPCSTR lpFile, DWORD dwFlags)
{
    if (!lpFile || !*lpFile)
        return ERROR_INVALID_PARAMETER;
    auto& hive = rd_::TheHive();
    std::lock_guard lock(hive.mutex);
    REGSAM access = 0;
    LONG error = ERROR_SUCCESS;
    auto key = hive.Resolve(hKey, access, error);
    if (!key)
        return error;
    std::string text;
    if (!rd_::ReadWholeFile(tw::MapPath(lpFile), text))
        return ERROR_FILE_NOT_FOUND;
    // Read into a scratch key first: a damaged copy changes nothing.
    RegKey restored(key->name, key->parent);
    if (tw::reg::ReadRegistryText(text, restored) != 0)
        return ERROR_NOT_REGISTRY_FILE;
    if (!(dwFlags & REG_FORCE_RESTORE) && hive.HasOpenHandleBelow(key.get()))
        return ERROR_ACCESS_DENIED;
    rd_::ReplaceContent(*key, restored);
    if (!key->isVolatile) {
        hive.Record({rd_::Change::ReplaceTree, rd_::PathOf(*key), "", 0, {}, text});
        hive.Changed();
    }
    return ERROR_SUCCESS;
}
