#include "tests/platform/controls/grid/GridControlFixture.h"

#include "platform/com/ClassRegistry.h"
#include "tests/support/StringRecord.h"

namespace tw::grid::testing {

using tw::com::InvokeOrRaise;

_variant_t Get(IDispatch* target, DISPID id, std::initializer_list<_variant_t> args)
{
    return InvokeOrRaise(target, id, DISPATCH_PROPERTYGET, args);
}

void Put(IDispatch* target, DISPID id, std::initializer_list<_variant_t> args)
{
    InvokeOrRaise(target, id, DISPATCH_PROPERTYPUT, args);
}

_variant_t Call(IDispatch* target, DISPID id, std::initializer_list<_variant_t> args)
{
    return InvokeOrRaise(target, id, DISPATCH_METHOD, args);
}

IDispatchPtr Object(const _variant_t& value)
{
    EXPECT_EQ(value.vt, VT_DISPATCH);
    return IDispatchPtr(value.vt == VT_DISPATCH ? value.pdispVal : nullptr);
}

std::string Text(const _variant_t& value)
{
    return std::string(static_cast<const char*>(static_cast<_bstr_t>(value)));
}

HRESULT Failure(IDispatch* target, DISPID id, WORD flags, std::initializer_list<_variant_t> args)
{
    _variant_t result;
    return tw::com::InvokeDispatch(target, id, flags, args, &result);
}

_variant_t Record(const std::vector<std::string>& texts)
{
    return tw::test::StringRecord(texts);
}

IDispatchPtr CreateGridControl()
{
    RegisterClasses();
    IDispatch* created = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_DataGrid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&created)),
              S_OK);
    return IDispatchPtr(created, false);
}

void GridControlFixture::SetUp()
{
    grid = CreateGridControl();
    ASSERT_NE(grid, nullptr);
    Put(grid, 20, {1});
    for (auto [index, value] : std::vector<std::pair<int, bool>>{{18, true}, {67, false}, {14, true}, {3, true}}) {
        Put(grid, 3, {index});
        Put(grid, 4, {value});
    }
    columns = Object(Get(grid, 1));
    dataset = Object(Get(grid, 19));
    for (const char* field : {"Name", "Owner", "Type"}) {
        IDispatchPtr column = Object(Call(columns, 2, {1}));
        Put(column, 45, {field});
        Put(column, 4, {(std::string("Caption of ") + field).c_str()});
        Put(column, 14, {field});
        IDispatchPtr defs = Object(Get(dataset, 1060));
        Call(defs, 1201, {field, 3, 26});
        Put(grid, 10, {""});
    }
}

void GridControlFixture::Load(int rows)
{
    Call(dataset, 1028);
    Call(dataset, 1012);
    for (int r = 0; r < rows; ++r) {
        const std::string n = std::to_string(r);
        Call(dataset, 1025, {Record({"name" + n, "owner" + n, "type" + n})});
    }
    Call(dataset, 1030);
    Call(dataset, 1035);
}

int GridControlFixture::CurrentRow()
{
    IDispatchPtr selection = Object(Get(grid, 18));
    if (int(Get(selection, 125)) != 1)
        return -1;
    return int(Get(Object(Get(selection, 126, {0})), 17));
}

GridControlObject& GridControlFixture::Control()
{
    return *dynamic_cast<GridControlObject*>(grid.GetInterfacePtr());
}

HWND GridControlFixture::Window()
{
    if (HWND existing = Control().GridWindow())
        return existing;
    return Control().CreateGridWindow(nullptr, RECT{0, 0, 400, 200}, 1, WS_OVERLAPPED | WS_VISIBLE, "ResultGrid");
}

}  // namespace tw::grid::testing
