#include "ui/commandbars/KtvPMenuBar.h"

#include <algorithm>
#include <vector>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CDocument.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/menu/winmenu.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/HelpComboBoxButton.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

IMPLEMENT_DYNCREATE(CKtvPMenuBar, CKtvPToolBar)

const TCHAR CKtvPMenuBar::m_szDefaultSection[] = _T("KtvMenuBar");
BOOL CKtvPMenuBar::m_bRecentlyUsedMenus = TRUE;
BOOL CKtvPMenuBar::m_bShowAllCommands = FALSE;
BOOL CKtvPMenuBar::m_bShowAllMenusAfterDelay = TRUE;
BOOL CKtvPMenuBar::m_bMenuShadows = TRUE;
BOOL CKtvPMenuBar::m_bHighlightDisabledItems = FALSE;

BEGIN_MESSAGE_MAP(CKtvPMenuBar, CKtvPToolBar)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CKtvPMenuBar::CKtvPMenuBar()
{
    // The menu bar wants a dock row of its own.
    m_bExclusiveRow = TRUE;
}

CKtvPMenuBar::~CKtvPMenuBar()
{
    if (m_hDefaultMenu != nullptr)
        ::DestroyMenu(m_hDefaultMenu);
}


namespace {

constexpr UINT_PTR kShowAllTimer = 1;
constexpr UINT kShowAllDelayMs = 5000;

BOOL IsChildButton(const CKtvPToolbarButton* pButton)
{
    return pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarSystemMenuButton)) ||
           pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButtonsButton));
}

}  // namespace

// --- overrides -----------------------------------------------------------------------------------

INT_PTR CKtvPMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const int iHit = const_cast<CKtvPMenuBar*>(this)->HitTest(point);
    CKtvPToolbarButton* pButton = GetButton(iHit);
    if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButton)))
        return -1;
    return CKtvPToolBar::OnToolHitTest(point, pTI);
}

BOOL CKtvPMenuBar::CanBeClosed() const { return FALSE; }

BOOL CKtvPMenuBar::IsButtonExtraSizeAvailable() const { return FALSE; }

BOOL CKtvPMenuBar::AllowShowTextLabels() const { return FALSE; }

BOOL CKtvPMenuBar::CanBeRestored() const { return TRUE; }

int CKtvPMenuBar::GetAvailableExpandSize() const
{
    return m_bExclusiveRow ? 0xFFFF : CKtvPToolBar::GetAvailableExpandSize();
}

BOOL CKtvPMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_pParentWnd = pParentWnd;
    return CKtvPToolBar::Create(pParentWnd, dwStyle, nID);
}

BOOL CKtvPMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_pParentWnd = pParentWnd;
    return CKtvPToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

CFont* CKtvPMenuBar::GetMenuFont(BOOL bHorz) { return bHorz ? &globalData.fontRegular : &globalData.fontVertDown; }

BOOL CKtvPMenuBar::FindMenuItemText(HMENU hMenu, UINT nItemID, CString& strOutText)
{
    if (hMenu == nullptr || nItemID == 0 || nItemID == (UINT)-1)
        return FALSE;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        if (::GetMenuItemID(hMenu, i) == nItemID) {
            strOutText = KtvMenuItemText(hMenu, i);
            return TRUE;
        }
        if (HMENU hSub = ::GetSubMenu(hMenu, i); hSub != nullptr && FindMenuItemText(hSub, nItemID, strOutText))
            return TRUE;
    }
    return FALSE;
}

BOOL CKtvPMenuBar::SetDefaultButtonText(CKtvPToolbarButton* pButton)
{
    CString strText;
    if (pButton != nullptr && FindMenuItemText(m_hMenu, pButton->m_nID, strText)) {
        pButton->m_strText = strText;
        return TRUE;
    }
    return CKtvPToolBar::SetDefaultButtonText(pButton);
}

BOOL CKtvPMenuBar::IsPureMenuButton(CKtvPToolbarButton* pButton) const
{
    return m_bMenuMode || pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarMenuButton));
}

// --- sizes ---------------------------------------------------------------------------------------

void CKtvPMenuBar::UpdateHaveButtons()
{
    m_bHaveButtons = FALSE;
    for (int i = 0; i < GetCount(); i++) {
        CKtvPToolbarButton* pButton = GetButton(i);
        if (!IsChildButton(pButton) && pButton->m_bImageShown && pButton->GetImage() >= 0) {
            m_bHaveButtons = TRUE;
            return;
        }
    }
}

