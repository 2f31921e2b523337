#include "editctrl/KtvPEditSearch.h"

#include <algorithm>

namespace ktvp_search_detail {

// Letter case is folded for ASCII letters only, so every byte keeps its
// offset and multibyte characters compare as they are.
std::string FoldCase(std::string_view text)
{
    std::string folded(text);
    for (char& ch : folded) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return folded;
}

}  // namespace ktvp_search_detail

CKtvPEditSearch::CKtvPEditSearch(std::string_view text, std::string_view what, const Options& options,
                                 LPCTSTR lpszDelimiters)
    : m_options(options), m_strDelimiters(lpszDelimiters)
{
    m_text = options.bMatchCase ? std::string(text) : ktvp_search_detail::FoldCase(text);
    m_what = options.bMatchCase ? std::string(what) : ktvp_search_detail::FoldCase(what);
    // Searching up is searching down in the reversed text.
    if (!options.bDown) {
        std::reverse(m_text.begin(), m_text.end());
        std::reverse(m_what.begin(), m_what.end());
    }
}

int CKtvPEditSearch::ToSearchOffset(int nStart) const
{
    const int length = static_cast<int>(m_text.size());
    nStart = std::clamp(nStart, 0, length);
    return m_options.bDown ? nStart : length - nStart;
}

int CKtvPEditSearch::ToTextOffset(int nSearchOffset) const
{
    if (m_options.bDown)
        return nSearchOffset;
    return static_cast<int>(m_text.size()) - nSearchOffset - GetLength();
}

bool CKtvPEditSearch::IsDelimiter(char ch) const
{
    return m_strDelimiters.Find(ch) >= 0;
}

bool CKtvPEditSearch::IsWholeWordAt(int nOffset) const
{
    const int end = nOffset + GetLength();
    const bool startsWord = nOffset == 0 || IsDelimiter(m_text[static_cast<size_t>(nOffset) - 1]);
    const bool endsWord = end >= static_cast<int>(m_text.size()) || IsDelimiter(m_text[static_cast<size_t>(end)]);
    return startsWord && endsWord;
}

int CKtvPEditSearch::FindWithin(int nFrom, int nLimit, int nSkip) const
{
    const int size = GetLength();
    for (size_t at = m_text.find(m_what, static_cast<size_t>(std::max(0, nFrom))); at != std::string::npos;
         at = m_text.find(m_what, at + 1)) {
        const int offset = static_cast<int>(at);
        if (offset + size > nLimit)
            return -1;
        if (offset == nSkip)
            continue;
        if (!m_options.bWholeWord || IsWholeWordAt(offset))
            return offset;
    }
    return -1;
}

BOOL CKtvPEditSearch::FindFrom(int nStart, BOOL bSkipAtStart, int& nOffset) const
{
    nOffset = -1;
    const int size = GetLength();
    const int length = static_cast<int>(m_text.size());
    if (size == 0 || size > length)
        return FALSE;
    const int start = ToSearchOffset(nStart);
    int found = FindWithin(start, length, bSkipAtStart ? start : -1);
    // Round the end: what begins before the start, also across it.
    if (found < 0)
        found = FindWithin(0, std::min(length, start + size - 1), -1);
    if (found < 0)
        return FALSE;
    nOffset = ToTextOffset(found);
    return TRUE;
}

std::vector<int> CKtvPEditSearch::FindAllFrom(int nStart) const
{
    std::vector<int> offsets;
    const int size = GetLength();
    const int length = static_cast<int>(m_text.size());
    if (size == 0 || size > length)
        return offsets;
    const int start = ToSearchOffset(nStart);
    std::vector<int> found;
    for (int at = FindWithin(start, length, -1); at >= 0; at = FindWithin(at + size, length, -1))
        found.push_back(at);
    // Round the end, stopping short of the first occurrence already taken.
    const int wrapLimit = std::min({length, start + size - 1, found.empty() ? length : found.front()});
    for (int at = FindWithin(0, wrapLimit, -1); at >= 0; at = FindWithin(at + size, wrapLimit, -1))
        found.push_back(at);
    offsets.reserve(found.size());
    for (int at : found)
        offsets.push_back(ToTextOffset(at));
    return offsets;
}
