// Making a dialog window from a parsed template: the dialog font and its
// units, the frame from the template's client size, the position (relative
// to the owner, centred, kept on the screen), the controls in template order
// each with the dialog font, the default button, then WM_INITDIALOG and the
// first focus.
#pragma once

#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/DialogTemplate.h"

namespace tw::dlg {

class DialogBuilder {
public:
    // Null, with the last error set, when the dialog or one of its controls
    // (without DS_NOFAILCREATE) could not be made. A modal dialog is left
    // hidden for its loop to show.
    static HWND Build(HINSTANCE instance, const tw::res::DialogTemplate& dialogTemplate, HWND parent, DLGPROC proc,
                      LPARAM initParam, bool modal);
    // The template of a resource, or of memory given to the Indirect calls.
    static std::optional<tw::res::DialogTemplate> LoadTemplate(HINSTANCE instance, LPCSTR name);
    static std::optional<tw::res::DialogTemplate> ReadTemplate(LPCDLGTEMPLATE memory);
    static void RegisterDialogClass();
};

}  // namespace tw::dlg
