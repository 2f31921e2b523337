// The Edit-Mode tab of a query window: Execute opens the rows in an editable
// grid on a connection of its own; edits, appends and deletes reach the
// server only when saved.
#include <deque>
#include <random>

#include "platform/controls/grid/GridAutomation.h"
#include "platform/controls/grid/GridView.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CWinApp.h"
#include "session/QueryWindowMessages.h"
#include "session/VelQryEditModeView.h"
#include "tests/session/querywindow/QueryWindowFixture.h"

namespace querytest {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Answers the program's message boxes in turn (OK when no answer is left)
// and keeps their texts.
class EditModeMessageBoxes {
public:
    explicit EditModeMessageBoxes(std::deque<int> answers = {}) : answers_(std::move(answers))
    {
        current_ = this;
        hook_ = ::SetWindowsHookEx(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~EditModeMessageBoxes()
    {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::vector<std::string> texts;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        EditModeMessageBoxes* self = current_;
        if (nCode == HCBT_CREATEWND && self != nullptr) {
            const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
            const HWND hwnd = reinterpret_cast<HWND>(wParam);
            const char* app = AfxGetApp() ? AfxGetApp()->m_pszAppName : nullptr;
            if ((create->style & WS_CHILD) == 0 && create->lpszName && app && std::string(create->lpszName) == app) {
                self->box_ = hwnd;
                int answer = IDOK;
                if (!self->answers_.empty()) {
                    answer = self->answers_.front();
                    self->answers_.pop_front();
                }
                ::PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
            } else if ((create->style & WS_CHILD) != 0 && create->hwndParent == self->box_ && create->lpszName &&
                       create->lpszName[0] != 0 && std::string(create->lpszClass ? create->lpszClass : "") != "Button") {
                self->texts.push_back(create->lpszName);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static inline EditModeMessageBoxes* current_ = nullptr;
    std::deque<int> answers_;
    HWND box_ = nullptr;
    HHOOK hook_ = nullptr;
};

class EditModeEnabledProbe : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override { enabled = bOn; }
    void SetCheck(int) override {}
    void SetText(LPCTSTR) override {}
    BOOL enabled = FALSE;
};

class EditModeTest : public QueryWindowTest {
protected:
    void SetUp() override
    {
        QueryWindowTest::SetUp();
        // The server's files outlive a test: each test has its own table.
        static int tables = 0;
        table = "EditStock" + std::to_string(++tables) + "_" + std::to_string(std::random_device{}() % 1000000);
        RunOnServer("create table " + table + " (id int, name varchar(20), qty int)\n" + "insert into " + table +
                    " values (1, 'a', 10)\ninsert into " + table + " values (2, 'b', 20)\ninsert into " + table +
                    " values (3, 'c', 30)");
    }

    // The Edit-Mode editor's text set, its tab active, then F5.
    CVelQryEditModeView* ExecuteEditMode(const std::string& text)
    {
        CVelQryView* pQuery = window->m_pQueryView;
        pQuery->SetActiveView(pQuery->m_nEditModeTab);
        CKtvPEditCtrl* pEdit = pQuery->GetEditModeView()->GetEditCtrl();
        pEdit->SetText(text.c_str());
        pEdit->SetFocus();
        Pump();
        PressKey(VK_F5);
        Pump();
        return window->GetEditModeGrid();
    }

    CVelQryEditModeView* OpenTable() { return ExecuteEditMode("select * from " + table + " order by id"); }

    static tw::grid::GridControlObject* Control(CVelQryEditModeView* pView)
    {
        return dynamic_cast<tw::grid::GridControlObject*>(pView->m_wndGrid.GetControlUnknown());
    }

    static Rows GridRows(CVelQryEditModeView* pView)
    {
        Rows rows;
        const tw::grid::GridDataset& dataset = Control(pView)->Model()->Dataset();
        for (int r = 0; r < dataset.RowCount(); ++r) {
            std::vector<std::string> row;
            for (int f = 0; f < dataset.FieldCount(); ++f)
                row.emplace_back(dataset.Text(r, f));
            rows.push_back(row);
        }
        return rows;
    }

    // The table as a fresh connection reads it.
    Rows SeenByAnotherConnection()
    {
        ADODB::_ConnectionPtr reader("ADODB.Connection");
        reader->Open(kSampleConnection, "", "", -1);
        ADODB::_RecordsetPtr rows =
            reader->Execute(("select id, name, qty from " + table + " order by id").c_str(), nullptr, ADODB::adCmdText);
        Rows seen;
        for (; !rows->GetEOF(); rows->MoveNext()) {
            std::vector<std::string> row;
            for (long i = 0; i < 3; ++i) {
                const _variant_t value = rows->GetCollect(i);
                row.emplace_back(value.vt == VT_NULL ? "NULL" : static_cast<const char*>(_bstr_t(value)));
            }
            seen.push_back(row);
        }
        reader->Close();
        return seen;
    }

    // A key pressed in the grid window.
    void GridKey(CVelQryEditModeView* pView, UINT vk)
    {
        ::SetFocus(Control(pView)->GridWindow());
        input.KeyStroke(vk);
        Pump();
    }

    void EditCell(CVelQryEditModeView* pView, int row, const char* field, const std::string& text)
    {
        tw::grid::GridModel& model = *Control(pView)->Model();
        model.MoveTo(row);
        tw::grid::GridView::FromHandle(Control(pView)->GridWindow())
            ->SetFocusedColumn(model.Columns().IndexByFieldName(field));
        GridKey(pView, VK_F2);
        TypeKeys(text);
        GridKey(pView, VK_RETURN);
    }

    void Command(CVelQryEditModeView* pView, UINT nID)
    {
        pView->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
        Pump();
    }

    static bool Enabled(CVelQryEditModeView* pView, UINT nID)
    {
        EditModeEnabledProbe probe;
        probe.m_nID = nID;
        probe.DoUpdate(pView, FALSE);
        return probe.enabled != FALSE;
    }

    std::string table;
};

const Rows kStartRows = {{"1", "a", "10"}, {"2", "b", "20"}, {"3", "c", "30"}};

TEST_F(EditModeTest, ExecuteOnTheEditModeTabShowsTheRowsInOneEditGridTab)
{
    RunBatch(window, "select 1 as n");
    ASSERT_EQ(ResultGrids(window).size(), 1u);
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(ResultGrids(window).empty());
    EXPECT_EQ(window->m_pResultView->GetTabControl().GetTabsNum(), 1);
    EXPECT_EQ(GridRows(pView), kStartRows);
    // The toolbar keeps twelve buttons: Go To is the Result menu's only.
    EXPECT_EQ(pView->m_wndToolBar.GetCount(), 12);
}

TEST_F(EditModeTest, AnEditedCellReachesTheServerOnlyOnSave)
{
    CVelQryEditModeView* pView = OpenTable();
    ASSERT_NE(pView, nullptr);
    EditCell(pView, 1, "qty", "25");
    EXPECT_EQ(GridRows(pView)[1][2], "25");
    EXPECT_EQ(SeenByAnotherConnection(), kStartRows);
    Command(pView, CVelQryEditModeView::ID_EDIT_SAVE);
    EXPECT_EQ(SeenByAnotherConnection(), (Rows{{"1", "a", "10"}, {"2", "b", "25"}, {"3", "c", "30"}}));
}

}  // namespace
}  // namespace querytest
