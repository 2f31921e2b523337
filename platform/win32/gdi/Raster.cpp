#include "platform/win32/gdi/Raster.h"

#include <algorithm>
#include <cmath>

namespace tw::gdi {

namespace {

constexpr uint32_t kRasterColorBits = 0x00FFFFFF;

uint32_t RasterMono(uint32_t pixel)
{
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    const int toBlack = r * r + g * g + b * b;
    const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite <= toBlack ? 0xFFFFFF : 0;
}

}  // namespace

// --- rectangles --------------------------------------------------------------------
RECT RectIntersection(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (RectIsEmpty(r))
        return RECT{0, 0, 0, 0};
    return r;
}

RECT RectUnion(const RECT& a, const RECT& b)
{
    if (RectIsEmpty(a))
        return b;
    if (RectIsEmpty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT NormalizedRect(int left, int top, int right, int bottom)
{
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// --- clip -----------------------------------------------------------------------------
ClipArea::ClipArea(std::vector<RECT> rects) : rects_(std::move(rects))
{
    rects_.erase(std::remove_if(rects_.begin(), rects_.end(), [](const RECT& r) { return RectIsEmpty(r); }),
                 rects_.end());
    for (const RECT& r : rects_)
        bounds_ = RectUnion(bounds_, r);
}

bool ClipArea::Contains(int x, int y) const
{
    if (x < bounds_.left || x >= bounds_.right || y < bounds_.top || y >= bounds_.bottom)
        return false;
    for (const RECT& r : rects_) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    }
    return false;
}

// --- raster operations ---------------------------------------------------------------
uint32_t ApplyRop2(int rop2, uint32_t pen, uint32_t dst)
{
    const unsigned table = unsigned(rop2 - 1) & 0xF;
    uint32_t result = 0;
    if (table & 1)
        result |= ~pen & ~dst;
    if (table & 2)
        result |= ~pen & dst;
    if (table & 4)
        result |= pen & ~dst;
    if (table & 8)
        result |= pen & dst;
    return result;
}

uint32_t ApplyRop3(DWORD rop, uint32_t pattern, uint32_t source, uint32_t dst)
{
    const unsigned table = (rop >> 16) & 0xFF;
    switch (table) {
    case 0xCC: return source;
    case 0xF0: return pattern;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFF;
    default: break;
    }
    uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(table & (1u << i)))
            continue;
        const uint32_t p = (i & 4) ? pattern : ~pattern;
        const uint32_t s = (i & 2) ? source : ~source;
        const uint32_t d = (i & 1) ? dst : ~dst;
        result |= p & s & d;
    }
    return result;
}

bool Rop3UsesSource(DWORD rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 2) & 0x33) != (t & 0x33);
}

