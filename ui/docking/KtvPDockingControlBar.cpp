#include "ui/docking/KtvPDockingControlBar.h"

#include <algorithm>

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"
#include "resources/resource.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/docking/KtvPAutoHideDockBar.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPDockingControlBar, CKtvPControlBar, VERSIONABLE_SCHEMA | 2)

int CKtvPDockingControlBar::m_nDragThresholdX = 0;
int CKtvPDockingControlBar::m_nDragThresholdY = 0;
int CKtvPDockingControlBar::m_nCaptionBorder = 2;
int CKtvPDockingControlBar::m_nCaptionButtonsMargin = 2;
BOOL CKtvPDockingControlBar::m_bHideDisabledButtons = TRUE;
BOOL CKtvPDockingControlBar::m_bHideInAutoHideMode = FALSE;
int CKtvPDockingControlBar::m_nAutoHideConditionDelay = 700;
int CKtvPDockingControlBar::m_nSlideDelay = 1;
int CKtvPDockingControlBar::m_nSlideSteps = 12;
BOOL CKtvPDockingControlBar::m_bDisableAnimation = FALSE;

CSize CKtvPDockingControlBar::GetDragThreshold()
{
    return CSize(m_nDragThresholdX > 0 ? m_nDragThresholdX : ::GetSystemMetrics(SM_CXDRAG),
                 m_nDragThresholdY > 0 ? m_nDragThresholdY : ::GetSystemMetrics(SM_CYDRAG));
}

namespace {

constexpr UINT_PTR kHideTimer = 1;
constexpr UINT_PTR kShowTimer = 2;
constexpr UINT_PTR kAutoHideCheckTimer = 3;

BOOL IsCtrlDown() { return ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CKtvPDockingControlBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
    ON_WM_SETTINGCHANGE()
    ON_WM_CANCELMODE()
    ON_WM_CONTEXTMENU()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_SETFOCUS()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CKtvPDockingControlBar::CKtvPDockingControlBar()
    : m_bPrepareToFloat(0),
      m_bReadyToFloat(0),
      m_nCaptionHeight(0),
      m_bHasGripper(FALSE),
      m_bActive(FALSE),
      m_nLastPercent(100),
      m_bEnableAutoHideAll(FALSE),
      m_bAutoHideMode(FALSE),
      m_nAutoHideConditionTimerID(0),
      m_nSlideTimerID(0),
      m_nSlideStepCount(0),
      m_nSlideStep(0),
      m_bIsSliding(FALSE),
      m_bBlockAutoHide(FALSE),
      m_bIsHiding(FALSE),
      m_nSlideMode(CKtvPDockManager::m_nDefaultSlideMode),
      m_pAutoHideButton(nullptr),
      m_pAutoHideBar(nullptr),
      m_pTabbedControlBarRTC(RUNTIME_CLASS(CKtvPTabbedControlBar)),
      m_hDefaultSlider(nullptr),
      m_nHot(0),
      m_nHit(0),
      m_bCaptionButtonsCaptured(FALSE)
{
}

// The caption buttons are the bar's own.
CKtvPDockingControlBar::~CKtvPDockingControlBar() { RemoveCaptionButtons(); }

void CKtvPDockingControlBar::RemoveCaptionButtons()
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        delete static_cast<CKtvPCaptionButton*>(m_arrButtons[i]);
    }
    m_arrButtons.RemoveAll();
}

CKtvPCaptionButton* CKtvPDockingControlBar::ButtonAt(INT_PTR i) const
{
    return static_cast<CKtvPCaptionButton*>(m_arrButtons[i]);
}

CKtvPDockManager* CKtvPDockingControlBar::GetDockManager() const
{
    return globalUtils.GetDockManager(GetDockSiteFrameWnd());
}

// --- creation and caption -----------------------------------------------------------------------------

BOOL CKtvPDockingControlBar::CreateWithSize(LPCTSTR lpszCaption, CWnd* pParentWnd, SIZE sizeDefault,
                                            BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                                            DWORD dwControlBarStyle)
{
    return CreateEx(0, lpszCaption, pParentWnd, CRect(0, 0, sizeDefault.cx, sizeDefault.cy), bHasGripper, nID,
                    dwStyle, dwTabbedStyle, dwControlBarStyle, nullptr);
}

BOOL CKtvPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                                    UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle,
                                    CCreateContext* pContext)
{
    return CreateEx(0, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle, dwControlBarStyle,
                    pContext);
}

BOOL CKtvPDockingControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                                      BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                                      DWORD dwControlBarStyle, CCreateContext* pContext)
{
    if ((dwStyle & CBRS_FLOAT_MULTI) != 0) {
        m_pMiniFrameRTC = RUNTIME_CLASS(CKtvPMultiMiniFrameWnd);
    }
    if (dwTabbedStyle == 0x40) {
        m_pTabbedControlBarRTC = RUNTIME_CLASS(CKtvPOutlookBar);
    } else if (dwTabbedStyle == 0x20) {
        m_pTabbedControlBarRTC = RUNTIME_CLASS(CKtvPTabbedControlBar);
    }
    if ((dwStyle & WS_CAPTION) != 0 || bHasGripper) {
        m_bHasGripper = TRUE;
        bHasGripper = TRUE;
        dwStyle &= ~WS_CAPTION;
    }
    if (!CKtvPControlBar::CreateEx(dwStyleEx, nullptr, dwStyle, rect, pParentWnd, nID, dwControlBarStyle,
                                   pContext)) {
        return FALSE;
    }
    m_rectRestored = rect;
    if (m_lpszBarTemplateName != nullptr) {
        m_rectRestored.right = m_rectRestored.left + m_sizeDialog.cx;
        m_rectRestored.bottom = m_rectRestored.top + m_sizeDialog.cy;
    }
    SetBarAlignment(dwStyle & CBRS_ALIGN_ANY);
    ShowCaption(bHasGripper);
    if (lpszCaption != nullptr) {
        SetWindowText(lpszCaption);
    }
    return TRUE;
}

void CKtvPDockingControlBar::ShowCaption(BOOL bShow)
{
    m_nCaptionHeight = bShow && m_bHasGripper ? globalData.m_nTextHeight + 2 * m_nCaptionBorder + 1 : 0;
    if (GetSafeHwnd() != nullptr) {
        CWnd::SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int CKtvPDockingControlBar::GetCaptionHeight() const { return IsFloating() ? 0 : m_nCaptionHeight; }

void CKtvPDockingControlBar::SetCaptionButtons()
{
    RemoveCaptionButtons();
    m_arrButtons.Add(new CKtvPCaptionButton(KTVP_HTCLOSE_BAR));
    m_arrButtons.Add(new CKtvPCaptionButton(KTVP_HTPIN));
}

CKtvPCaptionButton* CKtvPDockingControlBar::FindButtonByHit(UINT nHit) const
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        if (ButtonAt(i)->GetHit() == nHit) {
            return ButtonAt(i);
        }
    }
    return nullptr;
}

void CKtvPDockingControlBar::EnableCaptionButton(UINT nHit, BOOL bEnable)
{
    if (CKtvPCaptionButton* pBtn = FindButtonByHit(nHit)) {
        pBtn->m_bEnabled = bEnable;
    }
}

CKtvPCaptionButton* CKtvPDockingControlBar::FindButtonAtPoint(CPoint point) const
{
    CRect rectWindow;
    GetWindowRect(rectWindow);
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        CRect rect = ButtonAt(i)->GetRect();
        rect.OffsetRect(rectWindow.TopLeft());
        if (rect.PtInRect(point)) {
            return ButtonAt(i);
        }
    }
    return nullptr;
}

void CKtvPDockingControlBar::RedrawButton(const CKtvPCaptionButton* pBtn)
{
    if (pBtn == nullptr || !pBtn->m_bEnabled) {
        return;
    }
    m_rectRedraw = pBtn->GetRect();
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    UpdateWindow();
}

void CKtvPDockingControlBar::UpdateCaptionButtonTooltips()
{
    if (m_wndToolTip.GetSafeHwnd() == nullptr) {
        return;
    }
    for (INT_PTR i = 0; i < m_arrButtons.GetSize() && i < m_wndToolTip.GetToolCount(); i++) {
        m_wndToolTip.SetToolRect(this, (UINT_PTR)(i + 1), ButtonAt(i)->GetClientRectIn(this));
    }
}

// The pin works only where the bar's frame has an auto-hide strip on its side.
BOOL CKtvPDockingControlBar::IsPinApplicable() const
{
    CKtvPDockManager* pDockManager = GetDockManager();
    CKtvPSlider* pSlider = GetDefaultSlider();
    if (pDockManager == nullptr || pSlider == nullptr || !CanAutoHide()) {
        return FALSE;
    }
    return (pDockManager->GetEnabledAutoHideAlignment() & pSlider->GetCurrentAlignment()) != 0;
}

void CKtvPDockingControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (IsFloating()) {
        for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
            ButtonAt(i)->m_bHidden = TRUE;
        }
        CKtvPControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    const CRect R = lpncsp->rgrc[0];
    CRect rectClient = R;
    rectClient.top += m_nCaptionHeight;

    const CSize B = CKtvPCaptionButton::GetSize();
    int xRight = R.right - m_nCaptionButtonsMargin - B.cx;
    int xLeft = R.left + m_nCaptionButtonsMargin;
    const int y = R.top + (m_nCaptionHeight - B.cy) / 2;
    const BOOL bPinApplicable = IsPinApplicable();
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        CKtvPCaptionButton* pBtn = ButtonAt(i);
        if (m_nCaptionHeight <= 0) {
            pBtn->m_bHidden = TRUE;
            continue;
        }
        const UINT nHit = pBtn->GetHit();
        pBtn->m_bHidden = m_bHideDisabledButtons &&
                          ((!bPinApplicable && nHit == KTVP_HTPIN) || (!CanBeClosed() && nHit == KTVP_HTCLOSE_BAR));
        pBtn->m_bPushed = FALSE;
        pBtn->m_bFocused = FALSE;
        if (pBtn->m_bLeftAlign) {
            pBtn->m_ptOrigin = CPoint(xLeft - R.left, y - R.top);
            if (!pBtn->m_bHidden) {
                xLeft += B.cx + 2;
            }
        } else {
            pBtn->m_ptOrigin = CPoint(xRight - R.left, y - R.top);
            if (!pBtn->m_bHidden) {
                xRight -= B.cx + 2;
            }
        }
    }
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        CKtvPCaptionButton* pBtn = ButtonAt(i);
        if (pBtn->m_bLeftAlign && R.left + pBtn->m_ptOrigin.x >= xRight) {
            pBtn->m_bHidden = TRUE;
        }
    }
    rectClient.NormalizeRect();
    lpncsp->rgrc[0] = rectClient;
    UpdateCaptionButtonTooltips();
}

void CKtvPDockingControlBar::OnNcPaint()
{
    if (m_bMultiThreaded) {
        ::EnterCriticalSection(&m_CriticalSection);
    }
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    if (!m_rectRedraw.IsRectEmpty()) {
        dc.IntersectClipRect(m_rectRedraw);
    }
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(&dc, this, rectWindow, CRect(0, 0, 0, 0), TRUE);
    if (m_nCaptionHeight > 0 && !IsFloating()) {
        const CRect rectCaption(rectClient.left, 0, rectWindow.Width(), m_nCaptionHeight - 2);
        DrawCaption(&dc, rectCaption);
        for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
            CKtvPCaptionButton* pBtn = ButtonAt(i);
            pBtn->OnDraw(&dc, m_bActive, IsHorizontal(), pBtn->GetHit() == KTVP_HTPIN ? m_bAutoHideMode : FALSE,
                         FALSE);
            pBtn->m_clrForeground = (COLORREF)-1;
        }
    }
    dc.SelectClipRgn(nullptr);
    if (m_bMultiThreaded) {
        ::LeaveCriticalSection(&m_CriticalSection);
    }
}

void CKtvPDockingControlBar::DrawCaption(CDC* pDC, CRect rectCaption)
{
    CRect rectButtons(rectCaption.right, rectCaption.bottom, rectCaption.right, rectCaption.bottom);
    int xTextLeft = rectCaption.left;
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        CKtvPCaptionButton* pBtn = ButtonAt(i);
        if (pBtn->m_bHidden) {
            continue;
        }
        if (pBtn->m_bLeftAlign) {
            xTextLeft = pBtn->GetRect().right;
        } else {
            rectButtons = pBtn->GetRect();
        }
    }
    const COLORREF clrText = CKtvPVisualManager::GetInstance()->OnDrawDockingBarCaption(pDC, this, m_bActive,
                                                                                          rectCaption, rectButtons);
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        ButtonAt(i)->m_clrForeground = clrText;
    }
    CRect rectText(xTextLeft, rectCaption.top + 1, rectButtons.left, rectCaption.bottom);
    rectText.DeflateRect(2 * m_nCaptionButtonsMargin, 0);
    CString strTitle;
    GetWindowText(strTitle);
    const int nSaved = pDC->SaveDC();
    pDC->SelectObject(&globalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    pDC->DrawText(strTitle, rectText, DT_SINGLELINE | DT_VCENTER);
    pDC->RestoreDC(nSaved);
}

CRect CKtvPDockingControlBar::GetCaptionTextRect() const
{
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    const CRect rectCaption(rectClient.left - rectWindow.left, 0, rectWindow.Width(), m_nCaptionHeight - 2);
    int xLeft = rectCaption.left;
    int xRight = rectCaption.right;
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++) {
        CKtvPCaptionButton* pBtn = ButtonAt(i);
        if (!pBtn->m_bHidden) {
            (pBtn->m_bLeftAlign ? xLeft : xRight) = pBtn->m_bLeftAlign ? pBtn->GetRect().right : pBtn->GetRect().left;
        }
    }
    CRect rectText(xLeft, rectCaption.top + 1, xRight, rectCaption.bottom);
    rectText.DeflateRect(2 * m_nCaptionButtonsMargin, 0);
    return rectText;
}

int CKtvPDockingControlBar::HitTestCaption(CPoint point, BOOL bDetectCaption)
{
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (!rectWindow.PtInRect(point)) {
        return HTNOWHERE;
    }
    CKtvPDockManager* pDockManager = GetDockManager();
    if (pDockManager == nullptr || !pDockManager->IsUpdateLocked()) {
        if (CKtvPCaptionButton* pBtn = FindButtonAtPoint(point)) {
            return (int)pBtn->GetHit();
        }
    }
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    if (rectClient.PtInRect(point)) {
        return HTCLIENT;
    }
    if (!IsDocked()) {
        return HTERROR;
    }
    const CRect rectCaption(rectWindow.left, rectWindow.top + 1, rectWindow.right,
                            rectWindow.top + 1 + m_nCaptionHeight);
    if (rectCaption.PtInRect(point)) {
        return bDetectCaption ? HTCAPTION : HTCLIENT;
    }
    return HTERROR;
}

LRESULT CKtvPDockingControlBar::OnNcHitTest(CPoint point)
{
    const int nHit = HitTestCaption(point, FALSE);
    return nHit == HTERROR ? CKtvPControlBar::OnNcHitTest(point) : (LRESULT)nHit;
}

void CKtvPDockingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bPrepareToFloat) {
        OnTrackCaptionButtons(point);
    }
    CKtvPControlBar::OnNcMouseMove(nHitTest, point);
}

void CKtvPDockingControlBar::OnTrackCaptionButtons(CPoint point)
{
    const UINT nOldHot = m_nHot;
    CKtvPCaptionButton* pBtn = FindButtonAtPoint(point);
    if (pBtn != nullptr && pBtn->m_bHidden) {
        pBtn = nullptr;
    }
    m_nHot = pBtn != nullptr ? pBtn->GetHit() : 0;
    if (pBtn != nullptr && m_nHit == 0) {
        pBtn->m_bFocused = TRUE;
    }
    if (m_nHot != nOldHot) {
        RedrawButton(pBtn);
        if (CKtvPCaptionButton* pOld = FindButtonByHit(nOldHot)) {
            pOld->m_bFocused = FALSE;
            RedrawButton(pOld);
        }
    }
    if (m_nHit != 0) {
        return;
    }
    if (nOldHot != 0 && m_nHot == 0) {
        if (m_bCaptionButtonsCaptured) {
            ReleaseCapture();
        }
        m_bCaptionButtonsCaptured = FALSE;
    } else if (nOldHot == 0 && m_nHot != 0) {
        SetCapture();
        m_bCaptionButtonsCaptured = TRUE;
    }
}

void CKtvPDockingControlBar::StopCaptionButtonsTracking()
{
    if (CKtvPCaptionButton* pBtn = FindButtonByHit(m_nHit)) {
        pBtn->m_bPushed = FALSE;
        ReleaseCapture();
        RedrawButton(pBtn);
    }
    m_nHit = 0;
    if (CKtvPCaptionButton* pBtn = FindButtonByHit(m_nHot)) {
        pBtn->m_bFocused = FALSE;
        ReleaseCapture();
        RedrawButton(pBtn);
    }
    m_nHot = 0;
    m_bCaptionButtonsCaptured = FALSE;
}

BOOL CKtvPDockingControlBar::OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT*)
{
    if (m_wndToolTip.GetSafeHwnd() == nullptr || pNMH == nullptr) {
        return FALSE;
    }
    static CString strTip;
    const UINT nTool = (UINT)pNMH->idFrom != 0 ? (UINT)pNMH->idFrom : id;
    UINT nString = IDS_KTVP_AUTO_HIDE;
    if (nTool == 1) {
        nString = IDS_KTVP_PANE_CLOSE;
    } else if (IsCtrlDown() && IsAutoHideAllEnabled()) {
        nString = IDS_KTVP_AUTO_HIDE_ALL;
    }
    strTip.LoadString(nString);
    reinterpret_cast<TOOLTIPTEXTA*>(pNMH)->lpszText = const_cast<LPTSTR>((LPCTSTR)strTip);
    return TRUE;
}

void CKtvPDockingControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKtvPControlBar::OnSettingChange(uFlags, lpszSection);
    if (m_nCaptionHeight > 0) {
        m_nCaptionHeight = 0;
        ShowCaption(TRUE);
    }
}

void CKtvPDockingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHandler);
    CWnd* pFocus = CWnd::GetFocus();
    const BOOL bActive = pFocus != nullptr && (pFocus == this || IsChild(pFocus));
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
}

int CKtvPDockingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPControlBar::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    SetCaptionButtons();
    if (!m_wndToolTip.Create(this, TTS_ALWAYSTIP)) {
        return -1;
    }
    m_wndToolTip.Activate(TRUE);
    if (globalData.m_nTooltipMaxWidth != -1) {
        m_wndToolTip.SetMaxTipWidth(globalData.m_nTooltipMaxWidth);
    }
    const CRect rectEmpty(0, 0, 0, 0);
    for (UINT_PTR nTool = 1; nTool <= 2; nTool++) {
        m_wndToolTip.AddTool(this, LPSTR_TEXTCALLBACK, rectEmpty, nTool);
    }
    return 0;
}

BOOL CKtvPDockingControlBar::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (m_wndToolTip.GetSafeHwnd() != nullptr) {
            m_wndToolTip.RelayEvent(pMsg);
        }
        break;
    default:
        break;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        if (GetDockingMode() == KTVP_DT_STANDARD && m_bPrepareToFloat) {
            PostMessage(WM_CANCELMODE);
            return TRUE;
        }
        if (CKtvPBaseTabbedBar* pTabbed = GetParentTabbedBar()) {
            CKtvPMiniFrameWnd* pMiniFrame = pTabbed->GetParentMiniFrame(TRUE);
            if (pTabbed->IsPreparingToFloat() || (pMiniFrame != nullptr && pMiniFrame->IsCaptured())) {
                (pMiniFrame != nullptr ? static_cast<CWnd*>(pMiniFrame) : pTabbed)->PostMessage(WM_CANCELMODE);
                return TRUE;
            }
        }
    }
    return CKtvPControlBar::PreTranslateMessage(pMsg);
}

// --- mouse ------------------------------------------------------------------------------------------------

void CKtvPDockingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nHot != 0) {
        m_nHit = m_nHot;
        if (CKtvPCaptionButton* pBtn = FindButtonByHit(m_nHit)) {
            pBtn->m_bPushed = TRUE;
            RedrawButton(pBtn);
        }
        return;
    }
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild != nullptr && pChild->GetWindow(GW_HWNDNEXT) == nullptr &&
        pChild->GetSafeHwnd() != m_wndToolTip.GetSafeHwnd()) {
        pChild->SetFocus();
    }
    if (!IsAutoHideMode() && !IsTabbed()) {
        if (CanFloat()) {
            m_bPrepareToFloat = TRUE;
        }
        CKtvPControlBar::OnLButtonDown(nFlags, point);
    }
    if (CWnd::GetFocus() == nullptr || (CWnd::GetFocus() != this && !IsChild(CWnd::GetFocus()))) {
        SetFocus();
    }
}

void CKtvPDockingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const int nMode = GetDockingMode();
    if (nMode == KTVP_DT_IMMEDIATE && !m_bCaptionButtonsCaptured) {
        const BOOL bHolds = CWnd::GetCapture() == this;
        if ((m_bCaptured && !bHolds) || (bHolds && !m_bCaptured) || (nFlags & MK_LBUTTON) == 0) {
            if (m_bCaptured && bHolds) {
                ReleaseCapture();
            }
            m_bCaptured = FALSE;
            m_bPrepareToFloat = FALSE;
        }
    }
    if (m_bPrepareToFloat && nMode == KTVP_DT_IMMEDIATE) {
        CRect rectWindow;
        GetWindowRect(rectWindow);
        if (rectWindow.PtInRect(ptScreen)) {
            m_bReadyToFloat = TRUE;
        }
        const CPoint ptDelta = ptScreen - m_dragFrame.m_ptLastCursor;
        m_rectVirtual.OffsetRect(ptDelta);
        m_dragFrame.m_ptLastCursor = ptScreen;

        CWnd* pTest = this;
        if (IsTabbed()) {
            HWND hWndTab = nullptr;
            if (CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab)) {
                pTest = pTabWnd->GetParent() != nullptr ? pTabWnd->GetParent() : pTest;
            }
        }
        CRect rectTest;
        pTest->GetWindowRect(rectTest);
        rectTest.InflateRect(GetDragThreshold());
        if (rectTest.PtInRect(ptScreen) || !m_bReadyToFloat) {
            return;
        }
        m_bPrepareToFloat = FALSE;
        m_bReadyToFloat = FALSE;
        if (IsTabbed()) {
            HWND hWndTab = nullptr;
            if (CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab)) {
                pTabWnd->DetachTab(KTVP_DM_MOUSE, pTabWnd->GetActiveTab(), FALSE);
            }
            return;
        }
        FloatControlBar(m_recentDockInfo.m_rectLastFloat, KTVP_DM_MOUSE, TRUE);
        return;
    }
    if (m_bPrepareToFloat && nMode == KTVP_DT_STANDARD) {
        CKtvPControlBar::OnMouseMove(nFlags, point);
        return;
    }
    OnTrackCaptionButtons(ptScreen);
}

void CKtvPDockingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bPrepareToFloat = FALSE;
    if (m_nHit == 0) {
        CKtvPControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const UINT nPressed = m_nHit;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CKtvPCaptionButton* pUnder = FindButtonAtPoint(ptScreen);
    StopCaptionButtonsTracking();
    if (pUnder == nullptr || pUnder->GetHit() != nPressed || pUnder->m_bHidden) {
        CKtvPControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    switch (nPressed) {
    case KTVP_HTPIN:
        OnPinButton();
        return;
    case KTVP_HTCLOSE_BAR: {
        CFrameWnd* pTop = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : GetTopLevelFrame();
        CKtvPFrameHooks* pHooks = pTop != nullptr ? KtvGetFrameHooks(pTop) : nullptr;
        if (pHooks == nullptr || pHooks->OnCloseDockingBar(this)) {
            OnPressCloseButton();
        }
        return;
    }
    default:
        OnPressCaptionButton(nPressed);
        break;
    }
    CKtvPControlBar::OnLButtonUp(nFlags, point);
}

void CKtvPDockingControlBar::OnPinButton()
{
    CKtvPDockManager* pDockManager = GetDockManager();
    CKtvPSlider* pSlider = GetDefaultSlider();
    if (IsCtrlDown() && IsAutoHideAllEnabled()) {
        CFrameWnd* pDockSite = GetDockSiteFrameWnd();
        if (pDockSite != nullptr) {
            pDockSite->SetRedraw(FALSE);
        }
        if (m_bAutoHideMode) {
            if (m_pAutoHideBar != nullptr) {
                if (auto* pStrip = dynamic_cast<CKtvPAutoHideDockBar*>(m_pAutoHideBar->GetParentDockBar())) {
                    pStrip->UnSetAutoHideMode(nullptr);
                }
            }
        } else if (pSlider != nullptr) {
            CObList lstBars;
            pSlider->GetControlBars(lstBars);
            const DWORD dwSide = pSlider->GetCurrentAlignment();
            for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
                auto* pBar = dynamic_cast<CKtvPDockingControlBar*>(lstBars.GetNext(pos));
                if (pBar != nullptr && pBar->IsAutoHideAllEnabled()) {
                    pBar->SetAutoHideMode(TRUE, dwSide, nullptr, FALSE);
                }
            }
        }
        if (pDockSite != nullptr) {
            pDockSite->SetRedraw(TRUE);
            pDockSite->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        return;
    }
    if (pDockManager != nullptr && pSlider != nullptr &&
        (pDockManager->GetEnabledAutoHideAlignment() & pSlider->GetCurrentAlignment()) != 0) {
        SetAutoHideMode(!m_bAutoHideMode, pSlider->GetCurrentAlignment(), nullptr, TRUE);
    }
}

void CKtvPDockingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (FindButtonAtPoint(ptScreen) != nullptr || IsAutoHideMode()) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    CKtvPDockingControlBar* pStanding = this;
    if (CKtvPBaseTabbedBar* pTabbed = GetParentTabbedBar()) {
        pStanding = pTabbed;
    }
    if (CKtvPMiniFrameWnd* pMiniFrame = pStanding->GetParentMiniFrame(TRUE);
        pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
        OnProcessDblClk();
        static_cast<CKtvPMultiMiniFrameWnd*>(pMiniFrame)->DockBarToMainFrame(pStanding);
        return;
    }
    if (pStanding->GetDefaultSlider() == nullptr) {
        OnProcessDblClk();
        return;
    }
    CKtvPRecentDockInfo& info = pStanding->GetRecentDockInfo();
    CWnd* pRecentFrame = info.m_hLastMiniFrame != nullptr ? CWnd::FromHandlePermanent(info.m_hLastMiniFrame) : nullptr;
    if (pRecentFrame != nullptr && pRecentFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd)) &&
        (info.GetLayoutNode(FALSE) != nullptr || info.GetTabbedBarNode(FALSE) != nullptr)) {
        OnProcessDblClk();
        pStanding->UndockControlBar(FALSE);
        auto* pMulti = static_cast<CKtvPMultiMiniFrameWnd*>(pRecentFrame);
        pMulti->AddRecentControlBar(pStanding);
        if (pStanding->CanFocus()) {
            pMulti->SetFocus();
        }
        return;
    }
    CKtvPControlBar::OnLButtonDblClk(nFlags, point);
}

void CKtvPDockingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!IsDocked()) {
        CKtvPControlBar::OnNcLButtonDown(nHitTest, point);
    }
}

void CKtvPDockingControlBar::OnCancelMode()
{
    StopCaptionButtonsTracking();
    m_bPrepareToFloat = FALSE;
    CKtvPControlBar::OnCancelMode();
}

void CKtvPDockingControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!m_bPrepareToFloat) {
        CKtvPControlBar::OnContextMenu(pWnd, point);
    }
}

void CKtvPDockingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CKtvPControlBar::OnRButtonDown(nFlags, point);
}

void CKtvPDockingControlBar::OnClose() { DestroyWindow(); }

void CKtvPDockingControlBar::OnDestroy()
{
    KillAutoHideTimers();
    RemoveCaptionButtons();
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    } else {
        UndockControlBar(TRUE);
    }
    if (m_wndToolTip.GetSafeHwnd() != nullptr) {
        m_wndToolTip.DestroyWindow();
    }
    CKtvPControlBar::OnDestroy();
}

LRESULT CKtvPDockingControlBar::OnSetText(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (!lResult) {
        return 0;
    }
    if (IsTabbed()) {
        HWND hWndTab = nullptr;
        if (CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab)) {
            const int iTab = pTabWnd->GetTabFromHwnd(hWndTab);
            CString strLabel;
            const CString strNew = lParam != 0 ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString();
            if (iTab >= 0 && pTabWnd->GetTabLabel(iTab, strLabel) && strLabel != strNew) {
                pTabWnd->SetTabLabel(iTab, strNew);
            }
        }
    } else if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->SetWindowPos(nullptr, 0, 0, 0, 0,
                                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (m_bAutoHideMode && m_pAutoHideBar != nullptr) {
        m_pAutoHideBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        AdjustDockingLayout(nullptr);
    } else {
        CWnd::SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return lResult;
}

void CKtvPDockingControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CKtvPControlBar::OnSetFocus(pOldWnd);
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
        pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
        static_cast<CKtvPMultiMiniFrameWnd*>(pMiniFrame)->SetLastFocusedBar(GetSafeHwnd());
    }
}

void CKtvPDockingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) { CWnd::OnWindowPosChanging(lpwndpos); }

// --- docking ----------------------------------------------------------------------------------------------

BOOL CKtvPDockingControlBar::CanAcceptBar(const CKtvPBaseControlBar* pBar) const
{
    if (pBar == nullptr) {
        return FALSE;
    }
    CWnd* pParent = pBar->GetParent();
    return pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) ||
           (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)));
}

BOOL CKtvPDockingControlBar::CanAcceptMiniFrame(CKtvPMiniFrameWnd* pMiniFrame) const
{
    return pMiniFrame != nullptr && pMiniFrame->CanBeDockedToBar(this);
}

BOOL CKtvPDockingControlBar::IsInMultiMiniFrame() const
{
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd));
}

void CKtvPDockingControlBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
}

int CKtvPDockingControlBar::GetDockingStatus(CPoint pt, int nSensitivity)
{
    CRect rectTop;
    CRect rectBottom;
    GetTabArea(rectTop, rectBottom);
    if (HitTestCaption(pt, TRUE) == HTCAPTION || rectTop.PtInRect(pt) || rectBottom.PtInRect(pt)) {
        return KTVP_CS_DELAY_DOCK_TO_TAB;
    }
    CRect rect;
    GetWindowRect(rect);
    rect.top += GetCaptionHeight() + rectTop.Height();
    rect.bottom -= rectBottom.Height();
    rect.DeflateRect(nSensitivity, nSensitivity);
    return rect.PtInRect(pt) ? KTVP_CS_NOTHING : KTVP_CS_DELAY_DOCK;
}

BOOL CKtvPDockingControlBar::GetDockTargetAtCursor(int nSensitivity, CWnd*& pTarget)
{
    pTarget = nullptr;
    CKtvPDockManager* pDockManager = GetDockManager();
    if (pDockManager == nullptr) {
        return KTVP_CS_NOTHING;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CKtvPBaseControlBar* pTargetBar = nullptr;
    const int nStatus =
        pDockManager->CalcDockingStatus(ptCursor, nSensitivity, GetEnabledAlignment(), &pTargetBar, this, this);
    pTarget = pTargetBar;
    return nStatus;
}

CKtvPBaseControlBar* CKtvPDockingControlBar::DockAtCursor(BOOL& bDocked)
{
    bDocked = FALSE;
    CWnd* pTargetWnd = nullptr;
    const int nStatus = GetDockTargetAtCursor(CKtvPDockManager::m_nDockSensitivity, pTargetWnd);
    CKtvPDockingControlBar* pTarget = pTargetWnd != nullptr && pTargetWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
                                          ? static_cast<CKtvPDockingControlBar*>(pTargetWnd)
                                          : nullptr;
    if (pTarget == this || IsCtrlDown()) {
        return nullptr;
    }
    if (nStatus == KTVP_CS_DELAY_DOCK) {
        CKtvPMiniFrameWnd* pTargetFrame = pTarget != nullptr ? pTarget->GetParentMiniFrame(TRUE) : nullptr;
        if (pTargetFrame != nullptr && pTargetFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
            if ((GetBarStyle() & CBRS_FLOAT_MULTI) == 0) {
                return nullptr;
            }
            bDocked = !static_cast<CKtvPMultiMiniFrameWnd*>(pTargetFrame)->DockBarIntoFrame(this);
            return this;
        }
        bDocked = DockControlBar(pTarget, nullptr, KTVP_DM_STANDARD);
        return nullptr;
    }
    if (nStatus == KTVP_CS_DELAY_DOCK_TO_TAB && pTarget != nullptr && pTarget->CanAcceptBar(this) &&
        CanBeAttached()) {
        UndockControlBar(FALSE);
        CKtvPDockingControlBar* pResult = AttachToTabbedBar(pTarget, KTVP_DM_STANDARD, TRUE);
        bDocked = pResult != nullptr;
        return pResult;
    }
    return nullptr;
}

BOOL CKtvPDockingControlBar::Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod)
{
    if (pDockBar != nullptr && pDockBar != this && !pDockBar->CanAcceptBar(this)) {
        return FALSE;
    }
    if (dockMethod == KTVP_DM_RECT && lpRect == nullptr) {
        return FALSE;
    }
    m_bPrepareToFloat = FALSE;
    auto* pTarget = pDockBar != nullptr && pDockBar != this && pDockBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
                        ? static_cast<CKtvPDockingControlBar*>(pDockBar)
                        : nullptr;
    switch (dockMethod) {
    case KTVP_DM_DBL_CLICK:
    case KTVP_DM_SHOW:
        return DockToRecentPlace(lpRect, dockMethod);
    case KTVP_DM_MOUSE:
    case KTVP_DM_STANDARD: {
        if (pTarget == nullptr) {
            DWORD dwSide = 0;
            BOOL bOuterEdge = FALSE;
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            CKtvPDockManager* pDockManager = GetDockManager();
            if (pDockManager == nullptr || !pDockManager->IsPointNearDockBar(ptCursor, dwSide, bOuterEdge) ||
                (dwSide & GetEnabledAlignment()) == 0) {
                return FALSE;
            }
            return DockToFrameWindow(dwSide, nullptr, KTVP_DT_DOCK_LAST, nullptr, -1, bOuterEdge);
        }
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        DWORD dwSide = 0;
        if (!globalUtils.CheckAlignment(ptCursor, pTarget, CKtvPDockManager::m_nDockSensitivity, FALSE, dwSide,
                                        CBRS_ALIGN_ANY, nullptr)) {
            return FALSE;
        }
        return DockNextToBar(pTarget, dwSide, nullptr);
    }
    case KTVP_DM_RECT:
        return pTarget != nullptr && DockNextToBar(pTarget, 0, lpRect);
    default:
        return FALSE;
    }
}

