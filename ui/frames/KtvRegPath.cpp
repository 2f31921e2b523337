#include "ui/frames/KtvRegPath.h"

#include "platform/mfc/CWinApp.h"

CString KtvGetRegPath(LPCTSTR lpszSection, LPCTSTR lpszProfile)
{
    if (lpszProfile != nullptr && *lpszProfile != '\0')
        return CString(lpszProfile);

    const CWinApp* pApp = AfxGetApp();
    CString strPath("SOFTWARE\\");
    if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && *pApp->m_pszRegistryKey != '\0') {
        strPath += pApp->m_pszRegistryKey;
        strPath += "\\";
    }
    if (pApp != nullptr && pApp->m_pszProfileName != nullptr)
        strPath += pApp->m_pszProfileName;
    strPath += "\\";
    strPath += lpszSection;
    strPath += "\\";
    return strPath;
}

void KtvGetRegPath(CString& strPath, LPCTSTR lpszSection, LPCTSTR lpszProfile)
{
    strPath = KtvGetRegPath(lpszSection, lpszProfile);
}
