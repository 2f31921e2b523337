#include "ui/commandbars/KtvPMenuPage.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CDocTemplate.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include <initializer_list>
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameImpl.h"

IMPLEMENT_DYNCREATE(CKtvPMenuPage, CPropertyPage)

CPoint CKtvPMenuPage::m_ptMenuLastPos(100, 100);

BEGIN_MESSAGE_MAP(CKtvPMenuPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_KTVP_MENU_LIST, OnSelchangeMenuList)
    ON_CBN_SELCHANGE(IDC_KTVP_CONTEXT_LIST, OnSelchangeContextMenuList)
    ON_BN_CLICKED(IDC_KTVP_CONTEXT_RESET, OnResetContextMenu)
    ON_BN_CLICKED(IDC_KTVP_MENU_RESET, OnResetFrameMenu)
    ON_CBN_SELCHANGE(IDC_KTVP_MENU_ANIMATION, OnSelchangeAnimation)
    ON_BN_CLICKED(IDC_KTVP_MENU_SHADOWS, OnMenuShadows)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

BOOL MenuPageAsk(const CString& strName)
{
    CString strFormat;
    strFormat.LoadString(IDS_KTVP_RESET_MENU_PROMPT);
    CString strPrompt;
    strPrompt.Format(strFormat, static_cast<LPCTSTR>(strName));
    return AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The first sub-menu of the named context menu, and its resource id; NULL (with a beep
// when the name no longer resolves) when there is none.
HMENU MenuPageContextSubMenu(const CString& strName, UINT* puiResId)
{
    HMENU hMenu = g_pContextMenuManager->GetMenuByName(strName, puiResId);
    if (hMenu == nullptr) {
        ::MessageBeep((UINT)-1);
        return nullptr;
    }
    return ::GetSubMenu(hMenu, 0);
}

}  // namespace

CKtvPMenuPage::CKtvPMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_KTVP_MENU_PAGE),
      m_iMenuAnimationType(CKtvPPopupMenu::m_nAnimationType),
      m_bMenuShadows(CKtvPMenuBar::m_bMenuShadows),
      m_bAutoSet(bAutoSet),
      m_pParentFrame(pParentFrame)
{
}

CKtvPMenuPage::~CKtvPMenuPage() = default;

void CKtvPMenuPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_ANIMATION_LABEL, m_wndMenuAnimationsLabel);
    DDX_Control(pDX, IDC_KTVP_MENU_ANIMATION, m_wndMenuAnimations);
    DDX_Control(pDX, IDC_KTVP_MENU_SHADOWS, m_wndMenuShadows);
    DDX_Control(pDX, IDC_KTVP_CONTEXT_GROUP, m_wndContextFrame);
    DDX_Control(pDX, IDC_KTVP_CONTEXT_HINT, m_wndContextHint);
    DDX_Control(pDX, IDC_KTVP_CONTEXT_RESET, m_wndResetMenuButton);
    DDX_Control(pDX, IDC_KTVP_CONTEXT_LABEL, m_wndContextMenuCaption);
    DDX_Control(pDX, IDC_KTVP_CONTEXT_LIST, m_wndContextMenus);
    DDX_Control(pDX, IDC_KTVP_MENU_ICON, m_wndIcon);
    DDX_Control(pDX, IDC_KTVP_MENU_LIST, m_wndMenuesList);
    DDX_Text(pDX, IDC_KTVP_MENU_DESCRIPTION, m_strMenuDescr);
    DDX_CBIndex(pDX, IDC_KTVP_MENU_ANIMATION, m_iMenuAnimationType);
    DDX_Check(pDX, IDC_KTVP_MENU_SHADOWS, m_bMenuShadows);
}

void CKtvPMenuPage::CloseDroppedDownMenu()
{
    if (m_pMenuBar == nullptr)
        return;
    if (CKtvPToolbarMenuButton* pMenuButton = m_pMenuBar->GetDroppedDownMenu())
        pMenuButton->OnCancelMode();
}

