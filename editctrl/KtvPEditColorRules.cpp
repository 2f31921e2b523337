#include "editctrl/KtvPEditColorRules.h"

#include <algorithm>
#include <cstring>

namespace ktvp_color_detail {

std::string_view ViewOf(const CString& str)
{
    return std::string_view(str.GetString(), static_cast<size_t>(str.GetLength()));
}

}  // namespace ktvp_color_detail

using ktvp_color_detail::ViewOf;

void CKtvPEditColorRules::SetWordColor(LPCTSTR lpszWord, COLORREF clrText, COLORREF clrBack, BOOL bCaseSensitive)
{
    CString strWord(lpszWord);
    if (strWord.IsEmpty())
        return;
    if (!bCaseSensitive)
        strWord.MakeUpper();
    m_words[std::string(ViewOf(strWord))] = WordColor{clrText, clrBack, bCaseSensitive};
}

BOOL CKtvPEditColorRules::LookupWord(std::string_view word, COLORREF& clrText, COLORREF& clrBack) const
{
    if (word.empty())
        return FALSE;
    auto found = m_words.find(std::string(word));
    if (found == m_words.end()) {
        CString strUpper(word.data(), static_cast<int>(word.size()));
        strUpper.MakeUpper();
        found = m_words.find(std::string(ViewOf(strUpper)));
        if (found == m_words.end() || found->second.bCaseSensitive)
            return FALSE;
    }
    clrText = found->second.clrText;
    clrBack = found->second.clrBack;
    return TRUE;
}

CKtvPColorBlock* CKtvPEditColorRules::AddColorBlock(LPCTSTR lpszStart, LPCTSTR lpszEnd, BOOL bWholeText,
                                                    COLORREF clrText, COLORREF clrBack)
{
    CKtvPColorBlock block;
    block.m_strStart = lpszStart;
    block.m_strEnd = lpszEnd;
    block.m_bWholeText = bWholeText;
    block.m_clrText = clrText;
    block.m_clrBack = clrBack;
    if (block.m_strStart.GetLength() > 4 || block.m_strEnd.GetLength() > 4)
        return nullptr;
    if (bWholeText) {
        if (block.m_strStart.IsEmpty() || block.m_strEnd.IsEmpty())
            return nullptr;
        for (const CKtvPColorBlock& existing : m_blocks) {
            if (existing.m_bWholeText)
                return nullptr;
        }
    }
    auto position = std::find_if(m_blocks.begin(), m_blocks.end(), [&](const CKtvPColorBlock& existing) {
        return existing.m_strStart.GetLength() <= block.m_strStart.GetLength();
    });
    return &*m_blocks.insert(position, block);
}

void CKtvPEditColorRules::RemoveAll()
{
    m_words.clear();
    m_blocks.clear();
}

// The first end string at or after `from` and before `limit` that no escape
// character precedes; npos as -1 when there is none.
int CKtvPEditColorRules::FindEndString(std::string_view text, const CKtvPColorBlock& block, size_t from,
                                       size_t limit) const
{
    const std::string_view end = ViewOf(block.m_strEnd);
    if (end.empty())
        return -1;
    for (size_t at = text.find(end, from); at != std::string_view::npos && at + end.size() <= limit;
         at = text.find(end, at + 1)) {
        const bool escaped = at > 0 && m_strEscapeChars.Find(text[at - 1]) >= 0;
        if (!escaped)
            return static_cast<int>(at);
    }
    return -1;
}

void CKtvPEditColorRules::CollectColorBlocks(std::string_view text, int nFrom, int nTo,
                                             std::vector<KtvPBlockOccurrence>& found,
                                             const CKtvPColorBlock* pLeaveOut) const
{
    if (text.empty())
        return;
    nFrom = std::max(nFrom, 0);
    nTo = std::min(nTo, static_cast<int>(text.size()) - 1);
    const size_t limit = static_cast<size_t>(nTo) + 1;
    size_t search = static_cast<size_t>(nFrom);
    while (search < limit) {
        const CKtvPColorBlock* pRule = nullptr;
        size_t ruleStart = std::string_view::npos;
        for (const CKtvPColorBlock& block : m_blocks) {
            if (&block == pLeaveOut || block.m_strStart.IsEmpty())
                continue;
            const std::string_view start = ViewOf(block.m_strStart);
            const size_t at = text.substr(0, limit).find(start, search);
            if (at < ruleStart) {  // ties go to the earlier, longer rule
                ruleStart = at;
                pRule = &block;
            }
        }
        if (pRule == nullptr)
            return;

        const size_t afterStart = ruleStart + static_cast<size_t>(pRule->m_strStart.GetLength());
        int end = nTo;
        const int endString = FindEndString(text, *pRule, afterStart, limit);
        if (endString >= 0)
            end = endString + pRule->m_strEnd.GetLength() - 1;
        if (!pRule->m_bWholeText) {
            const size_t lineFeed = text.substr(0, limit).find('\n', afterStart);
            if (lineFeed != std::string_view::npos && (endString < 0 || static_cast<int>(lineFeed) < endString))
                end = static_cast<int>(lineFeed);
        }
        found.push_back(KtvPBlockOccurrence{static_cast<int>(ruleStart), end, pRule->m_clrText, pRule->m_clrBack});
        search = std::max(static_cast<size_t>(end) + 1, ruleStart + 1);
    }
}

