// Parameter tips typed against the sample database: the signature texts, the
// bold parameter as arguments are typed and the caret moves, the closing
// rules, and where the tip stands.
#include "tests/sqleditor/CompletionNamesFixture.h"

#include "sqleditor/FuncTipWnd.h"

using sqled_names_test::CompletionTest;

namespace {

class CompletionTips : public CompletionTest {
protected:
    void SetUp() override
    {
        CompletionTest::SetUp();
        Run("use TarnSample; if object_id('dbo.tip_kinds') is null exec('create procedure dbo.tip_kinds @i int, "
            "@s sysname, @d decimal(18,2), @f float, @c varchar(30) output as select 1')");
        Run("use TarnSample; if object_id('dbo.tip_none') is null exec('create procedure dbo.tip_none as select 1')");
        SwitchDatabase("TarnSample");
        recorder->Clear();
    }

    CFuncTipStatic* Tip() const
    {
        if (edit->m_pFuncTipWnd == nullptr || !edit->m_bFuncTipOpen)
            return nullptr;
        return &edit->m_pFuncTipWnd->m_dlgTip.m_wndText;
    }

    std::string Signature() const
    {
        return Tip() != nullptr ? std::string(static_cast<const char*>(Tip()->GetSignature())) : std::string();
    }

    // The scale the server reports for a parameter ("" for none).
    std::string Scale(const char* routine, const char* parameter)
    {
        SQLDMO::_QueryResultsPtr results = frame->m_SQLServer->ExecuteWithResults(
            (std::string("use TarnSample; exec sp_sproc_columns ") + routine).c_str());
        long nameColumn = 0;
        long scaleColumn = 0;
        for (long column = 1; column <= results->GetColumns(); ++column) {
            const std::string name = static_cast<const char*>(results->GetColumnName(column));
            nameColumn = name == "COLUMN_NAME" ? column : nameColumn;
            scaleColumn = name == "SCALE" ? column : scaleColumn;
        }
        for (long row = 1; row <= results->GetRows(); ++row) {
            if (std::string(static_cast<const char*>(results->GetColumnString(row, nameColumn))) == parameter)
                return static_cast<const char*>(results->GetColumnString(row, scaleColumn));
        }
        return "?";
    }

    int Bold() const { return Tip() != nullptr ? Tip()->m_nCurrentParam : 0; }

    // The tip windows on the screen.
    int TipWindows()
    {
        Pump();
        int count = 0;
        for (HWND hwnd : tw::test::TopLevelWindows())
            count += dynamic_cast<CCustomerEditIntelliFuncWnd*>(CWnd::FromHandlePermanent(hwnd)) != nullptr ? 1 : 0;
        return count;
    }
};

struct SignatureRow {
    const char* typed;
    const char* signature;
};

} // namespace

TEST_F(CompletionTips, TheTipShowsTheRoutinesSignature)
{
    // Float and real show the server's precision and scale, whatever that scale is.
    const std::string floatText = "@f float(53." + Scale("tip_kinds", "@f") + ")";
    const std::string realText = "@Discount real(24." + Scale("fn_linetotal", "@Discount") + ")";
    const std::string kinds = "int tip_kinds (@i int, @s nvarchar(128), @d decimal(18.2), " + floatText + ", @c varchar(30))";
    const std::string lineTotal = "money dbo.fn_linetotal (@UnitPrice money, @Quantity smallint, " + realText + ")";
    const SignatureRow rows[] = {
        {"exec tip_kinds ", kinds.c_str()},
        {"exec tip_none ", "int tip_none ()"},
        {"exec usp_customerorders(", "int usp_customerorders (@CustomerID int, @OrderCount int)"},
        {"exec dbo.usp_customerorders ", "int dbo.usp_customerorders (@CustomerID int, @OrderCount int)"},
        {"select dbo.fn_linetotal(", lineTotal.c_str()},
    };
    for (const SignatureRow& row : rows) {
        SetText("");
        Type(row.typed);
        EXPECT_EQ(Signature(), row.signature) << row.typed;
        EXPECT_EQ(Bold(), 1) << row.typed;
        edit->CloseFuncTip();
    }
}

