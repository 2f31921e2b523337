#include "platform/ado/EmbeddedProvider.h"

#include "platform/ado/AdoEnums.h"
#include "platform/server/Server.h"

namespace tw::ado {

namespace embeddeddetail {

constexpr const char* kSource = "Embedded Server";

std::shared_ptr<tw::server::Server> SharedServer()
{
    std::string error;
    std::shared_ptr<tw::server::Server> server = tw::server::Server::Shared(&error);
    if (!server) {
        ProviderMessage message;
        message.hr = kProviderFailure;
        message.severity = 16;
        message.source = kSource;
        message.text = "The embedded server could not start: " + error;
        throw ProviderFailure{kProviderFailure, {message}};
    }
    return server;
}

ProviderMessage MessageOf(const tw::server::Message& m, HRESULT hr)
{
    ProviderMessage message;
    message.hr = hr;
    message.nativeError = m.number;
    message.severity = m.severity;
    message.sqlState = m.IsError() ? "42000" : "01000";
    message.source = kSource;
    message.text = m.text;
    return message;
}

class EmbeddedSession final : public ProviderSession {
public:
    EmbeddedSession(std::shared_ptr<tw::server::Server> server, std::unique_ptr<tw::server::Session> session)
        : m_server(std::move(server)), m_session(std::move(session))
    {
    }

    void Execute(const std::string& batch, tw::server::ResultSink& sink) override
    {
        if (m_session->IsKilled()) {
            tw::server::Message gone;
            gone.number = 10054;
            gone.severity = 20;
            gone.text = "The connection was closed by the server.";
            throw ProviderFailure{kProviderFailure, {MessageOf(gone, kProviderFailure)}};
        }
        m_session->Execute(batch, sink);
    }

    void Cancel() override { m_session->Cancel(); }

    std::string CurrentDatabase() override { return m_session->CurrentDatabase(); }

    std::string StaticProperty(const std::string& name) const override
    {
        if (name == "DBMS Name")
            return "SQL Server";
        if (name == "DBMS Version")
            return "08.00.0000";
        // The connection string names SQLOLEDB; callers tell providers apart by this name.
        if (name == "Provider Name")
            return "SQLOLEDB.DLL";
        if (name == "Multiple Results")
            return "1";
        if (name == "Data Source")
            return tw::server::Server::kServerName;
        if (name == "Driver Name")
            return "";
        return {};
    }

    void ListCatalogs(tw::server::ResultSink& sink) override
    {
        m_session->Execute("select name as CATALOG_NAME from master..sysdatabases order by name", sink);
    }

private:
    std::shared_ptr<tw::server::Server> m_server;
    std::unique_ptr<tw::server::Session> m_session;
};

} // namespace embeddeddetail

std::unique_ptr<ProviderSession> OpenEmbeddedSession(const ConnectionString& settings, const std::string& userId,
                                                     const std::string& password)
{
    std::shared_ptr<tw::server::Server> server = embeddeddetail::SharedServer();
    tw::server::LoginInfo login;
    const std::string user = userId.empty() ? settings.Get({"User ID", "UID", "User"}) : userId;
    if (!user.empty())
        login.login = user;
    // Open's own password wins over the connection string's, as for the user.
    login.password = userId.empty() && password.empty() ? settings.Get({"Password", "PWD"}) : password;
    login.database = settings.Get({"Initial Catalog", "Database"});
    login.programName = settings.Get({"Application Name"});
    tw::server::Message error;
    std::unique_ptr<tw::server::Session> session = server->Connect(login, &error);
    if (!session)
        throw ProviderFailure{kAuthenticationFailed, {embeddeddetail::MessageOf(error, kAuthenticationFailed)}};
    return std::make_unique<embeddeddetail::EmbeddedSession>(std::move(server), std::move(session));
}

} // namespace tw::ado
