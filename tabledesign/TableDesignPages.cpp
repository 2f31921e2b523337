#include "tabledesign/TableDesignPages.h"

#include <string>

#include "app/MainFrame.h"
#include "platform/com/ComError.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "resources/TableDesignIds.h"
#include "sqleditor/CustomerEditCtrl.h"
#include "sqleditor/SqlNames.h"
#include "tabledesign/TableDesignWindow.h"

namespace {

CString TdPageText(const _bstr_t& text)
{
    const char* chars = static_cast<const char*>(text);
    return CString(chars != nullptr ? chars : "");
}

// The grid of a view at its template's place, in dialog units.
BOOL TdCreateGrid(CWnd* pView, CdxDBGrid& grid, UINT nID, const CRect& units)
{
    CRect area = units;
    ::MapDialogRect(pView->GetSafeHwnd(), area);
    return grid.Create(nullptr, "Grid", WS_CHILD | WS_VISIBLE, area, pView, nID);
}

// Appends one record of texts; a refused record is reported and the next follows.
void TdAppendTexts(CdxDBGridDataset& dataset, const std::vector<_variant_t>& values)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, (ULONG)values.size());
    for (LONG i = 0; i < (LONG)values.size(); ++i)
        SafeArrayPutElement(array, &i, const_cast<_variant_t*>(&values[(size_t)i]));
    VARIANT record;
    record.vt = VT_ARRAY | VT_VARIANT;
    record.parray = array;
    try {
        dataset.AppendRecord(record);
    } catch (CException* pError) {
        pError->Delete();
        AfxMessageBox("Error with AppendRecord()", MB_OK);
    }
    SafeArrayDestroy(array);
}

LONG TdNodeIndexOf(LPDISPATCH pNode)
{
    if (pNode == nullptr)
        return -1;
    CdxDBGridNode node;
    node.AttachDispatch(pNode, FALSE);
    return node.GetProperty17();
}

// The one value a query on the main frame's database answers.
CString TdAsk(CMainFrame* pFrame, const CString& query, long column = 1)
{
    SQLDMO::_QueryResultsPtr results = pFrame->m_Database->ExecuteWithResults((LPCTSTR)query);
    if (results->GetRows() < 1)
        return CString();
    return TdPageText(results->GetColumnString(1, column));
}

// "[owner].[name]" of the table under design, bracketed where needed.
CString TdQualifiedTable(CMainFrame* pFrame)
{
    return SqlQuoteName(TdPageText(pFrame->m_Table->GetOwner())) + "." + SqlQuoteName(TdPageText(pFrame->m_Table->GetName()));
}

// Whether the table under design was found; the pages load nothing otherwise.
bool TdTableFound(CWnd* pWnd)
{
    CTableView* pView = CTableView::FromChild(pWnd);
    return pView == nullptr || (pView->m_bTableFound && !pView->m_bNewTable);
}

// The detail view of the page that holds a list view.
template <class Detail>
Detail* TdDetailOf(CTableDesignPaneView* pView)
{
    CTableDesignPage* pPage = pView->GetPage();
    if (pPage == nullptr || !pPage->m_bPanesCreated)
        return nullptr;
    return dynamic_cast<Detail*>(pPage->m_pDetailView);
}

void TdPassToPageList(CTableDesignPaneView* pView, UINT nID)
{
    if (CTableDesignPage* pPage = pView->GetPage())
        if (pPage->m_bPanesCreated && pPage->m_pListView != nullptr)
            pPage->m_pListView->SendMessage(WM_COMMAND, nID, 0);
}

}  // namespace

// --- name grids -------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTableDesignNameGridView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignNameGridView, CTableDesignPaneView)
END_MESSAGE_MAP()

CTableDesignNameGridView::CTableDesignNameGridView(UINT nIDTemplate, UINT nIDGrid, CSize gridSize, const char* field,
                                                   const char* caption)
    : CTableDesignPaneView(nIDTemplate, nIDGrid), m_nIDGrid(nIDGrid), m_gridSize(gridSize), m_field(field),
      m_caption(caption)
{
}

BOOL CTableDesignNameGridView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    return TdCreateGrid(this, m_wndGrid, m_nIDGrid, CRect(CPoint(0, 0), m_gridSize));
}

