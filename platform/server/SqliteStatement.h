// A prepared SQLite statement with RAII and the few helpers the server needs.
// Private to the server: nothing outside platform/server sees SQLite.
// Statements are kept prepared per connection and text once done with, since
// the catalogue asks the same few questions for every statement a batch runs.
#pragma once

#include <sqlite3.h>

#include <string>

#include "platform/server/Value.h"

namespace tw::server {

class SqliteStatement {
public:
    // Throws SqlError (mapped from SQLite's message) when preparing fails.
    SqliteStatement(sqlite3* db, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, const std::string& text);
    SqliteStatement& Bind(int index, int64_t value);
    SqliteStatement& BindNull(int index);
    SqliteStatement& BindValue(int index, const Value& value);

    // True while there is a row; throws SqlError on failure.
    bool Step();
    void Reset();
    int64_t Int(int column) const;
    std::string Text(int column) const;
    bool IsNull(int column) const;
    sqlite3_stmt* Handle() const { return stmt_; }

    // Closes a connection, with the statements kept prepared for it.
    static int Close(sqlite3* db);

    // Runs SQL without results; throws on failure.
    static void Exec(sqlite3* db, const std::string& sql);
    // The first column of the first row, or `fallback` without a row.
    static int64_t QueryInt(sqlite3* db, const std::string& sql, int64_t fallback = 0);

private:
    sqlite3* db_;
    std::string sql_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace tw::server
