// Only the driver manager's headers and our own plain-typed header here.
#include "platform/ado/OdbcCalls.h"

#include <cstdio>
#include <strings.h>

#include <sql.h>
#include <sqlext.h>

namespace tw::ado::odbc {

namespace callsdetail {

Status StatusOf(SQLRETURN rc)
{
    switch (rc) {
    case SQL_SUCCESS: return Status::Success;
    case SQL_SUCCESS_WITH_INFO: return Status::SuccessWithInfo;
    case SQL_NO_DATA: return Status::NoData;
    default: return Status::Error;
    }
}

bool Ok(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

std::vector<Diagnostic> Read(SQLSMALLINT handleType, SQLHANDLE handle)
{
    std::vector<Diagnostic> diagnostics;
    if (!handle)
        return diagnostics;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLCHAR text[2048] = {};
        SQLSMALLINT length = 0;
        if (!Ok(SQLGetDiagRec(handleType, handle, record, state, &native, text, sizeof text, &length)))
            break;
        diagnostics.push_back({reinterpret_cast<const char*>(state), static_cast<long>(native),
                               reinterpret_cast<const char*>(text)});
    }
    return diagnostics;
}

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT what)
{
    if (!dbc)
        return {};
    SQLCHAR value[256] = {};
    SQLSMALLINT length = 0;
    if (!Ok(SQLGetInfo(dbc, what, value, sizeof value, &length)))
        return {};
    return reinterpret_cast<const char*>(value);
}

const char* TypeNameOf(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_BIT: return "bit";
    case SQL_TINYINT: return "tinyint";
    case SQL_SMALLINT: return "smallint";
    case SQL_INTEGER: return "int";
    case SQL_BIGINT: return "bigint";
    case SQL_REAL: return "real";
    case SQL_FLOAT:
    case SQL_DOUBLE: return "float";
    case SQL_DECIMAL: return "decimal";
    case SQL_NUMERIC: return "numeric";
    case SQL_TYPE_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TIMESTAMP:
    case SQL_DATE: return "datetime";
    case SQL_CHAR: return "char";
    case SQL_LONGVARCHAR: return "text";
    case SQL_WCHAR: return "nchar";
    case SQL_WVARCHAR: return "nvarchar";
    case SQL_WLONGVARCHAR: return "ntext";
    case SQL_BINARY: return "binary";
    case SQL_VARBINARY: return "varbinary";
    case SQL_LONGVARBINARY: return "image";
    case SQL_GUID: return "uniqueidentifier";
    default: return "varchar";
    }
}

// Reads a value in pieces; false for NULL.
bool ReadLong(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, std::string& out)
{
    char buffer[4096];
    const size_t terminator = cType == SQL_C_CHAR ? 1 : 0;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, column, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        if (!Ok(rc))
            return !out.empty();
        if (indicator == SQL_NULL_DATA)
            return false;
        const size_t room = sizeof buffer - terminator;
        const size_t got = (indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(room))
                               ? room
                               : static_cast<size_t>(indicator);
        out.append(buffer, got);
        if (rc == SQL_SUCCESS)
            return true;
    }
}

} // namespace callsdetail

using callsdetail::Ok;

Connection::Connection()
{
    SQLHENV env = nullptr;
    if (!Ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    m_env = env;
    SQLHDBC dbc = nullptr;
    if (Ok(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)))
        m_dbc = dbc;
}

Connection::~Connection()
{
    if (m_dbc) {
        if (m_connected)
            SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    if (m_env)
        SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

Status Connection::Connect(const std::string& connectionString, long loginTimeoutSeconds)
{
    if (!m_dbc)
        return Status::Error;
    if (loginTimeoutSeconds > 0)
        SQLSetConnectAttr(m_dbc, SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(static_cast<intptr_t>(loginTimeoutSeconds)), 0);
    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    const SQLRETURN rc =
        SQLDriverConnect(m_dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectionString.c_str())),
                         SQL_NTS, out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    m_connected = Ok(rc);
    return callsdetail::StatusOf(rc);
}

std::vector<Diagnostic> Connection::Diagnostics() const
{
    if (!m_dbc)
        return callsdetail::Read(SQL_HANDLE_ENV, m_env);
    return callsdetail::Read(SQL_HANDLE_DBC, m_dbc);
}

std::string Connection::DbmsName() const { return callsdetail::InfoText(m_dbc, SQL_DBMS_NAME); }
std::string Connection::DbmsVersion() const { return callsdetail::InfoText(m_dbc, SQL_DBMS_VER); }
std::string Connection::DriverName() const { return callsdetail::InfoText(m_dbc, SQL_DRIVER_NAME); }
bool Connection::MultipleResults() const { return callsdetail::InfoText(m_dbc, SQL_MULT_RESULT_SETS) == "Y"; }

std::string Connection::CurrentCatalog() const
{
    SQLCHAR name[512] = {};
    SQLINTEGER length = 0;
    if (!m_dbc || !Ok(SQLGetConnectAttr(m_dbc, SQL_ATTR_CURRENT_CATALOG, name, sizeof name, &length)))
        return {};
    return reinterpret_cast<const char*>(name);
}

Statement::Statement(Connection& connection)
{
    SQLHSTMT stmt = nullptr;
    if (connection.m_connected && Ok(SQLAllocHandle(SQL_HANDLE_STMT, connection.m_dbc, &stmt)))
        m_stmt = stmt;
}

Statement::~Statement()
{
    std::lock_guard lock(m_mutex);
    if (m_stmt)
        SQLFreeHandle(SQL_HANDLE_STMT, m_stmt);
    m_stmt = nullptr;
}

Status Statement::ExecDirect(const std::string& text)
{
    return callsdetail::StatusOf(SQLExecDirect(m_stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())),
                                               static_cast<SQLINTEGER>(text.size())));
}

