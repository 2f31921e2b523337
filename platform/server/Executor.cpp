#include "platform/server/Executor.h"

#include <sqlite3.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>
#include <thread>

#include "platform/server/BufferedSink.h"
#include "platform/server/Catalog.h"
#include "platform/server/DateTimeValue.h"
#include "platform/server/Decimal.h"
#include "platform/server/ErrorMapper.h"
#include "platform/server/InformationSchema.h"
#include "platform/server/ModuleDefinition.h"
#include "platform/server/ObjectName.h"
#include "platform/server/Server.h"
#include "platform/server/ServerState.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqliteStatement.h"
#include "platform/server/SecurityProcedures.h"
#include "platform/server/SystemProcedures.h"
#include "platform/server/SystemViews.h"
#include "platform/server/TableDefinition.h"
#include "platform/server/TableRebuild.h"

namespace tw::server {

namespace executor_detail {

int64_t WallMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

int64_t CpuMicros()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

std::string LowerText(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string UpperText(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The raw value of a SQLite column, by its storage class.
Value RawValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL: return Value::Null();
    case SQLITE_INTEGER: return Value::Int(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT: return Value::Float(sqlite3_column_double(stmt, i));
    case SQLITE_BLOB:
        return Value::Binary(std::string(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                         sqlite3_column_bytes(stmt, i)));
    default:
        return Value::String(std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                         sqlite3_column_bytes(stmt, i)));
    }
}

// A column's value as the client sees it, shaped by the SQL Server type.
Value TypedValue(sqlite3_stmt* stmt, int i, const TypeSpec& type)
{
    const int kind = sqlite3_column_type(stmt, i);
    if (kind == SQLITE_NULL)
        return Value::Null();
    const bool number = kind == SQLITE_INTEGER || kind == SQLITE_FLOAT;
    if (type.IsInteger() && kind == SQLITE_INTEGER)
        return Value::Int(sqlite3_column_int64(stmt, i));
    if (type.IsApproximate() && number)
        return Value::Float(sqlite3_column_double(stmt, i));
    if (type.IsExactNumeric() && number) {
        if (kind == SQLITE_INTEGER) {
            std::string text = std::to_string(sqlite3_column_int64(stmt, i));
            if (type.Scale() > 0)
                text += "." + std::string(type.Scale(), '0');
            return Value::Decimal(text);
        }
        return Value::Decimal(DecimalText(sqlite3_column_double(stmt, i), type.Scale()));
    }
    if (type.IsExactNumeric() && kind == SQLITE_TEXT) {
        // Digits beyond a double's are kept as decimal text.
        const std::string text(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
        const auto d = Decimal::ParseStored(text);
        const auto r = d ? d->Rescaled(type.Scale()) : std::nullopt;
        if (r)
            return Value::Decimal(r->ToText());
    }
    if (type.IsDateTime() && kind == SQLITE_TEXT) {
        const std::string text(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
        // Values the server wrote itself are canonical already.
        if (text.size() == 23 && text[4] == '-' && text[10] == ' ' && text[19] == '.')
            return Value::DateTime(text);
        auto parsed = DateTimeValue::Parse(text);
        return parsed ? Value::DateTime(parsed->ToCanonical()) : Value::String(text);
    }
    Value v = RawValue(stmt, i);
    if (v.kind == ValueKind::String && (type.name == "char" || type.name == "nchar") && type.length > 0) {
        // char(n) always holds n characters.
        size_t chars = 0;
        for (unsigned char c : v.text)
            chars += (c & 0xC0) != 0x80;
        if (chars < static_cast<size_t>(type.length))
            v.text.append(type.length - chars, ' ');
    }
    return v;
}

// The same into `out`, keeping its text buffer: a result's rows are read
// into one Row, so the common kinds cost no allocation per cell.
void ReadTypedValue(sqlite3_stmt* stmt, int i, const TypeSpec& type, Value& out)
{
    const int kind = sqlite3_column_type(stmt, i);
    const bool padded = type.name == "char" || type.name == "nchar";
    if (kind == SQLITE_INTEGER && type.IsInteger()) {
        out.kind = ValueKind::Int;
        out.integer = sqlite3_column_int64(stmt, i);
        out.text.clear();
        return;
    }
    if (kind == SQLITE_FLOAT && type.IsExactNumeric()) {
        DecimalTextInto(sqlite3_column_double(stmt, i), type.Scale(), out.text);
        out.kind = ValueKind::Decimal;
        out.integer = 0;
        out.real = 0;
        return;
    }
    if (kind == SQLITE_TEXT && (type.IsDateTime() || (type.IsCharacter() && !padded))) {
        out.text.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)), sqlite3_column_bytes(stmt, i));
        const std::string& text = out.text;
        const bool canonical = text.size() == 23 && text[4] == '-' && text[10] == ' ' && text[19] == '.';
        if (!type.IsDateTime() || canonical) {
            out.kind = type.IsDateTime() ? ValueKind::DateTime : ValueKind::String;
            out.integer = 0;
            out.real = 0;
            return;
        }
    }
    out = TypedValue(stmt, i, type);
}

TypeSpec TypeOfValue(sqlite3_stmt* stmt, int i)
{
    TypeSpec t;
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: {
        const int64_t v = sqlite3_column_int64(stmt, i);
        t.name = v >= INT32_MIN && v <= INT32_MAX ? "int" : "bigint";
        break;
    }
    case SQLITE_FLOAT: t.name = "float"; break;
    case SQLITE_BLOB: t.name = "varbinary"; t.length = 8000; break;
    case SQLITE_TEXT: t.name = "varchar"; t.length = 8000; break;
    default: t.name = "int"; break;
    }
    return t;
}

// The columns of a temporary table (a table variable's rows are kept in one)
// with the types the server declared for them, which it writes in lower case.
// A column SQLite typed itself (with the capitals of what it calls an
// affinity) has no type here; the identity column is SQLite's INTEGER key.
struct TemporaryColumn {
    std::string name;
    TypeSpec type;
    bool identity = false;
};

std::vector<TemporaryColumn> TemporaryColumns(sqlite3* db, const std::string& table)
{
    std::vector<TemporaryColumn> columns;
    SqliteStatement info(db, "SELECT name, type, pk FROM pragma_table_info(?, 'temp')");
    info.Bind(1, table);
    while (info.Step()) {
        TemporaryColumn c;
        c.name = info.Text(0);
        const std::string declared = info.Text(1);
        c.identity = declared == "INTEGER" && info.Int(2) != 0;
        if (!declared.empty() && std::islower(static_cast<unsigned char>(declared[0])))
            c.type = TypeSpec::FromDeclared(declared);
        columns.push_back(std::move(c));
    }
    return columns;
}

// SET options a procedure, trigger or dynamic batch sets end with it: SQL
// Server restores the caller's when control returns, however it returns.
class OptionsScope {
public:
    explicit OptionsScope(SessionState& session) : session_(session), saved_(session.options) {}
    ~OptionsScope() { session_.options = saved_; }
    OptionsScope(const OptionsScope&) = delete;
    OptionsScope& operator=(const OptionsScope&) = delete;

private:
    SessionState& session_;
    SessionOptions saved_;
};

constexpr int64_t kOfflineStatus = 512;

// A module's parameters of user types take their base types.
ModuleDefinition ParseModule(const std::vector<Token>& tokens, std::string_view text, const Catalog& catalog)
{
    ModuleDefinition def = ModuleDefinition::Parse(tokens, text);
    for (ModuleParameter& p : def.parameters)
        catalog.ResolveUserType(p.type);
    return def;
}

} // namespace executor_detail

Executor::Executor(SessionState& session, ResultSink& sink) : s_(session), sink_(sink) {}

Executor::~Executor()
{
    for (const auto& variable : tableVariables_)
        sqlite3_exec(s_.db, ("DROP TABLE IF EXISTS temp." + Translator::Quote(variable.second)).c_str(), nullptr,
                     nullptr, nullptr);
}

std::string Executor::TableVariable(const std::string& name)
{
    const auto found = tableVariables_.find(name);
    if (found == tableVariables_.end())
        return TranslationContext::TableVariable(name);
    return found->second;
}

// DEFAULT passed for a parameter: the parameter takes its declared default.
Value Executor::DefaultArgument()
{
    Value v;
    v.text = "\001DEFAULT";
    return v;
}

bool Executor::IsDefaultArgument(const Value& v) { return v.kind == ValueKind::Null && v.text == "\001DEFAULT"; }

// --- context ---------------------------------------------------------------------

std::string Executor::ResolveDatabase(const std::string& db) const
{
    if (db.empty())
        return s_.database;
    DatabaseInfo info;
    if (!s_.server->FindDatabase(db, &info))
        throw SqlError(911, 16, "Could not locate entry in sysdatabases for database '" + db +
                                    "'. No entry found with that name. Make sure that the name is entered correctly.",
                       SqlError::Scope::Batch);
    if (info.offline)
        throw SqlError(942, 14, "Database '" + info.name + "' cannot be opened because it is offline.",
                       SqlError::Scope::Batch);
    // A database created after this session connected is attached on first use.
    const std::string lower = executor_detail::LowerText(info.name);
    if (!s_.attached.count(lower)) {
        SqliteStatement::Exec(s_.db, "ATTACH DATABASE " + Translator::Literal(info.path) + " AS " +
                                         Translator::Quote(info.name));
        s_.attached.insert(lower);
    }
    return info.name;
}

