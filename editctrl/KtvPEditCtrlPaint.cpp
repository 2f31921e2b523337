// The edit control's painting: margins with markers and line numbers, and
// the text coloured by selection, line-colour markers, colour blocks,
// keywords and highlight markers, drawn on a memory DC.
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/win32/gdi/SystemColors.h"

namespace ktvp_paint {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr COLORREF kLineNumberColor = RGB(0, 130, 132);
constexpr COLORREF kBookmarkColor = RGB(0, 255, 255);
constexpr COLORREF kFoldFrameColor = RGB(128, 128, 128);

struct CharColor {
    COLORREF text;
    COLORREF back;
    bool set;  // a rule coloured it; keywords and hooks leave it be
    bool link = false;
};

// One row as the view shows it: a line, with the lines that folds on it
// hide, up to the line feed that ends the last of them.
struct VisualRow {
    int start;
    int limit;
    int line;
};

COLORREF OrDefault(COLORREF color, COLORREF fallback)
{
    return color == kNoColor ? fallback : color;
}

}  // namespace ktvp_paint

void CKtvPEditCtrl::OnPaint()
{
    CPaintDC paintDC(this);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int width = std::max<int>(1, client.right - client.left);
    const int height = std::max<int>(1, client.bottom - client.top);
    CDC memDC;
    CBitmap bitmap;
    CDC* pDC = &paintDC;
    CBitmap* pOldBitmap = nullptr;
    if (memDC.CreateCompatibleDC(&paintDC) && bitmap.CreateCompatibleBitmap(&paintDC, width, height)) {
        pOldBitmap = memDC.SelectObject(&bitmap);
        pDC = &memDC;
    }
    PaintClient(pDC);
    if (pDC == &memDC) {
        paintDC.BitBlt(0, 0, width, height, &memDC, 0, 0, SRCCOPY);
        memDC.SelectObject(pOldBitmap);
    }
}

void CKtvPEditCtrl::PaintClient(CDC* pDC)
{
    // Edits and undo count the first row by lines; with folds it is the
    // visual row of the first visible offset.
    if (!GetFoldSpans().empty())
        m_nFirstVisibleRow = VisibleRowOfLine(m_text.RowOfOffset(m_nFirstVisibleOffset));
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    OnFillBackground(pDC);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(GetDefaultTextColor());
    HFONT font = m_hFont != nullptr ? m_hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ oldFont = ::SelectObject(pDC->GetSafeHdc(), font);

    const int shift = m_nFirstVisibleRow * std::max(1, m_nRowHeight);
    int left = client.left;
    if (m_nMarkerMarginWidth > 0) {
        OnDrawSideBar(pDC, CRect(left, client.top - shift, left + m_nMarkerMarginWidth, client.bottom));
        left += m_nMarkerMarginWidth;
    }
    if (m_bLineNumbers && m_nLineNumberMarginWidth > 0) {
        OnDrawLineNumbersBar(pDC, CRect(left, client.top, left + m_nLineNumberMarginWidth, client.bottom));
        left += m_nLineNumberMarginWidth;
    }
    if (m_bOutlineMargin && m_nOutlineMarginWidth > 0)
        OnDrawOutlineBar(pDC, CRect(left, client.top, left + m_nOutlineMarginWidth, client.bottom));
    if (GetTextLength() > 0) {
        pDC->SaveDC();
        pDC->IntersectClipRect(&m_rectText);
        OnDraw(pDC);
        pDC->RestoreDC(-1);
    }
    ::SelectObject(pDC->GetSafeHdc(), oldFont);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
}

void CKtvPEditCtrl::OnFillBackground(CDC* pDC)
{
    pDC->FillSolidRect(&m_rectText, GetDefaultBackColor());
}

