// Mapping modes: logical points reach the device scaled by the mode's
// extents (the fixed measures at the device's resolution, y growing upward),
// back again by DPtoLP, and drawing follows them.
#include <gtest/gtest.h>

#include <string>

#include "GdiTestCanvas.h"

namespace {

struct MappingCase {
    const char* name;
    int mode;
    SIZE windowExt;    // set in the free modes only
    SIZE viewportExt;
    POINT logical;
    POINT device;
};

class MappingModes : public ::testing::TestWithParam<MappingCase> {};

TEST_P(MappingModes, PointsScaleToTheDeviceAndBack)
{
    const MappingCase& c = GetParam();
    gditest::Canvas canvas(50, 50);
    HDC dc = canvas.Dc();
    ASSERT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(SetMapMode(dc, c.mode), MM_TEXT);
    EXPECT_EQ(GetMapMode(dc), c.mode);
    if (c.mode == MM_ISOTROPIC || c.mode == MM_ANISOTROPIC) {
        ASSERT_TRUE(SetWindowExtEx(dc, c.windowExt.cx, c.windowExt.cy, nullptr));
        ASSERT_TRUE(SetViewportExtEx(dc, c.viewportExt.cx, c.viewportExt.cy, nullptr));
    }
    POINT pt = c.logical;
    ASSERT_TRUE(LPtoDP(dc, &pt, 1));
    EXPECT_EQ(pt.x, c.device.x);
    EXPECT_EQ(pt.y, c.device.y);
    ASSERT_TRUE(DPtoLP(dc, &pt, 1));
    EXPECT_EQ(pt.x, c.logical.x);
    EXPECT_EQ(pt.y, c.logical.y);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MappingModes,
    ::testing::Values(MappingCase{"Text", MM_TEXT, {}, {}, {10, 20}, {10, 20}},
                      MappingCase{"LoEnglish", MM_LOENGLISH, {}, {}, {100, -200}, {96, 192}},
                      MappingCase{"HiEnglish", MM_HIENGLISH, {}, {}, {1000, -500}, {96, 48}},
                      MappingCase{"LoMetric", MM_LOMETRIC, {}, {}, {254, -508}, {96, 192}},
                      MappingCase{"HiMetric", MM_HIMETRIC, {}, {}, {2540, -1270}, {96, 48}},
                      MappingCase{"Twips", MM_TWIPS, {}, {}, {1440, -720}, {96, 48}},
                      MappingCase{"Anisotropic", MM_ANISOTROPIC, {100, 100}, {200, 50}, {10, 40}, {20, 20}},
                      MappingCase{"FlippedAnisotropic", MM_ANISOTROPIC, {100, 100}, {100, -100}, {10, 40}, {10, -40}},
                      // One scale on both axes: the larger extent shrinks to the smaller scale.
                      MappingCase{"Isotropic", MM_ISOTROPIC, {100, 100}, {200, 50}, {10, 40}, {5, 20}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MappingModeTest, ExtentsChangeOnlyInTheFreeModes)
{
    gditest::Canvas canvas(10, 10);
    HDC dc = canvas.Dc();
    EXPECT_EQ(SetMapMode(dc, 0), 0);
    EXPECT_EQ(SetMapMode(dc, MM_ANISOTROPIC + 1), 0);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);

    SIZE ext{};
    EXPECT_TRUE(SetWindowExtEx(dc, 5, 5, nullptr)) << "ignored, not failed";
    ASSERT_TRUE(GetWindowExtEx(dc, &ext));
    EXPECT_EQ(ext.cx, 1);

    SetMapMode(dc, MM_LOENGLISH);
    ASSERT_TRUE(GetViewportExtEx(dc, &ext));
    EXPECT_EQ(ext.cx, 96);
    EXPECT_EQ(ext.cy, -96);
    SetMapMode(dc, MM_ANISOTROPIC);
    ASSERT_TRUE(GetWindowExtEx(dc, &ext));
    EXPECT_EQ(ext.cx, 100) << "the free modes keep the extents they start with";
    EXPECT_FALSE(SetViewportExtEx(dc, 0, 10, nullptr));
    SetMapMode(dc, MM_TEXT);
    POINT pt{7, 9};
    LPtoDP(dc, &pt, 1);
    EXPECT_EQ(pt.x, 7);
    EXPECT_EQ(pt.y, 9);
}

TEST(MappingModeTest, ShapesAreDrawnAtTheModesScale)
{
    gditest::Canvas canvas(200, 200);
    HDC dc = canvas.Dc();
    SetMapMode(dc, MM_LOENGLISH);
    // Half an inch by a quarter, y growing upward from the top edge.
    const RECT logical{0, 0, 50, -25};
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &logical, black);
    DeleteObject(black);
    const RECT drawn = canvas.BoundsOfNot(RGB(255, 255, 255));
    EXPECT_EQ(drawn.left, 0);
    EXPECT_EQ(drawn.top, 0);
    EXPECT_EQ(drawn.right, 48);
    EXPECT_EQ(drawn.bottom, 24);
}

}  // namespace
