// "Select MS SQL Server": the servers a logon can reach, one to pick.
#pragma once

#include <functional>

#include "platform/com/ComError.h"
#include "platform/mfc/CListCtrl.h"
#include "ui/frames/KtvPDialog.h"

// The server listing shared by this dialog and the profiles dialog: the
// embedded server first, then the servers the TDS configuration names;
// "(local)" when the first names are empty and a server is installed on
// this computer. Each name goes to `add`; raises _com_error, after which
// the names already added stay where they went.
void ListAvailableServers(const std::function<void(LPCTSTR)>& add);
// The description a COM error carries, empty when it has none.
CString ComErrorDescription(const _com_error& error);

class CSelectServerDlg : public CKtvPDialog {
public:
    explicit CSelectServerDlg(CWnd* pParent = nullptr);

    CListCtrl m_ServerList;
    CString m_strServer;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnDblClickServer(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