bool Rop3UsesPattern(DWORD rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

bool Rop3UsesDest(DWORD rop)
{
    const unsigned t = (rop >> 16) & 0xFF;
    return ((t >> 1) & 0x55) != (t & 0x55);
}

// --- brushes -----------------------------------------------------------------------------
bool BrushPaint::Sample(int x, int y, uint32_t& out) const
{
    if (none)
        return false;
    if (solid) {
        out = color;
        return true;
    }
    int tx = (x - origin.x) % tileWidth;
    int ty = (y - origin.y) % tileHeight;
    if (tx < 0)
        tx += tileWidth;
    if (ty < 0)
        ty += tileHeight;
    const size_t index = size_t(ty) * tileWidth + tx;
    if (!tileOpaque.empty() && !tileOpaque[index])
        return false;
    out = tile[index];
    return true;
}

// --- masks -----------------------------------------------------------------------------------
CoverageMask::CoverageMask(const RECT& box)
    : box_(box), width_(std::max(0, int(box.right - box.left))),
      cells_(size_t(width_) * std::max(0, int(box.bottom - box.top)), 0)
{
}

void CoverageMask::Set(int x, int y, uint8_t value)
{
    if (x < box_.left || x >= box_.right || y < box_.top || y >= box_.bottom)
        return;
    cells_[size_t(y - box_.top) * width_ + (x - box_.left)] = value;
}

void CoverageMask::SetSpan(int y, int x0, int x1, uint8_t value)
{
    if (y < box_.top || y >= box_.bottom)
        return;
    x0 = std::max(x0, int(box_.left));
    x1 = std::min(x1, int(box_.right));
    if (x0 >= x1)
        return;
    uint8_t* row = &cells_[size_t(y - box_.top) * width_];
    std::fill(row + (x0 - box_.left), row + (x1 - box_.left), value);
}

uint8_t CoverageMask::Get(int x, int y) const
{
    if (x < box_.left || x >= box_.right || y < box_.top || y >= box_.bottom)
        return 0;
    return cells_[size_t(y - box_.top) * width_ + (x - box_.left)];
}

bool CoverageMask::AnySet() const
{
    return std::any_of(cells_.begin(), cells_.end(), [](uint8_t c) { return c != 0; });
}

RECT CoverageMask::UsedBounds() const
{
    RECT used{0, 0, 0, 0};
    const int height = box_.bottom - box_.top;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &cells_[size_t(y) * width_];
        for (int x = 0; x < width_; ++x) {
            if (row[x])
                used = RectUnion(used, RECT{box_.left + x, box_.top + y, box_.left + x + 1, box_.top + y + 1});
        }
    }
    return used;
}

RECT PaintMaskRop2(const Surface& target, const ClipArea& clip, const CoverageMask& mask, const BrushPaint& fg,
                   const BrushPaint* bg, int rop2, bool monoTarget)
{
    const RECT area = RectIntersection(mask.Box(), clip.Bounds());
    RECT changed{0, 0, 0, 0};
    for (int y = area.top; y < area.bottom; ++y) {
        clip.ForEachSpan(y, area.left, area.right, [&](int x0, int x1) {
            uint32_t* row = target.Row(y);
            for (int x = x0; x < x1; ++x) {
                const uint8_t cover = mask.Get(x, y);
                if (!cover)
                    continue;
                const BrushPaint* paint = cover == 1 ? &fg : bg;
                uint32_t color;
                if (!paint || !paint->Sample(x, y, color))
                    continue;
                uint32_t result = ApplyRop2(rop2, color, row[x]) & kRasterColorBits;
                if (monoTarget)
                    result = RasterMono(result);
                row[x] = result;
                changed = area;
            }
        });
    }
    return changed;
}

// --- lines ---------------------------------------------------------------------------------
void DashState::Step()
{
    if (pattern.empty())
        return;
    if (left <= 0)
        left = pattern[index % pattern.size()];
    if (--left <= 0) {
        index = (index + 1) % pattern.size();
        left = pattern[index];
    }
}

