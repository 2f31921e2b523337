#include "platform/win32/kernel/Modules.h"

#include <strings.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace tw {
namespace module_detail {

struct Library {
    const char* name;  // lower-case file name
    HMODULE handle;
    int loadCount = 0;
    std::map<std::string, FARPROC> exports;
};

// The program's instance handle has the value the platform gives a program.
const HMODULE kProgramInstance = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x00400000));

struct ModuleTable {
    std::mutex mutex;
    std::vector<Library> libraries{{"msimg32.dll", reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x76380000)), 0, {}}};
};

ModuleTable& Modules()
{
    static ModuleTable table;
    return table;
}

// "C:\WINDOWS\system32\MSIMG32" and "msimg32.dll" name the same library.
std::string CanonicalName(const char* name)
{
    std::string canonical = name;
    const size_t slash = canonical.find_last_of("\\/");
    if (slash != std::string::npos)
        canonical.erase(0, slash + 1);
    for (auto& c : canonical)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    if (canonical.find('.') == std::string::npos)
        canonical += ".dll";
    return canonical;
}

Library* FindByName(ModuleTable& table, const char* name)
{
    const std::string canonical = CanonicalName(name);
    for (auto& library : table.libraries) {
        if (canonical == library.name)
            return &library;
    }
    return nullptr;
}

Library* FindByHandle(ModuleTable& table, HMODULE handle)
{
    for (auto& library : table.libraries) {
        if (library.handle == handle)
            return &library;
    }
    return nullptr;
}

}  // namespace module_detail

bool RegisterModuleExport(const char* library, const char* name, FARPROC fn)
{
    auto& table = module_detail::Modules();
    std::lock_guard lock(table.mutex);
    auto* entry = module_detail::FindByName(table, library);
    if (!entry || !name)
        return false;
    entry->exports[name] = fn;
    return true;
}

std::string ExecutablePath()
{
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return {};
    return std::string(buffer.data(), static_cast<size_t>(n));
}

}  // namespace tw

namespace md_ = tw::module_detail;

HMODULE LoadLibrary(LPCSTR lpLibFileName)
{
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto& table = md_::Modules();
    std::lock_guard lock(table.mutex);
    auto* library = md_::FindByName(table, lpLibFileName);
    if (!library) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++library->loadCount;
    return library->handle;
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    auto& table = md_::Modules();
    std::lock_guard lock(table.mutex);
    auto* library = md_::FindByHandle(table, hLibModule);
    if (!library || library->loadCount == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    --library->loadCount;
    return TRUE;
}

HMODULE GetModuleHandle(LPCSTR lpModuleName)
{
    if (!lpModuleName)
        return md_::kProgramInstance;
    auto& table = md_::Modules();
    std::lock_guard lock(table.mutex);
    auto* library = md_::FindByName(table, lpModuleName);
    if (!library || library->loadCount == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return library->handle;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    auto& table = md_::Modules();
    std::lock_guard lock(table.mutex);
    auto* library = md_::FindByHandle(table, hModule);
    if (!library) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Entries by ordinal are not kept.
    if (!lpProcName || IS_INTRESOURCE(lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    auto it = library->exports.find(lpProcName);
    if (it == library->exports.end()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return it->second;
}

DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (hModule && hModule != md_::kProgramInstance) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string path = tw::ExecutablePath();
    if (path.empty()) {
        SetLastError(ERROR_GEN_FAILURE);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= nSize) {
        memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    memcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

BOOL GetVersionEx(LPOSVERSIONINFO info)
{
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFO) && size != sizeof(OSVERSIONINFOEX)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memset(reinterpret_cast<char*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    if (size == sizeof(OSVERSIONINFOEX))
        reinterpret_cast<LPOSVERSIONINFOEX>(info)->wProductType = VER_NT_WORKSTATION;
    return TRUE;
}
