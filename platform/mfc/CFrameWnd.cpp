#include "platform/mfc/CFrameWnd.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/menu/winmenu.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopupMessage)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMessage)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace frame_detail {

// The first field of a frame's resource string is its title.
CString FirstField(const CString& text)
{
    const int end = text.Find('\n');
    return end < 0 ? text : text.Left(end);
}

}  // namespace frame_detail

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!lpLayout || !lpLayout->hDWP) {
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
        return;
    }
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                      lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
}

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (m_hAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName) {
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (!hMenu)
            return FALSE;
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    if (!CWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                        CWnd::ExtentOf(rect.left, rect.right), CWnd::ExtentOf(rect.top, rect.bottom),
                        CWnd::GetSafeHwndOf(pParentWnd), hMenu, pContext)) {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_nIDResource = nIDResource;
    CString fullString;
    fullString.LoadString(nIDResource);
    const CString title = frame_detail::FirstField(fullString);

    HINSTANCE hInst = AfxGetResourceHandle();
    HICON hIcon = ::LoadIcon(hInst, MAKEINTRESOURCE(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    HMENU hMenu = ::LoadMenu(hInst, MAKEINTRESOURCE(nIDResource));
    m_strTitle = title;
    if (!CWnd::CreateEx(0, lpszClass, title, dwDefaultStyle, rectDefault.left, rectDefault.top, 0, 0,
                        CWnd::GetSafeHwndOf(pParentWnd), hMenu, pContext)) {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    auto* pView = dynamic_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (!pView)
        return nullptr;
    // A view that fails to be made has deleted itself (PostNcDestroy): it must not be touched again.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) {
        // The shared default menu goes with us, not the one borrowed from a child.
        ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    m_pViewActive = nullptr;
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == this) {
        // The main window's end is the thread's end, also when it is a frame.
        ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    if (m_lpfnCloseProc) {
        m_lpfnCloseProc(this);
        return;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        // Closing the main window ends the program: every document is asked
        // to save, all are closed, then the window goes (and with it the
        // message loop), never just the active document.
        // A document no template keeps is asked on its own; the templates'
        // documents are asked by the application, each once.
        CDocument* pLoose = GetActiveDocument();
        if (pLoose != nullptr && pLoose->GetDocTemplate() == nullptr && !pLoose->CanCloseFrame(this))
            return;
        if (!pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (::IsWindow(m_hWnd))
            DestroyWindow();
        return;
    }
    if (CDocument* pDocument = GetActiveDocument()) {
        if (!pDocument->CanCloseFrame(this))
            return;
        // The last frame of a document closes the document, which destroys the frame.
        BOOL bOtherFrame = FALSE;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos) {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this)
                bOtherFrame = TRUE;
        }
        if (!bOtherFrame) {
            pDocument->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnAppExit()
{
    SendMessage(WM_CLOSE);
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// --- layout -----------------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    RecalcLayout(bNotify);
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout{};
    const bool bQuery = (nFlags & ~reposNoPosLeftOver) == reposQuery;
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    if (!bQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nIDChild = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (nIDChild == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDChild >= nIDFirst && nIDChild <= nIDLast)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (bQuery) {
        if (lpRectParam)
            *lpRectParam = layout.rect;
        return;
    }
    if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (hWndLeftOver && !(nFlags & reposNoPosLeftOver))
        AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

// A frame's own answer to the reposition query: it takes the border space it was given.
LRESULT CFrameWnd::OnSizeParent(WPARAM, LPARAM)
{
    return 0;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    CRect border;
    CRect request;
    switch (nBorderCmd) {
    case borderGet:
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        return TRUE;
    case borderRequest:
        // Space is granted when the free client area can hold it.
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &border);
        request = *lpRectBorder;
        return request.left + request.right <= border.Width() && request.top + request.bottom <= border.Height();
    case borderSet:
        if (lpRectBorder)
            m_rectBorder = *lpRectBorder;
        else
            m_rectBorder.SetRectEmpty();
        RecalcLayout();
        return TRUE;
    default:
        return FALSE;
    }
}

// --- views and documents ------------------------------------------------------------------------

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

// The first pane may sit inside a splitter, which takes the same id.
CView* CFrameWnd::FirstPaneView() const
{
    HWND hWnd = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    while (hWnd) {
        if (auto* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(hWnd)))
            return pView;
        hWnd = ::GetDlgItem(hWnd, AFX_IDW_PANE_FIRST);
    }
    return nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView() ? nullptr : FirstPaneView();
    if (bMakeVisible && pView)
        SetActiveView(pView);
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible) {
        ActivateFrame(-1);
        if (pView && pView->m_hWnd)
            pView->SetFocus();
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString text;
    CString docName = lpszDocName ? lpszDocName : "";
    if (!docName.IsEmpty() && m_nWindow > 0) {
        CString number;
        number.Format(":%d", m_nWindow);
        docName += number;
    }
    if (docName.IsEmpty())
        text = m_strTitle;
    else if (GetStyle() & FWS_PREFIXTITLE)
        text = docName + " - " + m_strTitle;
    else
        text = m_strTitle + " - " + docName;
    // Setting the same text again would only flicker the caption.
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

// --- commands -------------------------------------------------------------------------------------

// The active view (and through it its document), then the frame itself; a top-level
// frame ends with the application, while a frame inside another leaves that to the outer one.
BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* pView = GetActiveView()) {
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (GetParentFrame())
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HACCEL hAccel = GetDefaultAccelerator();
    if (hAccel && ::TranslateAccelerator(m_hWnd, hAccel, pMsg))
        return TRUE;
    // Shift+F1 starts context help even where the keys do not name it.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && ::GetKeyState(VK_SHIFT) < 0 &&
        ::GetKeyState(VK_CONTROL) >= 0) {
        PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
        return TRUE;
    }
    return FALSE;
}

LRESULT CFrameWnd::OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam)
{
    Default();
    OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
    return 0;
}

// Each item asks its update handlers; with m_bAutoMenuEnable an item whose command
// nobody handles is greyed. Popups and system commands keep their state.
void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || !pMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            state.m_pSubMenu = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu || state.m_pSubMenu->GetMenuItemCount() == 0)
                continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.DoUpdate(this, FALSE);
            state.m_pSubMenu = nullptr;
            continue;
        }
        state.m_pSubMenu = nullptr;
        state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        state.m_nIndexMax = pMenu->GetMenuItemCount();  // a handler may have changed the menu
    }
}

