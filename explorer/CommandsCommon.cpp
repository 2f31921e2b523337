// What the object tree's commands share: finding the query window a text
// goes to, opening a new one like it and filling it, and looking the node's
// database up through the server-management object.
#include "app/MainFrame.h"
#include "explorer/CommandsCommon.h"
#include "explorer/ExplorerErrors.h"
#include "platform/mfc/CWinApp.h"
#include "session/ChildFrame.h"
#include "session/VelQryViews.h"
#include "sqleditor/SqlNames.h"

namespace {

// The server a query window is connected to: the data source it reported,
// else the one its connection string names.
CString CommandsWindowServer(const CChildFrame& window)
{
    if (!window.m_strDataSource.IsEmpty() && window.m_strDataSource != "<Unknown>")
        return window.m_strDataSource;
    CString text = window.m_strConnectString;
    CString lower = text;
    lower.MakeLower();
    const int nAt = lower.Find("data source=");
    if (nAt < 0)
        return CString();
    CString server = text.Mid(nAt + 12);
    if (const int nEnd = server.Find(';'); nEnd >= 0)
        server = server.Left(nEnd);
    return server.Trim();
}

BOOL CommandsOnServer(const CChildFrame* pWindow, const CString& strServer)
{
    return pWindow != nullptr && !strServer.IsEmpty() && CommandsWindowServer(*pWindow).CompareNoCase(strServer) == 0;
}

}  // namespace

CObjectCommandNode ReadObjectCommandNode(const CTreeCtrl& tree)
{
    CObjectCommandNode node;
    HTREEITEM hObject = tree.GetSelectedItem();
    HTREEITEM hFolder = hObject != nullptr ? tree.GetParentItem(hObject) : nullptr;
    HTREEITEM hDatabase = hFolder != nullptr ? tree.GetParentItem(hFolder) : nullptr;
    if (hDatabase == nullptr)
        return node;
    node.bValid = TRUE;
    node.strDatabase = tree.GetItemText(hDatabase);
    node.strFolder = tree.GetItemText(hFolder);
    node.strObject = tree.GetItemText(hObject);
    node.strOwner = ObjectTreeOwner(node.strObject);
    node.strName = ObjectTreeBareName(node.strObject);
    return node;
}

CString CObjectCommandNode::SqlName() const
{
    if (strOwner.IsEmpty())
        return SqlQuoteName(strName);
    return SqlQuoteName(strOwner) + "." + SqlQuoteName(strName);
}

CString CObjectCommandNode::UseLine() const { return "use " + SqlQuoteName(strDatabase) + ";\r\n"; }

CString CObjectCommandNode::OwnedArgument() const
{
    if (strOwner.IsEmpty() || strOwner.CompareNoCase("dbo") == 0)
        return SqlProcArgument(SqlQuoteName(strName));
    return SqlQuoteLiteral(SqlName());
}

void RunObjectCommand(const std::function<void()>& body)
{
    try {
        body();
    } catch (const _com_error& error) {
        ShowExplorerComError(error);
    } catch (...) {
        ShowExplorerFailure();
    }
}

CChildFrame* CMainFrame::FindObjectCommandSource()
{
    if (m_SQLServer == nullptr)
        return nullptr;
    const CString server = static_cast<LPCTSTR>(m_SQLServer->GetName());
    auto* pActive = dynamic_cast<CChildFrame*>(MDIGetActive());
    if (CommandsOnServer(pActive, server))
        return pActive;
    // The MDI client keeps its children in activation order, the latest first.
    for (HWND hChild = ::GetWindow(m_hWndMDIClient, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        auto* pWindow = dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(hChild));
        if (CommandsOnServer(pWindow, server))
            return pWindow;
    }
    return nullptr;
}

CChildFrame* CMainFrame::HandOffToQueryWindow(const CString& strText, const CString& strDatabase, BOOL bEditMode,
                                              BOOL bRun)
{
    CChildFrame* pSource = FindObjectCommandSource();
    if (pSource == nullptr) {
        AfxMessageBox("Connect to your database,please!", MB_OK);
        return nullptr;
    }
    const CString connect = pSource->m_strConnectString;
    CDocument* pDoc = NewQueryWindow(connect, nullptr, strDatabase);
    if (pDoc == nullptr)
        return nullptr;  // it has said why
    CChildFrame* pWindow = nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != nullptr && pWindow == nullptr) {
        if (CView* pView = pDoc->GetNextView(pos))
            pWindow = dynamic_cast<CChildFrame*>(pView->GetParentFrame());
    }
    if (pWindow == nullptr || pWindow->m_pQueryView == nullptr)
        return pWindow;
    CVelQryView* pTabs = pWindow->m_pQueryView;
    pTabs->SetActiveView(bEditMode ? pTabs->m_nEditModeTab : pTabs->m_nBatchTab);
    auto* pEditor = dynamic_cast<CKtvPEditView*>(pTabs->GetActiveView());
    if (pEditor == nullptr || pEditor->GetEditCtrl() == nullptr)
        return pWindow;
    pEditor->GetEditCtrl()->InsertText(strText, -1, TRUE, FALSE, TRUE, FALSE, TRUE);
    if (bRun)
        pWindow->OnQueryExecute();
    return pWindow;
}

SQLDMO::_DatabasePtr CMainFrame::LookUpNodeDatabase(const CString& strDatabase)
{
    m_Database = nullptr;
    if (m_SQLServer == nullptr)
        _com_issue_error(E_POINTER);
    m_Database = m_SQLServer->GetDatabases()->Item(_variant_t(static_cast<LPCTSTR>(strDatabase)));
    if (m_Database == nullptr)
        _com_issue_error(E_POINTER);
    return m_Database;
}

_variant_t CObjectCommandNode::ItemName() const
{
    return _variant_t(static_cast<LPCTSTR>(strOwner.IsEmpty() ? strName : SqlQuoteName(strName, TRUE)));
}

_variant_t CObjectCommandNode::ItemOwner() const
{
    if (strOwner.IsEmpty())
        return vtMissing;
    return _variant_t(static_cast<LPCTSTR>(strOwner));
}
