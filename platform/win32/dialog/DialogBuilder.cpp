#include "platform/win32/dialog/DialogBuilder.h"

#include <cstring>
#include <limits>
#include <mutex>
#include <string>

#include "platform/win32/dialog/DialogFocus.h"
#include "platform/win32/dialog/DialogNavigation.h"
#include "platform/win32/dialog/DialogState.h"
#include "platform/win32/dialog/DialogUnits.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::dlg {

namespace dialog_builder_detail {

LRESULT CALLBACK DialogClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefDlgProc(hwnd, message, wParam, lParam);
}

HFONT CreateTemplateFont(const tw::res::DialogTemplate& t)
{
    LOGFONT lf{};
    lf.lfHeight = -static_cast<LONG>((t.pointSize * 96 + 36) / 72);
    lf.lfWeight = t.extended && t.weight ? t.weight : FW_NORMAL;
    lf.lfItalic = t.extended ? t.italic : 0;
    lf.lfCharSet = t.extended ? t.charset : DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, t.typeface.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

std::string ClassNameOf(const tw::res::NameOrOrdinal& name, const char* fallback)
{
    switch (name.kind) {
    case tw::res::NameOrOrdinal::Kind::Text:
        return name.text;
    case tw::res::NameOrOrdinal::Kind::Ordinal:
        if (const char* known = tw::res::ClassNameOfAtom(name.ordinal))
            return known;
        return {};
    case tw::res::NameOrOrdinal::Kind::None:
        break;
    }
    return fallback;
}

RECT WorkArea()
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The window rectangle of a top-level dialog in screen coordinates.
RECT PlaceTopLevel(RECT window, DWORD style, HWND owner)
{
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const RECT work = WorkArea();
    POINT origin{window.left, window.top};
    if (style & DS_CENTER) {
        RECT around = work;
        if (owner && IsWindowVisible(owner) && !IsIconic(owner))
            GetWindowRect(owner, &around);
        origin.x = around.left + ((around.right - around.left) - width) / 2;
        origin.y = around.top + ((around.bottom - around.top) - height) / 2;
    } else if (style & DS_CENTERMOUSE) {
        POINT cursor{};
        GetCursorPos(&cursor);
        origin.x = cursor.x - width / 2;
        origin.y = cursor.y - height / 2;
    } else if (!(style & DS_ABSALIGN) && owner) {
        ClientToScreen(owner, &origin);
    }
    // Keep the whole frame, and above all the caption, on the screen.
    origin.x = std::max<int>(std::min<int>(origin.x, work.right - width), work.left);
    origin.y = std::max<int>(std::min<int>(origin.y, work.bottom - height), work.top);
    return RECT{origin.x, origin.y, origin.x + width, origin.y + height};
}

struct Frame {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};
    bool visible = false;
};

Frame FrameOf(const tw::res::DialogTemplate& t, SIZE units, HWND parent, bool hasMenu)
{
    Frame frame;
    frame.style = t.style;
    frame.exStyle = t.exStyle;
    if (frame.style & DS_MODALFRAME)
        frame.exStyle |= WS_EX_DLGMODALFRAME;
    if (frame.style & DS_CONTROL) {
        frame.style &= ~(WS_CAPTION | WS_SYSMENU);
        frame.exStyle |= WS_EX_CONTROLPARENT;
    }
    frame.visible = (frame.style & WS_VISIBLE) != 0;
    frame.style &= ~WS_VISIBLE;
    RECT rect{DialogUnits::XToPixels(t.x, units), DialogUnits::YToPixels(t.y, units), 0, 0};
    rect.right = rect.left + DialogUnits::XToPixels(t.cx, units);
    rect.bottom = rect.top + DialogUnits::YToPixels(t.cy, units);
    AdjustWindowRectEx(&rect, frame.style, hasMenu, frame.exStyle);
    if (frame.style & WS_CHILD) {
        frame.rect = rect;
        return frame;
    }
    // The template places the client area; the frame grows around it.
    frame.rect = PlaceTopLevel(rect, frame.style, parent);
    return frame;
}

