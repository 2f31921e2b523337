#include "ui/commandbars/KtvPTabbedToolbar.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/afxmsg.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"

IMPLEMENT_DYNCREATE(CKtvPTabbedToolbar, CKtvPToolBar)
IMPLEMENT_DYNAMIC(CKtvPReBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPTabbedToolbar, CKtvPToolBar)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_REGISTERED_MESSAGE(KTVM_ONCHANGE_ACTIVE_TAB, OnChangeActiveTab)
END_MESSAGE_MAP()

CKtvPTabbedToolbar::CKtvPTabbedToolbar()
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

// The tab window is deleted at WM_NCDESTROY.
CKtvPTabbedToolbar::~CKtvPTabbedToolbar() = default;

void CKtvPTabbedToolbar::RecalcLayout()
{
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr) {
        const CSize sizeLargest = m_pTabWnd->GetLargestTabWndSize();
        const int nBorder = m_pTabWnd->GetTabBorderSize();
        const int nTabsHeight = m_pTabWnd->GetTabsHeight();

        CRect rectOld;
        m_pTabWnd->GetWindowRect(rectOld);
        const int cx = sizeLargest.cx + 2 * nBorder;
        const int cy = nTabsHeight + sizeLargest.cy + 2 * nBorder + 2;
        m_pTabWnd->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pTabWnd->RecalcLayout();

        StretchBar(cx - rectOld.Width(), nullptr);
        UpdateVirtualRect();
        if (IsFloating()) {
            if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
                pMiniFrame->SizeToContent();
        } else if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, KtvGetParentFrame(this))) {
            pFrame->RecalcLayout(TRUE);
        }
    }
    CKtvPToolBar::RecalcLayout();
}

CSize CKtvPTabbedToolbar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    CRect rectInside;
    CalcInsideRect(rectInside, bHorz);
    CRect rectTabs;
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        m_pTabWnd->GetWindowRect(rectTabs);
    return CSize(rectTabs.Width() + rectInside.left - rectInside.right,
                 rectTabs.Height() + rectInside.top - rectInside.bottom);
}

BOOL CKtvPTabbedToolbar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bHasGripper)
{
    if (bHasGripper & 1)
        dwStyle |= CBRS_GRIPPER;
    dwStyle &= ~(DWORD)(CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    m_dwStyle = dwStyle & 0xFFFF;
    SetBarAlignment(m_dwStyle & CBRS_ALIGN_ANY);

    const CString strClass = KtvRegisterBarWndClass(_T("KtvToolBar"), CS_DBLCLKS);
    return CKtvPControlBar::Create(strClass, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CKtvPTabbedToolbar::AddTab(CKtvPControlBar* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable)
{
    if (m_pTabWnd == nullptr || pNewBar == nullptr)
        return FALSE;

    pNewBar->SetParent(m_pTabWnd);
    if (CWnd* pFrame = KtvGetParentFrame(this))
        pNewBar->SetOwner(pFrame);

    CString strLabel;
    pNewBar->GetWindowText(strLabel);
    pNewBar->SetBarStyle(pNewBar->GetBarStyle() & ~CBRS_GRIPPER);

    m_pTabWnd->AddTab(pNewBar, strLabel, (UINT)-1, bDetachable);
    const int iLast = m_pTabWnd->GetTabsNum() - 1;
    if (bSetActive)
        m_pTabWnd->SetActiveTab(iLast);
    m_pTabWnd->ShowTab(iLast, bVisible, TRUE, FALSE);
    RecalcLayout();
    return TRUE;
}

int CKtvPTabbedToolbar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;

    m_pTabWnd = new CKtvPTabWnd;
    const CRect rectTabs(0, 0, lpCreateStruct->cx, lpCreateStruct->cy);
    if (!m_pTabWnd->Create(CKtvPTabWnd::TABSTYLE_3D, rectTabs, this, 101, CKtvPBaseTabWnd::LOCATION_TOP, FALSE)) {
        delete m_pTabWnd;
        m_pTabWnd = nullptr;
        return -1;
    }
    m_pTabWnd->SetHideSingleTab(FALSE);
    // The bars on the tabs stay bars: no docking wrapper, no frame, and the
    // tab window leaves their windows to their owners.
    m_pTabWnd->m_bEnableWrapping = FALSE;
    m_pTabWnd->m_bDrawFrame = FALSE;
    m_pTabWnd->m_bAutoDestroyWindow = FALSE;
    return 0;
}

void CKtvPTabbedToolbar::OnNcDestroy()
{
    CKtvPToolBar::OnNcDestroy();
    delete m_pTabWnd;
    m_pTabWnd = nullptr;
}

LRESULT CKtvPTabbedToolbar::OnChangeActiveTab(WPARAM, LPARAM) { return 0; }  // swallowed

BEGIN_MESSAGE_MAP(CKtvPReBar, CKtvPControlBar)
    ON_WM_NCCREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
    ON_NOTIFY_REFLECT(RBN_ENDDRAG, OnHeightChange)
    ON_MESSAGE(RB_SHOWBAND, OnShowBand)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

CKtvPReBar::CKtvPReBar() = default;
CKtvPReBar::~CKtvPReBar() = default;

BOOL CKtvPReBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CKtvPControlBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    if (CWnd* pOwner = GetOwner())
        SendMessage(RB_SETPARENT, (WPARAM)pOwner->GetSafeHwnd(), 0);
    return TRUE;
}

void CKtvPReBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rectInside;
    CalcInsideRect(rectInside, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    RECT& rectClient = lpncsp->rgrc[0];
    rectClient.left += rectInside.left;
    rectClient.top += rectInside.top;
    rectClient.right += rectInside.right;
    rectClient.bottom += rectInside.bottom;
}

// The control bar's own non-client painting: borders and gripper.
void CKtvPReBar::OnNcPaint()
{
    CKtvPControlBarImpl impl(this);
    impl.DrawNcArea();
}

void CKtvPReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    AdjustDockingLayout(nullptr);
    *pResult = 0;
}

LRESULT CKtvPReBar::OnShowBand(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    if (lResult == 0)
        return lResult;

    REBARBANDINFO info{};
    info.cbSize = 80;
    info.fMask = RBBIM_STYLE | RBBIM_CHILD;
    if (!SendMessage(RB_GETBANDINFO, wParam, (LPARAM)&info) || info.hwndChild == nullptr)
        return lResult;

    const BOOL bBandVisible = (info.fStyle & RBBS_HIDDEN) == 0;
    CWnd* pChild = CWnd::FromHandle(info.hwndChild);
    auto* pBar = DYNAMIC_DOWNCAST(CKtvPBaseControlBar, pChild);
    const BOOL bChildVisible =
        pBar != nullptr ? pBar->IsVisible() : (pChild->GetStyle() & WS_VISIBLE) != 0;
    if (bChildVisible != bBandVisible)
        pChild->ShowWindow(bBandVisible ? SW_SHOW : SW_HIDE);
    return lResult;
}

LRESULT CKtvPReBar::OnRecalcParent(WPARAM, LPARAM)
{
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, KtvGetParentFrame(this)))
        pFrame->RecalcLayout(TRUE);
    return 0;
}
