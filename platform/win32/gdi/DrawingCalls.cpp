// Lines, shapes, pixels, fills and pattern blits.
#include <algorithm>
#include <vector>

#include "platform/win32/gdi/DrawCall.h"

using tw::gdi::BrushPaint;
using tw::gdi::CoverageMask;
using tw::gdi::DeviceContext;
using tw::gdi::DrawCall;

namespace {

// Fills a mask's foreground with the DC's brush through its ROP2.
void DrawingFillMask(DrawCall& call, const CoverageMask& mask)
{
    DeviceContext& dc = call.Dc();
    const BrushPaint brush = dc.PaintOfBrush(dc.state.brush.get());
    if (brush.none)
        return;
    call.Changed(tw::gdi::PaintMaskRop2(call.Target().surface, call.Target().clip, mask, brush, nullptr,
                                        dc.state.rop2, call.Target().mono));
}

std::vector<POINT> DrawingToSurface(DeviceContext& dc, const POINT* points, int count)
{
    std::vector<POINT> out(count);
    for (int i = 0; i < count; ++i)
        out[i] = dc.ToSurface(points[i].x, points[i].y);
    return out;
}

RECT DrawingBounds(const std::vector<POINT>& points)
{
    RECT box{0, 0, 0, 0};
    for (const POINT& p : points)
        box = tw::gdi::RectUnion(box, RECT{p.x, p.y, p.x + 1, p.y + 1});
    return box;
}

// Rectangle, RoundRect and Ellipse: the brush inside, then the pen's outline.
BOOL DrawingRoundShape(HDC hdc, int left, int top, int right, int bottom, int ew, int eh, bool ellipse)
{
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    DeviceContext& dc = call.Dc();
    RECT r = dc.RectToSurface(left, top, right, bottom);
    r = tw::gdi::NormalizedRect(r.left, r.top, r.right, r.bottom);
    if (ellipse) {
        ew = r.right - r.left;
        eh = r.bottom - r.top;
    } else {
        // The corner ellipse is logical, like the rectangle around it.
        ew = dc.LengthToDeviceX(ew);
        eh = dc.LengthToDeviceY(eh);
    }
    const int penWidth = tw::gdi::PenPixelWidth(dc);
    const RECT box = tw::gdi::RectIntersection(RECT{r.left - penWidth, r.top - penWidth, r.right + penWidth,
                                                    r.bottom + penWidth},
                                               call.Target().clip.Bounds());
    if (tw::gdi::RectIsEmpty(box))
        return TRUE;
    if (penWidth == 0) {
        // Without a pen the filled shape is one pixel smaller each way.
        CoverageMask inside(box);
        tw::gdi::RasterRoundRect(inside, r.left, r.top, r.right - 1, r.bottom - 1, ellipse ? ew - 1 : ew,
                                 ellipse ? eh - 1 : eh, 1);
        DrawingFillMask(call, inside);
        return TRUE;
    }
    CoverageMask inside(box);
    tw::gdi::RasterRoundRect(inside, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, ew - 2, eh - 2, 1);
    DrawingFillMask(call, inside);
    CoverageMask outline(box);
    if (penWidth == 1 && ew == 0 && eh == 0 && dc.state.pen->StyleKind() != PS_SOLID &&
        dc.state.pen->StyleKind() != PS_INSIDEFRAME) {
        const POINT corners[4] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                                  {r.left, r.bottom - 1}};
        call.Changed(tw::gdi::StrokeWithPen(dc, call.Target(), corners, 4, true));
        return TRUE;
    }
    // A wide pen is centred on the outline, except an inside-frame pen, which
    // keeps within the bounds.
    RECT frame = r;
    if (penWidth > 1 && dc.state.pen->StyleKind() != PS_INSIDEFRAME) {
        const int before = (penWidth - 1) / 2;
        const int after = penWidth - 1 - before;
        frame = RECT{r.left - before, r.top - before, r.right + after, r.bottom + after};
        if (ew || eh) {
            ew += penWidth - 1;
            eh += penWidth - 1;
        }
    }
    tw::gdi::RasterRoundRectFrame(outline, frame.left, frame.top, frame.right, frame.bottom, ew, eh, penWidth);
    const BrushPaint pen = dc.PaintOfColor(dc.PenColor());
    call.Changed(tw::gdi::PaintMaskRop2(call.Target().surface, call.Target().clip, outline, pen, nullptr,
                                        dc.state.rop2, call.Target().mono));
    return TRUE;
}

