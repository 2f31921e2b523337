// The tasks pane's layout, painting, mouse handling, scrolling by rows and
// the collapse animation of a group.
#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/controls/KtvPTasksPane.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

namespace {

constexpr UINT_PTR kTasksAnimationTimer = 4;
constexpr UINT kTasksAnimationPeriod = 30;
constexpr UINT_PTR kTasksScrollTimer = 5;
constexpr UINT kTasksScrollPeriod = 80;

int TasksTextHeight(CDC& dc, CFont* pFont, const CString& strText)
{
    CFont* pOldFont = dc.SelectObject(pFont);
    const int cy = dc.GetTextExtent(strText.IsEmpty() ? CString(" ") : strText).cy;
    dc.SelectObject(pOldFont);
    return cy;
}

}  // namespace

// --- areas and scroll values -----------------------------------------------------------------------

void CKtvPTasksPane::LayoutAreas()
{
    if (GetSafeHwnd() == nullptr || m_lstPages.IsEmpty())
        return;
    const CRect rectToolbarOld = m_rectToolbar;
    const CRect rectUpOld = m_rectScrollUp;
    const CRect rectDnOld = m_rectScrollDn;

    CRect C;
    GetClientRect(C);
    if (IsToolbarShown()) {
        const int cy = m_wndToolBar.CalcFixedLayout(FALSE, TRUE).cy;
        m_rectToolbar.SetRect(C.left, C.top, C.right, C.top + cy);
        m_wndToolBar.SetWindowPos(nullptr, m_rectToolbar.left, m_rectToolbar.top, m_rectToolbar.Width(), cy,
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        C.top = m_rectToolbar.bottom;
    } else {
        m_rectToolbar.SetRectEmpty();
        if (m_wndToolBar.GetSafeHwnd() != nullptr)
            m_wndToolBar.ShowWindow(SW_HIDE);
    }

    m_rectTasks = C;
    UpdateScrollBars();

    if (m_wndScrollBar.GetSafeHwnd() != nullptr) {
        m_wndScrollBar.EnableWindow(!m_bUseScrollButtons);
        if (m_bUseScrollButtons || m_nScrollTotal < 1) {
            m_wndScrollBar.ShowWindow(SW_HIDE);
        } else {
            const int cx = ::GetSystemMetrics(SM_CXHSCROLL);
            m_wndScrollBar.SetWindowPos(nullptr, C.right - cx, C.top, cx, C.Height(),
                                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            C.right -= cx;
            m_rectTasks.right -= cx;
        }
    }

    if (m_bUseScrollButtons) {
        m_rectScrollUp.SetRectEmpty();
        m_rectScrollDn.SetRectEmpty();
        if (m_nScrollOffset >= 1) {
            m_rectScrollUp.SetRect(C.left, C.top + 1, C.right, C.top + 1 + m_nScrollBtnHeight);
            C.top = m_rectScrollUp.bottom;
        }
        if (m_nScrollTotal - m_nScrollPage >= m_nScrollOffset && m_nScrollTotal > 0) {
            m_rectScrollDn.SetRect(C.left, C.bottom - m_nScrollBtnHeight, C.right, C.bottom);
            C.bottom -= m_nScrollBtnHeight + 1;
        }
        m_rectTasks = C;
    }

    BOOL bChanged = FALSE;
    const std::pair<CRect, CRect> places[] = {
        {rectToolbarOld, m_rectToolbar}, {rectUpOld, m_rectScrollUp}, {rectDnOld, m_rectScrollDn}};
    for (const auto& place : places) {
        if (place.first == place.second)
            continue;
        InvalidateRect(place.first);
        InvalidateRect(place.second);
        bChanged = TRUE;
    }
    if (bChanged)
        UpdateWindow();
}

// The page counts the rows of the tasks' area alone: the toolbar above it is
// no part of what scrolls, and the content is measured from the area's top.
void CKtvPTasksPane::UpdateScrollBars()
{
    if (m_wndScrollBar.GetSafeHwnd() == nullptr)
        return;
    if (m_nRowHeight == 0)
        ReposTasks(TRUE);  // the row height comes with the first measure
    if (m_nRowHeight == 0) {
        m_nScrollPage = m_nScrollTotal = m_nScrollOffset = 0;
    } else {
        int a = m_rectTasks.Height();
        if (m_bUseScrollButtons)
            a -= m_nScrollBtnHeight + 1;
        m_nScrollPage = a / m_nRowHeight - 1;
        const int H = ReposTasks(TRUE) - m_rectTasks.top;
        if (H > 0 && a < H) {
            m_nScrollTotal = H / m_nRowHeight - 1;
        } else {
            m_nScrollPage = m_nScrollTotal = m_nScrollOffset = 0;
        }
        m_nScrollOffset = std::clamp(m_nScrollOffset, 0, std::max(0, m_nScrollTotal - m_nScrollPage + 1));
    }
    if (!m_bUseScrollButtons) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = m_nScrollTotal;
        si.nPage = (UINT)std::max(0, m_nScrollPage);
        si.nPos = m_nScrollOffset;
        m_wndScrollBar.SetScrollInfo(&si, TRUE);
    }
    m_wndScrollBar.EnableScrollBar(!m_bUseScrollButtons && m_nScrollTotal > 0 ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

CScrollBar* CKtvPTasksPane::GetScrollBarCtrl(int nBar) const
{
    if (nBar == SB_VERT && m_wndScrollBar.GetSafeHwnd() != nullptr)
        return const_cast<CScrollBar*>(&m_wndScrollBar);
    return CKtvPDockingControlBar::GetScrollBarCtrl(nBar);
}

// --- task positions --------------------------------------------------------------------------------

int CKtvPTasksPane::ReposTasks(BOOL bCalcHeightOnly)
{
    if (globalData.bIsRemoteSession)
        m_bAnimationEnabled = FALSE;
    if (GetSafeHwnd() == nullptr || m_lstGroups.IsEmpty() || m_rectTasks.left < 0 ||
        m_rectTasks.left >= m_rectTasks.right || m_rectTasks.top < 0 || m_rectTasks.top >= m_rectTasks.bottom)
        return 0;

    const CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    const int nMarginV = Metric(m_nMarginV, pLook->m_nTasksMarginY);
    const int nMarginH = Metric(m_nMarginH, pLook->m_nTasksMarginX);
    const int nGroupSpacing = Metric(m_nGroupSpacing, pLook->m_nTasksGroupGapY);
    const int nCaptionMinHeight = Metric(m_nCaptionMinHeight, pLook->m_nTasksGroupCaptionHeight);
    const int nCaptionPadding = Metric(m_nCaptionPadding, pLook->m_nTasksGroupCaptionIndentY);
    const int nTaskIndent = Metric(m_nTaskIndent, pLook->m_nTasksIndentX);
    const int nTaskSpacing = Metric(m_nTaskSpacing, pLook->m_nTasksIconGapY);

    CRect R = m_rectTasks;
    R.DeflateRect(nMarginH, nMarginV);

    CClientDC dc(this);
    {
        CFont* pOldFont = dc.SelectObject(m_fontBold.GetSafeHandle() != nullptr ? &m_fontBold : &globalData.fontBold);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        m_nRowHeight = std::max<int>(m_sizeIcon.cy, tm.tmHeight);
        dc.SelectObject(pOldFont);
    }

    const CKtvPTasksPanePage* pPage = GetShownPage();
    int y = R.top - m_nRowHeight * m_nScrollOffset;
    CKtvPTasksGroup* pLastGroup = nullptr;
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr;) {
        auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
        if (pGroup->m_pPage != pPage)
            continue;
        pLastGroup = pGroup;

        int h = 0;
        if (!pGroup->m_strName.IsEmpty())
            h = std::max(nCaptionMinHeight, TasksTextHeight(dc, &globalData.fontBold, pGroup->m_strName) + nCaptionPadding);
        if (pGroup->m_hIcon != nullptr && pGroup->m_sizeIcon.cx < R.Width() - h && pGroup->m_sizeIcon.cy > h)
            y += pGroup->m_sizeIcon.cy - h;
        const int nCapBottom = y + h;
        if (!bCalcHeightOnly)
            pGroup->m_rect.SetRect(R.left, y, R.right, nCapBottom);

        const BOOL bAnimatedOpen = pGroup == m_pAnimatedGroup && m_nAnimGroupHeight > 0;
        if (pGroup->m_bIsCollapsed && !pGroup->m_strName.IsEmpty() && m_bCanCollapse &&
            (!bAnimatedOpen || bCalcHeightOnly)) {
            if (!bCalcHeightOnly) {
                pGroup->m_rectGroup.SetRect(R.left, nCapBottom - 1, R.right, nCapBottom - 1);
                for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
                    auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
                    if (pTask->m_hwndTask == nullptr)
                        pTask->m_rect.SetRectEmpty();
                }
            }
            y = nCapBottom + nGroupSpacing;
            continue;
        }

        y = nCapBottom + nTaskSpacing;
        for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
            auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
            CRect rect;
            if (pTask->m_hwndTask != nullptr) {
                rect.SetRect(R.left, std::max<int>(y, m_rectTasks.top + 1), R.right,
                             std::min<int>(pTask->m_bVisible ? y + pTask->m_nWindowHeight : y, m_rectTasks.bottom - 1));
                rect.DeflateRect(nTaskIndent, 0);
                y += nTaskSpacing + pTask->m_nWindowHeight;
            } else if (pTask->m_bVisible) {
                int cy = std::max<int>(TasksTextHeight(dc, &globalData.fontUnderline, pTask->m_strName), m_sizeIcon.cy);
                if (pTask->m_bIsSeparator)
                    cy = std::max(cy, 10);
                rect.SetRect(R.left + nTaskIndent, y, std::max<int>(R.left + nTaskIndent, R.right - nTaskIndent), y + cy);
                y += cy + nTaskSpacing;
            }
            if (m_bAnimationEnabled && pGroup == m_pAnimatedGroup && nCapBottom + m_nAnimGroupHeight < y) {
                y = m_nAnimGroupHeight < 0 ? nCapBottom : nCapBottom + m_nAnimGroupHeight;
                rect.bottom = std::max<int>(rect.top, std::min<int>(rect.bottom, y - 1));
            }
            if (!bCalcHeightOnly)
                pTask->m_rect = rect;
        }
        if (!bCalcHeightOnly)
            pGroup->m_rectGroup.SetRect(R.left, nCapBottom, R.right, y);
        y += nGroupSpacing;
    }

    if (!bCalcHeightOnly) {
        // The page's last group, flagged so, rests on the bottom while nothing scrolls.
        if (pLastGroup != nullptr && pLastGroup->m_bIsBottom && !pLastGroup->m_lstTasks.IsEmpty() &&
            m_nScrollTotal == 0) {
            BOOL bVisibleTask = FALSE;
            for (POSITION posTask = pLastGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;)
                bVisibleTask |= static_cast<CKtvPTask*>(pLastGroup->m_lstTasks.GetNext(posTask))->m_bVisible;
            const int d = R.bottom - pLastGroup->m_rectGroup.bottom;
            if (bVisibleTask && d >= 1) {
                pLastGroup->m_rect.OffsetRect(0, d);
                pLastGroup->m_rectGroup.OffsetRect(0, d);
                for (POSITION posTask = pLastGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;)
                    static_cast<CKtvPTask*>(pLastGroup->m_lstTasks.GetNext(posTask))->m_rect.OffsetRect(0, d);
            }
        }
        for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr;) {
            auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
            if (pGroup->m_pPage != pPage)
                continue;
            const BOOL bCollapsed = pGroup->m_bIsCollapsed && !pGroup->m_strName.IsEmpty() && m_bCanCollapse;
            const BOOL bOpen = !bCollapsed || (pGroup == m_pAnimatedGroup && m_nAnimGroupHeight > 0);
            for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
                auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
                if (pTask->m_hwndTask == nullptr)
                    continue;
                if (bOpen && pTask->m_bVisible && !pTask->m_rect.IsRectEmpty()) {
                    ::SetWindowPos(pTask->m_hwndTask, nullptr, pTask->m_rect.left, pTask->m_rect.top,
                                   pTask->m_rect.Width(), pTask->m_rect.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                } else {
                    ::ShowWindow(pTask->m_hwndTask, SW_HIDE);
                }
            }
        }
    }
    return y + m_nScrollOffset * m_nRowHeight + nMarginV - nTaskSpacing - nGroupSpacing;
}

