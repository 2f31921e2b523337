#include "ui/docking/KtvPDockManager.h"

#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "ui/commandbars/KtvPBaseToolBar.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/docking/KtvPAutoHideDockBar.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

BOOL IsWindowVisibleStyle(const CWnd* pWnd) { return (pWnd->GetStyle() & WS_VISIBLE) != 0; }

CKtvPBaseControlBar* BarAt(const CObList& list, POSITION pos)
{
    return static_cast<CKtvPBaseControlBar*>(list.GetAt(pos));
}

}  // namespace

int g_nKtvDefaultDockMode = KTVP_DT_STANDARD;

int CKtvPDockManager::m_nToolbarDockDelay = 200;
int CKtvPDockManager::m_nDockingBarDockDelay = 220;
int CKtvPDockManager::m_nDefaultSlideMode = 1;
int CKtvPDockManager::m_nDockSensitivity = 15;
BOOL CKtvPDockManager::m_bHideAllIncludesDockingBars = TRUE;
const TCHAR CKtvPDockManager::m_szSection[] = "KtvPDockManagers";

CKtvPDockManager::CKtvPDockManager()
    : m_bEnableAdjustLayout(TRUE),
      m_bLockUpdate(FALSE),
      m_bDisableRecalcLayout(FALSE),
      m_pParentWnd(nullptr),
      m_dwDockBarSides(0),
      m_dwAutoHideSides(0),
      m_pDockWaitTarget(nullptr),
      m_pDockWaitMultiFrame(nullptr),
      m_clkDockWaitStart(0),
      m_nDockWaitStatus(KTVP_CS_NOTHING),
      m_bIsPrintPreviewMode(FALSE),
      m_bHideAllBars(FALSE),
      m_bReserveBottomBand(FALSE),
      m_bInAdjustLayout(FALSE),
      m_bInRecalcLayout(FALSE),
      m_bLastLoadFailed(FALSE)
{
}

// The lists free their nodes; the bars, sliders and frames belong to the frame.
CKtvPDockManager::~CKtvPDockManager() = default;

CKtvPBaseControlBar* CKtvPDockManager::ControlBarFromPointAligned(CPoint pt, int nSensitivity, BOOL,
                                                                  DWORD& dwAlignment, CRuntimeClass* pRTCBarType,
                                                                  const CKtvPBaseControlBar* pBarToIgnore) const
{
    dwAlignment = 0;
    CKtvPBaseControlBar* pBar = ControlBarFromPoint(pt, nSensitivity, TRUE, nullptr, FALSE, pBarToIgnore);
    if (pBar == nullptr || (pRTCBarType != nullptr && !pBar->IsKindOf(pRTCBarType))) {
        return nullptr;
    }
    if (!globalUtils.CheckAlignment(pt, pBar, nSensitivity, FALSE, dwAlignment, CBRS_ALIGN_ANY, nullptr)) {
        return nullptr;
    }
    return pBar;
}

CKtvPBaseControlBar* CKtvPDockManager::ControlBarFromPoint(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                           CRuntimeClass* pRTCBarType, BOOL bVisibleOnly,
                                                           const CKtvPBaseControlBar* pBarToIgnore) const
{
    if (CKtvPMiniFrameWnd* pMiniFrame = FindMiniFrameAtPoint(pt, nullptr, TRUE)) {
        CKtvPBaseControlBar* pBar = pMiniFrame->ControlBarFromPoint(pt, nSensitivity, TRUE);
        if (pBar != nullptr && pBar != pBarToIgnore && (pRTCBarType == nullptr || pBar->IsKindOf(pRTCBarType))) {
            return pBar;
        }
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if ((pRTCBarType != nullptr && !pBar->IsKindOf(pRTCBarType)) || pBar == pBarToIgnore ||
            (bVisibleOnly && !IsWindowVisibleStyle(pBar))) {
            continue;
        }
        CRect rect;
        pBar->GetWindowRect(rect);
        if (!bExactBar) {
            rect.InflateRect(nSensitivity, nSensitivity);
        }
        if (rect.PtInRect(pt)) {
            return pBar;
        }
    }
    return nullptr;
}

CKtvPMiniFrameWnd* CKtvPDockManager::FindMiniFrameAtPoint(CPoint pt, const CWnd* pWndToIgnore,
                                                          BOOL bMultiMiniFrameOnly) const
{
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos));
        if (pFrame == pWndToIgnore || !IsWindowVisibleStyle(pFrame) ||
            (bMultiMiniFrameOnly && !pFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd)))) {
            continue;
        }
        CRect rect;
        pFrame->GetWindowRect(rect);
        if (rect.PtInRect(pt)) {
            return pFrame;
        }
    }
    return nullptr;
}

int CKtvPDockManager::CalcDockingStatus(CPoint pt, int nSensitivity, DWORD dwEnabledAlignment,
                                        CKtvPBaseControlBar** ppTargetBar, const CKtvPBaseControlBar* pBarToIgnore,
                                        CKtvPBaseControlBar* pBarToDock)
{
    CKtvPBaseControlBar* pTarget =
        ControlBarFromPoint(pt, nSensitivity, TRUE, RUNTIME_CLASS(CKtvPDockingControlBar), TRUE, pBarToIgnore);
    if (ppTargetBar != nullptr) {
        *ppTargetBar = pTarget;
    }
    if (pTarget == nullptr) {
        CKtvPMiniFrameWnd* pOwnFrame = pBarToDock != nullptr ? pBarToDock->GetParentMiniFrame(TRUE) : nullptr;
        CKtvPMiniFrameWnd* pFrame = FindMiniFrameAtPoint(pt, pOwnFrame, TRUE);
        if (pFrame != nullptr && pFrame->HitTest(pt, TRUE) == HTCAPTION && pFrame->GetVisibleBarCount() == 1) {
            CWnd* pBar = pFrame->GetFirstVisibleBar();
            if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
                if (ppTargetBar != nullptr) {
                    *ppTargetBar = static_cast<CKtvPBaseControlBar*>(pBar);
                }
                return KTVP_CS_DELAY_DOCK_TO_TAB;
            }
        }
        DWORD dwAlignment = 0;
        BOOL bOuterEdge = FALSE;
        if (IsPointNearDockBar(pt, dwAlignment, bOuterEdge) && (dwAlignment & dwEnabledAlignment) != 0) {
            return KTVP_CS_DELAY_DOCK;
        }
        return KTVP_CS_NOTHING;
    }
    if (pTarget->IsFloating()) {
        if (pBarToDock == nullptr || (pTarget->GetBarStyle() & CBRS_FLOAT_MULTI) == 0 ||
            (pBarToDock->GetBarStyle() & CBRS_FLOAT_MULTI) == 0) {
            return KTVP_CS_NOTHING;
        }
    } else if ((pTarget->GetCurrentAlignment() & dwEnabledAlignment) == 0) {
        return KTVP_CS_NOTHING;
    }
    return static_cast<CKtvPDockingControlBar*>(pTarget)->GetDockingStatus(pt, nSensitivity);
}

