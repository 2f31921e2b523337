// A fetch worker appends rows from its own thread while the grid's window
// belongs to this one: the rows come in order, every later call sees them,
// the window shows them while the load runs, and a row the grid refuses
// fails at the worker's own call.
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "platform/controls/grid/GridView.h"
#include "tests/platform/controls/grid/GridControlFixture.h"

namespace tw::grid {
namespace {

using namespace testing;

class GridWorkerAppendTest : public GridControlFixture {
protected:
    void SetUp() override
    {
        GridControlFixture::SetUp();
        ASSERT_NE(Window(), nullptr);
        view = GridView::FromHandle(Window());
    }

    void PumpUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            MSG msg;
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(&msg);
            std::this_thread::yield();
        }
        ASSERT_TRUE(done()) << "the worker did not get there";
    }

    // Runs `work` on a worker thread while this thread pumps; a failed call
    // there ends up in `failures`.
    void OnWorker(const std::function<void()>& work)
    {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            try {
                work();
            } catch (const _com_error& error) {
                failures.push_back(error.Error());
            }
            done = true;
        });
        PumpUntil([&] { return done.load(); });
        worker.join();
    }

    static _variant_t Cells(std::vector<_variant_t> values)
    {
        _variant_t record;
        record.vt = VT_ARRAY | VT_VARIANT;
        record.parray = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(values.size()));
        for (LONG i = 0; i < LONG(values.size()); ++i)
            SafeArrayPutElement(record.parray, &i, &values[size_t(i)]);
        return record;
    }

    GridView* view = nullptr;
    std::vector<HRESULT> failures;
};

TEST_F(GridWorkerAppendTest, RowsComeInOrderAndEveryLaterCallSeesThem)
{
    OnWorker([&] {
        Call(dataset, 1028);
        Call(dataset, 1012);
        for (int r = 0; r < 3000; ++r)
            Call(dataset, 1025, {Record({"name" + std::to_string(r), "owner", "type"})});
        // Asked at once from the worker, before the window's thread has pumped.
        EXPECT_EQ(int(Get(grid, 9)), 3000);
        EXPECT_EQ(Text(Get(Object(Get(grid, 7, {2999})), 27, {0})), "name2999");
        Call(dataset, 1030);
        Call(dataset, 1035);
    });
    EXPECT_TRUE(failures.empty());
    for (int r : {0, 1, 1500, 2999})
        EXPECT_EQ(Model().Dataset().Text(r, 0), "name" + std::to_string(r));
    EXPECT_EQ(CurrentRow(), 0);
}

// A bulk load announces nothing until it ends, yet the rows that have arrived
// are shown from the top while the worker is still busy.
TEST_F(GridWorkerAppendTest, RowsAreShownWhileTheLoadRuns)
{
    std::atomic<bool> appended{false}, finish{false};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        Call(dataset, 1028);
        Call(dataset, 1012);
        for (int r = 0; r < 200; ++r)
            Call(dataset, 1025, {Record({"name" + std::to_string(r), "o", "t"})});
        appended = true;
        while (!finish)
            std::this_thread::yield();
        Call(dataset, 1030);
        done = true;
    });
    PumpUntil([&] { return appended.load() && Model().Dataset().RowCount() == 200; });
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE};
    GetScrollInfo(Window(), SB_VERT, &info);
    EXPECT_GT(info.nMax, int(info.nPage));
    EXPECT_EQ(view->TopRow(), 0);
    finish = true;
    PumpUntil([&] { return done.load(); });
    worker.join();
}

TEST_F(GridWorkerAppendTest, ARecordTheGridRefusesFailsAtTheWorkersCall)
{
    OnWorker([&] {
        Call(dataset, 1012);
        // A value that is no text goes the ordinary way and is converted.
        Call(dataset, 1025, {Cells({_variant_t(7L), _variant_t("x"), _variant_t()})});
        Call(dataset, 1025, {Record({"a", "b", "c", "one too many"})});
    });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Model().Dataset().RowCount(), 1);
    EXPECT_EQ(Model().Dataset().Text(0, 0), "7");
    EXPECT_TRUE(Model().Dataset().IsNull(0, 2));

    failures.clear();
    OnWorker([&] {
        Call(dataset, 1005);
        Call(dataset, 1025, {Record({"after close"})});
    });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(Model().Dataset().RowCount(), 0);
}

}  // namespace
}  // namespace tw::grid
