#include "ui/docking/KtvPDragFrameImpl.h"

#include <cstdlib>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPPreviewTabBar.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPDragFrameImpl::CKtvPDragFrameImpl()
    : m_ptLastCursor(0, 0),
      m_pDropTarget(nullptr),
      m_bDroppedOnTab(FALSE),
      m_bOutlineActive(FALSE),
      m_nPreviewTab(-1),
      m_nOutlineWidth(globalData.m_nDragFrameWidthFloating),
      m_pDockManager(nullptr),
      m_pDraggedWnd(nullptr),
      m_pCurrentTarget(nullptr),
      m_bTabShapeDrawn(FALSE)
{
}

CKtvPDragFrameImpl::~CKtvPDragFrameImpl() = default;

CKtvPDockManager* CKtvPDragFrameImpl::Attach(CWnd* pDraggedWnd)
{
    m_pDraggedWnd = pDraggedWnd;
    CWnd* pDockSite = nullptr;
    CKtvPMiniFrameWnd* pMiniFrame = nullptr;
    if (pDraggedWnd != nullptr && pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        pMiniFrame = static_cast<CKtvPMiniFrameWnd*>(pDraggedWnd);
    } else if (pDraggedWnd != nullptr && pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        auto* pBar = static_cast<CKtvPControlBar*>(pDraggedWnd);
        pMiniFrame = pBar->IsFloating() ? pBar->GetParentMiniFrame(TRUE) : nullptr;
        if (pMiniFrame == nullptr) {
            pDockSite = pBar->GetDockSiteFrameWnd();
        }
    }
    if (pMiniFrame != nullptr) {
        pDockSite = CWnd::FromHandlePermanent(pMiniFrame->GetParentFrameHwnd());
    }
    m_pDockManager = globalUtils.GetDockManager(pDockSite);
    return m_pDockManager;
}
void CKtvPDragFrameImpl::MoveDragFrame(BOOL bForce)
{
    m_pDropTarget = nullptr;
    if (m_pDraggedWnd == nullptr || m_pDockManager == nullptr) {
        return;
    }

    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const CSize sizeDelta = ptCursor - m_ptLastCursor;
    const CSize sizeThreshold = CKtvPDockingControlBar::GetDragThreshold();
    if (std::abs(sizeDelta.cx) < sizeThreshold.cx && std::abs(sizeDelta.cy) < sizeThreshold.cy && m_rectOutline.IsRectEmpty() &&
        !bForce) {
        return;
    }

    m_bOutlineActive = TRUE;
    m_pDockManager->LockUpdate(TRUE);

    const CRect rectOnScreen = !m_rectDockPreview.IsRectEmpty() ? m_rectDockPreview : m_rectOutline;
    BOOL bFirst = FALSE;
    if (m_rectOutline.IsRectEmpty()) {
        // A new drag: the last drop's tab flag no longer describes it.
        bFirst = TRUE;
        m_bDroppedOnTab = FALSE;
        InitOutline();
    }

    CKtvPDockingControlBar* pOldTarget = m_pCurrentTarget;
    CRect rectExpected;
    BOOL bDrawTab = FALSE;
    m_pDockManager->CalcExpectedDockedRect(m_pDraggedWnd, ptCursor, rectExpected, bDrawTab, &m_pCurrentTarget);

    if (m_nPreviewTab != -1 && pOldTarget != nullptr && (pOldTarget != m_pCurrentTarget || !bDrawTab)) {
        RemoveTabPreview(pOldTarget);
        bFirst = TRUE;
    }

    BOOL bMayBeTab = TRUE;
    if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) &&
        !m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        bMayBeTab = static_cast<CKtvPControlBar*>(m_pDraggedWnd)->CanBeAttached();
    }
    if (bMayBeTab && m_pCurrentTarget != nullptr && bDrawTab) {
        if (m_nPreviewTab != -1) {
            return;
        }
        if (!bFirst) {
            EndOutline(FALSE);
        }
        if (ShowPlaceholderTab(m_pCurrentTarget)) {
            return;
        }
        DrawTabShape(m_pCurrentTarget, FALSE);
        m_nPreviewTab = 1;
        return;
    }

    m_rectOutline.OffsetRect(sizeDelta);
    m_ptLastCursor = ptCursor;
    m_rectDockPreview = rectExpected;
    const int nNewWidth =
        rectExpected.IsRectEmpty() ? globalData.m_nDragFrameWidthFloating : globalData.m_nDragFrameWidthDocked;
    if (rectExpected.IsRectEmpty() && !m_rectOutline.PtInRect(ptCursor)) {
        const int nWidth = m_rectOutline.Width();
        const int nHeight = m_rectOutline.Height();
        m_rectOutline.left = ptCursor.x - nWidth / 2;
        m_rectOutline.right = m_rectOutline.left + nWidth;
        m_rectOutline.top = ptCursor.y - 5;
        m_rectOutline.bottom = m_rectOutline.top + nHeight;
    }
    const CRect rectNew = rectExpected.IsRectEmpty() ? m_rectOutline : rectExpected;
    DrawOutline(rectOnScreen, rectNew, bFirst, nNewWidth, m_nOutlineWidth);
    m_nOutlineWidth = nNewWidth;
}

// The outline starts as the dragged window; a docked bar shows the size it floats at.
void CKtvPDragFrameImpl::InitOutline()
{
    if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        m_pDraggedWnd->GetWindowRect(m_rectOutline);
        return;
    }
    if (!m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        return;
    }
    auto* pBar = static_cast<CKtvPControlBar*>(m_pDraggedWnd);
    pBar->GetWindowRect(m_rectOutline);
    if (!pBar->IsFloating()) {
        const CRect& rectFloat = pBar->GetRecentDockInfo().m_rectLastFloat;
        m_rectOutline.right = m_rectOutline.left + rectFloat.Width();
        m_rectOutline.bottom = m_rectOutline.top + rectFloat.Height();
        if (!m_rectOutline.PtInRect(m_ptLastCursor)) {
            m_rectOutline.OffsetRect(m_ptLastCursor.x - 5 - m_rectOutline.left, 0);
        }
    }
}

