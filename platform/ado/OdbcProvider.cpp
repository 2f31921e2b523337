#include "platform/ado/OdbcProvider.h"

#include <mutex>
#include <strings.h>

#include "platform/ado/AdoEnums.h"

#include "platform/ado/OdbcCalls.h"

namespace tw::ado {

namespace odbcdetail {

constexpr const char* kSource = "ODBC";

// "01..." states are warnings: PRINT output and informational messages.
std::vector<ProviderMessage> MessagesOf(const std::vector<odbc::Diagnostic>& diagnostics, bool failed)
{
    std::vector<ProviderMessage> messages;
    for (const odbc::Diagnostic& diagnostic : diagnostics) {
        ProviderMessage message;
        message.sqlState = diagnostic.sqlState;
        message.nativeError = diagnostic.nativeError;
        const bool warning = diagnostic.sqlState.compare(0, 2, "01") == 0;
        message.severity = failed && !warning ? 16 : 0;
        message.hr = message.severity ? kErrorsInCommand : S_OK;
        message.source = kSource;
        message.text = WithoutDriverPrefixes(diagnostic.text);
        messages.push_back(std::move(message));
    }
    return messages;
}

odbc::CellKind CellKindOf(const std::string& typeName)
{
    static const char* const kIntegers[] = {"bit", "tinyint", "smallint", "int", "bigint"};
    for (const char* name : kIntegers)
        if (typeName == name)
            return odbc::CellKind::Integer;
    if (typeName == "real" || typeName == "float")
        return odbc::CellKind::Real;
    if (typeName == "decimal" || typeName == "numeric" || typeName == "money")
        return odbc::CellKind::DecimalText;
    if (typeName == "datetime")
        return odbc::CellKind::Timestamp;
    if (typeName == "binary" || typeName == "varbinary" || typeName == "image")
        return odbc::CellKind::Bytes;
    return odbc::CellKind::Text;
}

tw::server::Value ValueOf(const odbc::Cell& cell, odbc::CellKind kind)
{
    if (cell.isNull)
        return tw::server::Value::Null();
    switch (kind) {
    case odbc::CellKind::Integer: return tw::server::Value::Int(cell.integer);
    case odbc::CellKind::Real: return tw::server::Value::Float(cell.real);
    case odbc::CellKind::DecimalText: return tw::server::Value::Decimal(cell.text);
    case odbc::CellKind::Timestamp: return tw::server::Value::DateTime(cell.text);
    case odbc::CellKind::Bytes: return tw::server::Value::Binary(cell.text);
    case odbc::CellKind::Text: return tw::server::Value::String(cell.text);
    }
    return tw::server::Value::Null();
}

class OdbcSession final : public ProviderSession {
public:
    // providerName: what the connection reports as its "Provider Name".
    explicit OdbcSession(std::string providerName) : m_providerName(std::move(providerName)) {}

    void Connect(const std::string& odbcText, long loginTimeout, const std::string& displayName)
    {
        if (!odbc::Succeeded(m_connection.Connect(odbcText, loginTimeout)))
            FailConnect(displayName, MessagesOf(m_connection.Diagnostics(), true));
        m_dataSource = displayName;
        m_dbmsName = m_connection.DbmsName();
        m_dbmsVersion = m_connection.DbmsVersion();
        m_driverName = m_connection.DriverName();
        m_multipleResults = m_connection.MultipleResults();
    }

    void Execute(const std::string& batch, tw::server::ResultSink& sink) override
    {
        odbc::Statement statement(m_connection);
        Track tracking(*this, statement);
        StreamResults(statement, statement.ExecDirect(batch), sink);
    }

    void Cancel() override
    {
        std::lock_guard lock(m_currentMutex);
        if (m_current)
            m_current->Cancel();
    }

    std::string CurrentDatabase() override { return m_connection.CurrentCatalog(); }

    std::string StaticProperty(const std::string& name) const override
    {
        if (name == "DBMS Name")
            return m_dbmsName;
        if (name == "DBMS Version")
            return m_dbmsVersion;
        if (name == "Driver Name")
            return m_driverName;
        if (name == "Data Source")
            return m_dataSource;
        if (name == "Provider Name")
            return m_providerName;
        if (name == "Multiple Results")
            return m_multipleResults ? "1" : "0";
        return {};
    }

