// The query edit view in an MDI child of the real main window: the Edit
// menu's SQL commands and their enabled states, the description headers,
// Date, the text to execute, and the font and colours from the settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/win32/user/BeepTrace.h"
#include "sqleditor/QueryEditView.h"
#include "tests/app/mainwindow/MainWindowFixture.h"
#include "ui/controls/KtvPCalendarMenuButton.h"

namespace sqled_view_test {
namespace {

using tw::test::App;

class CmdState : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
    BOOL enabled = TRUE;
    int checked = 0;
};

class QueryEditViewTest : public tw::test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveKey(ID_SQLED_DATE);
    }

    void TearDown() override
    {
        CKtvPCalendarMenuButton::m_CalendarsByCmd.RemoveKey(ID_SQLED_DATE);
        MainWindowTest::TearDown();
    }

    // A new MDI child showing a query edit view.
    void OpenView()
    {
        doc.m_bAutoDelete = FALSE;  // the fixture owns it
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CQueryEditView);
        context.m_pCurrentDoc = &doc;
        child = new CMDIChildWnd;
        ASSERT_TRUE(child->Create(nullptr, "BatchEdit", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                  CFrameWnd::rectDefault, frame, nullptr, 0, &context));
        child->InitialUpdateFrame(&doc, TRUE);
        Pump();
        view = dynamic_cast<CQueryEditView*>(child->GetActiveView());
        ASSERT_NE(view, nullptr);
        edit = view->GetSqlEdit();
        ASSERT_NE(dynamic_cast<CCustomerEditCtrl*>(view->m_pEdit), nullptr);
    }

    void SetText(const char* text) { ::SendMessage(edit->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    std::string Text() const { return std::string(edit->GetText().GetString()); }
    void Type(const std::string& text)
    {
        for (unsigned char ch : text)
            ::SendMessage(edit->m_hWnd, WM_CHAR, ch, 0);
    }
    // As a menu choice reaches the view: through its frame.
    void Command(UINT id) { child->SendMessage(WM_COMMAND, id); }
    CmdState State(UINT id)
    {
        CmdState state;
        state.m_nID = id;
        state.DoUpdate(view, TRUE);
        return state;
    }

    CDocument doc;
    CMDIChildWnd* child = nullptr;
    CQueryEditView* view = nullptr;
    CCustomerEditCtrl* edit = nullptr;
};

TEST_F(QueryEditViewTest, CommandsAreEnabledByTextSelectionBookmarksAndReadOnly)
{
    OpenView();
    struct Row {
        UINT id;
        BOOL empty;      // enabled with no text
        BOOL text;       // enabled with text, nothing selected
        BOOL selected;   // enabled with a selection
        BOOL readOnly;   // enabled with a selection while ReadOnly is checked
    };
    const Row rows[] = {
        {ID_SQLED_CLEAR_ALL, FALSE, TRUE, TRUE, FALSE},
        {ID_SQLED_COMMENT, FALSE, TRUE, TRUE, FALSE},
        {ID_SQLED_UNCOMMENT, FALSE, TRUE, TRUE, FALSE},
        {ID_SQLED_LOWERCASE, FALSE, FALSE, TRUE, FALSE},
        {ID_SQLED_UPPERCASE, FALSE, FALSE, TRUE, FALSE},
        {ID_EDIT_SELECT_ALL, TRUE, TRUE, TRUE, TRUE},
        {ID_SQLED_TABIFY, TRUE, TRUE, TRUE, FALSE},
        {ID_SQLED_UNTABIFY, TRUE, TRUE, TRUE, FALSE},
        {ID_SQLED_READ_ONLY, TRUE, TRUE, TRUE, TRUE},
        {ID_SQLED_DATE, TRUE, TRUE, TRUE, FALSE},
        {ID_SQLED_DESCRIPTION_FIRST, TRUE, TRUE, TRUE, FALSE},
        {ID_SQLED_DESCRIPTION_LAST, TRUE, TRUE, TRUE, FALSE},
        {ID_SQLED_TOGGLE_BOOKMARK, TRUE, TRUE, TRUE, TRUE},
        {ID_SQLED_CLEAR_BOOKMARKS, FALSE, FALSE, FALSE, FALSE},
    };
    const auto check = [&](BOOL Row::*column, const char* stateName) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(stateName) + " " + std::to_string(row.id));
            EXPECT_EQ(State(row.id).enabled, row.*column);
        }
    };
    check(&Row::empty, "empty");
    SetText("select a\nfrom t");
    check(&Row::text, "text");
    edit->SetSelection(0, 6, FALSE, TRUE);
    check(&Row::selected, "selected");
    EXPECT_EQ(State(ID_SQLED_READ_ONLY).checked, 0);
    Command(ID_SQLED_READ_ONLY);
    EXPECT_TRUE(edit->m_bReadOnly);
    EXPECT_EQ(State(ID_SQLED_READ_ONLY).checked, 1);
    check(&Row::readOnly, "read-only");

    Command(ID_SQLED_TOGGLE_BOOKMARK);
    EXPECT_TRUE(State(ID_SQLED_CLEAR_BOOKMARKS).enabled) << "a bookmark exists";
    Command(ID_SQLED_READ_ONLY);
    EXPECT_FALSE(edit->m_bReadOnly);
    EXPECT_EQ(State(ID_SQLED_READ_ONLY).checked, 0);
}

