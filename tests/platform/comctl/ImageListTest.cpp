#include <gtest/gtest.h>

#include <vector>

#include "platform/comctl/commctrl.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 4x4 image list holding one red image whose left column is masked out
// (magenta key), and a 16x16 green canvas to draw on.
class ImageListDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 1, 1);
        ASSERT_NE(list, nullptr);
        HBITMAP strip = MakeStrip({kRed, RGB(0, 0, 128)});
        ASSERT_EQ(ImageList_AddMasked(list, strip, kMagenta), 0);
        DeleteObject(strip);
        canvasDc = CreateCompatibleDC(nullptr);
        canvas = CreateBitmap(16, 16, 1, 32, nullptr);
        oldBitmap = SelectObject(canvasDc, canvas);
        Clear();
    }
    void TearDown() override
    {
        SelectObject(canvasDc, oldBitmap);
        DeleteObject(canvas);
        DeleteDC(canvasDc);
        ImageList_Destroy(list);
    }

    // A strip of 4x4 images, one per colour, each with a magenta left column.
    static HBITMAP MakeStrip(const std::vector<COLORREF>& colours)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateBitmap(int(colours.size()) * 4, 4, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (size_t i = 0; i < colours.size(); ++i)
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    SetPixel(dc, int(i) * 4 + x, y, x == 0 ? kMagenta : colours[i]);
        SelectObject(dc, old);
        DeleteDC(dc);
        return bitmap;
    }

    void Clear()
    {
        RECT all{0, 0, 16, 16};
        HBRUSH green = CreateSolidBrush(kGreen);
        FillRect(canvasDc, &all, green);
        DeleteObject(green);
    }
    COLORREF At(int x, int y) { return GetPixel(canvasDc, x, y); }

    HIMAGELIST list = nullptr;
    HDC canvasDc = nullptr;
    HBITMAP canvas = nullptr;
    HGDIOBJ oldBitmap = nullptr;
};

struct DrawCase {
    const char* name;
    UINT style;
    COLORREF listBackground;
    COLORREF opaque;  // at (5, 1): an image pixel
    COLORREF masked;  // at (2, 1): the masked-out column
};

class ImageListDrawModes : public ImageListDraw, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(ImageListDrawModes, PixelsFollowTheStyle)
{
    const DrawCase& c = GetParam();
    ImageList_SetBkColor(list, c.listBackground);
    ASSERT_TRUE(ImageList_Draw(list, 0, canvasDc, 2, 0, c.style));
    EXPECT_EQ(At(5, 1), c.opaque);
    EXPECT_EQ(At(2, 1), c.masked);
    EXPECT_EQ(At(6, 1), kGreen) << "nothing is drawn outside the image";
    EXPECT_EQ(At(3, 4), kGreen);
}

// The highlight is RGB(10, 36, 106): 50% of it over red, or 25% of it.
INSTANTIATE_TEST_SUITE_P(
    Styles, ImageListDrawModes,
    ::testing::Values(DrawCase{"NormalNoBackground", ILD_NORMAL, CLR_NONE, kRed, kGreen},
                      DrawCase{"NormalFillsMaskWithBackground", ILD_NORMAL, kBlue, kRed, kBlue},
                      DrawCase{"TransparentIgnoresBackground", ILD_TRANSPARENT, kBlue, kRed, kGreen},
                      DrawCase{"Mask", ILD_MASK, CLR_NONE, RGB(0, 0, 0), RGB(255, 255, 255)},
                      DrawCase{"Blend50", ILD_BLEND50, CLR_NONE, RGB(132, 18, 53), kGreen},
                      DrawCase{"Selected", ILD_SELECTED | ILD_TRANSPARENT, kBlue, RGB(132, 18, 53), kGreen},
                      DrawCase{"Focus", ILD_FOCUS, CLR_NONE, RGB(193, 9, 26), kGreen},
                      DrawCase{"ImageIgnoresMask", ILD_IMAGE, CLR_NONE, kRed, RGB(0, 0, 0)}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return info.param.name; });

