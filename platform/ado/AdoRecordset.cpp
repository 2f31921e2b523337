#include "platform/ado/AdoRecordset.h"

#include <regex>
#include <thread>

#include "platform/ado/PersistXml.h"
#include "platform/ado/ValueMapping.h"

namespace tw::ado {

namespace rsdetail {

constexpr const char* kSource = "ADODB.Recordset";

#define TW_RS_GUARD(body) Guard(rsdetail::kSource, ADODB::IID__Recordset, [&] body)

bool IsMissing(const VARIANT& value)
{
    return value.vt == VT_EMPTY || (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND);
}

const VARIANT& Deref(const VARIANT& value)
{
    if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal)
        return *value.pvarVal;
    return value;
}

std::string Text(const VARIANT& value)
{
    _variant_t text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        Fail(ADODB::adErrInvalidArgument);
    return TextOf(text.bstrVal);
}

// The elements of a SAFEARRAY of VARIANTs, or the value itself as one.
std::vector<_variant_t> Elements(const VARIANT& value)
{
    const VARIANT& v = Deref(value);
    std::vector<_variant_t> items;
    if (!(v.vt & VT_ARRAY)) {
        items.emplace_back(v);
        return items;
    }
    SAFEARRAY* array = (v.vt & VT_BYREF) ? *v.pparray : v.parray;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    VARTYPE vt = VT_EMPTY;
    SafeArrayGetVartype(array, &vt);
    for (LONG i = lower; i <= upper; ++i) {
        if (vt == VT_VARIANT) {
            VARIANT element;
            VariantInit(&element);
            SafeArrayGetElement(array, &i, &element);
            items.emplace_back(element, false);
        } else if (vt == VT_BSTR) {
            BSTR element = nullptr;
            SafeArrayGetElement(array, &i, &element);
            _variant_t item;
            item.vt = VT_BSTR;
            item.bstrVal = element;
            items.push_back(std::move(item));
        } else {
            Fail(ADODB::adErrInvalidArgument);
        }
    }
    return items;
}

// The single table of a plain "select ... from t [where|order ...]".
std::string BaseTableOf(const std::string& source)
{
    static const std::regex pattern(
        R"(^\s*select\s[\s\S]*?\sfrom\s+((?:\[[^\]]+\]|[A-Za-z_#@][\w#@$]*)(?:\s*\.\s*(?:\[[^\]]*\]|[A-Za-z_#@][\w#@$]*)?)*)\s*(?:$|;|\swhere\s|\sorder\s))",
        std::regex::icase);
    std::smatch match;
    if (!std::regex_search(source, match, pattern))
        return {};
    const std::string rest = source.substr(match.position(1));
    if (std::regex_search(rest, std::regex(R"(\sjoin\s|,|\sunion\s)", std::regex::icase)) &&
        std::regex_search(rest.substr(0, rest.find(" where ")), std::regex(R"(\sjoin\s|,)", std::regex::icase)))
        return {};
    return match[1].str();
}

bool Comparable(const FieldInfo& field)
{
    return !(field.attributes & ADODB::adFldLong) && field.type != ADODB::adLongVarBinary &&
           field.type != ADODB::adLongVarChar && field.type != ADODB::adLongVarWChar;
}

} // namespace rsdetail

RecordsetObject::RecordsetObject()
    : m_cursor(std::make_shared<RecordCursor>()), m_fields(new FieldsObject(m_cursor), false)
{
}

RecordsetObject::~RecordsetObject()
{
    AbandonBatch();
}

void RecordsetObject::UseConnection(ConnectionObject* connection)
{
    m_connectionPtr = static_cast<ADODB::_Connection*>(connection);
    m_connection = connection;
}

void RecordsetObject::RequireOpen() const
{
    if (m_state.load() & ADODB::adStateExecuting)
        Fail(ADODB::adErrStillExecuting);
    std::lock_guard lock(m_cursor->mutex);
    try {
        m_cursor->RequireOpen();
    } catch (const AdoFailure&) {
        m_state = ADODB::adStateClosed;
        throw;
    }
}

// ---- opening

HRESULT RecordsetObject::raw_Open(VARIANT Source, VARIANT ActiveConnection, ADODB::CursorTypeEnum CursorType,
                                  ADODB::LockTypeEnum LockType, long Options)
{
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        if (CursorType != ADODB::adOpenUnspecified)
            m_cursorType = CursorType;
        ADODB::LockTypeEnum lockType = LockType;
        if (lockType == ADODB::adLockUnspecified) {
            std::lock_guard lock(m_cursor->mutex);
            lockType = m_cursor->lockType;
        }
        const VARIANT& source = rsdetail::Deref(Source);
        const VARIANT& active = rsdetail::Deref(ActiveConnection);
        const long options = Options == ADODB::adOptionUnspecified ? static_cast<long>(ADODB::adCmdUnknown) : Options;

        std::string sourceText;
        if (!rsdetail::IsMissing(source))
            sourceText = rsdetail::Text(source);
        else {
            std::lock_guard lock(m_mutex);
            sourceText = m_source;
        }

        bool persist = (options & ADODB::adCmdFile) != 0;
        ConnectionObject* connection = nullptr;
        ADODB::_ConnectionPtr connectionPtr;
        if (active.vt == VT_DISPATCH || active.vt == VT_UNKNOWN) {
            connection = ConnectionFrom(active.punkVal);
            if (!connection)
                Fail(ADODB::adErrInvalidConnection);
            connectionPtr = static_cast<ADODB::_Connection*>(connection);
        } else if (!rsdetail::IsMissing(active)) {
            const std::string text = rsdetail::Text(active);
            std::optional<ConnectionString> settings = ConnectionString::Parse(text);
            if (settings && strcasecmp(settings->Get({"Provider"}).c_str(), "MSPersist") == 0) {
                persist = true;
            } else {
                connectionPtr.Attach(new ConnectionObject);
                const HRESULT hr = connectionPtr->raw_Open(_bstr_t(text.c_str()), nullptr, nullptr, -1);
                if (FAILED(hr))
                    _com_issue_errorex(hr, connectionPtr, ADODB::IID__Connection);
                connection = ConnectionFrom(connectionPtr);
            }
        } else {
            std::lock_guard lock(m_mutex);
            connectionPtr = m_connectionPtr;
            connection = m_connection;
        }

        if (persist) {
            OpenFromFile(sourceText, lockType);
            return;
        }
        if (!connection) {
            if (!sourceText.empty())
                Fail(ADODB::adErrInvalidConnection);
            OpenDisconnected(lockType);
            return;
        }
        OpenOnConnection(connection, sourceText, static_cast<ADODB::CursorTypeEnum>(m_cursorType.load()), lockType,
                         options);
    });
}