// A tabbed bar whose tab strip shows gets an invisible placeholder tab; FALSE
// when the target is no such bar or the placeholder cannot be made, and the
// caller draws the tab shape instead.
BOOL CKtvPDragFrameImpl::ShowPlaceholderTab(CKtvPDockingControlBar* pTarget)
{
    if (!pTarget->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        return FALSE;
    }
    auto* pTabbedBar = static_cast<CKtvPBaseTabbedBar*>(pTarget);
    const int nVisibleTabs = pTabbedBar->GetVisibleTabsNum();
    if (!(nVisibleTabs > 1 || (nVisibleTabs > 0 && !pTabbedBar->IsHideSingleTab()))) {
        return FALSE;
    }
    CKtvPPreviewTabBar& placeholder = KtvGetPreviewTabBar();
    if (placeholder.GetSafeHwnd() == nullptr) {
        CWnd* pParent = g_pKtvTopLevelFrameOverride != nullptr ? static_cast<CWnd*>(g_pKtvTopLevelFrameOverride)
                                                               : static_cast<CWnd*>(m_pDraggedWnd->GetTopLevelFrame());
        if (!placeholder.CreateEx(0, "", pParent, CRect(0, 0, 0, 0), FALSE, (UINT)-2, WS_CHILD, 0x20, 0xF,
                                  nullptr)) {
            return FALSE;
        }
    }
    CString strLabel;
    CWnd* pLabelWnd = m_pDraggedWnd;
    if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
        pLabelWnd = static_cast<CKtvPMultiMiniFrameWnd*>(m_pDraggedWnd)->GetFirstVisibleBar();
    }
    if (pLabelWnd != nullptr) {
        pLabelWnd->GetWindowText(strLabel);
    }
    CKtvPBaseTabWnd* pTabWnd = pTabbedBar->GetUnderlinedWindow();
    if (pTabWnd == nullptr) {
        return FALSE;
    }
    pTabWnd->AddTab(&placeholder, strLabel, (UINT)-1, TRUE);
    m_nPreviewTab = pTabWnd->GetTabFromHwnd(placeholder.GetSafeHwnd());
    m_bTabShapeDrawn = FALSE;
    return TRUE;
}

void CKtvPDragFrameImpl::RemoveTabPreview(CKtvPDockingControlBar* pTarget)
{
    if (pTarget->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) && !m_bTabShapeDrawn) {
        CKtvPPreviewTabBar& placeholder = KtvGetPreviewTabBar();
        placeholder.ShowWindow(SW_HIDE);
        m_pDockManager->LockUpdate(FALSE);
        if (CKtvPBaseTabWnd* pTabWnd = static_cast<CKtvPBaseTabbedBar*>(pTarget)->GetUnderlinedWindow()) {
            pTabWnd->RemoveTab(m_nPreviewTab, TRUE);
        }
        m_pDockManager->LockUpdate(TRUE);
    } else {
        DrawTabShape(pTarget, TRUE);
    }
    m_nPreviewTab = -1;
}
void CKtvPDragFrameImpl::EndOutline(BOOL bClear)
{
    if (m_pDockManager == nullptr) {
        return;
    }
    if (m_nPreviewTab == -1) {
        const CRect rectOnScreen = !m_rectDockPreview.IsRectEmpty() ? m_rectDockPreview : m_rectOutline;
        if (!rectOnScreen.IsRectEmpty()) {
            DrawOutline(CRect(0, 0, 0, 0), rectOnScreen, FALSE, m_nOutlineWidth, 4);
        }
    } else {
        m_bDroppedOnTab = TRUE;
    }
    if (bClear) {
        if (m_nPreviewTab != -1 && m_pCurrentTarget != nullptr) {
            RemoveTabPreview(m_pCurrentTarget);
        }
        m_nPreviewTab = -1;
        m_rectOutline.SetRectEmpty();
        m_rectDockPreview.SetRectEmpty();
        m_pDropTarget = m_pCurrentTarget;
        m_pCurrentTarget = nullptr;
    }
    m_bOutlineActive = FALSE;
    m_pDockManager->LockUpdate(FALSE);
}
void CKtvPDragFrameImpl::DrawTabShape(CWnd* pTarget, BOOL bErase)
{
    const int W = globalData.m_nDragFrameWidthDocked;
    const int H = globalData.m_nTextHeight;
    CRect r;
    pTarget->GetWindowRect(r);
    CRect rectTab(r.left + 10, r.bottom - H, r.left + 50 < r.right ? r.left + 50 : r.right - W - 4, r.bottom);
    CRect rectBody(r.left, r.top, r.right, r.bottom - H);
    CRect rectSeam(rectTab.left + W, r.bottom - H - W, rectTab.right - W, r.bottom - H + W);
    const CRect rectEmpty(0, 0, 0, 0);
    for (const CRect& rect : {rectTab, rectBody, rectSeam}) {
        DrawOutline(rectEmpty, rect, !bErase, W, W);
    }
    m_bTabShapeDrawn = !bErase;
}

void CKtvPDragFrameImpl::DrawOutline(LPCRECT pOld, LPCRECT pNew, BOOL bFirst, int nNewWidth, int nOldWidth)
{
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    CWindowDC dc(pDesktop);
    dc.DrawDragRect(pNew, CSize(nNewWidth, nNewWidth), bFirst ? nullptr : pOld, CSize(nOldWidth, nOldWidth));
}
