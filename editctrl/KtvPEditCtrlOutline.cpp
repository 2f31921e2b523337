// The edit control's outlining: the tree follows every edit, blocks fold and
// unfold, and rows hidden inside folds leave the row arithmetic, the caret
// moves and the scrolling.
#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"

namespace ktvp_outline_ctrl {

constexpr COLORREF kOutlineColor = RGB(128, 128, 128);

int CountLineFeeds(std::string_view text, int nStart, int nEnd)
{
    nStart = std::clamp(nStart, 0, static_cast<int>(text.size()));
    nEnd = std::clamp(nEnd, nStart, static_cast<int>(text.size()));
    return static_cast<int>(std::count(text.begin() + nStart, text.begin() + nEnd, '\n'));
}

// Line feeds of the node's text that no folded block inside it hides.
int CountVisibleLineFeeds(std::string_view text, const CKtvPOutlineNode& node)
{
    int count = CountLineFeeds(text, node.m_nStart, node.m_nEnd + 1);
    CObList folded;
    node.GetNodesByState(folded, TRUE, TRUE);
    for (POSITION pos = folded.GetHeadPosition(); pos != nullptr;) {
        const auto* pInner = static_cast<const CKtvPOutlineNode*>(folded.GetNext(pos));
        count -= CountLineFeeds(text, pInner->m_nStart, pInner->m_nEnd + 1);
    }
    return count;
}

}  // namespace ktvp_outline_ctrl

namespace koc = ktvp_outline_ctrl;

// ---------------------------------------------------------------- switches and the parser

void CKtvPEditCtrl::EnableOutlining(BOOL bOn)
{
    if (!m_bOutlining == !bOn)
        return;
    m_bOutlining = bOn;
    ResyncViewWithFolds();
}

// The rows hidden have changed: the top row and the caret are placed again
// over the same text.
void CKtvPEditCtrl::ResyncViewWithFolds()
{
    InvalidateFolds();
    RecalcFirstVisibleRow();
    m_nFirstVisibleRow = VisibleRowOfLine(m_text.RowOfOffset(m_nFirstVisibleOffset));
    UpdateScrollBars();
    SetCaret(m_nCaretOffset, FALSE, FALSE);
    RedrawRows(0, -1);
}

CKtvPOutlineParser* CKtvPEditCtrl::CreateOutlineParser()
{
    return new CKtvPOutlineParser;
}

void CKtvPEditCtrl::ReparseOutline()
{
    ReplaceOutline(TRUE);
}

BOOL CKtvPEditCtrl::SetText(LPCTSTR lpszText)
{
    const BOOL set = CKtvPEditModel::SetText(lpszText);
    ReplaceOutline(m_bOutlining && m_bAutoOutlining && m_bOutlineOption);
    return set;
}

void CKtvPEditCtrl::ReplaceOutline(BOOL bParse)
{
    CKtvPOutlineChanges changes(0, GetTextLength());
    // Everything goes: the removed nodes are reported and deleted.
    while (!m_outlineRoot.m_lstNodes.IsEmpty())
        m_outlineRoot.RemoveNode(m_outlineRoot.m_lstNodes.GetHeadPosition(), &changes, TRUE);
    if (bParse && m_pOutlineParser != nullptr && GetTextLength() > 0)
        m_pOutlineParser->UpdateOutline(m_text.View(), 0, GetTextLength(), &m_outlineRoot, &changes);
    UpdateHiddenRows(&changes);
    ApplyOutlineChanges(&changes, TRUE);
    ResyncViewWithFolds();
}

// ---------------------------------------------------------------- following edits

void CKtvPEditCtrl::UpdateOutlineOnInsert(int nStart, int nEnd)
{
    if (!m_bOutlining)
        return;
    m_outlineRoot.OnTextInserted(nStart, nEnd - nStart);
    InvalidateFolds();
}

void CKtvPEditCtrl::UpdateOutlineOnDelete(int nStart, int nEnd)
{
    if (!m_bOutlining || nEnd <= nStart)
        return;
    CKtvPOutlineChanges changes(nStart, nEnd);
    // Nodes wholly inside the deleted text go; the text is still there, so
    // their hidden line breaks can be counted before it is removed.
    m_outlineRoot.RemoveNodesInRange(nStart, nEnd - 1, &changes);
    UpdateHiddenRows(&changes);
    m_outlineRoot.OnTextDeleted(nStart, nEnd);
    InvalidateFolds();
    ApplyOutlineChanges(&changes, FALSE);
}

