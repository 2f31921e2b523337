#include "ui/docking/KtvPGlobalUtils.h"

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CPropertySheet.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include <algorithm>

#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPGlobalUtils globalUtils;

CKtvPGlobalUtils::CKtvPGlobalUtils() : m_bDialogParent(FALSE), m_bUseCursorMonitor(FALSE) {}

CKtvPGlobalUtils::~CKtvPGlobalUtils() = default;

// Only the window itself is asked: a bar on a dialog has no dock manager even
// when the dialog sits in a frame.
CKtvPDockManager* CKtvPGlobalUtils::GetDockManager(CWnd* pWnd)
{
    if (pWnd == nullptr) {
        return nullptr;
    }
    if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pWnd)) {
        return pHooks->GetDockManager();
    }
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet))) {
        m_bDialogParent = TRUE;
    }
    return nullptr;
}

BOOL CKtvPGlobalUtils::CheckAlignment(CPoint pt, CKtvPBaseControlBar* pBar, int nSensitivity, BOOL bOuterEdge,
                                      DWORD& dwAlignment, DWORD dwEnabledAlignment, LPCRECT lpRect) const
{
    CRect rect;
    if (pBar != nullptr) {
        pBar->GetWindowRect(rect);
    } else if (lpRect != nullptr) {
        rect = *lpRect;
    } else {
        return FALSE;
    }

    // A docking bar's caption and bottom tab strip belong to its top and bottom edges.
    int nCaption = 0;
    int nTabArea = 0;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        auto* pDockingBar = static_cast<CKtvPDockingControlBar*>(pBar);
        nCaption = pDockingBar->GetCaptionHeight();
        CRect rectTabTop;
        CRect rectTabBottom;
        pDockingBar->GetTabArea(rectTabTop, rectTabBottom);
        nTabArea = rectTabBottom.Height();
    }

    const int s = nSensitivity;
    const LONG L = rect.left;
    const LONG T = rect.top;
    const LONG R = rect.right;
    const LONG B = rect.bottom;
    struct Strip {
        DWORD dwSide;
        CRect rect;
    };
    const Strip strips[] = {
        {CBRS_ALIGN_TOP, bOuterEdge ? CRect(L - s, T - s, R + s, T) : CRect(L - s, T - s, R + s, T + nCaption + s)},
        {CBRS_ALIGN_LEFT, bOuterEdge ? CRect(L - s, T - s, L, B + s) : CRect(L - s, T - s, L + s, B + s)},
        {CBRS_ALIGN_BOTTOM, bOuterEdge ? CRect(L - s, B, R + s, B + s) : CRect(L - s, B - nTabArea - s, R + s, B + s)},
        {CBRS_ALIGN_RIGHT, bOuterEdge ? CRect(R, T - s, R + s, B + s) : CRect(R - s, T - s, R + s, B + s)},
    };
    for (const Strip& strip : strips) {
        if (strip.rect.PtInRect(pt) && (dwEnabledAlignment & strip.dwSide) != 0) {
            dwAlignment = strip.dwSide;
            return TRUE;
        }
    }
    return FALSE;
}

CRect& CKtvPGlobalUtils::RotateRect(CRect& rect, int nAngle) const
{
    const CRect old = rect;
    switch (nAngle) {
    case 90:
        rect.SetRect(old.bottom, old.left, old.top, old.right);
        break;
    case 180:
        rect.SetRect(old.left, old.bottom, old.right, old.top);
        break;
    case -90:
    case 270:
        rect.SetRect(old.top, old.right, old.bottom, old.left);
        break;
    default:
        break;
    }
    return rect;
}

