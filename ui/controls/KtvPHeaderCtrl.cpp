#include "ui/controls/KtvPHeaderCtrl.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CImageList.h"
#include "ui/commandbars/KtvPBoxButtonSupport.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNAMIC(CKtvPHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CKtvPHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CKtvPHeaderCtrl::CKtvPHeaderCtrl()
    : m_bIsMousePressed(FALSE),
      m_bMultipleSort(FALSE),
      m_bAscending(TRUE),
      m_nHighlightedItem(-1),
      m_bTracked(FALSE),
      m_bIsDlgControl(FALSE),
      m_hFont(nullptr)
{
}

CKtvPHeaderCtrl::~CKtvPHeaderCtrl() = default;

void CKtvPHeaderCtrl::PreSubclassWindow()
{
    CHeaderCtrl::PreSubclassWindow();
    CheckDialogParent();
}

void CKtvPHeaderCtrl::CheckDialogParent()
{
    m_bIsDlgControl = FALSE;
    for (CWnd* p = GetParent(); p != nullptr; p = p->GetParent()) {
        if (p->IsKindOf(RUNTIME_CLASS(CDialog))) {
            m_bIsDlgControl = TRUE;
            return;
        }
    }
}

void CKtvPHeaderCtrl::OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted)
{
    CKtvPVisualManager::GetInstance()->OnDrawHeaderCtrlBorder(this, pDC, rect, bIsPressed, bIsHighlighted);
    if (iItem < 0) return;

    const int nSortVal = GetSortColumnState(iItem);
    CRect rectLabel = rect;
    if (nSortVal != 0) {
        CRect rectArrow = rect;
        rectArrow.DeflateRect(5, 5);
        rectArrow.left = rectArrow.right - rectArrow.Height();
        if (bIsPressed) rectArrow.OffsetRect(1, 1);
        rectLabel.right = rectArrow.left - 1;
        const int dy2 = (int)(.134 * rectArrow.Width());
        rectArrow.DeflateRect(0, dy2);
        m_bAscending = nSortVal > 0;
        OnDrawSortArrow(pDC, rectArrow);
    }

    HDITEM hdItem = {};
    char szText[256] = {};
    hdItem.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_BITMAP;
    hdItem.pszText = szText;
    hdItem.cchTextMax = (int)sizeof(szText) - 1;
    if (!GetItem(iItem, &hdItem)) return;

    if ((hdItem.fmt & HDF_IMAGE) && hdItem.iImage >= 0) {
        CImageList* pImageList = GetImageList();
        if (pImageList != nullptr) {
            int cx = 0, cy = 0;
            ::ImageList_GetIconSize(pImageList->GetSafeHandle(), &cx, &cy);
            const CPoint pt(rectLabel.left + 1, rectLabel.top + (rectLabel.Height() - cy) / 2);
            pImageList->Draw(pDC, hdItem.iImage, pt, ILD_NORMAL);
            rectLabel.left += cx + 1;
        }
    }
    if ((hdItem.fmt & HDF_BITMAP) && hdItem.hbm != nullptr) {
        BITMAP bmp = {};
        ::GetObject(hdItem.hbm, sizeof(bmp), &bmp);
        CDC dcMem;
        dcMem.CreateCompatibleDC(pDC);
        HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hdItem.hbm);
        const int y = rectLabel.top + (rectLabel.Height() - bmp.bmHeight) / 2;
        if (hdItem.fmt & HDF_BITMAP_ON_RIGHT) {
            pDC->BitBlt(rectLabel.right - bmp.bmWidth, y, bmp.bmWidth, bmp.bmHeight, &dcMem, 0, 0, SRCCOPY);
            rectLabel.right -= bmp.bmWidth;
        } else {
            pDC->BitBlt(rectLabel.left, y, bmp.bmWidth, bmp.bmHeight, &dcMem, 0, 0, SRCCOPY);
            rectLabel.left += bmp.bmWidth;
        }
        ::SelectObject(dcMem.GetSafeHdc(), hOld);
    }
    if ((hdItem.fmt & HDF_STRING) || szText[0] != 0) {
        rectLabel.DeflateRect(5, 0);
        UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        switch (hdItem.fmt & HDF_JUSTIFYMASK) {
        case HDF_CENTER: uiFormat |= DT_CENTER; break;
        case HDF_RIGHT: uiFormat |= DT_RIGHT; break;
        default: uiFormat |= DT_LEFT; break;
        }
        pDC->DrawText(szText, rectLabel, uiFormat);
    }
}

