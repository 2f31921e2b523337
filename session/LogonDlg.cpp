#include "session/LogonDlg.h"

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "session/ConnectionString.h"
#include "session/LogonIds.h"
#include "session/ProfileFile.h"
#include "session/ServerListDlg.h"

BEGIN_MESSAGE_MAP(CConnectDlg, CKtvPDialog)
    ON_BN_CLICKED(IDC_TW_LOGON_SQL_AUTH, OnSqlServerAuth)
    ON_BN_CLICKED(IDC_TW_LOGON_WINDOWS_AUTH, OnWindowsAuth)
    ON_BN_CLICKED(IDC_TW_LOGON_BROWSE, OnBrowseServer)
    ON_BN_CLICKED(IDC_TW_LOGON_USER_MENU, OnUserMenu)
    ON_CBN_DROPDOWN(IDC_TW_LOGON_DATABASE, OnDatabaseDropDown)
    ON_CBN_SELENDOK(IDC_TW_LOGON_DATABASE, OnDatabaseSelected)
    ON_CBN_SELENDOK(IDC_TW_LOGON_NICKNAME, OnNickNameSelected)
    ON_CBN_EDITCHANGE(IDC_TW_LOGON_SERVER, OnLogonChanged)
    ON_CBN_SELCHANGE(IDC_TW_LOGON_SERVER, OnLogonChanged)
    ON_EN_CHANGE(IDC_TW_LOGON_USER, OnLogonChanged)
    ON_EN_CHANGE(IDC_TW_LOGON_PASSWORD, OnLogonChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kLogonSuspectMessage = "Select other database,beause this database is suspected,please!";

// The text of a user-menu item: user, server and database of a profile.
CString LogonUserMenuText(const CProfileRow& row)
{
    return row.m_UserName + "#" + row.m_ServerName + "#" + row.m_DatabaseName;
}

// The user menu lists the server logins that may be recalled.
BOOL LogonUserMenuOffers(const CProfileRow& row) { return !row.m_Lock && !row.m_Identified; }

}  // namespace

CConnectDlg::CConnectDlg(CWnd* pParent) : CKtvPDialog(IDD_TW_LOGON, pParent)
{
    m_pProfiles.CreateInstance("ADODB.Recordset");
}

CConnectDlg::~CConnectDlg() { CloseProfiles(); }

void CConnectDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_LOGON_NICKNAME, m_NickNameBox);
    DDX_Control(pDX, IDC_TW_LOGON_SERVER, m_ServerBox);
    DDX_Control(pDX, IDC_TW_LOGON_DATABASE, m_DatabaseBox);
    DDX_Control(pDX, IDC_TW_LOGON_SAVE_PASSWORD, m_SavePwdCheck);
    DDX_Control(pDX, IDCANCEL, m_CancelButton);
    DDX_Control(pDX, IDOK, m_ConnectButton);
    DDX_Control(pDX, IDC_TW_LOGON_BROWSE, m_BrowseButton);
    DDX_Control(pDX, IDC_TW_LOGON_USER_MENU, m_UserButton);
    DDX_Text(pDX, IDC_TW_LOGON_USER, m_UserName);
    DDV_MaxChars(pDX, m_UserName, 255);
    DDX_Text(pDX, IDC_TW_LOGON_PASSWORD, m_PasswordName);
    DDV_MaxChars(pDX, m_PasswordName, 255);
    DDX_CBString(pDX, IDC_TW_LOGON_SERVER, m_ServerName);
    DDV_MaxChars(pDX, m_ServerName, 255);
    DDX_CBString(pDX, IDC_TW_LOGON_DATABASE, m_DatabaseName);
    DDV_MaxChars(pDX, m_DatabaseName, 255);
    DDX_CBString(pDX, IDC_TW_LOGON_NICKNAME, m_NickName);
    DDV_MaxChars(pDX, m_NickName, 1024);
    DDX_Check(pDX, IDC_TW_LOGON_SAVE_PASSWORD, m_SavePwd);
}

