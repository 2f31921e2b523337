// A timed driver: prints rows per second through a forward-only recordset
// over the embedded server and through a raw sqlite3_step loop over the same
// rows, the memory a held recordset takes per row, and the time from an
// asynchronous Open to its ExecuteComplete.
//
//     bench_ado [rows]        (default 1,000,000; run in a scratch folder)
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unistd.h>

#include <sqlite3.h>

#include "platform/ado/AdoInterfaces.h"

using namespace ADODB;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long ResidentBytes()
{
    FILE* statm = fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    long pages = 0, resident = 0;
    if (fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    fclose(statm);
    return resident * sysconf(_SC_PAGESIZE);
}

// Ten digits crossed with themselves: one statement makes 10^k rows.
std::string FillStatement(int digits)
{
    std::string from = "Digits d0";
    std::string number = "d0.d";
    for (int i = 1; i < digits; ++i) {
        from += ", Digits d" + std::to_string(i);
        number = "(" + number + ") * 10 + d" + std::to_string(i) + ".d";
    }
    return "insert into Big select " + number + ", 'name ' + convert(varchar(12), " + number + "), (" + number +
           ") / 7.0, convert(money, (" + number + ") % 1000) / 4, dateadd(second, (" + number +
           ") % 86400, '2003-04-05') from " + from;
}

class CompletionSink final : public tw::ComObject<ConnectionEvents> {
public:
    HRESULT InfoMessage(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT BeginTransComplete(long, Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT CommitTransComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT RollbackTransComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT WillExecute(BSTR*, CursorTypeEnum*, LockTypeEnum*, long*, EventStatusEnum* s, _Command*, _Recordset*,
                        _Connection*) override
    {
        return Unwanted(s);
    }
    HRESULT ExecuteComplete(long, Error*, EventStatusEnum*, _Command*, _Recordset*, _Connection*) override
    {
        std::lock_guard lock(m_mutex);
        m_completedAt = Clock::now();
        ++m_count;
        m_done.notify_all();
        return S_OK;
    }
    HRESULT WillConnect(BSTR*, BSTR*, BSTR*, long*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT ConnectComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT Disconnect(EventStatusEnum* s, _Connection*) override { return Unwanted(s); }

    Clock::time_point WaitFor(int count)
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [&] { return m_count >= count; });
        return m_completedAt;
    }

private:
    static HRESULT Unwanted(EventStatusEnum* status)
    {
        *status = adStatusUnwantedEvent;
        return S_OK;
    }
    std::mutex m_mutex;
    std::condition_variable m_done;
    Clock::time_point m_completedAt;
    int m_count = 0;
};

void PrepareRows(_ConnectionPtr& connection, long rows)
{
    connection->Execute("if object_id('Big') is not null drop table Big", nullptr, adCmdText);
    connection->Execute("if object_id('Digits') is not null drop table Digits", nullptr, adCmdText);
    connection->Execute("create table Digits (d int)", nullptr, adCmdText);
    for (int d = 0; d < 10; ++d)
        connection->Execute(("insert into Digits values (" + std::to_string(d) + ")").c_str(), nullptr, adCmdText);
    connection->Execute("create table Big (id int, name varchar(20), ratio float, price money, added datetime)",
                        nullptr, adCmdText);
    int digits = 0;
    for (long n = 1; n < rows; n *= 10)
        ++digits;
    connection->Execute(FillStatement(digits).c_str(), nullptr, adCmdText);
}

double RecordsetRowsPerSecond(_ConnectionPtr& connection, long rows, long& counted, long& bytesPerRow)
{
    const long before = ResidentBytes();
    const auto start = Clock::now();
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open(("select top " + std::to_string(rows) + " id, name, ratio, price, added from Big").c_str(),
             _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly, adCmdText);
    const double openSeconds = SecondsSince(start);
    counted = 0;
    double checksum = 0;
    for (; !rs->GetEOF(); rs->MoveNext()) {
        for (long i = 0; i < 5; ++i) {
            _variant_t value = rs->GetCollect(i);
            if (value.vt == VT_I4)
                checksum += value.lVal;
        }
        ++counted;
    }
    const double seconds = SecondsSince(start);
    bytesPerRow = counted ? (ResidentBytes() - before) / counted : 0;
    rs->Close();
    std::printf("  (checksum %.0f; Open %.2f s, walk %.2f s)\n", checksum, openSeconds, seconds - openSeconds);
    return counted / seconds;
}

double RawSqliteRowsPerSecond(long rows)
{
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db,
                 "create table Big (id int, name text, ratio real, price numeric, added text);"
                 "with recursive n(i) as (select 0 union all select i + 1 from n where i + 1 < 1000000) "
                 "insert into Big select i, 'name ' || i, i / 7.0, (i % 1000) / 4.0, "
                 "datetime('2003-04-05', '+' || (i % 86400) || ' seconds') from n;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* statement = nullptr;
    const std::string text = "select id, name, ratio, price, added from Big limit " + std::to_string(rows);
    sqlite3_prepare_v2(db, text.c_str(), -1, &statement, nullptr);
    const auto start = Clock::now();
    long counted = 0;
    double checksum = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        checksum += sqlite3_column_int(statement, 0);
        checksum += sqlite3_column_bytes(statement, 1);
        checksum += sqlite3_column_double(statement, 2);
        checksum += sqlite3_column_double(statement, 3);
        checksum += sqlite3_column_bytes(statement, 4);
        ++counted;
    }
    const double seconds = SecondsSince(start);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    std::printf("  (raw checksum %.0f)\n", checksum);
    return counted / seconds;
}

double AsyncOpenToCompleteMs(_ConnectionPtr& connection, int rounds)
{
    auto* sink = new CompletionSink;
    DWORD cookie = 0;
    tw::com::Advise(connection, sink->GetUnknown(), IID_ConnectionEvents, &cookie);
    double total = 0;
    for (int round = 1; round <= rounds; ++round) {
        _RecordsetPtr rs("ADODB.Recordset");
        const auto start = Clock::now();
        rs->Open("select top 10 id, name from Big", _variant_t(static_cast<IDispatch*>(connection)),
                 adOpenForwardOnly, adLockReadOnly, adAsyncExecute);
        const auto completed = sink->WaitFor(round);
        total += std::chrono::duration<double, std::milli>(completed - start).count();
    }
    tw::com::Unadvise(connection, IID_ConnectionEvents, cookie);
    sink->Release();
    return total / rounds;
}

} // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    tw::ado::RegisterClasses();
    _ConnectionPtr connection("ADODB.Connection");
    connection->Open("Provider=SQLOLEDB.1;Data Source=(embedded);Initial Catalog=tempdb", "", "", -1);
    try {
        const auto prepare = Clock::now();
        PrepareRows(connection, rows);
        std::printf("prepared %ld rows in %.1f s\n", rows, SecondsSince(prepare));
        long counted = 0, bytesPerRow = 0;
        const double adoRate = RecordsetRowsPerSecond(connection, rows, counted, bytesPerRow);
        const double rawRate = RawSqliteRowsPerSecond(rows);
        std::printf("forward-only recordset: %ld rows, %.0f rows/s\n", counted, adoRate);
        std::printf("raw sqlite3_step loop:  %.0f rows/s\n", rawRate);
        std::printf("ratio raw/recordset:    %.1f\n", rawRate / adoRate);
        std::printf("memory held per row:    %ld bytes\n", bytesPerRow);
        std::printf("async Open to ExecuteComplete: %.3f ms (mean of 50)\n", AsyncOpenToCompleteMs(connection, 50));
    } catch (const _com_error& error) {
        std::fprintf(stderr, "failed: %s\n", static_cast<const char*>(error.Description()));
        return 1;
    }
    return 0;
}
