// A device context: its state (objects, colours, modes, origins, clip) and
// the surface it draws on, either a place on the virtual screen or the
// bitmap selected into a memory DC.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/display/Screen.h"
#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/RegionObject.h"

namespace tw::gdi {

struct DcState {
    std::shared_ptr<PenObject> pen;
    std::shared_ptr<BrushObject> brush;
    std::shared_ptr<FontObject> font;
    std::shared_ptr<PaletteObject> palette;
    std::shared_ptr<BitmapObject> bitmap;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF dcBrushColor = RGB(255, 255, 255);
    COLORREF dcPenColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int mapMode = MM_TEXT;
    UINT textAlign = TA_LEFT | TA_TOP;
    int charExtra = 0;
    POINT windowOrg{0, 0};
    POINT viewportOrg{0, 0};
    // Logical units scale to device units as viewportExt / windowExt.
    SIZE windowExt{1, 1};
    SIZE viewportExt{1, 1};
    POINT brushOrg{0, 0};
    POINT position{0, 0};
    // In device coordinates; null: no clip region selected.
    std::shared_ptr<RegionObject> clip;
};

class DeviceContext : public GdiObject {
public:
    enum class Kind { Screen, Memory };

    explicit DeviceContext(Kind kind);

    Kind kind;
    // Surface coordinates of device point (0, 0).
    POINT origin{0, 0};
    // Screen DCs: where the window layer lets it draw, in surface coordinates.
    std::shared_ptr<RegionObject> visible;
    DcState state;
    std::vector<DcState> saved;

    // What one drawing call works on: the surface, the clip in surface
    // coordinates, and the lock of the screen while it lasts.
    struct Target {
        Surface surface;
        ClipArea clip;
        bool mono = false;
        tw::display::Screen* screen = nullptr;
        std::unique_lock<std::recursive_mutex> screenLock;
        void Touch(const RECT& changed);
    };
    // False when there is nothing to draw on.
    bool OpenTarget(Target& target);
    Surface CurrentSurface();

    POINT ToSurface(int x, int y) const;
    POINT ToLogical(int sx, int sy) const;
    RECT RectToSurface(int left, int top, int right, int bottom) const;
    // Lengths (font heights, pen widths, advances) between logical and device
    // units along one axis; the sign is the length's own, never the axis's.
    int LengthToDeviceX(int length) const;
    int LengthToDeviceY(int length) const;
    int LengthToLogicalX(int length) const;
    int LengthToLogicalY(int length) const;
    // The clip region in surface coordinates (visible part and selected clip).
    std::shared_ptr<RegionObject> EffectiveClip();

    bool IsMono() const;
    BrushPaint PaintOfBrush(const BrushObject* brush);
    BrushPaint PaintOfColor(COLORREF color) const;
    COLORREF PenColor() const;

    void ResetState();
};

std::shared_ptr<DeviceContext> FindDC(HDC hdc);

}  // namespace tw::gdi
