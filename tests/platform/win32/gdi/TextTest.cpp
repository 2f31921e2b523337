#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

constexpr COLORREF kTextPaper = RGB(255, 255, 255);
constexpr COLORREF kTextInk = RGB(0, 0, 160);

HFONT MakeTextFont(int height, const char* face, int escapement = 0, int weight = FW_NORMAL, bool underline = false)
{
    return CreateFont(height, 0, escapement, escapement, weight, FALSE, underline, FALSE, ANSI_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

}  // namespace

// A canvas with a font selected and transparent text in one colour.
class TextFixture : public ::testing::Test {
protected:
    Canvas canvas{200, 120};
    HFONT font = MakeTextFont(-13, "Tahoma");
    HGDIOBJ oldFont = nullptr;

    void SetUp() override
    {
        oldFont = SelectObject(canvas.Dc(), font);
        SetTextColor(canvas.Dc(), kTextInk);
        SetBkMode(canvas.Dc(), TRANSPARENT);
    }
    void TearDown() override
    {
        SelectObject(canvas.Dc(), oldFont);
        DeleteObject(font);
    }
    SIZE Extent(const char* text)
    {
        SIZE size{};
        GetTextExtentPoint32(canvas.Dc(), text, int(std::strlen(text)), &size);
        return size;
    }
    static bool Inside(const RECT& inner, const RECT& outer)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    }
};

TEST_F(TextFixture, MetricsFollowTheRequestedHeight)
{
    TEXTMETRIC tm{};
    ASSERT_TRUE(GetTextMetrics(canvas.Dc(), &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 13);  // negative height: the characters' own height
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_GT(tm.tmAveCharWidth, 3);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);

    HFONT cell = MakeTextFont(16, "Arial");
    SelectObject(canvas.Dc(), cell);
    GetTextMetrics(canvas.Dc(), &tm);
    EXPECT_LE(tm.tmHeight, 16);  // positive height: the whole cell
    EXPECT_GE(tm.tmHeight, 14);
    SelectObject(canvas.Dc(), font);
    DeleteObject(cell);
}

TEST_F(TextFixture, ExtentsAddUpPerCharacter)
{
    const SIZE whole = Extent("Select");
    int widths[6] = {};
    int sum = 0;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(GetCharWidth32(canvas.Dc(), UINT("Select"[i]), UINT("Select"[i]), &widths[i]));
        sum += widths[i];
    }
    EXPECT_EQ(whole.cx, sum);
    EXPECT_EQ(Extent("").cx, 0);
    EXPECT_GT(Extent("WWW").cx, Extent("iii").cx);

    int fit = 0;
    int partial[6] = {};
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPoint(canvas.Dc(), "Select", 6, whole.cx - 1, &fit, partial, &size));
    EXPECT_EQ(fit, 5);
    EXPECT_EQ(partial[5], whole.cx);
    EXPECT_EQ(partial[0], widths[0]);

    // UTF-8 characters are measured whole.
    EXPECT_GT(Extent("é").cx, 0);
    EXPECT_EQ(Extent("é").cx, Extent("e").cx);

    SetTextCharacterExtra(canvas.Dc(), 2);
    EXPECT_EQ(Extent("Select").cx, whole.cx + 12);
}

TEST_F(TextFixture, TextLandsInsideItsExtentInTheTextColour)
{
    ASSERT_TRUE(TextOut(canvas.Dc(), 20, 30, "Hello", 5));
    const SIZE size = Extent("Hello");
    const RECT ink = canvas.BoundsOfNot(kTextPaper);
    EXPECT_TRUE(Inside(ink, RECT{20, 30, 20 + size.cx, 30 + size.cy}));
    EXPECT_LE(ink.left, 22);
    EXPECT_GE(ink.right, 20 + size.cx - 3);
    EXPECT_GT(canvas.Count(kTextInk), 10);  // stems are fully covered
}

