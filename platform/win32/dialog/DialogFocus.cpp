#include "platform/win32/dialog/DialogFocus.h"

#include "platform/win32/dialog/DialogNavigation.h"
#include "platform/win32/dialog/DialogState.h"

namespace tw::dlg {

namespace dialog_focus_detail {

void SetButtonDefault(HWND button, bool isDefault)
{
    const DWORD style = static_cast<DWORD>(GetWindowLong(button, GWL_STYLE)) & 0xFFFF;
    const DWORD wanted = (style & ~BS_TYPEMASK) | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    SendMessage(button, BM_SETSTYLE, wanted, TRUE);
}

HWND DefaultButtonOf(HWND dialog)
{
    const LRESULT answer = SendMessage(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(answer) != DC_HASDEFID)
        return nullptr;
    return GetDlgItem(dialog, LOWORD(answer));
}

}  // namespace dialog_focus_detail

void DialogFocus::UpdateDefaultButton(HWND dialog, HWND focus)
{
    namespace d = dialog_focus_detail;
    HWND wanted = focus && IsPushButton(DialogNavigation::DlgCode(focus)) ? focus : d::DefaultButtonOf(dialog);
    for (HWND control : DialogNavigation::Controls(dialog)) {
        const UINT code = DialogNavigation::DlgCode(control);
        if (!IsPushButton(code))
            continue;
        const bool isDefault = (code & DLGC_DEFPUSHBUTTON) != 0;
        if (isDefault != (control == wanted))
            d::SetButtonDefault(control, control == wanted);
    }
}

void DialogFocus::MoveTo(HWND dialog, HWND control)
{
    if (!control || !IsWindow(control))
        return;
    if (DialogNavigation::DlgCode(control) & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, static_cast<LPARAM>(-1));
    SetFocus(control);
    UpdateDefaultButton(dialog, control);
}

void DialogFocus::Save(HWND dialog)
{
    auto state = DialogStates::Find(dialog);
    HWND focus = GetFocus();
    if (state && focus && IsChild(dialog, focus))
        state->savedFocus = focus;
}

void DialogFocus::Restore(HWND dialog)
{
    auto state = DialogStates::Find(dialog);
    if (!state)
        return;
    HWND saved = state->savedFocus;
    if (saved && IsWindow(saved) && IsChild(dialog, saved) && DialogNavigation::TakesInput(saved)) {
        SetFocus(saved);
        UpdateDefaultButton(dialog, saved);
        return;
    }
    HWND first = DialogNavigation::NextTabItem(dialog, nullptr, false);
    if (first)
        MoveTo(dialog, first);
}

}  // namespace tw::dlg
