#include "platform/mfc/CMDIChildWnd.h"

#include "platform/mfc/AfxThreadState.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/mdi/winmdi.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
END_MESSAGE_MAP()

namespace mdi_child_detail {

CString FirstField(const CString& text)
{
    const int end = text.Find('\n');
    return end < 0 ? text : text.Left(end);
}

}  // namespace mdi_child_detail

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_PREFIXTITLE;  // a child's caption is the document's name alone
    cs.dwExStyle |= WS_EX_MDICHILD;
    return TRUE;
}

// Children are made by the MDI client; the object takes the window at its first message.
BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD, CCreateContext* pContext)
{
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd);
    if (!pMDIFrame || !pMDIFrame->m_hWndMDIClient) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (lpszMenuName && !m_hMenuShared)
        m_hMenuShared = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);

    CREATESTRUCT cs{};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle | WS_CHILD);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = CWnd::ExtentOf(rect.left, rect.right);
    cs.cy = CWnd::ExtentOf(rect.top, rect.bottom);
    cs.hwndParent = pMDIFrame->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";

    MDICREATESTRUCT mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    // Shown when ready (ActivateFrame), so the client activates a finished child.
    mcs.style = static_cast<DWORD>(cs.style) & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(pContext);

    tw::mfc::ThreadState& state = tw::mfc::CurrentThreadState();
    CWnd* outerInit = state.pWndInit;
    const bool outerIsDialog = state.initIsDialog;
    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessage(pMDIFrame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    state.pWndInit = outerInit;
    state.initIsDialog = outerIsDialog;
    if (!hWnd)
        return FALSE;  // the window, if any was made, went with its object at WM_NCDESTROY
    if (dwStyle & WS_VISIBLE) {
        ::ShowWindow(hWnd, (dwStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        pMDIFrame->MDIActivate(this);
    }
    return m_hWnd == hWnd;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_nIDResource = nIDResource;
    CString fullString;
    fullString.LoadString(nIDResource);
    const CString title = mdi_child_detail::FirstField(fullString);
    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    // The document type's menu is its template's, shared by all its children.
    if (!m_hMenuShared && pContext && pContext->m_pNewDocTemplate)
        m_hMenuShared = pContext->m_pNewDocTemplate->m_hMenuShared;
    if (!m_hMenuShared)
        m_hMenuShared = ::LoadMenu(hInst, MAKEINTRESOURCE(nIDResource));
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    return Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    const auto* mcs = static_cast<const MDICREATESTRUCT*>(lpcs->lpCreateParams);
    auto* pContext = mcs ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr;
    return OnCreateHelper(lpcs, pContext);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hClient = ::GetParent(m_hWnd);
    return hClient ? dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(hClient))) : nullptr;
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

// The client takes the child out of its list before the window goes.
BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();  // this object is gone after the next line
    MDIDestroy();
    if (pFrame)
        pFrame->OnUpdateFrameTitle(TRUE);
    return TRUE;
}

// Maximising or restoring moves the child's name between the frame's title and its brackets.
void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED) {
        if (CMDIFrameWnd* pFrame = GetMDIFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        BOOL bMaximized = FALSE;
        CMDIFrameWnd* pFrame = GetMDIFrame();
        CMDIChildWnd* pActive = pFrame ? pFrame->MDIGetActive(&bMaximized) : nullptr;
        // A new child follows a maximised one in being maximised.
        nCmdShow = (pActive && pActive != this && bMaximized) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        if (IsWindowVisible() && !IsIconic())
            nCmdShow = -1;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    MDIActivate();
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // The MDI frame translates the keys with this child's table; only the window's own chain runs here.
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    HWND hDeactivate = reinterpret_cast<HWND>(wParam);
    HWND hActivate = reinterpret_cast<HWND>(lParam);
    OnMDIActivate(hActivate == m_hWnd, CWnd::FromHandle(hActivate), CWnd::FromHandle(hDeactivate));
    return lResult;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    // Going from one child to another, the arriving child sets its own menu.
    if (bActivate || !pActivateWnd)
        OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    if (m_pViewActive)
        m_pViewActive->OnActivateView(bActivate, m_pViewActive, m_pViewActive);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd*, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (!pFrame)
        return;
    HMENU hMenu = hMenuAlt;
    if (!hMenu)
        hMenu = bActivate && m_hMenuShared ? m_hMenuShared : pFrame->m_hMenuDefault;
    if (!hMenu)
        return;
    pFrame->MDISetMenu(CMenu::FromHandle(hMenu), CMenu::FromHandle(pFrame->GetWindowMenuPopup(hMenu)));
    ::DrawMenuBar(pFrame->m_hWnd);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDocument) {
        CString text = pDocument->GetTitle();
        if (m_nWindow > 0) {
            CString number;
            number.Format(":%d", m_nWindow);
            text += number;
        }
        CString current;
        GetWindowText(current);
        if (current != text)
            SetWindowText(text);
    }
    if (pFrame)
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::OnDestroy()
{
    // The last child gone: the frame shows its own menu again.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame) {
        HWND hActiveAfter = nullptr;
        for (HWND h = ::GetWindow(::GetParent(m_hWnd), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (h != m_hWnd && (::GetWindowLongPtr(h, GWL_EXSTYLE) & WS_EX_MDICHILD))
                hActiveAfter = h;
        }
        if (!hActiveAfter)
            OnUpdateFrameMenu(FALSE, nullptr, nullptr);
    }
    CFrameWnd::OnDestroy();
}
