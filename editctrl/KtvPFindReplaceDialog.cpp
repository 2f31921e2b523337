#include "editctrl/KtvPFindReplaceDialog.h"

#include "editctrl/KtvPEditView.h"

CKtvPFindReplaceDialog::~CKtvPFindReplaceDialog()
{
    // Enabled again even when the view went first and dropped its link.
    if (m_hWndDisabled != nullptr && ::IsWindow(m_hWndDisabled))
        CWnd::ModifyStyle(m_hWndDisabled, WS_DISABLED, 0, 0);
    if (m_pEditView == nullptr)
        return;
    m_pEditView->m_pFindReplaceDlg = nullptr;
    if (m_pEditView->m_hWnd != nullptr)
        m_pEditView->SetFocus();
}

void CKtvPFindReplaceDialog::DisableWhileOpen(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || (pWnd->GetStyle() & WS_DISABLED))
        return;
    m_hWndDisabled = pWnd->m_hWnd;
    pWnd->ModifyStyle(0, WS_DISABLED);
}