BOOL CKtvPMenuPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (LPCTSTR lpszAnimation : {_T("None"), _T("Unfold"), _T("Slide"), _T("Fade")})
        m_wndMenuAnimations.AddString(lpszAnimation);
    m_wndMenuAnimations.SetCurSel(m_iMenuAnimationType);

    if (m_pMenuBar == nullptr) {
        const CObList& toolbars = CKtvPToolBar::GetAllToolbars();
        for (POSITION pos = toolbars.GetHeadPosition(); pos != nullptr && m_pMenuBar == nullptr;) {
            auto* pBar = dynamic_cast<CKtvPMenuBar*>(static_cast<CObject*>(toolbars.GetNext(pos)));
            if (pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd()))
                m_pMenuBar = pBar;
        }
    }

    if (m_pMenuBar != nullptr) {
        m_pMenuBar->m_pMenuPage = this;
        m_hmenuCurr = m_pMenuBar->m_hMenu;
        CloseDroppedDownMenu();
        g_SnapshotStore.SaveMenuBar(m_hmenuCurr, m_pMenuBar);

        int iSel = -1;
        CWinApp* pApp = AfxGetApp();
        if (m_bAutoSet && pApp != nullptr) {
            for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
                auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
                if (pTemplate == nullptr || pTemplate->m_hMenuShared == nullptr)
                    continue;
                BOOL bListed = FALSE;
                for (int i = 0; i < m_wndMenuesList.GetCount() && !bListed; i++) {
                    auto* pListed = static_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemDataPtr(i));
                    bListed = pListed->GetResourceID() == pTemplate->GetResourceID();
                }
                if (bListed)
                    continue;
                CString strName;
                pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
                const int iItem = m_wndMenuesList.AddString(strName);
                m_wndMenuesList.SetItemDataPtr(iItem, pTemplate);
                if (pTemplate->m_hMenuShared == m_hmenuCurr)
                    iSel = iItem;
            }
        }
        CString strDefault;
        strDefault.LoadString(IDS_KTVP_DEFAULT_MENU);
        const int iDefault = m_wndMenuesList.AddString(strDefault);
        m_wndMenuesList.SetItemDataPtr(iDefault, nullptr);
        if (iSel < 0) {
            iSel = iDefault;
            m_bIsDefaultMenuSelected = TRUE;
        }
        m_hmenuSelected = m_hmenuCurr;
        m_wndMenuesList.SetCurSel(iSel);
        UpdateData(FALSE);
        OnSelchangeMenuList();
    } else {
        m_wndMenuesList.EnableWindow(FALSE);
        if (CWnd* pReset = GetDlgItem(IDC_KTVP_MENU_RESET))
            pReset->EnableWindow(FALSE);
        m_strMenuDescr.LoadString(IDS_KTVP_CANNOT_CUSTOMIZE_MENUS);
        UpdateData(FALSE);
    }

    CString strLine;
    strLine.LoadString(IDS_KTVP_CONTEXT_MENU_LINE);
    m_wndContextMenus.AddString(strLine);
    m_wndContextMenus.SetCurSel(0);
    if (g_pContextMenuManager != nullptr) {
        CStringList names;
        g_pContextMenuManager->GetMenuNames(names);
        for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
            m_wndContextMenus.AddString(names.GetNext(pos));
        const BOOL bAny = m_wndContextMenus.GetCount() > 1;
        m_wndContextMenuCaption.EnableWindow(bAny);
        m_wndContextMenus.EnableWindow(bAny);
    } else {
        for (CWnd* pWnd : std::initializer_list<CWnd*>{&m_wndContextMenuCaption, &m_wndContextMenus, &m_wndContextHint,
                                                       &m_wndContextFrame, &m_wndResetMenuButton})
            pWnd->ShowWindow(SW_HIDE);
    }

    auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent());
    const UINT uiFlags = pSheet != nullptr ? pSheet->m_uiFlags : 0;
    if (!(uiFlags & KTVCUSTOMIZE_MENU_SHADOWS))
        m_wndMenuShadows.ShowWindow(SW_HIDE);
    if (!(uiFlags & KTVCUSTOMIZE_MENU_ANIMATIONS)) {
        m_wndMenuAnimationsLabel.ShowWindow(SW_HIDE);
        m_wndMenuAnimations.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CKtvPMenuPage::OnSelchangeMenuList()
{
    UpdateData();
    if (m_pMenuBar == nullptr)
        return;
    if (m_hmenuSelected != nullptr) {
        CloseDroppedDownMenu();
        g_SnapshotStore.SaveMenuBar(m_hmenuSelected, m_pMenuBar);
    }
    const int iSel = m_wndMenuesList.GetCurSel();
    if (iSel < 0) {
        m_strMenuDescr.Empty();
        m_wndIcon.SetIcon(nullptr);
        m_hmenuSelected = nullptr;
        UpdateData(FALSE);
        return;
    }
    HMENU hMenu = nullptr;
    HICON hIcon = nullptr;
    if (auto* pTemplate = static_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemDataPtr(iSel))) {
        pTemplate->GetDocString(m_strMenuDescr, CDocTemplate::regFileTypeName);
        // Without an icon of its own the document type shows none.
        hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->GetResourceID()));
        hMenu = pTemplate->m_hMenuShared;
    } else {
        m_strMenuDescr.LoadString(IDS_KTVP_DEFAULT_MENU_DESCRIPTION);
        if (CWnd* pMainWnd = AfxGetMainWnd())
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pMainWnd->GetSafeHwnd(), GCLP_HICON));
        hMenu = m_pMenuBar->m_hDefaultMenu;
    }
    m_pMenuBar->CreateFromMenu(hMenu, FALSE, FALSE);
    m_wndIcon.SetIcon(hIcon);
    m_hmenuSelected = hMenu;
    UpdateData(FALSE);
}

