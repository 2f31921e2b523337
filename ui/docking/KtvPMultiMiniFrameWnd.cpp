#include "ui/docking/KtvPMultiMiniFrameWnd.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPCodes.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPLayoutSteps.h"
#include "ui/docking/KtvPSlider.h"

IMPLEMENT_SERIAL(CKtvPMultiMiniFrameWnd, CKtvPMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

BEGIN_MESSAGE_MAP(CKtvPMultiMiniFrameWnd, CKtvPMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_GETMINMAXINFO()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_SETFOCUS()
    ON_WM_SHOWWINDOW()
    ON_REGISTERED_MESSAGE(KTVPMSG_CHECKEMPTYMINIFRAME, OnCheckEmptyState)
END_MESSAGE_MAP()

CKtvPMultiMiniFrameWnd::CKtvPMultiMiniFrameWnd() : m_hLastFocusedBar(nullptr), m_bDroppingAtCursor(FALSE) {}

CKtvPMultiMiniFrameWnd::~CKtvPMultiMiniFrameWnd() = default;

using ktvlayout::AsDockingBar;
using ktvlayout::LeaveAutoHide;
using ktvlayout::TakeOutOfTabbedBar;

namespace {

CPoint CursorPos()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    return pt;
}

// The window that goes on with a drag once its frame has docked: a control bar
// enters its own drag mode, any other window gets the press at the cursor.
void ContinueDrag(CWnd* pWnd, BOOL bChangeHotPoint)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        return;
    }
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        static_cast<CKtvPControlBar*>(pWnd)->EnterDragMode(bChangeHotPoint);
        return;
    }
    CPoint pt = CursorPos();
    pWnd->ScreenToClient(&pt);
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}

}  // namespace

// --- the record -----------------------------------------------------------------------------------------

void CKtvPMultiMiniFrameWnd::Serialize(CArchive& ar)
{
    CKtvPMiniFrameWnd::Serialize(ar);
    if (ar.IsStoring()) {
        m_barContainerManager.Serialize(ar);
        return;
    }
    // A layout that cannot be read takes the window made for it along; the
    // archive deletes the object.
    try {
        m_barContainerManager.Serialize(ar);
    } catch (...) {
        DestroyWindowKeepObject();
        throw;
    }
}

// --- the bars of the layout -----------------------------------------------------------------------------

BOOL CKtvPMultiMiniFrameWnd::CanBeDockedToBar(const CKtvPDockingControlBar* pDockingBar) const
{
    if (pDockingBar == nullptr) {
        return FALSE;
    }
    const CObList& lstBars = m_barContainerManager.GetControlBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos));
        if (pBar->CanAcceptBar(pDockingBar) && pDockingBar->CanAcceptBar(pBar)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKtvPMultiMiniFrameWnd::CanBeAttached() const
{
    return const_cast<CKtvPBarContainerManager&>(m_barContainerManager).CanBeAttached();
}

void CKtvPMultiMiniFrameWnd::AddControlBar(CKtvPBaseControlBar* pWnd)
{
    if (pWnd != nullptr && m_barContainerManager.IsEmpty()) {
        m_barContainerManager.AddControlBar(pWnd);
        CKtvPMiniFrameWnd::AddControlBar(pWnd);
    }
    SetRollUpTimer();
}

void CKtvPMultiMiniFrameWnd::RemoveControlBar(CKtvPBaseControlBar* pWnd, BOOL bDestroy, BOOL bKeepWhenEmpty)
{
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        m_barContainerManager.RemoveControlBarFromContainer(pWnd);
    }
    if (m_barContainerManager.IsEmpty()) {
        CKtvPMiniFrameWnd::RemoveControlBar(pWnd, FALSE, FALSE);
        m_bKeepWhenEmpty = bKeepWhenEmpty;
    } else {
        CKtvPMiniFrameWnd::ReplaceControlBar(pWnd, m_barContainerManager.GetFirstBar());
    }
    if (bDestroy && GetControlBarCount() == 0) {
        PostMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
        KillRollUpTimer();
        return;
    }
    CheckBarCaptions();
    AdjustLayout();
    SendMessage(WM_NCPAINT);
    KillRollUpTimer();
}

void CKtvPMultiMiniFrameWnd::ReplaceControlBar(CKtvPBaseControlBar* pBarOrg, CKtvPBaseControlBar* pBarReplaceWith)
{
    m_barContainerManager.ReplaceControlBar(pBarOrg, pBarReplaceWith);
    SetRollUpTimer();
}