void CKtvPEditCtrl::OnDrawSideBar(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(&rect, GetSysColor(COLOR_3DLIGHT));
    const int rowHeight = std::max(1, m_nRowHeight);
    const int firstRow = m_nFirstVisibleRow;
    const int lastRow = firstRow + GetPageRows() + 1;
    CObList markers;
    GetMarkersInRange(LineOfVisibleRow(firstRow), markers, static_cast<DWORD>(-1), LineOfVisibleRow(lastRow + 1) - 1);
    // The list holds the highest priority first: drawn last, it lies on top.
    for (POSITION pos = markers.GetTailPosition(); pos != nullptr;) {
        auto* pMarker = static_cast<CKtvPEditMarker*>(markers.GetPrev(pos));
        const int visibleRow = VisibleRowOfLine(pMarker->m_nLine);
        if (LineOfVisibleRow(visibleRow) != pMarker->m_nLine)
            continue;  // a line a fold hides
        const int top = m_rectText.top + (visibleRow - firstRow) * rowHeight;
        OnDrawMarker(pDC, CRect(rect.left, top, rect.right, top + rowHeight), pMarker);
    }
}

void CKtvPEditCtrl::OnDrawMarker(CDC* pDC, CRect rect, const CKtvPEditMarker* pMarker)
{
    if ((pMarker->m_dwMarkerType & KTVP_MARKER_BOOKMARK) == 0)
        return;
    const int inset = (m_nLineSpacing + 1) / 2;
    rect.DeflateRect(0, inset);
    CBrush brush(ktvp_paint::kBookmarkColor);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->RoundRect(rect.left, rect.top, rect.right, rect.bottom, 5, 5);
    pDC->SelectObject(pOldBrush);
}

void CKtvPEditCtrl::OnDrawLineNumbersBar(CDC* pDC, CRect rect)
{
    pDC->FillSolidRect(&rect, GetDefaultBackColor());
    // A one-pixel dotted line: every other pixel down the right edge.
    for (int y = rect.top + (rect.top & 1); y < rect.bottom; y += 2)
        pDC->SetPixel(rect.right - 1, y, ktvp_paint::kLineNumberColor);
    const int rowHeight = std::max(1, m_nRowHeight);
    const int lastRow = std::min(GetVisibleRowCount() - 1, m_nFirstVisibleRow + GetPageRows());
    // Each row shows its own line's number, so the row after a fold counts
    // the lines the fold hides.
    int rowStart = VisualRowStart(m_nFirstVisibleRow);
    int line = LineOfVisibleRow(m_nFirstVisibleRow);
    for (int row = m_nFirstVisibleRow; row <= lastRow && rowStart >= 0; ++row) {
        const int top = m_rectText.top + (row - m_nFirstVisibleRow) * rowHeight;
        OnDrawLineNumber(pDC, CRect(rect.left, top, rect.right - 2, top + rowHeight), line);
        int drawn = 0;
        rowStart = GetNextVisibleRowStart(rowStart, line, drawn);
    }
}

