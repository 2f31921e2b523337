#include "session/dxDBGrid.h"

#include "session/dxDBGridCalls.h"

IMPLEMENT_DYNCREATE(CdxDBGrid, CWnd)

const CLSID& CdxDBGrid::GetClsid()
{
    // {6A24B340-7634-11D3-A5B0-0050044A7E1A}
    static const CLSID clsid = {0x6A24B340, 0x7634, 0x11D3, {0xA5, 0xB0, 0x00, 0x50, 0x04, 0x4A, 0x7E, 0x1A}};
    return clsid;
}

BOOL CdxDBGrid::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext*)
{
    return CreateControl(GetClsid(), lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

CdxDBGridColumns CdxDBGrid::GetColumns()
{
    return dxdbgrid::ObjectProperty<CdxDBGridColumns>(*this, 1);
}

CdxDBGridProperty2 CdxDBGrid::GetProperty2()
{
    return dxdbgrid::ObjectProperty<CdxDBGridProperty2>(*this, 2);
}

void CdxDBGrid::SetOptionIndex(LONG nNewValue)
{
    SetProperty(3, VT_I4, nNewValue);
}

void CdxDBGrid::SetOptionValue(BOOL bNewValue)
{
    SetProperty(4, VT_BOOL, bNewValue);
}

void CdxDBGrid::SetOptionExIndex(LONG nNewValue)
{
    SetProperty(5, VT_I4, nNewValue);
}

void CdxDBGrid::SetOptionExValue(BOOL bNewValue)
{
    SetProperty(6, VT_BOOL, bNewValue);
}

CdxDBGridNode CdxDBGrid::GetNode(LONG nIndex)
{
    return dxdbgrid::ObjectItem<CdxDBGridNode>(*this, 7, nIndex);
}

LONG CdxDBGrid::GetCount()
{
    return dxdbgrid::LongProperty(*this, 9);
}

void CdxDBGrid::SetKeyField(LPCTSTR lpszNewValue)
{
    SetProperty(10, VT_BSTR, lpszNewValue);
}

CdxDBGridView CdxDBGrid::GetView()
{
    return dxdbgrid::ObjectProperty<CdxDBGridView>(*this, 17);
}

CdxDBGridSelection CdxDBGrid::GetSelection()
{
    return dxdbgrid::ObjectProperty<CdxDBGridSelection>(*this, 18);
}

CdxDBGridDataset CdxDBGrid::GetDataset()
{
    return dxdbgrid::ObjectProperty<CdxDBGridDataset>(*this, 19);
}

void CdxDBGrid::SetDatasetType(LONG nNewValue)
{
    SetProperty(20, VT_I4, nNewValue);
}

void CdxDBGrid::SetProperty41(LONG nNewValue)
{
    SetProperty(41, VT_I4, nNewValue);
}

void CdxDBGrid::SetProperty46(BOOL bNewValue)
{
    SetProperty(46, VT_BOOL, bNewValue);
}

void CdxDBGrid::SetRecordset(LPUNKNOWN pRecordset)
{
    static const BYTE params[] = VTS_UNKNOWN;
    InvokeHelper(55, DISPATCH_PROPERTYPUTREF, VT_EMPTY, nullptr, params, pRecordset);
}
