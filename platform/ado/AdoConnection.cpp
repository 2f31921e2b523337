#include "platform/ado/AdoConnection.h"

#include "platform/ado/AdoRecordset.h"
#include "platform/ado/ValueMapping.h"

namespace tw::ado {

namespace conndetail {
constexpr const char* kSource = "ADODB.Connection";
constexpr const char* kVersion = "2.8";

std::string JoinTexts(const std::vector<ProviderMessage>& messages)
{
    std::string text;
    for (const ProviderMessage& message : messages) {
        if (!message.IsError())
            continue;
        if (!text.empty())
            text += "\n";
        text += message.text;
    }
    return text;
}
} // namespace conndetail

ConnectionObject::ConnectionObject()
    : m_errorsPtr(new ErrorsCollection, false),
      m_errors(static_cast<ErrorsCollection*>(m_errorsPtr.GetInterfacePtr())),
      m_propertiesPtr(new PropertiesCollection([this](PropertiesCollection&) { FillProperties(); }), false),
      m_properties(static_cast<PropertiesCollection*>(m_propertiesPtr.GetInterfacePtr())),
      m_points(this),
      m_eventsPoint(&m_points.Add(ADODB::IID_ConnectionEvents))
{
}

ConnectionObject::~ConnectionObject()
{
    std::shared_ptr<ProviderSession> session;
    {
        std::lock_guard lock(m_mutex);
        session.swap(m_session);
    }
}

ConnectionObject* ConnectionFrom(IUnknown* object)
{
    if (!object)
        return nullptr;
    ADODB::_ConnectionPtr connection(object);
    return dynamic_cast<ConnectionObject*>(connection.GetInterfacePtr());
}

HRESULT ConnectionObject::get_Properties(ADODB::Properties** ppvObject)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (IsOpen())
            FillProperties();
        HandOut<ADODB::Properties>(ppvObject, m_properties);
    });
}

HRESULT ConnectionObject::get_ConnectionString(BSTR* pbstr)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        std::lock_guard lock(m_mutex);
        HandOutText(pbstr, m_connectionString);
    });
}

HRESULT ConnectionObject::put_ConnectionString(BSTR bstr)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (IsOpen())
            Fail(ADODB::adErrObjectOpen);
        std::lock_guard lock(m_mutex);
        m_connectionString = TextOf(bstr);
    });
}

HRESULT ConnectionObject::get_CommandTimeout(long* plTimeout)
{
    if (!plTimeout)
        return E_POINTER;
    *plTimeout = m_commandTimeout.load();
    return S_OK;
}

HRESULT ConnectionObject::put_CommandTimeout(long lTimeout)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (lTimeout < 0)
            Fail(ADODB::adErrInvalidArgument);
        m_commandTimeout = lTimeout;
    });
}

HRESULT ConnectionObject::get_ConnectionTimeout(long* plTimeout)
{
    if (!plTimeout)
        return E_POINTER;
    *plTimeout = m_connectionTimeout.load();
    return S_OK;
}

HRESULT ConnectionObject::put_ConnectionTimeout(long lTimeout)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (lTimeout < 0)
            Fail(ADODB::adErrInvalidArgument);
        if (IsOpen())
            Fail(ADODB::adErrObjectOpen);
        m_connectionTimeout = lTimeout;
    });
}

HRESULT ConnectionObject::get_Version(BSTR* pbstr)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] { HandOutText(pbstr, conndetail::kVersion); });
}

HRESULT ConnectionObject::raw_Close()
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        std::shared_ptr<ProviderSession> session;
        {
            std::lock_guard lock(m_mutex);
            if (m_state.load() == ADODB::adStateClosed)
                Fail(ADODB::adErrObjectClosed);
            session.swap(m_session);
            m_state = ADODB::adStateClosed;
            // A reader that stopped reading must not hold the close up.
            if (m_streaming)
                m_streaming->AbandonStreams();
        }
        if (session)
            session->Cancel();
        {
            // Waits for a batch still running on the session before it goes.
            std::lock_guard run(m_runMutex);
            session.reset();
        }
        // Its recordsets close with it: a reader's next call fails.
        ++*m_period;
        m_transactionLevel = 0;
        Fire(kDisconnect, ADODB::adStatusOK,
             [this](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) { sink->Disconnect(status, this); });
    });
}

std::shared_ptr<ProviderSession> ConnectionObject::SessionOrFail() const
{
    std::lock_guard lock(m_mutex);
    if (!m_session)
        Fail(ADODB::adErrInvalidConnection);
    return m_session;
}