BOOL CKtvPDockManager::AddMiniFrame(CKtvPMiniFrameWnd* pWnd)
{
    if (m_lstMiniFrames.Find(pWnd) != nullptr) {
        return FALSE;
    }
    m_lstMiniFrames.AddTail(pWnd);
    return TRUE;
}
BOOL CKtvPDockManager::RemoveMiniFrame(CKtvPMiniFrameWnd* pWnd)
{
    POSITION pos = m_lstMiniFrames.Find(pWnd);
    if (pos == nullptr) {
        return FALSE;
    }
    m_lstMiniFrames.RemoveAt(pos);
    return TRUE;
}

// Two passes over the listed objects: a bar with its own id wins over a tab or
// a docked toolbar of the same id further up the list.
CKtvPBaseControlBar* CKtvPDockManager::FindBarByID(UINT uBarID, BOOL bSearchMiniFrames)
{
    for (POSITION pos = m_lstAutoHideSliders.GetHeadPosition(); pos != nullptr;) {
        CObject* pObj = m_lstAutoHideSliders.GetNext(pos);
        CKtvPBaseControlBar* pBar = static_cast<CKtvPBaseControlBar*>(pObj);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPSlider))) {
            pBar = static_cast<CKtvPSlider*>(pObj)->GetFirstControlBar();
        }
        if (pBar != nullptr && (UINT)pBar->GetDlgCtrlID() == uBarID) {
            return pBar;
        }
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if ((UINT)pBar->GetDlgCtrlID() == uBarID) {
            return pBar;
        }
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
            CWnd* pTab = static_cast<CKtvPBaseTabbedBar*>(pBar)->FindBarByID(uBarID);
            if (pTab != nullptr && pTab->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
                return static_cast<CKtvPBaseControlBar*>(pTab);
            }
        } else if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
            if (CKtvPBaseControlBar* pDocked = static_cast<CKtvPDockBar*>(pBar)->FindBarByID(uBarID)) {
                return pDocked;
            }
        } else if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPReBar))) {
            CWnd* pChild = pBar->GetDlgItem((int)uBarID);
            if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
                return static_cast<CKtvPBaseControlBar*>(pChild);
            }
        }
    }
    if (bSearchMiniFrames) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos));
            CWnd* pBar = pFrame->GetControlBar();
            if (pBar != nullptr && (UINT)pBar->GetDlgCtrlID() == uBarID &&
                pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
                return static_cast<CKtvPBaseControlBar*>(pBar);
            }
        }
        return CKtvPMiniFrameWnd::FindFloatingBarByID(uBarID);
    }
    return nullptr;
}
CKtvPDockBar* CKtvPDockManager::FindDockBar(DWORD dwAlignment, BOOL bFromHead)
{
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    POSITION pos = bFromHead ? m_lstControlBars.GetHeadPosition() : m_lstControlBars.GetTailPosition();
    while (pos != nullptr) {
        CObject* pObj = bFromHead ? m_lstControlBars.GetNext(pos) : m_lstControlBars.GetPrev(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
            auto* pDockBar = static_cast<CKtvPDockBar*>(pObj);
            if (pDockBar->GetCurrentAlignment() == dwSide) {
                return pDockBar;
            }
        }
    }
    return nullptr;
}

CKtvPDockBar* CKtvPDockManager::FindDockBarByControlBar(CKtvPBaseControlBar* pTargetBar)
{
    if (pTargetBar == nullptr) {
        return nullptr;
    }
    const UINT nID = (UINT)pTargetBar->GetDlgCtrlID();
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPDockBar)) &&
            static_cast<CKtvPDockBar*>(pObj)->FindBarByID(nID) == pTargetBar) {
            return static_cast<CKtvPDockBar*>(pObj);
        }
    }
    return nullptr;
}

