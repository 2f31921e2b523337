#include "ui/controls/KtvPCheckListBox.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CKtvPCheckListBox, CCheckListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CKtvPCheckListBox::EnableItem(int nIndex, BOOL bEnable)
{
    if (nIndex >= 0 && nIndex < m_arCheckData.GetSize())
        m_arCheckData[nIndex] = bEnable;
}

BOOL CKtvPCheckListBox::IsItemEnabled(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arCheckData.GetSize() && m_arCheckData[nIndex];
}

// The flags follow the items through insertion, deletion and reset.
LRESULT CKtvPCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_RESETCONTENT)
        m_arCheckData.RemoveAll();
    const LRESULT result = CCheckListBox::WindowProc(message, wParam, lParam);
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        if (result >= 0) {
            const int nIndex = (int)result;
            m_arCheckData.InsertAt(std::min<int>(nIndex, (int)m_arCheckData.GetSize()), TRUE);
        }
        break;
    case LB_DELETESTRING:
        if (result != LB_ERR && (int)wParam >= 0 && (int)wParam < m_arCheckData.GetSize())
            m_arCheckData.RemoveAt((int)wParam);
        break;
    default:
        break;
    }
    return result;
}

int CKtvPCheckListBox::CheckStripAt(CPoint point) const
{
    BOOL bOutside = TRUE;
    const int nIndex = (int)ItemFromPoint(point, bOutside);
    if (bOutside || nIndex < 0 || nIndex >= GetCount())
        return -1;
    CRect rectItem;
    GetItemRect(nIndex, &rectItem);
    // The check box sits in a square strip at the item's left.
    return point.x < rectItem.left + rectItem.Height() + 2 ? nIndex : -1;
}

int CKtvPCheckListBox::LockedCheckAt(CPoint point) const
{
    const int nIndex = CheckStripAt(point);
    return nIndex >= 0 && !IsItemEnabled(nIndex) ? nIndex : -1;
}

void CKtvPCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    if (LockedCheckAt(point) >= 0) {
        ::MessageBeep((UINT)-1);
        return;
    }
    CCheckListBox::OnLButtonDown(nFlags, point);
}

void CKtvPCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (LockedCheckAt(point) >= 0) {
        ::MessageBeep((UINT)-1);
        return;
    }
    // The press before it already toggled a check box under the point; a
    // double-click elsewhere goes to the owner, which toggles the item.
    if (CheckStripAt(point) < 0)
        CCheckListBox::OnLButtonDblClk(nFlags, point);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)GetSafeHwnd());
}

void CKtvPCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE) {
        const int nCaret = (int)SendMessage(LB_GETCARETINDEX);
        if (nCaret >= 0 && !IsItemEnabled(nCaret)) {
            ::MessageBeep((UINT)-1);
            return;
        }
    }
    CCheckListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}
