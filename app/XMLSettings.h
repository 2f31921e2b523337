// The settings store that stands in for the registry behind every state the
// UI library and the program's Options save: the factory makes these objects
// once the application registered the class. Two process-wide trees of nodes,
// CURRENT_USER and LOCAL_MACHINE (by the admin flag), answer every registry
// operation; only CURRENT_USER is read from and written to a file
// ("./data/PosImg.dat"). Numbers are stored as "%d" text, strings as they are,
// binary values (and with them every archive image) as lower-case hex pairs.
//
// Path parts and value names lose their blanks before they are stored or
// compared; comparison is exact and case-sensitive. Close leaves the current
// node in place. Meant for the UI thread; the trees are locked all the same.
#pragma once

#include "app/XmlSettingsNode.h"
#include "ui/frames/KtvPRegistry.h"

class CXMLSettings : public CKtvPRegistry {
    DECLARE_DYNCREATE(CXMLSettings)
public:
    CXMLSettings();
    ~CXMLSettings() override;

    // The store does not enumerate: always FALSE, the array untouched.
    BOOL ReadValues(CStringArray& names) override;
    // Always TRUE: the store cannot tell (a following Open tells).
    BOOL VerifyKey(LPCTSTR lpszPath) override;
    BOOL VerifyValue(LPCTSTR lpszValueName) override;
    BOOL CreateKey(LPCTSTR lpszPath) override;
    BOOL Open(LPCTSTR lpszPath) override;
    void Close() override;
    // Compares the name as given, blanks included.
    BOOL DeleteValue(LPCTSTR lpszValueName) override;
    // In the tree bAdmin names; the root itself cannot be deleted.
    BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE) override;

    using CKtvPRegistry::Read;
    using CKtvPRegistry::Write;
    BOOL Write(LPCTSTR lpszValueName, LPBYTE pData, UINT nBytes) override;
    BOOL Write(LPCTSTR lpszValueName, const CPoint& point) override;
    BOOL Write(LPCTSTR lpszValueName, LPCTSTR lpszValue) override;
    BOOL Write(LPCTSTR lpszValueName, DWORD dwValue) override;
    BOOL Write(LPCTSTR lpszValueName, int nValue) override;

    // An odd-length or non-hex value reads as FALSE.
    BOOL Read(LPCTSTR lpszValueName, BYTE** ppData, UINT* pBytes) override;
    BOOL Read(LPCTSTR lpszValueName, CPoint& point) override;
    BOOL Read(LPCTSTR lpszValueName, CString& strValue) override;
    BOOL Read(LPCTSTR lpszValueName, DWORD& dwValue) override;
    BOOL Read(LPCTSTR lpszValueName, int& nValue) override;

    // As ReadValues: always FALSE, the array untouched.
    BOOL ReadSubKeys(CStringArray& names) override;

    // The tree this object works on, by its admin flag.
    virtual CXmlSettingsNode* GetRootNode();

    // Replaces the tree by the file's content. FALSE when the file cannot be
    // read or does not parse completely; such a file is first copied to
    // "<path>.bad" (replacing an older copy) so that the next save cannot
    // lose what could not be read.
    static BOOL LoadFromFile(BOOL bAdmin, LPCTSTR lpszPath);
    // Writes the tree to a temporary file renamed over the old one. FALSE
    // (after the framework's file-error box) when it cannot be written.
    static BOOL SaveToFile(BOOL bAdmin, LPCTSTR lpszPath);

    // The node of the key last created or opened; NULL after a failed Open.
    CXmlSettingsNode* m_pCurrentNode;

private:
    static CXmlSettingsNode& Tree(BOOL bAdmin);
    // The node at the path below root, creating missing parts when asked.
    static CXmlSettingsNode* WalkPath(CXmlSettingsNode& root, LPCTSTR lpszPath, BOOL bCreate);
    BOOL SetValue(LPCTSTR lpszValueName, const CString& strValue);
    // NULL when there is no current node or no such child.
    const CXmlSettingsNode* FindValue(LPCTSTR lpszValueName) const;
};
