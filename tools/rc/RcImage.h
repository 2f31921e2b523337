// Images in our reviewable text form, compiled to the platform's device-
// independent bitmaps. The format (documented in resources/README.md):
//
//   // a comment line
//   image 16 15            one image of this width and height
//   bits 4                 optional: 1, 4, 8 or 24 (else the smallest that fits)
//   hotspot 0 0            cursors only
//   palette
//   . transparent          icons and cursors: the mask shows through
//   k #000000              one character per colour
//   pixels
//   ....kkkk........       height rows of width characters, top row first
//
// An icon or cursor file may hold several images (sizes) one after another.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/windef.h"
#include "tools/rc/RcError.h"

namespace tw::rc {

struct RcImage {
    int width = 0;
    int height = 0;
    int bits = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB in declared order
    std::vector<bool> transparentEntry;
    std::vector<int> pixels;        // palette indices, top row first
    bool HasMask() const;
};

// Throws RcError with the image file's own line numbers.
std::vector<RcImage> ParseImageText(const std::string& text, const std::string& fileName);
std::vector<RcImage> ReadImageFile(const std::string& path);

// BITMAPINFOHEADER, a full palette for 1/4/8 bits, then the rows bottom-up,
// each padded to four bytes.
std::vector<BYTE> ImageToDib(const RcImage& image);
// The same with the height doubled and the 1-bit AND mask after the colours,
// as icon and cursor images are stored.
std::vector<BYTE> ImageToIconDib(const RcImage& image);

}  // namespace tw::rc
