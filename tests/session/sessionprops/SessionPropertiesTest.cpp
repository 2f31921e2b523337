// Session/Session Properties on the active query window: the grid as it
// opens, edits sent to that window's own session and seen in its next
// batches, the per-window record, Reset, Cancel and the refusals.
#include <string>
#include <vector>

#include "platform/ado/AdoInterfaces.h"
#include "session/ConnectPropertiesDlg.h"
#include "tests/session/sessionprops/SessionPropsFixture.h"
#include "ui/controls/KtvPSpinButton.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

using sessionprops::SessionWindowTest;

constexpr UINT kSessionPropertiesCommand = 32844;

class SessionPropertiesTest : public SessionWindowTest {
protected:
    static CKtvPProp* Row(CConnectPropertiesDlg* pDlg, const std::string& name)
    {
        for (int g = 0; g < pDlg->m_wndPropList.GetPropertyCount(); ++g) {
            CKtvPProp* pGroup = pDlg->m_wndPropList.GetProperty(g);
            for (int i = 0; i < pGroup->GetSubItemsCount(); ++i)
                if (std::string(pGroup->GetSubItem(i)->GetName()) == name)
                    return pGroup->GetSubItem(i);
        }
        return nullptr;
    }
    // A switch set as the user does it: the row selected and the first letter of True or False typed.
    void TypeSwitch(CConnectPropertiesDlg* pDlg, const std::string& name, bool on)
    {
        CKtvPProp* pRow = Row(pDlg, name);
        ASSERT_NE(pRow, nullptr) << name;
        pDlg->m_wndPropList.EnsureVisible(pRow);
        pDlg->m_wndPropList.SelectItem(pRow);
        pDlg->m_wndPropList.SetFocus();
        Pump();
        TypeKeys(on ? "t" : "f");
        Pump();
        ASSERT_EQ(VT_BOOL, pRow->GetValue().vt);
        ASSERT_EQ(on ? VARIANT_TRUE : VARIANT_FALSE, pRow->GetValue().boolVal) << name;
    }
    // RowCount's value clicked and the number typed into its editor, left pending for OK to take.
    void TypeRowCount(CConnectPropertiesDlg* pDlg, const std::string& text)
    {
        CKtvPProp* pRow = Row(pDlg, "RowCount");
        CKtvPPropList& list = pDlg->m_wndPropList;
        list.EnsureVisible(pRow);
        Pump();
        const CRect rect = pRow->GetRect();
        Click(list.GetSafeHwnd(), list.GetListRect().left + list.GetNameColumnWidth() + 20, rect.CenterPoint().y);
        Pump();
        ASSERT_NE(pRow->GetEditor(), nullptr);
        pRow->GetEditor()->SetWindowText(text.c_str());
    }
    void OpenSessionProperties(std::function<void(CConnectPropertiesDlg*)> step)
    {
        RunDialogOf<CConnectPropertiesDlg>(kSessionPropertiesCommand, std::move(step));
    }
    // The number of rows the window's next batch shows in its first grid.
    size_t RowsOfNextBatch(const std::string& batch)
    {
        RunBatch(window, batch);
        const std::vector<CVelQryResultGridView*> grids = ResultGrids(window);
        return grids.empty() ? 0 : Cells(grids[0]).size();
    }
    bool OutputHas(const std::string& fragment)
    {
        for (const std::string& line : OutputLines())
            if (line.find(fragment) != std::string::npos)
                return true;
        return false;
    }
};

struct InitialRow {
    const char* group;
    const char* name;
    int value;  // switches 0 or 1; RowCount its number
};

const InitialRow kInitialRows[] = {
    {"Query Execution", "Arithabort", 1},
    {"Query Execution", "Nocount", 0},
    {"Query Execution", "Noexec", 0},
    {"Query Execution", "ParseOnly", 0},
    {"Query Execution", "Concat_Null_Yields_Null", 1},
    {"Query Execution", "ShowPlan_Text", 0},
    {"Query Execution", "Statistics Time", 0},
    {"Query Execution", "Statistics IO", 0},
    {"Query Execution", "RowCount", 99},
    {"SQL-92 Standard", "ANSI_Defaults", 1},
    {"SQL-92 Standard", "ANSI_Nulls", 1},
    {"SQL-92 Standard", "ANSI_NULL_DFLT_ON", 1},
    {"SQL-92 Standard", "ANSI_Padding", 1},
    {"SQL-92 Standard", "ANSI_Warnings", 1},
    {"SQL-92 Standard", "Cursor_Close_ON_Commit", 0},
    {"SQL-92 Standard", "Implicit_Transactions", 0},
    {"SQL-92 Standard", "Quoted_Identifier", 1},
};

