#include "EditModelFixture.h"

using EditMovesTest = EditModelTest;

TEST_F(EditMovesTest, LeftAndRightStepOverWholeUtf8Sequences)
{
    m_model.SetText("a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E" "b");
    const int stops[] = {0, 1, 3, 6, 10, 11};
    for (size_t i = 1; i < std::size(stops); ++i) {
        ASSERT_TRUE(m_model.MoveRight());
        EXPECT_EQ(m_model.GetCaretOffset(), stops[i]);
    }
    EXPECT_FALSE(m_model.MoveRight());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_MOVE_RIGHT);
    for (size_t i = std::size(stops) - 1; i > 0; --i) {
        ASSERT_TRUE(m_model.MoveLeft());
        EXPECT_EQ(m_model.GetCaretOffset(), stops[i - 1]);
    }
    EXPECT_FALSE(m_model.MoveLeft());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_MOVE_LEFT);
}

TEST_F(EditMovesTest, WordMoves)
{
    // Word characters, plain delimiters, special delimiters, spaces and line ends.
    m_model.SetText("select a.b,  c;;\n  \xC3\xA9t\xC3\xA9 x");
    const int forward[] = {7, 8, 9, 10, 13, 14, 16, 19, 25};
    for (int expected : forward) {
        ASSERT_TRUE(m_model.MoveNextWord()) << expected;
        EXPECT_EQ(m_model.GetCaretOffset(), expected);
    }
    EXPECT_FALSE(m_model.MoveNextWord());  // at the last character
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_NEXT_WORD);

    m_model.SetCaret(m_model.GetTextLength());
    const int backward[] = {25, 19, 17, 16, 14, 13, 10, 9, 8, 7, 0};
    for (int expected : backward) {
        ASSERT_TRUE(m_model.MovePrevWord()) << expected;
        EXPECT_EQ(m_model.GetCaretOffset(), expected);
    }
    EXPECT_FALSE(m_model.MovePrevWord());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_PREV_WORD);
}

TEST_F(EditMovesTest, HomeTogglesBetweenFirstNonBlankAndRowStart)
{
    m_model.SetText("x\n    indented");
    m_model.SetCaret(10);
    const int expected[] = {6, 2, 6};
    for (int offset : expected) {
        ASSERT_TRUE(m_model.MoveHome());
        EXPECT_EQ(m_model.GetCaretOffset(), offset);
    }
    m_model.SetText("");
    EXPECT_FALSE(m_model.MoveHome());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_HOME);
}

TEST_F(EditMovesTest, UpAndDownKeepTheRememberedColumn)
{
    m_model.SetText("long row here\nab\nanother long row");
    m_model.SetCaret(10);
    m_model.m_nRememberedColumn = 10;
    ASSERT_TRUE(m_model.MoveDown());
    EXPECT_EQ(m_model.GetCaretOffset(), 16);  // end of the short row
    ASSERT_TRUE(m_model.MoveDown());
    EXPECT_EQ(m_model.GetCaretOffset(), 17 + 10);  // back at column 10
    ASSERT_TRUE(m_model.MoveDown());  // on the last row: the text end
    EXPECT_EQ(m_model.GetCaretOffset(), m_model.GetTextLength());

    m_model.SetCaret(3);
    EXPECT_FALSE(m_model.MoveUp());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_MOVE_UP);
    m_model.SetText("");
    EXPECT_FALSE(m_model.MoveUp());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_MOVE_UP);
}

TEST_F(EditMovesTest, PagesMoveByTheTextAreaHeight)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "row" + std::to_string(i % 10) + "\n";
    m_model.SetText(text.c_str());
    ASSERT_EQ(m_model.GetPageRows(), 20);

    ASSERT_TRUE(m_model.PageDown());
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 19);
    EXPECT_EQ(m_model.OffsetToRow(m_model.GetCaretOffset()), 19);
    ASSERT_TRUE(m_model.PageUp());
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 0);
    EXPECT_EQ(m_model.OffsetToRow(m_model.GetCaretOffset()), 0);

    int pages = 0;
    while (m_model.GetCaretOffset() < m_model.GetTextLength() && pages < 20) {
        ASSERT_TRUE(m_model.PageDown());
        ++pages;
    }
    EXPECT_EQ(m_model.GetCaretOffset(), m_model.GetTextLength());
    EXPECT_LT(pages, 10);

    m_model.SetText("");
    EXPECT_FALSE(m_model.PageUp());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_PAGE_UP);
}