void RecordsetObject::OpenDisconnected(ADODB::LockTypeEnum lockType)
{
    {
        std::lock_guard lock(m_mutex);
        m_period = nullptr;
    }
    std::lock_guard lock(m_cursor->mutex);
    if (m_cursor->rowset->fields.empty())
        Fail(ADODB::adErrInvalidConnection);
    m_cursor->rowset->records.clear();
    m_cursor->period = nullptr;
    m_cursor->lockType = lockType;
    m_cursor->open = true;
    m_cursor->position = 0;
    m_cursor->beforeFirst = false;
    m_cursorLocation = ADODB::adUseClient;
    m_state = ADODB::adStateOpen;
}

void RecordsetObject::OpenFromFile(const std::string& path, ADODB::LockTypeEnum lockType)
{
    auto rowset = std::make_shared<Rowset>(LoadRowsetXml(path));
    {
        std::lock_guard lock(m_mutex);
        m_source = path;
        m_fromFile = true;
        m_period = nullptr;
        UseConnection(nullptr);
    }
    std::lock_guard lock(m_cursor->mutex);
    m_cursor->rowset = std::move(rowset);
    m_cursor->period = nullptr;
    m_cursor->lockType = lockType;
    m_cursor->open = true;
    m_cursor->position = 0;
    m_cursor->beforeFirst = false;
    m_cursorLocation = ADODB::adUseClient;
    m_state = ADODB::adStateOpen;
}

void RecordsetObject::OpenOnConnection(ConnectionObject* connection, const std::string& text,
                                       ADODB::CursorTypeEnum cursorType, ADODB::LockTypeEnum lockType, long options)
{
    if (!connection || !connection->IsOpen())
        Fail(ADODB::adErrInvalidConnection);
    std::string source = text;
    long effectiveOptions = options;
    if (!connection->FireWillExecute(source, cursorType, lockType, effectiveOptions, this))
        Fail(ADODB::adErrOperationCancelled);
    {
        std::lock_guard lock(m_mutex);
        UseConnection(connection);
        m_source = source;
        m_options = effectiveOptions;
        m_fromFile = false;
        m_pending.clear();
    }
    m_cursorType = cursorType;
    {
        std::lock_guard lock(m_cursor->mutex);
        m_cursor->lockType = lockType;
    }
    m_cancelRequested = false;
    {
        std::lock_guard run(m_run->mutex);
        ++m_run->running;
        m_run->firstArrived = false;
        m_run->batch = nullptr;
    }
    m_state = ADODB::adStateExecuting;
    if (effectiveOptions & ADODB::adAsyncExecute) {
        StartAsync();
        return;
    }
    ExecutionResult result = Execute();
    if (result.outcome == Outcome::Cancelled)
        Fail(ADODB::adErrOperationCancelled);
    if (result.outcome == Outcome::Failed)
        RaiseErrors(result.errors);
}

void RecordsetObject::RaiseErrors(const std::vector<ProviderMessage>& errors)
{
    std::string text;
    for (const ProviderMessage& m : errors)
        text += (text.empty() ? "" : "\n") + m.text;
    FailWith(errors.empty() ? kErrorsInCommand : errors.front().hr, text);
}

bool RecordsetObject::Streams() const
{
    std::lock_guard lock(m_cursor->mutex);
    return !m_runWhole.load() && m_cursorType.load() == ADODB::adOpenForwardOnly &&
           m_cursor->lockType == ADODB::adLockReadOnly;
}

std::vector<ResultItem> RecordsetObject::StartStreaming(ConnectionObject* connection,
                                                        const ADODB::_ConnectionPtr& keep, const std::string& source)
{
    auto batch = std::make_shared<BatchCollector>(
        rsdetail::kSource, [connection](const ProviderMessage& m) { connection->FireInfoMessage(m); },
        BatchCollector::Mode::Streamed);
    {
        std::lock_guard lock(m_mutex);
        m_batch = batch;
    }
    {
        std::lock_guard lock(m_run->mutex);
        ++m_run->running;
        m_run->batch = batch;
    }
    std::thread([batch, held = keep, connection, source, run = m_run, skip = m_cancelRequested.load()]() mutable {
        try {
            if (!skip)
                connection->RunBatch(source, *batch);
        } catch (const AdoFailure& failure) {
            batch->AddMessage(ProviderMessage{failure.hr, 0, 16, "", rsdetail::kSource, failure.description});
        }
        batch->FinishBatch();
        // The connection is let go before the batch is reported ended, so that
        // whoever waits for the end never races with its closing.
        held = nullptr;
        {
            std::lock_guard lock(run->mutex);
            --run->running;
        }
        run->done.notify_all();
    }).detach();
    std::vector<ResultItem> items;
    ResultItem first;
    if (batch->NextItem(first)) {
        if (first.stream)
            first.stream->WaitForFirst();
        items.push_back(std::move(first));
    }
    {
        std::lock_guard lock(m_run->mutex);
        m_run->firstArrived = true;
    }
    m_run->done.notify_all();
    return items;
}

