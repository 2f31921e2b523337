// Dragging the selection's text with the mouse, within one control or into
// another edit control of the process: a move, or a copy with Ctrl held.
// Each control records the drag as one undo step.
#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/win32/kernel/RectFunctions.h"

namespace ktvp_drag {

CKtvPEditCtrl* EditControlAt(POINT ptScreen)
{
    HWND hWnd = ::WindowFromPoint(ptScreen);
    return hWnd != nullptr ? dynamic_cast<CKtvPEditCtrl*>(CWnd::FromHandlePermanent(hWnd)) : nullptr;
}

}  // namespace ktvp_drag

BOOL CKtvPEditCtrl::IsPointInSelection(POINT pt) const
{
    if (!HasSelection() || m_nSelStart == m_nSelEnd || !::PtInRect(&m_rectText, pt))
        return FALSE;
    const int low = std::min(m_nSelStart, m_nSelEnd);
    const int high = std::max(m_nSelStart, m_nSelEnd);
    // Between the x of the selection's ends on its own row, each row whole
    // between them.
    POINT hit = pt;
    const int offset = OffsetFromPoint(hit, FALSE, FALSE);
    if (offset < low || offset > high)
        return FALSE;
    POINT lowPt{}, highPt{};
    OffsetToPoint(low, lowPt);
    OffsetToPoint(high, highPt);
    const int row = (pt.y - m_rectText.top) / std::max(1, m_nRowHeight) + m_nFirstVisibleRow;
    const int lowRow = OffsetToRow(low, TRUE, FALSE);
    const int highRow = OffsetToRow(high, TRUE, FALSE);
    if (row < lowRow || row > highRow)
        return FALSE;
    if (row == lowRow && pt.x < lowPt.x)
        return FALSE;
    if (row == highRow && pt.x >= highPt.x)
        return FALSE;
    return TRUE;
}

void CKtvPEditCtrl::TreatAsClick(CPoint point)
{
    POINT hit = point;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    RemoveSelection(FALSE, TRUE, TRUE);
    if (offset >= 0)
        SetCaret(offset, TRUE, TRUE);
    RedrawRows(0, -1);
}

void CKtvPEditCtrl::EndTextDrag(CPoint point)
{
    if (point == m_ptDragStart || !HasSelection()) {
        TreatAsClick(point);
        return;
    }
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    CKtvPEditCtrl* pTarget = ktvp_drag::EditControlAt(screen);
    if (pTarget == nullptr)
        return;
    const BOOL copy = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int low = std::min(m_nSelStart, m_nSelEnd);
    const int high = std::max(m_nSelStart, m_nSelEnd);
    const CString strText = GetTextRange(low, high);
    if (pTarget == this) {
        POINT hit = point;
        const int offset = OffsetFromPoint(hit, FALSE, TRUE);
        // Onto its own selection, ends included, a drop means nothing.
        if (offset < 0 || (offset >= low && offset <= high)) {
            OnFailedOperation(KTVP_FAIL_DROP);
            TreatAsClick(point);
            return;
        }
        MoveTextWithin(strText, low, high, offset, copy);
        return;
    }
    POINT target = screen;
    ::ScreenToClient(pTarget->m_hWnd, &target);
    if (!pTarget->DropText(strText, target))
        return;
    if (!copy && !m_bReadOnly) {
        SetUndoActionReason(KTVP_REASON_DROP);
        SetSelection(low, high, FALSE, FALSE);
        DeleteSelectedText(TRUE, FALSE, FALSE);
    }
}

BOOL CKtvPEditCtrl::MoveTextWithin(const CString& strText, int nLow, int nHigh, int nDropOffset, BOOL bCopy)
{
    if (m_bReadOnly)
        return FALSE;
    const int length = strText.GetLength();
    SetUndoActionReason(KTVP_REASON_DROP);
    RemoveSelection(FALSE, TRUE, FALSE);
    // A move is the insertion grouped with the removal: one undo step.
    if (!InsertText(strText, nDropOffset, FALSE, FALSE, TRUE, !bCopy, TRUE))
        return FALSE;
    int dropped = nDropOffset;
    if (!bCopy) {
        if (nDropOffset < nLow) {
            nLow += length;
            nHigh += length;
        } else {
            dropped -= nHigh - nLow;
        }
        SetSelection(nLow, nHigh, FALSE, FALSE);
        DeleteSelectedText(FALSE, FALSE, FALSE);
    }
    SetSelection(dropped, dropped + length, FALSE, FALSE);
    SetCaret(dropped + length, TRUE, FALSE);
    RedrawRows(0, -1);
    return TRUE;
}

BOOL CKtvPEditCtrl::DropText(const CString& strText, POINT ptClient)
{
    if (m_bReadOnly) {
        OnFailedOperation(KTVP_FAIL_DROP);
        return FALSE;
    }
    POINT hit = ptClient;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    if (offset < 0) {
        OnFailedOperation(KTVP_FAIL_DROP);
        return FALSE;
    }
    SetUndoActionReason(KTVP_REASON_DROP);
    RemoveSelection(FALSE, TRUE, FALSE);
    if (!InsertText(strText, offset, TRUE, FALSE, TRUE, FALSE, TRUE))
        return FALSE;
    SetSelection(offset, offset + strText.GetLength(), FALSE, TRUE);
    SetCaret(offset + strText.GetLength(), TRUE, TRUE);
    return TRUE;
}
