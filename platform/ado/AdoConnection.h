// The Connection object: a provider session, its Errors and Properties, and
// the ConnectionEvents connection point. Batches of several recordsets run
// one at a time on the session; Cancel may come from any thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

#include "platform/ado/AdoErrors.h"
#include "platform/ado/AdoProperties.h"
#include "platform/ado/BatchCollector.h"

namespace tw::ado {

class ConnectionObject final : public AdoObject<ADODB::_Connection, IConnectionPointContainer> {
public:
    ConnectionObject();

    // Connection15 / _Connection
    HRESULT get_Properties(ADODB::Properties** ppvObject) override;
    HRESULT get_ConnectionString(BSTR* pbstr) override;
    HRESULT put_ConnectionString(BSTR bstr) override;
    HRESULT get_CommandTimeout(long* plTimeout) override;
    HRESULT put_CommandTimeout(long lTimeout) override;
    HRESULT get_ConnectionTimeout(long* plTimeout) override;
    HRESULT put_ConnectionTimeout(long lTimeout) override;
    HRESULT get_Version(BSTR* pbstr) override;
    HRESULT raw_Close() override;
    HRESULT raw_Execute(BSTR CommandText, VARIANT* RecordsAffected, long Options,
                        ADODB::_Recordset** ppiRset) override;
    HRESULT raw_BeginTrans(long* TransactionLevel) override;
    HRESULT raw_CommitTrans() override;
    HRESULT raw_RollbackTrans() override;
    HRESULT raw_Open(BSTR ConnectionString, BSTR UserID, BSTR Password, long Options) override;
    HRESULT get_Errors(ADODB::Errors** ppvObject) override;
    HRESULT get_DefaultDatabase(BSTR* pbstr) override;
    HRESULT put_DefaultDatabase(BSTR bstr) override;
    HRESULT get_State(long* plObjState) override;
    HRESULT get_CursorLocation(ADODB::CursorLocationEnum* plCursorLoc) override;
    HRESULT put_CursorLocation(ADODB::CursorLocationEnum lCursorLoc) override;
    HRESULT get_Provider(BSTR* pbstr) override;
    HRESULT raw_OpenSchema(ADODB::SchemaEnum Schema, VARIANT Restrictions, VARIANT SchemaID,
                           ADODB::_Recordset** pprset) override;
    HRESULT raw_Cancel() override;

    // IConnectionPointContainer
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // For the recordsets and commands of this connection.
    bool IsOpen() const { return m_state.load() == ADODB::adStateOpen; }
    // Runs a batch on the session, one at a time; provider failures come
    // back as a Failure item (and close the connection when it is gone).
    void RunBatch(const std::string& text, BatchCollector& collector);
    // A batch whose results the caller needs whole; throws on a failure.
    std::vector<ResultItem> RunForResults(const std::string& text);
    std::vector<ResultItem> ListCatalogs();
    // Stops whatever batch runs on the session (Connection.Cancel, Command.Cancel).
    void CancelRunning();
    // Stops `batch` and no other: waiting for the session, it never starts;
    // running, the session is interrupted; already over, nothing happens.
    void CancelBatch(BatchCollector& batch);
    // Counts the connection's openings and closings: a recordset opened in
    // one period is closed when it ends.
    std::shared_ptr<const std::atomic<uint64_t>> Period() const { return m_period; }
    ErrorsCollection& ErrorList() { return *m_errors; }
    long CommandTimeout() const { return m_commandTimeout.load(); }

    // Events; status starts as OK, or ErrorsOccurred with an error.
    void FireInfoMessage(const ProviderMessage& message);
    // Answers false when a sink cancelled the execution.
    bool FireWillExecute(std::string& source, ADODB::CursorTypeEnum& cursorType, ADODB::LockTypeEnum& lockType,
                         long& options, ADODB::_Recordset* recordset);
    void FireExecuteComplete(long recordsAffected, const ProviderMessage* error, ADODB::_Recordset* recordset);

private:
    ~ConnectionObject() override;

    enum EventId { kInfoMessage, kBeginTrans, kCommitTrans, kRollbackTrans, kWillExecute, kExecuteComplete,
                   kWillConnect, kConnectComplete, kDisconnect };
    using EventCall = std::function<void(ADODB::ConnectionEvents*, ADODB::EventStatusEnum*)>;
    void Fire(EventId id, ADODB::EventStatusEnum initialStatus, const EventCall& call);
    ADODB::ErrorPtr ErrorFor(const ProviderMessage* message) const;

    std::shared_ptr<ProviderSession> SessionOrFail() const;
    void OpenSession(const std::string& text, const std::string& user, const std::string& password);
    void FillProperties();
    void UseDatabase(const std::string& name);
    void RunStatement(const std::string& text);
    [[noreturn]] void FailFromMessages(HRESULT hr, const std::vector<ProviderMessage>& messages);

    mutable std::mutex m_mutex;
    std::shared_ptr<ProviderSession> m_session;
    std::string m_connectionString;
    std::atomic<long> m_state{ADODB::adStateClosed};
    std::atomic<long> m_commandTimeout{30};
    std::atomic<long> m_connectionTimeout{15};
    std::atomic<int> m_cursorLocation{ADODB::adUseServer};
    std::atomic<long> m_transactionLevel{0};
    std::mutex m_runMutex;
    BatchCollector* m_streaming = nullptr; // the batch running on the session

    ADODB::ErrorsPtr m_errorsPtr;
    ErrorsCollection* m_errors;
    ADODB::PropertiesPtr m_propertiesPtr;
    PropertiesCollection* m_properties;

    tw::com::ConnectionPoints m_points;
    tw::com::ConnectionPoint* m_eventsPoint;
    std::shared_ptr<std::atomic<uint64_t>> m_period = std::make_shared<std::atomic<uint64_t>>(0);

    std::mutex m_unwantedMutex;
    std::set<std::pair<IUnknown*, int>> m_unwanted;
};

// The connection object behind an ActiveConnection argument, or NULL.
ConnectionObject* ConnectionFrom(IUnknown* object);

} // namespace tw::ado
