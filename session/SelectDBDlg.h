// Query/Select Database: the server's databases with their id, status,
// compatibility level, creation date and primary file, the current one
// highlighted, and below them a three-tab report on the selected database.
// OK moves the query window to the chosen database as a choice in the
// database box does.
#pragma once

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CStatic.h"
#include "session/ColorListCtrl.h"
#include "session/SessionIds.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/frames/KtvPDialog.h"

class CChildFrame;
class CMainFrame;

class CSelectDatabaseDlg : public CKtvPDialog {
public:
    enum { IDD = IDD_TW_SELECT_DATABASE };
    // Columns of the database list.
    enum { COL_NAME, COL_ID, COL_STATUS, COL_LEVEL, COL_CREATED, COL_FILE };
    static constexpr COLORREF kCurrentText = RGB(255, 0, 255);
    static constexpr COLORREF kCurrentBack = RGB(192, 220, 192);

    explicit CSelectDatabaseDlg(CWnd* pParent = nullptr);
    ~CSelectDatabaseDlg() override;

    CStatic m_wndReportFrame;
    CColorListCtrl m_wndDBList;
    CKtvPTabWnd m_wndReportTabs;
    CListCtrl m_wndSummary;
    CListCtrl m_wndProperties;
    CListCtrl m_wndIOStatistic;
    ADODB::_RecordsetPtr m_pRecordset;
    ADODB::_RecordsetPtr m_pStatusRecordset;
    CMainFrame* m_pMainFrame = nullptr;
    // The window OK moves; null leaves only the database box to follow.
    CChildFrame* m_pQueryWindow = nullptr;

    // Fills the list from the server; FALSE after a failure (said in a message box).
    BOOL ListDatabases();
    // The report on the selected row, in the three tabs.
    void BuildReport();
    // Rows 7 to 9 of the summary cut from the database's memory-usage text.
    static void SplitMemoryUsage(const CString& strText, CString& strCacheTop, CString& strPageCount,
                                 CString& strDirtyCount);
    // The name of the server the list shows.
    CString ListedServerName();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancelButton();
    void OnRefresh();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void CreateReportArea();
    void HighlightCurrentDatabase();
    // Runs the statement on the named database's object and copies its results into the recordset.
    void QueryInto(LPCTSTR lpszDatabase, const CString& strStatement, ADODB::_RecordsetPtr& rs);
    void ReportSummary(const CString& strName);
    void ReportProperties(const CString& strName);
    void ReportIOStatistic(const CString& strName, const CString& strId);
    CString SelectedText(int nColumn) const;
};