// --- painting ----------------------------------------------------------------------------------------

void CKtvPTasksPane::OnPaint()
{
    CPaintDC dc(this);
    CKtvPMemDC memDC(dc, this);
    CRect rectClient;
    GetClientRect(rectClient);
    OnDrawTasks(&memDC.GetDC(), rectClient);
}

BOOL CKtvPTasksPane::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPTasksPane::OnDrawTasks(CDC* pDC, CRect rectWorkArea)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    // The strips the tasks leave free (beside the scroll buttons) take the bar's face.
    {
        const int nSaved = pDC->SaveDC();
        pDC->ExcludeClipRect(m_rectTasks);
        pDC->FillRect(rectWorkArea, &globalData.brBarFace);
        pDC->RestoreDC(nSaved);
    }
    CRect rectBackground = m_rectTasks;
    rectBackground.top -= m_nScrollOffset * m_nRowHeight;
    pLook->OnFillTasksPaneBackground(pDC, rectBackground);

    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(m_rectTasks);
    const CKtvPTasksPanePage* pPage = GetShownPage();
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr;) {
        auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
        if (pGroup->m_pPage != pPage)
            continue;
        const BOOL bCollapsed = pGroup->m_bIsCollapsed && !pGroup->m_strName.IsEmpty() && m_bCanCollapse;
        if (bCollapsed && !(pGroup == m_pAnimatedGroup && m_nAnimGroupHeight > 0)) {
            if (!pGroup->m_rect.IsRectEmpty())
                pLook->OnDrawTasksGroupCaption(pDC, pGroup, pGroup == m_pHotGroup, FALSE, m_bCanCollapse);
            continue;
        }
        if (!pGroup->m_rectGroup.IsRectEmpty())
            pLook->OnFillTasksGroupInterior(pDC, pGroup->m_rectGroup, pGroup->m_bIsSpecial);
        if (!pGroup->m_rect.IsRectEmpty())
            pLook->OnDrawTasksGroupCaption(pDC, pGroup, pGroup == m_pHotGroup, FALSE, m_bCanCollapse);
        if (pGroup->m_rectGroup.IsRectEmpty())
            continue;
        pLook->OnDrawTasksGroupAreaBorder(pDC, pGroup->m_rectGroup, pGroup->m_bIsSpecial, pGroup->m_strName.IsEmpty());
        for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
            auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
            if (!pTask->m_bVisible || pTask->m_hwndTask != nullptr)
                continue;
            const int nTaskSaved = pDC->SaveDC();
            pDC->IntersectClipRect(pTask->m_rect);
            pLook->OnDrawTask(pDC, pTask, &m_imlTaskIcons, pTask == m_pHotTask, FALSE);
            pDC->RestoreDC(nTaskSaved);
        }
    }
    pDC->RestoreDC(nSaved);

    if (m_bUseNavigationToolbar && m_wndToolBar.GetSafeHwnd() != nullptr) {
        m_wndToolBar.Invalidate();
        m_wndToolBar.UpdateWindow();
    }
    if (m_bUseScrollButtons) {
        if (m_nScrollOffset > 0)
            pLook->OnDrawScrollButton(pDC, m_rectScrollUp, 1, CKtvPMenuImages::IdArowUp, m_iScrollDir < 0);
        if (!m_rectScrollDn.IsRectEmpty())
            pLook->OnDrawScrollButton(pDC, m_rectScrollDn, 1, CKtvPMenuImages::IdArowDown, m_iScrollDir > 0);
    }
}

