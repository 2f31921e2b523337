// Parameter tips: the signature of the procedure or function being called,
// read from the server when the call is typed, shown below the caret and
// followed while the arguments are typed.
#include "sqleditor/CustomerEditCtrl.h"

#include "editctrl/KtvPIntelliSenseData.h"
#include "sqleditor/CustomerEditCtrlServer.h"
#include "sqleditor/FuncTipWnd.h"
#include "sqleditor/SqlNames.h"

namespace {

CString TipFieldText(ADODB::_Recordset* pRecordset, LPCTSTR lpszField)
{
    return tw::sqleditor::RecordsetFieldText(pRecordset, lpszField);
}

// The header of the routine from the first row that describes its result:
// the return value's type, or "Table" for a routine returning one.
CString TipHeader(ADODB::_Recordset* pRecordset, const CString& strName)
{
    if (pRecordset->GetRecordCount() <= 0)
        return strName;
    CString strHeader;
    pRecordset->MoveFirst();
    while (!pRecordset->GetEOF() && strHeader.IsEmpty()) {
        const CString strKind = TipFieldText(pRecordset, "COLUMN_TYPE");
        if (strKind == "5")
            strHeader = TipFieldText(pRecordset, "TYPE_NAME") + " " + strName;
        else if (strKind == "3")
            strHeader = "Table " + strName;
        pRecordset->MoveNext();
    }
    pRecordset->MoveFirst();
    return strHeader.IsEmpty() ? strName : strHeader;
}

// A parameter as the tip shows it: name, type and, for some types, size.
CString TipParameter(ADODB::_Recordset* pRecordset)
{
    CString strType = TipFieldText(pRecordset, "TYPE_NAME");
    if (strType == "sysname")
        strType = "nvarchar";
    CString strText = TipFieldText(pRecordset, "COLUMN_NAME") + " " + strType;
    if (strType == "decimal" || strType == "numeric" || strType == "float" || strType == "real")
        strText += "(" + TipFieldText(pRecordset, "PRECISION") + "." + TipFieldText(pRecordset, "SCALE") + ")";
    else if (strType == "char" || strType == "varchar" || strType == "nchar" || strType == "nvarchar")
        strText += "(" + TipFieldText(pRecordset, "PRECISION") + ")";
    return strText;
}

bool IsShownParameter(const CString& strKind)
{
    // In (1), in/out (2) and out (4); the return value and table rows are not arguments.
    return strKind == "1" || strKind == "2" || strKind == "4";
}

} // namespace

int CCustomerEditCtrl::GetProcParams(CString strName)
{
    m_mapMemberList.RemoveAll();
    strName.MakeLower();
    if (!IsKnownObject(strName) || m_pMainFrame == nullptr)
        return 0;
    const int nCode = tw::sqleditor::KnownObjectCode(*this, strName);
    if (nCode != CompletionProcedure && nCode != CompletionFunction)
        return 0;
    CString strCode;
    strCode.Format("%d", nCode);
    if (nCode == CompletionProcedure)
        m_bProcedureTip = 1;
    else
        m_bFunctionTip = 1;
    CMainFrame& frame = *m_pMainFrame;
    try {
        if (!frame.m_SQLServer)
            return 0;
        CString strSQL = "use " + SqlQuoteName(tw::sqleditor::CurrentDatabaseName()) + "; ";
        strSQL += "Execute sp_sproc_columns " + SqlRoutineArguments(strName) + ";";
        {
            tw::sqleditor::KeystrokeQueryScope scope(&frame);
            frame.m_QueryResults = frame.m_SQLServer->ExecuteWithResults(static_cast<LPCTSTR>(strSQL));
        }
        ADODB::_RecordsetPtr pRecordset;
        if (FAILED(pRecordset.CreateInstance("ADODB.Recordset")))
            return 0;
        frame.QueryResultsToRecordset(frame.m_QueryResults, pRecordset);
        if (pRecordset->GetState() == ADODB::adStateClosed)
            return 0;
        m_mapMemberList.SetAt(TipHeader(pRecordset, strName), strCode);
        if (pRecordset->GetRecordCount() > 0)
            pRecordset->MoveFirst();
        for (long handled = 0; handled < pRecordset->GetRecordCount() && !pRecordset->GetEOF(); ++handled) {
            if (!TipFieldText(pRecordset, "TYPE_NAME").IsEmpty() && IsShownParameter(TipFieldText(pRecordset, "COLUMN_TYPE")) &&
                !TipFieldText(pRecordset, "COLUMN_NAME").IsEmpty())
                m_mapMemberList.SetAt(TipParameter(pRecordset), strCode);
            pRecordset->MoveNext();
        }
        pRecordset->Close();
    } catch (const _com_error&) {
        // Nothing is shown: what was read before the error stays.
    } catch (CException* pError) {
        pError->Delete();
    }
    return 0;
}