BOOL CKtvPDockingControlBar::DockToRecentPlace(LPCRECT lpRect, int dockMethod)
{
    ShowWindow(SW_HIDE);
    ChangeParent(GetDockSiteFrameWnd(), dockMethod);
    SetBarAlignment(m_recentDockInfo.m_dwLastAlignment);
    CKtvPSlider* pSlider = m_recentDockInfo.GetLastDefaultSlider();
    if (pSlider != nullptr && pSlider->GetSafeHwnd() != nullptr) {
        SetDefaultSlider(pSlider->GetSafeHwnd());
    } else {
        pSlider = nullptr;
    }

    CKtvPBarContainer* pTabNode = m_recentDockInfo.GetTabbedBarNode(TRUE);
    if (pSlider != nullptr && pTabNode != nullptr) {
        const BOOL bLeft = m_recentDockInfo.WasLeftPart(TRUE);
        CKtvPDockingControlBar* pHost = bLeft ? pTabNode->m_pBarLeft : pTabNode->m_pBarRight;
        if (pHost != nullptr) {
            m_hDefaultSlider = nullptr;
            const BOOL bDone = AttachToTabbedBar(pHost, KTVP_DM_DBL_CLICK, TRUE) != nullptr;
            ShowWindow(SW_SHOW);
            AdjustDockingLayout(nullptr);
            return bDone;
        }
    }
    if (pSlider == nullptr) {
        ShowWindow(SW_SHOW);
        CRect rectDocked = m_recentDockInfo.m_dockedLayout.m_rectBar;
        if (CFrameWnd* pFrame = GetDockSiteFrameWnd()) {
            pFrame->ClientToScreen(rectDocked);
        }
        return DockToFrameWindow(m_recentDockInfo.m_dwLastAlignment, lpRect != nullptr ? lpRect : &rectDocked,
                                 KTVP_DT_DOCK_LAST, nullptr, -1, FALSE);
    }
    ShowCaption(TRUE);
    InsertBarIntoDockSite(this, pSlider, FALSE);
    ShowWindow(SW_SHOW);
    CKtvPBaseControlBar* pAdjusted = pSlider->AddRecentControlBar(this);
    if (pAdjusted == nullptr) {
        // The recorded place is gone: the bar docks at its recent side instead.
        RemoveBarFromDockSite(this, FALSE, FALSE, FALSE);
        m_hDefaultSlider = nullptr;
        return DockToFrameWindow(m_recentDockInfo.m_dwLastAlignment, lpRect, KTVP_DT_DOCK_LAST, nullptr, -1, FALSE);
    }
    pAdjusted->AdjustDockingLayout(nullptr);
    // Docked also when the place held another bar and this one became its tab.
    return TRUE;
}

BOOL CKtvPDockingControlBar::DockToFrameWindow(DWORD dwAlignment, LPCRECT lpRect, DWORD, CKtvPBaseControlBar*, int,
                                               BOOL bOuterEdge)
{
    CFrameWnd* pDockSite = GetDockSiteFrameWnd();
    if (pDockSite == nullptr) {
        return FALSE;
    }
    TakeFloatingFrameSize();
    ChangeParent(pDockSite, 0);
    if (GetDefaultSlider() != nullptr) {
        UndockControlBar(FALSE);
    }
    CKtvPSlider* pSlider = CreateDefaultSlider(dwAlignment & CBRS_ALIGN_ANY, pDockSite);
    if (pSlider == nullptr) {
        ShowWindow(SW_SHOW);
        return FALSE;
    }
    m_hDefaultSlider = pSlider->GetSafeHwnd();

    CRect rectBar;
    GetWindowRect(rectBar);
    if (lpRect != nullptr) {
        rectBar = *lpRect;
    }
    pDockSite->ScreenToClient(rectBar);
    if (CKtvPDockManager* pDockManager = GetDockManager()) {
        if (pDockManager->AdjustRectToClientArea(rectBar, dwAlignment)) {
            lpRect = nullptr;
        }
    }
    CWnd::SetWindowPos(nullptr, 0, 0, rectBar.Width(), rectBar.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    pSlider->AddControlBar(this);
    CKtvPDockManager* pDockManager = GetDockManager();
    if (bOuterEdge && pDockManager != nullptr) {
        pDockManager->AddControlBar(pSlider, FALSE, FALSE, TRUE);
        pDockManager->AddControlBar(this, FALSE, FALSE, TRUE);
    } else {
        AddBarToDockSite(this);
        AddBarToDockSite(pSlider);
    }
    SetBarAlignment(dwAlignment & CBRS_ALIGN_ANY);
    pSlider->SetBarAlignment(dwAlignment & CBRS_ALIGN_ANY);
    m_recentDockInfo.m_dwLastAlignment = dwAlignment & CBRS_ALIGN_ANY;
    ShowCaption(TRUE);
    if (!IsWindowVisible()) {
        ShowWindow(SW_SHOW);
    }
    AdjustDockingLayout(nullptr);
    OnAfterDock(this, nullptr, KTVP_DM_UNKNOWN);
    return TRUE;
}

// A floating pane docks at the size its frame had, which is what the drag outline showed.
void CKtvPDockingControlBar::TakeFloatingFrameSize()
{
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        CRect rectFrame;
        pMiniFrame->GetWindowRect(rectFrame);
        CWnd::SetWindowPos(nullptr, 0, 0, rectFrame.Width(), rectFrame.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

CKtvPSlider* CKtvPDockingControlBar::CreateDefaultSlider(DWORD dwAlignment, CWnd* pDockSite,
                                                         CRuntimeClass* pSliderRTC)
{
    CKtvPSlider* pSlider = nullptr;
    if (pSliderRTC != nullptr) {
        pSlider = static_cast<CKtvPSlider*>(pSliderRTC->CreateObject());
        if (pSlider != nullptr) {
            pSlider->SetDefaultMode();
        }
    }
    if (pSlider == nullptr) {
        pSlider = new CKtvPSlider(TRUE);
    }
    const DWORD dwOrientation = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0 ? KTVP_SS_VERT : KTVP_SS_HORZ;
    const int w = CKtvPSlider::m_nDefaultWidth;
    if (!pSlider->CreateEx(0, WS_VISIBLE | dwOrientation, CRect(0, 0, w, w), pDockSite, (UINT)-1, nullptr)) {
        delete pSlider;
        return nullptr;
    }
    pSlider->SetBarAlignment(dwAlignment);
    return pSlider;
}

BOOL CKtvPDockingControlBar::DockNextToBar(CKtvPDockingControlBar* pTargetBar, DWORD dwAlignment, LPCRECT lpRect)
{
    CKtvPSlider* pSlider = pTargetBar != nullptr ? pTargetBar->GetDefaultSlider() : nullptr;
    if (pSlider == nullptr) {
        ShowWindow(SW_SHOW);
        return FALSE;
    }
    if (GetDefaultSlider() != nullptr) {
        UndockControlBar(TRUE);
    }
    TakeFloatingFrameSize();
    ChangeParent(GetDockSiteFrameWnd(), 0);
    if (lpRect != nullptr && dwAlignment == 0) {
        // By rectangle: the side of the target the rectangle's centre lies on.
        CRect rectTarget;
        pTargetBar->GetWindowRect(rectTarget);
        const CPoint ptCentre = CRect(lpRect).CenterPoint();
        globalUtils.CheckAlignment(ptCentre, pTargetBar, CKtvPDockManager::m_nDockSensitivity, FALSE, dwAlignment,
                                   CBRS_ALIGN_ANY, nullptr);
        if (dwAlignment == 0) {
            dwAlignment = ptCentre.y > rectTarget.CenterPoint().y ? CBRS_ALIGN_BOTTOM : CBRS_ALIGN_TOP;
        }
        CRect rectSize(lpRect);
        CWnd::SetWindowPos(nullptr, 0, 0, rectSize.Width(), rectSize.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!pSlider->InsertControlBar(this, pTargetBar, dwAlignment, lpRect)) {
        ShowWindow(SW_SHOW);
        return FALSE;
    }
    InsertBarIntoDockSite(this, pTargetBar, TRUE);
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    SetBarAlignment(pSlider->GetCurrentAlignment());
    m_recentDockInfo.m_dwLastAlignment = pSlider->GetCurrentAlignment();
    ShowCaption(TRUE);
    CWnd::SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                           SWP_NOACTIVATE);
    AdjustDockingLayout(nullptr);
    OnAfterDock(this, nullptr, KTVP_DM_UNKNOWN);
    return TRUE;
}

BOOL CKtvPDockingControlBar::DockContainer(CKtvPBarContainerManager& manager, DWORD dwAlignment, int)
{
    CKtvPSlider* pSlider = GetDefaultSlider();
    if (pSlider == nullptr) {
        return FALSE;
    }
    CObList lstBars;
    manager.AddControlBarsToList(&lstBars, nullptr);
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = dynamic_cast<CKtvPDockingControlBar*>(lstBars.GetNext(pos));
        if (pBar == nullptr) {
            continue;
        }
        InsertBarIntoDockSite(pBar, this, TRUE);
        pBar->m_hDefaultSlider = pSlider->GetSafeHwnd();
        pBar->SetBarAlignment(GetCurrentAlignment());
    }
    return pSlider->AddContainerManagerToBar(this, manager, dwAlignment);
}

// The sound form of tabbing: a tab that cannot be added leaves no bar in a tab
// window without a tab; the bar floats at its recent floating rectangle and NULL comes back.
CKtvPDockingControlBar* CKtvPDockingControlBar::AttachToTabbedBar(CKtvPDockingControlBar* pTargetBar, int dockMethod,
                                                                  BOOL bSetActive,
                                                                  CKtvPDockingControlBar** ppTabbedBar)
{
    if (ppTabbedBar != nullptr) {
        *ppTabbedBar = nullptr;
    }
    if (pTargetBar == nullptr || !pTargetBar->CanBeAttached() || !CanBeAttached()) {
        return nullptr;
    }
    CKtvPBaseTabbedBar* pTabbed = nullptr;
    if (pTargetBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        pTabbed = static_cast<CKtvPBaseTabbedBar*>(pTargetBar);
    } else {
        pTabbed = pTargetBar->GetParentTabbedBar();
    }
    BOOL bCreated = FALSE;
    CRect rectTarget;
    if (pTabbed == nullptr) {
        pTargetBar->StoreRecentDockInfo();
        pTargetBar->GetWindowRect(rectTarget);
        if (CWnd* pParent = pTargetBar->GetParent()) {
            pParent->ScreenToClient(rectTarget);
        }
        pTabbed = pTargetBar->CreateTabbedControlBar();
        if (pTabbed == nullptr) {
            return nullptr;
        }
        pTargetBar->InsertBarIntoDockSite(pTabbed, pTargetBar, TRUE);
        if (!pTargetBar->ReplaceControlBar(pTabbed, dockMethod)) {
            if (!pTargetBar->IsFloating()) {
                pTabbed->RemoveBarFromDockSite(pTabbed, FALSE, FALSE, FALSE);
            }
            pTabbed->DestroyWindow();
            return nullptr;
        }
        pTabbed->EnableDocking(pTargetBar->GetEnabledAlignment());
        pTabbed->SetBarAlignment(pTargetBar->GetCurrentAlignment());
        pTargetBar->UndockControlBar(TRUE);
        pTabbed->AddTab(pTargetBar, TRUE, bSetActive, TRUE);
        pTargetBar->ShowCaption(FALSE);
        bCreated = TRUE;
    }
    if (ppTabbedBar != nullptr) {
        *ppTabbedBar = pTabbed;
    }
    ShowCaption(FALSE);
    CKtvPBaseControlBar* pDockTarget = pTabbed;
    OnBeforeDock(&pDockTarget, nullptr, dockMethod);
    CWnd* pOldParent = GetParent();
    OnBeforeChangeParent(pTabbed, TRUE);
    ChangeParent(pTabbed, dockMethod);
    const BOOL bAdded = pTabbed->AddTab(this, TRUE, bSetActive, TRUE);
    if (bAdded) {
        OnAfterChangeParent(pOldParent);
        OnAfterDock(pTabbed, nullptr, dockMethod);
    }
    if (bCreated) {
        pTabbed->CWnd::SetWindowPos(nullptr, rectTarget.left, rectTarget.top, rectTarget.Width(), rectTarget.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        if (bAdded) {
            pTabbed->AdjustDockingLayout(nullptr);
        }
    }
    pTabbed->RecalcLayout();
    if (!bAdded && IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        // A dropped tabbed bar handed its tabs over and is on its way out.
        return pTabbed;
    }
    if (!bAdded) {
        ShowCaption(TRUE);
        FloatControlBar(m_recentDockInfo.m_rectLastFloat, KTVP_DM_DBL_CLICK, TRUE);
        return nullptr;
    }
    return this;
}

CKtvPBaseTabbedBar* CKtvPDockingControlBar::CreateTabbedControlBar()
{
    CRect rect;
    GetWindowRect(rect);
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(rect);
    }
    auto* pTabbed = static_cast<CKtvPBaseTabbedBar*>(m_pTabbedControlBarRTC->CreateObject());
    if (pTabbed == nullptr) {
        return nullptr;
    }
    pTabbed->SetAutoDestroy(TRUE);
    if (!pTabbed->Create("", GetParent(), rect, TRUE, (UINT)-1, GetStyle() | CBRS_FLOAT_MULTI, 0x20,
                         KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE)) {
        delete pTabbed;
        return nullptr;
    }
    pTabbed->GetRecentDockInfo().m_rectLastFloat = m_recentDockInfo.m_rectLastFloat;
    pTabbed->GetRecentDockInfo().m_dockedLayout.m_rectBar = m_recentDockInfo.m_dockedLayout.m_rectBar;
    pTabbed->GetRecentDockInfo().m_floatingLayout.m_rectBar = m_recentDockInfo.m_floatingLayout.m_rectBar;
    return pTabbed;
}

BOOL CKtvPDockingControlBar::ReplaceControlBar(CKtvPDockingControlBar* pNewBar, int, BOOL bRegister)
{
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->ReplaceControlBar(this, pNewBar);
        return TRUE;
    }
    CKtvPSlider* pSlider = GetDefaultSlider();
    if (pSlider == nullptr || !pSlider->ReplaceControlBar(this, pNewBar)) {
        return FALSE;
    }
    RemoveBarFromDockSite(this, FALSE, FALSE, FALSE);
    if (bRegister) {
        AddBarToDockSite(pNewBar);
    }
    return TRUE;
}

void CKtvPDockingControlBar::StoreRecentDockInfo()
{
    CKtvPDockingControlBar* pStanding = this;
    if (CKtvPBaseTabbedBar* pTabbed = GetParentTabbedBar()) {
        pStanding = pTabbed;
    }
    if (CKtvPMiniFrameWnd* pMiniFrame = pStanding->GetParentMiniFrame(TRUE)) {
        pMiniFrame->StoreRecentDockInfo(pStanding);
    } else if (CKtvPSlider* pSlider = pStanding->GetDefaultSlider()) {
        pSlider->StoreRecentDockInfo(pStanding);
    }
    if (pStanding == this && !IsFloating()) {
        UpdateRecentDockedRect();
    }
}

void CKtvPDockingControlBar::StoreRecentTabRelatedInfo()
{
    CKtvPBaseTabbedBar* pTabbed = GetParentTabbedBar();
    if (pTabbed == nullptr) {
        return;
    }
    if (CKtvPMiniFrameWnd* pMiniFrame = pTabbed->GetParentMiniFrame(TRUE)) {
        pMiniFrame->StoreRecentTabRelatedInfo(this, pTabbed);
    } else if (CKtvPSlider* pSlider = pTabbed->GetDefaultSlider()) {
        pSlider->StoreRecentTabRelatedInfo(this, pTabbed);
    }
}

void CKtvPDockingControlBar::UndockControlBar(BOOL bDelay)
{
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
        return;
    }
    SetDefaultSlider(nullptr);
    RemoveBarFromDockSite(this, FALSE, !bDelay, FALSE);
    if (!bDelay && !IsFloating()) {
        AdjustDockingLayout(nullptr);
    }
}

