#include "ui/docking/KtvPGlobalUtils.h"

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CPropertySheet.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "ui/docking/KtvPControlBar.h"
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

void CKtvPGlobalUtils::SetNewParent(CObList&, CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPGlobalUtils::SetNewParent"); }

void CKtvPGlobalUtils::CalcExpectedDockedRect(CKtvPBarContainerManager&, CWnd*, CPoint, CRect&, BOOL&,
                                              CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::CalcExpectedDockedRect");
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

BOOL CKtvPGlobalUtils::FindTargetAtPoint(CKtvPBarContainerManager&, CPoint, CKtvPDockingControlBar**, DWORD&, BOOL&,
                                         BOOL&)
{
    KTVP_NOT_BUILT("CKtvPGlobalUtils::FindTargetAtPoint");
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
