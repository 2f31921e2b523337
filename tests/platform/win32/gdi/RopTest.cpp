#include <gtest/gtest.h>

#include <functional>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

struct Rop3Case {
    const char* name;
    DWORD rop;
    std::function<uint32_t(uint32_t p, uint32_t s, uint32_t d)> expected;
};

const Rop3Case kRop3Cases[] = {
    {"SRCCOPY", SRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return s; }},
    {"SRCAND", SRCAND, [](uint32_t, uint32_t s, uint32_t d) { return s & d; }},
    {"SRCPAINT", SRCPAINT, [](uint32_t, uint32_t s, uint32_t d) { return s | d; }},
    {"SRCINVERT", SRCINVERT, [](uint32_t, uint32_t s, uint32_t d) { return s ^ d; }},
    {"SRCERASE", SRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return s & ~d; }},
    {"NOTSRCCOPY", NOTSRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return ~s; }},
    {"NOTSRCERASE", NOTSRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return ~(s | d); }},
    {"MERGECOPY", MERGECOPY, [](uint32_t p, uint32_t s, uint32_t) { return p & s; }},
    {"MERGEPAINT", MERGEPAINT, [](uint32_t, uint32_t s, uint32_t d) { return ~s | d; }},
    {"PATCOPY", PATCOPY, [](uint32_t p, uint32_t, uint32_t) { return p; }},
    {"PATPAINT", PATPAINT, [](uint32_t p, uint32_t s, uint32_t d) { return p | ~s | d; }},
    {"PATINVERT", PATINVERT, [](uint32_t p, uint32_t, uint32_t d) { return p ^ d; }},
    {"DSTINVERT", DSTINVERT, [](uint32_t, uint32_t, uint32_t d) { return ~d; }},
    {"BLACKNESS", BLACKNESS, [](uint32_t, uint32_t, uint32_t) { return 0u; }},
    {"WHITENESS", WHITENESS, [](uint32_t, uint32_t, uint32_t) { return 0xFFFFFFu; }},
    // Destination where the source is white, pattern where it is black: a
    // monochrome mask painted in the brush's colour.
    {"0xB8074A", 0x00B8074A, [](uint32_t p, uint32_t s, uint32_t d) { return (s & d) | (~s & p); }},
};

COLORREF RopPixelToColor(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }
COLORREF RopColor(uint32_t p) { return RopPixelToColor(p); }

}  // namespace

// Eight columns hold every combination of pattern, source and destination
// bits (column i: P = bit 2, S = bit 1, D = bit 0), each bit as a whole
// channel value; further columns hold mixed colours.
class RopFixture : public ::testing::Test {
protected:
    static constexpr int kWidth = 12;
    std::vector<uint32_t> pattern, source, dest;

    void SetUp() override
    {
        for (int i = 0; i < 8; ++i) {
            pattern.push_back((i & 4) ? 0xFFFFFF : 0);
            source.push_back((i & 2) ? 0xFFFFFF : 0);
            dest.push_back((i & 1) ? 0xFFFFFF : 0);
        }
        const uint32_t mixedP[] = {0x12A4F0, 0xFF00FF, 0x0F0F0F, 0x808080};
        const uint32_t mixedS[] = {0x3C5A69, 0x00FF00, 0xF0F0F0, 0x7F7F7F};
        const uint32_t mixedD[] = {0xC3A5E1, 0x123456, 0x00FFFF, 0xFFFFFF};
        for (int i = 0; i < 4; ++i) {
            pattern.push_back(mixedP[i]);
            source.push_back(mixedS[i]);
            dest.push_back(mixedD[i]);
        }
    }

    HBRUSH MakePatternBrush()
    {
        Canvas tile(kWidth, 1);
        for (int i = 0; i < kWidth; ++i)
            tile.Set(i, 0, RopColor(pattern[i]));
        return CreatePatternBrush(tile.Bitmap());
    }
};

TEST_F(RopFixture, EveryTernaryRopMatchesItsTruthTable)
{
    Canvas src(kWidth, 1);
    for (int i = 0; i < kWidth; ++i)
        src.Set(i, 0, RopColor(source[i]));
    HBRUSH brush = MakePatternBrush();
    for (const Rop3Case& c : kRop3Cases) {
        Canvas dst(kWidth, 1);
        for (int i = 0; i < kWidth; ++i)
            dst.Set(i, 0, RopColor(dest[i]));
        HGDIOBJ old = SelectObject(dst.Dc(), brush);
        ASSERT_TRUE(BitBlt(dst.Dc(), 0, 0, kWidth, 1, src.Dc(), 0, 0, c.rop)) << c.name;
        SelectObject(dst.Dc(), old);
        for (int i = 0; i < kWidth; ++i) {
            const uint32_t want = c.expected(pattern[i], source[i], dest[i]) & 0xFFFFFF;
            EXPECT_EQ(dst.At(i, 0), RopColor(want)) << c.name << " column " << i;
        }
        // The index byte of the code is the truth table itself.
        for (int i = 0; i < 8; ++i) {
            const bool bit = (c.rop >> (16 + i)) & 1;
            EXPECT_EQ(dst.At(i, 0), bit ? RGB(255, 255, 255) : RGB(0, 0, 0)) << c.name << " combination " << i;
        }
    }
    DeleteObject(brush);
}

