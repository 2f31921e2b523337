// The calls on a DC's state: creation, saving, colours, modes, origins,
// object selection, clipping and device capabilities.
#include "platform/display/Display.h"
#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/PrinterDC.h"

using tw::gdi::DeviceContext;
using tw::gdi::FindDC;
using tw::gdi::GdiLock;

namespace {

// Runs f on the DC's state under the GDI lock; fallback when the handle is bad.
template <class R, class F>
R WithDC(HDC hdc, R fallback, F&& f)
{
    std::lock_guard lock(GdiLock());
    auto dc = FindDC(hdc);
    if (!dc)
        return fallback;
    return f(*dc);
}

template <class T>
T SwapValue(T& slot, T value)
{
    T previous = slot;
    slot = value;
    return previous;
}

// A logical rectangle in device coordinates (what clip regions are kept in).
RECT DcLogicalToDevice(const DeviceContext& dc, int left, int top, int right, int bottom)
{
    const RECT r = dc.RectToSurface(left, top, right, bottom);
    return tw::gdi::NormalizedRect(r.left - dc.origin.x, r.top - dc.origin.y, r.right - dc.origin.x,
                                   r.bottom - dc.origin.y);
}

// The whole drawable area in device coordinates, standing in for "no clip region".
std::shared_ptr<tw::gdi::RegionObject> DcWholeDeviceRegion(DeviceContext& dc)
{
    auto region = tw::gdi::MakeRegion();
    const RECT bounds = dc.CurrentSurface().Bounds();
    region->SetRect(RECT{bounds.left - dc.origin.x, bounds.top - dc.origin.y, bounds.right - dc.origin.x,
                         bounds.bottom - dc.origin.y});
    return region;
}

int DcClipComplexity(DeviceContext& dc) { return dc.EffectiveClip()->Complexity(); }

int DcCombineClip(DeviceContext& dc, const tw::gdi::RegionObject* region, int mode)
{
    if (mode == RGN_COPY) {
        if (!region) {
            dc.state.clip.reset();
        } else {
            auto copy = tw::gdi::MakeRegion();
            copy->CopyFrom(*region);
            dc.state.clip = copy;
        }
        return DcClipComplexity(dc);
    }
    if (!region)
        return ERROR;
    auto current = dc.state.clip ? dc.state.clip : DcWholeDeviceRegion(dc);
    auto combined = tw::gdi::MakeRegion();
    if (!combined->Combine(*current, *region, mode))
        return ERROR;
    dc.state.clip = combined;
    return DcClipComplexity(dc);
}

void DcSelectBitmap(DeviceContext& dc, std::shared_ptr<tw::gdi::BitmapObject> bitmap)
{
    if (dc.state.bitmap && dc.state.bitmap->selectedInto == &dc)
        dc.state.bitmap->selectedInto = nullptr;
    if (bitmap && !bitmap->stock)
        bitmap->selectedInto = &dc;
    dc.state.bitmap = std::move(bitmap);
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc)
{
    std::lock_guard lock(GdiLock());
    if (hdc && !FindDC(hdc))
        return nullptr;
    auto dc = std::make_shared<DeviceContext>(DeviceContext::Kind::Memory);
    return HDC(tw::gdi::AddObject(dc));
}

BOOL DeleteDC(HDC hdc)
{
    std::lock_guard lock(GdiLock());
    tw::gdi::ForgetPrinterDC(hdc);
    auto dc = FindDC(hdc);
    if (!dc)
        return FALSE;
    for (auto& state : dc->saved) {
        if (state.bitmap && state.bitmap->selectedInto == dc.get())
            state.bitmap->selectedInto = nullptr;
    }
    if (dc->state.bitmap && dc->state.bitmap->selectedInto == dc.get())
        dc->state.bitmap->selectedInto = nullptr;
    return tw::gdi::RemoveObject(hdc);
}

int SaveDC(HDC hdc)
{
    return WithDC(hdc, 0, [](DeviceContext& dc) {
        dc.saved.push_back(dc.state);
        if (dc.state.clip) {
            // The saved clip must not change with later edits of the current one.
            auto copy = tw::gdi::MakeRegion();
            copy->CopyFrom(*dc.state.clip);
            dc.saved.back().clip = copy;
        }
        return int(dc.saved.size());
    });
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    return WithDC(hdc, FALSE, [nSavedDC](DeviceContext& dc) -> BOOL {
        const int depth = int(dc.saved.size());
        const int level = nSavedDC < 0 ? depth + nSavedDC + 1 : nSavedDC;
        if (level < 1 || level > depth)
            return FALSE;
        tw::gdi::DcState restored = dc.saved[level - 1];
        dc.saved.resize(level - 1);
        auto bitmap = restored.bitmap;
        dc.state = std::move(restored);
        dc.state.bitmap = nullptr;
        if (dc.kind == DeviceContext::Kind::Memory) {
            dc.state.bitmap = bitmap;
            if (bitmap && !bitmap->stock)
                bitmap->selectedInto = &dc;
        }
        return TRUE;
    });
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    return WithDC(hdc, COLORREF(CLR_INVALID), [color](DeviceContext& dc) { return SwapValue(dc.state.textColor, color); });
}
COLORREF GetTextColor(HDC hdc)
{
    return WithDC(hdc, COLORREF(CLR_INVALID), [](DeviceContext& dc) { return dc.state.textColor; });
}
COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    return WithDC(hdc, COLORREF(CLR_INVALID), [color](DeviceContext& dc) { return SwapValue(dc.state.bkColor, color); });
}
COLORREF GetBkColor(HDC hdc)
{
    return WithDC(hdc, COLORREF(CLR_INVALID), [](DeviceContext& dc) { return dc.state.bkColor; });
}
COLORREF SetDCBrushColor(HDC hdc, COLORREF color)
{
    return WithDC(hdc, COLORREF(CLR_INVALID), [color](DeviceContext& dc) { return SwapValue(dc.state.dcBrushColor, color); });
}
COLORREF SetDCPenColor(HDC hdc, COLORREF color)
{
    return WithDC(hdc, COLORREF(CLR_INVALID), [color](DeviceContext& dc) { return SwapValue(dc.state.dcPenColor, color); });
}

