// The server's logins as master keeps them (tw_logins, with passwords in
// tw_login_passwords): looked up and checked at connection, changed by
// sp_addlogin, sp_droplogin and sp_password.
#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace tw::server {

class Logins {
public:
    struct Login {
        std::string name;            // as created
        std::string defaultDatabase; // may name a database since dropped
    };

    // `db` is a connection with master attached.
    explicit Logins(sqlite3* db) : db_(db) {}

    bool Find(const std::string& name, Login* login) const;
    // Whether `password` opens the login. A login without a stored password
    // has an empty one, except sa, which until given one accepts any.
    bool PasswordMatches(const std::string& name, const std::string& password) const;
    void Add(const std::string& name, const std::string& password, const std::string& defaultDatabase);
    void SetPassword(const std::string& name, const std::string& password);
    void Drop(const std::string& name);

    static bool IsSa(const std::string& name);
    // A batch as other sessions may see it (DBCC INPUTBUFFER): one that sets
    // a password is replaced by a note saying so.
    static std::string Shown(std::string_view batch);

private:
    sqlite3* db_;
};

} // namespace tw::server
