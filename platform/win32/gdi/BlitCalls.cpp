// Block transfers between DCs: BitBlt and StretchBlt with ternary raster
// operations, the transparent and alpha blits, gradients, and DIB bits drawn
// straight onto a DC.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/display/Display.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/gdi/DibFormat.h"
#include "platform/win32/gdi/DrawCall.h"

using tw::gdi::BrushPaint;
using tw::gdi::DeviceContext;
using tw::gdi::DrawCall;

namespace {

// A block of source pixels, already in the destination's terms
// (monochrome to colour through the destination's text and background
// colours; colour to monochrome through the source's background colour).
struct BlitSource {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> present;  // 0 where the source rectangle left its surface
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool Has(int x, int y) const { return present[size_t(y) * width + x] != 0; }
};

BlitSource BlitReadSource(DeviceContext& src, const RECT& rect, const DeviceContext* dst, bool keepAlpha)
{
    BlitSource block;
    block.width = rect.right - rect.left;
    block.height = rect.bottom - rect.top;
    block.pixels.assign(size_t(block.width) * block.height, 0);
    block.present.assign(block.pixels.size(), 0);
    const tw::gdi::Surface surface = src.CurrentSurface();
    const bool srcMono = src.IsMono();
    const bool dstMono = dst && dst->IsMono();
    const uint32_t srcBk = tw::gdi::ColorToPixel(src.state.bkColor) & 0xFFFFFF;
    const uint32_t dstText = dst ? tw::gdi::ColorToPixel(dst->state.textColor) : 0;
    const uint32_t dstBk = dst ? tw::gdi::ColorToPixel(dst->state.bkColor) : 0xFFFFFF;
    for (int y = 0; y < block.height; ++y) {
        const int sy = rect.top + y;
        if (sy < 0 || sy >= surface.height)
            continue;
        for (int x = 0; x < block.width; ++x) {
            const int sx = rect.left + x;
            if (sx < 0 || sx >= surface.width)
                continue;
            uint32_t p = surface.At(sx, sy);
            if (!keepAlpha)
                p &= 0xFFFFFF;
            if (srcMono && !dstMono)
                p = (p & 0xFFFFFF) ? dstBk : dstText;
            else if (!srcMono && dstMono)
                p = (p & 0xFFFFFF) == srcBk ? 0xFFFFFF : 0;
            block.pixels[size_t(y) * block.width + x] = p;
            block.present[size_t(y) * block.width + x] = 1;
        }
    }
    return block;
}

// Shrinking merges the source pixels each destination pixel covers, as the
// DC's stretch mode says: AND keeps black lines (BLACKONWHITE), OR keeps white
// ones (WHITEONBLACK), HALFTONE averages; COLORONCOLOR just drops pixels.
// Returns the block at the destination's size, still unmirrored.
BlitSource BlitShrink(const BlitSource& block, int dw, int dh, int mode)
{
    BlitSource out;
    out.width = dw;
    out.height = dh;
    out.pixels.assign(size_t(dw) * dh, 0);
    out.present.assign(out.pixels.size(), 0);
    for (int y = 0; y < dh; ++y) {
        const int y0 = int(int64_t(y) * block.height / dh);
        const int y1 = std::max(y0 + 1, int(int64_t(y + 1) * block.height / dh));
        for (int x = 0; x < dw; ++x) {
            const int x0 = int(int64_t(x) * block.width / dw);
            const int x1 = std::max(x0 + 1, int(int64_t(x + 1) * block.width / dw));
            uint32_t merged = mode == WHITEONBLACK ? 0 : 0xFFFFFFFF;
            uint64_t sums[3] = {0, 0, 0};
            int count = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    if (!block.Has(sx, sy))
                        continue;
                    const uint32_t p = block.At(sx, sy);
                    merged = mode == WHITEONBLACK ? (merged | p) : (merged & p);
                    sums[0] += (p >> 16) & 0xFF;
                    sums[1] += (p >> 8) & 0xFF;
                    sums[2] += p & 0xFF;
                    ++count;
                }
            }
            if (!count)
                continue;
            if (mode == HALFTONE)
                merged = uint32_t(((sums[0] / count) << 16) | ((sums[1] / count) << 8) | (sums[2] / count));
            out.pixels[size_t(y) * dw + x] = merged;
            out.present[size_t(y) * dw + x] = 1;
        }
    }
    return out;
}

