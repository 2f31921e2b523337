#include "ui/frames/KtvPDialog.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPDialog, CDialog)

BEGIN_MESSAGE_MAP(CKtvPDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPDialog::CKtvPDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_Impl(*this) {}

CKtvPDialog::~CKtvPDialog() = default;

void CKtvPDialog::SetActiveMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPDialog::SetActiveMenu");
}

BOOL CKtvPDialog::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPDialog::PreTranslateMessage");
}

BOOL CKtvPDialog::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPDialog::OnCommand");
}

void CKtvPDialog::OnActivate(UINT, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDialog::OnActivate");
}

BOOL CKtvPDialog::OnNcActivate(BOOL)
{
    KTVP_NOT_BUILT("CKtvPDialog::OnNcActivate");
}

void CKtvPDialog::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPDialog::OnDestroy");
}
