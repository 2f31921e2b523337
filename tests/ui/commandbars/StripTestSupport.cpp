#include "StripTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace striptest {

bool WriteBmp(const std::string& path, const std::vector<std::string>& rows, const Palette& palette, int bits,
              const std::map<char, BYTE>& alpha)
{
    const int height = int(rows.size()), width = int(rows[0].size());
    std::vector<char> keys;
    for (const auto& entry : palette)
        keys.push_back(entry.first);
    const int tableEntries = bits <= 8 ? (1 << bits) : 0;
    const int rowBytes = (width * bits + 31) / 32 * 4;
    std::vector<BYTE> pixels(size_t(rowBytes) * height, 0);
    for (int y = 0; y < height; y++) {
        BYTE* row = pixels.data() + size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; x++) {
            const char c = rows[y][x];
            const COLORREF clr = palette.at(c);
            if (bits == 4) {
                const int index = int(std::find(keys.begin(), keys.end(), c) - keys.begin());
                row[x / 2] |= BYTE(x % 2 == 0 ? index << 4 : index);
            } else {
                BYTE* p = row + x * (bits / 8);
                p[0] = GetBValue(clr);
                p[1] = GetGValue(clr);
                p[2] = GetRValue(clr);
                if (bits == 32) {
                    auto it = alpha.find(c);
                    p[3] = it == alpha.end() ? 255 : it->second;
                }
            }
        }
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = WORD(bits);
    header.biSizeImage = DWORD(pixels.size());
    std::vector<RGBQUAD> table(size_t(tableEntries), RGBQUAD{0, 0, 0, 0});
    for (size_t i = 0; i < keys.size() && i < table.size(); i++) {
        const COLORREF clr = palette.at(keys[i]);
        table[i] = RGBQUAD{GetBValue(clr), GetGValue(clr), GetRValue(clr), 0};
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = DWORD(sizeof(file) + sizeof(header) + table.size() * sizeof(RGBQUAD));
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    FILE* out = fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    fwrite(&file, sizeof(file), 1, out);
    fwrite(&header, sizeof(header), 1, out);
    if (!table.empty())
        fwrite(table.data(), sizeof(RGBQUAD), table.size(), out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    return fclose(out) == 0;
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
{
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* raw = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    cdc_.Attach(dc_);
    Fill(fill);
}

Canvas::~Canvas()
{
    cdc_.Detach();
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void Canvas::Fill(COLORREF clr)
{
    RECT all{0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(clr);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

std::vector<std::string> Canvas::Read(int x, int y, int cx, int cy, const Palette& palette) const
{
    std::vector<std::string> rows;
    for (int j = 0; j < cy; j++) {
        std::string row;
        for (int i = 0; i < cx; i++) {
            const COLORREF clr = At(x + i, y + j);
            char found = '?';
            for (const auto& entry : palette)
                if (entry.second == clr) {
                    found = entry.first;
                    break;
                }
            row += found;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace striptest
