#include "platform/comctl/dialogs/FindReplaceDialog.h"

#include <algorithm>
#include <cstring>

#include "platform/comctl/dialogs/DialogLayout.h"

namespace tw::comdlg {
namespace {

constexpr DWORD kFrRequestFlags = FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM;
constexpr DWORD kFrOptionFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
constexpr DWORD kFrButtonStyle = WS_VISIBLE | WS_TABSTOP;

LPCDLGTEMPLATE FrFindLayout(DialogLayout& layout)
{
    layout.Item("Static", "Fi&nd what:", -1, WS_VISIBLE | SS_LEFT, 4, 8, 42, 8)
        .Item("Edit", "", edt1, kFrButtonStyle | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, 47, 7, 128, 12)
        .Item("Button", "Match &whole word only", chx1, kFrButtonStyle | WS_GROUP | BS_AUTOCHECKBOX, 4, 26, 100, 12)
        .Item("Button", "Match &case", chx2, kFrButtonStyle | BS_AUTOCHECKBOX, 4, 42, 64, 12)
        .Item("Button", "Direction", grp1, WS_VISIBLE | BS_GROUPBOX | WS_GROUP, 107, 26, 68, 28)
        .Item("Button", "&Up", rad1, kFrButtonStyle | WS_GROUP | BS_AUTORADIOBUTTON, 111, 38, 25, 12)
        .Item("Button", "&Down", rad2, WS_VISIBLE | BS_AUTORADIOBUTTON, 138, 38, 35, 12)
        .Item("Button", "&Find Next", IDOK, kFrButtonStyle | WS_GROUP | BS_DEFPUSHBUTTON, 182, 5, 50, 14)
        .Item("Button", "Cancel", IDCANCEL, kFrButtonStyle | BS_PUSHBUTTON, 182, 23, 50, 14);
    return layout.Bytes();
}

LPCDLGTEMPLATE FrReplaceLayout(DialogLayout& layout)
{
    layout.Item("Static", "Fi&nd what:", -1, WS_VISIBLE | SS_LEFT, 4, 9, 48, 8)
        .Item("Edit", "", edt1, kFrButtonStyle | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, 54, 7, 114, 12)
        .Item("Static", "Re&place with:", -1, WS_VISIBLE | SS_LEFT, 4, 26, 48, 8)
        .Item("Edit", "", edt2, kFrButtonStyle | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, 54, 24, 114, 12)
        .Item("Button", "Match &whole word only", chx1, kFrButtonStyle | WS_GROUP | BS_AUTOCHECKBOX, 5, 46, 104, 12)
        .Item("Button", "Match &case", chx2, kFrButtonStyle | BS_AUTOCHECKBOX, 5, 62, 59, 12)
        .Item("Button", "&Find Next", IDOK, kFrButtonStyle | WS_GROUP | BS_DEFPUSHBUTTON, 174, 4, 50, 14)
        .Item("Button", "&Replace", psh1, kFrButtonStyle | BS_PUSHBUTTON, 174, 21, 50, 14)
        .Item("Button", "Replace &All", psh2, kFrButtonStyle | BS_PUSHBUTTON, 174, 38, 50, 14)
        .Item("Button", "Cancel", IDCANCEL, kFrButtonStyle | BS_PUSHBUTTON, 174, 55, 50, 14);
    return layout.Bytes();
}

// Copies the item's text into a caller's buffer of `size` bytes, cut at a
// whole UTF-8 character so the buffer never ends inside one.
void FrCopyItemText(HWND dialog, int id, LPSTR buffer, WORD size)
{
    if (!buffer || size == 0)
        return;
    const std::string text = ItemText(dialog, id);
    size_t length = std::min<size_t>(text.size(), size - 1u);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

void FrShowOption(HWND dialog, int id, DWORD flags, DWORD hide, DWORD disable)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return;
    if (flags & hide)
        ShowWindow(item, SW_HIDE);
    if (flags & disable)
        EnableWindow(item, FALSE);
}

FINDREPLACE* FrRequestOf(HWND dialog)
{
    return reinterpret_cast<FINDREPLACE*>(GetWindowLongPtr(dialog, DWLP_USER));
}

}  // namespace

HWND FindReplaceDialog::Create(LPFINDREPLACE request, bool replace)
{
    SetExtendedError(0);
    if (!Validate(request, replace))
        return nullptr;
    tw::RegisterStandardControlClasses();
    DialogLayout layout(replace ? "Replace" : "Find", replace ? 230 : 236, replace ? 94 : 62, WS_VISIBLE);
    LPCDLGTEMPLATE bytes = replace ? FrReplaceLayout(layout) : FrFindLayout(layout);
    HWND dialog = CreateDialogIndirectParam(request->hInstance, bytes, request->hwndOwner, Proc,
                                            reinterpret_cast<LPARAM>(request));
    if (!dialog)
        SetExtendedError(CDERR_DIALOGFAILURE);
    return dialog;
}

bool FindReplaceDialog::Validate(const FINDREPLACE* request, bool replace)
{
    if (!request) {
        SetExtendedError(CDERR_INITIALIZATION);
        return false;
    }
    if (request->lStructSize != sizeof(FINDREPLACE)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return false;
    }
    if (!IsWindow(request->hwndOwner)) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return false;
    }
    const bool findBufferBad = !request->lpstrFindWhat || request->wFindWhatLen == 0;
    const bool replaceBufferBad = replace && (!request->lpstrReplaceWith || request->wReplaceWithLen == 0);
    if (findBufferBad || replaceBufferBad) {
        SetExtendedError(FRERR_BUFFERLENGTHZERO);
        return false;
    }
    if ((request->Flags & FR_ENABLEHOOK) && !request->lpfnHook) {
        SetExtendedError(CDERR_NOHOOK);
        return false;
    }
    if (!RegisterWindowMessage(FINDMSGSTRING)) {
        SetExtendedError(CDERR_REGISTERMSGFAIL);
        return false;
    }
    return true;
}

