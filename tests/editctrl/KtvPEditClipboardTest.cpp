#include "EditModelFixture.h"

// A clipboard of one text, filled the way the control's window fills it.
class ClipboardModel : public RecordingEditModel {
public:
    BOOL CopyTextToClipboard(LPCTSTR lpszText, int nLength) override
    {
        if (!m_bClipboardWorks)
            return FALSE;
        m_strClipboard = MakeClipboardText(lpszText, nLength, m_bClipboardCrLf);
        m_bHasText = TRUE;
        return TRUE;
    }
    BOOL GetClipboardText(CString& strText, BOOL& bBlock) override
    {
        strText = m_strClipboard;
        bBlock = m_bBlock;
        return m_bHasText;
    }
    BOOL IsClipboardTextAvailable() override { return m_bHasText; }

    CString m_strClipboard;
    BOOL m_bHasText = FALSE;
    BOOL m_bBlock = FALSE;
    BOOL m_bClipboardWorks = TRUE;
};

class EditClipboardTest : public EditModelTest {
protected:
    EditClipboardTest() { Attach(m_clip); }
    std::string ClipText() const { return std::string(m_clip.GetText()); }
    ClipboardModel m_clip;
};

TEST_F(EditClipboardTest, CopyWritesCrLfAndPasteTakesItBack)
{
    m_clip.SetText("one\ntwo\nthree");
    m_clip.SetSel(0, 7);
    ASSERT_TRUE(m_clip.Copy());
    EXPECT_STREQ(m_clip.m_strClipboard, "one\r\ntwo");
    m_clip.SetSel(-1, -1);
    m_clip.SetCaret(m_clip.GetTextLength());
    ASSERT_TRUE(m_clip.Paste());
    EXPECT_EQ(ClipText(), "one\ntwo\nthreeone\ntwo");
    EXPECT_EQ(m_clip.GetLineFeedCount(), 3);
}

TEST_F(EditClipboardTest, CopyWithoutSelectionLeavesTheClipboard)
{
    m_clip.SetText("abc");
    m_clip.m_strClipboard = "before";
    EXPECT_FALSE(m_clip.Copy());
    EXPECT_EQ(m_clip.LastFailure(), KTVP_FAIL_COPY);
    EXPECT_FALSE(m_clip.Cut());
    EXPECT_EQ(m_clip.LastFailure(), KTVP_FAIL_COPY);
    EXPECT_STREQ(m_clip.m_strClipboard, "before");
}

TEST_F(EditClipboardTest, PasteFailureCodes)
{
    m_clip.SetText("abc");
    EXPECT_FALSE(m_clip.Paste());
    EXPECT_EQ(m_clip.LastFailure(), KTVP_FAIL_PASTE_EMPTY);
    m_clip.m_bHasText = TRUE;
    m_clip.m_bReadOnly = TRUE;
    EXPECT_FALSE(m_clip.Paste());
    EXPECT_EQ(m_clip.LastFailure(), KTVP_FAIL_PASTE_READ_ONLY);
    EXPECT_FALSE(m_clip.CanPaste());
}

TEST_F(EditClipboardTest, PasteOverASelectionUndoesInOneStep)
{
    m_clip.SetText("keep REPLACE keep");
    m_clip.m_strClipboard = "new\r\ntext";
    m_clip.m_bHasText = TRUE;
    m_clip.SetSel(5, 12);
    ASSERT_TRUE(m_clip.Paste());
    EXPECT_EQ(ClipText(), "keep new\ntext keep");
    ASSERT_TRUE(m_clip.Undo());
    EXPECT_EQ(ClipText(), "keep REPLACE keep");
    EXPECT_FALSE(m_clip.CanUndo());
}

TEST_F(EditClipboardTest, CutThatCannotCopyKeepsTheText)
{
    m_clip.SetText("abcdef");
    m_clip.SetSel(1, 4);
    m_clip.m_bClipboardWorks = FALSE;
    EXPECT_FALSE(m_clip.Cut());
    EXPECT_EQ(m_clip.LastFailure(), KTVP_FAIL_CUT_COPY);
    EXPECT_EQ(ClipText(), "abcdef");
    m_clip.m_bClipboardWorks = TRUE;
    ASSERT_TRUE(m_clip.Cut());
    EXPECT_EQ(ClipText(), "aef");
    EXPECT_STREQ(m_clip.m_strClipboard, "bcd");
    EXPECT_FALSE(m_clip.Clear());
    EXPECT_EQ(m_clip.LastFailure(), KTVP_FAIL_NO_SELECTION);
}

TEST_F(EditClipboardTest, BlockPasteGoesColumnWise)
{
    m_clip.SetText("abcd\nef\nghij");
    m_clip.m_strClipboard = "1\r\n2\r\n3\r\n4";
    m_clip.m_bHasText = TRUE;
    m_clip.m_bBlock = TRUE;
    m_clip.SetCaret(3);
    ASSERT_TRUE(m_clip.Paste());
    // Column 3 of each row; a short row takes it at its end, the last row the rest in order.
    EXPECT_EQ(ClipText(), "abc1d\nef2\nghi34j");
    ASSERT_TRUE(m_clip.Undo());  // the whole block is one step
    EXPECT_EQ(ClipText(), "abcd\nef\nghij");
    EXPECT_FALSE(m_clip.CanUndo());
}
