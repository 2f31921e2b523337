// The rich edit control.
#pragma once

#include "platform/comctl/RichEdit.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"

// Registers the rich edit window classes; FALSE when they cannot be had.
BOOL AfxInitRichEdit();
BOOL AfxInitRichEdit2();

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // --- editing ---
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    BOOL Undo();
    BOOL Redo();
    void EmptyUndoBuffer();
    void StopGroupTyping();
    UINT SetUndoLimit(UINT nLimit);
    BOOL CanPaste(UINT nFormat = 0) const;
    void PasteSpecial(UINT nClipFormat, DWORD dvAspect = 0, HMETAFILE hMF = nullptr);
    void Cut();
    void Copy();
    void Paste();
    void Clear();
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);

    // --- selection and text ---
    void GetSel(CHARRANGE& cr) const;
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(CHARRANGE& cr);
    void SetSel(long nStartChar, long nEndChar);
    CString GetSelText() const;
    WORD GetSelectionType() const;
    void HideSelection(BOOL bHide, BOOL bPerm);
    long GetTextLength() const;
    int GetTextRange(int nFirst, int nLast, CString& refString) const;
    void LimitText(long nChars = 0);
    long GetLimitText() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    int GetLineCount() const;
    int LineIndex(int nLine = -1) const;
    long LineFromChar(long nIndex) const;
    int LineLength(int nLine = -1) const;
    int GetFirstVisibleLine() const;
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;

    // --- formats and notifications ---
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetDefaultCharFormat(CHARFORMAT2& cf) const;
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetDefaultCharFormat(CHARFORMAT2& cf);
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT2& cf) const;
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT2& cf);
    BOOL SetWordCharFormat(CHARFORMAT& cf);
    BOOL SetWordCharFormat(CHARFORMAT2& cf);
    DWORD GetParaFormat(PARAFORMAT& pf) const;
    DWORD GetParaFormat(PARAFORMAT2& pf) const;
    BOOL SetParaFormat(PARAFORMAT& pf);
    BOOL SetParaFormat(PARAFORMAT2& pf);
    DWORD GetEventMask() const;
    DWORD SetEventMask(DWORD dwEventMask);
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);

private:
    DWORD ReadCharFormat(WPARAM scope, CHARFORMAT& cf, UINT size) const;
    BOOL WriteCharFormat(WPARAM scope, CHARFORMAT& cf, UINT size);
};
