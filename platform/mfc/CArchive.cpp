#include "platform/mfc/CArchive.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <type_traits>

namespace tw::carchive_detail {

constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr UINT kMaxMapCount = 0x3FFFFFFE;
constexpr UINT kMinBufferSize = 16;
constexpr UINT kUnknownSchema = static_cast<UINT>(-1);

template <class T>
using UnsignedOf = std::make_unsigned_t<T>;

}  // namespace tw::carchive_detail

namespace ard = tw::carchive_detail;

CObject* tw::ArchiveReadObject(CArchive& ar, const CRuntimeClass* pClass)
{
    return ar.ReadObject(pClass);
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_nMapCount(1), m_nMode(nMode), m_pFile(pFile), m_nObjectSchema(ard::kUnknownSchema)
{
    m_buffer.resize(std::max<UINT>(ard::kMinBufferSize, nBufSize > 0 ? static_cast<UINT>(nBufSize) : 0));
    m_pBufStart = m_buffer.data();
    m_pBufCur = m_pBufStart;
    m_pBufMax = IsLoading() ? m_pBufStart : m_pBufStart + m_buffer.size();
    m_loadArray.push_back({nullptr, nullptr, 0});
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    Abort();
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_pFile != nullptr ? static_cast<LPCTSTR>(m_pFile->GetFilePath()) : nullptr);
}

// A closed archive has no file left to use.
void CArchive::CheckLoading() const
{
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
}

void CArchive::CheckStoring() const
{
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
    if (!IsStoring())
        ThrowArchive(CArchiveException::readOnly);
}

UINT CArchive::GetObjectSchema()
{
    const UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = ard::kUnknownSchema;
    return nSchema;
}

// --- the buffer ------------------------------------------------------------

void CArchive::FlushBuffer()
{
    if (m_pBufCur != m_pBufStart)
        m_pFile->Write(m_pBufStart, static_cast<UINT>(m_pBufCur - m_pBufStart));
    m_pBufCur = m_pBufStart;
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    const size_t nKept = static_cast<size_t>(m_pBufMax - m_pBufCur);
    std::memmove(m_pBufStart, m_pBufCur, nKept);
    m_pBufCur = m_pBufStart;
    m_pBufMax = m_pBufStart + nKept;
    const BYTE* pBufEnd = m_pBufStart + m_buffer.size();
    while (static_cast<UINT>(m_pBufMax - m_pBufCur) < nBytesNeeded) {
        const UINT nRead = m_pFile->Read(m_pBufMax, static_cast<UINT>(pBufEnd - m_pBufMax));
        if (nRead == 0)
            ThrowArchive(CArchiveException::endOfFile);
        m_pBufMax += nRead;
    }
}

ULONGLONG CArchive::BytesLeft() const
{
    const ULONGLONG nBuffered = static_cast<ULONGLONG>(m_pBufMax - m_pBufCur);
    if (m_pFile == nullptr)
        return nBuffered;
    try {
        const ULONGLONG nLength = m_pFile->GetLength();
        const ULONGLONG nPosition = m_pFile->GetPosition();
        return nBuffered + (nLength > nPosition ? nLength - nPosition : 0);
    } catch (CException* e) {
        // A file that cannot tell its length cannot be checked ahead.
        e->Delete();
        return ULLONG_MAX;
    }
}

void CArchive::CheckCount(ULONGLONG nCount, ULONGLONG nMinElementSize)
{
    CheckLoading();
    if (nCount == 0)
        return;
    const ULONGLONG nElementSize = std::max<ULONGLONG>(1, nMinElementSize);
    if (nCount > BytesLeft() / nElementSize)
        ThrowArchive(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nMax) {
        if (m_pBufCur == m_pBufMax) {
            const UINT nWanted = nMax - nRead;
            if (nWanted >= m_buffer.size()) {
                const UINT nDirect = m_pFile->Read(pOut + nRead, nWanted);
                if (nDirect == 0)
                    break;
                nRead += nDirect;
                continue;
            }
            const UINT nFilled = m_pFile->Read(m_pBufStart, static_cast<UINT>(m_buffer.size()));
            m_pBufCur = m_pBufStart;
            m_pBufMax = m_pBufStart + nFilled;
            if (nFilled == 0)
                break;
        }
        const UINT nCopy = std::min<UINT>(nMax - nRead, static_cast<UINT>(m_pBufMax - m_pBufCur));
        std::memcpy(pOut + nRead, m_pBufCur, nCopy);
        m_pBufCur += nCopy;
        nRead += nCopy;
    }
    return nRead;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_pBufCur == m_pBufMax)
            FlushBuffer();
        if (m_pBufCur == m_pBufStart && nMax >= m_buffer.size()) {
            m_pFile->Write(pIn, nMax);
            return;
        }
        const UINT nCopy = std::min<UINT>(nMax, static_cast<UINT>(m_pBufMax - m_pBufCur));
        std::memcpy(m_pBufCur, pIn, nCopy);
        m_pBufCur += nCopy;
        pIn += nCopy;
        nMax -= nCopy;
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsLoading()) {
        // Give the unread bytes back, so the file's position is where the
        // archive stopped reading.
        if (m_pBufMax != m_pBufCur)
            m_pFile->Seek(-static_cast<LONGLONG>(m_pBufMax - m_pBufCur), CFile::current);
        m_pBufCur = m_pBufMax;
        return;
    }
    FlushBuffer();
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_pBufCur = m_pBufStart;
    m_pBufMax = IsLoading() ? m_pBufStart : m_pBufStart + m_buffer.size();
}

