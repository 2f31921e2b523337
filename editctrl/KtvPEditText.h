// The edit control's document: one UTF-8 string whose rows end with a line
// feed, with an index of row starts so that offset-to-row and row-to-offset
// questions do not scan the text. Offsets are byte indices; the helpers that
// step by characters never stop inside a UTF-8 sequence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/CString.h"

class CKtvPEditText {
public:
    CKtvPEditText();

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    std::string_view View() const { return m_text; }
    // The byte at the offset; NUL outside the text.
    char GetAt(int offset) const;
    CString Mid(int start, int count) const;
    CString GetString() const { return CString(m_text.data(), GetLength()); }

    void SetText(std::string_view text);
    void Insert(int offset, std::string_view text);
    void Delete(int offset, int count);

    // Rows: a text of n line feeds has n + 1 rows (the last may be empty).
    int GetLineFeedCount() const { return static_cast<int>(m_rowStarts.size()) - 1; }
    int GetRowCount() const { return static_cast<int>(m_rowStarts.size()); }
    // The row holding the offset (clamped to the text; the text length is on the last row).
    int RowOfOffset(int offset) const;
    // The first offset of the row, -1 for a row the text does not have.
    int RowStart(int row) const;
    // The offset of the row's line feed, or the text length on the last row.
    int RowLimit(int row) const;
    int RowStartOfOffset(int offset) const { return RowStart(RowOfOffset(offset)); }

    // Character stepping: the offset after the character at the offset, and
    // the start of the character before it (clamped to 0 ... length).
    int NextChar(int offset) const;
    int PrevChar(int offset) const;
    // The code point at the offset (0 at or past the end) and its byte length.
    char32_t CharAt(int offset, int* pLength = nullptr) const;
    // Offset of the start of the last character, -1 for an empty text.
    int LastCharOffset() const { return m_text.empty() ? -1 : PrevChar(GetLength()); }

    int CountChar(int start, int end, char ch) const;

private:
    void RebuildRowStarts();

    std::string m_text;
    std::vector<int> m_rowStarts;  // m_rowStarts[r] = offset of row r's first byte; [0] = 0
};