void CKtvPMultiMiniFrameWnd::CheckBarCaptions()
{
    if (GetSafeHwnd() != nullptr && IsWindowVisible()) {
        ShowBarCaptions();
    }
}

// One visible pane leaves its caption to the frame's; several show their own.
void CKtvPMultiMiniFrameWnd::ShowBarCaptions()
{
    if (GetVisibleBarCount() == 1) {
        if (CKtvPBaseControlBar* pBar = m_barContainerManager.GetFirstVisibleBar()) {
            pBar->ShowCaption(FALSE);
        }
        return;
    }
    m_barContainerManager.ShowCaptions(TRUE);
}

int CKtvPMultiMiniFrameWnd::GetControlBarCount() const { return (int)m_barContainerManager.GetControlBars().GetCount(); }

int CKtvPMultiMiniFrameWnd::GetVisibleBarCount() const { return m_barContainerManager.GetVisibleBarCount(); }

CWnd* CKtvPMultiMiniFrameWnd::GetControlBar() const
{
    if (CWnd* pBar = m_hEmbeddedBar != nullptr ? CWnd::FromHandlePermanent(m_hEmbeddedBar) : nullptr) {
        return pBar;
    }
    if (CWnd* pBar = GetFirstVisibleBar()) {
        return pBar;
    }
    return m_barContainerManager.GetFirstBar();
}

CWnd* CKtvPMultiMiniFrameWnd::GetFirstVisibleBar() const { return m_barContainerManager.GetFirstVisibleBar(); }

CString CKtvPMultiMiniFrameWnd::GetCaptionText()
{
    CString strText;
    if (GetVisibleBarCount() == 1) {
        if (CWnd* pBar = GetFirstVisibleBar()) {
            pBar->GetWindowText(strText);
        }
    }
    return strText;
}

void CKtvPMultiMiniFrameWnd::CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult,
                                                    BOOL& bDrawTab, CKtvPDockingControlBar** ppTargetBar)
{
    if (m_bRolledUp) {
        rectResult.SetRectEmpty();
        bDrawTab = FALSE;
        if (ppTargetBar != nullptr) {
            *ppTargetBar = nullptr;
        }
        return;
    }
    globalUtils.CalcExpectedDockedRect(m_barContainerManager, pWndToDock, ptMouse, rectResult, bDrawTab, ppTargetBar);
}

CKtvPBaseControlBar* CKtvPMultiMiniFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity,
                                                                 BOOL bCheckVisibility)
{
    if (bCheckVisibility && !IsWindowVisible()) {
        return nullptr;
    }
    BOOL bTabArea = FALSE;
    BOOL bCaption = FALSE;
    return m_barContainerManager.ControlBarFromPoint(point, nSensitivity, TRUE, bTabArea, bCaption);
}

void CKtvPMultiMiniFrameWnd::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    HDWP hdwp = ::BeginDeferWindowPos(20);
    m_barContainerManager.ResizeBarContainers(rectClient, hdwp);
    if (hdwp != nullptr) {
        ::EndDeferWindowPos(hdwp);
    }
}

BOOL CKtvPMultiMiniFrameWnd::SaveState(LPCTSTR lpszProfileName, UINT uiID)
{
    const CObList& lstBars = m_barContainerManager.GetControlBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos))->SaveState(lpszProfileName, (int)uiID, (UINT)-1);
    }
    return TRUE;
}

BOOL CKtvPMultiMiniFrameWnd::LoadState(LPCTSTR lpszProfileName, UINT uiID)
{
    const CObList& lstBars = m_barContainerManager.GetControlBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos))->LoadState(lpszProfileName, (int)uiID, (UINT)-1);
    }
    return TRUE;
}

void CKtvPMultiMiniFrameWnd::StoreRecentDockInfo(CKtvPControlBar* pBar)
{
    CKtvPDockingControlBar* pDockingBar = AsDockingBar(pBar);
    if (pDockingBar == nullptr) {
        return;
    }
    BOOL bLeft = FALSE;
    CKtvPBarContainer* pNode = m_barContainerManager.FindContainer(pDockingBar, bLeft);
    pDockingBar->GetRecentDockInfo().StoreLayoutPlace(pNode, nullptr);
}

void CKtvPMultiMiniFrameWnd::StoreRecentTabRelatedInfo(CKtvPDockingControlBar* pDockingBar,
                                                       CKtvPDockingControlBar* pTabbedBar)
{
    if (pDockingBar == nullptr) {
        return;
    }
    BOOL bLeft = FALSE;
    CKtvPBarContainer* pNode = m_barContainerManager.FindContainer(pTabbedBar, bLeft);
    pDockingBar->GetRecentDockInfo().StoreLayoutPlace(pNode, pTabbedBar);
}