void CKtvPDockManager::AdjustDockBars()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
            static_cast<CKtvPDockBar*>(pObj)->FixupVirtualRects();
        }
    }
    AdjustDockingLayout(nullptr);
}
void CKtvPDockManager::RecalcLayout(BOOL)
{
    if (g_bKtvLoadingBars || m_bInRecalcLayout || m_bDisableRecalcLayout || !m_bEnableAdjustLayout) {
        return;
    }
    m_bInRecalcLayout = TRUE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (!m_bHideAllBars || IsWindowVisibleStyle(pBar)) {
            pBar->AdjustLayout();
        }
    }
    if (!m_bHideAllBars) {
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos))->OnBarRecalcLayout();
        }
    }
    AdjustDockingLayout(nullptr);
    m_bInRecalcLayout = FALSE;
}
void CKtvPDockManager::AdjustDockingLayout(HDWP hdwp)
{
    if (g_bKtvLoadingBars || m_bInAdjustLayout || m_pParentWnd == nullptr || m_pParentWnd->GetSafeHwnd() == nullptr) {
        return;
    }
    m_pParentWnd->GetClientRect(m_rectClientAreaBounds);
    if (!m_bEnableAdjustLayout || m_lstControlBars.IsEmpty()) {
        return;
    }

    m_bInAdjustLayout = TRUE;
    const CRect rectOuterOld = m_rectOuterDockArea;
    const BOOL bOwnDefer = hdwp == nullptr && !m_bIsPrintPreviewMode;
    if (bOwnDefer) {
        hdwp = ::BeginDeferWindowPos((int)m_lstControlBars.GetCount());
    }

    CRect rectRemaining;
    m_pParentWnd->GetClientRect(rectRemaining);
    m_pParentWnd->ClientToScreen(rectRemaining);
    if (m_bReserveBottomBand) {
        rectRemaining.bottom -= 20;
    }

    // The last dock bar (an auto-hide strip is one) ends the dock-bar zone; the
    // head is examined too, so a frame docking at one side only has an outer edge.
    CObject* pLastDockBar = nullptr;
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != nullptr;) {
        CObject* pObj = m_lstControlBars.GetPrev(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
            pLastDockBar = pObj;
            break;
        }
    }
    m_rectOuterDockArea.SetRectEmpty();

    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        const BOOL bVisible = IsWindowVisibleStyle(pBar);
        BOOL bSkip = FALSE;
        if (!bVisible) {
            if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CKtvPSlider))) {
                bSkip = TRUE;
            } else if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockBar)) && (m_bIsPrintPreviewMode || m_bHideAllBars)) {
                bSkip = TRUE;
            }
        }
        if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) &&
            static_cast<CKtvPDockingControlBar*>(pBar)->GetDefaultSlider() != nullptr) {
            bSkip = TRUE;
        }

        if (!bSkip) {
            CRect rectBar;
            pBar->GetWindowRect(rectBar);
            const DWORD dwAlignment = pBar->GetCurrentAlignment();
            const BOOL bHorizontal = pBar->IsHorizontal();
            const BOOL bResizable = pBar->IsResizable();
            const CSize sizeFixed = pBar->CalcFixedLayout(FALSE, bHorizontal);
            if (bHorizontal) {
                rectBar.bottom = rectBar.top + sizeFixed.cy;
            } else {
                rectBar.right = rectBar.left + sizeFixed.cx;
            }

            AlignByRect(rectRemaining, rectBar, dwAlignment, bHorizontal, bResizable);

            CWnd* pParent = pBar->GetParent();
            if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
                const int nLength = bHorizontal ? rectBar.Width() : rectBar.Height();
                if (nLength > 0) {
                    CRect rectInDockBar(0, 0, rectBar.Width(), rectBar.Height());
                    static_cast<CKtvPDockBar*>(pBar)->AdjustRowsToRect(rectInDockBar);
                }
            }
            if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPSlider))) {
                static_cast<CKtvPSlider*>(pBar)->RepositionSlider(rectBar, hdwp);
            } else {
                CRect rectInParent = rectBar;
                if (pParent != nullptr) {
                    pParent->ScreenToClient(rectInParent);
                }
                hdwp = pBar->SetWindowPos(nullptr, rectInParent.left, rectInParent.top, rectInParent.Width(),
                                          rectInParent.Height(), SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
            }

            const int nThickness = bHorizontal ? rectBar.Height() : rectBar.Width();
            switch (dwAlignment) {
            case CBRS_ALIGN_TOP:
                rectRemaining.top += nThickness;
                break;
            case CBRS_ALIGN_BOTTOM:
                rectRemaining.bottom -= nThickness;
                break;
            case CBRS_ALIGN_LEFT:
                rectRemaining.left += nThickness;
                break;
            case CBRS_ALIGN_RIGHT:
                rectRemaining.right -= nThickness;
                break;
            default:
                break;
            }
        }
        if (pBar == pLastDockBar) {
            m_rectOuterDockArea = rectRemaining;
        }
    }

    m_rectClientAreaBounds = rectRemaining;
    if (m_rectOuterDockArea.IsRectEmpty() || m_bHideAllBars) {
        m_rectOuterDockArea = rectRemaining;
    }
    m_pParentWnd->ScreenToClient(m_rectClientAreaBounds);
    m_pParentWnd->ScreenToClient(m_rectOuterDockArea);

    if (rectOuterOld != m_rectOuterDockArea && !m_lstAutoHideSliders.IsEmpty()) {
        HideAutoHideBars(nullptr, TRUE);
    }

    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj->IsKindOf(RUNTIME_CLASS(CKtvPAutoHideDockBar))) {
            static_cast<CKtvPAutoHideDockBar*>(pObj)->m_nOffsetStart = 0;
        }
    }
    SetAutoHideDockBarOffsets();

    if (bOwnDefer && hdwp != nullptr) {
        ::EndDeferWindowPos(hdwp);
    }
    m_bInAdjustLayout = FALSE;
}
BOOL CKtvPDockManager::OnMoveMiniFrame(CWnd* pFrame)
{
    if (::GetKeyState(VK_CONTROL) < 0 || pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        return TRUE;
    }
    auto* pMiniFrame = static_cast<CKtvPMiniFrameWnd*>(pFrame);

    CRect rectFrame;
    pMiniFrame->GetWindowRect(rectFrame);
    const int nCaption = pMiniFrame->GetCaptionHeight();
    const CRect rectMargins(nCaption, nCaption, nCaption, nCaption);
    CRect rectKept = rectFrame;
    globalUtils.AdjustRectToWorkArea(rectKept, &rectMargins);
    if (rectKept != rectFrame) {
        CPoint ptTopLeft = rectKept.TopLeft();
        if (CWnd* pParent = pMiniFrame->GetParent(); pParent != nullptr && (pMiniFrame->GetStyle() & WS_CHILD) != 0) {
            pParent->ScreenToClient(&ptTopLeft);
        }
        pMiniFrame->CWnd::SetWindowPos(nullptr, ptTopLeft.x, ptTopLeft.y, 0, 0,
                                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CWnd* pBarWnd = pMiniFrame->GetControlBar();
    CKtvPControlBar* pBar = pBarWnd != nullptr && pBarWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))
                                ? static_cast<CKtvPControlBar*>(pBarWnd)
                                : nullptr;

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (pBar == nullptr || ((pBar->GetBarStyle() & CBRS_FLOAT_MULTI) != 0 &&
                            pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)))) {
        CKtvPMiniFrameWnd* pOther = FindMiniFrameAtPoint(ptCursor, pMiniFrame, TRUE);
        if (pOther != nullptr && pOther->GetParentFrameHwnd() == pMiniFrame->GetParentFrameHwnd()) {
            auto* pMulti = static_cast<CKtvPMultiMiniFrameWnd*>(pOther);
            if (m_pDockWaitMultiFrame != pMulti) {
                // Another frame under the cursor starts the wait again.
                m_pDockWaitMultiFrame = pMulti;
                m_clkDockWaitStart = (clock_t)::GetTickCount();
            } else if ((clock_t)::GetTickCount() - m_clkDockWaitStart > m_nDockingBarDockDelay) {
                m_pDockWaitMultiFrame = nullptr;
                m_pDockWaitTarget = nullptr;
                m_nDockWaitStatus = KTVP_CS_NOTHING;
                m_clkDockWaitStart = 0;
                return pMulti->DockMiniFrame(pMiniFrame, KTVP_DM_MOUSE);
            }
            return TRUE;
        }
        m_pDockWaitMultiFrame = nullptr;
    }

    if (pBar == nullptr || pBar->GetEnabledAlignment() == 0) {
        return TRUE;
    }

    CWnd* pTargetWnd = nullptr;
    // A toolbar answers near a dock bar or not; a docking bar answers its docking status.
    int nStatus = pBar->GetDockTargetAtCursor(m_nDockSensitivity, pTargetWnd);
    if (!pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) && nStatus != KTVP_CS_NOTHING) {
        nStatus = KTVP_CS_DOCK_IMMEDIATELY;
    }
    auto* pTarget = static_cast<CKtvPBaseControlBar*>(pTargetWnd);
    if (pTarget == pBar) {
        nStatus = KTVP_CS_NOTHING;
    }
    int nDelay = -1;
    if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
        nDelay = m_nToolbarDockDelay;
    } else if ((pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) ||
               (pTarget == nullptr && nStatus == KTVP_CS_DELAY_DOCK)) {
        nDelay = m_nDockingBarDockDelay;
    }
    if (nDelay >= 0) {
        if (pTarget != m_pDockWaitTarget || nStatus != m_nDockWaitStatus) {
            m_pDockWaitTarget = pTarget;
            m_nDockWaitStatus = nStatus;
            m_clkDockWaitStart = (clock_t)::GetTickCount();
            pMiniFrame->SetDockingTimer((UINT)nDelay);
        }
        if ((clock_t)::GetTickCount() - m_clkDockWaitStart < nDelay) {
            return TRUE;
        }
    }

    m_pDockWaitTarget = nullptr;
    m_nDockWaitStatus = KTVP_CS_NOTHING;
    m_clkDockWaitStart = 0;
    pMiniFrame->KillDockingTimer();
    if (nStatus == KTVP_CS_DOCK_IMMEDIATELY && pTarget != nullptr) {
        pMiniFrame->DockWithStatus(KTVP_CS_NOTHING, nullptr, KTVP_DM_MOUSE);
        return !pBar->DockByMouse(pTarget);
    }
    // The floating frame numbers its pending states from its own 1 (beside) and 2 (into a tab).
    if (nStatus == KTVP_CS_DELAY_DOCK || nStatus == KTVP_CS_DELAY_DOCK_TO_TAB) {
        const BOOL bKeepMoving = pMiniFrame->DockWithStatus(nStatus - 1, pTarget, KTVP_DM_MOUSE);
        if (nStatus == KTVP_CS_DELAY_DOCK_TO_TAB && !bKeepMoving) {
            AdjustDockingLayout(nullptr);
        }
        return bKeepMoving;
    }
    return pMiniFrame->DockWithStatus(KTVP_CS_NOTHING, pTarget, KTVP_DM_MOUSE);
}
BOOL CKtvPDockManager::ShowControlBars(BOOL bShow)
{
    if (!bShow) {
        if (m_bHideAllBars) {
            return FALSE;
        }
        m_lstHiddenBars.RemoveAll();
        m_bHideAllBars = TRUE;
        HideBarsInList(m_lstAutoHideSliders);
        HideBarsInList(m_lstControlBars);
    } else {
        if (!m_bHideAllBars) {
            return FALSE;
        }
        m_bHideAllBars = FALSE;
        ShowHiddenBars(SW_SHOW);
    }
    AdjustDockingLayout(nullptr);
    return TRUE;
}
void CKtvPDockManager::OnActivateFrame(BOOL bActivate)
{
    if (!bActivate) {
        const BOOL bToolbarsOnly = m_pParentWnd == nullptr || !m_pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd));
        for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
            auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos));
            if (!IsWindowVisibleStyle(pFrame)) {
                continue;
            }
            if (bToolbarsOnly) {
                CWnd* pBar = pFrame->GetControlBar();
                if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseToolBar))) {
                    continue;
                }
            }
            pFrame->ShowWindow(SW_HIDE);
            if (m_lstFramesHiddenOnDeactivate.Find(pFrame->GetSafeHwnd()) == nullptr) {
                m_lstFramesHiddenOnDeactivate.AddTail(pFrame->GetSafeHwnd());
            }
        }
        return;
    }
    for (POSITION pos = m_lstFramesHiddenOnDeactivate.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = m_lstFramesHiddenOnDeactivate.GetNext(pos);
        if (!::IsWindow(hWnd)) {
            continue;
        }
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd)) &&
            static_cast<CKtvPMiniFrameWnd*>(pWnd)->GetControlBarCount() > 0) {
            pWnd->ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    m_lstFramesHiddenOnDeactivate.RemoveAll();
}

