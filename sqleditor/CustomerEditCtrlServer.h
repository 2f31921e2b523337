// What the editor's completion, member lists and parameter tips share when
// they look at the main frame and its server: the current database, the
// T-SQL text of a typed name, and the time limit of reads made while a key
// is being handled.
#pragma once

#include "app/MainFrame.h"
#include "platform/mfc/CString.h"

namespace tw::sqleditor {

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
