// Receives what a batch produces, in the order the server produces it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/server/Message.h"
#include "platform/server/Value.h"

namespace tw::server {

// What a row count counts: the rows of the result set just ended (a SELECT's
// own count) or the rows a statement without results touched.
enum class RowCountOf { Statement, ResultSet };

class ResultSink {
public:
    virtual ~ResultSink() = default;

    virtual void BeginResultSet(const std::vector<ColumnInfo>& columns) = 0;
    // Return false to stop fetching: the statement ends as if cancelled, silently.
    virtual bool RowFetched(const Row& row) = 0;
    virtual void EndResultSet() = 0;
    // The result set stops short because a row could not be produced; sent
    // before its EndResultSet, the error follows as a message.
    virtual void RowsFailed() {}
    // The count of a statement that affected rows (a SELECT's too, after its
    // result set, marked RowCountOf::ResultSet).
    virtual void RowsAffected(int64_t count, RowCountOf of) = 0;
    virtual void MessageReceived(const Message& message) = 0;
    // The RETURN value and OUTPUT parameters of an EXEC issued by the batch itself.
    virtual void ReturnStatus(int status) = 0;
    virtual void OutputParameter(const std::string& name, const Value& value) = 0;
};

} // namespace tw::server