int CKtvPMenuBar::GetRowHeight() const
{
    int nHeight = 0;
    if (m_bHaveButtons) {
        const CSize size = m_bLocked ? (m_bSizeFromButtons ? m_sizeButtonLocked : m_sizeImageLocked)
                                     : (m_bSizeFromButtons ? m_sizeButton : m_sizeImage);
        nHeight = size.cy;
    } else {
        nHeight = (m_sizeMenuImage.cy > 0 ? m_sizeMenuImage.cy : m_sizeImage.cy) - 2;
    }
    const BOOL bHorz = (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0 || GetCurrentAlignment() == 0;
    return std::max(nHeight, bHorz ? globalData.m_nTextHeight : globalData.m_nVertTextHeight);
}

int CKtvPMenuBar::GetColumnWidth() const
{
    if (m_bHaveButtons) {
        const CSize size = m_bLocked ? (m_bSizeFromButtons ? m_sizeButtonLocked : m_sizeImageLocked)
                                     : (m_bSizeFromButtons ? m_sizeButton : m_sizeImage);
        return size.cx;
    }
    return (m_sizeMenuImage.cx > 0 ? m_sizeMenuImage.cx : m_sizeImage.cx) - 2;
}

int CKtvPMenuBar::CalcMaxButtonHeight()
{
    UpdateHaveButtons();
    return GetRowHeight();
}

CSize CKtvPMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (GetCount() > 0)
        return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0));
    const CSize size = m_bLocked ? (m_bSizeFromButtons ? m_sizeButtonLocked : m_sizeImageLocked)
                                 : (m_bSizeFromButtons ? m_sizeButton : m_sizeImage);
    return size;
}

CSize CKtvPMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    DropDownMenuButton(-1);
    UpdateHaveButtons();

    if (IsFloating() || !m_bExclusiveRow)
        return CKtvPToolBar::CalcLayout(dwMode, nLength);

    CRect rectRow;
    if (GetDockBarRow() != nullptr)
        GetDockBarRow()->GetClientRect(rectRow);
    if (rectRow.IsRectEmpty() && GetParent() != nullptr)
        GetParent()->GetClientRect(rectRow);

    const BOOL bHorz = (dwMode & LM_HORZ) && !(dwMode & LM_VERTDOCK);
    CRect rectInside;
    CalcInsideRect(rectInside, bHorz);

    CSize sizeResult;
    if (bHorz) {
        WrapToolBar(rectRow.right + rectInside.right - rectInside.left - rectRow.left - 1, 32767);
        const CSize size = CalcMaxButtonSize(FALSE);
        sizeResult = CSize(rectRow.right - (rectInside.right - rectInside.left) / 2 - rectRow.left,
                           size.cy + rectInside.top - rectInside.bottom);
    } else {
        const CSize size = CalcMaxButtonSize(TRUE);
        sizeResult = CSize(size.cx + rectInside.left - rectInside.right,
                           rectRow.bottom - (rectInside.bottom - rectInside.top) / 2 - rectRow.top);
    }
    RebuildAccelerationKeys();
    return sizeResult;
}

void CKtvPMenuBar::CalcSysButtonSize()
{
    CWindowDC dcScreen(nullptr);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcScreen);
    CRect rect(0, 0, ::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
    ::DrawFrameControl(dcMem.GetSafeHdc(), &rect, DFC_CAPTION, DFCS_ADJUSTRECT);
    m_szSystemButton = CSize(rect.Width(), rect.Height());
}

