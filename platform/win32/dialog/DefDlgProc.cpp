// The dialog class's window procedure: the dialog procedure first, then the
// dialog manager's defaults for whatever it leaves.
#include <algorithm>

#include "platform/win32/dialog/DialogFocus.h"
#include "platform/win32/dialog/DialogNavigation.h"
#include "platform/win32/dialog/DialogState.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/menu/winmenu.h"

namespace tw::dlg {

namespace def_dlg_proc_detail {

// Messages whose dialog-procedure answer is the result itself rather than a
// handled flag with the result in DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case 0x0039:  // WM_COMPAREITEM
    case 0x002E:  // WM_VKEYTOITEM
    case 0x002F:  // WM_CHARTOITEM
    case 0x0037:  // WM_QUERYDRAGICON
        return true;
    default:
        return false;
    }
}

LRESULT EraseBackground(HWND dialog, HDC dc)
{
    const LRESULT brush = SendMessage(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(dialog));
    if (!brush)
        return DefWindowProc(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(brush));
    return TRUE;
}

void Close(HWND dialog)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

void NextControl(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
    } else {
        HWND focus = GetFocus();
        if (focus && !IsChild(dialog, focus))
            focus = nullptr;
        target = DialogNavigation::NextTabItem(dialog, focus, wParam != 0);
    }
    if (target && IsChild(dialog, target))
        DialogFocus::MoveTo(dialog, target);
}

LRESULT SetDefaultId(HWND dialog, UINT id)
{
    auto state = DialogStates::Find(dialog);
    if (!state)
        return FALSE;
    state->defId = id;
    HWND focus = GetFocus();
    DialogFocus::UpdateDefaultButton(dialog, focus && IsChild(dialog, focus) ? focus : nullptr);
    return TRUE;
}

LRESULT GetDefaultId(HWND dialog)
{
    auto state = DialogStates::Find(dialog);
    if (!state || state->defId == 0)
        return 0;
    return MAKELONG(state->defId, DC_HASDEFID);
}

// Moves a top-level dialog back inside the work area.
void Reposition(HWND dialog)
{
    if (GetWindowLong(dialog, GWL_STYLE) & WS_CHILD)
        return;
    RECT work{};
    RECT window{};
    if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(dialog, &window))
        return;
    int x = window.left;
    int y = window.top;
    x = std::min<int>(x, work.right - (window.right - window.left));
    y = std::min<int>(y, work.bottom - (window.bottom - window.top));
    x = std::max<int>(x, work.left);
    y = std::max<int>(y, work.top);
    if (x != window.left || y != window.top)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT DefaultProcessing(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return EraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            DialogFocus::Save(dialog);
        else if (!HIWORD(wParam))
            DialogFocus::Restore(dialog);
        return 0;
    case WM_SETFOCUS:
        DialogFocus::Restore(dialog);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            DialogFocus::Save(dialog);
        return DefWindowProc(dialog, message, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE)
            DialogFocus::Save(dialog);
        return DefWindowProc(dialog, message, wParam, lParam);
    case WM_CLOSE:
        Close(dialog);
        return 0;
    case WM_NEXTDLGCTL:
        NextControl(dialog, wParam, lParam);
        return 0;
    case DM_GETDEFID:
        return GetDefaultId(dialog);
    case DM_SETDEFID:
        return SetDefaultId(dialog, static_cast<UINT>(wParam));
    case DM_REPOSITION:
        Reposition(dialog);
        return 0;
    case WM_SETFONT: {
        // The template's own font stays alive with the dialog: its controls hold it.
        if (auto state = DialogStates::Find(dialog))
            state->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    }
    case WM_GETFONT: {
        auto state = DialogStates::Find(dialog);
        return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    }
    default:
        return DefWindowProc(dialog, message, wParam, lParam);
    }
}

}  // namespace def_dlg_proc_detail

}  // namespace tw::dlg

LRESULT DefDlgProc(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    namespace d = tw::dlg::def_dlg_proc_detail;
    SetWindowLongPtr(hDlg, DWLP_MSGRESULT, 0);
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(hDlg, DWLP_DLGPROC));
    const INT_PTR handled = proc ? proc(hDlg, Msg, wParam, lParam) : 0;
    if (Msg == WM_NCDESTROY) {
        // Whatever the procedure answered, the dialog's state and its menu
        // bar go with it.
        if (HMENU menu = GetMenu(hDlg))
            DestroyMenu(menu);
        tw::dlg::DialogStates::Remove(hDlg);
        return DefWindowProc(hDlg, Msg, wParam, lParam);
    }
    if (handled && d::AnswersDirectly(Msg))
        return handled;
    if (handled)
        return IsWindow(hDlg) ? GetWindowLongPtr(hDlg, DWLP_MSGRESULT) : 0;
    if (!IsWindow(hDlg))
        return 0;
    return d::DefaultProcessing(hDlg, Msg, wParam, lParam);
}