void CKtvPEditCtrl::UpdateOutlining(int nOffset, int nLength)
{
    UpdateOutlining(nOffset, nLength, TRUE);
}

void CKtvPEditCtrl::UpdateOutlining(int nOffset, int nLength, BOOL bRedraw)
{
    if (!m_bOutlining || !m_bAutoOutlining || !m_bOutlineOption || m_pOutlineParser == nullptr)
        return;
    if (nOffset < 0 || nLength < 0 || nOffset + nLength > GetTextLength())
        return;
    CKtvPOutlineChanges changes(nOffset, nOffset + nLength + 1);
    m_pOutlineParser->UpdateOutline(m_text.View(), nOffset, nLength, &m_outlineRoot, &changes);
    UpdateHiddenRows(&changes);
    ApplyOutlineChanges(&changes, bRedraw);
}

void CKtvPEditCtrl::ApplyOutlineChanges(CKtvPOutlineChanges* pChanges, BOOL bRedraw)
{
    for (POSITION pos = pChanges->m_lstInserted.GetHeadPosition(); pos != nullptr;)
        OnOutlineNodeInserted(static_cast<CKtvPOutlineNode*>(pChanges->m_lstInserted.GetNext(pos)));
    for (POSITION pos = pChanges->m_lstRemoved.GetHeadPosition(); pos != nullptr;)
        OnOutlineNodeRemoved(static_cast<CKtvPOutlineNode*>(pChanges->m_lstRemoved.GetNext(pos)));
    while (!pChanges->m_lstRemoved.IsEmpty())
        delete pChanges->m_lstRemoved.RemoveHead();
    InvalidateFolds();
    if (m_hWnd == nullptr)
        return;
    const int first = std::clamp(pChanges->m_nFirst, 0, GetTextLength());
    if (bRedraw) {
        RedrawTextRange(first, GetTextLength());
        return;
    }
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    rect.top = std::max<LONG>(rect.top, RowTop(VisibleRowOfLine(m_text.RowOfOffset(first))));
    ::InvalidateRect(m_hWnd, &rect, TRUE);
}

void CKtvPEditCtrl::UpdateHiddenRows(CKtvPOutlineChanges*)
{
    // The hidden rows are counted from the tree itself, so a change only
    // has to make the count be taken again.
    InvalidateFolds();
    UpdateScrollBars();
}

// ---------------------------------------------------------------- queries

CKtvPOutlineNode* CKtvPEditCtrl::GetCollapsedNodeAt(int nOffset) const
{
    return m_bOutlining ? m_outlineRoot.FindCollapsedNodeAt(nOffset) : nullptr;
}

CKtvPOutlineNode* CKtvPEditCtrl::GetCollapsedNodeInRange(int nStart, int nEnd, BOOL bForward) const
{
    return m_bOutlining ? m_outlineRoot.FindCollapsedNodeInRange(nStart, nEnd, bForward) : nullptr;
}

CKtvPOutlineNode* CKtvPEditCtrl::GetCollapsedNodeAtPoint(int x, int y, int nOffset) const
{
    if (!m_bOutlining || nOffset < 0)
        return nullptr;
    const int visibleRow = VisibleRowOfLine(m_text.RowOfOffset(nOffset));
    POINT pt{x + m_nFirstVisibleColumn * m_nMaxCharWidth, y};
    return m_outlineRoot.FindCollapsedNodeAtPoint(pt, VisualRowStart(visibleRow), VisualRowLimit(visibleRow));
}

BOOL CKtvPEditCtrl::GetCollapsedBlockTipText(POINT pt, CString& strText) const
{
    POINT hit = pt;
    const int offset = OffsetFromPoint(hit, FALSE, FALSE);
    if (offset < 0 || offset >= GetTextLength())
        return FALSE;
    const CKtvPOutlineNode* pNode = GetCollapsedNodeAtPoint(pt.x, pt.y, offset);
    if (pNode == nullptr)
        return FALSE;
    const int length = std::min(m_nCollapsedTipLimit, pNode->m_nEnd - pNode->m_nStart + 1);
    int end = std::min(GetTextLength(), pNode->m_nStart + std::max(0, length));
    // Cut at a character's start, never inside a UTF-8 sequence.
    while (end > pNode->m_nStart && end < GetTextLength() && (m_text.GetAt(end) & 0xC0) == 0x80)
        --end;
    strText = GetTextRange(pNode->m_nStart, end);
    return TRUE;
}

