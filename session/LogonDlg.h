// The logon dialog: server, authentication, user, password and initial
// database, the saved profiles by nickname and by user, the server's
// databases listed through a trial connection; it hands back a connection
// string.
#pragma once

#include <vector>

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CStringArray.h"
#include "session/DialogBanner.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPMenuButton.h"
#include "ui/frames/KtvPDialog.h"

class CConnectDlg : public CKtvPDialog {
public:
    explicit CConnectDlg(CWnd* pParent = nullptr);
    ~CConnectDlg() override;

    CComboBox m_NickNameBox;
    CComboBox m_ServerBox;
    CComboBox m_DatabaseBox;
    CButton m_SavePwdCheck;
    CKtvPButton m_CancelButton;
    CKtvPButton m_ConnectButton;
    CKtvPButton m_BrowseButton;
    CKtvPMenuButton m_UserButton;

    CString m_UserName;
    CString m_PasswordName;
    CString m_ServerName;
    CString m_DatabaseName;
    CString m_strConnection;
    CString m_NickName;
    BOOL m_SavePwd = FALSE;
    BOOL m_Identified = FALSE;
    CStringArray m_UserMenuTexts;
    ADODB::_RecordsetPtr m_pProfiles;
    CDialogBanner m_Banner;
    CMenu m_UserMenu;

    // Set by a caller that already told the user the profile file cannot be
    // used: the dialog then goes on without profiles and says nothing more.
    BOOL m_bWithoutProfiles = FALSE;

    // An entry of the database list: its text shows the state of a database
    // that is not online, but it stands for the bare name.
    struct CDatabaseEntry {
        CString m_strEntry;
        CString m_strName;
        CString m_strStatus;
    };
    std::vector<CDatabaseEntry> m_DatabaseEntries;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSqlServerAuth();
    void OnWindowsAuth();
    void OnBrowseServer();
    void OnUserMenu();
    void OnDatabaseDropDown();
    void OnDatabaseSelected();
    void OnNickNameSelected();
    void OnLogonChanged();
    DECLARE_MESSAGE_MAP()

private:
    void EnableUserControls(BOOL bEnable);
    void OpenProfiles();
    void CloseProfiles();
    void BuildUserMenu();
    void FillNickNames();
    // Empties the database list, keeping the typed text: it lists the server
    // and login now named only.
    void ForgetDatabases();
    const CDatabaseEntry* FindDatabaseEntry(const CString& strEntry) const;
    // The user's refusal of a database that is not online; TRUE when refused.
    BOOL RefuseDatabase(const CDatabaseEntry& entry);
};
