#include "ui/docking/KtvPMiniFrameWnd.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMenu.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPBaseToolBar.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

// Floating frames are written into the docking layout with their class record.
IMPLEMENT_SERIAL(CKtvPMiniFrameWnd, CWnd, VERSIONABLE_SCHEMA | 2)

UINT CKtvPMiniFrameWnd::m_nRollTimeOut = 250;
BOOL CKtvPMiniFrameWnd::m_bUseSaveBits = TRUE;
CList<HWND, HWND> CKtvPMiniFrameWnd::m_lstFrames;
CMap<UINT, UINT, HWND, HWND> CKtvPMiniFrameWnd::m_mapFloatingBars;

BEGIN_MESSAGE_MAP(CKtvPMiniFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CHAR()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_MOVING, OnMovingFrame)
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_WM_CLOSE()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_SETTINGCHANGE()
    ON_WM_NCCREATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_REGISTERED_MESSAGE(KTVPMSG_CHECKEMPTYMINIFRAME, OnCheckEmptyState)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
END_MESSAGE_MAP()

CKtvPMiniFrameWnd::CKtvPMiniFrameWnd()
    : m_bIgnoreNextMove(false),
      m_bActive(FALSE),
      m_nCaptionHeight(GetSystemMetrics(SM_CYSMCAPTION)),
      m_dwCaptionButtons(0),
      m_pDockTarget(nullptr),
      m_hEmbeddedBar(nullptr),
      m_bCaptured(false),
      m_nDockStatus(0),
      m_sizeMinSize(m_nCaptionHeight + 15, m_nCaptionHeight + 15),
      m_nHit(0),
      m_nHot(0),
      m_nDockTimerID(0),
      m_nRollTimerID(0),
      m_bRolledUp(FALSE),
      m_nHeightBeforeRollUp(0),
      m_bPinned(FALSE),
      m_bKeepWhenEmpty(FALSE),
      m_hParentFrame(nullptr),
      m_hWndToDelete(nullptr),
      m_hLastFocus(nullptr),
      m_nRestoredBarID(0),
      m_rectRecentFloat(0, 0, 100, 100)
{
}

// The caption buttons are the frame's own.
CKtvPMiniFrameWnd::~CKtvPMiniFrameWnd()
{
    while (!m_lstCaptionButtons.IsEmpty())
        delete m_lstCaptionButtons.RemoveHead();
}

namespace {

constexpr UINT_PTR kDockTimer = 4;
constexpr UINT_PTR kRollTimer = 5;
// The styles a floating frame is made with; a stored record may set no other.
constexpr DWORD kMiniFrameStyles = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE;

}  // namespace

CWnd* CKtvPMiniFrameWnd::m_pParentForLoad = nullptr;

CKtvPBaseControlBar* CKtvPMiniFrameWnd::GetBar() const
{
    CWnd* pWnd = GetControlBar();
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))
               ? static_cast<CKtvPBaseControlBar*>(pWnd)
               : nullptr;
}

CKtvPDockManager* CKtvPMiniFrameWnd::GetParentDockManager() const
{
    CWnd* pFrame = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr;
    return pFrame != nullptr ? globalUtils.GetDockManager(pFrame) : nullptr;
}

BOOL CKtvPMiniFrameWnd::HoldsToolBar() const
{
    CWnd* pBar = GetControlBar();
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPToolBar));
}

BOOL CKtvPMiniFrameWnd::CanBeDockedToBar(const CKtvPDockingControlBar* pDockingBar) const
{
    CKtvPBaseControlBar* pBar = GetBar();
    return pDockingBar != nullptr && pBar != nullptr && pDockingBar->CanAcceptBar(pBar);
}

BOOL CKtvPMiniFrameWnd::IsCursorOverFrame() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    if (!rect.PtInRect(pt)) {
        return FALSE;
    }
    CWnd* pWnd = CWnd::FromHandle(::WindowFromPoint(pt));
    return pWnd == this || (pWnd != nullptr && IsChild(pWnd));
}

BOOL CKtvPMiniFrameWnd::CanRollUp() const
{
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    return !rect.PtInRect(pt) && !m_bPinned;
}

BOOL CKtvPMiniFrameWnd::CanBeAttached() const
{
    CKtvPBaseControlBar* pBar = GetBar();
    return pBar != nullptr && pBar->CanBeAttached();
}

void CKtvPMiniFrameWnd::AddControlBar(CKtvPBaseControlBar* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == m_hEmbeddedBar) {
        return;
    }
    m_hEmbeddedBar = pWnd->GetSafeHwnd();
    CString strText;
    pWnd->GetWindowText(strText);
    SetWindowText(strText);
    for (WPARAM nType : {(WPARAM)ICON_SMALL, (WPARAM)ICON_BIG}) {
        SendMessage(WM_SETICON, nType, pWnd->SendMessage(WM_GETICON, nType, 0));
    }
    AddRemoveBarFromGlobalList(pWnd, TRUE);
    if (pWnd->CanBeClosed()) {
        DWORD dwButtons = KTVP_CAPTION_BTN_CLOSE;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPToolBar))) {
            auto* pToolBar = static_cast<CKtvPToolBar*>(pWnd);
            if (pToolBar->m_pCustomizeBtn != nullptr && pToolBar->m_bQuickCustomize) {
                dwButtons |= KTVP_CAPTION_BTN_MENU;
            }
        }
        SetCaptionButtons(dwButtons);
    }
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPMenuBar)) && static_cast<CKtvPToolBar*>(pWnd)->m_pCustomizeBtn != nullptr) {
        SetCaptionButtons(KTVP_CAPTION_BTN_MENU);
    }
    SetRollUpTimer();
}

void CKtvPMiniFrameWnd::RemoveControlBar(CKtvPBaseControlBar* pWnd, BOOL bDestroy, BOOL bKeepWhenEmpty)
{
    m_bKeepWhenEmpty = bKeepWhenEmpty;
    if (pWnd != nullptr) {
        AddRemoveBarFromGlobalList(pWnd, FALSE);
        pWnd->OnRemoveFromMiniFrame(this);
        if (pWnd->GetSafeHwnd() == m_hEmbeddedBar) {
            m_hEmbeddedBar = nullptr;
        }
    }
    KillRollUpTimer();
    if (GetControlBarCount() != 0) {
        return;
    }
    if (bDestroy) {
        DestroyWindow();
    } else {
        PostMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
    }
}

void CKtvPMiniFrameWnd::ReplaceControlBar(CKtvPBaseControlBar* pBarOrg, CKtvPBaseControlBar* pBarReplaceWith)
{
    AddRemoveBarFromGlobalList(pBarOrg, FALSE);
    AddRemoveBarFromGlobalList(pBarReplaceWith, TRUE);
    if (pBarOrg != nullptr && pBarOrg->GetSafeHwnd() == m_hEmbeddedBar && pBarReplaceWith != nullptr) {
        m_hEmbeddedBar = pBarReplaceWith->GetSafeHwnd();
    }
    SetRollUpTimer();
}

void CKtvPMiniFrameWnd::SetCaptionButtons(DWORD dwButtons)
{
    RemoveButtons();
    CKtvPBaseControlBar* pBar = GetBar();
    if ((dwButtons & KTVP_CAPTION_BTN_CLOSE) != 0 && pBar != nullptr && pBar->CanBeClosed()) {
        AddButton(KTVP_HTCLOSE_FRAME);
    }
    if ((dwButtons & KTVP_CAPTION_BTN_PIN) != 0) {
        AddButton(KTVP_HTPIN);
    }
    if ((dwButtons & KTVP_CAPTION_BTN_AUTOHIDE) != 0) {
        AddButton(KTVP_HTAUTOHIDE_SECOND);
    }
    if ((dwButtons & KTVP_CAPTION_BTN_MENU) != 0) {
        AddButton(KTVP_HTMENU);
    }
    m_dwCaptionButtons = dwButtons;
    SyncTooltipTools();
    ArrangeCaptionButtons();
    if (GetSafeHwnd() != nullptr) {
        SendMessage(WM_NCPAINT);
    }
}

