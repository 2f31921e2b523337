// Decodes the device-independent bitmaps of BITMAP, ICON and CURSOR
// resources (BI_RGB, 1/4/8/24/32 bits) into top-down 0xAARRGGBB pixels, the
// form the drawing layer builds its bitmaps and icons from.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

struct DibImage {
    int width = 0;
    int height = 0;   // of the picture, without an icon's mask
    int bitCount = 0;
    bool hasMask = false;
    POINT hotSpot{0, 0};            // cursors
    std::vector<uint32_t> palette;  // 0x00RRGGBB, as stored
    std::vector<uint32_t> pixels;   // 0xAARRGGBB, top row first; masked pixels have alpha 0

    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

enum class DibKind {
    Bitmap,       // RT_BITMAP: the header, palette and rows
    IconImage,    // RT_ICON: the same with the height doubled and an AND mask
    CursorImage,  // RT_CURSOR: the hot spot, then an icon image
};

// nullopt for a layout it does not read or data cut short.
std::optional<DibImage> DecodeDib(const void* data, size_t size, DibKind kind);

}  // namespace tw::res
