#include "platform/win32/registry/TokenPrivileges.h"

#include <strings.h>

#include <cstring>
#include <mutex>

#include "platform/win32/kernel/Process.h"

namespace tw {
namespace token_detail {

struct Privilege {
    const char* name;
    DWORD luid;
    bool held;  // the process holds it (disabled until enabled)
};

// The privileges an ordinary user's process holds, with the platform's LUIDs.
Privilege g_privileges[] = {
    {"SeShutdownPrivilege", 19, true},  {"SeChangeNotifyPrivilege", 23, true},
    {"SeUndockPrivilege", 25, true},    {"SeBackupPrivilege", 17, true},
    {"SeRestorePrivilege", 18, true},   {"SeDebugPrivilege", 20, false},
    {"SeSecurityPrivilege", 8, false},  {"SeTakeOwnershipPrivilege", 9, false},
};

std::mutex g_tokenMutex;
bool g_enabled[std::size(g_privileges)] = {};

class TokenObject : public KernelObject {
public:
    explicit TokenObject(DWORD access) : access(access) {}
    const DWORD access;
};

Privilege* ByLuid(const LUID& luid, size_t& index)
{
    for (size_t i = 0; i < std::size(g_privileges); ++i) {
        if (luid.HighPart == 0 && g_privileges[i].luid == luid.LowPart) {
            index = i;
            return &g_privileges[i];
        }
    }
    return nullptr;
}

}  // namespace token_detail

bool IsPrivilegeEnabled(LPCSTR name)
{
    std::lock_guard lock(token_detail::g_tokenMutex);
    for (size_t i = 0; i < std::size(token_detail::g_privileges); ++i) {
        if (strcasecmp(token_detail::g_privileges[i].name, name) == 0)
            return token_detail::g_enabled[i];
    }
    return false;
}

}  // namespace tw

namespace tk_ = tw::token_detail;

BOOL OpenProcessToken(HANDLE ProcessHandle, DWORD DesiredAccess, PHANDLE TokenHandle)
{
    if (!TokenHandle) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Only this process's own token can be had.
    if (ProcessHandle != GetCurrentProcess()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *TokenHandle = tw::InsertKernelObject(std::make_shared<tk_::TokenObject>(DesiredAccess));
    return TRUE;
}

BOOL LookupPrivilegeValue(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid)
{
    if (lpSystemName && *lpSystemName) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    for (const auto& privilege : tk_::g_privileges) {
        if (lpName && strcasecmp(privilege.name, lpName) == 0) {
            lpLuid->LowPart = privilege.luid;
            lpLuid->HighPart = 0;
            return TRUE;
        }
    }
    SetLastError(ERROR_NO_SUCH_PRIVILEGE);
    return FALSE;
}

BOOL AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PTOKEN_PRIVILEGES NewState,
                           DWORD BufferLength, PTOKEN_PRIVILEGES PreviousState, LPDWORD ReturnLength)
{
    auto token = tw::LookupKernelObjectAs<tk_::TokenObject>(TokenHandle);
    if (!token) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!(token->access & TOKEN_ADJUST_PRIVILEGES)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!DisableAllPrivileges && !NewState) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard lock(tk_::g_tokenMutex);
    DWORD previousCount = 0;
    auto remember = [&](size_t index) {
        if (!PreviousState)
            return;
        const DWORD needed = static_cast<DWORD>(sizeof(DWORD) + (previousCount + 1) * sizeof(LUID_AND_ATTRIBUTES));
        if (needed > BufferLength)
            return;
        PreviousState->Privileges[previousCount].Luid = LUID{tk_::g_privileges[index].luid, 0};
        PreviousState->Privileges[previousCount].Attributes = tk_::g_enabled[index] ? SE_PRIVILEGE_ENABLED : 0;
        ++previousCount;
    };
    bool allAssigned = true;
    if (DisableAllPrivileges) {
        for (size_t i = 0; i < std::size(tk_::g_privileges); ++i) {
            if (tk_::g_enabled[i]) {
                remember(i);
                tk_::g_enabled[i] = false;
            }
        }
    } else {
        for (DWORD n = 0; n < NewState->PrivilegeCount; ++n) {
            size_t index = 0;
            auto* privilege = tk_::ByLuid(NewState->Privileges[n].Luid, index);
            if (!privilege || !privilege->held) {
                allAssigned = false;
                continue;
            }
            const bool enable = (NewState->Privileges[n].Attributes & SE_PRIVILEGE_ENABLED) != 0;
            if (tk_::g_enabled[index] != enable) {
                remember(index);
                tk_::g_enabled[index] = enable;
            }
        }
    }
    if (PreviousState)
        PreviousState->PrivilegeCount = previousCount;
    if (ReturnLength)
        *ReturnLength = static_cast<DWORD>(sizeof(DWORD) + previousCount * sizeof(LUID_AND_ATTRIBUTES));
    SetLastError(allAssigned ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
    return TRUE;
}