// Source column for destination column i of n when the source is m wide.
int BlitMapIndex(int i, int n, int m, bool mirror)
{
    int j = int((int64_t(i) * 2 + 1) * m / (int64_t(n) * 2));
    j = std::clamp(j, 0, m - 1);
    return mirror ? m - 1 - j : j;
}

struct BlitGeometry {
    RECT dst;  // surface coordinates, normalised
    RECT src;  // source surface coordinates, normalised
    bool mirrorX = false;
    bool mirrorY = false;
};

// A negative size runs back from the given edge, which it includes, as the
// platform's mirroring idiom (x + w - 1, -w) expects.
RECT BlitSpan(const DeviceContext& dc, int x, int y, int w, int h)
{
    const int left = w < 0 ? x + w + 1 : x;
    const int top = h < 0 ? y + h + 1 : y;
    return dc.RectToSurface(left, top, left + std::abs(w), top + std::abs(h));
}

BlitGeometry BlitMakeGeometry(DeviceContext& dst, int xd, int yd, int wd, int hd, DeviceContext* src, int xs, int ys,
                              int ws, int hs)
{
    BlitGeometry g;
    g.dst = BlitSpan(dst, xd, yd, wd, hd);
    if (src)
        g.src = BlitSpan(*src, xs, ys, ws, hs);
    g.mirrorX = (wd < 0) != (ws < 0);
    g.mirrorY = (hd < 0) != (hs < 0);
    return g;
}

// Calls paint(x, y, sourceX, sourceY) for each visible destination pixel.
template <class F>
void BlitForEach(const DeviceContext::Target& target, const BlitGeometry& g, F&& paint)
{
    const RECT area = tw::gdi::RectIntersection(g.dst, target.clip.Bounds());
    const int dw = g.dst.right - g.dst.left, dh = g.dst.bottom - g.dst.top;
    const int sw = g.src.right - g.src.left, sh = g.src.bottom - g.src.top;
    for (int y = area.top; y < area.bottom; ++y) {
        const int sy = sh ? BlitMapIndex(y - g.dst.top, dh, sh, g.mirrorY) : 0;
        target.clip.ForEachSpan(y, area.left, area.right, [&](int x0, int x1) {
            for (int x = x0; x < x1; ++x) {
                const int sx = sw ? BlitMapIndex(x - g.dst.left, dw, sw, g.mirrorX) : 0;
                paint(x, y, sx, sy);
            }
        });
    }
}

