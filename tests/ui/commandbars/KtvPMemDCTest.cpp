#include <gtest/gtest.h>

#include "platform/mfc/afxwin.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/frames/KtvPGlobalData.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);

class KtvPMemDCTest : public testing::Test {
protected:
    void SetUp() override
    {
        static CWinApp app("Tarnwick");
        KtvInitGlobalData();
        ASSERT_TRUE(wnd_.CreateEx(0, nullptr, "Canvas", WS_POPUP | WS_VISIBLE, CRect(20, 20, 60, 50), nullptr, 0));
        CClientDC dc(&wnd_);
        dc.FillSolidRect(0, 0, 40, 30, kBlue);
    }
    void TearDown() override
    {
        wnd_.DestroyWindow();
        globalData.DoubleBufferedPaint = TRUE;
        KtvCleanUp();
    }
    CWnd wnd_;
};

TEST_F(KtvPMemDCTest, DrawsOffScreenAndCopiesBackTheClipBox)
{
    CClientDC dc(&wnd_);
    dc.IntersectClipRect(0, 0, 20, 30);
    {
        CKtvPMemDC mem(dc, &wnd_);
        ASSERT_TRUE(mem.IsMemDC());
        mem.GetDC().FillSolidRect(0, 0, 40, 30, kRed);
        EXPECT_EQ(dc.GetPixel(5, 5), kBlue);  // nothing on screen yet
    }
    EXPECT_EQ(dc.GetPixel(5, 5), kRed);
    EXPECT_EQ(dc.GetPixel(19, 29), kRed);
    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(dc.GetPixel(25, 5), kBlue);  // outside the clip box: not copied
}

TEST_F(KtvPMemDCTest, PaintsStraightToTheTargetWhenDoubleBufferingIsOff)
{
    globalData.DoubleBufferedPaint = FALSE;
    CClientDC dc(&wnd_);
    CKtvPMemDC mem(dc, &wnd_);
    EXPECT_FALSE(mem.IsMemDC());
    EXPECT_EQ(&mem.GetDC(), &dc);
    mem.GetDC().FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_EQ(dc.GetPixel(2, 2), kRed);
}

}  // namespace
