// The select-database dialog's report on the selected database: the
// summary, the database properties and the file input/output totals.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "app/MainFrame.h"
#include "platform/mfc/CWinApp.h"
#include "session/DBReportText.h"
#include "session/FetchThreads.h"
#include "session/SelectDBDlg.h"
#include "sqleditor/SqlNames.h"

namespace {

// The report's tabs: control id, label and the widths of its two columns.
struct ReportTab {
    UINT id;
    const char* label;
    int optionsWidth;
    int valueWidth;
};

const ReportTab kReportTabs[] = {{1, "Summary", 160, 140}, {2, "Properties", 180, 120}, {3, "I/O Statistic", 120, 120}};

// The property rows: alias and label; kind 0 text, 1 flag, 2 number.
struct ReportProperty {
    const char* alias;
    const char* label;
    int kind;
};

const ReportProperty kReportProperties[] = {
    {"Collation", "Collation:", 0},
    {"IsAnsiNullDefault", "IsAnsiNullDefault:", 1},
    {"IsAnsiNullsEnabled", "IsAnsiNullsEnabled:", 1},
    {"IsAnsiPaddingEnabled", "IsAnsiPaddingEnabled:", 1},
    {"IsAnsiWarningsEnabled", "IsAnsiWarningsEnabled:", 1},
    {"IsArithmeticAbortEnabled", "IsArithmeticAbortEnabled:", 1},
    {"IsAutoClose", "IsAutoClose:", 1},
    {"IsAutoCreateStatistics", "IsAutoCreateStatistics:", 1},
    {"IsAutoShrink", "IsAutoShrink:", 1},
    {"IsAutoUpdateStatistics", "IsAutoUpdateStatistics:", 1},
    {"IsCloseCursorsOnCommitEnabled", "IsCloseCursorsOnCommitEnabled:", 1},
    {"IsFulltextEnabled", "IsFulltextEnabled:", 1},
    {"IsInStandBy", "IsInStandBy:", 1},
    {"IsLocalCursorsDefault", "IsLocalCursorsDefault:", 1},
    {"IsMergePublished", "IsMergePublished:", 1},
    {"IsNullConcat", "IsNullConcat:", 1},
    {"IsNumericRoundAbortEnabled", "IsNumericRoundAbortEnabled:", 1},
    {"IsQuotedIdentifiersEnabled", "IsQuotedIdentifiersEnabled:", 1},
    {"IsRecursiveTriggersEnabled", "IsRecursiveTriggersEnabled:", 1},
    {"IsSubscribed", "IsSubscribed:", 1},
    {"IsTornPageDetectionEnabled", "IsTornPageDetectionEnabled:", 1},
    {"Recovery", "Recovery:", 0},
    {"SQLSortOrder", "Sort Order:", 2},
    {"Status", "Status:", 0},
    {"Updateability", "Update ability:", 0},
    {"UserAccess", "UserAccess:", 0},
};

const char* const kReportIOFields[] = {"NumberReads", "NumberWrites", "BytesRead", "BytesWritten", "IoStallMS"};
const char* const kReportIOLabels[] = {"I/O Read Number:", "I/O Write Number:", "I/O Read Bytes:",
                                       "I/O Written Bytes:", "I/O Waitor Time(ms):"};

void AddReportRow(CListCtrl& list, LPCTSTR lpszLabel, const CString& strValue)
{
    const int nRow = list.InsertItem(list.GetItemCount(), lpszLabel);
    list.SetItemText(nRow, 1, strValue);
}

// Characters [start, start + count) of the text; a negative start or count
// counts as 0 and the range stops at the end.
CString ReportCut(const CString& text, int nStart, int nCount = INT_MAX)
{
    const int nLength = text.GetLength();
    nStart = std::max(nStart, 0);
    nCount = std::max(nCount, 0);
    if (nStart >= nLength)
        return CString();
    return text.Mid(nStart, std::min(nCount, nLength - nStart));
}

}  // namespace