void Executor::RunCreateDatabase(const ParsedStatement& st)
{
    const std::string& name = st.target;
    if (s_.tranCount > 0)
        throw SqlError(226, 16, "CREATE DATABASE statement not allowed within multi-statement transaction.");
    DatabaseInfo existing;
    if (s_.server->FindDatabase(name, &existing))
        throw SqlError(1801, 16, "Database '" + name + "' already exists.");
    // The name becomes a file name: characters a file name cannot hold are refused.
    for (char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            throw SqlError::NotSupported("A database name with the character '" + std::string(1, c) + "'");
    if (name.empty() || name == "." || name == ".." || name.size() > 123)
        throw SqlError(1038, 15, "An object or column name is missing or empty.");
    int dbid = 5;
    for (const DatabaseInfo& d : s_.server->Databases())
        dbid = std::max(dbid, d.dbid + 1);
    DatabaseInfo info{name, dbid, s_.server->DataDir() + "/" + name + ".db", Catalog::Now(), 80};
    SqliteStatement::Exec(s_.db, "ATTACH DATABASE " + Translator::Literal(info.path) + " AS " + Translator::Quote(name));
    s_.attached.insert(executor_detail::LowerText(name));
    SqliteStatement::Exec(s_.db, "PRAGMA " + Translator::Quote(name) + ".journal_mode = WAL");
    Catalog(s_.db, name).Install(false, info.path);
    SqliteStatement ins(s_.db, "INSERT INTO master.tw_databases VALUES (?, ?, ?, 80, ?)");
    ins.Bind(1, name).Bind(2, dbid).Bind(3, info.crdate).Bind(4, info.path).Step();
    s_.server->AddDatabase(info);
}

void Executor::RunDropDatabase(const ParsedStatement& st)
{
    if (s_.tranCount > 0)
        throw SqlError(226, 16, "DROP DATABASE statement not allowed within multi-statement transaction.");
    for (const std::string& requested : st.words) {
        DatabaseInfo info;
        if (!s_.server->FindDatabase(requested, &info))
            throw SqlError(3701, 11, "Cannot drop the database '" + requested + "', because it does not exist in the "
                                     "system catalog.");
        if (info.dbid <= 4)
            throw SqlError(3708, 16, "Cannot drop the database '" + info.name + "' because it is a system database.");
        bool inUse = false;
        s_.server->ForEachSession([&](SessionState& other) {
            const std::string used = &other == &s_ ? other.database : other.Info(&SessionState::databaseShown);
            inUse = inUse || executor_detail::LowerText(used) == executor_detail::LowerText(info.name);
        });
        if (inUse)
            throw SqlError(3702, 16, "Cannot drop the database '" + info.name + "' because it is currently in use.");
        s_.server->RemoveDatabase(info.name);
        SqliteStatement del(s_.db, "DELETE FROM master.tw_databases WHERE name = ?");
        del.Bind(1, info.name).Step();
        if (s_.attached.erase(executor_detail::LowerText(info.name)))
            sqlite3_exec(s_.db, ("DETACH DATABASE " + Translator::Quote(info.name)).c_str(), nullptr, nullptr, nullptr);
        std::error_code ec;
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(info.path + suffix, ec);
        Inform("Deleting database file '" + info.path + "'.", 0, 0);
    }
}

void Executor::RunAlterDatabase(const ParsedStatement& st)
{
    if (s_.tranCount > 0)
        throw SqlError(226, 16, "ALTER DATABASE statement not allowed within multi-statement transaction.");
    DatabaseInfo info;
    if (!s_.server->FindDatabase(st.target, &info))
        throw SqlError(911, 16, "Could not locate entry in sysdatabases for database '" + st.target +
                                    "'. No entry found with that name. Make sure that the name is entered correctly.");
    if (st.words[0] == "RECOVERY")
        return SetRecovery(info, st.words[1]);
    if (info.dbid <= 4)
        throw SqlError(5058, 16, "Option 'OFFLINE' cannot be set in database '" + info.name + "'.");
    const bool offline = st.words[0] == "OFFLINE";
    if (offline == info.offline)
        return;
    if (offline) {
        bool inUse = false;
        s_.server->ForEachSession([&](SessionState& other) {
            const std::string used = &other == &s_ ? other.database : other.Info(&SessionState::databaseShown);
            inUse = inUse || executor_detail::LowerText(used) == executor_detail::LowerText(info.name);
        });
        if (inUse)
            throw SqlError(5070, 16, "Database state cannot be changed while other users are using the database '" +
                                         info.name + "'");
    }
    SetDatabaseStatus(info.name, executor_detail::kOfflineStatus, offline ? executor_detail::kOfflineStatus : 0);
    s_.server->SetOffline(info.name, offline);
}

// The recovery model is kept as sysdatabases.status keeps it: 8 for SIMPLE
// (truncate log on checkpoint), 4 for BULK_LOGGED (select into/bulk copy).
void Executor::SetRecovery(const DatabaseInfo& info, const std::string& model)
{
    if (executor_detail::LowerText(info.name) == "tempdb")
        throw SqlError(5058, 16, "Option 'RECOVERY' cannot be set in database 'tempdb'.");
    const int64_t bits = model == "SIMPLE" ? 8 : model == "BULK_LOGGED" ? 4 : 0;
    SetDatabaseStatus(info.name, 12, bits);
}

void Executor::SetDatabaseStatus(const std::string& database, int64_t mask, int64_t bits)
{
    SqliteStatement get(s_.db, "SELECT status FROM master.tw_database_status WHERE name = ?");
    get.Bind(1, database);
    const int64_t old = get.Step() ? get.Int(0) : 0;
    SqliteStatement put(s_.db, "INSERT OR REPLACE INTO master.tw_database_status VALUES (?, ?)");
    put.Bind(1, database).Bind(2, (old & ~mask) | bits).Step();
}

std::string Executor::SchemaFor(const std::string& db) const { return ResolveDatabase(db); }

Catalog Executor::CurrentCatalog() const { return Catalog(s_.db, s_.database); }

bool Executor::ResolveUserType(TypeSpec& type) { return CurrentCatalog().ResolveUserType(type); }

std::string Executor::TableReference(const std::string& db, const std::string& owner, const std::string& name)
{
    std::string spelled = db.empty() ? (owner.empty() ? name : owner + "." + name) : db + "." + owner + "." + name;
    spellings_[executor_detail::LowerText(name)] = spelled;
    touchedTables_.push_back(name);
    if (!name.empty() && name[0] == '#')
        return "temp." + Translator::Quote(name);
    if (inTrigger_ && db.empty() && (executor_detail::LowerText(name) == "inserted" ||
                                     executor_detail::LowerText(name) == "deleted"))
        return "temp.tw_" + executor_detail::LowerText(name);
    const std::string lower = executor_detail::LowerText(name);
    if (executor_detail::LowerText(owner) == "information_schema") {
        const std::string view = InformationSchema::View(lower, ResolveDatabase(db));
        if (view.empty())
            throw SqlError::InvalidObject(spelled);
        return view;
    }
    if (SystemViews::IsLive(lower)) {
        SystemViews::Refresh(s_, lower);
        return "temp." + Translator::Quote("tw_" + lower);
    }
    std::string schema = ResolveDatabase(db);
    if (SystemViews::IsMasterOnly(lower))
        schema = "master";
    Catalog catalog(s_.db, schema);
    const int64_t id = catalog.Resolve(owner, name, "", CallerUid(catalog));
    if (!id && !owner.empty() && executor_detail::LowerText(owner) != "dbo")
        throw SqlError::InvalidObject(spelled);
    const std::string storage = id ? catalog.StorageName(id) : name;
    lockTargets_.emplace_back(schema, storage);
    lastReference_ = {};
    DatabaseInfo referenced;
    if (id && catalog.ObjectType(id) == Catalog::kTable && s_.server->FindDatabase(schema, &referenced))
        lastReference_ = LockResource{referenced.dbid, id};
    if (dependencies_ && id)
        dependencies_->push_back(id);
    if (unqualifiedNames_)
        return Translator::Quote(storage);
    return Translator::Quote(schema) + "." + Translator::Quote(storage);
}

// Inside a module the names of its own database resolve as its owner's.
int Executor::CallerUid(const Catalog& catalog) const
{
    if (moduleOwnerUid_ > 0 &&
        executor_detail::LowerText(catalog.Schema()) == executor_detail::LowerText(moduleDatabase_))
        return moduleOwnerUid_;
    return catalog.LoginUid(s_.login);
}

int Executor::OwnerUid(const Catalog& catalog, const std::string& owner) const
{
    if (owner.empty())
        return catalog.LoginUid(s_.login);
    const int uid = catalog.UserId(owner);
    if (uid <= 0 || (uid >= 16384) || uid == 3)
        throw SqlError(2760, 16, "Specified owner name '" + owner + "' either does not exist or you do not have "
                                 "permission to use it.");
    return uid;
}

std::string Executor::TableFunction(const std::string& name, const std::vector<std::string>& args)
{
    return SystemViews::TableFunction(*this, name, args);
}

bool Executor::AnsiNulls() const { return s_.options.ansiNulls; }
int64_t Executor::RowCountLimit() const { return s_.options.rowCount; }

bool Executor::InsertColumns(const std::string& db, const std::string& owner, const std::string& table,
                             std::vector<std::string>* columns, std::string* identity)
{
    if (table.empty())
        return false;
    const bool explicitIdentity = s_.options.identityInsert == executor_detail::LowerText(table);
    if (table[0] == '#') {
        const std::vector<executor_detail::TemporaryColumn> temporary = executor_detail::TemporaryColumns(s_.db, table);
        for (const executor_detail::TemporaryColumn& c : temporary) {
            if (c.identity && !explicitIdentity)
                *identity = c.name;
            else
                columns->push_back(c.name);
        }
        return !temporary.empty();
    }
    Catalog catalog(s_.db, ResolveDatabase(db));
    const int64_t id = catalog.Resolve(owner, table, "U ", CallerUid(catalog));
    if (!id)
        return false;
    for (const CatalogColumn& c : catalog.Columns(id)) {
        if (c.identity && !explicitIdentity)
            *identity = c.name;
        else
            columns->push_back(c.name);
    }
    return true;
}
bool Executor::ConcatNullYieldsNull() const { return s_.options.concatNullYieldsNull; }

TypeSpec Executor::VariableType(const std::string& name) const
{
    auto& frame = s_.frames.back();
    auto it = frame.find(executor_detail::LowerText(name));
    if (it == frame.end())
        throw SqlError(137, 15, "Must declare the scalar variable \"" + name + "\".", SqlError::Scope::Batch, 2);
    return it->second.type;
}

// --- batches -----------------------------------------------------------------------

bool Executor::RunBatch(std::string_view text)
{
    text_ = std::string(text);
    // The hook is the caller's again however the batch ends, an error on
    // its way to an outer CATCH included.
    struct HookRestore {
        SessionState& s;
        std::function<Value(const std::string&, const std::vector<Value>&)> previous;
        ~HookRestore() { s.callFunction = previous; }
    } hookRestore{s_, s_.callFunction};
    s_.callFunction = [this](const std::string& name, const std::vector<Value>& args) {
        return CallFunction(name, args);
    };
    try {
        const int64_t startUs = executor_detail::WallMicros();
        const int64_t startCpu = executor_detail::CpuMicros();
        tokens_ = Lexer(text_, s_.options.quotedIdentifier).Tokenize();
        Parser parser(tokens_, text_);
        std::vector<ParsedStatement> list = parser.ParseBatch();
        for (const ParsedStatement& st : list)
            if (st.kind == StatementKind::SetOption && list.size() > 1)
                for (const std::string& w : st.words)
                    if (w == "SHOWPLAN_TEXT" || w == "SHOWPLAN_ALL")
                        throw SqlError(1067, 15, "The SET SHOWPLAN statements must be the only statements in the "
                                                 "batch.", SqlError::Scope::Batch);
        if (s_.options.statisticsTime) {
            char text[160];
            std::snprintf(text, sizeof text,
                          "SQL Server parse and compile time: \n   CPU time = %lld ms, elapsed time = %lld ms.",
                          static_cast<long long>((executor_detail::CpuMicros() - startCpu) / 1000),
                          static_cast<long long>((executor_detail::WallMicros() - startUs) / 1000));
            Inform(text);
        }
        RunList(list);
    } catch (const SqlError& e) {
        Report(e, e.line > 0 ? e.line : 1);
    } catch (const BatchAbort&) {
    }
    return !hadError_;
}

void Executor::Report(const SqlError& e, int line)
{
    if (s_.cancelled && e.number == 0) {
        hadError_ = true;
        Message m = e.ToMessage(line, procedure_);
        sink_.MessageReceived(m);
        return;
    }
    Message m = e.ToMessage(line, procedure_);
    sink_.MessageReceived(m);
    if (m.IsError()) {
        hadError_ = true;
        s_.lastError = e.number;
    }
}

void Executor::LockTables(const Translation& t)
{
    const bool changes = !t.targetName.empty() && !t.returnsRows && t.assignments.empty();
    const std::string targetDb = changes ? ResolveDatabase(t.targetDatabase) : std::string();
    const bool holdShared = s_.tranCount > 0 && (s_.options.isolationLevel == "REPEATABLE READ" ||
                                                 s_.options.isolationLevel == "SERIALIZABLE");
    if (changes) {
        // SQLite takes one writer per database file: the database's write lock
        // makes a second writer wait here, visibly, instead of inside SQLite.
        LockDatabaseForWrite(targetDb);
    }
    for (const auto& [database, table] : lockTargets_) {
        DatabaseInfo info;
        if (!s_.server->FindDatabase(database, &info))
            continue;
        const int64_t id = Catalog(s_.db, info.name).ObjectId(table, "U ");
        if (!id)
            continue; // catalogue views and missing tables take no lock
        const bool target = changes && executor_detail::LowerText(table) == executor_detail::LowerText(t.targetName) &&
                            executor_detail::LowerText(database) == executor_detail::LowerText(targetDb);
        // Rows are locked one by one (see RecordRowLocks and ReadSource): the
        // table takes intent locks, or a whole shared lock held for repeatable reads.
        const LockMode mode = target ? LockMode::IntentExclusive
                              : holdShared ? LockMode::Shared
                                           : LockMode::IntentShared;
        s_.server->locks.Acquire(s_.spid, LockResource{info.dbid, id}, mode, target || holdShared,
                                 s_.options.lockTimeout, s_.cancelled);
    }
}

// Rows changed in a transaction stay locked exclusively to its end. Past a
// few thousand rows of one table the table itself is locked instead when no
// other session is using it, as SQL Server escalates.
void Executor::RecordRowLocks()
{
    constexpr size_t kRowLockEscalation = 5000;
    if (s_.changedTables.empty())
        return;
    std::vector<SessionState::ChangedTable> changed;
    changed.swap(s_.changedTables);
    if (s_.tranCount == 0)
        return;
    std::vector<LockResource> rows;
    for (const SessionState::ChangedTable& entry : changed) {
        DatabaseInfo info;
        if (!s_.server->FindDatabase(entry.database, &info))
            continue;
        Catalog catalog(s_.db, info.name);
        const int64_t id = catalog.StoredTableId(entry.table);
        if (!id)
            continue;
        if (entry.rowids.size() > kRowLockEscalation &&
            s_.server->locks.TryEscalate(s_.spid, LockResource{info.dbid, id}))
            continue;
        const bool keyed = catalog.HasClusteredIndex(id);
        for (int64_t rowid : entry.rowids)
            rows.push_back(LockResource{info.dbid, id, rowid, keyed});
    }
    s_.server->locks.GrantRows(s_.spid, rows);
}

TypeSpec Executor::ColumnTypeOf(const std::string& db, const std::string& owner, const std::string& table,
                                const std::string& column)
{
    if (table.empty())
        return {};
    if (table[0] == '#') {
        const std::string wanted = executor_detail::LowerText(column);
        for (const executor_detail::TemporaryColumn& c : executor_detail::TemporaryColumns(s_.db, table))
            if (executor_detail::LowerText(c.name) == wanted)
                return c.type;
        return {};
    }
    try {
        DatabaseInfo info;
        if (!s_.server->FindDatabase(db.empty() ? s_.database : db, &info) || info.offline)
            return {};
        const Catalog catalog(s_.db, info.name);
        const int64_t id = catalog.Resolve(owner, table, "U V S ", CallerUid(catalog));
        if (!id)
            return {};
        for (const CatalogColumn& c : catalog.Columns(id))
            if (executor_detail::LowerText(c.name) == executor_detail::LowerText(column))
                return c.type;
    } catch (const SqlError&) {
    }
    return {};
}

std::vector<TypeSpec> Executor::ExactColumnTypes(sqlite3_stmt* stmt, const Translation& t) const
{
    const int count = sqlite3_column_count(stmt);
    const bool hinted = static_cast<int>(t.columnTypes.size()) == count;
    std::vector<TypeSpec> types(count);
    for (int i = 0; i < count; ++i) {
        TypeSpec type;
        if (hinted && t.compound)
            type = t.columnTypes[i];
        const char* table = sqlite3_column_table_name(stmt, i);
        const char* origin = sqlite3_column_origin_name(stmt, i);
        const char* database = sqlite3_column_database_name(stmt, i);
        if (!type.IsKnown() && table && origin && database && std::string(database) != "temp") {
            bool nullable = true;
            try {
                Catalog(s_.db, database).ColumnType(table, origin, &type, &nullable);
            } catch (const SqlError&) {
                type = {};
            }
        }
        const char* declared = sqlite3_column_decltype(stmt, i);
        if (!type.IsKnown() && declared && *declared)
            type = TypeSpec::FromDeclared(declared);
        if (!type.IsKnown() && hinted)
            type = t.columnTypes[i];
        if (!type.IsKnown() && !(table && origin) && t.columnTypeByName)
            type = t.columnTypeByName(sqlite3_column_name(stmt, i));
        if (type.IsExactNumeric() || type.name == "real")
            types[i] = type;
    }
    return types;
}

// The new table takes the columns SQLite gives the query's result, and the
// decimal, numeric, money and real columns keep their types, so that what is
// stored there later is rounded and checked as in any such column.
std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> Executor::PrepareBound(const std::string& sql,
                                                                           const std::vector<std::string>& variables)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(s_.db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(s_.db);
        sqlite3_finalize(stmt);
        throw ErrorMapper::FromSqlite(s_.db, message, &spellings_);
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
    Bind(stmt, variables);
    return guard;
}

void Executor::RunSelectInto(const Translation& t)
{
    auto prepare = [this, &t](const std::string& sql) { return PrepareBound(sql, t.variables); };
    auto run = [this](sqlite3_stmt* stmt) {
        if (sqlite3_step(stmt) != SQLITE_DONE)
            throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
    };
    // intoTable is temp."#name" or "database"."storage name".
    const bool temporary = t.intoTable.rfind("temp.", 0) == 0;
    std::string schema = "temp", name;
    if (temporary) {
        name = t.intoTable.substr(6, t.intoTable.size() - 7);
    } else {
        const size_t dot = t.intoTable.find("\".\"");
        schema = t.intoTable.substr(1, dot - 1);
        name = t.intoTable.substr(dot + 3, t.intoTable.size() - dot - 4);
    }
    for (std::string* part : {&schema, &name})
        for (size_t at = part->find("\"\""); at != std::string::npos; at = part->find("\"\"", at + 1))
            part->erase(at, 1);

    std::vector<TypeSpec> exact;
    {
        const auto query = prepare(t.sql);
        // Every column of the new table needs a name of its own.
        std::set<std::string> names;
        for (int i = 0; i < sqlite3_column_count(query.get()); ++i) {
            const std::string column = sqlite3_column_name(query.get(), i);
            if (column.empty())
                throw SqlError(1038, 15, "An object or column name is missing or empty. For SELECT INTO statements, "
                                         "verify each column has a column name. In other statements, look for empty "
                                         "alias names. Aliases defined as \"\" or [] are not allowed. Change the alias "
                                         "to a valid name.");
            if (!names.insert(executor_detail::LowerText(column)).second)
                throw SqlError(2705, 16, "Column names in each table must be unique. Column name '" + column +
                                             "' in table '" + name + "' is specified more than once.");
        }
        exact = ExactColumnTypes(query.get(), t);
    }
    const bool keepsExact = std::any_of(exact.begin(), exact.end(), [](const TypeSpec& x) { return x.IsKnown(); });
    // With exact columns the table is made empty first, for its columns' names and SQLite's types.
    run(prepare("CREATE TABLE " + t.intoTable + " AS " +
                (keepsExact ? "SELECT * FROM (" + t.sql + ") LIMIT 0" : t.sql)).get());

    std::vector<CatalogColumn> columns;
    TableDefinition definition;
    std::string body, positions, values;
    SqliteStatement info(s_.db, "SELECT name, type, \"notnull\" FROM pragma_table_info(?, ?)");
    info.Bind(1, name).Bind(2, schema);
    for (size_t i = 0; info.Step(); ++i) {
        CatalogColumn c;
        c.name = info.Text(0);
        c.nullable = info.Int(2) == 0;
        const std::string declared = info.Text(1);
        const std::string position = "c" + std::to_string(i + 1);
        std::string column = Translator::Quote(c.name) + (declared.empty() ? "" : " " + declared);
        std::string value = position;
        if (i < exact.size() && exact[i].IsKnown()) {
            c.type = exact[i];
            ColumnDefinition d;
            d.column = c;
            column = definition.SqliteColumn(d);
            value = c.type.name == "real" ? "tw_real(" + position + ")"
                                          : "tw_decstore(" + position + ", " + Translator::Literal(c.type.Spelling()) + ")";
        } else {
            const std::string type = executor_detail::LowerText(declared);
            c.type.name = type == "int" || type == "integer" ? "int" : type == "real" ? "float"
                        : type == "num" ? "decimal" : "varchar";
            if (c.type.name == "varchar")
                c.type.length = 8000;
        }
        body += (i ? ", " : "") + column;
        positions += (i ? ", " : "") + position;
        values += (i ? ", " : "") + value;
        columns.push_back(c);
    }
    if (keepsExact) {
        SqliteStatement::Exec(s_.db, "DROP TABLE " + t.intoTable);
        SqliteStatement::Exec(s_.db, "CREATE TABLE " + t.intoTable + " (" + body + ")");
        run(prepare("INSERT INTO " + t.intoTable + " WITH tw_rows(" + positions + ") AS (" + t.sql + ") SELECT " +
                    values + " FROM tw_rows").get());
    }
    CountRows(SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM " + t.intoTable));
    if (!temporary) {
        Catalog catalog(s_.db, schema);
        catalog.AddColumns(catalog.AddObject(name, Catalog::kTable), columns);
    }
}

// A table in which other sessions hold rows is read through a filter that
// waits for each such row it meets (repeatable reads in a transaction also
// hold the whole table shared); READ UNCOMMITTED never waits.
std::string Executor::ReadSource(const std::string& reference)
{
    const LockResource table = lastReference_;
    lastReference_ = {};
    // A view's stored text never waits on what is held while it is created.
    if (!table.objectId || unqualifiedNames_ || s_.options.isolationLevel == "READ UNCOMMITTED" ||
        !s_.server->locks.OthersHoldRows(s_.spid, table.dbid, table.objectId))
        return reference;
    guardedRead_ = true;
    return "(SELECT * FROM " + reference + " WHERE tw_rowread(" + std::to_string(table.dbid) + ", " +
           std::to_string(table.objectId) + ", rowid))";
}

// A wait inside a read leaves it reading the data as it was when it began:
// so the read is first counted through until it meets no held row, and the
// rows themselves come from a fresh read that no longer waits.
void Executor::AwaitHeldRows(const Translation& t)
{
    const std::string probe = "SELECT count(*) FROM (" + t.sql + ")";
    do {
        s_.rowWaited = false;
        const auto guard = PrepareBound(probe, t.variables);
        sqlite3_stmt* stmt = guard.get();
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
    } while (s_.rowWaited);
    s_.rowWaitsOff = true;
}

void Executor::LockDatabaseForWrite(const std::string& database)
{
    DatabaseInfo info;
    if (!s_.server->FindDatabase(database, &info) || info.dbid == 2)
        return;
    s_.server->locks.Acquire(s_.spid, LockResource{info.dbid, 0}, LockMode::Exclusive, true, s_.options.lockTimeout,
                             s_.cancelled);
}

void Executor::EndStatementLocks()
{
    if (s_.tranCount == 0)
        s_.server->locks.ReleaseAll(s_.spid);
    else
        s_.server->locks.ReleaseStatementLocks(s_.spid);
}

Executor::Flow Executor::RunList(const std::vector<ParsedStatement>& list)
{
    // Consecutive queries (a script of INSERTs) remember which tables their
    // names resolve to; any other statement may change the catalogue, and
    // forgets them.
    std::optional<Catalog::LookupMemo> queries;
    for (const ParsedStatement& st : list) {
        if (st.kind != StatementKind::Query)
            queries.reset();
        else if (!queries)
            queries.emplace();
        if (s_.cancelled) {
            Report(SqlError(0, 0, "Query was cancelled by user.", SqlError::Scope::Batch), st.line);
            throw BatchAbort{};
        }
        Flow flow = Flow::Normal;
        try {
            s_.nullEliminated = false;
            flow = Run(st);
            if (st.kind != StatementKind::If && st.kind != StatementKind::While && st.kind != StatementKind::Block &&
                st.kind != StatementKind::Raiserror)
                s_.lastError = 0;
            RecordRowLocks();
            EndStatementLocks();
        } catch (const SqlError& e) {
            // A failed statement's changes are undone with it.
            s_.changedTables.clear();
            if (GoesToCatch(e)) {
                EndStatementLocks();
                throw TryTransfer{e, e.line > 0 ? e.line : st.line, procedure_};
            }
            if (e.number == 1205 && s_.tranCount > 0) {
                // The deadlock victim's transaction is rolled back, as SQL Server does.
                sqlite3_exec(s_.db, "ROLLBACK", nullptr, nullptr, nullptr);
                s_.tranCount = 0;
                savepoints_.clear();
            }
            EndStatementLocks();
            Report(e, st.line);
            if (s_.cancelled)
                throw BatchAbort{};
            const bool arithmetic = e.number == 8134 || e.number == 8115;
            if (e.scope != SqlError::Scope::Statement || (s_.options.arithAbort && arithmetic))
                throw BatchAbort{};
            continue;
        }
        if (flow != Flow::Normal)
            return flow;
    }
    return Flow::Normal;
}

Executor::Flow Executor::Run(const ParsedStatement& st)
{
    const bool isSetOption = st.kind == StatementKind::SetOption;
    if ((s_.options.parseOnly || s_.options.noExec) && !isSetOption)
        return Flow::Normal;
    if (s_.options.showplanText && !isSetOption) {
        ShowPlan(st);
        return Flow::Normal;
    }
    const int64_t startUs = executor_detail::WallMicros();
    const int64_t startCpu = executor_detail::CpuMicros();
    switch (st.kind) {
    case StatementKind::CreateModule:
    case StatementKind::CreateTable:
    case StatementKind::AlterTable:
    case StatementKind::CreateIndex:
    case StatementKind::Drop:
    case StatementKind::Truncate:
        LockDatabaseForWrite(s_.database);
        break;
    default:
        break;
    }
    switch (st.kind) {
    case StatementKind::Query: RunQuery(st); break;
    case StatementKind::Declare: RunDeclare(st); break;
    case StatementKind::SetVariable: RunSetVariable(st); break;
    case StatementKind::SetOption:
        RunSetOption(st);
        s_.lastRowCount = 0;
        return Flow::Normal;
    case StatementKind::If:
        if (Condition(st.exprBegin))
            return RunList(st.body);
        if (!st.elseBody.empty())
            return RunList(st.elseBody);
        return Flow::Normal;
    case StatementKind::While:
        while (Condition(st.exprBegin)) {
            if (s_.cancelled)
                throw SqlError(0, 0, "Query was cancelled by user.", SqlError::Scope::Batch);
            const Flow flow = RunList(st.body);
            if (flow == Flow::Break)
                break;
            if (flow == Flow::Return)
                return flow;
        }
        return Flow::Normal;
    case StatementKind::Block: return RunList(st.body);
    case StatementKind::TryCatch: return RunTryCatch(st);
    case StatementKind::Break: return Flow::Break;
    case StatementKind::Continue: return Flow::Continue;
    case StatementKind::Return: {
        if (st.exprBegin) {
            const Value v = Evaluate(st.exprBegin, TypeSpec{"int"});
            returnValue_ = v.IsNull() ? 0 : static_cast<int>(v.integer);
        }
        return Flow::Return;
    }
    case StatementKind::Print: RunPrint(st); break;
    case StatementKind::Raiserror: RunRaiserror(st); break;
    case StatementKind::Use: RunUse(st); break;
    case StatementKind::BeginTran:
    case StatementKind::CommitTran:
    case StatementKind::RollbackTran:
    case StatementKind::SaveTran: RunTransaction(st); break;
    case StatementKind::Exec: RunExec(st); break;
    case StatementKind::ExecString: RunExecString(st); break;
    case StatementKind::CreateModule: RunCreateModule(st); break;
    case StatementKind::CreateTable: RunCreateTable(st); break;
    case StatementKind::AlterTable: RunAlterTable(st); break;
    case StatementKind::CreateIndex: RunCreateIndex(st); break;
    case StatementKind::Drop: RunDrop(st); break;
    case StatementKind::CreateDatabase: RunCreateDatabase(st); break;
    case StatementKind::DropDatabase: RunDropDatabase(st); break;
    case StatementKind::AlterDatabase: RunAlterDatabase(st); break;
    case StatementKind::Permission: RunPermission(st); break;
    case StatementKind::Dbcc: RunDbcc(st); break;
    case StatementKind::Kill: RunKill(st); break;
    case StatementKind::Truncate: RunTruncate(st); break;
    case StatementKind::WaitFor: RunWaitFor(st); break;
    case StatementKind::Checkpoint: RunCheckpoint(); break;
    case StatementKind::DeclareCursor: RunDeclareCursor(st); break;
    case StatementKind::OpenCursor:
    case StatementKind::FetchCursor:
    case StatementKind::CloseCursor:
    case StatementKind::DeallocateCursor: RunCursorStatement(st); break;
    case StatementKind::UpdateStatistics: RunUpdateStatistics(st); break;
    case StatementKind::Reconfigure:
        // Installs what sp_configure set; only 'show advanced options' can have changed.
        s_.server->showAdvancedRunning = s_.server->showAdvancedConfigured.load();
        break;
    case StatementKind::Unsupported: {
        SqlError refusal = SqlError::NotSupported(st.message);
        refusal.scope = SqlError::Scope::Batch;
        throw refusal;
    }
    }
    // @@ROWCOUNT after statements that touch no rows, as SQL Server sets it: an
    // assignment, a cursor declared or fetched count one; the others none.
    switch (st.kind) {
    case StatementKind::SetVariable:
    case StatementKind::DeclareCursor:
    case StatementKind::FetchCursor: s_.lastRowCount = 1; break;
    case StatementKind::Print:
    case StatementKind::Raiserror:
    case StatementKind::Use:
    case StatementKind::BeginTran:
    case StatementKind::CommitTran:
    case StatementKind::CloseCursor:
    case StatementKind::DeallocateCursor: s_.lastRowCount = 0; break;
    default: break;
    }
    StatementEnd(startUs, startCpu);
    return Flow::Normal;
}

bool Executor::GoesToCatch(const SqlError& e) const
{
    return s_.tryDepth > 0 && !s_.cancelled && e.severity >= 11 && e.severity <= 19 && e.severity != 15;
}

Executor::Flow Executor::RunTryCatch(const ParsedStatement& st)
{
    std::optional<TryTransfer> transfer;
    ++s_.tryDepth;
    try {
        const Flow flow = RunList(st.body);
        --s_.tryDepth;
        return flow;
    } catch (TryTransfer& t) {
        --s_.tryDepth;
        transfer = std::move(t);
    } catch (...) {
        --s_.tryDepth;
        throw;
    }
    SessionState::CaughtError caught;
    caught.number = transfer->error.number;
    caught.severity = transfer->error.severity;
    caught.state = transfer->error.state;
    caught.line = transfer->line;
    caught.message = transfer->error.what();
    caught.procedure = transfer->procedure;
    s_.lastError = caught.number;
    s_.caught.push_back(caught);
    struct CaughtEnd {
        SessionState& s;
        ~CaughtEnd() { s.caught.pop_back(); }
    } end{s_};
    return RunList(st.elseBody);
}

void Executor::StatementEnd(int64_t startUs, int64_t startCpu)
{
    if (s_.options.statisticsIo) {
        for (const std::string& table : touchedTables_) {
            if (SystemViews::IsLive(executor_detail::LowerText(table)))
                continue;
            Inform("Table '" + table + "'. Scan count 1, logical reads 1, physical reads 0, read-ahead reads 0.");
        }
    }
    touchedTables_.clear();
    if (s_.options.statisticsTime) {
        char text[160];
        std::snprintf(text, sizeof text, "\nSQL Server Execution Times:\n   CPU time = %lld ms,  elapsed time = %lld ms.",
                      static_cast<long long>((executor_detail::CpuMicros() - startCpu) / 1000),
                      static_cast<long long>((executor_detail::WallMicros() - startUs) / 1000));
        Inform(text);
    }
}

void Executor::Inform(const std::string& text, int number, int severity)
{
    Message m;
    m.number = number;
    m.severity = severity;
    m.state = 1;
    m.line = 1;
    m.procedure = procedure_;
    m.server = Server::kServerName;
    m.text = text;
    sink_.MessageReceived(m);
}

void Executor::CountRows(int64_t count, RowCountOf of)
{
    if (s_.nullEliminated && s_.options.ansiWarnings)
        Inform("Warning: Null value is eliminated by an aggregate or other SET operation.", 8153, 10);
    s_.nullEliminated = false;
    s_.lastRowCount = count;
    if (!s_.options.noCount)
        sink_.RowsAffected(count, of);
}

// --- values and variables -------------------------------------------------------------

void Executor::Bind(sqlite3_stmt* stmt, const std::vector<std::string>& variables)
{
    for (const std::string& name : variables) {
        const int index = sqlite3_bind_parameter_index(stmt, name.c_str());
        if (index == 0)
            continue;
        Variable* v = s_.FindVariable(name);
        if (!v)
            throw SqlError(137, 15, "Must declare the scalar variable \"" + name + "\".", SqlError::Scope::Batch, 2);
        switch (v->value.kind) {
        case ValueKind::Null: sqlite3_bind_null(stmt, index); break;
        case ValueKind::Int: sqlite3_bind_int64(stmt, index, v->value.integer); break;
        case ValueKind::Float: sqlite3_bind_double(stmt, index, v->value.real); break;
        case ValueKind::Decimal:
            if (NeedsDecimalText(v->value.text))
                sqlite3_bind_text(stmt, index, v->value.text.data(), static_cast<int>(v->value.text.size()),
                                  SQLITE_TRANSIENT);
            else
                sqlite3_bind_double(stmt, index, std::strtod(v->value.text.c_str(), nullptr));
            break;
        case ValueKind::Binary:
            sqlite3_bind_blob(stmt, index, v->value.text.data(), static_cast<int>(v->value.text.size()), SQLITE_TRANSIENT);
            break;
        default:
            sqlite3_bind_text(stmt, index, v->value.text.data(), static_cast<int>(v->value.text.size()), SQLITE_TRANSIENT);
        }
    }
}

Value Executor::Evaluate(size_t exprBegin, const TypeSpec& target)
{
    Translator translator(tokens_, text_, this);
    Translation t = translator.Expression(exprBegin);
    std::string sql = t.sql;
    if (target.IsKnown()) {
        const TypeSpec& source = t.columnTypes.empty() ? TypeSpec{} : t.columnTypes[0];
        sql = "tw_convert(" + sql + ", " + Translator::Literal(target.Spelling()) + ", NULL" +
              (source.IsDateTime() ? ", 'datetime'" : "") + ")";
    }
    sqlite3_stmt* stmt = nullptr;
    const std::string query = "SELECT " + sql;
    if (sqlite3_prepare_v2(s_.db, query.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(s_.db);
        sqlite3_finalize(stmt);
        throw ErrorMapper::FromSqlite(s_.db, message, &spellings_);
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
    Bind(stmt, t.variables);
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW)
        throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
    return executor_detail::RawValue(stmt, 0);
}

bool Executor::Condition(size_t exprBegin)
{
    const Value v = Evaluate(exprBegin);
    switch (v.kind) {
    case ValueKind::Null: return false;
    case ValueKind::Int: return v.integer != 0;
    case ValueKind::Float: return v.real != 0;
    default: return !v.text.empty();
    }
}

void Executor::Assign(const std::string& name, const Value& value)
{
    Variable* v = s_.FindVariable(name);
    if (!v)
        throw SqlError(137, 15, "Must declare the scalar variable \"" + name + "\".", SqlError::Scope::Batch, 2);
    if (value.IsNull() || (v->type.IsInteger() && value.kind == ValueKind::Int) ||
        (v->type.IsCharacter() && value.kind == ValueKind::String && v->type.length < 0) || !v->type.IsKnown()) {
        v->value = value;
        return;
    }
    SqliteStatement convert(s_.db, "SELECT tw_convert(?, ?, NULL)");
    convert.BindValue(1, value).Bind(2, v->type.Spelling());
    convert.Step();
    v->value = executor_detail::RawValue(convert.Handle(), 0);
}

void Executor::RunDeclare(const ParsedStatement& st)
{
    for (const Declaration& d : st.declarations) {
        TypeSpec type = d.type;
        ResolveUserType(type);
        if (!type.IsSupported())
            throw SqlError(2715, 16, "Column, parameter, or variable #1: Cannot find data type " + d.type.name + ".",
                           SqlError::Scope::Batch, 6);
        auto& frame = s_.frames.back();
        if (frame.count(d.name))
            throw SqlError(134, 15, "The variable name '" + d.name + "' has already been declared. Variable names "
                                    "must be unique within a query batch or stored procedure.", SqlError::Scope::Batch);
        frame[d.name] = Variable{type, Value::Null()};
        if (d.initBegin)
            frame[d.name].value = Evaluate(d.initBegin, type);
    }
}

void Executor::RunSetVariable(const ParsedStatement& st)
{
    const TypeSpec type = VariableType(st.target);
    const Value v = Evaluate(st.exprBegin, type);
    s_.FindVariable(st.target)->value = v;
}

void Executor::RunPrint(const ParsedStatement& st)
{
    Value v = Evaluate(st.exprBegin, TypeSpec{"varchar", 8000});
    Message m;
    m.number = 0;
    m.severity = 0;
    m.state = 1;
    m.line = st.line;
    m.procedure = procedure_;
    m.server = Server::kServerName;
    m.text = v.IsNull() ? "" : v.text;
    sink_.MessageReceived(m);
}

void Executor::RunRaiserror(const ParsedStatement& st)
{
    Translator translator(tokens_, text_, this);
    std::vector<Value> args;
    size_t pos = st.exprBegin;
    const bool legacy = !st.words.empty() && st.words[0] == "legacy";
    if (legacy) {
        args.push_back(Evaluate(pos));
        args.push_back(Evaluate(pos + 1));
    } else {
        for (;;) {
            Translation t = translator.Expression(pos);
            args.push_back(Evaluate(pos));
            pos = t.end;
            if (!tokens_[pos].IsOp(","))
                break;
            ++pos;
        }
    }
    std::string text;
    int number = 50000;
    int severity = 16;
    int state = 1;
    if (legacy) {
        number = static_cast<int>(args[0].integer);
        text = args[1].text;
    } else {
        if (args.size() < 3)
            throw SqlError::Syntax(")");
        severity = static_cast<int>(args[1].integer);
        state = static_cast<int>(args[2].integer);
        if (args[0].kind == ValueKind::Int) {
            number = static_cast<int>(args[0].integer);
            text = "Error " + std::to_string(number) + ", severity " + std::to_string(severity) + ", state " +
                   std::to_string(state) + " was raised, but no message with that error number was found in "
                   "sysmessages.";
            number = 18054;
        } else {
            // printf-style substitution of %s, %d and %i from the remaining arguments.
            const std::string& format = args[0].text;
            size_t next = 3;
            for (size_t i = 0; i < format.size(); ++i) {
                if (format[i] != '%' || i + 1 >= format.size()) {
                    text += format[i];
                    continue;
                }
                size_t j = i + 1;
                while (j < format.size() && (std::isdigit(static_cast<unsigned char>(format[j])) || format[j] == '-' ||
                                             format[j] == '.' || format[j] == 'l' || format[j] == 'h'))
                    ++j;
                if (j >= format.size())
                    break;
                const char conv = format[j];
                if (conv == '%') {
                    text += '%';
                } else if (next < args.size()) {
                    const Value& a = args[next++];
                    text += a.IsNull() ? "(null)" : a.ToText();
                } else {
                    text += "(null)";
                }
                i = j;
            }
        }
    }
    if (severity > 18 && std::find(st.words.begin(), st.words.end(), "LOG") == st.words.end())
        throw SqlError(2754, 16, "Error severity levels greater than 18 can only be specified by members of the "
                                 "sysadmin role, using the WITH LOG option.");
    if (severity > 25)
        severity = 25;
    // Inside TRY an error goes to CATCH instead of the client.
    if (s_.tryDepth > 0 && severity >= 11 && severity <= 19)
        throw SqlError(number, severity, text, SqlError::Scope::Statement, state);
    Message m;
    m.number = number;
    m.severity = severity;
    m.state = state;
    m.line = st.line;
    m.procedure = procedure_;
    m.server = Server::kServerName;
    m.text = text;
    sink_.MessageReceived(m);
    if (m.IsError()) {
        hadError_ = true;
        s_.lastError = number;
    } else {
        s_.lastError = 0;
    }
}

void Executor::RunUse(const ParsedStatement& st)
{
    const std::string db = ResolveDatabase(st.target);
    s_.SetDatabase(db);
    Inform("Changed database context to '" + db + "'.", 5701, 10);
}

// --- transactions -----------------------------------------------------------------------

void Executor::BeginImplicitTransaction(bool touchesData)
{
    if (!touchesData || !s_.options.implicitTransactions || s_.tranCount > 0)
        return;
    SqliteStatement::Exec(s_.db, "BEGIN");
    s_.tranCount = 1;
}

void Executor::RunTransaction(const ParsedStatement& st)
{
    switch (st.kind) {
    case StatementKind::BeginTran:
        if (s_.tranCount == 0)
            SqliteStatement::Exec(s_.db, "BEGIN");
        ++s_.tranCount;
        return;
    case StatementKind::CommitTran:
        if (s_.tranCount == 0)
            throw SqlError(3902, 16, "The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
        if (s_.tranCount == 1) {
            SqliteStatement::Exec(s_.db, "COMMIT");
            savepoints_.clear();
            CloseCursorsAtTransactionEnd();
        }
        --s_.tranCount;
        return;
    case StatementKind::SaveTran:
        if (s_.tranCount == 0)
            throw SqlError(628, 16, "Cannot issue SAVE TRANSACTION when there is no active transaction.");
        SqliteStatement::Exec(s_.db, "SAVEPOINT " + Translator::Quote(st.target));
        savepoints_.push_back(executor_detail::LowerText(st.target));
        return;
    default:
        break;
    }
    if (s_.tranCount == 0)
        throw SqlError(3903, 16, "The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
    const std::string name = executor_detail::LowerText(st.target);
    if (!name.empty() && std::find(savepoints_.begin(), savepoints_.end(), name) != savepoints_.end()) {
        SqliteStatement::Exec(s_.db, "ROLLBACK TO " + Translator::Quote(st.target));
        return;
    }
    sqlite3_exec(s_.db, "ROLLBACK", nullptr, nullptr, nullptr);
    savepoints_.clear();
    s_.tranCount = 0;
    CloseCursorsAtTransactionEnd();
}

// SET CURSOR_CLOSE_ON_COMMIT ON: a transaction's end closes the open cursors.
void Executor::CloseCursorsAtTransactionEnd()
{
    if (!s_.options.cursorCloseOnCommit)
        return;
    for (auto* scope : {&localCursors_, &s_.cursors})
        for (auto& [name, cursor] : *scope) {
            cursor.open = false;
            cursor.rows.clear();
        }
}

// --- queries ------------------------------------------------------------------------------

void Executor::RunQuery(const ParsedStatement& st)
{
    // A run of queries shares the lookups of one memo (see RunList).
    std::optional<Catalog::LookupMemo> memo;
    if (!Catalog::LookupMemo::Active())
        memo.emplace();
    Translator translator(tokens_, text_, this);
    spellings_.clear();
    touchedTables_.clear();
    lockTargets_.clear();
    guardedRead_ = false;
    Translation t = translator.Statement(st.begin);
    LockTables(t);
    BeginImplicitTransaction(!t.returnsRows || t.sql.find(" FROM ") != std::string::npos);

    struct RowWaitsRestore {
        SessionState& s;
        ~RowWaitsRestore() { s.rowWaitsOff = false; }
    } restoreRowWaits{s_};
    if (guardedRead_ && (t.returnsRows || !t.assignments.empty() || !t.intoTable.empty()))
        AwaitHeldRows(t);

    if (!t.intoTable.empty()) {
        RunSelectInto(t);
        return;
    }
    if (t.assignments.empty() && !t.returnsRows) {
        CountRows(RunChange(t));
        return;
    }

    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(s_.db, t.sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(s_.db);
        sqlite3_finalize(stmt);
        throw ErrorMapper::FromSqlite(s_.db, message, &spellings_);
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
    Bind(stmt, t.variables);

    if (!t.assignments.empty()) {
        int64_t rows = 0;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            ++rows;
            for (size_t i = 0; i < t.assignments.size(); ++i)
                Assign(t.assignments[i], executor_detail::RawValue(stmt, static_cast<int>(i)));
        }
        if (rc != SQLITE_DONE)
            throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
        CountRows(rows);
        return;
    }
    if (t.returnsRows) {
        std::vector<TypeSpec> hints = t.columnTypes;
        if (static_cast<int>(hints.size()) != sqlite3_column_count(stmt))
            hints.clear();
        const std::string sql = t.sql;
        (void)sql;
        // Streaming shares its code with the system procedures.
        sqlite3_stmt* raw = guard.release();
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(raw, sqlite3_finalize);
        int rc = sqlite3_step(raw);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
        const int count = sqlite3_column_count(raw);
        std::vector<ColumnInfo> columns(count);
        std::vector<TypeSpec> types(count);
        for (int i = 0; i < count; ++i) {
            ColumnInfo& c = columns[i];
            c.name = sqlite3_column_name(raw, i);
            TypeSpec type;
            bool nullable = true;
            const char* table = sqlite3_column_table_name(raw, i);
            const char* origin = sqlite3_column_origin_name(raw, i);
            const char* database = sqlite3_column_database_name(raw, i);
            bool known = false;
            // A UNION's column has the type that holds every branch's values, not the first branch's.
            if (t.compound && !hints.empty() &&
                (hints[i].IsInteger() || hints[i].IsExactNumeric() || hints[i].IsApproximate())) {
                type = hints[i];
                known = true;
            }
            if (!known && table && origin && database && std::string(database) != "temp") {
                try {
                    known = Catalog(s_.db, database).ColumnType(table, origin, &type, &nullable);
                } catch (const SqlError&) {
                    known = false;
                }
            }
            if (!known) {
                const char* declared = sqlite3_column_decltype(raw, i);
                if (declared && *declared) {
                    type = TypeSpec::FromDeclared(declared);
                    if (type.name == "integer")
                        type.name = "int";
                    if (table && origin && database) {
                        int notNull = 0;
                        sqlite3_table_column_metadata(s_.db, database, table, origin, nullptr, nullptr, &notNull,
                                                      nullptr, nullptr);
                        nullable = notNull == 0;
                    }
                } else if (functionColumnTypes_.count(c.name)) {
                    type = functionColumnTypes_[c.name];
                } else if (!hints.empty() && hints[i].IsKnown()) {
                    type = hints[i];
                } else if (t.columnTypeByName && (type = t.columnTypeByName(c.name)).IsKnown()) {
                    // a column a view computes, read by its name
                } else if (rc == SQLITE_ROW) {
                    type = executor_detail::TypeOfValue(raw, i);
                } else {
                    type.name = "int";
                }
            }
            if (!type.IsSupported()) {
                type.name = "varchar";
                type.length = 8000;
            }
            if ((type.IsCharacter() || type.IsBinary()) && type.length < 0 && type.name != "text" &&
                type.name != "ntext" && type.name != "image" && type.name != "sysname")
                type.length = type.length == TypeSpec::kMax ? TypeSpec::kMax : 8000;
            types[i] = type;
            c.typeName = type.name == "sysname" ? "nvarchar" : type.name;
            c.size = type.StorageLength() < 0 ? 2147483647 : type.StorageLength();
            c.precision = static_cast<uint8_t>(std::min(type.Precision(), 255));
            c.scale = static_cast<uint8_t>(type.Scale());
            c.nullable = nullable;
        }
        sink_.BeginResultSet(columns);
        int64_t rows = 0;
        const int64_t limit = s_.options.rowCount;
        Row row(count);
        while (rc == SQLITE_ROW) {
            if (limit > 0 && rows >= limit)
                break;
            for (int i = 0; i < count; ++i)
                executor_detail::ReadTypedValue(raw, i, types[i], row[i]);
            ++rows;
            if (!sink_.RowFetched(row))
                break;
            rc = sqlite3_step(raw);
        }
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            sink_.RowsFailed();
        sink_.EndResultSet();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
        CountRows(rows, RowCountOf::ResultSet);
    }
}

// An identity numbered other than 1, 2, 3 ...: SQLite hands out the next row
// ids, which are then moved to the seed and increment the table declared.
struct Executor::IdentityNumbering {
    std::string table;   // quoted and qualified
    std::string storage; // the SQLite table's name
    std::string schema;
    std::string column;
    int64_t increment = 1;
    int64_t highest = 0; // the largest row id before the statement
    int64_t last = 0;    // the last identity value handed out
};

std::optional<Executor::IdentityNumbering> Executor::IdentityNumberingFor(const Translation& t)
{
    if (!t.isInsert || t.targetName.empty())
        return std::nullopt;
    if (t.targetName[0] == '#')
        return TemporaryIdentityNumbering(t);
    const std::string database = ResolveDatabase(t.targetDatabase);
    Catalog catalog(s_.db, database);
    const int64_t id = catalog.Resolve(t.targetOwner, t.targetName, "U ", CallerUid(catalog));
    if (!id || s_.options.identityInsert == executor_detail::LowerText(t.targetName))
        return std::nullopt;
    SqliteStatement options(s_.db, "SELECT name, value FROM " + catalog.Table("tw_tableoptions") +
                                       " WHERE id = ? AND name LIKE 'identity %'");
    options.Bind(1, id);
    IdentityNumbering n;
    int64_t seed = 1;
    bool custom = false;
    while (options.Step()) {
        custom = true;
        (options.Text(0) == "identity seed" ? seed : n.increment) = options.Int(1);
    }
    if (!custom)
        return std::nullopt;
    for (const CatalogColumn& c : catalog.Columns(id))
        if (c.identity)
            n.column = c.name;
    n.schema = database;
    n.storage = catalog.StorageName(id);
    n.table = Translator::Quote(database) + "." + Translator::Quote(n.storage);
    SqliteStatement sequence(s_.db, "SELECT seq FROM " + Translator::Quote(database) + ".sqlite_sequence WHERE name = ?");
    sequence.Bind(1, n.storage);
    const bool used = sequence.Step();
    const int64_t seq = used ? sequence.Int(0) : 0;
    n.last = used ? seq : seed - n.increment;
    n.highest = std::max(seq, SqliteStatement::QueryInt(s_.db, "SELECT max(rowid) FROM " + n.table, 0));
    return n;
}

std::optional<Executor::IdentityNumbering> Executor::TemporaryIdentityNumbering(const Translation& t)
{
    const std::string lower = executor_detail::LowerText(t.targetName);
    const auto found = s_.options.temporaryIdentities.find(lower);
    if (found == s_.options.temporaryIdentities.end() || s_.options.identityInsert == lower)
        return std::nullopt;
    IdentityNumbering n;
    n.column = found->second.column;
    n.increment = found->second.increment;
    n.schema = "temp";
    n.storage = t.targetName;
    n.table = "temp." + Translator::Quote(n.storage);
    int64_t seq = 0;
    bool used = false;
    try {
        SqliteStatement sequence(s_.db, "SELECT seq FROM temp.sqlite_sequence WHERE name = ?");
        sequence.Bind(1, n.storage);
        used = sequence.Step();
        seq = used ? sequence.Int(0) : 0;
    } catch (const SqlError&) {
        // No temporary table has taken a row yet.
    }
    n.last = used ? seq : found->second.seed - n.increment;
    n.highest = std::max(seq, SqliteStatement::QueryInt(s_.db, "SELECT max(rowid) FROM " + n.table, 0));
    return n;
}

void Executor::RenumberIdentity(const IdentityNumbering& n, int64_t inserted, bool captured)
{
    // Through a far-off range first, so that no moved row meets one still waiting.
    const std::string offset = "4611686018427387904";
    const std::string highest = std::to_string(n.highest);
    const std::string last = std::to_string(n.last);
    const std::string increment = std::to_string(n.increment);
    SqliteStatement::Exec(s_.db, "UPDATE " + n.table + " SET rowid = rowid + " + offset + " WHERE rowid > " + highest);
    SqliteStatement::Exec(s_.db, "UPDATE " + n.table + " SET rowid = " + last + " + (rowid - " + offset + " - " +
                                     highest + ") * " + increment + " WHERE rowid > " + offset + " + " + highest);
    if (captured) {
        const std::string column = Translator::Quote(n.column);
        SqliteStatement::Exec(s_.db, "UPDATE temp.tw_inserted SET " + column + " = " + last + " + (" + column + " - " +
                                         highest + ") * " + increment + " WHERE " + column + " > " + highest);
    }
    const int64_t newLast = n.last + inserted * n.increment;
    SqliteStatement seq(s_.db, "UPDATE " + Translator::Quote(n.schema) + ".sqlite_sequence SET seq = ? WHERE name = ?");
    seq.Bind(1, newLast).Bind(2, n.storage).Step();
    s_.lastIdentity = newLast;
}

bool Executor::InsertsIntoIdentity(const Translation& t)
{
    if (t.targetName.empty())
        return false;
    std::string schema = "temp";
    std::string storage = t.targetName;
    if (t.targetName[0] != '#') {
        schema = ResolveDatabase(t.targetDatabase);
        Catalog catalog(s_.db, schema);
        const int64_t id = catalog.Resolve(t.targetOwner, t.targetName, "U ", CallerUid(catalog));
        if (!id)
            return false;
        storage = catalog.StorageName(id);
    }
    // Identity columns are SQLite's AUTOINCREMENT keys, which keep a row in
    // sqlite_sequence (from their first insert on, so asked after an insert).
    const std::string key = "identity\x1f" + schema + "\x1f" + storage;
    if (const std::vector<int64_t>* known = Catalog::LookupMemo::Recall(key))
        return !known->empty() && known->front() != 0;
    try {
        SqliteStatement find(s_.db, "SELECT 1 FROM " + Translator::Quote(schema) + ".sqlite_sequence WHERE name = ?");
        find.Bind(1, storage);
        const bool found = find.Step();
        Catalog::LookupMemo::Remember(key, {found ? 1 : 0});
        return found;
    } catch (const SqlError&) {
        return false; // a schema without AUTOINCREMENT tables has no sqlite_sequence
    }
}

int64_t Executor::RunChange(const Translation& t)
{
    const std::optional<IdentityNumbering> numbering = IdentityNumberingFor(t);
    bool capturing = false;
    auto step = [&] {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(s_.db, t.sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(s_.db);
            sqlite3_finalize(stmt);
            throw ErrorMapper::FromSqlite(s_.db, message, &spellings_);
        }
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
        Bind(stmt, t.variables);
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db), &spellings_);
        const int64_t changed = sqlite3_changes64(s_.db);
        if (t.isInsert && changed > 0) {
            // Only a table with an identity column gives @@IDENTITY a value; others leave it NULL.
            s_.lastIdentity = InsertsIntoIdentity(t) ? sqlite3_last_insert_rowid(s_.db) : SessionState::kNoIdentity;
            if (numbering)
                RenumberIdentity(*numbering, changed, capturing);
        }
        return changed;
    };
    const std::string event = t.isInsert ? "INSERT" : t.sql.rfind("UPDATE", 0) == 0 ? "UPDATE" : "DELETE";
    std::vector<int64_t> triggers;
    std::string database;
    std::string storage = t.targetName;
    if (!t.targetName.empty() && t.targetName[0] != '#') {
        database = ResolveDatabase(t.targetDatabase);
        Catalog catalog(s_.db, database);
        const int64_t table = catalog.Resolve(t.targetOwner, t.targetName, "U ", CallerUid(catalog));
        if (table) {
            storage = catalog.StorageName(table);
            const std::string key = "triggers\x1f" + database + "\x1f" + std::to_string(table) + "\x1f" + event;
            if (const std::vector<int64_t>* known = Catalog::LookupMemo::Recall(key)) {
                triggers = *known;
            } else {
                SqliteStatement find(s_.db, "SELECT id FROM " + catalog.Table("tw_objects") +
                                                " WHERE parent_obj = ? AND xtype = 'TR' ORDER BY id");
                find.Bind(1, table);
                while (find.Step()) {
                    const int64_t id = find.Int(0);
                    std::vector<Token> tokens = Lexer(catalog.Text(id), true).Tokenize();
                    const ModuleDefinition def = ModuleDefinition::Parse(tokens, catalog.Text(id));
                    if (std::find(def.triggerEvents.begin(), def.triggerEvents.end(), event) !=
                        def.triggerEvents.end())
                        triggers.push_back(id);
                }
                Catalog::LookupMemo::Remember(key, triggers);
            }
        }
    }
    if (triggers.empty())
        return step();

    // The statement and its triggers are one transaction, as on SQL Server.
    const bool ownTransaction = s_.tranCount == 0;
    if (ownTransaction) {
        SqliteStatement::Exec(s_.db, "BEGIN");
        s_.tranCount = 1;
    }
    const std::string table = Translator::Quote(database) + "." + Translator::Quote(storage);
    std::string newValues, oldValues;
    {
        SqliteStatement info(s_.db, "SELECT name FROM pragma_table_info(?, ?)");
        info.Bind(1, storage).Bind(2, database);
        while (info.Step()) {
            newValues += std::string(newValues.empty() ? "" : ", ") + "NEW." + Translator::Quote(info.Text(0));
            oldValues += std::string(oldValues.empty() ? "" : ", ") + "OLD." + Translator::Quote(info.Text(0));
        }
    }
    auto dropCapture = [&] {
        sqlite3_exec(s_.db, "DROP TRIGGER IF EXISTS temp.tw_capture", nullptr, nullptr, nullptr);
    };
    try {
        SqliteStatement::Exec(s_.db, "DROP TABLE IF EXISTS temp.tw_inserted; DROP TABLE IF EXISTS temp.tw_deleted; "
                                     "CREATE TEMP TABLE tw_inserted AS SELECT * FROM " + table + " WHERE 0; "
                                     "CREATE TEMP TABLE tw_deleted AS SELECT * FROM " + table + " WHERE 0");
        std::string body;
        if (event != "DELETE")
            body += "INSERT INTO tw_inserted VALUES (" + newValues + "); ";
        if (event != "INSERT")
            body += "INSERT INTO tw_deleted VALUES (" + oldValues + "); ";
        dropCapture();
        SqliteStatement::Exec(s_.db, "CREATE TEMP TRIGGER tw_capture AFTER " + event + " ON " + table + " BEGIN " +
                                         body + "END");
        capturing = true;
        const int64_t changed = step();
        dropCapture();
        FireTriggers(database, triggers);
        if (s_.tranCount == 0)
            throw SqlError(3609, 16, "The transaction ended in the trigger. The batch has been aborted.",
                           SqlError::Scope::Batch);
        if (ownTransaction) {
            SqliteStatement::Exec(s_.db, "COMMIT");
            s_.tranCount = 0;
        }
        return changed;
    } catch (...) {
        dropCapture();
        if (ownTransaction && s_.tranCount > 0) {
            sqlite3_exec(s_.db, "ROLLBACK", nullptr, nullptr, nullptr);
            s_.tranCount = 0;
        }
        throw;
    }
}

void Executor::FireTriggers(const std::string& database, const std::vector<int64_t>& triggers)
{
    Catalog catalog(s_.db, database);
    for (int64_t id : triggers) {
        if (s_.nestLevel >= 32)
            throw SqlError(217, 16, "Maximum stored procedure, function, trigger, or view nesting level exceeded "
                                    "(limit 32).", SqlError::Scope::Batch);
        Executor inner(s_, sink_);
        inner.text_ = catalog.Text(id);
        inner.tokens_ = Lexer(inner.text_, true).Tokenize();
        inner.procedure_ = catalog.ObjectName(id);
        inner.inTrigger_ = true;
        inner.moduleDatabase_ = database;
        inner.moduleOwnerUid_ = catalog.ObjectUid(id);
        const ModuleDefinition def = ModuleDefinition::Parse(inner.tokens_, inner.text_);
        Parser parser(inner.tokens_, inner.text_);
        std::vector<ParsedStatement> body = parser.ParseFrom(def.bodyStart);
        s_.frames.push_back({});
        const executor_detail::OptionsScope options(s_);
        const Catalog::LookupMemo::Suspension fresh;
        ++s_.nestLevel;
        try {
            inner.RunList(body);
        } catch (const BatchAbort&) {
        } catch (...) {
            --s_.nestLevel;
            s_.frames.pop_back();
            throw;
        }
        --s_.nestLevel;
        s_.frames.pop_back();
        if (inner.hadError_)
            hadError_ = true;
        if (s_.tranCount == 0)
            return;
    }
}

void Executor::StreamQuery(const std::string& sql, const std::vector<Value>& params, const std::vector<TypeSpec>& types)
{
    const auto guard = PrepareBound(sql, {});
    sqlite3_stmt* stmt = guard.get();
    for (size_t i = 0; i < params.size(); ++i) {
        const Value& v = params[i];
        const int index = static_cast<int>(i) + 1;
        switch (v.kind) {
        case ValueKind::Null: sqlite3_bind_null(stmt, index); break;
        case ValueKind::Int: sqlite3_bind_int64(stmt, index, v.integer); break;
        case ValueKind::Float: sqlite3_bind_double(stmt, index, v.real); break;
        default: sqlite3_bind_text(stmt, index, v.text.data(), static_cast<int>(v.text.size()), SQLITE_TRANSIENT);
        }
    }
    const int count = sqlite3_column_count(stmt);
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db));
    std::vector<ColumnInfo> columns(count);
    std::vector<TypeSpec> columnTypes(count);
    for (int i = 0; i < count; ++i) {
        TypeSpec type = i < static_cast<int>(types.size()) ? types[i] : TypeSpec{};
        if (!type.IsKnown())
            type = rc == SQLITE_ROW ? executor_detail::TypeOfValue(stmt, i) : TypeSpec{"varchar", 8000};
        columnTypes[i] = type;
        columns[i].name = sqlite3_column_name(stmt, i);
        columns[i].typeName = type.name == "sysname" ? "nvarchar" : type.name;
        columns[i].size = type.StorageLength();
        columns[i].precision = static_cast<uint8_t>(std::min(type.Precision(), 255));
        columns[i].scale = static_cast<uint8_t>(type.Scale());
    }
    sink_.BeginResultSet(columns);
    int64_t rows = 0;
    while (rc == SQLITE_ROW) {
        Row row(count);
        for (int i = 0; i < count; ++i)
            row[i] = executor_detail::TypedValue(stmt, i, columnTypes[i]);
        ++rows;
        if (!sink_.RowFetched(row))
            break;
        rc = sqlite3_step(stmt);
    }
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        sink_.RowsFailed();
    sink_.EndResultSet();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw ErrorMapper::FromSqlite(s_.db, sqlite3_errmsg(s_.db));
    CountRows(rows, RowCountOf::ResultSet);
}

void Executor::SendResult(const std::vector<ColumnInfo>& columns, const std::vector<Row>& rows)
{
    sink_.BeginResultSet(columns);
    for (const Row& row : rows)
        if (!sink_.RowFetched(row))
            break;
    sink_.EndResultSet();
    CountRows(static_cast<int64_t>(rows.size()), RowCountOf::ResultSet);
}

// A cursor that is not LOCAL is GLOBAL, as in a database whose default is global cursors.
void Executor::RunDeclareCursor(const ParsedStatement& st)
{
    const auto has = [&](const char* word) { return std::find(st.words.begin(), st.words.end(), word) != st.words.end(); };
    std::map<std::string, Cursor>& scope = has("LOCAL") ? localCursors_ : s_.cursors;
    const std::string key = executor_detail::LowerText(st.target);
    if (scope.count(key))
        throw SqlError(16915, 16, "A cursor with the name '" + st.target + "' already exists.");
    Cursor cursor;
    const size_t end = Translator(tokens_, text_, nullptr).Statement(st.exprBegin).end;
    cursor.query = text_.substr(tokens_[st.exprBegin].offset, tokens_[end - 1].offset + tokens_[end - 1].length -
                                                                  tokens_[st.exprBegin].offset);
    const bool forwardOnly = has("FORWARD_ONLY") || has("FAST_FORWARD");
    cursor.scroll = !forwardOnly && (has("SCROLL") || has("STATIC"));
    scope[key] = std::move(cursor);
}

Cursor& Executor::FindCursor(const std::string& name, bool global)
{
    const std::string key = executor_detail::LowerText(name);
    if (!global)
        if (auto local = localCursors_.find(key); local != localCursors_.end())
            return local->second;
    if (auto found = s_.cursors.find(key); found != s_.cursors.end())
        return found->second;
    throw SqlError(16916, 16, "A cursor with the name '" + name + "' does not exist.");
}

void Executor::RunCursorStatement(const ParsedStatement& st)
{
    const bool global = st.words[0] == "GLOBAL";
    Cursor& cursor = FindCursor(st.target, global);
    if (st.kind == StatementKind::DeallocateCursor) {
        const std::string key = executor_detail::LowerText(st.target);
        if (!global && localCursors_.erase(key))
            return;
        s_.cursors.erase(key);
        return;
    }
    if (st.kind == StatementKind::OpenCursor) {
        if (cursor.open)
            throw SqlError(16905, 16, "The cursor is already open.");
        // The query runs as its own batch on this session, so it sees the variables in scope.
        BufferedSink rows;
        Executor reader(s_, rows);
        reader.moduleDatabase_ = moduleDatabase_;
        reader.moduleOwnerUid_ = moduleOwnerUid_;
        reader.tableVariables_ = tableVariables_; // lent, not the reader's to drop
        reader.RunBatch(cursor.query);
        reader.tableVariables_.clear();
        if (const Message* error = rows.FirstError())
            throw SqlError(error->number, error->severity, error->text);
        cursor.columns = rows.resultSets.empty() ? std::vector<ColumnInfo>{} : rows.resultSets[0].columns;
        cursor.rows = rows.resultSets.empty() ? std::vector<Row>{} : std::move(rows.resultSets[0].rows);
        cursor.position = -1;
        cursor.open = true;
        s_.cursorRows = static_cast<int64_t>(cursor.rows.size());
        return;
    }
    if (!cursor.open)
        throw SqlError(16917, 16, "Cursor is not open.");
    if (st.kind == StatementKind::CloseCursor) {
        cursor.open = false;
        cursor.rows.clear();
        return;
    }
    RunFetch(cursor, st);
}

void Executor::RunFetch(Cursor& cursor, const ParsedStatement& st)
{
    const std::string& direction = st.words[1];
    if (direction != "NEXT" && !cursor.scroll)
        throw SqlError(16911, 16, "fetch: The fetch type " + executor_detail::LowerText(direction) +
                                      " cannot be used with forward only cursors.");
    const std::vector<std::string> into(st.words.begin() + 2, st.words.end());
    if (!into.empty() && into.size() != cursor.columns.size())
        throw SqlError(16924, 16, "Cursorfetch: The number of variables declared in the INTO list must match that "
                                  "of selected columns.");
    const int64_t count = static_cast<int64_t>(cursor.rows.size());
    int64_t at = cursor.position;
    if (direction == "NEXT")
        at = at + 1;
    else if (direction == "PRIOR")
        at = at - 1;
    else if (direction == "FIRST")
        at = 0;
    else if (direction == "LAST")
        at = count - 1;
    else {
        const Value n = Evaluate(st.exprBegin, TypeSpec{"int"});
        if (n.IsNull() || n.kind != ValueKind::Int)
            throw SqlError(16902, 16, "FETCH: The row number must be an integer.");
        if (direction == "RELATIVE")
            at = at + n.integer;
        else
            at = n.integer > 0 ? n.integer - 1 : n.integer < 0 ? count + n.integer : -1;
    }
    const bool found = at >= 0 && at < count;
    cursor.position = found ? at : at < 0 ? -1 : count;
    s_.fetchStatus = found ? 0 : -1;
    if (into.empty()) {
        SendResult(cursor.columns, found ? std::vector<Row>{cursor.rows[static_cast<size_t>(at)]} : std::vector<Row>{});
        return;
    }
    if (!found)
        return;
    const Row& row = cursor.rows[static_cast<size_t>(at)];
    for (size_t i = 0; i < into.size(); ++i)
        Assign(into[i], row[i]);
}

void Executor::ShowPlan(const ParsedStatement& st)
{
    const Token& last = tokens_[st.end > st.begin ? st.end - 1 : st.begin];
    const std::string text = text_.substr(tokens_[st.begin].offset, last.offset + last.length - tokens_[st.begin].offset);
    ColumnInfo column{"StmtText", "nvarchar", 8000, 0, 0, true};
    SendResult({column}, {{Value::String(text)}});
    if (st.kind != StatementKind::Query)
        return;
    Translator translator(tokens_, text_, this);
    Translation t = translator.Statement(st.begin);
    SqliteStatement plan(s_.db, "EXPLAIN QUERY PLAN " + t.sql);
    std::vector<Row> rows;
    while (plan.Step())
        rows.push_back({Value::String("  |--" + plan.Text(3))});
    SendResult({column}, rows);
}

// --- procedures and functions --------------------------------------------------------------

Value Executor::ArgumentValue(const ExecArgument& a)
{
    if (a.isDefault)
        return Value::Null();
    const Token& t = tokens_[a.token];
    switch (t.kind) {
    case TokenKind::Number:
        if (t.text.find_first_of(".eE") == std::string::npos)
            return Value::Int(std::stoll(t.text));
        return Value::Float(std::stod(t.text));
    case TokenKind::String: return Value::String(t.text);
    case TokenKind::Variable: {
        Variable* v = s_.FindVariable(executor_detail::LowerText(t.text));
        if (!v)
            throw SqlError(137, 15, "Must declare the scalar variable \"" + t.text + "\".", SqlError::Scope::Batch, 2);
        return v->value;
    }
    case TokenKind::Operator: {
        const Token& n = tokens_[a.token + 1];
        const bool negative = t.IsOp("-");
        if (n.text.find_first_of(".eE") == std::string::npos)
            return Value::Int(negative ? -std::stoll(n.text) : std::stoll(n.text));
        return Value::Float(negative ? -std::stod(n.text) : std::stod(n.text));
    }
    case TokenKind::Binary: return Value::Binary(t.text);
    default:
        if (t.Is("NULL"))
            return Value::Null();
        return Value::String(t.text);
    }
}

void Executor::RunExec(const ParsedStatement& st)
{
    const ObjectName name = ObjectName::Parse(st.target);
    const std::string lower = executor_detail::LowerText(name.name);
    std::vector<std::pair<std::string, Value>> args;
    for (const ExecArgument& a : st.arguments)
        args.emplace_back(a.name, a.isDefault ? DefaultArgument() : ArgumentValue(a));
    BeginImplicitTransaction(false);

    int status = 0;
    std::map<std::string, Value> outputs;
    if (SystemProcedures::Has(lower) && name.server.empty()) {
        if (!name.database.empty())
            ResolveDatabase(name.database);
        status = SystemProcedures(*this).Run(lower, args, st.arguments);
    } else if (SecurityProcedures::Has(lower) && name.server.empty()) {
        if (!name.database.empty())
            ResolveDatabase(name.database);
        BeginImplicitTransaction(true);
        status = SecurityProcedures(*this).Run(lower, args);
    } else {
        const std::string db = ResolveDatabase(name.database);
        Catalog catalog(s_.db, db);
        const int64_t id = catalog.Resolve(name.owner, name.name, "P X ", CallerUid(catalog));
        if (!id)
            throw SqlError::NoProcedure(st.target);
        if (catalog.ObjectType(id) == "X ")
            RefuseExtendedProcedure(catalog, id);
        status = RunProcedure(db, id, name.name, args, &outputs);
        for (size_t i = 0; i < st.arguments.size(); ++i) {
            const ExecArgument& a = st.arguments[i];
            if (!a.output || tokens_[a.token].kind != TokenKind::Variable)
                continue;
            // Outputs come back by parameter: by name, or by position.
            std::string param = a.name;
            if (param.empty()) {
                auto it = outputs.find("#" + std::to_string(i));
                if (it == outputs.end())
                    continue;
                param = it->second.text;
            }
            auto value = outputs.find(param);
            if (value == outputs.end())
                continue;
            Assign(executor_detail::LowerText(tokens_[a.token].text), value->second);
            if (s_.nestLevel == 0)
                sink_.OutputParameter(param, value->second);
        }
    }
    if (!st.returnVariable.empty())
        Assign(st.returnVariable, Value::Int(status));
    if (s_.nestLevel == 0)
        sink_.ReturnStatus(status);
}

// No library can be loaded into this server, so an extended procedure fails
// as one whose library is missing does.
void Executor::RefuseExtendedProcedure(const Catalog& catalog, int64_t id)
{
    throw SqlError(17750, 16, "Could not load the DLL " + catalog.Text(id) +
                                  ", or one of the DLLs it references. Reason: 126(The specified module could not "
                                  "be found.).");
}

int Executor::RunProcedure(const std::string& database, int64_t id, const std::string& name,
                           const std::vector<std::pair<std::string, Value>>& args,
                           std::map<std::string, Value>* outputs)
{
    if (s_.nestLevel >= 32)
        throw SqlError(217, 16, "Maximum stored procedure, function, trigger, or view nesting level exceeded "
                                "(limit 32).", SqlError::Scope::Batch);
    Catalog catalog(s_.db, database);
    const std::string text = catalog.Text(id);
    Executor inner(s_, sink_);
    inner.text_ = text;
    inner.tokens_ = Lexer(inner.text_, true).Tokenize();
    inner.procedure_ = catalog.ObjectName(id);
    inner.moduleDatabase_ = database;
    inner.moduleOwnerUid_ = catalog.ObjectUid(id);
    const ModuleDefinition def = executor_detail::ParseModule(inner.tokens_, inner.text_, catalog);

    std::map<std::string, Variable> frame;
    std::vector<bool> supplied(def.parameters.size(), false);
    size_t position = 0;
    for (const auto& [argName, value] : args) {
        size_t index = def.parameters.size();
        if (argName.empty()) {
            index = position++;
            if (index >= def.parameters.size())
                throw SqlError(8144, 16, "Procedure or function " + name + " has too many arguments specified.");
        } else {
            for (size_t k = 0; k < def.parameters.size(); ++k)
                if (def.parameters[k].name == argName)
                    index = k;
            if (index == def.parameters.size())
                throw SqlError(8145, 16, argName + " is not a parameter for procedure " + name + ".");
        }
        const ModuleParameter& p = def.parameters[index];
        if (IsDefaultArgument(value))
            continue;
        frame[p.name] = Variable{p.type, value};
        supplied[index] = true;
        if (argName.empty() && p.output)
            (*outputs)["#" + std::to_string(index)] = Value::String(p.name);
    }
    for (size_t k = 0; k < def.parameters.size(); ++k) {
        const ModuleParameter& p = def.parameters[k];
        if (supplied[k])
            continue;
        if (!p.hasDefault)
            throw SqlError(201, 16, "Procedure '" + name + "' expects parameter '" + p.spelling +
                                        "', which was not supplied.", SqlError::Scope::Statement, 4);
        frame[p.name] = Variable{p.type, p.defaultValue};
    }
    // Arguments take the parameter's type, as SQL Server converts them.
    s_.frames.push_back({});
    for (auto& [pname, variable] : frame) {
        s_.frames.back()[pname] = Variable{variable.type, Value::Null()};
        inner.Assign(pname, variable.value);
    }
    const std::string savedDatabase = s_.database;
    const executor_detail::OptionsScope options(s_);
    const Catalog::LookupMemo::Suspension fresh;
    s_.SetDatabase(database);
    ++s_.nestLevel;
    int status = 0;
    try {
        Parser parser(inner.tokens_, inner.text_);
        std::vector<ParsedStatement> body = parser.ParseFrom(def.bodyStart);
        try {
            inner.RunList(body);
            status = inner.returnValue_;
        } catch (const BatchAbort&) {
            status = -6;
        }
    } catch (...) {
        --s_.nestLevel;
        s_.SetDatabase(savedDatabase);
        s_.frames.pop_back();
        throw;
    }
    --s_.nestLevel;
    s_.SetDatabase(savedDatabase);
    for (const ModuleParameter& p : def.parameters)
        if (p.output)
            (*outputs)[p.name] = s_.frames.back()[p.name].value;
    s_.frames.pop_back();
    if (inner.hadError_) {
        hadError_ = true;
        if (s_.cancelled)
            throw BatchAbort{};
    }
    return status;
}

Value Executor::CallFunction(const std::string& spelled, const std::vector<Value>& args)
{
    const ObjectName name = ObjectName::Parse(spelled);
    const std::string db = ResolveDatabase(name.database);
    Catalog catalog(s_.db, db);
    const int64_t id = catalog.Resolve(name.owner, name.name, "FN", CallerUid(catalog));
    if (!id)
        throw SqlError(4121, 16, "Cannot find either column \"" + (name.owner.empty() ? "dbo" : name.owner) +
                                     "\" or the user-defined function or aggregate \"" + spelled +
                                     "\", or the name is ambiguous.");
    if (s_.nestLevel >= 32)
        throw SqlError(217, 16, "Maximum stored procedure, function, trigger, or view nesting level exceeded "
                                "(limit 32).");
    const Catalog::LookupMemo::Suspension fresh;
    // A function runs inside SQLite's call: its errors return through SQLite
    // to the statement (and from there to a CATCH), never past SQLite's frames.
    struct TryDepthRestore {
        SessionState& s;
        int depth;
        ~TryDepthRestore() { s.tryDepth = depth; }
    } tryDepthRestore{s_, s_.tryDepth};
    s_.tryDepth = 0;
    Executor inner(s_, sink_);
    inner.text_ = catalog.Text(id);
    inner.tokens_ = Lexer(inner.text_, true).Tokenize();
    inner.procedure_ = name.name;
    inner.moduleDatabase_ = db;
    inner.moduleOwnerUid_ = catalog.ObjectUid(id);
    const ModuleDefinition def = executor_detail::ParseModule(inner.tokens_, inner.text_, catalog);
    if (args.size() != def.parameters.size())
        throw SqlError(313, 16, "An insufficient number of arguments were supplied for the procedure or function " +
                                    spelled + ".");
    s_.frames.push_back({});
    for (size_t i = 0; i < args.size(); ++i) {
        s_.frames.back()[def.parameters[i].name] = Variable{def.parameters[i].type, Value::Null()};
        inner.Assign(def.parameters[i].name, args[i]);
    }
    ++s_.nestLevel;
    // A function's RETURN carries a value: keep it in a variable of the frame.
    Value result;
    try {
        Parser parser(inner.tokens_, inner.text_);
        std::vector<ParsedStatement> body = parser.ParseFrom(def.bodyStart);
        std::function<bool(const std::vector<ParsedStatement>&)> run;
        inner.returnValue_ = 0;
        s_.frames.back()["@@return"] = Variable{def.returns, Value::Null()};
        // Run statement by statement so that RETURN's expression is evaluated in the function's frame.
        std::function<bool(const std::vector<ParsedStatement>&)> walk = [&](const std::vector<ParsedStatement>& list) {
            for (const ParsedStatement& st : list) {
                if (st.kind == StatementKind::Return) {
                    if (st.exprBegin)
                        result = inner.Evaluate(st.exprBegin, def.returns);
                    return true;
                }
                if (st.kind == StatementKind::Block) {
                    if (walk(st.body))
                        return true;
                    continue;
                }
                if (st.kind == StatementKind::If) {
                    if (inner.Condition(st.exprBegin) ? walk(st.body) : walk(st.elseBody))
                        return true;
                    continue;
                }
                if (st.kind == StatementKind::Query || st.kind == StatementKind::Exec || st.kind == StatementKind::Print)
                    throw SqlError(443, 16, "Invalid use of side-effecting or time-dependent operator in a function.");
                inner.Run(st);
            }
            return false;
        };
        walk(body);
    } catch (...) {
        --s_.nestLevel;
        s_.frames.pop_back();
        throw;
    }
    --s_.nestLevel;
    s_.frames.pop_back();
    return result;
}

void Executor::RunExecString(const ParsedStatement& st)
{
    const Value text = Evaluate(st.exprBegin, TypeSpec{"nvarchar", TypeSpec::kMax});
    // A batch run by EXEC is one nesting level, as a procedure is.
    if (s_.nestLevel >= 32)
        throw SqlError(217, 16, "Maximum stored procedure, function, trigger, or view nesting level exceeded "
                                "(limit 32).", SqlError::Scope::Batch);
    Executor inner(s_, sink_);
    const executor_detail::OptionsScope options(s_);
    const Catalog::LookupMemo::Suspension fresh;
    s_.frames.push_back({});
    ++s_.nestLevel;
    try {
        inner.RunBatch(text.IsNull() ? "" : text.text);
    } catch (...) {
        --s_.nestLevel;
        s_.frames.pop_back();
        throw;
    }
    --s_.nestLevel;
    s_.frames.pop_back();
    if (inner.hadError_)
        hadError_ = true;
}

// --- DDL -------------------------------------------------------------------------------------

void Executor::RunCreateModule(const ParsedStatement& st)
{
    const std::string kind = st.words[0];
    const bool alter = st.words.size() > 1 && st.words.back() == "ALTER";
    const ObjectName name = ObjectName::Parse(st.target);
    if (!name.database.empty())
        throw SqlError(166, 15, "'CREATE/ALTER " + kind + "' does not allow specifying the database name as a "
                                "prefix to the object name.");
    Catalog catalog(s_.db, s_.database);
    const ModuleDefinition def = executor_detail::ParseModule(
        std::vector<Token>(tokens_.begin() + st.begin, tokens_.end()), text_, catalog);
    if (kind == "FUNCTION" && def.multiStatementTable)
        throw SqlError::NotSupported("Multi-statement table-valued functions");
    const int uid = OwnerUid(catalog, name.owner);
    const int64_t existing = catalog.Resolve(catalog.UserName(uid), name.name);
    const std::string storage = catalog.StorageName(uid, name.name);
    if (existing && !alter)
        throw SqlError(2714, 16, "There is already an object named '" + name.name + "' in the database.",
                       SqlError::Scope::Statement, 6);
    if (!existing && alter)
        throw SqlError::InvalidObject(name.name);
    BeginImplicitTransaction(true);

    std::string text = text_.substr(tokens_[st.begin].offset);
    if (alter)
        text.replace(0, 5, "CREATE");

    SqliteStatement::Exec(s_.db, "SAVEPOINT tw_ddl");
    try {
        int64_t parent = 0;
        if (kind == "TRIGGER") {
            parent = catalog.Resolve(def.triggerOwner, def.triggerTable, "U ", CallerUid(catalog));
            if (!parent)
                throw SqlError(8197, 16, "The object '" + def.triggerTable + "' does not exist or is invalid for "
                                         "this operation.");
        }
        std::string xtype = kind == "PROCEDURE" ? Catalog::kProcedure : kind == "VIEW" ? Catalog::kView
                          : kind == "TRIGGER" ? Catalog::kTrigger : kind == "DEFAULT" ? Catalog::kDefault
                          : kind == "RULE" ? Catalog::kRule
                          : def.returnsTable ? Catalog::kInlineFunction : Catalog::kScalarFunction;
        int64_t id = existing;
        if (existing) {
            const std::string oldType = catalog.ObjectType(existing);
            if (oldType == Catalog::kView)
                SqliteStatement::Exec(s_.db, "DROP VIEW " + catalog.Table(Translator::Quote(storage)));
            SqliteStatement del(s_.db, "DELETE FROM " + catalog.Table("tw_columns") + " WHERE id = ?");
            del.Bind(1, existing).Step();
            SqliteStatement dep(s_.db, "DELETE FROM " + catalog.Table("tw_depends") + " WHERE id = ?");
            dep.Bind(1, existing).Step();
        } else {
            id = catalog.AddObject(name.name, xtype, parent, kind == "TRIGGER" ? catalog.ObjectUid(parent) : uid);
        }
        std::vector<int64_t> dependencies;
        if (kind == "VIEW") {
            Translator translator(tokens_, text_, this);
            unqualifiedNames_ = true;
            dependencies_ = &dependencies;
            Translation t;
            try {
                t = translator.Statement(st.begin + def.bodyStart);
            } catch (...) {
                unqualifiedNames_ = false;
                dependencies_ = nullptr;
                throw;
            }
            unqualifiedNames_ = false;
            dependencies_ = nullptr;
            if (!t.returnsRows)
                throw SqlError::Syntax(tokens_[st.begin + def.bodyStart].text, true);
            SqliteStatement::Exec(s_.db, "CREATE VIEW " + catalog.Table(Translator::Quote(storage)) + " AS " + t.sql);
            std::vector<CatalogColumn> columns;
            SqliteStatement info(s_.db, "SELECT name, type FROM pragma_table_info(?, ?)");
            info.Bind(1, storage).Bind(2, s_.database);
            int position = 0;
            while (info.Step()) {
                ++position;
                CatalogColumn c;
                c.name = info.Text(0);
                if (c.name.empty())
                    throw SqlError(4511, 16, "Create View or Function failed because no column name was specified "
                                             "for column " + std::to_string(position) + ".");
                c.type = TypeSpec::FromDeclared(info.Text(1));
                // A column computed by the view has the type its expression has, where that is known.
                const size_t index = static_cast<size_t>(position - 1);
                const TypeSpec computed = c.type.IsKnown() || !t.itemType ? TypeSpec{} : t.itemType(index);
                if (!c.type.IsKnown() && computed.IsSupported()) {
                    c.type = computed;
                    if (c.type.IsInteger())
                        c.type.precision = -1;
                    if ((c.type.IsCharacter() || c.type.IsBinary()) && c.type.length < 0 &&
                        c.type.length != TypeSpec::kMax && c.type.name != "text" && c.type.name != "ntext")
                        c.type.length = 8000;
                }
                if (!c.type.IsSupported()) {
                    c.type.name = "varchar";
                    c.type.length = 8000;
                }
                columns.push_back(c);
            }
            catalog.AddColumns(id, columns);
        } else {
            std::vector<CatalogColumn> parameters;
            for (const ModuleParameter& p : def.parameters) {
                CatalogColumn c;
                c.name = p.spelling;
                c.type = p.type;
                c.output = p.output;
                parameters.push_back(c);
            }
            catalog.AddColumns(id, parameters);
            // Objects the body names that exist now are its dependencies.
            for (size_t i = st.begin + def.bodyStart; i < tokens_.size(); ++i)
                if (tokens_[i].IsName() && !(i > 0 && tokens_[i - 1].IsOp("."))) {
                    std::string objectName = tokens_[i].text;
                    if (tokens_[i + 1].IsOp(".") && tokens_[i + 2].IsName())
                        objectName = tokens_[i + 2].text;
                    if (const int64_t dep = catalog.ObjectId(objectName, "U V P FNIF"))
                        if (dep != id)
                            dependencies.push_back(dep);
                }
        }
        std::sort(dependencies.begin(), dependencies.end());
        dependencies.erase(std::unique(dependencies.begin(), dependencies.end()), dependencies.end());
        for (int64_t dep : dependencies)
            catalog.AddDependency(id, dep);
        catalog.SetText(id, text);
        SqliteStatement::Exec(s_.db, "RELEASE tw_ddl");
    } catch (...) {
        sqlite3_exec(s_.db, "ROLLBACK TO tw_ddl; RELEASE tw_ddl", nullptr, nullptr, nullptr);
        throw;
    }
}

// A table variable's rows live in a temporary table whose name no batch can write.
std::string Executor::TableVariableStorage(const ParsedStatement& st)
{
    if (st.words.empty() || st.words[0] != "VARIABLE")
        return st.target;
    static std::atomic<int64_t> tables{0};
    if (tableVariables_.count(st.target))
        throw SqlError(134, 15, "The variable name '" + st.target + "' has already been declared. Variable names "
                                "must be unique within a query batch or stored procedure.", SqlError::Scope::Batch);
    const std::string storage = "[#tw_table " + std::to_string(++tables) + " " + st.target + "]";
    tableVariables_[st.target] = storage.substr(1, storage.size() - 2);
    return storage;
}

void Executor::RunCreateTable(const ParsedStatement& st)
{
    const ObjectName name = ObjectName::Parse(TableVariableStorage(st));
    if (!name.valid || name.name.empty())
        throw SqlError(1038, 15, "An object or column name is missing or empty. For SELECT INTO statements, verify "
                                 "each column has a column name. In other statements, look for empty alias names. "
                                 "Aliases defined as \"\" or [] are not allowed. Change the alias to a valid name.",
                       SqlError::Scope::Batch);
    const bool temporary = !name.name.empty() && name.name[0] == '#';
    const std::string db = temporary ? "temp" : ResolveDatabase(name.database);
    if (name.name.size() > 128)
        throw SqlError(103, 15, "The identifier that starts with '" + name.name.substr(0, 128) + "' is too long.");
    BeginImplicitTransaction(true);
    TableDefinition def = TableDefinition::Parse(tokens_, text_, st.exprBegin, this, name.name,
                                                 s_.options.ansiNullDefaultOn, false);
    if (temporary) {
        const std::string qualified = Translator::Quote(db) + "." + Translator::Quote(name.name);
        if (SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM temp.sqlite_master WHERE name = " +
                                                 Translator::Literal(name.name)) > 0)
            throw SqlError(2714, 16, "There is already an object named '" + name.name + "' in the database.",
                           SqlError::Scope::Statement, 6);
        SqliteStatement::Exec(s_.db, "CREATE TABLE " + qualified + " (" + def.SqliteBody() + ")");
        s_.options.temporaryIdentities.erase(executor_detail::LowerText(name.name));
        for (const ColumnDefinition& c : def.columns) {
            if (c.column.type.IsDateTime())
                NormaliseDates("temp", name.name, c.column);
            if (c.column.identity && (c.identitySeed != 1 || c.identityIncrement != 1))
                s_.options.temporaryIdentities[executor_detail::LowerText(name.name)] = {c.column.name, c.identitySeed,
                                                                                        c.identityIncrement};
        }
        return;
    }
    Catalog catalog(s_.db, db);
    const int uid = OwnerUid(catalog, name.owner);
    const std::string storage = catalog.StorageName(uid, name.name);
    const std::string qualified = Translator::Quote(db) + "." + Translator::Quote(storage);
    if (catalog.Resolve(catalog.UserName(uid), name.name))
        throw SqlError(2714, 16, "There is already an object named '" + name.name + "' in the database.",
                       SqlError::Scope::Statement, 6);
    SqliteStatement::Exec(s_.db, "SAVEPOINT tw_ddl");
    try {
        for (const ConstraintDefinition& c : def.constraints)
            if (c.kind == "F ") {
                const int64_t referenced = catalog.ObjectId(c.refTable, "U ");
                if (!referenced && executor_detail::LowerText(c.refTable) != executor_detail::LowerText(name.name))
                    throw SqlError(1767, 16, "Foreign key '" + c.name + "' references invalid table '" + c.refTable + "'.");
            }
        SqliteStatement::Exec(s_.db, "CREATE TABLE " + qualified + " (" + def.SqliteBody() + ")");
        const int64_t id = catalog.AddObject(name.name, Catalog::kTable, 0, uid);
        std::vector<CatalogColumn> columns;
        for (ColumnDefinition& c : def.columns) {
            if (!c.defaultName.empty()) {
                const int64_t defaultId = catalog.AddObject(c.defaultName, Catalog::kDefault, id, uid);
                catalog.SetText(defaultId, c.defaultText);
                c.column.defaultId = defaultId;
            }
            columns.push_back(c.column);
        }
        catalog.AddColumns(id, columns);
        for (const ColumnDefinition& c : def.columns) {
            if (c.column.type.IsDateTime())
                NormaliseDates(db, storage, c.column);
            // Other numbering than 1, 2, 3 ... is applied after each insert (see RunChange).
            if (c.column.identity && (c.identitySeed != 1 || c.identityIncrement != 1)) {
                SqliteStatement put(s_.db, "INSERT INTO " + catalog.Table("tw_tableoptions") + " VALUES (?, ?, ?)");
                put.Bind(1, id).Bind(2, std::string("identity seed")).Bind(3, c.identitySeed).Step();
                put.Reset();
                put.Bind(1, id).Bind(2, std::string("identity increment")).Bind(3, c.identityIncrement).Step();
            }
        }
        int nextIndex = 2;
        for (const ConstraintDefinition& c : def.constraints) {
            // A table's constraints belong to the table's owner.
            const int64_t constraintId = catalog.AddObject(c.name, c.kind, id, uid);
            std::vector<int> keys;
            for (const std::string& column : c.columns)
                keys.push_back(catalog.ColumnId(id, column));
            if (c.kind == "PK" || c.kind == "UQ") {
                const bool clustered = c.kind == "PK" ? c.clustered : c.clustered;
                catalog.AddIndex(id, clustered ? 1 : nextIndex++, c.name, true, clustered, keys, c.name);
            } else if (c.kind == "F ") {
                const int64_t referenced =
                    executor_detail::LowerText(c.refTable) == executor_detail::LowerText(name.name) ? id
                                                                                                   : catalog.ObjectId(c.refTable, "U ");
                std::vector<int> refKeys;
                for (const std::string& column : c.refColumns)
                    refKeys.push_back(catalog.ColumnId(referenced, column));
                catalog.AddReference(constraintId, id, referenced, keys, refKeys);
            } else if (c.kind == "C ") {
                catalog.SetText(constraintId, c.checkText);
            }
        }
        SqliteStatement::Exec(s_.db, "RELEASE tw_ddl");
    } catch (...) {
        sqlite3_exec(s_.db, "ROLLBACK TO tw_ddl; RELEASE tw_ddl", nullptr, nullptr, nullptr);
        throw;
    }
}