BOOL CKtvPDockManager::AdjustRectToClientArea(CRect& rectResult, DWORD dwAlignment)
{
    const int nPercent = globalData.m_nMaxDockedSizePercent;
    if ((dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0) {
        const int nLimit = nPercent * m_rectClientAreaBounds.Height() / 100;
        if (rectResult.Height() < nLimit) {
            return FALSE;
        }
        if ((dwAlignment & CBRS_ALIGN_TOP) != 0) {
            rectResult.bottom = rectResult.top + nLimit;
        } else {
            rectResult.top = rectResult.bottom - nLimit;
        }
        return TRUE;
    }
    if ((dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0) {
        const int nLimit = nPercent * m_rectClientAreaBounds.Width() / 100;
        if (rectResult.Width() < nLimit) {
            return FALSE;
        }
        if ((dwAlignment & CBRS_ALIGN_LEFT) != 0) {
            rectResult.right = rectResult.left + nLimit;
        } else {
            rectResult.left = rectResult.right - nLimit;
        }
        return TRUE;
    }
    return FALSE;
}

BOOL CKtvPDockManager::Create(CFrameWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CKtvPDockManager::EnableDocking(DWORD dwStyle) { return EnableSides(dwStyle, FALSE); }
BOOL CKtvPDockManager::EnableAutoHideBars(DWORD dwStyle) { return EnableSides(dwStyle, TRUE); }

BOOL CKtvPDockManager::EnableSides(DWORD dwStyle, BOOL bAutoHide)
{
    static const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    DWORD& dwPresent = bAutoHide ? m_dwAutoHideSides : m_dwDockBarSides;
    for (DWORD dwSide : sides) {
        if ((dwStyle & dwSide) != 0 && (dwPresent & dwSide) == 0) {
            if (!AddDockBar(dwSide, bAutoHide)) {
                return FALSE;
            }
            dwPresent |= dwSide;
        }
    }
    AdjustDockingLayout(nullptr);
    return TRUE;
}
BOOL CKtvPDockManager::AddDockBar(DWORD dwAlignment, BOOL bAutoHide)
{
    CRuntimeClass* pClass = bAutoHide ? RUNTIME_CLASS(CKtvPAutoHideDockBar) : RUNTIME_CLASS(CKtvPDockBar);
    auto* pDockBar = static_cast<CKtvPDockBar*>(pClass->CreateObject());
    if (pDockBar == nullptr) {
        return FALSE;
    }
    if (!pDockBar->Create(dwAlignment, CRect(0, 0, 0, 0), m_pParentWnd, 0)) {
        delete pDockBar;
        return FALSE;
    }
    m_lstControlBars.AddTail(pDockBar);
    return TRUE;
}

BOOL CKtvPDockManager::AddControlBar(CKtvPBaseControlBar* pWnd, BOOL bTail, BOOL bAutoHide, BOOL bInsertForOuterEdge)
{
    CObList& list = bAutoHide ? m_lstAutoHideSliders : m_lstControlBars;
    if (pWnd == nullptr || list.Find(pWnd) != nullptr) {
        return FALSE;
    }
    if (bTail) {
        list.AddTail(pWnd);
    } else if (bInsertForOuterEdge) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr; list.GetNext(pos)) {
            if (BarAt(list, pos)->AllowsInsertBefore()) {
                list.InsertBefore(pos, pWnd);
                return TRUE;
            }
        }
        list.AddTail(pWnd);
        return TRUE;
    } else {
        list.AddHead(pWnd);
    }
    pWnd->m_pDockSite = m_pParentWnd;
    return TRUE;
}

BOOL CKtvPDockManager::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget, BOOL bAfter)
{
    if (m_lstControlBars.Find(pControlBar) != nullptr) {
        return FALSE;
    }
    POSITION pos = m_lstControlBars.Find(pTarget);
    if (pos == nullptr) {
        return FALSE;
    }
    if (bAfter) {
        m_lstControlBars.InsertAfter(pos, pControlBar);
    } else {
        m_lstControlBars.InsertBefore(pos, pControlBar);
    }
    return TRUE;
}

