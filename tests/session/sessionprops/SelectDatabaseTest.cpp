// Query/Select Database: the server's databases listed with their own facts,
// the current one highlighted and selected, OK moving the query window to the
// chosen database, the refusals, Refresh, and the three-tab report.
#include <string>
#include <utility>
#include <vector>

#include "platform/dmo/DmoInterfaces.h"
#include "session/SelectDBDlg.h"
#include "tests/session/sessionprops/SessionPropsFixture.h"

namespace {

using sessionprops::SessionWindowTest;

constexpr UINT kSelectDatabaseCommand = 32854;
using ReportRows = std::vector<std::pair<std::string, std::string>>;

class SelectDatabaseTest : public SessionWindowTest {
protected:
    void SetUp() override
    {
        SessionWindowTest::SetUp();
        // Databases made once per process: the embedded server keeps them for the run.
        static bool made = false;
        if (!made) {
            RunOnMaster("CREATE DATABASE SelOther");
            RunOnMaster("CREATE DATABASE SelAside");
            RunOnMaster("ALTER DATABASE SelAside SET OFFLINE");
            made = true;
        }
        // The server-management login the logon road makes with the window's connect.
        ASSERT_NE(nullptr, frame->m_SQLServer);
        frame->m_SQLServer->PutLoginSecure(VARIANT_TRUE);
        frame->m_SQLServer->Connect("(embedded)", "", "");
    }
    void TearDown() override
    {
        if (frame != nullptr && frame->m_SQLServer != nullptr)
            frame->m_SQLServer->DisConnect();
        SessionWindowTest::TearDown();
    }
    static void RunOnMaster(const char* statement)
    {
        ADODB::_ConnectionPtr connection("ADODB.Connection");
        connection->Open("Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=master;Data Source=(embedded)",
                         "", "", ADODB::adConnectUnspecified);
        connection->Execute(statement, nullptr, ADODB::adCmdText | ADODB::adExecuteNoRecords);
        connection->Close();
    }
    // Query/Select Database from the main window, as the menu sends it to the active window.
    void OpenSelectDatabase(std::function<void(CSelectDatabaseDlg*)> step)
    {
        RunDialogOf<CSelectDatabaseDlg>(kSelectDatabaseCommand, std::move(step));
    }
    static int RowOf(CSelectDatabaseDlg* pDlg, const std::string& name)
    {
        for (int i = 0; i < pDlg->m_wndDBList.GetItemCount(); ++i)
            if (name == static_cast<const char*>(pDlg->m_wndDBList.GetItemText(i, 0)))
                return i;
        return -1;
    }
    static std::string Cell(CSelectDatabaseDlg* pDlg, const std::string& name, int column)
    {
        const int row = RowOf(pDlg, name);
        return row < 0 ? "<no row>" : static_cast<const char*>(pDlg->m_wndDBList.GetItemText(row, column));
    }
    static int SelectedRow(CSelectDatabaseDlg* pDlg) { return pDlg->m_wndDBList.GetNextItem(-1, LVNI_SELECTED); }
    // The row clicked as the user does.
    void ClickRow(CSelectDatabaseDlg* pDlg, const std::string& name)
    {
        const int row = RowOf(pDlg, name);
        ASSERT_GE(row, 0) << name;
        pDlg->m_wndDBList.EnsureVisible(row, FALSE);
        CRect rect;
        pDlg->m_wndDBList.GetItemRect(row, rect, LVIR_LABEL);
        Click(pDlg->m_wndDBList.GetSafeHwnd(), rect.left + 5, rect.CenterPoint().y);
        Pump();
        ASSERT_EQ(row, SelectedRow(pDlg)) << name;
    }
    static ReportRows Rows(CListCtrl& list)
    {
        ReportRows rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.emplace_back(static_cast<const char*>(list.GetItemText(i, 0)),
                              static_cast<const char*>(list.GetItemText(i, 1)));
        return rows;
    }
    static std::string Value(const ReportRows& rows, const std::string& label)
    {
        for (const auto& [l, v] : rows)
            if (l == label)
                return v;
        return "<no row>";
    }
    std::string BoxText()
    {
        CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
        return pBox != nullptr && pBox->GetItem(-1) != nullptr ? pBox->GetItem(-1) : "";
    }
};

TEST_F(SelectDatabaseTest, ListsEveryDatabaseWithItsOwnFactsAndHighlightsTheCurrentOne)
{
    ASSERT_EQ("TarnSample", BoxText());
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        char caption[128] = {};
        ::GetWindowText(pDlg->GetSafeHwnd(), caption, sizeof caption);
        EXPECT_EQ("Select database - " + std::string(pDlg->ListedServerName()), caption);
        for (const char* name : {"master", "TarnSample", "SelOther", "SelAside"}) {
            SCOPED_TRACE(name);
            // Each row's id is its own database's, whatever order the list sorted them in.
            EXPECT_EQ(ScalarOn(window, std::string("select db_id('") + name + "')"),
                      Cell(pDlg, name, CSelectDatabaseDlg::COL_ID));
            EXPECT_EQ(ScalarOn(window, std::string("select cmptlevel from master..sysdatabases where name = '") +
                                           name + "'"),
                      Cell(pDlg, name, CSelectDatabaseDlg::COL_LEVEL));
            EXPECT_FALSE(Cell(pDlg, name, CSelectDatabaseDlg::COL_CREATED).empty());
        }
        EXPECT_EQ("ONLINE", Cell(pDlg, "TarnSample", CSelectDatabaseDlg::COL_STATUS));
        EXPECT_EQ("OFFLINE", Cell(pDlg, "SelAside", CSelectDatabaseDlg::COL_STATUS));
        EXPECT_EQ(ScalarOn(window, "select filename from master..sysdatabases where name = 'SelOther'"),
                  Cell(pDlg, "SelOther", CSelectDatabaseDlg::COL_FILE));

        // The box's database: selected, its six cells in the highlight colours, nothing else coloured.
        const int current = RowOf(pDlg, "TarnSample");
        EXPECT_EQ(current, SelectedRow(pDlg));
        CColorListCtrl& list = pDlg->m_wndDBList;
        EXPECT_EQ(6, list.GetCellColorCount());
        for (int column = 0; column < 6; ++column) {
            EXPECT_EQ(CSelectDatabaseDlg::kCurrentText, list.OnGetCellTextColor(current, column));
            EXPECT_EQ(CSelectDatabaseDlg::kCurrentBack, list.OnGetCellBkColor(current, column));
        }
        EXPECT_EQ(list.GetBkColor(), list.OnGetCellBkColor(RowOf(pDlg, "master"), 0));
        // The report shows the selected database.
        EXPECT_EQ("ONLINE", Value(Rows(pDlg->m_wndProperties), "Status:"));
    });
}