TEST_F(EditMovesTest, PrevTabStop)
{
    m_model.SetText("abcdef");
    m_model.SetCaret(6);
    ASSERT_TRUE(m_model.MoveToPrevTabStop());
    EXPECT_EQ(m_model.GetCaretOffset(), 4);
    ASSERT_TRUE(m_model.MoveToPrevTabStop());
    EXPECT_EQ(m_model.GetCaretOffset(), 0);
    EXPECT_FALSE(m_model.MoveToPrevTabStop());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_PREV_TAB_STOP);
}

TEST_F(EditMovesTest, ShiftMovesExtendTheSelectionFromTheAnchor)
{
    m_model.SetText("one two\nthree");
    m_model.SetCaret(4);
    ASSERT_TRUE(m_model.MakeSelection(KTVP_SEL_NEXT_WORD));
    ASSERT_TRUE(m_model.MakeSelection(KTVP_SEL_DOWN));
    int start = 0;
    int end = 0;
    m_model.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, m_model.GetCaretOffset());
    EXPECT_EQ(end, m_model.GetTextLength());

    const size_t failures = m_model.m_failures.size();
    EXPECT_FALSE(m_model.MakeSelection(KTVP_SEL_RIGHT));  // at the text end
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_MAKE_SELECTION);
    EXPECT_EQ(m_model.m_failures.size(), failures + 1);
    m_model.GetSel(start, end);
    EXPECT_EQ(end, m_model.GetTextLength());

    ASSERT_TRUE(m_model.MakeSelection(KTVP_SEL_ALL));
    m_model.GetSel(start, end);
    EXPECT_EQ(start, m_model.GetTextLength());
    EXPECT_EQ(end, 0);
    EXPECT_FALSE(m_model.MakeSelection(99));
}

TEST_F(EditMovesTest, RemoveSelectionPutsTheCaretAtTheAskedEnd)
{
    m_model.SetText("abcdef");
    m_model.SetSel(1, 4);  // caret at 4
    ASSERT_TRUE(m_model.RemoveSelection(TRUE, FALSE, TRUE));
    EXPECT_EQ(m_model.GetCaretOffset(), 1);
    m_model.SetSel(4, 1);  // caret at 1
    ASSERT_TRUE(m_model.RemoveSelection(FALSE, FALSE, TRUE));
    EXPECT_EQ(m_model.GetCaretOffset(), 4);
    EXPECT_FALSE(m_model.RemoveSelection(TRUE, FALSE, TRUE));
}

TEST_F(EditMovesTest, WordBoundsPassBackOverBlanks)
{
    m_model.SetText("select  name\nfrom");
    int start = 0;
    int end = 0;
    ASSERT_TRUE(m_model.GetWordBoundsAt(2, nullptr, start, end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);
    ASSERT_TRUE(m_model.GetWordBoundsAt(7, nullptr, start, end));  // in the blanks: the word before
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);
    CString word;
    ASSERT_TRUE(m_model.GetWordAtOffset(15, word));
    EXPECT_STREQ(word, "from");
}

TEST_F(EditMovesTest, ToggleInsertModeIsRefusedWhenReadOnly)
{
    m_model.m_bReadOnly = TRUE;
    EXPECT_FALSE(m_model.ToggleInsertMode());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_READ_ONLY_MODE);
    m_model.m_bReadOnly = FALSE;
    const BOOL before = m_model.GetOverwriteMode();
    EXPECT_TRUE(m_model.ToggleInsertMode());
    EXPECT_NE(m_model.GetOverwriteMode(), before);
    m_model.SetOverwriteMode(FALSE);
}

TEST_F(EditMovesTest, EnclosingPairNeedsTheOpeningBeforeAndTheClosingAfter)
{
    m_model.SetText("a <name> b > c <");
    const struct {
        int offset;
        BOOL found;
        int start;
        int end;
    } cases[] = {{4, TRUE, 2, 7},  {3, TRUE, 2, 7},  {6, TRUE, 2, 7},
                 {2, FALSE, 0, 0}, {9, FALSE, 0, 0}, {15, FALSE, 0, 0}};
    for (const auto& c : cases) {
        int start = 0;
        int end = 0;
        EXPECT_EQ(m_model.FindEnclosingPair(c.offset, '<', '>', start, end), c.found) << c.offset;
        if (c.found) {
            EXPECT_EQ(start, c.start);
            EXPECT_EQ(end, c.end);
        }
    }
}
