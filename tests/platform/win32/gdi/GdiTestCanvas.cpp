#include "GdiTestCanvas.h"

#include <algorithm>

namespace gditest {

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

Canvas::~Canvas()
{
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

COLORREF Canvas::At(int x, int y) const
{
    const uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Canvas::Set(int x, int y, COLORREF color)
{
    bits_[y * width_ + x] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

void Canvas::Fill(COLORREF color)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            Set(x, y, color);
}

std::vector<std::string> Canvas::PixelsOf(COLORREF color) const
{
    std::vector<std::string> found;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (At(x, y) == color)
                found.push_back(std::to_string(x) + "," + std::to_string(y));
    return found;
}

int Canvas::Count(COLORREF color) const { return int(PixelsOf(color).size()); }

RECT Canvas::BoundsOfNot(COLORREF background) const
{
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (At(x, y) == background)
                continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    if (box.right == 0)
        return RECT{0, 0, 0, 0};
    return box;
}

std::string Canvas::Picture(COLORREF ink) const
{
    std::string text;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            text += At(x, y) == ink ? '#' : '.';
        text += '\n';
    }
    return text;
}

}  // namespace gditest
