// The search under find, replace and replace-all of the edit control: from
// a start offset in either direction, with or without letter case and whole
// words, wrapping once round the text. It works on a copy of the text, so
// the control's text never changes while it looks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/CString.h"

class CKtvPEditSearch {
public:
    struct Options {
        BOOL bDown = TRUE;
        BOOL bMatchCase = FALSE;
        BOOL bWholeWord = FALSE;
    };

    // lpszDelimiters: the characters that end a word.
    CKtvPEditSearch(std::string_view text, std::string_view what, const Options& options, LPCTSTR lpszDelimiters);

    // The next occurrence from the start, wrapping round the text once.
    // bSkipAtStart passes over an up-search occurrence that ends exactly at
    // the start (the one the caret stands after), so a repeated search moves on.
    BOOL FindFrom(int nStart, BOOL bSkipAtStart, int& nOffset) const;

    // Every occurrence met in one pass over the text from the start round to
    // it again, none overlapping another; offsets ascending in pass order.
    std::vector<int> FindAllFrom(int nStart) const;

    int GetLength() const { return static_cast<int>(m_what.size()); }

private:
    // Offsets inside the searched (possibly reversed) text.
    int ToSearchOffset(int nStart) const;
    int ToTextOffset(int nSearchOffset) const;
    // The first counting occurrence at or after nFrom that ends at or before nLimit.
    int FindWithin(int nFrom, int nLimit, int nSkip) const;
    bool IsWholeWordAt(int nOffset) const;
    bool IsDelimiter(char ch) const;

    std::string m_text;
    std::string m_what;
    Options m_options;
    CString m_strDelimiters;
};
