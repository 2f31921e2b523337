// The main frame's completion lists, read from the server's catalogue, and
// the copy of a server-management result into a recordset of text fields.
#include "app/MainFrame.h"

#include "sqleditor/CustomerEditCtrlServer.h"

namespace {

// Reserved words offered as completion names, each with the full stop every
// entry of the object list carries. Some are listed twice; the editors' maps
// keep one of each.
constexpr const char* kCompletionReservedWords[] = {
    "except.", "backup.", "percent.", "execute.", "primary.", "foreign.", "freetext.", "readtext.", "raiserror.",
    "procedure.", "precision.", "openquery.", "writetext.", "fillfactor.", "updatetext.", "openrowset.",
    "references.", "replication.", "reconfigure.", "freetexttable.", "authorization.", "having.", "restore.",
    "cascade.", "holdlock.", "restrict.", "identity.", "rowcount.", "clustered.", "checkpoint.", "rowguidcol.",
    "constraint.", "identitycol.", "containstable.", "identity_insert.", "collate.", "rollback.", "commit.",
    "schema.", "compute.", "contains.", "intersect.", "noreset.", "setuser.", "continue.", "shutdown.", "current.",
    "textsize.", "national.", "nocheck.", "statistics.", "nonclustered.", "distributed.", "transaction.",
    "deallocate.", "distinct.", "truncate.", "declare.", "tsequal.", "default.", "varying.", "openxml.", "waitfor.",
    "escape.", "primary.", "execute.", "partial.", "extract.", "preserve.", "external.", "absolute.", "overlaps.",
    "allocate.", "precision.",
};

constexpr const char* kAdditionalDatabase = "tarnwickadditionaldb";

void ReplaceStringList(CStringList& target, CStringList& source)
{
    target.RemoveAll();
    target.AddTail(&source);
}

} // namespace

int CMainFrame::BuildCompletionLists(LPCTSTR lpszDatabase)
{
    if (lpszDatabase == nullptr || !m_SQLServer)
        return 0;
    CStringList users;
    CStringList databases;
    CStringList groups;
    CStringList objects;
    try {
        m_QueryResults = m_SQLServer->ExecuteWithResults("use master;select name from sysusers where status > 0");
        for (long row = 1; row <= m_QueryResults->GetRows(); ++row)
            users.AddTail(CString(static_cast<const char*>(m_QueryResults->GetColumnString(row, 1))));

        m_QueryResults = m_SQLServer->ExecuteWithResults(static_cast<LPCTSTR>(tw::sqleditor::CompletionObjectsStatement(lpszDatabase)));
        // A recordset of its own each time: a closed one keeps the fields it
        // was given, and the next copy appends its own.
        if (FAILED(m_pRecordset.CreateInstance("ADODB.Recordset")))
            return 0;
        if (!QueryResultsToRecordset(m_QueryResults, m_pRecordset))
            return 0;
        if (m_pRecordset->GetRecordCount() > 0) {
            m_pRecordset->MoveFirst();
            for (long handled = 0; handled < m_pRecordset->GetRecordCount(); ++handled) {
                const tw::sqleditor::CompletionObjectType* pType = tw::sqleditor::CompletionTypeOf(
                    tw::sqleditor::CompletionTypeText(tw::sqleditor::RecordsetFieldText(m_pRecordset, "type")));
                CString strName = tw::sqleditor::RecordsetFieldText(m_pRecordset, "name") + ".";
                strName.MakeLower();
                if (pType != nullptr) {
                    databases.AddTail(lpszDatabase);
                    objects.AddTail(strName);
                    groups.AddTail(pType->group);
                }
                m_pRecordset->MoveNext();
            }
        }
        m_pRecordset->Close();
    } catch (const _com_error&) {
        return 0;
    } catch (CException* pError) {
        pError->Delete();
        return 0;
    }
    for (const char* word : kCompletionReservedWords) {
        databases.AddTail(kAdditionalDatabase);
        groups.AddTail("Additional");
        objects.AddTail(word);
    }
    ReplaceStringList(m_DBUserList, users);
    ReplaceStringList(m_DBList, databases);
    ReplaceStringList(m_TypeList, groups);
    ReplaceStringList(m_ObjectList, objects);
    return 1;
}