// --- hit tests and repainting ------------------------------------------------------------------------

CKtvPTask* CKtvPTasksPane::TaskFromPoint(CPoint point) const
{
    if (!m_rectTasks.PtInRect(point))
        return nullptr;
    const CKtvPTasksPanePage* pPage = GetShownPage();
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr;) {
        auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
        if (pGroup->m_pPage != pPage)
            continue;
        for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
            auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
            if (pTask->m_bVisible && pTask->m_uiCommandID != 0 && pTask->m_rect.PtInRect(point))
                return pTask;
        }
    }
    return nullptr;
}

CKtvPTasksGroup* CKtvPTasksPane::GroupCaptionFromPoint(CPoint point) const
{
    if (!m_bCanCollapse || !m_rectTasks.PtInRect(point))
        return nullptr;
    const CKtvPTasksPanePage* pPage = GetShownPage();
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr;) {
        auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
        if (pGroup->m_pPage == pPage && pGroup->m_rect.PtInRect(point))
            return pGroup;
    }
    return nullptr;
}

void CKtvPTasksPane::InvalidateTask(const CKtvPTask* pTask)
{
    if (pTask != nullptr && GetSafeHwnd() != nullptr)
        InvalidateRect(pTask->m_rect);
}

void CKtvPTasksPane::InvalidateGroupCaption(const CKtvPTasksGroup* pGroup)
{
    if (pGroup != nullptr && GetSafeHwnd() != nullptr)
        InvalidateRect(pGroup->m_rect);
}

