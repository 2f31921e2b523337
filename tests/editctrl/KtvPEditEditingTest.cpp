#include "EditModelFixture.h"

using EditEditingTest = EditModelTest;

TEST_F(EditEditingTest, LoadingSplitsRowsAtEveryKindOfLineEnd)
{
    const struct {
        const char* loaded;
        const char* stored;
        int rows;
    } cases[] = {
        {"a\r\nb\r\nc", "a\nb\nc", 3},
        {"a\nb\nc\n", "a\nb\nc\n", 3},
        {"a\rb\rc", "a\nb\nc", 3},  // old-style line ends still end rows
        {"a\r\n\r\nb", "a\n\nb", 3},
        {"a\n\rb", "a\n\nb", 3},
    };
    for (const auto& c : cases) {
        m_model.SetText(c.loaded);
        EXPECT_EQ(Text(), c.stored);
        EXPECT_EQ(m_model.GetVisibleRowCount(), c.rows);
    }
}

TEST_F(EditEditingTest, LongRowsAreKeptWholeWhenLoadedOrPasted)
{
    const std::string longRow(5000, 'q');
    m_model.SetText(Join({"x\n", longRow, "\ny"}).c_str());
    EXPECT_EQ(m_model.GetLineFeedCount(), 2);
    EXPECT_EQ(Text(), Join({"x\n", longRow, "\ny"}));

    m_model.SetText("ab");
    m_model.SetCaret(1);
    ASSERT_TRUE(m_model.InsertText(longRow.c_str()));
    EXPECT_EQ(Text(), Join({"a", longRow, "b"}));
    EXPECT_EQ(m_model.GetCaretOffset(), 5001);
    EXPECT_TRUE(m_model.m_failures.empty());
}

TEST_F(EditEditingTest, PastedTextLosesCarriageReturnsAndMovesTheCaretAfterIt)
{
    m_model.SetText("start end");
    m_model.SetCaret(6);
    ASSERT_TRUE(m_model.InsertText("one\r\ntwo\r\n"));
    EXPECT_EQ(Text(), "start one\ntwo\nend");
    EXPECT_EQ(m_model.GetCaretOffset(), 14);
    EXPECT_EQ(m_model.GetLineFeedCount(), 2);
}

TEST_F(EditEditingTest, TypingOnAFullRowBreaksItAtTheCaret)
{
    // A row that ends in a line feed is full at 2047 characters; the last
    // row only at 2048, since its measure stops at its last character.
    const std::string full(2047, 'a');
    m_model.SetText(Join({full, "\nnext"}).c_str());
    m_model.SetCaret(1000);
    m_model.InsertChar('Z');
    EXPECT_EQ(Text(), Join({std::string(1000, 'a'), "Z\n", std::string(1047, 'a'), "\nnext"}));

    m_model.SetText(full.c_str());
    m_model.SetCaret(2047);
    m_model.InsertChar('Z');
    EXPECT_EQ(m_model.GetLineFeedCount(), 0);
    m_model.InsertChar('Y');
    EXPECT_EQ(Text(), Join({full, "Z\nY"}));
}

TEST_F(EditEditingTest, LimitCodesOfTabAndJoin)
{
    m_model.SetText(Join({std::string(2044, 'a'), "\n"}).c_str());
    m_model.SetCaret(10);
    EXPECT_FALSE(m_model.InsertTab());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_TAB_TOO_LONG);
    EXPECT_EQ(m_model.GetTextLength(), 2045);

    m_model.SetText(Join({std::string(1100, 'a'), "\n", std::string(1100, 'b')}).c_str());
    m_model.SetCaret(1100);
    EXPECT_FALSE(m_model.DeleteChar());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_JOIN_TOO_LONG);
    EXPECT_EQ(m_model.GetLineFeedCount(), 1);
}

TEST_F(EditEditingTest, DeleteAtTheEndAndBackspaceAtTheStart)
{
    m_model.SetText("ab");
    m_model.SetCaret(2);
    EXPECT_FALSE(m_model.DeleteChar());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_DELETE_AT_END);
    m_model.SetCaret(0);
    m_model.m_failures.clear();
    EXPECT_FALSE(m_model.Backspace());
    EXPECT_TRUE(m_model.m_failures.empty());
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditEditingTest, BackspaceAndDeleteRemoveWholeCharacters)
{
    m_model.SetText("a\xE2\x82\xAC" "b\xC3\xA9");
    m_model.SetCaret(4);
    ASSERT_TRUE(m_model.Backspace());
    EXPECT_EQ(Text(), "ab\xC3\xA9");
    EXPECT_EQ(m_model.GetCaretOffset(), 1);
    m_model.SetCaret(2);
    ASSERT_TRUE(m_model.DeleteChar());
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditEditingTest, TypedControlCharactersAndDelInsertNothing)
{
    m_model.SetText("ab");
    m_model.SetCaret(1);
    for (UINT ch : {8u, 9u, 13u, 27u, 127u})
        EXPECT_FALSE(m_model.TypeChar(ch)) << ch;
    EXPECT_EQ(Text(), "ab");
    EXPECT_TRUE(m_model.TypeChar(0xE9));  // e-acute goes in as UTF-8
    EXPECT_EQ(Text(), "a\xC3\xA9" "b");
    EXPECT_EQ(m_model.GetCaretOffset(), 3);
}

