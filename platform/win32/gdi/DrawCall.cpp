#include "platform/win32/gdi/DrawCall.h"

#include <algorithm>

namespace tw::gdi {

DrawCall::DrawCall(HDC hdc) : lock_(GdiLock()), dc_(FindDC(hdc))
{
    if (dc_)
        paintable_ = dc_->OpenTarget(target_);
}

DrawCall::~DrawCall() { target_.Touch(changed_); }

RECT PaintRectRop3(const DeviceContext::Target& target, const RECT& rect, const BrushPaint& pattern, DWORD rop)
{
    const RECT area = RectIntersection(rect, target.clip.Bounds());
    if (RectIsEmpty(area))
        return RECT{0, 0, 0, 0};
    const bool usesPattern = Rop3UsesPattern(rop);
    if (usesPattern && pattern.none)
        return RECT{0, 0, 0, 0};
    // The common fill: one solid colour copied.
    const bool solidCopy = usesPattern && pattern.solid && ((rop >> 16) & 0xFF) == 0xF0;
    for (int y = area.top; y < area.bottom; ++y) {
        target.clip.ForEachSpan(y, area.left, area.right, [&](int x0, int x1) {
            uint32_t* row = target.surface.Row(y);
            if (solidCopy) {
                std::fill(row + x0, row + x1, target.mono ? NearestMonoPixel(pattern.color) : pattern.color & 0xFFFFFF);
                return;
            }
            for (int x = x0; x < x1; ++x) {
                uint32_t p = 0;
                if (usesPattern && !pattern.Sample(x, y, p))
                    continue;
                uint32_t result = ApplyRop3(rop, p, 0, row[x]) & 0xFFFFFF;
                if (target.mono)
                    result = NearestMonoPixel(result);
                row[x] = result;
            }
        });
    }
    return area;
}

int PenPixelWidth(const DeviceContext& dc)
{
    const PenObject* pen = dc.state.pen.get();
    if (!pen || pen->StyleKind() == PS_NULL)
        return 0;
    if (!pen->IsGeometric() && pen->extended)
        return 1;
    // Widths are logical; 0 is the one-pixel pen in every mode.
    return std::max(1, dc.LengthToDeviceX(pen->width));
}

namespace {

std::vector<int> PenDashPattern(const PenObject& pen)
{
    switch (pen.StyleKind()) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    case PS_USERSTYLE: {
        std::vector<int> pattern;
        for (DWORD entry : pen.userStyle)
            pattern.push_back(std::max<int>(1, int(entry)));
        return pattern;
    }
    default: return {};
    }
}

}  // namespace

RECT StrokeWithPen(DeviceContext& dc, DeviceContext::Target& target, const POINT* points, int count, bool closed)
{
    const int width = PenPixelWidth(dc);
    if (width == 0 || count < 2)
        return RECT{0, 0, 0, 0};
    RECT box{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
    for (int i = 1; i < count; ++i)
        box = RectUnion(box, RECT{points[i].x, points[i].y, points[i].x + 1, points[i].y + 1});
    box = RECT{box.left - width, box.top - width, box.right + width, box.bottom + width};
    box = RectIntersection(box, target.clip.Bounds());
    if (RectIsEmpty(box))
        return RECT{0, 0, 0, 0};
    CoverageMask mask(box);
    const int segments = closed ? count : count - 1;
    if (width == 1) {
        DashState dash;
        dash.pattern = PenDashPattern(*dc.state.pen);
        for (int i = 0; i < segments; ++i) {
            const POINT& a = points[i];
            const POINT& b = points[(i + 1) % count];
            RasterLine(mask, a.x, a.y, b.x, b.y, &dash);
        }
    } else {
        for (int i = 0; i < segments; ++i) {
            const POINT& a = points[i];
            const POINT& b = points[(i + 1) % count];
            RasterWideLine(mask, a.x, a.y, b.x, b.y, width, true);
        }
    }
    const BrushPaint pen = dc.PaintOfColor(dc.PenColor());
    const BrushPaint gap = dc.PaintOfColor(dc.state.bkColor);
    const bool opaqueGaps = dc.state.bkMode == OPAQUE;
    return PaintMaskRop2(target.surface, target.clip, mask, pen, opaqueGaps ? &gap : nullptr, dc.state.rop2,
                         target.mono);
}

}  // namespace tw::gdi
