// The modeless find and replace dialogs: each request goes to the owner as
// the registered "commdlg_FindReplace" message with the structure's flags
// and buffers brought up to date.
#pragma once

#include "platform/comctl/dialogs/commdlg.h"

namespace tw::comdlg {

class FindReplaceDialog {
public:
    static HWND Create(LPFINDREPLACE request, bool replace);

private:
    static bool Validate(const FINDREPLACE* request, bool replace);
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void Initialise(HWND dialog, const FINDREPLACE& request);
    static void UpdateButtons(HWND dialog);
    static void Report(HWND dialog, FINDREPLACE& request, DWORD command);
    static void Terminate(HWND dialog, FINDREPLACE& request);
};

}  // namespace tw::comdlg
