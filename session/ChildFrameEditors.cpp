// The query window's editors follow its current database.
#include "app/MainFrame.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"
#include "sqleditor/CustomerCommandEditCtrl.h"

void CChildFrame::RefreshEditorNames()
{
    auto* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pMainFrame == nullptr || m_pQueryView == nullptr || m_strCurrentDatabase.IsEmpty())
        return;
    // The box shows a name with blanks in brackets; the lists want the name itself.
    CString database(m_strCurrentDatabase);
    if (database.GetLength() > 1 && database[0] == '[' && database[database.GetLength() - 1] == ']') {
        database = database.Mid(1, database.GetLength() - 2);
        database.Replace("]]", "]");
    }
    pMainFrame->BuildCompletionLists(database);
    if (CVelQryCommandView* pConsole = m_pQueryView->GetCommandView(); pConsole && pConsole->m_pConsole)
        pConsole->m_pConsole->RebuildNameMaps();
    for (CVelQryBactchView* pEditor : {m_pQueryView->GetBatchView(), m_pQueryView->GetEditModeView()})
        if (pEditor != nullptr && pEditor->GetSqlEdit() != nullptr)
            pEditor->GetSqlEdit()->RebuildNameMaps();
}