TEST_F(ImageListDraw, StripAddsOneImagePerWidthAndRemoveShiftsTheRest)
{
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    HBITMAP strip = MakeStrip({kBlue, kGreen, kRed});
    EXPECT_EQ(ImageList_AddMasked(list, strip, kMagenta), 2);
    DeleteObject(strip);
    EXPECT_EQ(ImageList_GetImageCount(list), 5);

    ASSERT_TRUE(ImageList_Remove(list, 0));
    ImageList_Draw(list, 0, canvasDc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(At(1, 1), RGB(0, 0, 128)) << "the second image moved to index 0";
    EXPECT_FALSE(ImageList_Remove(list, 9));
    EXPECT_FALSE(ImageList_Draw(list, 9, canvasDc, 0, 0, ILD_NORMAL));
    ASSERT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
}

TEST_F(ImageListDraw, AddUsesTheMaskBitmapAndCopySwaps)
{
    HIMAGELIST second = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 0, 1);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateBitmap(4, 4, 1, 32, nullptr);
    HBITMAP mask = CreateBitmap(4, 4, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    RECT all{0, 0, 4, 4};
    HBRUSH blue = CreateSolidBrush(kBlue);
    FillRect(dc, &all, blue);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 4, 4, BLACKNESS);
    PatBlt(dc, 0, 0, 4, 1, WHITENESS);  // the top row is transparent
    SelectObject(dc, old);
    DeleteObject(blue);
    DeleteDC(dc);

    EXPECT_EQ(ImageList_Add(second, image, mask), 0);
    EXPECT_EQ(ImageList_Add(second, image, nullptr), 1);
    ImageList_Draw(second, 0, canvasDc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(At(1, 0), kGreen);
    EXPECT_EQ(At(1, 1), kBlue);
    ImageList_Draw(second, 1, canvasDc, 8, 0, ILD_TRANSPARENT);
    EXPECT_EQ(At(9, 0), kBlue) << "no mask bitmap: every pixel is opaque";

    // Swapping within one list; copying between lists is refused.
    EXPECT_TRUE(ImageList_Copy(second, 0, second, 1, ILCF_SWAP));
    Clear();
    ImageList_Draw(second, 1, canvasDc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(At(1, 0), kGreen);
    EXPECT_FALSE(ImageList_Copy(second, 0, list, 0, ILCF_MOVE));

    DeleteObject(image);
    DeleteObject(mask);
    ImageList_Destroy(second);
}

TEST_F(ImageListDraw, IconRoundTripKeepsPixelsAndTransparency)
{
    HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(DrawIconEx(canvasDc, 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(At(2, 2), kRed);
    EXPECT_EQ(At(0, 2), kGreen);

    // Added back, scaled to a larger list.
    HIMAGELIST big = ImageList_Create(8, 8, ILC_COLOR24 | ILC_MASK, 0, 1);
    EXPECT_EQ(ImageList_AddIcon(big, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(big, 3, icon), -1);
    Clear();
    ImageList_Draw(big, 0, canvasDc, 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(At(1, 4), kGreen);
    EXPECT_EQ(At(6, 4), kRed);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(big, &cx, &cy));
    EXPECT_EQ(cx, 8);
    EXPECT_EQ(cy, 8);
    DestroyIcon(icon);
    ImageList_Destroy(big);
}

TEST_F(ImageListDraw, OverlayIsDrawnTransparentlyOnTop)
{
    // Image 1 (navy) as overlay 1 over image 0 (red): the overlay's masked
    // column shows image 0 under it, and image 0's masked column shows the canvas.
    ASSERT_TRUE(ImageList_SetOverlayImage(list, 1, 1));
    ImageList_Draw(list, 0, canvasDc, 0, 0, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(1));
    EXPECT_EQ(At(2, 2), RGB(0, 0, 128));
    EXPECT_EQ(At(0, 2), kGreen);
    EXPECT_FALSE(ImageList_SetOverlayImage(list, 7, 1));
}

TEST_F(ImageListDraw, DestroyedHandleIsRefused)
{
    HIMAGELIST other = ImageList_Create(4, 4, ILC_COLOR24, 0, 1);
    ASSERT_TRUE(ImageList_Destroy(other));
    EXPECT_FALSE(ImageList_Destroy(other));
    EXPECT_EQ(ImageList_GetImageCount(other), 0);
    EXPECT_EQ(ImageList_Add(other, canvas, nullptr), -1);
    EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR24, 0, 1), nullptr);
}

TEST_F(ImageListDraw, ImageInfoPointsIntoTheStrip)
{
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 1, &info));
    EXPECT_EQ(info.rcImage.left, 4);
    EXPECT_EQ(info.rcImage.right, 8);
    BITMAP bm{};
    ASSERT_TRUE(GetObject(info.hbmImage, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 8);
    EXPECT_NE(info.hbmMask, nullptr);
}

}  // namespace
