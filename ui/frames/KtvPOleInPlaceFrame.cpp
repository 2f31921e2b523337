#include "ui/frames/KtvPOleInPlaceFrame.h"

#include <type_traits>

#include "platform/mfc/CCmdUI.h"
#include "platform/win32/menu/winmenu.h"
#include "platform/mfc/CPreviewView.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/frames/KtvPDlgImpl.h"
#include "ui/frames/KtvPOleCntrFrameWnd.h"

// Both in-place frames bind their dock manager to themselves when they are
// made, so bars can dock in either.
template <class TBase>
CKtvPOleInPlaceFrameT<TBase>::CKtvPOleInPlaceFrameT() : m_Impl(this), m_hwndLastTopLevelFrame(nullptr)
{
    m_dockManager.Create(this);
}

template <class TBase>
CKtvPOleInPlaceFrameT<TBase>::~CKtvPOleInPlaceFrameT() = default;

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::ShowControlBars(BOOL bShow)
{
    const BOOL bResult = m_dockManager.ShowControlBars(bShow);
    AdjustDockingLayout(nullptr);
    return bResult;
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnMoveMiniFrame(CWnd* pFrame)
{
    return m_dockManager.OnMoveMiniFrame(pFrame);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID)
{
    m_Impl.OnShowCustomizeMenu(pMenuPopup, uiToolbarID);
    return TRUE;
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pControlBar, bTail, FALSE, FALSE);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                                                    BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pControlBar, pTarget, bAfter);
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy,
                                                                   BOOL bAdjustLayout, BOOL bAutoHide)
{
    m_dockManager.RemoveControlBarFromDockManager(pControlBar, bDestroy, bAdjustLayout, bAutoHide);
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

template <class TBase>
CKtvPBaseControlBar* CKtvPOleInPlaceFrameT<TBase>::GetControlBar(UINT nID)
{
    return m_dockManager.FindBarByID(nID, TRUE);
}

template <class TBase>
CKtvPBaseControlBar* CKtvPOleInPlaceFrameT<TBase>::ControlBarFromPoint(CPoint point, int nSensitivity,
                                                                       BOOL bExactBar, CRuntimeClass* pRTCBarType)
{
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge)
{
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::ShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay,
                                                  BOOL bActivate)
{
    pBar->ShowControlBar(bShow, bDelay, bActivate);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::ShowPopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    if (!m_Impl.OnShowPopupMenu(pMenuPopup, this))
        return FALSE;
    if (pMenuPopup != nullptr && pMenuPopup->m_bShown)
        return TRUE;
    return this->OnShowPopupMenu(pMenuPopup);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::PreCreateWindow(CREATESTRUCT& cs)
{
    // An in-place frame lives in its container's window: no placement of its own.
    m_Impl.m_pDockManager = &m_dockManager;
    return CFrameWnd::PreCreateWindow(cs);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                             CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    m_Impl.LoadLargeIconsState();
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.FilterFrameMessage(pMsg, CKtvPFrameImpl::FILTER_INPLACE) == CKtvPFrameImpl::FILTER_CONSUMED)
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::RecalcLayout(BOOL bNotify)
{
    TBase::RecalcLayout(bNotify);
    if (this->m_bInRecalcLayout)
        return;
    this->m_bInRecalcLayout = TRUE;

    // The document frame's own layout pass is its dock manager's alone.
    if constexpr (std::is_same_v<TBase, COleIPFrameWnd>)
        m_dockManager.AdjustDockingLayout(nullptr);
    m_dockManager.RecalcLayout(bNotify);

    if (m_dockManager.IsPrintPreviewValid()) {
        if (CWnd* pPreview = CKtvPFrameImpl::GetPrintPreviewView(this)) {
            const CRect rect = m_dockManager.GetClientAreaBounds();
            pPreview->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    this->m_bInRecalcLayout = FALSE;
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    m_dockManager.SetPrintPreviewMode(bPreview, pState);
    const DWORD dwStates = pState != nullptr ? pState->dwStates : 0;
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (pState != nullptr)
        pState->dwStates = dwStates;
    RecalcLayout(TRUE);
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd*)
{
    // A container's frame is wrapped only while a server is active in place,
    // which cannot happen on this platform: only an existing wrapper is kept.
    return pWndFrame != nullptr && pWndFrame->IsKindOf(RUNTIME_CLASS(CKtvPOleCntrFrameWnd));
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnAcceleratorCommand(wParam))
        return TRUE;
    if (CKtvPToolBar::m_bCustomizeMode)
        return FALSE;
    return TBase::OnCommand(wParam, lParam);
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    TBase::OnActivate(nState, pWndOther, bMinimized);

    switch (nState) {
    case WA_CLICKACTIVE:
        this->UpdateWindow();
        [[fallthrough]];
    case WA_ACTIVE:
        // Other parts use this frame as the top level while it is active.
        if (g_pKtvTopLevelFrameOverride != this) {
            m_hwndLastTopLevelFrame = g_pKtvTopLevelFrameOverride != nullptr
                                          ? g_pKtvTopLevelFrameOverride->GetSafeHwnd()
                                          : nullptr;
            g_pKtvTopLevelFrameOverride = this;
        }
        break;
    case WA_INACTIVE:
        m_Impl.DeactivateMenu();
        if (CKtvPPopupMenu* pPopup = CKtvPDlgImpl::GetOpenPopup())
            pPopup->SendMessage(WM_CLOSE);
        HandBackTopLevelFrame();
        break;
    default:
        break;
    }
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::HandBackTopLevelFrame()
{
    if (g_pKtvTopLevelFrameOverride != this)
        return;
    CWnd* pLast = CWnd::FromHandlePermanent(m_hwndLastTopLevelFrame);
    g_pKtvTopLevelFrameOverride = pLast != nullptr && pLast->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                                      ? static_cast<CFrameWnd*>(pLast)
                                      : nullptr;
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnClose()
{
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnDestroy()
{
    if (CKtvPPopupMenu* pPopup = CKtvPDlgImpl::GetOpenPopup())
        pPopup->SendMessage(WM_CLOSE);
    HandBackTopLevelFrame();
    m_Impl.DeactivateMenu();
    if (this->m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(this->m_hAccelTable);
        this->m_hAccelTable = nullptr;
    }
    m_dockManager.EnableAdjustLayout(FALSE);
    CKtvPFrameImpl::DestroyChildWindows(this);
    TBase::OnDestroy();
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnMenuChar(WPARAM wParam, LPARAM)
{
    if (m_Impl.OnMenuChar(CKtvPFrameImpl::MenuCharKey(wParam)))
        return MAKELRESULT(2, 0xFFFF);
    return this->Default();
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    TBase::OnIdleUpdateCmdUI(wParam, lParam);
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI, 0, 0);
    // No container wrapper exists without in-place activation, so there is none to update.
    return 0;
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateNewToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

template <class TBase>
LRESULT CKtvPOleInPlaceFrameT<TBase>::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteToolbar(reinterpret_cast<CKtvPToolBar*>(lParam));
}

template <class TBase>
BOOL CKtvPOleInPlaceFrameT<TBase>::OnBarCheck(UINT nID)
{
    return CKtvPFrameImpl::ToggleControlBar(this, nID);
}

template <class TBase>
void CKtvPOleInPlaceFrameT<TBase>::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CKtvPFrameImpl::UpdateControlBarMenu(this, pCmdUI);
}

template class CKtvPOleInPlaceFrameT<COleIPFrameWnd>;
template class CKtvPOleInPlaceFrameT<COleDocIPFrameWnd>;
