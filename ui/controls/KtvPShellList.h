// A report list of a shell folder's contents: Name, Size, Type and Date
// Modified, folders first, with the shell's context menu; it follows and
// drives a related shell tree.
#pragma once

#include "ui/controls/KtvPListCtrl.h"
#include "ui/controls/KtvPShellTree.h"
#include "ui/frames/KtvPCodes.h"


class CKtvPShellList : public CKtvPListCtrl {
    DECLARE_DYNAMIC(CKtvPShellList)
public:
    enum { kColumnName, kColumnSize, kColumnType, kColumnModified, kColumnCount };

    CKtvPShellList();
    ~CKtvPShellList() override;

    // Shows the folder an item stands for; E_FAIL when it cannot be bound.
    virtual HRESULT DisplayFolder(LPKTVP_SHELLITEMINFO pItemInfo);
    HRESULT DisplayFolder(LPCTSTR lpszPath);
    HRESULT DisplayParentFolder();
    // The folder shown; FALSE for the desktop or none.
    BOOL GetCurrentFolder(CString& strPath) const;
    LPCITEMIDLIST GetCurrentFolderPidl() const { return m_pidlCurFQ; }
    BOOL GetItemPath(CString& strPath, int iItem) const;
    // The default action: a folder is shown, anything else is opened.
    virtual void DoDefault(int iItem);

    void EnableShellContextMenu(BOOL bEnable = TRUE) { m_bContextMenu = bEnable; }
    CKtvPShellTree* GetRelatedTree() const;
    void SetFlags(DWORD dwFlags) { m_nTypes = dwFlags; }

    int OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;

protected:
    LPSHELLFOLDER m_psfCurFolder;
    LPITEMIDLIST m_pidlCurFQ;
    BOOL m_bContextMenu;
    HWND m_hwndRelatedTree;
    BOOL m_bNoNotify;
    DWORD m_nTypes;

    friend class CKtvPShellTree;

    virtual void OnSetColumns();
    HRESULT DisplayFolderList(LPSHELLFOLDER pFolder, LPCITEMIDLIST pidlFQ);
    void ReleaseCurrFolder();
    BOOL InitShellList();
    void ShowFolderOnItsOwn(LPKTVP_SHELLITEMINFO pItemInfo);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    static IContextMenu2* s_pContextMenu2;
};