void CKtvPDockManager::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pWnd, BOOL bDestroy, BOOL bAdjustLayout,
                                                       BOOL bAutoHide)
{
    CObList& list = bAutoHide ? m_lstAutoHideSliders : m_lstControlBars;
    if (POSITION pos = list.Find(pWnd)) {
        list.RemoveAt(pos);
    }
    if (bDestroy && pWnd != nullptr) {
        pWnd->DestroyWindow();
    }
    if (bAdjustLayout) {
        AdjustDockingLayout(nullptr);
    }
}

void CKtvPDockManager::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (m_lstControlBars.IsEmpty() || pBar == nullptr) {
        return;
    }
    pBar->UndockControlBar(TRUE);

    if (!pBar->CanBeResized() && !pBar->CanFloat()) {
        AddControlBar(pBar, TRUE);
        return;
    }
    if (!pBar->IsResizable()) {
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
            CObject* pObj = m_lstControlBars.GetNext(pos);
            if (!pObj->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
                continue;
            }
            auto* pDockBar = static_cast<CKtvPDockBar*>(pObj);
            if ((nDockBarID == 0 || pDockBar->GetDockBarID() == nDockBarID) && pBar->CanBeDocked(pDockBar) &&
                pDockBar->CanAcceptBar(pBar)) {
                if (pBar->DockControlBar(pDockBar, lpRect, KTVP_DM_RECT)) {
                    pBar->InvalidateRect(nullptr);
                    return;
                }
            }
        }
        return;
    }
    if (!pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        return;
    }
    auto* pDockingBar = static_cast<CKtvPDockingControlBar*>(pBar);
    DWORD dwAlignment = 0;
    if (nDockBarID == 0) {
        dwAlignment = pBar->GetCurrentAlignment();
    } else {
        switch (nDockBarID) {
        case AFX_IDW_DOCKBAR_TOP:
            dwAlignment = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            dwAlignment = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            dwAlignment = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            dwAlignment = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
            break;
        default:
            return;
        }
        if ((pBar->GetEnabledAlignment() & dwAlignment) == 0) {
            return;
        }
    }
    pDockingBar->DockToFrameWindow(dwAlignment, lpRect, KTVP_DT_DOCK_LAST, nullptr, -1, FALSE);
}