void CKtvPTasksPane::RepaintAll()
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CKtvPTasksPane::ReleaseHotCapture()
{
    if (GetSafeHwnd() != nullptr && CWnd::GetCapture() == this)
        ::ReleaseCapture();
}

// --- the mouse -----------------------------------------------------------------------------------------

void CKtvPTasksPane::OnMouseMove(UINT nFlags, CPoint point)
{
    CKtvPDockingControlBar::OnMouseMove(nFlags, point);
    if (m_bUseScrollButtons) {
        int nDir = 0;
        if (m_rectScrollUp.PtInRect(point) && m_nScrollOffset > 0)
            nDir = -1;
        else if (m_rectScrollDn.PtInRect(point))
            nDir = 1;
        if (nDir != m_iScrollDir) {
            m_iScrollDir = nDir;
            InvalidateRect(m_rectScrollUp);
            InvalidateRect(m_rectScrollDn);
            UpdateWindow();
        }
        if (nDir != 0) {
            SetTimer(kTasksScrollTimer, kTasksScrollPeriod, nullptr);
            return;
        }
    }

    CKtvPTask* pTask = TaskFromPoint(point);
    CKtvPTasksGroup* pGroup = GroupCaptionFromPoint(point);
    // A disabled task is no place for the mouse to light up: it counts as
    // nothing, and the status bar shows the idle text.
    const BOOL bOverDisabled = pTask != nullptr && !pTask->m_bEnabled && pGroup == nullptr;
    if (bOverDisabled)
        pTask = nullptr;
    if (pTask == m_pHotTask && pGroup == m_pHotGroup) {
        if (bOverDisabled)
            ShowCommandMessageString((UINT)-1);
        return;
    }
    // Some other window holding the mouse keeps the pane from lighting anything.
    CWnd* pCapture = CWnd::GetCapture();
    const BOOL bOtherCapture = pCapture != nullptr && pCapture != this;

    if (pTask != nullptr && pGroup == nullptr) {
        if (m_pHotTask == nullptr && m_pHotGroup == nullptr) {
            if (bOtherCapture)
                return;
            SetCapture();
        }
        InvalidateTask(m_pHotTask);
        InvalidateGroupCaption(m_pHotGroup);
        m_pHotGroup = nullptr;
        m_pHotTask = pTask;
        InvalidateTask(m_pHotTask);
        ShowCommandMessageString(pTask->m_uiCommandID);
        UpdateWindow();
        return;
    }
    if (pGroup != nullptr) {
        if (m_pHotTask == nullptr && m_pHotGroup == nullptr) {
            if (bOtherCapture)
                return;
            SetCapture();
        }
        InvalidateGroupCaption(m_pHotGroup);
        InvalidateTask(m_pHotTask);
        m_pHotTask = nullptr;
        m_pHotGroup = pGroup;
        InvalidateGroupCaption(m_pHotGroup);
        UpdateWindow();
        return;
    }

    const BOOL bChanged = m_pHotTask != nullptr || m_pHotGroup != nullptr;
    InvalidateTask(m_pHotTask);
    InvalidateGroupCaption(m_pHotGroup);
    m_pHotTask = nullptr;
    m_pHotGroup = nullptr;
    if (bChanged && m_pClickedTask == nullptr && m_pClickedGroup == nullptr)
        ReleaseHotCapture();
    ShowCommandMessageString((UINT)-1);
    if (bChanged)
        UpdateWindow();
}

