// Libraries answer from a fixed table: "msimg32.dll" is present and its
// entries are whatever the drawing layer registers; every other library,
// "UxTheme.dll" included, is absent. The version answered is Windows XP.
#pragma once

#include <string>

#include "platform/win32/kernel/KernelObjects.h"

typedef INT_PTR(WINAPI* FARPROC)();

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2
#define VER_NT_WORKSTATION 0x0000001

typedef struct _OSVERSIONINFO {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
} OSVERSIONINFO, *POSVERSIONINFO, *LPOSVERSIONINFO;

typedef struct _OSVERSIONINFOEX {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
} OSVERSIONINFOEX, *POSVERSIONINFOEX, *LPOSVERSIONINFOEX;

HMODULE LoadLibrary(LPCSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
// NULL names the program itself.
HMODULE GetModuleHandle(LPCSTR lpModuleName);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// The program's path for NULL or the program's instance; truncated names are
// terminated and reported with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// Fills OSVERSIONINFO or OSVERSIONINFOEX, chosen by dwOSVersionInfoSize.
BOOL GetVersionEx(LPOSVERSIONINFO lpVersionInformation);

namespace tw {

// Makes GetProcAddress(library, name) answer fn; library must be one of the
// present libraries ("msimg32.dll"). FALSE for an absent library.
bool RegisterModuleExport(const char* library, const char* name, FARPROC fn);

template <class Fn>
bool RegisterModuleExport(const char* library, const char* name, Fn* fn)
{
    // Through void(*)(), the one function type every other converts to quietly.
    return RegisterModuleExport(library, name, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fn)));
}

// The running program's absolute path.
std::string ExecutablePath();

}  // namespace tw
