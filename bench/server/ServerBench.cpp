// Prints how fast the embedded server streams a large SELECT through its own
// interface compared with the raw sqlite3_step loop over the same table (the
// limit), and how long each catalogue query of the object tree takes on the
// sample database. Run by hand: bench_server [rows]
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/server/BufferedSink.h"
#include "platform/server/Server.h"
#include "platform/server/SqlFunctions.h"

using namespace tw::server;

namespace {

class CountingSink : public ResultSink {
public:
    int64_t rows = 0;
    int64_t bytes = 0;
    void BeginResultSet(const std::vector<ColumnInfo>&) override {}
    bool RowFetched(const Row& row) override
    {
        ++rows;
        for (const Value& v : row)
            bytes += static_cast<int64_t>(v.text.size());
        return true;
    }
    void EndResultSet() override {}
    void RowsAffected(int64_t, tw::server::RowCountOf) override {}
    void MessageReceived(const Message& m) override
    {
        if (m.IsError())
            std::fprintf(stderr, "error: %s\n", m.text.c_str());
    }
    void ReturnStatus(int) override {}
    void OutputParameter(const std::string&, const Value&) override {}
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double RawLoop(const std::string& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT id, name, amount, created, flag FROM Big", -1, &stmt, nullptr);
    const auto start = std::chrono::steady_clock::now();
    int64_t rows = 0, bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int i = 0; i < 5; ++i)
            bytes += sqlite3_column_bytes(stmt, i);
    }
    const double seconds = Seconds(start);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows / seconds;
}

} // namespace

int main(int argc, char** argv)
{
    const int64_t rows = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const auto work = std::filesystem::temp_directory_path() / "tarnwick-bench-server";
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work);
    std::string error;
    auto server = Server::Open(work.string(), &error);
    if (!server) {
        std::fprintf(stderr, "cannot open the server: %s\n", error.c_str());
        return 1;
    }
    LoginInfo login;
    login.database = Server::kSampleDatabase;
    auto session = server->Connect(login);
    BufferedSink ddl;
    session->Execute("CREATE TABLE Big (id int NOT NULL PRIMARY KEY, name varchar(40) NULL, amount money NULL, "
                     "created datetime NULL, flag bit NULL)", ddl);
    // Filled straight through SQLite: the fill is not what is measured.
    const std::string file = (work / "data/server" / (std::string(Server::kSampleDatabase) + ".db")).string();
    {
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        // The money column's check calls the server's own functions.
        SqlFunctions::Register(db, nullptr);
        // The triggers that normalise date spellings go first; the fill writes canonical dates anyway.
        sqlite3_exec(db, "DROP TRIGGER \"tw_date_Big_created_i\"; DROP TRIGGER \"tw_date_Big_created_u\"", nullptr,
                     nullptr, nullptr);
        const std::string fill =
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
            ") INSERT INTO Big SELECT i, 'name ' || i, i * 0.25, '2024-01-01 10:00:00.000', i % 2 FROM n";
        char* message = nullptr;
        if (sqlite3_exec(db, fill.c_str(), nullptr, nullptr, &message) != SQLITE_OK)
            std::fprintf(stderr, "fill failed: %s\n", message);
        sqlite3_close(db);
    }

    const double raw = RawLoop(file);
    CountingSink sink;
    const auto start = std::chrono::steady_clock::now();
    session->Execute("SELECT id, name, amount, created, flag FROM Big", sink);
    const double served = sink.rows / Seconds(start);
    std::printf("rows: %lld\n", static_cast<long long>(sink.rows));
    std::printf("raw sqlite3_step loop: %.0f rows/s\n", raw);
    std::printf("server interface:      %.0f rows/s\n", served);
    std::printf("ratio server/raw:      %.2f\n", served / raw);

    const char* const tree[] = {
        "use master;select Name,DATABASEPROPERTYEX(name,'Status') as Status from sysdatabases",
        "select name,xtype,type from sysobjects where (status > 0 and (type = 'U' or type = 'S' or type = 'TR' or "
        "type = 'K' or type = 'C' or type = 'V' or type = 'P' or type = 'RF' or type = 'X' or type = 'FN' or type = "
        "'IF' or type = 'TF' or type = 'R' or type = 'D')) or (status < 0 and type in ('C','D','F','L','K','TR'));",
        "Select name from sysobjects where parent_obj=object_id('Products') and xtype in ('C','D')",
        "Select distinct object_name(id) as name from sysdepends where depid=object_id('dbo.Orders')",
        "Select distinct object_name(depid) as name from sysdepends where id=object_id('dbo.OrderTotals')",
        "Select name From syscolumns Where id = object_id('orders')",
        "sp_sproc_columns usp_CustomerOrders",
        "SELECT name,cast(value as nvarchar(4000)) as value FROM ::fn_listextendedproperty(NULL,'user','dbo','table',"
        "'Customers',DEFAULT,DEFAULT);",
    };
    for (const char* text : tree) {
        auto catalogue = server->Connect(login);
        const int runs = 200;
        const auto begin = std::chrono::steady_clock::now();
        for (int i = 0; i < runs; ++i) {
            BufferedSink s;
            catalogue->Execute(text, s);
        }
        std::printf("%8.3f ms  %.70s\n", Seconds(begin) * 1000 / runs, text);
    }
    session.reset();
    server.reset();
    std::filesystem::remove_all(work);
    return 0;
}