void CKtvPDockingControlBar::OnBeforeChangeParent(CWnd* pWndNewParent, BOOL bDelay)
{
    if (pWndNewParent != nullptr && (pWndNewParent->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd)) ||
                                     pWndNewParent->IsKindOf(RUNTIME_CLASS(CKtvPTabWnd)))) {
        UndockControlBar(bDelay);
    }
    CKtvPControlBar::OnBeforeChangeParent(pWndNewParent, bDelay);
}

void CKtvPDockingControlBar::OnAfterChangeParent(CWnd* pWndOldParent)
{
    CKtvPControlBar::OnAfterChangeParent(pWndOldParent);
    if (GetParentMiniFrame(TRUE) != nullptr) {
        CKtvPMiniFrameWnd::AddRemoveBarFromGlobalList(this, TRUE);
    }
}

void CKtvPDockingControlBar::OnAfterDock(CKtvPBaseControlBar*, LPCRECT, int)
{
    if (!g_bKtvRestoringDockState) {
        SetFocus();
    }
}

BOOL CKtvPDockingControlBar::OnBeforeFloat(CRect& rectFloat, int dockMethod)
{
    const BOOL bResult = CKtvPControlBar::OnBeforeFloat(rectFloat, dockMethod);
    if (dockMethod == KTVP_DM_MOUSE) {
        m_bPrepareToFloat = FALSE;
    }
    return bResult;
}

void CKtvPDockingControlBar::EnterDragMode(BOOL bChangeHotPoint)
{
    m_bPrepareToFloat = TRUE;
    CKtvPControlBar::EnterDragMode(bChangeHotPoint);
}

void CKtvPDockingControlBar::DrawDragRect(LPCRECT lpRectNew, LPCRECT lpRectOld)
{
    CWindowDC dc(CWnd::GetDesktopWindow());
    const CRect rectEmpty(0, 0, 0, 0);
    dc.DrawDragRect(lpRectNew != nullptr ? lpRectNew : &rectEmpty, CSize(1, 1), lpRectOld, CSize(1, 1));
}

void CKtvPDockingControlBar::RecalcLayout() { CKtvPControlBar::RecalcLayout(); }

BOOL CKtvPDockingControlBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    return CKtvPControlBar::LoadState(lpszProfileName, nIndex, uiID);
}

BOOL CKtvPDockingControlBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    return CKtvPControlBar::SaveState(lpszProfileName, nIndex, uiID);
}