TEST_F(TextFixture, AlignmentMovesTheTextAroundTheReferencePoint)
{
    const SIZE size = Extent("Hello");
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    struct AlignCase {
        UINT align;
        RECT expected;  // the extent box for the reference point (100, 60)
    };
    const AlignCase cases[] = {
        {TA_LEFT | TA_TOP, {100, 60, 100 + size.cx, 60 + size.cy}},
        {TA_RIGHT | TA_TOP, {100 - size.cx, 60, 100, 60 + size.cy}},
        {TA_CENTER | TA_BOTTOM, {100 - size.cx / 2, 60 - size.cy, 100 - size.cx / 2 + size.cx, 60}},
        {TA_LEFT | TA_BASELINE, {100, 60 - tm.tmAscent, 100 + size.cx, 60 + tm.tmDescent}},
    };
    for (const AlignCase& c : cases) {
        canvas.Fill(kTextPaper);
        SetTextAlign(canvas.Dc(), c.align);
        TextOut(canvas.Dc(), 100, 60, "Hello", 5);
        const RECT ink = canvas.BoundsOfNot(kTextPaper);
        EXPECT_TRUE(Inside(ink, c.expected)) << c.align << ": " << ink.left << "," << ink.top << "," << ink.right
                                             << "," << ink.bottom;
        EXPECT_LE(ink.left - c.expected.left, 2) << c.align;
    }
    SetTextAlign(canvas.Dc(), TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(canvas.Dc(), 10, 10, nullptr);
    TextOut(canvas.Dc(), 0, 0, "Hello", 5);
    POINT now{};
    GetCurrentPositionEx(canvas.Dc(), &now);
    EXPECT_EQ(now.x, 10 + size.cx);
}

TEST_F(TextFixture, OpaqueModeFillsTheExtentWithTheBackground)
{
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), RGB(255, 255, 0));
    TextOut(canvas.Dc(), 10, 10, "Hi", 2);
    const SIZE size = Extent("Hi");
    EXPECT_EQ(canvas.BoundsOfNot(kTextPaper).right, 10 + size.cx);
    EXPECT_EQ(canvas.BoundsOfNot(kTextPaper).bottom, 10 + size.cy);
    EXPECT_EQ(canvas.At(10, 10), RGB(255, 255, 0));
    EXPECT_EQ(canvas.At(10 + size.cx - 1, 10 + size.cy - 1), RGB(255, 255, 0));
}

