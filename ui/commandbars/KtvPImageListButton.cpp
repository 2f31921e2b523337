#include "ui/commandbars/KtvPImageListButton.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPGlobalData.h"

BEGIN_MESSAGE_MAP(CKtvPImageListButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_CTLCOLOR()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPImageListButton::CKtvPImageListButton() = default;

CKtvPImageListButton::~CKtvPImageListButton()
{
    m_Buttons.RemoveAll();
}

void CKtvPImageListButton::OnDestroy()
{
    if (m_wndScrollBar.GetSafeHwnd() != nullptr)
        m_wndScrollBar.DestroyWindow();
    CButton::OnDestroy();
}

CScrollBar* CKtvPImageListButton::GetScrollBarCtrl(int nBar) const
{
    if (nBar == SB_HORZ || m_wndScrollBar.GetSafeHwnd() == nullptr)
        return nullptr;
    return const_cast<CScrollBar*>(&m_wndScrollBar);
}

void CKtvPImageListButton::SetImages(CKtvPToolBarImages* pImages)
{
    m_pImages = pImages;
    if (m_pImages != nullptr) {
        const CSize sizeImage = m_pImages->GetImageSize();
        m_sizeButton = CSize(sizeImage.cx + 6, sizeImage.cy + 7);
    }
    RemoveButtons();
}

void CKtvPImageListButton::AddButton(CKtvPToolbarButton* pButton)
{
    m_Buttons.AddTail(pButton);
    pButton->OnChangeParentWnd(this);
    RecalcLayout();
    if (HWND hwnd = pButton->GetHwnd())
        ::EnableWindow(hwnd, FALSE);
}

void CKtvPImageListButton::RemoveButtons()
{
    SelectButton(static_cast<CKtvPToolbarButton*>(nullptr));
    while (!m_Buttons.IsEmpty())
        m_Buttons.RemoveHead()->OnChangeParentWnd(nullptr);
    m_nScrollOffset = m_nScrollTotal = m_nScrollPage = 0;
    if (GetSafeHwnd() != nullptr) {
        // Refilled later, the layout enables the bar again when rows overflow.
        EnableScrollBarCtrl(SB_VERT, FALSE);
        SetScrollRange(SB_VERT, 0, 0, TRUE);
        if (m_wndScrollBar.GetSafeHwnd() != nullptr) {
            m_wndScrollBar.SetScrollPos(0, TRUE);
            m_wndScrollBar.EnableWindow(FALSE);
        }
    }
}

CRect CKtvPImageListButton::ScrolledRect(const CKtvPToolbarButton* pButton) const
{
    CRect rect = pButton->m_rect;
    rect.OffsetRect(0, -m_nScrollOffset);
    return rect;
}

CKtvPToolbarButton* CKtvPImageListButton::HitTest(POINT point)
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CKtvPToolbarButton* pButton = m_Buttons.GetNext(pos);
        if (ScrolledRect(pButton).PtInRect(point))
            return pButton;
    }
    return nullptr;
}

void CKtvPImageListButton::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr || m_Buttons.IsEmpty())
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectArea = rectClient;
    rectArea.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 1;
    rectArea.DeflateRect(4, 5);

    int x = rectArea.left;
    int y = rectArea.top;
    CClientDC dc(this);
    int nBottom = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CKtvPToolbarButton* pButton = m_Buttons.GetNext(pos);
        CSize size = pButton->OnCalculateSize(&dc, m_sizeButton, TRUE);
        if (x + size.cx > rectArea.right) {
            if (x == rectArea.left) {
                size.cx = rectArea.right - rectArea.left;
            } else {
                x = rectArea.left;
                y += size.cy + 5;
            }
        }
        const CRect rectButton(x, y, x + size.cx, y + m_sizeButton.cy);
        if (rectButton != pButton->m_rect) {
            pButton->m_rect = rectButton;
            pButton->OnMove();
        }
        nBottom = rectButton.bottom;
        x += size.cx + 4;
    }

    const int nStep = RowStep();
    m_nScrollPage = rectArea.Height() / nStep;
    const int nExtraRows = nBottom / nStep - m_nScrollPage;
    if (nExtraRows > 0) {
        if (m_wndScrollBar.GetSafeHwnd() == nullptr) {
            CRect rectBar = rectClient;
            rectBar.DeflateRect(1, 1);
            rectBar.left = rectBar.right - ::GetSystemMetrics(SM_CXVSCROLL) - 1;
            m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, rectBar, this, 1);
        }
        m_nScrollTotal = nExtraRows * nStep;
        // Shown, enabled and ranged whenever rows overflow, also after a refill.
        m_wndScrollBar.ShowWindow(SW_SHOW);
        m_wndScrollBar.EnableWindow(TRUE);
        SetScrollRange(SB_VERT, 0, m_nScrollTotal, TRUE);
    } else if (m_wndScrollBar.GetSafeHwnd() != nullptr) {
        m_nScrollTotal = 0;
        m_nScrollOffset = 0;
        m_wndScrollBar.SetScrollRange(0, 0, TRUE);
        m_wndScrollBar.SetScrollPos(0, TRUE);
        m_wndScrollBar.EnableWindow(FALSE);
    }
    m_bInited = TRUE;
}

void CKtvPImageListButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!m_bInited)
        RecalcLayout();
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rectItem = lpDIS->rcItem;
    if (m_pImages != nullptr) {
        CKtvPDrawState ds;
        if (!m_pImages->PrepareDrawImage(ds))
            return;
        const BOOL bEnabled = IsWindowEnabled();
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            CKtvPToolbarButton* pButton = m_Buttons.GetNext(pos);
            CRect rect = ScrolledRect(pButton);
            if (rect.top >= rectItem.bottom)
                break;
            if (rect.bottom <= rectItem.top)
                continue;
            const UINT nSavedStyle = pButton->m_nStyle;
            if (!bEnabled)
                pButton->m_nStyle |= TBBS_DISABLED;
            pButton->OnDraw(pDC, rect, m_pImages, TRUE, FALSE, FALSE, TRUE, TRUE);
            pButton->m_nStyle = nSavedStyle;
            if (pButton == m_pSelButton && bEnabled) {
                if (pButton->GetHwnd() != nullptr)
                    rect.InflateRect(0, 2);
                if (m_bHasFocus) {
                    pDC->Draw3dRect(rect, globalData.clrBtnShadow, globalData.clrBtnHilite);
                } else {
                    pDC->DrawFocusRect(rect);
                    rect.DeflateRect(1, 1);
                    pDC->DrawFocusRect(rect);
                }
            }
        }
        m_pImages->EndDrawImage(ds);
    }
    pDC->Draw3dRect(rectItem, globalData.clrBtnShadow, globalData.clrBtnHilite);
}

void CKtvPImageListButton::SelectButton(CKtvPToolbarButton* pButton)
{
    if (pButton == m_pSelButton) {
        RedrawSelectedButton();
        return;
    }
    CKtvPToolbarButton* pOld = m_pSelButton;
    m_pSelButton = pButton;
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    for (CKtvPToolbarButton* pChanged : {pOld, m_pSelButton}) {
        if (pChanged == nullptr)
            continue;
        CRect rect = ScrolledRect(pChanged);
        rect.InflateRect(2, 2);
        rect.IntersectRect(rect, rectClient);
        InvalidateRect(rect, TRUE);
    }
    if (m_pSelButton != nullptr) {
        const CRect rect = ScrolledRect(m_pSelButton);
        if (rect.top >= rectClient.bottom || rect.bottom <= rectClient.top) {
            m_nScrollOffset = std::clamp(static_cast<int>(m_pSelButton->m_rect.bottom) - rectClient.Height(), 0,
                                         std::max(0, m_nScrollTotal));
            SetScrollPos(SB_VERT, m_nScrollOffset, TRUE);
            Invalidate();
        }
    }
    UpdateWindow();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

BOOL CKtvPImageListButton::SelectButton(int iImage)
{
    if (iImage < 0) {
        SelectButton(static_cast<CKtvPToolbarButton*>(nullptr));
        return TRUE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CKtvPToolbarButton* pButton = m_Buttons.GetNext(pos);
        if (pButton->GetImage() == iImage) {
            SelectButton(pButton);
            return TRUE;
        }
    }
    return FALSE;
}

void CKtvPImageListButton::RedrawSelectedButton()
{
    if (m_pSelButton == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect rect = ScrolledRect(m_pSelButton);
    rect.InflateRect(2, 2);
    InvalidateRect(rect, TRUE);
    UpdateWindow();
}

BOOL CKtvPImageListButton::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillSolidRect(rectClient, globalData.clrBtnFace);
    return TRUE;
}

UINT CKtvPImageListButton::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CKtvPImageListButton::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    CKtvPToolbarButton* pButton = HitTest(point);
    if (pButton == nullptr)
        return;
    SelectButton(pButton);
    if (!m_bEnableDragFromList)
        return;
    COleDataSource srcItem;
    if (pButton->PrepareDrag(srcItem))
        srcItem.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

void CKtvPImageListButton::ScrollTo(int nPosition)
{
    nPosition = std::clamp(nPosition, 0, std::max(0, m_nScrollTotal));
    if (nPosition == m_nScrollOffset)
        return;
    m_nScrollOffset = nPosition;
    SetScrollPos(SB_VERT, m_nScrollOffset, TRUE);
    CRect rect;
    GetClientRect(&rect);
    rect.right -= ::GetSystemMetrics(SM_CXVSCROLL) + 2;
    rect.DeflateRect(1, 1);
    InvalidateRect(rect, TRUE);
}

void CKtvPImageListButton::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    const int nStep = RowStep();
    switch (nSBCode) {
    case SB_LINEUP:
        ScrollTo(m_nScrollOffset - nStep);
        break;
    case SB_LINEDOWN:
        ScrollTo(m_nScrollOffset + nStep);
        break;
    case SB_PAGEUP:
        ScrollTo(m_nScrollOffset - nStep * m_nScrollPage);
        break;
    case SB_PAGEDOWN:
        ScrollTo(m_nScrollOffset + nStep * m_nScrollPage);
        break;
    case SB_THUMBPOSITION:
        ScrollTo(((static_cast<int>(nPos) + nStep / 2) / nStep) * nStep);
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(m_nScrollTotal);
        break;
    default:
        break;
    }
}

void CKtvPImageListButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPImageListButton::OnSysColorChange()
{
    if (m_pImages == nullptr)
        return;
    m_pImages->OnSysColorChange();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPImageListButton::OnSize(UINT nType, int cx, int cy)
{
    CButton::OnSize(nType, cx, cy);
    RecalcLayout();
}

HBRUSH CKtvPImageListButton::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HBRUSH hbrDefault = CButton::OnCtlColor(pDC, pWnd, nCtlColor);
    const HWND hAsking = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CKtvPToolbarButton* pButton = m_Buttons.GetNext(pos);
        const HWND hHosted = pButton->GetHwnd();
        if (hHosted == nullptr || hAsking == nullptr || (hHosted != hAsking && !::IsChild(hHosted, hAsking)))
            continue;
        const HBRUSH hbr = pButton->OnCtlColor(pDC, nCtlColor);
        return hbr != nullptr ? hbr : hbrDefault;
    }
    return hbrDefault;
}

void CKtvPImageListButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_Buttons.IsEmpty() && (nChar == VK_HOME || nChar == VK_END || nChar == VK_LEFT || nChar == VK_UP ||
                                nChar == VK_RIGHT || nChar == VK_DOWN))
        return;
    POSITION posSel = m_pSelButton != nullptr ? m_Buttons.Find(m_pSelButton) : nullptr;
    switch (nChar) {
    case VK_HOME:
        SelectButton(m_Buttons.GetHead());
        return;
    case VK_END:
        SelectButton(m_Buttons.GetTail());
        return;
    case VK_LEFT:
    case VK_UP:
        if (posSel == nullptr) {
            SelectButton(m_Buttons.GetHead());
        } else {
            m_Buttons.GetPrev(posSel);
            if (posSel != nullptr)
                SelectButton(m_Buttons.GetAt(posSel));
        }
        return;
    case VK_RIGHT:
    case VK_DOWN:
        if (posSel == nullptr) {
            SelectButton(m_Buttons.GetHead());
        } else {
            m_Buttons.GetNext(posSel);
            if (posSel != nullptr)
                SelectButton(m_Buttons.GetAt(posSel));
        }
        return;
    default:
        CButton::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
}

void CKtvPImageListButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    m_bHasFocus = TRUE;
    if (m_pSelButton == nullptr && !m_Buttons.IsEmpty())
        SelectButton(m_Buttons.GetHead());
    RedrawSelectedButton();
}

void CKtvPImageListButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    m_bHasFocus = FALSE;
    RedrawSelectedButton();
}
