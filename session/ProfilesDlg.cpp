#include "session/ProfilesDlg.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "session/LogonIds.h"
#include "session/ServerListDlg.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"

BEGIN_MESSAGE_MAP(CLogonHistoryDlg, CKtvPDialog)
    ON_COMMAND(ID_TW_PROFILE_NEW, OnNewProfile)
    ON_COMMAND(ID_TW_PROFILE_DELETE, OnDeleteProfile)
    ON_COMMAND(ID_TW_PROFILE_SAVE, OnSaveProfile)
    ON_COMMAND(ID_TW_PROFILE_UP, OnMoveUp)
    ON_COMMAND(ID_TW_PROFILE_DOWN, OnMoveDown)
    ON_COMMAND(ID_TW_PROFILE_OK, OnCloseWithOK)
    ON_BN_CLICKED(IDC_TW_PROFILE_WINDOWS_AUTH, OnWindowsAuth)
    ON_BN_CLICKED(IDC_TW_PROFILE_SQL_AUTH, OnSqlServerAuth)
    ON_BN_CLICKED(IDC_TW_PROFILE_AUTO_CONNECT, OnAutoConnect)
    ON_BN_CLICKED(IDC_TW_PROFILE_LOCK, OnConnectLock)
    ON_BN_CLICKED(IDC_TW_PROFILE_DEFAULT, OnDefaultDisplay)
    ON_BN_CLICKED(IDC_TW_PROFILE_BROWSE, OnBrowseServer)
    ON_EN_CHANGE(IDC_TW_PROFILE_NICKNAME, OnNickNameChange)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TW_PROFILE_LIST, OnProfileSelected)
END_MESSAGE_MAP()

namespace {

constexpr UINT kProfilesDatabaseBox = 32854;

// Two rows describe a similar connection: same server, database and
// authentication, and for a server login the same user.
BOOL ProfilesAreSimilar(const CProfileRow& row, const CProfileRow& typed)
{
    if (row.m_ServerName != typed.m_ServerName || row.m_DatabaseName != typed.m_DatabaseName ||
        row.m_Identified != typed.m_Identified)
        return FALSE;
    return typed.m_Identified || row.m_UserName == typed.m_UserName;
}

}  // namespace

CLogonHistoryDlg::CLogonHistoryDlg(CWnd* pParent) : CKtvPDialog(IDD_TW_PROFILES, pParent)
{
    ::InitCommonControls();
    m_pProfiles.CreateInstance("ADODB.Recordset");
}

CLogonHistoryDlg::~CLogonHistoryDlg() { CloseProfiles(); }

void CLogonHistoryDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_PROFILE_BROWSE, m_BrowseButton);
    DDX_Control(pDX, IDC_TW_PROFILE_LIST, m_ProfileList);
    DDX_Control(pDX, IDC_TW_PROFILE_DATABASE, m_DatabaseBox);
    DDX_Control(pDX, IDC_TW_PROFILE_SERVER, m_ServerBox);
    DDX_Text(pDX, IDC_TW_PROFILE_NICKNAME, m_NickName);
    DDV_MaxChars(pDX, m_NickName, 1024);
    DDX_Text(pDX, IDC_TW_PROFILE_USER, m_UserName);
    DDV_MaxChars(pDX, m_UserName, 1024);
    DDX_CBString(pDX, IDC_TW_PROFILE_SERVER, m_ServerName);
    DDV_MaxChars(pDX, m_ServerName, 1024);
    DDX_Text(pDX, IDC_TW_PROFILE_PASSWORD, m_PasswordName);
    DDV_MaxChars(pDX, m_PasswordName, 1024);
    DDX_CBString(pDX, IDC_TW_PROFILE_DATABASE, m_DatabaseName);
    DDV_MaxChars(pDX, m_DatabaseName, 1024);
    DDX_Check(pDX, IDC_TW_PROFILE_SAVE_PASSWORD, m_SavePwd);
    DDX_Check(pDX, IDC_TW_PROFILE_AUTO_CONNECT, m_AutoConn);
    DDX_Check(pDX, IDC_TW_PROFILE_LOCK, m_Lock);
    DDX_Check(pDX, IDC_TW_PROFILE_DEFAULT, m_Default);
}