BOOL CConnectDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();

    m_Banner.SetTitle("Connect to SQL Server");
    m_Banner.SetDescription("You can add or alter logon user in the editbox!");
    m_Banner.SetIcon(::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_TW_LOGON_BANNER)));
    m_Banner.SetBackColor(RGB(192, 187, 255));
    m_Banner.CreateInDialog(this);
    m_Banner.MoveSiblingsDown(this);
    CenterWindow();

    CheckRadioButton(IDC_TW_LOGON_SQL_AUTH, IDC_TW_LOGON_WINDOWS_AUTH,
                     m_Identified ? IDC_TW_LOGON_WINDOWS_AUTH : IDC_TW_LOGON_SQL_AUTH);
    if (m_Identified)
        OnWindowsAuth();
    else
        OnSqlServerAuth();

    OpenProfiles();
    BuildUserMenu();
    FillNickNames();

    m_NickNameBox.GetWindowText(m_NickName);
    if (m_NickName.IsEmpty() && m_NickNameBox.GetCount() > 0) {
        m_NickNameBox.SetCurSel(0);
        OnNickNameSelected();
    }
    UpdateData(FALSE);
    return TRUE;
}

void CConnectDlg::OpenProfiles()
{
    if (m_bWithoutProfiles) {
        CloseProfiles();
        return;
    }
    try {
        CProfileFile::Open(m_pProfiles);
    } catch (const _com_error& error) {
        // The logon goes on without profiles.
        CloseProfiles();
        m_bWithoutProfiles = TRUE;
        AfxMessageBox(CProfileFile::ErrorText(error), MB_OK | MB_ICONEXCLAMATION);
    }
}

void CConnectDlg::CloseProfiles()
{
    try {
        CProfileFile::Close(m_pProfiles);
    } catch (const _com_error&) {
    }
}

void CConnectDlg::EnableUserControls(BOOL bEnable)
{
    for (int nID : {IDC_TW_LOGON_USER, IDC_TW_LOGON_PASSWORD, IDC_TW_LOGON_SAVE_PASSWORD, IDC_TW_LOGON_USER_MENU}) {
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bEnable);
    }
}

void CConnectDlg::OnSqlServerAuth()
{
    const BOOL bChecked = IsDlgButtonChecked(IDC_TW_LOGON_SQL_AUTH) == BST_CHECKED;
    EnableUserControls(bChecked);
    m_Identified = !bChecked;
    ForgetDatabases();
}

void CConnectDlg::OnWindowsAuth()
{
    const BOOL bChecked = IsDlgButtonChecked(IDC_TW_LOGON_WINDOWS_AUTH) == BST_CHECKED;
    EnableUserControls(!bChecked);
    m_Identified = bChecked;
    ForgetDatabases();
}

void CConnectDlg::OnLogonChanged() { ForgetDatabases(); }

void CConnectDlg::ForgetDatabases()
{
    if (m_DatabaseBox.GetSafeHwnd() == nullptr || m_DatabaseBox.GetCount() == 0)
        return;
    CString strTyped;
    m_DatabaseBox.GetWindowText(strTyped);
    if (const CDatabaseEntry* pEntry = FindDatabaseEntry(strTyped))
        strTyped = pEntry->m_strName;
    m_DatabaseBox.ResetContent();
    m_DatabaseEntries.clear();
    m_DatabaseBox.SetWindowText(strTyped);
}

void CConnectDlg::BuildUserMenu()
{
    if (m_UserMenu.GetSafeHmenu() != nullptr)
        m_UserMenu.DestroyMenu();
    m_UserMenu.CreatePopupMenu();
    m_UserMenuTexts.RemoveAll();
    if (!m_bWithoutProfiles) {
        CProfileFile::Find(m_pProfiles, [this](const CProfileRow& row) {
            if (!LogonUserMenuOffers(row))
                return FALSE;
            const CString text = LogonUserMenuText(row);
            const UINT nID = ID_TW_LOGON_USER_FIRST + static_cast<UINT>(m_UserMenuTexts.GetSize());
            if (m_UserMenu.AppendMenu(MF_STRING, nID, text))
                m_UserMenuTexts.Add(text);
            return FALSE;
        });
    }
    m_UserButton.m_Menu = m_UserMenu.GetSafeHmenu();
    m_UserButton.m_MenuOnRight = TRUE;
    m_UserButton.m_StayPressed = TRUE;
    m_UserButton.SizeToContent();
}