void CKtvPEditCtrl::OnDrawLineNumber(CDC* pDC, CRect rect, int nRow)
{
    char number[16];
    std::snprintf(number, sizeof(number), "%d", nRow + 1);
    const int inset = (m_nLineSpacing + 1) / 2;
    rect.DeflateRect(0, inset);
    if (pDC->GetTextExtent(number, static_cast<int>(std::strlen(number))).cx > rect.Width())
        return;
    const COLORREF oldColor = pDC->SetTextColor(ktvp_paint::kLineNumberColor);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(number, -1, &rect, DT_RIGHT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
}

int CKtvPEditCtrl::OnDrawText(CDC* pDC, const CString& strText, CRect rect, int /*nTabOrigin*/)
{
    const int inset = m_nLineSpacing > 0 ? m_nLineSpacing / 2 : 0;
    pDC->TextOut(rect.left, rect.top + inset, strText, strText.GetLength());
    return rect.Width();
}

void CKtvPEditCtrl::OnDraw(CDC* pDC)
{
    using ktvp_paint::CharColor;
    using ktvp_paint::OrDefault;
    const std::string_view text = m_text.View();
    using ktvp_paint::VisualRow;
    const int rowHeight = std::max(1, m_nRowHeight);
    const int firstRow = m_nFirstVisibleRow;
    const int lastRow = std::min(VisibleRowOfLine(m_text.GetRowCount() - 1), firstRow + GetPageRows());
    if (firstRow > lastRow)
        return;
    std::vector<VisualRow> rows;
    for (int row = firstRow; row <= lastRow; ++row)
        rows.push_back(VisualRow{VisualRowStart(row), VisualRowLimit(row), LineOfVisibleRow(row)});
    const int first = rows.front().start;
    const int last = rows.back().limit;  // the line feed or the text end, included
    const int count = last - first + 1;
    const COLORREF defText = GetDefaultTextColor();
    const COLORREF defBack = GetDefaultBackColor();
    std::vector<CharColor> colors(static_cast<size_t>(count), CharColor{defText, defBack, false});
    auto colorAt = [&](int offset) -> CharColor& { return colors[static_cast<size_t>(offset - first)]; };

    // Colour blocks, beginning with one that opened above the view.
    int blocksFrom = first;
    if (const CKtvPColorBlock* pOpen = m_colorRules.FindOpenColorBlock(text, first)) {
        const int end = m_colorRules.FindColorBlockEnd(text, *pOpen, first);
        for (int offset = first; offset < std::min(end, last + 1); ++offset)
            colorAt(offset) = {OrDefault(pOpen->m_clrText, defText), OrDefault(pOpen->m_clrBack, defBack), true};
        blocksFrom = end;
    }
    std::vector<KtvPBlockOccurrence> blocks;
    if (blocksFrom <= last && blocksFrom < static_cast<int>(text.size()))
        m_colorRules.CollectColorBlocks(text, blocksFrom, std::min(last, static_cast<int>(text.size()) - 1), blocks);
    for (const auto& block : blocks) {
        for (int offset = std::max(block.nStart, first); offset <= std::min(block.nEnd, last); ++offset) {
            if (!colorAt(offset).set)
                colorAt(offset) = {OrDefault(block.clrText, defText), OrDefault(block.clrBack, defBack), true};
        }
    }

    // Keywords colour what no block took.
    for (int offset = first; offset <= last && offset < static_cast<int>(text.size());) {
        if (IsWordDelimiter(text[offset])) {
            ++offset;
            continue;
        }
        int end = offset;
        while (end < static_cast<int>(text.size()) && !IsWordDelimiter(text[end]))
            ++end;
        COLORREF wordText = defText;
        COLORREF wordBack = defBack;
        const CString strWord(text.data() + offset, end - offset);
        GetWordColor(strWord, wordText, wordBack, offset);
        CharColor hook{wordText, wordBack, false};
        const BOOL claimed = OnGetWordColor(offset, end, hook.text, hook.back, FALSE);
        for (int at = offset; at < end && at <= last; ++at) {
            if (claimed)
                colorAt(at) = {hook.text, hook.back, true};
            else if (!colorAt(at).set)
                colorAt(at) = {wordText, wordBack, false};
        }
        offset = end;
    }

    // Links take the link colour over words; the selection still covers them.
    if (IsHyperlinkSupportEnabled()) {
        const int hotStart = m_nHotLink >= 0 && m_nHotLink < GetHyperlinkCount()
                                 ? m_arrHyperlinks[static_cast<size_t>(m_nHotLink)].nStart
                                 : -1;
        ClearFoundHyperlinks();
        m_nHotLink = -1;
        const int textEnd = std::min(last + 1, static_cast<int>(text.size()));
        for (int offset = first; offset < textEnd;) {
            if (IsBlank(text[offset])) {
                ++offset;
                continue;
            }
            int end = offset;
            while (end < textEnd && !IsBlank(text[end]))
                ++end;
            CString strUrl;
            int urlStart = -1;
            if (FindHyperlink(offset, end, strUrl, urlStart)) {
                AddFoundHyperlink(strUrl, urlStart);
                for (int at = urlStart; at < urlStart + strUrl.GetLength(); ++at) {
                    colorAt(at).link = true;
                    if (m_bHighlightHyperlinks)
                        colorAt(at).text = m_clrHyperlink;
                }
            }
            offset = end;
        }
        if (hotStart >= 0)
            m_nHotLink = GetHyperlinkIndexAt(hotStart);
    }

    // Line-colour markers, the highest priority first, over blocks and words.
    CObList lineMarkers;
    GetMarkers(lineMarkers, KTVP_MARKER_LINE_COLOR);
    std::vector<const CKtvPLineColorMarker*> rowMarker(rows.size(), nullptr);
    for (POSITION pos = lineMarkers.GetHeadPosition(); pos != nullptr;) {
        const auto* pMarker = dynamic_cast<const CKtvPLineColorMarker*>(lineMarkers.GetNext(pos));
        if (pMarker == nullptr)
            continue;
        for (size_t index = 0; index < rows.size(); ++index) {
            if (rows[index].line >= pMarker->m_nLine && rows[index].line <= pMarker->GetLastLine() &&
                rowMarker[index] == nullptr)
                rowMarker[index] = pMarker;
        }
    }
    for (size_t index = 0; index < rows.size(); ++index) {
        const CKtvPLineColorMarker* pMarker = rowMarker[index];
        if (pMarker == nullptr)
            continue;
        for (int offset = rows[index].start; offset <= rows[index].limit; ++offset)
            colorAt(offset) = {OrDefault(pMarker->m_clrText, defText), OrDefault(pMarker->m_clrBack, defBack), true,
                               colorAt(offset).link};
    }

    // Highlight markers, then the owner's say on what no rule coloured.
    CObList hilites;
    GetMarkers(hilites, KTVP_MARKER_HILITE);
    for (POSITION pos = hilites.GetHeadPosition(); pos != nullptr;) {
        const auto* pMarker = dynamic_cast<const CKtvPHiliteMarker*>(hilites.GetNext(pos));
        if (pMarker == nullptr)
            continue;
        for (int offset = std::max(first, pMarker->m_nStart); offset < std::min(last + 1, pMarker->m_nEnd); ++offset)
            colorAt(offset) = {OrDefault(pMarker->m_clrText, defText), OrDefault(pMarker->m_clrBack, defBack), true};
    }
    for (int offset = first; offset <= last && offset < static_cast<int>(text.size()); ++offset) {
        if (!colorAt(offset).set)
            OnGetCharColor(text[offset], offset, colorAt(offset).text, colorAt(offset).back);
    }

    // The selection is above everything.
    const BOOL focused = ::GetFocus() == m_hWnd;
    if (HasSelection()) {
        const int selLow = std::max(first, std::min(m_nSelStart, m_nSelEnd));
        const int selHigh = std::min(last + 1, std::max(m_nSelStart, m_nSelEnd));
        for (int offset = selLow; offset < selHigh; ++offset)
            colorAt(offset) = {focused ? m_clrSelText : m_clrSelTextUnfocused,
                               focused ? m_clrSelBack : m_clrSelBackUnfocused, true, colorAt(offset).link};
    }

    // Runs of one colour pair, placed where the caret arithmetic places them.
    const int originX = m_rectText.left - m_nFirstVisibleColumn * m_nMaxCharWidth;
    pDC->SetBkMode(TRANSPARENT);
    // Widths are summed along the row once: tabs go to the next stop as
    // MeasureRowText places them, so text lands where the caret says.
    auto advance = [&](int x, int from, int to) {
        for (int offset = from; offset < to;) {
            int length = 1;
            const char32_t ch = m_text.CharAt(offset, &length);
            if (ch == U'\t' && m_bKeepTabs && m_nTabPixelWidth > 0)
                x = (x / m_nTabPixelWidth + 1) * m_nTabPixelWidth;
            else
                x += GetCharWidth(ch);
            offset += std::max(length, 1);
        }
        return x;
    };
    CFont* pLinkFont = m_fontHyperlink.GetSafeHandle() != nullptr ? &m_fontHyperlink : nullptr;
    for (size_t index = 0; index < rows.size(); ++index) {
        const int rowStart = rows[index].start;
        const int rowLimit = rows[index].limit;
        const int top = m_rectText.top + static_cast<int>(index) * rowHeight;
        int width = 0;  // of the row's text before runStart
        for (int runStart = rowStart; runStart < rowLimit;) {
            // A folded block shows its replacement text in a frame.
            if (const FoldSpan* pFold = FoldStartingAt(runStart)) {
                CalcCollapsedBlockRect(pDC, originX + width, top, pFold->pNode);
                OnDrawCollapsedBlock(pDC, pFold->pNode, ktvp_paint::kFoldFrameColor, colorAt(runStart).back);
                width += pFold->pNode->m_rect.right - pFold->pNode->m_rect.left;
                runStart = std::min(rowLimit, pFold->nEnd + 1);
                continue;
            }
            // A symbol is one cell holding its image.
            CKtvPEditSymbol symbol;
            if (const int cell = SymbolAt(runStart, &symbol); cell > 0) {
                const int cellWidth = SymbolCellWidth();
                pDC->FillSolidRect(originX + width, top, cellWidth, rowHeight, colorAt(runStart).back);
                DrawSymbolCell(pDC, originX + width, top, rowHeight, symbol);
                width += cellWidth;
                runStart = std::min(rowLimit, runStart + cell);
                continue;
            }
            const CharColor color = colorAt(runStart);
            int runEnd = runStart + 1;
            int cellWidth = 0;
            while (runEnd < rowLimit && colorAt(runEnd).text == color.text && colorAt(runEnd).back == color.back &&
                   colorAt(runEnd).link == color.link && FoldStartingAt(runEnd) == nullptr &&
                   (!m_bShowSymbols || GetCellAt(runEnd, cellWidth) == 0))
                ++runEnd;
            const int runWidthEnd = advance(width, runStart, runEnd);
            if (color.back != defBack)
                pDC->FillSolidRect(originX + width, top, runWidthEnd - width, rowHeight, color.back);
            pDC->SetTextColor(color.text);
            CFont* pOldFont = color.link && pLinkFont != nullptr ? pDC->SelectObject(pLinkFont) : nullptr;
            // Tabs are gaps: every stretch between them goes at its own x.
            int pieceWidth = width;
            for (int piece = runStart; piece < runEnd;) {
                const int pieceStart = piece;
                while (piece < runEnd && text[piece] == '\t')
                    ++piece;
                pieceWidth = advance(pieceWidth, pieceStart, piece);
                int pieceEnd = piece;
                while (pieceEnd < runEnd && text[pieceEnd] != '\t')
                    ++pieceEnd;
                if (pieceEnd > piece) {
                    const int pieceWidthEnd = advance(pieceWidth, piece, pieceEnd);
                    const CString strPiece(text.data() + piece, pieceEnd - piece);
                    OnDrawText(pDC, strPiece,
                               CRect(originX + pieceWidth, top, originX + pieceWidthEnd, top + rowHeight), originX);
                    pieceWidth = pieceWidthEnd;
                }
                piece = pieceEnd;
            }
            if (pOldFont != nullptr)
                pDC->SelectObject(pOldFont);
            width = runWidthEnd;
            runStart = runEnd;
        }
        const int rowEndX = originX + width;
        // A selected line end shows as one selected cell.
        if (rowLimit < static_cast<int>(text.size()) && HasSelection() &&
            rowLimit >= std::min(m_nSelStart, m_nSelEnd) && rowLimit < std::max(m_nSelStart, m_nSelEnd) &&
            rowMarker[index] == nullptr) {
            pDC->FillSolidRect(rowEndX, top, GetCharWidth(U' '), rowHeight, colorAt(rowLimit).back);
        }
        const CKtvPLineColorMarker* pMarker = rowMarker[index];
        if (pMarker != nullptr && pMarker->m_bFullLine)
            pDC->FillSolidRect(rowEndX, top, std::max(0, static_cast<int>(m_rectText.right) - rowEndX), rowHeight,
                               OrDefault(pMarker->m_clrBack, defBack));
    }
}
