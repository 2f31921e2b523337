#include "platform/win32/kernel/Process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/kernel/Threads.h"

extern char** environ;

namespace tw {
namespace process_detail {

class ProcessObject : public KernelObject {
public:
    explicit ProcessObject(pid_t pid) : pid(pid) {}
    bool IsWaitable() const override { return true; }
    bool IsSignaled(DWORD) const override { return finished; }

    const pid_t pid;
    std::atomic<bool> terminatedByUs{false};
    std::atomic<DWORD> terminateCode{0};
    // Guarded by the wait lock.
    bool finished = false;
    DWORD exitCode = STILL_ACTIVE;
};

// The child's main thread: signalled together with its process.
class ProcessThreadObject : public KernelObject {
public:
    explicit ProcessThreadObject(std::shared_ptr<ProcessObject> process) : process(std::move(process)) {}
    bool IsWaitable() const override { return true; }
    bool IsSignaled(DWORD id) const override { return process->IsSignaled(id); }

    const std::shared_ptr<ProcessObject> process;
};

void Reap(std::shared_ptr<ProcessObject> process)
{
    int status = 0;
    while (waitpid(process->pid, &status, 0) < 0 && errno == EINTR) {
    }
    DWORD code;
    if (process->terminatedByUs)
        code = process->terminateCode;
    else if (WIFEXITED(status))
        code = static_cast<DWORD>(WEXITSTATUS(status));
    else
        code = 128u + static_cast<DWORD>(WTERMSIG(status));
    ChangeSignalState([&] {
        process->exitCode = code;
        process->finished = true;
    });
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> SearchFolders()
{
    std::vector<std::string> folders;
    const std::string exe = ExecutablePath();
    if (!exe.empty())
        folders.push_back(exe.substr(0, exe.find_last_of('/')));
    folders.push_back(".");
    if (const char* path = getenv("PATH")) {
        std::string list = path;
        size_t pos = 0;
        while (pos <= list.size()) {
            size_t end = list.find(':', pos);
            if (end == std::string::npos)
                end = list.size();
            if (end > pos)
                folders.push_back(list.substr(pos, end - pos));
            pos = end + 1;
        }
    }
    return folders;
}

std::string ResolveProgram(const std::string& given)
{
    std::vector<std::string> names{MapPath(given.c_str())};
    const std::string& name = names[0];
    if (name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0)
        names.push_back(name.substr(0, name.size() - 4));
    for (const auto& candidate : names) {
        if (candidate.find('/') != std::string::npos) {
            if (IsExecutableFile(candidate))
                return candidate;
            continue;
        }
        for (const auto& folder : SearchFolders()) {
            const std::string full = MapPath((folder + "/" + candidate).c_str());
            if (IsExecutableFile(full))
                return full;
        }
    }
    return {};
}

std::vector<std::string> EnvironmentFrom(LPVOID block)
{
    std::vector<std::string> entries;
    for (const char* p = static_cast<const char*>(block); *p; p += strlen(p) + 1)
        entries.emplace_back(p);
    return entries;
}

std::shared_ptr<ProcessObject> ProcessFor(HANDLE h)
{
    auto process = LookupKernelObjectAs<ProcessObject>(h);
    if (!process)
        SetLastError(ERROR_INVALID_HANDLE);
    return process;
}

}  // namespace process_detail

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> args;
    size_t i = 0;
    auto isBlank = [&](size_t at) { return line[at] == ' ' || line[at] == '\t'; };
    while (i < line.size() && isBlank(i))
        ++i;
    if (i >= line.size())
        return args;

    // The program name: quotes group, backslashes are plain characters.
    std::string program;
    bool quoted = false;
    for (; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && isBlank(i))
            break;
        program += line[i];
    }
    args.push_back(program);

    for (;;) {
        while (i < line.size() && isBlank(i))
            ++i;
        if (i >= line.size())
            break;
        std::string arg;
        bool inQuotes = false;
        while (i < line.size()) {
            if (!inQuotes && isBlank(i))
                break;
            if (line[i] == '\\') {
                size_t count = 0;
                while (i < line.size() && line[i] == '\\') {
                    ++count;
                    ++i;
                }
                if (i < line.size() && line[i] == '"') {
                    arg.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(count, '\\');
                }
                continue;
            }
            if (line[i] == '"') {
                if (inQuotes && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                    continue;
                }
                inQuotes = !inQuotes;
                ++i;
                continue;
            }
            arg += line[i++];
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace tw

namespace pd_ = tw::process_detail;

BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                   BOOL, DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFO,
                   LPPROCESS_INFORMATION lpProcessInformation)
{
    if (dwCreationFlags & CREATE_SUSPENDED) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    std::vector<std::string> args = tw::SplitCommandLine(lpCommandLine ? lpCommandLine : "");
    std::string programName = lpApplicationName ? lpApplicationName : (args.empty() ? "" : args[0]);
    if (programName.empty() || !lpProcessInformation) {
        SetLastError(programName.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (args.empty())
        args.push_back(programName);
    const std::string program = pd_::ResolveProgram(programName);
    if (program.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }

    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment;
    std::vector<char*> envp;
    if (lpEnvironment) {
        environment = pd_::EnvironmentFrom(lpEnvironment);
        for (auto& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::string folder;
    if (lpCurrentDirectory) {
        folder = tw::MapPath(lpCurrentDirectory);
        struct stat st {};
        if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            posix_spawn_file_actions_destroy(&actions);
            SetLastError(ERROR_DIRECTORY);
            return FALSE;
        }
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(),
                               lpEnvironment ? envp.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        tw::SetLastErrorFromErrno(rc);
        return FALSE;
    }

    auto process = std::make_shared<pd_::ProcessObject>(pid);
    std::thread(pd_::Reap, process).detach();
    lpProcessInformation->hProcess = tw::InsertKernelObject(process);
    lpProcessInformation->hThread = tw::InsertKernelObject(std::make_shared<pd_::ProcessThreadObject>(process));
    lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
    lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);
    return TRUE;
}

BOOL GetBinaryType(LPCSTR lpApplicationName, LPDWORD lpBinaryType)
{
    if (!lpApplicationName || !lpBinaryType) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string path = tw::MapPath(lpApplicationName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (!pd_::IsExecutableFile(path)) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return FALSE;
    }
    *lpBinaryType = SCS_64BIT_BINARY;
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    if (hProcess == GetCurrentProcess()) {
        *lpExitCode = STILL_ACTIVE;
        return TRUE;
    }
    auto process = pd_::ProcessFor(hProcess);
    if (!process)
        return FALSE;
    tw::WithWaitLock([&] { *lpExitCode = process->exitCode; });
    return TRUE;
}

BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode)
{
    if (hProcess == GetCurrentProcess())
        _exit(static_cast<int>(uExitCode));
    auto process = pd_::ProcessFor(hProcess);
    if (!process)
        return FALSE;
    bool finished = false;
    tw::WithWaitLock([&] { finished = process->finished; });
    if (finished) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    process->terminateCode = uExitCode;
    process->terminatedByUs = true;
    if (kill(process->pid, SIGKILL) != 0) {
        tw::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

HANDLE GetCurrentProcess()
{
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
}

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(getpid());
}
