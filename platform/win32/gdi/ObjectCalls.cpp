// Creating, deleting and describing pens, brushes and other GDI objects.
#include <cstring>

#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/SystemColors.h"

using tw::gdi::GdiLock;

namespace {

std::shared_ptr<tw::gdi::PenObject> ObjectsNewPen(UINT style, int width, COLORREF color)
{
    auto pen = std::make_shared<tw::gdi::PenObject>();
    pen->style = style;
    pen->width = width < 0 ? -width : width;
    pen->color = color;
    return pen;
}

template <class T>
int ObjectsCopyOut(const T& value, int c, LPVOID pv)
{
    if (!pv)
        return int(sizeof(T));
    if (c < int(sizeof(T)))
        return 0;
    std::memcpy(pv, &value, sizeof(T));
    return int(sizeof(T));
}

}  // namespace

HGDIOBJ GetStockObject(int i)
{
    std::lock_guard lock(GdiLock());
    return tw::gdi::StockObject(i).get();
}

BOOL DeleteObject(HGDIOBJ ho)
{
    std::lock_guard lock(GdiLock());
    auto object = tw::gdi::FindObject(ho);
    if (!object)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (object->type == OBJ_DC || object->type == OBJ_MEMDC || object->type == tw::gdi::kObjIcon)
        return FALSE;
    // A bitmap in a DC stays; pens, brushes and fonts in use live on in the DC
    // until it lets go of them, as the handle is gone already.
    if (object->type == OBJ_BITMAP && static_cast<tw::gdi::BitmapObject&>(*object).selectedInto)
        return FALSE;
    return tw::gdi::RemoveObject(ho);
}

DWORD GetObjectType(HGDIOBJ h)
{
    std::lock_guard lock(GdiLock());
    auto object = tw::gdi::FindObject(h);
    if (!object || object->type == tw::gdi::kObjIcon)
        return 0;
    if (object->type == OBJ_PEN && static_cast<tw::gdi::PenObject&>(*object).extended)
        return OBJ_EXTPEN;
    return object->type;
}