TEST_F(SessionPropertiesTest, OpensWithTwoGroupsOfTheStartingValuesTheirHelpAndColours)
{
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        char caption[64] = {};
        ::GetWindowText(pDlg->GetSafeHwnd(), caption, sizeof caption);
        EXPECT_STREQ("Connect Properties", caption);
        CKtvPPropList& list = pDlg->m_wndPropList;
        ASSERT_EQ(2, list.GetPropertyCount());
        EXPECT_FALSE(list.IsHeaderCtrl());
        EXPECT_TRUE(list.IsDescriptionArea());
        EXPECT_FALSE(list.IsAlphabeticMode());
        int nRow = 0;
        for (int g = 0; g < 2; ++g) {
            CKtvPProp* pGroup = list.GetProperty(g);
            EXPECT_TRUE(pGroup->IsExpanded());
            for (int i = 0; i < pGroup->GetSubItemsCount(); ++i, ++nRow) {
                ASSERT_LT(nRow, 17);
                const InitialRow& expected = kInitialRows[nRow];
                CKtvPProp* pRow = pGroup->GetSubItem(i);
                SCOPED_TRACE(expected.name);
                EXPECT_STREQ(expected.group, pGroup->GetName());
                EXPECT_STREQ(expected.name, pRow->GetName());
                EXPECT_FALSE(pRow->GetDescription().IsEmpty());
                const VARIANT& value = pRow->GetValue();
                if (std::string(expected.name) == "RowCount") {
                    EXPECT_EQ(VT_I4, value.vt);
                    EXPECT_EQ(expected.value, value.lVal);
                } else {
                    EXPECT_EQ(VT_BOOL, value.vt);
                    EXPECT_EQ(expected.value ? VARIANT_TRUE : VARIANT_FALSE, value.boolVal);
                }
            }
        }
        EXPECT_EQ(17, nRow);
        EXPECT_STREQ("Compiles each query but does not execute it.", Row(pDlg, "Noexec")->GetDescription());
        EXPECT_EQ(0, Row(pDlg, "RowCount")->GetSpinMin());
        EXPECT_EQ(32765, Row(pDlg, "RowCount")->GetSpinMax());

        // The group rows, the value cells and the description area in the dialog's colours.
        Pump();
        const HWND hList = list.GetSafeHwnd();
        const CRect row = Row(pDlg, "Noexec")->GetRect();
        EXPECT_EQ(RGB(228, 243, 254), ScreenPixel(hList, row.right - 4, row.top + 2));
        CRect client;
        list.GetClientRect(client);
        EXPECT_EQ(RGB(255, 229, 216), ScreenPixel(hList, client.right - 20, client.bottom - list.GetDescriptionHeight() / 2));
        EXPECT_FALSE(list.IsNetLook());
    });
}

TEST_F(SessionPropertiesTest, TheNetLookSettingShowsTheGroupsInTheirOwnColour)
{
    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());
    ASSERT_NE(pWorkspace, nullptr);
    pWorkspace->WriteSectionInt("APPLookNet", "EnvironmentGeneral", 1);
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        CKtvPPropList& list = pDlg->m_wndPropList;
        EXPECT_TRUE(list.IsNetLook());
        const CRect group = list.GetProperty(1)->GetRect();
        EXPECT_EQ(RGB(200, 236, 209), ScreenPixel(list.GetSafeHwnd(), group.right - 4, group.CenterPoint().y));
    });
    pWorkspace->WriteSectionInt("APPLookNet", "EnvironmentGeneral", 0);
}

// Each edit, after OK, is what the window's session runs with, and the window's record holds it.
struct EditCase {
    const char* name;
    std::vector<std::pair<const char*, bool>> switches;
    const char* rowCount;  // typed into RowCount, or null
    std::vector<std::pair<const char*, const char*>> seenOptions;  // DBCC USEROPTIONS rows expected; "" absent
};

