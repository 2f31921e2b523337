#include "ui/commandbars/KtvPOptionsPage.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_DYNCREATE(CKtvPOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKtvPOptionsPage, CPropertyPage)
    ON_BN_CLICKED(IDC_KTVP_OPT_TOOLTIPS, OnShowTooltips)
    ON_BN_CLICKED(IDC_KTVP_OPT_SHORTCUT_KEYS, OnShowShortcutKeys)
    ON_BN_CLICKED(IDC_KTVP_OPT_RECENTLY_USED, OnRecentlyUsedMenus)
    ON_BN_CLICKED(IDC_KTVP_OPT_FULL_MENUS_DELAY, OnShowAllMenusDelay)
    ON_BN_CLICKED(IDC_KTVP_OPT_LARGE_ICONS, OnLargeIcons)
    ON_BN_CLICKED(IDC_KTVP_OPT_LOOK2000, OnLook2000)
    ON_BN_CLICKED(IDC_KTVP_OPT_RESET_USAGE, OnResetUsageData)
END_MESSAGE_MAP()

namespace {

void OptionsPageHide(CWnd& wnd)
{
    wnd.ShowWindow(SW_HIDE);
    wnd.EnableWindow(FALSE);
}

}  // namespace

CKtvPOptionsPage::CKtvPOptionsPage(BOOL bIsMenuBarExist)
    : CPropertyPage(IDD_KTVP_OPTIONS_PAGE),
      m_bShowTooltips(CKtvPToolBar::m_bShowTooltips),
      m_bShowShortcutKeys(CKtvPToolBar::m_bShowShortcutKeys),
      m_bRecentlyUsedMenus(CKtvPMenuBar::m_bRecentlyUsedMenus),
      m_bShowAllMenusDelay(CKtvPMenuBar::m_bShowAllMenusAfterDelay),
      m_bLargeIcons(CKtvPToolBar::m_bLargeIcons),
      m_bLook2000(CKtvPVisualManager::GetInstance()->IsLook2000()),
      m_bIsMenuBarExist(bIsMenuBarExist)
{
}

CKtvPOptionsPage::~CKtvPOptionsPage() = default;

void CKtvPOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_OPT_VISUALIZATIONS, m_wndVisualizations);
    DDX_Control(pDX, IDC_KTVP_OPT_LOOK2000, m_wndLook2000);
    DDX_Control(pDX, IDC_KTVP_OPT_LARGE_ICONS, m_wndLargeIcons);
    DDX_Control(pDX, IDC_KTVP_OPT_RECENTLY_USED, m_wndRecentlyUsedMenus);
    DDX_Control(pDX, IDC_KTVP_OPT_RESET_USAGE, m_wndResetUsageBtn);
    DDX_Control(pDX, IDC_KTVP_OPT_PERSONALIZED_LABEL, m_wndRUMenusLabel);
    DDX_Control(pDX, IDC_KTVP_OPT_PERSONALIZED_LINE, m_wndRUMenusLine);
    DDX_Control(pDX, IDC_KTVP_OPT_FULL_MENUS_DELAY, m_wndShowAllMenusDelay);
    DDX_Control(pDX, IDC_KTVP_OPT_SHORTCUT_KEYS, m_wndShowShortcutKeys);
    DDX_Check(pDX, IDC_KTVP_OPT_TOOLTIPS, m_bShowTooltips);
    DDX_Check(pDX, IDC_KTVP_OPT_SHORTCUT_KEYS, m_bShowShortcutKeys);
    DDX_Check(pDX, IDC_KTVP_OPT_RECENTLY_USED, m_bRecentlyUsedMenus);
    DDX_Check(pDX, IDC_KTVP_OPT_FULL_MENUS_DELAY, m_bShowAllMenusDelay);
    DDX_Check(pDX, IDC_KTVP_OPT_LARGE_ICONS, m_bLargeIcons);
    DDX_Check(pDX, IDC_KTVP_OPT_LOOK2000, m_bLook2000);
}

BOOL CKtvPOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndShowShortcutKeys.EnableWindow(m_bShowTooltips);
    m_wndShowAllMenusDelay.EnableWindow(m_bRecentlyUsedMenus);

    if (CKtvPToolBar::m_BasicCommands.IsEmpty() || !m_bIsMenuBarExist) {
        OptionsPageHide(m_wndRecentlyUsedMenus);
        OptionsPageHide(m_wndResetUsageBtn);
        OptionsPageHide(m_wndRUMenusLabel);
        OptionsPageHide(m_wndRUMenusLine);
        OptionsPageHide(m_wndShowAllMenusDelay);
    }
    auto* pSheet = dynamic_cast<CKtvPToolbarCustomize*>(GetParent());
    if (pSheet != nullptr && !(pSheet->m_uiFlags & KTVCUSTOMIZE_LOOK_2000))
        OptionsPageHide(m_wndLook2000);
    OptionsPageHide(m_wndVisualizations);
    return TRUE;
}

void CKtvPOptionsPage::OnShowTooltips()
{
    UpdateData();
    CKtvPToolBar::m_bShowTooltips = m_bShowTooltips;
    m_wndShowShortcutKeys.EnableWindow(m_bShowTooltips);
}

void CKtvPOptionsPage::OnShowShortcutKeys()
{
    UpdateData();
    CKtvPToolBar::m_bShowShortcutKeys = m_bShowShortcutKeys;
}

void CKtvPOptionsPage::OnRecentlyUsedMenus()
{
    UpdateData();
    m_wndShowAllMenusDelay.EnableWindow(m_bRecentlyUsedMenus);
    CKtvPMenuBar::m_bRecentlyUsedMenus = m_bRecentlyUsedMenus;
}

void CKtvPOptionsPage::OnShowAllMenusDelay()
{
    UpdateData();
    CKtvPMenuBar::m_bShowAllMenusAfterDelay = m_bShowAllMenusDelay;
}

void CKtvPOptionsPage::OnLargeIcons()
{
    UpdateData();
    CKtvPToolBar::SetLargeIcons(m_bLargeIcons);
}

void CKtvPOptionsPage::OnLook2000()
{
    UpdateData();
    CKtvPVisualManager::GetInstance()->SetLook2000(m_bLook2000);
    if (CWnd* pMainWnd = AfxGetMainWnd())
        pMainWnd->Invalidate(TRUE);
}

void CKtvPOptionsPage::OnResetUsageData()
{
    CString strPrompt;
    strPrompt.LoadString(IDS_KTVP_RESET_USAGE_PROMPT);
    if (AfxMessageBox(strPrompt, MB_YESNO) == IDYES)
        CKtvPToolBar::m_UsageCount.Reset();
}
