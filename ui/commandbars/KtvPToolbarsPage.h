// The customise sheet's Toolbars page: the frame's toolbars with a check
// each (checked = shown), their reset, text labels, and the user-defined
// toolbars' creation, renaming and deletion through the frame. The Toolbar
// Name dialog asks for a name for New and Rename.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CString.h"
#include "ui/controls/KtvPCheckListBox.h"

class CFrameWnd;
class CKtvPToolBar;

class CKtvPToolbarNameDlg : public CDialog {
public:
    explicit CKtvPToolbarNameDlg(CWnd* pParent = nullptr);
    ~CKtvPToolbarNameDlg() override;

    CButton m_btnOk;
    CString m_strToolbarName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnUpdateToolbarName();
    DECLARE_MESSAGE_MAP()
};

class CKtvPToolbarsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKtvPToolbarsPage)
public:
    explicit CKtvPToolbarsPage(CFrameWnd* pParentFrame = nullptr);
    ~CKtvPToolbarsPage() override;

    void EnableUserDefinedToolbars(BOOL bEnable) { m_bUserDefinedToolbars = bEnable; }
    // A toolbar was shown or hidden while the sheet is open.
    void OnToolbarShown(CKtvPToolBar* pToolBar, BOOL bShow);
    // The Reset button: the selected toolbar back to its resource state, after Yes.
    void OnReset() override;

    CButton m_bntTextLabels;
    CButton m_bntRenameToolbar;
    CButton m_btnNewToolbar;
    CButton m_btnDelete;
    CButton m_btnReset;
    CKtvPCheckListBox m_wndToolbarList;
    BOOL m_bTextLabels = FALSE;
    CKtvPToolBar* m_pSelectedToolbar = nullptr;
    BOOL m_bUserDefinedToolbars = FALSE;
    CFrameWnd* m_pParentFrame = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSelchangeToolbarList();
    void OnDblclkToolbarList();
    void OnResetToolbar() { OnReset(); }
    void OnResetAllToolbars();
    void OnNewToolbar();
    void OnRenameToolbar();
    void OnDeleteToolbar();
    void OnTextLabels();
    void OnCheckChanged();
    // Lists the toolbar under its name, checked as shown, selected and scrolled to the top.
    int AddToolbarItem(CKtvPToolBar* pToolBar, const CString& strName);
    int FindToolbarItem(const CKtvPToolBar* pToolBar) const;
    DECLARE_MESSAGE_MAP()
};