void CKtvPMultiMiniFrameWnd::OnShowControlBar(CKtvPDockingControlBar* pBar, BOOL bShow)
{
    m_barContainerManager.OnShowControlBar(pBar, bShow);
    if (bShow) {
        ShowWindow(SW_SHOWNOACTIVATE);
    } else if (GetVisibleBarCount() == 0) {
        ShowWindow(SW_HIDE);
    }
    CheckBarCaptions();
    AdjustLayout();
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CKtvPMultiMiniFrameWnd::CheckControlBarValid() { m_barContainerManager.RemoveInvalidBars(); }

namespace {

BOOL AnyBarRollsUp(const CObList& lstBars)
{
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        if ((static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos))->GetControlBarStyle() & KTVP_CBRS_AUTO_ROLLUP) !=
            0) {
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

void CKtvPMultiMiniFrameWnd::SetRollUpTimer()
{
    if (AnyBarRollsUp(m_barContainerManager.GetControlBars())) {
        StartRollUpTimer();
    }
}

void CKtvPMultiMiniFrameWnd::KillRollUpTimer()
{
    if (!AnyBarRollsUp(m_barContainerManager.GetControlBars())) {
        StopRollUpTimer();
    }
}

void CKtvPMultiMiniFrameWnd::SaveRecentFloatingState()
{
    GetWindowRect(m_rectRecentFloat);
    const CObList& lstBars = m_barContainerManager.GetControlBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = lstBars.GetNext(pos);
        if (pObject->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
            static_cast<CKtvPControlBar*>(pObject)->GetRecentDockInfo().m_rectLastFloat = m_rectRecentFloat;
        }
    }
}

// The callers have asked the frame's owner already (AskFrameBeforeClose).
void CKtvPMultiMiniFrameWnd::CloseMiniFrame()
{
    ShowWindow(SW_HIDE);
    m_barContainerManager.HideAll();
}

// --- docking ----------------------------------------------------------------------------------------------

CKtvPDockingControlBar* CKtvPMultiMiniFrameWnd::DockBarAtCursor(BOOL& bDocked)
{
    bDocked = FALSE;
    if (!CanDockAtCursor()) {
        return nullptr;
    }
    const HWND hFocus = ::GetFocus();
    // The caller goes on with this frame after the drop: it may empty itself now,
    // but it goes away only afterwards.
    m_bDroppingAtCursor = TRUE;
    CKtvPDockingControlBar* pTarget = m_dragFrame.m_pDropTarget;
    const BOOL bOnTab = m_dragFrame.m_bDroppedOnTab;
    // A drop is consumed once: a later plain drop must not be taken for a tab drop.
    m_dragFrame.m_bDroppedOnTab = FALSE;
    CKtvPMiniFrameWnd* pTargetFrame = pTarget != nullptr ? pTarget->GetParentMiniFrame(TRUE) : nullptr;
    if (pTargetFrame != nullptr) {
        if (pTargetFrame != this && pTargetFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
            bDocked = !static_cast<CKtvPMultiMiniFrameWnd*>(pTargetFrame)->DockMiniFrame(this, KTVP_DM_STANDARD);
        }
    } else {
        bDocked = !DockWithStatus(bOnTab ? 2 : 1, pTarget, KTVP_DM_STANDARD);
    }
    m_bDroppingAtCursor = FALSE;
    if (hFocus != nullptr && ::IsWindow(hFocus)) {
        ::SetFocus(hFocus);
    }
    return nullptr;
}

// An emptied frame checks whether it is still needed: at once, or after the drop
// it is handling when it is the frame being dropped.
void CKtvPMultiMiniFrameWnd::CheckEmptyState()
{
    if (m_bDroppingAtCursor) {
        PostMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
    } else {
        SendMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
    }
}

BOOL CKtvPMultiMiniFrameWnd::DockWithStatus(int nStatus, CWnd* pTarget, int nDockMethod)
{
    if (nStatus == 0) {
        return TRUE;
    }
    CKtvPDockingControlBar* pTargetBar = AsDockingBar(pTarget);
    if (nStatus == 2 && (pTargetBar == nullptr || !pTargetBar->CanBeAttached())) {
        return TRUE;
    }
    CKtvPDockManager* pDockManager = GetParentDockManager();
    if (pDockManager == nullptr) {
        return TRUE;
    }
    CObList lstBars;
    m_barContainerManager.AddControlBarsToList(&lstBars, nullptr);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        if (CKtvPDockingControlBar* pBar = AsDockingBar(lstBars.GetNext(pos))) {
            pBar->StoreRecentDockInfo();
        }
    }
    CWnd* pDragOn = GetFirstVisibleBar();
    CKtvPBaseControlBar* pFirstBar = m_barContainerManager.GetFirstBar();

    if (pTargetBar != nullptr) {
        if (pFirstBar == nullptr || !pFirstBar->CanAcceptBar(pTargetBar) || !pTargetBar->CanAcceptBar(pFirstBar)) {
            return TRUE;
        }
        if (lstBars.GetCount() == 1 && GetDockingMode() == KTVP_DT_STANDARD && !pFirstBar->IsWindowVisible()) {
            pFirstBar->ModifyStyle(0, WS_VISIBLE);
        }
        if (nStatus == 2) {
            for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
                if (CKtvPDockingControlBar* pBar = AsDockingBar(lstBars.GetNext(pos))) {
                    AddRemoveBarFromGlobalList(pBar, FALSE);
                    pBar->AttachToTabbedBar(pTargetBar, nDockMethod, TRUE);
                }
            }
            ShowWindow(SW_HIDE);
            MoveWindow(m_rectRecentFloat.left, m_rectRecentFloat.top, m_rectRecentFloat.Width(),
                       m_rectRecentFloat.Height(), FALSE);
            EndMove();
            CheckEmptyState();
            return FALSE;
        }
        DWORD dwAlignment = 0;
        globalUtils.CheckAlignment(CursorPos(), pTargetBar, CKtvPDockManager::m_nDockSensitivity, FALSE, dwAlignment,
                                   CBRS_ALIGN_ANY, nullptr);
        if (!pTargetBar->DockContainer(m_barContainerManager, dwAlignment, nDockMethod)) {
            return TRUE;
        }
    } else if (!DockLayoutAtFrameSide(pDockManager, pFirstBar)) {
        return TRUE;
    }
    ReleaseMovedBars(m_barContainerManager, TRUE);

    const HWND hWnd = GetSafeHwnd();
    EndMove();
    CheckEmptyState();
    if (::IsWindow(hWnd)) {
        MoveWindow(m_rectRecentFloat.left, m_rectRecentFloat.top, m_rectRecentFloat.Width(),
                   m_rectRecentFloat.Height(), FALSE);
    }
    if (nDockMethod == KTVP_DM_MOUSE) {
        ContinueDrag(pDragOn, FALSE);
    }
    if (pTargetBar != nullptr) {
        pTargetBar->RecalcLayout();
    } else if (pFirstBar != nullptr && pFirstBar->GetSafeHwnd() != nullptr) {
        pFirstBar->AdjustDockingLayout(nullptr);
    }
    if (::IsWindow(hWnd)) {
        SetRollUpTimer();
    }
    return FALSE;
}

