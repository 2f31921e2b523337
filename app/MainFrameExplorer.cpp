// The object tree's two upper levels (the server and its databases with
// their folders) and the commands that put parts of the tree back unfilled.
#include "app/MainFrame.h"
#include "explorer/ExplorerErrors.h"
#include "explorer/ObjectTreeNodes.h"
#include "ui/frames/KtvPWorkspace.h"

namespace {

CString ExplorerRecordText(ADODB::_Recordset* pRecordset, LPCTSTR lpszField)
{
    const _variant_t value = pRecordset->GetCollect(lpszField);
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return static_cast<LPCTSTR>(_bstr_t(value));
}

BOOL ExplorerIsSystemDatabase(const CString& name)
{
    return name == "master" || name == "model" || name == "msdb" || name == "tempdb";
}

// The folders of a database, each unfilled.
void ExplorerInsertDatabaseFolders(CTreeCtrl& tree, HTREEITEM hDatabase, const CString& name, BOOL bSystemTables)
{
    CString upper = name;
    upper.MakeUpper();
    InsertObjectTreeFolder(tree, hDatabase, "User Table", OBJTREE_IMG_SERVER);
    if (bSystemTables)
        InsertObjectTreeFolder(tree, hDatabase, "System Table", OBJTREE_IMG_SERVER);
    InsertObjectTreeFolder(tree, hDatabase, "View", OBJTREE_IMG_SERVER);
    InsertObjectTreeFolder(tree, hDatabase, "Procedure", OBJTREE_IMG_SERVER);
    if (upper == "MASTER")
        InsertObjectTreeFolder(tree, hDatabase, "Extend Procedure", OBJTREE_IMG_SERVER);
    InsertObjectTreeFolder(tree, hDatabase, "Function", OBJTREE_IMG_SERVER);
}

// Puts the sub-folders back under the selected node, each unfilled.
void ExplorerPutBackSubFolders(CTreeCtrl& tree, std::initializer_list<const char*> subFolders)
{
    HTREEITEM hItem = tree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    DeleteObjectTreeChildren(tree, hItem);
    for (const char* sub : subFolders)
        InsertObjectTreeFolder(tree, hItem, sub, OBJTREE_IMG_FOLDER);
}

}  // namespace

void CMainFrame::FillDatabaseTree()
{
    CObjectBrowseTreeCtrl& tree = GetObjectTree();
    int nHideSysObj = 0;
    if (auto* pWorkspace = dynamic_cast<CKtvPWorkspace*>(AfxGetApp()))
        nHideSysObj = pWorkspace->GetSectionInt("HideSysObj", "EnvironmentGeneral", 0);
    if (m_ObjectTreeImages.GetSafeHandle() == nullptr)
        m_ObjectTreeImages.Create(IDB_OBJTREE_IMAGES, 16, 1, RGB(255, 255, 255));
    if (tree.GetSafeHwnd() == nullptr)
        return;
    tree.SetImageList(&m_ObjectTreeImages, TVSIL_NORMAL);
    if (tree.GetCount() > 0)
        tree.DeleteAllItems();
    if (m_SQLServer == nullptr)
        _com_issue_error(E_POINTER);
    const CString strServer = static_cast<LPCTSTR>(m_SQLServer->GetName());
    HTREEITEM hRoot = tree.InsertItem(strServer, OBJTREE_IMG_SERVER, OBJTREE_IMG_SERVER, TVI_ROOT, TVI_LAST);

    m_QueryResults = m_SQLServer->ExecuteWithResults(
        "use master;select Name,DATABASEPROPERTYEX(name,'Status') as Status from sysdatabases");
    m_pRecordset = nullptr;
    if (FAILED(m_pRecordset.CreateInstance("ADODB.Recordset")))
        _com_issue_error(E_POINTER);
    QueryResultsToRecordset(m_QueryResults, m_pRecordset);
    ADODB::_Recordset* pRecordset = m_pRecordset;
    const long nRows = pRecordset->GetRecordCount();
    if (nRows > 0) {
        m_DatabaseList.RemoveAll();
        m_DatabaseList.AddTail("master");
        tree.SetRedraw(FALSE);
        pRecordset->MoveFirst();
        for (long nRow = 0; nRow < pRecordset->GetRecordCount(); ++nRow) {
            const CString name = ExplorerRecordText(pRecordset, "Name");
            const CString status = ExplorerRecordText(pRecordset, "Status");
            if (status != "ONLINE") {
                tree.InsertItem(name + "(" + status + ")", OBJTREE_IMG_DATABASE, OBJTREE_IMG_DATABASE, hRoot,
                                TVI_LAST);
            } else {
                if (name != "master")
                    m_DatabaseList.AddTail(name);
                if (!(ExplorerIsSystemDatabase(name) && nHideSysObj != 0)) {
                    HTREEITEM hDatabase =
                        tree.InsertItem(name, OBJTREE_IMG_DATABASE, OBJTREE_IMG_DATABASE, hRoot, TVI_LAST);
                    ExplorerInsertDatabaseFolders(tree, hDatabase, name, nHideSysObj == 0);
                }
            }
            pRecordset->MoveNext();
        }
        tree.Expand(hRoot, TVE_EXPAND);
        tree.SetRedraw(TRUE);
        tree.Invalidate();
    }
    pRecordset->Close();
}

