#include "session/VelQryViews.h"

#include "app/MainFrame.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/COleException.h"
#include "platform/mfc/afxmsg.h"
#include "session/ChildFrame.h"
#include "session/GoToDlg.h"
#include "session/QueryWindowMessages.h"
#include "sqleditor/CustomerCommandEditCtrl.h"
#include "sqleditor/SqlEditorFont.h"

// --- editors ---------------------------------------------------------------------------------

namespace {

// The editors' context menu: the first popup of this menu resource.
constexpr UINT kQueryEditMenu = 146;

void GreyMenuItem(CMenu& popup, UINT nID, bool bGrey)
{
    if (bGrey)
        popup.EnableMenuItem(nID, MF_BYCOMMAND | MF_GRAYED);
}

bool ClipboardHasText() { return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

// Shows the editors' Edit popup at the cursor, prepared by the view, and
// routes the chosen command to the view.
template <class View>
void ShowQueryEditMenu(View& view, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(kQueryEditMenu))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    view.PrepareContextMenu(*pPopup);
    if (point.x == -1 && point.y == -1)
        ::GetCursorPos(&point);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, &view);
}

}  // namespace

IMPLEMENT_DYNCREATE(CVelQryBactchView, CQueryEditView)

BEGIN_MESSAGE_MAP(CVelQryBactchView, CQueryEditView)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CVelQryBactchView::OnInitialUpdate()
{
    CQueryEditView::OnInitialUpdate();
    m_pParentFrame = dynamic_cast<CChildFrame*>(GetParentFrame());
}

LRESULT CVelQryBactchView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KtvPEditChangeMessage()) {
        CString kind;
        GetWindowText(kind);
        if (kind.Trim() != "BatchEdit")
            return 0;
    }
    return CQueryEditView::WindowProc(message, wParam, lParam);
}

void CVelQryBactchView::PrepareContextMenu(CMenu& popup)
{
    CKtvPEditCtrl* pEdit = GetEditCtrl();
    int nStart = 0, nEnd = 0;
    if (pEdit != nullptr)
        pEdit->GetSel(nStart, nEnd);
    const bool bNoSelection = pEdit == nullptr || nStart == nEnd;
    const bool bEmpty = pEdit == nullptr || pEdit->GetTextLength() == 0;
    GreyMenuItem(popup, ID_EDIT_CUT, bNoSelection);
    GreyMenuItem(popup, ID_EDIT_COPY, bNoSelection);
    GreyMenuItem(popup, ID_EDIT_PASTE, !ClipboardHasText());
    GreyMenuItem(popup, ID_EDIT_SELECT_ALL, bEmpty);
    GreyMenuItem(popup, ID_SQLED_CLEAR_ALL, bEmpty);
}

void CVelQryBactchView::OnContextMenu(CWnd*, CPoint point) { ShowQueryEditMenu(*this, point); }

IMPLEMENT_DYNCREATE(CVelQryCommandView, CKtvPEditView)

BEGIN_MESSAGE_MAP(CVelQryCommandView, CKtvPEditView)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_CONSOLE_EXECUTE, OnConsoleExecute)
    ON_COMMAND(ID_SQLED_CLEAR_ALL, OnClearAll)
    ON_COMMAND(ID_EDIT_COPY, OnConsoleCopy)
    ON_COMMAND(ID_EDIT_CUT, OnConsoleCut)
    ON_COMMAND(ID_EDIT_PASTE, OnConsolePaste)
    ON_COMMAND(ID_EDIT_UNDO, OnConsoleUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateConsoleCut)
END_MESSAGE_MAP()

CVelQryCommandView::CVelQryCommandView() = default;

CVelQryCommandView::~CVelQryCommandView() { m_font.DeleteObject(); }

CKtvPEditCtrl* CVelQryCommandView::CreateEdit()
{
    m_pConsole = new CCustomerCommandEditCtrl;
    m_pEdit = m_pConsole;
    return m_pEdit;
}

int CVelQryCommandView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPEditView::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The console takes the editor font and colours of the Options, as the Batch editor does.
    if (m_pConsole != nullptr)
        SqlEditorApplyFontAndColors(*m_pConsole, m_font);
    if (m_pConsole != nullptr)
        m_pConsole->m_arrHistory.SetSize(kHistorySize);
    return 0;
}

