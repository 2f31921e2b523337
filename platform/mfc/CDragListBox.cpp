#include "platform/mfc/CDragListBox.h"

#include "platform/mfc/CDC.h"

IMPLEMENT_DYNAMIC(CDragListBox, CListBox)

void CDragListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    ::MakeDragList(m_hWnd);
}

int CDragListBox::ItemFromPt(CPoint pt, BOOL bAutoScroll) const
{
    return ::LBItemFromPt(m_hWnd, pt, bAutoScroll);
}

BOOL CDragListBox::BeginDrag(CPoint pt)
{
    m_nLast = -1;
    DrawInsert(ItemFromPt(pt));
    return TRUE;
}

void CDragListBox::CancelDrag(CPoint)
{
    DrawInsert(-1);
}

UINT CDragListBox::Dragging(CPoint pt)
{
    const int index = ItemFromPt(pt, FALSE);
    DrawInsert(index);
    return index < 0 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

// Moves the dragged item, with its data, in front of the item under the point.
void CDragListBox::Dropped(int nSrcIndex, CPoint pt)
{
    DrawInsert(-1);
    int dest = ItemFromPt(pt);
    if (nSrcIndex == -1 || dest == -1)
        return;
    if (dest == nSrcIndex || dest == nSrcIndex + 1)
        return;
    CString text;
    GetText(nSrcIndex, text);
    const DWORD_PTR data = GetItemData(nSrcIndex);
    DeleteString(static_cast<UINT>(nSrcIndex));
    if (nSrcIndex < dest)
        --dest;
    dest = InsertString(dest, text);
    SetItemData(dest, data);
    SetCurSel(dest);
}

void CDragListBox::DrawInsert(int nItem)
{
    if (m_nLast == nItem)
        return;
    DrawSingle(m_nLast);
    DrawSingle(nItem);
    m_nLast = nItem;
}

// A two-pixel bar across the top of the item, inverted so a second call removes it.
void CDragListBox::DrawSingle(int nIndex)
{
    if (nIndex == -1)
        return;
    CRect client;
    GetClientRect(&client);
    CRect item;
    if (GetItemRect(nIndex, &item) == LB_ERR)
        return;
    CDC* pDC = GetDC();
    pDC->IntersectClipRect(&client);
    pDC->PatBlt(item.left, item.top - 2, item.Width(), 4, DSTINVERT);
    ReleaseDC(pDC);
}

BOOL CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    static const UINT dragListMessage = ::RegisterWindowMessage(DRAGLISTMSGSTRING);
    if (message != dragListMessage)
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lParam);
    LRESULT result = 0;
    switch (info->uNotification) {
    case DL_BEGINDRAG: result = BeginDrag(info->ptCursor); break;
    case DL_CANCELDRAG: CancelDrag(info->ptCursor); break;
    case DL_DRAGGING: result = static_cast<LRESULT>(Dragging(info->ptCursor)); break;
    case DL_DROPPED: Dropped(GetCurSel(), info->ptCursor); break;
    default: break;
    }
    if (pResult)
        *pResult = result;
    return TRUE;
}