void CMainFrame::OnRefresh()
{
    CObjectBrowseTreeCtrl& tree = GetObjectTree();
    HTREEITEM hItem = tree.GetSelectedItem();
    if (hItem == nullptr)
        return;
    if (hItem == tree.GetRootItem()) {
        try {
            if (tree.GetCount() > 0)
                tree.DeleteAllItems();
            FillDatabaseTree();
        } catch (const _com_error& error) {
            tree.SetRedraw(TRUE);
            ShowExplorerComError(error);
        } catch (...) {
            tree.SetRedraw(TRUE);
            ShowExplorerFailure();
        }
        return;
    }
    DeleteObjectTreeChildren(tree, hItem);
    tree.InsertItem(OBJTREE_DUMMY_ITEM, OBJTREE_IMG_FOLDER, OBJTREE_IMG_FOLDER, hItem, TVI_LAST);
    tree.OnExpandItem(hItem);
}

void CMainFrame::OnDatabaseRefresh()
{
    CObjectBrowseTreeCtrl& tree = GetObjectTree();
    HTREEITEM hItem = tree.GetSelectedItem();
    if (hItem == nullptr || tree.GetParentItem(hItem) == nullptr || tree.GetParentItem(hItem) != tree.GetRootItem())
        return;
    // A database that is not online has no folders: its node text is not a
    // database name the server would know.
    const CString name = tree.GetItemText(hItem);
    if (name.Find('(') >= 0 && name.Right(1) == ")" && tree.GetChildItem(hItem) == nullptr)
        return;
    DeleteObjectTreeChildren(tree, hItem);
    ExplorerInsertDatabaseFolders(tree, hItem, name, TRUE);
}

void CMainFrame::OnTableRefresh()
{
    ExplorerPutBackSubFolders(GetObjectTree(),
                              {"Columns", "Index", "Restriction", "Depend", "Trigger", "Foreign Key"});
}

void CMainFrame::OnViewRefresh() { ExplorerPutBackSubFolders(GetObjectTree(), {"Columns", "Index", "Depend"}); }

void CMainFrame::OnProcedureRefresh()
{
    CObjectBrowseTreeCtrl& tree = GetObjectTree();
    HTREEITEM hItem = tree.GetSelectedItem();
    HTREEITEM hParent = hItem != nullptr ? tree.GetParentItem(hItem) : nullptr;
    if (hParent != nullptr && tree.GetItemText(hParent) == "Procedure")
        ExplorerPutBackSubFolders(tree, {"Parameter", "Depend"});
    else
        ExplorerPutBackSubFolders(tree, {"DLL Name"});
}

void CMainFrame::OnFunctionRefresh() { ExplorerPutBackSubFolders(GetObjectTree(), {"Parameter", "Depend"}); }
