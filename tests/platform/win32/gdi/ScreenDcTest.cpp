#include <gtest/gtest.h>

#include "platform/display/Display.h"
#include "platform/win32/gdi/ScreenDC.h"
#include "platform/win32/gdi/windraw.h"

using tw::display::Display;

class ScreenDcFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Display::Reset();
        screen().Resize(200, 150);
        screen().Fill(0xFFFFFF);
        screen().TakeDirtyRects();
    }
    void TearDown() override { Display::Reset(); }
    static tw::display::Screen& screen() { return Display::Instance().GetScreen(); }
};

TEST_F(ScreenDcFixture, DrawsAtItsOriginOnlyInsideTheVisibleRegion)
{
    // A window at (100, 50) partly covered by another at (120, 60)-(130, 70).
    HRGN visible = CreateRectRgn(100, 50, 150, 80);
    HRGN cover = CreateRectRgn(120, 60, 130, 70);
    CombineRgn(visible, visible, cover, RGN_DIFF);
    HDC dc = tw::gdi::CreateScreenDC(POINT{100, 50}, visible);
    ASSERT_NE(dc, nullptr);
    DeleteObject(visible);  // the DC keeps its own copy

    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 100, 100};
    ASSERT_TRUE(FillRect(dc, &all, red));
    EXPECT_EQ(screen().Pixel(100, 50), 0xFF0000u);
    EXPECT_EQ(screen().Pixel(149, 79), 0xFF0000u);
    EXPECT_EQ(screen().Pixel(125, 65), 0xFFFFFFu);
    EXPECT_EQ(screen().Pixel(150, 50), 0xFFFFFFu);
    EXPECT_EQ(screen().Pixel(99, 50), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 25, 15), CLR_INVALID);

    auto dirty = screen().TakeDirtyRects();
    ASSERT_FALSE(dirty.empty());
    EXPECT_EQ(dirty[0].left, 100);
    EXPECT_EQ(dirty[0].right, 150);

    RECT clip{};
    EXPECT_EQ(GetClipBox(dc, &clip), COMPLEXREGION);
    EXPECT_EQ(clip.left, 0);
    EXPECT_EQ(clip.right, 50);
    EXPECT_EQ(clip.bottom, 30);

    // The window moves: same DC, new place.
    HRGN moved = CreateRectRgn(0, 0, 10, 10);
    ASSERT_TRUE(tw::gdi::SetScreenDCArea(dc, POINT{0, 0}, moved));
    FillRect(dc, &all, red);
    EXPECT_EQ(screen().Pixel(9, 9), 0xFF0000u);
    EXPECT_EQ(screen().Pixel(10, 10), 0xFFFFFFu);

    DeleteObject(cover);
    DeleteObject(moved);
    DeleteObject(red);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(ScreenDcFixture, DesktopDcCoversTheWholeScreenAndXorOutlinesComeOffExactly)
{
    HDC desktop = tw::gdi::CreateScreenDC(POINT{0, 0}, nullptr);
    screen().SetPixel(40, 40, 0x123456);
    RECT outline{10, 10, 60, 50};
    DrawFocusRect(desktop, &outline);
    EXPECT_NE(screen().Pixel(10, 10), 0xFFFFFFu);
    DrawFocusRect(desktop, &outline);
    for (int x = 0; x < 200; ++x)
        EXPECT_EQ(screen().Pixel(x, 10), 0xFFFFFFu) << x;
    EXPECT_EQ(screen().Pixel(40, 40), 0x123456u);

    // Its pixels are a blit source: what lies under a menu shadow can be kept.
    HDC memory = CreateCompatibleDC(desktop);
    HBITMAP saved = CreateCompatibleBitmap(desktop, 4, 4);
    SelectObject(memory, saved);
    ASSERT_TRUE(BitBlt(memory, 0, 0, 4, 4, desktop, 38, 38, SRCCOPY));
    EXPECT_EQ(GetPixel(memory, 2, 2), RGB(0x12, 0x34, 0x56));
    DeleteDC(memory);
    DeleteObject(saved);
    DeleteDC(desktop);
}

TEST_F(ScreenDcFixture, ResetStateGivesFreshDefaultsButKeepsThePlace)
{
    HDC dc = tw::gdi::CreateScreenDC(POINT{5, 5}, nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, TRANSPARENT);
    SaveDC(dc);
    ASSERT_TRUE(tw::gdi::ResetDCState(dc));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_FALSE(RestoreDC(dc, -1));
    POINT origin{};
    GetDCOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 5);
    EXPECT_TRUE(tw::gdi::IsScreenDC(dc));
    DeleteDC(dc);
}
