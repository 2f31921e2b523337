#include "platform/comctl/dialogs/PrintDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/comctl/dialogs/DialogLayout.h"
#include "platform/win32/gdi/PrinterDC.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace tw::comdlg {
namespace {

constexpr const char* kPdDriverName = "winspool";
constexpr int kPdMaxCopies = 9999;

LPCDLGTEMPLATE PdLayout(DialogLayout& layout, DWORD flags)
{
    constexpr DWORD tab = WS_VISIBLE | WS_TABSTOP;
    const DWORD toFile = (flags & PD_HIDEPRINTTOFILE) ? 0 : tab;
    layout.Item("Static", "&Name:", -1, WS_VISIBLE | SS_LEFT, 6, 8, 30, 9)
        .Item("ComboBox", "", cmb4, tab | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 40, 6, 174, 80)
        .Item("Button", "Print range", grp1, WS_VISIBLE | BS_GROUPBOX, 6, 26, 120, 66)
        .Item("Button", "&All", rad1, tab | WS_GROUP | BS_AUTORADIOBUTTON, 12, 38, 60, 10)
        .Item("Button", "Selectio&n", rad2, WS_VISIBLE | BS_AUTORADIOBUTTON, 12, 50, 60, 10)
        .Item("Button", "Pa&ges", rad3, WS_VISIBLE | BS_AUTORADIOBUTTON, 12, 62, 60, 10)
        .Item("Static", "&from:", stc2, WS_VISIBLE | SS_LEFT, 12, 76, 18, 9)
        .Item("Edit", "", edt1, tab | WS_GROUP | WS_BORDER | ES_NUMBER, 32, 74, 26, 12)
        .Item("Static", "&to:", stc3, WS_VISIBLE | SS_LEFT, 62, 76, 12, 9)
        .Item("Edit", "", edt2, tab | WS_GROUP | WS_BORDER | ES_NUMBER, 76, 74, 26, 12)
        .Item("Button", "Copies", -1, WS_VISIBLE | BS_GROUPBOX, 132, 26, 82, 66)
        .Item("Static", "Number of &copies:", stc4, WS_VISIBLE | SS_LEFT, 138, 38, 70, 9)
        .Item("Edit", "", edt3, tab | WS_GROUP | WS_BORDER | ES_NUMBER, 138, 50, 30, 12)
        .Item("Button", "C&ollate", chx2, tab | WS_GROUP | BS_AUTOCHECKBOX, 138, 68, 60, 10)
        .Item("Button", "Print to fi&le", chx1, toFile | WS_GROUP | BS_AUTOCHECKBOX, 6, 98, 80, 10)
        .Item("Button", "OK", IDOK, tab | WS_GROUP | BS_DEFPUSHBUTTON, 112, 128, 48, 14)
        .Item("Button", "Cancel", IDCANCEL, tab | BS_PUSHBUTTON, 166, 128, 48, 14);
    return layout.Bytes();
}

std::string PdDefaultPrinter()
{
    char name[256] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinter(name, &size))
        return tw::gdi::kPdfPrinterName;
    return name;
}

// The caller's DEVMODE, copied when it is whole; null otherwise.
bool PdReadDevMode(HGLOBAL handle, DEVMODE& out)
{
    if (!handle || GlobalSize(handle) < sizeof(DEVMODE))
        return false;
    const auto* mode = static_cast<const DEVMODE*>(GlobalLock(handle));
    if (!mode)
        return false;
    out = *mode;
    GlobalUnlock(handle);
    return true;
}

