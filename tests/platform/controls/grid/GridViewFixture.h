// A grid window in a visible top-level parent, with five text columns over
// rows "r<row>c<field>", driven by injected input on a frozen clock.
#pragma once

#include <gtest/gtest.h>

#include "platform/controls/grid/GridView.h"
#include "platform/display/InputInjector.h"

namespace tw::grid::test {

class GridViewFixture : public ::testing::Test {
protected:
    static constexpr int kColumns = 5;
    static constexpr int kColumnWidth = 60;

    void SetUp() override;
    void TearDown() override;

    void Fill(int rows);
    void Pump();
    void Key(UINT vk);
    // A key with Shift and/or Ctrl held.
    void KeyWith(UINT vk, bool shift, bool ctrl);
    POINT ScreenPointOf(int clientX, int clientY);
    void Click(int clientX, int clientY, UINT modifierVk = 0);
    COLORREF Pixel(int clientX, int clientY);
    // The middle of a row's first cell, in client coordinates.
    POINT RowPoint(int row);

    HWND parent = nullptr;
    HWND hwnd = nullptr;
    GridView* grid = nullptr;
    tw::display::InputInjector input;
};

}  // namespace tw::grid::test
