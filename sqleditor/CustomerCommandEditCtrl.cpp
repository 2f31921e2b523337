#include "sqleditor/CustomerCommandEditCtrl.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace {

// The length of the text without the spaces and tabs that end it.
int ConsoleTrimmedLength(const CString& strText)
{
    int nLength = strText.GetLength();
    while (nLength > 0 && (strText[nLength - 1] == ' ' || strText[nLength - 1] == '\t'))
        --nLength;
    return nLength;
}

} // namespace

CCustomerCommandEditCtrl::CCustomerCommandEditCtrl() = default;

CCustomerCommandEditCtrl::~CCustomerCommandEditCtrl()
{
    m_arrHistory.RemoveAll();
}

LRESULT CCustomerCommandEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN: {
        const CurrentMessage current(*this, message, wParam, lParam);
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
    default: return CCustomerEditCtrl::WindowProc(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------- positions

BOOL CCustomerCommandEditCtrl::IsCaretOnLastRow() const
{
    return m_text.RowOfOffset(m_nCaretOffset) == GetLineFeedCount();
}

int CCustomerCommandEditCtrl::CaretColumn() const
{
    return m_nCaretOffset - m_text.RowStartOfOffset(m_nCaretOffset);
}

BOOL CCustomerCommandEditCtrl::IsCaretInPrompt() const
{
    return CaretColumn() < m_strPrompt.GetLength();
}

// ---------------------------------------------------------------- input

void CCustomerCommandEditCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsCaretOnLastRow())
        return;
    if (nChar == '\r') {
        // An open completion list takes Enter itself.
        if (!m_bIntelliSenseOpen)
            RunCommandLine();
        return;
    }
    if (IsCaretInPrompt())
        return;
    // The SQL editor's character handling, as the message reached it.
    const CurrentMessage current(*this, WM_CHAR, nChar, MAKELONG(nRepCnt, nFlags));
    CCustomerEditCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CCustomerCommandEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_UP: HistoryBack(); return;
    case VK_DOWN: HistoryForward(); return;
    case VK_DELETE:
        if (!IsCaretOnLastRow() || IsCaretInPrompt())
            return;
        break;
    case VK_BACK:
        if (!IsCaretOnLastRow() || IsCaretInPrompt() || CaretColumn() < m_strPrompt.GetLength() + 1)
            return;
        break;
    default: break;
    }
    if (!IsCaretOnLastRow())
        return;
    CCustomerEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    // A selection never reaches into the prompt.
    if (HasSelection() && m_nSelStart != m_nSelEnd) {
        const int nPromptEnd = m_text.RowStartOfOffset(m_nCaretOffset) + m_strPrompt.GetLength();
        // The low end moves to the prompt's end; the caret goes with it
        // when it was that end.
        if (m_nSelStart < m_nSelEnd && m_nSelStart < nPromptEnd)
            SetSelection(std::min(nPromptEnd, m_nSelEnd), m_nSelEnd, TRUE, TRUE);
        else if (m_nSelEnd < m_nSelStart && m_nSelEnd < nPromptEnd)
            SetSelection(m_nSelStart, std::min(nPromptEnd, m_nSelStart), FALSE, TRUE);
    }
}

void CCustomerCommandEditCtrl::RunCommandLine()
{
    if (m_hWndNotify == nullptr)
        return;
    const int nCaretRow = m_text.RowOfOffset(m_nCaretOffset);
    const int nRow = nCaretRow > 0 ? nCaretRow - 1 : nCaretRow;
    const int nRowStart = m_text.RowStart(nRow);
    const CString strRow = m_text.Mid(nRowStart, m_text.RowLimit(nRow) - nRowStart);
    const int nPrompt = m_strPrompt.GetLength();
    if (strRow.GetLength() > nPrompt)
        StoreHistory(strRow.Mid(nPrompt));
    CString strStatement = strRow.GetLength() > nPrompt ? strRow.Mid(nPrompt) : CString();
    strStatement.Trim();
    if (!strStatement.IsEmpty() && strStatement[strStatement.GetLength() - 1] == ';' && strStatement.Left(2) != "--") {
        ::SendMessage(m_hWndNotify, m_nNotifyMsg, 0, reinterpret_cast<LPARAM>(SQLED_PLEASE_WAIT));
        return;
    }
    AppendText(SQLED_CONTINUATION_PROMPT);
    ClearCurrentInput();
}

