#include "session/FetchThreads.h"

#include "platform/mfc/CWnd.h"
#include "platform/win32/kernel/Sync.h"
#include "session/QueryWindowMessages.h"

void QueryRunState::SetPaused(bool paused)
{
    {
        std::lock_guard lock(pauseMutex);
        bPaused = paused;
    }
    pauseChanged.notify_all();
}

void QueryRunState::WaitWhilePaused()
{
    std::unique_lock lock(pauseMutex);
    // The cancel and the teardown release a pause by notifying after they set their flag.
    pauseChanged.wait(lock, [this] { return !bPaused || Stopped(); });
}

void QueryRunState::WriteMessage(const std::string& text)
{
    if (bCancelled.load())
        return;
    {
        std::lock_guard lock(textMutex);
        if (!strMessages.empty())
            strMessages += "\n\n";
        strMessages += text;
        strLastMessage = text;
    }
    SendToWindow(WM_APPEND_MESSAGE, 0, 0);
}

void QueryRunState::SendToWindow(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const HWND hWnd = hWindow.load();
    const LRESULT result = hWnd && !bClosing.load() ? ::SendMessage(hWnd, message, wParam, lParam) : -1;
    if (pResult)
        *pResult = result;
}

void QueryRunState::PostToWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const HWND hWnd = hWindow.load())
        ::PostMessage(hWnd, message, wParam, lParam);
}

void QueryRunState::CloseRecordset()
{
    try {
        if (pRecordset != nullptr && pRecordset->GetState() != ADODB::adStateClosed)
            pRecordset->Close();
    } catch (const _com_error&) {
    }
}

std::string QueryRunState::ProviderErrorText()
{
    std::string text;
    try {
        if (pConnection == nullptr)
            return text;
        ADODB::ErrorsPtr errors = pConnection->GetErrors();
        const long count = errors->GetCount();
        for (long i = 0; i < count; ++i) {
            ADODB::ErrorPtr error = errors->GetItem(_variant_t(i));
            if (!text.empty())
                text += "\n\n";
            text += static_cast<const char*>(error->GetDescription());
        }
    } catch (const _com_error&) {
    }
    return text;
}

namespace {

// The thread argument: the worker's own reference to the state.
using SharedRunState = std::shared_ptr<QueryRunState>;

// A worker whose thread object the state keeps; the previous one of the same
// kind has ended (its batch completed) and is waited for before it goes.
BOOL StartKeptThread(std::unique_ptr<CWinThread>& slot, AFX_THREADPROC proc, const SharedRunState& state,
                     int nPriority)
{
    if (slot && slot->m_hThread)
        ::WaitForSingleObject(slot->m_hThread, INFINITE);
    auto* argument = new SharedRunState(state);
    auto thread = std::make_unique<CWinThread>(proc, argument);
    thread->m_bAutoDelete = FALSE;
    if (!thread->CreateThread(CREATE_SUSPENDED)) {
        delete argument;
        return FALSE;
    }
    thread->SetThreadPriority(nPriority);
    thread->ResumeThread();
    slot = std::move(thread);
    return TRUE;
}

struct CancelArgument {
    SharedRunState state;
    BOOL bAsyncExecute;
};

}  // namespace

BOOL StartFetchThread(const std::shared_ptr<QueryRunState>& state, BOOL bTextMode)
{
    std::lock_guard lock(state->threadsMutex);
    return StartKeptThread(state->pFetchThread, bTextMode ? TextFetchThreadProc : GridFetchThreadProc, state,
                           state->nFetchPriority.load());
}

BOOL StartCancelThread(const std::shared_ptr<QueryRunState>& state, BOOL bAsyncExecute)
{
    std::lock_guard lock(state->threadsMutex);
    if (state->pCancelThread && state->pCancelThread->m_hThread)
        ::WaitForSingleObject(state->pCancelThread->m_hThread, INFINITE);
    auto* argument = new CancelArgument{state, bAsyncExecute};
    auto thread = std::make_unique<CWinThread>(CancelThreadProc, argument);
    thread->m_bAutoDelete = FALSE;
    if (!thread->CreateThread(0)) {
        delete argument;
        return FALSE;
    }
    state->pCancelThread = std::move(thread);
    return TRUE;
}

UINT CancelThreadProc(LPVOID pParam)
{
    std::unique_ptr<CancelArgument> argument(static_cast<CancelArgument*>(pParam));
    QueryRunState& state = *argument->state;
    // Marked before the interrupt: a worker that ends because of it must
    // already see that the batch was cancelled, or it reports a completion.
    state.bCancelled = true;
    if (argument->bAsyncExecute && state.pRecordset != nullptr) {
        try {
            const long executing = ADODB::adStateExecuting;
            const long openExecuting = ADODB::adStateOpen | ADODB::adStateExecuting;
            long stateNow = state.pRecordset->GetState();
            if (stateNow == executing || stateNow == openExecuting || stateNow == ADODB::adStateOpen ||
                stateNow == ADODB::adStateFetching)
                state.pRecordset->Cancel();
        } catch (const _com_error&) {
        }
    }
    // A paused worker must see the cancel.
    state.pauseChanged.notify_all();
    state.PostToWindow(WM_CANCEL_COMPLETED, 0, 0);
    return 0;
}

CString ComErrorText(const _com_error& error)
{
    CString message(error.ErrorMessage());
    message.TrimRight("\r\n");
    CString text;
    text.Format("HRESULT: 0x%08lx; Error: %s", static_cast<unsigned long>(error.Error()),
                static_cast<const char*>(message));
    if (IErrorInfo* info = error.ErrorInfo()) {
        info->Release();
        text += "\nSource: ";
        text += static_cast<const char*>(error.Source());
        text += "; Description: ";
        text += static_cast<const char*>(error.Description());
    }
    return text;
}
