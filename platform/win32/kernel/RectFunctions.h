// The platform's rectangle arithmetic on plain RECTs. A rectangle holds the
// points with left <= x < right and top <= y < bottom; one whose right is not
// past its left (or bottom past its top) is empty.
#pragma once

#include "platform/win32/windef.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT destination, const RECT* source);
BOOL IsRectEmpty(const RECT* rect);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL InflateRect(LPRECT rect, int dx, int dy);
// FALSE and an empty destination when the two do not overlap.
BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b);
// The smallest rectangle holding both; empty sources are left out.
BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b);
// `from` less `cut`, where what is left is still a rectangle; otherwise `from` unchanged.
BOOL SubtractRect(LPRECT destination, const RECT* from, const RECT* cut);
