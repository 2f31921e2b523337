#include "platform/win32/user/RectRegion.h"

#include <algorithm>

namespace tw::user {

namespace rect_region_detail {

// Appends to `out` the parts of `r` outside `cut` (at most four bands).
void AppendDifference(const RECT& r, const RECT& cut, std::vector<RECT>& out)
{
    const RECT overlap = RectRegion::Intersection(r, cut);
    if (RectRegion::IsEmptyRect(overlap)) {
        out.push_back(r);
        return;
    }
    if (r.top < overlap.top)
        out.push_back({r.left, r.top, r.right, overlap.top});
    if (overlap.bottom < r.bottom)
        out.push_back({r.left, overlap.bottom, r.right, r.bottom});
    if (r.left < overlap.left)
        out.push_back({r.left, overlap.top, overlap.left, overlap.bottom});
    if (overlap.right < r.right)
        out.push_back({overlap.right, overlap.top, r.right, overlap.bottom});
}

}  // namespace rect_region_detail

RECT RectRegion::Intersection(const RECT& a, const RECT& b)
{
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (IsEmptyRect(r))
        return RECT{0, 0, 0, 0};
    return r;
}

RECT RectRegion::Bounds() const
{
    if (rects_.empty())
        return RECT{0, 0, 0, 0};
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

void RectRegion::Add(const RECT& rect)
{
    if (IsEmptyRect(rect))
        return;
    std::vector<RECT> pieces{rect};
    for (const RECT& existing : rects_) {
        std::vector<RECT> next;
        for (const RECT& p : pieces)
            rect_region_detail::AppendDifference(p, existing, next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void RectRegion::Subtract(const RECT& rect)
{
    if (IsEmptyRect(rect))
        return;
    std::vector<RECT> next;
    for (const RECT& r : rects_)
        rect_region_detail::AppendDifference(r, rect, next);
    rects_.swap(next);
}

void RectRegion::IntersectWith(const RECT& rect)
{
    std::vector<RECT> next;
    for (const RECT& r : rects_) {
        const RECT i = Intersection(r, rect);
        if (!IsEmptyRect(i))
            next.push_back(i);
    }
    rects_.swap(next);
}

void RectRegion::Offset(int dx, int dy)
{
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool RectRegion::Intersects(const RECT& rect) const
{
    return std::any_of(rects_.begin(), rects_.end(),
                       [&](const RECT& r) { return !IsEmptyRect(Intersection(r, rect)); });
}

}  // namespace tw::user
