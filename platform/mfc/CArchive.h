// The framework's archive: a buffered little-endian byte stream over a CFile
// that also stores objects with their class records, so that loading makes
// objects of the stored classes again. Stored settings are archive images,
// so every encoding here is byte-exact with the framework's:
//   counts      WORD, or 0xFFFF then DWORD
//   strings     length BYTE, or 0xFF + WORD, or 0xFF 0xFFFF + DWORD, then the
//               bytes (UTF-8, no terminator)
//   objects     0 for NULL; a new class: 0xFFFF, schema WORD, name length
//               WORD, name; a class seen before: 0x8000 | its index; an object
//               seen before: its index. Classes and objects share one index
//               sequence from 1; indices from 0x7FFF on are written as 0x7FFF
//               and a DWORD (with 0x80000000 for a class).
// Loading checks lengths and counts against the bytes left, so a damaged
// image throws CArchiveException instead of allocating or looping on garbage.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/mfc/CException.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes (flushing a storing archive) unless bNoFlushOnDelete was given.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_pBufCur == m_pBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // While an object loads: the schema its class record was stored with
    // (what a versionable class needs to read older data). (UINT)-1 when
    // unknown; reading it resets it to that.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns fewer bytes at the end of the file; EnsureRead
    // throws CArchiveException(endOfFile) instead.
    UINT Read(void* lpBuf, UINT nMax);
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    // Detaches from the file without writing what is buffered.
    void Abort();

    // Text lines: WriteString writes the characters only; ReadString stops
    // at "\n" and drops the line end ("\r\n" or "\n"). The CString form is
    // FALSE at the end of the file; the buffer form is NULL there and reads
    // at most nMax characters into lpsz (which holds nMax + 1).
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Objects and classes. ReadObject with a class refuses (badClass) a
    // stored object of any class not derived from it; NULL accepts any.
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);
    // Gives an object an index without writing it (for objects the loading
    // side makes itself).
    void MapObject(const CObject* pOb);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);

    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);
    // Throws CArchiveException(endOfFile) when nCount elements of at least
    // nMinElementSize bytes each cannot be in what is left to read. Callers
    // check a count read from the data before they allocate for it.
    void CheckCount(ULONGLONG nCount, ULONGLONG nMinElementSize);

    // Fixed-size values, little-endian. int and unsigned are 32 bits, bool a
    // byte, char a byte, WCHAR a WORD.
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(int i);
    CArchive& operator<<(unsigned int u);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(signed char ch);
    CArchive& operator<<(char16_t ch);
    CArchive& operator<<(bool b);
    CArchive& operator<<(long l);
    CArchive& operator<<(unsigned long l);
    CArchive& operator<<(long long l);
    CArchive& operator<<(unsigned long long l);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned int& u);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(signed char& ch);
    CArchive& operator>>(char16_t& ch);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(long& l);
    CArchive& operator>>(unsigned long& l);
    CArchive& operator>>(long long& l);
    CArchive& operator>>(unsigned long long& l);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);

    // Strings in the length-prefixed form. A C string is written as a CString
    // would be (rather than as the bool its pointer would convert to).
    CArchive& operator<<(const CString& str);
    CArchive& operator<<(LPCTSTR lpsz);
    CArchive& operator>>(CString& str);

    // Object pointers through WriteObject/ReadObject (any class).
    CArchive& operator<<(const CObject* pOb);
    CArchive& operator>>(CObject*& pOb);
    CArchive& operator>>(const CObject*& pOb);

    // The framework keeps the next index of the object and class maps here;
    // 1 when the archive starts (0 is the null object).
    UINT m_nMapCount;

private:
    template <class T>
    CArchive& PutLittleEndian(T value);
    template <class T>
    CArchive& GetLittleEndian(T& value);

    void FillBuffer(UINT nBytesNeeded);
    void FlushBuffer();
    void CheckLoading() const;
    void CheckStoring() const;
    ULONGLONG BytesLeft() const;
    ULONGLONG ReadStringLength(int& nCharSize);
    void WriteMapIndex(DWORD nIndex, DWORD dwBigTag, WORD wSmallFlag);
    void NextMapIndex();
    [[noreturn]] void ThrowArchive(int cause) const;

    UINT m_nMode;
    CFile* m_pFile;
    std::vector<BYTE> m_buffer;
    BYTE* m_pBufStart;
    BYTE* m_pBufCur;
    BYTE* m_pBufMax;
    UINT m_nObjectSchema;

    // Storing: object or class address -> index. Loading: index -> class
    // (classes) or object, with which kind each index holds.
    std::unordered_map<const void*, DWORD> m_storeMap;
    struct LoadEntry {
        CRuntimeClass* pClass;
        CObject* pObject;
        UINT nSchema;  // of a class: the schema stored in its record
    };
    std::vector<LoadEntry> m_loadArray;
};

// The geometry structures as their LONG fields in order (a RECT is the 16
// bytes left, top, right, bottom), as the framework archives them.
CArchive& operator<<(CArchive& ar, SIZE size);
CArchive& operator<<(CArchive& ar, POINT point);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator>>(CArchive& ar, RECT& rect);
