#include "ui/docking/KtvPSlider.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPMemDC.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNCREATE(CKtvPSlider, CKtvPBaseControlBar)

int CKtvPSlider::m_nDefaultWidth = 4;

BEGIN_MESSAGE_MAP(CKtvPSlider, CKtvPBaseControlBar)
    ON_WM_CREATE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPSlider::CKtvPSlider(BOOL bDefaultSlider, CWnd* pParentWnd)
    : m_nID(-1),
      m_dwSliderStyle(0),
      m_nWidth(0),
      m_bCaptured(false),
      m_bDefaultSlider(bDefaultSlider),
      m_bAutoHide(FALSE),
      m_nMinOffset(0),
      m_nMaxOffset(0),
      m_nStep(-1),
      m_pContainerManager(nullptr),
      m_pParentWnd(pParentWnd)
{
}

// A default slider's manager goes at WM_NCDESTROY; one that never got a window owns it still.
CKtvPSlider::~CKtvPSlider()
{
    if (m_bDefaultSlider && GetSafeHwnd() == nullptr) {
        delete m_pContainerManager;
        m_pContainerManager = nullptr;
    }
}

BOOL CKtvPSlider::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CKtvPSlider::CreateEx(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CKtvPSlider::CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                           CCreateContext* pContext)
{
    const CString strClass = KtvRegisterBarWndClass("KtvSlider");
    m_nID = (int)nID;
    m_dwSliderStyle = dwStyle & (KTVP_SS_HORZ | KTVP_SS_VERT);
    const CRect rectSlider(rect);
    m_nWidth = (m_dwSliderStyle & KTVP_SS_VERT) != 0 ? rectSlider.Width() : rectSlider.Height();

    if (m_bDefaultSlider && m_pContainerManager == nullptr) {
        m_pContainerManager = new CKtvPBarContainerManager;
        m_pContainerManager->Create(pParentWnd, this);
    }
    if (!CWnd::CreateEx(dwStyleEx, strClass, nullptr, dwStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                        rect, pParentWnd, nID, pContext)) {
        return FALSE;
    }
    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
    } else {
        m_pDockSite = static_cast<CFrameWnd*>(KtvGetParentFrame(pParentWnd));
    }
    return TRUE;
}

void CKtvPSlider::Serialize(CArchive& ar)
{
    CKtvPBaseControlBar::Serialize(ar);
    if (ar.IsStoring()) {
        CRect rect;
        GetWindowRect(rect);
        if (CWnd* pParent = GetParent()) {
            pParent->ScreenToClient(rect);
        }
        ar << m_nID << m_nStep << rect.left << rect.top << rect.right << rect.bottom;
        ar << (int)IsWindowVisible() << m_dwSliderStyle << m_nWidth << m_bDefaultSlider << m_nMinOffset
           << m_nMaxOffset;
        if (m_bDefaultSlider && m_pContainerManager != nullptr) {
            m_pContainerManager->Serialize(ar);
        }
        return;
    }
    CRect rect;
    int nVisible = 0;
    ar >> m_nID >> m_nStep >> rect.left >> rect.top >> rect.right >> rect.bottom;
    ar >> nVisible >> m_dwSliderStyle >> m_nWidth >> m_bDefaultSlider >> m_nMinOffset >> m_nMaxOffset;
    DWORD dwStyle = m_dwSliderStyle;
    dwStyle = nVisible ? (dwStyle | WS_VISIBLE) : (dwStyle & ~WS_VISIBLE);
    if (!CreateEx(0, dwStyle, rect, m_pParentWnd, (UINT)m_nID, nullptr)) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    if (m_bDefaultSlider && m_pContainerManager != nullptr) {
        m_pContainerManager->Serialize(ar);
    }
}

BOOL CKtvPSlider::AllowsInsertBefore() const
{
    return m_pContainerManager == nullptr || m_pContainerManager->AllowsInsertBefore();
}