// The whole layout goes to the frame side at the cursor with a default slider of
// its own. FALSE, and nothing changed, when the cursor is near no side.
BOOL CKtvPMultiMiniFrameWnd::DockLayoutAtFrameSide(CKtvPDockManager* pDockManager, CKtvPBaseControlBar* pFirstBar)
{
    auto* pFirstDockingBar = AsDockingBar(pFirstBar);
    DWORD dwAlignment = 0;
    BOOL bOuterEdge = FALSE;
    if (pFirstDockingBar == nullptr || !pDockManager->IsPointNearDockBar(CursorPos(), dwAlignment, bOuterEdge)) {
        return FALSE;
    }
    CFrameWnd* pDockSite = pDockManager->GetDockSiteFrameWnd();
    CKtvPSlider* pSlider = pFirstDockingBar->CreateDefaultSlider(dwAlignment & CBRS_ALIGN_ANY, pDockSite);
    if (pSlider == nullptr) {
        return FALSE;
    }
    pSlider->SetBarAlignment(dwAlignment & CBRS_ALIGN_ANY);
    CRect rectLayout;
    m_barContainerManager.GetWindowRect(rectLayout);
    pDockSite->ScreenToClient(rectLayout);
    pDockManager->AdjustRectToClientArea(rectLayout, dwAlignment & CBRS_ALIGN_ANY);
    HDWP hdwp = nullptr;
    m_barContainerManager.ResizeBarContainers(rectLayout, hdwp);
    BOOL bAdded = FALSE;
    if (bOuterEdge) {
        pDockManager->AddControlBar(pSlider, FALSE, FALSE, TRUE);
        bAdded = pSlider->AddContainerManager(m_barContainerManager, TRUE);
    } else {
        bAdded = pSlider->AddContainerManager(m_barContainerManager, FALSE);
        pDockManager->AddControlBar(pSlider, TRUE, FALSE, FALSE);
    }
    if (!bAdded) {
        pDockManager->RemoveControlBarFromDockManager(pSlider, FALSE, FALSE, FALSE);
        pSlider->DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CKtvPMultiMiniFrameWnd::DockMiniFrame(CKtvPMiniFrameWnd* pMiniFrame, int nDockMethod)
{
    if (pMiniFrame == nullptr || !pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd)) || pMiniFrame == this) {
        return TRUE;
    }
    if (nDockMethod != KTVP_DM_MOUSE && nDockMethod != KTVP_DM_STANDARD) {
        return TRUE;
    }
    auto* pOther = static_cast<CKtvPMultiMiniFrameWnd*>(pMiniFrame);
    CKtvPDockingControlBar* pTarget = nullptr;
    DWORD dwAlignment = 0;
    BOOL bTabArea = FALSE;
    BOOL bCaption = FALSE;
    globalUtils.FindTargetAtPoint(m_barContainerManager, CursorPos(), &pTarget, dwAlignment, bTabArea, bCaption);
    if (pTarget == nullptr || (dwAlignment == 0 && !bTabArea && !bCaption)) {
        return TRUE;
    }
    CKtvPBarContainerManager& other = pOther->GetContainerManager();
    CWnd* pDragOn = other.GetFirstVisibleBar();
    if (pDragOn != nullptr && pDragOn->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        int iTab = 0;
        pDragOn = static_cast<CKtvPBaseTabbedBar*>(pDragOn)->GetFirstVisibleTab(iTab);
    }
    const BOOL bMerged = bTabArea || bCaption ? m_barContainerManager.AddContainerManagerAsTabs(pTarget, other)
                                              : m_barContainerManager.AddContainerManagerToBar(pTarget, dwAlignment,
                                                                                               other, TRUE);
    if (!bMerged) {
        return TRUE;
    }
    ReleaseMovedBars(other, FALSE);
    RegisterLayoutBars();
    const HWND hOther = pOther->GetSafeHwnd();
    pOther->EndMove();
    pOther->CheckEmptyState();
    if (::IsWindow(hOther)) {
        const CRect rect = pOther->GetRecentFloatingRect();
        pOther->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
    }
    CheckBarCaptions();
    AdjustLayout();
    if (nDockMethod == KTVP_DM_MOUSE) {
        ContinueDrag(pDragOn, TRUE);
    }
    SetRollUpTimer();
    return FALSE;
}