void CKtvPTasksPane::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_pClickedGroup = GroupCaptionFromPoint(point);
    m_pClickedTask = TaskFromPoint(point);
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point) || m_rectToolbar.PtInRect(point))
        CKtvPDockingControlBar::OnLButtonDown(nFlags, point);
}

void CKtvPTasksPane::OnLButtonUp(UINT nFlags, CPoint point)
{
    CKtvPDockingControlBar::OnLButtonUp(nFlags, point);
    if (m_pHotTask == nullptr && m_pClickedTask == nullptr && m_pHotGroup == nullptr && m_pClickedGroup == nullptr)
        return;
    ReleaseHotCapture();

    CKtvPTasksGroup* pGroup = GroupCaptionFromPoint(point);
    if (pGroup != nullptr && pGroup == m_pHotGroup && pGroup == m_pClickedGroup) {
        m_pClickedGroup = m_pHotGroup = nullptr;
        pGroup->m_bIsCollapsed = !pGroup->m_bIsCollapsed;
        if (m_bAnimationEnabled) {
            m_pAnimatedGroup = pGroup;
            m_nAnimGroupWidth = pGroup->m_rectGroup.Width();
            m_nAnimGroupHeight = pGroup->m_rectGroup.Height();
            SetTimer(kTasksAnimationTimer, kTasksAnimationPeriod, nullptr);
            m_dwAnimLastTick = ::GetTickCount();
        }
        LayoutAreas();
        ReposTasks();
        RepaintAll();
        SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
        return;
    }

    CKtvPTask* pTask = TaskFromPoint(point);
    CKtvPTask* pHot = m_pHotTask;
    CKtvPTask* pClicked = m_pClickedTask;
    m_pHotTask = m_pClickedTask = nullptr;
    m_pClickedGroup = nullptr;
    if (pHot != nullptr) {
        InvalidateTask(pHot);
        UpdateWindow();
    }
    if (pTask == nullptr || pTask != pHot || pTask != pClicked)
        return;
    CKtvPTasksGroup* pTaskGroup = pTask->m_pGroup;
    int nTask = 0;
    for (POSITION pos = pTaskGroup->m_lstTasks.GetHeadPosition(); pos != nullptr && pTaskGroup->m_lstTasks.GetNext(pos) != pTask;)
        nTask++;
    OnClickTask(GroupIndex(pTaskGroup), nTask, pTask->m_uiCommandID, pTask->m_dwUserData);
}