void CKtvPMiniFrameWnd::OffsetWindow(CWnd*, int dx, int dy)
{
    CRect rect;
    GetWindowRect(rect);
    rect.OffsetRect(dx, dy);
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

int CKtvPMiniFrameWnd::GetControlBarCount() const
{
    return m_hEmbeddedBar != nullptr && CWnd::FromHandlePermanent(m_hEmbeddedBar) != nullptr ? 1 : 0;
}

int CKtvPMiniFrameWnd::GetVisibleBarCount() const
{
    CWnd* pBar = GetControlBar();
    return pBar != nullptr && (pBar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0;
}

CWnd* CKtvPMiniFrameWnd::GetControlBar() const
{
    return m_hEmbeddedBar != nullptr ? CWnd::FromHandlePermanent(m_hEmbeddedBar) : nullptr;
}

CWnd* CKtvPMiniFrameWnd::GetFirstVisibleBar() const
{
    return GetVisibleBarCount() == 1 ? GetControlBar() : nullptr;
}

void CKtvPMiniFrameWnd::SizeToContent()
{
    CKtvPBaseControlBar* pBar = GetBar();
    if (pBar == nullptr) {
        return;
    }
    const CSize sizeClient = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectClient;
    GetClientRect(rectClient);
    const CSize sizeNc(rectWindow.Width() - rectClient.Width(), rectWindow.Height() - rectClient.Height());
    SetWindowPos(nullptr, 0, 0, sizeClient.cx + sizeNc.cx, sizeClient.cy + sizeNc.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CString CKtvPMiniFrameWnd::GetCaptionText()
{
    CString strText;
    if (CWnd* pBar = GetControlBar()) {
        pBar->GetWindowText(strText);
    }
    return strText;
}

void CKtvPMiniFrameWnd::CalcBorderSize(CRect& rectBorderSize) const
{
    if (HoldsToolBar()) {
        rectBorderSize.SetRect(3, 3, 3, 3);
        return;
    }
    const int cx = ::GetSystemMetrics(SM_CXFRAME);
    const int cy = ::GetSystemMetrics(SM_CYFRAME);
    rectBorderSize.SetRect(cx, cy, cx, cy);
}

void CKtvPMiniFrameWnd::CalcExpectedDockedRect(CWnd*, CPoint, CRect& rectResult, BOOL& bDrawTab,
                                               CKtvPDockingControlBar**)
{
    rectResult.SetRectEmpty();
    bDrawTab = FALSE;
}

CKtvPBaseControlBar* CKtvPMiniFrameWnd::ControlBarFromPoint(CPoint point, int, BOOL bCheckVisibility)
{
    CKtvPBaseControlBar* pBar = GetBar();
    if (pBar == nullptr) {
        return nullptr;
    }
    CRect rect;
    pBar->GetWindowRect(rect);
    if (!rect.PtInRect(point) || (bCheckVisibility && (pBar->GetStyle() & WS_VISIBLE) == 0)) {
        return nullptr;
    }
    return pBar;
}

void CKtvPMiniFrameWnd::GetCaptionRect(CRect& rectCaption) const
{
    CRect rectBorder;
    CalcBorderSize(rectBorder);
    GetWindowRect(rectCaption);
    rectCaption.OffsetRect(-rectCaption.left, -rectCaption.top);
    rectCaption.DeflateRect(rectBorder.left, rectBorder.top, rectBorder.right, rectBorder.bottom);
    rectCaption.bottom = rectCaption.top + m_nCaptionHeight;
}

void CKtvPMiniFrameWnd::AdjustLayout()
{
    CWnd* pBar = GetControlBar();
    if (pBar == nullptr) {
        return;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    pBar->SetWindowPos(nullptr, rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKtvPMiniFrameWnd::OnBarRecalcLayout()
{
    if (CKtvPBaseControlBar* pBar = GetBar()) {
        pBar->RecalcLayout();
        SizeToContent();
    }
}

BOOL CKtvPMiniFrameWnd::SaveState(LPCTSTR lpszProfileName, UINT uiID)
{
    CKtvPBaseControlBar* pBar = GetBar();
    return pBar == nullptr || pBar->SaveState(lpszProfileName, (int)uiID, (UINT)-1);
}

BOOL CKtvPMiniFrameWnd::LoadState(LPCTSTR lpszProfileName, UINT uiID)
{
    CKtvPBaseControlBar* pBar = GetBar();
    return pBar == nullptr || pBar->LoadState(lpszProfileName, (int)uiID, (UINT)-1);
}

void CKtvPMiniFrameWnd::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CRect rect;
        GetWindowRect(rect);
        if (m_bRolledUp) {
            rect.bottom = rect.top + m_nHeightBeforeRollUp;
        }
        CWnd* pBar = GetControlBar();
        ar << (DWORD)GetStyle() << rect.left << rect.top << rect.right << rect.bottom << (int)IsWindowVisible()
           << (int)(pBar != nullptr ? pBar->GetDlgCtrlID() : 0) << m_dwCaptionButtons << m_bPinned;
        return;
    }
    DWORD dwStyle = 0;
    CRect rect;
    int nVisible = 0;
    int nBarID = 0;
    ar >> dwStyle >> rect.left >> rect.top >> rect.right >> rect.bottom >> nVisible >> nBarID >>
        m_dwCaptionButtons >> m_bPinned;
    m_nRestoredBarID = (UINT)nBarID;
    // A stored style is trusted only for the bits a floating frame is made with.
    dwStyle = (dwStyle & kMiniFrameStyles & ~WS_CHILD) | WS_POPUP;
    if (!Create(nullptr, dwStyle, rect, m_pParentForLoad, nullptr)) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    m_hParentFrame = m_pParentForLoad != nullptr ? m_pParentForLoad->GetSafeHwnd() : nullptr;
}

void CKtvPMiniFrameWnd::SetDockState(CKtvPDockManager* pDockManager)
{
    CKtvPBaseControlBar* pBar = nullptr;
    if (m_nRestoredBarID != 0 && pDockManager != nullptr) {
        pBar = pDockManager->FindBarByID(m_nRestoredBarID, TRUE);
    }
    if (pBar == nullptr || !pBar->CanFloat() || pBar->GetSafeHwnd() == nullptr) {
        DestroyWindow();
        return;
    }
    CWnd* pOwner = m_hParentFrame != nullptr ? CWnd::FromHandle(m_hParentFrame) : nullptr;
    if (CKtvPBaseTabbedBar* pTabbed = pBar->GetParentTabbedBar()) {
        pBar->SetParent(pOwner);
        pTabbed->RemoveControlBar(pBar);
        if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
            pBar->ShowCaption(TRUE);
        }
        pBar->ShowWindow(SW_SHOW);
    }
    if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) &&
        static_cast<CKtvPDockingControlBar*>(pBar)->IsAutoHideMode()) {
        static_cast<CKtvPDockingControlBar*>(pBar)->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, TRUE);
    }
    // A pane in another floating frame leaves it; one docked is floated first.
    if (CKtvPMiniFrameWnd* pCurrent = pBar->GetParentMiniFrame(TRUE); pCurrent != nullptr && pCurrent != this) {
        pCurrent->RemoveControlBar(pBar, FALSE, FALSE);
    } else if (pCurrent == nullptr) {
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        pBar->FloatControlBar(rectBar, KTVP_DM_SHOW, FALSE);
        if (CKtvPMiniFrameWnd* pTemporary = pBar->GetParentMiniFrame(TRUE); pTemporary != nullptr && pTemporary != this) {
            pTemporary->RemoveControlBar(pBar, FALSE, FALSE);
        }
    }
    pBar->SetParent(this);
    pBar->AdjustDockingLayout(nullptr);
    AddControlBar(pBar);
    pBar->CWnd::SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    CRect rectClient;
    GetClientRect(rectClient);
    pBar->CalcLayoutForLength(rectClient.Height(), TRUE);
    pBar->RecalcLayout();
    SizeToContent();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pBar->ShowControlBar(pBar->GetRecentVisibleState(), FALSE, FALSE);
    SetCaptionButtons(m_dwCaptionButtons);
}

UINT CKtvPMiniFrameWnd::HitTest(CPoint point, BOOL bDetectCaption)
{
    if (CKtvPToolBar::m_bCustomizeMode && GetControlBar() != nullptr && !HoldsToolBar()) {
        return HTNOWHERE;
    }
    CRect W;
    GetWindowRect(W);
    if (!W.PtInRect(point)) {
        return HTNOWHERE;
    }
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    if (rectClient.PtInRect(point)) {
        return HTCLIENT;
    }
    CRect B;
    CalcBorderSize(B);
    const CRect rectCaption(W.left + B.left, W.top + B.top, W.right - B.right, W.top + B.top + m_nCaptionHeight);
    if (rectCaption.PtInRect(point)) {
        if (bDetectCaption) {
            return HTCAPTION;
        }
        CKtvPCaptionButton* pBtn = FindButtonByPoint(point);
        return pBtn != nullptr ? pBtn->GetHit() : (UINT)HTCLIENT;
    }
    if (HoldsToolBar()) {
        if (point.y < W.top + B.top) {
            return HTTOP;
        }
        if (point.x < W.left + B.left) {
            return HTLEFT;
        }
        if (point.y >= W.bottom - B.bottom) {
            return HTBOTTOM;
        }
        if (point.x >= W.right - B.right) {
            return HTRIGHT;
        }
        return HTNOWHERE;
    }
    const int cx = ::GetSystemMetrics(SM_CXCURSOR) / 2;
    const int cy = ::GetSystemMetrics(SM_CYCURSOR) / 2;
    const BOOL bTop = point.y < W.top + B.top;
    const BOOL bBottom = point.y >= W.bottom - B.bottom;
    const BOOL bLeft = point.x < W.left + B.left;
    const BOOL bRight = point.x >= W.right - B.right;
    const BOOL bNearLeft = point.x < W.left + cx;
    const BOOL bNearRight = point.x >= W.right - cx;
    const BOOL bNearTop = point.y < W.top + cy;
    const BOOL bNearBottom = point.y >= W.bottom - cy;
    if (bTop) {
        return bNearLeft ? HTTOPLEFT : (bNearRight ? HTTOPRIGHT : HTTOP);
    }
    if (bRight) {
        return bNearTop ? HTTOPRIGHT : (bNearBottom ? HTBOTTOMRIGHT : HTRIGHT);
    }
    if (bBottom) {
        return bNearRight ? HTBOTTOMRIGHT : (bNearLeft ? HTBOTTOMLEFT : HTBOTTOM);
    }
    if (bLeft) {
        return bNearTop ? HTTOPLEFT : (bNearBottom ? HTBOTTOMLEFT : HTLEFT);
    }
    return (UINT)CWnd::OnNcHitTest(point);
}

void CKtvPMiniFrameWnd::CheckControlBarValid()
{
    CWnd* pBar = GetControlBar();
    if (pBar == nullptr) {
        m_hEmbeddedBar = nullptr;
        return;
    }
    const int nID = pBar->GetDlgCtrlID();
    const BOOL bValid = (nID != -1 && (UINT)nID != 0xFFFF) ||
                        (pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) &&
                         static_cast<CKtvPBaseTabbedBar*>(pBar)->GetTabsNum() > 0);
    if (!bValid) {
        m_hEmbeddedBar = nullptr;
    }
}