void CTableDesignNameGridView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    m_pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    try {
        m_wndGrid.SetDatasetType(1);
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        if (dataset.GetRecordCount() > 0)
            return;
        if (m_wndGrid.GetColumns().GetCount() == 0) {
            dataset.GetFieldDefs().Add(m_field, 3, 128);
            CdxDBGridColumn column = m_wndGrid.GetColumns().Add(0);
            column.SetFieldName(m_field);
            column.SetName(m_field);
            column.SetCaption(m_caption);
            column.SetProperty1(0);
            m_wndGrid.SetKeyField(m_field);
        }
        dataset.DisableControls();
        dataset.Open();
        if (GetParent() == nullptr || GetParent()->GetParent() == nullptr || m_pMainFrame == nullptr)
            return;
        if (!TdTableFound(this)) {
            dataset.EnableControls();
            return;
        }
        for (const CString& name : LoadNames())
            TdAppendTexts(dataset, {_variant_t((LPCTSTR)name)});
        dataset.EnableControls();
        if (dataset.GetRecordCount() > 0) {
            dataset.First();
            dataset.Edit();
        }
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

void CTableDesignNameGridView::OnGridNodeChanged(LPDISPATCH pLeft, LPDISPATCH pEntered)
{
    if (pEntered == nullptr)
        return;
    try {
        const LONG left = TdNodeIndexOf(pLeft);
        const LONG entered = TdNodeIndexOf(pEntered);
        const CString name = m_wndGrid.GetNode(entered).GetCellText(0);
        CTableDesignPage* pPage = GetPage();
        if (pPage != nullptr && pPage->m_bPanesCreated && left != entered)
            ShowName(name);
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

void CTableDesignNameGridView::OnAddRow()
{
    try {
        m_wndGrid.GetDataset().Append();
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

void CTableDesignNameGridView::OnDeleteRow()
{
    try {
        if (m_wndGrid.GetDataset().GetRecordCount() > 0)
            m_wndGrid.GetDataset().Delete();
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

// --- check constraints ------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignCheck, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignChkGridView, CTableDesignNameGridView)
IMPLEMENT_DYNCREATE(CTableDesignChkExpressView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignCheck, CTableDesignPage)
    ON_COMMAND(ID_TW_TD_ADD, OnAdd)
    ON_COMMAND(ID_TW_TD_DELETE, OnDelete)
    ON_COMMAND(ID_TW_TD_SAVE, OnNothing)
    ON_COMMAND(ID_TW_TD_BUTTON8, OnNothing)
END_MESSAGE_MAP()

CTableDesignCheck::CTableDesignCheck() : CTableDesignPage(IDD_TW_TD_CHECKS, IDC_TW_TD_CHECKS_BAND) {}

void CTableDesignCheck::OnInitialUpdate()
{
    CTableDesignPage::OnInitialUpdate();
    UpdateData(FALSE);
}

CRuntimeClass* CTableDesignCheck::GetListViewClass() const { return RUNTIME_CLASS(CTableDesignChkGridView); }
CRuntimeClass* CTableDesignCheck::GetDetailViewClass() const { return RUNTIME_CLASS(CTableDesignChkExpressView); }

BEGIN_EVENTSINK_MAP(CTableDesignChkGridView, CTableDesignNameGridView)
    ON_EVENT(CTableDesignChkGridView, IDC_TW_TD_CHECK_GRID, 12, OnGridNodeChanged, VTS_DISPATCH VTS_DISPATCH)
END_EVENTSINK_MAP()

BEGIN_MESSAGE_MAP(CTableDesignChkGridView, CTableDesignNameGridView)
    ON_COMMAND(ID_TW_TD_ADD, OnAddRow)
    ON_COMMAND(ID_TW_TD_DELETE, OnDeleteRow)
END_MESSAGE_MAP()

CTableDesignChkGridView::CTableDesignChkGridView()
    : CTableDesignNameGridView(IDD_TW_TD_CHECK_GRID, IDC_TW_TD_CHECK_GRID, CSize(177, 94), "CheckNameList",
                               "Check Constraint List")
{
}

std::vector<CString> CTableDesignChkGridView::LoadNames()
{
    std::vector<CString> names;
    SQLDMO::ChecksPtr checks = m_pMainFrame->m_Table->GetChecks();
    for (long i = 1; i <= checks->GetCount(); ++i) {
        m_pMainFrame->m_Check = checks->Item(i);
        names.push_back(TdPageText(m_pMainFrame->m_Check->GetName()));
    }
    return names;
}

void CTableDesignChkGridView::ShowName(const CString& name)
{
    if (auto* pDetail = TdDetailOf<CTableDesignChkExpressView>(this))
        pDetail->ShowCheck(name);
}

BEGIN_MESSAGE_MAP(CTableDesignChkExpressView, CTableDesignPaneView)
    ON_WM_SIZE()
    ON_COMMAND(ID_TW_TD_ADD, OnAdd)
    ON_COMMAND(ID_TW_TD_DELETE, OnDelete)
END_MESSAGE_MAP()

CTableDesignChkExpressView::CTableDesignChkExpressView() : CTableDesignPaneView(IDD_TW_TD_CHECK_EXPRESSION, 0) {}

void CTableDesignChkExpressView::DoDataExchange(CDataExchange* pDX)
{
    CTableDesignPaneView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_TD_CHECK_REPLICATION, m_wndReplication);
    DDX_Control(pDX, IDC_TW_TD_CHECK_EXISTING, m_wndCheckExisting);
    DDX_Control(pDX, IDC_TW_TD_EXPRESSION, m_wndExpression);
    DDX_Text(pDX, IDC_TW_TD_EXPRESSION, m_strExpression);
    DDV_MaxChars(pDX, m_strExpression, 32000);
}

void CTableDesignChkExpressView::PassToList(UINT nID) { TdPassToPageList(this, nID); }

void CTableDesignChkExpressView::ShowCheck(const CString& name)
{
    if (name.IsEmpty())
        return;
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pFrame == nullptr)
        return;
    try {
        pFrame->m_Check = pFrame->m_Table->GetChecks()->Item((LPCTSTR)name);
        m_strExpression = TdPageText(pFrame->m_Check->GetText());
    } catch (const _com_error&) {
        // A constraint the table does not have: the shown text stays.
        return;
    }
    UpdateData(FALSE);
}

void CTableDesignChkExpressView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_wndExpression.GetSafeHwnd() == nullptr)
        return;
    CRect check, view, edit;
    m_wndCheckExisting.GetWindowRect(check);
    ScreenToClient(check);
    GetWindowRect(view);
    ScreenToClient(view);
    m_wndExpression.GetWindowRect(edit);
    ScreenToClient(edit);
    const int h = check.Height();
    edit.right = view.right;
    edit.bottom = view.bottom - 3 * h;
    m_wndExpression.MoveWindow(edit, TRUE);
    m_wndCheckExisting.MoveWindow(check.left, edit.bottom + 10, check.Width(), h, TRUE);
    CRect replication;
    m_wndReplication.GetWindowRect(replication);
    ScreenToClient(replication);
    m_wndReplication.MoveWindow(check.left, edit.bottom + 10 + h, replication.Width(), replication.Height(), TRUE);
}

// --- foreign keys -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignForeign, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignForeignGridView, CTableDesignNameGridView)
IMPLEMENT_DYNCREATE(CTableDesignForeignPropertyView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignForeign, CTableDesignPage)
    ON_COMMAND(ID_TW_TD_ADD, OnNothing)
    ON_COMMAND(ID_TW_TD_DELETE, OnNothing)
    ON_COMMAND(ID_TW_TD_SAVE, OnNothing)
    ON_COMMAND(ID_TW_TD_BUTTON8, OnNothing)
END_MESSAGE_MAP()

CTableDesignForeign::CTableDesignForeign() : CTableDesignPage(IDD_TW_TD_FOREIGN, IDC_TW_TD_FOREIGN_BAND) {}

CRuntimeClass* CTableDesignForeign::GetListViewClass() const { return RUNTIME_CLASS(CTableDesignForeignGridView); }
CRuntimeClass* CTableDesignForeign::GetDetailViewClass() const
{
    return RUNTIME_CLASS(CTableDesignForeignPropertyView);
}

BEGIN_EVENTSINK_MAP(CTableDesignForeignGridView, CTableDesignNameGridView)
    ON_EVENT(CTableDesignForeignGridView, IDC_TW_TD_FOREIGN_GRID, 12, OnGridNodeChanged, VTS_DISPATCH VTS_DISPATCH)
END_EVENTSINK_MAP()

CTableDesignForeignGridView::CTableDesignForeignGridView()
    : CTableDesignNameGridView(IDD_TW_TD_FOREIGN_GRID, IDC_TW_TD_FOREIGN_GRID, CSize(201, 64), "FKNameList",
                               "Foreign Constraint Key List")
{
}

std::vector<CString> CTableDesignForeignGridView::LoadNames()
{
    std::vector<CString> names;
    SQLDMO::KeysPtr keys = m_pMainFrame->m_Table->GetKeys();
    for (long i = 1; i <= keys->GetCount(); ++i) {
        m_pMainFrame->m_Key = keys->Item(i);
        if ((m_pMainFrame->m_Key->GetType() & 3) == 3)
            names.push_back(TdPageText(m_pMainFrame->m_Key->GetName()));
    }
    return names;
}

void CTableDesignForeignGridView::ShowName(const CString& name)
{
    if (auto* pDetail = TdDetailOf<CTableDesignForeignPropertyView>(this))
        pDetail->ShowForeignKey(name);
}

BEGIN_MESSAGE_MAP(CTableDesignForeignPropertyView, CTableDesignPaneView)
    ON_WM_SIZE()
    ON_CBN_SELENDOK(IDC_TW_TD_PARENT_TABLE, OnParentTableChosen)
END_MESSAGE_MAP()

CTableDesignForeignPropertyView::CTableDesignForeignPropertyView()
    : CTableDesignPaneView(IDD_TW_TD_FOREIGN_PROPS, 0)
{
}

BOOL CTableDesignForeignPropertyView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                             const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    return TdCreateGrid(this, m_wndGrid, IDC_TW_TD_PAIR_GRID, CRect(0, 23, 321, 116));
}

void CTableDesignForeignPropertyView::DoDataExchange(CDataExchange* pDX)
{
    CTableDesignPaneView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_TD_FK_ENFORCE, m_wndEnforceInsertUpdate);
    DDX_Control(pDX, IDC_TW_TD_FK_REPLICATION, m_wndEnforceReplication);
    DDX_Control(pDX, IDC_TW_TD_FK_CHECK_EXISTING, m_wndCheckExisting);
    DDX_Control(pDX, IDC_TW_TD_CASCADE_UPDATE, m_wndCascadeUpdate);
    DDX_Control(pDX, IDC_TW_TD_CASCADE_DELETE, m_wndCascadeDelete);
    DDX_Control(pDX, IDC_TW_TD_REFERENCE_KEY, m_wndReferenceKey);
    DDX_Control(pDX, IDC_TW_TD_PARENT_TABLE, m_wndParentTable);
    DDX_Check(pDX, IDC_TW_TD_CASCADE_DELETE, m_bCascadeDelete);
    DDX_Check(pDX, IDC_TW_TD_CASCADE_UPDATE, m_bCascadeUpdate);
    DDX_Check(pDX, IDC_TW_TD_FK_CHECK_EXISTING, m_bCheckExisting);
    DDX_Check(pDX, IDC_TW_TD_FK_ENFORCE, m_bEnforceInsertUpdate);
    DDX_Check(pDX, IDC_TW_TD_FK_REPLICATION, m_bEnforceReplication);
}

void CTableDesignForeignPropertyView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    m_pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    // The boxes show the key's state; the designer changes no key.
    for (CButton* box : {&m_wndEnforceInsertUpdate, &m_wndEnforceReplication, &m_wndCheckExisting, &m_wndCascadeUpdate,
                         &m_wndCascadeDelete})
        box->EnableWindow(FALSE);
    try {
        if (m_wndGrid.GetColumns().GetCount() > 0)
            return;
        m_wndGrid.SetDatasetType(1);
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        const char* const fields[2][2] = {{"ForeignKey", "Foreign Key Column"}, {"ReferenceKey", "Reference Column"}};
        for (int i = 0; i < 2; ++i) {
            dataset.GetFieldDefs().Add(fields[i][0], 3, 128);
            CdxDBGridColumn column = m_wndGrid.GetColumns().Add(0);
            column.SetFieldName(fields[i][0]);
            column.SetName(fields[i][0]);
            column.SetCaption(fields[i][1]);
            column.SetProperty1(0);
            if (i == 0)
                m_wndGrid.SetKeyField("ForeignKey");
        }
        dataset.Open();
        if (m_pMainFrame == nullptr || !TdTableFound(this))
            return;
        if (m_wndParentTable.GetCount() == 0) {
            SQLDMO::TablesPtr tables = m_pMainFrame->m_Database->GetTables();
            for (long i = 1; i <= tables->GetCount(); ++i) {
                m_pMainFrame->m_Table2 = tables->Item(i);
                if (m_pMainFrame->m_Table2->GetSystemObject() == VARIANT_FALSE)
                    m_wndParentTable.AddString(TdPageText(m_pMainFrame->m_Table2->GetName()));
            }
        }
        if (m_wndParentTable.GetCount() > 0) {
            m_wndParentTable.SetCurSel(0);
            OnParentTableChosen();
        }
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

void CTableDesignForeignPropertyView::OnParentTableChosen()
{
    const int index = m_wndParentTable.GetCurSel();
    if (index < 0 || m_pMainFrame == nullptr)
        return;
    CString table;
    m_wndParentTable.GetLBText(index, table);
    if (table.IsEmpty())
        return;
    m_wndReferenceKey.ResetContent();
    // The keys a foreign key may refer to: the parent's primary and unique keys.
    try {
        m_pMainFrame->m_Table2 = m_pMainFrame->m_Database->GetTables()->Item((LPCTSTR)table);
        SQLDMO::KeysPtr keys = m_pMainFrame->m_Table2->GetKeys();
        for (long i = 1; i <= keys->GetCount(); ++i) {
            SQLDMO::_KeyPtr key = keys->Item(i);
            const long type = key->GetType();
            if (type == SQLDMO::SQLDMOKey_Primary || type == SQLDMO::SQLDMOKey_Unique)
                m_wndReferenceKey.AddString(TdPageText(key->GetName()));
        }
    } catch (const _com_error& error) {
        TdReportComError(error);
    }
    if (m_wndReferenceKey.GetCount() > 0)
        m_wndReferenceKey.SetCurSel(0);
}

void CTableDesignForeignPropertyView::ShowForeignKey(const CString& name)
{
    if (name.IsEmpty() || m_pMainFrame == nullptr)
        return;
    try {
        SQLDMO::KeysPtr keys = m_pMainFrame->m_Table->GetKeys();
        for (long i = 1; i <= keys->GetCount(); ++i) {
            m_pMainFrame->m_Key = keys->Item(i);
            if (TdPageText(m_pMainFrame->m_Key->GetName()) != name)
                continue;
            // The key's state as the server keeps it.
            const CString object = SqlQuoteLiteral(SqlQuoteName(TdPageText(m_pMainFrame->m_Table->GetOwner())) + "." +
                                                   SqlQuoteName(name));
            SQLDMO::_QueryResultsPtr state = m_pMainFrame->m_Database->ExecuteWithResults(
                (LPCTSTR)("select OBJECTPROPERTY(object_id(" + object + "), 'CnstIsNotRepl'), OBJECTPROPERTY(object_id(" +
                          object + "), 'CnstIsNotTrusted'), OBJECTPROPERTY(object_id(" + object +
                          "), 'CnstIsDisabled'), OBJECTPROPERTY(object_id(" + object +
                          "), 'CnstIsDeleteCascade'), OBJECTPROPERTY(object_id(" + object + "), 'CnstIsUpdateCascade')"));
            auto flag = [&](long column) { return state->GetColumnLong(1, column) != 0; };
            m_bEnforceReplication = !flag(1);
            m_bCheckExisting = !flag(2);
            m_bEnforceInsertUpdate = !flag(3);
            m_bCascadeDelete = flag(4);
            m_bCascadeUpdate = flag(5);
            CdxDBGridDataset dataset = m_wndGrid.GetDataset();
            dataset.DisableControls();
            dataset.Open();
            for (LONG n = dataset.GetRecordCount(); n > 0; --n)
                dataset.Delete();
            m_pMainFrame->m_KeyColumns = m_pMainFrame->m_Key->GetKeyColumns();
            m_pMainFrame->m_ReferencedColumns = m_pMainFrame->m_Key->GetReferencedColumns();
            for (long j = 1; j <= m_pMainFrame->m_KeyColumns->GetCount(); ++j)
                TdAppendTexts(dataset, {_variant_t(m_pMainFrame->m_KeyColumns->Item(j)),
                                        _variant_t(m_pMainFrame->m_ReferencedColumns->Item(j))});
            dataset.EnableControls();
            if (dataset.GetRecordCount() > 0) {
                dataset.First();
                dataset.Edit();
            }
            break;
        }
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        TdReportException(pError);
    }
    UpdateData(FALSE);
}

void CTableDesignForeignPropertyView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_wndGrid.GetSafeHwnd() == nullptr)
        return;
    auto place = [this](UINT id) {
        CRect rect;
        GetDlgItem((int)id)->GetWindowRect(rect);
        ScreenToClient(rect);
        return rect;
    };
    CRect view, grid;
    GetWindowRect(view);
    ScreenToClient(view);
    m_wndGrid.GetWindowRect(grid);
    ScreenToClient(grid);
    const CRect check = place(IDC_TW_TD_FK_CHECK_EXISTING);
    const int h = check.Height();
    const int b = view.bottom - 6 * h;
    m_wndGrid.MoveWindow(grid.left, grid.top, view.right - grid.left, b - grid.top, TRUE);
    const CRect top = place(IDC_TW_TD_FK_LINE_TOP);
    GetDlgItem(IDC_TW_TD_FK_LINE_TOP)->MoveWindow(grid.left, 29, view.right, top.Height(), TRUE);
    const CRect line = place(IDC_TW_TD_LINE);
    GetDlgItem(IDC_TW_TD_LINE)->MoveWindow(grid.left, b + 5, view.right, line.Height(), TRUE);
    const CRect replication = place(IDC_TW_TD_FK_REPLICATION);
    const CRect enforce = place(IDC_TW_TD_FK_ENFORCE);
    const CRect update = place(IDC_TW_TD_CASCADE_UPDATE);
    const CRect remove = place(IDC_TW_TD_CASCADE_DELETE);
    m_wndCheckExisting.MoveWindow(check.left, b + 10, check.Width(), h, TRUE);
    m_wndEnforceReplication.MoveWindow(check.left, b + 10 + h, replication.Width(), replication.Height(), TRUE);
    m_wndEnforceInsertUpdate.MoveWindow(enforce.left, b + 10 + 2 * enforce.Height(), enforce.Width(), enforce.Height(),
                                        TRUE);
    m_wndCascadeUpdate.MoveWindow(update.left, b + 10 + 3 * enforce.Height(), update.Width(), update.Height(), TRUE);
    m_wndCascadeDelete.MoveWindow(update.left, b + 10 + 4 * remove.Height(), remove.Width(), remove.Height(), TRUE);
}

