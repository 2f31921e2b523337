#include "platform/server/SystemViews.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

#include "platform/server/Catalog.h"
#include "platform/server/Executor.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Translator.h"
#include "platform/server/TypeSpec.h"

namespace tw::server {

namespace sysviews_detail {

const char* const kProcessesTable =
    "CREATE TEMP TABLE IF NOT EXISTS tw_sysprocesses (spid smallint, kpid smallint, blocked smallint, "
    "waittype binary(2), waittime int, lastwaittype nchar(32), waitresource nchar(256), dbid smallint, uid smallint, "
    "cpu int, physical_io bigint, memusage int, login_time datetime, last_batch datetime, ecid smallint, "
    "open_tran smallint, status nchar(30), sid binary(86), hostname nchar(128), program_name nchar(128), "
    "hostprocess nchar(8), cmd nchar(16), nt_domain nchar(128), nt_username nchar(128), net_address nchar(12), "
    "net_library nchar(12), loginame nchar(128), context_info binary(128), stmt_start int, stmt_end int)";

const char* const kLocksTable =
    "CREATE TEMP TABLE IF NOT EXISTS tw_syslockinfo (rsc_text nchar(32), rsc_bin binary(16), rsc_valblk binary(16), "
    "rsc_dbid smallint, rsc_indid smallint, rsc_objid int, rsc_type tinyint, rsc_flag tinyint, req_mode tinyint, "
    "req_status tinyint, req_refcnt smallint, req_cryrefcnt smallint, req_lifetime int, req_spid int, req_ecid int, "
    "req_ownertype smallint, req_transactionID bigint, req_transactionUOW uniqueidentifier)";

struct ProcessRow {
    int spid;
    int dbid;
    int openTran;
    int blocked = 0;
    int64_t waitMs = 0;
    std::string waitType = "0x0000";
    std::string lastWaitType = "MISCELLANEOUS";
    std::string waitResource;
    std::string status, host, program, command, login, loginTime, lastBatch;
};

// syslockinfo's req_mode numbers.
int ModeNumber(LockMode mode)
{
    switch (mode) {
    case LockMode::Shared: return 3;
    case LockMode::Exclusive: return 5;
    case LockMode::IntentShared: return 6;
    case LockMode::IntentExclusive: return 8;
    }
    return 0;
}

// sysprocesses' waittype: the lock wait of each mode has the mode's number.
std::string WaitTypeOf(LockMode mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", ModeNumber(mode));
    return text;
}

std::string LastWaitTypeOf(LockMode mode)
{
    switch (mode) {
    case LockMode::Shared: return "LCK_M_S";
    case LockMode::Exclusive: return "LCK_M_X";
    case LockMode::IntentShared: return "LCK_M_IS";
    case LockMode::IntentExclusive: return "LCK_M_IX";
    }
    return "MISCELLANEOUS";
}

// syslockinfo's rsc_type: 2 database, 5 table, 7 key, 9 row id.
int ResourceType(const LockResource& r)
{
    if (!r.objectId)
        return 2;
    if (!r.rowId)
        return 5;
    return r.keyed ? 7 : 9;
}

std::string ResourceText(const LockResource& r)
{
    const std::string db = std::to_string(r.dbid);
    const std::string object = std::to_string(r.objectId);
    switch (ResourceType(r)) {
    case 2: return "DB: " + db + " [write]";
    case 5: return "TAB: " + db + ":" + object + " []";
    case 7: return "KEY: " + db + ":" + object + ":1 (" + std::to_string(r.rowId) + ")";
    default: return "RID: " + db + ":" + object + ":" + std::to_string(r.rowId);
    }
}

std::vector<ProcessRow> Processes(SessionState& self)
{
    std::vector<ProcessRow> rows;
    const std::vector<DatabaseInfo> databases = self.server->Databases();
    self.server->ForEachSession([&](SessionState& s) {
        ProcessRow r;
        r.dbid = 0;
        const std::string database = &s == &self ? s.database : s.Info(&SessionState::databaseShown);
        for (const DatabaseInfo& d : databases)
            if (d.name == database)
                r.dbid = d.dbid;
        r.spid = s.spid;
        r.openTran = s.tranCount;
        r.status = &s == &self ? "runnable" : s.Info(&SessionState::status);
        r.command = &s == &self ? "SELECT" : s.Info(&SessionState::command);
        r.host = s.host;
        r.program = s.program;
        r.login = s.login;
        r.loginTime = s.loginTime;
        r.lastBatch = s.Info(&SessionState::lastBatchTime);
        LockWait wait;
        if (self.server->locks.Waiting(s.spid, &wait)) {
            r.blocked = wait.blocker;
            r.waitMs = wait.waitedMs;
            r.waitType = WaitTypeOf(wait.mode);
            r.lastWaitType = LastWaitTypeOf(wait.mode);
            r.waitResource = ResourceText(wait.resource);
            r.status = "sleeping";
        }
        rows.push_back(r);
    });
    return rows;
}

} // namespace sysviews_detail

bool SystemViews::IsLive(const std::string& lowerName)
{
    return lowerName == "sysprocesses" || lowerName == "syslockinfo";
}

bool SystemViews::IsMasterOnly(const std::string& lowerName)
{
    return lowerName == "sysdatabases" || lowerName == "syslogins";
}

void SystemViews::Refresh(SessionState& session, const std::string& lowerName)
{
    const auto rows = sysviews_detail::Processes(session);
    if (lowerName == "sysprocesses") {
        SqliteStatement::Exec(session.db, sysviews_detail::kProcessesTable);
        SqliteStatement::Exec(session.db, "DELETE FROM temp.tw_sysprocesses");
        for (const auto& r : rows) {
            SqliteStatement ins(session.db,
                                "INSERT INTO temp.tw_sysprocesses VALUES (?, 0, ?, ?, ?, ?, ?, ?, "
                                "1, 0, 0, 2, ?, ?, 0, ?, ?, X'01', ?, ?, '0', ?, '', '', '000000000000', 'LPC', ?, "
                                "X'00', 0, 0)");
            const char code = static_cast<char>(std::strtol(r.waitType.c_str() + 2, nullptr, 16));
            ins.Bind(1, r.spid).Bind(2, r.blocked).BindValue(3, Value::Binary(std::string{'\0', code})).Bind(4, r.waitMs);
            ins.Bind(5, r.lastWaitType).Bind(6, r.waitResource).Bind(7, r.dbid).Bind(8, r.loginTime);
            ins.Bind(9, r.lastBatch).Bind(10, r.openTran).Bind(11, r.status).Bind(12, r.host).Bind(13, r.program);
            ins.Bind(14, r.command).Bind(15, r.login).Step();
        }
        return;
    }
    SqliteStatement::Exec(session.db, sysviews_detail::kLocksTable);
    SqliteStatement::Exec(session.db, "DELETE FROM temp.tw_syslockinfo");
    // Every session holds a shared lock on the database it uses, as on SQL Server.
    for (const auto& r : rows) {
        SqliteStatement ins(session.db, "INSERT INTO temp.tw_syslockinfo VALUES ('', X'00', X'00', ?, 0, 0, 2, 0, 3, 1, "
                                        "1, 0, 0, ?, 0, 4, 0, NULL)");
        ins.Bind(1, r.dbid).Bind(2, r.spid).Step();
    }
    // Database, table and row locks; status 1 granted, 3 waiting; owner 1 the transaction.
    for (const LockInfo& l : session.server->locks.Locks()) {
        SqliteStatement ins(session.db, "INSERT INTO temp.tw_syslockinfo VALUES (?, X'00', X'00', ?, ?, ?, ?, 0, ?, ?, "
                                        "1, 0, 0, ?, 0, 1, 0, NULL)");
        const int type = sysviews_detail::ResourceType(l.resource);
        const std::string text = type == 7 || type == 9 ? std::to_string(l.resource.rowId) : std::string();
        ins.Bind(1, text).Bind(2, l.resource.dbid).Bind(3, type == 7 ? 1 : 0).Bind(4, l.resource.objectId);
        ins.Bind(5, type).Bind(6, sysviews_detail::ModeNumber(l.mode)).Bind(7, l.granted ? 1 : 3);
        ins.Bind(8, l.spid).Step();
    }
}

std::string SystemViews::TableFunction(Executor& executor, const std::string& name, const std::vector<std::string>& args)
{
    SessionState& s = executor.Session();
    if (name == "fn_virtualfilestats") {
        if (args.size() != 2)
            throw SqlError(216, 16, "Parameters supplied for object 'fn_virtualfilestats' does not match the expected "
                                    "number of parameters.");
        for (const char* column : {"NumberReads", "NumberWrites", "BytesRead", "BytesWritten", "IoStallMS"})
            executor.DeclareColumnType(column, TypeSpec{"bigint"});
        executor.DeclareColumnType("DbId", TypeSpec{"smallint"});
        executor.DeclareColumnType("FileId", TypeSpec{"smallint"});
        executor.DeclareColumnType("TimeStamp", TypeSpec{"int"});
        // Reads and writes of the database file as SQLite counts them for this connection.
        int current = 0, high = 0;
        sqlite3_db_status(s.db, SQLITE_DBSTATUS_CACHE_MISS, &current, &high, 0);
        int writes = 0;
        sqlite3_db_status(s.db, SQLITE_DBSTATUS_CACHE_WRITE, &writes, &high, 0);
        const std::string reads = std::to_string(current), written = std::to_string(writes);
        return "(SELECT CAST(" + args[0] + " AS smallint) AS DbId, CAST(" + args[1] + " AS smallint) AS FileId, "
               "0 AS TimeStamp, " + reads + " AS NumberReads, " + written + " AS NumberWrites, " + reads +
               " * 4096 AS BytesRead, " + written + " * 4096 AS BytesWritten, 0 AS IoStallMS "
               "WHERE EXISTS (SELECT 1 FROM master.tw_databases WHERE dbid = " + args[0] + ") AND " + args[1] +
               " IN (1, 2))";
    }
    if (name == "fn_listextendedproperty") {
        if (args.size() != 7)
            throw SqlError(216, 16, "Parameters supplied for object 'fn_listextendedproperty' does not match the "
                                    "expected number of parameters.");
        const std::string table = Translator::Quote(s.database) + ".tw_extprops";
        executor.DeclareColumnType("objtype", TypeSpec{"sysname"});
        executor.DeclareColumnType("objname", TypeSpec{"sysname"});
        // The properties at the lowest level named; a NULL name there lists every object of that type.
        const std::string depth = "CASE WHEN " + args[5] + " IS NOT NULL THEN 2 WHEN " + args[3] +
                                  " IS NOT NULL THEN 1 WHEN " + args[1] + " IS NOT NULL THEN 0 ELSE -1 END";
        std::string where = "(" + args[0] + " IS NULL OR name = " + args[0] + ")";
        where += " AND (CASE WHEN level2type IS NOT NULL THEN 2 WHEN level1type IS NOT NULL THEN 1 WHEN level0type "
                 "IS NOT NULL THEN 0 ELSE -1 END) = " + depth;
        where += " AND (" + args[1] + " IS NULL OR level0type = " + args[1] + ")";
        where += " AND (" + args[2] + " IS NULL OR level0name = " + args[2] + " OR " + depth + " > 0 AND " + args[2] + " IS NULL)";
        where += " AND (" + args[3] + " IS NULL OR level1type = " + args[3] + ")";
        where += " AND (" + args[4] + " IS NULL OR level1name = " + args[4] + ")";
        where += " AND (" + args[5] + " IS NULL OR level2type = " + args[5] + ")";
        where += " AND (" + args[6] + " IS NULL OR level2name = " + args[6] + ")";
        return "(SELECT upper(CASE WHEN level2type IS NOT NULL THEN level2type WHEN level1type IS NOT NULL THEN "
               "level1type ELSE level0type END) AS objtype, CASE WHEN level2type IS NOT NULL THEN level2name WHEN "
               "level1type IS NOT NULL THEN level1name ELSE level0name END AS objname, name, value FROM " + table +
               " WHERE " + where + ")";
    }
    throw SqlError(208, 16, "Invalid object name '" + name + "'.", SqlError::Scope::Batch);
}

} // namespace tw::server
