// Prints how long the embedded server takes to run a script of single-row
// INSERTs inside one transaction, against SQLite running the same inserts
// in the same run (the raw baseline). Run by hand: bench_server_inserts [rows]
#include <sqlite3.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/server/BufferedSink.h"
#include "platform/server/Server.h"

using namespace tw::server;

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The thread's own CPU time: on a machine shared with other work the wall
// clock also counts the time others took.
double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

std::string InsertScript(int rows)
{
    std::string script;
    script.reserve(static_cast<size_t>(rows) * 80);
    for (int i = 1; i <= rows; ++i)
        script += "INSERT INTO Bulk (id, name, amount) VALUES (" + std::to_string(i) + ", 'name " + std::to_string(i) +
                  "', " + std::to_string(i) + ".25);\n";
    return script;
}

Timing RawSqlite(const std::filesystem::path& folder, const std::string& inserts)
{
    sqlite3* db = nullptr;
    sqlite3_open((folder / "raw.db").string().c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE Bulk (id int NOT NULL PRIMARY KEY, name varchar(40), amount numeric(12,2))",
                 nullptr, nullptr, nullptr);
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    char* message = nullptr;
    if (sqlite3_exec(db, ("BEGIN;\n" + inserts + "COMMIT;").c_str(), nullptr, nullptr, &message) != SQLITE_OK)
        std::fprintf(stderr, "sqlite: %s\n", message);
    const Timing timing{Seconds(start), CpuSeconds() - cpu};
    sqlite3_close(db);
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const auto work = std::filesystem::temp_directory_path() / "tarnwick-bench-inserts";
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
    session->Execute("CREATE TABLE Bulk (id int NOT NULL PRIMARY KEY, name varchar(40) NULL, amount money NULL)", ddl);
    const std::string inserts = InsertScript(rows);

    const Timing raw = RawSqlite(work, inserts);
    BufferedSink sink;
    const auto start = std::chrono::steady_clock::now();
    const double cpu = CpuSeconds();
    session->Execute("SET NOCOUNT ON\nBEGIN TRANSACTION\n" + inserts + "COMMIT TRANSACTION", sink);
    const Timing served{Seconds(start), CpuSeconds() - cpu};
    if (sink.HasError())
        std::fprintf(stderr, "error: %s\n", sink.FirstError()->text.c_str());
    BufferedSink count;
    session->Execute("SELECT COUNT(*) FROM Bulk", count);
    std::printf("rows inserted:          %s of %d\n", count.resultSets.at(0).rows.at(0).at(0).ToText().c_str(), rows);
    std::printf("raw SQLite, same text:  %.3f s wall, %.3f s CPU (%.1f us a row)\n", raw.wall, raw.cpu,
                raw.cpu * 1e6 / rows);
    std::printf("embedded server:        %.3f s wall, %.3f s CPU (%.1f us a row)\n", served.wall, served.cpu,
                served.cpu * 1e6 / rows);
    std::printf("ratio server/raw, wall: %.2f\n", served.wall / raw.wall);
    std::printf("ratio server/raw, CPU:  %.2f\n", served.cpu / raw.cpu);
    session.reset();
    server.reset();
    std::filesystem::remove_all(work);
    return 0;
}
