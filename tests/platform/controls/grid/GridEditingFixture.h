// A grid control whose window sits in a visible parent, with a container's
// sink advised on its events: columns "Name", "Value" and "Type" over rows
// "n<r>", "v<r>", "t<r>", driven by injected input.
#pragma once

#include "platform/controls/grid/GridAutomation.h"
#include "tests/platform/controls/grid/GridEventSink.h"
#include "tests/platform/controls/grid/GridViewFixture.h"

namespace tw::grid::testing {

class GridEditingFixture : public tw::grid::test::GridViewFixture {
protected:
    static constexpr int kName = 0;
    static constexpr int kValue = 1;
    static constexpr int kType = 2;

    void SetUp() override;
    void TearDown() override;

    GridModel& Model() { return *control->Model(); }
    std::string Cell(int row, int column) { return std::string(Model().Dataset().Text(row, Model().FieldOfColumn(column))); }
    POINT CellPoint(int row, int column);
    void ClickCell(int row, int column);
    // Focuses the cell and opens its editor with F2.
    void EditWithF2(int row, int column);
    void Type(const std::string& text);

    GridControlObject* control = nullptr;
    IDispatchPtr controlDispatch;
    GridEventSink* sink = nullptr;
    DWORD cookie = 0;
};

}  // namespace tw::grid::testing