void CKtvPMiniFrameWnd::SetRollUpTimer()
{
    CKtvPBaseControlBar* pBar = GetBar();
    if (pBar != nullptr && (pBar->GetControlBarStyle() & KTVP_CBRS_AUTO_ROLLUP) != 0) {
        StartRollUpTimer();
    }
}

void CKtvPMiniFrameWnd::KillRollUpTimer()
{
    CKtvPBaseControlBar* pBar = GetBar();
    if (pBar == nullptr || (pBar->GetControlBarStyle() & KTVP_CBRS_AUTO_ROLLUP) == 0) {
        StopRollUpTimer();
    }
}

BOOL CKtvPMiniFrameWnd::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                               CCreateContext* pContext)
{
    return CreateEx(0, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

// The sound form of creation: a frame that cannot register with its frame's
// dock manager takes its window with it, so no window outlives its object.
BOOL CKtvPMiniFrameWnd::CreateEx(DWORD dwStyleEx, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                 CWnd* pParentWnd, CCreateContext* pContext)
{
    const CString strClass = KtvRegisterBarWndClass("KtvMiniWrame", m_bUseSaveBits ? CS_DBLCLKS | CS_SAVEBITS
                                                                                   : CS_DBLCLKS);
    m_hParentFrame = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    if (!CWnd::CreateEx(dwStyleEx, strClass, lpszWindowName, dwStyle | WS_POPUP, rect, pParentWnd, 0, pContext)) {
        return FALSE;
    }
    if (pParentWnd != nullptr) {
        CKtvPDockManager* pDockManager =
            pParentWnd->IsFrameWnd() ? globalUtils.GetDockManager(pParentWnd) : nullptr;
        if (pDockManager == nullptr) {
            DestroyWindowKeepObject();
            return FALSE;
        }
        pDockManager->AddMiniFrame(this);
    }
    m_dragFrame.Attach(this);
    return TRUE;
}

// Destroys the window while the caller keeps (and deletes) the object.
void CKtvPMiniFrameWnd::DestroyWindowKeepObject()
{
    m_bDeleteOnNcDestroy = FALSE;
    DestroyWindow();
    m_bDeleteOnNcDestroy = TRUE;
}

BOOL CKtvPMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= MFS_SYNCACTIVE;
    return CWnd::PreCreateWindow(cs);
}

BOOL CKtvPMiniFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    const UINT m = pMsg->message;
    const BOOL bRelay = (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK) ||
                        m == WM_KEYDOWN;
    if (bRelay && m_ToolTip.GetSafeHwnd() != nullptr) {
        m_ToolTip.RelayEvent(pMsg);
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// --- moving and docking ---------------------------------------------------------------------------------

void CKtvPMiniFrameWnd::SetDragMode(BOOL bOnOff)
{
    if (auto* pBar = dynamic_cast<CKtvPControlBar*>(GetControlBar())) {
        pBar->SetDragMode(bOnOff);
    }
    if (bOnOff) {
        return;
    }
    if (m_hWndToDelete != nullptr && ::IsWindow(m_hWndToDelete)) {
        ::DestroyWindow(m_hWndToDelete);
    }
    m_hWndToDelete = nullptr;
}

void CKtvPMiniFrameWnd::EnterDragMode(HWND hWndToDelete)
{
    if (m_bCaptured) {
        return;
    }
    SetCapture();
    if (m_hWndToDelete == nullptr) {
        m_hWndToDelete = hWndToDelete;
    }
    m_bCaptured = true;
    SetDragMode(TRUE);
    ::GetCursorPos(&m_dragFrame.m_ptLastCursor);
    if (GetDockingMode() == KTVP_DT_IMMEDIATE) {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
    }
}

void CKtvPMiniFrameWnd::EndMove()
{
    if (m_bCaptured) {
        ReleaseCapture();
    }
    m_bCaptured = false;
    SetDragMode(FALSE);
}

void CKtvPMiniFrameWnd::SaveRecentFloatingState()
{
    GetWindowRect(m_rectRecentFloat);
    if (auto* pBar = dynamic_cast<CKtvPControlBar*>(GetControlBar())) {
        pBar->GetRecentDockInfo().m_rectLastFloat = m_rectRecentFloat;
    }
}

BOOL CKtvPMiniFrameWnd::NotifyFrameOfMove()
{
    CWnd* pFrame = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr;
    CKtvPFrameHooks* pHooks = pFrame != nullptr ? KtvGetFrameHooks(pFrame) : nullptr;
    return pHooks != nullptr && pHooks->OnMoveMiniFrame(this);
}

BOOL CKtvPMiniFrameWnd::DockWithStatus(int nStatus, CWnd* pTarget, int)
{
    if (nStatus == 0) {
        return TRUE;
    }
    auto* pTargetBar = pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
                           ? static_cast<CKtvPDockingControlBar*>(pTarget)
                           : nullptr;
    if (nStatus == 2 && (pTargetBar == nullptr || !pTargetBar->CanBeAttached())) {
        return TRUE;
    }
    if (pTargetBar != nullptr && pTargetBar->GetParentMiniFrame(TRUE) != nullptr) {
        return TRUE;
    }
    const BOOL bWasMoving = m_bCaptured;
    EndMove();
    m_nDockStatus = nStatus;
    m_pDockTarget = pTargetBar;
    BOOL bDocked = FALSE;
    CKtvPBaseControlBar* pBar = DockFrame(bDocked);  // may destroy this frame
    if (pBar != nullptr) {
        pBar->AdjustDockingLayout(nullptr);
        if (bWasMoving && pBar->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)) && !pBar->IsFloating()) {
            static_cast<CKtvPControlBar*>(pBar)->EnterDragMode(FALSE);
        }
    }
    return FALSE;
}

