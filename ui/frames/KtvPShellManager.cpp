#include "ui/frames/KtvPShellManager.h"

#include <cstring>

#include "platform/mfc/CWnd.h"

CKtvPShellManager* g_pShellManager = nullptr;

namespace {

// The size of one item, the count itself included.
USHORT ItemSize(LPCITEMIDLIST pidl)
{
    USHORT cb = 0;
    std::memcpy(&cb, pidl, sizeof(cb));
    return cb;
}

}  // namespace

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

BOOL CKtvPShellManager::BrowseForFolder(CString& strOutFolder, CWnd* pWndParent, LPCTSTR lplszInitialFolder,
                                        LPCTSTR lpszTitle, UINT ulFlags, LPINT piFolderImage)
{
    TCHAR szDisplayName[MAX_PATH] = {};
    BROWSEINFO bi{};
    bi.hwndOwner = pWndParent != nullptr ? pWndParent->GetSafeHwnd() : nullptr;
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = szDisplayName;
    bi.lpszTitle = lpszTitle != nullptr ? lpszTitle : "";
    bi.ulFlags = ulFlags;
    bi.lpfn = BrowseCallbackProc;
    bi.lParam = reinterpret_cast<LPARAM>(this);
    bi.iImage = -1;

    m_lpszInitialPath = lplszInitialFolder;
    LPITEMIDLIST pidlChosen = ::SHBrowseForFolder(&bi);
    m_lpszInitialPath = nullptr;
    if (pidlChosen == nullptr)
        return FALSE;

    TCHAR szPath[MAX_PATH] = {};
    const BOOL bHasPath = ::SHGetPathFromIDList(pidlChosen, szPath);
    FreeItem(pidlChosen);
    if (!bHasPath)
        return FALSE;
    strOutFolder = szPath;
    if (piFolderImage != nullptr)
        *piFolderImage = bi.iImage;
    return TRUE;
}

int CALLBACK CKtvPShellManager::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    auto* pThis = reinterpret_cast<CKtvPShellManager*>(lpData);
    if (uMsg == BFFM_INITIALIZED && pThis != nullptr && pThis->m_lpszInitialPath != nullptr)
        ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(pThis->m_lpszInitialPath));
    return 0;
}

// --- item-id lists ---------------------------------------------------------------------------------

LPITEMIDLIST CKtvPShellManager::GetNextItem(LPCITEMIDLIST pidl)
{
    if (pidl == nullptr)
        return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(pidl)) + ItemSize(pidl));
}

UINT CKtvPShellManager::GetItemSize(LPCITEMIDLIST pidl)
{
    if (pidl == nullptr)
        return 0;
    UINT cbTotal = 0;
    for (LPCITEMIDLIST pItem = pidl; ItemSize(pItem) != 0; pItem = GetNextItem(pItem))
        cbTotal += ItemSize(pItem);
    return cbTotal + sizeof(USHORT);  // the closing zero count
}

LPITEMIDLIST CKtvPShellManager::CreateItem(UINT cbSize)
{
    if (m_pMalloc == nullptr)
        return nullptr;
    auto* pidl = static_cast<LPITEMIDLIST>(m_pMalloc->Alloc(cbSize));
    if (pidl != nullptr)
        std::memset(pidl, 0, cbSize);
    return pidl;
}

LPITEMIDLIST CKtvPShellManager::ConcatenateItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2)
{
    // Each size without its list's closing zero; the copy ends with pidl2's.
    const UINT cb1 = pidl1 != nullptr ? GetItemSize(pidl1) - sizeof(USHORT) : 0;
    const UINT cb2 = GetItemSize(pidl2);
    LPITEMIDLIST pidlNew = CreateItem(cb1 + (pidl2 != nullptr ? cb2 : sizeof(USHORT)));
    if (pidlNew == nullptr)
        return nullptr;
    auto* pBytes = reinterpret_cast<BYTE*>(pidlNew);
    if (cb1 != 0)
        std::memcpy(pBytes, pidl1, cb1);
    if (pidl2 != nullptr)
        std::memcpy(pBytes + cb1, pidl2, cb2);
    return pidlNew;
}

LPITEMIDLIST CKtvPShellManager::CopyItem(LPCITEMIDLIST pidlSource)
{
    if (pidlSource == nullptr)
        return nullptr;
    const UINT cb = GetItemSize(pidlSource);
    LPITEMIDLIST pidlCopy = CreateItem(cb);
    if (pidlCopy != nullptr)
        std::memcpy(pidlCopy, pidlSource, cb);
    return pidlCopy;
}

void CKtvPShellManager::FreeItem(LPITEMIDLIST pidl)
{
    if (pidl != nullptr && m_pMalloc != nullptr)
        m_pMalloc->Free(pidl);
}
