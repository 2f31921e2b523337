#include "session/SelectDBDlg.h"

#include "app/MainFrame.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "session/ChildFrame.h"
#include "session/DBReportText.h"
#include "sqleditor/SqlNames.h"

BEGIN_MESSAGE_MAP(CSelectDatabaseDlg, CKtvPDialog)
    ON_BN_CLICKED(IDC_TW_SELECTDB_OK, OnOK)
    ON_BN_CLICKED(IDC_TW_SELECTDB_CANCEL, OnCancelButton)
    ON_BN_CLICKED(IDC_TW_SELECTDB_REFRESH, OnRefresh)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TW_SELECTDB_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_TW_SELECTDB_LIST, OnDoubleClick)
END_MESSAGE_MAP()

namespace {

struct SelectDbColumn {
    const char* heading;
    int format;
    int width;
};

const SelectDbColumn kSelectDbColumns[] = {
    {"DB Name", LVCFMT_LEFT, 80},         {"DB ID", LVCFMT_CENTER, 70},       {"Status", LVCFMT_CENTER, 80},
    {"Compatible Level", LVCFMT_CENTER, 120}, {"Create Date", LVCFMT_LEFT, 130}, {"Master File Name", LVCFMT_LEFT, 300},
};

// The listing's fields that go to columns 1, 3, 4 and 5 (the status has a query of its own).
const std::pair<const char*, int> kSelectDbFields[] = {
    {"dbid", CSelectDatabaseDlg::COL_ID},
    {"cmptlevel", CSelectDatabaseDlg::COL_LEVEL},
    {"crdate", CSelectDatabaseDlg::COL_CREATED},
    {"filename", CSelectDatabaseDlg::COL_FILE},
};

constexpr const char* kSelectDbListing = "Select name,dbid,crdate,cmptlevel,filename from sysdatabases";

// The box shows names with a blank in brackets; the list shows them bare.
CString SelectDbBareName(const CString& strBoxText)
{
    CString bare(strBoxText);
    if (bare.GetLength() >= 2 && bare[0] == '[' && bare[bare.GetLength() - 1] == ']')
        bare = bare.Mid(1, bare.GetLength() - 2);
    return bare;
}

}  // namespace

CSelectDatabaseDlg::CSelectDatabaseDlg(CWnd* pParent) : CKtvPDialog(IDD, pParent) {}

CSelectDatabaseDlg::~CSelectDatabaseDlg()
{
    m_pRecordset = nullptr;
    m_pStatusRecordset = nullptr;
}

void CSelectDatabaseDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_SELECTDB_REPORT_FRAME, m_wndReportFrame);
    DDX_Control(pDX, IDC_TW_SELECTDB_LIST, m_wndDBList);
}

CString CSelectDatabaseDlg::ListedServerName()
{
    try {
        if (m_pMainFrame != nullptr && m_pMainFrame->m_SQLServer != nullptr)
            return static_cast<const char*>(m_pMainFrame->m_SQLServer->GetName());
    } catch (const _com_error&) {
    }
    return CString();
}

BOOL CSelectDatabaseDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();
    m_pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    const CString server = ListedServerName();
    if (!server.IsEmpty())
        SetWindowText("Select database - " + server);
    int nColumn = 0;
    for (const SelectDbColumn& column : kSelectDbColumns)
        m_wndDBList.InsertColumn(nColumn++, column.heading, column.format, column.width);
    m_pRecordset.CreateInstance("ADODB.Recordset");
    m_pStatusRecordset.CreateInstance("ADODB.Recordset");
    ListDatabases();

    m_wndDBList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_wndDBList.SetSortColumn(0, TRUE);
    m_wndDBList.RemoveSortColumn(1);
    m_wndDBList.EnableMarkSortedColumn(TRUE, TRUE);
    CreateReportArea();
    HighlightCurrentDatabase();
    Invalidate(FALSE);
    return TRUE;
}

void CSelectDatabaseDlg::QueryInto(LPCTSTR lpszDatabase, const CString& strStatement, ADODB::_RecordsetPtr& rs)
{
    m_pMainFrame->m_Database = m_pMainFrame->m_SQLServer->GetDatabases()->Item(_variant_t(lpszDatabase));
    m_pMainFrame->m_QueryResults = m_pMainFrame->m_Database->ExecuteWithResults(static_cast<LPCTSTR>(strStatement));
    // A fresh recordset each time: the copy appends its fields to what it is given.
    rs = nullptr;
    rs.CreateInstance("ADODB.Recordset");
    m_pMainFrame->QueryResultsToRecordset(m_pMainFrame->m_QueryResults, rs);
}

