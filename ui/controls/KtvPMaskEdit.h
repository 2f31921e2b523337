// A single-line edit for fixed-format input: a template gives the literal
// characters and marks input positions with "_", a mask gives the kind of
// character each input position takes, and valid characters may narrow it.
// Typing overwrites, deleting shifts within a run of like positions, and the
// caret jumps over the literals from one input group to the next.
// Positions count characters: a UTF-8 character fills one input position.
#pragma once

#include "platform/mfc/CEdit.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"

class CKtvPMaskEdit : public CEdit {
    DECLARE_DYNAMIC(CKtvPMaskEdit)
public:
    CKtvPMaskEdit();
    ~CKtvPMaskEdit() override;

    // Whether ch may stand where the mask has chMask.
    virtual BOOL AcceptsChar(TCHAR ch, TCHAR chMask) const;
    // The same for one whole character (one UTF-8 sequence): a single byte asks
    // AcceptsChar, a wider character is taken as a letter, digit or symbol by its code point.
    BOOL AcceptsCharacter(const CString& strChar, TCHAR chMask) const;

    void SetFormat(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chMaskInputTemplate = _T('_'),
                   LPCTSTR lpszValid = nullptr);
    void SetAllowedChars(LPCTSTR lpszValid);
    // FALSE (value unchanged) when the text does not fit the format.
    BOOL StoreText(LPCTSTR lpszText, BOOL bWithDelimiters = TRUE);
    const CString& GetValue() const { return m_str; }
    void EnableSelectByGroup(BOOL bEnable = TRUE) { m_bSelectByGroup = bEnable; }

    // The input group at or after (forward) or at or before (backward) a position; start -1 when none.
    void FindGroup(int nPos, BOOL bForward, int& nStart, int& nEnd) const;

protected:
    BOOL IsInputPos(int nPos) const;
    BOOL FitsPos(const CString& strChar, int nPos) const;
    // The value's character at a position, and the selection in characters.
    CString ValueChar(int nPos) const;
    CString ValueRange(int nStart, int nEnd) const;
    int ValueLength() const;
    void GetCharSel(int& nStart, int& nEnd) const;
    void SetCharSel(int nStart, int nEnd);
    int RunEnd(int nPos, int nGroupEnd) const;
    // Replaces [nStart, nEnd) on screen (undoable) and in the value.
    void ReplaceRange(int nStart, int nEnd, const CString& strNew);
    void SelectFirstGroup();
    BOOL CheckSelInGroup(int nStart, int nEnd, int& nGroupStart, int& nGroupEnd);
    void DeleteChars(BOOL bBack);

    CString m_str;
    CString m_strMask;
    CString m_strInputTemplate;
    TCHAR m_chMaskInputTemplate;
    CString m_strValid;
    BOOL m_bSelectByGroup;
    CString m_strPendingChar;  // UTF-8 bytes of a character still arriving one WM_CHAR at a time

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetFocusR();
    BOOL OnUpdateR();
    DECLARE_MESSAGE_MAP()
};
