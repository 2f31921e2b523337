#include "platform/win32/gdi/SystemMetrics.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/gdi/SystemChange.h"

namespace tw::gdi {

namespace {

struct SystemParameters {
    std::mutex mutex;
    bool hasWorkArea = false;
    RECT workArea{0, 0, 0, 0};
    bool dragFullWindows = true;
    bool menuAnimation = true;
    bool menuFade = true;
    bool minAnimate = true;
};

SystemParameters& Parameters()
{
    static SystemParameters parameters;
    return parameters;
}

SIZE MetricsScreenSize()
{
    auto& screen = tw::display::Display::Instance().GetScreen();
    return SIZE{screen.Width(), screen.Height()};
}

LOGFONTA MetricsFont(LONG height, LONG weight, const char* face)
{
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", face);
    return font;
}

template <class T>
BOOL MetricsCopyOut(PVOID pv, const T& value)
{
    if (!pv)
        return FALSE;
    std::memcpy(pv, &value, sizeof(T));
    return TRUE;
}

BOOL MetricsBoolOut(PVOID pv, bool value)
{
    return MetricsCopyOut(pv, BOOL(value ? TRUE : FALSE));
}

}  // namespace

RECT WorkArea()
{
    const SIZE size = MetricsScreenSize();
    const RECT screen{0, 0, size.cx, size.cy};
    SystemParameters& p = Parameters();
    std::lock_guard lock(p.mutex);
    if (!p.hasWorkArea)
        return screen;
    // A work area set before the screen shrank keeps to the screen.
    RECT area{std::max(p.workArea.left, screen.left), std::max(p.workArea.top, screen.top),
              std::min(p.workArea.right, screen.right), std::min(p.workArea.bottom, screen.bottom)};
    if (area.right <= area.left || area.bottom <= area.top)
        return screen;
    return area;
}

void ResetSystemParameters()
{
    SystemParameters& p = Parameters();
    std::lock_guard lock(p.mutex);
    p.hasWorkArea = false;
    p.dragFullWindows = true;
    p.menuAnimation = true;
    p.menuFade = true;
    p.minAnimate = true;
}

LOGFONTA DefaultGuiLogFont(bool bold) { return MetricsFont(-11, bold ? FW_BOLD : FW_NORMAL, "Tahoma"); }

}  // namespace tw::gdi

int GetSystemMetrics(int nIndex)
{
    const SIZE screen = tw::gdi::MetricsScreenSize();
    const RECT work = tw::gdi::WorkArea();
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXFULLSCREEN: return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return screen.cy;
    case SM_CYFULLSCREEN: return workHeight - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDRAG:
    case SM_CYDRAG:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
    case SM_CYSMCAPTION: return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 18;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 15;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return screen.cx + 12;
    case SM_CYMAXTRACK: return screen.cy + 12;
    case SM_CXMAXIMIZED: return workWidth + 8;
    case SM_CYMAXIMIZED: return workHeight + 8;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CXMINSPACING:
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINSPACING:
    case SM_CYMINIMIZED: return 24;
    case SM_ARRANGE: return 8;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CMOUSEBUTTONS:
    case SM_NETWORK: return 3;
    default: return 0;
    }
}

BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT)
{
    using tw::gdi::MetricsBoolOut;
    using tw::gdi::MetricsCopyOut;
    tw::gdi::SystemParameters& p = tw::gdi::Parameters();
    switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: {
        auto* out = static_cast<NONCLIENTMETRICSA*>(pvParam);
        if (!out || out->cbSize < sizeof(NONCLIENTMETRICSA))
            return FALSE;
        NONCLIENTMETRICSA m{};
        m.cbSize = out->cbSize;
        m.iBorderWidth = 1;
        m.iScrollWidth = 16;
        m.iScrollHeight = 16;
        m.iCaptionWidth = 18;
        m.iCaptionHeight = 18;
        m.lfCaptionFont = tw::gdi::DefaultGuiLogFont(true);
        m.iSmCaptionWidth = 12;
        m.iSmCaptionHeight = 15;
        m.lfSmCaptionFont = tw::gdi::DefaultGuiLogFont(true);
        m.iMenuWidth = 18;
        m.iMenuHeight = 18;
        m.lfMenuFont = tw::gdi::DefaultGuiLogFont();
        m.lfStatusFont = tw::gdi::DefaultGuiLogFont();
        m.lfMessageFont = tw::gdi::DefaultGuiLogFont();
        *out = m;
        return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
        if (uiParam != 0 && uiParam < sizeof(LOGFONTA))
            return FALSE;
        return MetricsCopyOut(pvParam, tw::gdi::DefaultGuiLogFont());
    case SPI_GETICONMETRICS: {
        auto* out = static_cast<ICONMETRICSA*>(pvParam);
        if (!out || out->cbSize < sizeof(ICONMETRICSA))
            return FALSE;
        out->iHorzSpacing = 75;
        out->iVertSpacing = 75;
        out->iTitleWrap = TRUE;
        out->lfFont = tw::gdi::DefaultGuiLogFont();
        return TRUE;
    }
    case SPI_GETWORKAREA: return MetricsCopyOut(pvParam, tw::gdi::WorkArea());
    case SPI_SETWORKAREA: {
        const RECT before = tw::gdi::WorkArea();
        {
            std::lock_guard lock(p.mutex);
            if (pvParam) {
                const RECT area = *static_cast<const RECT*>(pvParam);
                if (area.right <= area.left || area.bottom <= area.top)
                    return FALSE;
                p.workArea = area;
            }
            p.hasWorkArea = pvParam != nullptr;
        }
        const RECT after = tw::gdi::WorkArea();
        if (std::memcmp(&before, &after, sizeof(RECT)) != 0)
            tw::gdi::AnnounceSystemChange(tw::gdi::SystemChange::WorkArea);
        return TRUE;
    }
    case SPI_GETDRAGFULLWINDOWS: {
        std::lock_guard lock(p.mutex);
        return MetricsBoolOut(pvParam, p.dragFullWindows);
    }
    case SPI_SETDRAGFULLWINDOWS: {
        std::lock_guard lock(p.mutex);
        p.dragFullWindows = uiParam != 0;
        return TRUE;
    }
    case SPI_GETANIMATION:
    case SPI_SETANIMATION: {
        auto* info = static_cast<ANIMATIONINFO*>(pvParam);
        if (!info || info->cbSize != sizeof(ANIMATIONINFO) || uiParam != sizeof(ANIMATIONINFO))
            return FALSE;
        std::lock_guard lock(p.mutex);
        if (uiAction == SPI_GETANIMATION)
            info->iMinAnimate = p.minAnimate ? 1 : 0;
        else
            p.minAnimate = info->iMinAnimate != 0;
        return TRUE;
    }
    case SPI_GETMENUANIMATION: {
        std::lock_guard lock(p.mutex);
        return MetricsBoolOut(pvParam, p.menuAnimation);
    }
    case SPI_SETMENUANIMATION: {
        std::lock_guard lock(p.mutex);
        p.menuAnimation = pvParam != nullptr;
        return TRUE;
    }
    case SPI_GETMENUFADE: {
        std::lock_guard lock(p.mutex);
        return MetricsBoolOut(pvParam, p.menuFade);
    }
    case SPI_SETMENUFADE: {
        std::lock_guard lock(p.mutex);
        p.menuFade = pvParam != nullptr;
        return TRUE;
    }
    case SPI_GETBEEP:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETHOTTRACKING:
    case SPI_GETUIEFFECTS:
    case SPI_GETICONTITLEWRAP:
    case SPI_GETFONTSMOOTHING: return MetricsBoolOut(pvParam, true);
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETCURSORSHADOW:
    case SPI_GETSCREENREADER:
    case SPI_GETKEYBOARDPREF:
    case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETSCREENSAVEACTIVE:
    case SPI_GETSCREENSAVERRUNNING:
    case SPI_GETACTIVEWINDOWTRACKING:
    case SPI_GETSHOWIMEUI: return MetricsBoolOut(pvParam, false);
    case SPI_GETBORDER:
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
    case SPI_GETCARETWIDTH:
    case SPI_GETKEYBOARDDELAY: return MetricsCopyOut(pvParam, UINT(1));
    case SPI_GETKEYBOARDSPEED: return MetricsCopyOut(pvParam, DWORD(31));
    case SPI_GETWHEELSCROLLLINES: return MetricsCopyOut(pvParam, UINT(3));
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: return MetricsCopyOut(pvParam, UINT(4));
    case SPI_GETMOUSEHOVERTIME:
    case SPI_GETMENUSHOWDELAY: return MetricsCopyOut(pvParam, UINT(400));
    case SPI_GETMOUSESPEED: return MetricsCopyOut(pvParam, int(10));
    case SPI_GETSCREENSAVETIMEOUT: return MetricsCopyOut(pvParam, int(0));
    case SPI_GETFONTSMOOTHINGTYPE: return MetricsCopyOut(pvParam, UINT(1));
    case SPI_ICONHORIZONTALSPACING:
    case SPI_ICONVERTICALSPACING:
        if (!pvParam)
            return FALSE;
        return MetricsCopyOut(pvParam, int(75));
    case SPI_GETMOUSE: {
        const int mouse[3] = {6, 10, 1};
        if (!pvParam)
            return FALSE;
        std::memcpy(pvParam, mouse, sizeof(mouse));
        return TRUE;
    }
    default:
        return FALSE;
    }
}
