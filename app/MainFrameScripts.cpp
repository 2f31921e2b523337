// The main frame's snippet and script-file commands.
#include "app/MainFrame.h"
#include "scripts/SnippetsSetupDlg.h"

void CMainFrame::OnToolsSnippetSetup()
{
    CSnippetsSetupDlg dlg(this);
    dlg.DoModal();
    // Closed either way, the pane shows the pages and items as they now are.
    ReloadSnippetsBar();
}