void CKtvPMenuBar::AdjustLocations()
{
    CHelpComboBoxButton* pHelpCombo = DYNAMIC_DOWNCAST(CHelpComboBoxButton, GetHelpCombobox());
    if (pHelpCombo != nullptr) {
        pHelpCombo->m_bOverflow = TRUE;
        pHelpCombo->OnShow(FALSE);
    }
    CKtvPToolBar::AdjustLocations();

    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontal();
    int xLeftmost = rectClient.right;
    if (m_bMaximizeMode && m_nSystemButtonsNum > 0) {
        if (!bHorz) {
            CRect rectInside;
            CalcInsideRect(rectInside, FALSE);
            rectClient.bottom += rectInside.bottom - rectInside.top;
        }
        const int nLast = GetCount() - (m_pCustomizeBtn != nullptr ? 1 : 0) - 1;
        CRect rect(rectClient.right - m_szSystemButton.cx, rectClient.bottom - m_szSystemButton.cy, rectClient.right,
                   rectClient.bottom);
        for (int i = nLast; i > nLast - m_nSystemButtonsNum && i >= 0; i--) {
            CKtvPToolbarButton* pButton = GetButton(i);
            pButton->m_rect = rect;
            pButton->m_bOverflow = FALSE;
            xLeftmost = rect.left;
            if (bHorz)
                rect.OffsetRect(-(m_szSystemButton.cx + 1), 0);
            else
                rect.OffsetRect(0, -(m_szSystemButton.cy + 1));
        }
    }

    if (pHelpCombo != nullptr) {
        pHelpCombo->m_bOverflow = FALSE;
        pHelpCombo->OnShow(TRUE);
        CRect rect;
        if (bHorz) {
            int nTop = rectClient.top, nBottom = rectClient.bottom;
            for (int i = 0; i < GetCount(); i++) {
                CKtvPToolbarButton* pButton = GetButton(i);
                if (pButton != pHelpCombo && !IsChildButton(pButton)) {
                    nTop = pButton->m_rect.top;
                    nBottom = pButton->m_rect.bottom;
                    break;
                }
            }
            rect = CRect(xLeftmost - m_nHelpComboWidth, nTop, xLeftmost, nBottom);
        }
        if (rect != pHelpCombo->m_rect) {
            pHelpCombo->m_rect = rect;
            pHelpCombo->OnMove();
        }
    }
}

int CKtvPMenuBar::FindDropIndex(const CPoint point, CRect& rectDrag) const
{
    int iIndex = CKtvPToolBar::FindDropIndex(point, rectDrag);
    if (m_bMaximizeMode && iIndex >= 0) {
        if (iIndex == 0 && GetSystemMenu() != nullptr)
            return -1;
        const int nLastOrdinary = GetCount() - m_nSystemButtonsNum - (m_pCustomizeBtn != nullptr ? 1 : 0);
        if (iIndex > nLastOrdinary) {
            iIndex = nLastOrdinary;
            if (m_nSystemButtonsNum > 0 && nLastOrdinary > 0) {
                const CRect& rectLast = GetButton(nLastOrdinary - 1)->m_rect;
                CKtvPToolBar::FindDropIndex(CPoint(rectLast.right, rectLast.CenterPoint().y), rectDrag);
            }
        }
    }
    if (m_nHelpComboID != 0) {
        const int iCombo = CommandToIndex(m_nHelpComboID);
        if (iCombo >= 0 && iCombo < iIndex)
            iIndex = iCombo;
    }
    return iIndex;
}

// --- menus ---------------------------------------------------------------------------------------

void CKtvPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate)
{
    if (GetSafeHwnd() != nullptr && CWnd::GetFocus() == this) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetFocus();
    }

    const BOOL bWasMax = m_bMaximizeMode;
    if (hMenu == m_hMenu && !m_bCustomizeMode && !bForceUpdate) {
        if (m_bMaximizeMode) {
            SetMaximizeMode(FALSE, nullptr, FALSE);
            // The same menu again: a maximised child's buttons come back at once.
            if (auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd))
                SetMaximizeMode(TRUE, pMDIFrame->MDIGetActive(), FALSE);
            InvalidateButton(0);
        }
    } else {
        if (m_hMenu != nullptr) {
            if (g_pTearOffMenuManager != nullptr)
                g_pTearOffMenuManager->Reset(m_hMenu);
            g_SnapshotStore.SaveMenuBar(m_hMenu, this);
        }

        m_bMaximizeMode = FALSE;
        m_nSystemButtonsNum = 0;
        m_hMenu = hMenu;
        if (bDefaultMenu)
            m_hDefaultMenu = hMenu;
        const DWORD dwAlignment = GetCurrentAlignment();

        if (!bForceUpdate && g_SnapshotStore.LoadMenuBar(hMenu, this)) {
            SetBarAlignment(dwAlignment);
        } else {
            if (!::IsMenu(hMenu))
                return;
            if (g_pTearOffMenuManager != nullptr)
                g_pTearOffMenuManager->SetupTearOffMenus(hMenu);
            RemoveAllButtons();
            for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
                const UINT uiID = ::GetMenuItemID(hMenu, i);
                CString strText = KtvMenuItemText(hMenu, i);
                if (uiID == 0) {
                    InsertSeparator();
                } else if (uiID == (UINT)-1) {
                    const UINT uiTearOff = g_pTearOffMenuManager != nullptr ? CKtvPTearOffManager::Parse(strText) : 0;
                    CKtvPToolbarMenuButton button(0, ::GetSubMenu(hMenu, i), -1, strText, FALSE);
                    button.m_bTextShown = TRUE;
                    button.m_bImageShown = FALSE;
                    button.SetTearOffMenu(uiTearOff);
                    InsertButtonCopy(button);
                } else {
                    CKtvPToolbarButton button(uiID, -1, strText, FALSE, FALSE);
                    button.m_bTextShown = TRUE;
                    button.m_bImageShown = FALSE;
                    InsertButtonCopy(button);
                }
            }
        }
        if (m_nHelpComboID != 0 && CommandToIndex(m_nHelpComboID) < 0) {
            CHelpComboBoxButton combo(m_nHelpComboID, -1, CBS_DROPDOWN, m_nHelpComboWidth);
            combo.m_strPrompt = m_strHelpComboPrompt;
            InsertButtonCopy(combo);
        }
        if (bWasMax) {
            if (auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd))
                SetMaximizeMode(TRUE, pMDIFrame->MDIGetActive(), TRUE);
        }
    }

    if (GetSafeHwnd() != nullptr) {
        AdjustLayout();
        RebuildAccelerationKeys();
    }
    if (!m_bExclusiveRow)
        AdjustSizeImmediate(TRUE);
}

void CKtvPMenuBar::OnDefaultMenuLoaded(HMENU) {}

void CKtvPMenuBar::AddChildButtons(CWnd* pWnd)
{
    auto* pSysButton = new CKtvPToolbarSystemMenuButton(m_hSysMenu, m_hSysIcon);
    InsertButton(pSysButton, 0);

    const DWORD dwStyle = pWnd->GetStyle();
    const int iEnd = m_pCustomizeBtn != nullptr ? GetCount() - 1 : -1;
    std::vector<UINT> commands;
    if (dwStyle & WS_MINIMIZEBOX)
        commands.push_back(SC_MINIMIZE);
    if (dwStyle & WS_MAXIMIZEBOX)
        commands.push_back(SC_RESTORE);
    commands.push_back(SC_CLOSE);

    int iAt = iEnd;
    for (UINT uiCommand : commands) {
        auto* pButton = new CKtvPToolbarMenuButtonsButton(uiCommand);
        if (uiCommand == SC_CLOSE) {
            MENUITEMINFO info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE;
            if (!::GetMenuItemInfo(m_hSysMenu, SC_CLOSE, FALSE, &info) ||
                (info.fState & (MFS_GRAYED | MFS_DISABLED)))
                pButton->m_nStyle |= TBBS_DISABLED;
        }
        const int iNew = InsertButton(pButton, iAt);
        if (iAt >= 0 && iNew >= 0)
            iAt = iNew + 1;
    }
    m_nSystemButtonsNum = (int)commands.size();
}

void CKtvPMenuBar::SetMaximizeMode(BOOL bMax, CWnd* pWnd, BOOL bRecalcLayout)
{
    if (bMax == m_bMaximizeMode)
        return;

    if (!bMax) {
        m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
        if (GetSystemMenu() != nullptr)
            RemoveButton(0);
        for (int i = 0; i < m_nSystemButtonsNum; i++) {
            const int iLast = GetCount() - 1 - (m_pCustomizeBtn != nullptr ? 1 : 0);
            if (iLast >= 0)
                RemoveButton(iLast);
        }
        m_nSystemButtonsNum = 0;
    } else if (pWnd != nullptr) {
        HMENU hSysMenu = ::GetSystemMenu(pWnd->GetSafeHwnd(), FALSE);
        m_hSysMenu = ::IsMenu(hSysMenu) ? hSysMenu : nullptr;
        if (m_hSysMenu != nullptr) {
            m_hSysIcon = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL, 0));
            if (m_hSysIcon == nullptr)
                m_hSysIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pWnd->GetSafeHwnd(), GCLP_HICONSM));
            AddChildButtons(pWnd);
        }
    } else {
        bMax = FALSE;
    }

    m_bMaximizeMode = bMax;
    if (bRecalcLayout && GetSafeHwnd() != nullptr) {
        AdjustLayout();
        if (!m_bExclusiveRow)
            AdjustSizeImmediate(TRUE);
    }
}

