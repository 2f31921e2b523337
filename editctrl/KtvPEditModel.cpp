#include "editctrl/KtvPEditModel.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/kernel/Utf8Text.h"

std::atomic<bool> CKtvPEditModel::s_bOverwriteMode{false};

namespace ktvp_model_detail {

// Division that rounds towards minus infinity, for points left of or above
// the text area.
int FloorDiv(int value, int divisor)
{
    if (divisor <= 0)
        return 0;
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// Columns of a stretch of UTF-8 text starting at a row start: characters,
// tabs to the next multiple of the tab width when they are kept.
int CountColumns(std::string_view text, int nTabWidth, bool bKeepTabs)
{
    int column = 0;
    for (char ch : text) {
        if (ch == '\t' && bKeepTabs && nTabWidth > 0)
            column = (column / nTabWidth + 1) * nTabWidth;
        else if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80)
            ++column;
    }
    return column;
}

}  // namespace ktvp_model_detail

using ktvp_model_detail::FloorDiv;

CKtvPEditModel::CKtvPEditModel()
    : m_strWordDelimiters(" \t\n,./?<>;:\"'{[}]~`%^&*()-+=!"),
      m_strSpecialDelimiters(";.{}\n"),
      m_strBlanks(" \n\t"),
      m_strIntelliSenseChars(".>:"),
      m_strIndentChars(" \t"),
      m_undo([this](CKtvPEditUndoAction* pAction) { OnRemoveUndoAction(pAction); }),
      m_markers(*this),
      m_pMetrics(&m_fixedMetrics)
{
    m_ptCaret.x = m_nMarkerMarginWidth;
    m_nHorzRange = m_nMaxLineLength;
    RecalcTextMetrics();
}

CKtvPEditModel::~CKtvPEditModel()
{
    // Announced while this object is still whole; the members then only free.
    m_markers.DeleteAllMarkers(static_cast<DWORD>(-1));
    ClearUndoList();
}

// ---------------------------------------------------------------- text

int CKtvPEditModel::GetVisibleRowCount() const
{
    const int count = m_text.GetLineFeedCount();
    if (!m_text.IsEmpty() && m_text.GetAt(m_text.GetLength() - 1) != '\n')
        return count + 1;
    return count;
}

BOOL CKtvPEditModel::SetText(LPCTSTR lpszText)
{
    m_nCaretOffset = 0;
    m_nSelStart = m_nSelEnd = -1;
    m_nFirstVisibleRow = m_nFirstVisibleColumn = m_nFirstVisibleOffset = 0;
    CString strText(lpszText);
    NormalizeInsertText(strText);
    m_text.SetText(std::string_view(strText.GetString(), static_cast<size_t>(strText.GetLength())));
    ClearUndoList();
    m_undo.SetSavePoint();

    m_nLongestRow = 0;
    const std::string_view view = m_text.View();
    for (int row = 0; row < m_text.GetRowCount(); ++row) {
        const int start = m_text.RowStart(row);
        const auto columns = ktvp_model_detail::CountColumns(
            view.substr(static_cast<size_t>(start), static_cast<size_t>(m_text.RowLimit(row) - start)), m_nTabWidth,
            m_bKeepTabs);
        m_nLongestRow = std::max(m_nLongestRow, columns);
    }
    if (!strText.IsEmpty())
        OnTextChanged(0, strText, TRUE);
    UpdateScrollBars();
    SetCaret(0, TRUE, FALSE);
    RedrawRows(0, -1);
    return TRUE;
}

int CKtvPEditModel::GetText(LPTSTR lpszBuffer, int nCount) const
{
    if (lpszBuffer == nullptr || nCount <= 0)
        return 0;
    int copied = std::min(nCount - 1, m_text.GetLength());
    // A sequence that does not fit whole is left out.
    while (copied > 0 && copied < m_text.GetLength() &&
           (static_cast<unsigned char>(m_text.GetAt(copied)) & 0xC0) == 0x80)
        --copied;
    std::memcpy(lpszBuffer, m_text.View().data(), static_cast<size_t>(copied));
    lpszBuffer[copied] = '\0';
    return copied;
}

CString CKtvPEditModel::GetTextRange(int nStart, int nEnd) const
{
    if (nStart > nEnd)
        std::swap(nStart, nEnd);
    return m_text.Mid(nStart, nEnd - nStart);
}

// ---------------------------------------------------------------- measures

