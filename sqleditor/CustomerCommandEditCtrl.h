// The edit control of the query window's command console: the SQL editor
// plus the console rules. Input goes only on the last row, after its
// prompt; Enter runs a row that ends a statement with ";" (the execute
// message goes to the notify window) or else starts a continuation row;
// Up and Down walk the command history; the owner prints through
// AppendText and AppendFormat.
#pragma once

#include "platform/mfc/CStringArray.h"
#include "sqleditor/CustomerEditCtrl.h"

// Sent to the notify window when a statement is complete: wParam 0, lParam
// the constant text "---Please waiting...".
constexpr UINT WM_CONSOLE_EXECUTE = WM_USER + 4104;
// The prompt of a statement's further rows.
#define SQLED_CONTINUATION_PROMPT "   > "
// What the execute message carries for the owner to print.
#define SQLED_PLEASE_WAIT "---Please waiting..."

class CCustomerCommandEditCtrl : public CCustomerEditCtrl {
public:
    CCustomerCommandEditCtrl();
    ~CCustomerCommandEditCtrl() override;

    BOOL Paste(int nOffset = -1) override;

    // Prints the text at the end, in front of spaces and tabs that end the
    // console; a text of nothing but spaces and tabs prints nothing. Output
    // is not recorded for undo.
    void AppendText(LPCTSTR lpszText);
    // printf-style; the formatted length.
    int AppendFormat(LPCTSTR lpszFormat, ...);
    // Called before printing; FALSE first removes the input row.
    void BeginOutput(BOOL bKeep);
    // Removes what follows the last prompt.
    void ClearCurrentInput();
    // The statement after the last "SQL> ", continuation rows joined with
    // single blanks.
    CString GetCommandText();

    HWND m_hWndNotify = nullptr;
    UINT m_nNotifyMsg = 0;
    CString m_strPrompt;
    // The history's slots; the owner gives it its size.
    CStringArray m_arrHistory;
    int m_nHistoryNext = 0;   // the slot the next entry overwrites once all are used
    int m_nHistoryPos = 0;    // the entry shown, counted from the oldest; the count: none
    int m_nHistoryCount = 0;  // the slots used

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

    void RunCommandLine();
    void StoreHistory(const CString& strEntry);
    void HistoryBack();
    void HistoryForward();
    // The history entry that is nIndex-th from the oldest.
    CString HistoryEntry(int nIndex) const;
    void ShowHistory(const CString& strEntry);
    BOOL IsCaretOnLastRow() const;
    BOOL IsCaretInPrompt() const;
    // The caret's place in its row, in bytes.
    int CaretColumn() const;
    void PasteByChars();
};
