#include "platform/server/SqliteStatement.h"

#include "platform/server/ErrorMapper.h"

namespace tw::server {

SqliteStatement::SqliteStatement(sqlite3* db, const std::string& sql) : db_(db)
{
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw ErrorMapper::FromSqlite(db, message);
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement& SqliteStatement::Bind(int index, const std::string& text)
{
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
    return *this;
}

SqliteStatement& SqliteStatement::BindValue(int index, const Value& value)
{
    switch (value.kind) {
    case ValueKind::Null: sqlite3_bind_null(stmt_, index); break;
    case ValueKind::Int: sqlite3_bind_int64(stmt_, index, value.integer); break;
    case ValueKind::Float: sqlite3_bind_double(stmt_, index, value.real); break;
    case ValueKind::Decimal: sqlite3_bind_double(stmt_, index, std::strtod(value.text.c_str(), nullptr)); break;
    case ValueKind::Binary:
        sqlite3_bind_blob(stmt_, index, value.text.data(), static_cast<int>(value.text.size()), SQLITE_TRANSIENT);
        break;
    case ValueKind::String:
    case ValueKind::DateTime: Bind(index, value.text); break;
    }
    return *this;
}

bool SqliteStatement::Step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw ErrorMapper::FromSqlite(db_, sqlite3_errmsg(db_));
}

void SqliteStatement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string SqliteStatement::Text(int column) const
{
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char*>(text), sqlite3_column_bytes(stmt_, column));
}

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

void SqliteStatement::Exec(sqlite3* db, const std::string& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw ErrorMapper::FromSqlite(db, message);
    }
}

int64_t SqliteStatement::QueryInt(sqlite3* db, const std::string& sql, int64_t fallback)
{
    SqliteStatement s(db, sql);
    if (!s.Step() || s.IsNull(0))
        return fallback;
    return s.Int(0);
}

} // namespace tw::server
