// A block of 32-bit pixels (0xAARRGGBB words, rows top-down) read from and
// written back to a device context through a DIB section, so image-list
// drawing can mix its pixels with what is already there exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32/gdi/wingdi.h"

namespace tw::comctl {

class PixelBlock {
public:
    PixelBlock(int width, int height);
    ~PixelBlock();
    PixelBlock(const PixelBlock&) = delete;
    PixelBlock& operator=(const PixelBlock&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t& At(int x, int y) { return bits_[size_t(y) * width_ + x]; }

    // Copies the destination's pixels at (x, y) in, or this block out to it.
    bool ReadFrom(HDC dc, int x, int y);
    bool WriteTo(HDC dc, int x, int y);
    HDC Dc() const { return dc_; }

private:
    int width_;
    int height_;
    uint32_t* bits_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HDC dc_ = nullptr;
};

// Reads a bitmap's pixels (any depth) as top-down 0xAARRGGBB words.
bool ReadBitmapPixels(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& pixels);
// A 32-bit top-down DIB section holding the pixels.
HBITMAP MakeBitmapFromPixels(int width, int height, const std::vector<uint32_t>& pixels);

inline uint32_t PixelFromColor(COLORREF color)
{
    return (uint32_t(GetRValue(color)) << 16) | (uint32_t(GetGValue(color)) << 8) | GetBValue(color);
}

}  // namespace tw::comctl