const CKtvPColorBlock* CKtvPEditColorRules::FindOpenColorBlock(std::string_view text, int nOffset) const
{
    const CKtvPColorBlock* pWhole = nullptr;
    for (const CKtvPColorBlock& block : m_blocks) {
        if (block.m_bWholeText)
            pWhole = &block;
    }
    if (pWhole == nullptr || text.empty())
        return nullptr;
    const std::string_view start = ViewOf(pWhole->m_strStart);
    const std::string_view end = ViewOf(pWhole->m_strEnd);
    nOffset = std::min(nOffset, static_cast<int>(text.size()));
    long pos = static_cast<long>(nOffset) - 1;  // the last place a string may start
    while (pos >= 0) {
        const long lastEndStart = static_cast<long>(nOffset) - static_cast<long>(end.size());
        const long endAt = LastOccurrence(text, end, std::min(pos, lastEndStart));
        const long startAt = LastOccurrence(text, start, pos);
        if (startAt < 0 || endAt >= startAt)
            return nullptr;  // no start, or the last block before the offset is closed
        // A start inside another rule's stretch on its own row (a string or a
        // row comment) starts nothing; the scan goes on before that stretch.
        const size_t at = static_cast<size_t>(startAt);
        const size_t rowBreak = at == 0 ? std::string_view::npos : text.rfind('\n', at - 1);
        const int from = rowBreak == std::string_view::npos ? 0 : static_cast<int>(rowBreak) + 1;
        std::vector<KtvPBlockOccurrence> onRow;
        CollectColorBlocks(text, from, static_cast<int>(at + start.size()) - 1, onRow, pWhole);
        const auto container = std::find_if(onRow.begin(), onRow.end(), [startAt](const KtvPBlockOccurrence& o) {
            return o.nStart <= startAt && startAt <= o.nEnd;
        });
        if (container == onRow.end())
            return pWhole;
        pos = static_cast<long>(container->nStart) - 1;
    }
    return nullptr;
}

// The last place at or before maxStart where the needle begins, -1 when
// none; the first byte is found with memrchr, which a long text needs.
long CKtvPEditColorRules::LastOccurrence(std::string_view text, std::string_view needle, long maxStart)
{
    if (needle.empty() || maxStart < 0)
        return -1;
    maxStart = std::min(maxStart, static_cast<long>(text.size()) - static_cast<long>(needle.size()));
    while (maxStart >= 0) {
        const void* hit = memrchr(text.data(), needle[0], static_cast<size_t>(maxStart) + 1);
        if (hit == nullptr)
            return -1;
        const long at = static_cast<const char*>(hit) - text.data();
        if (text.substr(static_cast<size_t>(at), needle.size()) == needle)
            return at;
        maxStart = at - 1;
    }
    return -1;
}

int CKtvPEditColorRules::FindColorBlockEnd(std::string_view text, const CKtvPColorBlock& block, int nFrom) const
{
    const int end = FindEndString(text, block, static_cast<size_t>(std::max(nFrom, 0)), text.size());
    if (end < 0)
        return static_cast<int>(text.size()) - 1;
    return end + block.m_strEnd.GetLength();
}

BOOL CKtvPEditColorRules::IsColorBlockDelimiterNear(std::string_view text, int nOffset) const
{
    const int from = std::max(0, nOffset - 4);
    const int to = std::min(static_cast<int>(text.size()), nOffset + 5);  // offset + 4 included
    if (to <= from)
        return FALSE;
    const std::string_view nearby = text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    for (const CKtvPColorBlock& block : m_blocks) {
        if (!block.m_strStart.IsEmpty() && nearby.find(ViewOf(block.m_strStart)) != std::string_view::npos)
            return TRUE;
        if (!block.m_strEnd.IsEmpty() && nearby.find(ViewOf(block.m_strEnd)) != std::string_view::npos)
            return TRUE;
    }
    return FALSE;
}
