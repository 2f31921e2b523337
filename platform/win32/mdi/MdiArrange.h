// Where cascading, tiling and arranging icons put MDI children, as pure
// geometry over the client area, so the layouts can be checked apart from
// windows.
#pragma once

#include <vector>

#include "platform/win32/windef.h"

namespace tw::mdi {

class MdiArrange {
public:
    // Rectangles for count windows, the first one at the back: each is
    // offset by one caption and frame from the one behind; the series starts
    // again at the top-left when the next would leave the area.
    static std::vector<RECT> Cascade(const RECT& area, int count);
    // Horizontal tiling stacks wide windows one above another; vertical puts
    // tall windows side by side. Past three windows both make a grid.
    static std::vector<RECT> Tile(const RECT& area, int count, bool horizontal);
    // Icon slots along the bottom, left to right, rows upward.
    static std::vector<RECT> Icons(const RECT& area, int count);
    // The height the icon rows take at the bottom.
    static int IconRowsHeight(const RECT& area, int count);
};

}  // namespace tw::mdi
