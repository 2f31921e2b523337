// The dialog manager's keyboard interface (IsDialogMessage): Tab and
// Shift+Tab over the tab stops, arrows inside a group, Enter for the default
// button, Esc for Cancel, and mnemonics with or without Alt. A control keeps
// the keys its WM_GETDLGCODE answer asks for.
#pragma once

#include "platform/win32/dialog/windlg.h"

namespace tw::dlg {

class DialogKeyboard {
public:
    static bool Handle(HWND dialog, MSG& msg);

private:
    static bool KeyDown(HWND dialog, MSG& msg, UINT code);
    static bool Character(HWND dialog, MSG& msg, UINT code, bool withAlt);
    static void PressDefault(HWND dialog, HWND focus, UINT focusCode);
    static void PressCancel(HWND dialog);
    static void MoveInGroup(HWND dialog, HWND focus, bool previous);
    static bool Mnemonic(HWND dialog, char32_t ch);
};

}  // namespace tw::dlg
