// What the editor's completion, member lists and parameter tips share when
// they look at the main frame and its server: the current database, the
// T-SQL text of a typed name, and the time limit of reads made while a key
// is being handled.
#pragma once

#include "app/MainFrame.h"
#include "sqleditor/CustomerEditCtrl.h"
#include "platform/mfc/CString.h"

namespace tw::sqleditor {

// The objects of a database the completion lists offer, by sysobjects type:
// the list's group name and the completion code. Other types (foreign keys,
// logs) have no row.
struct CompletionObjectType {
    const char* type;
    const char* group;
    int code;
};
// The row of a type (upper case, trimmed), or null.
const CompletionObjectType* CompletionTypeOf(const CString& strType);
// The type column of a sysobjects row as the lists compare it: upper case,
// blanks trimmed on both sides and tabs on the right.
CString CompletionTypeText(CString strType);
// The statement that reads a database's objects for the completion lists.
CString CompletionObjectsStatement(LPCTSTR lpszDatabase);
// A field of the current record as text; "" for NULL.
CString RecordsetFieldText(ADODB::_Recordset* pRecordset, LPCTSTR lpszField);
// The code a known name has: its own, or for a qualified name without one,
// its last part's (tables, views and routines are known by their own name).
int KnownObjectCode(CCustomerEditCtrl& edit, const CString& strLowerName);

// Reads the server makes inside a keystroke give up after this many seconds.
constexpr long kKeystrokeQueryTimeout = 2;

// The text of the main frame's current-database box, "" without one.
CString CurrentDatabaseName();

// A dotted name as typed (parts joined by "."), written for T-SQL: each part
// bracketed only when it needs it.
CString SqlDottedName(const CString& strDotted);

// The last part of a dotted name ("orders" of "dbo.orders").
CString LastNamePart(const CString& strDotted);

// Puts the keystroke limit on the frame's server for one read and the
// earlier limit back afterwards.
class KeystrokeQueryScope {
public:
    explicit KeystrokeQueryScope(CMainFrame* pFrame);
    ~KeystrokeQueryScope();
    KeystrokeQueryScope(const KeystrokeQueryScope&) = delete;
    KeystrokeQueryScope& operator=(const KeystrokeQueryScope&) = delete;

private:
    SQLDMO::_SQLServerPtr m_server;
    long m_nOldTimeout = -1;
};

} // namespace tw::sqleditor
