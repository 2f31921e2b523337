// Device bitmaps, DIB sections and the conversions between them and DIB bits.
#include <cstring>

#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/DibFormat.h"

using tw::gdi::BitmapObject;
using tw::gdi::DibFormat;
using tw::gdi::GdiLock;

namespace {

constexpr int kBitmapMaxSide = 32768;

bool BitmapSizeOk(int width, int height)
{
    return width > 0 && height > 0 && width <= kBitmapMaxSide && height <= kBitmapMaxSide;
}

HBITMAP BitmapAdd(std::shared_ptr<BitmapObject> bitmap) { return HBITMAP(tw::gdi::AddObject(std::move(bitmap))); }

// Bits per pixel a bitmap compatible with the DC gets: a memory DC holding a
// monochrome bitmap makes monochrome ones, as on the platform.
int BitmapCompatibleDepth(HDC hdc)
{
    auto dc = tw::gdi::FindDC(hdc);
    return dc && dc->IsMono() ? 1 : 32;
}

// Copies DIB rows [start, start + lines) (numbered from the bottom for
// bottom-up bits) into the bitmap; returns the rows copied.
int BitmapStoreDibRows(BitmapObject& bitmap, const DibFormat& format, const void* bits, UINT start, UINT lines)
{
    const tw::gdi::Surface surface = bitmap.GetSurface();
    std::vector<uint32_t> row(format.Width());
    int copied = 0;
    for (UINT i = 0; i < lines; ++i) {
        const int scan = int(start + i);
        if (scan >= format.Height())
            break;
        const int y = format.TopDown() ? scan : format.Height() - 1 - scan;
        if (y < 0 || y >= bitmap.height)
            continue;
        const uint8_t* source = static_cast<const uint8_t*>(bits) + size_t(i) * format.RowBytes();
        format.ReadRowWithAlpha(source, row.data());
        uint32_t* dst = surface.Row(y);
        for (int x = 0; x < std::min(format.Width(), bitmap.width); ++x) {
            uint32_t p = row[x];
            if (bitmap.IsMono())
                p = tw::gdi::NearestMonoPixel(p & 0xFFFFFF);
            else if (!bitmap.isDibSection)
                p &= 0xFFFFFF;
            dst[x] = p;
        }
        ++copied;
    }
    return copied;
}

}  // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (!BitmapSizeOk(nWidth, nHeight) || nPlanes != 1)
        return nullptr;
    if (nBitCount != 1 && nBitCount != 4 && nBitCount != 8 && nBitCount != 16 && nBitCount != 24 && nBitCount != 32)
        return nullptr;
    std::lock_guard lock(GdiLock());
    // Whatever the depth asked for, colour bitmaps keep 32-bit pixels.
    auto bitmap = tw::gdi::MakeBitmap(nWidth, nHeight, nBitCount == 1 ? 1 : 32);
    HBITMAP handle = BitmapAdd(bitmap);
    if (lpBits) {
        // Device-dependent bits: rows padded to 16 bits.
        const LONG bytes = LONG(((nWidth * (nBitCount == 1 ? 1 : 32) + 15) / 16) * 2 * nHeight);
        SetBitmapBits(handle, DWORD(bytes), lpBits);
    }
    return handle;
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm)
{
    if (!pbm)
        return nullptr;
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    std::lock_guard lock(GdiLock());
    if (!tw::gdi::FindDC(hdc) || !BitmapSizeOk(cx, cy))
        return nullptr;
    return BitmapAdd(tw::gdi::MakeBitmap(cx, cy, BitmapCompatibleDepth(hdc)));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD)
{
    if (ppvBits)
        *ppvBits = nullptr;
    DibFormat format;
    if (hSection || !format.Parse(pbmi, usage) || format.BitCount() != 32 || !BitmapSizeOk(format.Width(), format.Height()))
        return nullptr;
    std::lock_guard lock(GdiLock());
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->width = format.Width();
    bitmap->height = format.Height();
    bitmap->bitsPixel = 32;
    bitmap->isDibSection = true;
    bitmap->topDown = format.TopDown();
    bitmap->dibBits.assign(size_t(bitmap->width) * bitmap->height * 4, 0);
    if (ppvBits)
        *ppvBits = bitmap->dibBits.data();
    return BitmapAdd(bitmap);
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage)
{
    if (!pbmih)
        return nullptr;
    const int height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    std::lock_guard lock(GdiLock());
    if (!BitmapSizeOk(pbmih->biWidth, height))
        return nullptr;
    auto bitmap = tw::gdi::MakeBitmap(pbmih->biWidth, height, hdc ? BitmapCompatibleDepth(hdc) : 32);
    if ((flInit & CBM_INIT) && pjBits) {
        DibFormat format;
        if (!format.Parse(pbmi, iUsage))
            return nullptr;
        BitmapStoreDibRows(*bitmap, format, pjBits, 0, UINT(format.Height()));
    }
    return BitmapAdd(bitmap);
}

int SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = tw::gdi::FindObjectAs<BitmapObject>(hbm, OBJ_BITMAP);
    DibFormat format;
    if (!bitmap || !lpBits || !format.Parse(lpbmi, ColorUse))
        return 0;
    // Rows come from `start` in storage order: for bottom-up bits row 0 is the bottom one.
    return BitmapStoreDibRows(*bitmap, format, lpBits, start, cLines);
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = tw::gdi::FindObjectAs<BitmapObject>(hbm, OBJ_BITMAP);
    if (!bitmap || !lpbmi || !tw::gdi::FindDC(hdc) || usage != DIB_RGB_COLORS)
        return 0;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    if (!lpvBits && h.biBitCount == 0) {
        // Describe the bitmap.
        h.biWidth = bitmap->width;
        h.biHeight = bitmap->height;
        h.biPlanes = 1;
        h.biBitCount = WORD(bitmap->ReportedBits());
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(DibFormat::RowBytesFor(bitmap->width, h.biBitCount) * bitmap->height);
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        return bitmap->height;
    }
    const int bitCount = h.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return 0;
    if (h.biWidth <= 0 || h.biHeight == 0)
        return 0;
    const bool topDown = h.biHeight < 0;
    const int height = topDown ? -h.biHeight : h.biHeight;
    h.biPlanes = 1;
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(DibFormat::RowBytesFor(h.biWidth, bitCount) * height);
    std::vector<uint32_t> table;
    if (bitCount <= 8) {
        // The bitmap's own table when it has one of this size, else the standard one.
        table = bitmap->colorTable.size() == (size_t(1) << bitCount) ? bitmap->colorTable
                                                                     : DibFormat::DefaultTable(bitCount);
        for (size_t i = 0; i < table.size(); ++i)
            lpbmi->bmiColors[i] = RGBQUAD{uint8_t(table[i]), uint8_t(table[i] >> 8), uint8_t(table[i] >> 16), 0};
        h.biClrUsed = 0;
    }
    if (!lpvBits)
        return height;
    const tw::gdi::Surface surface = bitmap->GetSurface();
    const size_t rowBytes = DibFormat::RowBytesFor(h.biWidth, bitCount);
    std::vector<uint32_t> row(h.biWidth, 0);
    int copied = 0;
    for (UINT i = 0; i < cLines; ++i) {
        const int scan = int(start + i);
        if (scan >= height)
            break;
        const int y = topDown ? scan : height - 1 - scan;
        std::fill(row.begin(), row.end(), 0);
        if (y >= 0 && y < bitmap->height) {
            const uint32_t* src = surface.Row(y);
            for (int x = 0; x < std::min<int>(h.biWidth, bitmap->width); ++x) {
                row[x] = bitmap->isDibSection ? src[x] : (src[x] & 0xFFFFFF);
            }
        }
        uint8_t* out = static_cast<uint8_t*>(lpvBits) + size_t(i) * rowBytes;
        const bool ownIndices = bitCount == bitmap->ReportedBits() && table == bitmap->colorTable &&
                                h.biWidth == bitmap->width && y >= 0 && y < bitmap->height &&
                                !bitmap->tableIndices.empty();
        const uint8_t* hints = ownIndices ? &bitmap->tableIndices[size_t(y) * bitmap->width] : nullptr;
        if (bitCount <= 8)
            DibFormat::WriteIndexedRow(row.data(), h.biWidth, bitCount, table, out, hints);
        else
            DibFormat::WriteRow(row.data(), h.biWidth, bitCount, out);
        ++copied;
    }
    return copied;
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = tw::gdi::FindObjectAs<BitmapObject>(hbit, OBJ_BITMAP);
    if (!bitmap || (bitmap->bitsPixel != 1 && bitmap->bitsPixel != 32))
        return 0;
    const int rowBytes = ((bitmap->width * bitmap->bitsPixel + 15) / 16) * 2;
    const LONG total = LONG(rowBytes) * bitmap->height;
    if (!lpvBits)
        return total;
    const tw::gdi::Surface surface = bitmap->GetSurface();
    auto* out = static_cast<uint8_t*>(lpvBits);
    LONG written = 0;
    for (int y = 0; y < bitmap->height && written + rowBytes <= cb; ++y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < bitmap->width; ++x) {
            const uint32_t p = surface.At(x, y);
            if (bitmap->bitsPixel == 1) {
                if ((p & 0xFFFFFF) == 0xFFFFFF)
                    row[x / 8] |= uint8_t(0x80 >> (x % 8));
            } else {
                std::memcpy(&row[4 * x], &p, 4);
            }
        }
        std::memcpy(out + written, row.data(), rowBytes);
        written += rowBytes;
    }
    return written;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = tw::gdi::FindObjectAs<BitmapObject>(hbm, OBJ_BITMAP);
    if (!bitmap || !pvBits || (bitmap->bitsPixel != 1 && bitmap->bitsPixel != 32))
        return 0;
    const int rowBytes = ((bitmap->width * bitmap->bitsPixel + 15) / 16) * 2;
    const tw::gdi::Surface surface = bitmap->GetSurface();
    const auto* in = static_cast<const uint8_t*>(pvBits);
    LONG used = 0;
    for (int y = 0; y < bitmap->height && used + rowBytes <= LONG(cb); ++y) {
        const uint8_t* row = in + used;
        for (int x = 0; x < bitmap->width; ++x) {
            if (bitmap->bitsPixel == 1) {
                surface.At(x, y) = ((row[x / 8] >> (7 - x % 8)) & 1) ? 0xFFFFFF : 0;
            } else {
                uint32_t p;
                std::memcpy(&p, row + 4 * x, 4);
                surface.At(x, y) = bitmap->isDibSection ? p : (p & 0xFFFFFF);
            }
        }
        used += rowBytes;
    }
    return used;
}

BOOL GetBitmapDimensionEx(HBITMAP hbit, LPSIZE lpsize)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = tw::gdi::FindObjectAs<BitmapObject>(hbit, OBJ_BITMAP);
    if (!bitmap || !lpsize)
        return FALSE;
    *lpsize = SIZE{0, 0};
    return TRUE;
}