void CKtvPMenuBar::RestoreMaximizeMode(BOOL bRecalcLayout)
{
    if (m_bMaximizeMode)
        return;
    auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd);
    CMDIChildWnd* pChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
    if (m_hSysMenu != nullptr && pChild != nullptr)
        AddChildButtons(pChild);
    m_bMaximizeMode = TRUE;
    m_nSystemButtonsNum = m_nSystemButtonsNumSaved;
    if (bRecalcLayout) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->RecalcLayout(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

CKtvPToolbarComboBoxButton* CKtvPMenuBar::GetHelpCombobox()
{
    if (m_nHelpComboID == 0)
        return nullptr;
    const int iIndex = CommandToIndex(m_nHelpComboID);
    return iIndex > 0 ? DYNAMIC_DOWNCAST(CKtvPToolbarComboBoxButton, GetButton(iIndex)) : nullptr;
}

CKtvPToolbarSystemMenuButton* CKtvPMenuBar::GetSystemMenu() const
{
    if (!m_bMaximizeMode || GetCount() == 0)
        return nullptr;
    return DYNAMIC_DOWNCAST(CKtvPToolbarSystemMenuButton, GetButton(0));
}

BOOL CKtvPMenuBar::OnSendCommand(const CKtvPToolbarButton* pButton)
{
    auto* pCaptionButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButtonsButton, const_cast<CKtvPToolbarButton*>(pButton));
    if (pCaptionButton == nullptr)
        return FALSE;
    const UINT uiCommand = pCaptionButton->m_uiSystemCommand;
    if (uiCommand != SC_MINIMIZE && uiCommand != SC_RESTORE && uiCommand != SC_CLOSE)
        return TRUE;
    auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetParentFrame());
    CMDIChildWnd* pChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
    if (pChild == nullptr) {
        ::MessageBeep((UINT)-1);
        return TRUE;
    }
    pChild->SendMessage(WM_SYSCOMMAND, uiCommand);
    return TRUE;
}

void CKtvPMenuBar::DropDownMenuButton(int iIndex)
{
    CKtvPToolBar::DropDownMenuButton(iIndex);
    if (GetSafeHwnd() == nullptr)
        return;
    KillTimer(kShowAllTimer);
    if (GetDroppedDownMenu() != nullptr)
        SetTimer(kShowAllTimer, kShowAllDelayMs, nullptr);
    else
        m_bShowAllCommands = FALSE;
}

// --- keyboard ------------------------------------------------------------------------------------

BOOL CKtvPMenuBar::DropDownHotButton()
{
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, GetButton(m_iHighlighted));
    if (pMenuButton != nullptr && pMenuButton->OnClick(this, TRUE) && pMenuButton->m_pPopupMenu != nullptr) {
        pMenuButton->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
        SetDroppedMenuButton(pMenuButton);
        return TRUE;
    }
    return FALSE;
}

BOOL CKtvPMenuBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CKtvPToolBar::PreTranslateMessage(pMsg);
    if (GetDroppedDownMenu() != nullptr)
        return CKtvPBaseToolBar::PreTranslateMessage(pMsg);

    const int nCount = GetCount() - m_nSystemButtonsNum - (m_pCustomizeBtn != nullptr ? 1 : 0);
    if (m_iHighlighted < 0 || m_iHighlighted >= nCount || nCount <= 0)
        return CKtvPToolBar::PreTranslateMessage(pMsg);

    switch (pMsg->wParam) {
    case VK_RETURN: {
        if (DropDownHotButton())
            return TRUE;
        CKtvPToolbarButton* pButton = GetButton(m_iHighlighted);
        if (pButton->m_nID != 0 && pButton->m_nID != (UINT)-1) {
            CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuCommand);
            AddCommandUsage(pButton->m_nID);
            if (CWnd* pOwner = GetOwner())
                pOwner->PostMessage(WM_COMMAND, pButton->m_nID);
        }
        return TRUE;
    }
    case VK_DOWN:
        DropDownHotButton();
        return TRUE;
    case VK_LEFT:
    case VK_RIGHT: {
        const int iOld = m_iHighlighted;
        m_iHighlighted = pMsg->wParam == VK_LEFT ? (iOld == 0 ? nCount - 1 : iOld - 1) : (iOld + 1) % nCount;
        InvalidateButton(iOld);
        InvalidateButton(m_iHighlighted);
        UpdateWindow();
        return CKtvPToolBar::PreTranslateMessage(pMsg);
    }
    case VK_ESCAPE:
        Deactivate();
        RestoreFocus();
        m_bShowAllCommands = FALSE;
        return CKtvPToolBar::PreTranslateMessage(pMsg);
    default:
        if (TranslateChar((UINT)pMsg->wParam))
            return TRUE;
        return CKtvPToolBar::PreTranslateMessage(pMsg);
    }
}

