// The columns page: the column grid above the column property view, and the
// state both share: the column set (one record per column, as loaded and as
// edited) and the names of the columns added and deleted in the designer.
#pragma once

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CStringList.h"
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

// The list view of the columns page.
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

    CdxDBGrid m_wndGrid;

protected:
    CTableDesignColumn* GetColumnPage() const;
    DECLARE_MESSAGE_MAP()
};

// The detail view of the columns page: the current column's properties.
class CTableDesignColPropView : public CTableDesignPaneView {
    DECLARE_DYNCREATE(CTableDesignColPropView)
public:
    CTableDesignColPropView();
    void OnDraw(CDC*) override {}
};
