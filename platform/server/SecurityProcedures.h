// The system procedures that manage logins, database users and module
// options: sp_addlogin/sp_droplogin/sp_password, sp_adduser/sp_grantdbaccess,
// sp_dropuser/sp_revokedbaccess, and sp_procoption.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/server/Value.h"

namespace tw::server {

class Executor;

class SecurityProcedures {
public:
    using Args = std::vector<std::pair<std::string, Value>>;

    explicit SecurityProcedures(Executor& executor);

    static bool Has(const std::string& lowerName);
    // Runs one; gives its return status. Throws SqlError for the server's errors.
    int Run(const std::string& lowerName, const Args& args);

private:
    std::string Text(const Args& args, size_t position, const std::string& name) const;

    int AddLogin(const Args& args);
    int DropLogin(const Args& args);
    int ChangePassword(const Args& args);
    // Whether a user of `database` stands for `login`.
    bool MapsLogin(const std::string& database, const std::string& login) const;
    int AddUser(const Args& args, bool grantStyle);
    int DropUser(const Args& args, bool revokeStyle);
    int ProcedureOption(const Args& args);

    Executor& x_;
};

} // namespace tw::server
