// Running a batch in a query window: Execute, the worker's messages,
// completion, cancel, pause and closing, and the window's other commands.
#include <fstream>
#include <sstream>

#include "app/MainFrame.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "session/ChildFrame.h"
#include "session/VariantText.h"
#include "session/VelQryViews.h"

using namespace ADODB;

namespace {

CMainFrame* MainFrameOfBatch() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

constexpr const char* kCompleted = "Query batch completed";
constexpr const char* kCompletedWithErrors = "Query batch completed with errors";
constexpr const char* kCanceled = "Query batch canceled";
constexpr const char* kCanceledByUser = "Query canceled by user.";
constexpr const char* kNothingBack = "The command(s) completed successfully.";
constexpr const char* kTransactionPrefix = "BEGIN TRANSACTION ";

// Blanks, then CR LF, then LF, then tabs, from one end, each pass its own.
CString TrimConsolePasses(CString text)
{
    text.TrimLeft(' ');
    text.TrimLeft("\r\n");
    text.TrimLeft('\n');
    text.TrimLeft('\t');
    text.TrimRight(' ');
    text.TrimRight("\r\n");
    text.TrimRight('\n');
    text.TrimRight('\t');
    return text;
}

// The whole file as UTF-8 text: UTF-8 with or without its mark, or UTF-16
// with its mark. FALSE with the reason when it cannot be read.
BOOL ReadScriptFile(const CString& path, CString& text, CString& reason)
{
    std::ifstream file(static_cast<const char*>(path), std::ios::binary);
    if (!file) {
        reason.Format("%s could not be opened: %s", static_cast<const char*>(path), strerror(errno));
        return FALSE;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    std::string data = bytes.str();
    if (data.size() >= 3 && data.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        data.erase(0, 3);
    } else if (data.size() >= 2 && (data.compare(0, 2, "\xFF\xFE") == 0 || data.compare(0, 2, "\xFE\xFF") == 0)) {
        const bool little = data[0] == '\xFF';
        std::u16string wide;
        for (size_t i = 2; i + 1 < data.size(); i += 2) {
            const unsigned lo = static_cast<unsigned char>(data[little ? i : i + 1]);
            const unsigned hi = static_cast<unsigned char>(data[little ? i + 1 : i]);
            wide.push_back(static_cast<char16_t>(lo | (hi << 8)));
        }
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
        data.assign(size_t(std::max(size, 0)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), data.data(), size, nullptr, nullptr);
    }
    text = CString(data.c_str(), int(data.size()));
    return TRUE;
}

}  // namespace

CString CChildFrame::ActiveEditorKind(CView** ppView)
{
    CView* pView = m_pQueryView ? m_pQueryView->GetActiveView() : nullptr;
    if (ppView)
        *ppView = pView;
    if (pView == nullptr)
        return CString();
    CString kind;
    pView->GetWindowText(kind);
    kind.Trim(' ');
    return kind;
}

void CChildFrame::CloseRecordset()
{
    try {
        if (m_pRecordset != nullptr && m_pRecordset->GetState() != adStateClosed)
            m_pRecordset->Close();
    } catch (const _com_error&) {
    }
}

BOOL CChildFrame::ActiveTransactionCount(long& nCount)
{
    nCount = 0;
    try {
        CloseRecordset();
        m_pRecordset->Open("select @@TRANCOUNT", _variant_t(static_cast<IDispatch*>(m_pConnection)),
                           adOpenForwardOnly, adLockReadOnly, adCmdText);
        if (m_pRecordset->GetState() == adStateOpen && !m_pRecordset->GetBOF()) {
            _variant_t value = m_pRecordset->GetFields()->GetItem(_variant_t(0L))->GetValue();
            _variant_t asLong;
            if (SUCCEEDED(VariantChangeType(&asLong, &value, 0, VT_I4)))
                nCount = asLong.lVal;
        }
        CloseRecordset();
        return TRUE;
    } catch (const _com_error&) {
        CloseRecordset();
        return FALSE;
    }
}

void CChildFrame::OnQueryExecute()
{
    if (m_bExecuting)
        return;
    CView* pView = nullptr;
    const CString kind = ActiveEditorKind(&pView);
    CString batch;
    BOOL bPrefix = m_bTransactionMode;
    if (kind == "BatchEdit") {
        if (auto* pBatch = dynamic_cast<CVelQryBactchView*>(pView))
            batch = pBatch->GetExecuteText();
    } else if (kind == "CMDEdit") {
        auto* pConsole = dynamic_cast<CVelQryCommandView*>(pView);
        if (pConsole == nullptr)
            return;
        m_pConsoleView = pConsole;
        m_nConsoleMode = 1;
        // Shorthands are looked for on a lower-case copy; the statement runs as typed.
        const CString statement = TrimConsolePasses(pConsole->GetCommandText());
        CString lower(statement);
        lower.MakeLower();
        if (lower.Left(4) == "view" && statement.GetLength() > 5 && (lower[4] == ' ' || lower[4] == '\t')) {
            batch = "sp_help" + statement.Mid(4);
            m_nConsoleMode = 2;
            bPrefix = FALSE;
        } else if (lower.Left(3) == "!!!" && statement.GetLength() > 3) {
            CString path = statement.Mid(3, statement.GetLength() - 4);
            CString reason;
            if (!ReadScriptFile(path.Trim(), batch, reason)) {
                AfxMessageBox(reason.Left(1024));
                return;
            }
        } else if (lower.Left(2) == "!!" && statement.GetLength() > 2) {
            CString command = statement.Mid(2);
            command.TrimRight(';');
            command.Replace("'", "''");
            batch = "master..xp_cmdshell '" + command + "';";
            bPrefix = FALSE;
        } else {
            batch = statement;
        }
    } else if (kind == "EditMode") {
        if (auto* pEditor = dynamic_cast<CVelQryBactchView*>(pView))
            OpenEditMode(pEditor->GetExecuteText());
        return;
    } else {
        return;
    }
    if (batch.IsEmpty())
        return;
    if (bPrefix && m_bTransactSql) {
        long nOpen = 0;
        if (ActiveTransactionCount(nOpen) && nOpen == 0)
            batch = kTransactionPrefix + batch;
    }
    ShowStatus("Executing query batch...");
    ResetResults();
    m_dwStartTick = GetTickCount();
    m_nTimerId = SetTimer(1, 1000, nullptr);
    m_strExecTime = "Exec time: 00:00:00";
    ShowPaneText(m_nExecTimePane, m_strExecTime);
    m_strResultInfo = "Results Grid #0 of 0; 0 row(s); 0 col(s)";
    ShowPaneText(m_nResultInfoPane, m_strResultInfo);
    {
        std::lock_guard lock(m_pRun->textMutex);
        m_pRun->strMessages.clear();
        m_pRun->strLastMessage.clear();
        m_pRun->strTextResult.clear();
    }
    m_bExecuting = TRUE;
    m_bCancelling = FALSE;
    m_bCancelled = FALSE;
    m_pRun->bCancelled = false;
    m_pRun->bBatchCompleted = false;
    m_pRun->bDatabaseMayHaveChanged = false;
    m_pRun->SetPaused(false);
    m_bPaused = FALSE;
    if (CDocument* pDoc = GetActiveDocument()) {
        CString title = pDoc->GetTitle();
        if (const int nCut = title.Find(" - ("); nCut >= 0)
            title = title.Left(nCut);
        CString shown(batch);
        shown.Replace('\n', ' ');
        shown.Replace('\r', ' ');
        title += " - (" + (shown.GetLength() > 15 ? shown.Left(15) + "...)" : shown + ")");
        pDoc->SetTitle(title);
    }
    m_bTextMode = m_bTransactSql && FindNoCase(batch, "sp_helptext ", 0) == 0 && batch.Left(12) == "sp_helptext ";
    m_pRun->bTextMode = m_bTextMode != FALSE;
    if (m_bTextMode) {
        m_strResultInfo = "# of lines of text: 0";
        ShowPaneText(m_nResultInfoPane, m_strResultInfo);
    }
    m_pRun->bExecuting = true;
    OpenBatch(batch);
}

BOOL CChildFrame::OpenBatch(const CString& strBatch)
{
    CloseRecordset();
    {
        std::lock_guard lock(m_pRun->batchMutex);
        m_pRun->strPendingBatch = strBatch;
    }
    BOOL bResult = TRUE;
    try {
        m_pRecordset->Open(_bstr_t(strBatch), _variant_t(static_cast<IDispatch*>(m_pConnection)), adOpenForwardOnly,
                           adLockReadOnly, m_bAsyncExecute ? adAsyncExecute : adCmdText);
    } catch (const _com_error& error) {
        CString text = GetProviderErrorText();
        if (text.IsEmpty())
            text = GetComErrorText(error);
        SetLastMessage(text, FALSE);
        OnAppendMessage(0, 0);
        bResult = FALSE;
    } catch (...) {
        bResult = FALSE;
    }
    if (!bResult) {
        if (m_bTextMode)
            CompleteTextBatch(1, -1);
        else
            OnBatchCompleted(1, -1);
    }
    return bResult;
}

void CChildFrame::SetLastMessage(const CString& strText, BOOL bAppendToLog)
{
    std::lock_guard lock(m_pRun->textMutex);
    if (bAppendToLog) {
        if (!m_pRun->strMessages.empty())
            m_pRun->strMessages += "\n\n";
        m_pRun->strMessages += static_cast<const char*>(strText);
    } else {
        m_pRun->strMessages = static_cast<const char*>(strText);
    }
    m_pRun->strLastMessage = static_cast<const char*>(strText);
}

void CChildFrame::ResetResults()
{
    if (m_pResultView)
        m_pResultView->SetRedraw(FALSE);
    m_GridWindows.RemoveAll();
    m_nGridCount = 0;
    if (m_pResultView)
        m_pResultView->SetRedraw(TRUE);
    m_bBatchCompleted = FALSE;
    m_bCloseAppAfterBatch = FALSE;
    m_bDisconnectAllAfterBatch = FALSE;
    m_bCloseAfterBatch = FALSE;
    if (m_nTimerId != 0)
        KillTimer(m_nTimerId);
    m_nTimerId = 0;
    if (m_pResultView) {
        m_pResultView->Invalidate();
        m_pResultView->UpdateWindow();
    }
}

// --- the worker's messages -------------------------------------------------------------------

LRESULT CChildFrame::OnDeleteResultGrids(WPARAM, LPARAM)
{
    if (m_pResultView == nullptr || m_pResultView->m_nResultTabs <= 0)
        return 0;
    m_pResultView->m_nResultTabs = 0;
    m_pResultView->GetTabControl().RemoveAllTabs();
    m_pResultView->Invalidate();
    m_pResultView->UpdateWindow();
    return 0;
}

LRESULT CChildFrame::OnCreateResultGrid(WPARAM, LPARAM)
{
    if (!GetSafeHwnd() || m_pResultView == nullptr || m_pRun->bClosing.load())
        return -1;
    {
        std::lock_guard lock(m_pRun->batchMutex);
        m_pRun->param.pCurrentGrid = nullptr;
    }
    int nPosition = -1;
    if (CMainFrame* pMainFrame = MainFrameOfBatch())
        nPosition = pMainFrame->m_nResultTabNumber++;
    (void)nPosition;
    const int nTab = m_pResultView->AddView(RUNTIME_CLASS(CVelQryResultGridView), "Result");
    if (nTab < 0)
        return -1;
    ++m_pResultView->m_nResultTabs;
    auto* pGridView = dynamic_cast<CVelQryResultGridView*>(m_pResultView->GetTabControl().GetTabWnd(nTab));
    if (pGridView == nullptr)
        return -1;
    pGridView->OnInitialUpdate();
    if (!pGridView->m_Grid.GetSafeHwnd())
        return -1;
    m_GridWindows.AddTail(pGridView->m_Grid.GetSafeHwnd());
    m_nGridCount = int(m_GridWindows.GetCount());
    if (m_nGridCount == 1 && m_pQueryView != nullptr) {
        CWnd* pFocus = GetFocus();
        if (pFocus != nullptr && (pFocus == m_pResultView || m_pResultView->IsChild(pFocus)))
            m_pQueryView->SetFocus();
    }
    IDispatchPtr control;
    if (IUnknown* pUnknown = pGridView->m_Grid.GetControlUnknown())
        control = pUnknown;
    if (control == nullptr)
        return -1;
    std::lock_guard lock(m_pRun->batchMutex);
    m_pRun->param.pCurrentGrid = control;
    return 0;
}

LRESULT CChildFrame::OnShowResultGrid(WPARAM, LPARAM)
{
    if (!GetSafeHwnd() || m_nGridCount != 1 || m_GridWindows.IsEmpty())
        return 0;
    ::ShowWindow(static_cast<HWND>(m_GridWindows.GetHead()), SW_SHOW);
    return 0;
}

void CChildFrame::AddOutputLine(const CString& strLine)
{
    if (CMainFrame* pMainFrame = MainFrameOfBatch(); pMainFrame && pMainFrame->m_wndOutput.GetSafeHwnd())
        pMainFrame->m_wndOutput.AddLine(strLine);
}

void CChildFrame::ShowLastMessage()
{
    std::string last;
    {
        std::lock_guard lock(m_pRun->textMutex);
        last = m_pRun->strLastMessage;
    }
    // One Output row per line of the message.
    size_t start = 0;
    while (start <= last.size()) {
        size_t end = last.find('\n', start);
        if (end == std::string::npos)
            end = last.size();
        std::string line = last.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            AddOutputLine(line.c_str());
        start = end + 1;
    }
}

LRESULT CChildFrame::OnAppendMessage(WPARAM, LPARAM)
{
    if (m_pRun->bClosing.load())
        return 0;
    ShowLastMessage();
    return 0;
}

// --- completion ------------------------------------------------------------------------------

LRESULT CChildFrame::OnBatchCompleted(WPARAM wParam, LPARAM)
{
    if (!GetSafeHwnd() || m_bBatchCompleted)
        return 0;
    m_bBatchCompleted = TRUE;
    m_pRun->bBatchCompleted = true;
    {
        std::lock_guard lock(m_pRun->batchMutex);
        m_pRun->strPendingBatch.Empty();
    }
    CloseRecordset();
    m_bCancelled = m_pRun->bCancelled.load();
    if (!m_bTextMode && m_nGridCount > 0) {
        if (m_pResultView) {
            m_pResultView->SetRedraw(TRUE);
            m_pResultView->Invalidate();
            m_pResultView->UpdateWindow();
        }
        ::ShowWindow(static_cast<HWND>(m_GridWindows.GetTail()), SW_SHOW);
    }
    if (m_bTextMode && !m_bCancelled)
        ShowTextResult();
    const BOOL bNothingBack = m_bTextMode ? GetTextResult().IsEmpty() : m_nGridCount == 0;
    if (m_bCancelled) {
        m_strStatus = kCanceled;
        SetLastMessage(kCanceledByUser, TRUE);
        OnAppendMessage(0, 0);
    } else if (wParam) {
        m_strStatus = kCompletedWithErrors;
    } else {
        m_strStatus = kCompleted;
        if (bNothingBack && GetMessages().IsEmpty()) {
            SetLastMessage(kNothingBack, FALSE);
            OnAppendMessage(0, 0);
        }
    }
    ShowPaneText(0, m_strStatus);
    UpdateExecTime();
    if (m_nTimerId != 0)
        KillTimer(m_nTimerId);
    m_nTimerId = 0;
    m_bExecuting = FALSE;
    m_bCancelling = FALSE;
    m_bCancelled = FALSE;
    m_pRun->bExecuting = false;
    m_pRun->SetPaused(false);
    m_bPaused = FALSE;
    // The worker only reports that a "USE " batch ended; the box is the UI's.
    if (m_pRun->bDatabaseMayHaveChanged.exchange(false)) {
        const CString before = m_strCurrentDatabase;
        if (RefreshCurrentDatabase() && m_strCurrentDatabase != before)
            RefreshEditorNames();
    }
    TidyConsole();
    if (!m_bCloseAfterBatch && !m_bCloseAppAfterBatch && !m_bDisconnectAllAfterBatch) {
        if (CWinApp* pApp = AfxGetApp())
            for (LONG lCount = 0; pApp->OnIdle(lCount); ++lCount) {
            }
    }
    return 0;
}

void CChildFrame::ShowTextResult()
{
    const CString text = GetTextResult();
    if (text.IsEmpty() || m_pResultView == nullptr)
        return;
    OnDeleteResultGrids(0, 0);
    const int nTab = m_pResultView->AddView(RUNTIME_CLASS(CVelQryTextResultView), "Result");
    if (nTab < 0)
        return;
    ++m_pResultView->m_nResultTabs;
    if (auto* pView = dynamic_cast<CVelQryTextResultView*>(m_pResultView->GetTabControl().GetTabWnd(nTab)))
        pView->ShowText(text);
}

void CChildFrame::TidyConsole()
{
    if (m_pConsoleView == nullptr || (m_nConsoleMode != 1 && m_nConsoleMode != 2))
        return;
    m_pConsoleView->FinishStatement(m_strStatus);
    m_nConsoleMode = 0;
}

LRESULT CChildFrame::CompleteTextBatch(WPARAM wParam, LPARAM lParam)
{
    OnBatchCompleted(wParam, lParam);
    m_bTextMode = FALSE;
    m_pRun->bTextMode = false;
    return 0;
}

// --- cancel, pause and close -----------------------------------------------------------------

void CChildFrame::OnQueryCancel()
{
    m_bCloseAfterBatch = FALSE;
    CancelBatch();
}

void CChildFrame::CancelBatch()
{
    if (!m_bExecuting) {
        RunPendingCloseAction();
        return;
    }
    if (m_bCancelling || m_bBatchCompleted)
        return;
    m_bCancelling = TRUE;
    ShowStatus("Attempting to cancel query batch...");
    // A paused worker is let go so that it sees the cancel.
    m_pRun->SetPaused(false);
    m_bPaused = FALSE;
    StartCancelThread(m_pRun, m_bAsyncExecute);
}

LRESULT CChildFrame::OnCancelCompleted(WPARAM, LPARAM)
{
    if (!GetSafeHwnd())
        return 0;
    m_bCancelled = TRUE;
    BOOL bPending = FALSE;
    {
        std::lock_guard lock(m_pRun->batchMutex);
        bPending = !m_pRun->strPendingBatch.IsEmpty();
    }
    if (bPending) {
        if (m_bTextMode)
            CompleteTextBatch(0, -1);
        else
            OnBatchCompleted(0, -1);
    }
    RunPendingCloseAction();
    return 0;
}

void CChildFrame::RunPendingCloseAction()
{
    if (m_bCloseAppAfterBatch) {
        m_bCloseAppAfterBatch = FALSE;
        if (CWnd* pMain = AfxGetMainWnd())
            pMain->SendMessage(WM_CLOSE);
    } else if (m_bDisconnectAllAfterBatch) {
        m_bDisconnectAllAfterBatch = FALSE;
        if (CMainFrame* pMainFrame = MainFrameOfBatch())
            pMainFrame->SendMessage(WM_COMMAND, ID_TW_DISCONNECT_ALL);
    } else if (m_bCloseAfterBatch) {
        m_bCloseAfterBatch = FALSE;
        SendMessage(WM_CLOSE);
    }
}

void CChildFrame::OnQueryPause()
{
    if (!m_bExecuting && !m_bCancelling)
        return;
    m_bPaused = !m_bPaused;
    m_pRun->SetPaused(m_bPaused != FALSE);
}

void CChildFrame::OnUpdateQueryPause(CCmdUI* pCmdUI)
{
    const BOOL bRunning = m_bExecuting || m_bCancelling;
    pCmdUI->Enable(bRunning);
    pCmdUI->SetCheck(bRunning && m_bPaused);
}

void CChildFrame::OnClose()
{
    if (m_bCancelling) {
        m_bCloseAfterBatch = TRUE;
    } else if (IsIconic()) {
        ShowWindow(SW_SHOWNORMAL);
    }
    if (m_bCancelling && !m_bCancelled && !m_pRun->bCancelled.load()) {
        // Disconnect All and the program's close go on when the cancel has run.
        if (CMainFrame* pMainFrame = MainFrameOfBatch()) {
            if (pMainFrame->m_bDisconnectingAll)
                m_bDisconnectAllAfterBatch = TRUE;
            if (pMainFrame->m_bClosingApp)
                m_bCloseAppAfterBatch = TRUE;
        }
        return;
    }
    if (m_bTransactionMode && !m_bExecuting && m_pConnection != nullptr) {
        long nOpen = 0;
        if (ActiveTransactionCount(nOpen) && nOpen > 0) {
            const int answer = AfxMessageBox("This window has an open transaction. Commit it before closing?\n"
                                             "Yes commits, No rolls it back, Cancel keeps the window open.",
                                             MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDCANCEL)
                return;
            m_bTransactionMode = FALSE;
            RunStatementNow(answer == IDYES ? "COMMIT TRANSACTION" : "ROLLBACK TRANSACTION");
        }
    }
    CKtvPMDIChildWnd::OnClose();
}

// --- the window's other commands -------------------------------------------------------------

void CChildFrame::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(FALSE);
}

