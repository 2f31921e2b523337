// The recent-file list: the paths last opened, newest first, kept in the
// application's profile ("File1", "File2", ... under one section) and shown
// as numbered items in place of the first recent-file command of a menu.
#pragma once

#include <vector>

#include "platform/mfc/CString.h"

class CCmdUI;

// The longest name a menu shows for a file outside the current folder.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[static_cast<size_t>(nIndex)]; }

    // The path goes to the top, full; a path already in the list moves there.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name a menu shows: the bare file name inside lpszCurDir, else the path
    // shortened to the display length. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nSize;
    int m_nMaxDisplayLength;
    CString m_strOriginal;  // the menu item's text, shown again while the list is empty

private:
    CString EntryName(int nIndex) const;
    std::vector<CString> m_arrNames;
};