// ---------------------------------------------------------------- tracking

namespace {

// Scans the text from the tip's start to nEnd: the number of the argument
// there (1 + the commas outside string literals and nested parentheses),
// and whether nEnd lies outside any literal.
struct TipArgumentScan {
    int nArgument = 1;
    bool bOutsideQuotes = true;
    // Parentheses opened since the tip's start and not yet closed.
    int nDepth = 0;
};

TipArgumentScan ScanTipArguments(const CString& strText, int nStart, int nEnd)
{
    TipArgumentScan scan;
    char chQuote = 0;
    int nDepth = 0;
    nEnd = std::min(nEnd, strText.GetLength());
    for (int i = std::max(nStart, 0); i < nEnd; ++i) {
        const char ch = strText[i];
        if (chQuote != 0) {
            if (ch == chQuote)
                chQuote = 0;  // a doubled quote closes and opens again
            continue;
        }
        if (ch == '\'' || ch == '"')
            chQuote = ch;
        else if (ch == '(')
            ++nDepth;
        else if (ch == ')' && nDepth > 0)
            --nDepth;
        else if (ch == ',' && nDepth == 0)
            ++scan.nArgument;
    }
    scan.bOutsideQuotes = chQuote == 0;
    scan.nDepth = nDepth;
    return scan;
}

void SetTipArgument(CCustomerEditCtrl& edit, int nArgument)
{
    if (edit.m_pFuncTipWnd == nullptr)
        return;
    CFuncTipStatic& text = edit.m_pFuncTipWnd->m_dlgTip.m_wndText;
    if (text.m_nCurrentParam == nArgument)
        return;
    text.m_nCurrentParam = nArgument;
    if (text.m_hWnd != nullptr)
        text.Invalidate();
}

} // namespace

BOOL CCustomerEditCtrl::IsOutsideQuotes()
{
    if (m_pFuncTipWnd == nullptr || !m_bFuncTipOpen || m_nCaretOffset - 1 < m_nFuncTipStart)
        return FALSE;
    return ScanTipArguments(GetText(), m_nFuncTipStart, m_nCaretOffset - 1).bOutsideQuotes;
}

void CCustomerEditCtrl::CloseFuncTip()
{
    if (m_pFuncTipWnd != nullptr) {
        if (m_pFuncTipWnd->m_hWnd != nullptr)
            m_pFuncTipWnd->PostMessage(WM_CLOSE);
        m_pFuncTipWnd = nullptr;
    }
    m_bFuncTipOpen = 0;
    m_nFuncTipStart = 0;
    m_bProcedureTip = 0;
    m_bFunctionTip = 0;
}

void CCustomerEditCtrl::TrackFuncTipChar(UINT nChar)
{
    if (m_pFuncTipWnd == nullptr || !m_bFuncTipOpen)
        return;
    switch (nChar) {
    case ',':
        if (IsOutsideQuotes())
            SetTipArgument(*this, ScanTipArguments(GetText(), m_nFuncTipStart, m_nCaretOffset).nArgument);
        break;
    case ')': {
        // A parenthesis that closes one opened inside the arguments, or one
        // inside a literal, leaves the tip open.
        const TipArgumentScan scan = ScanTipArguments(GetText(), m_nFuncTipStart, m_nCaretOffset - 1);
        if (m_bProcedureTip && scan.bOutsideQuotes && scan.nDepth == 0)
            CloseFuncTip();
        break;
    }
    case ']':
        if (m_bFunctionTip)
            CloseFuncTip();
        break;
    case ';':
        if (m_bProcedureTip || m_bFunctionTip)
            CloseFuncTip();
        break;
    default: break;
    }
}