// The bars a merge copied out of a layout leave its list too; the hidden ones stay
// with it, so that its frame keeps their places.
void CKtvPMultiMiniFrameWnd::ReleaseMovedBars(CKtvPBarContainerManager& manager, BOOL bLeaveFloatingMap)
{
    CObList lstBars;
    manager.AddControlBarsToList(&lstBars, nullptr);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos));
        BOOL bLeft = FALSE;
        if (manager.FindContainer(pBar, bLeft) != nullptr) {
            continue;
        }
        manager.ForgetBar(pBar);
        if (bLeaveFloatingMap) {
            AddRemoveBarFromGlobalList(pBar, FALSE);
        }
    }
}

// Every bar of the layout is in the floating-bar map.
void CKtvPMultiMiniFrameWnd::RegisterLayoutBars()
{
    const CObList& lstBars = m_barContainerManager.GetControlBars();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        AddRemoveBarFromGlobalList(static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos)), TRUE);
    }
}

// The sound form: target and side are found before the bar leaves its place, and a
// bar the layout cannot take goes back to where it was instead of staying hidden here.
BOOL CKtvPMultiMiniFrameWnd::DockBarIntoFrame(CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        return TRUE;
    }
    CKtvPDockingControlBar* pTarget = nullptr;
    DWORD dwAlignment = 0;
    BOOL bTabArea = FALSE;
    BOOL bCaption = FALSE;
    globalUtils.FindTargetAtPoint(m_barContainerManager, CursorPos(), &pTarget, dwAlignment, bTabArea, bCaption);
    if (pTarget == nullptr || pTarget == pBar || (dwAlignment & CBRS_ALIGN_ANY) == 0) {
        return TRUE;
    }
    const BOOL bWasFloating = pBar->IsFloating();
    pBar->StoreRecentDockInfo();
    pBar->UndockControlBar(FALSE);
    pBar->SetParent(this);
    if (!m_barContainerManager.InsertControlBar(pBar, pTarget, dwAlignment)) {
        if (bWasFloating) {
            pBar->FloatControlBar(pBar->GetRecentDockInfo().m_rectLastFloat, KTVP_DM_SHOW, TRUE);
        } else if (!pBar->DockControlBar(pBar, nullptr, KTVP_DM_DBL_CLICK)) {
            pBar->FloatControlBar(pBar->GetRecentDockInfo().m_rectLastFloat, KTVP_DM_SHOW, TRUE);
        }
        return TRUE;
    }
    RegisterFloatingBar(pBar);
    pBar->ShowWindow(SW_SHOW);
    CheckBarCaptions();
    AdjustLayout();
    SendMessage(WM_NCPAINT);
    SetRollUpTimer();
    if (pBar->CanFocus()) {
        pBar->SetFocus();
    }
    return FALSE;
}

