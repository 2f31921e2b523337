#include "tests/platform/win32/dialog/TestControls.h"

#include <mutex>

namespace tw::dlg::test {

namespace {

LRESULT CALLBACK ListBoxStandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_SETFONT:
        SetProp(hwnd, "TestFont", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetProp(hwnd, "TestFont"));
    case WM_NCDESTROY:
        RemoveProp(hwnd, "TestFont");
        return DefWindowProc(hwnd, message, wParam, lParam);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
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
        tw::RegisterStandardControlClasses();
        RegisterIfMissing("ListBox", ListBoxStandInProc);
    });
}

}  // namespace tw::dlg::test
