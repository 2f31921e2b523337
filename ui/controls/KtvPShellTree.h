// A tree of the shell's namespace: the desktop and the folders below it with
// the system's small icons, filled when a folder is first expanded, with the
// shell's context menu, driving a companion shell list.
#pragma once

#include "platform/mfc/CTreeCtrl.h"
#include "platform/shell/shlobj.h"

class CKtvPShellList;

// What every shell tree and shell list item owns: the folder holding it (a
// reference; NULL for the desktop), its absolute list and its relative list.
struct KTVP_SHELLITEMINFO {
    LPSHELLFOLDER pParentFolder;
    LPITEMIDLIST pidlFQ;
    LPITEMIDLIST pidlRel;
};
typedef KTVP_SHELLITEMINFO* LPKTVP_SHELLITEMINFO;

// A new zeroed block, and its release (lists through the shell manager).
LPKTVP_SHELLITEMINFO KtvPNewShellItemInfo();
void KtvPFreeShellItemInfo(LPKTVP_SHELLITEMINFO pInfo);
// Runs the command a shell context menu returned (its id, 1 and up) under a
// wait cursor, on behalf of the owner window.
HRESULT KtvPInvokeShellCommand(IContextMenu* pMenu, HWND hwndOwner, int nCommand);

class CKtvPShellTree : public CTreeCtrl {
    DECLARE_DYNAMIC(CKtvPShellTree)
public:
    CKtvPShellTree();
    ~CKtvPShellTree() override;

    void Refresh();
    void EnableShellContextMenu(BOOL bEnable = TRUE) { m_bContextMenu = bEnable; }
    void SetRelatedList(CKtvPShellList* pShellList);
    CKtvPShellList* GetRelatedList() const;
    void SetFlags(DWORD dwFlags, BOOL bRefresh = TRUE);
    DWORD GetFlags() const { return m_dwFlags; }

    // The path of an item; FALSE for items without one (the desktop).
    BOOL GetItemPath(CString& strPath, HTREEITEM htreeItem = nullptr) const;
    // Selects the item of a folder, expanding the items down to it; the list
    // is not driven.
    BOOL SelectPath(LPCTSTR lpszPath);
    BOOL SelectPath(LPCITEMIDLIST pidl);

    virtual CString OnGetItemText(LPKTVP_SHELLITEMINFO pItem);
    virtual int OnGetItemIcon(LPKTVP_SHELLITEMINFO pItem, BOOL bSelected);
    virtual HRESULT EnumObjects(HTREEITEM hParentItem, LPSHELLFOLDER pParentFolder, LPITEMIDLIST pidlParent);

protected:
    BOOL m_bContextMenu;
    HWND m_hwndRelatedList;
    BOOL m_bNoNotify;
    DWORD m_dwFlags;

    friend class CKtvPShellList;

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pLResult) override;

    BOOL InitTree();
    BOOL GetRootItems();
    BOOL GetChildItems(HTREEITEM hParentItem);
    void OnShowContextMenu(CPoint point);
    static int CALLBACK CompareProc(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDestroy();
    void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bCollapsing;
    // The open shell context menu's drawing partner; only one at a time.
    static IContextMenu2* s_pContextMenu2;
};
