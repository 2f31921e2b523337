#include "app/OptionsEnvGeneralPage.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

constexpr const char* kEnvGeneralGroup = "EnvironmentGeneral";

}  // namespace

IMPLEMENT_DYNCREATE(COptionsEnvGeneralPage, CKtvPPropertyPage)

BEGIN_MESSAGE_MAP(COptionsEnvGeneralPage, CKtvPPropertyPage)
    ON_BN_CLICKED(IDC_TW_OPT_TABBED, OnTabbedDocs)
    ON_BN_CLICKED(IDC_TW_OPT_MDI, OnMDIEnvironment)
    ON_BN_CLICKED(IDC_TW_OPT_LOOK_NET, OnLookNet)
    ON_BN_CLICKED(IDC_TW_OPT_LOOK_VS, OnLookVS)
    ON_BN_CLICKED(IDC_TW_OPT_LOOK_OFFICE2003, OnLookOffice2003)
END_MESSAGE_MAP()

COptionsEnvGeneralPage::COptionsEnvGeneralPage()
    : CKtvPPropertyPage(IDD_TW_OPTIONS_ENV_GENERAL), m_bOneNoteTabs(0), m_bTabColor(0), m_bCloseActiveTabOnly(0),
      m_bAutoHideActiveTabOnly(0), m_bHideSysObj(0), m_nTabbedDocs(0), m_nMDIEnvironment(0), m_nLookNet(0),
      m_nLookVS(0), m_nLookOffice2003(0)
{
}

void COptionsEnvGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    CKtvPPropertyPage::DoDataExchange(pDX);
    DDX_CBString(pDX, IDC_TW_OPT_STARTUP, m_strStartup);
    DDV_MaxChars(pDX, m_strStartup, 128);
    DDX_Check(pDX, IDC_TW_OPT_ONENOTE_TABS, m_bOneNoteTabs);
    DDX_Check(pDX, IDC_TW_OPT_TAB_COLOR, m_bTabColor);
    DDX_Check(pDX, IDC_TW_OPT_CLOSE_ACTIVE_TAB, m_bCloseActiveTabOnly);
    DDX_Check(pDX, IDC_TW_OPT_AUTOHIDE_ACTIVE_TAB, m_bAutoHideActiveTabOnly);
    DDX_Check(pDX, IDC_TW_OPT_HIDE_SYSOBJ, m_bHideSysObj);
    DDX_Radio(pDX, IDC_TW_OPT_TABBED, m_nTabbedDocs);
    DDX_Radio(pDX, IDC_TW_OPT_MDI, m_nMDIEnvironment);
    DDX_Radio(pDX, IDC_TW_OPT_LOOK_NET, m_nLookNet);
    DDX_Radio(pDX, IDC_TW_OPT_LOOK_VS, m_nLookVS);
    DDX_Radio(pDX, IDC_TW_OPT_LOOK_OFFICE2003, m_nLookOffice2003);
}

void COptionsEnvGeneralPage::LoadStoredOptions()
{
    auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp());
    const auto stored = [pWorkspace](LPCTSTR lpszKey) {
        return pWorkspace != nullptr ? pWorkspace->GetSectionInt(lpszKey, kEnvGeneralGroup, 0) : 0;
    };
    m_bHideSysObj = stored("HideSysObj");
    m_nTabbedDocs = stored("TabLayout");
    m_nMDIEnvironment = stored("MDILayout");
    m_bCloseActiveTabOnly = stored("DockToolbarBehaviorClose");
    m_bAutoHideActiveTabOnly = stored("DockToolbarBehaviorHide");
    m_nLookVS = stored("APPLookVS");
    m_nLookNet = stored("APPLookNet");
    m_nLookOffice2003 = stored("APPLookOff2003");
    m_bOneNoteTabs = stored("APPLookOff23OneNote");
    m_bTabColor = stored("APPLookOff23TabClr");

    // Nothing stored reads as every radio selected. The main window then uses
    // tabbed documents and the Visual Studio look, so the page shows those.
    if (m_nTabbedDocs == 0 && m_nMDIEnvironment == 0)
        m_nMDIEnvironment = -1;
    if (m_nLookVS == 0 && m_nLookNet == 0 && m_nLookOffice2003 == 0) {
        m_nLookNet = -1;
        m_nLookOffice2003 = -1;
    }
}

