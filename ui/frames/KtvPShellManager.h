// The shell's memory allocator and folder-browse dialog for the library's
// shell-aware controls, with helpers over item-id lists.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/shell/shlobj.h"

class CWnd;

class CKtvPShellManager : public CObject {
public:
    // The new object becomes g_pShellManager; the destructor clears it and
    // releases the allocator.
    CKtvPShellManager();
    ~CKtvPShellManager() override;

    BOOL BrowseForFolder(CString& strOutFolder, CWnd* pWndParent = nullptr, LPCTSTR lplszInitialFolder = nullptr,
                         LPCTSTR lpszTitle = nullptr, UINT ulFlags = BIF_RETURNONLYFSDIRS, LPINT piFolderImage = nullptr);

    LPITEMIDLIST GetNextItem(LPCITEMIDLIST pidl);
    UINT GetItemSize(LPCITEMIDLIST pidl);
    LPITEMIDLIST CreateItem(UINT cbSize);
    LPITEMIDLIST ConcatenateItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
    LPITEMIDLIST CopyItem(LPCITEMIDLIST pidlSource);
    void FreeItem(LPITEMIDLIST pidl);

    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

    IMalloc* m_pMalloc;
    // Set only while BrowseForFolder runs; not owned.
    LPCTSTR m_lpszInitialPath;
};

// The one shell manager; NULL until the workspace makes it.
extern CKtvPShellManager* g_pShellManager;