CKtvPBaseControlBar* CKtvPMiniFrameWnd::DockFrame(BOOL& bDocked)
{
    bDocked = FALSE;
    auto* pBar = dynamic_cast<CKtvPDockingControlBar*>(GetControlBar());
    const int nMode = GetDockingMode();
    if (nMode == KTVP_DT_IMMEDIATE) {
        if (m_nDockStatus == 1 && pBar != nullptr) {
            m_nDockStatus = 0;
            bDocked = pBar->DockByMouse(m_pDockTarget);
            return pBar;
        }
        if (m_nDockStatus == 2 && m_pDockTarget != nullptr && pBar != nullptr) {
            CKtvPDockingControlBar* pResult = pBar->AttachToTabbedBar(m_pDockTarget, KTVP_DM_MOUSE, TRUE);
            // Tabbing that failed left the bar floating: it is not docked.
            bDocked = pResult != nullptr;
            return pResult;
        }
        m_nDockStatus = 0;
        return pBar;
    }
    if (nMode != KTVP_DT_STANDARD) {
        return nullptr;
    }
    const CRect rectOutline = m_dragFrame.m_rectOutline;
    // A click on the caption that never left the drag distance showed no outline: it docks nothing.
    if (rectOutline.IsRectEmpty() && !m_dragFrame.IsShown()) {
        return nullptr;
    }
    m_dragFrame.EndOutline(TRUE);
    const HWND hWnd = GetSafeHwnd();
    const BOOL bLoading = g_bKtvLoadingBars;
    g_bKtvLoadingBars = TRUE;
    CKtvPDockingControlBar* pResult = DockBarAtCursor(bDocked);
    g_bKtvLoadingBars = bLoading;
    if (CWnd* pFrame = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr;
        pFrame != nullptr && pFrame->IsFrameWnd()) {
        static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
    }
    if (!::IsWindow(hWnd)) {
        return pResult;
    }
    const BOOL bStillHere = pResult == nullptr || pResult->GetParentMiniFrame(TRUE) == this;
    if (!rectOutline.IsRectEmpty() && !bDocked && bStillHere) {
        MoveWindow(rectOutline.left, rectOutline.top, rectOutline.Width(), rectOutline.Height(), TRUE);
        if (!IsWindowVisible() && GetControlBarCount() > 0) {
            ShowWindow(SW_SHOW);
        }
    }
    return pResult;
}

CKtvPDockingControlBar* CKtvPMiniFrameWnd::DockBarAtCursor(BOOL& bDocked)
{
    bDocked = FALSE;
    auto* pBar = dynamic_cast<CKtvPDockingControlBar*>(GetControlBar());
    if (pBar == nullptr || !CanDockAtCursor()) {
        return nullptr;
    }
    if (GetDockingMode() == KTVP_DT_STANDARD && !pBar->IsWindowVisible()) {
        pBar->ShowWindow(SW_SHOW);
    }
    return dynamic_cast<CKtvPDockingControlBar*>(pBar->DockAtCursor(bDocked));
}

BOOL CKtvPMiniFrameWnd::CanDockAtCursor() const
{
    if (::GetKeyState(VK_CONTROL) < 0) {
        return FALSE;
    }
    CKtvPDockManager* pDockManager = GetParentDockManager();
    if (pDockManager == nullptr) {
        return TRUE;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    BOOL bDrawTab = FALSE;
    CKtvPDockingControlBar* pTarget = nullptr;
    pDockManager->CalcExpectedDockedRect(const_cast<CKtvPMiniFrameWnd*>(this), pt, rect, bDrawTab, &pTarget);
    return !rect.IsRectEmpty();
}

void CKtvPMiniFrameWnd::SetDockingTimer(UINT nElapse)
{
    KillDockingTimer();
    m_nDockTimerID = SetTimer(kDockTimer, nElapse, nullptr);
}

void CKtvPMiniFrameWnd::KillDockingTimer()
{
    if (m_nDockTimerID != 0) {
        KillTimer(kDockTimer);
    }
    m_nDockTimerID = 0;
}

void CKtvPMiniFrameWnd::MoveDragFrame() { m_dragFrame.MoveDragFrame(TRUE); }

int CKtvPMiniFrameWnd::GetDockingMode() const
{
    CKtvPBaseControlBar* pBar = GetBar();
    return pBar != nullptr ? pBar->GetDockingMode() : g_nKtvDefaultDockMode;
}

LRESULT CKtvPMiniFrameWnd::OnMovingFrame(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    NotifyFrameOfMove();
    return lResult;
}

BOOL CKtvPMiniFrameWnd::MoveLoop(CWnd* pMenuWnd)
{
    if (pMenuWnd != nullptr) {
        pMenuWnd->ShowWindow(SW_HIDE);
    }
    CWnd* pBar = GetControlBar();
    if (pBar == nullptr) {
        return FALSE;
    }
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        ::DispatchMessage(&msg);
    }
    if (CWnd::GetCapture() != nullptr) {
        return FALSE;
    }
    pBar->SetCapture();
    CRect rect;
    GetWindowRect(rect);
    const CPoint ptCursor((rect.left + rect.right) / 2, rect.top + 5);
    ::SetCursorPos(ptCursor.x, ptCursor.y);
    const CSize sizeOffset(ptCursor.x - rect.left, 5);

    BOOL bSuccess = FALSE;
    BOOL bDone = FALSE;
    while (!bDone && CWnd::GetCapture() == pBar) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            SetWindowPos(nullptr, pt.x - sizeOffset.cx, pt.y - sizeOffset.cy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case WM_KEYDOWN:
            bDone = msg.wParam == VK_ESCAPE;
            break;
        case WM_LBUTTONUP:
            bSuccess = TRUE;
            bDone = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bDone = TRUE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    ReleaseCapture();
    if (pMenuWnd != nullptr && ::IsWindow(pMenuWnd->GetSafeHwnd())) {
        if (bSuccess) {
            pMenuWnd->SendMessage(WM_CLOSE);
            CFrameWnd* pTop = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : GetTopLevelFrame();
            if (pTop != nullptr) {
                pTop->SetFocus();
            }
        } else {
            pMenuWnd->ShowWindow(SW_SHOWNOACTIVATE);
        }
    }
    if (!bSuccess) {
        CFrameWnd* pTop = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : GetTopLevelFrame();
        if (CKtvPFrameHooks* pHooks = pTop != nullptr ? KtvGetFrameHooks(pTop) : nullptr) {
            if (CKtvPFrameImpl* pImpl = pHooks->GetFrameImpl()) {
                pImpl->RemoveTearOffToolbar(static_cast<CKtvPControlBar*>(pBar));
            }
        }
        pBar->DestroyWindow();
    }
    return bSuccess;
}

// --- caption buttons --------------------------------------------------------------------------------------

CKtvPCaptionButton* CKtvPMiniFrameWnd::AddButton(UINT nHit)
{
    if (CKtvPCaptionButton* pBtn = FindButton(nHit)) {
        return pBtn;
    }
    CKtvPCaptionButton* pBtn = nHit == KTVP_HTMENU ? new CKtvPCaptionMenuButton(nHit) : new CKtvPCaptionButton(nHit);
    m_lstCaptionButtons.AddHead(pBtn);
    return pBtn;
}

CKtvPCaptionButton* CKtvPMiniFrameWnd::FindButton(UINT nHit) const
{
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (pBtn->GetHit() == nHit) {
            return pBtn;
        }
    }
    return nullptr;
}

