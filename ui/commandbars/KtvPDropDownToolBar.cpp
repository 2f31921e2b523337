#include "ui/commandbars/KtvPDropDownToolBar.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/menu/winmenu.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPDropDownToolbarButton, CKtvPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKtvPDropDownToolBar, CKtvPToolBar, 1)
IMPLEMENT_SERIAL(CKtvPDropDownFrame, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CKtvPDropDownToolbarButton* CKtvPDropDownToolbarButton::m_pBtnDown = nullptr;
CString CKtvPDropDownFrame::m_strClassName;

namespace {

constexpr UINT_PTR kHoldTimer = 1;
constexpr UINT kHoldMs = 500;
constexpr UINT kFrameBarId = 59431;

// The hold timer fires on the bar the button stands on.
void CALLBACK HoldTimerProc(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    if (CKtvPDropDownToolbarButton* pButton = CKtvPDropDownToolbarButton::m_pBtnDown)
        pButton->OnClick(CWnd::FromHandle(hwnd), FALSE);
}

}  // namespace

// --- the button ----------------------------------------------------------------------------------

// It never registers images.
CKtvPDropDownToolbarButton::CKtvPDropDownToolbarButton() { m_bLocked = TRUE; }
CKtvPDropDownToolbarButton::~CKtvPDropDownToolbarButton() = default;

void CKtvPDropDownToolbarButton::Serialize(CArchive& ar)
{
    CKtvPToolbarButton::Serialize(ar);
    if (ar.IsLoading()) {
        DWORD dwBarId = 0, dwImage = 0;
        ar >> dwBarId >> m_strName >> dwImage;
        m_iSelectedImage = (int)dwImage;
        // The palette is one of the live bars, found by its toolbar resource.
        m_pToolBar = nullptr;
        for (POSITION pos = CKtvPToolBar::m_AllToolbars.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = DYNAMIC_DOWNCAST(CKtvPDropDownToolBar, CKtvPToolBar::m_AllToolbars.GetNext(pos));
            if (pBar != nullptr && CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == pBar &&
                pBar->m_uiOriginalResID == dwBarId) {
                m_pToolBar = pBar;
                break;
            }
        }
        SetDefaultCommand(m_nID);
    } else {
        ar << (DWORD)(m_pToolBar != nullptr ? m_pToolBar->m_uiOriginalResID : 0) << m_strName
           << (DWORD)m_iSelectedImage;
    }
}

void CKtvPDropDownToolbarButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarButton::CopyFrom(s);
    const auto& src = static_cast<const CKtvPDropDownToolbarButton&>(s);
    m_pToolBar = src.m_pToolBar;
    m_strName = src.m_strName;
    m_iSelectedImage = src.m_iSelectedImage;
    m_bStoredFlag = FALSE;
}

void CKtvPDropDownToolbarButton::SetDefaultCommand(UINT uiCmd)
{
    m_nID = uiCmd;
    m_iSelectedImage = -1;
    if (m_pToolBar == nullptr)
        return;
    int iImage = 0;
    for (int i = 0; i < m_pToolBar->GetCount(); i++) {
        CKtvPToolbarButton* pButton = m_pToolBar->GetButton(i);
        if (pButton->m_nStyle & TBBS_SEPARATOR)
            continue;
        if (pButton->m_nID == uiCmd) {
            m_bLocalUserButton = pButton->m_bUserImage;
            m_iSelectedImage = m_bLocalUserButton ? pButton->m_iUserImage : iImage;
            return;
        }
        iImage++;
    }
    m_iSelectedImage = 0;
}

CSize CKtvPDropDownToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_nID == 0 && m_pToolBar != nullptr) {
        for (int i = 0; i < m_pToolBar->GetCount(); i++) {
            if (!(m_pToolBar->GetButton(i)->m_nStyle & TBBS_SEPARATOR)) {
                SetDefaultCommand(m_pToolBar->GetButton(i)->m_nID);
                break;
            }
        }
    }
    const int iImage = m_iImage;
    m_iImage = m_iSelectedImage;
    CSize size = CKtvPToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    m_iImage = iImage;
    size.cx += CKtvPToolBar::m_bLargeIcons ? 9 : 4;
    return size;
}

void CKtvPDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages* pImages, BOOL bHorz,
                                        BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                        BOOL bGrayDisabledButtons)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    FillInterior(pDC, rect, bHighlight);
    const BOOL bLarge = CKtvPToolBar::m_bLargeIcons;

    if (m_pToolBar != nullptr) {
        CRect rectImage = rect;
        rectImage.right -= bLarge ? 8 : 4;
        const int iImage = m_iImage;
        const BOOL bUser = m_bUserImage, bShown = m_bImageShown, bNoFill = m_bNoFill;
        m_iImage = m_iSelectedImage;
        m_bImageShown = TRUE;
        m_bNoFill = TRUE;
        m_bInternalDraw = TRUE;
        if (m_bLocalUserButton) {
            m_bUserImage = TRUE;
            m_iUserImage = m_iSelectedImage;
            CKtvPToolbarButton::OnDraw(pDC, rect, CKtvPToolBar::m_pUserImages, bHorz, bCustomizeMode, bHighlight,
                                       FALSE, bGrayDisabledButtons);
        } else {
            CKtvPToolBarImages& palette = m_pToolBar->m_ImagesLocked;
            CKtvPDrawState ds;
            if (palette.GetCount() > 0 && palette.PrepareDrawImage(ds)) {
                CKtvPToolbarButton::OnDraw(pDC, rectImage, &palette, bHorz, bCustomizeMode, bHighlight, FALSE,
                                           bGrayDisabledButtons);
                palette.EndDrawImage(ds);
            }
        }
        m_iImage = iImage;
        m_bUserImage = bUser;
        m_bImageShown = bShown;
        m_bNoFill = bNoFill;
        m_bInternalDraw = FALSE;
    }

    // The small triangle in the lower right corner that says "hold me".
    const int p = (m_nStyle & TBBS_PRESSED) ? 1 : 0;
    const int g = bLarge ? 14 : 7;
    const int s = bLarge ? 0 : 3;
    const POINT triangle[3] = {{rect.right + p - g - 1, rect.bottom + p + s - 6},
                               {rect.right + p + s - 6, rect.bottom + p + s - 6},
                               {rect.right + p + s - 6, rect.bottom + p - g - 1}};
    CBrush brush(globalData.clrBtnText);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    pDC->Polygon(triangle, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (bCustomizeMode || !HaveHotBorder() || !bDrawBorder)
        return;
    if (m_pPopupMenu != nullptr || (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))) {
        const BOOL bRealId = m_nID != 0 && m_nID != (UINT)-1;
        pLook->OnDrawButtonBorder(pDC, this, rect, bRealId ? ButtonsIsPressed : ButtonsIsHighlighted);
    } else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE))) {
        pLook->OnDrawButtonBorder(pDC, this, rect, ButtonsIsHighlighted);
    }
}

BOOL CKtvPDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (m_uiTimer == 0) {
        if (m_pWndParent == nullptr || m_pWndParent->GetSafeHwnd() == nullptr)
            return FALSE;
        m_uiTimer = (UINT)::SetTimer(m_pWndParent->GetSafeHwnd(), kHoldTimer, kHoldMs, HoldTimerProc);
        m_pBtnDown = this;
        return FALSE;
    }

    // The hold timer fired: the palette drops (or a dropped one goes away).
    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr)
        ::KillTimer(m_pWndParent->GetSafeHwnd(), kHoldTimer);
    m_uiTimer = 0;
    m_pBtnDown = nullptr;

    auto* pMenuBar = DYNAMIC_DOWNCAST(CKtvPMenuBar, m_pWndParent);
    if (m_pPopupMenu != nullptr) {
        m_pPopupMenu->m_bAutoDestroy = FALSE;
        m_pPopupMenu->DestroyWindow();
        m_pPopupMenu = nullptr;
    } else if (!(bDelay && pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar)) &&
                 !CKtvPToolBar::m_bCustomizeMode)) {
        DropDownToolbar(pWnd);
    }
    if (pMenuBar != nullptr)
        pMenuBar->SetDroppedMenuButton(nullptr);
    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr)
        m_pWndParent->InvalidateRect(m_rect);
    return FALSE;
}

