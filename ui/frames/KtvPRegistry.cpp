#include "ui/frames/KtvPRegistry.h"

#include <cstring>
#include <memory>

#include "platform/mfc/CMemFile.h"

IMPLEMENT_DYNCREATE(CKtvPRegistry, CObject)

namespace ktvreg_detail {

constexpr UINT kArchiveBufferSize = 4096;
constexpr UINT kImageGrowBytes = 1024;
constexpr DWORD kNameBufferChars = 1024;
constexpr UINT kPointElements = 5;
constexpr UINT kPointImageBytes = 2 + kPointElements * 4;

}  // namespace ktvreg_detail

CKtvPRegistry::CKtvPRegistry()
    : m_lLastResult(ERROR_SUCCESS),
      m_dwLastType(0),
      m_dwLastSize(0),
      m_hKey(nullptr),
      m_bAdmin(FALSE),
      m_bReadOnly(FALSE),
      m_pUserData(nullptr)
{
}

CKtvPRegistry::CKtvPRegistry(BOOL bAdmin, BOOL bReadOnly) : CKtvPRegistry()
{
    m_bAdmin = bAdmin;
    m_bReadOnly = bReadOnly;
    m_hKey = RootKey(bAdmin);
}

CKtvPRegistry::~CKtvPRegistry()
{
    CKtvPRegistry::Close();
}

