#include "editctrl/KtvPOutlineParser.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <tuple>

namespace ktvp_outline_parser {

// The word delimiters the control starts with; headers are always found
// with this set, whatever the settings say.
constexpr const char* kDefaultDelimiters = " \t\n,./?><;:\"'{[}]~`%^&*()-+=!";
constexpr const char* kHeaderStopChars = ";{}";
constexpr int kHeaderSearchLimit = 256;

bool IsHeaderBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n';
}

bool IsFixedDelimiter(char ch)
{
    return ch != '\0' && std::strchr(kDefaultDelimiters, ch) != nullptr;
}

void CountUnpaired(const CKtvPOutlineNode& parent, int& nStarts, int& nEnds)
{
    for (POSITION pos = parent.m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        const auto* pChild = static_cast<const CKtvPOutlineNode*>(parent.m_lstNodes.GetNext(pos));
        nStarts += pChild->m_dwFlags == KTVP_OUTLINE_UNPAIRED_START ? 1 : 0;
        nEnds += pChild->m_dwFlags == KTVP_OUTLINE_UNPAIRED_END ? 1 : 0;
        CountUnpaired(*pChild, nStarts, nEnds);
    }
}

void DeleteNodes(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

// The folded nodes of the subtrees in the list, the nodes themselves too.
void CollectFolded(const CObList& list, std::set<std::tuple<int, int, int>>& folded)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const auto* pNode = static_cast<const CKtvPOutlineNode*>(list.GetNext(pos));
        if (pNode->m_bCollapsed)
            folded.insert({pNode->m_nStart, pNode->m_nEnd, pNode->m_nBlockType});
        CollectFolded(pNode->m_lstNodes, folded);
    }
}

using FoldKey = std::tuple<int, int, int>;

FoldKey KeyOf(const CKtvPOutlineNode& node)
{
    return {node.m_nStart, node.m_nEnd, node.m_nBlockType};
}

}  // namespace ktvp_outline_parser

namespace kop = ktvp_outline_parser;

void CKtvPOutlineSkipList::Add(int nStart, int nEnd)
{
    auto it = m_covered.upper_bound(nStart);
    if (it != m_covered.begin() && std::prev(it)->second >= nStart)
        --it;
    while (it != m_covered.end() && it->first <= nEnd) {
        nStart = std::min(nStart, it->first);
        nEnd = std::max(nEnd, it->second);
        it = m_covered.erase(it);
    }
    m_covered.emplace(nStart, nEnd);
}

BOOL CKtvPOutlineSkipList::Contains(int nOffset) const
{
    auto it = m_covered.upper_bound(nOffset);
    if (it == m_covered.begin())
        return FALSE;
    return std::prev(it)->second >= nOffset;
}

CKtvPOutlineParser::CKtvPOutlineParser() : m_strDelimiters(kop::kDefaultDelimiters) {}

CKtvPOutlineParser::~CKtvPOutlineParser()
{
    RemoveAllBlockTypes();
}

const CKtvPOutlineBlockType* CKtvPOutlineParser::GetBlockType(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetBlockTypeCount())
        return nullptr;
    return m_arrBlockTypes[static_cast<size_t>(nIndex)];
}

// ---------------------------------------------------------------- rules

void CKtvPOutlineParser::InitDefaultRules()
{
    RemoveAllBlockTypes();
    AddEscapeSequence("\\\"");
    AddEscapeSequence("\\\\");
    AddBlockType("\"", "\"", "\"\"", FALSE, TRUE);
    AddBlockType("//", "\n", "/**/", FALSE, TRUE);
    AddBlockType("/*", "*/", "/**/", FALSE, FALSE);
    CStringList keywords;
    for (const char* word :
         {"if", "else", "while", "for", "do", "switch", "class", "union", "struct", "namespace", "catch", "try",
          "operator"})
        keywords.AddTail(word);
    AddBlockType("{", "}", "...", TRUE, FALSE, &keywords);
}