void CConnectDlg::FillNickNames()
{
    if (m_bWithoutProfiles)
        return;
    CProfileFile::Find(m_pProfiles, [this](const CProfileRow& row) {
        if (m_NickNameBox.FindStringExact(-1, row.m_NickName) < 0)
            m_NickNameBox.AddString(row.m_NickName);
        return FALSE;
    });
}

void CConnectDlg::OnNickNameSelected()
{
    if (m_bWithoutProfiles)
        return;
    const int nSelected = m_NickNameBox.GetCurSel();
    if (nSelected < 0)
        return;
    CString strNickName;
    m_NickNameBox.GetLBText(nSelected, strNickName);
    CProfileRow found;
    if (!CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) {
            if (row.m_NickName != strNickName)
                return FALSE;
            found = row;
            return TRUE;
        }))
        return;
    m_NickName = strNickName;
    m_ServerName = found.m_ServerName;
    m_DatabaseName = found.m_DatabaseName;
    m_Identified = found.m_Identified;
    if (!found.m_Identified) {
        m_UserName = found.m_UserName;
        m_PasswordName = found.m_PasswordName;
        m_SavePwd = found.m_SavePwd;
    }
    CheckRadioButton(IDC_TW_LOGON_SQL_AUTH, IDC_TW_LOGON_WINDOWS_AUTH,
                     m_Identified ? IDC_TW_LOGON_WINDOWS_AUTH : IDC_TW_LOGON_SQL_AUTH);
    if (m_Identified)
        OnWindowsAuth();
    else
        OnSqlServerAuth();
    UpdateData(FALSE);
}

void CConnectDlg::OnUserMenu()
{
    const int nID = m_UserButton.m_MenuResult;
    if (nID < ID_TW_LOGON_USER_FIRST || nID > ID_TW_LOGON_USER_LAST)
        return;
    const INT_PTR nIndex = nID - ID_TW_LOGON_USER_FIRST;
    if (nIndex >= m_UserMenuTexts.GetSize())
        return;
    const CString text = m_UserMenuTexts[nIndex];
    // The typed password and the authentication stay as they are.
    UpdateData(TRUE);
    CProfileRow found;
    if (!CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) {
            if (!LogonUserMenuOffers(row) || LogonUserMenuText(row) != text)
                return FALSE;
            found = row;
            return TRUE;
        }))
        return;
    m_UserName = found.m_UserName;
    m_ServerName = found.m_ServerName;
    m_DatabaseName = found.m_DatabaseName;
    m_NickName = found.m_NickName;
    m_SavePwd = found.m_SavePwd;
    UpdateData(FALSE);
}

void CConnectDlg::OnBrowseServer()
{
    CSelectServerDlg dlg(this);
    if (dlg.DoModal() != IDOK || dlg.m_strServer.IsEmpty())
        return;
    int nIndex = m_ServerBox.GetCount() == 0 ? -1 : m_ServerBox.FindString(-1, dlg.m_strServer);
    if (nIndex < 0)
        nIndex = m_ServerBox.AddString(dlg.m_strServer);
    m_ServerBox.SetCurSel(nIndex);
    ForgetDatabases();
}

