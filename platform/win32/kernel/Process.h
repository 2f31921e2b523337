// Child processes on posix_spawn. The command line is split into arguments by
// the platform's rules and never passes through a shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/kernel/KernelObjects.h"

#define DEBUG_PROCESS 0x00000001
#define CREATE_NEW_CONSOLE 0x00000010
#define NORMAL_PRIORITY_CLASS 0x00000020
#define IDLE_PRIORITY_CLASS 0x00000040
#define HIGH_PRIORITY_CLASS 0x00000080
#define CREATE_NEW_PROCESS_GROUP 0x00000200
#define CREATE_UNICODE_ENVIRONMENT 0x00000400
#define DETACHED_PROCESS 0x00000008
#define CREATE_NO_WINDOW 0x08000000

#define STARTF_USESHOWWINDOW 0x00000001
#define STARTF_USESTDHANDLES 0x00000100

typedef struct _STARTUPINFO {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
} STARTUPINFO, *LPSTARTUPINFO;

typedef struct _PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// The program is lpApplicationName or else the first argument of the command
// line; a name without a folder is looked for beside this program, in the
// current directory and on $PATH, with or without an ".exe" ending.
// CREATE_SUSPENDED is refused (ERROR_NOT_SUPPORTED).
BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                   LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                   LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFO lpStartupInfo,
                   LPPROCESS_INFORMATION lpProcessInformation);
// A file this user may run as a program: TRUE with SCS_64BIT_BINARY. Other
// files fail with ERROR_BAD_EXE_FORMAT, missing ones with ERROR_FILE_NOT_FOUND.
#define SCS_32BIT_BINARY 0
#define SCS_64BIT_BINARY 6
BOOL GetBinaryType(LPCSTR lpApplicationName, LPDWORD lpBinaryType);
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode);
HANDLE GetCurrentProcess();
DWORD GetCurrentProcessId();

namespace tw {

// Splits a command line as the platform's C run time does: blanks and tabs
// separate arguments; double quotes group and are removed; 2n backslashes
// before a quote give n backslashes and the quote groups, 2n+1 give n
// backslashes and a literal quote; other backslashes are literal; "" inside
// quotes is a literal quote. The first argument (the program) ends at the
// first blank outside quotes and takes backslashes literally.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace tw
