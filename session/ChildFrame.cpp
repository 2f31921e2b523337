// The query window's state, creation, status panes and teardown.
#include "session/ChildFrame.h"

#include "app/MainFrame.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Sync.h"
#include "session/ConnectionEvents.h"
#include "session/VelQryViews.h"

IMPLEMENT_DYNCREATE(CChildFrame, CKtvPMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CKtvPMDIChildWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI(ID_QUERY_PANE_STATUS, OnUpdateStatusPane)
    ON_UPDATE_COMMAND_UI(ID_QUERY_PANE_EXEC_TIME, OnUpdateExecTimePane)
    ON_UPDATE_COMMAND_UI(ID_QUERY_PANE_RESULT_INFO, OnUpdateResultInfoPane)
    ON_UPDATE_COMMAND_UI(ID_QUERY_PANE_LINE_COLUMN, OnUpdateLineColumnPane)
    ON_COMMAND(ID_QUERY_EXECUTE, OnQueryExecute)
    ON_COMMAND(ID_QUERY_CANCEL, OnQueryCancel)
    ON_COMMAND(ID_QUERY_PAUSE, OnQueryPause)
    ON_COMMAND(ID_QUERY_PARSE, OnQueryParse)
    ON_COMMAND(ID_TRANSACTION_BEGIN, OnTransactionBegin)
    ON_COMMAND(ID_TRANSACTION_COMMIT, OnTransactionCommit)
    ON_COMMAND(ID_TRANSACTION_ROLLBACK, OnTransactionRollback)
    ON_UPDATE_COMMAND_UI(ID_QUERY_EXECUTE, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_QUERY_CANCEL, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_QUERY_PARSE, OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_QUERY_PAUSE, OnUpdateQueryPause)
    ON_UPDATE_COMMAND_UI(ID_QUERY_SELECT_DATABASE, OnUpdateSelectDatabase)
    ON_UPDATE_COMMAND_UI(ID_QUERY_NEW_WINDOW, OnUpdateNewQueryWindow)
    ON_UPDATE_COMMAND_UI(ID_TRANSACTION_BEGIN, OnUpdateTransactionBegin)
    ON_UPDATE_COMMAND_UI(ID_TRANSACTION_COMMIT, OnUpdateTransactionEnd)
    ON_UPDATE_COMMAND_UI(ID_TRANSACTION_ROLLBACK, OnUpdateTransactionEnd)
    ON_CBN_SELCHANGE(ID_QUERY_SELECT_DATABASE, OnDatabaseComboChange)
    ON_MESSAGE(WM_BATCH_COMPLETED, OnBatchCompleted)
    ON_MESSAGE(WM_TEXT_BATCH_COMPLETED, CompleteTextBatch)
    ON_MESSAGE(WM_CANCEL_COMPLETED, OnCancelCompleted)
    ON_MESSAGE(WM_CREATE_RESULT_GRID, OnCreateResultGrid)
    ON_MESSAGE(WM_SHOW_RESULT_GRID, OnShowResultGrid)
    ON_MESSAGE(WM_APPEND_MESSAGE, OnAppendMessage)
    ON_MESSAGE(WM_DELETE_RESULT_GRIDS, OnDeleteResultGrids)
    // Select Database (ChildFrameSession.cpp).
    ON_COMMAND(ID_QUERY_SELECT_DATABASE, OnSelectDatabase)
END_MESSAGE_MAP()

namespace {

constexpr UINT kChildStatusBarId = 0xE801;
constexpr DWORD kWorkerWaitMs = 30000;
const UINT kQueryIndicators[] = {ID_QUERY_PANE_STATUS, ID_QUERY_PANE_EXEC_TIME, ID_QUERY_PANE_RESULT_INFO,
                                 ID_QUERY_PANE_LINE_COLUMN};

// Every value of the setting gives the lowest priority, as it always has.
int FetchPriorityFromSetting(const CString&) { return THREAD_PRIORITY_LOWEST; }

// Waits for a worker, answering the messages it sends meanwhile (the grid's
// calls and the window's own, which a closing window answers at once).
void WaitForWorker(CWinThread* pThread)
{
    if (pThread == nullptr || pThread->m_hThread == nullptr)
        return;
    const DWORD start = GetTickCount();
    for (;;) {
        if (::WaitForSingleObject(pThread->m_hThread, 5) == WAIT_OBJECT_0)
            return;
        MSG msg;
        ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
        if (GetTickCount() - start >= kWorkerWaitMs)
            return;
    }
}

}  // namespace

CChildFrame::CChildFrame() : m_pRun(std::make_shared<QueryRunState>())
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        m_nQueryTimeOut = int(pApp->GetProfileInt("Configure", "QueryTimeOut", 0));
        m_nCacheSize = int(pApp->GetProfileInt("Configure", "CacheSize", 100));
        m_nFetchPriority = FetchPriorityFromSetting(pApp->GetProfileString("Configure", "ThreadPriority", ""));
    }
    m_pRun->nFetchPriority = m_nFetchPriority;
}

