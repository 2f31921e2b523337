// The default processing of MDI frames and children, the MDI system keys,
// and the client's window class.
#include <mutex>

#include "platform/win32/gdi/SystemColors.h"
#include "platform/win32/mdi/MdiClient.h"

using tw::mdi::MdiClient;

namespace tw::mdi {

bool RegisterMdiClientClass()
{
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = MdiClient::Proc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = "MDICLIENT";
        return RegisterClass(&wc) != 0;
    }();
    return registered;
}

namespace mdi_api_detail {

LRESULT FrameCommand(HWND frame, HWND client, WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    bool maximized = false;
    const HWND active = client ? MdiClient::Active(client, &maximized) : nullptr;
    // The maximised child's caption buttons and system menu in the frame's bar.
    if (id >= 0xF000 && active && maximized) {
        SendMessage(active, WM_SYSCOMMAND, id, lParam);
        return 0;
    }
    if (client && HIWORD(wParam) == 0) {
        if (HWND child = MdiClient::ChildForCommand(client, id)) {
            if (IsIconic(child))
                SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
            return 0;
        }
    }
    return DefWindowProc(frame, WM_COMMAND, wParam, lParam);
}

}  // namespace mdi_api_detail

}  // namespace tw::mdi

namespace mad = tw::mdi::mdi_api_detail;

LRESULT DefFrameProc(HWND hWnd, HWND hWndMDIClient, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    tw::mdi::RegisterMdiClientClass();
    const HWND client = IsWindow(hWndMDIClient) ? hWndMDIClient : nullptr;
    switch (uMsg) {
    case WM_COMMAND:
        return mad::FrameCommand(hWnd, client, wParam, lParam);
    case WM_SETTEXT:
        if (!client)
            break;
        MdiClient::FrameTitleChanged(client, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_SETFOCUS:
        if (!client)
            break;
        if (HWND active = MdiClient::Active(client); active && !IsIconic(active))
            SetFocus(active);
        else
            SetFocus(client);
        return 0;
    case WM_SYSCOMMAND:
        // Alt+- opens the active document window's own system menu; a
        // maximised one's sits in the frame's bar and answers there.
        if (client && (wParam & 0xFFF0) == SC_KEYMENU && lParam == '-') {
            bool maximized = false;
            const HWND active = MdiClient::Active(client, &maximized);
            if (active && !maximized) {
                RECT window;
                GetWindowRect(active, &window);
                TrackPopupMenu(GetSystemMenu(active, FALSE), TPM_LEFTBUTTON, window.left, window.top, 0, active,
                               nullptr);
                return 0;
            }
        }
        break;
    case WM_SIZE:
        if (client && wParam != SIZE_MINIMIZED)
            MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    tw::mdi::RegisterMdiClientClass();
    const HWND client = MdiClient::ClientOf(hWnd);
    if (!client)
        return DefWindowProc(hWnd, uMsg, wParam, lParam);
    switch (uMsg) {
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
            SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hWnd), 0);
            return 0;
        case SC_RESTORE:
            SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hWnd), 0);
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
            return 0;
        case SC_MINIMIZE:
            MdiClient::Minimize(client, hWnd);
            return 0;
        case SC_NEXTWINDOW:
            MdiClient::Next(client, hWnd, false);
            return 0;
        case SC_PREVWINDOW:
            MdiClient::Next(client, hWnd, true);
            return 0;
        case SC_CLOSE:
            SendMessage(hWnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_KEYMENU:
        case SC_MOUSEMENU:
            // Menus belong to the frame.
            return SendMessage(GetParent(client), WM_SYSCOMMAND, wParam, lParam);
        default:
            break;
        }
        break;
    case WM_CLOSE:
        SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
        return 0;
    case WM_CHILDACTIVATE:
    case WM_SETFOCUS:
        if (MdiClient::Active(client) != hWnd)
            MdiClient::Activate(client, hWnd);
        break;
    case WM_MOUSEACTIVATE: {
        const LRESULT answer = DefWindowProc(hWnd, uMsg, wParam, lParam);
        if (MdiClient::Active(client) != hWnd)
            MdiClient::Activate(client, hWnd);
        return answer;
    }
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hWnd, uMsg, wParam, lParam);
        MdiClient::ChildTitleChanged(hWnd);
        return result;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefWindowProc(hWnd, uMsg, wParam, lParam);
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            MdiClient::ChildVisibilityChanged(hWnd);
        if (pos && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW) ||
                    (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)))
            MdiClient::ChildPlacementChanged(hWnd);
        return result;
    }
    default:
        break;
    }
    return DefWindowProc(hWnd, uMsg, wParam, lParam);
}

BOOL TranslateMDISysAccel(HWND hWndClient, LPMSG lpMsg)
{
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (!control || alt)
        return FALSE;
    const HWND active = MdiClient::Active(hWndClient);
    if (!active || !IsWindowEnabled(active))
        return FALSE;
    WPARAM command;
    if (lpMsg->wParam == VK_F6)
        command = (GetKeyState(VK_SHIFT) & 0x8000) ? SC_PREVWINDOW : SC_NEXTWINDOW;
    else if (lpMsg->wParam == VK_F4)
        command = SC_CLOSE;
    else
        return FALSE;
    SendMessage(active, WM_SYSCOMMAND, command, MAKELPARAM(lpMsg->wParam, 0));
    return TRUE;
}

HWND CreateMDIWindow(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                     HWND hWndParent, HINSTANCE hInstance, LPARAM lParam)
{
    MDICREATESTRUCT mcs{lpClassName, lpWindowName, hInstance, X, Y, nWidth, nHeight, dwStyle, lParam};
    return reinterpret_cast<HWND>(SendMessage(hWndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}
