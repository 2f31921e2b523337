#include "platform/controls/grid/GridHosting.h"

#include "platform/com/ClassRegistry.h"
#include "platform/controls/grid/GridEventFirer.h"

namespace tw::grid {

void RegisterHostedGrid()
{
    tw::com::ClassRegistry::Instance().Register(CLSID_DataGrid, {"TwDataGrid.Grid"},
                                                tw::com::ClassRegistry::FactoryOf<GridHostedControl>());
    tw::ole::HostedControls::RegisterSiteClass(CLSID_DataGrid);
}

HRESULT GridHostedControl::QueryInterface(REFIID riid, void** ppvObject)
{
    return GridControlObject::QueryInterface(riid, ppvObject);
}

ULONG GridHostedControl::AddRef()
{
    return GridControlObject::AddRef();
}

ULONG GridHostedControl::Release()
{
    return GridControlObject::Release();
}

void* GridHostedControl::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, IID_IHostedControl))
        return static_cast<IHostedControl*>(this);
    return GridControlObject::FindInterface(riid);
}

HWND GridHostedControl::CreateControlWindow(HWND parent, const RECT& rect, UINT id, DWORD style, LPCSTR windowName)
{
    return CreateGridWindow(parent, rect, id, style, windowName);
}

HWND GridHostedControl::ControlWindow()
{
    return GridWindow();
}

HRESULT GridHostedControl::GetEventInterface(IID* piid)
{
    if (!piid)
        return E_POINTER;
    *piid = DIID_DataGridEvents;
    return S_OK;
}

}  // namespace tw::grid