int CKtvPEditCtrl::GetNextVisibleRowStart(int nRowStart, int& nLineNumber, int& nDrawnRows) const
{
    const std::string_view text = m_text.View();
    size_t feed = text.find('\n', static_cast<size_t>(std::max(0, nRowStart)));
    // Every line feed a fold hides counts a line.
    while (feed != std::string_view::npos) {
        const FoldSpan* pSpan = FoldContaining(static_cast<int>(feed));
        if (pSpan == nullptr)
            break;
        nLineNumber += koc::CountLineFeeds(text, static_cast<int>(feed), pSpan->nEnd + 1);
        feed = text.find('\n', static_cast<size_t>(pSpan->nEnd) + 1);
    }
    ++nLineNumber;
    ++nDrawnRows;
    if (feed == std::string_view::npos)
        return -1;
    return static_cast<int>(feed) + 1;
}

// ---------------------------------------------------------------- folding

BOOL CKtvPEditCtrl::ToggleOutlineNode(CKtvPOutlineNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    RemoveSelection(FALSE, TRUE, FALSE);
    pNode->SetCollapsed(!pNode->m_bCollapsed);
    InvalidateFolds();
    UpdateScrollBars();
    RedrawTextRange(pNode->m_nStart, GetTextLength());
    const int line = m_text.RowOfOffset(pNode->m_nStart);
    int caret = m_text.RowStart(LineOfVisibleRow(VisibleRowOfLine(line)));
    SetCaret(caret, TRUE, TRUE);
    return TRUE;
}

BOOL CKtvPEditCtrl::ToggleOutliningAtLine(int nOffset)
{
    if (nOffset < 0 || !m_bOutlining)
        return FALSE;
    const int visibleRow = VisibleRowOfLine(m_text.RowOfOffset(nOffset));
    const int first = VisualRowStart(visibleRow);
    const int last = VisualRowLimit(visibleRow);
    CObList nodes;
    m_outlineRoot.GetNodesInRange(first, last, nodes, FALSE, TRUE);
    for (POSITION pos = nodes.GetHeadPosition(); pos != nullptr;) {
        auto* pNode = static_cast<CKtvPOutlineNode*>(nodes.GetNext(pos));
        if (pNode->IsComplete() && pNode->m_nStart >= first)
            return ToggleOutlineNode(pNode);
    }
    return FALSE;
}

// ---------------------------------------------------------------- rows hidden by folds

const std::vector<CKtvPEditCtrl::FoldSpan>& CKtvPEditCtrl::GetFoldSpans() const
{
    if (m_bFoldSpansValid)
        return m_foldSpans;
    m_foldSpans.clear();
    m_bFoldSpansValid = true;
    if (!m_bOutlining)
        return m_foldSpans;
    CObList folded;
    m_outlineRoot.GetNodesByState(folded, TRUE, TRUE);
    const std::string_view text = m_text.View();
    for (POSITION pos = folded.GetHeadPosition(); pos != nullptr;) {
        auto* pNode = static_cast<CKtvPOutlineNode*>(folded.GetNext(pos));
        const int start = std::clamp(pNode->m_nStart, 0, GetTextLength());
        const int end = std::clamp(pNode->m_nEnd, start, std::max(start, GetTextLength() - 1));
        m_foldSpans.push_back(
            FoldSpan{start, end, m_text.RowOfOffset(start), koc::CountLineFeeds(text, start, end + 1), pNode});
    }
    return m_foldSpans;
}

int CKtvPEditCtrl::GetHiddenRowCount() const
{
    int hidden = 0;
    for (const FoldSpan& span : GetFoldSpans())
        hidden += span.nHidden;
    return hidden;
}

int CKtvPEditCtrl::GetVisibleRowCount() const
{
    return CKtvPEditModel::GetVisibleRowCount() - GetHiddenRowCount();
}

int CKtvPEditCtrl::VisibleRowOfLine(int nLine) const
{
    int hidden = 0;
    for (const FoldSpan& span : GetFoldSpans()) {
        if (span.nLine >= nLine)
            break;
        if (nLine <= span.nLine + span.nHidden)
            return span.nLine - hidden;
        hidden += span.nHidden;
    }
    return nLine - hidden;
}

