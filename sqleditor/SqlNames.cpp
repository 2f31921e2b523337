#include "sqleditor/SqlNames.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

// T-SQL's reserved keywords, lower case, sorted for binary search.
const char* const kSqlNamesReserved[] = {
    "add", "all", "alter", "and", "any", "as", "asc", "authorization", "backup", "begin", "between", "break",
    "browse", "bulk", "by", "cascade", "case", "check", "checkpoint", "close", "clustered", "coalesce",
    "collate", "column", "commit", "compute", "constraint", "contains", "containstable", "continue", "convert",
    "create", "cross", "current", "current_date", "current_time", "current_timestamp", "current_user",
    "cursor", "database", "dbcc", "deallocate", "declare", "default", "delete", "deny", "desc", "disk",
    "distinct", "distributed", "double", "drop", "dummy", "dump", "else", "end", "errlvl", "escape", "except",
    "exec", "execute", "exists", "exit", "fetch", "file", "fillfactor", "for", "foreign", "freetext",
    "freetexttable", "from", "full", "function", "goto", "grant", "group", "having", "holdlock", "identity",
    "identity_insert", "identitycol", "if", "in", "index", "inner", "insert", "intersect", "into", "is",
    "join", "key", "kill", "left", "like", "lineno", "load", "national", "nocheck", "nonclustered", "not",
    "null", "nullif", "of", "off", "offsets", "on", "open", "opendatasource", "openquery", "openrowset",
    "openxml", "option", "or", "order", "outer", "over", "percent", "plan", "precision", "primary", "print",
    "proc", "procedure", "public", "raiserror", "read", "readtext", "reconfigure", "references",
    "replication", "restore", "restrict", "return", "revoke", "right", "rollback", "rowcount", "rowguidcol",
    "rule", "save", "schema", "select", "session_user", "set", "setuser", "shutdown", "some", "statistics",
    "system_user", "table", "textsize", "then", "to", "top", "tran", "transaction", "trigger", "truncate",
    "tsequal", "union", "unique", "update", "updatetext", "use", "user", "values", "varying", "view",
    "waitfor", "when", "where", "while", "with", "writetext",
};

bool SqlNamesIsNameChar(unsigned char c)
{
    return std::isalnum(c) != 0 || c == '_' || c == '@' || c == '#' || c == '$';
}

} // namespace

BOOL SqlIsReservedWord(LPCTSTR lpszWord)
{
    if (lpszWord == nullptr)
        return FALSE;
    std::string lower(lpszWord);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::binary_search(std::begin(kSqlNamesReserved), std::end(kSqlNamesReserved), lower,
                              [](const std::string& a, const std::string& b) { return a < b; })
               ? TRUE
               : FALSE;
}

BOOL SqlNameIsPlain(LPCTSTR lpszName)
{
    if (lpszName == nullptr || *lpszName == '\0')
        return FALSE;
    if (std::isdigit(static_cast<unsigned char>(*lpszName)) != 0)
        return FALSE;
    for (const char* p = lpszName; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x80 || !SqlNamesIsNameChar(c))
            return FALSE;
    }
    return !SqlIsReservedWord(lpszName);
}

CString SqlQuoteName(LPCTSTR lpszName, BOOL bAlways)
{
    const char* name = lpszName != nullptr ? lpszName : "";
    if (!bAlways && SqlNameIsPlain(name))
        return CString(name);
    CString strResult("[");
    for (const char* p = name; *p != '\0'; ++p) {
        strResult += *p;
        if (*p == ']')
            strResult += ']';
    }
    strResult += ']';
    return strResult;
}

CString SqlQuoteLiteral(LPCTSTR lpszText)
{
    const char* text = lpszText != nullptr ? lpszText : "";
    bool bWide = false;
    for (const char* p = text; *p != '\0'; ++p)
        bWide = bWide || static_cast<unsigned char>(*p) >= 0x80;
    CString strResult(bWide ? "N'" : "'");
    for (const char* p = text; *p != '\0'; ++p) {
        strResult += *p;
        if (*p == '\'')
            strResult += '\'';
    }
    strResult += '\'';
    return strResult;
}

CString SqlProcArgument(LPCTSTR lpszValue)
{
    return SqlNameIsPlain(lpszValue) ? CString(lpszValue) : SqlQuoteLiteral(lpszValue);
}

CString SqlRoutineArguments(LPCTSTR lpszDottedName)
{
    const std::string name(lpszDottedName != nullptr ? lpszDottedName : "");
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = name.find('.', start);
        parts.push_back(name.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    // Only qualifier.owner.name splits; any other number of dots is one name.
    if (parts.size() > 3 || parts.back().empty())
        return SqlProcArgument(name.c_str());
    CString strResult = SqlProcArgument(parts.back().c_str());
    for (size_t i = parts.size() - 1; i-- > 0;) {
        // An empty owner (as in "db..name") is left to the server's default.
        strResult += ", ";
        strResult += parts[i].empty() ? CString("NULL") : SqlProcArgument(parts[i].c_str());
    }
    return strResult;
}