CSize CKtvPDockingControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    GetWindowRect(rect);
    return rect.Size();
}

void CKtvPDockingControlBar::Serialize(CArchive& ar)
{
    CKtvPBaseControlBar::Serialize(ar);
    if (ar.IsStoring()) {
        if (IsFloating()) {
            if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
                pMiniFrame->GetWindowRect(m_recentDockInfo.m_rectLastFloat);
            }
        } else {
            UpdateRecentDockedRect();
        }
        const CRect& rf = m_recentDockInfo.m_rectLastFloat;
        const CRect& rd = m_recentDockInfo.m_dockedLayout.m_rectBar;
        ar << rf.left << rf.top << rf.right << rf.bottom;
        ar << rd.left << rd.top << rd.right << rd.bottom;
        ar << m_bRecentFloatingState;
        return;
    }
    CRect& rf = m_recentDockInfo.m_rectLastFloat;
    ar >> rf.left >> rf.top >> rf.right >> rf.bottom;
    CRect rd;
    ar >> rd.left >> rd.top >> rd.right >> rd.bottom;
    m_rectLoadedDocked = rd;
    m_recentDockInfo.m_dockedLayout.m_rectBar = rd;
    ar >> m_bRecentFloatingState;
}

// --- showing and hiding -------------------------------------------------------------------------------

BOOL CKtvPDockingControlBar::IsVisible() const
{
    if (m_bAutoHideMode) {
        return HideInAutoHideMode() && m_pAutoHideBar != nullptr && m_pAutoHideBar->IsVisible();
    }
    return CKtvPControlBar::IsVisible();
}

void CKtvPDockingControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (m_bAutoHideMode) {
        if (HideInAutoHideMode()) {
            if (IsWindowVisible() && !bShow && m_pAutoHideButton != nullptr) {
                m_pAutoHideButton->ShowAttachedWindow(FALSE);
            }
            if (m_pAutoHideBar != nullptr) {
                m_pAutoHideBar->ShowAutoHideWindow(this, bShow, bDelay);
            }
            return;
        }
        // Hiding an auto-hidden bar slides it back when it is out; showing slides it out.
        if (m_pAutoHideButton != nullptr && (bShow || IsWindowVisible())) {
            m_pAutoHideButton->ShowAttachedWindow(bShow);
        }
        if (bShow && bActivate) {
            SetFocus();
            m_bActive = TRUE;
        }
        return;
    }
    if (IsFloating() || IsTabbed()) {
        CKtvPControlBar::ShowControlBar(bShow, bDelay, bActivate);
        if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
            pMiniFrame->OnShowControlBar(this, bShow);
        }
        if (bShow && bActivate && IsTabbed()) {
            ActivateOwnTab();
        }
        return;
    }
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->OnShowControlBar(this, bShow);
        return;
    }
    if (CKtvPSlider* pSlider = GetDefaultSlider()) {
        if (bShow) {
            m_nLastPercent = m_nLastPercent >= 50 ? 50 : m_nLastPercent + 1;
        }
        pSlider->OnShowControlBar(this, bShow);
        if (!bDelay) {
            AdjustDockingLayout(nullptr);
        }
    }
}

void CKtvPDockingControlBar::ActivateOwnTab()
{
    HWND hWndTab = nullptr;
    if (CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab)) {
        const int iTab = pTabWnd->GetTabFromHwnd(hWndTab);
        if (iTab >= 0) {
            pTabWnd->SetActiveTab(iTab);
        }
    }
}

void CKtvPDockingControlBar::OnPressCloseButton()
{
    if (m_bAutoHideMode) {
        m_bAutoHideMode = FALSE;
        SetAutoHideMode(FALSE, GetCurrentAlignment(), nullptr, TRUE);
    }
    ShowControlBar(FALSE, FALSE, FALSE);
    AdjustDockingLayout(nullptr);
}

// --- the default slider -----------------------------------------------------------------------------------

CKtvPSlider* CKtvPDockingControlBar::GetDefaultSlider() const
{
    if (m_hDefaultSlider == nullptr || !::IsWindow(m_hDefaultSlider)) {
        return nullptr;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(m_hDefaultSlider);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPSlider)) ? static_cast<CKtvPSlider*>(pWnd) : nullptr;
}

void CKtvPDockingControlBar::SetDefaultSlider(HWND hSliderWnd)
{
    if (hSliderWnd == m_hDefaultSlider) {
        return;
    }
    if (CKtvPSlider* pSlider = GetDefaultSlider()) {
        pSlider->RemoveControlBar(this);
    }
    m_hDefaultSlider = hSliderWnd;
}

// --- auto-hide ------------------------------------------------------------------------------------------

void CKtvPDockingControlBar::KillAutoHideTimers()
{
    if (m_nSlideTimerID != 0) {
        KillTimer(m_nSlideTimerID);
        m_nSlideTimerID = 0;
    }
    if (m_nAutoHideConditionTimerID != 0) {
        KillTimer(m_nAutoHideConditionTimerID);
        m_nAutoHideConditionTimerID = 0;
    }
}