void CChildFrame::OnUpdateSelectDatabase(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nConnectionState == adStateOpen && m_bTransactSql && !m_bExecuting);
}

void CChildFrame::OnUpdateNewQueryWindow(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nConnectionState == adStateOpen); }

void CChildFrame::OnUpdateTransactionBegin(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bTransactionMode); }

void CChildFrame::OnUpdateTransactionEnd(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bTransactionMode); }

void CChildFrame::OnTransactionBegin() { m_bTransactionMode = !m_bTransactionMode; }

void CChildFrame::OnTransactionCommit()
{
    m_bTransactionMode = FALSE;
    RunStatementNow("COMMIT TRANSACTION");
}

void CChildFrame::OnTransactionRollback()
{
    m_bTransactionMode = FALSE;
    RunStatementNow("ROLLBACK TRANSACTION");
}

BOOL CChildFrame::RunStatementNow(const CString& strStatement)
{
    if (m_bExecuting || m_pConnection == nullptr)
        return FALSE;
    BOOL bResult = TRUE;
    try {
        CloseRecordset();
        m_pRecordset->Open(_bstr_t(strStatement), _variant_t(static_cast<IDispatch*>(m_pConnection)),
                           adOpenForwardOnly, adLockReadOnly, adCmdText);
        CString notes = GetProviderErrorText();
        SetLastMessage(notes.IsEmpty() ? CString(kNothingBack) : notes, FALSE);
    } catch (const _com_error& error) {
        CString text = GetProviderErrorText();
        SetLastMessage(text.IsEmpty() ? GetComErrorText(error) : text, FALSE);
        bResult = FALSE;
    }
    CloseRecordset();
    OnAppendMessage(0, 0);
    return bResult;
}

