// Moving the focus inside a dialog the way the keyboard interface does: an
// edit's text is selected as it is tabbed into, and the default look of push
// buttons follows the focus (a focused push button is the default; any other
// focus gives it back to the dialog's default button).
#pragma once

#include "platform/win32/dialog/windlg.h"

namespace tw::dlg {

class DialogFocus {
public:
    static void MoveTo(HWND dialog, HWND control);
    // Gives BS_DEFPUSHBUTTON to the one push button that should look default.
    static void UpdateDefaultButton(HWND dialog, HWND focus);
    static void Save(HWND dialog);
    // The saved focus if it is still there, else the first tab stop.
    static void Restore(HWND dialog);
    static bool IsPushButton(UINT dlgCode) { return (dlgCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }
};

}  // namespace tw::dlg