HGLOBAL PdMakeDevMode(const std::string& device, const DEVMODE* base, int copies)
{
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODE));
    auto* mode = handle ? static_cast<DEVMODE*>(GlobalLock(handle)) : nullptr;
    if (!mode)
        return handle ? GlobalFree(handle) : nullptr;
    if (base)
        *mode = *base;
    std::memset(mode->dmDeviceName, 0, sizeof mode->dmDeviceName);
    std::memcpy(mode->dmDeviceName, device.data(), std::min(device.size(), sizeof mode->dmDeviceName - 1));
    mode->dmSpecVersion = 0x0401;
    mode->dmSize = sizeof(DEVMODE);
    mode->dmDriverExtra = 0;
    mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    if (!base || mode->dmOrientation == 0)
        mode->dmOrientation = DMORIENT_PORTRAIT;
    if (!base || mode->dmPaperSize == 0)
        mode->dmPaperSize = DMPAPER_A4;
    mode->dmCopies = static_cast<short>(copies);
    GlobalUnlock(handle);
    return handle;
}

int PdItemNumber(HWND dialog, int id, bool& ok)
{
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(dialog, id, &translated, FALSE);
    ok = translated != FALSE;
    return static_cast<int>(value);
}

}  // namespace

HGLOBAL PrintDialog::MakeDevNames(const std::string& device, bool isDefault)
{
    const std::string driver = kPdDriverName;
    const size_t header = sizeof(DEVNAMES);
    const size_t size = header + driver.size() + 1 + device.size() + 1 + 1;
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* bytes = handle ? static_cast<char*>(GlobalLock(handle)) : nullptr;
    if (!bytes)
        return handle ? GlobalFree(handle) : nullptr;
    auto* names = reinterpret_cast<DEVNAMES*>(bytes);
    names->wDriverOffset = static_cast<WORD>(header);
    names->wDeviceOffset = static_cast<WORD>(header + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
    names->wDefault = isDefault ? DN_DEFAULTPRN : 0;
    std::memcpy(bytes + names->wDriverOffset, driver.c_str(), driver.size() + 1);
    std::memcpy(bytes + names->wDeviceOffset, device.c_str(), device.size() + 1);
    GlobalUnlock(handle);
    return handle;
}

std::string PrintDialog::DeviceOf(HGLOBAL devNames)
{
    const SIZE_T size = devNames ? GlobalSize(devNames) : 0;
    if (size <= sizeof(DEVNAMES))
        return {};
    const auto* bytes = static_cast<const char*>(GlobalLock(devNames));
    if (!bytes)
        return {};
    const WORD offset = reinterpret_cast<const DEVNAMES*>(bytes)->wDeviceOffset;
    // A block that names a device outside itself is read as naming none.
    std::string device = offset < size ? std::string(bytes + offset, strnlen(bytes + offset, size - offset)) : "";
    GlobalUnlock(devNames);
    return device;
}

BOOL PrintDialog::Run(LPPRINTDLG request)
{
    SetExtendedError(0);
    if (!Validate(request))
        return FALSE;
    if (request->Flags & PD_RETURNDEFAULT)
        return ReturnDefault(*request);
    tw::RegisterStandardControlClasses();
    State state;
    state.request = request;
    state.printers = tw::gdi::PrinterNames();
    if (state.printers.empty()) {
        SetExtendedError(PDERR_NODEVICES);
        return FALSE;
    }
    state.defaultPrinter = PdDefaultPrinter();
    DialogLayout layout("Print", 220, 148);
    const INT_PTR result = DialogBoxIndirectParam(nullptr, PdLayout(layout, request->Flags), request->hwndOwner, Proc,
                                                  reinterpret_cast<LPARAM>(&state));
    if (result == -1) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    if (result != IDOK)
        return FALSE;
    return Deliver(*request, state.chosen, state.chosen == state.defaultPrinter, state.copies);
}

bool PrintDialog::Validate(const PRINTDLG* request)
{
    if (!request) {
        SetExtendedError(CDERR_INITIALIZATION);
        return false;
    }
    if (request->lStructSize != sizeof(PRINTDLG)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return false;
    }
    if ((request->Flags & PD_ENABLEPRINTHOOK) && !request->lpfnPrintHook) {
        SetExtendedError(CDERR_NOHOOK);
        return false;
    }
    if (request->Flags & (PD_ENABLEPRINTTEMPLATE | PD_ENABLEPRINTTEMPLATEHANDLE | PD_ENABLESETUPTEMPLATE |
                          PD_ENABLESETUPTEMPLATEHANDLE)) {
        SetExtendedError(CDERR_NOTEMPLATE);
        return false;
    }
    if (request->hwndOwner && !IsWindow(request->hwndOwner)) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return false;
    }
    return true;
}

