// The connection profiles: one file, "./data/ProData.dat", a recordset kept in
// the XML rowset layout with ten fields. Every reader and writer of profiles
// goes through here, so the file is made when missing, a damaged one is put
// aside instead of lost, and every write replaces it whole, private to its
// owner (it may hold passwords).
#pragma once

#include <functional>

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CString.h"

constexpr const char* kProfileFile = "./data/ProData.dat";
constexpr const char* kProfileFileAside = "./data/ProData.dat.bad";

// The ten fields, in the order writers list them.
constexpr const char* kProfileFields[] = {"m_NickName", "m_ServerName", "m_DatabaseName", "m_UserName",
                                          "m_PasswordName", "m_Identified", "m_Default", "m_AutoConn",
                                          "m_SavePwd", "m_Lock"};

// One profile as its row holds it.
struct CProfileRow {
    CString m_NickName;
    CString m_ServerName;
    CString m_DatabaseName;
    CString m_UserName;
    CString m_PasswordName;
    BOOL m_Identified = FALSE;
    BOOL m_Default = FALSE;
    BOOL m_AutoConn = FALSE;
    BOOL m_SavePwd = FALSE;
    BOOL m_Lock = FALSE;
};

class CProfileFile {
public:
    // Opens the file into `rs` (made here when null) for walking and
    // changing. A missing file is made first with the one "Embedded" row; a
    // file that is not a profile rowset is told to the user, kept as
    // "ProData.dat.bad" and made again the same way. Raises _com_error when
    // the file can be neither read nor made.
    static void Open(ADODB::_RecordsetPtr& rs);
    // Writes the recordset over the file (whole, mode 0600); raises _com_error.
    static void Save(const ADODB::_RecordsetPtr& rs);
    // Closes the recordset when it is open; never raises.
    static void Close(const ADODB::_RecordsetPtr& rs);

    // Visits the rows from the first, in file order, until `visit` answers
    // TRUE; the recordset then stands on that row. FALSE when none did.
    static BOOL Find(const ADODB::_RecordsetPtr& rs, const std::function<BOOL(const CProfileRow&)>& visit);

    // A text field of the current row; "" for a null.
    static CString Text(const ADODB::_RecordsetPtr& rs, LPCTSTR lpszField);
    // A switch of the current row: TRUE only for the boolean true.
    static BOOL Flag(const ADODB::_RecordsetPtr& rs, LPCTSTR lpszField);
    static CProfileRow Read(const ADODB::_RecordsetPtr& rs);
    // Overwrites the current row's ten fields and stores the change.
    static void Write(const ADODB::_RecordsetPtr& rs, const CProfileRow& row);
    static void Append(const ADODB::_RecordsetPtr& rs, const CProfileRow& row);

    // The row a fresh profile file holds.
    static CProfileRow EmbeddedProfile();
    // The message of a COM error, for the user.
    static CString ErrorText(const _com_error& error);
};