BOOL BlitWithRop(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                 int hSrc, DWORD rop)
{
    rop &= ~DWORD(NOMIRRORBITMAP | CAPTUREBLT);
    const bool usesSource = tw::gdi::Rop3UsesSource(rop);
    DrawCall call(hdcDest);
    if (!call.Valid())
        return FALSE;
    std::shared_ptr<DeviceContext> src;
    if (usesSource) {
        src = tw::gdi::FindDC(hdcSrc);
        if (!src)
            return FALSE;
    }
    if (!call.CanPaint())
        return TRUE;
    DeviceContext& dst = call.Dc();
    auto& target = call.Target();
    std::unique_lock<std::recursive_mutex> sourceScreenLock;
    if (src && src->kind == DeviceContext::Kind::Screen)
        sourceScreenLock = tw::display::Display::Instance().GetScreen().Lock();
    const BlitGeometry g = BlitMakeGeometry(dst, xDest, yDest, wDest, hDest, src.get(), xSrc, ySrc, wSrc, hSrc);
    if (tw::gdi::RectIsEmpty(g.dst) || (src && tw::gdi::RectIsEmpty(g.src)))
        return TRUE;
    const bool keepAlpha = ((rop >> 16) & 0xFF) == 0xCC;
    BlitSource block = src ? BlitReadSource(*src, g.src, &dst, keepAlpha) : BlitSource{};
    BlitGeometry sampled = g;
    const int dw = g.dst.right - g.dst.left, dh = g.dst.bottom - g.dst.top;
    if (src && dst.state.stretchMode != COLORONCOLOR && (block.width > dw || block.height > dh)) {
        block = BlitShrink(block, dw, dh, dst.state.stretchMode);
        sampled.src = RECT{0, 0, dw, dh};
    }
    const bool usesPattern = tw::gdi::Rop3UsesPattern(rop);
    const BrushPaint brush = usesPattern ? dst.PaintOfBrush(dst.state.brush.get()) : BrushPaint{};
    if (usesPattern && brush.none)
        return TRUE;
    BlitForEach(target, sampled, [&](int x, int y, int sx, int sy) {
        uint32_t s = 0, p = 0;
        if (src) {
            if (!block.Has(sx, sy))
                return;
            s = block.At(sx, sy);
        }
        if (usesPattern && !brush.Sample(x, y, p))
            return;
        uint32_t& d = target.surface.At(x, y);
        uint32_t result = tw::gdi::ApplyRop3(rop, p, s, d);
        if (!keepAlpha || !src)
            result &= 0xFFFFFF;
        if (target.mono)
            result = tw::gdi::NearestMonoPixel(result & 0xFFFFFF);
        d = result;
    });
    call.Changed(tw::gdi::RectIntersection(g.dst, target.clip.Bounds()));
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return BlitWithRop(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop)
{
    return BlitWithRop(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                    int yoriginSrc, int wSrc, int hSrc, UINT crTransparent)
{
    if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0)
        return FALSE;
    DrawCall call(hdcDest);
    auto src = tw::gdi::FindDC(hdcSrc);
    if (!call.Valid() || !src)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    auto& target = call.Target();
    const BlitGeometry g =
        BlitMakeGeometry(call.Dc(), xoriginDest, yoriginDest, wDest, hDest, src.get(), xoriginSrc, yoriginSrc, wSrc, hSrc);
    // The transparent colour is compared with the source's own pixels.
    const BlitSource raw = BlitReadSource(*src, g.src, nullptr, false);
    const BlitSource block = BlitReadSource(*src, g.src, &call.Dc(), false);
    const uint32_t transparent = tw::gdi::ColorToPixel(crTransparent);
    BlitForEach(target, g, [&](int x, int y, int sx, int sy) {
        if (!raw.Has(sx, sy) || raw.At(sx, sy) == transparent)
            return;
        target.surface.At(x, y) = block.At(sx, sy);
    });
    call.Changed(tw::gdi::RectIntersection(g.dst, target.clip.Bounds()));
    return TRUE;
}

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn)
{
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0 || ftn.BlendOp != AC_SRC_OVER)
        return FALSE;
    DrawCall call(hdcDest);
    auto src = tw::gdi::FindDC(hdcSrc);
    if (!call.Valid() || !src)
        return FALSE;
    // The source rectangle must lie inside the source surface.
    const tw::gdi::Surface sourceSurface = src->CurrentSurface();
    const RECT s = src->RectToSurface(xoriginSrc, yoriginSrc, xoriginSrc + wSrc, yoriginSrc + hSrc);
    if (s.left < 0 || s.top < 0 || s.right > sourceSurface.width || s.bottom > sourceSurface.height)
        return FALSE;
    if (!call.CanPaint())
        return TRUE;
    auto& target = call.Target();
    const BlitGeometry g =
        BlitMakeGeometry(call.Dc(), xoriginDest, yoriginDest, wDest, hDest, src.get(), xoriginSrc, yoriginSrc, wSrc, hSrc);
    const BlitSource block = BlitReadSource(*src, g.src, nullptr, true);
    const bool perPixel = (ftn.AlphaFormat & AC_SRC_ALPHA) != 0;
    const uint32_t constant = ftn.SourceConstantAlpha;
    const bool keepDestAlpha = !target.screen && !target.mono;
    BlitForEach(target, g, [&](int x, int y, int sx, int sy) {
        const uint32_t sp = block.At(sx, sy);
        uint32_t& d = target.surface.At(x, y);
        // Per-pixel sources are premultiplied, so colour and alpha scale alike.
        const uint32_t srcAlpha = perPixel ? ((sp >> 24) * constant + 127) / 255 : constant;
        auto channel = [&](int shift) {
            const uint32_t sc = (sp >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
            const uint32_t scaled = perPixel ? (sc * constant + 127) / 255 : (sc * constant + 127) / 255;
            return std::min<uint32_t>(255, scaled + (dc * (255 - srcAlpha) + 127) / 255);
        };
        uint32_t result = (channel(16) << 16) | (channel(8) << 8) | channel(0);
        if (keepDestAlpha)
            result |= std::min<uint32_t>(255, srcAlpha + ((d >> 24) * (255 - srcAlpha) + 127) / 255) << 24;
        if (target.mono)
            result = tw::gdi::NearestMonoPixel(result & 0xFFFFFF);
        d = result;
    });
    call.Changed(tw::gdi::RectIntersection(g.dst, target.clip.Bounds()));
    return TRUE;
}

