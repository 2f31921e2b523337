// The SQL editor control: comment marks, case change, replace, its answers
// to failed operations, hover tips, the marker rule and typed characters.
#include "tests/sqleditor/SqlEditorFixture.h"

#include <filesystem>
#include <fstream>

#include "editctrl/KtvPEditMarker.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/user/BeepTrace.h"

namespace sqled_test {
namespace {

struct CommentCase {
    const char* name;
    const char* text;
    int selStart;  // -1: no selection
    int selEnd;
    BOOL comment;
    const char* result;
    int resultStart;
    int resultEnd;
};

const CommentCase kCommentCases[] = {
    {"rows with blanks and an empty row", "  a\n\n  b", 0, 8, TRUE, "  --a\n--\n  --b", 0, 14},
    {"no selection takes every row", "a\nb", -1, -1, TRUE, "--a\n--b", 0, 7},
    {"last row of one character", "select\nx", 0, 8, TRUE, "--select\n--x", 0, 12},
    {"selection ending at a row start", "abc\ndef\n", 0, 4, TRUE, "--abc\ndef\n", 0, 6},
    {"backwards selection keeps its active end first", "abc\ndef", 6, 1, TRUE, "--abc\n--def", 11, 0},
    {"final line break leaves the empty row", "a\n", -1, -1, TRUE, "--a\n", 0, 4},
    {"selection inside one row takes the row", "x = 1\ny = 2", 8, 9, TRUE, "x = 1\n--y = 2", 6, 13},
    {"uncomment four blanks loses two", "    select 1", -1, -1, FALSE, "  select 1", 0, 10},
    {"uncomment removes the marks after blanks", "  --select 1\nselect 2", -1, -1, FALSE,
     "  select 1\nselect 2", 0, 19},
    {"uncomment over empty rows", "--a\n\n--b\n", -1, -1, FALSE, "a\n\nb\n", 0, 5},
    {"uncomment one hyphen only", "-a", 0, 2, FALSE, "-a", 0, 2},
    {"uncomment a row without marks", "select 1", -1, -1, FALSE, "select 1", 0, 8},
    {"uncomment a row with one leading blank", " a\n--b", 0, 6, FALSE, "a\nb", 0, 3},
};

TEST_F(SqlEditorTest, CommentAndUncommentChangeTheRowsAndUndoInOneStep)
{
    for (const auto& c : kCommentCases) {
        SCOPED_TRACE(c.name);
        SetText(c.text);
        if (c.selStart >= 0)
            edit.SetSelection(c.selStart, c.selEnd, FALSE, TRUE);
        ASSERT_TRUE(edit.CommentSelection(c.comment));
        EXPECT_EQ(Text(), c.result);
        EXPECT_EQ(Selection(), std::make_pair(c.resultStart, c.resultEnd));
        EXPECT_EQ(edit.GetCaretOffset(), c.resultEnd);
        if (std::string(c.text) == c.result) {
            EXPECT_FALSE(edit.CanUndo()) << "nothing changed, nothing to undo";
            continue;
        }
        ASSERT_TRUE(edit.Undo());
        EXPECT_EQ(Text(), c.text) << "one undo puts back every row";
        EXPECT_FALSE(edit.CanUndo());
        ASSERT_TRUE(edit.Redo());
        EXPECT_EQ(Text(), c.result);
        EXPECT_EQ(TakeBeeps(), 0u);
    }
}

TEST_F(SqlEditorTest, CommentScrollsBackToItsFirstRowWhenThatIsAboveTheView)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "row" + std::to_string(i) + "\n";
    SetText(text);
    edit.SetCaret(edit.GetTextLength());
    ASSERT_GT(edit.m_nFirstVisibleRow, 10);
    const int firstVisible = edit.m_nFirstVisibleRow;

    // Rows inside the view: the view stays where it is.
    edit.SetSelection(edit.GetRowStartByNumber(firstVisible + 1), edit.GetTextLength(), FALSE, FALSE);
    ASSERT_TRUE(edit.CommentSelection(TRUE));
    EXPECT_EQ(edit.m_nFirstVisibleRow, firstVisible);

