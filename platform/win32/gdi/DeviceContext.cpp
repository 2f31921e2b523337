#include "platform/win32/gdi/DeviceContext.h"

#include "platform/display/Display.h"
#include "platform/win32/gdi/ScreenDC.h"
#include "platform/win32/gdi/SystemColors.h"

namespace tw::gdi {

namespace {

// The 8x8 hatch patterns, one byte per row, bit 7 leftmost.
constexpr uint8_t kDcHatchRows[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

}  // namespace

DeviceContext::DeviceContext(Kind dcKind) : GdiObject(dcKind == Kind::Memory ? OBJ_MEMDC : OBJ_DC), kind(dcKind)
{
    ResetState();
}

void DeviceContext::ResetState()
{
    DcState fresh;
    fresh.pen = std::static_pointer_cast<PenObject>(StockObject(BLACK_PEN));
    fresh.brush = std::static_pointer_cast<BrushObject>(StockObject(WHITE_BRUSH));
    fresh.font = std::static_pointer_cast<FontObject>(StockObject(SYSTEM_FONT));
    fresh.palette = std::static_pointer_cast<PaletteObject>(StockObject(DEFAULT_PALETTE));
    if (kind == Kind::Memory)
        fresh.bitmap = state.bitmap ? state.bitmap : StockBitmap();
    state = std::move(fresh);
    saved.clear();
}

void DeviceContext::Target::Touch(const RECT& changed)
{
    if (screen && !RectIsEmpty(changed))
        screen->MarkDirty(changed);
}

Surface DeviceContext::CurrentSurface()
{
    if (kind == Kind::Memory)
        return state.bitmap ? state.bitmap->GetSurface() : Surface{};
    tw::display::Screen& screen = tw::display::Display::Instance().GetScreen();
    Surface surface;
    surface.base = screen.Data();
    surface.width = screen.Width();
    surface.height = screen.Height();
    surface.stride = screen.Stride();
    return surface;
}

bool DeviceContext::OpenTarget(Target& target)
{
    if (kind == Kind::Screen) {
        target.screen = &tw::display::Display::Instance().GetScreen();
        target.screenLock = target.screen->Lock();
    }
    target.surface = CurrentSurface();
    if (!target.surface.base || target.surface.width <= 0 || target.surface.height <= 0)
        return false;
    target.mono = IsMono();
    target.clip = ClipArea(EffectiveClip()->Rects());
    return true;
}

std::shared_ptr<RegionObject> DeviceContext::EffectiveClip()
{
    auto clip = MakeRegion();
    clip->SetRect(CurrentSurface().Bounds());
    if (visible)
        clip->Combine(*clip, *visible, RGN_AND);
    if (state.clip) {
        auto selected = MakeRegion();
        selected->CopyFrom(*state.clip);
        selected->Offset(origin.x, origin.y);
        clip->Combine(*clip, *selected, RGN_AND);
    }
    return clip;
}

namespace dc_transform_detail {

// value * to / from, rounded half away from zero, in 64 bits.
LONG ScaleUnits(LONG value, LONG to, LONG from)
{
    if (to == from || from == 0)
        return value;
    long long num = static_cast<long long>(value) * to;
    long long den = from;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const long long half = den / 2;
    return static_cast<LONG>(num >= 0 ? (num + half) / den : -((-num + half) / den));
}

}  // namespace dc_transform_detail

POINT DeviceContext::ToSurface(int x, int y) const
{
    using dc_transform_detail::ScaleUnits;
    const LONG dx = ScaleUnits(x - state.windowOrg.x, state.viewportExt.cx, state.windowExt.cx);
    const LONG dy = ScaleUnits(y - state.windowOrg.y, state.viewportExt.cy, state.windowExt.cy);
    return POINT{dx + state.viewportOrg.x + origin.x, dy + state.viewportOrg.y + origin.y};
}

POINT DeviceContext::ToLogical(int sx, int sy) const
{
    using dc_transform_detail::ScaleUnits;
    const LONG lx = ScaleUnits(sx - origin.x - state.viewportOrg.x, state.windowExt.cx, state.viewportExt.cx);
    const LONG ly = ScaleUnits(sy - origin.y - state.viewportOrg.y, state.windowExt.cy, state.viewportExt.cy);
    return POINT{lx + state.windowOrg.x, ly + state.windowOrg.y};
}

RECT DeviceContext::RectToSurface(int left, int top, int right, int bottom) const
{
    const POINT a = ToSurface(left, top);
    const POINT b = ToSurface(right, bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

namespace dc_transform_detail {

LONG ScaleLength(LONG length, LONG to, LONG from)
{
    return ScaleUnits(length, to < 0 ? -to : to, from < 0 ? -from : from);
}

}  // namespace dc_transform_detail

int DeviceContext::LengthToDeviceX(int length) const
{
    return dc_transform_detail::ScaleLength(length, state.viewportExt.cx, state.windowExt.cx);
}

int DeviceContext::LengthToDeviceY(int length) const
{
    return dc_transform_detail::ScaleLength(length, state.viewportExt.cy, state.windowExt.cy);
}

int DeviceContext::LengthToLogicalX(int length) const
{
    return dc_transform_detail::ScaleLength(length, state.windowExt.cx, state.viewportExt.cx);
}

int DeviceContext::LengthToLogicalY(int length) const
{
    return dc_transform_detail::ScaleLength(length, state.windowExt.cy, state.viewportExt.cy);
}

bool DeviceContext::IsMono() const { return kind == Kind::Memory && state.bitmap && state.bitmap->IsMono(); }

BrushPaint DeviceContext::PaintOfColor(COLORREF color) const
{
    BrushPaint paint;
    paint.none = false;
    paint.solid = true;
    paint.color = ColorToPixel(color);
    if (IsMono())
        paint.color = NearestMonoPixel(paint.color);
    return paint;
}

COLORREF DeviceContext::PenColor() const
{
    if (!state.pen)
        return 0;
    return state.pen->dcPen ? state.dcPenColor : state.pen->color;
}

BrushPaint DeviceContext::PaintOfBrush(const BrushObject* brush)
{
    BrushPaint paint;
    if (!brush || brush->style == BS_NULL)
        return paint;
    if (brush->dcBrush)
        return PaintOfColor(state.dcBrushColor);
    if (brush->sysColorIndex >= 0)
        return PaintOfColor(GetSysColor(brush->sysColorIndex));
    if (brush->style == BS_SOLID)
        return PaintOfColor(brush->color);
    paint.none = false;
    paint.solid = false;
    paint.origin = POINT{origin.x + state.brushOrg.x, origin.y + state.brushOrg.y};
    const bool mono = IsMono();
    auto fix = [mono](uint32_t pixel) { return mono ? NearestMonoPixel(pixel) : pixel; };
    if (brush->style == BS_HATCHED) {
        paint.tileWidth = paint.tileHeight = 8;
        paint.tile.resize(64);
        const bool opaque = state.bkMode == OPAQUE;
        if (!opaque)
            paint.tileOpaque.resize(64);
        const uint32_t fg = fix(ColorToPixel(brush->color));
        const uint32_t bg = fix(ColorToPixel(state.bkColor));
        const int hatch = brush->hatch >= 0 && brush->hatch <= HS_DIAGCROSS ? brush->hatch : HS_HORIZONTAL;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool on = (kDcHatchRows[hatch][y] >> (7 - x)) & 1;
                paint.tile[y * 8 + x] = on ? fg : bg;
                if (!opaque)
                    paint.tileOpaque[y * 8 + x] = on ? 1 : 0;
            }
        }
        return paint;
    }
    const auto& pattern = brush->pattern;
    if (!pattern || pattern->width <= 0 || pattern->height <= 0)
        return BrushPaint{};
    paint.tileWidth = pattern->width;
    paint.tileHeight = pattern->height;
    paint.tile.resize(size_t(pattern->width) * pattern->height);
    const Surface source = pattern->GetSurface();
    // A monochrome pattern takes the DC's colours: black bits the text colour, white ones the background.
    const uint32_t zeroColor = fix(ColorToPixel(state.textColor));
    const uint32_t oneColor = fix(ColorToPixel(state.bkColor));
    for (int y = 0; y < pattern->height; ++y) {
        for (int x = 0; x < pattern->width; ++x) {
            const uint32_t pixel = source.At(x, y) & 0xFFFFFF;
            uint32_t value = pixel;
            if (pattern->IsMono())
                value = pixel ? oneColor : zeroColor;
            paint.tile[size_t(y) * pattern->width + x] = fix(value);
        }
    }
    return paint;
}

std::shared_ptr<DeviceContext> FindDC(HDC hdc)
{
    auto object = FindObject(hdc);
    if (!object || (object->type != OBJ_DC && object->type != OBJ_MEMDC))
        return nullptr;
    return std::static_pointer_cast<DeviceContext>(object);
}

HDC CreateScreenDC(POINT dcOrigin, HRGN visibleRegion)
{
    std::lock_guard lock(GdiLock());
    auto dc = std::make_shared<DeviceContext>(DeviceContext::Kind::Screen);
    dc->origin = dcOrigin;
    if (visibleRegion) {
        auto region = FindRegion(visibleRegion);
        if (!region)
            return nullptr;
        dc->visible = MakeRegion();
        dc->visible->CopyFrom(*region);
    }
    return HDC(AddObject(dc));
}

BOOL SetScreenDCArea(HDC hdc, POINT dcOrigin, HRGN visibleRegion)
{
    std::lock_guard lock(GdiLock());
    auto dc = FindDC(hdc);
    if (!dc || dc->kind != DeviceContext::Kind::Screen)
        return FALSE;
    std::shared_ptr<RegionObject> copy;
    if (visibleRegion) {
        auto region = FindRegion(visibleRegion);
        if (!region)
            return FALSE;
        copy = MakeRegion();
        copy->CopyFrom(*region);
    }
    dc->origin = dcOrigin;
    dc->visible = copy;
    return TRUE;
}

BOOL ResetDCState(HDC hdc)
{
    std::lock_guard lock(GdiLock());
    auto dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    dc->ResetState();
    return TRUE;
}

bool IsScreenDC(HDC hdc)
{
    std::lock_guard lock(GdiLock());
    auto dc = FindDC(hdc);
    return dc && dc->kind == DeviceContext::Kind::Screen;
}

}  // namespace tw::gdi