BOOL CKtvPDropDownToolbarButton::OnClickUp()
{
    if (m_uiTimer != 0) {
        // Released before the palette dropped: the current command runs.
        if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr)
            ::KillTimer(m_pWndParent->GetSafeHwnd(), kHoldTimer);
        m_uiTimer = 0;
        m_pBtnDown = nullptr;
        return FALSE;
    }
    if (m_pPopupMenu != nullptr) {
        m_pPopupMenu->m_bAutoDestroy = FALSE;
        m_pPopupMenu->DestroyWindow();
        m_pPopupMenu = nullptr;
        if (auto* pMenuBar = DYNAMIC_DOWNCAST(CKtvPMenuBar, m_pWndParent))
            pMenuBar->SetDroppedMenuButton(nullptr);
    }
    return TRUE;
}

BOOL CKtvPDropDownToolbarButton::DropDownToolbar(CWnd* pWnd)
{
    if (m_pToolBar == nullptr || m_pPopupMenu != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = m_pWndParent;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;

    auto* pBar = DYNAMIC_DOWNCAST(CKtvPBaseControlBar, pWnd);
    const BOOL bVertical = pBar != nullptr && !pBar->IsHorizontal();
    CPoint point = bVertical ? CPoint(m_rect.right + 1, m_rect.top) : CPoint(m_rect.left - 1, m_rect.bottom);
    pWnd->ClientToScreen(&point);

    m_pPopupMenu = new CKtvPDropDownFrame;
    m_pPopupMenu->m_pParentBtn = this;
    CKtvPDropDownFrame* pFrame = m_pPopupMenu;
    if (!pFrame->Create(pWnd, point.x, point.y, m_pToolBar)) {
        m_pPopupMenu = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CKtvPDropDownToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParent = pWndParent;
    m_bTextShown = FALSE;
    m_strText.Empty();
    m_bUserImage = FALSE;
}

BOOL CKtvPDropDownToolbarButton::ExportToMenuButton(CKtvPToolbarMenuButton& menuButton) const
{
    if (m_pToolBar == nullptr || !CKtvPToolbarButton::ExportToMenuButton(menuButton))
        return FALSE;
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < m_pToolBar->GetCount(); i++) {
        CKtvPToolbarButton* pButton = m_pToolBar->GetButton(i);
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        CString strText = pButton->m_strText;
        if (strText.IsEmpty())
            strText = KtvCommandLabel(pButton->m_nID);
        ::AppendMenu(hMenu, MF_STRING, pButton->m_nID, strText);
    }
    menuButton.m_nID = 0;
    menuButton.m_strText = m_strName;
    menuButton.SetImage(-1);
    menuButton.m_bImageShown = FALSE;
    menuButton.CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);
    return TRUE;
}

void CKtvPDropDownToolbarButton::OnCancelMode()
{
    if (m_pWndParent == nullptr || m_pWndParent->GetSafeHwnd() == nullptr)
        return;
    m_pWndParent->InvalidateRect(m_rect);
    m_pWndParent->UpdateWindow();
}

BOOL CKtvPDropDownToolbarButton::OnContextHelp(CWnd* pWnd) { return OnClick(pWnd, FALSE); }

