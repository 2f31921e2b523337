#include "platform/mfc/CFileDialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = &CCommonDialog::HookProc;
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName)
        CopyText(m_szFileName, sizeof m_szFileName, lpszFileName);
    if (lpszFilter) {
        m_strFilter = lpszFilter;
        for (char& c : m_strFilter) {
            if (c == '|')
                c = '\0';
        }
        // "A|*.a|" without the closing bar still ends in the two NULs the list needs.
        m_strFilter.push_back('\0');
        m_strFilter.push_back('\0');
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    m_ofn.hInstance = nullptr;
    const BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    PostModal();
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    const char* path = m_ofn.lpstrFile;
    const size_t length = std::strlen(path);
    if (m_ofn.nFileOffset > 0 && m_ofn.nFileOffset <= length)
        return CString(path + m_ofn.nFileOffset);
    const char* slash = std::strrchr(path, '/');
    return CString(slash ? slash + 1 : path);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    if (dot <= 0)
        return CString();
    return name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    if (dot <= 0)
        return name;
    return name.Left(dot);
}