TEST_F(CompletionTips, TheRoutineTypedIsAskedForExactlyOnce)
{
    Type("exec usp_customerorders ");
    EXPECT_EQ(TakeBatches(),
              std::vector<std::string>{"use TarnSample; Execute sp_sproc_columns usp_customerorders;"});
    edit->CloseFuncTip();
    SetText("");
    Type("exec dbo.usp_customerorders ");
    EXPECT_EQ(TakeBatches(),
              std::vector<std::string>{"use TarnSample; Execute sp_sproc_columns usp_customerorders, dbo;"});
}

TEST_F(CompletionTips, TheBoldParameterFollowsTheArgumentsTyped)
{
    Type("exec tip_kinds 1, ");
    EXPECT_EQ(Bold(), 2);
    Type("'a,b', ");
    EXPECT_EQ(Bold(), 3) << "a comma inside a literal counts for nothing";
    Type("(1 + 2) * 3, ");
    EXPECT_EQ(Bold(), 4) << "commas inside parentheses count for nothing";
    Type("1, 2, 3");
    EXPECT_EQ(Bold(), 6) << "more commas than parameters leave none in bold";
    KeyDown(VK_HOME);
    EXPECT_EQ(Bold(), 6);
}

TEST_F(CompletionTips, CaretKeysMoveTheBoldParameterWithinTheList)
{
    Type("exec tip_kinds 1,2");
    ASSERT_EQ(Bold(), 2);
    KeyDown(VK_LEFT);   // over "2"
    EXPECT_EQ(Bold(), 2);
    KeyDown(VK_LEFT);   // over ","
    EXPECT_EQ(Bold(), 1);
    KeyDown(VK_RIGHT);  // over "," again
    EXPECT_EQ(Bold(), 2);
    KeyDown(VK_END);
    KeyDown(VK_BACK);
    KeyDown(VK_BACK);
    EXPECT_EQ(Bold(), 1);
    KeyDown(VK_BACK);
    EXPECT_EQ(Bold(), 1) << "never below the first";
    KeyDown(VK_BACK);
    EXPECT_EQ(Tip(), nullptr) << "back before the tip's start closes it";
}

struct ClosingRow {
    const char* opening;
    const char* typed;  // characters, or "" when key is used
    UINT key;
    bool closes;
};

