// The data grid's view object (exports, deleting the selected rows) and its
// look object, driven by the control's dispatch ids. Each object holds one
// reference to the control's object and lets it go when it goes away.
#pragma once

#include "platform/mfc/COleDispatchDriver.h"

class CdxDBGridView : public COleDispatchDriver {
public:
    CdxDBGridView() = default;
    // Takes over the reference the caller holds.
    explicit CdxDBGridView(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    void DeleteSelection();
    // Once after each result set has been loaded.
    void CallMethod214();
    // The control writes the rows to the file at the path.
    void SaveToText(LPCTSTR lpszPath);
    void SaveToHtml(LPCTSTR lpszPath);
    void SaveToExcel(LPCTSTR lpszPath);
    void SaveToXml(LPCTSTR lpszPath);
};

class CdxDBGridProperty2 : public COleDispatchDriver {
public:
    CdxDBGridProperty2() = default;
    explicit CdxDBGridProperty2(LPDISPATCH pDispatch) : COleDispatchDriver(pDispatch) {}

    void CallMethod2(LONG nValue);
};