CString ReportFieldText(const ADODB::_RecordsetPtr& rs, LPCTSTR lpszField)
{
    const _variant_t value = rs->GetFields()->GetItem(_variant_t(lpszField))->GetValue();
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return static_cast<const char*>(_bstr_t(value));
}

CString ReportErrorText(const _com_error& error)
{
    const _bstr_t description = error.Description();
    if (description.length() > 0)
        return static_cast<const char*>(description);
    return ComErrorText(error);
}

CString ReportFlagText(const CString& strValue)
{
    if (strValue.IsEmpty())
        return "Null";
    return std::atol(strValue) == 1 ? "True" : "False";
}

CString ReportNumberText(const CString& strValue)
{
    if (strValue.IsEmpty())
        return "Null";
    CString text;
    text.Format("%ld", std::atol(strValue));
    return text;
}

void CSelectDatabaseDlg::SplitMemoryUsage(const CString& strText, CString& strCacheTop, CString& strPageCount,
                                          CString& strDirtyCount)
{
    CString text(strText);
    text.Replace("\r", "");
    text.Replace("\n", "");
    text.Replace("[Microsoft][ODBC SQL Server Driver][SQL Server]", "");
    text.Trim(' ');
    const int nPages = text.Find("Total Buffer Pool Page Count");
    const int nDirty = text.Find("Total Buffer Pool Dirty Count");
    strCacheTop = ReportCut(text, 17, nPages - 17);
    strPageCount = ReportCut(text, nPages + 32, nDirty - nPages - 32);
    strDirtyCount = ReportCut(text, nDirty + 32);
}

void CSelectDatabaseDlg::CreateReportArea()
{
    CRect rect;
    m_wndReportFrame.GetWindowRect(rect);
    ScreenToClient(rect);
    m_wndReportTabs.Create(CKtvPTabWnd::TABSTYLE_SLANTED, rect, this, 1, CKtvPTabWnd::LOCATION_TOP, FALSE);
    m_wndReportTabs.EnableAutoColor(TRUE);
    CArray<COLORREF, COLORREF> colors;
    colors.Add(RGB(234, 142, 117));
    colors.Add(RGB(190, 218, 153));
    colors.Add(RGB(102, 200, 238));
    m_wndReportTabs.SetAutoColors(colors);
    CListCtrl* lists[] = {&m_wndSummary, &m_wndProperties, &m_wndIOStatistic};
    for (int i = 0; i < 3; ++i) {
        const ReportTab& tab = kReportTabs[i];
        CListCtrl& list = *lists[i];
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(0, 0, 0, 0), &m_wndReportTabs, tab.id);
        list.InsertColumn(0, "Options", LVCFMT_LEFT, tab.optionsWidth);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, tab.valueWidth);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_LABELTIP);
        m_wndReportTabs.AddTab(&list, tab.label, static_cast<UINT>(-1), FALSE);
    }
}