TEST_F(SelectDatabaseTest, AChoiceInTheDatabaseBoxSwitchesWithoutOpeningTheDialog)
{
    CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
    ASSERT_NE(pBox, nullptr);
    window->FillDatabaseCombo();  // the databases made after the window opened
    int index = -1;
    for (int i = 0; i < pBox->GetCount(); ++i)
        if (std::string(pBox->GetItem(i)) == "SelOther")
            index = i;
    ASSERT_GE(index, 0) << "the box lists the database";
    pBox->SelectItem(index, FALSE);
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(kSelectDatabaseCommand, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(pBox->m_pWndCombo->GetSafeHwnd()));
    Pump();
    EXPECT_EQ(0, dialogsRun);
    EXPECT_EQ("SelOther", ScalarOn(window, "select db_name()"));
}

TEST_F(SelectDatabaseTest, OkMovesTheWindowToTheChosenDatabaseAsTheBoxDoes)
{
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        ClickRow(pDlg, "SelOther");
        PressButton(pDlg->GetSafeHwnd(), IDC_TW_SELECTDB_OK);
    });
    EXPECT_TRUE(dialogClosedByItself);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ("SelOther", ScalarOn(window, "select db_name()"));
    EXPECT_EQ("SelOther", std::string(window->m_strCurrentDatabase));
    EXPECT_EQ("SelOther", BoxText());
    // A batch run next runs there.
    RunBatch(window, "select db_name()");
    const std::vector<CVelQryResultGridView*> grids = ResultGrids(window);
    ASSERT_FALSE(grids.empty());
    EXPECT_EQ("SelOther", Cells(grids[0]).at(0).at(0));

    // A double click on a row is OK too.
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        const int row = RowOf(pDlg, "master");
        CRect rect;
        pDlg->m_wndDBList.GetItemRect(row, rect, LVIR_LABEL);
        DoubleClick(pDlg->m_wndDBList.GetSafeHwnd(), rect.left + 5, rect.CenterPoint().y);
        Pump();
    });
    EXPECT_EQ("master", ScalarOn(window, "select db_name()"));
}

struct RefusalCase {
    const char* name;
    const char* row;  // the row selected, or null for none
    bool windowElsewhere;
    const char* message;  // the message, or the start of it
};

