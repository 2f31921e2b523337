// The T-SQL functions, operators and collation the translator's SQL calls,
// registered on every connection the server opens.
#pragma once

#include <string>

struct sqlite3;

namespace tw::server {

class SessionState;

class SqlFunctions {
public:
    // `session` may be null for the server's own housekeeping connections.
    static void Register(sqlite3* db, SessionState* session);

    // SQL Server's default comparison: no case, trailing blanks ignored.
    static int CompareNoCase(const std::string& a, const std::string& b);
    // T-SQL LIKE: %, _, [set], [^set], [a-z], with an optional escape character.
    static bool Like(const std::string& value, const std::string& pattern, int escape = -1);
};

} // namespace tw::server
