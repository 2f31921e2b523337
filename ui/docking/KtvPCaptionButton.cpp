#include "ui/docking/KtvPCaptionButton.h"

#include "platform/mfc/CWnd.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/frames/KtvPVisualManager.h"

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

void CKtvPCaptionButton::OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled)
{
    if (m_bHidden) {
        return;
    }
    CKtvPVisualManager::GetInstance()->OnDrawCaptionButton(pDC, this, bActive, bHorz, bMaximized,
                                                           bDisabled || !m_bEnabled, -1);
}

CSize CKtvPCaptionButton::GetSize()
{
    const CSize sizeExtra = CKtvPVisualManager::GetInstance()->GetCaptionButtonExtraBorder();
    return CKtvPMenuImages::Size() + CSize(2 * m_nButtonBorder, 2 * m_nButtonBorder) + sizeExtra;
}

CRect CKtvPCaptionButton::GetRect() const
{
    return CRect(m_ptOrigin, m_bHidden ? CSize(0, 0) : GetSize());
}

CRect CKtvPCaptionButton::GetClientRectIn(const CWnd* pOwner) const
{
    CRect rectWindow;
    pOwner->GetWindowRect(rectWindow);
    pOwner->ScreenToClient(rectWindow);
    CRect rect = GetRect();
    rect.OffsetRect(rectWindow.TopLeft());
    return rect;
}

CKtvPCaptionMenuButton::CKtvPCaptionMenuButton() : CKtvPCaptionMenuButton((UINT)-1) {}

CKtvPCaptionMenuButton::CKtvPCaptionMenuButton(UINT nHit, BOOL bLeftAlign)
    : CKtvPCaptionButton(nHit, bLeftAlign), m_nMenuResult(0), m_bOSMenu(TRUE), m_bMenuIsActive(FALSE)
{
}

CKtvPCaptionMenuButton::~CKtvPCaptionMenuButton() = default;

// A menu button is drawn disabled only when asked, whatever its own flag says.
void CKtvPCaptionMenuButton::OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled)
{
    if (m_bHidden) {
        return;
    }
    CKtvPVisualManager::GetInstance()->OnDrawCaptionButton(pDC, this, bActive, bHorz, bMaximized, bDisabled, -1);
}

void CKtvPCaptionMenuButton::ShowMenu(HMENU hMenu, CWnd* pWndOwner)
{
    if (pWndOwner == nullptr) {
        return;
    }
    auto repaint = [&]() {
        pWndOwner->InvalidateRect(GetRect());
        pWndOwner->SendMessage(WM_NCPAINT);
    };
    m_bMenuIsActive = TRUE;
    m_bPushed = TRUE;
    repaint();

    CRect rectWindow;
    pWndOwner->GetWindowRect(rectWindow);
    const CPoint pt = rectWindow.TopLeft() + m_ptOrigin + GetSize();
    if (m_bOSMenu || g_pContextMenuManager == nullptr) {
        m_nMenuResult = ::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, 0,
                                         pWndOwner->GetSafeHwnd(), nullptr);
    } else {
        m_nMenuResult = (int)g_pContextMenuManager->TrackPopupMenu(hMenu, pt.x, pt.y, pWndOwner, TRUE);
    }
    m_bMenuIsActive = FALSE;
    m_bPushed = FALSE;
    repaint();
}
