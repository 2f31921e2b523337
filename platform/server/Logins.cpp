#include "platform/server/Logins.h"

#include <cctype>

#include "platform/server/Catalog.h"
#include "platform/server/PasswordHash.h"
#include "platform/server/SqliteStatement.h"

namespace tw::server {

bool Logins::IsSa(const std::string& name)
{
    return name.size() == 2 && (name[0] == 's' || name[0] == 'S') && (name[1] == 'a' || name[1] == 'A');
}

std::string Logins::Shown(std::string_view batch)
{
    std::string lower(batch);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* procedure : {"sp_addlogin", "sp_password"})
        if (lower.find(procedure) != std::string::npos)
            return "-- '" + std::string(procedure) + "' was found in the text of this event.\n"
                   "-- The text has been replaced with this comment for security reasons.";
    return std::string(batch);
}

bool Logins::Find(const std::string& name, Login* login) const
{
    SqliteStatement q(db_, "SELECT name, dbname FROM master.tw_logins WHERE name = ?");
    if (!q.Bind(1, name).Step())
        return false;
    if (login)
        *login = {q.Text(0), q.Text(1)};
    return true;
}

bool Logins::PasswordMatches(const std::string& name, const std::string& password) const
{
    SqliteStatement q(db_, "SELECT hash FROM master.tw_login_passwords WHERE name = ?");
    if (!q.Bind(1, name).Step())
        return IsSa(name) || password.empty();
    return PasswordHash::Matches(q.Text(0), password);
}

void Logins::Add(const std::string& name, const std::string& password, const std::string& defaultDatabase)
{
    SqliteStatement add(db_, "INSERT INTO master.tw_logins VALUES (?, ?, ?, 0)");
    add.Bind(1, name).Bind(2, defaultDatabase).Bind(3, Catalog::Now()).Step();
    SetPassword(name, password);
}

void Logins::SetPassword(const std::string& name, const std::string& password)
{
    SqliteStatement put(db_, "INSERT OR REPLACE INTO master.tw_login_passwords VALUES (?, ?)");
    put.Bind(1, name).Bind(2, PasswordHash::Make(password)).Step();
}

void Logins::Drop(const std::string& name)
{
    SqliteStatement::Exec(db_, "SAVEPOINT tw_droplogin");
    try {
        SqliteStatement passwords(db_, "DELETE FROM master.tw_login_passwords WHERE name = ?");
        passwords.Bind(1, name).Step();
        SqliteStatement logins(db_, "DELETE FROM master.tw_logins WHERE name = ?");
        logins.Bind(1, name).Step();
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK TO tw_droplogin; RELEASE tw_droplogin", nullptr, nullptr, nullptr);
        throw;
    }
    SqliteStatement::Exec(db_, "RELEASE tw_droplogin");
}

} // namespace tw::server