// --- stored layouts ------------------------------------------------------------------------------

BOOL CKtvPMenuBar::BuildOriginalItems(UINT uiMenuResID)
{
    while (!m_OrigButtons.IsEmpty())
        delete static_cast<CKtvPToolbarButton*>(m_OrigButtons.RemoveHead());
    CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr || !pWorkspace->IsResourceSmartUpdate())
        return FALSE;
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResID));
    if (hMenu == nullptr)
        return FALSE;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        CKtvPToolbarButton* pButton = nullptr;
        if (uiID == 0) {
            pButton = new CKtvPToolbarButton;
            pButton->m_nStyle = TBBS_SEPARATOR;
        } else if (uiID == (UINT)-1) {
            pButton = new CKtvPToolbarMenuButton(0, ::GetSubMenu(hMenu, i), -1, _T(""));
        } else {
            pButton = new CKtvPToolbarButton(uiID, -1, _T(""));
        }
        m_OrigButtons.AddTail(pButton);
    }
    ::DestroyMenu(hMenu);
    return TRUE;
}

template <typename Fn>
static void ForEachTemplateMenu(Fn fn)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        auto* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate != nullptr && pTemplate->m_hMenuShared != nullptr)
            fn(pTemplate);
    }
}

BOOL CKtvPMenuBar::LoadMenuLayout(const CString& strPath, int nIndex, HMENU hMenu, UINT uiResId, UINT uiKeyId,
                                  BOOL bDefault)
{
    BuildOriginalItems(uiResId);
    m_bLoadingLayout = TRUE;
    const BOOL bRead = CKtvPToolBar::LoadState(strPath, nIndex, uiKeyId);
    m_bLoadingLayout = FALSE;
    const BOOL bLoaded = bRead && !m_bStateFellBack && !IsOriginalItemsChanged();
    CWnd* pOwner = GetOwner();
    if (!bLoaded && pOwner != nullptr) {
        // A damaged or outdated layout: the menu is rebuilt from its resource and the owner told.
        m_hMenu = nullptr;
        CreateFromMenu(hMenu, bDefault, FALSE);
        if (bDefault && uiResId == 0)
            pOwner->SendMessage(0x366);
        pOwner->SendMessage(KTVM_RESETMENU, uiResId);
    }
    g_SnapshotStore.SaveMenuBar(hMenu, this);
    return bLoaded;
}

BOOL CKtvPMenuBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT)
{
    const CString strPath = KtvGetRegPath(m_szDefaultSection, lpszProfileName);
    const BOOL bWasMax = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, FALSE);
    HMENU hCurrent = m_hMenu;

    if (m_bAutoDocMenus) {
        ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) {
            LoadMenuLayout(strPath, nIndex, pTemplate->m_hMenuShared, pTemplate->GetResourceID(),
                           pTemplate->GetResourceID(), FALSE);
        });
    }
    if (m_hDefaultMenu != nullptr)
        LoadMenuLayout(strPath, nIndex, m_hDefaultMenu, m_uiDefMenuResId, 0, TRUE);

    m_hMenu = hCurrent != nullptr ? hCurrent : m_hDefaultMenu;
    const BOOL bLoaded = g_SnapshotStore.LoadMenuBar(m_hMenu, this);
    if (bWasMax)
        RestoreMaximizeMode(!bLoaded);
    if (bLoaded && GetSafeHwnd() != nullptr) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->RecalcLayout(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    AdjustLayout();
    RebuildAccelerationKeys();
    return TRUE;
}