    void ListCatalogs(tw::server::ResultSink& sink) override
    {
        odbc::Statement statement(m_connection);
        Track tracking(*this, statement);
        StreamResults(statement, statement.ListCatalogs(), sink);
    }

private:
    // Makes the running statement the one Cancel reaches.
    struct Track {
        Track(OdbcSession& session, odbc::Statement& statement) : m_session(session)
        {
            if (!statement.Allocated()) {
                std::vector<ProviderMessage> messages = MessagesOf(session.m_connection.Diagnostics(), true);
                if (messages.empty())
                    messages.push_back(ProviderMessage{kProviderFailure, 0, 16, "08S01", kSource,
                                                       "The connection to the server is gone."});
                throw ProviderFailure{kProviderFailure, std::move(messages)};
            }
            std::lock_guard lock(session.m_currentMutex);
            session.m_current = &statement;
        }
        ~Track()
        {
            std::lock_guard lock(m_session.m_currentMutex);
            m_session.m_current = nullptr;
        }
        OdbcSession& m_session;
    };

    [[noreturn]] static void FailConnect(const std::string& displayName, std::vector<ProviderMessage> messages)
    {
        ProviderMessage first;
        first.hr = kProviderFailure;
        first.severity = 16;
        first.sqlState = messages.empty() ? "08001" : messages.front().sqlState;
        first.source = kSource;
        first.text = "Cannot connect to '" + displayName + "'" +
                     (messages.empty() ? std::string(".") : ": " + messages.front().text);
        for (ProviderMessage& message : messages) {
            message.hr = kProviderFailure;
            message.severity = 16;
        }
        messages.insert(messages.begin(), first);
        throw ProviderFailure{kProviderFailure, std::move(messages)};
    }

    static void Report(odbc::Statement& statement, odbc::Status status, tw::server::ResultSink& sink)
    {
        if (status != odbc::Status::SuccessWithInfo && status != odbc::Status::Error)
            return;
        for (const ProviderMessage& message : MessagesOf(statement.Diagnostics(), status == odbc::Status::Error)) {
            tw::server::Message converted;
            converted.number = static_cast<int>(message.nativeError);
            converted.severity = message.severity;
            converted.text = message.text;
            sink.MessageReceived(converted);
        }
    }

    // Every result of the statement in order, with SQLMoreResults between.
    void StreamResults(odbc::Statement& statement, odbc::Status status, tw::server::ResultSink& sink)
    {
        for (;;) {
            Report(statement, status, sink);
            if (status == odbc::Status::NoData) {
                // A statement that touched no row still reports its count.
                const int64_t count = statement.RowCount();
                if (count >= 0)
                    sink.RowsAffected(count, tw::server::RowCountOf::Statement);
            } else if (odbc::Succeeded(status)) {
                StreamOneResult(statement, sink);
            }
            status = statement.MoreResults();
            if (status == odbc::Status::NoData)
                return;
            if (status == odbc::Status::Error) {
                Report(statement, status, sink);
                return;
            }
        }
    }

    void StreamOneResult(odbc::Statement& statement, tw::server::ResultSink& sink)
    {
        const int columnCount = statement.ColumnCount();
        if (columnCount <= 0) {
            const int64_t count = statement.RowCount();
            if (count >= 0)
                sink.RowsAffected(count, tw::server::RowCountOf::Statement);
            return;
        }
        std::vector<tw::server::ColumnInfo> columns;
        std::vector<odbc::CellKind> kinds;
        for (int i = 1; i <= columnCount; ++i) {
            const odbc::ColumnDescription description = statement.Describe(i);
            tw::server::ColumnInfo column;
            column.name = description.name;
            column.typeName = description.typeName;
            column.size = static_cast<int32_t>(description.wide ? description.size * 2 : description.size);
            column.precision = static_cast<uint8_t>(description.size > 255 ? 255 : description.size);
            column.scale = static_cast<uint8_t>(description.digits);
            column.nullable = description.nullable;
            columns.push_back(column);
            kinds.push_back(CellKindOf(column.typeName));
        }
        sink.BeginResultSet(columns);
        int64_t rows = 0;
        odbc::Cell cell;
        for (;;) {
            const odbc::Status fetched = statement.Fetch();
            if (fetched == odbc::Status::NoData)
                break;
            if (!odbc::Succeeded(fetched)) {
                sink.RowsFailed();
                sink.EndResultSet();
                Report(statement, fetched, sink);
                return;
            }
            tw::server::Row row;
            row.reserve(columns.size());
            for (int i = 0; i < columnCount; ++i) {
                statement.ReadCell(i + 1, kinds[i], cell);
                row.push_back(ValueOf(cell, kinds[i]));
            }
            ++rows;
            if (!sink.RowFetched(row)) {
                // A cancel may come meanwhile; drivers free the cursor's rows
                // in both, which must not overlap.
                std::lock_guard lock(m_currentMutex);
                statement.CloseCursor();
                break;
            }
        }
        sink.EndResultSet();
        sink.RowsAffected(rows, tw::server::RowCountOf::ResultSet);
    }

