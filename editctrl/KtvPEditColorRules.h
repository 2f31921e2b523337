// The colouring rules of the edit control: the keyword map and the colour
// blocks (comments, strings), with the scans that find block occurrences in
// a stretch of text. Painting asks these; the settings reader fills them.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/mfc/CString.h"

// A colour-block rule: text from a start string to an end string, or to the
// end of the row when there is no end string.
class CKtvPColorBlock {
public:
    BOOL IsEqual(const CKtvPColorBlock& other) const
    {
        return m_bWholeText == other.m_bWholeText && m_strStart == other.m_strStart && m_strEnd == other.m_strEnd;
    }

    CString m_strStart;  // at most 4 characters
    CString m_strEnd;    // at most 4 characters; empty: the end of the row
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    BOOL m_bWholeText = FALSE;  // may span rows
    BOOL m_bReserved = FALSE;
};

// One stretch of text a rule colours; both ends included.
struct KtvPBlockOccurrence {
    int nStart = 0;
    int nEnd = 0;
    COLORREF clrText = static_cast<COLORREF>(-1);
    COLORREF clrBack = static_cast<COLORREF>(-1);
};

class CKtvPEditColorRules {
public:
    // A case-insensitive word is kept upper-cased; a spelling given again
    // replaces its colours and flag.
    void SetWordColor(LPCTSTR lpszWord, COLORREF clrText, COLORREF clrBack, BOOL bCaseSensitive);
    // The stored colours of a word (-1 where it has none of its own).
    BOOL LookupWord(std::string_view word, COLORREF& clrText, COLORREF& clrBack) const;
    int GetWordCount() const { return static_cast<int>(m_words.size()); }

    // NULL when refused: a string over four characters, a whole-text rule
    // without both strings, or a second whole-text rule. Rules are kept
    // longest start string first.
    CKtvPColorBlock* AddColorBlock(LPCTSTR lpszStart, LPCTSTR lpszEnd, BOOL bWholeText, COLORREF clrText,
                                   COLORREF clrBack);
    const std::list<CKtvPColorBlock>& GetBlocks() const { return m_blocks; }
    void RemoveAll();

    // Occurrences of block rules within text[nFrom .. nTo], in text order;
    // pLeaveOut is a rule not to look for.
    void CollectColorBlocks(std::string_view text, int nFrom, int nTo, std::vector<KtvPBlockOccurrence>& found,
                            const CKtvPColorBlock* pLeaveOut = nullptr) const;
    // The whole-text rule whose block is open at the offset (started before
    // it and not yet ended), or NULL.
    const CKtvPColorBlock* FindOpenColorBlock(std::string_view text, int nOffset) const;
    // Just past the first end of the rule at or after the offset, or the
    // last character when the text has none.
    int FindColorBlockEnd(std::string_view text, const CKtvPColorBlock& block, int nFrom) const;
    // Whether a start or end string of any rule lies within four characters
    // of the offset: an edit there can recolour more than its own row.
    BOOL IsColorBlockDelimiterNear(std::string_view text, int nOffset) const;

    CString m_strEscapeChars{"\\"};

private:
    struct WordColor {
        COLORREF clrText;
        COLORREF clrBack;
        BOOL bCaseSensitive;
    };

    int FindEndString(std::string_view text, const CKtvPColorBlock& block, size_t from, size_t limit) const;
    static long LastOccurrence(std::string_view text, std::string_view needle, long maxStart);

    std::unordered_map<std::string, WordColor> m_words;
    std::list<CKtvPColorBlock> m_blocks;
};
