// Runs parsed statements for one session: control flow, variables, messages,
// transactions, DDL and the translated queries, streaming to the sink. One
// Executor runs one batch or one module (procedure, function) body.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/server/LockManager.h"
#include "platform/server/Parser.h"
#include "platform/server/ResultSink.h"
#include "platform/server/SessionState.h"
#include "platform/server/SqlError.h"
#include "platform/server/Translator.h"

struct sqlite3_stmt;

namespace tw::server {

class SessionState;
struct DatabaseInfo;
class Catalog;
struct CatalogColumn;
struct ConstraintDefinition;

class Executor : public TranslationContext {
public:
    Executor(SessionState& session, ResultSink& sink);
    // Drops the temporary tables of the table variables its batch or module declared.
    ~Executor() override;

    // Parses and runs a client batch. Returns false when it raised an error.
    bool RunBatch(std::string_view text);

    // Runs a stored procedure with evaluated arguments; gives its RETURN value.
    // `outputs` receives the final values of OUTPUT parameters by name.
    int RunProcedure(const std::string& database, int64_t id, const std::string& name,
                     const std::vector<std::pair<std::string, Value>>& args,
                     std::map<std::string, Value>* outputs);

    // TranslationContext
    std::string TableReference(const std::string& db, const std::string& owner, const std::string& name) override;
    std::string TableFunction(const std::string& name, const std::vector<std::string>& args) override;
    bool AnsiNulls() const override;
    bool ConcatNullYieldsNull() const override;
    TypeSpec VariableType(const std::string& name) const override;
    int64_t RowCountLimit() const override;
    bool InsertColumns(const std::string& db, const std::string& owner, const std::string& table,
                       std::vector<std::string>* columns, std::string* identity) override;
    std::string ReadSource(const std::string& reference) override;
    TypeSpec ColumnTypeOf(const std::string& db, const std::string& owner, const std::string& table,
                          const std::string& column) override;
    bool ResolveUserType(TypeSpec& type) override;
    std::string TableVariable(const std::string& name) override;

    // For the system procedures.
    SessionState& Session() { return s_; }
    ResultSink& Sink() { return sink_; }
    void Inform(const std::string& text, int number = 0, int severity = 0);
    // Runs SQLite text (already translated) and streams its rows as a result set.
    void StreamQuery(const std::string& sql, const std::vector<Value>& params = {},
                     const std::vector<TypeSpec>& types = {});
    void SendResult(const std::vector<ColumnInfo>& columns, const std::vector<Row>& rows);
    // The database name the session means by `db` (the current one when empty); throws 911.
    std::string ResolveDatabase(const std::string& db) const;
    void CountRows(int64_t count, RowCountOf of = RowCountOf::Statement);
    bool HadError() const { return hadError_; }
    // The type of a column of a table-valued system function, for its result sets.
    void DeclareColumnType(const std::string& column, const TypeSpec& type) { functionColumnTypes_[column] = type; }
    static Value DefaultArgument();
    static bool IsDefaultArgument(const Value& v);

private:
    enum class Flow { Normal, Break, Continue, Return };
    struct BatchAbort {};
    // An error raised inside a TRY block, on its way to the CATCH block.
    struct TryTransfer {
        SqlError error;
        int line;
        std::string procedure;
    };
    Flow RunTryCatch(const ParsedStatement& s);
    // Whether an error raised inside TRY goes to CATCH: run-time errors of
    // severity 11 to 19; compile errors and broken connections end the batch.
    bool GoesToCatch(const SqlError& e) const;

    Flow RunList(const std::vector<ParsedStatement>& list);
    Flow Run(const ParsedStatement& s);
    void Report(const SqlError& e, int line);

