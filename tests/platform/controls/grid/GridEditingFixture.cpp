#include "tests/platform/controls/grid/GridEditingFixture.h"

#include "tests/platform/controls/grid/GridControlFixture.h"

namespace tw::grid::testing {

void GridEditingFixture::SetUp()
{
    GridViewFixture::SetUp();
    controlDispatch = CreateGridControl();
    control = dynamic_cast<GridControlObject*>(controlDispatch.GetInterfacePtr());
    ASSERT_NE(control, nullptr);
    grid->SetModel(control->Model());
    for (const char* name : {"Name", "Value", "Type"}) {
        ASSERT_TRUE(Model().Dataset().AddField({name, FieldType::String, 40}));
        GridColumn column;
        column.name = column.caption = column.fieldName = name;
        column.width = kColumnWidth;
        Model().Columns().Add(column);
    }
    Model().Open();
    for (int r = 0; r < 3; ++r) {
        const std::string n = std::to_string(r);
        const std::string name = "n" + n, value = "v" + n, type = "t" + n;
        Model().Dataset().Append({name, value, type});
    }
    Model().MoveTo(0);
    sink = new GridEventSink;
    ASSERT_EQ(tw::com::Advise(controlDispatch, sink->GetUnknown(), DIID_DataGridEvents, &cookie), S_OK);
    SetFocus(hwnd);
    Pump();
}

void GridEditingFixture::TearDown()
{
    tw::com::Unadvise(controlDispatch, DIID_DataGridEvents, cookie);
    sink->Release();
    GridViewFixture::TearDown();
    controlDispatch = nullptr;
}

POINT GridEditingFixture::CellPoint(int row, int column)
{
    const RECT cell = grid->CellRect(row, column);
    return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

void GridEditingFixture::ClickCell(int row, int column)
{
    const POINT point = CellPoint(row, column);
    Click(point.x, point.y);
}

void GridEditingFixture::EditWithF2(int row, int column)
{
    Model().MoveTo(row);
    grid->SetFocusedColumn(column);
    Key(VK_F2);
}

void GridEditingFixture::Type(const std::string& text)
{
    // Plain characters come from the keys that type them.
    for (char c : text) {
        const SHORT scan = VkKeyScan(c);
        ASSERT_NE(scan, -1) << c;
        KeyWith(UINT(LOBYTE(scan)), (HIBYTE(scan) & 1) != 0, false);
    }
}

}  // namespace tw::grid::testing