class SessionPropertiesEditTest : public SessionPropertiesTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(SessionPropertiesEditTest, OkSendsTheChangesToTheWindowsOwnSession)
{
    const EditCase& c = GetParam();
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        for (const auto& [name, on] : c.switches)
            TypeSwitch(pDlg, name, on);
        if (c.rowCount != nullptr)
            TypeRowCount(pDlg, c.rowCount);
        PressButton(pDlg->GetSafeHwnd(), IDOK);
    });
    EXPECT_TRUE(dialogClosedByItself);
    EXPECT_TRUE(messages.empty()) << messages.front();
    const std::map<std::string, std::string> seen = SessionOptionsOf(window);
    for (const auto& [option, value] : c.seenOptions) {
        const auto found = seen.find(option);
        if (*value == 0)
            EXPECT_EQ(seen.end(), found) << option;
        else if (found == seen.end())
            ADD_FAILURE() << option << " is not set";
        else
            EXPECT_EQ(value, found->second) << option;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SessionPropertiesEditTest,
    ::testing::Values(
        EditCase{"ArithabortOffNocountOnRowCountZero", {{"Arithabort", false}, {"Nocount", true}}, "0",
                 {{"arithabort", ""}, {"nocount", "SET"}, {"rowcount", ""}}},
        EditCase{"RowCountTwo", {}, "2", {{"rowcount", "2"}}},
        EditCase{"QuotedIdentifierOffImplicitTransactionsOn",
                 {{"Quoted_Identifier", false}, {"Implicit_Transactions", true}},
                 nullptr,
                 {{"quoted_identifier", ""}, {"implicit_transactions", "SET"}}},
        EditCase{"ConcatNullOffCursorCloseOn",
                 {{"Concat_Null_Yields_Null", false}, {"Cursor_Close_ON_Commit", true}},
                 nullptr,
                 {{"concat_null_yields_null", ""}, {"cursor_close_on_commit", "SET"}}}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST_F(SessionPropertiesTest, TheAppliedOptionsShapeTheWindowsNextBatches)
{
    RunOnServer("CREATE TABLE sp_rows (n int)\n"
                "INSERT INTO sp_rows VALUES (1)\nINSERT INTO sp_rows VALUES (2)\nINSERT INTO sp_rows VALUES (3)\n"
                "INSERT INTO sp_rows VALUES (4)");
    ClearOutput();
    RunBatch(window, "update sp_rows set n = n");
    ASSERT_TRUE(OutputHas("row(s) affected")) << "the count line shows before NOCOUNT";

    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "Nocount", true);
        TypeRowCount(pDlg, "2");
        PressButton(pDlg->GetSafeHwnd(), IDOK);
    });
    ClearOutput();
    RunBatch(window, "update sp_rows set n = n");
    EXPECT_FALSE(OutputHas("row(s) affected"));
    EXPECT_EQ(2u, RowsOfNextBatch("select n from sp_rows"));

    // SHOWPLAN_TEXT goes alone: the plan comes back instead of the rows.
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "ShowPlan_Text", true);
        TypeRowCount(pDlg, "0");
        PressButton(pDlg->GetSafeHwnd(), IDOK);
    });
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(1, window->m_SessionOptions.m_ShowPlan_Text);
    EXPECT_EQ(0, window->m_SessionOptions.m_RowCount);
    RunBatch(window, "select n from sp_rows");
    const std::vector<CVelQryResultGridView*> grids = ResultGrids(window);
    ASSERT_FALSE(grids.empty());
    EXPECT_EQ("StmtText", Captions(grids[0]).at(0));

    // And off again in a batch of its own.
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "ShowPlan_Text", false);
        PressButton(pDlg->GetSafeHwnd(), IDOK);
    });
    EXPECT_EQ(4u, RowsOfNextBatch("select n from sp_rows"));
}

TEST_F(SessionPropertiesTest, ReopeningShowsTheWindowsAppliedValuesAndAnotherWindowsStartingOnes)
{
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "Arithabort", false);
        TypeSwitch(pDlg, "Nocount", true);
        TypeRowCount(pDlg, "0");
        PressButton(pDlg->GetSafeHwnd(), IDOK);
    });
    auto showsApplied = [&](CConnectPropertiesDlg* pDlg) {
        EXPECT_EQ(VARIANT_FALSE, Row(pDlg, "Arithabort")->GetValue().boolVal);
        EXPECT_EQ(VARIANT_TRUE, Row(pDlg, "Nocount")->GetValue().boolVal);
        EXPECT_EQ(0, Row(pDlg, "RowCount")->GetValue().lVal);
    };
    OpenSessionProperties(showsApplied);

    CChildFrame* pOther = OpenQueryWindow();
    ASSERT_NE(pOther, nullptr);
    ASSERT_EQ(pOther, frame->MDIGetActive());
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        EXPECT_EQ(VARIANT_TRUE, Row(pDlg, "Arithabort")->GetValue().boolVal);
        EXPECT_EQ(VARIANT_FALSE, Row(pDlg, "Nocount")->GetValue().boolVal);
        EXPECT_EQ(99, Row(pDlg, "RowCount")->GetValue().lVal);
    });
    EXPECT_EQ(0u, SessionOptionsOf(pOther).count("nocount"));

    window->MDIActivate();
    Pump();
    OpenSessionProperties(showsApplied);
}