// ---------------------------------------------------------------- output

void CCustomerCommandEditCtrl::AppendText(LPCTSTR lpszText)
{
    const CString strText(lpszText != nullptr ? lpszText : "");
    if (ConsoleTrimmedLength(strText) == 0)
        return;
    MoveToTextEnd(FALSE);
    InsertText(strText, ConsoleTrimmedLength(GetText()), TRUE, TRUE, TRUE, FALSE, TRUE);
}

int CCustomerCommandEditCtrl::AppendFormat(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    va_list sizing;
    va_copy(sizing, args);
    const int nLength = std::vsnprintf(nullptr, 0, lpszFormat, sizing);
    va_end(sizing);
    if (nLength < 0) {
        va_end(args);
        return nLength;
    }
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), lpszFormat, args);
    va_end(args);
    AppendText(buffer.data());
    return nLength;
}

void CCustomerCommandEditCtrl::BeginOutput(BOOL bKeep)
{
    if (bKeep)
        return;
    SetSelection(m_text.RowStartOfOffset(m_nCaretOffset), GetTextLength(), FALSE, TRUE);
    ReplaceSelText("");
}

void CCustomerCommandEditCtrl::ClearCurrentInput()
{
    const CString strText = GetText();
    const int nPos = strText.ReverseFind('>');
    const int nStart = nPos >= 0 ? nPos + 2 : 1;
    if (nStart < strText.GetLength())
        DeleteText(nStart, strText.GetLength(), FALSE);
}

CString CCustomerCommandEditCtrl::GetCommandText()
{
    const CString strText = GetText();
    int nFound = -1;
    for (int nFrom = 0;;) {
        const int n = strText.Find("\nSQL>", nFrom);
        if (n < 0)
            break;
        nFound = n;
        nFrom = n + 2;
    }
    const int nStart = nFound < 0 ? 5 : nFound + 6;
    if (nStart >= strText.GetLength())
        return CString();
    CString strCommand = strText.Mid(nStart);
    strCommand.Replace("\n   >", " ");
    strCommand.Replace("  ", " ");
    return strCommand;
}

// ---------------------------------------------------------------- history

void CCustomerCommandEditCtrl::StoreHistory(const CString& strEntry)
{
    const int nSlots = static_cast<int>(m_arrHistory.GetSize());
    if (nSlots == 0)
        return;
    if (m_nHistoryCount < nSlots) {
        m_arrHistory[m_nHistoryCount] = strEntry;
        ++m_nHistoryCount;
    } else {
        m_arrHistory[m_nHistoryNext] = strEntry;
        ++m_nHistoryNext;
    }
    if (m_nHistoryNext >= m_nHistoryCount)
        m_nHistoryNext = 0;
    // The walk starts just past the newest entry.
    m_nHistoryPos = m_nHistoryCount;
}

CString CCustomerCommandEditCtrl::HistoryEntry(int nIndex) const
{
    const int nSlots = static_cast<int>(m_arrHistory.GetSize());
    // Once every slot is used, the oldest entry is the one written next.
    const int nOldest = m_nHistoryCount < nSlots ? 0 : m_nHistoryNext;
    return m_arrHistory[(nOldest + nIndex) % nSlots];
}

void CCustomerCommandEditCtrl::HistoryBack()
{
    // Up shows the entry before the one shown, from newest to oldest in the
    // order they were stored; at the oldest it stays there.
    if (m_arrHistory.GetSize() == 0 || m_nHistoryCount == 0)
        return;
    m_nHistoryPos = std::clamp(m_nHistoryPos - 1, 0, m_nHistoryCount - 1);
    ShowHistory(HistoryEntry(m_nHistoryPos));
}