int CKtvPEditCtrl::LineOfVisibleRow(int nVisibleRow) const
{
    int hidden = 0;
    for (const FoldSpan& span : GetFoldSpans()) {
        if (span.nLine - hidden >= nVisibleRow)
            break;
        hidden += span.nHidden;
    }
    return nVisibleRow + hidden;
}

int CKtvPEditCtrl::VisualRowStart(int nVisibleRow) const
{
    return std::max(0, m_text.RowStart(std::min(LineOfVisibleRow(nVisibleRow), m_text.GetRowCount() - 1)));
}

int CKtvPEditCtrl::VisualRowLimit(int nVisibleRow) const
{
    const int nextLine = LineOfVisibleRow(nVisibleRow + 1);
    return m_text.RowLimit(std::min(nextLine - 1, m_text.GetRowCount() - 1));
}

const CKtvPEditCtrl::FoldSpan* CKtvPEditCtrl::FoldContaining(int nOffset) const
{
    const std::vector<FoldSpan>& spans = GetFoldSpans();
    auto after = std::upper_bound(spans.begin(), spans.end(), nOffset,
                                  [](int offset, const FoldSpan& span) { return offset < span.nStart; });
    if (after == spans.begin())
        return nullptr;
    const FoldSpan& span = *std::prev(after);
    return nOffset <= span.nEnd ? &span : nullptr;
}

const CKtvPEditCtrl::FoldSpan* CKtvPEditCtrl::FoldStartingAt(int nOffset) const
{
    const FoldSpan* pSpan = FoldContaining(nOffset);
    return pSpan != nullptr && pSpan->nStart == nOffset ? pSpan : nullptr;
}

int CKtvPEditCtrl::FoldWidth(const CKtvPOutlineNode* pNode) const
{
    int width = 2;  // a pixel of frame on each side
    const CString& strReplace = pNode->m_strReplace;
    for (int i = 0; i < strReplace.GetLength(); ++i)
        width += GetCharWidth(static_cast<unsigned char>(strReplace[i]));
    return width;
}

// Pixel width from a visual row's start to the offset, summed as painting
// places the text: each fold on the way as wide as its replacement text,
// tabs to the next stop.
int CKtvPEditCtrl::MeasureVisualRow(int nRowStart, int nOffset) const
{
    int width = 0;
    for (int offset = nRowStart; offset < nOffset;) {
        if (const FoldSpan* pSpan = FoldStartingAt(offset)) {
            width += FoldWidth(pSpan->pNode);
            offset = pSpan->nEnd + 1;
            continue;
        }
        int cellWidth = 0;
        if (const int cell = GetCellAt(offset, cellWidth); cell > 0) {
            if (offset + cell > nOffset)
                break;
            width += cellWidth;
            offset += cell;
            continue;
        }
        int length = 1;
        const char32_t ch = m_text.CharAt(offset, &length);
        if (ch == U'\t' && m_bKeepTabs && m_nTabPixelWidth > 0)
            width = (width / m_nTabPixelWidth + 1) * m_nTabPixelWidth;
        else
            width += GetCharWidth(ch);
        offset += std::max(length, 1);
    }
    return width;
}

// ---------------------------------------------------------------- points and the caret

BOOL CKtvPEditCtrl::OffsetToPoint(int nOffset, POINT& pt, POINT* pRowColumn, int* pWantedScrollColumn) const
{
    if (GetFoldSpans().empty())
        return CKtvPEditModel::OffsetToPoint(nOffset, pt, pRowColumn, pWantedScrollColumn);
    nOffset = std::clamp(nOffset, 0, GetTextLength());
    if (const CKtvPOutlineNode* pFold = GetCollapsedNodeAt(nOffset); pFold != nullptr && nOffset > pFold->m_nStart)
        nOffset = pFold->m_nStart;
    // The model answers the column and the scrolling wanted; the place is
    // the visual row's.
    CKtvPEditModel::OffsetToPoint(nOffset, pt, pRowColumn, pWantedScrollColumn);
    const int visibleRow = VisibleRowOfLine(m_text.RowOfOffset(nOffset));
    const int rawX = m_rectText.left + MeasureVisualRow(VisualRowStart(visibleRow), nOffset) -
                     m_nFirstVisibleColumn * m_nMaxCharWidth;
    pt.x = std::max(rawX, static_cast<int>(m_rectText.left) + 1);
    pt.y = m_rectText.top + (visibleRow - m_nFirstVisibleRow) * m_nRowHeight;
    return TRUE;
}

