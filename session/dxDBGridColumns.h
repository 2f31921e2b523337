// The data grid's columns: the collection, a column, its editor and the
// editor's pick-list strings, driven by the control's dispatch ids. Each
// object holds one reference to the control's object and lets it go when it
// goes away.
#pragma once

#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/CString.h"

class CdxDBGridStrings : public COleDispatchDriver {
public:
    CdxDBGridStrings() = default;
    // Takes over the reference the caller holds.
    explicit CdxDBGridStrings(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    LONG GetCount();
    // The new string's position.
    LONG Add(LPCTSTR lpszText);
    void Clear();
};

class CdxDBGridColumnEditor : public COleDispatchDriver {
public:
    CdxDBGridColumnEditor() = default;
    explicit CdxDBGridColumnEditor(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    CdxDBGridStrings GetItems();
    void SetProperty152(BOOL bNewValue);
    void SetProperty153(BOOL bNewValue);
};

class CdxDBGridColumn : public COleDispatchDriver {
public:
    CdxDBGridColumn() = default;
    explicit CdxDBGridColumn(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    void SetProperty1(LONG nNewValue);
    CString GetCaption();
    void SetCaption(LPCTSTR lpszNewValue);
    void SetName(LPCTSTR lpszNewValue);
    void SetProperty19(LONG nNewValue);
    void SetProperty24(BOOL bNewValue);
    void SetProperty25(LONG nNewValue);
    LONG GetWidth();
    void SetWidth(LONG nNewValue);
    void SetFieldName(LPCTSTR lpszNewValue);
    void SetProperty46(LONG nNewValue);
    LONG GetIndex();
    // The column's two sub-objects, driven like a column: SetProperty105 is
    // set on the first, SetProperty115 on the second.
    CdxDBGridColumn GetProperty49();
    CdxDBGridColumn GetProperty50();
    void SetProperty105(LONG nNewValue);
    CdxDBGridColumnEditor GetEditor();
    void CallMethod64();
    void SetProperty115(BOOL bNewValue);
};

class CdxDBGridColumns : public COleDispatchDriver {
public:
    CdxDBGridColumns() = default;
    explicit CdxDBGridColumns(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    // By position, from 0.
    CdxDBGridColumn GetItem(LONG nIndex);
    LONG GetCount();
    CdxDBGridColumn Add(LONG nKind);
    void DestroyColumns();
    CdxDBGridColumn ColumnByName(LPCTSTR lpszName);
    CdxDBGridColumn ColumnByFieldName(LPCTSTR lpszFieldName);
    void CallMethod332();
};
