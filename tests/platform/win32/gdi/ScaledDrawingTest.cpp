// Sizes under a mapping mode: fonts, pen widths, text spacing and corner
// sizes are logical like coordinates, so a scaled drawing matches the same
// drawing made at device size, and measuring calls answer in logical units.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

constexpr COLORREF kScaledInk = RGB(0, 0, 160);
constexpr COLORREF kScaledPaper = RGB(255, 255, 255);
constexpr int kScale = 3;  // device pixels per logical unit in the scaled canvases

HFONT MakeScaledFont(int height, int quality = DEFAULT_QUALITY)
{
    return CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DWORD(quality), DEFAULT_PITCH, "Tahoma");
}

void UseScale(HDC dc, int factor)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1, 1, nullptr);
    SetViewportExtEx(dc, factor, factor, nullptr);
}

// Where two canvases differ, as "x,y" of the first differing pixel; empty when equal.
std::string FirstDifference(const Canvas& a, const Canvas& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

// One drawing made with every size multiplied by `unit`.
struct ScaledDrawCase {
    const char* name;
    void (*draw)(HDC dc, int unit);
};

void DrawWithPen(HDC dc, HPEN pen, void (*shape)(HDC, int), int unit)
{
    HGDIOBJ old = SelectObject(dc, pen);
    shape(dc, unit);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void HorizontalLine(HDC dc, int unit)
{
    MoveToEx(dc, 5 * unit, 20 * unit, nullptr);
    LineTo(dc, 50 * unit, 20 * unit);
}

void DrawTextWithFont(HDC dc, int unit, void (*text)(HDC, int))
{
    HFONT font = MakeScaledFont(-8 * unit);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, kScaledInk);
    SetBkMode(dc, TRANSPARENT);
    text(dc, unit);
    SelectObject(dc, old);
    DeleteObject(font);
}

const ScaledDrawCase kScaledDrawCases[] = {
    {"GeometricPen",
     [](HDC dc, int unit) { DrawWithPen(dc, CreatePen(PS_SOLID, 4 * unit, kScaledInk), HorizontalLine, unit); }},
    // Width 0 is one pixel whatever the scale, so the device-size drawing uses 0 too.
    {"ZeroWidthPen", [](HDC dc, int unit) { DrawWithPen(dc, CreatePen(PS_SOLID, 0, kScaledInk), HorizontalLine, unit); }},
    {"CosmeticExtendedPen",
     [](HDC dc, int unit) {
         LOGBRUSH ink{BS_SOLID, kScaledInk, 0};
         DrawWithPen(dc, ExtCreatePen(PS_COSMETIC | PS_SOLID, 1, &ink, 0, nullptr), HorizontalLine, unit);
     }},
    {"GeometricExtendedPen",
     [](HDC dc, int unit) {
         LOGBRUSH ink{BS_SOLID, kScaledInk, 0};
         DrawWithPen(dc, ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 3 * unit, &ink, 0, nullptr),
                     HorizontalLine, unit);
     }},
    {"RoundRectCorners",
     [](HDC dc, int unit) {
         DrawWithPen(dc, CreatePen(PS_SOLID, 2 * unit, kScaledInk),
                     [](HDC d, int u) { RoundRect(d, 4 * u, 4 * u, 50 * u, 34 * u, 16 * u, 12 * u); }, unit);
     }},
    {"TextOut", [](HDC dc, int unit) { DrawTextWithFont(dc, unit, [](HDC d, int u) { TextOut(d, 4 * u, 6 * u, "Hg", 2); }); }},
    {"ExtTextOutSpacing",
     [](HDC dc, int unit) {
         DrawTextWithFont(dc, unit, [](HDC d, int u) {
             const INT spacing[] = {9 * u, 3 * u, 12 * u};
             ExtTextOut(d, 4 * u, 6 * u, 0, nullptr, "WiW", 3, spacing);
         });
     }},
    {"CharacterExtra",
     [](HDC dc, int unit) {
         DrawTextWithFont(dc, unit, [](HDC d, int u) {
             SetTextCharacterExtra(d, 4 * u);
             TextOut(d, 4 * u, 6 * u, "abc", 3);
         });
     }},
};

class ScaledDrawing : public ::testing::TestWithParam<ScaledDrawCase> {};

