// ShellExecute and ShellExecuteEx over the launcher.
#include "platform/shell/ShellLauncher.h"
#include "platform/shell/shellapi.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/winerror.h"

namespace tw::shell::detail {
std::shared_ptr<ProcessSpawner> CurrentSpawner();
}

namespace {

// The platform answers "a value above 32" for success; 42 is what it gives.
constexpr INT_PTR kShellExecuteDone = 42;

DWORD ShellErrorCode(int seError)
{
    switch (seError) {
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_NO_ASSOCIATION;
    }
}

INT_PTR ShellRun(LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory)
{
    const auto command = tw::shell::BuildOpenCommand(verb, file, parameters, directory);
    int error = command.error;
    if (!error) {
        const int spawnErrno = tw::shell::detail::CurrentSpawner()->Spawn(command.argv, command.directory);
        if (spawnErrno == ENOENT)
            error = SE_ERR_NOASSOC;
        else if (spawnErrno == EACCES)
            error = SE_ERR_ACCESSDENIED;
        else if (spawnErrno == ENOMEM)
            error = SE_ERR_OOM;
        else if (spawnErrno)
            error = SE_ERR_NOASSOC;
    }
    if (error) {
        SetLastError(ShellErrorCode(error));
        return error;
    }
    return kShellExecuteDone;
}

}  // namespace

HINSTANCE ShellExecute(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT)
{
    return reinterpret_cast<HINSTANCE>(ShellRun(lpOperation, lpFile, lpParameters, lpDirectory));
}

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info)
{
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const INT_PTR answer = ShellRun(info->lpVerb, info->lpFile, info->lpParameters, info->lpDirectory);
    info->hInstApp = reinterpret_cast<HINSTANCE>(answer);
    info->hProcess = nullptr;
    return answer > 32;
}