TEST_F(TextFixture, ExtTextOutClipsOpaquesAndSpacesCharacters)
{
    RECT box{10, 10, 40, 40};
    SetBkColor(canvas.Dc(), RGB(0, 255, 0));
    ASSERT_TRUE(ExtTextOut(canvas.Dc(), 12, 12, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWWWWWWWW", 10, nullptr));
    const RECT drawn = canvas.BoundsOfNot(kTextPaper);
    EXPECT_EQ(drawn.left, 10);
    EXPECT_EQ(drawn.right, 40);
    EXPECT_EQ(canvas.At(10, 39), RGB(0, 255, 0));

    canvas.Fill(kTextPaper);
    const INT spacing[3] = {30, 30, 30};
    ASSERT_TRUE(ExtTextOut(canvas.Dc(), 0, 50, 0, nullptr, "lll", 3, spacing));
    const RECT ink = canvas.BoundsOfNot(kTextPaper);
    EXPECT_GE(ink.right, 61);
    EXPECT_LE(ink.right, 70);
    // Each 'l' sits at its own 30-pixel step with paper between.
    EXPECT_EQ(canvas.BoundsOfNot(kTextPaper).left < 10, true);
    bool gap = true;
    for (int y = 50; y < 70; ++y)
        if (canvas.At(20, y) != kTextPaper)
            gap = false;
    EXPECT_TRUE(gap);
}

TEST_F(TextFixture, VerticalTextRunsUpOrDownFromTheReferencePoint)
{
    const SIZE size = Extent("Vertical");
    for (int escapement : {900, 2700}) {
        Canvas tall(120, 200);
        HFONT turned = MakeTextFont(-13, "Tahoma", escapement);
        SelectObject(tall.Dc(), turned);
        SetBkMode(tall.Dc(), TRANSPARENT);
        TextOut(tall.Dc(), 60, 100, "Vertical", 8);
        const RECT ink = tall.BoundsOfNot(kTextPaper);
        EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left) << escapement;
        EXPECT_GE(ink.bottom - ink.top, size.cx - 4) << escapement;
        if (escapement == 900) {
            EXPECT_LE(ink.bottom, 101);
            EXPECT_GE(ink.left, 60);
            EXPECT_LE(ink.right, 60 + size.cy);
        } else {
            EXPECT_GE(ink.top, 100);
            EXPECT_LE(ink.right, 60);
            EXPECT_GE(ink.left, 60 - size.cy);
        }
        SelectObject(tall.Dc(), GetStockObject(SYSTEM_FONT));
        DeleteObject(turned);
    }
}

TEST_F(TextFixture, TabsStopAtTheGivenPositions)
{
    const INT stops[] = {60};
    const LONG extent = TabbedTextOut(canvas.Dc(), 10, 10, "ab\tc", 4, 1, stops, 10);
    const SIZE c = Extent("c");
    EXPECT_EQ(LOWORD(extent), 60 + c.cx);
    EXPECT_EQ(HIWORD(extent), Extent("a").cy);
    EXPECT_EQ(LOWORD(GetTabbedTextExtent(canvas.Dc(), "ab\tc", 4, 1, stops)), 60 + c.cx);
    // Nothing between the end of "ab" and the stop.
    const SIZE ab = Extent("ab");
    for (int x = 10 + ab.cx + 2; x < 68; ++x)
        for (int y = 10; y < 10 + c.cy; ++y)
            ASSERT_EQ(canvas.At(x, y), kTextPaper) << x << "," << y;
    EXPECT_NE(canvas.BoundsOfNot(kTextPaper).right, 0);
    const INT list[] = {30, 80};
    EXPECT_EQ(LOWORD(GetTabbedTextExtent(canvas.Dc(), "a\tb\tc", 5, 2, list)), 80 + c.cx);
}

TEST_F(TextFixture, FaceNamesMapToInstalledFontsAndAreReportedAsAsked)
{
    char face[LF_FACESIZE] = {};
    ASSERT_GT(GetTextFace(canvas.Dc(), LF_FACESIZE, face), 0);
    EXPECT_STREQ(face, "Tahoma");
    HFONT mono = MakeTextFont(-12, "Courier New");
    SelectObject(canvas.Dc(), mono);
    EXPECT_EQ(Extent("iiii").cx, Extent("WWWW").cx);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
    SelectObject(canvas.Dc(), font);
    DeleteObject(mono);
    LOGFONT lf{};
    ASSERT_EQ(GetObject(font, sizeof(lf), &lf), int(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    FONTSIGNATURE sig{};
    EXPECT_EQ(GetTextCharsetInfo(canvas.Dc(), &sig, 0), ANSI_CHARSET);
}

TEST_F(TextFixture, EnumerationListsInstalledAndWindowsFaces)
{
    std::vector<std::string> seen;
    auto collect = [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM lParam) -> int {
        auto* names = reinterpret_cast<std::vector<std::string>*>(lParam);
        names->push_back(lf->lfFaceName);
        return type == TRUETYPE_FONTTYPE ? 1 : 0;
    };
    EXPECT_EQ(EnumFontFamilies(canvas.Dc(), nullptr, collect, LPARAM(&seen)), 1);
    auto has = [&](const char* name) { return std::find(seen.begin(), seen.end(), name) != seen.end(); };
    EXPECT_TRUE(has("Liberation Sans"));
    EXPECT_TRUE(has("Tahoma"));
    EXPECT_TRUE(has("MS Sans Serif"));
    EXPECT_TRUE(has("Courier New"));

    seen.clear();
    EnumFontFamilies(canvas.Dc(), "Tahoma", collect, LPARAM(&seen));
    EXPECT_EQ(seen.size(), 4u);  // its four styles
    seen.clear();
    EnumFontFamilies(canvas.Dc(), "No Such Face", collect, LPARAM(&seen));
    EXPECT_TRUE(seen.empty());

    int calls = 0;
    auto stopAtOnce = [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam) -> int {
        ++*reinterpret_cast<int*>(lParam);
        return 0;
    };
    EXPECT_EQ(EnumFontFamilies(canvas.Dc(), nullptr, stopAtOnce, LPARAM(&calls)), 0);
    EXPECT_EQ(calls, 1);
}

TEST_F(TextFixture, MarlettGlyphsAreDrawnInsideTheirCell)
{
    HFONT marlett = MakeTextFont(-16, "Marlett");
    SelectObject(canvas.Dc(), marlett);
    EXPECT_EQ(Extent("6").cx, 16);
    for (const char* glyph : {"0", "1", "2", "r", "s", "3", "4", "5", "6", "a", "o", "p", "h", "8"}) {
        canvas.Fill(kTextPaper);
        TextOut(canvas.Dc(), 40, 40, glyph, 1);
        const RECT ink = canvas.BoundsOfNot(kTextPaper);
        EXPECT_TRUE(Inside(ink, RECT{40, 40, 56, 56})) << glyph;
        EXPECT_GT(canvas.Count(kTextInk), 3) << glyph;
    }
    // The down arrow points down: wider at its top than at its bottom.
    canvas.Fill(kTextPaper);
    TextOut(canvas.Dc(), 40, 40, "6", 1);
    const RECT ink = canvas.BoundsOfNot(kTextPaper);
    int topRow = 0, bottomRow = 0;
    for (int x = 40; x < 56; ++x) {
        topRow += canvas.At(x, ink.top) == kTextInk;
        bottomRow += canvas.At(x, ink.bottom - 1) == kTextInk;
    }
    EXPECT_GT(topRow, bottomRow);
    SelectObject(canvas.Dc(), font);
    DeleteObject(marlett);
}

TEST_F(TextFixture, StockFontsHaveTheirFaces)
{
    char face[LF_FACESIZE] = {};
    SelectObject(canvas.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    GetTextFace(canvas.Dc(), LF_FACESIZE, face);
    EXPECT_STREQ(face, "MS Shell Dlg");
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    SelectObject(canvas.Dc(), GetStockObject(SYSTEM_FONT));
    GetTextMetrics(canvas.Dc(), &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    SelectObject(canvas.Dc(), font);
}

TEST_F(TextFixture, NonAntialiasedFontsDrawWholePixels)
{
    HFONT sharp = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Tahoma");
    SelectObject(canvas.Dc(), sharp);
    TextOut(canvas.Dc(), 10, 10, "Sharp edges", 11);
    EXPECT_GT(canvas.Count(kTextInk), 20);
    EXPECT_EQ(canvas.Count(kTextInk) + canvas.Count(kTextPaper), 200 * 120);
    SelectObject(canvas.Dc(), font);
    DeleteObject(sharp);
}

TEST_F(TextFixture, AGivenAverageWidthStretchesTheFaceAcross)
{
    const SIZE natural = Extent("Stretch me");
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.Dc(), &tm);
    HFONT wide = CreateFont(-13, tm.tmAveCharWidth * 2, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    SelectObject(canvas.Dc(), wide);
    TEXTMETRIC wideMetrics{};
    GetTextMetrics(canvas.Dc(), &wideMetrics);
    EXPECT_EQ(wideMetrics.tmAveCharWidth, tm.tmAveCharWidth * 2);
    EXPECT_EQ(wideMetrics.tmHeight, tm.tmHeight);
    const SIZE stretched = Extent("Stretch me");
    EXPECT_NEAR(stretched.cx, natural.cx * 2, 3);
    TextOut(canvas.Dc(), 0, 0, "Stretch me", 10);
    const RECT ink = canvas.BoundsOfNot(kTextPaper);
    EXPECT_GT(ink.right, natural.cx * 3 / 2);
    EXPECT_LE(ink.right, stretched.cx + 2);
    SelectObject(canvas.Dc(), font);
    DeleteObject(wide);
}
