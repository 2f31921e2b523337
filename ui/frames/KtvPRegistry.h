// Typed access to a tree of registry keys and named values: the one road by
// which the library saves and loads its state. Values are REG_DWORD numbers,
// REG_SZ strings and REG_BINARY bytes; objects and containers are stored as
// the image of a framework archive. A subclass (registered with the factory)
// may keep the same tree elsewhere: the container operations funnel into the
// virtual object-reference Read/Write, and the object, rectangle and word-
// array operations into the virtual raw-bytes Read/Write, so overriding those
// pairs is enough.
#pragma once

#include <functional>
#include <vector>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CByteArray.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"
#include "platform/mfc/CStringList.h"
#include "platform/win32/registry/Registry.h"

class CKtvPRegistry : public CObject {
    DECLARE_DYNCREATE(CKtvPRegistry)
public:
    // Root HKEY_LOCAL_MACHINE when bAdmin, else HKEY_CURRENT_USER.
    CKtvPRegistry(BOOL bAdmin, BOOL bReadOnly);
    ~CKtvPRegistry() override;

    // Names of the current key's values, appended; FALSE when none was.
    virtual BOOL ReadValues(CStringArray& names);
    // Whether the path exists below the current key; the current key stays.
    virtual BOOL VerifyKey(LPCTSTR lpszPath);
    virtual BOOL VerifyValue(LPCTSTR lpszValueName);
    // Creates every missing key of the path; the new key becomes current.
    virtual BOOL CreateKey(LPCTSTR lpszPath);
    // Remembers the path also when the key does not exist (FALSE then).
    virtual BOOL Open(LPCTSTR lpszPath);
    virtual void Close();
    // Allowed on read-only objects.
    virtual BOOL DeleteValue(LPCTSTR lpszValueName);
    // The path below the root bAdmin names, with all its sub-keys.
    virtual BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE);

    // Every Write answers FALSE at once on a read-only object.
    virtual BOOL Write(LPCTSTR lpszValueName, CObject* pObj);  // class record and data
    virtual BOOL Write(LPCTSTR lpszValueName, CObject& obj);   // the object's Serialize
    virtual BOOL Write(LPCTSTR lpszValueName, CObList& list);
    virtual BOOL Write(LPCTSTR lpszValueName, LPBYTE pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR lpszValueName, const CPoint& point);
    virtual BOOL Write(LPCTSTR lpszValueName, const CRect& rect);
    virtual BOOL Write(LPCTSTR lpszValueName, CWordArray& array);
    virtual BOOL Write(LPCTSTR lpszValueName, CByteArray& array);
    virtual BOOL Write(LPCTSTR lpszValueName, CDWordArray& array);
    virtual BOOL Write(LPCTSTR lpszValueName, CStringArray& array);
    virtual BOOL Write(LPCTSTR lpszValueName, CStringList& list);
    virtual BOOL Write(LPCTSTR lpszValueName, LPCTSTR lpszValue);
    virtual BOOL Write(LPCTSTR lpszValueName, DWORD dwValue);
    virtual BOOL Write(LPCTSTR lpszValueName, int nValue);

    // Stored data decides which class an archive creates, so the caller names
    // the class it will use the object as: a stored object of any other class
    // is refused (FALSE, pObj NULL) before it is created.
    virtual BOOL Read(LPCTSTR lpszValueName, CObject*& pObj, const CRuntimeClass* pExpectedClass);
    virtual BOOL Read(LPCTSTR lpszValueName, CObject& obj);
    // Deletes the list's objects first.
    virtual BOOL Read(LPCTSTR lpszValueName, CObList& list);
    // *ppData is new[]-allocated for the caller (delete[] it); NULL on failure.
    virtual BOOL Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pBytes);
    virtual BOOL Read(LPCTSTR lpszValueName, CRect& rect);
    virtual BOOL Read(LPCTSTR lpszValueName, CPoint& point);
    virtual BOOL Read(LPCTSTR lpszValueName, CByteArray& array);
    virtual BOOL Read(LPCTSTR lpszValueName, CWordArray& array);
    virtual BOOL Read(LPCTSTR lpszValueName, CDWordArray& array);
    virtual BOOL Read(LPCTSTR lpszValueName, CStringArray& array);
    virtual BOOL Read(LPCTSTR lpszValueName, CStringList& list);
    // A missing value empties the string (FALSE).
    virtual BOOL Read(LPCTSTR lpszValueName, CString& strValue);
    // A missing value leaves the number as it was (FALSE).
    virtual BOOL Read(LPCTSTR lpszValueName, DWORD& dwValue);
    virtual BOOL Read(LPCTSTR lpszValueName, int& nValue);

    // Names of the current key's sub-keys, appended. FALSE when there is none
    // and when the enumeration fails.
    virtual BOOL ReadSubKeys(CStringArray& names);

    LONG m_lLastResult;
    DWORD m_dwLastType;
    DWORD m_dwLastSize;
    HKEY m_hKey;
    BOOL m_bAdmin;
    CString m_strPath;
    BOOL m_bReadOnly;
    LPVOID m_pUserData;

protected:
    // For dynamic creation; the factory sets the root and the flags.
    CKtvPRegistry();

    // Archive images over a memory file. Building fails (FALSE) when memory
    // runs out; loading when the image is damaged or cut short, or the reader
    // throws a framework exception.
    using ArchiveFunction = std::function<void(CArchive&)>;
    static BOOL BuildArchiveImage(const ArchiveFunction& store, std::vector<BYTE>& image);
    static BOOL LoadArchiveImage(const BYTE* pData, UINT nBytes, const ArchiveFunction& load);

    // The 22-byte image a point is stored as: a five-element DWORD array
    // {x, y, 0, 0, 0} in the array's archive form.
    static BOOL BuildPointImage(const CPoint& point, std::vector<BYTE>& image);
    // x and y from such an image.
    static BOOL LoadPointImage(const BYTE* pData, UINT nBytes, CPoint& point);

    // The path without one trailing backslash.
    static CString DropTrailingBackslash(LPCTSTR lpszPath);
    REGSAM OpenAccess() const;
    HKEY RootKey(BOOL bAdmin) const;

private:
    BOOL SetRegistryValue(LPCTSTR lpszValueName, DWORD dwType, const BYTE* pData, DWORD nBytes);
    BOOL ReadNumber(LPCTSTR lpszValueName, DWORD& dwValue);
    BOOL DeleteSubKeysAndKey(HKEY hRoot, const CString& strPath, BOOL bAdmin);
};
