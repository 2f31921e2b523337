#include <gtest/gtest.h>

#include <vector>

#include "GdiTestCanvas.h"

using gditest::Canvas;

namespace {

constexpr COLORREF kRegionPaper = RGB(255, 255, 255);
constexpr COLORREF kRegionRed = RGB(255, 0, 0);

std::vector<bool> RegionPixels(HRGN rgn, int width, int height)
{
    std::vector<bool> inside;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            inside.push_back(PtInRegion(rgn, x, y));
    return inside;
}

}  // namespace

TEST(RegionTest, CombineModesFollowSetAlgebra)
{
    struct CombineCase {
        int mode;
        int type;
        bool in0, in5, in9;  // points (0,0) only in a, (5,5) in both, (9,9) only in b
    };
    const CombineCase cases[] = {
        {RGN_AND, SIMPLEREGION, false, true, false},
        {RGN_OR, COMPLEXREGION, true, true, true},
        {RGN_XOR, COMPLEXREGION, true, false, true},
        {RGN_DIFF, COMPLEXREGION, true, false, false},
        {RGN_COPY, SIMPLEREGION, true, true, false},
    };
    HRGN a = CreateRectRgn(0, 0, 7, 7);
    HRGN b = CreateRectRgn(4, 4, 10, 10);
    for (const CombineCase& c : cases) {
        HRGN out = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(out, a, b, c.mode), c.type) << c.mode;
        EXPECT_EQ(bool(PtInRegion(out, 0, 0)), c.in0) << c.mode;
        EXPECT_EQ(bool(PtInRegion(out, 5, 5)), c.in5) << c.mode;
        EXPECT_EQ(bool(PtInRegion(out, 9, 9)), c.in9) << c.mode;
        DeleteObject(out);
    }
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(empty, a, empty, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(empty, a, nullptr, RGN_AND), ERROR);
    EXPECT_EQ(CombineRgn(empty, a, b, 99), ERROR);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(empty);
}

TEST(RegionTest, RectangleRegionsExcludeTheirRightAndBottomEdges)
{
    HRGN r = CreateRectRgn(2, 3, 6, 8);
    EXPECT_TRUE(PtInRegion(r, 2, 3));
    EXPECT_TRUE(PtInRegion(r, 5, 7));
    EXPECT_FALSE(PtInRegion(r, 6, 7));
    EXPECT_FALSE(PtInRegion(r, 5, 8));
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.bottom, 8);
    const RECT touching{6, 0, 9, 9};
    const RECT overlapping{5, 7, 9, 9};
    EXPECT_FALSE(RectInRegion(r, &touching));
    EXPECT_TRUE(RectInRegion(r, &overlapping));
    EXPECT_EQ(OffsetRgn(r, 10, -3), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(r, 12, 0));
    HRGN same = CreateRectRgn(16, 5, 12, 0);  // corners in any order
    EXPECT_TRUE(EqualRgn(r, same));
    DeleteObject(r);
    DeleteObject(same);
}

TEST(RegionTest, PolygonRegionsHonourTheFillMode)
{
    const POINT star[] = {{20, 2}, {31, 37}, {2, 14}, {38, 14}, {9, 37}};
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    ASSERT_NE(alternate, nullptr);
    EXPECT_FALSE(PtInRegion(alternate, 20, 22));
    EXPECT_TRUE(PtInRegion(winding, 20, 22));
    EXPECT_TRUE(PtInRegion(alternate, 20, 8));
    EXPECT_FALSE(PtInRegion(winding, 2, 2));
    EXPECT_EQ(CreatePolygonRgn(star, 5, 7), nullptr);
    DeleteObject(alternate);
    DeleteObject(winding);
}

TEST(RegionTest, EllipticAndRoundRegionsMatchTheShapesDrawn)
{
    HRGN ellipse = CreateEllipticRgn(0, 0, 10, 10);
    Canvas canvas(12, 12);
    HBRUSH red = CreateSolidBrush(kRegionRed);
    SelectObject(canvas.Dc(), red);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    // A null-pen ellipse is one pixel smaller; draw 11x11 to cover 10x10.
    Ellipse(canvas.Dc(), 0, 0, 11, 11);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(bool(PtInRegion(ellipse, x, y)), canvas.At(x, y) == kRegionRed) << x << "," << y;
    HRGN round = CreateRoundRectRgn(0, 0, 20, 10, 6, 6);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_TRUE(PtInRegion(round, 10, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 5));
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
    DeleteObject(ellipse);
    DeleteObject(round);
}

TEST(RegionTest, RegionDataListsTheRectanglesAndRebuildsTheRegion)
{
    HRGN a = CreateRectRgn(0, 0, 4, 4);
    HRGN b = CreateRectRgn(2, 2, 8, 8);
    CombineRgn(a, a, b, RGN_OR);
    const DWORD size = GetRegionData(a, 0, nullptr);
    ASSERT_GT(size, sizeof(RGNDATAHEADER));
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(a, size - 1, data), 0u);
    ASSERT_EQ(GetRegionData(a, size, data), size);
    EXPECT_EQ(data->rdh.nCount, 3u);
    EXPECT_EQ(data->rdh.rcBound.right, 8);
    HRGN rebuilt = ExtCreateRegion(nullptr, size, data);
    EXPECT_TRUE(EqualRgn(a, rebuilt));
    EXPECT_EQ(RegionPixels(a, 9, 9), RegionPixels(rebuilt, 9, 9));
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(rebuilt);
}

