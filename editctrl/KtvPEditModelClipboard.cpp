// Copy, cut, paste and clear of the edit control's model, and column-block
// insertion, over the clipboard access its window provides.
#include <algorithm>
#include <cstring>

#include "editctrl/KtvPEditModel.h"

CString CKtvPEditModel::MakeClipboardText(LPCTSTR lpszText, int nLength, BOOL bCrLf)
{
    if (lpszText == nullptr)
        return CString();
    if (nLength < 0)
        nLength = static_cast<int>(std::strlen(lpszText));
    CString strText(lpszText, nLength);
    if (bCrLf)
        strText.Replace("\n", "\r\n");
    return strText;
}

BOOL CKtvPEditModel::CopyTextToClipboard(LPCTSTR, int)
{
    return FALSE;
}

BOOL CKtvPEditModel::GetClipboardText(CString&, BOOL&)
{
    return FALSE;
}

BOOL CKtvPEditModel::IsClipboardTextAvailable()
{
    return FALSE;
}

BOOL CKtvPEditModel::CanCopy()
{
    return m_bCopyWholeTextWithoutSelection || (m_nSelStart >= 0 && m_nSelEnd >= 0 && m_nSelStart != m_nSelEnd);
}

BOOL CKtvPEditModel::CanCut()
{
    return m_nSelStart >= 0 && m_nSelEnd >= 0 && m_nSelStart != m_nSelEnd && !m_bReadOnly;
}

BOOL CKtvPEditModel::CanPaste()
{
    return !m_bReadOnly && IsClipboardTextAvailable();
}

BOOL CKtvPEditModel::Copy()
{
    if (!CanCopy() || m_nSelStart < 0) {
        OnFailedOperation(KTVP_FAIL_COPY);
        return FALSE;
    }
    const CString strSelected = GetTextRange(m_nSelStart, m_nSelEnd);
    return CopyTextToClipboard(strSelected, strSelected.GetLength());
}

BOOL CKtvPEditModel::Cut()
{
    if (!CanCut()) {
        OnFailedOperation(KTVP_FAIL_COPY);
        return FALSE;
    }
    SetUndoActionReason(KTVP_REASON_CUT);
    return DeleteSelectedText(TRUE, TRUE, FALSE);
}

BOOL CKtvPEditModel::Clear()
{
    SetUndoActionReason(KTVP_REASON_DELETE);
    return DeleteSelectedText(TRUE, FALSE, FALSE);
}

BOOL CKtvPEditModel::Paste(int nOffset)
{
    if (m_bReadOnly) {
        OnFailedOperation(KTVP_FAIL_PASTE_READ_ONLY);
        return FALSE;
    }
    CString strText;
    BOOL bBlock = FALSE;
    if (!GetClipboardText(strText, bBlock)) {
        OnFailedOperation(KTVP_FAIL_PASTE_EMPTY);
        return FALSE;
    }
    // The replaced text comes back with the same Undo that removes the paste.
    if (m_nSelStart >= 0) {
        const int low = std::min(m_nSelStart, m_nSelEnd);
        const int high = std::max(m_nSelStart, m_nSelEnd);
        if (DeleteSelectedText(FALSE, FALSE, TRUE) && nOffset > low)
            nOffset = nOffset >= high ? nOffset - (high - low) : low;
    }
    SetUndoActionReason(KTVP_REASON_PASTE);
    const BOOL inserted = bBlock ? InsertTextAsBlock(strText, nOffset, TRUE, FALSE, TRUE, FALSE)
                                 : InsertText(strText, nOffset, TRUE, FALSE, TRUE, FALSE, TRUE);
    m_bModified = TRUE;
    return inserted;
}

BOOL CKtvPEditModel::InsertTextAsBlock(LPCTSTR lpszText, int nOffset, BOOL bRedraw, BOOL bClearUndo,
                                       BOOL bMoveMarkers, BOOL bGroup)
{
    const int offset = nOffset < 0 ? m_nCaretOffset : std::min(nOffset, m_text.GetLength());
    const int row = m_text.RowOfOffset(offset);
    if (m_text.RowLimit(row) - m_text.RowStart(row) < 2)
        return InsertText(lpszText, offset, bRedraw, bClearUndo, bMoveMarkers, bGroup, TRUE);

    CString strBlock(lpszText);
    strBlock.Remove('\r');
    const int column = GetColumnOfOffset(offset);
    int targetRow = row;
    int lastRowOffset = -1;  // where the next line goes once the rows have run out
    bool recordedAny = false;
    for (int start = 0; start <= strBlock.GetLength();) {
        int end = strBlock.Find('\n', start);
        if (end < 0)
            end = strBlock.GetLength();
        const CString strLine = strBlock.Mid(start, end - start);
        int at = lastRowOffset >= 0 ? lastRowOffset : GetOffsetOfColumn(column, m_text.RowStart(targetRow));
        if (!strLine.IsEmpty() && CanInsertText(strLine, at)) {
            ChangeInsert(at, strLine, bMoveMarkers);
            // Every line is recorded, chained into one step: a block that
            // left no trace would shift every older action off its text.
            if (!bClearUndo && AddUndoTextAction(strLine, KTVP_UNDO_INSERT, at, TRUE, TRUE))
                recordedAny = true;
            OnTextChanged(at, strLine, TRUE);
            at += strLine.GetLength();
        }
        // Lines beyond the last row follow each other in the last row.
        if (targetRow + 1 < m_text.GetRowCount())
            ++targetRow;
        else
            lastRowOffset = at;
        start = end + 1;
    }
    if (bClearUndo)
        ClearUndoList();
    else if (recordedAny)
        m_undo.SetLastGroup(bGroup);
    m_bModified = TRUE;
    UpdateScrollBars();
    if (bRedraw)
        RedrawRows(0, -1);
    return TRUE;
}
