// Test pictures for the image strips: rows of characters, each a colour of a
// small palette, written as BMP files of a chosen depth, and a 32-bit canvas
// the strips draw into.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/win32/gdi/wingdi.h"

namespace striptest {

using Palette = std::map<char, COLORREF>;

// Writes rows (top first) at 4, 24 or 32 bits; at 32 bits `alpha` gives each
// character's alpha (255 when missing).
bool WriteBmp(const std::string& path, const std::vector<std::string>& rows, const Palette& palette, int bits,
              const std::map<char, BYTE>& alpha = {});

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC* Dc() { return &cdc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    void Fill(COLORREF clr);
    // The block at (x, y) as rows of palette characters; '?' for colours not in it.
    std::vector<std::string> Read(int x, int y, int cx, int cy, const Palette& palette) const;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    int width_, height_;
    CDC cdc_;
};

}  // namespace striptest