    edit.SetSelection(edit.GetRowStartByNumber(2), edit.GetRowStartByNumber(5), FALSE, FALSE);
    ASSERT_TRUE(edit.CommentSelection(TRUE));
    EXPECT_EQ(edit.m_nFirstVisibleRow, 2) << "the first commented row becomes the top row";
}

TEST_F(SqlEditorTest, CommentInBlockModeOrOnNoTextChangesNothingSilently)
{
    MessageBoxRecorder boxes;
    EXPECT_FALSE(edit.CommentSelection(TRUE));
    EXPECT_EQ(Text(), "");
    SetText("a\nb");
    edit.SetSelection(0, 3, FALSE, TRUE);
    edit.m_bBlockMode = TRUE;
    for (BOOL comment : {TRUE, FALSE}) {
        EXPECT_FALSE(edit.CommentSelection(comment));
        EXPECT_EQ(Text(), "a\nb");
    }
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_EQ(boxes.boxes, 0);
    EXPECT_EQ(TakeBeeps(), 0u);
}

TEST_F(SqlEditorTest, CaseChangeReplacesTheSelectionAsOneStep)
{
    const struct {
        const char* text;
        int selStart;
        int selEnd;
        BOOL upper;
        BOOL result;
        const char* after;
    } cases[] = {
        {"select From t", 0, 11, TRUE, TRUE, "SELECT FROM t"},
        {"SELECT From t", 11, 0, FALSE, TRUE, "select from t"},
        {"caf\xC3\xA9 x", 0, 5, TRUE, TRUE, "CAF\xC3\x89 x"},
        {"Mixed", -1, -1, TRUE, FALSE, "Mixed"},
        {"Mixed", -1, -1, FALSE, FALSE, "Mixed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetText(c.text);
        if (c.selStart >= 0)
            edit.SetSelection(c.selStart, c.selEnd, FALSE, TRUE);
        EXPECT_EQ(edit.ChangeSelectionCase(c.upper), c.result);
        EXPECT_EQ(Text(), c.after);
        if (!c.result) {
            EXPECT_FALSE(edit.CanUndo());
            continue;
        }
        ASSERT_TRUE(edit.Undo());
        EXPECT_EQ(Text(), c.text);
        EXPECT_FALSE(edit.CanUndo()) << "deletion and insertion are one step";
    }
}

TEST_F(SqlEditorTest, ReplaceSelTextTakesTheSelectionOrTheGivenRange)
{
    const struct {
        const char* name;
        int selStart;
        int selEnd;
        const char* with;
        int start;
        int end;
        const char* after;
    } cases[] = {
        {"the selection", 7, 8, "name", -1, -1, "select name from t"},
        {"a range given backwards", -1, -1, "a, b", 8, 7, "select a, b from t"},
        {"an empty range inserts", -1, -1, "top 1 ", 7, 7, "select top 1 * from t"},
        {"no selection inserts at the caret", -1, -1, "x", -1, -1, "xselect * from t"},
        {"empty text deletes", 6, 8, "", -1, -1, "select from t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetText("select * from t");
        if (c.selStart >= 0)
            edit.SetSelection(c.selStart, c.selEnd, FALSE, TRUE);
        edit.ReplaceSelText(c.with, FALSE, c.start, c.end);
        EXPECT_EQ(Text(), c.after);
        ASSERT_TRUE(edit.Undo());
        EXPECT_EQ(Text(), "select * from t");
        EXPECT_FALSE(edit.CanUndo());
    }
}

TEST_F(SqlEditorTest, FailedOperationsShowTheirBoxOrBeep)
{
    const struct {
        DWORD code;
        const char* box;  // null: no box
        size_t beeps;
    } cases[] = {
        {0x100, "PGUP Failed", 1},  {0x10000, "Edit Failed", 1}, {0x20000, "Edit Failed", 1},
        {0x40000, "Edit Failed", 1}, {0x80000, "Edit Failed", 1}, {0x100000, nullptr, 0},
        {0x400000, nullptr, 0},      {0x800000, nullptr, 0},      {0x200, nullptr, 1},
        {1, nullptr, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        MessageBoxRecorder boxes;
        edit.OnFailedOperation(c.code);
        Pump();
        if (c.box != nullptr) {
            EXPECT_EQ(boxes.boxes, 1);
            EXPECT_NE(std::find(boxes.texts.begin(), boxes.texts.end(), c.box), boxes.texts.end());
        } else {
            EXPECT_EQ(boxes.boxes, 0);
        }
        EXPECT_EQ(TakeBeeps(), c.beeps);
    }
}

TEST_F(SqlEditorTest, CopyWithNothingSelectedAndPageUpOnNoTextShowTheirBoxes)
{
    {
        MessageBoxRecorder boxes;
        SetText("select 1");
        edit.Copy();
        Pump();
        ASSERT_EQ(boxes.boxes, 1);
        EXPECT_NE(std::find(boxes.texts.begin(), boxes.texts.end(), "Edit Failed"), boxes.texts.end());
        EXPECT_EQ(TakeBeeps(), 1u);
    }
    {
        MessageBoxRecorder boxes;
        SetText("");
        KeyDown(VK_PRIOR);
        Pump();
        ASSERT_EQ(boxes.boxes, 1);
        EXPECT_NE(std::find(boxes.texts.begin(), boxes.texts.end(), "PGUP Failed"), boxes.texts.end());
        EXPECT_EQ(TakeBeeps(), 1u);
    }
}

TEST_F(SqlEditorTest, HoverTipsComeFromTheDictionary)
{
    edit.InitTipMap();
    CString tip("ind");
    EXPECT_TRUE(edit.OnGetTipText(tip));
    EXPECT_STREQ(tip, "int ind = -1");

    tip = "other";
    EXPECT_TRUE(edit.OnGetTipText(tip)) << "completion on: the base's tip stays";
    EXPECT_STREQ(tip, "other");
    edit.EnableIntelliSense(FALSE);
    EXPECT_FALSE(edit.OnGetTipText(tip)) << "completion off: no tip";
    tip = "Ind";
    EXPECT_FALSE(edit.OnGetTipText(tip)) << "the dictionary's keys match case";
}

TEST_F(SqlEditorTest, RestingTheMouseOnAWordShowsItsHoverTip)
{
    SetText("select ind from t\n");
    edit.InitTipMap();
    edit.ActivateToolTips(TRUE);
    const auto restOn = [&](int offset) {
        POINT pt{};
        edit.OffsetToPoint(offset, pt);
        pt.x += 2;
        pt.y += edit.m_nRowHeight / 2;
        ::ClientToScreen(edit.m_hWnd, &pt);
        input.MouseMove(pt.x, pt.y);
        Pump();
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        Pump();
        return ::IsWindowVisible(edit.GetToolTipWindow()) != FALSE;
    };
    const auto away = [&]() {
        POINT pt{edit.GetTextArea().right - 5, edit.GetTextArea().bottom - 5};
        ::ClientToScreen(edit.m_hWnd, &pt);
        input.MouseMove(pt.x, pt.y);
        Pump();
        tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
        Pump();
    };
    ASSERT_TRUE(restOn(8));
    EXPECT_STREQ(CKtvPEditCtrl::GetTipBuffer(), "int ind = -1");
    away();
    ASSERT_TRUE(restOn(12));
    EXPECT_STREQ(CKtvPEditCtrl::GetTipBuffer(), "from") << "other words keep the base's tip";
    away();
    edit.EnableIntelliSense(FALSE);
    EXPECT_FALSE(restOn(12)) << "without completion no tip but the dictionary's";
    away();
    EXPECT_TRUE(restOn(8));
}

TEST_F(SqlEditorTest, PinnedMarkersNeitherMoveNorGo)
{
    SetText("a\nb\nc\nd");
    CKtvPEditMarker* pPinned = new CKtvPEditMarker;
    pPinned->m_dwMarkerType = SQLED_MARKER_PINNED | 0x10;
    edit.InsertMarker(pPinned, 2);
    edit.ToggleMarker(3, 0x2);
    EXPECT_FALSE(edit.CanMoveMarker(pPinned));
    EXPECT_FALSE(edit.CanDeleteMarker(pPinned));

    edit.SetCaret(0);
    edit.InsertText("x\ny\n", 0);
    CKtvPEditMarker* pFound = nullptr;
    EXPECT_NE(edit.FindMarker(2, &pFound, SQLED_MARKER_PINNED), nullptr) << "the pinned marker stays on its row";
    EXPECT_NE(edit.FindMarker(5, &pFound, 0x2), nullptr) << "others follow their row";

    edit.DeleteText(0, edit.GetTextLength());
    EXPECT_NE(edit.FindMarker(2, &pFound, SQLED_MARKER_PINNED), nullptr) << "and is not removed with it";
}

TEST_F(SqlEditorTest, TypedCharactersInsertAsTypingAndReadOnlyRefusesThem)
{
    Type("sel");
    EXPECT_EQ(Text(), "sel");
    edit.SetSelection(0, 3, FALSE, TRUE);
    Type("x\r\t\x1b\x7f");
    EXPECT_EQ(Text(), "x") << "control characters insert nothing";
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), "sel") << "the replaced selection comes back with the typed character";

    edit.m_bReadOnly = TRUE;
    Type("abc");
    EXPECT_EQ(Text(), "sel");
    EXPECT_EQ(edit.m_pIntelliSenseWnd, nullptr);
}

TEST(SqlEditorControls, BothControlsLoadTheSettingsFileAndOnlyTheEditorCompletes)
{
    tw::test::DestroyTopLevelWindows(true);
    std::filesystem::create_directories("data");
    std::ofstream("data/DazoRer.dat") << "<SETTINGS>\r\n<OPTIONS>\r\n<IntelliSenseChars>\"(\"</IntelliSenseChars>\r\n"
                                         "</OPTIONS>\r\n</SETTINGS>\r\n";
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                nullptr));
    CCustomerViewEditCtrl plain;
    CCustomerEditCtrl full;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 100}, &parent, 1));
    ASSERT_TRUE(full.Create(WS_CHILD | WS_VISIBLE, RECT{0, 100, 200, 200}, &parent, 2));
    EXPECT_FALSE(plain.m_bEnableIntelliSense);
    EXPECT_TRUE(full.m_bEnableIntelliSense);
    EXPECT_STREQ(plain.m_strIntelliSenseChars, "(");
    EXPECT_STREQ(full.m_strIntelliSenseChars, "(");
    ::SendMessage(plain.m_hWnd, WM_CHAR, 'a', 0);
    ::SendMessage(plain.m_hWnd, WM_CHAR, '.', 0);
    EXPECT_EQ(plain.GetText(), CString("a."));
    EXPECT_EQ(plain.m_pIntelliSenseWnd, nullptr);
    plain.DestroyWindow();
    full.DestroyWindow();
    parent.DestroyWindow();
    std::filesystem::remove("data/DazoRer.dat");
}

} // namespace
} // namespace sqled_test