// --- permissions ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignPermissions, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignPermissionsTableView, CTableDesignPaneView)
IMPLEMENT_DYNCREATE(CTableDesignPermissionsColumnView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignPermissions, CTableDesignPage)
    ON_COMMAND(ID_TW_TD_ADD, OnNothing)
    ON_COMMAND(ID_TW_TD_DELETE, OnNothing)
    ON_COMMAND(ID_TW_TD_SAVE, OnNothing)
END_MESSAGE_MAP()

CTableDesignPermissions::CTableDesignPermissions()
    : CTableDesignPage(IDD_TW_TD_PERMISSIONS, IDC_TW_TD_PERMISSIONS_BAND)
{
}

CRuntimeClass* CTableDesignPermissions::GetListViewClass() const
{
    return RUNTIME_CLASS(CTableDesignPermissionsTableView);
}
CRuntimeClass* CTableDesignPermissions::GetDetailViewClass() const
{
    return RUNTIME_CLASS(CTableDesignPermissionsColumnView);
}

CTableDesignPermissionsTableView::CTableDesignPermissionsTableView()
    : CTableDesignPaneView(IDD_TW_TD_PERMISSION_TABLE, IDC_TW_TD_PERMISSION_GRID)
{
}

BOOL CTableDesignPermissionsTableView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                              const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    return TdCreateGrid(this, m_wndGrid, IDC_TW_TD_PERMISSION_GRID, CRect(0, 0, 248, 103));
}

