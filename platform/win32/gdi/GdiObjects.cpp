#include "platform/win32/gdi/GdiObjects.h"

#include <array>
#include <unordered_map>

#include "platform/win32/gdi/SystemColors.h"

namespace tw::gdi {

namespace {

struct GdiHandleTable {
    std::unordered_map<const void*, std::shared_ptr<GdiObject>> objects;
};

GdiHandleTable& Table()
{
    static GdiHandleTable table;
    return table;
}

// The 20 static colours of the default palette.
constexpr std::array<PALETTEENTRY, 20> kObjectsDefaultPalette = {{
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
}};

std::shared_ptr<GdiObject> MakeStockPen(int style, COLORREF color)
{
    auto pen = std::make_shared<PenObject>();
    pen->style = UINT(style);
    pen->color = color;
    pen->stock = true;
    return pen;
}

std::shared_ptr<GdiObject> MakeStockBrush(UINT style, COLORREF color)
{
    auto brush = std::make_shared<BrushObject>();
    brush->style = style;
    brush->color = color;
    brush->stock = true;
    return brush;
}

std::shared_ptr<GdiObject> MakeStockFont(LONG height, LONG weight, BYTE pitch, const char* face)
{
    auto font = std::make_shared<FontObject>();
    font->logFont.lfHeight = height;
    font->logFont.lfWeight = weight;
    font->logFont.lfCharSet = ANSI_CHARSET;
    font->logFont.lfPitchAndFamily = pitch;
    std::snprintf(font->logFont.lfFaceName, LF_FACESIZE, "%s", face);
    font->stock = true;
    return font;
}

std::array<std::shared_ptr<GdiObject>, DC_PEN + 1> BuildStockObjects()
{
    std::array<std::shared_ptr<GdiObject>, DC_PEN + 1> stock;
    stock[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    stock[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    stock[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    stock[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    stock[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    stock[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
    stock[WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    stock[BLACK_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    stock[NULL_PEN] = MakeStockPen(PS_NULL, 0);
    stock[OEM_FIXED_FONT] = MakeStockFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Terminal");
    stock[ANSI_FIXED_FONT] = MakeStockFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier");
    stock[ANSI_VAR_FONT] = MakeStockFont(12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    stock[SYSTEM_FONT] = MakeStockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
    stock[DEVICE_DEFAULT_FONT] = MakeStockFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
    stock[SYSTEM_FIXED_FONT] = MakeStockFont(16, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Fixedsys");
    stock[DEFAULT_GUI_FONT] = MakeStockFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg");
    auto palette = std::make_shared<PaletteObject>();
    palette->entries.assign(kObjectsDefaultPalette.begin(), kObjectsDefaultPalette.end());
    palette->stock = true;
    stock[DEFAULT_PALETTE] = palette;
    auto dcBrush = std::make_shared<BrushObject>();
    dcBrush->dcBrush = true;
    dcBrush->color = RGB(255, 255, 255);
    dcBrush->stock = true;
    stock[DC_BRUSH] = dcBrush;
    auto dcPen = std::make_shared<PenObject>();
    dcPen->dcPen = true;
    dcPen->stock = true;
    stock[DC_PEN] = dcPen;
    for (auto& object : stock) {
        if (object)
            Table().objects[object.get()] = object;
    }
    return stock;
}

const std::array<std::shared_ptr<GdiObject>, DC_PEN + 1>& StockObjects()
{
    static const auto stock = BuildStockObjects();
    return stock;
}

}  // namespace

std::recursive_mutex& GdiLock()
{
    static std::recursive_mutex lock;
    return lock;
}

void* AddObject(std::shared_ptr<GdiObject> object)
{
    std::lock_guard lock(GdiLock());
    StockObjects();
    void* handle = object.get();
    Table().objects[handle] = std::move(object);
    return handle;
}

std::shared_ptr<GdiObject> FindObject(const void* handle)
{
    if (!handle)
        return nullptr;
    std::lock_guard lock(GdiLock());
    StockObjects();
    auto it = Table().objects.find(handle);
    return it == Table().objects.end() ? nullptr : it->second;
}

bool RemoveObject(const void* handle)
{
    std::lock_guard lock(GdiLock());
    return Table().objects.erase(handle) > 0;
}

uint32_t ColorToPixel(COLORREF color)
{
    if ((color >> 24) == 0x01) {
        const auto& palette = kObjectsDefaultPalette;
        const PALETTEENTRY& e = palette[(color & 0xFFFF) % palette.size()];
        return (uint32_t(e.peRed) << 16) | (uint32_t(e.peGreen) << 8) | e.peBlue;
    }
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

COLORREF PixelToColor(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

uint32_t NearestMonoPixel(uint32_t pixel)
{
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    const int toBlack = r * r + g * g + b * b;
    const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite <= toBlack ? 0xFFFFFF : 0;
}

std::shared_ptr<GdiObject> StockObject(int index)
{
    if (index < 0 || index > DC_PEN)
        return nullptr;
    return StockObjects()[index];
}

std::shared_ptr<BitmapObject> StockBitmap()
{
    static const std::shared_ptr<BitmapObject> bitmap = [] {
        auto b = MakeBitmap(1, 1, 1);
        b->stock = true;
        b->pixels[0] = 0;
        AddObject(b);
        return b;
    }();
    return bitmap;
}

std::shared_ptr<BrushObject> ResolveBrush(HBRUSH brush)
{
    const auto value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= uintptr_t(kSysColorCount))
        return FindObjectAs<BrushObject>(GetSysColorBrush(int(value - 1)), OBJ_BRUSH);
    return FindObjectAs<BrushObject>(brush, OBJ_BRUSH);
}

std::shared_ptr<BitmapObject> MakeBitmap(int width, int height, int bitsPixel)
{
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitsPixel = bitsPixel;
    bitmap->pixels.assign(size_t(width) * height, 0);
    return bitmap;
}

std::shared_ptr<BitmapObject> CopyBitmap(const BitmapObject& source)
{
    auto copy = std::make_shared<BitmapObject>();
    copy->width = source.width;
    copy->height = source.height;
    copy->bitsPixel = source.bitsPixel;
    copy->isDibSection = source.isDibSection;
    copy->topDown = source.topDown;
    copy->pixels = source.pixels;
    copy->dibBits = source.dibBits;
    copy->dibBitsReported = source.dibBitsReported;
    copy->colorTable = source.colorTable;
    copy->tableIndices = source.tableIndices;
    return copy;
}

Surface BitmapObject::GetSurface()
{
    Surface surface;
    surface.width = width;
    surface.height = height;
    if (!isDibSection) {
        surface.base = pixels.data();
        surface.stride = width;
        return surface;
    }
    auto* words = reinterpret_cast<uint32_t*>(dibBits.data());
    if (topDown) {
        surface.base = words;
        surface.stride = width;
    } else {
        surface.base = words + size_t(height > 0 ? height - 1 : 0) * width;
        surface.stride = -ptrdiff_t(width);
    }
    return surface;
}

}  // namespace tw::gdi
