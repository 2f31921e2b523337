#include "ui/controls/KtvPMenuButton.h"

#include "platform/mfc/CDC.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMenuImages.h"

IMPLEMENT_DYNAMIC(CKtvPMenuButton, CKtvPButton)

BEGIN_MESSAGE_MAP(CKtvPMenuButton, CKtvPButton)
    ON_WM_KEYDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CSize KtvSizeWithMenuArrow(CKtvPButton* pButton, CSize sizeContent, BOOL bCalcOnly)
{
    sizeContent.cx += CKtvPMenuImages::Size().cx;
    if (!bCalcOnly)
        pButton->SetWindowPos(nullptr, -1, -1, sizeContent.cx, sizeContent.cy,
                              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return sizeContent;
}

CSize CKtvPMenuButton::SizeToContent(BOOL bCalcOnly)
{
    return KtvSizeWithMenuArrow(this, CKtvPButton::SizeToContent(TRUE), bCalcOnly);
}

void CKtvPMenuButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    CRect rectContent = rect;
    rectContent.right -= sizeGlyph.cx + 10;
    CKtvPButton::OnDraw(pDC, rectContent, uiState);

    const CRect rectArrow(rectContent.right, rect.top, rect.right, rect.bottom);
    const CPoint pt(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                    rect.top + (rect.Height() - sizeGlyph.cy) / 2);
    CKtvPMenuImages::Draw(pDC, m_MenuOnRight ? CKtvPMenuImages::IdArowRightLarge : CKtvPMenuImages::IdArowDownLarge,
                          pt, (uiState & ODS_DISABLED) ? CKtvPMenuImages::ImageGray : CKtvPMenuImages::ImageBlack);
}

void CKtvPMenuButton::OnShowMenu()
{
    if (m_Menu == nullptr || m_MenuActive)
        return;
    CRect rectWindow;
    GetWindowRect(rectWindow);
    const CPoint ptAnchor = m_MenuOnRight ? CPoint(rectWindow.right, rectWindow.top)
                                          : CPoint(rectWindow.left, rectWindow.bottom);
    if (m_StayPressed)
        m_Pushed = m_Highlighted = TRUE;
    m_MenuActive = TRUE;
    Invalidate();

    // With the library's context menus the menu looks and behaves like every other library menu.
    if (g_pContextMenuManager != nullptr)
        m_MenuResult = (int)g_pContextMenuManager->TrackPopupMenu(m_Menu, ptAnchor.x, ptAnchor.y, this);
    else
        m_MenuResult = (int)::TrackPopupMenu(m_Menu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, ptAnchor.x,
                                             ptAnchor.y, 0, GetSafeHwnd(), nullptr);
    if (m_MenuResult != 0)
        SendCommandToParent(this);

    m_Pushed = m_Highlighted = m_MenuActive = FALSE;
    RedrawWindow();
    ReleaseOwnCapture();
}

void CKtvPMenuButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN) {
        OnShowMenu();
        return;
    }
    CKtvPButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPMenuButton::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    OnShowMenu();
}

UINT CKtvPMenuButton::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CKtvPMenuButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_StayPressed && m_MenuActive && m_Pushed) {
        Default();
        ReleaseOwnCapture();
        m_ClickedInside = FALSE;
        return;
    }
    CKtvPButton::OnLButtonUp(nFlags, point);
}

void CKtvPMenuButton::OnKillFocus(CWnd* pNewWnd)
{
    if (m_StayPressed && m_MenuActive && m_Pushed) {
        Default();
        ReleaseOwnCapture();
        m_ClickedInside = FALSE;
        m_Hover = FALSE;
        return;
    }
    CKtvPButton::OnKillFocus(pNewWnd);
}
