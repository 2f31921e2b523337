// Text a worker appends keeps every character, whether it is plain ASCII or
// mixes in accented letters, symbols and characters beyond 16 bits.
#include <atomic>
#include <thread>

#include "tests/platform/controls/grid/GridControlFixture.h"

namespace tw::grid {
namespace {

class GridWorkerTextTest : public GridControlFixture {};

TEST_F(GridWorkerTextTest, CellsKeepEveryCharacterTheWorkerSent)
{
    const std::vector<std::string> texts = {"plain ascii", "größe ✓", "ab😀cd", "", "😀", "x"};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        Call(dataset, 1028);
        Call(dataset, 1012);
        for (const std::string& text : texts)
            Call(dataset, 1025, {Record({text, "owner " + text, "t"})});
        Call(dataset, 1030);
        done = true;
    });
    while (!done) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
        std::this_thread::yield();
    }
    worker.join();
    ASSERT_EQ(Model().Dataset().RowCount(), int(texts.size()));
    for (size_t r = 0; r < texts.size(); ++r) {
        EXPECT_EQ(Model().Dataset().Text(int(r), 0), texts[r]);
        EXPECT_EQ(Model().Dataset().Text(int(r), 1), "owner " + texts[r]);
    }
}

}  // namespace
}  // namespace tw::grid
