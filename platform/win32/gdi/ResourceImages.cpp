#include "platform/win32/gdi/ResourceImages.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/resource/DibImage.h"
#include "platform/win32/resource/IconGroupResource.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

namespace tw::gdi {
namespace {

// Bytes of the colour table that follows a DIB header.
size_t ResourceColorTableBytes(const BITMAPINFOHEADER& header)
{
    if (header.biCompression == BI_BITFIELDS)
        return 3 * sizeof(DWORD);
    if (header.biBitCount > 8)
        return header.biClrUsed * sizeof(RGBQUAD);
    const DWORD colors = header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount);
    return colors * sizeof(RGBQUAD);
}

const res::IconGroupEntry* ResourceBestEntry(const res::IconGroup& group, int cx, int cy)
{
    const res::IconGroupEntry* best = nullptr;
    long bestScore = 0;
    for (const auto& entry : group.entries) {
        const int height = group.type == res::kGroupTypeCursor ? entry.height / 2 : entry.height;
        const long score = std::labs(long(entry.width) - cx) + std::labs(long(height) - cy);
        // Nearest size first, then the deeper colour.
        if (!best || score < bestScore || (score == bestScore && entry.bitCount > best->bitCount)) {
            best = &entry;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace

std::vector<uint8_t> ResourceBitmapFile(HINSTANCE module, LPCSTR name)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!FindResourceBytes(module, name, RT_BITMAP, &data, &size) || size < sizeof(BITMAPINFOHEADER))
        return {};
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof(header));
    const size_t offBits = sizeof(BITMAPFILEHEADER) + header.biSize + ResourceColorTableBytes(header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || offBits - sizeof(BITMAPFILEHEADER) > size)
        return {};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = DWORD(sizeof(file) + size);
    file.bfOffBits = DWORD(offBits);
    std::vector<uint8_t> bytes(sizeof(file) + size);
    std::memcpy(bytes.data(), &file, sizeof(file));
    std::memcpy(bytes.data() + sizeof(file), data, size);
    return bytes;
}

HICON ResourceIcon(HINSTANCE module, LPCSTR name, bool cursor, int cx, int cy)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!FindResourceBytes(module, name, cursor ? RT_GROUP_CURSOR : RT_GROUP_ICON, &data, &size))
        return nullptr;
    const auto group = res::ParseIconGroup(data, size);
    if (!group || group->entries.empty())
        return nullptr;
    const res::IconGroupEntry* entry = &group->entries.front();
    if (cx > 0 || cy > 0)
        entry = ResourceBestEntry(*group, cx, cy);
    if (!FindResourceBytes(module, MAKEINTRESOURCE(entry->id), cursor ? RT_CURSOR : RT_ICON, &data, &size))
        return nullptr;
    const auto image = res::DecodeDib(data, size, cursor ? res::DibKind::CursorImage : res::DibKind::IconImage);
    if (!image || image->width <= 0 || image->height <= 0)
        return nullptr;
    const int width = cx > 0 ? cx : image->width;
    const int height = cy > 0 ? cy : image->height;

    std::lock_guard lock(GdiLock());
    auto icon = std::make_shared<IconObject>();
    icon->isIcon = !cursor;
    icon->hotX = cursor ? DWORD(image->hotSpot.x * width / image->width) : DWORD(width / 2);
    icon->hotY = cursor ? DWORD(image->hotSpot.y * height / image->height) : DWORD(height / 2);
    icon->mask = MakeBitmap(width, height, 1);
    icon->color = MakeBitmap(width, height, 32);
    const Surface mask = icon->mask->GetSurface();
    const Surface color = icon->color->GetSurface();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t argb = image->At(x * image->width / width, y * image->height / height);
            // The platform's AND/XOR pair: white mask and black image where the icon is clear.
            const bool opaque = (argb >> 24) >= 0x80;
            mask.At(x, y) = opaque ? 0x000000 : 0xFFFFFF;
            color.At(x, y) = opaque ? (argb & 0xFFFFFF) : 0x000000;
        }
    }
    return HICON(AddObject(icon));
}

}  // namespace tw::gdi