class SelectDatabaseRefusalTest : public SelectDatabaseTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SelectDatabaseRefusalTest, OkRefusesSaysWhyAndChangesNothing)
{
    const RefusalCase& c = GetParam();
    const CString dataSource = window->m_strDataSource;
    if (c.windowElsewhere)
        window->m_strDataSource = "ELSEWHERE";
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        if (c.row != nullptr)
            ClickRow(pDlg, c.row);
        else
            pDlg->m_wndDBList.SetItemState(SelectedRow(pDlg), 0, LVIS_SELECTED | LVIS_FOCUSED);
        PressButton(pDlg->GetSafeHwnd(), IDC_TW_SELECTDB_OK);
        EXPECT_TRUE(StillOpen(pDlg->GetSafeHwnd()));
    });
    window->m_strDataSource = dataSource;
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find(c.message)) << messages[0];
    EXPECT_EQ("TarnSample", ScalarOn(window, "select db_name()"));
    EXPECT_EQ("TarnSample", BoxText());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, SelectDatabaseRefusalTest,
    ::testing::Values(RefusalCase{"NoRowSelected", nullptr, false, "Select database,please!"},
                      RefusalCase{"Offline", "SelAside", false, "This database isn't online."},
                      RefusalCase{"WindowOnAnotherServer", "SelOther", true, "The databases listed are those of "}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(SelectDatabaseTest, RefreshListsTheDatabasesAgainWithNothingSelected)
{
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        const int before = pDlg->m_wndDBList.GetItemCount();
        RunOnMaster("CREATE DATABASE SelLater");
        PressButton(pDlg->GetSafeHwnd(), IDC_TW_SELECTDB_REFRESH);
        EXPECT_EQ(before + 1, pDlg->m_wndDBList.GetItemCount());
        EXPECT_EQ("ONLINE", Cell(pDlg, "SelLater", CSelectDatabaseDlg::COL_STATUS));
        EXPECT_EQ(-1, SelectedRow(pDlg));
        // The highlight stays on its database.
        EXPECT_EQ(CSelectDatabaseDlg::kCurrentBack, pDlg->m_wndDBList.OnGetCellBkColor(RowOf(pDlg, "TarnSample"), 2));
        // The report keeps what it showed.
        EXPECT_EQ("ONLINE", Value(Rows(pDlg->m_wndProperties), "Status:"));
    });
    RunOnMaster("DROP DATABASE SelLater");
}

TEST_F(SelectDatabaseTest, WithoutADatabaseBoxNothingIsHighlightedAndOkStillMovesTheWindow)
{
    CKtvPToolBar* bars[] = {&frame->m_wndToolBar, &frame->m_wndEditBar, &frame->m_wndSessionBar,
                            &frame->m_wndQueryBar, &frame->m_wndResultBar};
    for (CKtvPToolBar* pBar : bars)
        for (int i = pBar->CommandToIndex(kSelectDatabaseCommand); i >= 0; i = pBar->CommandToIndex(kSelectDatabaseCommand))
            pBar->RemoveButton(i);
    ASSERT_EQ(nullptr, CMainFrame::GetDatabaseCombo());
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        EXPECT_EQ(-1, SelectedRow(pDlg));
        EXPECT_EQ(0, pDlg->m_wndDBList.GetCellColorCount());
        ClickRow(pDlg, "SelOther");
        PressButton(pDlg->GetSafeHwnd(), IDC_TW_SELECTDB_OK);
    });
    EXPECT_TRUE(dialogClosedByItself);
    EXPECT_EQ("SelOther", ScalarOn(window, "select db_name()"));
}