CSize CKtvPSlider::CalcFixedLayout(BOOL, BOOL)
{
    CRect rectWnd;
    GetWindowRect(rectWnd);
    CSize size = rectWnd.Size();
    if (m_pContainerManager != nullptr) {
        CRect rectLayout;
        m_pContainerManager->GetWindowRect(rectLayout);
        size += rectLayout.Size();
    }
    return size;
}

void CKtvPSlider::MoveSlider(CSize sizeOffset, BOOL)
{
    int nOffset = 0;
    if ((m_dwSliderStyle & KTVP_SS_VERT) != 0) {
        nOffset = sizeOffset.cx;
    } else if ((m_dwSliderStyle & KTVP_SS_HORZ) != 0) {
        nOffset = sizeOffset.cy;
    } else {
        return;
    }
    if (m_pContainerManager != nullptr) {
        HDWP hdwp = ::BeginDeferWindowPos(50);
        m_pContainerManager->OnMoveInnerSlider(this, 0, nOffset, hdwp);
        if (hdwp != nullptr) {
            ::EndDeferWindowPos(hdwp);
        }
    }
    // The layout places the slider itself, by the offset the minimum sizes allowed.
    AdjustDockingLayout(nullptr);
}

void CKtvPSlider::AddControlBar(CKtvPBaseControlBar* pBar)
{
    if (m_pContainerManager == nullptr) {
        return;
    }
    m_pContainerManager->AddControlBar(pBar);
    RefreshVisibility();
}

CKtvPBaseControlBar* CKtvPSlider::AddRecentControlBar(CKtvPDockingControlBar* pBar)
{
    if (m_pContainerManager == nullptr || pBar == nullptr) {
        return nullptr;
    }
    CKtvPRecentDockInfo& info = pBar->GetRecentDockInfo();
    CKtvPBarContainer* pRecent = info.GetLayoutNode(TRUE);
    if (pRecent == nullptr) {
        pRecent = info.GetTabbedBarNode(TRUE);
    }
    if (pRecent == nullptr) {
        return nullptr;
    }
    CKtvPBaseControlBar* pResult = m_pContainerManager->AddControlBarToRecentContainer(pBar, pRecent);
    RefreshVisibility();
    return pResult;
}

BOOL CKtvPSlider::InsertControlBar(CKtvPBaseControlBar* pBarToInsert, CKtvPBaseControlBar* pTargetBar,
                                   DWORD dwAlignment, LPCRECT)
{
    if (m_pContainerManager == nullptr) {
        return FALSE;
    }
    const BOOL bResult = m_pContainerManager->InsertControlBar(pBarToInsert, pTargetBar, dwAlignment);
    RefreshVisibility();
    return bResult;
}

BOOL CKtvPSlider::ReplaceControlBar(CKtvPBaseControlBar* pBarOld, CKtvPBaseControlBar* pBarNew)
{
    if (m_pContainerManager == nullptr || pBarNew == nullptr) {
        return FALSE;
    }
    if (pBarNew->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        static_cast<CKtvPDockingControlBar*>(pBarNew)->SetDefaultSlider(GetSafeHwnd());
    }
    const BOOL bResult = m_pContainerManager->ReplaceControlBar(pBarOld, pBarNew);
    RefreshVisibility();
    return bResult;
}

void CKtvPSlider::RemoveControlBar(CKtvPBaseControlBar* pBar)
{
    if (m_pContainerManager == nullptr) {
        return;
    }
    m_pContainerManager->RemoveControlBarFromContainer(pBar);
    RemoveBarFromDockSite(pBar, FALSE, FALSE, m_bAutoHide);

    BOOL bNamesThis = FALSE;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        bNamesThis = static_cast<CKtvPDockingControlBar*>(pBar)->GetRecentDockInfo().GetLastDefaultSlider() == this;
    }
    if (m_pContainerManager->IsEmpty() && m_pContainerManager->GetTotalRefCount() == 0 && !bNamesThis) {
        Retire();
        return;
    }
    if (!RefreshVisibility()) {
        ShowWindow(SW_HIDE);
    }
}

