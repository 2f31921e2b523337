// Session/Session Properties.
#include "app/MainFrame.h"
#include "session/ConnectPropertiesDlg.h"

void CMainFrame::OnSessionProperties()
{
    CConnectPropertiesDlg dlg;
    dlg.DoModal();
}
