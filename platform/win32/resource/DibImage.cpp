#include "platform/win32/resource/DibImage.h"

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

namespace dib_detail {

constexpr DWORD kInfoHeaderSize = 40;
constexpr int kMaxDimension = 16384;

size_t RowBytes(int width, int bits)
{
    return ((size_t(width) * bits + 31) / 32) * 4;
}

uint32_t ColourIndexAt(const BYTE* row, int x, int bits)
{
    const size_t bit = size_t(x) * bits;
    const int shift = 8 - bits - int(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}

uint32_t PixelAt(const BYTE* row, int x, int bits, const std::vector<uint32_t>& palette)
{
    if (bits == 24)
        return 0xFF000000u | (uint32_t(row[x * 3 + 2]) << 16) | (uint32_t(row[x * 3 + 1]) << 8) | row[x * 3];
    if (bits == 32)
        return 0xFF000000u | (uint32_t(row[x * 4 + 2]) << 16) | (uint32_t(row[x * 4 + 1]) << 8) | row[x * 4];
    const uint32_t index = ColourIndexAt(row, x, bits);
    return 0xFF000000u | (index < palette.size() ? palette[index] : 0);
}

}  // namespace dib_detail

std::optional<DibImage> DecodeDib(const void* data, size_t size, DibKind kind)
{
    using namespace dib_detail;
    if (!data)
        return std::nullopt;
    ByteReader in(data, size);
    DibImage image;
    if (kind == DibKind::CursorImage) {
        image.hotSpot.x = static_cast<short>(in.Word());
        image.hotSpot.y = static_cast<short>(in.Word());
    }
    const DWORD headerSize = in.Dword();
    const auto width = static_cast<int32_t>(in.Dword());
    auto storedHeight = static_cast<int32_t>(in.Dword());
    const WORD planes = in.Word();
    const WORD bits = in.Word();
    const DWORD compression = in.Dword();
    in.Skip(12);  // image size and resolution
    const DWORD coloursUsed = in.Dword();
    in.Skip(4);
    const bool iconLike = kind != DibKind::Bitmap;
    if (!in.Ok() || headerSize < kInfoHeaderSize || planes != 1 || compression != 0)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    // A negative height is a top-down bitmap; icons are always bottom-up.
    const bool topDown = storedHeight < 0 && !iconLike;
    if (topDown)
        storedHeight = -storedHeight;
    const int height = iconLike ? storedHeight / 2 : storedHeight;
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension)
        return std::nullopt;
    in.Skip(headerSize - kInfoHeaderSize);
    image.width = width;
    image.height = height;
    image.bitCount = bits;
    if (bits <= 8) {
        const size_t entries = coloursUsed && coloursUsed < (1u << bits) ? coloursUsed : (1u << bits);
        for (size_t i = 0; i < entries; ++i) {
            const DWORD quad = in.Dword();
            image.palette.push_back(quad & 0x00FFFFFF);
        }
    }
    const size_t colourRow = RowBytes(width, bits);
    const size_t maskRow = RowBytes(width, 1);
    const size_t colourSize = colourRow * height;
    if (!in.Ok() || in.Remaining() < colourSize + (iconLike ? maskRow * height : 0))
        return std::nullopt;
    const BYTE* colours = static_cast<const BYTE*>(data) + in.Offset();
    const BYTE* mask = iconLike ? colours + colourSize : nullptr;
    image.hasMask = iconLike;
    image.pixels.resize(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const int storedRow = topDown ? y : height - 1 - y;
        const BYTE* row = colours + colourRow * storedRow;
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = PixelAt(row, x, bits, image.palette);
            if (mask && ColourIndexAt(mask + maskRow * storedRow, x, 1))
                pixel &= 0x00FFFFFF;
            image.pixels[size_t(y) * width + x] = pixel;
        }
    }
    return image;
}

}  // namespace tw::res
