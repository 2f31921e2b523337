// The road a result's rows take, measured in one run over one table of five
// columns (int, two short texts, a datetime, a decimal) in the embedded server:
//   (a) the raw sqlite3_step + sqlite3_column_text loop over the table's file,
//   (b) the server's own interface with a sink that only looks at each row,
//   (c) the whole path as the grid fetch worker takes it: an asynchronous
//       forward-only read-only recordset, ExecuteComplete starting a worker
//       thread, Fields by index, one string array per row handed to the grid
//       wrapper's AppendRecord, while the grid's thread pumps and repaints.
// The last lines are the figures that matter, (c) against (a).
//
//     bench_results [rows]        (default 1,000,000)
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/ado/AdoInterfaces.h"
#include "platform/controls/grid/GridAutomation.h"
#include "platform/server/Server.h"
#include "bench/results/FillResultRows.h"
#include "platform/server/SqlFunctions.h"
#include "session/dxDBGrid.h"

using namespace ADODB;

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kSelect = "SELECT id, name, code, added, price FROM Results";
constexpr UINT kFetchDone = WM_APP + 1;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double MsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// CPU time, which other work on the machine does not stretch as it does the
// wall clock: of this thread (a and b run on it) or of the whole process (c).
double CpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
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

// Counts the rows and their text; reports errors.
struct CountingSink : tw::server::ResultSink {
    long rows = 0;
    long bytes = 0;
    void BeginResultSet(const std::vector<tw::server::ColumnInfo>&) override {}
    bool RowFetched(const tw::server::Row& row) override
    {
        ++rows;
        for (const tw::server::Value& v : row)
            bytes += static_cast<long>(v.text.size());
        return true;
    }
    void EndResultSet() override {}
    void RowsAffected(int64_t, tw::server::RowCountOf) override {}
    void MessageReceived(const tw::server::Message& m) override
    {
        if (m.IsError())
            std::fprintf(stderr, "error: %s\n", m.text.c_str());
    }
    void ReturnStatus(int) override {}
    void OutputParameter(const std::string&, const tw::server::Value&) override {}
};

// Made through the server so its catalogue knows the types, filled straight
// through SQLite: the fill is not what is measured.
bool FillTable(const std::string& databaseFile, long rows)
{
    std::string error;
    std::shared_ptr<tw::server::Server> server = tw::server::Server::Shared(&error);
    if (!server) {
        std::fprintf(stderr, "cannot open the server: %s\n", error.c_str());
        return false;
    }
    tw::server::LoginInfo login;
    login.database = tw::server::Server::kSampleDatabase;
    auto session = server->Connect(login);
    CountingSink quiet;
    session->Execute("CREATE TABLE Results (id int NOT NULL, name varchar(24) NULL, code varchar(8) NULL, "
                     "added datetime NULL, price decimal(12,2) NULL)",
                     quiet);
    return tw::bench::FillResultRows(databaseFile, "Results", rows);
}

// (a) The limit: SQLite's own loop over the same rows, every cell as text.
double RawRowsPerSecond(const std::string& databaseFile, long& textBytes, double& cpuPerRow)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(databaseFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kSelect, -1, &statement, nullptr);
    const auto start = Clock::now();
    const double cpuStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    long rows = 0;
    textBytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int i = 0; i < 5; ++i) {
            sqlite3_column_text(statement, i);
            textBytes += sqlite3_column_bytes(statement, i);
        }
        ++rows;
    }
    const double seconds = SecondsSince(start);
    cpuPerRow = (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart) / double(rows ? rows : 1);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows / seconds;
}

// (b) The server's interface, with a sink that reads each cell's text.
double ServerRowsPerSecond(double& cpuPerRow)
{
    CountingSink sink;
    tw::server::LoginInfo login;
    login.database = tw::server::Server::kSampleDatabase;
    auto session = tw::server::Server::Shared()->Connect(login);
    const auto start = Clock::now();
    const double cpuStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    session->Execute(kSelect, sink);
    cpuPerRow = (CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpuStart) / double(sink.rows ? sink.rows : 1);
    return sink.rows / SecondsSince(start);
}