void CCustomerEditCtrl::TrackFuncTipKey(UINT nVirtKey)
{
    if (m_pFuncTipWnd == nullptr || !m_bFuncTipOpen)
        return;
    const CString strText = GetText();
    const int nCaret = m_nCaretOffset;
    const int nCount = m_pFuncTipWnd->m_dlgTip.m_wndText.m_nParamCount;
    switch (nVirtKey) {
    case VK_BACK:
    case VK_LEFT:
        if (nCaret - 1 < m_nFuncTipStart) {
            CloseFuncTip();
            break;
        }
        // The caret is about to step back over the character before it.
        SetTipArgument(*this, std::max(1, ScanTipArguments(strText, m_nFuncTipStart, nCaret - 1).nArgument));
        break;
    case VK_RIGHT: {
        if (nCaret - 1 < m_nFuncTipStart)
            break;
        const char chBefore = nCaret > 0 && nCaret <= strText.GetLength() ? strText[nCaret - 1] : '\0';
        const TipArgumentScan before = ScanTipArguments(strText, m_nFuncTipStart, nCaret - 1);
        if ((chBefore == ')' || chBefore == ';') && before.bOutsideQuotes) {
            CloseFuncTip();
            break;
        }
        if (nCaret < strText.GetLength())
            SetTipArgument(*this,
                           std::min(std::max(nCount, 1), ScanTipArguments(strText, m_nFuncTipStart, nCaret + 1).nArgument));
        break;
    }
    case VK_UP:
    case VK_DOWN: {
        if (nCaret - 1 < m_nFuncTipStart)
            break;
        const CString strSpan = strText.Mid(m_nFuncTipStart, nCaret);
        if (strSpan.FindOneOf("\r\n") >= 0)
            CloseFuncTip();
        break;
    }
    case VK_RETURN:
    case VK_MENU:
    case VK_ESCAPE: CloseFuncTip(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- opening

BOOL CCustomerEditCtrl::ShowFuncTipWnd(CObList& list, int x, int y)
{
    if (list.IsEmpty())
        return FALSE;
    // One tip at a time.
    if (m_pFuncTipWnd != nullptr && m_pFuncTipWnd->m_hWnd != nullptr)
        m_pFuncTipWnd->DestroyWindow();
    m_pFuncTipWnd = nullptr;
    m_bFuncTipOpen = 0;
    auto* pTip = new CCustomerEditIntelliFuncWnd;
    if (!pTip->Create(&list, WS_POPUP | WS_VISIBLE | MFS_SYNCACTIVE, x, y, this, 0)) {
        m_pFuncTipWnd = nullptr;
        m_bFuncTipOpen = 0;
        if (pTip->m_hWnd != nullptr)
            pTip->DestroyWindow();  // deletes itself once its window is gone
        else
            delete pTip;
        return FALSE;
    }
    return TRUE;
}

BOOL CCustomerEditCtrl::FindObjectBeforeParen(LPCTSTR lpszText, int& nOffset, CString& strName)
{
    if (lpszText == nullptr)
        return FALSE;
    int i = std::min<int>(nOffset, static_cast<int>(std::strlen(lpszText))) - 1;
    while (i >= 0 && m_strBlanks.Find(lpszText[i]) >= 0 && m_strIntelliSenseChars.Find(lpszText[i]) < 0)
        --i;
    if (i < 0)
        return FALSE;
    CString strFound;
    if (GetQualifiedNameAt(lpszText, i, strFound) && IsKnownObject(strFound)) {
        strName = strFound;
        nOffset = i + 1;
        return TRUE;
    }
    if (GetPrevQualifiedName(lpszText, i, strFound) && IsKnownObject(strFound + ".")) {
        strName = strFound + ".";
        nOffset = i + 1;
        return TRUE;
    }
    return FALSE;
}

BOOL CCustomerEditCtrl::FillFuncTipList(CObList& list, LPCTSTR lpszWord)
{
    if (!m_bEnableIntelliSense || lpszWord == nullptr)
        return FALSE;
    CString strWord(lpszWord);
    const CString strWithoutLast = strWord.IsEmpty() ? strWord : strWord.Left(strWord.GetLength() - 1);
    if (!IsKnownObject(strWord) && !IsKnownObject(strWithoutLast))
        return FALSE;
    KtvPDeleteIntelliSenseItems(list);
    AddMemberListItems(list);
    return !list.IsEmpty();
}

BOOL CCustomerEditCtrl::FillFuncTipListAt(int& nOffset, CObList& list)
{
    CString strName;
    const CString strText = GetText();
    if (!FindObjectBeforeParen(strText, nOffset, strName))
        return FALSE;
    return FillFuncTipList(list, strName);
}

BOOL CCustomerEditCtrl::InvokeFuncTip()
{
    CObList list;
    int nOffset = m_nCaretOffset;
    if (!FillFuncTipListAt(nOffset, list)) {
        KtvPDeleteIntelliSenseItems(list);
        OnFailedOperation(8);
        return FALSE;
    }
    POINT pt{};
    OffsetToPoint(m_nCaretOffset, pt);
    ::ClientToScreen(m_hWnd, &pt);
    const BOOL bShown = ShowFuncTipWnd(list, pt.x, pt.y);
    if (bShown) {
        m_bFuncTipOpen = 1;
        m_nFuncTipStart = m_nCaretOffset;
    }
    KtvPDeleteIntelliSenseItems(list);
    return bShown;
}
