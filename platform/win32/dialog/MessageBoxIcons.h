// The four message box icons, drawn as shapes at 32 x 32: a red disc with a
// white cross (stop), a balloon with a question mark, a yellow triangle with
// an exclamation mark, a balloon with an "i".
#pragma once

#include "platform/win32/dialog/windlg.h"
#include "platform/win32/gdi/wingdi.h"

namespace tw::dlg {

class MessageBoxIcons {
public:
    // `icon` is the style's MB_ICONMASK part; nothing is drawn for 0 or an
    // unknown value. Returns whether an icon was drawn.
    static bool Draw(HDC dc, int x, int y, UINT icon);
    static bool IsKnown(UINT icon);
};

}  // namespace tw::dlg
