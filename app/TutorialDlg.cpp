#include "app/TutorialDlg.h"

#include <string>

#include "app/AppHome.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPRegistry.h"

namespace {

constexpr DWORD kTutorialBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;

// Opens the key, making it when missing; FALSE when neither works.
BOOL OpenTutorialKey(CKtvPRegistry& reg)
{
    if (reg.VerifyKey(CTutorialDlg::kConfigureKey))
        return reg.Open(CTutorialDlg::kConfigureKey);
    return reg.CreateKey(CTutorialDlg::kConfigureKey);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTutorialDlg, CKtvPDialog)
    ON_COMMAND(ID_TW_TUTORIAL_BACK, OnBack)
    ON_COMMAND(ID_TW_TUTORIAL_FORWARD, OnForward)
    ON_COMMAND(ID_TW_TUTORIAL_STOP, OnStop)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CTutorialDlg::CTutorialDlg(CWnd* pParent) : CKtvPDialog(IDD_TW_TUTORIAL, pParent), m_bFromMenu(FALSE) {}

void CTutorialDlg::DoDataExchange(CDataExchange* pDX)
{
    CKtvPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TW_TUTORIAL_BAR_PLACE, m_wndBarPlace);
    DDX_Control(pDX, IDC_TW_TUTORIAL_SHOW, m_wndShowAtStartup);
}

BOOL CTutorialDlg::OnInitDialog()
{
    CKtvPDialog::OnInitDialog();

    CKtvPRegistry reg(FALSE, FALSE);
    CString strShow;
    if (OpenTutorialKey(reg))
        reg.Read(kStartupValue, strShow);
    if (strShow == "NSD" && !m_bFromMenu)
        EndDialog(IDOK);  // chosen not to appear at start-up
    else if (strShow == "SD")
        m_wndShowAtStartup.SetCheck(BST_CHECKED);
    reg.Close();

    CreateToolBar();
    CreateBrowser();
    return TRUE;
}

void CTutorialDlg::CreateToolBar()
{
    if (!m_wndToolBar.Create(this, kTutorialBarStyle, IDW_TW_TUTORIAL_BAR) ||
        !m_wndToolBar.LoadToolBar(IDR_TW_TUTORIAL_BAR, 0, 0, TRUE))
        return;
    m_wndToolBar.SetBarStyle((m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) &
                             ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    const char* const texts[] = {"Back", "Forward", "Stop"};
    for (int i = 0; i < 3; ++i)
        m_wndToolBar.SetButtonTextAndImage(i, texts[i], TRUE, TRUE);
    // Its commands come to this dialog, not through the main window.
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.m_bRouteCommandsViaFrame = FALSE;
    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    CRect place;
    m_wndBarPlace.GetWindowRect(place);
    ScreenToClient(place);
    m_wndToolBar.SetWindowPos(&wndTop, place.left, place.top, size.cx, size.cy, SWP_NOACTIVATE);
}

void CTutorialDlg::CreateBrowser()
{
    // The template marks the browser's place; the control takes its id.
    CRect area;
    if (CWnd* pPlace = GetDlgItem(IDC_TW_TUTORIAL_BROWSER)) {
        pPlace->GetWindowRect(area);
        ScreenToClient(area);
        pPlace->DestroyWindow();
    }
    if (!m_wndBrowser.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, area, this,
                             IDC_TW_TUTORIAL_BROWSER))
        return;
    const std::string page = tw::app::ProgramFolder() + "/" + kStartPage;
    VARIANT empty[4] = {};
    try {
        m_wndBrowser.Navigate(page.c_str(), &empty[0], &empty[1], &empty[2], &empty[3]);
    } catch (CException* e) {
        e->Delete();  // the browser shows its own error page
    }
}

void CTutorialDlg::OnBack()
{
    try {
        m_wndBrowser.GoBack();
    } catch (CException* e) {
        e->Delete();  // nothing to go back to
    }
}

void CTutorialDlg::OnForward()
{
    try {
        m_wndBrowser.GoForward();
    } catch (CException* e) {
        e->Delete();
    }
}

void CTutorialDlg::OnStop()
{
    try {
        m_wndBrowser.Stop();
    } catch (CException* e) {
        e->Delete();
    }
}

void CTutorialDlg::StoreStartupChoice()
{
    CKtvPRegistry reg(FALSE, FALSE);
    if (OpenTutorialKey(reg))
        reg.Write(kStartupValue, m_wndShowAtStartup.GetCheck() == BST_CHECKED ? "SD" : "NSD");
    reg.Close();
}

void CTutorialDlg::OnCancel()
{
    StoreStartupChoice();
    CKtvPDialog::OnCancel();
}

void CTutorialDlg::OnClose()
{
    StoreStartupChoice();
    CKtvPDialog::OnClose();
}