CKtvPCaptionButton* CKtvPMiniFrameWnd::FindButtonByPoint(CPoint point) const
{
    CRect rectWindow;
    GetWindowRect(rectWindow);
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        CRect rect = pBtn->GetRect();
        rect.OffsetRect(rectWindow.TopLeft());
        if (!pBtn->m_bHidden && rect.PtInRect(point)) {
            return pBtn;
        }
    }
    return nullptr;
}

void CKtvPMiniFrameWnd::RemoveButtons()
{
    while (!m_lstCaptionButtons.IsEmpty()) {
        delete static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.RemoveHead());
    }
    m_nHot = 0;
}

void CKtvPMiniFrameWnd::ArrangeCaptionButtons()
{
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    const CSize B = CKtvPCaptionButton::GetSize();
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    const int y = rectCaption.top + (rectCaption.Height() - B.cy) / 2;
    int xLeft = rectCaption.left;
    int xRight = rectCaption.right;
    for (POSITION pos = m_lstCaptionButtons.GetTailPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetPrev(pos));
        if (pBtn->m_bHidden) {
            continue;
        }
        if (pBtn->m_bLeftAlign) {
            pBtn->m_ptOrigin = CPoint(xLeft, y);
            xLeft += B.cx + 4;
        } else {
            pBtn->m_ptOrigin = CPoint(xRight - B.cx, y);
            xRight = pBtn->m_ptOrigin.x - 4;
        }
    }
    UpdateTooltips();
}

void CKtvPMiniFrameWnd::UpdateTooltips()
{
    if (m_ToolTip.GetSafeHwnd() == nullptr) {
        return;
    }
    int nTool = 1;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr && nTool <= m_ToolTip.GetToolCount();
         nTool++) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        m_ToolTip.SetToolRect(this, (UINT_PTR)nTool, pBtn->GetClientRectIn(this));
    }
}

void CKtvPMiniFrameWnd::SyncTooltipTools()
{
    if (m_ToolTip.GetSafeHwnd() == nullptr || m_ToolTip.GetToolCount() == m_lstCaptionButtons.GetCount()) {
        return;
    }
    for (int i = m_ToolTip.GetToolCount(); i >= 1; i--) {
        m_ToolTip.DelTool(this, (UINT_PTR)i);
    }
    const CRect rectEmpty(0, 0, 0, 0);
    for (int i = 1; i <= (int)m_lstCaptionButtons.GetCount(); i++) {
        m_ToolTip.AddTool(this, LPSTR_TEXTCALLBACK, rectEmpty, (UINT_PTR)i);
    }
}

void CKtvPMiniFrameWnd::RedrawButton(CKtvPCaptionButton* pBtn)
{
    if (pBtn == nullptr) {
        return;
    }
    m_rectRedraw = pBtn->GetRect();
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    UpdateWindow();
}

void CKtvPMiniFrameWnd::OnTrackCaptionButtons(CPoint point)
{
    const UINT nOldHot = m_nHot;
    CKtvPCaptionButton* pBtn = FindButtonByPoint(point);
    if (pBtn != nullptr && !pBtn->m_bEnabled) {
        pBtn = nullptr;
    }
    m_nHot = pBtn != nullptr ? pBtn->GetHit() : 0;
    if (pBtn != nullptr) {
        pBtn->m_bFocused = TRUE;
    }
    if (m_nHot != nOldHot) {
        RedrawButton(pBtn);
        if (CKtvPCaptionButton* pOld = FindButton(nOldHot)) {
            pOld->m_bFocused = FALSE;
            RedrawButton(pOld);
        }
    }
    if (m_nHit != 0 || m_bCaptured) {
        return;
    }
    if (m_nHot != 0 && CWnd::GetCapture() != this) {
        SetCapture();
    } else if (m_nHot == 0 && nOldHot != 0 && CWnd::GetCapture() == this) {
        ReleaseCapture();
    }
}

void CKtvPMiniFrameWnd::StopCaptionButtonsTracking()
{
    if (CKtvPCaptionButton* pBtn = FindButton(m_nHit)) {
        pBtn->m_bPushed = FALSE;
        if (CWnd::GetCapture() == this && !m_bCaptured) {
            ReleaseCapture();
        }
        RedrawButton(pBtn);
    }
    m_nHit = 0;
    if (CKtvPCaptionButton* pBtn = FindButton(m_nHot)) {
        pBtn->m_bFocused = FALSE;
        if (CWnd::GetCapture() == this && !m_bCaptured) {
            ReleaseCapture();
        }
        RedrawButton(pBtn);
    }
    m_nHot = 0;
}

void CKtvPMiniFrameWnd::OnPressButtonUp(UINT nHit)
{
    if (nHit != KTVP_HTMENU || CKtvPToolBar::m_bCustomizeMode) {
        return;
    }
    auto* pToolBar = dynamic_cast<CKtvPToolBar*>(GetControlBar());
    CKtvPCaptionButton* pBtn = FindButton(KTVP_HTMENU);
    if (pToolBar == nullptr || pBtn == nullptr || pToolBar->m_pCustomizeBtn == nullptr ||
        !pToolBar->m_bQuickCustomize) {
        return;
    }
    pBtn->m_bPushed = TRUE;
    CString strName;
    pToolBar->GetWindowText(strName);
    strName.Trim();
    if (strName.IsEmpty()) {
        strName.LoadString(IDS_KTVP_UNTITLED);
    }
    CMenu menuDummy;
    menuDummy.CreatePopupMenu();
    menuDummy.AppendMenu(MF_STRING, 1, "DUMMY");
    CMenu menuBar;
    menuBar.CreatePopupMenu();
    menuBar.AppendMenu(MF_POPUP, (UINT_PTR)menuDummy.Detach(), strName);
    menuBar.AppendMenu(MF_STRING, pToolBar->m_pCustomizeBtn->m_nID, pToolBar->m_pCustomizeBtn->m_strText);
    CString strAddRemove;
    strAddRemove.LoadString(IDS_KTVP_ADD_REMOVE_BUTTONS);
    CMenu menuTop;
    menuTop.CreatePopupMenu();
    menuTop.AppendMenu(MF_POPUP, (UINT_PTR)menuBar.Detach(), strAddRemove);

    CRect rectWindow;
    GetWindowRect(rectWindow);
    const CPoint pt = rectWindow.TopLeft() + pBtn->m_ptOrigin + CPoint(-2, -9);
    auto* pPopup = new CKtvPPopupMenu;
    pPopup->ShowAllCommands();
    if (!pPopup->Create(this, pt.x, pt.y, menuTop.Detach())) {
        pBtn->m_bPushed = FALSE;
    }
}

// --- roll-up ------------------------------------------------------------------------------------------

void CKtvPMiniFrameWnd::StartRollUpTimer()
{
    if (m_nRollTimerID != 0) {
        return;
    }
    m_nRollTimerID = SetTimer(kRollTimer, m_nRollTimeOut, nullptr);
    SetCaptionButtons(m_dwCaptionButtons | KTVP_CAPTION_BTN_PIN);
}

void CKtvPMiniFrameWnd::StopRollUpTimer()
{
    if (m_nRollTimerID == 0) {
        return;
    }
    KillTimer(kRollTimer);
    m_nRollTimerID = 0;
    SetCaptionButtons(m_dwCaptionButtons & ~KTVP_CAPTION_BTN_PIN);
}

