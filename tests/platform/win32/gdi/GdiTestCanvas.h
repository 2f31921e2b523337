// A memory DC over a top-down 32-bit DIB section whose pixels a test reads
// directly, and helpers for comparing them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/gdi/windraw.h"
#include "platform/win32/gdi/wingdi.h"

namespace gditest {

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;
    void Set(int x, int y, COLORREF color);
    void Fill(COLORREF color);
    // Pixels of the given colour, as "x,y" strings in row order.
    std::vector<std::string> PixelsOf(COLORREF color) const;
    int Count(COLORREF color) const;
    // The bounding box of pixels that are not `background`; empty when none.
    RECT BoundsOfNot(COLORREF background) const;
    // Rows as text: '#' for `ink`, '.' for anything else.
    std::string Picture(COLORREF ink) const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    uint32_t* bits_;
};

}  // namespace gditest
