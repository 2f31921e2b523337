// Turns SQLite's failures into the errors SQL Server gives for the same fault.
#pragma once

#include <map>
#include <string>

#include "platform/server/SqlError.h"

struct sqlite3;

namespace tw::server {

class ErrorMapper {
public:
    // `spellings` maps a table's SQLite name (lower case) to the name as the
    // batch wrote it, so "Invalid object name" quotes the user's text.
    static SqlError FromSqlite(sqlite3* db, const std::string& message,
                               const std::map<std::string, std::string>* spellings = nullptr);

    // Errors raised by the server's own SQL functions travel through SQLite as
    // "tw:<number>:<severity>:<text>".
    static std::string Encode(int number, int severity, const std::string& text);
};

} // namespace tw::server
