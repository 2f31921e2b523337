#include "session/VelQryEditModeView.h"

#include <algorithm>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/COleException.h"
#include "platform/mfc/afxbarcodes.h"
#include "platform/mfc/afxmsg.h"
#include "session/ChildFrame.h"
#include "session/GoToDlg.h"
#include "session/QueryWindowMessages.h"
#include "session/VelQryViews.h"

namespace {

// The text a failed call is told with: the object's own message, the COM
// error's description, or a plain word when there is neither.
CString EditModeFailureText(CException* pException)
{
    char text[1024] = {};
    if (pException->GetErrorMessage(text, sizeof text) && text[0] != 0)
        return text;
    return "Errors occurred.";
}

CString EditModeComErrorText(const _com_error& error)
{
    const _bstr_t description = error.Description();
    if (description.length() > 0)
        return static_cast<const char*>(description);
    return "Errors occurred.";
}

}  // namespace

IMPLEMENT_DYNCREATE(CVelQryEditModeView, CFormView)

BEGIN_MESSAGE_MAP(CVelQryEditModeView, CFormView)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_COMMAND(ID_EDIT_NEW_ROW, OnNewRow)
    ON_COMMAND(ID_EDIT_SAVE, OnSave)
    ON_COMMAND(ID_EDIT_DELETE, OnDelete)
    ON_COMMAND(ID_EDIT_REFRESH, OnRefresh)
    ON_COMMAND_RANGE(ID_RESULT_FIRST, ID_RESULT_LAST, OnMove)
    ON_COMMAND(ID_RESULT_GOTO, OnGoTo)
    ON_COMMAND_RANGE(ID_RESULT_SAVE_HTML, ID_RESULT_SAVE_XML, OnExport)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_FIRST, ID_RESULT_GOTO, OnUpdateMove)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_SAVE_HTML, ID_RESULT_SAVE_XML, OnUpdateExport)
END_MESSAGE_MAP()

CVelQryEditModeView::CVelQryEditModeView() : CFormView(IDD) {}

CVelQryEditModeView::~CVelQryEditModeView() = default;

void CVelQryEditModeView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TOOLBAR_FRAME, m_wndToolbarFrame);
}

void CVelQryEditModeView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();

    const DWORD dwBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE;
    if (m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(1, 1, 1, 1), IDC_TOOLBAR) &&
        m_wndToolBar.LoadToolBar(IDR_TOOLBAR, 0, 0, TRUE)) {
        m_wndToolBar.SetBarStyle((m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) &
                                 ~(CBRS_GRIPPER | CBRS_BORDER_ANY));
        const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
        CRect frame;
        if (m_wndToolbarFrame.GetSafeHwnd()) {
            m_wndToolbarFrame.GetWindowRect(&frame);
            ScreenToClient(&frame);
        }
        m_wndToolBar.SetWindowPos(nullptr, frame.left, frame.top, size.cx, size.cy, SWP_NOACTIVATE | SWP_NOZORDER);
        m_wndToolBar.SetOwner(this);
        // Go To is offered by the Result menu only.
        m_wndToolBar.RemoveButton(7);
        m_wndToolBar.AdjustLayout();
    }

    CRect rect;
    GetClientRect(&rect);
    rect.top += 30;
    if (!m_wndGrid.Create(nullptr, "ResultGrid", WS_CHILD | WS_VISIBLE, rect, this, IDC_GRID))
        return;
    m_wndGrid.SetOptionIndex(30);
    m_wndGrid.GetProperty2().CallMethod2(6);
}

BOOL CVelQryEditModeView::OpenForEdit(LPCTSTR lpszText)
{
    auto* pFrame = dynamic_cast<CChildFrame*>(GetParentFrame());
    ADODB::_RecordsetPtr pRecordset;
    try {
        if (pFrame == nullptr || !m_wndGrid.GetSafeHwnd())
            throw std::runtime_error("no query window");
        m_pConnection = ADODB::_ConnectionPtr("ADODB.Connection");
        m_pConnection->Open(_bstr_t(pFrame->m_strConnectString), "", "", 0);
        pRecordset = ADODB::_RecordsetPtr("ADODB.Recordset");
        pRecordset->PutLockType(ADODB::adLockBatchOptimistic);
        pRecordset->Open(_bstr_t(lpszText), _variant_t(static_cast<IDispatch*>(m_pConnection)), ADODB::adOpenKeyset,
                         ADODB::adLockBatchOptimistic, ADODB::adCmdText);
        // A statement that returns no rows leaves the recordset closed: there is nothing to edit.
        if (pRecordset->GetState() == ADODB::adStateClosed) {
            AfxMessageBox("The query returned no rows to edit.", MB_OK);
            m_pConnection->Close();
            m_pConnection = nullptr;
            return TRUE;
        }
        m_wndGrid.SetOptionIndex(30);
        m_wndGrid.SetOptionValue(TRUE);
        m_wndGrid.SetOptionIndex(27);
        m_wndGrid.SetOptionValue(TRUE);
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        CdxDBGridDatasetSettings settings = dataset.GetSettings();
        settings.SetProperty1104(1);
        settings.SetProperty1105(0);
        settings.SetProperty1106(4);
        m_wndGrid.SetRecordset(pRecordset);
        m_wndGrid.GetColumns().CallMethod332();
        dataset.SetActive(TRUE);
    } catch (COleDispatchException* e) {
        AfxMessageBox(EditModeFailureText(e), MB_OK);
        e->Delete();
    } catch (CException* e) {
        AfxMessageBox(EditModeFailureText(e), MB_OK);
        e->Delete();
    } catch (const _com_error& error) {
        AfxMessageBox(EditModeComErrorText(error), MB_OK);
    } catch (...) {
        AfxMessageBox("Errors occurred.", MB_OK);
    }
    return TRUE;
}

