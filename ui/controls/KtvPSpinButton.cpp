#include "ui/controls/KtvPSpinButton.h"

#include "platform/mfc/CDC.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

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

void CKtvPSpinButton::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    CRect rectClient;
    GetClientRect(rectClient);
    pDC->FillRect(rectClient, &globalData.brWindow);
    int nState = 0;
    if (m_bIsButtonPressedUp)
        nState |= 1;
    if (m_bIsButtonPressedDown)
        nState |= 2;
    if (m_bIsButtonHighligtedUp)
        nState |= 4;
    if (m_bIsButtonHighligtedDown)
        nState |= 8;
    if (!IsWindowEnabled())
        nState |= 0x10;
    CKtvPVisualManager::GetInstance()->OnDrawSpinButtons(pDC, rectClient, nState, FALSE, this);
}

// The split row belongs to the lower half.
BOOL CKtvPSpinButton::IsInUpperHalf(CPoint point) const
{
    CRect rectClient;
    GetClientRect(rectClient);
    return point.y < (rectClient.top + rectClient.bottom) / 2;
}

BOOL CKtvPSpinButton::IsInLowerHalf(CPoint point) const
{
    CRect rectClient;
    GetClientRect(rectClient);
    return rectClient.PtInRect(point) && !IsInUpperHalf(point);
}

void CKtvPSpinButton::ClearStates()
{
    m_bIsButtonPressedUp = m_bIsButtonPressedDown = FALSE;
    m_bIsButtonHighligtedUp = m_bIsButtonHighligtedDown = FALSE;
}

void CKtvPSpinButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    CRect rectClient;
    GetClientRect(rectClient);
    m_bIsButtonPressedUp = rectClient.PtInRect(point) && IsInUpperHalf(point);
    m_bIsButtonPressedDown = IsInLowerHalf(point);
    CSpinButtonCtrl::OnLButtonDown(nFlags, point);
}

void CKtvPSpinButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    ClearStates();
    CSpinButtonCtrl::OnLButtonUp(nFlags, point);
}

void CKtvPSpinButton::OnCancelMode()
{
    CSpinButtonCtrl::OnCancelMode();
    ClearStates();
}

void CKtvPSpinButton::OnMouseMove(UINT nFlags, CPoint point)
{
    const BOOL bWasUp = m_bIsButtonHighligtedUp;
    const BOOL bWasDown = m_bIsButtonHighligtedDown;
    CRect rectClient;
    GetClientRect(rectClient);
    m_bIsButtonHighligtedUp = rectClient.PtInRect(point) && IsInUpperHalf(point);
    m_bIsButtonHighligtedDown = IsInLowerHalf(point);
    // The press follows the held mouse inside the control and stays when it leaves.
    if ((nFlags & MK_LBUTTON) && rectClient.PtInRect(point)) {
        m_bIsButtonPressedUp = m_bIsButtonHighligtedUp;
        m_bIsButtonPressedDown = m_bIsButtonHighligtedDown;
    }
    CSpinButtonCtrl::OnMouseMove(nFlags, point);
    if (bWasUp != m_bIsButtonHighligtedUp || bWasDown != m_bIsButtonHighligtedDown)
        RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    if (!m_bTracked) {
        m_bTracked = TRUE;
        // The platform tracks mouse leave itself; no emulation is needed.
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = GetSafeHwnd();
        tme.dwHoverTime = HOVER_DEFAULT;
        ::TrackMouseEvent(&tme);
    }
}

LRESULT CKtvPSpinButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTracked = FALSE;
    if (m_bIsButtonPressedUp || m_bIsButtonPressedDown || m_bIsButtonHighligtedUp || m_bIsButtonHighligtedDown) {
        // A held press keeps its look until the button is released.
        m_bIsButtonHighligtedUp = m_bIsButtonHighligtedDown = FALSE;
        RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return 0;
}
