#include "session/ServerListDlg.h"

#include "platform/comctl/commctrl.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/registry/Registry.h"
#include "session/LogonIds.h"
#include "session/ProfileFile.h"

BEGIN_MESSAGE_MAP(CSelectServerDlg, CKtvPDialog)
    ON_NOTIFY(NM_DBLCLK, IDC_TW_SERVER_LIST, OnDblClickServer)
END_MESSAGE_MAP()

namespace {

// A server installed on this computer leaves this key behind.
BOOL LocalServerInstalled()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\MSSQLServer", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

}  // namespace

CString ComErrorDescription(const _com_error& error)
{
    const _bstr_t description = error.Description();
    return description.length() > 0 ? CString(static_cast<LPCTSTR>(description)) : CString();
}

void ListAvailableServers(const std::function<void(LPCTSTR)>& add)
{
    SQLDMO::_SQLServerPtr server;
    HRESULT hr = server.CreateInstance(SQLDMO::CLSID_SQLServer);
    if (FAILED(hr))
        _com_issue_error(hr);
    SQLDMO::NameListPtr names = server->GetApplication()->ListAvailableSQLServers();
    BOOL bAdded = FALSE;
    const long count = names->GetCount();
    for (long i = 1; i <= count; i++) {
        const CString name = static_cast<LPCTSTR>(names->Item(i));
        if (!name.IsEmpty()) {
            add(name);
            bAdded = TRUE;
        }
        if (!bAdded && LocalServerInstalled()) {
            add("(local)");
            bAdded = TRUE;
        }
    }
}

CSelectServerDlg::CSelectServerDlg(CWnd* pParent) : CKtvPDialog(IDD_TW_SERVER_LIST, pParent)
{
    // The list of servers is a list view.
    ::InitCommonControls();
}

void CSelectServerDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_SERVER_LIST, m_ServerList);
}

BOOL CSelectServerDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();
    m_ServerList.InsertColumn(0, "Server Name", LVCFMT_LEFT, 200);
    m_ServerList.InsertColumn(1, "Host Name", LVCFMT_LEFT, 140);
    m_ServerList.InsertColumn(2, "Net Name", LVCFMT_LEFT, 180);
    try {
        ListAvailableServers([this](LPCTSTR name) { m_ServerList.InsertItem(m_ServerList.GetItemCount(), name); });
    } catch (const _com_error& error) {
        AfxMessageBox(ComErrorDescription(error), MB_OK);
    }
    return TRUE;
}

void CSelectServerDlg::OnOK()
{
    const int selected = m_ServerList.GetNextItem(-1, LVNI_SELECTED);
    if (selected >= 0)
        m_strServer = m_ServerList.GetItemText(selected, 0);
    CKtvPDialog::OnOK();
}

void CSelectServerDlg::OnDblClickServer(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnOK();
}