CString CVelQryEditModeView::DeleteAllQuestion(long nRows)
{
    CString question;
    question.Format("Delete all %d rows?", int(nRows));
    return question;
}

void CVelQryEditModeView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (!m_wndGrid.GetSafeHwnd())
        return;
    CRect grid;
    m_wndGrid.GetWindowRect(&grid);
    ScreenToClient(&grid);
    CRect view;
    GetWindowRect(&view);
    ScreenToClient(&view);
    grid.right = view.right - 1;
    grid.bottom = view.bottom - 1;
    m_wndGrid.MoveWindow(&grid, TRUE);
}

void CVelQryEditModeView::OnDestroy()
{
    // The grid lets the recordset go with its window; the connection is closed here, not left to the last reference.
    if (m_wndGrid.GetSafeHwnd())
        m_wndGrid.DestroyWindow();
    if (m_pConnection != nullptr) {
        try {
            if (m_pConnection->GetState() != ADODB::adStateClosed)
                m_pConnection->Close();
        } catch (const _com_error&) {
        }
        m_pConnection = nullptr;
    }
    CFormView::OnDestroy();
}

LRESULT CVelQryEditModeView::OnKickIdle(WPARAM, LPARAM)
{
    if (m_wndToolBar.GetSafeHwnd())
        m_wndToolBar.OnUpdateCmdUI(reinterpret_cast<CFrameWnd*>(this), TRUE);
    return 0;
}

LONG CVelQryEditModeView::RowCount()
{
    if (!m_wndGrid.GetSafeHwnd())
        return 0;
    try {
        return m_wndGrid.GetCount();
    } catch (CException* e) {
        e->Delete();
        return 0;
    }
}

template <class Call>
void CVelQryEditModeView::GridCall(Call call)
{
    if (!m_wndGrid.GetSafeHwnd())
        return;
    try {
        call();
    } catch (CException* e) {
        AfxMessageBox(EditModeFailureText(e), MB_OK);
        e->Delete();
    }
}

void CVelQryEditModeView::OnNewRow()
{
    GridCall([this] { m_wndGrid.GetDataset().Append(); });
}

void CVelQryEditModeView::OnSave()
{
    GridCall([this] { m_wndGrid.GetDataset().GetSettings().CallMethod1113(0); });
}

void CVelQryEditModeView::OnRefresh()
{
    GridCall([this] { m_wndGrid.GetDataset().GetSettings().CallMethod1111(); });
}

void CVelQryEditModeView::OnDelete()
{
    GridCall([this] {
        const LONG nSelected = m_wndGrid.GetSelection().GetCount();
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        if (nSelected == 1) {
            dataset.Delete();
        } else if (nSelected > 1) {
            m_wndGrid.GetView().DeleteSelection();
        } else {
            const LONG nRows = dataset.GetRecordCount();
            if (nRows <= 0 || AfxMessageBox(DeleteAllQuestion(nRows), MB_YESNO | MB_ICONQUESTION) != IDYES)
                return;
            while (dataset.GetRecordCount() > 0)
                dataset.Delete();
        }
    });
}

void CVelQryEditModeView::OnMove(UINT nID)
{
    GridCall([this, nID] { CVelQryResultGridView::MoveDataset(m_wndGrid.GetDataset(), nID); });
}

void CVelQryEditModeView::OnGoTo()
{
    LONG nRow = 0;
    if (CVelQryResultGridView::AskGoToRow(RowCount(), nRow))
        GridCall([this, nRow] { m_wndGrid.GetDataset().MoveToRecord(_variant_t(nRow)); });
}

void CVelQryEditModeView::OnExport(UINT nID)
{
    CString path;
    if (CVelQryResultGridView::AskExportPath(nID, path))
        GridCall([this, nID, &path] { CVelQryResultGridView::SaveView(m_wndGrid.GetView(), nID, path); });
}

void CVelQryEditModeView::OnUpdateMove(CCmdUI* pCmdUI) { pCmdUI->Enable(RowCount() > 1); }

void CVelQryEditModeView::OnUpdateExport(CCmdUI* pCmdUI) { pCmdUI->Enable(RowCount() > 0); }