TEST_F(QueryEditViewTest, ReadOnlyRefusesEveryChangingCommandAndTheOperationsBeep)
{
    OpenView();
    SetText("select a\nfrom t");
    edit->SetSelection(0, 6, FALSE, TRUE);
    Command(ID_SQLED_READ_ONLY);
    const UINT commands[] = {ID_SQLED_CLEAR_ALL, ID_SQLED_COMMENT,   ID_SQLED_UNCOMMENT,
                             ID_SQLED_LOWERCASE, ID_SQLED_UPPERCASE, ID_SQLED_TABIFY,
                             ID_SQLED_UNTABIFY,  ID_SQLED_DATE,      ID_SQLED_DESCRIPTION_FIRST};
    for (UINT id : commands) {
        SCOPED_TRACE(id);
        Command(id);
        EXPECT_EQ(Text(), "select a\nfrom t");
    }
    // Reached some other way, the operations refuse too.
    tw::user::ResetBeepTrace();
    EXPECT_FALSE(edit->CommentSelection(TRUE));
    EXPECT_FALSE(edit->CommentSelection(FALSE));
    EXPECT_FALSE(edit->ChangeSelectionCase(TRUE));
    EXPECT_FALSE(edit->ChangeSelectionCase(FALSE));
    EXPECT_EQ(Text(), "select a\nfrom t");
    EXPECT_EQ(tw::user::BeepTrace().size(), 4u);
    Type("x");
    EXPECT_EQ(Text(), "select a\nfrom t");
    EXPECT_FALSE(edit->CanUndo());
}