BOOL CKtvPDockManager::DockControlBarLeftOf(CKtvPControlBar* pBarToDock, CKtvPControlBar* pTargetBar)
{
    if (pBarToDock == nullptr || pTargetBar == nullptr || !pBarToDock->IsKindOf(RUNTIME_CLASS(CKtvPToolBar)) ||
        !pTargetBar->IsKindOf(RUNTIME_CLASS(CKtvPToolBar)) ||
        (pBarToDock->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) &&
         pTargetBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)))) {
        return FALSE;
    }
    CKtvPDockBar* pDockBar = pTargetBar->GetParentDockBar();
    if (pDockBar == nullptr) {
        // The target is laid out by the frame as a fixed bar (it cannot float, so
        // it is in no dock bar): the new bar goes into the frame's layout just
        // before it, so the frame lays it out and finds it by its id.
        if (pBarToDock == pTargetBar || m_lstControlBars.Find(pTargetBar) == nullptr) {
            return FALSE;
        }
        pBarToDock->UndockControlBar(TRUE);
        if (POSITION pos = m_lstControlBars.Find(pBarToDock)) {
            m_lstControlBars.RemoveAt(pos);
        }
        pBarToDock->m_pDockSite = m_pParentWnd;
        return InsertControlBar(pBarToDock, pTargetBar, FALSE);
    }
    pBarToDock->UndockControlBar(TRUE);
    return pDockBar->DockControlBarLeftOf(pBarToDock, pTargetBar);
}

BOOL CKtvPDockManager::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    if (m_pParentWnd == nullptr) {
        return FALSE;
    }
    CRect rectOuter = m_rectOuterDockArea;
    m_pParentWnd->ClientToScreen(rectOuter);
    if (globalUtils.CheckAlignment(point, nullptr, m_nDockSensitivity, TRUE, dwBarAlignment, m_dwDockBarSides,
                                   rectOuter)) {
        bOuterEdge = TRUE;
        return TRUE;
    }
    CRect rectInner = m_rectClientAreaBounds;
    m_pParentWnd->ClientToScreen(rectInner);
    if (globalUtils.CheckAlignment(point, nullptr, m_nDockSensitivity, FALSE, dwBarAlignment, m_dwDockBarSides,
                                   rectInner)) {
        bOuterEdge = FALSE;
        return TRUE;
    }
    return FALSE;
}

void CKtvPDockManager::CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult, BOOL& bDrawTab,
                                              CKtvPDockingControlBar** ppTargetBar)
{
    rectResult.SetRectEmpty();
    bDrawTab = FALSE;
    if (::GetKeyState(VK_CONTROL) < 0 || pWndToDock == nullptr) {
        return;
    }
    if (CKtvPMiniFrameWnd* pMulti = FindMiniFrameAtPoint(ptMouse, pWndToDock, TRUE)) {
        pMulti->CalcExpectedDockedRect(pWndToDock, ptMouse, rectResult, bDrawTab, ppTargetBar);
        if (!rectResult.IsRectEmpty()) {
            return;
        }
    }

    const CKtvPBaseControlBar* pIgnore = pWndToDock->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))
                                             ? static_cast<CKtvPBaseControlBar*>(pWndToDock)
                                             : nullptr;
    CKtvPBaseControlBar* pUnder = ControlBarFromPoint(ptMouse, m_nDockSensitivity, TRUE,
                                                      RUNTIME_CLASS(CKtvPDockingControlBar), TRUE, pIgnore);
    if (pUnder != nullptr) {
        auto* pDockingBar = static_cast<CKtvPDockingControlBar*>(pUnder);
        if (CKtvPSlider* pSlider = pDockingBar->GetDefaultSlider()) {
            if (pWndToDock->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd)) &&
                !pDockingBar->CanAcceptMiniFrame(static_cast<CKtvPMiniFrameWnd*>(pWndToDock))) {
                return;
            }
            if (CKtvPBarContainerManager* pManager = pSlider->GetContainerManager()) {
                globalUtils.CalcExpectedDockedRect(*pManager, pWndToDock, ptMouse, rectResult, bDrawTab,
                                                   ppTargetBar);
            }
            return;
        }
    }

    DWORD dwAlignment = 0;
    BOOL bOuterEdge = FALSE;
    if (!IsPointNearDockBar(ptMouse, dwAlignment, bOuterEdge)) {
        return;
    }
    CWnd* pBarWnd = pWndToDock;
    if (pWndToDock->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        pBarWnd = static_cast<CKtvPMiniFrameWnd*>(pWndToDock)->GetControlBar();
    }
    if (pBarWnd == nullptr || !pBarWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar)) ||
        (static_cast<CKtvPBaseControlBar*>(pBarWnd)->GetEnabledAlignment() & dwAlignment) == 0) {
        return;
    }
    CRect rectWindow;
    pWndToDock->GetWindowRect(rectWindow);
    CRect rect = bOuterEdge ? m_rectOuterDockArea : m_rectClientAreaBounds;
    switch (dwAlignment) {
    case CBRS_ALIGN_LEFT:
        rect.right = rect.left + rectWindow.Width();
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left = rect.right - rectWindow.Width();
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom = rect.top + rectWindow.Height();
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top = rect.bottom - rectWindow.Height();
        break;
    default:
        return;
    }
    AdjustRectToClientArea(rect, dwAlignment);
    m_pParentWnd->ClientToScreen(rect);
    rectResult = rect;
}

