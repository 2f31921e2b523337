#include "platform/server/Server.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include "platform/server/BufferedSink.h"
#include "platform/server/Catalog.h"
#include "platform/server/Logins.h"
#include "platform/server/SampleDatabase.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/SqlFunctions.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/Translator.h"
#include "platform/win32/kernel/DataHome.h"

namespace tw::server {

namespace server_detail {

// Notes the rows of user tables a session changes in a transaction (the
// server's own tw_ tables, temporary tables and autocommit changes aside).
void NoteChangedRow(void* data, int, const char* database, const char* table, sqlite3_int64 rowid)
{
    auto* session = static_cast<SessionState*>(data);
    if (session->tranCount == 0 || !database || !table)
        return;
    const std::string db = database;
    const std::string name = table;
    if (db == "temp" || db == "main" || name.rfind("tw_", 0) == 0 || name.rfind("sqlite_", 0) == 0)
        return;
    session->NoteChangedRow(database, table, rowid);
}

// A connection with the server's functions and every database attached under its name.
sqlite3* OpenConnection(ServerState& state, SessionState* session, std::string* error)
{
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_URI;
    if (sqlite3_open_v2(":memory:", &db, flags, nullptr) != SQLITE_OK) {
        if (error)
            *error = db ? sqlite3_errmsg(db) : "out of memory";
        SqliteStatement::Close(db);
        return nullptr;
    }
    // A misspelt column in double quotes must be an error, never a string.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 125);
    sqlite3_busy_timeout(db, 5000);
    SqlFunctions::Register(db, session);
    if (session)
        sqlite3_update_hook(db, NoteChangedRow, session);
    try {
        SqliteStatement::Exec(db, "PRAGMA foreign_keys = ON");
        for (const DatabaseInfo& d : state.Databases())
            SqliteStatement::Exec(db, "ATTACH DATABASE " + Translator::Literal(d.path) + " AS " + Translator::Quote(d.name));
    } catch (const SqlError& e) {
        if (error)
            *error = e.what();
        SqliteStatement::Close(db);
        return nullptr;
    }
    return db;
}

std::string DatabasePath(const std::string& dataDir, const std::string& name)
{
    return dataDir + "/" + name + ".db";
}

// master holds password digests: every database file the server creates is
// its user's alone (SQLite gives journals and WAL files the database's mode).
sqlite3_vfs* g_baseVfs = nullptr;
sqlite3_vfs g_privateVfs;

int OpenPrivately(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    if (name && (flags & SQLITE_OPEN_MAIN_DB) && (flags & SQLITE_OPEN_CREATE)) {
        const int fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
    }
    return g_baseVfs->xOpen(g_baseVfs, name, file, flags, outFlags);
}

void CreateFilesPrivately()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_baseVfs = sqlite3_vfs_find(nullptr);
        if (!g_baseVfs)
            return;
        g_privateVfs = *g_baseVfs;
        g_privateVfs.zName = "tw-private";
        g_privateVfs.xOpen = OpenPrivately;
        sqlite3_vfs_register(&g_privateVfs, 1);
    });
}

// Files an older version left readable by others are made private.
void MakeFilesPrivate(const std::string& dataDir)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir, ec)) {
        struct stat st {};
        if (lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077))
            chmod(entry.path().c_str(), st.st_mode & 07700);
    }
}

} // namespace server_detail

Server::Server(std::shared_ptr<ServerState> state) : state_(std::move(state)) {}

Server::~Server() = default;

std::shared_ptr<Server> Server::Shared(std::string* error)
{
    static std::mutex sharedMutex;
    static std::shared_ptr<Server> shared;
    std::lock_guard lock(sharedMutex);
    if (shared)
        return shared;
    std::error_code ec;
    // Absolute, so that a later change of directory does not move the server's files.
    const std::filesystem::path home = std::filesystem::absolute(DataHome(), ec);
    if (ec) {
        if (error)
            *error = "Cannot find the data folder " + DataHome() + ": " + ec.message();
        return nullptr;
    }
    shared = Open(home.string(), error);
    return shared;
}

