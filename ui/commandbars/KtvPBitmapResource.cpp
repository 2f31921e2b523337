#include "ui/commandbars/KtvPBitmapResource.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "platform/win32/resource/ResourceTypes.h"

namespace ktv_bitmapresource_detail {

// The file form of a packed DIB: a file header in front of it.
std::vector<BYTE> BitmapFileOf(const BYTE* dib, DWORD size)
{
    std::vector<BYTE> file;
    if (size < sizeof(BITMAPINFOHEADER))
        return file;
    BITMAPINFOHEADER header;
    memcpy(&header, dib, sizeof(header));
    DWORD colors = header.biClrUsed;
    if (colors == 0 && header.biBitCount <= 8)
        colors = 1u << header.biBitCount;
    DWORD masks = header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = DWORD(sizeof(fileHeader) + size);
    fileHeader.bfOffBits = DWORD(sizeof(fileHeader) + header.biSize + masks + colors * sizeof(RGBQUAD));
    file.resize(sizeof(fileHeader) + size);
    memcpy(file.data(), &fileHeader, sizeof(fileHeader));
    memcpy(file.data() + sizeof(fileHeader), dib, size);
    return file;
}

}  // namespace ktv_bitmapresource_detail

HBITMAP KtvLoadBitmapResource(HINSTANCE hinst, UINT uiResID, UINT fuLoad)
{
    const BYTE* dib = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(hinst, MAKEINTRESOURCE(uiResID), RT_BITMAP, &dib, &size))
        return nullptr;
    const std::vector<BYTE> file = ktv_bitmapresource_detail::BitmapFileOf(dib, size);
    if (file.empty())
        return nullptr;

    // The platform decodes bitmaps from files only: go through a private
    // temporary file, removed at once.
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    if (GetTempPath(MAX_PATH, folder) == 0 || GetTempFileName(folder, "Ktv", 0, path) == 0)
        return nullptr;
    FILE* out = fopen(path, "wb");
    if (out == nullptr) {
        DeleteFile(path);
        return nullptr;
    }
    const bool written = fwrite(file.data(), 1, file.size(), out) == file.size();
    fclose(out);
    HBITMAP bitmap = written ? static_cast<HBITMAP>(LoadImage(nullptr, path, IMAGE_BITMAP, 0, 0, fuLoad | LR_LOADFROMFILE))
                             : nullptr;
    DeleteFile(path);
    return bitmap;
}
