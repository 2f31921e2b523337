// The symbol list: a typed character steps to the next symbol that begins
// with it, and the chosen symbol's character goes into the text.
#pragma once

#include "editctrl/KtvPBaseIntelliSenseLB.h"

class CKtvPSymImagesLB : public CKtvPBaseIntelliSenseLB {
    DECLARE_DYNCREATE(CKtvPSymImagesLB)
public:
    void InsertSelection() override;
    // The next item after the current one, round the list, whose text
    // begins with the character (case counts); -1 when none.
    int FindNextBeginningWith(TCHAR ch) const;

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
