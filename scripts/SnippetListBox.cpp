#include "scripts/SnippetListBox.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CWinThread.h"
#include "scripts/SnippetStore.h"

namespace {
constexpr int kSnippetRowHeight = 16;
constexpr int kSnippetImageSize = 16;
}  // namespace

BEGIN_MESSAGE_MAP(CSnippetListBox, CListBox)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

int CSnippetListBox::AddItem(LPCTSTR lpszText, DWORD dwData)
{
    const int nIndex = AddString(lpszText);
    if (nIndex >= 0)
        SetItemData(nIndex, dwData);
    return nIndex;
}

void CSnippetListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = kSnippetRowHeight;
}

void CSnippetListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect(lpDrawItemStruct->rcItem);
    const UINT action = lpDrawItemStruct->itemAction;
    const UINT state = lpDrawItemStruct->itemState;
    if (static_cast<int>(lpDrawItemStruct->itemID) < 0) {
        if (action & ODA_FOCUS)
            pDC->DrawFocusRect(rect);
        return;
    }
    const bool bImages = m_pImages != nullptr && m_pImages->GetSafeHandle() != nullptr;
    CRect rectText = rect;
    if (bImages)
        rectText.left += kSnippetImageSize;
    const bool bSelected = (state & ODS_SELECTED) != 0;
    if (bSelected && (action & (ODA_DRAWENTIRE | ODA_SELECT)))
        pDC->FillSolidRect(rectText, ::GetSysColor(COLOR_HIGHLIGHT));
    else if (!bSelected && (action & (ODA_DRAWENTIRE | ODA_SELECT)))
        pDC->FillSolidRect(rectText, ::GetSysColor(COLOR_WINDOW));
    if (action & ODA_FOCUS)
        pDC->DrawFocusRect(rect);
    const COLORREF clrText = ::GetSysColor(bSelected                 ? COLOR_HIGHLIGHTTEXT
                                           : (state & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                                     : COLOR_WINDOWTEXT);
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const int nImage = static_cast<int>(lpDrawItemStruct->itemData);
    if (bImages && nImage != -1)
        m_pImages->Draw(pDC, nImage, rect.TopLeft(), ILD_TRANSPARENT);
    CString text;
    GetText(static_cast<int>(lpDrawItemStruct->itemID), text);
    rectText.top += 2;
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (GetStyle() & LBS_USETABSTOPS)
        nFormat |= DT_EXPANDTABS;
    pDC->DrawText(text, rectText, nFormat);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
}

void CSnippetListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int nRow = GetCurSel();
    if (nRow >= 0) {
        CString item;
        GetText(nRow, item);
        CString page;
        GetWindowText(page);
        // Read at the moment of the click: the setup dialog may have changed it.
        const CString text = snippets::TextToInsert(page, item);
        snippets::InsertIntoActiveEditor(dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()), text);
    }
    CListBox::OnLButtonDblClk(nFlags, point);
}