int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return WithDC(hdc, 0, [mode](DeviceContext& dc) { return SwapValue(dc.state.bkMode, mode); });
}
int GetBkMode(HDC hdc) { return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.state.bkMode; }); }

int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return WithDC(hdc, 0, [rop2](DeviceContext& dc) { return SwapValue(dc.state.rop2, rop2); });
}
int GetROP2(HDC hdc) { return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.state.rop2; }); }

UINT SetTextAlign(HDC hdc, UINT align)
{
    return WithDC(hdc, UINT(GDI_ERROR), [align](DeviceContext& dc) { return SwapValue(dc.state.textAlign, align); });
}
UINT GetTextAlign(HDC hdc)
{
    return WithDC(hdc, UINT(GDI_ERROR), [](DeviceContext& dc) { return dc.state.textAlign; });
}

int SetPolyFillMode(HDC hdc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return WithDC(hdc, 0, [mode](DeviceContext& dc) { return SwapValue(dc.state.polyFillMode, mode); });
}
int GetPolyFillMode(HDC hdc) { return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.state.polyFillMode; }); }

int SetStretchBltMode(HDC hdc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    return WithDC(hdc, 0, [mode](DeviceContext& dc) { return SwapValue(dc.state.stretchMode, mode); });
}
int GetStretchBltMode(HDC hdc) { return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.state.stretchMode; }); }

