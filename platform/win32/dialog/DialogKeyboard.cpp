#include "platform/win32/dialog/DialogKeyboard.h"

#include "platform/win32/dialog/DialogFocus.h"
#include "platform/win32/dialog/DialogNavigation.h"

namespace tw::dlg {

namespace dialog_keyboard_detail {

void Dispatch(MSG& msg)
{
    TranslateMessage(&msg);
    DispatchMessage(&msg);
}

bool IsShiftDown()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

void Command(HWND dialog, int id, HWND control)
{
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// The dialog a control belongs to for navigation: the dialog itself, even
// when the control sits in a nested control parent.
HWND FocusInside(HWND dialog)
{
    HWND focus = GetFocus();
    return focus && IsChild(dialog, focus) ? focus : nullptr;
}

}  // namespace dialog_keyboard_detail

bool DialogKeyboard::Handle(HWND dialog, MSG& msg)
{
    namespace d = dialog_keyboard_detail;
    if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd))
        return false;
    const bool keyboard = msg.message == WM_KEYDOWN || msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
    if (!keyboard) {
        d::Dispatch(msg);
        return true;
    }
    const UINT code = DialogNavigation::DlgCode(msg.hwnd, &msg);
    // A control may keep every key and character, but Alt with a letter is
    // always the dialog's mnemonic first.
    if ((code & DLGC_WANTMESSAGE) && msg.message != WM_SYSCHAR) {
        d::Dispatch(msg);
        return true;
    }
    if (msg.message == WM_KEYDOWN)
        return KeyDown(dialog, msg, code);
    return Character(dialog, msg, code, msg.message == WM_SYSCHAR);
}

bool DialogKeyboard::KeyDown(HWND dialog, MSG& msg, UINT code)
{
    namespace d = dialog_keyboard_detail;
    HWND focus = d::FocusInside(dialog);
    switch (msg.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            break;
        SendMessage(dialog, WM_NEXTDLGCTL, d::IsShiftDown() ? 1 : 0, 0);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (code & DLGC_WANTARROWS)
            break;
        MoveInGroup(dialog, focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        return true;
    case VK_RETURN:
        PressDefault(dialog, focus, focus ? DialogNavigation::DlgCode(focus) : 0);
        return true;
    case VK_ESCAPE:
        PressCancel(dialog);
        return true;
    default:
        break;
    }
    d::Dispatch(msg);
    return true;
}

bool DialogKeyboard::Character(HWND dialog, MSG& msg, UINT code, bool withAlt)
{
    namespace d = dialog_keyboard_detail;
    const char32_t ch = static_cast<char32_t>(msg.wParam);
    // Enter, Esc and Tab characters come only from keys a control kept.
    const bool control = ch < 0x20;
    if (control || (!withAlt && (code & DLGC_WANTCHARS))) {
        d::Dispatch(msg);
        return true;
    }
    if (Mnemonic(dialog, ch))
        return true;
    if (withAlt) {
        d::Dispatch(msg);  // perhaps the window menu's
        return true;
    }
    MessageBeep(0);
    return true;
}

void DialogKeyboard::PressDefault(HWND dialog, HWND focus, UINT focusCode)
{
    namespace d = dialog_keyboard_detail;
    if (focus && DialogFocus::IsPushButton(focusCode)) {
        if (IsWindowEnabled(focus))
            d::Command(dialog, GetDlgCtrlID(focus), focus);
        return;
    }
    const LRESULT answer = SendMessage(dialog, DM_GETDEFID, 0, 0);
    const int id = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK;
    HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    d::Command(dialog, id, button);
}

void DialogKeyboard::PressCancel(HWND dialog)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    dialog_keyboard_detail::Command(dialog, IDCANCEL, cancel);
}

void DialogKeyboard::MoveInGroup(HWND dialog, HWND focus, bool previous)
{
    if (!focus)
        return;
    HWND next = DialogNavigation::NextGroupItem(dialog, focus, previous);
    if (!next || next == focus)
        return;
    DialogFocus::MoveTo(dialog, next);
    // A radio button is chosen as the arrows reach it.
    if (DialogNavigation::DlgCode(next) & DLGC_RADIOBUTTON)
        SendMessage(next, BM_CLICK, 0, 0);
}

bool DialogKeyboard::Mnemonic(HWND dialog, char32_t ch)
{
    HWND from = dialog_keyboard_detail::FocusInside(dialog);
    HWND target = DialogNavigation::FindMnemonic(dialog, from, ch);
    if (!target)
        return false;
    const UINT code = DialogNavigation::DlgCode(target);
    if (code & DLGC_STATIC) {
        // A label hands its mnemonic to the control that follows it.
        DialogFocus::MoveTo(dialog, DialogNavigation::ControlAfterLabel(dialog, target));
        return true;
    }
    if (code & DLGC_BUTTON) {
        if (!DialogFocus::IsPushButton(code))
            DialogFocus::MoveTo(dialog, target);
        SendMessage(target, BM_CLICK, 0, 0);
        return true;
    }
    DialogFocus::MoveTo(dialog, target);
    return true;
}

}  // namespace tw::dlg

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !hDlg || !IsWindow(hDlg))
        return FALSE;
    return tw::dlg::DialogKeyboard::Handle(hDlg, *lpMsg) ? TRUE : FALSE;
}