CChildFrame::~CChildFrame()
{
    // A window whose creation failed never went through its teardown.
    if (!m_bTornDown)
        StopWorkers();
}

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) { return CKtvPMDIChildWnd::PreCreateWindow(cs) ? TRUE : FALSE; }

void CChildFrame::ActivateFrame(int) { CKtvPMDIChildWnd::ActivateFrame(SW_SHOWMAXIMIZED); }

int CChildFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kChildStatusBarId) ||
        !m_wndStatusBar.SetIndicators(kQueryIndicators, 4))
        return -1;
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    m_wndStatusBar.GetPaneInfo(0, nID, nStyle, cx);
    m_wndStatusBar.SetPaneInfo(0, nID, SBPS_STRETCH, cx);
    m_wndStatusBar.SetPaneInfo(m_nExecTimePane, ID_QUERY_PANE_EXEC_TIME, 0, 100);
    m_wndStatusBar.SetPaneInfo(m_nResultInfoPane, ID_QUERY_PANE_RESULT_INFO, 0, 30);
    m_wndStatusBar.SetPaneInfo(m_nLineColPane, ID_QUERY_PANE_LINE_COLUMN, 0, 60);
    m_wndStatusBar.SetPaneText(0, m_strStatus);
    m_wndStatusBar.SetPaneText(m_nExecTimePane, m_strExecTime);
    m_wndStatusBar.SetPaneText(m_nResultInfoPane, m_strResultInfo);
    m_pRun->hWindow = GetSafeHwnd();
    return 0;
}

BOOL CChildFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CVelQryView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CVelQryResultView), CSize(0, 0), pContext))
        return FALSE;
    m_pQueryView = dynamic_cast<CVelQryView*>(m_wndSplitter.GetPane(0, 0));
    m_pResultView = m_wndSplitter.GetSafeHwnd() ? dynamic_cast<CVelQryResultView*>(m_wndSplitter.GetPane(1, 0))
                                                : nullptr;
    m_bSplitterReady = TRUE;
    return TRUE;
}

void CChildFrame::OnSize(UINT nType, int cx, int cy)
{
    if (m_bSplitterReady)
        m_wndSplitter.SetRowInfo(0, std::max(cy / 2, 0), 0);
    CKtvPMDIChildWnd::OnSize(nType, cx, cy);
}

void CChildFrame::ShowPaneText(int nPane, const CString& strText)
{
    if (m_wndStatusBar.GetSafeHwnd())
        m_wndStatusBar.SetPaneText(nPane, strText);
}

void CChildFrame::ShowStatus(LPCTSTR lpszText)
{
    m_strStatus = lpszText;
    ShowPaneText(0, m_strStatus);
}

void CChildFrame::OnUpdateStatusPane(CCmdUI* pCmdUI)
{
    if (!m_bExecuting && m_strStatus.IsEmpty())
        m_strStatus = "Ready";
    pCmdUI->SetText(m_strStatus);
    pCmdUI->Enable(TRUE);
}

void CChildFrame::OnUpdateExecTimePane(CCmdUI* pCmdUI)
{
    m_wndStatusBar.SetPaneWidth(m_nExecTimePane, 5 * (m_strExecTime.GetLength() + 1));
    pCmdUI->SetText(m_strExecTime);
}

void CChildFrame::OnUpdateResultInfoPane(CCmdUI* pCmdUI)
{
    m_wndStatusBar.SetPaneWidth(m_nResultInfoPane, 5 * (m_strResultInfo.GetLength() + 1));
    pCmdUI->SetText(m_strResultInfo);
}

