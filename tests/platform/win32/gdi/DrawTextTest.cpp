#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

constexpr COLORREF kDrawPaper = RGB(255, 255, 255);
constexpr COLORREF kDrawInk = RGB(0, 0, 0);

}  // namespace

// A canvas with an 8-point face selected, transparent black text.
class DrawTextFixture : public ::testing::Test {
protected:
    Canvas canvas{300, 200};
    HFONT font = CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = nullptr;
    int lineHeight = 0;

    void SetUp() override
    {
        old = SelectObject(canvas.Dc(), font);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        TEXTMETRIC tm{};
        GetTextMetrics(canvas.Dc(), &tm);
        lineHeight = tm.tmHeight;
    }
    void TearDown() override
    {
        SelectObject(canvas.Dc(), old);
        DeleteObject(font);
    }
    int Width(const char* text)
    {
        SIZE size{};
        GetTextExtentPoint32(canvas.Dc(), text, int(std::strlen(text)), &size);
        return size.cx;
    }
    RECT Calc(const char* text, RECT r, UINT format)
    {
        DrawText(canvas.Dc(), text, -1, &r, format | DT_CALCRECT);
        return r;
    }
};

TEST_F(DrawTextFixture, CalcRectMeasuresLinesWithoutDrawing)
{
    RECT r = Calc("one\ntwo lines", RECT{10, 20, 10, 20}, DT_LEFT);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.right, 10 + Width("two lines"));
    EXPECT_EQ(r.bottom, 20 + 2 * lineHeight);
    EXPECT_EQ(canvas.Count(kDrawPaper), 300 * 200);
    // Single line: line breaks are not lines.
    r = Calc("one\ntwo", RECT{0, 0, 0, 0}, DT_SINGLELINE);
    EXPECT_EQ(r.bottom, lineHeight);
    EXPECT_EQ(r.right, Width("onetwo"));
    // "\r\n" is one break.
    r = Calc("a\r\nb", RECT{0, 0, 0, 0}, 0);
    EXPECT_EQ(r.bottom, 2 * lineHeight);
}