// Dates arrive in many spellings ('20240301', '3/1/2024 10:00'); the stored
// form is always the canonical one, so that dates compare and sort as dates.
void Executor::NormaliseDates(const std::string& db, const std::string& table, const CatalogColumn& column)
{
    const std::string quotedTable = Translator::Quote(table);
    const std::string col = Translator::Quote(column.name);
    const std::string canonical = "tw_convert(NEW." + col + ", " + Translator::Literal(column.type.Spelling()) + ", NULL)";
    const std::string when = " WHEN NEW." + col + " IS NOT NULL AND NEW." + col + " IS NOT " + canonical;
    const std::string action = " BEGIN UPDATE " + quotedTable + " SET " + col + " = " + canonical +
                               " WHERE rowid = NEW.rowid; END";
    const std::string prefix = Translator::Quote(db) + "." + Translator::Quote("tw_date_" + table + "_" + column.name);
    SqliteStatement::Exec(s_.db, "CREATE TRIGGER " + prefix.substr(0, prefix.size() - 1) + "_i\" AFTER INSERT ON " +
                                     quotedTable + when + action);
    SqliteStatement::Exec(s_.db, "CREATE TRIGGER " + prefix.substr(0, prefix.size() - 1) + "_u\" AFTER UPDATE OF " +
                                     col + " ON " + quotedTable + when + action);
}