void CKtvPSlider::RepositionSlider(CRect& rectNew, HDWP& hdwp)
{
    CRect rectSlider = rectNew;
    CRect rectLayout = rectNew;
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rectSlider.left = rectNew.right - m_nWidth;
        rectLayout.right = rectSlider.left;
        break;
    case CBRS_ALIGN_TOP:
        rectSlider.top = rectNew.bottom - m_nWidth;
        rectLayout.bottom = rectSlider.top;
        break;
    case CBRS_ALIGN_RIGHT:
        rectSlider.right = rectNew.left + m_nWidth;
        rectLayout.left = rectSlider.right;
        break;
    case CBRS_ALIGN_BOTTOM:
        rectSlider.bottom = rectNew.top + m_nWidth;
        rectLayout.top = rectSlider.bottom;
        break;
    default:
        return;
    }
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(rectSlider);
        pParent->ScreenToClient(rectLayout);
    }
    hdwp = MoveControlBar(rectSlider, TRUE, hdwp);
    if (m_pContainerManager != nullptr) {
        m_pContainerManager->ResizeBarContainers(rectLayout, hdwp);
    }
}

BOOL CKtvPSlider::AddContainerManagerToBar(CKtvPDockingControlBar* pTargetBar, CKtvPBarContainerManager& manager,
                                           DWORD dwAlignment)
{
    if (m_pContainerManager == nullptr) {
        return FALSE;
    }
    const BOOL bResult = m_pContainerManager->AddContainerManagerToBar(pTargetBar, dwAlignment, manager, TRUE);
    RefreshVisibility();
    return bResult;
}

BOOL CKtvPSlider::AddContainerManager(CKtvPBarContainerManager& manager, BOOL bOuterEdge)
{
    if (m_pContainerManager == nullptr) {
        return FALSE;
    }
    const BOOL bResult = m_pContainerManager->AddContainerManager(manager, bOuterEdge);
    RefreshVisibility();
    return bResult;
}

BOOL CKtvPSlider::RefreshVisibility()
{
    if (!m_bDefaultSlider || m_bAutoHide || m_pContainerManager == nullptr) {
        return FALSE;
    }
    const BOOL bVisible = m_pContainerManager->IsRootContainerVisible();
    ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
    return bVisible;
}

void CKtvPSlider::OnShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow)
{
    if (m_pContainerManager == nullptr || m_bAutoHide) {
        return;
    }
    const BOOL bLayoutVisible = m_pContainerManager->OnShowControlBar(pBar, bShow);
    if (bShow) {
        ShowWindow(SW_SHOW);
        return;
    }
    ShowWindow(bLayoutVisible ? SW_SHOW : SW_HIDE);
    BOOL bLeft = FALSE;
    if (CKtvPBarContainer* pNode = m_pContainerManager->FindContainer(pBar, bLeft)) {
        pNode->FillWithRemaining(pBar);
    }
}

BOOL CKtvPSlider::HasFloatableBar() const
{
    return m_pContainerManager != nullptr && m_pContainerManager->CanFloat();
}

void CKtvPSlider::CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult, BOOL& bDrawTab,
                                         CKtvPDockingControlBar** ppTargetBar)
{
    rectResult.SetRectEmpty();
    bDrawTab = FALSE;
    if (m_pContainerManager != nullptr) {
        globalUtils.CalcExpectedDockedRect(*m_pContainerManager, pWndToDock, ptMouse, rectResult, bDrawTab,
                                           ppTargetBar);
    }
}

void CKtvPSlider::CheckVisibility()
{
    if (!m_bDefaultSlider || m_pContainerManager == nullptr) {
        return;
    }
    if (m_pContainerManager->IsEmpty() && m_pContainerManager->GetTotalRefCount() == 0) {
        Retire();
    }
}

