// Saving the columns page: the statements that take the server's table to
// the column set, shown on the SQL text page, confirmed and run in one
// transaction.
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "platform/com/ComError.h"
#include "platform/mfc/CWinApp.h"
#include "sqleditor/SqlNames.h"
#include "tabledesign/TableDesignColumn.h"
#include "tabledesign/TableDesignPages.h"
#include "tabledesign/TableDesignWindow.h"

namespace {

CString TdChangeText(const _variant_t& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY)
        return CString();
    return CString(static_cast<const char*>(_bstr_t(value)));
}

// The column's type as ALTER TABLE writes it, with the blank that follows,
// then its nullability and the statement's end.
CString TdTypeClause(ADODB::_RecordsetPtr set, const char* prefix)
{
    auto field = [&](const char* name) { return TdChangeText(set->GetCollect((CString(prefix) + name).GetString())); };
    const CString type = field("DataType");
    CString text = type;
    if (type == "char" || type == "nchar" || type == "varchar" || type == "nvarchar" || type == "binary" ||
        type == "varbinary")
        text += "(" + field("Length") + ") ";
    else if (type == "float")
        text += "(53) ";
    else if (type == "decimal" || type == "numeric") {
        text += "(" + field("Precision");
        if (field("Scale") != "0" && !field("Scale").IsEmpty())
            text += "," + field("Scale");
        text += ") ";
    } else
        text += " ";
    text += (long)_variant_t(set->GetCollect((CString(prefix) + "IsNull").GetString())) == -1 ? "not null;" : "null;";
    return text;
}

bool TdShapeChanged(ADODB::_RecordsetPtr set)
{
    for (const char* name : {"DataType", "Length", "IsNull", "Precision", "Scale"})
        if (TdChangeText(set->GetCollect(name)) != TdChangeText(set->GetCollect((CString("New") + name).GetString())))
            return true;
    return false;
}

}  // namespace

CString CTableDesignColumn::BuildChangeScript()
{
    if (m_pMainFrame == nullptr || m_pMainFrame->m_Table == nullptr || m_pColumnSet == nullptr ||
        m_pColumnSet->GetState() == ADODB::adStateClosed)
        return CString();
    const CString tableName = static_cast<const char*>(m_pMainFrame->m_Table->GetName());
    const CString table =
        SqlQuoteName(static_cast<const char*>(m_pMainFrame->m_Table->GetOwner())) + "." + SqlQuoteName(tableName);
    std::vector<CString> lines;
    // Drops first, so that a new column may take a dropped one's name.
    POSITION pos = m_DeletedColumns.GetHeadPosition();
    if (pos != nullptr)
        m_DeletedColumns.GetNext(pos);
    while (pos != nullptr)
        lines.push_back("Alter table " + table + " drop column " + SqlQuoteName(m_DeletedColumns.GetNext(pos)) + ";");
    ADODB::_RecordsetPtr set = m_pColumnSet;
    std::vector<CString> adds;
    if (set->GetRecordCount() > 0) {
        for (set->MoveFirst(); !set->GetadoEOF(); set->MoveNext()) {
            const CString server = TdChangeText(set->GetCollect("ColumnName"));
            const CString edited = TdChangeText(set->GetCollect(17L));
            if (edited.IsEmpty())
                continue;
            if (server.IsEmpty()) {
                adds.push_back("Alter table " + table + " add " + SqlQuoteName(edited) + " " +
                               TdTypeClause(set, "New"));
                continue;
            }
            if (edited != server)
                lines.push_back("EXEC sp_rename " + SqlQuoteLiteral(SqlQuoteName(tableName) + "." + SqlQuoteName(server)) +
                                ", " + SqlQuoteLiteral(edited) + ", 'COLUMN';");
            if (TdShapeChanged(set))
                lines.push_back("Alter table " + table + " alter column " + SqlQuoteName(edited) + " " +
                                TdTypeClause(set, "New"));
        }
    }
    lines.insert(lines.end(), adds.begin(), adds.end());
    CString script;
    for (const CString& line : lines)
        script += line + "\r\n";
    return script;
}

void CTableDesignColumn::SaveChanges()
{
    CString script;
    try {
        script = BuildChangeScript();
    } catch (const _com_error& error) {
        TdReportComError(error);
        return;
    }
    if (script.IsEmpty()) {
        AfxMessageBox("No change to save.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CTableView* pView = GetTableView();
    if (pView != nullptr)
        if (auto* pText = dynamic_cast<CTableDesignSQLText*>(pView->GetTabControl().GetTabWnd(pView->m_nSQLTextTab)))
            pText->ShowChanges(script);
    const CString table = pView != nullptr ? pView->m_strTable : CString();
    if (AfxMessageBox("Apply these changes to " + table + "?", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    SQLDMO::_DatabasePtr database = m_pMainFrame->m_Database;
    try {
        database->ExecuteImmediate("BEGIN TRANSACTION");
        int start = 0;
        for (int end = script.Find("\r\n"); end >= 0; start = end + 2, end = script.Find("\r\n", start))
            database->ExecuteImmediate((LPCTSTR)script.Mid(start, end - start));
        database->ExecuteImmediate("COMMIT TRANSACTION");
    } catch (const _com_error& error) {
        // Nothing of the batch stays; the designer keeps every edit for another try.
        try {
            database->ExecuteImmediate("IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION");
        } catch (const _com_error&) {
        }
        TdReportComError(error);
        return;
    }
    // The table as the server now has it.
    try {
        m_pMainFrame->m_Table = m_pMainFrame->m_Database->GetTables()->Item((LPCTSTR)table);
    } catch (const _com_error& error) {
        TdReportComError(error);
        return;
    }
    LoadColumnSet(TRUE);
    while (m_AddedColumns.GetCount() > 1)
        m_AddedColumns.RemoveTail();
    while (m_DeletedColumns.GetCount() > 1)
        m_DeletedColumns.RemoveTail();
    if (auto* pGrid = dynamic_cast<CTableDesignColGridView*>(m_pListView))
        pGrid->ReloadColumns();
    if (pView != nullptr)
        if (auto* pText = dynamic_cast<CTableDesignSQLText*>(pView->GetTabControl().GetTabWnd(pView->m_nSQLTextTab)))
            pText->ShowChanges(CString());
}