CKtvPAutoHideToolBar* CKtvPDockManager::AddAutoHideToolbar(CKtvPDockingControlBar* pBar,
                                                           CKtvPAutoHideToolBar* pCurrAutoHideToolBar)
{
    CKtvPDockBar* pStrip = FindDockBar(pBar->GetCurrentAlignment(), FALSE);
    if (pStrip == nullptr || !pStrip->IsKindOf(RUNTIME_CLASS(CKtvPAutoHideDockBar))) {
        return nullptr;
    }
    CKtvPAutoHideToolBar* pToolbar = pCurrAutoHideToolBar;
    if (pToolbar == nullptr) {
        pToolbar = new CKtvPAutoHideToolBar;
        if (!pToolbar->Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pParentWnd, 1, 0)) {
            delete pToolbar;
            return nullptr;
        }
    }
    pToolbar->EnableDocking(CBRS_ALIGN_ANY);
    pToolbar->AddAutoHideWindow(pBar, pBar->GetCurrentAlignment());
    if (pCurrAutoHideToolBar == nullptr) {
        if ((pStrip->GetStyle() & WS_VISIBLE) == 0) {
            pStrip->ShowWindow(SW_SHOW);
        }
        pToolbar->DockControlBar(pStrip, nullptr, KTVP_DM_RECT);
    }
    AdjustDockingLayout(nullptr);
    CKtvPSlider* pSlider = pBar->GetDefaultSlider();
    if (pSlider != nullptr) {
        AddControlBar(pSlider, TRUE, TRUE);
        AlignAutoHideBar(pSlider, TRUE);
        pSlider->BringWindowToTop();
    }
    pBar->BringWindowToTop();
    return pToolbar;
}

void CKtvPDockManager::HideAutoHideBars(CKtvPDockingControlBar* pBarToExclude, BOOL bImmediately)
{
    for (POSITION pos = m_lstAutoHideSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKtvPSlider*>(m_lstAutoHideSliders.GetNext(pos));
        CKtvPBaseControlBar* pBar = pSlider->GetFirstControlBar();
        if (pBar == nullptr || pBar == pBarToExclude || !IsWindowVisibleStyle(pBar) ||
            !pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
            continue;
        }
        static_cast<CKtvPDockingControlBar*>(pBar)->Slide(FALSE, !bImmediately);
    }
}

void CKtvPDockManager::AlignAutoHideBar(CKtvPSlider* pDefaultSlider, BOOL bIsVisible)
{
    if (pDefaultSlider == nullptr) {
        return;
    }
    CRect rectOuter = m_rectOuterDockArea;
    m_pParentWnd->ClientToScreen(rectOuter);
    const DWORD dwAlignment = pDefaultSlider->GetCurrentAlignment();
    const BOOL bHorz = pDefaultSlider->IsHorizontal();
    CRect rectSlider;
    pDefaultSlider->GetWindowRect(rectSlider);

    if (bIsVisible) {
        const CSize size = pDefaultSlider->CalcFixedLayout(FALSE, bHorz);
        if (bHorz) {
            rectSlider.bottom = rectSlider.top + size.cy;
        } else {
            rectSlider.right = rectSlider.left + size.cx;
        }
        AlignByRect(rectOuter, rectSlider, dwAlignment, bHorz, TRUE);
        HDWP hdwp = nullptr;
        pDefaultSlider->RepositionSlider(rectSlider, hdwp);
        return;
    }

    CKtvPBaseControlBar* pBar = pDefaultSlider->GetFirstControlBar();
    CRect rectBar;
    if (pBar != nullptr) {
        pBar->GetWindowRect(rectBar);
    }
    // Stretched over the outer edge's length, with their outer side on the outer edge.
    auto place = [&](CRect& rect) {
        switch (dwAlignment) {
        case CBRS_ALIGN_LEFT:
            rect.SetRect(rectOuter.left - rect.Width(), rectOuter.top, rectOuter.left, rectOuter.bottom);
            break;
        case CBRS_ALIGN_RIGHT:
            rect.SetRect(rectOuter.right, rectOuter.top, rectOuter.right + rect.Width(), rectOuter.bottom);
            break;
        case CBRS_ALIGN_TOP:
            rect.SetRect(rectOuter.left, rectOuter.top - rect.Height(), rectOuter.right, rectOuter.top);
            break;
        case CBRS_ALIGN_BOTTOM:
            rect.SetRect(rectOuter.left, rectOuter.bottom, rectOuter.right, rectOuter.bottom + rect.Height());
            break;
        default:
            break;
        }
    };
    place(rectSlider);
    m_pParentWnd->ScreenToClient(rectSlider);
    pDefaultSlider->CWnd::SetWindowPos(nullptr, rectSlider.left, rectSlider.top, rectSlider.Width(),
                                       rectSlider.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (pBar != nullptr) {
        place(rectBar);
        if (CWnd* pParent = pBar->GetParent()) {
            pParent->ScreenToClient(rectBar);
        }
        pBar->CWnd::SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->RecalcLayout();
    }
}
void CKtvPDockManager::BringBarsToTop(DWORD dwAlignment, BOOL bExcludeDockedBars)
{
    const DWORD dwSide = dwAlignment & CBRS_ALIGN_ANY;
    BOOL bExcluding = bExcludeDockedBars;
    for (POSITION pos = m_lstControlBars.GetTailPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetPrev(pos));
        if (bExcluding) {
            if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CKtvPSlider))) {
                continue;
            }
            bExcluding = FALSE;
        }
        if (dwSide == 0 || pBar->GetCurrentAlignment() == dwSide) {
            pBar->BringWindowToTop();
        }
    }
}
void CKtvPDockManager::HideBarsInList(CObList& lstBars)
{
    const BOOL bSpareDockingParts = m_bHideAllBars && !m_bHideAllIncludesDockingBars;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos));
        if (!IsWindowVisibleStyle(pBar) || pBar->IsKindOf(RUNTIME_CLASS(CKtvPStatusBar))) {
            continue;
        }
        if (bSpareDockingParts &&
            (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) ||
             pBar->IsKindOf(RUNTIME_CLASS(CKtvPAutoHideDockBar)) || pBar->IsKindOf(RUNTIME_CLASS(CKtvPSlider)))) {
            continue;
        }
        pBar->ShowControlBar(FALSE, TRUE, FALSE);
        m_lstHiddenBars.AddTail(pBar);
    }
    if (bSpareDockingParts) {
        return;
    }
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_lstMiniFrames.GetNext(pos));
        if (IsWindowVisibleStyle(pFrame) && m_lstHiddenBars.Find(pFrame) == nullptr) {
            pFrame->ShowWindow(SW_HIDE);
            m_lstHiddenBars.AddTail(pFrame);
        }
    }
}