BOOL DrawingPolyPolygon(HDC hdc, const POINT* apt, const INT* counts, int polygons)
{
    DrawCall call(hdc);
    if (!call.Valid() || !apt || !counts || polygons <= 0)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    DeviceContext& dc = call.Dc();
    int total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2)
            return FALSE;
        total += counts[i];
    }
    const std::vector<POINT> points = DrawingToSurface(dc, apt, total);
    const RECT box = tw::gdi::RectIntersection(DrawingBounds(points), call.Target().clip.Bounds());
    if (!tw::gdi::RectIsEmpty(box)) {
        CoverageMask inside(box);
        tw::gdi::RasterPolygon(inside, points.data(), counts, polygons, dc.state.polyFillMode == WINDING, 1);
        DrawingFillMask(call, inside);
    }
    int offset = 0;
    for (int i = 0; i < polygons; ++i) {
        call.Changed(tw::gdi::StrokeWithPen(dc, call.Target(), points.data() + offset, counts[i], true));
        offset += counts[i];
    }
    return TRUE;
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto dc = tw::gdi::FindDC(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    DeviceContext& dc = call.Dc();
    const POINT from = dc.ToSurface(dc.state.position.x, dc.state.position.y);
    const POINT to = dc.ToSurface(x, y);
    dc.state.position = POINT{x, y};
    if (!call.CanPaint())
        return TRUE;
    const POINT line[2] = {from, to};
    call.Changed(tw::gdi::StrokeWithPen(dc, call.Target(), line, 2, false));
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    DrawCall call(hdc);
    if (!call.Valid() || !apt || cpt < 2)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    const std::vector<POINT> points = DrawingToSurface(call.Dc(), apt, cpt);
    call.Changed(tw::gdi::StrokeWithPen(call.Dc(), call.Target(), points.data(), cpt, false));
    return TRUE;
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt)
{
    if (!apt || cpt == 0)
        return FALSE;
    std::vector<POINT> points;
    {
        std::lock_guard lock(tw::gdi::GdiLock());
        auto dc = tw::gdi::FindDC(hdc);
        if (!dc)
            return FALSE;
        points.push_back(dc->state.position);
    }
    points.insert(points.end(), apt, apt + cpt);
    if (!Polyline(hdc, points.data(), int(points.size())))
        return FALSE;
    return MoveToEx(hdc, apt[cpt - 1].x, apt[cpt - 1].y, nullptr);
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) { return DrawingPolyPolygon(hdc, apt, &cpt, 1); }

BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz) { return DrawingPolyPolygon(hdc, apt, asz, csz); }

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    return DrawingRoundShape(hdc, left, top, right, bottom, 0, 0, false);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    return DrawingRoundShape(hdc, left, top, right, bottom, width, height, false);
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    return DrawingRoundShape(hdc, left, top, right, bottom, 0, 0, true);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    DrawCall call(hdc);
    if (!call.Valid() || !call.CanPaint())
        return COLORREF(-1);
    const POINT s = call.Dc().ToSurface(x, y);
    if (!call.Target().clip.Contains(s.x, s.y))
        return COLORREF(-1);
    uint32_t pixel = tw::gdi::ColorToPixel(color);
    if (call.Target().mono)
        pixel = tw::gdi::NearestMonoPixel(pixel);
    call.Target().surface.At(s.x, s.y) = pixel;
    call.Changed(RECT{s.x, s.y, s.x + 1, s.y + 1});
    return tw::gdi::PixelToColor(pixel);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != COLORREF(-1); }

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DrawCall call(hdc);
    if (!call.Valid() || !call.CanPaint())
        return CLR_INVALID;
    const POINT s = call.Dc().ToSurface(x, y);
    if (!call.Target().clip.Contains(s.x, s.y))
        return CLR_INVALID;
    return tw::gdi::PixelToColor(call.Target().surface.At(s.x, s.y));
}

BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type)
{
    DrawCall call(hdc);
    if (!call.Valid() || !call.CanPaint())
        return FALSE;
    DeviceContext& dc = call.Dc();
    const auto& target = call.Target();
    const POINT start = dc.ToSurface(x, y);
    if (!target.clip.Contains(start.x, start.y))
        return FALSE;
    const uint32_t reference = tw::gdi::ColorToPixel(color);
    auto belongs = [&](int px, int py) {
        const uint32_t pixel = target.surface.At(px, py) & 0xFFFFFF;
        return type == FLOODFILLSURFACE ? pixel == reference : pixel != reference;
    };
    if (!belongs(start.x, start.y))
        return FALSE;
    // Decide the area first, then paint it, so the brush's own colour cannot leak the fill.
    const RECT box = target.clip.Bounds();
    CoverageMask area(box);
    std::vector<POINT> stack{start};
    area.Set(start.x, start.y, 1);
    while (!stack.empty()) {
        const POINT p = stack.back();
        stack.pop_back();
        const POINT next[4] = {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}};
        for (const POINT& n : next) {
            if (!target.clip.Contains(n.x, n.y) || area.Get(n.x, n.y) || !belongs(n.x, n.y))
                continue;
            area.Set(n.x, n.y, 1);
            stack.push_back(n);
        }
    }
    const BrushPaint brush = dc.PaintOfBrush(dc.state.brush.get());
    call.Changed(tw::gdi::PaintMaskRop2(target.surface, target.clip, area, brush, nullptr, R2_COPYPEN, target.mono));
    return TRUE;
}

BOOL FloodFill(HDC hdc, int x, int y, COLORREF color) { return ExtFloodFill(hdc, x, y, color, FLOODFILLBORDER); }

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    if (tw::gdi::Rop3UsesSource(rop))
        return FALSE;
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    DeviceContext& dc = call.Dc();
    RECT r = dc.RectToSurface(x, y, x + w, y + h);
    r = tw::gdi::NormalizedRect(r.left, r.top, r.right, r.bottom);
    const BrushPaint brush = dc.PaintOfBrush(dc.state.brush.get());
    call.Changed(tw::gdi::PaintRectRop3(call.Target(), r, brush, rop));
    return TRUE;
}

// --- regions drawn -----------------------------------------------------------------
namespace {

// The region in surface coordinates of the DC.
std::shared_ptr<tw::gdi::RegionObject> DrawingRegionOnSurface(DeviceContext& dc, HRGN hrgn)
{
    auto region = tw::gdi::FindRegion(hrgn);
    if (!region)
        return nullptr;
    auto moved = tw::gdi::MakeRegion();
    moved->CopyFrom(*region);
    const POINT shift = dc.ToSurface(0, 0);
    moved->Offset(shift.x, shift.y);
    return moved;
}

BOOL DrawingPaintRegion(HDC hdc, HRGN hrgn, HBRUSH hbr, DWORD rop, bool selectedBrush)
{
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    auto region = DrawingRegionOnSurface(call.Dc(), hrgn);
    if (!region)
        return FALSE;
    std::shared_ptr<tw::gdi::BrushObject> brush =
        selectedBrush ? call.Dc().state.brush : tw::gdi::ResolveBrush(hbr);
    if (!brush && tw::gdi::Rop3UsesPattern(rop))
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    const BrushPaint paint = call.Dc().PaintOfBrush(brush.get());
    for (const RECT& r : region->Rects())
        call.Changed(tw::gdi::PaintRectRop3(call.Target(), r, paint, rop));
    return TRUE;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) { return DrawingPaintRegion(hdc, hrgn, hbr, PATCOPY, false); }

BOOL PaintRgn(HDC hdc, HRGN hrgn) { return DrawingPaintRegion(hdc, hrgn, nullptr, PATCOPY, true); }

BOOL InvertRgn(HDC hdc, HRGN hrgn) { return DrawingPaintRegion(hdc, hrgn, nullptr, DSTINVERT, false); }

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    std::lock_guard lock(tw::gdi::GdiLock());
    auto region = tw::gdi::FindRegion(hrgn);
    if (!region || w < 1 || h < 1)
        return FALSE;
    // The frame is what is left when the region is eroded by w across and h down.
    auto inner = tw::gdi::MakeRegion();
    inner->CopyFrom(*region);
    const POINT shifts[4] = {{w, 0}, {-w, 0}, {0, h}, {0, -h}};
    for (const POINT& s : shifts) {
        auto moved = tw::gdi::MakeRegion();
        moved->CopyFrom(*region);
        moved->Offset(s.x, s.y);
        inner->Combine(*inner, *moved, RGN_AND);
    }
    auto frame = tw::gdi::MakeRegion();
    frame->Combine(*region, *inner, RGN_DIFF);
    HRGN frameHandle = HRGN(tw::gdi::AddObject(frame));
    const BOOL ok = DrawingPaintRegion(hdc, frameHandle, hbr, PATCOPY, false);
    tw::gdi::RemoveObject(frameHandle);
    return ok;
}
