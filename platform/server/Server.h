// The embedded server: one per process, a SQL Server look-alike over SQLite.
// Databases are SQLite files under <dataDir>/data/server/ (master and a sample
// database, created on first use); tempdb lives in memory.
#pragma once

#include <memory>
#include <string>

#include "platform/server/Message.h"
#include "platform/server/Session.h"

namespace tw::server {

class ServerState;

struct LoginInfo {
    std::string login = "sa";
    std::string password;
    std::string hostName = "localhost";
    std::string programName;
    std::string database; // empty: the login's default database
};

class Server {
public:
    // The name and version the server reports (@@SERVERNAME, @@VERSION).
    static constexpr const char* kServerName = "(embedded)";
    static constexpr const char* kSampleDatabase = "TarnSample";

    // Opens (creating on first use) the server whose files live under
    // `workDir`/data/server. Returns null and fills `error` on failure.
    static std::unique_ptr<Server> Open(const std::string& workDir, std::string* error = nullptr);
    ~Server();

    // The process's one server, shared by every area that talks to it (and so
    // sharing its sessions and locks): opened on first use under the program's
    // data home (<home>/data/server/, see DataHome.h), then kept for the process.
    // Its folder is 0700 and its files 0600.
    // Null with `error` filled when it cannot open; the next call tries again.
    static std::shared_ptr<Server> Shared(std::string* error = nullptr);

    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // A new session (spid) for a login of master given its password. Fails
    // with the server's login error and fills `error`: 18456 for an unknown
    // login or a wrong password, 4060 for an unknown database named here,
    // 4064 when the login's own default database is gone.
    std::unique_ptr<Session> Connect(const LoginInfo& login, Message* error = nullptr);

    const std::string& DataDirectory() const;

private:
    explicit Server(std::shared_ptr<ServerState> state);
    // The server's own sessions (building the sample database) skip the password.
    std::unique_ptr<Session> Open(const LoginInfo& login, bool checkPassword, Message* error);
    std::shared_ptr<ServerState> state_;
};

} // namespace tw::server