Status Statement::ListCatalogs()
{
    static char allCatalogs[] = SQL_ALL_CATALOGS;
    static char empty[] = "";
    return callsdetail::StatusOf(SQLTables(m_stmt, reinterpret_cast<SQLCHAR*>(allCatalogs), SQL_NTS,
                                           reinterpret_cast<SQLCHAR*>(empty), 0, reinterpret_cast<SQLCHAR*>(empty),
                                           0, nullptr, 0));
}

int Statement::ColumnCount()
{
    SQLSMALLINT count = 0;
    SQLNumResultCols(m_stmt, &count);
    return count;
}

int64_t Statement::RowCount()
{
    SQLLEN count = -1;
    if (!Ok(SQLRowCount(m_stmt, &count)))
        return -1;
    return count;
}

ColumnDescription Statement::Describe(int column)
{
    SQLCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLDescribeCol(m_stmt, static_cast<SQLUSMALLINT>(column), name, sizeof name, &nameLength, &sqlType, &size,
                   &digits, &nullable);
    ColumnDescription description;
    description.name = reinterpret_cast<const char*>(name);
    description.typeName = callsdetail::TypeNameOf(sqlType);
    SQLCHAR typeName[64] = {};
    SQLSMALLINT typeNameLength = 0;
    SQLColAttribute(m_stmt, static_cast<SQLUSMALLINT>(column), SQL_DESC_TYPE_NAME, typeName, sizeof typeName,
                    &typeNameLength, nullptr);
    const char* serverType = reinterpret_cast<const char*>(typeName);
    if (strcasecmp(serverType, "money") == 0 || strcasecmp(serverType, "smallmoney") == 0)
        description.typeName = "money";
    description.size = static_cast<int64_t>(size);
    description.digits = digits;
    description.nullable = nullable != SQL_NO_NULLS;
    description.wide = sqlType == SQL_WCHAR || sqlType == SQL_WVARCHAR || sqlType == SQL_WLONGVARCHAR;
    return description;
}

Status Statement::Fetch() { return callsdetail::StatusOf(SQLFetch(m_stmt)); }

void Statement::ReadCell(int columnNumber, CellKind kind, Cell& cell)
{
    const auto column = static_cast<SQLUSMALLINT>(columnNumber);
    SQLLEN indicator = 0;
    cell = Cell{};
    switch (kind) {
    case CellKind::Integer: {
        SQLBIGINT value = 0;
        SQLGetData(m_stmt, column, SQL_C_SBIGINT, &value, sizeof value, &indicator);
        cell.isNull = indicator == SQL_NULL_DATA;
        cell.integer = value;
        return;
    }
    case CellKind::Real:
        SQLGetData(m_stmt, column, SQL_C_DOUBLE, &cell.real, sizeof cell.real, &indicator);
        cell.isNull = indicator == SQL_NULL_DATA;
        return;
    case CellKind::Timestamp: {
        SQL_TIMESTAMP_STRUCT ts{};
        SQLGetData(m_stmt, column, SQL_C_TYPE_TIMESTAMP, &ts, sizeof ts, &indicator);
        cell.isNull = indicator == SQL_NULL_DATA;
        char text[64];
        snprintf(text, sizeof text, "%04d-%02u-%02u %02u:%02u:%02u.%03u", ts.year, ts.month, ts.day, ts.hour,
                 ts.minute, ts.second, static_cast<unsigned>(ts.fraction / 1000000));
        cell.text = text;
        return;
    }
    case CellKind::Bytes: cell.isNull = !callsdetail::ReadLong(m_stmt, column, SQL_C_BINARY, cell.text); return;
    case CellKind::DecimalText:
    case CellKind::Text: cell.isNull = !callsdetail::ReadLong(m_stmt, column, SQL_C_CHAR, cell.text); return;
    }
}

Status Statement::MoreResults() { return callsdetail::StatusOf(SQLMoreResults(m_stmt)); }

void Statement::CloseCursor() { SQLCloseCursor(m_stmt); }

void Statement::Cancel()
{
    std::lock_guard lock(m_mutex);
    if (m_stmt)
        SQLCancel(m_stmt);
}

std::vector<Diagnostic> Statement::Diagnostics() const { return callsdetail::Read(SQL_HANDLE_STMT, m_stmt); }

} // namespace tw::ado::odbc