BOOL CLogonHistoryDlg::OnInitDialog()
{
    m_bShowing = TRUE;
    CKtvPDialog::OnInitDialog();
    m_bShowing = FALSE;
    m_pMainFrame = AfxGetMainWnd();

    // The databases the current-database box offers, without its refresh entry.
    CObList buttons;
    if (CKtvPToolBar::GetCommandButtons(kProfilesDatabaseBox, buttons) > 0) {
        for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pBox = DYNAMIC_DOWNCAST(CKtvPToolbarComboBoxButton, buttons.GetNext(pos));
            if (pBox == nullptr)
                continue;
            for (int i = 0; i < pBox->GetCount(); i++) {
                if (CString(pBox->GetItem(i)) != "<Refresh>")
                    m_DatabaseBox.AddString(pBox->GetItem(i));
            }
            break;
        }
    }

    CreateToolBar();
    CenterWindow();
    SendDlgItemMessage(IDC_TW_PROFILE_USER, EM_LIMITTEXT, 9999, 0);

    m_ProfileList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    CRect rectList;
    m_ProfileList.GetClientRect(rectList);
    m_ProfileList.InsertColumn(0, "Nickname", LVCFMT_CENTER, rectList.Width());

    m_BrowseButton.SetImage(IDB_TW_SERVER_BROWSE, IDB_TW_SERVER_BROWSE, 0);
    m_BrowseButton.SetWindowText("");

    FillProfileList();
    ShowMembers();
    return TRUE;
}

void CLogonHistoryDlg::CreateToolBar()
{
    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, 0xE800) ||
        !m_wndToolBar.LoadToolBar(IDR_TW_PROFILES_BAR))
        return;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.m_bRouteCommandsViaFrame = FALSE;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    CRect rectFrame;
    GetDlgItem(IDC_TW_PROFILE_BAR_FRAME)->GetWindowRect(rectFrame);
    ScreenToClient(rectFrame);
    m_wndToolBar.SetWindowPos(nullptr, rectFrame.left, rectFrame.top, size.cx, size.cy,
                              SWP_NOACTIVATE | SWP_NOZORDER);
}

void CLogonHistoryDlg::CloseProfiles()
{
    try {
        CProfileFile::Close(m_pProfiles);
    } catch (const _com_error&) {
    }
}

void CLogonHistoryDlg::ShowMembers()
{
    m_bShowing = TRUE;
    UpdateData(FALSE);
    m_bShowing = FALSE;
}

void CLogonHistoryDlg::FillProfileList()
{
    try {
        CProfileFile::Open(m_pProfiles);
        BOOL bFirst = TRUE;
        CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) {
            m_ProfileList.InsertItem(m_ProfileList.GetItemCount(), row.m_NickName);
            if (bFirst)
                ShowProfile(row);
            bFirst = FALSE;
            return FALSE;
        });
    } catch (const _com_error& error) {
        AfxMessageBox(CProfileFile::ErrorText(error), MB_OK | MB_ICONEXCLAMATION);
    }
    CloseProfiles();
    if (m_ProfileList.GetItemCount() > 0)
        SelectEntry(0);
}

void CLogonHistoryDlg::ShowProfile(const CProfileRow& row)
{
    m_NickName = row.m_NickName;
    m_ServerName = row.m_ServerName;
    m_DatabaseName = row.m_DatabaseName;
    m_UserName = row.m_UserName;
    m_PasswordName = row.m_PasswordName;
    CheckRadioButton(IDC_TW_PROFILE_WINDOWS_AUTH, IDC_TW_PROFILE_SQL_AUTH,
                     row.m_Identified ? IDC_TW_PROFILE_WINDOWS_AUTH : IDC_TW_PROFILE_SQL_AUTH);
    OnWindowsAuth();
    m_Default = row.m_Default;
    m_AutoConn = row.m_AutoConn;
    m_SavePwd = row.m_SavePwd;
    m_Lock = row.m_Lock;
}

int CLogonHistoryDlg::SelectedEntry() const { return m_ProfileList.GetNextItem(-1, LVNI_SELECTED); }

void CLogonHistoryDlg::SelectEntry(int nItem)
{
    m_ProfileList.SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_ProfileList.EnsureVisible(nItem, FALSE);
}

