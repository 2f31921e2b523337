#include "platform/win32/dialog/ModalDialog.h"

#include "platform/win32/dialog/DialogBuilder.h"
#include "platform/win32/dialog/DialogState.h"
#include "platform/win32/kernel/KernelObjects.h"

namespace tw::dlg {

namespace modal_dialog_detail {

// The window a modal dialog disables: the top-level window of the one given.
HWND TopLevelOwner(HWND owner)
{
    if (!owner || !IsWindow(owner))
        return nullptr;
    HWND root = GetAncestor(owner, GA_ROOT);
    return root ? root : owner;
}

void GiveOwnerBack(DialogState& state)
{
    HWND owner = state.disabledOwner.exchange(nullptr);
    if (owner && IsWindow(owner))
        EnableWindow(owner, TRUE);
}

bool LoopGoesOn(HWND dialog, HWND owner, const DialogState& state)
{
    if (state.ended || !IsWindow(dialog))
        return false;
    return !owner || IsWindow(owner);
}

void ShowWhenHidden(HWND dialog, const DialogState& state)
{
    if (!state.ended && IsWindow(dialog) && !IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_SHOWNORMAL);
        UpdateWindow(dialog);
    }
}

void EnterIdle(HWND dialog, HWND owner)
{
    MSG peek;
    if (!owner || PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE))
        return;
    if (GetWindowLong(dialog, GWL_STYLE) & DS_NOIDLEMSG)
        return;
    SendMessage(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
}

// Reads and handles messages until the dialog ends; false when WM_QUIT came.
bool Loop(HWND dialog, HWND owner, const DialogState& state)
{
    ShowWhenHidden(dialog, state);
    while (LoopGoesOn(dialog, owner, state)) {
        EnterIdle(dialog, owner);
        if (!LoopGoesOn(dialog, owner, state))
            break;
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!IsWindow(dialog) || !IsDialogMessage(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return true;
}

}  // namespace modal_dialog_detail

INT_PTR ModalDialog::Run(HINSTANCE instance, const tw::res::DialogTemplate& t, HWND owner, DLGPROC proc,
                         LPARAM initParam)
{
    namespace d = modal_dialog_detail;
    owner = d::TopLevelOwner(owner);
    // The owner is disabled before the dialog exists, so WM_INITDIALOG
    // already sees it as the platform shows it.
    const bool disable = owner && IsWindowEnabled(owner);
    if (disable)
        EnableWindow(owner, FALSE);
    HWND dialog = DialogBuilder::Build(instance, t, owner, proc, initParam, true);
    auto state = dialog ? DialogStates::Find(dialog) : nullptr;
    if (!state) {
        if (disable && IsWindow(owner))
            EnableWindow(owner, TRUE);
        return dialog ? 0 : -1;
    }
    if (disable)
        state->disabledOwner = owner;
    d::Loop(dialog, owner, *state);
    d::GiveOwnerBack(*state);
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return state->ended ? state->result.load() : 0;
}

BOOL ModalDialog::End(HWND dialog, INT_PTR result)
{
    auto state = DialogStates::Find(dialog);
    if (!state) {
        SetLastError(IsWindow(dialog) ? ERROR_WINDOW_NOT_DIALOG : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->result = result;
    state->ended = true;
    if (!state->modal)
        return TRUE;  // a modeless dialog is the caller's to destroy
    // The owner comes back before the dialog hides, so activation returns to it.
    modal_dialog_detail::GiveOwnerBack(*state);
    ShowWindow(dialog, SW_HIDE);
    PostMessage(dialog, WM_NULL, 0, 0);  // wakes the loop
    return TRUE;
}

}  // namespace tw::dlg

INT_PTR DialogBoxIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    auto parsed = tw::dlg::DialogBuilder::ReadTemplate(hDialogTemplate);
    if (!parsed)
        return -1;
    return tw::dlg::ModalDialog::Run(hInstance, *parsed, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR DialogBoxIndirect(HINSTANCE hInstance, LPCDLGTEMPLATE hDialogTemplate, HWND hWndParent, DLGPROC lpDialogFunc)
{
    return DialogBoxIndirectParam(hInstance, hDialogTemplate, hWndParent, lpDialogFunc, 0);
}

INT_PTR DialogBoxParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam)
{
    auto parsed = tw::dlg::DialogBuilder::LoadTemplate(hInstance, lpTemplateName);
    if (!parsed)
        return -1;
    return tw::dlg::ModalDialog::Run(hInstance, *parsed, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR DialogBox(HINSTANCE hInstance, LPCSTR lpTemplate, HWND hWndParent, DLGPROC lpDialogFunc)
{
    return DialogBoxParam(hInstance, lpTemplate, hWndParent, lpDialogFunc, 0);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    return tw::dlg::ModalDialog::End(hDlg, nResult);
}