TEST_F(SelectDatabaseTest, TheReportShowsTheSelectedDatabaseInThreeTabs)
{
    ReportRows summary, properties, statistics;
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        ASSERT_EQ(3, pDlg->m_wndReportTabs.GetTabsNum());
        CString label;
        pDlg->m_wndReportTabs.GetTabLabel(2, label);
        EXPECT_EQ("I/O Statistic", std::string(label));
        summary = Rows(pDlg->m_wndSummary);
        properties = Rows(pDlg->m_wndProperties);
        statistics = Rows(pDlg->m_wndIOStatistic);
    });
    SQLDMO::_DatabasePtr sample = frame->m_SQLServer->GetDatabases()->Item(_variant_t("TarnSample"));
    ASSERT_EQ(10u, summary.size());
    EXPECT_EQ("Owner:", summary[0].first);
    EXPECT_EQ(std::string(static_cast<const char*>(sample->GetOwner())), summary[0].second);
    EXPECT_EQ(std::to_string(sample->GetSize()) + "(MB)", Value(summary, "Size:"));
    EXPECT_EQ("Total Buffer Pool Dirty Count:", summary[9].first);
    EXPECT_EQ("0", summary[9].second);

    ASSERT_EQ(26u, properties.size());
    EXPECT_EQ("Collation:", properties[0].first);
    EXPECT_EQ("SQL_Latin1_General_CP1_CI_AS", properties[0].second);
    EXPECT_EQ(ReportRows::value_type("IsAutoCreateStatistics:", "True"), properties[7]);
    EXPECT_EQ(ReportRows::value_type("IsAutoShrink:", "False"), properties[8]);
    EXPECT_EQ(ReportRows::value_type("Sort Order:", "52"), properties[22]);
    EXPECT_EQ(ReportRows::value_type("Update ability:", "READ_WRITE"), properties[24]);
    EXPECT_EQ("UserAccess:", properties[25].first);

    // The totals over both files of the database (data and log), read on the same connection.
    ASSERT_EQ(5u, statistics.size());
    EXPECT_EQ("I/O Waitor Time(ms):", statistics[4].first);
    long long reads = 0, bytes = 0;
    const std::string id = ScalarOn(window, "select db_id('TarnSample')");
    for (int file : {1, 2}) {
        SQLDMO::_QueryResultsPtr results = frame->m_SQLServer->ExecuteWithResults(
            ("Select NumberReads,BytesRead From ::fn_virtualfilestats(" + id + "," + std::to_string(file) + ")").c_str());
        ASSERT_EQ(1, results->GetRows());
        reads += std::stoll(static_cast<const char*>(results->GetColumnString(1, 1)));
        bytes += std::stoll(static_cast<const char*>(results->GetColumnString(1, 2)));
    }
    EXPECT_EQ(std::to_string(reads), statistics[0].second);
    EXPECT_EQ(std::to_string(bytes), statistics[2].second);
}

TEST_F(SelectDatabaseTest, AnOfflineDatabaseLeavesTheThreeTabsEmpty)
{
    OpenSelectDatabase([&](CSelectDatabaseDlg* pDlg) {
        ASSERT_GT(pDlg->m_wndSummary.GetItemCount(), 0);
        ClickRow(pDlg, "SelAside");
        EXPECT_EQ(0, pDlg->m_wndSummary.GetItemCount());
        EXPECT_EQ(0, pDlg->m_wndProperties.GetItemCount());
        EXPECT_EQ(0, pDlg->m_wndIOStatistic.GetItemCount());
    });
    EXPECT_TRUE(messages.empty()) << messages.front();
}

struct MemoryUsageCase {
    const char* name;
    const char* text;
    const char* cacheTop;
    const char* pageCount;
    const char* dirtyCount;
};

class MemoryUsageTest : public ::testing::TestWithParam<MemoryUsageCase> {};

TEST_P(MemoryUsageTest, RowsSevenToNineAreCutFromTheText)
{
    const MemoryUsageCase& c = GetParam();
    CString top, pages, dirty;
    CSelectDatabaseDlg::SplitMemoryUsage(c.text, top, pages, dirty);
    EXPECT_EQ(c.cacheTop, std::string(top));
    EXPECT_EQ(c.pageCount, std::string(pages));
    EXPECT_EQ(c.dirtyCount, std::string(dirty));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MemoryUsageTest,
    ::testing::Values(
        MemoryUsageCase{"OursWithLineBreaks",
                        "Buffer Cache Top 3\r\nTotal Buffer Pool Page Count =  12\r\nTotal Buffer Pool Dirty Count = 0",
                        "3", "12", "0"},
        MemoryUsageCase{"DriverPrefixesAndBlanksRemoved",
                        "  [Microsoft][ODBC SQL Server Driver][SQL Server]Buffer Cache Top 77\n"
                        "[Microsoft][ODBC SQL Server Driver][SQL Server]Total Buffer Pool Page Count =  410\n"
                        "[Microsoft][ODBC SQL Server Driver][SQL Server]Total Buffer Pool Dirty Count = 5  ",
                        "77", "410", "5"},
        MemoryUsageCase{"NeitherLabel", "Buffer Cache Top is all this text says, nothing more",
                        "", "", "xt says, nothing more"},
        MemoryUsageCase{"NeitherLabelShort", "Buffer Cache Top 1", "", "", ""},
        MemoryUsageCase{"NoDirtyCount", "Buffer Cache Top 8 Total Buffer Pool Page Count =  99", "8 ", "", " Pool Page Count =  99"},
        MemoryUsageCase{"Empty", "", "", "", ""}),
    [](const ::testing::TestParamInfo<MemoryUsageCase>& info) { return std::string(info.param.name); });

}  // namespace
