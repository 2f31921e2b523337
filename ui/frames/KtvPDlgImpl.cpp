#include "ui/frames/KtvPDlgImpl.h"

#include "ui/frames/KtvPNotBuilt.h"

HHOOK CKtvPDlgImpl::m_hookMouse = nullptr;
CKtvPDlgImpl* CKtvPDlgImpl::m_pMenuDlgImpl = nullptr;

CKtvPDlgImpl::CKtvPDlgImpl(CWnd& dlg) : m_Dlg(dlg) {}

CKtvPDlgImpl::~CKtvPDlgImpl() = default;

BOOL CKtvPDlgImpl::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::PreTranslateMessage");
}

BOOL CKtvPDlgImpl::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::OnCommand");
}

void CKtvPDlgImpl::SetActiveMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::SetActiveMenu");
}

void CKtvPDlgImpl::OnActivate(UINT, CWnd*)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::OnActivate");
}

void CKtvPDlgImpl::OnNcActivate(BOOL&)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::OnNcActivate");
}

void CKtvPDlgImpl::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::OnDestroy");
}

BOOL CKtvPDlgImpl::ProcessMouseClick(POINT)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::ProcessMouseClick");
}

BOOL CKtvPDlgImpl::ProcessMouseMove(POINT)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::ProcessMouseMove");
}

LRESULT CALLBACK CKtvPDlgImpl::MouseHookProc(int, WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPDlgImpl::MouseHookProc");
}
