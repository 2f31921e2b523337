// Query windows opened one after another through the main window's
// NewQueryWindow (document, frame, views, connection, title, connection count)
// on the embedded server, each closed before the next; against the bare step
// of the same work: a connection with the same connection string opened and
// closed, measured in the same run. The ratio is printed last.
//
//     bench_logon [windows]        (default 512)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/mfc/CDocument.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr const char* kLogonConnection =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";

CTarnwickApp& LogonBenchApp()
{
    static CTarnwickApp app;
    return app;
}

double LogonSecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void PumpLogonBench()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && LogonBenchApp().PumpMessage()) {
    }
}

// Windows per second through the main window; 0 when one failed.
double WindowsPerSecond(CMainFrame* pMainFrame, long count)
{
    const auto start = Clock::now();
    for (long i = 0; i < count; ++i) {
        CDocument* pDoc = pMainFrame->NewQueryWindow(kLogonConnection, nullptr, nullptr);
        if (pDoc == nullptr) {
            std::fprintf(stderr, "query window %ld did not open\n", i + 1);
            return 0;
        }
        PumpLogonBench();
        if (pMainFrame->m_QueryFrames.GetCount() != 1) {
            std::fprintf(stderr, "query window %ld: %d windows open\n", i + 1,
                         static_cast<int>(pMainFrame->m_QueryFrames.GetCount()));
            return 0;
        }
        auto* pWindow = static_cast<CChildFrame*>(pMainFrame->m_QueryFrames.GetHead());
        pDoc->SetModifiedFlag(FALSE);
        pWindow->SendMessage(WM_CLOSE);
        PumpLogonBench();
        if (pMainFrame->m_QueryFrames.GetCount() != 0) {
            std::fprintf(stderr, "query window %ld did not close\n", i + 1);
            return 0;
        }
    }
    return count / LogonSecondsSince(start);
}

// The bare step: the connection each window makes, alone.
double ConnectionsPerSecond(long count)
{
    const auto start = Clock::now();
    for (long i = 0; i < count; ++i) {
        ADODB::_ConnectionPtr connection("ADODB.Connection");
        connection->Open(kLogonConnection, "", "", -1);
        connection->Close();
    }
    return count / LogonSecondsSince(start);
}

}  // namespace

int main(int argc, char** argv)
{
    const long count = argc > 1 ? std::atol(argv[1]) : 512;
    setenv("TARNWICK_DISPLAY", "headless", 1);
    const fs::path work = fs::temp_directory_path() / ("tarnwick-bench-logon-" + std::to_string(getpid()));
    fs::create_directories(work);
    fs::current_path(work);
    setenv("TARNWICK_REGISTRY", (work / "registry.reg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("TARNWICK_HOME", work.c_str(), 1);
    tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());

    LogonBenchApp().m_nCmdShow = SW_SHOWMAXIMIZED;
    if (!LogonBenchApp().InitInstance()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    auto* pMainFrame = dynamic_cast<CMainFrame*>(LogonBenchApp().m_pMainWnd);
    PumpLogonBench();

    double windows = 0;
    double raw = 0;
    try {
        // One of each first, so neither side pays the server's start.
        ConnectionsPerSecond(1);
        windows = WindowsPerSecond(pMainFrame, count);
        raw = ConnectionsPerSecond(count);
    } catch (const _com_error& error) {
        std::fprintf(stderr, "connection failed: %s\n", static_cast<const char*>(error.Description()));
    }
    pMainFrame->DestroyWindow();
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(work, ec);
    if (windows <= 0 || raw <= 0)
        return 1;
    std::printf("query windows opened and closed: %ld\n", count);
    std::printf("query windows: %.1f per second\n", windows);
    std::printf("raw connection open and close (baseline, same run): %.1f per second\n", raw);
    std::printf("ratio query windows / raw connections: %.3f\n", windows / raw);
    return 0;
}
