// The modal loop of DialogBox: the owner is disabled while the dialog runs
// and enabled again on every way out (EndDialog, the dialog or its owner
// destroyed, WM_QUIT, which is put back for the outer loop).
#pragma once

#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/DialogTemplate.h"

namespace tw::dlg {

class ModalDialog {
public:
    static INT_PTR Run(HINSTANCE instance, const tw::res::DialogTemplate& dialogTemplate, HWND owner, DLGPROC proc,
                       LPARAM initParam);
    static BOOL End(HWND dialog, INT_PTR result);
};

}  // namespace tw::dlg
