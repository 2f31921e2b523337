#include "EditModelFixture.h"

namespace {

class UndoCountingModel : public RecordingEditModel {
public:
    void OnRemoveUndoAction(CKtvPEditUndoAction*) override { ++m_nRemoved; }
    int m_nRemoved = 0;
};

}  // namespace

using EditUndoTest = EditModelTest;

TEST_F(EditUndoTest, TypingGroupsWordsAndTheBlanksBetweenThem)
{
    m_model.SetText("");
    Type("abc def");
    CDWordArray types;
    m_model.GetUndoActionTypes(types);
    EXPECT_EQ(types.GetSize(), 3);
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "abc ");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "abc");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(m_model.Undo());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_UNDO);
}

TEST_F(EditUndoTest, AnotherKeyBetweenCharactersStartsANewStep)
{
    m_model.SetText("");
    Type("ab");
    PressKey(37);  // an arrow key
    Type("c");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditUndoTest, TypingOverASelectionIsOneStep)
{
    m_model.SetText("say hello now");
    Type("x");  // a step before
    m_model.SetSel(5, 10);
    Type("bye");
    EXPECT_EQ(Text(), "xsay bye now");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "xsay hello now");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "say hello now");
    ASSERT_TRUE(m_model.Redo());
    ASSERT_TRUE(m_model.Redo());
    EXPECT_EQ(Text(), "xsay bye now");
    EXPECT_FALSE(m_model.Redo());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_REDO);
}

TEST_F(EditUndoTest, NewEditDropsOnlyTheUndoneTail)
{
    m_model.SetText("");
    for (const char* word : {"a", "b", "c"}) {
        PressKey(13);
        Type(word);
    }
    ASSERT_TRUE(m_model.Undo());
    ASSERT_TRUE(m_model.Undo());
    ASSERT_TRUE(m_model.Redo());
    EXPECT_EQ(Text(), "ab");
    PressKey(13);
    Type("z");
    EXPECT_FALSE(m_model.CanRedo());
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "ab");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "a");
}

TEST_F(EditUndoTest, TheOldestActionsFallOffAtTheLimit)
{
    UndoCountingModel model;
    Attach(model);
    model.SetText("");
    for (int i = 0; i < 301; ++i) {
        model.NoteKeyDown(13);
        model.NoteKeyDown('A');
        model.TypeChar('a');
    }
    EXPECT_EQ(model.GetUndoList().GetCount(), 300);
    EXPECT_EQ(model.m_nRemoved, 1);
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(model.Undo()) << i;
    EXPECT_EQ(model.GetTextLength(), 1);
    EXPECT_FALSE(model.Undo());
    EXPECT_EQ(model.LastFailure(), KTVP_FAIL_UNDO);
}

TEST_F(EditUndoTest, IsModifiedTracksTheSavePoint)
{
    m_model.SetText("text");
    EXPECT_FALSE(m_model.IsModified());
    m_model.SetCaret(4);
    Type("1");
    EXPECT_TRUE(m_model.IsModified());
    ASSERT_TRUE(m_model.Undo());
    EXPECT_FALSE(m_model.IsModified());
    ASSERT_TRUE(m_model.Redo());
    m_model.SetSavePoint();
    EXPECT_FALSE(m_model.IsModified());
    ASSERT_TRUE(m_model.Undo());
    EXPECT_TRUE(m_model.IsModified());  // everything undone, yet not the saved text
    ASSERT_TRUE(m_model.Redo());
    EXPECT_FALSE(m_model.IsModified());
}

TEST_F(EditUndoTest, IsModifiedStaysTrueWhenTheSavedStateIsDropped)
{
    m_model.SetText("");
    Type("a");
    m_model.SetSavePoint();
    ASSERT_TRUE(m_model.Undo());
    PressKey(13);
    Type("b");  // drops the saved state from the redo tail
    EXPECT_TRUE(m_model.IsModified());
    ASSERT_TRUE(m_model.Undo());
    EXPECT_TRUE(m_model.IsModified());  // the empty text was never saved
}

TEST_F(EditUndoTest, IsModifiedAfterTheOldestActionsFallOff)
{
    m_model.GetUndoList();
    m_model.SetText("");
    auto typeStep = [this] {
        PressKey(13);
        Type("x");
    };
    typeStep();
    m_model.SetSavePoint();  // saved after the first step
    for (int i = 0; i < 300; ++i)
        typeStep();
    EXPECT_TRUE(m_model.IsModified());
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "x");
    EXPECT_FALSE(m_model.IsModified());  // back at the saved text though its action is gone
}

TEST_F(EditUndoTest, MergedTypingAfterTheSavePointCountsAsAChange)
{
    m_model.SetText("");
    Type("ab");
    m_model.SetSavePoint();
    Type("c");  // merges into the saved step
    EXPECT_TRUE(m_model.IsModified());
}