void CTableDesignPermissionsTableView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    try {
        m_wndGrid.SetDatasetType(1);
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        if (dataset.GetRecordCount() > 0)
            return;
        if (m_wndGrid.GetColumns().GetCount() == 0) {
            dataset.GetFieldDefs().Add("UserRolePublic", 3, 128);
            for (const char* flag : {"SELECT", "INSERT", "UPDATE", "DELETE", "EXECUTE", "DRI"})
                dataset.GetFieldDefs().Add(flag, 4, 10);
            const char* const columns[6][2] = {{"UserRolePublic", "User/Role/Public"}, {"SELECT", "SELECT"},
                                               {"INSERT", "INSERT"}, {"UPDATE", "UPDATE"}, {"DELETE", "DELETE"},
                                               {"DRI", "DRI"}};
            for (int i = 0; i < 6; ++i) {
                m_wndGrid.GetColumns().Add(0);
                CdxDBGridColumn column = m_wndGrid.GetColumns().GetItem(i);
                column.SetFieldName(columns[i][0]);
                column.SetName(columns[i][0]);
                column.SetCaption(columns[i][1]);
                column.SetProperty1(i == 0 ? 0 : 1);
                if (i > 0) {
                    column.SetProperty46(5);
                    // The flags show the grants; the designer grants nothing.
                    column.SetProperty24(FALSE);
                }
            }
            m_wndGrid.SetKeyField("UserRolePublic");
        }
        dataset.DisableControls();
        dataset.Open();
        if (pFrame != nullptr && TdTableFound(this)) {
            static const char* const kPrivileges[5] = {"Select", "Insert", "Update", "Delete", "References"};
            SQLDMO::UsersPtr users = pFrame->m_Database->GetUsers();
            for (long i = 1; i <= users->GetCount(); ++i) {
                pFrame->m_User = users->Item(i);
                const CString name = TdPageText(pFrame->m_User->GetName());
                std::vector<_variant_t> record(7);
                record[0] = _variant_t((LPCTSTR)name);
                pFrame->m_PermissionList = pFrame->m_Table->ListUserPermissions((LPCTSTR)name);
                if (pFrame->m_PermissionList->GetCount() > 0) {
                    short flags[5] = {0, 0, 0, 0, 0};
                    for (long p = 1; p <= pFrame->m_PermissionList->GetCount(); ++p) {
                        pFrame->m_Permission = pFrame->m_PermissionList->Item(p);
                        if (pFrame->m_Permission->GetGranted() == VARIANT_FALSE)
                            continue;
                        const CString privilege = TdPageText(pFrame->m_Permission->GetPrivilegeTypeName());
                        for (int f = 0; f < 5; ++f)
                            if (privilege == kPrivileges[f])
                                flags[f] = -1;
                    }
                    for (int f = 0; f < 4; ++f)
                        record[(size_t)f + 1] = _variant_t(flags[f]);
                    record[6] = _variant_t(flags[4]);
                }
                TdAppendTexts(dataset, record);
            }
        }
        dataset.EnableControls();
        if (dataset.GetRecordCount() > 0) {
            dataset.First();
            dataset.Edit();
        }
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

CTableDesignPermissionsColumnView::CTableDesignPermissionsColumnView()
    : CTableDesignPaneView(IDD_TW_TD_PERMISSION_COLUMNS, IDC_TW_TD_COLUMN_PERMISSION_GRID)
{
}

BOOL CTableDesignPermissionsColumnView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                               const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    return TdCreateGrid(this, m_wndGrid, IDC_TW_TD_COLUMN_PERMISSION_GRID, CRect(0, 0, 257, 136));
}

