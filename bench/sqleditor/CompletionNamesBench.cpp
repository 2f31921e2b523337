// Timed driver for the SQL editor's completion on an embedded database of
// 5,000 objects (tables, views, procedures and functions, one table of 300
// columns): the main frame's list build, an editor's name-map rebuild, the
// prefix list at the third typed letter, the column list at a full stop
// behind the wide table and a procedure's tip, each from its key to shown.
// Each is set against a raw baseline measured in the same run: the server
// reads alone, and a plain filter over the same names.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "editctrl/KtvPIntelliSenseWnd.h"
#include "sqleditor/CustomerEditCtrl.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kBenchDatabase = "BenchNames";

void PumpMessages()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// Milliseconds of the best of several runs; before each run, the reset.
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

void Run(CMainFrame& frame, const std::string& batch)
{
    frame.m_SQLServer->ExecuteImmediate(batch.c_str());
}

// 3,400 tables, 800 views, 600 procedures and 199 functions, plus the wide table.
void FillDatabase(CMainFrame& frame)
{
    Run(frame, std::string("create database ") + kBenchDatabase);
    const std::string use = std::string("use ") + kBenchDatabase + "; ";
    std::string batch;
    for (int i = 0; i < 3400; ++i) {
        batch += "create table tab" + std::to_string(i) + " (id int, name varchar(20)); ";
        if (i % 200 == 199) {
            Run(frame, use + batch);
            batch.clear();
        }
    }
    for (int i = 0; i < 800; ++i)
        Run(frame, use + "exec('create view vw" + std::to_string(i) + " as select id from tab" + std::to_string(i) + "')");
    for (int i = 0; i < 600; ++i)
        Run(frame, use + "exec('create procedure proc" + std::to_string(i) +
                       " @id int, @name sysname, @amount decimal(18,2) as select @id')");
    for (int i = 0; i < 199; ++i)
        Run(frame, use + "exec('create function fn" + std::to_string(i) +
                       " (@a int) returns int as begin return @a end')");
    std::string wide = "create table wide (";
    for (int c = 0; c < 300; ++c)
        wide += (c ? ", col" : "col") + std::to_string(c) + " int";
    Run(frame, use + wide + ")");
}

void Type(CCustomerEditCtrl& edit, const std::string& text)
{
    for (unsigned char ch : text)
        ::SendMessage(edit.m_hWnd, WM_CHAR, ch, 1);
}

void CloseOffers(CCustomerEditCtrl& edit)
{
    if (edit.m_pIntelliSenseWnd != nullptr)
        edit.m_pIntelliSenseWnd->SendMessage(WM_CLOSE);
    edit.CloseFuncTip();
    PumpMessages();
}