BOOL PrintDialog::ReturnDefault(PRINTDLG& request)
{
    if (request.hDevMode || request.hDevNames) {
        SetExtendedError(PDERR_RETDEFFAILURE);
        return FALSE;
    }
    return Deliver(request, PdDefaultPrinter(), true, 1);
}

BOOL PrintDialog::Deliver(PRINTDLG& request, const std::string& device, bool isDefault, int copies)
{
    DEVMODE previous{};
    const bool hadMode = PdReadDevMode(request.hDevMode, previous);
    const bool useDevModeCopies = request.Flags & PD_USEDEVMODECOPIES;
    HGLOBAL mode = PdMakeDevMode(device, hadMode ? &previous : nullptr, useDevModeCopies ? copies : 1);
    HGLOBAL names = MakeDevNames(device, isDefault);
    if (!mode || !names) {
        GlobalFree(mode);
        GlobalFree(names);
        SetExtendedError(CDERR_MEMALLOCFAILURE);
        return FALSE;
    }
    if (request.hDevMode)
        GlobalFree(request.hDevMode);
    if (request.hDevNames)
        GlobalFree(request.hDevNames);
    request.hDevMode = mode;
    request.hDevNames = names;
    request.nCopies = static_cast<WORD>(useDevModeCopies ? 1 : copies);
    if (!(request.Flags & (PD_RETURNDC | PD_RETURNIC)))
        return TRUE;
    const auto* modeBytes = static_cast<const DEVMODE*>(GlobalLock(mode));
    request.hDC = CreateDC(kPdDriverName, device.c_str(), nullptr, modeBytes);
    GlobalUnlock(mode);
    if (!request.hDC) {
        SetExtendedError(PDERR_CREATEICFAILURE);
        return FALSE;
    }
    return TRUE;
}

void PrintDialog::Initialise(HWND dialog, State& state)
{
    const PRINTDLG& request = *state.request;
    const DWORD flags = request.Flags;
    std::string start = DeviceOf(request.hDevNames);
    if (std::find(state.printers.begin(), state.printers.end(), start) == state.printers.end())
        start = state.defaultPrinter;
    HWND combo = GetDlgItem(dialog, cmb4);
    for (const std::string& name : state.printers)
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const auto at = std::find(state.printers.begin(), state.printers.end(), start);
    SendMessage(combo, CB_SETCURSEL, at == state.printers.end() ? 0 : at - state.printers.begin(), 0);

    const int radio = (flags & PD_PAGENUMS) && !(flags & PD_NOPAGENUMS)      ? rad3
                      : (flags & PD_SELECTION) && !(flags & PD_NOSELECTION) ? rad2
                                                                              : rad1;
    CheckRadioButton(dialog, rad1, rad3, radio);
    if (flags & PD_NOSELECTION)
        EnableWindow(GetDlgItem(dialog, rad2), FALSE);
    if (flags & PD_NOPAGENUMS) {
        for (int id : {rad3, stc2, edt1, stc3, edt2})
            EnableWindow(GetDlgItem(dialog, id), FALSE);
    } else {
        if (request.nFromPage != 0xFFFF)
            SetDlgItemInt(dialog, edt1, request.nFromPage, FALSE);
        if (request.nToPage != 0xFFFF)
            SetDlgItemInt(dialog, edt2, request.nToPage, FALSE);
    }
    DEVMODE mode{};
    int copies = request.nCopies;
    if ((flags & PD_USEDEVMODECOPIES) && PdReadDevMode(request.hDevMode, mode))
        copies = mode.dmCopies;
    SetDlgItemInt(dialog, edt3, static_cast<UINT>(std::clamp(copies, 1, kPdMaxCopies)), FALSE);
    CheckDlgButton(dialog, chx2, (flags & PD_COLLATE) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, chx1, (flags & PD_PRINTTOFILE) ? BST_CHECKED : BST_UNCHECKED);
    if (flags & PD_HIDEPRINTTOFILE)
        ShowWindow(GetDlgItem(dialog, chx1), SW_HIDE);
    if (flags & PD_DISABLEPRINTTOFILE)
        EnableWindow(GetDlgItem(dialog, chx1), FALSE);
    SetFocus(GetDlgItem(dialog, IDOK));
}

