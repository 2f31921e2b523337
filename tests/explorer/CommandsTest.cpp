// The object tree's table and view commands on the embedded server: the
// statements the server receives, the query windows they open and what they
// tell the user.
#include <algorithm>
#include <set>

#include "platform/server/BatchRecorder.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"
#include "tests/explorer/ExplorerFixture.h"

namespace explorertest {
namespace {

constexpr const char* kSampleConnection =
    "Provider=SQLOLEDB.1;Trusted_Connection=yes;Initial Catalog=TarnSample;Data Source=(embedded)";

// The dialogs the commands show are answered as a user would: the text typed
// into their edit (or Cancel), then the fixture's OK.
class CommandsTest : public ExplorerTest {
protected:
    void SetUp() override
    {
        ExplorerTest::SetUp();
        answer = "";
        cancel = false;
        seen.clear();
        base_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerProc)));
        frame->FillDatabaseTree();
        Pump();
    }
    void TearDown() override
    {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
            ::SetWindowLongPtr(frame->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base_));
        ExplorerTest::TearDown();
    }

    // Every modal box is answered here: a window handle may come back for the
    // next box, so each idle with a box up answers it at once.
    static LRESULT CALLBACK AnswerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_ENTERIDLE || wParam != MSGF_DIALOGBOX)
            return ::CallWindowProc(base_, hwnd, message, wParam, lParam);
        HWND box = reinterpret_cast<HWND>(lParam);
        const bool ours = ::GetDlgItem(box, 1104) || ::GetDlgItem(box, 1107) || ::GetDlgItem(box, 1109) ||
                          ::GetDlgItem(box, 1103);
        if (ours) {
            seen.insert(box);
            for (int id : {1104, 1107})
                if (HWND edit = ::GetDlgItem(box, id))
                    ::SetWindowText(edit, answer.c_str());
            ::PostMessage(box, WM_COMMAND, MAKEWPARAM(cancel ? IDCANCEL : IDOK, BN_CLICKED), 0);
            return 0;
        }
        char text[1024] = {};
        ::GetWindowText(::GetDlgItem(box, 0xFFFF), text, sizeof text);
        boxes.emplace_back(text);
        ::PostMessage(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }

    // Fills every node on the path under the root, as clicks would.
    HTREEITEM Filled(const std::vector<const char*>& path)
    {
        HTREEITEM hItem = Tree().GetRootItem();
        for (const char* text : path) {
            HTREEITEM hChild = Tree().GetChildItem(hItem);
            while (hChild != nullptr && Tree().GetItemText(hChild) != text)
                hChild = Tree().GetNextSiblingItem(hChild);
            hItem = hChild;
            if (hItem == nullptr)
                return nullptr;
            Tree().OnExpandItem(hItem);
        }
        return hItem;
    }

    void OpenSampleWindow()
    {
        ASSERT_NE(nullptr, frame->NewQueryWindow(kSampleConnection, nullptr, nullptr));
        Pump();
    }

    CChildFrame* ActiveWindow() { return dynamic_cast<CChildFrame*>(frame->MDIGetActive()); }

    // The text of the window's editor tab (the editor keeps line breaks as "\n").
    std::string EditorText(CChildFrame* pWindow, bool editMode)
    {
        if (pWindow == nullptr || pWindow->m_pQueryView == nullptr)
            return "<no window>";
        CVelQryBactchView* pView =
            editMode ? pWindow->m_pQueryView->GetEditModeView() : pWindow->m_pQueryView->GetBatchView();
        return pView && pView->GetEditCtrl() ? std::string(pView->GetEditCtrl()->GetText()) : "<no editor>";
    }

    static std::string answer;
    static bool cancel;
    static std::set<HWND> seen;

private:
    static WNDPROC base_;
};

std::string CommandsTest::answer;
bool CommandsTest::cancel = false;
std::set<HWND> CommandsTest::seen;
WNDPROC CommandsTest::base_ = nullptr;

struct ServerCase {
    const char* name;
    std::vector<const char*> path;
    UINT command;
    const char* answer;     // typed into the dialog's edit
    std::string statement;  // the batch the server must receive
    const char* message;
};

void PrintTo(const ServerCase& c, std::ostream* os) { *os << c.name; }

class ServerCommandTest : public CommandsTest, public ::testing::WithParamInterface<ServerCase> {};

