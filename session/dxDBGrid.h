// The window that hosts one data-grid control, with the control's top-level
// properties and methods. The control's sub-objects come back as dispatch
// drivers, each released when it goes out of scope. A failed call raises the
// framework's COleException, or COleDispatchException when the control
// reports the error itself; the wrapper catches nothing.
#pragma once

#include "platform/mfc/CWnd.h"
#include "session/dxDBGridColumns.h"
#include "session/dxDBGridDataset.h"
#include "session/dxDBGridSelection.h"
#include "session/dxDBGridView.h"

class CdxDBGrid : public CWnd {
    DECLARE_DYNCREATE(CdxDBGrid)
public:
    static const CLSID& GetClsid();

    // Makes the control by its CLSID, with no stored state; the class name
    // and the create context are not used. FALSE when it cannot be made.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

    CdxDBGridColumns GetColumns();
    CdxDBGridProperty2 GetProperty2();
    // An option is set as a pair: the number, then its value.
    void SetOptionIndex(LONG nNewValue);
    void SetOptionValue(BOOL bNewValue);
    void SetOptionExIndex(LONG nNewValue);
    void SetOptionExValue(BOOL bNewValue);
    CdxDBGridNode GetNode(LONG nIndex);
    // The number of rows.
    LONG GetCount();
    void SetKeyField(LPCTSTR lpszNewValue);
    CdxDBGridView GetView();
    CdxDBGridSelection GetSelection();
    CdxDBGridDataset GetDataset();
    void SetDatasetType(LONG nNewValue);
    void SetProperty41(LONG nNewValue);
    void SetProperty46(BOOL bNewValue);
    // An open ADO recordset for the grid to show and edit.
    void SetRecordset(LPUNKNOWN pRecordset);
};