// --- fixed-size values -----------------------------------------------------

template <class T>
CArchive& CArchive::PutLittleEndian(T value)
{
    CheckStoring();
    if (static_cast<size_t>(m_pBufMax - m_pBufCur) < sizeof(T))
        FlushBuffer();
    ard::UnsignedOf<T> bits = static_cast<ard::UnsignedOf<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) {
        *m_pBufCur++ = static_cast<BYTE>(bits & 0xFF);
        if constexpr (sizeof(T) > 1)
            bits >>= 8;
    }
    return *this;
}

template <class T>
CArchive& CArchive::GetLittleEndian(T& value)
{
    CheckLoading();
    if (static_cast<size_t>(m_pBufMax - m_pBufCur) < sizeof(T))
        FillBuffer(sizeof(T));
    ard::UnsignedOf<T> bits = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        bits = static_cast<ard::UnsignedOf<T>>((static_cast<ULONGLONG>(bits) << 8) | m_pBufCur[i]);
    m_pBufCur += sizeof(T);
    value = static_cast<T>(bits);
    return *this;
}

CArchive& CArchive::operator<<(BYTE by) { return PutLittleEndian(by); }
CArchive& CArchive::operator<<(WORD w) { return PutLittleEndian(w); }
CArchive& CArchive::operator<<(int i) { return PutLittleEndian(static_cast<int32_t>(i)); }
CArchive& CArchive::operator<<(unsigned int u) { return PutLittleEndian(static_cast<uint32_t>(u)); }
CArchive& CArchive::operator<<(short w) { return PutLittleEndian(static_cast<WORD>(w)); }
CArchive& CArchive::operator<<(char ch) { return PutLittleEndian(static_cast<BYTE>(ch)); }
CArchive& CArchive::operator<<(signed char ch) { return PutLittleEndian(static_cast<BYTE>(ch)); }
CArchive& CArchive::operator<<(char16_t ch) { return PutLittleEndian(static_cast<WORD>(ch)); }
CArchive& CArchive::operator<<(bool b) { return PutLittleEndian(static_cast<BYTE>(b ? 1 : 0)); }
CArchive& CArchive::operator<<(long l) { return PutLittleEndian(static_cast<int64_t>(l)); }
CArchive& CArchive::operator<<(unsigned long l) { return PutLittleEndian(static_cast<uint64_t>(l)); }
CArchive& CArchive::operator<<(long long l) { return PutLittleEndian(static_cast<int64_t>(l)); }
CArchive& CArchive::operator<<(unsigned long long l) { return PutLittleEndian(static_cast<uint64_t>(l)); }

CArchive& CArchive::operator<<(float f)
{
    uint32_t bits = 0;
    static_assert(sizeof bits == sizeof f);
    std::memcpy(&bits, &f, sizeof bits);
    return PutLittleEndian(bits);
}

CArchive& CArchive::operator<<(double d)
{
    uint64_t bits = 0;
    static_assert(sizeof bits == sizeof d);
    std::memcpy(&bits, &d, sizeof bits);
    return PutLittleEndian(bits);
}

CArchive& CArchive::operator>>(BYTE& by) { return GetLittleEndian(by); }
CArchive& CArchive::operator>>(WORD& w) { return GetLittleEndian(w); }
CArchive& CArchive::operator>>(unsigned int& u) { return GetLittleEndian(u); }
CArchive& CArchive::operator>>(char16_t& ch) { return GetLittleEndian(ch); }
CArchive& CArchive::operator>>(unsigned long& l) { return GetLittleEndian(l); }
CArchive& CArchive::operator>>(unsigned long long& l) { return GetLittleEndian(l); }

CArchive& CArchive::operator>>(int& i)
{
    uint32_t bits = 0;
    GetLittleEndian(bits);
    i = static_cast<int32_t>(bits);
    return *this;
}

