// What the dialog manager keeps for each dialog besides its extra bytes: the
// font and its base units, the default button, the focus to give back on
// activation and, for a modal dialog, how it ended.
#pragma once

#include <atomic>
#include <memory>

#include "platform/win32/dialog/windlg.h"
#include "platform/win32/gdi/wingdi.h"

namespace tw::dlg {

struct DialogState {
    HFONT font = nullptr;       // what WM_GETFONT answers
    HFONT ownedFont = nullptr;  // made from the template; freed with the dialog
    SIZE baseUnits{};  // average character width and height of the font
    UINT defId = 0;    // 0: no default button named
    HWND savedFocus = nullptr;
    std::atomic<bool> modal{false};
    std::atomic<bool> ended{false};
    std::atomic<INT_PTR> result{0};
    // The owner a modal loop disabled; EndDialog gives it back at once.
    std::atomic<HWND> disabledOwner{nullptr};
};

class DialogStates {
public:
    static std::shared_ptr<DialogState> Create(HWND dialog);
    // Null for a window that is not a dialog of ours.
    static std::shared_ptr<DialogState> Find(HWND dialog);
    // Forgets the dialog and frees the font it made.
    static void Remove(HWND dialog);
};

}  // namespace tw::dlg