// --- triggers ---------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignTrigger, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignTriggerGridView, CTableDesignNameGridView)
IMPLEMENT_DYNCREATE(CTableDesignTriggerScriptView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignTrigger, CTableDesignPage)
    ON_COMMAND(ID_TW_TD_ADD, OnAdd)
    ON_COMMAND(ID_TW_TD_DELETE, OnDelete)
END_MESSAGE_MAP()

CTableDesignTrigger::CTableDesignTrigger() : CTableDesignPage(IDD_TW_TD_TRIGGERS, IDC_TW_TD_TRIGGERS_BAND) {}

void CTableDesignTrigger::OnInitialUpdate()
{
    CTableDesignPage::OnInitialUpdate();
    UpdateData(FALSE);
}

CRuntimeClass* CTableDesignTrigger::GetListViewClass() const { return RUNTIME_CLASS(CTableDesignTriggerGridView); }
CRuntimeClass* CTableDesignTrigger::GetDetailViewClass() const
{
    return RUNTIME_CLASS(CTableDesignTriggerScriptView);
}

BEGIN_EVENTSINK_MAP(CTableDesignTriggerGridView, CTableDesignNameGridView)
    ON_EVENT(CTableDesignTriggerGridView, IDC_TW_TD_TRIGGER_GRID, 12, OnGridNodeChanged, VTS_DISPATCH VTS_DISPATCH)