BOOL CSelectDatabaseDlg::ListDatabases()
{
    if (m_pMainFrame == nullptr || m_pMainFrame->m_SQLServer == nullptr) {
        AfxMessageBox("No server is connected: open a query window first.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    try {
        QueryInto("master", kSelectDbListing, m_pRecordset);
        if (m_pRecordset->GetState() != ADODB::adStateOpen)
            return FALSE;
        if (!m_pRecordset->GetEOF())
            m_pRecordset->MoveFirst();
        for (long i = 0; i < m_pRecordset->GetRecordCount(); ++i, m_pRecordset->MoveNext()) {
            const CString name = ReportFieldText(m_pRecordset, "name");
            if (name.IsEmpty())
                continue;
            const int nRow = m_wndDBList.InsertItem(m_wndDBList.GetItemCount(), name);
            m_wndDBList.SetItemData(nRow, static_cast<DWORD_PTR>(i));
            for (const auto& [field, column] : kSelectDbFields) {
                const CString text = ReportFieldText(m_pRecordset, field);
                if (!text.IsEmpty())
                    m_wndDBList.SetItemText(nRow, column, text);
            }
            QueryInto("master", "Select DATABASEPROPERTYEX(" + SqlQuoteLiteral(name) + ",'Status') as Status",
                      m_pStatusRecordset);
            if (m_pStatusRecordset->GetState() == ADODB::adStateOpen && m_pStatusRecordset->GetRecordCount() > 0) {
                m_pStatusRecordset->MoveFirst();
                m_wndDBList.SetItemText(nRow, COL_STATUS, ReportFieldText(m_pStatusRecordset, "Status"));
            }
            if (m_pStatusRecordset->GetState() == ADODB::adStateOpen)
                m_pStatusRecordset->Close();
        }
        m_pRecordset->Close();
        return TRUE;
    } catch (const _com_error& error) {
        AfxMessageBox(ReportErrorText(error), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
}

void CSelectDatabaseDlg::HighlightCurrentDatabase()
{
    CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
    if (pBox == nullptr || pBox->GetItem(-1) == nullptr)
        return;
    const CString current = SelectDbBareName(pBox->GetItem(-1));
    if (current.IsEmpty())
        return;
    for (int nRow = 0; nRow < m_wndDBList.GetItemCount(); ++nRow) {
        const CString name = m_wndDBList.GetItemText(nRow, COL_NAME);
        if (name.Left(current.GetLength()).CompareNoCase(current) != 0)
            continue;
        for (int nColumn = COL_NAME; nColumn <= COL_FILE; ++nColumn)
            m_wndDBList.SetCellColors(nRow, nColumn, kCurrentText, kCurrentBack);
        m_wndDBList.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_wndDBList.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_wndDBList.EnsureVisible(nRow, FALSE);
        return;
    }
}

CString CSelectDatabaseDlg::SelectedText(int nColumn) const
{
    const int nRow = m_wndDBList.GetNextItem(-1, LVNI_SELECTED);
    return nRow < 0 ? CString() : m_wndDBList.GetItemText(nRow, nColumn);
}

void CSelectDatabaseDlg::OnOK()
{
    const CString name = SelectedText(COL_NAME);
    if (name.IsEmpty()) {
        AfxMessageBox("Select database,please!");
        return;
    }
    if (SelectedText(COL_STATUS) != "ONLINE") {
        AfxMessageBox("This database isn't online.");
        return;
    }
    if (m_pQueryWindow == nullptr || !::IsWindow(m_pQueryWindow->GetSafeHwnd())) {
        // No window to move: the box alone follows the choice.
        if (CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo())
            pBox->SelectItemByText(name.Find(' ') >= 0 ? "[" + name + "]" : name);
        EndDialog(IDOK);
        return;
    }
    const CString server = ListedServerName();
    if (!server.IsEmpty() && server.CompareNoCase(m_pQueryWindow->m_strDataSource) != 0) {
        CString message;
        message.Format("The databases listed are those of %s, but the query window is connected to %s. "
                       "The window's database is not changed.",
                       static_cast<LPCTSTR>(server), static_cast<LPCTSTR>(m_pQueryWindow->m_strDataSource));
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString error;
    if (!m_pQueryWindow->SwitchToDatabase(name, error)) {
        AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(IDOK);
}

void CSelectDatabaseDlg::OnCancelButton() { EndDialog(IDCANCEL); }

void CSelectDatabaseDlg::OnRefresh()
{
    m_wndDBList.DeleteAllItems();
    ListDatabases();
}

void CSelectDatabaseDlg::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    BuildReport();
    *pResult = 0;
}

void CSelectDatabaseDlg::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}