void CLogonHistoryDlg::OnProfileSelected(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int nSelected = SelectedEntry();
    if (m_ProfileList.GetItemCount() == 0 || nSelected < 0)
        return;
    const CString key = m_ProfileList.GetItemText(nSelected, 0);
    try {
        CProfileFile::Open(m_pProfiles);
        CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) {
            if (row.m_NickName != key)
                return FALSE;
            ShowProfile(row);
            ShowMembers();
            ApplySwitchRules();
            return TRUE;
        });
    } catch (const _com_error& error) {
        AfxMessageBox(CProfileFile::ErrorText(error), MB_OK | MB_ICONEXCLAMATION);
    }
    CloseProfiles();
}

void CLogonHistoryDlg::EnableUserControls(BOOL bEnable)
{
    for (int nID : {IDC_TW_PROFILE_USER, IDC_TW_PROFILE_PASSWORD, IDC_TW_PROFILE_SAVE_PASSWORD}) {
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bEnable);
    }
}

void CLogonHistoryDlg::OnWindowsAuth()
{
    const BOOL bChecked = IsDlgButtonChecked(IDC_TW_PROFILE_WINDOWS_AUTH) == BST_CHECKED;
    EnableUserControls(!bChecked);
    m_Identified = bChecked;
}

void CLogonHistoryDlg::OnSqlServerAuth()
{
    const BOOL bChecked = IsDlgButtonChecked(IDC_TW_PROFILE_SQL_AUTH) == BST_CHECKED;
    EnableUserControls(bChecked);
    m_Identified = !bChecked;
}

void CLogonHistoryDlg::OnAutoConnect()
{
    if (IsDlgButtonChecked(IDC_TW_PROFILE_AUTO_CONNECT) != BST_CHECKED)
        return;
    CheckDlgButton(IDC_TW_PROFILE_DEFAULT, BST_UNCHECKED);
    CheckDlgButton(IDC_TW_PROFILE_LOCK, BST_UNCHECKED);
    // Connecting unseen needs the password.
    if (IsDlgButtonChecked(IDC_TW_PROFILE_SQL_AUTH) == BST_CHECKED)
        CheckDlgButton(IDC_TW_PROFILE_SAVE_PASSWORD, BST_CHECKED);
}

void CLogonHistoryDlg::OnConnectLock()
{
    if (IsDlgButtonChecked(IDC_TW_PROFILE_LOCK) != BST_CHECKED)
        return;
    CheckDlgButton(IDC_TW_PROFILE_DEFAULT, BST_UNCHECKED);
    CheckDlgButton(IDC_TW_PROFILE_AUTO_CONNECT, BST_UNCHECKED);
}

void CLogonHistoryDlg::OnDefaultDisplay()
{
    if (IsDlgButtonChecked(IDC_TW_PROFILE_DEFAULT) != BST_CHECKED)
        return;
    CheckDlgButton(IDC_TW_PROFILE_AUTO_CONNECT, BST_UNCHECKED);
    CheckDlgButton(IDC_TW_PROFILE_LOCK, BST_UNCHECKED);
}

void CLogonHistoryDlg::ApplySwitchRules()
{
    OnDefaultDisplay();
    OnConnectLock();
    OnAutoConnect();
    // The members follow the boxes, so a later showing keeps what the rules left.
    m_Default = IsDlgButtonChecked(IDC_TW_PROFILE_DEFAULT) == BST_CHECKED;
    m_AutoConn = IsDlgButtonChecked(IDC_TW_PROFILE_AUTO_CONNECT) == BST_CHECKED;
    m_Lock = IsDlgButtonChecked(IDC_TW_PROFILE_LOCK) == BST_CHECKED;
    m_SavePwd = IsDlgButtonChecked(IDC_TW_PROFILE_SAVE_PASSWORD) == BST_CHECKED;
}

void CLogonHistoryDlg::OnNickNameChange()
{
    if (m_bShowing)
        return;
    UpdateData(TRUE);
    if (SelectedEntry() < 0) {
        if (m_ProfileList.GetItemCount() != 0)
            return;
        OnNewProfile();
    }
    const int nSelected = SelectedEntry();
    if (nSelected >= 0)
        m_ProfileList.SetItemText(nSelected, 0, m_NickName);
}

void CLogonHistoryDlg::OnNewProfile()
{
    const int nItem = m_ProfileList.InsertItem(m_ProfileList.GetItemCount(), "");
    SelectEntry(nItem);
}

