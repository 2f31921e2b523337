#include "ui/docking/KtvPCaptionButton.h"

#include "ui/frames/KtvPNotBuilt.h"

int CKtvPCaptionButton::m_nButtonBorder = 2;

CKtvPCaptionButton::CKtvPCaptionButton() : CKtvPCaptionButton((UINT)-1) {}

CKtvPCaptionButton::CKtvPCaptionButton(UINT nHit, BOOL bLeftAlign)
    : m_bPushed(FALSE),
      m_bFocused(FALSE),
      m_bHidden(FALSE),
      m_bEnabled(TRUE),
      m_clrForeground((COLORREF)-1),
      m_nHit(nHit),
      m_bLeftAlign(bLeftAlign),
      m_ptOrigin(0, 0)
{
}

CKtvPCaptionButton::~CKtvPCaptionButton() = default;

void CKtvPCaptionButton::OnDraw(CDC*, BOOL, BOOL, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPCaptionButton::OnDraw"); }

CSize CKtvPCaptionButton::GetSize() { KTVP_NOT_BUILT("CKtvPCaptionButton::GetSize"); }

CKtvPCaptionMenuButton::CKtvPCaptionMenuButton() : CKtvPCaptionMenuButton((UINT)-1) {}

CKtvPCaptionMenuButton::CKtvPCaptionMenuButton(UINT nHit, BOOL bLeftAlign)
    : CKtvPCaptionButton(nHit, bLeftAlign), m_nMenuResult(0), m_bOSMenu(TRUE), m_bMenuIsActive(FALSE)
{
}

CKtvPCaptionMenuButton::~CKtvPCaptionMenuButton() = default;

void CKtvPCaptionMenuButton::OnDraw(CDC*, BOOL, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPCaptionMenuButton::OnDraw");
}

void CKtvPCaptionMenuButton::ShowMenu(HMENU, CWnd*) { KTVP_NOT_BUILT("CKtvPCaptionMenuButton::ShowMenu"); }
