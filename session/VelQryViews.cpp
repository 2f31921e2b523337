#include "session/VelQryViews.h"

#include "app/MainFrame.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/COleException.h"
#include "platform/mfc/afxmsg.h"
#include "session/ChildFrame.h"
#include "session/GoToDlg.h"
#include "session/QueryWindowMessages.h"

// --- editors ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CVelQryBactchView, CKtvPEditView)

CString CVelQryBactchView::GetExecuteText() const
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr)
        return CString();
    if (pEdit->HasSelection()) {
        int nStart = 0, nEnd = 0;
        pEdit->GetSel(nStart, nEnd);
        if (nStart != nEnd)
            return pEdit->GetTextRange(nStart, nEnd);
    }
    return pEdit->GetText();
}

IMPLEMENT_DYNCREATE(CVelQryCommandView, CKtvPEditView)

BEGIN_MESSAGE_MAP(CVelQryCommandView, CKtvPEditView)
    ON_MESSAGE(WM_CONSOLE_EXECUTE, OnConsoleExecute)
END_MESSAGE_MAP()

void CVelQryCommandView::OnInitialUpdate()
{
    CKtvPEditView::OnInitialUpdate();
    if (CKtvPEditCtrl* pEdit = GetEditCtrl(); pEdit != nullptr && pEdit->GetTextLength() == 0) {
        pEdit->InsertText(kPrompt, 0);
        pEdit->SetCaret(pEdit->GetTextLength());
    }
}

CString CVelQryCommandView::GetCommandText() const
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr)
        return CString();
    const CString text = pEdit->GetText();
    int nPrompt = -1;
    for (int nAt = text.Find(kPrompt); nAt >= 0; nAt = text.Find(kPrompt, nAt + 1))
        nPrompt = nAt;
    return nPrompt < 0 ? text : text.Mid(nPrompt + int(strlen(kPrompt)));
}

void CVelQryCommandView::FinishStatement(const CString& strStatus)
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr)
        return;
    const CString text = pEdit->GetText();
    const int nMarker = text.Find(kWaitingMarker);
    if (nMarker >= 0)
        pEdit->DeleteText(nMarker + 2, pEdit->GetTextLength());
    CString tail = strStatus + "\n" + kPrompt;
    pEdit->InsertText(tail, pEdit->GetTextLength(), TRUE, FALSE, TRUE, FALSE, FALSE);
    pEdit->SetCaret(pEdit->GetTextLength());
}

LRESULT CVelQryCommandView::OnConsoleExecute(WPARAM, LPARAM lParam)
{
    if (auto* pFrame = dynamic_cast<CChildFrame*>(GetParentFrame()))
        pFrame->OnQueryExecute();
    // The marker goes after the statement was handed over, unless the batch already ended.
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit != nullptr && lParam != 0) {
        auto* pFrame = dynamic_cast<CChildFrame*>(GetParentFrame());
        if (pFrame == nullptr || pFrame->m_nConsoleMode != 0) {
            CString marker = CString("\n") + reinterpret_cast<LPCTSTR>(lParam);
            pEdit->InsertText(marker, pEdit->GetTextLength(), TRUE, FALSE, TRUE, FALSE, FALSE);
        }
    }
    return 0;
}

IMPLEMENT_DYNCREATE(CVelQryTextResultView, CKtvPEditView)

void CVelQryTextResultView::ShowText(const CString& strText)
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    if (pEdit == nullptr)
        return;
    pEdit->m_bReadOnly = FALSE;
    pEdit->SetText(strText);
    pEdit->m_bReadOnly = TRUE;
}

// --- the editor tabs -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CVelQryView, CKtvPTabView)

