// "Configurate logon history": the connection profiles listed, edited,
// added, removed and reordered. Every change is written to the profile
// file by Save and Delete.
#pragma once

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CListCtrl.h"
#include "session/ProfileFile.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPButton.h"
#include "ui/frames/KtvPDialog.h"

class CLogonHistoryDlg : public CKtvPDialog {
public:
    explicit CLogonHistoryDlg(CWnd* pParent = nullptr);
    ~CLogonHistoryDlg() override;

    CKtvPButton m_BrowseButton;
    CListCtrl m_ProfileList;
    CComboBox m_DatabaseBox;
    CComboBox m_ServerBox;
    CString m_NickName;
    CString m_UserName;
    CString m_ServerName;
    CString m_PasswordName;
    CString m_DatabaseName;
    BOOL m_SavePwd = FALSE;
    BOOL m_AutoConn = FALSE;
    BOOL m_Lock = FALSE;
    BOOL m_Default = FALSE;
    CKtvPToolBar m_wndToolBar;
    BOOL m_Identified = FALSE;
    ADODB::_RecordsetPtr m_pProfiles;
    CWnd* m_pMainFrame = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnNewProfile();
    void OnDeleteProfile();
    void OnSaveProfile();
    void OnMoveUp();
    void OnMoveDown();
    void OnCloseWithOK();
    void OnWindowsAuth();
    void OnSqlServerAuth();
    void OnAutoConnect();
    void OnConnectLock();
    void OnDefaultDisplay();
    void OnBrowseServer();
    void OnNickNameChange();
    void OnProfileSelected(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void CreateToolBar();
    void FillProfileList();
    // The detail fields and buttons from a row.
    void ShowProfile(const CProfileRow& row);
    void ApplySwitchRules();
    void EnableUserControls(BOOL bEnable);
    int SelectedEntry() const;
    void SelectEntry(int nItem);
    void MoveEntry(int nBy);
    void CloseProfiles();
    // Writes the members to the controls without hearing of it as typing.
    void ShowMembers();

    BOOL m_bShowing = FALSE;
};