namespace {

// Logical units of the fixed-measure modes in an inch; 0 for the others.
int DcUnitsPerInch(int mode)
{
    switch (mode) {
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_TWIPS: return 1440;
    default: return 0;
    }
}

LONG DcAbs(LONG v) { return v < 0 ? -v : v; }

// An isotropic mapping keeps one scale on both axes: the larger viewport
// extent shrinks to the smaller scale, keeping its sign.
void DcMakeIsotropic(tw::gdi::DcState& s)
{
    const long long xScale = static_cast<long long>(DcAbs(s.viewportExt.cx)) * DcAbs(s.windowExt.cy);
    const long long yScale = static_cast<long long>(DcAbs(s.viewportExt.cy)) * DcAbs(s.windowExt.cx);
    if (xScale == yScale || !s.windowExt.cx || !s.windowExt.cy)
        return;
    if (xScale < yScale) {
        const LONG cy = static_cast<LONG>(xScale / DcAbs(s.windowExt.cx));
        s.viewportExt.cy = s.viewportExt.cy < 0 ? -cy : cy;
    } else {
        const LONG cx = static_cast<LONG>(yScale / DcAbs(s.windowExt.cy));
        s.viewportExt.cx = s.viewportExt.cx < 0 ? -cx : cx;
    }
}

bool DcExtentsAreFree(int mode) { return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC; }

}  // namespace

int SetMapMode(HDC hdc, int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int unitsPerInch = DcUnitsPerInch(mode);
    const int dpiX = unitsPerInch ? GetDeviceCaps(hdc, LOGPIXELSX) : 0;
    const int dpiY = unitsPerInch ? GetDeviceCaps(hdc, LOGPIXELSY) : 0;
    return WithDC(hdc, 0, [&](DeviceContext& dc) {
        tw::gdi::DcState& s = dc.state;
        if (mode == MM_TEXT) {
            s.windowExt = SIZE{1, 1};
            s.viewportExt = SIZE{1, 1};
        } else if (unitsPerInch) {
            s.windowExt = SIZE{unitsPerInch, unitsPerInch};
            s.viewportExt = SIZE{dpiX > 0 ? dpiX : 96, -(dpiY > 0 ? dpiY : 96)};
        } else if (mode == MM_ISOTROPIC) {
            DcMakeIsotropic(s);  // the extents of the mode before are kept
        }
        return SwapValue(s.mapMode, mode);
    });
}
int GetMapMode(HDC hdc) { return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.state.mapMode; }); }

int SetTextCharacterExtra(HDC hdc, int extra)
{
    return WithDC(hdc, int(0x80000000), [extra](DeviceContext& dc) { return SwapValue(dc.state.charExtra, extra); });
}
int GetTextCharacterExtra(HDC hdc)
{
    return WithDC(hdc, int(0x80000000), [](DeviceContext& dc) { return dc.state.charExtra; });
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (lppt)
            *lppt = dc.state.brushOrg;
        dc.state.brushOrg = POINT{x, y};
        return TRUE;
    });
}
BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (!lppt)
            return FALSE;
        *lppt = dc.state.brushOrg;
        return TRUE;
    });
}

namespace {

BOOL DcSetPoint(HDC hdc, POINT tw::gdi::DcState::*member, int x, int y, bool relative, LPPOINT previous)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        POINT& slot = dc.state.*member;
        if (previous)
            *previous = slot;
        slot = relative ? POINT{slot.x + x, slot.y + y} : POINT{x, y};
        return TRUE;
    });
}

BOOL DcGetPoint(HDC hdc, POINT tw::gdi::DcState::*member, LPPOINT out)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (!out)
            return FALSE;
        *out = dc.state.*member;
        return TRUE;
    });
}

}  // namespace

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return DcSetPoint(hdc, &tw::gdi::DcState::windowOrg, x, y, false, lppt);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt) { return DcGetPoint(hdc, &tw::gdi::DcState::windowOrg, lppt); }
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return DcSetPoint(hdc, &tw::gdi::DcState::windowOrg, x, y, true, lppt);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return DcSetPoint(hdc, &tw::gdi::DcState::viewportOrg, x, y, false, lppt);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt) { return DcGetPoint(hdc, &tw::gdi::DcState::viewportOrg, lppt); }
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return DcSetPoint(hdc, &tw::gdi::DcState::viewportOrg, x, y, true, lppt);
}
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) { return DcGetPoint(hdc, &tw::gdi::DcState::position, lppt); }

