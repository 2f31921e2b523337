// Rows through the whole query window: F5's command on a batch that selects
// a table of five columns (int, two short texts, a datetime, a decimal) of the
// embedded server, the connection's events sink, the grid fetch worker and
// the grid, while the window's thread pumps and repaints; against the raw
// sqlite3_step + sqlite3_column_text loop over the same table's file, measured
// in the same run. The ratio is printed last.
//
//     bench_querywindow [rows]        (default 1,000,000)
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/controls/grid/GridAutomation.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/server/Server.h"
#include "bench/results/FillResultRows.h"
#include "platform/server/SqlFunctions.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr const char* kSelect = "SELECT id, name, code, added, price FROM BenchRows";
constexpr const char* kConnection =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";

CTarnwickApp& BenchApp()
{
    static CTarnwickApp app;
    return app;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Made through the server so that its catalogue knows the types, filled
// straight through SQLite: the fill is not what is measured.
bool FillTable(long rows, std::string& databaseFile)
{
    tw::server::LoginInfo login;
    login.database = tw::server::Server::kSampleDatabase;
    std::string error;
    auto server = tw::server::Server::Shared(&error);
    if (!server) {
        std::fprintf(stderr, "cannot open the server: %s\n", error.c_str());
        return false;
    }
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    connection->Open(kConnection, "", "", -1);
    connection->Execute("CREATE TABLE BenchRows (id int NOT NULL, name varchar(24) NULL, code varchar(8) NULL, "
                        "added datetime NULL, price decimal(12,2) NULL)",
                        nullptr, ADODB::adCmdText | ADODB::adExecuteNoRecords);
    connection->Close();
    databaseFile = (fs::current_path() / "data" / "server" / "TarnSample.db").string();
    if (!fs::exists(databaseFile)) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::current_path() / "data"))
            if (entry.path().filename().string().rfind("TarnSample", 0) == 0)
                databaseFile = entry.path().string();
    }
    return tw::bench::FillResultRows(databaseFile, "BenchRows", rows);
}

// The raw step rate: SQLite's own loop over the same rows, every cell as text.
double RawRowsPerSecond(const std::string& databaseFile, long& textBytes)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(databaseFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, kSelect, -1, &statement, nullptr);
    const auto start = Clock::now();
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
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows / seconds;
}

void PumpProgram()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && BenchApp().PumpMessage()) {
    }
}

struct WindowFigures {
    double rowsPerSecond = 0;
    long rows = 0;
    size_t gridBytes = 0;
    double cancelMs = -1;
    bool ok = false;
};

CChildFrame* OpenWindow(CMainFrame* pMainFrame)
{
    CMultiDocTemplate* pTemplate = BenchApp().m_pQueryTemplate;
    CDocument* pDoc = pTemplate->CreateNewDocument();
    auto* pWindow = dynamic_cast<CChildFrame*>(pTemplate->CreateNewFrame(pDoc, nullptr));
    if (pWindow == nullptr || !pDoc->OnNewDocument() || !pWindow->Connect(kConnection))
        return nullptr;
    pTemplate->InitialUpdateFrame(pWindow, pDoc, TRUE);
    pMainFrame->m_QueryFrames.AddTail(pWindow);
    return pWindow;
}

long GridRows(CChildFrame* pWindow)
{
    CKtvPTabWnd& tabs = pWindow->m_pResultView->GetTabControl();
    if (tabs.GetTabsNum() == 0)
        return 0;
    auto* pView = dynamic_cast<CVelQryResultGridView*>(tabs.GetTabWnd(0));
    auto* control = pView ? dynamic_cast<tw::grid::GridControlObject*>(pView->m_Grid.GetControlUnknown()) : nullptr;
    return control ? control->Model()->Dataset().RowCount() : 0;
}

size_t GridBytes(CChildFrame* pWindow)
{
    CKtvPTabWnd& tabs = pWindow->m_pResultView->GetTabControl();
    auto* pView = tabs.GetTabsNum() ? dynamic_cast<CVelQryResultGridView*>(tabs.GetTabWnd(0)) : nullptr;
    auto* control = pView ? dynamic_cast<tw::grid::GridControlObject*>(pView->m_Grid.GetControlUnknown()) : nullptr;
    return control ? control->Model()->Dataset().BytesUsed() : 0;
}

void Execute(CChildFrame* pWindow, const char* batch)
{
    pWindow->m_pQueryView->SetActiveView(pWindow->m_pQueryView->m_nBatchTab);
    pWindow->m_pQueryView->GetBatchView()->GetEditCtrl()->SetText(batch);
    pWindow->SendMessage(WM_COMMAND, ID_QUERY_EXECUTE);
}

WindowFigures MeasureWindow(CMainFrame* pMainFrame)
{
    WindowFigures figures;
    CChildFrame* pWindow = OpenWindow(pMainFrame);
    if (pWindow == nullptr) {
        std::fprintf(stderr, "the query window did not connect\n");
        return figures;
    }
    const auto start = Clock::now();
    Execute(pWindow, kSelect);
    while (pWindow->m_bExecuting)
        PumpProgram();
    figures.rowsPerSecond = GridRows(pWindow) / SecondsSince(start);
    figures.rows = GridRows(pWindow);
    figures.gridBytes = GridBytes(pWindow);

    // A cancel while rows arrive: from the command to the window being idle.
    Execute(pWindow, kSelect);
    while (pWindow->m_bExecuting && GridRows(pWindow) == 0)
        PumpProgram();
    const auto cancelStart = Clock::now();
    pWindow->SendMessage(WM_COMMAND, ID_QUERY_CANCEL);
    while (pWindow->m_bExecuting)
        PumpProgram();
    figures.cancelMs = std::chrono::duration<double, std::milli>(Clock::now() - cancelStart).count();
    figures.ok = true;
    pWindow->m_pQueryView->GetDocument()->SetModifiedFlag(FALSE);
    pWindow->SendMessage(WM_CLOSE);
    PumpProgram();
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    setenv("TARNWICK_DISPLAY", "headless", 1);
    const fs::path work = fs::temp_directory_path() / ("tarnwick-bench-querywindow-" + std::to_string(getpid()));
    fs::create_directories(work);
    fs::current_path(work);
    setenv("TARNWICK_REGISTRY", (work / "registry.reg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("TARNWICK_HOME", work.c_str(), 1);
    tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());

    BenchApp().m_nCmdShow = SW_SHOWMAXIMIZED;
    if (!BenchApp().InitInstance()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    auto* pMainFrame = dynamic_cast<CMainFrame*>(BenchApp().m_pMainWnd);
    PumpProgram();

    std::string databaseFile;
    if (!FillTable(rows, databaseFile))
        return 1;
    long textBytes = 0;
    const WindowFigures window = MeasureWindow(pMainFrame);
    const double raw = RawRowsPerSecond(databaseFile, textBytes);
    pMainFrame->DestroyWindow();
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(work, ec);
    if (!window.ok)
        return 1;
    std::printf("rows through the query window: %ld\n", window.rows);
    std::printf("grid bytes held: %zu (rows' text: %ld, %.2f times)\n", window.gridBytes, textBytes,
                double(window.gridBytes) / double(textBytes ? textBytes : 1));
    std::printf("cancel while rows arrive, command to idle window: %.1f ms\n", window.cancelMs);
    std::printf("query window: %.0f rows/s\n", window.rowsPerSecond);
    std::printf("raw sqlite3_step (baseline, same run): %.0f rows/s\n", raw);
    std::printf("ratio query window / raw step: %.2f\n", window.rowsPerSecond / raw);
    return 0;
}