void CSelectDatabaseDlg::BuildReport()
{
    if (m_wndSummary.GetSafeHwnd() == nullptr)
        return;
    const CString name = SelectedText(COL_NAME);
    if (name.IsEmpty())
        return;
    m_wndSummary.DeleteAllItems();
    m_wndProperties.DeleteAllItems();
    m_wndIOStatistic.DeleteAllItems();
    if (SelectedText(COL_STATUS) != "ONLINE" || m_pMainFrame == nullptr || m_pMainFrame->m_SQLServer == nullptr)
        return;
    try {
        ReportSummary(name);
        ReportProperties(name);
        ReportIOStatistic(name, SelectedText(COL_ID));
    } catch (const _com_error& error) {
        AfxMessageBox(ReportErrorText(error), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CSelectDatabaseDlg::ReportSummary(const CString& strName)
{
    SQLDMO::_DatabasePtr& database = m_pMainFrame->m_Database;
    database = m_pMainFrame->m_SQLServer->GetDatabases()->Item(_variant_t(static_cast<LPCTSTR>(strName)));
    CString value;
    AddReportRow(m_wndSummary, "Owner:", static_cast<const char*>(database->GetOwner()));
    AddReportRow(m_wndSummary, "Create date:", static_cast<const char*>(database->GetCreateDate()));
    value.Format("%d(MB)", static_cast<int>(database->GetSize()));
    AddReportRow(m_wndSummary, "Size:", value);
    value.Format("%d", static_cast<int>(database->GetVersion()));
    AddReportRow(m_wndSummary, "Version:", value);
    value.Format("%f(KB)", static_cast<double>(database->GetDataSpaceUsage()));
    AddReportRow(m_wndSummary, "Data used space:", value);
    value.Format("%f(KB)", static_cast<double>(database->GetIndexSpaceUsage()));
    AddReportRow(m_wndSummary, "Index used space:", value);
    value.Format("%d(KB)", static_cast<int>(database->GetSpaceAvailable()));
    AddReportRow(m_wndSummary, "Available space:", value);
    CString cacheTop, pageCount, dirtyCount;
    SplitMemoryUsage(static_cast<const char*>(database->GetMemoryUsage()), cacheTop, pageCount, dirtyCount);
    AddReportRow(m_wndSummary, "Buffer Cache Top:", cacheTop);
    AddReportRow(m_wndSummary, "Total Buffer Pool Page Count:", pageCount);
    AddReportRow(m_wndSummary, "Total Buffer Pool Dirty Count:", dirtyCount);
}

void CSelectDatabaseDlg::ReportProperties(const CString& strName)
{
    const CString literal = SqlQuoteLiteral(strName);
    CString statement = "Select ";
    for (const ReportProperty& property : kReportProperties) {
        if (property.alias != kReportProperties[0].alias)
            statement += ",";
        statement += "DATABASEPROPERTYEX(" + literal + ",'" + property.alias + "') as " + property.alias;
    }
    QueryInto("master", statement, m_pRecordset);
    if (m_pRecordset->GetState() != ADODB::adStateOpen)
        return;
    if (m_pRecordset->GetRecordCount() > 0) {
        m_pRecordset->MoveFirst();
        for (const ReportProperty& property : kReportProperties) {
            const CString text = ReportFieldText(m_pRecordset, property.alias);
            AddReportRow(m_wndProperties, property.label,
                         property.kind == 1 ? ReportFlagText(text) : property.kind == 2 ? ReportNumberText(text) : text);
        }
    }
    m_pRecordset->Close();
}

void CSelectDatabaseDlg::ReportIOStatistic(const CString& strName, const CString& strId)
{
    QueryInto(strName, "Select fileid From SysFiles", m_pRecordset);
    if (m_pRecordset->GetState() != ADODB::adStateOpen)
        return;
    long long sums[5] = {};
    // The id is the server's number; read as one, so nothing else reaches the statement.
    const long long databaseId = std::atoll(strId);
    if (m_pRecordset->GetRecordCount() > 0)
        m_pRecordset->MoveFirst();
    for (long i = 0; i < m_pRecordset->GetRecordCount(); ++i, m_pRecordset->MoveNext()) {
        const long long fileId = std::atoll(ReportFieldText(m_pRecordset, "fileid"));
        CString statement;
        statement.Format("Select NumberReads,NumberWrites,BytesRead,BytesWritten,IoStallMS "
                         "From ::fn_virtualfilestats(%lld,%lld)",
                         databaseId, fileId);
        QueryInto("master", statement, m_pStatusRecordset);
        if (m_pStatusRecordset->GetState() != ADODB::adStateOpen)
            continue;
        if (m_pStatusRecordset->GetRecordCount() > 0) {
            m_pStatusRecordset->MoveFirst();
            for (int k = 0; k < 5; ++k)
                sums[k] += std::atoll(ReportFieldText(m_pStatusRecordset, kReportIOFields[k]));
        }
        m_pStatusRecordset->Close();
    }
    m_pRecordset->Close();
    for (int k = 0; k < 5; ++k) {
        CString value;
        value.Format("%lld", sums[k]);
        AddReportRow(m_wndIOStatistic, kReportIOLabels[k], value);
    }
}
