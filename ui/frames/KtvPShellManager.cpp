#include "ui/frames/KtvPShellManager.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPShellManager* g_pShellManager = nullptr;

CKtvPShellManager::CKtvPShellManager() : m_pMalloc(nullptr), m_lpszInitialPath(nullptr)
{
    g_pShellManager = this;
    // Without the allocator every item operation answers null.
    if (FAILED(SHGetMalloc(&m_pMalloc)))
        m_pMalloc = nullptr;
}

CKtvPShellManager::~CKtvPShellManager()
{
    if (g_pShellManager == this)
        g_pShellManager = nullptr;
    if (m_pMalloc != nullptr)
        m_pMalloc->Release();
}

BOOL CKtvPShellManager::BrowseForFolder(CString&, CWnd*, LPCTSTR, LPCTSTR, UINT, LPINT)
{
    KTVP_NOT_BUILT("CKtvPShellManager::BrowseForFolder");
}

LPITEMIDLIST CKtvPShellManager::GetNextItem(LPCITEMIDLIST)
{
    KTVP_NOT_BUILT("CKtvPShellManager::GetNextItem");
}

UINT CKtvPShellManager::GetItemSize(LPCITEMIDLIST)
{
    KTVP_NOT_BUILT("CKtvPShellManager::GetItemSize");
}

LPITEMIDLIST CKtvPShellManager::CreateItem(UINT)
{
    KTVP_NOT_BUILT("CKtvPShellManager::CreateItem");
}

LPITEMIDLIST CKtvPShellManager::ConcatenateItem(LPCITEMIDLIST, LPCITEMIDLIST)
{
    KTVP_NOT_BUILT("CKtvPShellManager::ConcatenateItem");
}

LPITEMIDLIST CKtvPShellManager::CopyItem(LPCITEMIDLIST)
{
    KTVP_NOT_BUILT("CKtvPShellManager::CopyItem");
}

void CKtvPShellManager::FreeItem(LPITEMIDLIST)
{
    KTVP_NOT_BUILT("CKtvPShellManager::FreeItem");
}

int CALLBACK CKtvPShellManager::BrowseCallbackProc(HWND, UINT, LPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPShellManager::BrowseCallbackProc");
}