namespace {

template <class Plot>
void RasterBresenham(int x0, int y0, int x1, int y1, bool includeLast, Plot&& plot)
{
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const int steps = std::max(dx, dy) + (includeLast ? 1 : 0);
    int x = x0, y = y0;
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < steps; ++i) {
            plot(x, y);
            // Ties step towards the end point the same way in every octant.
            if (err > 0 || (err == 0 && sx < 0)) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < steps; ++i) {
            plot(x, y);
            if (err > 0 || (err == 0 && sy < 0)) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

}  // namespace

void RasterLine(CoverageMask& mask, int x0, int y0, int x1, int y1, DashState* dash)
{
    RasterBresenham(x0, y0, x1, y1, false, [&](int x, int y) {
        const bool on = !dash || dash->On();
        mask.Set(x, y, on ? 1 : 2);
        if (dash)
            dash->Step();
    });
}

void RasterWideLine(CoverageMask& mask, int x0, int y0, int x1, int y1, int width, bool includeLast)
{
    const double radius = width / 2.0;
    const double centre = (width - 1) / 2.0;
    const int shift = width / 2;
    auto stamp = [&](int cx, int cy) {
        for (int j = 0; j < width; ++j) {
            for (int i = 0; i < width; ++i) {
                const double ddx = i - centre, ddy = j - centre;
                if (ddx * ddx + ddy * ddy <= radius * radius)
                    mask.Set(cx - shift + i, cy - shift + j, 1);
            }
        }
    };
    RasterBresenham(x0, y0, x1, y1, includeLast, stamp);
}

// --- polygons --------------------------------------------------------------------------------
void RasterPolygon(CoverageMask& mask, const POINT* points, const int* counts, int polygonCount, bool winding,
                   uint8_t value)
{
    struct Edge {
        double x0, y0, x1, y1;
        int direction;
    };
    std::vector<Edge> edges;
    int top = INT32_MAX, bottom = INT32_MIN;
    const POINT* p = points;
    for (int poly = 0; poly < polygonCount; ++poly) {
        const int n = counts[poly];
        for (int i = 0; i < n; ++i) {
            const POINT& a = p[i];
            const POINT& b = p[(i + 1) % n];
            top = std::min<int>(top, a.y);
            bottom = std::max<int>(bottom, a.y);
            if (a.y == b.y)
                continue;
            edges.push_back(Edge{double(a.x), double(a.y), double(b.x), double(b.y), a.y < b.y ? 1 : -1});
        }
        p += n;
    }
    top = std::max(top, int(mask.Box().top));
    bottom = std::min(bottom, int(mask.Box().bottom));
    std::vector<std::pair<double, int>> crossings;
    for (int y = top; y < bottom; ++y) {
        const double yc = y + 0.5;
        crossings.clear();
        for (const Edge& e : edges) {
            const double lo = std::min(e.y0, e.y1), hi = std::max(e.y0, e.y1);
            if (yc < lo || yc >= hi)
                continue;
            crossings.emplace_back(e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.direction);
        }
        std::sort(crossings.begin(), crossings.end());
        int count = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            count += winding ? crossings[i].second : 1;
            const bool inside = winding ? count != 0 : (count % 2) != 0;
            if (!inside)
                continue;
            const int xa = int(std::ceil(crossings[i].first - 0.5));
            const int xb = int(std::ceil(crossings[i + 1].first - 0.5));
            mask.SetSpan(y, xa, xb, value);
        }
    }
}

// --- ellipses and rounded rectangles ------------------------------------------------------------
namespace {

// First pixel of row y inside the rounded rectangle; the row is symmetric.
int RoundRectRowStart(int left, int top, int bottom, double rx, double ry, int y)
{
    const double yc = y + 0.5;
    double dy = 0;
    if (yc < top + ry)
        dy = (top + ry) - yc;
    else if (yc > bottom - ry)
        dy = yc - (bottom - ry);
    else
        return left;
    if (ry <= 0)
        return left;
    const double t = std::max(0.0, 1.0 - (dy / ry) * (dy / ry));
    const double halfWidth = rx * std::sqrt(t);
    return int(std::ceil(left + rx - halfWidth - 0.5));
}

}  // namespace

void RasterRoundRect(CoverageMask& mask, int left, int top, int right, int bottom, int ew, int eh, uint8_t value)
{
    if (right <= left || bottom <= top)
        return;
    ew = std::clamp(ew, 0, right - left);
    eh = std::clamp(eh, 0, bottom - top);
    const double rx = ew / 2.0, ry = eh / 2.0;
    for (int y = top; y < bottom; ++y) {
        const int x0 = RoundRectRowStart(left, top, bottom, rx, ry, y);
        const int x1 = left + right - 1 - x0;
        if (x0 <= x1)
            mask.SetSpan(y, x0, x1 + 1, value);
    }
}

void RasterRoundRectFrame(CoverageMask& mask, int left, int top, int right, int bottom, int ew, int eh, int width)
{
    RasterRoundRect(mask, left, top, right, bottom, ew, eh, 1);
    RasterRoundRect(mask, left + width, top + width, right - width, bottom - width, ew - 2 * width, eh - 2 * width,
                    0);
}

}  // namespace tw::gdi