// What the worker measures of (c) while it runs.
struct PathRun {
    Clock::time_point started;
    Clock::time_point finished;
    std::atomic<long> rows{0};
    long textBytes = 0;
    std::string failure;
    HWND window = nullptr;
    CdxDBGrid* grid = nullptr;
    _RecordsetPtr recordset;
    std::thread worker;
};

// The cell text as the worker makes it: binary as a marker, strings kept,
// everything else through the standard conversion; empty when that fails.
_variant_t CellText(FieldPtr& field)
{
    const DataTypeEnum type = field->GetType();
    if (type == adBinary || type == adVarBinary || type == adLongVarBinary)
        return _variant_t("(...)<Binary>/<Raw>");
    _variant_t value = field->GetValue();
    if (value.vt == VT_BSTR)
        return value;
    _variant_t text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR))) {
        text = _variant_t("");
    }
    return text;
}

void SetupGridColumns(CdxDBGrid& grid, FieldsPtr& fields, long count)
{
    for (long i = 0; i < count; ++i) {
        FieldPtr field = fields->GetItem(i);
        std::string name = static_cast<const char*>(field->GetName());
        if (name.empty())
            name = "Untitled";
        CdxDBGridColumn column = grid.GetColumns().Add(1);
        column.SetFieldName(name.c_str());
        column.SetCaption(name.c_str());
        column.SetName(name.c_str());
        column.SetProperty25(0);
        column.SetProperty19(1);
        grid.GetDataset().GetFieldDefs().Add(name.c_str(), 3, field->GetActualSize());
        grid.GetColumns().GetItem(i).SetProperty46(1);
        grid.SetKeyField("");
        grid.SetOptionIndex(9);
        grid.SetOptionValue(FALSE);
    }
}

void FetchToGrid(PathRun& run)
{
    _RecordsetPtr rs = run.recordset;
    if (rs->GetState() != adStateOpen)
        return;
    FieldsPtr fields = rs->GetFields();
    const long count = fields->GetCount();
    if (count == 0 || rs->GetBOF())
        return;
    SetupGridColumns(*run.grid, fields, count);
    CdxDBGridDataset dataset = run.grid->GetDataset();
    dataset.DisableControls();
    dataset.Open();
    while (!rs->GetEOF()) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(count));
        for (LONG i = 0; i < count; ++i) {
            FieldPtr field = fields->GetItem(i);
            _variant_t text = CellText(field);
            run.textBytes += static_cast<long>(SysStringLen(text.bstrVal));
            SafeArrayPutElement(array, &i, &text);
        }
        VARIANT record;
        record.vt = VT_ARRAY | VT_VARIANT;
        record.parray = array;
        dataset.AppendRecord(record);
        SafeArrayDestroy(array);
        ++run.rows;
        rs->MoveNext();
    }
    dataset.EnableControls();
    dataset.First();
    run.grid->GetView().CallMethod214();
}

