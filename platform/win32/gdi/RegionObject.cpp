#include "platform/win32/gdi/RegionObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <pixman.h>

namespace tw::gdi {

struct RegionObject::Impl {
    pixman_region32_t region;
    Impl() { pixman_region32_init(&region); }
    ~Impl() { pixman_region32_fini(&region); }
};

RegionObject::RegionObject() : GdiObject(OBJ_REGION), impl_(std::make_unique<Impl>()) {}

RegionObject::~RegionObject() = default;

void RegionObject::SetRect(const RECT& rect)
{
    pixman_region32_fini(&impl_->region);
    const RECT r = NormalizedRect(rect.left, rect.top, rect.right, rect.bottom);
    if (RectIsEmpty(r))
        pixman_region32_init(&impl_->region);
    else
        pixman_region32_init_rect(&impl_->region, r.left, r.top, unsigned(r.right - r.left),
                                  unsigned(r.bottom - r.top));
}

void RegionObject::SetRects(const std::vector<RECT>& rects)
{
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(rects.size());
    for (const RECT& r : rects) {
        if (!RectIsEmpty(r))
            boxes.push_back(pixman_box32_t{r.left, r.top, r.right, r.bottom});
    }
    pixman_region32_fini(&impl_->region);
    // Sorted and merged by pixman, so boxes from any source (overlapping too) are fine.
    pixman_region32_init_rects(&impl_->region, boxes.data(), int(boxes.size()));
}

void RegionObject::CopyFrom(const RegionObject& other)
{
    if (&other != this)
        pixman_region32_copy(&impl_->region, &other.impl_->region);
}

bool RegionObject::Combine(const RegionObject& a, const RegionObject& b, int mode)
{
    pixman_region32_t result;
    pixman_region32_init(&result);
    switch (mode) {
    case RGN_AND:
        pixman_region32_intersect(&result, &a.impl_->region, &b.impl_->region);
        break;
    case RGN_OR:
        pixman_region32_union(&result, &a.impl_->region, &b.impl_->region);
        break;
    case RGN_DIFF:
        pixman_region32_subtract(&result, &a.impl_->region, &b.impl_->region);
        break;
    case RGN_XOR: {
        pixman_region32_t aOnly, bOnly;
        pixman_region32_init(&aOnly);
        pixman_region32_init(&bOnly);
        pixman_region32_subtract(&aOnly, &a.impl_->region, &b.impl_->region);
        pixman_region32_subtract(&bOnly, &b.impl_->region, &a.impl_->region);
        pixman_region32_union(&result, &aOnly, &bOnly);
        pixman_region32_fini(&aOnly);
        pixman_region32_fini(&bOnly);
        break;
    }
    default:
        pixman_region32_fini(&result);
        return false;
    }
    pixman_region32_fini(&impl_->region);
    impl_->region = result;
    return true;
}

void RegionObject::Offset(int dx, int dy) { pixman_region32_translate(&impl_->region, dx, dy); }

bool RegionObject::ContainsPoint(int x, int y) const
{
    return pixman_region32_contains_point(&impl_->region, x, y, nullptr);
}

bool RegionObject::IntersectsRect(const RECT& rect) const
{
    const RECT r = NormalizedRect(rect.left, rect.top, rect.right, rect.bottom);
    pixman_box32_t box{r.left, r.top, r.right, r.bottom};
    return pixman_region32_contains_rectangle(&impl_->region, &box) != PIXMAN_REGION_OUT;
}

bool RegionObject::Equals(const RegionObject& other) const
{
    return pixman_region32_equal(&impl_->region, &other.impl_->region);
}

RECT RegionObject::Extents() const
{
    if (!pixman_region32_not_empty(&impl_->region))
        return RECT{0, 0, 0, 0};
    const pixman_box32_t* e = pixman_region32_extents(&impl_->region);
    return RECT{e->x1, e->y1, e->x2, e->y2};
}

std::vector<RECT> RegionObject::Rects() const
{
    int count = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&impl_->region, &count);
    std::vector<RECT> rects;
    rects.reserve(count);
    for (int i = 0; i < count; ++i)
        rects.push_back(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    return rects;
}

int RegionObject::Complexity() const
{
    const int count = pixman_region32_n_rects(&impl_->region);
    return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::shared_ptr<RegionObject> MakeRegion() { return std::make_shared<RegionObject>(); }

std::shared_ptr<RegionObject> FindRegion(HRGN handle) { return FindObjectAs<RegionObject>(handle, OBJ_REGION); }

}  // namespace tw::gdi

// --- the region calls ----------------------------------------------------------------
using tw::gdi::CoverageMask;
using tw::gdi::FindRegion;
using tw::gdi::GdiLock;
using tw::gdi::RegionObject;

namespace {

HRGN RegionHandleFromMask(const CoverageMask& mask)
{
    std::vector<RECT> rects;
    const RECT& box = mask.Box();
    for (int y = box.top; y < box.bottom; ++y) {
        int x = box.left;
        while (x < box.right) {
            while (x < box.right && !mask.Get(x, y))
                ++x;
            const int start = x;
            while (x < box.right && mask.Get(x, y))
                ++x;
            if (x > start)
                rects.push_back(RECT{start, y, x, y + 1});
        }
    }
    auto region = tw::gdi::MakeRegion();
    region->SetRects(rects);
    return HRGN(tw::gdi::AddObject(region));
}

}  // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2)
{
    std::lock_guard lock(GdiLock());
    auto region = tw::gdi::MakeRegion();
    region->SetRect(RECT{x1, y1, x2, y2});
    return HRGN(tw::gdi::AddObject(region));
}

HRGN CreateRectRgnIndirect(const RECT* lprect)
{
    if (!lprect)
        return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    std::lock_guard lock(GdiLock());
    const RECT box = tw::gdi::NormalizedRect(x1, y1, x2, y2);
    CoverageMask mask(box);
    tw::gdi::RasterRoundRect(mask, box.left, box.top, box.right, box.bottom, w, h, 1);
    return RegionHandleFromMask(mask);
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    const RECT box = tw::gdi::NormalizedRect(x1, y1, x2, y2);
    return CreateRoundRectRgn(box.left, box.top, box.right, box.bottom, box.right - box.left, box.bottom - box.top);
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect)
{
    if (!lprect)
        return nullptr;
    return CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode)
{
    if (!pptl || !pc || cPoly <= 0 || (iMode != ALTERNATE && iMode != WINDING))
        return nullptr;
    std::lock_guard lock(GdiLock());
    RECT box{0, 0, 0, 0};
    bool first = true;
    int total = 0;
    for (int i = 0; i < cPoly; ++i) {
        if (pc[i] < 0)
            return nullptr;
        total += pc[i];
    }
    for (int i = 0; i < total; ++i) {
        const RECT point{pptl[i].x, pptl[i].y, pptl[i].x + 1, pptl[i].y + 1};
        box = first ? point : tw::gdi::RectUnion(box, point);
        first = false;
    }
    CoverageMask mask(box);
    tw::gdi::RasterPolygon(mask, pptl, pc, cPoly, iMode == WINDING, 1);
    return RegionHandleFromMask(mask);
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode)
{
    if (cPoint < 0)
        return nullptr;
    return CreatePolyPolygonRgn(pptl, &cPoint, 1, iMode);
}

HRGN ExtCreateRegion(const void*, DWORD nCount, const RGNDATA* lpData)
{
    if (!lpData || nCount < sizeof(RGNDATAHEADER) || lpData->rdh.iType != RDH_RECTANGLES)
        return nullptr;
    if (nCount < sizeof(RGNDATAHEADER) + lpData->rdh.nCount * sizeof(RECT))
        return nullptr;
    std::lock_guard lock(GdiLock());
    std::vector<RECT> rects(lpData->rdh.nCount);
    std::memcpy(rects.data(), lpData->Buffer, rects.size() * sizeof(RECT));
    auto region = tw::gdi::MakeRegion();
    region->SetRects(rects);
    return HRGN(tw::gdi::AddObject(region));
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    std::lock_guard lock(GdiLock());
    auto dst = FindRegion(hrgnDst);
    auto a = FindRegion(hrgnSrc1);
    if (!dst || !a)
        return ERROR;
    if (iMode == RGN_COPY) {
        dst->CopyFrom(*a);
        return dst->Complexity();
    }
    auto b = FindRegion(hrgnSrc2);
    if (!b || !dst->Combine(*a, *b, iMode))
        return ERROR;
    return dst->Complexity();
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    std::lock_guard lock(GdiLock());
    auto region = FindRegion(hrgn);
    if (!region)
        return ERROR;
    region->Offset(x, y);
    return region->Complexity();
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    std::lock_guard lock(GdiLock());
    auto region = FindRegion(hrgn);
    if (!region)
        return FALSE;
    region->SetRect(RECT{left, top, right, bottom});
    return TRUE;
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    std::lock_guard lock(GdiLock());
    auto region = FindRegion(hrgn);
    return region && region->ContainsPoint(x, y);
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect)
{
    if (!lprect)
        return FALSE;
    std::lock_guard lock(GdiLock());
    auto region = FindRegion(hrgn);
    return region && region->IntersectsRect(*lprect);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    std::lock_guard lock(GdiLock());
    auto region = FindRegion(hrgn);
    if (!region || !lprc)
        return ERROR;
    *lprc = region->Extents();
    return region->Complexity();
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    std::lock_guard lock(GdiLock());
    auto a = FindRegion(hrgn1);
    auto b = FindRegion(hrgn2);
    if (!a || !b)
        return ERROR;
    return a->Equals(*b);
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData)
{
    std::lock_guard lock(GdiLock());
    auto region = FindRegion(hrgn);
    if (!region)
        return 0;
    const std::vector<RECT> rects = region->Rects();
    const DWORD needed = DWORD(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    if (!lpRgnData)
        return needed;
    if (nCount < needed)
        return 0;
    lpRgnData->rdh.dwSize = sizeof(RGNDATAHEADER);
    lpRgnData->rdh.iType = RDH_RECTANGLES;
    lpRgnData->rdh.nCount = DWORD(rects.size());
    lpRgnData->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    lpRgnData->rdh.rcBound = region->Extents();
    std::memcpy(lpRgnData->Buffer, rects.data(), rects.size() * sizeof(RECT));
    return needed;
}
