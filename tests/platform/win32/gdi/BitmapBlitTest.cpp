#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "GdiTestCanvas.h"
#include "platform/win32/kernel/Modules.h"

using gditest::Canvas;

namespace {

const COLORREF kBlitRed = RGB(255, 0, 0);
const COLORREF kBlitBlue = RGB(0, 0, 255);
const COLORREF kBlitWhite = RGB(255, 255, 255);
const COLORREF kBlitBlack = RGB(0, 0, 0);

BITMAPINFO BlitInfo(int width, int height, int bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bits);
    return info;
}

}  // namespace

TEST(DibSectionTest, BottomUpAndTopDownBitsMapToRowsAsStored)
{
    for (bool topDown : {false, true}) {
        BITMAPINFO info = BlitInfo(4, 3, 32);
        if (topDown)
            info.bmiHeader.biHeight = -3;
        void* raw = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        auto* bits = static_cast<uint32_t*>(raw);
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, dib);
        SetPixel(dc, 1, 0, RGB(0x11, 0x22, 0x33));
        const int storedRow = topDown ? 0 : 2;
        EXPECT_EQ(bits[storedRow * 4 + 1] & 0xFFFFFF, 0x112233u) << topDown;
        bits[(topDown ? 2 : 0) * 4 + 3] = 0x00ABCDEF;  // the bottom row, last column
        EXPECT_EQ(GetPixel(dc, 3, 2), RGB(0xAB, 0xCD, 0xEF)) << topDown;
        DIBSECTION ds{};
        ASSERT_EQ(GetObject(dib, sizeof(ds), &ds), int(sizeof(ds)));
        EXPECT_EQ(ds.dsBm.bmBits, raw);
        EXPECT_EQ(ds.dsBmih.biHeight, topDown ? -3 : 3);
        BITMAP bm{};
        ASSERT_EQ(GetObject(dib, sizeof(bm), &bm), int(sizeof(bm)));
        EXPECT_EQ(bm.bmBitsPixel, 32);
        EXPECT_EQ(bm.bmWidthBytes, 16);
        DeleteDC(dc);
        DeleteObject(dib);
    }
    // Only 32-bit sections are made; an 8-bit one, with its whole colour table, is refused.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } eight{};
    eight.header = BlitInfo(4, 4, 8).bmiHeader;
    void* none = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&eight), DIB_RGB_COLORS, &none, nullptr, 0),
              nullptr);
    EXPECT_EQ(none, nullptr);
}

TEST(DibBitsTest, GetAndSetDIBitsRoundTripIn24And32Bits)
{
    Canvas canvas(5, 3);
    canvas.Set(0, 0, kBlitRed);
    canvas.Set(4, 2, kBlitBlue);
    HDC screenLike = CreateCompatibleDC(nullptr);
    for (int bits : {24, 32}) {
        BITMAPINFO info = BlitInfo(5, 3, bits);
        std::vector<uint8_t> buffer(((5 * bits + 31) / 32) * 4 * 3);
        ASSERT_EQ(GetDIBits(screenLike, canvas.Bitmap(), 0, 3, buffer.data(), &info, DIB_RGB_COLORS), 3) << bits;
        const size_t stride = ((5 * bits + 31) / 32) * 4;
        // Bottom-up: the first stored row is the bottom one.
        const uint8_t* bottomRight = buffer.data() + 4 * (bits / 8);
        EXPECT_EQ(bottomRight[0], 255) << bits;  // blue byte first
        const uint8_t* topLeft = buffer.data() + 2 * stride;
        EXPECT_EQ(topLeft[2], 255) << bits;
        EXPECT_EQ(topLeft[0], 0) << bits;

        HBITMAP copy = CreateBitmap(5, 3, 1, 32, nullptr);
        ASSERT_EQ(SetDIBits(screenLike, copy, 0, 3, buffer.data(), &info, DIB_RGB_COLORS), 3);
        HDC copyDc = CreateCompatibleDC(nullptr);
        SelectObject(copyDc, copy);
        EXPECT_EQ(GetPixel(copyDc, 0, 0), kBlitRed);
        EXPECT_EQ(GetPixel(copyDc, 4, 2), kBlitBlue);
        EXPECT_EQ(GetPixel(copyDc, 2, 1), kBlitWhite);
        DeleteDC(copyDc);
        DeleteObject(copy);
    }
    BITMAPINFO ask{};
    ask.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(screenLike, canvas.Bitmap(), 0, 0, nullptr, &ask, DIB_RGB_COLORS), 0);
    EXPECT_EQ(ask.bmiHeader.biWidth, 5);
    EXPECT_EQ(ask.bmiHeader.biBitCount, 32);
    DeleteDC(screenLike);
}