void CKtvPMiniFrameWnd::OnCheckRollState()
{
    CKtvPDockManager* pDockManager = GetParentDockManager();
    if (pDockManager != nullptr && pDockManager->IsUpdateLocked()) {
        return;
    }
    const BOOL bRollDown = m_bRolledUp && IsCursorOverFrame();
    const BOOL bRollUp = !m_bRolledUp && CanRollUp();
    CRect rect;
    GetWindowRect(rect);
    if (bRollDown) {
        SetWindowPos(nullptr, 0, 0, rect.Width(), m_nHeightBeforeRollUp, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bRolledUp = FALSE;
    } else if (bRollUp) {
        CRect rectClient;
        GetClientRect(rectClient);
        m_nHeightBeforeRollUp = rect.Height();
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height() - rectClient.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bRolledUp = TRUE;
    }
}

void CKtvPMiniFrameWnd::UpdateCaptionMetrics()
{
    m_nCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
    m_sizeMinSize = CSize(m_nCaptionHeight + 15, m_nCaptionHeight + 15);
}

void CKtvPMiniFrameWnd::CalcMinSize(CSize& sizeBase, MINMAXINFO* lpMMI)
{
    CRect B;
    CalcBorderSize(B);
    int nButtons = 0;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        nButtons += static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos))->GetRect().Width();
    }
    lpMMI->ptMinTrackSize.x = std::max((int)m_sizeMinSize.cx, (int)(sizeBase.cx + nButtons + B.left + B.right));
    lpMMI->ptMinTrackSize.y = std::max((int)m_sizeMinSize.cy, (int)(m_nCaptionHeight + sizeBase.cy + B.top + B.bottom));
}

// --- closing --------------------------------------------------------------------------------------------

BOOL CKtvPMiniFrameWnd::AskFrameBeforeClose()
{
    CFrameWnd* pTop = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : GetTopLevelFrame();
    CKtvPFrameHooks* pHooks = pTop != nullptr ? KtvGetFrameHooks(pTop) : nullptr;
    return pHooks == nullptr || pHooks->OnCloseMiniFrame(this);
}

void CKtvPMiniFrameWnd::CloseMiniFrame()
{
    ShowWindow(SW_HIDE);
    if (CWnd* pBar = GetControlBar()) {
        pBar->ShowWindow(SW_HIDE);
    }
}

// --- the process's floating frames ------------------------------------------------------------------------

void CKtvPMiniFrameWnd::RedrawAll()
{
    for (POSITION pos = m_lstFrames.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = m_lstFrames.GetNext(pos);
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd)) {
            pWnd->RedrawWindow(nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        }
    }
}

void CKtvPMiniFrameWnd::AddRemoveBarFromGlobalList(CKtvPBaseControlBar* pBar, BOOL bAdd)
{
    if (pBar == nullptr) {
        return;
    }
    auto enter = [bAdd](CWnd* pWnd) {
        const int nID = pWnd->GetDlgCtrlID();
        if (nID == -1 || (UINT)nID == 0xFFFF) {
            return;
        }
        if (bAdd) {
            m_mapFloatingBars.SetAt((UINT)nID, pWnd->GetSafeHwnd());
        } else {
            m_mapFloatingBars.RemoveKey((UINT)nID);
        }
    };
    const int nID = pBar->GetDlgCtrlID();
    if (nID != -1 && (UINT)nID != 0xFFFF) {
        enter(pBar);
        return;
    }
    if (!pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        return;
    }
    auto* pTabbed = static_cast<CKtvPBaseTabbedBar*>(pBar);
    for (int i = 0; i < pTabbed->GetTabsNum(); i++) {
        if (CWnd* pTab = pTabbed->FindBarByTabNumber(i, TRUE)) {
            enter(pTab);
        }
    }
}

CKtvPBaseControlBar* CKtvPMiniFrameWnd::FindFloatingBarByID(UINT nID)
{
    HWND hWnd = nullptr;
    if (!m_mapFloatingBars.Lookup(nID, hWnd)) {
        return nullptr;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))
               ? static_cast<CKtvPBaseControlBar*>(pWnd)
               : nullptr;
}

// --- message handlers ---------------------------------------------------------------------------------------

int CKtvPMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    m_lstFrames.AddTail(GetSafeHwnd());
    if (m_ToolTip.Create(this)) {
        m_ToolTip.Activate(TRUE);
        if (globalData.m_nTooltipMaxWidth != -1) {
            m_ToolTip.SetMaxTipWidth(globalData.m_nTooltipMaxWidth);
        }
    }
    return 0;
}

void CKtvPMiniFrameWnd::OnDestroy()
{
    EndMove();
    KillDockingTimer();
    if (m_nRollTimerID != 0) {
        KillTimer(kRollTimer);
        m_nRollTimerID = 0;
    }
    if (CKtvPDockManager* pDockManager = GetParentDockManager()) {
        pDockManager->RemoveMiniFrame(this);
    }
    if (POSITION pos = m_lstFrames.Find(GetSafeHwnd())) {
        m_lstFrames.RemoveAt(pos);
    }
    CWnd::OnDestroy();
}

void CKtvPMiniFrameWnd::OnNcDestroy()
{
    OnCancelMode();
    CWnd::OnNcDestroy();
    if (m_bDeleteOnNcDestroy) {
        delete this;
    }
}

void CKtvPMiniFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect B;
    CalcBorderSize(B);
    RECT& r = lpncsp->rgrc[0];
    r.left += B.left;
    r.top += B.top + m_nCaptionHeight;
    r.right -= B.right;
    r.bottom -= B.bottom;
    if (r.bottom < r.top) {
        r.bottom = r.top;
    }
    if (r.right < r.left) {
        r.right = r.left;
    }
}

void CKtvPMiniFrameWnd::OnNcPaint()
{
    CKtvPDockManager* pDockManager = GetParentDockManager();
    if (pDockManager == nullptr || pDockManager->IsUpdateLocked()) {
        return;
    }
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    if (!m_rectRedraw.IsRectEmpty()) {
        dc.IntersectClipRect(m_rectRedraw);
    }
    OnDrawBorder(&dc);

    CRect rectCaption;
    GetCaptionRect(rectCaption);
    const COLORREF clrText =
        CKtvPVisualManager::GetInstance()->OnFillMiniFrameCaption(&dc, rectCaption, this, m_bActive);
    const CRect rectText = GetCaptionTextRect();
    const int nSaved = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrText);
    dc.SelectObject(&globalData.fontBold);
    dc.DrawText(GetCaptionText(), CRect(rectText), DT_SINGLELINE | DT_VCENTER);
    dc.RestoreDC(nSaved);
    dc.SelectClipRgn(nullptr);
    DrawCaptionButtons(&dc);
}

CRect CKtvPMiniFrameWnd::GetCaptionTextRect() const
{
    CRect rectText;
    GetCaptionRect(rectText);
    int xRight = rectText.right;
    int xLeft = rectText.left;
    BOOL bRight = FALSE;
    BOOL bLeft = FALSE;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        const CRect rect = pBtn->GetRect();
        if (pBtn->m_bLeftAlign) {
            xLeft = bLeft ? std::max(xLeft, (int)rect.right) : (int)rect.right;
            bLeft = TRUE;
        } else {
            xRight = bRight ? std::min(xRight, (int)rect.left) : (int)rect.left;
            bRight = TRUE;
        }
    }
    if (bLeft) {
        rectText.left = xLeft + 2;
    }
    rectText.right = xRight;
    rectText.DeflateRect(2, 0);
    return rectText;
}

void CKtvPMiniFrameWnd::OnDrawBorder(CDC* pDC)
{
    CRect rect;
    GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CRect B;
    CalcBorderSize(B);
    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
    if (auto* pToolBar = dynamic_cast<CKtvPToolBar*>(GetControlBar())) {
        pDC->FillRect(rect, &globalData.brBtnFace);
        pManager->OnDrawFloatingToolbarBorder(pDC, pToolBar, rect, B);
        return;
    }
    pManager->OnDrawMiniFrameBorder(pDC, this, rect, B);
}