int GetObject(HGDIOBJ h, int c, LPVOID pv)
{
    std::lock_guard lock(GdiLock());
    auto object = tw::gdi::FindObject(h);
    if (!object)
        return 0;
    switch (object->type) {
    case OBJ_PEN: {
        auto& pen = static_cast<tw::gdi::PenObject&>(*object);
        if (pen.extended) {
            EXTLOGPEN ext{};
            ext.elpPenStyle = pen.style;
            ext.elpWidth = DWORD(pen.width);
            ext.elpBrushStyle = BS_SOLID;
            ext.elpColor = pen.color;
            return ObjectsCopyOut(ext, c, pv);
        }
        LOGPEN logPen{pen.style, POINT{pen.width, 0}, pen.color};
        return ObjectsCopyOut(logPen, c, pv);
    }
    case OBJ_BRUSH: {
        auto& brush = static_cast<tw::gdi::BrushObject&>(*object);
        LOGBRUSH logBrush{brush.style, brush.color, ULONG_PTR(brush.hatch)};
        if (brush.sysColorIndex >= 0)
            logBrush.lbColor = GetSysColor(brush.sysColorIndex);
        return ObjectsCopyOut(logBrush, c, pv);
    }
    case OBJ_FONT:
        return ObjectsCopyOut(static_cast<tw::gdi::FontObject&>(*object).logFont, c, pv);
    case OBJ_PAL: {
        const WORD count = WORD(static_cast<tw::gdi::PaletteObject&>(*object).entries.size());
        if (!pv)
            return int(sizeof(WORD));
        if (c < int(sizeof(WORD)))
            return 0;
        std::memcpy(pv, &count, sizeof(WORD));
        return int(sizeof(WORD));
    }
    case OBJ_BITMAP: {
        auto& bitmap = static_cast<tw::gdi::BitmapObject&>(*object);
        BITMAP bm{};
        bm.bmWidth = bitmap.width;
        bm.bmHeight = bitmap.height;
        bm.bmPlanes = 1;
        bm.bmBitsPixel = WORD(bitmap.bitsPixel);
        bm.bmWidthBytes = ((bitmap.width * bitmap.bitsPixel + 15) / 16) * 2;
        if (bitmap.isDibSection) {
            const int reported = bitmap.ReportedBits();
            bm.bmBitsPixel = WORD(reported);
            bm.bmWidthBytes = ((bitmap.width * reported + 31) / 32) * 4;
            // Bits are handed out only where they are laid out as reported.
            bm.bmBits = reported == 32 ? bitmap.dibBits.data() : nullptr;
            if (pv && c >= int(sizeof(DIBSECTION))) {
                DIBSECTION ds{};
                ds.dsBm = bm;
                ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
                ds.dsBmih.biWidth = bitmap.width;
                ds.dsBmih.biHeight = bitmap.topDown ? -bitmap.height : bitmap.height;
                ds.dsBmih.biPlanes = 1;
                ds.dsBmih.biBitCount = WORD(reported);
                ds.dsBmih.biCompression = BI_RGB;
                ds.dsBmih.biSizeImage = DWORD(bm.bmWidthBytes * bitmap.height);
                ds.dsBmih.biClrUsed = DWORD(bitmap.colorTable.size());
                return ObjectsCopyOut(ds, c, pv);
            }
        }
        return ObjectsCopyOut(bm, c, pv);
    }
    default:
        return 0;
    }
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    const UINT kind = UINT(iStyle) & PS_STYLE_MASK;
    if (kind > PS_INSIDEFRAME)
        return nullptr;
    std::lock_guard lock(GdiLock());
    // Styled pens wider than a pixel draw solid, as the platform's do.
    UINT style = UINT(iStyle);
    if (cWidth > 1 && kind >= PS_DASH && kind <= PS_DASHDOTDOT)
        style = PS_SOLID;
    return HPEN(tw::gdi::AddObject(ObjectsNewPen(style, cWidth, color)));
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    if (!plpen)
        return nullptr;
    return CreatePen(int(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle)
{
    if (!plbrush)
        return nullptr;
    const bool geometric = (iPenStyle & PS_TYPE_MASK) == PS_GEOMETRIC;
    const UINT kind = iPenStyle & PS_STYLE_MASK;
    // Cosmetic pens are one pixel wide; PS_ALTERNATE is cosmetic only.
    if (!geometric && cWidth != 1)
        return nullptr;
    if (geometric && kind == PS_ALTERNATE)
        return nullptr;
    if (kind == PS_USERSTYLE && (cStyle == 0 || cStyle > 16 || !pstyle))
        return nullptr;
    if (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL)
        return nullptr;  // only solid-coloured pens are drawn
    std::lock_guard lock(GdiLock());
    auto pen = ObjectsNewPen(plbrush->lbStyle == BS_NULL ? UINT(PS_NULL) | (iPenStyle & ~PS_STYLE_MASK) : iPenStyle,
                             int(cWidth), plbrush->lbColor);
    pen->extended = true;
    if (kind == PS_USERSTYLE)
        pen->userStyle.assign(pstyle, pstyle + cStyle);
    return HPEN(tw::gdi::AddObject(pen));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    std::lock_guard lock(GdiLock());
    auto brush = std::make_shared<tw::gdi::BrushObject>();
    brush->style = BS_SOLID;
    brush->color = color;
    return HBRUSH(tw::gdi::AddObject(brush));
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS)
        return nullptr;
    std::lock_guard lock(GdiLock());
    auto brush = std::make_shared<tw::gdi::BrushObject>();
    brush->style = BS_HATCHED;
    brush->color = color;
    brush->hatch = iHatch;
    return HBRUSH(tw::gdi::AddObject(brush));
}

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    std::lock_guard lock(GdiLock());
    auto bitmap = tw::gdi::FindObjectAs<tw::gdi::BitmapObject>(hbm, OBJ_BITMAP);
    if (!bitmap)
        return nullptr;
    auto brush = std::make_shared<tw::gdi::BrushObject>();
    brush->style = BS_PATTERN;
    brush->pattern = tw::gdi::CopyBitmap(*bitmap);
    brush->hatch = int(reinterpret_cast<intptr_t>(hbm));
    return HBRUSH(tw::gdi::AddObject(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (!plbrush)
        return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(int(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    case BS_NULL: {
        std::lock_guard lock(GdiLock());
        auto brush = std::make_shared<tw::gdi::BrushObject>();
        brush->style = BS_NULL;
        return HBRUSH(tw::gdi::AddObject(brush));
    }
    default: return nullptr;
    }
}
