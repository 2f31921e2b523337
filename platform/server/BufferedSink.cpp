#include "platform/server/BufferedSink.h"

#include <cctype>

namespace tw::server {

int ResultSet::ColumnIndex(const std::string& name) const
{
    for (size_t i = 0; i < columns.size(); ++i) {
        const std::string& c = columns[i].name;
        if (c.size() != name.size())
            continue;
        bool same = true;
        for (size_t k = 0; k < c.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(c[k])) == std::tolower(static_cast<unsigned char>(name[k]));
        if (same)
            return static_cast<int>(i);
    }
    return -1;
}

void BufferedSink::BeginResultSet(const std::vector<ColumnInfo>& columns)
{
    events.push_back({EventKind::ResultSet, resultSets.size()});
    resultSets.push_back({columns, {}});
}

bool BufferedSink::RowFetched(const Row& row)
{
    resultSets.back().rows.push_back(row);
    return true;
}

void BufferedSink::EndResultSet() {}

void BufferedSink::RowsAffected(int64_t count, RowCountOf of)
{
    events.push_back({EventKind::RowCount, rowCounts.size(), count, of});
    rowCounts.push_back(count);
}

void BufferedSink::MessageReceived(const Message& message)
{
    events.push_back({EventKind::Message, messages.size()});
    messages.push_back(message);
}

void BufferedSink::ReturnStatus(int status)
{
    events.push_back({EventKind::ReturnStatus, 0, status});
    returnStatus = status;
}

void BufferedSink::OutputParameter(const std::string& name, const Value& value)
{
    events.push_back({EventKind::OutputParameter, outputs.size()});
    outputs.emplace_back(name, value);
}

bool BufferedSink::HasError() const { return FirstError() != nullptr; }

const Message* BufferedSink::FirstError() const
{
    for (const Message& m : messages)
        if (m.IsError())
            return &m;
    return nullptr;
}

} // namespace tw::server
