// Item-id lists, the shell's allocator and the folder-browse dialog.
#pragma once

#include "platform/com/Unknown.h"
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

DEFINE_GUID(IID_IMalloc, 0x00000002, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IMalloc : public IUnknown {
    virtual void* Alloc(SIZE_T cb) = 0;
    virtual void* Realloc(void* pv, SIZE_T cb) = 0;
    virtual void Free(void* pv) = 0;
    virtual SIZE_T GetSize(void* pv) = 0;
    virtual int DidAlloc(void* pv) = 0;
    virtual void HeapMinimize() = 0;

protected:
    ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;

// The process's shell allocator, with a reference for the caller.
HRESULT SHGetMalloc(IMalloc** ppMalloc);

// The file-system path of a list; FALSE for lists with none (the desktop).
// pszPath holds MAX_PATH characters.
BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath);
// A list for an existing file or folder, from the shell allocator; null when
// the path does not exist.
LPITEMIDLIST ILCreateFromPath(LPCSTR pszPath);
UINT ILGetSize(LPCITEMIDLIST pidl);
void ILFree(LPITEMIDLIST pidl);