END_EVENTSINK_MAP()

BEGIN_MESSAGE_MAP(CTableDesignTriggerGridView, CTableDesignNameGridView)
    ON_COMMAND(ID_TW_TD_ADD, OnAddRow)
    ON_COMMAND(ID_TW_TD_DELETE, OnDeleteRow)
END_MESSAGE_MAP()

CTableDesignTriggerGridView::CTableDesignTriggerGridView()
    : CTableDesignNameGridView(IDD_TW_TD_TRIGGER_GRID, IDC_TW_TD_TRIGGER_GRID, CSize(197, 80), "TriggerNameList",
                               "Trigger List")
{
}

std::vector<CString> CTableDesignTriggerGridView::LoadNames()
{
    std::vector<CString> names;
    SQLDMO::TriggersPtr triggers = m_pMainFrame->m_Table->GetTriggers();
    for (long i = 1; i <= triggers->GetCount(); ++i) {
        m_pMainFrame->m_Trigger = triggers->Item(i);
        names.push_back(TdPageText(m_pMainFrame->m_Trigger->GetName()));
    }
    return names;
}

void CTableDesignTriggerGridView::ShowName(const CString& name)
{
    if (auto* pDetail = TdDetailOf<CTableDesignTriggerScriptView>(this))
        pDetail->ShowTrigger(name);
}

BEGIN_MESSAGE_MAP(CTableDesignTriggerScriptView, CTableDesignPaneView)
    ON_COMMAND(ID_TW_TD_ADD, OnAdd)
    ON_COMMAND(ID_TW_TD_DELETE, OnDelete)
END_MESSAGE_MAP()

CTableDesignTriggerScriptView::CTableDesignTriggerScriptView()
    : CTableDesignPaneView(IDD_TW_TD_TRIGGER_SCRIPT, IDC_TW_TD_SCRIPT)
{
}

void CTableDesignTriggerScriptView::DoDataExchange(CDataExchange* pDX)
{
    CTableDesignPaneView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_TD_SCRIPT, m_wndScript);
    // No length cap: a trigger's whole text shows.
    DDX_Text(pDX, IDC_TW_TD_SCRIPT, m_strScript);
}

void CTableDesignTriggerScriptView::PassToList(UINT nID) { TdPassToPageList(this, nID); }

void CTableDesignTriggerScriptView::ShowTrigger(const CString& name)
{
    if (name.IsEmpty())
        return;
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pFrame == nullptr)
        return;
    try {
        pFrame->m_Trigger = pFrame->m_Table->GetTriggers()->Item((LPCTSTR)name);
        m_strScript = TdPageText(pFrame->m_Trigger->GetText());
    } catch (const _com_error&) {
        // A trigger the table does not have: the shown text stays.
        return;
    }
    UpdateData(FALSE);
}

// --- statistics -------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignStatistics, CTableDesignPage)
IMPLEMENT_DYNCREATE(CTableDesignStatisticsGridView, CTableDesignPaneView)
IMPLEMENT_DYNCREATE(CTableDesignStatisticsPropertyView, CTableDesignPaneView)

BEGIN_MESSAGE_MAP(CTableDesignStatistics, CTableDesignPage)
    ON_COMMAND(ID_TW_TD_ADD, OnNothing)
    ON_COMMAND(ID_TW_TD_DELETE, OnNothing)
    ON_COMMAND(ID_TW_TD_SAVE, OnUpdateStatistics)
END_MESSAGE_MAP()

CTableDesignStatistics::CTableDesignStatistics()
    : CTableDesignPage(IDD_TW_TD_STATISTICS, IDC_TW_TD_STATISTICS_BAND)
{
}

CRuntimeClass* CTableDesignStatistics::GetListViewClass() const
{
    return RUNTIME_CLASS(CTableDesignStatisticsGridView);
}
CRuntimeClass* CTableDesignStatistics::GetDetailViewClass() const
{
    return RUNTIME_CLASS(CTableDesignStatisticsPropertyView);
}

