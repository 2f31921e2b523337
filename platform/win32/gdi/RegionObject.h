// A region: a set of pixels kept as y-x banded rectangles.
#pragma once

#include <memory>
#include <vector>

#include "platform/win32/gdi/GdiObjects.h"

namespace tw::gdi {

class RegionObject : public GdiObject {
public:
    RegionObject();
    ~RegionObject() override;
    RegionObject(const RegionObject&) = delete;
    RegionObject& operator=(const RegionObject&) = delete;

    void SetRect(const RECT& rect);
    void SetRects(const std::vector<RECT>& rects);
    void CopyFrom(const RegionObject& other);
    // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF into this region.
    bool Combine(const RegionObject& a, const RegionObject& b, int mode);
    void Offset(int dx, int dy);
    bool ContainsPoint(int x, int y) const;
    bool IntersectsRect(const RECT& rect) const;
    bool Equals(const RegionObject& other) const;
    RECT Extents() const;
    std::vector<RECT> Rects() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

std::shared_ptr<RegionObject> MakeRegion();
std::shared_ptr<RegionObject> FindRegion(HRGN handle);

}  // namespace tw::gdi