void CConnectDlg::OnDatabaseDropDown()
{
    if (m_DatabaseBox.GetCount() >= 2)
        return;
    if (!UpdateData(TRUE))
        return;
    CString strDatabase = m_DatabaseName;
    if (const CDatabaseEntry* pEntry = FindDatabaseEntry(strDatabase))
        strDatabase = pEntry->m_strName;
    if (strDatabase.IsEmpty())
        strDatabase = "master";
    CWaitCursor wait;
    try {
        ADODB::_ConnectionPtr connection("ADODB.Connection");
        ADODB::_RecordsetPtr rs;
        const CString text = BuildConnectionString(m_Identified, m_UserName, m_PasswordName, strDatabase,
                                                   m_ServerName);
        connection->Open(static_cast<LPCTSTR>(text), "", "", ADODB::adConnectUnspecified);
        connection->Execute("use master", nullptr, ADODB::adCmdText);
        rs = connection->Execute(
            "select name,DATABASEPROPERTYEX(name,'Status') as status from sysdatabases", nullptr,
            ADODB::adCmdText);
        m_DatabaseBox.ResetContent();
        m_DatabaseEntries.clear();
        for (; !rs->GetadoEOF(); rs->MoveNext()) {
            CDatabaseEntry entry;
            entry.m_strName = CProfileFile::Text(rs, "name");
            entry.m_strStatus = CProfileFile::Text(rs, "status");
            entry.m_strEntry = entry.m_strStatus == "ONLINE" ? entry.m_strName
                                                              : entry.m_strName + "(" + entry.m_strStatus + ")";
            m_DatabaseBox.AddString(entry.m_strEntry);
            m_DatabaseEntries.push_back(entry);
        }
        rs->Close();
        m_DatabaseBox.SetWindowText(m_DatabaseName);
    } catch (const _com_error& error) {
        CString detail;
        detail.Format("!\r\n\r\nError:%s", error.ErrorMessage());
        const CString description = ComErrorDescription(error);
        if (!description.IsEmpty())
            detail += "\r\n" + description;
        AfxMessageBox("Failed to connect " + m_ServerName + detail, MB_OK);
    }
}

const CConnectDlg::CDatabaseEntry* CConnectDlg::FindDatabaseEntry(const CString& strEntry) const
{
    for (const CDatabaseEntry& entry : m_DatabaseEntries) {
        if (entry.m_strEntry == strEntry)
            return &entry;
    }
    return nullptr;
}

BOOL CConnectDlg::RefuseDatabase(const CDatabaseEntry& entry)
{
    if (entry.m_strStatus == "ONLINE")
        return FALSE;
    CString message = kLogonSuspectMessage;
    if (entry.m_strStatus.CompareNoCase("SUSPECT") != 0) {
        CString state = entry.m_strStatus;
        state.MakeLower();
        message.Format("Select other database,because this database is %s,please!", static_cast<LPCTSTR>(state));
    }
    AfxMessageBox(message, MB_OK);
    return TRUE;
}

void CConnectDlg::OnDatabaseSelected()
{
    const int nSelected = m_DatabaseBox.GetCurSel();
    if (nSelected < 0)
        return;
    CString strEntry;
    m_DatabaseBox.GetLBText(nSelected, strEntry);
    const CDatabaseEntry* pEntry = FindDatabaseEntry(strEntry);
    if (pEntry == nullptr || !RefuseDatabase(*pEntry))
        return;
    // Back to the first database that can be used.
    int nUsable = -1;
    for (int i = 0; i < m_DatabaseBox.GetCount() && nUsable < 0; i++) {
        CString strOther;
        m_DatabaseBox.GetLBText(i, strOther);
        const CDatabaseEntry* pOther = FindDatabaseEntry(strOther);
        if (pOther != nullptr && pOther->m_strStatus == "ONLINE")
            nUsable = i;
    }
    m_DatabaseBox.SetCurSel(nUsable);
}

void CConnectDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (const CDatabaseEntry* pEntry = FindDatabaseEntry(m_DatabaseName)) {
        if (RefuseDatabase(*pEntry))
            return;
        m_DatabaseName = pEntry->m_strName;
    }
    m_DatabaseName.Trim();
    if (m_DatabaseName.IsEmpty())
        m_DatabaseName = "master";
    m_strConnection = BuildConnectionString(m_Identified, m_UserName, m_PasswordName, m_DatabaseName, m_ServerName);
    UpdateData(FALSE);
    CloseProfiles();
    EndDialog(IDOK);
}
