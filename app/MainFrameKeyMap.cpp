// Help/Keyboard Map: every command with its keys, printable.
#include "app/MainFrame.h"
#include "ui/commandbars/KtvPKeyMapDlg.h"

void CMainFrame::OnHelpKeyboardMap()
{
    CKtvPKeyMapDlg dlg(this, TRUE);
    dlg.DoModal();
}
