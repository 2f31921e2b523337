// Options / Environment / General: the start-up action, the document layout,
// the application look with its Office 2003 tab options and the object
// tree's system objects. Each radio button is a group of its own, stored as
// 0 (selected) or -1; the page keeps the pairs and the three looks exclusive.
#pragma once

#include "platform/mfc/CString.h"
#include "ui/controls/KtvPPropertySheet.h"

enum : UINT {
    IDD_TW_OPTIONS_ENV_GENERAL = 209,
    IDC_TW_OPT_STARTUP = 1057,
    IDC_TW_OPT_TABBED = 1540,
    IDC_TW_OPT_MDI = 1541,
    IDC_TW_OPT_LOOK_NET = 1542,
    IDC_TW_OPT_LOOK_VS = 1543,
    IDC_TW_OPT_LOOK_OFFICE2003 = 1544,
    IDC_TW_OPT_ONENOTE_TABS = 1545,
    IDC_TW_OPT_HIDE_SYSOBJ = 1546,
    IDC_TW_OPT_CLOSE_ACTIVE_TAB = 1547,
    IDC_TW_OPT_AUTOHIDE_ACTIVE_TAB = 1548,
    IDC_TW_OPT_TAB_COLOR = 1549,
};

class COptionsEnvGeneralPage : public CKtvPPropertyPage {
    DECLARE_DYNCREATE(COptionsEnvGeneralPage)
public:
    // The one start-up action the program offers.
    static constexpr const char* kStartupOpenTreeAndQuery = "Open Object Explorer and new query";

    COptionsEnvGeneralPage();

    CString m_strStartup;
    int m_bOneNoteTabs;
    int m_bTabColor;
    int m_bCloseActiveTabOnly;
    int m_bAutoHideActiveTabOnly;
    int m_bHideSysObj;
    int m_nTabbedDocs;
    int m_nMDIEnvironment;
    int m_nLookNet;
    int m_nLookVS;
    int m_nLookOffice2003;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnTabbedDocs();
    void OnMDIEnvironment();
    void OnLookNet();
    void OnLookVS();
    void OnLookOffice2003();
    DECLARE_MESSAGE_MAP()

private:
    void LoadStoredOptions();
    BOOL IsChecked(UINT nID) const;
    void SetChecked(UINT nID, BOOL bCheck);
    void EnableOffice2003Options(BOOL bEnable);
};