void CKtvPTasksPane::OnCancelMode()
{
    CKtvPDockingControlBar::OnCancelMode();
    if (m_pHotTask != nullptr || m_pClickedTask != nullptr) {
        InvalidateTask(m_pHotTask);
        InvalidateTask(m_pClickedTask);
        m_pHotTask = m_pClickedTask = nullptr;
        ReleaseHotCapture();
    }
    if (m_pHotGroup != nullptr || m_pClickedGroup != nullptr) {
        InvalidateGroupCaption(m_pHotGroup);
        InvalidateGroupCaption(m_pClickedGroup);
        m_pHotGroup = m_pClickedGroup = nullptr;
        ReleaseHotCapture();
    }
}

BOOL CKtvPTasksPane::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const CKtvPTask* pTaskUnder = TaskFromPoint(point);
    if ((m_pClickedTask != nullptr && m_pClickedTask->m_bEnabled) || (pTaskUnder != nullptr && pTaskUnder->m_bEnabled) ||
        (m_bCanCollapse && (m_pClickedGroup != nullptr || GroupCaptionFromPoint(point) != nullptr))) {
        ::SetCursor(globalData.GetHandCursor());
        return TRUE;
    }
    return CKtvPDockingControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// A double click inside the pane neither docks nor floats it; one in a hosted window is the window's.
BOOL CKtvPTasksPane::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDBLCLK && GetSafeHwnd() != nullptr) {
        BOOL bHosted = FALSE;
        for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr && !bHosted;) {
            auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
            for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
                if (static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask))->m_hwndTask == pMsg->hwnd)
                    bHosted = TRUE;
            }
        }
        if (!bHosted) {
            CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
            ::ClientToScreen(pMsg->hwnd, &point);
            ScreenToClient(&point);
            CRect rectClient;
            GetClientRect(rectClient);
            if (rectClient.PtInRect(point))
                return TRUE;
        }
    }
    return CKtvPDockingControlBar::PreTranslateMessage(pMsg);
}

