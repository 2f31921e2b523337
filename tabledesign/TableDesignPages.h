// The table designer's pages besides the columns: check constraints, foreign
// keys, permissions, triggers, statistics, the table's properties and its SQL
// text. Each split page has a list view above and a detail view below.
#pragma once

#include <vector>

#include "editctrl/KtvPEditCtrl.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/OleEventSink.h"
#include "session/dxDBGrid.h"
#include "tabledesign/TableDesignPage.h"

class CMainFrame;

// A list view holding one grid of names, filled at its first initial update;
// the row entered is shown by the page's detail view.
class CTableDesignNameGridView : public CTableDesignPaneView {
    DECLARE_DYNAMIC(CTableDesignNameGridView)
public:
    void OnDraw(CDC*) override {}
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;

    CdxDBGrid m_wndGrid;
    CMainFrame* m_pMainFrame = nullptr;

protected:
    CTableDesignNameGridView(UINT nIDTemplate, UINT nIDGrid, CSize gridSize, const char* field, const char* caption);
    // The names the grid lists, in order.
    virtual std::vector<CString> LoadNames() = 0;
    virtual void ShowName(const CString& name) = 0;

    void OnGridNodeChanged(LPDISPATCH pLeft, LPDISPATCH pEntered);
    void OnAddRow();
    void OnDeleteRow();
    DECLARE_MESSAGE_MAP()

    UINT m_nIDGrid;

private:
    CSize m_gridSize;
    const char* m_field;
    const char* m_caption;
};

// --- check constraints ---------------------------------------------------------------------------

class CTableDesignCheck : public CTableDesignPage {
    DECLARE_DYNCREATE(CTableDesignCheck)
public:
    CTableDesignCheck();
    void OnInitialUpdate() override;

protected:
    CRuntimeClass* GetListViewClass() const override;
    CRuntimeClass* GetDetailViewClass() const override;
    void OnAdd() { PassToList(32782); }
    void OnDelete() { PassToList(32781); }
    void OnNothing() {}
    DECLARE_MESSAGE_MAP()
};

class CTableDesignChkGridView : public CTableDesignNameGridView {
    DECLARE_DYNCREATE(CTableDesignChkGridView)
public:
    CTableDesignChkGridView();

protected:
    std::vector<CString> LoadNames() override;
    void ShowName(const CString& name) override;
    DECLARE_EVENTSINK_MAP()
    DECLARE_MESSAGE_MAP()
};

class CTableDesignChkExpressView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignChkExpressView)
public:
    CTableDesignChkExpressView();
    void OnDraw(CDC*) override {}
    // Shows the expression of the table's constraint of that name; a name the
    // table does not have leaves the shown text as it is.
    void ShowCheck(const CString& name);

    CButton m_wndReplication;
    CButton m_wndCheckExisting;
    CEdit m_wndExpression;
    CString m_strExpression;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void PassToList(UINT nID);
    void OnAdd() { PassToList(32782); }
    void OnDelete() { PassToList(32781); }
    DECLARE_MESSAGE_MAP()
};

// --- foreign keys --------------------------------------------------------------------------------

class CTableDesignForeign : public CTableDesignPage {
    DECLARE_DYNCREATE(CTableDesignForeign)
public:
    CTableDesignForeign();

protected:
    CRuntimeClass* GetListViewClass() const override;
    CRuntimeClass* GetDetailViewClass() const override;
    int FirstRowHeight(int splitterHeight) const override { return (int)(0.28 * splitterHeight); }
    void OnNothing() {}
    DECLARE_MESSAGE_MAP()
};

class CTableDesignForeignGridView : public CTableDesignNameGridView {
    DECLARE_DYNCREATE(CTableDesignForeignGridView)
public:
    CTableDesignForeignGridView();

protected:
    std::vector<CString> LoadNames() override;
    void ShowName(const CString& name) override;
    DECLARE_EVENTSINK_MAP()
};

class CTableDesignForeignPropertyView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignForeignPropertyView)
public:
    CTableDesignForeignPropertyView();
    void OnDraw(CDC*) override {}
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    void ShowForeignKey(const CString& name);

    CButton m_wndEnforceInsertUpdate, m_wndEnforceReplication, m_wndCheckExisting, m_wndCascadeUpdate,
        m_wndCascadeDelete;
    CComboBox m_wndReferenceKey, m_wndParentTable;
    CdxDBGrid m_wndGrid;
    BOOL m_bCascadeDelete = FALSE, m_bCascadeUpdate = FALSE, m_bCheckExisting = FALSE,
         m_bEnforceInsertUpdate = FALSE, m_bEnforceReplication = FALSE;
    CMainFrame* m_pMainFrame = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnParentTableChosen();
    DECLARE_MESSAGE_MAP()
};

