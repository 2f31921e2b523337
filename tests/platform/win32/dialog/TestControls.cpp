#include "tests/platform/win32/dialog/TestControls.h"

#include <mutex>

namespace tw::dlg::test {

namespace {

std::map<HWND, std::vector<std::string>>& Log()
{
    static std::map<HWND, std::vector<std::string>> log;
    return log;
}

DWORD ButtonType(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & kBsTypeMask;
}

void Notify(HWND hwnd)
{
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0), reinterpret_cast<LPARAM>(hwnd));
}

void SetCheck(HWND hwnd, UINT check)
{
    SetProp(hwnd, "TestCheck", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(check)));
}

// An auto radio button checks itself and clears the others of its group.
void CheckRadioInGroup(HWND hwnd)
{
    HWND first = hwnd;
    while (!(GetWindowLong(first, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous)
            break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && (GetWindowLong(sibling, GWL_STYLE) & WS_GROUP))
            break;
        if (ButtonType(sibling) == kBsAutoRadioButton)
            SetCheck(sibling, sibling == hwnd ? kBstChecked : 0);
    }
}

void Click(HWND hwnd)
{
    const DWORD type = ButtonType(hwnd);
    if (type == kBsAutoRadioButton)
        CheckRadioInGroup(hwnd);
    else if (type == kBsAutoCheckBox)
        SetCheck(hwnd, GetProp(hwnd, "TestCheck") ? 0 : kBstChecked);
    Notify(hwnd);
}

LRESULT ButtonDlgCode(HWND hwnd)
{
    switch (ButtonType(hwnd)) {
    case kBsPushButton:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case kBsDefPushButton:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case kBsGroupBox:
        return DLGC_STATIC;
    case kBsAutoRadioButton:
    case 0x4:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    default:
        return DLGC_BUTTON;
    }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return ButtonDlgCode(hwnd);
    case kBmSetStyle: {
        const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((style & 0xFFFF0000u) | (wParam & 0xFFFF)));
        return 0;
    }
    case kBmGetCheck:
        return reinterpret_cast<LRESULT>(GetProp(hwnd, "TestCheck"));
    case kBmSetCheck:
        SetCheck(hwnd, static_cast<UINT>(wParam));
        return 0;
    case kBmClick:
        Click(hwnd);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        const bool captured = GetCapture() == hwnd;
        ReleaseCapture();
        RECT client;
        GetClientRect(hwnd, &client);
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (captured && pt.x >= 0 && pt.y >= 0 && pt.x < client.right && pt.y < client.bottom)
            Click(hwnd);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveProp(hwnd, "TestCheck");
        Log().erase(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_STATIC;
    if (message == WM_NCHITTEST)
        return HTTRANSPARENT;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case kEmSetSel:
        Log()[hwnd].push_back("EM_SETSEL " + std::to_string(static_cast<long>(wParam)) + " " +
                              std::to_string(static_cast<long>(lParam)));
        return 0;
    case WM_CHAR:
        Log()[hwnd].push_back(std::string("WM_CHAR ") + static_cast<char>(wParam));
        return 0;
    case WM_NCDESTROY:
        Log().erase(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (message == WM_LBUTTONDOWN) {
        SetFocus(hwnd);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// Every stand-in keeps the font it is given, as the real controls do.
bool FontMessage(HWND hwnd, UINT message, WPARAM wParam, LRESULT* result)
{
    if (message == WM_SETFONT) {
        SetProp(hwnd, "TestFont", reinterpret_cast<HANDLE>(wParam));
        *result = 0;
        return true;
    }
    if (message == WM_GETFONT) {
        *result = reinterpret_cast<LRESULT>(GetProp(hwnd, "TestFont"));
        return true;
    }
    if (message == WM_NCDESTROY)
        RemoveProp(hwnd, "TestFont");
    return false;
}

template <WNDPROC Proc>
LRESULT CALLBACK WithFont(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (FontMessage(hwnd, message, wParam, &result))
        return result;
    return Proc(hwnd, message, wParam, lParam);
}

void RegisterIfMissing(const char* name, WNDPROC proc)
{
    WNDCLASS existing{};
    if (GetClassInfo(nullptr, name, &existing))
        return;
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClass(&wc);
}

}  // namespace

void TestControls::Register()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterIfMissing("Button", WithFont<ButtonProc>);
        RegisterIfMissing("Static", WithFont<StaticProc>);
        RegisterIfMissing("Edit", WithFont<EditProc>);
        RegisterIfMissing("ListBox", WithFont<ListBoxProc>);
    });
}

std::vector<std::string> TestControls::Received(HWND control)
{
    auto it = Log().find(control);
    return it == Log().end() ? std::vector<std::string>{} : it->second;
}

void TestControls::Clear()
{
    Log().clear();
}

}  // namespace tw::dlg::test
