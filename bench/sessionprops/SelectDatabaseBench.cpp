// Opening Select Database on an embedded server with 200 databases of its
// own: the dialog's listing through the server-management objects (one
// listing query, one status query per database, each copied into a
// recordset), its report on the current database and its list filled;
// against the same listing and status queries run straight through one ADO
// connection, measured in the same run. The ratio is printed last.
//
//     bench_sessionprops [databases]        (default 200)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "session/ChildFrame.h"
#include "session/SelectDBDlg.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr const char* kMaster = "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=master;Data Source=(embedded)";
constexpr const char* kSample =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";
constexpr int kRuns = 5;

CTarnwickApp& BenchApp()
{
    static CTarnwickApp app;
    return app;
}

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void PumpProgram()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && BenchApp().PumpMessage()) {
    }
}

// As many of the databases as the server takes; the number made.
int MakeDatabases(int count)
{
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    connection->Open(kMaster, "", "", ADODB::adConnectUnspecified);
    int made = 0;
    for (; made < count; ++made) {
        const std::string statement = "CREATE DATABASE BenchDb" + std::to_string(made);
        try {
            connection->Execute(statement.c_str(), nullptr, ADODB::adCmdText | ADODB::adExecuteNoRecords);
        } catch (const _com_error& error) {
            std::printf("the server took %d databases of %d: %s\n", made, count,
                        static_cast<const char*>(error.Description()));
            break;
        }
    }
    connection->Close();
    return made;
}

// The listing and one status query per database, read through ADO.
double RawListingMs(int& databases)
{
    ADODB::_ConnectionPtr connection("ADODB.Connection");
    connection->Open(kMaster, "", "", ADODB::adConnectUnspecified);
    const auto start = Clock::now();
    std::vector<std::string> names;
    ADODB::_RecordsetPtr listing = connection->Execute(
        "Select name,dbid,crdate,cmptlevel,filename from sysdatabases", nullptr, ADODB::adCmdText);
    for (; !listing->GetEOF(); listing->MoveNext())
        names.emplace_back(static_cast<const char*>(_bstr_t(listing->GetFields()->GetItem(0L)->GetValue())));
    for (const std::string& name : names) {
        const std::string statement = "Select DATABASEPROPERTYEX('" + name + "','Status') as Status";
        ADODB::_RecordsetPtr status = connection->Execute(statement.c_str(), nullptr, ADODB::adCmdText);
        if (!status->GetEOF())
            (void)_bstr_t(status->GetFields()->GetItem(0L)->GetValue());
    }
    const double ms = MillisecondsSince(start);
    connection->Close();
    databases = static_cast<int>(names.size());
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    setenv("TARNWICK_DISPLAY", "headless", 1);
    const fs::path work = fs::temp_directory_path() / ("tarnwick-bench-sessionprops-" + std::to_string(getpid()));
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
    MakeDatabases(count);
    CDocument* pDoc = pMainFrame->NewQueryWindow(kSample, nullptr, nullptr);
    auto* pWindow = dynamic_cast<CChildFrame*>(pMainFrame->MDIGetActive());
    if (pDoc == nullptr || pWindow == nullptr) {
        std::fprintf(stderr, "no query window\n");
        return 1;
    }
    pMainFrame->m_SQLServer->PutLoginSecure(VARIANT_TRUE);
    pMainFrame->m_SQLServer->Connect("(embedded)", "", "");
    PumpProgram();

    double best = 1e300;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        CSelectDatabaseDlg dlg(pWindow);
        dlg.m_pQueryWindow = pWindow;
        const auto start = Clock::now();
        if (!dlg.Create(CSelectDatabaseDlg::IDD, pWindow)) {
            std::fprintf(stderr, "the dialog did not open\n");
            return 1;
        }
        best = std::min(best, MillisecondsSince(start));
        rows = dlg.m_wndDBList.GetItemCount();
        dlg.DestroyWindow();
        PumpProgram();
    }
    double raw = 1e300;
    int databases = 0;
    for (int run = 0; run < kRuns; ++run)
        raw = std::min(raw, RawListingMs(databases));

    pMainFrame->m_SQLServer->DisConnect();
    pMainFrame->DestroyWindow();
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(work, ec);
    std::printf("databases listed by the dialog: %d (server: %d)\n", rows, databases);
    std::printf("opening Select database (best of %d): %.1f ms, %.2f ms a database\n", kRuns, best,
                best / std::max(rows, 1));
    std::printf("listing and status queries through ADO (baseline, same run): %.1f ms\n", raw);
    std::printf("ratio dialog / raw queries: %.2f\n", best / raw);
    return 0;
}
