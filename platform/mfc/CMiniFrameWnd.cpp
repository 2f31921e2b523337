#include "platform/mfc/CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    // Named by its type: with the base's forms in scope, seven arguments fit two of them.
    BOOL (CMiniFrameWnd::*createEx)(DWORD, LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT) =
        &CMiniFrameWnd::CreateEx;
    return (this->*createEx)(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName ? lpWindowName : "";
    // A popup has no id of its own: nID only names child mini frames.
    HMENU hMenuOrId = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          CWnd::ExtentOf(rect.left, rect.right), CWnd::ExtentOf(rect.top, rect.bottom),
                          CWnd::GetSafeHwndOf(pParentWnd), hMenuOrId, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    return TRUE;
}

// While the owner is the active window, a synchronised mini frame shows an active caption too.
BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if ((GetStyle() & MFS_SYNCACTIVE) && !bActive) {
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hOwner && ::GetActiveWindow() == hOwner)
            bActive = TRUE;
    }
    return CFrameWnd::OnNcActivate(bActive);
}
