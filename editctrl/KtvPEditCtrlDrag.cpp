// Dragging the selection's text with the mouse, within one control or into
// another window: a move, or a copy with Ctrl held. Each control records the
// drag as one undo step. With OLE started on the thread the text travels by
// OLE drag and drop, so any drop target may take it and text from elsewhere
// may be dropped here; without it, only between the edit controls of the
// process, by the mouse messages alone.
#include <algorithm>
#include <cstring>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/mfc/afxole.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/RectFunctions.h"

// The clipboard's own helpers (KtvPEditCtrlClipboard.cpp): the "KTVP_TEXT"
// format and a text block, line feeds as given when bCrLf is FALSE.
namespace ktvp_clipboard {
UINT BlockFormat();
HGLOBAL CreateTextGlobal(LPCTSTR lpszText, int nLength, BOOL bCrLf);
}  // namespace ktvp_clipboard

namespace ktvp_drag {

using ktvp_clipboard::BlockFormat;

BOOL OffersText(COleDataObject* pDataObject)
{
    return pDataObject != nullptr && (pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(BlockFormat())) ||
                                      pDataObject->IsDataAvailable(CF_TEXT));
}

// The dropped text, "KTVP_TEXT" first; carriage returns removed, as a paste removes them.
BOOL ReadDroppedText(COleDataObject* pDataObject, CString& strText, BOOL& bBlock)
{
    bBlock = pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(BlockFormat()));
    HGLOBAL block = pDataObject->GetGlobalData(static_cast<CLIPFORMAT>(bBlock ? BlockFormat() : CF_TEXT));
    if (block == nullptr)
        return FALSE;
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    if (bytes != nullptr)
        strText = CString(bytes, static_cast<int>(strnlen(bytes, GlobalSize(block))));
    GlobalUnlock(block);
    GlobalFree(block);
    if (bytes == nullptr)
        return FALSE;
    strText.Remove('\r');
    return TRUE;
}

// Hands the drag loop's calls for the control's window to the control.
class CKtvPEditDropTarget : public COleDropTarget {
public:
    explicit CKtvPEditDropTarget(CKtvPEditCtrl* pEdit) : m_pEdit(pEdit) {}

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override
    {
        return OffersText(pDataObject) ? m_pEdit->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override
    {
        return OffersText(pDataObject) ? m_pEdit->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
    }
    void OnDragLeave(CWnd*) override { m_pEdit->OnDragLeave(); }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override
    {
        return OffersText(pDataObject) && m_pEdit->OnDrop(pDataObject, dropEffect, point);
    }

private:
    CKtvPEditCtrl* m_pEdit;
};

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

// ---------------------------------------------------------------- through OLE

BOOL CKtvPEditCtrl::RegisterDropTarget()
{
    if (m_pDropTarget != nullptr)
        m_pDropTarget->Revoke();
    else
        m_pDropTarget = std::make_shared<ktvp_drag::CKtvPEditDropTarget>(this);
    return m_pDropTarget->Register(this);
}

BOOL CKtvPEditCtrl::StartOleTextDrag(CPoint point)
{
    if (tw::com::OleInitCount() == 0)
        return FALSE;
    const int low = std::min(m_nSelStart, m_nSelEnd);
    const int high = std::max(m_nSelStart, m_nSelEnd);
    const CString strText = GetTextRange(low, high);
    HGLOBAL block = ktvp_clipboard::CreateTextGlobal(strText, strText.GetLength(), FALSE);
    if (block == nullptr)
        return FALSE;
    m_nDropOffset = -1;
    m_bOleDragFromHere = TRUE;
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, block);
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    m_bOleDragFromHere = FALSE;
    if (::GetFocus() == m_hWnd && !m_bReadOnly)
        CreateEditCaret();

