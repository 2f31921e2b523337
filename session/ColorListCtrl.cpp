#include "session/ColorListCtrl.h"

#include <cstring>

#include "platform/mfc/afxmsg.h"

BEGIN_MESSAGE_MAP(CColorListCtrl, CKtvPListCtrl)
END_MESSAGE_MAP()

CColorListCtrl::CColorListCtrl() = default;

CColorListCtrl::~CColorListCtrl()
{
    while (!m_CellColors.IsEmpty())
        delete static_cast<CListCellColor*>(m_CellColors.RemoveHead());
}

CListCellColor* CColorListCtrl::FindCellColor(int nRow, int nColumn) const
{
    if (nRow < 0 || GetSafeHwnd() == nullptr || nRow >= GetItemCount())
        return nullptr;
    const int nKey = static_cast<int>(GetItemData(nRow));
    for (POSITION pos = m_CellColors.GetHeadPosition(); pos != nullptr;) {
        auto* pColor = static_cast<CListCellColor*>(m_CellColors.GetNext(pos));
        if (pColor->m_nColumn == nColumn && pColor->m_nRow == nKey)
            return pColor;
    }
    return nullptr;
}

void CColorListCtrl::SetCellColors(int nRow, int nColumn, COLORREF clrText, COLORREF clrBk)
{
    if (CListCellColor* pColor = FindCellColor(nRow, nColumn)) {
        pColor->m_clrText = clrText;
        pColor->m_clrBk = clrBk;
        return;
    }
    if (nRow < 0 || nRow >= GetItemCount())
        return;
    m_CellColors.AddTail(new CListCellColor(nColumn, static_cast<int>(GetItemData(nRow)), clrText, clrBk));
}

COLORREF CColorListCtrl::OnGetCellTextColor(int nRow, int nColum)
{
    const CListCellColor* pColor = FindCellColor(nRow, nColum);
    return pColor != nullptr && pColor->m_clrText != kListColor ? pColor->m_clrText : GetTextColor();
}

COLORREF CColorListCtrl::OnGetCellBkColor(int nRow, int nColum)
{
    const CListCellColor* pColor = FindCellColor(nRow, nColum);
    return pColor != nullptr && pColor->m_clrBk != kListColor ? pColor->m_clrBk : GetBkColor();
}

int CColorListCtrl::RowOfItemData(LPARAM lParam) const
{
    LVFINDINFO find{};
    find.flags = LVFI_PARAM;
    find.lParam = lParam;
    return FindItem(&find, -1);
}

int CColorListCtrl::OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    const CString text1 = GetItemText(RowOfItemData(lParam1), iColumn);
    const CString text2 = GetItemText(RowOfItemData(lParam2), iColumn);
    return std::strcmp(text1, text2);
}
