// Tools/Options and Help/Tutorial.
#include "app/MainFrame.h"
#include "app/OptionsSheet.h"
#include "app/TutorialDlg.h"

void CMainFrame::OnToolsOptions()
{
    COptionsMainDlg dlg("Options", this, 0);
    dlg.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    dlg.m_psh.dwFlags &= ~PSH_HASHELP;
    if (dlg.DoModal() == IDOK)
        dlg.WriteOptions();
}


void CMainFrame::OnHelpTutorial()
{
    CTutorialDlg dlg(this);
    dlg.m_bFromMenu = TRUE;
    dlg.DoModal();
}