int CKtvPEditCtrl::OffsetFromPoint(POINT& pt, BOOL bUpdatePoint, BOOL bEvenOutside) const
{
    if (GetFoldSpans().empty())
        return CKtvPEditModel::OffsetFromPoint(pt, bUpdatePoint, bEvenOutside);
    const bool inside = ::PtInRect(&m_rectText, pt) != FALSE;
    if ((!inside && !bEvenOutside) || m_nRowHeight <= 0)
        return -1;
    const int visibleRow =
        std::max(0, m_nFirstVisibleRow + (pt.y - m_rectText.top + (pt.y < m_rectText.top ? 1 - m_nRowHeight : 0)) /
                                             m_nRowHeight);
    int result = GetTextLength();
    if (visibleRow <= VisibleRowOfLine(m_text.GetRowCount() - 1)) {
        const int rowStart = VisualRowStart(visibleRow);
        const int limit = VisualRowLimit(visibleRow);
        const int origin = m_rectText.left + 1 - m_nFirstVisibleColumn * m_nMaxCharWidth;
        result = limit;
        int x = origin;
        for (int offset = rowStart; offset < limit;) {
            int next = m_text.NextChar(offset);
            int nextX = 0;
            if (const FoldSpan* pSpan = FoldStartingAt(offset)) {
                next = pSpan->nEnd + 1;
                nextX = x + FoldWidth(pSpan->pNode);
            } else if (int cellWidth = 0, cell = GetCellAt(offset, cellWidth); cell > 0) {
                next = offset + cell;
                nextX = x + cellWidth;
            } else {
                int length = 1;
                const char32_t ch = m_text.CharAt(offset, &length);
                nextX = ch == U'\t' && m_bKeepTabs && m_nTabPixelWidth > 0
                            ? origin + ((x - origin) / m_nTabPixelWidth + 1) * m_nTabPixelWidth
                            : x + GetCharWidth(ch);
            }
            // The caret goes to the nearer edge of what is under the point.
            if (x + (nextX - x) / 2 >= pt.x) {
                result = offset;
                break;
            }
            x = nextX;
            offset = next;
        }
    }
    if (bUpdatePoint)
        OffsetToPoint(result, pt);
    return result;
}

BOOL CKtvPEditCtrl::SetCaret(int nOffset, BOOL bScroll, BOOL bRedraw)
{
    const BOOL result = CKtvPEditModel::SetCaret(nOffset, bScroll, bRedraw);
    if (!GetFoldSpans().empty() && !bScroll)
        PlaceCaretPastFolds();
    return result;
}

// The model placed the caret by lines; with folds its row is the visual one.
void CKtvPEditCtrl::PlaceCaretPastFolds()
{
    if (const CKtvPOutlineNode* pFold = GetCollapsedNodeAt(m_nCaretOffset);
        pFold != nullptr && m_nCaretOffset > pFold->m_nStart)
        m_nCaretOffset = pFold->m_nEnd + 1 <= GetTextLength() ? pFold->m_nEnd + 1 : pFold->m_nStart;
    OffsetToPoint(m_nCaretOffset, m_ptCaret);
}

void CKtvPEditCtrl::KeepCaretInView()
{
    PlaceCaretPastFolds();
    if (m_nRowHeight <= 0)
        return;
    const int caretRow = VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset));
    const int pageRows = std::max(1, GetPageRows());
    int wanted = m_nFirstVisibleRow;
    if (caretRow < m_nFirstVisibleRow)
        wanted = caretRow;
    else if (caretRow >= m_nFirstVisibleRow + pageRows)
        wanted = caretRow - pageRows + 1;
    if (wanted != m_nFirstVisibleRow && ScrollVertically(SB_THUMBPOSITION, wanted)) {
        OffsetToPoint(m_nCaretOffset, m_ptCaret);
        RedrawRows(0, -1);
    }
}

