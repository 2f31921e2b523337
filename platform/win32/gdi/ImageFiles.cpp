// Bitmaps from and to BMP files, LoadImage and CopyImage.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/gdi/DibFormat.h"
#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/ResourceImages.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/gdi/windraw.h"

using tw::gdi::BitmapObject;
using tw::gdi::DibFormat;

namespace {

bool ImageReadFile(const char* path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The grey shades of old 3-D images, swapped for the current system colours.
uint32_t ImageMap3D(uint32_t rgb)
{
    auto toPixel = [](COLORREF c) { return tw::gdi::ColorToPixel(c); };
    switch (rgb & 0xFFFFFF) {
    case 0x808080: return toPixel(GetSysColor(COLOR_3DSHADOW));
    case 0xC0C0C0: return toPixel(GetSysColor(COLOR_3DFACE));
    case 0xDFDFDF: return toPixel(GetSysColor(COLOR_3DLIGHT));
    default: return rgb;
    }
}

std::shared_ptr<BitmapObject> ImageDecodeBmp(const std::vector<uint8_t>& bytes, UINT flags)
{
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPFILEHEADER file;
    std::memcpy(&file, bytes.data(), sizeof(file));
    if (file.bfType != 0x4D42 || file.bfOffBits >= bytes.size())
        return nullptr;
    // The header follows the 14-byte file header, so it is read by copy, never in place.
    BITMAPINFOHEADER infoHeader;
    std::memcpy(&infoHeader, bytes.data() + sizeof(BITMAPFILEHEADER), sizeof(infoHeader));
    if (infoHeader.biSize < sizeof(BITMAPINFOHEADER) || sizeof(BITMAPFILEHEADER) + infoHeader.biSize > bytes.size())
        return nullptr;
    // The pixels cannot start inside the headers.
    if (file.bfOffBits < sizeof(BITMAPFILEHEADER) + infoHeader.biSize)
        return nullptr;
    // The colour table is read from a copy, so a short file cannot be read past.
    std::vector<uint8_t> header(bytes.begin() + sizeof(BITMAPFILEHEADER), bytes.begin() + file.bfOffBits);
    header.resize(std::max<size_t>(header.size(), sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)), 0);
    auto* headerInfo = reinterpret_cast<BITMAPINFO*>(header.data());
    headerInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    if (infoHeader.biSize > sizeof(BITMAPINFOHEADER)) {
        // Newer headers: keep the common part, with the table after the full header.
        std::memmove(header.data() + sizeof(BITMAPINFOHEADER), header.data() + infoHeader.biSize,
                     header.size() - infoHeader.biSize);
    }
    DibFormat format;
    if (!format.Parse(headerInfo, DIB_RGB_COLORS))
        return nullptr;
    const size_t needed = format.RowBytes() * size_t(format.Height());
    if (bytes.size() - file.bfOffBits < needed)
        return nullptr;
    // Only colour tables are mapped: images of more than 8 bits keep their greys.
    if ((flags & LR_LOADMAP3DCOLORS) && format.BitCount() <= 8) {
        auto* quads = reinterpret_cast<RGBQUAD*>(header.data() + sizeof(BITMAPINFOHEADER));
        for (int i = 0; i < (1 << format.BitCount()); ++i) {
            const uint32_t mapped =
                ImageMap3D((uint32_t(quads[i].rgbRed) << 16) | (uint32_t(quads[i].rgbGreen) << 8) | quads[i].rgbBlue);
            quads[i] = RGBQUAD{uint8_t(mapped), uint8_t(mapped >> 8), uint8_t(mapped >> 16), 0};
        }
        format.Parse(headerInfo, DIB_RGB_COLORS);
    }
    const bool mono = format.BitCount() == 1 && !(flags & LR_CREATEDIBSECTION);
    auto bitmap = tw::gdi::MakeBitmap(format.Width(), format.Height(), mono ? 1 : 32);
    if (flags & LR_CREATEDIBSECTION) {
        // A DIB section keeps the file's depth, colour table and alpha.
        bitmap->isDibSection = true;
        bitmap->topDown = false;
        bitmap->dibBits.assign(size_t(format.Width()) * format.Height() * 4, 0);
        bitmap->pixels.clear();
        bitmap->dibBitsReported = format.BitCount();
        bitmap->colorTable = format.Colors();
        if (format.BitCount() <= 8) {
            bitmap->tableIndices.resize(size_t(format.Width()) * format.Height());
            for (int y = 0; y < format.Height(); ++y)
                format.ReadRowIndices(format.RowAt(bytes.data() + file.bfOffBits, y),
                                      &bitmap->tableIndices[size_t(y) * format.Width()]);
        }
    }
    const tw::gdi::Surface surface = bitmap->GetSurface();
    std::vector<uint32_t> row(format.Width());
    const uint8_t* bits = bytes.data() + file.bfOffBits;
    for (int y = 0; y < format.Height(); ++y) {
        if (bitmap->isDibSection && format.BitCount() == 32)
            format.ReadRowWithAlpha(format.RowAt(bits, y), row.data());
        else
            format.ReadRow(format.RowAt(bits, y), row.data());
        for (int x = 0; x < format.Width(); ++x) {
            uint32_t p = row[x];
            surface.At(x, y) = mono ? tw::gdi::NearestMonoPixel(p) : p;
        }
    }
    if (flags & LR_LOADTRANSPARENT) {
        // The colour of the first pixel becomes the window colour.
        const uint32_t key = surface.At(0, 0) & 0xFFFFFF;
        const uint32_t window = tw::gdi::ColorToPixel(GetSysColor(COLOR_WINDOW));
        for (int y = 0; y < format.Height(); ++y)
            for (int x = 0; x < format.Width(); ++x)
                if ((surface.At(x, y) & 0xFFFFFF) == key)
                    surface.At(x, y) = window;
    }
    return bitmap;
}

std::shared_ptr<BitmapObject> ImageScaled(const BitmapObject& source, int width, int height)
{
    auto scaled = tw::gdi::MakeBitmap(width, height, source.bitsPixel);
    auto& from = const_cast<BitmapObject&>(source);
    const tw::gdi::Surface s = from.GetSurface();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            scaled->pixels[size_t(y) * width + x] = s.At(x * source.width / width, y * source.height / height);
    return scaled;
}

}  // namespace

