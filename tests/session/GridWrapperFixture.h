// Grids made through the wrapper in a headless dialog, the way the result
// views make them, with a look at what the control holds behind them.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/grid/GridAutomation.h"
#include "platform/mfc/CDialog.h"
#include "session/dxDBGrid.h"
#include "tests/support/window/HeadlessWindowTest.h"

namespace sessiontest {

class GridWrapperFixture : public tw::test::HeadlessWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a grid child of the dialog; FALSE when the wrapper could not.
    BOOL MakeGrid(CdxDBGrid& grid, UINT nID);
    // The control object behind a grid's window.
    static tw::grid::GridControlObject& Control(CdxDBGrid& grid);
    static tw::grid::GridModel& Model(CdxDBGrid& grid) { return *Control(grid).Model(); }
    // A property of a control object read past the wrapper.
    static _variant_t Read(IDispatch* object, DISPID id, std::initializer_list<_variant_t> args = {});
    static void Write(IDispatch* object, DISPID id, const _variant_t& value);
    // A record as the fetch worker passes it: a one-dimensional array of string VARIANTs.
    static _variant_t Record(const std::vector<std::string>& texts);
    // The grid's result-grid layout: type 1, then per field a column and a
    // field definition, the key field empty, then the rows loaded between
    // DisableControls and EnableControls and First.
    static void Fill(CdxDBGrid& grid, const std::vector<std::string>& fields,
                     const std::vector<std::vector<std::string>>& rows);

    CDialog dialog;
    CdxDBGrid grid;
};

}  // namespace sessiontest