HKEY CKtvPRegistry::RootKey(BOOL bAdmin) const
{
    return bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

REGSAM CKtvPRegistry::OpenAccess() const
{
    return m_bReadOnly ? KEY_READ : KEY_ALL_ACCESS;
}

CString CKtvPRegistry::DropTrailingBackslash(LPCTSTR lpszPath)
{
    CString strPath(lpszPath);
    const int nLength = strPath.GetLength();
    if (nLength > 0 && strPath[nLength - 1] == '\\')
        strPath = strPath.Left(nLength - 1);
    return strPath;
}

// --- keys ----------------------------------------------------------------------

BOOL CKtvPRegistry::ReadValues(CStringArray& names)
{
    BOOL bAppended = FALSE;
    for (DWORD nIndex = 0;; ++nIndex) {
        char szName[ktvreg_detail::kNameBufferChars + 1];
        DWORD nChars = ktvreg_detail::kNameBufferChars;
        m_lLastResult = RegEnumValue(m_hKey, nIndex, szName, &nChars, nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult == ERROR_NO_MORE_ITEMS)
            return bAppended;
        if (m_lLastResult != ERROR_SUCCESS)
            return FALSE;
        names.Add(szName);
        bAppended = TRUE;
    }
}

BOOL CKtvPRegistry::VerifyKey(LPCTSTR lpszPath)
{
    HKEY hKey = nullptr;
    m_lLastResult = RegOpenKeyEx(m_hKey, DropTrailingBackslash(lpszPath), 0, OpenAccess(), &hKey);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(hKey);
    return TRUE;
}

BOOL CKtvPRegistry::VerifyValue(LPCTSTR lpszValueName)
{
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType, nullptr, &m_dwLastSize);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CKtvPRegistry::CreateKey(LPCTSTR lpszPath)
{
    if (m_bReadOnly)
        return FALSE;
    HKEY hKey = nullptr;
    m_lLastResult = RegCreateKeyEx(m_hKey, DropTrailingBackslash(lpszPath), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    m_hKey = hKey;
    return TRUE;
}

BOOL CKtvPRegistry::Open(LPCTSTR lpszPath)
{
    m_strPath = lpszPath;
    HKEY hKey = nullptr;
    m_lLastResult = RegOpenKeyEx(m_hKey, DropTrailingBackslash(lpszPath), 0, OpenAccess(), &hKey);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    m_hKey = hKey;
    return TRUE;
}

void CKtvPRegistry::Close()
{
    if (m_hKey == nullptr)
        return;
    RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

BOOL CKtvPRegistry::DeleteValue(LPCTSTR lpszValueName)
{
    m_lLastResult = RegDeleteValue(m_hKey, lpszValueName);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CKtvPRegistry::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin)
{
    if (m_bReadOnly)
        return FALSE;
    return DeleteSubKeysAndKey(RootKey(bAdmin), DropTrailingBackslash(lpszPath), bAdmin);
}

// Sub-key 0 is deleted again and again until none is left: each deletion
// makes another one the first.
BOOL CKtvPRegistry::DeleteSubKeysAndKey(HKEY hRoot, const CString& strPath, BOOL bAdmin)
{
    HKEY hKey = nullptr;
    m_lLastResult = RegOpenKeyEx(hRoot, strPath, 0, KEY_ALL_ACCESS, &hKey);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    for (;;) {
        DWORD nSubKeys = 0;
        DWORD nLongestName = 0;
        m_lLastResult = RegQueryInfoKey(hKey, nullptr, nullptr, nullptr, &nSubKeys, &nLongestName, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult != ERROR_SUCCESS) {
            RegCloseKey(hKey);
            return FALSE;
        }
        if (nSubKeys == 0)
            break;
        std::vector<char> name(nLongestName + 1);
        DWORD nChars = nLongestName + 1;
        m_lLastResult = RegEnumKeyEx(hKey, 0, name.data(), &nChars, nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult != ERROR_SUCCESS || !DeleteKey(strPath + "\\" + name.data(), bAdmin)) {
            RegCloseKey(hKey);
            return FALSE;
        }
    }
    RegCloseKey(hKey);
    m_lLastResult = RegDeleteKey(hRoot, strPath);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CKtvPRegistry::ReadSubKeys(CStringArray& names)
{
    BOOL bAppended = FALSE;
    for (DWORD nIndex = 0;; ++nIndex) {
        char szName[ktvreg_detail::kNameBufferChars + 1];
        DWORD nChars = ktvreg_detail::kNameBufferChars + 1;
        m_lLastResult = RegEnumKeyEx(m_hKey, nIndex, szName, &nChars, nullptr, nullptr, nullptr, nullptr);
        if (m_lLastResult == ERROR_NO_MORE_ITEMS)
            return bAppended;
        if (m_lLastResult != ERROR_SUCCESS)
            return FALSE;
        names.Add(szName);
        bAppended = TRUE;
    }
}

// --- archive images ----------------------------------------------------------

BOOL CKtvPRegistry::BuildArchiveImage(const ArchiveFunction& store, std::vector<BYTE>& image)
{
    try {
        CMemFile file(ktvreg_detail::kImageGrowBytes);
        {
            CArchive ar(&file, CArchive::store, ktvreg_detail::kArchiveBufferSize);
            store(ar);
            ar.Close();
        }
        const auto nLength = static_cast<size_t>(file.GetLength());
        std::unique_ptr<BYTE, decltype(&free)> pBuffer(file.Detach(), &free);
        if (pBuffer == nullptr && nLength > 0)
            return FALSE;
        image.assign(pBuffer.get(), pBuffer.get() + nLength);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CKtvPRegistry::LoadArchiveImage(const BYTE* pData, UINT nBytes, const ArchiveFunction& load)
{
    try {
        CMemFile file(const_cast<BYTE*>(pData), nBytes);
        CArchive ar(&file, CArchive::load, ktvreg_detail::kArchiveBufferSize);
        load(ar);
        ar.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CKtvPRegistry::BuildPointImage(const CPoint& point, std::vector<BYTE>& image)
{
    CDWordArray array;
    array.SetSize(ktvreg_detail::kPointElements);
    array[0] = static_cast<DWORD>(point.x);
    array[1] = static_cast<DWORD>(point.y);
    return BuildArchiveImage([&array](CArchive& ar) { array.Serialize(ar); }, image);
}

BOOL CKtvPRegistry::LoadPointImage(const BYTE* pData, UINT nBytes, CPoint& point)
{
    CDWordArray array;
    if (!LoadArchiveImage(pData, nBytes, [&array](CArchive& ar) { array.Serialize(ar); }))
        return FALSE;
    if (array.GetSize() < 2)
        return FALSE;
    point.x = static_cast<LONG>(array[0]);
    point.y = static_cast<LONG>(array[1]);
    return TRUE;
}

// --- writes ----------------------------------------------------------------------

BOOL CKtvPRegistry::SetRegistryValue(LPCTSTR lpszValueName, DWORD dwType, const BYTE* pData, DWORD nBytes)
{
    m_dwLastType = dwType;
    m_dwLastSize = nBytes;
    m_lLastResult = RegSetValueEx(m_hKey, lpszValueName, 0, dwType, pData, nBytes);
    return m_lLastResult == ERROR_SUCCESS;
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CObject* pObj)
{
    if (m_bReadOnly)
        return FALSE;
    std::vector<BYTE> image;
    if (!BuildArchiveImage([pObj](CArchive& ar) { ar.WriteObject(pObj); }, image))
        return FALSE;
    return Write(lpszValueName, image.data(), static_cast<UINT>(image.size()));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CObject& obj)
{
    if (m_bReadOnly)
        return FALSE;
    std::vector<BYTE> image;
    if (!BuildArchiveImage([&obj](CArchive& ar) { obj.Serialize(ar); }, image))
        return FALSE;
    return Write(lpszValueName, image.data(), static_cast<UINT>(image.size()));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CObList& list)
{
    return Write(lpszValueName, static_cast<CObject&>(list));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, LPBYTE pData, UINT nBytes)
{
    if (m_bReadOnly)
        return FALSE;
    return SetRegistryValue(lpszValueName, REG_BINARY, pData, nBytes);
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, const CPoint& point)
{
    if (m_bReadOnly)
        return FALSE;
    std::vector<BYTE> image;
    if (!BuildPointImage(point, image))
        return FALSE;
    return SetRegistryValue(lpszValueName, REG_BINARY, image.data(), static_cast<DWORD>(image.size()));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, const CRect& rect)
{
    if (m_bReadOnly)
        return FALSE;
    std::vector<BYTE> image;
    if (!BuildArchiveImage([&rect](CArchive& ar) { ar << static_cast<const RECT&>(rect); }, image))
        return FALSE;
    return Write(lpszValueName, image.data(), static_cast<UINT>(image.size()));
}

// Not the array's own Serialize: the count is 32 bits here.
BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CWordArray& array)
{
    if (m_bReadOnly)
        return FALSE;
    std::vector<BYTE> image;
    const auto store = [&array](CArchive& ar) {
        ar << static_cast<DWORD>(array.GetSize());
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            ar << array[i];
    };
    if (!BuildArchiveImage(store, image))
        return FALSE;
    return Write(lpszValueName, image.data(), static_cast<UINT>(image.size()));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CByteArray& array)
{
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CDWordArray& array)
{
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CStringArray& array)
{
    return Write(lpszValueName, static_cast<CObject&>(array));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, CStringList& list)
{
    return Write(lpszValueName, static_cast<CObject&>(list));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, LPCTSTR lpszValue)
{
    if (m_bReadOnly)
        return FALSE;
    const char* pText = lpszValue != nullptr ? lpszValue : "";
    return SetRegistryValue(lpszValueName, REG_SZ, reinterpret_cast<const BYTE*>(pText),
                            static_cast<DWORD>(strlen(pText) + 1));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, DWORD dwValue)
{
    if (m_bReadOnly)
        return FALSE;
    BYTE bytes[4];
    memcpy(bytes, &dwValue, sizeof(bytes));
    return SetRegistryValue(lpszValueName, REG_DWORD, bytes, sizeof(bytes));
}

BOOL CKtvPRegistry::Write(LPCTSTR lpszValueName, int nValue)
{
    return Write(lpszValueName, static_cast<DWORD>(nValue));
}

// --- reads ------------------------------------------------------------------------

namespace ktvreg_detail {

// A buffer from the raw-bytes Read, freed however the read ends.
struct RawBytes {
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    ~RawBytes() { delete[] pData; }
};

}  // namespace ktvreg_detail

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CObject*& pObj, const CRuntimeClass* pExpectedClass)
{
    pObj = nullptr;
    if (pExpectedClass == nullptr)
        return FALSE;
    ktvreg_detail::RawBytes raw;
    if (!Read(lpszValueName, &raw.pData, &raw.nBytes) || raw.pData == nullptr)
        return FALSE;
    CObject* pLoaded = nullptr;
    if (!LoadArchiveImage(raw.pData, raw.nBytes,
                          [&](CArchive& ar) { pLoaded = ar.ReadObject(pExpectedClass); }))
        return FALSE;
    pObj = pLoaded;
    return TRUE;
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CObject& obj)
{
    ktvreg_detail::RawBytes raw;
    if (!Read(lpszValueName, &raw.pData, &raw.nBytes) || raw.pData == nullptr)
        return FALSE;
    return LoadArchiveImage(raw.pData, raw.nBytes, [&obj](CArchive& ar) { obj.Serialize(ar); });
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
    return Read(lpszValueName, static_cast<CObject&>(list));
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    DWORD nSize = 0;
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType, nullptr, &nSize);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    *pBytes = nSize;
    m_dwLastSize = nSize;
    // One byte more than asked, so that an empty value still has a buffer.
    BYTE* pData = new BYTE[nSize + 1];
    DWORD nRead = nSize;
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType, pData, &nRead);
    if (m_lLastResult != ERROR_SUCCESS) {
        delete[] pData;
        return FALSE;
    }
    *ppData = pData;
    return TRUE;
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CRect& rect)
{
    ktvreg_detail::RawBytes raw;
    if (!Read(lpszValueName, &raw.pData, &raw.nBytes) || raw.pData == nullptr)
        return FALSE;
    RECT loaded{};
    if (!LoadArchiveImage(raw.pData, raw.nBytes, [&loaded](CArchive& ar) { ar >> loaded; }))
        return FALSE;
    rect = loaded;
    return TRUE;
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CPoint& point)
{
    BYTE image[ktvreg_detail::kPointImageBytes];
    DWORD nSize = sizeof(image);
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType, image, &nSize);
    if (m_lLastResult != ERROR_SUCCESS || m_dwLastType != REG_BINARY)
        return FALSE;
    return LoadPointImage(image, nSize, point);
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CByteArray& array)
{
    array.SetSize(0);
    return Read(lpszValueName, static_cast<CObject&>(array));
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CWordArray& array)
{
    array.SetSize(0);
    ktvreg_detail::RawBytes raw;
    if (!Read(lpszValueName, &raw.pData, &raw.nBytes) || raw.pData == nullptr)
        return FALSE;
    CWordArray loaded;
    const auto load = [&loaded](CArchive& ar) {
        DWORD nCount = 0;
        ar >> nCount;
        ar.CheckCount(nCount, sizeof(WORD));
        loaded.SetSize(static_cast<INT_PTR>(nCount));
        for (DWORD i = 0; i < nCount; ++i)
            ar >> loaded[static_cast<INT_PTR>(i)];
    };
    if (!LoadArchiveImage(raw.pData, raw.nBytes, load))
        return FALSE;
    array.Copy(loaded);
    return TRUE;
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CDWordArray& array)
{
    array.SetSize(0);
    return Read(lpszValueName, static_cast<CObject&>(array));
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CStringArray& array)
{
    array.SetSize(0);
    return Read(lpszValueName, static_cast<CObject&>(array));
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CStringList& list)
{
    list.RemoveAll();
    return Read(lpszValueName, static_cast<CObject&>(list));
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, CString& strValue)
{
    DWORD nSize = 0;
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType, nullptr, &nSize);
    if (m_lLastResult != ERROR_SUCCESS) {
        strValue.Empty();
        return FALSE;
    }
    m_dwLastSize = nSize;
    if (nSize == 0) {
        strValue.Empty();
        return TRUE;
    }
    std::vector<char> buffer(nSize + 1, '\0');
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType,
                                    reinterpret_cast<BYTE*>(buffer.data()), &nSize);
    if (m_lLastResult != ERROR_SUCCESS) {
        strValue.Empty();
        return FALSE;
    }
    strValue = buffer.data();
    return TRUE;
}

BOOL CKtvPRegistry::ReadNumber(LPCTSTR lpszValueName, DWORD& dwValue)
{
    BYTE bytes[4] = {};
    DWORD nSize = sizeof(bytes);
    m_lLastResult = RegQueryValueEx(m_hKey, lpszValueName, nullptr, &m_dwLastType, bytes, &nSize);
    if (m_lLastResult != ERROR_SUCCESS)
        return FALSE;
    memcpy(&dwValue, bytes, sizeof(bytes));
    return TRUE;
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, DWORD& dwValue)
{
    return ReadNumber(lpszValueName, dwValue);
}

BOOL CKtvPRegistry::Read(LPCTSTR lpszValueName, int& nValue)
{
    DWORD dwValue = 0;
    if (!ReadNumber(lpszValueName, dwValue))
        return FALSE;
    nValue = static_cast<int>(dwValue);
    return TRUE;
}