void ConnectionObject::RunBatch(const std::string& text, BatchCollector& collector)
{
    std::shared_ptr<ProviderSession> session = SessionOrFail();
    std::unique_lock run(m_runMutex, std::try_to_lock);
    if (!run.owns_lock()) {
        // A streamed result still being read holds the session: its rows are
        // kept from here on, so that this batch does not wait for its reader.
        {
            std::lock_guard lock(m_mutex);
            if (m_streaming)
                m_streaming->UnbindStreams();
        }
        run.lock();
    }
    {
        std::lock_guard lock(m_mutex);
        // Cancelled while it waited for the session: it does not run at all.
        if (collector.CancelRequested())
            return;
        m_streaming = &collector;
    }
    bool sessionLost = false;
    try {
        session->Execute(text, collector);
    } catch (const ProviderFailure& failure) {
        sessionLost = true;
        for (const ProviderMessage& message : failure.messages)
            collector.AddMessage(message);
        // The session is gone: the connection closes, as the server dropped it.
        std::lock_guard lock(m_mutex);
        if (m_session == session) {
            m_session.reset();
            m_state = ADODB::adStateClosed;
            ++*m_period;
        }
    }
    {
        std::lock_guard lock(m_mutex);
        m_streaming = nullptr;
    }
    // A streamed batch's reader shows each step's messages as it takes the
    // step; only a dropped session speaks for the whole batch.
    if (!collector.Messages().empty() && (!collector.StreamsItems() || sessionLost))
        m_errors->Replace(collector.Messages());
}

std::vector<ResultItem> ConnectionObject::RunForResults(const std::string& text)
{
    m_errors->ClearAll();
    BatchCollector collector(conndetail::kSource, [this](const ProviderMessage& m) { FireInfoMessage(m); });
    RunBatch(text, collector);
    std::vector<ResultItem> items = collector.TakeItems();
    for (const ResultItem& item : items)
        if (item.kind == ResultItem::Kind::Failure)
            FailFromMessages(item.errors.front().hr, item.errors);
    return items;
}

std::vector<ResultItem> ConnectionObject::ListCatalogs()
{
    m_errors->ClearAll();
    std::shared_ptr<ProviderSession> session = SessionOrFail();
    BatchCollector collector(conndetail::kSource, nullptr);
    try {
        std::lock_guard run(m_runMutex);
        session->ListCatalogs(collector);
    } catch (const ProviderFailure& failure) {
        m_errors->Replace(failure.messages);
        FailFromMessages(failure.hr, failure.messages);
    }
    std::vector<ResultItem> items = collector.TakeItems();
    for (const ResultItem& item : items)
        if (item.kind == ResultItem::Kind::Failure) {
            m_errors->Replace(item.errors);
            FailFromMessages(item.errors.front().hr, item.errors);
        }
    return items;
}

void ConnectionObject::FailFromMessages(HRESULT hr, const std::vector<ProviderMessage>& messages)
{
    FailWith(FAILED(hr) ? hr : kErrorsInCommand, conndetail::JoinTexts(messages));
}

void ConnectionObject::RunStatement(const std::string& text) { RunForResults(text); }

void ConnectionObject::CancelRunning()
{
    std::shared_ptr<ProviderSession> session;
    {
        std::lock_guard lock(m_mutex);
        session = m_session;
    }
    if (session)
        session->Cancel();
}

void ConnectionObject::CancelBatch(BatchCollector& batch)
{
    batch.RequestCancel();
    // Under the lock the batch cannot end and let the next one start between
    // the check and the cancel, so the cancel never reaches another batch.
    std::lock_guard lock(m_mutex);
    if (m_streaming == &batch && m_session)
        m_session->Cancel();
}

HRESULT ConnectionObject::raw_Execute(BSTR CommandText, VARIANT* RecordsAffected, long Options,
                                      ADODB::_Recordset** ppiRset)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (!IsOpen())
            Fail(ADODB::adErrObjectClosed);
        ADODB::_RecordsetPtr recordset(new RecordsetObject, false);
        auto* object = static_cast<RecordsetObject*>(recordset.GetInterfacePtr());
        const long options = Options == ADODB::adOptionUnspecified ? static_cast<long>(ADODB::adCmdText) : Options;
        if (!ppiRset || (options & ADODB::adExecuteNoRecords))
            object->RunWhole();
        object->OpenOnConnection(this, TextOf(CommandText), ADODB::adOpenForwardOnly, ADODB::adLockReadOnly, options);
        if (RecordsAffected) {
            VariantClear(RecordsAffected);
            RecordsAffected->vt = VT_I4;
            RecordsAffected->lVal = object->FirstRecordsAffected();
        }
        if (ppiRset)
            HandOut<ADODB::_Recordset>(ppiRset, (options & ADODB::adExecuteNoRecords) ? nullptr : recordset.GetInterfacePtr());
    });
}

