// A memory file on a global memory block, so that what an archive writes
// into it can be handed to the clipboard (Detach) and a block read from the
// clipboard can be read through an archive (SetHandle).
#pragma once

#include "platform/mfc/CMemFile.h"
#include "platform/win32/kernel/GlobalMemory.h"

class CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Hands the block to the caller, unlocked and cut to the file's length,
    // so its GlobalSize is the size of the data; the file is empty again.
    HGLOBAL Detach();
    // Reads and writes the caller's block, which stays the caller's; with
    // bAllowGrow the file may grow it.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);
    void Close() override;

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory = nullptr;
    BOOL m_bAllowGrow = TRUE;
};