CArchive& CArchive::operator>>(short& w)
{
    WORD bits = 0;
    GetLittleEndian(bits);
    w = static_cast<short>(bits);
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    BYTE bits = 0;
    GetLittleEndian(bits);
    ch = static_cast<char>(bits);
    return *this;
}

CArchive& CArchive::operator>>(signed char& ch)
{
    BYTE bits = 0;
    GetLittleEndian(bits);
    ch = static_cast<signed char>(bits);
    return *this;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE bits = 0;
    GetLittleEndian(bits);
    b = bits != 0;
    return *this;
}

CArchive& CArchive::operator>>(long& l)
{
    uint64_t bits = 0;
    GetLittleEndian(bits);
    l = static_cast<long>(bits);
    return *this;
}

CArchive& CArchive::operator>>(long long& l)
{
    uint64_t bits = 0;
    GetLittleEndian(bits);
    l = static_cast<long long>(bits);
    return *this;
}

CArchive& CArchive::operator>>(float& f)
{
    uint32_t bits = 0;
    GetLittleEndian(bits);
    std::memcpy(&f, &bits, sizeof f);
    return *this;
}

CArchive& CArchive::operator>>(double& d)
{
    uint64_t bits = 0;
    GetLittleEndian(bits);
    std::memcpy(&d, &bits, sizeof d);
    return *this;
}

// --- counts ----------------------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount = 0;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount = 0;
    *this >> qwCount;
    return static_cast<DWORD_PTR>(qwCount);
}

// --- strings ---------------------------------------------------------------

ULONGLONG CArchive::ReadStringLength(int& nCharSize)
{
    nCharSize = 1;
    BYTE bLen = 0;
    *this >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen = 0;
    *this >> wLen;
    if (wLen == 0xFFFE) {
        // The marker of a UTF-16 string, then its length in the same forms.
        nCharSize = 2;
        *this >> bLen;
        if (bLen < 0xFF)
            return bLen;
        *this >> wLen;
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen = 0;
    *this >> dwLen;
    if (dwLen < 0xFFFFFFFF)
        return dwLen;
    ULONGLONG qwLen = 0;
    *this >> qwLen;
    return qwLen;
}

CArchive& CArchive::operator<<(const CString& str)
{
    const ULONGLONG nLength = static_cast<ULONGLONG>(str.GetLength());
    if (nLength < 0xFF) {
        *this << static_cast<BYTE>(nLength);
    } else {
        *this << static_cast<BYTE>(0xFF);
        if (nLength < 0xFFFE) {
            *this << static_cast<WORD>(nLength);
        } else {
            *this << static_cast<WORD>(0xFFFF);
            if (nLength < 0xFFFFFFFF)
                *this << static_cast<DWORD>(nLength);
            else
                *this << static_cast<DWORD>(0xFFFFFFFF) << nLength;
        }
    }
    Write(str.GetString(), static_cast<UINT>(nLength));
    return *this;
}

CArchive& CArchive::operator<<(LPCTSTR lpsz)
{
    return *this << CString(lpsz);
}

CArchive& CArchive::operator>>(CString& str)
{
    int nCharSize = 1;
    const ULONGLONG nLength = ReadStringLength(nCharSize);
    if (nLength > static_cast<ULONGLONG>(INT_MAX) / 2)
        ThrowArchive(CArchiveException::endOfFile);
    CheckCount(nLength, static_cast<ULONGLONG>(nCharSize));
    const UINT nBytes = static_cast<UINT>(nLength) * static_cast<UINT>(nCharSize);
    std::string bytes(nBytes, '\0');
    EnsureRead(bytes.data(), nBytes);
    if (nCharSize == 1) {
        str = CString(bytes.data(), static_cast<int>(nLength));
        return *this;
    }
    std::u16string units(static_cast<size_t>(nLength), u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<BYTE>(bytes[2 * i]) |
                                         (static_cast<BYTE>(bytes[2 * i + 1]) << 8));
    }
    str = CString(units.data(), static_cast<int>(units.size()));
    return *this;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckLoading();
    UINT nRead = 0;
    bool bEndOfLine = false;
    while (nRead < nMax) {
        char ch = 0;
        if (Read(&ch, 1) == 0)
            break;
        if (ch == '\n') {
            bEndOfLine = true;
            break;
        }
        if (ch == '\r') {
            bEndOfLine = true;
            char next = 0;
            if (Read(&next, 1) == 1 && next != '\n')
                --m_pBufCur;  // a lone CR: the next byte begins the next line
            break;
        }
        lpsz[nRead++] = ch;
    }
    lpsz[nRead] = '\0';
    if (nRead == 0 && !bEndOfLine && nMax > 0)
        return nullptr;
    return lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    std::string line;
    bool bAnyRead = false;
    for (;;) {
        char ch = 0;
        if (Read(&ch, 1) == 0)
            break;
        bAnyRead = true;
        if (ch == '\n')
            break;
        if (ch == '\r') {
            char next = 0;
            if (Read(&next, 1) == 1 && next != '\n')
                --m_pBufCur;
            break;
        }
        line += ch;
    }
    rString = CString(line.data(), static_cast<int>(line.size()));
    return bAnyRead;
}