void CKtvPEditModel::SetTextMetrics(const CKtvPTextMetrics* pMetrics)
{
    m_pMetrics = pMetrics != nullptr ? pMetrics : &m_fixedMetrics;
    RecalcTextMetrics();
}

void CKtvPEditModel::RecalcTextMetrics()
{
    std::fill(std::begin(m_asciiWidths), std::end(m_asciiWidths), -1);
    m_charWidths.clear();
    m_nRowHeight = std::max(m_nLineSpacing + m_pMetrics->GetHeight(), GetMinimumRowHeight());
    m_nMaxCharWidth = m_pMetrics->GetMaxCharWidth();
    m_nAveCharWidth = m_pMetrics->GetAveCharWidth();
    m_nTabPixelWidth = std::max(m_nTabWidth * GetCharWidth(' '), m_nTabWidth * GetCharWidth('/'));
    UpdateScrollBars();
}

void CKtvPEditModel::SetTextArea(const RECT& rect)
{
    m_rectText = rect;
    UpdateScrollBars();
}

int CKtvPEditModel::GetPageRows() const
{
    return m_nRowHeight > 0 ? (m_rectText.bottom - m_rectText.top) / m_nRowHeight : 0;
}

int CKtvPEditModel::GetPageColumns() const
{
    return m_nMaxCharWidth > 0 ? (m_rectText.right - m_rectText.left) / m_nMaxCharWidth : 0;
}

int CKtvPEditModel::GetCharWidth(char32_t ch) const
{
    if (ch < 128) {
        int& cached = m_asciiWidths[ch];
        if (cached < 0)
            cached = m_pMetrics->GetCharWidth(ch);
        return cached;
    }
    auto found = m_charWidths.find(ch);
    if (found != m_charWidths.end())
        return found->second;
    const int width = m_pMetrics->GetCharWidth(ch);
    m_charWidths.emplace(ch, width);
    return width;
}

int CKtvPEditModel::GetTabPixelWidth() const
{
    return m_nTabPixelWidth;
}

int CKtvPEditModel::MeasureRowText(int nRowStart, int nOffset) const
{
    int x = 0;
    for (int offset = nRowStart; offset < nOffset;) {
        int cellWidth = 0;
        if (const int cell = GetCellAt(offset, cellWidth); cell > 0) {
            if (offset + cell > nOffset)
                break;  // an offset inside a cell stands at its left edge
            x += cellWidth;
            offset += cell;
            continue;
        }
        int length = 1;
        const char32_t ch = m_text.CharAt(offset, &length);
        if (ch == U'\t' && m_bKeepTabs && m_nTabPixelWidth > 0)
            x = (x / m_nTabPixelWidth + 1) * m_nTabPixelWidth;
        else
            x += GetCharWidth(ch);
        offset += std::max(length, 1);
    }
    return x;
}

// ---------------------------------------------------------------- rows and columns

int CKtvPEditModel::GetRowStartOffset(int nOffset, BOOL) const
{
    if (nOffset < 0)
        return 0;
    return m_text.RowStartOfOffset(nOffset);
}

int CKtvPEditModel::GetRowEndOffset(int nOffset, BOOL) const
{
    const int limit = m_text.RowLimit(m_text.RowOfOffset(nOffset));
    if (limit < m_text.GetLength())
        return limit;
    return m_text.LastCharOffset();  // the start of the last character, never inside it
}

int CKtvPEditModel::GetRowEndColumn(int nOffset, int& nRowEnd, BOOL bConsiderCollapsed) const
{
    nRowEnd = GetRowEndOffset(nOffset);
    return GetColumnOfOffset(nRowEnd, bConsiderCollapsed);
}

int CKtvPEditModel::SkipBlanksForward(int nOffset, BOOL) const
{
    if (nOffset < 0)
        return 0;
    if (nOffset >= m_text.GetLength())
        return m_text.LastCharOffset();
    while (nOffset < m_text.GetLength() && m_text.GetAt(nOffset) != '\n' && IsBlank(m_text.GetAt(nOffset)))
        ++nOffset;
    return nOffset;
}

int CKtvPEditModel::GetRowStartByNumber(int nRow, BOOL) const
{
    return m_text.RowStart(nRow);
}

int CKtvPEditModel::OffsetToRow(int nOffset, BOOL, BOOL) const
{
    // Every row is visible while nothing is collapsed.
    return m_text.RowOfOffset(nOffset);
}