// The model scrolls by lines; its range counts the hidden ones, so the row
// is held inside the visible rows and the first offset is the row's.
BOOL CKtvPEditCtrl::ScrollVertically(int nCode, int nPos)
{
    const int before = m_nFirstVisibleRow;
    CKtvPEditModel::ScrollText(SB_VERT, nCode, nPos);
    m_nFirstVisibleRow = std::clamp(m_nFirstVisibleRow, 0, std::max(0, GetVisibleRowCount() - 1));
    m_nFirstVisibleOffset = VisualRowStart(m_nFirstVisibleRow);
    return m_nFirstVisibleRow != before;
}

// ---------------------------------------------------------------- caret moves over folds

BOOL CKtvPEditCtrl::MoveRight(BOOL bRedraw)
{
    int next = -1;
    int cellWidth = 0;
    // A folded block or a symbol is one step.
    if (const FoldSpan* pSpan = FoldStartingAt(m_nCaretOffset))
        next = pSpan->nEnd + 1;
    else if (const int cell = GetCellAt(m_nCaretOffset, cellWidth); cell > 0)
        next = m_nCaretOffset + cell;
    if (next < 0)
        return CKtvPEditModel::MoveRight(bRedraw);
    SetCaret(std::min(GetTextLength(), next), TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditCtrl::MoveLeft(BOOL bRedraw)
{
    const CKtvPOutlineNode* pFold = m_nCaretOffset > 0 ? GetCollapsedNodeAt(m_text.PrevChar(m_nCaretOffset)) : nullptr;
    int target = pFold != nullptr ? pFold->m_nStart : -1;
    int cellEnd = 0;
    if (target < 0 && m_bShowSymbols && m_nCaretOffset > 0) {
        const int cellStart = CellBefore(m_nCaretOffset, cellEnd);
        if (cellStart < m_text.PrevChar(m_nCaretOffset))
            target = cellStart;
    }
    if (target < 0)
        return CKtvPEditModel::MoveLeft(bRedraw);
    SetCaret(target, TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditCtrl::MoveUp(BOOL bKeepColumn, BOOL bRedraw)
{
    if (!HasVisualCells())
        return CKtvPEditModel::MoveUp(bKeepColumn, bRedraw);
    const int row = VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset));
    if (row == 0) {
        OnFailedOperation(KTVP_FAIL_MOVE_UP);
        return FALSE;
    }
    POINT target = m_ptCaret;
    target.y -= m_nRowHeight;
    if (row - 1 < m_nFirstVisibleRow) {
        ScrollVertically(SB_LINEUP, 0);
        target.y = m_ptCaret.y;
        RedrawRows(0, -1);
    }
    SetCaret(OffsetFromPoint(target, FALSE, TRUE), TRUE, bRedraw);
    KeepCaretInView();
    return TRUE;
}

BOOL CKtvPEditCtrl::MoveDown(BOOL bKeepColumn, BOOL bRedraw)
{
    if (!HasVisualCells())
        return CKtvPEditModel::MoveDown(bKeepColumn, bRedraw);
    const int row = VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset));
    if (row >= VisibleRowOfLine(m_text.GetRowCount() - 1)) {
        OnFailedOperation(KTVP_FAIL_MOVE_DOWN);
        return FALSE;
    }
    POINT target = m_ptCaret;
    target.y += m_nRowHeight;
    if (row + 1 >= m_nFirstVisibleRow + std::max(1, GetPageRows())) {
        ScrollVertically(SB_LINEDOWN, 0);
        target.y = m_ptCaret.y;
        RedrawRows(0, -1);
    }
    SetCaret(OffsetFromPoint(target, FALSE, TRUE), TRUE, bRedraw);
    KeepCaretInView();
    return TRUE;
}

BOOL CKtvPEditCtrl::MoveHome(BOOL bRedraw)
{
    if (GetFoldSpans().empty() || m_text.IsEmpty())
        return CKtvPEditModel::MoveHome(bRedraw);
    // The row starts where its first line does, whatever folds follow.
    ScrollText(SB_HORZ, SB_TOP, 0);
    const int rowStart = VisualRowStart(VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset)));
    int target = rowStart;
    while (target < GetTextLength() && m_text.GetAt(target) != '\n' && IsBlank(m_text.GetAt(target)) &&
           FoldStartingAt(target) == nullptr)
        ++target;
    if (target == m_nCaretOffset)
        target = rowStart;
    SetCaret(target, TRUE, bRedraw);
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditCtrl::MoveEnd(BOOL bRedraw)
{
    if (GetFoldSpans().empty())
        return CKtvPEditModel::MoveEnd(bRedraw);
    const int row = VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset));
    SetCaret(VisualRowLimit(row), TRUE, bRedraw);
    KeepCaretInView();
    m_nRememberedColumn = m_nCurrentColumn;
    return TRUE;
}

