// The two panes of a query window: the editor tabs (Batch, Command and
// Edit-Mode) above and the result tabs below, one result-grid view per
// result set of the last batch.
#pragma once

#include "editctrl/KtvPEditView.h"
#include "platform/mfc/CFormView.h"
#include "platform/mfc/CImageList.h"
#include "session/dxDBGrid.h"
#include "sqleditor/QueryEditView.h"
#include "ui/controls/KtvPTabView.h"

class CCmdUI;
class CMenu;

class CChildFrame;
class CCustomerCommandEditCtrl;

// The Batch and Edit-Mode editors: SQL editors with completion and tips.
// Only the Batch editor's changes mark the document modified, since only
// its text is what the document saves.
class CVelQryBactchView : public CQueryEditView {
    DECLARE_DYNCREATE(CVelQryBactchView)
public:
    void OnInitialUpdate() override;
    // The Edit popup of the editors' context menu, greyed for this editor's
    // state: Cut and Copy without a selection, Paste without text on the
    // clipboard, Select All and Clear All for an empty editor.
    void PrepareContextMenu(CMenu& popup);

    CChildFrame* m_pParentFrame = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};

// The command console: statements typed after its "SQL> " prompt run as the
// window's batches. What it shows is no part of the document.
class CVelQryCommandView : public CKtvPEditView {
    DECLARE_DYNCREATE(CVelQryCommandView)
public:
    static constexpr const char* kPrompt = "SQL> ";
    static constexpr const char* kWaitingMarker = "---Please waiting...";
    static constexpr int kHistorySize = 50;

    CVelQryCommandView();
    ~CVelQryCommandView() override;

    void OnInitialUpdate() override;
    CKtvPEditCtrl* CreateEdit() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The statement after the last prompt.
    CString GetCommandText();
    // The console after a statement ended: from the marker's third character
    // on the text goes, then the status, a line break and a fresh prompt.
    void FinishStatement(const CString& strStatus);
    LRESULT OnConsoleExecute(WPARAM wParam, LPARAM lParam);
    // The Edit popup greyed for the console: Paste without text on the
    // clipboard, Clear All, Select All and Copy for an empty console.
    void PrepareContextMenu(CMenu& popup);

    CFont m_font;
    CCustomerCommandEditCtrl* m_pConsole = nullptr;
    CChildFrame* m_pParentFrame = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnClearAll();
    void OnConsoleCopy();
    void OnConsoleCut();
    void OnConsolePaste();
    void OnConsoleUndo();
    void OnUpdateConsoleCut(CCmdUI* pCmdUI);
    // The console's prompt printed at its end.
    void PrintPrompt();
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
    // The tabs' icons: Command, Batch, Edit-Mode.
    CImageList m_TabImages;
    static constexpr UINT kTabImagesBitmap = 613;

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
    // The steps both result grids share: a move command on a dataset, the Go
    // To row (from 1, capped at nRows; FALSE when cancelled), the export's file
    // (FALSE when cancelled) and the export itself.
    static void MoveDataset(CdxDBGridDataset dataset, UINT nID);
    static BOOL AskGoToRow(LONG nRows, LONG& nRow);
    static BOOL AskExportPath(UINT nID, CString& path);
    static void SaveView(CdxDBGridView view, UINT nID, const CString& path);

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