// The menu bar a top-level template names; false (with the loader's error)
// when it names one that cannot be loaded.
bool LoadTemplateMenu(HINSTANCE instance, const tw::res::DialogTemplate& t, HMENU& menu)
{
    menu = nullptr;
    if (t.menu.kind == tw::res::NameOrOrdinal::Kind::None || (t.style & WS_CHILD))
        return true;
    const LPCSTR name = t.menu.kind == tw::res::NameOrOrdinal::Kind::Ordinal ? MAKEINTRESOURCE(t.menu.ordinal)
                                                                            : t.menu.text.c_str();
    menu = LoadMenu(instance, name);
    return menu != nullptr;
}

bool CreateItem(HWND dialog, const tw::res::DialogItemTemplate& item, SIZE units, HFONT font, HINSTANCE instance)
{
    const std::string className = ClassNameOf(item.windowClass, "");
    if (className.empty()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return false;
    }
    LPCSTR text = "";
    if (item.title.kind == tw::res::NameOrOrdinal::Kind::Text)
        text = item.title.text.c_str();
    else if (item.title.kind == tw::res::NameOrOrdinal::Kind::Ordinal)
        text = MAKEINTRESOURCE(item.title.ordinal);
    // Creation data reaches WM_CREATE as the platform passes it: its size
    // word first.
    std::vector<BYTE> data;
    if (!item.creationData.empty()) {
        const WORD size = static_cast<WORD>(item.creationData.size());
        data.resize(sizeof size);
        std::memcpy(data.data(), &size, sizeof size);
        data.insert(data.end(), item.creationData.begin(), item.creationData.end());
    }
    const int x = DialogUnits::XToPixels(item.x, units);
    const int y = DialogUnits::YToPixels(item.y, units);
    SetLastError(ERROR_SUCCESS);
    HWND control = CreateWindowEx(item.exStyle | WS_EX_NOPARENTNOTIFY, className.c_str(), text,
                                  (item.style | WS_CHILD) & ~WS_POPUP, x, y, DialogUnits::XToPixels(item.cx, units),
                                  DialogUnits::YToPixels(item.cy, units), dialog,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                  data.empty() ? nullptr : data.data());
    if (!control) {
        if (GetLastError() == ERROR_SUCCESS)
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return false;
    }
    if (font)
        SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

UINT FirstDefaultButtonId(HWND dialog)
{
    for (HWND control : DialogNavigation::Controls(dialog)) {
        if (DialogNavigation::DlgCode(control) & DLGC_DEFPUSHBUTTON)
            return static_cast<UINT>(GetDlgCtrlID(control));
    }
    return 0;
}

// WM_INITDIALOG, and the first focus unless the procedure set its own. The
// focus is given before the dialog shows, so no control draws itself ahead
// of the dialog's first paint; a hidden modeless dialog keeps it for when it
// is activated.
void Initialize(HWND dialog, LPARAM initParam, bool showsNow)
{
    HWND first = DialogNavigation::NextTabItem(dialog, nullptr, false);
    const LRESULT setFocus = SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    if (!IsWindow(dialog))
        return;
    auto state = DialogStates::Find(dialog);
    if (!state)
        return;
    if (!setFocus) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus))
            state->savedFocus = focus;
        return;
    }
    if (!first || !IsWindow(first) || !IsChild(dialog, first))
        first = DialogNavigation::NextTabItem(dialog, nullptr, false);
    if (!first)
        return;
    state->savedFocus = first;
    if (showsNow) {
        DialogFocus::MoveTo(dialog, first);
        return;
    }
    if (DialogNavigation::DlgCode(first) & DLGC_HASSETSEL)
        SendMessage(first, EM_SETSEL, 0, static_cast<LPARAM>(-1));
}

}  // namespace dialog_builder_detail

void DialogBuilder::RegisterDialogClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Templates and message boxes name the standard classes.
        tw::RegisterStandardControlClasses();
        WNDCLASS wc{};
        wc.style = CS_DBLCLKS | CS_SAVEBITS;
        wc.lpfnWndProc = dialog_builder_detail::DialogClassProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = WC_DIALOG;
        RegisterClass(&wc);
    });
}

std::optional<tw::res::DialogTemplate> DialogBuilder::LoadTemplate(HINSTANCE instance, LPCSTR name)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!tw::FindResourceBytes(instance, name, RT_DIALOG, &data, &size))
        return std::nullopt;
    auto parsed = tw::res::ParseDialogTemplate(data, size);
    if (!parsed)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return parsed;
}