void CKtvPOutlineParser::AddBlockType(LPCTSTR lpszOpen, LPCTSTR lpszClose, LPCTSTR lpszReplace, BOOL bNested,
                                      BOOL bIgnore, const CStringList* pKeywords)
{
    if (lpszOpen == nullptr || *lpszOpen == '\0')
        return;  // a type that can never match would only slow every scan
    if (lpszClose == nullptr || *lpszClose == '\0') {
        AddEscapeSequence(lpszOpen);
        return;
    }
    auto* pType = new CKtvPOutlineBlockType;
    pType->m_strOpen = lpszOpen;
    pType->m_strClose = lpszClose;
    if (lpszReplace != nullptr && *lpszReplace != '\0')
        pType->m_strReplace = lpszReplace;
    pType->m_bNested = bNested;
    pType->m_bIgnore = bIgnore;
    if (pKeywords != nullptr) {
        for (POSITION pos = pKeywords->GetHeadPosition(); pos != nullptr;)
            pType->m_lstKeywords.AddTail(pKeywords->GetNext(pos));
    }
    m_arrBlockTypes.push_back(pType);
}

void CKtvPOutlineParser::AddEscapeSequence(LPCTSTR lpszSequence)
{
    if (lpszSequence != nullptr && *lpszSequence != '\0')
        m_lstEscapeSequences.AddTail(lpszSequence);
}

void CKtvPOutlineParser::RemoveAllBlockTypes()
{
    for (CKtvPOutlineBlockType* pType : m_arrBlockTypes)
        delete pType;
    m_arrBlockTypes.clear();
}

// ---------------------------------------------------------------- matching

BOOL CKtvPOutlineParser::IsDelimiter(char ch) const
{
    return m_strDelimiters.Find(ch) >= 0;
}

int CKtvPOutlineParser::MatchAt(std::string_view text, int nPosition, const CString& strWhat) const
{
    const int length = strWhat.GetLength();
    const int size = static_cast<int>(text.size());
    if (length == 0 || nPosition < 0 || nPosition + length > size)
        return -1;
    const char* what = strWhat;
    for (int i = 0; i < length; ++i) {
        const char a = text[static_cast<size_t>(nPosition + i)];
        const char b = what[i];
        if (m_bCaseSensitive ? a != b
                             : std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b)))
            return -1;
    }
    const int last = nPosition + length - 1;
    if (m_bWholeWords && strWhat.FindOneOf(m_strDelimiters) < 0) {
        if (nPosition > 0 && !IsDelimiter(text[static_cast<size_t>(nPosition - 1)]))
            return -1;
        if (last + 1 < size && !IsDelimiter(text[static_cast<size_t>(last + 1)]))
            return -1;
    }
    return last;
}

int CKtvPOutlineParser::SkipEscape(std::string_view text, int nPosition) const
{
    for (POSITION pos = m_lstEscapeSequences.GetHeadPosition(); pos != nullptr;) {
        const int last = MatchAt(text, nPosition, m_lstEscapeSequences.GetNext(pos));
        if (last >= 0)
            return last + 1;
    }
    return -1;
}

// ---------------------------------------------------------------- scanning

CKtvPOutlineToken CKtvPOutlineParser::GetNextToken(std::string_view text, int& nPosition, int nLast)
{
    const int size = static_cast<int>(text.size());
    while (nPosition < size && nPosition <= nLast) {
        const int escaped = SkipEscape(text, nPosition);
        if (escaped >= 0) {
            nPosition = escaped;
            continue;
        }
        for (int index = 0; index < GetBlockTypeCount(); ++index) {
            const CKtvPOutlineBlockType& type = *m_arrBlockTypes[static_cast<size_t>(index)];
            const int openLast = MatchAt(text, nPosition, type.m_strOpen);
            if (type.m_bNested) {
                if (openLast >= 0) {
                    CKtvPOutlineToken token{KTVP_TOKEN_START, index, nPosition, openLast};
                    nPosition = openLast + 1;
                    return token;
                }
                const int closeLast = MatchAt(text, nPosition, type.m_strClose);
                if (closeLast >= 0) {
                    CKtvPOutlineToken token{KTVP_TOKEN_END, index, nPosition, closeLast};
                    nPosition = closeLast + 1;
                    return token;
                }
                continue;
            }
            if (openLast < 0)
                continue;
            int search = openLast + 1;
            int closeLast = -1;
            while (search < size && search <= nLast) {
                const int skipped = SkipEscape(text, search);
                if (skipped >= 0) {
                    search = skipped;
                    continue;
                }
                closeLast = MatchAt(text, search, type.m_strClose);
                if (closeLast >= 0)
                    break;
                ++search;
            }
            if (closeLast >= 0) {
                int after = closeLast + 1;
                if (type.m_strClose == "\n")
                    --after;  // the line feed stays outside the block
                CKtvPOutlineToken token{KTVP_TOKEN_COMPLETE, index, nPosition, after - 1};
                nPosition = after;
                return token;
            }
            if (!type.m_bIgnore) {
                CKtvPOutlineToken token{KTVP_TOKEN_COMPLETE, index, nPosition, size - 1};
                nPosition = size;
                return token;
            }
        }
        ++nPosition;
    }
    return CKtvPOutlineToken{};
}

