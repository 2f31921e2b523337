// The grid as a hosted control: the same control object, also answering the
// container's hosting interface, so that CWnd::CreateControl and dialog
// templates naming the grid's CLSID make it, and its events reach the
// container's event sink map.
#pragma once

#include "platform/controls/grid/GridAutomation.h"
#include "platform/ole/HostedControl.h"

namespace tw::grid {

// Makes the grid's CLSID create hosted grids and lets templates name it.
void RegisterHostedGrid();

class GridHostedControl final : public GridControlObject, public IHostedControl {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HWND CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName) override;
    HWND ControlWindow() override;
    HRESULT GetEventInterface(IID* piid) override;

protected:
    void* FindInterface(REFIID riid) override;
};

}  // namespace tw::grid
