// Pixel-level drawing on 32-bit surfaces: raster operations computed per
// pixel, clipping to a set of rectangles, coverage masks, and the platform's
// rasterisation rules for lines, polygons and ellipses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::gdi {

struct Surface {
    uint32_t* base = nullptr;  // row 0
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;  // in pixels; negative for bottom-up bits
    uint32_t* Row(int y) const { return base + y * stride; }
    uint32_t& At(int x, int y) const { return base[y * stride + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    RECT Bounds() const { return RECT{0, 0, width, height}; }
};

// Where drawing may land, in surface coordinates: y-x sorted, non-overlapping rectangles.
class ClipArea {
public:
    ClipArea() = default;
    explicit ClipArea(std::vector<RECT> rects);
    const std::vector<RECT>& Rects() const { return rects_; }
    const RECT& Bounds() const { return bounds_; }
    bool Empty() const { return rects_.empty(); }
    bool Contains(int x, int y) const;
    // Calls span(x0, x1) for each visible piece of [x0, x1) on row y.
    template <class F>
    void ForEachSpan(int y, int x0, int x1, F&& span) const
    {
        if (y < bounds_.top || y >= bounds_.bottom)
            return;
        for (const RECT& r : rects_) {
            if (y < r.top || y >= r.bottom)
                continue;
            const int a = x0 > r.left ? x0 : int(r.left);
            const int b = x1 < r.right ? x1 : int(r.right);
            if (a < b)
                span(a, b);
        }
    }

private:
    std::vector<RECT> rects_;
    RECT bounds_{0, 0, 0, 0};
};

// Binary raster operation (R2_ code) and ternary operation (the ROP's index byte).
uint32_t ApplyRop2(int rop2, uint32_t pen, uint32_t dst);
uint32_t ApplyRop3(DWORD rop, uint32_t pattern, uint32_t source, uint32_t dst);
bool Rop3UsesSource(DWORD rop);
bool Rop3UsesPattern(DWORD rop);
bool Rop3UsesDest(DWORD rop);

// A brush as seen by one DC: a solid colour, or a tile aligned to an origin
// (hatch brushes leave their background out in TRANSPARENT mode).
struct BrushPaint {
    bool none = true;  // a null brush: nothing is painted
    bool solid = true;
    uint32_t color = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    std::vector<uint32_t> tile;
    std::vector<uint8_t> tileOpaque;  // empty: all opaque
    POINT origin{0, 0};               // surface coordinates of the tile's (0, 0)
    // False where the brush leaves the pixel alone.
    bool Sample(int x, int y, uint32_t& out) const;
};

// Coverage of a shape before it is painted, so that every pixel gets the
// operation once: 0 untouched, 1 foreground, 2 background (gaps of styled pens).
class CoverageMask {
public:
    CoverageMask(const RECT& box);
    const RECT& Box() const { return box_; }
    void Set(int x, int y, uint8_t value);
    void SetSpan(int y, int x0, int x1, uint8_t value);  // x1 exclusive
    uint8_t Get(int x, int y) const;
    void Clear(int x, int y) { Set(x, y, 0); }
    bool AnySet() const;
    RECT UsedBounds() const;

private:
    RECT box_;
    int width_;
    std::vector<uint8_t> cells_;
};

// Paints the mask's foreground with fg and its background with bg (when
// given) through the binary raster operation; returns the changed bounds.
RECT PaintMaskRop2(const Surface& target, const ClipArea& clip, const CoverageMask& mask, const BrushPaint& fg,
                   const BrushPaint* bg, int rop2, bool monoTarget);

// Shape rasterisation into masks (coordinates already in surface space).
// 1-pixel line from (x0, y0) to (x1, y1), last pixel excluded, with an on/off
// dash pattern (pixels per entry, starting "on"; empty for solid) whose phase
// carries across calls.
struct DashState {
    std::vector<int> pattern;
    size_t index = 0;
    int left = 0;
    bool On() const { return pattern.empty() || index % 2 == 0; }
    void Step();
};
void RasterLine(CoverageMask& mask, int x0, int y0, int x1, int y1, DashState* dash);
// A line of a geometric pen width w: a disc at every point of the thin line.
void RasterWideLine(CoverageMask& mask, int x0, int y0, int x1, int y1, int width, bool includeLast);
// Polygon interior by pixel centres; left and top edges in, right and bottom out.
void RasterPolygon(CoverageMask& mask, const POINT* points, const int* counts, int polygonCount, bool winding,
                   uint8_t value);
// Rounded rectangle covering [left, right) x [top, bottom) with corner ellipse
// ew x eh; an ellipse when ew and eh are the whole size.
void RasterRoundRect(CoverageMask& mask, int left, int top, int right, int bottom, int ew, int eh, uint8_t value);
// Outline of the rounded rectangle, width pixels thick.
void RasterRoundRectFrame(CoverageMask& mask, int left, int top, int right, int bottom, int ew, int eh, int width);

// --- small rectangle helpers ----------------------------------------------------
inline bool RectIsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
RECT RectIntersection(const RECT& a, const RECT& b);
RECT RectUnion(const RECT& a, const RECT& b);
RECT NormalizedRect(int left, int top, int right, int bottom);

}  // namespace tw::gdi