void CVelQryCommandView::OnInitialUpdate()
{
    CKtvPEditView::OnInitialUpdate();
    m_pParentFrame = dynamic_cast<CChildFrame*>(GetParentFrame());
    if (m_pConsole == nullptr)
        return;
    m_pConsole->m_hWndNotify = GetSafeHwnd();
    m_pConsole->m_nNotifyMsg = WM_CONSOLE_EXECUTE;
    m_pConsole->m_strPrompt = kPrompt;
    if (m_pConsole->GetTextLength() == 0)
        PrintPrompt();
    if (m_pConsole->m_arrHistory.GetSize() != kHistorySize)
        m_pConsole->m_arrHistory.SetSize(kHistorySize);
    m_pConsole->RebuildNameMaps();
    m_pConsole->InitTipMap();
    m_pConsole->SetWordColor(" Please waiting...", RGB(255, 0, 0), CLR_DEFAULT, FALSE);
}

void CVelQryCommandView::PrintPrompt()
{
    m_pConsole->AppendText(kPrompt);
    m_pConsole->SetCaret(m_pConsole->GetTextLength());
}

BOOL CVelQryCommandView::PreTranslateMessage(MSG* pMsg) { return CKtvPEditView::PreTranslateMessage(pMsg); }

LRESULT CVelQryCommandView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // What the console shows is not the document's text.
    if (message == KtvPEditChangeMessage())
        return 0;
    return CKtvPEditView::WindowProc(message, wParam, lParam);
}

CString CVelQryCommandView::GetCommandText()
{
    return m_pConsole != nullptr ? m_pConsole->GetCommandText() : CString();
}

void CVelQryCommandView::FinishStatement(const CString& strStatus)
{
    if (m_pConsole == nullptr)
        return;
    // From the marker's third character on the text goes: "--" stays and the
    // status reads as a comment line under the statement.
    const CString text = m_pConsole->GetText();
    const int nMarker = text.Find(kWaitingMarker);
    CString tail = strStatus + "\n" + kPrompt;
    if (nMarker >= 0) {
        m_pConsole->DeleteText(nMarker, text.GetLength(), FALSE);
        tail = CString(kWaitingMarker).Left(2) + tail;
    }
    m_pConsole->InsertText(tail, m_pConsole->GetTextLength(), TRUE, FALSE, TRUE, FALSE, FALSE);
    m_pConsole->ClearCurrentInput();
    m_pConsole->SetCaret(m_pConsole->GetTextLength());
}

LRESULT CVelQryCommandView::OnConsoleExecute(WPARAM, LPARAM lParam)
{
    if (m_pParentFrame == nullptr)
        m_pParentFrame = dynamic_cast<CChildFrame*>(GetParentFrame());
    if (m_pParentFrame != nullptr)
        m_pParentFrame->OnQueryExecute();
    // The marker goes after the statement was handed over, unless the batch
    // already ended (it would then stand after the new prompt).
    if (m_pConsole != nullptr && lParam != 0 && (m_pParentFrame == nullptr || m_pParentFrame->m_nConsoleMode != 0)) {
        const CString marker(reinterpret_cast<LPCTSTR>(lParam));
        m_pConsole->BeginOutput(TRUE);
        m_pConsole->AppendFormat("%s", static_cast<LPCTSTR>(marker));
    }
    return 0;
}

void CVelQryCommandView::OnClearAll()
{
    if (m_pConsole == nullptr)
        return;
    m_pConsole->DeleteText(0, m_pConsole->GetTextLength(), TRUE);
    m_pConsole->m_strPrompt = kPrompt;
    PrintPrompt();
}

void CVelQryCommandView::OnConsoleCopy()
{
    if (m_pConsole != nullptr)
        m_pConsole->Copy();
}

void CVelQryCommandView::OnConsoleCut()
{
    // Through the control's own message handling, which refuses a cut before the prompt.
    if (m_pConsole != nullptr)
        m_pConsole->SendMessage(WM_CUT);
}

void CVelQryCommandView::OnConsolePaste()
{
    if (m_pConsole != nullptr)
        m_pConsole->Paste();
}

void CVelQryCommandView::OnConsoleUndo()
{
    if (m_pConsole != nullptr)
        m_pConsole->SendMessage(WM_UNDO);
}

void CVelQryCommandView::OnUpdateConsoleCut(CCmdUI* pCmdUI)
{
    int nStart = 0, nEnd = -1;
    if (m_pConsole != nullptr && m_pConsole->HasSelection())
        m_pConsole->GetSel(nStart, nEnd);
    pCmdUI->Enable(m_pConsole != nullptr && nEnd != -1 && nStart != nEnd);
}

void CVelQryCommandView::PrepareContextMenu(CMenu& popup)
{
    const bool bEmpty = m_pConsole == nullptr || m_pConsole->GetTextLength() == 0;
    GreyMenuItem(popup, ID_EDIT_PASTE, !ClipboardHasText());
    GreyMenuItem(popup, ID_SQLED_CLEAR_ALL, bEmpty);
    GreyMenuItem(popup, ID_EDIT_SELECT_ALL, bEmpty);
    GreyMenuItem(popup, ID_EDIT_COPY, bEmpty);
    int nStart = 0, nEnd = 0;
    if (m_pConsole != nullptr)
        m_pConsole->GetSel(nStart, nEnd);
    GreyMenuItem(popup, ID_EDIT_CUT, nStart == nEnd);
}

