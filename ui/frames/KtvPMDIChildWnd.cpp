#include "ui/frames/KtvPMDIChildWnd.h"

#include "platform/mfc/CSplitterWnd.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPDlgImpl.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CKtvPMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CKtvPMDIChildWnd, CMDIChildWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_SETICON, OnSetIcon)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGING()  // default processing
    ON_WM_GETMINMAXINFO()  // default processing
END_MESSAGE_MAP()

BOOL CKtvPMDIChildWnd::m_bActivating = FALSE;

CKtvPMDIChildWnd::CKtvPMDIChildWnd()
    : m_pMDIFrame(nullptr), m_bToBeDestroyed(FALSE), m_bWasMaximized(FALSE), m_bIsMinimized(FALSE)
{
}

CKtvPMDIChildWnd::~CKtvPMDIChildWnd() = default;

void CKtvPMDIChildWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (m_dockManager.IsInAdjustLayout())
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
}

BOOL CKtvPMDIChildWnd::OnMoveMiniFrame(CWnd* pFrame)
{
    return m_dockManager.OnMoveMiniFrame(pFrame);
}

CString CKtvPMDIChildWnd::GetFrameText() const
{
    CString strText;
    GetWindowText(strText);
    return strText;
}

HICON CKtvPMDIChildWnd::GetFrameIcon() const
{
    HICON hIcon = reinterpret_cast<HICON>(::SendMessage(GetSafeHwnd(), WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(GetSafeHwnd(), GCLP_HICONSM));
    return hIcon;
}

BOOL CKtvPMDIChildWnd::CanShowOnMDITabs()
{
    return TRUE;
}

BOOL CKtvPMDIChildWnd::AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pControlBar, bTail, FALSE, FALSE);
}

BOOL CKtvPMDIChildWnd::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pControlBar, pTarget, bAfter);
}

void CKtvPMDIChildWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy,
                                                       BOOL bAdjustLayout, BOOL bAutoHide)
{
    m_dockManager.RemoveControlBarFromDockManager(pControlBar, bDestroy, bAdjustLayout, bAutoHide);
}

void CKtvPMDIChildWnd::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT)
{
    const BOOL bCouldFloat = (pBar->GetControlBarStyle() & KTVP_CBRS_FLOAT) != 0;
    if (bCouldFloat)
        pBar->SetControlBarStyle(pBar->GetControlBarStyle() & ~KTVP_CBRS_FLOAT);

    if (pBar->CanBeResized() || bCouldFloat) {
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_dockManager.DockControlBar(pBar, nDockBarID, nullptr);
    } else {
        AddControlBar(pBar, TRUE);
    }
}

CKtvPBaseControlBar* CKtvPMDIChildWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                           CRuntimeClass* pRTCBarType)
{
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKtvPMDIChildWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge)
{
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

void CKtvPMDIChildWnd::AdjustClientArea()
{
    CWnd* pView = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pView == nullptr)
        return;

    DWORD dwAdd = WS_CLIPSIBLINGS;
    if (!pView->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        dwAdd |= WS_CLIPCHILDREN;
    pView->ModifyStyle(0, dwAdd);

    const CRect rectFree = m_dockManager.GetClientAreaBounds();
    const int x = rectFree.left + m_rectBorder.left;
    const int y = rectFree.top + m_rectBorder.top;
    pView->SetWindowPos(&wndBottom, x, y, rectFree.right - m_rectBorder.right - x,
                        rectFree.bottom - m_rectBorder.bottom - y, SWP_NOACTIVATE);
}

BOOL CKtvPMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dockManager.Create(this);
    return CMDIChildWnd::PreCreateWindow(cs);
}

void CKtvPMDIChildWnd::ActivateFrame(int nCmdShow)
{
    // Switching between maximised children repaints the client once.
    CWnd* pClient = GetParent();
    if (pClient != nullptr)
        pClient->SendMessage(WM_SETREDRAW, FALSE);
    CMDIChildWnd::ActivateFrame(nCmdShow);
    if (pClient != nullptr) {
        pClient->SendMessage(WM_SETREDRAW, TRUE);
        pClient->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void CKtvPMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    CKtvPFrameImpl::RecalcFrameLayout(this, m_dockManager, m_bIsMinimized, bNotify);
}

void CKtvPMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->m_wndClientArea.UpdateTabs(FALSE);
}

BOOL CKtvPMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // Keys for an open library menu go on to the main frame, which hands them to it.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_pMDIFrame != nullptr &&
        CKtvPDlgImpl::GetOpenPopup() != nullptr)
        return FALSE;
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}

int CKtvPMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    m_pMDIFrame = pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKtvPMDIFrameWnd))
                      ? static_cast<CKtvPMDIFrameWnd*>(pFrame)
                      : nullptr;
    return 0;
}

LRESULT CKtvPMDIChildWnd::OnMDIActivateMessage(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const HWND hDeactivate = reinterpret_cast<HWND>(wParam);
    const HWND hActivate = reinterpret_cast<HWND>(lParam);
    OnMDIActivate(hActivate == m_hWnd, CWnd::FromHandle(hActivate), CWnd::FromHandle(hDeactivate));
    return lResult;
}

void CKtvPMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    m_dockManager.OnActivateFrame(bActivate);

    if (m_bActivating)
        return;
    m_bActivating = TRUE;
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (bActivate && m_pMDIFrame != nullptr && pActivateWnd != nullptr)
        m_pMDIFrame->m_wndClientArea.SetActiveTab(pActivateWnd->GetSafeHwnd());
    m_bActivating = FALSE;
}

LRESULT CKtvPMDIChildWnd::OnSetText(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->m_wndClientArea.UpdateTabs(TRUE);
    return lResult;
}

LRESULT CKtvPMDIChildWnd::OnSetIcon(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->m_wndClientArea.UpdateTabs(FALSE);
    return lResult;
}

void CKtvPMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    // The MDI client is destroying this child: nothing is laid out any more.
    if (m_bToBeDestroyed)
        return;

    m_bIsMinimized = (nType == SIZE_MINIMIZED);

    if (nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED || m_bWasMaximized) {
        CMDIChildWnd::OnSize(nType, cx, cy);
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
            RecalcLayout(TRUE);
        m_bWasMaximized = (nType == SIZE_MAXIMIZED);
        return;
    }

    m_dockManager.DisableRecalcLayout(TRUE);
    CMDIChildWnd::OnSize(nType, cx, cy);
    AdjustDockingLayout(nullptr);
    m_dockManager.DisableRecalcLayout(FALSE);
}

LRESULT CKtvPMDIChildWnd::OnSizing(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const CRect* pRectNew = reinterpret_cast<const CRect*>(lParam);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (pRectNew != nullptr && pRectNew->Size() != rectWindow.Size())
        AdjustDockingLayout(nullptr);
    return lResult;
}

void CKtvPMDIChildWnd::OnDestroy()
{
    // The child's floating bars, then its docked ones, before the child itself.
    const CObList& miniFrames = m_dockManager.GetMiniFrames();
    CArray<HWND, HWND> floating;
    for (POSITION pos = miniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pMiniFrame = static_cast<CWnd*>(miniFrames.GetNext(pos));
        floating.Add(pMiniFrame->GetSafeHwnd());
    }
    for (INT_PTR i = 0; i < floating.GetSize(); i++) {
        if (::IsWindow(floating[i]))
            ::DestroyWindow(floating[i]);
    }
    CKtvPFrameImpl::DestroyChildWindows(this);
    CMDIChildWnd::OnDestroy();
}