void CKtvPGlobalUtils::SetNewParent(CObList& lstBars, CWnd* pNewParent, BOOL bVisibleOnly)
{
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pWnd = static_cast<CWnd*>(lstBars.GetNext(pos));
        if (pWnd->GetSafeHwnd() == nullptr || (bVisibleOnly && (pWnd->GetStyle() & WS_VISIBLE) == 0)) {
            continue;
        }
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPSlider))) {
            pWnd->SetParent(pNewParent);
            continue;
        }
        pWnd->ShowWindow(SW_HIDE);
        pWnd->SetParent(pNewParent);
        CRect rect;
        pWnd->GetWindowRect(rect);
        pNewParent->ScreenToClient(rect);
        // Parked just outside the top-left corner of the new parent, its size kept; the caller lays it out.
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
            static_cast<CKtvPBaseControlBar*>(pWnd)->SetWindowPos(nullptr, rect.left - rect.right,
                                                                  rect.top - rect.bottom, 100, 100,
                                                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE, nullptr);
        } else {
            pWnd->SetWindowPos(nullptr, rect.left - rect.right, rect.top - rect.bottom, 100, 100,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        pWnd->ShowWindow(SW_SHOW);
    }
}

void CKtvPGlobalUtils::CalcExpectedDockedRect(CKtvPBarContainerManager& manager, CWnd* pWndToDock, CPoint pt,
                                              CRect& rectResult, BOOL& bDrawTab,
                                              CKtvPDockingControlBar** ppTargetBar)
{
    bDrawTab = FALSE;
    *ppTargetBar = nullptr;
    rectResult.SetRectEmpty();
    if (::GetKeyState(VK_CONTROL) < 0 || pWndToDock == nullptr) {
        return;
    }
    DWORD dwAlignment = CBRS_ALIGN_LEFT;
    BOOL bTabArea = FALSE;
    BOOL bCaption = FALSE;
    FindTargetAtPoint(manager, pt, ppTargetBar, dwAlignment, bTabArea, bCaption);
    CKtvPDockingControlBar* pTarget = *ppTargetBar;
    if (pTarget == nullptr) {
        return;
    }
    const DWORD dwPermitted = pTarget->GetParentMiniFrame(FALSE) != nullptr ? CBRS_ALIGN_ANY
                                                                            : pTarget->GetCurrentAlignment();
    CWnd* pBarToDock = pWndToDock;
    if (pWndToDock->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        pBarToDock = static_cast<CKtvPMiniFrameWnd*>(pWndToDock)->GetControlBar();
    }
    if (pBarToDock != nullptr && pBarToDock->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) &&
        (static_cast<CKtvPControlBar*>(pBarToDock)->GetEnabledAlignment() & dwPermitted) == 0) {
        return;
    }
    if (bTabArea || bCaption) {
        bDrawTab = pTarget->CanBeAttached() && CanBeAttached(pWndToDock);
        if (!bDrawTab) {
            return;
        }
    }
    if (pTarget->GetParentMiniFrame(FALSE) != nullptr && !CanJoinMultiMiniFrame(pWndToDock)) {
        bDrawTab = FALSE;
        return;
    }
    if (pWndToDock->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar)) &&
        !pTarget->CanAcceptBar(static_cast<CKtvPBaseControlBar*>(pWndToDock))) {
        bDrawTab = FALSE;
        return;
    }
    CRect rectTarget;
    pTarget->GetWindowRect(rectTarget);
    if (pTarget == pWndToDock ||
        (pWndToDock->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd)) && pTarget->GetParentMiniFrame(FALSE) == pWndToDock)) {
        bDrawTab = FALSE;
        return;
    }
    CRect rectDock;
    pWndToDock->GetWindowRect(rectDock);
    switch (dwAlignment) {
    case CBRS_ALIGN_TOP:
        rectResult.SetRect(rectTarget.left, rectTarget.top, rectTarget.right,
                           rectTarget.top + std::min(rectTarget.Height() / 2, rectDock.Height()));
        break;
    case CBRS_ALIGN_BOTTOM:
        rectResult.SetRect(rectTarget.left, rectTarget.bottom - std::min(rectTarget.Height() / 2, rectDock.Height()),
                           rectTarget.right, rectTarget.bottom);
        break;
    case CBRS_ALIGN_LEFT:
        rectResult.SetRect(rectTarget.left, rectTarget.top,
                           rectTarget.left + std::min(rectTarget.Width() / 2, rectDock.Width()), rectTarget.bottom);
        break;
    case CBRS_ALIGN_RIGHT:
        rectResult.SetRect(rectTarget.right - std::min(rectTarget.Width() / 2, rectDock.Width()), rectTarget.top,
                           rectTarget.right, rectTarget.bottom);
        break;
    default:
        break;
    }
}