TEST_F(DrawTextFixture, WordBreakWrapsAtSpacesWithinTheWidth)
{
    const int width = std::max(Width("alpha beta"), Width("gamma delta")) + 2;
    RECT r = Calc("alpha beta gamma delta", RECT{0, 0, width, 0}, DT_WORDBREAK);
    EXPECT_EQ(r.bottom, 2 * lineHeight);
    EXPECT_LE(r.right, width);
    // A word wider than the line stays whole unless it is edit-control text.
    const int narrow = Width("abc");
    r = Calc("abcdefghij", RECT{0, 0, narrow, 0}, DT_WORDBREAK);
    EXPECT_EQ(r.bottom, lineHeight);
    EXPECT_EQ(r.right, Width("abcdefghij"));
    r = Calc("abcdefghij", RECT{0, 0, narrow, 0}, DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_GE(r.bottom, 3 * lineHeight);
    EXPECT_LE(r.right, narrow);
}

TEST_F(DrawTextFixture, EditControlLeavesOutAPartlyVisibleLastLine)
{
    RECT r{0, 0, 300, lineHeight * 2 - 1};
    DrawText(canvas.Dc(), "first\nsecond", -1, &r, DT_EDITCONTROL);
    EXPECT_LE(canvas.BoundsOfNot(kDrawPaper).bottom, lineHeight);
    canvas.Fill(kDrawPaper);
    DrawText(canvas.Dc(), "first\nsecond", -1, &r, 0);
    EXPECT_GT(canvas.BoundsOfNot(kDrawPaper).bottom, lineHeight);
    EXPECT_LE(canvas.BoundsOfNot(kDrawPaper).bottom, lineHeight * 2 - 1);  // clipped to the rectangle
}

TEST_F(DrawTextFixture, AlignmentPlacesSingleLines)
{
    const int width = Width("Centre");
    struct AlignCase {
        UINT format;
        int left;
        int top;
    };
    const RECT box{20, 10, 220, 90};
    const AlignCase cases[] = {
        {DT_SINGLELINE, 20, 10},
        {DT_SINGLELINE | DT_CENTER, 20 + (200 - width) / 2, 10},
        {DT_SINGLELINE | DT_RIGHT, 220 - width, 10},
        {DT_SINGLELINE | DT_VCENTER | DT_CENTER, 20 + (200 - width) / 2, 10 + (80 - lineHeight) / 2},
        {DT_SINGLELINE | DT_BOTTOM, 20, 90 - lineHeight},
    };
    for (const AlignCase& c : cases) {
        canvas.Fill(kDrawPaper);
        RECT r = box;
        const int height = DrawText(canvas.Dc(), "Centre", -1, &r, c.format);
        const RECT ink = canvas.BoundsOfNot(kDrawPaper);
        EXPECT_GE(ink.left, c.left) << c.format;
        EXPECT_LE(ink.left, c.left + 2) << c.format;
        EXPECT_GE(ink.top, c.top) << c.format;
        EXPECT_LE(ink.bottom, c.top + lineHeight) << c.format;
        EXPECT_EQ(height, c.top - 10 + lineHeight) << c.format;
    }
}

TEST_F(DrawTextFixture, PrefixesAreUnderlinedUnlessTurnedOff)
{
    RECT calc = Calc("&File", RECT{0, 0, 0, 0}, DT_SINGLELINE);
    EXPECT_EQ(calc.right, Width("File"));
    calc = Calc("Save && Exit", RECT{0, 0, 0, 0}, DT_SINGLELINE);
    EXPECT_EQ(calc.right, Width("Save & Exit"));
    calc = Calc("&File", RECT{0, 0, 0, 0}, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(calc.right, Width("&File"));

    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    const int underlineY = 10 + tm.tmAscent + 1;
    auto underlined = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            if (canvas.At(x, underlineY) != kDrawInk)
                return false;
        return true;
    };
    RECT r{10, 10, 200, 40};
    DrawText(canvas.Dc(), "&File", -1, &r, DT_SINGLELINE);
    EXPECT_TRUE(underlined(10, 10 + Width("F")));
    EXPECT_FALSE(underlined(10 + Width("F"), 10 + Width("Fi")));

    canvas.Fill(kDrawPaper);
    DrawText(canvas.Dc(), "&File", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_FALSE(underlined(10, 10 + Width("F")));
    EXPECT_NE(canvas.Count(kDrawPaper), 300 * 200);

    canvas.Fill(kDrawPaper);
    DrawText(canvas.Dc(), "&File", -1, &r, DT_SINGLELINE | DT_PREFIXONLY);
    EXPECT_TRUE(underlined(10, 10 + Width("F")));
    EXPECT_EQ(canvas.BoundsOfNot(kDrawPaper).top, underlineY);
}

TEST_F(DrawTextFixture, EllipsesShortenTextThatDoesNotFit)
{
    const char* text = "A rather long caption for a narrow column";
    const int width = Width("A rather long");
    RECT r = Calc(text, RECT{0, 0, width, 0}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.right, width);
    EXPECT_GE(r.right, width - Width("WW") - Width("..."));

    char buffer[64];
    std::strcpy(buffer, text);
    RECT box{0, 0, width, 30};
    DrawTextEx(canvas.Dc(), buffer, -1, &box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    const std::string shortened = buffer;
    ASSERT_GE(shortened.size(), 4u);
    EXPECT_EQ(shortened.substr(shortened.size() - 3), "...");
    EXPECT_EQ(std::string(text).rfind(shortened.substr(0, shortened.size() - 3), 0), 0u);
    EXPECT_LE(Width(buffer), width);

    // A path keeps its last part.
    std::strcpy(buffer, "C:\\Program Files\\Tarnwick\\data\\PosImg.dat");
    const int pathWidth = Width("C:\\Prog...\\PosImg.dat") + 2;
    RECT pathBox{0, 0, pathWidth, 30};
    DrawTextEx(canvas.Dc(), buffer, -1, &pathBox, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    const std::string path = buffer;
    EXPECT_NE(path.find("...\\PosImg.dat"), std::string::npos) << path;
    EXPECT_EQ(path.rfind("C:\\", 0), 0u) << path;
    EXPECT_LE(Width(buffer), pathWidth);

    // Text that fits is left alone.
    std::strcpy(buffer, "short");
    RECT wide{0, 0, 300, 30};
    DrawTextEx(canvas.Dc(), buffer, -1, &wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    EXPECT_STREQ(buffer, "short");
}

TEST_F(DrawTextFixture, ModifyStringNeverWritesPastTheCallersText)
{
    // Two characters cannot take an ellipsis in place.
    char buffer[3] = {'W', 'W', 0};
    RECT tiny{0, 0, 3, 20};
    DrawTextEx(canvas.Dc(), buffer, 2, &tiny, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, nullptr);
    EXPECT_EQ(buffer[2], 0);
}

TEST_F(DrawTextFixture, TabsExpandToEightAverageCharacters)
{
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    RECT r = Calc("a\tb", RECT{0, 0, 0, 0}, DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + Width("b"));
    // DT_TABSTOP takes the tab size from the high byte, so it cannot measure.
    RECT box{0, 0, 300, 40};
    DrawText(canvas.Dc(), "a\tb", -1, &box, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
    const RECT ink = canvas.BoundsOfNot(kDrawPaper);
    EXPECT_GE(ink.right, 4 * tm.tmAveCharWidth + 1);
    EXPECT_LE(ink.right, 4 * tm.tmAveCharWidth + Width("b"));
    for (int y = 0; y < 40; ++y)
        for (int x = Width("a") + 1; x < 4 * tm.tmAveCharWidth; ++x)
            ASSERT_EQ(canvas.At(x, y), kDrawPaper) << x << "," << y;
}

TEST_F(DrawTextFixture, ClipsToTheRectangleUnlessNoClip)
{
    RECT r{10, 10, 30, 30};
    DrawText(canvas.Dc(), "WWWWWWWWWW", -1, &r, DT_SINGLELINE);
    EXPECT_LE(canvas.BoundsOfNot(kDrawPaper).right, 30);
    canvas.Fill(kDrawPaper);
    DrawText(canvas.Dc(), "WWWWWWWWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.BoundsOfNot(kDrawPaper).right, 30);
}