void Executor::RunAlterTable(const ParsedStatement& st)
{
    const ObjectName name = ObjectName::Parse(st.target);
    const std::string db = ResolveDatabase(name.database);
    Catalog catalog(s_.db, db);
    const int64_t id = catalog.Resolve(name.owner, name.name, "U ", CallerUid(catalog));
    if (!id)
        throw SqlError(4902, 16, "Cannot find the object \"" + name.name + "\" because it does not exist or you do "
                                 "not have permissions.");
    BeginImplicitTransaction(true);
    const std::string storage = catalog.StorageName(id);
    const std::string table = Translator::Quote(db) + "." + Translator::Quote(storage);
    // A rebuilt table is dropped and made again: outside a transaction the foreign keys
    // are switched off meanwhile, so that dropping a parent neither fails nor cascades.
    const bool rebuildFree = sqlite3_get_autocommit(s_.db) != 0;
    if (rebuildFree)
        SqliteStatement::Exec(s_.db, "PRAGMA foreign_keys = OFF");
    struct ForeignKeysBack {
        sqlite3* db;
        bool on;
        ~ForeignKeysBack()
        {
            if (on)
                sqlite3_exec(db, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
        }
    } foreignKeysBack{s_.db, rebuildFree};
    const bool switching = st.words[0] == "CHECK" || st.words[0] == "NOCHECK";
    if (!rebuildFree && (st.words[0] == "ALTER" || switching || tokens_[st.exprBegin].Is("CONSTRAINT")) &&
        SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM " + catalog.Table("tw_references") + " WHERE rkeyid = " +
                                             std::to_string(id) + " AND fkeyid <> " + std::to_string(id)) > 0)
        throw SqlError::NotSupported("Changing constraints or columns of a table other tables refer to inside a "
                                     "transaction");
    SqliteStatement::Exec(s_.db, "SAVEPOINT tw_ddl");
    try {
        if (switching) {
            SwitchConstraints(catalog, id, name.name, st);
        } else if (st.words[0] == "ALTER") {
            AlterColumn(catalog, id, name.name, st.exprBegin);
        } else if (st.words[0] == "DROP" && tokens_[st.exprBegin].Is("CONSTRAINT")) {
            DropConstraint(catalog, id, name.name, st.exprBegin + 1);
        } else if (st.words[0] == "ADD" && (tokens_[st.exprBegin].Is("DEFAULT") ||
                                            (tokens_[st.exprBegin].Is("CONSTRAINT") &&
                                             tokens_[st.exprBegin + 2].Is("DEFAULT")))) {
            AddDefaultFor(catalog, id, name.name, st.exprBegin);
        } else if (st.words[0] == "DROP") {
            size_t i = st.exprBegin;
            do {
                const std::string column = tokens_[i].text;
                const int colid = catalog.ColumnId(id, column);
                if (!colid)
                    throw SqlError(4924, 16, "ALTER TABLE DROP COLUMN failed because column '" + column +
                                                 "' does not exist in table '" + name.name + "'.");
                for (const char* suffix : {"_i", "_u"})
                    SqliteStatement::Exec(s_.db, "DROP TRIGGER IF EXISTS " + Translator::Quote(db) + "." +
                                                     Translator::Quote("tw_date_" + storage + "_" + column + suffix));
                SqliteStatement::Exec(s_.db, "ALTER TABLE " + table + " DROP COLUMN " + Translator::Quote(column));
                SqliteStatement del(s_.db, "DELETE FROM " + catalog.Table("tw_columns") + " WHERE id = ? AND colid = ?");
                del.Bind(1, id).Bind(2, colid).Step();
                i += 1;
                if (!tokens_[i].IsOp(","))
                    break;
                ++i;
                if (tokens_[i].Is("COLUMN"))
                    ++i;
            } while (true);
        } else {
            TableDefinition def =
                TableDefinition::Parse(tokens_, text_, st.exprBegin, this, name.name, s_.options.ansiNullDefaultOn, true);
            const int64_t rows = SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM " + table);
            int colid = static_cast<int>(SqliteStatement::QueryInt(
                s_.db, "SELECT max(colid) FROM " + catalog.Table("tw_columns") + " WHERE id = " + std::to_string(id)));
            for (ColumnDefinition& c : def.columns) {
                if (catalog.ColumnId(id, c.column.name))
                    throw SqlError(2705, 16, "Column names in each table must be unique. Column name '" +
                                                 c.column.name + "' in table '" + name.name + "' is specified more than once.");
                if (!c.column.nullable && c.defaultSql.empty() && rows > 0)
                    throw SqlError(4901, 16, "ALTER TABLE only allows columns to be added that can contain nulls or "
                                             "have a DEFAULT definition specified. Column '" + c.column.name +
                                             "' cannot be added to table '" + name.name + "' because it does not allow "
                                             "nulls and does not specify a DEFAULT definition.");
                if (c.column.identity)
                    throw SqlError::NotSupported("Adding an IDENTITY column with ALTER TABLE");
                ColumnDefinition added = c;
                // SQLite needs a default for a NOT NULL column added to a table, even an empty one.
                std::string sql = def.SqliteColumn(added);
                if (!c.column.nullable && c.defaultSql.empty())
                    sql += c.column.type.IsCharacter() ? " DEFAULT ''" : " DEFAULT 0";
                SqliteStatement::Exec(s_.db, "ALTER TABLE " + table + " ADD COLUMN " + sql);
                if (c.column.type.IsDateTime())
                    NormaliseDates(db, storage, c.column);
                if (!c.defaultName.empty()) {
                    const int64_t defaultId =
                        catalog.AddObject(c.defaultName, Catalog::kDefault, id, catalog.ObjectUid(id));
                    catalog.SetText(defaultId, c.defaultText);
                    c.column.defaultId = defaultId;
                }
                SqliteStatement ins(s_.db, "SELECT 1");
                (void)ins;
                std::vector<CatalogColumn> one{c.column};
                // Append with the next column id.
                Catalog(s_.db, db).AddColumns(-id, one);
                SqliteStatement fix(s_.db, "UPDATE " + catalog.Table("tw_columns") + " SET id = ?, colid = ? WHERE id = ?");
                fix.Bind(1, id).Bind(2, ++colid).Bind(3, -id).Step();
            }
            if (!def.constraints.empty())
                AddConstraints(catalog, id, name.name, def.constraints, st.words[1] != "NOCHECK");
        }
        SqliteStatement::Exec(s_.db, "RELEASE tw_ddl");
    } catch (...) {
        sqlite3_exec(s_.db, "ROLLBACK TO tw_ddl; RELEASE tw_ddl", nullptr, nullptr, nullptr);
        throw;
    }
}

