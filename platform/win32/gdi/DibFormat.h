// Reading and writing device-independent pixel rows (1, 4, 8, 16, 24 and
// 32 bits per pixel) as 0x00RRGGBB pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32/gdi/wingdi.h"

namespace tw::gdi {

class DibFormat {
public:
    // False for a layout we cannot read (compressed, odd masks, bad sizes).
    bool Parse(const BITMAPINFO* info, UINT usage);
    int Width() const { return width_; }
    int Height() const { return height_; }  // always positive
    bool TopDown() const { return topDown_; }
    int BitCount() const { return bitCount_; }
    size_t RowBytes() const { return RowBytesFor(width_, bitCount_); }
    // Row y counted from the top of the image.
    const uint8_t* RowAt(const void* bits, int y) const;
    void ReadRow(const uint8_t* row, uint32_t* out) const;
    // Alpha bytes of a 32-bit row kept as they are (others get 0).
    void ReadRowWithAlpha(const uint8_t* row, uint32_t* out) const;

    // The colour table of a depth of 8 bits or fewer (0x00RRGGBB entries).
    const std::vector<uint32_t>& Colors() const { return colors_; }

    static size_t RowBytesFor(int width, int bitCount) { return ((size_t(width) * bitCount + 31) / 32) * 4; }
    // The table a bitmap without its own gets at 4 or 8 bits: the 16 standard
    // colours, or the 20 static colours around a 6x6x6 cube.
    static std::vector<uint32_t> DefaultTable(int bitCount);
    // Writes pixels as indices into the table (the nearest entry), 1, 4 or 8
    // bits; a pixel whose hinted index still holds its colour keeps that index.
    static void WriteIndexedRow(const uint32_t* pixels, int width, int bitCount, const std::vector<uint32_t>& table,
                                uint8_t* out, const uint8_t* hints = nullptr);
    // The index of each pixel of row y (from the top), for 8 bits or fewer.
    void ReadRowIndices(const uint8_t* row, uint8_t* out) const;
    // Writes pixels as a row of bitCount bits (1, 24 or 32), with black and white for 1 bit.
    static void WriteRow(const uint32_t* pixels, int width, int bitCount, uint8_t* out);

private:
    int width_ = 0;
    int height_ = 0;
    bool topDown_ = false;
    int bitCount_ = 0;
    DWORD masks_[3] = {0, 0, 0};
    std::vector<uint32_t> colors_;
};

}  // namespace tw::gdi
