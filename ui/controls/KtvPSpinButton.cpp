#include "ui/controls/KtvPSpinButton.h"

#include "ui/frames/KtvPNotBuilt.h"

BEGIN_MESSAGE_MAP(CKtvPSpinButton, CSpinButtonCtrl)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CKtvPSpinButton::CKtvPSpinButton()
    : m_bIsButtonPressedUp(FALSE),
      m_bIsButtonPressedDown(FALSE),
      m_bIsButtonHighligtedUp(FALSE),
      m_bIsButtonHighligtedDown(FALSE),
      m_bTracked(FALSE)
{
}

// The control is the object's: it goes before the base is torn down.
CKtvPSpinButton::~CKtvPSpinButton()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CKtvPSpinButton::OnPaint() { KTVP_NOT_BUILT("CKtvPSpinButton::OnPaint"); }
void CKtvPSpinButton::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPSpinButton::OnLButtonDown"); }
void CKtvPSpinButton::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPSpinButton::OnLButtonUp"); }
void CKtvPSpinButton::OnCancelMode() { KTVP_NOT_BUILT("CKtvPSpinButton::OnCancelMode"); }
void CKtvPSpinButton::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPSpinButton::OnMouseMove"); }
LRESULT CKtvPSpinButton::OnMouseLeave(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPSpinButton::OnMouseLeave"); }
