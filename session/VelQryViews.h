// The two panes of a query window: the editor tabs (Batch, Command and
// Edit-Mode) above and the result tabs below, one result-grid view per
// result set of the last batch.
#pragma once

#include "editctrl/KtvPEditView.h"
#include "platform/mfc/CFormView.h"
#include "session/dxDBGrid.h"
#include "ui/controls/KtvPTabView.h"

class CCmdUI;

// The Batch and Edit-Mode editors.
class CVelQryBactchView : public CKtvPEditView {
    DECLARE_DYNCREATE(CVelQryBactchView)
public:
    // The selection, or the whole text when nothing is selected.
    CString GetExecuteText() const;
};

// The command console: statements typed after its "SQL> " prompt.
class CVelQryCommandView : public CKtvPEditView {
    DECLARE_DYNCREATE(CVelQryCommandView)
public:
    static constexpr const char* kPrompt = "SQL> ";
    static constexpr const char* kWaitingMarker = "---Please waiting...";

    void OnInitialUpdate() override;
    // The statement after the last prompt.
    CString GetCommandText() const;
    // The console after a statement ended: from the marker's third character
    // on the text goes, then the status, a line break and a fresh prompt.
    void FinishStatement(const CString& strStatus);
    LRESULT OnConsoleExecute(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()
};

// The text a text-mode batch collected, shown read-only in a result tab.
class CVelQryTextResultView : public CKtvPEditView {
    DECLARE_DYNCREATE(CVelQryTextResultView)
public:
    void ShowText(const CString& strText);
};

class CVelQryView : public CKtvPTabView {
    DECLARE_DYNCREATE(CVelQryView)
public:
    int m_nCommandTab = 0;
    int m_nBatchTab = 0;
    int m_nEditModeTab = 0;

    CVelQryBactchView* GetBatchView() const;
    CVelQryCommandView* GetCommandView() const;
    CVelQryBactchView* GetEditModeView() const;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CVelQryResultView : public CKtvPTabView {
    DECLARE_DYNCREATE(CVelQryResultView)
public:
    int m_nResultTabs = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};

class CVelQryResultGridView : public CFormView {
    DECLARE_DYNCREATE(CVelQryResultGridView)
public:
    enum { IDD = 166 };
    CVelQryResultGridView();

    void OnInitialUpdate() override;
    BOOL DestroyWindow() override;

    CdxDBGrid m_Grid;

    // File dialog filters and default extensions of the four exports.
    static const char* ExportFilter(UINT nID);
    static const char* ExportExtension(UINT nID);

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnResultMove(UINT nID);
    void OnResultGoTo();
    void OnResultSave(UINT nID);
    void OnUpdateResultMove(CCmdUI* pCmdUI);
    void OnUpdateResultSave(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    LONG RowCount();
};
