#include "platform/comctl/PixelBlock.h"

#include <cstring>

namespace tw::comctl {

namespace {
BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
}  // namespace

PixelBlock::PixelBlock(int width, int height) : width_(width), height_(height)
{
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_)
        return;
    dc_ = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
}

PixelBlock::~PixelBlock()
{
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
}

bool PixelBlock::ReadFrom(HDC dc, int x, int y)
{
    return Valid() && BitBlt(dc_, 0, 0, width_, height_, dc, x, y, SRCCOPY);
}

bool PixelBlock::WriteTo(HDC dc, int x, int y)
{
    return Valid() && BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

bool ReadBitmapPixels(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& pixels)
{
    BITMAP bm{};
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    pixels.assign(size_t(width) * height, 0);
    // Room for a colour table after the header, which GetDIBits may fill.
    struct {
        BITMAPINFO info;
        RGBQUAD more[255];
    } buffer{};
    buffer.info = TopDownInfo(width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &buffer.info, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == height;
}

HBITMAP MakeBitmapFromPixels(int width, int height, const std::vector<uint32_t>& pixels)
{
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits && pixels.size() >= size_t(width) * height)
        std::memcpy(bits, pixels.data(), size_t(width) * height * 4);
    return bitmap;
}

}  // namespace tw::comctl
