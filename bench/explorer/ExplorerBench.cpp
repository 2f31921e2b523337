// Timed driver for the object tree: a click on "User Table" of a database of
// 10,000 tables until the filled folder is painted, and FillDatabaseTree on a
// server of 200 more databases. Each is set against a raw baseline measured
// in the same run: the server-management reads alone, without the tree.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kBenchDatabase = "BenchTables";
constexpr int kTables = 10000;
constexpr int kDatabases = 200;

void PumpMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

double BestMs(int runs, const std::function<void()>& reset, const std::function<void()>& work)
{
    double best = 1e12;
    for (int i = 0; i < runs; ++i) {
        reset();
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

void Run(CMainFrame& frame, const std::string& batch) { frame.m_SQLServer->ExecuteImmediate(batch.c_str()); }

void FillServer(CMainFrame& frame)
{
    Run(frame, std::string("create database ") + kBenchDatabase);
    const std::string use = std::string("use ") + kBenchDatabase + "; ";
    std::string batch;
    for (int i = 0; i < kTables; ++i) {
        batch += "create table tab" + std::to_string(i) + " (id int); ";
        if (i % 250 == 249) {
            Run(frame, use + batch);
            batch.clear();
        }
    }
    for (int i = 0; i < kDatabases; ++i)
        Run(frame, "create database bench_db" + std::to_string(i));
}

HTREEITEM ChildNamed(CTreeCtrl& tree, HTREEITEM hParent, const char* text)
{
    for (HTREEITEM hChild = tree.GetChildItem(hParent); hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild))
        if (tree.GetItemText(hChild) == text)
            return hChild;
    return nullptr;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    std::string pattern = (fs::temp_directory_path() / "tarnwick-bench-explorer-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const fs::path work = pattern;
    fs::current_path(work);
    setenv("TARNWICK_REGISTRY", (work / "registry.reg").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    setenv("TARNWICK_HOME", work.c_str(), 1);

    tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
    static CTarnwickApp app;
    app.m_nCmdShow = SW_SHOWMAXIMIZED;
    if (!app.InitInstance())
        return 1;
    auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
    if (frame == nullptr || !frame->m_SQLServer)
        return 1;
    PumpMessages();
    frame->m_SQLServer->Connect("(embedded)", "sa", "");
    std::printf("filling the server: %d tables, %d databases...\n", kTables, kDatabases);
    FillServer(*frame);

    CObjectBrowseTreeCtrl& tree = frame->GetObjectTree();
    frame->m_wndObjectBar.ShowControlBar(TRUE, FALSE, TRUE);
    frame->RecalcLayout();
    PumpMessages();

    // FillDatabaseTree against the database query and the walk of its rows alone.
    const double fillMs = BestMs(5, [] {}, [&] {
        frame->FillDatabaseTree();
        tree.UpdateWindow();
    });
    const double fillRawMs = BestMs(5, [] {}, [&] {
        SQLDMO::_QueryResultsPtr results = frame->m_SQLServer->ExecuteWithResults(
            "use master;select Name,DATABASEPROPERTYEX(name,'Status') as Status from sysdatabases");
        for (long r = 1; r <= results->GetRows(); ++r) {
            (void)results->GetColumnString(r, 1);
            (void)results->GetColumnString(r, 2);
        }
    });
    const long nDatabases = static_cast<long>(tree.GetCount());

    // A click on "User Table" until the folder is painted, against the table
    // collection's reads alone.
    HTREEITEM hFolder = nullptr;
    auto resetFolder = [&] {
        frame->FillDatabaseTree();
        HTREEITEM hDatabase = ChildNamed(tree, tree.GetRootItem(), kBenchDatabase);
        tree.Expand(hDatabase, TVE_EXPAND);
        hFolder = ChildNamed(tree, hDatabase, "User Table");
        tree.SelectSetFirstVisible(hDatabase);
        tree.UpdateWindow();
        PumpMessages();
    };
    const double clickMs = BestMs(5, resetFolder, [&] {
        CRect rect;
        tree.GetItemRect(hFolder, rect, TRUE);
        const LPARAM at = MAKELPARAM(rect.left + 3, rect.CenterPoint().y);
        tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        tree.SendMessage(WM_LBUTTONUP, 0, at);
        tree.Expand(hFolder, TVE_EXPAND);
        tree.UpdateWindow();
    });
    long nTablesShown = 0;
    for (HTREEITEM h = tree.GetChildItem(hFolder); h != nullptr; h = tree.GetNextSiblingItem(h))
        ++nTablesShown;
    const double clickRawMs = BestMs(5, [] {}, [&] {
        SQLDMO::TablesPtr tables = frame->m_SQLServer->GetDatabases()->Item(kBenchDatabase)->GetTables();
        tables->Refresh();
        const long n = tables->GetCount();
        for (long i = 1; i <= n; ++i) {
            SQLDMO::_TablePtr table = tables->Item(_variant_t(i));
            (void)table->GetOwner();
            (void)table->GetName();
            (void)table->GetSystemObject();
        }
    });

    std::printf("FillDatabaseTree, %ld items: %.1f ms (raw database query %.1f ms)\n", nDatabases, fillMs,
                fillRawMs);
    std::printf("click on \"User Table\" to painted, %ld tables: %.1f ms (raw table reads %.1f ms; goal 200 ms)\n",
                nTablesShown, clickMs, clickRawMs);
    std::printf("ratios against the raw reads: fill %.2f, click %.2f\n", fillMs / fillRawMs, clickMs / clickRawMs);
    frame->DestroyWindow();
    PumpMessages();
    return 0;
}