BOOL CKtvPEditCtrl::PageUp(BOOL bRedraw)
{
    if (!HasVisualCells())
        return CKtvPEditModel::PageUp(bRedraw);
    const int page = std::max(1, GetPageRows() - 1);
    const int row = VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset));
    if (row == 0) {
        OnFailedOperation(KTVP_FAIL_PAGE_UP);
        return FALSE;
    }
    ScrollVertically(SB_THUMBPOSITION, m_nFirstVisibleRow - page);
    POINT target = m_ptCaret;
    target.y = m_rectText.top + (std::max(0, row - page) - m_nFirstVisibleRow) * m_nRowHeight;
    SetCaret(OffsetFromPoint(target, FALSE, TRUE), TRUE, bRedraw);
    KeepCaretInView();
    RedrawRows(0, -1);
    return TRUE;
}

BOOL CKtvPEditCtrl::PageDown(BOOL bRedraw)
{
    if (!HasVisualCells())
        return CKtvPEditModel::PageDown(bRedraw);
    const int page = std::max(1, GetPageRows() - 1);
    const int row = VisibleRowOfLine(m_text.RowOfOffset(m_nCaretOffset));
    const int lastRow = std::max(0, GetVisibleRowCount() - 1);
    if (row >= lastRow) {
        OnFailedOperation(KTVP_FAIL_PAGE_DOWN);
        return FALSE;
    }
    ScrollVertically(SB_THUMBPOSITION, m_nFirstVisibleRow + page);
    POINT target = m_ptCaret;
    target.y = m_rectText.top + (std::min(lastRow, row + page) - m_nFirstVisibleRow) * m_nRowHeight;
    SetCaret(OffsetFromPoint(target, FALSE, TRUE), TRUE, bRedraw);
    KeepCaretInView();
    RedrawRows(0, -1);
    return TRUE;
}

// ---------------------------------------------------------------- the outline margin

RECT CKtvPEditCtrl::GetOutlineMarginRect() const
{
    RECT client{};
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &client);
    if (!m_bOutlineMargin || m_nOutlineMarginWidth <= 0)
        return RECT{};
    int left = client.left + std::max(0, m_nMarkerMarginWidth);
    if (m_bLineNumbers)
        left += std::max(0, m_nLineNumberMarginWidth);
    return RECT{left, client.top, left + m_nOutlineMarginWidth, client.bottom};
}

BOOL CKtvPEditCtrl::OnOutlineMarginClick(CPoint point)
{
    if (!m_bOutlining || !m_bOutlineMargin)
        return FALSE;
    const RECT margin = GetOutlineMarginRect();
    if (!::PtInRect(&margin, point))
        return FALSE;
    POINT hit{m_rectText.left, point.y};
    return ToggleOutliningAtLine(OffsetFromPoint(hit, FALSE, TRUE));
}

namespace ktvp_outline_ctrl {

// What the margin shows beside one row.
struct RowOutline {
    const CKtvPOutlineNode* pNode = nullptr;  // the outermost block starting on the row
    bool inside = false;                      // a block opened above runs into the row
    bool endsHere = false;                    // such a block ends on the row
    bool continues = false;                   // a block opened above goes on below
};

void ScanRowOutline(const CKtvPOutlineNode& parent, int nRowStart, int nRowLimit, RowOutline& row)
{
    for (POSITION pos = parent.m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        const auto* pChild = static_cast<const CKtvPOutlineNode*>(parent.m_lstNodes.GetNext(pos));
        if (pChild->m_nEnd < nRowStart)
            continue;
        if (pChild->m_nStart > nRowLimit)
            break;
        if (pChild->IsComplete()) {
            if (pChild->m_nStart >= nRowStart && row.pNode == nullptr)
                row.pNode = pChild;
            if (pChild->m_nStart < nRowStart) {
                row.inside = true;
                if (pChild->m_nEnd <= nRowLimit)
                    row.endsHere = true;
                else
                    row.continues = true;
            }
        }
        if (!pChild->m_bCollapsed)
            ScanRowOutline(*pChild, nRowStart, nRowLimit, row);
    }
}

}  // namespace ktvp_outline_ctrl

