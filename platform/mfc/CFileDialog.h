// The open and save dialogs of the framework: the caller's "Name|*.ext||"
// filter, default extension and initial file name, and the chosen path in
// m_ofn afterwards.
#pragma once

#include <string>

#include "platform/mfc/CCommonDialog.h"
#include "platform/mfc/CString.h"

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK with the path in m_ofn; IDCANCEL when cancelled or when the
    // dialog failed (CommDlgExtendedError tells which).
    INT_PTR DoModal() override;

    CString GetPathName() const;
    // "report.sql" of "/x/report.sql".
    CString GetFileName() const;
    // "sql" of "/x/report.sql"; empty without an extension.
    CString GetFileExt() const;
    // "report" of "/x/report.sql".
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }

    OPENFILENAME m_ofn{};

protected:
    BOOL m_bOpenFileDialog;
    // The filter with its bars turned into the NULs the platform reads.
    std::string m_strFilter;
    CString m_strDefExt;
    // Room for any path the file system allows.
    TCHAR m_szFileName[4096] = {};
    TCHAR m_szFileTitle[256] = {};
};
