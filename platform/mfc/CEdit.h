// The edit control, single- or multi-line.
#pragma once

#include "platform/mfc/CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
    int GetLineCount() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    UINT GetLimitText() const;
    void SetLimitText(UINT nMax);
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const;
    void LineScroll(int nLines, int nChars = 0);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void SetPasswordChar(TCHAR ch);
    TCHAR GetPasswordChar() const;
    void SetMargins(UINT nLeft, UINT nRight);
    DWORD GetMargins() const;
    void GetRect(LPRECT lpRect) const;
    void SetRect(LPCRECT lpRect);
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;
    void Clear();
    void Copy();
    void Cut();
    void Paste();
};