BOOL CKtvPMultiMiniFrameWnd::AddRecentControlBar(CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        return FALSE;
    }
    CKtvPRecentDockInfo& info = pBar->GetRecentDockInfo();
    CKtvPBarContainer* pNode = info.GetLayoutNode(FALSE);
    CKtvPBarContainer* pTabbedNode = info.GetTabbedBarNode(FALSE);
    if (pNode == nullptr && pTabbedNode == nullptr) {
        return FALSE;
    }
    pBar->SetParent(this);
    RegisterFloatingBar(pBar);
    if (pNode == nullptr) {
        CKtvPDockingControlBar* pHolder = info.WasLeftPart(FALSE) ? pTabbedNode->m_pBarLeft : pTabbedNode->m_pBarRight;
        if (pHolder != nullptr) {
            pBar->AttachToTabbedBar(pHolder, KTVP_DM_DBL_CLICK, TRUE);
            pBar->ShowControlBar(TRUE, FALSE, TRUE);
            AdjustLayout();
            SetRollUpTimer();
            return TRUE;
        }
        pNode = pTabbedNode;
    }
    CKtvPBaseControlBar* pPlaced = m_barContainerManager.AddControlBarToRecentContainer(pBar, pNode);
    if (pPlaced == nullptr) {
        // The recorded place is gone: the bar floats on its own rather than hiding here.
        AddRemoveBarFromGlobalList(pBar, FALSE);
        pBar->FloatControlBar(info.m_rectLastFloat, KTVP_DM_SHOW, TRUE);
        return FALSE;
    }
    if (m_hEmbeddedBar == nullptr || CWnd::FromHandlePermanent(m_hEmbeddedBar) == nullptr) {
        m_hEmbeddedBar = pPlaced->GetSafeHwnd();
    }
    if (GetVisibleBarCount() <= 1 && pPlaced == pBar) {
        MoveWindow(m_rectRecentFloat.left, m_rectRecentFloat.top, m_rectRecentFloat.Width(),
                   m_rectRecentFloat.Height(), TRUE);
    }
    if (CKtvPDockingControlBar* pShown = AsDockingBar(pPlaced)) {
        pShown->ShowWindow(SW_SHOW);
        OnShowControlBar(pShown, TRUE);
    }
    SetRollUpTimer();
    return TRUE;
}

void CKtvPMultiMiniFrameWnd::DockBarToMainFrame(CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        return;
    }
    AddRemoveBarFromGlobalList(pBar, FALSE);
    pBar->DockControlBar(pBar, nullptr, KTVP_DM_DBL_CLICK);
}

BOOL CKtvPMultiMiniFrameWnd::RegisterFloatingBar(CKtvPDockingControlBar* pBar)
{
    AddRemoveBarFromGlobalList(pBar, TRUE);
    return TRUE;
}

// --- applying a loaded layout ---------------------------------------------------------------------------

