// The object tree of the Object pane: the server the main frame's
// server-management object is logged on to, its databases, their folders,
// objects, sub-folders and entries. The two upper levels are filled by the
// main frame; a folder or sub-folder is filled the first time it is clicked
// or opened from the keyboard.
#pragma once

#include "explorer/ObjectTreeNodes.h"
#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CTreeCtrl.h"

class CMainFrame;

class CObjectBrowseTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CObjectBrowseTreeCtrl)
public:
    CObjectBrowseTreeCtrl();
    ~CObjectBrowseTreeCtrl() override;

    // Catalogue answers are copied here to be walked; empty when it could not be made.
    ADODB::_RecordsetPtr m_pCatalogRecordset;

    // Classifies the node and fills it when it is an unfilled folder or sub-folder.
    void OnExpandItem(HTREEITEM hItem);
    // Fills the node by kind ("User Table", "Columns", "Index1", ...) when it
    // still has its placeholder; a COM error is shown once and what was read stays.
    int ExpandNode(LPCTSTR lpszKind, int nFlag, HTREEITEM hItem);
    // The context menu of the selection at the screen point; nothing without one.
    void ShowContextMenu(CPoint point);

    // What the selected node stands for; nDepth is -1 without a selection.
    CObjectTreeNode GetSelectedNode() const { return ReadObjectTreeNode(*this, GetSelectedItem()); }
    CObjectTreeNode GetNode(HTREEITEM hItem) const { return ReadObjectTreeNode(*this, hItem); }

    // The popup of menu 146 a node shows and the positions taken away from
    // it, in order; FALSE when the node has no menu.
    BOOL ChooseContextMenu(HTREEITEM hItem, int& nPopup, int nRemove[], int& nRemoveCount) const;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnItemExpanding(NMHDR* pHeader, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void FillFolder(CMainFrame& frame, const CString& strKind, HTREEITEM hItem, const CString& strDatabase);
    void FillTableMembers(CMainFrame& frame, const CString& strKind, int nFlag, HTREEITEM hItem,
                          const CString& strObject);
    void FillFromQuery(CMainFrame& frame, const CString& strKind, HTREEITEM hItem, const CString& strDatabase,
                       const CString& strStatement);
    HTREEITEM InsertEntry(LPCTSTR lpszText, int nImage, HTREEITEM hParent);
    void RedrawAfterFill();
};