BOOL GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode)
{
    if (!pVertex || !pMesh || (ulMode != GRADIENT_FILL_RECT_H && ulMode != GRADIENT_FILL_RECT_V))
        return FALSE;
    DrawCall call(hdc);
    if (!call.Valid())
        return FALSE;
    const auto* rects = static_cast<const GRADIENT_RECT*>(pMesh);
    for (ULONG i = 0; i < nMesh; ++i) {
        if (rects[i].UpperLeft >= nVertex || rects[i].LowerRight >= nVertex)
            return FALSE;
    }
    if (!call.CanPaint())
        return TRUE;
    auto& target = call.Target();
    const bool horizontal = ulMode == GRADIENT_FILL_RECT_H;
    for (ULONG i = 0; i < nMesh; ++i) {
        TRIVERTEX a = pVertex[rects[i].UpperLeft];
        TRIVERTEX b = pVertex[rects[i].LowerRight];
        const POINT pa = call.Dc().ToSurface(a.x, a.y);
        const POINT pb = call.Dc().ToSurface(b.x, b.y);
        RECT r = tw::gdi::NormalizedRect(pa.x, pa.y, pb.x, pb.y);
        // The colours run from the first vertex's side to the second's.
        const bool reversed = horizontal ? pa.x > pb.x : pa.y > pb.y;
        if (reversed)
            std::swap(a, b);
        const int span = horizontal ? r.right - r.left : r.bottom - r.top;
        if (span <= 0)
            continue;
        const RECT area = tw::gdi::RectIntersection(r, target.clip.Bounds());
        for (int y = area.top; y < area.bottom; ++y) {
            target.clip.ForEachSpan(y, area.left, area.right, [&](int x0, int x1) {
                for (int x = x0; x < x1; ++x) {
                    const int pos = horizontal ? x - r.left : y - r.top;
                    auto mix = [&](COLOR16 from, COLOR16 to) {
                        return uint32_t((int64_t(from) + (int64_t(to) - from) * pos / span) >> 8) & 0xFF;
                    };
                    uint32_t pixel = (mix(a.Red, b.Red) << 16) | (mix(a.Green, b.Green) << 8) | mix(a.Blue, b.Blue);
                    if (target.mono)
                        pixel = tw::gdi::NearestMonoPixel(pixel);
                    target.surface.At(x, y) = pixel;
                }
            });
        }
        call.Changed(area);
    }
    return TRUE;
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                  int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop)
{
    tw::gdi::DibFormat format;
    if (!lpBits || !format.Parse(lpbmi, iUsage))
        return 0;
    // Draw through a temporary memory DC holding the bits, top-down.
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(format.Width(), format.Height(), 1, 32, nullptr);
    SetDIBits(memory, bitmap, 0, UINT(format.Height()), lpBits, lpbmi, iUsage);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // DIB source coordinates count from the bottom for bottom-up bits.
    const int top = format.TopDown() ? ySrc : format.Height() - ySrc - SrcHeight;
    const BOOL ok = StretchBlt(hdc, xDest, yDest, DestWidth, DestHeight, memory, xSrc, top, SrcWidth, SrcHeight, rop);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return ok ? SrcHeight : 0;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                      UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    if (StartScan != 0)
        return 0;  // banded output is not used
    tw::gdi::DibFormat format;
    if (!lpvBits || !format.Parse(lpbmi, ColorUse) || int(cLines) < format.Height())
        return 0;
    return StretchDIBits(hdc, xDest, yDest, int(w), int(h), xSrc, ySrc, int(w), int(h), lpvBits, lpbmi, ColorUse,
                         SRCCOPY)
               ? int(cLines)
               : 0;
}

BOOL GdiFlush() { return TRUE; }

namespace {

// The blending calls live in msimg32.dll on the platform; programs find them
// there through LoadLibrary and GetProcAddress.
const bool kBlitImagingExportsRegistered = [] {
    bool ok = tw::RegisterModuleExport("msimg32.dll", "AlphaBlend", &AlphaBlend);
    ok = tw::RegisterModuleExport("msimg32.dll", "TransparentBlt", &TransparentBlt) && ok;
    ok = tw::RegisterModuleExport("msimg32.dll", "GradientFill", &GradientFill) && ok;
    return ok;
}();

}  // namespace
