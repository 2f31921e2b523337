// Opening documents and addresses, file information and icons, and files
// dropped on windows.
#pragma once

#include "platform/win32/user/DroppedFiles.h"
#include "platform/win32/user/winuser.h"
#include "platform/win32/windef.h"

// ShellExecute answers a value above 32 on success, one of these otherwise.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

HINSTANCE ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       INT nShowCmd);

#define SEE_MASK_DEFAULT 0x00000000
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_FLAG_NO_UI 0x00000400

typedef struct _SHELLEXECUTEINFOA {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCSTR lpVerb;
    LPCSTR lpFile;
    LPCSTR lpParameters;
    LPCSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    LPCSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;
} SHELLEXECUTEINFO, *LPSHELLEXECUTEINFO;

// hInstApp receives ShellExecute's answer; FALSE with GetLastError on failure.
// SEE_MASK_NOCLOSEPROCESS is not honoured: hProcess stays null.
BOOL ShellExecuteEx(SHELLEXECUTEINFO* pExecInfo);

typedef struct _SHFILEINFOA {
    HICON hIcon;
    int iIcon;
    DWORD dwAttributes;
    CHAR szDisplayName[MAX_PATH];
    CHAR szTypeName[80];
} SHFILEINFO;

#define SHGFI_LARGEICON 0x000000000
#define SHGFI_SMALLICON 0x000000001
#define SHGFI_OPENICON 0x000000002
#define SHGFI_SHELLICONSIZE 0x000000004
#define SHGFI_PIDL 0x000000008
#define SHGFI_USEFILEATTRIBUTES 0x000000010
#define SHGFI_ICON 0x000000100
#define SHGFI_DISPLAYNAME 0x000000200
#define SHGFI_TYPENAME 0x000000400
#define SHGFI_SYSICONINDEX 0x000004000
#define SHGFI_LINKOVERLAY 0x000008000

// With SHGFI_SYSICONINDEX the answer is the system image list (small or
// large); otherwise nonzero on success. pszPath is an item-id list with SHGFI_PIDL.
DWORD_PTR SHGetFileInfo(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo, UINT uFlags);

void DragAcceptFiles(HWND hWnd, BOOL fAccept);
// iFile 0xFFFFFFFF: the number of files. lpszFile null: the length of the
// path without its terminator. Otherwise the characters copied.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
// TRUE when the drop landed in the client area.
BOOL DragQueryPoint(HDROP hDrop, POINT* lppt);
void DragFinish(HDROP hDrop);