void CChildFrame::OnQueryParse()
{
    CView* pView = nullptr;
    const CString kind = ActiveEditorKind(&pView);
    CString text;
    if (auto* pBatch = dynamic_cast<CVelQryBactchView*>(pView); pBatch && (kind == "BatchEdit" || kind == "EditMode"))
        text = pBatch->GetExecuteText();
    else if (auto* pConsole = dynamic_cast<CVelQryCommandView*>(pView); pConsole && kind == "CMDEdit")
        text = pConsole->GetCommandText();
    if (text.IsEmpty())
        return;
    CMainFrame* pMainFrame = MainFrameOfBatch();
    try {
        if (pMainFrame == nullptr || pMainFrame->m_SQLServer == nullptr)
            throw std::runtime_error("no server");
        CString database = m_strCurrentDatabase;
        if (CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo(); pBox && pBox->GetItem(-1))
            database = pBox->GetItem(-1);
        pMainFrame->m_Database = pMainFrame->m_SQLServer->GetDatabases()->Item(_variant_t(database));
        pMainFrame->m_Database->ExecuteImmediate(_bstr_t(text), SQLDMO::SQLDMOExec_ParseOnly);
        std::lock_guard lock(m_pRun->textMutex);
        m_pRun->strLastMessage = "No error.";
    } catch (const _com_error& error) {
        CString provider = GetProviderErrorText();
        if (!provider.IsEmpty()) {
            SetLastMessage(provider, FALSE);
        } else {
            const CString full = GetComErrorText(error);
            CString shown = full;
            // The driver's prefix goes only when it is there.
            static const char kPrefix[] = "Description: [Microsoft][ODBC SQL Server Driver][SQL Server]";
            if (const int nAt = full.Find(kPrefix); nAt >= 0)
                shown = full.Mid(nAt + int(sizeof kPrefix) - 1);
            else if (const int nDescription = full.Find("Description: "); nDescription >= 0)
                shown = full.Mid(nDescription + 13);
            std::lock_guard lock(m_pRun->textMutex);
            m_pRun->strMessages = static_cast<const char*>(full);
            m_pRun->strLastMessage = static_cast<const char*>(shown);
        }
    } catch (...) {
        SetLastMessage("Errors occurred.", FALSE);
    }
    OnAppendMessage(0, 0);
}