void CKtvPHeaderCtrl::OnFillBackground(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPVisualManager::GetInstance()->OnFillHeaderCtrlBackground(this, pDC, rectClient);
}

void CKtvPHeaderCtrl::OnDrawSortArrow(CDC* pDC, CRect rectArrow)
{
    CKtvPVisualManager::GetInstance()->OnDrawHeaderCtrlSortArrow(this, pDC, rectArrow, m_bAscending);
}

void CKtvPHeaderCtrl::SetSortColumn(int iColumn, BOOL bAscending, BOOL bAdd)
{
    if (iColumn < 0) {
        m_mapColumnsStatus.RemoveAll();
        return;
    }
    if (!bAdd || !m_bMultipleSort) m_mapColumnsStatus.RemoveAll();
    m_mapColumnsStatus.SetAt(iColumn, bAscending ? 1 : -1);
    if (GetSafeHwnd() != nullptr) RedrawWindow();
}

void CKtvPHeaderCtrl::RemoveSortColumn(int iColumn)
{
    m_mapColumnsStatus.RemoveKey(iColumn);
    if (GetSafeHwnd() != nullptr) RedrawWindow();
}

void CKtvPHeaderCtrl::EnableMultipleSort(BOOL bEnable)
{
    if (m_bMultipleSort == bEnable) return;
    m_bMultipleSort = bEnable;
    if (!bEnable) {
        m_mapColumnsStatus.RemoveAll();
        if (GetSafeHwnd() != nullptr) RedrawWindow();
    }
}

int CKtvPHeaderCtrl::GetSortColumnState(int iColumn) const
{
    int nState = 0;
    if (!m_mapColumnsStatus.Lookup(iColumn, nState)) return 0;
    return nState;
}

void CKtvPHeaderCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CKtvPMemDC memDC(dcPaint, this);
    CDC* pDC = &memDC.GetDC();
    CRect rectClient;
    GetClientRect(rectClient);
    OnFillBackground(pDC);

    HFONT hFont = m_hFont;
    if (hFont == nullptr)
        hFont = m_bIsDlgControl ? (HFONT)::GetStockObject(DEFAULT_GUI_FONT)
                                : (HFONT)globalData.fontRegular.GetSafeHandle();
    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), hFont);
    pDC->SetTextColor(globalData.clrBtnText);
    pDC->SetBkMode(TRANSPARENT);

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);

    CRect rectItem;
    const int nCount = GetItemCount();
    int xMax = rectClient.left;
    for (int i = 0; i < nCount; ++i) {
        GetItemRect(i, rectItem);
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(&rectItem);
        pDC->SelectClipRgn(&rgnClip);
        const BOOL bIsPressed = m_bIsMousePressed && rectItem.PtInRect(ptCursor);
        OnDrawItem(pDC, i, rectItem, bIsPressed, m_nHighlightedItem == i);
        pDC->SelectClipRgn(nullptr);
        xMax = std::max(xMax, (int)rectItem.right);
    }
    CRect rectRest = rectClient;
    rectRest.left = xMax;
    rectRest.right++;
    OnDrawItem(pDC, -1, rectRest, FALSE, FALSE);
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
}

BOOL CKtvPHeaderCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bIsMousePressed = TRUE;
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CKtvPHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bIsMousePressed = FALSE;
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CKtvPHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) == 0) {
        HDHITTESTINFO hdHitInfo = {};
        hdHitInfo.pt = point;
        const int nPrevHighlighted = m_nHighlightedItem;
        m_nHighlightedItem = HitTest(&hdHitInfo);
        if ((hdHitInfo.flags & HHT_ONHEADER) == 0) m_nHighlightedItem = -1;
        ktvbox::TrackMouseLeave(this, m_bTracked);
        if (nPrevHighlighted != m_nHighlightedItem) RedrawWindow();
    }
    CHeaderCtrl::OnMouseMove(nFlags, point);
}

void CKtvPHeaderCtrl::OnCancelMode()
{
    CHeaderCtrl::OnCancelMode();
    if (m_nHighlightedItem >= 0) {
        m_nHighlightedItem = -1;
        RedrawWindow();
    }
}

void CKtvPHeaderCtrl::OnMouseLeave()
{
    m_bTracked = FALSE;
    if (m_nHighlightedItem >= 0) {
        m_nHighlightedItem = -1;
        RedrawWindow();
    }
}

LRESULT CKtvPHeaderCtrl::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    if (lParam != 0 && GetSafeHwnd() != nullptr) RedrawWindow();
    return 0;
}
