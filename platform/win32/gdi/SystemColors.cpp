#include "platform/win32/gdi/SystemColors.h"

#include <array>
#include <atomic>
#include <mutex>

#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/SystemChange.h"

namespace tw::gdi {

namespace {

// The classic look.
constexpr std::array<COLORREF, kSysColorCount> kClassicSysColors = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(58, 110, 165),   // COLOR_BACKGROUND
    RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(212, 208, 200),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(10, 36, 106),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),     // COLOR_3DDKSHADOW
    RGB(212, 208, 200),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // (unused entry)
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),    // COLOR_MENUHILIGHT
    RGB(212, 208, 200),  // COLOR_MENUBAR
};

std::array<std::atomic<COLORREF>, kSysColorCount>& CurrentSysColors()
{
    static std::array<std::atomic<COLORREF>, kSysColorCount> colors;
    static std::once_flag filled;
    std::call_once(filled, [] {
        for (int i = 0; i < kSysColorCount; ++i)
            colors[i] = kClassicSysColors[i];
    });
    return colors;
}

// One stock brush per entry; it reads the table when it paints.
const std::array<HBRUSH, kSysColorCount>& SysColorBrushes()
{
    static const std::array<HBRUSH, kSysColorCount> brushes = [] {
        std::array<HBRUSH, kSysColorCount> made{};
        for (int i = 0; i < kSysColorCount; ++i) {
            auto brush = std::make_shared<BrushObject>();
            brush->style = BS_SOLID;
            brush->sysColorIndex = i;
            brush->color = kClassicSysColors[i];
            brush->stock = true;
            made[i] = HBRUSH(AddObject(brush));
        }
        return made;
    }();
    return brushes;
}

}  // namespace

void ResetSysColors()
{
    for (int i = 0; i < kSysColorCount; ++i)
        CurrentSysColors()[i] = kClassicSysColors[i];
}

}  // namespace tw::gdi

DWORD GetSysColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= tw::gdi::kSysColorCount)
        return 0;
    return tw::gdi::CurrentSysColors()[nIndex];
}

HBRUSH GetSysColorBrush(int nIndex)
{
    if (nIndex < 0 || nIndex >= tw::gdi::kSysColorCount)
        return nullptr;
    std::lock_guard lock(tw::gdi::GdiLock());
    return tw::gdi::SysColorBrushes()[nIndex];
}

BOOL SetSysColors(int cElements, const INT* lpaElements, const COLORREF* lpaRgbValues)
{
    if (cElements < 0 || (cElements > 0 && (!lpaElements || !lpaRgbValues)))
        return FALSE;
    for (int i = 0; i < cElements; ++i) {
        if (lpaElements[i] < 0 || lpaElements[i] >= tw::gdi::kSysColorCount)
            return FALSE;
    }
    for (int i = 0; i < cElements; ++i)
        tw::gdi::CurrentSysColors()[lpaElements[i]] = lpaRgbValues[i] & 0xFFFFFF;
    if (cElements > 0)
        tw::gdi::AnnounceSystemChange(tw::gdi::SystemChange::Colors);
    return TRUE;
}