// --- permissions ---------------------------------------------------------------------------------

class CTableDesignPermissions : public CTableDesignPage {
    DECLARE_DYNCREATE(CTableDesignPermissions)
public:
    CTableDesignPermissions();

protected:
    CRuntimeClass* GetListViewClass() const override;
    CRuntimeClass* GetDetailViewClass() const override;
    void OnNothing() {}
    DECLARE_MESSAGE_MAP()
};

class CTableDesignPermissionsTableView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignPermissionsTableView)
public:
    CTableDesignPermissionsTableView();
    void OnDraw(CDC*) override {}
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    CdxDBGrid m_wndGrid;

protected:
};

class CTableDesignPermissionsColumnView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignPermissionsColumnView)
public:
    CTableDesignPermissionsColumnView();
    void OnDraw(CDC*) override {}
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    CdxDBGrid m_wndGrid;

protected:
};

// --- triggers ------------------------------------------------------------------------------------

class CTableDesignTrigger : public CTableDesignPage {
    DECLARE_DYNCREATE(CTableDesignTrigger)
public:
    CTableDesignTrigger();
    void OnInitialUpdate() override;

protected:
    CRuntimeClass* GetListViewClass() const override;
    CRuntimeClass* GetDetailViewClass() const override;
    void OnAdd() { PassToList(32782); }
    void OnDelete() { PassToList(32781); }
    DECLARE_MESSAGE_MAP()
};

class CTableDesignTriggerGridView : public CTableDesignNameGridView {
    DECLARE_DYNCREATE(CTableDesignTriggerGridView)
public:
    CTableDesignTriggerGridView();

protected:
    std::vector<CString> LoadNames() override;
    void ShowName(const CString& name) override;
    DECLARE_EVENTSINK_MAP()
    DECLARE_MESSAGE_MAP()
};

class CTableDesignTriggerScriptView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignTriggerScriptView)
public:
    CTableDesignTriggerScriptView();
    void OnDraw(CDC*) override {}
    // Shows the whole text of the table's trigger of that name.
    void ShowTrigger(const CString& name);

    CEdit m_wndScript;
    CString m_strScript;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PassToList(UINT nID);
    void OnAdd() { PassToList(32782); }
    void OnDelete() { PassToList(32781); }
    DECLARE_MESSAGE_MAP()
};

// --- statistics ----------------------------------------------------------------------------------

class CTableDesignStatistics : public CTableDesignPage {
    DECLARE_DYNCREATE(CTableDesignStatistics)
public:
    CTableDesignStatistics();

protected:
    CRuntimeClass* GetListViewClass() const override;
    CRuntimeClass* GetDetailViewClass() const override;
    void OnUpdateStatistics();
    void OnNothing() {}
    DECLARE_MESSAGE_MAP()
};

class CTableDesignStatisticsGridView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignStatisticsGridView)
public:
    CTableDesignStatisticsGridView();
    void OnDraw(CDC*) override {}
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    CdxDBGrid m_wndGrid;
};

class CTableDesignStatisticsPropertyView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignStatisticsPropertyView)
public:
    CTableDesignStatisticsPropertyView();
    void OnDraw(CDC*) override {}
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    // The statement for the chosen options: "UPDATE STATISTICS <table> <name>
    // WITH ..."; empty after telling the user what is wrong with them.
    CString BuildStatement(const CString& table, const CString& name);

    CComboBox m_wndSampleCombo;
    CButton m_wndSample, m_wndNoRecompute, m_wndFullScan;
    CEdit m_wndSampleValue;
    CdxDBGrid m_wndGrid;
    UINT m_nSample = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// --- the table's properties and its SQL text ----------------------------------------------------

class CTableDesignProperty : public CFormView {
    DECLARE_DYNCREATE(CTableDesignProperty)
public:
    CTableDesignProperty();
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
};

class CTableDesignSQLText : public CFormView {
    DECLARE_DYNCREATE(CTableDesignSQLText)
public:
    CTableDesignSQLText();
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    // Shows the table's script followed by the changes not saved yet.
    void ShowChanges(const CString& changes);

    CKtvPEditCtrl m_wndEditor;
    BOOL m_bEditorReady = FALSE;
    BOOL m_bNoticeShown = FALSE;
    CString m_strTableScript;

protected:
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
