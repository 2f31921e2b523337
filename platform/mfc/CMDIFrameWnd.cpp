#include "platform/mfc/CMDIFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CCreateContext.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/mdi/winmdi.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_CLOSE()
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // The application's name leads the caption: "Frame - Document".
    const bool addToTitle = (cs.style & FWS_ADDTOTITLE) != 0;
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    if (addToTitle)
        cs.style &= ~FWS_PREFIXTITLE;
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU hMenuBar = lpcs->hMenu;
    CMenu* pWindowMenu = hMenuBar ? CMenu::FromHandle(GetWindowMenuPopup(hMenuBar)) : nullptr;
    return CreateClient(lpcs, pWindowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = CMenu::GetSafeHmenuOf(pWindowMenu);
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL |
                    MDIS_ALLCHILDSTYLES;
    if (lpCreateStruct)
        dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
    tw::mdi::RegisterMdiClientClass();
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                       AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar)
        return nullptr;
    const int nItems = ::GetMenuItemCount(hMenuBar);
    for (int iItem = nItems - 1; iItem >= 0; --iItem) {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (!hMenuPop)
            continue;
        const int nSubItems = ::GetMenuItemCount(hMenuPop);
        for (int i = 0; i < nSubItems; ++i) {
            const UINT nID = ::GetMenuItemID(hMenuPop, i);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
                return hMenuPop;
        }
    }
    // Without Window commands the convention is the popup left of Help.
    return nItems >= 2 ? ::GetSubMenu(hMenuBar, nItems - 2) : nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (!m_hWndMDIClient) {
        if (pbMaximized)
            *pbMaximized = FALSE;
        return nullptr;
    }
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(pbMaximized)));
    return dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(hWnd));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(CWnd::GetSafeHwndOf(pWndActivate)), 0);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(CWnd::GetSafeHwndOf(pWnd)), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(CWnd::GetSafeHwndOf(pWnd)), 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = reinterpret_cast<HMENU>(::SendMessage(m_hWndMDIClient, WM_MDISETMENU,
                                                       reinterpret_cast<WPARAM>(CMenu::GetSafeHmenuOf(pFrameMenu)),
                                                       reinterpret_cast<LPARAM>(CMenu::GetSafeHmenuOf(pWindowMenu))));
    return CMenu::FromHandle(hOld);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (CMDIChildWnd* pActive = MDIGetActive()) {
        pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
        return;
    }
    if (!hMenuAlt)
        hMenuAlt = m_hMenuDefault;
    if (!hMenuAlt)
        return;
    MDISetMenu(CMenu::FromHandle(hMenuAlt), CMenu::FromHandle(GetWindowMenuPopup(hMenuAlt)));
    ::DrawMenuBar(m_hWnd);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild ? static_cast<CFrameWnd*>(pActiveChild) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    if (CDocument* pDocument = CFrameWnd::GetActiveDocument())
        return pDocument;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    return pActiveChild ? pActiveChild->GetActiveDocument() : nullptr;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild && pActiveChild->m_hAccelTable)
        return pActiveChild->m_hAccelTable;
    return m_hAccelTable;
}

// A maximised child's name goes in brackets after the base title, which the
// MDI client adds itself; the document's name is added only otherwise.
void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveChild = MDIGetActive(&bMaximized);
    if (!pActiveChild || bMaximized || pActiveChild->IsZoomed()) {
        UpdateFrameTitleForDocument(nullptr);
        return;
    }
    CDocument* pDocument = pActiveChild->GetActiveDocument();
    if (bAddToTitle && pDocument) {
        // The child's number goes with the name, so the title says which of a document's windows is active.
        CString name = pDocument->GetTitle();
        if (pActiveChild->m_nWindow > 0) {
            CString number;
            number.Format(":%d", pActiveChild->m_nWindow);
            name += number;
        }
        UpdateFrameTitleForDocument(name);
        return;
    }
    const CString childTitle = pActiveChild->GetTitle();
    UpdateFrameTitleForDocument(childTitle.IsEmpty() ? nullptr : static_cast<LPCTSTR>(childTitle));
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWndMDIClient && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

// The active child (its view, its document, itself), then this frame and the application.
BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* pActiveChild = MDIGetActive()) {
        if (pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

// Another frame on the active child's document, of the same class.
void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild ? pActiveChild->GetActiveDocument() : nullptr;
    CView* pView = pActiveChild ? pActiveChild->GetActiveView() : nullptr;
    if (!pDocument || !pView)
        return;
    CCreateContext context;
    context.m_pCurrentDoc = pDocument;
    context.m_pNewViewClass = pView->GetRuntimeClass();
    context.m_pCurrentFrame = pActiveChild;
    auto* pFrame = dynamic_cast<CMDIChildWnd*>(pActiveChild->GetRuntimeClass()->CreateObject());
    if (!pFrame)
        return;
    pFrame->m_hMenuShared = pActiveChild->m_hMenuShared;
    CString title;
    pActiveChild->GetWindowText(title);
    if (!pFrame->Create(nullptr, title, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, rectDefault, this, nullptr,
                        0, &context))
        return;  // a failed frame has deleted itself
    pFrame->InitialUpdateFrame(pDocument, TRUE);
}

// Children close first, each asking about its own document; one that refuses keeps the frame open.
void CMDIFrameWnd::OnClose()
{
    if (m_lpfnCloseProc)
        return CFrameWnd::OnClose();  // the preview goes, not the children
    while (CMDIChildWnd* pChild = MDIGetActive()) {
        HWND hChild = pChild->m_hWnd;
        pChild->SendMessage(WM_CLOSE);
        if (::IsWindow(hChild))
            return;
    }
    CFrameWnd::OnClose();
}