void CKtvPMiniFrameWnd::DrawCaptionButtons(CDC* pDC)
{
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pBtn = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (CKtvPToolBar::m_bCustomizeMode) {
            pBtn->m_bEnabled = TRUE;
        }
        pBtn->OnDraw(pDC, m_bActive, TRUE, !(pBtn->GetHit() == KTVP_HTPIN && m_bPinned), FALSE);
    }
}

LRESULT CKtvPMiniFrameWnd::OnNcHitTest(CPoint point) { return (LRESULT)HitTest(point, FALSE); }

BOOL CKtvPMiniFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    LPCTSTR lpszCursor = nullptr;
    switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT:
        lpszCursor = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        lpszCursor = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        lpszCursor = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        lpszCursor = IDC_SIZENESW;
        break;
    default:
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    }
    ::SetCursor(::LoadCursor(nullptr, lpszCursor));
    return TRUE;
}

void CKtvPMiniFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bCaptured && !m_bIgnoreNextMove) {
        OnTrackCaptionButtons(point);
    }
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CKtvPMiniFrameWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nHot != 0) {
        m_nHit = m_nHot;
        if (CKtvPCaptionButton* pBtn = FindButton(m_nHit)) {
            pBtn->m_bPushed = TRUE;
            RedrawButton(pBtn);
        }
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (HitTest(ptScreen, TRUE) == HTCAPTION) {
        EnterDragMode(nullptr);
        SaveRecentFloatingState();
        if (!HoldsToolBar()) {
            SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        }
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CKtvPMiniFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        EndMove();
        BOOL bDocked = FALSE;
        const HWND hWnd = GetSafeHwnd();
        if (DockFrame(bDocked) != nullptr || bDocked || !::IsWindow(hWnd)) {
            return;
        }
        m_dragFrame.m_rectOutline.SetRectEmpty();
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    if (m_nHit == 0) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    const UINT nPressed = m_nHit;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CKtvPCaptionButton* pUnder = FindButtonByPoint(ptScreen);
    StopCaptionButtonsTracking();
    if (pUnder != nullptr && pUnder->GetHit() == nPressed) {
        if (nPressed == KTVP_HTPIN) {
            m_bPinned = !m_bPinned;
            SendMessage(WM_NCPAINT);
        } else if (nPressed == KTVP_HTCLOSE_FRAME) {
            if (AskFrameBeforeClose()) {
                CloseMiniFrame();
            }
            return;
        } else if (!CKtvPToolBar::m_bCustomizeMode) {
            OnPressButtonUp(nPressed);
        }
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CKtvPMiniFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bIgnoreNextMove) {
        m_bIgnoreNextMove = false;
        return;
    }
    if (m_bCaptured) {
        if (GetDockingMode() == KTVP_DT_STANDARD) {
            m_dragFrame.MoveDragFrame(FALSE);
            return;
        }
        const HWND hWnd = GetSafeHwnd();
        const BOOL bKeepMoving = NotifyFrameOfMove();
        if (!::IsWindow(hWnd)) {
            return;
        }
        if (bKeepMoving && m_bCaptured) {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            const CPoint ptDelta = ptCursor - m_dragFrame.m_ptLastCursor;
            CRect rect;
            GetWindowRect(rect);
            rect.OffsetRect(ptDelta);
            MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
            m_dragFrame.m_ptLastCursor = ptCursor;
        }
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    OnTrackCaptionButtons(ptScreen);
    CWnd::OnMouseMove(nFlags, point);
}

void CKtvPMiniFrameWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bCaptured) {
        if (GetDockingMode() == KTVP_DT_STANDARD) {
            OnCancelMode();
            return;
        }
        EndMove();
        auto* pBar = dynamic_cast<CKtvPControlBar*>(GetControlBar());
        if (pBar != nullptr && (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) != 0) {
            pBar->GetRecentDockInfo().m_rectLastFloat = m_rectRecentFloat;
            if (!pBar->DockControlBar(pBar, nullptr, KTVP_DM_DBL_CLICK)) {
                return;
            }
        }
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

// The sound form of cancelling: the move always ends; a bar that cannot go
// back to its dock leaves its hidden frame shown at the recent floating place.
void CKtvPMiniFrameWnd::OnCancelMode()
{
    StopCaptionButtonsTracking();
    if (m_bCaptured) {
        if (GetDockingMode() == KTVP_DT_STANDARD) {
            m_dragFrame.EndOutline(TRUE);
        }
        EndMove();
        auto* pBar = dynamic_cast<CKtvPBaseControlBar*>(GetControlBar());
        if (!IsWindowVisible() && pBar != nullptr) {
            const HWND hWnd = GetSafeHwnd();
            if (pBar->DockControlBar(pBar, nullptr, KTVP_DM_DBL_CLICK)) {
                pBar->ShowControlBar(TRUE, FALSE, TRUE);
            } else if (::IsWindow(hWnd)) {
                MoveWindow(m_rectRecentFloat.left, m_rectRecentFloat.top, m_rectRecentFloat.Width(),
                           m_rectRecentFloat.Height(), TRUE);
                ShowWindow(SW_SHOW);
            }
            return;
        }
    }
    CWnd::OnCancelMode();
}

void CKtvPMiniFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRollTimer) {
        OnCheckRollState();
        return;
    }
    if (nIDEvent == kDockTimer) {
        if (CKtvPDockManager* pDockManager = GetParentDockManager()) {
            pDockManager->OnMoveMiniFrame(this);
        }
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CKtvPMiniFrameWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    auto* pBar = dynamic_cast<CKtvPControlBar*>(GetControlBar());
    if (FindButtonByPoint(ptScreen) == nullptr && pBar != nullptr &&
        (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) != 0) {
        SaveRecentFloatingState();
        if (pBar->DockControlBar(pBar, nullptr, KTVP_DM_DBL_CLICK)) {
            return;
        }
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CKtvPMiniFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) { CWnd::OnNcLButtonDblClk(nHitTest, point); }

void CKtvPMiniFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (auto* pBar = dynamic_cast<CKtvPControlBar*>(GetControlBar())) {
        pBar->RecalcLayout();
    }
    CRect rect;
    GetWindowRect(rect);
    CRect rectKept = rect;
    globalUtils.AdjustRectToWorkArea(rectKept);
    if (rectKept.TopLeft() != rect.TopLeft()) {
        SetWindowPos(nullptr, rectKept.left, rectKept.top, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    }
    ArrangeCaptionButtons();
    SendMessage(WM_NCPAINT);
}

LRESULT CKtvPMiniFrameWnd::OnSizing(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    auto* pRect = reinterpret_cast<RECT*>(lParam);
    if (m_bRolledUp || pRect == nullptr) {
        return lResult;
    }
    CWnd* pBarWnd = GetControlBar();
    CRect rectCurrent;
    GetWindowRect(rectCurrent);
    if (pBarWnd != nullptr && pBarWnd->IsKindOf(RUNTIME_CLASS(CKtvPTabbedToolbar))) {
        *pRect = rectCurrent;
        return lResult;
    }
    const BOOL bHorzSizing = wParam == WMSZ_LEFT || wParam == WMSZ_RIGHT;
    const CRect rectProposed(*pRect);
    auto* pToolBar = dynamic_cast<CKtvPToolBar*>(pBarWnd);
    if (pToolBar == nullptr || (bHorzSizing ? rectProposed.Width() == rectCurrent.Width()
                                            : rectProposed.Height() == rectCurrent.Height())) {
        return lResult;
    }
    CRect B;
    CalcBorderSize(B);
    const int nLength = bHorzSizing ? rectProposed.Width() - B.left - B.right
                                    : rectProposed.Height() - m_nCaptionHeight - B.top - B.bottom;
    const CSize sizeCurrent = pToolBar->CalcMaxButtonSize(FALSE);
    const CSize sizeNew = pToolBar->CalcLayoutForLength(nLength, !bHorzSizing);
    int dx = sizeNew.cx - sizeCurrent.cx;
    int dy = sizeNew.cy - sizeCurrent.cy;
    if (!pToolBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseToolBar))) {
        dx = dy = 0;
    }
    CRect rectResult = rectCurrent;
    if (dx != 0) {
        if (wParam == WMSZ_RIGHT) {
            rectResult.right = rectCurrent.left + rectCurrent.Width() + dx;
        } else {
            rectResult.left = rectCurrent.right - rectCurrent.Width() - dx;
        }
    }
    if (dy != 0) {
        if (wParam == WMSZ_LEFT || wParam == WMSZ_RIGHT || wParam == WMSZ_BOTTOM) {
            rectResult.bottom = rectCurrent.top + rectCurrent.Height() + dy;
        } else {
            rectResult.top = rectCurrent.bottom - rectCurrent.Height() - dy;
        }
    }
    *pRect = rectResult;
    pToolBar->RecalcLayout();
    BOOL bFullDrag = TRUE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    if (!bFullDrag) {
        SetWindowPos(nullptr, rectResult.left, rectResult.top, rectResult.Width(), rectResult.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return lResult;
}

void CKtvPMiniFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    lpwndpos->flags |= SWP_NOACTIVATE;
    if ((lpwndpos->flags & SWP_NOMOVE) == 0) {
        CRect rectWindow;
        GetWindowRect(rectWindow);
        const CSize size = (lpwndpos->flags & SWP_NOSIZE) != 0 ? rectWindow.Size() : CSize(lpwndpos->cx, lpwndpos->cy);
        CRect rect(CPoint(lpwndpos->x, lpwndpos->y), size);
        const int nMargin = GetCaptionHeight();
        const CRect rectMargins(nMargin, nMargin, nMargin, nMargin);
        globalUtils.AdjustRectToWorkArea(rect, &rectMargins);
        lpwndpos->x = rect.left;
        lpwndpos->y = rect.top;
    }
    CWnd::OnWindowPosChanging(lpwndpos);
}

void CKtvPMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    if (auto* pBar = dynamic_cast<CKtvPControlBar*>(GetControlBar())) {
        CSize sizeMin;
        pBar->GetMinSize(sizeMin);
        CalcMinSize(sizeMin, lpMMI);
    }
    CWnd::OnGetMinMaxInfo(lpMMI);
}

