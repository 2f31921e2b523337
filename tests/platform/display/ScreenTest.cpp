#include <cairo.h>
#include <gtest/gtest.h>

#include "platform/display/Screen.h"

using tw::display::Screen;

TEST(ScreenTest, PixelsReadBackAsRgbAndColorref)
{
    Screen screen(8, 4);
    screen.SetPixel(3, 2, 0x112233);
    EXPECT_EQ(screen.Pixel(3, 2), 0x112233u);
    EXPECT_EQ(screen.PixelColor(3, 2), RGB(0x11, 0x22, 0x33));
    // Outside the screen: ignored and read as black.
    screen.SetPixel(8, 0, 0xFFFFFF);
    EXPECT_EQ(screen.Pixel(8, 0), 0u);
    EXPECT_EQ(screen.Pixel(-1, 0), 0u);
}

TEST(ScreenTest, DirtyRectsAreClippedMergedAndTakenOnce)
{
    Screen screen(100, 100);
    screen.MarkDirty(RECT{90, 90, 200, 200});
    screen.MarkDirty(RECT{10, 10, 20, 20});
    screen.MarkDirty(RECT{12, 12, 22, 22});  // overlaps the second: merged
    auto dirty = screen.TakeDirtyRects();
    ASSERT_EQ(dirty.size(), 2u);
    EXPECT_EQ(dirty[0].right, 100);
    EXPECT_EQ(dirty[0].bottom, 100);
    EXPECT_EQ(dirty[1].left, 10);
    EXPECT_EQ(dirty[1].right, 22);
    EXPECT_FALSE(screen.HasDirtyRects());
    screen.MarkDirty(RECT{-10, -10, -1, -1});
    EXPECT_FALSE(screen.HasDirtyRects());
}

TEST(ScreenTest, ManyScatteredUpdatesCollapseIntoTheirBounds)
{
    Screen screen(1000, 1000);
    for (int i = 0; i < 200; ++i)
        screen.MarkDirty(RECT{i * 4, i * 4, i * 4 + 1, i * 4 + 1});
    auto dirty = screen.TakeDirtyRects();
    ASSERT_FALSE(dirty.empty());
    EXPECT_LE(dirty.size(), 64u);
    RECT all = dirty[0];
    for (const RECT& r : dirty) {
        all.left = std::min(all.left, r.left);
        all.bottom = std::max(all.bottom, r.bottom);
    }
    EXPECT_EQ(all.left, 0);
    EXPECT_EQ(all.bottom, 797);
}

TEST(ScreenTest, ResizeKeepsTheOverlapAndTellsListeners)
{
    Screen screen(10, 10);
    screen.SetPixel(2, 3, 0xABCDEF);
    screen.SetPixel(9, 9, 0x010101);
    int seenWidth = 0, seenHeight = 0;
    const int id = screen.AddResizeListener([&](int w, int h) { seenWidth = w, seenHeight = h; });
    screen.Resize(5, 20);
    EXPECT_EQ(seenWidth, 5);
    EXPECT_EQ(seenHeight, 20);
    EXPECT_EQ(screen.Width(), 5);
    EXPECT_EQ(screen.Pixel(2, 3), 0xABCDEFu);
    EXPECT_EQ(screen.Pixel(4, 15), 0u);
    screen.RemoveResizeListener(id);
    screen.Resize(6, 6);
    EXPECT_EQ(seenWidth, 5);
}

TEST(ScreenTest, ScreenshotIsAReadablePngOfTheRequestedArea)
{
    Screen screen(40, 30);
    screen.Fill(0x0000FF);
    screen.SetPixel(10, 5, 0xFF0000);
    ASSERT_TRUE(screen.SavePng("whole.png"));
    const RECT area{10, 5, 20, 12};
    ASSERT_TRUE(screen.SavePng("part.png", &area));

    cairo_surface_t* whole = cairo_image_surface_create_from_png("whole.png");
    ASSERT_EQ(cairo_surface_status(whole), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(whole), 40);
    EXPECT_EQ(cairo_image_surface_get_height(whole), 30);
    cairo_surface_destroy(whole);

    cairo_surface_t* part = cairo_image_surface_create_from_png("part.png");
    ASSERT_EQ(cairo_surface_status(part), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(part), 10);
    EXPECT_EQ(cairo_image_surface_get_height(part), 7);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(part));
    const int stride = cairo_image_surface_get_stride(part) / 4;
    EXPECT_EQ(data[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(data[stride + 1] & 0xFFFFFF, 0x0000FFu);
    cairo_surface_destroy(part);

    const RECT outside{100, 100, 120, 120};
    EXPECT_FALSE(screen.SavePng("none.png", &outside));
}
