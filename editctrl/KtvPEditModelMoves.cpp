// Scrolling, caret placement and the caret moves, the selection, words,
// and the key bookkeeping of the edit control's model.
#include <algorithm>

#include "editctrl/KtvPEditModel.h"

namespace ktvp_moves_detail {
constexpr int kBarHorz = 0;
constexpr int kBarVert = 1;
constexpr int kLineUp = 0;
constexpr int kLineDown = 1;
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kTop = 6;
constexpr int kBottom = 7;
}  // namespace ktvp_moves_detail

namespace kmd = ktvp_moves_detail;

// ---------------------------------------------------------------- scrolling

void CKtvPEditModel::UpdateScrollBars()
{
    if (m_nMaxCharWidth == 0 || m_nRowHeight == 0)
        return;
    // Rows of any length are kept, so the range reaches the longest one.
    m_nHorzRange = std::max(m_nMaxLineLength, m_nLongestRow + 1);
}

BOOL CKtvPEditModel::ScrollText(int nBar, int nCode, int nPos)
{
    if (nBar != kmd::kBarHorz && nBar != kmd::kBarVert)
        return FALSE;
    const bool vertical = nBar == kmd::kBarVert;
    const int current = vertical ? m_nFirstVisibleRow : m_nFirstVisibleColumn;
    const int page = vertical ? GetPageRows() : GetPageColumns();
    const int maximum = vertical ? GetVisibleRowCount() : m_nHorzRange;
    int value = current;
    switch (nCode) {
    case kmd::kLineUp: value = std::max(0, current - 1); break;
    case kmd::kLineDown: value = current + 1; break;
    case kmd::kPageUp: value = current - page + 1; break;
    case kmd::kPageDown: value = current + page - 1; break;
    case kmd::kThumbPosition:
    case kmd::kThumbTrack: value = nPos; break;
    case kmd::kTop: value = 0; break;
    case kmd::kBottom: value = maximum; break;
    default: return FALSE;
    }
    value = std::max(0, std::min(value, maximum - 1));
    if (value == current)
        return FALSE;
    if (vertical) {
        m_nFirstVisibleRow = value;
        m_nFirstVisibleOffset = std::max(0, m_text.RowStart(value));
    } else {
        m_nFirstVisibleColumn = value;
    }
    return TRUE;
}

void CKtvPEditModel::RecalcFirstVisibleRow()
{
    m_nFirstVisibleOffset = std::clamp(m_nFirstVisibleOffset, 0, m_text.GetLength());
    m_nFirstVisibleRow = m_text.RowOfOffset(m_nFirstVisibleOffset);
    m_nFirstVisibleOffset = m_text.RowStart(m_nFirstVisibleRow);
}

// ---------------------------------------------------------------- caret

BOOL CKtvPEditModel::SetCaret(int nOffset, BOOL bScroll, BOOL bRedraw)
{
    nOffset = std::clamp(nOffset, 0, m_text.GetLength());
    int wanted = 0;
    OffsetToPoint(nOffset, m_ptCaret, nullptr, &wanted);
    m_nCaretOffset = nOffset;
    bool scrolled = false;
    if (bScroll) {
        wanted = std::max(0, wanted);
        if (wanted != m_nFirstVisibleColumn && ScrollText(kmd::kBarHorz, kmd::kThumbPosition, wanted)) {
            scrolled = true;
            OffsetToPoint(nOffset, m_ptCaret);
            OnSetCaret();
        }
        int rows = 0;
        const int top = m_rectText.top;
        const int bottom = m_rectText.bottom;
        if (m_nRowHeight > 0) {
            if (m_ptCaret.y < top + m_nRowHeight)
                rows = (m_ptCaret.y - top) / m_nRowHeight;
            else if (m_ptCaret.y >= bottom - 2 * m_nRowHeight)
                rows = (m_ptCaret.y + 2 * m_nRowHeight - bottom) / m_nRowHeight;
        }
        if (rows != 0 && ScrollText(kmd::kBarVert, kmd::kThumbPosition, m_nFirstVisibleRow + rows)) {
            scrolled = true;
            OffsetToPoint(nOffset, m_ptCaret);
            OnSetCaret();
        }
    }
    m_nCurrentRow = m_text.RowOfOffset(nOffset);
    m_nCurrentColumn = GetColumnOfOffset(nOffset);
    if (!scrolled && bScroll)
        OnSetCaret();
    if (bRedraw && scrolled)
        RedrawRows(0, -1);
    return TRUE;
}

