// What the object model asks of a provider: a session that runs batches and
// streams what they produce, can be cancelled from another thread, and
// answers the properties callers read. The embedded server and ODBC each
// implement it, so the object model is written once.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ado/ConnectionString.h"
#include "platform/server/ResultSink.h"
#include "platform/win32/winerror.h"

namespace tw::ado {

struct ProviderMessage {
    HRESULT hr = S_OK;
    long nativeError = 0;
    int severity = 0;
    std::string sqlState;
    std::string source;
    std::string text;

    bool IsError() const { return severity > 10; }
};

// A failure of the provider itself: no login, a dropped connection.
struct ProviderFailure {
    HRESULT hr;
    std::vector<ProviderMessage> messages;
};

class ProviderSession {
public:
    virtual ~ProviderSession() = default;

    // Streams the batch's results, counts and messages to `sink` in order.
    // Throws ProviderFailure when the session can no longer run anything.
    virtual void Execute(const std::string& batch, tw::server::ResultSink& sink) = 0;
    // From any thread, while Execute runs on another.
    virtual void Cancel() = 0;
    virtual std::string CurrentDatabase() = 0;
    // "DBMS Name", "DBMS Version", "Provider Name", "Data Source", "Driver Name",
    // "Multiple Results" ("1" or "0"); "" when unknown.
    virtual std::string StaticProperty(const std::string& name) const = 0;
    // Streams one result set whose first field is a database name.
    virtual void ListCatalogs(tw::server::ResultSink& sink) = 0;
};

// Opens the session a connection string names: "(embedded)" (the default)
// for the embedded server; "Provider=MSDASQL" with the rest handed to the ODBC
// driver manager; any other data source a SQL Server over TDS through ODBC.
// Throws ProviderFailure.
std::unique_ptr<ProviderSession> OpenProviderSession(const ConnectionString& settings, const std::string& userId,
                                                     const std::string& password, long loginTimeoutSeconds);

} // namespace tw::ado
