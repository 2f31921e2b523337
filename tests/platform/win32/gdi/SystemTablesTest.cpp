#include <gtest/gtest.h>

#include "GdiTestCanvas.h"
#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/windraw.h"

class SystemTablesFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        tw::gdi::ResetSysColors();
        tw::gdi::ResetSystemParameters();
        tw::display::Display::Reset();
    }
};

TEST_F(SystemTablesFixture, ClassicColoursAndTheirBrushes)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);

    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_TRUE(DeleteObject(face));
    LOGBRUSH lb{};
    ASSERT_EQ(GetObject(face, sizeof(lb), &lb), int(sizeof(lb)));
    EXPECT_EQ(lb.lbColor, RGB(212, 208, 200));
}

TEST_F(SystemTablesFixture, SetSysColorsChangesTheTableAndTheBrushesFollow)
{
    const INT which[] = {COLOR_BTNFACE};
    const COLORREF colour[] = {RGB(1, 2, 3)};
    ASSERT_TRUE(SetSysColors(1, which, colour));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
    gditest::Canvas canvas(4, 4);
    RECT r{0, 0, 2, 2};
    ASSERT_TRUE(FillRect(canvas.Dc(), &r, GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(canvas.At(0, 0), RGB(1, 2, 3));
    // The (HBRUSH)(COLOR_x + 1) form means the same brush.
    RECT other{2, 2, 4, 4};
    ASSERT_TRUE(FillRect(canvas.Dc(), &other, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1)));
    EXPECT_EQ(canvas.At(3, 3), RGB(10, 36, 106));
    const INT bad[] = {COLOR_WINDOW, 400};
    const COLORREF two[] = {RGB(9, 9, 9), RGB(9, 9, 9)};
    EXPECT_FALSE(SetSysColors(2, bad, two));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
}

TEST_F(SystemTablesFixture, MetricsComeFromTheTableAndTheScreen)
{
    struct MetricCase {
        int index;
        int value;
    };
    const MetricCase cases[] = {
        {SM_CXSCREEN, 1280}, {SM_CYSCREEN, 1024}, {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CYCAPTION, 19},
        {SM_CXFRAME, 4},     {SM_CXBORDER, 1},    {SM_CXEDGE, 2},     {SM_CXSMICON, 16},  {SM_CYSMICON, 16},
        {SM_CXICON, 32},     {SM_CYMENU, 19},     {SM_CXDLGFRAME, 3}, {SM_CMONITORS, 1},  {SM_CXDRAG, 4},
    };
    for (const MetricCase& c : cases)
        EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.index;
    tw::display::Display::Instance().GetScreen().Resize(800, 600);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, 800);
    EXPECT_EQ(work.bottom, 600);
    RECT smaller{0, 0, 800, 570};
    ASSERT_TRUE(SystemParametersInfo(SPI_SETWORKAREA, 0, &smaller, 0));
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.bottom, 570);
    EXPECT_EQ(GetSystemMetrics(SM_CYMAXIMIZED), 578);
    // The screen shrinks under the work area: the area keeps to the screen.
    tw::display::Display::Instance().GetScreen().Resize(640, 480);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.right, 640);
    EXPECT_EQ(work.bottom, 480);
}

TEST_F(SystemTablesFixture, NonClientMetricsUseTheirFixedLayout)
{
    EXPECT_EQ(sizeof(NONCLIENTMETRICSA), 340u);
    EXPECT_EQ(sizeof(LOGFONTA), 60u);
    NONCLIENTMETRICSA m{};
    m.cbSize = 200;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &m, 0));
    m.cbSize = sizeof(m);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0));
    EXPECT_EQ(m.iCaptionHeight, 18);
    EXPECT_EQ(m.iScrollWidth, 16);
    EXPECT_STREQ(m.lfMenuFont.lfFaceName, "Tahoma");
    EXPECT_EQ(m.lfMenuFont.lfHeight, -11);
    EXPECT_EQ(m.lfCaptionFont.lfWeight, FW_BOLD);
    LOGFONTA icon{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0));
    EXPECT_STREQ(icon.lfFaceName, "Tahoma");
    BOOL drag = FALSE;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &drag, 0));
    EXPECT_TRUE(drag);
    SystemParametersInfo(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &drag, 0);
    EXPECT_FALSE(drag);
    EXPECT_FALSE(SystemParametersInfo(0x7777, 0, &drag, 0));
}

TEST_F(SystemTablesFixture, MinimiseAnimationIsKeptAndChecksItsSize)
{
    ANIMATIONINFO info{sizeof(ANIMATIONINFO), 0};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETANIMATION, sizeof(info), &info, 0));
    EXPECT_EQ(info.iMinAnimate, 1);

    info.iMinAnimate = 0;
    ASSERT_TRUE(SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0));
    info.iMinAnimate = 7;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETANIMATION, sizeof(info), &info, 0));
    EXPECT_EQ(info.iMinAnimate, 0);

    ANIMATIONINFO wrongSize{4, 1};
    EXPECT_FALSE(SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &wrongSize, 0));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETANIMATION, sizeof(info), nullptr, 0));
    info.iMinAnimate = 1;
    SystemParametersInfo(SPI_SETANIMATION, sizeof(info), &info, 0);
}

TEST_F(SystemTablesFixture, DeviceCapsDescribeA96DpiTrueColourScreen)
{
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(memory, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(memory, HORZRES), 1280);
    EXPECT_EQ(GetDeviceCaps(memory, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 1);  // a fresh memory DC holds a monochrome bitmap
    HBITMAP colour = CreateBitmap(4, 4, 1, 32, nullptr);
    SelectObject(memory, colour);
    EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 32);
    EXPECT_TRUE(GetDeviceCaps(memory, RASTERCAPS) & RC_STRETCHBLT);
    DeleteDC(memory);
    DeleteObject(colour);
}
