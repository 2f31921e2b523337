#include "EditModelFixture.h"

#include "editctrl/KtvPEditColorRules.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 100, 0);
constexpr COLORREF kRed = RGB(139, 0, 0);

}  // namespace

// The four blocks of the built-in editor settings.
class ColorRulesTest : public ::testing::Test {
protected:
    ColorRulesTest()
    {
        m_rules.AddColorBlock("/*", "*/", TRUE, kGreen, static_cast<COLORREF>(-1));
        m_rules.AddColorBlock("\"", "\"", FALSE, kRed, static_cast<COLORREF>(-1));
        m_rules.AddColorBlock("'", "'", FALSE, kRed, static_cast<COLORREF>(-1));
        m_rules.AddColorBlock("--", "", FALSE, kGreen, static_cast<COLORREF>(-1));
    }

    std::vector<std::pair<int, int>> Collect(std::string_view text) const
    {
        std::vector<KtvPBlockOccurrence> found;
        m_rules.CollectColorBlocks(text, 0, static_cast<int>(text.size()) - 1, found);
        std::vector<std::pair<int, int>> spans;
        for (const auto& occurrence : found)
            spans.emplace_back(occurrence.nStart, occurrence.nEnd);
        return spans;
    }

    CKtvPEditColorRules m_rules;
};

TEST_F(ColorRulesTest, RulesAreKeptLongestStartFirstAndRefusedWhenMalformed)
{
    std::vector<std::string> starts;
    for (const CKtvPColorBlock& block : m_rules.GetBlocks())
        starts.emplace_back(block.m_strStart.GetString());
    // A rule goes before the first one whose start is not longer than its own.
    EXPECT_EQ(starts, (std::vector<std::string>{"--", "/*", "'", "\""}));

    EXPECT_EQ(m_rules.AddColorBlock("<!--x", "", FALSE, 0, 0), nullptr);  // over four characters
    EXPECT_EQ(m_rules.AddColorBlock("{", "", TRUE, 0, 0), nullptr);       // whole text needs an end
    EXPECT_EQ(m_rules.AddColorBlock("(*", "*)", TRUE, 0, 0), nullptr);    // a second whole-text rule
    EXPECT_NE(m_rules.AddColorBlock("#", "", FALSE, 0, 0), nullptr);
}

TEST_F(ColorRulesTest, OccurrencesOnARow)
{
    const std::string_view text = "x = 'a--b' -- note\n\"q\" 'it\\'s' /* c */ y";
    const std::vector<std::pair<int, int>> expected{
        {4, 9},    // the string, though it holds "--"
        {11, 18},  // the row comment, line feed included
        {19, 21},  // the double-quoted string on the next row
        {23, 29},  // an escaped apostrophe does not end the string
        {31, 37},  // the block comment
    };
    EXPECT_EQ(Collect(text), expected);
}

TEST_F(ColorRulesTest, UnclosedStringEndsWithItsRow)
{
    EXPECT_EQ(Collect("a 'open\nnext"), (std::vector<std::pair<int, int>>{{2, 7}}));
    EXPECT_EQ(Collect("/* open\nstill"), (std::vector<std::pair<int, int>>{{0, 12}}));
}

TEST_F(ColorRulesTest, ABlockCommentOpenAboveTheView)
{
    const std::string_view text = "select 1\n/* first\nsecond\nthird */ x\nafter";
    const int secondRow = 18;
    const CKtvPColorBlock* pOpen = m_rules.FindOpenColorBlock(text, secondRow);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_STREQ(pOpen->m_strStart, "/*");
    EXPECT_EQ(m_rules.FindColorBlockEnd(text, *pOpen, secondRow), 33);
    EXPECT_EQ(m_rules.FindOpenColorBlock(text, 36), nullptr);  // after the end
    EXPECT_EQ(m_rules.FindOpenColorBlock(text, 0), nullptr);
}

TEST_F(ColorRulesTest, AStartInsideAStringOrRowCommentOpensNothing)
{
    EXPECT_EQ(m_rules.FindOpenColorBlock("x = '/*'\ny", 9), nullptr);
    EXPECT_EQ(m_rules.FindOpenColorBlock("-- see /* here\ny", 15), nullptr);
    // A genuine start before the false one still counts.
    EXPECT_NE(m_rules.FindOpenColorBlock("/* a\n'/*'\ny", 10), nullptr);
}

TEST_F(ColorRulesTest, KeywordsMatchByCase)
{
    m_rules.SetWordColor("select", RGB(0, 0, 255), static_cast<COLORREF>(-1), FALSE);
    m_rules.SetWordColor("GO", RGB(1, 1, 1), static_cast<COLORREF>(-1), TRUE);
    COLORREF text = 0;
    COLORREF back = 0;
    for (const char* spelling : {"select", "SELECT", "SeLeCt"})
        EXPECT_TRUE(m_rules.LookupWord(spelling, text, back)) << spelling;
    EXPECT_EQ(text, RGB(0, 0, 255));
    EXPECT_TRUE(m_rules.LookupWord("GO", text, back));
    EXPECT_FALSE(m_rules.LookupWord("go", text, back));
    EXPECT_FALSE(m_rules.LookupWord("", text, back));
}

TEST_F(ColorRulesTest, DelimiterNearAnOffset)
{
    const std::string_view text = "abcdefgh--ijklmnop";
    EXPECT_TRUE(m_rules.IsColorBlockDelimiterNear(text, 6));
    EXPECT_TRUE(m_rules.IsColorBlockDelimiterNear(text, 12));
    EXPECT_TRUE(m_rules.IsColorBlockDelimiterNear(text, 5));   // "--" ends at offset + 4
    EXPECT_FALSE(m_rules.IsColorBlockDelimiterNear(text, 4));  // and here one past it
    EXPECT_FALSE(m_rules.IsColorBlockDelimiterNear(text, 2));
    EXPECT_FALSE(m_rules.IsColorBlockDelimiterNear(text, 16));
}

class RedrawRecordingModel : public RecordingEditModel {
public:
    void RedrawRows(int nFirstRow, int nLastRow) override { m_redraws.emplace_back(nFirstRow, nLastRow); }
    std::vector<std::pair<int, int>> m_redraws;
};

TEST_F(EditModelTest, TypingNearABlockDelimiterRedrawsEverything)
{
    RedrawRecordingModel model;
    Attach(model);
    model.AddColorBlock("--", "", FALSE, 0, static_cast<COLORREF>(-1));
    model.SetText("first row\nsecond row -x\nthird");
    model.SetCaret(12);
    model.m_redraws.clear();
    model.InsertChar('a');
    EXPECT_EQ(model.m_redraws, (std::vector<std::pair<int, int>>{{1, 1}}));
    model.SetCaret(22);
    model.m_redraws.clear();
    model.InsertChar('-');  // makes "--": the rows below may change colour
    ASSERT_FALSE(model.m_redraws.empty());
    EXPECT_EQ(model.m_redraws.front(), std::make_pair(0, -1));

    COLORREF text = 0;
    COLORREF back = 0;
    model.SetWordColor("row", RGB(0, 0, 255), static_cast<COLORREF>(-1), FALSE);
    ASSERT_TRUE(model.GetWordColor("ROW", text, back, 0));
    EXPECT_EQ(back, model.GetDefaultBackColor());
    model.RemoveXMLSettings();
    EXPECT_FALSE(model.GetWordColor("row", text, back, 0));
    EXPECT_FALSE(model.IsColorBlockDelimiterNear(22));
}
