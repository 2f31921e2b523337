#include "examples/window_demo/DemoWindows.h"

#include <string>
#include <vector>

#include "platform/win32/gdi/windraw.h"
#include "platform/win32/menu/winmenu.h"

namespace demo {

namespace {

constexpr int kCanvasId = 100;
constexpr int kStatusId = 101;
constexpr UINT kExitCommand = 200;
constexpr int kStatusHeight = 24;
constexpr int kMaxTyped = 60;

std::vector<POINT> g_points;  // where the canvas was clicked
std::string g_typed = "Click the canvas, type, or use the arrow keys.";
POINT g_marker{40, 40};      // moved by the arrow keys

HWND Child(HWND parent, int id)
{
    return GetDlgItem(parent, id);
}

void Layout(HWND main)
{
    RECT client;
    GetClientRect(main, &client);
    HDWP dwp = BeginDeferWindowPos(2);
    dwp = DeferWindowPos(dwp, Child(main, kCanvasId), nullptr, 8, 8, client.right - 16,
                         client.bottom - kStatusHeight - 20, SWP_NOZORDER | SWP_NOACTIVATE);
    dwp = DeferWindowPos(dwp, Child(main, kStatusId), nullptr, 8, client.bottom - kStatusHeight - 6,
                         client.right - 16, kStatusHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    EndDeferWindowPos(dwp);
}

void PaintShapes(HDC hdc, const RECT& client)
{
    HPEN blue = CreatePen(PS_SOLID, 2, RGB(10, 36, 106));
    HBRUSH green = CreateSolidBrush(RGB(60, 160, 90));
    HGDIOBJ oldPen = SelectObject(hdc, blue);
    HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Rectangle(hdc, 20, 20, 220, 140);
    SelectObject(hdc, green);
    Ellipse(hdc, 240, 20, 380, 140);
    MoveToEx(hdc, 20, 160, nullptr);
    for (int x = 20; x <= client.right - 20; x += 40)
        LineTo(hdc, x, (x / 40) % 2 ? 200 : 160);
    SelectObject(hdc, oldBrush);
    SelectObject(hdc, oldPen);
    DeleteObject(blue);
    DeleteObject(green);

    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    RECT caption{20, 210, client.right - 20, 240};
    DrawText(hdc, "Tarnwick window demo: shapes, text and input", -1, &caption, DT_SINGLELINE | DT_LEFT);
    SelectObject(hdc, oldFont);
}

void PaintPoints(HDC hdc)
{
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 30));
    for (const POINT& p : g_points) {
        RECT dot{p.x - 3, p.y - 3, p.x + 4, p.y + 4};
        FillRect(hdc, &dot, red);
    }
    DeleteObject(red);
    RECT marker{g_marker.x - 6, g_marker.y - 6, g_marker.x + 6, g_marker.y + 6};
    FrameRect(hdc, &marker, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace

bool RegisterDemoClasses()
{
    WNDCLASS main{};
    main.lpfnWndProc = MainProc;
    main.lpszClassName = kMainClass;
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    main.hCursor = LoadCursor(nullptr, IDC_ARROW);
    WNDCLASS canvas{};
    canvas.style = CS_DBLCLKS;
    canvas.lpfnWndProc = CanvasProc;
    canvas.lpszClassName = kCanvasClass;
    canvas.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    canvas.hCursor = LoadCursor(nullptr, IDC_CROSS);
    WNDCLASS status{};
    status.lpfnWndProc = StatusProc;
    status.lpszClassName = kStatusClass;
    status.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    return RegisterClass(&main) && RegisterClass(&canvas) && RegisterClass(&status);
}

HMENU CreateMainMenu()
{
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, kExitCommand, "E&xit");
    HMENU bar = CreateMenu();
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    return bar;
}

HWND CreateMainWindow()
{
    // The window owns its menu from here on and destroys it with itself.
    HMENU menu = CreateMainMenu();
    HWND main = CreateWindowEx(0, kMainClass, "Window demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 640, 420,
                               nullptr, menu, nullptr, nullptr);
    if (!main) {
        DestroyMenu(menu);
        return nullptr;
    }
    CreateWindowEx(WS_EX_CLIENTEDGE, kCanvasClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main,
                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kCanvasId)), nullptr, nullptr);
    CreateWindowEx(WS_EX_STATICEDGE, kStatusClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main,
                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kStatusId)), nullptr, nullptr);
    Layout(main);
    return main;
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (GetDlgItem(hwnd, kCanvasId))
            Layout(hwnd);
        return 0;
    case WM_SETFOCUS:
        SetFocus(Child(hwnd, kCanvasId));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kExitCommand) {
            SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK CanvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        PaintShapes(hdc, client);
        PaintPoints(hdc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        g_points.push_back(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDBLCLK:
        g_points.clear();
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_KEYDOWN: {
        const int step = 8;
        if (wParam == VK_LEFT)
            g_marker.x -= step;
        else if (wParam == VK_RIGHT)
            g_marker.x += step;
        else if (wParam == VK_UP)
            g_marker.y -= step;
        else if (wParam == VK_DOWN)
            g_marker.y += step;
        else
            return 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_CHAR: {
        if (wParam == VK_BACK) {
            if (!g_typed.empty())
                g_typed.pop_back();
        } else if (wParam >= ' ') {
            if (g_typed.size() >= kMaxTyped)
                g_typed.clear();
            g_typed.push_back(static_cast<char>(wParam));
        }
        InvalidateRect(GetDlgItem(GetParent(hwnd), kStatusId), nullptr, TRUE);
        return 0;
    }
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProc(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    client.left += 4;
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    DrawText(hdc, g_typed.c_str(), -1, &client, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace demo
