#include "platform/mfc/CRect.h"

#include <utility>

#include "platform/win32/kernel/RectFunctions.h"

// --- CPoint -----------------------------------------------------------------

CPoint::CPoint(DWORD packed) : tagPOINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

void CPoint::Offset(int dx, int dy)
{
    x += dx;
    y += dy;
}

void CPoint::SetPoint(int newX, int newY)
{
    x = newX;
    y = newY;
}

CPoint& CPoint::operator+=(SIZE size)
{
    Offset(size.cx, size.cy);
    return *this;
}

CPoint& CPoint::operator-=(SIZE size)
{
    Offset(-size.cx, -size.cy);
    return *this;
}

CPoint& CPoint::operator+=(POINT point)
{
    Offset(point.x, point.y);
    return *this;
}

CPoint& CPoint::operator-=(POINT point)
{
    Offset(-point.x, -point.y);
    return *this;
}

CPoint CPoint::operator+(SIZE size) const
{
    return CPoint(x + size.cx, y + size.cy);
}

CPoint CPoint::operator-(SIZE size) const
{
    return CPoint(x - size.cx, y - size.cy);
}

CPoint CPoint::operator-() const
{
    return CPoint(-x, -y);
}

CPoint CPoint::operator+(POINT point) const
{
    return CPoint(x + point.x, y + point.y);
}

CSize CPoint::operator-(POINT point) const
{
    return CSize(x - point.x, y - point.y);
}

CRect CPoint::operator+(const RECT* rect) const
{
    return CRect(rect) + *this;
}

CRect CPoint::operator-(const RECT* rect) const
{
    return CRect(rect) - *this;
}

// --- CSize ------------------------------------------------------------------

