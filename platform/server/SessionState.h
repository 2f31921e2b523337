// Everything one session owns: its SQLite connection (with every database
// attached), login facts, SET options, variables and transaction count.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/server/TypeSpec.h"
#include "platform/server/Value.h"

struct sqlite3;

namespace tw::server {

class ServerState;

struct SessionOptions {
    bool ansiNulls = true;
    bool ansiNullDefaultOn = true;
    bool ansiPadding = true;
    bool ansiWarnings = true;
    bool arithAbort = false;
    bool concatNullYieldsNull = true;
    bool quotedIdentifier = true;
    bool noCount = false;
    bool noExec = false;
    bool parseOnly = false;
    bool showplanText = false;
    bool statisticsTime = false;
    bool statisticsIo = false;
    bool implicitTransactions = false;
    bool cursorCloseOnCommit = false;
    int64_t rowCount = 0;
    int lockTimeout = -1;
    int textSize = 2147483647;
    int dateFirst = 7;
    std::string dateFormat = "mdy";
    std::string isolationLevel = "READ COMMITTED";
    std::string identityInsert; // the one table whose identity takes explicit values, lower case
    // Temporary tables and table variables (which have no catalogue) whose identity
    // is numbered other than 1, 2, 3 ...: by lower-case name, the column, seed and increment.
    // Kept with the options, which a procedure's end restores, as its temporary tables go with it.
    struct TemporaryIdentity {
        std::string column;
        int64_t seed = 1;
        int64_t increment = 1;
    };
    std::map<std::string, TemporaryIdentity> temporaryIdentities;
};

struct Variable {
    TypeSpec type;
    Value value;
};

// A read-only cursor: the rows of its query, read whole when it opens.
struct Cursor {
    std::string query;   // the SELECT as written
    bool scroll = false; // fetches other than NEXT are allowed
    bool open = false;
    std::vector<ColumnInfo> columns;
    std::vector<Row> rows;
    int64_t position = -1; // the row fetched last: -1 before the first, rows.size() past the last
};

class SessionState {
public:
    SessionState(std::shared_ptr<ServerState> server, sqlite3* db);
    ~SessionState();

    std::shared_ptr<ServerState> server;
    sqlite3* db = nullptr;
    int spid = 0;
    std::string login = "sa";
    std::string host;
    std::string program;
    // A client's connection; the server's own sessions (building the sample database) are not.
    bool fromClient = false;
    std::string database = "master"; // the owning thread's; others read Info(&SessionState::databaseShown)
    std::string databaseShown = "master";
    SessionOptions options;
    std::atomic<int> tranCount{0};
    // Databases attached to this session's connection (lower case); others are attached on first use.
    std::set<std::string> attached;

    // Variables of the batch, then of each procedure frame running.
    std::vector<std::map<std::string, Variable>> frames{1};
    int lastError = 0;
    int64_t lastRowCount = 0;
    // GLOBAL cursors by lower-case name; LOCAL ones belong to their batch or module.
    std::map<std::string, Cursor> cursors;
    int fetchStatus = -1;  // @@FETCH_STATUS, of the last fetch on any cursor
    int64_t cursorRows = 0; // @@CURSOR_ROWS, of the last cursor opened
    static constexpr int64_t kNoIdentity = INT64_MIN; // an identity may well be 0
    int64_t lastIdentity = kNoIdentity;
    int nestLevel = 0;
    // TRY blocks running, in any module: an error inside one goes to its CATCH.
    int tryDepth = 0;
    // The error each running CATCH block handles, innermost last (ERROR_NUMBER() and friends).
    struct CaughtError {
        int number = 0;
        int severity = 0;
        int state = 0;
        int line = 0;
        std::string message;
        std::string procedure;
    };
    std::vector<CaughtError> caught;
    // Set when an aggregate of the running statement passed over a NULL (warning 8153).
    bool nullEliminated = false;

    // Rows of user tables this session changed inside a transaction, noted as
    // SQLite changes them and locked when the statement ends.
    struct ChangedTable {
        std::string database;
        std::string table;
        std::vector<int64_t> rowids;
    };
    std::vector<ChangedTable> changedTables;
    void NoteChangedRow(const char* database, const char* table, int64_t rowid);
    // Reads that meet rows other sessions hold wait for them; `rowWaited`
    // tells a statement it did, `rowWaitsOff` lets a read pass without waiting.
    bool rowWaited = false;
    bool rowWaitsOff = false;

    std::atomic<bool> cancelled{false};
    std::atomic<bool> killed{false};
    std::atomic<bool> running{false};
    // A Cancel that arrives while a batch waits to start (or is being set up)
    // is kept for that batch instead of being lost; guarded by cancelMutex.
    std::mutex cancelMutex;
    int startingBatches = 0;
    bool cancelPending = false;
    // Held while a batch runs, so that KILL can tell an idle session and act for it.
    std::mutex executeMutex;

    // What sysprocesses and DBCC INPUTBUFFER show; read by other sessions.
    mutable std::mutex infoMutex;
    std::string lastBatch;
    std::string status = "sleeping";
    std::string command = "AWAITING COMMAND";
    std::string loginTime;
    std::string lastBatchTime;

    // Runs a user-defined scalar function (set by the executor running a batch).
    std::function<Value(const std::string& name, const std::vector<Value>& args)> callFunction;

    Variable* FindVariable(const std::string& name);
    void SetDatabase(const std::string& name);
    std::string Info(std::string SessionState::*field) const;
    void SetInfo(std::string SessionState::*field, std::string value);
};

} // namespace tw::server
