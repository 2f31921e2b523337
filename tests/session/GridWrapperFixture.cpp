#include "tests/session/GridWrapperFixture.h"

#include <mutex>

#include "platform/com/DispatchInvoke.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "tests/session/fixtures/SessionFixtures.h"
#include "tests/support/StringRecord.h"

namespace sessiontest {

void GridWrapperFixture::SetUp()
{
    HeadlessWindowTest::SetUp();
    static std::once_flag once;
    std::call_once(once, [] { tw::RegisterResources(tw::ProgramInstance(), SessionFixtureResources()); });
    // What installing the control does on a real machine.
    tw::grid::RegisterClasses();
    ASSERT_TRUE(dialog.Create(IDD_GRID_HOST, nullptr));
    ASSERT_TRUE(MakeGrid(grid, 1));
}

void GridWrapperFixture::TearDown()
{
    if (dialog.m_hWnd)
        dialog.DestroyWindow();
    HeadlessWindowTest::TearDown();
}

BOOL GridWrapperFixture::MakeGrid(CdxDBGrid& target, UINT nID)
{
    CRect rect;
    dialog.GetClientRect(&rect);
    rect.top += 10;
    return target.Create(nullptr, "ResultGrid", WS_CHILD | WS_VISIBLE, rect, &dialog, nID);
}

tw::grid::GridControlObject& GridWrapperFixture::Control(CdxDBGrid& target)
{
    auto* control = dynamic_cast<tw::grid::GridControlObject*>(target.GetControlUnknown());
    EXPECT_NE(control, nullptr);
    return *control;
}

_variant_t GridWrapperFixture::Read(IDispatch* object, DISPID id, std::initializer_list<_variant_t> args)
{
    return tw::com::InvokeOrRaise(object, id, DISPATCH_PROPERTYGET, args);
}

void GridWrapperFixture::Write(IDispatch* object, DISPID id, const _variant_t& value)
{
    tw::com::InvokeOrRaise(object, id, DISPATCH_PROPERTYPUT, {value});
}

_variant_t GridWrapperFixture::Record(const std::vector<std::string>& texts)
{
    return tw::test::StringRecord(texts);
}

void GridWrapperFixture::Fill(CdxDBGrid& target, const std::vector<std::string>& fields,
                              const std::vector<std::vector<std::string>>& rows)
{
    target.SetDatasetType(1);
    for (const std::string& field : fields) {
        CdxDBGridColumn column = target.GetColumns().Add(1);
        column.SetFieldName(field.c_str());
        column.SetCaption(field.c_str());
        column.SetName(field.c_str());
        target.GetDataset().GetFieldDefs().Add(field.c_str(), 3, 20);
        target.SetKeyField("");
    }
    CdxDBGridDataset dataset = target.GetDataset();
    dataset.DisableControls();
    dataset.Open();
    for (const auto& row : rows)
        dataset.AppendRecord(Record(row));
    dataset.EnableControls();
    dataset.First();
}

}  // namespace sessiontest