TEST_P(ServerCommandTest, TheServerReceivesTheStatementAndTheUserTheMessage)
{
    const ServerCase& c = GetParam();
    HTREEITEM hItem = Filled(c.path);
    ASSERT_NE(hItem, nullptr);
    answer = c.answer;
    tw::server::BatchRecorder recorder;
    RunCommand(hItem, c.command);
    const std::vector<std::string> texts = recorder.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), c.statement), texts.end())
        << "received:\n" << ::testing::PrintToString(texts);
    EXPECT_EQ(boxes.back(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    TablesAndViews, ServerCommandTest,
    ::testing::Values(
        ServerCase{"CheckTable", {kFixtureDatabase, "User Table", "dbo.Orders"}, 40031, "",
                   "DBCC CHECKTABLE ('dbo.Orders')", "Successed to check this table!"},
        ServerCase{"CheckOddName", {kFixtureDatabase, "User Table", "dbo.Odd ]'Name"}, 40031, "",
                   "DBCC CHECKTABLE ('dbo.[Odd ]]''Name]')", "Successed to check this table!"},
        ServerCase{"RebuildView", {kFixtureDatabase, "View", "dbo.PartList"}, 40058, "",
                   "EXEC sp_refreshview PartList", "Successed to rebuild this view!"},
        ServerCase{"RebuildOddView", {kFixtureDatabase, "View", "dbo.Odd ]'View"}, 40058, "",
                   "EXEC sp_refreshview '[Odd ]]''View]'", "Successed to rebuild this view!"}),
    [](const ::testing::TestParamInfo<ServerCase>& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, DropRemovesTheTableAndTheNodeStaysUntilItsFolderIsRefreshed)
{
    RunOnServer("CREATE TABLE dbo.DropMe (a int)", kFixtureDatabase);
    RunOnServer("CREATE VIEW dbo.DropMeToo AS SELECT 1 AS a", kFixtureDatabase);
    HTREEITEM hTable = Filled({kFixtureDatabase, "User Table", "dbo.DropMe"});
    ASSERT_NE(hTable, nullptr);
    RunCommand(hTable, 40021);
    HTREEITEM hView = Filled({kFixtureDatabase, "View", "dbo.DropMeToo"});
    ASSERT_NE(hView, nullptr);
    RunCommand(hView, 40056);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Successed to remove this table!", "Successed to remove this View!"}));
    EXPECT_NE(Find({kFixtureDatabase, "User Table", "dbo.DropMe"}), nullptr);
    // A second drop of the same node finds nothing and says so, once.
    RunCommand(hTable, 40021);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[2].find("DropMe"), std::string::npos) << boxes[2];
}

TEST_F(CommandsTest, ReturnRowsWithoutAQueryWindowAsksForAConnection)
{
    HTREEITEM hItem = Filled({kFixtureDatabase, "User Table", "dbo.Parts"});
    ASSERT_NE(hItem, nullptr);
    RunCommand(hItem, 40023);
    EXPECT_EQ(boxes, std::vector<std::string>{"Connect to your database,please!"});
    EXPECT_EQ(0, frame->GetQueryWindowCount());
}

struct HandOffCase {
    const char* name;
    std::vector<const char*> path;
    UINT command;
    const char* answer;
    bool editMode;
    std::string text;
};

void PrintTo(const HandOffCase& c, std::ostream* os) { *os << c.name; }

class HandOffTest : public CommandsTest, public ::testing::WithParamInterface<HandOffCase> {};

TEST_P(HandOffTest, ANewWindowInTheNodesDatabaseHoldsTheText)
{
    const HandOffCase& c = GetParam();
    OpenSampleWindow();
    CChildFrame* pSource = ActiveWindow();
    ASSERT_NE(pSource, nullptr);
    HTREEITEM hItem = Filled(c.path);
    ASSERT_NE(hItem, nullptr);
    answer = c.answer;
    RunCommand(hItem, c.command);
    for (const std::string& box : boxes)
        ADD_FAILURE() << box;
    CChildFrame* pWindow = ActiveWindow();
    ASSERT_NE(pWindow, pSource);
    EXPECT_EQ(2, frame->GetQueryWindowCount());
    EXPECT_STREQ(pWindow->m_strConnectString, kSampleConnection);
    EXPECT_STREQ(pWindow->m_strCurrentDatabase, kFixtureDatabase);
    EXPECT_EQ(pWindow->m_pQueryView->GetActiveView(),
              c.editMode ? static_cast<CView*>(pWindow->m_pQueryView->GetEditModeView())
                         : static_cast<CView*>(pWindow->m_pQueryView->GetBatchView()));
    const std::string text = EditorText(pWindow, c.editMode);
    if (c.text.back() == '*')
        EXPECT_EQ(text.rfind(c.text.substr(0, c.text.size() - 1), 0), 0u) << text;
    else
        EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    RowsAndScripts, HandOffTest,
    ::testing::Values(
        HandOffCase{"AllRows", {kFixtureDatabase, "User Table", "dbo.Parts"}, 40023, "", true,
                    "use ExplorerFix;\nSelect * From dbo.Parts;"},
        HandOffCase{"TopTen", {kFixtureDatabase, "User Table", "mara.Parts"}, 40024, "10", true,
                    "use ExplorerFix;\nSelect top 10 * From mara.Parts;"},
        HandOffCase{"TopOfAView", {kFixtureDatabase, "View", "dbo.Odd ]'View"}, 40057, "999999999", true,
                    "use ExplorerFix;\nSelect top 999999999 * From dbo.[Odd ]]'View];"},
        HandOffCase{"AllRowsOfAView", {kFixtureDatabase, "View", "dbo.PartList"}, 40053, "", true,
                    "use ExplorerFix;\nSelect * From dbo.PartList;"},
        HandOffCase{"ViewScript", {kFixtureDatabase, "View", "dbo.PartList"}, 40050, "", false, "*"}),
    [](const ::testing::TestParamInfo<HandOffCase>& info) { return std::string(info.param.name); });

TEST_F(CommandsTest, CancelledReturnTopOpensNothing)
{
    OpenSampleWindow();
    HTREEITEM hItem = Filled({kFixtureDatabase, "User Table", "dbo.Parts"});
    ASSERT_NE(hItem, nullptr);
    cancel = true;
    RunCommand(hItem, 40024);
    EXPECT_EQ(1, frame->GetQueryWindowCount());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, AQueryWindowOnAnotherServerIsNotASource)
{
    OpenSampleWindow();
    ActiveWindow()->m_strDataSource = "ELSEWHERE";
    HTREEITEM hItem = Filled({kFixtureDatabase, "User Table", "dbo.Parts"});
    RunCommand(hItem, 40023);
    EXPECT_EQ(boxes, std::vector<std::string>{"Connect to your database,please!"});
    EXPECT_EQ(1, frame->GetQueryWindowCount());
}

}  // namespace
}  // namespace explorertest