    int lowNow = low;
    int highNow = high;
    int dropped = m_nDropOffset;
    const int length = strText.GetLength();
    if (effect == DROPEFFECT_MOVE && !m_bReadOnly) {
        // The insertion moved whatever lay after it.
        if (dropped >= 0 && dropped < low) {
            lowNow += length;
            highNow += length;
        } else if (dropped >= 0) {
            dropped -= high - low;
        }
        SetSelection(lowNow, highNow, FALSE, FALSE);
        DeleteSelectedText(FALSE, FALSE, FALSE);
    }
    if (dropped >= 0) {
        SetSelection(dropped, dropped + length, FALSE, FALSE);
        SetCaret(dropped + length, TRUE, FALSE);
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    if (CPoint(cursor) == point)
        TreatAsClick(point);
    RedrawRows(0, -1);
    m_nDropOffset = -1;
    return TRUE;
}

DROPEFFECT CKtvPEditCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bReadOnly)
        return DROPEFFECT_NONE;
    // A grey caret shows where the text would go.
    ::CreateCaret(m_hWnd, reinterpret_cast<HBITMAP>(1), 2, std::max(1, m_nRowHeight));
    ::ShowCaret(m_hWnd);
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKtvPEditCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!ktvp_drag::OffersText(pDataObject) || m_bReadOnly)
        return DROPEFFECT_NONE;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    RECT area = m_rectText;
    area.left = client.left;
    if (!::PtInRect(&area, point))
        return DROPEFFECT_NONE;
    // Near an edge the caret goes one unit beyond it, which scrolls the view
    // each time the drag loop asks again while the mouse rests there.
    const int rowHeight = std::max(1, m_nRowHeight);
    const int charWidth = std::max(1, m_nMaxCharWidth);
    POINT probe = point;
    bool rightEdge = false;
    if (point.y >= m_rectText.bottom - rowHeight) {
        probe.y += rowHeight;
    } else if (point.y < m_rectText.top + rowHeight) {
        probe.y -= rowHeight;
    } else if (point.x >= m_rectText.right - charWidth) {
        probe.x += charWidth;
        rightEdge = true;
    } else if (point.x < m_rectText.left + charWidth) {
        probe.x -= charWidth;
    }
    POINT under = point;
    int offset = OffsetFromPoint(probe, FALSE, TRUE);
    const int offsetUnder = OffsetFromPoint(under, FALSE, TRUE);
    if (rightEdge && offset >= 0 && offsetUnder >= 0 &&
        GetColumnOfOffset(offset) <= GetColumnOfOffset(offsetUnder))
        offset = offsetUnder;
    if (offset >= 0)
        SetCaret(offset, TRUE, TRUE);
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CKtvPEditCtrl::OnDragLeave()
{
    if (m_bReadOnly)
        return;
    // The grey caret goes; the focused control gets its own caret back.
    if (::GetFocus() == m_hWnd)
        CreateEditCaret();
    else
        ::DestroyCaret();
}

BOOL CKtvPEditCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    OnDragLeave();
    CString strText;
    BOOL bBlock = FALSE;
    if (m_bReadOnly || !ktvp_drag::ReadDroppedText(pDataObject, strText, bBlock)) {
        OnFailedOperation(KTVP_FAIL_DROP);
        return FALSE;
    }
    POINT hit = point;
    const int offset = OffsetFromPoint(hit, FALSE, TRUE);
    const int low = std::min(m_nSelStart, m_nSelEnd);
    const int high = std::max(m_nSelStart, m_nSelEnd);
    const BOOL ontoSelection = HasSelection() && offset >= low && offset <= high;
    if (offset < 0 || (ontoSelection && !bBlock)) {
        OnFailedOperation(KTVP_FAIL_DROP);
        return FALSE;
    }
    SetUndoActionReason(KTVP_REASON_DROP);
    const BOOL redraw = !m_bOleDragFromHere;
    // A move's insertion is grouped with the source's deletion that follows.
    const BOOL group = dropEffect == DROPEFFECT_MOVE && m_bOleDragFromHere;
    const BOOL inserted = bBlock ? InsertTextAsBlock(strText, offset, redraw, FALSE, TRUE, group)
                                 : InsertText(strText, offset, redraw, FALSE, TRUE, group, TRUE);
    if (!inserted)
        return FALSE;
    m_nDropOffset = std::max(0, offset);
    return TRUE;
}
