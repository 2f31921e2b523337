// The completion list: follows the word typed in the control, passes typing
// on to it, and replaces the typed word by the chosen item.
#pragma once

#include "editctrl/KtvPBaseIntelliSenseLB.h"

class CKtvPIntelliSenseLB : public CKtvPBaseIntelliSenseLB {
    DECLARE_DYNCREATE(CKtvPIntelliSenseLB)
public:
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    void SelectTypedWord() override;
    void InsertSelection() override;

    int m_nWordStart = -1;  // where the typed word starts in the control's text
    int m_nCaretY = -1;     // the caret's y when the list opened

    // The first item whose text begins with the prefix, letters compared
    // without case; -1 when none.
    int FindItemBeginningWith(const CString& strPrefix) const;

protected:
    // The word from the recorded start up to its end.
    CString GetTypedWord() const;
    // Whether the caret is still inside the typed word on the row it started on.
    BOOL IsCaretInTypedWord() const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