void CLogonHistoryDlg::OnDeleteProfile()
{
    const int nSelected = SelectedEntry();
    if (m_ProfileList.GetItemCount() == 0 || nSelected < 0)
        return;
    const CString key = m_ProfileList.GetItemText(nSelected, 0);
    try {
        CProfileFile::Open(m_pProfiles);
        if (CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) { return row.m_NickName == key; }))
            m_pProfiles->Delete(ADODB::adAffectCurrent);
        CProfileFile::Save(m_pProfiles);
    } catch (const _com_error& error) {
        // The profile is still in the file: its entry stays too.
        CloseProfiles();
        AfxMessageBox("The profile could not be deleted: " + CProfileFile::ErrorText(error), MB_OK | MB_ICONSTOP);
        return;
    }
    CloseProfiles();
    m_ProfileList.DeleteItem(nSelected);
}

void CLogonHistoryDlg::OnSaveProfile()
{
    if (!UpdateData(TRUE))
        return;
    const int nSelected = SelectedEntry();
    if (nSelected < 0)
        return;
    CString key = m_ProfileList.GetItemText(nSelected, 0);
    key.Trim();
    if (key.IsEmpty()) {
        AfxMessageBox("Input nickname,please!", MB_OK);
        return;
    }
    CProfileRow typed;
    typed.m_NickName = m_NickName;
    typed.m_ServerName = m_ServerName;
    typed.m_DatabaseName = m_DatabaseName;
    typed.m_UserName = m_UserName;
    // The password is kept only where the user asked for it.
    typed.m_PasswordName = m_SavePwd ? m_PasswordName : CString();
    typed.m_Identified = m_Identified;
    typed.m_Default = m_Default;
    typed.m_AutoConn = m_AutoConn;
    typed.m_SavePwd = m_SavePwd;
    typed.m_Lock = m_Lock;
    try {
        CProfileFile::Open(m_pProfiles);
        if (CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) { return row.m_NickName == key; })) {
            CProfileRow changed = typed;
            changed.m_NickName = key;
            CProfileFile::Write(m_pProfiles, changed);
        } else {
            BOOL bSimilar = FALSE;
            const BOOL bTaken = CProfileFile::Find(m_pProfiles, [&](const CProfileRow& row) {
                if (row.m_NickName == typed.m_NickName)
                    return TRUE;
                bSimilar = bSimilar || ProfilesAreSimilar(row, typed);
                return FALSE;
            });
            if (bSimilar && AfxMessageBox("Similar connection has been existed,will you be sure of create other connect?",
                                          MB_YESNO) != IDYES) {
                CloseProfiles();
                return;
            }
            if (bTaken) {
                CloseProfiles();
                AfxMessageBox("This nickname has been existed!", MB_OK);
                return;
            }
            CProfileFile::Append(m_pProfiles, typed);
        }
        CProfileFile::Save(m_pProfiles);
    } catch (const _com_error& error) {
        CloseProfiles();
        AfxMessageBox("The profile could not be saved: " + CProfileFile::ErrorText(error), MB_OK | MB_ICONSTOP);
        return;
    }
    CloseProfiles();
}

void CLogonHistoryDlg::MoveEntry(int nBy)
{
    const int nSelected = SelectedEntry();
    if (nSelected < 0) {
        AfxMessageBox("Select a row in the list,please!", MB_OK);
        return;
    }
    const CString text = m_ProfileList.GetItemText(nSelected, 0);
    const int nTarget = nSelected + nBy;
    if (text.IsEmpty() || nTarget < 0 || nTarget >= m_ProfileList.GetItemCount())
        return;
    m_ProfileList.DeleteItem(nSelected);
    SelectEntry(m_ProfileList.InsertItem(nTarget, text));
}

void CLogonHistoryDlg::OnMoveUp() { MoveEntry(-1); }

void CLogonHistoryDlg::OnMoveDown() { MoveEntry(1); }

void CLogonHistoryDlg::OnBrowseServer()
{
    m_ServerBox.ResetContent();
    try {
        ListAvailableServers([this](LPCTSTR name) { m_ServerBox.AddString(name); });
    } catch (const _com_error& error) {
        AfxMessageBox(ComErrorDescription(error), MB_OK);
    }
    if (m_ServerBox.GetCount() > 0)
        m_ServerBox.SetCurSel(0);
}

void CLogonHistoryDlg::OnOK()
{
    UpdateData(TRUE);
    CloseProfiles();
    OnSaveProfile();
    EndDialog(IDOK);
}

void CLogonHistoryDlg::OnCloseWithOK() { EndDialog(IDOK); }
