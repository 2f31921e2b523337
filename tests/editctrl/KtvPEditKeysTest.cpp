#include "EditModelFixture.h"

namespace {
constexpr UINT kVkBack = 0x08;
constexpr UINT kVkTab = 0x09;
constexpr UINT kVkReturn = 0x0D;
constexpr UINT kVkEscape = 0x1B;
constexpr UINT kVkNext = 0x22;
constexpr UINT kVkEnd = 0x23;
constexpr UINT kVkHome = 0x24;
constexpr UINT kVkLeft = 0x25;
constexpr UINT kVkUp = 0x26;
constexpr UINT kVkRight = 0x27;
constexpr UINT kVkDown = 0x28;
constexpr UINT kVkDelete = 0x2E;
}  // namespace

class EditKeysTest : public EditModelTest {
protected:
    void Key(UINT vk, BOOL shift = FALSE, BOOL ctrl = FALSE) { m_model.ProcessKeyDown(vk, shift, ctrl); }

    std::pair<int, int> Selection() const
    {
        int start = 0;
        int end = 0;
        m_model.GetSel(start, end);
        return {start, end};
    }
};

TEST_F(EditKeysTest, ArrowsCollapseASelectionToTheirSide)
{
    const struct {
        UINT key;
        int caret;
    } cases[] = {{kVkLeft, 2}, {kVkRight, 5}, {kVkHome, 0}, {kVkEnd, 7}};
    for (const auto& c : cases) {
        m_model.SetText("abcdefg\nxyz");
        m_model.SetSel(5, 2);
        Key(c.key);
        EXPECT_FALSE(m_model.HasSelection()) << c.key;
        EXPECT_EQ(m_model.GetCaretOffset(), c.caret) << c.key;
    }
}

TEST_F(EditKeysTest, ShiftKeysSelectAndFailAtTheEnd)
{
    m_model.SetText("one two");
    Key(kVkRight, TRUE);
    Key(kVkRight, TRUE, TRUE);
    EXPECT_EQ(Selection(), std::make_pair(0, 4));
    Key(kVkEnd, TRUE);
    EXPECT_EQ(Selection(), std::make_pair(0, 7));
    m_model.m_failures.clear();
    Key(kVkRight, TRUE);
    EXPECT_EQ(m_model.m_failures, std::vector<DWORD>{KTVP_FAIL_MAKE_SELECTION});
    EXPECT_EQ(Selection(), std::make_pair(0, 7));
    Key(kVkEscape);
    EXPECT_FALSE(m_model.HasSelection());
    EXPECT_EQ(m_model.GetCaretOffset(), 7);
}

TEST_F(EditKeysTest, EnterOverASelectionIsOneUndoStep)
{
    m_model.SetText("    keep this");
    m_model.SetSel(8, 13);
    Key(kVkReturn);
    EXPECT_EQ(Text(), "    keep\n    ");
    EXPECT_EQ(m_model.m_nRememberedColumn, 4);
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "    keep this");
    EXPECT_FALSE(m_model.CanUndo());
}

TEST_F(EditKeysTest, TabIndentsSelectedRowsOrReplacesAShortSelection)
{
    m_model.SetText("a\nb\nc");
    m_model.SetSel(0, 3);
    Key(kVkTab);
    EXPECT_EQ(Text(), "\ta\n\tb\nc");
    Key(kVkTab, TRUE);
    EXPECT_EQ(Text(), "a\nb\nc");

    m_model.SetText("word here");
    m_model.SetSel(0, 4);
    Key(kVkTab);
    EXPECT_EQ(Text(), "\t here");
    ASSERT_TRUE(m_model.Undo());
    EXPECT_EQ(Text(), "word here");
}

TEST_F(EditKeysTest, BackspaceAndDeleteWithAndWithoutSelection)
{
    m_model.SetText("abcdef");
    m_model.SetCaret(3);
    Key(kVkBack);
    EXPECT_EQ(Text(), "abdef");
    Key(kVkDelete);
    EXPECT_EQ(Text(), "abef");
    m_model.SetSel(1, 3);
    Key(kVkBack);
    EXPECT_EQ(Text(), "af");
    EXPECT_EQ(m_model.GetCaretOffset(), 1);
}

TEST_F(EditKeysTest, UpAndDownAfterASelectionUseTheirEnds)
{
    m_model.SetText("first row\nsecond row\nthird row");
    m_model.SetSel(13, 3);  // from row 1 back into row 0
    Key(kVkDown);
    EXPECT_EQ(m_model.OffsetToRow(m_model.GetCaretOffset()), 2);
    EXPECT_FALSE(m_model.HasSelection());
}

TEST_F(EditKeysTest, CtrlDownScrollsAndKeepsTheCaretInView)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "r\n";
    m_model.SetText(text.c_str());
    Key(kVkDown, FALSE, TRUE);
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 1);
    EXPECT_EQ(m_model.OffsetToRow(m_model.GetCaretOffset()), 1);
    Key(kVkUp, FALSE, TRUE);
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 0);
    EXPECT_EQ(m_model.OffsetToRow(m_model.GetCaretOffset()), 1);
}

TEST_F(EditKeysTest, ReadOnlyKeysScrollInsteadOfMoving)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "row\n";
    m_model.SetText(text.c_str());
    m_model.m_bReadOnly = TRUE;
    Key(kVkDown);
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 1);
    EXPECT_EQ(m_model.GetCaretOffset(), 0);
    Key(kVkNext);
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 20);
    Key(kVkDelete);
    Key(kVkBack);
    EXPECT_EQ(Text(), text);
}