HRESULT ConnectionObject::raw_BeginTrans(long* TransactionLevel)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        RunStatement("BEGIN TRANSACTION");
        const long level = ++m_transactionLevel;
        if (TransactionLevel)
            *TransactionLevel = level;
        Fire(kBeginTrans, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
            sink->BeginTransComplete(level, nullptr, status, this);
        });
    });
}

HRESULT ConnectionObject::raw_CommitTrans()
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        RunStatement("COMMIT TRANSACTION");
        if (m_transactionLevel > 0)
            --m_transactionLevel;
        Fire(kCommitTrans, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
            sink->CommitTransComplete(nullptr, status, this);
        });
    });
}

HRESULT ConnectionObject::raw_RollbackTrans()
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        RunStatement("ROLLBACK TRANSACTION");
        m_transactionLevel = 0;
        Fire(kRollbackTrans, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
            sink->RollbackTransComplete(nullptr, status, this);
        });
    });
}

HRESULT ConnectionObject::raw_Open(BSTR ConnectionString, BSTR UserID, BSTR Password, long Options)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        std::string text = TextOf(ConnectionString);
        if (text.empty()) {
            std::lock_guard lock(m_mutex);
            text = m_connectionString;
        }
        std::string user = TextOf(UserID);
        std::string password = TextOf(Password);
        BSTR willText = tw::SysAllocStringUtf8(text.c_str());
        BSTR willUser = tw::SysAllocStringUtf8(user.c_str());
        BSTR willPassword = tw::SysAllocStringUtf8(password.c_str());
        long options = Options;
        bool cancelled = false;
        Fire(kWillConnect, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
            sink->WillConnect(&willText, &willUser, &willPassword, &options, status, this);
            cancelled = cancelled || *status == ADODB::adStatusCancel;
        });
        text = TextOf(willText);
        user = TextOf(willUser);
        password = TextOf(willPassword);
        SysFreeString(willText);
        SysFreeString(willUser);
        SysFreeString(willPassword);
        if (cancelled)
            Fail(ADODB::adErrOperationCancelled);
        OpenSession(text, user, password);
    });
}

void ConnectionObject::OpenSession(const std::string& text, const std::string& user, const std::string& password)
{
    m_errors->ClearAll();
    std::string parseError;
    std::optional<ConnectionString> settings = ConnectionString::Parse(text, &parseError);
    try {
        if (!settings)
            throw ProviderFailure{kProviderFailure, {ProviderMessage{kProviderFailure, 0, 16, "", conndetail::kSource, parseError}}};
        std::shared_ptr<ProviderSession> session = OpenProviderSession(*settings, user, password, m_connectionTimeout.load());
        {
            std::lock_guard lock(m_mutex);
            m_session = std::move(session);
            m_connectionString = text;
            m_state = ADODB::adStateOpen;
        }
    } catch (const ProviderFailure& failure) {
        m_errors->Replace(failure.messages);
        const ProviderMessage* first = failure.messages.empty() ? nullptr : &failure.messages.front();
        Fire(kConnectComplete, ADODB::adStatusErrorsOccurred,
             [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
                 sink->ConnectComplete(ErrorFor(first), status, this);
             });
        FailFromMessages(failure.hr, failure.messages);
    }
    FillProperties();
    Fire(kConnectComplete, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
        sink->ConnectComplete(nullptr, status, this);
    });
}

void ConnectionObject::FillProperties()
{
    std::shared_ptr<ProviderSession> session;
    {
        std::lock_guard lock(m_mutex);
        session = m_session;
    }
    if (!session)
        return;
    for (const char* name : {"Provider Name", "Data Source", "DBMS Name", "DBMS Version", "Driver Name"})
        m_properties->Set(name, _variant_t(session->StaticProperty(name).c_str()));
    m_properties->Set("Multiple Results", _variant_t(session->StaticProperty("Multiple Results") == "1" ? 1 : 0));
    m_properties->Set("Current Catalog", _variant_t(session->CurrentDatabase().c_str()),
                      [this](const _variant_t& value) { UseDatabase(static_cast<const char*>(_bstr_t(value))); });
}

void ConnectionObject::UseDatabase(const std::string& name)
{
    std::string bare = name;
    if (bare.size() >= 2 && bare.front() == '[' && bare.back() == ']')
        bare = bare.substr(1, bare.size() - 2);
    RunStatement("use " + QuoteName(bare));
}

HRESULT ConnectionObject::get_Errors(ADODB::Errors** ppvObject)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] { HandOut<ADODB::Errors>(ppvObject, m_errors); });
}