BOOL CKtvPMenuBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT)
{
    const CString strPath = KtvGetRegPath(m_szDefaultSection, lpszProfileName);
    g_SnapshotStore.SaveMenuBar(m_hMenu, this);
    const BOOL bWasMax = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, FALSE);
    HMENU hCurrent = m_hMenu;

    if (m_bAutoDocMenus) {
        ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) {
            if (g_SnapshotStore.LoadMenuBar(pTemplate->m_hMenuShared, this)) {
                BuildOriginalItems(pTemplate->GetResourceID());
                CKtvPToolBar::SaveState(strPath, nIndex, pTemplate->GetResourceID());
            }
        });
    }
    if (m_hDefaultMenu != nullptr && g_SnapshotStore.LoadMenuBar(m_hDefaultMenu, this)) {
        BuildOriginalItems(m_uiDefMenuResId);
        CKtvPToolBar::SaveState(strPath, nIndex, 0);
    }

    m_hMenu = hCurrent;
    const BOOL bLoaded = g_SnapshotStore.LoadMenuBar(m_hMenu, this);
    if (bWasMax)
        RestoreMaximizeMode(!bLoaded);
    AdjustSizeImmediate(TRUE);
    if (bLoaded && GetSafeHwnd() != nullptr) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->RecalcLayout(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    AdjustLayout();
    return TRUE;
}

void CKtvPMenuBar::ResetAllImages()
{
    g_SnapshotStore.SaveMenuBar(m_hMenu, this);
    auto resetOne = [this](HMENU hMenu) {
        if (g_SnapshotStore.LoadMenuBar(hMenu, this)) {
            CKtvPToolBar::ResetAllImages();
            g_SnapshotStore.SaveMenuBar(hMenu, this);
        }
    };
    ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) { resetOne(pTemplate->m_hMenuShared); });
    if (m_hDefaultMenu != nullptr)
        resetOne(m_hDefaultMenu);
    if (g_SnapshotStore.LoadMenuBar(m_hMenu, this) && GetSafeHwnd() != nullptr) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->RecalcLayout(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

BOOL CKtvPMenuBar::RestoreOriginalState()
{
    if (m_bLoadingLayout)
        return FALSE;   // the layout being read is rebuilt from its menu by the load itself
    g_SnapshotStore.SaveMenuBar(m_hMenu, this);
    CCustomizeButton* pCustomizeCopy = nullptr;
    if (m_pCustomizeBtn != nullptr) {
        pCustomizeCopy = new CCustomizeButton;
        pCustomizeCopy->CopyFrom(*m_pCustomizeBtn);
    }
    if (g_pTearOffMenuManager != nullptr)
        g_pTearOffMenuManager->Reset(nullptr);
    const BOOL bWasMax = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, TRUE);

    auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd);
    CMDIChildWnd* pActiveChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
    CDocTemplate* pActiveTemplate = nullptr;
    if (pActiveChild != nullptr && pActiveChild->GetActiveDocument() != nullptr)
        pActiveTemplate = pActiveChild->GetActiveDocument()->GetDocTemplate();

    HMENU hShow = nullptr;
    ForEachTemplateMenu([&](CMultiDocTemplate* pTemplate) {
        HMENU hOld = pTemplate->m_hMenuShared;
        HMENU hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->GetResourceID()));
        if (hNew == nullptr)
            return;
        pTemplate->m_hMenuShared = hNew;
        CreateFromMenu(hNew, FALSE, FALSE);
        g_SnapshotStore.SaveMenuBar(hNew, this);
        if (pTemplate == pActiveTemplate)
            hShow = hNew;
        g_SnapshotStore.RemoveMenu(hOld);
        ::DestroyMenu(hOld);
    });

    if (m_uiDefMenuResId != 0) {
        HMENU hOld = m_hDefaultMenu;
        HMENU hNew = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(m_uiDefMenuResId));
        if (hNew != nullptr) {
            m_hDefaultMenu = hNew;
            OnDefaultMenuLoaded(hNew);
            CreateFromMenu(hNew, TRUE, FALSE);
            g_SnapshotStore.SaveMenuBar(hNew, this);
            if (hShow == nullptr)
                hShow = hNew;
            if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pParentWnd))
                pFrame->m_hMenuDefault = hNew;
            if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(m_pParentWnd)) {
                if (CKtvPFrameImpl* pImpl = pHooks->GetFrameImpl(); pImpl != nullptr && pMDIFrame != nullptr)
                    pImpl->m_hDefaultMenu = hNew;
            }
            if (hOld != nullptr && hOld != hNew) {
                g_SnapshotStore.RemoveMenu(hOld);
                ::DestroyMenu(hOld);
            }
        }
    }

    if (hShow != nullptr && g_SnapshotStore.LoadMenuBar(hShow, this)) {
        m_hMenu = hShow;
        if (!bWasMax && GetParentFrame() != nullptr) {
            GetParentFrame()->RecalcLayout(TRUE);
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
    if (pMDIFrame != nullptr)
        pMDIFrame->OnUpdateFrameMenu(m_hMenu);
    if (bWasMax)
        RestoreMaximizeMode(TRUE);
    if (m_pMenuPage != nullptr)
        m_pMenuPage->SelectMenu(DYNAMIC_DOWNCAST(CMultiDocTemplate, pActiveTemplate));

    if (pCustomizeCopy != nullptr) {
        const int iIndex = InsertButton(pCustomizeCopy);
        if (iIndex >= 0)
            m_pCustomizeBtn = pCustomizeCopy;
    }
    AdjustLayout();
    AdjustSizeImmediate(TRUE);
    return TRUE;
}

// --- messages ------------------------------------------------------------------------------------

int CKtvPMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWnd* pFrameWnd = m_pParentWnd;
    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrameWnd);
    if (pHooks == nullptr)
        pHooks = KtvGetFrameHooks(GetParentFrame());
    if (pHooks != nullptr && pHooks->GetFrameImpl() != nullptr)
        pHooks->GetFrameImpl()->SetMenuBar(this);

    CString strName;
    strName.LoadString(IDS_KTVP_MENU_BAR);
    SetWindowText(strName);
    SetBarStyle(GetBarStyle() | CBRS_HIDE_INPLACE);
    CalcSysButtonSize();
    return 0;
}

