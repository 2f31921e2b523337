#include "platform/mfc/CRecentFileList.h"

#include <cstdio>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxres.h"
#include "platform/win32/kernel/Files.h"

namespace tw::mfc::mru_detail {

CString FullPath(LPCTSTR lpszPathName)
{
    char full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathName(lpszPathName, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return CString(lpszPathName);
    return CString(full);
}

// "/first/.../last/parts" within nMax bytes, keeping the first folder and as
// many trailing parts as fit; the file name alone when even that is too long.
CString Abbreviate(const CString& path, int nMax, BOOL bAtLeastName)
{
    if (path.GetLength() <= nMax)
        return path;
    const int nameStart = path.ReverseFind('/') + 1;
    const CString name = path.Mid(nameStart);
    const int firstEnd = path.Find('/', 1);
    if (firstEnd < 0 || firstEnd >= nameStart - 1)
        return bAtLeastName ? name : CString();
    const CString head = path.Left(firstEnd + 1) + "...";
    int tailStart = nameStart - 1;  // the '/' before the name
    while (true) {
        const int previous = path.Left(tailStart).ReverseFind('/');
        if (previous <= firstEnd || head.GetLength() + path.GetLength() - previous > nMax)
            break;
        tailStart = previous;
    }
    const CString shortened = head + path.Mid(tailStart);
    if (shortened.GetLength() <= nMax)
        return shortened;
    return bAtLeastName ? name : CString();
}

// A '&' in a file name is shown, not taken as the item's mnemonic.
CString EscapeAmpersands(const CString& text)
{
    CString escaped(text);
    escaped.Replace("&", "&&");
    return escaped;
}

}  // namespace tw::mfc::mru_detail

namespace mru_detail = tw::mfc::mru_detail;

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nSize(nSize < 0 ? 0 : nSize),
      m_nMaxDisplayLength(nMaxDispLen),
      m_arrNames(static_cast<size_t>(m_nSize))
{
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString entry;
    entry.Format(m_strEntryFormat, nIndex + 1);
    return entry;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (m_nSize == 0 || !lpszPathName || !*lpszPathName)
        return;
    const CString path = mru_detail::FullPath(lpszPathName);
    // File names on this system tell case apart, so the match is exact.
    int found = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[static_cast<size_t>(i)] == path) {
            found = i;
            break;
        }
    }
    for (int i = found; i > 0; --i)
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i - 1)];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[static_cast<size_t>(i)] = m_arrNames[static_cast<size_t>(i + 1)];
    m_arrNames[static_cast<size_t>(m_nSize - 1)].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return FALSE;
    const CString& path = m_arrNames[static_cast<size_t>(nIndex)];
    if (path.IsEmpty())
        return FALSE;
    const CString folder = lpszCurDir ? CString(lpszCurDir).Left(nCurDir) : CString();
    const int nameStart = path.ReverseFind('/') + 1;
    const CString pathFolder = path.Left(nameStart > 0 ? nameStart - 1 : 0);
    if (!folder.IsEmpty() && (pathFolder == folder || (pathFolder.IsEmpty() && folder == "/"))) {
        strName = path.Mid(nameStart);
        return TRUE;
    }
    strName = mru_detail::Abbreviate(path, m_nMaxDisplayLength, bAtLeastName);
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (!pMenu)
        return;
    if (m_strOriginal.IsEmpty())
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_nSize == 0 || m_arrNames[0].IsEmpty()) {
        // Nothing (left) to show: the placeholder item, greyed, and no stale
        // items of names removed since the menu was last shown.
        for (int i = 1; i < m_nSize; ++i)
            pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
        pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
        if (!m_strOriginal.IsEmpty())
            pMenu->ModifyMenu(pCmdUI->m_nID, MF_BYCOMMAND | MF_STRING, pCmdUI->m_nID, m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }

    for (int i = 0; i < m_nSize; ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);

    char curDir[MAX_PATH] = {};
    const DWORD curDirLength = ::GetCurrentDirectory(MAX_PATH, curDir);
    const UINT firstId = pCmdUI->m_nID;
    for (int i = 0; i < m_nSize; ++i) {
        CString name;
        if (!GetDisplayName(name, i, curDir, static_cast<int>(curDirLength)))
            break;
        CString item;
        item.Format("&%d %s", static_cast<int>((static_cast<UINT>(i) + 1 + m_nStart) % 10),
                    static_cast<LPCTSTR>(mru_detail::EscapeAmpersands(name)));
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, firstId + static_cast<UINT>(i), item);
    }
    // The update loop goes on after the items just made.
    --pCmdUI->m_nIndex;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    for (int i = 0; i < m_nSize; ++i)
        m_arrNames[static_cast<size_t>(i)] = pApp->GetProfileString(m_strSectionName, EntryName(i), "");
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return;
    // The section holds the list and nothing else: written afresh.
    pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; ++i) {
        const CString& path = m_arrNames[static_cast<size_t>(i)];
        if (!path.IsEmpty())
            pApp->WriteProfileString(m_strSectionName, EntryName(i), path);
    }
}

// --- the application's side --------------------------------------------------------------------

namespace tw::mfc::mru_detail {
constexpr const char* kSettingsSection = "Settings";
constexpr const char* kPreviewPagesEntry = "PreviewPages";
}  // namespace tw::mfc::mru_detail

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    using namespace tw::mfc::mru_detail;
    m_nNumPreviewPages = GetProfileInt(kSettingsSection, kPreviewPagesEntry, 0);
    constexpr UINT kMostEntries = ID_FILE_MRU_FILE16 - ID_FILE_MRU_FILE1 + 1;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    if (nMaxMRU > kMostEntries)
        nMaxMRU = kMostEntries;
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    using namespace tw::mfc::mru_detail;
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(kSettingsSection, kPreviewPagesEntry, static_cast<int>(m_nNumPreviewPages));
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (!m_pRecentFileList) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return FALSE;
    const CString path = (*m_pRecentFileList)[nIndex];
    if (path.IsEmpty())
        return TRUE;
    // A file that cannot be opened any more leaves the list.
    if (!OpenDocumentFile(path))
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}