BOOL CKtvPEditModel::MoveToRememberedColumn(int nOffset, BOOL bRedraw)
{
    if (GetColumnOfOffset(nOffset) >= m_nRememberedColumn)
        return FALSE;
    const int target = std::max(nOffset, GetOffsetOfColumn(m_nRememberedColumn, nOffset));
    SetCaret(target, TRUE, bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::ToggleInsertMode()
{
    if (m_bReadOnly) {
        OnFailedOperation(KTVP_FAIL_READ_ONLY_MODE);
        return FALSE;
    }
    SetOverwriteMode(!GetOverwriteMode());
    return TRUE;
}

BOOL CKtvPEditModel::MoveLeft(BOOL bRedraw)
{
    if (m_nCaretOffset <= 0) {
        OnFailedOperation(KTVP_FAIL_MOVE_LEFT);
        return FALSE;
    }
    SetCaret(m_text.PrevChar(m_nCaretOffset), TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::MoveRight(BOOL bRedraw)
{
    if (m_nCaretOffset >= m_text.GetLength()) {
        OnFailedOperation(KTVP_FAIL_MOVE_RIGHT);
        return FALSE;
    }
    SetCaret(m_text.NextChar(m_nCaretOffset), TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::MoveUp(BOOL bKeepColumn, BOOL bRedraw)
{
    if (m_text.IsEmpty() || m_text.RowOfOffset(m_nCaretOffset) == 0) {
        OnFailedOperation(KTVP_FAIL_MOVE_UP);
        return FALSE;
    }
    POINT target = m_ptCaret;
    if (target.y - m_nRowHeight < m_rectText.top)
        ScrollText(kmd::kBarVert, kmd::kLineUp, 0);  // the row above comes to the caret's height
    else
        target.y -= m_nRowHeight;
    const int offset = OffsetFromPoint(target);
    if (offset < 0) {
        OnFailedOperation(KTVP_FAIL_MOVE_UP);
        return FALSE;
    }
    if (!(bKeepColumn && MoveToRememberedColumn(offset, bRedraw)))
        SetCaret(offset, TRUE, bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::MoveDown(BOOL bKeepColumn, BOOL bRedraw)
{
    POINT target = m_ptCaret;
    const int row = m_text.RowOfOffset(m_nCaretOffset);
    if (m_ptCaret.y + 2 * m_nRowHeight < m_rectText.bottom || row >= GetVisibleRowCount())
        target.y += m_nRowHeight;
    else
        ScrollText(kmd::kBarVert, kmd::kLineDown, 0);
    const int offset = OffsetFromPoint(target);
    if (offset < 0) {
        OnFailedOperation(KTVP_FAIL_MOVE_DOWN);
        return FALSE;
    }
    if (!(bKeepColumn && MoveToRememberedColumn(offset, bRedraw)))
        SetCaret(offset, TRUE, bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::MoveHome(BOOL bRedraw)
{
    if (m_text.IsEmpty()) {
        OnFailedOperation(KTVP_FAIL_HOME);
        return FALSE;
    }
    ScrollText(kmd::kBarHorz, kmd::kTop, 0);
    const int rowStart = GetRowStartOffset(m_nCaretOffset);
    int target = rowStart;
    while (target < m_text.GetLength() && m_text.GetAt(target) != '\n' && IsBlank(m_text.GetAt(target)))
        ++target;
    if (target == m_nCaretOffset)
        target = rowStart;
    SetCaret(target, TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::MoveEnd(BOOL bRedraw)
{
    SetCaret(m_text.RowLimit(m_text.RowOfOffset(m_nCaretOffset)), TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::MoveToTextStart(BOOL bRedraw)
{
    ScrollText(kmd::kBarHorz, kmd::kTop, 0);
    ScrollText(kmd::kBarVert, kmd::kTop, 0);
    if (bRedraw)
        RedrawRows(0, -1);
    SetCaret(0, TRUE, bRedraw);
    m_nRememberedColumn = 0;
    return TRUE;
}

BOOL CKtvPEditModel::MoveToTextEnd(BOOL bRedraw)
{
    if (!m_text.IsEmpty())
        SetCaret(m_text.GetLength(), TRUE, bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::PageUp(BOOL bRedraw)
{
    if (m_text.IsEmpty()) {
        OnFailedOperation(KTVP_FAIL_PAGE_UP);
        return FALSE;
    }
    POINT target = m_ptCaret;
    if (m_text.RowOfOffset(m_nCaretOffset) >= GetPageRows() || m_nFirstVisibleRow > 0)
        ScrollText(kmd::kBarVert, kmd::kPageUp, 0);
    else
        target.y = m_rectText.top;
    const int offset = std::min(OffsetFromPoint(target, FALSE, TRUE), m_text.GetLength());
    if (offset < 0) {
        OnFailedOperation(KTVP_FAIL_PAGE_UP);
        return FALSE;
    }
    if (!MoveToRememberedColumn(offset, bRedraw))
        SetCaret(offset, TRUE, bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::PageDown(BOOL bRedraw)
{
    int offset = m_text.GetLength();
    if (ScrollText(kmd::kBarVert, kmd::kPageDown, 0)) {
        POINT target = m_ptCaret;
        offset = std::min(OffsetFromPoint(target, FALSE, TRUE), m_text.GetLength());
    }
    if (offset < 0) {
        OnFailedOperation(KTVP_FAIL_PAGE_DOWN);
        return FALSE;
    }
    if (!MoveToRememberedColumn(offset, bRedraw))
        SetCaret(offset, TRUE, bRedraw);
    return TRUE;
}

BOOL CKtvPEditModel::MoveNextWord(BOOL bRedraw)
{
    const int length = m_text.GetLength();
    if (m_text.IsEmpty() || m_nCaretOffset >= m_text.LastCharOffset()) {
        OnFailedOperation(KTVP_FAIL_NEXT_WORD);
        return FALSE;
    }
    int offset = m_nCaretOffset;
    const char first = m_text.GetAt(offset);
    const auto isPlainDelimiter = [this](char ch) {
        return IsWordDelimiter(ch) && !IsSpecialDelimiter(ch) && ch != ' ';
    };
    if (!IsWordDelimiter(first)) {
        while (offset < length && !IsWordDelimiter(m_text.GetAt(offset)))
            ++offset;  // bytes of a UTF-8 sequence are never delimiters
    } else if (isPlainDelimiter(first)) {
        while (offset < length && isPlainDelimiter(m_text.GetAt(offset)))
            ++offset;
    } else if (first == '\n') {
        ++offset;
    } else if (IsSpecialDelimiter(first)) {
        while (offset < length && m_text.GetAt(offset) == first)
            ++offset;
    }
    while (offset < length && m_text.GetAt(offset) == ' ')
        ++offset;
    SetCaret(offset, TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::MovePrevWord(BOOL bRedraw)
{
    if (m_nCaretOffset <= 0) {
        OnFailedOperation(KTVP_FAIL_PREV_WORD);
        return FALSE;
    }
    int pos = std::min(m_nCaretOffset - 1, m_text.GetLength() - 1);
    const bool startedOnLineFeed = m_text.GetAt(pos) == '\n';
    int target = 0;
    if (startedOnLineFeed) {
        target = pos;
    } else {
        while (pos > 0 && m_text.GetAt(pos) == ' ')
            --pos;
        if (pos > 0) {
            const char ch = m_text.GetAt(pos);
            if (!IsWordDelimiter(ch)) {
                while (pos >= 0 && !IsWordDelimiter(m_text.GetAt(pos)) && m_text.GetAt(pos) != '\n')
                    --pos;
            } else if (!IsSpecialDelimiter(ch) && ch != ' ') {
                while (pos >= 0 && IsWordDelimiter(m_text.GetAt(pos)) && !IsSpecialDelimiter(m_text.GetAt(pos)) &&
                       m_text.GetAt(pos) != ' ')
                    --pos;
            } else {
                while (pos >= 0 && m_text.GetAt(pos) == ch && ch != ' ' && ch != '\n')
                    --pos;
            }
            target = pos + 1;
        }
    }
    SetCaret(target, TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditModel::MoveToPrevTabStop()
{
    if (m_nCurrentColumn == 0 || GetColumnOfOffset(m_nCaretOffset) == 0) {
        OnFailedOperation(KTVP_FAIL_PREV_TAB_STOP);
        return FALSE;
    }
    const int indent = m_nIndentSize > 0 ? m_nIndentSize : 1;
    int steps = GetColumnOfOffset(m_nCaretOffset) % indent;
    if (steps == 0)
        steps = indent;
    int offset = m_nCaretOffset;
    const int rowStart = GetRowStartOffset(offset);
    while (steps > 0 && offset > rowStart) {
        offset = m_text.PrevChar(offset);
        steps -= m_text.GetAt(offset) == '\t' ? m_nTabWidth + 1 : 1;
    }
    SetCaret(offset, TRUE, TRUE);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

// ---------------------------------------------------------------- selection

void CKtvPEditModel::GetSel(int& nStart, int& nEnd) const
{
    nStart = m_nSelStart;
    nEnd = m_nSelEnd;
}

void CKtvPEditModel::SetSel(int nStart, int nEnd, BOOL bKeepCaret)
{
    SetSelection(nStart, nEnd, bKeepCaret, TRUE);
}

void CKtvPEditModel::SetSelection(int nStart, int nEnd, BOOL bKeepCaret, BOOL bRedraw)
{
    if (m_text.IsEmpty())
        return;
    if (nStart == -1) {
        m_nSelStart = m_nSelEnd = -1;
    } else {
        if (nEnd == -1 || nEnd > m_text.GetLength())
            nEnd = m_text.GetLength();
        m_nSelStart = std::max(0, nStart);
        m_nSelEnd = nEnd;
        if (!bKeepCaret)
            SetCaret(nEnd, TRUE, FALSE);
    }
    if (bRedraw)
        RedrawRows(0, -1);
}

BOOL CKtvPEditModel::RemoveSelection(BOOL bCaretToStart, BOOL bKeepCaret, BOOL bRedraw)
{
    if (m_nSelStart < 0)
        return FALSE;
    const int anchor = m_nSelStart;
    const int end = m_nSelEnd;
    m_nSelStart = m_nSelEnd = -1;
    m_bBlockMode = FALSE;
    m_bModified = TRUE;
    if (bRedraw)
        RedrawRows(0, -1);
    if (!bKeepCaret) {
        const bool anchorIsLeft = anchor <= end;
        if (anchorIsLeft == (bCaretToStart != FALSE))
            SetCaret(anchor, TRUE, bRedraw);
    }
    return TRUE;
}

BOOL CKtvPEditModel::MakeSelection(int nKind)
{
    const bool forward = nKind == KTVP_SEL_NEXT_WORD || nKind == KTVP_SEL_RIGHT || nKind == KTVP_SEL_DOWN ||
                         nKind == KTVP_SEL_PAGE_DOWN;
    if (forward && m_nCaretOffset >= m_text.GetLength()) {
        OnFailedOperation(KTVP_FAIL_MAKE_SELECTION);
        return FALSE;
    }
    if (m_nSelStart < 0)
        m_nSelStart = m_nSelEnd = m_nCaretOffset;
    const int oldCaret = m_nCaretOffset;
    const int oldRow = m_nFirstVisibleRow;
    const int oldColumn = m_nFirstVisibleColumn;
    BOOL moved = FALSE;
    switch (nKind) {
    case KTVP_SEL_PREV_WORD: moved = MovePrevWord(FALSE); break;
    case KTVP_SEL_NEXT_WORD: moved = MoveNextWord(FALSE); break;
    case KTVP_SEL_LEFT: moved = MoveLeft(FALSE); break;
    case KTVP_SEL_RIGHT: moved = MoveRight(FALSE); break;
    case KTVP_SEL_UP: moved = MoveUp(TRUE, FALSE); break;
    case KTVP_SEL_DOWN: moved = MoveDown(TRUE, FALSE); break;
    case KTVP_SEL_PAGE_UP: moved = PageUp(FALSE); break;
    case KTVP_SEL_PAGE_DOWN: moved = PageDown(FALSE); break;
    case KTVP_SEL_HOME: moved = MoveHome(FALSE); break;
    case KTVP_SEL_END: moved = MoveEnd(FALSE); break;
    case KTVP_SEL_TEXT_START: moved = MoveToTextStart(TRUE); break;
    case KTVP_SEL_TEXT_END: moved = MoveToTextEnd(FALSE); break;
    case KTVP_SEL_ALL:
        SetCaret(0, TRUE, TRUE);
        m_nSelStart = m_text.GetLength();
        m_nSelEnd = 0;
        RedrawRows(0, -1);
        return TRUE;
    default: break;
    }
    if (!moved) {
        OnFailedOperation(KTVP_FAIL_MAKE_SELECTION);
        return FALSE;
    }
    m_nSelEnd = m_nCaretOffset;
    const bool scrolled = oldRow != m_nFirstVisibleRow || oldColumn != m_nFirstVisibleColumn;
    if (nKind <= KTVP_SEL_DOWN && !scrolled) {
        const int low = std::min({oldCaret, m_nSelStart, m_nSelEnd});
        const int high = std::max({oldCaret, m_nSelStart, m_nSelEnd});
        RedrawTextRange(low, high);
    } else {
        RedrawRows(0, -1);
    }
    return TRUE;
}

// ---------------------------------------------------------------- words

BOOL CKtvPEditModel::GetWordBoundsAt(int nOffset, LPCTSTR lpszText, int& nStart, int& nEnd) const
{
    const std::string_view text = lpszText != nullptr ? std::string_view(lpszText) : m_text.View();
    const int length = static_cast<int>(text.size());
    nStart = nEnd = -1;
    if (length == 0)
        return FALSE;
    int pos = std::clamp(nOffset, 0, length - 1);
    while (pos > 0 && IsBlank(text[static_cast<size_t>(pos)]))
        --pos;
    int start = pos;
    while (start > 0 && !IsWordDelimiter(text[static_cast<size_t>(start) - 1]))
        --start;
    int end = pos;
    while (end < length && !IsWordDelimiter(text[static_cast<size_t>(end)]))
        ++end;
    nStart = start;
    nEnd = end;
    return TRUE;
}

BOOL CKtvPEditModel::GetWordAtOffset(int nOffset, CString& strWord) const
{
    int start = 0;
    int end = 0;
    if (!GetWordBoundsAt(nOffset, nullptr, start, end) || end <= start)
        return FALSE;
    strWord = m_text.Mid(start, end - start);
    return TRUE;
}

BOOL CKtvPEditModel::FindEnclosingPair(int nOffset, TCHAR chOpen, TCHAR chClose, int& nStart, int& nEnd) const
{
    const std::string_view text = m_text.View();
    if (text.empty())
        return FALSE;
    nOffset = std::clamp(nOffset, 0, m_text.GetLength() - 1);
    int before = nOffset;
    while (before >= 0 && text[static_cast<size_t>(before)] != chOpen && text[static_cast<size_t>(before)] != chClose)
        --before;
    int after = nOffset;
    while (after < m_text.GetLength() && text[static_cast<size_t>(after)] != chOpen &&
           text[static_cast<size_t>(after)] != chClose)
        ++after;
    if (before < 0 || after >= m_text.GetLength())
        return FALSE;
    if (text[static_cast<size_t>(before)] != chOpen || text[static_cast<size_t>(after)] != chClose)
        return FALSE;
    nStart = before;
    nEnd = after;
    return TRUE;
}