void CCustomerCommandEditCtrl::HistoryForward()
{
    // Down shows the entry after the one shown; at the newest nothing changes.
    if (m_arrHistory.GetSize() == 0 || m_nHistoryPos + 1 >= m_nHistoryCount)
        return;
    ++m_nHistoryPos;
    ShowHistory(HistoryEntry(m_nHistoryPos));
}

void CCustomerCommandEditCtrl::ShowHistory(const CString& strEntry)
{
    const int nLastRowStart = m_text.RowStart(GetLineFeedCount());
    const int nStart = std::min(nLastRowStart + m_strPrompt.GetLength(), GetTextLength());
    if (nStart < GetTextLength())
        DeleteText(nStart, GetTextLength(), FALSE);
    InsertText(strEntry, nStart, TRUE, FALSE, TRUE, FALSE, TRUE);
}

// ---------------------------------------------------------------- clipboard

BOOL CCustomerCommandEditCtrl::Paste(int /*nOffset*/)
{
    if (!IsCaretOnLastRow() || IsCaretInPrompt())
        return FALSE;
    if (m_bReadOnly) {
        OnFailedOperation(KTVP_FAIL_PASTE_READ_ONLY);
        return FALSE;
    }
    CString strText;
    BOOL bBlock = FALSE;
    if (!GetClipboardText(strText, bBlock)) {
        OnFailedOperation(KTVP_FAIL_PASTE_EMPTY);
        return FALSE;
    }
    if (HasSelection())
        DeleteSelectedText(FALSE, FALSE, TRUE);
    SetUndoActionReason(KTVP_REASON_PASTE);
    if (bBlock) {
        InsertTextAsBlock(strText, -1, TRUE, FALSE, TRUE, FALSE);
    } else {
        // Line by line, each completed line as if Enter ended it.
        int nFrom = 0;
        for (int nBreak = strText.Find('\n'); nBreak >= 0; nBreak = strText.Find('\n', nFrom)) {
            CString strLine = strText.Mid(nFrom, nBreak - nFrom);
            if (!strLine.IsEmpty() && strLine[strLine.GetLength() - 1] == '\r')
                strLine.Delete(strLine.GetLength() - 1);
            strLine = strLine.Left(ConsoleTrimmedLength(strLine));
            if (!strLine.IsEmpty())
                InsertText(strLine, -1, TRUE, FALSE, TRUE, FALSE, TRUE);
            InsertNewLine(TRUE);
            RunCommandLine();
            nFrom = nBreak + 1;
        }
        CString strRest = strText.Mid(nFrom);
        strRest = strRest.Left(ConsoleTrimmedLength(strRest));
        if (!strRest.IsEmpty())
            InsertText(strRest, -1, TRUE, FALSE, TRUE, FALSE, TRUE);
    }
    m_bModified = TRUE;
    return TRUE;
}

void CCustomerCommandEditCtrl::PasteByChars()
{
    if (!::OpenClipboard(m_hWnd))
        return;
    if (IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_OEMTEXT)) {
        CString strText;
        if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
            strText = static_cast<LPCTSTR>(::GlobalLock(hData));
            ::GlobalUnlock(hData);
        }
        ::CloseClipboard();
        // Each character as if typed; a row's end (LF, CR LF or a lone CR)
        // as the Enter key, which breaks the row and runs it.
        for (int i = 0; i < strText.GetLength(); ++i) {
            const auto ch = static_cast<unsigned char>(strText[i]);
            if (ch == '\r' && i + 1 < strText.GetLength() && strText[i + 1] == '\n')
                continue;
            if (ch == '\n' || ch == '\r') {
                SendMessage(WM_KEYDOWN, VK_RETURN, 0);
                SendMessage(WM_CHAR, '\r', 0);
                continue;
            }
            SendMessage(WM_CHAR, ch, 0);
        }
        return;
    }
    ::CloseClipboard();
}

LRESULT CCustomerCommandEditCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CUT:
        if (IsCaretOnLastRow() && !IsCaretInPrompt())
            Cut();
        return 0;
    case WM_CLEAR: return 0;
    case WM_UNDO: return Undo();
    case WM_PASTE: PasteByChars(); return 0;
    default: return CCustomerEditCtrl::DefWindowProc(message, wParam, lParam);
    }
}
