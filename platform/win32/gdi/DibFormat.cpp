#include "platform/win32/gdi/DibFormat.h"

#include <cstring>
#include <iterator>

namespace tw::gdi {

namespace {

int DibMaskShift(DWORD mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

uint32_t DibMaskChannel(uint32_t value, DWORD mask)
{
    if (!mask)
        return 0;
    const uint32_t raw = (value & mask) >> DibMaskShift(mask);
    const uint32_t max = mask >> DibMaskShift(mask);
    return max ? raw * 255 / max : 0;
}

}  // namespace

bool DibFormat::Parse(const BITMAPINFO* info, UINT usage)
{
    if (!info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1)
        return false;
    width_ = h.biWidth;
    topDown_ = h.biHeight < 0;
    height_ = topDown_ ? -h.biHeight : h.biHeight;
    bitCount_ = h.biBitCount;
    const auto* tableStart = reinterpret_cast<const uint8_t*>(info) + h.biSize;
    if (h.biCompression == BI_BITFIELDS) {
        if (bitCount_ != 16 && bitCount_ != 32)
            return false;
        std::memcpy(masks_, tableStart, sizeof(masks_));
    } else if (h.biCompression != BI_RGB) {
        return false;
    } else if (bitCount_ == 16) {
        masks_[0] = 0x7C00;
        masks_[1] = 0x03E0;
        masks_[2] = 0x001F;
    } else if (bitCount_ == 32) {
        masks_[0] = 0xFF0000;
        masks_[1] = 0x00FF00;
        masks_[2] = 0x0000FF;
    }
    colors_.clear();
    if (bitCount_ == 1 || bitCount_ == 4 || bitCount_ == 8) {
        const DWORD count = h.biClrUsed ? h.biClrUsed : (1u << bitCount_);
        if (count > (1u << bitCount_))
            return false;
        if (usage != DIB_RGB_COLORS)
            return false;  // palette-index tables only make sense with a realised palette
        const auto* quads = reinterpret_cast<const RGBQUAD*>(tableStart);
        for (DWORD i = 0; i < count; ++i)
            colors_.push_back((uint32_t(quads[i].rgbRed) << 16) | (uint32_t(quads[i].rgbGreen) << 8) |
                              quads[i].rgbBlue);
        colors_.resize(size_t(1) << bitCount_, 0);
        return true;
    }
    return bitCount_ == 16 || bitCount_ == 24 || bitCount_ == 32;
}

const uint8_t* DibFormat::RowAt(const void* bits, int y) const
{
    const int stored = topDown_ ? y : height_ - 1 - y;
    return static_cast<const uint8_t*>(bits) + size_t(stored) * RowBytes();
}

void DibFormat::ReadRow(const uint8_t* row, uint32_t* out) const
{
    ReadRowWithAlpha(row, out);
    for (int x = 0; x < width_; ++x)
        out[x] &= 0xFFFFFF;
}

void DibFormat::ReadRowWithAlpha(const uint8_t* row, uint32_t* out) const
{
    for (int x = 0; x < width_; ++x) {
        switch (bitCount_) {
        case 1: out[x] = colors_[(row[x / 8] >> (7 - x % 8)) & 1]; break;
        case 4: out[x] = colors_[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
        case 8: out[x] = colors_[row[x]]; break;
        case 16: {
            const uint32_t v = row[2 * x] | (uint32_t(row[2 * x + 1]) << 8);
            out[x] = (DibMaskChannel(v, masks_[0]) << 16) | (DibMaskChannel(v, masks_[1]) << 8) |
                     DibMaskChannel(v, masks_[2]);
            break;
        }
        case 24: out[x] = (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x]; break;
        case 32: {
            uint32_t v;
            std::memcpy(&v, row + 4 * x, 4);
            out[x] = (DibMaskChannel(v, masks_[0]) << 16) | (DibMaskChannel(v, masks_[1]) << 8) |
                     DibMaskChannel(v, masks_[2]) | (v & 0xFF000000u);
            break;
        }
        default: out[x] = 0;
        }
    }
}

void DibFormat::WriteRow(const uint32_t* pixels, int width, int bitCount, uint8_t* out)
{
    std::memset(out, 0, RowBytesFor(width, bitCount));
    for (int x = 0; x < width; ++x) {
        const uint32_t p = pixels[x];
        switch (bitCount) {
        case 1:
            if ((p & 0xFFFFFF) == 0xFFFFFF)
                out[x / 8] |= uint8_t(0x80 >> (x % 8));
            break;
        case 24:
            out[3 * x] = uint8_t(p);
            out[3 * x + 1] = uint8_t(p >> 8);
            out[3 * x + 2] = uint8_t(p >> 16);
            break;
        case 32: std::memcpy(out + 4 * x, &p, 4); break;
        default: break;
        }
    }
}

std::vector<uint32_t> DibFormat::DefaultTable(int bitCount)
{
    static constexpr uint32_t kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                 0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    static constexpr uint32_t kStatic20[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                                               0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
                                               0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (bitCount == 1)
        return {0x000000, 0xFFFFFF};
    if (bitCount == 4)
        return std::vector<uint32_t>(std::begin(kStandard16), std::end(kStandard16));
    std::vector<uint32_t> table(256, 0);
    for (int i = 0; i < 10; ++i) {
        table[i] = kStatic20[i];
        table[246 + i] = kStatic20[10 + i];
    }
    int index = 10;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table[index++] = (uint32_t(r * 51) << 16) | (uint32_t(g * 51) << 8) | uint32_t(b * 51);
    return table;
}

void DibFormat::ReadRowIndices(const uint8_t* row, uint8_t* out) const
{
    for (int x = 0; x < width_; ++x) {
        switch (bitCount_) {
        case 1: out[x] = (row[x / 8] >> (7 - x % 8)) & 1; break;
        case 4: out[x] = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF; break;
        case 8: out[x] = row[x]; break;
        default: out[x] = 0;
        }
    }
}

void DibFormat::WriteIndexedRow(const uint32_t* pixels, int width, int bitCount, const std::vector<uint32_t>& table,
                                uint8_t* out, const uint8_t* hints)
{
    std::memset(out, 0, RowBytesFor(width, bitCount));
    uint32_t lastPixel = 0xFFFFFFFF;
    int lastIndex = 0;
    for (int x = 0; x < width; ++x) {
        const uint32_t p = pixels[x] & 0xFFFFFF;
        if (hints && hints[x] < table.size() && table[hints[x]] == p) {
            lastIndex = hints[x];
            lastPixel = 0xFFFFFFFF;
        } else if (p != lastPixel) {
            long best = -1;
            for (size_t i = 0; i < table.size(); ++i) {
                const long dr = long((table[i] >> 16) & 0xFF) - long((p >> 16) & 0xFF);
                const long dg = long((table[i] >> 8) & 0xFF) - long((p >> 8) & 0xFF);
                const long db = long(table[i] & 0xFF) - long(p & 0xFF);
                const long distance = dr * dr + dg * dg + db * db;
                if (best < 0 || distance < best) {
                    best = distance;
                    lastIndex = int(i);
                }
            }
            lastPixel = p;
        }
        if (bitCount == 1)
            out[x / 8] |= uint8_t((lastIndex & 1) << (7 - x % 8));
        else if (bitCount == 8)
            out[x] = uint8_t(lastIndex);
        else
            out[x / 2] |= uint8_t((lastIndex & 0xF) << (x % 2 ? 0 : 4));
    }
}

}  // namespace tw::gdi
