// The window system's rectangle fills: with any brush or a system colour,
// framed, inverted, and the dotted focus rectangle.
#include "platform/win32/gdi/DrawCall.h"
#include "platform/win32/gdi/windraw.h"

using tw::gdi::BrushPaint;
using tw::gdi::DrawCall;

namespace {

RECT RectsOnSurface(DrawCall& call, const RECT& r)
{
    return call.Dc().RectToSurface(r.left, r.top, r.right, r.bottom);
}

bool RectsPaint(DrawCall& call, const RECT& surfaceRect, HBRUSH hbr, DWORD rop)
{
    auto brush = tw::gdi::ResolveBrush(hbr);
    if (!brush)
        return false;
    const BrushPaint paint = call.Dc().PaintOfBrush(brush.get());
    call.Changed(tw::gdi::PaintRectRop3(call.Target(), surfaceRect, paint, rop));
    return true;
}

}  // namespace

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    DrawCall call(hDC);
    if (!call.Valid() || !lprc)
        return 0;
    if (!tw::gdi::ResolveBrush(hbr))
        return 0;
    if (!call.CanPaint())
        return 1;
    return RectsPaint(call, RectsOnSurface(call, *lprc), hbr, PATCOPY) ? 1 : 0;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    DrawCall call(hDC);
    if (!call.Valid() || !lprc || !tw::gdi::ResolveBrush(hbr))
        return 0;
    if (!call.CanPaint())
        return 1;
    const RECT r = RectsOnSurface(call, *lprc);
    if (tw::gdi::RectIsEmpty(r))
        return 1;
    RectsPaint(call, RECT{r.left, r.top, r.right, r.top + 1}, hbr, PATCOPY);
    RectsPaint(call, RECT{r.left, r.bottom - 1, r.right, r.bottom}, hbr, PATCOPY);
    RectsPaint(call, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, hbr, PATCOPY);
    RectsPaint(call, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, hbr, PATCOPY);
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc)
{
    DrawCall call(hDC);
    if (!call.Valid() || !lprc)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    call.Changed(tw::gdi::PaintRectRop3(call.Target(), RectsOnSurface(call, *lprc), BrushPaint{}, DSTINVERT));
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc)
{
    DrawCall call(hDC);
    if (!call.Valid() || !lprc)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    const RECT r = RectsOnSurface(call, *lprc);
    if (tw::gdi::RectIsEmpty(r))
        return TRUE;
    // Every other pixel, aligned to the DC's device origin, inverted; drawing
    // it again takes it away exactly. Corners are inverted once only.
    BrushPaint dots;
    dots.none = false;
    dots.solid = false;
    dots.tileWidth = dots.tileHeight = 2;
    dots.tile = {0xFFFFFF, 0, 0, 0xFFFFFF};
    dots.tileOpaque = {1, 0, 0, 1};
    dots.origin = call.Dc().origin;
    auto& target = call.Target();
    call.Changed(tw::gdi::PaintRectRop3(target, RECT{r.left, r.top, r.right, r.top + 1}, dots, PATINVERT));
    if (r.bottom - r.top > 1)
        call.Changed(tw::gdi::PaintRectRop3(target, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dots, PATINVERT));
    if (r.bottom - r.top > 2) {
        call.Changed(tw::gdi::PaintRectRop3(target, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, dots,
                                            PATINVERT));
        if (r.right - r.left > 1)
            call.Changed(tw::gdi::PaintRectRop3(target, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, dots,
                                                PATINVERT));
    }
    return TRUE;
}
