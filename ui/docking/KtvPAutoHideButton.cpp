#include "ui/docking/KtvPAutoHideButton.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPAutoHideButton, CObject)

int CKtvPAutoHideButton::m_nBorder = 1;
int CKtvPAutoHideButton::m_nMargin = 2;
int CKtvPAutoHideButton::m_nIconTextGap = 10;
int CKtvPAutoHideButton::m_nNoIconGap = 20;
BOOL CKtvPAutoHideButton::m_bTextForActiveOnly = TRUE;

CKtvPAutoHideButton::CKtvPAutoHideButton()
    : m_bTop(FALSE), m_dwAlignment(0), m_bVisible(FALSE), m_pAutoHideToolBar(nullptr), m_pDockingBar(nullptr)
{
}

CKtvPAutoHideButton::~CKtvPAutoHideButton() = default;

BOOL CKtvPAutoHideButton::Create(CKtvPAutoHideToolBar*, CKtvPDockingControlBar*, DWORD)
{
    KTVP_NOT_BUILT("CKtvPAutoHideButton::Create");
}

void CKtvPAutoHideButton::OnDraw(CDC*) { KTVP_NOT_BUILT("CKtvPAutoHideButton::OnDraw"); }
void CKtvPAutoHideButton::OnFillBackground(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPAutoHideButton::OnFillBackground"); }
void CKtvPAutoHideButton::OnDrawBorder(CDC*, CRect, CRect) { KTVP_NOT_BUILT("CKtvPAutoHideButton::OnDrawBorder"); }
void CKtvPAutoHideButton::UnSetAutoHideMode(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPAutoHideButton::UnSetAutoHideMode");
}

void CKtvPAutoHideButton::GetTextSize(CSize&) const { KTVP_NOT_BUILT("CKtvPAutoHideButton::GetTextSize"); }
void CKtvPAutoHideButton::GetSize(CSize&) const { KTVP_NOT_BUILT("CKtvPAutoHideButton::GetSize"); }
BOOL CKtvPAutoHideButton::IsHorizontal() const { KTVP_NOT_BUILT("CKtvPAutoHideButton::IsHorizontal"); }
void CKtvPAutoHideButton::ShowAttachedWindow(BOOL) { KTVP_NOT_BUILT("CKtvPAutoHideButton::ShowAttachedWindow"); }
