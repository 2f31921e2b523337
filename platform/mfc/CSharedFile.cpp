#include "platform/mfc/CSharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes) : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) {}

CSharedFile::~CSharedFile()
{
    // Close frees through the virtual Free, which the base destructor can no longer reach.
    if (m_lpBuffer != nullptr)
        Close();
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (!hMem)
        return nullptr;
    const SIZE_T length = m_nFileSize;
    m_hGlobalMemory = nullptr;
    CMemFile::Detach();
    ::GlobalUnlock(hMem);
    if (length > 0 && length < ::GlobalSize(hMem)) {
        if (HGLOBAL shrunk = ::GlobalReAlloc(hMem, length, GMEM_MOVEABLE))
            hMem = shrunk;
    }
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    auto* lpBuffer = static_cast<BYTE*>(::GlobalLock(hGlobalMemory));
    if (!lpBuffer)
        AfxThrowMemoryException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    // The caller keeps the block: Close only unlocks it.
    m_bAutoDelete = FALSE;
}

void CSharedFile::Close()
{
    if (m_hGlobalMemory && !m_bAutoDelete) {
        // The caller's block: unlocked and left to the caller.
        ::GlobalUnlock(m_hGlobalMemory);
        m_hGlobalMemory = nullptr;
        m_lpBuffer = nullptr;
        m_bAutoDelete = TRUE;
        m_bAllowGrow = TRUE;
    }
    CMemFile::Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL hMem = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (!hMem)
        return nullptr;
    m_hGlobalMemory = hMem;
    return static_cast<BYTE*>(::GlobalLock(hMem));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow || !m_hGlobalMemory)
        return nullptr;
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (!hNew) {
        ::GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(::GlobalLock(hNew));
}

void CSharedFile::Free(BYTE*)
{
    if (!m_hGlobalMemory)
        return;
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}