void CChildFrame::OnUpdateLineColumnPane(CCmdUI* pCmdUI)
{
    // The caret of the active editor, counted from 1.
    CView* pView = nullptr;
    ActiveEditorKind(&pView);
    auto* pEditView = dynamic_cast<CKtvPEditView*>(pView);
    if (pEditView == nullptr || pEditView->GetEditCtrl() == nullptr)
        return;
    CKtvPEditCtrl* pEdit = pEditView->GetEditCtrl();
    const CString text = pEdit->GetTextRange(0, pEdit->GetCaretOffset());
    const int nLastBreak = text.ReverseFind('\n');
    int nLine = 1;
    for (int i = 0; i < text.GetLength(); ++i)
        nLine += text[i] == '\n' ? 1 : 0;
    CString pane;
    pane.Format("Ln %d, Col %d", nLine, text.GetLength() - nLastBreak);
    pCmdUI->SetText(pane);
}

CString CChildFrame::FormatExecTime(DWORD dwElapsedMs)
{
    const DWORD seconds = dwElapsedMs / 1000;
    CString text;
    text.Format("Exec time: %02d:%02d:%02d", int(seconds / 3600 % 24), int(seconds / 60 % 60), int(seconds % 60));
    return text;
}

void CChildFrame::UpdateExecTime()
{
    m_strExecTime = FormatExecTime(GetTickCount() - m_dwStartTick);
    ShowPaneText(m_nExecTimePane, m_strExecTime);
}

void CChildFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerId || m_nTimerId == 0) {
        Default();
        return;
    }
    if (m_bExecuting)
        UpdateExecTime();
}

CString CChildFrame::GetTextResult()
{
    std::lock_guard lock(m_pRun->textMutex);
    return CString(m_pRun->strTextResult.c_str());
}

CString CChildFrame::GetMessages()
{
    std::lock_guard lock(m_pRun->textMutex);
    return CString(m_pRun->strMessages.c_str());
}

// --- teardown --------------------------------------------------------------------------------

void CChildFrame::StopWorkers()
{
    QueryRunState& run = *m_pRun;
    run.bClosing = true;
    run.SetPaused(false);
    m_bPaused = FALSE;
    try {
        if (run.pRecordset != nullptr && (run.pRecordset->GetState() & ADODB::adStateExecuting))
            run.pRecordset->Cancel();
    } catch (const _com_error&) {
    }
    try {
        if (m_pConnection != nullptr && m_pConnection->GetState() != ADODB::adStateClosed)
            m_pConnection->Close();
    } catch (const _com_error&) {
    }
    // The threads' objects stay with the shared state; only their ends are awaited here.
    CWinThread* pCancel = nullptr;
    CWinThread* pFetch = nullptr;
    {
        std::lock_guard lock(run.threadsMutex);
        pCancel = run.pCancelThread.get();
        pFetch = run.pFetchThread.get();
    }
    WaitForWorker(pCancel);
    WaitForWorker(pFetch);
}

void CChildFrame::OnDestroy()
{
    // The workers end while the grids they fill still exist.
    StopWorkers();
    m_pRun->hWindow = nullptr;
    CKtvPMDIChildWnd::OnDestroy();
}

void CChildFrame::PostNcDestroy()
{
    CWaitCursor wait;
    m_GridWindows.RemoveAll();
    m_nGridCount = 0;
    try {
        if (m_pConnection != nullptr) {
            if (m_pConnection->GetState() != ADODB::adStateClosed)
                m_pConnection->Close();
            m_pCommand = nullptr;
            m_pRecordset = nullptr;
            if (FAILED(UnadviseConnectionEvents()))
                m_pEventsSink = nullptr;
            m_pEventsSink = nullptr;
            m_pConnection = nullptr;
        }
    } catch (const _com_error&) {
    }
    m_nTimerId = 0;
    {
        std::lock_guard lock(m_pRun->batchMutex);
        m_pRun->param.pRecordset = nullptr;
        m_pRun->param.pCurrentGrid = nullptr;
    }
    m_pRun->pRecordset = nullptr;
    m_pRun->pConnection = nullptr;
    if (auto* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        if (POSITION pos = pMainFrame->m_QueryFrames.Find(this))
            pMainFrame->m_QueryFrames.RemoveAt(pos);
    }
    m_bTornDown = TRUE;
    CKtvPMDIChildWnd::PostNcDestroy();
}