TEST_F(EditUndoTest, OverwrittenCharacterComesBackOnUndo)
{
    m_model.SetText("abc");
    m_model.SetOverwriteMode(TRUE);
    m_model.SetCaret(1);
    Type("X");
    EXPECT_EQ(Text(), "aXc");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "abc");
    ASSERT_TRUE(m_model.Redo());
    EXPECT_EQ(Text(), "aXc");
    m_model.SetOverwriteMode(FALSE);
}

TEST_F(EditUndoTest, IndentOfThreeRowsIsOneStep)
{
    m_model.SetText("one\n  two\nthree\nfour");
    m_model.SetSel(0, 12);  // ends inside row 2
    ASSERT_TRUE(m_model.IndentSelection(TRUE));
    EXPECT_EQ(Text(), "\tone\n  \ttwo\n\tthree\nfour");
    int start = 0;
    int end = 0;
    m_model.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 19);
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "one\n  two\nthree\nfour");
    ASSERT_TRUE(m_model.Redo());
    EXPECT_EQ(Text(), "\tone\n  \ttwo\n\tthree\nfour");
}

TEST_F(EditUndoTest, UnindentUndoPutsBackExactlyTheRemovedBlanks)
{
    m_model.SetText(" \t x\n      y\nz\n");
    m_model.SetSel(0, 13);
    ASSERT_TRUE(m_model.IndentSelection(FALSE));
    EXPECT_EQ(Text(), " x\n  y\nz\n");  // the tab spanned three columns of the four
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), " \t x\n      y\nz\n");
}

TEST_F(EditUndoTest, IndentIsRefusedWithoutARowSelection)
{
    m_model.SetText("abc def");
    m_model.SetSel(0, 2);
    EXPECT_FALSE(m_model.IndentSelection(TRUE));
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_INDENT);
    m_model.SetSel(0, 7);
    EXPECT_FALSE(m_model.IndentSelection(FALSE));  // no row begins with a blank
    EXPECT_EQ(Text(), "abc def");
}

TEST_F(EditUndoTest, RecordedCommentStepsReplayTheirOwnStrings)
{
    // A comment command records "--" where it put it; undo must take out the
    // marks, not indentation, and redo must put them back at the same places.
    m_model.SetText("    select\n    from");
    const char* commented = "    --select\n    --from";
    m_model.SetText(commented);
    auto* pData = new CKtvPUndoLinesData;
    pData->m_nStart = 0;
    pData->m_nEnd = 22;
    pData->m_bDirection = TRUE;
    pData->AddLine(0, 4, "--");
    pData->AddLine(1, 4, "--");
    m_model.SetUndoActionReason(KTVP_REASON_INDENT);
    ASSERT_TRUE(m_model.AddUndoCustomAction(pData, KTVP_UNDO_CUSTOM, TRUE));
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "    select\n    from");
    ASSERT_TRUE(m_model.Redo());
    EXPECT_EQ(Text(), commented);
}

TEST_F(EditUndoTest, CommentStringsWithoutPlacesReplayAtTheFirstNonBlank)
{
    m_model.SetText("  --a\n  --b");
    auto* pData = new CKtvPUndoLinesData;
    pData->m_nStart = 0;
    pData->m_nEnd = 10;
    pData->m_bDirection = TRUE;
    pData->m_arrStrings.Add("--");
    pData->m_arrStrings.Add("--");
    ASSERT_TRUE(m_model.AddUndoCustomAction(pData, KTVP_UNDO_CUSTOM, TRUE));
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "  a\n  b");
}

TEST_F(EditUndoTest, SetTextEmptiesTheHistory)
{
    UndoCountingModel model;
    Attach(model);
    model.SetText("a");
    model.SetCaret(1);
    model.TypeChar('b');
    model.SetText("fresh");
    EXPECT_EQ(model.m_nRemoved, 1);
    EXPECT_FALSE(model.CanUndo());
    EXPECT_FALSE(model.IsModified());
}

TEST_F(EditUndoTest, VetoedActionIsNotStoredButTheEditStays)
{
    class NoUndoModel : public RecordingEditModel {
    public:
        BOOL OnBeforeAddUndoAction(CKtvPEditUndoAction*) override { return FALSE; }
    } model;
    Attach(model);
    model.SetText("a");
    model.SetCaret(1);
    EXPECT_TRUE(model.TypeChar('b'));
    EXPECT_EQ(std::string(model.GetText()), "ab");
    EXPECT_FALSE(model.CanUndo());
}

TEST_F(EditUndoTest, UndoReasonIsRecordedInTheType)
{
    m_model.SetText("abc");
    m_model.SetCaret(3);
    ASSERT_TRUE(m_model.Backspace());
    CDWordArray types;
    m_model.GetUndoActionTypes(types);
    ASSERT_EQ(types.GetSize(), 1);
    EXPECT_EQ(types[0], KTVP_UNDO_DELETE | KTVP_REASON_BACKSPACE);
}