namespace {

// LR_SHARED images: one handle per module, name, type and size for the whole run.
struct ImageSharedKey {
    HINSTANCE module;
    std::string name;  // "#id" for an integer resource
    UINT type;
    int cx, cy;
    bool operator<(const ImageSharedKey& o) const
    {
        return std::tie(module, name, type, cx, cy) < std::tie(o.module, o.name, o.type, o.cx, o.cy);
    }
};

std::map<ImageSharedKey, HANDLE>& ImageSharedCache()
{
    static std::map<ImageSharedKey, HANDLE> cache;
    return cache;
}

std::string ImageResourceKey(LPCSTR name)
{
    return IS_INTRESOURCE(name) ? "#" + std::to_string(LOWORD(name)) : std::string(name);
}

HANDLE ImageFromBmpBytes(const std::vector<uint8_t>& bytes, int cx, int cy, UINT fuLoad)
{
    auto bitmap = ImageDecodeBmp(bytes, fuLoad);
    if (!bitmap)
        return nullptr;
    if ((cx > 0 && cx != bitmap->width) || (cy > 0 && cy != bitmap->height))
        bitmap = ImageScaled(*bitmap, cx > 0 ? cx : bitmap->width, cy > 0 ? cy : bitmap->height);
    return tw::gdi::AddObject(bitmap);
}

HANDLE ImageFromResource(HINSTANCE module, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    if (type == IMAGE_BITMAP) {
        const std::vector<uint8_t> bytes = tw::gdi::ResourceBitmapFile(module, name);
        return bytes.empty() ? nullptr : ImageFromBmpBytes(bytes, cx, cy, fuLoad);
    }
    if (type != IMAGE_ICON && type != IMAGE_CURSOR)
        return nullptr;
    if (fuLoad & LR_DEFAULTSIZE) {
        const bool icon = type == IMAGE_ICON;
        cx = cx ? cx : GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR);
        cy = cy ? cy : GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR);
    }
    return tw::gdi::ResourceIcon(module, name, type == IMAGE_CURSOR, cx, cy);
}

}  // namespace

HANDLE LoadImage(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    if (!name)
        return nullptr;
    std::lock_guard lock(tw::gdi::GdiLock());
    if (fuLoad & LR_LOADFROMFILE) {
        // Only BMP files are read from disk; icon and cursor files are not.
        if (IS_INTRESOURCE(name) || type != IMAGE_BITMAP)
            return nullptr;
        std::vector<uint8_t> bytes;
        if (!ImageReadFile(name, bytes))
            return nullptr;
        return ImageFromBmpBytes(bytes, cx, cy, fuLoad);
    }
    if (!(fuLoad & LR_SHARED))
        return ImageFromResource(hInst, name, type, cx, cy, fuLoad);
    const ImageSharedKey key{hInst ? hInst : tw::ProgramInstance(), ImageResourceKey(name), type, cx, cy};
    auto& cache = ImageSharedCache();
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    HANDLE image = ImageFromResource(hInst, name, type, cx, cy, fuLoad);
    if (image)
        cache.emplace(key, image);
    return image;
}