bool RecordsetObject::TakeNextItem(ResultItem& item, std::vector<ProviderMessage>* trailing)
{
    std::shared_ptr<BatchCollector> batch;
    {
        std::lock_guard lock(m_mutex);
        if (!m_pending.empty()) {
            item = std::move(m_pending.front());
            m_pending.pop_front();
            return true;
        }
        batch = m_batch;
    }
    if (batch && batch->NextItem(item))
        return true;
    if (batch && trailing)
        *trailing = batch->TakeTrailingNotes();
    std::lock_guard lock(m_mutex);
    if (m_batch == batch)
        m_batch = nullptr;
    return false;
}

// Rows still coming are dropped; the batch's other statements still run.
void RecordsetObject::AbandonBatch()
{
    std::shared_ptr<BatchCollector> batch;
    {
        std::lock_guard lock(m_mutex);
        batch.swap(m_batch);
    }
    if (batch)
        batch->AbandonStreams();
    std::lock_guard lock(m_cursor->mutex);
    if (m_cursor->stream)
        m_cursor->stream->Abandon();
    m_cursor->stream = nullptr;
}

void RecordsetObject::StartAsync()
{
    AddRef();
    std::thread([this] {
        Execute();
        Release();
    }).detach();
}

RecordsetObject::ExecutionResult RecordsetObject::Execute()
{
    ConnectionObject* connection = nullptr;
    ADODB::_ConnectionPtr keepConnection;
    std::string source;
    {
        std::lock_guard lock(m_mutex);
        connection = m_connection;
        keepConnection = m_connectionPtr;
        source = m_source;
        m_period = connection->Period();
        m_readInPeriod = m_period->load();
    }
    connection->ErrorList().ClearAll();
    auto collector = std::make_shared<BatchCollector>(
        rsdetail::kSource, [connection](const ProviderMessage& m) { connection->FireInfoMessage(m); });
    ExecutionResult result;
    std::vector<ResultItem> items;
    m_timedOut = false;
    const bool streams = Streams();
    std::thread watchdog = StartTimeoutWatch(connection);
    try {
        if (streams) {
            items = StartStreaming(connection, keepConnection, source);
        } else {
            {
                std::lock_guard lock(m_run->mutex);
                m_run->batch = collector;
            }
            if (!m_cancelRequested.load())
                connection->RunBatch(source, *collector);
            items = collector->TakeItems();
        }
        if (m_timedOut.load()) {
            // What the batch produced before the limit is dropped, as the
            // server's own cancel message is: the caller sees the timeout.
            const ProviderMessage expired{kTimeoutExpired, 0, 16, "HYT00", rsdetail::kSource,
                                          "Query timeout expired"};
            AbandonBatch();
            items.clear();
            items.push_back(ResultItem{ResultItem::Kind::Failure, nullptr, nullptr, -1, {expired}});
            connection->ErrorList().Replace({expired});
        }
    } catch (const AdoFailure& failure) {
        result.errors.push_back(ProviderMessage{failure.hr, 0, 16, "", rsdetail::kSource, failure.description});
        ResultItem item;
        item.kind = ResultItem::Kind::Failure;
        item.errors = result.errors;
        items.push_back(std::move(item));
    }
    {
        std::lock_guard lock(m_mutex);
        m_pending.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    }

    long recordsAffected = -1;
    if (m_cancelRequested.load()) {
        result.outcome = Outcome::Cancelled;
        result.errors.push_back(ProviderMessage{AdoHresult(ADODB::adErrOperationCancelled), 0, 16, "",
                                                rsdetail::kSource, AdoErrorText(ADODB::adErrOperationCancelled)});
        AbandonBatch();
        std::lock_guard lock(m_mutex);
        m_pending.clear();
        CloseCursor();
    } else {
        bool firstIsFailure = false;
        {
            std::lock_guard lock(m_mutex);
            firstIsFailure = !m_pending.empty() && m_pending.front().kind == ResultItem::Kind::Failure;
            if (firstIsFailure) {
                result.errors = m_pending.front().errors;
                std::vector<ProviderMessage> shown = m_pending.front().notes;
                shown.insert(shown.end(), result.errors.begin(), result.errors.end());
                ShowStepMessages(shown);
            }
        }
        if (firstIsFailure) {
            result.outcome = Outcome::Failed;
            // Only a synchronous Open raises it; an asynchronous one leaves it
            // for NextRecordset, where the reader meets it.
            if (!(m_options & ADODB::adAsyncExecute)) {
                AbandonBatch();
                std::lock_guard lock(m_mutex);
                m_pending.clear();
            }
            std::lock_guard lock(m_mutex);
            CloseCursor();
        } else {
            try {
                recordsAffected = ApplyNextResult();
            } catch (const AdoFailure&) {
            }
        }
    }
    m_firstRecordsAffected = recordsAffected;
    if (m_state.load() & ADODB::adStateExecuting)
        m_state = m_cursor->open ? ADODB::adStateOpen : ADODB::adStateClosed;
    {
        std::lock_guard run(m_run->mutex);
        --m_run->running;
    }
    m_run->done.notify_all();
    if (watchdog.joinable())
        watchdog.join();
    const ProviderMessage* error = result.errors.empty() ? nullptr : &result.errors.front();
    connection->FireExecuteComplete(recordsAffected, error, this);
    return result;
}

// Cancels the batch when the connection's CommandTimeout passes first.
std::thread RecordsetObject::StartTimeoutWatch(ConnectionObject* connection)
{
    const long timeout = connection->CommandTimeout();
    if (timeout <= 0)
        return {};
    return std::thread([this, connection, timeout] {
        std::unique_lock run(m_run->mutex);
        if (m_run->done.wait_for(run, std::chrono::seconds(timeout),
                                 [this] { return m_run->running == 0 || m_run->firstArrived; }))
            return;
        m_timedOut = true;
        run.unlock();
        CancelExecution(connection);
    });
}

void RecordsetObject::CloseCursor()
{
    std::lock_guard lock(m_cursor->mutex);
    m_cursor->open = false;
    m_cursor->editMode = ADODB::adEditNone;
}

void RecordsetObject::ShowStepMessages(const std::vector<ProviderMessage>& messages)
{
    if (ConnectionObject* connection = m_connection.load())
        connection->ErrorList().Replace(messages);
}

