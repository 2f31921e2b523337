#include "session/dxDBGridDataset.h"

#include "session/dxDBGridCalls.h"

void CdxDBGridDatasetSettings::SetProperty1104(LONG nNewValue)
{
    SetProperty(1104, VT_I4, nNewValue);
}

void CdxDBGridDatasetSettings::SetProperty1105(LONG nNewValue)
{
    SetProperty(1105, VT_I4, nNewValue);
}

void CdxDBGridDatasetSettings::SetProperty1106(LONG nNewValue)
{
    SetProperty(1106, VT_I4, nNewValue);
}

void CdxDBGridDatasetSettings::CallMethod1111()
{
    dxdbgrid::Method(*this, 1111);
}

void CdxDBGridDatasetSettings::CallMethod1113(LONG nValue)
{
    dxdbgrid::MethodWithLong(*this, 1113, nValue);
}

void CdxDBGridFieldDefs::Add(LPCTSTR lpszName, LONG nType, LONG nSize)
{
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_I4;
    InvokeHelper(1201, DISPATCH_METHOD, VT_EMPTY, nullptr, params, lpszName, nType, nSize);
}

void CdxDBGridDataset::SetActive(BOOL bNewValue)
{
    SetProperty(1001, VT_BOOL, bNewValue);
}

void CdxDBGridDataset::Close()
{
    dxdbgrid::Method(*this, 1005);
}

void CdxDBGridDataset::Open()
{
    dxdbgrid::Method(*this, 1012);
}

LONG CdxDBGridDataset::GetRecordCount()
{
    return dxdbgrid::LongProperty(*this, 1020);
}

void CdxDBGridDataset::Append()
{
    dxdbgrid::Method(*this, 1024);
}

void CdxDBGridDataset::AppendRecord(const VARIANT& values)
{
    static const BYTE params[] = VTS_VARIANT;
    InvokeHelper(1025, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &values);
}

void CdxDBGridDataset::Delete()
{
    dxdbgrid::Method(*this, 1027);
}

void CdxDBGridDataset::DisableControls()
{
    dxdbgrid::Method(*this, 1028);
}

void CdxDBGridDataset::Edit()
{
    dxdbgrid::Method(*this, 1029);
}

void CdxDBGridDataset::EnableControls()
{
    dxdbgrid::Method(*this, 1030);
}

void CdxDBGridDataset::First()
{
    dxdbgrid::Method(*this, 1035);
}

void CdxDBGridDataset::MoveToRecord(const VARIANT& record)
{
    static const BYTE params[] = VTS_VARIANT;
    InvokeHelper(1039, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &record);
}

void CdxDBGridDataset::Last()
{
    dxdbgrid::Method(*this, 1043);
}

void CdxDBGridDataset::Next()
{
    dxdbgrid::Method(*this, 1045);
}

void CdxDBGridDataset::Post()
{
    dxdbgrid::Method(*this, 1046);
}

void CdxDBGridDataset::Prior()
{
    dxdbgrid::Method(*this, 1047);
}

CdxDBGridDatasetSettings CdxDBGridDataset::GetSettings()
{
    return dxdbgrid::ObjectProperty<CdxDBGridDatasetSettings>(*this, 1053);
}

CdxDBGridFieldDefs CdxDBGridDataset::GetFieldDefs()
{
    return dxdbgrid::ObjectProperty<CdxDBGridFieldDefs>(*this, 1060);
}

void CdxDBGridDataset::SetFieldValue(LPCTSTR lpszFieldName, const VARIANT& value)
{
    static const BYTE params[] = VTS_BSTR VTS_VARIANT;
    InvokeHelper(1064, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, lpszFieldName, &value);
}