void CKtvPMenuPage::OnResetFrameMenu()
{
    UpdateData();
    const int iSel = m_wndMenuesList.GetCurSel();
    if (m_pMenuBar == nullptr || iSel < 0)
        return;
    m_wndMenuesList.GetLBText(iSel, m_strMenuName);
    if (!MenuPageAsk(m_strMenuName))
        return;

    HMENU hOld = nullptr;
    if (auto* pTemplate = static_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemDataPtr(iSel))) {
        hOld = pTemplate->m_hMenuShared;
        CMenu menu;
        if (!menu.LoadMenu(pTemplate->GetResourceID()))
            return;
        HMENU hNew = menu.Detach();
        pTemplate->m_hMenuShared = hNew;
        m_pMenuBar->CreateFromMenu(hNew, FALSE, FALSE);
        if (m_pParentFrame != nullptr &&
            m_pParentFrame->SendMessage(KTVM_RESETMENU, pTemplate->GetResourceID()) != 0)
            m_pMenuBar->AdjustLayout();
        g_SnapshotStore.SaveMenuBar(hNew, m_pMenuBar);
        if (hOld == m_hmenuCurr)
            m_hmenuCurr = hNew;
        m_hmenuSelected = hNew;
    } else if (m_pMenuBar->m_uiDefMenuResId != 0) {
        hOld = m_pMenuBar->m_hDefaultMenu;
        CMenu menu;
        if (!menu.LoadMenu(m_pMenuBar->m_uiDefMenuResId))
            return;
        HMENU hNew = menu.Detach();
        m_pMenuBar->OnDefaultMenuLoaded(hNew);
        m_pMenuBar->CreateFromMenu(hNew, TRUE);
        if (m_pParentFrame != nullptr &&
            m_pParentFrame->SendMessage(KTVM_RESETMENU, m_pMenuBar->m_uiDefMenuResId) != 0)
            m_pMenuBar->AdjustLayout();
        if (m_pParentFrame != nullptr)
            m_pParentFrame->m_hMenuDefault = hNew;
        g_SnapshotStore.SaveMenuBar(hNew, m_pMenuBar);
        if (m_bIsDefaultMenuSelected)
            m_hmenuCurr = hNew;
        m_hmenuSelected = hNew;
    }

    if (m_pParentFrame != nullptr)
        m_pParentFrame->OnUpdateFrameMenu(m_hmenuCurr);
    if (hOld != nullptr && hOld != m_pMenuBar->m_hDefaultMenu && hOld != m_hmenuCurr) {
        g_SnapshotStore.RemoveMenu(hOld);
        ::DestroyMenu(hOld);
    }
    m_pMenuBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKtvPMenuPage::SaveContextMenu()
{
    if (m_pContextMenu == nullptr || !::IsWindow(m_pContextMenu->GetSafeHwnd()))
        return;
    CRect rect;
    m_pContextMenu->GetWindowRect(&rect);
    m_ptMenuLastPos = rect.TopLeft();
    g_SnapshotStore.SaveMenuBar(m_pContextMenu->m_hMenu, m_pContextMenu->GetMenuBar());
}

void CKtvPMenuPage::CloseContextPopup()
{
    if (m_pContextMenu == nullptr)
        return;
    SaveContextMenu();
    CKtvPPopupMenu* pMenu = m_pContextMenu;
    m_pContextMenu = nullptr;
    if (::IsWindow(pMenu->GetSafeHwnd()))
        pMenu->SendMessage(WM_CLOSE);
}