    odbc::Connection m_connection;
    std::mutex m_currentMutex;
    odbc::Statement* m_current = nullptr;
    std::string m_dataSource;
    std::string m_dbmsName;
    std::string m_dbmsVersion;
    std::string m_driverName;
    std::string m_providerName;
    bool m_multipleResults = false;
};

} // namespace odbcdetail

std::string WithoutDriverPrefixes(const std::string& text)
{
    size_t start = 0;
    while (start < text.size() && text[start] == '[') {
        const size_t close = text.find(']', start);
        if (close == std::string::npos)
            break;
        start = close + 1;
    }
    return text.substr(start);
}

std::string TdsConnectionString(const ConnectionString& settings, const std::string& userId,
                                 const std::string& password)
{
    std::string server = settings.Get({"Data Source", "Server", "Address"});
    std::string port;
    const size_t comma = server.find(',');
    if (comma != std::string::npos) {
        port = server.substr(comma + 1);
        server = server.substr(0, comma);
    }
    // Braced values may hold ';' and '='; a '}' inside is doubled.
    auto braced = [](const std::string& value) {
        std::string text = "{";
        for (char c : value)
            text += c == '}' ? std::string("}}") : std::string(1, c);
        return text + "}";
    };
    std::string text = "DRIVER={FreeTDS};SERVER=" + braced(server) + ";";
    if (!port.empty())
        text += "PORT=" + port + ";";
    const std::string database = settings.Get({"Initial Catalog", "Database"});
    if (!database.empty())
        text += "DATABASE=" + braced(database) + ";";
    const std::string trusted = settings.Get({"Trusted_Connection", "Integrated Security"});
    if (strcasecmp(trusted.c_str(), "yes") == 0 || strcasecmp(trusted.c_str(), "sspi") == 0) {
        text += "Trusted_Connection=Yes;";
    } else {
        const std::string user = userId.empty() ? settings.Get({"User ID", "UID"}) : userId;
        const std::string secret = password.empty() ? settings.Get({"Password", "PWD"}) : password;
        text += "UID=" + braced(user) + ";PWD=" + braced(secret) + ";";
    }
    text += "ClientCharset=UTF-8;";
    return text;
}

std::unique_ptr<ProviderSession> OpenTdsSession(const ConnectionString& settings, const std::string& userId,
                                                const std::string& password, long loginTimeoutSeconds)
{
    auto session = std::make_unique<odbcdetail::OdbcSession>("SQLOLEDB.DLL");
    const std::string server = settings.Get({"Data Source", "Server", "Address"});
    try {
        session->Connect(TdsConnectionString(settings, userId, password), loginTimeoutSeconds, server);
    } catch (ProviderFailure& failure) {
        const std::string trusted = settings.Get({"Trusted_Connection", "Integrated Security"});
        if (!trusted.empty() && strcasecmp(trusted.c_str(), "no") != 0 && !failure.messages.empty())
            failure.messages.front().text +=
                " (Windows authentication reaches SQL Server only through Kerberos: check that a ticket is held.)";
        throw;
    }
    return session;
}

std::unique_ptr<ProviderSession> OpenOdbcSession(const std::string& odbcConnectionString, long loginTimeoutSeconds)
{
    auto session = std::make_unique<odbcdetail::OdbcSession>("MSDASQL.DLL");
    session->Connect(odbcConnectionString, loginTimeoutSeconds, "ODBC");
    return session;
}

} // namespace tw::ado
