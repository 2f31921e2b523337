#include "EditModelFixture.h"

#include <map>

namespace {

// Narrow "i", wide "W", everything else 7 pixels: a proportional font.
class ProportionalMetrics : public CKtvPTextMetrics {
public:
    int GetCharWidth(char32_t ch) const override
    {
        static const std::map<char32_t, int> widths{{U'i', 3}, {U'W', 12}, {U' ', 4}, {U'/', 5}, {U'\u00E9', 6}};
        const auto found = widths.find(ch);
        return found != widths.end() ? found->second : 7;
    }
    int GetHeight() const override { return 14; }
    int GetMaxCharWidth() const override { return 12; }
    int GetAveCharWidth() const override { return 7; }
};

}  // namespace

using EditGeometryTest = EditModelTest;

TEST_F(EditGeometryTest, VisibleRowsCountALastRowWithoutLineFeed)
{
    const struct {
        const char* text;
        int rows;
    } cases[] = {{"", 0}, {"a", 1}, {"a\n", 1}, {"a\nb", 2}, {"a\nb\n", 2}, {"\n\n", 2}};
    for (const auto& c : cases) {
        m_model.SetText(c.text);
        EXPECT_EQ(m_model.GetVisibleRowCount(), c.rows) << '"' << c.text << '"';
    }
}

TEST_F(EditGeometryTest, RowAndColumnArithmetic)
{
    m_model.SetText("ab\tc\n  xy\nlast");
    EXPECT_EQ(m_model.GetColumnOfOffset(3), 4);  // the tab goes to column 4
    EXPECT_EQ(m_model.GetColumnOfOffset(4), 5);
    EXPECT_EQ(m_model.GetOffsetOfColumn(4, 0), 3);
    EXPECT_EQ(m_model.GetOffsetOfColumn(40, 0), 4);  // short row: its end
    EXPECT_EQ(m_model.GetRowStartOffset(7), 5);
    EXPECT_EQ(m_model.GetRowStartOffset(-1), 0);
    EXPECT_EQ(m_model.GetRowEndOffset(6), 9);
    EXPECT_EQ(m_model.GetRowEndOffset(11), 13);  // last row: its last character
    EXPECT_EQ(m_model.SkipBlanksForward(5), 7);
    EXPECT_EQ(m_model.SkipBlanksForward(-1), 0);
    EXPECT_EQ(m_model.SkipBlanksForward(99), 13);
    EXPECT_EQ(m_model.GetRowStartByNumber(2), 10);
    EXPECT_EQ(m_model.GetRowStartByNumber(3), -1);
    EXPECT_EQ(m_model.OffsetToRow(12), 2);

    m_model.m_bKeepTabs = FALSE;
    EXPECT_EQ(m_model.GetColumnOfOffset(3), 3);  // a tab is one column like any character
}

TEST_F(EditGeometryTest, ColumnsCountCharactersNotBytes)
{
    m_model.SetText("\xC3\xA9t\xC3\xA9\n\xC3\xA9t\xC3\xA9");  // "été" twice
    EXPECT_EQ(m_model.GetColumnOfOffset(5), 3);
    EXPECT_EQ(m_model.GetOffsetOfColumn(2, 0), 3);
    // The last row ends at the start of its last character, not inside it.
    EXPECT_EQ(m_model.GetRowEndOffset(7), 9);
    EXPECT_EQ(m_model.SkipBlanksForward(99), 9);
}

TEST_F(EditGeometryTest, PointsAndOffsetsRoundTripWithAFixedFont)
{
    m_model.SetText("hello\nworld\n\tx");
    POINT pt{};
    m_model.OffsetToPoint(8, pt);
    EXPECT_EQ(pt.x, kLeft + 2 * kCharWidth);
    EXPECT_EQ(pt.y, kRowHeight);
    m_model.OffsetToPoint(0, pt);
    EXPECT_EQ(pt.x, kLeft + 1);  // never left of the text area's first pixel
    m_model.OffsetToPoint(13, pt);  // after the tab: one tab stop of four spaces
    EXPECT_EQ(pt.x, kLeft + 4 * kCharWidth);

    for (int offset = 0; offset <= m_model.GetTextLength(); ++offset) {
        m_model.OffsetToPoint(offset, pt);
        EXPECT_EQ(m_model.OffsetFromPoint(pt), offset) << offset;
    }
}

