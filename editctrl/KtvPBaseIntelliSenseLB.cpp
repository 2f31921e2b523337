#include "editctrl/KtvPBaseIntelliSenseLB.h"

#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "editctrl/KtvPIntelliSenseWnd.h"
#include "platform/mfc/CDC.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPBaseIntelliSenseLB, CListBox)

std::atomic<COLORREF> CKtvPBaseIntelliSenseLB::s_clrHighlight = GetSysColor(COLOR_HIGHLIGHT);
std::atomic<COLORREF> CKtvPBaseIntelliSenseLB::s_clrHighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
std::atomic<COLORREF> CKtvPBaseIntelliSenseLB::s_clrWindow = GetSysColor(COLOR_WINDOW);
std::atomic<COLORREF> CKtvPBaseIntelliSenseLB::s_clrWindowText = GetSysColor(COLOR_WINDOWTEXT);

BEGIN_MESSAGE_MAP(CKtvPBaseIntelliSenseLB, CListBox)
    ON_CONTROL_REFLECT(LBN_DBLCLK, OnDblClk)
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_CONTROL_REFLECT(LBN_KILLFOCUS, OnKillFocusReflect)
    ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

CKtvPBaseIntelliSenseLB::CKtvPBaseIntelliSenseLB()
{
    globalData.UpdateSysColors();
    s_clrHighlight = globalData.clrHilite;
    s_clrHighlightText = globalData.clrTextHilite;
    s_clrWindow = globalData.clrWindow;
    s_clrWindowText = globalData.clrWindowText;
}

CKtvPIntelliSenseData* CKtvPBaseIntelliSenseLB::GetItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return reinterpret_cast<CKtvPIntelliSenseData*>(GetItemData(nIndex));
}

CKtvPIntelliSenseWnd* CKtvPBaseIntelliSenseLB::GetPopup() const
{
    return dynamic_cast<CKtvPIntelliSenseWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

CKtvPEditCtrl* CKtvPBaseIntelliSenseLB::GetEditCtrl() const
{
    CKtvPIntelliSenseWnd* pPopup = GetPopup();
    return pPopup != nullptr ? pPopup->m_pEditCtrl : nullptr;
}

void CKtvPBaseIntelliSenseLB::ClosePopup()
{
    if (HWND popup = ::GetParent(m_hWnd))
        ::PostMessage(popup, WM_CLOSE, 0, 0);
}

// ---------------------------------------------------------------- measuring and drawing

CSize CKtvPBaseIntelliSenseLB::GetImageSize(int nImage) const
{
    int cx = 0;
    int cy = 0;
    if (m_hImageList == nullptr || nImage < 0 || nImage >= ImageList_GetImageCount(m_hImageList) ||
        !ImageList_GetIconSize(m_hImageList, &cx, &cy))
        return CSize(0, 0);
    return CSize(cx, cy);
}

CSize CKtvPBaseIntelliSenseLB::GetTextSize(const CString& strText)
{
    CClientDC dc(this);
    CFont* pOldFont = m_pFont != nullptr ? dc.SelectObject(m_pFont) : nullptr;
    // An empty text still takes a row's height.
    CSize size = dc.GetTextExtent(strText.IsEmpty() ? CString(" ") : strText);
    if (strText.IsEmpty())
        size.cx = 0;
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    return size;
}

CSize CKtvPBaseIntelliSenseLB::GetMaxItemSize() const
{
    return CSize(m_nMaxItemWidth, m_nMaxItemHeight);
}

void CKtvPBaseIntelliSenseLB::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    const auto* pItem = reinterpret_cast<const CKtvPIntelliSenseData*>(lpMeasureItemStruct->itemData);
    if (pItem == nullptr)
        return;
    const CSize image = GetImageSize(pItem->m_nImage);
    const CSize text = GetTextSize(pItem->m_strText);
    const int height = std::max(text.cy, image.cy) + 2;
    const int width = nTextMarginLeft + nTextMarginRight + nImageTextGap + image.cx + text.cx + 1;
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
    lpMeasureItemStruct->itemWidth = static_cast<UINT>(width);
    m_nMaxItemWidth = std::max(m_nMaxItemWidth, width);
    m_nMaxItemHeight = std::max(m_nMaxItemHeight, height);
    if (++m_nMeasuredItems <= nMaxVisibleItems)
        m_nTotalHeight += height;
}

void CKtvPBaseIntelliSenseLB::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    pDC->FillSolidRect(&rect, s_clrWindow.load());
    const CKtvPIntelliSenseData* pItem = GetItem(static_cast<int>(lpDrawItemStruct->itemID));
    if (pItem == nullptr)
        return;
    const CSize image = GetImageSize(pItem->m_nImage);
    if (image.cx > 0)
        ImageList_Draw(m_hImageList, pItem->m_nImage, pDC->GetSafeHdc(), rect.left + nTextMarginLeft,
                       rect.top + (rect.Height() - image.cy) / 2, ILD_TRANSPARENT);
    CRect textRect = rect;
    textRect.left += nTextMarginLeft + image.cx + nImageTextGap;
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&textRect);
    textRect.DeflateRect(1, 1);
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(&textRect, bSelected ? s_clrHighlight.load() : s_clrWindow.load());
    const COLORREF clrOldText = pDC->SetTextColor(bSelected ? s_clrHighlightText.load() : s_clrWindowText.load());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = m_pFont != nullptr ? pDC->SelectObject(m_pFont) : nullptr;
    textRect.left += 1;
    pDC->DrawText(pItem->m_strText, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
}

// ---------------------------------------------------------------- keys and closing

BOOL CKtvPBaseIntelliSenseLB::PreTranslateMessage(MSG* pMsg)
{
    // Releasing Alt would otherwise open the menu bar of the frame.
    if (pMsg->message == WM_SYSKEYUP && pMsg->wParam == VK_MENU)
        return TRUE;
    return CListBox::PreTranslateMessage(pMsg);
}

void CKtvPBaseIntelliSenseLB::ForwardKeyToEdit(UINT message, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CKtvPEditCtrl* pEdit = GetEditCtrl())
        ::SendMessage(pEdit->m_hWnd, message, nChar, MAKELPARAM(nRepCnt, nFlags));
}

BOOL CKtvPBaseIntelliSenseLB::HandleChoiceKey(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_ESCAPE:
        ClosePopup();
        return TRUE;
    case VK_TAB:
        if (GetCurSel() < 0 && GetCount() > 0)
            SetCurSel(0);
        if (GetCurSel() >= 0)
            InsertSelection();
        ClosePopup();
        return TRUE;
    case VK_RETURN:
    case VK_SPACE:
        if (GetCurSel() >= 0)
            InsertSelection();
        else
            ForwardKeyToEdit(WM_KEYDOWN, nChar, nRepCnt, nFlags);
        ClosePopup();
        return TRUE;
    default: return FALSE;
    }
}

void CKtvPBaseIntelliSenseLB::OnDblClk()
{
    InsertSelection();
    ClosePopup();
}

void CKtvPBaseIntelliSenseLB::OnDestroy()
{
    for (int i = 0; i < GetCount(); ++i) {
        delete GetItem(i);
        SetItemData(i, 0);
    }
    CListBox::OnDestroy();
}

BOOL CKtvPBaseIntelliSenseLB::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKtvPBaseIntelliSenseLB::OnKillFocusReflect()
{
    ClosePopup();
}

void CKtvPBaseIntelliSenseLB::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_MENU) {
        ClosePopup();
        return;
    }
    CListBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CKtvPBaseIntelliSenseLB::PostNcDestroy()
{
    delete this;
}
