// The sink of a query window's connection events. Only the end of execution
// matters: it hands the batch to a new fetch worker. Every other event is
// answered as unwanted, so the connection stops raising it.
#pragma once

#include <atomic>
#include <memory>

#include "platform/ado/AdoInterfaces.h"
#include "session/FetchThreads.h"

class CConnectionEvents : public ADODB::ConnectionEvents {
public:
    // The count starts at 0: the Advise call takes the first reference.
    explicit CConnectionEvents(std::shared_ptr<QueryRunState> state);
    virtual ~CConnectionEvents() = default;

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT InfoMessage(ADODB::Error* pError, ADODB::EventStatusEnum* adStatus,
                        ADODB::_Connection* pConnection) override;
    HRESULT BeginTransComplete(long TransactionLevel, ADODB::Error* pError, ADODB::EventStatusEnum* adStatus,
                               ADODB::_Connection* pConnection) override;
    HRESULT CommitTransComplete(ADODB::Error* pError, ADODB::EventStatusEnum* adStatus,
                                ADODB::_Connection* pConnection) override;
    HRESULT RollbackTransComplete(ADODB::Error* pError, ADODB::EventStatusEnum* adStatus,
                                  ADODB::_Connection* pConnection) override;
    HRESULT WillExecute(BSTR* Source, ADODB::CursorTypeEnum* CursorType, ADODB::LockTypeEnum* LockType,
                        long* Options, ADODB::EventStatusEnum* adStatus, ADODB::_Command* pCommand,
                        ADODB::_Recordset* pRecordset, ADODB::_Connection* pConnection) override;
    HRESULT ExecuteComplete(long RecordsAffected, ADODB::Error* pError, ADODB::EventStatusEnum* adStatus,
                            ADODB::_Command* pCommand, ADODB::_Recordset* pRecordset,
                            ADODB::_Connection* pConnection) override;
    HRESULT WillConnect(BSTR* ConnectionString, BSTR* UserID, BSTR* Password, long* Options,
                        ADODB::EventStatusEnum* adStatus, ADODB::_Connection* pConnection) override;
    HRESULT ConnectComplete(ADODB::Error* pError, ADODB::EventStatusEnum* adStatus,
                            ADODB::_Connection* pConnection) override;
    HRESULT Disconnect(ADODB::EventStatusEnum* adStatus, ADODB::_Connection* pConnection) override;

private:
    static HRESULT Unwanted(ADODB::EventStatusEnum* adStatus);

    std::atomic<long> m_cRef{0};
    std::shared_ptr<QueryRunState> m_state;
};