void CKtvPMultiMiniFrameWnd::SetDockState(CKtvPDockManager* pDockManager)
{
    if (m_barContainerManager.IsEmpty()) {
        PostMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
    }
    if (pDockManager == nullptr) {
        return;
    }
    CWnd* pOwner = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr;
    CObList lstBars;
    m_barContainerManager.AddControlBarsToList(&lstBars, nullptr);
    CObList lstEmptyTabbed;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos));
        if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
            auto* pTabbed = static_cast<CKtvPBaseTabbedBar*>(pBar);
            // Gathering the tabs moves the bar: its stored place is taken first.
            const CRect rect = StoredRectInFrame(pTabbed, pOwner);
            GatherTabs(pDockManager, pTabbed);
            if (pTabbed->GetTabsNum() > 0) {
                pTabbed->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                // The tab that was active comes back active, as in a docked group.
                pTabbed->ApplyRestoredTabInfo();
                pTabbed->RecalcLayout();
            } else {
                lstEmptyTabbed.AddTail(pTabbed);
            }
            continue;
        }
        TakeFloatingBar(pBar, pOwner);
    }
    for (POSITION pos = lstEmptyTabbed.GetHeadPosition(); pos != nullptr;) {
        auto* pTabbed = static_cast<CKtvPBaseTabbedBar*>(lstEmptyTabbed.GetNext(pos));
        RemoveControlBar(pTabbed, FALSE, TRUE);
        pTabbed->DestroyWindow();
    }
    if (m_barContainerManager.IsEmpty()) {
        SendMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
        return;
    }
    const CObList& lstLeft = m_barContainerManager.GetControlBars();
    for (POSITION pos = lstLeft.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(lstLeft.GetNext(pos));
        if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
            pBar->ShowWindow(static_cast<CKtvPControlBar*>(pBar)->GetRecentVisibleState() ? SW_SHOWNOACTIVATE
                                                                                            : SW_HIDE);
        }
        AddRemoveBarFromGlobalList(pBar, TRUE);
    }
    auto* pFirst = static_cast<CKtvPBaseControlBar*>(lstLeft.GetHead());
    if (lstLeft.GetCount() < 2) {
        CString strText;
        pFirst->GetWindowText(strText);
        SetWindowText(strText);
        for (WPARAM nType : {(WPARAM)ICON_SMALL, (WPARAM)ICON_BIG}) {
            SendMessage(WM_SETICON, nType, pFirst->SendMessage(WM_GETICON, nType, 0));
        }
    }
    m_hEmbeddedBar = pFirst->GetSafeHwnd();
    SetRollUpTimer();
    SetCaptionButtons(m_dwCaptionButtons);
    AdjustLayout();
    CheckBarCaptions();
}

// A loaded tabbed bar takes back the tabs its node lists, from wherever they are now.
void CKtvPMultiMiniFrameWnd::GatherTabs(CKtvPDockManager* pDockManager, CKtvPBaseTabbedBar* pTabbed)
{
    BOOL bLeft = FALSE;
    CKtvPBarContainer* pNode = m_barContainerManager.FindContainer(pTabbed, bLeft);
    CList<UINT, UINT> lstIDs;
    ktvlayout::StoredTabIDs(pNode, pTabbed, lstIDs);
    for (POSITION pos = lstIDs.GetHeadPosition(); pos != nullptr;) {
        CKtvPDockingControlBar* pBar = AsDockingBar(pDockManager->FindBarByID(lstIDs.GetNext(pos), TRUE));
        if (pBar == nullptr || pBar == pTabbed) {
            continue;
        }
        LeaveAutoHide(pBar);
        if (pBar->GetParentTabbedBar() != nullptr) {
            TakeOutOfTabbedBar(pBar, this);
        } else {
            pBar->FloatControlBar(CRect(0, 0, 10, 10), KTVP_DM_SHOW, FALSE);
        }
        // Out of the other frame before it checks whether it is empty, which
        // would take its child windows with it.
        if (CKtvPMiniFrameWnd* pOther = pBar->GetParentMiniFrame(TRUE); pOther != nullptr && pOther != this) {
            pOther->RemoveControlBar(pBar, FALSE, FALSE);
            pBar->SetParent(this);
            pOther->SendMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
        }
        pBar->AttachToTabbedBar(pTabbed, KTVP_DM_UNKNOWN, FALSE);
    }
}

// The bar's stored docked rectangle is where it was in this layout, in the main
// frame's client coordinates; without one it keeps its present place.
CRect CKtvPMultiMiniFrameWnd::StoredRectInFrame(CKtvPBaseControlBar* pBar, CWnd* pOwner) const
{
    CRect rect;
    pBar->GetWindowRect(rect);
    auto* pControlBar = dynamic_cast<CKtvPControlBar*>(pBar);
    if (pControlBar != nullptr && pOwner != nullptr && !pControlBar->GetRecentDockInfo().GetLayoutRect(TRUE).IsRectEmpty()) {
        rect = pControlBar->GetRecentDockInfo().GetLayoutRect(TRUE);
        pOwner->ClientToScreen(rect);
    }
    ScreenToClient(rect);
    return rect;
}

