#include "platform/server/SecurityProcedures.h"

#include <cctype>
#include <set>

#include "platform/server/Catalog.h"
#include "platform/server/Executor.h"
#include "platform/server/Logins.h"
#include "platform/server/ObjectName.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Translator.h"

namespace tw::server {

namespace secproc_detail {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace secproc_detail

using secproc_detail::Lower;

SecurityProcedures::SecurityProcedures(Executor& executor) : x_(executor) {}

bool SecurityProcedures::Has(const std::string& n)
{
    static const std::set<std::string> names = {"sp_addlogin", "sp_droplogin", "sp_password", "sp_adduser", "sp_grantdbaccess", "sp_dropuser",
                                                "sp_revokedbaccess", "sp_procoption"};
    return names.count(n) > 0;
}

std::string SecurityProcedures::Text(const Args& args, size_t position, const std::string& name) const
{
    for (const auto& [n, v] : args)
        if (!n.empty() && n == name)
            return v.IsNull() ? std::string() : v.ToText();
    if (position < args.size() && args[position].first.empty() && !args[position].second.IsNull())
        return args[position].second.ToText();
    return std::string();
}

int SecurityProcedures::Run(const std::string& n, const Args& args)
{
    // Only sa administers logins here (there are no server roles to grant it).
    if ((n == "sp_addlogin" || n == "sp_droplogin") && !Logins::IsSa(x_.Session().login))
        throw SqlError(15247, 16, "User does not have permission to perform this action.");
    if (n == "sp_addlogin") return AddLogin(args);
    if (n == "sp_droplogin") return DropLogin(args);
    if (n == "sp_password") return ChangePassword(args);
    if (n == "sp_adduser") return AddUser(args, false);
    if (n == "sp_grantdbaccess") return AddUser(args, true);
    if (n == "sp_dropuser") return DropUser(args, false);
    if (n == "sp_revokedbaccess") return DropUser(args, true);
    if (n == "sp_procoption") return ProcedureOption(args);
    throw SqlError::NoProcedure(n);
}

int SecurityProcedures::AddLogin(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string login = Text(args, 0, "@loginame");
    const std::string password = Text(args, 1, "@passwd");
    std::string database = Text(args, 2, "@defdb");
    if (database.empty())
        database = "master";
    if (login.empty() || login.size() > 128)
        throw SqlError(15007, 16, "'" + login + "' is not a valid login or you do not have permission.");
    Logins logins(s.db);
    if (logins.Find(login, nullptr))
        throw SqlError(15025, 16, "The login '" + login + "' already exists.");
    DatabaseInfo info;
    if (!s.server->FindDatabase(database, &info))
        throw SqlError(15010, 16, "The database '" + database + "' does not exist. Supply a valid database name. "
                                  "To see available databases, use sys.databases.");
    logins.Add(login, password, info.name);
    x_.Inform("New login created.");
    return 0;
}

int SecurityProcedures::DropLogin(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string name = Text(args, 0, "@loginame");
    Logins logins(s.db);
    Logins::Login login;
    if (name.empty() || !logins.Find(name, &login))
        throw SqlError(15007, 16, "'" + name + "' is not a valid login or you do not have permission.");
    if (Logins::IsSa(login.name))
        throw SqlError(15405, 11, "Cannot use the special principal 'sa'.");
    bool connected = false;
    s.server->ForEachSession([&](const SessionState& other) { connected |= Lower(other.login) == Lower(login.name); });
    if (connected)
        throw SqlError(15434, 16, "Could not drop login '" + login.name + "' as the user is currently logged in.");
    // A user left behind would stand for nobody.
    for (const DatabaseInfo& d : s.server->Databases())
        if (MapsLogin(d.name, login.name))
            throw SqlError(15175, 16, "Login '" + login.name + "' is aliased or mapped to a user in one or more "
                                      "database(s). Drop the user or alias before dropping the login.");
    logins.Drop(login.name);
    x_.Inform("Login dropped.");
    return 0;
}

bool SecurityProcedures::MapsLogin(const std::string& database, const std::string& login) const
{
    try {
        return Catalog(x_.Session().db, database).UserOfLogin(login) >= 0;
    } catch (const SqlError&) {
        return false; // a database that cannot be read now (offline) is not searched
    }
}

// sp_password old, new [, login]: a login changes its own password by giving
// the old one; sa may set any login's without it.
int SecurityProcedures::ChangePassword(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string oldPassword = Text(args, 0, "@old");
    const std::string newPassword = Text(args, 1, "@new");
    std::string name = Text(args, 2, "@loginame");
    if (name.empty())
        name = s.login;
    Logins logins(s.db);
    Logins::Login login;
    const bool administrator = Logins::IsSa(s.login);
    if (!logins.Find(name, &login) || (!administrator && Lower(login.name) != Lower(s.login)))
        throw SqlError(15007, 16, "'" + name + "' is not a valid login or you do not have permission.");
    if (!administrator && !logins.PasswordMatches(login.name, oldPassword))
        throw SqlError(15211, 16, "Old (current) password incorrect for user. The password was not changed.");
    logins.SetPassword(login.name, newPassword);
    x_.Inform("Password changed.");
    return 0;
}

int SecurityProcedures::AddUser(const Args& args, bool grantStyle)
{
    SessionState& s = x_.Session();
    const std::string login = Text(args, 0, "@loginame");
    std::string user = Text(args, 1, "@name_in_db");
    if (user.empty())
        user = login;
    SqliteStatement known(s.db, "SELECT name FROM master.tw_logins WHERE name = ?");
    if (login.empty() || !known.Bind(1, login).Step())
        throw SqlError(15007, 16, "'" + login + "' is not a valid login or you do not have permission.");
    const std::string loginName = known.Text(0);
    Catalog catalog(s.db, s.database);
    // One user per login in a database; sa is always dbo. sp_adduser looks at
    // the name first, sp_grantdbaccess at the login.
    const bool loginTaken = Lower(loginName) == "sa" || catalog.UserOfLogin(loginName) >= 0;
    const bool nameTaken = catalog.UserId(user) >= 0;
    if (loginTaken && (grantStyle || !nameTaken))
        throw SqlError(15063, 16, "The login already has an account under a different user name.");
    if (nameTaken)
        throw SqlError(15023, 16, "User or role '" + user + "' already exists in the current database.");
    catalog.AddUser(user, loginName);
    if (!grantStyle)
        x_.Inform("Granted database access to '" + login + "'.");
    return 0;
}

int SecurityProcedures::DropUser(const Args& args, bool revokeStyle)
{
    SessionState& s = x_.Session();
    const std::string user = Text(args, 0, "@name_in_db");
    Catalog catalog(s.db, s.database);
    const int uid = catalog.UserId(user);
    if (uid < 0 || uid >= 16384 || uid == 0)
        throw SqlError(15008, 16, "User '" + user + "' does not exist in the current database.");
    if (uid <= 4)
        throw SqlError(15150, 16, "Cannot drop the user '" + user + "'.");
    if (SqliteStatement::QueryInt(s.db, "SELECT count(*) FROM " + catalog.Table("tw_objects") + " WHERE uid = " +
                                            std::to_string(uid)) > 0)
        throw SqlError(15183, 16, "The database principal owns objects in the database and cannot be dropped.");
    catalog.DropUser(uid);
    if (!revokeStyle)
        x_.Inform("User has been dropped from current database.");
    return 0;
}

int SecurityProcedures::ProcedureOption(const Args& args)
{
    SessionState& s = x_.Session();
    const std::string procedure = Text(args, 0, "@procname");
    const std::string option = Lower(Text(args, 1, "@optionname"));
    const std::string value = Lower(Text(args, 2, "@optionvalue"));
    const bool on = value == "true" || value == "on";
    if (option != "startup" || !(on || value == "false" || value == "off"))
        throw SqlError(15600, 15, "An invalid parameter or option was specified for procedure 'sp_procoption'.");
    const ObjectName name = ObjectName::Parse(procedure);
    Catalog catalog(s.db, s.database);
    const int64_t id = name.valid ? catalog.Resolve(name.owner, name.name, "", catalog.LoginUid(s.login)) : 0;
    if (!id)
        throw SqlError(15009, 16, "The object '" + procedure + "' does not exist in database '" + s.database +
                                      "' or is invalid for this operation.");
    // Startup procedures run in master as dbo when the server starts, so only those qualify.
    if (Lower(s.database) != "master" || catalog.ObjectUid(id) != Catalog::kDboUid ||
        catalog.ObjectType(id) != Catalog::kProcedure)
        throw SqlError(15398, 11, "Only objects in the master database owned by dbo can have the startup setting "
                                  "changed.");
    SqliteStatement put(s.db, "INSERT OR REPLACE INTO " + catalog.Table("tw_tableoptions") +
                                  " VALUES (?, 'startup', ?)");
    put.Bind(1, id).Bind(2, int64_t{on ? 1 : 0}).Step();
    return 0;
}

} // namespace tw::server
