#include "platform/comctl/dialogs/ColorDialog.h"

#include <algorithm>
#include <cstdlib>

#include "platform/comctl/dialogs/DialogLayout.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/gdi/wingdi.h"

namespace tw::comdlg {

struct ColorDialog::State {
    CHOOSECOLOR* request = nullptr;
    COLORREF selected = RGB(0, 0, 0);
    std::array<COLORREF, kCustomCount> custom{};
    int nextCustom = 0;
    bool full = false;
    bool fillingBoxes = false;
};

namespace {

constexpr short kCcCellCx = 14;
constexpr short kCcCellCy = 11;
constexpr short kCcCellStep = 17;
constexpr short kCcRowStep = 13;
constexpr short kCcCompactCx = 148;
constexpr short kCcFullCx = 280;
constexpr short kCcCy = 190;

void CcLayoutSwatches(DialogLayout& layout, int firstId, int count, short top)
{
    for (int i = 0; i < count; ++i) {
        DWORD style = WS_VISIBLE | BS_OWNERDRAW;
        if (i == 0)
            style |= WS_GROUP | WS_TABSTOP;
        layout.Item("Button", "", firstId + i, style, static_cast<short>(6 + (i % 8) * kCcCellStep),
                    static_cast<short>(top + (i / 8) * kCcRowStep), kCcCellCx, kCcCellCy);
    }
}

LPCDLGTEMPLATE CcLayout(DialogLayout& layout)
{
    constexpr DWORD tab = WS_VISIBLE | WS_TABSTOP;
    layout.Item("Static", "&Basic colors:", -1, WS_VISIBLE | SS_LEFT, 6, 4, 136, 9);
    CcLayoutSwatches(layout, ColorDialog::kBasicFirstId, ColorDialog::kBasicCount, 15);
    layout.Item("Static", "&Custom colors:", -1, WS_VISIBLE | SS_LEFT, 6, 97, 136, 9);
    CcLayoutSwatches(layout, ColorDialog::kCustomFirstId, ColorDialog::kCustomCount, 108);
    layout.Item("Button", "&Define Custom Colors >>", COLOR_MIX, tab | WS_GROUP | BS_PUSHBUTTON, 6, 138, 136, 14)
        .Item("Button", "OK", IDOK, tab | WS_GROUP | BS_DEFPUSHBUTTON, 6, 166, 44, 14)
        .Item("Button", "Cancel", IDCANCEL, tab | BS_PUSHBUTTON, 54, 166, 44, 14)
        .Item("Button", "", COLOR_CURRENT, WS_VISIBLE | WS_DISABLED | BS_OWNERDRAW, 156, 15, 116, 60)
        .Item("Static", "&Red:", -1, WS_VISIBLE | SS_RIGHT, 156, 86, 40, 9)
        .Item("Edit", "", COLOR_RED, tab | WS_GROUP | WS_BORDER | ES_NUMBER, 200, 84, 28, 12)
        .Item("Static", "&Green:", -1, WS_VISIBLE | SS_RIGHT, 156, 102, 40, 9)
        .Item("Edit", "", COLOR_GREEN, tab | WS_GROUP | WS_BORDER | ES_NUMBER, 200, 100, 28, 12)
        .Item("Static", "Bl&ue:", -1, WS_VISIBLE | SS_RIGHT, 156, 118, 40, 9)
        .Item("Edit", "", COLOR_BLUE, tab | WS_GROUP | WS_BORDER | ES_NUMBER, 200, 116, 28, 12)
        .Item("Button", "&Add to Custom Colors", COLOR_ADD, tab | WS_GROUP | BS_PUSHBUTTON, 156, 166, 116, 14);
    return layout.Bytes();
}

bool CcIsSwatch(int id)
{
    return id >= ColorDialog::kBasicFirstId && id < ColorDialog::kCustomFirstId + ColorDialog::kCustomCount;
}

// Resizes the dialog to `cx` dialog units wide, keeping its height.
void CcResize(HWND dialog, short cx)
{
    RECT units{0, 0, cx, kCcCy};
    MapDialogRect(dialog, &units);
    RECT window;
    RECT client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    const int frameCx = (window.right - window.left) - client.right;
    SetWindowPos(dialog, nullptr, 0, 0, units.right + frameCx, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const std::array<COLORREF, ColorDialog::kBasicCount>& ColorDialog::BasicColors()
{
    static const std::array<COLORREF, kBasicCount> colors = {
        RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
        RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
        RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
        RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
        RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
        RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
        RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
        RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
        RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
        RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
        RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
        RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
    };
    return colors;
}

BOOL ColorDialog::Run(LPCHOOSECOLOR request)
{
    SetExtendedError(0);
    if (!Validate(request))
        return FALSE;
    tw::RegisterStandardControlClasses();
    State state;
    state.request = request;
    std::copy_n(request->lpCustColors, kCustomCount, state.custom.begin());
    if (request->Flags & CC_RGBINIT)
        state.selected = request->rgbResult & 0x00FFFFFF;
    DialogLayout layout("Color", kCcFullCx, kCcCy);
    const INT_PTR result = DialogBoxIndirectParam(nullptr, CcLayout(layout), request->hwndOwner, Proc,
                                                  reinterpret_cast<LPARAM>(&state));
    if (result == -1) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    if (result != IDOK)
        return FALSE;
    request->rgbResult = state.selected;
    std::copy(state.custom.begin(), state.custom.end(), request->lpCustColors);
    return TRUE;
}

bool ColorDialog::Validate(const CHOOSECOLOR* request)
{
    if (!request || !request->lpCustColors) {
        SetExtendedError(CDERR_INITIALIZATION);
        return false;
    }
    if (request->lStructSize != sizeof(CHOOSECOLOR)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return false;
    }
    if ((request->Flags & CC_ENABLEHOOK) && !request->lpfnHook) {
        SetExtendedError(CDERR_NOHOOK);
        return false;
    }
    if (request->hwndOwner && !IsWindow(request->hwndOwner)) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return false;
    }
    return true;
}

COLORREF ColorDialog::SwatchColor(const State& state, int id)
{
    if (id < kCustomFirstId)
        return BasicColors()[static_cast<size_t>(id - kBasicFirstId)];
    return state.custom[static_cast<size_t>(id - kCustomFirstId)];
}

void ColorDialog::Initialise(HWND dialog, State& state)
{
    for (int id : {COLOR_RED, COLOR_GREEN, COLOR_BLUE})
        SendDlgItemMessage(dialog, id, EM_LIMITTEXT, 3, 0);
    const DWORD flags = state.request->Flags;
    if (flags & CC_PREVENTFULLOPEN)
        EnableWindow(GetDlgItem(dialog, COLOR_MIX), FALSE);
    if (flags & CC_FULLOPEN)
        OpenFull(dialog, state);
    else
        CcResize(dialog, kCcCompactCx);
    Select(dialog, state, state.selected, true);
    // The swatch showing the starting colour takes the focus, else the first.
    int focusId = kBasicFirstId;
    for (int id = kBasicFirstId; id < kCustomFirstId + kCustomCount; ++id) {
        if (SwatchColor(state, id) == state.selected) {
            focusId = id;
            break;
        }
    }
    if (focusId >= kCustomFirstId)
        state.nextCustom = focusId - kCustomFirstId;
    SetFocus(GetDlgItem(dialog, focusId));
}

void ColorDialog::OpenFull(HWND dialog, State& state)
{
    state.full = true;
    CcResize(dialog, kCcFullCx);
    HWND mix = GetDlgItem(dialog, COLOR_MIX);
    if (GetFocus() == mix)
        SetFocus(GetDlgItem(dialog, COLOR_RED));
    EnableWindow(mix, FALSE);
}

void ColorDialog::Select(HWND dialog, State& state, COLORREF color, bool updateBoxes)
{
    state.selected = color;
    if (updateBoxes) {
        state.fillingBoxes = true;
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(color), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(color), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(color), FALSE);
        state.fillingBoxes = false;
    }
    InvalidateRect(GetDlgItem(dialog, COLOR_CURRENT), nullptr, TRUE);
    for (int id = kBasicFirstId; id < kCustomFirstId + kCustomCount; ++id)
        InvalidateRect(GetDlgItem(dialog, id), nullptr, FALSE);
}

void ColorDialog::ReadBoxes(HWND dialog, State& state)
{
    if (state.fillingBoxes)
        return;
    auto component = [&](int id) {
        BOOL ok = FALSE;
        const UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
        return static_cast<BYTE>(ok ? std::min(value, 255u) : 0u);
    };
    Select(dialog, state, RGB(component(COLOR_RED), component(COLOR_GREEN), component(COLOR_BLUE)), false);
}

void ColorDialog::AddCustom(HWND dialog, State& state)
{
    state.custom[static_cast<size_t>(state.nextCustom)] = state.selected;
    InvalidateRect(GetDlgItem(dialog, kCustomFirstId + state.nextCustom), nullptr, FALSE);
    state.nextCustom = (state.nextCustom + 1) % kCustomCount;
}

void ColorDialog::DrawSwatch(const State& state, const DRAWITEMSTRUCT& item)
{
    const int id = static_cast<int>(item.CtlID);
    const COLORREF color = id == COLOR_CURRENT ? state.selected : SwatchColor(state, id);
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    const bool chosen = id != COLOR_CURRENT && color == state.selected;
    if (chosen)
        FrameRect(item.hDC, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -2, -2);
    DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(item.hDC, &r, brush);
    DeleteObject(brush);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        DrawFocusRect(item.hDC, &focus);
    }
}

bool ColorDialog::Command(HWND dialog, State& state, int id, int code)
{
    if (CcIsSwatch(id) && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        if (id >= kCustomFirstId)
            state.nextCustom = id - kCustomFirstId;
        Select(dialog, state, SwatchColor(state, id), true);
        return true;
    }
    if ((id == COLOR_RED || id == COLOR_GREEN || id == COLOR_BLUE) && code == EN_CHANGE) {
        ReadBoxes(dialog, state);
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case COLOR_MIX:
        OpenFull(dialog, state);
        return true;
    case COLOR_ADD:
        AddCustom(dialog, state);
        return true;
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog, id);
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK ColorDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<State*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        Initialise(dialog, *state);
        if (state->request->Flags & CC_ENABLEHOOK)
            state->request->lpfnHook(dialog, message, wParam, reinterpret_cast<LPARAM>(state->request));
        return FALSE;  // the focus is set
    }
    auto* state = reinterpret_cast<State*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (!state)
        return FALSE;
    if ((state->request->Flags & CC_ENABLEHOOK) &&
        HookHandled(state->request->lpfnHook, dialog, message, wParam, lParam))
        return TRUE;
    switch (message) {
    case WM_DRAWITEM:
        DrawSwatch(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return Command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}

}  // namespace tw::comdlg

BOOL ChooseColor(LPCHOOSECOLOR lpcc)
{
    return tw::comdlg::ColorDialog::Run(lpcc);
}
