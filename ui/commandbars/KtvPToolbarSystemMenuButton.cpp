#include "ui/commandbars/KtvPToolbarSystemMenuButton.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMDIFrameWnd.h"
#include "platform/mfc/CMiniDockFrameWnd.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPToolbarSystemMenuButton, CKtvPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKtvPToolbarMenuButtonsButton, CKtvPToolbarButton)

CKtvPToolbarSystemMenuButton::CKtvPToolbarSystemMenuButton() = default;

CKtvPToolbarSystemMenuButton::CKtvPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CKtvPToolbarMenuButton(0, hSystemMenu, -1)
{
    m_hSysMenu = hSystemMenu;
    m_hDocIcon = hSystemIcon;
}

CKtvPToolbarSystemMenuButton::~CKtvPToolbarSystemMenuButton() = default;

// Neither button is stored with its bar: both are rebuilt from the maximised child.
void CKtvPToolbarSystemMenuButton::Serialize(CArchive&) {}

void CKtvPToolbarSystemMenuButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarMenuButton::CopyFrom(s);
    const auto& src = static_cast<const CKtvPToolbarSystemMenuButton&>(s);
    m_hDocIcon = src.m_hDocIcon;
    m_hSysMenu = src.m_hSysMenu;
}

void CKtvPToolbarSystemMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL, BOOL, BOOL, BOOL,
                                          BOOL)
{
    if (m_hDocIcon == nullptr)
        return;
    const int cx = ::GetSystemMetrics(SM_CXMENUSIZE);
    const int cy = ::GetSystemMetrics(SM_CYMENUSIZE);
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top + (rect.Height() - cy) / 2, m_hDocIcon, cx, cy, 0, nullptr,
                 DI_NORMAL);
}

CSize CKtvPToolbarSystemMenuButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), sizeDefault.cy);
}

void CKtvPToolbarSystemMenuButton::OnDblClick(CWnd* pWnd)
{
    if (CKtvPToolBar::m_bCustomizeMode)
        return;
    OnCancelMode();
    if (pWnd == nullptr)
        return;

    CFrameWnd* pFrame = pWnd->GetParentFrame();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    auto* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
    if (pMDIFrame == nullptr)
        return;
    CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
    if (pChild == nullptr)
        return;

    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    HMENU hSysMenu = ::GetSystemMenu(pChild->GetSafeHwnd(), FALSE);
    if (hSysMenu != nullptr && ::GetMenuItemInfo(hSysMenu, SC_CLOSE, FALSE, &info) &&
        (info.fState & (MFS_GRAYED | MFS_DISABLED)))
        return;
    pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

BOOL CKtvPToolbarSystemMenuButton::CanBeStored() const { return FALSE; }

BOOL CKtvPToolbarSystemMenuButton::HaveHotBorder() const { return FALSE; }

void CKtvPToolbarSystemMenuButton::OnCancelMode()
{
    if (m_pPopupMenu != nullptr && ::IsWindow(m_pPopupMenu->GetSafeHwnd()) && !m_pPopupMenu->InCommand()) {
        m_pPopupMenu->WriteBackToParentButtons();
        m_pPopupMenu->CloseMenu(FALSE);
    }
    m_pPopupMenu = nullptr;
    m_bToBeClosed = FALSE;
}

void CKtvPToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) { m_hSysMenu = hMenu; }

HMENU CKtvPToolbarSystemMenuButton::CreateMenu() const
{
    HMENU hMenu = CKtvPToolbarMenuButton::CreateMenu();
    if (hMenu == nullptr || m_hSysMenu == nullptr)
        return hMenu;

    // The popup shows the states the real system menu has now.
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID == 0 || uiID == (UINT)-1)
            continue;
        const UINT uiState = ::GetMenuState(m_hSysMenu, uiID, MF_BYCOMMAND);
        if (uiState == (UINT)-1)
            continue;
        if (uiState & MF_CHECKED)
            ::CheckMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_CHECKED);
        if (uiState & MF_DISABLED)
            ::EnableMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_DISABLED);
        if (uiState & MF_GRAYED)
            ::EnableMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_GRAYED);
    }
    return hMenu;
}

BOOL CKtvPToolbarSystemMenuButton::IsConnectedToPopup() const { return FALSE; }

CKtvPToolbarMenuButtonsButton::CKtvPToolbarMenuButtonsButton() = default;
CKtvPToolbarMenuButtonsButton::CKtvPToolbarMenuButtonsButton(UINT uiSystemCommand) : m_uiSystemCommand(uiSystemCommand) {}
CKtvPToolbarMenuButtonsButton::~CKtvPToolbarMenuButtonsButton() = default;

void CKtvPToolbarMenuButtonsButton::Serialize(CArchive&) {}

void CKtvPToolbarMenuButtonsButton::CopyFrom(const CKtvPToolbarButton& s)
{
    CKtvPToolbarButton::CopyFrom(s);
    m_uiSystemCommand = static_cast<const CKtvPToolbarMenuButtonsButton&>(s).m_uiSystemCommand;
}

void CKtvPToolbarMenuButtonsButton::OnDraw(CDC* pDC, const CRect& rect, CKtvPToolBarImages*, BOOL, BOOL,
                                           BOOL bHighlight, BOOL, BOOL)
{
    CKtvPVisualManager::GetInstance()->OnDrawMenuSystemButton(pDC, rect, m_uiSystemCommand, m_nStyle, bHighlight);
}

CSize CKtvPToolbarMenuButtonsButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

BOOL CKtvPToolbarMenuButtonsButton::OnClick(CWnd*, BOOL) { return FALSE; }

BOOL CKtvPToolbarMenuButtonsButton::CanBeStored() const { return FALSE; }

BOOL CKtvPToolbarMenuButtonsButton::HaveHotBorder() const { return FALSE; }
