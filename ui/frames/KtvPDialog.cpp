#include "ui/frames/KtvPDialog.h"


IMPLEMENT_DYNAMIC(CKtvPDialog, CDialog)

BEGIN_MESSAGE_MAP(CKtvPDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPDialog::CKtvPDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_Impl(*this) {}

CKtvPDialog::~CKtvPDialog() = default;

void CKtvPDialog::SetActiveMenu(CKtvPPopupMenu* pMenu)
{
    m_Impl.SetActiveMenu(pMenu);
}

BOOL CKtvPDialog::PreTranslateMessage(MSG* pMsg)
{
    return m_Impl.PreTranslateMessage(pMsg) || CDialog::PreTranslateMessage(pMsg);
}

BOOL CKtvPDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return m_Impl.OnCommand(wParam, lParam) || CDialog::OnCommand(wParam, lParam);
}

void CKtvPDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    // The default activation first: it gives the focus back to the control that
    // had it when the dialog is re-activated by its caption or the keyboard.
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivate(nState, pWndOther);
}

BOOL CKtvPDialog::OnNcActivate(BOOL bActive)
{
    m_Impl.OnNcActivate(bActive);
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CKtvPDialog::OnDestroy()
{
    m_Impl.OnDestroy();
    CDialog::OnDestroy();
}
