// What every drawing call starts with: the GDI lock, the DC and its target
// opened for this call (screen locked, clip computed), and the shared
// painting helpers.
#pragma once

#include "platform/win32/gdi/DeviceContext.h"

namespace tw::gdi {

class DrawCall {
public:
    explicit DrawCall(HDC hdc);
    ~DrawCall();
    DrawCall(const DrawCall&) = delete;
    DrawCall& operator=(const DrawCall&) = delete;

    bool Valid() const { return dc_ != nullptr; }
    bool CanPaint() const { return paintable_; }
    DeviceContext& Dc() { return *dc_; }
    DeviceContext::Target& Target() { return target_; }
    // Records a changed area (surface coordinates) for the screen's dirty list.
    void Changed(const RECT& rect) { changed_ = RectUnion(changed_, rect); }

private:
    std::lock_guard<std::recursive_mutex> lock_;
    std::shared_ptr<DeviceContext> dc_;
    DeviceContext::Target target_;
    bool paintable_ = false;
    RECT changed_{0, 0, 0, 0};
};

// Per-pixel ternary raster operation with a brush (no source) over a surface
// rectangle; returns the changed bounds.
RECT PaintRectRop3(const DeviceContext::Target& target, const RECT& rect, const BrushPaint& pattern, DWORD rop);
// Strokes a polyline (surface coordinates) with the DC's pen and ROP2.
RECT StrokeWithPen(DeviceContext& dc, DeviceContext::Target& target, const POINT* points, int count, bool closed);
// The pen's width in pixels when it draws, 0 for a null pen.
int PenPixelWidth(const DeviceContext& dc);

}  // namespace tw::gdi