void CKtvPOutlineParser::PushToken(int nType, int nBlockType, int nStart, int nEnd, CObList& list)
{
    auto* pNode = new CKtvPOutlineNode;
    pNode->m_nStart = nStart;
    pNode->m_nEnd = nEnd;
    pNode->m_nBlockType = nBlockType;
    if (const CKtvPOutlineBlockType* pType = GetBlockType(nBlockType))
        pNode->m_strReplace = pType->m_strReplace;
    pNode->m_dwFlags = nType == KTVP_TOKEN_COMPLETE ? KTVP_OUTLINE_COMPLETE
                       : nType == KTVP_TOKEN_START  ? KTVP_OUTLINE_UNPAIRED_START
                                                    : KTVP_OUTLINE_UNPAIRED_END;
    list.AddTail(pNode);
}

void CKtvPOutlineParser::ParseRange(std::string_view text, int nStart, int nEnd, CObList& list)
{
    std::vector<CKtvPOutlineToken> stack;
    int position = std::max(0, nStart);
    while (position <= nEnd) {
        const CKtvPOutlineToken token = GetNextToken(text, position, nEnd);
        if (token.nType == KTVP_TOKEN_NONE)
            break;
        if (token.nType == KTVP_TOKEN_COMPLETE) {
            PushToken(KTVP_TOKEN_COMPLETE, token.nBlockType, token.nStart, token.nEnd, list);
            continue;
        }
        if (token.nType == KTVP_TOKEN_END && !stack.empty() && stack.back().nType == KTVP_TOKEN_START &&
            stack.back().nBlockType == token.nBlockType) {
            PushToken(KTVP_TOKEN_COMPLETE, token.nBlockType, stack.back().nStart, token.nEnd, list);
            stack.pop_back();
            continue;
        }
        stack.push_back(token);
    }
    while (!stack.empty()) {
        const CKtvPOutlineToken& token = stack.back();
        PushToken(token.nType, token.nBlockType, token.nStart, token.nEnd, list);
        stack.pop_back();
    }
}

// ---------------------------------------------------------------- headers

void CKtvPOutlineParser::FindBlockNames(std::string_view text, int nStart, int nEnd, CObList& list)
{
    CKtvPOutlineSkipList skipList;
    int previousEnd = -1;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        auto* pNode = static_cast<CKtvPOutlineNode*>(list.GetNext(pos));
        const CKtvPOutlineBlockType* pType = GetBlockType(pNode->m_nBlockType);
        if (pType == nullptr || pType->m_bIgnore) {
            skipList.Add(pNode->m_nStart, pNode->m_nEnd);
            continue;
        }
        int lowest = nStart;
        if (previousEnd >= nStart && previousEnd < pNode->m_nStart)
            lowest = previousEnd;
        CString strName;
        pNode->m_nNameOffset = GetNameOffset(text, pNode->m_nStart, lowest, pNode->m_nBlockType, skipList, strName);
        const int newStart = GetStartOffset(text, pNode->m_nStart, pNode->GetHeaderStart(), skipList);
        pNode->m_nNameOffset -= pNode->m_nStart - newStart;
        pNode->m_nStart = newStart;
        pNode->m_nEnd = GetEndOffset(text, pNode->m_nEnd, nEnd);
        skipList.Add(pNode->m_nStart, pNode->m_nEnd);
        previousEnd = pNode->m_nEnd;
    }
}

int CKtvPOutlineParser::GetNameOffset(std::string_view text, int nStart, int nLowest, int nBlockType,
                                      const CKtvPOutlineSkipList& skipList, CString& strName)
{
    const CKtvPOutlineBlockType* pType = GetBlockType(nBlockType);
    if (pType == nullptr || pType->m_lstKeywords.IsEmpty())
        return 0;
    const int lowest = std::max({0, nLowest, nStart - kop::kHeaderSearchLimit});
    int position = nStart - 1;
    while (position >= lowest) {
        CString strWord;
        const int wordStart = FindPrevWord(text, position, lowest, kop::kHeaderStopChars, strWord);
        if (wordStart < 0)
            return 0;
        position = wordStart - 1;
        if (skipList.Contains(wordStart))
            continue;
        const bool keyword = pType->m_lstKeywords.Find(strWord) != nullptr;
        if (keyword || IsCallHeader(text, strWord, wordStart, nStart)) {
            strName = strWord;
            return nStart - wordStart;
        }
    }
    return 0;
}

