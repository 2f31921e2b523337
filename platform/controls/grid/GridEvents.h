// What the grid tells its container as the user works in it. The model calls
// these; the automation object turns them into dispatch events with row
// nodes, and a grid nobody listens to uses the defaults (allow everything).
#pragma once

#include <string>

#include "platform/win32/windef.h"

namespace tw::grid {

// The dataset's states as the data-state event numbers them.
enum class DataState : int {
    Inactive = 0,
    Browse = 1,
    Edit = 2,
    // An editor stored a value into the record being edited.
    Modified = 3,
    Insert = 4,
};

// One cell about to be drawn; a handler may change the text and colours and
// set done, and the grid then draws the cell with them.
struct GridCellDraw {
    int row = -1;
    int column = -1;
    RECT rect{};
    bool selected = false;
    bool focused = false;
    std::string text;
    COLORREF background = 0;
    COLORREF textColor = 0;
    int alignment = 0;
    bool done = false;
};

class GridEvents {
public:
    virtual ~GridEvents() = default;

    // previous is -1 when no row had the focus.
    virtual void FocusedRowChanged(int /*previous*/, int /*current*/) {}
    // Whether CustomDrawCell is worth calling at all.
    virtual bool WantsCustomDraw() const { return false; }
    virtual void CustomDrawCell(GridCellDraw& /*cell*/) {}
    // The editing of a row ended and its record was stored.
    virtual void RowPosted(int /*row*/) {}
    // An editor is about to open on the row; false keeps it closed.
    virtual bool Editing(int /*row*/) { return true; }
    // A key reached the grid; setting vk to 0 swallows it.
    virtual void Key(int& /*vk*/, int /*shift*/) {}
    virtual void Mouse(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void DataStateChanged(DataState /*state*/) {}
    // The button of a cell (a button editor's, a pick list's arrow) was pressed.
    virtual void CellButton(int /*column*/, int /*row*/) {}
    // The edited text of a cell is being accepted; false refuses it.
    virtual bool Validate(int /*column*/, int /*row*/, std::string& /*text*/) { return true; }
    // Which column lends its editor to a cell of the row: byMouse tells the
    // two ways an editor opens apart.
    virtual void EditColumn(int /*row*/, int& /*column*/, bool /*byMouse*/) {}
};

}  // namespace tw::grid