TEST_F(EditEditingTest, ReadOnlyRefusesTyping)
{
    m_model.SetText("ab");
    m_model.m_bReadOnly = TRUE;
    EXPECT_FALSE(m_model.TypeChar('x'));
    EXPECT_EQ(Text(), "ab");
}

TEST_F(EditEditingTest, EnterRepeatsTheLeadingBlanksBeforeTheCaret)
{
    m_model.SetText("    body");
    m_model.SetCaret(2);  // inside the leading blanks
    ASSERT_TRUE(m_model.InsertNewLine());
    EXPECT_EQ(Text(), "  \n    body");
    EXPECT_EQ(m_model.GetCaretOffset(), 5);

    m_model.SetText("\tif x");
    m_model.SetCaret(5);
    ASSERT_TRUE(m_model.InsertNewLine());
    EXPECT_EQ(Text(), "\tif x\n\t");
    EXPECT_EQ(m_model.GetCaretOffset(), 7);
}

TEST_F(EditEditingTest, OverwriteReplacesButNotALineFeed)
{
    m_model.SetOverwriteMode(TRUE);
    m_model.SetText("ab\ncd");
    m_model.SetCaret(0);
    Type("xyz");
    EXPECT_EQ(Text(), "xyz\ncd");  // the third character went in before the line feed

    m_model.SetCaret(1);
    ASSERT_TRUE(m_model.InsertChar('\n'));  // Enter in overwrite mode moves, inserts nothing
    EXPECT_EQ(Text(), "xyz\ncd");
    EXPECT_EQ(m_model.OffsetToRow(m_model.GetCaretOffset()), 1);
    m_model.SetOverwriteMode(FALSE);
}

TEST_F(EditEditingTest, TabInsertsTheIndentStringOrSpaces)
{
    m_model.SetText("ab");
    m_model.SetCaret(1);
    ASSERT_TRUE(m_model.InsertTab());
    EXPECT_EQ(Text(), "a\tb");
    m_model.m_bKeepTabs = FALSE;
    m_model.SetText("ab");
    m_model.SetCaret(1);
    ASSERT_TRUE(m_model.InsertTab());
    EXPECT_EQ(Text(), "a    b");
    EXPECT_EQ(m_model.GetCaretOffset(), 5);
}

TEST_F(EditEditingTest, DeleteSelectedTextReportsMissingSelectionAndFailedCopy)
{
    m_model.SetText("abcdef");
    EXPECT_FALSE(m_model.DeleteSelectedText());
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_NO_SELECTION);
    m_model.SetSel(1, 3);
    // The model has no clipboard: a cut cannot copy and leaves the text.
    EXPECT_FALSE(m_model.DeleteSelectedText(TRUE, TRUE));
    EXPECT_EQ(m_model.LastFailure(), KTVP_FAIL_CUT_COPY);
    EXPECT_EQ(Text(), "abcdef");
    ASSERT_TRUE(m_model.DeleteSelectedText());
    EXPECT_EQ(Text(), "adef");
    EXPECT_EQ(m_model.GetCaretOffset(), 1);
    EXPECT_FALSE(m_model.HasSelection());
}

TEST_F(EditEditingTest, InsertTextWithLineBreakRequestedReportsTheNotice)
{
    m_model.SetText("abc");
    m_model.SetCaret(3);
    ASSERT_TRUE(m_model.InsertText("x", -1, TRUE, FALSE, TRUE, FALSE, FALSE));
    EXPECT_EQ(m_model.LastFailure(), KTVP_NOTICE_LINE_BREAK);
    EXPECT_EQ(Text(), "abc\nx");
}

namespace {

class VetoingModel : public RecordingEditModel {
public:
    BOOL CanInsertText(LPCTSTR, int) override { return m_bAllowInsert; }
    BOOL CanDeleteText(int, LPCTSTR) override { return m_bAllowDelete; }
    BOOL m_bAllowInsert = TRUE;
    BOOL m_bAllowDelete = TRUE;
};

}  // namespace

TEST_F(EditEditingTest, VetoesStopEditsSilently)
{
    VetoingModel model;
    Attach(model);
    model.SetText("abc");
    model.m_bAllowInsert = FALSE;
    model.SetSel(0, 1);
    EXPECT_FALSE(model.TypeChar('x'));
    EXPECT_EQ(std::string(model.GetText()), "bc");  // the selection went before the veto
    model.m_bAllowDelete = FALSE;
    model.SetCaret(0);
    EXPECT_FALSE(model.DeleteChar());
    EXPECT_FALSE(model.DeleteText(0, 2));
    EXPECT_EQ(std::string(model.GetText()), "bc");
    EXPECT_TRUE(model.m_failures.empty());
}

TEST_F(EditEditingTest, ChangeNoticesFollowEveryEdit)
{
    m_model.SetText("ab");
    m_model.m_changes.clear();
    m_model.SetCaret(1);
    m_model.InsertChar('x');
    m_model.DeleteText(0, 1);
    EXPECT_EQ(m_model.m_changes, (std::vector<std::string>{"+1:x", "-0:a"}));
}