HRESULT ConnectionObject::get_DefaultDatabase(BSTR* pbstr)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        HandOutText(pbstr, SessionOrFail()->CurrentDatabase());
    });
}

HRESULT ConnectionObject::put_DefaultDatabase(BSTR bstr)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        SessionOrFail();
        UseDatabase(TextOf(bstr));
    });
}

HRESULT ConnectionObject::get_State(long* plObjState)
{
    if (!plObjState)
        return E_POINTER;
    *plObjState = m_state.load();
    return S_OK;
}

HRESULT ConnectionObject::get_CursorLocation(ADODB::CursorLocationEnum* plCursorLoc)
{
    if (!plCursorLoc)
        return E_POINTER;
    *plCursorLoc = static_cast<ADODB::CursorLocationEnum>(m_cursorLocation.load());
    return S_OK;
}

HRESULT ConnectionObject::put_CursorLocation(ADODB::CursorLocationEnum lCursorLoc)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (lCursorLoc != ADODB::adUseServer && lCursorLoc != ADODB::adUseClient && lCursorLoc != ADODB::adUseNone)
            Fail(ADODB::adErrInvalidArgument);
        m_cursorLocation = lCursorLoc;
    });
}

HRESULT ConnectionObject::get_Provider(BSTR* pbstr)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] { HandOutText(pbstr, "SQLOLEDB.1"); });
}

HRESULT ConnectionObject::raw_OpenSchema(ADODB::SchemaEnum Schema, VARIANT, VARIANT, ADODB::_Recordset** pprset)
{
    return Guard(conndetail::kSource, ADODB::IID__Connection, [&] {
        if (Schema != ADODB::adSchemaCatalogs)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::vector<ResultItem> items = ListCatalogs();
        ADODB::_RecordsetPtr recordset(new RecordsetObject, false);
        static_cast<RecordsetObject*>(recordset.GetInterfacePtr())->OpenResults(this, std::move(items));
        HandOut<ADODB::_Recordset>(pprset, recordset);
    });
}

HRESULT ConnectionObject::raw_Cancel()
{
    CancelRunning();
    return S_OK;
}

HRESULT ConnectionObject::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

HRESULT ConnectionObject::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) { return m_points.Find(riid, ppCP); }

ADODB::ErrorPtr ConnectionObject::ErrorFor(const ProviderMessage* message) const
{
    if (!message)
        return nullptr;
    return ADODB::ErrorPtr(new ErrorObject(*message), false);
}

void ConnectionObject::Fire(EventId id, ADODB::EventStatusEnum initialStatus, const EventCall& call)
{
    AddRef();
    m_eventsPoint->FireEach([&](IUnknown* sinkUnknown) {
        {
            std::lock_guard lock(m_unwantedMutex);
            if (m_unwanted.count({sinkUnknown, id}))
                return;
        }
        ADODB::EventStatusEnum status = initialStatus;
        call(static_cast<ADODB::ConnectionEvents*>(sinkUnknown), &status);
        if (status == ADODB::adStatusUnwantedEvent) {
            std::lock_guard lock(m_unwantedMutex);
            m_unwanted.insert({sinkUnknown, id});
        }
    });
    Release();
}

void ConnectionObject::FireInfoMessage(const ProviderMessage& message)
{
    if (message.IsError())
        return;
    ADODB::ErrorPtr error = ErrorFor(&message);
    Fire(kInfoMessage, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
        sink->InfoMessage(error, status, this);
    });
}

bool ConnectionObject::FireWillExecute(std::string& source, ADODB::CursorTypeEnum& cursorType,
                                       ADODB::LockTypeEnum& lockType, long& options, ADODB::_Recordset* recordset)
{
    BSTR text = tw::SysAllocStringUtf8(source.c_str());
    bool cancelled = false;
    Fire(kWillExecute, ADODB::adStatusOK, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
        sink->WillExecute(&text, &cursorType, &lockType, &options, status, nullptr, recordset, this);
        cancelled = cancelled || *status == ADODB::adStatusCancel;
    });
    source = TextOf(text);
    SysFreeString(text);
    return !cancelled;
}

void ConnectionObject::FireExecuteComplete(long recordsAffected, const ProviderMessage* error,
                                           ADODB::_Recordset* recordset)
{
    ADODB::ErrorPtr errorObject = ErrorFor(error);
    const ADODB::EventStatusEnum initial = error ? ADODB::adStatusErrorsOccurred : ADODB::adStatusOK;
    Fire(kExecuteComplete, initial, [&](ADODB::ConnectionEvents* sink, ADODB::EventStatusEnum* status) {
        sink->ExecuteComplete(recordsAffected, errorObject, status, nullptr, recordset, this);
    });
}

} // namespace tw::ado