BEGIN_MESSAGE_MAP(CVelQryView, CKtvPTabView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CVelQryView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPTabView::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndTabs.EnableAutoColor(TRUE);
    m_wndTabs.m_bEnableTabSwap = FALSE;
    m_nBatchTab = AddView(RUNTIME_CLASS(CVelQryBactchView), "Batch");
    m_nCommandTab = AddView(RUNTIME_CLASS(CVelQryCommandView), "Command");
    m_nEditModeTab = AddView(RUNTIME_CLASS(CVelQryBactchView), "Edit-Mode");
    if (m_nBatchTab < 0 || m_nCommandTab < 0 || m_nEditModeTab < 0)
        return -1;
    m_wndTabs.GetTabWnd(m_nBatchTab)->SetWindowText("BatchEdit");
    m_wndTabs.GetTabWnd(m_nCommandTab)->SetWindowText("CMDEdit");
    m_wndTabs.GetTabWnd(m_nEditModeTab)->SetWindowText("EditMode");
    return 0;
}

CVelQryBactchView* CVelQryView::GetBatchView() const
{
    return dynamic_cast<CVelQryBactchView*>(m_wndTabs.GetTabWnd(m_nBatchTab));
}

CVelQryCommandView* CVelQryView::GetCommandView() const
{
    return dynamic_cast<CVelQryCommandView*>(m_wndTabs.GetTabWnd(m_nCommandTab));
}

CVelQryBactchView* CVelQryView::GetEditModeView() const
{
    return dynamic_cast<CVelQryBactchView*>(m_wndTabs.GetTabWnd(m_nEditModeTab));
}

// --- the result tabs -------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CVelQryResultView, CKtvPTabView)

BEGIN_MESSAGE_MAP(CVelQryResultView, CKtvPTabView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CVelQryResultView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPTabView::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Removing a result tab destroys its grid view.
    m_wndTabs.m_bAutoDestroyWindow = TRUE;
    m_wndTabs.EnableAutoColor(TRUE);
    m_wndTabs.m_bEnableTabSwap = FALSE;
    m_wndTabs.SetHideSingleTab(TRUE);
    m_wndTabs.HideNoTabs(TRUE);
    return 0;
}

// --- a result grid ---------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CVelQryResultGridView, CFormView)

BEGIN_MESSAGE_MAP(CVelQryResultGridView, CFormView)
    ON_WM_SIZE()
    ON_COMMAND_RANGE(ID_RESULT_FIRST, ID_RESULT_LAST, OnResultMove)
    ON_COMMAND(ID_RESULT_GOTO, OnResultGoTo)
    ON_COMMAND_RANGE(ID_RESULT_SAVE_HTML, ID_RESULT_SAVE_XML, OnResultSave)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_FIRST, ID_RESULT_GOTO, OnUpdateResultMove)
    ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_SAVE_HTML, ID_RESULT_SAVE_XML, OnUpdateResultSave)
END_MESSAGE_MAP()

CVelQryResultGridView::CVelQryResultGridView() : CFormView(IDD) {}

void CVelQryResultGridView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    UINT nID = 1;
    if (auto* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        nID = UINT(++pMainFrame->m_nNextGridCtrlId);
    CRect rect;
    GetClientRect(&rect);
    rect.top += 10;
    if (!m_Grid.Create(nullptr, "ResultGrid", WS_CHILD | WS_VISIBLE, rect, this, nID)) {
        AfxMessageBox("Failed to create GridCtrl.\n");
        return;
    }
    m_Grid.SetDatasetType(1);
    static const struct {
        LONG index;
        BOOL value;
    } kOptions[] = {{18, TRUE}, {67, FALSE}, {78, FALSE}, {14, TRUE}, {78, TRUE}, {19, TRUE}, {88, TRUE}, {69, TRUE},
                    {56, TRUE}, {18, TRUE},  {6, TRUE},   {23, TRUE}, {31, TRUE}, {3, TRUE},  {4, TRUE}};
    for (const auto& option : kOptions) {
        m_Grid.SetOptionIndex(option.index);
        m_Grid.SetOptionValue(option.value);
    }
    m_Grid.SetProperty41(1);
    m_Grid.Invalidate();
    m_Grid.UpdateWindow();
    Invalidate();
    UpdateWindow();
}

