// The columns page: the column grid above the column property view, and the
// state both share: the column set (one record per column, as loaded and as
// edited) and the names of the columns added and deleted in the designer.
#pragma once

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CSpinButtonCtrl.h"
#include "platform/mfc/CStringList.h"
#include "platform/mfc/OleEventSink.h"
#include "session/dxDBGrid.h"
#include "tabledesign/TableDesignPage.h"

class CMainFrame;

class CTableDesignColumn : public CTableDesignPage {
    DECLARE_DYNCREATE(CTableDesignColumn)
public:
    CTableDesignColumn();
    ~CTableDesignColumn() override;

    // Field positions in the column set: the column as loaded at 0..16, as
    // edited at 17..33 (the same names with "New" before them), its id at 34.
    enum { kFirstNewField = 17, kColumnIdField = 34, kFieldCount = 35 };
    static const char* const kFieldNames[kFirstNewField];

    CStringList m_AddedColumns{10};
    CStringList m_DeletedColumns{10};
    ADODB::_RecordsetPtr m_pColumnSet;
    BOOL m_bNewTable = FALSE;
    CString m_strDatabase;
    CMainFrame* m_pMainFrame = nullptr;

    void OnInitialUpdate() override;

    // Empties the column set and, with bFromServer, loads a record per column
    // of the table under design, ColumnID "1" upwards; FALSE after reporting
    // a failure.
    BOOL LoadColumnSet(BOOL bFromServer = TRUE);

    // The statements that take the server's table to the column set, one a
    // line; empty when nothing changed.
    CString BuildChangeScript();
    // Shows the script, asks, and runs it in one transaction; on success the
    // set and the grid are loaded again and the name lists emptied.
    void SaveChanges();

protected:
    CRuntimeClass* GetListViewClass() const override;
    CRuntimeClass* GetDetailViewClass() const override;

    void OnAdd() { PassToList(32782); }
    void OnDelete() { PassToList(32781); }
    void OnSaveChanges() { PassToList(32783); }
    void OnReload() {}
    void OnUpdateReload(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL OpenColumnSet();
};

// The list view of the columns page: checks each row the user finishes,
// stores it in the page's column set, adds and deletes rows and builds the
// change script.
class CTableDesignColGridView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignColGridView)
public:
    CTableDesignColGridView();
    void OnDraw(CDC*) override {}

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;

    // Fills the grid from the page's column set: a row per record whose
    // NewColumnName is not empty.
    void ReloadColumns();

    // The 25 type names a column may take, in the pick list's order.
    static const char* const kTypeNames[25];

    CdxDBGrid m_wndGrid;
    BOOL m_bTypeEditPending = FALSE;
    CString m_strEditColumn;
    CString m_strEditType;
    CStringList m_TypeNames{10};

protected:
    CTableDesignColumn* GetColumnPage() const;

    void OnGridNodeChanged(LPDISPATCH pLeft, LPDISPATCH pEntered);
    void OnRowStored(LPDISPATCH pNode);
    void OnCellEditStart(LPDISPATCH pColumn, LPDISPATCH pNode);
    void OnCellEditText(LPDISPATCH pColumn, BSTR* pText, VARIANT_BOOL* pAccept);
    void OnAddRow();
    void OnDeleteColumn();
    void OnChangeScript();
    void OnUpdateReload(CCmdUI* pCmdUI);
    DECLARE_EVENTSINK_MAP()
    DECLARE_MESSAGE_MAP()

private:
    // Stores the row's cells into the column set; FALSE when refused.
    BOOL StoreRow(const CString cells[6]);
    BOOL m_bStoring = FALSE;
};

class CKtvPEditCtrl;

// The detail view of the columns page: the current column's properties.
// Which boxes are enabled follows the column's type; Precision and Scale go
// back to the column set when they lose the focus, the other boxes only show.
class CTableDesignColPropertyView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignColPropertyView)
public:
    CTableDesignColPropertyView();
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;

    // Shows the column of that name (case ignored, blanks around it trimmed).
    void ShowColumn(const CString& strName);

    CSpinButtonCtrl m_wndSeedSpin, m_wndIncrementSpin, m_wndScaleSpin, m_wndPrecisionSpin;
    CEdit m_wndSeed, m_wndIncrement, m_wndCollation, m_wndScale, m_wndPrecision, m_wndFormula, m_wndDescription;
    CComboBox m_wndRule, m_wndDefault, m_wndOwner, m_wndRowGuid, m_wndIdentity;
    CString m_strFormula, m_strDescription, m_strCollation;
    int m_nPrecision = 0, m_nScale = 0, m_nIncrement = 0, m_nSeed = 0;
    BOOL m_bCollationButton = FALSE;
    CMainFrame* m_pMainFrame = nullptr;
    // The column shown, as the column set names it; empty for none.
    CString m_strShown;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnIdentityChosen();
    void OnCollationButton();
    void OnPrecisionOrScaleDone();
    void PassToList(UINT nID);
    void OnAdd() { PassToList(32782); }
    void OnDelete() { PassToList(32781); }
    void OnSaveChanges() { PassToList(32783); }
    void OnReload() {}
    void OnUpdateReload(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    void Reset();
    void ShowRecord(ADODB::_RecordsetPtr set);
    CTableDesignColumn* GetColumnPage() const;
    BOOL m_bReady = FALSE;
};

// The collation dialog: two lists of collations and their options.
class CTableDesignCollationDlg : public CDialog {
public:
    explicit CTableDesignCollationDlg(CWnd* pParent = nullptr);
};

// A "..." button drawn at the right end of an edit box, posting the command
// to the edit's parent when clicked. FALSE when it cannot be installed.
BOOL InstallEllipsisButton(HWND hwnd, UINT nCommandID, int nButtonWidth);
LRESULT CALLBACK EllipsisButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
