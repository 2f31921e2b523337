// Member lists: what may follow a qualifier the editor knows. Columns of a
// table or view and the objects of another database come from the server;
// owners and the current database's objects from the main frame's lists.
#include "sqleditor/CustomerEditCtrl.h"

#include "sqleditor/CustomerEditCtrlCatalogue.h"
#include "sqleditor/CustomerEditCtrlServer.h"
#include "sqleditor/SqlNames.h"

namespace {

CString MemberCodeText(int nCode)
{
    CString strCode;
    strCode.Format("%d", nCode);
    return strCode;
}

void AddListMembers(CCustomerEditCtrl& edit, const CStringList& names, const CString& strCode)
{
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
        edit.m_mapMemberList.SetAt(names.GetNext(pos), strCode);
}

void AddCatalogueMembers(CCustomerEditCtrl& edit, std::span<const tw::sqleditor::BuiltinNameGroup> groups)
{
    for (const tw::sqleditor::BuiltinNameGroup& group : groups) {
        const CString strCode = MemberCodeText(group.code);
        for (int i = 0; i < group.count; ++i) {
            CString strName(group.names[i]);
            strName.MakeLower();
            edit.m_mapMemberList.SetAt(strName, strCode);
        }
    }
}

// Runs a catalogue read for the member list, bounded like every read inside
// a keystroke, and keeps its answer as the frame's last result.
SQLDMO::_QueryResultsPtr RunMemberQuery(CMainFrame& frame, const CString& strSQL)
{
    tw::sqleditor::KeystrokeQueryScope scope(&frame);
    frame.m_QueryResults = frame.m_SQLServer->ExecuteWithResults(static_cast<LPCTSTR>(strSQL));
    return frame.m_QueryResults;
}

void AddColumns(CCustomerEditCtrl& edit, CMainFrame& frame, const CString& strName, const CString& strDatabase,
                int nCode)
{
    CString strSQL = "use " + SqlQuoteName(strDatabase) + "; ";
    strSQL += "Select name From syscolumns Where id = object_id(" +
              SqlQuoteLiteral(tw::sqleditor::SqlDottedName(strName)) + ");";
    SQLDMO::_QueryResultsPtr results = RunMemberQuery(frame, strSQL);
    const CString strCode = MemberCodeText(nCode);
    for (long row = 1; row <= results->GetRows(); ++row)
        edit.m_mapMemberList.SetAt(CString(static_cast<const char*>(results->GetColumnString(row, 1))), strCode);
}

void AddObjectsOfDatabase(CCustomerEditCtrl& edit, CMainFrame& frame, const CString& strDatabase)
{
    SQLDMO::_QueryResultsPtr results = RunMemberQuery(frame, tw::sqleditor::CompletionObjectsStatement(strDatabase));
    for (long row = 1; row <= results->GetRows(); ++row) {
        const tw::sqleditor::CompletionObjectType* pType = tw::sqleditor::CompletionTypeOf(
            tw::sqleditor::CompletionTypeText(static_cast<const char*>(results->GetColumnString(row, 3))));
        if (pType == nullptr)
            continue;
        CString strMember = CString(static_cast<const char*>(results->GetColumnString(row, 1))) + ".";
        strMember.MakeLower();
        edit.m_mapMemberList.SetAt(strMember, MemberCodeText(pType->code));
    }
}

} // namespace

int CCustomerEditCtrl::FillMemberList(CString strName)
{
    m_mapMemberList.RemoveAll();
    strName.MakeLower();
    if (!IsKnownObject(strName) || m_pMainFrame == nullptr)
        return 0;
    const int nCode = tw::sqleditor::KnownObjectCode(*this, strName);
    const CString strCurrent = tw::sqleditor::CurrentDatabaseName();
    CMainFrame& frame = *m_pMainFrame;
    try {
        switch (nCode) {
        case CompletionTable:
        case CompletionView:
            if (frame.m_SQLServer)
                AddColumns(*this, frame, strName, strCurrent, nCode);
            break;
        case CompletionDatabase: AddListMembers(*this, frame.m_DBUserList, MemberCodeText(nCode)); break;
        case CompletionDBUser: AddListMembers(*this, frame.m_ObjectList, MemberCodeText(nCode)); break;
        case CompletionDatabaseOther:
        case CompletionDatabaseUser: {
            const CString strRest = strName.Left(strName.GetLength() - 1);
            const int nDot = strRest.Find('.');
            CString strDatabase = nDot < 0 ? CString() : strRest.Left(nDot);
            strDatabase.MakeLower();
            CString strCurrentLower = strCurrent;
            strCurrentLower.MakeLower();
            if (strDatabase == strCurrentLower) {
                AddListMembers(*this, frame.m_ObjectList, MemberCodeText(nCode));
                break;
            }
            if (frame.m_SQLServer)
                AddObjectsOfDatabase(*this, frame, strDatabase);
            // The catalogue's names follow whatever rows the server had.
            AddCatalogueMembers(*this, tw::sqleditor::GeneralCatalogue());
            if (strDatabase == "msdb")
                AddCatalogueMembers(*this, tw::sqleditor::MsdbCatalogue());
            break;
        }
        default: break;
        }
    } catch (const _com_error&) {
        // Shown nowhere: what was gathered before the error stays offered.
    } catch (CException* pError) {
        pError->Delete();
    }
    return 0;
}