BOOL CKtvPDropDownToolbarButton::OnCustomizeMenu(CMenu* pPopup)
{
    for (UINT uiCmd : {ID_KTVP_TOOLBAR_IMAGE, ID_KTVP_TOOLBAR_TEXT, ID_KTVP_TOOLBAR_IMAGE_AND_TEXT,
                       ID_KTVP_TOOLBAR_APPEARANCE, ID_KTVP_TOOLBAR_COPY_IMAGE})
        pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

int CKtvPDropDownToolbarButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const CString strText = m_strText;
    m_strText = m_strName;
    const int nWidth = CKtvPToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
    m_strText = strText;
    return nWidth;
}

BOOL CKtvPDropDownToolbarButton::IsExtraSize() const { return m_bExtraSize && !m_bInternalDraw; }

// --- the palette bar -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPDropDownToolBar, CKtvPToolBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CKtvPDropDownToolBar::CKtvPDropDownToolBar() { m_bLocked = TRUE; }
CKtvPDropDownToolBar::~CKtvPDropDownToolBar() = default;

BOOL CKtvPDropDownToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL,
                                      UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    return CKtvPToolBar::LoadBitmap(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID);
}

BOOL CKtvPDropDownToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL,
                                       UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiBmpResID)
{
    return CKtvPToolBar::LoadToolBar(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID,
                                     uiBmpResID);
}

void CKtvPDropDownToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHndler)
{
    CWnd* pTarget = GetCommandTarget();
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget))
        CKtvPToolBar::OnUpdateCmdUI(pFrame, bDisableIfNoHndler);
}

BOOL CKtvPDropDownToolBar::OnSendCommand(const CKtvPToolbarButton* pButton)
{
    if ((pButton->m_nStyle & TBBS_DISABLED) || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return FALSE;
    auto* pFrame = DYNAMIC_DOWNCAST(CKtvPDropDownFrame, GetParent());
    if (pFrame != nullptr && pFrame->m_pParentBtn != nullptr)
        pFrame->m_pParentBtn->SetDefaultCommand(pButton->m_nID);
    if (CWnd* pOwner = CommandOwner())
        pOwner->PostMessage(WM_COMMAND, pButton->m_nID);
    if (pFrame != nullptr)
        pFrame->DestroyWindow();
    return TRUE;
}

CWnd* CKtvPDropDownToolBar::CommandOwner() const
{
    if (CWnd* pOwner = GetOwner())
        return pOwner;
    // A child window keeps no owner of its own on this platform, so the bar in
    // a drop-down frame asks the palette bar it shows.
    auto* pFrame = DYNAMIC_DOWNCAST(CKtvPDropDownFrame, GetParent());
    if (pFrame != nullptr && pFrame->m_pWndOriginToolbar != nullptr && pFrame->m_pWndOriginToolbar != this)
        return pFrame->m_pWndOriginToolbar->CommandOwner();
    return GetParent();
}

void CKtvPDropDownToolBar::OnMouseMove(UINT, CPoint point)
{
    if (point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;

    int iHot = HitTest(point);
    CKtvPToolbarButton* pHot = GetButton(iHot);
    if (pHot != nullptr && ((pHot->m_nStyle & TBBS_SEPARATOR) ||
                            ((pHot->m_nStyle & TBBS_DISABLED) && !HighlightDisabledItems())))
        iHot = -1;

    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetSafeHwnd(), 0};
        m_bTracking = EmulateTrackMouseEvent(&tme);
    }
    if (iHot == m_iHighlighted)
        return;

    const int iOld = m_iHighlighted;
    m_iHighlighted = iHot;
    if (CKtvPToolbarButton* pOld = GetButton(iOld)) {
        pOld->m_nStyle &= ~TBBS_PRESSED;
        InvalidateButton(iOld);
    }
    if (CKtvPToolbarButton* pNew = GetButton(iHot)) {
        pNew->m_nStyle |= TBBS_PRESSED;
        InvalidateButton(iHot);
        ShowCommandMessageString(pNew->m_nID);
    } else if (CWnd* pOwner = CommandOwner(); pOwner != nullptr && CKtvPPopupMenu::m_pActivePopupMenu == nullptr) {
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    }
    UpdateWindow();
}

void CKtvPDropDownToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bCustomizeMode) {
        CRect rectClient;
        GetClientRect(rectClient);
        if (!rectClient.PtInRect(point)) {
            if (auto* pFrame = DYNAMIC_DOWNCAST(CKtvPDropDownFrame, GetParent()))
                pFrame->DestroyWindow();
            return;
        }
    }
    if (CKtvPToolbarButton* pHot = GetButton(m_iHighlighted)) {
        m_iButtonCapture = m_iHighlighted;
        pHot->m_nStyle &= ~TBBS_PRESSED;
    }
    CKtvPToolBar::OnLButtonUp(nFlags, point);
}

// --- the frame -----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKtvPDropDownFrame, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPDropDownFrame::CKtvPDropDownFrame() = default;
CKtvPDropDownFrame::~CKtvPDropDownFrame() = default;

BOOL CKtvPDropDownFrame::Create(CWnd* pWndParent, int x, int y, CKtvPDropDownToolBar* pWndOriginToolbar)
{
    if (m_strClassName.IsEmpty())
        m_strClassName = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    m_pWndOriginToolbar = pWndOriginToolbar;
    if (x == -1 && y == -1) {
        CPoint pt(0, 0);
        if (pWndParent != nullptr) {
            pWndParent->ClientToScreen(&pt);
            pt.Offset(5, 5);
        }
        x = pt.x;
        y = pt.y;
    }
    m_x = x;
    m_y = y;

    CWnd* pOwner = pWndParent != nullptr && pWndParent->GetOwner() != nullptr ? pWndParent->GetOwner() : pWndParent;
    // The mini frame's own creation, named by its signature: the window's
    // creation of the same arity would make a plain call ambiguous.
    BOOL (CMiniFrameWnd::*createEx)(DWORD, LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT) =
        &CMiniFrameWnd::CreateEx;
    if (!(this->*createEx)(0, m_strClassName, m_strTitle, WS_POPUP, CRect(x, y, x, y), pOwner, 0)) {
        delete this;
        return FALSE;
    }
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return TRUE;
}

int CKtvPDropDownFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1 || m_pWndOriginToolbar == nullptr)
        return -1;

    auto* pOpeningBar = m_pParentBtn != nullptr ? DYNAMIC_DOWNCAST(CKtvPBaseControlBar, m_pParentBtn->m_pWndParent)
                                                : nullptr;
    const DWORD dwOrient = (pOpeningBar != nullptr && pOpeningBar->IsHorizontal()) ? CBRS_ORIENT_VERT
                                                                                     : CBRS_ORIENT_HORZ;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | dwOrient, CRect(1, 1, 1, 1),
                               kFrameBarId))
        return -1;

    m_pWndOriginToolbar->m_ImagesLocked.CopyTemp(m_wndToolBar.m_ImagesLocked);
    m_pWndOriginToolbar->m_ColdImagesLocked.CopyTemp(m_wndToolBar.m_ColdImagesLocked);
    m_pWndOriginToolbar->m_DisabledImagesLocked.CopyTemp(m_wndToolBar.m_DisabledImagesLocked);
    m_wndToolBar.SetLockedSizes(m_pWndOriginToolbar->m_sizeButtonLocked, m_pWndOriginToolbar->m_sizeImageLocked);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~CBRS_GRIPPER);
    CWnd* pOwner = m_pWndOriginToolbar->GetOwner() != nullptr ? m_pWndOriginToolbar->GetOwner()
                                                               : m_pWndOriginToolbar->GetParent();
    m_wndToolBar.SetOwner(pOwner);
    m_wndToolBar.m_bRouteCommandsViaFrame = m_pWndOriginToolbar->m_bRouteCommandsViaFrame;

    // The palette's own buttons are shown, not copies of them.
    for (POSITION pos = m_pWndOriginToolbar->m_Buttons.GetHeadPosition(); pos != nullptr;)
        m_wndToolBar.m_Buttons.AddTail(m_pWndOriginToolbar->m_Buttons.GetNext(pos));

    RecalcLayout();
    // The mouse button is still down: its moves and its release go to the bar
    // the palette is shown in.
    m_wndToolBar.SetCapture();
    return 0;
}

