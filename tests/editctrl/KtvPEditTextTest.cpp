#include <gtest/gtest.h>

#include "editctrl/KtvPEditText.h"

namespace {

// Row starts must agree with a plain scan of the text after any edit.
void ExpectRowsMatchScan(const CKtvPEditText& text)
{
    const std::string_view view = text.View();
    int row = 0;
    ASSERT_EQ(text.RowStart(0), 0);
    for (size_t i = 0; i < view.size(); ++i) {
        if (view[i] == '\n') {
            ++row;
            ASSERT_EQ(text.RowStart(row), static_cast<int>(i + 1)) << "row " << row;
        }
    }
    EXPECT_EQ(text.GetRowCount(), row + 1);
    EXPECT_EQ(text.RowStart(row + 1), -1);
}

}  // namespace

TEST(KtvPEditText, RowIndexFollowsInsertsAndDeletes)
{
    CKtvPEditText text;
    text.SetText("one\ntwo\nthree");
    ExpectRowsMatchScan(text);
    text.Insert(5, "X\nY\n");
    EXPECT_EQ(text.View(), "one\ntX\nY\nwo\nthree");
    ExpectRowsMatchScan(text);
    text.Delete(2, 6);
    ExpectRowsMatchScan(text);
    text.Insert(0, "\n");
    text.Insert(text.GetLength(), "\n");
    ExpectRowsMatchScan(text);
    text.Delete(0, text.GetLength());
    ExpectRowsMatchScan(text);
    EXPECT_EQ(text.GetRowCount(), 1);
}

TEST(KtvPEditText, RowOfOffsetPutsTheLineFeedOnItsOwnRow)
{
    CKtvPEditText text;
    text.SetText("ab\ncd\n");
    EXPECT_EQ(text.RowOfOffset(2), 0);  // the line feed ends row 0
    EXPECT_EQ(text.RowOfOffset(3), 1);
    EXPECT_EQ(text.RowOfOffset(6), 2);  // after the last line feed: the empty last row
    EXPECT_EQ(text.RowLimit(0), 2);
    EXPECT_EQ(text.RowLimit(2), 6);
}

TEST(KtvPEditText, CharacterStepsNeverLandInsideASequence)
{
    CKtvPEditText text;
    // a, e-acute (2 bytes), euro sign (3 bytes), G clef (4 bytes), b
    text.SetText("a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E" "b");
    const int starts[] = {0, 1, 3, 6, 10, 11};
    for (size_t i = 0; i + 1 < std::size(starts); ++i) {
        EXPECT_EQ(text.NextChar(starts[i]), starts[i + 1]);
        EXPECT_EQ(text.PrevChar(starts[i + 1]), starts[i]);
    }
    EXPECT_EQ(text.CharAt(6), U'\U0001D11E');
    EXPECT_EQ(text.LastCharOffset(), 10);
}

TEST(KtvPEditText, StrayBytesStepOneAtATime)
{
    CKtvPEditText text;
    text.SetText("a\x80\x80z");
    EXPECT_EQ(text.NextChar(1), 2);
    EXPECT_EQ(text.PrevChar(3), 2);
    EXPECT_EQ(text.PrevChar(2), 1);
}