TEST_P(ScaledDrawing, MatchesTheSameDrawingAtDeviceSize)
{
    Canvas scaled(180, 120, kScaledPaper);
    Canvas device(180, 120, kScaledPaper);
    UseScale(scaled.Dc(), kScale);
    GetParam().draw(scaled.Dc(), 1);
    GetParam().draw(device.Dc(), kScale);
    ASSERT_NE(device.Count(kScaledPaper), device.Width() * device.Height()) << "nothing drawn";
    EXPECT_EQ(FirstDifference(scaled, device), "");
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledDrawing, ::testing::ValuesIn(kScaledDrawCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A font asked for in a fixed-measure mode: the logical height that is a
// whole number of device pixels there, and that many pixels.
struct FixedModeFontCase {
    const char* name;
    int mode;
    int logicalHeight;
    int deviceHeight;
};

class FixedModeFonts : public ::testing::TestWithParam<FixedModeFontCase> {};

TEST_P(FixedModeFonts, DrawAtTheDeviceSizeOfTheirLogicalHeight)
{
    const FixedModeFontCase& c = GetParam();
    Canvas scaled(160, 120, kScaledPaper);
    Canvas device(160, 120, kScaledPaper);
    SetMapMode(scaled.Dc(), c.mode);
    // A logical point and the device point it lands on.
    const int size = std::abs(c.logicalHeight);
    POINT at{size / 4, -size / 2};
    POINT onDevice = at;
    LPtoDP(scaled.Dc(), &onDevice, 1);

    for (Canvas* canvas : {&scaled, &device}) {
        const bool isScaled = canvas == &scaled;
        HFONT font = MakeScaledFont(isScaled ? c.logicalHeight : c.deviceHeight);
        HGDIOBJ old = SelectObject(canvas->Dc(), font);
        SetTextColor(canvas->Dc(), kScaledInk);
        SetBkMode(canvas->Dc(), TRANSPARENT);
        const POINT p = isScaled ? at : onDevice;
        TextOut(canvas->Dc(), p.x, p.y, "Hg", 2);
        SelectObject(canvas->Dc(), old);
        DeleteObject(font);
    }
    ASSERT_NE(device.Count(kScaledPaper), device.Width() * device.Height()) << "nothing drawn";
    EXPECT_EQ(FirstDifference(scaled, device), "");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FixedModeFonts,
    ::testing::Values(FixedModeFontCase{"LoEnglishCharacterHeight", MM_LOENGLISH, -25, -24},
                      FixedModeFontCase{"LoEnglishCellHeight", MM_LOENGLISH, 25, 24},
                      FixedModeFontCase{"Twips", MM_TWIPS, -360, -24},
                      FixedModeFontCase{"HiMetric", MM_HIMETRIC, -635, -24},
                      FixedModeFontCase{"LoMetric", MM_LOMETRIC, -127, -48}),
    [](const auto& info) { return std::string(info.param.name); });

// Device measures of a -24 pixel font, and the same font asked for in a mode
// where a logical unit is `kScale` pixels wide and high.
class ScaledMeasures : public ::testing::Test {
protected:
    Canvas scaled{60, 60};
    Canvas device{60, 60};
    HFONT scaledFont = MakeScaledFont(-8);
    HFONT deviceFont = MakeScaledFont(-8 * kScale);
    HGDIOBJ oldScaled = nullptr;
    HGDIOBJ oldDevice = nullptr;

    void SetUp() override
    {
        UseScale(scaled.Dc(), kScale);
        oldScaled = SelectObject(scaled.Dc(), scaledFont);
        oldDevice = SelectObject(device.Dc(), deviceFont);
    }
    void TearDown() override
    {
        SelectObject(scaled.Dc(), oldScaled);
        SelectObject(device.Dc(), oldDevice);
        DeleteObject(scaledFont);
        DeleteObject(deviceFont);
    }
    // A device length in logical units, rounded to nearest.
    static int Logical(int pixels) { return (pixels + kScale / 2) / kScale; }
    static SIZE Extent(HDC dc, const char* text)
    {
        SIZE size{};
        EXPECT_TRUE(GetTextExtentPoint32(dc, text, int(std::strlen(text)), &size));
        return size;
    }
};

TEST_F(ScaledMeasures, MetricsAndExtentsAreLogical)
{
    TEXTMETRIC inPixels{}, inUnits{};
    ASSERT_TRUE(GetTextMetrics(device.Dc(), &inPixels));
    ASSERT_TRUE(GetTextMetrics(scaled.Dc(), &inUnits));
    EXPECT_EQ(inUnits.tmHeight, Logical(inPixels.tmHeight));
    EXPECT_EQ(inUnits.tmAscent, Logical(inPixels.tmAscent));
    EXPECT_EQ(inUnits.tmAveCharWidth, Logical(inPixels.tmAveCharWidth));

    const SIZE pixels = Extent(device.Dc(), "Logical units");
    const SIZE units = Extent(scaled.Dc(), "Logical units");
    EXPECT_EQ(units.cx, Logical(pixels.cx));
    EXPECT_EQ(units.cy, Logical(pixels.cy));

    INT pixelWidths[2] = {}, unitWidths[2] = {};
    ASSERT_TRUE(GetCharWidth32(device.Dc(), 'M', 'N', pixelWidths));
    ASSERT_TRUE(GetCharWidth32(scaled.Dc(), 'M', 'N', unitWidths));
    EXPECT_EQ(unitWidths[0], Logical(pixelWidths[0]));
    EXPECT_EQ(unitWidths[1], Logical(pixelWidths[1]));
}

TEST_F(ScaledMeasures, FittingAndLayoutCountInLogicalUnits)
{
    const char* text = "abcdef";
    const SIZE whole = Extent(scaled.Dc(), text);
    const SIZE three = Extent(scaled.Dc(), "abc");
    INT fit = -1;
    INT ends[6] = {};
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPoint(scaled.Dc(), text, 6, three.cx, &fit, ends, &size));
    EXPECT_EQ(fit, 3);
    EXPECT_EQ(ends[2], three.cx);
    EXPECT_EQ(size.cx, whole.cx);

    RECT calc{0, 0, 1000, 0};
    const int height = DrawText(scaled.Dc(), text, -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, whole.cy);
    EXPECT_EQ(calc.right, whole.cx);
    EXPECT_EQ(GetTabbedTextExtent(scaled.Dc(), text, 6, 0, nullptr), DWORD(MAKELONG(whole.cx, whole.cy)));
}

TEST_F(ScaledMeasures, UpdatingThePositionMovesItByTheLogicalAdvance)
{
    SetTextAlign(scaled.Dc(), TA_UPDATECP);
    MoveToEx(scaled.Dc(), 2, 5, nullptr);
    const INT spacing[] = {4, 6};
    ExtTextOut(scaled.Dc(), 0, 0, 0, nullptr, "ab", 2, spacing);
    POINT position{};
    ASSERT_TRUE(GetCurrentPositionEx(scaled.Dc(), &position));
    EXPECT_EQ(position.x, 12);
    EXPECT_EQ(position.y, 5);

    const SIZE cd = Extent(scaled.Dc(), "cd");
    TextOut(scaled.Dc(), 0, 0, "cd", 2);
    ASSERT_TRUE(GetCurrentPositionEx(scaled.Dc(), &position));
    EXPECT_EQ(position.x, 12 + cd.cx);
}

// DrawText in a mode whose y axis points up takes its rectangle with top
// above bottom in logical units and still stacks its lines down the page.
struct UpwardTextCase {
    const char* name;
    UINT format;
    const char* text;
};

class UpwardAxisDrawText : public ::testing::TestWithParam<UpwardTextCase> {};

TEST_P(UpwardAxisDrawText, LaysOutAsWithTheAxisDown)
{
    const UpwardTextCase& c = GetParam();
    Canvas upward(180, 120, kScaledPaper);
    Canvas downward(180, 120, kScaledPaper);
    int heights[2] = {};
    int calcSpans[2] = {};  // the measured rectangle's height, down the page
    for (Canvas* canvas : {&upward, &downward}) {
        const int sign = canvas == &upward ? -1 : 1;
        HDC dc = canvas->Dc();
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, 1, 1, nullptr);
        SetViewportExtEx(dc, kScale, sign * kScale, nullptr);
        HFONT font = MakeScaledFont(-8);
        HGDIOBJ old = SelectObject(dc, font);
        SetTextColor(dc, kScaledInk);
        SetBkColor(dc, RGB(255, 255, 0));
        RECT rc{2, sign * 2, 55, sign * 38};
        DrawText(dc, c.text, -1, &rc, c.format);
        RECT calc = rc;
        const int which = sign < 0 ? 0 : 1;
        heights[which] = DrawText(dc, c.text, -1, &calc, c.format | DT_CALCRECT);
        calcSpans[which] = (calc.bottom - calc.top) * sign;
        SelectObject(dc, old);
        DeleteObject(font);
    }
    ASSERT_NE(downward.Count(kScaledPaper), downward.Width() * downward.Height()) << "nothing drawn";
    EXPECT_EQ(FirstDifference(upward, downward), "");
    EXPECT_GT(heights[1], 0);
    EXPECT_EQ(heights[0], heights[1]);
    EXPECT_GT(calcSpans[1], 0);
    EXPECT_EQ(calcSpans[0], calcSpans[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, UpwardAxisDrawText,
    ::testing::Values(UpwardTextCase{"Lines", DT_LEFT, "Ag\nBy\nCx"},
                      UpwardTextCase{"WrappedAndCentred", DT_WORDBREAK | DT_CENTER, "one two three four five six"},
                      UpwardTextCase{"VerticallyCentred", DT_SINGLELINE | DT_VCENTER, "Mid"},
                      UpwardTextCase{"Bottom", DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, "&Low"},
                      UpwardTextCase{"ClippedAtTheRectangle", DT_SINGLELINE, "Wide text past the right edge"},
                      UpwardTextCase{"OnlyWholeLines", DT_EDITCONTROL | DT_WORDBREAK, "a b c d e f g h i j k l"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpwardAxisTextOut, OpaqueAndClipRectanglesInEitherOrderCoverTheSamePixels)
{
    Canvas canvas(120, 60, kScaledPaper);
    HDC dc = canvas.Dc();
    SetMapMode(dc, MM_LOENGLISH);
    SetBkColor(dc, kScaledInk);
    // Top below bottom in logical units, as a caller ignoring the axis would write it.
    const RECT written{0, -50, 50, 0};
    ExtTextOut(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &written, "", 0, nullptr);
    const RECT filled = canvas.BoundsOfNot(kScaledPaper);
    EXPECT_EQ(filled.left, 0);
    EXPECT_EQ(filled.top, 0);
    EXPECT_EQ(filled.right, 48);
    EXPECT_EQ(filled.bottom, 48);
}

}  // namespace
