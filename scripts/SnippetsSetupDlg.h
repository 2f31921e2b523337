// Tools/Snippet Setup: the snippet pages and items as a tree, edited in the
// registry as the user goes; Save copies the tree into the snippet file.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CTreeCtrl.h"
#include "ui/frames/KtvPDialog.h"

class CSnippetsSetupDlg : public CKtvPDialog {
public:
    enum {
        IDD = 239,
        IDC_ADD_PAGE = 2000,
        IDC_ADD_ITEM = 2001,
        IDC_DROP = 2002,
        IDC_RENAME = 2003,
        IDC_CONTENT_CHOICE = 2004,
        IDC_NAME = 2005,
        IDC_CONTENT = 2006,
        IDC_FILE = 2007,
        IDC_COMMENT = 2008,
        IDC_FILE_CHOICE = 2009,
        IDC_TREE = 2010,
        IDC_SAVE = 2011,
    };
    explicit CSnippetsSetupDlg(CWnd* pParent = nullptr);

    CTreeCtrl m_wndTree;
    CButton m_wndFileChoice;
    CButton m_wndContentChoice;
    CEdit m_wndName;
    CEdit m_wndContent;
    CEdit m_wndFile;
    CEdit m_wndComment;

    void LoadTree();
    BOOL LoadKey(LPCTSTR lpszKeyPath, LPCTSTR lpszLabel, HTREEITEM hParent);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnContentChoice();
    void OnFileChoice();
    void OnSave();
    void OnAddPage();
    void OnAddItem();
    void OnDrop();
    void OnRename();
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContentKillFocus();
    void OnFileKillFocus();
    void OnCommentKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM m_hRoot = nullptr;
    // The item the edits show (null for a page or nothing), and the texts
    // they showed when it was selected: an edit writes only when changed.
    HTREEITEM m_hShown = nullptr;
    CString m_strShownContent;
    CString m_strShownFile;
    CString m_strShownComment;

    bool IsPage(HTREEITEM hItem) const;
    bool IsItem(HTREEITEM hItem) const;
    void ShowNode(HTREEITEM hItem);
    void ShowChoice(BOOL bFile);
    void WriteChoice(BOOL bFile);
    void WriteEdit(CEdit& edit, const char* suffix, CString& strShown);
};