// The slider leaves the dock site at once and its window goes after the current
// message: a slider often retires from inside a handler of its own layout, and
// a frame on its way out destroys its sliders itself (the posted close then finds no window).
void CKtvPSlider::Retire()
{
    RemoveBarFromDockSite(this, FALSE, FALSE, m_bAutoHide);
    ShowWindow(SW_HIDE);
    PostMessage(WM_CLOSE);
}

void CKtvPSlider::StopTracking(BOOL bMoveSlider)
{
    if (!m_bCaptured) {
        return;
    }
    CRect rectWindow;
    GetWindowRect(rectWindow);
    const CSize sizeOffset(m_rectLastDragRect.left - rectWindow.left, m_rectLastDragRect.top - rectWindow.top);
    DrawTracker(nullptr);
    if (bMoveSlider) {
        MoveSlider(sizeOffset);
    }
    m_rectLastDragRect.SetRectEmpty();
    ReleaseCapture();
    m_bCaptured = false;
    if (m_pContainerManager != nullptr) {
        m_pContainerManager->NotifySliderTracking(FALSE);
    }
}

// Draws the tracker at pNew (NULL erases it) over the last one, on the desktop.
void CKtvPSlider::DrawTracker(LPCRECT pNew)
{
    const int h = m_nWidth / 2;
    const CRect rectEmpty(0, 0, 0, 0);
    CWindowDC dc(CWnd::GetDesktopWindow());
    const BOOL bFirst = m_rectLastDragRect.IsRectEmpty();
    dc.DrawDragRect(pNew != nullptr ? pNew : &rectEmpty, CSize(h, h), bFirst ? nullptr : &m_rectLastDragRect,
                    CSize(h, h));
}

CKtvPBaseControlBar* CKtvPSlider::GetFirstControlBar() const
{
    return m_pContainerManager != nullptr ? m_pContainerManager->GetFirstBar() : nullptr;
}

CKtvPBaseControlBar* CKtvPSlider::FindControlBarByID(UINT nID)
{
    if (m_pContainerManager == nullptr || m_pContainerManager->GetRootContainer() == nullptr) {
        return nullptr;
    }
    return m_pContainerManager->GetRootContainer()->FindBarByTabID(nID);
}

CKtvPBarContainer* CKtvPSlider::FindContainer(CKtvPBaseControlBar* pBar, BOOL& bLeftBar)
{
    return m_pContainerManager != nullptr ? m_pContainerManager->FindContainer(pBar, bLeftBar) : nullptr;
}

void CKtvPSlider::StoreRecentDockInfo(CKtvPDockingControlBar* pBar)
{
    if (m_pContainerManager != nullptr) {
        m_pContainerManager->StoreRecentDockInfo(pBar);
    }
}

void CKtvPSlider::StoreRecentTabRelatedInfo(CKtvPDockingControlBar* pBar, CKtvPBaseControlBar* pTabbedBar)
{
    if (pBar == nullptr) {
        return;
    }
    BOOL bLeft = FALSE;
    CKtvPBarContainer* pNode = FindContainer(pTabbedBar, bLeft);
    if (pNode == nullptr) {
        return;
    }
    auto* pTabbed = pTabbedBar != nullptr && pTabbedBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
                        ? static_cast<CKtvPDockingControlBar*>(pTabbedBar)
                        : nullptr;
    pBar->GetRecentDockInfo().StoreLayoutPlace(pNode, pTabbed);
}

void CKtvPSlider::GetControlBars(CObList& lstBars)
{
    if (m_pContainerManager != nullptr) {
        lstBars.AddTail(const_cast<CObList*>(&m_pContainerManager->GetControlBars()));
    }
}