CSize::CSize(DWORD packed) : tagSIZE{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

CSize& CSize::operator+=(SIZE size)
{
    cx += size.cx;
    cy += size.cy;
    return *this;
}

CSize& CSize::operator-=(SIZE size)
{
    cx -= size.cx;
    cy -= size.cy;
    return *this;
}

CSize CSize::operator+(SIZE size) const
{
    return CSize(cx + size.cx, cy + size.cy);
}

CSize CSize::operator-(SIZE size) const
{
    return CSize(cx - size.cx, cy - size.cy);
}

CSize CSize::operator-() const
{
    return CSize(-cx, -cy);
}

CPoint CSize::operator+(POINT point) const
{
    return CPoint(cx + point.x, cy + point.y);
}

CPoint CSize::operator-(POINT point) const
{
    return CPoint(cx - point.x, cy - point.y);
}

CRect CSize::operator+(const RECT* rect) const
{
    return CRect(rect) + *this;
}

CRect CSize::operator-(const RECT* rect) const
{
    return CRect(rect) - *this;
}

// --- CRect ------------------------------------------------------------------

CPoint CRect::CenterPoint() const
{
    return CPoint((left + right) / 2, (top + bottom) / 2);
}

BOOL CRect::IsRectEmpty() const
{
    return ::IsRectEmpty(this);
}

BOOL CRect::IsRectNull() const
{
    return left == 0 && top == 0 && right == 0 && bottom == 0;
}

BOOL CRect::PtInRect(POINT point) const
{
    return ::PtInRect(this, point);
}

BOOL CRect::EqualRect(LPCRECT rect) const
{
    return ::EqualRect(this, rect);
}

void CRect::SetRect(int l, int t, int r, int b)
{
    ::SetRect(this, l, t, r, b);
}

void CRect::SetRect(POINT topLeft, POINT bottomRight)
{
    ::SetRect(this, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CRect::SetRectEmpty()
{
    ::SetRectEmpty(this);
}

void CRect::CopyRect(LPCRECT source)
{
    ::CopyRect(this, source);
}

void CRect::InflateRect(int dx, int dy)
{
    ::InflateRect(this, dx, dy);
}

void CRect::InflateRect(SIZE size)
{
    ::InflateRect(this, size.cx, size.cy);
}

void CRect::InflateRect(LPCRECT sides)
{
    if (!sides)
        return;
    InflateRect(sides->left, sides->top, sides->right, sides->bottom);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left -= l;
    top -= t;
    right += r;
    bottom += b;
}

void CRect::DeflateRect(int dx, int dy)
{
    ::InflateRect(this, -dx, -dy);
}

void CRect::DeflateRect(SIZE size)
{
    ::InflateRect(this, -size.cx, -size.cy);
}

void CRect::DeflateRect(LPCRECT sides)
{
    if (!sides)
        return;
    DeflateRect(sides->left, sides->top, sides->right, sides->bottom);
}

void CRect::DeflateRect(int l, int t, int r, int b)
{
    InflateRect(-l, -t, -r, -b);
}

void CRect::OffsetRect(int dx, int dy)
{
    ::OffsetRect(this, dx, dy);
}

void CRect::OffsetRect(POINT point)
{
    ::OffsetRect(this, point.x, point.y);
}

void CRect::OffsetRect(SIZE size)
{
    ::OffsetRect(this, size.cx, size.cy);
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(LPCRECT a, LPCRECT b)
{
    return ::IntersectRect(this, a, b);
}

BOOL CRect::UnionRect(LPCRECT a, LPCRECT b)
{
    return ::UnionRect(this, a, b);
}

BOOL CRect::SubtractRect(LPCRECT from, LPCRECT cut)
{
    return ::SubtractRect(this, from, cut);
}

CRect& CRect::operator=(const RECT& rect)
{
    ::CopyRect(this, &rect);
    return *this;
}

bool CRect::operator==(const RECT& rect) const
{
    return ::EqualRect(this, &rect);
}

bool CRect::operator!=(const RECT& rect) const
{
    return !::EqualRect(this, &rect);
}

CRect& CRect::operator+=(POINT point)
{
    OffsetRect(point);
    return *this;
}

CRect& CRect::operator+=(SIZE size)
{
    OffsetRect(size);
    return *this;
}

CRect& CRect::operator+=(LPCRECT sides)
{
    InflateRect(sides);
    return *this;
}

CRect& CRect::operator-=(POINT point)
{
    OffsetRect(-point.x, -point.y);
    return *this;
}

CRect& CRect::operator-=(SIZE size)
{
    OffsetRect(-size.cx, -size.cy);
    return *this;
}

CRect& CRect::operator-=(LPCRECT sides)
{
    DeflateRect(sides);
    return *this;
}

// The operands may be this rectangle itself, so work from copies.
CRect& CRect::operator&=(const RECT& rect)
{
    const CRect mine(*this);
    const CRect other(rect);
    ::IntersectRect(this, &mine, &other);
    return *this;
}

CRect& CRect::operator|=(const RECT& rect)
{
    const CRect mine(*this);
    const CRect other(rect);
    ::UnionRect(this, &mine, &other);
    return *this;
}

CRect CRect::operator+(POINT point) const
{
    CRect moved(*this);
    moved.OffsetRect(point);
    return moved;
}

CRect CRect::operator-(POINT point) const
{
    CRect moved(*this);
    moved.OffsetRect(-point.x, -point.y);
    return moved;
}

CRect CRect::operator+(SIZE size) const
{
    CRect moved(*this);
    moved.OffsetRect(size);
    return moved;
}

CRect CRect::operator-(SIZE size) const
{
    CRect moved(*this);
    moved.OffsetRect(-size.cx, -size.cy);
    return moved;
}

CRect CRect::operator+(LPCRECT sides) const
{
    CRect grown(*this);
    grown.InflateRect(sides);
    return grown;
}

CRect CRect::operator-(LPCRECT sides) const
{
    CRect shrunk(*this);
    shrunk.DeflateRect(sides);
    return shrunk;
}

CRect CRect::operator&(const RECT& rect) const
{
    CRect overlap;
    ::IntersectRect(&overlap, this, &rect);
    return overlap;
}

CRect CRect::operator|(const RECT& rect) const
{
    CRect bounds;
    ::UnionRect(&bounds, this, &rect);
    return bounds;
}
