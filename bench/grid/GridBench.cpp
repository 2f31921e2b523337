// Appends 1,000,000 rows of five text columns to a grid window, then pages it
// from the top to the bottom, repainting each page, and prints the time per
// row, the bytes per row and the time per repaint.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls/grid/GridView.h"

namespace {

using BenchClock = std::chrono::steady_clock;

double MillisecondsSince(BenchClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    constexpr int kFields = 5;

    tw::grid::GridView::RegisterWindowClass();
    HWND hwnd = CreateWindowEx(0, tw::grid::GridView::kClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL,
                               0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    tw::grid::GridView* grid = tw::grid::GridView::FromHandle(hwnd);
    if (!grid) {
        std::fprintf(stderr, "cannot create the grid window\n");
        return 1;
    }
    for (int f = 0; f < kFields; ++f) {
        const std::string name = "Field" + std::to_string(f);
        grid->Dataset().AddField({name, tw::grid::FieldType::String, 32});
        tw::grid::GridColumn* column = grid->Columns().Item(grid->Columns().Add());
        column->fieldName = name;
        column->caption = name;
    }

    char texts[kFields][32];
    const auto appendStart = BenchClock::now();
    grid->DisableControls();
    for (int r = 0; r < rows; ++r) {
        for (int f = 0; f < kFields; ++f)
            std::snprintf(texts[f], sizeof texts[f], "row %d field %d", r, f);
        grid->Dataset().Append({texts[0], texts[1], texts[2], texts[3], texts[4]});
    }
    grid->EnableControls();
    const double appendMs = MillisecondsSince(appendStart);

    // Paging through every row would take as many repaints as pages; a sample of
    // pages spread from top to bottom measures the same work per repaint.
    const int pages = 2000;
    const auto scrollStart = BenchClock::now();
    for (int i = 0; i <= pages; ++i) {
        grid->SetTopRow(int(int64_t(rows) * i / pages));
        UpdateWindow(hwnd);
    }
    const double scrollMs = MillisecondsSince(scrollStart);

    std::printf("rows appended:        %d\n", rows);
    std::printf("append time per row:  %.1f ns\n", appendMs * 1e6 / rows);
    std::printf("bytes per row:        %.1f\n", double(grid->Dataset().BytesUsed()) / rows);
    std::printf("repaints:             %d (top row %d at the end)\n", pages + 1, grid->TopRow());
    std::printf("time per repaint:     %.3f ms\n", scrollMs / (pages + 1));
    DestroyWindow(hwnd);
    return 0;
}
