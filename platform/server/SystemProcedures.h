// The system stored procedures and DBCC commands the server implements itself
// (sp_help, sp_helptext, sp_rename, the extended-property procedures, ...).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/server/Lexer.h"
#include "platform/server/Parser.h"
#include "platform/server/Value.h"

namespace tw::server {

class Executor;
struct TypeSpec;

// Helpers the catalogue procedures share.
namespace sysproc_detail {
std::string Lowered(std::string s);
ColumnInfo Column(const std::string& name, const std::string& type, int size, bool nullable = true);
int OdbcType(const TypeSpec& t); // the ODBC data type code
bool NameMatches(const std::string& name, const std::string& pattern); // equal, or LIKE the pattern
const char* TypeDescription(const std::string& xtype);                 // "user table", "view", ...
// A catalogue procedure's qualifier must name the current database (15250).
void CheckQualifier(const std::string& qualifier, const std::string& database);
} // namespace sysproc_detail

class SystemProcedures {
public:
    explicit SystemProcedures(Executor& executor);

    static bool Has(const std::string& lowerName);

    // Runs one; gives its return status. Throws SqlError for SQL Server's errors.
    int Run(const std::string& lowerName, const std::vector<std::pair<std::string, Value>>& args,
            const std::vector<ExecArgument>& spelled);
    void Dbcc(const ParsedStatement& st, const std::vector<Token>& tokens);

private:
    using Args = std::vector<std::pair<std::string, Value>>;
    // The argument at `position`, or the one passed as `name`; null when absent.
    Value Arg(const Args& args, size_t position, const std::string& name) const;
    std::string Text(const Args& args, size_t position, const std::string& name) const;

    int Help(const Args& args);
    int HelpText(const Args& args);
    int HelpDb(const Args& args);
    int Who(const Args& args);
    int Rename(const Args& args);
    int Recompile(const Args& args);
    int RefreshView(const Args& args);
    int TableOption(const Args& args);
    int SprocColumns(const Args& args);
    int HelpExtendedProc(const Args& args);
    int AddExtendedProc(const Args& args);
    int DropExtendedProc(const Args& args);
    int ExtendedProperty(const std::string& action, const Args& args);
    int ObjectSearch(const Args& args);
    int Databases(const Args& args);
    int Tables(const Args& args);
    int ExecuteSql(const Args& args);
    // User types: sp_addtype keeps them in systypes, columns and variables take their base types.
    int AddType(const Args& args);
    int DropType(const Args& args);
    int MarkSystemObject(const Args& args);
    int DbOption(const Args& args);
    int HelpIndex(const Args& args);
    int SpaceUsed(const Args& args);
    int Lock(const Args& args);
    // Catalogue and configuration procedures DBA scripts use (CatalogueProcedures.cpp).
    int HelpConstraint(const Args& args);
    int Columns(const Args& args);
    int Depends(const Args& args);
    int Configure(const Args& args);
    int HelpFile(const Args& args);
    int HelpTrigger(const Args& args);
    int StoredProcedures(const Args& args);
    int HelpUser(const Args& args);
    int PrimaryKeys(const Args& args);
    int ForeignKeys(const Args& args);
    // sp_MSforeachtable and sp_MSforeachdb: each command once per table (database), '?' standing for its name.
    int ForEach(bool databases, const Args& args);
    // DBCC SQLPERF(LOGSPACE) and DBCC SHOWCONTIG; false for other commands.
    bool DbccReport(const std::string& command, const std::vector<std::string>& args,
                    const std::vector<std::string>& options);

    Executor& x_;
};

} // namespace tw::server
