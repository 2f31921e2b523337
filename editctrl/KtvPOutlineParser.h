// The outline parser: finds foldable blocks in the text by block types (a
// start string, an end string, the text shown when folded) and keeps the
// control's outline tree in step with edits by scanning again only the
// stretch around a change.
#pragma once

#include <map>
#include <string_view>
#include <vector>

#include "editctrl/KtvPOutlineNode.h"
#include "platform/mfc/CStringList.h"

class CKtvPOutlineBlockType {
public:
    CString m_strOpen;
    // A lone line feed: the block ends with its line.
    CString m_strClose;
    CString m_strReplace = "...";
    // Paired like brackets, and may hold blocks of its own kind.
    BOOL m_bNested = FALSE;
    // Recognised so its contents are skipped, never a node.
    BOOL m_bIgnore = FALSE;
    // Words that may head the block.
    CStringList m_lstKeywords{10};
};

// One scan step's find: kind (-1 none, 1 complete block, 2 block start,
// 3 block end), block type and the first and last offsets.
struct CKtvPOutlineToken {
    int nType = -1;
    int nBlockType = -1;
    int nStart = -1;
    int nEnd = -1;
};

// The text of the blocks already handled, which a header search passes
// over: kept as the union of their ranges.
class CKtvPOutlineSkipList {
public:
    void Add(int nStart, int nEnd);
    BOOL Contains(int nOffset) const;

private:
    std::map<int, int> m_covered;  // first offset -> last offset, apart
};

constexpr int KTVP_TOKEN_NONE = -1;
constexpr int KTVP_TOKEN_COMPLETE = 1;
constexpr int KTVP_TOKEN_START = 2;
constexpr int KTVP_TOKEN_END = 3;

class CKtvPOutlineParser : public CObject {
public:
    CKtvPOutlineParser();
    CKtvPOutlineParser(const CKtvPOutlineParser&) = delete;
    CKtvPOutlineParser& operator=(const CKtvPOutlineParser&) = delete;
    ~CKtvPOutlineParser() override;

    void Serialize(CArchive&) override {}
    // After an edit of the length characters at the offset: the stretch
    // around it is scanned again and the tree's nodes there replaced.
    virtual void UpdateOutline(std::string_view text, int nOffset, int nLength, CKtvPOutlineNode* pRoot,
                               CKtvPOutlineChanges* pChanges);
    virtual void InitDefaultRules();
    // An empty end string makes the start string an escape sequence.
    virtual void AddBlockType(LPCTSTR lpszOpen, LPCTSTR lpszClose, LPCTSTR lpszReplace, BOOL bNested, BOOL bIgnore,
                              const CStringList* pKeywords = nullptr);
    virtual void AddEscapeSequence(LPCTSTR lpszSequence);
    // Escape sequences stay.
    virtual void RemoveAllBlockTypes();
    virtual CKtvPOutlineToken GetNextToken(std::string_view text, int& nPosition, int nLast);
    virtual void PushToken(int nType, int nBlockType, int nStart, int nEnd, CObList& list);
    virtual void ParseRange(std::string_view text, int nStart, int nEnd, CObList& list);
    virtual void FindBlockNames(std::string_view text, int nStart, int nEnd, CObList& list);
    virtual int GetNameOffset(std::string_view text, int nStart, int nLowest, int nBlockType, const CKtvPOutlineSkipList& skipList,
                              CString& strName);
    virtual int GetStartOffset(std::string_view text, int nStart, int nHeaderStart,
                               const CKtvPOutlineSkipList& skipList);
    virtual int GetEndOffset(std::string_view text, int nEnd, int nLast);
    virtual int FindPrevWord(std::string_view text, int nPosition, int nLowest, LPCTSTR lpszStopChars,
                             CString& strWord);
    virtual BOOL IsCallHeader(std::string_view text, CString& strWord, int nWordStart, int nBlockStart);
    virtual BOOL MatchUnpairedNode(CKtvPOutlineNode* pNode, CKtvPOutlineNode* pParent, CKtvPOutlineChanges* pChanges);
    virtual CKtvPOutlineNode* FindPairNode(CKtvPOutlineNode* pNode, CKtvPOutlineNode* pParent);
    // Widens start ... end to whole blocks and returns the node that
    // encloses it (the root when none does).
    virtual CKtvPOutlineNode* ExpandRange(CKtvPOutlineNode* pRoot, int& nStart, int& nEnd);

    int GetBlockTypeCount() const { return static_cast<int>(m_arrBlockTypes.size()); }
    const CKtvPOutlineBlockType* GetBlockType(int nIndex) const;

    std::vector<CKtvPOutlineBlockType*> m_arrBlockTypes;
    CStringList m_lstEscapeSequences{10};
    CString m_strDelimiters;
    BOOL m_bCaseSensitive = TRUE;
    BOOL m_bWholeWords = FALSE;

protected:
    // The offset of the last matched character, or -1.
    int MatchAt(std::string_view text, int nPosition, const CString& strWhat) const;
    // The offset past the first escape sequence matching here, or -1.
    int SkipEscape(std::string_view text, int nPosition) const;
    BOOL IsDelimiter(char ch) const;
    void RemoveNodesOfTypeRange(CKtvPOutlineNode* pRoot, const CKtvPOutlineNode* pNode, CKtvPOutlineChanges* pChanges);

    // Whether the tree may hold unpaired starts or ends: a pair is only
    // looked for among them when there are any.
    int m_nUnpairedStarts = 0;
    int m_nUnpairedEnds = 0;
};