TEST_F(RopFixture, PatBltTakesOnlyPatternAndDestinationRops)
{
    HBRUSH brush = MakePatternBrush();
    for (const Rop3Case& c : kRop3Cases) {
        Canvas dst(kWidth, 1);
        for (int i = 0; i < kWidth; ++i)
            dst.Set(i, 0, RopColor(dest[i]));
        HGDIOBJ old = SelectObject(dst.Dc(), brush);
        const bool needsSource = c.rop == SRCCOPY || c.rop == SRCAND || c.rop == SRCPAINT || c.rop == SRCINVERT ||
                                 c.rop == SRCERASE || c.rop == NOTSRCCOPY || c.rop == NOTSRCERASE ||
                                 c.rop == MERGECOPY || c.rop == MERGEPAINT || c.rop == PATPAINT || c.rop == 0x00B8074A;
        const BOOL ok = PatBlt(dst.Dc(), 0, 0, kWidth, 1, c.rop);
        SelectObject(dst.Dc(), old);
        if (needsSource) {
            EXPECT_FALSE(ok) << c.name;
            EXPECT_EQ(dst.At(1, 0), RopColor(dest[1])) << c.name;
            continue;
        }
        ASSERT_TRUE(ok) << c.name;
        for (int i = 0; i < kWidth; ++i)
            EXPECT_EQ(dst.At(i, 0), RopColor(c.expected(pattern[i], 0, dest[i]) & 0xFFFFFF)) << c.name << " " << i;
    }
    DeleteObject(brush);
}

TEST(Rop2Test, EveryBinaryRopOfAPenMatchesItsFormula)
{
    struct Rop2Case {
        int rop2;
        std::function<uint32_t(uint32_t pen, uint32_t d)> expected;
    };
    const Rop2Case cases[] = {
        {R2_BLACK, [](uint32_t, uint32_t) { return 0u; }},
        {R2_NOTMERGEPEN, [](uint32_t p, uint32_t d) { return ~(p | d); }},
        {R2_MASKNOTPEN, [](uint32_t p, uint32_t d) { return ~p & d; }},
        {R2_NOTCOPYPEN, [](uint32_t p, uint32_t) { return ~p; }},
        {R2_MASKPENNOT, [](uint32_t p, uint32_t d) { return p & ~d; }},
        {R2_NOT, [](uint32_t, uint32_t d) { return ~d; }},
        {R2_XORPEN, [](uint32_t p, uint32_t d) { return p ^ d; }},
        {R2_NOTMASKPEN, [](uint32_t p, uint32_t d) { return ~(p & d); }},
        {R2_MASKPEN, [](uint32_t p, uint32_t d) { return p & d; }},
        {R2_NOTXORPEN, [](uint32_t p, uint32_t d) { return ~(p ^ d); }},
        {R2_NOP, [](uint32_t, uint32_t d) { return d; }},
        {R2_MERGENOTPEN, [](uint32_t p, uint32_t d) { return ~p | d; }},
        {R2_COPYPEN, [](uint32_t p, uint32_t) { return p; }},
        {R2_MERGEPENNOT, [](uint32_t p, uint32_t d) { return p | ~d; }},
        {R2_MERGEPEN, [](uint32_t p, uint32_t d) { return p | d; }},
        {R2_WHITE, [](uint32_t, uint32_t) { return 0xFFFFFFu; }},
    };
    const uint32_t penPixel = 0x3C9A0F;
    const uint32_t dests[] = {0x000000, 0xFFFFFF, 0xC35A96, 0x0F0FF0};
    HPEN pen = CreatePen(PS_SOLID, 1, RopColor(penPixel));
    for (const Rop2Case& c : cases) {
        Canvas canvas(4, 1);
        for (int i = 0; i < 4; ++i)
            canvas.Set(i, 0, RopColor(dests[i]));
        HGDIOBJ old = SelectObject(canvas.Dc(), pen);
        SetROP2(canvas.Dc(), c.rop2);
        MoveToEx(canvas.Dc(), 0, 0, nullptr);
        LineTo(canvas.Dc(), 4, 0);
        SelectObject(canvas.Dc(), old);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(canvas.At(i, 0), RopColor(c.expected(penPixel, dests[i]) & 0xFFFFFF)) << "R2 " << c.rop2 << " " << i;
    }
    DeleteObject(pen);
}

TEST(Rop2Test, XorLineDrawnTwiceLeavesNoTrace)
{
    Canvas canvas(20, 20, RGB(10, 200, 30));
    canvas.Set(5, 5, RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(canvas.Dc(), pen);
    SetROP2(canvas.Dc(), R2_XORPEN);
    const POINT path[] = {{1, 1}, {18, 12}, {3, 17}, {1, 1}};
    Polyline(canvas.Dc(), path, 4);
    EXPECT_NE(canvas.Count(RGB(10, 200, 30)), 400 - 1);
    Polyline(canvas.Dc(), path, 4);
    EXPECT_EQ(canvas.Count(RGB(10, 200, 30)), 399);
    EXPECT_EQ(canvas.At(5, 5), RGB(1, 2, 3));
    SelectObject(canvas.Dc(), old);
    DeleteObject(pen);
}