void CTableDesignStatistics::OnUpdateStatistics()
{
    auto* pList = dynamic_cast<CTableDesignStatisticsGridView*>(m_pListView);
    auto* pDetail = dynamic_cast<CTableDesignStatisticsPropertyView*>(m_pDetailView);
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (!m_bPanesCreated || pList == nullptr || pDetail == nullptr || pFrame == nullptr)
        return;
    try {
        if (pList->m_wndGrid.GetCount() == 0) {
            AfxMessageBox("The table has no statistics to update.", MB_OK | MB_ICONINFORMATION);
            return;
        }
        const CString name = pList->m_wndGrid.GetSelection().GetProperty135().GetCellText(0);
        const CString statement = pDetail->BuildStatement(TdQualifiedTable(pFrame), name);
        if (statement.IsEmpty())
            return;
        pFrame->m_Database->ExecuteImmediate((LPCTSTR)statement);
        AfxMessageBox("The statistics " + name + " are updated.", MB_OK | MB_ICONINFORMATION);
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

CTableDesignStatisticsGridView::CTableDesignStatisticsGridView()
    : CTableDesignPaneView(IDD_TW_TD_STATISTICS_GRID, IDC_TW_TD_STATISTICS_GRID)
{
}

BOOL CTableDesignStatisticsGridView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                            const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    return TdCreateGrid(this, m_wndGrid, IDC_TW_TD_STATISTICS_GRID, CRect(0, 0, 253, 85));
}

void CTableDesignStatisticsGridView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    try {
        m_wndGrid.SetDatasetType(1);
        CdxDBGridDataset dataset = m_wndGrid.GetDataset();
        if (dataset.GetRecordCount() > 0)
            return;
        if (m_wndGrid.GetColumns().GetCount() == 0) {
            const char* const columns[2][2] = {{"StatisticsName", "Statistics"}, {"StatisticsColumns", "Columns"}};
            for (const auto& column : columns) {
                dataset.GetFieldDefs().Add(column[0], 3, 400);
                CdxDBGridColumn added = m_wndGrid.GetColumns().Add(0);
                added.SetFieldName(column[0]);
                added.SetName(column[0]);
                added.SetCaption(column[1]);
                added.SetProperty1(0);
                added.SetProperty24(FALSE);
            }
            m_wndGrid.SetKeyField("StatisticsName");
        }
        dataset.DisableControls();
        dataset.Open();
        if (pFrame != nullptr && pFrame->m_Table != nullptr && TdTableFound(this)) {
            CString tableId;
            tableId.Format("%ld", pFrame->m_Table->GetID());
            SQLDMO::_QueryResultsPtr statistics = pFrame->m_Database->ExecuteWithResults(
                (LPCTSTR)("select i.name, i.indid from sysindexes i where i.id = " + tableId +
                          " and i.indid between 1 and 254 order by i.indid"));
            for (long r = 1; r <= statistics->GetRows(); ++r) {
                const CString name = TdPageText(statistics->GetColumnString(r, 1));
                SQLDMO::_QueryResultsPtr keys = pFrame->m_Database->ExecuteWithResults(
                    (LPCTSTR)("select c.name from sysindexkeys k join syscolumns c on c.id = k.id and c.colid = k.colid "
                              "where k.id = " + tableId + " and k.indid = " +
                              TdPageText(statistics->GetColumnString(r, 2)) + " order by k.keyno"));
                CString columns;
                for (long k = 1; k <= keys->GetRows(); ++k)
                    columns += (k > 1 ? ", " : "") + TdPageText(keys->GetColumnString(k, 1));
                TdAppendTexts(dataset, {_variant_t((LPCTSTR)name), _variant_t((LPCTSTR)columns)});
            }
        }
        dataset.EnableControls();
        if (dataset.GetRecordCount() > 0)
            dataset.First();
    } catch (const _com_error& error) {
        TdReportComError(error);
    } catch (CException* pError) {
        TdReportException(pError);
    }
}

BEGIN_MESSAGE_MAP(CTableDesignStatisticsPropertyView, CTableDesignPaneView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTableDesignStatisticsPropertyView::CTableDesignStatisticsPropertyView()
    : CTableDesignPaneView(IDD_TW_TD_STATISTICS_PROPS, 0)
{
}

BOOL CTableDesignStatisticsPropertyView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                                const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CTableDesignPaneView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    return TdCreateGrid(this, m_wndGrid, IDC_TW_TD_STATISTICS_OPTIONS, CRect(0, 0, 309, 102));
}

void CTableDesignStatisticsPropertyView::DoDataExchange(CDataExchange* pDX)
{
    CTableDesignPaneView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_TD_SAMPLE_UNIT, m_wndSampleCombo);
    DDX_Control(pDX, IDC_TW_TD_SAMPLE, m_wndSample);
    DDX_Control(pDX, IDC_TW_TD_NORECOMPUTE, m_wndNoRecompute);
    DDX_Control(pDX, IDC_TW_TD_FULLSCAN, m_wndFullScan);
    DDX_Control(pDX, IDC_TW_TD_SAMPLE_VALUE, m_wndSampleValue);
    DDX_Text(pDX, IDC_TW_TD_SAMPLE_VALUE, m_nSample);
    DDV_MinMaxUInt(pDX, m_nSample, 0, 32567);
}

void CTableDesignStatisticsPropertyView::OnInitialUpdate()
{
    CTableDesignPaneView::OnInitialUpdate();
    if (m_wndSampleCombo.GetCount() == 0) {
        m_wndSampleCombo.AddString("PERCENT");
        m_wndSampleCombo.AddString("ROWS");
        m_wndSampleCombo.SetCurSel(m_wndSampleCombo.FindStringExact(-1, "PERCENT"));
    }
}

CString CTableDesignStatisticsPropertyView::BuildStatement(const CString& table, const CString& name)
{
    if (!UpdateData(TRUE))
        return CString();
    const BOOL fullScan = m_wndFullScan.GetCheck() == BST_CHECKED;
    const BOOL sample = m_wndSample.GetCheck() == BST_CHECKED;
    if (fullScan && sample) {
        AfxMessageBox("Choose either FULLSCAN or SAMPLE.", MB_OK | MB_ICONEXCLAMATION);
        return CString();
    }
    CString unit;
    m_wndSampleCombo.GetWindowText(unit);
    unit.Trim();
    unit.MakeUpper();
    if (sample && (m_nSample == 0 || (unit != "PERCENT" && unit != "ROWS"))) {
        AfxMessageBox("Give the sample size as a number of PERCENT or ROWS above 0.", MB_OK | MB_ICONEXCLAMATION);
        return CString();
    }
    CString options;
    if (fullScan)
        options = "FULLSCAN";
    else if (sample)
        options.Format("SAMPLE %u %s", m_nSample, (LPCTSTR)unit);
    if (m_wndNoRecompute.GetCheck() == BST_CHECKED)
        options += options.IsEmpty() ? "NORECOMPUTE" : ", NORECOMPUTE";
    CString statement = "UPDATE STATISTICS " + table + " " + SqlQuoteName(name);
    if (!options.IsEmpty())
        statement += " WITH " + options;
    return statement;
}

void CTableDesignStatisticsPropertyView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (m_wndGrid.GetSafeHwnd() == nullptr)
        return;
    auto place = [this](UINT id) {
        CRect rect;
        GetDlgItem((int)id)->GetWindowRect(rect);
        ScreenToClient(rect);
        return rect;
    };
    CRect view, grid;
    GetWindowRect(view);
    ScreenToClient(view);
    m_wndGrid.GetWindowRect(grid);
    ScreenToClient(grid);
    const CRect fullScan = place(IDC_TW_TD_FULLSCAN);
    const int bottom = view.bottom - fullScan.Height() - 10;
    m_wndGrid.MoveWindow(grid.left, grid.top, view.right - grid.left, bottom - grid.top, TRUE);
    const CRect line = place(IDC_TW_TD_LINE);
    GetDlgItem(IDC_TW_TD_LINE)->MoveWindow(grid.left, bottom + 5, view.right, line.Height(), TRUE);
    for (UINT id : {IDC_TW_TD_FULLSCAN, IDC_TW_TD_SAMPLE, IDC_TW_TD_SAMPLE_VALUE, IDC_TW_TD_SAMPLE_UNIT,
                    IDC_TW_TD_NORECOMPUTE}) {
        const CRect rect = place(id);
        GetDlgItem((int)id)->MoveWindow(rect.left, bottom + 10, rect.Width(), rect.Height(), TRUE);
    }
}

