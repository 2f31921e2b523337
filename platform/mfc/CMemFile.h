// A file in memory: the usual carrier of archive images (stored settings
// values are archives written over one of these and detached).
#pragma once

#include "platform/mfc/CFile.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty file that grows in steps of nGrowBytes.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Over the caller's buffer; see Attach.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // nGrowBytes 0: the buffer's bytes are the file, fixed in size (writing
    // past its end throws CMemoryException). Otherwise the file starts empty
    // and the buffer grows with realloc, so it must come from malloc.
    // The caller keeps owning an attached buffer.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the buffer to the caller (free() it); the file is empty again.
    // GetLength, taken before, tells how many bytes of it are the file.
    BYTE* Detach();

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};
