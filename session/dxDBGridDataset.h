// The data grid's in-memory dataset, the settings of a recordset-bound
// dataset and its field definitions, driven by the control's dispatch ids.
// Each object holds one reference to the control's object and lets it go
// when it goes away.
#pragma once

#include "platform/mfc/COleDispatchDriver.h"

class CdxDBGridDatasetSettings : public COleDispatchDriver {
public:
    CdxDBGridDatasetSettings() = default;
    // Takes over the reference the caller holds.
    explicit CdxDBGridDatasetSettings(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    void SetProperty1104(LONG nNewValue);
    void SetProperty1105(LONG nNewValue);
    void SetProperty1106(LONG nNewValue);
    void CallMethod1111();
    void CallMethod1113(LONG nValue);
};

class CdxDBGridFieldDefs : public COleDispatchDriver {
public:
    CdxDBGridFieldDefs() = default;
    explicit CdxDBGridFieldDefs(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    void Add(LPCTSTR lpszName, LONG nType, LONG nSize);
};

class CdxDBGridDataset : public COleDispatchDriver {
public:
    CdxDBGridDataset() = default;
    explicit CdxDBGridDataset(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    void SetActive(BOOL bNewValue);
    void Close();
    void Open();
    LONG GetRecordCount();
    void Append();
    // A one-dimensional safe array of string VARIANTs, one per field in field order.
    void AppendRecord(const VARIANT& values);
    void Delete();
    void DisableControls();
    void Edit();
    void EnableControls();
    void First();
    // The record number as a VT_I4 VARIANT.
    void MoveToRecord(const VARIANT& record);
    void Last();
    void Next();
    void Post();
    void Prior();
    CdxDBGridDatasetSettings GetSettings();
    CdxDBGridFieldDefs GetFieldDefs();
    void SetFieldValue(LPCTSTR lpszFieldName, const VARIANT& value);
};
