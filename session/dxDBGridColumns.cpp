#include "session/dxDBGridColumns.h"

#include "session/dxDBGridCalls.h"

LONG CdxDBGridStrings::GetCount()
{
    return dxdbgrid::LongProperty(*this, 1);
}

LONG CdxDBGridStrings::Add(LPCTSTR lpszText)
{
    static const BYTE params[] = VTS_BSTR;
    LONG result = 0;
    InvokeHelper(10, DISPATCH_METHOD, VT_I4, &result, params, lpszText);
    return result;
}

void CdxDBGridStrings::Clear()
{
    dxdbgrid::Method(*this, 14);
}

CdxDBGridStrings CdxDBGridColumnEditor::GetItems()
{
    return dxdbgrid::ObjectProperty<CdxDBGridStrings>(*this, 151);
}

void CdxDBGridColumnEditor::SetProperty152(BOOL bNewValue)
{
    SetProperty(152, VT_BOOL, bNewValue);
}

void CdxDBGridColumnEditor::SetProperty153(BOOL bNewValue)
{
    SetProperty(153, VT_BOOL, bNewValue);
}

void CdxDBGridColumn::SetProperty1(LONG nNewValue)
{
    SetProperty(1, VT_I4, nNewValue);
}

CString CdxDBGridColumn::GetCaption()
{
    CString result;
    GetProperty(4, VT_BSTR, &result);
    return result;
}

void CdxDBGridColumn::SetCaption(LPCTSTR lpszNewValue)
{
    SetProperty(4, VT_BSTR, lpszNewValue);
}

void CdxDBGridColumn::SetName(LPCTSTR lpszNewValue)
{
    SetProperty(14, VT_BSTR, lpszNewValue);
}

void CdxDBGridColumn::SetProperty19(LONG nNewValue)
{
    SetProperty(19, VT_I4, nNewValue);
}

void CdxDBGridColumn::SetProperty24(BOOL bNewValue)
{
    SetProperty(24, VT_BOOL, bNewValue);
}

void CdxDBGridColumn::SetProperty25(LONG nNewValue)
{
    SetProperty(25, VT_I4, nNewValue);
}

LONG CdxDBGridColumn::GetWidth()
{
    return dxdbgrid::LongProperty(*this, 37);
}

void CdxDBGridColumn::SetWidth(LONG nNewValue)
{
    SetProperty(37, VT_I4, nNewValue);
}

void CdxDBGridColumn::SetFieldName(LPCTSTR lpszNewValue)
{
    SetProperty(45, VT_BSTR, lpszNewValue);
}

void CdxDBGridColumn::SetProperty46(LONG nNewValue)
{
    SetProperty(46, VT_I4, nNewValue);
}

LONG CdxDBGridColumn::GetIndex()
{
    return dxdbgrid::LongProperty(*this, 47);
}

CdxDBGridColumn CdxDBGridColumn::GetProperty49()
{
    return dxdbgrid::ObjectProperty<CdxDBGridColumn>(*this, 49);
}

CdxDBGridColumn CdxDBGridColumn::GetProperty50()
{
    return dxdbgrid::ObjectProperty<CdxDBGridColumn>(*this, 50);
}

void CdxDBGridColumn::SetProperty105(LONG nNewValue)
{
    SetProperty(105, VT_I4, nNewValue);
}

CdxDBGridColumnEditor CdxDBGridColumn::GetEditor()
{
    return dxdbgrid::ObjectProperty<CdxDBGridColumnEditor>(*this, 53);
}

void CdxDBGridColumn::CallMethod64()
{
    dxdbgrid::Method(*this, 64);
}

void CdxDBGridColumn::SetProperty115(BOOL bNewValue)
{
    SetProperty(115, VT_BOOL, bNewValue);
}

CdxDBGridColumn CdxDBGridColumns::GetItem(LONG nIndex)
{
    return dxdbgrid::ObjectItem<CdxDBGridColumn>(*this, 0, nIndex);
}

LONG CdxDBGridColumns::GetCount()
{
    return dxdbgrid::LongProperty(*this, 1);
}

CdxDBGridColumn CdxDBGridColumns::Add(LONG nKind)
{
    static const BYTE params[] = VTS_I4;
    return dxdbgrid::ObjectMethod<CdxDBGridColumn>(*this, 2, params, nKind);
}

void CdxDBGridColumns::DestroyColumns()
{
    dxdbgrid::Method(*this, 317);
}

CdxDBGridColumn CdxDBGridColumns::ColumnByName(LPCTSTR lpszName)
{
    static const BYTE params[] = VTS_BSTR;
    return dxdbgrid::ObjectMethod<CdxDBGridColumn>(*this, 321, params, lpszName);
}

CdxDBGridColumn CdxDBGridColumns::ColumnByFieldName(LPCTSTR lpszFieldName)
{
    static const BYTE params[] = VTS_BSTR;
    return dxdbgrid::ObjectMethod<CdxDBGridColumn>(*this, 322, params, lpszFieldName);
}

void CdxDBGridColumns::CallMethod332()
{
    dxdbgrid::Method(*this, 332);
}
