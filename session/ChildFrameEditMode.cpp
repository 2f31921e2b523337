// The query window's Edit-Mode tab run: its rows in an editable grid tab.
#include "session/ChildFrame.h"
#include "session/VelQryEditModeView.h"
#include "session/VelQryViews.h"

void CChildFrame::OpenEditMode(const CString& strText)
{
    if (m_bExecuting || m_pResultView == nullptr)
        return;
    CString text(strText);
    if (text.Trim().IsEmpty())
        return;
    ResetResults();
    m_pResultView->m_nResultTabs = 1;  // removed with the other result tabs by the next Execute
    OnDeleteResultGrids(0, 0);
    const int nTab = m_pResultView->AddView(RUNTIME_CLASS(CVelQryEditModeView), "EditGrid");
    if (nTab < 0)
        return;
    ++m_pResultView->m_nResultTabs;
    auto* pView = dynamic_cast<CVelQryEditModeView*>(m_pResultView->GetTabControl().GetTabWnd(nTab));
    if (pView == nullptr)
        return;
    pView->OnInitialUpdate();
    pView->OpenForEdit(strText);
}

CVelQryEditModeView* CChildFrame::GetEditModeGrid()
{
    if (m_pResultView == nullptr)
        return nullptr;
    CKtvPTabWnd& tabs = m_pResultView->GetTabControl();
    for (int i = 0; i < tabs.GetTabsNum(); ++i)
        if (auto* pView = dynamic_cast<CVelQryEditModeView*>(tabs.GetTabWnd(i)))
            return pView;
    return nullptr;
}