int CKtvPEditModel::GetVisibleRowOfLine(int nRow, BOOL) const
{
    return nRow;
}

int CKtvPEditModel::CountChar(LPCTSTR lpszText, TCHAR ch)
{
    if (lpszText == nullptr)
        return 0;
    return static_cast<int>(std::count(lpszText, lpszText + std::strlen(lpszText), ch));
}

int CKtvPEditModel::CountCharInRange(int nStart, int nEnd, TCHAR ch, BOOL) const
{
    return m_text.CountChar(nStart, nEnd, ch);
}

int CKtvPEditModel::GetColumnOfOffset(int nOffset, BOOL) const
{
    nOffset = std::clamp(nOffset, 0, m_text.GetLength());
    int column = 0;
    for (int offset = m_text.RowStartOfOffset(nOffset); offset < nOffset; offset = m_text.NextChar(offset)) {
        if (m_text.GetAt(offset) == '\t' && m_bKeepTabs && m_nTabWidth > 0)
            column = (column / m_nTabWidth + 1) * m_nTabWidth;
        else
            ++column;
    }
    return column;
}

int CKtvPEditModel::GetOffsetOfColumn(int nColumn, int nOffsetInRow, BOOL, BOOL) const
{
    const int row = m_text.RowOfOffset(nOffsetInRow);
    const int limit = m_text.RowLimit(row);
    int column = 0;
    int offset = m_text.RowStart(row);
    while (offset < limit && column < nColumn) {
        if (m_text.GetAt(offset) == '\t' && m_bKeepTabs && m_nTabWidth > 0)
            column = (column / m_nTabWidth + 1) * m_nTabWidth;
        else
            ++column;
        offset = m_text.NextChar(offset);
    }
    return offset;
}

void CKtvPEditModel::NoteRowLength(int nRow)
{
    const int start = m_text.RowStart(nRow);
    if (start < 0)
        return;
    const int limit = m_text.RowLimit(nRow);
    const int columns = ktvp_model_detail::CountColumns(
        m_text.View().substr(static_cast<size_t>(start), static_cast<size_t>(limit - start)), m_nTabWidth,
        m_bKeepTabs);
    m_nLongestRow = std::max(m_nLongestRow, columns);
}

// ---------------------------------------------------------------- points

BOOL CKtvPEditModel::OffsetToPoint(int nOffset, POINT& pt, POINT* pRowColumn, int* pWantedScrollColumn) const
{
    nOffset = std::clamp(nOffset, 0, m_text.GetLength());
    const int row = m_text.RowOfOffset(nOffset);
    const int width = MeasureRowText(m_text.RowStart(row), nOffset);
    const int rawX = m_rectText.left + width - m_nFirstVisibleColumn * m_nMaxCharWidth;
    pt.x = std::max(rawX, static_cast<int>(m_rectText.left) + 1);
    pt.y = m_rectText.top + (row - m_nFirstVisibleRow) * m_nRowHeight;
    if (pRowColumn) {
        pRowColumn->x = GetColumnOfOffset(nOffset, TRUE);
        pRowColumn->y = row;
    }
    if (pWantedScrollColumn) {
        int wanted = m_nFirstVisibleColumn;
        if (m_nMaxCharWidth > 0) {
            if (rawX < m_rectText.left + m_nMaxCharWidth + 1) {
                wanted = m_nFirstVisibleColumn + FloorDiv(rawX - m_rectText.left - 1, m_nMaxCharWidth) -
                         m_nLeftScrollMargin;
            } else if (rawX >= m_rectText.right - m_nMaxCharWidth) {
                const int visibleColumns = GetPageColumns();
                wanted = m_nFirstVisibleColumn + (rawX - m_rectText.right) / m_nMaxCharWidth +
                         std::max(1, visibleColumns * m_nRightScrollStep / 100);
            }
        }
        *pWantedScrollColumn = wanted;
    }
    return TRUE;
}