void CKtvPMenuBar::OnLButtonDown(UINT nFlags, CPoint point) { CKtvPToolBar::OnLButtonDown(nFlags, point); }

void CKtvPMenuBar::OnSetFocus(CWnd* pOldWnd)
{
    CKtvPToolBar::OnSetFocus(pOldWnd);
    if (GetDroppedDownMenu() != nullptr)
        return;
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (m_iHighlighted < 0) {
        const int iFirst = GetSystemMenu() != nullptr ? 1 : 0;
        if (iFirst < GetCount()) {
            m_iHighlighted = iFirst;
            InvalidateButton(iFirst);
            UpdateWindow();
        }
    }
}

void CKtvPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kShowAllTimer) {
        int iDropped = -1;
        CKtvPToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (pDropped != nullptr && pDropped->m_rect.PtInRect(ptCursor) && pDropped->m_pPopupMenu != nullptr &&
            !pDropped->m_pPopupMenu->GetMenuBar()->m_bAllCommandsShown)
            pDropped->m_pPopupMenu->ShowAllItems();
        KillTimer(kShowAllTimer);
    }
    CKtvPToolBar::OnTimer(nIDEvent);
}

void CKtvPMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CKtvPToolBar::OnLButtonDblClk(nFlags, point);
    const int iHit = HitTest(point);
    CKtvPToolbarButton* pButton = GetButton(iHit);
    if (pButton == nullptr || pButton->IsKindOf(RUNTIME_CLASS(CKtvPToolbarSystemMenuButton)) ||
        m_bShowAllCommands || !m_bRecentlyUsedMenus || !m_UsageCount.HasEnoughInformation() || m_bCustomizeMode)
        return;
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pButton);
    if (pMenuButton == nullptr)
        return;
    m_bShowAllCommands = TRUE;
    pMenuButton->OnCancelMode();
    if (!(pMenuButton->m_nStyle & TBBS_DISABLED) && pMenuButton->OnClick(this, FALSE)) {
        SetDroppedMenuButton(pMenuButton);
        InvalidateButton(iHit);
        UpdateWindow();
    }
}

void CKtvPMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKtvPToolBar::OnSettingChange(uFlags, lpszSection);
    CalcSysButtonSize();
    Invalidate();
    UpdateWindow();
}
