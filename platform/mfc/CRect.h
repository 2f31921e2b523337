// The framework's geometry values: thin classes over POINT, SIZE and RECT that
// add no data, so a CRect is a RECT wherever the platform wants one.
#pragma once

#include "platform/win32/windef.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
public:
    CPoint() : tagPOINT{0, 0} {}
    CPoint(int initX, int initY) : tagPOINT{initX, initY} {}
    CPoint(POINT point) : tagPOINT(point) {}
    CPoint(SIZE size) : tagPOINT{size.cx, size.cy} {}
    explicit CPoint(DWORD packed); // signed low word x, high word y, as in a mouse message

    void Offset(int dx, int dy);
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int newX, int newY);

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    CPoint& operator+=(SIZE size);
    CPoint& operator-=(SIZE size);
    CPoint& operator+=(POINT point);
    CPoint& operator-=(POINT point);

    CPoint operator+(SIZE size) const;
    CPoint operator-(SIZE size) const;
    CPoint operator-() const;
    CPoint operator+(POINT point) const;
    CSize operator-(POINT point) const;
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CSize : public tagSIZE {
public:
    CSize() : tagSIZE{0, 0} {}
    CSize(int initCX, int initCY) : tagSIZE{initCX, initCY} {}
    CSize(SIZE size) : tagSIZE(size) {}
    CSize(POINT point) : tagSIZE{point.x, point.y} {}
    explicit CSize(DWORD packed);

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    CSize& operator+=(SIZE size);
    CSize& operator-=(SIZE size);

    CSize operator+(SIZE size) const;
    CSize operator-(SIZE size) const;
    CSize operator-() const;
    CPoint operator+(POINT point) const;
    CPoint operator-(POINT point) const;
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CRect : public tagRECT {
public:
    CRect() : tagRECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : tagRECT{l, t, r, b} {}
    CRect(const RECT& rect) : tagRECT(rect) {}
    CRect(LPCRECT rect) : tagRECT(rect ? *rect : RECT{0, 0, 0, 0}) {}
    CRect(POINT point, SIZE size) : tagRECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : tagRECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners are views onto this rectangle's own fields.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const;

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const;
    BOOL IsRectNull() const;
    BOOL PtInRect(POINT point) const;
    BOOL EqualRect(LPCRECT rect) const;

    void SetRect(int l, int t, int r, int b);
    void SetRect(POINT topLeft, POINT bottomRight);
    void SetRectEmpty();
    void CopyRect(LPCRECT source);

    void InflateRect(int dx, int dy);
    void InflateRect(SIZE size);
    void InflateRect(LPCRECT sides);
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy);
    void DeflateRect(SIZE size);
    void DeflateRect(LPCRECT sides);
    void DeflateRect(int l, int t, int r, int b);
    void OffsetRect(int dx, int dy);
    void OffsetRect(POINT point);
    void OffsetRect(SIZE size);
    void NormalizeRect();

    BOOL IntersectRect(LPCRECT a, LPCRECT b);
    BOOL UnionRect(LPCRECT a, LPCRECT b);
    BOOL SubtractRect(LPCRECT from, LPCRECT cut);

    CRect& operator=(const RECT& rect);
    bool operator==(const RECT& rect) const;
    bool operator!=(const RECT& rect) const;
    CRect& operator+=(POINT point);
    CRect& operator+=(SIZE size);
    CRect& operator+=(LPCRECT sides);
    CRect& operator-=(POINT point);
    CRect& operator-=(SIZE size);
    CRect& operator-=(LPCRECT sides);
    CRect& operator&=(const RECT& rect);
    CRect& operator|=(const RECT& rect);

    CRect operator+(POINT point) const;
    CRect operator-(POINT point) const;
    CRect operator+(SIZE size) const;
    CRect operator-(SIZE size) const;
    CRect operator+(LPCRECT sides) const;
    CRect operator-(LPCRECT sides) const;
    CRect operator&(const RECT& rect) const;
    CRect operator|(const RECT& rect) const;
};