TEST_F(QueryEditViewTest, EditCommandsChangeTheText)
{
    OpenView();
    const struct {
        const char* name;
        const char* text;
        int selStart;  // -1: the caret at selEnd, nothing selected
        int selEnd;
        UINT id;
        const char* after;
    } cases[] = {
        {"comment", "a\nb", 0, 3, ID_SQLED_COMMENT, "--a\n--b"},
        {"uncomment", "--a\n  --b", -1, 0, ID_SQLED_UNCOMMENT, "a\n  b"},
        {"upper case", "select x", 0, 6, ID_SQLED_UPPERCASE, "SELECT x"},
        {"lower case", "SELECT X", 7, 8, ID_SQLED_LOWERCASE, "SELECT x"},
        {"clear all", "a\nb", -1, 1, ID_SQLED_CLEAR_ALL, ""},
        {"tab with a selection indents the rows", "a\nb", 0, 3, ID_SQLED_TABIFY, "\ta\n\tb"},
        {"tab without one inserts at the caret", "ab", -1, 1, ID_SQLED_TABIFY, "a\tb"},
        {"shift+tab with a selection unindents", "\ta\n\tb", 0, 5, ID_SQLED_UNTABIFY, "a\nb"},
        {"shift+tab without one unindents the caret row", "\ta\n\tb", -1, 4, ID_SQLED_UNTABIFY, "\ta\nb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetText(c.text);
        if (c.selStart >= 0)
            edit->SetSelection(c.selStart, c.selEnd, FALSE, TRUE);
        else
            edit->SetCaret(c.selEnd);
        Command(c.id);
        EXPECT_EQ(Text(), c.after);
        ASSERT_TRUE(edit->Undo());
        EXPECT_EQ(Text(), c.text) << "one step";
    }

    SetText("select 1");
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(edit->m_nSelStart, 0);
    EXPECT_EQ(edit->m_nSelEnd, 8);
}

TEST_F(QueryEditViewTest, DescriptionHeadersAreInsertedExactlyAsOneUndoStep)
{
    OpenView();
    const std::string rule = "-- =============================================\n";
    const std::string expected[] = {
        "\n" + rule + "-- public comment\n" + rule,
        "\n-- PARAMETERS\n" + rule + "-- @PARAMETER1\t\t\tcontent...\n-- @PARAMETER2\t\t\tcontent...\n" + rule,
        "\n-- Name\n" + rule + "-- Creator\t\t\tcontent...\n-- Version\t\t\t1.0\n-- Date created\t\t1900-01-01\n" + rule,
        "\n-- REMARKS\n" + rule + "-- \n-- \n-- \n-- \n-- \n" + rule,
        "\n-- RETURN VALUES\n" + rule + "-- 0 = success\n-- 1 = \n-- 2 = \n" + rule,
    };
    for (UINT id = ID_SQLED_DESCRIPTION_FIRST; id <= ID_SQLED_DESCRIPTION_LAST; ++id) {
        SCOPED_TRACE(id);
        SetText("");
        Type("go");
        Command(id);
        EXPECT_EQ(Text(), "go" + expected[id - ID_SQLED_DESCRIPTION_FIRST]);
        ASSERT_TRUE(edit->Undo());
        EXPECT_EQ(Text(), "go") << "the header is one step";
        ASSERT_TRUE(edit->CanUndo()) << "the typing before it is still there";
    }
    EXPECT_TRUE(SqlDescriptionTemplate(ID_SQLED_DESCRIPTION_LAST + 1).IsEmpty());
}

TEST_F(QueryEditViewTest, DateInsertsTheChosenDateOrTodayAsOneUndoStep)
{
    OpenView();
    Type("x ");
    Command(ID_SQLED_DATE);
    const COleDateTime today = COleDateTime::GetCurrentTime();
    char todayText[16];
    std::snprintf(todayText, sizeof todayText, "%02d/%02d/%04d", today.GetMonth(), today.GetDay(), today.GetYear());
    EXPECT_EQ(Text(), std::string("x ") + todayText) << "no date chosen: today";
    ASSERT_TRUE(edit->Undo());
    EXPECT_EQ(Text(), "x ");
    EXPECT_TRUE(edit->CanUndo());

    CKtvPCalendarMenuButton button(ID_SQLED_DATE, "Date");
    button.SetDate(COleDateTime(2026, 3, 7, 0, 0, 0), FALSE);
    Command(ID_SQLED_DATE);
    EXPECT_EQ(Text(), "x 03/07/2026");
}

TEST_F(QueryEditViewTest, ExecuteTextIsTheSelectionOrTheWholeText)
{
    OpenView();
    SetText("select 1\nselect 2");
    EXPECT_STREQ(view->GetExecuteText(), "select 1\nselect 2");
    edit->SetSelection(17, 9, FALSE, TRUE);
    EXPECT_STREQ(view->GetExecuteText(), "select 2");
    edit->SetSelection(3, 3, FALSE, TRUE);
    EXPECT_STREQ(view->GetExecuteText(), "select 1\nselect 2") << "an empty selection runs everything";

    edit->SetCaret(0);
    edit->m_nSelStart = edit->m_nSelEnd = -1;
    view->InsertText("use pubs\n");
    EXPECT_EQ(Text(), "use pubs\nselect 1\nselect 2");
    ASSERT_TRUE(edit->Undo());
    EXPECT_EQ(Text(), "select 1\nselect 2");
}

TEST_F(QueryEditViewTest, BookmarksToggleMoveAndClear)
{
    OpenView();
    SetText("a\nb\nc\nd");
    edit->SetCaret(2);
    Command(ID_SQLED_TOGGLE_BOOKMARK);
    edit->SetCaret(6);
    Command(ID_SQLED_TOGGLE_BOOKMARK);
    edit->SetCaret(0);
    Command(ID_SQLED_NEXT_BOOKMARK);
    EXPECT_EQ(edit->OffsetToRow(edit->GetCaretOffset()), 1);
    Command(ID_SQLED_NEXT_BOOKMARK);
    EXPECT_EQ(edit->OffsetToRow(edit->GetCaretOffset()), 3);
    Command(ID_SQLED_PREV_BOOKMARK);
    EXPECT_EQ(edit->OffsetToRow(edit->GetCaretOffset()), 1);
    Command(ID_SQLED_TOGGLE_BOOKMARK);
    EXPECT_TRUE(edit->HasMarkers(SQLED_MARKER_BOOKMARK));
    Command(ID_SQLED_CLEAR_BOOKMARKS);
    EXPECT_FALSE(edit->HasMarkers(SQLED_MARKER_BOOKMARK));
}

TEST_F(QueryEditViewTest, FontAndColoursComeFromTheSettingsStore)
{
    App().WriteSectionString("SRTTextFont", "SRTFontClr", "DejaVu Sans");
    App().WriteSectionString("SRTTextSize", "SRTFontClr", "20");
    App().WriteSectionInt("SRTTextBold", "SRTFontClr", 1);
    App().WriteSectionString("SRTTextForeClr", "SRTFontClr", "ff0000");
    App().WriteSectionString("SRTTextBackClr", "SRTFontClr", "0");
    App().WriteSectionString("SRTSelectedTextForeClr", "SRTFontClr", "00ff80");
    App().WriteSectionString("SRTSelectedTextBackClr", "SRTFontClr", "102030");
    App().WriteSectionString("SRTInactiveSelectedTextForeClr", "SRTFontClr", "abc");
    App().WriteSectionString("SRTInactiveSelectedTextBackClr", "SRTFontClr", "0000ff");
    OpenView();
    LOGFONT lf{};
    ASSERT_TRUE(::GetObject(reinterpret_cast<HFONT>(::SendMessage(edit->m_hWnd, WM_GETFONT, 0, 0)), sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(lf.lfHeight, 20);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(edit->m_clrText, RGB(255, 0, 0));
    EXPECT_EQ(edit->m_clrBack, RGB(0, 0, 0)) << "\"0\" is black";
    EXPECT_EQ(edit->m_clrSelText, RGB(0, 255, 128));
    EXPECT_EQ(edit->m_clrSelBack, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(edit->m_clrSelTextUnfocused, RGB(0, 0, 0)) << "not six digits is black";
    EXPECT_EQ(edit->m_clrSelBackUnfocused, RGB(0, 0, 255));
}

TEST_F(QueryEditViewTest, WithNothingStoredTheFontIsCourierNew16AndTheColoursStay)
{
    CCustomerEditCtrl plain;
    plain.Create(WS_CHILD, RECT{0, 0, 10, 10}, frame, 1);
    OpenView();
    LOGFONT lf{};
    ASSERT_TRUE(::GetObject(reinterpret_cast<HFONT>(::SendMessage(edit->m_hWnd, WM_GETFONT, 0, 0)), sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(edit->m_clrText, plain.m_clrText);
    EXPECT_EQ(edit->m_clrSelBack, plain.m_clrSelBack);
    EXPECT_TRUE(edit->m_bEnableIntelliSense);
    EXPECT_EQ(edit->m_pMainFrame, frame) << "the editor knows the main window";
    CString tip("ind");
    EXPECT_TRUE(edit->OnGetTipText(tip));
    EXPECT_STREQ(tip, "int ind = -1") << "the hover tips are in place";
    plain.DestroyWindow();
}

TEST_F(QueryEditViewTest, TheFramesKeysReachTheViewsCommands)
{
    OpenView();
    frame->MDIActivate(child);
    edit->SetFocus();
    Pump();
    const auto keys = [&](std::initializer_list<UINT> held, UINT key) {
        for (UINT vk : held)
            input.KeyDown(vk);
        input.KeyStroke(key);
        for (UINT vk : held)
            input.KeyUp(vk);
        // Through the program's own loop, which gives the frame its keys first.
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) && App().PumpMessage()) {
        }
        Pump();
    };
    SetText("select a\nfrom t");
    keys({VK_CONTROL}, 'W');
    EXPECT_EQ(Text(), "--select a\n--from t");
    keys({VK_CONTROL}, 'E');
    EXPECT_EQ(Text(), "select a\nfrom t");

    SetText("select a\nfrom t");  // nothing selected
    edit->SetCaret(6);
    keys({}, VK_TAB);
    EXPECT_EQ(Text(), "select\t a\nfrom t") << "Tab without a selection indents at the caret";
    keys({VK_SHIFT}, VK_TAB);
    EXPECT_EQ(Text(), "select\t a\nfrom t") << "nothing to unindent on this row";
    edit->SetCaret(10);
    keys({}, VK_TAB);
    EXPECT_EQ(Text(), "select\t a\n\tfrom t");
    keys({VK_SHIFT}, VK_TAB);
    EXPECT_EQ(Text(), "select\t a\nfrom t");

    edit->SetSelection(0, 6, FALSE, TRUE);
    keys({VK_CONTROL, VK_SHIFT}, 'U');
    EXPECT_EQ(Text(), "SELECT\t a\nfrom t");
    keys({VK_CONTROL, VK_SHIFT}, VK_DELETE);
    EXPECT_EQ(Text(), "");
}

TEST_F(QueryEditViewTest, TheEditMenuShowsTheRealKeys)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(131));
    CString text;
    menu.GetMenuString(ID_SQLED_TOGGLE_BOOKMARK, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Toggle Bookmark\tCtrl+F2");
    menu.GetMenuString(ID_SQLED_CLEAR_ALL, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "Clear A&ll\tCtrl+Shift+Del");
}

} // namespace
} // namespace sqled_view_test
