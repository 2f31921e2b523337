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

// --- the shell namespace over the local file system ------------------------------------
// The desktop (the empty list) holds "Home" (the user's home folder, as its
// whole path's list) and "File System" ("/"); below them, one item per entry.
#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_PROFILE 0x0028

// An item-id list from the shell allocator for a special folder.
HRESULT SHGetSpecialFolderLocation(HWND hwnd, int csidl, LPITEMIDLIST* ppidl);

#define SHCONTF_FOLDERS 0x0020
#define SHCONTF_NONFOLDERS 0x0040
#define SHCONTF_INCLUDEHIDDEN 0x0080

#define SFGAO_CANRENAME 0x00000010L
#define SFGAO_LINK 0x00010000L
#define SFGAO_SHARE 0x00020000L
#define SFGAO_READONLY 0x00040000L
#define SFGAO_GHOSTED 0x00080000L
#define SFGAO_HIDDEN 0x00080000L
#define SFGAO_DISPLAYATTRMASK 0x000FC000L
#define SFGAO_FILESYSTEM 0x40000000L
#define SFGAO_FOLDER 0x20000000L
#define SFGAO_HASSUBFOLDER 0x80000000L
#define SFGAO_CONTENTSMASK 0x80000000L
typedef ULONG SFGAOF;

// CompareIDs' lParam: the low word names a column (0, the name, is the only one).
#define SHCIDS_COLUMNMASK 0x0000FFFFL

DEFINE_GUID(IID_IEnumIDList, 0x000214F2, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IShellFolder, 0x000214E6, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IContextMenu, 0x000214E4, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IContextMenu2, 0x000214F4, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IBindCtx;

struct IEnumIDList : public IUnknown {
    // Up to celt items, each a one-item list from the shell allocator (the
    // desktop's "Home" is its whole path); S_FALSE when fewer were left.
    virtual HRESULT Next(ULONG celt, LPITEMIDLIST* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumIDList** ppenum) = 0;

protected:
    ~IEnumIDList() = default;
};
typedef IEnumIDList* LPENUMIDLIST;
TW_INTERFACE_ID(IEnumIDList, IID_IEnumIDList);

struct IShellFolder : public IUnknown {
    // The folder of a list relative to this one (IID_IShellFolder only).
    virtual HRESULT BindToObject(LPCITEMIDLIST pidl, IBindCtx* pbc, REFIID riid, void** ppv) = 0;
    // S_OK with an enumerator; a folder we cannot read enumerates nothing.
    virtual HRESULT EnumObjects(HWND hwnd, DWORD grfFlags, IEnumIDList** ppenumIDList) = 0;
    // The code of the answer is negative, zero or positive as a short.
    virtual HRESULT CompareIDs(LPARAM lParam, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) = 0;
    // On entry the attributes asked for; on return those all the items have.
    virtual HRESULT GetAttributesOf(UINT cidl, LPCITEMIDLIST* apidl, SFGAOF* rgfInOut) = 0;
    // IID_IContextMenu or IID_IContextMenu2 over the items.
    virtual HRESULT GetUIObjectOf(HWND hwndOwner, UINT cidl, LPCITEMIDLIST* apidl, REFIID riid, UINT* rgfReserved,
                                  void** ppv) = 0;

protected:
    ~IShellFolder() = default;
};
typedef IShellFolder* LPSHELLFOLDER;
TW_INTERFACE_ID(IShellFolder, IID_IShellFolder);

// The desktop folder, with one reference for the caller.
HRESULT SHGetDesktopFolder(IShellFolder** ppshf);

#define CMF_NORMAL 0x00000000
#define CMF_DEFAULTONLY 0x00000001
#define CMF_EXPLORE 0x00000004
#define CMF_CANRENAME 0x00000010

#define GCS_VERBA 0x00000000
#define GCS_HELPTEXTA 0x00000001
#define GCS_VALIDATEA 0x00000002

#define CMIC_MASK_FLAG_NO_UI 0x00000400

typedef struct _CMINVOKECOMMANDINFO {
    DWORD cbSize;
    DWORD fMask;
    HWND hwnd;
    LPCSTR lpVerb;  // a verb, or MAKEINTRESOURCE of the command's offset
    LPCSTR lpParameters;
    LPCSTR lpDirectory;
    int nShow;
    DWORD dwHotKey;
    HANDLE hIcon;
} CMINVOKECOMMANDINFO, *LPCMINVOKECOMMANDINFO;

struct IContextMenu : public IUnknown {
    // Adds "&Open" (the default) and "Copy &Path" from idCmdFirst; the code
    // of the answer is the number of ids used.
    virtual HRESULT QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast, UINT uFlags) = 0;
    virtual HRESULT InvokeCommand(LPCMINVOKECOMMANDINFO pici) = 0;
    virtual HRESULT GetCommandString(UINT_PTR idCmd, UINT uType, UINT* pReserved, LPSTR pszName, UINT cchMax) = 0;

protected:
    ~IContextMenu() = default;
};
typedef IContextMenu* LPCONTEXTMENU;
TW_INTERFACE_ID(IContextMenu, IID_IContextMenu);

struct IContextMenu2 : public IContextMenu {
    // The menu draws nothing of its own: every message is answered S_OK.
    virtual HRESULT HandleMenuMsg(UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~IContextMenu2() = default;
};
typedef IContextMenu2* LPCONTEXTMENU2;
TW_INTERFACE_ID(IContextMenu2, IID_IContextMenu2);
