#include "sqleditor/SnippetListBox.h"

#include "platform/mfc/CDC.h"

namespace {
constexpr int kSnippetRowHeight = 18;
constexpr int kSnippetImageSize = 16;
}  // namespace

int CSnippetListBox::AddItem(LPCTSTR lpszName) { return AddString(lpszName); }

void CSnippetListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = kSnippetRowHeight;
}

void CSnippetListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (static_cast<int>(lpDrawItemStruct->itemID) < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect(lpDrawItemStruct->rcItem);
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (m_pImages != nullptr && m_pImages->GetSafeHandle() != nullptr)
        m_pImages->Draw(pDC, 0, CPoint(rect.left + 2, rect.top + (rect.Height() - kSnippetImageSize) / 2),
                        ILD_TRANSPARENT);
    CString text;
    GetText(static_cast<int>(lpDrawItemStruct->itemID), text);
    CRect rectText = rect;
    rectText.left += kSnippetImageSize + 6;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld = pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    pDC->DrawText(text, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rect);
}