const std::string& Server::DataDirectory() const { return state_->DataDir(); }

std::unique_ptr<Server> Server::Open(const std::string& workDir, std::string* error)
{
    namespace fs = std::filesystem;
    const std::string dataDir = (fs::path(workDir) / "data" / "server").string();
    if (!MakePrivateFolder(dataDir, error))
        return nullptr;
    server_detail::CreateFilesPrivately();
    server_detail::MakeFilesPrivate(dataDir);
    auto state = std::make_shared<ServerState>(dataDir);
    state->startTime = Catalog::Now();
    char uri[96];
    std::snprintf(uri, sizeof uri, "file:tw_tempdb_%p?mode=memory&cache=shared", static_cast<void*>(state.get()));
    if (sqlite3_open_v2(uri, &state->tempdbKeeper,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        if (error)
            *error = "Cannot create tempdb";
        return nullptr;
    }
    const std::string masterPath = server_detail::DatabasePath(dataDir, "master");
    const bool firstRun = !fs::exists(masterPath);
    state->AddDatabase({"master", 1, masterPath, state->startTime, 80});
    state->AddDatabase({"tempdb", 2, uri, state->startTime, 80});
    // The list of user databases lives in master.
    bool sampleIsNew = false;
    try {
        {
            std::string openError;
            sqlite3* db = server_detail::OpenConnection(*state, nullptr, &openError);
            if (!db)
                throw SqlError(945, 14, openError);
            std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, SqliteStatement::Close);
            SqliteStatement::Exec(db, "PRAGMA master.journal_mode = WAL");
            Catalog(db, "master").Install(true, masterPath);
            Catalog(db, "tempdb").Install(false, "tempdb");
            SqliteStatement::Exec(db, "INSERT INTO master.tw_objects (id, name, xtype, uid, crdate, status, type) "
                                      "SELECT 1000, 'xp_cmdshell', 'X ', 1, " + Translator::Literal(state->startTime) +
                                      ", 1, 'X ' WHERE NOT EXISTS (SELECT 1 FROM master.tw_objects WHERE name = 'xp_cmdshell')");
            SqliteStatement::Exec(db, "INSERT INTO master.tw_comments (id, colid, text) SELECT 1000, 1, 'xplog70.dll' "
                                      "WHERE NOT EXISTS (SELECT 1 FROM master.tw_comments WHERE id = 1000)");
            if (firstRun) {
                SqliteStatement ins(db, "INSERT INTO master.tw_databases VALUES (?, ?, ?, 80, ?)");
                ins.Bind(1, std::string("master")).Bind(2, 1).Bind(3, state->startTime).Bind(4, masterPath).Step();
                ins.Reset();
                ins.Bind(1, std::string("tempdb")).Bind(2, 2).Bind(3, state->startTime).Bind(4, std::string("tempdb.mdf")).Step();
                ins.Reset();
                const std::string samplePath = server_detail::DatabasePath(dataDir, kSampleDatabase);
                ins.Bind(1, std::string(kSampleDatabase)).Bind(2, 5).Bind(3, state->startTime).Bind(4, samplePath).Step();
            }
            SqliteStatement list(db, "SELECT d.name, d.dbid, d.crdate, d.cmptlevel, coalesce((SELECT s.status FROM "
                                     "master.tw_database_status AS s WHERE s.name = d.name), 0) FROM "
                                     "master.tw_databases AS d WHERE d.dbid > 2 ORDER BY d.dbid");
            while (list.Step()) {
                const std::string name = list.Text(0);
                const std::string path = server_detail::DatabasePath(dataDir, name);
                sampleIsNew = sampleIsNew || (name == kSampleDatabase && !fs::exists(path));
                state->AddDatabase({name, static_cast<int>(list.Int(1)), path, list.Text(2),
                                    static_cast<int>(list.Int(3)), (list.Int(4) & 512) != 0});
            }
        }
        // Attach the user databases (a fresh connection sees them all) and give each its catalogue.
        std::string openError;
        sqlite3* db = server_detail::OpenConnection(*state, nullptr, &openError);
        if (!db)
            throw SqlError(945, 14, openError);
        std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, SqliteStatement::Close);
        for (const DatabaseInfo& d : state->Databases()) {
            if (d.dbid <= 2)
                continue;
            SqliteStatement::Exec(db, "PRAGMA " + Translator::Quote(d.name) + ".journal_mode = WAL");
            Catalog(db, d.name).Install(false, d.path);
        }
        // A data folder copied or moved elsewhere names its files where they are now.
        for (const DatabaseInfo& d : state->Databases()) {
            if (d.dbid == 2)
                continue;
            SqliteStatement where(db, "UPDATE master.tw_databases SET filename = ? WHERE name = ? AND filename <> ?");
            where.Bind(1, d.path).Bind(2, d.name).Bind(3, d.path).Step();
            SqliteStatement files(db, "UPDATE " + Translator::Quote(d.name) + ".sysfiles SET filename = CASE fileid "
                                      "WHEN 1 THEN ?1 ELSE ?1 || '.log' END WHERE filename NOT IN (?1, ?1 || '.log')");
            files.Bind(1, d.path).Step();
        }
    } catch (const SqlError& e) {
        if (error)
            *error = e.what();
        return nullptr;
    }
    std::unique_ptr<Server> server(new Server(state));
    if (sampleIsNew || firstRun) {
        LoginInfo login;
        login.programName = "Tarnwick setup";
        login.database = kSampleDatabase;
        Message failure;
        auto session = server->Open(login, false, &failure);
        if (!session) {
            if (error)
                *error = failure.text;
            return nullptr;
        }
        for (const std::string& batch : SampleDatabase::Batches()) {
            BufferedSink sink;
            if (!session->Execute(batch, sink)) {
                if (error)
                    *error = "Creating the sample database failed: " + sink.FirstError()->text;
                return nullptr;
            }
        }
    }
    return server;
}

