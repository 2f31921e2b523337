// Turns what a provider streams into the results a recordset walks: one item
// per result set (with its rows), per statement count, and per failure, in
// the order the batch produced them. Messages are also handed to a callback
// as they arrive, for the connection's InfoMessage event.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ado/Provider.h"
#include "platform/ado/Rowset.h"

namespace tw::ado {

struct ResultItem {
    enum class Kind { Rows, Count, Failure };
    Kind kind = Kind::Count;
    std::shared_ptr<Rowset> rowset;
    long recordsAffected = -1;
    std::vector<ProviderMessage> errors;
};

class BatchCollector final : public tw::server::ResultSink {
public:
    using MessageCallback = std::function<void(const ProviderMessage&)>;

    BatchCollector(std::string source, MessageCallback onMessage);

    void BeginResultSet(const std::vector<tw::server::ColumnInfo>& columns) override;
    bool RowFetched(const tw::server::Row& row) override;
    void EndResultSet() override;
    void RowsAffected(int64_t count, tw::server::RowCountOf of) override;
    void MessageReceived(const tw::server::Message& message) override;
    void ReturnStatus(int status) override;
    void OutputParameter(const std::string& name, const tw::server::Value& value) override;

    // Adds messages a provider reports itself (ODBC diagnostics).
    void AddMessage(const ProviderMessage& message);
    // Stops taking rows: the provider ends the statement.
    void StopFetching() { m_stopped = true; }

    std::vector<ResultItem> TakeItems();
    const std::vector<ProviderMessage>& Messages() const { return m_messages; }

private:
    std::string m_source;
    MessageCallback m_onMessage;
    std::vector<ResultItem> m_items;
    std::vector<ProviderMessage> m_messages;
    bool m_inResultSet = false;
    std::atomic<bool> m_stopped{false};
};

} // namespace tw::ado
