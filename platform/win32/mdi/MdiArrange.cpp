#include "platform/win32/mdi/MdiArrange.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/gdi/SystemMetrics.h"

namespace tw::mdi {

namespace mdi_arrange_detail {

int Step() { return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME); }
int IconWidth() { return GetSystemMetrics(SM_CXMINIMIZED); }
int IconHeight() { return GetSystemMetrics(SM_CYMINIMIZED); }

}  // namespace mdi_arrange_detail

std::vector<RECT> MdiArrange::Cascade(const RECT& area, int count)
{
    namespace d = mdi_arrange_detail;
    std::vector<RECT> rects;
    if (count <= 0)
        return rects;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int step = d::Step();
    // Windows keep at least half the area, so a long series starts over.
    const int perSeries = std::max(1, std::min(count, (height / 2) / step + 1));
    const int cx = std::max(width - step * (perSeries - 1), width / 2);
    const int cy = std::max(height - step * (perSeries - 1), height / 2);
    for (int i = 0; i < count; ++i) {
        const int k = i % perSeries;
        const int x = area.left + k * step;
        const int y = area.top + k * step;
        rects.push_back(RECT{x, y, x + cx, y + cy});
    }
    return rects;
}

std::vector<RECT> MdiArrange::Tile(const RECT& area, int count, bool horizontal)
{
    std::vector<RECT> rects;
    if (count <= 0)
        return rects;
    // Lines of windows: one line up to three windows, then a near-square grid;
    // the last lines take the windows left over.
    const int lines = count <= 3 ? 1 : static_cast<int>(std::sqrt(static_cast<double>(count)));
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    int placed = 0;
    for (int line = 0; line < lines; ++line) {
        const int inLine = count / lines + (line >= lines - count % lines ? 1 : 0);
        for (int j = 0; j < inLine; ++j) {
            RECT r;
            if (horizontal) {
                // Lines are columns; windows stack down each column.
                r.left = area.left + width * line / lines;
                r.right = area.left + width * (line + 1) / lines;
                r.top = area.top + height * j / inLine;
                r.bottom = area.top + height * (j + 1) / inLine;
            } else {
                // Lines are rows; windows stand side by side in each row.
                r.top = area.top + height * line / lines;
                r.bottom = area.top + height * (line + 1) / lines;
                r.left = area.left + width * j / inLine;
                r.right = area.left + width * (j + 1) / inLine;
            }
            rects.push_back(r);
            ++placed;
        }
    }
    return rects;
}

std::vector<RECT> MdiArrange::Icons(const RECT& area, int count)
{
    namespace d = mdi_arrange_detail;
    std::vector<RECT> rects;
    const int perRow = std::max(1, static_cast<int>((area.right - area.left) / d::IconWidth()));
    for (int i = 0; i < count; ++i) {
        const int x = area.left + (i % perRow) * d::IconWidth();
        const int y = area.bottom - (i / perRow + 1) * d::IconHeight();
        rects.push_back(RECT{x, y, x + d::IconWidth(), y + d::IconHeight()});
    }
    return rects;
}

int MdiArrange::IconRowsHeight(const RECT& area, int count)
{
    namespace d = mdi_arrange_detail;
    if (count <= 0)
        return 0;
    const int perRow = std::max(1, static_cast<int>((area.right - area.left) / d::IconWidth()));
    return ((count + perRow - 1) / perRow) * d::IconHeight();
}

}  // namespace tw::mdi