void CKtvPDropDownFrame::RecalcLayout(BOOL)
{
    if (m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    const BOOL bVert = (m_wndToolBar.GetBarStyle() & CBRS_ORIENT_VERT) != 0;
    CSize size = m_wndToolBar.CalcFixedLayout(FALSE, !bVert);
    size.cx += 6;
    size.cy += 6;

    CRect rectWork;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (::GetMonitorInfo(::MonitorFromPoint(CPoint(m_x, m_y), MONITOR_DEFAULTTONEAREST), &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);

    CWnd* pOpeningBar = m_pParentBtn != nullptr ? m_pParentBtn->m_pWndParent : nullptr;
    auto* pOpeningControlBar = DYNAMIC_DOWNCAST(CKtvPBaseControlBar, pOpeningBar);
    int x = m_x, y = m_y;
    if (x + size.cx > rectWork.right) {
        if (pOpeningControlBar != nullptr && !pOpeningControlBar->IsHorizontal()) {
            CRect rectBar;
            pOpeningBar->GetWindowRect(rectBar);
            x = rectBar.left - size.cx;
        } else {
            x = rectWork.Width() - size.cx - 1;
        }
    }
    if (y + size.cy > rectWork.bottom) {
        // Above the button that opened it, kept on the work area.
        if (m_pParentBtn != nullptr && pOpeningBar != nullptr && pOpeningBar->GetSafeHwnd() != nullptr) {
            CRect rectButton = m_pParentBtn->m_rect;
            pOpeningBar->ClientToScreen(rectButton);
            y = rectButton.top - size.cy;
        } else {
            y -= size.cy;
        }
        y = std::max(y, (int)rectWork.top);
    }
    SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKtvPDropDownFrame::OnSize(UINT nType, int cx, int cy)
{
    CMiniFrameWnd::OnSize(nType, cx, cy);
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.SetWindowPos(nullptr, 2, 2, cx - 4, cy - 4, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKtvPDropDownFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    dc.Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarDkShadow);
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(rect, globalData.clrBarLight, globalData.clrBarShadow);
}

BOOL CKtvPDropDownFrame::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, globalData.clrBarFace);
    return TRUE;
}

int CKtvPDropDownFrame::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CKtvPDropDownFrame::OnActivateApp(BOOL bActive, DWORD)
{
    if (!bActive && !CKtvPToolBar::m_bCustomizeMode)
        SendMessage(WM_CLOSE);
}

void CKtvPDropDownFrame::OnDestroy()
{
    if (GetCapture() == this || GetCapture() == &m_wndToolBar)
        ReleaseCapture();
    if (m_pParentBtn != nullptr) {
        m_pParentBtn->m_pPopupMenu = nullptr;
        m_pParentBtn->m_nStyle &= ~TBBS_PRESSED;
        CWnd* pBar = m_pParentBtn->m_pWndParent;
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
            CPoint pt;
            ::GetCursorPos(&pt);
            pBar->ScreenToClient(&pt);
            pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        }
    }
    // The shown buttons belong to the palette bar. The bar's window is a child
    // of this frame and goes with it: destroyed here, in the middle of the
    // frame's own destruction, it would lose its object before its WM_DESTROY
    // and stay listed among the live toolbars.
    m_wndToolBar.m_Buttons.RemoveAll();
    CMiniFrameWnd::OnDestroy();
}

void CKtvPDropDownFrame::PostNcDestroy()
{
    if (m_pParentBtn != nullptr)
        m_pParentBtn->OnCancelMode();
    CMiniFrameWnd::PostNcDestroy();
}
