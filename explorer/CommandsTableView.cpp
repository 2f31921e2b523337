// The Table and View popups of the object tree: returning rows into a new
// query window, scripting a view into one, the table designer, and the
// drop, rename, check, rebuild, options and properties commands.
#include "app/MainFrame.h"
#include "app/TarnwickApp.h"
#include "explorer/CommandsCommon.h"
#include "explorer/ObjectDialogs.h"
#include "platform/mfc/CWinApp.h"
#include "sqleditor/SqlNames.h"
#include "tabledesign/TableDesignWindow.h"

namespace {

CString TableViewAllRows(const CObjectCommandNode& node)
{
    return node.UseLine() + "Select * From " + node.SqlName() + ";";
}

CString TableViewTopRows(const CObjectCommandNode& node, UINT nRows)
{
    CString rows;
    rows.Format("%u", nRows);
    return node.UseLine() + "Select top " + rows + " * From " + node.SqlName() + ";";
}

CString TableViewRenameStatement(const CObjectCommandNode& node, const CString& strNewName)
{
    // The new name is a plain literal: brackets would become part of it.
    return "EXEC sp_rename " + SqlQuoteLiteral(node.SqlName()) + "," + SqlQuoteLiteral(strNewName) + ",'OBJECT'";
}

CString TableViewOptionBatch(const CObjectCommandNode& node, const CTableOptionDlg& dlg)
{
    const CString head = "sp_tableoption " + SqlQuoteLiteral(node.SqlName()) + ",";
    const auto onOff = [](BOOL b) { return CString(b == 1 ? "'on';" : "'off';"); };
    CString textInRow = "off';";
    if (dlg.m_bTextInRow == 1)
        textInRow.Format("%d';", static_cast<int>(dlg.m_nTextInRow));
    return head + "'pintable'," + onOff(dlg.m_bPinTable) + head + "'table lock on bulk load'," +
           onOff(dlg.m_bTableLockOnBulkLoad) + head + "'text in row','" + textInRow;
}

// Asks for a row count; FALSE when the dialog was not closed with OK.
BOOL TableViewAskRows(UINT& nRows)
{
    CReturnRowsDlg dlg;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    nRows = dlg.m_nRows;
    return TRUE;
}

// Asks for a new name; FALSE when the dialog was not closed with OK.
BOOL TableViewAskName(CString& strName)
{
    CRenameObjectDlg dlg;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strName = dlg.m_strResult;
    return TRUE;
}

}  // namespace

// --- returning rows -------------------------------------------------------------------------

void CMainFrame::OnTableReturnAllRows()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = ReadObjectCommandNode(GetObjectTree());
        if (node.bValid)
            HandOffToQueryWindow(TableViewAllRows(node), node.strDatabase, TRUE, TRUE);
    });
}

void CMainFrame::OnTableReturnTop()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = ReadObjectCommandNode(GetObjectTree());
        UINT nRows = 0;
        if (node.bValid && TableViewAskRows(nRows))
            HandOffToQueryWindow(TableViewTopRows(node, nRows), node.strDatabase, TRUE, TRUE);
    });
}

void CMainFrame::OnViewReturnAllRows() { OnTableReturnAllRows(); }

void CMainFrame::OnViewReturnTop() { OnTableReturnTop(); }

// --- tables ---------------------------------------------------------------------------------

void CMainFrame::OnTableDesign()
{
    const CObjectCommandNode node = ReadObjectCommandNode(GetObjectTree());
    auto* pApp = dynamic_cast<CTarnwickApp*>(AfxGetApp());
    if (!node.bValid || pApp == nullptr || pApp->m_pTableTemplate == nullptr)
        return;
    CWaitCursor wait;
    tw::tabledesign::OpenDesigner(pApp->m_pTableTemplate, node.strDatabase, node.strObject);
}

