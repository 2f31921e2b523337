#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/win32/gdi/SystemColors.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

using DM = CKtvPDrawManager;

// --- colour arithmetic ----------------------------------------------------------------------------

TEST(KtvPColorMathTest, ScaleAndBlendGiveExactChannels)
{
    struct Case {
        COLORREF got;
        COLORREF expected;
    };
    const Case cases[] = {
        {DM::ScaleColor(RGB(200, 100, 0), 150), RGB(255, 150, 0)},
        {DM::ScaleColor(RGB(200, 100, 7), 50), RGB(100, 50, 3)},
        {DM::ScaleColorChannels(RGB(0, 0, 0), 1.2, 1.2, 1.2), RGB(51, 51, 51)},
        {DM::ScaleColorChannels(RGB(100, 0, 250), 1.3, 0.5, 1.1), RGB(130, 0, 255)},
        {DM::ScaleColorChannels(RGB(101, 10, 0), 0.5, 0.97, 0.5), RGB(51, 10, 0)},
        {DM::ScaleColorChannels(RGB(200, 100, 0), 0.97), RGB(194, 97, 0)},
        {DM::BlendColors(RGB(255, 0, 0), RGB(0, 0, 255), 25), RGB(63, 0, 191)},
        {DM::BlendColors(RGB(10, 20, 30), RGB(110, 120, 130), 100), RGB(10, 20, 30)},
        {DM::BlendColors(RGB(10, 20, 30), RGB(110, 120, 130), 0), RGB(110, 120, 130)},
    };
    for (size_t i = 0; i < std::size(cases); i++)
        EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;
}

TEST(KtvPColorMathTest, HlsRoundTripsTruncateAsStored)
{
    struct Case {
        COLORREF in;
        double h, s, l;
        COLORREF back;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), 0.0, 1.0, 0.5, RGB(255, 0, 0)},
        {RGB(128, 128, 128), 0.0, 0.0, 128 / 255.0, RGB(128, 128, 128)},
        {RGB(0, 128, 255), 0.5830065359477123, 1.0, 0.5, RGB(0, 128, 255)},
        // Truncation toward zero loses a unit on the way back.
        {RGB(10, 36, 106), 0.6215277777777777, 0.8275862068965518, 0.22745098039215683, RGB(9, 36, 105)},
        {RGB(212, 208, 200), 0.1111111111111112, 0.1224489795918366, 0.807843137254902, RGB(211, 208, 200)},
    };
    for (const Case& c : cases) {
        double h = -5, s = -5, l = -5;
        DM::RgbToHls(c.in, &h, &s, &l);
        EXPECT_NEAR(h, c.h, 1e-9) << c.in;
        EXPECT_NEAR(s, c.s, 1e-9) << c.in;
        EXPECT_NEAR(l, c.l, 1e-9) << c.in;
        EXPECT_EQ(DM::HlsToRgb(h, l, s), c.back) << c.in;
    }
    EXPECT_EQ(DM::HlsToRgb(0, 0.5, 1), RGB(255, 0, 0));
    EXPECT_EQ(DM::HlsToRgb(0.3, 0.5, 0), RGB(127, 127, 127));
    EXPECT_EQ(DM::HlsToRgbDegrees(0, 0.5, 1), RGB(255, 0, 0));
    EXPECT_EQ(DM::HlsToRgbDegrees(120, 0.5, 1), RGB(0, 255, 0));
    EXPECT_EQ(DM::HlsToRgbDegrees(240, 0.25, 1), RGB(0, 0, 127));
    EXPECT_EQ(DM::HlsToRgbDegrees(77, 0.5, 0), RGB(127, 127, 127));
}

