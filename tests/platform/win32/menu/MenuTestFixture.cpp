#include "tests/platform/win32/menu/MenuTestFixture.h"
#include "tests/support/window/HeadlessWindowTest.h"

#include <cstdio>
#include <map>

#include "platform/display/Display.h"
#include "platform/win32/controls/stdctrl.h"
#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/menu/MenuBarProvider.h"
#include "tests/platform/win32/menu/MenuBarProbe.h"

namespace tw::menu::test {

LRESULT MenuTest::menuCharAnswer = 0;
std::function<void(UINT, WPARAM, LPARAM)> MenuTest::onMessage;

namespace {

std::vector<std::string> g_log;
std::map<HMENU, std::string> g_names;

std::string Hex(ULONG_PTR value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%lX", static_cast<unsigned long>(value));
    return buffer;
}

std::string MenuName(WPARAM value)
{
    auto found = g_names.find(reinterpret_cast<HMENU>(value));
    return found == g_names.end() ? Hex(value) : found->second;
}

// The frame's share of default processing that the window system hands to
// the menu bar provider.
bool BarHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    MenuBarProvider* bar = InstalledMenuBarProvider();
    if (!bar || WindowSystemDrawsMenuBars())
        return false;
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        *result = DefWindowProc(hwnd, message, wParam, lParam);
        rect->top += bar->BarHeight(hwnd, rect->right - rect->left);
        return true;
    }
    case WM_NCPAINT: {
        *result = DefWindowProc(hwnd, message, wParam, lParam);
        RECT window;
        GetWindowRect(hwnd, &window);
        POINT client{0, 0};
        ClientToScreen(hwnd, &client);
        const int left = client.x - window.left;
        const int bottom = client.y - window.top;
        const int width = window.right - window.left - 2 * left;
        const RECT barRect{left, bottom - bar->BarHeight(hwnd, width), left + width, bottom};
        HDC dc = GetWindowDC(hwnd);
        bar->PaintBar(hwnd, dc, barRect);
        ReleaseDC(hwnd, dc);
        return true;
    }
    case WM_NCHITTEST: {
        POINT client{0, 0};
        ClientToScreen(hwnd, &client);
        RECT window;
        GetWindowRect(hwnd, &window);
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int barTop = client.y - bar->BarHeight(hwnd, window.right - window.left);
        if (GetMenu(hwnd) && pt.y >= barTop && pt.y < client.y && pt.x >= client.x &&
            pt.x < window.right - (client.x - window.left)) {
            *result = HTMENU;
            return true;
        }
        return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam != HTMENU)
            return false;
        *result = SendMessage(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lParam);
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_KEYMENU && (wParam & 0xFFF0) != SC_MOUSEMENU)
            return false;
        *result = 0;
        return bar->SysCommand(hwnd, wParam, lParam);
    default:
        return false;
    }
}

LRESULT LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const size_t before = g_log.size();
    const LRESULT result = LoggingProc(hwnd, message, wParam, lParam);
    if (g_log.size() != before && MenuTest::onMessage)
        MenuTest::onMessage(message, wParam, lParam);
    return result;
}

LRESULT LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        g_log.push_back("WM_COMMAND " + Hex(wParam) + " " + Hex(static_cast<ULONG_PTR>(lParam)));
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_KEYMENU && (wParam & 0xFFF0) != SC_MOUSEMENU) {
            g_log.push_back("WM_SYSCOMMAND " + Hex(wParam & 0xFFF0));
            return 0;
        }
        break;
    case WM_INITMENU:
        g_log.push_back("WM_INITMENU " + MenuName(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        g_log.push_back("WM_INITMENUPOPUP " + MenuName(wParam) + " " + Hex(static_cast<ULONG_PTR>(lParam)));
        return 0;
    case WM_MENUSELECT:
        g_log.push_back("WM_MENUSELECT " + Hex(LOWORD(wParam)) + " " + Hex(HIWORD(wParam)) + " " +
                        MenuName(static_cast<WPARAM>(lParam)));
        return 0;
    case WM_ENTERMENULOOP:
        g_log.push_back("WM_ENTERMENULOOP " + Hex(wParam));
        return 0;
    case WM_EXITMENULOOP:
        g_log.push_back("WM_EXITMENULOOP " + Hex(wParam));
        return 0;
    case WM_MENUCHAR:
        g_log.push_back("WM_MENUCHAR " + Hex(wParam) + " " + MenuName(static_cast<WPARAM>(lParam)));
        return MenuTest::menuCharAnswer;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        g_log.push_back("WM_MEASUREITEM " + Hex(mis->itemID) + " " + Hex(mis->itemData));
        mis->itemWidth = 40;
        mis->itemHeight = 30;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        g_log.push_back("WM_DRAWITEM " + Hex(dis->itemID) + " " + Hex(dis->itemData) + " " + Hex(dis->itemState) +
                        " " + std::to_string(dis->rcItem.bottom - dis->rcItem.top));
        return TRUE;
    }
    default:
        break;
    }
    LRESULT result = 0;
    if (BarHook(hwnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProc(hwnd, message, wParam, lParam);
}

constexpr const char* kFrameClass = "MenuTestFrame";

}  // namespace

void MenuTest::SetUp()
{
    static bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = FrameProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kFrameClass;
        return RegisterClass(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    tw::display::Display::Instance().Input().Clear();
    tw::ProcessClock::Freeze();
    menuCharAnswer = 0;
    onMessage = nullptr;
    g_log.clear();
    g_names.clear();
    Pump();
}

void MenuTest::TearDown()
{
    onMessage = nullptr;
    ReleaseCapture();
    tw::test::DestroyTopLevelWindows();
    tw::display::Display::Instance().Input().Clear();
    Pump();
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    tw::ProcessClock::Resume();
}

HWND MenuTest::MakeFrame(RECT rect, HMENU bar)
{
    frame = CreateWindowEx(0, kFrameClass, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, bar, nullptr, nullptr);
    Pump();
    return frame;
}

void MenuTest::Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void MenuTest::Keys(const std::string& keys)
{
    for (char key : keys) {
        switch (key) {
        case 'v': input.KeyStroke(VK_DOWN); break;
        case '^': input.KeyStroke(VK_UP); break;
        case '>': input.KeyStroke(VK_RIGHT); break;
        case '<': input.KeyStroke(VK_LEFT); break;
        case 'e': input.KeyStroke(VK_RETURN); break;
        case 'x': input.KeyStroke(VK_ESCAPE); break;
        case 'h': input.KeyStroke(VK_HOME); break;
        case 'n': input.KeyStroke(VK_END); break;
        case 'a': input.KeyStroke(VK_MENU); break;
        case '_': input.KeyStroke(VK_SPACE); break;
        default: input.KeyStroke(static_cast<UINT>(key)); break;
        }
    }
}

void MenuTest::AltKey(UINT vk)
{
    input.KeyDown(VK_MENU);
    input.KeyStroke(vk);
    input.KeyUp(VK_MENU);
}

std::vector<std::string> MenuTest::Log(const std::string& prefix) const
{
    std::vector<std::string> lines;
    for (const std::string& line : g_log) {
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

void MenuTest::ClearLog() { g_log.clear(); }

void MenuTest::Name(HMENU menu, const std::string& name) { g_names[menu] = name; }

}  // namespace tw::menu::test