long RecordsetObject::ApplyNextResult()
{
    ResultItem item;
    std::vector<ProviderMessage> trailing;
    const bool more = TakeNextItem(item, &trailing);
    std::lock_guard lock(m_mutex);
    if (!more) {
        CloseCursor();
        m_state = ADODB::adStateClosed;
        ShowStepMessages(trailing);
        return -1;
    }
    if (item.kind == ResultItem::Kind::Failure) {
        CloseCursor();
        m_state = ADODB::adStateClosed;
        std::vector<ProviderMessage> all = item.notes;
        all.insert(all.end(), item.errors.begin(), item.errors.end());
        ShowStepMessages(all);
        RaiseErrors(item.errors);
    }
    ShowStepMessages(item.notes);
    if (item.kind == ResultItem::Kind::Count) {
        CloseCursor();
        m_state = ADODB::adStateClosed;
        return item.recordsAffected;
    }
    item.rowset->baseTable = rsdetail::BaseTableOf(m_source);
    std::vector<ProviderMessage> errors;
    {
        std::lock_guard cursorLock(m_cursor->mutex);
        m_cursor->rowset = item.rowset;
        m_cursor->stream = item.stream;
        m_cursor->windowStart = 0;
        m_cursor->heldErrors.clear();
        m_cursor->period = m_period;
        m_cursor->readInPeriod = m_readInPeriod;
        m_cursor->open = true;
        m_cursor->position = 0;
        m_cursor->beforeFirst = false;
        m_cursor->editMode = ADODB::adEditNone;
        errors = m_cursor->Pull();
    }
    m_state = ADODB::adStateOpen;
    if (!errors.empty()) {
        if (m_connection.load())
            m_connection.load()->ErrorList().Replace(errors);
        RaiseErrors(errors);
    }
    return -1;
}

void RecordsetObject::OpenResults(ConnectionObject* connection, std::vector<ResultItem> items)
{
    {
        std::lock_guard lock(m_mutex);
        UseConnection(connection);
        m_period = connection->Period();
        m_readInPeriod = m_period->load();
        m_pending.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    }
    m_cursorType = ADODB::adOpenStatic;
    m_firstRecordsAffected = ApplyNextResult();
}

HRESULT RecordsetObject::raw_NextRecordset(VARIANT* RecordsAffected, ADODB::_Recordset** ppiRs)
{
    return TW_RS_GUARD({
        if (m_state.load() & ADODB::adStateExecuting)
            Fail(ADODB::adErrStillExecuting);
        if (RecordsAffected) {
            VariantClear(RecordsAffected);
            RecordsAffected->vt = VT_I4;
            RecordsAffected->lVal = -1;
        }
        {
            std::lock_guard lock(m_mutex);
            if (m_period && m_period->load() != m_readInPeriod)
                Fail(ADODB::adErrObjectClosed);
        }
        // The rest of a result read in part is not wanted.
        {
            std::lock_guard lock(m_cursor->mutex);
            if (m_cursor->stream)
                m_cursor->stream->Abandon();
            m_cursor->stream = nullptr;
        }
        ResultItem next;
        std::vector<ProviderMessage> trailing;
        if (m_cancelRequested.load() || !TakeNextItem(next, &trailing)) {
            CloseCursor();
            m_state = ADODB::adStateClosed;
            ShowStepMessages(trailing);
            if (ppiRs)
                *ppiRs = nullptr;
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_pending.push_front(std::move(next));
        }
        const long affected = ApplyNextResult();
        if (RecordsAffected)
            RecordsAffected->lVal = affected;
        HandOut<ADODB::_Recordset>(ppiRs, this);
    });
}

HRESULT RecordsetObject::raw_Cancel()
{
    return TW_RS_GUARD({
        m_cancelRequested = true;
        ConnectionObject* connection = nullptr;
        {
            std::lock_guard lock(m_mutex);
            connection = m_connection;
            m_pending.clear();
        }
        AbandonBatch();
        CancelExecution(connection);
    });
}

// Only this recordset's own batch is stopped: another batch on the session
// (an earlier Execute still running, say) goes on. A cancel that comes just
// before the batch reaches the provider finds nothing to interrupt (the
// embedded server keeps one only from the call of its Execute, ODBC none), so
// the request is repeated until the execution has ended.
void RecordsetObject::CancelExecution(ConnectionObject* connection)
{
    std::unique_lock run(m_run->mutex);
    while (m_run->running > 0) {
        if (std::shared_ptr<BatchCollector> batch = m_run->batch; connection && batch) {
            run.unlock();
            connection->CancelBatch(*batch);
            run.lock();
        }
        m_run->done.wait_for(run, std::chrono::milliseconds(20), [this] { return m_run->running == 0; });
    }
}

HRESULT RecordsetObject::raw_Close()
{
    return TW_RS_GUARD({
        if (m_state.load() & ADODB::adStateExecuting) {
            m_cancelRequested = true;
            ConnectionObject* connection = nullptr;
            {
                std::lock_guard lock(m_mutex);
                connection = m_connection;
            }
            CancelExecution(connection);
        }
        bool cursorOpen = false;
        {
            std::lock_guard cursorLock(m_cursor->mutex);
            cursorOpen = m_cursor->open;
        }
        AbandonBatch();
        std::lock_guard lock(m_mutex);
        if (!cursorOpen && m_state.load() == ADODB::adStateClosed && m_pending.empty())
            Fail(ADODB::adErrObjectClosed);
        m_pending.clear();
        CloseCursor();
        m_state = ADODB::adStateClosed;
    });
}