void FindReplaceDialog::Initialise(HWND dialog, const FINDREPLACE& request)
{
    // The caller's buffers may lack their NUL: never read past their length.
    auto bounded = [](LPCSTR text, WORD size) { return std::string(text, strnlen(text, size)); };
    SendDlgItemMessage(dialog, edt1, EM_LIMITTEXT, request.wFindWhatLen - 1u, 0);
    SetDlgItemText(dialog, edt1, bounded(request.lpstrFindWhat, request.wFindWhatLen).c_str());
    if (GetDlgItem(dialog, edt2)) {
        SendDlgItemMessage(dialog, edt2, EM_LIMITTEXT, request.wReplaceWithLen - 1u, 0);
        SetDlgItemText(dialog, edt2, bounded(request.lpstrReplaceWith, request.wReplaceWithLen).c_str());
    }
    const DWORD flags = request.Flags;
    CheckDlgButton(dialog, chx1, (flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, chx2, (flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    if (GetDlgItem(dialog, rad1))
        CheckRadioButton(dialog, rad1, rad2, (flags & FR_DOWN) ? rad2 : rad1);
    FrShowOption(dialog, chx1, flags, FR_HIDEWHOLEWORD, FR_NOWHOLEWORD);
    FrShowOption(dialog, chx2, flags, FR_HIDEMATCHCASE, FR_NOMATCHCASE);
    for (int id : {grp1, rad1, rad2})
        FrShowOption(dialog, id, flags, FR_HIDEUPDOWN, FR_NOUPDOWN);
    UpdateButtons(dialog);
    SendDlgItemMessage(dialog, edt1, EM_SETSEL, 0, -1);
}

void FindReplaceDialog::UpdateButtons(HWND dialog)
{
    const BOOL hasText = GetWindowTextLength(GetDlgItem(dialog, edt1)) > 0;
    for (int id : {IDOK, psh1, psh2}) {
        if (HWND button = GetDlgItem(dialog, id))
            EnableWindow(button, hasText);
    }
}

void FindReplaceDialog::Report(HWND dialog, FINDREPLACE& request, DWORD command)
{
    FrCopyItemText(dialog, edt1, request.lpstrFindWhat, request.wFindWhatLen);
    if (GetDlgItem(dialog, edt2))
        FrCopyItemText(dialog, edt2, request.lpstrReplaceWith, request.wReplaceWithLen);
    DWORD options = 0;
    if (IsDlgButtonChecked(dialog, chx1) == BST_CHECKED)
        options |= FR_WHOLEWORD;
    if (IsDlgButtonChecked(dialog, chx2) == BST_CHECKED)
        options |= FR_MATCHCASE;
    // The replace dialog always works forward.
    if (!GetDlgItem(dialog, rad2) || IsDlgButtonChecked(dialog, rad2) == BST_CHECKED)
        options |= FR_DOWN;
    request.Flags = (request.Flags & ~(kFrRequestFlags | kFrOptionFlags)) | options | command;
    SendMessage(request.hwndOwner, RegisterWindowMessage(FINDMSGSTRING), 0, reinterpret_cast<LPARAM>(&request));
}

void FindReplaceDialog::Terminate(HWND dialog, FINDREPLACE& request)
{
    request.Flags = (request.Flags & ~kFrRequestFlags) | FR_DIALOGTERM;
    // The owner may free the structure on this message: nothing reads it after.
    SendMessage(request.hwndOwner, RegisterWindowMessage(FINDMSGSTRING), 0, reinterpret_cast<LPARAM>(&request));
    DestroyWindow(dialog);
}

INT_PTR CALLBACK FindReplaceDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* request = reinterpret_cast<FINDREPLACE*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        Initialise(dialog, *request);
        if (request->Flags & FR_ENABLEHOOK)
            return static_cast<INT_PTR>(request->lpfnHook(dialog, message, wParam, lParam));
        return TRUE;
    }
    FINDREPLACE* request = FrRequestOf(dialog);
    if (!request)
        return FALSE;
    if ((request->Flags & FR_ENABLEHOOK) && HookHandled(request->lpfnHook, dialog, message, wParam, lParam))
        return TRUE;
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == edt1 && code == EN_CHANGE) {
        UpdateButtons(dialog);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDOK:
        if (IsWindowEnabled(GetDlgItem(dialog, IDOK)))
            Report(dialog, *request, FR_FINDNEXT);
        return TRUE;
    case psh1:
        Report(dialog, *request, FR_REPLACE);
        return TRUE;
    case psh2:
        Report(dialog, *request, FR_REPLACEALL);
        return TRUE;
    case IDCANCEL:
        Terminate(dialog, *request);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace tw::comdlg

HWND FindText(LPFINDREPLACE lpfr)
{
    return tw::comdlg::FindReplaceDialog::Create(lpfr, false);
}

HWND ReplaceText(LPFINDREPLACE lpfr)
{
    return tw::comdlg::FindReplaceDialog::Create(lpfr, true);
}