void Executor::RunCreateIndex(const ParsedStatement& st)
{
    const bool unique = st.words[0] == "UNIQUE";
    const std::string indexName = st.words[1];
    const ObjectName name = ObjectName::Parse(st.target);
    const std::string db = ResolveDatabase(name.database);
    Catalog catalog(s_.db, db);
    const int64_t id = catalog.Resolve(name.owner, name.name, "U V ", CallerUid(catalog));
    if (!id)
        throw SqlError(1088, 16, "Cannot find the object \"" + name.name + "\" because it does not exist or you do "
                                 "not have permissions.");
    if (SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM " + catalog.Table("tw_indexes") + " WHERE id = " +
                                             std::to_string(id) + " AND name = " + Translator::Literal(indexName)) > 0)
        throw SqlError(1913, 16, "The operation failed because an index or statistics with name '" + indexName +
                                     "' already exists on table '" + name.name + "'.");
    std::vector<std::string> columns;
    std::vector<int> keys;
    std::string list;
    for (size_t i = st.exprBegin + 1; i < st.end && !tokens_[i].IsOp(")"); ++i) {
        if (!tokens_[i].IsName() || tokens_[i].Is("ASC") || tokens_[i].Is("DESC")) {
            if (tokens_[i].Is("DESC"))
                list += " DESC";
            continue;
        }
        const int colid = catalog.ColumnId(id, tokens_[i].text);
        if (!colid)
            throw SqlError(1911, 16, "Column name '" + tokens_[i].text + "' does not exist in the target table or view.");
        keys.push_back(colid);
        list += std::string(list.empty() ? "" : ", ") + Translator::Quote(tokens_[i].text);
    }
    BeginImplicitTransaction(true);
    const std::string storage = catalog.StorageName(id);
    const std::string sqliteName = storage + "$" + indexName;
    SqliteStatement::Exec(s_.db, "SAVEPOINT tw_ddl");
    try {
        SqliteStatement::Exec(s_.db, std::string("CREATE ") + (unique ? "UNIQUE " : "") + "INDEX " +
                                         Translator::Quote(db) + "." + Translator::Quote(sqliteName) + " ON " +
                                         Translator::Quote(storage) + " (" + list + ")");
        const int indid = static_cast<int>(std::max<int64_t>(
            2, SqliteStatement::QueryInt(s_.db, "SELECT max(indid) + 1 FROM " + catalog.Table("tw_indexes") +
                                                    " WHERE id = " + std::to_string(id), 2)));
        catalog.AddIndex(id, indid, indexName, unique, false, keys, sqliteName);
        SqliteStatement::Exec(s_.db, "RELEASE tw_ddl");
    } catch (...) {
        sqlite3_exec(s_.db, "ROLLBACK TO tw_ddl; RELEASE tw_ddl", nullptr, nullptr, nullptr);
        throw;
    }
}