std::optional<tw::res::DialogTemplate> DialogBuilder::ReadTemplate(LPCDLGTEMPLATE memory)
{
    if (!memory) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    // A template in memory carries no size: it is read as far as its own
    // counts and terminators reach.
    auto parsed = tw::res::ParseDialogTemplate(memory, std::numeric_limits<size_t>::max() / 2);
    if (!parsed)
        SetLastError(ERROR_INVALID_DATA);
    return parsed;
}

HWND DialogBuilder::Build(HINSTANCE instance, const tw::res::DialogTemplate& t, HWND parent, DLGPROC proc,
                          LPARAM initParam, bool modal)
{
    namespace d = dialog_builder_detail;
    RegisterDialogClass();
    if ((t.style & WS_CHILD) && !IsWindow(parent)) {
        SetLastError(parent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    HMENU menu = nullptr;
    if (!d::LoadTemplateMenu(instance, t, menu))
        return nullptr;
    HFONT font = (t.style & DS_SETFONT) ? d::CreateTemplateFont(t) : nullptr;
    const LONG systemUnits = GetDialogBaseUnits();
    const SIZE units = font ? DialogUnits::BaseUnitsOf(font) : SIZE{LOWORD(systemUnits), HIWORD(systemUnits)};
    const d::Frame frame = d::FrameOf(t, units, parent, menu != nullptr);
    const std::string className = d::ClassNameOf(t.windowClass, WC_DIALOG);
    SetLastError(ERROR_SUCCESS);
    HWND dialog = CreateWindowEx(frame.exStyle, className.c_str(), t.title.c_str(), frame.style, frame.rect.left,
                                 frame.rect.top, frame.rect.right - frame.rect.left,
                                 frame.rect.bottom - frame.rect.top, parent, menu, instance,
                                 reinterpret_cast<LPVOID>(initParam));
    if (!dialog) {
        if (font)
            DeleteObject(font);
        if (menu)
            DestroyMenu(menu);
        if (GetLastError() == ERROR_SUCCESS)
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    auto state = DialogStates::Create(dialog);
    state->font = font;
    state->ownedFont = font;
    state->baseUnits = units;
    state->modal = modal;
    SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (font)
        SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const tw::res::DialogItemTemplate& item : t.items) {
        if (d::CreateItem(dialog, item, units, font, instance) || (t.style & DS_NOFAILCREATE))
            continue;
        const DWORD error = GetLastError();
        DestroyWindow(dialog);
        SetLastError(error);
        return nullptr;
    }
    state->defId = d::FirstDefaultButtonId(dialog);
    d::Initialize(dialog, initParam, frame.visible || modal);
    if (!IsWindow(dialog))
        return nullptr;
    if (frame.visible && !modal) {
        ShowWindow(dialog, (frame.style & WS_CHILD) ? SW_SHOW : SW_SHOWNORMAL);
        UpdateWindow(dialog);
    }
    if (t.style & DS_SETFOREGROUND)
        SetForegroundWindow(dialog);
    return dialog;
}

}  // namespace tw::dlg

HWND CreateDialogIndirectParam(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    auto parsed = tw::dlg::DialogBuilder::ReadTemplate(lpTemplate);
    if (!parsed)
        return nullptr;
    return tw::dlg::DialogBuilder::Build(hInstance, *parsed, hWndParent, lpDialogFunc, dwInitParam, false);
}

HWND CreateDialogIndirect(HINSTANCE hInstance, LPCDLGTEMPLATE lpTemplate, HWND hWndParent, DLGPROC lpDialogFunc)
{
    return CreateDialogIndirectParam(hInstance, lpTemplate, hWndParent, lpDialogFunc, 0);
}

HWND CreateDialogParam(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                       LPARAM dwInitParam)
{
    auto parsed = tw::dlg::DialogBuilder::LoadTemplate(hInstance, lpTemplateName);
    if (!parsed)
        return nullptr;
    return tw::dlg::DialogBuilder::Build(hInstance, *parsed, hWndParent, lpDialogFunc, dwInitParam, false);
}

HWND CreateDialog(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc)
{
    return CreateDialogParam(hInstance, lpTemplateName, hWndParent, lpDialogFunc, 0);
}