// --- properties ----------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignProperty, CFormView)

CTableDesignProperty::CTableDesignProperty() : CFormView(IDD_TW_TD_PROPERTIES) {}

void CTableDesignProperty::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pFrame == nullptr || pFrame->m_Table == nullptr || !TdTableFound(this))
        return;
    auto* owners = static_cast<CComboBox*>(GetDlgItem(IDC_TW_TD_TABLE_OWNER));
    auto* checks = static_cast<CComboBox*>(GetDlgItem(IDC_TW_TD_TABLE_CHECK));
    auto* groups = static_cast<CComboBox*>(GetDlgItem(IDC_TW_TD_TABLE_FILEGROUP));
    auto* textGroups = static_cast<CComboBox*>(GetDlgItem(IDC_TW_TD_TABLE_TEXTFILEGROUP));
    try {
        const CString name = TdPageText(pFrame->m_Table->GetName());
        const CString owner = TdPageText(pFrame->m_Table->GetOwner());
        SetDlgItemText(IDC_TW_TD_TABLE_NAME, name);
        SetDlgItemText(IDC_TW_TD_TABLE_DESCRIPTION,
                       TdAsk(pFrame, "select cast(value as nvarchar(4000)) from ::fn_listextendedproperty('MS_Description', "
                                     "'user', " + SqlQuoteLiteral(owner) + ", 'table', " + SqlQuoteLiteral(name) +
                                     ", NULL, NULL)"));
        owners->ResetContent();
        SQLDMO::UsersPtr users = pFrame->m_Database->GetUsers();
        for (long i = 1; i <= users->GetCount(); ++i) {
            pFrame->m_User = users->Item(i);
            owners->AddString(TdPageText(pFrame->m_User->GetName()));
        }
        owners->SetCurSel(owners->FindStringExact(-1, owner));
        checks->ResetContent();
        SQLDMO::ChecksPtr tableChecks = pFrame->m_Table->GetChecks();
        for (long i = 1; i <= tableChecks->GetCount(); ++i)
            checks->AddString(TdPageText(tableChecks->Item(i)->GetName()));
        if (checks->GetCount() > 0)
            checks->SetCurSel(0);
        groups->ResetContent();
        textGroups->ResetContent();
        SQLDMO::_QueryResultsPtr fileGroups =
            pFrame->m_Database->ExecuteWithResults("select groupname from sysfilegroups");
        for (long r = 1; r <= fileGroups->GetRows(); ++r) {
            groups->AddString(TdPageText(fileGroups->GetColumnString(r, 1)));
            textGroups->AddString(TdPageText(fileGroups->GetColumnString(r, 1)));
        }
        groups->SetCurSel(groups->FindStringExact(-1, "PRIMARY"));
        textGroups->SetCurSel(textGroups->FindStringExact(-1, "PRIMARY"));
    } catch (const _com_error& error) {
        TdReportComError(error);
    }
    // The form shows the table; the designer applies column definitions only.
    for (UINT id : {IDC_TW_TD_TABLE_OWNER, IDC_TW_TD_TABLE_CHECK, IDC_TW_TD_TABLE_FILEGROUP,
                    IDC_TW_TD_TABLE_TEXTFILEGROUP})
        if (CWnd* box = GetDlgItem((int)id))
            if (CWnd* entry = box->GetWindow(GW_CHILD))
                entry->SendMessage(EM_SETREADONLY, TRUE, 0);
}

// --- SQL text -------------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTableDesignSQLText, CFormView)

BEGIN_MESSAGE_MAP(CTableDesignSQLText, CFormView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CTableDesignSQLText::CTableDesignSQLText() : CFormView(IDD_TW_TD_SQLTEXT) {}

void CTableDesignSQLText::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (!m_bEditorReady) {
        CRect frame;
        if (CWnd* pFrame = GetDlgItem(IDC_TW_TD_SQLTEXT_FRAME)) {
            pFrame->GetWindowRect(frame);
            ScreenToClient(frame);
        }
        if (m_wndEditor.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, frame, this, IDC_TW_TD_SQLTEXT_FRAME + 1)) {
            m_wndEditor.LoadXMLSettings(SQLED_SETTINGS_FILE);
            m_wndEditor.m_bReadOnly = TRUE;
            m_bEditorReady = TRUE;
            CRect client;
            GetClientRect(client);
            OnSize(SIZE_RESTORED, client.Width(), client.Height());
        }
    }
    auto* pFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    m_strTableScript.Empty();
    if (pFrame != nullptr && pFrame->m_Table != nullptr && TdTableFound(this)) {
        try {
            m_strTableScript = TdPageText(pFrame->m_Table->Script());
        } catch (const _com_error& error) {
            TdReportComError(error);
        }
    }
    ShowChanges(CString());
}

void CTableDesignSQLText::ShowChanges(const CString& changes)
{
    if (!m_bEditorReady)
        return;
    CString text = m_strTableScript;
    if (!changes.IsEmpty())
        text += "\r\n-- Changes not saved yet\r\n" + changes;
    m_wndEditor.m_bReadOnly = FALSE;
    m_wndEditor.SetText(text);
    m_wndEditor.m_bReadOnly = TRUE;
}

void CTableDesignSQLText::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    if (!m_bEditorReady)
        return;
    CRect client;
    GetClientRect(client);
    if (CWnd* pFrame = GetDlgItem(IDC_TW_TD_SQLTEXT_FRAME))
        pFrame->MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    m_wndEditor.MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
}
