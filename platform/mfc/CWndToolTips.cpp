// The tooltip path of the framework's windows: a window that enabled tooltips
// asks OnToolHitTest, as the mouse moves over it, which tool lies under the
// mouse; the thread's one tooltip window holds only that tool, and the mouse
// messages are relayed to it so that its own delays decide when the tip shows.
#include "platform/mfc/CWnd.h"

#include <cstdlib>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/AfxThreadState.h"

namespace tw::mfc::tooltip_detail {

bool TracksTheMouse(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
           message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

bool IsKey(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}

// A press hides the tip: the user is acting on the tool, not reading about it.
bool CancelsTheTip(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
        return true;
    default:
        return IsKey(message);
    }
}

bool NoButtonHeld()
{
    return ::GetKeyState(VK_LBUTTON) >= 0 && ::GetKeyState(VK_RBUTTON) >= 0 && ::GetKeyState(VK_MBUTTON) >= 0;
}

// The nearest window, from hWnd up, that shows tooltips.
CWnd* ToolTipOwnerOf(HWND hWnd)
{
    for (HWND h = hWnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd && (pWnd->m_nFlags & WF_TOOLTIPS))
            return pWnd;
    }
    return nullptr;
}

void ForgetLastTool(ThreadState& state)
{
    if (state.hLastToolWnd && ::IsWindow(state.hToolTip)) {
        TOOLINFO ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = state.hLastToolWnd;
        ti.uId = state.nLastToolId;
        ::SendMessage(state.hToolTip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
    state.pToolTipLastHit = nullptr;
    state.nToolTipLastHit = -1;
    state.hLastToolWnd = nullptr;
    state.nLastToolId = 0;
}

// Made on first use; made again when the windows of the thread took it with them.
HWND SharedToolTip(ThreadState& state)
{
    if (state.hToolTip && ::IsWindow(state.hToolTip))
        return state.hToolTip;
    state.hToolTip = ::CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                      0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    state.pToolTipLastHit = nullptr;
    state.nToolTipLastHit = -1;
    state.hLastToolWnd = nullptr;
    if (state.hToolTip)
        ::SendMessage(state.hToolTip, TTM_ACTIVATE, FALSE, 0);
    return state.hToolTip;
}

// The tooltip judges a mouse message by the window under the mouse, in that
// window's coordinates, whichever window's queue it came through.
void RelayToToolTip(HWND hToolTip, const MSG& original)
{
    MSG msg = original;
    msg.hwnd = ::WindowFromPoint(original.pt);
    if (!msg.hwnd)
        return;
    POINT point = original.pt;
    ::ScreenToClient(msg.hwnd, &point);
    msg.lParam = MAKELPARAM(point.x, point.y);
    ::SendMessage(hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void FreeToolText(const TOOLINFO& ti)
{
    if (ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACK && !IS_INTRESOURCE(ti.lpszText) && !ti.hinst)
        std::free(ti.lpszText);
}

bool TopParentActive(const CWnd* pWnd)
{
    const CWnd* top = pWnd->GetTopLevelParent();
    return top && ::GetActiveWindow() == top->m_hWnd;
}

}  // namespace tw::mfc::tooltip_detail

namespace tooltip_detail = tw::mfc::tooltip_detail;

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
        return TRUE;
    }
    m_nFlags &= ~WF_TOOLTIPS;
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    if (state.pToolTipLastHit == this) {
        tooltip_detail::ForgetLastTool(state);
        if (::IsWindow(state.hToolTip))
            ::SendMessage(state.hToolTip, TTM_ACTIVATE, FALSE, 0);
    }
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!hChild || hChild == m_hWnd)
        return -1;
    const int id = ::GetDlgCtrlID(hChild);
    // Statics share the "no id" ids and have nothing to say.
    if (id == 0 || id == -1 || id == 0xFFFF)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return id;
}

void PASCAL CWnd::CancelToolTips(BOOL)
{
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    if (state.hToolTip && ::IsWindow(state.hToolTip))
        ::SendMessage(state.hToolTip, TTM_ACTIVATE, FALSE, 0);
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!(m_nFlags & WF_TOOLTIPS) || tooltip_detail::ToolTipOwnerOf(pMsg->hwnd) != this)
        return;
    if (tooltip_detail::CancelsTheTip(pMsg->message)) {
        CancelToolTips(tooltip_detail::IsKey(pMsg->message));
        return;
    }
    if (!tooltip_detail::TracksTheMouse(pMsg->message) || !tooltip_detail::NoButtonHeld())
        return;
    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    HWND hToolTip = tooltip_detail::SharedToolTip(state);
    if (!hToolTip)
        return;

    CPoint point(pMsg->pt);
    ScreenToClient(&point);
    TOOLINFO hit{};
    hit.cbSize = sizeof hit;
    const INT_PTR nHit = OnToolHitTest(point, &hit);
    CWnd* pHitWnd = nHit == -1 ? nullptr : this;
    if (state.nToolTipLastHit == nHit && state.pToolTipLastHit == pHitWnd) {
        if (nHit != -1)
            tooltip_detail::RelayToToolTip(hToolTip, *pMsg);
        tooltip_detail::FreeToolText(hit);
        return;
    }

    // A new tool: the tip holds it alone, added before the old one goes so that
    // moving from tool to tool shows the next tip without the first delay.
    // A tool under the same key (another part of one window) is updated in place.
    const bool sameKey = nHit != -1 && state.hLastToolWnd == hit.hwnd && state.nLastToolId == hit.uId;
    if (nHit != -1) {
        TOOLINFO ti = hit;
        ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
        ::SendMessage(hToolTip, sameKey ? TTM_SETTOOLINFO : TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
        const bool show = (hit.uFlags & TTF_ALWAYSTIP) || tooltip_detail::TopParentActive(this);
        ::SendMessage(hToolTip, TTM_ACTIVATE, show ? TRUE : FALSE, 0);
    } else {
        ::SendMessage(hToolTip, TTM_ACTIVATE, FALSE, 0);
    }
    tooltip_detail::RelayToToolTip(hToolTip, *pMsg);
    if (sameKey)
        state.hLastToolWnd = nullptr;  // kept, not deleted
    tooltip_detail::ForgetLastTool(state);
    if (nHit != -1) {
        state.pToolTipLastHit = pHitWnd;
        state.nToolTipLastHit = nHit;
        state.hLastToolWnd = hit.hwnd;
        state.nLastToolId = hit.uId;
    }
    tooltip_detail::FreeToolText(hit);
}
