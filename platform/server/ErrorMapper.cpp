#include "platform/server/ErrorMapper.h"

#include <sqlite3.h>

#include <cstdlib>

namespace tw::server {

namespace error_mapper_detail {

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string AfterLastDot(const std::string& s)
{
    const size_t dot = s.rfind('.');
    return dot == std::string::npos ? s : s.substr(dot + 1);
}

} // namespace error_mapper_detail


std::string ErrorMapper::Encode(int number, int severity, const std::string& text)
{
    return "tw:" + std::to_string(number) + ":" + std::to_string(severity) + ":" + text;
}

SqlError ErrorMapper::FromSqlite(sqlite3* db, const std::string& message,
                                 const std::map<std::string, std::string>* spellings)
{
    const int code = db ? sqlite3_extended_errcode(db) : 0;
    if (error_mapper_detail::StartsWith(message, "tw:")) {
        const char* p = message.c_str() + 3;
        char* end = nullptr;
        const int number = static_cast<int>(std::strtol(p, &end, 10));
        const int severity = static_cast<int>(std::strtol(end + 1, &end, 10));
        SqlError e(number, severity, std::string(end + 1));
        if (number == 8134 || number == 245 || number == 8115)
            e.scope = SqlError::Scope::Statement;
        if (number == 1205)
            e.scope = SqlError::Scope::Batch; // the deadlock victim's transaction ends with it
        return e;
    }
    if (message == "integer overflow") // SUM past 64 bits
        return SqlError(8115, 16, "Arithmetic overflow error converting expression to data type bigint.",
                        SqlError::Scope::Statement);
    if (code == SQLITE_INTERRUPT || message == "interrupted")
        return SqlError(0, 0, "Query was cancelled by user.", SqlError::Scope::Batch);
    if (error_mapper_detail::StartsWith(message, "no such table: ") || error_mapper_detail::StartsWith(message, "no such view: ")) {
        const std::string name = message.substr(message.find(": ") + 2);
        std::string spelled = error_mapper_detail::AfterLastDot(name);
        if (spellings) {
            auto it = spellings->find(error_mapper_detail::Lower(spelled));
            if (it != spellings->end())
                spelled = it->second;
        }
        return SqlError::InvalidObject(spelled);
    }
    if (error_mapper_detail::StartsWith(message, "no such column: ")) {
        const std::string name = message.substr(16);
        if (name.find('.') != std::string::npos)
            return SqlError(4104, 16, "The multi-part identifier \"" + name + "\" could not be bound.",
                            SqlError::Scope::Batch);
        return SqlError::InvalidColumn(name);
    }
    if (error_mapper_detail::StartsWith(message, "ambiguous column name: "))
        return SqlError(209, 16, "Ambiguous column name '" + message.substr(23) + "'.", SqlError::Scope::Batch);
    if (error_mapper_detail::StartsWith(message, "NOT NULL constraint failed: ")) {
        const std::string where = message.substr(28);
        const size_t dot = where.find('.');
        const std::string table = dot == std::string::npos ? where : where.substr(0, dot);
        const std::string column = dot == std::string::npos ? where : where.substr(dot + 1);
        return SqlError(515, 16, "Cannot insert the value NULL into column '" + column + "', table '" + table +
                                     "'; column does not allow nulls. INSERT fails.", SqlError::Scope::Statement, 2);
    }
    if (error_mapper_detail::StartsWith(message, "UNIQUE constraint failed: ") || error_mapper_detail::StartsWith(message, "PRIMARY KEY constraint failed")) {
        std::string where = message.substr(message.find(": ") + 2);
        const size_t dot = where.find('.');
        const std::string table = dot == std::string::npos ? where : where.substr(0, dot);
        return SqlError(2627, 14, "Violation of PRIMARY KEY or UNIQUE KEY constraint. Cannot insert duplicate key in "
                                  "object 'dbo." + table + "'.", SqlError::Scope::Statement);
    }
    if (error_mapper_detail::StartsWith(message, "FOREIGN KEY constraint failed"))
        return SqlError(547, 16, "The statement conflicted with a FOREIGN KEY constraint. The statement has been "
                                 "terminated.", SqlError::Scope::Statement);
    if (error_mapper_detail::StartsWith(message, "CHECK constraint failed: ")) {
        const std::string name = message.substr(25);
        if (error_mapper_detail::StartsWith(name, "tw_type"))
            return SqlError(245, 16, "Conversion failed when converting a value to the data type of column '" +
                                         name.substr(8) + "'.", SqlError::Scope::Statement);
        if (error_mapper_detail::StartsWith(name, "tw_range_")) {
            const std::string type = name.substr(9, name.find('_', 9) - 9);
            return SqlError(8115, 16, "Arithmetic overflow error converting expression to data type " + type + ".",
                            SqlError::Scope::Statement);
        }
        if (error_mapper_detail::StartsWith(name, "tw_length"))
            return SqlError(8152, 16, "String or binary data would be truncated.", SqlError::Scope::Statement, 14);
        return SqlError(547, 16, "The statement conflicted with the CHECK constraint \"" + name + "\".",
                        SqlError::Scope::Statement);
    }
    if (error_mapper_detail::StartsWith(message, "wrong number of arguments to function ")) {
        std::string fn = message.substr(38);
        if (fn.size() > 2 && fn.compare(fn.size() - 2, 2, "()") == 0)
            fn.resize(fn.size() - 2);
        if (error_mapper_detail::StartsWith(fn, "tw_"))
            fn = fn.substr(3);
        return SqlError(174, 15, "The " + fn + " function requires a different number of arguments.",
                        SqlError::Scope::Batch);
    }
    if (message.find(" values were supplied") != std::string::npos || message.find(" values for ") != std::string::npos)
        return SqlError(213, 16, "Insert Error: Column name or number of supplied values does not match table "
                                 "definition.", SqlError::Scope::Batch);
    if (error_mapper_detail::StartsWith(message, "misuse of aggregate"))
        return SqlError(147, 15, "An aggregate may not appear in the WHERE clause unless it is in a subquery contained "
                                 "in a HAVING clause or a select list, and the column being aggregated is an outer "
                                 "reference.", SqlError::Scope::Batch);
    // SQLite's own limits on nesting meet a text the translator passed: SQL Server's answer to text nested too deeply.
    if (message == "parser stack overflow" || error_mapper_detail::StartsWith(message, "Expression tree is too large"))
        return SqlError::NestedTooDeeply();
    if (message.find("ORDER BY term out of range") != std::string::npos)
        return SqlError(108, 15, "The ORDER BY position number is out of range of the number of items in the select "
                                 "list.", SqlError::Scope::Batch);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED || (code & 0xff) == SQLITE_BUSY)
        return SqlError(1222, 16, "Lock request time out period exceeded.", SqlError::Scope::Statement, 51);
    if (error_mapper_detail::StartsWith(message, "table ") && message.find("already exists") != std::string::npos)
        return SqlError(2714, 16, "There is already an object named '" + error_mapper_detail::AfterLastDot(message.substr(6, message.find(' ', 6) - 6)) +
                                      "' in the database.", SqlError::Scope::Statement, 6);
    return SqlError(50000 + 1, 16, "The embedded server could not run the statement: " + message,
                    SqlError::Scope::Statement);
}

} // namespace tw::server
