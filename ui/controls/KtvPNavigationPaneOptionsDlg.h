// "Navigation Pane Options": the user reorders the pages of an outlook window
// and chooses which are shown. Nothing reaches the window before OK.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPCheckListBox.h"

class CKtvPOutlookWnd;

class CKtvPNavigationPaneOptionsDlg : public CDialog {
public:
    explicit CKtvPNavigationPaneOptionsDlg(CKtvPOutlookWnd* pParent);

    CButton m_btnMoveUp;
    CButton m_btnMoveDown;
    CButton m_btnReset;
    CKtvPCheckListBox m_wndList;
    CKtvPOutlookWnd* m_pParentBar;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void UpdateButtons();
    void AddPage(int iPage, BOOL bCheck);
    void MoveSelection(int nDelta);

    void OnSelChange();
    void OnDblClk();
    void OnMoveUp();
    void OnMoveDown();
    void OnReset();
    DECLARE_MESSAGE_MAP()
};