bool PrintDialog::Accept(HWND dialog, State& state)
{
    PRINTDLG& request = *state.request;
    char title[64] = {};
    GetWindowText(dialog, title, sizeof title);
    bool ok = false;
    const int copies = PdItemNumber(dialog, edt3, ok);
    if (!ok || copies < 1 || copies > kPdMaxCopies) {
        MessageBox(dialog, "The number of copies must be between 1 and 9999.", title, MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, edt3));
        return false;
    }
    const bool pages = IsDlgButtonChecked(dialog, rad3) == BST_CHECKED;
    int from = 0;
    int to = 0;
    if (pages) {
        bool fromOk = false;
        bool toOk = false;
        from = PdItemNumber(dialog, edt1, fromOk);
        to = PdItemNumber(dialog, edt2, toOk);
        if (!toOk)
            to = from;
        const int low = request.nMinPage;
        const int high = std::max<int>(request.nMaxPage, low);
        if (!fromOk || from < low || to > high || from > to) {
            char text[128];
            snprintf(text, sizeof text, "Enter a page range between %d and %d.", low, high);
            MessageBox(dialog, text, title, MB_OK | MB_ICONWARNING);
            SetFocus(GetDlgItem(dialog, edt1));
            return false;
        }
    }
    const LRESULT printer = SendDlgItemMessage(dialog, cmb4, CB_GETCURSEL, 0, 0);
    state.chosen = state.printers[static_cast<size_t>(std::max<LRESULT>(printer, 0))];
    state.copies = copies;
    request.Flags &= ~(PD_SELECTION | PD_PAGENUMS | PD_COLLATE | PD_PRINTTOFILE);
    if (pages) {
        request.Flags |= PD_PAGENUMS;
        request.nFromPage = static_cast<WORD>(from);
        request.nToPage = static_cast<WORD>(to);
    } else if (IsDlgButtonChecked(dialog, rad2) == BST_CHECKED) {
        request.Flags |= PD_SELECTION;
    }
    if (IsDlgButtonChecked(dialog, chx2) == BST_CHECKED)
        request.Flags |= PD_COLLATE;
    if (IsDlgButtonChecked(dialog, chx1) == BST_CHECKED)
        request.Flags |= PD_PRINTTOFILE;
    return true;
}

void PrintDialog::EnableRange(HWND dialog)
{
    // Typing a page number chooses the page range.
    if (IsWindowEnabled(GetDlgItem(dialog, rad3)))
        CheckRadioButton(dialog, rad1, rad3, rad3);
}

INT_PTR CALLBACK PrintDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<State*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        Initialise(dialog, *state);
        if (state->request->Flags & PD_ENABLEPRINTHOOK)
            state->request->lpfnPrintHook(dialog, message, wParam, reinterpret_cast<LPARAM>(state->request));
        return FALSE;  // the focus is set
    }
    auto* state = reinterpret_cast<State*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (!state)
        return FALSE;
    if ((state->request->Flags & PD_ENABLEPRINTHOOK) &&
        HookHandled(state->request->lpfnPrintHook, dialog, message, wParam, lParam))
        return TRUE;
    if (message == WM_ENTERIDLE) {
        ForwardIdle(state->request->hwndOwner, wParam, lParam);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if ((id == edt1 || id == edt2) && code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, id)) {
        EnableRange(dialog);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        if (Accept(dialog, *state))
            EndDialog(dialog, IDOK);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace tw::comdlg

BOOL PrintDlg(LPPRINTDLG lppd)
{
    return tw::comdlg::PrintDialog::Run(lppd);
}
