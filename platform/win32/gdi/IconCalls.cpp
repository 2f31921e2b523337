// Icons and cursors as a colour bitmap and a mask, and DrawState.
#include <algorithm>
#include <cstring>

#include "platform/win32/gdi/DrawCall.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/TextDraw.h"
#include "platform/win32/gdi/windraw.h"

using tw::gdi::BitmapObject;
using tw::gdi::DrawCall;
using tw::gdi::IconObject;

namespace {

std::shared_ptr<IconObject> IconFind(HICON icon) { return tw::gdi::FindObjectAs<IconObject>(icon, tw::gdi::kObjIcon); }

int IconHeight(const IconObject& icon) { return icon.color ? icon.mask->height : icon.mask->height / 2; }

// Draws the icon's mask (AND) and image (XOR) into [x, x+w) x [y, y+h), stretched.
void IconPaint(DrawCall& call, const IconObject& icon, int x, int y, int w, int h, UINT flags)
{
    auto& dc = call.Dc();
    auto& target = call.Target();
    const int iconWidth = icon.mask->width;
    const int iconHeight = IconHeight(icon);
    const tw::gdi::Surface mask = icon.mask->GetSurface();
    const tw::gdi::Surface color = icon.color ? icon.color->GetSurface() : tw::gdi::Surface{};
    // 32-bit images with alpha are blended by it instead of the mask.
    bool alpha = false;
    if (icon.color && icon.color->isDibSection) {
        for (int iy = 0; iy < iconHeight && !alpha; ++iy)
            for (int ix = 0; ix < iconWidth; ++ix)
                if (color.At(ix, iy) >> 24) {
                    alpha = true;
                    break;
                }
    }
    const RECT box = dc.RectToSurface(x, y, x + w, y + h);
    const RECT area = tw::gdi::RectIntersection(box, target.clip.Bounds());
    for (int sy = area.top; sy < area.bottom; ++sy) {
        const int iy = (sy - box.top) * iconHeight / h;
        target.clip.ForEachSpan(sy, area.left, area.right, [&](int x0, int x1) {
            for (int sx = x0; sx < x1; ++sx) {
                const int ix = (sx - box.left) * iconWidth / w;
                uint32_t& d = target.surface.At(sx, sy);
                if (alpha && (flags & DI_IMAGE)) {
                    const uint32_t s = color.At(ix, iy);
                    const uint32_t a = s >> 24;
                    auto mix = [&](int shift) {
                        return (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a) + 127) / 255;
                    };
                    d = (mix(16) << 16) | (mix(8) << 8) | mix(0);
                    continue;
                }
                uint32_t result = d & 0xFFFFFF;
                if (flags & DI_MASK)
                    result &= (mask.At(ix, iy) & 0xFFFFFF);
                if (flags & DI_IMAGE) {
                    const uint32_t image = icon.color ? color.At(ix, iy) : mask.At(ix, iy + iconHeight);
                    result ^= (image & 0xFFFFFF);
                }
                d = target.mono ? tw::gdi::NearestMonoPixel(result) : result;
            }
        });
    }
    call.Changed(area);
}

}  // namespace

HICON CreateIconIndirect(PICONINFO piconinfo)
{
    if (!piconinfo)
        return nullptr;
    std::lock_guard lock(tw::gdi::GdiLock());
    auto mask = tw::gdi::FindObjectAs<BitmapObject>(piconinfo->hbmMask, OBJ_BITMAP);
    if (!mask)
        return nullptr;
    auto color = piconinfo->hbmColor ? tw::gdi::FindObjectAs<BitmapObject>(piconinfo->hbmColor, OBJ_BITMAP) : nullptr;
    if (piconinfo->hbmColor && !color)
        return nullptr;
    if (color && (color->width != mask->width || color->height != mask->height))
        return nullptr;
    if (!color && mask->height % 2)
        return nullptr;  // a mask-only icon holds the AND and XOR halves
    auto icon = std::make_shared<IconObject>();
    icon->isIcon = piconinfo->fIcon != FALSE;
    icon->hotX = piconinfo->fIcon ? DWORD(mask->width / 2) : piconinfo->xHotspot;
    icon->hotY = piconinfo->fIcon ? DWORD((color ? mask->height : mask->height / 2) / 2)
                                  : piconinfo->yHotspot;
    icon->mask = tw::gdi::CopyBitmap(*mask);
    icon->mask->bitsPixel = 1;
    for (uint32_t& p : icon->mask->pixels)
        p = tw::gdi::NearestMonoPixel(p & 0xFFFFFF);
    if (color)
        icon->color = tw::gdi::CopyBitmap(*color);
    return HICON(tw::gdi::AddObject(icon));
}

