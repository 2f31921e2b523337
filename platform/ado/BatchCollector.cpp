#include "platform/ado/BatchCollector.h"

#include "platform/ado/AdoEnums.h"
#include "platform/ado/ValueMapping.h"

namespace tw::ado {

namespace collectordetail {
// The first page goes as soon as it has a few rows, so the reader starts at
// once; later pages are larger; a page also goes when it has waited this long.
constexpr size_t kFirstPageRows = 64;
constexpr size_t kPageRows = 1024;
constexpr auto kPageWait = std::chrono::milliseconds(10);
} // namespace collectordetail

BatchCollector::BatchCollector(std::string source, MessageCallback onMessage, Mode mode)
    : m_source(std::move(source)), m_onMessage(std::move(onMessage)), m_mode(mode)
{
}

void BatchCollector::BeginResultSet(const std::vector<tw::server::ColumnInfo>& columns)
{
    FinishStream();
    ResultItem item;
    item.kind = ResultItem::Kind::Rows;
    item.rowset = std::make_shared<Rowset>();
    item.rowset->fields.reserve(columns.size());
    for (const tw::server::ColumnInfo& column : columns)
        item.rowset->fields.push_back(FieldFromColumn(column));
    if (Streamed()) {
        item.stream = std::make_shared<RowStream>();
        m_stream = item.stream;
        m_fields = item.rowset;
        m_pageLimit = collectordetail::kFirstPageRows;
        m_pageStarted = std::chrono::steady_clock::now();
        m_nextBookmark = 1;
    }
    AddItem(std::move(item));
    m_inResultSet = true;
}

bool BatchCollector::RowFetched(const tw::server::Row& row)
{
    if (m_stopped || !m_inResultSet)
        return false;
    const Rowset& rowset = Streamed() ? *m_fields : *m_items.back().rowset;
    std::vector<_variant_t> values;
    values.reserve(rowset.fields.size());
    for (size_t i = 0; i < rowset.fields.size(); ++i)
        values.push_back(i < row.size() ? VariantFromValue(row[i], rowset.fields[i]) : _variant_t());
    if (!Streamed()) {
        m_items.back().rowset->AppendRecord(std::move(values));
        return true;
    }
    Record record;
    record.values = std::move(values);
    record.bookmark = m_nextBookmark++;
    m_page.push_back(std::move(record));
    const bool full = m_page.size() >= m_pageLimit;
    const bool waited = m_page.size() % 16 == 0 &&
                        std::chrono::steady_clock::now() - m_pageStarted >= collectordetail::kPageWait;
    return full || waited ? FlushPage() : true;
}

bool BatchCollector::FlushPage()
{
    if (m_page.empty() || !m_stream)
        return true;
    const bool taken = m_stream->Push(std::move(m_page));
    m_page.clear();
    m_page.reserve(collectordetail::kPageRows);
    m_pageLimit = collectordetail::kPageRows;
    m_pageStarted = std::chrono::steady_clock::now();
    return taken;
}

void BatchCollector::EndResultSet()
{
    m_inResultSet = false;
    if (!Streamed())
        return;
    FlushPage();
    // A failed row's errors come next, as messages: the rows end with them.
    if (!m_rowsFailed)
        FinishStream();
}

void BatchCollector::RowsFailed()
{
    m_rowsFailed = true;
}

void BatchCollector::FinishStream()
{
    if (!m_stream)
        return;
    m_stream->Finish(std::move(m_fetchErrors));
    m_fetchErrors.clear();
    m_stream = nullptr;
    m_rowsFailed = false;
}

void BatchCollector::RowsAffected(int64_t count, tw::server::RowCountOf of)
{
    FinishStream();
    // A SELECT's own count is not a result of its own.
    if (of == tw::server::RowCountOf::ResultSet)
        return;
    ResultItem item;
    item.kind = ResultItem::Kind::Count;
    item.recordsAffected = static_cast<long>(count);
    AddItem(std::move(item));
}

void BatchCollector::AddItem(ResultItem item)
{
    std::lock_guard lock(m_itemsMutex);
    if (item.stream)
        m_streams.push_back(item.stream);
    item.notes = std::move(m_notes);
    m_notes.clear();
    m_items.push_back(std::move(item));
    if (!Streamed())
        return;
    // Rows are read as they come; a count or failure waits for what follows,
    // since the errors that come together make one failure.
    m_published = m_items.size() - (m_items.back().kind == ResultItem::Kind::Rows ? 0 : 1);
    m_itemsChanged.notify_all();
}

void BatchCollector::FinishBatch()
{
    FlushPage();
    FinishStream();
    std::lock_guard lock(m_itemsMutex);
    m_batchOver = true;
    m_published = m_items.size();
    m_itemsChanged.notify_all();
}

bool BatchCollector::NextItem(ResultItem& item)
{
    std::unique_lock lock(m_itemsMutex);
    m_itemsChanged.wait(lock, [this] { return m_taken < m_published || m_batchOver; });
    if (m_taken >= m_published)
        return false;
    item = std::move(m_items[m_taken++]);
    return true;
}

void BatchCollector::AbandonStreams()
{
    m_stopped = true;
    std::lock_guard lock(m_itemsMutex);
    for (const std::shared_ptr<RowStream>& stream : m_streams)
        stream->Abandon();
}

void BatchCollector::MessageReceived(const tw::server::Message& message)
{
    ProviderMessage converted;
    converted.hr = message.IsError() ? kErrorsInCommand : S_OK;
    converted.nativeError = message.number;
    converted.severity = message.severity;
    converted.sqlState = message.IsError() ? "42000" : "01000";
    converted.source = m_source;
    converted.text = message.text;
    AddMessage(converted);
}

void BatchCollector::AddMessage(const ProviderMessage& message)
{
    m_messages.push_back(message);
    if (!message.IsError()) {
        std::lock_guard lock(m_itemsMutex);
        m_notes.push_back(message);
    }
    if (m_stream && m_rowsFailed && message.IsError()) {
        // Raised where the reader moves past the last row that was read.
        m_fetchErrors.push_back(message);
    } else if (message.IsError()) {
        FinishStream();
        AddError(message);
    }
    if (m_onMessage)
        m_onMessage(message);
}

void BatchCollector::AddError(const ProviderMessage& message)
{
    {
        std::lock_guard lock(m_itemsMutex);
        if (!m_items.empty() && m_items.back().kind == ResultItem::Kind::Failure && m_published < m_items.size()) {
            m_items.back().errors.push_back(message);
            return;
        }
    }
    ResultItem item;
    item.kind = ResultItem::Kind::Failure;
    item.errors.push_back(message);
    AddItem(std::move(item));
}

void BatchCollector::ReturnStatus(int) {}

void BatchCollector::OutputParameter(const std::string&, const tw::server::Value&) {}

std::vector<ResultItem> BatchCollector::TakeItems() { return std::move(m_items); }

std::vector<ProviderMessage> BatchCollector::TakeTrailingNotes()
{
    std::lock_guard lock(m_itemsMutex);
    if (!m_batchOver)
        return {};
    std::vector<ProviderMessage> notes = std::move(m_notes);
    m_notes.clear();
    return notes;
}

} // namespace tw::ado

namespace tw::ado {

void BatchCollector::UnbindStreams()
{
    std::lock_guard lock(m_itemsMutex);
    for (const std::shared_ptr<RowStream>& stream : m_streams)
        stream->Unbind();
}

} // namespace tw::ado