// --- objects and classes ---------------------------------------------------

void CArchive::NextMapIndex()
{
    if (m_nMapCount >= ard::kMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    ++m_nMapCount;
}

void CArchive::WriteMapIndex(DWORD nIndex, DWORD dwBigTag, WORD wSmallFlag)
{
    if (nIndex < ard::kBigObjectTag) {
        *this << static_cast<WORD>(wSmallFlag | nIndex);
        return;
    }
    *this << ard::kBigObjectTag << static_cast<DWORD>(dwBigTag | nIndex);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();
    const auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        WriteMapIndex(found->second, ard::kBigClassTag, ard::kClassTag);
        return;
    }
    *this << ard::kNewClassTag;
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = m_nMapCount;
    NextMapIndex();
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr) {
        *this << ard::kNullTag;
        return;
    }
    const auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end()) {
        WriteMapIndex(found->second, 0, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap[pOb] = m_nMapCount;
    NextMapIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        if (pOb != nullptr && m_storeMap.emplace(pOb, m_nMapCount).second)
            NextMapIndex();
        return;
    }
    m_loadArray.push_back({nullptr, const_cast<CObject*>(pOb), 0});
    NextMapIndex();
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    WORD wTag = 0;
    *this >> wTag;
    DWORD obTag = 0;
    if (wTag == ard::kBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & ard::kClassTag) << 16) | (wTag & ~ard::kClassTag);

    if (!(obTag & ard::kBigClassTag)) {
        // An object reference (or the null object) where a class may stand.
        if (pObTag == nullptr)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef = nullptr;
    UINT nSchema = 0;
    if (wTag == ard::kNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr)
            ThrowArchive(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            ThrowArchive(CArchiveException::badSchema);
        m_loadArray.push_back({pClassRef, nullptr, nSchema});
        NextMapIndex();
    } else {
        const DWORD nClassIndex = obTag & ~ard::kBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || m_loadArray[nClassIndex].pClass == nullptr)
            ThrowArchive(CArchiveException::badIndex);
        pClassRef = m_loadArray[nClassIndex].pClass;
        nSchema = m_loadArray[nClassIndex].nSchema;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring()) {
        WriteClass(pClassRef);
        return;
    }
    UINT nSchema = ard::kUnknownSchema;
    ReadClass(pClassRef, &nSchema);
    m_nObjectSchema = nSchema;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = ard::kUnknownSchema;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].pClass != nullptr)
            ThrowArchive(CArchiveException::badIndex);
        CObject* pOb = m_loadArray[obTag].pObject;
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        ThrowArchive(CArchiveException::badClass);
    // Mapped before it loads, so objects inside it can refer back to it.
    const size_t nIndex = m_loadArray.size();
    m_loadArray.push_back({nullptr, pOb, 0});
    try {
        NextMapIndex();
        const UINT nSchemaSave = m_nObjectSchema;
        m_nObjectSchema = nSchema;
        pOb->Serialize(*this);
        m_nObjectSchema = nSchemaSave;
    } catch (...) {
        m_loadArray[nIndex].pObject = nullptr;
        delete pOb;
        throw;
    }
    return pOb;
}

CArchive& CArchive::operator<<(const CObject* pOb)
{
    WriteObject(pOb);
    return *this;
}

CArchive& CArchive::operator>>(CObject*& pOb)
{
    pOb = ReadObject(nullptr);
    return *this;
}

CArchive& CArchive::operator>>(const CObject*& pOb)
{
    pOb = ReadObject(nullptr);
    return *this;
}

// --- geometry --------------------------------------------------------------

CArchive& operator<<(CArchive& ar, SIZE size)
{
    return ar << size.cx << size.cy;
}

CArchive& operator<<(CArchive& ar, POINT point)
{
    return ar << point.x << point.y;
}

CArchive& operator<<(CArchive& ar, const RECT& rect)
{
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& operator>>(CArchive& ar, SIZE& size)
{
    return ar >> size.cx >> size.cy;
}

CArchive& operator>>(CArchive& ar, POINT& point)
{
    return ar >> point.x >> point.y;
}

CArchive& operator>>(CArchive& ar, RECT& rect)
{
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