HBITMAP LoadBitmap(HINSTANCE hInstance, LPCSTR lpBitmapName)
{
    return static_cast<HBITMAP>(LoadImage(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0));
}

HICON LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName)
{
    // The platform's own icons (a NULL instance) are not kept here.
    if (!hInstance)
        return nullptr;
    return static_cast<HICON>(LoadImage(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HANDLE CopyImage(HANDLE h, UINT type, int cx, int cy, UINT flags)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
        if (cx || cy)
            return nullptr;  // resized icons are not made here
        HICON copy = CopyIcon(static_cast<HICON>(h));
        if (copy && (flags & LR_COPYDELETEORG))
            DestroyIcon(static_cast<HICON>(h));
        return copy;
    }
    if (type != IMAGE_BITMAP)
        return nullptr;
    auto bitmap = tw::gdi::FindObjectAs<BitmapObject>(h, OBJ_BITMAP);
    if (!bitmap)
        return nullptr;
    std::shared_ptr<BitmapObject> copy;
    if ((cx > 0 && cx != bitmap->width) || (cy > 0 && cy != bitmap->height))
        copy = ImageScaled(*bitmap, cx > 0 ? cx : bitmap->width, cy > 0 ? cy : bitmap->height);
    else
        copy = tw::gdi::CopyBitmap(*bitmap);
    if (flags & LR_MONOCHROME) {
        copy->bitsPixel = 1;
        for (uint32_t& p : copy->pixels)
            p = tw::gdi::NearestMonoPixel(p & 0xFFFFFF);
    }
    if (flags & LR_CREATEDIBSECTION && !copy->isDibSection && !copy->IsMono()) {
        copy->isDibSection = true;
        copy->topDown = false;
        copy->dibBits.assign(copy->pixels.size() * 4, 0);
        auto* words = reinterpret_cast<uint32_t*>(copy->dibBits.data());
        for (int y = 0; y < copy->height; ++y)
            std::memcpy(words + size_t(copy->height - 1 - y) * copy->width, &copy->pixels[size_t(y) * copy->width],
                        size_t(copy->width) * 4);
        copy->pixels.clear();
    }
    HANDLE result = tw::gdi::AddObject(copy);
    if (flags & LR_COPYDELETEORG)
        DeleteObject(h);
    return result;
}

namespace tw::gdi {

bool SaveBitmapFile(HBITMAP handle, const char* path)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = FindObjectAs<BitmapObject>(handle, OBJ_BITMAP);
    if (!bitmap || !path)
        return false;
    const int bitCount = bitmap->IsMono() ? 1 : 24;
    const size_t rowBytes = DibFormat::RowBytesFor(bitmap->width, bitCount);
    const size_t tableBytes = bitCount == 1 ? 2 * sizeof(RGBQUAD) : 0;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + tableBytes);
    file.bfSize = DWORD(file.bfOffBits + rowBytes * bitmap->height);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = bitmap->width;
    info.biHeight = bitmap->height;
    info.biPlanes = 1;
    info.biBitCount = WORD(bitCount);
    info.biCompression = BI_RGB;
    info.biSizeImage = DWORD(rowBytes * bitmap->height);
    info.biXPelsPerMeter = info.biYPelsPerMeter = 3780;  // 96 DPI
    std::vector<uint8_t> out(file.bfSize);
    std::memcpy(out.data(), &file, sizeof(file));
    std::memcpy(out.data() + sizeof(file), &info, sizeof(info));
    if (tableBytes) {
        const RGBQUAD table[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        std::memcpy(out.data() + sizeof(file) + sizeof(info), table, sizeof(table));
    }
    const Surface surface = bitmap->GetSurface();
    for (int y = 0; y < bitmap->height; ++y) {
        const uint32_t* row = surface.Row(bitmap->height - 1 - y);
        DibFormat::WriteRow(row, bitmap->width, bitCount, out.data() + file.bfOffBits + size_t(y) * rowBytes);
    }
    // Written beside the target and renamed over it, so a failure leaves the old file whole.
    const std::string temporary = std::string(path) + ".tmp";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tw::gdi