void CVelQryCommandView::OnContextMenu(CWnd*, CPoint point) { ShowQueryEditMenu(*this, point); }

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

namespace {

// The tab strips of both panes: slanted tabs at the bottom, no close
// button, the frame drawn, no border.
BOOL CreateQueryTabStrip(CKtvPTabWnd& tabs, CWnd* pParent)
{
    if (!tabs.Create(CKtvPTabWnd::TABSTYLE_SLANTED, CRect(0, 0, 0, 0), pParent, 1, CKtvPBaseTabWnd::LOCATION_BOTTOM,
                     FALSE))
        return FALSE;
    if (!tabs.m_bDrawFrame) {
        tabs.m_bDrawFrame = TRUE;
        tabs.RedrawWindow();
    }
    tabs.SetTabBorderSize(0, TRUE);
    tabs.EnableAutoColor(TRUE);
    tabs.m_bEnableTabSwap = FALSE;
    return TRUE;
}

}  // namespace

int CVelQryView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateQueryTabStrip(m_wndTabs, this))
        return -1;
    // The editor views belong to the frame, which destroys them.
    m_wndTabs.m_bAutoDestroyWindow = FALSE;
    if (m_TabImages.GetSafeHandle() == nullptr)
        m_TabImages.Create(kTabImagesBitmap, 16, 1, RGB(255, 255, 255));
    if (m_TabImages.GetSafeHandle() != nullptr)
        m_wndTabs.SetImageList(m_TabImages.GetSafeHandle());
    m_nBatchTab = AddView(RUNTIME_CLASS(CVelQryBactchView), "Batch");
    m_nCommandTab = AddView(RUNTIME_CLASS(CVelQryCommandView), "Command");
    m_nEditModeTab = AddView(RUNTIME_CLASS(CVelQryBactchView), "Edit-Mode");
    if (m_nBatchTab < 0 || m_nCommandTab < 0 || m_nEditModeTab < 0)
        return -1;
    m_wndTabs.GetTabWnd(m_nBatchTab)->SetWindowText("BatchEdit");
    m_wndTabs.GetTabWnd(m_nCommandTab)->SetWindowText("CMDEdit");
    m_wndTabs.GetTabWnd(m_nEditModeTab)->SetWindowText("EditMode");
    m_wndTabs.SetTabIcon(m_nCommandTab, 0);
    m_wndTabs.SetTabIcon(m_nBatchTab, 1);
    m_wndTabs.SetTabIcon(m_nEditModeTab, 2);
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
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateQueryTabStrip(m_wndTabs, this))
        return -1;
    // Removing a result tab destroys its grid view.
    m_wndTabs.m_bAutoDestroyWindow = TRUE;
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

void CVelQryResultGridView::MoveDataset(CdxDBGridDataset dataset, UINT nID)
{
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

BOOL CVelQryResultGridView::AskGoToRow(LONG nRows, LONG& nRow)
{
    CGoToDlg dlg;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    // Rows count from 1; a number past the last row means the last row.
    nRow = std::min<LONG>(std::max(dlg.m_nLine, 1), nRows);
    return TRUE;
}

void CVelQryResultGridView::OnResultMove(UINT nID) { MoveDataset(m_Grid.GetDataset(), nID); }

void CVelQryResultGridView::OnResultGoTo()
{
    LONG nRow = 0;
    if (AskGoToRow(RowCount(), nRow))
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

BOOL CVelQryResultGridView::AskExportPath(UINT nID, CString& path)
{
    CFileDialog dlg(FALSE, ExportExtension(nID), nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                    ExportFilter(nID));
    if (dlg.DoModal() != IDOK)
        return FALSE;
    path = dlg.GetPathName();
    return TRUE;
}

void CVelQryResultGridView::SaveView(CdxDBGridView view, UINT nID, const CString& path)
{
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

void CVelQryResultGridView::OnResultSave(UINT nID)
{
    CString path;
    if (AskExportPath(nID, path))
        SaveView(m_Grid.GetView(), nID, path);
}

void CVelQryResultGridView::OnUpdateResultMove(CCmdUI* pCmdUI) { pCmdUI->Enable(RowCount() > 1); }

void CVelQryResultGridView::OnUpdateResultSave(CCmdUI* pCmdUI) { pCmdUI->Enable(RowCount() > 0); }
