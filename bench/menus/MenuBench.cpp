// Figures for opening menus: a 40-item popup menu with its shadow from
// creation to its first paint, and a 500-item menu imported into a popup
// bar. Each is measured beside a raw baseline of the same size in the same
// run (a plain popup window painting 40 text lines; reading the 500 items
// with the menu calls alone), and the ratios are printed last. Run by hand.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/mfc/CWnd.h"
#include "platform/win32/menu/winmenu.h"
#include "tests/support/ui/KtvUiTestSetup.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPTearOffManager.h"

namespace {

using BenchClock = std::chrono::steady_clock;

template <class Body>
double MicrosecondsPerRound(int nRounds, Body body)
{
    body();  // warm up
    const auto start = BenchClock::now();
    for (int i = 0; i < nRounds; i++)
        body();
    return std::chrono::duration<double, std::micro>(BenchClock::now() - start).count() / nRounds;
}

HMENU MakeMenu(int nItems)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < nItems; i++) {
        const std::string text = "Menu item number " + std::to_string(i) + "\tCtrl+" + std::to_string(i % 10);
        ::AppendMenu(hMenu, MF_STRING, 1000 + i, text.c_str());
    }
    return hMenu;
}

void PumpAll()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

LRESULT CALLBACK PlainMenuProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT rect;
    ::GetClientRect(hwnd, &rect);
    ::FillRect(dc, &rect, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    for (int i = 0; i < 40; i++) {
        const std::string text = "Menu item number " + std::to_string(i);
        RECT line = {20, i * 18, rect.right, i * 18 + 18};
        ::DrawText(dc, text.c_str(), -1, &line, DT_SINGLELINE | DT_VCENTER);
    }
    ::EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

int main()
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    KtvPrepareUiTest();
    CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
    CKtvPPopupMenu::m_bForceShadow = TRUE;

    CWnd owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 900),
                   nullptr, 0);
    HMENU hMenu40 = MakeMenu(40);
    CSize sizeMenu;

    const double usMenu = MicrosecondsPerRound(50, [&] {
        auto* pPopup = new CKtvPPopupMenu;
        pPopup->m_bOwnsMenu = FALSE;
        pPopup->Create(&owner, 100, 40, hMenu40);
        pPopup->UpdateWindow();
        sizeMenu = pPopup->m_sizeFinal;
        pPopup->DestroyWindow();
        PumpAll();
    });

    WNDCLASS wc = {};
    wc.lpfnWndProc = PlainMenuProc;
    wc.lpszClassName = "BenchPlainMenu";
    ::RegisterClass(&wc);
    const double usPlain = MicrosecondsPerRound(50, [&] {
        HWND hwnd = ::CreateWindowEx(WS_EX_TOPMOST, "BenchPlainMenu", "", WS_POPUP | WS_VISIBLE, 100, 40,
                                     sizeMenu.cx, sizeMenu.cy, owner.GetSafeHwnd(), nullptr, nullptr, nullptr);
        ::UpdateWindow(hwnd);
        ::DestroyWindow(hwnd);
        PumpAll();
    });

    HMENU hMenu500 = MakeMenu(500);
    CKtvPPopupMenuBar bar;
    bar.Create(&owner, 0x50402808, 0xE800);
    const double usImport = MicrosecondsPerRound(20, [&] { bar.ImportFromMenu(hMenu500, TRUE); });
    const double usRead = MicrosecondsPerRound(20, [&] {
        char text[128];
        for (int i = 0; i < ::GetMenuItemCount(hMenu500); i++) {
            MENUITEMINFO info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
            ::GetMenuItemInfo(hMenu500, (UINT)i, TRUE, &info);
            ::GetMenuString(hMenu500, (UINT)i, text, sizeof text, MF_BYPOSITION);
        }
    });

    std::printf("%-52s %10.1f us\n", "40-item menu with shadow, created to first paint", usMenu);
    std::printf("%-52s %10.1f us\n", "plain popup painting 40 lines (baseline)", usPlain);
    std::printf("%-52s %10.1f us\n", "500-item menu imported into a popup bar", usImport);
    std::printf("%-52s %10.1f us\n", "500 items read with the menu calls (baseline)", usRead);
    std::printf("%-52s %10.2f\n", "ratio: menu open / baseline", usMenu / usPlain);
    std::printf("%-52s %10.2f\n", "ratio: import / baseline", usImport / usRead);

    bar.DestroyWindow();
    owner.DestroyWindow();
    ::DestroyMenu(hMenu40);
    ::DestroyMenu(hMenu500);
    CKtvPMenuSound::Terminate();
    return 0;
}
