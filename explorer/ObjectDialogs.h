// The small dialogs of the object tree's commands: the row count of Return
// Top, the new name of Rename, a table's storage options and the properties
// of a view or procedure. None of them talks to the server.
#pragma once

#include "platform/com/ComBstr.h"
#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CString.h"
#include "ui/frames/KtvPDialog.h"

class CReturnRowsDlg : public CKtvPDialog {
public:
    enum { IDD = 197 };
    static constexpr UINT kMaxRows = 999999999;
    explicit CReturnRowsDlg(CWnd* pParent = nullptr) : CKtvPDialog(IDD, pParent) {}

    UINT m_nRows = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CRenameObjectDlg : public CKtvPDialog {
public:
    enum { IDD = 198 };
    static constexpr int kMaxName = 1024;
    explicit CRenameObjectDlg(CWnd* pParent = nullptr) : CKtvPDialog(IDD, pParent) {}

    CString m_strNewName;
    // The accepted name, copied when OK closes the dialog.
    CString m_strResult;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};

class CTableOptionDlg : public CKtvPDialog {
public:
    enum { IDD = 199 };
    static constexpr UINT kMinTextInRow = 24;
    static constexpr UINT kMaxTextInRow = 7000;
    explicit CTableOptionDlg(CWnd* pParent = nullptr) : CKtvPDialog(IDD, pParent) {}

    UINT m_nTextInRow = 0;
    BOOL m_bPinTable = FALSE;
    BOOL m_bTextInRow = FALSE;
    BOOL m_bTableLockOnBulkLoad = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};

class CObjectPropertiesDlg : public CKtvPDialog {
public:
    enum { IDD = 195 };
    // The procedure kind of an object that has none: no Type and no autorun row.
    static constexpr long kNoProcType = 999;
    explicit CObjectPropertiesDlg(CWnd* pParent = nullptr) : CKtvPDialog(IDD, pParent) {}

    CListCtrl m_PropList;
    VARIANT_BOOL m_bStartup = 0;
    VARIANT_BOOL m_bAnsiNulls = 0;
    VARIANT_BOOL m_bQuotedIdentifier = 0;
    VARIANT_BOOL m_bSystemObject = 0;
    _bstr_t m_bstrCreateDate;
    _bstr_t m_bstrOwner;
    UINT m_nID = 0;
    long m_nProcType = 0;
    CString m_strTitle;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