TEST_F(CompletionTips, ClosingCharactersAndKeys)
{
    const ClosingRow rows[] = {
        {"exec tip_kinds(", ")", 0, true},
        {"exec tip_kinds(", "]", 0, false},
        {"exec tip_kinds(", ";", 0, true},
        {"select dbo.fn_linetotal(", ")", 0, false},
        {"select dbo.fn_linetotal(", "]", 0, true},
        {"select dbo.fn_linetotal(", ";", 0, true},
        {"exec tip_kinds(", "", VK_ESCAPE, true},
        {"exec tip_kinds(", "", VK_RETURN, true},
        {"exec tip_kinds(", "", VK_MENU, true},
        {"exec tip_kinds(", "", VK_HOME, false},
    };
    for (const ClosingRow& row : rows) {
        edit->CloseFuncTip();
        SetText("");
        Type(row.opening);
        ASSERT_NE(Tip(), nullptr) << row.opening;
        if (row.key != 0)
            KeyDown(row.key);
        else
            Type(row.typed);
        EXPECT_EQ(Tip() == nullptr, row.closes) << row.opening << " then " << row.typed << row.key;
        if (row.closes)
            EXPECT_EQ(edit->m_bProcedureTip + edit->m_bFunctionTip, 0);
    }
    Type("exec tip_kinds(");
    ASSERT_NE(Tip(), nullptr);
    ::SendMessage(edit->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    ::SendMessage(edit->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    Pump();
    EXPECT_EQ(Tip(), nullptr) << "a click in the editor closes the tip";
    EXPECT_EQ(TipWindows(), 0);
}

TEST_F(CompletionTips, OneTipAtATimeOneRowBelowTheCaret)
{
    Type("exec tip_kinds ");
    ASSERT_EQ(TipWindows(), 1);
    Type("1; exec tip_none ");
    EXPECT_EQ(TipWindows(), 1);
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Signature(), "int tip_none ()");

    POINT caret{};
    edit->OffsetToPoint(edit->m_nFuncTipStart, caret);
    ::ClientToScreen(edit->m_hWnd, &caret);
    CRect tip;
    edit->m_pFuncTipWnd->GetWindowRect(tip);
    EXPECT_EQ(tip.left, caret.x);
    EXPECT_EQ(tip.top, caret.y + edit->m_nRowHeight);
    // Light yellow inside its black frame.
    EXPECT_EQ(ScreenPixel(edit->m_pFuncTipWnd->m_hWnd, tip.Width() - 2, tip.Height() / 2), RGB(255, 255, 200));
    EXPECT_EQ(ScreenPixel(edit->m_pFuncTipWnd->m_hWnd, 0, tip.Height() / 2), RGB(0, 0, 0));
}

TEST_F(CompletionTips, ACallInsideTheArgumentsHasATipOfItsOwnKind)
{
    Type("exec tip_kinds 1, dbo.fn_linetotal(");
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(edit->m_bFunctionTip, 1);
    EXPECT_EQ(edit->m_bProcedureTip, 0);
    EXPECT_EQ(TipWindows(), 1);
    Type("1, 2)");
    EXPECT_NE(Tip(), nullptr) << "a function's tip stays open at its closing parenthesis";
    EXPECT_EQ(Bold(), 2);
}

TEST_F(CompletionTips, AnEditorGoingAwayTakesItsTipAlong)
{
    Type("exec tip_kinds ");
    ASSERT_EQ(TipWindows(), 1);
    edit->DestroyWindow();
    edit.reset();
    EXPECT_EQ(TipWindows(), 0);
    NewEditor();
}

TEST_F(CompletionTips, CharactersTypedIntoTheTipReachTheEditor)
{
    Type("exec tip_kinds 1");
    ASSERT_NE(Tip(), nullptr);
    CFuncTipDialog& dialog = edit->m_pFuncTipWnd->m_dlgTip;
    ::SendMessage(dialog.m_hWnd, WM_CHAR, ',', 1);
    ::SendMessage(dialog.m_hWnd, WM_CHAR, '\t', 1);
    EXPECT_EQ(Text(), "exec tip_kinds 1,");
    EXPECT_EQ(Bold(), 2);
}

TEST_F(CompletionTips, ATipNearTheScreensEdgeStaysOnTheWorkArea)
{
    RECT work{};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    CRect client;
    frame->GetClientRect(client);
    // The editor's left edge some 150 pixels short of the work area's right.
    POINT origin{work.right - 150, 0};
    ::ScreenToClient(frame->m_hWnd, &origin);
    edit->MoveWindow(origin.x, 10, 140, 200);
    Type("exec tip_kinds ");
    ASSERT_NE(Tip(), nullptr);
    CRect tip;
    edit->m_pFuncTipWnd->GetWindowRect(tip);
    EXPECT_LE(tip.right, work.right);
    EXPECT_GE(tip.left, work.left);
    CRect text;
    Tip()->GetClientRect(text);
    EXPECT_EQ(text.Width(), tip.Width());
}

TEST_F(CompletionTips, NothingOpensBehindWhatIsNotARoutine)
{
    const char* typed[] = {"select * from orders(", "exec nosuchproc ", "select count(", "exec tip_kinds  "};
    for (const char* text : typed) {
        edit->CloseFuncTip();
        SetText("");
        Type(text);
        if (std::string(text) == "exec tip_kinds  ") {
            // The second blank does not open it again over the first.
            EXPECT_EQ(TipWindows(), 1);
            continue;
        }
        EXPECT_EQ(Tip(), nullptr) << text;
        EXPECT_EQ(edit->m_bProcedureTip + edit->m_bFunctionTip, 0) << text;
    }
}