int CKtvPOutlineParser::GetStartOffset(std::string_view text, int nStart, int nHeaderStart,
                                       const CKtvPOutlineSkipList& skipList)
{
    if (nHeaderStart >= nStart)
        return nStart;
    int start = nStart;
    while (start - 1 > nHeaderStart) {
        const int before = start - 1;
        if (!kop::IsHeaderBlank(text[static_cast<size_t>(before)]) && !skipList.Contains(before))
            break;
        start = before;
    }
    return start;
}

int CKtvPOutlineParser::GetEndOffset(std::string_view, int nEnd, int)
{
    return nEnd;
}

int CKtvPOutlineParser::FindPrevWord(std::string_view text, int nPosition, int nLowest, LPCTSTR lpszStopChars,
                                     CString& strWord)
{
    auto isStop = [&](char ch) { return lpszStopChars != nullptr && ch != '\0' && std::strchr(lpszStopChars, ch); };
    const int lowest = std::max(0, nLowest);
    int position = std::min(nPosition, static_cast<int>(text.size()) - 1);
    for (; position >= lowest; --position) {
        const char ch = text[static_cast<size_t>(position)];
        if (isStop(ch))
            return -1;
        if (!kop::IsFixedDelimiter(ch))
            break;
    }
    if (position < lowest)
        return -1;
    const int last = position;
    while (position - 1 >= lowest) {
        const char ch = text[static_cast<size_t>(position - 1)];
        if (kop::IsFixedDelimiter(ch) || isStop(ch))
            break;
        --position;
    }
    strWord = CString(text.data() + position, last - position + 1);
    return position;
}

BOOL CKtvPOutlineParser::IsCallHeader(std::string_view text, CString& strWord, int nWordStart, int nBlockStart)
{
    int position = nWordStart + strWord.GetLength();
    while (position < nBlockStart && kop::IsHeaderBlank(text[static_cast<size_t>(position)]))
        ++position;
    if (position >= nBlockStart || text[static_cast<size_t>(position)] != '(')
        return FALSE;
    strWord += CString(text.data() + position, nBlockStart - position);
    return TRUE;
}

// ---------------------------------------------------------------- the incremental update

CKtvPOutlineNode* CKtvPOutlineParser::ExpandRange(CKtvPOutlineNode* pRoot, int& nStart, int& nEnd)
{
    int longestOpen = 1;
    int longestClose = 1;
    for (const CKtvPOutlineBlockType* pType : m_arrBlockTypes) {
        longestOpen = std::max(longestOpen, pType->m_strOpen.GetLength());
        longestClose = std::max(longestClose, pType->m_strClose.GetLength());
    }
    nStart -= longestOpen - 1;
    nEnd += longestClose - 1;
    if (nStart > nEnd) {
        CKtvPOutlineNode* pNode = pRoot->FindInnermostCompleteNode(nStart);
        while (pNode != nullptr && pNode != pRoot && pNode->m_nBlockType < 0)
            pNode = pNode->m_pParent;
        if (pNode == nullptr || pNode == pRoot)
            return pRoot;
        nStart = pNode->GetHeaderStart();
        nEnd = pNode->m_nEnd;
        return pNode;
    }
    CKtvPOutlineNode* pEnclosing = pRoot;
    POSITION pos = pRoot->m_lstNodes.GetHeadPosition();
    while (pos != nullptr) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(pEnclosing->m_lstNodes.GetNext(pos));
        const int headerStart = pChild->GetHeaderStart();
        const bool inside = pChild->m_nStart >= nStart && pChild->m_nEnd <= nEnd;
        if (inside || (headerStart >= nStart && headerStart <= nEnd)) {
            nStart = std::min(nStart, headerStart);
            nEnd = std::max(nEnd, pChild->m_nEnd);
            continue;
        }
        if (pChild->m_nStart <= nEnd && pChild->m_nEnd > nEnd) {
            pEnclosing = pChild;
            const CKtvPOutlineBlockType* pType = GetBlockType(pChild->m_nBlockType);
            if (pType == nullptr || !pType->m_bNested) {
                nStart = std::min(nStart, headerStart);
                nEnd = std::max(nEnd, pChild->m_nEnd);
            }
            pos = pChild->m_lstNodes.GetHeadPosition();
            continue;
        }
        if (pChild->m_nStart < nStart && pChild->m_nEnd >= nStart)
            nStart = std::min(nStart, headerStart);
    }
    nStart = std::min(nStart, pEnclosing->GetHeaderStart());
    nEnd = std::max(nEnd, pEnclosing->m_nEnd);
    return pEnclosing;
}

