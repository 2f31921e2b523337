// A thin layer over the ODBC driver manager, in plain C++ types: the driver
// manager's headers declare their own Windows types, so they stay inside
// OdbcCalls.cpp, apart from the platform's declarations.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tw::ado::odbc {

enum class Status { Success, SuccessWithInfo, NoData, Error };

inline bool Succeeded(Status status) { return status == Status::Success || status == Status::SuccessWithInfo; }

struct Diagnostic {
    std::string sqlState;
    long nativeError = 0;
    std::string text;
};

struct ColumnDescription {
    std::string name;
    std::string typeName; // the server's type name as our results name it ("int", "nvarchar", ...)
    int64_t size = 0;     // characters for text, bytes otherwise
    int digits = 0;
    bool nullable = true;
    bool wide = false;
};

enum class CellKind { Integer, Real, DecimalText, Timestamp, Text, Bytes };

struct Cell {
    bool isNull = false;
    int64_t integer = 0;
    double real = 0;
    std::string text; // text, decimal text, bytes, or "YYYY-MM-DD hh:mm:ss.mmm"
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Status Connect(const std::string& connectionString, long loginTimeoutSeconds);
    std::vector<Diagnostic> Diagnostics() const;
    std::string DbmsName() const;
    std::string DbmsVersion() const;
    std::string DriverName() const;
    // Whether the driver returns several result sets from one statement.
    bool MultipleResults() const;
    std::string CurrentCatalog() const;

private:
    friend class Statement;
    void* m_env = nullptr;
    void* m_dbc = nullptr;
    bool m_connected = false;
};

// One statement; Cancel may be called from another thread while it runs.
class Statement {
public:
    explicit Statement(Connection& connection);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Allocated() const { return m_stmt != nullptr; }
    Status ExecDirect(const std::string& text);
    Status ListCatalogs();
    int ColumnCount();
    int64_t RowCount();
    ColumnDescription Describe(int column);
    Status Fetch();
    void ReadCell(int column, CellKind kind, Cell& cell);
    Status MoreResults();
    void CloseCursor();
    void Cancel();
    std::vector<Diagnostic> Diagnostics() const;

private:
    mutable std::mutex m_mutex;
    void* m_stmt = nullptr;
};

} // namespace tw::ado::odbc
