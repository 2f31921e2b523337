// Dialog units: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height. The average
// width is measured over the alphabet, as the platform measures it, not
// taken from the font's own metric.
#pragma once

#include "platform/win32/gdi/wingdi.h"

namespace tw::dlg {

class DialogUnits {
public:
    // Average character width and height of a font (the system font for null).
    static SIZE BaseUnitsOf(HFONT font);
    static RECT ToPixels(const RECT& dlu, SIZE baseUnits);
    static int XToPixels(int dlu, SIZE baseUnits);
    static int YToPixels(int dlu, SIZE baseUnits);
};

}  // namespace tw::dlg
