// Symbols on screen: with symbols shown, a symbol's characters are one cell
// as wide as its image, which the caret, the mouse and painting treat as a
// single character.
#include <algorithm>

#include "editctrl/KtvPEditCtrl.h"

void CKtvPEditCtrl::ShowSymbols(BOOL bShow)
{
    m_bShowSymbols = bShow;
    RecalcTextMetrics();
    if (m_hWnd == nullptr)
        return;
    OnSize();
    SetCaret(m_nCaretOffset, TRUE, FALSE);
    if (::GetFocus() == m_hWnd)
        CreateEditCaret();
    RedrawRows(0, -1);
}

void CKtvPEditCtrl::SetSymbolImageList(HIMAGELIST hImageList)
{
    m_hSymbolImageList = hImageList;
    ShowSymbols(m_bShowSymbols);
}

int CKtvPEditCtrl::SymbolAt(int nOffset, CKtvPEditSymbol* pSymbol) const
{
    const std::string_view text = m_text.View();
    if (!m_bShowSymbols || nOffset < 0 || nOffset >= static_cast<int>(text.size()))
        return 0;
    int extra = 0;
    // The lookup is an owner's hook and so not const; it only reads.
    auto* pThis = const_cast<CKtvPEditCtrl*>(this);
    if (!pThis->LookupSymbol(text.data(), nOffset, static_cast<int>(text.size()), text[nOffset], pSymbol, extra,
                             TRUE))
        return 0;
    // A key character that leads a longer UTF-8 sequence keeps its sequence whole.
    int charLength = 1;
    m_text.CharAt(nOffset, &charLength);
    return std::max(extra + 1, std::max(charLength, 1));
}

int CKtvPEditCtrl::SymbolCellWidth() const
{
    int cx = 0;
    int cy = 0;
    if (m_hSymbolImageList != nullptr && ImageList_GetIconSize(m_hSymbolImageList, &cx, &cy) && cx > 0)
        return cx;
    // Without images the owner's drawing gets a character's cell.
    return std::max(1, m_nMaxCharWidth);
}

int CKtvPEditCtrl::GetCellAt(int nOffset, int& nWidth) const
{
    const int length = SymbolAt(nOffset, nullptr);
    if (length > 0)
        nWidth = SymbolCellWidth();
    return length;
}

int CKtvPEditCtrl::GetMinimumRowHeight() const
{
    int cx = 0;
    int cy = 0;
    if (!m_bShowSymbols || m_hSymbolImageList == nullptr || !ImageList_GetIconSize(m_hSymbolImageList, &cx, &cy))
        return 0;
    return cy;
}

int CKtvPEditCtrl::CellBefore(int nOffset, int& nEnd) const
{
    nOffset = std::clamp(nOffset, 0, GetTextLength());
    nEnd = nOffset;
    if (nOffset == 0)
        return 0;
    const int previous = m_text.PrevChar(nOffset);
    if (!m_bShowSymbols)
        return previous;
    // Symbols are found from the row's start, as painting finds them, so a
    // sequence that could also be read backwards never splits a cell.
    for (int offset = m_text.RowStartOfOffset(previous); offset < nOffset;) {
        int width = 0;
        const int cell = GetCellAt(offset, width);
        const int next = cell > 0 ? offset + cell : m_text.NextChar(offset);
        if (next >= nOffset) {
            nEnd = next;
            return offset;
        }
        offset = next;
    }
    return previous;
}

void CKtvPEditCtrl::DrawSymbolCell(CDC* pDC, int x, int y, int nRowHeight, const CKtvPEditSymbol& symbol)
{
    const int width = SymbolCellWidth();
    if (OnDrawSymbol(pDC, x, y, x + width, y + nRowHeight, symbol) || m_hSymbolImageList == nullptr)
        return;
    const int imageHeight = GetMinimumRowHeight();
    const int top = y + std::max(0, (nRowHeight - imageHeight) / 2);
    ImageList_Draw(m_hSymbolImageList, symbol.m_nImage, pDC->GetSafeHdc(), x, top, ILD_TRANSPARENT);
}

// ---------------------------------------------------------------- word moves

// A word move stops at delimiters, which a symbol may hold: it never leaves
// the caret inside one.
BOOL CKtvPEditCtrl::MoveNextWord(BOOL bRedraw)
{
    const BOOL moved = CKtvPEditModel::MoveNextWord(bRedraw);
    int end = 0;
    if (m_bShowSymbols && CellBefore(m_nCaretOffset, end) < m_nCaretOffset && end > m_nCaretOffset)
        SetCaret(end, TRUE, bRedraw);
    return moved;
}

BOOL CKtvPEditCtrl::MovePrevWord(BOOL bRedraw)
{
    const BOOL moved = CKtvPEditModel::MovePrevWord(bRedraw);
    int end = 0;
    const int start = CellBefore(m_nCaretOffset, end);
    if (m_bShowSymbols && end > m_nCaretOffset)
        SetCaret(start, TRUE, bRedraw);
    return moved;
}
