#include "platform/ado/BatchCollector.h"

#include "platform/ado/AdoEnums.h"
#include "platform/ado/ValueMapping.h"

namespace tw::ado {

BatchCollector::BatchCollector(std::string source, MessageCallback onMessage)
    : m_source(std::move(source)), m_onMessage(std::move(onMessage))
{
}

void BatchCollector::BeginResultSet(const std::vector<tw::server::ColumnInfo>& columns)
{
    ResultItem item;
    item.kind = ResultItem::Kind::Rows;
    item.rowset = std::make_shared<Rowset>();
    item.rowset->fields.reserve(columns.size());
    for (const tw::server::ColumnInfo& column : columns)
        item.rowset->fields.push_back(FieldFromColumn(column));
    m_items.push_back(std::move(item));
    m_inResultSet = true;
}

bool BatchCollector::RowFetched(const tw::server::Row& row)
{
    if (m_stopped || !m_inResultSet)
        return false;
    Rowset& rowset = *m_items.back().rowset;
    std::vector<_variant_t> values;
    values.reserve(rowset.fields.size());
    for (size_t i = 0; i < rowset.fields.size(); ++i)
        values.push_back(i < row.size() ? VariantFromValue(row[i], rowset.fields[i]) : _variant_t());
    rowset.AppendRecord(std::move(values));
    return true;
}

void BatchCollector::EndResultSet()
{
    m_inResultSet = false;
}

void BatchCollector::RowsAffected(int64_t count, tw::server::RowCountOf of)
{
    // A SELECT's own count is not a result of its own.
    if (of == tw::server::RowCountOf::ResultSet)
        return;
    ResultItem item;
    item.kind = ResultItem::Kind::Count;
    item.recordsAffected = static_cast<long>(count);
    m_items.push_back(std::move(item));
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
    if (message.IsError()) {
        if (m_items.empty() || m_items.back().kind != ResultItem::Kind::Failure) {
            ResultItem item;
            item.kind = ResultItem::Kind::Failure;
            m_items.push_back(std::move(item));
        }
        m_items.back().errors.push_back(message);
    }
    if (m_onMessage)
        m_onMessage(message);
}

void BatchCollector::ReturnStatus(int) {}

void BatchCollector::OutputParameter(const std::string&, const tw::server::Value&) {}

std::vector<ResultItem> BatchCollector::TakeItems() { return std::move(m_items); }

} // namespace tw::ado