// --- scrolling -------------------------------------------------------------------------------------------

void CKtvPTasksPane::ScrollTo(int nOffset)
{
    nOffset = std::clamp(nOffset, 0, std::max(0, m_nScrollTotal - m_nScrollPage + 1));
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    if (!m_bUseScrollButtons && m_wndScrollBar.GetSafeHwnd() != nullptr)
        m_wndScrollBar.SetScrollPos(m_nScrollOffset);
    LayoutAreas();
    ReposTasks();
    RepaintAll();
}

void CKtvPTasksPane::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    int nOffset = m_nScrollOffset;
    switch (nSBCode) {
    case SB_LINEUP:
        nOffset--;
        break;
    case SB_LINEDOWN:
        nOffset++;
        break;
    case SB_PAGEUP:
        nOffset -= m_nScrollPage;
        break;
    case SB_PAGEDOWN:
        nOffset += m_nScrollPage;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nOffset = (int)nPos;
        break;
    case SB_TOP:
        nOffset = 0;
        break;
    case SB_BOTTOM:
        nOffset = m_nScrollTotal;
        break;
    default:
        return;
    }
    ScrollTo(nOffset);
}

void CKtvPTasksPane::OnScrollButtonTick()
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_iScrollDir < 0 && m_rectScrollUp.PtInRect(point) && m_nScrollOffset > 0) {
        ScrollTo(m_nScrollOffset - 1);
        return;
    }
    if (m_iScrollDir > 0 && m_rectScrollDn.PtInRect(point)) {
        ScrollTo(m_nScrollOffset + 1);
        return;
    }
    KillTimer(kTasksScrollTimer);
    m_iScrollDir = 0;
    InvalidateRect(m_rectScrollUp);
    InvalidateRect(m_rectScrollDn);
    UpdateWindow();
}

// --- the collapse animation and timers ---------------------------------------------------------------

void CKtvPTasksPane::OnAnimationTick()
{
    if (m_pAnimatedGroup == nullptr) {
        KillTimer(kTasksAnimationTimer);
        return;
    }
    if (m_nRowHeight == 0)
        return;
    const DWORD dwNow = ::GetTickCount();
    const int nSteps = (int)((double)(dwNow - m_dwAnimLastTick) * 0.033333335 + 0.5);
    const BOOL bCollapsing = m_pAnimatedGroup->m_bIsCollapsed;
    m_nAnimGroupHeight += (bCollapsing ? -1 : 1) * nSteps * m_nRowHeight;

    const CRect rectStrip(m_rectTasks.left, m_pAnimatedGroup->m_rect.top - 1, m_rectTasks.right, m_rectTasks.bottom);
    InvalidateRect(rectStrip);
    ReposTasks();
    InvalidateRect(rectStrip);
    if ((bCollapsing && m_nAnimGroupHeight < 0) ||
        (!bCollapsing && m_nAnimGroupHeight > m_pAnimatedGroup->m_rectGroup.Height())) {
        m_pAnimatedGroup = nullptr;
        m_nAnimGroupWidth = m_nAnimGroupHeight = 0;
        KillTimer(kTasksAnimationTimer);
        // The group's final place, without the animation's clamp.
        LayoutAreas();
        ReposTasks();
        InvalidateRect(rectStrip);
    }
    UpdateWindow();
    m_dwAnimLastTick = dwNow;
}

void CKtvPTasksPane::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTasksAnimationTimer:
        OnAnimationTick();
        return;
    case kTasksScrollTimer:
        OnScrollButtonTick();
        return;
    default:
        CKtvPDockingControlBar::OnTimer(nIDEvent);
    }
}

// --- other messages ------------------------------------------------------------------------------------

void CKtvPTasksPane::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    LayoutAreas();
    ReposTasks();
    RepaintAll();
}

void CKtvPTasksPane::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKtvPDockingControlBar::OnSettingChange(uFlags, lpszSection);
    LayoutAreas();
    ReposTasks();
}
