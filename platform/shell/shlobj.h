// Item-id lists, the shell's allocator and the folder-browse dialog.
#pragma once

#include "platform/com/TaskMemory.h"
#include "platform/win32/user/winuser.h"
#include "platform/win32/windef.h"

// Each item starts with its whole size (this count included) as 16 bits;
// a zero count closes the list. An empty list is the desktop.
#pragma pack(push, 1)
typedef struct _SHITEMID {
    USHORT cb;
    BYTE abID[1];
} SHITEMID;

typedef struct _ITEMIDLIST {
    SHITEMID mkid;
} ITEMIDLIST;
#pragma pack(pop)
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;


// The shell's allocator, which is the process's task allocator.
HRESULT SHGetMalloc(IMalloc** ppMalloc);

// The file-system path of a list; FALSE for lists with none (the desktop).
// pszPath holds MAX_PATH characters.
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath);
// A list for an existing file or folder, from the shell allocator; null when
// the path does not exist.
LPITEMIDLIST ILCreateFromPath(LPCSTR pszPath);
UINT ILGetSize(LPCITEMIDLIST pidl);
void ILFree(LPITEMIDLIST pidl);

// --- the folder-browse dialog ---------------------------------------------------------
typedef int(CALLBACK* BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfoA {
    HWND hwndOwner;
    PCIDLIST_ABSOLUTE pidlRoot;
    LPSTR pszDisplayName;  // MAX_PATH characters: the chosen folder's name
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;  // the chosen folder's index in the system image list
} BROWSEINFO, *LPBROWSEINFO;

#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_DONTGOBELOWDOMAIN 0x00000002

// Messages to the callback.
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2  // lParam: the selected folder's item-id list

// Messages to the dialog.
#define BFFM_ENABLEOK (WM_USER + 101)
// wParam TRUE: lParam is a path; FALSE: an item-id list.
#define BFFM_SETSELECTION (WM_USER + 102)

// The chosen folder as a list from the shell allocator, or null when cancelled.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO lpbi);
