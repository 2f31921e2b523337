// The query window's editors: the document's modified state, the editor
// tabs and their icons, the context menus, completion after a database
// switch, Parse through the main frame's server, and a cancelled Save As.
#include "tests/session/querywindow/QueryWindowFixture.h"

#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMenu.h"
#include "sqleditor/CustomerCommandEditCtrl.h"
#include "sqleditor/SqlEditorFont.h"

namespace querytest {
namespace {

using Lines = std::vector<std::string>;

// Answers every top-level window made while it lives (message boxes and
// file dialogs) with the first of No and Cancel it offers, and counts them.
class WindowAnswers {
public:
    WindowAnswers()
    {
        s_self = this;
        m_hook = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~WindowAnswers()
    {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    int shown = 0;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND && s_self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            if (!(create->style & WS_CHILD) && (create->style & WS_CAPTION) == WS_CAPTION) {
                s_self->shown++;
                for (int answer : {IDNO, IDCANCEL})
                    ::PostMessage(reinterpret_cast<HWND>(wParam), WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static WindowAnswers* s_self;
    HHOOK m_hook = nullptr;
};
WindowAnswers* WindowAnswers::s_self = nullptr;

class QueryWindowEditors : public QueryWindowTest {
protected:
    CDocument* Document(CChildFrame* pWindow) { return pWindow->m_pQueryView->GetDocument(); }
    // WM_CLOSE as the window's close box sends it, the question answered No.
    int CloseAnswered(CChildFrame* pWindow)
    {
        WindowAnswers answers;
        pWindow->SendMessage(WM_CLOSE);
        PumpApp();
        return answers.shown;
    }
};

TEST_F(QueryWindowEditors, AnUntouchedWindowClosesWithoutAQuestionATypedOneAsks)
{
    // Neither the console's prompt nor typing in the console or the Edit-Mode
    // editor is the document's text.
    EXPECT_FALSE(Document(window)->IsModified());
    window->m_pQueryView->SetActiveView(window->m_pQueryView->m_nCommandTab);
    window->m_pQueryView->GetCommandView()->GetEditCtrl()->SetFocus();
    Pump();
    TypeKeys("select");
    window->m_pQueryView->GetEditModeView()->GetEditCtrl()->InsertText("select 1", 0);
    EXPECT_FALSE(Document(window)->IsModified());
    const int before = frame->GetQueryWindowCount();
    EXPECT_EQ(CloseAnswered(window), 0);
    EXPECT_EQ(frame->GetQueryWindowCount(), before - 1);

    window = OpenQueryWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(Document(window)->IsModified());
    TypeBatch(window, "select 1");
    EXPECT_TRUE(Document(window)->IsModified());
    // No: the window closes unsaved, after the question.
    EXPECT_EQ(CloseAnswered(window), 1);
    EXPECT_EQ(frame->GetQueryWindowCount(), before - 1);
    window = nullptr;
}

TEST_F(QueryWindowEditors, ACancelledSaveAsKeepsTheTitleAndTheModifiedState)
{
    TypeBatch(window, "select 1");
    CDocument* pDoc = Document(window);
    const std::string title = static_cast<const char*>(pDoc->GetTitle());
    {
        WindowAnswers answers;
        window->m_pQueryView->GetBatchView()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
        PumpApp();
        EXPECT_EQ(answers.shown, 1) << "the Save As dialog";
    }
    EXPECT_EQ(std::string(pDoc->GetTitle()), title);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
}

TEST_F(QueryWindowEditors, TheEditorTabsAreSlantedWithTheirIconsAndTheSqlEditors)
{
    CKtvPTabWnd& tabs = window->m_pQueryView->GetTabControl();
    ASSERT_EQ(tabs.GetTabsNum(), 3);
    const struct {
        int tab;
        const char* label;
        const char* kind;
        UINT icon;
    } cases[] = {{0, "Batch", "BatchEdit", 1}, {1, "Command", "CMDEdit", 0}, {2, "Edit-Mode", "EditMode", 2}};
    for (const auto& c : cases) {
        CString label, kind;
        tabs.GetTabLabel(c.tab, label);
        tabs.GetTabWnd(c.tab)->GetWindowText(kind);
        EXPECT_EQ(std::string(label), c.label);
        EXPECT_EQ(std::string(kind), c.kind);
        EXPECT_EQ(tabs.GetTabIcon(c.tab), c.icon) << c.label;
    }
    EXPECT_EQ(window->m_pQueryView->m_nBatchTab, 0);
    EXPECT_EQ(window->m_pQueryView->m_nCommandTab, 1);
    EXPECT_EQ(window->m_pQueryView->m_nEditModeTab, 2);
    // Three 16-pixel images from the window's bitmap reach the strip.
    ASSERT_NE(tabs.GetImageList(), nullptr);
    EXPECT_EQ(tabs.GetImageList()->GetImageCount(), 3);
    for (CKtvPTabView* pView : {static_cast<CKtvPTabView*>(window->m_pQueryView),
                                static_cast<CKtvPTabView*>(window->m_pResultView)})
        EXPECT_TRUE(pView->GetTabControl().IsSlantedTabs());
    // The editors are the SQL editor and its console.
    EXPECT_NE(dynamic_cast<CCustomerEditCtrl*>(window->m_pQueryView->GetBatchView()->GetEditCtrl()), nullptr);
    EXPECT_NE(dynamic_cast<CCustomerCommandEditCtrl*>(window->m_pQueryView->GetCommandView()->GetEditCtrl()),
              nullptr);
}

// The Edit popup of menu 146 as each editor prepares it: which of its items are greyed.
std::vector<UINT> GreyedItems(CMenu& popup)
{
    std::vector<UINT> greyed;
    for (UINT nID : {57643u, 57644u, 57635u, 57634u, 57637u, 57642u, 57633u})
        if (popup.GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED)
            greyed.push_back(nID);
    return greyed;
}

TEST_F(QueryWindowEditors, TheContextMenusGreyWhatTheEditorCannotDo)
{
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    CVelQryBactchView* pBatch = window->m_pQueryView->GetBatchView();
    CVelQryCommandView* pConsole = window->m_pQueryView->GetCommandView();
    const auto greyed = [](auto* pView) {
        CMenu menu;
        EXPECT_TRUE(menu.LoadMenu(146));
        CMenu* pPopup = menu.GetSubMenu(0);
        EXPECT_NE(pPopup, nullptr);
        if (pPopup == nullptr)
            return std::vector<UINT>{};
        pView->PrepareContextMenu(*pPopup);
        return GreyedItems(*pPopup);
    };
    // Empty editor, empty clipboard: Cut, Copy, Paste, Select All, Clear All.
    EXPECT_EQ(greyed(pBatch), (std::vector<UINT>{57635, 57634, 57637, 57642, 57633}));
    pBatch->GetEditCtrl()->SetText("select 1");
    pBatch->GetEditCtrl()->SetSel(0, 6);
    pBatch->GetEditCtrl()->Copy();
    EXPECT_EQ(greyed(pBatch), (std::vector<UINT>{}));
    pBatch->GetEditCtrl()->SetSel(3, 3);
    EXPECT_EQ(greyed(pBatch), (std::vector<UINT>{57635, 57634}));
    // The console holds its prompt: only Cut waits for a selection.
    EXPECT_EQ(greyed(pConsole), (std::vector<UINT>{57635}));
}

TEST_F(QueryWindowEditors, ClearAllInTheConsoleLeavesOnlyThePrompt)
{
    CVelQryCommandView* pConsole = window->m_pQueryView->GetCommandView();
    pConsole->GetEditCtrl()->InsertText("select 1\nmore", pConsole->GetEditCtrl()->GetTextLength());
    pConsole->SendMessage(WM_COMMAND, 57633);
    EXPECT_EQ(std::string(pConsole->GetEditCtrl()->GetText()), "SQL> ");
    EXPECT_FALSE(Document(window)->IsModified());
}

// The main frame's SQL-DMO server logged on to the embedded server, as after a logon.
class QueryWindowServer : public QueryWindowEditors {
protected:
    void SetUp() override
    {
        QueryWindowEditors::SetUp();
        ASSERT_TRUE(frame->m_SQLServer);
        frame->m_SQLServer->Connect("(embedded)", "sa", "");
    }
    void TearDown() override
    {
        if (frame != nullptr && frame->m_SQLServer)
            frame->m_SQLServer->DisConnect();
        QueryWindowEditors::TearDown();
    }
    // Statements run from the side whose failure (a thing already gone or
    // already there, when the suite repeats in one process) is of no matter.
    void RunOnServerQuietly(const std::string& batch)
    {
        try {
            RunOnServer(batch);
        } catch (const _com_error&) {
        }
    }
    // The Batch editor's known names of a kind, as completion offers them.
    static bool Knows(CChildFrame* pWindow, const char* name)
    {
        auto* pEdit = pWindow->m_pQueryView->GetBatchView()->GetSqlEdit();
        void* value = nullptr;
        return pEdit->m_mapKnownNames.Lookup(name, value) != FALSE;
    }
};

TEST_F(QueryWindowServer, ADatabaseSwitchGivesTheEditorsTheNewDatabasesNames)
{
    RunOnServerQuietly("drop table OnlyInSample");
    // A database of its own each time the suite runs in this process.
    static int s_run = 0;
    const std::string other = "OtherPlace" + std::to_string(++s_run);
    RunOnServer("create table OnlyInSample (a int)");
    RunBatchAsIs(window, "create database " + other + "\n");
    // The box's <Refresh>: the new database is listed.
    ASSERT_TRUE(window->FillDatabaseCombo());
    RunBatchAsIs(window, "use " + other + "\ncreate table OnlyElsewhere (b int)\n");
    // A USE in a batch: the box and the editors follow.
    EXPECT_EQ(std::string(window->m_strCurrentDatabase), other);
    EXPECT_TRUE(Knows(window, "onlyelsewhere"));
    EXPECT_FALSE(Knows(window, "onlyinsample"));

    // A choice in the database box.
    CKtvPToolbarComboBoxButton* pBox = CMainFrame::GetDatabaseCombo();
    ASSERT_NE(pBox, nullptr);
    if (!pBox->SelectItemByText("TarnSample")) {
        pBox->AddItem("TarnSample");
        ASSERT_TRUE(pBox->SelectItemByText("TarnSample"));
    }
    // The box tells its owner of the choice; the frame routes it to the active window.
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_QUERY_SELECT_DATABASE, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(pBox->GetHwnd()));
    PumpApp();
    EXPECT_EQ(std::string(window->m_strCurrentDatabase), "TarnSample");
    EXPECT_TRUE(Knows(window, "onlyinsample"));
    EXPECT_FALSE(Knows(window, "onlyelsewhere"));
    auto* pConsole = dynamic_cast<CCustomerCommandEditCtrl*>(window->m_pQueryView->GetCommandView()->GetEditCtrl());
    void* value = nullptr;
    EXPECT_TRUE(pConsole->m_mapKnownNames.Lookup("onlyinsample", value));

}

TEST_F(QueryWindowServer, ParseReportsNoErrorOrTheServersMessageWithoutRunningTheBatch)
{
    RunOnServerQuietly("drop table ParseTarget");
    RunOnServer("create table ParseTarget (a int)");
    const struct {
        const char* batch;
        const char* output;
    } cases[] = {{"insert into ParseTarget values (1)", "No error."},
                 {"selec 1 frm", nullptr}};
    for (const auto& c : cases) {
        ClearOutput();
        TypeBatch(window, c.batch);
        window->SendMessage(WM_COMMAND, ID_QUERY_PARSE);
        PumpApp();
        const Lines lines = OutputLines();
        ASSERT_EQ(lines.size(), 1u) << c.batch;
        if (c.output != nullptr)
            EXPECT_EQ(lines[0], c.output);
        else
            EXPECT_NE(lines[0], "No error.") << c.batch;
    }
    RunBatch(window, "select count(*) as n from ParseTarget");
    EXPECT_EQ(Cells(ResultGrids(window).at(0)), (std::vector<Lines>{{"0"}}));
}

}  // namespace
}  // namespace querytest

namespace querytest {
namespace {

TEST(QueryWindowConsoleFont, ALongFaceNameIsCutAtAWholeCharacter)
{
    const struct {
        std::string face;
        int kept;
    } cases[] = {
        {"Courier New", 11},
        {std::string(31, 'a'), 31},
        {std::string(40, 'a'), 31},
        // A two-byte character at bytes 30 and 31 does not fit: 30 are kept.
        {std::string(30, 'a') + "\xC3\xA9" + "b", 30},
        // A three-byte character ending at byte 31 fits whole.
        {std::string(28, 'a') + "\xE2\x82\xAC" + "b", 31},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SqlEditorFaceNameLength(c.face.c_str()), c.kept) << c.face;
}

}  // namespace
}  // namespace querytest