void CKtvPOutlineParser::UpdateOutline(std::string_view text, int nOffset, int nLength, CKtvPOutlineNode* pRoot,
                                       CKtvPOutlineChanges* pChanges)
{
    const int last = static_cast<int>(text.size()) - 1;
    m_nUnpairedStarts = 0;
    m_nUnpairedEnds = 0;
    kop::CountUnpaired(*pRoot, m_nUnpairedStarts, m_nUnpairedEnds);
    int start = nOffset;
    int end = nOffset + nLength - 1;
    CKtvPOutlineNode* pEnclosing = ExpandRange(pRoot, start, end);
    start = std::max(0, start);
    end = std::min(last, end);
    if (start > end)
        return;
    pChanges->IncludeRange(start, end);
    CObList nodes;
    ParseRange(text, start, end, nodes);
    // Blocks found may reach past the stretch (an unclosed comment, a
    // string's far end): widen until what was found fits.
    for (;;) {
        int low = start;
        int high = end;
        for (POSITION pos = nodes.GetHeadPosition(); pos != nullptr;) {
            const auto* pNode = static_cast<const CKtvPOutlineNode*>(nodes.GetNext(pos));
            low = std::min(low, pNode->m_nStart);
            high = std::max(high, pNode->m_nEnd);
        }
        if (low >= start && high <= end)
            break;
        start = low;
        end = high;
        pEnclosing = ExpandRange(pRoot, start, end);
        start = std::max(0, start);
        end = std::min(last, end);
        pChanges->IncludeRange(start, end);
        kop::DeleteNodes(nodes);
        ParseRange(text, start, end, nodes);
    }
    FindBlockNames(text, start, end, nodes);
    pRoot->RemoveNodesInRange(start, end, pChanges);
    // A block found again exactly where it was stays folded: the re-scan of
    // a stretch must not unfold what the user folded there.
    std::set<kop::FoldKey> folded;
    kop::CollectFolded(pChanges->m_lstRemoved, folded);

    while (!nodes.IsEmpty()) {
        auto* pNode = static_cast<CKtvPOutlineNode*>(nodes.RemoveHead());
        const CKtvPOutlineBlockType* pType = GetBlockType(pNode->m_nBlockType);
        if (pType == nullptr || pType->m_bIgnore) {
            delete pNode;
            continue;
        }
        if (pNode->IsComplete()) {
            if (folded.count(kop::KeyOf(*pNode)) != 0)
                pNode->SetCollapsed(TRUE);
            if (!pType->m_bNested)
                pRoot->RemoveNodesInRange(pNode->GetHeaderStart(), pNode->m_nEnd, pChanges);
            pRoot->InsertNode(pNode, pChanges);
            continue;
        }
        CKtvPOutlineNode* pParent = pEnclosing;
        // A node taken out of the tree cannot be a parent any more.
        if (pParent != pRoot && pParent->m_pParent == nullptr) {
            const int at = pNode->m_dwFlags == KTVP_OUTLINE_UNPAIRED_START ? pNode->m_nStart : pNode->m_nEnd;
            pParent = pRoot->FindInnermostCompleteNode(at);
            if (pParent == nullptr)
                pParent = pRoot;
        }
        if (!MatchUnpairedNode(pNode, pParent, pChanges))
            delete pNode;
    }
}