CKtvPAutoHideToolBar* CKtvPDockingControlBar::SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                              CKtvPAutoHideToolBar* pCurrAutoHideBar,
                                                              BOOL bUseTimer)
{
    if (!bMode) {
        if (m_pAutoHideBar != nullptr) {
            if (auto* pStrip = dynamic_cast<CKtvPAutoHideDockBar*>(m_pAutoHideBar->GetParentDockBar())) {
                pStrip->UnSetAutoHideMode(m_pAutoHideBar);
            }
        }
        return pCurrAutoHideBar;
    }
    m_bAutoHideMode = TRUE;
    CFrameWnd* pDockSite = GetDockSiteFrameWnd();
    CRect rectOld;
    GetWindowRect(rectOld);
    if (pDockSite != nullptr) {
        pDockSite->ScreenToClient(rectOld);
    }
    StoreRecentDockInfo();
    UndockControlBar(FALSE);

    CKtvPSlider* pSlider = CreateDefaultSlider(dwAlignment, pDockSite);
    if (pSlider == nullptr) {
        m_bAutoHideMode = FALSE;
        DockControlBar(this, nullptr, KTVP_DM_DBL_CLICK);
        return nullptr;
    }
    m_hDefaultSlider = pSlider->GetSafeHwnd();
    pSlider->SetAutoHideMode(TRUE);
    pSlider->AddControlBar(this);
    SetBarAlignment(dwAlignment);
    pSlider->SetBarAlignment(dwAlignment);

    CKtvPDockManager* pDockManager = GetDockManager();
    CKtvPAutoHideToolBar* pToolBar =
        pDockManager != nullptr ? pDockManager->AddAutoHideToolbar(this, pCurrAutoHideBar) : nullptr;
    if (IsWindowVisible()) {
        RedrawWindow(nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        pSlider->RedrawWindow(nullptr, nullptr,
                              RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        if (pDockSite != nullptr) {
            pDockSite->RedrawWindow(rectOld, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    } else {
        ShowWindow(SW_SHOW);
    }
    if (bUseTimer) {
        m_nAutoHideConditionTimerID = SetTimer(kAutoHideCheckTimer, (UINT)m_nAutoHideConditionDelay, nullptr);
    } else {
        Slide(FALSE, FALSE);
    }
    return pToolBar;
}

void CKtvPDockingControlBar::UnSetAutoHideMode(CKtvPDockingControlBar* pFirstBarInGroup)
{
    m_bAutoHideMode = FALSE;
    KillAutoHideTimers();
    const BOOL bActive = m_pAutoHideBar != nullptr && m_pAutoHideBar->m_bActiveInGroup;
    if (m_pAutoHideBar != nullptr) {
        m_pAutoHideBar->RemoveAutoHideWindow(this);
    }
    SetDefaultSlider(nullptr);
    if (pFirstBarInGroup == nullptr) {
        if (!DockControlBar(this, nullptr, KTVP_DM_DBL_CLICK)) {
            return;
        }
    } else {
        AttachToTabbedBar(pFirstBarInGroup, KTVP_DM_SHOW, bActive);
    }
    ShowControlBar(TRUE, FALSE, bActive);
    AdjustDockingLayout(nullptr);
}

// The bar's extent across its strip: its width on a left or right side, else its height.
int CKtvPDockingControlBar::ExtentAcrossStrip(const CRect& rect) const
{
    return (GetCurrentAlignment() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0 ? rect.Width() : rect.Height();
}

CRect CKtvPDockingControlBar::RectInDockSite(const CWnd* pWnd) const
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    if (CFrameWnd* pDockSite = GetDockSiteFrameWnd()) {
        pDockSite->ScreenToClient(rect);
    }
    return rect;
}

void CKtvPDockingControlBar::Slide(BOOL bShow, BOOL bUseTimer)
{
    if (!m_bAutoHideMode) {
        return;
    }
    KillAutoHideTimers();
    CKtvPSlider* pSlider = GetDefaultSlider();
    const BOOL bNoAnimation = !bUseTimer || m_bDisableAnimation || globalData.bIsRemoteSession;
    if (bNoAnimation) {
        CRect rect;
        GetWindowRect(rect);
        m_nSlideStep = ExtentAcrossStrip(rect);
    }
    if (!bUseTimer) {
        GetWindowRect(m_rectRestored);
        OnSlide(FALSE);
        ShowWindow(SW_HIDE);
        if (pSlider != nullptr) {
            pSlider->ShowWindow(SW_HIDE);
        }
        return;
    }
    CKtvPDockManager* pDockManager = GetDockManager();
    if (bShow) {
        if (pDockManager != nullptr) {
            pDockManager->HideAutoHideBars(this, FALSE);
            pDockManager->AlignAutoHideBar(pSlider, FALSE);
        }
        ShowWindow(SW_SHOW);
        if (pSlider != nullptr) {
            pSlider->ShowWindow(SW_SHOW);
        }
    }
    if (pSlider != nullptr) {
        pSlider->BringWindowToTop();
    }
    BringWindowToTop();
    if (m_nSlideMode == 1 && pDockManager != nullptr) {
        pDockManager->BringBarsToTop();
    }
    m_nSlideTimerID = SetTimer(bShow ? kShowTimer : kHideTimer, (UINT)m_nSlideDelay, nullptr);
    if (!bNoAnimation) {
        int nExtent = 0;
        if (m_nSlideMode == 1) {
            nExtent = ExtentAcrossStrip(RectInDockSite(this));
        } else {
            if (!bShow && !m_bIsSliding) {
                m_rectRestored = RectInDockSite(this);
            }
            nExtent = ExtentAcrossStrip(m_rectRestored);
        }
        m_nSlideStep = std::max(1, nExtent / m_nSlideSteps);
    }
    m_bIsSliding = TRUE;
    m_nSlideStepCount = 0;
}

void CKtvPDockingControlBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kAutoHideCheckTimer:
        if (CheckAutoHideCondition()) {
            KillTimer(kAutoHideCheckTimer);
            m_nAutoHideConditionTimerID = 0;
        }
        return;
    case kHideTimer:
    case kShowTimer: {
        const BOOL bShow = nIDEvent == kShowTimer;
        m_bIsHiding = !bShow;
        OnSlide(bShow);
        if (CheckStopSlideCondition(bShow)) {
            KillTimer(m_nSlideTimerID);
            m_nSlideTimerID = 0;
            m_bIsSliding = FALSE;
            m_nSlideStepCount = 0;
            CKtvPSlider* pSlider = GetDefaultSlider();
            if (bShow) {
                RedrawWindow(nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                if (pSlider != nullptr) {
                    pSlider->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
                }
                m_nAutoHideConditionTimerID = SetTimer(kAutoHideCheckTimer, (UINT)m_nAutoHideConditionDelay, nullptr);
            } else {
                ShowWindow(SW_HIDE);
                if (pSlider != nullptr) {
                    pSlider->ShowWindow(SW_HIDE);
                }
            }
        }
        break;
    }
    default:
        break;
    }
    CKtvPControlBar::OnTimer(nIDEvent);
}

BOOL CKtvPDockingControlBar::CheckAutoHideCondition()
{
    if (m_bActive || m_bBlockAutoHide || !m_bAutoHideMode ||
        (m_wndToolTip.GetSafeHwnd() != nullptr && m_wndToolTip.IsWindowVisible())) {
        return FALSE;
    }
    CRect rectButton(0, 0, 0, 0);
    if (m_pAutoHideButton != nullptr && m_pAutoHideBar != nullptr) {
        rectButton = m_pAutoHideButton->GetRect();
        m_pAutoHideBar->ClientToScreen(rectButton);
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CKtvPSlider* pSlider = GetDefaultSlider();
    BOOL bOverBar = FALSE;
    for (CWnd* pWnd = CWnd::FromHandle(::WindowFromPoint(ptCursor)); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (pWnd == this || pWnd == pSlider) {
            bOverBar = TRUE;
            break;
        }
    }
    CRect rectBar;
    GetWindowRect(rectBar);
    if (pSlider != nullptr) {
        CRect rectSlider;
        pSlider->GetWindowRect(rectSlider);
        rectBar.UnionRect(rectBar, rectSlider);
    }
    if ((rectBar.PtInRect(ptCursor) && bOverBar) || rectButton.PtInRect(ptCursor)) {
        return FALSE;
    }
    Slide(FALSE, TRUE);
    return TRUE;
}

// The inner edge of the auto-hide strip that holds the bar's button, in dock-site coordinates.
CRect CKtvPDockingControlBar::AutoHideStripRect() const
{
    CWnd* pStrip = m_pAutoHideBar != nullptr ? m_pAutoHideBar->GetParentDockBar() : nullptr;
    return pStrip != nullptr ? RectInDockSite(pStrip) : CRect(0, 0, 0, 0);
}

void CKtvPDockingControlBar::OnSlide(BOOL bShow)
{
    CKtvPSlider* pSlider = GetDefaultSlider();
    if (!m_bAutoHideMode || pSlider == nullptr) {
        return;
    }
    m_nSlideStepCount++;
    CRect B = RectInDockSite(this);
    CRect S = RectInDockSite(pSlider);
    const CRect D = AutoHideStripRect();
    const DWORD dwSide = GetCurrentAlignment();
    const int n = m_nSlideStep;
    if (m_nSlideMode == 1) {
        CSize offset(0, 0);
        switch (dwSide) {
        case CBRS_ALIGN_LEFT:
            offset.cx = bShow ? n : -n;
            break;
        case CBRS_ALIGN_TOP:
            offset.cy = bShow ? n : -n;
            break;
        case CBRS_ALIGN_RIGHT:
            offset.cx = bShow ? -n : n;
            break;
        case CBRS_ALIGN_BOTTOM:
            offset.cy = bShow ? -n : n;
            break;
        default:
            break;
        }
        B.OffsetRect(offset);
        S.OffsetRect(offset);
        if (bShow) {
            CSize back(0, 0);
            if (dwSide == CBRS_ALIGN_LEFT && B.left > D.right) {
                back.cx = D.right - B.left;
            } else if (dwSide == CBRS_ALIGN_TOP && B.top > D.bottom) {
                back.cy = D.bottom - B.top;
            } else if (dwSide == CBRS_ALIGN_RIGHT && B.right < D.left) {
                back.cx = D.left - B.right;
            } else if (dwSide == CBRS_ALIGN_BOTTOM && B.bottom < D.top) {
                back.cy = D.top - B.bottom;
            }
            B.OffsetRect(back);
            S.OffsetRect(back);
        }
    } else {
        const int nSign = bShow ? 1 : -1;
        switch (dwSide) {
        case CBRS_ALIGN_LEFT:
            B.right = std::max((int)B.left, std::min((int)B.right + nSign * n, (int)(B.left + m_rectRestored.Width())));
            S.OffsetRect(B.right - S.left, 0);
            break;
        case CBRS_ALIGN_TOP:
            B.bottom = std::max((int)B.top, std::min((int)B.bottom + nSign * n, (int)(B.top + m_rectRestored.Height())));
            S.OffsetRect(0, B.bottom - S.top);
            break;
        case CBRS_ALIGN_RIGHT:
            B.left = std::min((int)B.right, std::max((int)B.left - nSign * n, (int)(B.right - m_rectRestored.Width())));
            S.OffsetRect(B.left - S.right, 0);
            break;
        case CBRS_ALIGN_BOTTOM:
            B.top = std::min((int)B.bottom, std::max((int)B.top - nSign * n, (int)(B.bottom - m_rectRestored.Height())));
            S.OffsetRect(0, B.top - S.bottom);
            break;
        default:
            break;
        }
    }
    CWnd::SetWindowPos(nullptr, B.left, B.top, B.Width(), B.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pSlider->CWnd::SetWindowPos(nullptr, S.left, S.top, S.Width(), S.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKtvPDockingControlBar::CheckStopSlideCondition(BOOL bShow)
{
    if (!m_bAutoHideMode) {
        return TRUE;
    }
    const CRect B = RectInDockSite(this);
    const CRect D = AutoHideStripRect();
    const BOOL bMove = m_nSlideMode == 1;
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        return bMove ? (bShow ? B.left >= D.right : B.right <= D.right)
                     : (bShow ? B.Width() >= m_rectRestored.Width() : B.Width() <= 0);
    case CBRS_ALIGN_TOP:
        return bMove ? (bShow ? B.top >= D.bottom : B.bottom <= D.bottom)
                     : (bShow ? B.Height() >= m_rectRestored.Height() : B.Height() <= 0);
    case CBRS_ALIGN_RIGHT:
        return bMove ? (bShow ? B.right <= D.left : B.left >= D.left)
                     : (bShow ? B.Width() >= m_rectRestored.Width() : B.Width() <= 0);
    case CBRS_ALIGN_BOTTOM:
        return bMove ? (bShow ? B.bottom <= D.top : B.top >= D.top)
                     : (bShow ? B.Height() >= m_rectRestored.Height() : B.Height() <= 0);
    default:
        return FALSE;
    }
}
