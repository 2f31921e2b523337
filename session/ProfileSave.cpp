// After a connect through the logon road: the connection is kept as a
// profile (unless one for the same server, database and login exists), and
// the main window's server-management object logs in to the same server.
#include <strings.h>

#include <algorithm>
#include <cstdlib>

#include "app/MainFrame.h"
#include "platform/ado/ConnectionString.h"
#include "session/ChildFrame.h"
#include "session/ProfileFile.h"

namespace {

constexpr const char* kNumberedNickName = "My-Query-";

// The profile a connection string stands for; the password only when the
// user let it be saved. Values are read by the connection-string parser, so
// braced values (";" or "=" inside) come back whole.
CProfileRow ProfileOfConnection(const CString& strConnection, BOOL bSavePassword)
{
    CProfileRow row;
    const auto parsed = tw::ado::ConnectionString::Parse(static_cast<const char*>(strConnection));
    if (!parsed)
        _com_raise_error(E_INVALIDARG);
    row.m_Identified = strcasecmp(parsed->Get({"Trusted_Connection"}).c_str(), "yes") == 0;
    row.m_ServerName = parsed->Get({"Data Source"}).c_str();
    row.m_DatabaseName = parsed->Get({"Initial Catalog"}).c_str();
    if (!row.m_Identified) {
        row.m_UserName = parsed->Get({"User ID"}).c_str();
        if (bSavePassword == 1)
            row.m_PasswordName = parsed->Get({"Password"}).c_str();
    }
    row.m_SavePwd = bSavePassword;
    return row;
}

CString PasswordOfConnection(const CString& strConnection)
{
    const auto parsed = tw::ado::ConnectionString::Parse(static_cast<const char*>(strConnection));
    return parsed ? CString(parsed->Get({"Password"}).c_str()) : CString();
}

// The same connection whatever the password: authentication, server,
// database and login, without case.
BOOL SameConnection(const CProfileRow& a, const CProfileRow& b)
{
    return a.m_Identified == b.m_Identified && a.m_ServerName.CompareNoCase(b.m_ServerName) == 0 &&
           a.m_DatabaseName.CompareNoCase(b.m_DatabaseName) == 0 &&
           (a.m_Identified || a.m_UserName.CompareNoCase(b.m_UserName) == 0);
}

int NicknameNumber(const CString& nickname)
{
    const CString prefix(kNumberedNickName);
    if (nickname.Left(prefix.GetLength()) != prefix)
        return 0;
    return std::atoi(nickname.Mid(prefix.GetLength()));
}

}  // namespace

int CChildFrame::SaveConnectionProfile(LPCTSTR lpszConnectString)
{
    auto* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pMainFrame == nullptr)
        return 0;
    const CString strConnection = lpszConnectString != nullptr ? lpszConnectString : "";
    ADODB::_RecordsetPtr profiles;
    CString fileError;
    BOOL bExists = FALSE;
    try {
        CProfileRow row = ProfileOfConnection(strConnection, pMainFrame->m_bSavePassword);

        // A file that cannot be read or written costs the profile, not the
        // connection. One that cannot be read was told by the logon that
        // just read it; a failed write is told at the end.
        int nLargest = 0;
        try {
            CProfileFile::Open(profiles);
            bExists = CProfileFile::Find(profiles, [&](const CProfileRow& stored) {
                nLargest = std::max(nLargest, NicknameNumber(stored.m_NickName));
                return SameConnection(stored, row);
            });
        } catch (const _com_error&) {
            CProfileFile::Close(profiles);
            profiles = nullptr;
        }
        if (!pMainFrame->m_strProfileNickName.IsEmpty())
            row.m_NickName = pMainFrame->m_strProfileNickName;
        else
            row.m_NickName.Format("%s%d", kNumberedNickName, nLargest + 1);

        if (!pMainFrame->m_bReuseConnection) {
            SQLDMO::_SQLServerPtr& server = pMainFrame->m_SQLServer;
            if (server != nullptr && server->GetName().length() > 0)
                server->DisConnect();
            // The login uses the password typed, whether or not it is kept.
            LoginDmoServer(_bstr_t(row.m_ServerName), _bstr_t(row.m_Identified ? "" : row.m_UserName),
                           _bstr_t(row.m_Identified ? CString() : PasswordOfConnection(strConnection)),
                           row.m_Identified);
        }
        // The object tree shows the server just logged in to, then the
        // completion lists are built for it.
        pMainFrame->FillDatabaseTree();
        pMainFrame->AfterLogin();
        // The login's default database is where a window opened without a
        // catalogue of its own ends; a catalogue the user named is kept.
        if (row.m_DatabaseName.IsEmpty() && !pMainFrame->m_strLoginDefaultDatabase.IsEmpty())
            ReadConnectionProperties(pMainFrame->m_strLoginDefaultDatabase);
        BringWindowToTop();

        if (profiles != nullptr && !bExists) {
            try {
                CProfileFile::Append(profiles, row);
                CProfileFile::Save(profiles);
            } catch (const _com_error& error) {
                fileError = CProfileFile::ErrorText(error);
            }
        }
    } catch (const _com_error& error) {
        CProfileFile::Close(profiles);
        const CString source = static_cast<LPCTSTR>(error.Source());
        if (source.Find("ODBC SQLState: 42000") >= 0)
            return 2;
        const CString description = static_cast<LPCTSTR>(error.Description());
        AfxMessageBox(description.IsEmpty() ? GetComErrorText(error) : description, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    } catch (...) {
        CProfileFile::Close(profiles);
        return 0;
    }
    CProfileFile::Close(profiles);
    if (!fileError.IsEmpty())
        AfxMessageBox(fileError, MB_OK | MB_ICONEXCLAMATION);
    return 1;
}

void CChildFrame::LoginDmoServer(const _bstr_t& server, const _bstr_t& login, const _bstr_t& password,
                                 BOOL bIntegrated)
{
    auto* pMainFrame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (pMainFrame == nullptr || pMainFrame->m_SQLServer == nullptr)
        _com_raise_error(E_POINTER);
    pMainFrame->m_SQLServer->PutLoginSecure(bIntegrated ? VARIANT_TRUE : VARIANT_FALSE);
    if (bIntegrated)
        pMainFrame->m_SQLServer->Connect(server, _bstr_t(""), _bstr_t(""));
    else
        pMainFrame->m_SQLServer->Connect(server, login, password);
}