namespace {

// Looks the node's table up into the frame's members.
CObjectCommandNode TableViewLookUpTable(CMainFrame& frame)
{
    const CObjectCommandNode node = ReadObjectCommandNode(frame.GetObjectTree());
    if (!node.bValid)
        _com_issue_error(E_INVALIDARG);
    frame.m_Table = frame.LookUpNodeDatabase(node.strDatabase)->GetTables()->Item(node.ItemName(), node.ItemOwner());
    if (frame.m_Table == nullptr)
        _com_issue_error(E_POINTER);
    return node;
}

CObjectCommandNode TableViewLookUpView(CMainFrame& frame)
{
    const CObjectCommandNode node = ReadObjectCommandNode(frame.GetObjectTree());
    if (!node.bValid)
        _com_issue_error(E_INVALIDARG);
    frame.m_View = frame.LookUpNodeDatabase(node.strDatabase)->GetViews()->Item(node.ItemName(), node.ItemOwner());
    if (frame.m_View == nullptr)
        _com_issue_error(E_POINTER);
    return node;
}

void TableViewRun(CMainFrame& frame, const CString& strStatement)
{
    frame.m_Database->ExecuteImmediate(_bstr_t(static_cast<LPCTSTR>(strStatement)), SQLDMO::SQLDMOExec_Default);
}

}  // namespace

void CMainFrame::OnTableDrop()
{
    RunObjectCommand([this] {
        TableViewLookUpTable(*this);
        m_Table->Remove();
        AfxMessageBox("Successed to remove this table!", MB_OK);
    });
}

void CMainFrame::OnTableCheck()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = TableViewLookUpTable(*this);
        TableViewRun(*this, "DBCC CHECKTABLE (" + SqlQuoteLiteral(node.SqlName()) + ")");
        AfxMessageBox("Successed to check this table!", MB_OK);
    });
}

void CMainFrame::OnTableRename()
{
    RunObjectCommand([this] {
        CString name;
        if (!TableViewAskName(name))
            return;
        const CObjectCommandNode node = TableViewLookUpTable(*this);
        TableViewRun(*this, TableViewRenameStatement(node, name));
        AfxMessageBox("Successed to rename this table!", MB_OK);
    });
}

void CMainFrame::OnTableOption()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = TableViewLookUpTable(*this);
        CTableOptionDlg dlg;
        if (dlg.DoModal() != IDOK)
            return;
        TableViewRun(*this, TableViewOptionBatch(node, dlg));
        AfxMessageBox("Successed to alter related option of this table!", MB_OK);
    });
}

// --- views ----------------------------------------------------------------------------------

void CMainFrame::OnViewDesign()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = TableViewLookUpView(*this);
        const _bstr_t script = m_View->Script(SQLDMO::SQLDMOScript_Default, vtMissing, SQLDMO::SQLDMOScript_Default);
        const char* text = static_cast<const char*>(script);
        HandOffToQueryWindow(text != nullptr ? text : "", node.strDatabase, FALSE, FALSE);
    });
}

void CMainFrame::OnViewDrop()
{
    RunObjectCommand([this] {
        TableViewLookUpView(*this);
        m_View->Remove();
        AfxMessageBox("Successed to remove this View!", MB_OK);
    });
}

void CMainFrame::OnViewRebuild()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = TableViewLookUpView(*this);
        TableViewRun(*this, "EXEC sp_refreshview " + node.OwnedArgument());
        AfxMessageBox("Successed to rebuild this view!", MB_OK);
    });
}

void CMainFrame::OnViewRename()
{
    RunObjectCommand([this] {
        CString name;
        if (!TableViewAskName(name))
            return;
        const CObjectCommandNode node = TableViewLookUpView(*this);
        TableViewRun(*this, TableViewRenameStatement(node, name));
        AfxMessageBox("Successed to rename this view!", MB_OK);
    });
}

void CMainFrame::OnViewProperties()
{
    RunObjectCommand([this] {
        const CObjectCommandNode node = TableViewLookUpView(*this);
        CObjectPropertiesDlg dlg;
        dlg.m_bAnsiNulls = m_View->GetAnsiNullsStatus();
        dlg.m_bQuotedIdentifier = m_View->GetQuotedIdentifierStatus();
        dlg.m_bSystemObject = m_View->GetSystemObject();
        dlg.m_bstrCreateDate = m_View->GetCreateDate();
        dlg.m_bstrOwner = m_View->GetOwner();
        dlg.m_nID = static_cast<UINT>(m_View->GetID());
        dlg.m_nProcType = CObjectPropertiesDlg::kNoProcType;
        dlg.m_strTitle = node.strObject + " Information";
        dlg.DoModal();
    });
}