void CKtvPMenuPage::OnSelchangeContextMenuList()
{
    m_wndResetMenuButton.EnableWindow(FALSE);
    if (g_pContextMenuManager == nullptr)
        return;
    m_uiContextMenuResId = 0;
    CloseContextPopup();
    const int iSel = m_wndContextMenus.GetCurSel();
    if (iSel < 1)
        return;
    m_wndContextMenus.GetLBText(iSel, m_strContextMenuName);
    HMENU hSubMenu = MenuPageContextSubMenu(m_strContextMenuName, &m_uiContextMenuResId);
    if (hSubMenu == nullptr)
        return;
    auto* pPopup = new CKtvPPopupMenu(this, m_strContextMenuName);
    pPopup->m_bOwnsMenu = FALSE;
    CWnd* pTopFrame = m_pParentFrame != nullptr ? m_pParentFrame->GetTopLevelFrame() : AfxGetMainWnd();
    if (!pPopup->Create(pTopFrame, m_ptMenuLastPos.x, m_ptMenuLastPos.y, hSubMenu, FALSE, TRUE)) {
        AfxMessageBox(_T("Can't create context menu!"));
        return;
    }
    m_pContextMenu = pPopup;
    m_wndResetMenuButton.EnableWindow(TRUE);
}

void CKtvPMenuPage::OnContextMenuClosed()
{
    if (m_pContextMenu == nullptr)
        return;
    SaveContextMenu();
    m_pContextMenu = nullptr;
    if (::IsWindow(m_wndContextMenus.GetSafeHwnd()))
        m_wndContextMenus.SetCurSel(0);
    if (::IsWindow(m_wndResetMenuButton.GetSafeHwnd()))
        m_wndResetMenuButton.EnableWindow(FALSE);
    m_uiContextMenuResId = 0;
}

void CKtvPMenuPage::OnResetContextMenu()
{
    if (g_pContextMenuManager == nullptr || m_pContextMenu == nullptr)
        return;
    if (!MenuPageAsk(m_strContextMenuName))
        return;
    UINT uiResId = 0;
    if (MenuPageContextSubMenu(m_strContextMenuName, &uiResId) == nullptr)
        return;
    // The reset content is what the popup shows and what is kept for the menu.
    CMenu fresh;
    if (!fresh.LoadMenu(uiResId))
        return;
    if (HMENU hFreshSub = ::GetSubMenu(fresh.GetSafeHmenu(), 0))
        m_pContextMenu->GetMenuBar()->ImportFromMenu(hFreshSub, FALSE);
    fresh.DestroyMenu();
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(KTVM_RESETCONTEXTMENU, uiResId, reinterpret_cast<LPARAM>(m_pContextMenu));
    g_SnapshotStore.SaveMenuBar(m_pContextMenu->m_hMenu, m_pContextMenu->GetMenuBar());
    OnSelchangeContextMenuList();
    if (m_pContextMenu != nullptr) {
        m_pContextMenu->RecalcLayout();
        m_pContextMenu->GetMenuBar()->Invalidate();
    }
}

BOOL CKtvPMenuPage::SelectMenu(CMultiDocTemplate* pTemplate, BOOL bSaveCurr)
{
    if (!::IsWindow(m_wndMenuesList.GetSafeHwnd()) || m_pMenuBar == nullptr)
        return FALSE;
    int iFound = -1;
    for (int i = 0; i < m_wndMenuesList.GetCount() && iFound < 0; i++) {
        if (m_wndMenuesList.GetItemDataPtr(i) == pTemplate)
            iFound = i;
    }
    if (iFound < 0)
        return FALSE;
    if (!bSaveCurr)
        m_hmenuSelected = nullptr;
    m_hmenuCurr = m_pMenuBar->m_hMenu;
    m_wndMenuesList.SetCurSel(iFound);
    OnSelchangeMenuList();
    return TRUE;
}

// Both options are read as they change: while the page goes its controls no longer answer.
void CKtvPMenuPage::OnSelchangeAnimation() { m_iMenuAnimationType = m_wndMenuAnimations.GetCurSel(); }

void CKtvPMenuPage::OnMenuShadows() { m_bMenuShadows = m_wndMenuShadows.GetCheck() == BST_CHECKED; }

void CKtvPMenuPage::OnDestroy()
{
    CKtvPPopupMenu::m_nAnimationType = m_iMenuAnimationType;
    if (m_pMenuBar != nullptr && ::IsWindow(m_pMenuBar->GetSafeHwnd())) {
        m_pMenuBar->m_pMenuPage = nullptr;
        if (m_hmenuSelected != nullptr) {
            CloseDroppedDownMenu();
            g_SnapshotStore.SaveMenuBar(m_hmenuSelected, m_pMenuBar);
        }
        m_pMenuBar->CreateFromMenu(m_hmenuCurr, m_hmenuCurr == m_pMenuBar->m_hDefaultMenu, FALSE);
    }
    CloseContextPopup();
    CKtvPMenuBar::m_bMenuShadows = m_bMenuShadows;
    CPropertyPage::OnDestroy();
}