// Starts the worker the way the program's connection sink does.
class StartWorkerSink final : public tw::ComObject<ConnectionEvents> {
public:
    explicit StartWorkerSink(PathRun& run) : m_run(run) {}
    HRESULT InfoMessage(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT BeginTransComplete(long, Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT CommitTransComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT RollbackTransComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT WillExecute(BSTR*, CursorTypeEnum*, LockTypeEnum*, long*, EventStatusEnum* s, _Command*, _Recordset*,
                        _Connection*) override
    {
        return Unwanted(s);
    }
    HRESULT ExecuteComplete(long, Error*, EventStatusEnum*, _Command*, _Recordset* recordset, _Connection*) override
    {
        m_run.recordset = recordset;
        PathRun& run = m_run;
        m_run.worker = std::thread([&run] {
            try {
                FetchToGrid(run);
            } catch (const _com_error& error) {
                run.failure = static_cast<const char*>(error.Description());
            } catch (CException* e) {
                char text[256] = {};
                e->GetErrorMessage(text, sizeof text);
                run.failure = text;
                e->Delete();
            }
            run.finished = Clock::now();
            PostMessage(run.window, kFetchDone, 0, 0);
        });
        return S_OK;
    }
    HRESULT WillConnect(BSTR*, BSTR*, BSTR*, long*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT ConnectComplete(Error*, EventStatusEnum* s, _Connection*) override { return Unwanted(s); }
    HRESULT Disconnect(EventStatusEnum* s, _Connection*) override { return Unwanted(s); }

private:
    static HRESULT Unwanted(EventStatusEnum* status)
    {
        *status = adStatusUnwantedEvent;
        return S_OK;
    }
    PathRun& m_run;
};

struct PathFigures {
    double rowsPerSecond = 0;
    double cpuPerRow = 0;
    double firstShownMs = -1;
    double slowestRepaintMs = 0;
    int repaints = 0;
    long rows = 0;
    long textBytes = 0;
    long residentGrowth = 0;
    size_t gridBytes = 0;
};

// (c) The grid's thread is this one: it makes the grid, opens the batch and
// pumps (painting as rows arrive) until the worker is done.
PathFigures MeasurePath()
{
    PathFigures figures;
    PathRun run;
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "Results", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 600, nullptr,
                   nullptr);
    CdxDBGrid grid;
    if (!grid.Create(nullptr, "ResultGrid", WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 600), &frame, 1)) {
        std::fprintf(stderr, "cannot create the grid\n");
        return figures;
    }
    grid.SetDatasetType(1);
    auto* control = dynamic_cast<tw::grid::GridControlObject*>(grid.GetControlUnknown());
    run.window = frame.GetSafeHwnd();
    run.grid = &grid;

    _ConnectionPtr connection("ADODB.Connection");
    connection->Open("Provider=SQLOLEDB.1;Data Source=(embedded);Initial Catalog=TarnSample", "", "", -1);
    connection->PutCommandTimeout(0);
    auto* sink = new StartWorkerSink(run);
    DWORD cookie = 0;
    tw::com::Advise(connection, sink->GetUnknown(), IID_ConnectionEvents, &cookie);

    const long residentBefore = ResidentBytes();
    _RecordsetPtr rs("ADODB.Recordset");
    run.started = Clock::now();
    const double cpuStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    rs->Open(kSelect, _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly,
             adAsyncExecute);
    MSG message;
    while (GetMessage(&message, nullptr, 0, 0) > 0) {
        if (message.message == kFetchDone)
            break;
        const bool gridPaint = message.message == WM_PAINT && message.hwnd == grid.GetSafeHwnd();
        const bool hasRows = control->Model()->Dataset().RowCount() > 0;
        const auto before = Clock::now();
        DispatchMessage(&message);
        if (!gridPaint)
            continue;
        const auto after = Clock::now();
        ++figures.repaints;
        figures.slowestRepaintMs = std::max(figures.slowestRepaintMs, MsBetween(before, after));
        if (hasRows && figures.firstShownMs < 0)
            figures.firstShownMs = MsBetween(run.started, after);
    }
    if (run.worker.joinable())
        run.worker.join();
    const double cpuSpent = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    UpdateWindow(grid.GetSafeHwnd());
    if (!run.failure.empty())
        std::fprintf(stderr, "the fetch failed: %s\n", run.failure.c_str());
    figures.rows = run.rows.load();
    figures.cpuPerRow = cpuSpent / double(figures.rows ? figures.rows : 1);
    figures.textBytes = run.textBytes;
    figures.rowsPerSecond = figures.rows / std::chrono::duration<double>(run.finished - run.started).count();
    figures.residentGrowth = ResidentBytes() - residentBefore;
    figures.gridBytes = control->Model()->Dataset().BytesUsed();
    if (rs->GetState() != adStateClosed)
        rs->Close();
    run.recordset = nullptr;
    tw::com::Unadvise(connection, IID_ConnectionEvents, cookie);
    sink->Release();
    connection->Close();
    grid.DestroyWindow();
    frame.DestroyWindow();
    return figures;
}

// How long a cancel takes to stop a streaming forward-only read that has only
// begun, and whether the connection answers a query afterwards. The cancel
// returns once the execution has ended, so its call is the latency.
struct CancelFigures {
    double cancelMs = -1;
    long rowsAfter = 0;
    bool usableAfter = false;
};

CancelFigures MeasureCancel()
{
    CancelFigures figures;
    _ConnectionPtr connection("ADODB.Connection");
    connection->Open("Provider=SQLOLEDB.1;Data Source=(embedded);Initial Catalog=TarnSample", "", "", -1);
    connection->PutCommandTimeout(0);
    _RecordsetPtr rs("ADODB.Recordset");
    rs->Open(kSelect, _variant_t(static_cast<IDispatch*>(connection)), adOpenForwardOnly, adLockReadOnly,
             adCmdText);
    for (int i = 0; i < 100 && !rs->GetEOF(); ++i)
        rs->MoveNext();
    const auto before = Clock::now();
    rs->Cancel();
    // The stop counts only once the reader sees the end: rows it can still
    // read (the window fetched before the cancel) are part of the latency.
    try {
        while (rs->GetState() == adStateOpen && !rs->GetEOF()) {
            rs->MoveNext();
            ++figures.rowsAfter;
        }
    } catch (const _com_error&) {
    }
    figures.cancelMs = MsBetween(before, Clock::now());
    if (rs->GetState() != adStateClosed)
        rs->Close();
    _RecordsetPtr check = connection->Execute("SELECT 1", nullptr, adCmdText);
    figures.usableAfter = check->GetState() == adStateOpen && !check->GetEOF();
    check->Close();
    connection->Close();
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    setenv("TARNWICK_DISPLAY", "headless", 0);
    const auto home = std::filesystem::temp_directory_path() / ("tarnwick-bench-results-" + std::to_string(getpid()));
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    setenv("TARNWICK_HOME", home.c_str(), 1);
    const std::string file =
        (home / "data/server" / (std::string(tw::server::Server::kSampleDatabase) + ".db")).string();
    tw::ado::RegisterClasses();
    tw::grid::RegisterClasses();
    int status = 0;
    try {
        if (!FillTable(file, rows))
            throw std::runtime_error("the table could not be filled");
        long rawTextBytes = 0;
        double rawCpu = 0, servedCpu = 0;
        const double raw = RawRowsPerSecond(file, rawTextBytes, rawCpu);
        const double served = ServerRowsPerSecond(servedCpu);
        const PathFigures path = MeasurePath();
        const CancelFigures cancel = MeasureCancel();
        const long shown = path.rows ? path.rows : 1;
        std::printf("rows: %ld (%ld through the path)\n", rows, path.rows);
        std::printf("(a) raw sqlite3_step + column_text: %.0f rows/s\n", raw);
        std::printf("(b) server interface:               %.0f rows/s (%.2f of raw)\n", served, served / raw);
        std::printf("(c) recordset to grid:              %.0f rows/s\n", path.rowsPerSecond);
        std::printf("repaints while rows arrived: %d, slowest %.1f ms\n", path.repaints, path.slowestRepaintMs);
        std::printf("grid bytes per row: %.1f; process growth per row: %.1f\n", double(path.gridBytes) / shown,
                    double(path.residentGrowth) / shown);
        std::printf("cancel while streaming ms: %.1f (%ld rows read after it; session usable after: %s)\n",
                    cancel.cancelMs, cancel.rowsAfter, cancel.usableAfter ? "yes" : "no");
        std::printf("cpu per row us: raw %.2f, server %.2f, path (all threads) %.2f\n", rawCpu * 1e6,
                    servedCpu * 1e6, path.cpuPerRow * 1e6);
        std::printf("cpu ratio server/raw: %.2f; path/raw: %.2f\n", rawCpu / servedCpu, rawCpu / path.cpuPerRow);
        std::printf("ratio server/raw: %.2f\n", served / raw);
        std::printf("ratio path/raw: %.2f\n", path.rowsPerSecond / raw);
        std::printf("first row shown ms: %.0f\n", path.firstShownMs);
        std::printf("bytes held per row: %.0f\n", double(std::max<long>(path.residentGrowth, 0)) / shown);
        std::printf("text bytes per row: %.0f\n", double(path.textBytes) / shown);
    } catch (const _com_error& error) {
        std::fprintf(stderr, "failed: %s\n", static_cast<const char*>(error.Description()));
        status = 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "failed: %s\n", error.what());
        status = 1;
    }
    std::filesystem::remove_all(home);
    return status;
}