    void RunQuery(const ParsedStatement& s);
    void RunDeclare(const ParsedStatement& s);
    void RunSetVariable(const ParsedStatement& s);
    void RunSetOption(const ParsedStatement& s);
    void RunPrint(const ParsedStatement& s);
    void RunRaiserror(const ParsedStatement& s);
    void RunUse(const ParsedStatement& s);
    void RunTransaction(const ParsedStatement& s);
    void RunExec(const ParsedStatement& s);
    void RunExecString(const ParsedStatement& s);
    void RunCreateModule(const ParsedStatement& s);
    void RunCreateTable(const ParsedStatement& s);
    std::string TableVariableStorage(const ParsedStatement& s);
    void RunAlterTable(const ParsedStatement& s);
    // The ALTER TABLE changes that rebuild the table; `at` is the statement's first token after the verb.
    // `validate`: the rows already there must meet the new constraints (WITH CHECK, the default).
    void AddConstraints(Catalog& catalog, int64_t id, const std::string& tableName,
                        std::vector<ConstraintDefinition> constraints, bool validate = true);
    // NOCHECK / CHECK CONSTRAINT: switches the table's foreign keys and checks off and on.
    void SwitchConstraints(Catalog& catalog, int64_t id, const std::string& tableName, const ParsedStatement& s);
    void AddDefaultFor(Catalog& catalog, int64_t id, const std::string& tableName, size_t at);
    void DropConstraint(Catalog& catalog, int64_t id, const std::string& tableName, size_t at);
    void AlterColumn(Catalog& catalog, int64_t id, const std::string& tableName, size_t at);
    void RunCreateIndex(const ParsedStatement& s);
    void RunDrop(const ParsedStatement& s);
    void RunCreateDatabase(const ParsedStatement& s);
    void RunDropDatabase(const ParsedStatement& s);
    void RunAlterDatabase(const ParsedStatement& s);
    void SetRecovery(const DatabaseInfo& info, const std::string& model);
    // Sets the `mask` bits of the database's sysdatabases.status to `bits`.
    void SetDatabaseStatus(const std::string& database, int64_t mask, int64_t bits);
    void RunPermission(const ParsedStatement& s);
    void RunDbcc(const ParsedStatement& s);
    void RunKill(const ParsedStatement& s);
    void RunTruncate(const ParsedStatement& s);
    void RunWaitFor(const ParsedStatement& s);
    // Writes the current database's log into its file.
    void RunCheckpoint();
    // Gathers the table's statistics for SQLite's planner.
    void RunUpdateStatistics(const ParsedStatement& s);
    void ShowPlan(const ParsedStatement& s);
    // Read-only cursors: their rows are read whole when they open.
    void RunDeclareCursor(const ParsedStatement& s);
    void RunCursorStatement(const ParsedStatement& s);
    void RunFetch(Cursor& cursor, const ParsedStatement& s);
    Cursor& FindCursor(const std::string& name, bool global);
    void CloseCursorsAtTransactionEnd();
    // Runs a translated INSERT, UPDATE or DELETE; fires the table's triggers.
    int64_t RunChange(const Translation& t);
    bool InsertsIntoIdentity(const Translation& t);
    struct IdentityNumbering;
    std::optional<IdentityNumbering> IdentityNumberingFor(const Translation& t);
    std::optional<IdentityNumbering> TemporaryIdentityNumbering(const Translation& t);
    void RenumberIdentity(const IdentityNumbering& numbering, int64_t inserted, bool captured);
    void FireTriggers(const std::string& database, const std::vector<int64_t>& triggers);
    // Takes the server's locks on the tables a statement reads (shared) and changes (exclusive).
    void LockTables(const Translation& t);
    void EndStatementLocks();
    void LockDatabaseForWrite(const std::string& database);
    void RecordRowLocks();
    // Runs a read that met rows other sessions hold until it meets none
    // waiting, so that the read itself sees what they committed.
    void AwaitHeldRows(const Translation& t);
    // SQLite text prepared with the statement's variables bound; throws the server's error for it.
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> PrepareBound(const std::string& sql,
                                                                     const std::vector<std::string>& variables);
    // SELECT ... INTO: a new table of the query's columns, holding its rows.
    void RunSelectInto(const Translation& t);
    // The decimal, numeric or money type of each column of a prepared query, where it has one.
    std::vector<TypeSpec> ExactColumnTypes(sqlite3_stmt* stmt, const Translation& t) const;
    void NormaliseDates(const std::string& db, const std::string& table, const CatalogColumn& column);

    Value Evaluate(size_t exprBegin, const TypeSpec& target = {});
    bool Condition(size_t exprBegin);
    Value ArgumentValue(const ExecArgument& a);
    void Bind(sqlite3_stmt* stmt, const std::vector<std::string>& variables);
    void Assign(const std::string& name, const Value& value);
    void BeginImplicitTransaction(bool touchesData);
    void StatementEnd(int64_t startUs, int64_t startCpuUs);

    [[noreturn]] static void RefuseExtendedProcedure(const Catalog& catalog, int64_t id);
    Value CallFunction(const std::string& name, const std::vector<Value>& args);
    Catalog CurrentCatalog() const;
    // The user the session acts as in a database, and the owner a DDL statement names (2760 when unknown).
    int CallerUid(const Catalog& catalog) const;
    int OwnerUid(const Catalog& catalog, const std::string& owner) const;
    std::string SchemaFor(const std::string& db) const;

    SessionState& s_;
    ResultSink& sink_;
    std::vector<Token> tokens_;
    std::string text_;
    std::string procedure_;
    // The database and owner of the module running, whose names resolve as that owner's.
    std::string moduleDatabase_;
    int moduleOwnerUid_ = 0;
    bool hadError_ = false;
    int returnValue_ = 0;
    std::map<std::string, std::string> spellings_;
    std::vector<std::string> touchedTables_;
    std::vector<std::pair<std::string, std::string>> lockTargets_; // database, table
    std::vector<int64_t>* dependencies_ = nullptr;
    bool unqualifiedNames_ = false;
    bool inTrigger_ = false;
    std::vector<std::string> savepoints_;
    std::map<std::string, TypeSpec> functionColumnTypes_;
    LockResource lastReference_;  // the user table TableReference resolved last
    bool guardedRead_ = false;     // the statement reads through row waits
    std::map<std::string, Cursor> localCursors_;
    std::map<std::string, std::string> tableVariables_; // @name to its temporary table
};

} // namespace tw::server