// Bars come back through their own show, so a row or tab re-fits; floating frames directly.
void CKtvPDockManager::ShowHiddenBars(int nFrameShowCmd)
{
    for (POSITION pos = m_lstHiddenBars.GetHeadPosition(); pos != nullptr;) {
        auto* pWnd = static_cast<CWnd*>(m_lstHiddenBars.GetNext(pos));
        if (pWnd->GetSafeHwnd() == nullptr) {
            continue;
        }
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
            static_cast<CKtvPBaseControlBar*>(pWnd)->ShowControlBar(TRUE, TRUE, FALSE);
        } else {
            pWnd->ShowWindow(nFrameShowCmd);
        }
    }
    m_lstHiddenBars.RemoveAll();
}

void CKtvPDockManager::SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState*)
{
    if (bPreview) {
        if (m_bIsPrintPreviewMode || m_bHideAllBars) {
            m_bIsPrintPreviewMode = TRUE;
            return;
        }
        m_lstHiddenBars.RemoveAll();
        HideBarsInList(m_lstAutoHideSliders);
        HideBarsInList(m_lstControlBars);
        m_bIsPrintPreviewMode = TRUE;
    } else if (m_bIsPrintPreviewMode && !m_bHideAllBars) {
        ShowHiddenBars(SW_SHOWNOACTIVATE);
        m_bIsPrintPreviewMode = FALSE;
    } else {
        m_bIsPrintPreviewMode = FALSE;
    }
}

void CKtvPDockManager::LockUpdate(BOOL bLock)
{
    m_bLockUpdate = bLock;
    if (m_pParentWnd == nullptr || m_pParentWnd->GetSafeHwnd() == nullptr) {
        return;
    }
    if (bLock) {
        m_pParentWnd->LockWindowUpdate();
    } else {
        m_pParentWnd->UnlockWindowUpdate();
    }
    auto lockAll = [bLock](const CObList& list) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            auto* pWnd = static_cast<CWnd*>(list.GetNext(pos));
            if (pWnd->GetSafeHwnd() == nullptr) {
                continue;
            }
            pWnd->ValidateRect(nullptr);
            pWnd->UpdateWindow();
            if (bLock) {
                pWnd->LockWindowUpdate();
            } else {
                pWnd->UnlockWindowUpdate();
            }
        }
    };
    lockAll(m_lstMiniFrames);
    lockAll(m_lstControlBars);
}

void CKtvPDockManager::SendMessageToMiniFrames(UINT uMessage, WPARAM wParam, LPARAM lParam)
{
    for (POSITION pos = m_lstMiniFrames.GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = static_cast<CWnd*>(m_lstMiniFrames.GetNext(pos));
        if (pFrame->GetSafeHwnd() != nullptr) {
            pFrame->SendMessage(uMessage, wParam, lParam);
        }
    }
}

void CKtvPDockManager::AlignByRect(const CRect& rect, CRect& rectResult, DWORD dwAlignment, BOOL bHorizontal,
                                   BOOL bResizable)
{
    const int nThickness = bHorizontal ? rectResult.Height() : rectResult.Width();
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP:
        rectResult.SetRect(rect.left, rect.top, rect.right, rect.top + nThickness);
        if (bResizable && rectResult.bottom > rect.bottom) {
            rectResult.bottom = rect.bottom;
        }
        break;
    case CBRS_ALIGN_BOTTOM:
        rectResult.SetRect(rect.left, rect.bottom - nThickness, rect.right, rect.bottom);
        if (bResizable && rectResult.top < rect.top) {
            rectResult.top = rect.top;
        }
        break;
    case CBRS_ALIGN_LEFT:
        rectResult.SetRect(rect.left, rect.top, rect.left + nThickness, rect.bottom);
        if (bResizable && rectResult.right > rect.right) {
            rectResult.right = rect.right;
        }
        break;
    case CBRS_ALIGN_RIGHT:
        rectResult.SetRect(rect.right - nThickness, rect.top, rect.right, rect.bottom);
        if (bResizable && rectResult.left < rect.left) {
            rectResult.left = rect.left;
        }
        break;
    default:
        break;
    }
}

void CKtvPDockManager::SetAutoHideDockBarOffsets()
{
    for (POSITION posP = m_lstControlBars.GetHeadPosition(); posP != nullptr;) {
        CObject* pObjP = m_lstControlBars.GetNext(posP);
        if (!pObjP->IsKindOf(RUNTIME_CLASS(CKtvPAutoHideDockBar))) {
            continue;
        }
        auto* pP = static_cast<CKtvPAutoHideDockBar*>(pObjP);
        CRect rP;
        pP->GetWindowRect(rP);
        for (POSITION posQ = m_lstControlBars.GetHeadPosition(); posQ != nullptr;) {
            CObject* pObjQ = m_lstControlBars.GetNext(posQ);
            if (pObjQ == pObjP || !pObjQ->IsKindOf(RUNTIME_CLASS(CKtvPAutoHideDockBar))) {
                continue;
            }
            auto* pQ = static_cast<CKtvPAutoHideDockBar*>(pObjQ);
            CRect rQ;
            pQ->GetWindowRect(rQ);
            if (rQ.IsRectEmpty() || pP->IsHorizontal() == pQ->IsHorizontal()) {
                continue;
            }
            const DWORD a = pP->GetCurrentAlignment();
            const DWORD b = pQ->GetCurrentAlignment();
            if (a == CBRS_ALIGN_LEFT && b == CBRS_ALIGN_TOP) {
                if (rP.top == rQ.bottom) {
                    pQ->m_nOffsetStart = rP.Width();
                }
                if (rP.right == rQ.left) {
                    pP->m_nOffsetStart = rQ.Height();
                }
            } else if (a == CBRS_ALIGN_TOP && b == CBRS_ALIGN_RIGHT) {
                if (rP.right == rQ.left) {
                    pQ->m_nOffsetStart = rP.Height();
                }
            } else if (a == CBRS_ALIGN_LEFT && b == CBRS_ALIGN_BOTTOM) {
                if (rP.bottom == rQ.top) {
                    pQ->m_nOffsetStart = rP.Width();
                }
            }
        }
    }
}
