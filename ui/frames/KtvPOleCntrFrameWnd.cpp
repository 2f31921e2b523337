#include "ui/frames/KtvPOleCntrFrameWnd.h"

#include "platform/mfc/CArray.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/frames/KtvPFrameImpl.h"

IMPLEMENT_DYNAMIC(CKtvPOleCntrFrameWnd, COleCntrFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPOleCntrFrameWnd, COleCntrFrameWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPOleCntrFrameWnd::CKtvPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : m_pInPlaceFrame(pInPlaceFrame) {}

CKtvPOleCntrFrameWnd::~CKtvPOleCntrFrameWnd() = default;

BOOL CKtvPOleCntrFrameWnd::ShowControlBars(BOOL bShow)
{
    const BOOL bResult = m_dockManager.ShowControlBars(bShow);
    AdjustDockingLayout(nullptr);
    return bResult;
}

void CKtvPOleCntrFrameWnd::AdjustDockingLayout(HDWP)
{
    RenegotiateBorder();
}

BOOL CKtvPOleCntrFrameWnd::OnMoveMiniFrame(CWnd* pFrame)
{
    return m_dockManager.OnMoveMiniFrame(pFrame);
}

BOOL CKtvPOleCntrFrameWnd::AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pControlBar, bTail, FALSE, FALSE);
}

BOOL CKtvPOleCntrFrameWnd::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                                            BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pControlBar, pTarget, bAfter);
}

void CKtvPOleCntrFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy,
                                                           BOOL bAdjustLayout, BOOL bAutoHide)
{
    m_dockManager.RemoveControlBarFromDockManager(pControlBar, bDestroy, bAdjustLayout, bAutoHide);
    AdjustDockingLayout(nullptr);
}

void CKtvPOleCntrFrameWnd::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
    AdjustDockingLayout(nullptr);
}

CKtvPBaseControlBar* CKtvPOleCntrFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                               CRuntimeClass* pRTCBarType)
{
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKtvPOleCntrFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge)
{
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

void CKtvPOleCntrFrameWnd::RenegotiateBorder()
{
    // A server document negotiates border space only while it is active in
    // place, which never happens on this platform: there is nothing to ask.
}

BOOL CKtvPOleCntrFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dockManager.Create(this);
    return CFrameWnd::PreCreateWindow(cs);
}

void CKtvPOleCntrFrameWnd::RecalcLayout(BOOL bNotify)
{
    RenegotiateBorder();
    m_dockManager.AdjustDockingLayout(nullptr);
    m_dockManager.RecalcLayout(bNotify);

    if (m_dockManager.IsPrintPreviewValid()) {
        if (CWnd* pPreview = CKtvPFrameImpl::GetPrintPreviewView(this)) {
            const CRect rect = m_dockManager.GetClientAreaBounds();
            pPreview->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (m_pInPlaceFrame != nullptr && ::IsWindow(m_pInPlaceFrame->GetSafeHwnd()))
        m_pInPlaceFrame->RecalcLayout(bNotify);
}

void CKtvPOleCntrFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        AdjustDockingLayout(nullptr);
}

LRESULT CKtvPOleCntrFrameWnd::OnSizing(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const CRect* pRectNew = reinterpret_cast<const CRect*>(lParam);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (pRectNew != nullptr && pRectNew->Size() != rectWindow.Size())
        AdjustDockingLayout(nullptr);
    return lResult;
}

LRESULT CKtvPOleCntrFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    COleCntrFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI, 0, 0);
    const CObList& bars = m_dockManager.GetControlBars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CWnd*>(bars.GetNext(pos));
        if (::IsWindow(pBar->GetSafeHwnd()))
            pBar->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    }
    return 0;
}

void CKtvPOleCntrFrameWnd::OnDestroy()
{
    // The wrapped window is the container's: only what the server's docking
    // put there goes, told apart by the dock manager's own lists.
    CArray<HWND, HWND> windows;
    for (const CObList* list : {&m_dockManager.GetMiniFrames(), &m_dockManager.GetControlBars()}) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            windows.Add(static_cast<CWnd*>(list->GetNext(pos))->GetSafeHwnd());
    }
    for (INT_PTR i = 0; i < windows.GetSize(); i++) {
        if (::IsWindow(windows[i]))
            ::DestroyWindow(windows[i]);
    }
    COleCntrFrameWnd::OnDestroy();
}