namespace {

BOOL DcSetExtent(HDC hdc, SIZE tw::gdi::DcState::*member, int x, int y, LPSIZE previous)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        SIZE& slot = dc.state.*member;
        if (previous)
            *previous = slot;
        // Outside the two free modes the call is ignored, as the platform does.
        if (!DcExtentsAreFree(dc.state.mapMode))
            return TRUE;
        if (x == 0 || y == 0)
            return FALSE;
        slot = SIZE{x, y};
        if (dc.state.mapMode == MM_ISOTROPIC)
            DcMakeIsotropic(dc.state);
        return TRUE;
    });
}

BOOL DcGetExtent(HDC hdc, SIZE tw::gdi::DcState::*member, LPSIZE out)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (!out)
            return FALSE;
        *out = dc.state.*member;
        return TRUE;
    });
}

}  // namespace

BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return DcSetExtent(hdc, &tw::gdi::DcState::windowExt, x, y, lpsz);
}
BOOL GetWindowExtEx(HDC hdc, LPSIZE lpsz) { return DcGetExtent(hdc, &tw::gdi::DcState::windowExt, lpsz); }
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    return DcSetExtent(hdc, &tw::gdi::DcState::viewportExt, x, y, lpsz);
}
BOOL GetViewportExtEx(HDC hdc, LPSIZE lpsz) { return DcGetExtent(hdc, &tw::gdi::DcState::viewportExt, lpsz); }

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        for (int i = 0; lppt && i < c; ++i) {
            const POINT s = dc.ToSurface(lppt[i].x, lppt[i].y);
            lppt[i] = POINT{s.x - dc.origin.x, s.y - dc.origin.y};
        }
        return TRUE;
    });
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        for (int i = 0; lppt && i < c; ++i)
            lppt[i] = dc.ToLogical(lppt[i].x + dc.origin.x, lppt[i].y + dc.origin.y);
        return TRUE;
    });
}

BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt)
{
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (!lppt)
            return FALSE;
        *lppt = dc.origin;
        return TRUE;
    });
}

// --- selection ----------------------------------------------------------------------
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    std::lock_guard lock(GdiLock());
    auto dc = FindDC(hdc);
    auto object = tw::gdi::FindObject(h);
    if (!dc || !object)
        return nullptr;
    switch (object->type) {
    case OBJ_PEN: {
        HGDIOBJ previous = dc->state.pen.get();
        dc->state.pen = std::static_pointer_cast<tw::gdi::PenObject>(object);
        return previous;
    }
    case OBJ_BRUSH: {
        HGDIOBJ previous = dc->state.brush.get();
        dc->state.brush = std::static_pointer_cast<tw::gdi::BrushObject>(object);
        return previous;
    }
    case OBJ_FONT: {
        HGDIOBJ previous = dc->state.font.get();
        dc->state.font = std::static_pointer_cast<tw::gdi::FontObject>(object);
        return previous;
    }
    case OBJ_BITMAP: {
        auto bitmap = std::static_pointer_cast<tw::gdi::BitmapObject>(object);
        if (dc->kind != DeviceContext::Kind::Memory)
            return nullptr;
        if (bitmap->selectedInto && bitmap->selectedInto != dc.get())
            return nullptr;
        HGDIOBJ previous = dc->state.bitmap.get();
        DcSelectBitmap(*dc, bitmap);
        return previous;
    }
    case OBJ_REGION: {
        const int result = DcCombineClip(*dc, static_cast<tw::gdi::RegionObject*>(object.get()), RGN_COPY);
        return reinterpret_cast<HGDIOBJ>(intptr_t(result));
    }
    default:
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    std::lock_guard lock(GdiLock());
    auto dc = FindDC(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->state.pen.get();
    case OBJ_BRUSH: return dc->state.brush.get();
    case OBJ_FONT: return dc->state.font.get();
    case OBJ_PAL: return dc->state.palette.get();
    case OBJ_BITMAP: return dc->state.bitmap.get();
    default: return nullptr;
    }
}