HRESULT RecordsetObject::raw_Requery(long Options)
{
    return TW_RS_GUARD({
        ConnectionObject* connection = nullptr;
        std::string source;
        bool fromFile = false;
        {
            std::lock_guard lock(m_mutex);
            connection = m_connection;
            source = m_source;
            fromFile = m_fromFile;
        }
        RequireOpen();
        ADODB::LockTypeEnum lockType;
        {
            std::lock_guard lock(m_cursor->mutex);
            lockType = m_cursor->lockType;
        }
        CloseCursor();
        m_state = ADODB::adStateClosed;
        if (fromFile) {
            OpenFromFile(source, lockType);
            return;
        }
        if (!connection)
            Fail(ADODB::adErrFeatureNotAvailable);
        const long options = Options == ADODB::adOptionUnspecified ? static_cast<long>(ADODB::adCmdText) : Options & ~ADODB::adAsyncExecute;
        OpenOnConnection(connection, source, static_cast<ADODB::CursorTypeEnum>(m_cursorType.load()), lockType,
                         options);
    });
}

HRESULT RecordsetObject::raw_Resync(ADODB::AffectEnum, ADODB::ResyncEnum)
{
    return TW_RS_GUARD({
        {
            std::lock_guard lock(m_cursor->mutex);
            if (m_cursor->rowset->HasPendingChanges())
                Fail(ADODB::adErrIllegalOperation);
        }
        const HRESULT hr = raw_Requery(ADODB::adOptionUnspecified);
        if (FAILED(hr))
            _com_issue_errorex(hr, static_cast<ADODB::_Recordset*>(this), ADODB::IID__Recordset);
    });
}

// ---- state and properties

HRESULT RecordsetObject::get_State(long* plObjState)
{
    if (!plObjState)
        return E_POINTER;
    if (m_state.load() == ADODB::adStateOpen) {
        std::lock_guard lock(m_cursor->mutex);
        if (m_cursor->period && m_cursor->period->load() != m_cursor->readInPeriod) {
            m_cursor->open = false;
            m_state = ADODB::adStateClosed;
        }
    }
    *plObjState = m_state.load();
    return S_OK;
}

HRESULT RecordsetObject::putref_ActiveConnection(IDispatch* pvar)
{
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        ConnectionObject* connection = ConnectionFrom(pvar);
        if (pvar && !connection)
            Fail(ADODB::adErrInvalidConnection);
        std::lock_guard lock(m_mutex);
        UseConnection(connection);
    });
}

HRESULT RecordsetObject::put_ActiveConnection(VARIANT pvar)
{
    const VARIANT& value = rsdetail::Deref(pvar);
    if (value.vt == VT_DISPATCH)
        return putref_ActiveConnection(value.pdispVal);
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        ADODB::_ConnectionPtr connection(new ConnectionObject, false);
        const HRESULT hr = connection->raw_Open(_bstr_t(rsdetail::Text(value).c_str()), nullptr, nullptr, -1);
        if (FAILED(hr))
            _com_issue_errorex(hr, connection, ADODB::IID__Connection);
        std::lock_guard lock(m_mutex);
        UseConnection(ConnectionFrom(connection));
    });
}

HRESULT RecordsetObject::get_ActiveConnection(VARIANT* pvar)
{
    return TW_RS_GUARD({
        std::lock_guard lock(m_mutex);
        _variant_t value;
        if (m_connectionPtr)
            value = _variant_t(static_cast<IDispatch*>(m_connectionPtr.GetInterfacePtr()));
        HandOutVariant(pvar, value);
    });
}

HRESULT RecordsetObject::get_CacheSize(long* pl)
{
    if (!pl)
        return E_POINTER;
    *pl = m_cacheSize.load();
    return S_OK;
}

HRESULT RecordsetObject::put_CacheSize(long pl)
{
    return TW_RS_GUARD({
        if (pl < 1)
            Fail(ADODB::adErrInvalidArgument);
        m_cacheSize = pl;
    });
}

HRESULT RecordsetObject::get_CursorType(ADODB::CursorTypeEnum* plCursorType)
{
    if (!plCursorType)
        return E_POINTER;
    *plCursorType = static_cast<ADODB::CursorTypeEnum>(m_cursorType.load());
    return S_OK;
}

HRESULT RecordsetObject::put_CursorType(ADODB::CursorTypeEnum plCursorType)
{
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        m_cursorType = plCursorType;
    });
}

HRESULT RecordsetObject::get_LockType(ADODB::LockTypeEnum* plLockType)
{
    return TW_RS_GUARD({
        if (!plLockType)
            FailWith(E_POINTER, "NULL");
        std::lock_guard lock(m_cursor->mutex);
        *plLockType = m_cursor->lockType;
    });
}

HRESULT RecordsetObject::put_LockType(ADODB::LockTypeEnum plLockType)
{
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        std::lock_guard lock(m_cursor->mutex);
        m_cursor->lockType = plLockType;
    });
}

HRESULT RecordsetObject::get_CursorLocation(ADODB::CursorLocationEnum* plCursorLoc)
{
    if (!plCursorLoc)
        return E_POINTER;
    *plCursorLoc = static_cast<ADODB::CursorLocationEnum>(m_cursorLocation.load());
    return S_OK;
}

HRESULT RecordsetObject::put_CursorLocation(ADODB::CursorLocationEnum plCursorLoc)
{
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        m_cursorLocation = plCursorLoc;
    });
}

HRESULT RecordsetObject::get_Source(VARIANT* pvSource)
{
    return TW_RS_GUARD({
        std::lock_guard lock(m_mutex);
        HandOutVariant(pvSource, _variant_t(m_source.c_str()));
    });
}

HRESULT RecordsetObject::put_Source(BSTR pvSource)
{
    return TW_RS_GUARD({
        if (m_state.load() != ADODB::adStateClosed)
            Fail(ADODB::adErrObjectOpen);
        std::lock_guard lock(m_mutex);
        m_source = TextOf(pvSource);
    });
}

HRESULT RecordsetObject::get_Fields(ADODB::Fields** ppvObject)
{
    return TW_RS_GUARD({ HandOut<ADODB::Fields>(ppvObject, m_fields); });
}

HRESULT RecordsetObject::get_EditMode(ADODB::EditModeEnum* pl)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        if (!pl)
            FailWith(E_POINTER, "NULL");
        *pl = m_cursor->editMode;
    });
}

