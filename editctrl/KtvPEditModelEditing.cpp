// The editing primitives of the edit control's model: every change of the
// text goes veto, undo record, row bookkeeping, buffer, notice.
#include <algorithm>

#include "editctrl/KtvPEditModel.h"
#include "platform/win32/kernel/Utf8Text.h"

namespace ktvp_editing_detail {

CString EncodeChar(UINT nChar)
{
    std::string bytes;
    tw::utf8::Append(static_cast<char32_t>(nChar), bytes);
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

bool IsIndentationOnly(const CString& strText, const CString& strIndentChars)
{
    for (int i = 0; i < strText.GetLength(); ++i) {
        if (strIndentChars.Find(strText[i]) < 0)
            return false;
    }
    return true;
}

}  // namespace ktvp_editing_detail

namespace ked = ktvp_editing_detail;

// ---------------------------------------------------------------- bookkeeping

void CKtvPEditModel::OnInsertText(int nOffset, LPCTSTR lpszText, BOOL bMoveMarkers)
{
    const int lineFeeds = CountChar(lpszText, '\n');
    if (lineFeeds == 0 || !bMoveMarkers)
        return;
    int line = m_text.RowOfOffset(nOffset);
    if (nOffset != m_text.RowStart(line))
        ++line;
    MoveMarkersOnInsert(line, lineFeeds);
}

void CKtvPEditModel::OnDeleteText(int nStart, int nEnd, LPCTSTR lpszText)
{
    const CString strRemoved = lpszText != nullptr ? CString(lpszText) : GetTextRange(nStart, nEnd);
    const int lineFeeds = CountChar(strRemoved, '\n');
    if (lineFeeds > 0) {
        const int startRow = m_text.RowOfOffset(nStart);
        const int firstLine = nStart == m_text.RowStart(startRow) ? startRow : startRow + 1;
        const int endRow = m_text.RowOfOffset(nEnd);
        const bool endIsRowEnd = nEnd >= m_text.GetLength() || m_text.GetAt(nEnd) == '\n';
        const int lastLine = endIsRowEnd ? endRow : endRow - 1;
        MoveMarkersOnDelete(firstLine, lastLine);
        MoveMarkersOnInsert(startRow + 1, -lineFeeds);
    }
    if (nStart < m_nFirstVisibleOffset) {
        const int removed = nEnd - nStart;
        m_nFirstVisibleOffset = nEnd >= m_nFirstVisibleOffset ? nStart : m_nFirstVisibleOffset - removed;
    }
}

void CKtvPEditModel::ChangeInsert(int nOffset, const CString& strText, BOOL bMoveMarkers)
{
    OnInsertText(nOffset, strText, bMoveMarkers);
    const int length = strText.GetLength();
    m_text.Insert(nOffset, std::string_view(strText.GetString(), static_cast<size_t>(length)));
    UpdateOutlineOnInsert(nOffset, nOffset + length);
    UpdateOutlining(nOffset, length);
    // The view keeps showing the same text when rows above it grow.
    if (nOffset < m_nFirstVisibleOffset)
        m_nFirstVisibleOffset += length;
    RecalcFirstVisibleRow();
    const int firstRow = m_text.RowOfOffset(nOffset);
    const int lastRow = m_text.RowOfOffset(nOffset + length);
    for (int row = firstRow; row <= lastRow; ++row)
        NoteRowLength(row);
}

void CKtvPEditModel::ChangeDelete(int nStart, int nEnd)
{
    OnDeleteText(nStart, nEnd, nullptr);
    UpdateOutlineOnDelete(nStart, nEnd);
    m_text.Delete(nStart, nEnd - nStart);
    UpdateOutlining(nStart, 0);
    RecalcFirstVisibleRow();
}

// A colour-block delimiter near the change can recolour every row below;
// otherwise only the changed row (and the rows under a joined one) change.
void CKtvPEditModel::RedrawAfterEdit(int nOffset, BOOL bDelimiterWasNear, BOOL bRowsJoined)
{
    const int row = m_text.RowOfOffset(nOffset);
    if (bDelimiterWasNear || IsColorBlockDelimiterNear(nOffset))
        RedrawRows(0, -1);
    else
        RedrawRows(row, bRowsJoined ? std::max(row, GetVisibleRowCount()) : row);
}

void CKtvPEditModel::UpdateOutlineOnInsert(int, int) {}

void CKtvPEditModel::UpdateOutlineOnDelete(int, int) {}

void CKtvPEditModel::UpdateOutlining(int, int) {}

int CKtvPEditModel::RowLengthForLimit(int nOffset) const
{
    const int rowStart = GetRowStartOffset(nOffset);
    const int rowEnd = GetRowEndOffset(nOffset);
    if (rowEnd <= rowStart)
        return 0;
    if (m_bKeepTabs)
        return GetColumnOfOffset(rowEnd);
    int characters = 0;
    for (int offset = rowStart; offset < rowEnd; offset = m_text.NextChar(offset))
        ++characters;
    return characters;
}

CString CKtvPEditModel::IndentString() const
{
    if (m_nTabWidth <= 0)
        return CString(' ', m_nIndentSize);
    CString strIndent;
    if (m_nIndentSize / m_nTabWidth > 0)
        strIndent = CString('\t', m_nIndentSize / m_nTabWidth);
    if (m_nIndentSize % m_nTabWidth > 0)
        strIndent += CString(' ', m_nIndentSize % m_nTabWidth);
    return strIndent;
}

BOOL CKtvPEditModel::NormalizeInsertText(CString& strText)
{
    // CR LF and a lone CR both end a row. Rows are never cut to a length:
    // loaded and pasted text keeps its rows as they are.
    strText.Replace("\r\n", "\n");
    strText.Replace('\r', '\n');
    if (!m_bKeepTabs)
        strText.Replace("\t", CString(' ', m_nTabWidth));
    return TRUE;
}

// ---------------------------------------------------------------- inserting

BOOL CKtvPEditModel::InsertChar(UINT nChar, BOOL bRedraw)
{
    const CString strChar = ked::EncodeChar(nChar);
    if (!CanInsertText(strChar, m_nCaretOffset))
        return FALSE;
    if (nChar == '\n') {
        if (GetOverwriteMode()) {
            MoveHome(bRedraw);
            return MoveDown(TRUE, bRedraw);
        }
        return InsertNewLine(bRedraw, FALSE, -1, TRUE);
    }
    if (RowLengthForLimit(m_nCaretOffset) >= m_nMaxLineLength - 1) {
        // A full row is broken at the caret before the character goes in.
        const int oldOffset = m_nCaretOffset;
        const bool atRowEnd = oldOffset == m_text.RowLimit(m_text.RowOfOffset(oldOffset));
        InsertNewLine(bRedraw, FALSE, oldOffset, TRUE);
        if (!atRowEnd)
            SetCaret(oldOffset, TRUE, bRedraw);
    }
    const int offset = m_nCaretOffset;
    const bool replaces = GetOverwriteMode() && offset < m_text.GetLength() && m_text.GetAt(offset) != '\n';
    AddUndoCharAction(nChar, KTVP_UNDO_INSERT, offset, replaces ? FALSE : TRUE);
    const BOOL bDelimiterWasNear = IsColorBlockDelimiterNear(offset);
    if (replaces)
        ChangeDelete(offset, m_text.NextChar(offset));
    ChangeInsert(offset, strChar, TRUE);
    OnTextChanged(offset, strChar, TRUE);
    UpdateScrollBars();
    if (bRedraw)
        RedrawAfterEdit(offset, bDelimiterWasNear, FALSE);
    MoveRight(bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::InsertText(LPCTSTR lpszText, int nOffset, BOOL bRedraw, BOOL bClearUndo, BOOL bMoveMarkers,
                                BOOL bGroup, BOOL bNoLineBreak)
{
    const int offset = nOffset < 0 ? m_nCaretOffset : std::min(nOffset, m_text.GetLength());
    CString strText(lpszText);
    if (!NormalizeInsertText(strText))
        return FALSE;
    if (!bNoLineBreak && !strText.IsEmpty()) {
        const int caret = m_nCaretOffset;
        const int rowStart = GetRowStartOffset(caret);
        const int lastChar = m_text.GetLength() - 1;
        const bool betweenLineFeeds = m_text.GetAt(caret) == '\n' && caret > 0 && m_text.GetAt(caret - 1) == '\n';
        if (caret + strText.GetLength() - rowStart >= m_nMaxLineLength && caret > 0 && caret != rowStart &&
            caret < lastChar && !betweenLineFeeds) {
            OnFailedOperation(KTVP_NOTICE_LINE_BREAK);
            strText.Insert(0, '\n');
        }
        if (caret >= lastChar && caret != rowStart) {
            OnFailedOperation(KTVP_NOTICE_LINE_BREAK);
            strText.Insert(0, '\n');
        }
    }
    if (!CanInsertText(strText, offset))
        return FALSE;
    ChangeInsert(offset, strText, bMoveMarkers);
    if (bClearUndo) {
        ClearUndoList();
        if (!strText.IsEmpty())
            m_bModified = TRUE;
    } else {
        AddUndoTextAction(strText, KTVP_UNDO_INSERT, offset, TRUE, bGroup);
    }
    UpdateScrollBars();
    SetCaret(offset + strText.GetLength(), TRUE, bRedraw);
    if (bRedraw)
        RedrawRows(0, -1);
    OnTextChanged(offset, strText, TRUE);
    return TRUE;
}

CString CKtvPEditModel::RowIndentPrefix(int nRowStart, int nLimit) const
{
    int end = nRowStart;
    while (end < nLimit && (m_text.GetAt(end) == ' ' || m_text.GetAt(end) == '\t'))
        ++end;
    return m_text.Mid(nRowStart, end - nRowStart);
}

BOOL CKtvPEditModel::InsertNewLine(BOOL bRedraw, BOOL bGroup, int nOffset, BOOL bMoveCaret)
{
    if (nOffset < 0)
        nOffset = m_nCaretOffset;
    if (!DoInsertNewLine(bGroup, nOffset, bMoveCaret))
        return FALSE;
    UpdateScrollBars();
    m_bModified = TRUE;
    if (bRedraw)
        RedrawRows(0, -1);
    return TRUE;
}

BOOL CKtvPEditModel::DoInsertNewLine(BOOL bGroup, int nOffset, BOOL bMoveCaret)
{
    nOffset = std::clamp(nOffset, 0, m_text.GetLength());
    CString strText("\n");
    if (m_bAutoIndent)
        strText += RowIndentPrefix(GetRowStartOffset(nOffset), nOffset);
    if (!CanInsertText(strText, nOffset))
        return FALSE;
    AddUndoTextAction(strText, KTVP_UNDO_INSERT, nOffset, TRUE, bGroup);
    ChangeInsert(nOffset, strText, TRUE);
    OnTextChanged(nOffset, strText, TRUE);
    if (bMoveCaret) {
        SetCaret(nOffset + strText.GetLength(), TRUE, FALSE);
        if (!m_bAutoIndent)
            MoveHome(FALSE);
        m_nRememberedColumn = m_nCurrentColumn;
    }
    return TRUE;
}

BOOL CKtvPEditModel::InsertTab(BOOL bRedraw)
{
    if (RowLengthForLimit(m_nCaretOffset) + m_nIndentSize > m_nMaxLineLength - 1) {
        OnFailedOperation(KTVP_FAIL_TAB_TOO_LONG);
        return FALSE;
    }
    if (GetOverwriteMode()) {
        SetCaret(GetOffsetOfColumn(GetColumnOfOffset(m_nCaretOffset) + m_nIndentSize, m_nCaretOffset), TRUE, bRedraw);
        return TRUE;
    }
    const CString strIndent = m_bKeepTabs ? IndentString() : CString(' ', m_nIndentSize);
    const int offset = m_nCaretOffset;
    if (!CanInsertText(strIndent, offset))
        return FALSE;
    AddUndoTextAction(strIndent, KTVP_UNDO_INSERT, offset, TRUE, FALSE);
    ChangeInsert(offset, strIndent, TRUE);
    OnTextChanged(offset, strIndent, TRUE);
    UpdateScrollBars();
    SetCaret(offset + strIndent.GetLength(), TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    if (bRedraw)
        RedrawRows(m_nCurrentRow, m_nCurrentRow);
    return TRUE;
}

// ---------------------------------------------------------------- deleting

BOOL CKtvPEditModel::DeleteChar(BOOL bRedraw, BOOL bGroup)
{
    if (m_nSelStart >= 0) {
        DeleteSelectedText(bRedraw, FALSE, FALSE);
        m_nRememberedColumn = m_nCurrentColumn;
        return TRUE;
    }
    const int offset = m_nCaretOffset;
    if (offset >= m_text.GetLength()) {
        OnFailedOperation(KTVP_FAIL_DELETE_AT_END);
        return FALSE;
    }
    const bool joinsRows = m_text.GetAt(offset) == '\n';
    if (joinsRows && RowLengthForLimit(offset) + RowLengthForLimit(offset + 1) > m_nMaxLineLength - 2) {
        OnFailedOperation(KTVP_FAIL_JOIN_TOO_LONG);
        return FALSE;
    }
    const int end = m_text.NextChar(offset);
    const CString strChar = m_text.Mid(offset, end - offset);
    if (!CanDeleteText(offset, strChar))
        return FALSE;
    AddUndoTextAction(strChar, KTVP_UNDO_DELETE, offset, TRUE, bGroup);
    const BOOL bDelimiterWasNear = IsColorBlockDelimiterNear(offset);
    ChangeDelete(offset, end);
    OnTextChanged(offset, strChar, FALSE);
    if (joinsRows)
        UpdateScrollBars();
    if (bRedraw)
        RedrawAfterEdit(offset, bDelimiterWasNear, joinsRows);
    SetCaret(offset, FALSE, FALSE);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::DeleteText(int nStart, int nEnd, BOOL bRedraw)
{
    if (nStart > nEnd)
        std::swap(nStart, nEnd);
    nStart = std::clamp(nStart, 0, m_text.GetLength());
    nEnd = std::clamp(nEnd, 0, m_text.GetLength());
    if (nStart == nEnd)
        return FALSE;
    const CString strRemoved = m_text.Mid(nStart, nEnd - nStart);
    if (!CanDeleteText(nStart, strRemoved))
        return FALSE;
    AddUndoTextAction(strRemoved, KTVP_UNDO_DELETE, nStart, TRUE, FALSE);
    ChangeDelete(nStart, nEnd);
    OnTextChanged(nStart, strRemoved, FALSE);
    if (bRedraw)
        RedrawRows(0, -1);
    SetCaret(nStart, TRUE, bRedraw);
    UpdateScrollBars();
    return TRUE;
}

BOOL CKtvPEditModel::DeleteSelectedText(BOOL bRedraw, BOOL bCopyToClipboard, BOOL bGroup)
{
    if (m_nSelStart < 0) {
        OnFailedOperation(KTVP_FAIL_NO_SELECTION);
        return FALSE;
    }
    const int low = std::clamp(std::min(m_nSelStart, m_nSelEnd), 0, m_text.GetLength());
    const int high = std::clamp(std::max(m_nSelStart, m_nSelEnd), 0, m_text.GetLength());
    const CString strRemoved = m_text.Mid(low, high - low);
    if (!CanDeleteText(low, strRemoved))
        return FALSE;
    if (bCopyToClipboard && !CopyTextToClipboard(strRemoved, strRemoved.GetLength())) {
        OnFailedOperation(KTVP_FAIL_CUT_COPY);
        return FALSE;
    }
    AddUndoTextAction(strRemoved, KTVP_UNDO_DELETE, low, TRUE, bGroup);
    ChangeDelete(low, high);
    OnTextChanged(low, strRemoved, FALSE);
    m_nSelStart = m_nSelEnd = -1;
    UpdateScrollBars();
    if (bRedraw && high > low)
        RedrawRows(0, -1);
    SetCaret(low, TRUE, bRedraw);
    return TRUE;
}

// ---------------------------------------------------------------- indentation

BOOL CKtvPEditModel::CanIndentSelection(BOOL bIndent)
{
    if (m_bBlockMode || m_nSelStart < 0 || m_nSelStart == m_nSelEnd)
        return FALSE;
    const int low = std::min(m_nSelStart, m_nSelEnd);
    const int high = std::max(m_nSelStart, m_nSelEnd);
    if (low < 0 || low >= m_text.GetLength())
        return FALSE;
    const bool hasLineFeed = m_text.CountChar(low, high, '\n') > 0;
    const bool reachesEnd = high >= m_text.GetLength();
    if (bIndent)
        return hasLineFeed || reachesEnd;
    if (!hasLineFeed && !reachesEnd)
        return FALSE;
    const int lastRow = m_text.RowOfOffset(high > low && high == m_text.RowStartOfOffset(high) ? high - 1 : high);
    for (int row = m_text.RowOfOffset(low); row <= lastRow; ++row) {
        if (m_strIndentChars.Find(m_text.GetAt(m_text.RowStart(row))) >= 0 && m_text.RowStart(row) < m_text.GetLength())
            return TRUE;
    }
    return FALSE;
}

BOOL CKtvPEditModel::IndentSelection(BOOL bIndent)
{
    if (!CanIndentSelection(bIndent)) {
        OnFailedOperation(KTVP_FAIL_INDENT);
        return FALSE;
    }
    auto* pData = new CKtvPUndoLinesData;
    int low = std::min(m_nSelStart, m_nSelEnd);
    int high = std::max(m_nSelStart, m_nSelEnd);
    if (high > low && high == m_text.RowStartOfOffset(high))
        --high;  // a selection ending at a row start leaves that row alone
    if (!IndentRows(low, high, bIndent, m_bBlockMode, TRUE, pData, FALSE)) {
        delete pData;
        OnFailedOperation(KTVP_FAIL_INDENT);
        return FALSE;
    }
    pData->m_nStart = m_nSelStart;
    pData->m_nEnd = m_nSelEnd;
    if (pData->m_nEnd > 0 && pData->m_nEnd == m_text.RowStartOfOffset(pData->m_nEnd))
        --pData->m_nEnd;
    pData->m_bDirection = bIndent;
    SetUndoActionReason(bIndent ? KTVP_REASON_INDENT : KTVP_REASON_UNINDENT);
    AddUndoCustomAction(pData, KTVP_UNDO_CUSTOM, TRUE);
    return TRUE;
}

int CKtvPEditModel::FirstNonBlankOfRow(int nRow) const
{
    // The search stops at the row's own end, so an empty row never pushes
    // its indentation onto the next one.
    const int rowStart = m_text.RowStart(nRow);
    return rowStart + RowIndentPrefix(rowStart, m_text.RowLimit(nRow)).GetLength();
}

int CKtvPEditModel::IndentRow(int nRow, const CString& strIndent)
{
    const int at = FirstNonBlankOfRow(nRow);
    CanInsertText(strIndent, at);  // asked, but an indent is not refused
    ChangeInsert(at, strIndent, FALSE);
    OnTextChanged(at, strIndent, TRUE);
    return at - m_text.RowStart(nRow);
}

int CKtvPEditModel::UnindentRow(int nRow, CString& strRemoved)
{
    const int rowStart = m_text.RowStart(nRow);
    const int firstNonBlank = FirstNonBlankOfRow(nRow);
    int removeFrom = firstNonBlank;
    if (!m_bKeepTabs) {
        removeFrom = firstNonBlank - std::min(m_nIndentSize, firstNonBlank - rowStart);
    } else {
        // Right to left, a tab counting the columns it spans; a tab that
        // would overshoot the indent size stays.
        int budget = m_nIndentSize;
        while (budget > 0 && removeFrom > rowStart) {
            const bool isTab = m_text.GetAt(removeFrom - 1) == '\t';
            const int cost = isTab ? GetColumnOfOffset(removeFrom) - GetColumnOfOffset(removeFrom - 1) : 1;
            if (cost > budget)
                break;
            budget -= cost;
            --removeFrom;
        }
    }
    strRemoved = m_text.Mid(removeFrom, firstNonBlank - removeFrom);
    if (!strRemoved.IsEmpty()) {
        CanDeleteText(removeFrom, strRemoved);
        ChangeDelete(removeFrom, firstNonBlank);
        OnTextChanged(removeFrom, strRemoved, FALSE);
    }
    return removeFrom - rowStart;
}

void CKtvPEditModel::SelectWholeRows(int nFirstRow, int nLastRow, BOOL bBackwards)
{
    const int start = m_text.RowStart(nFirstRow);
    const int end = std::min(m_text.RowLimit(nLastRow) + 1, m_text.GetLength());
    m_nSelStart = bBackwards ? end : start;
    m_nSelEnd = bBackwards ? start : end;
}

BOOL CKtvPEditModel::IndentRows(int nStart, int nEnd, BOOL bIndent, BOOL bBlock, BOOL bSelect,
                                CKtvPUndoLinesData* pData, BOOL bReplay)
{
    if (bBlock)
        return FALSE;
    const int firstRow = m_text.RowOfOffset(std::min(nStart, nEnd));
    const int lastRow = m_text.RowOfOffset(std::max(nStart, nEnd));
    const BOOL bRanBackwards = m_nSelStart > m_nSelEnd;
    for (int row = firstRow; row <= lastRow; ++row) {
        const INT_PTR index = row - firstRow;
        CString strChange;
        int position = 0;
        if (bIndent) {
            const bool stored = bReplay && pData != nullptr && index < pData->m_arrStrings.GetSize();
            strChange = stored ? pData->m_arrStrings[index] : IndentString();
            position = IndentRow(row, strChange);
        } else {
            position = UnindentRow(row, strChange);
        }
        if (pData != nullptr && !bReplay)
            pData->AddLine(row, position, strChange);
    }
    if (bSelect)
        SelectWholeRows(firstRow, lastRow, bRanBackwards);
    UpdateScrollBars();
    if (firstRow < m_nFirstVisibleRow) {
        ScrollText(1, 4, firstRow);
        RedrawRows(0, -1);
    } else {
        RedrawRows(firstRow, std::max(firstRow, GetVisibleRowCount()));
    }
    if (bSelect)
        SetCaret(m_nSelEnd, TRUE, TRUE);
    return TRUE;
}

void CKtvPEditModel::UndoIndentRecord(CKtvPUndoLinesData& data, BOOL bUndo)
{
    const bool removes = (data.m_bDirection != FALSE) == (bUndo != FALSE);
    const bool hasPlaces = data.m_arrRows.GetSize() == data.m_arrStrings.GetSize() &&
                           data.m_arrPositions.GetSize() == data.m_arrStrings.GetSize();
    const int firstRow = m_text.RowOfOffset(std::min(data.m_nStart, data.m_nEnd));
    for (INT_PTR i = 0; i < data.m_arrStrings.GetSize(); ++i) {
        const CString& strText = data.m_arrStrings[i];
        if (strText.IsEmpty())
            continue;
        const int row = hasPlaces ? data.m_arrRows[i] : firstRow + static_cast<int>(i);
        const int rowStart = m_text.RowStart(row);
        if (rowStart < 0)
            continue;
        int offset = rowStart;
        if (hasPlaces) {
            offset += data.m_arrPositions[i];
        } else {
            // Strings recorded without places sit at the first non-blank:
            // removed blanks before it, marks at it.
            offset += RowIndentPrefix(rowStart, m_text.RowLimit(row)).GetLength();
            if (removes && ked::IsIndentationOnly(strText, m_strIndentChars))
                offset -= strText.GetLength();
        }
        if (offset < rowStart || offset > m_text.GetLength())
            continue;
        if (removes) {
            // Only what was recorded is taken out; a mismatch means the text is
            // not the one the record was made on, and it is left alone.
            if (m_text.Mid(offset, strText.GetLength()) != strText)
                continue;
            ChangeDelete(offset, offset + strText.GetLength());
            OnTextChanged(offset, strText, FALSE);
        } else {
            ChangeInsert(offset, strText, FALSE);
            OnTextChanged(offset, strText, TRUE);
        }
    }
}
