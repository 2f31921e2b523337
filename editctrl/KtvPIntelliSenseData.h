// One entry of a completion or symbol list, and one symbol definition of the
// edit control: a character sequence drawn as a small image.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"

class CKtvPIntelliSenseData : public CObject {
public:
    CKtvPIntelliSenseData() = default;
    CKtvPIntelliSenseData(LPCTSTR lpszText, LPCTSTR lpszInsertText, int nImage = -1, int nData = 0)
        : m_strText(lpszText), m_strInsertText(lpszInsertText), m_nImage(nImage), m_nData(nData)
    {
    }

    CString m_strText;        // shown in the list
    CString m_strInsertText;  // what goes into the text
    int m_nImage = -1;        // index into the list's image list
    int m_nData = 0;          // the owner's; a symbol item's character
};

// Deletes every CKtvPIntelliSenseData a list still holds and empties it.
void KtvPDeleteIntelliSenseItems(CObList& list);

struct CKtvPEditSymbol {
    CString m_strName;
    CString m_strSequence;  // the characters the symbol stands for
    int m_nImage = -1;      // index into the symbol image list
    int m_nParam1 = 0;
    int m_nParam2 = 0;
    TCHAR m_chKey = 0;      // a single character that also stands for it
};
