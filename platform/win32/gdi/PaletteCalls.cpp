// Logical palettes. The screen is true colour, so realising a palette maps
// nothing; the entries are kept for the callers that read them back.
#include <climits>
#include <cstring>

#include "platform/win32/gdi/DeviceContext.h"

using tw::gdi::PaletteObject;

HPALETTE CreatePalette(const LOGPALETTE* plpal)
{
    if (!plpal || plpal->palVersion != 0x300 || plpal->palNumEntries == 0)
        return nullptr;
    std::lock_guard lock(tw::gdi::GdiLock());
    auto palette = std::make_shared<PaletteObject>();
    palette->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return HPALETTE(tw::gdi::AddObject(palette));
}

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto palette = tw::gdi::FindObjectAs<PaletteObject>(hpal, OBJ_PAL);
    if (!palette)
        return 0;
    const UINT size = UINT(palette->entries.size());
    if (!pPalEntries)
        return size;
    if (iStart >= size)
        return 0;
    const UINT count = std::min(cEntries, size - iStart);
    std::memcpy(pPalEntries, &palette->entries[iStart], count * sizeof(PALETTEENTRY));
    return count;
}

UINT SetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, const PALETTEENTRY* pPalEntries)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto palette = tw::gdi::FindObjectAs<PaletteObject>(hpal, OBJ_PAL);
    if (!palette || !pPalEntries || palette->stock)
        return 0;
    const UINT size = UINT(palette->entries.size());
    if (iStart >= size)
        return 0;
    const UINT count = std::min(cEntries, size - iStart);
    std::memcpy(&palette->entries[iStart], pPalEntries, count * sizeof(PALETTEENTRY));
    return count;
}

UINT GetNearestPaletteIndex(HPALETTE h, COLORREF color)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto palette = tw::gdi::FindObjectAs<PaletteObject>(h, OBJ_PAL);
    if (!palette)
        return CLR_INVALID;
    UINT best = 0;
    long bestDistance = LONG_MAX;
    for (UINT i = 0; i < palette->entries.size(); ++i) {
        const PALETTEENTRY& e = palette->entries[i];
        const long dr = long(e.peRed) - GetRValue(color);
        const long dg = long(e.peGreen) - GetGValue(color);
        const long db = long(e.peBlue) - GetBValue(color);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc)
        return CLR_INVALID;
    return tw::gdi::PixelToColor(dc->PaintOfColor(color).color);
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    auto palette = tw::gdi::FindObjectAs<PaletteObject>(hPal, OBJ_PAL);
    if (!dc || !palette)
        return nullptr;
    HPALETTE previous = HPALETTE(dc->state.palette.get());
    dc->state.palette = palette;
    return previous;
}

UINT RealizePalette(HDC hdc)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    return tw::gdi::FindDC(hdc) ? 0 : UINT(GDI_ERROR);
}

UINT GetSystemPaletteEntries(HDC, UINT, UINT, LPPALETTEENTRY)
{
    // A true-colour screen has no system palette.
    return 0;
}