TEST(BmpFileTest, SavedBitmapsLoadBackPixelForPixel)
{
    Canvas canvas(7, 5);
    canvas.Set(0, 0, kBlitRed);
    canvas.Set(6, 4, kBlitBlue);
    canvas.Set(3, 2, RGB(10, 20, 30));
    ASSERT_TRUE(tw::gdi::SaveBitmapFile(canvas.Bitmap(), "round.bmp"));
    std::ifstream file("round.bmp", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(sizeof(BITMAPFILEHEADER), 14u);

    HBITMAP loaded = static_cast<HBITMAP>(LoadImage(nullptr, "round.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(loaded, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, loaded);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(GetPixel(dc, x, y), canvas.At(x, y)) << x << "," << y;
    DeleteDC(dc);
    DeleteObject(loaded);

    EXPECT_EQ(LoadImage(nullptr, "missing.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::ofstream("broken.bmp", std::ios::binary) << "BM not really";
    EXPECT_EQ(LoadImage(nullptr, "broken.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);

    // A damaged pixel offset that points into the headers is refused, not read backwards.
    for (uint32_t offset : {0u, 2u, 20u}) {
        std::vector<char> damaged = bytes;
        std::memcpy(damaged.data() + 10, &offset, sizeof offset);
        std::ofstream("damaged.bmp", std::ios::binary).write(damaged.data(), std::streamsize(damaged.size()));
        EXPECT_EQ(LoadImage(nullptr, "damaged.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr) << offset;
    }
}

// A 4x1 BMP of 8 bits per pixel whose colour table holds the old greys.
std::vector<uint8_t> BlitGreyTableBmp()
{
    const RGBQUAD table[4] = {{128, 128, 128, 0}, {192, 192, 192, 0}, {223, 223, 223, 0}, {0, 0, 255, 0}};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = 4;
    info.biHeight = 1;
    info.biPlanes = 1;
    info.biBitCount = 8;
    info.biClrUsed = 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = DWORD(sizeof(file) + sizeof(info) + sizeof(table));
    file.bfSize = file.bfOffBits + 4;
    std::vector<uint8_t> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    std::memcpy(bytes.data() + sizeof(file) + sizeof(info), table, sizeof(table));
    const uint8_t pixels[4] = {0, 1, 2, 3};
    std::memcpy(bytes.data() + file.bfOffBits, pixels, 4);
    return bytes;
}

TEST(BmpFileTest, Map3DColoursSwapsTheOldGreysOfTheColourTable)
{
    const std::vector<uint8_t> bytes = BlitGreyTableBmp();
    std::ofstream("greys.bmp", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const INT which[] = {COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DLIGHT};
    const COLORREF scheme[] = {RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3)};
    ASSERT_TRUE(SetSysColors(3, which, scheme));
    HBITMAP mapped = static_cast<HBITMAP>(
        LoadImage(nullptr, "greys.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS));
    HBITMAP plain = static_cast<HBITMAP>(LoadImage(nullptr, "greys.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    tw::gdi::ResetSysColors();
    ASSERT_NE(mapped, nullptr);
    ASSERT_NE(plain, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mapped);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 1, 1));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(2, 2, 2));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(3, 3, 3));
    EXPECT_EQ(GetPixel(dc, 3, 0), kBlitRed);
    SelectObject(dc, plain);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(192, 192, 192));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(mapped);
    DeleteObject(plain);
}

TEST(MonoBlitTest, MonochromeAndColourConvertThroughTheDcColours)
{
    // Colour to monochrome: the source's background colour becomes white.
    Canvas colour(4, 1);
    colour.Set(0, 0, kBlitRed);
    colour.Set(1, 0, kBlitBlue);
    SetBkColor(colour.Dc(), kBlitRed);
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, 4, 1);  // monochrome, like the DC's own bitmap
    BITMAP bm{};
    GetObject(mono, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    SelectObject(monoDc, mono);
    ASSERT_TRUE(BitBlt(monoDc, 0, 0, 4, 1, colour.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(monoDc, 0, 0), kBlitWhite);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), kBlitBlack);
    EXPECT_EQ(GetPixel(monoDc, 2, 0), kBlitBlack);  // white is not the background here

    // Monochrome to colour: black takes the text colour, white the background colour.
    Canvas target(4, 1);
    SetTextColor(target.Dc(), kBlitBlue);
    SetBkColor(target.Dc(), kBlitRed);
    ASSERT_TRUE(BitBlt(target.Dc(), 0, 0, 4, 1, monoDc, 0, 0, SRCCOPY));
    EXPECT_EQ(target.At(0, 0), kBlitRed);
    EXPECT_EQ(target.At(1, 0), kBlitBlue);
    DeleteDC(monoDc);
    DeleteObject(mono);
}

TEST(StretchBlitTest, StretchingScalesAndNegativeSizesMirror)
{
    Canvas source(2, 2);
    source.Set(0, 0, kBlitRed);
    source.Set(1, 1, kBlitBlue);
    Canvas target(8, 8);
    ASSERT_TRUE(StretchBlt(target.Dc(), 0, 0, 8, 8, source.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(target.Count(kBlitRed), 16);
    EXPECT_EQ(target.At(3, 3), kBlitRed);
    EXPECT_EQ(target.At(4, 4), kBlitBlue);
    EXPECT_EQ(target.At(4, 0), kBlitWhite);

    target.Fill(kBlitWhite);
    ASSERT_TRUE(StretchBlt(target.Dc(), 7, 0, -8, 8, source.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(target.At(7, 0), kBlitRed);
    EXPECT_EQ(target.At(0, 7), kBlitBlue);

    target.Fill(kBlitWhite);
    ASSERT_TRUE(StretchBlt(target.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_NE(target.At(0, 0), RGB(1, 1, 1));
    EXPECT_EQ(target.At(1, 0), kBlitWhite);
}

TEST(StretchBlitTest, OverlappingBlitsWithinOneSurfaceCopyTheOriginal)
{
    Canvas canvas(6, 1);
    for (int x = 0; x < 6; ++x)
        canvas.Set(x, 0, RGB(x * 10, 0, 0));
    ASSERT_TRUE(BitBlt(canvas.Dc(), 1, 0, 5, 1, canvas.Dc(), 0, 0, SRCCOPY));
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(canvas.At(x, 0), RGB((x - 1) * 10, 0, 0)) << x;
}

TEST(TransparentBlitTest, SkipsTheTransparentColour)
{
    Canvas source(3, 1);
    source.Set(0, 0, RGB(255, 0, 255));
    source.Set(1, 0, kBlitRed);
    source.Set(2, 0, RGB(255, 0, 255));
    Canvas target(6, 2, kBlitBlue);
    ASSERT_TRUE(TransparentBlt(target.Dc(), 0, 0, 6, 2, source.Dc(), 0, 0, 3, 1, RGB(255, 0, 255)));
    EXPECT_EQ(target.At(0, 0), kBlitBlue);
    EXPECT_EQ(target.At(2, 1), kBlitRed);
    EXPECT_EQ(target.At(3, 0), kBlitRed);
    EXPECT_EQ(target.At(5, 1), kBlitBlue);
    EXPECT_FALSE(TransparentBlt(target.Dc(), 0, 0, -6, 2, source.Dc(), 0, 0, 3, 1, 0));
}

TEST(AlphaBlendTest, ConstantAndPerPixelAlpha)
{
    Canvas source(2, 1);
    source.Set(0, 0, RGB(200, 100, 0));
    Canvas target(2, 1, RGB(0, 0, 200));
    BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    ASSERT_TRUE(AlphaBlend(target.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, 1, 1, half));
    EXPECT_EQ(target.At(0, 0), RGB(100, 50, 100));

    // Premultiplied: a half-transparent pure red pixel is (128, 0, 0, 128).
    BITMAPINFO info = BlitInfo(1, 1, 32);
    void* raw = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    *static_cast<uint32_t*>(raw) = 0x80800000;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, dib);
    BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    target.Set(1, 0, RGB(0, 0, 200));
    ASSERT_TRUE(AlphaBlend(target.Dc(), 1, 0, 1, 1, dc, 0, 0, 1, 1, perPixel));
    EXPECT_EQ(target.At(1, 0), RGB(128, 0, 100));
    // The source must lie inside its bitmap.
    EXPECT_FALSE(AlphaBlend(target.Dc(), 0, 0, 1, 1, dc, 0, 0, 2, 1, perPixel));
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(GradientTest, HorizontalAndVerticalRectangles)
{
    Canvas canvas(5, 5);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0xFF00, 0}, {5, 5, 0xFF00, 0, 0, 0}};
    GRADIENT_RECT g{0, 1};
    ASSERT_TRUE(GradientFill(canvas.Dc(), v, 2, &g, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(canvas.At(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(GetRValue(canvas.At(4, 3)), 204);
    EXPECT_LT(GetBValue(canvas.At(4, 3)), 60);
    EXPECT_EQ(canvas.At(2, 0), canvas.At(2, 4));
    ASSERT_TRUE(GradientFill(canvas.Dc(), v, 2, &g, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(canvas.At(3, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(0, 2), canvas.At(4, 2));
    GRADIENT_RECT bad{0, 5};
    EXPECT_FALSE(GradientFill(canvas.Dc(), v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

TEST(BitmapObjectTest, SelectionRulesAndDeletion)
{
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HGDIOBJ original = SelectObject(a, bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(GetObjectType(original), DWORD(OBJ_BITMAP));
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);  // one DC at a time
    EXPECT_FALSE(DeleteObject(bitmap));           // not while selected
    EXPECT_EQ(SelectObject(a, original), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(a), DWORD(OBJ_MEMDC));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));  // stock objects stay
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), DWORD(OBJ_PEN));
    DeleteDC(a);
    DeleteDC(b);
}

TEST(BitmapObjectTest, PenInUseOutlivesItsHandle)
{
    Canvas canvas(4, 1);
    HPEN pen = CreatePen(PS_SOLID, 1, kBlitRed);
    HGDIOBJ old = SelectObject(canvas.Dc(), pen);
    EXPECT_TRUE(DeleteObject(pen));
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 4, 0);
    EXPECT_EQ(canvas.At(3, 0), kBlitRed);
    SelectObject(canvas.Dc(), old);
}

TEST(IconTest, MaskAndImageCombineAndDrawStateDisables)
{
    // 4x4 icon: left half opaque red, right half transparent.
    HBITMAP mask = CreateBitmap(4, 4, 1, 1, nullptr);
    HBITMAP image = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ first = SelectObject(dc, mask);
    RECT right{2, 0, 4, 4};
    FillRect(dc, &right, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(dc, image);
    RECT left{0, 0, 2, 4};
    HBRUSH red = CreateSolidBrush(kBlitRed);
    FillRect(dc, &left, red);
    SelectObject(dc, first);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(mask);  // the icon keeps copies
    DeleteObject(image);

    Canvas canvas(8, 4, kBlitBlue);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(1, 1), kBlitRed);
    EXPECT_EQ(canvas.At(3, 1), kBlitBlue);
    EXPECT_EQ(canvas.At(5, 1), kBlitBlue);

    Canvas big(40, 40, kBlitBlue);
    ASSERT_TRUE(DrawIcon(big.Dc(), 0, 0, icon));  // drawn at the 32x32 icon size
    EXPECT_EQ(big.At(15, 20), kBlitRed);
    EXPECT_EQ(big.At(20, 20), kBlitBlue);

    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(icon, &back));
    BITMAP bm{};
    GetObject(back.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(back.xHotspot, 2u);
    DeleteObject(back.hbmMask);
    DeleteObject(back.hbmColor);

    Canvas state(8, 8, RGB(212, 208, 200));
    ASSERT_TRUE(DrawState(state.Dc(), nullptr, nullptr, LPARAM(icon), 0, 2, 2, 0, 0, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(state.At(2, 2), RGB(128, 128, 128));
    EXPECT_EQ(state.At(4, 3), RGB(255, 255, 255));  // the highlight one pixel down-right
    EXPECT_EQ(state.Count(kBlitRed), 0);

    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    DeleteObject(red);
    DeleteDC(dc);
}

TEST(PaletteTest, DefaultPaletteAndNearestColours)
{
    HPALETTE stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY entries[20] = {};
    EXPECT_EQ(GetPaletteEntries(stock, 0, 0, nullptr), 20u);
    ASSERT_EQ(GetPaletteEntries(stock, 0, 20, entries), 20u);
    EXPECT_EQ(entries[0].peRed, 0);
    EXPECT_EQ(entries[7].peRed, 192);
    EXPECT_EQ(entries[8].peGreen, 220);
    EXPECT_EQ(entries[19].peBlue, 255);
    EXPECT_EQ(GetNearestPaletteIndex(stock, RGB(250, 5, 5)), 13u);
    EXPECT_EQ(GetNearestPaletteIndex(stock, RGB(130, 130, 130)), 12u);

    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[2];
    } two = {0x300, 2, {{1, 2, 3, 0}, {200, 200, 200, 0}}};
    HPALETTE mine = CreatePalette(reinterpret_cast<LOGPALETTE*>(&two));
    ASSERT_NE(mine, nullptr);
    WORD count = 0;
    EXPECT_EQ(GetObject(mine, sizeof(count), &count), int(sizeof(WORD)));
    EXPECT_EQ(count, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectPalette(dc, mine, FALSE), stock);
    EXPECT_EQ(RealizePalette(dc), 0u);
    EXPECT_EQ(SelectPalette(dc, stock, FALSE), mine);
    DeleteDC(dc);
    DeleteObject(mine);
}

TEST(ImagingLibraryTest, BlendingCallsAreFoundInTheirLibrary)
{
    HMODULE library = LoadLibrary("msimg32.dll");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")), reinterpret_cast<void*>(&AlphaBlend));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, "TransparentBlt")),
              reinterpret_cast<void*>(&TransparentBlt));
    EXPECT_EQ(GetProcAddress(library, "NoSuchCall"), nullptr);
    FreeLibrary(library);
}

TEST(BmpFileTest, DibSectionsFromFilesKeepTheFilesDepthTableAndAlpha)
{
    // 8 bits with the grey table: depth and table survive, mapped to the system colours.
    const std::vector<uint8_t> greys = BlitGreyTableBmp();
    std::ofstream("table.bmp", std::ios::binary).write(reinterpret_cast<const char*>(greys.data()), greys.size());
    HBITMAP strip = static_cast<HBITMAP>(LoadImage(nullptr, "table.bmp", IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    ASSERT_NE(strip, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObject(strip, sizeof(bm), &bm), int(sizeof(bm)));
    EXPECT_EQ(bm.bmBitsPixel, 8);
    EXPECT_EQ(bm.bmWidthBytes, 4);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 4;
    info.header.biHeight = 1;
    info.header.biBitCount = 8;
    uint8_t indices[4] = {};
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, strip, 0, 1, indices, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 1);
    // Face and light are one colour in the classic scheme; each pixel keeps its index.
    EXPECT_EQ(indices[0], 0);
    EXPECT_EQ(indices[1], 1);
    EXPECT_EQ(indices[2], 2);
    EXPECT_EQ(indices[3], 3);
    EXPECT_EQ(info.colors[1].rgbRed, GetRValue(GetSysColor(COLOR_3DFACE)));
    EXPECT_EQ(info.colors[2].rgbRed, GetRValue(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_EQ(info.colors[3].rgbRed, 255);
    DeleteObject(strip);

    // 32 bits: the alpha bytes are kept for per-pixel blending.
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = 1;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const uint32_t pixel = 0x80800000;  // half-transparent red, premultiplied
    file.bfSize = file.bfOffBits + 4;
    std::ofstream out("alpha.bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(&pixel), 4);
    out.close();
    HBITMAP alpha = static_cast<HBITMAP>(
        LoadImage(nullptr, "alpha.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(alpha, nullptr);
    GetObject(alpha, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    ASSERT_NE(bm.bmBits, nullptr);
    EXPECT_EQ(*static_cast<uint32_t*>(bm.bmBits), pixel);
    SelectObject(dc, alpha);
    Canvas target(1, 1, RGB(0, 0, 200));
    BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(AlphaBlend(target.Dc(), 0, 0, 1, 1, dc, 0, 0, 1, 1, perPixel));
    EXPECT_EQ(target.At(0, 0), RGB(128, 0, 100));
    DeleteDC(dc);
    DeleteObject(alpha);
}

TEST(DibBitsTest, FourBitOutputUsesTheStandardColours)
{
    Canvas canvas(2, 1);
    canvas.Set(0, 0, RGB(250, 0, 0));
    canvas.Set(1, 0, RGB(0, 0, 120));
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[16];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 2;
    info.header.biHeight = 1;
    info.header.biBitCount = 4;
    uint8_t bits[4] = {};
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, canvas.Bitmap(), 0, 1, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 1);
    EXPECT_EQ(bits[0], 0x94);  // red (9), navy (4)
    EXPECT_EQ(info.colors[9].rgbRed, 255);
    EXPECT_EQ(info.header.biSizeImage, 4u);
    DeleteDC(dc);
}

namespace {

BOOL CALLBACK BlitStateBar(HDC hdc, LPARAM, WPARAM, int cx, int cy)
{
    RECT bar{0, cy / 2, cx, cy / 2 + 1};
    return FillRect(hdc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace

TEST(DrawStateTest, CallbackImagesDrawPlainOrDisabled)
{
    Canvas canvas(12, 12, RGB(212, 208, 200));
    ASSERT_TRUE(DrawState(canvas.Dc(), nullptr, BlitStateBar, 0, 0, 2, 2, 6, 6, DST_COMPLEX));
    EXPECT_EQ(canvas.At(2, 5), kBlitBlack);
    EXPECT_EQ(canvas.At(7, 5), kBlitBlack);
    EXPECT_EQ(canvas.At(8, 5), RGB(212, 208, 200));
    POINT origin{};
    GetViewportOrgEx(canvas.Dc(), &origin);
    EXPECT_EQ(origin.x, 0);

    canvas.Fill(RGB(212, 208, 200));
    ASSERT_TRUE(DrawState(canvas.Dc(), nullptr, BlitStateBar, 0, 0, 2, 2, 6, 6, DST_COMPLEX | DSS_DISABLED));
    EXPECT_EQ(canvas.At(2, 5), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(3, 6), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Count(kBlitBlack), 0);

    canvas.Fill(RGB(212, 208, 200));
    HBRUSH red = CreateSolidBrush(kBlitRed);
    ASSERT_TRUE(DrawState(canvas.Dc(), red, BlitStateBar, 0, 0, 2, 2, 6, 6, DST_COMPLEX | DSS_MONO));
    EXPECT_EQ(canvas.At(4, 5), kBlitRed);
    DeleteObject(red);
}

TEST(StretchBlitTest, ShrinkingFollowsTheStretchMode)
{
    // A 4x1 source: one black pixel among white, then a grey pair.
    Canvas source(4, 1);
    source.Set(1, 0, kBlitBlack);
    source.Set(2, 0, RGB(100, 100, 100));
    source.Set(3, 0, RGB(200, 200, 200));
    struct ModeCase {
        int mode;
        COLORREF first;   // from source pixels 0-1
        COLORREF second;  // from source pixels 2-3
    };
    const ModeCase cases[] = {
        {BLACKONWHITE, kBlitBlack, RGB(64, 64, 64)},  // 100 & 200 per channel
        {WHITEONBLACK, kBlitWhite, RGB(236, 236, 236)},
        {HALFTONE, RGB(127, 127, 127), RGB(150, 150, 150)},
    };
    for (const ModeCase& c : cases) {
        Canvas target(2, 1, kBlitRed);
        SetStretchBltMode(target.Dc(), c.mode);
        ASSERT_TRUE(StretchBlt(target.Dc(), 0, 0, 2, 1, source.Dc(), 0, 0, 4, 1, SRCCOPY));
        EXPECT_EQ(target.At(0, 0), c.first) << c.mode;
        EXPECT_EQ(target.At(1, 0), c.second) << c.mode;
    }
    Canvas dropped(2, 1, kBlitRed);
    SetStretchBltMode(dropped.Dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dropped.Dc(), 0, 0, 2, 1, source.Dc(), 0, 0, 4, 1, SRCCOPY));
    EXPECT_TRUE(dropped.At(0, 0) == kBlitWhite || dropped.At(0, 0) == kBlitBlack);
}
