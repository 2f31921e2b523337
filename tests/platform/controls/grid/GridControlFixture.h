// Calls on the grid control through IDispatch, as the program makes them, and
// a fixture holding a grid built the way the result views build it: type,
// options, a column and a field per field (Name, Owner, Type), then rows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/DispatchInvoke.h"
#include "platform/controls/grid/GridAutomation.h"

namespace tw::grid::testing {

_variant_t Get(IDispatch* target, DISPID id, std::initializer_list<_variant_t> args = {});
void Put(IDispatch* target, DISPID id, std::initializer_list<_variant_t> args);
_variant_t Call(IDispatch* target, DISPID id, std::initializer_list<_variant_t> args = {});
IDispatchPtr Object(const _variant_t& value);
std::string Text(const _variant_t& value);
// The HRESULT of a call expected to fail.
HRESULT Failure(IDispatch* target, DISPID id, WORD flags, std::initializer_list<_variant_t> args = {});
// A grid control made by its CLSID, as the program makes it.
IDispatchPtr CreateGridControl();
// A record as the program passes it: a one-dimensional array of string VARIANTs.
_variant_t Record(const std::vector<std::string>& texts);

class GridControlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    // Rows "name<r>", "owner<r>", "type<r>", loaded between Disable and
    // EnableControls and followed by First.
    void Load(int rows);
    // The one selected row, or -1.
    int CurrentRow();
    GridControlObject& Control();
    GridModel& Model() { return *Control().Model(); }
    // The grid's window, made on first use.
    HWND Window();

    IDispatchPtr grid, columns, dataset;
};

}  // namespace tw::grid::testing