BOOL COptionsEnvGeneralPage::OnInitDialog()
{
    CKtvPPropertyPage::OnInitDialog();
    m_strStartup = kStartupOpenTreeAndQuery;
    LoadStoredOptions();
    UpdateData(FALSE);

    // One look stays checked, in the order the main window picks them.
    const UINT nLook = m_nLookVS == 0    ? IDC_TW_OPT_LOOK_VS
                       : m_nLookNet == 0 ? IDC_TW_OPT_LOOK_NET
                                         : IDC_TW_OPT_LOOK_OFFICE2003;
    SetChecked(IDC_TW_OPT_LOOK_VS, nLook == IDC_TW_OPT_LOOK_VS);
    SetChecked(IDC_TW_OPT_LOOK_NET, nLook == IDC_TW_OPT_LOOK_NET);
    SetChecked(IDC_TW_OPT_LOOK_OFFICE2003, nLook == IDC_TW_OPT_LOOK_OFFICE2003);
    // The main window uses tabbed documents exactly when they are stored as selected.
    SetChecked(IDC_TW_OPT_TABBED, m_nTabbedDocs == 0);
    SetChecked(IDC_TW_OPT_MDI, m_nTabbedDocs != 0);
    EnableOffice2003Options(nLook == IDC_TW_OPT_LOOK_OFFICE2003);
    return TRUE;
}

BOOL COptionsEnvGeneralPage::IsChecked(UINT nID) const { return IsDlgButtonChecked(nID) == BST_CHECKED; }

void COptionsEnvGeneralPage::SetChecked(UINT nID, BOOL bCheck) { CheckDlgButton(nID, bCheck ? BST_CHECKED : BST_UNCHECKED); }

void COptionsEnvGeneralPage::EnableOffice2003Options(BOOL bEnable)
{
    for (const UINT nID : {IDC_TW_OPT_ONENOTE_TABS, IDC_TW_OPT_TAB_COLOR}) {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
    }
}

void COptionsEnvGeneralPage::OnTabbedDocs() { SetChecked(IDC_TW_OPT_MDI, !IsChecked(IDC_TW_OPT_TABBED)); }

void COptionsEnvGeneralPage::OnMDIEnvironment() { SetChecked(IDC_TW_OPT_TABBED, !IsChecked(IDC_TW_OPT_MDI)); }

void COptionsEnvGeneralPage::OnLookNet()
{
    SetChecked(IDC_TW_OPT_LOOK_VS, FALSE);
    SetChecked(IDC_TW_OPT_LOOK_OFFICE2003, !IsChecked(IDC_TW_OPT_LOOK_NET));
    EnableOffice2003Options(!IsChecked(IDC_TW_OPT_LOOK_NET));
}

void COptionsEnvGeneralPage::OnLookVS()
{
    SetChecked(IDC_TW_OPT_LOOK_NET, !IsChecked(IDC_TW_OPT_LOOK_VS));
    SetChecked(IDC_TW_OPT_LOOK_OFFICE2003, FALSE);
    EnableOffice2003Options(FALSE);
}

void COptionsEnvGeneralPage::OnLookOffice2003()
{
    SetChecked(IDC_TW_OPT_LOOK_VS, !IsChecked(IDC_TW_OPT_LOOK_OFFICE2003));
    SetChecked(IDC_TW_OPT_LOOK_NET, FALSE);
    EnableOffice2003Options(IsChecked(IDC_TW_OPT_LOOK_OFFICE2003));
}