// Sets the text up to the last key and times that key to the list shown.
double KeyToShownMs(CCustomerEditCtrl& edit, const std::string& before, char key, bool& shown)
{
    const double ms = BestMs(
        5,
        [&] {
            CloseOffers(edit);
            edit.SetText(before.c_str());
            edit.SetCaret(static_cast<int>(before.size()), TRUE, FALSE);
        },
        [&] { Type(edit, std::string(1, key)); });
    shown = edit.m_pIntelliSenseWnd != nullptr || edit.m_pFuncTipWnd != nullptr;
    return ms;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    std::string pattern = (fs::temp_directory_path() / "tarnwick-bench-sqleditor-XXXXXX").string();
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
    FillDatabase(*frame);
    frame->m_DatabaseList.AddTail("master");
    frame->m_DatabaseList.AddTail(kBenchDatabase);
    CKtvPToolbarComboBoxButton* combo = CMainFrame::GetDatabaseCombo();
    if (combo == nullptr)
        return 1;
    combo->AddItem(kBenchDatabase);
    combo->SelectItemByText(kBenchDatabase);

    auto edit = std::make_unique<CCustomerEditCtrl>();
    if (!edit->Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 810, 610), frame, 4242))
        return 1;
    edit->SetFocus();

    // The list build and its raw reads: the same two statements through the
    // server object, nothing kept.
    const double buildMs = BestMs(5, [] {}, [&] { frame->BuildCompletionLists(kBenchDatabase); });
    const std::string objectsSQL = std::string("use [") + kBenchDatabase +
                                   "];select name,xtype,type from sysobjects where (status > 0 and ("
                                   "type = 'U' or type = 'S' or type = 'TR' or type = 'K' or "
                                   "type = 'C' or type = 'V' or type = 'P' or type = 'RF' or "
                                   "type = 'X' or type = 'FN' or type = 'IF' or type = 'TF' or "
                                   "type = 'R' or type = 'D')) or (status < 0 and type in ('C','D','F','L','K','TR'));";
    const double buildRawMs = BestMs(5, [] {}, [&] {
        frame->m_SQLServer->ExecuteWithResults("use master;select name from sysusers where status > 0");
        frame->m_SQLServer->ExecuteWithResults(objectsSQL.c_str());
    });

    const double mapsMs = BestMs(5, [] {}, [&] { edit->RebuildNameMaps(); });
    const INT_PTR names = edit->m_mapKnownNames.GetCount();

    // The prefix list and its raw filter: the same keys, tested and copied.
    bool prefixShown = false;
    const double prefixMs = KeyToShownMs(*edit, "select * from ta", 'b', prefixShown);
    std::vector<std::string> keys;
    for (POSITION pos = edit->m_mapKnownNames.GetStartPosition(); pos != nullptr;) {
        CString key;
        void* value = nullptr;
        edit->m_mapKnownNames.GetNextAssoc(pos, key, value);
        keys.emplace_back(static_cast<const char*>(key));
    }
    size_t matches = 0;
    const double prefixRawMs = BestMs(5, [] {}, [&] {
        std::vector<std::string> found;
        for (const std::string& key : keys) {
            if (key.compare(0, 3, "tab") == 0)
                found.push_back(key);
        }
        matches = found.size();
    });

    // The list window alone with the same items: what showing costs without
    // the completion in front of it.
    const double windowMs = BestMs(5, [&] { CloseOffers(*edit); }, [&] {
        CObList items;
        for (const std::string& key : keys) {
            if (key.compare(0, 3, "tab") != 0)
                continue;
            auto* item = new CKtvPIntelliSenseData;
            item->m_strText = key.c_str();
            item->m_nImage = 1;
            items.AddTail(item);
        }
        edit->ShowIntelliSenseWnd(items, 100, 100);
        KtvPDeleteIntelliSenseItems(items);
    });

    // The column list behind the wide table and its raw read.
    bool membersShown = false;
    const double membersMs = KeyToShownMs(*edit, "select * from wide", '.', membersShown);
    const std::string columnsSQL = std::string("use ") + kBenchDatabase +
                                   "; Select name From syscolumns Where id = object_id('wide');";
    const double membersRawMs =
        BestMs(5, [] {}, [&] { frame->m_SQLServer->ExecuteWithResults(columnsSQL.c_str()); });

    // A procedure's tip and its raw read.
    bool tipShown = false;
    const double tipMs = KeyToShownMs(*edit, "exec proc17", ' ', tipShown);
    const std::string tipSQL = std::string("use ") + kBenchDatabase + "; Execute sp_sproc_columns proc17;";
    const double tipRawMs = BestMs(5, [] {}, [&] { frame->m_SQLServer->ExecuteWithResults(tipSQL.c_str()); });

    CloseOffers(*edit);
    edit->DestroyWindow();
    frame->m_SQLServer->DisConnect();

    std::printf("objects in the database: 5000, names in an editor's maps: %ld, names offered for \"tab\": %zu\n",
                static_cast<long>(names), matches);
    std::printf("completion lists built: %.1f ms (raw reads %.1f ms)\n", buildMs, buildRawMs);
    std::printf("name maps rebuilt: %.1f ms\n", mapsMs);
    std::printf("prefix list, third letter to shown: %.1f ms%s (raw filter %.2f ms, list window alone %.1f ms)\n",
                prefixMs, prefixShown ? "" : " NOT SHOWN", prefixRawMs, windowMs);
    std::printf("columns of a 300-column table, full stop to shown: %.1f ms%s (raw read %.1f ms)\n", membersMs,
                membersShown ? "" : " NOT SHOWN", membersRawMs);
    std::printf("procedure tip, blank to shown: %.1f ms%s (raw read %.1f ms)\n", tipMs, tipShown ? "" : " NOT SHOWN",
                tipRawMs);
    std::printf("ratios to the raw baselines: build %.2f, prefix list %.1f (%.2f to the list window alone), "
                "columns %.2f, tip %.2f\n",
                buildMs / buildRawMs, prefixMs / std::max(prefixRawMs, 0.001), prefixMs / windowMs,
                membersMs / membersRawMs, tipMs / tipRawMs);
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(work, ec);
    std::fflush(stdout);
    std::_Exit(0);
}
