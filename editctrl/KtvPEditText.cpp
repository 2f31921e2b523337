#include "editctrl/KtvPEditText.h"

#include <algorithm>

#include "platform/win32/kernel/Utf8Text.h"

CKtvPEditText::CKtvPEditText() : m_rowStarts{0} {}

char CKtvPEditText::GetAt(int offset) const
{
    if (offset < 0 || offset >= GetLength())
        return '\0';
    return m_text[static_cast<size_t>(offset)];
}

CString CKtvPEditText::Mid(int start, int count) const
{
    start = std::clamp(start, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - start);
    return CString(m_text.data() + start, count);
}

void CKtvPEditText::SetText(std::string_view text)
{
    // Room to type into a large text without moving all of it at once.
    std::string fresh;
    fresh.reserve(text.size() + text.size() / 8 + 4096);
    fresh.assign(text);
    m_text.swap(fresh);
    RebuildRowStarts();
}

void CKtvPEditText::RebuildRowStarts()
{
    m_rowStarts.assign(1, 0);
    for (size_t i = m_text.find('\n'); i != std::string::npos; i = m_text.find('\n', i + 1))
        m_rowStarts.push_back(static_cast<int>(i + 1));
}

void CKtvPEditText::Insert(int offset, std::string_view text)
{
    if (text.empty())
        return;
    offset = std::clamp(offset, 0, GetLength());
    const int row = RowOfOffset(offset);
    const int length = static_cast<int>(text.size());
    m_text.insert(static_cast<size_t>(offset), text);

    std::vector<int> newStarts;
    for (size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
        newStarts.push_back(offset + static_cast<int>(i) + 1);
    auto following = m_rowStarts.begin() + row + 1;
    for (auto it = following; it != m_rowStarts.end(); ++it)
        *it += length;
    m_rowStarts.insert(following, newStarts.begin(), newStarts.end());
}

void CKtvPEditText::Delete(int offset, int count)
{
    offset = std::clamp(offset, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - offset);
    if (count == 0)
        return;
    const int end = offset + count;
    m_text.erase(static_cast<size_t>(offset), static_cast<size_t>(count));

    // Row starts inside (offset, end] belong to removed line feeds.
    auto first = std::upper_bound(m_rowStarts.begin(), m_rowStarts.end(), offset);
    auto last = std::upper_bound(first, m_rowStarts.end(), end);
    auto kept = m_rowStarts.erase(first, last);
    for (auto it = kept; it != m_rowStarts.end(); ++it)
        *it -= count;
}

int CKtvPEditText::RowOfOffset(int offset) const
{
    offset = std::clamp(offset, 0, GetLength());
    auto it = std::upper_bound(m_rowStarts.begin(), m_rowStarts.end(), offset);
    return static_cast<int>(it - m_rowStarts.begin()) - 1;
}

int CKtvPEditText::RowStart(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return -1;
    return m_rowStarts[static_cast<size_t>(row)];
}

int CKtvPEditText::RowLimit(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return -1;
    if (row + 1 < GetRowCount())
        return m_rowStarts[static_cast<size_t>(row) + 1] - 1;
    return GetLength();
}

int CKtvPEditText::NextChar(int offset) const
{
    if (offset < 0)
        return 0;
    if (offset >= GetLength())
        return GetLength();
    size_t length = 0;
    tw::utf8::Decode(m_text.data() + offset, m_text.data() + m_text.size(), length);
    return offset + static_cast<int>(std::max<size_t>(length, 1));
}

int CKtvPEditText::PrevChar(int offset) const
{
    if (offset <= 0)
        return 0;
    offset = std::min(offset, GetLength());
    // A lead byte up to three bytes back counts only when its sequence ends
    // exactly here; otherwise the byte before is a character of its own.
    int lead = offset - 1;
    const int limit = std::max(0, offset - 4);
    while (lead > limit && (static_cast<unsigned char>(m_text[static_cast<size_t>(lead)]) & 0xC0) == 0x80)
        --lead;
    if (NextChar(lead) == offset)
        return lead;
    return offset - 1;
}

char32_t CKtvPEditText::CharAt(int offset, int* pLength) const
{
    if (offset < 0 || offset >= GetLength()) {
        if (pLength)
            *pLength = 0;
        return 0;
    }
    size_t length = 0;
    const char32_t ch = tw::utf8::Decode(m_text.data() + offset, m_text.data() + m_text.size(), length);
    if (pLength)
        *pLength = static_cast<int>(std::max<size_t>(length, 1));
    return ch;
}

int CKtvPEditText::CountChar(int start, int end, char ch) const
{
    start = std::clamp(start, 0, GetLength());
    end = std::clamp(end, start, GetLength());
    return static_cast<int>(std::count(m_text.begin() + start, m_text.begin() + end, ch));
}