BOOL CKtvPMiniFrameWnd::OnNcActivate(BOOL)
{
    if ((GetStyle() & MFS_SYNCACTIVE) != 0) {
        return (m_nFlags & WF_KEEPMINIACTIVE) != 0 ? FALSE : TRUE;
    }
    const BOOL bActive = CWnd::GetFocus() == this;
    if (bActive != m_bActive) {
        m_bActive = bActive;
        if (GetParentDockManager() != nullptr) {
            SendMessage(WM_NCPAINT);
        }
    }
    return TRUE;
}

LRESULT CKtvPMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    CWnd* pFocus = CWnd::GetFocus();
    const BOOL bActive = pFocus != nullptr && (pFocus == this || IsChild(pFocus));
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
    return 0;
}

void CKtvPMiniFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    m_hLastFocus = HoldsToolBar() && pOldWnd != nullptr ? pOldWnd->GetSafeHwnd() : nullptr;
    CWnd* pBar = GetFirstVisibleBar();
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar)) &&
        static_cast<CKtvPBaseControlBar*>(pBar)->CanFocus()) {
        pBar->SetFocus();
    }
    if (CWnd* pFrame = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr) {
        pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

LRESULT CKtvPMiniFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    if (m_hLastFocus != nullptr && ::IsWindow(m_hLastFocus)) {
        ::SetFocus(m_hLastFocus);
    }
    m_hLastFocus = nullptr;
    return 0;
}

void CKtvPMiniFrameWnd::OnClose()
{
    if (AskFrameBeforeClose()) {
        CloseMiniFrame();
    }
}

void CKtvPMiniFrameWnd::OnContextMenu(CWnd*, CPoint point)
{
    if (CKtvPToolBar::m_bCustomizeMode || m_bCaptured) {
        return;
    }
    CRect rectCaption;
    GetCaptionRect(rectCaption);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    rectCaption.OffsetRect(rectWindow.TopLeft());
    CWnd* pFrame = m_hParentFrame != nullptr ? CWnd::FromHandlePermanent(m_hParentFrame) : nullptr;
    if (pFrame != nullptr && rectCaption.PtInRect(point)) {
        pFrame->SendMessage(KTVM_TOOLBARMENU, (WPARAM)GetSafeHwnd(), MAKELPARAM(point.x, point.y));
    }
}

// A frame that holds a toolbar never takes the activation: it is raised and the
// focus stays where the user works.
int CKtvPMiniFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (HoldsToolBar()) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        return MA_NOACTIVATE;
    }
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

BOOL CKtvPMiniFrameWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CKtvPMiniFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    UpdateCaptionMetrics();
}

BOOL CKtvPMiniFrameWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct)) {
        return FALSE;
    }
    if ((lpCreateStruct->style & MFS_SYNCACTIVE) != 0) {
        CWnd* pParent = lpCreateStruct->hwndParent != nullptr ? CWnd::FromHandle(lpCreateStruct->hwndParent) : nullptr;
        CWnd* pTop = pParent != nullptr ? pParent->GetTopLevelParent() : nullptr;
        const HWND hForeground = ::GetForegroundWindow();
        if (pTop != nullptr && hForeground != nullptr) {
            m_bActive = pTop->GetSafeHwnd() == hForeground ||
                        (::GetWindow(hForeground, GW_OWNER) == pTop->GetSafeHwnd() &&
                         ::SendMessage(hForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0);
        }
    }
    return TRUE;
}

LRESULT CKtvPMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const DWORD dwFlags = (DWORD)wParam;
    if ((dwFlags & (FS_SHOW | FS_HIDE)) != 0) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((dwFlags & FS_SHOW) != 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOSIZE | SWP_NOMOVE |
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if ((dwFlags & (FS_ENABLE | FS_DISABLE)) != 0) {
        EnableWindow((dwFlags & FS_ENABLE) != 0);
    }
    const DWORD dwStyle = GetStyle();
    if ((dwFlags & (FS_ACTIVATE | FS_DEACTIVATE)) != 0 && (dwStyle & MFS_SYNCACTIVE) != 0) {
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (dwFlags & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return (dwStyle & MFS_SYNCACTIVE) != 0 && (dwFlags & FS_SYNCACTIVE) != 0;
}

LRESULT CKtvPMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (GetControlBarCount() != 0) {
        return 0;
    }
    if (m_bKeepWhenEmpty) {
        ShowWindow(SW_HIDE);
    } else {
        DestroyWindow();
    }
    return 0;
}

BOOL CKtvPMiniFrameWnd::OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT*)
{
    if (pNMH == nullptr) {
        return FALSE;
    }
    static CString strTip;
    const UINT nTool = (UINT)pNMH->idFrom != 0 ? (UINT)pNMH->idFrom : id;
    UINT nIndex = 1;
    CKtvPCaptionButton* pBtn = nullptr;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr; nIndex++) {
        auto* pCandidate = static_cast<CKtvPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (nIndex == nTool) {
            pBtn = pCandidate;
            break;
        }
    }
    if (pBtn == nullptr) {
        return FALSE;
    }
    switch (pBtn->GetHit()) {
    case KTVP_HTAUTOHIDE_SECOND:
    case KTVP_HTPIN:
        strTip.LoadString(IDS_KTVP_AUTO_HIDE);
        break;
    case KTVP_HTCLOSE_FRAME:
        strTip.LoadString(IDS_KTVP_CLOSE);
        break;
    case KTVP_HTMENU:
        strTip.LoadString(IDS_KTVP_TOOLBAR_OPTIONS);
        break;
    default:
        return FALSE;
    }
    reinterpret_cast<TOOLTIPTEXTA*>(pNMH)->lpszText = const_cast<LPTSTR>((LPCTSTR)strTip);
    return TRUE;
}