// A listed bar leaves wherever it is now and takes its place in this layout,
// keeping the rectangle the stored record gave it.
void CKtvPMultiMiniFrameWnd::TakeFloatingBar(CKtvPBaseControlBar* pBar, CWnd* pOwner)
{
    if (pBar->GetSafeHwnd() == nullptr) {
        return;
    }
    const CRect rectStored = StoredRectInFrame(pBar, pOwner);
    const BOOL bHereAlready = pBar->GetParent() == this;
    TakeOutOfTabbedBar(pBar, pOwner);
    if (CKtvPDockingControlBar* pDockingBar = AsDockingBar(pBar)) {
        LeaveAutoHide(pDockingBar);
    }
    if (!bHereAlready || pBar->GetParentMiniFrame(TRUE) != this) {
        CRect rectFloat;
        pBar->GetWindowRect(rectFloat);
        const BOOL bWasFloating = pBar->GetParentMiniFrame(TRUE) != nullptr;
        if (!bWasFloating) {
            pBar->FloatControlBar(rectFloat, KTVP_DM_SHOW, FALSE);
        }
        if (CKtvPMiniFrameWnd* pTemporary = pBar->GetParentMiniFrame(TRUE); pTemporary != nullptr && pTemporary != this) {
            pTemporary->RemoveControlBar(pBar, FALSE, FALSE);
        }
        pBar->SetParent(this);
    }
    pBar->SetWindowPos(nullptr, rectStored.left, rectStored.top, rectStored.Width(), rectStored.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// --- messages -------------------------------------------------------------------------------------------

int CKtvPMultiMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPMiniFrameWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    return m_barContainerManager.Create(this, nullptr, nullptr) ? 0 : -1;
}

void CKtvPMultiMiniFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    AdjustLayout();
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

LRESULT CKtvPMultiMiniFrameWnd::OnSizing(WPARAM, LPARAM) { return Default(); }

// A frame made hidden and shown later sets its panes' captions when it appears.
void CKtvPMultiMiniFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CKtvPMiniFrameWnd::OnShowWindow(bShow, nStatus);
    if (bShow) {
        ShowBarCaptions();
    }
}

void CKtvPMultiMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CSize sizeMin(0, 0);
    m_barContainerManager.GetMinSize(sizeMin);
    CalcMinSize(sizeMin, lpMMI);
    CWnd::OnGetMinMaxInfo(lpMMI);
}

void CKtvPMultiMiniFrameWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (FindButtonByPoint(ptScreen) != nullptr) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    CObList lstBars;
    m_barContainerManager.AddControlBarsToList(&lstBars, nullptr);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        if (CKtvPDockingControlBar* pBar = AsDockingBar(lstBars.GetNext(pos))) {
            pBar->StoreRecentDockInfo();
        }
    }
    const HWND hWnd = GetSafeHwnd();
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        if (CKtvPDockingControlBar* pBar = AsDockingBar(lstBars.GetNext(pos))) {
            AddRemoveBarFromGlobalList(pBar, FALSE);
            pBar->DockControlBar(pBar, nullptr, KTVP_DM_DBL_CLICK);
        }
    }
    if (::IsWindow(hWnd)) {
        ::SendMessage(hWnd, KTVPMSG_CHECKEMPTYMINIFRAME, 0, 0);
    }
}

LRESULT CKtvPMultiMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    return CKtvPMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

void CKtvPMultiMiniFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    CWnd* pLast = m_hLastFocusedBar != nullptr && ::IsWindow(m_hLastFocusedBar)
                      ? CWnd::FromHandlePermanent(m_hLastFocusedBar)
                      : nullptr;
    if (pLast != nullptr && m_barContainerManager.GetControlBars().Find(pLast) != nullptr) {
        pLast->SetFocus();
    } else if (CWnd* pFirst = GetFirstVisibleBar(); pFirst != nullptr && pFirst->GetSafeHwnd() != nullptr) {
        if (pFirst->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar)) &&
            static_cast<CKtvPBaseControlBar*>(pFirst)->CanFocus()) {
            pFirst->SetFocus();
        }
    }
    if (CWnd* pFrame = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr) {
        pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

LRESULT CKtvPMultiMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (CKtvPBarContainer* pRoot = m_barContainerManager.GetRootContainer()) {
        pRoot->ReleaseEmptyContainers();
    }
    // With no bar left and no bar remembering a place here, nothing is kept.
    const BOOL bNoLayout = m_barContainerManager.GetNodeCount() == 0 || m_barContainerManager.GetTotalRefCount() == 0;
    if (bNoLayout && m_barContainerManager.IsEmpty()) {
        EndMove();
        DestroyWindow();
        return 0;
    }
    if (GetVisibleBarCount() == 0) {
        ShowWindow(SW_HIDE);
        EndMove();
    }
    return 0;
}