CKtvPOutlineNode* CKtvPOutlineParser::FindPairNode(CKtvPOutlineNode* pNode, CKtvPOutlineNode* pParent)
{
    const bool isStart = pNode->m_dwFlags == KTVP_OUTLINE_UNPAIRED_START;
    auto sameType = [pNode](const CKtvPOutlineNode* pChild) {
        return pChild != pNode && pChild->m_nBlockType == pNode->m_nBlockType;
    };
    for (CKtvPOutlineNode* pLevel = pParent; pLevel != nullptr; pLevel = pLevel->m_pParent) {
        CObList& children = pLevel->m_lstNodes;
        // Children ending before the node neither enclose it nor follow it;
        // the first one reaching it is the only one that may enclose it.
        const POSITION first = pLevel->FirstChildReaching(pNode->m_nStart);
        if (first != nullptr) {
            auto* pChild = static_cast<CKtvPOutlineNode*>(children.GetAt(first));
            if (sameType(pChild) && pChild->IsComplete() && pChild->m_nStart < pNode->m_nStart &&
                pNode->m_nEnd < pChild->m_nEnd)
                return pChild;
        }
        if (isStart && m_nUnpairedEnds > 0) {
            for (POSITION pos = first; pos != nullptr;) {
                auto* pChild = static_cast<CKtvPOutlineNode*>(children.GetNext(pos));
                if (sameType(pChild) && pChild->m_dwFlags == KTVP_OUTLINE_UNPAIRED_END &&
                    pChild->m_nStart > pNode->m_nEnd)
                    return pChild;
            }
        }
        if (!isStart && m_nUnpairedStarts > 0) {
            for (POSITION pos = first != nullptr ? first : children.GetTailPosition(); pos != nullptr;) {
                auto* pChild = static_cast<CKtvPOutlineNode*>(children.GetPrev(pos));
                if (sameType(pChild) && pChild->m_dwFlags == KTVP_OUTLINE_UNPAIRED_START &&
                    pChild->m_nEnd < pNode->m_nStart)
                    return pChild;
            }
        }
    }
    return nullptr;
}

void CKtvPOutlineParser::RemoveNodesOfTypeRange(CKtvPOutlineNode* pTree, const CKtvPOutlineNode* pNode,
                                                CKtvPOutlineChanges* pChanges)
{
    const CKtvPOutlineBlockType* pType = GetBlockType(pNode->m_nBlockType);
    if (pType != nullptr && !pType->m_bNested)
        pTree->RemoveNodesInRange(pNode->m_nStart, pNode->m_nEnd, pChanges);
}

BOOL CKtvPOutlineParser::MatchUnpairedNode(CKtvPOutlineNode* pNode, CKtvPOutlineNode* pParent,
                                           CKtvPOutlineChanges* pChanges)
{
    if (pNode == nullptr || pParent == nullptr)
        return FALSE;
    const bool isStart = pNode->m_dwFlags == KTVP_OUTLINE_UNPAIRED_START;
    CKtvPOutlineNode* pPartner = FindPairNode(pNode, pParent);
    if (pPartner == nullptr) {
        (isStart ? m_nUnpairedStarts : m_nUnpairedEnds)++;
        CKtvPOutlineNode* pRoot = pParent->GetRoot();
        RemoveNodesOfTypeRange(pRoot, pNode, pChanges);
        pRoot->InsertNode(pNode, pChanges);
        return TRUE;
    }
    const CKtvPOutlineNode* pOpening = isStart ? pNode : pPartner;
    const CKtvPOutlineNode* pClosing = isStart ? pPartner : pNode;
    CKtvPOutlineNode* pPartnerParent = pPartner->m_pParent;
    // The partner stays readable: the change record owns it until reported.
    if (POSITION pos = pPartnerParent->m_lstNodes.Find(pPartner))
        pPartnerParent->RemoveNode(pos, pChanges, FALSE);

    auto* pPaired = new CKtvPOutlineNode;
    pPaired->CopyFrom(*pOpening);
    pPaired->m_bCollapsed = FALSE;
    pPaired->m_dwFlags = KTVP_OUTLINE_COMPLETE;
    pPaired->m_nEnd = pClosing->m_nEnd;
    RemoveNodesOfTypeRange(pPartnerParent, pPaired, pChanges);
    pPartnerParent->InsertNode(pPaired, pChanges);

    if (pPartner->IsComplete()) {
        // The partner's other end is left without its pair.
        const CKtvPOutlineBlockType* pType = GetBlockType(pPartner->m_nBlockType);
        auto* pRest = new CKtvPOutlineNode;
        pRest->CopyFrom(*pPartner);
        pRest->m_bCollapsed = FALSE;
        if (isStart) {
            pRest->m_dwFlags = KTVP_OUTLINE_UNPAIRED_START;
            pRest->m_nEnd = pRest->m_nStart + (pType != nullptr ? pType->m_strOpen.GetLength() : 1) - 1;
        } else {
            pRest->m_dwFlags = KTVP_OUTLINE_UNPAIRED_END;
            pRest->m_nStart = pRest->m_nEnd - (pType != nullptr ? pType->m_strClose.GetLength() : 1) + 1;
            pRest->m_nNameOffset = 0;
            pRest->DestroyData();
        }
        if (!MatchUnpairedNode(pRest, pPartnerParent, pChanges))
            delete pRest;
    }
    delete pNode;
    return TRUE;
}
