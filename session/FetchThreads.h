// What a query window shares with the threads of its batches: the fetch
// worker that reads the results (into grids, or as text), the cancel worker,
// and the provider's thread that reports the end of execution. The window
// and every worker hold it by a shared pointer, so a worker that outlives its
// window still finds it; the window's handle is cleared at teardown and the
// workers then send nothing more.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWinThread.h"

class CChildFrame;

// The batch handed to a fetch worker.
struct FetchThreadParam {
    CString strBatch;
    CChildFrame* pWindow = nullptr;
    // The grid being filled, as its control object; set by the window's
    // WM_CREATE_RESULT_GRID handler while the worker waits for it.
    IDispatchPtr pCurrentGrid;
    ADODB::_RecordsetPtr pRecordset;
    _variant_t vRecordsAffected;
};

struct QueryRunState {
    std::atomic<HWND> hWindow{nullptr};
    // The window is going away: its handlers answer at once and workers stop.
    std::atomic<bool> bClosing{false};
    std::atomic<bool> bCancelled{false};
    std::atomic<bool> bExecuting{false};
    std::atomic<bool> bBatchCompleted{false};
    std::atomic<bool> bTextMode{false};
    std::atomic<bool> bMultipleResults{false};
    std::atomic<bool> bTransactSql{false};
    // Set by a worker whose "USE " batch ended uncancelled; the window asks
    // the server for its database when it completes the batch.
    std::atomic<bool> bDatabaseMayHaveChanged{false};
    std::atomic<int> nFetchPriority{THREAD_PRIORITY_LOWEST};

    // Pause: the fetch worker waits between blocks of rows while it is set.
    std::mutex pauseMutex;
    std::condition_variable pauseChanged;
    bool bPaused = false;
    void SetPaused(bool paused);
    // Waits while paused, unless the batch is cancelled or the window closing.
    void WaitWhilePaused();
    bool Stopped() const { return bCancelled.load() || bClosing.load(); }

    // The batch whose execution started and that no worker has taken yet.
    std::mutex batchMutex;
    CString strPendingBatch;
    FetchThreadParam param;

    // The message log of the batch and its last line, and the text of a
    // text-mode batch: written by the worker just before it sends
    // WM_APPEND_MESSAGE, read by the window in the handler.
    std::mutex textMutex;
    std::string strMessages;
    std::string strLastMessage;
    std::string strTextResult;

    ADODB::_ConnectionPtr pConnection;
    ADODB::_RecordsetPtr pRecordset;

    // The workers of the current or last batch; the window waits for them.
    std::mutex threadsMutex;
    std::unique_ptr<CWinThread> pFetchThread;
    std::unique_ptr<CWinThread> pCancelThread;

    // Appends a message line to the log ("\n\n" between), makes it the last
    // message and sends WM_APPEND_MESSAGE; nothing after a cancel.
    void WriteMessage(const std::string& text);
    void SendToWindow(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult = nullptr);
    void PostToWindow(UINT message, WPARAM wParam, LPARAM lParam);
    // The recordset of the window closed when it is open; errors dropped.
    void CloseRecordset();
    // The Description of every error of the connection, "\n\n" between.
    std::string ProviderErrorText();
};

// Starts the worker that reads the batch into grids or, in text mode, into
// text. Kept by the state; FALSE when the thread could not be made.
BOOL StartFetchThread(const std::shared_ptr<QueryRunState>& state, BOOL bTextMode);
// Starts the cancel worker; FALSE when the thread could not be made.
BOOL StartCancelThread(const std::shared_ptr<QueryRunState>& state, BOOL bAsyncExecute);

UINT GridFetchThreadProc(LPVOID pParam);
UINT TextFetchThreadProc(LPVOID pParam);
UINT CancelThreadProc(LPVOID pParam);

// The HRESULT's system text, as the query window shows a COM error.
CString ComErrorText(const _com_error& error);