HRESULT RecordsetObject::get_Filter(VARIANT* Criteria)
{
    return TW_RS_GUARD({
        std::lock_guard lock(m_mutex);
        HandOutVariant(Criteria, m_filter.empty() ? _variant_t(0) : _variant_t(m_filter.c_str()));
    });
}

HRESULT RecordsetObject::put_Filter(VARIANT Criteria)
{
    return TW_RS_GUARD({
        const VARIANT& value = rsdetail::Deref(Criteria);
        if (value.vt == VT_BSTR && SysStringLen(value.bstrVal) > 0)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_mutex);
        m_filter.clear();
    });
}

HRESULT RecordsetObject::get_Sort(BSTR* Criteria)
{
    return TW_RS_GUARD({
        std::lock_guard lock(m_mutex);
        HandOutText(Criteria, m_sort);
    });
}

HRESULT RecordsetObject::put_Sort(BSTR Criteria)
{
    return TW_RS_GUARD({
        if (SysStringLen(Criteria) > 0)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_mutex);
        m_sort.clear();
    });
}

HRESULT RecordsetObject::raw_Supports(ADODB::CursorOptionEnum CursorOptions, VARIANT_BOOL* pb)
{
    return TW_RS_GUARD({
        if (!pb)
            FailWith(E_POINTER, "NULL");
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        const bool forwardOnly = m_cursorType.load() == ADODB::adOpenForwardOnly;
        const bool updatable = m_cursor->Updatable();
        long supported = ADODB::adHoldRecords | ADODB::adResync | ADODB::adNotify;
        if (!forwardOnly)
            supported |= ADODB::adMovePrevious | ADODB::adBookmark | ADODB::adApproxPosition;
        if (updatable)
            supported |= ADODB::adAddNew | ADODB::adDelete | ADODB::adUpdate;
        if (m_cursor->lockType == ADODB::adLockBatchOptimistic)
            supported |= ADODB::adUpdateBatch;
        *pb = (supported & CursorOptions) == CursorOptions ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

// ---- position

long RecordsetObject::Visible(long from, int step) const
{
    const auto& records = m_cursor->rowset->records;
    long position = from;
    while (position >= 0 && position < static_cast<long>(records.size()) &&
           records[position].status == RecordStatus::Deleted)
        position += step;
    return position;
}

// Caller holds the cursor's mutex: brings in the next page when the reader
// moved past the window, raising the errors of a row that could not be read.
void RecordsetObject::RaiseFetchErrors()
{
    const std::vector<ProviderMessage> errors = m_cursor->Pull();
    if (errors.empty())
        return;
    if (ConnectionObject* connection = m_connection.load())
        connection->ErrorList().Replace(errors);
    RaiseErrors(errors);
}

void RecordsetObject::MoveTo(long position)
{
    const long count = static_cast<long>(m_cursor->rowset->records.size());
    m_cursor->beforeFirst = position < 0;
    m_cursor->position = position < 0 ? 0 : (position > count ? count : position);
    m_cursor->editMode = ADODB::adEditNone;
}

HRESULT RecordsetObject::get_BOF(VARIANT_BOOL* pb)
{
    return TW_RS_GUARD({
        if (!pb)
            FailWith(E_POINTER, "NULL");
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        *pb = (m_cursor->beforeFirst || m_cursor->Empty()) ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT RecordsetObject::get_EOF(VARIANT_BOOL* pb)
{
    return TW_RS_GUARD({
        if (!pb)
            FailWith(E_POINTER, "NULL");
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        const long count = static_cast<long>(m_cursor->rowset->records.size());
        *pb = (!m_cursor->beforeFirst && m_cursor->position >= count) || m_cursor->Empty() ? VARIANT_TRUE
                                                                                            : VARIANT_FALSE;
    });
}

HRESULT RecordsetObject::raw_MoveNext()
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        const long count = static_cast<long>(m_cursor->rowset->records.size());
        if (!m_cursor->beforeFirst && m_cursor->position >= count)
            Fail(ADODB::adErrNoCurrentRecord);
        MoveTo(Visible(m_cursor->beforeFirst ? 0 : m_cursor->position + 1, 1));
        RaiseFetchErrors();
    });
}

HRESULT RecordsetObject::raw_MovePrevious()
{
    return TW_RS_GUARD({
        RequireOpen();
        if (m_cursorType.load() == ADODB::adOpenForwardOnly)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_cursor->mutex);
        if (m_cursor->beforeFirst)
            Fail(ADODB::adErrNoCurrentRecord);
        MoveTo(Visible(m_cursor->position - 1, -1));
    });
}

HRESULT RecordsetObject::raw_MoveFirst()
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        // A streamed result keeps only the rows from the reader on.
        if (m_cursor->windowStart > 0)
            Fail(ADODB::adErrFeatureNotAvailable);
        MoveTo(Visible(0, 1));
    });
}

HRESULT RecordsetObject::raw_MoveLast()
{
    return TW_RS_GUARD({
        RequireOpen();
        if (m_cursorType.load() == ADODB::adOpenForwardOnly)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_cursor->mutex);
        const long last = Visible(static_cast<long>(m_cursor->rowset->records.size()) - 1, -1);
        MoveTo(last < 0 ? static_cast<long>(m_cursor->rowset->records.size()) : last);
    });
}

HRESULT RecordsetObject::raw_Move(long NumRecords, VARIANT)
{
    return TW_RS_GUARD({
        RequireOpen();
        if (NumRecords < 0 && m_cursorType.load() == ADODB::adOpenForwardOnly)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_cursor->mutex);
        long position = m_cursor->beforeFirst ? -1 : m_cursor->position;
        const int step = NumRecords < 0 ? -1 : 1;
        for (long moved = 0; moved < std::labs(NumRecords); ++moved) {
            position = Visible(position + step, step);
            if (m_cursor->stream && position >= static_cast<long>(m_cursor->rowset->records.size())) {
                MoveTo(position);
                RaiseFetchErrors();
                position = m_cursor->position;
            }
        }
        MoveTo(position);
    });
}

