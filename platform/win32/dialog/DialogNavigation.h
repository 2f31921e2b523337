// The order in which the keyboard walks a dialog's controls: template order,
// stepping into children marked WS_EX_CONTROLPARENT as if their controls were
// the dialog's own; tab stops, WS_GROUP groups and mnemonics over that order.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/dialog/windlg.h"

namespace tw::dlg {

class DialogNavigation {
public:
    // Every control in keyboard order; control parents give their children.
    static std::vector<HWND> Controls(HWND dialog);
    static HWND NextTabItem(HWND dialog, HWND from, bool previous);
    static HWND NextGroupItem(HWND dialog, HWND from, bool previous);
    // The next control after `from` (wrapping) whose text marks the
    // character with '&' (either case), or null.
    static HWND FindMnemonic(HWND dialog, HWND from, char32_t ch);
    // The control a label hands its mnemonic to: the next one that is not
    // a label and takes input.
    static HWND ControlAfterLabel(HWND dialog, HWND label);
    // The character after a single '&' in a control text, lowered; 0 when
    // there is none.
    static char32_t MnemonicOf(const std::string& text);
    static UINT DlgCode(HWND control, const MSG* msg = nullptr);
    static bool TakesInput(HWND control);
};

}  // namespace tw::dlg