HICON CopyIcon(HICON hIcon)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto icon = IconFind(hIcon);
    if (!icon)
        return nullptr;
    auto copy = std::make_shared<IconObject>(*icon);
    copy->mask = tw::gdi::CopyBitmap(*icon->mask);
    if (icon->color)
        copy->color = tw::gdi::CopyBitmap(*icon->color);
    return HICON(tw::gdi::AddObject(copy));
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto icon = IconFind(hIcon);
    if (!icon || !piconinfo)
        return FALSE;
    // The caller owns (and deletes) copies of the bitmaps.
    piconinfo->fIcon = icon->isIcon;
    piconinfo->xHotspot = icon->hotX;
    piconinfo->yHotspot = icon->hotY;
    piconinfo->hbmMask = HBITMAP(tw::gdi::AddObject(tw::gdi::CopyBitmap(*icon->mask)));
    piconinfo->hbmColor = icon->color ? HBITMAP(tw::gdi::AddObject(tw::gdi::CopyBitmap(*icon->color))) : nullptr;
    return TRUE;
}

BOOL DestroyIcon(HICON hIcon)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    if (!IconFind(hIcon))
        return FALSE;
    return tw::gdi::RemoveObject(hIcon);
}

BOOL DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags)
{
    (void)istepIfAniCur;
    DrawCall call(hdc);
    auto icon = IconFind(hIcon);
    if (!call.Valid() || !icon || !(diFlags & DI_NORMAL))
        return FALSE;
    int w = cxWidth, h = cyWidth;
    if (w == 0)
        w = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(icon->isIcon ? SM_CXICON : SM_CXCURSOR) : icon->mask->width;
    if (h == 0)
        h = (diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(icon->isIcon ? SM_CYICON : SM_CYCURSOR) : IconHeight(*icon);
    if (w <= 0 || h <= 0)
        return FALSE;
    if (hbrFlickerFreeDraw) {
        // Drawn through an off-screen copy filled with the brush first.
        auto brush = tw::gdi::ResolveBrush(hbrFlickerFreeDraw);
        if (!brush)
            return FALSE;
        if (call.CanPaint()) {
            const RECT box = call.Dc().RectToSurface(xLeft, yTop, xLeft + w, yTop + h);
            call.Changed(tw::gdi::PaintRectRop3(call.Target(), box, call.Dc().PaintOfBrush(brush.get()), PATCOPY));
        }
    }
    if (call.CanPaint())
        IconPaint(call, *icon, xLeft, yTop, w, h, diFlags);
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
}

// --- DrawState ----------------------------------------------------------------------------
namespace {

// The image as a monochrome shape: 1 where it has ink.
struct StateShape {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> ink;
};

StateShape StateShapeOfBitmap(HBITMAP bitmap)
{
    StateShape shape;
    auto object = tw::gdi::FindObjectAs<BitmapObject>(bitmap, OBJ_BITMAP);
    if (!object)
        return shape;
    shape.width = object->width;
    shape.height = object->height;
    const tw::gdi::Surface s = object->GetSurface();
    // As a copy to a monochrome bitmap with a white background: white stays out.
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            shape.ink.push_back((s.At(x, y) & 0xFFFFFF) != 0xFFFFFF);
    return shape;
}

StateShape StateShapeOfIcon(HICON icon)
{
    StateShape shape;
    auto object = IconFind(icon);
    if (!object)
        return shape;
    shape.width = object->mask->width;
    shape.height = IconHeight(*object);
    const tw::gdi::Surface mask = object->mask->GetSurface();
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            shape.ink.push_back((mask.At(x, y) & 0xFFFFFF) == 0);
    return shape;
}

void StatePaintShape(DrawCall& call, const StateShape& shape, int x, int y, uint32_t color)
{
    auto& dc = call.Dc();
    const POINT origin = dc.ToSurface(x, y);
    tw::gdi::CoverageMask mask(RECT{origin.x, origin.y, origin.x + shape.width, origin.y + shape.height});
    for (int sy = 0; sy < shape.height; ++sy)
        for (int sx = 0; sx < shape.width; ++sx)
            if (shape.ink[size_t(sy) * shape.width + sx])
                mask.Set(origin.x + sx, origin.y + sy, 1);
    tw::gdi::BrushPaint paint;
    paint.none = false;
    paint.color = color;
    call.Changed(tw::gdi::PaintMaskRop2(call.Target().surface, call.Target().clip, mask, paint, nullptr, R2_COPYPEN,
                                        call.Target().mono));
}

}  // namespace

BOOL DrawState(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y, int cx,
               int cy, UINT uFlags)
{
    const UINT type = uFlags & 0x000F;
    const bool disabled = (uFlags & DSS_DISABLED) != 0;
    const bool mono = (uFlags & DSS_MONO) != 0;
    if (type == DST_COMPLEX) {
        if (!qfnCallBack || cx <= 0 || cy <= 0)
            return FALSE;
        if (!disabled && !mono) {
            // The callback draws from (0, 0): the origin moves to (x, y) meanwhile.
            POINT oldOrigin{};
            OffsetViewportOrgEx(hdc, x, y, &oldOrigin);
            const BOOL ok = qfnCallBack(hdc, lData, wData, cx, cy);
            SetViewportOrgEx(hdc, oldOrigin.x, oldOrigin.y, nullptr);
            return ok;
        }
        // The callback draws on white; what it leaves non-white is the shape.
        HDC memory = CreateCompatibleDC(hdc);
        HBITMAP canvas = CreateBitmap(cx, cy, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(memory, canvas);
        RECT all{0, 0, cx, cy};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const BOOL drawn = qfnCallBack(memory, lData, wData, cx, cy);
        SelectObject(memory, old);
        DeleteDC(memory);
        const BOOL ok = drawn && DrawState(hdc, hbrFore, nullptr, LPARAM(canvas), 0, x, y, cx, cy,
                                           DST_BITMAP | (uFlags & ~UINT(0x000F)));
        DeleteObject(canvas);
        return ok;
    }
    if (type == DST_TEXT || type == DST_PREFIXTEXT) {
        const char* text = reinterpret_cast<const char*>(lData);
        if (!text)
            return FALSE;
        const int length = wData ? int(wData) : int(std::strlen(text));
        UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP;
        if (type == DST_TEXT)
            format |= DT_NOPREFIX;
        if (uFlags & DSS_HIDEPREFIX)
            format |= DT_HIDEPREFIX;
        if (uFlags & DSS_PREFIXONLY)
            format |= DT_PREFIXONLY;
        RECT r{x, y, x + (cx ? cx : 10000), y + (cy ? cy : 10000)};
        const int oldMode = SetBkMode(hdc, TRANSPARENT);
        const COLORREF oldColor = GetTextColor(hdc);
        BOOL ok = TRUE;
        if (disabled) {
            SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
            RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
            ok = DrawText(hdc, text, length, &shifted, format) != 0;
            SetTextColor(hdc, GetSysColor(COLOR_BTNSHADOW));
        } else if (mono) {
            auto brush = tw::gdi::ResolveBrush(hbrFore);
            LOGBRUSH lb{};
            if (brush && GetObject(brush.get(), sizeof(lb), &lb))
                SetTextColor(hdc, lb.lbColor);
        }
        ok = DrawText(hdc, text, length, &r, format) != 0 && ok;
        SetTextColor(hdc, oldColor);
        SetBkMode(hdc, oldMode);
        return ok;
    }
    if (type != DST_BITMAP && type != DST_ICON)
        return FALSE;
    if (!disabled && !mono) {
        if (type == DST_ICON)
            return DrawIconEx(hdc, x, y, reinterpret_cast<HICON>(lData), cx, cy, 0, nullptr, DI_NORMAL);
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(lData);
        BITMAP bm{};
        if (!GetObject(bitmap, sizeof(bm), &bm))
            return FALSE;
        HDC memory = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const BOOL ok = BitBlt(hdc, x, y, cx ? cx : bm.bmWidth, cy ? cy : bm.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return ok;
    }
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    const StateShape shape = type == DST_ICON ? StateShapeOfIcon(reinterpret_cast<HICON>(lData))
                                              : StateShapeOfBitmap(reinterpret_cast<HBITMAP>(lData));
    if (shape.width == 0)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    auto& dc = call.Dc();
    if (disabled) {
        StatePaintShape(call, shape, x + 1, y + 1, dc.PaintOfColor(GetSysColor(COLOR_BTNHIGHLIGHT)).color);
        StatePaintShape(call, shape, x, y, dc.PaintOfColor(GetSysColor(COLOR_BTNSHADOW)).color);
        return TRUE;
    }
    auto brush = tw::gdi::ResolveBrush(hbrFore);
    const tw::gdi::BrushPaint paint = brush ? dc.PaintOfBrush(brush.get()) : dc.PaintOfColor(dc.state.textColor);
    StatePaintShape(call, shape, x, y, paint.solid ? paint.color : dc.PaintOfColor(dc.state.textColor).color);
    return TRUE;
}
