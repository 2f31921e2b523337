#include "session/ConnectionEvents.h"


using namespace ADODB;

CConnectionEvents::CConnectionEvents(std::shared_ptr<QueryRunState> state) : m_state(std::move(state)) {}

HRESULT CConnectionEvents::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ConnectionEvents)) {
        *ppv = static_cast<ConnectionEvents*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CConnectionEvents::AddRef() { return ULONG(++m_cRef); }

ULONG CConnectionEvents::Release()
{
    const long count = --m_cRef;
    if (count == 0) {
        delete this;
        return 0;
    }
    return ULONG(count);
}

HRESULT CConnectionEvents::Unwanted(EventStatusEnum* adStatus)
{
    if (adStatus)
        *adStatus = adStatusUnwantedEvent;
    return S_OK;
}

HRESULT CConnectionEvents::InfoMessage(Error*, EventStatusEnum* adStatus, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::BeginTransComplete(long, Error*, EventStatusEnum* adStatus, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::CommitTransComplete(Error*, EventStatusEnum* adStatus, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::RollbackTransComplete(Error*, EventStatusEnum* adStatus, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::WillExecute(BSTR*, CursorTypeEnum*, LockTypeEnum*, long*, EventStatusEnum* adStatus,
                                       _Command*, _Recordset*, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::WillConnect(BSTR*, BSTR*, BSTR*, long*, EventStatusEnum* adStatus, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::ConnectComplete(Error*, EventStatusEnum* adStatus, _Connection*)
{
    return Unwanted(adStatus);
}

HRESULT CConnectionEvents::Disconnect(EventStatusEnum* adStatus, _Connection*) { return Unwanted(adStatus); }

HRESULT CConnectionEvents::ExecuteComplete(long RecordsAffected, Error*, EventStatusEnum*, _Command*,
                                           _Recordset* pRecordset, _Connection*)
{
    QueryRunState& state = *m_state;
    BOOL bTextMode = FALSE;
    {
        std::lock_guard lock(state.batchMutex);
        if (state.strPendingBatch.IsEmpty() || state.bCancelled.load() || !state.bExecuting.load() ||
            state.bClosing.load())
            return S_OK;
        // Taken, so that a repeated event for the same batch starts nothing.
        state.param.strBatch = state.strPendingBatch;
        state.strPendingBatch.Empty();
        state.param.pRecordset = nullptr;
        if (pRecordset != nullptr)
            state.param.pRecordset = _RecordsetPtr(pRecordset);
        bTextMode = state.bTextMode.load();
        if (!bTextMode) {
            state.param.pCurrentGrid = nullptr;
            state.param.vRecordsAffected = _variant_t(static_cast<LONG>(RecordsAffected));
        }
    }
    StartFetchThread(m_state, bTextMode);
    return S_OK;
}
