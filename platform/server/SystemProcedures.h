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

    Executor& x_;
};

} // namespace tw::server
