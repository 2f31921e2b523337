// A region kept as a list of disjoint rectangles: the update regions of
// windows. Small and exact; regions handed to callers are built from it.
#pragma once

#include <vector>

#include "platform/win32/windef.h"

namespace tw::user {

class RectRegion {
public:
    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    RECT Bounds() const;

    void Clear() { rects_.clear(); }
    void Add(const RECT& rect);
    void Subtract(const RECT& rect);
    void IntersectWith(const RECT& rect);
    void Offset(int dx, int dy);
    bool Intersects(const RECT& rect) const;

    static bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
    static RECT Intersection(const RECT& a, const RECT& b);

private:
    std::vector<RECT> rects_;
};

}  // namespace tw::user
