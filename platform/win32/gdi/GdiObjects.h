// The objects behind GDI handles and the one table that maps handles to them.
// Every GDI call holds GdiLock() for its whole length: objects may be shared
// between threads, and the text engine underneath is not thread-safe.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/gdi/Raster.h"
#include "platform/win32/gdi/wingdi.h"

namespace tw::gdi {

std::recursive_mutex& GdiLock();

// Handle types beyond the platform's OBJ_ codes, for objects the window
// system's helpers keep in the same table.
constexpr DWORD kObjIcon = 100;

struct GdiObject {
    explicit GdiObject(DWORD objectType) : type(objectType) {}
    virtual ~GdiObject() = default;
    DWORD type;
    bool stock = false;
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(OBJ_BITMAP) {}
    int width = 0;
    int height = 0;
    // 1 for monochrome; colour bitmaps are 32 bits per pixel whatever was asked.
    int bitsPixel = 32;
    // Device bitmaps keep 0x00RRGGBB words (monochrome ones only black and white).
    std::vector<uint32_t> pixels;
    // DIB sections keep the caller's bits (32 bits per pixel, bottom-up unless
    // the height was negative) and draw on them directly.
    bool isDibSection = false;
    // A DIB section made from a file of another depth reports that depth (its
    // bits stay 32-bit inside and are not handed out), with the file's colour
    // table for depths of 8 bits or fewer.
    int dibBitsReported = 32;
    std::vector<uint32_t> colorTable;
    // Each pixel's index in that table as loaded (rows top-down): a table may
    // hold one colour twice, and untouched pixels keep the index they had.
    std::vector<uint8_t> tableIndices;
    bool topDown = false;
    std::vector<uint8_t> dibBits;
    // The DC this bitmap is selected into (a bitmap is in at most one).
    const void* selectedInto = nullptr;

    Surface GetSurface();
    bool IsMono() const { return bitsPixel == 1; }
    // What GetObject says the depth is.
    int ReportedBits() const { return isDibSection ? dibBitsReported : bitsPixel; }
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(OBJ_PEN) {}
    UINT style = PS_SOLID;  // with end cap, join and type bits for extended pens
    int width = 1;
    COLORREF color = 0;
    bool extended = false;
    bool dcPen = false;
    std::vector<DWORD> userStyle;
    UINT StyleKind() const { return style & PS_STYLE_MASK; }
    bool IsGeometric() const { return (style & PS_TYPE_MASK) == PS_GEOMETRIC; }
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(OBJ_BRUSH) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    // A copy of the pattern bitmap (the caller may delete theirs).
    std::shared_ptr<BitmapObject> pattern;
    // System-colour brushes follow the table (SetSysColors).
    int sysColorIndex = -1;
    bool dcBrush = false;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(OBJ_FONT) {}
    LOGFONTA logFont{};
};

struct PaletteObject : GdiObject {
    PaletteObject() : GdiObject(OBJ_PAL) {}
    std::vector<PALETTEENTRY> entries;
};

struct IconObject : GdiObject {
    IconObject() : GdiObject(kObjIcon) {}
    bool isIcon = true;
    DWORD hotX = 0;
    DWORD hotY = 0;
    std::shared_ptr<BitmapObject> mask;   // monochrome; for a mask-only icon twice as tall
    std::shared_ptr<BitmapObject> color;  // null for a monochrome icon
};

// --- the handle table -----------------------------------------------------------
void* AddObject(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> FindObject(const void* handle);
bool RemoveObject(const void* handle);

template <class T>
std::shared_ptr<T> FindObjectAs(const void* handle, DWORD type)
{
    auto object = FindObject(handle);
    if (!object || object->type != type)
        return nullptr;
    return std::static_pointer_cast<T>(object);
}

// --- colours ---------------------------------------------------------------------
// A COLORREF (also PALETTEINDEX and PALETTERGB forms) as a 0x00RRGGBB pixel.
uint32_t ColorToPixel(COLORREF color);
COLORREF PixelToColor(uint32_t pixel);
// Black or white, whichever is nearer: how colours land on monochrome bitmaps.
uint32_t NearestMonoPixel(uint32_t pixel);

// --- stock objects ----------------------------------------------------------------
std::shared_ptr<GdiObject> StockObject(int index);
std::shared_ptr<BitmapObject> StockBitmap();  // the 1x1 monochrome bitmap of a fresh memory DC

// A brush for a handle that may be (HBRUSH)(COLOR_x + 1).
std::shared_ptr<BrushObject> ResolveBrush(HBRUSH brush);

std::shared_ptr<BitmapObject> MakeBitmap(int width, int height, int bitsPixel);
std::shared_ptr<BitmapObject> CopyBitmap(const BitmapObject& source);

}  // namespace tw::gdi
