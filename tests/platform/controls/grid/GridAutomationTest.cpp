#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <string>
#include <vector>

#include "platform/controls/grid/GridView.h"
#include "platform/win32/kernel/Threads.h"
#include "tests/platform/controls/grid/GridControlFixture.h"
#include "tests/platform/controls/grid/GridEventSink.h"

namespace tw::grid {
namespace {

using namespace tw::grid::testing;
using GridAutomationTest = GridControlFixture;

TEST_F(GridAutomationTest, RowsAppendedInOrderAreCountedAndReadByCell)
{
    Load(4);
    EXPECT_EQ(int(Get(grid, 9)), 4);
    EXPECT_EQ(int(Get(dataset, 1020)), 4);
    IDispatchPtr node = Object(Get(grid, 7, {2}));
    EXPECT_EQ(Text(Get(node, 27, {0})), "name2");
    EXPECT_EQ(Text(Get(node, 27, {2})), "type2");
    EXPECT_EQ(CurrentRow(), 0);  // First after loading
}

TEST_F(GridAutomationTest, ColumnsAreFoundByPositionNameAndFieldName)
{
    EXPECT_EQ(int(Get(columns, 1)), 3);
    IDispatchPtr owner = Object(Call(columns, 322, {"owner"}));
    EXPECT_EQ(int(Get(owner, 47)), 1);
    EXPECT_EQ(Text(Get(owner, 4)), "Caption of Owner");
    Put(owner, 37, {128});
    EXPECT_EQ(int(Get(Object(Get(columns, 0, {1})), 37)), 128);
    EXPECT_EQ(int(Get(Object(Call(columns, 321, {"Type"})), 47)), 2);
    EXPECT_EQ(Failure(columns, 321, DISPATCH_METHOD, {"Nothing"}), DISP_E_EXCEPTION);

    Call(columns, 317);
    EXPECT_EQ(int(Get(columns, 1)), 0);
    EXPECT_EQ(Failure(owner, 4, DISPATCH_PROPERTYGET), DISP_E_EXCEPTION);  // a column gone stays safe to call
}

TEST_F(GridAutomationTest, ByNameLooksAtFieldsFirstAndByFieldNameAtNamesFirst)
{
    // The process monitor asks ColumnByName for a field; the parameter dialog
    // asks ColumnByFieldName for template columns that have no field.
    Put(Object(Get(columns, 0, {0})), 14, {"Owner"});  // column 0: name Owner, field Name
    struct Lookup {
        DISPID id;
        const char* text;
        int column;
    };
    const Lookup lookups[] = {{321, "Owner", 1}, {321, "Name", 0}, {322, "Owner", 0}, {322, "Type", 2}};
    for (const Lookup& lookup : lookups) {
        SCOPED_TRACE(std::to_string(lookup.id) + " " + lookup.text);
        EXPECT_EQ(int(Get(Object(Call(columns, lookup.id, {lookup.text})), 47)), lookup.column);
    }
}

TEST_F(GridAutomationTest, NavigationMovesTheCurrentRecordWithinTheRows)
{
    Load(5);
    struct Step {
        DISPID id;
        int argument;
        int expected;
    };
    const Step steps[] = {
        {1045, 0, 1}, {1045, 0, 2}, {1047, 0, 1}, {1043, 0, 4}, {1045, 0, 4},
        {1035, 0, 0}, {1047, 0, 0}, {1039, 3, 2},  // record numbers count from 1
        {1039, 99, 4}, {1039, 0, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.id) + "(" + std::to_string(step.argument) + ")");
        if (step.id == 1039)
            Call(dataset, step.id, {_variant_t(step.argument)});
        else
            Call(dataset, step.id);
        EXPECT_EQ(CurrentRow(), step.expected);
    }
}

TEST_F(GridAutomationTest, MisuseIsRefusedAsAnExceptionAndLeavesTheDataAlone)
{
    EXPECT_EQ(Failure(dataset, 1025, DISPATCH_METHOD, {Record({"a"})}), DISP_E_EXCEPTION);  // not open
    Load(1);
    EXPECT_EQ(Failure(dataset, 1025, DISPATCH_METHOD, {Record({"a", "b", "c", "d"})}), DISP_E_EXCEPTION);
    EXPECT_EQ(Failure(dataset, 1025, DISPATCH_METHOD, {_variant_t("not an array")}), DISP_E_EXCEPTION);
    IDispatchPtr defs = Object(Get(dataset, 1060));
    EXPECT_EQ(Failure(defs, 1201, DISPATCH_METHOD, {"Late", 3, 10}), DISP_E_EXCEPTION);
    EXPECT_EQ(Failure(dataset, 1064, DISPATCH_PROPERTYPUT, {"Name", "x"}), DISP_E_EXCEPTION);  // no Edit
    EXPECT_EQ(Failure(grid, 7, DISPATCH_PROPERTYGET, {5}), DISP_E_EXCEPTION);
    EXPECT_EQ(Failure(grid, 4242, DISPATCH_METHOD), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(int(Get(dataset, 1020)), 1);
    EXPECT_EQ(Text(Get(Object(Get(grid, 7, {0})), 27, {0})), "name0");
}

TEST_F(GridAutomationTest, EditAndAppendSetFieldsOfTheCurrentRecord)
{
    Load(2);
    Call(dataset, 1043);
    Call(dataset, 1029);
    Put(dataset, 1064, {"Owner", "dbo"});
    Call(dataset, 1046);
    Call(dataset, 1024);
    Put(dataset, 1064, {"Name", "added"});
    Call(dataset, 1046);
    EXPECT_EQ(Text(Get(Object(Get(grid, 7, {1})), 27, {1})), "dbo");
    EXPECT_EQ(Text(Get(Object(Get(grid, 7, {2})), 27, {0})), "added");
    EXPECT_EQ(Failure(dataset, 1064, DISPATCH_PROPERTYPUT, {"Missing", "x"}), DISP_E_EXCEPTION);
}

TEST_F(GridAutomationTest, DeletingTheCurrentRecordRepeatedlyEmptiesTheDataset)
{
    Load(3);
    Call(dataset, 1045);
    Call(dataset, 1027);
    EXPECT_EQ(Text(Get(Object(Get(grid, 7, {1})), 27, {0})), "name2");
    EXPECT_EQ(CurrentRow(), 1);
    for (int guard = 0; guard < 10 && int(Get(dataset, 1020)) > 0; ++guard)
        Call(dataset, 1027);
    EXPECT_EQ(int(Get(dataset, 1020)), 0);
    EXPECT_EQ(Failure(dataset, 1027, DISPATCH_METHOD), DISP_E_EXCEPTION);
}

TEST_F(GridAutomationTest, CloseEmptiesTheDatasetSoItCanBeReloaded)
{
    Load(3);
    Call(dataset, 1005);
    EXPECT_EQ(int(Get(grid, 9)), 0);
    Load(1);
    EXPECT_EQ(int(Get(grid, 9)), 1);
}

TEST_F(GridAutomationTest, DeleteSelectionRemovesEverySelectedRowAndKeepsTheRest)
{
    Load(6);
    IGridWindowHost* host = nullptr;
    ASSERT_EQ(grid->QueryInterface(IID_IGridWindowHost, reinterpret_cast<void**>(&host)), S_OK);
    HWND hwnd = host->CreateGridWindow(nullptr, RECT{0, 0, 300, 200}, 1, WS_OVERLAPPED, "ResultGrid");
    host->Release();
    GridSelection& selection = GridView::FromHandle(hwnd)->Selection();
    selection.Clear();
    for (int row : {4, 1, 2})
        selection.Select(row);
    EXPECT_EQ(int(Get(Object(Get(grid, 18)), 125)), 3);
    EXPECT_EQ(int(Call(Object(Get(grid, 17)), 209)), 3);
    ASSERT_EQ(int(Get(grid, 9)), 3);
    for (auto [row, name] : std::vector<std::pair<int, const char*>>{{0, "name0"}, {1, "name3"}, {2, "name5"}})
        EXPECT_EQ(Text(Get(Object(Get(grid, 7, {row})), 27, {0})), name);
    EXPECT_EQ(CurrentRow(), 2);  // the row after the last deleted one
}

TEST_F(GridAutomationTest, SaveToTextWritesCaptionsAndRowsOrReportsTheFailure)
{
    Load(2);
    IDispatchPtr view = Object(Get(grid, 17));
    Call(view, 260, {"rows.txt"});
    std::ifstream file("rows.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "Caption of Name\tCaption of Owner\tCaption of Type\r\n"
                    "name0\towner0\ttype0\r\n"
                    "name1\towner1\ttype1\r\n");
    for (DISPID id : {260, 273, 275})
        EXPECT_EQ(Failure(view, id, DISPATCH_METHOD, {"no-such-folder/rows"}), DISP_E_EXCEPTION);

    for (auto [id, start] : std::vector<std::pair<DISPID, std::string>>{{273, "<!DOCTYPE html>"}, {275, "<?xml"}}) {
        Call(view, id, {"rows.out"});
        std::ifstream written("rows.out", std::ios::binary);
        std::string first;
        std::getline(written, first);
        EXPECT_EQ(first.substr(0, start.size()), start);
    }
}

TEST_F(GridAutomationTest, NumberedSettingsAreKeptAndReadBack)
{
    Put(grid, 41, {1});
    EXPECT_EQ(int(Get(grid, 41)), 1);
    IDispatchPtr column = Object(Get(columns, 0, {0}));
    for (DISPID id : {1, 19, 25})
        Put(column, id, {int(id) + 100});
    Put(column, 24, {false});
    EXPECT_EQ(int(Get(Object(Get(columns, 0, {0})), 25)), 125);  // kept by the column, not the object
    EXPECT_FALSE(bool(Get(column, 24)));
    Put(column, 46, {7});
    EXPECT_EQ(Model().Columns().Item(0)->editor, EditorKind::PickList);
    EXPECT_EQ(Failure(column, 46, DISPATCH_PROPERTYPUT, {99}), DISP_E_EXCEPTION);
}

TEST_F(GridAutomationTest, PickListStringsBelongToTheirColumn)
{
    IDispatchPtr editor = Object(Get(Object(Get(columns, 0, {2})), 53));
    Put(editor, 152, {true});
    Put(editor, 153, {false});
    IDispatchPtr items = Object(Get(editor, 151));
    EXPECT_EQ(int(Call(items, 10, {"bigint"})), 0);
    EXPECT_EQ(int(Call(items, 10, {"smallint"})), 1);
    // Another editor object over the same column sees the same strings.
    IDispatchPtr again = Object(Get(Object(Get(Object(Get(columns, 0, {2})), 53)), 151));
    EXPECT_EQ(int(Get(again, 1)), 2);
    EXPECT_EQ(int(Get(Object(Get(Object(Get(Object(Get(columns, 0, {0})), 53)), 151)), 1)), 0);
    Call(items, 14);
    EXPECT_EQ(int(Get(again, 1)), 0);
}

TEST_F(GridAutomationTest, TheHostedWindowShowsTheSameRows)
{
    IGridWindowHost* host = nullptr;
    ASSERT_EQ(grid->QueryInterface(IID_IGridWindowHost, reinterpret_cast<void**>(&host)), S_OK);
    RECT rect{0, 0, 300, 120};
    HWND hwnd = host->CreateGridWindow(nullptr, rect, 7, WS_OVERLAPPED | WS_VISIBLE | WS_VSCROLL, "ResultGrid");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(host->CreateGridWindow(nullptr, rect, 7, 0, "again"), nullptr);
    GridView* view = GridView::FromHandle(hwnd);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Columns().Count(), 3);
    EXPECT_EQ(view->Dataset().Field(2).type, FieldType::String);  // code 3, as the program defines text fields
    EXPECT_EQ(view->Dataset().Field(2).size, 26);
    Load(50);
    EXPECT_EQ(view->Dataset().RowCount(), 50);
    Call(Object(Get(grid, 17)), 214);  // columns fit their text once the rows are in
    EXPECT_NE(view->Columns().Item(0)->width, 100);
    EXPECT_LT(view->Columns().Item(0)->width, 200);
    Call(dataset, 1043);
    EXPECT_EQ(view->Selection().Focused(), 49);
    EXPECT_EQ(view->TopRow(), 50 - view->PageRows());  // the current record is scrolled into view
    host->Release();
    grid = nullptr;  // the control takes its window with it
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(GridAutomationTest, AWindowDestroyedByItsParentCanBeCreatedAgain)
{
    IGridWindowHost* host = nullptr;
    ASSERT_EQ(grid->QueryInterface(IID_IGridWindowHost, reinterpret_cast<void**>(&host)), S_OK);
    const RECT rect{0, 0, 200, 100};
    HWND first = host->CreateGridWindow(nullptr, rect, 1, WS_OVERLAPPED, "ResultGrid");
    ASSERT_NE(first, nullptr);
    DestroyWindow(first);
    EXPECT_EQ(host->GridWindow(), nullptr);
    HWND second = host->CreateGridWindow(nullptr, rect, 1, WS_OVERLAPPED, "ResultGrid");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(host->GridWindow(), second);
    EXPECT_EQ(GridView::FromHandle(second)->Columns().Count(), 3);
    host->Release();
}

TEST_F(GridAutomationTest, CallsFromAWorkerRunOnTheWindowsThread)
{
    ASSERT_NE(Window(), nullptr);
    auto* sink = new GridEventSink;
    DWORD cookie = 0;
    ASSERT_EQ(tw::com::Advise(grid, sink->GetUnknown(), DIID_DataGridEvents, &cookie), S_OK);
    DWORD eventThread = 0;
    sink->reactions[kEventDataState] = [&eventThread](DISPPARAMS&) { eventThread = GetCurrentThreadId(); };
    Call(dataset, 1012);

    // The fetch worker's road: rows appended one call at a time while the window's thread runs its loop.
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int r = 0; r < 50; ++r)
            Call(dataset, 1025, {Record({"w" + std::to_string(r), "o", "t"})});
        Call(dataset, 1029);  // raises a data-state event
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done && std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_EQ(int(Get(grid, 9)), 50);
    EXPECT_EQ(Text(Get(Object(Get(grid, 7, {49})), 27, {0})), "w49");
    EXPECT_EQ(eventThread, GetCurrentThreadId());
    tw::com::Unadvise(grid, DIID_DataGridEvents, cookie);
    sink->Release();
}

}  // namespace
}  // namespace tw::grid