void CKtvPEditCtrl::OnDrawOutlineBar(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(&rect, GetDefaultBackColor());
    if (!m_bOutlining)
        return;
    const int rowHeight = std::max(1, m_nRowHeight);
    const int lastRow = std::min(VisibleRowOfLine(m_text.GetRowCount() - 1), m_nFirstVisibleRow + GetPageRows());
    for (int row = m_nFirstVisibleRow; row <= lastRow; ++row) {
        const int rowStart = VisualRowStart(row);
        const int rowLimit = VisualRowLimit(row);
        koc::RowOutline outline;
        koc::ScanRowOutline(m_outlineRoot, rowStart, rowLimit, outline);
        if (outline.pNode == nullptr && !outline.inside)
            continue;
        const int top = m_rectText.top + (row - m_nFirstVisibleRow) * rowHeight;
        const RECT cell{rect.left, top, rect.right, top + rowHeight};
        if (outline.pNode != nullptr) {
            const bool opensBelow = !outline.pNode->m_bCollapsed && outline.pNode->m_nEnd > rowLimit;
            OnDrawOutlineButton(pDC, cell, outline.pNode, outline.inside, outline.continues || opensBelow, FALSE);
        } else {
            OnDrawOutlineButton(pDC, cell, nullptr, TRUE, outline.continues, outline.endsHere);
        }
    }
}

void CKtvPEditCtrl::OnDrawOutlineButton(CDC* pDC, const RECT& rect, const CKtvPOutlineNode* pNode,
                                        BOOL bLineFromTop, BOOL bLineToBottom, BOOL bEndTick)
{
    CPen pen(PS_SOLID, 1, koc::kOutlineColor);
    CBrush brush(RGB(255, 255, 255));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const int x = (rect.left + rect.right) / 2;
    const int y = (rect.top + rect.bottom) / 2;
    if (pNode != nullptr) {
        pDC->Rectangle(x - 4, y - 4, x + 5, y + 5);
        pDC->MoveTo(x - 2, y);
        pDC->LineTo(x + 3, y);
        if (pNode->m_bCollapsed) {
            pDC->MoveTo(x, y - 2);
            pDC->LineTo(x, y + 3);
        }
        if (bLineFromTop) {
            pDC->MoveTo(x, rect.top);
            pDC->LineTo(x, y - 4);
        }
        if (bLineToBottom) {
            pDC->MoveTo(x, rect.bottom);
            pDC->LineTo(x, y + 4);
        }
    } else {
        if (bLineFromTop) {
            pDC->MoveTo(x, rect.top);
            pDC->LineTo(x, y);
            if (bEndTick)
                pDC->LineTo(x + 5, y);
        }
        if (bLineToBottom) {
            pDC->MoveTo(x, rect.bottom);
            pDC->LineTo(x, y);
        }
    }
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

// ---------------------------------------------------------------- folded blocks on screen

// The rectangle is kept in unscrolled text coordinates, so a hit test adds
// the horizontal scroll to the point.
void CKtvPEditCtrl::CalcCollapsedBlockRect(CDC*, int x, int y, CKtvPOutlineNode* pNode)
{
    const int left = x + m_nFirstVisibleColumn * m_nMaxCharWidth;
    pNode->m_rect = RECT{left, y, left + FoldWidth(pNode), y + std::max(1, m_nRowHeight)};
}

void CKtvPEditCtrl::OnDrawCollapsedBlock(CDC* pDC, CKtvPOutlineNode* pNode, COLORREF clrFrame, COLORREF clrBack)
{
    CRect rect(pNode->m_rect);
    rect.OffsetRect(-m_nFirstVisibleColumn * m_nMaxCharWidth, 0);
    CPen pen(PS_SOLID, 1, clrFrame);
    CBrush brush(clrBack);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom + 1);
    const COLORREF oldText = pDC->SetTextColor(clrFrame);
    const COLORREF oldBack = pDC->SetBkColor(clrBack);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect textRect = rect;
    textRect.DeflateRect(1, 1);
    pDC->DrawText(pNode->m_strReplace, -1, &textRect, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}