HRESULT RecordsetObject::get_RecordCount(long* pl)
{
    return TW_RS_GUARD({
        if (!pl)
            FailWith(E_POINTER, "NULL");
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        // A streamed result is counted by reading the rest of it.
        m_cursor->PullAll();
        long count = m_cursor->windowStart;
        for (const Record& record : m_cursor->rowset->records)
            if (record.status != RecordStatus::Deleted)
                ++count;
        *pl = count;
    });
}

HRESULT RecordsetObject::get_AbsolutePosition(long* pl)
{
    return TW_RS_GUARD({
        if (!pl)
            FailWith(E_POINTER, "NULL");
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        if (m_cursor->beforeFirst)
            *pl = ADODB::adPosBOF;
        else if (m_cursor->position >= static_cast<long>(m_cursor->rowset->records.size()))
            *pl = ADODB::adPosEOF;
        else
            *pl = m_cursor->windowStart + m_cursor->position + 1;
    });
}

HRESULT RecordsetObject::put_AbsolutePosition(long l)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        if (l < 1 || l > static_cast<long>(m_cursor->rowset->records.size()))
            Fail(ADODB::adErrInvalidArgument);
        MoveTo(l - 1);
    });
}

HRESULT RecordsetObject::get_Bookmark(VARIANT* pvBookmark)
{
    return TW_RS_GUARD({
        RequireOpen();
        if (m_cursorType.load() == ADODB::adOpenForwardOnly)
            Fail(ADODB::adErrFeatureNotAvailable);
        std::lock_guard lock(m_cursor->mutex);
        HandOutVariant(pvBookmark, _variant_t(static_cast<double>(m_cursor->Current().bookmark)));
    });
}

HRESULT RecordsetObject::put_Bookmark(VARIANT vBookmark)
{
    return TW_RS_GUARD({
        RequireOpen();
        _variant_t number;
        if (FAILED(VariantChangeType(&number, &rsdetail::Deref(vBookmark), 0, VT_I4)))
            Fail(ADODB::adErrInvalidArgument);
        std::lock_guard lock(m_cursor->mutex);
        const auto& records = m_cursor->rowset->records;
        for (size_t i = 0; i < records.size(); ++i) {
            if (records[i].bookmark == number.lVal && records[i].status != RecordStatus::Deleted) {
                MoveTo(static_cast<long>(i));
                return;
            }
        }
        Fail(ADODB::adErrInvalidArgument);
    });
}

// ---- values and changes

int RecordsetObject::FieldIndexOf(const VARIANT& index) const
{
    std::string name;
    long position = 0;
    if (IndexIsName(index, name, position)) {
        const int found = m_cursor->rowset->FieldIndex(name);
        if (found < 0)
            Fail(ADODB::adErrItemNotFound);
        return found;
    }
    if (position < 0 || position >= static_cast<long>(m_cursor->rowset->fields.size()))
        Fail(ADODB::adErrItemNotFound);
    return static_cast<int>(position);
}

HRESULT RecordsetObject::get_Collect(VARIANT Index, VARIANT* pvar)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        const int field = FieldIndexOf(Index);
        HandOutVariant(pvar, m_cursor->Current().values[field]);
    });
}

HRESULT RecordsetObject::put_Collect(VARIANT Index, VARIANT pvar)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        m_cursor->SetValue(FieldIndexOf(Index), _variant_t(pvar));
    });
}

void RecordsetObject::ApplyFieldValues(const VARIANT& fields, const VARIANT& values)
{
    if (rsdetail::IsMissing(rsdetail::Deref(fields)))
        return;
    const std::vector<_variant_t> names = rsdetail::Elements(fields);
    const std::vector<_variant_t> items = rsdetail::Elements(values);
    if (names.size() != items.size())
        Fail(ADODB::adErrInvalidArgument);
    for (size_t i = 0; i < names.size(); ++i)
        m_cursor->SetValue(FieldIndexOf(names[i]), items[i]);
}

HRESULT RecordsetObject::raw_AddNew(VARIANT FieldList, VARIANT Values)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::unique_lock lock(m_cursor->mutex);
        if (!m_cursor->Updatable())
            Fail(ADODB::adErrFeatureNotAvailable);
        std::vector<_variant_t> empty(m_cursor->rowset->fields.size());
        for (_variant_t& value : empty)
            value.vt = VT_NULL;
        Record& record = m_cursor->rowset->AppendRecord(std::move(empty));
        record.status = RecordStatus::New;
        m_cursor->position = static_cast<long>(m_cursor->rowset->records.size()) - 1;
        m_cursor->beforeFirst = false;
        m_cursor->editMode = ADODB::adEditAdd;
        if (rsdetail::IsMissing(rsdetail::Deref(FieldList)))
            return;
        ApplyFieldValues(FieldList, Values);
        WriteThrough(m_cursor->Current());
    });
}

HRESULT RecordsetObject::raw_Update(VARIANT Fields, VARIANT Values)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        ApplyFieldValues(Fields, Values);
        if (m_cursor->AtEnd())
            return;
        WriteThrough(m_cursor->Current());
    });
}

HRESULT RecordsetObject::raw_CancelUpdate()
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        if (m_cursor->editMode == ADODB::adEditNone || m_cursor->AtEnd())
            return;
        Record& record = m_cursor->rowset->records[m_cursor->position];
        if (record.status == RecordStatus::New) {
            m_cursor->rowset->records.erase(m_cursor->rowset->records.begin() + m_cursor->position);
        } else if (record.status == RecordStatus::Modified) {
            record.values = record.original;
            record.original.clear();
            record.status = RecordStatus::Unmodified;
        }
        m_cursor->editMode = ADODB::adEditNone;
    });
}