// --- clipping -------------------------------------------------------------------------
int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    return WithDC(hdc, int(ERROR), [&](DeviceContext& dc) {
        auto region = tw::gdi::FindRegion(hrgn);
        if (hrgn && !region)
            return int(ERROR);
        return DcCombineClip(dc, region.get(), mode);
    });
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return WithDC(hdc, int(ERROR), [&](DeviceContext& dc) {
        auto rect = tw::gdi::MakeRegion();
        rect->SetRect(DcLogicalToDevice(dc, left, top, right, bottom));
        return DcCombineClip(dc, rect.get(), RGN_AND);
    });
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return WithDC(hdc, int(ERROR), [&](DeviceContext& dc) {
        auto rect = tw::gdi::MakeRegion();
        rect->SetRect(DcLogicalToDevice(dc, left, top, right, bottom));
        return DcCombineClip(dc, rect.get(), RGN_DIFF);
    });
}

int OffsetClipRgn(HDC hdc, int x, int y)
{
    return WithDC(hdc, int(ERROR), [&](DeviceContext& dc) {
        if (dc.state.clip) {
            auto moved = tw::gdi::MakeRegion();
            moved->CopyFrom(*dc.state.clip);
            moved->Offset(x, y);
            dc.state.clip = moved;
        }
        return DcClipComplexity(dc);
    });
}

int GetClipBox(HDC hdc, LPRECT lprect)
{
    return WithDC(hdc, int(ERROR), [&](DeviceContext& dc) {
        if (!lprect)
            return int(ERROR);
        auto clip = dc.EffectiveClip();
        const RECT extents = clip->Extents();
        const POINT a = dc.ToLogical(extents.left, extents.top);
        const POINT b = dc.ToLogical(extents.right, extents.bottom);
        *lprect = RECT{a.x, a.y, b.x, b.y};
        return clip->Complexity();
    });
}

int GetClipRgn(HDC hdc, HRGN hrgn)
{
    return WithDC(hdc, -1, [&](DeviceContext& dc) {
        auto region = tw::gdi::FindRegion(hrgn);
        if (!region)
            return -1;
        if (!dc.state.clip)
            return 0;
        region->CopyFrom(*dc.state.clip);
        return 1;
    });
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    return WithDC(hdc, BOOL(-1), [&](DeviceContext& dc) -> BOOL {
        const POINT s = dc.ToSurface(x, y);
        return dc.EffectiveClip()->ContainsPoint(s.x, s.y);
    });
}

BOOL RectVisible(HDC hdc, const RECT* lprect)
{
    if (!lprect)
        return FALSE;
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) -> BOOL {
        return dc.EffectiveClip()->IntersectsRect(
            dc.RectToSurface(lprect->left, lprect->top, lprect->right, lprect->bottom));
    });
}

// --- capabilities ------------------------------------------------------------------------
int GetDeviceCaps(HDC hdc, int index)
{
    std::lock_guard lock(GdiLock());
    if (int printerCaps = 0; tw::gdi::PrinterDeviceCaps(hdc, index, printerCaps))
        return printerCaps;
    auto dc = FindDC(hdc);
    if (!dc)
        return 0;
    auto& screen = tw::display::Display::Instance().GetScreen();
    const bool mono = dc->IsMono();
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES:
    case DESKTOPHORZRES: return screen.Width();
    case VERTRES:
    case DESKTOPVERTRES: return screen.Height();
    case HORZSIZE: return screen.Width() * 254 / 960;
    case VERTSIZE: return screen.Height() * 254 / 960;
    case BITSPIXEL: return mono ? 1 : 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return mono ? 2 : -1;
    case NUMFONTS: return 0;
    case CURVECAPS:
    case LINECAPS:
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7807;
    case CLIPCAPS: return 1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    case BLTALIGNMENT: return 0;
    case SHADEBLENDCAPS: return 0x7F;
    default: return 0;
    }
}
