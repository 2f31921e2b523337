// Device contexts and drawing objects: the framework's own drawing helpers
// by pixel, point-size fonts, objects that delete or keep their handles, and
// the DCs a window hands out.
#include "tests/platform/mfc/windows/WindowTestFixture.h"

namespace tw::mfc::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class MemoryCanvas : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateBitmap(10, 10, 1, 32, nullptr));
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 10, 10, kWhite);
    }
    void TearDown() override
    {
        dc.SelectObject(old);
        WindowTest::TearDown();
    }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

TEST_F(MemoryCanvas, Draw3dRectPutsTopLeftAndBottomRightColoursOnTheirEdges)
{
    dc.Draw3dRect(CRect(0, 0, 10, 10), kRed, kBlue);
    EXPECT_EQ(dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(dc.GetPixel(8, 0), kRed);
    EXPECT_EQ(dc.GetPixel(0, 8), kRed);
    EXPECT_EQ(dc.GetPixel(9, 0), kBlue);
    EXPECT_EQ(dc.GetPixel(9, 9), kBlue);
    EXPECT_EQ(dc.GetPixel(0, 9), kBlue);
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
}

TEST_F(MemoryCanvas, FillSolidRectFillsExactlyAndLeavesTheBackgroundColourSet)
{
    dc.FillSolidRect(CRect(2, 3, 5, 6), kBlue);
    EXPECT_EQ(dc.GetPixel(2, 3), kBlue);
    EXPECT_EQ(dc.GetPixel(4, 5), kBlue);
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
    EXPECT_EQ(dc.GetPixel(4, 6), kWhite);
    EXPECT_EQ(dc.GetBkColor(), kBlue);
}

TEST_F(MemoryCanvas, DragRectDrawnTwiceErasesItself)
{
    const CRect frame(1, 1, 9, 9);
    dc.DrawDragRect(frame, CSize(2, 2), nullptr, CSize(0, 0));
    bool changed = false;
    for (int x = 0; x < 10; ++x)
        changed = changed || dc.GetPixel(x, 1) != kWhite;
    EXPECT_TRUE(changed);
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);  // the inside is untouched
    dc.DrawDragRect(frame, CSize(2, 2), nullptr, CSize(0, 0));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(dc.GetPixel(x, 1), kWhite) << x;
}

TEST_F(WindowTest, PointFontHeightIsTheCharacterHeightOfTheScreen)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Tahoma"));
    LOGFONT lf{};
    ASSERT_GT(font.GetLogFont(&lf), 0);
    EXPECT_EQ(lf.lfHeight, -12);  // 9 points at 96 dots per inch
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
}

TEST_F(WindowTest, ObjectDeletesItsHandleUnlessDetached)
{
    HGDIOBJ kept;
    {
        CBrush brush(kRed);
        kept = brush.Detach();
    }
    LOGBRUSH lb{};
    EXPECT_EQ(::GetObject(kept, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, kRed);

    HGDIOBJ deleted;
    {
        CBrush brush(kBlue);
        deleted = brush.m_hObject;
        EXPECT_EQ(CBrush::FromHandle(static_cast<HBRUSH>(deleted)), &brush);
    }
    EXPECT_EQ(::GetObject(deleted, sizeof lb, &lb), 0);
    ::DeleteObject(kept);
}

TEST_F(WindowTest, TemporaryDrawingObjectNeverDeletesTheHandle)
{
    HBRUSH handle = ::CreateSolidBrush(kRed);
    CBrush* temp = CBrush::FromHandle(handle);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hObject, handle);
    EXPECT_EQ(CBrush::FromHandle(handle), temp);
    AfxDeleteTempMaps();
    LOGBRUSH lb{};
    EXPECT_EQ(::GetObject(handle, sizeof lb, &lb), static_cast<int>(sizeof lb));
    ::DeleteObject(handle);
}

TEST_F(WindowTest, ClientDcDrawsIntoTheWindowAndIsReleased)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Canvas", WS_POPUP | WS_VISIBLE, CRect(20, 20, 120, 120), nullptr, 0));
    Pump();
    {
        CClientDC dc(&wnd);
        ASSERT_NE(dc.m_hDC, nullptr);
        EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
        dc.FillSolidRect(0, 0, 10, 10, kBlue);
        EXPECT_EQ(dc.GetPixel(5, 5), kBlue);
    }
    CWindowDC screen(nullptr);
    EXPECT_EQ(screen.GetPixel(25, 25), kBlue);
}

}  // namespace
}  // namespace tw::mfc::test