HRESULT RecordsetObject::raw_Delete(ADODB::AffectEnum AffectRecords)
{
    return TW_RS_GUARD({
        if (AffectRecords != ADODB::adAffectCurrent)
            Fail(ADODB::adErrFeatureNotAvailable);
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        if (!m_cursor->Updatable())
            Fail(ADODB::adErrFeatureNotAvailable);
        Record& record = m_cursor->Current();
        if (record.status == RecordStatus::New) {
            m_cursor->rowset->records.erase(m_cursor->rowset->records.begin() + m_cursor->position);
            m_cursor->editMode = ADODB::adEditNone;
            return;
        }
        if (record.original.empty())
            record.original = record.values;
        record.status = RecordStatus::Deleted;
        m_cursor->editMode = ADODB::adEditNone;
        WriteThrough(record);
    });
}

// Caller holds the cursor's mutex. Batch locking keeps the change pending;
// a recordset without a server keeps it as done.
void RecordsetObject::WriteThrough(Record& record)
{
    m_cursor->editMode = ADODB::adEditNone;
    if (m_cursor->lockType == ADODB::adLockBatchOptimistic && !m_fromFile)
        return;
    if (m_connection && !m_fromFile)
        WriteRecordToServer(record);
    auto& records = m_cursor->rowset->records;
    if (record.status == RecordStatus::Deleted) {
        records.erase(records.begin() + (&record - records.data()));
        return;
    }
    record.status = RecordStatus::Unmodified;
    record.original.clear();
}

std::string RecordsetObject::BuildWriteStatement(const Record& record) const
{
    const Rowset& rowset = *m_cursor->rowset;
    if (rowset.baseTable.empty())
        Fail(ADODB::adErrFeatureNotAvailable);
    const std::string& table = rowset.baseTable;
    auto whereClause = [&] {
        std::string where;
        for (size_t i = 0; i < rowset.fields.size(); ++i) {
            if (!rsdetail::Comparable(rowset.fields[i]))
                continue;
            const _variant_t& value = record.original[i];
            where += where.empty() ? " WHERE " : " AND ";
            where += QuoteName(rowset.fields[i].name);
            where += value.vt == VT_NULL || value.vt == VT_EMPTY ? " IS NULL" : " = " + SqlLiteral(value);
        }
        return where;
    };
    if (record.status == RecordStatus::Deleted)
        return "DELETE FROM " + table + whereClause();
    if (record.status == RecordStatus::New) {
        std::string columns, values;
        for (size_t i = 0; i < rowset.fields.size(); ++i) {
            if (record.values[i].vt == VT_EMPTY)
                continue;
            columns += (columns.empty() ? "" : ", ") + QuoteName(rowset.fields[i].name);
            values += (values.empty() ? "" : ", ") + SqlLiteral(record.values[i]);
        }
        return "INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")";
    }
    std::string assignments;
    for (size_t i = 0; i < rowset.fields.size(); ++i) {
        if (record.values[i] == record.original[i])
            continue;
        assignments += (assignments.empty() ? "" : ", ") + QuoteName(rowset.fields[i].name) + " = " +
                       SqlLiteral(record.values[i]);
    }
    if (assignments.empty())
        return {};
    return "UPDATE " + table + " SET " + assignments + whereClause();
}

void RecordsetObject::WriteRecordToServer(const Record& record)
{
    const std::string statement = BuildWriteStatement(record);
    if (statement.empty())
        return;
    std::vector<ResultItem> items = m_connection.load()->RunForResults("SET NOCOUNT OFF " + statement);
    long affected = -1;
    for (const ResultItem& item : items)
        if (item.kind == ResultItem::Kind::Count)
            affected = item.recordsAffected;
    if (affected == 0)
        FailWith(static_cast<HRESULT>(0x80040E38u),
                 "Row cannot be located for updating. Some values may have been changed since it was last read.");
}

HRESULT RecordsetObject::raw_UpdateBatch(ADODB::AffectEnum)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        auto& records = m_cursor->rowset->records;
        if (m_connection && !m_fromFile)
            for (const Record& record : records)
                if (record.status != RecordStatus::Unmodified)
                    WriteRecordToServer(record);
        for (size_t i = records.size(); i-- > 0;) {
            if (records[i].status == RecordStatus::Deleted) {
                records.erase(records.begin() + i);
                continue;
            }
            records[i].status = RecordStatus::Unmodified;
            records[i].original.clear();
        }
        m_cursor->editMode = ADODB::adEditNone;
        if (m_cursor->position > static_cast<long>(records.size()))
            m_cursor->position = static_cast<long>(records.size());
    });
}

HRESULT RecordsetObject::raw_CancelBatch(ADODB::AffectEnum)
{
    return TW_RS_GUARD({
        RequireOpen();
        std::lock_guard lock(m_cursor->mutex);
        auto& records = m_cursor->rowset->records;
        for (size_t i = records.size(); i-- > 0;) {
            Record& record = records[i];
            if (record.status == RecordStatus::New) {
                records.erase(records.begin() + i);
                continue;
            }
            if (!record.original.empty())
                record.values = record.original;
            record.original.clear();
            record.status = RecordStatus::Unmodified;
        }
        m_cursor->editMode = ADODB::adEditNone;
        MoveTo(Visible(0, 1));
    });
}

HRESULT RecordsetObject::raw_Save(VARIANT Destination, ADODB::PersistFormatEnum PersistFormat)
{
    return TW_RS_GUARD({
        if (PersistFormat != ADODB::adPersistXML)
            Fail(ADODB::adErrFeatureNotAvailable);
        RequireOpen();
        std::string path;
        const VARIANT& destination = rsdetail::Deref(Destination);
        if (rsdetail::IsMissing(destination)) {
            std::lock_guard lock(m_mutex);
            if (!m_fromFile)
                Fail(ADODB::adErrInvalidArgument);
            path = m_source;
        } else {
            path = rsdetail::Text(destination);
        }
        std::lock_guard lock(m_cursor->mutex);
        m_cursor->PullAll();
        SaveRowsetXml(*m_cursor->rowset, path);
    });
}

#undef TW_RS_GUARD

} // namespace tw::ado
