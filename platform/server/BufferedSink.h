// A sink that keeps everything a batch produced, in order: for callers that
// want the whole answer at once (tests, catalogue reads, disconnected recordsets).
#pragma once

#include <optional>

#include "platform/server/ResultSink.h"

namespace tw::server {

struct ResultSet {
    std::vector<ColumnInfo> columns;
    std::vector<Row> rows;
    // Column index by name, case-insensitive; -1 when absent.
    int ColumnIndex(const std::string& name) const;
};

class BufferedSink : public ResultSink {
public:
    enum class EventKind { ResultSet, RowCount, Message, ReturnStatus, OutputParameter };
    struct Event {
        EventKind kind;
        size_t index; // into resultSets / messages / outputs; the count or status itself otherwise
        int64_t number = 0;
        RowCountOf countOf = RowCountOf::Statement; // for RowCount events
    };

    std::vector<ResultSet> resultSets;
    std::vector<Message> messages;
    std::vector<std::pair<std::string, Value>> outputs;
    std::vector<int64_t> rowCounts;
    std::optional<int> returnStatus;
    std::vector<Event> events;

    void BeginResultSet(const std::vector<ColumnInfo>& columns) override;
    bool RowFetched(const Row& row) override;
    void EndResultSet() override;
    void RowsAffected(int64_t count, RowCountOf of) override;
    void MessageReceived(const Message& message) override;
    void ReturnStatus(int status) override;
    void OutputParameter(const std::string& name, const Value& value) override;

    bool HasError() const;
    const Message* FirstError() const;
};

} // namespace tw::server
