#include "platform/server/SqliteStatement.h"

#include <mutex>
#include <unordered_map>

#include "platform/server/ErrorMapper.h"

namespace tw::server {

namespace statement_detail {

// Idle prepared statements by connection and text. A connection is used by
// one thread at a time, but the cache is shared by all of them.
class StatementCache {
public:
    // Never destroyed: a connection may be closed by a worker thread that is
    // still ending while the process exits, after static objects are gone.
    static StatementCache& Instance()
    {
        static StatementCache* cache = new StatementCache;
        return *cache;
    }

    sqlite3_stmt* Take(sqlite3* db, const std::string& sql)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto connection = idle_.find(db);
        if (connection == idle_.end())
            return nullptr;
        auto it = connection->second.find(sql);
        if (it == connection->second.end())
            return nullptr;
        sqlite3_stmt* stmt = it->second;
        connection->second.erase(it);
        return stmt;
    }

    // Statements are finalized outside the cache's lock: finalizing takes the
    // connection's own lock, which a running statement holds while its
    // functions take statements from the cache.
    void Give(sqlite3* db, const std::string& sql, sqlite3_stmt* stmt)
    {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        sqlite3_stmt* evicted = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto& statements = idle_[db];
            if (statements.size() >= kPerConnection) {
                evicted = statements.begin()->second;
                statements.erase(statements.begin());
            }
            statements.emplace(sql, stmt);
        }
        sqlite3_finalize(evicted);
    }

    void Forget(sqlite3* db)
    {
        std::unordered_multimap<std::string, sqlite3_stmt*> statements;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto connection = idle_.find(db);
            if (connection == idle_.end())
                return;
            statements = std::move(connection->second);
            idle_.erase(connection);
        }
        for (auto& entry : statements)
            sqlite3_finalize(entry.second);
    }

private:
    static constexpr size_t kPerConnection = 256;
    std::mutex mutex_;
    std::unordered_map<sqlite3*, std::unordered_multimap<std::string, sqlite3_stmt*>> idle_;
};

} // namespace statement_detail

SqliteStatement::SqliteStatement(sqlite3* db, const std::string& sql) : db_(db), sql_(sql)
{
    stmt_ = statement_detail::StatementCache::Instance().Take(db, sql);
    if (stmt_)
        return;
    if (sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt_,
                           nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw ErrorMapper::FromSqlite(db, message);
    }
}

SqliteStatement::~SqliteStatement()
{
    // Only a whole statement can be kept: text past the first ';' was never prepared.
    if (stmt_ && sqlite3_sql(stmt_) && sql_.size() == std::char_traits<char>::length(sqlite3_sql(stmt_)))
        statement_detail::StatementCache::Instance().Give(db_, sql_, stmt_);
    else
        sqlite3_finalize(stmt_);
}

int SqliteStatement::Close(sqlite3* db)
{
    statement_detail::StatementCache::Instance().Forget(db);
    return sqlite3_close_v2(db);
}

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
    case ValueKind::Decimal:
        if (NeedsDecimalText(value.text))
            sqlite3_bind_text(stmt_, index, value.text.data(), static_cast<int>(value.text.size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_double(stmt_, index, std::strtod(value.text.c_str(), nullptr));
        break;
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