BOOL CVelQryResultGridView::DestroyWindow()
{
    if (m_Grid.GetSafeHwnd()) {
        try {
            m_Grid.GetColumns().DestroyColumns();
        } catch (CException* e) {
            e->Delete();
        }
    }
    return CFormView::DestroyWindow();
}

void CVelQryResultGridView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (!m_Grid.GetSafeHwnd())
        return;
    CRect grid;
    m_Grid.GetWindowRect(&grid);
    ScreenToClient(&grid);
    CRect view;
    GetWindowRect(&view);
    ScreenToClient(&view);
    grid.right = view.right - 1;
    grid.bottom = view.bottom - 1;
    m_Grid.MoveWindow(&grid, TRUE);
    m_Grid.Invalidate();
    m_Grid.UpdateWindow();
}

LONG CVelQryResultGridView::RowCount()
{
    return m_Grid.GetSafeHwnd() ? m_Grid.GetCount() : 0;
}

void CVelQryResultGridView::OnResultMove(UINT nID)
{
    CdxDBGridDataset dataset = m_Grid.GetDataset();
    switch (nID) {
    case ID_RESULT_FIRST:
        dataset.First();
        break;
    case ID_RESULT_NEXT:
        dataset.Next();
        break;
    case ID_RESULT_PREVIOUS:
        dataset.Prior();
        break;
    default:
        dataset.Last();
        break;
    }
}

void CVelQryResultGridView::OnResultGoTo()
{
    CGoToDlg dlg;
    if (dlg.DoModal() != IDOK)
        return;
    // Rows count from 1; a number past the last row means the last row.
    LONG nRow = std::min<LONG>(std::max(dlg.m_nLine, 1), RowCount());
    m_Grid.GetDataset().MoveToRecord(_variant_t(nRow));
}

const char* CVelQryResultGridView::ExportFilter(UINT nID)
{
    switch (nID) {
    case ID_RESULT_SAVE_HTML:
        return "Html Files (*.html)|*.html|All Files (*.*)|*.*||";
    case ID_RESULT_SAVE_TEXT:
        return "text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
    case ID_RESULT_SAVE_EXCEL:
        return "Excel Workbook (*.xlsx)|*.xlsx|All Files (*.*)|*.*||";
    default:
        return "text Files (*.xml)|*.xml|All Files (*.*)|*.*||";
    }
}

const char* CVelQryResultGridView::ExportExtension(UINT nID)
{
    switch (nID) {
    case ID_RESULT_SAVE_HTML:
        return "html";
    case ID_RESULT_SAVE_TEXT:
        return "txt";
    case ID_RESULT_SAVE_EXCEL:
        return "xlsx";
    default:
        return "xml";
    }
}

void CVelQryResultGridView::OnResultSave(UINT nID)
{
    CFileDialog dlg(FALSE, ExportExtension(nID), nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                    ExportFilter(nID));
    if (dlg.DoModal() != IDOK)
        return;
    const CString path = dlg.GetPathName();
    CdxDBGridView view = m_Grid.GetView();
    switch (nID) {
    case ID_RESULT_SAVE_HTML:
        view.SaveToHtml(path);
        break;
    case ID_RESULT_SAVE_TEXT:
        view.SaveToText(path);
        break;
    case ID_RESULT_SAVE_EXCEL:
        view.SaveToExcel(path);
        break;
    default:
        view.SaveToXml(path);
        break;
    }
}

void CVelQryResultGridView::OnUpdateResultMove(CCmdUI* pCmdUI) { pCmdUI->Enable(RowCount() > 1); }

void CVelQryResultGridView::OnUpdateResultSave(CCmdUI* pCmdUI) { pCmdUI->Enable(RowCount() > 0); }
