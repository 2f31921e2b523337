// A grid window in a visible top-level parent, with five text columns over
// rows "r<row>c<field>", driven by injected input on a frozen clock.
#pragma once

#include <gtest/gtest.h>

#include "platform/controls/grid/GridView.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace tw::grid::test {

class GridViewFixture : public tw::test::HeadlessWindowTest {
protected:
    static constexpr int kColumns = 5;
    static constexpr int kColumnWidth = 60;

    void SetUp() override;

    void Fill(int rows);
    // A key with Shift and/or Ctrl held.
    void KeyWith(UINT vk, bool shift, bool ctrl);
    POINT ScreenPointOf(int clientX, int clientY);
    void Click(int clientX, int clientY, UINT modifierVk = 0);
    COLORREF Pixel(int clientX, int clientY);
    // The middle of a row's first cell, in client coordinates.
    POINT RowPoint(int row);

    HWND hwnd = nullptr;
    GridView* grid = nullptr;
};

}  // namespace tw::grid::test