TEST_F(SessionPropertiesTest, OkWithNothingChangedSendsNothing)
{
    // Set behind the dialog's back: a resent text would put NOCOUNT off again.
    window->m_pConnection->Execute("SET NOCOUNT ON", nullptr, ADODB::adCmdText | ADODB::adExecuteNoRecords);
    const CSessionOptions before = window->m_SessionOptions;
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) { PressButton(pDlg->GetSafeHwnd(), IDOK); });
    EXPECT_TRUE(dialogClosedByItself);
    EXPECT_EQ("SET", SessionOptionsOf(window)["nocount"]);
    EXPECT_TRUE(before == window->m_SessionOptions);
}

TEST_F(SessionPropertiesTest, ResetAndCancelSendNothingAndKeepTheRecord)
{
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "Nocount", true);
        TypeSwitch(pDlg, "Quoted_Identifier", false);
        PressButton(pDlg->GetSafeHwnd(), IDC_TW_PROPS_RESET);
        EXPECT_EQ(VARIANT_FALSE, Row(pDlg, "Nocount")->GetValue().boolVal);
        EXPECT_EQ(VARIANT_TRUE, Row(pDlg, "Quoted_Identifier")->GetValue().boolVal);
        EXPECT_EQ(99, Row(pDlg, "RowCount")->GetValue().lVal);
        TypeSwitch(pDlg, "Nocount", true);
        PressButton(pDlg->GetSafeHwnd(), IDCANCEL);
    });
    EXPECT_EQ(0, window->m_SessionOptions.m_Nocount);
    EXPECT_EQ(0u, SessionOptionsOf(window).count("nocount"));
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        EXPECT_EQ(VARIANT_FALSE, Row(pDlg, "Nocount")->GetValue().boolVal);
    });
}

TEST_F(SessionPropertiesTest, TheRowCountSpinStopsAtZeroAnd32765)
{
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeRowCount(pDlg, "32765");
        CKtvPProp* pRow = Row(pDlg, "RowCount");
        ASSERT_NE(pRow->GetSpin(), nullptr);
        int lo = -1, hi = -1;
        pRow->GetSpin()->GetRange32(lo, hi);
        EXPECT_EQ(0, lo);
        EXPECT_EQ(32765, hi);
    });
}

TEST_F(SessionPropertiesTest, ARefusedTextShowsTheServersMessageAndTheSessionKeepsItsRecord)
{
    // This server refuses ANSI_PADDING OFF; NOCOUNT before it in the batch must not stay applied.
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "Nocount", true);
        TypeSwitch(pDlg, "ANSI_Padding", false);
        PressButton(pDlg->GetSafeHwnd(), IDOK);
        EXPECT_TRUE(StillOpen(pDlg->GetSafeHwnd())) << "the dialog stays open to be corrected";
    });
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("ANSI_PADDING")) << messages[0];
    EXPECT_EQ(0, window->m_SessionOptions.m_Nocount);
    EXPECT_EQ(1, window->m_SessionOptions.m_ANSI_Padding);
    EXPECT_EQ(0u, SessionOptionsOf(window).count("nocount"));
}

TEST_F(SessionPropertiesTest, WithNoActiveQueryWindowOkSaysWhereOptionsApplyAndStaysOpen)
{
    window->SendMessage(WM_CLOSE);
    Pump();
    ASSERT_EQ(nullptr, dynamic_cast<CChildFrame*>(frame->MDIGetActive())) << (messages.empty() ? "" : messages[0]);
    messages.clear();
    OpenSessionProperties([&](CConnectPropertiesDlg* pDlg) {
        TypeSwitch(pDlg, "Nocount", true);
        PressButton(pDlg->GetSafeHwnd(), IDOK);
        EXPECT_TRUE(StillOpen(pDlg->GetSafeHwnd()));
    });
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(CConnectPropertiesDlg::kNoQueryWindow, messages[0]);
    EXPECT_EQ(0, frame->m_Nocount);
}

}  // namespace