int CKtvPEditModel::OffsetFromPoint(POINT& pt, BOOL bUpdatePoint, BOOL bEvenOutside) const
{
    const bool inside = pt.x >= m_rectText.left && pt.x < m_rectText.right && pt.y >= m_rectText.top &&
                        pt.y < m_rectText.bottom;
    if (!inside && !bEvenOutside)
        return -1;
    if (m_nRowHeight <= 0)
        return -1;
    const int row = std::max(0, m_nFirstVisibleRow + FloorDiv(pt.y - m_rectText.top, m_nRowHeight));
    int result = m_text.GetLength();
    if (row < m_text.GetRowCount()) {
        const int origin = m_rectText.left + 1 - m_nFirstVisibleColumn * m_nMaxCharWidth;
        const int limit = m_text.RowLimit(row);
        result = limit;
        int x = origin;
        for (int offset = m_text.RowStart(row); offset < limit;) {
            int length = 1;
            int next = x;
            int cellWidth = 0;
            if (const int cell = GetCellAt(offset, cellWidth); cell > 0) {
                length = cell;
                next = x + cellWidth;
            } else {
                const char32_t ch = m_text.CharAt(offset, &length);
                next = x + GetCharWidth(ch);
                if (ch == U'\t' && m_bKeepTabs && m_nTabPixelWidth > 0)
                    next = origin + ((x - origin) / m_nTabPixelWidth + 1) * m_nTabPixelWidth;
            }
            // The caret goes to the nearer edge of the character under the point.
            if (x + (next - x) / 2 >= pt.x) {
                result = offset;
                break;
            }
            x = next;
            offset += std::max(length, 1);
        }
    }
    if (bUpdatePoint)
        OffsetToPoint(result, pt);
    return result;
}

// ---------------------------------------------------------------- hooks

BOOL CKtvPEditModel::CanInsertText(LPCTSTR, int)
{
    return TRUE;
}

BOOL CKtvPEditModel::CanDeleteText(int, LPCTSTR)
{
    return TRUE;
}

void CKtvPEditModel::OnTextChanged(int, LPCTSTR, BOOL) {}

void CKtvPEditModel::OnFailedOperation(DWORD) {}

void CKtvPEditModel::RedrawRows(int, int) {}

void CKtvPEditModel::RedrawTextRange(int, int) {}

void CKtvPEditModel::RedrawMarkerCell(int, BOOL) {}

void CKtvPEditModel::SetWordColor(LPCTSTR lpszWord, COLORREF clrText, COLORREF clrBack, BOOL bCaseSensitive)
{
    m_colorRules.SetWordColor(lpszWord, clrText, clrBack, bCaseSensitive);
}

CKtvPColorBlock* CKtvPEditModel::AddColorBlock(LPCTSTR lpszStart, LPCTSTR lpszEnd, BOOL bWholeText, COLORREF clrText,
                                               COLORREF clrBack)
{
    return m_colorRules.AddColorBlock(lpszStart, lpszEnd, bWholeText, clrText, clrBack);
}

void CKtvPEditModel::RemoveXMLSettings()
{
    m_colorRules.RemoveAll();
}

BOOL CKtvPEditModel::GetWordColor(LPCTSTR lpszWord, COLORREF& clrText, COLORREF& clrBack, int)
{
    if (lpszWord == nullptr || !m_colorRules.LookupWord(lpszWord, clrText, clrBack))
        return FALSE;
    if (clrText == static_cast<COLORREF>(-1))
        clrText = GetDefaultTextColor();
    if (clrBack == static_cast<COLORREF>(-1))
        clrBack = GetDefaultBackColor();
    return TRUE;
}

BOOL CKtvPEditModel::IsColorBlockDelimiterNear(int nOffset) const
{
    return m_colorRules.IsColorBlockDelimiterNear(m_text.View(), nOffset);
}

COLORREF CKtvPEditModel::GetDefaultTextColor() const
{
    return m_clrText != static_cast<COLORREF>(-1) ? m_clrText : RGB(0, 0, 0);
}

COLORREF CKtvPEditModel::GetDefaultBackColor() const
{
    return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : RGB(255, 255, 255);
}

BOOL CKtvPEditModel::IsWordDelimiter(char ch) const
{
    return ch != '\0' && m_strWordDelimiters.Find(ch) >= 0;
}

BOOL CKtvPEditModel::IsSpecialDelimiter(char ch) const
{
    return ch != '\0' && m_strSpecialDelimiters.Find(ch) >= 0;
}

BOOL CKtvPEditModel::IsBlank(char ch) const
{
    return ch != '\0' && m_strBlanks.Find(ch) >= 0;
}

void CKtvPEditModel::SetOverwriteMode(BOOL bOn)
{
    s_bOverwriteMode = bOn != FALSE;
}

BOOL CKtvPEditModel::GetOverwriteMode() const
{
    return s_bOverwriteMode ? TRUE : FALSE;
}
