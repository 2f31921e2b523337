// The grid's events as its container receives them: dispatch calls on every
// sink advised on the grid's connection point for DIID_DataGridEvents, by
// the event ids below, with row nodes and columns as objects and the
// by-reference arguments a handler may change.
#pragma once

#include <memory>

#include "platform/com/ConnectionPoints.h"
#include "platform/controls/grid/GridEvents.h"
#include "platform/controls/grid/GridModel.h"

// {0B3E6C21-5A7D-4E19-8F2C-6D4A1E9B7C35}
DEFINE_GUID(DIID_DataGridEvents, 0x0B3E6C21, 0x5A7D, 0x4E19, 0x8F, 0x2C, 0x6D, 0x4A, 0x1E, 0x9B, 0x7C, 0x35);

namespace tw::grid {

// Event ids and their arguments, left to right.
enum GridEventId : DISPID {
    // previous node, new node (either may be null)
    kEventFocusedNodeChanged = 12,
    // column index; left, top, right, bottom; node; column; selected; focused;
    // grid has focus; text*; cell colour*; font (null); font colour*; alignment*; done*
    kEventCustomDrawCell = 22,
    // node whose editing ended (its record was stored)
    kEventNodeChanged = 35,
    // node, allow*
    kEventEditing = 36,
    // key code* (I2), shift state (1 Shift, 2 Ctrl, 4 Alt)
    kEventKey = 53,
    // button (1 left, 2 right, 4 middle), shift state, x, y (client pixels, R4)
    kEventMouse = 56,
    // the dataset's state (DataState)
    kEventDataState = 65,
    // column, node
    kEventCellButton = 77,
    // column, text*, accept*
    kEventValidate = 79,
    // node, column index* (I2): the column lending its editor, opened by key and by mouse
    kEventGetEditColumn = 97,
    kEventGetEditColumn2 = 98,
};

class GridEventFirer final : public GridEvents {
public:
    GridEventFirer(std::weak_ptr<GridModel> model, tw::com::ConnectionPoint& point)
        : model_(std::move(model)), point_(point)
    {
    }

    void FocusedRowChanged(int previous, int current) override;
    bool WantsCustomDraw() const override;
    void CustomDrawCell(GridCellDraw& cell) override;
    void RowPosted(int row) override;
    bool Editing(int row) override;
    void Key(int& vk, int shift) override;
    void Mouse(int button, int shift, int x, int y) override;
    void DataStateChanged(DataState state) override;
    void CellButton(int column, int row) override;
    bool Validate(int column, int row, std::string& text) override;
    void EditColumn(int row, int& column, bool byMouse) override;

private:
    bool Listened() const { return point_.SinkCount() > 0; }
    // Arguments left to right, as the sinks receive them.
    void Fire(DISPID id, std::initializer_list<VARIANT> arguments);
    _variant_t Node(int row) const;
    _variant_t Column(int column) const;

    std::weak_ptr<GridModel> model_;
    tw::com::ConnectionPoint& point_;
};

}  // namespace tw::grid
