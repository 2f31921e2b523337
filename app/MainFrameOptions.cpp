// Tools/Options.
#include "app/MainFrame.h"
#include "app/OptionsSheet.h"

void CMainFrame::OnToolsOptions()
{
    COptionsMainDlg dlg("Options", this, 0);
    dlg.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    dlg.m_psh.dwFlags &= ~PSH_HASHELP;
    if (dlg.DoModal() == IDOK)
        dlg.WriteOptions();
}

