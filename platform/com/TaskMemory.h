// The task allocator: memory handed across interfaces (strings from
// StringFromCLSID, ProgIDFromCLSID), and the IMalloc over it.
#pragma once

#include "platform/com/Unknown.h"

DEFINE_GUID(IID_IMalloc, 0x00000002, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IMalloc : public IUnknown {
    virtual void* Alloc(SIZE_T cb) = 0;
    virtual void* Realloc(void* pv, SIZE_T cb) = 0;
    virtual void Free(void* pv) = 0;
    virtual SIZE_T GetSize(void* pv) = 0;
    // 1 when the block is ours, 0 when not, -1 when it cannot tell.
    virtual int DidAlloc(void* pv) = 0;
    virtual void HeapMinimize() = 0;

protected:
    ~IMalloc() = default;
};
typedef IMalloc* LPMALLOC;
TW_INTERFACE_ID(IMalloc, IID_IMalloc);

#define MEMCTX_TASK 1

LPVOID CoTaskMemAlloc(SIZE_T cb);
LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
void CoTaskMemFree(LPVOID pv);
// dwMemContext must be MEMCTX_TASK; the allocator is shared by the process.
HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc);
