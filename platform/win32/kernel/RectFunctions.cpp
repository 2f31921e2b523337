#include "platform/win32/kernel/RectFunctions.h"

#include <algorithm>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (!rect)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect)
{
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT destination, const RECT* source)
{
    if (!destination || !source)
        return FALSE;
    *destination = *source;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect)
{
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy)
{
    if (!rect)
        return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    const RECT overlap{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                       std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&overlap)) {
        SetRectEmpty(destination);
        return FALSE;
    }
    *destination = overlap;
    return TRUE;
}

BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b)
{
    if (!destination || !a || !b)
        return FALSE;
    const bool aEmpty = IsRectEmpty(a);
    const bool bEmpty = IsRectEmpty(b);
    if (aEmpty && bEmpty) {
        SetRectEmpty(destination);
        return FALSE;
    }
    if (aEmpty || bEmpty) {
        *destination = aEmpty ? *b : *a;
        return TRUE;
    }
    *destination = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                        std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL SubtractRect(LPRECT destination, const RECT* from, const RECT* cut)
{
    if (!destination || !from || !cut)
        return FALSE;
    RECT result = *from;
    RECT overlap;
    if (IsRectEmpty(from)) {
        SetRectEmpty(destination);
        return FALSE;
    }
    if (IntersectRect(&overlap, from, cut)) {
        if (EqualRect(&overlap, from)) {
            SetRectEmpty(destination);
            return FALSE;
        }
        const bool spansWidth = overlap.left == from->left && overlap.right == from->right;
        const bool spansHeight = overlap.top == from->top && overlap.bottom == from->bottom;
        if (spansWidth && overlap.top == from->top)
            result.top = overlap.bottom;
        else if (spansWidth && overlap.bottom == from->bottom)
            result.bottom = overlap.top;
        else if (spansHeight && overlap.left == from->left)
            result.left = overlap.right;
        else if (spansHeight && overlap.right == from->right)
            result.right = overlap.left;
    }
    *destination = result;
    return TRUE;
}