TEST(KtvPColorMathTest, HsvRoundTripsAndSpecialHues)
{
    struct Case {
        COLORREF in;
        double h, s, v;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), 0.0, 1.0, 1.0},
        {RGB(10, 36, 106), 223.75, 0.9056603773584906, 0.4156862745098039},
        {RGB(255, 200, 0), 47.05882352941176, 1.0, 1.0},
        {RGB(0, 128, 255), 209.88235294117646, 1.0, 1.0},
        {RGB(212, 208, 200), 40.0, 0.0566037735849056, 0.8313725490196078},
        // A grey has hue 60 and no saturation; black has hue -1.
        {RGB(90, 90, 90), 60.0, 0.0, 90 / 255.0},
        {RGB(0, 0, 0), -1.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        double h = -5, s = -5, v = -5;
        DM::RgbToHsv(c.in, &h, &s, &v);
        EXPECT_NEAR(h, c.h, 1e-9) << c.in;
        EXPECT_NEAR(s, c.s, 1e-9) << c.in;
        EXPECT_NEAR(v, c.v, 1e-9) << c.in;
        EXPECT_EQ(DM::HsvToRgb(h, s, v), c.in) << c.in;
    }
}

TEST(KtvPColorMathTest, HsvToRgbWrapsHuesOutsideOneTurn)
{
    struct Case {
        double hue;
        COLORREF expected;
    };
    const Case cases[] = {
        {360, RGB(255, 0, 0)}, {720, RGB(255, 0, 0)}, {420, RGB(255, 255, 0)},
        {-60, RGB(255, 0, 255)}, {-360, RGB(255, 0, 0)}, {359.99, RGB(255, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DM::HsvToRgb(c.hue, 1.0, 1.0), c.expected) << c.hue;
}

TEST(KtvPColorMathTest, SmartMixKeepsTheMixHueAndTheSecondValue)
{
    struct Case {
        COLORREF clr1, clr2;
        double lum;
        int k1, k2;
        COLORREF expected;
    };
    const Case cases[] = {
        {RGB(255, 0, 0), RGB(0, 0, 255), 1.0, 1, 1, RGB(255, 0, 255)},
        {RGB(255, 0, 0), RGB(0, 0, 255), 0.5, 1, 1, RGB(127, 0, 127)},
        {RGB(10, 36, 106), RGB(212, 208, 200), 1.2, 1, 3, RGB(244, 245, 247)},
        {RGB(255, 255, 255), RGB(10, 36, 106), 1.0, 3, 1, RGB(73, 83, 106)},
        {RGB(255, 255, 255), RGB(10, 36, 106), 1.0, 1, -1, RGB(0, 0, 0)},
        {RGB(255, 255, 255), RGB(10, 36, 106), 1.0, 0, 0, RGB(0, 0, 0)},
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        const Case& c = cases[i];
        EXPECT_EQ(DM::SmartMixColors(c.clr1, c.clr2, c.lum, c.k1, c.k2), c.expected) << "case " << i;
    }
}

TEST(KtvPColorMathTest, SetBitmapPixelStoresBottomUpAndIgnoresOutsidePoints)
{
    std::vector<DWORD> bits(4 * 3 + 2, 0xDEADBEEF);  // two guard words past the end
    DWORD* pixels = bits.data();
    DM::SetBitmapPixel(pixels, 4, 3, 1, 0, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(pixels[2 * 4 + 1], 0x112233u);
    for (POINT p : {POINT{-1, 0}, POINT{4, 0}, POINT{0, 3}, POINT{0, -1}, POINT{100, 100}})
        DM::SetBitmapPixel(pixels, 4, 3, p.x, p.y, RGB(1, 2, 3));
    int untouched = 0;
    for (DWORD w : bits)
        untouched += w == 0xDEADBEEF;
    EXPECT_EQ(untouched, int(bits.size()) - 1);
}

// --- pixel operations ------------------------------------------------------------------------------

// A white 32-bit memory DC the operations draw into.
class KtvPDrawCanvas : public testing::Test {
protected:
    static constexpr int kW = 80;
    static constexpr int kH = 70;

    void SetUp() override
    {
        KtvInitGlobalData();
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kW;
        info.bmiHeader.biHeight = -kH;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* raw = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        Fill(RGB(255, 255, 255));
        cdc_.Attach(dc_);
    }
    void TearDown() override
    {
        cdc_.Detach();
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        KtvCleanUp();
    }
    void Fill(COLORREF clr)
    {
        RECT all{0, 0, kW, kH};
        HBRUSH brush = CreateSolidBrush(clr);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    CDC cdc_;
};

COLORREF Band(COLORREF start, COLORREF finish, int i)
{
    auto ch = [i](int s, int f) { return (s * (64 - i) + f * i) / 64; };
    return RGB(ch(GetRValue(start), GetRValue(finish)), ch(GetGValue(start), GetGValue(finish)),
               ch(GetBValue(start), GetBValue(finish)));
}

TEST_F(KtvPDrawCanvas, FillGradientDrawsSixtyFourBandsFromTheBottomOrTheLeft)
{
    const COLORREF start = RGB(0, 64, 255), finish = RGB(252, 0, 3);
    CKtvPDrawManager dm(cdc_);
    dm.FillGradient(CRect(5, 3, 69, 67), start, finish, TRUE);  // 64 lines: one per band
    for (int i = 0; i < 64; i++) {
        const int y = 66 - i;
        ASSERT_EQ(At(5, y), Band(start, finish, i)) << i;
        ASSERT_EQ(At(68, y), Band(start, finish, i)) << i;
    }
    EXPECT_EQ(At(4, 30), RGB(255, 255, 255));
    EXPECT_EQ(At(30, 2), RGB(255, 255, 255));
    EXPECT_EQ(At(30, 67), RGB(255, 255, 255));

    Fill(RGB(255, 255, 255));
    dm.FillGradient(CRect(10, 0, 74, 5), start, finish, FALSE);
    for (int i = 0; i < 64; i++)
        ASSERT_EQ(At(10 + i, 4), Band(start, finish, i)) << i;
    EXPECT_EQ(At(74, 0), RGB(255, 255, 255));
}

TEST_F(KtvPDrawCanvas, FillGradientOnFewLinesDrawsOnlyTheNonEmptyBands)
{
    const COLORREF start = RGB(0, 0, 0), finish = RGB(128, 128, 128);
    CKtvPDrawManager dm(cdc_);
    dm.FillGradient(CRect(0, 0, 4, 10), start, finish, TRUE);
    // Line bottom-1-k holds the last band whose extent reaches it: band i covers
    // lines from 10 - (10 * (i + 1) >> 6) to 10 - (10 * i >> 6).
    for (int line = 0; line < 10; line++) {
        int lastBand = -1;
        for (int i = 0; i < 64; i++)
            if (10 - ((10 * (i + 1)) >> 6) <= line && line < 10 - ((10 * i) >> 6))
                lastBand = i;
        ASSERT_NE(lastBand, -1);
        EXPECT_EQ(At(0, line), Band(start, finish, lastBand)) << line;
    }
    // Equal colours: one solid fill.
    dm.FillGradient(CRect(0, 20, 4, 30), RGB(7, 8, 9), RGB(7, 8, 9), FALSE);
    EXPECT_EQ(At(3, 29), RGB(7, 8, 9));
}

TEST_F(KtvPDrawCanvas, AngledGradientRunsDiagonallyFromStartToFinish)
{
    const COLORREF start = RGB(0, 0, 0), finish = RGB(252, 252, 252);
    CKtvPDrawManager dm(cdc_);
    dm.FillGradientAngle(CRect(0, 0, 64, 64), start, finish, 45);
    EXPECT_LE(GetRValue(At(0, 0)), GetRValue(Band(start, finish, 2)));
    EXPECT_GE(GetRValue(At(63, 63)), GetRValue(Band(start, finish, 61)));
    // Darker toward the top-left along every row and column, and constant along
    // the strips' slope.
    for (int x = 1; x < 64; x++)
        ASSERT_GE(GetRValue(At(x, 10)), GetRValue(At(x - 1, 10))) << x;
    for (int y = 1; y < 64; y++)
        ASSERT_GE(GetRValue(At(30, y)), GetRValue(At(30, y - 1))) << y;
    EXPECT_GT(GetRValue(At(63, 0)), GetRValue(At(0, 0)));
    EXPECT_LT(GetRValue(At(63, 0)), GetRValue(At(63, 63)));

    // The right angles are the straight gradients, reversed where they point back.
    dm.FillGradientAngle(CRect(0, 0, 64, 4), start, finish, 180);
    EXPECT_EQ(At(0, 1), finish);
    EXPECT_EQ(At(63, 1), Band(finish, start, 63));
}

TEST_F(KtvPDrawCanvas, HighlightRectMovesHalfwayToTheHighlightAndSkipsTheTransparentColour)
{
    Fill(RGB(100, 50, 0));
    RECT keep{10, 10, 12, 12};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc_, &keep, red);
    DeleteObject(red);

    CKtvPDrawManager dm(cdc_);
    ASSERT_TRUE(dm.HighlightRect(CRect(5, 5, 20, 20), -1, RGB(255, 0, 0)));
    EXPECT_EQ(At(5, 5), RGB(177, 152, 127));
    EXPECT_EQ(At(19, 19), RGB(177, 152, 127));
    EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(4, 5), RGB(100, 50, 0));
    EXPECT_EQ(At(20, 19), RGB(100, 50, 0));

    ASSERT_TRUE(dm.HighlightRect(CRect(30, 30, 40, 40), 130));
    EXPECT_EQ(At(30, 30), RGB(130, 65, 77));  // black channels are lightened by (1.3 - 1) * 255

    ASSERT_TRUE(dm.HighlightRect(CRect(50, 50, 60, 60), 100));
    ASSERT_TRUE(dm.HighlightRect(CRect(60, 60, 50, 50)));
    EXPECT_EQ(At(55, 55), RGB(100, 50, 0));
}

TEST_F(KtvPDrawCanvas, GrayRectGreysThenLightens)
{
    Fill(RGB(255, 0, 0));
    CKtvPDrawManager dm(cdc_);
    ASSERT_TRUE(dm.GrayRect(CRect(0, 0, 10, 10), -1, (COLORREF)-1));
    EXPECT_EQ(At(3, 3), RGB(191, 191, 191));  // lightness 0.5 -> 127, then halfway to white
    ASSERT_TRUE(dm.GrayRect(CRect(20, 0, 30, 10), 100, RGB(0, 0, 1)));
    EXPECT_EQ(At(20, 0), RGB(127, 127, 127));
    EXPECT_EQ(At(30, 0), RGB(255, 0, 0));
}

TEST_F(KtvPDrawCanvas, PixelOperationsFillWithTheCheckerAtEightBitsPerPixel)
{
    const int saved = globalData.m_nBitsPerPixel;
    globalData.m_nBitsPerPixel = 8;
    globalData.RebuildLightBrush();
    Fill(RGB(0, 0, 0));
    CKtvPDrawManager dm(cdc_);
    ASSERT_TRUE(dm.HighlightRect(CRect(0, 0, 8, 8)));
    const COLORREF face = globalData.clrBtnFace, hilite = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            ASSERT_EQ(At(x, y), ((x + y) % 2 == 0) ? face : hilite) << x << "," << y;
    EXPECT_EQ(At(8, 0), RGB(0, 0, 0));
    globalData.m_nBitsPerPixel = saved;
    globalData.RebuildLightBrush();
}

struct ShadowCase {
    int depth, minBrightness, maxBrightness;
    std::vector<int> levels;  // pct(0) .. pct(depth)
};

class KtvPShadowTest : public KtvPDrawCanvas, public testing::WithParamInterface<ShadowCase> {};

TEST_P(KtvPShadowTest, ShadesTheRightAndBottomBandsByLevel)
{
    const ShadowCase& c = GetParam();
    const int d = c.depth, left = 4, top = 3, w = 30, h = 24;
    auto shaded = [&](int level) {
        const int v = 255 * c.levels[level] / 100;
        return RGB(v, v, v);
    };
    const COLORREF white = RGB(255, 255, 255);
    CKtvPDrawManager dm(cdc_);
    ASSERT_TRUE(dm.DrawShadow(CRect(left, top, left + w, top + h), d, c.minBrightness, c.maxBrightness, nullptr,
                              nullptr));
    auto at = [&](int x, int y) { return At(left + x, top + y); };
    for (int k = 0; k < d; k++) {
        EXPECT_EQ(at(w + k, h / 2), shaded(k)) << "right band, level " << k;
        EXPECT_EQ(at(w / 2, h - 1 + k), shaded(k)) << "bottom band, level " << k;
        EXPECT_EQ(at(w + k, h - 1 + k), shaded(k)) << "corner diagonal, level " << k;
    }
    // The ends fade: the top of the right band and the left of the bottom band.
    EXPECT_EQ(at(w, d - 1), shaded(d));
    EXPECT_EQ(at(d, h - 1), shaded(d));
    EXPECT_EQ(at(w + d - 1, d), shaded(d - 1));
    // Untouched: above the right band, left of the bottom band, the last line,
    // the rectangle's inside and everything beyond the area.
    EXPECT_EQ(at(w, d - 2), white);
    EXPECT_EQ(at(d - 1, h), white);
    EXPECT_EQ(at(w, h + d - 1), white);
    EXPECT_EQ(at(w / 2, h / 2), white);
    EXPECT_EQ(at(w + d, h / 2), white);
}

INSTANTIATE_TEST_SUITE_P(Depths, KtvPShadowTest,
                         testing::Values(ShadowCase{3, 100, 50, {50, 66, 82, 98}},
                                         ShadowCase{4, 100, 65, {65, 73, 81, 89, 97}},
                                         ShadowCase{6, 100, 70, {70, 75, 80, 85, 90, 95, 100}}));

TEST_F(KtvPDrawCanvas, ShadowOverABaseColourAndRepaintedFromItsSavedBitmaps)
{
    CKtvPDrawManager dm(cdc_);
    CBitmap bottom, right;
    const CRect rect(4, 4, 24, 20);
    ASSERT_TRUE(dm.DrawShadow(rect, 4, 100, 65, &bottom, &right, RGB(0, 0, 255)));
    // 255 * 65 / 100 = 165, then (base + 3 * c) >> 2.
    EXPECT_EQ(At(24, 12), RGB(123, 123, 187));
    ASSERT_NE(bottom.GetSafeHandle(), nullptr);
    ASSERT_NE(right.GetSafeHandle(), nullptr);
    BITMAP bm{};
    right.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 20);

    const COLORREF shadowed = At(24, 12), corner = At(26, 21), bottomBand = At(12, 20);
    Fill(RGB(0, 255, 0));
    ASSERT_TRUE(dm.DrawShadow(rect, 4, 100, 65, &bottom, &right, RGB(0, 0, 255)));
    EXPECT_EQ(At(24, 12), shadowed);
    EXPECT_EQ(At(26, 21), corner);
    EXPECT_EQ(At(12, 20), bottomBand);
    EXPECT_EQ(At(12, 12), RGB(0, 255, 0));
}

TEST_F(KtvPDrawCanvas, GradientRingStaysInsideItsRectangle)
{
    CKtvPDrawManager dm(cdc_);
    EXPECT_FALSE(dm.DrawGradientRing(CRect(0, 0, 4, 16), RGB(0, 0, 0), RGB(255, 0, 0), (COLORREF)-1, 45, 8,
                                     (COLORREF)-1));
    ASSERT_TRUE(dm.DrawGradientRing(CRect(10, 10, 26, 26), RGB(0, 0, 0), RGB(0, 0, 252), RGB(255, 0, 0), 45, 3,
                                    RGB(0, 255, 0)));
    EXPECT_EQ(At(18, 18), RGB(0, 255, 0));  // the face shows inside the three rings
    int borderOnTop = 0;                     // the outer ring takes the border colour
    for (int x = 10; x < 26; x++)
        borderOnTop += At(x, 10) == RGB(255, 0, 0) || At(x, 11) == RGB(255, 0, 0);
    EXPECT_GT(borderOnTop, 0);
    EXPECT_EQ(At(9, 18), RGB(255, 255, 255));
    EXPECT_EQ(At(26, 18), RGB(255, 255, 255));
    // Wide and tall rectangles move points sideways; none may land outside.
    ASSERT_TRUE(dm.DrawGradientRing(CRect(40, 0, 80, 8), RGB(0, 0, 0), RGB(0, 0, 252), (COLORREF)-1, 0, 6,
                                    (COLORREF)-1));
    ASSERT_TRUE(dm.DrawGradientRing(CRect(0, 30, 6, 70), RGB(0, 0, 0), RGB(0, 0, 252), (COLORREF)-1, 0, 6,
                                    (COLORREF)-1));
    EXPECT_EQ(At(39, 4), RGB(255, 255, 255));
    EXPECT_EQ(At(6, 50), RGB(255, 255, 255));
}

}  // namespace
