// DrawEdge and DrawFrameControl: the classic three-dimensional look.
#include <algorithm>

#include "platform/win32/gdi/DrawCall.h"
#include "platform/win32/gdi/TextEngine.h"
#include "platform/win32/gdi/windraw.h"

using tw::gdi::DrawCall;

namespace {

struct EdgeColors {
    int topLeft;
    int bottomRight;
};

// One border ring's colours, outer or inner, raised or sunken.
EdgeColors EdgeRingColors(bool outer, bool raised, UINT flags)
{
    if (flags & BF_MONO)
        return outer ? EdgeColors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME} : EdgeColors{COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT)
        return outer ? EdgeColors{COLOR_BTNSHADOW, COLOR_BTNSHADOW} : EdgeColors{COLOR_BTNFACE, COLOR_BTNFACE};
    const bool soft = (flags & BF_SOFT) != 0;
    if (outer)
        return raised ? EdgeColors{soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                      : EdgeColors{soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    return raised ? EdgeColors{soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}
                  : EdgeColors{soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

void EdgeFill(DrawCall& call, const RECT& logical, int colorIndex)
{
    auto& dc = call.Dc();
    const RECT r = dc.RectToSurface(logical.left, logical.top, logical.right, logical.bottom);
    call.Changed(tw::gdi::PaintRectRop3(call.Target(), r, dc.PaintOfColor(GetSysColor(colorIndex)), PATCOPY));
}

// One ring: top and left first, then bottom and right over the corners.
void EdgeRing(DrawCall& call, RECT& r, const EdgeColors& colors, UINT flags)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (flags & BF_TOP)
        EdgeFill(call, RECT{r.left, r.top, r.right, r.top + 1}, colors.topLeft);
    if (flags & BF_LEFT)
        EdgeFill(call, RECT{r.left, r.top, r.left + 1, r.bottom}, colors.topLeft);
    if (flags & BF_BOTTOM)
        EdgeFill(call, RECT{r.left, r.bottom - 1, r.right, r.bottom}, colors.bottomRight);
    if (flags & BF_RIGHT)
        EdgeFill(call, RECT{r.right - 1, r.top, r.right, r.bottom}, colors.bottomRight);
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        --r.right;
    if (flags & BF_BOTTOM)
        --r.bottom;
}

// A one-pixel diagonal from (x0, y0) to (x1, y1), both ends drawn.
void EdgeDiagonalLine(DrawCall& call, int x0, int y0, int x1, int y1, int colorIndex)
{
    auto& dc = call.Dc();
    const POINT a = dc.ToSurface(x0, y0);
    const POINT b = dc.ToSurface(x1, y1);
    tw::gdi::CoverageMask mask(tw::gdi::RectUnion(RECT{a.x, a.y, a.x + 1, a.y + 1}, RECT{b.x, b.y, b.x + 1, b.y + 1}));
    tw::gdi::RasterLine(mask, a.x, a.y, b.x, b.y, nullptr);
    mask.Set(b.x, b.y, 1);
    call.Changed(tw::gdi::PaintMaskRop2(call.Target().surface, call.Target().clip, mask,
                                        dc.PaintOfColor(GetSysColor(colorIndex)), nullptr, R2_COPYPEN,
                                        call.Target().mono));
}

// Diagonal edges: the rectangle's diagonal towards the corner the flags name,
// outer line on it and inner line one pixel further in; lines rising to the
// right face up-left and take the top-left colours, the others the
// bottom-right ones; BF_MIDDLE fills the half below the line.
BOOL EdgeDiagonal(HDC hdc, LPRECT qrc, UINT edge, UINT flags)
{
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    RECT r = *qrc;
    const int size = std::min(r.right - r.left, r.bottom - r.top);
    if (size <= 0 || !call.CanPaint())
        return TRUE;
    const bool rising = ((flags & BF_TOP) && (flags & BF_RIGHT)) || ((flags & BF_BOTTOM) && (flags & BF_LEFT));
    const int left = r.left, bottom = r.top + size - 1, top = r.top, right = r.left + size - 1;
    int ring = 0;
    for (bool outer : {true, false}) {
        const UINT bits = outer ? (edge & BDR_OUTER) : (edge & BDR_INNER);
        if (!bits)
            continue;
        const bool raised = outer ? (edge & BDR_RAISEDOUTER) != 0 : (edge & BDR_RAISEDINNER) != 0;
        const EdgeColors colors = EdgeRingColors(outer, raised, flags);
        const int color = rising ? colors.topLeft : colors.bottomRight;
        if (rising)
            EdgeDiagonalLine(call, left + ring, bottom, right, top + ring, color);
        else
            EdgeDiagonalLine(call, left, top + ring, right - ring, bottom, color);
        ++ring;
    }
    if (flags & BF_MIDDLE) {
        for (int i = 0; i < size; ++i) {
            const int y = top + i;
            const int lineX = rising ? right - i : left + i;
            const RECT span = rising ? RECT{lineX + ring, y, right + 1, y + 1} : RECT{left, y, lineX - ring + 1, y + 1};
            if (span.right > span.left)
                EdgeFill(call, span, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
        }
    }
    if (flags & BF_ADJUST)
        *qrc = RECT{r.left + ring, r.top + ring, r.right - ring, r.bottom - ring};
    return TRUE;
}

}  // namespace

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    if (!qrc)
        return FALSE;
    if (grfFlags & BF_DIAGONAL)
        return EdgeDiagonal(hdc, qrc, edge, grfFlags);
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    RECT r = *qrc;
    const bool hasOuter = (edge & BDR_OUTER) != 0;
    const bool hasInner = (edge & BDR_INNER) != 0;
    if (call.CanPaint()) {
        if (hasOuter)
            EdgeRing(call, r, EdgeRingColors(true, (edge & BDR_RAISEDOUTER) != 0, grfFlags), grfFlags);
        if (hasInner)
            EdgeRing(call, r, EdgeRingColors(false, (edge & BDR_RAISEDINNER) != 0, grfFlags), grfFlags);
        if ((grfFlags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top)
            EdgeFill(call, r, (grfFlags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    } else {
        const int rings = int(hasOuter) + int(hasInner);
        for (int i = 0; i < rings; ++i) {
            if (grfFlags & BF_LEFT)
                ++r.left;
            if (grfFlags & BF_TOP)
                ++r.top;
            if (grfFlags & BF_RIGHT)
                --r.right;
            if (grfFlags & BF_BOTTOM)
                --r.bottom;
        }
    }
    if (grfFlags & BF_ADJUST)
        *qrc = r;
    return TRUE;
}

// --- frame controls ------------------------------------------------------------------
namespace {

// Paints a Marlett glyph centred in r in the given system colour, moved by (dx, dy).
void FrameGlyph(DrawCall& call, char glyph, const RECT& r, int colorIndex, int dx, int dy, int em)
{
    auto& dc = call.Dc();
    tw::gdi::TextRaster raster;
    raster.width = raster.height = em;
    raster.coverage.assign(size_t(em) * em, 0);
    if (!tw::gdi::DrawMarlettGlyph(glyph, em, 0, 0, raster))
        return;
    const int left = r.left + (r.right - r.left - em) / 2 + dx;
    const int top = r.top + (r.bottom - r.top - em) / 2 + dy;
    const tw::gdi::BrushPaint ink = dc.PaintOfColor(GetSysColor(colorIndex));
    tw::gdi::CoverageMask mask(dc.RectToSurface(left, top, left + em, top + em));
    const POINT origin = dc.ToSurface(left, top);
    for (int y = 0; y < em; ++y)
        for (int x = 0; x < em; ++x)
            if (raster.coverage[size_t(y) * em + x] >= 128)
                mask.Set(origin.x + x, origin.y + y, 1);
    call.Changed(tw::gdi::PaintMaskRop2(call.Target().surface, call.Target().clip, mask, ink, nullptr, R2_COPYPEN,
                                        call.Target().mono));
}

// A glyph drawn as enabled or as the embossed grey of a disabled control.
void FrameStateGlyph(DrawCall& call, char glyph, const RECT& r, UINT state, int em)
{
    const int shift = (state & DFCS_PUSHED) ? 1 : 0;
    if (state & DFCS_INACTIVE) {
        FrameGlyph(call, glyph, r, COLOR_BTNHIGHLIGHT, shift + 1, shift + 1, em);
        FrameGlyph(call, glyph, r, COLOR_BTNSHADOW, shift, shift, em);
        return;
    }
    FrameGlyph(call, glyph, r, COLOR_BTNTEXT, shift, shift, em);
}

int FrameGlyphSize(const RECT& r)
{
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    return std::max(4, side - 2);
}

void FrameButtonFace(HDC hdc, RECT r, UINT state)
{
    if (state & (DFCS_PUSHED | DFCS_CHECKED))
        DrawEdge(hdc, &r, (state & DFCS_FLAT) ? BDR_SUNKENOUTER : EDGE_SUNKEN,
                 BF_RECT | BF_MIDDLE | ((state & DFCS_FLAT) ? BF_FLAT : 0));
    else
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT | ((state & DFCS_FLAT) ? BF_FLAT : 0));
}

}  // namespace

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState)
{
    if (!lprc)
        return FALSE;
    {
        DrawCall probe(hdc);
        if (!probe.Valid())
            return FALSE;
    }
    RECT r = *lprc;
    const UINT kind = uState & 0xFF;
    switch (uType) {
    case DFC_CAPTION: {
        static constexpr char kCaptionGlyphs[] = {'r', '0', '1', '2', 's'};
        if (kind > DFCS_CAPTIONHELP)
            return FALSE;
        FrameButtonFace(hdc, r, uState);
        DrawCall call(hdc);
        FrameStateGlyph(call, kCaptionGlyphs[kind], r, uState, FrameGlyphSize(r));
        break;
    }
    case DFC_SCROLL: {
        if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
            if (!(uState & DFCS_TRANSPARENT))
                FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
            DrawCall call(hdc);
            const int em = std::min(r.right - r.left, r.bottom - r.top);
            const RECT cell{r.right - em, r.bottom - em, r.right, r.bottom};
            FrameGlyph(call, 'o', cell, COLOR_BTNHIGHLIGHT, 0, 0, em);
            FrameGlyph(call, 'p', cell, COLOR_BTNSHADOW, 0, 0, em);
            break;
        }
        static constexpr char kScrollGlyphs[] = {'5', '6', '3', '4', 0, '6'};
        if (kind > DFCS_SCROLLCOMBOBOX || !kScrollGlyphs[kind])
            return FALSE;
        FrameButtonFace(hdc, r, uState);
        DrawCall call(hdc);
        FrameStateGlyph(call, kScrollGlyphs[kind], r, uState, FrameGlyphSize(r));
        break;
    }
    case DFC_BUTTON: {
        if (kind & DFCS_BUTTONPUSH) {
            FrameButtonFace(hdc, r, uState);
            break;
        }
        const bool radio = (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) != 0;
        const int side = std::min(r.right - r.left, r.bottom - r.top);
        RECT box{r.left, r.top + (r.bottom - r.top - side) / 2, r.left + side, r.top + (r.bottom - r.top - side) / 2 + side};
        const bool grey = (uState & (DFCS_INACTIVE | DFCS_PUSHED)) != 0;
        if (radio) {
            HBRUSH face = GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW);
            HRGN disc = CreateEllipticRgn(box.left, box.top, box.right, box.bottom);
            FillRgn(hdc, disc, GetSysColorBrush(COLOR_BTNSHADOW));
            HRGN inner = CreateEllipticRgn(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
            FillRgn(hdc, inner, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            HRGN middle = CreateEllipticRgn(box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
            FillRgn(hdc, middle, face);
            DeleteObject(disc);
            DeleteObject(inner);
            DeleteObject(middle);
            if (uState & DFCS_CHECKED) {
                DrawCall call(hdc);
                FrameGlyph(call, 'n', box, (uState & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT, 0, 0, side);
            }
            break;
        }
        DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT);
        RECT inside{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
        FillRect(hdc, &inside, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
        if (uState & DFCS_CHECKED) {
            DrawCall call(hdc);
            FrameGlyph(call, 'a', inside, (uState & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT, 0, 0,
                       std::max(4, inside.right - inside.left));
        }
        break;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: {
        // Menu glyphs are masks: black on white, for the caller to colour.
        static constexpr char kMenuGlyphs[] = {'8', 'a', 'h', 0, '3'};
        if (kind > DFCS_MENUARROWRIGHT || !kMenuGlyphs[kind])
            return FALSE;
        FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawCall call(hdc);
        auto& dc = call.Dc();
        const int em = std::min(r.right - r.left, r.bottom - r.top);
        tw::gdi::TextRaster raster;
        raster.width = raster.height = em;
        raster.coverage.assign(size_t(em) * em, 0);
        tw::gdi::DrawMarlettGlyph(kMenuGlyphs[kind], em, 0, 0, raster);
        const POINT origin = dc.ToSurface(r.left + (r.right - r.left - em) / 2, r.top + (r.bottom - r.top - em) / 2);
        tw::gdi::CoverageMask mask(RECT{origin.x, origin.y, origin.x + em, origin.y + em});
        for (int y = 0; y < em; ++y)
            for (int x = 0; x < em; ++x)
                if (raster.coverage[size_t(y) * em + x] >= 128)
                    mask.Set(origin.x + x, origin.y + y, 1);
        call.Changed(tw::gdi::PaintMaskRop2(call.Target().surface, call.Target().clip, mask, dc.PaintOfColor(0), nullptr,
                                            R2_COPYPEN, call.Target().mono));
        break;
    }
    default:
        return FALSE;
    }
    if (uState & DFCS_ADJUSTRECT)
        *lprc = RECT{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    return TRUE;
}
