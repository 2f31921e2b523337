#include "ui/docking/KtvPAutoHideButton.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

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

BOOL CKtvPAutoHideButton::Create(CKtvPAutoHideToolBar* pParentBar, CKtvPDockingControlBar* pAutoHideWnd,
                                 DWORD dwAlignment)
{
    m_pAutoHideToolBar = pParentBar;
    m_pDockingBar = pAutoHideWnd;
    m_dwAlignment = dwAlignment;
    if (m_pDockingBar != nullptr) {
        m_pDockingBar->SetAutoHideParents(pParentBar, this);
    }
    CSize size;
    GetSize(size);
    m_rect.SetRect(0, 0, size.cx, size.cy);
    m_bVisible = TRUE;
    return TRUE;
}

BOOL CKtvPAutoHideButton::IsHorizontal() const { return (m_dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

namespace {

BOOL IsActiveInGroup(const CKtvPAutoHideToolBar* pToolBar)
{
    return pToolBar == nullptr || pToolBar->IsActiveInGroup();
}

HICON IconOf(const CKtvPDockingControlBar* pBar) { return pBar != nullptr ? pBar->GetIcon(FALSE) : nullptr; }

}  // namespace

void CKtvPAutoHideButton::GetTextSize(CSize& size) const
{
    size = CSize(0, 0);
    if (m_pDockingBar == nullptr || m_pAutoHideToolBar == nullptr) {
        return;
    }
    CString strText;
    m_pDockingBar->GetWindowText(strText);
    const BOOL bHorz = IsHorizontal();
    if (!strText.IsEmpty() && m_pAutoHideToolBar->GetSafeHwnd() != nullptr) {
        CWindowDC dc(m_pAutoHideToolBar);
        CFont* pOldFont = dc.SelectObject(bHorz ? &globalData.fontRegular : &globalData.fontVertDown);
        CSize sizeText(0, 0);
        ::GetTextExtentPoint32(dc.GetSafeHdc(), strText, strText.GetLength(), &sizeText);
        dc.SelectObject(pOldFont);
        size = bHorz ? CSize(sizeText.cx + m_nMargin, sizeText.cy + m_nMargin)
                     : CSize(sizeText.cy + m_nMargin, sizeText.cx + m_nMargin);
    }
    if (!IsActiveInGroup(m_pAutoHideToolBar) && m_bTextForActiveOnly) {
        (bHorz ? size.cx : size.cy) = 0;
    }
}

void CKtvPAutoHideButton::GetSize(CSize& size) const
{
    size.cx = size.cy = 2 * m_nBorder + m_nMargin;
    if (m_pDockingBar == nullptr) {
        return;
    }
    const BOOL bHorz = IsHorizontal();
    const CSize sizeIcon = IconOf(m_pDockingBar) != nullptr ? globalData.m_sizeSmallIcon : CSize(0, 0);
    CSize sizeText;
    GetTextSize(sizeText);
    const BOOL bHasIcon = sizeIcon != CSize(0, 0);
    const int nTextAlong = bHorz ? sizeText.cx : sizeText.cy;
    int nGap = 0;
    if (!bHasIcon) {
        nGap = m_nNoIconGap + m_nMargin;
    } else if (nTextAlong > 0) {
        nGap = m_nIconTextGap + (bHorz ? sizeIcon.cx : sizeIcon.cy);
    } else {
        nGap = m_nMargin + 1;
    }
    if (bHorz) {
        size.cx += sizeText.cx + nGap + sizeIcon.cx;
        size.cy += std::max(sizeText.cy, sizeIcon.cy);
    } else {
        size.cx += std::max(sizeIcon.cx, sizeText.cx);
        size.cy += sizeText.cy + nGap + sizeIcon.cy;
    }
}

void CKtvPAutoHideButton::OnDraw(CDC* pDC)
{
    CSize size;
    GetSize(size);
    m_rect.SetRect(0, 0, size.cx, size.cy);
    OnFillBackground(pDC, m_rect);

    // The side that faces the frame edge has no border.
    CRect rectBorder(m_nBorder, 0, m_nBorder, m_nBorder);
    switch (m_dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_LEFT:
        globalUtils.RotateRect(rectBorder, -90);
        break;
    case CBRS_ALIGN_RIGHT:
        globalUtils.RotateRect(rectBorder, 90);
        break;
    case CBRS_ALIGN_BOTTOM:
        globalUtils.RotateRect(rectBorder, 180);
        break;
    default:
        break;
    }
    OnDrawBorder(pDC, m_rect, rectBorder);

    if (m_pDockingBar == nullptr) {
        return;
    }
    CRect rectContent = m_rect;
    rectContent.DeflateRect(rectBorder.left, rectBorder.top, rectBorder.right, rectBorder.bottom);
    rectContent.DeflateRect(m_nMargin, m_nMargin);

    const BOOL bHorz = IsHorizontal();
    const HICON hIcon = IconOf(m_pDockingBar);
    if (hIcon != nullptr) {
        const CSize sizeIcon = globalData.m_sizeSmallIcon;
        const CPoint ptIcon = bHorz ? CPoint(rectContent.left, rectContent.top + (rectContent.Height() - sizeIcon.cy) / 2)
                                    : CPoint(rectContent.left + (rectContent.Width() - sizeIcon.cx) / 2, rectContent.top);
        ::DrawIconEx(pDC->GetSafeHdc(), ptIcon.x, ptIcon.y, hIcon, sizeIcon.cx, sizeIcon.cy, 0, nullptr, DI_NORMAL);
        (bHorz ? rectContent.left : rectContent.top) += (bHorz ? sizeIcon.cx : sizeIcon.cy) + m_nIconTextGap;
    } else {
        (bHorz ? rectContent.left : rectContent.top) += m_nMargin;
    }

    CString strText;
    m_pDockingBar->GetWindowText(strText);
    const BOOL bShowText =
        IsActiveInGroup(m_pAutoHideToolBar) || hIcon == nullptr || !m_bTextForActiveOnly;
    if (strText.IsEmpty() || !bShowText) {
        return;
    }
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(bHorz ? &globalData.fontRegular : &globalData.fontVertDown);
    pDC->SetTextColor(globalData.clrBarText);
    if (bHorz) {
        pDC->DrawText(strText, rectContent, DT_SINGLELINE | DT_VCENTER);
    } else {
        TEXTMETRIC tm;
        pDC->GetTextMetrics(&tm);
        CRect rectText(rectContent.right - (rectContent.Width() - tm.tmHeight + 1) / 2, rectContent.top,
                       rectContent.right, rectContent.top + m_nIconTextGap);
        pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    }
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
}

void CKtvPAutoHideButton::OnFillBackground(CDC* pDC, CRect rect)
{
    CKtvPVisualManager::GetInstance()->OnFillAutoHideButtonBackground(pDC, rect, this);
}

void CKtvPAutoHideButton::OnDrawBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize)
{
    CKtvPVisualManager::GetInstance()->OnDrawAutoHideButtonBorder(pDC, rectBounds, rectBorderSize, this);
}

void CKtvPAutoHideButton::UnSetAutoHideMode(CKtvPDockingControlBar* pFirstBarInGroup)
{
    if (m_pDockingBar != nullptr) {
        m_pDockingBar->UnSetAutoHideMode(pFirstBarInGroup);
    }
}

void CKtvPAutoHideButton::ShowAttachedWindow(BOOL bShow)
{
    if (m_pDockingBar == nullptr) {
        return;
    }
    const BOOL bVisible = m_pDockingBar->IsWindowVisible();
    if (bShow && !bVisible) {
        m_pDockingBar->Slide(TRUE, TRUE);
    } else if (!bShow && bVisible) {
        m_pDockingBar->Slide(FALSE, TRUE);
    }
    if (m_pAutoHideToolBar != nullptr) {
        m_pAutoHideToolBar->SetActiveInGroup(bShow);
    }
}