BOOL CKtvPGlobalUtils::CanBeAttached(CWnd* pWnd) const
{
    if (pWnd == nullptr) {
        return FALSE;
    }
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        return static_cast<CKtvPMiniFrameWnd*>(pWnd)->CanBeAttached();
    }
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        return static_cast<CKtvPControlBar*>(pWnd)->CanBeAttached();
    }
    return FALSE;
}

BOOL CKtvPGlobalUtils::CanJoinMultiMiniFrame(CWnd* pWnd) const
{
    CWnd* pBarWnd = pWnd;
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        pBarWnd = static_cast<CKtvPMiniFrameWnd*>(pWnd)->GetControlBar();
    }
    if (pBarWnd == nullptr || !pBarWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        return FALSE;
    }
    auto* pBar = static_cast<CKtvPControlBar*>(pBarWnd);
    if (pBar->IsTabbed()) {
        CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(FALSE);
        if (pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
            return TRUE;
        }
    }
    return (pBar->GetBarStyle() & CBRS_FLOAT_MULTI) != 0;
}

BOOL CKtvPGlobalUtils::FindTargetAtPoint(CKtvPBarContainerManager& manager, CPoint pt,
                                         CKtvPDockingControlBar** ppTargetBar, DWORD& dwAlignment, BOOL& bTabArea,
                                         BOOL& bCaption)
{
    const int s = CKtvPDockManager::m_nDockSensitivity;
    *ppTargetBar = nullptr;
    CWnd* pTitleBar = nullptr;
    bCaption = manager.CheckTitle(pt, pTitleBar);
    if (bCaption) {
        *ppTargetBar = pTitleBar != nullptr && pTitleBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
                           ? static_cast<CKtvPDockingControlBar*>(pTitleBar)
                           : nullptr;
        return TRUE;
    }
    CKtvPBaseControlBar* pBar = manager.ControlBarFromPoint(pt, s, TRUE, bTabArea, bCaption);
    *ppTargetBar = pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
                       ? static_cast<CKtvPDockingControlBar*>(pBar)
                       : nullptr;
    if (*ppTargetBar == nullptr || bTabArea || bCaption) {
        return TRUE;
    }
    if (!CheckAlignment(pt, *ppTargetBar, s, FALSE, dwAlignment, CBRS_ALIGN_ANY, nullptr)) {
        *ppTargetBar = nullptr;
    }
    return TRUE;
}

void CKtvPGlobalUtils::AdjustRectToWorkArea(CRect& rect, const CRect* pMargins)
{
    CPoint ptRef = rect.TopLeft();
    if (m_bUseCursorMonitor) {
        ::GetCursorPos(&ptRef);
    }

    CRect rectWork;
    MONITORINFO mi{};
    mi.cbSize = sizeof(MONITORINFO);
    if (::GetMonitorInfo(::MonitorFromPoint(ptRef, MONITOR_DEFAULTTONEAREST), &mi)) {
        rectWork = mi.rcWork;
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    }

    const CRect m = pMargins != nullptr ? *pMargins : CRect(0, 0, 0, 0);
    if (rect.right <= rectWork.left + m.left) {
        rect.OffsetRect(rectWork.left - m.left - rect.left, 0);
    }
    if (rect.left >= rectWork.right - m.right) {
        rect.OffsetRect(rectWork.right - m.right - rect.right, 0);
    }
    if (rect.top >= rectWork.bottom - m.bottom) {
        rect.OffsetRect(0, rectWork.bottom - m.bottom - rect.top);
    }
    if (rect.bottom < rectWork.top + m.top) {
        rect.OffsetRect(0, rectWork.top + m.top - rect.bottom);
    }
}