void Executor::RunDrop(const ParsedStatement& st)
{
    const std::string kind = st.words[0];
    BeginImplicitTransaction(true);
    for (size_t i = 1; i < st.words.size(); ++i) {
        const ObjectName name = ObjectName::Parse(st.words[i]);
        if (kind == "TABLE" && !name.name.empty() && name.name[0] == '#') {
            if (SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM temp.sqlite_master WHERE name = " +
                                                     Translator::Literal(name.name)) == 0)
                throw SqlError(3701, 11, "Cannot drop the table '" + name.name + "', because it does not exist in the "
                                         "system catalog.");
            SqliteStatement::Exec(s_.db, "DROP TABLE temp." + Translator::Quote(name.name));
            continue;
        }
        if (kind == "INDEX") {
            // DROP INDEX table.index
            const ObjectName table = ObjectName::Parse(st.words[i].substr(0, st.words[i].rfind('.')));
            const std::string db = ResolveDatabase(table.database);
            Catalog catalog(s_.db, db);
            const int64_t id = catalog.Resolve(table.owner, table.name, "U V ", CallerUid(catalog));
            SqliteStatement find(s_.db, "SELECT indid, sqlname FROM " + catalog.Table("tw_indexes") +
                                            " WHERE id = ? AND name = ?");
            find.Bind(1, id).Bind(2, name.name);
            if (!id || !find.Step())
                throw SqlError(3701, 11, "Cannot drop the index '" + st.words[i] + "', because it does not exist in "
                                         "the system catalog.");
            const int64_t indid = find.Int(0);
            const std::string sqliteIndex = find.Text(1);
            // An open read of the catalogue would make SQLite refuse the DROP as a locked table.
            find.Reset();
            if (catalog.ObjectId(name.name, "PKUQ"))
                throw SqlError(3723, 16, "An explicit DROP INDEX is not allowed on index '" + st.words[i] +
                                             "'. It is being used for PRIMARY KEY constraint enforcement.");
            SqliteStatement::Exec(s_.db, "DROP INDEX " + Translator::Quote(db) + "." + Translator::Quote(sqliteIndex));
            SqliteStatement del(s_.db, "DELETE FROM " + catalog.Table("tw_indexes") + " WHERE id = ? AND indid = ?");
            del.Bind(1, id).Bind(2, indid).Step();
            SqliteStatement keys(s_.db, "DELETE FROM " + catalog.Table("tw_indexkeys") + " WHERE id = ? AND indid = ?");
            keys.Bind(1, id).Bind(2, indid).Step();
            continue;
        }
        const std::string db = ResolveDatabase(name.database);
        Catalog catalog(s_.db, db);
        const char* types = kind == "TABLE" ? "U " : kind == "VIEW" ? "V " : kind == "PROCEDURE" ? "P "
                          : kind == "FUNCTION" ? "FNIFTF" : kind == "TRIGGER" ? "TR" : kind == "DEFAULT" ? "D " : "R ";
        const int64_t id = catalog.Resolve(name.owner, name.name, types, CallerUid(catalog));
        if (!id)
            throw SqlError(3701, 11, "Cannot drop the " + executor_detail::LowerText(kind) + " '" + st.words[i] +
                                         "', because it does not exist in the system catalog.");
        if (kind == "TABLE") {
            const int64_t referencing = SqliteStatement::QueryInt(
                s_.db, "SELECT count(*) FROM " + catalog.Table("tw_references") + " WHERE rkeyid = " +
                           std::to_string(id) + " AND fkeyid <> " + std::to_string(id));
            if (referencing > 0)
                throw SqlError(3726, 16, "Could not drop object '" + name.name + "' because it is referenced by a "
                                         "FOREIGN KEY constraint.");
        }
        const std::string storage = catalog.StorageName(id);
        SqliteStatement::Exec(s_.db, "SAVEPOINT tw_ddl");
        try {
            if (kind == "TABLE")
                SqliteStatement::Exec(s_.db, "DROP TABLE " + Translator::Quote(db) + "." + Translator::Quote(storage));
            else if (kind == "VIEW")
                SqliteStatement::Exec(s_.db, "DROP VIEW " + Translator::Quote(db) + "." + Translator::Quote(storage));
            catalog.DropObject(id);
            SqliteStatement::Exec(s_.db, "RELEASE tw_ddl");
        } catch (...) {
            sqlite3_exec(s_.db, "ROLLBACK TO tw_ddl; RELEASE tw_ddl", nullptr, nullptr, nullptr);
            throw;
        }
    }
}

