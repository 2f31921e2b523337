// A row of the data grid (a node) and the selected rows, driven by the
// control's dispatch ids. Each object holds one reference to the control's
// object and lets it go when it goes away.
#pragma once

#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/CString.h"

class CdxDBGridNode : public COleDispatchDriver {
public:
    CdxDBGridNode() = default;
    // Takes over the reference the caller holds.
    explicit CdxDBGridNode(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    // The node's index, as CdxDBGrid::GetNode takes it.
    LONG GetProperty17();
    // By column position, from 0.
    CString GetCellText(LONG nColumn);
};

class CdxDBGridSelection : public COleDispatchDriver {
public:
    CdxDBGridSelection() = default;
    explicit CdxDBGridSelection(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    LONG GetCount();
    // From 0, in the order the rows were selected.
    CdxDBGridNode GetItem(LONG nIndex);
    // The row the user works on among the selected ones.
    CdxDBGridNode GetProperty135();
};