// --- prompts ----------------------------------------------------------------------------------------

LRESULT CFrameWnd::OnMenuSelectMessage(WPARAM wParam, LPARAM lParam)
{
    OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
    return 0;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu) {
        // The menu closed.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
        m_nIDTracking = 0;
    } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
        // System commands prompt with their own strings, kept in the same range.
        m_nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);
    } else {
        m_nIDTracking = nItemID;
    }
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString full;
    if (!full.LoadString(nID)) {
        rMessage.Empty();
        return;
    }
    rMessage = frame_detail::FirstField(full);
}

// A tool's tip is the second field of its command's prompt string ("prompt\ntip").
BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTTT = reinterpret_cast<TOOLTIPTEXT*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    if (pTTT->uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    CString tip;
    CString full;
    // A separator has id 0 and no tip.
    if (nID != 0 && full.LoadString(static_cast<UINT>(nID))) {
        const int start = full.Find('\n');
        if (start >= 0) {
            tip = full.Mid(start + 1);
            const int end = tip.Find('\n');
            if (end >= 0)
                tip = tip.Left(end);
        }
    }
    ::lstrcpyn(pTTT->szText, tip, static_cast<int>(sizeof pTTT->szText));
    pTTT->lpszText = pTTT->szText;
    if (pResult)
        *pResult = 0;
    // Above any floating window of the frame.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

CWnd* CFrameWnd::GetMessageBar()
{
    HWND hBar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    return hBar ? CWnd::FromHandle(hBar) : nullptr;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    CString message;
    if (lParam) {
        message = reinterpret_cast<LPCTSTR>(lParam);
    } else if (wParam == AFX_IDS_IDLEMESSAGE) {
        if (!message.LoadString(AFX_IDS_IDLEMESSAGE))
            message = "Ready";
    } else if (wParam != 0) {
        GetMessageString(static_cast<UINT>(wParam), message);
    }
    if (CWnd* pBar = GetMessageBar())
        pBar->SetWindowText(message);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    OnUpdateFrameTitle(TRUE);
    return 0;
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (!hMenuAlt)
        hMenuAlt = m_hMenuDefault;
    if (::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

// --- floating windows -------------------------------------------------------------------------------

// Popups this frame owns with MFS_SYNCACTIVE show the frame's activation in their captions.
void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    HWND hWndParent = m_hWnd;
    for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd == hWndParent || ::GetWindow(hWnd, GW_OWNER) != hWndParent)
            continue;
        ::SendMessage(hWnd, WM_FLOATSTATUS, dwFlags, 0);
    }
}

// A mini frame answers the activation question itself; a plain frame stays out of it.
LRESULT CFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & FS_SYNCACTIVE)
        return (GetStyle() & MFS_SYNCACTIVE) && ::GetWindow(m_hWnd, GW_OWNER) != nullptr;
    if (GetStyle() & MFS_SYNCACTIVE) {
        if (wParam & FS_ACTIVATE)
            SendMessage(WM_NCACTIVATE, TRUE);
        else if (wParam & FS_DEACTIVATE)
            SendMessage(WM_NCACTIVATE, FALSE);
    }
    return 0;
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (GetParentFrame())
        return;
    // Deactivated in favour of one of our floating windows: the caption stays active.
    const bool bToSyncedFloat = nState == WA_INACTIVE && pWndOther && pWndOther->m_hWnd &&
                                ::GetWindow(pWndOther->m_hWnd, GW_OWNER) == m_hWnd &&
                                ::SendMessage(pWndOther->m_hWnd, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
    if (bToSyncedFloat) {
        m_nFlags |= WF_STAYACTIVE;
        SendMessage(WM_NCACTIVATE, TRUE);
        return;
    }
    m_nFlags &= ~WF_STAYACTIVE;
    if (nState != WA_INACTIVE) {
        NotifyFloatingWindows(FS_ACTIVATE);
        if (m_pViewActive)
            m_pViewActive->OnActivateFrame(nState, this);
    } else {
        SendMessage(WM_NCACTIVATE, FALSE);
        NotifyFloatingWindows(FS_DEACTIVATE);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    m_bLastNcActive = bActive;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}
