// The base of the program's dialogs: a framework dialog over which library
// popup menus (menu buttons, context menus, pickers) work as menus do.
#pragma once

#include "platform/mfc/CDialog.h"
#include "ui/frames/KtvPDlgImpl.h"

class CKtvPPopupMenu;

class CKtvPDialog : public CDialog {
    DECLARE_DYNAMIC(CKtvPDialog)
public:
    explicit CKtvPDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CKtvPDialog() override;

    void SetActiveMenu(CKtvPPopupMenu* pMenu);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPDlgImpl m_Impl;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