void Executor::RunTruncate(const ParsedStatement& st)
{
    const ObjectName name = ObjectName::Parse(st.target);
    BeginImplicitTransaction(true);
    std::string table;
    if (!name.name.empty() && name.name[0] == '#') {
        table = "temp." + Translator::Quote(name.name);
    } else {
        const std::string db = ResolveDatabase(name.database);
        if (!Catalog(s_.db, db).ObjectId(name.name, "U "))
            throw SqlError(4701, 16, "Cannot find the object \"" + name.name + "\" because it does not exist or you "
                                     "do not have permissions.");
        table = Translator::Quote(db) + "." + Translator::Quote(name.name);
    }
    SqliteStatement::Exec(s_.db, "DELETE FROM " + table);
}

void Executor::RunWaitFor(const ParsedStatement& st)
{
    const Value v = Evaluate(st.exprBegin);
    int h = 0, m = 0, sec = 0, ms = 0;
    if (std::sscanf(v.text.c_str(), "%d:%d:%d.%d", &h, &m, &sec, &ms) < 2)
        throw SqlError(148, 15, "Incorrect time syntax in time string '" + v.text + "' used with WAITFOR.");
    int64_t total = ((h * 60LL + m) * 60 + sec) * 1000 + ms;
    if (st.target == "time") {
        const DateTimeValue now = DateTimeValue::Now();
        total = (total - now.ms + 86400000LL) % 86400000LL;
    }
    // Sleeps in slices so that Cancel and KILL end it promptly.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(total);
    while (std::chrono::steady_clock::now() < until) {
        if (s_.cancelled)
            throw SqlError(0, 0, "Query was cancelled by user.", SqlError::Scope::Batch);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void Executor::RunCheckpoint()
{
    DatabaseInfo info;
    if (!s_.server->FindDatabase(s_.database, &info) || info.dbid == 2)
        return; // tempdb lives in memory and keeps no log
    SqliteStatement::Exec(s_.db, "PRAGMA " + Translator::Quote(s_.database) + ".wal_checkpoint(PASSIVE)");
}

void Executor::RunUpdateStatistics(const ParsedStatement& st)
{
    const ObjectName name = ObjectName::Parse(st.target);
    const std::string db = ResolveDatabase(name.database);
    Catalog catalog(s_.db, db);
    const int64_t id = catalog.Resolve(name.owner, name.name, "U ", CallerUid(catalog));
    if (!id)
        throw SqlError(15009, 16, "The object '" + st.target + "' does not exist in database '" + db +
                                      "' or is invalid for this operation.");
    SqliteStatement::Exec(s_.db, "ANALYZE " + Translator::Quote(db) + "." + Translator::Quote(catalog.StorageName(id)));
}

void Executor::RunKill(const ParsedStatement& st)
{
    const int spid = std::atoi(st.target.c_str());
    if (spid == s_.spid)
        throw SqlError(6104, 16, "Cannot use KILL to kill your own process.");
    if (spid < 1 || spid > 32767 || st.target.find_first_not_of("0123456789") != std::string::npos)
        throw SqlError(6112, 16, "Process ID " + st.target + " is not a valid process ID. Choose a number between 1 "
                                 "and 32767.");
    std::unique_lock<std::mutex> lock;
    SessionState* victim = s_.server->LockSession(spid, lock);
    if (!victim)
        throw SqlError(6106, 16, "Process ID " + std::to_string(spid) + " is not an active process ID.");
    victim->killed = true;
    victim->cancelled = true;
    sqlite3_interrupt(victim->db);
    // An idle victim rolls nothing back itself: do it for it, so its locks go
    // now. A running one ends its batch and rolls back on its own thread.
    std::unique_lock<std::mutex> idle(victim->executeMutex, std::try_to_lock);
    if (idle.owns_lock()) {
        if (victim->tranCount > 0)
            sqlite3_exec(victim->db, "ROLLBACK", nullptr, nullptr, nullptr);
        victim->tranCount = 0;
        s_.server->locks.ReleaseAll(spid);
    }
}

void Executor::RunDbcc(const ParsedStatement& st)
{
    SystemProcedures(*this).Dbcc(st, tokens_);
}

void Executor::RunSetOption(const ParsedStatement& st)
{
    SessionOptions& o = s_.options;
    const std::string& first = st.words.empty() ? std::string() : st.words[0];
    if (first == "ROWCOUNT" || first == "TEXTSIZE" || first == "LOCK_TIMEOUT" || first == "DATEFIRST") {
        const Value v = st.exprBegin ? Evaluate(st.exprBegin, TypeSpec{"int"}) : Value::Null();
        if (v.IsNull())
            throw SqlError(102, 15, "Incorrect syntax near '" + st.target + "'.", SqlError::Scope::Batch);
        if (first == "ROWCOUNT") o.rowCount = v.integer < 0 ? 0 : v.integer;
        else if (first == "TEXTSIZE") o.textSize = static_cast<int>(v.integer);
        else if (first == "LOCK_TIMEOUT") o.lockTimeout = static_cast<int>(v.integer);
        else {
            if (v.integer < 1 || v.integer > 7)
                throw SqlError(1005, 15, "Line 1: Invalid parameter 1 specified for datefirst.");
            o.dateFirst = static_cast<int>(v.integer);
        }
        return;
    }
    if (first == "DATEFORMAT") {
        const std::string f = executor_detail::LowerText(st.target.empty() ? Evaluate(st.exprBegin).text : st.target);
        if (f != "mdy" && f != "dmy" && f != "ymd" && f != "ydm" && f != "myd" && f != "dym")
            throw SqlError(2741, 16, "SET DATEFORMAT date order '" + f + "' is invalid.");
        o.dateFormat = f;
        return;
    }
    if (first == "LANGUAGE") {
        const std::string l = executor_detail::LowerText(st.target.empty() ? Evaluate(st.exprBegin).text : st.target);
        if (l != "us_english" && l != "english")
            throw SqlError::NotSupported("SET LANGUAGE " + l);
        return;
    }
    if (first == "DEADLOCK_PRIORITY") {
        const std::string p = executor_detail::UpperText(st.target);
        if (p != "LOW" && p != "NORMAL")
            throw SqlError::NotSupported("SET DEADLOCK_PRIORITY " + p);
        return;
    }
    if (first == "TRANSACTION ISOLATION LEVEL") {
        static const char* const levels[] = {"READ UNCOMMITTED", "READ COMMITTED", "REPEATABLE READ", "SERIALIZABLE"};
        if (std::none_of(std::begin(levels), std::end(levels), [&](const char* l) { return st.target == l; }))
            throw SqlError::Syntax(st.target);
        o.isolationLevel = st.target;
        return;
    }
    if (first == "IDENTITY_INSERT") {
        const ObjectName name = ObjectName::Parse(st.message);
        bool hasIdentity = false;
        if (!name.name.empty() && name.name[0] == '#') {
            const std::vector<executor_detail::TemporaryColumn> columns =
                executor_detail::TemporaryColumns(s_.db, name.name);
            if (columns.empty())
                throw SqlError::InvalidObject(st.message);
            for (const executor_detail::TemporaryColumn& c : columns)
                hasIdentity = hasIdentity || c.identity;
        } else {
            Catalog catalog(s_.db, ResolveDatabase(name.database));
            const int64_t id = catalog.ObjectId(name.name, "U ");
            if (!id)
                throw SqlError::InvalidObject(st.message);
            for (const CatalogColumn& c : catalog.Columns(id))
                hasIdentity = hasIdentity || c.identity;
        }
        if (!hasIdentity)
            throw SqlError(8106, 16, "Table '" + name.name + "' does not have the identity property. Cannot perform "
                                     "SET operation.");
        const std::string lower = executor_detail::LowerText(name.name);
        if (st.target == "ON" && !o.identityInsert.empty() && o.identityInsert != lower)
            throw SqlError(8107, 16, "IDENTITY_INSERT is already ON for table '" + o.identityInsert +
                                     "'. Cannot perform SET operation for table '" + name.name + "'.");
        if (st.target == "ON")
            o.identityInsert = lower;
        else if (o.identityInsert == lower)
            o.identityInsert.clear();
        return;
    }
    if (first == "QUERY_GOVERNOR_COST_LIMIT")
        throw SqlError::NotSupported("SET QUERY_GOVERNOR_COST_LIMIT");
    const bool on = st.target == "ON";
    for (const std::string& w : st.words) {
        if (w == "ANSI_NULLS") o.ansiNulls = on;
        else if (w == "ANSI_NULL_DFLT_ON") o.ansiNullDefaultOn = on;
        else if (w == "ANSI_NULL_DFLT_OFF") o.ansiNullDefaultOn = !on;
        else if (w == "ANSI_PADDING" || w == "ANSI_WARNINGS") {
            // Columns here always keep trailing blanks and refuse data that
            // does not fit, which is the ON behaviour; OFF would be ignored.
            if (!on)
                throw SqlError::NotSupported("SET " + w + " OFF");
            (w == "ANSI_PADDING" ? o.ansiPadding : o.ansiWarnings) = true;
        } else if (w == "ARITHABORT") o.arithAbort = on;
        else if (w == "CONCAT_NULL_YIELDS_NULL") o.concatNullYieldsNull = on;
        else if (w == "QUOTED_IDENTIFIER") o.quotedIdentifier = on;
        else if (w == "NOCOUNT") o.noCount = on;
        else if (w == "NOEXEC") o.noExec = on;
        else if (w == "PARSEONLY") o.parseOnly = on;
        else if (w == "SHOWPLAN_TEXT") o.showplanText = on;
        else if (w == "STATISTICS TIME") o.statisticsTime = on;
        else if (w == "STATISTICS IO") o.statisticsIo = on;
        else if (w == "IMPLICIT_TRANSACTIONS") o.implicitTransactions = on;
        else if (w == "CURSOR_CLOSE_ON_COMMIT") o.cursorCloseOnCommit = on;
        else if (w == "ANSI_DEFAULTS") {
            if (!on)
                throw SqlError::NotSupported("SET ANSI_DEFAULTS OFF");
            o.ansiNulls = o.ansiNullDefaultOn = o.ansiPadding = o.ansiWarnings = true;
            o.cursorCloseOnCommit = o.implicitTransactions = o.quotedIdentifier = true;
        } else if (w == "XACT_ABORT" || w == "NUMERIC_ROUNDABORT" || w == "ARITHIGNORE" || w == "FMTONLY" ||
                   w == "FORCEPLAN" || w == "REMOTE_PROC_TRANSACTIONS" || w == "SHOWPLAN_ALL" ||
                   w == "STATISTICS PROFILE" || w == "STATISTICS XML" || w == "IDENTITY_INSERT" ||
                   w == "OFFSETS" || w == "CONTEXT_INFO") {
            if (on)
                throw SqlError::NotSupported("SET " + w + (on ? " ON" : " OFF"));
        } else {
            throw SqlError(195, 15, "'" + w + "' is not a recognized SET option.", SqlError::Scope::Batch);
        }
    }
}

// --- ALTER TABLE: constraints and column changes ----------------------------------------

namespace executor_detail {

std::vector<std::string> ColumnNames(const std::vector<CatalogColumn>& columns)
{
    std::vector<std::string> names;
    for (const CatalogColumn& c : columns)
        names.push_back(c.name);
    return names;
}

std::vector<std::string> QuotedNames(const std::vector<std::string>& names)
{
    std::vector<std::string> quoted;
    for (const std::string& n : names)
        quoted.push_back(Translator::Quote(n));
    return quoted;
}

} // namespace executor_detail

void Executor::AddConstraints(Catalog& catalog, int64_t id, const std::string& tableName,
                              std::vector<ConstraintDefinition> constraints, bool validate)
{
    const std::vector<CatalogColumn> columns = catalog.Columns(id);
    const std::string storage = catalog.StorageName(id);
    TableRebuild rebuild(s_.db, catalog.Schema(), storage);
    bool hasIdentity = false;
    for (const CatalogColumn& c : columns)
        hasIdentity = hasIdentity || c.identity;
    for (ConstraintDefinition& c : constraints) {
        if (catalog.ObjectId(c.name))
            throw SqlError(2714, 16, "There is already an object named '" + c.name + "' in the database.");
        for (const std::string& column : c.columns)
            if (!catalog.ColumnId(id, column))
                throw SqlError(1911, 16, "Column name '" + column + "' does not exist in the target table or view.");
        TableDefinition one;
        if (c.kind == "PK") {
            if (SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM " + catalog.Table("tw_objects") +
                                                     " WHERE parent_obj = " + std::to_string(id) + " AND xtype = 'PK'") > 0)
                throw SqlError(1779, 16, "Table '" + tableName + "' already has a primary key defined on it.");
            for (const std::string& column : c.columns)
                for (const CatalogColumn& col : columns)
                    if (executor_detail::LowerText(col.name) == executor_detail::LowerText(column) && col.nullable)
                        throw SqlError(8111, 16, "Cannot define PRIMARY KEY constraint on nullable column in table '" +
                                                     tableName + "'.");
        }
        if (c.kind == "F ") {
            const int64_t referenced = catalog.ObjectId(c.refTable, "U ");
            if (!referenced)
                throw SqlError(1767, 16, "Foreign key '" + c.name + "' references invalid table '" + c.refTable + "'.");
        }
        ConstraintDefinition sqlite = c;
        // The identity column already is SQLite's key: another key is kept unique instead.
        if (c.kind == "PK" && hasIdentity)
            sqlite.kind = "UQ";
        one.constraints.push_back(sqlite);
        rebuild.items.push_back(one.SqliteBody().substr(2));
    }
    const std::vector<std::string> names = executor_detail::ColumnNames(columns);
    rebuild.Apply(names, executor_detail::QuotedNames(names), validate);

    const int uid = catalog.ObjectUid(id);
    for (const ConstraintDefinition& c : constraints) {
        const int64_t constraintId = catalog.AddObject(c.name, c.kind, id, uid);
        std::vector<int> keys;
        for (const std::string& column : c.columns)
            keys.push_back(catalog.ColumnId(id, column));
        if (c.kind == "PK" || c.kind == "UQ") {
            const bool clusteredFree = SqliteStatement::QueryInt(s_.db, "SELECT count(*) FROM " +
                                                                            catalog.Table("tw_indexes") + " WHERE id = " +
                                                                            std::to_string(id) + " AND indid = 1") == 0;
            const bool clustered = c.clustered && clusteredFree;
            const int indid = clustered ? 1 : static_cast<int>(std::max<int64_t>(
                2, SqliteStatement::QueryInt(s_.db, "SELECT max(indid) + 1 FROM " + catalog.Table("tw_indexes") +
                                                        " WHERE id = " + std::to_string(id), 2)));
            catalog.AddIndex(id, indid, c.name, true, clustered, keys, c.name);
        } else if (c.kind == "F ") {
            const int64_t referenced = catalog.ObjectId(c.refTable, "U ");
            std::vector<int> refKeys;
            for (const std::string& column : c.refColumns)
                refKeys.push_back(catalog.ColumnId(referenced, column));
            if (refKeys.empty()) {
                SqliteStatement pk(s_.db, "SELECT k.colid FROM " + catalog.Table("tw_indexkeys") + " AS k JOIN " +
                                              catalog.Table("tw_objects") + " AS o ON o.parent_obj = k.id JOIN " +
                                              catalog.Table("tw_indexes") + " AS i ON i.id = k.id AND i.indid = k.indid "
                                              "AND i.name = o.name WHERE k.id = ? AND o.xtype = 'PK' ORDER BY k.keyno");
                pk.Bind(1, referenced);
                while (pk.Step())
                    refKeys.push_back(static_cast<int>(pk.Int(0)));
            }
            catalog.AddReference(constraintId, id, referenced, keys, refKeys);
        } else if (c.kind == "C ") {
            catalog.SetText(constraintId, c.checkText);
        }
    }
}

void Executor::AddDefaultFor(Catalog& catalog, int64_t id, const std::string& tableName, size_t at)
{
    std::string defaultName;
    if (tokens_[at].Is("CONSTRAINT")) {
        defaultName = tokens_[at + 1].text;
        at += 2;
    }
    ++at; // DEFAULT
    Translator translator(tokens_, text_, this);
    const Translation value = translator.Expression(at);
    const size_t textEnd = value.end < tokens_.size() ? tokens_[value.end].offset : text_.size();
    std::string written = text_.substr(tokens_[at].offset, textEnd - tokens_[at].offset);
    while (!written.empty() && (written.back() == ' ' || written.back() == '\n' || written.back() == '\r'))
        written.pop_back();
    if (!tokens_[value.end].Is("FOR") || !tokens_[value.end + 1].IsName())
        throw SqlError::Syntax(tokens_[value.end].text);
    const std::string column = tokens_[value.end + 1].text;
    const int colid = catalog.ColumnId(id, column);
    if (!colid)
        throw SqlError(1911, 16, "Column name '" + column + "' does not exist in the target table or view.");
    std::vector<CatalogColumn> columns = catalog.Columns(id);
    CatalogColumn& target = columns[colid - 1];
    if (target.identity)
        throw SqlError(1754, 16, "Defaults cannot be created on columns with an IDENTITY attribute. Table '" +
                                     tableName + "', column '" + target.name + "'.");
    if (target.defaultId)
        throw SqlError(1781, 16, "Column already has a DEFAULT bound to it.");
    if (defaultName.empty())
        defaultName = TableDefinition::GeneratedName("DF", tableName, target.name);
    if (catalog.ObjectId(defaultName))
        throw SqlError(2714, 16, "There is already an object named '" + defaultName + "' in the database.");

    TableRebuild rebuild(s_.db, catalog.Schema(), catalog.StorageName(id));
    ColumnDefinition changed;
    changed.column = target;
    changed.defaultSql = value.sql;
    rebuild.items[rebuild.ColumnItem(target.name)] = TableDefinition().SqliteColumn(changed);
    const std::vector<std::string> names = executor_detail::ColumnNames(columns);
    rebuild.Apply(names, executor_detail::QuotedNames(names));

    const int64_t defaultId = catalog.AddObject(defaultName, Catalog::kDefault, id, catalog.ObjectUid(id));
    catalog.SetText(defaultId, "(" + written + ")");
    SqliteStatement set(s_.db, "UPDATE " + catalog.Table("tw_columns") + " SET cdefault = ? WHERE id = ? AND colid = ?");
    set.Bind(1, defaultId).Bind(2, id).Bind(3, int64_t{colid}).Step();
}

void Executor::SwitchConstraints(Catalog& catalog, int64_t id, const std::string& tableName, const ParsedStatement& st)
{
    (void)tableName;
    const bool enable = st.words[0] == "CHECK";
    // Switching a constraint back on checks the rows only when asked (WITH CHECK).
    const bool validate = enable && st.words[1] == "CHECK";
    std::vector<std::pair<int64_t, std::string>> chosen;
    const std::string query = "SELECT id, name FROM " + catalog.Table("tw_objects") +
                              " WHERE parent_obj = ? AND xtype IN ('F ', 'C ')";
    if (tokens_[st.exprBegin].Is("ALL")) {
        SqliteStatement all(s_.db, query + " ORDER BY id");
        all.Bind(1, id);
        while (all.Step())
            chosen.emplace_back(all.Int(0), all.Text(1));
    } else {
        for (size_t i = st.exprBegin; i < st.end; i += 2) {
            SqliteStatement one(s_.db, query + " AND name = ?");
            one.Bind(1, id).Bind(2, tokens_[i].text);
            if (!one.Step())
                throw SqlError(4917, 16, "Constraint '" + tokens_[i].text + "' does not exist.");
            chosen.emplace_back(one.Int(0), one.Text(1));
        }
    }
    TableRebuild rebuild(s_.db, catalog.Schema(), catalog.StorageName(id));
    bool changed = false;
    for (const auto& constraint : chosen) {
        SqliteStatement disabled(s_.db, "SELECT item FROM " + catalog.Table("tw_disabled") + " WHERE id = ?");
        disabled.Bind(1, constraint.first);
        const bool isDisabled = disabled.Step();
        if (enable && isDisabled) {
            rebuild.items.push_back(disabled.Text(0));
            SqliteStatement del(s_.db, "DELETE FROM " + catalog.Table("tw_disabled") + " WHERE id = ?");
            del.Bind(1, constraint.first).Step();
            changed = true;
        } else if (!enable && !isDisabled) {
            const int item = rebuild.ConstraintItem(constraint.second);
            if (item < 0)
                continue;
            SqliteStatement keep(s_.db, "INSERT INTO " + catalog.Table("tw_disabled") + " (id, item) VALUES (?, ?)");
            keep.Bind(1, constraint.first).Bind(2, rebuild.items[static_cast<size_t>(item)]).Step();
            rebuild.items.erase(rebuild.items.begin() + item);
            changed = true;
        }
    }
    if (!changed && !validate)
        return;
    const std::vector<std::string> names = executor_detail::ColumnNames(catalog.Columns(id));
    rebuild.Apply(names, executor_detail::QuotedNames(names), validate);
}

void Executor::DropConstraint(Catalog& catalog, int64_t id, const std::string& tableName, size_t at)
{
    const std::string constraint = tokens_[at].text;
    SqliteStatement find(s_.db, "SELECT id, xtype FROM " + catalog.Table("tw_objects") +
                                    " WHERE name = ? AND parent_obj = ? AND xtype IN ('PK', 'UQ', 'F ', 'C ', 'D ')");
    find.Bind(1, constraint).Bind(2, id);
    if (!find.Step())
        throw SqlError(3728, 16, "'" + constraint + "' is not a constraint.");
    const int64_t constraintId = find.Int(0);
    const std::string kind = find.Text(1);
    find.Reset();
    if (kind == "PK" || kind == "UQ") {
        SqliteStatement referencing(s_.db, "SELECT c.name, f.name FROM " + catalog.Table("tw_references") +
                                               " AS r JOIN " + catalog.Table("tw_objects") + " AS c ON c.id = r.constid "
                                               "JOIN " + catalog.Table("tw_objects") + " AS f ON f.id = r.fkeyid "
                                               "WHERE r.rkeyid = ? AND r.fkeyid <> ?");
        referencing.Bind(1, id).Bind(2, id);
        (void)tableName;
        if (kind == "PK" && referencing.Step())
            throw SqlError(3725, 16, "The constraint '" + constraint + "' is being referenced by table '" +
                                         referencing.Text(1) + "', foreign key constraint '" + referencing.Text(0) + "'.");
    }
    std::vector<CatalogColumn> columns = catalog.Columns(id);
    TableRebuild rebuild(s_.db, catalog.Schema(), catalog.StorageName(id));
    if (kind == "D ") {
        for (CatalogColumn& c : columns)
            if (c.defaultId == constraintId) {
                c.defaultId = 0;
                ColumnDefinition plain;
                plain.column = c;
                rebuild.items[rebuild.ColumnItem(c.name)] = TableDefinition().SqliteColumn(plain);
            }
    } else if (const int item = rebuild.ConstraintItem(constraint); item >= 0) {
        rebuild.items.erase(rebuild.items.begin() + item);
    }
    const std::vector<std::string> names = executor_detail::ColumnNames(columns);
    rebuild.Apply(names, executor_detail::QuotedNames(names));

    SqliteStatement index(s_.db, "SELECT indid FROM " + catalog.Table("tw_indexes") + " WHERE id = ? AND name = ?");
    index.Bind(1, id).Bind(2, constraint);
    if (index.Step()) {
        const int64_t indid = index.Int(0);
        index.Reset();
        for (const char* table : {"tw_indexes", "tw_indexkeys"}) {
            SqliteStatement del(s_.db, "DELETE FROM " + catalog.Table(table) + " WHERE id = ? AND indid = ?");
            del.Bind(1, id).Bind(2, indid).Step();
        }
    }
    SqliteStatement clear(s_.db, "UPDATE " + catalog.Table("tw_columns") + " SET cdefault = 0 WHERE cdefault = ?");
    clear.Bind(1, constraintId).Step();
    catalog.DropObject(constraintId);
}

void Executor::AlterColumn(Catalog& catalog, int64_t id, const std::string& tableName, size_t at)
{
    const std::string column = tokens_[at].text;
    const int colid = catalog.ColumnId(id, column);
    if (!colid)
        throw SqlError(4924, 16, "ALTER TABLE ALTER COLUMN failed because column '" + column +
                                     "' does not exist in table '" + tableName + "'.");
    std::vector<CatalogColumn> columns = catalog.Columns(id);
    CatalogColumn& target = columns[colid - 1];
    if (target.identity)
        throw SqlError::NotSupported("ALTER COLUMN of an IDENTITY column");
    // Keys, indexes, checks and defaults on the column keep it as it is, as the server does.
    SqliteStatement dependent(s_.db,
        "SELECT i.name FROM " + catalog.Table("tw_indexkeys") + " AS k JOIN " + catalog.Table("tw_indexes") +
        " AS i ON i.id = k.id AND i.indid = k.indid WHERE k.id = ?1 AND k.colid = ?2 "
        "UNION ALL SELECT (SELECT o.name FROM " + catalog.Table("tw_objects") + " AS o WHERE o.id = constid) FROM " +
        catalog.Table("tw_references") + " WHERE (fkeyid = ?1 AND ?2 IN (fkey1, fkey2, fkey3, fkey4)) OR (rkeyid = ?1 AND ?2 IN (rkey1, rkey2, rkey3, rkey4)) "
        "UNION ALL SELECT o.name FROM " + catalog.Table("tw_objects") + " AS o WHERE o.id = ?3 "
        "UNION ALL SELECT o.name FROM " + catalog.Table("tw_objects") + " AS o JOIN " + catalog.Table("tw_comments") +
        " AS c ON c.id = o.id WHERE o.parent_obj = ?1 AND o.xtype = 'C ' AND lower(c.text) LIKE ?4");
    dependent.Bind(1, id).Bind(2, int64_t{colid}).Bind(3, target.defaultId).Bind(4, "%" + executor_detail::LowerText(column) + "%");
    if (dependent.Step())
        throw SqlError(5074, 16, "The object '" + dependent.Text(0) + "' is dependent on column '" + target.name + "'.");
    dependent.Reset();

    size_t end = at + 1;
    Translator types(tokens_, text_, nullptr);
    TypeSpec type = types.Type(at + 1, end);
    catalog.ResolveUserType(type);
    if (!type.IsSupported())
        throw SqlError(2715, 16, "Column or parameter #" + std::to_string(colid) + ": Cannot find data type " +
                                     type.name + ".");
    bool nullable = s_.options.ansiNullDefaultOn;
    if (tokens_[end].Is("NULL"))
        nullable = true;
    else if (tokens_[end].Is("NOT") && tokens_[end + 1].Is("NULL"))
        nullable = false;
    const bool wasDate = target.type.IsDateTime();
    target.type = type;
    target.nullable = nullable;

    const std::string storage = catalog.StorageName(id);
    TableRebuild rebuild(s_.db, catalog.Schema(), storage);
    ColumnDefinition changed;
    changed.column = target;
    rebuild.items[rebuild.ColumnItem(target.name)] = TableDefinition().SqliteColumn(changed);
    const std::vector<std::string> names = executor_detail::ColumnNames(columns);
    std::vector<std::string> sources = executor_detail::QuotedNames(names);
    sources[colid - 1] = "tw_convert(" + Translator::Quote(target.name) + ", " + Translator::Literal(type.Spelling()) +
                         ", NULL)";
    rebuild.Apply(names, sources);
    if (wasDate != type.IsDateTime()) {
        for (const char* suffix : {"_i", "_u"})
            SqliteStatement::Exec(s_.db, "DROP TRIGGER IF EXISTS " + Translator::Quote(catalog.Schema()) + "." +
                                             Translator::Quote("tw_date_" + storage + "_" + target.name + suffix));
        if (type.IsDateTime())
            NormaliseDates(catalog.Schema(), storage, target);
    }

    SqliteStatement update(s_.db, "UPDATE " + catalog.Table("tw_columns") + " SET typename = ?, xtype = ?, "
                                  "xusertype = ?, length = ?, prec = ?, scale = ?, isnullable = ? WHERE id = ? AND colid = ?");
    update.Bind(1, type.Spelling()).Bind(2, int64_t{type.XType()});
    update.Bind(3, int64_t{type.XUserType()}).Bind(4, int64_t{type.StorageLength()});
    update.Bind(5, int64_t{type.Precision()}).Bind(6, int64_t{type.Scale()}).Bind(7, int64_t{nullable ? 1 : 0});
    update.Bind(8, id).Bind(9, int64_t{colid}).Step();
}

// --- GRANT, REVOKE, DENY -----------------------------------------------------------------

namespace executor_detail {

struct PermissionAction {
    const char* name;
    int code;
    const char* xtypes; // the objects it applies to
};

const PermissionAction kPermissionActions[] = {
    {"SELECT", 193, "U V IFTFS "}, {"INSERT", 195, "U V IFTF"}, {"DELETE", 196, "U V IFTF"},
    {"UPDATE", 197, "U V IFTF"},   {"EXECUTE", 224, "P FNX "},  {"REFERENCES", 26, "U FN"},
};

} // namespace executor_detail

void Executor::RunPermission(const ParsedStatement& st)
{
    const std::string verb = st.words[0];
    const bool withGrant = st.words[1] == "1";
    const bool optionOnly = st.words[2] == "1";
    const ObjectName name = ObjectName::Parse(st.target);
    const std::string db = ResolveDatabase(name.database);
    Catalog catalog(s_.db, db);
    const int64_t id = catalog.Resolve(name.owner, name.name, "", CallerUid(catalog));
    if (!id)
        throw SqlError::InvalidObject(st.target);
    const std::string xtype = catalog.ObjectType(id);
    size_t at = 3;
    std::vector<int> actions;
    for (; at < st.words.size() && st.words[at] != "TO"; ++at) {
        const std::string& word = st.words[at];
        bool known = false;
        for (const executor_detail::PermissionAction& a : executor_detail::kPermissionActions) {
            const bool applies = std::string_view(a.xtypes).find(xtype) != std::string_view::npos &&
                                 std::string_view(a.xtypes).find(xtype) % 2 == 0;
            if (word == "ALL" && applies)
                actions.push_back(a.code);
            if (word != a.name)
                continue;
            known = true;
            if (!applies)
                throw SqlError(4606, 16, "Granted or revoked privilege " + word + " is not compatible with object.");
            actions.push_back(a.code);
        }
        if (!known && word != "ALL")
            throw SqlError::Syntax(word);
    }
    std::vector<int> users;
    for (++at; at < st.words.size(); ++at) {
        const int uid = catalog.UserId(st.words[at]);
        if (uid < 0 || uid == 3)
            throw SqlError(4604, 16, "There is no such user or group '" + st.words[at] + "'.");
        users.push_back(uid);
    }
    BeginImplicitTransaction(true);
    const int grantor = CallerUid(catalog);
    for (const int uid : users)
        for (const int action : actions) {
            if (verb == "REVOKE" && optionOnly) {
                SqliteStatement weaken(s_.db, "UPDATE " + catalog.Table("tw_protects") + " SET protecttype = 205 "
                                              "WHERE id = ? AND uid = ? AND action = ? AND protecttype = 204");
                weaken.Bind(1, id).Bind(2, int64_t{uid}).Bind(3, int64_t{action}).Step();
                continue;
            }
            if (verb == "REVOKE") {
                SqliteStatement remove(s_.db, "DELETE FROM " + catalog.Table("tw_protects") +
                                              " WHERE id = ? AND uid = ? AND action = ?");
                remove.Bind(1, id).Bind(2, int64_t{uid}).Bind(3, int64_t{action}).Step();
                continue;
            }
            // A grant replaces a deny and a deny a grant: one row per user and action.
            const int type = verb == "DENY" ? 206 : withGrant ? 204 : 205;
            SqliteStatement put(s_.db, "INSERT OR REPLACE INTO " + catalog.Table("tw_protects") +
                                       " VALUES (?, ?, ?, ?, ?)");
            put.Bind(1, id).Bind(2, int64_t{uid}).Bind(3, int64_t{action}).Bind(4, int64_t{type});
            put.Bind(5, int64_t{grantor}).Step();
        }
}

} // namespace tw::server
