#include "app/AboutDlg.h"

#include "app/MainFrameCommandIds.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/shell/shellapi.h"

namespace {

constexpr const char* kLegalWarning =
    "Warning: this program is protected by copyright law. Copying or passing on the program or any part of it "
    "without the makers' permission is not allowed.";

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_TW_ABOUT_MAIL, OnWriteMail)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_TW_ABOUT, pParent)
{
    m_wndWebPage.m_Url = tw::app::kProductPage;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_ABOUT_LINK, m_wndWebPage);
    DDX_Control(pDX, IDC_TW_ABOUT_WARNING, m_wndWarning);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The warning stands out in dark red on the dialog's face.
    m_wndWarning.SetTextColor(RGB(128, 0, 0)).SetText(kLegalWarning);
    GotoDlgCtrl(GetDlgItem(IDOK));
    return FALSE;
}

void CAboutDlg::OnWriteMail()
{
    CWaitCursor wait;
    CString address = "mailto:";
    address += tw::app::kContactAddress;
    const auto answer = reinterpret_cast<INT_PTR>(::ShellExecute(m_hWnd, nullptr, address, nullptr, nullptr, SW_SHOWNORMAL));
    if (answer <= 32) {
        CString message;
        message.Format("Tarnwick could not start a mail to %s.", tw::app::kContactAddress);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    }
}