TEST(RegionTest, FillFrameAndInvertRegions)
{
    Canvas canvas(12, 12);
    HBRUSH red = CreateSolidBrush(kRegionRed);
    HRGN box = CreateRectRgn(2, 2, 8, 7);
    ASSERT_TRUE(FrameRgn(canvas.Dc(), box, red, 1, 1));
    EXPECT_EQ(canvas.Count(kRegionRed), 6 * 2 + 3 * 2);
    EXPECT_EQ(canvas.At(4, 4), kRegionPaper);
    ASSERT_TRUE(FillRgn(canvas.Dc(), box, red));
    EXPECT_EQ(canvas.Count(kRegionRed), 30);
    ASSERT_TRUE(InvertRgn(canvas.Dc(), box));
    EXPECT_EQ(canvas.At(4, 4), RGB(0, 255, 255));
    DeleteObject(box);
    DeleteObject(red);
}

class ClipFixture : public ::testing::Test {
protected:
    Canvas canvas{20, 20};
    HBRUSH red = CreateSolidBrush(kRegionRed);
    RECT all{0, 0, 20, 20};
    void TearDown() override { DeleteObject(red); }
    void Paint() { FillRect(canvas.Dc(), &all, red); }
};

TEST_F(ClipFixture, IntersectAndExcludeShapeWhatIsPainted)
{
    EXPECT_EQ(IntersectClipRect(canvas.Dc(), 2, 2, 10, 10), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(canvas.Dc(), 4, 4, 6, 6), COMPLEXREGION);
    Paint();
    EXPECT_EQ(canvas.Count(kRegionRed), 64 - 4);
    EXPECT_EQ(canvas.At(4, 4), kRegionPaper);
    EXPECT_EQ(canvas.At(10, 2), kRegionPaper);
    RECT clip{};
    EXPECT_EQ(GetClipBox(canvas.Dc(), &clip), COMPLEXREGION);
    EXPECT_EQ(clip.left, 2);
    EXPECT_EQ(clip.right, 10);
}

TEST_F(ClipFixture, ClipRectanglesAreLogicalAndTheRegionIsDeviceRelative)
{
    SetWindowOrgEx(canvas.Dc(), 10, 0, nullptr);
    IntersectClipRect(canvas.Dc(), 10, 0, 13, 3);  // device 0..3
    SetWindowOrgEx(canvas.Dc(), 0, 0, nullptr);
    Paint();
    EXPECT_EQ(canvas.Count(kRegionRed), 9);
    EXPECT_EQ(canvas.At(0, 0), kRegionRed);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.Dc(), copy), 1);
    RECT box{};
    GetRgnBox(copy, &box);
    EXPECT_EQ(box.right, 3);
    SelectClipRgn(canvas.Dc(), nullptr);
    EXPECT_EQ(GetClipRgn(canvas.Dc(), copy), 0);
    DeleteObject(copy);
}

TEST_F(ClipFixture, SelectedRegionIsACopyAndSaveRestoreBringsClipBack)
{
    HRGN region = CreateRectRgn(0, 0, 5, 5);
    SelectClipRgn(canvas.Dc(), region);
    SetRectRgn(region, 0, 0, 20, 20);  // changing it afterwards has no effect
    const int saved = SaveDC(canvas.Dc());
    EXPECT_EQ(saved, 1);
    SelectClipRgn(canvas.Dc(), nullptr);
    SetTextColor(canvas.Dc(), kRegionRed);
    ASSERT_TRUE(RestoreDC(canvas.Dc(), -1));
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(0, 0, 0));
    Paint();
    EXPECT_EQ(canvas.Count(kRegionRed), 25);
    EXPECT_FALSE(RestoreDC(canvas.Dc(), 1));
    ExtSelectClipRgn(canvas.Dc(), region, RGN_OR);
    Paint();
    EXPECT_EQ(canvas.Count(kRegionRed), 400);
    DeleteObject(region);
}

TEST_F(ClipFixture, ViewportAndWindowOriginsMoveDrawing)
{
    SetViewportOrgEx(canvas.Dc(), 5, 6, nullptr);
    OffsetViewportOrgEx(canvas.Dc(), 1, 1, nullptr);
    SetWindowOrgEx(canvas.Dc(), 2, 0, nullptr);
    RECT r{2, 0, 4, 2};
    FillRect(canvas.Dc(), &r, red);
    EXPECT_EQ(canvas.PixelsOf(kRegionRed), (std::vector<std::string>{"6,7", "7,7", "6,8", "7,8"}));
    POINT p{6, 7};
    DPtoLP(canvas.Dc(), &p, 1);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(SetPixel(canvas.Dc(), 0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(4, 7), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.Dc(), 100, 100), CLR_INVALID);
}