std::unique_ptr<Session> Server::Connect(const LoginInfo& login, Message* error)
{
    return Open(login, true, error);
}

std::unique_ptr<Session> Server::Open(const LoginInfo& login, bool checkPassword, Message* error)
{
    auto fail = [&](int number, const std::string& text) {
        if (error) {
            error->number = number;
            error->severity = number == 4060 ? 11 : number == 4064 ? 16 : 14;
            error->state = 1;
            error->server = kServerName;
            error->text = text;
        }
        return nullptr;
    };
    const std::string loginName = login.login.empty() ? "sa" : login.login;
    auto sessionState = std::make_unique<SessionState>(state_, nullptr);
    std::string openError;
    sqlite3* db = server_detail::OpenConnection(*state_, sessionState.get(), &openError);
    if (!db)
        return fail(945, openError);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, SqliteStatement::Close);
    Logins::Login known;
    try {
        const Logins logins(db);
        if (!logins.Find(loginName, &known) ||
            (checkPassword && !logins.PasswordMatches(known.name, login.password)))
            return fail(18456, "Login failed for user '" + loginName + "'.");
    } catch (const SqlError& e) {
        return fail(e.number, e.what());
    }
    DatabaseInfo info;
    if (login.database.empty() && !state_->FindDatabase(known.defaultDatabase, &info))
        return fail(4064, "Cannot open user default database. Login failed.");
    const std::string database = login.database.empty() ? known.defaultDatabase : login.database;
    if (!state_->FindDatabase(database, &info))
        return fail(4060, "Cannot open database \"" + database + "\" requested by the login. The login failed.");
    sessionState->db = guard.release();
    for (const DatabaseInfo& d : state_->Databases()) {
        std::string lower = d.name;
        for (char& ch : lower)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        sessionState->attached.insert(lower);
    }
    sessionState->login = known.name;
    sessionState->host = login.hostName;
    sessionState->program = login.programName;
    sessionState->fromClient = checkPassword;
    sessionState->SetDatabase(info.name);
    sessionState->loginTime = Catalog::Now();
    sessionState->lastBatchTime = sessionState->loginTime;
    sessionState->spid = state_->RegisterSession(sessionState.get());
    return std::unique_ptr<Session>(new Session(std::move(sessionState)));
}

} // namespace tw::server
