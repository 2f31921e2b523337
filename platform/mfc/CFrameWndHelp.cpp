// Context-help mode of a frame: a modal loop with the help cursor and the
// mouse captured, in which the next click (or F1) names a window and the
// window's answer to WM_HELPHITTEST is the help asked for.
#include "platform/mfc/CFrameWnd.h"

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"

namespace tw::mfc::framehelp_detail {

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The first window from hWnd up through its parents that names a context.
DWORD_PTR ClientContext(HWND hWnd, POINT screenPoint)
{
    for (HWND h = hWnd; h; h = ::GetParent(h)) {
        POINT client = screenPoint;
        ::ScreenToClient(h, &client);
        const auto context =
            static_cast<DWORD_PTR>(::SendMessage(h, WM_HELPHITTEST, 0, MAKELPARAM(client.x, client.y)));
        if (context != 0)
            return context;
        // A popup's owner is another window's business.
        if (!(::GetWindowLong(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return static_cast<DWORD_PTR>(-1);
}

}  // namespace tw::mfc::framehelp_detail

namespace framehelp_detail = tw::mfc::framehelp_detail;

BOOL CFrameWnd::CanEnterHelpMode()
{
    // Help mode needs the mouse; a window holding it is in the middle of something.
    HWND hCapture = ::GetCapture();
    return !hCapture || hCapture == m_hWnd;
}

void CFrameWnd::ExitHelpMode()
{
    if (m_bHelpMode != HELP_ACTIVE)
        return;
    MSG pending;
    if (!::PeekMessage(&pending, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_NOREMOVE))
        PostMessage(WM_EXITHELPMODE);
}

void CFrameWnd::OnContextHelp()
{
    // Help mode is the whole application's: an MDI child hands it to the main frame.
    CFrameWnd* pTop = GetTopLevelFrame();
    if (pTop && pTop != this) {
        pTop->OnContextHelp();
        return;
    }
    if (m_bHelpMode == HELP_ACTIVE || !CanEnterHelpMode())
        return;
    MSG pending;
    if (::PeekMessage(&pending, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE))
        return;  // left before it began

    m_bHelpMode = HELP_ACTIVE;
    SendMessage(WM_CANCELMODE);
    SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    HCURSOR hHelpCursor = ::LoadCursor(nullptr, IDC_HELP);
    HCURSOR hPrevious = ::SetCursor(hHelpCursor);
    SetCapture();

    DWORD_PTR context = 0;
    LONG idleCount = 0;
    while (m_bHelpMode == HELP_ACTIVE && ::GetCapture() == m_hWnd) {
        MSG msg;
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            CWinThread* pThread = AfxGetThread();
            if (!pThread || !pThread->OnIdle(idleCount++)) {
                idleCount = 0;
                ::WaitMessage();
            }
            continue;
        }
        if (!ProcessHelpMsg(msg, &context))
            break;
        ::SetCursor(hHelpCursor);
    }

    m_bHelpMode = HELP_INACTIVE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::SetCursor(hPrevious);
    PostMessage(WM_KICKIDLE);
    if (context == 0)
        return;
    if (context == static_cast<DWORD_PTR>(-1)) {
        // Nothing under the pointer has help of its own: the program's default help.
        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        return;
    }
    if (CWinApp* pApp = AfxGetApp())
        pApp->WinHelp(context, HELP_CONTEXT);
}

// FALSE ends help mode; *pContext then says what help was asked for (0: none).
BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD_PTR* pContext)
{
    if (msg.message == WM_QUIT)
        return FALSE;  // left in the queue for the thread's loop
    ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
    switch (msg.message) {
    case WM_EXITHELPMODE:
        return FALSE;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        *pContext = HelpContextAt(msg.pt);
        return FALSE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_ESCAPE)
            return FALSE;
        if (msg.wParam == VK_F1) {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            *pContext = HelpContextAt(cursor);
            return FALSE;
        }
        break;
    default:
        break;
    }
    // The mouse belongs to help mode; everything else (painting, timers, other
    // keys) goes on as usual.
    if (framehelp_detail::IsMouseMessage(msg.message))
        return TRUE;
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    return TRUE;
}

// The help context of what lies at a screen point: a non-client area by its
// hit-test code, a client area by WM_HELPHITTEST; 0 outside this frame's windows.
DWORD_PTR CFrameWnd::HelpContextAt(POINT screenPoint)
{
    HWND hHit = ::WindowFromPoint(screenPoint);
    if (!hHit || ::GetAncestor(hHit, GA_ROOTOWNER) != ::GetAncestor(m_hWnd, GA_ROOTOWNER))
        return 0;
    const auto hitTest = static_cast<int>(::SendMessage(hHit, WM_NCHITTEST, 0, MAKELPARAM(screenPoint.x, screenPoint.y)));
    if (hitTest == HTCLIENT)
        return framehelp_detail::ClientContext(hHit, screenPoint);
    if (hitTest <= HTNOWHERE)
        return static_cast<DWORD_PTR>(-1);
    return HID_BASE_NCAREAS + static_cast<DWORD_PTR>(hitTest);
}