TEST_F(EditGeometryTest, ProportionalWidthsPlaceTheCaret)
{
    ProportionalMetrics metrics;
    m_model.SetTextMetrics(&metrics);
    m_model.SetText("iWi\xC3\xA9z\n");
    POINT pt{};
    m_model.OffsetToPoint(3, pt);  // after i, W, i
    EXPECT_EQ(pt.x, kLeft + 3 + 12 + 3);
    m_model.OffsetToPoint(5, pt);  // after the two-byte e-acute
    EXPECT_EQ(pt.x, kLeft + 3 + 12 + 3 + 6);

    // A click hits the nearer edge of the character under it.
    const int origin = kLeft + 1;
    POINT click{origin + 3 + 5, 2};  // left half of the W
    EXPECT_EQ(m_model.OffsetFromPoint(click), 1);
    click.x = origin + 3 + 7;  // right half of the W
    EXPECT_EQ(m_model.OffsetFromPoint(click), 2);
    click.x = origin + 3 + 12 + 3 + 4;  // right half of the e-acute: after it, not inside it
    EXPECT_EQ(m_model.OffsetFromPoint(click), 5);
    click.x = origin + 500;  // past the row
    EXPECT_EQ(m_model.OffsetFromPoint(click), 6);
}

TEST_F(EditGeometryTest, PointsOutsideTheTextArea)
{
    m_model.SetText("a\nb");
    POINT pt{kLeft - 5, 3};
    EXPECT_EQ(m_model.OffsetFromPoint(pt), -1);
    EXPECT_EQ(m_model.OffsetFromPoint(pt, FALSE, TRUE), 0);
    pt = {kLeft + 4, 5 * kRowHeight};  // below the last row
    EXPECT_EQ(m_model.OffsetFromPoint(pt), 3);
    pt = {kLeft + 4, 2};
    EXPECT_EQ(m_model.OffsetFromPoint(pt, TRUE), 0);
    EXPECT_EQ(pt.x, kLeft + 1);  // the point snapped to the offset
}

TEST_F(EditGeometryTest, OffsetsOutsideTheTextAreClamped)
{
    m_model.SetText("abc");
    POINT pt{};
    POINT rowColumn{};
    m_model.OffsetToPoint(99, pt, &rowColumn);
    EXPECT_EQ(rowColumn.x, 3);
    m_model.OffsetToPoint(-5, pt, &rowColumn);
    EXPECT_EQ(rowColumn.x, 0);
}

TEST_F(EditGeometryTest, CaretOnTheLastWholeRowScrollsOnlyWhenTheRowTouchesTheBottom)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "row\n";
    m_model.SetText(text.c_str());

    m_model.SetCaret(19 * 4);  // the 20th row of an area exactly 20 rows high
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 1);

    const RECT taller{kLeft, 0, kLeft + 640, 20 * kRowHeight + 5};
    m_model.SetTextArea(taller);
    m_model.SetCaret(0);
    ASSERT_EQ(m_model.m_nFirstVisibleRow, 0);
    m_model.SetCaret(19 * 4);
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 0);
}

TEST_F(EditGeometryTest, ScrollingIsClampedBelowTheBarMaximum)
{
    m_model.SetText("1\n2\n3\n4\n5");
    EXPECT_TRUE(m_model.ScrollText(1, 4 /* SB_THUMBPOSITION */, 99));
    EXPECT_EQ(m_model.m_nFirstVisibleRow, 4);
    EXPECT_EQ(m_model.m_nFirstVisibleOffset, 8);
    EXPECT_FALSE(m_model.ScrollText(1, 1 /* SB_LINEDOWN */, 0));
    EXPECT_FALSE(m_model.ScrollText(2, 4, 0));  // a scroll-bar control is not ours
    EXPECT_TRUE(m_model.ScrollText(1, 6 /* SB_TOP */, 0));
    EXPECT_EQ(m_model.m_nFirstVisibleOffset, 0);
}

TEST_F(EditGeometryTest, HorizontalRangeCoversTheLongestRow)
{
    std::string longRow(5000, 'x');
    m_model.SetText(Join({"a\n", longRow, "\nb"}).c_str());
    EXPECT_GT(m_model.m_nHorzRange, 5000);
    EXPECT_TRUE(m_model.ScrollText(0, 4, 4900));
    EXPECT_EQ(m_model.m_nFirstVisibleColumn, 4900);
}

TEST_F(EditGeometryTest, GetTextCopiesCountLessOneAndNeverSplitsACharacter)
{
    m_model.SetText("ab\xC3\xA9");
    char buffer[8];
    const struct {
        int count;
        int copied;
        const char* text;
    } cases[] = {{1, 0, ""}, {2, 1, "a"}, {4, 2, "ab"}, {5, 4, "ab\xC3\xA9"}, {8, 4, "ab\xC3\xA9"}};
    for (const auto& c : cases) {
        std::fill(std::begin(buffer), std::end(buffer), 'z');
        EXPECT_EQ(m_model.GetText(buffer, c.count), c.copied) << c.count;
        EXPECT_STREQ(buffer, c.text);
    }
}