int CKtvPSlider::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPBaseControlBar::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    globalData.GetSplitHorzCursor();
    globalData.GetSplitVertCursor();
    return 0;
}

BOOL CKtvPSlider::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT) {
        return CKtvPBaseControlBar::OnSetCursor(pWnd, nHitTest, message);
    }
    ::SetCursor(IsHorizontal() ? globalData.GetSplitVertCursor() : globalData.GetSplitHorzCursor());
    return TRUE;
}

void CKtvPSlider::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bCaptured && m_pContainerManager != nullptr) {
        m_bCaptured = true;
        SetCapture();
        CRect rect;
        GetWindowRect(rect);
        m_rectLastDragRect.SetRectEmpty();
        DrawTracker(rect);
        m_rectLastDragRect = rect;
        m_pContainerManager->GetMinMaxOffset(this, m_nMinOffset, m_nMaxOffset, m_nStep);
        m_rectDragBounds = rect;
        if (IsHorizontal()) {
            m_rectDragBounds.top = rect.top + m_nMinOffset;
            m_rectDragBounds.bottom = rect.bottom + m_nMaxOffset;
        } else {
            m_rectDragBounds.left = rect.left + m_nMinOffset;
            m_rectDragBounds.right = rect.right + m_nMaxOffset;
        }
        m_pContainerManager->NotifySliderTracking(TRUE);
    }
    CKtvPBaseControlBar::OnLButtonDown(nFlags, point);
}

void CKtvPSlider::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        CPoint pt = point;
        ClientToScreen(&pt);
        const int h = m_nWidth / 2;
        const CRect rectLast = m_rectLastDragRect;
        CRect rectNew = rectLast;
        if (IsHorizontal()) {
            rectNew.top = pt.y - h;
            rectNew.bottom = rectNew.top + m_nWidth;
            if (rectNew.top < m_rectDragBounds.top) {
                rectNew.top = m_rectDragBounds.top;
                rectNew.bottom = rectNew.top + m_nWidth;
            }
            if (rectNew.bottom > m_rectDragBounds.bottom) {
                rectNew.bottom = m_rectDragBounds.bottom;
                rectNew.top = rectNew.bottom - m_nWidth;
            }
        } else {
            rectNew.left = pt.x - h;
            rectNew.right = rectNew.left + m_nWidth;
            if (rectNew.left < m_rectDragBounds.left) {
                rectNew.left = m_rectDragBounds.left;
                rectNew.right = rectNew.left + rectLast.Width();
            }
            if (rectNew.right > m_rectDragBounds.right) {
                rectNew.right = m_rectDragBounds.right;
                rectNew.left = rectNew.right - rectLast.Width();
            }
        }
        DrawTracker(rectNew);
        m_rectLastDragRect = rectNew;
    }
    CKtvPBaseControlBar::OnMouseMove(nFlags, point);
}

void CKtvPSlider::OnLButtonUp(UINT nFlags, CPoint point)
{
    StopTracking(TRUE);
    CKtvPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CKtvPSlider::OnCancelMode()
{
    StopTracking(FALSE);
    CKtvPBaseControlBar::OnCancelMode();
}

void CKtvPSlider::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CKtvPMemDC memDC(dc, this);
    CKtvPVisualManager::GetInstance()->OnDrawSlider(&memDC.GetDC(), this, rectClient, m_bAutoHide);
}

void CKtvPSlider::OnSize(UINT nType, int cx, int cy) { CWnd::OnSize(nType, cx, cy); }

void CKtvPSlider::OnDestroy() { CKtvPBaseControlBar::OnDestroy(); }

void CKtvPSlider::OnNcDestroy()
{
    if (m_pContainerManager != nullptr) {
        m_pContainerManager->RemoveSlider(this);
        if (m_bDefaultSlider) {
            delete m_pContainerManager;
        }
        m_pContainerManager = nullptr;
    }
    CKtvPBaseControlBar::OnNcDestroy();
    delete this;
}
