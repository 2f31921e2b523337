// The Edit-Mode result tab: the rows of a query in a data grid the user edits,
// appends to and deletes from. It reads and writes through a connection of its
// own beside the query window's, and nothing reaches the server before Save.
#pragma once

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CFormView.h"
#include "platform/mfc/CStatic.h"
#include "session/dxDBGrid.h"
#include "ui/commandbars/KtvPToolBar.h"

class CCmdUI;
class CChildFrame;

class CVelQryEditModeView : public CFormView {
    DECLARE_DYNCREATE(CVelQryEditModeView)
public:
    enum { IDD = 200, IDC_TOOLBAR_FRAME = 1050, IDC_TOOLBAR = 9109, IDC_GRID = 9110, IDR_TOOLBAR = 141 };
    // The grid's own commands; the moves, Go To and the exports share the Result menu's ids.
    enum { ID_EDIT_NEW_ROW = 32855, ID_EDIT_SAVE = 32856, ID_EDIT_DELETE = 32857, ID_EDIT_REFRESH = 32858 };

    CVelQryEditModeView();
    ~CVelQryEditModeView() override;

    void OnInitialUpdate() override;
    // Opens the text's rows for editing. A failure (a refused query, a
    // statement that returns no rows) is told in a message box and leaves the
    // grid empty; the answer is TRUE either way.
    BOOL OpenForEdit(LPCTSTR lpszText);

    // The question asked before Delete with no row selected empties the grid.
    static CString DeleteAllQuestion(long nRows);

    CStatic m_wndToolbarFrame;
    CdxDBGrid m_wndGrid;
    CKtvPToolBar m_wndToolBar;
    // The view's own connection, closed when the view goes.
    ADODB::_ConnectionPtr m_pConnection;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnNewRow();
    void OnSave();
    void OnDelete();
    void OnRefresh();
    void OnMove(UINT nID);
    void OnGoTo();
    void OnExport(UINT nID);
    void OnUpdateMove(CCmdUI* pCmdUI);
    void OnUpdateExport(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    LONG RowCount();
    // Runs a grid call; a failure is shown with the server's or the control's text.
    template <class Call>
    void GridCall(Call call);
};
