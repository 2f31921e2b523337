// The query window: an MDI child with its own ADO session, the editor tabs
// above and the result tabs below, a status bar of its own, and the workers
// that run its batches. Execution is asynchronous: the connection's events
// sink starts a fetch worker when the server has answered, and the worker
// reports back by window messages.
#pragma once

#include <memory>

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CSplitterWnd.h"
#include "session/FetchThreads.h"
#include "session/QueryWindowMessages.h"
#include "session/SessionOptions.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/frames/KtvPMDIChildWnd.h"

class CConnectionEvents;
class CVelQryView;
class CVelQryResultView;
class CVelQryCommandView;
class CVelQryEditModeView;
class CCmdUI;

class CChildFrame : public CKtvPMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int nCmdShow = -1) override;

    // --- connection --------------------------------------------------------------------------
    // Opens the window's session; FALSE when it did not open (the caller
    // destroys the window). A null string asks the profile loader.
    BOOL Connect(LPCTSTR lpszConnectString, LPVOID pUnused = nullptr, LPCTSTR lpszDatabase = nullptr);
    BOOL ReadConnectionProperties(LPCTSTR lpszDatabase);
    HRESULT AdviseConnectionEvents();
    HRESULT UnadviseConnectionEvents();
    BOOL UseDatabase(LPCTSTR lpszDatabase);
    BOOL FillDatabaseCombo();
    BOOL SyncCurrentDatabase();
    BOOL RefreshCurrentDatabase();
    CString GetProviderErrorText();
    CString GetComErrorText(const _com_error& error);

    // --- batches -----------------------------------------------------------------------------
    void OnQueryExecute();
    BOOL OpenBatch(const CString& strBatch);
    void CloseRecordset();
    void ResetResults();
    void CancelBatch();
    void RunPendingCloseAction();
    void UpdateExecTime();

    LRESULT OnBatchCompleted(WPARAM wParam, LPARAM lParam);
    LRESULT CompleteTextBatch(WPARAM wParam, LPARAM lParam);
    LRESULT OnCancelCompleted(WPARAM wParam, LPARAM lParam);
    LRESULT OnCreateResultGrid(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowResultGrid(WPARAM wParam, LPARAM lParam);
    LRESULT OnAppendMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteResultGrids(WPARAM wParam, LPARAM lParam);

    // What the window shares with its workers.
    QueryRunState& RunState() { return *m_pRun; }
    // The text a text-mode batch collected, the messages of the last batch.
    CString GetTextResult();
    CString GetMessages();

    // Members, as the window keeps them.
    CSplitterWnd m_wndSplitter;
    BOOL m_bSplitterReady = FALSE;
    CKtvPStatusBar m_wndStatusBar;
    CVelQryView* m_pQueryView = nullptr;
    CVelQryResultView* m_pResultView = nullptr;
    ADODB::_ConnectionPtr m_pConnection;
    ADODB::_CommandPtr m_pCommand;
    ADODB::_RecordsetPtr m_pRecordset;
    BOOL m_bDisconnectAllAfterBatch = FALSE;
    BOOL m_bCloseAppAfterBatch = FALSE;
    BOOL m_bTransactSql = FALSE;
    BOOL m_bMultipleResults = FALSE;
    BOOL m_bJetDatabase = FALSE;
    BOOL m_bPaused = FALSE;
    int m_nLineColPane = 3;
    BOOL m_bAsyncExecute = TRUE;
    int m_nGridCount = 0;
    BOOL m_bTextMode = FALSE;
    int m_nExecTimePane = 1;
    CString m_strExecTime = "Exec time: 00:00:00";
    BOOL m_bCancelling = FALSE;
    CString m_strStatus = "Ready";
    BOOL m_bBatchCompleted = FALSE;
    int m_nFetchPriority = THREAD_PRIORITY_LOWEST;
    CString m_strDataSource;
    int m_nResultInfoPane = 2;
    CString m_strDbmsName;
    CString m_strConnectString;
    long m_nConnectionState = 0;
    CString m_strProviderName;
    BOOL m_bCancelled = FALSE;
    BOOL m_bExecuting = FALSE;
    CString m_strCurrentDatabase;
    CPtrList m_GridWindows{10};
    CString m_strResultInfo = "Result: 0 Row";
    BOOL m_bForceLogon = FALSE;
    CVelQryCommandView* m_pConsoleView = nullptr;
    int m_nConsoleMode = 0;
    BOOL m_bTransactionMode = FALSE;
    BOOL m_bCloseAfterBatch = FALSE;
    CConnectionEvents* m_pEventsSink = nullptr;
    DWORD m_dwAdviseCookie = 0xFFFFFFFF;
    int m_nCacheSize = 100;
    int m_nQueryTimeOut = 0;
    UINT_PTR m_nTimerId = 0;
    DWORD m_dwStartTick = 0;

    // The limits the connect applies to the two settings.
    static int ClampQueryTimeOut(int nValue) { return nValue < 0 || nValue > 99999 ? 0 : nValue; }
    static int ClampCacheSize(int nValue) { return nValue < 1 || nValue > 999999 ? 100 : nValue; }
    // "Exec time: hh:mm:ss" for the whole seconds elapsed; whole days are dropped.
    static CString FormatExecTime(DWORD dwElapsedMs);

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    void OnDestroy();
    void OnUpdateStatusPane(CCmdUI* pCmdUI);
    void OnUpdateExecTimePane(CCmdUI* pCmdUI);
    void OnUpdateResultInfoPane(CCmdUI* pCmdUI);
    void OnUpdateLineColumnPane(CCmdUI* pCmdUI);

    void OnQueryCancel();
    void OnQueryPause();
    void OnUpdateQueryPause(CCmdUI* pCmdUI);
    void OnQueryParse();
    void OnTransactionBegin();
    void OnTransactionCommit();
    void OnTransactionRollback();
    void OnUpdateTransactionBegin(CCmdUI* pCmdUI);
    void OnUpdateTransactionEnd(CCmdUI* pCmdUI);
    void OnUpdateAlways(CCmdUI* pCmdUI);
    void OnUpdateSelectDatabase(CCmdUI* pCmdUI);
    void OnUpdateNewQueryWindow(CCmdUI* pCmdUI);
    void OnDatabaseComboChange();
    DECLARE_MESSAGE_MAP()

private:
    // The text and the kind of the active editor tab ("BatchEdit", "CMDEdit",
    // "EditMode"), empty when there is none.
    CString ActiveEditorKind(CView** ppView = nullptr);
    void ShowStatus(LPCTSTR lpszText);
    void ShowPaneText(int nPane, const CString& strText);
    void SetStatusOfMainFrame(LPCTSTR lpszText);
    // Stops the workers: releases a pause, cancels, closes the connection and
    // waits for both threads while answering what they send.
    void StopWorkers();
    void AddOutputLine(const CString& strLine);
    // One Output row per line of the last message.
    void ShowLastMessage();
    void SetLastMessage(const CString& strText, BOOL bAppendToLog);
    // A statement of the window run to its end on its recordset, for commit and
    // rollback: its messages or its error go to the Output pane.
    BOOL RunStatementNow(const CString& strStatement);
    BOOL ActiveTransactionCount(long& nCount);
    void TidyConsole();
    // The text of a text-mode batch, read-only in a result tab of its own.
    void ShowTextResult();

    std::shared_ptr<QueryRunState> m_pRun;
    BOOL m_bTornDown = FALSE;

public:
    // --- the editors' completion names ---------------------------------------------------------
    // After the window's database changed: the main frame's completion lists
    // are built for it, then the name maps of the Command, Batch and
    // Edit-Mode editors.
    void RefreshEditorNames();
    // --- session options and Select Database (ChildFrameSession.cpp) ---------------------------
public:
    // The SET options this window's session runs with, starting from the
    // main frame's values when the window opens.
    CSessionOptions m_SessionOptions = CSessionOptions::OfMainWindow();
    // Sends the changes from the record to `wanted` to this window's session,
    // SHOWPLAN_TEXT last in a batch of its own. The record takes what the
    // session took; on a refusal strError holds the server's message.
    BOOL ApplySessionOptions(const CSessionOptions& wanted, CString& strError);
    // Moves the session to the database as a choice in the database box does;
    // on failure strError says why and nothing changes.
    BOOL SwitchToDatabase(const CString& strDatabase, CString& strError);

protected:
    // Query/Select Database: the select-database dialog over this window.
    void OnSelectDatabase();

private:
    BOOL ExecuteOnSession(const CString& strText, CString& strError);

    // --- the profile save after a logon (session/ProfileSave.cpp) -------------------------------
public:
    // Stores a profile for a connection the logon road made and logs the
    // main window's server-management object in to the same server: 1 done,
    // 2 try once more, 0 failed (told to the user).
    int SaveConnectionProfile(LPCTSTR lpszConnectString);
    // Raises the _com_error of the server-management login.
    void LoginDmoServer(const _bstr_t& server, const _bstr_t& login, const _bstr_t& password, BOOL bIntegrated);

    // --- the edit-mode grid ---------------------------------------------------------------------
    // Execute on the Edit-Mode tab: the result tabs go and one "EditGrid" tab
    // opens the text's rows for editing on a connection of its own.
    void OpenEditMode(const CString& strText);
    CVelQryEditModeView* GetEditModeGrid();
};
