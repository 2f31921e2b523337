// The grid as an automation object: the control and the objects reached from
// it (dataset and its settings, field definitions, columns, a column and its
// editor, selection, a row node, the view), each answering IDispatch by the
// grid's dispatch ids over one shared model. The control is an event source:
// containers advise DIID_DataGridEvents on it. RegisterClasses makes the
// control creatable by its CLSID.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/com/ComSupport.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/controls/grid/GridDispatchObject.h"
#include "platform/controls/grid/GridEventFirer.h"
#include "platform/controls/grid/GridModel.h"
#include "platform/controls/grid/GridRecordsetBinding.h"
#include "platform/win32/user/winuser.h"

// {6A24B340-7634-11D3-A5B0-0050044A7E1A}
DEFINE_GUID(CLSID_DataGrid, 0x6A24B340, 0x7634, 0x11D3, 0xA5, 0xB0, 0x00, 0x50, 0x04, 0x4A, 0x7E, 0x1A);
// {5C1D8E62-2B7F-4F0A-9C4E-7A1B3D2E6F10}
DEFINE_GUID(IID_IGridWindowHost, 0x5C1D8E62, 0x2B7F, 0x4F0A, 0x9C, 0x4E, 0x7A, 0x1B, 0x3D, 0x2E, 0x6F, 0x10);

// How a container gives the control its window: the control creates a
// "TwDataGrid" child showing its model and answers it (NULL on failure).
struct IGridWindowHost : public IUnknown {
    virtual HWND CreateGridWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName) = 0;
    virtual HWND GridWindow() = 0;

protected:
    ~IGridWindowHost() = default;
};
TW_INTERFACE_ID(IGridWindowHost, IID_IGridWindowHost);

// {9E4B2D17-3C58-4A06-B1E7-52D0C8A4F693}
DEFINE_GUID(IID_IGridLayout, 0x9E4B2D17, 0x3C58, 0x4A06, 0xB1, 0xE7, 0x52, 0xD0, 0xC8, 0xA4, 0xF6, 0x93);

// How a container gives the control the state stored with its form template
// (the text of GridLayout.h).
struct IGridLayout : public IUnknown {
    // E_INVALIDARG, with the reason as error information, when the bytes are not a layout.
    virtual HRESULT LoadLayout(const BYTE* data, ULONG size) = 0;

protected:
    ~IGridLayout() = default;
};
TW_INTERFACE_ID(IGridLayout, IID_IGridLayout);

namespace tw::grid {

// The automation objects of one row (a node) and one column, as the grid's
// events pass them; the row or column must exist.
IDispatchPtr NewNodeObject(const std::shared_ptr<GridModel>& model, int row);
IDispatchPtr NewColumnObject(const std::shared_ptr<GridModel>& model, int column);

// Loads into the grid the layout that the form template keeps for its
// control: S_FALSE when the template keeps none (the grid starts empty).
HRESULT LoadGridLayout(IUnknown* grid, HINSTANCE module, LPCSTR templateName, WORD controlId);

// Registers the grid's window class and its control class.
void RegisterClasses();

// What the grid keeps beside its rows: settings callers set by number and
// the recordset it may be bound to. Shared by the control and its objects.
struct GridSettings {
    explicit GridSettings(GridModel& model) : binding(model) {}
    GridRecordsetBinding binding;
    // Dataset settings 1104-1106 and the look chosen through the Property2 object.
    std::map<DISPID, int> datasetSettings;
    int look = 0;
};

class GridControlObject
    : public GridDispatchObject<IDispatch, IGridWindowHost, IConnectionPointContainer, IGridLayout> {
public:
    GridControlObject();
    ~GridControlObject();

    HWND CreateGridWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName) override;
    HWND GridWindow() override;
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;
    HRESULT LoadLayout(const BYTE* data, ULONG size) override;

    const std::shared_ptr<GridModel>& Model() const { return model_; }
    // The value last given to an option number, if any.
    bool Option(int index, bool& value) const;
    bool OptionEx(int index, bool& value) const;

private:
    bool OwnsLiveWindow() const;

    std::shared_ptr<GridModel> model_;
    std::shared_ptr<GridSettings> settings_;
    tw::com::ConnectionPoints points_;
    std::unique_ptr<GridEventFirer> firer_;
    std::map<int, bool> options_;
    std::map<int, bool> optionsEx_;
    int optionIndex_ = -1;
    int optionExIndex_ = -1;
    int datasetType_ = 0;
    std::string keyField_;
    // Numbered grid properties with no behaviour of their own, kept and read back.
    std::map<DISPID, _variant_t> numbered_;
    HWND window_ = nullptr;
};

}  // namespace tw::grid
